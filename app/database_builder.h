// Building the font database: the walk that appends one record per accepted
// font file of a folder tree (a drive, for the builder dialog), and the
// addition of one folder's font files that the database does not list yet.
//
// Every font file is read the way a search reads it: its naming table is
// checked before the system sees the file, it is added to the system's font
// table only while its face is named and enumerated, and it is removed
// again at once. A file the record can't hold (its path doesn't survive the
// single-byte 200-character field) or that the system can't load or name is
// not stored; the build keeps a list of them for its summary.
//
// The builder runs on the user-interface thread. It lets the message queue
// run once per folder entry through its view, which is how the dialog's stop
// switch and labels stay live; a stop the user confirms ends the walk with
// the silent abort (fw::EAbort) that unwinds every level.
#pragma once

#include <windows.h>

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "app/core/font_database.h"
#include "fw/core/types.h"

namespace app {

// The settings dialog's "Include font types in database" choices and its
// "Create log file if database create fails"; a walk reads them when it
// starts. ".TTF" files are always taken.
struct TBuildSettings {
  bool Ttc = true;        // cbttc "True type collections(.ttc)"
  bool Pfm = true;        // cbps "Adobe Type1(*.pfm)"
  bool Otf = true;        // cbotf "Open Type (*.otf)"
  bool Fon = false;       // cbfon "Raster/Vector(*.fon)"
  bool CrashLog = false;  // cberror: the crash marker is written
};

// The settings dialog's choices now (its defaults until it is shown).
TBuildSettings CurrentBuildSettings();

// Whether the walk takes a file by its upper-case extension: ".TTF" always,
// the others as the settings say, ".FON" only with attributes exactly
// archive (32).
bool IsAcceptedForBuild(const fw::String& upperExt, uint32_t attributes, const TBuildSettings& settings);
// Whether the folder addition takes a file: every font kind, ".FON" only
// with attributes exactly archive; the settings are not consulted.
bool IsTakenForAddition(const fw::String& upperExt, uint32_t attributes);

// Whether a record can hold the path: its text in the system's single-byte
// code page reads back as the same path and takes at most 200 bytes. A path
// that fails would be stored under a name that never finds the file again.
bool FitsRecordFileName(const fw::String& path);

// The crash marker: the font file being read, as its only line, in the
// system's single-byte code page. Writing replaces the file.
void WriteCrashMarker(const fw::String& markerFile, const fw::String& fontPath);

enum class TSkipReason { NameDoesNotFit, Unreadable };
struct TSkippedFile {
  fw::String Path;
  TSkipReason Reason;
};

// The files a build could not store, for its closing message: one line each
// with the reason, at most 15 lines and then how many more; empty for none.
fw::String SkippedFilesSummary(const std::vector<TSkippedFile>& skipped);

// What the builder dialog shows and asks while a walk or an addition runs.
// Every method has a do-nothing default.
class TBuildView {
 public:
  virtual ~TBuildView() = default;
  virtual void ProcessMessages() {}
  // The stop switch is on.
  virtual bool StopSwitchOn() { return false; }
  // Asks "Database is not complete.Continue?"; on Yes the switch goes off
  // and true comes back.
  virtual bool ContinueAfterStop() { return false; }
  // "Scanning drive: ..." and "Records count: ..." of the walk.
  virtual void ShowCounters(const fw::String&, const fw::String&) {}
  // The folder and file name of the accepted file being read.
  virtual void ShowFile(const fw::String&, const fw::String&) {}
};

// The outcome of adding one folder.
struct TFolderAddition {
  int Found = 0;   // font files taken in the folder
  int New = 0;     // of them, not yet in the database
  int Stored = 0;  // of them, appended
  std::vector<TSkippedFile> Skipped;
};

// The closing message of an addition: "No font files found in selected
// folder!", "All font files from selected folder are already included in
// database!", or the count followed by " new fonts add in database!"; the
// files that could not be stored are listed after it.
fw::String FolderAdditionMessage(const TFolderAddition& addition);

class TDatabaseBuilder {
 public:
  TDatabaseBuilder(TFontDatabase& database, TBuildView& view);
  TDatabaseBuilder(const TDatabaseBuilder&) = delete;
  TDatabaseBuilder& operator=(const TDatabaseBuilder&) = delete;

  // Read when a build begins; tests set their own afterwards.
  TBuildSettings Settings;
  // Where the crash marker goes (the executable's folder by default).
  fw::String CrashMarkerFile;

  // -1 when a build begins, +1 per appended record.
  int RecordsWritten = -1;
  // Files seen on the current drive; the dialog resets it per drive.
  int FilesVisited = 0;

  // Counters reset, settings read, skipped list emptied.
  void BeginBuild();
  // Walks the folder's entries in the file system's order, entering
  // subfolders when asked (never a link, never a folder twice), appending
  // one record per accepted font file that can be stored. Raises fw::EAbort
  // when the user stops the build; any other error skips the entry.
  void CreateCompdatabase(const fw::String& folder, bool withSubfolders);
  // The end of a build that the user finished or stopped (a build that
  // brought the program down never gets here): the crash marker goes.
  void EndBuild();
  const std::vector<TSkippedFile>& Skipped() const { return skipped_; }

  // Appends the folder's font files (subfolders not entered) whose paths
  // the database does not list yet (compared ignoring letter case). A file
  // error of the database ends it, with what was done so far.
  TFolderAddition AddFontscompdatabase(const fw::String& folder);

 private:
  // Reads one font file into the Rec... fields and appends its record;
  // false (and the file listed) when it can't be stored.
  bool StoreFontFile(const fw::String& path, std::vector<TSkippedFile>& skipped);
  // Folders by volume and file index: a link the system doesn't mark as
  // one (Wine's view of a Unix tree) can't lead the walk round in a circle.
  using TFolderIds = std::set<std::pair<uint32_t, uint64_t>>;

  TFontDatabase& database_;
  TBuildView& view_;
  // The desktop's while a walk or an addition runs: every face is
  // enumerated on it rather than on one fetched per file.
  HDC dc_ = nullptr;
  fw::String fotFile_;
  std::vector<TSkippedFile> skipped_;
};

}  // namespace app
