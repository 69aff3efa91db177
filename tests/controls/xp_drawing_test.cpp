// The XP-style drawing routines and the banded gradient fill they stand on:
// bands and dithering of gradient bitmaps, bound lines, frames, grey and
// tinted glyphs, and captions measured, placed and embossed.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/base/xp_drawing.h"
#include "fw/bitmap_test_util.h"
#include "services/ckutils.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;

namespace {

TColor PixelOf(TBitmap* b, int x, int y) { return b->Canvas()->Pixel(x, y); }

using fwtest::Canvas24;

bool SamePixels(TBitmap* a, TBitmap* b) {
  if (a->Width() != b->Width() || a->Height() != b->Height()) return false;
  for (int y = 0; y < a->Height(); ++y)
    for (int x = 0; x < a->Width(); ++x)
      if (PixelOf(a, x, y) != PixelOf(b, x, y)) return false;
  return true;
}

}  // namespace

TEST(XPGradient, UnditheredBandsAreExactAndRunFromTheFirstColourToTheLast) {
  TBitmap b;
  BuildDitheredGradient(128, 3, 0x000000, 0x0000F8, 32, gsLeftToRight, false, &b);
  ASSERT_EQ(b.Width(), 128);
  ASSERT_EQ(b.Height(), 3);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  // 32 bands of exactly 4 pixels: red rises by 8 per band.
  for (int band = 0; band < 32; ++band)
    for (int x = band * 4; x < band * 4 + 4; ++x) EXPECT_EQ(PixelOf(&b, x, 1), band * 8) << "column " << x;
  // Style 2 exchanges the colours, style 1 runs from top to bottom.
  BuildDitheredGradient(128, 3, 0x000000, 0x0000F8, 32, gsLeftToRightSwapped, false, &b);
  EXPECT_EQ(PixelOf(&b, 0, 0), 0x0000F8);
  EXPECT_EQ(PixelOf(&b, 127, 0), 0x000000);
  BuildDitheredGradient(5, 64, 0xFFFFFF, 0x000000, 64, gsTopToBottom, false, &b);
  EXPECT_EQ(PixelOf(&b, 2, 0), 0xFFFFFF);
  EXPECT_EQ(PixelOf(&b, 2, 63), 0x000000);
  EXPECT_EQ(PixelOf(&b, 4, 32), PixelOf(&b, 0, 32));
}

TEST(XPGradient, ZeroSizeLeavesTheBitmapAndFewColoursGiveAPlainFill) {
  TBitmap b;
  BuildDitheredGradient(10, 10, 0x00FF00, 0x0000FF, 8, gsLeftToRight, false, &b);
  BuildDitheredGradient(0, 5, 0xFFFFFF, 0x000000, 8, gsLeftToRight, true, &b);
  BuildDitheredGradient(5, 0, 0xFFFFFF, 0x000000, 8, gsLeftToRight, true, &b);
  EXPECT_EQ(b.Width(), 10);
  EXPECT_EQ(PixelOf(&b, 0, 0), 0x00FF00);
  // One colour or none: no band steps to divide, one plain colour, dithered
  // or not.
  for (uint8_t colors : {0, 1}) {
    for (bool dithered : {false, true}) {
      BuildDitheredGradient(40, 20, 0x00FF00, 0x0000FF, colors, gsLeftToRight, dithered, &b);
      for (int x : {0, 20, 39}) EXPECT_EQ(PixelOf(&b, x, 19), 0x00FF00) << int(colors) << " " << dithered;
    }
  }
}

TEST(XPGradient, DitheringIsReproducibleWithASeedAndOnlyBorrowsThePreviousBand) {
  TBitmap a, b, plain;
  SeedDitherRandom(7);
  BuildDitheredGradient(64, 40, 0x000000, 0x0000F0, 16, gsLeftToRight, true, &a);
  SeedDitherRandom(7);
  BuildDitheredGradient(64, 40, 0x000000, 0x0000F0, 16, gsLeftToRight, true, &b);
  EXPECT_TRUE(SamePixels(&a, &b));
  BuildDitheredGradient(64, 40, 0x000000, 0x0000F0, 16, gsLeftToRight, false, &plain);
  bool anyDither = false;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 64; ++x) {
      TColor got = PixelOf(&a, x, y), want = PixelOf(&plain, x, y);
      if (got == want) continue;
      anyDither = true;
      // A dithered pixel lies in the first columns of its band and shows
      // the band before it.
      int start = x - x % 4;
      EXPECT_GT(start, 0);
      EXPECT_EQ(got, PixelOf(&plain, start - 1, y)) << x << "," << y;
    }
    // The pattern repeats every 16 rows.
    if (y >= 16) {
      for (int x = 0; x < 64; ++x) EXPECT_EQ(PixelOf(&a, x, y), PixelOf(&a, x, y % 16));
    }
  }
  EXPECT_TRUE(anyDither);
}

