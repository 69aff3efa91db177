// Owner-drawn menus and their item painters: which menus are owner-drawn,
// which painter serves, the sizes items measure, and what each painter draws
// for the item kinds, through the same owner-draw messages the system sends.
#include <gtest/gtest.h>

#include "controls/views/ckmenupainters.h"
#include "controls/views/ckmenus.h"
#include "fw/graphics/imagelist.h"
#include "fw/menus/menus.h"
#include "scenarios/screenshot_png.h"

#include <algorithm>
#include <string>

namespace ck {
namespace {

fw::TMenuItem* AddItem(fw::TMenu& menu, const fw::String& caption) {
  auto* item = new fw::TMenuItem(&menu);
  item->SetCaption(caption);
  menu.Items()->Add(item);
  return item;
}

struct TMenuBitmap {
  fw::TBitmap bmp;
  TMenuBitmap(int w, int h) {
    bmp.SetPixelFormat(fw::pf24bit);
    bmp.SetSize(w, h);
    bmp.Canvas()->Brush()->SetColor(fw::clFuchsia);
    bmp.Canvas()->FillRect(fw::TRect{0, 0, w, h});
  }
  // Paints one item through the owner-draw message the menu answers.
  bool Draw(TCkMenuSettings& menu, fw::TMenuItem* item, UINT state, const fw::TRect& r) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemID = item->Command();
    d.itemState = state;
    d.hDC = bmp.Canvas()->Handle();
    d.rcItem = RECT{r.Left, r.Top, r.Right, r.Bottom};
    d.itemData = reinterpret_cast<ULONG_PTR>(item);
    fw::TMessage m;
    m.Msg = WM_DRAWITEM;
    m.LParam = reinterpret_cast<LPARAM>(&d);
    bool handled = menu.AsMenu()->HandleMenuMessage(m);
    GdiFlush();
    return handled && m.Result == 1;
  }
  int Count(fw::TColor color, const fw::TRect& r) {
    int n = 0;
    const fw::TColor rgb = fw::ColorToRGB(color);
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += bmp.Canvas()->Pixel(x, y) == rgb;
    return n;
  }
};

MEASUREITEMSTRUCT MeasureThrough(TCkMenuSettings& menu, fw::TMenuItem* item) {
  MEASUREITEMSTRUCT m{};
  m.CtlType = ODT_MENU;
  m.itemID = item->Command();
  m.itemData = reinterpret_cast<ULONG_PTR>(item);
  fw::TMessage msg;
  msg.Msg = WM_MEASUREITEM;
  msg.LParam = reinterpret_cast<LPARAM>(&m);
  EXPECT_TRUE(menu.AsMenu()->HandleMenuMessage(msg));
  return m;
}

TEST(CkPopupMenu, IsOwnerDrawnForAStyleOrForImages) {
  TCkPopupMenu menu(nullptr);
  EXPECT_FALSE(menu.IsOwnerDrawMenu());
  fw::TImageList images(nullptr);
  menu.SetImagesList(&images);
  EXPECT_FALSE(menu.IsOwnerDrawMenu()) << "an empty image list does not count";
  fw::TBitmap bmp;
  bmp.SetSize(16, 16);
  images.Add(&bmp, nullptr);
  EXPECT_TRUE(menu.IsOwnerDrawMenu());
  menu.SetImagesList(nullptr);
  menu.SetStyle(msItemPainter);
  EXPECT_TRUE(menu.IsOwnerDrawMenu());
  EXPECT_NE(dynamic_cast<TCkStandardMenuItemPainter*>(menu.ActiveItemPainter()), nullptr)
      << "msItemPainter without a painter paints like msStandard";
}

TEST(CkMenus, ClearingTheItemPainterFallsBackByMenuKind) {
  TCkXPMenuItemPainter painter(nullptr);
  TCkPopupMenu popup(nullptr);
  popup.SetItemPainter(&painter);
  EXPECT_EQ(popup.Style(), msItemPainter);
  EXPECT_EQ(popup.ActiveItemPainter(), &painter);
  popup.SetItemPainter(nullptr);
  EXPECT_EQ(popup.Style(), msItemPainter) << "a popup menu keeps its style";
  EXPECT_NE(popup.ActiveItemPainter(), &painter);
  TCkMainMenu main(nullptr);
  main.SetItemPainter(&painter);
  main.SetItemPainter(nullptr);
  EXPECT_EQ(main.Style(), msStandard) << "a main menu goes back to the standard style";
  EXPECT_TRUE(main.OwnerDraw());
}

TEST(CkMenus, StylesMakeTheirPainters) {
  struct Case {
    TCkMenuStyle style;
    bool (*is)(TCkCustomMenuItemPainter*);
  } cases[] = {
      {msOwnerDraw, [](TCkCustomMenuItemPainter* p) { return dynamic_cast<TCkOwnerDrawMenuItemPainter*>(p) != nullptr; }},
      {msBtnRaised, [](TCkCustomMenuItemPainter* p) {
         auto* b = dynamic_cast<TCkBtnMenuItemPainter*>(p);
         return b && !b->Lowered();
       }},
      {msOffice, [](TCkCustomMenuItemPainter* p) { return dynamic_cast<TCkOfficeMenuItemPainter*>(p) != nullptr; }},
      {msXP, [](TCkCustomMenuItemPainter* p) { return dynamic_cast<TCkXPMenuItemPainter*>(p) != nullptr; }},
  };
  for (const auto& c : cases) {
    TCkPopupMenu menu(nullptr);
    menu.SetStyle(c.style);
    EXPECT_TRUE(c.is(menu.ActiveItemPainter())) << c.style;
    EXPECT_EQ(menu.ActiveItemPainter()->Menu(), &menu);
  }
}

// The tray menu of the main window: item painter style without a painter,
// images 12 x 10, no margins.
struct TTrayMenu {
  TCkPopupMenu menu{nullptr};
  fw::TMenuItem *about, *line, *exit, *capture;
  TTrayMenu() {
    menu.SetStyle(msItemPainter);
    menu.ImageSize()->SetWidth(12);
    menu.ImageSize()->SetHeight(10);
    about = AddItem(menu, u"&About");
    line = AddItem(menu, u"-");
    exit = AddItem(menu, u"Exit");
    capture = AddItem(menu, u"&Capture");
    capture->SetDefault(true);
  }
};

TEST(StandardPainter, MeasuresTheTrayMenuAsTheColumnsAddUp) {
  TTrayMenu tray;
  const MEASUREITEMSTRUCT about = MeasureThrough(tray.menu, tray.about);
  const MEASUREITEMSTRUCT exit = MeasureThrough(tray.menu, tray.exit);
  const MEASUREITEMSTRUCT line = MeasureThrough(tray.menu, tray.line);
  EXPECT_EQ(about.itemWidth, exit.itemWidth) << "one caption column for all siblings";
  EXPECT_GT(about.itemWidth, 12u + 2u + 20u) << "image 12, text margin 2, then the widest caption";
  EXPECT_GE(about.itemHeight, UINT(std::max(GetSystemMetrics(SM_CYMENU), 10)));
  EXPECT_GE(line.itemHeight, 9u);
  EXPECT_LT(line.itemHeight, about.itemHeight);
  TCkXPMenuItemPainter xp(nullptr);
  tray.menu.SetItemPainter(&xp);
  EXPECT_EQ(MeasureThrough(tray.menu, tray.line).itemHeight, 3u) << "the XP separator is three pixels";
  EXPECT_GT(MeasureThrough(tray.menu, tray.exit).itemHeight, about.itemHeight) << "XP items are two pixels higher";
  tray.menu.SetItemPainter(nullptr);
}

TEST(StandardPainter, PaintsSelectionSeparatorsCheckMarksAndEtchedText) {
  TTrayMenu tray;
  TMenuBitmap out(120, 100);
  const fw::TRect normal{0, 0, 120, 20}, selected{0, 20, 120, 40}, sep{0, 40, 120, 50}, checked{0, 50, 120, 70},
      disabled{0, 70, 120, 90};
  ASSERT_TRUE(out.Draw(tray.menu, tray.about, 0, normal));
  ASSERT_TRUE(out.Draw(tray.menu, tray.exit, ODS_SELECTED, selected));
  ASSERT_TRUE(out.Draw(tray.menu, tray.line, 0, sep));
  tray.exit->SetChecked(true);
  ASSERT_TRUE(out.Draw(tray.menu, tray.exit, 0, checked));
  ASSERT_TRUE(out.Draw(tray.menu, tray.about, ODS_DISABLED, disabled));
  EXPECT_EQ(out.Count(fw::clFuchsia, fw::TRect{0, 0, 120, 90}), 0) << "every item fills its whole rectangle";
  EXPECT_GT(out.Count(fw::clHighlight, selected), 1000) << "the selected item on the highlight colour";
  EXPECT_GT(out.Count(fw::clMenuText, normal), 10) << "the caption in the menu text colour";
  EXPECT_EQ(out.Count(fw::clBtnShadow, fw::TRect{0, 44, 120, 45}), 120) << "the groove's dark line across the item";
  EXPECT_EQ(out.Count(fw::clBtnHighlight, fw::TRect{0, 45, 120, 46}), 120);
  EXPECT_GT(out.Count(fw::clMenuText, fw::TRect{0, 50, 14, 70}), 3) << "a check mark in the image column";
  EXPECT_GT(out.Count(fw::clBtnHighlight, disabled), 5) << "disabled text is etched";
  EXPECT_GT(out.Count(fw::clBtnShadow, disabled), 5);
  EXPECT_TRUE(scenarios::SavePng(&out.bmp, scenarios::ScreenshotPath("tray_menu_items.png")));
}

TEST(PainterKinds, EachDrawsEveryItemKindInsideItsRectangle) {
  for (TCkMenuStyle style : {msStandard, msBtnLowered, msBtnRaised, msOffice, msXP}) {
    TCkPopupMenu menu(nullptr);
    menu.SetStyle(style);
    fw::TMenuItem* item = AddItem(menu, u"&Open\tCtrl+O");
    fw::TMenuItem* line = AddItem(menu, u"-");
    item->SetShortCut(fw::ShortCut('O', {fw::ssCtrl}));
    TMenuBitmap out(160, 60);
    for (UINT state : {0u, UINT(ODS_SELECTED), UINT(ODS_DISABLED), UINT(ODS_CHECKED)})
      ASSERT_TRUE(out.Draw(menu, item, state, fw::TRect{10, 10, 150, 30})) << style;
    ASSERT_TRUE(out.Draw(menu, line, 0, fw::TRect{10, 35, 150, 45}));
    EXPECT_EQ(out.Count(fw::clFuchsia, fw::TRect{0, 0, 160, 10}), 160 * 10) << "nothing drawn above, style " << style;
    EXPECT_EQ(out.Count(fw::clFuchsia, fw::TRect{0, 45, 160, 60}), 160 * 15) << "nothing drawn below, style " << style;
  }
}

// The width of a caption as the menus measure it: the system's menu font
// on the screen, one line.
int CaptionWidth(const fw::String& text) {
  fw::TFont font;
  SetDefaultMenuFont(&font);
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font.Handle());
  RECT r{0, 0, 0, 0};
  DrawTextW(screen, W(text), -1, &r, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return r.right - r.left;
}

int CaptionHeight(const fw::String& text) {
  fw::TFont font;
  SetDefaultMenuFont(&font);
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font.Handle());
  SIZE size{};
  GetTextExtentPoint32W(screen, W(text), static_cast<int>(text.size()), &size);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return size.cy;
}

