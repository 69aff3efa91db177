#include "services/ckcomputerinfo.h"

#include <dbt.h>

#include <type_traits>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/platform/files.h"
#include "fw/platform/registry.h"
#include "fw/system/wndregistry.h"
#include "services/ckinfo_display.h"
#include "services/ckinfo_misc.h"
#include "services/ckinfo_parameters.h"
#include "services/ckinfo_system.h"
#include "services/hidden_window.h"

namespace services {

namespace {

// One for all components, as the designer sets it for the last one made.
bool gInfoDesigning = false;

const char16_t kCurrentVersionKey[] = u"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// A string value of the local machine's registry; empty on any failure.
fw::String MachineText(const fw::String& Key, const fw::String& Name) {
  try {
    fw::TRegistry reg(KEY_READ);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKeyReadOnly(Key)) return fw::String();
    return reg.ReadString(Name);
  } catch (const fw::Exception&) {
    return fw::String();
  }
}

fw::String TextAt(LPARAM Text) {
  return Text ? fw::String(reinterpret_cast<const char16_t*>(Text)) : fw::String();
}

}  // namespace

void RaiseReadOnlyError() {
  if (!gInfoDesigning) throw ECKComputerInfoEx(u"This value is read-only and cannot be changed.");
}

bool InfoDesigning() { return gInfoDesigning; }

char16_t DriveLetterFromMask(DWORD UnitMask) {
  for (int bit = 0; bit < 26; ++bit)
    if (UnitMask & (1u << bit)) return static_cast<char16_t>(u'A' + bit);
  return u'A';
}

// ---- Info objects

bool TCkWriteableInfo::CanWrite() const { return !gInfoDesigning && !FReadOnly; }

fw::String TCkSystemFolders::ApplyTrailingDelimiter(const fw::String& Path) const {
  if (FTrailingPathDelimiter) return !Path.empty() && Path.back() == u'\\' ? Path : Path + u"\\";
  return !Path.empty() && Path.back() == u'\\' ? Path.substr(0, Path.size() - 1) : Path;
}

fw::String TCkSystemFolders::CommonFiles() const {
  return ApplyTrailingDelimiter(MachineText(kCurrentVersionKey, u"CommonFilesDir"));
}

fw::String TCkSystemFolders::ProgramFiles() const {
  return ApplyTrailingDelimiter(MachineText(kCurrentVersionKey, u"ProgramFilesDir"));
}

fw::String TCkSystemFolders::Current() const { return ApplyTrailingDelimiter(fw::CurrentFolder()); }

void TCkSystemFolders::SetCurrent(const fw::String& Value) {
  if (!CanWrite()) {
    RaiseReadOnlyError();
    return;
  }
  SetCurrentDirectoryW(W(Value));
}

fw::String TCkSystemFolders::Windows() const { return ApplyTrailingDelimiter(fw::WindowsFolder()); }

fw::String TCkSystemFolders::System() const { return ApplyTrailingDelimiter(fw::SystemFolder()); }

fw::String TCkSystemFolders::Temp() const {
  const fw::String folder = fw::TempFolder();
  return folder.empty() ? folder : ApplyTrailingDelimiter(folder);
}

fw::String TCkSystemFolders::SpecialFolder(int Csidl) const {
  return ApplyTrailingDelimiter(fw::GetSpecialFolder(Csidl));
}

// ---- The component

TCkComputerInfoEx::TCkComputerInfoEx(fw::TComponent* AOwner) : fw::TComponent(AOwner) {
  gInfoDesigning = ComponentState().Contains(fw::csDesigning);
  if (!gInfoDesigning)
    FDeviceHandle = CreateHiddenMethodWindow(fw::String(), fw::TWndMethod(this, &TCkComputerInfoEx::NotificationWndProc));
}

