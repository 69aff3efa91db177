#include "app/core/pixel_ops.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace app;

namespace {

PixelBuffer Uniform(int w, int h, TColor c, int bpp = 3) { return PixelBuffer(w, h, bpp, c); }

// Pixel (x, y) gets the colour f(x, y).
template <class F>
PixelBuffer Pattern(int w, int h, F f, int bpp = 3) {
  PixelBuffer b(w, h, bpp);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.View().SetColor(x, y, f(x, y));
  return b;
}

TColor Gray(int g) { return g * 0x010101; }

}  // namespace

TEST(Rounding, RoundIsHalfToEvenAndMulDivHalfAwayFromZero) {
  struct { double v; int want; } rounds[] = {
      {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2},
      {2.4999, 2}, {2.5001, 3}, {-0.4, 0}, {7.0, 7},
  };
  for (auto c : rounds) EXPECT_EQ(RoundHalfEven(c.v), c.want) << c.v;

  struct { int a, b, c, want; } muls[] = {
      {1, 1, 2, 1}, {-1, 1, 2, -1}, {3, 1, 2, 2}, {5, 1, 2, 3}, {1, 65536, 4, 16384},
      {7, 3, 0, -1}, {-7, 1, -2, 4}, {100000, 100000, 1, -1}, {255, 255, 255, 255},
  };
  for (auto c : muls) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.want) << c.a << "*" << c.b << "/" << c.c;

  EXPECT_EQ(ClampByte(256), 255);
  EXPECT_EQ(ClampByte(-1), 0);
  EXPECT_EQ(ClampByte(17), 17);
  EXPECT_EQ(ClampInt(5, 0, 3), 3);
  EXPECT_EQ(ClampInt(-5, 0, 3), 0);
  // high wins over low when the range is inverted, as the routine is written.
  EXPECT_EQ(ClampInt(5, 9, 3), 3);
}

TEST(ColourConversion, TriplesTakeTheBytesOfTheColourValue) {
  EXPECT_EQ(ColorToRGBTriple(0x00336699), MakeRGBTriple(0x99, 0x66, 0x33));
  TRGBTriple t = ColorToRGBTriple(0x000000FF);
  EXPECT_EQ(t.rgbtRed, 255);
  EXPECT_EQ(t.rgbtGreen, 0);
  EXPECT_EQ(t.rgbtBlue, 0);
}

TEST(ColourConversion, RgbToHsvGoldenValues) {
  struct { int rgb; THsv want; } cases[] = {
      {0xFF0000, {0, 255, 255}},    // red
      {0x0000FF, {240, 255, 255}},  // blue
      {0x00FF00, {120, 255, 255}},  // green
      {0x808080, {0, 0, 128}},      // gray
      {0x000000, {0, 0, 0}},
      {0xFF00FF, {300, 255, 255}},  // magenta: negative hue wraps
      {0x804020, {20, 191, 128}},   // hue MulDiv(0x40-0x20, 60, 0x60) = 20, sat MulDiv(96,255,128)=191
  };
  for (auto c : cases) EXPECT_EQ(RGBToHSV(c.rgb), c.want) << std::hex << c.rgb;
}

TEST(ColourConversion, HsvToRgbGoldenValues) {
  struct { int h, s, v; TRGBTriple want; } cases[] = {
      {360, 255, 255, MakeRGBTriple(255, 0, 0)},
      {0, 255, 255, MakeRGBTriple(255, 0, 0)},
      {120, 0, 77, MakeRGBTriple(77, 77, 77)},
      {120, 255, 255, MakeRGBTriple(0, 255, 0)},
      {240, 255, 255, MakeRGBTriple(0, 0, 255)},
      // sector 0, f = 30: t = 200 - 128*200*30 div 15300 = 200 - 50
      {30, 128, 200, MakeRGBTriple(200, 150, 200 - 128 * 200 / 255)},
      {400, 255, 255, MakeRGBTriple(0, 0, 0)},  // sector 6: none of the six
  };
  for (auto c : cases) EXPECT_EQ(HSVToRGBTriple(c.h, c.s, c.v), c.want) << c.h << "," << c.s << "," << c.v;
}

TEST(ColourOps, ContrastMovesAwayFromTheMiddleAndClamps) {
  PixelBuffer b = Pattern(3, 1, [](int x, int) { return x == 0 ? Gray(200) : x == 1 ? Gray(27) : Gray(127); });
  AdjustContrast(b.View(), 225);
  EXPECT_EQ(b.View().ColorAt(0, 0), Gray(255));  // 200 + 73*225/255 = 264
  EXPECT_EQ(b.View().ColorAt(1, 0), Gray(0));    // 27 - 100*225/255 = -61
  EXPECT_EQ(b.View().ColorAt(2, 0), Gray(127));

  PixelBuffer n = Pattern(2, 1, [](int x, int) { return x == 0 ? Gray(227) : Gray(27); });
  AdjustContrast(n.View(), -225);
  EXPECT_EQ(n.View().ColorAt(0, 0), Gray(227 - 100 * 225 / 255));
  EXPECT_EQ(n.View().ColorAt(1, 0), Gray(27 + 100 * 225 / 255));
}

