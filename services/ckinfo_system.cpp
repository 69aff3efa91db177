#include "services/ckinfo_system.h"

#include "fw/platform/oserror.h"
#include "fw/platform/registry.h"
#include "fw/platform/system_function.h"
#include "services/ckinfo_publish.h"

namespace services {

namespace {

// A string value of the local machine's registry in the native view.
void WriteMachineString(const fw::String& Key, const fw::String& Name, const fw::String& Value, bool Native) {
  fw::TRegistry reg(KEY_READ | KEY_WRITE | (Native && RunningOn64BitWindows() ? KEY_WOW64_64KEY : 0));
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKey(u"\\" + Key, true))
    throw fw::ERegistryException(u"Unable to open key \"HKEY_LOCAL_MACHINE\\" + Key + u"\" for write");
  reg.WriteString(Name, Value);
}

const char16_t kVnetsupKey[] = u"System\\CurrentControlSet\\Services\\VxD\\VNETSUP";
const char16_t kLanmanKey[] = u"SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters";

}  // namespace

// ---- OS

fw::String TCkOSVersionInfo::ProductID() const { return ReadMachineString(CurrentVersionKey(), u"ProductID", {}, true); }

fw::String TCkOSVersionInfo::ProductName() const {
  return ReadMachineString(CurrentVersionKey(), u"ProductName", {}, true);
}

// ---- Identification

void TCkIdentification::SetLocalComputerName(const fw::String& Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  if (!SetComputerNameW(W(Value))) fw::RaiseLastOSError();
}

fw::String TCkIdentification::LocalWorkgroup() const {
  fw::String group = ReadMachineString(u"System\\CurrentControlSet\\Services\\Vxd\\VNETSUP", u"Workgroup", {}, true);
  if (!group.empty() || !SystemFacts().IsWinNT) return group;
  struct WkstaInfo100 {
    DWORD wki100_platform_id;
    wchar_t* wki100_computername;
    wchar_t* wki100_langroup;
    DWORD wki100_ver_major, wki100_ver_minor;
  };
  using GetInfoFn = DWORD(WINAPI*)(wchar_t*, DWORD, BYTE**);
  using FreeFn = DWORD(WINAPI*)(void*);
  auto getInfo = fw::SystemFunction<GetInfoFn>(L"netapi32.dll", "NetWkstaGetInfo");
  auto bufferFree = fw::SystemFunction<FreeFn>(L"netapi32.dll", "NetApiBufferFree");
  if (!getInfo || !bufferFree) return group;
  BYTE* buffer = nullptr;
  if (getInfo(nullptr, 100, &buffer) == 0 && buffer) {
    const auto* info = reinterpret_cast<const WkstaInfo100*>(buffer);
    if (info->wki100_langroup) group = fw::String(reinterpret_cast<const char16_t*>(info->wki100_langroup));
    bufferFree(buffer);
  }
  return group;
}

void TCkIdentification::SetRegisteredCompany(const fw::String& Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  WriteMachineString(CurrentVersionKey(), u"RegisteredOrganization", Value, true);
}

void TCkIdentification::SetRegisteredOwner(const fw::String& Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  WriteMachineString(CurrentVersionKey(), u"RegisteredOwner", Value, true);
}

fw::String TCkIdentification::Comment() const {
  if (SystemFacts().IsWinNT) return ReadMachineString(kLanmanKey, u"srvcomment", {}, true);
  return ReadMachineString(kVnetsupKey, u"Comment", {}, true);
}

void TCkIdentification::SetComment(const fw::String& Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  const TSystemFacts& facts = SystemFacts();
  if (facts.IsVersion[static_cast<int>(TWindowsVersion::wvWinXP)]) {
    WriteMachineString(kLanmanKey, u"srvcomment", Value, true);
  } else if (facts.IsWinNT) {
    RaiseReadOnlyError();
  } else {
    WriteMachineString(kVnetsupKey, u"Comment", Value, false);
  }
}

// ---- Keyboard

void TCkKeyInfo::WriteKeyByte(int VirtualKey, BYTE Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  if (VirtualKey < 0 || VirtualKey > 255) return;
  BYTE state[256];
  if (!GetKeyboardState(state)) return;
  state[VirtualKey] = Value;
  SetKeyboardState(state);
}

void TCkKeyInfo::SetLock(int VirtualKey, bool Value) { WriteKeyByte(VirtualKey, Value ? 1 : 0); }

