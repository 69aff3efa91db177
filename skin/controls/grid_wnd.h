// The adapters of grids (the skin manager's grid list and its list of the
// "Eh" grid family): the edit adapter's frame, background and scroll bars,
// and the skin's colours written into the grid's own colour properties,
// since a grid draws its cells itself. Grids come from several makers, so
// every property is found by its published name and skipped when the grid
// has none; the grid's own values come back exactly when the skin goes.
#pragma once

#include "skin/controls/edit_wnd.h"

namespace skin {

// The drawing styles of the framework's grids ("DrawingStyle").
enum TkGridDrawingStyle { gdsClassic, gdsThemed, gdsGradient };

class TkcGridWnd : public TkcEditWnd {
 public:
  TkcGridWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint = true);
  ~TkcGridWnd() override { Detach(); }

  // A grid keeps its visual theme (it draws its cells with it) and takes
  // the skin's colours at once.
  bool ThemeOffOnAttach() const override { return false; }
  void Subclass() override;
  void SetSkinParams() override;
  void kcWndProc(fw::TMessage& Message) override;

  // The grid's own values, saved at attach (absent properties leave them).
  fw::TColor FixedColor = 0, FooterColor = 0, FooterCellColor = 0, TitleFontColor = 0, TitleColor = 0,
             IndColor = 0, SelectionColor = 0, SelectionTextColor = 0, GridLineColor = 0,
             LineShadowColor = 0, GridFixedLineColor = 0, FixedGradientFrom = 0, FixedGradientTo = 0,
             FixedGradientMirrorFrom = 0, FixedGradientMirrorTo = 0;
  int DrawingStyle = gdsClassic;

 protected:
  void SaveStdParams() override;
  void RestoreStdParams() override;
  // A grid of the framework's own grid class (its drawing style, gradient
  // and scroll bars are its own properties).
  bool FrameworkGrid() const;
  // A data-aware grid (one with a published "DataSource").
  bool DataAware() const;
  // After the skin's removal a framework grid is made again with its own
  // scroll bars.
  void AfterRemoval(const fw::TMessage& Message);

 private:
  void SaveGridParams();
};

class TkcGridEhWnd : public TkcGridWnd {
 public:
  TkcGridEhWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint = true);
  ~TkcGridEhWnd() override { Detach(); }

  void SetSkinParams() override;
  void kcWndProc(fw::TMessage& Message) override;

  fw::TColor EvenRowColor = 0, OddRowColor = 0, BrightColor = 0, DataHorzColor = 0, DataVertColor = 0,
             DarkColor = 0, RowDetailColor = 0, IndParamsColor = 0, TitleParamsColor = 0, TitleSecondColor = 0,
             TitleVertLineColor = 0;
  int IndHorzLines = 0, IndVertLines = 0, InfFillStyle = 0, TitleHorzLines = 0, TitleFillStyle = 0;

 protected:
  void SaveStdParams() override;
  void RestoreStdParams() override;

 private:
  void SaveEhParams();
};

}  // namespace skin
