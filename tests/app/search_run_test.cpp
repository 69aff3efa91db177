#include "app/search_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "app/font_loading.h"
#include "font_fixtures.h"
#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"
#include "glyph_samples.h"

namespace app {
namespace {

using fixtures::Wide;
using TCall = std::pair<fw::String, fw::String>;  // face, path

// Lists every candidate with the score set for its face (70 by default)
// and notes whether the face was selectable during the call.
struct TFakeScorer : TCandidateScorer {
  explicit TFakeScorer(TResultList& r) : results(r) {}
  void comparefontandimage(const fw::String& face, const fw::String& path) override {
    calls.push_back({face, path});
    if (path != kSystemFontPath) selectable.push_back(FaceIsInstalled(face));
    if (face == failFor) throw fw::Exception(u"cannot draw");
    const auto it = scores.find(face);
    results.Add(face, it != scores.end() ? it->second : nextScore(), path);
  }
  TResultList& results;
  std::map<fw::String, double> scores;
  std::function<double()> nextScore = [] { return 70.0; };
  fw::String failFor;
  std::vector<TCall> calls;
  std::vector<bool> selectable;
};

struct TFakeView : TSearchView {
  void SearchStarted(TSearchSource) override { ++started; }
  void SourceDefaulted() override { ++defaulted; }
  void SetProgressMax(int m) override { max = m; }
  void SetProgress(int p) override { progress.push_back(p); }
  void ShowInformation(const fw::String& t) override { messages.push_back(t); }
  void ShowFilterActive() override { ++filterNotices; }
  void SearchFinished(const TSearchSummary& s) override {
    ++finished;
    summary = s;
    if (onFinished) onFinished();
  }
  int started = 0, defaulted = 0, max = -1, filterNotices = 0, finished = 0;
  std::vector<int> progress;
  std::vector<fw::String> messages;
  TSearchSummary summary;
  std::function<void()> onFinished;
};

class SearchRun : public ::testing::Test {
 protected:
  // A folder of known fonts; false when their packages are missing.
  bool MakeFolder(std::initializer_list<const char*> files) {
    for (const char* f : files) {
      if (!fixtures::MakeFixture(tmp, f)) return false;
    }
    return true;
  }
  fw::String Folder() const { return fw::ExcludeTrailingPathDelimiter(tmp.Path("")); }
  std::vector<double> Scores() const {
    std::vector<double> r;
    for (const TResultItem& i : results.Items()) r.push_back(i.Score);
    return r;
  }
  bool SortedBestFirst() const {
    const std::vector<double> s = Scores();
    return std::is_sorted(s.begin(), s.end(), std::greater<double>());
  }

