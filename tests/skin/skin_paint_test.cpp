// The skin engine's painting on DIB bitmaps: row layout, the small line
// drawings, text with alpha, the disabled look, gradients and fades.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "skin/engine/alpha_text.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/bitmap_effects.h"
#include "skin/engine/core/alpha_bitmap.h"

namespace skin {
namespace {

using fw::TBitmap;

uint32_t Px(TBitmap& b, int x, int y) { return View32(b).Pixel(x, y); }

std::unique_ptr<TBitmap> Filled(int w, int h, uint32_t pixel) {
  auto b = NewBitmap32(w, h);
  TPixelView32 v = View32(*b);
  for (int y = 0; y < h; ++y) FillLongwords(v.Row(y), w, pixel);
  return b;
}

TEST(ScanLineLayout, GivesRowZeroAndTheDistanceToRowOne) {
  auto one = NewBitmap32(5, 1);
  uint8_t* row0 = nullptr;
  ptrdiff_t distance = 7;
  ASSERT_TRUE(GetScanLineLayout(*one, row0, distance));
  EXPECT_EQ(distance, 0);
  auto tall = NewBitmap32(5, 3);
  ASSERT_TRUE(GetScanLineLayout(*tall, row0, distance));
  EXPECT_EQ(row0 + distance, tall->ScanLine(1));
  EXPECT_EQ(std::abs(distance), 20);
  TBitmap empty;
  EXPECT_FALSE(GetScanLineLayout(empty, row0, distance));
  TBitmap rgb;
  rgb.SetPixelFormat(fw::pf24bit);
  rgb.SetSize(2, 2);
  EXPECT_TRUE(View32(rgb).Empty()) << "a 32-bit view of a 24-bit bitmap";
}

TEST(RotateBitmap90, TurnsThirtyTwoBitBitmapsAndFreesTheSourceOnRequest) {
  std::unique_ptr<TBitmap> src = Filled(3, 2, 0);
  View32(*src).Pixel(2, 0) = 0xFF123456;
  auto turned = RotateBitmap90(src, true, false);
  ASSERT_TRUE(turned && src);
  EXPECT_EQ(turned->Width(), 2);
  EXPECT_EQ(Px(*turned, 1, 2), 0xFF123456u);
  std::unique_ptr<TBitmap> rgb = std::make_unique<TBitmap>();
  rgb->SetPixelFormat(fw::pf24bit);
  rgb->SetSize(4, 4);
  EXPECT_EQ(RotateBitmap90(rgb, false, true), nullptr);
  EXPECT_EQ(rgb, nullptr) << "the source is freed also when nothing is turned";
}

TEST(DrawFrame3DOnDC, DrawsNestedFramesAndHandsBackTheInsetRectangle) {
  auto b = Filled(10, 10, 0);
  fw::TRect r{0, 0, 10, 10};
  int width = 2;
  DrawFrame3DOnDC(b->Canvas()->Handle(), r, 0x0000FF, 0x00FF00, width);
  GdiFlush();
  EXPECT_EQ(r, (fw::TRect{2, 2, 8, 8}));
  EXPECT_EQ(width, 0);
  EXPECT_EQ(Px(*b, 0, 5) & 0xFFFFFF, 0xFF0000u) << "left edge, top-left colour";
  EXPECT_EQ(Px(*b, 1, 1) & 0xFFFFFF, 0xFF0000u) << "second frame";
  EXPECT_EQ(Px(*b, 9, 5) & 0xFFFFFF, 0x00FF00u) << "right edge, bottom-right colour";
  EXPECT_EQ(Px(*b, 5, 8) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(Px(*b, 4, 4), 0u) << "inside untouched";
}

TEST(DrawArrowMark, PaintsFourDeepTrianglesInEachDirection) {
  // '#' marks the pixels set in a 10 x 10 rectangle.
  struct Case {
    int direction;
    const char* rows[10];
  } cases[] = {
      {asLeft, {"", "", "......#", ".....##", "....###", "...####", "....###", ".....##", "......#", ""}},
      {asRight, {"", "", "...#", "...##", "...###", "...####", "...###", "...##", "...#", ""}},
      {asTop, {"", "", "....##", "...####", "..######", ".########", "", "", "", ""}},
      {asBottom, {"", "", ".########", "..######", "...####", "....##", "", "", "", ""}},
  };
  for (const auto& c : cases) {
    auto b = Filled(10, 10, 0);
    DrawArrowMark(*b->Canvas(), 0xFFFFFF, {0, 0, 10, 10}, c.direction);
    GdiFlush();
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) {
        const std::string row = c.rows[y];
        const bool want = x < int(row.size()) && row[x] == '#';
        EXPECT_EQ((Px(*b, x, y) & 0xFFFFFF) != 0, want) << "direction " << c.direction << " at " << x << "," << y;
      }
  }
}

TEST(DrawTextAlpha, LeavesOpaqueTextPixelsAndUntouchedPaper) {
  auto b = Filled(60, 20, 0x00336699);
  b->Canvas()->Font()->SetHeight(-14);
  DrawTextAlpha(*b, u"WWW", 0x0000FF, DT_LEFT | DT_TOP | DT_SINGLELINE, {2, 2, 58, 18});
  int red = 0, untouched = 0;
  TPixelView32 v = View32(*b);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      uint32_t p = v.Pixel(x, y);
      if (p == 0xFFFF0000u) ++red;
      else if (p == 0x00336699u) ++untouched;
    }
  EXPECT_GT(red, 20) << "ink in the text colour, opaque";
  EXPECT_GT(untouched, 600);
  EXPECT_EQ(Px(*b, 0, 0), 0x00336699u);
}

TEST(DrawSectionTextAlpha, DrawsContoursOnlyForSidesWithAColour) {
  auto plain = Filled(40, 20, 0);
  auto contoured = Filled(40, 20, 0);
  for (auto* b : {plain.get(), contoured.get()}) b->Canvas()->Font()->SetHeight(-12);
  TkFontColor state;
  state.Color = 0xFFFFFF;
  DrawSectionTextAlpha(*plain, u"I", true, {10, 4, 30, 18}, DT_SINGLELINE, &state);
  state.Right = 0x0000FF;
  DrawSectionTextAlpha(*contoured, u"I", true, {10, 4, 30, 18}, DT_SINGLELINE, &state);
  int redInPlain = 0, redInContoured = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      redInPlain += Px(*plain, x, y) == 0xFFFF0000u;
      redInContoured += Px(*contoured, x, y) == 0xFFFF0000u;
    }
  EXPECT_EQ(redInPlain, 0) << "contour colours of -1 draw nothing";
  EXPECT_GT(redInContoured, 0) << "the right contour shows beside the white stem";
  auto none = Filled(10, 10, 5);
  DrawSectionTextAlpha(*none, u"", true, {0, 0, 10, 10}, 0, &state);
  EXPECT_EQ(Px(*none, 3, 3), 5u);
}

