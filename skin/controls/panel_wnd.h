// The adapters of windows that hold other controls or show a framed area:
// framework panels (section by their bevels, caption inside bevels and
// border, graphic children on top), framework static texts (published
// bevel kind, bevels and alignment read by name; the caption over the whole
// client area) and the band and container windows of file dialogs (a plain
// skinned area, a border only with a client edge). Children that paint
// themselves are left alone.
#pragma once

#include <memory>

#include "fw/graphics/graphics.h"
#include "skin/controls/window_adapter.h"
#include "skin/engine/core/bitmap_blend.h"

namespace skin {

class TkcPanelWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;
  ~TkcPanelWnd() override { Detach(); }

  void Subclass() override;
  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"CHECKBOX"; }

  // False while the parent has not painted what lies behind yet (the
  // adapter then waits, Updating, for the parent's update-done command).
  bool PrepareCache();
  void KC_WMPaint(HDC DC);
  void KC_WMNCPaint(HDC DC);

  std::unique_ptr<fw::TBitmap> Cache;
  // The last paint showed only part of the panel: the next one builds the
  // picture again.
  bool HalfVisible = true;

 protected:
  // The section the control's look calls for (chosen once).
  virtual fw::String ChosenSection() const;
  // The adapter acts only for such controls.
  virtual bool Handles() const;
  virtual void WriteText(fw::TCanvas& Canvas);
  // Over the section, before the caption.
  virtual void PaintOwnColor() {}
  // Showing again rebuilds the picture and may end the wait for the parent.
  virtual bool FollowsShowing() const { return true; }
  fw::TWinControl* Owner() const { return dynamic_cast<fw::TWinControl*>(Control()); }
  int BorderOffset() const;
  // A see-through panel shows what moves behind it: its parent says so.
  bool RepaintIfMoved() const;
  bool SectionTransparent() const;
};

// A framework static text: like a panel, whatever it accepts.
class TkcStaticTextWnd : public TkcPanelWnd {
 public:
  using TkcPanelWnd::TkcPanelWnd;
  ~TkcStaticTextWnd() override { Detach(); }
  void kcWndProc(fw::TMessage& Message) override;

 protected:
  fw::String ChosenSection() const override;
  bool Handles() const override { return Control() != nullptr; }
  void WriteText(fw::TCanvas& Canvas) override;
  void PaintOwnColor() override;
  bool FollowsShowing() const override { return false; }
};

class TkcContainerWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;
  ~TkcContainerWnd() override { Detach(); }

  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"CHECKBOX"; }

  void PrepareCache();
  // The client part of the picture onto the DC (none: the window's).
  void KC_WMPrint(HDC DC);
  void KC_WMNCPaint();

  std::unique_ptr<fw::TBitmap> Cache;
  int BorderWidth = 0;
};

// The section painted over what lies behind a W x H window into Cache
// (made or resized); the behind information is handed back.
TCacheInfo PaintWindowSection(TkcMainWnd& A, std::unique_ptr<fw::TBitmap>& Cache, int State = 0);
// Copies the cache from (B, B) to (0, 0) of the window's client DC, leaving
// out the visible child windows, which paint themselves.
void CopyClientPart(HDC DC, HWND Wnd, fw::TBitmap& Cache, int B);

}  // namespace skin