TCkComputerInfoEx::~TCkComputerInfoEx() {
  delete FSystemFolders;
  delete FOS;
  delete FIdentification;
  delete FMemory;
  delete FKeyboard;
  delete FBIOS;
  delete FAPM;
  delete FCPU;
  delete FScreen;
  delete FMetrics;
  delete FColors;
  delete FSystem;
  delete FMisc;
  delete FFileInfo;
  if (FDeviceHandle) fw::DeallocateHWnd(FDeviceHandle);
}

TCkSystemFolders* TCkComputerInfoEx::Folders() {
  if (!FSystemFolders) FSystemFolders = new TCkSystemFolders();
  return FSystemFolders;
}

template <class T>
T* TCkComputerInfoEx::Made(T*& Field, bool TakesReadOnly) {
  if (!Field) {
    Field = new T();
    if constexpr (std::is_base_of_v<TCkWriteableInfo, T>) {
      if (TakesReadOnly) Field->SetReadOnly(FReadOnly);
    }
  }
  return Field;
}

TCkOSVersionInfo* TCkComputerInfoEx::OS() { return Made(FOS, false); }
TCkIdentification* TCkComputerInfoEx::Identification() { return Made(FIdentification, true); }
TCkMemInfo* TCkComputerInfoEx::Memory() { return Made(FMemory, false); }
TCkKeyInfo* TCkComputerInfoEx::Keyboard() { return Made(FKeyboard, true); }
TCkBIOSInfo* TCkComputerInfoEx::BIOS() { return Made(FBIOS, false); }
TCkAPMInfo* TCkComputerInfoEx::APM() { return Made(FAPM, false); }
TCkCPUInfo* TCkComputerInfoEx::CPU() { return Made(FCPU, false); }
TCkScreenInfo* TCkComputerInfoEx::Screen() { return Made(FScreen, true); }
TCkMetricsInfo* TCkComputerInfoEx::Metrics() { return Made(FMetrics, false); }
TCkSystemColorsInfo* TCkComputerInfoEx::Colors() { return Made(FColors, true); }
TCkSystemParametersInfo* TCkComputerInfoEx::System() { return Made(FSystem, true); }
TCkMiscInfo* TCkComputerInfoEx::Misc() { return Made(FMisc, true); }
TCkFileInfo* TCkComputerInfoEx::FileInfo() { return Made(FFileInfo, true); }

void TCkComputerInfoEx::SetReadOnly(bool Value) {
  // The folders keep their own read-only flag; the info objects that follow
  // this one take the value as they are built.
  FReadOnly = Value;
}

bool TCkComputerInfoEx::ResetSystemCursors() { return SystemParametersInfoW(SPI_SETCURSORS, 0, nullptr, SPIF_SENDCHANGE) != 0; }

bool TCkComputerInfoEx::ResetSystemIcons() {
  fw::TRegistry reg(KEY_READ | KEY_WRITE);
  reg.SetRootKey(HKEY_CURRENT_USER);
  const fw::String key = u"\\Control Panel\\Desktop\\WindowMetrics";
  const fw::String name = u"Shell Icon Size";
  fw::String text = u"0";
  try {
    if (reg.OpenKeyReadOnly(key) && reg.ValueExists(name)) text = reg.ReadString(name);
  } catch (const fw::Exception&) {
    text = u"0";
  }
  const int size = fw::StrToIntDef(fw::Trim(text), 0);
  if (size == 0) return false;
  reg.CloseKey();
  if (!reg.OpenKey(key, true)) throw fw::ERegistryException(u"Unable to open key \"HKEY_CURRENT_USER" + key + u"\" for write");
  reg.WriteString(name, fw::IntToStr(size + 1));
  SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  reg.WriteString(name, fw::IntToStr(size));
  SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  return true;
}

