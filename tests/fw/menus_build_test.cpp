// Menus read from a form description become the real window menu: the
// entries' texts, separators, check marks, radio marks, enabled and default
// states, sub-menus, the changes made to the items later, and the
// right-to-left reading order on a system whose locale reads so.
#include <gtest/gtest.h>

#include "fw/platform/locale.h"
#include "menus_test_util.h"

using namespace fw;
using fwtest::EntryAt;
using fwtest::EntryTexts;
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
        Caption = '&Open...'
        ShortCut = 16463
        Hint = 'Open|Opens an image'
        HelpContext = 12
        OnClick = ItemClick
      end
      object mnRecent: TMenuItem
        Caption = 'Recent'
        Enabled = False
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object mnHidden: TMenuItem
        Caption = 'Hidden'
        Visible = False
      end
      object mnClose: TMenuItem
        Caption = 'Close'
        ShortCut = 32883
        Default = True
      end
    end
    object mnView: TMenuItem
      Caption = '&View'
      object mnToolbar: TMenuItem
        Caption = 'Toolbar'
        Checked = True
      end
      object mnSmall: TMenuItem
        Caption = 'Small'
        RadioItem = True
        GroupIndex = 1
        Checked = True
      end
      object mnLarge: TMenuItem
        Caption = 'Large'
        RadioItem = True
        GroupIndex = 1
      end
    end
  end
end
)";

struct EntryCase {
  const char* menu;  // "File" or "View"
  int pos;
  const char* text;
  UINT type;   // bits that must be set
  UINT state;  // exact MFS_CHECKED | MFS_GRAYED | MFS_DEFAULT bits
};

class MenuBuildTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(MenuBuildTest, DescriptionReachesTheWindowMenu) {
  MenuForm f(kForm);
  HMENU bar = GetMenu(f->Handle());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar, f.Find<TMainMenu>(u"MainMenu1")->Handle());
  ASSERT_EQ(EntryTexts(bar), (std::vector<std::string>{"&File", "&View"}));
  const EntryCase& c = GetParam();
  HMENU sub = EntryAt(bar, std::string(c.menu) == "File" ? 0 : 1).subMenu;
  ASSERT_NE(sub, nullptr);
  fwtest::MenuEntry e = EntryAt(sub, c.pos);
  EXPECT_EQ(e.text, c.text);
  EXPECT_EQ(e.type & c.type, c.type) << c.text;
  EXPECT_EQ(e.state & (MFS_CHECKED | MFS_GRAYED | MFS_DEFAULT), c.state) << c.text;
  // The entry carries its item: the command number and the object.
  auto* item = reinterpret_cast<TMenuItem*>(e.data);
  ASSERT_TRUE(f.Find<TMainMenu>(u"MainMenu1")->ContainsItem(item));
  EXPECT_EQ(e.id, item->Command());
}

INSTANTIATE_TEST_SUITE_P(Entries, MenuBuildTest,
                         ::testing::Values(EntryCase{"File", 0, "&Open...\tCtrl+O", 0, 0},
                                           EntryCase{"File", 1, "Recent", 0, MFS_GRAYED},
                                           EntryCase{"File", 2, "-", MFT_SEPARATOR, 0},
                                           // The hidden item is left out.
                                           EntryCase{"File", 3, "Close\tAlt+F4", 0, MFS_DEFAULT},
                                           EntryCase{"View", 0, "Toolbar", 0, MFS_CHECKED},
                                           EntryCase{"View", 1, "Small", MFT_RADIOCHECK, MFS_CHECKED},
                                           EntryCase{"View", 2, "Large", MFT_RADIOCHECK, 0}));

TEST(MenuBuild, DescriptionKeepsTheClientSizeBelowTheMenuBar) {
  MenuForm f(kForm);
  EXPECT_EQ(f.Item(u"mnOpen")->HelpContext(), 12);
  EXPECT_EQ(f.Item(u"mnClose")->HelpContext(), 0);
  RECT r;
  GetClientRect(f->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 320);
  EXPECT_EQ(r.bottom - r.top, 200);
  EXPECT_EQ(f->ClientHeight(), 200);
}

