// What every capture selection window shares: a borderless window that stays
// on top of everything and never erases its background, a size hint shown
// beside the cursor, and Escape, which ends the selection without a capture.
#pragma once

#include "fw/controls/forms.h"
#include "fw/controls/hintwindow.h"

namespace capture {

class TCaptureSelectionForm : public fw::TForm {
  FW_CLASS(TCaptureSelectionForm, fw::TForm)
  explicit TCaptureSelectionForm(fw::TComponent* AOwner);
  ~TCaptureSelectionForm() override;

  // The hint window while a size hint is shown, else null.
  fw::THintWindow* HintWindow() const { return FHintVisible ? FHintWindow : nullptr; }

 protected:
  void CreateParams(fw::TCreateParams& Params) override;
  // The frozen picture covers the whole window: nothing to erase.
  void WMEraseBkgnd(fw::TMessage& Message) override;
  // Escape ends the modal loop with mrCancel: the user gave up.
  void KeyDown(WORD& Key, fw::TShiftState Shift) override;

  // Sets Hint to the text and shows it with its top-left at ScreenPos.
  void ShowSizeHint(const fw::String& Text, const fw::TPoint& ScreenPos);
  void HideSizeHint();
  // Width and height of a hint text on the window's canvas.
  fw::TSize HintTextExtent(const fw::String& Text);

 private:
  fw::THintWindow* FHintWindow = nullptr;
  bool FHintVisible = false;
};

// "X x Y pixels".
fw::String SizeHintText(int First, int Second);

}  // namespace capture
