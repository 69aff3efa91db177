// Questions about the running Windows system: environment and folders,
// volume and network identity, the registered owner, the BIOS, the version
// and product type, power, memory and keyboard state, and the OpenGL
// version. Plain readers answer empty, 0 or their default on failure; the
// power and memory readers raise the last system error.
#pragma once

#include <windows.h>

#include <cstdint>

#include "fw/core/types.h"
#include "services/core/sysinfo_decode.h"

namespace services {

// Facts gathered once, before the first caller.
struct TSystemFacts {
  int ProcessorCount = 1;
  DWORD AllocationGranularity = 65536;
  DWORD PageSize = 4096;
  bool IsWinNT = true;
  uint32_t Kernel32Version = 0;  // 9x only
  // The running system's version (not the one a manifest lets GetVersionEx
  // report), with its service-pack text.
  DWORD VersionMajor = 0, VersionMinor = 0, VersionBuild = 0;
  fw::String VersionCSDString;
  TWindowsVersion Version = TWindowsVersion::wvUnknown;
  // One flag per version; the NT 3 versions also set IsWinNT3, NT 3.51 also
  // IsWinNT35.
  bool IsVersion[static_cast<int>(TWindowsVersion::wvWinServer2012R2) + 1] = {};
  bool IsWinNT3 = false, IsWinNT35 = false;
};
const TSystemFacts& SystemFacts();

// "SOFTWARE\Microsoft\Windows NT\CurrentVersion" (NT) or the 9x key.
fw::String CurrentVersionKey();
// A string value of HKEY_LOCAL_MACHINE; Default on any failure. Native
// reads use the 64-bit view on 64-bit Windows.
fw::String ReadMachineString(const fw::String& Key, const fw::String& Name, const fw::String& Default = {},
                             bool Native = false);

// ---- Environment and folders
bool ExpandEnvironmentText(fw::String& Text);
// False (and Value empty) for a missing or empty variable.
bool ReadEnvironmentVariable(const fw::String& Name, fw::String& Value, bool Expand);
fw::String ReadCommonFilesFolder();
fw::String ReadProgramFilesFolder();
fw::String ReadCurrentFolder();
fw::String ReadWindowsFolder();
fw::String ReadSystemFolder();
fw::String ReadTempPathFolder();
fw::String ReadAppDataFolder();

// ---- Volumes and identity
fw::String ReadVolumeName(const fw::String& Drive);
fw::String ReadVolumeSerial(const fw::String& Drive);
fw::String ReadVolumeFileSystem(const fw::String& Drive);
// The first IPv4 address of a host (the local one when HostName is empty);
// empty when it cannot be resolved.
fw::String ReadHostIPAddress(const fw::String& HostName);
fw::String ReadComputerName();
fw::String ReadUserName();
fw::String ReadRegisteredOrganization();
fw::String ReadRegisteredOwner();
fw::String ReadAccountDomain(const fw::String& AccountName);
// The domain of the process's user; empty when the token cannot be opened.
fw::String ReadProcessUserDomain();

// ---- BIOS (Windows NT keeps only the date where programs can read it)
fw::String ReadBiosName();
fw::String ReadBiosNotice();
fw::String ReadBiosExtendedInfo();
fw::TDateTime ReadBiosDate();

// ---- Version and product
TWindowsVersion DetectWindowsVersion();
TNtProductType DetectNtProductType();
int ReadServicePackVersion();
bool ReadNativeSystemInfo(SYSTEM_INFO& Info);
bool RunningOn64BitWindows();
// The OpenGL version and vendor of a window's device context. The window's
// pixel format is set for good, so pass a window made for the question.
// False with both "Err" when a library function or the window is missing;
// EUclError "GetOpenGLVersion: %s failed" when a set-up step fails.
bool GetOpenGLVersion(HWND Window, fw::String& Version, fw::String& Vendor);

// ---- Power
TAPMLineStatus ReadACLineStatus();
TAPMBatteryFlag ReadBatteryFlag();
int ReadBatteryLifePercent();
DWORD ReadBatteryLifeTime();
DWORD ReadBatteryFullLifeTime();

// ---- Memory
int ReadMemoryLoad();
int64_t ReadTotalPhysicalMemory();
int64_t ReadFreePhysicalMemory();
int64_t ReadTotalPageFileMemory();
int64_t ReadFreePageFileMemory();
int64_t ReadTotalVirtualMemory();
int64_t ReadFreeVirtualMemory();
int64_t ReadSwapFileSize();
int ReadSwapFileUsage();
uintptr_t ReadMaxAppAddress();
uintptr_t ReadMinAppAddress();

// ---- Keyboard (keys outside 0..255 read as not set)
bool TestKeyStateBit(int Key, BYTE Mask);
bool IsKeyDown(int Key);
bool IsNumLockOn();
bool IsScrollLockOn();
bool IsCapsLockOn();

}  // namespace services

#include "services/core/cpu_identify.h"

namespace services {

// The running processor identified in full, with the speed measured against
// the performance counter at time-critical priority.
void IdentifyRunningProcessor(TCpuInfo& Info);

}  // namespace services
