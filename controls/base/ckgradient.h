// TCkGradient, a windowless control that fills itself with a colour
// gradient in one of six shapes (drawn once into a buffer bitmap and redrawn
// from it), and TCkGradientHeaderPanel, a header bar made of such a gradient
// with a label on top.
#pragma once

#include <climits>

#include "controls/base/ckexcontrols.h"
#include "controls/base/cktypes.h"
#include "controls/base/ckwizardcommon.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/panel.h"

namespace ck {

using TCkGradientPaintEvent = fw::TEvent<void(fw::TObject* Sender, fw::TCanvas* Canvas)>;

class TCkGradient : public TCkExGraphicControl {
  FW_CLASS(TCkGradient, TCkExGraphicControl)
  explicit TCkGradient(fw::TComponent* AOwner);
  ~TCkGradient() override;

  TCkGradientStyle Style() const { return FStyle; }
  void SetStyle(TCkGradientStyle Value);
  TColor StartColor() const { return FStartColor; }
  void SetStartColor(TColor Value);
  TColor EndColor() const { return FEndColor; }
  void SetEndColor(TColor Value);
  uint16_t Steps() const { return FSteps; }
  void SetSteps(uint16_t Value);

  // The bounds as the form stores them: each setter also records its value,
  // and Loaded applies them again after alignment.
  void SetLoadedLeft(int Value);
  void SetLoadedTop(int Value);
  void SetLoadedWidth(int Value);
  void SetLoadedHeight(int Value);

  // The buffer as last drawn (tests look at it).
  fw::TBitmap* Buffer() const { return FBuffer; }

  void Loaded() override;

  TCkGradientPaintEvent OnPaint;

 protected:
  void Paint() override;
  // Draws the gradient into the buffer at the control's size.
  void DrawBuffer();
  void ForceRedraw();

  TCkGradientStyle FStyle = grHorizontal;
  TColor FStartColor = fw::clBlue;
  TColor FEndColor = fw::clBlack;
  uint16_t FSteps = 100;
  fw::TBitmap* FBuffer;
  int FBufferWidth = 0;
  int FBufferHeight = 0;
  // INT_MIN: not stored; the current value stays.
  int FLoadedLeft = INT_MIN, FLoadedTop = INT_MIN, FLoadedWidth = INT_MIN, FLoadedHeight = INT_MIN;
};

// The gradient inside a header panel: its mouse messages go to the panel.
class TNoEventGradient : public TCkGradient {
  FW_CLASS(TNoEventGradient, TCkGradient)
  explicit TNoEventGradient(fw::TComponent* AOwner) : TCkGradient(AOwner) {}
  void WndProc(fw::TMessage& Message) override;
};

// The label of a header panel: its mouse messages go to the panel.
class TNoEventLabel : public fw::TLabel {
  FW_CLASS(TNoEventLabel, fw::TLabel)
  explicit TNoEventLabel(fw::TComponent* AOwner) : fw::TLabel(AOwner) {}
  void WndProc(fw::TMessage& Message) override;
};

// Bevels of the panel's frame.
using fw::TBevelCut;
FW_ENUM(TBevelKind, bkNone, bkTile, bkSoft, bkFlat)

class TCkGradientHeaderPanel : public TCkExCustomControl {
  FW_CLASS(TCkGradientHeaderPanel, TCkExCustomControl)
  explicit TCkGradientHeaderPanel(fw::TComponent* AOwner);
  ~TCkGradientHeaderPanel() override;

  TCkGradient* Gradient() const { return FGradient; }
  TNoEventLabel* Label() const { return FLabel; }

  fw::TCursor GradientCursor() const;
  void SetGradientCursor(fw::TCursor Value);
  String GradientHint() const;
  void SetGradientHint(const String& Value);
  TColor GradientStartColor() const;
  void SetGradientStartColor(TColor Value);
  TColor GradientEndColor() const;
  void SetGradientEndColor(TColor Value);
  uint16_t GradientSteps() const;
  void SetGradientSteps(uint16_t Value);
  TCkGradientStyle GradientStyle() const;
  void SetGradientStyle(TCkGradientStyle Value);

  int LabelLeft() const { return FLabelLeft; }
  void SetLabelLeft(int Value);
  int LabelTop() const;
  void SetLabelTop(int Value);
  fw::TCursor LabelCursor() const;
  void SetLabelCursor(fw::TCursor Value);
  String LabelHint() const;
  void SetLabelHint(const String& Value);
  String LabelCaption() const;
  void SetLabelCaption(const String& Value);
  TColor LabelColor() const;
  void SetLabelColor(TColor Value);
  fw::TFont* LabelFont() const;
  void SetLabelFont(fw::TFont* Value);
  TAlignment LabelAlignment() const;
  void SetLabelAlignment(TAlignment Value);
  bool PanelShowHint() const { return FHint; }
  void SetPanelShowHint(bool Value);

  // Stored for the form; the framework draws no bevels around child
  // windows.
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value) { FBevelInner = Value; }
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value) { FBevelOuter = Value; }
  TBevelKind BevelKind() const { return FBevelKind; }
  void SetBevelKind(TBevelKind Value) { FBevelKind = Value; }
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value) { FBevelWidth = Value; }

  // Sizes the label to its text and places it in the room beside LabelLeft.
  void AdjustLabelWidth();

 protected:
  void Resize() override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;

 private:
  void LabelFontChanged(fw::TObject* Sender);

  TNoEventGradient* FGradient;
  TNoEventLabel* FLabel;
  int FLabelLeft = 10;
  bool FHint = false;
  fw::TNotifyEvent FOldLabelFontChange;
  TBevelCut FBevelInner = fw::bvNone;
  TBevelCut FBevelOuter = fw::bvRaised;
  TBevelKind FBevelKind = bkNone;
  int FBevelWidth = 1;
};

}  // namespace ck
