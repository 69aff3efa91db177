// The computer information objects of the operating system, the machine's
// identity, memory, keyboard, BIOS, power and processor. Every read asks
// the system; published properties that cannot be written raise the
// read-only error when a form description or a caller writes them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "services/ckcomputerinfo.h"
#include "services/uclsysinfo.h"

namespace services {

class TCkOSVersionInfo : public TCkReadOnlyInfo {
  FW_CLASS(TCkOSVersionInfo, TCkReadOnlyInfo)
  TWindowsVersion OSVersion() const { return DetectWindowsVersion(); }
  TNtProductType ProductType() const { return DetectNtProductType(); }
  fw::String ProductID() const;
  fw::String ProductName() const;
  int ServicePackVersion() const { return ReadServicePackVersion(); }
  DWORD VersionBuild() const { return SystemFacts().VersionBuild; }
  DWORD VersionMajor() const { return SystemFacts().VersionMajor; }
  DWORD VersionMinor() const { return SystemFacts().VersionMinor; }
  fw::String VersionCSDString() const { return SystemFacts().VersionCSDString; }
};

class TCkIdentification : public TCkWriteableInfo {
  FW_CLASS(TCkIdentification, TCkWriteableInfo)
  fw::String IPAddress() const { return ReadHostIPAddress(fw::String()); }
  fw::String LocalComputerName() const { return ReadComputerName(); }
  // Names the computer from the next start; raises the system's error when
  // it refuses the name.
  void SetLocalComputerName(const fw::String& Value);
  fw::String LocalUserName() const { return ReadUserName(); }
  fw::String LocalWorkgroup() const;
  fw::String DomainName() const { return ReadProcessUserDomain(); }
  fw::String RegisteredCompany() const { return ReadRegisteredOrganization(); }
  void SetRegisteredCompany(const fw::String& Value);
  fw::String RegisteredOwner() const { return ReadRegisteredOwner(); }
  void SetRegisteredOwner(const fw::String& Value);
  fw::String Comment() const;
  // Only Windows XP and the 9x family keep a writable comment.
  void SetComment(const fw::String& Value);

  fw::String GetHostIPAddress(const fw::String& HostName) const { return ReadHostIPAddress(HostName); }
  fw::String GetUserDomainName(const fw::String& CurUser) const { return ReadAccountDomain(CurUser); }
  fw::String GetVolumeName(const fw::String& Drive) const { return ReadVolumeName(Drive); }
  fw::String GetVolumeSerialNumber(const fw::String& Drive) const { return ReadVolumeSerial(Drive); }
  fw::String GetVolumeFileSystem(const fw::String& Drive) const { return ReadVolumeFileSystem(Drive); }
};

// Sizes in bytes; the address limits are pointer-sized (they do not fit
// 32 bits on 64-bit Windows).
class TCkMemInfo : public TCkReadOnlyInfo {
  FW_CLASS(TCkMemInfo, TCkReadOnlyInfo)
  uintptr_t MaxAppAddress() const { return ReadMaxAppAddress(); }
  uintptr_t MinAppAddress() const { return ReadMinAppAddress(); }
  int64_t MemoryLoad() const { return ReadMemoryLoad(); }
  int64_t SwapFileSize() const { return ReadSwapFileSize(); }
  int SwapFileUsage() const { return ReadSwapFileUsage(); }
  int64_t TotalPhysicalMemory() const { return ReadTotalPhysicalMemory(); }
  int64_t FreePhysicalMemory() const { return ReadFreePhysicalMemory(); }
  int64_t TotalPageFileMemory() const { return ReadTotalPageFileMemory(); }
  int64_t FreePageFileMemory() const { return ReadFreePageFileMemory(); }
  int64_t TotalVirtualMemory() const { return ReadTotalVirtualMemory(); }
  int64_t FreeVirtualMemory() const { return ReadFreeVirtualMemory(); }
};

// The calling thread's key state table; the keyboard lights stay as they
// are. Keys outside 0..255 read False and are not written.
class TCkKeyInfo : public TCkWriteableInfo {
  FW_CLASS(TCkKeyInfo, TCkWriteableInfo)
  bool NumLock() const { return IsNumLockOn(); }
  void SetNumLock(bool Value) { SetLock(VK_NUMLOCK, Value); }
  bool ScrollLock() const { return IsScrollLockOn(); }
  void SetScrollLock(bool Value) { SetLock(VK_SCROLL, Value); }
  bool CapsLock() const { return IsCapsLockOn(); }
  void SetCapsLock(bool Value) { SetLock(VK_CAPITAL, Value); }
  bool GetKeyState(int VirtualKey) const { return IsKeyDown(VirtualKey); }
  void SetKeyState(int VirtualKey, bool Value);