TEST(Painters, MeasureTheColumnsTheyAddUp) {
  // Each painter's own text margin and image margins come on top of the
  // menu's: button T+1 B+1, Office L+2 T+2 R+3 B+2 and text +3, XP L+6 T+4
  // R+4 B+4, text +2 and two more pixels of height.
  const int cy = GetSystemMetrics(SM_CYMENU), cxCheck = GetSystemMetrics(SM_CXMENUCHECK),
            cyCheck = GetSystemMetrics(SM_CYMENUCHECK);
  const int caption = CaptionWidth(u"Restore"), shortcut = CaptionWidth(u"Ctrl+R");
  const int spaces8 = CaptionWidth(u"        "), th = CaptionHeight(u"Restore");
  const int separator = std::max(CaptionHeight(u"-") / 2, 9);
  struct Case {
    const char* name;
    TCkMenuStyle style;
    int imageW, imageH;
    bool checkMarks, shortcut, checked;
    int width, height, separatorHeight;
  } cases[] = {
      {"tray menu", msItemPainter, 12, 10, false, false, false, 12 + 2 + caption, std::max({cy, th, 10}), separator},
      {"lowered buttons", msBtnLowered, 12, 10, false, false, false, 12 + caption, std::max({cy, th, 12}), separator},
      {"Office", msOffice, 12, 10, false, false, false, 2 + 12 + 3 + 3 + caption, std::max({cy, th, 14}), separator},
      {"XP", msXP, 12, 10, false, false, false, 6 + 12 + 4 + 2 + caption, std::max({cy, th, 18}) + 2, 3},
      {"no image size", msItemPainter, 0, 0, false, false, false, 2 + caption, std::max(cy, th), separator},
      {"a checked item", msItemPainter, 0, 0, false, false, true, cxCheck + 2 + caption,
       std::max({cy, th, cyCheck}), separator},
      {"check-mark column", msItemPainter, 12, 10, true, false, false, cxCheck + 12 + 2 + caption,
       std::max({cy, th, cyCheck, 10}), separator},
      {"a shortcut sibling", msItemPainter, 12, 10, false, true, false, 12 + 2 + caption + shortcut + spaces8,
       std::max({cy, th, 10}), separator},
  };
  for (const Case& c : cases) {
    TCkPopupMenu menu(nullptr);
    menu.SetStyle(c.style);
    menu.ImageSize()->SetWidth(c.imageW);
    menu.ImageSize()->SetHeight(c.imageH);
    menu.SetShowCheckMarks(c.checkMarks);
    fw::TMenuItem* restore = AddItem(menu, u"Restore");
    fw::TMenuItem* line = AddItem(menu, u"-");
    fw::TMenuItem* other = AddItem(menu, u"Ex");
    if (c.shortcut) other->SetShortCut(fw::ShortCut('R', {fw::ssCtrl}));
    // A checked item makes room for the check mark; its unchecked siblings
    // measure without it (the widest item sets the menu's width).
    if (c.checked) restore->SetChecked(true);
    const MEASUREITEMSTRUCT m = MeasureThrough(menu, restore);
    EXPECT_EQ(int(m.itemWidth), c.width) << c.name;
    EXPECT_EQ(int(m.itemHeight), c.height) << c.name;
    EXPECT_EQ(int(MeasureThrough(menu, line).itemHeight), c.separatorHeight) << c.name;
  }
}

