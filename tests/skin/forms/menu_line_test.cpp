// A skinned form with a main menu: the menu line drawn into the form image
// (layout, background, items), the hot item while the keyboard works the
// bar (Alt, arrows), and the form's menu side: the system-menu style, the
// system menu dropped skinned or standard, and the menu messages.
#include "skin/forms/mdi_child_class.h"
#include "skin/forms/menu_line.h"

#include <gtest/gtest.h>

#include "fw/menus/menus.h"
#include "fw/platform/locale.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/common_data.h"
#include "skin/engine/core/control_kinds.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/forms/provider_mdi.h"
#include "skin/forms/skin_provider.h"
#include "tests/fw/controls_test_util.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/engine/core/program_skins.h"
#include "tests/skin/forms/skinned_manager.h"

namespace skin {
namespace {

using skintest::SkinnedManager;

fw::TMenuItem* NewItem(fw::TComponent* owner, fw::TMenuItem* parent, const fw::String& caption) {
  auto* item = new fw::TMenuItem(owner);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

struct MenuForm {
  SkinnedManager m;
  fwtest::TestForm form{360, 220};
  fw::TMainMenu* menu = nullptr;
  TkSkinProvider* provider = nullptr;
  explicit MenuForm(int skin, bool show = true) : m(skin) {
    form->SetBorderStyle(fw::bsSizeable);
    form->SetCaption(u"Menus");
    menu = new fw::TMainMenu(form.form);
    fw::TMenuItem* file = NewItem(form.form, menu->Items(), u"&File");
    NewItem(form.form, file, u"&Open");
    NewItem(form.form, file, u"&Close");
    NewItem(form.form, NewItem(form.form, menu->Items(), u"&Edit"), u"Copy");
    NewItem(form.form, NewItem(form.form, menu->Items(), u"&View"), u"Zoom");
    form->SetMenu(menu);
    provider = new TkSkinProvider(form.form);
    provider->Menus().SetManager(&m.manager);
    provider->SetSkin(m.manager.LoadedSkin());
    if (!show) return;
    form->Show();
    SetForegroundWindow(form->Handle());
    EXPECT_TRUE(fwtest::PumpUntil([&] { return provider->BuildCount() > 0; }, 20000));
    fwtest::PumpUntil([&] { return fw::Application->ActiveFormHandle() == wnd(); }, 5000);
  }
  HWND wnd() { return form->Handle(); }
  TkMenuLine& line() { return provider->Menus().Line(); }
  // An item's rectangle in window (and image) coordinates.
  fw::TRect ItemRect(int pos) {
    RECT r{}, w{};
    GetMenuItemRect(wnd(), GetMenu(wnd()), UINT(pos), &r);
    GetWindowRect(wnd(), &w);
    return fw::Rect(r.left - w.left, r.top - w.top, r.right - w.left, r.bottom - w.top);
  }
};

TEST(MenuLine, ItemsAreLaidOutInTheLineAndPaintedIntoTheImage) {
  for (int s = 0; s < 2; ++s) {
    MenuForm f(s);
    TkMenuLine& line = f.line();
    ASSERT_TRUE(line.MenuPresent());
    ASSERT_TRUE(line.DrawsLine(f.provider->ImageInput().Frame)) << s;
    EXPECT_TRUE(f.menu->OwnerDraw());
    fw::TBitmap& image = f.provider->FormImage();
    fw::TBitmap& clean = line.MenuLineBmp();
    const fw::TPoint o = line.Origin();
    const TkFormFrameFacts& frame = f.provider->ImageInput().Frame;
    EXPECT_EQ(o.y, FrameHeightOf(frame, false) + CaptionHeight(frame, true));
    EXPECT_EQ(clean.Height(), MenuHeight(frame) + 1);
    // Left to right inside the line, each item's text painted over the
    // clean background.
    int x = o.x;
    for (int i = 0; i < 3; ++i) {
      const fw::TRect r = f.ItemRect(i);
      EXPECT_GE(r.Left, x) << i;
      EXPECT_GE(r.Top, o.y) << i;
      EXPECT_LE(r.Bottom, o.y + clean.Height()) << i;
      x = r.Right;
      const fw::TRect inClean = fw::Rect(r.Left - o.x, r.Top - o.y, r.Right - o.x, r.Bottom - o.y);
      EXPECT_NE(PixelChecksum(SubView(View32(image), r)), PixelChecksum(SubView(View32(clean), inClean))) << i;
    }
    // Beyond the last item the line is its clean background.
    const fw::TRect rest = fw::Rect(x + 2, o.y, o.x + clean.Width() - 8, o.y + clean.Height());
    EXPECT_EQ(PixelChecksum(SubView(View32(image), rest)),
              PixelChecksum(SubView(View32(clean), fw::Rect(rest.Left - o.x, 0, rest.Right - o.x, clean.Height()))));
    // The "MENULINE" section lies there.
    const int section = f.m.skin().GetSkinIndex(u"MENULINE");
    ASSERT_GE(section, 0);
    fwtest::Pump(100);
    std::unique_ptr<fw::TBitmap> shot = scenarios::ScreenshotOf(f.wnd());
    scenarios::SavePng(shot.get(), scenarios::ScreenshotPath(s == 0 ? "menu_line_topaz.png" : "menu_line_sapphire.png"));
  }
}

TEST(MenuLine, ALineReadRightToLeftStandsAtTheRightWithEachPictureAtItsItemsRightEnd) {
  struct SavedLocale {
    bool middleEast = fw::SysLocale.MiddleEast;
    ~SavedLocale() { fw::SysLocale.MiddleEast = middleEast; }
  } saved;
  fw::SysLocale.MiddleEast = true;
  MenuForm f(0);
  fw::TMenuItem* file = f.menu->Items()->Items(0);
  auto picture = std::make_unique<fw::TBitmap>();
  picture->SetPixelFormat(fw::pf24bit);
  picture->SetSize(12, 12);
  picture->Canvas()->Brush()->SetColor(0x0000FF);
  picture->Canvas()->FillRect(fw::Rect(0, 0, 12, 12));
  file->SetBitmap(picture.get());
  // The red pixels of the image in the left and the right half of a
  // rectangle.
  auto red = [&](const fw::TRect& r) {
    const TPixelView32 v = View32(f.provider->FormImage());
    std::pair<int, int> n{0, 0};
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if ((v.Pixel(x, y) & 0xFFFFFF) == 0xFF0000) ++(x < (r.Left + r.Right) / 2 ? n.first : n.second);
    return n;
  };
  for (fw::TBiDiMode mode : {fw::bdLeftToRight, fw::bdRightToLeft}) {
    const int builds = f.provider->BuildCount();
    f.menu->SetBiDiMode(mode);
    RedrawWindow(f.wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return f.provider->BuildCount() > builds; }, 5000));
    const fw::TRect r = f.ItemRect(0);
    const int middle = f.provider->FormImage().Width() / 2;
    if (mode == fw::bdLeftToRight) {
      EXPECT_LT(r.Right, middle);
      EXPECT_EQ(red(r), (std::pair<int, int>{144, 0}));
    } else {
      EXPECT_GT(r.Left, middle);
      EXPECT_EQ(red(r), (std::pair<int, int>{0, 144}));
      fwtest::Pump(100);
      std::unique_ptr<fw::TBitmap> shot = scenarios::ScreenshotOf(f.wnd());
      scenarios::SavePng(shot.get(), scenarios::ScreenshotPath("menu_line_right_to_left_topaz.png"));
    }
  }
}

// Works the bar from a timer the menu loop dispatches: the first item is
// hot, the right arrow makes the next one hot.
struct BarProbe {
  static BarProbe* current;
  HWND wnd = nullptr;
  std::vector<fw::String> hot;  // the hot top item at each drawing
  int ticks = 0, step = 0;
  std::unique_ptr<fw::TBitmap> shot;
  void Drawn(fw::TObject* Sender, fw::TCanvas*, const fw::TRect&, fw::TOwnerDrawState State, TkMenuItemType Type) {
    if (Type != smTopLine || !(State.Contains(fw::odSelected) || State.Contains(fw::odHotLight))) return;
    hot.push_back(static_cast<fw::TMenuItem*>(Sender)->Caption());
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    BarProbe& p = *current;
    if (++p.ticks > 300) {
      EndMenu();
      return;
    }
    if (p.step == 0 && !p.hot.empty()) {
      p.step = 1;
      PostMessageW(p.wnd, WM_KEYDOWN, VK_RIGHT, 0);
      PostMessageW(p.wnd, WM_KEYUP, VK_RIGHT, 0xC0000000);
    } else if (p.step == 1 && p.hot.back() != p.hot.front()) {
      p.step = 2;
      p.shot = scenarios::ScreenshotOf(p.wnd);
      EndMenu();
    }
  }
};
BarProbe* BarProbe::current = nullptr;

TEST(MenuLine, TheKeyboardMovesTheHotItemAlongTheLine) {
  for (int s = 0; s < 2; ++s) {
    MenuForm f(s);
    BarProbe probe;
    probe.wnd = f.wnd();
    BarProbe::current = &probe;
    f.m.menus->OnDrawItem = TkMenuManagerDrawItemEvent(&probe, &BarProbe::Drawn);
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &BarProbe::Tick);
    // Alt pressed and released alone opens the bar at its first item.
    PostMessageW(f.wnd(), WM_SYSKEYDOWN, VK_MENU, 0x20000000);
    PostMessageW(f.wnd(), WM_SYSKEYUP, VK_MENU, 0xC0000000);
    fwtest::PumpUntil([&] { return probe.step == 2 || probe.ticks > 300; }, 15000);
    KillTimer(nullptr, timer);
    f.m.menus->OnDrawItem = nullptr;
    ASSERT_FALSE(probe.hot.empty()) << s;
    EXPECT_EQ(probe.hot.front(), u"&File") << s;
    EXPECT_EQ(probe.hot.back(), u"&Edit") << s;
    if (probe.shot)
      scenarios::SavePng(probe.shot.get(),
                         scenarios::ScreenshotPath(s == 0 ? "menu_line_hot_topaz.png" : "menu_line_hot_sapphire.png"));
  }
}

