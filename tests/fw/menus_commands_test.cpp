// Items run from the window: WM_COMMAND of the menu bar, shortcut keys
// through the form's key handling (main menu and the popup menu of the
// focused control), radio groups of items, and actions that decide an
// item's state when its sub-menu opens.
#include <gtest/gtest.h>

#include "fw/controls/button.h"
#include "menus_test_util.h"

using namespace fw;
using fwtest::EntryAt;
using fwtest::HeldKeys;
using fwtest::Log;
using fwtest::MenuForm;

namespace {

const char16_t kForm[] = uR"(object MenuTestForm: TMenuTestForm
  Left = 40
  Top = 40
  BorderStyle = bsSingle
  ClientWidth = 320
  ClientHeight = 200
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    AutoHotkeys = maManual
    object mnFile: TMenuItem
      Caption = '&File'
      object mnOpen: TMenuItem
        Caption = '&Open'
        ShortCut = 16463
        OnClick = ItemClick
      end
      object mnSaveAs: TMenuItem
        Caption = 'Save &as'
        ShortCut = 24659
        OnClick = ItemClick
      end
      object mnSettings: TMenuItem
        Caption = 'Settings'
        ShortCut = 119
        OnClick = ItemClick
      end
      object mnLocked: TMenuItem
        Caption = 'Locked'
        ShortCut = 16466
        Enabled = False
        OnClick = ItemClick
      end
      object mnSecret: TMenuItem
        Caption = 'Secret'
        ShortCut = 16456
        Visible = False
        OnClick = ItemClick
      end
      object mnRun: TMenuItem
        Action = acRun
      end
    end
    object mnOff: TMenuItem
      Caption = 'Off'
      Enabled = False
      object mnInside: TMenuItem
        Caption = 'Inside'
        ShortCut = 16457
        OnClick = ItemClick
      end
    end
    object mnSize: TMenuItem
      Caption = 'Size'
      object mnSmall: TMenuItem
        Caption = 'Small'
        RadioItem = True
        GroupIndex = 1
        Checked = True
        AutoCheck = True
        OnClick = ItemClick
      end
      object mnMedium: TMenuItem
        Caption = 'Medium'
        RadioItem = True
        GroupIndex = 1
        AutoCheck = True
        OnClick = ItemClick
      end
      object mnLarge: TMenuItem
        Caption = 'Large'
        RadioItem = True
        GroupIndex = 1
        AutoCheck = True
      end
      object mnBold: TMenuItem
        Caption = 'Bold'
        RadioItem = True
        GroupIndex = 2
        Checked = True
      end
      object mnGrid: TMenuItem
        Caption = 'Grid'
        AutoCheck = True
      end
    end
  end
  object PopupMenu1: TPopupMenu
    object pmSelectAll: TMenuItem
      Caption = 'Select all'
      ShortCut = 16449
      OnClick = ItemClick
    end
  end
  object ActionList1: TActionList
    object acRun: TAction
      Caption = 'Run'
      ShortCut = 114
      OnExecute = ActionExecute
      OnUpdate = ActionUpdate
    end
  end
end
)";

LRESULT SendCommand(TCustomForm* form, TMenuItem* item) {
  return SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
}

TEST(MenuCommands, WindowCommandRunsTheItem) {
  MenuForm f(kForm);
  SendCommand(f.form, f.Item(u"mnOpen"));
  SendCommand(f.form, f.Item(u"mnLocked"));  // disabled: nothing
  SendCommand(f.form, f.Item(u"mnSaveAs"));
  EXPECT_EQ(f->clicks, (Log{"mnOpen", "mnSaveAs"}));
  // A command number of no item of the form goes on to the default handling.
  EXPECT_EQ(SendMessageW(f->Handle(), WM_COMMAND, MAKEWPARAM(0xFFFE, 0), 0), 0);
  EXPECT_EQ(f->clicks.size(), 2u);
}

struct ShortCutCase {
  const char* name;
  std::vector<int> held;
  WPARAM key;
  UINT message;
  const char* expected;  // the item that runs, or "" for none
};

class MenuShortCutTest : public ::testing::TestWithParam<ShortCutCase> {};

