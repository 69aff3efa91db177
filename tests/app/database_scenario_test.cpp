// The database road as a user takes it, on the main window with this test
// program's own application-data folder: "Refresh database" opens the
// builder, "Add Fonts " adds a folder of real fonts from Debian packages,
// the filter dialog counts them, and a search of the "Database" source names
// the sample's font first. Screenshots of the builder during the build and
// of the filter dialog go to build/win/screenshots.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/database_form.h"
#include "app/filter_form.h"
#include "app/image_form.h"
#include "fw/controls_test_util.h"
#include "fw/dialogs_driver.h"
#include "fw/menus/menus.h"
#include "folder_picker.h"
#include "font_fixtures.h"
#include "glyph_samples.h"
#include "main_window_util.h"
#include "scenarios/screenshot_png.h"

namespace app {
namespace {

using fw::testing::DialogDriver;

// Runs an action on the test thread from inside whatever message loop runs
// next (a modal window's, or a build's own message rounds) once its
// condition holds: a thread timer asks every 10 ms.
class LoopStep {
 public:
  static void Arm(std::function<bool()> ready, std::function<void()> action) {
    const UINT_PTR id = SetTimer(nullptr, 0, 10, Fire);
    Steps()[id] = {std::move(ready), std::move(action)};
  }

 private:
  struct Step {
    std::function<bool()> Ready;
    std::function<void()> Action;
  };
  static std::map<UINT_PTR, Step>& Steps() {
    static std::map<UINT_PTR, Step> steps;
    return steps;
  }
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Steps().find(id);
    if (it == Steps().end() || !it->second.Ready()) return;
    KillTimer(nullptr, id);
    const Step step = std::move(it->second);
    Steps().erase(it);
    step.Action();
  }
};

// The main window as the program's global one, and the filter dialog
// beside it, freed whatever the test's outcome.
struct ProgramWindows {
  TImageForm* main;
  ProgramWindows() {
    apptest::InitialiseProgramUnits();
    main = fw::NewForm<TImageForm>(nullptr);
    main->SetPosition(fw::poDesigned);
    ImageForm = main;
    main->Wizard->SetActivePageIndex(kPageRun);
    main->Show();
    fwtest::Pump();
    formfilter = fw::NewForm<Tformfilter>(nullptr);
  }
  ~ProgramWindows() {
    if (Databaseform) Databaseform->Free();
    formfilter->Free();
    formfilter = nullptr;
    ImageForm = nullptr;
    main->Free();
    FilterActive = 0;
  }
};

bool Shoot(fw::TCustomForm* form, const std::string& name) {
  form->Update();
  return scenarios::SavePng(scenarios::ScreenshotOf(form->Handle()).get(), scenarios::ScreenshotPath(name));
}

TEST(DatabaseScenario, AFolderAddedThroughTheBuilderIsSearchedAsTheDatabaseSource) {
  // Real fonts, copied into the test's own folder.
  TTempDir fonts;
  int copied = 0;
  for (const char* dir : {"/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/truetype/liberation2"}) {
    if (!std::filesystem::exists(dir)) continue;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
      if (e.path().extension() != ".ttf") continue;
      fw::WriteFileBytes(fonts.Path(e.path().filename().string()),
                         fixtures::ReadAll(fixtures::Unix(e.path().string())));
      ++copied;
    }
  }
  if (!fixtures::Exists(fonts.Path("DejaVuSerif.ttf"))) GTEST_SKIP() << "fonts-dejavu-core missing";
  fw::String folder = fonts.Path("");
  folder.pop_back();

  apptest::AppDataFolder appData("database_scenario");
  apptest::SampleTextKeeper keep;
  ProgramWindows windows;
  TImageForm* main = windows.main;
  ASSERT_EQ(main->Database().CompFile.FileSize(), 0) << "the test's own, new database";

  // "Refresh database": the builder, modal; "Add Fonts " there.
  fw::String closing;
  bool shotDuringBuild = false, shotAtTheEnd = false;
  LoopStep::Arm([] { return Databaseform && Databaseform->Visible(); }, [&] {
    TDatabaseform* b = Databaseform;
    // At a message round of the addition, once a file is shown.
    LoopStep::Arm([&] { return b->lbFilename->Caption().size() > 11; },
                  [&] { shotDuringBuild = Shoot(b, "database_builder_building.png"); });
    DialogDriver driver({[&](HWND picker) { apptest::PickFolder(picker, folder); },
                         [&](HWND message) {
                           closing = DialogDriver::ChildTexts(message);
                           // The addition is still running under its closing message.
                           shotAtTheEnd = scenarios::SavePng(scenarios::ScreenshotOf(b->Handle()).get(),
                                                             scenarios::ScreenshotPath("database_builder_added.png"));
                           DialogDriver::Press(message, IDOK);
                         }});
    b->btnaddfonts->Click();
    driver.Join();
    PostMessageW(b->Handle(), WM_CLOSE, 0, 0);
  });
  auto* refresh = dynamic_cast<fw::TMenuItem*>(main->FindComponent(u"Refreshdatabase1"));
  ASSERT_NE(refresh, nullptr);
  refresh->Click();
  fwtest::Pump();
  EXPECT_EQ(Databaseform, nullptr) << "the closed builder frees itself";
  EXPECT_NE(closing.find(fw::IntToStr(copied) + u" new fonts add in database!"), fw::String::npos)
      << fw::StringToUtf8(closing);
  EXPECT_TRUE(shotDuringBuild || shotAtTheEnd);
  EXPECT_EQ(main->Database().CompFile.FileSize(), copied);

  // The filter dialog: its summary page counts the records that pass.
  fw::String total;
  LoopStep::Arm([] { return formfilter->Visible(); }, [&] {
    Tformfilter* f = formfilter;
    f->Wizard->SetActivePage(f->Multipreview);
    f->UpdateSummary();
    f->CkXPButton1Click(f);
    total = f->lbtotal->Caption();
    EXPECT_TRUE(Shoot(f, "database_filter.png"));
    f->WizardFinishButtonClick(f);
  });
  main->btnfilter->Click();
  EXPECT_EQ(total, fw::IntToStr(copied) + u" of " + fw::IntToStr(copied));
  EXPECT_EQ(FilterActive, 0);

  // A "g" of DejaVu Serif, searched in the database.
  main->cbdatabase->SetChecked(true);
  EXPECT_EQ(main->lbfonts->Caption(), u"Fonts: " + fw::IntToStr(copied));
  const std::unique_ptr<fw::TBitmap> sample = testing_glyphs::Sample(u"DejaVu Serif", 'g', 40);
  main->Engine().SetSample(sample.get());
  main->secodepoint->SetValue('g');
  main->sepercentage->SetValue(50);
  main->btnstartstop->Click();
  fwtest::Pump();
  Shoot(main, "database_search.png");
  ASSERT_GT(main->ListView->Items()->Count(), 0);
  EXPECT_EQ(main->ListView->Items()->Item(0)->Caption(), u"DejaVu Serif");
}

}  // namespace
}  // namespace app