// An image list of 12 x 10 pictures: one red, one green.
struct TwoImages {
  fw::TImageList list{nullptr};
  TwoImages() {
    list.SetWidth(12);
    list.SetHeight(10);
    for (fw::TColor color : {fw::TColor(0x0000FF), fw::TColor(0x00FF00)}) {
      fw::TBitmap bmp;
      bmp.SetPixelFormat(fw::pf24bit);
      bmp.SetSize(12, 10);
      bmp.Canvas()->Brush()->SetColor(color);
      bmp.Canvas()->FillRect(fw::TRect{0, 0, 12, 10});
      list.Add(&bmp, nullptr);
    }
  }
};

TEST(PainterKinds, EachPainterDrawsEveryItemKind) {
  // One row per kind, 22 pixels high, 160 wide; the image column is the
  // first 40 pixels.
  enum Kind { kNormal, kChecked, kRadio, kDisabled, kSeparator, kDefault, kImage, kCount };
  const char* names[kCount] = {"normal", "checked", "radio", "disabled", "separator", "default", "image"};
  TwoImages images;
  int all = 0;
  for (TCkMenuStyle style : {msStandard, msBtnLowered, msBtnRaised, msOffice, msXP}) {
    TCkPopupMenu menu(nullptr);
    menu.SetStyle(style);
    menu.ImageSize()->SetWidth(12);
    menu.ImageSize()->SetHeight(10);
    menu.SetImagesList(&images.list);
    fw::TMenuItem* items[kCount];
    for (int k = 0; k < kCount; ++k) {
      items[k] = AddItem(menu, k == kSeparator ? fw::String(u"-") : fw::String(u"&Restore"));
      items[k]->SetImageIndex(k == kImage ? 0 : -1);
    }
    items[kChecked]->SetChecked(true);
    items[kRadio]->SetRadioItem(true);
    items[kRadio]->SetChecked(true);
    items[kDisabled]->SetEnabled(false);
    items[kDefault]->SetDefault(true);
    TMenuBitmap out(160, 22 * kCount);
    const UINT states[kCount] = {0, ODS_CHECKED, ODS_CHECKED, ODS_DISABLED | ODS_GRAYED, 0, ODS_DEFAULT, 0};
    auto row = [](int k, int left = 0, int right = 160) { return fw::TRect{left, 22 * k, right, 22 * k + 22}; };
    for (int k = 0; k < kCount; ++k) ASSERT_TRUE(out.Draw(menu, items[k], states[k], row(k))) << style << names[k];
    auto ink = [&](int k, fw::TColor color, int left = 0, int right = 160) {
      return out.Count(color, row(k, left, right));
    };
    const int text = ink(kNormal, fw::clMenuText);
    EXPECT_GT(text, 20) << "the caption, style " << style;
    // A check and a bullet beside the same caption, and not the same picture.
    const int check = ink(kChecked, fw::clMenuText) - text, bullet = ink(kRadio, fw::clMenuText) - text;
    EXPECT_GT(check, 3) << style;
    EXPECT_GT(bullet, 3) << style;
    int differing = 0;
    for (int y = 0; y < 22; ++y)
      for (int x = 0; x < 160; ++x)
        differing += out.bmp.Canvas()->Pixel(x, 22 * kChecked + y) != out.bmp.Canvas()->Pixel(x, 22 * kRadio + y);
    EXPECT_GT(differing, 3) << "a check is not a bullet, style " << style;
    EXPECT_EQ(ink(kDisabled, fw::clMenuText), 0) << "disabled text is grey, style " << style;
    EXPECT_GT(ink(kDisabled, fw::clBtnShadow) + ink(kDisabled, fw::clGrayText), 10) << style;
    EXPECT_GT(ink(kSeparator, fw::clBtnShadow) + ink(kSeparator, 0xA6A6A6), 60) << "a line across, style " << style;
    // Bold: the same caption reaches further right.
    auto inkRight = [&](int k) {
      int right = -1;
      for (int y = 22 * k; y < 22 * k + 22; ++y)
        for (int x = 0; x < 160; ++x)
          if (out.bmp.Canvas()->Pixel(x, y) == fw::ColorToRGB(fw::clMenuText)) right = std::max(right, x);
      return right;
    };
    EXPECT_GT(inkRight(kDefault), inkRight(kNormal)) << "the default item is bold, style " << style;
    EXPECT_GE(ink(kImage, fw::TColor(0x0000FF), 0, 40), 100) << "the red picture, style " << style;
    EXPECT_EQ(ink(kImage, fw::TColor(0x00FF00)), 0) << "only the item's own picture, style " << style;
    EXPECT_EQ(out.Count(fw::clFuchsia, fw::TRect{0, 0, 160, 22 * kCount}), 0) << "every row painted, style " << style;
    scenarios::SavePng(&out.bmp, scenarios::ScreenshotPath("menu_items_" + std::to_string(all++) + ".png"));
  }
}

