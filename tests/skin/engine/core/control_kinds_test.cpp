// What a control's kind code decides, the background kind of a section and
// the two background colour blends.
#include "skin/engine/core/control_kinds.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(ControlKinds, DefaultSectionAndSetsOfEachKind) {
  struct Case {
    int kind;
    const char16_t* section;
    bool plainBg, colored, noHot;
  };
  const Case cases[] = {
      {0, u"TOwner", false, false, false},
      {2, u"EDIT", false, true, false},
      {8, u"EDIT", false, true, false},
      {9, u"TOwner", false, true, false},
      {10, u"EDIT", false, true, false},
      {11, u"COMBOBOX", false, true, false},
      {18, u"COMBOBOX", false, true, false},
      {19, u"BAR", false, false, true},
      {20, u"BARTITLE", false, false, false},
      {32, u"CHECKBOX", false, false, false},
      {50, u"CHECKBOX", false, false, false},
      {51, u"PANEL", true, false, true},
      {52, u"PANEL_LOW", true, false, true},
      {53, u"TOOLBAR", false, false, true},
      {54, u"TOOLBAR", true, false, true},
      {55, u"TOwner", false, false, true},
      {56, u"DRAGBAR", true, false, true},
      {57, u"TABSHEET", true, false, true},
      {60, u"TOOLBAR", true, false, true},
      {74, u"GROUPBOX", true, false, true},
      {75, u"SPLITTER", false, false, false},
      {77, u"TOwner", false, true, false},
      {81, u"COMBOBOX", false, true, false},
      {85, u"EDIT", false, false, false},
      {92, u"SPEEDBUTTON", false, false, false},
      {93, u"BUTTON", false, false, false},
      {98, u"TOOLBUTTON", false, false, false},
      {110, u"TOwner", true, false, true},
      {131, u"EDIT", false, true, false},
      {141, u"PAGECONTROL", true, false, true},
      {151, u"STATUSBAR", true, false, true},
      {152, u"CHECKBOX", false, false, true},
      {161, u"GAUGE", true, false, true},
      {162, u"TOwner", false, false, false},
      {165, u"TRACKBAR", false, false, false},
      {226, u"GROUPBOX", true, false, false},
      {230, u"EDIT", false, false, false},
      {231, u"TOwner", false, true, false},
      {256 + 51, u"TOwner", false, false, false},
      {-1, u"TOwner", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    EXPECT_EQ(DefaultSectionOfKind(c.kind, u"TOwner"), c.section);
    EXPECT_EQ(IsPlainBgKind(c.kind), c.plainBg);
    EXPECT_EQ(IsColoredKind(c.kind), c.colored);
    EXPECT_EQ(IsNoHotKind(c.kind), c.noHot);
  }
}

TEST(ControlKinds, BackgroundTypeOfASection) {
  struct Case {
    const char* name;
    int imagePercent, gradientPercent;
    std::vector<int> modes;
    uint16_t expected;
  };
  const Case cases[] = {
      {"plain", 0, 0, {}, 0},
      {"texture", 50, 0, {}, 4},
      {"vertical gradient", 0, 100, {0}, 2},
      {"horizontal gradient", 0, 100, {1}, 1},
      {"four triangles", 0, 100, {2}, 3},
      {"other mode", 0, 100, {7}, 0},
      {"gradient percent without parts", 0, 100, {}, 0},
      {"parts without percent", 0, 0, {0}, 0},
      {"texture and gradient", 10, 100, {2, 0}, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TkGenState s;
    s.ImagePercent = c.imagePercent;
    s.GradientPercent = c.gradientPercent;
    for (int mode : c.modes) {
      TkGradPie part;
      part.Mode1 = mode;
      s.GradientArray.push_back(part);
    }
    EXPECT_EQ(SectionBgType(s), c.expected);
  }
}

TEST(ControlKinds, TheTwoBlendsOfABackgroundColour) {
  // The answer to skin command 21 divides by 256, the control's colour by 100.
  EXPECT_EQ(BlendBgColor256(0x000000, 0xFFFFFF, 50), 0x313131);
  EXPECT_EQ(BlendBgColorPercent(0x000000, 0xFFFFFF, 50), 0x7F7F7F);
  EXPECT_EQ(BlendBgColor256(0x0000FF, 0x00FF00, 0), 0x0000FF);
  EXPECT_EQ(BlendBgColor256(0x0000FF, 0x00FF00, 128), 0x007F80);
  // Bytes above the parent's blend downwards without wrapping.
  EXPECT_EQ(BlendBgColor256(0xFFFFFF, 0x000000, 50), 0xCECECE);
  // The fourth byte: the parent's for command 21, the own colour's else.
  EXPECT_EQ(static_cast<uint32_t>(BlendBgColor256(0x01000000, 0x02000000, 50)) >> 24, 2u);
  EXPECT_EQ(static_cast<uint32_t>(BlendBgColorPercent(0x01000000, 0x02000000, 50)) >> 24, 1u);
  EXPECT_EQ(BlendBgColorPercent(0x102030, 0x000000, 100), 0x102030);
}

}  // namespace
}  // namespace skin
