// An MDI frame under a skinned form with two children: shown, the frame's
// provider makes its MDI support and the client window gets its adapter;
// the frame's window commands and a child's changes repaint the frame;
// a child form keeps the frame in step and is the child provider after its
// activation and maximising; without the skin (or the provider) the MDI
// support is gone.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/forms/mdi_child_class.h"
#include "skin/controls/mdi_form.h"
#include "skin/controls/window_adapter.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_messages.h"
#include "skin/forms/skinned_form.h"
#include "skin/forms/skinned_manager.h"
#include "tests/scenarios/screenshot_png.h"

namespace skin {
namespace {

// A skinned MDI frame form with its client window and two children, made
// before the form is shown.
struct MdiFrame {
  skintest::SkinnedManager manager{1};
  SkinnedForm f{1, fw::bsSizeable, 460, 320, false};
  HWND client = nullptr;
  HWND children[2] = {nullptr, nullptr};
  explicit MdiFrame(bool withMenu = false) {
    LinkMDISupport();
    f.form->SetFormStyle(fw::fsMDIForm);
    if (withMenu) {
      auto* menu = new fw::TMainMenu(f.form.form);
      for (const char16_t* caption : {u"&File", u"&Window"}) {
        auto* item = new fw::TMenuItem(f.form.form);
        item->SetCaption(caption);
        menu->Items()->Add(item);
        auto* sub = new fw::TMenuItem(f.form.form);
        sub->SetCaption(u"Open");
        item->Add(sub);
      }
      f.form->SetMenu(menu);
      // The skin draws the menu line.
      f.provider->Menus().SetManager(&manager.manager);
    }
    // The frame form's own client window.
    f.form->HandleNeeded();
    client = f.form->ClientHandle();
    for (int i = 0; i < 2; ++i) {
      MDICREATESTRUCTW mcs{skintest::MdiChildClass(), i ? L"Second" : L"First", GetModuleHandleW(nullptr), 10 + 70 * i,
                           10 + 40 * i, 200, 130, 0, 0};
      children[i] = reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    }
    f.Show();
  }
  TkSkinProvider& p() { return *f.provider; }
};

TEST(ProviderMDI, AShownFrameConnectsItsClientAndRepaintsForItsChildren) {
  MdiFrame m;
  ASSERT_TRUE(m.client && m.children[0] && m.children[1]);
  EXPECT_EQ(MDISkinProvider, &m.p());
  EXPECT_EQ(m.p().MDIClientWindow(), m.client);
  EXPECT_EQ(m.p().ActiveMDIChild(), m.children[1]);
  ASSERT_NE(m.p().MDIForm(), nullptr) << "the frame has its MDI support";
  TkcMainWnd* adapter = GetWindowAdapter(m.client);
  ASSERT_NE(adapter, nullptr) << "the client window is skinned";
  // Showing again keeps one adapter for the client.
  m.p().HookMDI(true);
  EXPECT_NE(GetWindowAdapter(m.client), nullptr);
  // A window command of the frame rebuilds its frame.
  int built = m.p().BuildCount();
  SendMessageW(m.f.wnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_TRUE(IsZoomed(m.f.wnd()));
  EXPECT_GT(m.p().BuildCount(), built);
  SendMessageW(m.f.wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  // A child's change repaints the frame.
  built = m.p().BuildCount();
  m.p().RepaintMDIMainFrame(true);
  fwtest::PumpUntil([&] { return m.p().BuildCount() > built; }, 5000);
  EXPECT_GT(m.p().BuildCount(), built);
  fwtest::Pump(50);
  std::unique_ptr<fw::TBitmap> shot = scenarios::ScreenshotOf(m.f.wnd());
  scenarios::SavePng(shot.get(), scenarios::ScreenshotPath("mdi_frame_provider_topaz.png"));
  // The cover of the menu line's right end shows the frame's own pixels.
  auto cover = NewBitmap32(60, GetSystemMetrics(SM_CYMENU) + 3);
  m.p().MdiIcoFormPaint(cover->Canvas()->Handle());
  GdiFlush();
  const fw::TBitmap& image = m.p().FormImage();
  EXPECT_EQ(cover->Width(), 60);
  EXPECT_GT(image.Width(), 60);
  // Without the skin the MDI support is gone, with it back again.
  m.p().SetSkin(nullptr);
  EXPECT_EQ(m.p().MDIForm(), nullptr);
  EXPECT_EQ(GetWindowAdapter(m.client), nullptr);
  EXPECT_EQ(MDISkinProvider, nullptr);
  m.p().SetSkin(m.f.skin.get());
  EXPECT_EQ(MDISkinProvider, &m.p());
  EXPECT_NE(GetWindowAdapter(m.client), nullptr);
}

TEST(ProviderMDI, AChildFormKeepsTheFrameInStep) {
  MdiFrame m;
  SkinnedForm child(1, fw::bsSizeable, 240, 160, false);
  child.form->SetFormStyle(fw::fsMDIChild);
  child.Show();
  // Activated, the child is the child provider and the frame's menu line is
  // measured anew.
  int built = m.p().BuildCount();
  SendMessageW(child.wnd(), WM_MDIACTIVATE, 0, reinterpret_cast<LPARAM>(child.wnd()));
  EXPECT_EQ(ChildProvider, child.provider);
  EXPECT_GT(m.p().BuildCount(), built) << "the frame is painted again";
  ChildProvider = nullptr;
  SendMessageW(child.wnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_EQ(ChildProvider, child.provider) << "the maximised child";
  EXPECT_TRUE(IsWindowVisible(child.wnd())) << "shown again after maximising unseen";
  SendMessageW(child.wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsZoomed(child.wnd()));
  // The keyboard's menu command never reaches a child.
  EXPECT_EQ(SendMessageW(child.wnd(), WM_SYSCOMMAND, SC_KEYMENU, 0), 0);
  // Freed, the providers are forgotten.
  delete child.provider;
  child.provider = nullptr;
  EXPECT_EQ(ChildProvider, nullptr);
}

TEST(ProviderMDI, AChildMadeWhileTheActiveOneIsMaximisedIgnoresRestoreUntilItIsPainted) {
  MdiFrame m;
  SkinnedForm child(1, fw::bsSizeable, 240, 160, false);
  child.form->SetFormStyle(fw::fsMDIChild);
  SendMessageW(m.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m.children[1]), 0);
  ASSERT_TRUE(IsZoomed(m.children[1]));
  // Its window made anew, unseen.
  child.form->RecreateWnd();
  child.form->HandleNeeded();
  ASSERT_FALSE(IsWindowVisible(child.wnd()));
  EXPECT_TRUE(child.provider->MDIChildCreatingMaximized) << "made while the active child is maximised";
  SendMessageW(child.wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsWindowVisible(child.wnd())) << "the restore is not taken while it is being made";
  child.Show();
  EXPECT_FALSE(child.provider->MDIChildCreatingMaximized) << "painted: made";
  delete child.provider;
  child.provider = nullptr;
}

// The form's picture as its window prints it.
std::unique_ptr<fw::TBitmap> Printed(HWND wnd, int w, int h, UINT flags) {
  auto b = NewBitmap32(w, h);
  SendMessageW(wnd, WM_PRINT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), flags);
  GdiFlush();
  return b;
}

uint32_t PixelAt(fw::TBitmap& b, int x, int y) { return GetPixel(b.Canvas()->Handle(), x, y) & 0xFFFFFF; }

TEST(ProviderMDI, AMenuLoopOverAMaximisedChildCoversItsButtonsWithTheFramesPicture) {
  MdiFrame m(true);
  // Not over a child that is not maximised.
  SendMessageW(m.f.wnd(), WM_ENTERMENULOOP, 0, 0);
  EXPECT_EQ(MDIIconsForm, nullptr);
  SendMessageW(m.f.wnd(), WM_EXITMENULOOP, 0, 0);
  // The child's buttons at the menu line's end (a maximised form stands
  // for the child).
  SkinnedForm childForm(1, fw::bsSizeable, 200, 120, false);
  childForm.form->SetFormStyle(fw::fsMDIChild);
  childForm.form->SetWindowState(fw::wsMaximized);
  SendMessageW(m.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m.children[1]), 0);
  ASSERT_TRUE(IsZoomed(m.children[1]));
  ChildProvider = childForm.provider;
  m.p().RepaintMDIMainFrame(true);
  fwtest::Pump(50);
  m.p().RepaintFormFrame();
  SendMessageW(m.f.wnd(), WM_ENTERMENULOOP, 0, 0);
  ASSERT_NE(MDIIconsForm, nullptr);
  fw::TForm* cover = MDIIconsForm;
  SendMessageW(m.f.wnd(), WM_ENTERMENULOOP, 0, 0);
  EXPECT_EQ(MDIIconsForm, cover) << "one cover at a time";
  EXPECT_EQ(cover->Name(), u"kcMDIIcons");
  EXPECT_EQ(cover->Tag(), 256);
  EXPECT_EQ(SendMessageW(cover->Handle(), WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0), 0) << "never skinned";
  EXPECT_TRUE(IsWindowVisible(cover->Handle()));
  EXPECT_EQ(GetActiveWindow(), m.f.wnd()) << "the cover takes no activation";
  RECT frame{}, r{};
  GetWindowRect(m.f.wnd(), &frame);
  GetWindowRect(cover->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 60);
  EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYMENU) + 3);
  EXPECT_EQ(r.right, frame.right - (frame.right - frame.left - m.f.form->ClientWidth()) / 2) << "at the right end";
  // It shows the frame's own pixels of the place it covers, the child's
  // buttons (the part on the frame; below it lies the client).
  POINT client{0, 0};
  ClientToScreen(m.f.wnd(), &client);
  const int rows = std::min<int>(r.bottom, client.y) - r.top;
  ASSERT_GT(rows, 10);
  auto framePic = Printed(m.f.wnd(), frame.right - frame.left, frame.bottom - frame.top, PRF_NONCLIENT);
  auto coverPic = NewBitmap32(60, r.bottom - r.top);
  cover->PaintTo(coverPic->Canvas()->Handle(), 0, 0);
  GdiFlush();
  int differ = 0;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < 60; ++x)
      differ += PixelAt(*coverPic, x, y) != PixelAt(*framePic, r.left - frame.left + x, r.top - frame.top + y);
  EXPECT_EQ(differ, 0);
  SendMessageW(m.f.wnd(), WM_EXITMENULOOP, 0, 0);
  EXPECT_EQ(MDIIconsForm, nullptr) << "leaving the loop frees it";
  // A frame provider going while its cover shows takes the cover along.
  SendMessageW(m.f.wnd(), WM_ENTERMENULOOP, 0, 0);
  ASSERT_NE(MDIIconsForm, nullptr);
  delete m.f.provider;
  m.f.provider = nullptr;
  EXPECT_EQ(MDIIconsForm, nullptr);
  ChildProvider = nullptr;
}

