// The custom-text dialog: sets the sample text the previews draw.
#pragma once

#include "fw/controls/button.h"
#include "fw/controls/forms.h"
#include "fw/stdctrls/edit.h"
#include "fw/system/actions.h"

namespace app {

class TForm2 : public fw::TForm {
  FW_CLASS(TForm2, fw::TForm)

 public:
  explicit TForm2(fw::TComponent* AOwner) : fw::TForm(AOwner) {}

  fw::TEdit* Edit1 = nullptr;
  fw::TButton* Button1 = nullptr;
  fw::TAction* acapply = nullptr;

  // The edit takes the focus.
  void FormShow(fw::TObject* Sender);
  // The text becomes the main window's sample text; the dialog closes and
  // the multi-font list is drawn anew.
  void acapplyExecute(fw::TObject* Sender);
  // "Apply" only while the edit holds text.
  void acapplyUpdate(fw::TObject* Sender);
};

extern TForm2* Form2;

}  // namespace app
