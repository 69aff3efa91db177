// Skinned text on DCs: cutting to a width, the glow and its kept mask,
// section and control colours with contours, the disabled looks, measuring.
#include "skin/engine/text_out.h"

#include <gtest/gtest.h>

#include <set>

#include "skin/engine/alpha_text.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/pixel_colors.h"

namespace skin {
namespace {

constexpr uint32_t kPaper = 0xFFFFFFFF;

std::unique_ptr<fw::TBitmap> Paper(int w, int h) {
  auto b = NewBitmap32(w, h);
  const TPixelView32 v = View32(*b);
  for (int y = 0; y < h; ++y) std::fill_n(v.Row(y), w, kPaper);
  // Whole pixels of one colour: no smoothing.
  b->Canvas()->Font()->SetQuality(fw::fqNonAntialiased);
  b->Canvas()->Font()->SetHeight(-24);
  b->Canvas()->Font()->SetStyle(fw::TFontStyles{fw::fsBold});
  return b;
}

// The colours (RGB) of the pixels that are not paper.
std::set<uint32_t> Inks(fw::TBitmap& b, uint32_t paper = 0xFFFFFF) {
  GdiFlush();
  std::set<uint32_t> inks;
  const TPixelView32 v = View32(b);
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      if ((v.Pixel(x, y) & 0xFFFFFF) != paper) inks.insert(SwapRedBlue(v.Pixel(x, y) & 0xFFFFFF));
  return inks;
}

TEST(CutTextToWidth, WholeLettersAndDotsInTheCanvasFont) {
  auto b = Paper(10, 10);
  fw::TCanvas& c = *b->Canvas();
  const fw::String text = u"Hello";
  struct Case {
    int width;
    fw::String want;
  } cases[] = {
      {c.TextWidth(text), text},
      {c.TextWidth(text) + 50, text},
      {c.TextWidth(u"He...") + 1, u"He..."},
      {c.TextWidth(u"He..."), u"He..."},
      {c.TextWidth(u"H...") - 1, u""},
      {0, u""},
      {-5, u""},
  };
  for (const Case& k : cases) EXPECT_EQ(CutTextToWidth(c, text, k.width), k.want) << k.width;
}

TEST(DrawTextGlow, StaysInsideItsMaskAndKeepsTheMask) {
  auto b = Paper(90, 50);
  const fw::TRect r = fw::Rect(20, 10, 60, 30);
  std::unique_ptr<fw::TBitmap> mask;
  DrawTextGlow(*b, u"Hi", r, DT_LEFT | DT_TOP, gcAll, 3, 0x0000FF, mask);
  ASSERT_TRUE(mask);
  // The mask: the text rectangle moved by (1, 1) and grown by 3 + 4.
  EXPECT_EQ(mask->Width(), 40 + 14);
  EXPECT_EQ(mask->Height(), 20 + 14);
  const fw::TRect bounds = fw::Rect(14, 4, 68, 38);
  const TPixelView32 v = View32(*b);
  int glowing = 0;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) {
      if (v.Pixel(x, y) == kPaper) continue;
      ++glowing;
      EXPECT_TRUE(x >= bounds.Left && x < bounds.Right && y >= bounds.Top && y < bounds.Bottom) << x << "," << y;
      EXPECT_EQ(Green(v.Pixel(x, y)), Blue(v.Pixel(x, y))) << "a red glow";
    }
  EXPECT_GT(glowing, 20);

