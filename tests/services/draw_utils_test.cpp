// The drawing and window routines of the component layer, drawn into
// bitmaps and checked by their pixels.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "fw/core/cursors.h"
#include "fw/graphics/graphics.h"
#include "fw/graphics/imagelist.h"
#include "fw/system/screen.h"
#include "services/ckdrawutils.h"
#include "services/ckutils.h"

using namespace services;
using fw::Rect;
using fw::TBitmap;
using fw::TColor;

namespace {

std::unique_ptr<TBitmap> Filled(int w, int h, TColor color) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect(Rect(0, 0, w, h));
  return b;
}

// A 4x4 glyph: a red cross on a lime key colour, lime in the bottom-left.
std::unique_ptr<TBitmap> Glyph() {
  auto g = Filled(4, 4, fw::clLime);
  for (int i = 0; i < 4; ++i) {
    g->Canvas()->SetPixel(i, 1, fw::clRed);
    g->Canvas()->SetPixel(1, i, fw::clRed);
  }
  return g;
}

// Saves a rendering for a person to look at when VL_RENDER_DIR names a folder.
void KeepRendering(TBitmap* b, const char* name) {
  if (const char* dir = std::getenv("VL_RENDER_DIR")) {
    std::string path = std::string(dir) + "\\" + name + ".bmp";
    b->SaveToFile(fw::String(path.begin(), path.end()));
  }
}

TEST(DrawUtils, RectangleMeasuresAndClosedContainment) {
  EXPECT_EQ(AbsRectWidth(Rect(10, 0, 4, 0)), 6);
  EXPECT_EQ(AbsRectHeight(Rect(0, 3, 0, 10)), 7);
  const fw::TRect r = Rect(0, 0, 10, 5);
  EXPECT_TRUE(PointInClosedRect(r, {10, 5})) << "right and bottom count as inside";
  EXPECT_TRUE(PointInClosedRect(r, {0, 0}));
  EXPECT_FALSE(PointInClosedRect(r, {11, 5}));
  EXPECT_FALSE(PointInClosedRect(r, {-1, 2}));
  EXPECT_EQ(PaletteColor(fw::clRed), 0x020000FFu);
  EXPECT_EQ(PaletteColor(fw::clBtnFace) & 0xFFFFFF, GetSysColor(COLOR_BTNFACE));
}

TEST(DrawUtils, KeyedStretchLeavesTheKeyColourOutAndScales) {
  auto glyph = Glyph();
  struct Case {
    const char* name;
    TColor key;
    bool limeShows;
  };
  const Case cases[] = {{"clNone copies every pixel", fw::clNone, true},
                        {"clDefault keys on the bottom-left pixel", fw::clDefault, false},
                        {"an explicit key", fw::clLime, false}};
  for (const Case& c : cases) {
    auto dest = Filled(16, 16, fw::clBlue);
    // Stretched to twice the size at (2, 2).
    StretchBitmapKeyed(dest->Canvas(), Rect(2, 2, 10, 10), glyph.get(), Rect(0, 0, 4, 4), c.key);
    fw::TCanvas* p = dest->Canvas();
    EXPECT_EQ(p->Pixel(2 + 2, 2 + 2 * 1), fw::clRed) << c.name;
    EXPECT_EQ(p->Pixel(2 + 3, 2 + 7), fw::clRed) << c.name << ": the cross's column, stretched";
    EXPECT_EQ(p->Pixel(2 + 6, 2 + 6), c.limeShows ? fw::clLime : fw::clBlue) << c.name;
    EXPECT_EQ(p->Pixel(1, 1), fw::clBlue) << c.name << ": outside the target";
    EXPECT_EQ(p->Pixel(10, 10), fw::clBlue) << c.name;
    if (c.key == fw::clDefault) KeepRendering(dest.get(), "keyed_stretch");
  }
  // Partial source, unscaled: the part's own key pixels stay out.
  auto dest = Filled(8, 8, fw::clBlue);
  DrawBitmapPartKeyed(dest->Canvas(), 0, 0, Rect(1, 0, 3, 2), glyph.get(), fw::clLime);
  EXPECT_EQ(dest->Canvas()->Pixel(0, 0), fw::clRed);
  EXPECT_EQ(dest->Canvas()->Pixel(1, 0), fw::clBlue);
  EXPECT_EQ(dest->Canvas()->Pixel(2, 0), fw::clBlue) << "only the part is drawn";
}