TEST(XPPainter, DrawsTheMenuWindowsBorder) {
  TCkXPMenuItemPainter xp(nullptr);
  TMenuBitmap out(40, 30);
  xp.DrawMenuBorder(out.bmp.Canvas()->Handle(), fw::TRect{0, 0, 40, 30});
  GdiFlush();
  EXPECT_EQ(out.Count(xp.BorderColor, fw::TRect{0, 0, 40, 1}), 40) << "the outline";
  EXPECT_EQ(out.Count(xp.BorderColor, fw::TRect{39, 0, 40, 30}), 30);
  EXPECT_EQ(out.Count(fw::clWhite, fw::TRect{1, 1, 39, 3}), 2 * 38) << "two white rows inside the top";
  EXPECT_EQ(out.Count(xp.ImageBackgroundColor(), fw::TRect{1, 3, 3, 28}), 2 * 25) << "the image column's colour on the left";
  EXPECT_EQ(out.Count(fw::clFuchsia, fw::TRect{5, 5, 35, 25}), 30 * 20) << "the inside is left alone";
}

TEST(OwnerDrawPainter, PaintsOnlyThroughTheMenusEvents) {
  TCkPopupMenu menu(nullptr);
  menu.SetStyle(msOwnerDraw);
  fw::TMenuItem* item = AddItem(menu, u"x");
  struct Sink {
    int draws = 0;
    void Draw(fw::TMenu*, fw::TMenuItem*, const fw::TRect&, TMenuOwnerDrawState) { ++draws; }
    void Measure(fw::TMenu*, fw::TMenuItem*, int& w, int& h) { w = 77, h = 33; }
  } sink;
  TMenuBitmap out(20, 20);
  ASSERT_TRUE(out.Draw(menu, item, 0, fw::TRect{0, 0, 20, 20}));
  menu.OnDrawItem = TDrawMenuItemEvent(&sink, &Sink::Draw);
  menu.OnMeasureItem = TMeasureMenuItemEvent(&sink, &Sink::Measure);
  ASSERT_TRUE(out.Draw(menu, item, 0, fw::TRect{0, 0, 20, 20}));
  EXPECT_EQ(sink.draws, 1);
  const MEASUREITEMSTRUCT m = MeasureThrough(menu, item);
  EXPECT_EQ(m.itemWidth, 77u);
  EXPECT_EQ(m.itemHeight, 33u);
}

TEST(CkPopupMenu, AnItemOfAnotherMenuIsLeftToItsOwnMenu) {
  TCkPopupMenu first(nullptr), second(nullptr);
  first.SetStyle(msXP);
  second.SetStyle(msXP);
  AddItem(first, u"one");
  fw::TMenuItem* theirs = AddItem(second, u"two");
  TMenuBitmap out(50, 20);
  EXPECT_FALSE(out.Draw(first, theirs, 0, fw::TRect{0, 0, 50, 20}));
  EXPECT_EQ(out.Count(fw::clFuchsia, fw::TRect{0, 0, 50, 20}), 1000);
  EXPECT_TRUE(out.Draw(second, theirs, 0, fw::TRect{0, 0, 50, 20}));
}

TEST(MenuRoutines, HotkeysAndPopupItems) {
  EXPECT_EQ(StripMenuHotkey(u"&Save && Quit"), u"Save & Quit");
  fw::TMainMenu bar(nullptr);
  fw::TMenuItem* file = AddItem(bar, u"&File");
  auto* open = new fw::TMenuItem(&bar);
  file->Add(open);
  EXPECT_FALSE(IsPopupItem(file));
  EXPECT_TRUE(IsPopupItem(open));
}

}  // namespace
}  // namespace ck
