// Skinned popup menus: items measured and drawn for each kind into bitmaps
// (goldens for both program skins), the disabled fade, the system-menu
// glyphs, which items get the engine's handlers, the background cache, and
// a live popup opened with TrackPopupMenu and closed with EndMenu that the
// skin draws.
#include "skin/forms/skinned_menus.h"

#include <gtest/gtest.h>

#include "fw/platform/locale.h"
#include "fw/system/actions.h"
#include "fw/system/screen.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/text_out.h"
#include "tests/controls/golden_image.h"
#include "tests/skin/engine/core/program_skins.h"
#include "tests/fw/controls_test_util.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/forms/skinned_manager.h"

namespace skin {
namespace {

using skintest::SkinnedManager;

fw::TMenuItem* AddItem(fw::TPopupMenu& menu, const fw::String& caption) {
  auto* item = new fw::TMenuItem(&menu);
  item->SetCaption(caption);
  menu.Items()->Add(item);
  return item;
}

// A 16 x 16 bitmap of one colour.
fw::TBitmap* SolidBitmap(fw::TMenuItem* item, fw::TColor color) {
  fw::TBitmap* b = item->Bitmap();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(16, 16);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect(fw::Rect(0, 0, 16, 16));
  return b;
}

// A canvas on a 32-bit bitmap.
std::unique_ptr<fw::TBitmap> Sheet(int w, int h) { return NewBitmap32(w, h); }

TEST(SkinnedMenus, ItemsAreMeasuredByKind) {
  SkinnedManager m(0);
  fw::TPopupMenu menu(nullptr);
  fw::TMenuItem* line = AddItem(menu, u"-");
  fw::TMenuItem* caption = AddItem(menu, u"-Options-");
  fw::TMenuItem* open = AddItem(menu, u"Open");
  open->SetShortCut(fw::TextToShortCut(u"Ctrl+O"));
  fw::TMenuItem* bold = AddItem(menu, u"Open");
  bold->SetShortCut(open->ShortCut());
  bold->SetDefault(true);
  fw::TMenuItem* big = AddItem(menu, u"Open");
  big->Bitmap()->SetSize(24, 24);

  auto sheet = Sheet(10, 10);
  fw::TCanvas& c = *sheet->Canvas();
  c.Font()->Assign(fw::Screen->MenuFont());
  auto textWidth = [&](const fw::String& t, int limit) {
    fw::TRect r = fw::Rect(0, 0, limit, 0);
    DrawTextOnCanvas(c, t, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK, r);
    return r;
  };
  const fw::TRect openText = textWidth(u"Open" + fw::ShortCutToText(open->ShortCut()), 800);
  const fw::TRect captionText = textWidth(u"--Options--", 1);
  c.Font()->SetStyle({fw::fsBold});
  const fw::TRect boldText = textWidth(u"Open" + fw::ShortCutToText(open->ShortCut()), 800);
  const fw::TRect plainText = [&] {
    c.Font()->SetStyle({});
    return textWidth(u"Open", 800);
  }();

  const struct {
    fw::TMenuItem* item;
    int width, height;
    TkMenuItemType kind;
  } cases[] = {
      {line, 46, 2, smDivider},
      {caption, 46 + captionText.Width(), captionText.Height() + 7, smCaption},
      {open, 46 + openText.Width(), std::max(openText.Height(), 16) + 6, smNormal},
      {bold, 46 + boldText.Width(), std::max(boldText.Height(), 16) + 6, smNormal},
      {big, 2 * 24 + 14 + plainText.Width(), std::max(plainText.Height(), 24) + 6, smNormal},
  };
  for (const auto& k : cases) {
    int w = 0, h = 0;
    m.menus->sMeasureItem(k.item, &c, w, h);
    EXPECT_EQ(w, k.width) << fw::StringToUtf8(k.item->Caption());
    EXPECT_EQ(h, k.height) << fw::StringToUtf8(k.item->Caption());
    EXPECT_EQ(m.menus->it, k.kind);
  }
  EXPECT_GE(cases[2].height, 22);
  EXPECT_TRUE(SkinnedMenuOpen);
}

TEST(SkinnedMenus, ItemsAreWrittenInTheCharacterSetOfTheirForm) {
  SkinnedManager m(0);
  fw::TForm* form = fw::NewForm<fw::TForm>(nullptr);
  form->Font()->SetCharset(RUSSIAN_CHARSET);
  auto* popup = new fw::TPopupMenu(form);
  auto* item = new fw::TMenuItem(form);
  item->SetCaption(u"Item");
  popup->Items()->Add(item);
  fw::TPopupMenu loose(nullptr);
  fw::TMenuItem* other = AddItem(loose, u"Other");
  auto sheet = Sheet(10, 10);
  int w = 0, h = 0;
  m.menus->sMeasureItem(item, sheet->Canvas(), w, h);
  EXPECT_EQ(sheet->Canvas()->Font()->Charset(), RUSSIAN_CHARSET);
  m.menus->sMeasureItem(other, sheet->Canvas(), w, h);
  EXPECT_EQ(sheet->Canvas()->Font()->Charset(), fw::Screen->MenuFont()->Charset());
  form->Free();
}

TEST(SkinnedMenus, TwoColumnsAddTheirWidthsAndTheGap) {
  SkinnedManager m(0);
  fw::TPopupMenu menu(nullptr);
  fw::TMenuItem* a = AddItem(menu, u"Alpha");
  AddItem(menu, u"Beta gamma");
  fw::TMenuItem* c2 = AddItem(menu, u"C");
  c2->SetBreak(fw::mbBreak);
  fw::TMenuItem* hidden = AddItem(menu, u"A much longer hidden item");
  hidden->SetVisible(false);
  auto sheet = Sheet(10, 10);
  fw::TCanvas& c = *sheet->Canvas();
  auto width = [&](fw::TMenuItem* i) {
    int w = 0, h = 0;
    m.menus->sMeasureItem(i, &c, w, h);
    return w;
  };
  const int col1 = std::max(width(a), width(menu.Items()->Items(1))) + 12;
  const int col2 = width(c2) + 12;
  EXPECT_EQ(m.menus->MenuWidth(&c, a), col1 + 4 + col2);
  EXPECT_EQ(m.menus->MenuHeight(&c, a), m.menus->ItemHeight(&c, a) + m.menus->ItemHeight(&c, menu.Items()->Items(1)));
}

// Every kind of item drawn one below the other over the popup's background,
// as the menu window would show them.
std::unique_ptr<fw::TBitmap> DrawPopup(SkinnedManager& m, fw::TPopupMenu& menu,
                                       const std::vector<fw::TOwnerDrawState>& states) {
  fw::TMenuItem* root = menu.Items();
  auto measure = Sheet(10, 10);
  std::vector<int> heights;
  int width = 0, height = 0;
  for (int i = 0; i < root->Count(); ++i) {
    int w = 0, h = 0;
    m.menus->sMeasureItem(root->Items(i), measure->Canvas(), w, h);
    width = std::max(width, w + 12);
    heights.push_back(h);
    height += h;
  }
  m.menus->PrepareMenuBG(root->Items(0), width + 6, height + 6, nullptr);
  TkcMenuInfo* info = m.menus->GetMenuInfo(root->Items(0), nullptr, nullptr);
  EXPECT_NE(info, nullptr);
  auto window = Sheet(width + 6, height + 6);
  BitBlt(window->Canvas()->Handle(), 0, 0, width + 6, height + 6, info->Bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
  auto client = Sheet(width, height);
  int y = 0;
  for (int i = 0; i < root->Count(); ++i) {
    m.menus->sAdvancedDrawItem(root->Items(i), client->Canvas(), fw::Rect(0, y, width, y + heights[size_t(i)]),
                               states[size_t(i)]);
    y += heights[size_t(i)];
  }
  GdiFlush();
  BitBlt(window->Canvas()->Handle(), 3, 3, width, height, client->Canvas()->Handle(), 0, 0, SRCCOPY);
  return window;
}

struct KindsMenu {
  fw::TPopupMenu menu{nullptr};
  std::vector<fw::TOwnerDrawState> states;
  KindsMenu() {
    using S = fw::TOwnerDrawState;
    auto add = [&](const char16_t* caption, S state) {
      fw::TMenuItem* i = AddItem(menu, caption);
      states.push_back(state);
      return i;
    };
    add(u"-Options-", {});
    add(u"Normal", {})->SetShortCut(fw::TextToShortCut(u"Ctrl+N"));
    add(u"Hot", {fw::odSelected});
    add(u"Disabled", {fw::odGrayed})->SetEnabled(false);
    add(u"Checked", {fw::odChecked})->SetChecked(true);
    fw::TMenuItem* radio = add(u"Radio", {fw::odChecked});
    radio->SetRadioItem(true);
    radio->SetChecked(true);
    add(u"-", {});
    add(u"Default", {fw::odDefault})->SetDefault(true);
    add(u"Left\tRight", {});
    SolidBitmap(add(u"Picture", {}), 0x2080C0);
    fw::TMenuItem* pressed = add(u"Checked picture", {fw::odChecked});
    SolidBitmap(pressed, 0x2080C0);
    pressed->SetChecked(true);
  }
};

TEST(SkinnedMenus, EveryKindOfItemMatchesItsGoldenInBothSkins) {
  const char* names[] = {"menu_items_topaz", "menu_items_sapphire"};
  for (int s = 0; s < 2; ++s) {
    SkinnedManager m(s);
    ASSERT_TRUE(m.menus->ActiveSkin()) << s;
    KindsMenu k;
    m.menus->FreeMenuBgCache();
    auto popup = DrawPopup(m, k.menu, k.states);
    auto sheet = cktest::Stack({popup.get()});
    EXPECT_TRUE(cktest::MatchesGolden(sheet.get(), names[s]));
    scenarios::SavePng(sheet.get(), scenarios::ScreenshotPath(std::string(names[s]) + ".png"));
  }
}

TEST(SkinnedMenus, ADisabledItemIsFadedTowardTheBackground) {
  SkinnedManager m(0);
  fw::TPopupMenu menu(nullptr);
  fw::TMenuItem* item = AddItem(menu, u"");
  auto enabled = DrawPopup(m, menu, {fw::TOwnerDrawState{}});
  m.menus->FreeMenuBgCache();
  item->SetEnabled(false);
  auto disabled = DrawPopup(m, menu, {fw::TOwnerDrawState{fw::odGrayed}});
  TkcMenuInfo* info = m.menus->GetMenuInfo(item, nullptr, nullptr);
  ASSERT_NE(info, nullptr);
  const TPixelView32 e = View32(*enabled), d = View32(*disabled), bg = View32(*info->Bmp);
  int checked = 0;
  for (int y = 3; y < e.Height - 3; ++y)
    for (int x = 3; x < e.Width - 3; ++x) {
      const uint32_t S = bg.Pixel(x, y), D = e.Pixel(x, y);
      if (S == 0xFF00FF || (S & 0xFFFFFF) == 0xFF00FF) continue;
      uint32_t expected = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const int s = int((S >> shift) & 0xFF), dd = int((D >> shift) & 0xFF);
        expected |= uint32_t(int(s - (s - dd) * 0.4)) << shift;
      }
      ASSERT_EQ(d.Pixel(x, y) & 0xFFFFFF, expected) << x << "," << y;
      ++checked;
    }
  EXPECT_GT(checked, 100);
}

TEST(SkinnedMenus, SystemMenusShowTheCommandGlyphByTag) {
  SkinnedManager m(1);
  fw::TPopupMenu menu(nullptr);
  menu.SetName(u"kcSysMenu123");
  fw::TMenuItem* item = AddItem(menu, u"");
  auto glyphArea = [&](int tag) {
    item->SetTag(tag);
    m.menus->FreeMenuBgCache();
    auto popup = DrawPopup(m, menu, {fw::TOwnerDrawState{}});
    return PixelChecksum(SubView(View32(*popup), fw::Rect(3, 3, 3 + 24, popup->Height() - 3)));
  };
  const uint64_t none = glyphArea(0);
  EXPECT_NE(glyphArea(0xF060), none);
  EXPECT_NE(glyphArea(0xF020), none);
  EXPECT_NE(glyphArea(0xF060), glyphArea(0xF020));
  EXPECT_EQ(glyphArea(0x1234), none);
  // Another menu draws no glyph for the same tag.
  menu.SetName(u"Other");
  EXPECT_EQ(glyphArea(0xF060), none);
}

struct OwnHandlers {
  void Measure(fw::TObject*, fw::TCanvas*, int&, int&) {}
  void Draw(fw::TObject*, fw::TCanvas*, const fw::TRect&, fw::TOwnerDrawState) {}
};

TEST(SkinnedMenus, PopupItemsKeepTheProgramsHandlersAndTheTopLineGetsTheLines) {
  SkinnedManager m(0);
  fw::TForm* form = fw::NewForm<fw::TForm>(nullptr);
  auto* mainMenu = new fw::TMainMenu(form);
  auto* file = new fw::TMenuItem(form);
  file->SetCaption(u"File");
  auto* open = new fw::TMenuItem(form);
  open->SetCaption(u"Open");
  file->Add(open);
  mainMenu->Items()->Add(file);
  auto* popup = new fw::TPopupMenu(form);
  auto* mine = new fw::TMenuItem(form);
  mine->SetCaption(u"Mine");
  popup->Items()->Add(mine);
  auto* plain = new fw::TMenuItem(form);
  plain->SetCaption(u"Plain");
  popup->Items()->Add(plain);
  OwnHandlers own;
  const fw::TMenuMeasureItemEvent ownMeasure(&own, &OwnHandlers::Measure);
  mine->OnMeasureItem = ownMeasure;
  file->OnMeasureItem = ownMeasure;

  const fw::TMenuMeasureItemEvent popupMeasure(m.menus, &TkSkinableMenus::sMeasureItem);
  const fw::TMenuMeasureItemEvent lineMeasure(m.menus, &TkSkinableMenus::sMeasureLineItem);
  m.menus->InitMenuLine(mainMenu, true);
  m.menus->HookItem(file, true);
  m.menus->HookPopupMenu(popup, true);
  EXPECT_EQ(file->OnMeasureItem, lineMeasure);  // the line always takes the top items
  EXPECT_EQ(open->OnMeasureItem, popupMeasure);
  EXPECT_EQ(mine->OnMeasureItem, ownMeasure);  // the program's own stays
  EXPECT_EQ(plain->OnMeasureItem, popupMeasure);
  EXPECT_TRUE(mainMenu->OwnerDraw());
  EXPECT_TRUE(popup->OwnerDraw());
  EXPECT_TRUE(popup->MenuAnimation().Contains(fw::maNone));

  // Taking them back clears only the engine's own.
  m.menus->InitMenuLine(mainMenu, false);
  m.menus->HookItem(file, false);
  m.menus->HookPopupMenu(popup, false);
  EXPECT_EQ(file->OnMeasureItem, nullptr);
  EXPECT_EQ(open->OnMeasureItem, nullptr);
  EXPECT_EQ(mine->OnMeasureItem, ownMeasure);
  EXPECT_EQ(plain->OnMeasureItem, nullptr);
  EXPECT_FALSE(popup->OwnerDraw());

  // Without skinned popups popup menus stay the system's.
  m.manager.WriteSkinnedPopups(false);
  m.menus->HookPopupMenu(popup, true);
  EXPECT_FALSE(popup->OwnerDraw());
  m.menus->InitMenuLine(mainMenu, true);
  EXPECT_EQ(file->OnMeasureItem, nullptr);
  m.manager.WriteSkinnedPopups(true);
  // An item added while the form runs.
  auto* added = new fw::TMenuItem(form);
  added->SetCaption(u"Added");
  file->Add(added);
  m.menus->InitItem(added, true);
  EXPECT_EQ(added->OnMeasureItem, popupMeasure);
  form->Free();
}

TEST(SkinnedMenus, BackgroundsAreCachedPerPopupUntilFreed) {
  SkinnedManager m(0);
  fw::TPopupMenu first(nullptr), second(nullptr);
  fw::TMenuItem* a = AddItem(first, u"A");
  fw::TMenuItem* b = AddItem(first, u"B");
  fw::TMenuItem* c = AddItem(second, u"C");
  auto sheet = Sheet(10, 10);
  TkcMenuInfo* ia = m.menus->GetMenuInfo(b, sheet->Canvas(), nullptr);
  ASSERT_NE(ia, nullptr);
  EXPECT_EQ(ia->FirstItem, a);
  EXPECT_GT(ia->Bmp->Width(), 6);
  m.menus->GetMenuInfo(c, sheet->Canvas(), nullptr);
  EXPECT_EQ(m.menus->MenuInfoCache().size(), 2u);
  EXPECT_EQ(m.menus->GetMenuInfo(a, nullptr, nullptr)->FirstItem, a);
  EXPECT_EQ(m.menus->GetMenuInfo(c, nullptr, nullptr)->FirstItem, c);
  m.menus->FreeMenuBgCache();
  EXPECT_TRUE(m.menus->MenuInfoCache().empty());
  EXPECT_EQ(m.menus->GetMenuInfo(a, nullptr, nullptr), nullptr);
  // A window that is not there gives an empty background, and nothing breaks.
  TkcMenuInfo* none = m.menus->GetMenuInfo(a, sheet->Canvas(), reinterpret_cast<HWND>(0x7FFF0));
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none->Bmp->Width(), 0);
  int w = 0, h = 0;
  m.menus->sMeasureItem(a, sheet->Canvas(), w, h);
  // Measuring the popup's first item again means it opens anew.
  EXPECT_EQ(m.menus->GetMenuInfo(a, nullptr, nullptr), nullptr);
  // A freed first item takes its entry along.
  m.menus->GetMenuInfo(c, sheet->Canvas(), nullptr);
  delete c;
  EXPECT_TRUE(m.menus->MenuInfoCache().empty());
}

// The program's own painter of an item: a red square in its corner.
struct OwnPainter {
  int calls = 0;
  void Paint(fw::TObject*, fw::TCanvas* c, const fw::TRect& r, bool) {
    ++calls;
    c->Brush()->SetColor(0x0000FF);
    c->FillRect(fw::Rect(r.Left + 2, r.Top + 2, r.Left + 8, r.Top + 8));
  }
};

TEST(SkinnedMenus, AnItemsOwnPainterDrawsLastOverTheSkin) {
  SkinnedManager m(0);
  fw::TPopupMenu menu(nullptr);
  fw::TMenuItem* item = AddItem(menu, u"Own");
  OwnPainter own;
  item->OnDrawItem = fw::TMenuDrawItemEvent(&own, &OwnPainter::Paint);
  auto popup = DrawPopup(m, menu, {fw::TOwnerDrawState{fw::odSelected}});
  EXPECT_EQ(own.calls, 1);
  // Client (2, 2) lies at (5, 5) in the window's picture.
  EXPECT_EQ(View32(*popup).Pixel(6, 6) & 0xFFFFFF, 0xFF0000u);
  // Without an active skin the painter leaves the item alone.
  m.manager.WriteActive(false);
  auto sheet = Sheet(40, 20);
  m.menus->sAdvancedDrawItem(item, sheet->Canvas(), fw::Rect(0, 0, 40, 20), {});
  EXPECT_EQ(own.calls, 1);
}

// What the program says about a popup's band: a section, a caption and a
// small picture, or no band for the popup starting with "Plain".
struct BandAnswer {
  int asked = 0;
  void Answer(fw::TMenuItem* First, fw::String& Section, fw::String& Caption, fw::TBitmap*& Glyph, bool& Visible) {
    ++asked;
    Section = u"TOOLBAR";
    Caption = u"&Vestaline";
    Glyph = new fw::TBitmap();
    Glyph->SetPixelFormat(fw::pf24bit);
    Glyph->SetSize(10, 10);
    Glyph->Canvas()->Brush()->SetColor(0x0000FF);
    Glyph->Canvas()->FillRect(fw::Rect(0, 0, 10, 10));
    Visible = First->Caption() != u"Plain";
  }
};

// The pure red pixels of a picture's columns [x0, x1): their bounding box.
fw::TRect RedBox(fw::TBitmap& b, int x0, int x1) {
  const TPixelView32 v = View32(b);
  fw::TRect box = fw::Rect(x1, v.Height, x0, 0);
  for (int y = 0; y < v.Height; ++y)
    for (int x = x0; x < x1; ++x)
      if ((v.Pixel(x, y) & 0xFFFFFF) == 0xFF0000) {
        box.Left = std::min(box.Left, x), box.Right = std::max(box.Right, x + 1);
        box.Top = std::min(box.Top, y), box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box;
}

TEST(SkinnedMenus, ABandRunsDownTheLeftOfPopupsThatAskForIt) {
  SkinnedManager m(0);
  BandAnswer answer;
  m.manager.OnGetMenuExtraLineData = skin::TkcGetExtraLineData(&answer, &BandAnswer::Answer);
  auto sheet = Sheet(10, 10);
  auto width = [&](fw::TMenuItem* i) {
    int w = 0, h = 0;
    m.menus->FreeMenuBgCache();
    m.menus->sMeasureItem(i, sheet->Canvas(), w, h);
    return w;
  };
  // Two columns: only the first is widened.
  fw::TPopupMenu columns(nullptr);
  fw::TMenuItem* left = AddItem(columns, u"Left");
  fw::TMenuItem* right = AddItem(columns, u"Right");
  right->SetBreak(fw::mbBreak);
  const int plainLeft = width(left), plainRight = width(right);
  EXPECT_EQ(answer.asked, 0) << "nobody is asked while the band is off";

  // A popup tall enough for the caption.
  fw::TPopupMenu menu(nullptr);
  fw::TMenuItem* first = AddItem(menu, u"Alpha");
  for (const char16_t* c : {u"Beta", u"Gamma", u"Delta", u"Epsilon", u"Zeta"}) AddItem(menu, c);
  const std::vector<fw::TOwnerDrawState> states(6);
  auto off = DrawPopup(m, menu, states);
  EXPECT_EQ(m.menus->ExtraWidth(m.menus->GetMenuInfo(first, nullptr, nullptr)), 0);

  m.manager.MenuSupport()->FUseExtraLine = true;
  EXPECT_EQ(width(left), plainLeft + 32);
  EXPECT_EQ(width(right), plainRight);
  m.menus->FreeMenuBgCache();
  auto on = DrawPopup(m, menu, states);
  EXPECT_GT(answer.asked, 0);
  TkcMenuInfo* info = m.menus->GetMenuInfo(first, nullptr, nullptr);
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->HaveExtraLine);
  EXPECT_EQ(m.menus->ExtraWidth(info), 32);
  EXPECT_EQ(on->Width(), off->Width() + 32);
  // The picture sits in the band, centred, 12 pixels above its bottom.
  const int sbw = m.menus->GetSkinBorderWidth();
  const fw::TRect red = RedBox(*on, 0, on->Width());
  EXPECT_EQ(red.Width(), 10);
  EXPECT_EQ(red.Left, sbw + (32 - 10) / 2);
  EXPECT_EQ(red.Bottom, on->Height() - sbw - 12);
  // The caption is written upward above it: its ink stands taller than wide
  // and stays inside the band.
  const TPixelView32 v = View32(*on);
  const uint32_t band = v.Pixel(sbw + 2, sbw + 2) & 0xFFFFFF;
  fw::TRect ink = fw::Rect(on->Width(), on->Height(), 0, 0);
  for (int y = sbw; y < red.Top - 2; ++y)
    for (int x = 0; x < on->Width(); ++x) {
      const uint32_t p = v.Pixel(x, y) & 0xFFFFFF;
      if (x >= sbw && x < sbw + 32 && p != band) {
        ink.Left = std::min(ink.Left, x), ink.Right = std::max(ink.Right, x + 1);
        ink.Top = std::min(ink.Top, y), ink.Bottom = std::max(ink.Bottom, y + 1);
      }
    }
  EXPECT_GT(ink.Height(), 2 * ink.Width()) << "written from the bottom up";
  EXPECT_GT(ink.Left, sbw);
  EXPECT_LT(ink.Right, sbw + 32);
  EXPECT_LE(ink.Bottom, red.Top - 8 + 1);
  scenarios::SavePng(on.get(), scenarios::ScreenshotPath("popup_menu_band_topaz.png"));

  // A popup the program leaves without band, and the skin list, have none.
  fw::TPopupMenu plain(nullptr), skins(nullptr);
  fw::TMenuItem* p = AddItem(plain, u"Plain");
  DrawPopup(m, plain, {{}});
  EXPECT_FALSE(m.menus->GetMenuInfo(p, nullptr, nullptr)->HaveExtraLine);
  fw::TMenuItem* list = AddItem(skins, u"Available skins");
  list->SetName(u"SkinSelectItem");
  const int asked = answer.asked;
  DrawPopup(m, skins, {{}});
  EXPECT_FALSE(m.menus->GetMenuInfo(list, nullptr, nullptr)->HaveExtraLine);
  EXPECT_EQ(answer.asked, asked);
  m.manager.OnGetMenuExtraLineData = nullptr;
}

// The program's say on an item's font: larger for measuring, red text.
struct ItemFont {
  std::vector<fw::TOwnerDrawState> states;
  void Give(fw::TMenuItem*, fw::TOwnerDrawState State, skin::TkcMenuItemData& Data) {
    states.push_back(State);
    Data.Font->SetSize(Data.Font->Size() * 2);
    Data.Font->SetColor(0x0000FF);
  }
};

// Pixels of one colour in the left and the right half of a picture.
std::pair<int, int> ColourHalves(fw::TBitmap& b, uint32_t colour) {
  const TPixelView32 v = View32(b);
  std::pair<int, int> n{0, 0};
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      if ((v.Pixel(x, y) & 0xFFFFFF) == colour) ++(x < v.Width / 2 ? n.first : n.second);
  return n;
}

TEST(SkinnedMenus, APopupReadRightToLeftIsDrawnTheOtherWayRound) {
  struct SavedLocale {
    bool middleEast = fw::SysLocale.MiddleEast;
    ~SavedLocale() { fw::SysLocale.MiddleEast = middleEast; }
  } saved;
  SkinnedManager m(0);
  BandAnswer answer;
  m.manager.OnGetMenuExtraLineData = skin::TkcGetExtraLineData(&answer, &BandAnswer::Answer);
  fw::TPopupMenu menu(nullptr);
  fw::TMenuItem* item = AddItem(menu, u"Open the picture");
  SolidBitmap(item, 0x0000FF);
  AddItem(menu, u"Close");
  auto draw = [&](bool middleEast, fw::TBiDiMode mode, bool band = false) {
    fw::SysLocale.MiddleEast = middleEast;
    m.manager.MenuSupport()->FUseExtraLine = band;
    menu.SetBiDiMode(mode);
    m.menus->FreeMenuBgCache();
    auto popup = DrawPopup(m, menu, {fw::TOwnerDrawState{}, fw::TOwnerDrawState{}});
    TkcMenuInfo* info = m.menus->GetMenuInfo(item, nullptr, nullptr);
    return std::make_pair(std::move(popup), info ? info->Bmp : nullptr);
  };
  // The background, with a band down one side, is the mirror image.
  auto ltrBg = draw(true, fw::bdLeftToRight, true).second;
  auto rtlBg = draw(true, fw::bdRightToLeft, true).second;
  ASSERT_TRUE(ltrBg && rtlBg);
  const TPixelView32 a = View32(*ltrBg), b = View32(*rtlBg);
  ASSERT_EQ(a.Width, b.Width);
  int differ = 0, asymmetric = 0;
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x) {
      differ += a.Pixel(x, y) != b.Pixel(a.Width - 1 - x, y);
      asymmetric += a.Pixel(x, y) != a.Pixel(a.Width - 1 - x, y);
    }
  EXPECT_EQ(differ, 0);
  EXPECT_GT(asymmetric, 0) << "the band stands on one side";
  // The picture moves from the left end to the right end.
  auto ltr = draw(true, fw::bdLeftToRight).first;
  auto rtl = draw(true, fw::bdRightToLeft).first;
  auto sheet = cktest::Stack({ltr.get(), rtl.get()});
  scenarios::SavePng(sheet.get(), scenarios::ScreenshotPath("menu_right_to_left_topaz.png"));
  const auto left = ColourHalves(*ltr, 0xFF0000), right = ColourHalves(*rtl, 0xFF0000);
  EXPECT_EQ(left.first, 256);
  EXPECT_EQ(left.second, 0);
  EXPECT_EQ(right.first, 0);
  EXPECT_EQ(right.second, 256);
  // Every right-to-left mode reads so; a system that reads left to right
  // draws them all left to right.
  EXPECT_EQ(ColourHalves(*draw(true, fw::bdRightToLeftReadingOnly).first, 0xFF0000).second, 256);
  EXPECT_EQ(ColourHalves(*draw(false, fw::bdRightToLeft).first, 0xFF0000), left);
}

