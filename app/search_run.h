// A search run: takes every candidate font of the chosen source (the
// installed fonts, the font files of a folder, or the records of the font
// database), makes a file candidate usable for its one rendering, has the
// matching engine score it, and ends with the result list sorted best first.
//
// The run lives on the user-interface thread and lets the message queue run
// between candidates, so the same command that started it can stop it from
// inside that message-queue run. The states keep the finishing steps to one
// run per search however the stop arrives:
//
//   Idle --start--> Running --candidates end / error / flag lowered--> Idle
//                      |
//                      +--stop command (re-entered)--> Stopping --loop unwinds--> Idle
//
// A stop command finishes the search at once (the results so far are sorted
// and reported); the loop notices the lowered flag when the message-queue run
// returns and unwinds without finishing again. Commands that arrive while it
// unwinds are ignored.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "app/core/font_database.h"
#include "app/core/result_model.h"
#include "app/matching_engine.h"
#include "fw/core/types.h"

namespace app {

enum class TSearchSource { None, System, Folders, Database };
enum class TSearchState { Idle, Running, Stopping };

// Scores one candidate: the matching engine. The face is selectable while
// the call runs; path is the font file or kSystemFontPath. Matches go to the
// result list through the engine's own sink.
class TCandidateScorer {
 public:
  virtual ~TCandidateScorer() = default;
  virtual void comparefontandimage(const fw::String& faceName, const fw::String& path) = 0;
};

// The matching engine as a search's scorer: the engine scores, its matches
// go to the result list. Makes itself the engine's sink.
class TEngineScorer : public TCandidateScorer, public TMatchSink {
 public:
  TEngineScorer(TMatchingEngine& engine, TResultList& results);
  void comparefontandimage(const fw::String& faceName, const fw::String& path) override;
  void AddMatch(const fw::String& faceName, const fw::String& path, double score) override;

 private:
  TMatchingEngine& engine_;
  TResultList& results_;
};

struct TSearchSummary {
  TSearchSource Source = TSearchSource::None;
  bool Stopped = false;         // ended by a stop request
  int Results = 0;              // items in the result list
  int Candidates = 0;           // candidates taken from the source
  int Scored = 0;               // handed to the scorer
  int Unusable = 0;             // files the system couldn't load or name
  int Failed = 0;               // candidates whose handling raised
  double LoadSeconds = 0;       // adding files to the font table and naming them
  double ReleaseSeconds = 0;    // removing them again
  uint64_t ElapsedMs = 0;
  fw::String ElapsedText;       // "hh:nn:ss.zzz"
  bool SymbolFontsNotice = false;  // only symbol fonts were compared
};

// What the window shows of a run: the gauge, the labels and buttons, the
// messages and balloons. Every method has a do-nothing default.
class TSearchView {
 public:
  virtual ~TSearchView() = default;
  // "Stop" caption, source panel and page buttons disabled, count "0",
  // gauge shown at 0.
  virtual void SearchStarted(TSearchSource) {}
  // No source was chosen: "System" is checked (its click handler releases
  // the symbol toggle and clears the list).
  virtual void SourceDefaulted() {}
  virtual void SetProgressMax(int) {}
  virtual void SetProgress(int) {}
  // An information message (a folder without font files).
  virtual void ShowInformation(const fw::String&) {}
  // The balloon "Database filter is activated!" at the filter button.
  virtual void ShowFilterActive() {}
  // After the finishing steps: controls enabled again, "Find", gauge
  // hidden, elapsed time and count shown, the symbol-fonts balloon when
  // asked for. The result list is already sorted.
  virtual void SearchFinished(const TSearchSummary&) {}
};

struct TSearchOptions {
  TSearchSource Source = TSearchSource::System;
  fw::String Folder;              // of the folder source
  bool SymbolFontsOnly = false;   // "Search for symbol fonts" down
  bool FilterActive = false;      // the database filter was changed
  TFontFilter Filter;
};

// "hh:nn:ss.zzz" of a duration.
fw::String FormatElapsed(uint64_t ms);

// What a search skipped: "3 font files could not be read" (unusable files
// and failed candidates together), "1 font file ..."; empty for none.
fw::String SkippedFilesText(const TSearchSummary& summary);

class TSearchRun {
 public:
  TSearchRun(TCandidateScorer& scorer, TResultList& results, TSearchView& view);
  TSearchRun(const TSearchRun&) = delete;
  TSearchRun& operator=(const TSearchRun&) = delete;

  TSearchOptions& Options() { return options_; }
  // The open font database of the database source (not owned).
  void SetDatabase(TFontDatabase* db) { database_ = db; }
  // Runs the message queue once; the window passes the application's.
  void SetProcessMessages(std::function<void()> f) { processMessages_ = std::move(f); }

  // The "Find"/"Stop" command: starts a search when idle and returns when
  // it has ended; while one runs it stops it and finishes it; while a
  // stopped one unwinds it does nothing. An error that ends the search
  // (installed fonts) is raised again after the finishing steps.
  void btnstartstopClick();
  // Lowers the flag only (the window closing); the loop then ends and
  // finishes by itself.
  void RequestStop() { SearchRunning = 0; }

  TSearchState State() const { return state_; }
  // The number of candidates of the chosen source ("Fonts: n").
  int CandidateCount() const;

  // 1 while a search runs; 0 when idle or asked to stop.
  int16_t SearchRunning = 0;
  int FontFileCount = 0;  // font files in the searched folder
  int ScanCounter = 0;    // font files visited by the folder source
  fw::String fname;       // face name of the candidate being scored
  std::vector<fw::String> CharsetNames;  // of the candidate file

 private:
  void Start();
  void Finish();
  void RunSystemSource();
  void RunDefaultSource();
  void RunFolderSource();
  void ScanFolderAndMatch(const fw::String& folder, bool withSubfolders, int& mark, int step);
  void RunDatabaseSource();
  // Loads, names, tests and scores one font file; the file leaves the font
  // table before it returns.
  void MatchFontFile(const fw::String& path);
  void Score(const fw::String& face, const fw::String& path);
  // Runs the message queue; true when the search is to go on.
  bool KeepRunning();
  void MarkProgress(int position, int& mark, int step);

  TCandidateScorer& scorer_;
  TResultList& results_;
  TSearchView& view_;
  TFontDatabase* database_ = nullptr;
  std::function<void()> processMessages_;
  TSearchOptions options_;
  TSearchState state_ = TSearchState::Idle;
  bool finished_ = false;
  uint64_t startTick_ = 0;
  // The temporary font resource file that names file candidates; its path
  // is read from the system once per search.
  fw::String fotFile_;
  TSearchSummary summary_;
};

}  // namespace app
