// Skinned system dialogs: a message box and an open dialog owned by a
// skinned form get the skin's frame, caption, title buttons and window menu
// and close with the skinned close button; the title buttons' press and
// release, the window menu's commands, the dialog brush, and the dialog as
// it was once the skin goes.
#include "skin/controls/dialog_wnd.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fw/controls_test_util.h"
#include "skin/controls/attach_hook.h"
#include "tests/skin/controls/dialog_test_util.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/engine/core/program_skins.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;
using skintest::DialogAdapterOf;
using skintest::gCommands;
using skintest::gSwallowCommands;
using skintest::kBoxStyle;
using skintest::kSizeableStyle;
using skintest::TemplateDialog;

namespace {

struct Hooked {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticDialogFrameSkin();
  Hooked() { InstallSkinHook([this] { return skin.get(); }); }
  ~Hooked() { RemoveSkinHook(); }
};

fw::TColor ScreenPixel(HWND wnd, int x, int y) {
  RECT w{};
  GetWindowRect(wnd, &w);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, w.left + x, w.top + y);
  ReleaseDC(nullptr, screen);
  return c;
}

POINT ScreenPointOf(HWND wnd, const fw::TRect& r) {
  RECT w{};
  GetWindowRect(wnd, &w);
  return POINT{w.left + (r.Left + r.Right) / 2, w.top + (r.Top + r.Bottom) / 2};
}

// Presses and releases a title button the way the mouse does it.
void ClickTitleButton(HWND wnd, const fw::TRect& r) {
  const POINT p = ScreenPointOf(wnd, r);
  const LPARAM at = MAKELPARAM(p.x, p.y);
  const WPARAM code = WPARAM(SendMessageW(wnd, WM_NCHITTEST, 0, at));
  SendMessageW(wnd, WM_NCLBUTTONDOWN, code, at);
  SendMessageW(wnd, WM_NCLBUTTONUP, code, at);
}

// ---- Probing a modal system dialog from a timer.

struct Probe {
  HWND owner = nullptr;
  std::function<void(HWND)> check;  // runs once on the shown dialog, which it closes
  bool found = false;
  int ticks = 0;
};
Probe gProbe;

void CALLBACK ProbeTick(HWND, UINT, UINT_PTR id, DWORD) {
  ++gProbe.ticks;
  HWND d = GetLastActivePopup(gProbe.owner);
  wchar_t cls[64] = {};
  if (d && d != gProbe.owner) GetClassNameW(d, cls, 64);
  if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(d) && !gProbe.found) {
    gProbe.found = true;
    KillTimer(nullptr, id);
    RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    gProbe.check(d);
    if (IsWindow(d)) PostMessageW(d, WM_COMMAND, IDCANCEL, 0);  // the check left it open
  } else if (gProbe.ticks > 400) {
    KillTimer(nullptr, id);  // nothing within 20 s
  }
}

void WithMessageBox(HWND owner, const wchar_t* text, std::function<void(HWND)> check) {
  gProbe = Probe{owner, std::move(check)};
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, ProbeTick);
  MessageBoxW(owner, text, L"Skinned box", MB_OK | MB_ICONINFORMATION);
  KillTimer(nullptr, timer);
}

void WithOpenDialog(HWND owner, std::function<void(HWND)> check) {
  gProbe = Probe{owner, std::move(check)};
  wchar_t file[MAX_PATH] = {};
  OPENFILENAMEW ofn{sizeof(ofn)};
  ofn.hwndOwner = owner;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrFilter = L"All files\0*.*\0";
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
  ofn.lpstrInitialDir = L"C:\\windows";
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, ProbeTick);
  GetOpenFileNameW(&ofn);
  KillTimer(nullptr, timer);
}

// What a skinned dialog shows, checked on the running dialog.
struct FrameFacts {
  bool adapter = false, sysMenuStyleOff = false, sysMenuKept = false;
  TkcBorderStyle border = TkcBorderStyle::acbsSingle;
  bool imageIsWindow = false;
  int closeRight = 0, expectedCloseRight = 0;
  LRESULT closeHit = 0;
  fw::TColor framePixel = 0, titlePixel = 0, closePixel = 0;
  int closeState = 0;
  bool moveShown = false, sizeShown = false, closeShown = false, closeEnabled = false;
  fw::String caption;
  bool closedBySkinnedButton = false;
};

