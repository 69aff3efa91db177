// The title bar component on a real form: only forms may hold it, item
// sizes from their glyph and caption, tabs of a group, a drop-down whose
// command frees the item, the hover fade's image, and the items painted
// into a title image with the program's skin (a golden for the caption-free
// items, and the rules of tabs, the built-in menu button and the disabled
// look by pixel).
#include "skin/forms/title_bar.h"

#include <gtest/gtest.h>

#include "fw/core/exceptions.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/skin_resources.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"
#include "skin/forms/title_bar_paint.h"
#include "tests/fw/controls_test_util.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/engine/core/program_skins.h"

namespace skin {
namespace {

std::unique_ptr<TkLoadedSkin> Sapphire() {
  std::vector<TStoredSkinData> stored = LoadInternalSkins();
  TSkinLoadOptions o = SystemSkinLoadOptions();
  o.Saturation = -58;
  return LoadPackedSkin(stored.at(1).Name, stored.at(1).Data, o);
}

void SolidGlyph(fw::TBitmap& g, int w, int h, COLORREF key, COLORREF ink) {
  g.SetPixelFormat(fw::pf24bit);
  g.SetSize(w, h);
  HDC dc = g.Canvas()->Handle();
  HBRUSH k = CreateSolidBrush(key), i = CreateSolidBrush(ink);
  RECT all{0, 0, w, h}, inner{2, 2, w - 2, h - 2};
  FillRect(dc, &all, k);
  FillRect(dc, &inner, i);
  DeleteObject(k);
  DeleteObject(i);
}

TEST(TitleBar, OnlyFormsHoldATitleBar) {
  fwtest::TestForm form;
  auto* other = new fw::TComponent(nullptr);
  try {
    new TkTitleBar(other);
    ADD_FAILURE() << "no exception";
  } catch (const fw::EAbort& e) {
    EXPECT_EQ(e.Message(), u"TkTitleBar component may be used with forms only!");
  }
  delete other;
  auto* bar = new TkTitleBar(form.form);
  EXPECT_EQ(bar->Form, form.form);
  EXPECT_EQ(bar->ItemsMargin, 3);
  ASSERT_TRUE(bar->FDefaultMenuBtn) << "the built-in menu button from the program's resources";
  EXPECT_EQ(bar->FDefaultMenuBtn->Width(), 72);
}

TEST(TitleBar, ItemSizesFollowGlyphAndCaption) {
  fwtest::TestForm form;
  auto* bar = new TkTitleBar(form.form);
  TkcTitleBarItem& glyph = bar->Add();
  SolidGlyph(glyph.Glyph, 32, 16, RGB(255, 0, 255), RGB(0, 0, 200));
  glyph.NumGlyphs = 2;
  glyph.UpdateSize(false);
  EXPECT_EQ(glyph.Width, 22);
  EXPECT_EQ(glyph.Height, 22);
  TkcTitleBarItem& empty = bar->Add();
  empty.UpdateSize(false);
  EXPECT_EQ(empty.Width, 16);
  EXPECT_EQ(empty.Height, 16);
  TkcTitleBarItem& tab = bar->Add();
  tab.Style = bsTab;
  tab.Caption = u"Pages";
  tab.UpdateSize(false);
  HFONT caption = CreateCaptionFont();
  const fw::TPoint text = MeasureTextWithFont(caption, u"Pages", DT_SINGLELINE, false, 0);
  DeleteObject(caption);
  EXPECT_EQ(tab.Width, std::max(16, text.x + 4 + 6));
  EXPECT_EQ(tab.Height, std::max(16, text.y + 1 + 6));
}

TEST(TitleBar, TabsOfAGroupAreDownOneAtATime) {
  fwtest::TestForm form;
  auto* bar = new TkTitleBar(form.form);
  int clicks[3] = {0, 0, 0};
  struct Counter : fw::TObject {
    int* n;
    void Click(fw::TObject*) { ++*n; }
  } counters[3];
  for (int i = 0; i < 3; ++i) {
    TkcTitleBarItem& t = bar->Add();
    t.Style = bsTab;
    t.GroupIndex = i < 2 ? 1 : 2;
    counters[i].n = &clicks[i];
    t.OnClick = fw::TNotifyEvent(&counters[i], &Counter::Click);
  }
  bar->Items[0]->SetDown(true);
  bar->Items[2]->SetDown(true);
  bar->Items[0]->DoMouseDown();
  EXPECT_EQ(clicks[0], 0) << "a tab already down changes nothing";
  EXPECT_TRUE(bar->Items[0]->Down());
  bar->Items[0]->DoMouseUp();
  bar->Items[1]->DoMouseDown();
  EXPECT_EQ(clicks[1], 1);
  EXPECT_FALSE(bar->Items[0]->Down());
  EXPECT_TRUE(bar->Items[1]->Down());
  EXPECT_EQ(bar->Items[1]->ItemState(), 2);
  EXPECT_TRUE(bar->Items[2]->Down()) << "another group is left alone";
}

TEST(TitleBar, DropDownShowsPressedAndSurvivesItsItemGoing) {
  fwtest::TestForm form;
  auto* bar = new TkTitleBar(form.form);
  auto* menu = new fw::TPopupMenu(form.form);
  menu->Items()->Add(new fw::TMenuItem(menu));
  TkcTitleBarItem& item = bar->Add();
  item.Style = bsMenu;
  item.DropdownMenu = menu;
  item.Rect = fw::Rect(10, 2, 60, 22);
  int stateWhileOpen = -1;
  fw::TPoint at;
  bar->DropMenu = [&](TkcTitleBarItem& i, fw::TPoint p) {
    stateWhileOpen = i.ItemState();
    at = p;
  };
  struct Counter : fw::TObject {
    int n = 0;
    void Click(fw::TObject*) { ++n; }
  } counter;
  item.OnClick = fw::TNotifyEvent(&counter, &Counter::Click);
  item.DoMouseDown();
  EXPECT_EQ(stateWhileOpen, 2);
  RECT wr{};
  GetWindowRect(form->Handle(), &wr);
  EXPECT_EQ(at, (fw::TPoint{wr.left + 10, wr.top + 22})) << "below the item";
  EXPECT_EQ(item.ItemState(), 0);
  EXPECT_EQ(counter.n, 1);
  // A command that frees the item: nothing touches it afterwards.
  item.FPressed = false;
  bar->DropMenu = [&](TkcTitleBarItem&, fw::TPoint) { bar->Items.clear(); };
  item.DoMouseDown();
  EXPECT_TRUE(bar->Items.empty());
}

TEST(TitleBar, HoverFadeShowsTheItemsOwnImageOrYellow) {
  fwtest::TestForm form;
  form->Show();
  auto* bar = new TkTitleBar(form.form);
  TkcTitleBarItem& item = bar->Add();
  item.Rect = fw::Rect(20, 2, 44, 22);
  item.FState = 1;
  StartItemAnimation(item, 10, true, nullptr);
  ASSERT_TRUE(item.Timer && item.Timer->NewBmp && item.Timer->AForm);
  EXPECT_EQ(View32(*item.Timer->NewBmp).Pixel(5, 5), 0xFFFFFF00u) << "without a painter: yellow";
  item.Timer->SetEnabled(false);
  for (int i = 0; i < 12; ++i) item.Timer->Tick();
  EXPECT_EQ(item.Timer->Fade.MaxIterations, -1);
  const HWND w = item.Timer->AForm->Handle();
  EXPECT_TRUE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  item.Timer.reset();
  EXPECT_FALSE(IsWindow(w));
}

// A title strip of the program's skin with caption-free items painted on it.
struct Strip {
  std::unique_ptr<TkLoadedSkin> skin = Sapphire();
  fwtest::TestForm form;
  TkTitleBar* bar = new TkTitleBar(form.form);
  std::unique_ptr<fw::TBitmap> image = NewBitmap32(240, 30);
  TkTitlePaintContext ctx;
  Strip() {
    ctx.Skin = skin.get();
    ctx.TitleSkinIndex = skin->GetSkinIndex(u"FORMTITLE");
    ctx.CacheBmp = image.get();
    bar->FBarRect = fw::Rect(0, 2, 240, 30);
    bar->FBarVCenter = 16;
    bar->FFullRight = 240;
    Background();
  }
  void Background() { FillRectAlpha(View32(*image), fw::Rect(0, 0, 240, 30), 0xE0D0C0, 255); }
  TkcTitleBarItem& Item(TkcBtnStyle style, int width, int height) {
    TkcTitleBarItem& i = bar->Add();
    i.Style = style;
    i.Width = width;
    i.Height = height;
    i.AutoSize = false;
    InitItemSkin(i, *skin);
    return i;
  }
  void Paint(TkcTitleBarItem& i) { DrawTitleBarItem(ctx, i, i.Rect, *image, false); }
};

TEST(TitleBarPaint, ItemsPaintedIntoTheTitle) {
  Strip s;
  auto* menu = new fw::TPopupMenu(s.form.form);
  TkcTitleBarItem& button = s.Item(bsButton, 24, 22);
  SolidGlyph(button.Glyph, 16, 16, RGB(255, 0, 255), RGB(30, 90, 200));
  button.FState = 1;
  TkcTitleBarItem& menuBtn = s.Item(bsMenu, 40, 24);
  (void)menu;
  TkcTitleBarItem& tabDown = s.Item(bsTab, 36, 24);
  tabDown.SetDown(true);
  TkcTitleBarItem& tabUp = s.Item(bsTab, 36, 24);
  TkcTitleBarItem& disabled = s.Item(bsButton, 24, 22);
  SolidGlyph(disabled.Glyph, 16, 16, RGB(255, 0, 255), RGB(30, 90, 200));
  disabled.Enabled = false;
  s.bar->CalcSizes();
  EXPECT_EQ(button.Data.SkinSection, u"TOOLBUTTON");
  EXPECT_EQ(tabDown.Data.SkinSection, u"TABTOP");
  EXPECT_LT(menuBtn.Data.SkinIndex, 0) << "no menu-button section in the program's skins";
  for (auto& i : s.bar->Items) s.Paint(*i);
  GdiFlush();
  {
    // Four times as large, for looking at.
    fw::TBitmap bigBmp;
    bigBmp.SetPixelFormat(fw::pf24bit);
    bigBmp.SetSize(960, 120);
    fw::TBitmap* big = &bigBmp;
    StretchBlt(big->Canvas()->Handle(), 0, 0, 960, 120, s.image->Canvas()->Handle(), 0, 0, 240, 30, SRCCOPY);
    GdiFlush();
    scenarios::SavePng(big, scenarios::ScreenshotPath("title_bar_items.png"));
  }
  const TPixelView32 v = View32(*s.image);
  const uint32_t bg = v.Pixel(239, 0);
  // The built-in menu button: its border row along the top.
  EXPECT_EQ(v.Pixel(menuBtn.Rect.Left + 20, menuBtn.Rect.Top), 0xFF26344Au);
  // The tab that is not down starts two rows lower.
  auto firstPainted = [&](const TkcTitleBarItem& t) {
    const int x = (t.Rect.Left + t.Rect.Right) / 2;
    for (int y = 0; y < 30; ++y)
      if (v.Pixel(x, y) != bg) return y;
    return -1;
  };
  EXPECT_EQ(firstPainted(tabUp), firstPainted(tabDown) + 2);
  // The disabled glyph is half the glyph over half the title.
  const uint32_t half = v.Pixel(disabled.Rect.Left + 3 + 8, disabled.Rect.Top + 3 + 8);
  const uint32_t full = v.Pixel(button.Rect.Left + 3 + 8, button.Rect.Top + 3 + 8);
  EXPECT_EQ(full & 0xFFFFFF, 0x1E5AC8u);
  EXPECT_NEAR(static_cast<int>(half & 0xFF), (0xC8 + static_cast<int>(bg & 0xFF)) / 2, 2);
  // Golden of the whole strip (no text on it).
  EXPECT_EQ(PixelChecksum(v), 7769032380094980837ull) << "golden";
}

}  // namespace
}  // namespace skin
