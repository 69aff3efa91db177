// The database's windows built from their own form descriptions beside the
// main window: the builder (drives, a build over a fixture root, closing),
// the filter (each filter and its count, FilterActive and the balloons),
// the error dialog after a broken build (opened by the main window's timer,
// moving the named file away), and the search page's database pieces (the
// empty-database question, the folder of the "Folders" source).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

#include "app/database_error.h"
#include "app/database_form.h"
#include "app/filter_form.h"
#include "app/image_form.h"
#include "fw/core/rtti.h"
#include "fw/controls_test_util.h"
#include "fw/core/exceptions.h"
#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs_driver.h"
#include "fw/platform/files.h"
#include "fw/platform_test_folder.h"
#include "fw/system/application.h"
#include "folder_picker.h"
#include "font_fixtures.h"
#include "glyph_samples.h"
#include "main_window_util.h"

namespace app {
namespace {

using fw::testing::DialogDriver;

HWND VisibleWindowOfClass(const wchar_t* className) {
  struct Search {
    const wchar_t* cls;
    HWND found;
  } s{className, nullptr};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        if (pid != GetCurrentProcessId() || !IsWindowVisible(w) || wcscmp(name, s->cls) != 0) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// Runs a step on the first visible top-level window of this process with
// that class, from a thread of its own (for windows shown modally).
class WindowWatcher {
 public:
  WindowWatcher(const wchar_t* className, std::function<void(HWND)> step)
      : thread_([this, className, step] {
          for (DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(30)) {
            HWND w = VisibleWindowOfClass(className);
            if (w) {
              Sleep(200);
              step(w);
              found_ = true;
              return;
            }
          }
        }) {}
  ~WindowWatcher() { thread_.join(); }
  bool Found() const { return found_; }

 private:
  std::atomic<bool> found_{false};
  std::thread thread_;
};

void PressYes(HWND w) { DialogDriver::Press(w, IDYES); }
void PressNo(HWND w) { DialogDriver::Press(w, IDNO); }
void PressOk(HWND w) { DialogDriver::Press(w, IDOK); }

// The builder's stop switch, through its published properties: the
// switch's header can't meet the main window's in one file.
fw::TControl* StopSwitch(TDatabaseform* b) { return dynamic_cast<fw::TControl*>(b->FindComponent(u"btnstop")); }
void SwitchStopOn(TDatabaseform* b) { fw::SetPropValue(StopSwitch(b), u"StateOn", true); }

class DatabaseWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::InitialiseProgramUnits();
    main = fw::NewForm<TImageForm>(nullptr);
    main->SetPosition(fw::poDesigned);
    ImageForm = main;
    main->Wizard->SetActivePageIndex(kPageRun);
    main->Show();
    fwtest::Pump();
  }
  void TearDown() override {
    if (Databaseform) Databaseform->Free();
    if (formfilter) formfilter->Free();
    if (Databaseerror) Databaseerror->Free();
    ImageForm = nullptr;
    main->Free();
    FilterActive = 0;
  }
  fw::String Root() const {
    fw::String f = fonts.Path("");
    f.pop_back();
    return f;
  }
  TDatabaseform* NewBuilder() {
    Databaseform = fw::NewForm<TDatabaseform>(nullptr);
    return Databaseform;
  }
  void AddRecord(const fw::String& file, const char16_t* family, const char16_t* style, const char16_t* type,
                 const char16_t* weight) {
    TFontDatabase& db = main->Database();
    db.RecName = u"face";
    db.RecFamily = family;
    db.RecStyle = style;
    db.RecFontType = type;
    db.RecWeight = weight;
    db.RecFileName = file;
    db.WriteNewCompRec();
  }

