// The main window's icon in the notification area and its menu: Exit and
// Restore bring the application back (Exit then closes the window), a double
// click on the icon restores it, and the icon is there while the settings'
// "Minimize to systray" is on.
#include "app/image_form.h"

namespace app {

namespace {

// "Minimize to systray" of the settings; on until the settings dialog keeps
// a choice.
bool MinimizeToTraySetting() { return true; }

}  // namespace

void TImageForm::ApplyTraySetting() {
  if (Tray) Tray->SetActive(MinimizeToTraySetting());
}

void TImageForm::Exit1Click(fw::TObject*) {
  if (Tray) Tray->ShowApplication();
  Close();
}

void TImageForm::acRestoreExecute(fw::TObject*) {
  if (Tray) Tray->ShowApplication();
}

void TImageForm::TrayDblClick(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
  if (Tray) Tray->ShowApplication();
}

}  // namespace app