TEST(MenuLine, AMenuWithOnlyHiddenItemsOrOfADialogHasNoLine) {
  MenuForm f(0, false);
  EXPECT_TRUE(f.line().MenuPresent());
  for (int i = 0; i < f.menu->Items()->Count(); ++i) f.menu->Items()->Items(i)->SetVisible(false);
  EXPECT_FALSE(f.line().MenuPresent());
  f.menu->Items()->Items(1)->SetVisible(true);
  EXPECT_TRUE(f.line().MenuPresent());
  f.form->SetBorderStyle(fw::bsDialog);
  EXPECT_FALSE(f.line().MenuPresent());
  f.form->SetBorderStyle(fw::bsSizeable);
  f.menu->SetAutoMerge(true);
  EXPECT_FALSE(f.line().MenuPresent());
}

TEST(MenuLine, ItemsGetTheLineHandlersBackAndAChangedMenuIsPaintedAgain) {
  MenuForm f(1);
  fw::TMenuItem* file = f.menu->Items()->Items(0);
  const fw::TMenuMeasureItemEvent line(f.m.menus, &TkSkinableMenus::sMeasureLineItem);
  ASSERT_EQ(file->OnMeasureItem, line);
  // The form measures an item whose handlers the program took away.
  file->OnMeasureItem = nullptr;
  file->OnAdvancedDrawItem = nullptr;
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = file->Command();
  mis.itemData = reinterpret_cast<ULONG_PTR>(file);
  SendMessageW(f.wnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  EXPECT_EQ(file->OnMeasureItem, line);
  EXPECT_EQ(mis.itemHeight, UINT(GetSystemMetrics(SM_CYMENU) - 1));
  // A changed menu is painted with the next image.
  const int builds = f.provider->BuildCount();
  file->SetCaption(u"&Document");
  SendMessageW(f.wnd(), 0xB015, 0, 0);  // CM_MENUCHANGED
  EXPECT_TRUE(f.line().MenuChanged);
  RedrawWindow(f.wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(f.provider->BuildCount(), builds);
  EXPECT_FALSE(f.line().MenuChanged);
}

// Calls UpdateMenu from inside the change it tells the menu.
struct ReentryProbe {
  TkMenuLine* line = nullptr;
  std::vector<bool> inner;
  bool updating = false;
  void Changed(fw::TObject*, fw::TMenuItem*, bool) {
    inner.push_back(line->UpdateMenu());
    updating = (line->SkinData->CtrlSkinState & cssUpdating) != 0;
  }
};

TEST(MenuLine, UpdateMenuRebuildsTheBarOnceWhileTheSkinDataUpdates) {
  MenuForm f(1);
  ReentryProbe probe;
  probe.line = &f.line();
  ASSERT_EQ(f.line().SkinData, f.provider->FCommonData);
  f.menu->OnChange = fw::TMenuChangeEvent(&probe, &ReentryProbe::Changed);
  f.line().MenuChanged = false;
  f.line().FLinesCount = 3;
  EXPECT_TRUE(f.line().UpdateMenu());
  // Called again from the change it tells, it did nothing.
  ASSERT_FALSE(probe.inner.empty());
  EXPECT_EQ(probe.inner, std::vector<bool>(probe.inner.size(), false));
  EXPECT_TRUE(probe.updating);
  // The change, held back while updating, reached the line at the end.
  EXPECT_TRUE(f.line().MenuChanged);
  EXPECT_EQ(f.line().FLinesCount, -1);
  EXPECT_EQ(f.provider->FCommonData->CtrlSkinState & (cssUpdating | cssMenuChangeHeld), 0);
  f.menu->OnChange = nullptr;
  // Without items there is nothing to rebuild.
  fw::TMainMenu empty(nullptr);
  f.form->SetMenu(&empty);
  EXPECT_FALSE(f.line().UpdateMenu());
  f.form->SetMenu(f.menu);
}

// A 16 x 16 icon of one colour.
HICON SolidIcon(COLORREF color) {
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, 16, 16);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, picture);
  HBRUSH brush = CreateSolidBrush(color);
  RECT r{0, 0, 16, 16};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
  HDC mdc = CreateCompatibleDC(nullptr);
  HGDIOBJ mold = SelectObject(mdc, mask);
  PatBlt(mdc, 0, 0, 16, 16, BLACKNESS);
  SelectObject(mdc, mold);
  DeleteDC(mdc);
  ICONINFO ii{TRUE, 0, 0, mask, picture};
  HICON icon = CreateIconIndirect(&ii);
  DeleteObject(mask);
  DeleteObject(picture);
  return icon;
}