 private:
  void SetLock(int VirtualKey, bool Value);
  void WriteKeyByte(int VirtualKey, BYTE Value);
};

class TCkBIOSInfo : public TCkReadOnlyInfo {
  FW_CLASS(TCkBIOSInfo, TCkReadOnlyInfo)
  fw::String Name() const { return ReadBiosName(); }
  fw::String Copyright() const { return ReadBiosNotice(); }
  fw::String ExtendedInfo() const { return ReadBiosExtendedInfo(); }
  fw::TDateTime Date() const { return ReadBiosDate(); }
};

// Without a battery the other figures answer at once: unknown line, zeros.
class TCkAPMInfo : public TCkReadOnlyInfo {
  FW_CLASS(TCkAPMInfo, TCkReadOnlyInfo)
  TAPMLineStatus LineStatus() const;
  TAPMBatteryFlag BatteryFlag() const { return ReadBatteryFlag(); }
  int BatteryLifePercent() const;
  DWORD BatteryLifeTime() const;
  DWORD BatteryFullLifeTime() const;
};

// Every read identifies the processor afresh, speed measurement included.
class TCkCPUInfo : public TCkReadOnlyInfo {
  FW_CLASS(TCkCPUInfo, TCkReadOnlyInfo)
  bool HasInstruction() const { return Read().HasInstruction; }
  bool MMX() const { return Read().MMX; }
  TSSESupports SSE() const { return Read().SSE; }
  bool IsFDIVOK() const { return Read().IsFDIVOK; }
  bool HasCacheInfo() const { return Read().HasCacheInfo; }
  bool HasExtendedInfo() const { return Read().HasExtendedInfo; }
  // The vendor code 0..5; 5 (VIA) has no TCkCPUType member.
  int CPUType() const { return Read().CpuType; }
  uint8_t Family() const { return Read().Family; }
  uint8_t Model() const { return Read().Model; }
  uint8_t Stepping() const { return Read().Stepping; }
  fw::String VendorIDString() const { return fw::AnsiToString(Read().VendorIDString); }
  fw::String Manufacturer() const { return fw::AnsiToString(Read().Manufacturer); }
  fw::String Name() const { return fw::AnsiToString(Read().CpuName); }
  int ProcessorCount() const { return SystemFacts().ProcessorCount; }
  bool Is64Bits() const { return Read().Is64Bits; }
  bool ExMMX() const { return Read().ExMMX; }
  bool _3DNow() const { return Read()._3DNow; }
  bool Ex3DNow() const { return Read().Ex3DNow; }
  DWORD L1DataCache() const { return Read().L1DataCache.Size; }
  DWORD L1CodeCache() const { return Read().L1InstructionCache.Size; }
  DWORD L2Cache() const { return Read().L2Cache.Size; }
  DWORD L3Cache() const { return Read().L3Cache.Size; }
  int64_t RawFreq() const { return Read().FrequencyInfo.RawFreq; }
  int64_t NormFreq() const { return Read().FrequencyInfo.NormFreq; }
  bool DEPCapable() const { return Read().DEPCapable; }
  uint8_t PhysicalCore() const { return Read().PhysicalCore; }
  uint8_t LogicalCore() const { return Read().LogicalCore; }
  bool HyperThreadingTechnology() const { return Read().HyperThreadingTechnology; }
  DWORD Features() const { return Read().Features; }
  DWORD TotalCycles() const { return static_cast<DWORD>(Read().FrequencyInfo.InCycles); }
  DWORD TotalTicks() const { return static_cast<DWORD>(Read().FrequencyInfo.ExTicks); }

  // The vendor's own record when the vendor matches, else all zero.
  TIntelSpecific IntelSpecific() const;
  TCyrixSpecific CyrixSpecific() const;
  TAMDSpecific AMDSpecific() const;
  TTransmetaSpecific TransmetaSpecific() const;
  TVIASpecific ViaSpecific() const;

 protected:
  // The identification behind every read; tests give recorded processors.
  virtual TCpuInfo Read() const;
};

}  // namespace services
