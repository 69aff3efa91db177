// Panel and static-text sections by their bevels, and the panel caption's
// rectangle inside bevels and border.
#include "skin/controls/core/panel_layout.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(PanelLayout, SectionsByBevels) {
  struct Case {
    int outer, inner;
    bool border;
    const char16_t* section;
  } cases[] = {
      {kbvLowered, kbvRaised, false, u"GROUPBOX"}, {kbvLowered, kbvNone, false, u"PANEL_LOW"},
      {kbvRaised, kbvLowered, false, u"GROUPBOX"}, {kbvRaised, kbvNone, false, u"PANEL"},
      {kbvNone, kbvRaised, true, u"PANEL_LOW"},    {kbvSpace, kbvLowered, false, u"CHECKBOX"},
      {kbvRaised, kbvSpace, true, u"PANEL"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fw::String(PanelSectionName(c.outer, c.inner, c.border)), c.section) << c.outer << " " << c.inner;
}

TEST(PanelLayout, StaticTextSectionsByBevelKindAndBevels) {
  EXPECT_EQ(fw::String(StaticTextSectionName(false, kbvLowered, kbvRaised)), u"CHECKBOX") << "no bevel kind";
  EXPECT_EQ(fw::String(StaticTextSectionName(true, kbvLowered, kbvRaised)), u"GROUPBOX");
  EXPECT_EQ(fw::String(StaticTextSectionName(true, kbvRaised, kbvLowered)), u"GROUPBOX");
  EXPECT_EQ(fw::String(StaticTextSectionName(true, kbvLowered, kbvNone)), u"PANEL_LOW");
  EXPECT_EQ(fw::String(StaticTextSectionName(true, kbvRaised, kbvRaised)), u"PANEL");
  EXPECT_EQ(fw::String(StaticTextSectionName(true, kbvNone, kbvNone)), u"CHECKBOX");
}

TEST(PanelLayout, CaptionInsideBevelsAndBorder) {
  // Bevel width 2, both bevels, border 3: shrunk by 7, one line high, centred.
  EXPECT_EQ(PanelTextRect(fw::Rect(0, 0, 100, 60), kbvRaised, kbvLowered, 2, 3, 13), fw::Rect(7, 23, 93, 36));
  EXPECT_EQ(PanelTextRect(fw::Rect(0, 0, 100, 60), kbvNone, kbvNone, 2, 0, 13), fw::Rect(0, 23, 100, 36));
  EXPECT_EQ(PanelTextRect(fw::Rect(0, 0, 100, 61), kbvRaised, kbvNone, 1, 0, 14), fw::Rect(1, 23, 99, 37));
}

}  // namespace
}  // namespace skin
