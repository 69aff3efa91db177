// The computer information objects agree with the system calls they wrap,
// refuse writes while read-only, and leave the system as it was.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "fw/core/rtti.h"
#include "services/ckcomputerinfo.h"
#include "services/ckinfo_display.h"
#include "services/ckinfo_system.h"

using namespace services;

namespace {

fw::String FromWide(const wchar_t* s) { return fw::String(reinterpret_cast<const char16_t*>(s)); }

TEST(ComputerInfoObjects, ReadsAgreeWithTheSystemCalls) {
  TCkComputerInfoEx info(nullptr);
  MEMORYSTATUSEX m{};
  m.dwLength = sizeof m;
  ASSERT_TRUE(GlobalMemoryStatusEx(&m));
  SYSTEM_INFO si{};
  GetSystemInfo(&si);
  wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD computerSize = MAX_COMPUTERNAME_LENGTH + 1;
  GetComputerNameW(computer, &computerSize);
  wchar_t user[257] = {};
  DWORD userSize = 257;
  GetUserNameW(user, &userSize);
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof v;
  auto rtl = reinterpret_cast<LONG(WINAPI*)(OSVERSIONINFOW*)>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
  ASSERT_TRUE(rtl && rtl(&v) == 0);
  struct Case {
    const char* name;
    int64_t read;
    int64_t expected;
  };
  const Case cases[] = {
      {"TotalPhysicalMemory", info.Memory()->TotalPhysicalMemory(), static_cast<int64_t>(m.ullTotalPhys)},
      {"TotalPageFileMemory", info.Memory()->TotalPageFileMemory(), static_cast<int64_t>(m.ullTotalPageFile)},
      {"TotalVirtualMemory", info.Memory()->TotalVirtualMemory(), static_cast<int64_t>(m.ullTotalVirtual)},
      {"MaxAppAddress", static_cast<int64_t>(info.Memory()->MaxAppAddress()),
       static_cast<int64_t>(reinterpret_cast<uintptr_t>(si.lpMaximumApplicationAddress))},
      {"MinAppAddress", static_cast<int64_t>(info.Memory()->MinAppAddress()),
       static_cast<int64_t>(reinterpret_cast<uintptr_t>(si.lpMinimumApplicationAddress))},
      {"ProcessorCount", info.CPU()->ProcessorCount(), static_cast<int64_t>(si.dwNumberOfProcessors)},
      {"VersionMajor", info.OS()->VersionMajor(), static_cast<int64_t>(v.dwMajorVersion)},
      {"VersionMinor", info.OS()->VersionMinor(), static_cast<int64_t>(v.dwMinorVersion)},
      {"VersionBuild", info.OS()->VersionBuild(), static_cast<int64_t>(v.dwBuildNumber)},
      {"ScreenWidth", fw::GetPropValue(info.Metrics(), u"ScreenWidth").AsOrdinal(), GetSystemMetrics(SM_CXSCREEN)},
      {"ScrollArrowHeight", fw::GetPropValue(info.Metrics(), u"ScrollArrowHeight").AsOrdinal(),
       GetSystemMetrics(SM_CYVSCROLL)},
      {"WindowCaptionHeight", fw::GetPropValue(info.Metrics(), u"WindowCaptionHeight").AsOrdinal(),
       GetSystemMetrics(SM_CYCAPTION)},
      {"MousePresent", fw::GetPropValue(info.Metrics(), u"MousePresent").AsOrdinal(),
       GetSystemMetrics(SM_MOUSEPRESENT) != 0},
      {"CodePageANSI", info.Metrics()->CodePageANSI(), static_cast<int64_t>(GetACP())},
      {"DoubleClickTime", info.Metrics()->DoubleClickTime(), static_cast<int64_t>(GetDoubleClickTime())},
      {"DialogBaseUnits", info.Metrics()->DialogBaseUnits(), static_cast<int64_t>(GetDialogBaseUnits())},
      {"ColorBtnFace", fw::GetPropValue(info.Colors(), u"ColorBtnFace").AsOrdinal(), static_cast<int64_t>(GetSysColor(15))},
      {"Color3DFace", fw::GetPropValue(info.Colors(), u"Color3DFace").AsOrdinal(), static_cast<int64_t>(GetSysColor(15))},
      {"ColorHighlight", fw::GetPropValue(info.Colors(), u"ColorHighlight").AsOrdinal(), static_cast<int64_t>(GetSysColor(13))},
  };
  for (const Case& c : cases) EXPECT_EQ(c.read, c.expected) << c.name;
  EXPECT_EQ(TCkMetricsInfo::IntegerMetrics().size(), 59u);
  EXPECT_EQ(TCkSystemColorsInfo::Colors().size(), 31u);
  EXPECT_EQ(info.Identification()->LocalComputerName(), FromWide(computer));
  EXPECT_EQ(info.Identification()->LocalUserName(), FromWide(user));
  const int load = static_cast<int>(info.Memory()->MemoryLoad());
  EXPECT_GE(load, 0);
  EXPECT_LE(load, 100);
  EXPECT_LE(info.Memory()->FreePhysicalMemory(), info.Memory()->TotalPhysicalMemory());
}

TEST(ComputerInfoObjects, PublishedWritesRaiseWhileReadOnly) {
  TCkComputerInfoEx info(nullptr);
  struct Case {
    fw::TObject* object;
    const char16_t* property;
    fw::TValue value;
  };
  const Case cases[] = {
      {info.OS(), u"VersionMajor", 1},         {info.OS(), u"ProductName", u"x"},
      {info.OS(), u"OSVersion", 3},            {info.Memory(), u"TotalPhysicalMemory", 1},
      {info.BIOS(), u"Date", 1.0},             {info.APM(), u"LineStatus", 0},
      {info.CPU(), u"Name", u"x"},             {info.Metrics(), u"ScreenWidth", 10},
      {info.Metrics(), u"MousePresent", false}, {info.Metrics(), u"CaretBlinkTime", 100},
      {info.Metrics(), u"CursorX", 1},         {info.Identification(), u"RegisteredOwner", u"x"},
      {info.Identification(), u"LocalComputerName", u"X"}, {info.Keyboard(), u"CapsLock", true},
      {info.Colors(), u"ColorWindow", 0},      {info.Screen(), u"Width", 1},
  };
  for (const Case& c : cases)
    EXPECT_THROW(fw::SetPropValue(c.object, c.property, c.value), ECKComputerInfoEx) << fw::StringToUtf8(c.property);
  // Assigning the double-click time does nothing and raises nothing.
  const int before = static_cast<int>(GetDoubleClickTime());
  EXPECT_NO_THROW(fw::SetPropValue(info.Metrics(), u"DoubleClickTime", before + 100));
  EXPECT_EQ(static_cast<int>(GetDoubleClickTime()), before);
}

TEST(ComputerInfoObjects, KeyboardWritesChangeOnlyTheThreadsTable) {
  TCkComputerInfoEx info(nullptr);
  info.SetReadOnly(false);
  TCkKeyInfo* keys = info.Keyboard();
  BYTE saved[256];
  ASSERT_TRUE(GetKeyboardState(saved));
  keys->SetCapsLock(true);
  EXPECT_TRUE(keys->CapsLock());
  EXPECT_FALSE(keys->GetKeyState(VK_CAPITAL)) << "the lock is on, the key is not down";
  keys->SetKeyState('Q', true);
  EXPECT_TRUE(keys->GetKeyState('Q'));
  keys->SetCapsLock(false);
  EXPECT_FALSE(keys->CapsLock());
  EXPECT_FALSE(keys->GetKeyState(-1));
  EXPECT_FALSE(keys->GetKeyState(256));
  EXPECT_NO_THROW(keys->SetKeyState(256, true)) << "a key outside the table is ignored";
  SetKeyboardState(saved);
}

TEST(ComputerInfoObjects, PowerWithoutBatteryAndProcessorFacts) {
  TCkComputerInfoEx info(nullptr);
  SYSTEM_POWER_STATUS s{};
  ASSERT_TRUE(GetSystemPowerStatus(&s));
  TCkAPMInfo* apm = info.APM();
  if (s.BatteryFlag == 128) {
    EXPECT_EQ(apm->BatteryFlag(), TAPMBatteryFlag::abfNoBattery);
    EXPECT_EQ(apm->LineStatus(), TAPMLineStatus::alsUnknown);
    EXPECT_EQ(apm->BatteryLifePercent(), 0);
    EXPECT_EQ(apm->BatteryLifeTime(), 0u);
    EXPECT_EQ(apm->BatteryFullLifeTime(), 0u);
  } else {
    EXPECT_EQ(apm->BatteryFlag(), BatteryFlagFrom(s.BatteryFlag));
  }
  TCkCPUInfo* cpu = info.CPU();
  EXPECT_TRUE(cpu->HasInstruction());
  EXPECT_TRUE(cpu->IsFDIVOK());
  EXPECT_EQ(cpu->VendorIDString().size(), 12u);
  EXPECT_GT(cpu->RawFreq(), 0) << "the speed is measured on every read";
  EXPECT_TRUE(cpu->Is64Bits());
  const int code = cpu->CPUType();
  if (code != CPU_TYPE_INTEL) {
    const TIntelSpecific zero = cpu->IntelSpecific();
    EXPECT_EQ(zero.ExFeatures, 0u);
    EXPECT_EQ(zero.L2Cache, 0u);
  }
  if (code != CPU_TYPE_AMD) EXPECT_EQ(cpu->AMDSpecific().ExFeatures, 0u);
}

TEST(ComputerInfoObjects, ScreenModesStayValidAcrossReads) {
  TCkComputerInfoEx info(nullptr);
  TCkScreenModes* modes = info.Screen()->ScreenModes();
  TCkScreenMode* stored = modes->GetItems(-1);
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(modes->GetItems(modes->Count()), nullptr);
  EXPECT_GE(stored->Hz(), 2u) << "a device default reads 60";
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  if (EnumDisplaySettingsW(nullptr, ENUM_REGISTRY_SETTINGS, &mode)) {
    EXPECT_EQ(static_cast<DWORD>(stored->Width()), mode.dmPelsWidth);
    EXPECT_EQ(info.Screen()->Width(), mode.dmPelsWidth);
    EXPECT_EQ(info.Screen()->BitsPerPixel(), mode.dmBitsPerPel);
  }
  if (modes->Count() > 0) {
    TCkScreenMode* first = modes->GetItems(0);
    const int width = first->Width();
    TCkScreenModes* again = info.Screen()->ScreenModes();
    EXPECT_EQ(again, modes);
    EXPECT_EQ(first->Width(), width) << "an object handed out earlier is still there after a refresh";
  }
  DEVMODEW zero{};
  zero.dmDisplayFrequency = 1;
  zero.dmDisplayFlags = DM_INTERLACED | 0x100;
  TCkScreenMode m;
  m.Assign(zero);
  EXPECT_EQ(m.Hz(), 60u);
  EXPECT_EQ(m.Flags(), dmInterlaced);
}

}  // namespace