TEST(MenuLine, AnMdiFrameShowsItsMaximisedChildsIconBeforeItsOwnItems) {
  MenuForm f(1, false);
  f.form->SetFormStyle(fw::fsMDIForm);
  f.form->HandleNeeded();
  const HWND client = f.form->ClientHandle();
  ASSERT_NE(client, nullptr);
  MDICREATESTRUCTW mcs{skintest::MdiChildClass(), L"Child", GetModuleHandleW(nullptr), 10, 10, 200, 120, WS_SYSMENU, 0};
  const HWND child = reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  ASSERT_NE(child, nullptr);
  HICON icon = SolidIcon(RGB(255, 0, 0));
  SendMessageW(child, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  f.form->Show();
  SetForegroundWindow(f.wnd());
  ASSERT_TRUE(fwtest::PumpUntil([&] { return f.provider->BuildCount() > 0; }, 20000));
  ASSERT_EQ(MDISkinProvider, f.provider);
  EXPECT_EQ(MDIIconChild(), nullptr) << "no child is maximised yet";

  // The child's own pixels: red where the icon lies.
  auto redIn = [&](const fw::TRect& r) {
    GdiFlush();
    const TPixelView32 v = View32(f.provider->FormImage());
    int red = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) red += (v.Pixel(x, y) & 0xFFFFFF) == 0xFF0000;
    return red;
  };
  const fw::TPoint o = f.line().Origin();
  const TkFormFrameFacts& frame = f.provider->ImageInput().Frame;
  const fw::TRect slot = fw::Rect(o.x, o.y, o.x + MenuHeight(frame) + 4, o.y + MenuHeight(frame));
  EXPECT_EQ(redIn(slot), 0);

  SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  f.provider->RepaintMDIMainFrame(true);
  fwtest::Pump(50);
  f.provider->RepaintFormFrame();
  ASSERT_EQ(MDIIconChild(), child);
  // The system put the child's window menu first in the bar; the frame's
  // items keep their own places after it and leave the icon alone.
  EXPECT_GT(redIn(slot), 100);
  const fw::TRect file = f.ItemRect(1);
  EXPECT_GE(file.Left, slot.Left + MenuHeight(frame) - 2);
  const fw::TRect inClean = fw::Rect(file.Left - o.x, file.Top - o.y, file.Right - o.x, file.Bottom - o.y);
  EXPECT_NE(PixelChecksum(SubView(View32(f.provider->FormImage()), file)),
            PixelChecksum(SubView(View32(f.line().MenuLineBmp()), inClean)))
      << "the first item is painted at its own place";
  std::unique_ptr<fw::TBitmap> shot = scenarios::ScreenshotOf(f.wnd());
  scenarios::SavePng(shot.get(), scenarios::ScreenshotPath("menu_line_mdi_sapphire.png"));

  // Restored: no icon.
  SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
  f.provider->RepaintMDIMainFrame(true);
  fwtest::Pump(50);
  f.provider->RepaintFormFrame();
  EXPECT_EQ(MDIIconChild(), nullptr);
  EXPECT_EQ(redIn(slot), 0);
  DestroyWindow(client);
  DestroyIcon(icon);
}

