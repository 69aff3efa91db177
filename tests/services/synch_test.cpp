// Events, mutexes, critical sections and the optex between threads, every
// wait bounded; named objects carry the process id so that test programs
// running side by side never share one.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "fw/core/sysutils.h"
#include "services/uclbase.h"
#include "services/uclsynch.h"
#include "services/uclsysutils.h"

using fw::String;
using namespace services;

namespace {

constexpr DWORD kBound = 10000;  // generous: nothing here should take long

String UniqueName(const char16_t* Base) { return String(Base) + u"_" + fw::IntToStr(GetCurrentProcessId()); }

// Runs Body on a thread and joins it; false when it did not end in time.
bool RunBounded(const std::function<void()>& Body) {
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread thread([&] {
    Body();
    SetEvent(done);
  });
  const bool ended = WaitForSingleObject(done, kBound) == WAIT_OBJECT_0;
  if (ended) thread.join();
  else thread.detach();
  CloseHandle(done);
  return ended;
}

TEST(UclSynch, WaitCodesMapToResults) {
  const std::pair<DWORD, TUclWaitResult> cases[] = {
      {0, wrSignaled}, {128, wrAbandoned}, {192, wrIoCompletion}, {258, wrTimeout}, {1, wrError}, {WAIT_FAILED, wrError}};
  for (auto [code, result] : cases) EXPECT_EQ(WaitResultOf(code), result) << code;
}

TEST(UclSynch, EventsResetByThemselvesOrByHand) {
  TUclEvent automatic(nullptr, false, false, String());
  EXPECT_EQ(automatic.WaitFor(0), wrTimeout);
  EXPECT_TRUE(automatic.SetEvent());
  EXPECT_EQ(automatic.WaitFor(0), wrSignaled);
  EXPECT_EQ(automatic.WaitFor(0), wrTimeout) << "one wait takes the signal";

  const String name = UniqueName(u"vl_synch_event");
  TUclEvent manual(nullptr, true, false, name);
  EXPECT_FALSE(manual.Existed());
  std::unique_ptr<TUclEvent> opened(TUclEvent::Open(EVENT_ALL_ACCESS, false, name));
  EXPECT_TRUE(opened->Existed());
  TUclEvent again(nullptr, true, false, name);
  EXPECT_TRUE(again.Existed());
  // A signal from another thread reaches the waiter through the other handle.
  std::thread setter([&] { opened->SetEvent(); });
  EXPECT_EQ(manual.WaitFor(kBound), wrSignaled);
  setter.join();
  EXPECT_EQ(manual.WaitFor(0), wrSignaled) << "stays signalled";
  EXPECT_TRUE(again.ResetEvent());
  EXPECT_EQ(manual.WaitFor(0), wrTimeout);

  try {
    TUclEvent::Open(EVENT_ALL_ACCESS, false, UniqueName(u"vl_synch_no_event"));
    ADD_FAILURE() << "a missing event was opened";
  } catch (const EUclEventError& e) {
    EXPECT_EQ(e.LastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_NE(e.Message().find(u"\r\nFailed to open event"), String::npos) << fw::StringToUtf8(e.Message());
  }
}

TEST(UclSynch, SignalAndWaitAndAttachedHandles) {
  TUclEvent signalled(nullptr, true, false, String());
  TUclEvent waitedOn(nullptr, true, true, String());
  EXPECT_EQ(waitedOn.SignalAndWait(signalled, 0, false), wrSignaled);
  EXPECT_EQ(signalled.WaitFor(0), wrSignaled) << "the other object was signalled first";
  waitedOn.ResetEvent();
  EXPECT_EQ(waitedOn.SignalAndWait(signalled, 0, false), wrTimeout);
  EXPECT_EQ(waitedOn.WaitAlertable(0), wrTimeout);

  std::unique_ptr<TUclDispatcherObject> attached(
      TUclDispatcherObject::Attach(CreateEventW(nullptr, TRUE, TRUE, nullptr)));
  EXPECT_TRUE(attached->Existed());
  EXPECT_TRUE(attached->Name().empty());
  EXPECT_EQ(attached->WaitForever(), wrSignaled);
}

TEST(UclSynch, MutexesBelongToOneThreadAndPassOnWhenReleasedOrAbandoned) {
  const String name = UniqueName(u"vl_synch_mutex");
  TUclMutex mutex(nullptr, true, name);
  EXPECT_FALSE(mutex.Existed());
  std::unique_ptr<TUclMutex> opened(TUclMutex::Open(MUTEX_ALL_ACCESS, false, name));
  EXPECT_TRUE(RunBounded([&] { EXPECT_FALSE(opened->Acquire(0)) << "held by the main thread"; }));
  EXPECT_TRUE(mutex.Acquire(0)) << "the owner may take it again";
  EXPECT_TRUE(mutex.Release());
  EXPECT_TRUE(mutex.Release());
  EXPECT_FALSE(mutex.Release()) << "no longer owned";

  // A thread that ends holding the mutex leaves it abandoned: the next
  // waiter owns it, and Acquire says so.
  EXPECT_TRUE(RunBounded([&] { EXPECT_TRUE(opened->Acquire(kBound)); }));
  EXPECT_TRUE(mutex.Acquire(kBound));
  EXPECT_TRUE(mutex.Release());
  EXPECT_TRUE(RunBounded([&] { EXPECT_EQ(opened->WaitFor(kBound), wrSignaled); opened->Release(); }));

  EXPECT_THROW(TUclMutex::Open(MUTEX_ALL_ACCESS, false, UniqueName(u"vl_synch_no_mutex")), EUclMutexError);
}

TEST(UclSynch, CriticalSectionIsMadeOnceWhenThreadsRace) {
  for (int round = 0; round < 20; ++round) {
    TUclCriticalSection* section = nullptr;
    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
      threads.emplace_back([&] {
        ++ready;
        while (ready < 4) {
        }
        TUclCriticalSection::CreateAndEnter(section);
        section->Leave();
      });
    for (std::thread& t : threads) t.join();
    ASSERT_NE(section, nullptr);
    delete section;  // a loser's section would have leaked; a second winner would crash on Leave
  }
}

TEST(UclSynch, OptexIsReentrantAndExcludesOtherThreads) {
  TUclOptex optex;
  EXPECT_TRUE(optex.UniProcess());
  optex.Enter();
  optex.Enter();
  EXPECT_TRUE(RunBounded([&] { EXPECT_FALSE(optex.TryEnter()); }));
  optex.Leave();
  EXPECT_TRUE(RunBounded([&] { EXPECT_FALSE(optex.TryEnter()) << "entered twice: one leave is not enough"; }));
  optex.Leave();
  EXPECT_TRUE(RunBounded([&] {
    EXPECT_TRUE(optex.TryEnter());
    optex.Leave();
  }));

  // Threads counting under the lock lose no increment.
  int counter = 0;
  EXPECT_TRUE(RunBounded([&] {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
      threads.emplace_back([&] {
        for (int i = 0; i < 2000; ++i) {
          TOptexLock lock(optex);
          counter = counter + 1;
        }
      });
    for (std::thread& t : threads) t.join();
  }));
  EXPECT_EQ(counter, 8000);
}

TEST(UclSynch, OptexWithoutSpinningTriesOnce) {
  TUclOptex optex(String(), 0);
  EXPECT_EQ(optex.SpinCount(), 0);
  optex.Enter();
  EXPECT_TRUE(RunBounded([&] { EXPECT_FALSE(optex.TryEnter()); }));
  optex.Leave();
}

TEST(UclSynch, NamedOptexSharesItsStateAndSurvivesAnOwnerThatEnded) {
  const String name = UniqueName(u"vl_synch_optex");
  TUclOptex first(name);
  EXPECT_FALSE(first.Existed());
  EXPECT_FALSE(first.UniProcess());
  TUclOptex second(name);  // as another process would open it
  EXPECT_TRUE(second.Existed());

  first.Enter();
  EXPECT_TRUE(RunBounded([&] { EXPECT_FALSE(second.TryEnter()); }));
  // A waiter on the other object is woken by the leave.
  std::atomic<bool> entered{false};
  std::thread waiter([&] {
    second.Enter();
    entered = true;
    second.Leave();
  });
  first.Leave();
  EXPECT_TRUE(RunBounded([&] { waiter.join(); }));
  EXPECT_TRUE(entered);

  // An owner that ends without leaving does not block the lock for good.
  EXPECT_TRUE(RunBounded([&] { first.Enter(); }));
  EXPECT_TRUE(RunBounded([&] {
    second.Enter();
    second.Leave();
  }));
}

TEST(UclSynch, NamedOptexWithoutItsSharedStateRaises) {
  // Another kind of object holds the name the optex's mapping needs.
  const String name = UniqueName(u"vl_synch_optex_taken");
  TUclMutex squatter(nullptr, false, u"Optex_MMF_" + name);
  EXPECT_THROW(TUclOptex optex(name), EUclFileMappingError);
  // The event it made on the way is gone again: the name can be used anew.
  TUclEvent event(nullptr, false, false, u"Optex_Event_" + name);
  EXPECT_FALSE(event.Existed());
}

// Two processes count under one named optex: no increment is lost.
TEST(UclSynch, NamedOptexExcludesAcrossProcesses) {
  const String name = UniqueName(u"vl_synch_process_optex");
  TUclOptex optex(name);
  void* memory = nullptr;
  SharedOpenMemory(memory, name + u"_counter", 2 * sizeof(LONG));
  volatile LONG* shared = static_cast<volatile LONG*>(memory);  // the count, then the probes ready
  TUclEvent start(nullptr, true, false, name + u"_start");
  const char* dir = std::getenv("VL_BINARY_DIR");
  const std::string unixPath = std::string(dir ? dir : ".") + "/tests/instance_probe.exe";
  std::wstring command = dir && dir[0] == '/' ? L"\"Z:" : L"\"";
  for (char c : unixPath) command.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  command += L"\"";
  SetEnvironmentVariableW(L"VL_PROBE", L"optex");
  SetEnvironmentVariableW(L"VL_PROBE_NAME", W(name));
  PROCESS_INFORMATION processes[2] = {};
  for (PROCESS_INFORMATION& process : processes) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = command;
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  }
  SetEnvironmentVariableW(L"VL_PROBE", nullptr);
  SetEnvironmentVariableW(L"VL_PROBE_NAME", nullptr);
  // Both wait at the start line, so that their counting overlaps.
  const DWORD began = GetTickCount();
  while (shared[1] < 2 && GetTickCount() - began < 60000) Sleep(10);
  EXPECT_EQ(shared[1], 2);
  start.SetEvent();
  for (PROCESS_INFORMATION& process : processes) {
    DWORD code = 99;
    if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    else TerminateProcess(process.hProcess, 99);
    EXPECT_EQ(code, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  EXPECT_EQ(shared[0], 10000);
  SharedCloseMemory(memory);
}

}  // namespace