  TTempDir tmp;
  TResultList results;
  TFakeScorer scorer{results};
  TFakeView view;
  TSearchRun run{scorer, results, view};
};

TEST_F(SearchRun, FolderSourceListsBestFirstSkipsWhatCannotBeLoadedAndReleasesEveryFile) {
  if (!MakeFolder({"vltest.ttf", "vltestbd.ttf", "vlotf.otf", "vlcour.fon"}) ||
      !fixtures::MakePostScriptPair(tmp, "vt59")) {
    GTEST_SKIP() << "font packages missing";
  }
  fixtures::WriteGarbage(tmp, "broken.ttf");
  fixtures::WriteGarbage(tmp, "notes.txt");
  scorer.scores = {{u"Vltest Sans Bold", 95}, {u"Vltest Sans", 60}, {u"VlotfxSans-Regular", 60}};
  run.Options().Source = TSearchSource::Folders;
  run.Options().Folder = Folder();
  EXPECT_EQ(run.CandidateCount(), 5);

  run.btnstartstopClick();

  ASSERT_EQ(results.Count(), 3);
  EXPECT_EQ(results[0].Caption, u"Vltest Sans Bold");
  EXPECT_EQ(results[0].Path, tmp.Path("vltestbd.ttf"));
  EXPECT_EQ(Scores(), (std::vector<double>{95, 60, 60}));
  // Each face was selectable while it was scored, and none is after.
  EXPECT_EQ(scorer.selectable, std::vector<bool>(3, true));
  for (const fw::String& face : {u"Vltest Sans", u"Vltest Sans Bold", u"VlotfxSans-Regular"}) {
    EXPECT_FALSE(FaceIsInstalled(face)) << fw::StringToUtf8(face);
  }
  // The bitmap font is no candidate; the damaged file and the metrics file
  // whose pair the system can't load are skipped and counted.
  EXPECT_EQ(run.FontFileCount, 5);
  EXPECT_EQ(run.ScanCounter, 5);
  const TSearchSummary& s = view.summary;
  EXPECT_EQ(s.Candidates, 5);
  EXPECT_EQ(s.Scored, 3);
  EXPECT_EQ(s.Unusable, 2);
  EXPECT_EQ(s.Failed, 0);
  EXPECT_EQ(s.Results, 3);
  EXPECT_FALSE(s.Stopped);
  EXPECT_FALSE(s.SymbolFontsNotice);
  EXPECT_EQ(view.started, 1);
  EXPECT_EQ(view.finished, 1);
  EXPECT_EQ(view.max, 6);
  EXPECT_EQ(run.State(), TSearchState::Idle);
  EXPECT_EQ(run.SearchRunning, 0);
}

TEST_F(SearchRun, SymbolToggleChoosesEitherSymbolFontsOrTheOthers) {
  if (!MakeFolder({"vltest.ttf", "vlsymb.ttf"})) GTEST_SKIP() << "fonts-dejavu-core missing";
  run.Options().Source = TSearchSource::Folders;
  run.Options().Folder = Folder();
  for (bool symbolsOnly : {true, false}) {
    SCOPED_TRACE(symbolsOnly);
    scorer.calls.clear();
    run.Options().SymbolFontsOnly = symbolsOnly;
    run.btnstartstopClick();
    ASSERT_EQ(scorer.calls.size(), 1u);
    EXPECT_EQ(scorer.calls[0].first, symbolsOnly ? u"Vlsymb Sans" : u"Vltest Sans");
    EXPECT_EQ(view.summary.SymbolFontsNotice, symbolsOnly);
  }
}

TEST_F(SearchRun, StopFromTheMessageLoopFinishesOnceWithThePartialListSorted) {
  double next = 0;
  scorer.nextScore = [&] { return next += 10; };  // rising scores: the sort must turn them round
  int runs = 0;
  TSearchState stateInside = TSearchState::Idle;
  run.SetProcessMessages([&] {
    if (++runs != 5) return;
    run.btnstartstopClick();  // "Stop"
    stateInside = run.State();
    run.btnstartstopClick();  // a second click while the search unwinds: nothing
    EXPECT_EQ(view.finished, 1);
    EXPECT_EQ(view.started, 1);
  });
  view.onFinished = [&] { EXPECT_TRUE(SortedBestFirst()); };
  run.Options().Source = TSearchSource::System;

  run.btnstartstopClick();

  EXPECT_EQ(stateInside, TSearchState::Stopping);
  EXPECT_EQ(view.finished, 1);
  EXPECT_EQ(view.started, 1);
  EXPECT_EQ(runs, 5);
  EXPECT_EQ(scorer.calls.size(), 4u);  // nothing is scored after the stop
  EXPECT_EQ(Scores(), (std::vector<double>{40, 30, 20, 10}));
  EXPECT_TRUE(view.summary.Stopped);
  EXPECT_EQ(view.summary.Results, 4);
  EXPECT_EQ(view.summary.ElapsedText.size(), 12u);
  for (const TCall& c : scorer.calls) EXPECT_EQ(c.second, u"System font");
  EXPECT_EQ(run.State(), TSearchState::Idle);
  EXPECT_EQ(run.SearchRunning, 0);

  // The next click starts a new search.
  run.SetProcessMessages(nullptr);
  scorer.calls.clear();
  run.btnstartstopClick();
  EXPECT_EQ(view.started, 2);
  EXPECT_EQ(view.finished, 2);
  EXPECT_EQ(static_cast<int>(scorer.calls.size()), run.CandidateCount());
  EXPECT_FALSE(view.summary.Stopped);
}

TEST_F(SearchRun, ACommandFromInsideTheFinishingStepsChangesNothing) {
  run.SetProcessMessages([&] { run.btnstartstopClick(); });
  view.onFinished = [&] { run.btnstartstopClick(); };
  run.btnstartstopClick();
  EXPECT_EQ(view.started, 1);
  EXPECT_EQ(view.finished, 1);
  EXPECT_TRUE(scorer.calls.empty());
  EXPECT_EQ(run.State(), TSearchState::Idle);
}

TEST_F(SearchRun, ALoweredFlagEndsTheLoopWhichThenFinishesOnce) {
  // The window closing lowers the flag without a click.
  int runs = 0;
  run.SetProcessMessages([&] {
    if (++runs == 3) run.RequestStop();
  });
  run.btnstartstopClick();
  EXPECT_EQ(view.finished, 1);
  EXPECT_TRUE(view.summary.Stopped);
  EXPECT_EQ(scorer.calls.size(), 2u);
}

TEST_F(SearchRun, AnErrorInAnInstalledFontEndsTheSearchAfterTheFinishingSteps) {
  const std::vector<fw::String> names = InstalledFontNames();
  ASSERT_GE(names.size(), 3u);
  scorer.failFor = names[2];
  EXPECT_THROW(run.btnstartstopClick(), fw::Exception);
  EXPECT_EQ(view.finished, 1);
  EXPECT_EQ(view.summary.Failed, 1);
  EXPECT_EQ(view.summary.Results, 2);
  EXPECT_EQ(run.State(), TSearchState::Idle);
  EXPECT_EQ(run.SearchRunning, 0);
}

TEST_F(SearchRun, AnErrorInAFontFileSkipsOnlyThatFile) {
  if (!MakeFolder({"vltest.ttf", "vltestbd.ttf"})) GTEST_SKIP() << "fonts-dejavu-core missing";
  scorer.failFor = u"Vltest Sans";
  run.Options().Source = TSearchSource::Folders;
  run.Options().Folder = Folder();
  run.btnstartstopClick();
  EXPECT_EQ(view.summary.Failed, 1);
  ASSERT_EQ(results.Count(), 1);
  EXPECT_EQ(results[0].Caption, u"Vltest Sans Bold");
  EXPECT_FALSE(FaceIsInstalled(u"Vltest Sans"));
}

// Copies of a real font whose naming table is damaged in one way each; the
// system's own naming crashes on such tables.
TEST_F(SearchRun, FontFilesWithADamagedNamingTableAreSkippedBeforeTheSystemSeesThem) {
  if (!MakeFolder({"vltest.ttf"})) GTEST_SKIP() << "fonts-dejavu-core missing";
  const fixtures::Bytes font = fixtures::ReadAll(tmp.Path("vltest.ttf"));
  size_t entry = 0;
  for (size_t i = 0; i < (font[4] << 8 | font[5]); ++i) {
    if (std::string(font.begin() + 12 + 16 * i, font.begin() + 16 + 16 * i) == "name") entry = 12 + 16 * i;
  }
  ASSERT_NE(entry, 0u);
  const size_t table = fixtures::Be32(font, entry + 8);
  const auto set16 = [](fixtures::Bytes& b, size_t at, unsigned v) {
    b[at] = static_cast<uint8_t>(v >> 8);
    b[at + 1] = static_cast<uint8_t>(v);
  };
  const std::pair<const char*, std::function<void(fixtures::Bytes&)>> damages[] = {
      {"length.ttf", [&](fixtures::Bytes& b) { set16(b, entry + 12, 0x7FFF); }},
      {"count.ttf", [&](fixtures::Bytes& b) { set16(b, table + 2, 0xFFFF); }},
      {"strings.ttf", [&](fixtures::Bytes& b) { set16(b, table + 4, 0xFFFF); }},
      {"record.ttf", [&](fixtures::Bytes& b) { set16(b, table + 6 + 8, 0xFFFF); }},
  };
  for (const auto& [file, damage] : damages) {
    fixtures::Bytes copy = font;
    damage(copy);
    fw::WriteFileBytes(tmp.Path(file), copy);
  }
  run.Options().Source = TSearchSource::Folders;
  run.Options().Folder = Folder();
  run.btnstartstopClick();

  ASSERT_EQ(results.Count(), 1);
  EXPECT_EQ(results[0].Path, tmp.Path("vltest.ttf"));
  EXPECT_EQ(view.summary.Candidates, 5);
  EXPECT_EQ(view.summary.Unusable, 4);
  EXPECT_EQ(view.summary.Failed, 0);
  EXPECT_EQ(SkippedFilesText(view.summary), u"4 font files could not be read");
}

TEST_F(SearchRun, ProgressIsShownOnlyAtItsMarks) {
  // Folders mark every tenth of the files, the database every hundredth of
  // the records; with fewer the step is 0 and only the first mark is hit.
  const struct {
    TSearchSource Source;
    int Count;
    std::vector<int> Expected;
  } kCases[] = {
      {TSearchSource::Folders, 3, {}},
      {TSearchSource::Folders, 12, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
      {TSearchSource::Folders, 25, {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24}},
      {TSearchSource::Database, 5, {0}},
      {TSearchSource::Database, 250, {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Count);
    TTempDir dir;
    TFontDatabase db;
    db.OpenCompDatabase(dir.Path("CBase.DAT"));
    for (int i = 0; i < c.Count; ++i) {
      const std::string name = "f" + std::to_string(i) + ".ttf";
      if (c.Source == TSearchSource::Folders) fixtures::WriteGarbage(dir, name, 8);
      db.RecFileName = dir.Path("missing_" + name);
      db.RecWeight = u"400";
      db.WriteNewCompRec();
    }
    std::vector<int> expected = c.Expected;
    if (c.Count == 250) {
      for (int i = 2; i < 250; i += 2) expected.push_back(i);
    }
    int runs = 0;
    run.SetProcessMessages([&] { ++runs; });
    run.SetDatabase(&db);
    run.Options().Source = c.Source;
    run.Options().Folder = dir.Path("");
    view.progress.clear();
    run.btnstartstopClick();
    EXPECT_EQ(view.progress, expected);
    EXPECT_EQ(view.max, c.Count + 1);
    EXPECT_EQ(runs, c.Count);  // the queue runs once per file or record
    EXPECT_TRUE(scorer.calls.empty());
  }
}

TEST_F(SearchRun, InstalledFontsAreMarkedEveryTenth) {
  const int n = static_cast<int>(InstalledFontNames().size());
  run.btnstartstopClick();
  const int step = (n + 1) / 10;
  std::vector<int> expected;
  for (int mark = step; step > 0 && mark < n; mark += step) expected.push_back(mark);
  EXPECT_EQ(view.max, n + 1);
  EXPECT_EQ(view.progress, expected);
  EXPECT_EQ(view.summary.Candidates, n);
}

TEST_F(SearchRun, DatabaseSourceFindsWhatTheFolderSourceFindsForTheSameFiles) {
  if (!MakeFolder({"vltest.ttf", "vltestbd.ttf", "vlotf.otf"})) GTEST_SKIP() << "font packages missing";
  fixtures::WriteGarbage(tmp, "broken.ttf");
  run.Options().Source = TSearchSource::Folders;
  run.Options().Folder = Folder();
  run.btnstartstopClick();
  const std::set<TCall> fromFolder(scorer.calls.begin(), scorer.calls.end());
  ASSERT_EQ(fromFolder.size(), 3u);

  TTempDir dataDir;
  TFontDatabase db;
  db.OpenCompDatabase(dataDir.Path("CBase.DAT"));
  auto add = [&](const fw::String& path, const fw::String& weight) {
    db.RecName = u"any";
    db.RecFamily = u"Swiss";
    db.RecStyle = u"Regular";
    db.RecFontType = u"3";
    db.RecFileName = path;
    db.RecWeight = weight;
    db.WriteNewCompRec();
  };
  for (const char* f : {"vltest.ttf", "vltestbd.ttf", "vlotf.otf", "broken.ttf"}) add(tmp.Path(f), u"400");
  add(tmp.Path("gone.ttf"), u"400");   // the file no longer exists
  add(tmp.Path("vltest.ttf"), u"0");   // below every weight bound: filtered out
  add(tmp.Path("vltest.ttf"), u"abc"); // damaged: skipped, the search goes on
  add(tmp.Path("vlotf.otf"), u"400");  // listed twice: scored twice

  scorer.calls.clear();
  results.Clear();
  run.SetDatabase(&db);
  run.Options().Source = TSearchSource::Database;
  run.Options().FilterActive = true;
  EXPECT_EQ(run.CandidateCount(), 8);
  run.btnstartstopClick();

  const std::set<TCall> fromDatabase(scorer.calls.begin(), scorer.calls.end());
  EXPECT_EQ(fromDatabase, fromFolder);
  EXPECT_EQ(scorer.calls.size(), 4u);
  EXPECT_EQ(view.summary.Unusable, 1);
  EXPECT_EQ(view.summary.Failed, 1);
  EXPECT_EQ(view.filterNotices, 1);
  EXPECT_EQ(view.finished, 2);
  EXPECT_TRUE(SortedBestFirst());
}

TEST_F(SearchRun, AFolderWithoutFontFilesSaysSoAndFindsNothing) {
  if (!MakeFolder({"vlcour.fon"})) fixtures::WriteGarbage(tmp, "only.fon");
  run.Options().Source = TSearchSource::Folders;
  run.Options().Folder = Folder();
  EXPECT_EQ(run.CandidateCount(), 0);
  run.btnstartstopClick();
  EXPECT_EQ(view.messages, (std::vector<fw::String>{u"There is no font files in " + Folder() + u" folder!"}));
  EXPECT_TRUE(results.Empty());
  EXPECT_EQ(view.finished, 1);
}

TEST_F(SearchRun, WithNoSourceChosenTheInstalledFontsRunWithoutMessageQueueOrSymbolFonts) {
  int runs = 0;
  run.SetProcessMessages([&] { ++runs; });
  run.Options().Source = TSearchSource::None;
  run.Options().SymbolFontsOnly = true;
  run.btnstartstopClick();
  EXPECT_EQ(view.defaulted, 1);
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(run.Options().Source, TSearchSource::System);
  EXPECT_FALSE(run.Options().SymbolFontsOnly);
  EXPECT_FALSE(scorer.calls.empty());
  EXPECT_LE(static_cast<int>(scorer.calls.size()), run.CandidateCount());
  for (const TCall& c : scorer.calls) {
    std::vector<fw::String> charsets;
    EXPECT_FALSE(IsSymbolFont(c.first, charsets)) << fw::StringToUtf8(c.first);
  }
  EXPECT_EQ(view.finished, 1);
}

TEST(SearchSkipped, UnusableFilesAndFailedCandidatesAreCountedTogether) {
  const struct {
    int Unusable, Failed;
    const char16_t* Text;
  } kCases[] = {{0, 0, u""}, {1, 0, u"1 font file could not be read"}, {0, 1, u"1 font file could not be read"},
                {2, 1, u"3 font files could not be read"}};
  for (const auto& c : kCases) {
    TSearchSummary s;
    s.Unusable = c.Unusable;
    s.Failed = c.Failed;
    EXPECT_EQ(SkippedFilesText(s), c.Text) << c.Unusable << " " << c.Failed;
  }
}

TEST(SearchElapsed, IsWrittenAsHoursMinutesSecondsAndMilliseconds) {
  EXPECT_EQ(FormatElapsed(0), u"00:00:00.000");
  EXPECT_EQ(FormatElapsed(3723004), u"01:02:03.004");
  EXPECT_EQ(FormatElapsed(59999), u"00:00:59.999");
}

TEST_F(SearchRun, WithTheMatchingEngineTheSamplesOwnFontComesFirst) {
  if (!MakeFolder({"vltest.ttf", "vltestbd.ttf", "vlotf.otf"})) GTEST_SKIP() << "font packages missing";
  std::unique_ptr<fw::TBitmap> sample;
  {
    const TAddedFontResource bold(tmp.Path("vltestbd.ttf"));
    sample = testing_glyphs::Sample(u"Vltest Sans Bold", 'R', 40);
  }
  TMatchingEngine engine;
  TMatchOptions options;
  options.CodePoint = 'R';
  options.Threshold = 50;
  engine.SetOptions(options);
  engine.SetSample(sample.get());
  TResultList list;
  TEngineScorer scorer(engine, list);
  TSearchRun search(scorer, list, view);
  search.Options().Source = TSearchSource::Folders;
  search.Options().Folder = Folder();
  search.btnstartstopClick();
  ASSERT_FALSE(list.Empty());
  EXPECT_EQ(list[0].Caption, u"Vltest Sans Bold");
  EXPECT_EQ(list[0].Path, tmp.Path("vltestbd.ttf"));
  EXPECT_GT(list[0].Score, 90);
  for (int i = 1; i < list.Count(); ++i) EXPECT_LT(list[i].Score, list[0].Score);
}

}  // namespace
}  // namespace app
