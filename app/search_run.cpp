#include "app/search_run.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <optional>

#include "app/core/font_files.h"
#include "app/core/ttf_info.h"
#include "app/font_folders.h"
#include "app/font_loading.h"
#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "fw/platform/files.h"

namespace app {

namespace {

double Seconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

}  // namespace

fw::String SkippedFilesText(const TSearchSummary& summary) {
  const int skipped = summary.Unusable + summary.Failed;
  if (skipped == 0) return fw::String();
  return fw::IntToStr(skipped) + (skipped == 1 ? u" font file could not be read" : u" font files could not be read");
}

fw::String FormatElapsed(uint64_t ms) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%02llu:%02llu:%02llu.%03llu", static_cast<unsigned long long>(ms / 3600000),
                static_cast<unsigned long long>(ms / 60000 % 60), static_cast<unsigned long long>(ms / 1000 % 60),
                static_cast<unsigned long long>(ms % 1000));
  return fw::Utf8ToString(buf);
}

TEngineScorer::TEngineScorer(TMatchingEngine& engine, TResultList& results) : engine_(engine), results_(results) {
  engine_.SetSink(this);
}

void TEngineScorer::comparefontandimage(const fw::String& faceName, const fw::String& path) {
  engine_.comparefontandimage(faceName, path);
}

void TEngineScorer::AddMatch(const fw::String& faceName, const fw::String& path, double score) {
  results_.Add(faceName, score, path);
}

TSearchRun::TSearchRun(TCandidateScorer& scorer, TResultList& results, TSearchView& view)
    : scorer_(scorer), results_(results), view_(view) {}

int TSearchRun::CandidateCount() const {
  switch (options_.Source) {
    case TSearchSource::Folders:
      return GetNumberoffiles(options_.Folder.empty() ? fw::FontsFolder() : options_.Folder, false);
    case TSearchSource::Database:
      return database_ && database_->CompFile.IsOpen() ? static_cast<int>(database_->CompFile.FileSize()) : 0;
    default:
      return static_cast<int>(InstalledFontNames().size());
  }
}

void TSearchRun::btnstartstopClick() {
  switch (state_) {
    case TSearchState::Idle:
      Start();
      break;
    case TSearchState::Running:
      // From inside the finishing steps (a message box or balloon running
      // the queue): they are already under way.
      if (finished_) break;
      // Re-entered from the loop's message-queue run: finish now, and let
      // the loop unwind when that run returns.
      SearchRunning = 0;
      summary_.Stopped = true;
      Finish();
      state_ = TSearchState::Stopping;
      break;
    case TSearchState::Stopping:
      break;
  }
}

void TSearchRun::Start() {
  state_ = TSearchState::Running;
  finished_ = false;
  summary_ = TSearchSummary{};
  summary_.Source = options_.Source;
  startTick_ = GetTickCount64();
  // Under Wine the application-data folder is a registry read, which cost
  // a tenth of the time a font file takes.
  fotFile_ = TempFotFileName();
  FontFileCount = 0;
  ScanCounter = 0;
  results_.Clear();
  SearchRunning = 1;
  view_.SearchStarted(options_.Source);

  std::exception_ptr error;
  try {
    switch (options_.Source) {
      case TSearchSource::System: RunSystemSource(); break;
      case TSearchSource::Folders: RunFolderSource(); break;
      case TSearchSource::Database: RunDatabaseSource(); break;
      case TSearchSource::None: RunDefaultSource(); break;
    }
  } catch (...) {
    error = std::current_exception();
  }
  if (!finished_) Finish();
  state_ = TSearchState::Idle;
  if (error) std::rethrow_exception(error);
}

void TSearchRun::Finish() {
  finished_ = true;
  SearchRunning = 0;
  summary_.ElapsedMs = GetTickCount64() - startTick_;
  summary_.ElapsedText = FormatElapsed(summary_.ElapsedMs);
  results_.SortByScore(-1);
  summary_.Results = results_.Count();
  summary_.SymbolFontsNotice = options_.SymbolFontsOnly && options_.Source != TSearchSource::System;
  view_.SearchFinished(summary_);
}

bool TSearchRun::KeepRunning() {
  if (processMessages_) processMessages_();
  if (SearchRunning != 0) return true;
  summary_.Stopped = true;
  return false;
}

void TSearchRun::MarkProgress(int position, int& mark, int step) {
  // Only at the marks: with fewer candidates than marks the step is 0 and
  // the gauge shows its first position alone.
  if (position != mark) return;
  view_.SetProgress(position);
  mark += step;
}

void TSearchRun::Score(const fw::String& face, const fw::String& path) {
  ++summary_.Scored;
  scorer_.comparefontandimage(face, path);
}

void TSearchRun::RunSystemSource() {
  const std::vector<fw::String> names = InstalledFontNames();
  const int max = static_cast<int>(names.size()) + 1;
  view_.SetProgressMax(max);
  const int step = max / 10;
  int mark = step;
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    fname = names[static_cast<size_t>(i)];
    MarkProgress(i, mark, step);
    if (!KeepRunning()) return;
    ++summary_.Candidates;
    try {
      Score(fname, kSystemFontPath);
    } catch (...) {
      ++summary_.Failed;
      throw;  // an installed font that fails ends the search
    }
  }
}

