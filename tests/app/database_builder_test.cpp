// Building the font database from a fixture folder: which files the walk
// takes by extension, attributes and settings, what each record holds, the
// counters and labels, the files it cannot store (damaged, empty, paths the
// record can't hold), the crash marker, a stopped build, and the addition
// of one folder's new fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/database_builder.h"
#include "app/image_form.h"
#include "fw/core/exceptions.h"
#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "font_fixtures.h"

namespace app {
namespace {

using fixtures::Exists;

struct RecordingView : TBuildView {
  int processed = 0;
  int stopAt = -1;          // the queue run after which the switch is on
  bool answerYes = false;   // to "Database is not complete.Continue?"
  int questions = 0;
  bool switchOn = false;
  fw::String scanning, records;
  fw::String firstRecords;  // the label before anything was written
  std::vector<fw::String> files;  // folder + name shown
  fw::String markerFile;
  std::vector<fw::String> markerWhenShown;

  void ProcessMessages() override {
    if (++processed == stopAt) switchOn = true;
  }
  bool StopSwitchOn() override { return switchOn; }
  bool ContinueAfterStop() override {
    ++questions;
    if (answerYes) switchOn = false;
    return answerYes;
  }
  void ShowCounters(const fw::String& s, const fw::String& r) override {
    scanning = s;
    records = r;
    if (firstRecords.empty()) firstRecords = r;
  }
  void ShowFile(const fw::String& folder, const fw::String& name) override {
    files.push_back(folder + name);
    if (!markerFile.empty()) {
      const fixtures::Bytes b = Exists(markerFile) ? fixtures::ReadAll(markerFile) : fixtures::Bytes{};
      markerWhenShown.push_back(fw::AnsiToString(std::string(b.begin(), b.end())));
    }
  }
};

struct Record {
  std::string name, family, style, file, type, weight;
};

std::vector<Record> ReadAllRecords(TFontDatabase& db) {
  std::vector<Record> out;
  for (int64_t i = 0; i < db.CompFile.FileSize(); ++i) {
    db.CompFile.Seek(i);
    db.CompFile.Read(db.CompRec);
    const TCompRec& r = db.CompRec;
    out.push_back({r.Name.Get(), r.Family.Get(), r.Style.Get(), r.FileName.Get(), r.FontType.Get(), r.Weight.Get()});
  }
  return out;
}

class DatabaseBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    db.OpenCompDatabase(data.Path("CBase.DAT"));
    builder.CrashMarkerFile = data.Path("marker.log");
    view.markerFile = builder.CrashMarkerFile;
  }
  fw::String Root() const {
    fw::String f = fonts.Path("");
    f.pop_back();
    return f;
  }
  std::string File(const std::string& name) const { return fw::StringToAnsi(fonts.Path(name)); }
  // Every file the walk took: stored or listed as not stored.
  std::set<std::string> Taken() {
    std::set<std::string> taken;
    for (const Record& r : ReadAllRecords(db)) taken.insert(r.file);
    for (const TSkippedFile& s : builder.Skipped()) taken.insert(fw::StringToAnsi(s.Path));
    return taken;
  }
  bool MakeFontFolder() {
    for (const char* f : {"vltest.ttf", "vlotf.otf", "vlcoll.ttc", "vlcour.fon"})
      if (!fixtures::MakeFixture(fonts, f)) return false;
    if (!fixtures::MakePostScriptPair(fonts, "vt59")) return false;
    std::filesystem::create_directories(fonts.Dir() / "sub");
    if (!fixtures::MakeFixture(fonts, "vltestbd.ttf", "sub/vltestbd.ttf")) return false;
    fixtures::MakeFixture(fonts, "vlcour.fon", "locked.fon");
    SetFileAttributesW(W(fonts.Path("locked.fon")), FILE_ATTRIBUTE_READONLY);
    fixtures::WriteGarbage(fonts, "damaged.ttf");
    fw::WriteFileBytes(fonts.Path("empty.otf"), {});
    fw::WriteFileBytes(fonts.Path("notes.txt"), {'x'});
    return true;
  }

  TTempDir fonts, data;
  TFontDatabase db;
  RecordingView view;
  TDatabaseBuilder builder{db, view};
};

