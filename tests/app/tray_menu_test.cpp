// The main window's tray icon and tray menu: what the description gives them,
// and the enabled states of About and Restore while an about box shows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/about_form.h"
#include "app/image_form.h"
#include "controls/views/ckmenupainters.h"
#include "controls/views/ckmenus.h"
#include "controls/views/cktrayicon.h"
#include "fw/controls_test_util.h"
#include "fw/system/actions.h"
#include "main_window_util.h"

using namespace app;

namespace {

struct TrayMenu : ::testing::Test {
  apptest::AppDataFolder appData{"tray_menu"};
  apptest::SampleTextKeeper keep;
  std::unique_ptr<TImageForm, apptest::FormDeleter> form;
  void SetUp() override {
    apptest::InitialiseProgramUnits();
    form.reset(fw::NewForm<TImageForm>(nullptr));
  }
  fw::TMenuItem* Item(int i) const { return form->popupminimized->Items()->Items(i); }
  bool Enabled(fw::TMenuItem* item) const {
    auto* action = dynamic_cast<fw::TCustomAction*>(item->Action());
    if (!action) return item->Enabled();
    action->Update();
    return action->Enabled();
  }
};

TEST_F(TrayMenu, TheDescriptionGivesTheIconAndTheMenuTheirItemsAndPainter) {
  ASSERT_NE(form->Tray, nullptr);
  ASSERT_NE(form->popupminimized, nullptr);
  EXPECT_EQ(form->Tray->Hint(), u"Vestaline");
  EXPECT_EQ(form->Tray->Delay(), 500);
  EXPECT_EQ(form->Tray->PopupMenu(), form->popupminimized);
  EXPECT_EQ(form->Tray->DropDownMenu(), form->popupminimized);
  EXPECT_EQ(form->Tray->Visibility(), (ck::TTrayVisibilities{ck::tvVisibleTaskBar, ck::tvVisibleTaskList,
                                                             ck::tvAutoHide, ck::tvRestoreClick, ck::tvMinimizeClick}));
  EXPECT_TRUE(form->Tray->Active()) << "the settings' Minimize to systray is on";
  ck::TCkPopupMenu* menu = form->popupminimized;
  EXPECT_EQ(menu->Style(), ck::msItemPainter);
  EXPECT_EQ(menu->ItemPainter(), nullptr);
  EXPECT_NE(dynamic_cast<ck::TCkStandardMenuItemPainter*>(menu->ActiveItemPainter()), nullptr);
  EXPECT_EQ(menu->AutoHotkeys(), fw::maManual);
  EXPECT_EQ(menu->ImageSize()->Width(), 12);
  EXPECT_EQ(menu->ImageSize()->Height(), 10);
  EXPECT_EQ(menu->ImageMargin()->Left() + menu->ImageMargin()->Top() + menu->ImageMargin()->Right() +
                menu->ImageMargin()->Bottom(),
            0);
  std::vector<std::string> captions;
  for (int i = 0; i < menu->Items()->Count(); ++i) captions.push_back(fw::StringToUtf8(Item(i)->Caption()));
  EXPECT_EQ(captions, (std::vector<std::string>{"About", "-", "Exit", "Restore", "-", "Capture Image"}));
  for (int i = 0; i < menu->Items()->Count(); ++i) EXPECT_EQ(Item(i)->Default(), i == 5) << captions[i];
}

TEST_F(TrayMenu, AboutAndRestoreAreDisabledWhileTheAboutBoxShows) {
  EXPECT_TRUE(Enabled(Item(0)));
  EXPECT_TRUE(Enabled(Item(3)));
  EXPECT_TRUE(Enabled(Item(5)));
  std::unique_ptr<fw::TForm, apptest::FormDeleter> about(fw::NewForm<TAboutForm>(nullptr));
  AboutForm = static_cast<TAboutForm*>(about.get());
  about->Show();
  fwtest::Pump();
  EXPECT_FALSE(Enabled(Item(0))) << "About";
  EXPECT_FALSE(Enabled(Item(3))) << "Restore";
  about->Hide();
  EXPECT_TRUE(Enabled(Item(0)));
  EXPECT_TRUE(Enabled(Item(3)));
  AboutForm = nullptr;
}

}  // namespace
