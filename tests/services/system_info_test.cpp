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
  if (code != CPU_TYPE_AMD) {
    EXPECT_EQ(cpu->AMDSpecific().ExFeatures, 0u);
  }
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

#include "fw/core/sysutils.h"
#include "services/ckinfo_parameters.h"

namespace {

// Writes of system parameters are system-wide in the Wine prefix: only this
// test program writes them, and it puts every value back.
TEST(SystemParameters, SwitchesAgreeWithDirectReads) {
  TCkComputerInfoEx info(nullptr);
  TCkSystemParametersInfo* sys = info.System();
  EXPECT_EQ(TCkSystemParametersInfo::BooleanSwitches().size(), 34u);
  EXPECT_EQ(TCkSystemParametersInfo::IntegerSwitches().size(), 23u);
  for (const auto& s : TCkSystemParametersInfo::BooleanSwitches()) {
    uint64_t cell = 0;
    const bool expected = SystemParametersInfoW(s.GetAction, 0, &cell, 0) && static_cast<uint32_t>(cell) != 0;
    EXPECT_EQ(fw::GetPropValue(sys, s.Name).AsOrdinal() != 0, expected) << fw::StringToUtf8(s.Name);
  }
  for (const auto& s : TCkSystemParametersInfo::IntegerSwitches()) {
    uint64_t cell = 0;
    const int expected = SystemParametersInfoW(s.GetAction, 0, &cell, 0) ? static_cast<int>(static_cast<uint32_t>(cell)) : 0;
    EXPECT_EQ(fw::GetPropValue(sys, s.Name).AsOrdinal(), expected) << fw::StringToUtf8(s.Name);
  }
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  TCkRect* area = sys->WorkArea();
  EXPECT_EQ(area->Right(), work.right);
  EXPECT_EQ(area->Bottom(), work.bottom);
  EXPECT_EQ(sys->WorkArea(), area) << "the same rectangle on every read";
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
  EXPECT_EQ(sys->NonClientMetrics()->CaptionHeight(), ncm.iCaptionHeight);
  EXPECT_EQ(sys->NonClientMetrics()->MenuFont()->Name(), FromWide(ncm.lfMenuFont.lfFaceName));
  EXPECT_EQ(sys->NonClientMetrics()->MenuFont()->Height(), ncm.lfMenuFont.lfHeight);
  LOGFONTW title{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof title, &title, 0));
  EXPECT_EQ(sys->IconTitleFont()->Name(), FromWide(title.lfFaceName));
  wchar_t layout[KL_NAMELENGTH] = {};
  if (GetKeyboardLayoutNameW(layout)) {
    EXPECT_EQ(sys->KeyboardLayoutName(), FromWide(layout));
  }
}

TEST(SystemParameters, WritesRaiseWhileReadOnlyAndTheScreenSaverStateAlways) {
  TCkComputerInfoEx info(nullptr);
  TCkSystemParametersInfo* sys = info.System();
  EXPECT_THROW(fw::SetPropValue(sys, u"CursorShadow", true), ECKComputerInfoEx);
  EXPECT_THROW(sys->SetAnimation(true), ECKComputerInfoEx);
  info.SetReadOnly(false);
  TCkSystemParametersInfo writable;
  writable.SetReadOnly(false);
  EXPECT_THROW(fw::SetPropValue(&writable, u"ScreenSaverRunning", false), ECKComputerInfoEx);
  EXPECT_THROW(fw::SetPropValue(&writable, u"WindowsExtensions", true), ECKComputerInfoEx) << "no set action";
  // The sub-objects stay read-only; writing the value already there is no
  // write at all.
  TCkFilterKeys* keys = writable.FilterKeys();
  EXPECT_NO_THROW(keys->SetDelayMSec(keys->DelayMSec()));
  EXPECT_THROW(keys->SetDelayMSec(keys->DelayMSec() + 1), ECKComputerInfoEx);
}