TEST(XPGradient, GradientFillBandsSplitsTheExtentIntoBands) {
  auto b = Canvas24(10, 100, clWhite);
  TCanvas* c = b->Canvas();
  // 255 colours over 100 rows: 100 one-pixel bands from start to end.
  services::GradientFillBands(c, Rect(0, 0, 10, 100), 0x000000, 0x000063, services::gdTopToBottom, 255);
  for (int y : {0, 1, 50, 99}) EXPECT_EQ(PixelOf(b.get(), 5, y), y) << y;
  // Three colours over 100 rows: bands of 33, the last row in the end colour.
  services::GradientFillBands(c, Rect(0, 0, 10, 100), 0x000000, 0x0000C8, services::gdTopToBottom, 3);
  EXPECT_EQ(PixelOf(b.get(), 5, 0), 0x000000);
  EXPECT_EQ(PixelOf(b.get(), 5, 32), 0x000000);
  EXPECT_EQ(PixelOf(b.get(), 5, 33), 0x000064);
  EXPECT_EQ(PixelOf(b.get(), 5, 98), 0x0000C8);
  EXPECT_EQ(PixelOf(b.get(), 5, 99), 0x0000C8);
  // Bottom to top exchanges the colours.
  services::GradientFillBands(c, Rect(0, 0, 10, 100), 0x000000, 0x000063, services::gdBottomToTop, 255);
  EXPECT_EQ(PixelOf(b.get(), 5, 0), 0x000063);
  EXPECT_EQ(PixelOf(b.get(), 5, 99), 0x000000);
  // Equal colours or fewer than two: one plain fill of the start colour.
  services::GradientFillBands(c, Rect(0, 0, 10, 100), 0x00FF00, 0x00FF00, services::gdLeftToRight, 255);
  EXPECT_EQ(PixelOf(b.get(), 9, 99), 0x00FF00);
  services::GradientFillBands(c, Rect(0, 0, 10, 100), 0xFF0000, 0x0000FF, services::gdLeftToRight, 1);
  EXPECT_EQ(PixelOf(b.get(), 9, 99), 0xFF0000);
}

TEST(XPBoundLines, LinesAndTheRectangleTheyLeave) {
  auto b = Canvas24(10, 10, clWhite);
  PaintBoundLines(b->Canvas(), TCkXPBoundLines{blBottom}, 0x0000FF, Rect(0, 0, 10, 10));
  for (int x = 0; x < 10; ++x) EXPECT_EQ(PixelOf(b.get(), x, 9), 0x0000FF) << x;
  EXPECT_EQ(PixelOf(b.get(), 0, 8), clWhite);
  PaintBoundLines(b->Canvas(), TCkXPBoundLines{blLeft, blRight}, 0x00FF00, Rect(0, 0, 10, 10));
  EXPECT_EQ(PixelOf(b.get(), 0, 0), 0x00FF00);
  EXPECT_EQ(PixelOf(b.get(), 9, 8), 0x00FF00);

  struct Case {
    int border;
    bool show;
    TCkXPBoundLines lines;
    TRect want;
  } cases[] = {
      {0, true, {}, Rect(0, 0, 20, 20)},
      {2, true, {}, Rect(2, 2, 18, 18)},
      {0, true, {blLeft, blBottom}, Rect(1, 0, 20, 19)},
      {1, true, {blLeft, blTop, blRight, blBottom}, Rect(2, 2, 18, 18)},
      {1, false, {blLeft, blTop, blRight, blBottom}, Rect(1, 1, 19, 19)},
  };
  for (const Case& c : cases) {
    TRect r = Rect(0, 0, 20, 20);
    ShrinkForBoundLines(c.border, c.show, c.lines, r);
    EXPECT_EQ(r, c.want) << c.border << " " << c.show;
  }
}

TEST(XPGlyphs, LightenToGrayAndTintBlackPixels) {
  auto b = Canvas24(4, 1, clWhite);
  b->Canvas()->SetPixel(0, 0, 0x000000);  // grey 0 -> 100
  b->Canvas()->SetPixel(1, 0, 0x0000FF);  // 85 -> 185
  b->Canvas()->SetPixel(2, 0, 0x9C9C9C);  // 156 -> 255
  b->Canvas()->SetPixel(3, 0, 0x9B9B9B);  // 155 -> 255
  LightenToGray(b.get());
  EXPECT_EQ(PixelOf(b.get(), 0, 0), 0x646464);
  EXPECT_EQ(PixelOf(b.get(), 1, 0), 0xB9B9B9);
  EXPECT_EQ(PixelOf(b.get(), 2, 0), 0xFFFFFF);
  EXPECT_EQ(PixelOf(b.get(), 3, 0), 0xFFFFFF);

  auto t = Canvas24(3, 1, clWhite);
  t->Canvas()->SetPixel(0, 0, 0x000000);
  t->Canvas()->SetPixel(1, 0, 0x010000);
  TintBlackPixels(t.get(), 0x21A621);
  EXPECT_EQ(PixelOf(t.get(), 0, 0), 0x21A621);
  EXPECT_EQ(PixelOf(t.get(), 1, 0), 0x010000);
  EXPECT_EQ(PixelOf(t.get(), 2, 0), clWhite);
}