// With a border window the image is wider than the window: an item the
// system draws onto the window while it tracks the bar (window
// coordinates) takes its background from where the window lies in the
// image, so that it looks as the image's own item does.
TEST(MenuLine, AnItemDrawnOntoTheWindowMatchesTheImageAlsoWithABorderWindow) {
  for (bool border : {false, true}) {
    MenuForm f(0, false);
    // The manager loads its skin anew for the border: the form lets the
    // old one go first.
    f.provider->SetSkin(nullptr);
    f.m.manager.AnimEffects()->FormShow.Active = false;
    f.m.manager.AnimEffects()->FormHide.Active = false;
    f.m.manager.WriteExtendedBorders(border);
    f.provider->SetManager(&f.m.manager);
    f.provider->SetSkin(f.m.manager.LoadedSkin());
    f.form->Show();
    SetForegroundWindow(f.wnd());
    ASSERT_TRUE(fwtest::PumpUntil([&] { return f.provider->BuildCount() > 0; }, 20000)) << border;
    ASSERT_EQ(f.provider->HasBorderWindow(), border);
    RedrawWindow(f.wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    fwtest::Pump(100);
    const fw::TPoint into = f.line().WindowOffset();
    if (border) EXPECT_NE(into, (fw::TPoint{0, 0}));
    fw::TMenuItem* edit = f.menu->Items()->Items(1);
    const fw::TRect r = f.ItemRect(1);
    auto sheet = NewBitmap32(r.Right + 4, r.Bottom + 4);
    f.m.menus->sAdvancedDrawLineItem(edit, sheet->Canvas(), r, fw::TOwnerDrawState::FromMask(0x500));
    GdiFlush();
    const fw::TRect inImage = fw::Rect(r.Left + into.x, r.Top + into.y, r.Right + into.x, r.Bottom + into.y);
    const TPixelView32 a = View32(*sheet), b = View32(f.provider->FormImage());
    int differ = 0;
    for (int y = 0; y < r.Height(); ++y)
      for (int x = 0; x < r.Width(); ++x)
        differ += (a.Pixel(r.Left + x, r.Top + y) & 0xFFFFFF) != (b.Pixel(inImage.Left + x, inImage.Top + y) & 0xFFFFFF);
    EXPECT_EQ(differ, 0) << (border ? "with" : "without") << " a border window";
  }
}

TEST(FormMenus, TheSkinTakesTheSystemMenuStyleAndGivesItBack) {
  MenuForm f(0);
  EXPECT_EQ(GetWindowLongW(f.wnd(), GWL_STYLE) & WS_SYSMENU, 0);
  // The standard menu was taken while the style was there.
  EXPECT_NE(GetSystemMenu(f.wnd(), FALSE), nullptr);
  ASSERT_NE(f.provider->Menus().SystemMenu(), nullptr);
  EXPECT_NE(f.provider->Menus().SystemMenu()->ItemClose, nullptr);
  // A popup menu of the form is drawn by the skin while it lasts.
  auto* popup = new fw::TPopupMenu(f.form.form);
  fw::TMenuItem* cut = NewItem(f.form.form, popup->Items(), u"Cut");
  f.provider->SetSkin(f.m.manager.LoadedSkin());
  EXPECT_TRUE(popup->OwnerDraw());
  EXPECT_TRUE(cut->OnAdvancedDrawItem);
  f.provider->SetSkin(nullptr);
  EXPECT_NE(GetWindowLongW(f.wnd(), GWL_STYLE) & WS_SYSMENU, 0);
  EXPECT_FALSE(f.menu->OwnerDraw());
  EXPECT_FALSE(popup->OwnerDraw());
  EXPECT_FALSE(cut->OnAdvancedDrawItem);
}

struct Shown {
  std::vector<fw::TPopupMenu*> popups;
  std::vector<std::vector<UINT>> states;  // of restore, move, size, minimize, maximize, close
  void Popup(fw::TPopupMenu* menu, int, int) { popups.push_back(menu); }
  UINT Track(HMENU menu, int, int, HWND) {
    std::vector<UINT> s;
    for (UINT c : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
      s.push_back(GetMenuState(menu, c, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
    states.push_back(s);
    return SC_MAXIMIZE;
  }
};

TEST(FormMenus, TheSystemMenuDropsSkinnedOrStandardForTheActiveFormOnly) {
  MenuForm f(0);
  TkFormMenus& menus = f.provider->Menus();
  Shown shown;
  menus.ShowPopup = [&](fw::TPopupMenu* m, int x, int y) { shown.Popup(m, x, y); };
  menus.TrackStandardMenu = [&](HMENU m, int x, int y, HWND w) { return shown.Track(m, x, y, w); };
  ASSERT_EQ(fw::Application->ActiveFormHandle(), f.wnd());
  menus.MakeSkinMenu = true;
  menus.DropSysMenu(100, 100);
  menus.DropSysMenu(100, 100);
  ASSERT_EQ(shown.popups.size(), 2u);
  TkSystemMenu* sys = menus.SystemMenu();
  EXPECT_EQ(shown.popups[0], sys);
  EXPECT_TRUE(sys->OwnerDraw());
  int lists = 0;
  for (int i = 0; i < sys->Items()->Count(); ++i) lists += sys->Items()->Items(i)->Name() == u"SkinSelectItem";
  EXPECT_EQ(lists, 1);
  EXPECT_EQ(sys->WindowHandle(), nullptr);

  // The standard menu with its items enabled by the rules; the choice is
  // posted.
  f.m.manager.WriteSkinnedPopups(false);
  MSG msg;
  while (PeekMessageW(&msg, f.wnd(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE)) {}
  menus.DropSysMenu(100, 100);
  ASSERT_EQ(shown.states.size(), 1u);
  const UINT off = MF_GRAYED | MF_DISABLED;
  EXPECT_EQ(shown.states[0], (std::vector<UINT>{off, 0, 0, 0, 0, 0}));
  ASSERT_TRUE(PeekMessageW(&msg, f.wnd(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
  EXPECT_EQ(msg.wParam, WPARAM(SC_MAXIMIZE));
  ShowWindow(f.wnd(), SW_MAXIMIZE);
  menus.DropSysMenu(100, 100);
  ASSERT_EQ(shown.states.size(), 2u);
  EXPECT_EQ(shown.states[1], (std::vector<UINT>{0, off, off, 0, 0, 0}));
  ShowWindow(f.wnd(), SW_RESTORE);

  // An inactive form shows none.
  fwtest::TestForm other;
  other->Show();
  SetForegroundWindow(other->Handle());
  fwtest::PumpUntil([&] { return fw::Application->ActiveFormHandle() == other->Handle(); }, 5000);
  ASSERT_NE(fw::Application->ActiveFormHandle(), f.wnd());
  menus.DropSysMenu(100, 100);
  EXPECT_EQ(shown.states.size(), 2u);
  EXPECT_EQ(shown.popups.size(), 2u);
}

// Works a real system menu from a timer its menu loop dispatches: once the
// skin has drawn its items, up twice (Close, then Maximize) and Enter.
struct SysMenuProbe {
  static SysMenuProbe* current;
  int ticks = 0, step = 0, drawn = 0, settle = 0;
  HWND popup = nullptr;
  std::unique_ptr<fw::TBitmap> shot;
  void Drawn(fw::TObject*, fw::TCanvas*, const fw::TRect&, fw::TOwnerDrawState, TkMenuItemType) { ++drawn; }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    SysMenuProbe& p = *current;
    if (++p.ticks > 300) {
      EndMenu();
      return;
    }
    if (p.step != 0 || p.drawn == 0) return;
    HWND w = nullptr;
    for (HWND c = FindWindowW(L"#32768", nullptr); c; c = FindWindowExW(nullptr, c, L"#32768", nullptr))
      if (IsWindowVisible(c)) w = c;
    if (!w || ++p.settle < 5) return;
    p.step = 1;
    p.popup = w;
    p.shot = scenarios::ScreenshotOf(w);
    for (WPARAM key : {WPARAM(VK_UP), WPARAM(VK_UP), WPARAM(VK_RETURN)}) {
      PostMessageW(w, WM_KEYDOWN, key, 0);
      PostMessageW(w, WM_KEYUP, key, 0xC0000000);
    }
  }
};
SysMenuProbe* SysMenuProbe::current = nullptr;

TEST(FormMenus, AChoiceInTheLiveSkinnedSystemMenuReachesTheForm) {
  for (int s = 0; s < 2; ++s) {
    MenuForm f(s);
    ASSERT_EQ(fw::Application->ActiveFormHandle(), f.wnd());
    ASSERT_FALSE(IsZoomed(f.wnd()));
    f.provider->Menus().MakeSkinMenu = true;
    SysMenuProbe probe;
    SysMenuProbe::current = &probe;
    f.m.menus->OnDrawItem = TkMenuManagerDrawItemEvent(&probe, &SysMenuProbe::Drawn);
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &SysMenuProbe::Tick);
    RECT w{};
    GetWindowRect(f.wnd(), &w);
    f.provider->DropSysMenu(w.left + 8, w.top + 30);
    KillTimer(nullptr, timer);
    f.m.menus->OnDrawItem = nullptr;
    EXPECT_GT(probe.drawn, 0) << s << ": drawn by the skin";
    ASSERT_EQ(probe.step, 1) << s;
    TkSystemMenu* sys = f.provider->Menus().SystemMenu();
    ASSERT_NE(sys, nullptr);
    EXPECT_EQ(sys->Items()->Items(0)->Name(), u"SkinSelectItem");
    EXPECT_TRUE(fwtest::PumpUntil([&] { return IsZoomed(f.wnd()) != FALSE; }, 5000)) << s << ": Maximize was chosen";
    if (probe.shot)
      scenarios::SavePng(probe.shot.get(),
                         scenarios::ScreenshotPath(s == 0 ? "system_menu_topaz.png" : "system_menu_sapphire.png"));
    ShowWindow(f.wnd(), SW_RESTORE);
  }
}

// Counts the menu changes the form's own procedure is told about.
struct MenuChangeLog {
  fw::TWndMethod old;
  int told = 0;
  void Proc(fw::TMessage& m) {
    if (m.Msg == fw::CM_MENUCHANGED) ++told;
    old(m);
  }
};

TEST(FormMenus, AMenuChangeWhileTheFormUpdatesIsToldAgainWhenTheUpdateEnds) {
  MenuForm f(0);
  TkCommonData* data = f.provider->FCommonData;
  MenuChangeLog log;
  log.old = f.form->WindowProc();
  f.form->SetWindowProc(fw::TWndMethod(&log, &MenuChangeLog::Proc));
  auto settle = [&] {
    f.line().MenuChanged = false;
    f.line().FLinesCount = 7;
  };
  settle();
  data->BeginUpdate();
  f.menu->Items()->Items(0)->SetCaption(u"&Document");
  EXPECT_FALSE(f.line().MenuChanged);
  EXPECT_EQ(f.line().FLinesCount, 7);
  EXPECT_NE(data->CtrlSkinState & cssMenuChangeHeld, 0);
  EXPECT_EQ(log.told, 1);
  data->EndUpdate(false);
  EXPECT_TRUE(f.line().MenuChanged);
  EXPECT_EQ(f.line().FLinesCount, -1);
  EXPECT_EQ(data->CtrlSkinState & cssMenuChangeHeld, 0);
  EXPECT_EQ(log.told, 2);
  // The line is painted again, with the new caption.
  const int builds = f.provider->BuildCount();
  RedrawWindow(f.wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(f.provider->BuildCount(), builds);
  EXPECT_FALSE(f.line().MenuChanged);
  // An update without a change tells nothing.
  data->BeginUpdate();
  data->EndUpdate(false);
  EXPECT_EQ(log.told, 2);
  EXPECT_FALSE(f.line().MenuChanged);
  // While an animation runs or the form is hidden nothing is noted, and
  // nothing held back.
  for (int c = 0; c < 2; ++c) {
    if (c == 0) f.provider->FInAnimation = true;
    else f.form->Hide();
    settle();
    data->BeginUpdate();
    f.menu->Items()->Items(0)->SetCaption(c == 0 ? u"&File" : u"&Paper");
    EXPECT_EQ(data->CtrlSkinState & cssMenuChangeHeld, 0) << c;
    data->EndUpdate(false);
    f.menu->Items()->Items(1)->SetCaption(c == 0 ? u"&Edit" : u"&Change");
    EXPECT_FALSE(f.line().MenuChanged) << c;
    EXPECT_EQ(f.line().FLinesCount, 7) << c;
    f.provider->FInAnimation = false;
  }
  f.form->SetWindowProc(log.old);
}

// Notes the popups the form's own procedure is told about.
struct PopupLog {
  fw::TWndMethod old;
  std::vector<WPARAM> opened;
  int clicked = 0;
  void Proc(fw::TMessage& m) {
    if (m.Msg == WM_INITMENUPOPUP) opened.push_back(m.WParam);
    old(m);
  }
  void Click(fw::TObject*) { ++clicked; }
};

TEST(FormMenus, APopupAboutToOpenStillReachesTheForm) {
  MenuForm f(1);
  PopupLog log;
  log.old = f.form->WindowProc();
  f.form->SetWindowProc(fw::TWndMethod(&log, &PopupLog::Proc));
  // A system menu gets Size greyed.
  HMENU sys = GetSystemMenu(f.wnd(), FALSE);
  ASSERT_NE(sys, nullptr);
  EnableMenuItem(sys, SC_SIZE, MF_BYCOMMAND | MF_ENABLED);
  SendMessageW(f.wnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sys), MAKELPARAM(0, 1));
  EXPECT_NE(GetMenuState(sys, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED, 0u);
  // Another popup clears the open flag, and the framework still tells its
  // item that it opens.
  PopupLog clicks;
  f.menu->Items()->Items(0)->OnClick = fw::TNotifyEvent(&clicks, &PopupLog::Click);
  SkinnedMenuOpen = true;
  HMENU file = f.menu->Items()->Items(0)->Handle();
  SendMessageW(f.wnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_FALSE(SkinnedMenuOpen);
  EXPECT_EQ(clicks.clicked, 1);
  // Without skinned popups the system menu and the flag are left alone.
  f.m.manager.WriteSkinnedPopups(false);
  EnableMenuItem(sys, SC_SIZE, MF_BYCOMMAND | MF_ENABLED);
  SendMessageW(f.wnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sys), MAKELPARAM(0, 1));
  EXPECT_EQ(GetMenuState(sys, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED, 0u);
  SkinnedMenuOpen = true;
  SendMessageW(f.wnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_TRUE(SkinnedMenuOpen);
  SkinnedMenuOpen = false;
  f.form->SetWindowProc(log.old);
  EXPECT_EQ(log.opened, (std::vector<WPARAM>{reinterpret_cast<WPARAM>(sys), reinterpret_cast<WPARAM>(file),
                                             reinterpret_cast<WPARAM>(sys), reinterpret_cast<WPARAM>(file)}));
}

}  // namespace
}  // namespace skin