TEST(SystemParameters, SetAndRestoreWritesTheValueItselfNotItsAddress) {
  TCkSystemParametersInfo sys;
  sys.SetReadOnly(false);
  struct Case {
    const char16_t* name;
    int action;
    int value;
  };
  // Settings no test program depends on: the cursor's shadow (a UI effect
  // taking its value in pvParam), the flash count (a timeout of the 0x2000
  // range) and the old desktop grid (uiParam).
  const Case cases[] = {{u"CursorShadow", SPI_GETCURSORSHADOW, 0},
                        {u"ForegroundFlashCount", SPI_GETFOREGROUNDFLASHCOUNT, 7},
                        {u"GridGranularity", SPI_GETGRIDGRANULARITY, 5}};
  for (const Case& c : cases) {
    uint64_t before = 0;
    if (!SystemParametersInfoW(c.action, 0, &before, 0)) continue;
    const int original = static_cast<int>(static_cast<uint32_t>(before));
    for (int value : {c.value, c.value == 0 ? 1 : c.value + 1}) {
      fw::SetPropValue(&sys, c.name, c.name == std::u16string(u"CursorShadow") ? fw::TValue(value != 0) : fw::TValue(value));
      uint64_t after = 0;
      SystemParametersInfoW(c.action, 0, &after, 0);
      EXPECT_EQ(static_cast<int>(static_cast<uint32_t>(after)), value) << fw::StringToUtf8(c.name);
    }
    sys.SetSwitch(c.action, original);
    uint64_t restored = 0;
    SystemParametersInfoW(c.action, 0, &restored, 0);
    EXPECT_EQ(static_cast<int>(static_cast<uint32_t>(restored)), original) << fw::StringToUtf8(c.name) << " restored";
  }
}

TEST(SystemParameters, FontsConvertBothWays) {
  LOGFONTW f{};
  wcscpy(f.lfFaceName, L"Tahoma");
  f.lfHeight = -13;
  f.lfCharSet = 238;
  struct Case {
    LONG weight;
    BYTE italic, underline, strike;
    bool bold;
  };
  const Case cases[] = {{400, 0, 0, 0, false}, {401, 1, 0, 0, true}, {700, 0, 1, 1, true}};
  for (const Case& c : cases) {
    f.lfWeight = c.weight;
    f.lfItalic = c.italic;
    f.lfUnderline = c.underline;
    f.lfStrikeOut = c.strike;
    fw::TFont font;
    LogFontToFont(f, &font);
    EXPECT_EQ(font.Name(), u"Tahoma");
    EXPECT_EQ(font.Height(), -13);
    EXPECT_EQ(font.Charset(), 238);
    EXPECT_EQ(font.Style().Contains(fw::fsBold), c.bold) << c.weight;
    EXPECT_EQ(font.Style().Contains(fw::fsItalic), c.italic != 0);
    const LOGFONTW back = FontToLogFont(&font);
    EXPECT_EQ(back.lfWeight, c.bold ? 700 : 400);
    EXPECT_EQ(back.lfUnderline, c.underline);
    EXPECT_EQ(back.lfStrikeOut, c.strike);
    EXPECT_EQ(back.lfHeight, -13);
    EXPECT_EQ(std::wstring(back.lfFaceName), L"Tahoma");
  }
}

}  // namespace

#include <shellapi.h>

#include <filesystem>

#include "fw/core/datetime.h"
#include "fw/platform/locale.h"
#include "fw/platform/registry.h"
#include "services/ckinfo_misc.h"

namespace {

TEST(MiscInfo, UptimeTextIsDaysAndTheLocalTimeOfTheRest) {
  EXPECT_EQ(TimeRunningText(90061000),
            u"1 " + fw::FormatDateTime(u"tt", fw::EncodeTime(1, 1, 1, 0), fw::UserFormatSettings()));
  EXPECT_EQ(TimeRunningText(0).substr(0, 2), u"0 ");
  TCkMiscInfo misc;
  const int64_t a = misc.TimeRunning();
  EXPECT_GT(a, 0);
  EXPECT_GE(misc.TimeRunning(), a);
}

// Saves a value of the user's desktop settings and puts it back (or removes
// it again) when the test ends.
class SavedDesktopValue {
 public:
  explicit SavedDesktopValue(const fw::String& name) : name_(name) {
    fw::TRegistry reg(KEY_READ);
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (reg.OpenKeyReadOnly(u"\\Control Panel\\Desktop") && reg.ValueExists(name)) {
      existed_ = true;
      value_ = reg.ReadString(name);
    }
  }
  ~SavedDesktopValue() {
    fw::TRegistry reg(KEY_READ | KEY_WRITE);
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKey(u"\\Control Panel\\Desktop", true)) return;
    if (existed_) reg.WriteString(name_, value_);
    else reg.DeleteValue(name_);
  }

 private:
  fw::String name_, value_;
  bool existed_ = false;
};