TEST(MenuBuild, ChangedItemsReachTheWindowMenu) {
  MenuForm f(kForm);
  HMENU file = f.Item(u"mnFile")->Handle();
  f.Item(u"mnHidden")->SetVisible(true);
  f.Item(u"mnRecent")->SetEnabled(true);
  f.Item(u"mnOpen")->SetCaption(u"&Load");
  f.Item(u"mnOpen")->SetShortCut(ShortCut(VK_F3, TShiftState{}));
  EXPECT_EQ(EntryTexts(file), (std::vector<std::string>{"&Load\tF3", "Recent", "-", "Hidden", "Close\tAlt+F4"}));
  EXPECT_EQ(EntryAt(file, 1).state & MFS_GRAYED, 0u);

  // New items, moved items and deleted items.
  auto* extra = new TMenuItem(f.form);
  extra->SetCaption(u"Extra");
  f.Item(u"mnFile")->Insert(1, extra);
  f.Item(u"mnClose")->SetMenuIndex(0);
  EXPECT_EQ(EntryTexts(file),
            (std::vector<std::string>{"Close\tAlt+F4", "&Load\tF3", "Extra", "Recent", "-", "Hidden"}));
  extra->Free();
  f.Item(u"mnFile")->Remove(f.Item(u"mnRecent"));
  EXPECT_EQ(EntryTexts(file), (std::vector<std::string>{"Close\tAlt+F4", "&Load\tF3", "-", "Hidden"}));

  // An item that gets its first sub-item opens a sub-menu.
  auto* sub = new TMenuItem(f.form);
  sub->SetCaption(u"Sub");
  f.Item(u"mnHidden")->Add(sub);
  HMENU hiddenMenu = EntryAt(file, 3).subMenu;
  ASSERT_NE(hiddenMenu, nullptr);
  EXPECT_EQ(hiddenMenu, f.Item(u"mnHidden")->Handle());
  EXPECT_EQ(EntryTexts(hiddenMenu), (std::vector<std::string>{"Sub"}));

  // A column break, with and without a bar.
  f.Item(u"mnClose")->SetBreak(mbBreak);
  EXPECT_NE(EntryAt(file, 0).type & MFT_MENUBREAK, 0u);
  f.Item(u"mnClose")->SetBreak(mbBarBreak);
  EXPECT_NE(EntryAt(file, 0).type & MFT_MENUBARBREAK, 0u);
  f.Item(u"mnClose")->SetBreak(mbNone);
  EXPECT_EQ(EntryAt(file, 0).type & (MFT_MENUBREAK | MFT_MENUBARBREAK), 0u);
}

TEST(MenuBuild, SeparatorsAreReducedAndHotkeysAddedWhenAutomatic) {
  MenuForm f(kForm);
  auto* menu = f.Find<TMainMenu>(u"MainMenu1");
  TMenuItem* file = f.Item(u"mnFile");
  // A separator first, two in a row and one last: only the middle one shows.
  auto add = [&](const char16_t* caption, int index) {
    auto* i = new TMenuItem(f.form);
    i->SetCaption(caption);
    file->Insert(index, i);
    return i;
  };
  add(u"-", 0);
  add(u"-", 4);
  add(u"-", file->Count());
  EXPECT_EQ(EntryTexts(file->Handle()), (std::vector<std::string>{"&Open...\tCtrl+O", "Recent", "-", "Close\tAlt+F4"}));
  menu->SetAutoLineReduction(maManual);
  EXPECT_EQ(EntryTexts(file->Handle()),
            (std::vector<std::string>{"-", "&Open...\tCtrl+O", "Recent", "-", "-", "Close\tAlt+F4", "-"}));

  // Automatic accelerators take letters no sibling uses; captions stay.
  menu->SetAutoHotkeys(maAutomatic);
  EXPECT_EQ(EntryTexts(f.Item(u"mnView")->Handle()), (std::vector<std::string>{"&Toolbar", "&Small", "&Large"}));
  add(u"Clear", 0);
  add(u"Copy", 0);
  std::vector<std::string> texts = EntryTexts(file->Handle());
  EXPECT_EQ(texts[0], "&Copy");
  EXPECT_EQ(texts[1], "C&lear");
  EXPECT_EQ(f.Item(u"mnRecent")->Caption(), u"Recent");
}

