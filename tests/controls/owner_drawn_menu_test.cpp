// Owner-drawn menus on real windows: the system's measure and draw messages
// of a tracked popup menu and of a form's menu bar reach the item painter,
// an item's hot key picks it while its menu is open (owner-drawn items have
// no text the system could search), and a shortcut reaches its item through
// the form.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/views/ckmenupainters.h"
#include "controls/views/ckmenus.h"
#include "scenarios/screenshot_png.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;

namespace {

// The standard painter, noting every item it measures and paints.
class TRecordingPainter : public TCkStandardMenuItemPainter {
 public:
  using TCkStandardMenuItemPainter::TCkStandardMenuItemPainter;
  struct Call {
    std::string item;
    TRect rect;
    TMenuOwnerDrawState state;
    int width = 0, height = 0;
  };
  // The system's measure requests come before any paint; the painter
  // measures the siblings again itself when it paints a first item.
  std::vector<Call> measured, painted;
  void Measure(TMenuItem* Item, int& Width, int& Height) override {
    TCkStandardMenuItemPainter::Measure(Item, Width, Height);
    if (painted.empty()) measured.push_back({StringToUtf8(Item->Caption()), TRect{}, {}, Width, Height});
  }
  void Paint(TMenuItem* Item, const TRect& ItemRect, TMenuOwnerDrawState State) override {
    painted.push_back({StringToUtf8(Item->Caption()), ItemRect, State});
    TCkStandardMenuItemPainter::Paint(Item, ItemRect, State);
  }
  // The last paint of an item (the menu repaints items as the mouse moves).
  const Call* LastPaint(const std::string& item) const {
    for (auto it = painted.rbegin(); it != painted.rend(); ++it)
      if (it->item == item) return &*it;
    return nullptr;
  }
};

struct Clicks {
  std::vector<std::string> log;
  void Clicked(TObject* Sender) { log.push_back(StringToUtf8(static_cast<TMenuItem*>(Sender)->Caption())); }
};

TMenuItem* AddItem(TMenu& Menu, TMenuItem* Parent, const String& Caption, Clicks& Log) {
  auto* item = new TMenuItem(&Menu);
  item->SetCaption(Caption);
  item->OnClick = TNotifyEvent(&Log, &Clicks::Clicked);
  (Parent ? Parent : Menu.Items())->Add(item);
  return item;
}

HWND VisibleMenuWindow() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND wnd, LPARAM p) -> BOOL {
        wchar_t cls[32] = {};
        GetClassNameW(wnd, cls, 32);
        if (lstrcmpW(cls, L"#32768") != 0 || !IsWindowVisible(wnd)) return TRUE;
        *reinterpret_cast<HWND*>(p) = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Acts while a menu is tracked: the menu's own loop dispatches this timer.
// After about five seconds it gives up and ends the menu, so nothing hangs.
struct MenuDriver {
  static inline MenuDriver* current = nullptr;
  std::function<bool(HWND)> tick;
  UINT_PTR timer = 0;
  int ticks = 0;
  bool timedOut = false;
  explicit MenuDriver(std::function<bool(HWND)> Tick) : tick(std::move(Tick)) {
    current = this;
    timer = SetTimer(nullptr, 0, 20, &MenuDriver::Proc);
  }
  ~MenuDriver() {
    KillTimer(nullptr, timer);
    current = nullptr;
  }
  static void CALLBACK Proc(HWND, UINT, UINT_PTR, DWORD) {
    MenuDriver* d = current;
    if (!d || !d->tick) return;
    if (++d->ticks > 250) {
      d->timedOut = true;
      d->tick = nullptr;
      EndMenu();
      return;
    }
    if (d->tick(VisibleMenuWindow())) d->tick = nullptr;
  }
};

// The whole menu window, drawn into a bitmap by the window itself (its
// items through the painter again).
std::unique_ptr<TBitmap> Photograph(HWND Wnd) {
  RECT r;
  GetWindowRect(Wnd, &r);
  auto shot = std::make_unique<TBitmap>();
  shot->SetPixelFormat(pf24bit);
  shot->SetSize(r.right - r.left, r.bottom - r.top);
  PrintWindow(Wnd, shot->Canvas()->Handle(), 0);
  return shot;
}

}  // namespace

