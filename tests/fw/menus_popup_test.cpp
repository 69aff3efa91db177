// Popup menus shown at a point and closed again while the test waits in the
// menu's own loop: cancelled by a message, an item picked with the keyboard
// (its command arrives afterwards), shown by a control's context-menu
// message, and owner-drawn items measured and painted by their handlers on
// the popup and on the menu bar.
#include <gtest/gtest.h>

#include <memory>

#include "fw/controls/button.h"
#include "menus_test_util.h"

using namespace fw;
using fwtest::Log;
using fwtest::MenuDriver;
using fwtest::MenuForm;

namespace {

const char16_t kForm[] = uR"(object MenuTestForm: TMenuTestForm
  Left = 40
  Top = 40
  BorderStyle = bsSingle
  ClientWidth = 320
  ClientHeight = 200
  object PopupMenu1: TPopupMenu
    AutoHotkeys = maManual
    OnPopup = MenuPopup
    object pmCopy: TMenuItem
      Caption = 'Copy font files'
      OnClick = ItemClick
    end
    object pmSelectAll: TMenuItem
      Caption = 'Select all'
      ShortCut = 16449
      OnClick = ItemClick
    end
  end
  object DrawnMenu: TPopupMenu
    OwnerDraw = True
    object odFirst: TMenuItem
      Caption = 'First'
      OnMeasureItem = ItemMeasure
      OnAdvancedDrawItem = ItemDraw
    end
    object odLine: TMenuItem
      Caption = '-'
      OnMeasureItem = ItemMeasure
      OnAdvancedDrawItem = ItemDraw
    end
    object odLast: TMenuItem
      Caption = 'Last'
      Checked = True
      OnMeasureItem = ItemMeasure
      OnAdvancedDrawItem = ItemDraw
    end
  end
  object PlainDrawnMenu: TPopupMenu
    OwnerDraw = True
    object pdOne: TMenuItem
      Caption = '&One'
      ShortCut = 16463
    end
    object pdTwo: TMenuItem
      Caption = 'Two'
      Checked = True
      RadioItem = True
    end
    object pdLine: TMenuItem
      Caption = '-'
    end
  end
end
)";

TEST(MenuPopup, ShowsAtThePointAndClosesOnCancelMode) {
  MenuForm f(kForm);
  auto* popup = f.Find<TPopupMenu>(u"PopupMenu1");
  RECT shown{};
  MenuDriver driver([&](HWND menu) {
    if (!menu) return false;
    GetWindowRect(menu, &shown);
    SendMessageW(PopupListWindow(), WM_CANCELMODE, 0, 0);
    return true;
  });
  popup->Popup(100, 120);
  fwtest::Pump(30);
  EXPECT_FALSE(driver.timedOut);
  EXPECT_EQ(f->popups, 1);
  EXPECT_EQ(shown.left, 100);
  EXPECT_EQ(shown.top, 120);
  EXPECT_EQ(popup->PopupPoint().x, 100);
  EXPECT_EQ(popup->PopupPoint().y, 120);
  EXPECT_TRUE(f->clicks.empty());
  EXPECT_EQ(fwtest::VisibleMenuWindow(), nullptr);
}

TEST(MenuPopup, ItemPickedWithTheKeyboardDeliversItsCommand) {
  MenuForm f(kForm);
  auto* popup = f.Find<TPopupMenu>(u"PopupMenu1");
  int step = 0;
  MenuDriver driver([&](HWND menu) {
    if (!menu) return false;
    // Down twice: the second item; Return picks it.
    if (step < 2) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);
    else PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 1);
    return ++step == 3;
  });
  popup->Popup(80, 80);
  // The command comes through the queue once the menu has closed.
  EXPECT_TRUE(fwtest::PumpUntil([&] { return !f->clicks.empty(); }, 2000));
  EXPECT_FALSE(driver.timedOut);
  EXPECT_EQ(f->clicks, (Log{"pmSelectAll"}));
}

