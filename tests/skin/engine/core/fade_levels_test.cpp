// The level/step machine of the fades, driven by a clock of the test's own:
// what is shown at each tick of a hover, a press, a leave and their
// reversals, and when the image goes.
#include "skin/engine/core/fade_levels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace skin {
namespace {

// Records every request of the machine as a word.
struct Recorder : TkcFadeSink {
  std::vector<std::string> log;
  bool outside = false;
  void ShowAt(int Alpha) override { log.push_back(std::to_string(Alpha)); }
  void DropImage() override { log.push_back("drop"); }
  bool MouseOutside() override { return outside; }
  void MouseLeft() override { log.push_back("left"); }
  void FadedIn() override { log.push_back("full"); }
};

// One step of a scenario: a new fade, a re-target of the running one, the
// clock moving on, or the mouse leaving.
struct Act {
  enum Kind { Start, Retarget, Elapse, MouseOut } kind;
  int a = 0, b = 0;
  bool up = false;
};
Act Start(int state, int iterations, bool up = true) { return {Act::Start, state, iterations, up}; }
Act Retarget(int state, int iterations, bool up) { return {Act::Retarget, state, iterations, up}; }
Act Elapse(int ms) { return {Act::Elapse, ms}; }
Act MouseOut() { return {Act::MouseOut}; }

std::vector<std::string> Words(std::initializer_list<const char*> w) { return {w.begin(), w.end()}; }

TEST(FadeLevels, SequencesOfHoverPressAndLeave) {
  struct Case {
    const char* name;
    bool zeroShowsFull;
    std::vector<Act> acts;
    std::vector<std::string> expected;
    int endState;
    bool running;
  };
  const Case cases[] = {
      {"hover climbs in ten uploads of 25 to full strength",
       false,
       {Start(1, 10), Elapse(12 * 12)},
       Words({"25", "50", "75", "100", "125", "150", "175", "200", "225", "255", "full"}),
       1,
       true},
      {"half an interval shows nothing more",
       false,
       {Start(1, 10), Elapse(6), Elapse(5)},
       Words({"25"}),
       1,
       true},
      {"carried milliseconds add up to a tick",
       false,
       {Start(1, 10), Elapse(6), Elapse(6)},
       Words({"25", "50"}),
       1,
       true},
      {"leave after full falls from 250 and drops the image",
       false,
       {Start(1, 10), Elapse(12 * 10), Retarget(0, 10, false), Elapse(12 * 12)},
       Words({"25", "50", "75", "100", "125", "150", "175", "200", "225", "255", "full", "250", "225", "200",
              "175", "150", "125", "100", "75", "50", "25", "drop"}),
       -1,
       false},
      {"a new press shows full strength at once and needs no timer",
       false,
       {Start(2, 1)},
       Words({"drop", "255"}),
       2,
       false},
      {"a press during a hover shows full strength after one tick",
       false,
       {Start(1, 10), Elapse(12), Retarget(2, 1, true), Elapse(12), Elapse(48)},
       Words({"25", "50", "drop", "255", "full"}),
       2,
       true},
      {"a hover during a fade-out climbs on from the level reached",
       false,
       {Start(1, 10), Elapse(12 * 10), Retarget(0, 10, false), Elapse(36), Retarget(1, 10, true), Elapse(36)},
       Words({"25", "50", "75", "100", "125", "150", "175", "200", "225", "255", "full", "250", "225", "200", "175",
              "200", "225"}),
       1,
       true},
      {"a hover after a finished fade-out starts again from nothing",
       false,
       {Start(1, 2), Elapse(24), Retarget(0, 2, false), Elapse(48), Retarget(1, 2, true), Elapse(12)},
       Words({"127", "255", "full", "254", "127", "drop", "0"}),
       1,
       true},
      {"the mouse gone at full strength is reported once and stops the timer",
       false,
       {Start(1, 2), MouseOut(), Elapse(12 * 5)},
       Words({"127", "left", "255", "full"}),
       1,
       false},
      {"a title-bar item's return to normal shows full strength first",
       true,
       {Start(1, 10), Elapse(12 * 10), Start(0, 10, true), Elapse(12 * 12)},
       Words({"25", "50", "75", "100", "125", "150", "175", "200", "225", "255", "full", "255", "225", "200", "175",
              "150", "125", "100", "75", "50", "25", "drop"}),
       -1,
       false},
      {"no iterations count as one step",
       false,
       {Start(1, 0)},
       Words({"255"}),
       1,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TkcFadeLevels fade(c.zeroShowsFull);
    Recorder rec;
    for (const Act& a : c.acts) {
      switch (a.kind) {
        case Act::Start:
          fade.SetIterations(a.b);
          fade.StartAnimation(a.a, a.up, rec);
          break;
        case Act::Retarget:
          fade.Retarget(a.a, a.b, a.up, rec);
          break;
        case Act::Elapse:
          fade.Elapse(static_cast<unsigned>(a.a), rec);
          break;
        case Act::MouseOut:
          rec.outside = true;
          break;
      }
    }
    EXPECT_EQ(rec.log, c.expected);
    EXPECT_EQ(fade.CurrentState, c.endState);
    EXPECT_EQ(fade.Running, c.running);
  }
}

TEST(FadeLevels, SameStateAgainChangesNothing) {
  TkcFadeLevels fade;
  Recorder rec;
  fade.SetIterations(10);
  fade.StartAnimation(1, true, rec);
  fade.StartAnimation(1, true, rec);
  EXPECT_EQ(rec.log, Words({"25"}));
  EXPECT_EQ(fade.CurrentLevel, 2);
}

TEST(FadeLevels, OwnerTurningRoundAtTheMouseLeaveIsNotOverwritten) {
  // The owner answers the leave by fading out at once; the tick that
  // noticed the leave must not then mark the fade complete.
  struct Owner : Recorder {
    TkcFadeLevels* fade = nullptr;
    void MouseLeft() override {
      Recorder::MouseLeft();
      fade->Retarget(0, 10, false, *this);
    }
  } owner;
  TkcFadeLevels fade;
  owner.fade = &fade;
  fade.SetIterations(2);
  fade.StartAnimation(1, true, owner);
  owner.outside = true;
  fade.Elapse(12, owner);
  EXPECT_EQ(fade.MaxIterations, 10);
  EXPECT_EQ(fade.Step(), 25);
  fade.Elapse(12, owner);
  EXPECT_EQ(owner.log, Words({"127", "left", "50"}));
}

}  // namespace
}  // namespace skin