TEST(ColourOps, BrightnessAddsAndLimits) {
  PixelBuffer src = Pattern(2, 1, [](int x, int) { return x == 0 ? TColor(0x0A80F0) : TColor(0x000005); });
  PixelBuffer dst(2, 1);
  AdjustBrightness(src.View(), dst.View(), 20);
  EXPECT_EQ(dst.View().ColorAt(0, 0), 0x1E94FF);
  AdjustBrightness(src.View(), dst.View(), -10);
  EXPECT_EQ(dst.View().ColorAt(0, 0), 0x0076E6);
  EXPECT_EQ(dst.View().ColorAt(1, 0), 0x000000);
}

TEST(ColourOps, HsvAdjustReplacesHueAndMeasuresDistances) {
  // Pure green (hue 120, s 255, v 255) and a dark orange (hue 20, s 191, v 128).
  PixelBuffer src = Pattern(2, 1, [](int x, int) { return x == 0 ? TColor(0x00FF00) : TColor(0x204080); });
  PixelBuffer dst(2, 1);
  AdjustHsv(src.View(), dst.View(), 0, 0, 255);
  // hue 0, saturation |0 - S| = S, value |255 - V|.
  EXPECT_EQ(dst.View().ColorAt(0, 0), 0x000000);  // V = 0
  TRGBTriple want = HSVToRGBTriple(0, 191, 127);
  EXPECT_EQ(dst.View().ColorAt(1, 0), want.rgbtRed | want.rgbtGreen << 8 | want.rgbtBlue << 16);

  // (0, 0, 0): the round trip through HSV, close to the source.
  AdjustHsv(src.View(), dst.View(), 0, 0, 0);
  EXPECT_EQ(dst.View().ColorAt(0, 0), 0x00FF00);
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(dst.View().At(1, 0)[c], src.View().At(1, 0)[c], 2);
}

TEST(ColourOps, GraysBlackAndWhiteAndInvert) {
  // GrayscaleForGrab rounds (3R + 6G + B) / 10 with halves to even.
  struct { TColor c; int gray; } grab[] = {
      {0x000005, 2},   // R 5: 1.5 -> 2
      {0x050000, 0},   // B 5: 0.5 -> 0
      {0x190000, 2},   // B 25: 2.5 -> 2
      {0xFFFFFF, 255},
      {0x0000FF, 76},  // R 255: 76.5 -> 76
      {0x00FF00, 153},
  };
  for (auto c : grab) {
    PixelBuffer b = Uniform(1, 1, c.c);
    GrayscaleForGrab(b.View());
    EXPECT_EQ(b.View().ColorAt(0, 0), Gray(c.gray)) << std::hex << c.c;
  }
  PixelBuffer g = Uniform(1, 1, 0x102030);
  GrayscaleImage(g.View());
  EXPECT_EQ(g.View().ColorAt(0, 0), Gray((77 * 0x30 + 151 * 0x20 + 28 * 0x10) >> 8));

  PixelBuffer bw = Pattern(3, 1, [](int x, int) { return x == 0 ? kWhite : x == 1 ? TColor(0xFFFFFE) : TColor(0x123456); });
  MakeBlackAndWhite(bw.View());
  EXPECT_EQ(bw.View().ColorAt(0, 0), kWhite);
  EXPECT_EQ(bw.View().ColorAt(1, 0), kInk);
  EXPECT_EQ(bw.View().ColorAt(2, 0), kInk);

  // One row, padding included (width 1 x 3 bytes + 1 byte padding).
  PixelBuffer inv = Uniform(1, 1, 0x0000FF);
  PixelView v = inv.View();
  v.Row(0)[3] = 0x10;
  InvertImage(v);
  EXPECT_EQ(v.ColorAt(0, 0), 0xFFFF00);
  EXPECT_EQ(v.Row(0)[3], 0xEF);
  PixelBuffer inv32 = Uniform(2, 2, 0x00FF00, 4);
  InvertImage(inv32.View());
  EXPECT_EQ(inv32.View().ColorAt(1, 1), 0xFF00FF);
}

