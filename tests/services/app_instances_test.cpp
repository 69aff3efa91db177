// One instance at a time, between real processes: a small program holding
// the single-instance component is started twice; the second finds the
// first, brings it to the front, hands it its command line and ends, and
// the registered instances are counted as they start, end and are killed.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>

namespace {

constexpr DWORD kBound = 30000;  // generous: the machine may be busy

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = kBound) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > milliseconds) return condition();
    Sleep(20);
  }
  return true;
}

std::wstring ProbePath() {
  const char* dir = std::getenv("VL_BINARY_DIR");
  std::string unixPath = std::string(dir ? dir : ".") + "/tests/instance_probe.exe";
  std::wstring path = dir && dir[0] == '/' ? L"Z:" : L"";
  for (char c : unixPath) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  return path;
}

std::wstring TempFile(const std::wstring& name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

// One started probe; killed at the end of the test if still running.
class Probe {
 public:
  Probe(const std::map<std::wstring, std::wstring>& env, const std::wstring& arguments = L"") {
    for (const wchar_t* name : {L"VL_PROBE", L"VL_PROBE_REPORT", L"VL_PROBE_MAX", L"VL_PROBE_ACTIVE"}) {
      auto it = env.find(name);
      SetEnvironmentVariableW(name, it == env.end() ? nullptr : it->second.c_str());
    }
    std::wstring cmd = L"\"" + ProbePath() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    started_ = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_);
  }
  ~Probe() {
    if (!started_) return;
    Kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  bool Started() const { return started_; }
  DWORD Pid() const { return info_.dwProcessId; }
  // The exit code, or -1 when the probe still runs after the time.
  long WaitForExit(DWORD milliseconds = kBound) {
    if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
  }
  void Kill() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 99);
      WaitForSingleObject(info_.hProcess, kBound);
    }
  }
  // The probe's visible window, once it shows.
  HWND WaitForWindow() {
    HWND found = nullptr;
    WaitFor([&] { return (found = VisibleWindow()) != nullptr; });
    return found;
  }
  HWND VisibleWindow() const {
    struct Search {
      DWORD pid;
      HWND found;
    } s{Pid(), nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          auto* s = reinterpret_cast<Search*>(p);
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          wchar_t title[64] = {};
          GetWindowTextW(w, title, 64);
          if (pid != s->pid || !IsWindowVisible(w) || std::wstring(title) != L"Instance probe") return TRUE;
          s->found = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
  }

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

// The number of registered instances, as a fresh process finds it.
long InstanceCount() {
  Probe counter(std::map<std::wstring, std::wstring>{{L"VL_PROBE", L"count"}});
  return counter.Started() ? counter.WaitForExit() : -1;
}

bool CountBecomes(long expected) {
  return WaitFor([&] { return InstanceCount() == expected; });
}

std::wstring ReadReport(const std::wstring& path) {
  std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::wstring text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  return text;
}

bool FileThere(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class AppInstances : public ::testing::Test {
 protected:
  void SetUp() override {
    report = TempFile(L"instance_report_" + std::to_wstring(GetCurrentProcessId()) + L".txt");
    DeleteFileW(report.c_str());
    // No probe of an earlier test may still be registered.
    ASSERT_TRUE(CountBecomes(0));
  }
  void TearDown() override { DeleteFileW(report.c_str()); }

  std::map<std::wstring, std::wstring> Run(const wchar_t* max = L"1", const wchar_t* active = L"1") {
    return {{L"VL_PROBE", L"run"}, {L"VL_PROBE_REPORT", report}, {L"VL_PROBE_MAX", max}, {L"VL_PROBE_ACTIVE", active}};
  }

  std::wstring report;
};

TEST_F(AppInstances, ASecondStartHandsItsParametersToTheFirstAndEndsWithExitCodeZero) {
  struct Case {
    const wchar_t* arguments;
    const wchar_t* received;
  };
  const Case cases[] = {
      {L"one \"two words\" three", L"one\r\ntwo words\r\nthree\r\n"},
      {L"", L""},  // no parameters: an empty hand-over still arrives
  };
  Probe first(Run());
  ASSERT_TRUE(first.Started());
  ASSERT_NE(first.WaitForWindow(), nullptr);
  EXPECT_EQ(InstanceCount(), 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.arguments, c.arguments + wcslen(c.arguments)));
    DeleteFileW(report.c_str());
    Probe second(Run(), c.arguments);
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(), 0);
    ASSERT_TRUE(WaitFor([&] { return FileThere(report); })) << "the first instance received nothing";
    EXPECT_EQ(ReadReport(report), c.received);
    EXPECT_EQ(second.VisibleWindow(), nullptr);
    // The refused instance left the tables before it ended.
    EXPECT_EQ(InstanceCount(), 1);
  }
  EXPECT_EQ(first.WaitForExit(0), -1) << "the first instance keeps running";
}

TEST_F(AppInstances, TheFirstInstanceComesToTheFrontRestoredFromMinimized) {
  Probe first(Run());
  HWND window = first.WaitForWindow();
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return first.VisibleWindow() == nullptr || IsIconic(window); }));
  Probe second(Run());
  EXPECT_EQ(second.WaitForExit(), 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) && !IsIconic(window); })) << "restored";
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; })) << "in front";
}

TEST_F(AppInstances, TheCountDropsWhenAnInstanceEndsAndWhenItIsKilled) {
  Probe first(Run());
  ASSERT_NE(first.WaitForWindow(), nullptr);
  // Instances that allow any number beside them keep running.
  Probe ending(Run(L"0"));
  HWND endingWindow = ending.WaitForWindow();
  ASSERT_NE(endingWindow, nullptr);
  EXPECT_TRUE(CountBecomes(2));
  PostMessageW(endingWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(ending.WaitForExit(), 0);
  EXPECT_TRUE(CountBecomes(1)) << "after a normal end";

  Probe killed(Run(L"0"));
  ASSERT_NE(killed.WaitForWindow(), nullptr);
  EXPECT_TRUE(CountBecomes(2));
  killed.Kill();
  EXPECT_TRUE(CountBecomes(1)) << "after a kill";

  // The killed instance's entry does not refuse the next start as if it
  // were the first instance: the live first one is asked and receives.
  Probe next(Run(), L"after");
  EXPECT_EQ(next.WaitForExit(), 0);
  ASSERT_TRUE(WaitFor([&] { return FileThere(report); }));
  EXPECT_EQ(ReadReport(report), L"after\r\n");
}

TEST_F(AppInstances, AnInactiveFirstInstanceLetsTheNextOneRun) {
  Probe first(Run(L"1", L"0"));
  ASSERT_NE(first.WaitForWindow(), nullptr);
  Probe second(Run());
  EXPECT_NE(second.WaitForWindow(), nullptr) << "the second instance runs beside the inactive first";
  EXPECT_TRUE(CountBecomes(2));
  EXPECT_FALSE(FileThere(report)) << "nothing was handed over";
}

}  // namespace
