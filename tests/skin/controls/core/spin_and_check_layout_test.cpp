// Up-down buttons and check box layout as numbers: button rectangles and
// looks from the cursor, button kinds by type (split buttons and command
// links are push buttons), glyph masks and caption places.
#include <gtest/gtest.h>

#include "skin/controls/core/check_layout.h"
#include "skin/controls/core/spin_geometry.h"

namespace skin {
namespace {

TEST(SpinGeometry, ButtonRectangles) {
  struct Case {
    int w, h;
    bool vertical;
    int offset;
    fw::TRect first, second;
  } cases[] = {
      {16, 21, true, 0, fw::Rect(0, 0, 16, 11), fw::Rect(0, 10, 16, 21)},  // rows 0-10 and 10-20
      {16, 20, true, 0, fw::Rect(0, 0, 16, 10), fw::Rect(0, 10, 16, 20)},
      {16, 21, true, 2, fw::Rect(2, 0, 16, 11), fw::Rect(2, 10, 16, 21)},
      {31, 14, false, 2, fw::Rect(0, 0, 16, 14), fw::Rect(15, 0, 31, 14)},  // no offset across
      {30, 14, false, 0, fw::Rect(0, 0, 15, 14), fw::Rect(15, 0, 30, 14)},
  };
  for (const Case& c : cases) {
    const auto [a, b] = SpinButtonRects(c.w, c.h, c.vertical, c.offset);
    EXPECT_EQ(a, c.first) << c.w << "x" << c.h;
    EXPECT_EQ(b, c.second) << c.w << "x" << c.h;
  }
}

TEST(SpinGeometry, LooksFromTheCursor) {
  using P = std::pair<int, int>;
  EXPECT_EQ(SpinButtonStates(16, 21, true, 5, 3, false), P(1, 0));
  EXPECT_EQ(SpinButtonStates(16, 21, true, 5, 15, false), P(0, 1));
  EXPECT_EQ(SpinButtonStates(16, 21, true, 5, 15, true), P(0, 2)) << "pressing the lower button";
  EXPECT_EQ(SpinButtonStates(16, 21, true, 5, 3, true), P(2, 0)) << "moved onto the upper one while pressed";
  EXPECT_EQ(SpinButtonStates(16, 21, true, 5, 10, false), P(1, 0)) << "the shared row belongs to the first";
  EXPECT_EQ(SpinButtonStates(16, 21, true, 5, 21, true), P(0, 0)) << "outside";
  EXPECT_EQ(SpinButtonStates(30, 14, false, 20, 3, false), P(0, 1));
  EXPECT_EQ(SpinButtonStates(30, 14, false, -1, 3, false), P(0, 0));
}

TEST(CheckLayout, KindsByType) {
  struct Case {
    uint32_t style;
    TkButtonKind kind;
  } cases[] = {{0, bkPush},  {1, bkPush},  {2, bkCheck}, {3, bkCheck},  {4, bkRadio},  {5, bkCheck},
               {6, bkCheck}, {7, bkGroup}, {9, bkRadio}, {0xB, bkOwnerDraw}, {0xC, bkPush}, {0xD, bkPush},
               {0xE, bkPush}, {0xF, bkPush}, {0x50010003, bkCheck}};
  for (const Case& c : cases) EXPECT_EQ(ButtonKindOf(c.style), c.kind) << std::hex << c.style;
}

TEST(CheckLayout, GlyphMasks) {
  EXPECT_EQ(fw::String(CheckGlyphMaskName(3, 0)), u"BOXUNCHECKED");
  EXPECT_EQ(fw::String(CheckGlyphMaskName(3, 1)), u"BOXCHECKED");
  EXPECT_EQ(fw::String(CheckGlyphMaskName(3, 2)), u"BOXGRAYED");
  EXPECT_EQ(fw::String(CheckGlyphMaskName(9, 0)), u"RADIOUNCHECKED");
  EXPECT_EQ(fw::String(CheckGlyphMaskName(4, 1)), u"RADIOCHECKED");
  EXPECT_EQ(fw::String(CheckGlyphMaskName(9, 2)), u"BOXGRAYED") << "an indeterminate radio button";
  EXPECT_EQ(fw::String(CheckGlyphMaskName(0xC, 1)), u"BOXCHECKED") << "a split button is no radio button";
}

TEST(CheckLayout, GlyphAndCaptionPlaces) {
  EXPECT_EQ(CheckGlyphRect(100, 20, 13, 13, 3), fw::Rect(0, 3, 13, 16));
  EXPECT_EQ(CheckGlyphRect(100, 20, 13, 13, 0x23), fw::Rect(87, 3, 100, 16)) << "left text: glyph at the right";
  TkCheckText t = CheckTextPlace(100, 20, 13, 40, 14, 3, 0);
  EXPECT_EQ(t.R, fw::Rect(17, 2, 57, 16));
  EXPECT_EQ(t.Flags, 0x20u);
  t = CheckTextPlace(100, 40, 13, 40, 28, 0x2003, 0);
  EXPECT_EQ(t.R, fw::Rect(16, 5, 56, 33)) << "multi-line: one left too";
  EXPECT_EQ(t.Flags, 0x10u);
  t = CheckTextPlace(100, 20, 13, 40, 14, 0x23, 0);
  EXPECT_EQ(t.R, fw::Rect(2, 3, 42, 17));
  t = CheckTextPlace(100, 20, 13, 40, 14, 0x23, 0x2000);
  EXPECT_EQ(t.R, fw::Rect(41, 3, 81, 17));
  EXPECT_EQ(t.Flags, 0x20u | 0x20000u | 0x2u);
  t = CheckTextPlace(100, 10, 13, 40, 30, 3, 0);
  EXPECT_EQ(t.R.Top, -1) << "a caption taller than the box starts at the top";
}

TEST(CheckLayout, GroupCaption) {
  EXPECT_EQ(GroupCaptionRect(200, 50, 13, 0), fw::Rect(6, 0, 64, 15));
  EXPECT_EQ(GroupCaptionRect(200, 50, 13, 0x2000), fw::Rect(136, 0, 194, 15));
  EXPECT_EQ(GroupCaptionRect(40, 50, 13, 0), fw::Rect(6, 0, 39, 15)) << "wider than the window";
  EXPECT_EQ(GroupCaptionRect(200, 0, 0, 0), fw::Rect(6, 0, 14, 6)) << "no caption";
}

}  // namespace
}  // namespace skin