TEST(XPFrame, FlatFrameTopLeftAndBottomRight) {
  auto b = Canvas24(10, 10, clWhite);
  PaintFlatFrame(b->Canvas(), Rect(0, 0, 10, 10), 0x0000FF, 0xFF0000, false);
  EXPECT_EQ(PixelOf(b.get(), 0, 5), 0x0000FF);
  EXPECT_EQ(PixelOf(b.get(), 5, 0), 0x0000FF);
  EXPECT_EQ(PixelOf(b.get(), 9, 5), 0xFF0000);
  EXPECT_EQ(PixelOf(b.get(), 5, 9), 0xFF0000);
  PaintFlatFrame(b->Canvas(), Rect(0, 0, 10, 10), 0x0000FF, 0xFF0000, true);
  EXPECT_EQ(PixelOf(b.get(), 5, 0), 0xFF0000);
  EXPECT_EQ(PixelOf(b.get(), 9, 5), 0x0000FF);
}

TEST(XPCaption, FlagsFollowAlignmentAndWrapping) {
  EXPECT_EQ(CaptionTextFlags(fw::taLeftJustify, false), UINT(DT_END_ELLIPSIS | DT_SINGLELINE));
  EXPECT_EQ(CaptionTextFlags(fw::taRightJustify, true), UINT(DT_END_ELLIPSIS | DT_RIGHT | DT_WORDBREAK));
  EXPECT_EQ(CaptionTextFlags(fw::taCenter, false), UINT(DT_END_ELLIPSIS | DT_CENTER | DT_SINGLELINE));
}

TEST(XPCaption, MeasuresALoneAmpersandAsOneLineAndEmbossesDisabledText) {
  fwtest::TestForm form;
  auto b = Canvas24(120, 40, clWhite);
  TFont font;
  font.SetName(u"Tahoma");
  font.SetSize(10);
  font.SetColor(clBlack);
  TRect r = Rect(0, 0, 100, 30);
  PaintCaptionText(form.form, b->Canvas(), u"&", &font, true, true, r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_GT(r.Height(), 5);
  r = Rect(0, 0, 100, 30);
  PaintCaptionText(form.form, b->Canvas(), u"", &font, true, true, r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_GT(r.Height(), 5);

  // Disabled: highlight one pixel right and down, shadow on top. The
  // background is neither of the two.
  auto d = Canvas24(120, 40, 0x808000);
  d->Canvas()->Brush()->SetStyle(bsClear);
  r = Rect(0, 0, 100, 30);
  PaintCaptionText(form.form, d->Canvas(), u"IIII", &font, false, true, r, DT_SINGLELINE);
  const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
  TRect s{1000, 1000, -1, -1}, l{1000, 1000, -1, -1};
  auto grow = [](TRect& box, int x, int y) {
    box = Rect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x), std::max(box.Bottom, y));
  };
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) {
      TColor p = PixelOf(d.get(), x, y);
      if (p == shadow) grow(s, x, y);
      if (p == light) grow(l, x, y);
    }
  }
  ASSERT_GE(s.Right, 0);
  ASSERT_GE(l.Right, 0);
  EXPECT_EQ(l.Right, s.Right + 1);
  EXPECT_EQ(l.Bottom, s.Bottom + 1);
}

TEST(XPCaption, PlaceCaptionTextCentresVertically) {
  fwtest::TestForm form;
  auto b = Canvas24(200, 60, clWhite);
  TFont font;
  font.SetName(u"Tahoma");
  font.SetSize(8);
  font.SetColor(clBlack);
  b->Canvas()->Brush()->SetStyle(bsClear);
  TRect r = Rect(10, 0, 200, 60);
  PlaceCaptionText(form.form, b->Canvas(), u"Text", &font, true, true, fw::taLeftJustify, true, r);
  EXPECT_EQ(r.Left, 10);
  EXPECT_NEAR(r.Top + r.Height() / 2, 30, 1);
  r = Rect(0, 0, 200, 60);
  PlaceCaptionText(form.form, b->Canvas(), u"Text", &font, true, true, fw::taRightJustify, false, r);
  EXPECT_EQ(r.Right, 200);
}