  // A kept mask of the right size is used as it is: one ink pixel shows.
  const TPixelView8 m = View8(*mask);
  for (int y = 0; y < m.Height; ++y) std::fill_n(m.Row(y), m.Width, uint8_t(255));
  m.Row(0)[0] = 0;
  auto fresh = Paper(90, 50);
  DrawTextGlow(*fresh, u"Hi", r, DT_LEFT | DT_TOP, gcAll, 3, 0x0000FF, mask);
  // Full ink: (255 * 255 + 255 * 0) >> 8 = 254.
  EXPECT_EQ(Inks(*fresh), (std::set<uint32_t>{0x0000FE})) << "only the mask's one pixel";
  EXPECT_EQ(View32(*fresh).Pixel(14, 4), 0xFFFE0000u);
  // Another size is drawn anew.
  DrawTextGlow(*fresh, u"Hi", fw::Rect(0, 0, 30, 20), DT_LEFT | DT_TOP, 0, 2, 0x0000FF, mask);
  EXPECT_EQ(mask->Width(), 30 + 12);
}

// One section: normal font red on white, left contour green; hot font blue.
TkLoadedSkin TextSkin() {
  TkLoadedSkin skin;
  TkGeneralData gd;
  gd.ClassName = u"BUTTON";
  gd.Props[0].Color = 0xFFFFFF;
  gd.Props[0].FontColor = {0x0000FF, 0x00FF00, -1, -1, -1};
  gd.Props[1].Color = 0x000000;
  gd.Props[1].FontColor = {0xFF0000, -1, -1, -1, -1};
  gd.Props[1].GlowSize = 2;
  gd.Props[1].GlowColor = 0x00FFFF;
  skin.gd.push_back(gd);
  return skin;
}

TEST(DrawSectionText, ContoursStateColoursAndTheDisabledMix) {
  TkLoadedSkin skin = TextSkin();
  // MixColors(red, white, 0.4) per channel: 255, 153, 153.
  const uint32_t disabled = 0x9999FF;
  struct Case {
    const char* what;
    bool enabled;
    int state, skinIndex;
    std::set<uint32_t> want;
  } cases[] = {
      {"normal: left contour, then the font colour", true, 0, 0, {0x0000FF, 0x00FF00}},
      {"hot: no contours", true, 1, 0, {0xFF0000}},
      {"states above 1 paint as hot", true, 5, 0, {0xFF0000}},
      {"disabled: the normal state's colours also when hot", false, 1, 0, {disabled}},
      {"no section: the canvas's colour", true, 0, 7, {0x123456}},
  };
  for (const Case& c : cases) {
    auto b = Paper(60, 40);
    b->Canvas()->Font()->SetColor(0x123456);
    DrawSectionText(*b->Canvas(), u"Il", c.enabled, fw::Rect(10, 5, 60, 40), DT_LEFT | DT_TOP, c.skinIndex, c.state,
                    &skin);
    EXPECT_EQ(Inks(*b), c.want) << c.what;
  }
  auto b = Paper(60, 40);
  DrawSectionText(*b->Canvas(), u"", true, fw::Rect(0, 0, 60, 40), 0, 0, 0, &skin);
  EXPECT_TRUE(Inks(*b).empty()) << "an empty text writes nothing";
}

TEST(DrawControlText, OwnFontEmbossedDisabledAndTheGlowInTheCache) {
  TkLoadedSkin skin = TextSkin();
  const fw::TRect r = fw::Rect(10, 5, 60, 40);
  {
    auto b = Paper(60, 40);
    b->Canvas()->Font()->SetColor(0x123456);
    TControlTextSource s{&skin, 0, -1, true, true, nullptr, {}};
    DrawControlText(*b->Canvas(), u"Il", true, r, DT_LEFT | DT_TOP, s, 0);
    EXPECT_EQ(Inks(*b), (std::set<uint32_t>{0x123456})) << "own font: the canvas's colour, no contours";
  }
  {
    auto b = Paper(60, 40);
    const TPixelView32 v = View32(*b);
    for (int y = 0; y < v.Height; ++y) std::fill_n(v.Row(y), v.Width, 0xFF000000u);  // black paper
    TControlTextSource s{&skin, 0, -1, false, false, nullptr, {}};
    DrawControlText(*b->Canvas(), u"Il", false, r, DT_LEFT | DT_TOP, s, 0);
    const uint32_t highlight = uint32_t(fw::ColorToRGB(fw::clBtnHighlight));
    const uint32_t shadow = uint32_t(fw::ColorToRGB(fw::clBtnShadow));
    EXPECT_EQ(Inks(*b, 0), (std::set<uint32_t>{highlight, shadow})) << "unskinned and disabled: embossed";
  }
  {
    auto b = Paper(60, 40);
    auto cache = Paper(60, 40);
    TControlTextSource s{&skin, 0, -1, true, false, cache.get(),
                         [](fw::TColor c) { return c == 0xFF0000 ? 0x00FF00 : c; }};
    DrawControlText(*b->Canvas(), u"Il", true, r, DT_LEFT | DT_TOP, s, 1);
    EXPECT_EQ(Inks(*b), (std::set<uint32_t>{0x00FF00})) << "hot font colour through the control's adjustment";
    EXPECT_FALSE(Inks(*cache).empty()) << "the hot state's glow went into the cache";
  }
}

TEST(MeasureTextWithFont, ExtentOrWrappedRectangle) {
  auto b = Paper(10, 10);
  HFONT font = b->Canvas()->Font()->Handle();
  const fw::String text = u"one two three four";
  const fw::TPoint line = MeasureTextWithFont(font, text, DT_LEFT, false, 0);
  EXPECT_EQ(line.x, b->Canvas()->TextWidth(text));
  EXPECT_GT(line.y, 0);
  const fw::TPoint wrapped = MeasureTextWithFont(font, text, DT_LEFT | DT_WORDBREAK, true, line.x / 2);
  EXPECT_LE(wrapped.x, line.x / 2);
  EXPECT_GE(wrapped.y, 2 * line.y) << "at least two lines";
  EXPECT_EQ(MeasureTextWithFont(font, u"", DT_LEFT, false, 0).x, 0);
}

}  // namespace
}  // namespace skin
