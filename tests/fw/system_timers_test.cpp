// Timers: OnTimer comes from the message loop every Interval while enabled.
#include <gtest/gtest.h>

#include "controls_test_util.h"
#include "fw/system/timers.h"

using namespace fw;

namespace {

struct Ticks {
  int n = 0;
  void Tick(TObject*) { ++n; }
};

TEST(Timers, FiresWhileEnabledAndStopsWhenDisabledOrFreed) {
  Ticks ticks;
  auto* timer = new TTimer(nullptr);
  timer->SetInterval(10);
  timer->SetOnTimer(TNotifyEvent(&ticks, &Ticks::Tick));
  ASSERT_TRUE(fwtest::PumpUntil([&] { return ticks.n >= 3; }));
  timer->SetEnabled(false);
  int stopped = ticks.n;
  fwtest::Pump(60);
  EXPECT_EQ(ticks.n, stopped);
  timer->SetEnabled(true);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return ticks.n > stopped; }));
  timer->Free();
  int gone = ticks.n;
  fwtest::Pump(60);
  EXPECT_EQ(ticks.n, gone);
}

TEST(Timers, IntervalZeroOrNoHandlerDoesNotRun) {
  Ticks ticks;
  TTimer timer(nullptr);
  timer.SetInterval(0);
  timer.SetOnTimer(TNotifyEvent(&ticks, &Ticks::Tick));
  fwtest::Pump(50);
  EXPECT_EQ(ticks.n, 0);
}

TEST(Timers, ExceptionInOnTimerGoesToTheApplication) {
  struct Thrower {
    int n = 0;
    void Tick(TObject*) {
      ++n;
      throw EInvalidOperation(u"tick failed");
    }
  } thrower;
  struct Catcher {
    String message;
    void Caught(TObject*, Exception* e) { message = e->Message(); }
  } catcher;
  Application->OnException = TExceptionEvent(&catcher, &Catcher::Caught);
  TTimer timer(nullptr);
  timer.SetInterval(10);
  timer.SetOnTimer(TNotifyEvent(&thrower, &Thrower::Tick));
  EXPECT_TRUE(fwtest::PumpUntil([&] { return !catcher.message.empty(); }));
  timer.SetEnabled(false);
  Application->OnException = TExceptionEvent();
  EXPECT_EQ(catcher.message, u"tick failed");
}

}  // namespace
