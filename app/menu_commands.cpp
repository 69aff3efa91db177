// The main window's commands that open its dialogs: the settings dialog
// (F8), the about box from the help menu, the tray menu and the
// program-information icon.
#include "app/about_form.h"
#include "app/image_form.h"
#include "app/settings_form.h"

namespace app {

void TImageForm::Settings1Click(fw::TObject*) {
  if (VestalineSettings && !VestalineSettings->Visible()) VestalineSettings->ShowModal();
}

void TImageForm::About1Click(fw::TObject*) { ShowAboutBox(); }

void TImageForm::ShowAboutBox() {
  if (AboutForm && !AboutForm->Visible()) AboutForm->ShowModal();
}

}  // namespace app
