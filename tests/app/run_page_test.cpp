// The search page of the main window built from its own form description:
// the page's controls drive a search, the result list shows it best first,
// the list's sorts, colouring, threshold and text file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/font_loading.h"
#include "app/image_form.h"
#include "app/font_copy.h"
#include "app/result_list_view.h"
#include "fw/core/rtti.h"
#include "fw/core/datetime.h"
#include "fw/core/sysutils.h"
#include "fw/platform/locale.h"
#include "fw/stdctrls/register.h"
#include "font_fixtures.h"
#include "fw/dialogs_driver.h"
#include "fw/stdctrls_test_util.h"
#include "glyph_samples.h"
#include "main_window_util.h"

namespace app {
namespace {

class RunPage : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::InitialiseProgramUnits();
    form = fw::NewForm<TImageForm>(nullptr);
    form->SetPosition(fw::poDesigned);
    ASSERT_NE(form->ListView, nullptr);
    ASSERT_NE(form->btnstartstop, nullptr);
    form->Wizard->SetActivePageIndex(kPageRun);
    form->Show();
    fwtest::Pump();
  }
  void TearDown() override {
    if (form) form->Free();
  }
  fw::String Folder() const {
    fw::String f = fonts.Path("");
    f.pop_back();
    return f;
  }
  void AddItem(const char16_t* name, const char16_t* score, const char16_t* path) {
    fw::TListItem* item = form->ListView->Items()->Add();
    item->SetCaption(name);
    item->SubItems()->Add(score);
    item->SubItems()->Add(path);
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (int i = 0; i < form->ListView->Items()->Count(); ++i)
      out.push_back(fw::StringToUtf8(form->ListView->Items()->Item(i)->Caption()));
    return out;
  }

  apptest::AppDataFolder appData{"run_page"};
  apptest::SampleTextKeeper keep;
  TTempDir fonts;
  TImageForm* form = nullptr;
};

TEST_F(RunPage, FindWithThePagesControlsRanksTheSamplesFontFirstAndListsBestFirst) {
  for (const char* f : {"vltest.ttf", "vltestbd.ttf", "vlotf.otf"})
    if (!fixtures::MakeFixture(fonts, f)) GTEST_SKIP() << "font packages missing";
  std::unique_ptr<fw::TBitmap> sample;
  {
    const TAddedFontResource bold(fonts.Path("vltestbd.ttf"));
    sample = testing_glyphs::Sample(u"Vltest Sans Bold", 'R', 40);
  }
  form->Engine().SetSample(sample.get());
  form->Search().Options().Folder = Folder();
  form->cbfolders->SetChecked(true);
  EXPECT_EQ(form->lbfonts->Caption(), u"Fonts: 3");
  form->secodepoint->SetValue('R');
  form->sepercentage->SetValue(50);
  form->sespeed->SetValue(3);
  form->gbsampletext->SetCaption(u"Font: Earlier  Size:40");

  form->btnstartstop->Click();

  EXPECT_EQ(form->Engine().Options().CodePoint, 'R');
  EXPECT_EQ(form->Engine().Options().Threshold, 50);
  EXPECT_EQ(form->Engine().Options().Speed, 3);
  fw::TListItems* items = form->ListView->Items();
  ASSERT_GT(items->Count(), 0);
  EXPECT_EQ(items->Item(0)->Caption(), u"Vltest Sans Bold");
  EXPECT_EQ(items->Item(0)->SubItems()->Get(1), fonts.Path("vltestbd.ttf"));
  for (int i = 1; i < items->Count(); ++i)
    EXPECT_LE(form->Results()[i].Score, form->Results()[i - 1].Score);
  EXPECT_EQ(form->lbcount->Caption(), fw::IntToStr(items->Count()));
  EXPECT_EQ(form->btnstartstop->Caption(), u"Find");
  EXPECT_FALSE(form->Gauge1->Visible());
  EXPECT_TRUE(form->Panel3->Enabled());
  EXPECT_EQ(form->gbsampletext->Caption(), u"Sample");
}

