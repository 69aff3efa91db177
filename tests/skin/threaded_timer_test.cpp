// The threaded timer: ticks from a worker thread run in the main thread,
// only while the timer is active, and neither freeing the timer during a
// pending tick nor from its own handler hangs.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <mutex>
#include <vector>

#include "fw/controls_test_util.h"
#include "fw/system/application.h"
#include "skin/engine/threaded_timer.h"

namespace skin {
namespace {

using Clock = std::chrono::steady_clock;

struct TickLog {
  std::vector<DWORD> threads;
  std::vector<Clock::time_point> times;
  void Tick(fw::TObject*) {
    threads.push_back(GetCurrentThreadId());
    times.push_back(Clock::now());
  }
  int Count() const { return static_cast<int>(threads.size()); }
};

// Generous bound for conditions that depend on other threads.
constexpr int kBound = 10000;

// A clock the test moves by hand: a worker's wait of N ms ends once the
// clock has moved N ms past the wait's start, or at once when one of the
// timer's own events is set.
struct TestClock {
  static inline std::mutex Lock;
  static inline unsigned long long Now = 0;
  static inline std::vector<DWORD> Waits;  // every timed wait begun

  static DWORD Wait(DWORD Count, const HANDLE* Handles, DWORD Milliseconds) {
    if (Milliseconds == INFINITE) return WaitForMultipleObjects(Count, Handles, FALSE, INFINITE);
    unsigned long long due;
    {
      std::lock_guard<std::mutex> hold(Lock);
      Waits.push_back(Milliseconds);
      due = Now + Milliseconds;
    }
    for (;;) {
      const DWORD r = WaitForMultipleObjects(Count, Handles, FALSE, 1);
      if (r != WAIT_TIMEOUT) return r;
      std::lock_guard<std::mutex> hold(Lock);
      if (Now >= due) return WAIT_TIMEOUT;
    }
  }
  static void Advance(DWORD Milliseconds) {
    std::lock_guard<std::mutex> hold(Lock);
    Now += Milliseconds;
  }
  static size_t WaitsBegun() {
    std::lock_guard<std::mutex> hold(Lock);
    return Waits.size();
  }
  static DWORD LastWait() {
    std::lock_guard<std::mutex> hold(Lock);
    return Waits.empty() ? 0 : Waits.back();
  }
};

struct UseTestClock {
  UseTestClock() {
    TestClock::Now = 0;
    TestClock::Waits.clear();
    TimerWait = &TestClock::Wait;
  }
  ~UseTestClock() { TimerWait = old; }
  TTimerWait old = TimerWait.load();
};

// Pumps the main thread's messages for a while, so that a tick that should
// not come would have had time to arrive.
void PumpAWhile() {
  const auto end = Clock::now() + std::chrono::milliseconds(150);
  fwtest::PumpUntil([&] { return Clock::now() >= end; }, kBound);
}

// Also notes how many waits had begun at each tick: the worker begins its
// next wait only after the tick.
struct ClockTickLog : TickLog {
  size_t waitsAtTick = 0;
  void Tick(fw::TObject* Sender) {
    waitsAtTick = TestClock::WaitsBegun();
    TickLog::Tick(Sender);
  }
  bool NextWaitBegun() const { return TestClock::WaitsBegun() > waitsAtTick; }
};

TEST(ThreadedTimer, OnAClockOfItsOwnATickComesAfterEachFullInterval) {
  UseTestClock clock;
  ClockTickLog log;
  TkcThreadedTimer timer(nullptr);
  timer.SetOnTimer(fw::TNotifyEvent(&log, &ClockTickLog::Tick));
  timer.SetInterval(40);
  // The clock runs until the first tick; from then on the worker has taken
  // every change and only the test moves the clock.
  ASSERT_TRUE(fwtest::PumpUntil(
      [&] {
        if (log.Count() == 1) return true;
        TestClock::Advance(1);  // never after the tick: the next wait starts from here
        return false;
      },
      kBound));

  for (int tick = 2; tick <= 3; ++tick) {
    ASSERT_TRUE(fwtest::PumpUntil([&] { return log.NextWaitBegun(); }, kBound));
    EXPECT_EQ(TestClock::LastWait(), 40u);
    TestClock::Advance(39);
    PumpAWhile();
    EXPECT_EQ(log.Count(), tick - 1) << "a tick before the interval was over";
    TestClock::Advance(1);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return log.Count() == tick; }, kBound));
  }

  // A disabled timer waits without a timeout: no clock moves it.
  timer.SetEnabled(false);
  TestClock::Advance(1000);
  PumpAWhile();
  EXPECT_EQ(log.Count(), 3);
  for (DWORD t : log.threads) EXPECT_EQ(t, fw::MainThreadID());
}

