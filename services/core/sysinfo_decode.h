// The decisions of the system information routines taken over plain facts,
// so that each rule can be checked without the system that gives the facts:
// the Windows version and product type, power and memory figures, volume
// serials, BIOS dates, window arrangement and file attribute letters.
#pragma once

#include <cstdint>

#include "fw/core/types.h"

namespace services {

enum class TWindowsVersion {
  wvUnknown, wvWin95, wvWin95OSR2, wvWin98, wvWin98SE, wvWinME, wvWinNT31, wvWinNT35, wvWinNT351, wvWinNT4,
  wvWin2000, wvWinXP, wvWin2003, wvWinXP64, wvWin2003R2, wvWinVista, wvWinServer2008, wvWin7,
  wvWinServer2008R2, wvWin8, wvWin8RT, wvWinServer2012, wvWin81, wvWin81RT, wvWinServer2012R2
};

enum class TNtProductType {
  ptUnknown, ptWorkStation, ptServer, ptAdvancedServer, ptPersonal, ptProfessional, ptDatacenterServer,
  ptEnterprise, ptWebEdition
};

enum class TAPMLineStatus { alsOffline, alsOnline, alsUnknown };
enum class TAPMBatteryFlag { abfHigh, abfLow, abfCritical, abfCharging, abfNoBattery, abfUnknown };

// What the version decisions look at, as the system reports it.
struct TWindowsVersionFacts {
  bool Nt = true;
  unsigned Major = 0, Minor = 0;
  fw::String CsdText;              // service-pack text, trimmed by the decision
  uint32_t Kernel32Version = 0;    // 9x only: product version, major in the high word
  bool ServerR2 = false;           // GetSystemMetrics(SM_SERVERR2) != 0
  unsigned NativeArchitecture = 0; // 0 is x86
  bool VersionExOk = true;         // GetVersionExW with the extended record succeeded
  unsigned ProductType = 1;        // wProductType: 1 workstation, 2 and 3 server
  unsigned SuiteMask = 0;
  unsigned ServicePackMajor = 0;
  fw::String ProductName;          // "ProductName" of the NT current-version key
  fw::String ProductOptionsType;   // "ProductType" of ProductOptions, the last resort
};

TWindowsVersion DetectWindowsVersionFrom(const TWindowsVersionFacts& Facts);
TNtProductType DetectNtProductTypeFrom(const TWindowsVersionFacts& Facts, TWindowsVersion Version);

// The 9x registry form: the hexadecimal digits of CSDVersion read as a
// decimal number, divided by 100 (0x0300 is 3).
int ServicePackFromCsdVersion(uint32_t Value);

// Two groups of four upper-case hexadecimal digits, high half first.
fw::String VolumeSerialText(uint32_t Serial);

// A BIOS date text read as m/d/y, else y/m/d; 0 when neither fits.
fw::TDateTime ParseBiosDate(const fw::String& Text);

TAPMLineStatus LineStatusFrom(uint8_t ACLineStatus);
TAPMBatteryFlag BatteryFlagFrom(uint8_t BatteryFlag);

// 100 minus the truncated percentage of the page file that is free; 0 when
// there is no page file.
int SwapFileUsageFrom(uint64_t TotalPageFile, uint64_t AvailPageFile);

// Leaves a multiple of Granularity alone; else rounds down, or up when Up.
void RoundToGranularity(int64_t& Size, bool Up, uint32_t Granularity);
void RoundToGranularity32(uint32_t& Size, bool Up, uint32_t Granularity);

// How minimized windows are arranged: a starting corner and a direction.
enum TCkWindowsArrangeMember { waDown, waLeft, waRight, waUp, waBottomLeft, waBottomRight, waHide, waTopLeft, waTopRight };
using TCkWindowsArrange = unsigned;  // bit per member
constexpr TCkWindowsArrange ArrangeBit(TCkWindowsArrangeMember m) { return 1u << m; }
TCkWindowsArrange ArrangeFromValue(int Value);
int ArrangeToValue(TCkWindowsArrange Arrange);

// The letters A, C, D, H, R, S of a file's attributes; empty when the
// normal bit is set (which the failure value has too).
fw::String AttributeLetters(uint32_t Attributes);

enum class TCkExeType { etNone, etMSDos, etWin16, etWin32, etConsole };
TCkExeType ExeTypeFrom(uintptr_t ShellResult);

enum TCkHWDockMember { diDocked, diUndocked, diUserSupplied, diUserDocked, diUserUndocked };
using TCkHWDockInfo = unsigned;  // bit per member
TCkHWDockInfo DockInfoFrom(uint32_t DockInfo);

// Whole days of an up-time in milliseconds and the time of day left over.
int64_t UptimeDays(int64_t Milliseconds);
fw::TDateTime UptimeTimeOfDay(int64_t Milliseconds);

}  // namespace services
