// The system information routines: environment, volumes, the version
// facts, and the OpenGL question without a window.
#include <gtest/gtest.h>
#include <windows.h>

#include <float.h>

#include "services/uclsysinfo.h"

using namespace services;

namespace {

fw::String FromWide(const wchar_t* s) { return fw::String(reinterpret_cast<const char16_t*>(s)); }

TEST(SysInfoRoutines, EnvironmentVariablesEmptyMissingAndExpanded) {
  SetEnvironmentVariableW(L"VL_SYSINFO_EMPTY", L"");
  SetEnvironmentVariableW(L"VL_SYSINFO_REF", L"%VL_SYSINFO_BASE%\\x");
  SetEnvironmentVariableW(L"VL_SYSINFO_BASE", L"C:\\base");
  fw::String value = u"stale";
  EXPECT_FALSE(ReadEnvironmentVariable(u"VL_SYSINFO_EMPTY", value, false)) << "an empty variable";
  EXPECT_TRUE(value.empty());
  EXPECT_FALSE(ReadEnvironmentVariable(u"VL_SYSINFO_MISSING", value, false));
  ASSERT_TRUE(ReadEnvironmentVariable(u"VL_SYSINFO_REF", value, false));
  EXPECT_EQ(value, u"%VL_SYSINFO_BASE%\\x");
  ASSERT_TRUE(ReadEnvironmentVariable(u"VL_SYSINFO_REF", value, true));
  EXPECT_EQ(value, u"C:\\base\\x");
  fw::String text = u"%VL_SYSINFO_BASE%";
  EXPECT_TRUE(ExpandEnvironmentText(text));
  EXPECT_EQ(text, u"C:\\base");
  SetEnvironmentVariableW(L"VL_SYSINFO_EMPTY", nullptr);
  SetEnvironmentVariableW(L"VL_SYSINFO_REF", nullptr);
  SetEnvironmentVariableW(L"VL_SYSINFO_BASE", nullptr);
}

TEST(SysInfoRoutines, VolumesAndIdentityAgreeWithTheSystem) {
  wchar_t name[261] = {}, fileSystem[16] = {};
  DWORD serial = 0, length = 0, flags = 0;
  ASSERT_TRUE(GetVolumeInformationW(L"C:\\", name, 261, &serial, &length, &flags, fileSystem, 16));
  EXPECT_EQ(ReadVolumeName(u"C"), FromWide(name));
  EXPECT_EQ(ReadVolumeFileSystem(u"C"), FromWide(fileSystem));
  EXPECT_EQ(ReadVolumeSerial(u"C"), VolumeSerialText(serial));
  EXPECT_EQ(ReadVolumeSerial(u"Q"), u"") << "a drive that is not there";
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  fw::String expected = FromWide(temp);
  expected.pop_back();
  EXPECT_EQ(ReadTempPathFolder(), expected) << "one trailing backslash removed";
  EXPECT_EQ(ReadProcessUserDomain().empty(), false);
  EXPECT_EQ(ReadBiosNotice(), u"");
  EXPECT_NO_THROW(ReadBiosDate()) << "a missing BIOS date reads 0";
}

TEST(SysInfoRoutines, VersionFactsAndTheWindowsVersionTest) {
  const TSystemFacts& facts = SystemFacts();
  SYSTEM_INFO si{};
  GetSystemInfo(&si);
  EXPECT_EQ(facts.ProcessorCount, static_cast<int>(si.dwNumberOfProcessors));
  EXPECT_EQ(facts.AllocationGranularity, si.dwAllocationGranularity);
  EXPECT_TRUE(facts.IsWinNT);
  EXPECT_TRUE(facts.IsVersion[static_cast<int>(facts.Version)]);
  EXPECT_TRUE(RunningOn64BitWindows());
  EXPECT_EQ(DetectWindowsVersion(), facts.Version);
  EXPECT_NE(DetectNtProductType(), TNtProductType::ptUnknown);
}

TEST(SysInfoRoutines, OpenGLWithoutAWindowAnswersErrAndKeepsTheControlWord) {
  const unsigned before = _controlfp(0, 0);
  fw::String version = u"x", vendor = u"y";
  EXPECT_FALSE(GetOpenGLVersion(nullptr, version, vendor));
  EXPECT_EQ(version, u"Err");
  EXPECT_EQ(vendor, u"Err");
  EXPECT_EQ(_controlfp(0, 0), before);
}

}  // namespace
