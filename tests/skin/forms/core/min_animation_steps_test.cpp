// The minimize and restore animation's arithmetic: the target on the
// taskbar, the start alpha, each step's rectangle and alpha, the reversal
// and where a frame is shown.
#include "skin/forms/core/min_animation_steps.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(MinAnimationSteps, TargetFollowsTheTaskbarsSide) {
  struct Case {
    const char* name;
    TkTaskbarFacts taskbar;
    bool composition;
    fw::TRect expected;
    unsigned position;
  };
  const fw::TRect button = fw::Rect(200, 740, 300, 768);
  const Case cases[] = {
      {"no taskbar: the screen origin", {}, true, fw::Rect(0, 0, 0, 0), 0},
      {"bottom", {true, fw::Rect(0, 740, 1024, 768), {}}, true, fw::Rect(300, 740, 300, 740), kTaskbarBottom},
      {"bottom, a little off the left edge", {true, fw::Rect(-4, 740, 1020, 768), {}}, true,
       fw::Rect(300, 740, 300, 740), kTaskbarBottom},
      {"a bar not at the top, further right, counts as right", {true, fw::Rect(100, 740, 1024, 768), {}}, true,
       fw::Rect(100, 250, 100, 250), kTaskbarRight},
      {"right", {true, fw::Rect(984, 0, 1024, 768), {}}, true, fw::Rect(984, 250, 984, 250), kTaskbarRight},
      {"left", {true, fw::Rect(0, 0, 40, 768), {}}, true, fw::Rect(40, 250, 40, 250), kTaskbarLeft},
      {"top", {true, fw::Rect(0, 0, 1024, 30), {}}, true, fw::Rect(300, 30, 300, 30), kTaskbarTop},
      {"without composition the button is the target", {true, fw::Rect(0, 740, 1024, 768), button}, false, button,
       0},
      {"with composition the button is not looked at", {true, fw::Rect(0, 740, 1024, 768), button}, true,
       fw::Rect(300, 740, 300, 740), kTaskbarBottom},
      {"without composition and without button: the edge", {true, fw::Rect(0, 740, 1024, 768), {}}, false,
       fw::Rect(300, 740, 300, 740), kTaskbarBottom},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    unsigned position = 0;
    EXPECT_EQ(MinimizeTarget(c.taskbar, c.composition, 300, 250, position), c.expected);
    EXPECT_EQ(position, c.position);
  }
}

TEST(MinAnimationSteps, StartAlphaIsAQuarterWhenStepped) {
  EXPECT_EQ(MinimizeAlphaFrom(false, 100, true), 63);
  EXPECT_EQ(MinimizeAlphaFrom(false, 100, false), 255);
  EXPECT_EQ(MinimizeAlphaFrom(true, 200, true), 50);
  EXPECT_EQ(MinimizeAlphaFrom(true, 200, false), 200);
}

const TkTaskbarFacts kBottomBar{true, fw::Rect(0, 740, 1024, 768), {}};

TEST(MinAnimationSteps, SteppedMinimizeShrinksTowardsTheBarAndEndsAtAlphaZero) {
  TkMinSteps s;
  s.Init(fw::Rect(100, 100, 500, 400), 63, 120, kBottomBar, true);
  EXPECT_EQ(s.StepCount, 10);
  EXPECT_DOUBLE_EQ(s.BlendStep, 7.0);
  EXPECT_DOUBLE_EQ(s.DeltaY, 49.0);
  EXPECT_DOUBLE_EQ(s.DeltaW, 20.0);
  EXPECT_DOUBLE_EQ(s.DeltaH, 15.0);
  EXPECT_FALSE(s.StepMinimize());
  EXPECT_DOUBLE_EQ(s.CurLeft, 120);
  EXPECT_DOUBLE_EQ(s.CurRight, 480);
  EXPECT_DOUBLE_EQ(s.CurTop, 164);
  EXPECT_DOUBLE_EQ(s.CurBottom, 434);
  const TkMinFrame f = s.Frame(400, 300);
  EXPECT_EQ(f.StretchWidth, 360);
  EXPECT_EQ(f.StretchHeight, 270);
  EXPECT_EQ(f.OffsetX, 20);
  EXPECT_EQ(f.OffsetY, 15);
  EXPECT_EQ(f.WindowPos, (fw::TPoint{100, 149}));
  EXPECT_EQ(f.Alpha, 56);
  int steps = 1;
  while (!s.StepMinimize()) ++steps;
  EXPECT_EQ(steps + 1, 9) << "63 falls by 7 to 0 in nine steps";
  EXPECT_TRUE(s.Minimized);
  EXPECT_EQ(s.Frame(400, 300).Alpha, 0);
}

TEST(MinAnimationSteps, UnsteppedMinimizeTakesOneStep) {
  TkMinSteps s;
  s.Init(fw::Rect(100, 100, 500, 400), MinimizeAlphaFrom(false, 0, false), 0, kBottomBar, false);
  EXPECT_EQ(s.StepCount, 1);
  EXPECT_TRUE(s.StepMinimize());
  EXPECT_DOUBLE_EQ(s.CurLeft, 300);
  EXPECT_DOUBLE_EQ(s.CurRight, 300);
}

TEST(MinAnimationSteps, RestoreDuringMinimizeReversesFromTheCurrentPoint) {
  TkMinSteps s;
  s.Init(fw::Rect(100, 100, 500, 400), 63, 120, kBottomBar, true);
  for (int i = 0; i < 3; ++i) ASSERT_FALSE(s.StepMinimize());
  EXPECT_DOUBLE_EQ(s.CurrentAlpha, 42);
  EXPECT_FALSE(s.StepRestore(63));
  EXPECT_FALSE(s.StepRestore(63));
  EXPECT_TRUE(s.StepRestore(63)) << "the end is the alpha back at its start";
  EXPECT_NEAR(s.CurLeft, 100, 1e-9);
  EXPECT_NEAR(s.CurTop, 100, 1e-9);
  EXPECT_NEAR(s.CurRight, 500, 1e-9);
  EXPECT_NEAR(s.CurBottom, 400, 1e-9);
  EXPECT_FALSE(s.Minimized);
}

TEST(MinAnimationSteps, FullRestoreFromTheTaskbarGrowsBackToTheForm) {
  TkMinSteps s;
  s.Init(fw::Rect(100, 100, 500, 400), 63, 120, kBottomBar, true);
  while (!s.StepMinimize()) {
  }
  int steps = 0;
  while (!s.StepRestore(63)) ++steps;
  EXPECT_EQ(steps + 1, 9);
  EXPECT_NEAR(s.CurLeft, 100, 1e-9);
  EXPECT_NEAR(s.CurBottom, 400, 1e-9);
  EXPECT_EQ(s.Frame(400, 300).Alpha, 63);
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(MinAnimationSteps, ThumbnailKeepsTheAspect) {
  struct Case {
    int maxW, maxH, w, h;
    fw::TPoint expected;
  };
  const Case cases[] = {
      {200, 120, 400, 300, {160, 120}},  // wider room: the height fills
      {200, 200, 400, 300, {200, 150}},  // taller room: the width fills
      {200, 150, 400, 300, {200, 150}},  // the same aspect
      {201, 100, 3, 2, {150, 100}},
      {100, 101, 2, 3, {67, 101}},       // 67.33 rounds down
      {0, 120, 400, 300, {0, 0}},
      {200, 120, 0, 300, {0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(FitThumbnail(c.maxW, c.maxH, c.w, c.h), c.expected) << c.maxW << "x" << c.maxH;
}

}  // namespace
}  // namespace skin