void TCkComputerInfoEx::NotificationWndProc(fw::TMessage& Message) {
  const WPARAM w = Message.WParam;
  const LPARAM l = Message.LParam;
  switch (Message.Msg) {
    case WM_SYSCOLORCHANGE:
      FireSysColorChange();
      break;
    case WM_SETTINGCHANGE:
      FireSettingChange(static_cast<int>(w), TextAt(l));
      break;
    case WM_DEVMODECHANGE:
      FireDeviceModeChange(reinterpret_cast<const wchar_t*>(l));
      break;
    case WM_FONTCHANGE:
      FireFontChange();
      break;
    case WM_TIMECHANGE:
      FireTimeChange();
      break;
    case WM_SPOOLERSTATUS:
      FireSpoolerStatusChange(static_cast<int>(w), LOWORD(l));
      break;
    case WM_COMPACTING:
      FireCompacting(static_cast<int>(w));
      break;
    case WM_POWER:
    case WM_POWERBROADCAST:
      FirePowerBroadcast(static_cast<int>(w), static_cast<int>(l));
      break;
    case WM_USERCHANGED:
      FireUserChanged();
      break;
    case WM_DISPLAYCHANGE:
      FireDisplayChange(static_cast<int>(w), LOWORD(l), HIWORD(l));
      break;
    case WM_DEVICECHANGE:
      HandleDeviceChange(w, l);
      break;
    case WM_PALETTEISCHANGING:
      FirePaletteChanging(reinterpret_cast<HWND>(w));
      break;
    case WM_PALETTECHANGED:
      FirePaletteChanged(reinterpret_cast<HWND>(w));
      break;
    default:
      break;
  }
  Message.Result = DefWindowProcW(FDeviceHandle, Message.Msg, w, l);
}

void TCkComputerInfoEx::HandleDeviceChange(WPARAM Event, LPARAM Data) {
  if (Event == DBT_DEVICEARRIVAL || Event == DBT_DEVICEREMOVECOMPLETE) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(Data);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME) return;
    const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(Data);
    if (!(volume->dbcv_flags & DBTF_MEDIA)) return;
    FireDeviceAddedOrRemoved(DriveLetterFromMask(volume->dbcv_unitmask), Event == DBT_DEVICEREMOVECOMPLETE);
    return;
  }
  FireDeviceChange(static_cast<unsigned>(Event), reinterpret_cast<void*>(Data));
}

void TCkComputerInfoEx::FireSettingChange(int Flag, const fw::String& Section) {
  if (OnSettingChange) OnSettingChange(this, Flag, Section);
}
void TCkComputerInfoEx::FireDeviceAddedOrRemoved(char16_t Drive, bool Removed) {
  if (Removed) {
    if (OnDeviceRemoved) OnDeviceRemoved(this, Drive);
  } else if (OnDeviceAdded) {
    OnDeviceAdded(this, Drive);
  }
}
void TCkComputerInfoEx::FireCompacting(int Ratio) {
  if (OnCompacting) OnCompacting(this, Ratio);
}
void TCkComputerInfoEx::FirePowerBroadcast(int Event, int Data) {
  if (OnPowerBroadcast) OnPowerBroadcast(this, Event, Data);
}
void TCkComputerInfoEx::FireUserChanged() {
  if (OnUserChanged) OnUserChanged(this);
}
void TCkComputerInfoEx::FireDeviceChange(unsigned Event, void* Data) {
  if (OnDeviceChange) OnDeviceChange(this, Event, Data);
}
void TCkComputerInfoEx::FireDeviceModeChange(const wchar_t* Device) {
  if (OnDeviceModeChange) OnDeviceModeChange(this, Device ? fw::String(reinterpret_cast<const char16_t*>(Device)) : fw::String());
}
void TCkComputerInfoEx::FireTimeChange() {
  if (OnTimeChange) OnTimeChange(this);
}
void TCkComputerInfoEx::FireFontChange() {
  if (OnFontChange) OnFontChange(this);
}
void TCkComputerInfoEx::FireSysColorChange() {
  if (OnSysColorChange) OnSysColorChange(this);
}
void TCkComputerInfoEx::FireSpoolerStatusChange(int JobStatus, int JobsLeft) {
  if (OnSpoolerStatusChange) OnSpoolerStatusChange(this, JobStatus, JobsLeft);
}
void TCkComputerInfoEx::FirePaletteChanging(HWND Wnd) {
  if (OnPaletteChanging) OnPaletteChanging(this, Wnd);
}
void TCkComputerInfoEx::FirePaletteChanged(HWND Wnd) {
  if (OnPaletteChanged) OnPaletteChanged(this, Wnd);
}
void TCkComputerInfoEx::FireDisplayChange(int BitsPerPixel, int ScreenWidth, int ScreenHeight) {
  if (OnDisplayChange) OnDisplayChange(this, BitsPerPixel, ScreenWidth, ScreenHeight);
}