TEST(DatabaseBuildRules, FilesAreTakenByExtensionAttributesAndSettings) {
  TBuildSettings none;
  none.Ttc = none.Pfm = none.Otf = none.Fon = false;
  TBuildSettings all;
  all.Fon = true;
  const uint32_t archive = FILE_ATTRIBUTE_ARCHIVE;
  const uint32_t readOnly = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY;
  const struct {
    const char16_t* ext;
    uint32_t attributes;
    bool withNone, withAll, addition;
  } kCases[] = {
      {u".TTF", archive, true, true, true},      {u".TTF", readOnly, true, true, true},
      {u".TTC", archive, false, true, true},     {u".PFM", archive, false, true, true},
      {u".OTF", archive, false, true, true},     {u".FON", archive, false, true, true},
      {u".FON", readOnly, false, false, false},  {u".FON", FILE_ATTRIBUTE_SYSTEM | archive, false, false, false},
      {u".FON", FILE_ATTRIBUTE_NORMAL, false, false, false},
      {u".PFB", archive, false, false, false},   {u".TXT", archive, false, false, false},
      {u"", archive, false, false, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(fw::StringToUtf8(c.ext) + " " + std::to_string(c.attributes));
    EXPECT_EQ(IsAcceptedForBuild(c.ext, c.attributes, none), c.withNone);
    EXPECT_EQ(IsAcceptedForBuild(c.ext, c.attributes, all), c.withAll);
    EXPECT_EQ(IsTakenForAddition(c.ext, c.attributes), c.addition);
  }
  const TBuildSettings defaults = CurrentBuildSettings();
  EXPECT_TRUE(defaults.Ttc && defaults.Pfm && defaults.Otf);
  EXPECT_FALSE(defaults.Fon || defaults.CrashLog);
}

TEST(DatabaseBuildRules, APathFitsTheRecordOnlyAsSingleByteTextOfAtMost200Bytes) {
  const struct {
    fw::String path;
    bool fits;
  } kCases[] = {
      {u"C:\\Fonts\\arial.ttf", true},
      {u"C:\\" + fw::String(193, u'a') + u".ttf", true},   // 200 bytes
      {u"C:\\" + fw::String(194, u'a') + u".ttf", false},  // 201 bytes
      {u"C:\\Fonts\\\u03A9mega.ttf", false},               // outside the code page
      {u"C:\\Fonts\\caf\u00E9.ttf", true},                  // inside it
  };
  for (const auto& c : kCases) EXPECT_EQ(FitsRecordFileName(c.path), c.fits) << fw::StringToUtf8(c.path);
}

TEST_F(DatabaseBuild, TheWalkStoresEveryReadableAcceptedFileAndListsTheOthers) {
  if (!MakeFontFolder()) GTEST_SKIP() << "font packages missing";
  builder.BeginBuild();
  builder.CreateCompdatabase(Root(), true);

  const std::set<std::string> expectedTaken = {File("vltest.ttf"), File("vlotf.otf"),   File("vlcoll.ttc"),
                                               File("vt59.pfm"),   File("damaged.ttf"), File("empty.otf"),
                                               File("sub\\vltestbd.ttf")};
  EXPECT_EQ(Taken(), expectedTaken) << "the .FON files wait for their setting";

  const std::vector<Record> records = ReadAllRecords(db);
  auto recordOf = [&](const std::string& file) -> const Record* {
    for (const Record& r : records)
      if (r.file == file) return &r;
    return nullptr;
  };
  const struct {
    const char* file;
    const char* name;
    const char* type;
    const char* style;
    const char* weight;
  } kStored[] = {
      {"vltest.ttf", "Vltest Sans", "3", "Regular", "400"},
      {"sub\\vltestbd.ttf", "Vltest Sans Bold", "3", "Bold", "700"},
      {"vlcoll.ttc", "Vlcoll Sans", "7", "Regular", "400"},
      {"vlotf.otf", nullptr, "4", "Regular", "400"},  // named as the system enumerates it
  };
  for (const auto& c : kStored) {
    SCOPED_TRACE(c.file);
    const Record* r = recordOf(File(c.file));
    ASSERT_NE(r, nullptr);
    if (c.name) {
      EXPECT_EQ(r->name, c.name);
    } else {
      EXPECT_FALSE(r->name.empty());
    }
    EXPECT_EQ(r->type, c.type);
    EXPECT_EQ(r->style, c.style);
    EXPECT_EQ(r->weight, c.weight);
    EXPECT_FALSE(r->family.empty());
  }
  for (const TSkippedFile& s : builder.Skipped()) EXPECT_EQ(s.Reason, TSkipReason::Unreadable) << fw::StringToUtf8(s.Path);
  for (const char* f : {"damaged.ttf", "empty.otf"}) {
    EXPECT_TRUE(std::any_of(builder.Skipped().begin(), builder.Skipped().end(),
                            [&](const TSkippedFile& s) { return fw::StringToAnsi(s.Path) == File(f); }))
        << f;
  }

  // Counters: -1 plus one per record; files seen are the stored ones and
  // those not taken (notes.txt, the .pfb, the two .fon files).
  const int stored = static_cast<int>(records.size());
  EXPECT_EQ(builder.RecordsWritten, stored - 1);
  EXPECT_EQ(builder.FilesVisited, stored + 4);
  EXPECT_EQ(view.firstRecords, u"Records count: -1");
  EXPECT_EQ(view.records.substr(0, 15), u"Records count: ");
  EXPECT_EQ(view.scanning.substr(0, 19), u"Scanning drive: " + fw::UpperCase(Root().substr(0, 3)));
  EXPECT_EQ(view.files.size(), expectedTaken.size());
}

TEST_F(DatabaseBuild, FonFilesNeedTheirSettingAndArchiveOnlyAttributes) {
  if (!MakeFontFolder()) GTEST_SKIP() << "font packages missing";
  builder.BeginBuild();
  builder.Settings = TBuildSettings{false, false, false, true, false};
  builder.CreateCompdatabase(Root(), false);
  const std::set<std::string> taken = Taken();
  EXPECT_TRUE(taken.count(File("vlcour.fon")));
  EXPECT_FALSE(taken.count(File("locked.fon"))) << "read-only";
  EXPECT_FALSE(taken.count(File("vlotf.otf")));
  EXPECT_FALSE(taken.count(File("sub\\vltestbd.ttf"))) << "no subfolders asked for";
  EXPECT_TRUE(taken.count(File("vltest.ttf"))) << "always";
  SetFileAttributesW(W(fonts.Path("locked.fon")), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DatabaseBuild, TheMarkerNamesEachFileBeforeItIsReadAndGoesWhenTheBuildEnds) {
  if (!MakeFontFolder()) GTEST_SKIP() << "font packages missing";
  builder.BeginBuild();
  builder.Settings.CrashLog = true;
  builder.CreateCompdatabase(Root(), true);
  ASSERT_EQ(view.markerWhenShown.size(), view.files.size());
  for (size_t i = 0; i < view.files.size(); ++i)
    EXPECT_EQ(view.markerWhenShown[i], view.files[i] + u"\r\n") << fw::StringToUtf8(view.files[i]);
  EXPECT_TRUE(Exists(builder.CrashMarkerFile));
  builder.EndBuild();
  EXPECT_FALSE(Exists(builder.CrashMarkerFile)) << "a finished build reports no crash at the next start";

  view.markerWhenShown.clear();
  builder.BeginBuild();
  builder.CrashMarkerFile = data.Path("marker.log");
  builder.CreateCompdatabase(Root(), true);
  EXPECT_FALSE(Exists(builder.CrashMarkerFile)) << "logging is off by default";
}

TEST_F(DatabaseBuild, PathsTheRecordCannotHoldAreNotStoredAndAreListed) {
  if (!fixtures::MakeFixture(fonts, "vltest.ttf")) GTEST_SKIP() << "fonts-dejavu-core missing";
  const std::string longName(200, 'n');
  fixtures::MakeFixture(fonts, "vltest.ttf", longName.substr(0, 150) + ".ttf");
  const fw::String omega = fonts.Path("") + u"\u03A9.ttf";
  fw::WriteFileBytes(omega, fixtures::ReadAll(fonts.Path("vltest.ttf")));
  builder.BeginBuild();
  builder.CreateCompdatabase(Root(), false);
  const std::vector<Record> records = ReadAllRecords(db);
  ASSERT_EQ(records.size(), 1u + (FitsRecordFileName(fonts.Path(longName.substr(0, 150) + ".ttf")) ? 1 : 0));
  EXPECT_EQ(records[0].file, File("vltest.ttf"));
  bool omegaListed = false;
  for (const TSkippedFile& s : builder.Skipped()) {
    EXPECT_EQ(s.Reason, TSkipReason::NameDoesNotFit);
    omegaListed = omegaListed || s.Path == omega;
  }
  EXPECT_TRUE(omegaListed);
  const fw::String summary = SkippedFilesSummary(builder.Skipped());
  EXPECT_NE(summary.find(omega + u" (the path does not fit the database)"), fw::String::npos);
}

TEST(DatabaseBuildSummary, ListsAtMostFifteenFilesAndCountsTheRest) {
  EXPECT_EQ(SkippedFilesSummary({}), u"");
  std::vector<TSkippedFile> skipped;
  for (int i = 0; i < 17; ++i) skipped.push_back({u"C:\\f" + fw::IntToStr(i) + u".ttf", TSkipReason::Unreadable});
  const fw::String text = SkippedFilesSummary(skipped);
  EXPECT_EQ(text.substr(0, 32), u"17 font files were not stored:\r\n");
  EXPECT_NE(text.find(u"C:\\f14.ttf (the font file cannot be read)"), fw::String::npos);
  EXPECT_EQ(text.find(u"C:\\f15.ttf"), fw::String::npos);
  EXPECT_NE(text.find(u"... and 2 more."), fw::String::npos);
}

TEST_F(DatabaseBuild, AStoppedBuildAsksAndEitherSkipsOneEntryOrUnwindsKeepingItsRecords) {
  if (!MakeFontFolder()) GTEST_SKIP() << "font packages missing";
  // Yes: the entry under the question is skipped and the walk goes on.
  view.stopAt = 2;
  view.answerYes = true;
  builder.BeginBuild();
  builder.CreateCompdatabase(Root(), true);
  EXPECT_EQ(view.questions, 1);
  const size_t all = Taken().size();

  // No: the stop unwinds every level of the walk.
  TTempDir data2;
  TFontDatabase db2;
  db2.OpenCompDatabase(data2.Path("CBase.DAT"));
  RecordingView view2;
  view2.stopAt = 6;
  TDatabaseBuilder b2(db2, view2);
  b2.BeginBuild();
  EXPECT_THROW(b2.CreateCompdatabase(Root(), true), fw::EAbort);
  EXPECT_EQ(view2.questions, 1);
  EXPECT_EQ(view2.processed, 6) << "no entry after the stop";
  EXPECT_EQ(db2.CompFile.FileSize(), b2.RecordsWritten + 1) << "the records so far stay";
  EXPECT_LT(static_cast<size_t>(db2.CompFile.FileSize()) + b2.Skipped().size(), all);
}

TEST_F(DatabaseBuild, AddingAFolderAppendsOnlyItsNewFonts) {
  if (!fixtures::MakeFixture(fonts, "vltest.ttf") || !fixtures::MakeFixture(fonts, "vltestbd.ttf"))
    GTEST_SKIP() << "fonts-dejavu-core missing";
  fixtures::WriteGarbage(fonts, "damaged.ttf");
  // The database already lists one of them, under another letter case.
  db.RecFileName = fw::UpperCase(fonts.Path("vltest.ttf"));
  db.RecWeight = u"400";
  db.WriteNewCompRec();

  TFolderAddition first = builder.AddFontscompdatabase(Root());
  EXPECT_EQ(first.Found, 3);
  EXPECT_EQ(first.New, 2);
  EXPECT_EQ(first.Stored, 1);
  ASSERT_EQ(first.Skipped.size(), 1u);
  EXPECT_EQ(FolderAdditionMessage(first).substr(0, 28), u"1 new fonts add in database!");
  EXPECT_NE(FolderAdditionMessage(first).find(u"damaged.ttf (the font file cannot be read)"), fw::String::npos);
  const std::vector<Record> records = ReadAllRecords(db);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].file, File("vltestbd.ttf"));
  EXPECT_EQ(records[1].style, "Bold");

  DeleteFileW(W(fonts.Path("damaged.ttf")));
  const TFolderAddition second = builder.AddFontscompdatabase(Root() + u"\\");
  EXPECT_EQ(second.New, 0);
  EXPECT_EQ(FolderAdditionMessage(second), u"All font files from selected folder are already included in database!");
  EXPECT_EQ(db.CompFile.FileSize(), 2);

  TTempDir empty;
  EXPECT_EQ(FolderAdditionMessage(builder.AddFontscompdatabase(empty.Path(""))),
            u"No font files found in selected folder!");
}

}  // namespace
}  // namespace app