FrameFacts CheckAndClose(HWND d) {
  FrameFacts f;
  TkcDialogWnd* a = DialogAdapterOf(d);
  f.adapter = a != nullptr;
  if (!a) return f;
  f.sysMenuStyleOff = !(GetWindowLongPtrW(d, GWL_STYLE) & WS_SYSMENU);
  f.sysMenuKept = (a->dwStyle & WS_SYSMENU) != 0;
  f.border = a->BorderStyle;
  RECT w{};
  GetWindowRect(d, &w);
  f.imageIsWindow = a->Image().Width() == w.right - w.left && a->Image().Height() == w.bottom - w.top;
  const TkCaptionButton& close = a->Layout().Close;
  f.closeRight = close.Rect.Right;
  f.expectedCloseRight = (w.right - w.left) - FrameWidthOf(a->FrameFacts(), true);
  const POINT p = ScreenPointOf(d, close.Rect);
  SetCursorPos(p.x, p.y);  // the hot state lasts while the mouse stays
  f.closeHit = SendMessageW(d, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  f.framePixel = ScreenPixel(d, 1, (w.bottom - w.top) / 2);
  f.titlePixel = ScreenPixel(d, close.Rect.Left - 3, close.Rect.Top + 1);
  f.closeState = close.State;
  f.closePixel = fw::TColor(a->Image().Canvas()->Pixel((close.Rect.Left + close.Rect.Right) / 2,
                                                        (close.Rect.Top + close.Rect.Bottom) / 2));
  a->SystemMenu->UpdateItems();
  f.moveShown = a->SystemMenu->ItemMove->Visible();
  f.sizeShown = a->SystemMenu->ItemSize->Visible();
  f.closeShown = a->SystemMenu->ItemClose->Visible();
  f.closeEnabled = a->SystemMenu->ItemClose->Enabled();
  f.caption = a->Caption;
  ClickTitleButton(d, close.Rect);
  f.closedBySkinnedButton = fwtest::PumpUntil([&] { return !IsWindow(d) || !IsWindowVisible(d); }, 5000);
  return f;
}

// The owner form wears the skin too (the hook gives it its provider when
// it is activated).
bool OwnerIsSkinned(HWND owner) {
  SetForegroundWindow(owner);
  return fwtest::PumpUntil([&] {
    TkcProvider* p = FindProviderByHandle(owner);
    return p && p->sp;
  });
}

// What a shown dialog looks like while skinned and once the skin is gone.
struct DetachFacts {
  bool skinned = false, sysMenuOff = false, regionSet = false;
  bool adapterGone = false, sysMenuBack = false, regionGone = false, ownProcedure = false;
};

DetachFacts RemoveSkinFrom(HWND d) {
  DetachFacts f;
  TkcDialogWnd* a = DialogAdapterOf(d);
  f.skinned = a != nullptr;
  f.sysMenuOff = !(GetWindowLongPtrW(d, GWL_STYLE) & WS_SYSMENU);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  f.regionSet = GetWindowRgn(d, rgn) != ERROR;
  RemoveSkinHook();
  fwtest::Pump(50);
  f.adapterGone = DialogAdapterOf(d) == nullptr;
  f.sysMenuBack = (GetWindowLongPtrW(d, GWL_STYLE) & WS_SYSMENU) != 0;
  f.regionGone = GetWindowRgn(d, rgn) == ERROR;
  f.ownProcedure = ULONG_PTR(GetWindowLongPtrW(d, GWLP_WNDPROC)) == GetClassLongPtrW(d, GCLP_WNDPROC);
  DeleteObject(rgn);
  return f;
}

}  // namespace

TEST(DialogWnd, MessageBoxOwnedByASkinnedForm) {
  Hooked h;
  fwtest::TestForm owner;
  owner->SetBorderStyle(fw::bsSizeable);
  owner->Show();
  fwtest::Pump();
  ASSERT_TRUE(OwnerIsSkinned(owner->WindowHandle()));
  FrameFacts f;
  WithMessageBox(owner->WindowHandle(), L"A message in a skinned box.", [&](HWND d) { f = CheckAndClose(d); });
  ASSERT_TRUE(gProbe.found);
  ASSERT_TRUE(f.adapter);
  EXPECT_TRUE(f.sysMenuStyleOff) << "the system draws no buttons of its own";
  EXPECT_TRUE(f.sysMenuKept) << "the skinned buttons follow the style as it was";
  EXPECT_EQ(f.border, TkcBorderStyle::acbsDialog);
  EXPECT_TRUE(f.imageIsWindow);
  EXPECT_EQ(f.closeRight, f.expectedCloseRight);
  EXPECT_EQ(f.closeHit, HTCLOSE);
  EXPECT_EQ(f.framePixel, skintest::kDialog);
  EXPECT_EQ(f.titlePixel, skintest::kTitle);
  EXPECT_EQ(f.closeState, 1) << "hot after the hit test";
  EXPECT_EQ(f.closePixel, skintest::kCloseBtn + 1) << "and drawn so";
  EXPECT_EQ(f.caption, u"Skinned box");
  EXPECT_TRUE(f.moveShown);
  EXPECT_FALSE(f.sizeShown) << "a modal frame has no size";
  EXPECT_TRUE(f.closeShown && f.closeEnabled);
  EXPECT_TRUE(f.closedBySkinnedButton);
}

