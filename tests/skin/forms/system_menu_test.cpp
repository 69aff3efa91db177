// The skinned system menu on real forms: its items rebuilt from the window's
// standard system menu (also after WS_SYSMENU went), their states for a table
// of window facts, the program's sub-menu in its three places, the skin list
// and choosing a skin from it, and the commands its items send.
#include "skin/forms/system_menu.h"

#include <gtest/gtest.h>

#include "fw/system/actions.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_resources.h"
#include "tests/fw/controls_test_util.h"

namespace skin {
namespace {

struct MenuForm {
  fwtest::TestForm form{300, 200};
  explicit MenuForm(fw::TFormBorderStyle style = fw::bsSizeable, fw::TBorderIcons icons = {fw::biSystemMenu, fw::biMinimize, fw::biMaximize}) {
    form->SetBorderStyle(style);
    form->SetBorderIcons(icons);
    form->Handle();
  }
  HWND wnd() { return form->Handle(); }
};

std::vector<fw::String> Names(fw::TMenuItem* root) {
  std::vector<fw::String> names;
  for (int i = 0; i < root->Count(); ++i)
    names.push_back(root->Items(i)->IsLine() ? u"-" + root->Items(i)->Name() : root->Items(i)->Name());
  return names;
}

fw::String StdText(HMENU menu, UINT command) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, command, text, 255, MF_BYCOMMAND);
  fw::String s(reinterpret_cast<const char16_t*>(text));
  return s.substr(0, s.find(u'\t'));
}