void TCkKeyInfo::SetKeyState(int VirtualKey, bool Value) { WriteKeyByte(VirtualKey, Value ? 0x80 : 0); }

// ---- Power

TAPMLineStatus TCkAPMInfo::LineStatus() const {
  if (BatteryFlag() == TAPMBatteryFlag::abfNoBattery) return TAPMLineStatus::alsUnknown;
  return ReadACLineStatus();
}

int TCkAPMInfo::BatteryLifePercent() const {
  return BatteryFlag() == TAPMBatteryFlag::abfNoBattery ? 0 : ReadBatteryLifePercent();
}

DWORD TCkAPMInfo::BatteryLifeTime() const {
  return BatteryFlag() == TAPMBatteryFlag::abfNoBattery ? 0 : ReadBatteryLifeTime();
}

DWORD TCkAPMInfo::BatteryFullLifeTime() const {
  return BatteryFlag() == TAPMBatteryFlag::abfNoBattery ? 0 : ReadBatteryFullLifeTime();
}

// ---- Processor

TCpuInfo TCkCPUInfo::Read() const {
  TCpuInfo info;
  IdentifyRunningProcessor(info);
  return info;
}

TIntelSpecific TCkCPUInfo::IntelSpecific() const {
  const TCpuInfo info = Read();
  return info.CpuType == CPU_TYPE_INTEL ? info.IntelSpecific : TIntelSpecific();
}

TCyrixSpecific TCkCPUInfo::CyrixSpecific() const {
  const TCpuInfo info = Read();
  return info.CpuType == CPU_TYPE_CYRIX ? info.CyrixSpecific : TCyrixSpecific();
}

TAMDSpecific TCkCPUInfo::AMDSpecific() const {
  const TCpuInfo info = Read();
  return info.CpuType == CPU_TYPE_AMD ? info.AMDSpecific : TAMDSpecific();
}

TTransmetaSpecific TCkCPUInfo::TransmetaSpecific() const {
  const TCpuInfo info = Read();
  return info.CpuType == CPU_TYPE_CRUSOE ? info.TransmetaSpecific : TTransmetaSpecific();
}

TVIASpecific TCkCPUInfo::ViaSpecific() const {
  const TCpuInfo info = Read();
  return info.CpuType == CPU_TYPE_VIA ? info.ViaSpecific : TVIASpecific();
}

// ---- Published properties

FW_REGISTER(TCkOSVersionInfo) {
  using C = TCkOSVersionInfo;
  PublishReadOnly(c, u"OSVersion", &C::OSVersion);
  PublishReadOnly(c, u"ProductType", &C::ProductType);
  PublishReadOnly(c, u"ProductID", &C::ProductID);
  PublishReadOnly(c, u"ProductName", &C::ProductName);
  PublishReadOnly(c, u"ServicePackVersion", &C::ServicePackVersion);
  PublishReadOnly(c, u"VersionBuild", &C::VersionBuild);
  PublishReadOnly(c, u"VersionMajor", &C::VersionMajor);
  PublishReadOnly(c, u"VersionMinor", &C::VersionMinor);
  PublishReadOnly(c, u"VersionCSDString", &C::VersionCSDString);
}

FW_REGISTER(TCkIdentification) {
  using C = TCkIdentification;
  PublishReadOnly(c, u"IPAddress", &C::IPAddress);
  c.Property(u"LocalComputerName", &C::LocalComputerName, &C::SetLocalComputerName);
  PublishReadOnly(c, u"LocalUserName", &C::LocalUserName);
  PublishReadOnly(c, u"LocalWorkgroup", &C::LocalWorkgroup);
  PublishReadOnly(c, u"DomainName", &C::DomainName);
  c.Property(u"RegisteredCompany", &C::RegisteredCompany, &C::SetRegisteredCompany);
  c.Property(u"RegisteredOwner", &C::RegisteredOwner, &C::SetRegisteredOwner);
  c.Property(u"Comment", &C::Comment, &C::SetComment);
}

