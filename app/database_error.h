// The database error dialog "Database error": shown two seconds after the
// start when a database build left its crash marker, it names the font file
// the build was reading and lets the user view it, delete it or move it
// into the "Problem Fonts" folder beside the executable. Closing it deletes
// the marker.
#pragma once

#include "controls/base/xp_button.h"
#include "fw/controls/forms.h"
#include "fw/stdctrls/label.h"

namespace app {

// The executable's folder followed by "\Problem Fonts".
fw::String ProblemFontsFolder();

// Moves the file into the problem folder (made when missing) with the
// shell; false when the file does not exist or the move fails.
bool MoveToProblemFonts(const fw::String& Path);

// The first line of the crash marker, empty for an empty marker. Raises
// the framework's file error when the marker can't be read.
fw::String ReadCrashMarker(const fw::String& MarkerFile);

class TDatabaseerror : public fw::TForm {
  FW_CLASS(TDatabaseerror, fw::TForm)

 public:
  explicit TDatabaseerror(fw::TComponent* AOwner) : fw::TForm(AOwner) {}
  ~TDatabaseerror() override;

  fw::TLabel* Label3 = nullptr;
  ck::TCkXPButton* btnview = nullptr;
  ck::TCkXPButton* btndelete = nullptr;
  ck::TCkXPButton* btnmove = nullptr;

  // Label3 from the marker: its file, or "No invalid file recorded!".
  void ReadMarker();
  // The file the dialog names; empty when the marker named none.
  fw::String NamedFile() const;

  void btnviewClick(fw::TObject* Sender);
  void btndeleteClick(fw::TObject* Sender);
  void btnmoveClick(fw::TObject* Sender);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);

 private:
  fw::String namedFile_;
};

extern TDatabaseerror* Databaseerror;

// What the main window's one-shot timer does when the marker is there: the
// marker read into the dialog, a beep, the dialog shown modally.
void ShowDatabaseError();

}  // namespace app