TEST(Filters, SmoothAveragesFourNeighboursInPlaceInsideTheBorder) {
  // A single white dot at (2, 2) of a black 5 x 5 image.
  PixelBuffer b = Pattern(5, 5, [](int x, int y) { return x == 2 && y == 2 ? kWhite : kInk; });
  SmoothImage(b.View());
  PixelView v = b.View();
  EXPECT_EQ(v.ColorAt(2, 1), Gray(63));  // below is white: 255 >> 2
  EXPECT_EQ(v.ColorAt(3, 1), Gray(15));  // its left neighbour is already 63
  EXPECT_EQ(v.ColorAt(1, 2), Gray(63));  // right neighbour is white
  EXPECT_EQ(v.ColorAt(2, 2), Gray(31));  // (63 above + 63 left) >> 2, the centre not counted
  EXPECT_EQ(v.ColorAt(3, 2), Gray(11));  // (15 + 31) >> 2
  EXPECT_EQ(v.ColorAt(2, 3), Gray(11));  // (31 + 15) >> 2
  for (int i = 0; i < 5; ++i) {                  // the border is untouched
    EXPECT_EQ(v.ColorAt(i, 0), kInk);
    EXPECT_EQ(v.ColorAt(0, i), kInk);
  }
  // Coordinates in any order; images too small for an inner pixel stay as they are.
  PixelBuffer small = Uniform(2, 2, kWhite);
  SmoothRect(small.View(), 5, 5, -3, -3);
  EXPECT_EQ(small.View().ColorAt(1, 1), kWhite);
}

TEST(Filters, ConvolutionSizesKernelsAndSmallImages) {
  const TKernel3x3 edge = {{{-1, -1, -1}, {-1, 8, -1}, {-1, -1, -1}}};
  PixelBuffer flat = Uniform(3, 3, 0x808080);
  auto [w, h] = ConvolvedSize(3, 3);
  ASSERT_EQ(w, 1);
  ASSERT_EQ(h, 1);
  PixelBuffer out(w, h);
  Convolve3x3(flat.View(), out.View(), edge, 0);
  EXPECT_EQ(out.View().ColorAt(0, 0), kInk);

  // The first kernel index runs along the row: weight only the right column.
  const TKernel3x3 right = {{{0, 0, 0}, {0, 0, 0}, {0, 2, 0}}};
  PixelBuffer ramp = Pattern(4, 3, [](int x, int) { return Gray(x * 50); });
  auto [w2, h2] = ConvolvedSize(4, 3);
  PixelBuffer out2(w2, h2);
  Convolve3x3(ramp.View(), out2.View(), right, 10);
  EXPECT_EQ(out2.View().ColorAt(0, 0), Gray(110));  // 2*100 / 2 + 10
  EXPECT_EQ(out2.View().ColorAt(1, 0), Gray(160));

  // Images smaller than the kernel give an empty result and read nothing.
  for (auto [sw, sh] : {std::pair{1, 1}, std::pair{2, 5}, std::pair{5, 1}}) {
    auto [cw, chh] = ConvolvedSize(sw, sh);
    EXPECT_EQ(cw * chh, 0);
    PixelBuffer s = Uniform(sw, sh, kWhite);
    PixelBuffer d(1, 1, 3, 0x123456);
    Convolve3x3(s.View(), d.View(), edge, 0);
    EXPECT_EQ(d.View().ColorAt(0, 0), 0x123456);
  }
}

TEST(Geometry, RotatedSizeGoldenValues) {
  struct { int w, h; double angle; int scale; int ww, wh; } cases[] = {
      {100, 50, 90, 100, 50, 100}, {100, 50, 0, 30, 30, 15},  {200, 100, 90, 100, 100, 200},
      {100, 50, -90, 100, 50, 100}, {100, 50, 450, 100, 50, 100}, {100, 100, 45, 100, 141, 141},
      {5, 5, 0, 10, 1, 1},  // scaled sizes are at least 1
      {25, 10, 0, 10, 2, 1},  // round(2.5) = 2 (half to even)
      {35, 10, 0, 10, 4, 1},  // round(3.5) = 4
      {40000, 20000, 0, 100, 40000, 20000},  // no 16-bit wrap
  };
  for (auto c : cases) {
    auto [w, h] = RotatedSize(c.w, c.h, c.angle, c.scale);
    EXPECT_EQ(w, c.ww) << c.w << "x" << c.h << " @" << c.angle << " " << c.scale << "%";
    EXPECT_EQ(h, c.wh) << c.w << "x" << c.h << " @" << c.angle << " " << c.scale << "%";
  }
}

