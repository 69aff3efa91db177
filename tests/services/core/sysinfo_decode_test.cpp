// The system-information decisions over plain facts: version and product
// type, service pack, serial and BIOS date texts, power and memory figures,
// window arrangement and file attribute letters.
#include <gtest/gtest.h>

#include "fw/core/datetime.h"
#include "services/core/sysinfo_decode.h"

using namespace services;
using V = TWindowsVersion;
using P = TNtProductType;

namespace {

TWindowsVersionFacts Nt(unsigned major, unsigned minor, unsigned productType = 1) {
  TWindowsVersionFacts f;
  f.Major = major;
  f.Minor = minor;
  f.ProductType = productType;
  return f;
}

TWindowsVersionFacts Nine(unsigned minor, const char16_t* csd, uint32_t kernel = 0) {
  TWindowsVersionFacts f;
  f.Nt = false;
  f.Major = 4;
  f.Minor = minor;
  f.CsdText = csd;
  f.Kernel32Version = kernel;
  return f;
}

TEST(WindowsVersion, EveryBranchOfTheDecision) {
  TWindowsVersionFacts r2 = Nt(5, 2, 3);
  r2.ServerR2 = true;
  TWindowsVersionFacts xp64 = Nt(5, 2, 1);
  xp64.NativeArchitecture = 9;
  TWindowsVersionFacts x86Workstation52 = Nt(5, 2, 1);
  TWindowsVersionFacts w81 = Nt(6, 2, 1);
  w81.ProductName = u"Windows 8.1 Pro";
  TWindowsVersionFacts s2012r2 = Nt(6, 2, 3);
  s2012r2.ProductName = u"Windows Server 2012 R2 Standard";
  TWindowsVersionFacts noVersionEx = Nt(6, 1, 1);
  noVersionEx.VersionExOk = false;
  struct Case {
    const char* name;
    TWindowsVersionFacts facts;
    V expected;
  };
  const Case cases[] = {
      {"95", Nine(0, u"A"), V::wvWin95},
      {"95 OSR2 B", Nine(0, u" B "), V::wvWin95OSR2},
      {"95 OSR2 C", Nine(3, u"C"), V::wvWin95OSR2},
      {"98", Nine(10, u""), V::wvWin98},
      {"98 SE", Nine(10, u"A"), V::wvWin98SE},
      {"ME by kernel", Nine(10, u"A", (4u << 16) | 90u), V::wvWinME},
      {"ME by minor", Nine(90, u""), V::wvWinME},
      {"9x above 90", Nine(91, u""), V::wvUnknown},
      {"NT 3.1", Nt(3, 1), V::wvWinNT31},
      {"NT 3.5", Nt(3, 5), V::wvWinNT35},
      {"NT 3.51", Nt(3, 51), V::wvWinNT351},
      {"NT 3.2", Nt(3, 2), V::wvUnknown},
      {"NT 4", Nt(4, 0), V::wvWinNT4},
      {"2000", Nt(5, 0), V::wvWin2000},
      {"XP", Nt(5, 1), V::wvWinXP},
      {"2003 R2", r2, V::wvWin2003R2},
      {"XP 64", xp64, V::wvWinXP64},
      {"2003 on x86", x86Workstation52, V::wvWin2003},
      {"2003", Nt(5, 2, 3), V::wvWin2003},
      {"Vista", Nt(6, 0, 1), V::wvWinVista},
      {"2008", Nt(6, 0, 3), V::wvWinServer2008},
      {"7", Nt(6, 1, 1), V::wvWin7},
      {"2008 R2", Nt(6, 1, 2), V::wvWinServer2008R2},
      {"7 without extended query is a server", noVersionEx, V::wvWinServer2008R2},
      {"8", Nt(6, 2, 1), V::wvWin8},
      {"2012", Nt(6, 2, 3), V::wvWinServer2012},
      {"8.1 reported as 6.2", w81, V::wvWin81},
      {"2012 R2 reported as 6.2", s2012r2, V::wvWinServer2012R2},
      {"8.1", Nt(6, 3, 1), V::wvWin81},
      {"6.4", Nt(6, 4, 1), V::wvUnknown},
      {"10", Nt(10, 0, 1), V::wvUnknown},
  };
  for (const Case& c : cases) EXPECT_EQ(DetectWindowsVersionFrom(c.facts), c.expected) << c.name;
}

TEST(WindowsVersion, ProductTypeBySuiteBitsAndTheRegistryFallback) {
  auto facts = [](unsigned major, unsigned minor, unsigned type, unsigned suite, unsigned sp = 0) {
    TWindowsVersionFacts f = Nt(major, minor, type);
    f.SuiteMask = suite;
    f.ServicePackMajor = sp;
    return f;
  };
  TWindowsVersionFacts failed = Nt(6, 1);
  failed.VersionExOk = false;
  struct Case {
    const char* name;
    TWindowsVersionFacts facts;
    V version;
    const char16_t* registry;
    P expected;
  };
  const Case cases[] = {
      {"NT4 SP6 workstation", facts(4, 0, 1, 0, 6), V::wvWinNT4, u"", P::ptWorkStation},
      {"NT4 SP6 enterprise", facts(4, 0, 2, 0x2, 6), V::wvWinNT4, u"", P::ptEnterprise},
      {"NT4 SP6 server", facts(4, 0, 2, 0, 6), V::wvWinNT4, u"", P::ptServer},
      {"NT4 SP5 asks the registry", facts(4, 0, 1, 0, 5), V::wvWinNT4, u"lanmannt", P::ptServer},
      {"2000 professional", facts(5, 0, 1, 0), V::wvWin2000, u"", P::ptProfessional},
      {"2000 datacenter", facts(5, 0, 3, 0x80), V::wvWin2000, u"", P::ptDatacenterServer},
      {"2000 advanced", facts(5, 0, 3, 0x2), V::wvWin2000, u"", P::ptAdvancedServer},
      {"2000 server", facts(5, 0, 2, 0), V::wvWin2000, u"", P::ptServer},
      {"2003 web", facts(5, 2, 3, 0x400), V::wvWin2003, u"", P::ptWebEdition},
      {"2003 web and more", facts(5, 2, 3, 0x410), V::wvWin2003, u"", P::ptServer},
      {"2003 enterprise", facts(5, 2, 3, 0x2), V::wvWin2003, u"", P::ptEnterprise},
      {"XP 64 workstation", facts(5, 2, 1, 0), V::wvWinXP64, u"", P::ptProfessional},
      {"XP home", facts(5, 1, 1, 0x200), V::wvWinXP, u"", P::ptPersonal},
      {"7 professional", facts(6, 1, 1, 0), V::wvWin7, u"", P::ptProfessional},
      {"2008 datacenter", facts(6, 0, 3, 0x80), V::wvWinServer2008, u"", P::ptDatacenterServer},
      {"failed query WINNT", failed, V::wvWin7, u"WinNT", P::ptWorkStation},
      {"failed query SERVERNT", failed, V::wvWin7, u"ServerNT", P::ptAdvancedServer},
      {"failed query other", failed, V::wvWin7, u"", P::ptUnknown},
  };
  for (const Case& c : cases) {
    TWindowsVersionFacts f = c.facts;
    f.ProductOptionsType = c.registry;
    EXPECT_EQ(DetectNtProductTypeFrom(f, c.version), c.expected) << c.name;
  }
}

TEST(SystemTexts, ServicePackSerialAndBiosDate) {
  EXPECT_EQ(ServicePackFromCsdVersion(0x0300), 3);
  EXPECT_EQ(ServicePackFromCsdVersion(0x0200), 2);
  EXPECT_EQ(ServicePackFromCsdVersion(0x0000), 0);
  EXPECT_EQ(VolumeSerialText(0x1A2B3C4D), u"1A2B-3C4D");
  EXPECT_EQ(VolumeSerialText(0x0000000F), u"0000-000F");
  EXPECT_EQ(ParseBiosDate(u"01/15/99"), fw::EncodeDate(1999, 1, 15));
  EXPECT_EQ(ParseBiosDate(u"1999/01/15"), fw::EncodeDate(1999, 1, 15));
  EXPECT_EQ(ParseBiosDate(u"12/31/2010"), fw::EncodeDate(2010, 12, 31));
  for (const char16_t* bad : {u"", u"garbage", u"13/45/99", u"1/2", u"1/2/3/4", u"02/30/2001"})
    EXPECT_EQ(ParseBiosDate(bad), 0) << fw::StringToUtf8(bad);
}

TEST(PowerAndMemory, FlagsAndPageFileUsage) {
  EXPECT_EQ(LineStatusFrom(0), TAPMLineStatus::alsOffline);
  EXPECT_EQ(LineStatusFrom(1), TAPMLineStatus::alsOnline);
  EXPECT_EQ(LineStatusFrom(255), TAPMLineStatus::alsUnknown);
  const std::pair<uint8_t, TAPMBatteryFlag> flags[] = {
      {1, TAPMBatteryFlag::abfHigh},       {2, TAPMBatteryFlag::abfLow},
      {4, TAPMBatteryFlag::abfCritical},   {8, TAPMBatteryFlag::abfCharging},
      {128, TAPMBatteryFlag::abfNoBattery}, {9, TAPMBatteryFlag::abfUnknown},
      {255, TAPMBatteryFlag::abfUnknown},  {0, TAPMBatteryFlag::abfUnknown}};
  for (auto [value, expected] : flags) EXPECT_EQ(BatteryFlagFrom(value), expected) << int(value);
  EXPECT_EQ(SwapFileUsageFrom(0, 0), 0);
  EXPECT_EQ(SwapFileUsageFrom(1000, 1000), 0);
  EXPECT_EQ(SwapFileUsageFrom(1000, 0), 100);
  EXPECT_EQ(SwapFileUsageFrom(1000, 333), 67) << "the free share is truncated before the subtraction";
  EXPECT_EQ(SwapFileUsageFrom(uint64_t(1) << 40, uint64_t(1) << 39), 50) << "sizes past 32 bits";
}

TEST(PowerAndMemory, RoundToGranularityKeepsMultiplesAndRoundsOthers) {
  struct Case {
    int64_t size;
    bool up;
    int64_t expected;
  };
  const Case cases[] = {{65536, false, 65536}, {65536, true, 65536}, {65537, false, 65536},
                        {65537, true, 131072}, {0, true, 0},          {(int64_t(1) << 33) + 1, true, (int64_t(1) << 33) + 65536}};
  for (const Case& c : cases) {
    int64_t s = c.size;
    RoundToGranularity(s, c.up, 65536);
    EXPECT_EQ(s, c.expected) << c.size << (c.up ? " up" : " down");
    if (c.size < (int64_t(1) << 32)) {
      uint32_t s32 = static_cast<uint32_t>(c.size);
      RoundToGranularity32(s32, c.up, 65536);
      EXPECT_EQ(s32, static_cast<uint32_t>(c.expected));
    }
  }
}

TEST(Arrangement, DecodesCornerAndDirectionAndEncodesBack) {
  auto set = [](std::initializer_list<TCkWindowsArrangeMember> members) {
    TCkWindowsArrange a = 0;
    for (auto m : members) a |= ArrangeBit(m);
    return a;
  };
  struct Case {
    int value;
    TCkWindowsArrange expected;
  };
  const Case cases[] = {
      {8, set({waHide})},
      {0, set({waBottomLeft, waRight})},
      {1, set({waBottomRight, waLeft})},
      {2, set({waTopLeft, waRight})},
      {3, set({waTopRight, waLeft})},
      {4, set({waBottomLeft, waUp})},
      {5, set({waBottomRight, waUp})},
      {6, set({waTopLeft, waDown})},
      {7, set({waTopRight, waDown})},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ArrangeFromValue(c.value), c.expected) << c.value;
    EXPECT_EQ(ArrangeToValue(c.expected), c.value) << c.value;
  }
  EXPECT_EQ(ArrangeFromValue(8 | 3), set({waHide})) << "hide stands alone";
}

