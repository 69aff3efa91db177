// The main window's icon in the notification area and its menu: About shows
// the about box (enabled while it is not showing), Exit and Restore bring the
// application back (Exit then closes the window; Restore is disabled while
// the about box shows), a double click on the icon restores it, and the icon
// is there while the settings' "Minimize to systray" is on.
#include "app/about_form.h"
#include "app/image_form.h"
#include "app/settings_form.h"
#include "controls/views/cktrayicon.h"
#include "fw/system/screen.h"

namespace app {

namespace {

bool AboutBoxShowing() { return AboutForm && AboutForm->Visible(); }

void EnableAction(fw::TObject* Sender, bool Enabled) {
  if (auto* action = dynamic_cast<fw::TAction*>(Sender)) action->SetEnabled(Enabled);
}

}  // namespace

void TImageForm::ApplyTraySetting() {
  if (Tray) Tray->SetActive(MinimizeToTraySetting());
}

void TImageForm::Exit1Click(fw::TObject*) {
  if (Tray) Tray->ShowApplication();
  Close();
}

void TImageForm::acAboutExecute(fw::TObject*) { ShowAboutBox(); }

void TImageForm::acAboutUpdate(fw::TObject* Sender) { EnableAction(Sender, !AboutBoxShowing()); }

void TImageForm::acRestoreExecute(fw::TObject*) {
  if (Tray) Tray->ShowApplication();
}

void TImageForm::acRestoreUpdate(fw::TObject* Sender) { EnableAction(Sender, !AboutBoxShowing()); }

void TImageForm::TrayDblClick(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
  if (Tray) Tray->ShowApplication();
}

}  // namespace app