void TSearchRun::RunDefaultSource() {
  // What checking "System" does: its click handler releases the symbol
  // toggle and clears the list. This run neither runs the message queue
  // nor stops.
  view_.SourceDefaulted();
  options_.Source = TSearchSource::System;
  options_.SymbolFontsOnly = false;
  summary_.Source = TSearchSource::System;
  results_.Clear();
  const std::vector<fw::String> names = InstalledFontNames();
  view_.SetProgressMax(static_cast<int>(names.size()) + 1);
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    fname = names[static_cast<size_t>(i)];
    view_.SetProgress(i);
    ++summary_.Candidates;
    // Cleared per face: a symbol face must not mark every face after it.
    CharsetNames.clear();
    if (IsSymbolFont(fname, CharsetNames) != options_.SymbolFontsOnly) continue;
    try {
      Score(fname, kSystemFontPath);
    } catch (...) {
      ++summary_.Failed;
      throw;
    }
  }
}

void TSearchRun::RunFolderSource() {
  const fw::String folder = options_.Folder.empty() ? fw::FontsFolder() : options_.Folder;
  FontFileCount = GetNumberoffiles(folder, false);
  const int max = FontFileCount + 1;
  view_.SetProgressMax(max);
  if (max == 1) view_.ShowInformation(u"There is no font files in " + folder + u" folder!");
  ScanCounter = 0;
  const int step = max / 10;
  int mark = step;
  ScanFolderAndMatch(folder, false, mark, step);
}

void TSearchRun::ScanFolderAndMatch(const fw::String& folder, bool withSubfolders, int& mark, int step) {
  fw::TFindOptions walk;
  walk.recursive = withSubfolders;
  fw::FindFiles(folder, walk, [&](const fw::String& path, const fw::TSearchRec& e) {
    if (e.Attr & fw::faDirectory) return KeepRunning() && SearchRunning != 0;
    if (!IsFontFileEntry(e)) return true;
    CharsetNames.clear();
    if (!KeepRunning()) return false;
    ++ScanCounter;
    MarkProgress(ScanCounter, mark, step);
    MatchFontFile(path);
    return true;
  });
}

void TSearchRun::MatchFontFile(const fw::String& path) {
  ++summary_.Candidates;
  std::optional<TAddedFontResource> font;
  const auto release = [&] {
    const double t = Seconds();
    font.reset();
    summary_.ReleaseSeconds += Seconds() - t;
  };
  // The system's naming trusts a file's naming table and can crash on a
  // damaged one: such a file never reaches the font table.
  // The names read in the same pass name the face below without opening
  // the file again.
  tTTFList names;
  if (HasNamingTable(UpperFileExt(path)) && !ReadSoundNamingTable(path, names)) {
    ++summary_.Unusable;
    return;
  }
  try {
    const double t = Seconds();
    font.emplace(FontResourceName(path));
    TFaceNameRoutes routes;
    routes.ViaFot = [this](const fw::String& p) { return FotFaceNameOfSoundFile(p, fotFile_); };
    routes.FromFile = [&](const fw::String&) { return FaceNameFromNames(names, FaceIsInstalled); };
    // Where the system gives no description (Wine), the names already read
    // answer before a font resource file is written, read and deleted.
    routes.FileBeforeFot = true;
    fname = font->Loaded() ? GetFontFaceName(path, routes) : fw::String();
    summary_.LoadSeconds += Seconds() - t;
    if (fname.empty()) {
      release();
      ++summary_.Unusable;
      return;
    }
    if (IsSymbolFont(fname, CharsetNames) == options_.SymbolFontsOnly) Score(fname, path);
    release();
  } catch (const std::exception&) {
    release();
    ++summary_.Failed;  // this file is skipped; the search goes on
  }
}

void TSearchRun::RunDatabaseSource() {
  const int count =
      database_ && database_->CompFile.IsOpen() ? static_cast<int>(database_->CompFile.FileSize()) : 0;
  const int max = count + 1;
  view_.SetProgressMax(max);
  const int step = max / 100;
  int mark = step;
  if (options_.FilterActive) view_.ShowFilterActive();
  for (int i = 0; i < count; ++i) {
    try {
      TFontDatabase& db = *database_;
      db.CompFile.Seek(i);
      db.CompFile.Read(db.CompRec);
      MarkProgress(i, mark, step);
      const fw::String path = fw::AnsiToString(db.CompRec.FileName.Get());
      if (fw::FileExists(path) && CompareFontFromDatabase(db.CompRec, options_.Filter)) {
        CharsetNames.clear();
        MatchFontFile(path);
      }
    } catch (const std::exception&) {
      ++summary_.Failed;  // a damaged record is skipped
    }
    // Also after a damaged record, so that a file of them can be stopped.
    if (!KeepRunning()) return;
  }
}

}  // namespace app
