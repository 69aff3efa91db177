// The font database builder "Create or refresh database": a one-page
// wizard that lists the logical drives (fixed disks checked), deletes the
// database and walks the checked drives to fill it again, or adds the new
// font files of one folder. A stop switch ends a running build after a
// question. The dialog frees itself when it closes; the main window makes a
// new one when it is needed again.
#pragma once

#include <memory>
#include <vector>

#include "app/database_builder.h"
#include "controls/base/ckwizard.h"
#include "controls/base/xp_button.h"
#include "controls/dialogs/ckbrowsefolder.h"
#include "controls/views/ckchecklistbox.h"
#include "fw/controls/forms.h"
#include "fw/stdctrls/label.h"
#include "services/formstorage.h"

namespace ck {
class TCkBalloonHint;
// Not included here: its enumeration shares a name with the thumbnail
// view's, which the main window's header brings.
class TCkSwitch;
}

namespace app {

// The main window's side of the builder (defined with its search page):
// the open database (null without a main window), the balloon hint of the
// program, and the candidate count of the search page.
TFontDatabase* MainWindowDatabase();
ck::TCkBalloonHint* MainWindowBalloon();
void UpdateMainWindowInfo();

// Whether the drive's disk size can be read (critical-error boxes for
// missing media suppressed). A lower-case letter counts as its capital;
// a character other than A to Z raises EConvertError "Not a valid drive ID".
bool DriveReady(char16_t Letter);
// The drive letter of a drive line: the first of its last three characters
// (display names end in the letter, a colon and a closing parenthesis).
char16_t DriveLetterOfLine(const fw::String& Line);
// One line per logical drive of a known type: its shell display name, with
// the drive's system icon index as the line's object; fixed disks checked.
void FillDriveList(fw::TCheckListBox* List);
// Shortens a path with an ellipsis in its middle until it fits the width
// in the canvas's font.
fw::String FitPathToWidth(fw::TCanvas* Canvas, const fw::String& Path, int Width);

class TDatabaseform : public fw::TForm, private TBuildView {
  FW_CLASS(TDatabaseform, fw::TForm)

 public:
  explicit TDatabaseform(fw::TComponent* AOwner);
  ~TDatabaseform() override;

  ck::TCkWizard* Wizard = nullptr;
  ck::TCkWizardInteriorPage* Run = nullptr;
  ck::TCkCheckListBox* Listbox = nullptr;
  fw::TLabel* lbScanningDrive = nullptr;
  fw::TLabel* lbRecCount = nullptr;
  fw::TLabel* lbFilename = nullptr;
  fw::TLabel* lbPath = nullptr;
  fw::TLabel* linfo = nullptr;
  ck::TCkXPButton* btnaddfonts = nullptr;
  ck::TCkSwitch* btnstop = nullptr;
  ck::TCkBrowseForFolderDialog* dlgsearchfolder = nullptr;
  services::TCkFormStorage* CkFormStorage2 = nullptr;

  void FormCreate(fw::TObject* Sender);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
  void ListboxClickCheck(fw::TObject* Sender);
  void WizardFinishButtonClick(fw::TObject* Sender);
  void btnaddfontsClick(fw::TObject* Sender);
  void btnaddfontsMouseEnter(fw::TObject* Sender);
  void btnaddfontsMouseLeave(fw::TObject* Sender);

  // The build of the Finish button over the given folder roots (the checked
  // drives' roots there): asks before it empties the database, walks each
  // root that is ready, and reports a completed build. False when the user
  // declined or stopped it.
  bool BuildDatabase(const std::vector<fw::String>& Roots);
  // The folder addition of "Add Fonts " once the folder is chosen.
  void AddFolder(const fw::String& Folder);

  TDatabaseBuilder& Builder() { return *builder_; }

 private:
  void ProcessMessages() override;
  bool StopSwitchOn() override;
  bool ContinueAfterStop() override;
  void ShowCounters(const fw::String& Scanning, const fw::String& Records) override;
  void ShowFile(const fw::String& Folder, const fw::String& FileName) override;
  void EnableControls(bool Enabled);

  std::unique_ptr<TDatabaseBuilder> builder_;
};

// Empty while the builder is closed.
extern TDatabaseform* Databaseform;

// Shows the builder modally, making it first when it is closed.
void ShowDatabaseBuilder();

}  // namespace app
