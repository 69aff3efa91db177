// A combo box's button and text by kind, reading order and margin: a simple
// box has no button, right-to-left reading puts the button on the left and
// the text right of it.
#include "skin/controls/core/combo_geometry.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(ComboGeometry, ButtonAndTextByKindReadingAndMargin) {
  const fw::TPoint size{120, 24};
  struct Case {
    const char* what;
    uint32_t style;
    bool rtl;
    int margin;
    fw::TRect button, text;
  } cases[] = {
      {"drop-down", 2, false, 2, fw::Rect(100, 2, 118, 22), fw::Rect(3, 3, 100, 21)},
      {"drop-down list", 3, false, 2, fw::Rect(100, 2, 118, 22), fw::Rect(3, 3, 100, 21)},
      {"margin 0", 3, false, 0, fw::Rect(102, 0, 120, 24), fw::Rect(3, 3, 102, 21)},
      {"right to left", 3, true, 2, fw::Rect(2, 2, 20, 22), fw::Rect(20, 3, 117, 21)},
      {"simple: no button", 1, false, 2, fw::Rect(118, 2, 118, 22), fw::Rect(3, 3, 118, 21)},
  };
  for (const Case& c : cases) {
    const fw::TRect b = ComboButtonRect(size, ComboKindOf(c.style), c.rtl, 17, c.margin);
    EXPECT_EQ(b, c.button) << c.what;
    EXPECT_EQ(ComboTextRect(size, b, c.rtl), c.text) << c.what;
  }
  EXPECT_EQ(ComboKindOf(0x40 | 3), TkComboKind::DropDownList) << "other style bits do not count";
}

}  // namespace
}  // namespace skin