// The captions of a menu as the system holds it (without accelerator
// marks), "*" before checked ones.
std::vector<std::wstring> Entries(HMENU menu) {
  std::vector<std::wstring> list;
  for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_FTYPE;
    GetMenuItemInfoW(menu, UINT(pos), TRUE, &info);
    wchar_t text[64] = {};
    GetMenuStringW(menu, UINT(pos), text, 64, MF_BYPOSITION);
    std::wstring caption = (info.fType & MFT_SEPARATOR) ? L"-" : text;
    caption.erase(std::remove(caption.begin(), caption.end(), L'&'), caption.end());
    list.push_back((info.fState & MFS_CHECKED ? L"*" : L"") + caption);
  }
  return list;
}

TEST(ProviderMDI, TheWindowMenuListsTheVisibleChildrenOnceWithTheActiveOneChecked) {
  MdiFrame m(true);
  fw::TMenuItem* window = m.f.form->Menu()->Items()->Items(1);
  m.f.form->SetWindowMenu(window);
  const HMENU menu = window->Handle();
  // The system's own list (what an MDI client adds) goes.
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, 0xFF00, L"&1 First");
  auto open = [&] { SendMessageW(m.f.wnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 1); };
  open();
  // In the children's order (the active one first).
  const std::vector<std::wstring> once{L"Open", L"-", L"*Second", L"First"};
  EXPECT_EQ(Entries(menu), once);
  open();
  EXPECT_EQ(Entries(menu), once) << "opened again: each child once, one separator";
  // A hidden child is not listed; the active one is checked.
  SendMessageW(m.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m.children[0]), 0);
  ShowWindow(m.children[1], SW_HIDE);
  open();
  EXPECT_EQ(Entries(menu), (std::vector<std::wstring>{L"Open", L"-", L"*First"}));
  ShowWindow(m.children[1], SW_SHOWNOACTIVATE);
  open();
  // A click on an entry activates its child.
  fw::TMenuItem* second = window->Items(window->Count() - 1);
  ASSERT_EQ(second->Caption(), u"Second");
  second->Click();
  EXPECT_EQ(m.p().ActiveMDIChild(), m.children[1]);
  // An entry whose child was closed meanwhile does nothing.
  second->SetTag(0x200 | 5);
  SendMessageW(m.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m.children[0]), 0);
  second->Click();
  EXPECT_EQ(m.p().ActiveMDIChild(), m.children[0]);
  // Another popup leaves the window menu's entries to its next opening;
  // a menu of a form that is no frame is left alone.
  HMENU file = m.f.form->Menu()->Items()->Items(0)->Handle();
  SendMessageW(m.f.wnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_EQ(Entries(menu), (std::vector<std::wstring>{L"Open"})) << "the listed entries went";
  open();
  EXPECT_EQ(Entries(menu), (std::vector<std::wstring>{L"Open", L"-", L"*First", L"Second"})) << "one separator";
  // Without skinned popups the window menu is the system's business.
  m.manager.manager.WriteSkinnedPopups(false);
  const std::vector<std::wstring> before = Entries(menu);
  open();
  EXPECT_EQ(Entries(menu), before);
  m.manager.manager.WriteSkinnedPopups(true);
  EXPECT_EQ(Entries(file), (std::vector<std::wstring>{L"Open"}));
}