TEST(MenuPopup, ContextMenuMessageShowsTheControlsPopupMenu) {
  MenuForm f(kForm);
  auto* popup = f.Find<TPopupMenu>(u"PopupMenu1");
  auto* button = new TButton(f.form);
  button->SetParent(f.form);
  button->SetBounds(10, 10, 80, 24);
  button->SetPopupMenu(popup);
  fwtest::Pump(10);
  struct Case {
    int x, y;
    TPoint expected;
  };
  TPoint corner = button->ClientToScreen(TPoint{0, 0});
  // A mouse click's point, and the keyboard's menu key (-1, -1): the
  // control's corner.
  for (const Case& c : {Case{150, 160, TPoint{150, 160}}, Case{-1, -1, corner}}) {
    MenuDriver driver([&](HWND menu) {
      if (!menu) return false;
      SendMessageW(PopupListWindow(), WM_CANCELMODE, 0, 0);
      return true;
    });
    LRESULT r = SendMessageW(button->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button->Handle()),
                             MAKELPARAM(c.x, c.y));
    EXPECT_EQ(r, 1);
    EXPECT_FALSE(driver.timedOut);
    EXPECT_EQ(popup->PopupComponent(), button);
    EXPECT_EQ(popup->PopupPoint().x, c.expected.x);
    EXPECT_EQ(popup->PopupPoint().y, c.expected.y);
  }
  EXPECT_EQ(f->popups, 2);
  // Without AutoPopup the message goes on to the default handling.
  popup->SetAutoPopup(false);
  SendMessageW(button->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button->Handle()), MAKELPARAM(150, 160));
  EXPECT_EQ(f->popups, 2);
  // The control's going clears the popup component.
  button->Free();
  EXPECT_EQ(popup->PopupComponent(), nullptr);
}

TEST(MenuPopup, OwnerDrawHandlersMeasureAndPaintThePopupsItems) {
  MenuForm f(kForm);
  auto* popup = f.Find<TPopupMenu>(u"DrawnMenu");
  RECT shown{};
  MenuDriver driver([&](HWND menu) {
    if (!menu || f->drawn.size() < 3) return false;
    GetWindowRect(menu, &shown);
    EndMenu();
    return true;
  });
  popup->Popup(60, 60);
  fwtest::Pump(20);
  ASSERT_FALSE(driver.timedOut);
  EXPECT_EQ(f->measured, (std::vector<std::string>{"odFirst", "odLine", "odLast"}));
  ASSERT_GE(f->drawn.size(), 3u);
  std::vector<std::string> names;
  for (size_t i = 0; i < 3; ++i) names.push_back(f->drawn[i].item);
  EXPECT_EQ(names, (std::vector<std::string>{"odFirst", "odLine", "odLast"}));
  // Each item gets the height its handler measured, one below the other,
  // and the state the system gives it.
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(f->drawn[i].rect.Height(), 30) << names[i];
    if (i) EXPECT_EQ(f->drawn[i].rect.Top, f->drawn[i - 1].rect.Bottom);
  }
  EXPECT_TRUE(f->drawn[2].state.Contains(odChecked));
  EXPECT_FALSE(f->drawn[0].state.Contains(odChecked));
  EXPECT_GE(shown.bottom - shown.top, 90);
}

TEST(MenuPopup, OwnerDrawnItemsWithoutHandlersPaintThemselves) {
  MenuForm f(kForm);
  auto* popup = f.Find<TPopupMenu>(u"PlainDrawnMenu");
  RECT shown{};
  int ticks = 0;
  MenuDriver driver([&](HWND menu) {
    if (!menu || ++ticks < 5) return false;
    GetWindowRect(menu, &shown);
    EndMenu();
    return true;
  });
  popup->Popup(60, 60);
  ASSERT_FALSE(driver.timedOut);
  // Wide enough for the caption, the check column and the shortcut text,
  // tall enough for three rows.
  EXPECT_GT(shown.right - shown.left, 60);
  EXPECT_GT(shown.bottom - shown.top, GetSystemMetrics(SM_CYMENU) * 2);
}