TEST(DrawSectionTextAlpha, TakesTheSectionsStateColoursOrTheCanvasFont) {
  TkLoadedSkin skin;
  skin.gd.resize(2);
  skin.gd[0].Props[0].FontColor.Color = 0x0000FF;  // red normal
  skin.gd[0].Props[1].FontColor.Color = 0x00FF00;  // green hot
  skin.gd[1] = skin.gd[0];
  skin.gd[1].States = 0;  // no hot state
  struct Case {
    int index;
    bool hot;
    const TkLoadedSkin* skin;
    uint32_t ink;
  } cases[] = {
      {0, false, &skin, 0xFFFF0000}, {0, true, &skin, 0xFF00FF00}, {1, true, &skin, 0xFFFF0000},
      {7, true, &skin, 0xFF0000FF},  {0, true, nullptr, 0xFF0000FF},
  };
  for (const auto& c : cases) {
    auto b = Filled(30, 20, 0x00FFFFFF);
    b->Canvas()->Font()->SetHeight(-14);
    b->Canvas()->Font()->SetColor(0xFF0000);  // blue: the canvas font
    DrawSectionTextAlpha(*b, u"W", false, {2, 2, 28, 18}, DT_SINGLELINE, c.index, c.hot, c.skin);
    int ink = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x) ink += Px(*b, x, y) == c.ink;
    EXPECT_GT(ink, 3) << "section " << c.index << (c.hot ? " hot" : "") << (c.skin ? "" : " without a skin");
  }
}

