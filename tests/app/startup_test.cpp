// Start-up: the units in link order with GDI+ last, the windows created in
// their order and reachable through their references, freed in reverse.
#include <gtest/gtest.h>

#include "app/database_error.h"
#include "app/database_form.h"
#include "app/filter_form.h"
#include "app/image_form.h"
#include "app/managedlg.h"
#include "app/startup.h"
#include "fw/core/units.h"
#include "fw/graphics/picture.h"
#include "fw/system/application.h"
#include "main_window_util.h"

TEST(Startup, UnitsInitialiseInLinkOrderWithGdiplusLast) {
  vestaline::RegisterProgramUnits();
  vestaline::RegisterProgramUnits();  // listing twice adds nothing
  fw::Units().Initialize();
  const auto& done = fw::Units().InitializedUnits();
  ASSERT_FALSE(done.empty());
  EXPECT_EQ(done.back(), u"GdiPlus");
  // The picture formats the program opens are known once the units ran.
  const fw::String filter = fw::GraphicFilter(fw::TGraphic::StaticClass());
  for (const char16_t* ext : {u"*.png", u"*.gif", u"*.jpg", u"*.bmp", u"*.ico", u"*.emf", u"*.wmf"})
    EXPECT_NE(filter.find(ext), fw::String::npos) << fw::StringToUtf8(ext);
  fw::Units().Finalize();
}

namespace {

// Notes the order in which the watched components are freed.
class TFreeOrder : public fw::TComponent {
 public:
  TFreeOrder() : fw::TComponent(nullptr) {}
  std::vector<fw::String> Freed;

 protected:
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override {
    fw::TComponent::Notification(AComponent, Operation);
    if (Operation == fw::opRemove) Freed.push_back(AComponent->Name());
  }
};

}  // namespace

TEST(Startup, WindowsAreCreatedInOrderThroughTheirReferencesAndFreedInReverse) {
  apptest::InitialiseProgramUnits();
  apptest::AppDataFolder appData("startup_windows");
  apptest::SampleTextKeeper keep;
  ASSERT_EQ(app::ImageForm, nullptr);
  ASSERT_EQ(app::managedlg, nullptr);

  vestaline::CreateProgramWindows();
  ASSERT_NE(app::ImageForm, nullptr);
  ASSERT_NE(app::managedlg, nullptr);
  // The main window comes first and is the application's main form; the
  // dialogs follow, hidden.
  const std::vector<fw::TCustomForm*> windows = vestaline::ProgramWindows();
  const std::vector<fw::String> created = {u"ImageForm",     u"VestalineSettings", u"AboutForm", u"Databaseform",
                                           u"formfilter",    u"Databaseerror",     u"Form2",     u"managedlg"};
  std::vector<fw::String> names;
  for (fw::TCustomForm* w : windows) names.push_back(w->Name());
  EXPECT_EQ(names, created);
  EXPECT_EQ(windows[0], app::ImageForm);
  EXPECT_EQ(windows.back(), app::managedlg);
  for (size_t i = 1; i < windows.size(); ++i) EXPECT_FALSE(windows[i]->Visible()) << fw::StringToUtf8(names[i]);
  EXPECT_EQ(fw::Application->MainForm(), app::ImageForm);
  EXPECT_EQ(app::ImageForm->Caption(), u"Vestaline3");
  EXPECT_EQ(app::ImageForm->Name(), u"ImageForm");
  EXPECT_EQ(app::managedlg->Name(), u"managedlg");
  EXPECT_FALSE(app::managedlg->Visible());
  EXPECT_TRUE(app::ImageForm->DatabaseOpen());

  TFreeOrder order;
  for (fw::TCustomForm* w : windows) w->FreeNotification(&order);
  vestaline::DestroyProgramWindows();
  EXPECT_EQ(order.Freed, std::vector<fw::String>(created.rbegin(), created.rend()));
  EXPECT_EQ(app::ImageForm, nullptr);
  EXPECT_EQ(app::managedlg, nullptr);
  EXPECT_EQ(app::Databaseform, nullptr);
  EXPECT_EQ(app::formfilter, nullptr);
  EXPECT_EQ(app::Databaseerror, nullptr);
  EXPECT_TRUE(vestaline::ProgramWindows().empty());
  EXPECT_EQ(fw::Application->MainForm(), nullptr);
  // The database file was closed with the window.
  EXPECT_TRUE(DeleteFileW(W(appData.DatabaseFile())));
}
