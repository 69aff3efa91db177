// The hit test of a skinned frame over a table of points: buttons by their
// rules, user buttons and title-bar items, edges, corners, caption, icon,
// menu line, grip and client.
#include "skin/forms/core/title_hit_test.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

// A sizeable 400 x 300 form with big buttons and help (rectangles as the
// layout places them).
TkTitleHitInput Form400() {
  TkTitleHitInput in;
  in.Frame.Width = 400;
  in.Frame.Height = 300;
  in.Frame.ClientWidth = 392;
  in.Frame.ClientHeight = 273;
  in.Layout.IconRect = fw::Rect(6, 3, 22, 19);
  in.Layout.Close.Rect = fw::Rect(373, 1, 394, 22);
  in.Layout.Max.Rect = fw::Rect(351, 1, 372, 22);
  in.Layout.Min.Rect = fw::Rect(329, 1, 350, 22);
  in.Layout.Help.Rect = fw::Rect(301, 1, 322, 22);
  in.HelpIcon = true;
  in.Rules = SystemMenuRules({});
  return in;
}

TEST(TitleHitTest, PointsOfANormalForm) {
  const TkTitleHitInput in = Form400();
  struct Case {
    const char* what;
    int x, y, code;
  } cases[] = {
      {"caption", 200, 10, 2},        {"icon", 10, 10, 3},          {"close", 383, 11, 20},
      {"maximise", 361, 11, 9},       {"minimise", 339, 11, 8},     {"help", 311, 11, 21},
      {"between buttons", 372, 11, 2}, {"left", 2, 150, 10},         {"right", 398, 150, 11},
      {"top", 200, 2, 12},            {"bottom", 200, 298, 15},     {"top-left", 2, 2, 13},
      {"top-right", 398, 2, 14},      {"bottom-left", 2, 298, 16},  {"bottom-right", 398, 298, 17},
      {"client", 200, 150, 1},        {"right edge limit", 396, 150, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(TitleHitTest(in, c.x, c.y), c.code) << c.what;
}

TEST(TitleHitTest, RulesStatesAndMissingParts) {
  struct Case {
    const char* what;
    void (*change)(TkTitleHitInput&);
    int x, y, code;
  } cases[] = {
      {"disabled close drags", [](TkTitleHitInput& in) { in.Rules.EnabledClose = false; }, 383, 11, 2},
      {"disabled maximise without restore",
       [](TkTitleHitInput& in) { in.Rules.EnabledMax = in.Rules.EnabledRestore = false; }, 361, 11, 2},
      {"maximise that restores",
       [](TkTitleHitInput& in) {
         in.Rules.EnabledMax = false;
         in.Rules.EnabledRestore = true;
       },
       361, 11, 9},
      {"disabled minimise", [](TkTitleHitInput& in) { in.Rules.EnabledMin = false; }, 339, 11, 2},
      {"iconic disabled minimise after maximise",
       [](TkTitleHitInput& in) {
         in.Rules.EnabledMin = false;
         in.Frame.Iconic = true;
       },
       339, 11, 8},
      {"no biSystemMenu: no buttons", [](TkTitleHitInput& in) { in.SystemMenuIcon = false; }, 383, 11, 2},
      {"no system menu object", [](TkTitleHitInput& in) { in.HasSystemMenu = false; }, 383, 11, 2},
      {"maximised: no edges", [](TkTitleHitInput& in) { in.Frame.Zoomed = true; }, 2, 150, 1},
      {"no thick frame: no edges", [](TkTitleHitInput& in) { in.Frame.Style = kWsCaption; }, 398, 298, 1},
      {"grip", [](TkTitleHitInput& in) {
         in.GripShown = true;
         in.GripPos = {380, 280};
       }, 390, 290, 17},
      {"above the grip", [](TkTitleHitInput& in) {
         in.GripShown = true;
         in.GripPos = {380, 280};
       }, 390, 280, 1},
      {"menu line", [](TkTitleHitInput& in) {
         in.Frame.HasMainMenu = true;
         in.Frame.MenuRows = 1;
       }, 100, 35, 5},
      {"below the menu line", [](TkTitleHitInput& in) {
         in.Frame.HasMainMenu = true;
         in.Frame.MenuRows = 1;
       }, 100, 42, 1},
      {"border window: buttons are its business", [](TkTitleHitInput& in) { in.BorderWindow = true; }, 383, 11, 2},
  };
  for (const Case& c : cases) {
    TkTitleHitInput in = Form400();
    c.change(in);
    EXPECT_EQ(TitleHitTest(in, c.x, c.y), c.code) << c.what;
  }
}

TEST(TitleHitTest, HelpAfterMinimiseWithoutMaximiseAnswersHelp) {
  TkTitleHitInput in = Form400();
  in.Rules.VisibleMax = false;
  in.Layout.Max.Rect = {};
  in.Layout.Min.Rect = fw::Rect(351, 1, 372, 22);
  in.Layout.Help.Rect = fw::Rect(323, 1, 344, 22);
  EXPECT_EQ(TitleButtonIndexAt(in, 361, 11), 2);
  EXPECT_EQ(TitleButtonIndexAt(in, 330, 11), 3);
  EXPECT_EQ(TitleHitTest(in, 361, 11), 8);
  EXPECT_EQ(TitleHitTest(in, 330, 11), 21);
}

TEST(TitleHitTest, UserButtonsAndTitleBarItemsKeepTheirOrdinals) {
  TkTitleHitInput in = Form400();
  in.UserButtons = {{fw::Rect(270, 1, 290, 22), false}, {fw::Rect(250, 1, 270, 22)}, {fw::Rect(230, 1, 250, 22), true, false}};
  TkTitleElement spacing{fw::Rect(100, 1, 120, 22)};
  spacing.Inert = true;
  TkTitleElement tab{fw::Rect(130, 1, 160, 22)};
  tab.PressedTab = true;
  in.Items = {{fw::Rect(60, 1, 90, 22)}, spacing, tab, {fw::Rect(170, 1, 200, 22), true, false}};
  EXPECT_EQ(TitleHitTest(in, 280, 11), 2) << "an invisible button is never hit";
  EXPECT_EQ(TitleHitTest(in, 260, 11), 1001) << "the next one keeps its code";
  EXPECT_EQ(TitleButtonIndexAt(in, 260, 11), 4 + 2);
  EXPECT_EQ(TitleHitTest(in, 240, 11), 2) << "a disabled button drags";
  EXPECT_EQ(TitleHitTest(in, 70, 11), 2000);
  EXPECT_EQ(TitleButtonIndexAt(in, 70, 11), 4 + 3 + 1);
  EXPECT_EQ(TitleButtonIndexAt(in, 110, 11), 0) << "spacing and info items answer nothing";
  EXPECT_EQ(TitleHitTest(in, 110, 11), 2);
  EXPECT_EQ(TitleHitTest(in, 140, 11), 1) << "a pressed tab is the client";
  EXPECT_EQ(TitleHitTest(in, 180, 11), 2) << "a disabled item";
}

}  // namespace
}  // namespace skin
