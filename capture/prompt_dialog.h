// The small "Position Mouse" window the desktop capture shows at the
// monitor's top right while it waits for the click.
#pragma once

#include "fw/controls/forms.h"

namespace capture {

class TfrmPosition : public fw::TForm {
  FW_CLASS(TfrmPosition, fw::TForm)
  explicit TfrmPosition(fw::TComponent* AOwner);

  static const char16_t* const PromptText;
  // The window the prompt stays above (set before the window is made).
  HWND OwnerWindow = nullptr;

 protected:
  void CreateParams(fw::TCreateParams& Params) override;
  void FormPaint(fw::TObject* Sender);
  void FormKeyDown(fw::TObject* Sender, WORD& Key, fw::TShiftState Shift);
  void FormKeyPress(fw::TObject* Sender, char16_t& Key);
};

}  // namespace capture