TEST(MiscInfo, DesktopSettingsAreStoredAndReadBack) {
  SavedDesktopValue tiled(u"TileWallpaper"), style(u"WallpaperStyle"), saver(u"SCRNSAVE.EXE");
  TCkMiscInfo misc;
  EXPECT_THROW(misc.SetWallpaperTiled(true), ECKComputerInfoEx) << "read-only from its creation";
  misc.SetReadOnly(false);
  auto writeRaw = [](const fw::String& name, const fw::String& value) {
    fw::TRegistry reg(KEY_READ | KEY_WRITE);
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(u"\\Control Panel\\Desktop", true));
    reg.WriteString(name, value);
  };
  for (auto [text, tiledValue] : {std::pair{u"0", false}, {u"1", true}, {u"2", true}}) {
    writeRaw(u"TileWallpaper", text);
    EXPECT_EQ(misc.WallpaperTiled(), tiledValue) << fw::StringToUtf8(text);
  }
  misc.SetWallpaperTiled(false);
  EXPECT_FALSE(misc.WallpaperTiled());
  misc.SetWallpaperStyle(TCkWallpaperStyle::wsStretch);
  EXPECT_EQ(misc.WallpaperStyle(), TCkWallpaperStyle::wsStretch);
  misc.SetWallpaperStyle(TCkWallpaperStyle::wsUnused);
  EXPECT_EQ(misc.WallpaperStyle(), TCkWallpaperStyle::wsStretch) << "wsUnused writes nothing";
  writeRaw(u"WallpaperStyle", u"x");
  EXPECT_THROW(misc.WallpaperStyle(), fw::Exception) << "a stored text that is no number";
  // A path given in its short form reads back in its long form.
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring longPath = std::wstring(system) + L"\\kernel32.dll";
  wchar_t shortPath[MAX_PATH] = {};
  GetShortPathNameW(longPath.c_str(), shortPath, MAX_PATH);
  misc.SetScreenSaver(FromWide(shortPath));
  EXPECT_TRUE(fw::SameText(misc.ScreenSaver(), FromWide(longPath.c_str())));
}

TEST(FileInfo, AttributesTypeAndModifiers) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::wstring file = (folder / L"attr_probe.xyz").wstring();
  {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  TCkFileInfo info;
  info.SetFileName(FromWide(file.c_str()));
  EXPECT_EQ(info.AttrString(), u"AHR");
  SHFILEINFOW shell{};
  SHGetFileInfoW(file.c_str(), 0, &shell, sizeof shell, SHGFI_TYPENAME);
  const fw::String expected = shell.szTypeName[0] == 0 ? fw::String(u"XYZ file") : FromWide(shell.szTypeName);
  EXPECT_EQ(info.TypeString(), expected);
  EXPECT_EQ(info.Modifiers(), IconModifierBit(imNormal));
  info.SetModifiers(0);
  EXPECT_EQ(info.Modifiers(), IconModifierBit(imNormal)) << "the empty set stores the normal icon";
  info.SetModifiers(IconModifierBit(imSmall));
  EXPECT_EQ(info.Modifiers(), IconModifierBit(imSmall) | IconModifierBit(imNormal));
  EXPECT_EQ(IconModifierFlags(IconModifierBit(imSmall) | IconModifierBit(imOpen)), UINT(SHGFI_SMALLICON | SHGFI_OPENICON));
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(file.c_str());
  EXPECT_EQ(info.AttrString(), u"") << "a missing file";
  TCkFileInfo missing;
  missing.SetFileName(u"C:\\no such folder\\file.xyz");
  EXPECT_EQ(missing.AttrString(), u"");
}

TEST(MiscInfo, HardwareProfileAndVersionsReadWithoutRaising) {
  TCkComputerInfoEx info(nullptr);
  TCkMiscInfo* misc = info.Misc();
  EXPECT_EQ(misc->Versions(), misc->Versions());
  HW_PROFILE_INFOW profile{};
  if (GetCurrentHwProfileW(&profile)) {
    EXPECT_EQ(misc->HardwareProfile()->GUID(), FromWide(profile.szHwProfileGuid));
    EXPECT_EQ(misc->HardwareProfile()->DockInfo(), DockInfoFrom(profile.dwDockInfo));
  }
  EXPECT_NO_THROW(misc->Versions()->InternetExplorer());
  EXPECT_NO_THROW(misc->Versions()->BDE());
  EXPECT_NO_THROW(misc->ColorSchemes());
  EXPECT_THROW(fw::SetPropValue(misc, u"DVDRegion", 1), ECKComputerInfoEx);
  EXPECT_THROW(fw::SetPropValue(misc, u"Pattern", u"x"), ECKComputerInfoEx);
}

}  // namespace
