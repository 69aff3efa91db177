// Threads: Execute runs in its own thread, Synchronize hands work to the main
// thread (and its exceptions back), termination is cooperative, and a thread
// can free itself.
#include <gtest/gtest.h>

#include <atomic>

#include "controls_test_util.h"
#include "fw/system/threads.h"

using namespace fw;

namespace {

class TCounter : public TThread {
 public:
  explicit TCounter(bool suspended) : TThread(suspended) {}
  std::atomic<int> loops{0};
  DWORD syncThread = 0;
  bool syncRaised = false;
  std::atomic<bool>* freed = nullptr;
  ~TCounter() override {
    if (freed) *freed = true;
  }

 protected:
  void Execute() override {
    Synchronize([this] { syncThread = GetCurrentThreadId(); });
    try {
      Synchronize([] { throw EInvalidOperation(u"from the main thread"); });
    } catch (const EInvalidOperation& e) {
      syncRaised = e.Message() == u"from the main thread";
    }
    while (!Terminated()) {
      ++loops;
      Sleep(1);
    }
    SetReturnValue(7);
  }
};

TEST(Threads, SynchronizeRunsInTheMainThreadAndTerminateEndsTheLoop) {
  TCounter t(false);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return t.loops > 0; }));
  EXPECT_EQ(t.syncThread, MainThreadID());
  EXPECT_TRUE(t.syncRaised);
  t.Terminate();
  EXPECT_EQ(t.WaitFor(), 7);
  EXPECT_TRUE(t.Finished());
}

TEST(Threads, SuspendedThreadStartsOnlyWhenAsked) {
  TCounter t(true);
  Sleep(30);
  CheckSynchronize();
  EXPECT_EQ(t.loops, 0);
  EXPECT_TRUE(t.Suspended());
  t.Start();
  ASSERT_TRUE(fwtest::PumpUntil([&] { return t.loops > 0; }));
  // The destructor ends and waits for a running thread.
}

TEST(Threads, FreeOnTerminateFreesTheThreadAfterOnTerminateInTheMainThread) {
  std::atomic<bool> freed{false};
  auto* t = new TCounter(true);
  t->freed = &freed;
  t->SetFreeOnTerminate(true);
  struct Watch {
    DWORD thread = 0;
    void Done(TObject*) { thread = GetCurrentThreadId(); }
  } watch;
  t->OnTerminate = TNotifyEvent(&watch, &Watch::Done);
  t->Start();
  t->Terminate();
  ASSERT_TRUE(fwtest::PumpUntil([&] { return freed.load(); }));
  EXPECT_EQ(watch.thread, MainThreadID());
}

}  // namespace
