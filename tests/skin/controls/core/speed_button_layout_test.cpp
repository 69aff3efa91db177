// A speed button's glyph and caption by the glyph's side, margin and
// spacing, with and without a glyph, and what pressing moves: glyph and
// caption by one pixel with the glyph on top, a caption beside the glyph
// by two away from the edge.
#include "skin/controls/core/speed_button_layout.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TkSpeedButtonLayout Button(TkGlyphSide side, int margin, bool glyph = true, bool pressed = false) {
  TkSpeedButtonLayout l;
  l.Side = side;
  l.Margin = margin;
  l.Spacing = 4;
  l.Size = {100, 30};
  l.Glyph = glyph ? fw::TPoint{16, 16} : fw::TPoint{0, 0};
  l.Text = {40, 13};
  l.Pressed = pressed;
  return l;
}

TEST(SpeedButtonLayout, GlyphAndCaptionBySideAndMargin) {
  using S = TkGlyphSide;
  struct Case {
    const char* what;
    TkSpeedButtonLayout l;
    fw::TPoint glyph, caption;
  } cases[] = {
      {"left, centred", Button(S::Left, -1), {20, 7}, {40, 8}},
      {"right, centred", Button(S::Right, -1), {64, 7}, {20, 8}},
      // y0 = (30 - 16 - 4 - 13) / 2 truncates to -1.
      {"top, centred", Button(S::Top, -1), {42, -1}, {30, 19}},
      {"bottom, centred", Button(S::Bottom, -1), {42, 15}, {30, -2}},
      {"left, margin 4", Button(S::Left, 4), {4, 7}, {24, 8}},
      {"right, margin 4", Button(S::Right, 4), {80, 7}, {36, 8}},
      {"no glyph, centred", Button(S::Left, -1, false), {42, 15}, {30, 8}},
      {"no glyph, left margin 4", Button(S::Left, 4, false), {4, 15}, {4, 8}},
      {"no glyph, top margin 4", Button(S::Top, 4, false), {50, 4}, {30, 4}},
      {"no glyph, bottom margin 4", Button(S::Bottom, 4, false), {50, 26}, {30, 13}},
  };
  for (const Case& c : cases) {
    const fw::TRect g = SpeedButtonGlyphRect(c.l), t = SpeedButtonCaptionRect(c.l);
    if (c.l.Glyph.x > 0) EXPECT_EQ((fw::TPoint{g.Left, g.Top}), c.glyph) << c.what;
    EXPECT_EQ((fw::TPoint{t.Left, t.Top}), c.caption) << c.what;
    EXPECT_EQ(t.Width(), 40) << c.what;
  }
}

TEST(SpeedButtonLayout, PressingMovesTheContent) {
  using S = TkGlyphSide;
  struct Case {
    TkGlyphSide side;
    fw::TPoint glyphMove, captionMove;
  } cases[] = {{S::Top, {1, 1}, {1, 1}}, {S::Left, {1, 1}, {2, 1}}, {S::Right, {1, 1}, {2, 1}}, {S::Bottom, {1, 1}, {1, 2}}};
  for (const Case& c : cases) {
    const fw::TRect g0 = SpeedButtonGlyphRect(Button(c.side, -1)), g1 = SpeedButtonGlyphRect(Button(c.side, -1, true, true));
    const fw::TRect t0 = SpeedButtonCaptionRect(Button(c.side, -1)),
                    t1 = SpeedButtonCaptionRect(Button(c.side, -1, true, true));
    EXPECT_EQ((fw::TPoint{g1.Left - g0.Left, g1.Top - g0.Top}), c.glyphMove) << int(c.side);
    EXPECT_EQ((fw::TPoint{t1.Left - t0.Left, t1.Top - t0.Top}), c.captionMove) << int(c.side);
  }
}

}  // namespace
}  // namespace skin
