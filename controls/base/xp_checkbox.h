// The XP-style check box: a square with a gradient face and a small
// coloured mark (a check, or a filled square when grayed), optional bound
// lines and a word-wrapped caption beside it.
#pragma once

#include "controls/base/xp_core.h"
#include "fw/stdctrls/checkbox.h"

namespace ck {

class TCkXPCustomCheckControl : public TCkXPCustomStyleControl {
  FW_CLASS(TCkXPCustomCheckControl, TCkXPCustomStyleControl)
  explicit TCkXPCustomCheckControl(fw::TComponent* AOwner);
  ~TCkXPCustomCheckControl() override;

  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value);
  TCkXPBoundLines BoundLines() const { return FBoundLines; }
  virtual void SetBoundLines(TCkXPBoundLines Value);
  bool Checked() const { return FChecked; }
  virtual void SetChecked(bool Value);
  uint8_t Spacing() const { return FSpacing; }
  virtual void SetSpacing(uint8_t Value);
  fw::TCheckBoxState State() const { return FState; }
  void SetState(fw::TCheckBoxState Value);
  uint8_t CheckSize() const { return FCheckSize; }

  // With AllowGrayed the state cycles unchecked, checked, grayed; otherwise
  // Checked toggles. Then the core click (OnClick).
  void Click() override;
  void ReactResized() override;

 protected:
  void Paint() override;
  // Draws the box and its mark at the left (or right) of ARect.
  virtual void DrawCheckSymbol(const fw::TRect& ARect) = 0;
  void KeyDown(WORD& Key, fw::TShiftState Shift) override;
  void BuildGradients();

  fw::TBitmap* FBgGradient;
  TCkXPBoundLines FBoundLines;
  bool FChecked = false;
  uint8_t FCheckSize = 13;
  fw::TBitmap* FCkGradient;
  fw::TBitmap* FHlGradient;
  uint8_t FSpacing = 3;
  fw::TCheckBoxState FState = fw::cbUnchecked;
  bool FAllowGrayed = false;
};

class TCkXPCheckbox : public TCkXPCustomCheckControl {
  FW_CLASS(TCkXPCheckbox, TCkXPCustomCheckControl)
  explicit TCkXPCheckbox(fw::TComponent* AOwner) : TCkXPCustomCheckControl(AOwner) {}

 protected:
  void DrawCheckSymbol(const fw::TRect& ARect) override;
};

}  // namespace ck