  apptest::AppDataFolder appData{"database_windows"};
  apptest::SampleTextKeeper keep;
  TTempDir fonts;
  TImageForm* main = nullptr;
};

TEST_F(DatabaseWindows, TheBuilderListsTheDrivesWithFixedDisksChecked) {
  TDatabaseform* b = NewBuilder();
  ASSERT_NE(b->Listbox, nullptr);
  ASSERT_GT(b->Listbox->Items()->Count(), 0);
  bool sawC = false;
  for (int i = 0; i < b->Listbox->Items()->Count(); ++i) {
    const char16_t letter = DriveLetterOfLine(b->Listbox->Items()->Get(i));
    EXPECT_GE(letter, u'A');
    EXPECT_LE(letter, u'Z');
    if (letter == u'C') {
      sawC = true;
      EXPECT_TRUE(b->Listbox->Checked(i)) << "a fixed disk";
    }
  }
  EXPECT_TRUE(sawC);
  EXPECT_TRUE(DriveReady(u'c'));
  for (char16_t bad : {u'1', u'?', u'\0'}) EXPECT_THROW(DriveReady(bad), fw::EConvertError);
  EXPECT_FALSE(StopSwitch(b)->Visible());
  EXPECT_EQ(b->linfo->Caption(), u"Happy font hunting!");
  EXPECT_EQ(b->Wizard->NavigateButton(ck::bkFinish)->Caption(), u"&Create new Database!");
  EXPECT_EQ(b->Wizard->NavigateButton(ck::bkLast)->Caption(), u"Close");
}

TEST_F(DatabaseWindows, TheBuilderOpensWhereItWasLeftWithItsFolderNotCentred) {
  TDatabaseform* b = NewBuilder();
  b->Show();
  fwtest::Pump();
  const int width = b->Width(), height = b->Height();
  b->SetBounds(33, 44, width, height);
  b->dlgsearchfolder->SetDirectory(Root());
  EXPECT_TRUE(b->CloseQuery());
  b->Free();
  Databaseform = nullptr;
  services::TCkCustomAppStorage* ini = main->AppInistorage;
  EXPECT_EQ(ini->ReadString(u"Database\\dlgsearchfolder_Directory"), Root());
  EXPECT_EQ(ini->ReadString(u"Database\\NormPos"), u"33,44," + fw::IntToStr(33 + width) + u"," + fw::IntToStr(44 + height));
  EXPECT_FALSE(ini->ValueStored(u"Database\\ShowCmd"));  // the location alone

  b = NewBuilder();
  EXPECT_NE(b->dlgsearchfolder->Directory(), Root());
  b->Show();
  fwtest::Pump();
  RECT r{};
  GetWindowRect(b->Handle(), &r);
  EXPECT_EQ(r.left, 33);
  EXPECT_EQ(r.top, 44);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(b->dlgsearchfolder->Directory(), Root());
}

TEST_F(DatabaseWindows, ABuildThroughTheBuilderFillsTheMainWindowsDatabase) {
  for (const char* f : {"vltest.ttf", "vltestbd.ttf"})
    if (!fixtures::MakeFixture(fonts, f)) GTEST_SKIP() << "fonts-dejavu-core missing";
  AddRecord(u"C:\\old.ttf", u"Swiss", u"Regular", u"3", u"400");
  TDatabaseform* b = NewBuilder();
  b->Show();
  {
    // No: nothing is deleted.
    DialogDriver no({PressNo});
    EXPECT_FALSE(b->BuildDatabase({Root()}));
  }
  EXPECT_EQ(main->Database().CompFile.FileSize(), 1);
  fw::String success;
  {
    DialogDriver driver({PressYes, [&](HWND w) {
                           success = DialogDriver::ChildTexts(w);
                           PressOk(w);
                         }});
    EXPECT_TRUE(b->BuildDatabase({Root()}));
  }
  EXPECT_NE(success.find(u"Database created successfully!"), fw::String::npos);
  EXPECT_EQ(main->Database().CompFile.FileSize(), 2) << "the old record went with the old database";
  EXPECT_TRUE(StopSwitch(b)->Visible());
  EXPECT_TRUE(b->Listbox->Enabled());
  EXPECT_TRUE(b->btnaddfonts->Enabled());
  EXPECT_EQ(b->Wizard->NavigateButton(ck::bkFinish)->Caption(), u"Create new Database!");
  EXPECT_EQ(b->Wizard->NavigateButton(ck::bkFinish)->Width(), 140);
  EXPECT_EQ(b->lbRecCount->Caption(), u"Records count: 0") << "shown before the last record";
  EXPECT_EQ(b->lbFilename->Caption().substr(0, 11), u"File name: ");

  // Closing frees the builder, clears its reference and recounts the page.
  main->cbdatabase->SetChecked(true);
  fw::TCloseAction action = fw::caHide;
  b->FormClose(b, action);
  EXPECT_EQ(action, fw::caFree);
  EXPECT_EQ(Databaseform, nullptr);
  EXPECT_EQ(main->lbfonts->Caption(), u"Fonts: 2");
  b->Free();
}

TEST_F(DatabaseWindows, TheStopSwitchAsksAndNoEndsTheBuildWithoutTheSuccessMessage) {
  for (const char* f : {"vltest.ttf", "vltestbd.ttf", "vlotf.otf"})
    if (!fixtures::MakeFixture(fonts, f)) GTEST_SKIP() << "font packages missing";
  TDatabaseform* b = NewBuilder();
  b->Show();
  SwitchStopOn(b);  // as if switched on during the build
  fw::String question;
  DialogDriver driver({PressYes, [&](HWND w) {
                         question = DialogDriver::ChildTexts(w);
                         PressNo(w);
                       }});
  EXPECT_FALSE(b->BuildDatabase({Root()}));
  driver.Join();
  EXPECT_EQ(driver.StepsDone(), 2) << "no success message after a stop";
  EXPECT_NE(question.find(u"Database is not complete.Continue?"), fw::String::npos);
  EXPECT_EQ(main->Database().CompFile.FileSize(), 0);
  EXPECT_TRUE(b->Listbox->Enabled());
}

TEST_F(DatabaseWindows, ChoosingTheEmptyDatabaseOffersTheBuilder) {
  std::atomic<bool> builderShown{false};
  {
    DialogDriver driver({PressYes});
    WindowWatcher watcher(L"TDatabaseform", [&](HWND w) {
      builderShown = true;
      PostMessageW(w, WM_CLOSE, 0, 0);
    });
    main->cbdatabase->SetChecked(true);
  }
  EXPECT_TRUE(builderShown);
  fwtest::Pump();  // the closed builder frees itself
  EXPECT_EQ(Databaseform, nullptr);
  EXPECT_EQ(main->lbfonts->Caption(), u"Fonts: 0");
  {
    // No: the source stays chosen, nothing opens.
    DialogDriver driver({PressNo});
    main->cbsysytem->SetChecked(true);
    main->cbdatabase->SetChecked(true);
    driver.Join();
    EXPECT_EQ(driver.StepsDone(), 1);
  }
  EXPECT_EQ(Databaseform, nullptr);
  // With records there is no question.
  AddRecord(u"C:\\a.ttf", u"Swiss", u"Regular", u"3", u"400");
  main->cbsysytem->SetChecked(true);
  main->cbdatabase->SetChecked(true);
  EXPECT_EQ(main->lbfonts->Caption(), u"Fonts: 1");
}

TEST_F(DatabaseWindows, EachFilterNarrowsTheCountOfRecordsWhoseFilesExist) {
  formfilter = fw::NewForm<Tformfilter>(nullptr);
  Tformfilter* f = formfilter;
  auto file = [&](const char* name) {
    fw::WriteFileBytes(fonts.Path(name), {1});
    return fonts.Path(name);
  };
  AddRecord(file("a.ttf"), u"Swiss", u"Regular", u"3", u"400");
  AddRecord(file("b.ttf"), u"Roman", u"Bold", u"3", u"700");
  AddRecord(file("c.otf"), u"Swiss", u"Italic", u"4", u"400");
  AddRecord(file("d.ttc"), u"Dontcare", u"Bold Italic", u"7", u"50");
  AddRecord(file("e.fon"), u"Modern", u"Regular", u"2", u"400");
  AddRecord(fonts.Path("gone.ttf"), u"Swiss", u"Regular", u"3", u"400");  // its file is gone
  AddRecord(file("f.ttf"), u"Swiss", u"Regular", u"3", u"heavy");         // damaged weight

  auto box = [&](const char16_t* name) { return dynamic_cast<ck::TCkXPCheckbox*>(f->FindComponent(name)); };
  const struct {
    const char* what;
    std::function<void()> set;
    const char16_t* total;
  } kCases[] = {
      {"nothing", [] {}, u"5 of 7"},
      {"Swiss out", [&] { box(u"cbswiss")->SetChecked(false); }, u"3 of 7"},
      {"Dontcare out", [&] { box(u"cbdontcare")->SetChecked(false); }, u"4 of 7"},
      {"Bold out", [&] { box(u"cbBold")->SetChecked(false); }, u"4 of 7"},
      {"Regular out", [&] { box(u"cbRegular")->SetChecked(false); }, u"3 of 7"},
      {"TrueType out", [&] { box(u"cbTruetype")->SetChecked(false); }, u"3 of 7"},
      {"collections out", [&] { box(u"cbTTC")->SetChecked(false); }, u"4 of 7"},
      {"weight from 100", [&] { f->selow->SetValue(100); }, u"4 of 7"},
      {"weight to 600", [&] { f->seweight->SetValue(600); }, u"4 of 7"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    f->btnresetallClick(f);
    c.set();
    f->CkXPButton1Click(f);
    EXPECT_EQ(f->lbtotal->Caption(), c.total);
    EXPECT_FALSE(f->progres->Visible());
  }
  // The search takes the same filter.
  f->btnresetallClick(f);
  box(u"cbswiss")->SetChecked(false);
  EXPECT_FALSE(CompareFontFromDatabase(
      [&] {
        TCompRec r{};
        r.Family.Set("Swiss");
        r.Style.Set("Regular");
        r.FontType.Set("3");
        r.Weight.Set("400");
        return r;
      }(),
      DatabaseFilter()));
}

TEST_F(DatabaseWindows, TheSummaryAndTheWeightsKeepTheirRules) {
  formfilter = fw::NewForm<Tformfilter>(nullptr);
  Tformfilter* f = formfilter;
  f->btnresetallClick(f);
  EXPECT_EQ(f->lbexfam->Caption(), u"None");
  EXPECT_EQ(f->lbexfam->Font()->Color(), 0x808080u);
  dynamic_cast<ck::TCkXPCheckbox*>(f->FindComponent(u"cbscript"))->SetChecked(false);
  dynamic_cast<ck::TCkXPCheckbox*>(f->FindComponent(u"cbdecorative"))->SetChecked(false);
  f->seweight->SetValue(900);
  f->UpdateSummary();
  EXPECT_EQ(f->lbexfam->Caption(), u"Script,Decorative,");
  EXPECT_EQ(f->lbexfam->Font()->Color(), 0xE75100u);
  EXPECT_EQ(f->lbweight->Caption(), u"From 50 to 900");
  EXPECT_EQ(f->lbHigh->Caption(), u"900 Black (Heavy)");
  // The bounds stay 50 apart, whichever moves.
  f->seweight->SetValue(50);
  EXPECT_EQ(f->seweight->Value(), 100);
  f->selow->SetValue(400);
  EXPECT_EQ(f->selow->Value(), 50) << "not below the upper bound: pushed back";
  const struct {
    int weight;
    const char16_t* text;
  } kLabels[] = {{50, u"50  Dontcare"}, {150, u"150 Thin"}, {450, u"450 Normal(Regular)"},
                 {650, u"650 Demi(Semi)bold"}, {850, u"850 Ultra(Extra)bold"}, {1000, u"1000 Black (Heavy)"}};
  for (const auto& c : kLabels) EXPECT_EQ(WeightLabelText(c.weight), c.text);
}

TEST_F(DatabaseWindows, ClosingWithTheFilterOnSetsFilterActiveAndShowsTheBalloon) {
  formfilter = fw::NewForm<Tformfilter>(nullptr);
  Tformfilter* f = formfilter;
  f->Show();
  fwtest::Pump();
  EXPECT_EQ(FilterActive, 0);
  dynamic_cast<ck::TCkXPCheckbox*>(f->FindComponent(u"cbItalic"))->SetChecked(false);
  {
    // "Close" with a field excluded asks; No keeps the dialog open.
    fw::String text;
    DialogDriver driver({[&](HWND w) {
      text = DialogDriver::ChildTexts(w);
      PressNo(w);
    }});
    f->WizardCancelButtonClick(f);
    driver.Join();
    EXPECT_NE(text.find(u"Font filter is still activated! 1 font fields are excluded from search. Continue?"),
              fw::String::npos);
    EXPECT_TRUE(f->Visible());
    // The window's own closing is refused until a button closes it.
    f->Close();
    fwtest::Pump();
    EXPECT_TRUE(f->Visible());
  }
  f->WizardFinishButtonClick(f);  // "Set Filter"
  EXPECT_FALSE(f->Visible());
  EXPECT_EQ(FilterActive, 1);
  EXPECT_TRUE(main->Balloon->Active());
  EXPECT_EQ(main->Balloon->Data().RUTF8Header, "Database filter status");
  EXPECT_EQ(main->Balloon->Data().RVisibleTime, 3000);

  // A database search then says so at the filter button.
  main->Balloon->CancelHint();
  AddRecord(u"C:\\a.ttf", u"Swiss", u"Regular", u"3", u"400");
  main->cbdatabase->SetChecked(true);
  main->btnstartstop->Click();
  EXPECT_EQ(main->Balloon->Data().RUTF8Hint, "Database filter is activated!");

  // Showing the dialog again clears the flag until it closes.
  f->Show();
  EXPECT_EQ(FilterActive, 0);
  f->btnresetallClick(f);
  f->WizardCancelButtonClick(f);
  EXPECT_EQ(FilterActive, 0);
}

// ---- After a broken build

class CrashRecovery : public DatabaseWindows {
 protected:
  void SetUp() override {
    std::filesystem::remove_all(std::filesystem::path(fw::StringToUtf8(ProblemFontsFolder())));
    DatabaseWindows::SetUp();
    Databaseerror = fw::NewForm<TDatabaseerror>(nullptr);
  }
  void TearDown() override {
    DeleteFileW(W(CrashMarkerFileName()));
    DatabaseWindows::TearDown();
    std::filesystem::remove_all(std::filesystem::path(fw::StringToUtf8(ProblemFontsFolder())));
  }
};

TEST_F(CrashRecovery, TheMainWindowsTimerShowsTheNamedFileAndClosingDeletesTheMarker) {
  const fw::String named = fonts.Path("broken.ttf");
  fixtures::WriteGarbage(fonts, "broken.ttf");
  WriteCrashMarker(CrashMarkerFileName(), named);
  fw::String shownPath;
  std::vector<fw::String> boxes;
  {
    DialogDriver driver({[&](HWND w) {
                           boxes.push_back(DialogDriver::ChildTexts(w));
                           PressOk(w);
                         },
                         [&](HWND w) {
                           boxes.push_back(DialogDriver::ChildTexts(w));
                           PressOk(w);
                         }});
    WindowWatcher watcher(L"TDatabaseerror", [&](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); });
    main->timerdatabaseerror->SetEnabled(true);
    main->timerdatabaseerrorTimer(main->timerdatabaseerror);
    EXPECT_TRUE(watcher.Found());
  }
  EXPECT_FALSE(main->timerdatabaseerror->Enabled());
  EXPECT_EQ(Databaseerror->Label3->Caption(), named);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(boxes[0].find(u"Database error Log file will be deleted."), fw::String::npos);
  EXPECT_NE(boxes[1].find(u"Log file was deleted!"), fw::String::npos);
  EXPECT_FALSE(fixtures::Exists(CrashMarkerFileName()));
  EXPECT_TRUE(fixtures::Exists(named)) << "closing leaves the font file alone";
}

TEST_F(CrashRecovery, MovingTheFileToProblemFontsMovesItAloneAndDeletesTheMarker) {
  for (const char* f : {"broken.ttf", "keep1.ttf", "keep2.otf"}) fixtures::WriteGarbage(fonts, f);
  WriteCrashMarker(CrashMarkerFileName(), fonts.Path("broken.ttf"));
  Databaseerror->ReadMarker();
  fw::String done;
  {
    DialogDriver driver({PressYes, [&](HWND w) {
                           done = DialogDriver::ChildTexts(w);
                           PressOk(w);
                         }});
    Databaseerror->btnmoveClick(Databaseerror);
  }
  EXPECT_NE(done.find(u"Font was moved to 'Problem Fonts'folder!"), fw::String::npos);
  EXPECT_FALSE(fixtures::Exists(fonts.Path("broken.ttf")));
  EXPECT_TRUE(fixtures::Exists(ProblemFontsFolder() + u"\\broken.ttf"));
  EXPECT_EQ(fixtures::ReadAll(ProblemFontsFolder() + u"\\broken.ttf").size(), 300u);
  EXPECT_TRUE(fixtures::Exists(fonts.Path("keep1.ttf")));
  EXPECT_TRUE(fixtures::Exists(fonts.Path("keep2.otf")));
  EXPECT_FALSE(fixtures::Exists(CrashMarkerFileName()));
  // The file is gone: the buttons now do nothing, and closing asks nothing.
  Databaseerror->btnmoveClick(Databaseerror);
  Databaseerror->btndeleteClick(Databaseerror);
  fw::TCloseAction action = fw::caHide;
  Databaseerror->FormClose(Databaseerror, action);
}

TEST_F(CrashRecovery, AnEmptyMarkerNamesNoFileAndDeletingAsksFirst) {
  fw::WriteFileBytes(CrashMarkerFileName(), {});
  Databaseerror->ReadMarker();
  EXPECT_EQ(Databaseerror->Label3->Caption(), u"No invalid file recorded!");
  Databaseerror->btndeleteClick(Databaseerror);  // nothing to ask about
  EXPECT_TRUE(fixtures::Exists(CrashMarkerFileName()));

  fixtures::WriteGarbage(fonts, "broken.ttf");
  WriteCrashMarker(CrashMarkerFileName(), fonts.Path("broken.ttf"));
  Databaseerror->ReadMarker();
  {
    DialogDriver driver({PressNo});
    Databaseerror->btndeleteClick(Databaseerror);
  }
  EXPECT_TRUE(fixtures::Exists(fonts.Path("broken.ttf")));
  {
    DialogDriver driver({PressYes, PressOk});
    Databaseerror->btndeleteClick(Databaseerror);
  }
  EXPECT_FALSE(fixtures::Exists(fonts.Path("broken.ttf")));
  EXPECT_FALSE(fixtures::Exists(CrashMarkerFileName()));
}

// ---- The search page's folder

TEST_F(DatabaseWindows, AFolderChosenForTheFoldersSourceIsTheOneSearched) {
  for (const char* f : {"vltest.ttf", "vltestbd.ttf"})
    if (!fixtures::MakeFixture(fonts, f)) GTEST_SKIP() << "fonts-dejavu-core missing";
  std::unique_ptr<fw::TBitmap> sample;
  {
    const TAddedFontResource bold(fonts.Path("vltestbd.ttf"));
    sample = testing_glyphs::Sample(u"Vltest Sans Bold", 'R', 40);
  }
  main->Engine().SetSample(sample.get());
  main->secodepoint->SetValue('R');
  main->sepercentage->SetValue(50);
  main->cbfolders->SetChecked(true);
  ASSERT_NE(main->dlgsearchfolder, nullptr);
  EXPECT_EQ(main->dlgsearchfolder->Directory(), main->Search().Options().Folder);
  {
    DialogDriver driver({[&](HWND w) { apptest::PickFolder(w, Root()); }});
    main->btnBrowse->Click();
  }
  EXPECT_EQ(fw::UpperCase(main->Search().Options().Folder), fw::UpperCase(Root()));
  EXPECT_EQ(main->lbfonts->Caption(), u"Fonts: 2");
  main->btnstartstop->Click();
  ASSERT_GT(main->ListView->Items()->Count(), 0);
  EXPECT_EQ(main->ListView->Items()->Item(0)->Caption(), u"Vltest Sans Bold");
}

}  // namespace
}  // namespace app
