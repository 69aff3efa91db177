#include "app/database_form.h"

#include <windows.h>
#include <shellapi.h>

#include "controls/base/ckswitch.h"
#include "controls/dialogs/ckballoonhint.h"
#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/msgdlg.h"
#include "fw/system/application.h"

namespace app {

using fw::String;
using fw::TObject;

TDatabaseform* Databaseform = nullptr;

namespace {

// Critical-error boxes ("no disk in drive") stay away while it lives.
class TNoCriticalErrorBoxes {
 public:
  TNoCriticalErrorBoxes() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~TNoCriticalErrorBoxes() { SetErrorMode(previous_); }
  TNoCriticalErrorBoxes(const TNoCriticalErrorBoxes&) = delete;
  TNoCriticalErrorBoxes& operator=(const TNoCriticalErrorBoxes&) = delete;

 private:
  UINT previous_;
};

bool RootReady(const String& Root) {
  TNoCriticalErrorBoxes quiet;
  ULARGE_INTEGER total{};
  return GetDiskFreeSpaceExW(W(Root), nullptr, &total, nullptr) != 0;
}

constexpr char16_t kAddFontsHint[] =
    u"Keep your font database updated!\r\nRecommendation: Select one folder where all new fonts will be stored.";

}  // namespace

// ---- Drives

bool DriveReady(char16_t Letter) {
  if (Letter >= u'a' && Letter <= u'z') Letter = static_cast<char16_t>(Letter - u'a' + u'A');
  if (Letter < u'A' || Letter > u'Z') throw fw::EConvertError(u"Not a valid drive ID");
  return RootReady(String(1, Letter) + u":\\");
}

char16_t DriveLetterOfLine(const String& Line) { return Line.size() < 3 ? u'\0' : Line[Line.size() - 3]; }

void FillDriveList(fw::TCheckListBox* List) {
  TNoCriticalErrorBoxes quiet;
  wchar_t buf[210] = {};
  const DWORD n = GetLogicalDriveStringsW(210, buf);
  if (n == 0 || n > 210) return;
  for (const wchar_t* root = buf; *root; root += wcslen(root) + 1) {
    const UINT type = GetDriveTypeW(root);
    if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) continue;
    SHFILEINFOW info{};
    SHGetFileInfoW(root, 0, &info, sizeof info, SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    const int index = List->Items()->AddObject(fw::Trim(FromW(info.szDisplayName)),
                                               reinterpret_cast<TObject*>(static_cast<intptr_t>(info.iIcon)));
    List->SetChecked(index, type == DRIVE_FIXED);
  }
}

String FitPathToWidth(fw::TCanvas* Canvas, const String& Path, int Width) {
  std::vector<wchar_t> text(Path.begin(), Path.end());
  text.resize(text.size() + 5, L'\0');
  RECT r{0, 0, Width, 100};
  DrawTextW(Canvas->Handle(), text.data(), -1, &r,
            DT_CALCRECT | DT_PATH_ELLIPSIS | DT_MODIFYSTRING | DT_SINGLELINE | DT_NOPREFIX);
  return FromW(text.data());
}

// ---- The dialog

TDatabaseform::TDatabaseform(fw::TComponent* AOwner) : fw::TForm(AOwner) {}

TDatabaseform::~TDatabaseform() {
  if (Databaseform == this) Databaseform = nullptr;
}

void TDatabaseform::FormCreate(TObject*) {
  if (TFontDatabase* db = MainWindowDatabase()) builder_ = std::make_unique<TDatabaseBuilder>(*db, static_cast<TBuildView&>(*this));
  if (Listbox) FillDriveList(Listbox);
}

void TDatabaseform::FormClose(TObject*, fw::TCloseAction& Action) {
  Action = fw::caFree;
  if (Databaseform == this) Databaseform = nullptr;
  UpdateMainWindowInfo();
}

void TDatabaseform::ListboxClickCheck(TObject*) {
  if (!Listbox) return;
  const int line = Listbox->ItemIndex();
  if (line < 0 || !Listbox->Checked(line)) return;
  const char16_t letter = DriveLetterOfLine(Listbox->Items()->Get(line));
  while (!DriveReady(letter)) {
    Listbox->SetChecked(line, false);
    // The user checks the line again once the disc is in.
    if (fw::MessageDlg(u"Please insert disc in drive!", fw::mtInformation, fw::mbOKCancel, 0) != fw::mrOk) break;
  }
}

void TDatabaseform::WizardFinishButtonClick(TObject*) {
  std::vector<String> roots;
  if (Listbox) {
    for (int i = 0; i < Listbox->Items()->Count(); ++i) {
      if (!Listbox->Checked(i)) continue;
      roots.push_back(String(1, DriveLetterOfLine(Listbox->Items()->Get(i))) + u":\\");
    }
  }
  BuildDatabase(roots);
}

void TDatabaseform::EnableControls(bool Enabled) {
  if (btnaddfonts) btnaddfonts->SetEnabled(Enabled);
  if (Listbox) Listbox->SetEnabled(Enabled);
  if (Run) {
    Run->EnableButton(ck::bkLast, Enabled);
    Run->EnableButton(ck::bkFinish, Enabled);
  }
}

bool TDatabaseform::BuildDatabase(const std::vector<String>& Roots) {
  if (!builder_) return false;
  TDatabaseBuilder& b = *builder_;
  b.BeginBuild();
  if (fw::MessageDlg(u"Would you like to delete old and create new font database?", fw::mtConfirmation,
                     fw::mbYesNo, 0) != fw::mrYes)
    return false;
  MainWindowDatabase()->deletecompareDatabase();
  if (btnaddfonts) btnaddfonts->SetEnabled(false);
  if (btnstop) {
    btnstop->SetHint(u"Stop searching..");
    btnstop->Show();
  }
  if (Listbox) Listbox->SetEnabled(false);
  bool completed = true;
  try {
    for (const String& root : Roots) {
      if (Run) {
        Run->EnableButton(ck::bkLast, false);
        Run->EnableButton(ck::bkFinish, false);
      }
      if (RootReady(root)) b.CreateCompdatabase(root, true);
      fw::Application->ProcessMessages();
      b.FilesVisited = 0;
    }
  } catch (const fw::EAbort&) {
    completed = false;
  }
  b.EndBuild();
  EnableControls(true);
  if (Wizard) {
    if (ck::TCkWizardNavigateButton* finish = Wizard->NavigateButton(ck::bkFinish)) {
      finish->SetWidth(140);
      finish->SetCaption(u"Create new Database!");
    }
  }
  if (!completed) return false;
  MessageBeep(0);
  String text = u"Database created successfully!";
  if (const String skipped = SkippedFilesSummary(b.Skipped()); !skipped.empty()) text += u"\r\n\r\n" + skipped;
  fw::MessageDlg(text, fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0);
  return true;
}

void TDatabaseform::btnaddfontsClick(TObject*) {
  if (ck::TCkBalloonHint* balloon = MainWindowBalloon()) balloon->CancelHint();
  if (!dlgsearchfolder || !dlgsearchfolder->Execute()) return;
  AddFolder(dlgsearchfolder->Directory());
}

void TDatabaseform::AddFolder(const String& Folder) {
  if (!builder_) return;
  if (lbRecCount) lbRecCount->SetCaption(u"Processing..");
  fw::Application->ProcessMessages();
  struct TShowRecordCount {
    TDatabaseform* F;
    ~TShowRecordCount() {
      if (F->lbRecCount)
        F->lbRecCount->SetCaption(u"Records count: " +
                                  fw::IntToStr(static_cast<int>(MainWindowDatabase()->CompFile.FileSize())));
    }
  } atTheEnd{this};
  const TFolderAddition added = builder_->AddFontscompdatabase(Folder);
  fw::MessageDlg(FolderAdditionMessage(added), fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0);
}

void TDatabaseform::btnaddfontsMouseEnter(TObject*) {
  if (ck::TCkBalloonHint* balloon = MainWindowBalloon())
    balloon->ActivateHint(btnaddfonts, kAddFontsHint, u"Add new fonts in database", 30000);
}

void TDatabaseform::btnaddfontsMouseLeave(TObject*) {
  if (ck::TCkBalloonHint* balloon = MainWindowBalloon()) balloon->CancelHint();
}

// ---- What a build shows

void TDatabaseform::ProcessMessages() { fw::Application->ProcessMessages(); }

bool TDatabaseform::StopSwitchOn() { return btnstop && btnstop->StateOn(); }

bool TDatabaseform::ContinueAfterStop() {
  if (fw::MessageDlg(u"Database is not complete.Continue?", fw::mtInformation, fw::mbYesNo, 0) != fw::mrYes)
    return false;
  if (btnstop) btnstop->SetStateOn(false);
  return true;
}

void TDatabaseform::ShowCounters(const String& Scanning, const String& Records) {
  if (lbScanningDrive) lbScanningDrive->SetCaption(Scanning);
  if (lbRecCount) lbRecCount->SetCaption(Records);
}

void TDatabaseform::ShowFile(const String& Folder, const String& FileName) {
  if (lbPath) {
    Canvas()->Font()->Assign(lbPath->Font());
    lbPath->SetCaption(FitPathToWidth(Canvas(), Folder, 270));
  }
  if (lbFilename) lbFilename->SetCaption(u"File name: " + FileName);
}

void ShowDatabaseBuilder() {
  // Made again after it freed itself; never the application's main form.
  if (!Databaseform) Databaseform = fw::NewForm<TDatabaseform>(fw::Application);
  Databaseform->ShowModal();
}

FW_REGISTER(TDatabaseform) {
  using F = TDatabaseform;
  c.Field(u"Wizard", &F::Wizard);
  c.Field(u"Run", &F::Run);
  c.Field(u"Listbox", &F::Listbox);
  c.Field(u"lbScanningDrive", &F::lbScanningDrive);
  c.Field(u"lbRecCount", &F::lbRecCount);
  c.Field(u"lbFilename", &F::lbFilename);
  c.Field(u"lbPath", &F::lbPath);
  c.Field(u"linfo", &F::linfo);
  c.Field(u"btnaddfonts", &F::btnaddfonts);
  c.Field(u"btnstop", &F::btnstop);
  c.Field(u"dlgsearchfolder", &F::dlgsearchfolder);
  c.Field(u"CkFormStorage2", &F::CkFormStorage2);
  c.Method(u"FormCreate", &F::FormCreate);
  c.Method(u"FormClose", &F::FormClose);
  c.Method(u"ListboxClickCheck", &F::ListboxClickCheck);
  c.Method(u"WizardFinishButtonClick", &F::WizardFinishButtonClick);
  c.Method(u"btnaddfontsClick", &F::btnaddfontsClick);
  c.Method(u"btnaddfontsMouseEnter", &F::btnaddfontsMouseEnter);
  c.Method(u"btnaddfontsMouseLeave", &F::btnaddfontsMouseLeave);
}

}  // namespace app
