#include "app/managedlg.h"

#include "fw/core/rtti.h"
#include "fw/system/application.h"

namespace app {

Tmanagedlg* managedlg = nullptr;

void Tmanagedlg::Button1Click(fw::TObject*) {
  SetModalResult(fw::mrAbort);
  fw::Application->ProcessMessages();
}

void Tmanagedlg::Reset() {
  SetModalResult(fw::mrNone);
  if (progres) {
    progres->SetMin(0);
    progres->SetPosition(0);
  }
}

FW_REGISTER(Tmanagedlg) {
  using F = Tmanagedlg;
  c.Field(u"progres", &F::progres);
  c.Field(u"Button1", &F::Button1);
  c.Method(u"Button1Click", &F::Button1Click);
}

}  // namespace app
