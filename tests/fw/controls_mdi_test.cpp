// MDI forms: a frame form owns its client window beside its aligned
// controls, child forms are made in it and activated, the frame's menu bar
// shows the active child's menu merged by group and loses it again, and a
// maximised child keeps its window menu and buttons in the bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls_test_util.h"
#include "fw/system/application.h"
#include "menus_test_util.h"

using namespace fw;

namespace {

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const char16_t* caption, uint8_t group = 0) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  item->SetGroupIndex(group);
  parent->Add(item);
  return item;
}

// A top-level item with one command under it, so that it drops down.
TMenuItem* AddTop(TComponent* owner, TMainMenu* menu, const char16_t* caption, uint8_t group) {
  TMenuItem* top = AddItem(owner, menu->Items(), caption, group);
  AddItem(owner, top, u"&Command");
  return top;
}

// An MDI frame form that is the application's main form while it lives,
// with a menu of groups 0, 1 and 2.
struct MdiFrame {
  TForm* form;
  TCustomForm* savedMain;
  TMainMenu* menu;
  explicit MdiFrame(bool withMenu = true) {
    form = NewForm<TForm>(nullptr);
    form->SetPosition(poDesigned);
    form->SetBounds(60, 60, 520, 380);
    form->SetCaption(u"Frame");
    form->SetFormStyle(fsMDIForm);
    menu = withMenu ? new TMainMenu(form) : nullptr;
    if (menu) {
      AddTop(form, menu, u"&File", 0);
      AddTop(form, menu, u"&Edit", 1);
      AddTop(form, menu, u"&Window", 2);
      form->SetMenu(menu);
    }
    savedMain = Application->MainForm();
    Application->SetMainForm(form);
    form->Show();
  }
  ~MdiFrame() {
    form->Free();
    Application->SetMainForm(savedMain);
  }
  std::vector<std::string> Bar() const { return fwtest::EntryTexts(GetMenu(form->Handle())); }
};

// An MDI child form, freed at the end unless the test frees it.
struct MdiChild {
  TForm* form;
  explicit MdiChild(const char16_t* caption) {
    form = NewForm<TForm>(nullptr);
    form->SetCaption(caption);
    form->SetBounds(10, 10, 220, 150);
    form->SetFormStyle(fsMDIChild);
  }
  ~MdiChild() {
    if (form) form->Free();
  }
  TMainMenu* Menu(std::initializer_list<std::pair<const char16_t*, uint8_t>> tops) {
    auto* menu = new TMainMenu(form);
    for (auto& [caption, group] : tops) AddTop(form, menu, caption, group);
    form->SetMenu(menu);
    return menu;
  }
};

std::string WindowText(HWND wnd) {
  wchar_t text[256] = {};
  GetWindowTextW(wnd, text, 256);
  return StringToUtf8(FromW(text));
}

TEST(MdiForms, AFrameMakesItsChildrenInItsClientBesideItsAlignedControls) {
  MdiFrame frame(false);
  const HWND client = frame.form->ClientHandle();
  ASSERT_NE(client, nullptr);
  wchar_t cls[32] = {};
  GetClassNameW(client, cls, 32);
  EXPECT_EQ(lstrcmpiW(cls, L"MDICLIENT"), 0);
  EXPECT_EQ(GetParent(client), frame.form->Handle());
  // An aligned bar on top: the client takes the rest of the client area.
  auto* bar = new fwtest::TTestPanel(frame.form);
  bar->SetHeight(30);
  bar->SetAlign(alTop);
  bar->SetParent(frame.form);
  RECT area{}, placed{};
  GetClientRect(frame.form->Handle(), &area);
  GetWindowRect(client, &placed);
  MapWindowPoints(nullptr, frame.form->Handle(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.top, 30);
  EXPECT_EQ(placed.bottom, area.bottom);
  EXPECT_EQ(placed.right - placed.left, area.right);
  // Larger, the client follows.
  frame.form->SetBounds(60, 60, 600, 420);
  GetClientRect(frame.form->Handle(), &area);
  GetWindowRect(client, &placed);
  EXPECT_EQ(placed.right - placed.left, area.right);

  MdiChild first(u"First"), second(u"Second");
  EXPECT_EQ(frame.form->ActiveMDIChild(), nullptr);
  first.form->Show();
  ASSERT_TRUE(first.form->HandleAllocated());
  EXPECT_EQ(GetParent(first.form->Handle()), client);
  EXPECT_TRUE(GetWindowLongW(first.form->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
  EXPECT_EQ(first.form->MDIFrame(), frame.form);
  EXPECT_EQ(frame.form->ActiveMDIChild(), first.form) << "a child shown is the active one";
  second.form->Show();
  EXPECT_EQ(frame.form->ActiveMDIChild(), second.form);
  SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first.form->Handle()), 0);
  EXPECT_EQ(frame.form->ActiveMDIChild(), first.form);
  // The MDI procedures run: a maximised child fills the client and names
  // itself in the frame's title.
  SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(first.form->Handle()), 0);
  EXPECT_TRUE(IsZoomed(first.form->Handle()));
  EXPECT_NE(WindowText(frame.form->Handle()).find("First"), std::string::npos) << WindowText(frame.form->Handle());
  SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(first.form->Handle()), 0);
  EXPECT_FALSE(IsZoomed(first.form->Handle()));
  // Freed, the other child is the active one.
  first.form->Free();
  first.form = nullptr;
  EXPECT_EQ(frame.form->ActiveMDIChild(), second.form);
}