TEST(DrawUtils, DisabledImageListItemIsTheShapeInShadowOverHighlight) {
  fw::TCustomImageList images(nullptr);
  images.SetWidth(4);
  images.SetHeight(4);
  auto glyph = Glyph();
  auto mask = Filled(4, 4, fw::clWhite);
  for (int i = 0; i < 4; ++i) {
    mask->Canvas()->SetPixel(i, 1, fw::clBlack);
    mask->Canvas()->SetPixel(1, i, fw::clBlack);
  }
  mask->SetMonochrome(true);
  ASSERT_EQ(images.Add(glyph.get(), mask.get()), 0);
  auto dest = Filled(8, 8, fw::clBlue);
  dest->Canvas()->Brush()->SetColor(fw::clYellow);
  DrawImageListItemDisabled(&images, dest->Canvas(), 1, 1, 0, fw::clBlack, fw::clWhite, true);
  KeepRendering(dest.get(), "disabled_item");
  fw::TCanvas* p = dest->Canvas();
  EXPECT_EQ(p->Pixel(1 + 1, 1 + 0), fw::clBlack) << "shadow on the shape";
  EXPECT_EQ(p->Pixel(1 + 0, 1 + 1), fw::clBlack);
  EXPECT_EQ(p->Pixel(1 + 3 + 1, 1 + 1 + 1), fw::clWhite) << "highlight one pixel right and down, past the shape";
  EXPECT_EQ(p->Pixel(1 + 0, 1 + 0), fw::clBlue) << "outside the shape the canvas stays";
  EXPECT_EQ(p->Brush()->Color(), fw::clYellow) << "the brush comes back";
  // No highlight wanted: only the shadow.
  auto plain = Filled(8, 8, fw::clBlue);
  DrawImageListItemDisabled(&images, plain->Canvas(), 1, 1, 0, fw::clBlack, fw::clWhite, false);
  EXPECT_EQ(plain->Canvas()->Pixel(1 + 3 + 1, 1 + 1 + 1), fw::clBlue);
  EXPECT_EQ(plain->Canvas()->Pixel(1 + 3, 1 + 1), fw::clBlack);
}

TEST(DrawUtils, ExtractBitmapCellTakesColumnAndRowOfTheIndex) {
  // 4 columns x 2 rows of 3x2 cells, each filled with its own colour.
  auto strip = Filled(12, 4, fw::clBlack);
  for (int i = 0; i < 8; ++i) {
    strip->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(i * 30, 255 - i * 30, i * 10)));
    strip->Canvas()->FillRect(fw::Bounds((i % 4) * 3, (i / 4) * 2, 3, 2));
  }
  strip->SetTransparentColor(fw::clRed);
  strip->SetTransparent(true);
  TBitmap cell;
  ExtractBitmapCell(strip.get(), &cell, 4, 2, 5);
  EXPECT_EQ(cell.Width(), 3);
  EXPECT_EQ(cell.Height(), 2);
  EXPECT_EQ(cell.Canvas()->Pixel(0, 0), static_cast<TColor>(RGB(150, 105, 50))) << "column 1 of row 1";
  EXPECT_EQ(cell.Canvas()->Pixel(2, 1), static_cast<TColor>(RGB(150, 105, 50)));
  EXPECT_TRUE(cell.Transparent());
  EXPECT_EQ(cell.TransparentColor(), fw::clRed);
  // Nonsense counts act as one cell, a negative index as the first.
  TBitmap whole;
  ExtractBitmapCell(strip.get(), &whole, 0, -3, -2);
  EXPECT_EQ(whole.Width(), 12);
  EXPECT_EQ(whole.Height(), 4);
}

TEST(DrawUtils, ScreenCursorsAndKeyState) {
  if (!fw::Screen) GTEST_SKIP() << "no screen object in this program";
  LoadScreenCursors();
  EXPECT_EQ(fw::Screen->Cursors(crCkDrag), fw::Screen->Cursors(fw::crDrag));
  EXPECT_EQ(fw::Screen->Cursors(crCkMultiDrag1), fw::Screen->Cursors(fw::crMultiDrag));
  EXPECT_EQ(fw::Screen->Cursors(crCkMultiDrag3), fw::Screen->Cursors(fw::crMultiDrag));
  BYTE saved[256];
  ASSERT_TRUE(GetKeyboardState(saved));
  BYTE state[256];
  std::copy(saved, saved + 256, state);
  state['K'] = 0x80;
  state['L'] = 0x01;
  SetKeyboardState(state);
  EXPECT_TRUE(KeyIsDown('K'));
  EXPECT_FALSE(KeyIsDown('L')) << "toggled is not down";
  SetKeyboardState(saved);
}

TEST(DrawUtils, ShowWindowUnanimatedShowsAndKeepsTheAnimationSetting) {
  ANIMATIONINFO before{sizeof(ANIMATIONINFO), 0};
  SystemParametersInfoW(SPI_GETANIMATION, sizeof before, &before, 0);
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(w);
  ShowWindowUnanimated(w, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(IsWindowVisible(w));
  ShowWindowUnanimated(w, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(w));
  DestroyWindow(w);
  ANIMATIONINFO after{sizeof(ANIMATIONINFO), 0};
  SystemParametersInfoW(SPI_GETANIMATION, sizeof after, &after, 0);
  EXPECT_EQ(after.iMinAnimate, before.iMinAnimate);
}

}  // namespace