TEST(SkinnedMenus, TheProgramMayChangeAnItemsFontAndColour) {
  SkinnedManager m(1);
  fw::TPopupMenu menu(nullptr);
  fw::TMenuItem* item = AddItem(menu, u"Wide");
  auto sheet = Sheet(10, 10);
  int w0 = 0, h0 = 0;
  m.menus->sMeasureItem(item, sheet->Canvas(), w0, h0);
  auto skinned = DrawPopup(m, menu, {{fw::odSelected}});
  EXPECT_LE(RedBox(*skinned, 0, skinned->Width()).Width(), 0);
  ItemFont font;
  m.manager.OnGetPopupItemData = skin::TkcGetPopupItemData(&font, &ItemFont::Give);
  int w1 = 0, h1 = 0;
  m.menus->sMeasureItem(item, sheet->Canvas(), w1, h1);
  EXPECT_GT(w1, w0) << "measured in the program's font";
  m.menus->FreeMenuBgCache();
  auto own = DrawPopup(m, menu, {{fw::odSelected}});
  ASSERT_FALSE(font.states.empty());
  EXPECT_EQ(font.states.front(), fw::TOwnerDrawState{}) << "measuring asks without state";
  EXPECT_TRUE(font.states.back().Contains(fw::odSelected)) << "drawing with the item's";
  // Its colour instead of the skin's.
  EXPECT_GT(RedBox(*own, 0, own->Width()).Width(), 10);
  m.manager.OnGetPopupItemData = nullptr;
}