TEST(FileFacts, AttributeLettersExeTypeDockInfoAndUptime) {
  EXPECT_EQ(AttributeLetters(0xFFFFFFFF), u"") << "the failure value";
  EXPECT_EQ(AttributeLetters(0x80), u"");
  EXPECT_EQ(AttributeLetters(0x20 | 0x2 | 0x1), u"AHR");
  EXPECT_EQ(AttributeLetters(0x4 | 0x1 | 0x2 | 0x10 | 0x800 | 0x20), u"ACDHRS");
  EXPECT_EQ(AttributeLetters(0), u"");
  EXPECT_EQ(ExeTypeFrom(0), TCkExeType::etNone);
  EXPECT_EQ(ExeTypeFrom(0x5A4D), TCkExeType::etMSDos);
  EXPECT_EQ(ExeTypeFrom(0x0400454E), TCkExeType::etWin16);
  EXPECT_EQ(ExeTypeFrom(0x04004550), TCkExeType::etWin32);
  EXPECT_EQ(ExeTypeFrom(0x4550 & 0xFF00), TCkExeType::etConsole);
  EXPECT_EQ(DockInfoFrom(2), 1u << diDocked);
  EXPECT_EQ(DockInfoFrom(1), 1u << diUndocked);
  EXPECT_EQ(DockInfoFrom(6), (1u << diDocked) | (1u << diUserSupplied) | (1u << diUserDocked));
  EXPECT_EQ(DockInfoFrom(5), (1u << diUndocked) | (1u << diUserSupplied) | (1u << diUserUndocked));
  EXPECT_EQ(UptimeDays(90061000), 1);
  EXPECT_DOUBLE_EQ(UptimeTimeOfDay(90061000), fw::EncodeTime(1, 1, 1, 0));
  EXPECT_EQ(UptimeDays(86399999), 0);
}

}  // namespace