TEST(MenuBuild, ARightToLeftMenuReadsFromTheRightOnlyWhereTheLocaleDoes) {
  struct SavedLocale {
    bool middleEast = SysLocale.MiddleEast;
    ~SavedLocale() { SysLocale.MiddleEast = middleEast; }
  } saved;
  MenuForm f(kForm);
  auto* menu = f.Find<TMainMenu>(u"MainMenu1");
  const HWND wnd = f->Handle();
  HMENU bar = GetMenu(wnd);
  HMENU file = f.Item(u"mnFile")->Handle();
  auto itemRect = [&](int pos) {
    RECT r{};
    GetMenuItemRect(wnd, bar, UINT(pos), &r);
    return r;
  };
  const RECT leftFirst = itemRect(0);
  // A system that reads left to right keeps every mode left to right.
  SysLocale.MiddleEast = false;
  menu->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(EntryAt(bar, 0).type & (MFT_RIGHTORDER | MFT_RIGHTJUSTIFY), 0u);
  EXPECT_EQ(EntryAt(file, 0).type & MFT_RIGHTORDER, 0u);

  SysLocale.MiddleEast = true;
  const struct {
    TBiDiMode mode;
    bool order, flushRight;
  } cases[] = {
      {bdRightToLeft, true, true},
      {bdRightToLeftNoAlign, true, false},
      {bdRightToLeftReadingOnly, true, false},
      {bdLeftToRight, false, false},
  };
  for (const auto& c : cases) {
    menu->SetBiDiMode(c.mode);
    menu->AdjustBiDiBehavior();
    const UINT first = EntryAt(bar, 0).type, second = EntryAt(bar, 1).type;
    EXPECT_EQ((first & MFT_RIGHTORDER) != 0, c.order) << int(c.mode);
    EXPECT_EQ((second & MFT_RIGHTORDER) != 0, c.order) << int(c.mode);
    EXPECT_EQ((EntryAt(file, 3).type & MFT_RIGHTORDER) != 0, c.order) << int(c.mode);
    // Only the first entry of the bar carries the justification.
    EXPECT_EQ((first & MFT_RIGHTJUSTIFY) != 0, c.flushRight) << int(c.mode);
    EXPECT_EQ(second & MFT_RIGHTJUSTIFY, 0u) << int(c.mode);
    // The bar's entries and their sub-menus are still the items.
    EXPECT_EQ(EntryTexts(bar), (std::vector<std::string>{"&File", "&View"}));
    EXPECT_EQ(EntryAt(bar, 0).subMenu, file);
  }
  // Flush right, the bar's entries end at its right end.
  menu->SetBiDiMode(bdRightToLeft);
  RECT client{};
  GetClientRect(wnd, &client);
  POINT corner{client.right, 0};
  ClientToScreen(wnd, &corner);
  const RECT a = itemRect(0), b = itemRect(1);
  EXPECT_GT(a.left, leftFirst.left + 100);
  EXPECT_NEAR(std::max(a.right, b.right), corner.x, 4);
  // Back to left to right, the first entry stands where it stood.
  menu->SetBiDiMode(bdLeftToRight);
  EXPECT_EQ(itemRect(0).left, leftFirst.left);
}

TEST(MenuBuild, TreeOperationsGuardTheirArguments) {
  MenuForm f(kForm, false);
  TMenuItem* file = f.Item(u"mnFile");
  EXPECT_EQ(file->Find(u"open..."), f.Item(u"mnOpen"));
  EXPECT_EQ(file->Find(u"nothing"), nullptr);
  EXPECT_EQ(file->IndexOf(f.Item(u"mnClose")), 4);
  EXPECT_THROW(file->Items(5), EMenuError);
  EXPECT_THROW(file->Add(f.Item(u"mnToolbar")), EMenuError);   // already in View
  EXPECT_THROW(file->Items(0)->Add(file), EMenuError);         // into itself
  EXPECT_EQ(f.Item(u"mnOpen")->GetParentMenu(), f.Find<TMenu>(u"MainMenu1"));
  EXPECT_EQ(f.Item(u"mnFile")->GetParentComponent(), f.Find<TMenu>(u"MainMenu1"));
  EXPECT_TRUE(f.Item(u"mnFile")->IsTopLevel());
  EXPECT_FALSE(f.Item(u"mnOpen")->IsTopLevel());
  // Freeing an item frees its sub-items with it.
  int before = f->ComponentCount();
  f.Item(u"mnView")->Free();
  EXPECT_EQ(f->ComponentCount(), before - 4);
}

TEST(MenuBuild, FreeingTheMenuDetachesItFromTheForm) {
  MenuForm f(kForm);
  f.Find<TMainMenu>(u"MainMenu1")->Free();
  EXPECT_EQ(f->Menu(), nullptr);
  EXPECT_EQ(GetMenu(f->Handle()), nullptr);
}

TEST(MenuBuild, RecreatedWindowGetsTheSameMenuBar) {
  MenuForm f(kForm);
  HMENU bar = GetMenu(f->Handle());
  f->RecreateWnd();
  fwtest::Pump();
  EXPECT_EQ(GetMenu(f->Handle()), bar);
  EXPECT_EQ(EntryTexts(bar), (std::vector<std::string>{"&File", "&View"}));
}

}  // namespace