TEST(ThreadedTimer, TicksRunInTheMainThread) {
  TickLog log;
  TkcThreadedTimer timer(nullptr);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_TRUE(timer.HasThread());
  timer.SetInterval(5);
  timer.SetOnTimer(fw::TNotifyEvent(&log, &TickLog::Tick));
  ASSERT_TRUE(fwtest::PumpUntil([&] { return log.Count() >= 3; }, kBound));
  for (DWORD t : log.threads) EXPECT_EQ(t, fw::MainThreadID());
}

TEST(ThreadedTimer, InactiveTimerDeliversNoTickAndResumesWhenActiveAgain) {
  struct Case {
    const char* name;
    bool enabled;
    unsigned interval;
    bool handler;
  };
  const Case cases[] = {
      {"disabled", false, 5, true},
      {"interval 0", true, 0, true},
      {"handler cleared", true, 5, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TickLog log, witness;
    TkcThreadedTimer timer(nullptr), other(nullptr);
    timer.SetInterval(5);
    timer.SetOnTimer(fw::TNotifyEvent(&log, &TickLog::Tick));
    timer.SetEnabled(c.enabled);
    timer.SetInterval(c.interval);
    if (!c.handler) timer.SetOnTimer(nullptr);
    EXPECT_FALSE(timer.Active());
    // While a timer of the same interval ticks several times, the inactive
    // one stays silent.
    other.SetInterval(5);
    other.SetOnTimer(fw::TNotifyEvent(&witness, &TickLog::Tick));
    ASSERT_TRUE(fwtest::PumpUntil([&] { return witness.Count() >= 5; }, kBound));
    EXPECT_EQ(log.Count(), 0);
    timer.SetEnabled(true);
    timer.SetInterval(5);
    timer.SetOnTimer(fw::TNotifyEvent(&log, &TickLog::Tick));
    EXPECT_TRUE(fwtest::PumpUntil([&] { return log.Count() >= 2; }, kBound));
  }
}

TEST(ThreadedTimer, ShorterIntervalTakesEffectWithoutWaitingOutTheOldOne) {
  TickLog log;
  TkcThreadedTimer timer(nullptr);
  timer.SetInterval(600000);
  timer.SetOnTimer(fw::TNotifyEvent(&log, &TickLog::Tick));
  timer.SetInterval(5);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return log.Count() >= 2; }, kBound));
}

TEST(ThreadedTimer, ResetStartsAFullInterval) {
  using std::chrono::milliseconds;
  TickLog log;
  TkcThreadedTimer timer(nullptr);
  timer.SetInterval(300);
  timer.SetOnTimer(fw::TNotifyEvent(&log, &TickLog::Tick));
  ASSERT_TRUE(fwtest::PumpUntil([&] { return log.Count() >= 1; }, kBound));
  // Half-way to the next tick, the reset pushes it a whole interval on.
  Clock::time_point first = log.times[0];
  ASSERT_TRUE(fwtest::PumpUntil([&] { return Clock::now() - first >= milliseconds(150); }, kBound));
  int before = log.Count();
  Clock::time_point reset = Clock::now();
  timer.Reset();
  ASSERT_TRUE(fwtest::PumpUntil([&] { return log.Count() > before; }, kBound));
  // The system's waits may end up to a clock tick early.
  EXPECT_GE(log.times[before] - reset, milliseconds(300 - 20));
}

// Waits until a worker has handed a call to the main thread and is blocked
// in it (the hand-over posts WM_NULL to the application window).
bool WaitForPendingSynchronize() {
  DWORD end = GetTickCount() + kBound;
  MSG m;
  while (!PeekMessageW(&m, fw::Application->Handle(), WM_NULL, WM_NULL, PM_NOREMOVE)) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
  }
  return true;
}