TEST(OwnerDrawnMenu, ATrackedPopupIsMeasuredAndPaintedByItsPainterAndItsHotKeyPicksAnItem) {
  fwtest::TestForm form(200, 120);
  form->Show();
  xptest::OnTop(form.form);
  SetForegroundWindow(form->Handle());
  fwtest::Pump();
  TCkPopupMenu menu(nullptr);
  menu.SetAutoHotkeys(maManual);
  TRecordingPainter painter(nullptr);
  menu.SetItemPainter(&painter);
  Clicks clicks;
  AddItem(menu, nullptr, u"&About", clicks);
  AddItem(menu, nullptr, u"-", clicks);
  TMenuItem* exit = AddItem(menu, nullptr, u"E&xit", clicks);
  TMenuItem* capture = AddItem(menu, nullptr, u"&Capture", clicks);
  capture->SetDefault(true);
  exit->SetChecked(true);
  std::unique_ptr<TBitmap> shot;
  int settled = 0;
  MenuDriver driver([&](HWND wnd) {
    // A few ticks after the last item is painted the screen shows it.
    if (!wnd || !painter.LastPaint("&Capture") || ++settled < 10) return false;
    if (!shot) {
      shot = Photograph(wnd);
      // The hot key of "E&xit": the system finds no text in owner-drawn
      // items and asks the menu's owner, which answers with the item.
      PostMessageW(wnd, WM_KEYDOWN, 'X', 1);
      PostMessageW(wnd, WM_CHAR, 'x', 1);
      return true;
    }
    return false;
  });
  menu.Popup(60, 60);
  ASSERT_FALSE(driver.timedOut);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return !clicks.log.empty(); }, 5000));
  EXPECT_EQ(clicks.log, std::vector<std::string>{"E&xit"});

  // Every item was measured by the painter, and painted in the height it
  // measured, one below the other.
  std::vector<std::string> measured;
  for (const auto& m : painter.measured) measured.push_back(m.item);
  EXPECT_EQ(measured, (std::vector<std::string>{"&About", "-", "E&xit", "&Capture"}));
  int top = -1;
  for (const auto& m : painter.measured) {
    const TRecordingPainter::Call* p = painter.LastPaint(m.item);
    ASSERT_NE(p, nullptr) << m.item;
    EXPECT_EQ(p->rect.Height(), m.height) << m.item;
    if (top >= 0) {
      EXPECT_EQ(p->rect.Top, top) << m.item;
    }
    top = p->rect.Bottom;
  }
  EXPECT_TRUE(painter.LastPaint("E&xit")->state.Contains(mdChecked));
  EXPECT_FALSE(painter.LastPaint("&About")->state.Contains(mdChecked));
  EXPECT_EQ(GetMenuDefaultItem(menu.Handle(), TRUE, 0), 3u) << "the system knows Capture as the default item";
  EXPECT_TRUE(painter.LastPaint("&Capture")->state.Contains(mdDefault)) << "and it is painted bold";
  EXPECT_FALSE(painter.LastPaint("&About")->state.Contains(mdDefault));
  ASSERT_TRUE(shot);
  EXPECT_TRUE(scenarios::SavePng(shot.get(), scenarios::ScreenshotPath("owner_drawn_popup.png")));
}

TEST(OwnerDrawnMenu, AFormsMenuBarIsPaintedByThePainterAndAShortcutReachesItsItem) {
  fwtest::TestForm form(260, 140);
  form->SetBorderStyle(bsSingle);
  auto* bar = new TCkMainMenu(form.form);
  auto* painter = new TRecordingPainter(form.form);
  bar->SetItemPainter(painter);
  Clicks clicks;
  TMenuItem* file = AddItem(*bar, nullptr, u"&File", clicks);
  TMenuItem* open = AddItem(*bar, file, u"&Open", clicks);
  open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
  AddItem(*bar, nullptr, u"&Help", clicks);
  form->SetMenu(bar);
  form->Show();
  DrawMenuBar(form->Handle());
  ASSERT_TRUE(fwtest::PumpUntil([&] { return painter->LastPaint("&Help") != nullptr; }, 5000))
      << "the bar's items are drawn through the form";
  const TRecordingPainter::Call* drawnFile = painter->LastPaint("&File");
  ASSERT_NE(drawnFile, nullptr);
  const TRecordingPainter::Call* drawnHelp = painter->LastPaint("&Help");
  EXPECT_LE(drawnFile->rect.Right, drawnHelp->rect.Left) << "side by side on the bar";
  bool measuredBar = false;
  for (const auto& m : painter->measured) measuredBar |= m.item == "&File";
  EXPECT_TRUE(measuredBar);

  // Ctrl+O, as the form sees it before any control.
  TMessage key;
  key.Msg = CN_KEYDOWN;
  key.WParam = 'O';
  key.LParam = 1 | ShiftToKeyFlags(TShiftState{ssCtrl});
  EXPECT_TRUE(form->IsShortCut(key));
  key.LParam = 1;
  EXPECT_FALSE(form->IsShortCut(key)) << "O alone is no shortcut";
  fwtest::PumpUntil([&] { return !clicks.log.empty(); }, 2000);
  EXPECT_EQ(clicks.log, std::vector<std::string>{"&Open"});
  form->SetMenu(nullptr);
}
