// Texts of system-menu entries: caption and shortcut around the tab, and the
// skin a skin-list entry stands for.
#include "skin/forms/core/system_menu_text.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(SystemMenuText, CaptionAndShortCutSplitAtTheFirstTab) {
  const struct {
    const char16_t *text, *caption, *shortcut;
  } cases[] = {
      {u"&Close\tAlt+F4", u"&Close", u"Alt+F4"},
      {u"Custom", u"Custom", u""},
      {u"A\tB\tC", u"A", u"B\tC"},
      {u"", u"", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MenuTextCaption(c.text), c.caption);
    EXPECT_EQ(MenuTextShortCut(c.text), c.shortcut);
  }
}

TEST(SystemMenuText, SkinNameDropsHotKeyMarksAndCutsAfterTheSuffix) {
  const struct {
    const char16_t *caption, *name;
  } cases[] = {
      {u"&Sapphire (internal)", u"Sapphire (internal)"},
      {u"Sap&phire (internal)", u"Sapphire (internal)"},
      {u"A (internal) (internal)", u"A (internal)"},
      {u"A (internal)&&tail", u"A (internal)"},
      {u"Plain", u"Plain"},
      {u"&&", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(SkinNameOfCaption(c.caption, u"(internal)"), c.name);
  EXPECT_EQ(SkinNameOfCaption(u"B (internal) x", u""), u"B (internal) x");
}

TEST(SystemMenuText, TwentySkinsAColumn) {
  int breaks = 0;
  for (int i = 0; i < 45; ++i) breaks += SkinEntryStartsColumn(i);
  EXPECT_EQ(breaks, 2);
  EXPECT_FALSE(SkinEntryStartsColumn(0));
  EXPECT_TRUE(SkinEntryStartsColumn(20));
  EXPECT_TRUE(SkinEntryStartsColumn(40));
}

}  // namespace
}  // namespace skin