TEST(Geometry, RotationTurnsClockwiseAboutTheCentre) {
  // 4 x 2 image, the red pixel at its top-left corner.
  PixelBuffer src = Pattern(4, 2, [](int x, int y) { return x == 0 && y == 0 ? TColor(0x0000FF) : kInk; });
  auto [w, h] = RotatedSize(4, 2, 90, 100);
  ASSERT_EQ(w, 2);
  ASSERT_EQ(h, 4);
  PixelBuffer dst(w, h);
  RotateBilinear(src.View(), dst.View(), w / 2, 90, h / 2);
  // Clockwise: the top-left corner goes to the top-right.
  EXPECT_EQ(dst.View().ColorAt(1, 0), 0x0000FF);
  EXPECT_EQ(dst.View().ColorAt(0, 0), kInk);
  EXPECT_EQ(dst.View().ColorAt(0, 3), kInk);

  // Angle 0 keeps the picture.
  PixelBuffer pic = Pattern(5, 3, [](int x, int y) { return Gray(x * 40 + y * 10); });
  PixelBuffer same(5, 3);
  RotateBilinear(pic.View(), same.View(), 5 / 2, 0, 3 / 2);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(same.View().ColorAt(x, y), pic.View().ColorAt(x, y));

  // A source one pixel wide stays inside its pixels.
  PixelBuffer thin = Uniform(1, 6, 0x00FF00);
  auto [tw, th] = RotatedSize(1, 6, 30, 100);
  PixelBuffer out(tw, th);
  RotateBilinear(thin.View(), out.View(), tw / 2, 30, th / 2);
  int green = 0;
  for (int y = 0; y < th; ++y)
    for (int x = 0; x < tw; ++x) green += out.View().ColorAt(x, y) == 0x00FF00;
  EXPECT_GT(green, 0);
}

TEST(Geometry, ResizeUsesFixedPointStepsAndStaysInsideTheSource) {
  // 2 x 2 -> 4 x 4: xstep = MulDiv(1, 65536, 4) = 16384.
  PixelBuffer src = Pattern(2, 2, [](int x, int y) { return Gray(x == 1 ? 200 : 0) + (y == 1 ? 0x10 : 0); });
  PixelBuffer dst(4, 4);
  ResizeBilinear(src.View(), dst.View());
  PixelView d = dst.View();
  // Row 0: fy = 0, wt = 65536, wb = 1; column 1: fx = 16384, e = 16384.
  // blue: ((65536 - 16384) * 0 + 16384 * 200 + (1 - 0) * 0 + 0 * 200) >> 16 = 50
  EXPECT_EQ(d.At(1, 0)[0], 50);
  EXPECT_EQ(d.At(0, 0)[0], 0);
  EXPECT_EQ(d.At(3, 0)[0], 150);
  // Row 2: y = 32768: fy = 32768, wt = 32768, wb = 32769, rows 0 and 1;
  // red channel of column 0 = (32768 * 0 + 32769 * 16) >> 16 = 8.
  EXPECT_EQ(d.At(0, 2)[2], 8);

  // Equal sizes copy.
  PixelBuffer copy(2, 2, 3, 0);
  ResizeBilinear(src.View(), copy.View());
  EXPECT_EQ(copy.View().ColorAt(1, 1), src.View().ColorAt(1, 1));

  // A one-pixel source and large enlargements read only inside the source
  // (the sanitizers of the host tree catch any stray read).
  PixelBuffer dot = Uniform(1, 1, 0x336699);
  PixelBuffer big(7, 5);
  ResizeBilinear(dot.View(), big.View());
  EXPECT_EQ(big.View().ColorAt(6, 4), 0x336699);
  PixelBuffer two = Pattern(2, 2, [](int x, int) { return x ? kWhite : kInk; });
  PixelBuffer wide(1000, 3);
  ResizeBilinear(two.View(), wide.View());
  EXPECT_EQ(wide.View().ColorAt(0, 0), kInk);
  EXPECT_EQ(wide.View().ColorAt(999, 0), kWhite);
}

TEST(PixelViews, BottomUpStrideAndThirtyTwoBitPixelsReadTheSameColours) {
  PixelBuffer top = Pattern(3, 2, [](int x, int y) { return TColor(x * 0x10 + y * 0x100000); });
  PixelView up = top.View();
  // The same rows seen bottom-up: start at the last row, negative stride.
  PixelView flipped{up.Row(1), -up.Stride, 3, 2, 3};
  EXPECT_EQ(flipped.ColorAt(2, 0), up.ColorAt(2, 1));
  PixelBuffer wide = Pattern(3, 2, [&](int x, int y) { return up.ColorAt(x, y); }, 4);
  PixelBuffer back(3, 2);
  CopyPixels(wide.View(), 0, 0, back.View());
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(back.View().ColorAt(x, y), up.ColorAt(x, y));
}