TEST(PaintDisabledLook, GreysFirstThenBlendsWithTheBackground) {
  auto b = Filled(2, 2, 0xFF0000FF);  // blue
  TCacheInfo ci;
  ci.FillColor = 0xFFFFFF;
  const int saved = DisabledSaturation;
  DisabledSaturation = -100;
  PaintDisabledLook(*b, TkDisabledKind{dkGrayed, dkBlended}, nullptr, {}, ci);
  DisabledSaturation = saved;
  // grey 85, then 40 % of it and 60 % white: Round(34 + 153) = 187.
  EXPECT_EQ(Px(*b, 1, 1), 0xFFBBBBBBu);

  auto bg = Filled(4, 4, 0xFF000000);
  View32(*bg).Pixel(3, 3) = 0xFF640000;
  auto img = Filled(1, 1, 0xFF00C800);
  ci.Bmp = View32(*bg), ci.X = 2, ci.Y = 2, ci.Ready = true;
  PaintDisabledLook(*img, TkDisabledKind{dkBlended}, nullptr, {1, 1}, ci);
  EXPECT_EQ(Px(*img, 0, 0), 0xFF3C5000u) << "background 0x64 and image 0xC8 mixed 60 : 40";
}

TEST(PaintDisabledLook, ResolvesASystemColourBehindTheImage) {
  const fw::TColor system = static_cast<fw::TColor>(0xFF00000F);  // button face
  auto viaSystem = Filled(2, 1, 0xFF204060), viaPlain = Filled(2, 1, 0xFF204060);
  TCacheInfo ci;
  ci.FillColor = static_cast<uint32_t>(system);
  PaintDisabledLook(*viaSystem, TkDisabledKind{dkBlended}, nullptr, {}, ci);
  ci.FillColor = static_cast<uint32_t>(fw::ColorToRGB(system));
  PaintDisabledLook(*viaPlain, TkDisabledKind{dkBlended}, nullptr, {}, ci);
  EXPECT_EQ(Px(*viaSystem, 1, 0), Px(*viaPlain, 1, 0));
}

TEST(FillGradient, TrianglesNeedTheSystemFunction) {
  TkGradArray stops;
  ParseGradientData(u"255;0;0;2;0;255;0;0;2;0;65280;0;0;2;0", stops);
  auto b = Filled(20, 20, 0x11111111);
  const TGradientFill saved = GradientFillProc;
  GradientFillProc = nullptr;
  FillGradient(*b, {0, 0, 20, 20}, stops);
  GradientFillProc = saved;
  EXPECT_EQ(Px(*b, 10, 2), 0x11111111u) << "without the system function nothing is painted";
  FillGradient(*b, {0, 0, 20, 20}, stops);
  GdiFlush();
  EXPECT_GT(Red(Px(*b, 1, 1)), 200) << "near the top-left vertex: stop 0's red";
  EXPECT_LT(Green(Px(*b, 1, 1)), 40);
  EXPECT_NE(Px(*b, 10, 2), 0x11111111u);
}

// The vertices the triangle mode hands to the system, recorded by a stand-in.
std::vector<TRIVERTEX> recordedVertices;
std::vector<GRADIENT_TRIANGLE> recordedTriangles;
BOOL WINAPI RecordGradientFill(HDC, PTRIVERTEX v, ULONG n, PVOID mesh, ULONG count, ULONG mode) {
  if (mode != GRADIENT_FILL_TRIANGLE) return FALSE;
  recordedVertices.assign(v, v + n);
  auto* t = static_cast<GRADIENT_TRIANGLE*>(mesh);
  recordedTriangles.assign(t, t + count);
  return TRUE;
}