TEST(SystemMenu, ItemsComeFromTheStandardMenuWithExtraCommandsBeforeClose) {
  MenuForm f;
  const HMENU std = StandardSystemMenu(f.wnd());
  ASSERT_NE(std, nullptr);
  AppendMenuW(std, MF_STRING, 0x1234, L"Custom\tCtrl+K");
  // A sub-menu has no command to send: it is left out.
  HMENU sub = CreatePopupMenu();
  AppendMenuW(sub, MF_STRING, 0x1235, L"Inner");
  AppendMenuW(std, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Nested");
  // Under Wine the menu outlives the style only when it was taken before.
  SetWindowLongW(f.wnd(), GWL_STYLE, GetWindowLongW(f.wnd(), GWL_STYLE) & ~WS_SYSMENU);

  TkSystemMenu menu(nullptr, f.form.form);
  EXPECT_EQ(menu.Name().substr(0, 9), u"kcSysMenu");
  fw::TMenuItem* root = menu.Items();
  ASSERT_EQ(root->Count(), 9);
  const std::vector<fw::String> expected = {u"kcIR", u"kcIM", u"kcIS", u"kcIN", u"kcIX", u"-", u"", u"-", u"kcIC"};
  EXPECT_EQ(Names(root), expected);
  const UINT commands[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(root->Items(i)->Tag(), int(commands[i]));
    EXPECT_EQ(root->Items(i)->Caption(), StdText(std, commands[i]));
  }
  fw::TMenuItem* custom = root->Items(6);
  EXPECT_EQ(custom->Caption(), u"Custom");
  EXPECT_EQ(custom->ShortCut(), fw::TextToShortCut(u"Ctrl+K"));
  EXPECT_EQ(menu.ExtItemsCount, 1);
  EXPECT_EQ(menu.ItemClose->Tag(), int(SC_CLOSE));
  EXPECT_EQ(menu.ItemClose->Caption(), StdText(std, SC_CLOSE));
  EXPECT_NE(menu.ItemClose->ShortCut(), 0);

  // The extra command is posted to the form.
  MSG m;
  while (PeekMessageW(&m, f.wnd(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE)) {}
  custom->Click();
  ASSERT_TRUE(PeekMessageW(&m, f.wnd(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
  EXPECT_EQ(m.wParam, 0x1234u);
  EXPECT_EQ(m.lParam, 0);
}

TEST(SystemMenu, AWindowWithoutStandardMenuGivesAnEmptyMenu) {
  fwtest::TestForm form;
  form->Handle();  // borderless, no system menu
  TkSystemMenu menu(nullptr, form.form);
  EXPECT_EQ(menu.Items()->Count(), 0);
  menu.UpdateItems(false);
  EXPECT_EQ(menu.Items()->Count(), 0);
  EXPECT_EQ(menu.ItemClose, nullptr);
}

TEST(SystemMenu, ItemStatesFollowTheFormsFacts) {
  struct Row {
    const char* name;
    fw::TFormBorderStyle style;
    fw::TBorderIcons icons;
    fw::TWindowState state;
    // visible, enabled of restore, move, size, minimize, maximize, close
    bool visible[6], enabled[6];
  };
  const fw::TBorderIcons all{fw::biSystemMenu, fw::biMinimize, fw::biMaximize};
  const Row rows[] = {
      {"sizeable normal", fw::bsSizeable, all, fw::wsNormal, {1, 1, 1, 1, 1, 1}, {0, 1, 1, 1, 1, 1}},
      {"sizeable maximised", fw::bsSizeable, all, fw::wsMaximized, {1, 1, 1, 1, 1, 1}, {1, 0, 1, 1, 1, 1}},
      {"single", fw::bsSingle, all, fw::wsNormal, {1, 1, 1, 1, 1, 1}, {0, 1, 0, 1, 1, 1}},
      {"dialog", fw::bsDialog, all, fw::wsNormal, {0, 1, 0, 0, 0, 1}, {0, 1, 1, 1, 0, 1}},
      {"no minimize icon", fw::bsSizeable, {fw::biSystemMenu, fw::biMaximize}, fw::wsNormal,
       {1, 1, 1, 0, 1, 1}, {0, 1, 1, 0, 1, 1}},
  };
  for (const Row& r : rows) {
    MenuForm f(r.style, r.icons);
    f.form->SetWindowState(r.state);
    TkSystemMenu menu(nullptr, f.form.form);
    menu.UpdateItems(false);
    fw::TMenuItem* items[] = {menu.ItemRestore, menu.ItemMove, menu.ItemSize,
                              menu.ItemMinimize, menu.ItemMaximize, menu.ItemClose};
    for (int i = 0; i < 6; ++i) {
      ASSERT_NE(items[i], nullptr) << r.name;
      EXPECT_EQ(items[i]->Visible(), r.visible[i]) << r.name << " item " << i;
      EXPECT_EQ(items[i]->Enabled(), r.enabled[i]) << r.name << " item " << i;
    }
  }
  // Without biSystemMenu the window has no standard menu at all here.
  MenuForm none(fw::bsSizeable, {fw::biMinimize, fw::biMaximize});
  TkSystemMenu menu(nullptr, none.form.form);
  menu.UpdateItems(true);
  EXPECT_FALSE(menu.VisibleClose());
  EXPECT_FALSE(menu.VisibleRestore());
}

TEST(SystemMenu, TheProgramsSubMenuSitsWhereItsPositionSays) {
  MenuForm f;
  fw::TPopupMenu program(nullptr);
  auto* a = new fw::TMenuItem(&program);
  a->SetName(u"Alpha");
  a->SetCaption(u"Alpha");
  a->SetChecked(true);
  a->SetShortCut(fw::TextToShortCut(u"Ctrl+A"));
  a->SetHelpContext(31);
  a->SetImageIndex(2);
  struct Handler {
    void Click(fw::TObject*) {}
  } handler;
  a->OnClick = fw::TNotifyEvent(&handler, &Handler::Click);
  auto* inner = new fw::TMenuItem(&program);
  inner->SetName(u"Inner");
  inner->SetCaption(u"Inner");
  inner->SetEnabled(false);
  inner->SetHelpContext(32);
  a->Add(inner);
  program.Items()->Add(a);
  const struct {
    TkcMenuItemPos pos;
    std::vector<fw::String> names;
  } cases[] = {
      {ipTop, {u"kc_SubMenu", u"-kc_TopDiv", u"kcIR", u"kcIM", u"kcIS", u"kcIN", u"kcIX", u"-", u"kcIC"}},
      {ipBeforeClose, {u"kcIR", u"kcIM", u"kcIS", u"kcIN", u"kcIX", u"-", u"kc_SubMenu", u"-kc_TopDiv", u"kcIC"}},
      {ipBottom, {u"kcIR", u"kcIM", u"kcIS", u"kcIN", u"kcIX", u"-", u"kcIC", u"-kc_BtmDiv", u"kc_SubMenu"}},
  };
  for (const auto& c : cases) {
    TkSystemMenu menu(nullptr, f.form.form);
    menu.SysSubMenu = {u"Program", c.pos, &program};
    menu.UpdateItems(true);
    EXPECT_EQ(Names(menu.Items()), c.names) << int(c.pos);
    ASSERT_NE(menu.SubMenu, nullptr);
    ASSERT_EQ(menu.SubMenu->Count(), 1);
    fw::TMenuItem* copy = menu.SubMenu->Items(0);
    EXPECT_EQ(copy->Name(), u"AlphaCopy");
    EXPECT_EQ(copy->Caption(), u"Alpha");
    EXPECT_TRUE(copy->Checked());
    EXPECT_TRUE(copy->Enabled());
    EXPECT_EQ(copy->ShortCut(), a->ShortCut());
    EXPECT_EQ(copy->HelpContext(), 31);
    EXPECT_EQ(copy->ImageIndex(), 2);
    EXPECT_EQ(copy->OnClick, a->OnClick);
    ASSERT_EQ(copy->Count(), 1);
    fw::TMenuItem* innerCopy = copy->Items(0);
    EXPECT_EQ(innerCopy->Name(), u"InnerCopy");
    EXPECT_EQ(innerCopy->Caption(), u"Inner");
    EXPECT_FALSE(innerCopy->Enabled());
    EXPECT_EQ(innerCopy->HelpContext(), 32);
  }
  // No caption, or no menu: no sub-menu.
  TkSystemMenu menu(nullptr, f.form.form);
  menu.SysSubMenu = {u"", ipTop, &program};
  menu.UpdateItems(true);
  EXPECT_EQ(menu.SubMenu, nullptr);
  menu.SysSubMenu = {u"Program", ipTop, nullptr};
  menu.UpdateItems(true);
  EXPECT_EQ(menu.SubMenu, nullptr);
}

struct ManagerWithSkins {
  TkSkinManager manager{nullptr};
  explicit ManagerWithSkins(int count) {
    // Names only: nothing is loaded.
    manager.ReportMessage = [](const fw::String&) {};
    manager.WriteActive(false);
    manager.WriteSkinDirectory(u"Z:\\nonexistent-skins-folder");
    for (int i = 0; i < count; ++i) {
      auto* s = static_cast<TkStoredSkin*>(manager.InternalSkins()->Add());
      s->FName = u"Skin " + fw::String(1, char16_t(u'A' + i % 26)) + fw::String(1, char16_t(u'a' + i / 26));
    }
  }
};

TEST(SystemMenu, SkinListHasTwentySkinsAColumnAndChecksTheSkinInUse) {
  MenuForm f;
  ManagerWithSkins m(45);
  std::vector<fw::String> names;
  m.manager.GetSkinNames(names);
  ASSERT_EQ(names.size(), 45u);
  m.manager.WriteSkinName(names[23]);
  TkSystemMenu menu(nullptr, f.form.form);
  menu.Manager = &m.manager;
  for (int round = 0; round < 2; ++round) {
    // Dropping the menu again makes the list anew: there is one.
    menu.RemoveSkinItems();
    menu.MakeSkinItems();
    int lists = 0;
    for (int i = 0; i < menu.Items()->Count(); ++i) lists += menu.Items()->Items(i)->Name() == u"SkinSelectItem";
    EXPECT_EQ(lists, 1);
  }
  fw::TMenuItem* list = menu.Items()->Items(0);
  EXPECT_EQ(list->Name(), u"SkinSelectItem");
  EXPECT_EQ(list->Caption(), u"Available skins");
  EXPECT_TRUE(menu.Items()->Items(1)->IsLine());
  ASSERT_EQ(list->Count(), 45);
  std::vector<int> columns{0};
  for (int i = 0; i < 45; ++i) {
    fw::TMenuItem* item = list->Items(i);
    if (item->Break() == fw::mbBreak) columns.push_back(0);
    ++columns.back();
    EXPECT_TRUE(item->RadioItem());
    EXPECT_EQ(item->Checked(), i == 23) << i;
    EXPECT_EQ(item->Caption(), names[size_t(i)]);
  }
  EXPECT_EQ(columns, (std::vector<int>{20, 20, 5}));
  // The fixed items stay below the list.
  EXPECT_EQ(menu.Items()->Items(2)->Name(), u"kcIR");
}

TEST(SystemMenu, NoSkinsNoList) {
  MenuForm f;
  ManagerWithSkins m(0);
  TkSystemMenu menu(nullptr, f.form.form);
  menu.Manager = &m.manager;
  const int before = menu.Items()->Count();
  menu.MakeSkinItems();
  EXPECT_EQ(menu.Items()->Count(), before);
}

TEST(SystemMenu, ChoosingASkinSetsItsNameAlsoWithAHotKeyMark) {
  MenuForm f;
  ManagerWithSkins m(0);
  TkSystemMenu menu(nullptr, f.form.form);
  const struct {
    const char16_t *caption, *name;
  } cases[] = {
      {u"&Sapphire (internal)", u"Sapphire (internal)"},
      {u"Topaz (internal)", u"Topaz (internal)"},
      {u"&Plain", u"Plain"},
  };
  fw::TMenuItem item(nullptr);
  // Without a manager nothing happens.
  item.SetCaption(u"Ignored");
  menu.SkinSelect(&item);
  menu.Manager = &m.manager;
  for (const auto& c : cases) {
    item.SetCaption(c.caption);
    menu.SkinSelect(&item);
    EXPECT_EQ(m.manager.SkinName(), c.name);
  }
}

// Logs the system commands the form gets and whether the animation was
// skipped meanwhile.
struct CommandLog {
  std::vector<std::pair<WPARAM, bool>> commands;
  bool skipping = false;
  fw::TWndMethod old;
  void Proc(fw::TMessage& m) {
    if (m.Msg == WM_SYSCOMMAND) {
      commands.push_back({m.WParam & 0xFFF0, skipping});
      m.Result = 0;
      return;
    }
    old(m);
  }
};

TEST(SystemMenu, MinimizeSkipsTheAnimationOnlyWhileItsCommandRuns) {
  MenuForm f;
  CommandLog log;
  log.old = f.form->WindowProc();
  f.form->SetWindowProc(fw::TWndMethod(&log, &CommandLog::Proc));
  TkSystemMenu menu(nullptr, f.form.form);
  menu.SetSkipAnimation = [&](bool v) { log.skipping = v; };
  menu.ItemMinimize->Click();
  menu.ItemMaximize->Click();
  menu.ItemClose->Click();
  f.form->SetWindowProc(log.old);
  ASSERT_EQ(log.commands.size(), 3u);
  EXPECT_EQ(log.commands[0], (std::pair<WPARAM, bool>{SC_MINIMIZE, true}));
  EXPECT_EQ(log.commands[1], (std::pair<WPARAM, bool>{SC_MAXIMIZE, false}));
  EXPECT_EQ(log.commands[2], (std::pair<WPARAM, bool>{SC_CLOSE, false}));
  EXPECT_FALSE(log.skipping);
}

}  // namespace
}  // namespace skin
