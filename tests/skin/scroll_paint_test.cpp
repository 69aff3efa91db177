// Scroll bars painted from both program skins: arrows, track pieces and
// thumb in every state, horizontal and vertical, compared with golden
// pictures; the parts land where the geometry puts them.
#include "skin/controls/scroll_paint.h"

#include <gtest/gtest.h>

#include "skin/controls/core/scroll_geometry.h"
#include "skin/engine/bitmap_dc.h"
#include "tests/controls/golden_image.h"
#include "tests/skin/engine/core/program_skins.h"

namespace skin {
namespace {

constexpr uint32_t kBehind = 0xFFD0D8E0;

std::unique_ptr<TkLoadedSkin> Skin(int which) {
  return which == 0 ? LoadProgramSkin("sapphire.ksz", u"Sapphire (internal)")
                    : LoadProgramSkin("topaz.ksz", u"Topaz (internal)");
}

std::unique_ptr<fw::TBitmap> Filled(int w, int h, uint32_t pixel) {
  auto b = NewBitmap32(w, h);
  const TPixelView32 v = View32(*b);
  for (int y = 0; y < h; ++y) std::fill_n(v.Row(y), w, pixel);
  return b;
}

// A bar of Length with 17-pixel arrows, its thumb where the scroll
// information puts it, the parts in the given states.
std::unique_ptr<fw::TBitmap> Bar(TkLoadedSkin& skin, bool vertical, int length, const TkScrollState& s,
                                 const int (&states)[5]) {
  auto b = vertical ? Filled(17, length, kBehind) : Filled(length, 17, kBehind);
  const TkThumb t = ThumbGeometry(s, DefaultMinThumbSize, 17, 0, length);
  TkBarPicture p;
  p.Vertical = vertical;
  p.Arrow = 17;
  p.Split = t.Pos + t.Length / 2;
  p.Arrow1State = states[0];
  p.Arrow2State = states[1];
  p.Track1State = states[2];
  p.Track2State = states[3];
  p.ThumbState = states[4];
  p.ShowThumb = ThumbShown(s, DefaultMinThumbSize, 17, length);
  p.ThumbPos = t.Pos;
  p.ThumbLength = t.Length;
  TCacheInfo behind;
  behind.FillColor = 0xE0D8D0;
  EXPECT_TRUE(PaintScrollBarImage(*b, skin, p, behind, {}));
  GdiFlush();
  return b;
}

const int kStates[][5] = {
    {0, 0, 0, 0, 0},  // normal
    {1, 0, 1, 1, 0},  // first arrow hot
    {0, 2, 1, 1, 0},  // second arrow pressed
    {0, 0, 2, 1, 0},  // track before pressed
    {0, 0, 1, 1, 1},  // thumb hot
    {0, 0, 1, 1, 2},  // thumb pressed
};

TEST(ScrollPaint, BothBarKindsInEveryStateMatchTheirGoldens) {
  const char* names[] = {"scroll_bars_sapphire", "scroll_bars_topaz"};
  for (int which = 0; which < 2; ++which) {
    std::unique_ptr<TkLoadedSkin> skin = Skin(which);
    ASSERT_TRUE(skin);
    const TkScrollState s{0, 100, 20, 40, 40};
    std::vector<std::unique_ptr<fw::TBitmap>> rows;
    std::vector<fw::TBitmap*> parts;
    auto gap = Filled(200, 3, 0xFFFFFFFF);
    for (const auto& st : kStates) {
      rows.push_back(Bar(*skin, false, 200, s, st));
      parts.push_back(rows.back().get());
      parts.push_back(gap.get());
    }
    // The vertical bars side by side, 3 pixels apart.
    auto vertical = Filled(6 * 20, 120, 0xFFFFFFFF);
    for (int i = 0; i < 6; ++i) {
      auto v = Bar(*skin, true, 120, s, kStates[i]);
      BitBlt(vertical->Canvas()->Handle(), i * 20, 0, 17, 120, v->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    parts.push_back(vertical.get());
    auto sheet = cktest::Stack(parts);
    EXPECT_TRUE(cktest::MatchesGolden(sheet.get(), names[which]));
  }
}

TEST(ScrollPaint, PartsLandWhereTheGeometryPutsThem) {
  std::unique_ptr<TkLoadedSkin> skin = Skin(0);
  ASSERT_TRUE(skin);
  const TkScrollState s{0, 100, 20, 40, 40};
  const int normal[5] = {0, 0, 0, 0, 0};
  const int thumbPressed[5] = {0, 0, 0, 0, 2};
  auto a = Bar(*skin, false, 200, s, normal);
  auto b = Bar(*skin, false, 200, s, thumbPressed);
  const TkThumb t = ThumbGeometry(s, DefaultMinThumbSize, 17, 0, 200);
  const TPixelView32 va = View32(*a), vb = View32(*b);
  auto columnDiffers = [&](int x) {
    for (int y = 0; y < 17; ++y)
      if (va.Pixel(x, y) != vb.Pixel(x, y)) return true;
    return false;
  };
  EXPECT_TRUE(columnDiffers(t.Pos + t.Length / 2)) << "the pressed thumb looks different";
  EXPECT_FALSE(columnDiffers(t.Pos - 1)) << "the track before it does not change";
  EXPECT_FALSE(columnDiffers(t.Pos + t.Length)) << "nor the track after it";
  EXPECT_FALSE(columnDiffers(3)) << "nor the arrows";

  // A bar shorter than two arrows: two half arrows, nothing behind shows.
  const int none[5] = {0, 0, 0, 0, 0};
  auto tiny = Bar(*skin, false, 24, s, none);
  EXPECT_NE(View32(*tiny).Pixel(11, 8), kBehind);
  EXPECT_NE(View32(*tiny).Pixel(12, 8), kBehind);

  // A skin without scroll sections paints nothing.
  TkLoadedSkin empty;
  auto untouched = Filled(50, 17, kBehind);
  TkBarPicture p;
  p.Arrow = 17;
  EXPECT_FALSE(PaintScrollBarImage(*untouched, empty, p, {}, {}));
  EXPECT_EQ(View32(*untouched).Pixel(25, 8), kBehind);
}

}  // namespace
}  // namespace skin
