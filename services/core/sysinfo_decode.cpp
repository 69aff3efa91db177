#include "services/core/sysinfo_decode.h"

#include "fw/core/datetime.h"
#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"

namespace services {

using V = TWindowsVersion;
using P = TNtProductType;

namespace {

bool StartsWith(const fw::String& Text, const char16_t* Prefix) {
  return Text.rfind(Prefix, 0) == 0;
}

}  // namespace

TWindowsVersion DetectWindowsVersionFrom(const TWindowsVersionFacts& f) {
  const fw::String csd = fw::Trim(f.CsdText);
  if (!f.Nt) {
    if (f.Minor < 10) return csd == u"B" || csd == u"C" ? V::wvWin95OSR2 : V::wvWin95;
    if (f.Minor < 90) {
      if (f.Kernel32Version == ((4u << 16) | 90u)) return V::wvWinME;
      return csd == u"A" || csd == u"B" ? V::wvWin98SE : V::wvWin98;
    }
    return f.Minor == 90 ? V::wvWinME : V::wvUnknown;
  }
  const bool workstation = f.VersionExOk && f.ProductType == 1;
  switch (f.Major) {
    case 3:
      if (f.Minor == 1) return V::wvWinNT31;
      if (f.Minor == 5) return V::wvWinNT35;
      if (f.Minor == 51) return V::wvWinNT351;
      return V::wvUnknown;
    case 4:
      return V::wvWinNT4;
    case 5:
      if (f.Minor == 0) return V::wvWin2000;
      if (f.Minor == 1) return V::wvWinXP;
      if (f.Minor == 2) {
        if (f.ServerR2) return V::wvWin2003R2;
        if (f.NativeArchitecture != 0 && workstation) return V::wvWinXP64;
        return V::wvWin2003;
      }
      return V::wvUnknown;
    case 6: {
      unsigned minor = f.Minor;
      if (minor == 2 && (StartsWith(f.ProductName, u"Windows 8.1") || StartsWith(f.ProductName, u"Windows Server 2012 R2")))
        minor = 3;
      switch (minor) {
        case 0: return workstation ? V::wvWinVista : V::wvWinServer2008;
        case 1: return workstation ? V::wvWin7 : V::wvWinServer2008R2;
        case 2: return workstation ? V::wvWin8 : V::wvWinServer2012;
        case 3: return workstation ? V::wvWin81 : V::wvWinServer2012R2;
        default: return V::wvUnknown;
      }
    }
    default:
      return V::wvUnknown;
  }
}

TNtProductType DetectNtProductTypeFrom(const TWindowsVersionFacts& f, TWindowsVersion Version) {
  if (f.VersionExOk) {
    const bool server = f.ProductType == 2 || f.ProductType == 3;
    const bool workstation = f.ProductType == 1;
    const bool enterprise = f.SuiteMask & 0x2, datacenter = f.SuiteMask & 0x80, personal = f.SuiteMask & 0x200;
    if (Version == V::wvWinNT4 && f.ServicePackMajor >= 6) {
      if (workstation) return P::ptWorkStation;
      return enterprise ? P::ptEnterprise : P::ptServer;
    }
    if (Version == V::wvWin2000) {
      if (!server) return P::ptProfessional;
      if (datacenter) return P::ptDatacenterServer;
      return enterprise ? P::ptAdvancedServer : P::ptServer;
    }
    if (Version == V::wvWinXP64 || Version == V::wvWin2003 || Version == V::wvWin2003R2) {
      if (!server) return P::ptProfessional;
      if (datacenter) return P::ptDatacenterServer;
      if (enterprise) return P::ptEnterprise;
      return f.SuiteMask == 0x400 ? P::ptWebEdition : P::ptServer;
    }
    if (f.Major > 5 || (f.Major == 5 && f.Minor >= 1)) {
      if (workstation) return personal ? P::ptPersonal : P::ptProfessional;
      if (server) {
        if (datacenter) return P::ptDatacenterServer;
        return enterprise ? P::ptEnterprise : P::ptServer;
      }
    }
  }
  const fw::String type = fw::UpperCase(f.ProductOptionsType);
  if (type == u"WINNT") return P::ptWorkStation;
  if (type == u"SERVERNT") return P::ptAdvancedServer;
  if (type == u"LANMANNT") return P::ptServer;
  return P::ptUnknown;
}

int ServicePackFromCsdVersion(uint32_t Value) {
  // The digits of the hexadecimal form, read as decimal.
  const fw::String hex = fw::IntToHex(Value & 0xFFFF, 4);
  int decimal = 0;
  for (char16_t c : hex) {
    if (c < u'0' || c > u'9') return 0;
    decimal = decimal * 10 + (c - u'0');
  }
  return decimal / 100;
}

fw::String VolumeSerialText(uint32_t Serial) {
  return fw::IntToHex(Serial >> 16, 4) + u"-" + fw::IntToHex(Serial & 0xFFFF, 4);
}

namespace {

// Three numbers separated by "/", each of digits only.
bool SplitDate(const fw::String& Text, int (&Parts)[3]) {
  int n = 0, value = 0;
  bool digits = false;
  for (char16_t c : fw::Trim(Text)) {
    if (c == u'/') {
      if (!digits || n == 2) return false;
      Parts[n++] = value;
      value = 0;
      digits = false;
    } else if (c >= u'0' && c <= u'9') {
      if (value > 99999) return false;
      value = value * 10 + (c - u'0');
      digits = true;
    } else {
      return false;
    }
  }
  if (!digits || n != 2) return false;
  Parts[2] = value;
  return true;
}

int FullYear(int Year) {
  // Two-digit years fall in the window of the BIOS era.
  if (Year < 50) return 2000 + Year;
  if (Year < 100) return 1900 + Year;
  return Year;
}

bool TryDate(int Year, int Month, int Day, fw::TDateTime& Result) {
  Year = FullYear(Year);
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > fw::DaysInMonth(Year, Month))
    return false;
  Result = fw::EncodeDate(Year, Month, Day);
  return true;
}

}  // namespace