TEST_F(RunPage, ASearchThatSkipsDamagedFilesSaysHowManyInTheStatusBar) {
  if (!fixtures::MakeFixture(fonts, "vltest.ttf")) GTEST_SKIP() << "fonts-dejavu-core missing";
  for (const char* f : {"broken1.ttf", "broken2.otf", "broken3.ttc"}) fixtures::WriteGarbage(fonts, f);
  form->Search().Options().Folder = Folder();
  form->cbfolders->SetChecked(true);
  form->btnstartstop->Click();
  EXPECT_EQ(form->StatusText(2), u"3 font files could not be read");

  for (const char* f : {"broken1.ttf", "broken2.otf", "broken3.ttc"}) DeleteFileW(W(fonts.Path(f)));
  form->btnstartstop->Click();
  EXPECT_EQ(form->StatusText(2), u"");
}

TEST_F(RunPage, StopFromInsideTheSearchEndsItWithTheButtonBackToFind) {
  for (const char* f : {"vltest.ttf", "vltestbd.ttf"})
    if (!fixtures::MakeFixture(fonts, f)) GTEST_SKIP() << "font packages missing";
  auto sample = testing_glyphs::Sample(u"Arial", 'A', 40);
  form->Engine().SetSample(sample.get());
  form->Search().Options().Folder = Folder();
  form->cbfolders->SetChecked(true);
  std::string captionWhileRunning;
  int runs = 0;
  form->Search().SetProcessMessages([&] {
    if (runs++ == 0) {
      captionWhileRunning = fw::StringToUtf8(form->btnstartstop->Caption());
      EXPECT_FALSE(form->Panel3->Enabled());
      form->btnstartstop->Click();  // the stop
    }
  });
  form->btnstartstop->Click();
  EXPECT_EQ(captionWhileRunning, "Stop");
  EXPECT_EQ(runs, 1) << "the loop ends at the stop";
  EXPECT_EQ(form->Search().State(), TSearchState::Idle);
  EXPECT_EQ(form->btnstartstop->Caption(), u"Find");
  EXPECT_TRUE(form->Panel3->Enabled());
}

TEST_F(RunPage, ScoresAtTheWantedPercentageAreDrawnRedAndBold) {
  form->sepercentage->SetValue(90);
  form->ListView->Items()->Clear();
  AddItem(u"High", u"95.00", u"a.ttf");
  AddItem(u"Low", u"60.00", u"b.ttf");
  AddItem(u"Edge", u"90.00", u"c.ttf");
  fwtest::Pump();
  fw::TListView* lv = form->ListView;
  auto bmp = fwtest::Capture(lv);
  const int off = (lv->Width() - lv->ClientWidth()) / 2;
  auto scoreCell = [&](int i) {
    fw::TRect r = lv->Items()->Item(i)->DisplayRect();
    return fw::Rect(250 + off, r.Top + off, 330 + off, r.Bottom + off);
  };
  EXPECT_GT(fwtest::CountColor(bmp.get(), 0x0000FF, scoreCell(0)), 5);
  EXPECT_EQ(fwtest::CountColor(bmp.get(), 0x0000FF, scoreCell(1)), 0);
  EXPECT_GT(fwtest::CountColor(bmp.get(), 0x0000FF, scoreCell(2)), 5) << "the percentage itself is wanted";
  fw::TRect name = scoreCell(0);
  name.Left = off;
  name.Right = 250 + off;
  EXPECT_EQ(fwtest::CountColor(bmp.get(), 0x0000FF, name), 0);
}

TEST_F(RunPage, ColumnClicksSortByScoreBothWaysAndByTextColumns) {
  form->ListView->Items()->Clear();
  AddItem(u"beta", u"70.50", u"C:\\b.ttf");
  AddItem(u"Alpha", u"99.00", u"C:\\c.ttf");
  AddItem(u"gamma", u"8.25", u"C:\\a.ttf");
  fw::TListColumns* cols = form->ListView->Columns();
  form->ListViewColumnClick(form->ListView, cols->Items(1));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Alpha", "beta", "gamma"})) << "best first, 8.25 below 70.50";
  form->ListViewColumnClick(form->ListView, cols->Items(1));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"gamma", "beta", "Alpha"}));
  form->ListViewColumnClick(form->ListView, cols->Items(0));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Alpha", "beta", "gamma"})) << "ordinal: capitals first";
  form->ListViewColumnClick(form->ListView, cols->Items(0));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"gamma", "beta", "Alpha"}));
  form->ListViewColumnClick(form->ListView, cols->Items(2));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"gamma", "beta", "Alpha"})) << "by path, ascending";
  EXPECT_EQ(form->ListView->ItemFocused(), form->ListView->Items()->Item(0));
}

