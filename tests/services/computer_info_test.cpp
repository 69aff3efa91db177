// The system folders agree with the system calls they stand for, follow the
// trailing-backslash option and the temporary-folder rule; info objects
// refuse writes at run time; broadcast messages become events.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

#include "fw/core/types.h"
#include "services/ckcomputerinfo.h"

using services::TCkComputerInfoEx;
using services::TCkSystemFolders;

namespace {

fw::String FromWide(const wchar_t* s) { return fw::String(reinterpret_cast<const char16_t*>(s)); }

// The shell's path of a special folder, asked as the item list the shell
// hands out for it.
fw::String ShellFolder(int csidl) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) return fw::String();
  wchar_t path[MAX_PATH] = {};
  const bool ok = SHGetPathFromIDListW(list, path);
  CoTaskMemFree(list);
  return ok ? FromWide(path) : fw::String();
}

fw::String WithoutBackslash(fw::String s) {
  if (!s.empty() && s.back() == u'\\') s.pop_back();
  return s;
}

fw::String Directory(UINT (*get)(LPWSTR, UINT)) {
  wchar_t path[MAX_PATH] = {};
  get(path, MAX_PATH);
  return WithoutBackslash(FromWide(path));
}

fw::String CurrentDirectory() {
  wchar_t path[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, path);
  return WithoutBackslash(FromWide(path));
}

std::string Narrow(const fw::String& s) { return std::string(s.begin(), s.end()); }

TEST(SystemFolders, AgreeWithTheSystemCallsWithAndWithoutTrailingBackslash) {
  TCkComputerInfoEx info(nullptr);
  TCkSystemFolders* f = info.Folders();
  struct Case {
    const char* name;
    std::function<fw::String()> read;
    fw::String expected;
  };
  const std::vector<Case> cases = {
      {"AppData", [&] { return f->AppData(); }, WithoutBackslash(ShellFolder(CSIDL_APPDATA))},
      {"Fonts", [&] { return f->Fonts(); }, WithoutBackslash(ShellFolder(CSIDL_FONTS))},
      {"Personal", [&] { return f->SpecialFolder(CSIDL_PERSONAL); }, WithoutBackslash(ShellFolder(CSIDL_PERSONAL))},
      {"Windows", [&] { return f->Windows(); }, Directory(GetWindowsDirectoryW)},
      {"System", [&] { return f->System(); }, Directory(GetSystemDirectoryW)},
      {"Current", [&] { return f->Current(); }, CurrentDirectory()},
  };
  for (const Case& c : cases) {
    ASSERT_FALSE(c.expected.empty()) << c.name;
    f->SetTrailingPathDelimiter(false);
    EXPECT_EQ(Narrow(c.read()), Narrow(c.expected)) << c.name;
    f->SetTrailingPathDelimiter(true);
    EXPECT_EQ(Narrow(c.read()), Narrow(c.expected + u"\\")) << c.name << ": exactly one backslash";
  }
  EXPECT_EQ(info.Folders(), f) << "the same object on every read";
}

// Sets the two variables for a scope and puts them back.
class TempVariables {
 public:
  TempVariables(const wchar_t* tmp, const wchar_t* temp) {
    for (const wchar_t* name : {L"TMP", L"TEMP"}) {
      wchar_t value[MAX_PATH] = {};
      const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
      saved_.push_back(n ? std::wstring(value) : std::wstring());
    }
    SetEnvironmentVariableW(L"TMP", tmp);
    SetEnvironmentVariableW(L"TEMP", temp);
  }
  ~TempVariables() {
    SetEnvironmentVariableW(L"TMP", saved_[0].empty() ? nullptr : saved_[0].c_str());
    SetEnvironmentVariableW(L"TEMP", saved_[1].empty() ? nullptr : saved_[1].c_str());
  }

 private:
  std::vector<std::wstring> saved_;
};

