// Skinned push buttons as numbers: the state a button paints in, its
// caption room and place, and the place of an image or glyph beside it.
#include "skin/controls/core/button_layout.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

std::string Str(const fw::TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}

TEST(ButtonLayout, StateFromTheButtonsFacts) {
  struct Case {
    const char* what;
    TkcButtonFacts f;
    int expected;
  } cases[] = {
      {"plain", {}, bstNormal},
      {"pressed wins", {true, false, true, true, true}, bstPressed},
      {"disabled", {false, false, true, true, true}, bstNormal},
      {"focused", {false, true, true, false, false}, bstHot},
      {"framework default shows hot", {false, true, false, true, true}, bstHot},
      {"framework plain", {false, true, false, true, false}, bstNormal},
      {"raw default", {false, true, false, false, true}, bstDefault},
      {"raw default focused", {false, true, true, false, true}, bstHot},
  };
  for (const Case& c : cases) EXPECT_EQ(ButtonCurrentState(c.f), c.expected) << c.what;
}

TEST(ButtonLayout, PaintedStateClampsToTheSection) {
  struct Case {
    int state, states, expected;
  } cases[] = {{3, 4, 3}, {3, 3, 1}, {3, 2, 1}, {2, 3, 2}, {2, 2, 1}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(ButtonPaintedState(c.state, c.states), c.expected) << c.state << " of " << c.states;
}

TEST(ButtonLayout, CaptionRoomAndPlace) {
  EXPECT_EQ(ButtonMaxCaptionWidth(false, 75, 0), 0) << "no caption";
  EXPECT_EQ(ButtonMaxCaptionWidth(true, 75, 0), 76);
  EXPECT_EQ(ButtonMaxCaptionWidth(true, 75, 16), 59);
  EXPECT_EQ(ButtonMaxCaptionWidth(true, 10, 16), 0);
  // 75 x 25 with text 31 x 13: l = 22, t = 6.
  EXPECT_EQ(Str(ButtonCaptionRect(75, 25, 31, 13, false)), "21,6,55,19");
  EXPECT_EQ(Str(ButtonCaptionRect(75, 25, 31, 13, true)), "22,7,56,20");
  // Odd remainders truncate toward zero, also when the text is wider.
  EXPECT_EQ(Str(ButtonCaptionRect(20, 10, 25, 13, false)), "-3,-1,24,11");
  EXPECT_TRUE(ShiftContent(true, false, false)) << "unskinned always shifts";
  EXPECT_TRUE(ShiftContent(true, true, true));
  EXPECT_FALSE(ShiftContent(true, true, false));
  EXPECT_FALSE(ShiftContent(false, false, true));
}

TEST(ButtonLayout, ImageAndCaptionByAlignment) {
  // 100 x 30, image 16 x 16, text 40 x 13, margins (2, 3, 4, 5).
  struct Case {
    TkcImageAlignment a;
    const char* glyph;
    const char* caption;
  } cases[] = {
      {iaLeft, "5,7,21,23", "39,8,82,22"},     // L0 = 21: left 21 + (100 - 21 - 40) / 2 = 40
      {iaRight, "77,7,93,23", "17,8,60,22"},   // (100 - 4 - 16 - 40 - 3) / 2 = 18
      {iaTop, "42,6,58,22", "29,20,72,33"},    // T0 = 22: top 22 + (30 - 22 - 13) / 2 = 20
      {iaBottom, "42,6,58,22", "29,-3,72,10"},  // (30 - 5 - 16 - 13 - 3) / 2 = -3
      {iaCenter, "42,7,58,23", "29,8,72,22"},
  };
  for (const Case& c : cases) {
    TkcImageButtonLayout l;
    l.W = 100;
    l.H = 30;
    l.IW = l.IH = 16;
    l.TW = 40;
    l.TH = 13;
    l.Alignment = c.a;
    l.Margins = fw::Rect(2, 3, 4, 5);
    EXPECT_EQ(Str(ImageButtonGlyphRect(l)), c.glyph) << c.a;
    EXPECT_EQ(Str(ImageButtonCaptionRect(l)), c.caption) << c.a;
    l.Shift = true;
    const fw::TRect g = ImageButtonGlyphRect(l);
    EXPECT_EQ(g.Left, ImageButtonGlyphRect({l.W, l.H, 16, 16, 40, 13, c.a, l.Margins, false}).Left + 1);
    EXPECT_EQ(g.Top, ImageButtonGlyphRect({l.W, l.H, 16, 16, 40, 13, c.a, l.Margins, false}).Top + 1);
  }
  TkcImageButtonLayout none;
  none.W = 100;
  none.H = 30;
  none.TW = 40;
  none.TH = 13;
  EXPECT_EQ(Str(ImageButtonGlyphRect(none)), "0,0,0,0") << "no image";
  EXPECT_EQ(Str(ImageButtonCaptionRect(none)), "29,8,72,22") << "centred";
}

TEST(ButtonLayout, ImageIndexByStateWithFallback) {
  TkcButtonImageIndexes i{4, 0, 1, 2, 3, 7};
  EXPECT_EQ(ButtonImageIndex(i, true, false, true, bstHot), 3) << "focused: the selected image";
  EXPECT_EQ(ButtonImageIndex(i, true, true, true, bstPressed), 2) << "pressed before focused";
  EXPECT_EQ(ButtonImageIndex(i, true, false, false, bstHot), 1) << "hot";
  EXPECT_EQ(ButtonImageIndex(i, true, false, false, bstNormal), 0);
  EXPECT_EQ(ButtonImageIndex(i, false, false, true, bstNormal), 0) << "disabled index 7 is outside the list";
  i.Selected = 7;
  EXPECT_EQ(ButtonImageIndex(i, true, false, true, bstHot), 0) << "selected outside the list";
  i.Disabled = 3;
  EXPECT_EQ(ButtonImageIndex(i, false, true, true, bstNormal), 3) << "disabled before pressed";
}

TEST(ButtonLayout, BitButtonGlyphByLayout) {
  // 80 x 30, one frame of a 32 x 16 two-glyph bitmap, text 30 x 13, spacing 4.
  struct Case {
    TkcBitBtnLayout layout;
    const char* glyph;
  } cases[] = {
      {blGlyphLeft, "15,7,31,23"},    // x0 = (80 - 16 - 30 - 4) / 2
      {blGlyphRight, "49,7,65,23"},   // (80 + 4 + 30 - 16) / 2
      {blGlyphTop, "33,-1,49,15"},    // one right of the centre 32; y0 = (30 - 16 - 13 - 4) / 2 = -1
      {blGlyphBottom, "33,15,49,31"}, // 30 - (-1) - 16
  };
  for (const Case& c : cases) {
    TkcBitBtnGeometry g;
    g.W = 80;
    g.H = 30;
    g.GW = g.GH = 16;
    g.TW = 30;
    g.TH = 13;
    g.HasCaption = true;
    g.Layout = c.layout;
    EXPECT_EQ(Str(BitBtnGlyphRect(g)), c.glyph) << c.layout;
  }
  TkcBitBtnGeometry top;
  top.W = 80;
  top.H = 30;
  top.GW = top.GH = 16;
  top.Layout = blGlyphTop;
  EXPECT_EQ(Str(BitBtnGlyphRect(top)), "33,7,49,23") << "no caption: no spacing";
  EXPECT_EQ(BitBtnMaxCaptionWidth(true, 80, 2, 16, 16, 4, blGlyphLeft), 56);
  EXPECT_EQ(BitBtnMaxCaptionWidth(true, 80, 2, 16, 16, 4, blGlyphTop), 76);
  EXPECT_EQ(BitBtnMaxCaptionWidth(true, 80, 2, 16, 0, 4, blGlyphLeft), 76) << "a glyph without height";
  EXPECT_EQ(BitBtnMaxCaptionWidth(false, 80, 2, 16, 16, 4, blGlyphLeft), 0);
  EXPECT_EQ(Str(RawBitBtnGlyphRect(30, 25, 16, 15, false)), "12,5,28,20");
  EXPECT_EQ(Str(RawBitBtnGlyphRect(30, 25, 16, 15, true)), "12,6,28,21");
  EXPECT_EQ(Str(RawBitBtnGlyphRect(30, 25, 0, 15, false)), "0,0,0,0");
}

}  // namespace
}  // namespace skin