TEST_F(RunPage, RaisingThePercentageRemovesWeakerEntriesAndLoweringBringsNothingBack) {
  form->sepercentage->SetValue(80);
  form->ListView->Items()->Clear();
  AddItem(u"A", u"95.00", u"a");
  AddItem(u"B", u"85.00", u"b");
  AddItem(u"C", u"90.00", u"c");
  form->sepercentage->SetValue(90);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(form->lbcount->Caption(), u"2");
  form->sepercentage->SetValue(80);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"A", "C"}));
}

TEST_F(RunPage, AnUnreadableScoreEndsTheThresholdPass) {
  form->sepercentage->SetValue(50);
  form->ListView->Items()->Clear();
  AddItem(u"A", u"60.00", u"a");
  AddItem(u"B", u"n/a", u"b");
  AddItem(u"C", u"55.00", u"c");
  form->sepercentage->SetValue(70);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"A", "B"})) << "C removed, the pass stops at B";
}

TEST_F(RunPage, TheSavedListHasTheDateTwoEmptyLinesAndOneTabbedLinePerFont) {
  form->ListView->Items()->Clear();
  AddItem(u"Alpha", u"99.00", u"C:\\fonts\\a.ttf");
  AddItem(u"Beta", u"70.50", u"System font");
  AddItem(u"Gamma", u"60.25", u"C:\\fonts\\g.otf");
  const fw::String file = fonts.Path("list.txt");
  ASSERT_TRUE(WriteTextLines(file, ResultListLines(form->ListView, u"10.12.2026 15:20:00")));
  const fixtures::Bytes bytes = fixtures::ReadAll(file);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text,
            "10.12.2026 15:20:00\r\n\r\n\r\n"
            "Alpha\t99.00\tC:\\fonts\\a.ttf\r\n"
            "Beta\t70.50\tSystem font\r\n"
            "Gamma\t60.25\tC:\\fonts\\g.otf\r\n");
}

TEST_F(RunPage, CommaDecimalScoresSortColourAndFilterByTheirNumbers) {
  // Scores listed as a comma-decimal locale writes them; the list's order,
  // colours and threshold go by the numbers behind the texts.
  TResultList results;
  results.DecimalSeparator = u',';
  results.Add(u"eight", 8.25, u"a");
  results.Add(u"seventy", 70.5, u"b");
  results.Add(u"ninety-nine", 99.0, u"c");
  results.Add(u"ninety", 90.0, u"d");
  results.Add(u"ninety-one", 91.75, u"e");
  FillResultListView(form->ListView, results);
  ASSERT_EQ(form->ListView->Items()->Item(1)->SubItems()->Get(0), u"70,50");

  form->ListViewColumnClick(form->ListView, form->ListView->Columns()->Items(1));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"ninety-nine", "ninety-one", "ninety", "seventy", "eight"}));

  struct Case {
    int item;
    int percentage;
    bool wanted;
  };
  for (const Case& c : {Case{0, 99, true}, Case{1, 92, false}, Case{1, 91, true}, Case{3, 71, false}}) {
    // The user's separator given here is deliberately not the texts' one.
    EXPECT_EQ(ScoreIsWanted(form->ListView->Items()->Item(c.item), c.percentage, u'.'), c.wanted)
        << c.item << " at " << c.percentage;
  }

  form->sepercentage->SetValue(91);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"ninety-nine", "ninety-one"}));
  EXPECT_EQ(form->lbcount->Caption(), u"2");
}