TEST(ProviderMDI, AChildClosesAlsoWithoutASkinnedFrame) {
  ASSERT_EQ(MDISkinProvider, nullptr);
  SkinnedForm child(0, fw::bsSizeable, 240, 160, false);
  child.form->SetFormStyle(fw::fsMDIChild);
  child.Show();
  bool closed = false;
  struct Closer {
    bool* flag;
    void Close(fw::TObject*, fw::TCloseAction&) { *flag = true; }
  } closer{&closed};
  child.form->OnClose = fw::TCloseEvent(&closer, &Closer::Close);
  SendMessageW(child.wnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(closed);
}

TEST(ProviderMDI, AFreedFrameProviderIsForgotten) {
  {
    MdiFrame m;
    EXPECT_EQ(MDISkinProvider, &m.p());
  }
  EXPECT_EQ(MDISkinProvider, nullptr);
}

// A child form made while its frame has no skinned provider yet asks the
// attachment hook to skin the application's main form first; with a
// skinned frame it asks nothing.
TEST(ProviderMDI, AChildMadeBeforeItsFrameIsSkinnedBringsTheMainFormItsSkin) {
  ASSERT_EQ(MDISkinProvider, nullptr);
  std::vector<HWND> asked;
  TkSkinningLinks& links = SkinningLinks();
  auto saved = links.AttachSkinToWindow;
  links.AttachSkinToWindow = [&](HWND h) {
    asked.push_back(h);
    return true;
  };
  fwtest::TestForm main{300, 200};
  main->Show();
  fw::TCustomForm* savedMain = fw::Application->MainForm();
  fw::Application->SetMainForm(main.form);
  {
    SkinnedForm child(0, fw::bsSizeable, 240, 160, false);
    child.form->SetFormStyle(fw::fsMDIChild);
    child.Show();
    EXPECT_EQ(std::count(asked.begin(), asked.end(), main->Handle()), 1) << "the main form is skinned first";
  }
  asked.clear();
  {
    MdiFrame m;
    fw::Application->SetMainForm(m.f.form.form);
    SkinnedForm child(0, fw::bsSizeable, 240, 160, false);
    child.form->SetFormStyle(fw::fsMDIChild);
    child.Show();
    EXPECT_TRUE(asked.empty()) << "the frame has its provider";
    fw::Application->SetMainForm(main.form);
  }
  fw::Application->SetMainForm(savedMain);
  links.AttachSkinToWindow = saved;
}

// A release on an iconic child's title opens the child's system menu just
// under its title.
TEST(ProviderMDI, AReleaseOnAnIconicChildOpensItsSystemMenuUnderItsTitle) {
  MdiFrame m;
  SkinnedForm child(1, fw::bsSizeable, 240, 160, false);
  child.form->SetFormStyle(fw::fsMDIChild);
  child.Show();
  std::vector<POINT> at;
  child.provider->Menus().ShowPopup = [&](fw::TPopupMenu*, int x, int y) { at.push_back({x, y}); };
  child.provider->Menus().TrackStandardMenu = [&](HMENU, int x, int y, HWND) -> UINT {
    at.push_back({x, y});
    return 0;
  };
  ShowWindow(child.wnd(), SW_SHOWMINIMIZED);
  ASSERT_TRUE(IsIconic(child.wnd()));
  if (fw::Application->ActiveFormHandle() != child.wnd()) GTEST_SKIP() << "the iconic child is not active here";
  RECT r{};
  GetWindowRect(child.wnd(), &r);
  SendMessageW(child.wnd(), WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(r.left + 5, r.top + 5));
  ASSERT_EQ(at.size(), 1u);
  EXPECT_EQ(at[0].x, r.left);
  EXPECT_EQ(at[0].y, r.bottom);
  delete child.provider;
  child.provider = nullptr;
}

}  // namespace
}  // namespace skin