FW_REGISTER(TCkReadOnlyInfo) {}
FW_REGISTER(TCkWriteableInfo) {}

FW_REGISTER(TCkSystemFolders) {
  using F = TCkSystemFolders;
  c.Property(u"TrailingPathDelimiter", &F::TrailingPathDelimiter, &F::SetTrailingPathDelimiter).Default(false);
  c.Property(u"Current", &F::Current, &F::SetCurrent);
}

FW_REGISTER(TCkComputerInfoEx) {
  using C = TCkComputerInfoEx;
  c.Property(u"Folders", &C::Folders, &C::SetFolders);
  // Assigning an info object is ignored; nothing of them is stored.
  c.Property(u"OS", &C::OS, [](C&, TCkOSVersionInfo*) {}).Stored(false);
  c.Property(u"Identification", &C::Identification, [](C&, TCkIdentification*) {}).Stored(false);
  c.Property(u"Memory", &C::Memory, [](C&, TCkMemInfo*) {}).Stored(false);
  c.Property(u"Keyboard", &C::Keyboard, [](C&, TCkKeyInfo*) {}).Stored(false);
  c.Property(u"BIOS", &C::BIOS, [](C&, TCkBIOSInfo*) {}).Stored(false);
  c.Property(u"APM", &C::APM, [](C&, TCkAPMInfo*) {}).Stored(false);
  c.Property(u"CPU", &C::CPU, [](C&, TCkCPUInfo*) {}).Stored(false);
  c.Property(u"Screen", &C::Screen, [](C&, TCkScreenInfo*) {}).Stored(false);
  c.Property(u"Metrics", &C::Metrics, [](C&, TCkMetricsInfo*) {}).Stored(false);
  c.Property(u"Colors", &C::Colors, [](C&, TCkSystemColorsInfo*) {}).Stored(false);
  c.Property(u"System", &C::System, [](C&, TCkSystemParametersInfo*) {}).Stored(false);
  c.Property(u"Misc", &C::Misc, [](C&, TCkMiscInfo*) {}).Stored(false);
  c.Property(u"FileInfo", &C::FileInfo, [](C&, TCkFileInfo*) {}).Stored(false);
  c.Property(u"ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(true);
  c.Event(u"OnDeviceAdded", &C::OnDeviceAdded);
  c.Event(u"OnDeviceRemoved", &C::OnDeviceRemoved);
  c.Event(u"OnSettingChange", &C::OnSettingChange);
  c.Event(u"OnCompacting", &C::OnCompacting);
  c.Event(u"OnPowerBroadcast", &C::OnPowerBroadcast);
  c.Event(u"OnUserChanged", &C::OnUserChanged);
  c.Event(u"OnDeviceChange", &C::OnDeviceChange);
  c.Event(u"OnDeviceModeChange", &C::OnDeviceModeChange);
  c.Event(u"OnDisplayChange", &C::OnDisplayChange);
  c.Event(u"OnTimeChange", &C::OnTimeChange);
  c.Event(u"OnFontChange", &C::OnFontChange);
  c.Event(u"OnSysColorChange", &C::OnSysColorChange);
  c.Event(u"OnSpoolerStatusChange", &C::OnSpoolerStatusChange);
  c.Event(u"OnPaletteChanging", &C::OnPaletteChanging);
  c.Event(u"OnPaletteChanged", &C::OnPaletteChanged);
}

}  // namespace services