TEST(ThreadedTimer, FreeingTheTimerWithATickPendingEndsTheWorker) {
  TickLog log;
  auto* timer = new TkcThreadedTimer(nullptr);
  timer->SetInterval(1);
  timer->SetOnTimer(fw::TNotifyEvent(&log, &TickLog::Tick));
  ASSERT_TRUE(WaitForPendingSynchronize());
  delete timer;  // must not deadlock with the worker waiting for us
  int after = log.Count();
  fw::Application->ProcessMessages();
  fw::CheckSynchronize();
  EXPECT_EQ(log.Count(), after);
}

TEST(ThreadedTimer, HandlerMayFreeOrResetItsOwnTimer) {
  struct Owner {
    TkcThreadedTimer* timer = nullptr;
    int ticks = 0;
    bool reset = false;
    void Tick(fw::TObject*) {
      ++ticks;
      if (reset) {
        if (ticks == 1) timer->Reset();
      } else {
        delete timer;
        timer = nullptr;
      }
    }
  };
  for (bool reset : {false, true}) {
    SCOPED_TRACE(reset ? "reset" : "free");
    Owner o;
    o.reset = reset;
    o.timer = new TkcThreadedTimer(nullptr);
    o.timer->SetInterval(2);
    o.timer->SetOnTimer(fw::TNotifyEvent(&o, &Owner::Tick));
    if (reset) {
      EXPECT_TRUE(fwtest::PumpUntil([&] { return o.ticks >= 3; }, kBound));
      delete o.timer;
    } else {
      ASSERT_TRUE(fwtest::PumpUntil([&] { return o.timer == nullptr; }, kBound));
      EXPECT_EQ(o.ticks, 1);
    }
  }
}

class TCountingTimer : public TkcThreadedTimer {
 public:
  explicit TCountingTimer(fw::TComponent* owner) : TkcThreadedTimer(owner, true) {}
  int handled = 0;

 protected:
  void TimeHandler() override { ++handled; }
};

TEST(ThreadedTimer, OwnedTimerStartsDisabledAndTicksIntoTimeHandler) {
  fw::TComponent owner(nullptr);
  auto* timer = new TCountingTimer(&owner);
  EXPECT_EQ(timer->Owner(), &owner);
  EXPECT_FALSE(timer->Enabled());
  EXPECT_TRUE(timer->HasThread());
  EXPECT_TRUE(timer->OnTimer().Assigned());
  timer->SetInterval(5);
  timer->SetEnabled(true);
  EXPECT_TRUE(fwtest::PumpUntil([&] { return timer->handled >= 2; }, kBound));
  // Freed with its owner.
}

// The application counts as terminating from its quit message until its
// message loop ends; the loop, run once more, clears the state again.
struct Terminating {
  Terminating() {
    PostQuitMessage(0);
    fw::Application->ProcessMessages();
  }
  ~Terminating() {
    PostQuitMessage(0);
    fw::Application->Run();
  }
};

TEST(ThreadedTimer, TimerMadeWhileTheApplicationTerminatesHasNoWorker) {
  Terminating terminating;
  ASSERT_TRUE(fw::Application->Terminated());
  TkcThreadedTimer timer(nullptr);
  EXPECT_FALSE(timer.HasThread());
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 0u);
  timer.SetInterval(5);
  timer.SetEnabled(true);
  EXPECT_EQ(timer.Interval(), 5u);
  EXPECT_FALSE(timer.HasThread());
  timer.Reset();
  EXPECT_FALSE(timer.HasThread());
}

TEST(ThreadedTimer, RunningTimerStopsTickingWhenTheApplicationTerminates) {
  TickLog log;
  TkcThreadedTimer timer(nullptr);
  timer.SetInterval(1);
  timer.SetOnTimer(fw::TNotifyEvent(&log, &TickLog::Tick));
  Terminating terminating;
  int delivered = log.Count();
  // A tick handed over now is served but not delivered, and the worker ends.
  ASSERT_TRUE(WaitForPendingSynchronize());
  fw::Application->ProcessMessages();
  fw::CheckSynchronize();
  EXPECT_EQ(log.Count(), delivered);
}

}  // namespace
}  // namespace skin