TEST_P(MenuShortCutTest, KeyRunsTheItemWithThatShortCut) {
  const ShortCutCase& c = GetParam();
  MenuForm f(kForm);
  {
    HeldKeys keys(c.held);
    LPARAM data = 1;
    if (c.message == WM_SYSKEYDOWN) data |= 0x20000000;  // Alt is held
    PostMessageW(f->Handle(), c.message, c.key, data);
    fwtest::Pump(30);
  }
  if (*c.expected)
    EXPECT_EQ(f->clicks, (Log{c.expected}));
  else
    EXPECT_TRUE(f->clicks.empty()) << f->clicks.front();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MenuShortCutTest,
    ::testing::Values(ShortCutCase{"CtrlO", {VK_CONTROL}, 'O', WM_KEYDOWN, "mnOpen"},
                      ShortCutCase{"CtrlShiftS", {VK_CONTROL, VK_SHIFT}, 'S', WM_KEYDOWN, "mnSaveAs"},
                      ShortCutCase{"F8", {}, VK_F8, WM_KEYDOWN, "mnSettings"},
                      ShortCutCase{"OShiftless", {}, 'O', WM_KEYDOWN, ""},
                      ShortCutCase{"DisabledItem", {VK_CONTROL}, 'R', WM_KEYDOWN, ""},
                      ShortCutCase{"ItemInDisabledSubMenu", {VK_CONTROL}, 'I', WM_KEYDOWN, ""},
                      // Hidden items keep their shortcuts.
                      ShortCutCase{"HiddenItem", {VK_CONTROL}, 'H', WM_KEYDOWN, "mnSecret"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MenuCommands, PopupMenuOfTheFocusedControlTakesItsShortCuts) {
  MenuForm f(kForm);
  auto* button = new TButton(f.form);
  button->SetParent(f.form);
  button->SetBounds(10, 10, 80, 24);
  button->SetPopupMenu(f.Find<TPopupMenu>(u"PopupMenu1"));
  f->SetActiveControl(button);
  fwtest::Pump(20);
  {
    HeldKeys keys{VK_CONTROL};
    PostMessageW(button->Handle(), WM_KEYDOWN, 'A', 1);
    fwtest::Pump(30);
  }
  EXPECT_EQ(f->clicks, (Log{"pmSelectAll"}));
}

TEST(MenuCommands, CheckingARadioItemUnchecksItsGroupOnly) {
  MenuForm f(kForm);
  TMenuItem* small = f.Item(u"mnSmall");
  TMenuItem* medium = f.Item(u"mnMedium");
  TMenuItem* large = f.Item(u"mnLarge");
  TMenuItem* bold = f.Item(u"mnBold");
  HMENU sizeMenu = f.Item(u"mnSize")->Handle();
  auto checks = [&] {
    std::string s;
    for (int i = 0; i < 5; ++i) s += (EntryAt(sizeMenu, i).state & MFS_CHECKED) ? '1' : '0';
    return s;
  };
  EXPECT_EQ(checks(), "10010");
  large->SetChecked(true);
  EXPECT_FALSE(small->Checked());
  EXPECT_TRUE(bold->Checked());  // another group
  EXPECT_EQ(checks(), "00110");
  // A click on an auto-checking radio item checks it and runs it.
  SendCommand(f.form, medium);
  EXPECT_TRUE(medium->Checked());
  EXPECT_FALSE(large->Checked());
  EXPECT_EQ(checks(), "01010");
  // An auto-checking plain item toggles.
  SendCommand(f.form, f.Item(u"mnGrid"));
  SendCommand(f.form, f.Item(u"mnGrid"));
  SendCommand(f.form, f.Item(u"mnGrid"));
  EXPECT_EQ(checks(), "01011");
  EXPECT_EQ(f->clicks, (Log{"mnMedium"}));
}

TEST(MenuCommands, OpeningASubMenuUpdatesItsItemsFromTheirActions) {
  MenuForm f(kForm);
  TMenuItem* run = f.Item(u"mnRun");
  EXPECT_EQ(run->Caption(), u"Run");
  EXPECT_EQ(run->ShortCut(), VK_F3);
  HMENU file = f.Item(u"mnFile")->Handle();
  int pos = GetMenuItemCount(file) - 1;
  EXPECT_EQ(EntryAt(file, pos).text, "Run\tF3");

  f->actionEnabled = false;
  SendMessageW(f->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_FALSE(run->Enabled());
  EXPECT_EQ(EntryAt(file, pos).state & MFS_GRAYED, static_cast<UINT>(MFS_GRAYED));
  SendCommand(f.form, run);
  EXPECT_EQ(f->actionRuns, 0);

  f->actionEnabled = true;
  SendMessageW(f->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_EQ(EntryAt(file, pos).state & MFS_GRAYED, 0u);
  SendCommand(f.form, run);
  EXPECT_EQ(f->actionRuns, 1);
  // The shortcut the item took from its action runs the action too.
  PostMessageW(f->Handle(), WM_KEYDOWN, VK_F3, 1);
  fwtest::Pump(30);
  EXPECT_EQ(f->actionRuns, 2);
}

TEST(MenuCommands, HighlightedItemShowsItsHintAsTheApplicationHint) {
  MenuForm f(kForm);
  TMenuItem* open = f.Item(u"mnOpen");
  open->SetHint(u"Open|Opens an image");
  HMENU file = f.Item(u"mnFile")->Handle();
  SendMessageW(f->Handle(), WM_MENUSELECT, MAKEWPARAM(open->Command(), MF_HILITE), reinterpret_cast<LPARAM>(file));
  EXPECT_EQ(Application->Hint(), u"Opens an image");
  SendMessageW(f->Handle(), WM_MENUSELECT, MAKEWPARAM(f.Item(u"mnSaveAs")->Command(), MF_HILITE),
               reinterpret_cast<LPARAM>(file));
  EXPECT_EQ(Application->Hint(), u"");
}

}  // namespace