TEST(MdiForms, WithoutAnMdiMainFormAChildIsAWindowOfItsOwn) {
  MdiChild child(u"Alone");
  child.form->Show();
  EXPECT_FALSE(GetWindowLongW(child.form->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
  EXPECT_EQ(child.form->MDIFrame(), nullptr);
}

TEST(MdiForms, TheActiveChildsMenuIsMergedIntoTheFramesBarByGroup) {
  MdiFrame frame;
  const std::vector<std::string> own{"&File", "&Edit", "&Window"};
  ASSERT_EQ(frame.Bar(), own);
  MdiChild a(u"A"), b(u"B"), c(u"C");
  TMainMenu* aMenu = a.Menu({{u"&Record", 1}, {u"&Tools", 5}});
  c.Menu({{u"&Document", 0}, {u"&Hidden", 2}});
  c.form->Menu()->Items()->Items(1)->SetVisible(false);
  a.form->Show();
  // Group 1 is the child's, the child's group 5 goes last.
  EXPECT_EQ(frame.Bar(), (std::vector<std::string>{"&File", "&Record", "&Window", "&Tools"}));
  EXPECT_EQ(frame.menu->MergedMenu(), aMenu);
  // A child without a menu: the frame's own bar.
  b.form->Show();
  EXPECT_EQ(frame.Bar(), own);
  // An invisible item takes no group's place.
  c.form->Show();
  EXPECT_EQ(frame.Bar(), (std::vector<std::string>{"&Document", "&Edit", "&Window"}));
  // Back to the first: its items again, and they run from the frame's bar.
  SendMessageW(frame.form->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a.form->Handle()), 0);
  EXPECT_EQ(frame.Bar(), (std::vector<std::string>{"&File", "&Record", "&Window", "&Tools"}));
  int clicks = 0;
  struct Counter {
    int* n;
    void Click(TObject*) { ++*n; }
  } counter{&clicks};
  TMenuItem* record = aMenu->Items()->Items(0)->Items(0);
  record->OnClick = TNotifyEvent(&counter, &Counter::Click);
  SendMessageW(frame.form->Handle(), WM_COMMAND, record->Command(), 0);
  EXPECT_EQ(clicks, 1);
  // A change of the child's menu shows in the frame's bar.
  aMenu->Items()->Items(1)->SetCaption(u"&Options");
  EXPECT_EQ(frame.Bar(), (std::vector<std::string>{"&File", "&Record", "&Window", "&Options"}));
  // Hidden, then freed: its items leave the bar.
  a.form->Hide();
  EXPECT_EQ(frame.menu->MergedMenu() == aMenu, false);
  SendMessageW(frame.form->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(c.form->Handle()), 0);
  EXPECT_EQ(frame.Bar(), (std::vector<std::string>{"&Document", "&Edit", "&Window"}));
  c.form->Free();
  c.form = nullptr;
  EXPECT_EQ(frame.menu->MergedMenu(), nullptr);
  for (const std::string& entry : frame.Bar()) EXPECT_NE(entry, "&Document");
}

TEST(MdiForms, AMaximisedChildKeepsItsWindowMenuAndButtonsWhileTheBarIsRebuilt) {
  MdiFrame frame;
  MdiChild a(u"A");
  TMainMenu* aMenu = a.Menu({{u"&Record", 1}});
  a.form->Show();
  SendMessageW(frame.form->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(a.form->Handle()), 0);
  ASSERT_TRUE(IsZoomed(a.form->Handle()));
  const HMENU bar = GetMenu(frame.form->Handle());
  auto check = [&](const char* when) {
    const int n = GetMenuItemCount(bar);
    EXPECT_GE(n, 4) << when;
    if (n < 4) return std::vector<std::string>{};
    EXPECT_EQ(fwtest::EntryAt(bar, 0).data, 0u) << when << ": the child's window menu first";
    EXPECT_NE(fwtest::EntryAt(bar, 0).subMenu, nullptr) << when;
    EXPECT_EQ(fwtest::EntryAt(bar, n - 1).id, UINT(SC_CLOSE)) << when << ": its close button last";
    std::vector<std::string> ours;
    for (int i = 0; i < n; ++i)
      if (fwtest::EntryAt(bar, i).data) ours.push_back(fwtest::EntryAt(bar, i).text);
    return ours;
  };
  EXPECT_EQ(check("maximised"), (std::vector<std::string>{"&File", "&Record", "&Window"}));
  AddTop(a.form, aMenu, u"&Tools", 3);
  EXPECT_EQ(check("child menu changed"), (std::vector<std::string>{"&File", "&Record", "&Window", "&Tools"}));
  frame.menu->Items()->Items(0)->SetCaption(u"&Project");
  EXPECT_EQ(check("frame menu changed"), (std::vector<std::string>{"&Project", "&Record", "&Window", "&Tools"}));
}

}  // namespace
