#include "app/custom_text_form.h"

#include "app/image_form.h"
#include "fw/core/rtti.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/listbox.h"

namespace app {

TForm2* Form2 = nullptr;

void TForm2::FormShow(fw::TObject*) {
  if (Edit1 && Edit1->CanFocus()) Edit1->SetFocus();
}

void TForm2::acapplyExecute(fw::TObject*) {
  if (!Edit1) return;
  if (ImageForm && ImageForm->edsample) ImageForm->edsample->SetText(Edit1->Text());
  Close();
  if (ImageForm && ImageForm->fontbox) ImageForm->fontbox->Invalidate();
}

void TForm2::acapplyUpdate(fw::TObject*) {
  if (acapply) acapply->SetEnabled(Edit1 && !Edit1->Text().empty());
}

FW_REGISTER(TForm2) {
  using F = TForm2;
  c.Field(u"Edit1", &F::Edit1);
  c.Field(u"Button1", &F::Button1);
  c.Field(u"acapply", &F::acapply);
  c.Method(u"FormShow", &F::FormShow);
  c.Method(u"acapplyExecute", &F::acapplyExecute);
  c.Method(u"acapplyUpdate", &F::acapplyUpdate);
}

}  // namespace app
