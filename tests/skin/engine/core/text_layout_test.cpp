// Glyph and caption placement in a button face, captions cut with "...",
// and the glow mask laid under text.
#include "skin/engine/core/text_layout.h"

#include <gtest/gtest.h>

#include "tests/skin/engine/core/pixel_image.h"

namespace skin {
namespace {

TEST(CalcGlyphTextLayout, LayoutsAlignmentsMarginsAndSpacing) {
  // Content 100 x 60 at (10, 20), glyph 16 x 16, caption 40 x 14.
  struct Case {
    const char* what;
    int layout, alignment, margin, spacing, flags;
    fw::TPoint glyphSize;
    fw::TPoint glyph, caption;  // relative to the content
  } cases[] = {
      {"three equal parts", glGlyphLeft, txLeftJustify, -1, -1, 0, {16, 16}, {14, 22}, {44, 23}},
      {"glyph right, left justified", glGlyphRight, txLeftJustify, 4, 2, 0, {16, 16}, {46, 22}, {4, 23}},
      {"right to left swaps the sides", glGlyphLeft, txLeftJustify, 4, 2, kRightToLeftFlag, {16, 16}, {46, 22}, {4, 23}},
      {"right justified", glGlyphLeft, txRightJustify, 4, 2, 0, {16, 16}, {38, 22}, {56, 23}},
      {"centred with a chosen margin", glGlyphLeft, txCenter, -1, 2, 0, {16, 16}, {21, 22}, {39, 23}},
      {"glyph right, centred", glGlyphRight, txCenter, 4, 2, 0, {16, 16}, {63, 22}, {21, 23}},
      {"given margin spreads the spacing", glGlyphLeft, txLeftJustify, 10, -1, 0, {16, 16}, {10, 22}, {43, 23}},
      {"no glyph: no spacing", glGlyphLeft, txLeftJustify, 5, 7, 0, {0, 0}, {5, 30}, {5, 23}},
      {"glyph on top", glGlyphTop, txLeftJustify, -1, 3, 0, {16, 16}, {42, 13}, {30, 32}},
      {"glyph below", glGlyphBottom, txLeftJustify, -1, 3, 0, {16, 16}, {42, 31}, {30, 14}},
  };
  const fw::TRect content = fw::Rect(10, 20, 110, 80);
  for (const Case& c : cases) {
    const TGlyphTextPlace place =
        CalcGlyphTextLayout(content, c.glyphSize, {40, 14}, c.layout, c.alignment, c.margin, c.spacing, c.flags);
    EXPECT_EQ(place.Glyph, (fw::TPoint{c.glyph.x + 10, c.glyph.y + 20})) << c.what;
    EXPECT_EQ(place.Caption, fw::Bounds(c.caption.x + 10, c.caption.y + 20, 40, 14)) << c.what;
  }
}

// 10 pixels a character, 3 a dot; a high surrogate alone measures nothing,
// so a cut through a pair would look like it fits.
int Measure(fw::StringView s) {
  int w = 0;
  for (char16_t ch : s) w += ch == u'.' ? 3 : (ch & 0xFC00) == 0xD800 ? 0 : 10;
  return w;
}

TEST(CutTextToWidth, KeepsWholeCharactersBeforeTheDots) {
  struct Case {
    const char16_t* text;
    int width;
    const char16_t* want;
  } cases[] = {
      {u"Hello", 50, u"Hello"},          {u"Hello", 49, u"Hell..."},
      {u"Hello", 29, u"He..."},          {u"Hello", 18, u""},
      {u"Hello", 0, u""},                {u"", 40, u""},
      {u"ab\U0001F600c", 39, u"ab\U0001F600..."}, {u"ab\U0001F600c", 38, u"ab..."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CutTextToWidth(c.text, c.width, Measure), fw::String(c.want)) << c.width;
}

TEST(ApplyGlowMask, CompositesUnderTheText) {
  struct Case {
    uint8_t m;
    uint32_t before, after;
  } cases[] = {
      {0, 0x00000000, 0xFEFEFEFE},   {0, 0xFF000000, 0xFFFEFEFE},   {128, 0x00000000, 0x7E7E7E7E},
      {128, 0xFF000000, 0xFF7E7E7E}, {255, 0x00000000, 0x00000000}, {255, 0xFF102030, 0xFF102030},
  };
  for (const Case& c : cases) {
    TestImage dest(2, 1, c.before);
    uint8_t bytes[3] = {0, c.m, 0};
    const TPixelView8 mask{bytes, 3, 3, 1};
    ApplyGlowMask(dest.View(), mask, {-1, 0}, 0xFFFFFF);  // the first mask pixel lies outside
    EXPECT_EQ(dest.At(0, 0), c.after) << int(c.m) << " over " << std::hex << c.before;
    EXPECT_TRUE(dest.GuardIntact());
  }
}

}  // namespace
}  // namespace skin