TEST(FillGradient, TrianglesTakeTheClippedRectangleAndRepeatTheLastStopColour) {
  struct Case {
    const char16_t* text;
    fw::TRect r;
    POINT centre;
    uint32_t colours[5];
  } cases[] = {
      {u"255;0;0;2;0;65280;0;0;0;0;16711680;0;0;0;0;16777215;0;0;0;0;0;0;0;0;0", {0, 0, 20, 10}, {10, 5},
       {0xFF, 0xFF00, 0xFF0000, 0xFFFFFF, 0}},
      {u"255;0;0;2;0;65280;0;0;0;0", {-10, -4, 30, 30}, {10, 10}, {0xFF, 0xFF00, 0xFF00, 0xFF00, 0xFF00}},
      {u"8421504;0;0;2;0", {5, 5, 9, 8}, {7, 6}, {0x808080, 0x808080, 0x808080, 0x808080, 0x808080}},
  };
  const TGradientFill saved = GradientFillProc;
  GradientFillProc = RecordGradientFill;
  for (const auto& c : cases) {
    TkGradArray stops;
    ParseGradientData(c.text, stops);
    auto b = Filled(20, 20, 0);
    recordedVertices.clear();
    FillGradient(*b, c.r, stops);
    ASSERT_EQ(recordedVertices.size(), 5u) << fw::StringToUtf8(c.text);
    const fw::TRect clipped{std::max(c.r.Left, 0), std::max(c.r.Top, 0), std::min(c.r.Right, 20),
                            std::min(c.r.Bottom, 20)};
    const POINT corners[5] = {{clipped.Left, clipped.Top}, c.centre, {clipped.Right, clipped.Top},
                              {clipped.Right, clipped.Bottom}, {clipped.Left, clipped.Bottom}};
    for (int i = 0; i < 5; ++i) {
      const TRIVERTEX& v = recordedVertices[i];
      EXPECT_EQ(v.x, corners[i].x) << i;
      EXPECT_EQ(v.y, corners[i].y) << i;
      const uint32_t colour = (v.Red >> 8) | (v.Green >> 8) << 8 | (v.Blue >> 8) << 16;
      EXPECT_EQ(colour, c.colours[i]) << "vertex " << i << " of " << fw::StringToUtf8(c.text);
      EXPECT_EQ(v.Red & 0xFF, 0) << "channels go to the system as value * 256";
      EXPECT_EQ(v.Alpha, 0xFF00);
    }
    ASSERT_EQ(recordedTriangles.size(), 4u);
    const ULONG triangles[4][3] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
    for (int t = 0; t < 4; ++t)
      EXPECT_EQ((std::vector<ULONG>{recordedTriangles[t].Vertex1, recordedTriangles[t].Vertex2,
                                    recordedTriangles[t].Vertex3}),
                (std::vector<ULONG>{triangles[t][0], triangles[t][1], triangles[t][2]}));
  }
  recordedVertices.clear();
  auto b = Filled(20, 20, 0);
  TkGradArray stops;
  ParseGradientData(u"255;0;0;2;0", stops);
  FillGradient(*b, {5, 5, 5, 9}, stops);
  FillGradient(*b, {30, 30, 40, 40}, stops);
  GradientFillProc = saved;
  EXPECT_TRUE(recordedVertices.empty()) << "an empty rectangle, or one beside the bitmap, paints nothing";
}

TEST(ParseGradientData, ResolvesSystemColours) {
  TkGradArray stops;
  ParseGradientData(u"-16777201;0;100;0;0", stops, ResolveSkinColor);  // clBtnFace
  ASSERT_EQ(stops.size(), 1u);
  EXPECT_EQ(stops[0].Color1, static_cast<uint32_t>(fw::ColorToRGB(static_cast<fw::TColor>(0xFF00000F))));
}

TEST(FadeRectToColor, KeepsPercentInTheCentreAndTheEdgeAlmostUnchanged) {
  auto b = Filled(40, 40, 0xFFC8C8C8);
  FadeRectToColor(*b, {0, 0, 40, 40}, 50, 0x000000, 8, 4);
  EXPECT_EQ(Px(*b, 20, 20) & 0xFF, 99u) << "200 * 127 >> 8";
  EXPECT_GE(Px(*b, 20, 0) & 0xFF, 198u);
}

TEST(ResampleBitmap, CopiesAtTheSameSizeAndScalesOtherwise) {
  auto src = Filled(4, 4, 0xFF204060);
  TBitmap same;
  ResampleBitmap(*src, same, 4, 4, 6);
  EXPECT_EQ(same.Width(), 4);
  EXPECT_EQ(Px(same, 3, 3), 0xFF204060u);
  ResampleBitmap(*src, *src, 8, 2, 2);
  EXPECT_EQ(src->Width(), 8);
  EXPECT_EQ(src->Height(), 2);
  EXPECT_EQ(Px(*src, 5, 1), 0xFF204060u);
}

}  // namespace
}  // namespace skin