fw::TDateTime ParseBiosDate(const fw::String& Text) {
  int p[3];
  if (!SplitDate(Text, p)) return 0;
  fw::TDateTime result = 0;
  if (TryDate(p[2], p[0], p[1], result)) return result;
  if (TryDate(p[0], p[1], p[2], result)) return result;
  return 0;
}

TAPMLineStatus LineStatusFrom(uint8_t Status) {
  if (Status == 0) return TAPMLineStatus::alsOffline;
  if (Status == 1) return TAPMLineStatus::alsOnline;
  return TAPMLineStatus::alsUnknown;
}

TAPMBatteryFlag BatteryFlagFrom(uint8_t Flag) {
  switch (Flag) {
    case 1: return TAPMBatteryFlag::abfHigh;
    case 2: return TAPMBatteryFlag::abfLow;
    case 4: return TAPMBatteryFlag::abfCritical;
    case 8: return TAPMBatteryFlag::abfCharging;
    case 128: return TAPMBatteryFlag::abfNoBattery;
    default: return TAPMBatteryFlag::abfUnknown;
  }
}

int SwapFileUsageFrom(uint64_t Total, uint64_t Avail) {
  if (Total == 0) return 0;
  return 100 - static_cast<int>(static_cast<double>(Avail) / static_cast<double>(Total) * 100.0);
}

void RoundToGranularity(int64_t& Size, bool Up, uint32_t Granularity) {
  if (Granularity == 0) return;
  const int64_t g = Granularity;
  const int64_t rest = Size % g;
  if (rest == 0) return;
  Size -= rest;
  if (Up) Size += g;
}

void RoundToGranularity32(uint32_t& Size, bool Up, uint32_t Granularity) {
  if (Granularity == 0) return;
  const uint32_t rest = Size % Granularity;
  if (rest == 0) return;
  Size -= rest;
  if (Up) Size += Granularity;
}

TCkWindowsArrange ArrangeFromValue(int Value) {
  if (Value & 8) return ArrangeBit(waHide);
  const bool vertical = Value & 4;
  switch (Value & 3) {
    case 0: return ArrangeBit(waBottomLeft) | ArrangeBit(vertical ? waUp : waRight);
    case 1: return ArrangeBit(waBottomRight) | ArrangeBit(vertical ? waUp : waLeft);
    case 2: return ArrangeBit(waTopLeft) | ArrangeBit(vertical ? waDown : waRight);
    default: return ArrangeBit(waTopRight) | ArrangeBit(vertical ? waDown : waLeft);
  }
}

int ArrangeToValue(TCkWindowsArrange a) {
  int value = 0;
  if (a & ArrangeBit(waHide)) value += 8;
  if (a & ArrangeBit(waBottomRight)) value += 1;
  if (a & ArrangeBit(waTopLeft)) value += 2;
  if (a & ArrangeBit(waTopRight)) value += 3;
  if (a & (ArrangeBit(waUp) | ArrangeBit(waDown))) value += 4;
  return value;
}

fw::String AttributeLetters(uint32_t Attributes) {
  if (Attributes & 0x80) return fw::String();
  fw::String text;
  if (Attributes & 0x20) text += u'A';
  if (Attributes & 0x800) text += u'C';
  if (Attributes & 0x10) text += u'D';
  if (Attributes & 0x2) text += u'H';
  if (Attributes & 0x1) text += u'R';
  if (Attributes & 0x4) text += u'S';
  return text;
}

TCkExeType ExeTypeFrom(uintptr_t Result) {
  if (Result == 0) return TCkExeType::etNone;
  switch (Result & 0xFF) {
    case 'M': return TCkExeType::etMSDos;
    case 'N': return TCkExeType::etWin16;
    case 'P': return TCkExeType::etWin32;
    default: return TCkExeType::etConsole;
  }
}

TCkHWDockInfo DockInfoFrom(uint32_t d) {
  TCkHWDockInfo info = 0;
  if (d & 2) info |= 1u << diDocked;
  if (d & 1) info |= 1u << diUndocked;
  if (d & 4) info |= 1u << diUserSupplied;
  if ((d & 6) == 6) info |= 1u << diUserDocked;
  if ((d & 5) == 5) info |= 1u << diUserUndocked;
  return info;
}

int64_t UptimeDays(int64_t Milliseconds) { return Milliseconds / fw::MSecsPerDay; }

fw::TDateTime UptimeTimeOfDay(int64_t Milliseconds) {
  return static_cast<double>(Milliseconds % fw::MSecsPerDay) / static_cast<double>(fw::MSecsPerDay);
}

}  // namespace services