TEST(DialogWnd, OpenDialogOwnedByASkinnedForm) {
  Hooked h;
  fwtest::TestForm owner;
  owner->SetBorderStyle(fw::bsSizeable);
  owner->Show();
  fwtest::Pump();
  ASSERT_TRUE(OwnerIsSkinned(owner->WindowHandle()));
  FrameFacts f;
  WithOpenDialog(owner->WindowHandle(), [&](HWND d) { f = CheckAndClose(d); });
  ASSERT_TRUE(gProbe.found);
  ASSERT_TRUE(f.adapter);
  EXPECT_TRUE(f.sysMenuStyleOff);
  EXPECT_EQ(f.border, TkcBorderStyle::acbsSizeable);
  EXPECT_TRUE(f.imageIsWindow);
  EXPECT_EQ(f.closeRight, f.expectedCloseRight);
  EXPECT_EQ(f.closeHit, HTCLOSE);
  EXPECT_EQ(f.framePixel, skintest::kDialog);
  EXPECT_EQ(f.titlePixel, skintest::kTitle);
  EXPECT_TRUE(f.sizeShown) << "a sizeable frame";
  EXPECT_TRUE(f.closedBySkinnedButton);
}

TEST(DialogWnd, DetachingGivesTheDialogBack) {
  auto skinHolder = skintest::SyntheticDialogFrameSkin();
  TkLoadedSkin* skin = skinHolder.get();
  InstallSkinHook([&] { return skin; });
  HWND d = TemplateDialog(kBoxStyle);
  ASSERT_NE(DialogAdapterOf(d), nullptr);
  TkcDialogWnd* a = DialogAdapterOf(d);
  RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  fwtest::Pump();
  const TkCaptionButton close = a->Layout().Close;
  EXPECT_FALSE(GetWindowLongPtrW(d, GWL_STYLE) & WS_SYSMENU);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(d, rgn), ERROR) << "cut to the skin";
  EXPECT_FALSE(GetClassLongPtrW(d, GCL_STYLE) & CS_SAVEBITS);
  EXPECT_EQ(ScreenPixel(d, close.Rect.Left - 3, close.Rect.Top + 1), skintest::kTitle);

  RemoveSkinHook();
  fwtest::Pump(50);
  EXPECT_TRUE(GetWindowLongPtrW(d, GWL_STYLE) & WS_SYSMENU) << "its system menu back";
  EXPECT_EQ(GetWindowRgn(d, rgn), ERROR) << "no region";
  EXPECT_TRUE(GetClassLongPtrW(d, GCL_STYLE) & CS_SAVEBITS) << "the class as it was";
  EXPECT_EQ(GetWindowLongPtrW(d, GWLP_WNDPROC), GetClassLongPtrW(d, GCLP_WNDPROC)) << "its own procedure";
  RedrawWindow(d, nullptr, nullptr, RDW_UPDATENOW | RDW_FRAME);
  EXPECT_NE(ScreenPixel(d, close.Rect.Left - 3, close.Rect.Top + 1), skintest::kTitle) << "the system's title";
  DeleteObject(rgn);
  DestroyWindow(d);
}

