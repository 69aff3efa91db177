#include "app/font_commands.h"

#include <shellapi.h>

#include "app/font_copy.h"
#include "app/image_form.h"
#include "app/managedlg.h"
#include "app/result_list_view.h"
#include "controls/base/ckwizard.h"
#include "controls/dialogs/ckbrowsefolder.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/msgdlg.h"
#include "fw/dialogs/taskdialog.h"
#include "fw/platform/files.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/listbox.h"
#include "fw/system/actions.h"
#include "fw/system/screen.h"

namespace app {

using fw::String;
using fw::TObject;

namespace {

TShellOpenProc gShellOpen = nullptr;
TBrowseCopyFolderProc gBrowseCopyFolder = nullptr;
TIsElevatedProc gIsElevated = nullptr;

void ShellOpen(HWND Owner, const String& File, const String& Parameters) {
  ShellExecuteW(Owner, L"open", W(File), Parameters.empty() ? nullptr : W(Parameters), nullptr, SW_SHOWNORMAL);
}

// The window's folder dialog, started at Directory.
bool BrowseWithFolderDialog(TImageForm* Form, String& Directory) {
  ck::TCkBrowseForFolderDialog* dialog = Form ? Form->dlgbrowsecopy : nullptr;
  if (!dialog) return false;
  dialog->SetDirectory(Directory);
  if (!dialog->Execute()) return false;
  Directory = dialog->Directory();
  return true;
}

// The hourglass for the time of a copy.
class THourGlass {
 public:
  THourGlass() : saved_(fw::Screen->Cursor()) { fw::Screen->SetCursor(fw::crHourGlass); }
  ~THourGlass() { fw::Screen->SetCursor(saved_ == fw::crHourGlass ? fw::crDefault : saved_); }
  THourGlass(const THourGlass&) = delete;
  THourGlass& operator=(const THourGlass&) = delete;

 private:
  fw::TCursor saved_;
};

// Resets the copy dialog, captions it with the number of files and shows it
// without being modal.
void ShowCopyDialog(int Count) {
  if (!managedlg) return;
  managedlg->Reset();
  managedlg->SetCaption(fw::Format(u"Copy font files: %d  fonts selected", {Count}));
  managedlg->Show();
}

void ShowAdministratorNeeded() {
  MessageBeep(MB_OK);
  fw::TTaskDialog dialog(nullptr);
  dialog.SetCaption(u"Vestaline information");
  dialog.SetTitle(u"You'll need to provide administrator permission to copy files..");
  dialog.SetText(
      u"1. Close the application.\r\n2. Run Vestaline as Administrator: \r\n    Right click on Vestaline desktop icon "
      u"-> Run as Administrator.");
  dialog.SetExpandedText(u"Administrator privileges are required for additional tasks like copying fonts.");
  dialog.SetFooterText(u"Cannot copy selected fonts");
  dialog.SetCommonButtons(fw::TTaskDialogCommonButtons{});
  dialog.Buttons()->Add()->SetCaption(u"Close this dialog");
  dialog.Execute();
}

}  // namespace

void SetShellOpenProc(TShellOpenProc Proc) { gShellOpen = Proc; }

void ShellOpenFile(HWND Owner, const String& File, const String& Parameters) {
  (gShellOpen ? gShellOpen : ShellOpen)(Owner, File, Parameters);
}

void ViewFontFile(HWND Owner, const String& Path, const String& SystemFolder) {
  if (fw::FileExists(fw::IncludeTrailingPathDelimiter(SystemFolder) + kFontViewer)) {
    // Quoted: a path with spaces is one parameter.
    ShellOpenFile(Owner, kFontViewer, u"\"" + Path + u"\"");
  } else {
    ShellOpenFile(Owner, Path);
  }
}

void SetBrowseCopyFolderProc(TBrowseCopyFolderProc Proc) { gBrowseCopyFolder = Proc; }

bool BrowseCopyFolder(TImageForm* Form, String& Directory) {
  return (gBrowseCopyFolder ? gBrowseCopyFolder : BrowseWithFolderDialog)(Form, Directory);
}

void SetIsElevatedProc(TIsElevatedProc Proc) { gIsElevated = Proc; }

// ---- The window's commands

void TImageForm::acviewfontExecute(TObject*) {
  if (!ListView) return;
  fw::TListItem* item = ListView->Selected();
  if (!item || item->SubItems()->Count() < 2) return;
  ViewFontFile(Handle(), item->SubItems()->Get(1), fw::SystemFolder());
}

void TImageForm::acviewfontUpdate(TObject*) {
  if (label24) label24->SetEnabled(ChosenSource() != TSearchSource::System && ListView && ListView->Selected());
}

void TImageForm::CkXPBar1Items1Click(TObject* Sender) { acviewfontExecute(Sender); }

void TImageForm::CkXPBar1Items0Click(TObject*) {
  if (!ListView) return;
  String folder = dlgbrowsecopy ? dlgbrowsecopy->Directory() : String();
  if (!BrowseCopyFolder(this, folder)) return;
  if (dlgbrowsecopy) dlgbrowsecopy->SetDirectory(folder);
  const THourGlass hourGlass;
  const std::vector<String> paths = SelectedFontPaths(ListView);
  ShowCopyDialog(ListView->SelCount());
  CopyResultFontFiles(paths, folder, managedlg);
}

void TImageForm::accopyExecute(TObject*) {
  if (managedlg) managedlg->Reset();
  if (OsVersionInfo.dwMajorVersion > 5 && !(gIsElevated ? gIsElevated : IsProcessElevated)()) {
    ShowAdministratorNeeded();
    return;
  }
  if (ChosenSource() == TSearchSource::System) {
    fw::MessageDlg(
        u"You cannot copy system fonts - select Windows fonts from main menu - \"Fonts preview-Windows fonts\".",
        fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0);
    return;
  }
  if (!fontbox) return;
  String folder = dlgbrowsecopy ? dlgbrowsecopy->Directory() : String();
  if (!BrowseCopyFolder(this, folder)) return;
  if (dlgbrowsecopy) dlgbrowsecopy->SetDirectory(folder);
  const THourGlass hourGlass;
  std::vector<String> paths;
  fw::TStrings* lines = fontbox->Items();
  for (int i = 0; i < lines->Count(); ++i)
    if (fontbox->Selected(i)) paths.push_back(lines->Get(i));
  ShowCopyDialog(fontbox->SelCount());
  TFontCopyOptions options;
  options.Overwrite = true;
  options.BarMaxLess = 1;
  options.OnFailure = [](const String& FileName, const String& Target) {
    return fw::MessageDlg(u"Cannot copy " + FileName + u" into " + Target + u" folder!", fw::mtError,
                          fw::mbOKCancel, 0) != fw::mrCancel;
  };
  CopyFontFiles(paths, folder, managedlg, options);
}

void TImageForm::Selectall1Click(TObject*) {
  if (!fontbox) return;
  fontbox->Items()->BeginUpdate();
  try {
    fontbox->SelectAll();
  } catch (...) {
    fontbox->Items()->EndUpdate();
    throw;
  }
  fontbox->Items()->EndUpdate();
}

void TImageForm::accopyUpdate(TObject*) {
  if (!accopy) return;
  accopy->SetEnabled(Wizard && Wizard->ActivePageIndex() == kPageMultipreview && fontbox && fontbox->SelCount() > 0);
}

}  // namespace app