TEST(SystemFolders, TempIsTmpElseTempElseTheCurrentFolderInLongForm) {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring win(windows);
  const std::wstring winSlash = win + L"\\";
  const std::wstring system = win + L"\\system32";
  struct Case {
    const wchar_t* tmp;
    const wchar_t* temp;
    fw::String expected;
  };
  const Case cases[] = {
      {winSlash.c_str(), nullptr, FromWide(win.c_str())},
      {nullptr, system.c_str(), FromWide(system.c_str())},
      {L"", system.c_str(), FromWide(system.c_str())},  // an empty TMP counts as missing
      {nullptr, nullptr, CurrentDirectory()},
  };
  TCkComputerInfoEx info(nullptr);
  for (const Case& c : cases) {
    TempVariables vars(c.tmp, c.temp);
    EXPECT_EQ(Narrow(info.Folders()->Temp()), Narrow(c.expected)) << Narrow(c.expected);
  }
}

TEST(SystemFolders, WritingAFolderRaisesAtRunTimeEvenWhenTheComponentIsWritable) {
  TCkComputerInfoEx info(nullptr);
  info.SetReadOnly(false);
  const fw::String before = info.Folders()->Current();
  try {
    info.Folders()->SetCurrent(u"C:\\");
    FAIL() << "no error";
  } catch (const services::ECKComputerInfoEx& e) {
    EXPECT_EQ(Narrow(e.Message()), "This value is read-only and cannot be changed.");
  }
  EXPECT_EQ(Narrow(info.Folders()->Current()), Narrow(before));
  EXPECT_THROW(services::RaiseReadOnlyError(), services::ECKException);
}

// Records the events of a component.
class TEventLog : public fw::TObject {
 public:
  std::vector<std::string> log;
  void Added(fw::TObject*, char16_t drive) { log.push_back(std::string("added ") + static_cast<char>(drive)); }
  void Removed(fw::TObject*, char16_t drive) { log.push_back(std::string("removed ") + static_cast<char>(drive)); }
  void Changed(fw::TObject*, unsigned event, void*) { log.push_back("change " + std::to_string(event)); }
  void Display(fw::TObject*, int bits, int w, int h) {
    log.push_back("display " + std::to_string(bits) + " " + std::to_string(w) + "x" + std::to_string(h));
  }
  void Setting(fw::TObject*, int flag, const fw::String& section) {
    log.push_back("setting " + std::to_string(flag) + " " + Narrow(section));
  }
};

TEST(ComputerInfoEvents, BroadcastMessagesBecomeEventsAndOnlyMediaVolumesAreDrives) {
  TCkComputerInfoEx info(nullptr);
  TEventLog events;
  info.OnDeviceAdded = services::TCkDriveChangeEvent(&events, &TEventLog::Added);
  info.OnDeviceRemoved = services::TCkDriveChangeEvent(&events, &TEventLog::Removed);
  info.OnDeviceChange = services::TCkDeviceChangeEvent(&events, &TEventLog::Changed);
  info.OnDisplayChange = services::TCkDisplayChangeEvent(&events, &TEventLog::Display);
  info.OnSettingChange = services::TCkSettingChangeEvent(&events, &TEventLog::Setting);
  HWND wnd = info.DeviceHandle();
  ASSERT_NE(wnd, nullptr);

  auto volume = [](DWORD mask, WORD flags) {
    DEV_BROADCAST_VOLUME v{};
    v.dbcv_size = sizeof v;
    v.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    v.dbcv_unitmask = mask;
    v.dbcv_flags = flags;
    return v;
  };
  DEV_BROADCAST_VOLUME media = volume(0b1100, DBTF_MEDIA);  // C: and D:, the lowest counts
  DEV_BROADCAST_VOLUME plugged = volume(0b10000, 0);        // a drive without the media flag
  DEV_BROADCAST_VOLUME none = volume(0, DBTF_MEDIA);
  SendMessageW(wnd, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&media));
  SendMessageW(wnd, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&media));
  SendMessageW(wnd, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&plugged));
  SendMessageW(wnd, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&none));
  SendMessageW(wnd, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
  SendMessageW(wnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
  SendMessageW(wnd, WM_SETTINGCHANGE, 42, reinterpret_cast<LPARAM>(L"WindowMetrics"));
  SendMessageW(wnd, WM_SETTINGCHANGE, 7, 0);
  const std::vector<std::string> expected = {
      "added C", "removed C", "added A", "change 7", "display 32 1024x768", "setting 42 WindowMetrics", "setting 7 ",
  };
  EXPECT_EQ(events.log, expected);
}

}  // namespace