// The skin goes while a message box and an open dialog of a skinned form
// are shown: each has its system menu, outline and procedure back and
// still closes.
TEST(DialogWnd, RemovingTheSkinGivesShownDialogsBack) {
  for (int which = 0; which < 2; ++which) {
    const char* what = which == 0 ? "message box" : "open dialog";
    Hooked h;
    fwtest::TestForm owner;
    owner->SetBorderStyle(fw::bsSizeable);
    owner->Show();
    fwtest::Pump();
    ASSERT_TRUE(OwnerIsSkinned(owner->WindowHandle())) << what;
    DetachFacts f;
    bool closed = false;
    auto check = [&](HWND d) {
      f = RemoveSkinFrom(d);
      SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
      closed = fwtest::PumpUntil([&] { return !IsWindow(d) || !IsWindowVisible(d); }, 5000);
    };
    if (which == 0)
      WithMessageBox(owner->WindowHandle(), L"The skin goes while this shows.", check);
    else
      WithOpenDialog(owner->WindowHandle(), check);
    ASSERT_TRUE(gProbe.found) << what;
    EXPECT_TRUE(f.skinned && f.sysMenuOff && f.regionSet) << what << ": skinned first";
    EXPECT_TRUE(f.adapterGone) << what;
    EXPECT_TRUE(f.sysMenuBack) << what;
    EXPECT_TRUE(f.regionGone) << what;
    EXPECT_TRUE(f.ownProcedure) << what;
    EXPECT_TRUE(closed) << what;
  }
}

TEST(DialogWnd, TitleButtonsPressAndRelease) {
  Hooked h;
  struct Case {
    const char* what;
    DWORD style, exStyle;
    int press;    // the button pressed
    int release;  // the button released over
    bool zoomed;
    std::vector<WPARAM> sent;
  } cases[] = {
      {"close", kBoxStyle, 0, HTCLOSE, HTCLOSE, false, {SC_CLOSE}},
      {"close pressed, released over minimise", kSizeableStyle, 0, HTCLOSE, HTMINBUTTON, false, {}},
      {"minimise", kSizeableStyle, 0, HTMINBUTTON, HTMINBUTTON, false, {SC_MINIMIZE}},
      {"maximise", kSizeableStyle, 0, HTMAXBUTTON, HTMAXBUTTON, false, {SC_MAXIMIZE}},
      {"maximise on a maximised dialog", kSizeableStyle, 0, HTMAXBUTTON, HTMAXBUTTON, true, {SC_RESTORE}},
      {"help", kBoxStyle, WS_EX_CONTEXTHELP, HTHELP, HTHELP, false, {SC_CONTEXTHELP}},
  };
  for (const Case& c : cases) {
    gSwallowCommands = false;
    HWND d = TemplateDialog(c.style, c.exStyle);
    if (c.zoomed) ShowWindow(d, SW_MAXIMIZE);
    fwtest::Pump();
    TkcDialogWnd* a = DialogAdapterOf(d);
    ASSERT_NE(a, nullptr) << c.what;
    a->PaintAll();
    gSwallowCommands = true;
    gCommands.clear();
    const POINT down = ScreenPointOf(d, a->ButtonOf(c.press)->Rect);
    const POINT up = ScreenPointOf(d, a->ButtonOf(c.release)->Rect);
    SendMessageW(d, WM_NCHITTEST, 0, MAKELPARAM(down.x, down.y));
    SendMessageW(d, WM_NCLBUTTONDOWN, c.press, MAKELPARAM(down.x, down.y));
    EXPECT_EQ(a->ButtonOf(c.press)->State, 2) << c.what;
    const WPARAM code = WPARAM(SendMessageW(d, WM_NCHITTEST, 0, MAKELPARAM(up.x, up.y)));
    EXPECT_EQ(int(code), c.release) << c.what;
    SendMessageW(d, WM_NCLBUTTONUP, code, MAKELPARAM(up.x, up.y));
    EXPECT_EQ(gCommands, c.sent) << c.what;
    EXPECT_EQ(a->ButtonOf(c.press)->State, 0) << c.what;
    DestroyWindow(d);
  }
  gSwallowCommands = true;
}

