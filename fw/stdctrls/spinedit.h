// The spin edit: a single-line edit for a whole number with an up-down
// button pair at its right edge. Typing is limited to digits (and a minus
// sign when negative values are allowed); the value is kept between
// MinValue and MaxValue (no limit while both are equal); the arrows and
// the up and down keys step it by Increment.
#pragma once

#include "fw/stdctrls/edit.h"

namespace fw {

class TSpinEdit : public TCustomEdit {
  FW_CLASS(TSpinEdit, TCustomEdit)
  explicit TSpinEdit(TComponent* AOwner);

  int MinValue() const { return FMinValue; }
  void SetMinValue(int Value);
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value);
  // The number in the text, within the limits; an empty or unreadable text
  // counts as MinValue.
  int Value() const;
  void SetValue(int Value);

  // The arrows: one Increment up or down.
  void UpClick();
  void DownClick();
  // The up-down window (the buttons), for painting and tests.
  HWND ButtonHandle() const { return FButton; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void DoExit() override;
  void Resize() override;
  int CheckValue(int Value) const;
  bool IsValidChar(char16_t Key) const;

 private:
  void PlaceButton();
  int ButtonWidth() const;
  HWND FButton = nullptr;
  int FMinValue = 0;
  int FMaxValue = 0;
  int FIncrement = 1;
  bool FEditorEnabled = true;
};

}  // namespace fw
