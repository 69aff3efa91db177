// The main window's icon in the notification area and its menu: About shows
// the about box (enabled while it is not showing), Exit and Restore bring the
// application back (Exit then closes the window; Restore is disabled while
// the about box shows), a double click on the icon restores it, and the icon
// is there while the settings' "Minimize to systray" is on.
#include "app/image_form.h"
#include "fw/system/screen.h"

namespace app {

namespace {

// "Minimize to systray" of the settings; on until the settings dialog keeps
// a choice.
bool MinimizeToTraySetting() { return true; }

// The about box ("AboutForm"), once the program has made it.
fw::TCustomForm* AboutBox() {
  if (!fw::Screen) return nullptr;
  for (int i = 0; i < fw::Screen->CustomFormCount(); ++i)
    if (fw::TCustomForm* form = fw::Screen->CustomForms(i); form->Name() == u"AboutForm") return form;
  return nullptr;
}

bool AboutBoxShowing() {
  fw::TCustomForm* about = AboutBox();
  return about && about->Visible();
}

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

void TImageForm::acAboutExecute(fw::TObject*) {
  if (fw::TCustomForm* about = AboutBox(); about && !about->Visible()) about->ShowModal();
}

void TImageForm::acAboutUpdate(fw::TObject* Sender) { EnableAction(Sender, !AboutBoxShowing()); }

void TImageForm::acRestoreExecute(fw::TObject*) {
  if (Tray) Tray->ShowApplication();
}

void TImageForm::acRestoreUpdate(fw::TObject* Sender) { EnableAction(Sender, !AboutBoxShowing()); }

void TImageForm::TrayDblClick(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
  if (Tray) Tray->ShowApplication();
}

}  // namespace app
