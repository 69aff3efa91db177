// The label: text drawn by the framework on its parent (no window of its
// own), aligned, laid out vertically, wrapped, sized to its text, and
// handing the focus to its FocusControl when its accelerator is pressed.
#pragma once

#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

class TCustomLabel : public TGraphicControl {
  FW_CLASS(TCustomLabel, TGraphicControl)
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return !FControlStyle.Contains(csOpaque); }
  void SetTransparent(bool Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

 protected:
  void Dispatch(TMessage& Message) override;
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  // Fits the bounds to the text when AutoSize is on, keeping the edge the
  // alignment holds on to.
  virtual void AdjustBounds();
  // Draws (or with DT_CALCRECT measures) the caption in Rect.
  virtual void DoDrawText(TRect& Rect, UINT Flags);

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  FW_CLASS(TLabel, TCustomLabel)
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

}  // namespace fw
