#include "skin/engine/core/mask_values.h"

#include <gtest/gtest.h>

#include "pixel_image.h"

namespace skin {
namespace {

TEST(MaskValues, FixedColumnAndFieldForms) {
  using K = TMaskValueKind;
  using T = TkcImgType;
  struct Case {
    const char16_t* value;
    K kind;
    fw::TRect r;
    int count, type, drawMode, border, wl, wt, wr, wb;
    T img;
  } cases[] = {
      {u"@0133@0000@0265@0018@3@0", K::Glyph, {133, 0, 265, 18}, 3, 0, 0, 0, 0, 0, 0, 0, T::itisaGlyph},
      {u"^0003^0039^0006^0040^0001^0000^0000^0000^1^0^1^1", K::Border, {3, 39, 6, 40}, 1, 0, 1, 1, 1, 0, 0, 0,
       T::itisaBorder},
      // No widths and no border width: from the rectangle.
      {u"^0000^0000^0090^0060^0000^0000^0000^0000^3^1^0^0", K::Border, {0, 0, 90, 60}, 3, 1, 0, 0, 10, 10, 10, 10,
       T::itisaBorder},
      {u"^0000^0000^0090^0060^0000^0000^0000^0000^3^1^0^5", K::Border, {0, 0, 90, 60}, 3, 1, 0, 5, 5, 5, 5, 5,
       T::itisaBorder},
      {u"~0135~0070~0299~0071~01~0", K::Texture, {135, 70, 299, 71}, 1, 0, 1, 0, 0, 0, 0, 0, T::itisaTexture},
      // 24 characters: no mask type column.
      {u"~0135~0070~0299~0071~01~", K::Texture, {135, 70, 299, 71}, 1, 0, 1, 0, 0, 0, 0, 0, T::itisaTexture},
      {u"~0135~0070~0299~0071~01~2", K::Texture, {135, 70, 299, 71}, 1, 2, 1, 0, 0, 0, 0, 0, T::itisaTexture},
      {u"!XBORDER.PNG!2!0!3!0039!0075!0039!0038!1", K::OwnImage, {}, 2, 0, 1, 0, 39, 75, 39, 38, T::itisaGlow},
      {u"!GLYPH.BMP!3!1!9", K::OwnImage, {}, 3, 1, 1, 0, 0, 0, 0, 0, T::itisaPngGlyph},
      {u"!glyph.png!3!1!2", K::None, {}, 0, 0, 0, 0, 0, 0, 0, 0, T::itisaBorder},
      {u"N/A", K::None, {}, 0, 0, 0, 0, 0, 0, 0, 0, T::itisaBorder},
      {u"16777215", K::None, {}, 0, 0, 0, 0, 0, 0, 0, 0, T::itisaBorder},
      {u"#", K::None, {}, 0, 0, 0, 0, 0, 0, 0, 0, T::itisaBorder},
      {u"frame.bmp", K::PlainBitmap, {}, 3, 1, 0, 0, 0, 0, 0, 0, T::itisaBorder},
      {u"#BTN (0,0,60,20) (3,0,2,1)", K::OldForm, {0, 0, 60, 20}, 3, 0, 1, 2, 2, 2, 2, 2, T::itisaBorder},
      {u"#BTN (0,0,60,20) (0,-1)", K::OldForm, {0, 0, 60, 20}, 1, 0, 1, 0, 60, 20, 60, 20, T::itisaBorder},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(fw::StringToUtf8(c.value));
    TMaskValue v = ParseMaskValue(c.value);
    ASSERT_EQ(v.Kind, c.kind);
    if (c.kind == K::None) continue;
    const TkMaskData& m = v.Mask;
    EXPECT_EQ(m.R, c.r);
    EXPECT_EQ(m.ImageCount, c.count);
    EXPECT_EQ(m.MaskType, c.type);
    EXPECT_EQ(m.DrawMode, c.drawMode);
    EXPECT_EQ(m.BorderWidth, c.border);
    EXPECT_EQ(m.WL, c.wl);
    EXPECT_EQ(m.WT, c.wt);
    EXPECT_EQ(m.WR, c.wr);
    EXPECT_EQ(m.WB, c.wb);
    EXPECT_EQ(m.ImgType, c.img);
  }
}

TEST(MaskValues, ValuesThatAreNotNumbersOrOutOfRangeAreRefused) {
  for (const char16_t* bad : {u"^00x3^0039^0006^0040^0001^0000^0000^0000^1^0^1^1",  // letters in a column
                              u"^0003^0039^0006^0040^0001^0000^0000^0000^1^0^1",     // too short
                              u"@0133@0000@0265@0018@0@0",                           // no image count
                              u"@0133@0000@0265@0018@3@-",
                              u"~0135~0070~0299~0071~xx~0",
                              u"!X.PNG!0!0!0",                                       // no image count
                              u"!X.PNG!2!-1!0",                                      // negative mask type
                              u"!X.PNG!2!0!-3"}) {
    SCOPED_TRACE(fw::StringToUtf8(bad));
    EXPECT_THROW(ParseMaskValue(bad), ESkinError);
  }
}

TEST(MaskValues, OwnImageWidthsFollowTheImage) {
  struct Case {
    const char16_t* value;
    int w, h, wl, wt;
  } cases[] = {
      {u"!X.PNG!3!1!0", 90, 60, 10, 10},        // W / (c * 3), H / (t * 3 + 3)
      {u"!X.PNG!2!0!0", 60, 30, 10, 10},
      {u"!X.PNG!2!0!0!0004!0005!0006!0007", 60, 30, 4, 5},  // given widths stay
      {u"PLAIN.BMP", 90, 60, 10, 10},            // W / 9, H / 6
  };
  for (const Case& c : cases) {
    TMaskValue v = ParseMaskValue(c.value);
    SetOwnImageGeometry(v, c.w, c.h);
    EXPECT_EQ(v.Mask.R, (fw::TRect{0, 0, c.w, c.h}));
    EXPECT_EQ(v.Mask.WL, c.wl) << fw::StringToUtf8(c.value);
    EXPECT_EQ(v.Mask.WT, c.wt) << fw::StringToUtf8(c.value);
  }
}

TEST(MaskValues, WordAsInt) {
  EXPECT_EQ(WordAsInt(2, u"!A.PNG!12!3", u"!"), 12);
  EXPECT_EQ(WordAsInt(5, u"!A.PNG!12!3", u"!"), 0);
  EXPECT_EQ(WordAsInt(1, u"!A.PNG!12!3", u"!"), 0);
  EXPECT_EQ(WordAsInt(2, u"a,,$10", u","), 16);
}

TEST(MaskValues, CornerTypeFindsKeyPixelsOnlyInTheCornerAreas) {
  // Two frames of 10 x 10 with widths 3.
  auto make = [](int x, int y) {
    TestImage image(20, 10, 0xFF808080);
    if (x >= 0) image.At(x, y) = clSkinKey;
    return image;
  };
  TkMaskData m;
  m.R = fw::TRect{0, 0, 20, 10};
  m.ImageCount = 2;
  m.WL = m.WT = m.WR = m.WB = 3;
  struct Case {
    int x, y, expected;
  } cases[] = {{-1, 0, 0}, {0, 0, 1}, {9, 0, 1}, {0, 8, 1}, {8, 8, 1}, {5, 5, 0}, {5, 0, 0}, {12, 0, 0}};
  for (const Case& c : cases) {
    TestImage image = make(c.x, c.y);
    EXPECT_EQ(MaskCornerType(m, image.View()), c.expected) << c.x << "," << c.y;
  }
  // A rectangle reaching outside the image reads nothing outside it.
  TestImage image = make(-1, 0);
  TkMaskData outside = m;
  outside.R = fw::TRect{-5, -5, 40, 40};
  EXPECT_EQ(MaskCornerType(outside, image.View()), 0);
  EXPECT_TRUE(image.GuardIntact());
  TkMaskData huge = m;
  huge.ClassName = u"BUTTON_HUGE";
  huge.PropertyName = u"BORDERSMASK";
  EXPECT_EQ(MaskCornerType(huge, image.View()), 2);
}

}  // namespace
}  // namespace skin