FW_REGISTER(TCkMemInfo) {
  using C = TCkMemInfo;
  PublishReadOnly(c, u"MaxAppAddress", &C::MaxAppAddress);
  PublishReadOnly(c, u"MinAppAddress", &C::MinAppAddress);
  PublishReadOnly(c, u"MemoryLoad", &C::MemoryLoad);
  PublishReadOnly(c, u"SwapFileSize", &C::SwapFileSize);
  PublishReadOnly(c, u"SwapFileUsage", &C::SwapFileUsage);
  PublishReadOnly(c, u"TotalPhysicalMemory", &C::TotalPhysicalMemory);
  PublishReadOnly(c, u"FreePhysicalMemory", &C::FreePhysicalMemory);
  PublishReadOnly(c, u"TotalPageFileMemory", &C::TotalPageFileMemory);
  PublishReadOnly(c, u"FreePageFileMemory", &C::FreePageFileMemory);
  PublishReadOnly(c, u"TotalVirtualMemory", &C::TotalVirtualMemory);
  PublishReadOnly(c, u"FreeVirtualMemory", &C::FreeVirtualMemory);
}

FW_REGISTER(TCkKeyInfo) {
  using C = TCkKeyInfo;
  c.Property(u"NumLock", &C::NumLock, &C::SetNumLock);
  c.Property(u"ScrollLock", &C::ScrollLock, &C::SetScrollLock);
  c.Property(u"CapsLock", &C::CapsLock, &C::SetCapsLock);
}

FW_REGISTER(TCkBIOSInfo) {
  using C = TCkBIOSInfo;
  PublishReadOnly(c, u"Name", &C::Name);
  PublishReadOnly(c, u"Copyright", &C::Copyright);
  PublishReadOnly(c, u"ExtendedInfo", &C::ExtendedInfo);
  PublishReadOnly(c, u"Date", &C::Date);
}

FW_REGISTER(TCkAPMInfo) {
  using C = TCkAPMInfo;
  PublishReadOnly(c, u"LineStatus", &C::LineStatus);
  PublishReadOnly(c, u"BatteryFlag", &C::BatteryFlag);
  PublishReadOnly(c, u"BatteryLifePercent", &C::BatteryLifePercent);
  PublishReadOnly(c, u"BatteryLifeTime", &C::BatteryLifeTime);
  PublishReadOnly(c, u"BatteryFullLifeTime", &C::BatteryFullLifeTime);
}

FW_REGISTER(TCkCPUInfo) {
  using C = TCkCPUInfo;
  PublishReadOnly(c, u"HasInstruction", &C::HasInstruction);
  PublishReadOnly(c, u"MMX", &C::MMX);
  PublishReadOnly(c, u"SSE", &C::SSE);
  PublishReadOnly(c, u"IsFDIVOK", &C::IsFDIVOK);
  PublishReadOnly(c, u"HasCacheInfo", &C::HasCacheInfo);
  PublishReadOnly(c, u"HasExtendedInfo", &C::HasExtendedInfo);
  PublishReadOnly(c, u"CPUType", &C::CPUType);
  PublishReadOnly(c, u"Family", &C::Family);
  PublishReadOnly(c, u"Model", &C::Model);
  PublishReadOnly(c, u"Stepping", &C::Stepping);
  PublishReadOnly(c, u"VendorIDString", &C::VendorIDString);
  PublishReadOnly(c, u"Manufacturer", &C::Manufacturer);
  PublishReadOnly(c, u"Name", &C::Name);
  PublishReadOnly(c, u"ProcessorCount", &C::ProcessorCount);
  PublishReadOnly(c, u"Is64Bits", &C::Is64Bits);
  PublishReadOnly(c, u"ExMMX", &C::ExMMX);
  PublishReadOnly(c, u"_3DNow", &C::_3DNow);
  PublishReadOnly(c, u"Ex3DNow", &C::Ex3DNow);
  PublishReadOnly(c, u"L1DataCache", &C::L1DataCache);
  PublishReadOnly(c, u"L1CodeCache", &C::L1CodeCache);
  PublishReadOnly(c, u"L2Cache", &C::L2Cache);
  PublishReadOnly(c, u"L3Cache", &C::L3Cache);
  PublishReadOnly(c, u"RawFreq", &C::RawFreq);
  PublishReadOnly(c, u"NormFreq", &C::NormFreq);
  PublishReadOnly(c, u"DEPCapable", &C::DEPCapable);
  PublishReadOnly(c, u"PhysicalCore", &C::PhysicalCore);
  PublishReadOnly(c, u"LogicalCore", &C::LogicalCore);
  PublishReadOnly(c, u"HyperThreadingTechnology", &C::HyperThreadingTechnology);
}

}  // namespace services