TEST_F(RunPage, TheSavedListMatchesTheGoldenFileAndAFailedSaveIsReported) {
  TResultList results;
  results.Add(u"Vltest Sans Bold", 97.126, u"C:\\Fonts\\vltestbd.ttf");
  results.Add(u"Arial", 81.5, kSystemFontPath);
  results.Add(u"Vlotfx Sans Regular", 64.0, u"D:\\Type\\vlotf.otf");
  FillResultListView(form->ListView, results);
  fw::TFormatSettings format = fw::InvariantFormatSettings();
  format.ShortDateFormat = u"dd.mm.yyyy";
  format.DateSeparator = u'.';
  format.LongTimeFormat = u"hh:nn:ss";
  const fw::TDateTime when = fw::EncodeDate(2026, 12, 10) + fw::EncodeTime(15, 20, 5, 0);

  const fw::String file = fonts.Path("list.txt");
  ASSERT_TRUE(SaveResultListFile(form->ListView, file, when, format));
  std::ifstream golden(apptest::SourcePath("tests/app/golden/result_list.txt"), std::ios::binary);
  ASSERT_TRUE(golden) << "golden file missing";
  const std::string expected{std::istreambuf_iterator<char>(golden), std::istreambuf_iterator<char>()};
  const fixtures::Bytes bytes = fixtures::ReadAll(file);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);

  const fw::String unwritable = fonts.Path("no such folder\\list.txt");
  EXPECT_FALSE(SaveResultListFile(form->ListView, unwritable, when, format));
  EXPECT_FALSE(fixtures::Exists(unwritable));
}

TEST(ResultFontCopy, CopiesFilesWithoutOverwritingAndSkipsInstalledFonts) {
  TTempDir from, to;
  fw::WriteFileBytes(from.Path("a.ttf"), {1});
  fw::WriteFileBytes(from.Path("b.ttf"), {2});
  fw::WriteFileBytes(to.Path("b.ttf"), {9});
  const std::vector<fw::String> paths{from.Path("a.ttf"), u"System font", from.Path("b.ttf")};
  EXPECT_EQ(CopyResultFontFiles(paths, to.Path(""), nullptr), 1);
  EXPECT_EQ(fixtures::ReadAll(to.Path("a.ttf")), fixtures::Bytes{1});
  EXPECT_EQ(fixtures::ReadAll(to.Path("b.ttf")), fixtures::Bytes{9}) << "an existing file is kept";
}

TEST(ResultFontCopy, ARootFolderJoinsWithOneBackslash) {
  EXPECT_EQ(CopyTargetFolder(u"D:\\") + u"\\x.ttf", u"D:\\x.ttf");
  EXPECT_EQ(CopyTargetFolder(u"D:\\fonts\\") + u"\\x.ttf", u"D:\\fonts\\x.ttf");
  EXPECT_EQ(CopyTargetFolder(u"D:\\fonts") + u"\\x.ttf", u"D:\\fonts\\x.ttf");
}

TEST_F(RunPage, SpeedLevelsAndASymbolOnlySearchExplainThemselvesInBalloons) {
  ASSERT_NE(form->Balloon, nullptr);
  const auto& shown = form->Balloon->Data();
  struct Case {
    int level;
    const char* header;
  } cases[] = {{3, "Mode 3"}, {5, "Mode 5"}, {7, "Mode 7"}, {1, "Mode 1"}};
  for (const Case& c : cases) {
    form->sespeed->SetValue(c.level);
    EXPECT_TRUE(form->Balloon->Active()) << c.level;
    EXPECT_EQ(shown.RUTF8Header, c.header);
    EXPECT_EQ(shown.RVisibleTime, 4000);
  }
  EXPECT_FALSE(form->sespeed->ShowHint());
  EXPECT_TRUE(form->Balloon->Options().Contains(ck::boPlaySound));  // for the balloons after it
  // Levels between the arrow steps have no balloon.
  form->Balloon->CancelHint();
  form->sespeed->SetValue(2);
  EXPECT_FALSE(form->Balloon->Active());

  // A search for symbol fonts only, here of the empty database, ends with
  // its notice at the list; the next Find takes it away.
  {
    // Choosing the empty database offers to build it: not now.
    fw::testing::DialogDriver no({[](HWND w) { fw::testing::DialogDriver::Press(w, IDNO); }});
    form->cbdatabase->SetChecked(true);
  }
  form->cbsymbols->SetDown(true);
  form->btnstartstop->Click();
  EXPECT_TRUE(form->Balloon->Active());
  EXPECT_EQ(shown.RUTF8Header, "Information about filtered fonts");
  EXPECT_NE(shown.RUTF8Hint.find("List contain only Symbol fonts!"), std::string::npos);
  EXPECT_EQ(shown.RVisibleTime, 9000);
  EXPECT_FALSE(form->Balloon->Options().Contains(ck::boPlaySound));
  form->cbsymbols->SetDown(false);
  form->btnstartstop->Click();
  EXPECT_FALSE(form->Balloon->Active());
}

}  // namespace
}  // namespace app