TEST(MenuPopup, OwnerDrawnMenuBarItemsGoThroughTheFormsMessages) {
  MenuForm f(uR"(object MenuTestForm: TMenuTestForm
  Left = 40
  Top = 40
  BorderStyle = bsSingle
  ClientWidth = 320
  ClientHeight = 200
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    OwnerDraw = True
    object mnFile: TMenuItem
      Caption = 'File'
      OnMeasureItem = ItemMeasure
      OnAdvancedDrawItem = ItemDraw
      object mnOpen: TMenuItem
        Caption = 'Open'
      end
    end
    object mnHelp: TMenuItem
      Caption = 'Help'
      OnMeasureItem = ItemMeasure
      OnAdvancedDrawItem = ItemDraw
    end
  end
end
)");
  f->itemWidth = 50;
  f->itemHeight = 20;
  f.Item(u"mnHelp")->SetCaption(u"Help!");  // measured again
  RedrawWindow(f->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  fwtest::Pump(30);
  auto has = [](const std::vector<std::string>& v, const char* s) { return std::find(v.begin(), v.end(), s) != v.end(); };
  EXPECT_TRUE(has(f->measured, "mnFile"));
  EXPECT_TRUE(has(f->measured, "mnHelp"));
  std::vector<std::string> drawn;
  for (const auto& d : f->drawn) drawn.push_back(d.item);
  EXPECT_TRUE(has(drawn, "mnFile"));
  EXPECT_TRUE(has(drawn, "mnHelp"));
  // The width the handler answers is the item's (the system adds its own
  // spacing on the menu bar).
  auto width = [&] {
    RECT item{};
    GetMenuItemRect(f->Handle(), GetMenu(f->Handle()), 1, &item);
    return item.right - item.left;
  };
  int narrow = width();
  f->itemWidth = 150;
  f.Item(u"mnHelp")->SetCaption(u"Help");
  RedrawWindow(f->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  fwtest::Pump(30);
  EXPECT_EQ(width() - narrow, 100);
}

}  // namespace

namespace {

TEST(MenuPopup, AcceleratorOfAnOwnerDrawnItemIsFoundForTheSystem) {
  MenuForm f(kForm, false);
  auto* popup = f.Find<TPopupMenu>(u"PlainDrawnMenu");
  HMENU menu = popup->Handle();
  auto menuChar = [&](wchar_t ch) {
    return SendMessageW(PopupListWindow(), WM_MENUCHAR, MAKEWPARAM(ch, MF_POPUP), reinterpret_cast<LPARAM>(menu));
  };
  EXPECT_EQ(menuChar(L'o'), MAKELRESULT(0, MNC_EXECUTE));  // "&One"
  // Automatic accelerators count as well: "Two" gets its T.
  EXPECT_EQ(menuChar(L'T'), MAKELRESULT(1, MNC_EXECUTE));
  EXPECT_EQ(menuChar(L'x'), 0);
  // Two items with the same letter: the first is selected, not run.
  auto* other = new TMenuItem(f.form);
  other->SetCaption(u"&Other");
  popup->Items()->Add(other);
  EXPECT_EQ(menuChar(L'o'), MAKELRESULT(0, MNC_SELECT));
}

// The pixels of a window as the screen shows them.
std::unique_ptr<TBitmap> CaptureWindow(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(r.right - r.left, r.bottom - r.top);
  HDC dc = GetWindowDC(wnd);
  BitBlt(bmp->Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
  return bmp;
}

TColor PixelAt(TBitmap* bmp, int x, int y) {
  auto* row = static_cast<uint8_t*>(bmp->ScanLine(y));
  return static_cast<TColor>(row[x * 3 + 2] | (row[x * 3 + 1] << 8) | (row[x * 3] << 16));
}

TEST(MenuPopup, SelectedOwnerDrawnItemPaintsInTheHighlightColour) {
  MenuForm f(kForm);
  auto* popup = f.Find<TPopupMenu>(u"PlainDrawnMenu");
  std::unique_ptr<TBitmap> shot;
  RECT first{}, second{}, menuRect{};
  int step = 0;
  MenuDriver driver([&](HWND menu) {
    if (!menu) return false;
    if (step++ == 0) {
      PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);  // highlights the first item
      return false;
    }
    if (step < 6) return false;  // let it paint
    UpdateWindow(menu);
    GetWindowRect(menu, &menuRect);
    GetMenuItemRect(nullptr, popup->Handle(), 0, &first);
    GetMenuItemRect(nullptr, popup->Handle(), 1, &second);
    shot = CaptureWindow(menu);
    EndMenu();
    return true;
  });
  popup->Popup(60, 60);
  ASSERT_FALSE(driver.timedOut);
  ASSERT_TRUE(shot);
  // Pixels of the highlight colour inside an item, less a 2-pixel margin.
  auto highlighted = [&](const RECT& item) {
    int n = 0;
    for (int y = item.top - menuRect.top + 2; y < item.bottom - menuRect.top - 2; ++y)
      for (int x = item.left - menuRect.left + 2; x < item.right - menuRect.left - 2; ++x)
        if (PixelAt(shot.get(), x, y) == static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT))) ++n;
    return n;
  };
  int area = (first.right - first.left - 4) * (first.bottom - first.top - 4);
  EXPECT_GT(highlighted(first), area / 2);
  EXPECT_EQ(highlighted(second), 0);
}

}  // namespace