// Looks at an open popup from a timer the menu loop dispatches.
struct PopupProbe {
  static PopupProbe* current;
  HWND menuWnd = nullptr;
  int regionType = ERROR;
  int drawn = 0;
  std::unique_ptr<fw::TBitmap> shot;
  int ticks = 0;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    PopupProbe& p = *current;
    if (++p.ticks > 200) {
      EndMenu();
      return;
    }
    HWND w = FindWindowW(L"#32768", nullptr);
    if (!w || !IsWindowVisible(w) || p.drawn == 0) return;
    // Give the items time to paint, then look.
    if (p.ticks < 5) return;
    p.menuWnd = w;
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    p.regionType = GetWindowRgn(w, r);
    DeleteObject(r);
    p.shot = scenarios::ScreenshotOf(w);
    EndMenu();
  }
  void Counted(fw::TObject*, fw::TCanvas*, const fw::TRect&, fw::TOwnerDrawState, TkMenuItemType) { ++drawn; }
};
PopupProbe* PopupProbe::current = nullptr;

TEST(SkinnedMenus, ALivePopupIsDrawnByTheSkin) {
  for (int s = 0; s < 2; ++s) {
    SkinnedManager m(s);
    KindsMenu k;
    m.menus->HookPopupMenu(&k.menu, true);
    PopupProbe probe;
    PopupProbe::current = &probe;
    m.menus->OnDrawItem = TkMenuManagerDrawItemEvent(&probe, &PopupProbe::Counted);
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &PopupProbe::Tick);
    HMENU handle = k.menu.Handle();
    TrackPopupMenu(handle, TPM_LEFTALIGN | TPM_TOPALIGN, 200, 150, 0, fw::PopupListWindow(), nullptr);
    KillTimer(nullptr, timer);
    m.menus->OnDrawItem = nullptr;
    EXPECT_GT(probe.drawn, 0) << s;
    ASSERT_NE(probe.menuWnd, nullptr) << s;
    // The skin's frame shaped the window.
    EXPECT_TRUE(probe.regionType == SIMPLEREGION || probe.regionType == COMPLEXREGION) << s;
    ASSERT_TRUE(probe.shot);
    scenarios::SavePng(probe.shot.get(), scenarios::ScreenshotPath(s == 0 ? "popup_menu_topaz.png" : "popup_menu_sapphire.png"));
    m.menus->FreeMenuBgCache();
  }
}

}  // namespace
}  // namespace skin