TEST(DialogWnd, DoubleAndRightClicksOnTheTitle) {
  Hooked h;
  struct Case {
    const char* what;
    DWORD style;
    UINT msg;
    WPARAM code;
    std::vector<WPARAM> sent;
    bool menuDropped;
  } cases[] = {
      {"double click, no maximise box", kBoxStyle, WM_NCLBUTTONDBLCLK, HTCAPTION, {}, false},
      {"double click with one", kSizeableStyle, WM_NCLBUTTONDBLCLK, HTCAPTION, {SC_MAXIMIZE}, false},
      {"double click on the icon", kBoxStyle, WM_NCLBUTTONDBLCLK, HTSYSMENU, {SC_CLOSE}, false},
      {"right click on the caption", kBoxStyle, WM_NCRBUTTONUP, HTCAPTION, {}, true},
      {"right click on the frame", kSizeableStyle, WM_NCRBUTTONUP, HTLEFT, {}, false},
  };
  for (const Case& c : cases) {
    HWND d = TemplateDialog(c.style);
    TkcDialogWnd* a = DialogAdapterOf(d);
    ASSERT_NE(a, nullptr) << c.what;
    POINT dropped{-1, -1};
    a->OnDropSysMenu = [&](int x, int y) { dropped = POINT{x, y}; };
    gCommands.clear();
    SendMessageW(d, c.msg, c.code, MAKELPARAM(123, 45));
    EXPECT_EQ(gCommands, c.sent) << c.what;
    EXPECT_EQ(dropped.x == 123 && dropped.y == 45, c.menuDropped) << c.what;
    DestroyWindow(d);
  }
}

TEST(DialogWnd, WindowMenuSendsItsCommands) {
  Hooked h;
  HWND d = TemplateDialog(kSizeableStyle);
  TkcDialogWnd* a = DialogAdapterOf(d);
  ASSERT_NE(a, nullptr);
  TkcSystemMenu& m = *a->SystemMenu;
  EXPECT_EQ(m.ItemClose->ShortCut(), 0x8073) << "Alt+F4";
  struct Case {
    fw::TMenuItem* item;
    WPARAM command;
  } cases[] = {{m.ItemMove, SC_MOVE}, {m.ItemSize, SC_SIZE}, {m.ItemMinimize, SC_MINIMIZE},
               {m.ItemMaximize, SC_MAXIMIZE}, {m.ItemRestore, SC_RESTORE}, {m.ItemClose, SC_CLOSE}};
  for (const Case& c : cases) {
    gCommands.clear();
    c.item->SetEnabled(true);
    c.item->Click();
    EXPECT_EQ(gCommands, std::vector<WPARAM>{c.command}) << fw::StringToUtf8(c.item->Name());
  }
  DestroyWindow(d);
}

TEST(DialogWnd, OneBrushForTheDialogBackground) {
  Hooked h;
  HWND d = TemplateDialog(kBoxStyle);
  ASSERT_NE(DialogAdapterOf(d), nullptr);
  const LRESULT first = SendMessageW(d, WM_CTLCOLORDLG, 0, LPARAM(d));
  ASSERT_NE(first, 0);
  LOGBRUSH lb{};
  GetObjectW(reinterpret_cast<HBRUSH>(first), sizeof(lb), &lb);
  EXPECT_EQ(lb.lbColor, skintest::kMain) << "the skin's main colour";
  const DWORD objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(SendMessageW(d, WM_CTLCOLORDLG, 0, LPARAM(d)), first);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objects + 2) << "no brush per call";
  DestroyWindow(d);
}

// The message box and the open dialog in the program's skins, written as
// screenshots for looking at.
TEST(DialogWnd, ScreenshotsInBothSkins) {
  const std::pair<const char*, const char16_t*> skins[] = {{"sapphire", u"Sapphire (internal)"},
                                                           {"topaz", u"Topaz (internal)"}};
  for (const auto& [name, full] : skins) {
    std::unique_ptr<TkLoadedSkin> skin = LoadProgramSkin((std::string(name) + ".ksz").c_str(), full);
    ASSERT_TRUE(skin);
    InstallSkinHook([&] { return skin.get(); });
    fwtest::TestForm owner;
    owner->SetBorderStyle(fw::bsSizeable);
    owner->Show();
    fwtest::Pump();
    auto shoot = [&](const std::string& file) {
      return [file](HWND d) {
        auto shot = scenarios::ScreenshotOf(d);
        scenarios::SavePng(shot.get(), scenarios::ScreenshotPath(file));
      };
    };
    bool boxSkinned = false;
    WithMessageBox(owner->WindowHandle(), L"The database holds 1234 fonts.", [&](HWND d) {
      boxSkinned = DialogAdapterOf(d) != nullptr;
      shoot(std::string("message_box_") + name + ".png")(d);
    });
    EXPECT_TRUE(boxSkinned) << name;
    bool openSkinned = false;
    WithOpenDialog(owner->WindowHandle(), [&](HWND d) {
      openSkinned = DialogAdapterOf(d) != nullptr;
      shoot(std::string("skinned_open_dialog_") + name + ".png")(d);
    });
    EXPECT_TRUE(openSkinned) << name;
    RemoveSkinHook();
  }
}
