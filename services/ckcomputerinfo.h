// Facts about the machine as a tree of small info objects read on demand,
// and the system's broadcast messages as events. The main window holds one
// (named "directories") and takes its folders from it.
#pragma once

#include <windows.h>

#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/core/object.h"
#include "fw/system/messages.h"
#include "services/core/ckexception.h"

namespace services {

class TCkOSVersionInfo;
class TCkIdentification;
class TCkMemInfo;
class TCkKeyInfo;
class TCkBIOSInfo;
class TCkAPMInfo;
class TCkCPUInfo;
class TCkScreenInfo;
class TCkMetricsInfo;
class TCkSystemColorsInfo;
class TCkSystemParametersInfo;
class TCkMiscInfo;
class TCkFileInfo;

class ECKComputerInfoEx : public ECKException {
 public:
  using ECKException::ECKException;
};

// Raises ECKComputerInfoEx "This value is read-only and cannot be changed."
// unless the last component was made in a designer (then the write is
// dropped quietly).
void RaiseReadOnlyError();
// Whether the most recently made TCkComputerInfoEx was being designed.
bool InfoDesigning();

// Info objects whose properties are all read-only.
class TCkReadOnlyInfo : public fw::TPersistent {
  FW_CLASS(TCkReadOnlyInfo, fw::TPersistent)
};

// Info objects with properties that can be written when the object is not
// read-only (it is, from its creation).
class TCkWriteableInfo : public fw::TPersistent {
  FW_CLASS(TCkWriteableInfo, fw::TPersistent)
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }

 protected:
  // Writing is allowed: not designing and not read-only; else the error.
  bool CanWrite() const;

 private:
  bool FReadOnly = true;
};

// The system's folders, read afresh on every read, without a trailing
// backslash unless TrailingPathDelimiter; empty when the system has none.
class TCkSystemFolders : public TCkWriteableInfo {
  FW_CLASS(TCkSystemFolders, TCkWriteableInfo)
  bool TrailingPathDelimiter() const { return FTrailingPathDelimiter; }
  void SetTrailingPathDelimiter(bool Value) { FTrailingPathDelimiter = Value; }

  fw::String CommonFiles() const;
  fw::String ProgramFiles() const;
  fw::String Current() const;
  // Sets the process's current folder; raises unless writable.
  void SetCurrent(const fw::String& Value);
  fw::String Windows() const;
  fw::String System() const;
  fw::String Temp() const;
  // A shell special folder by its CSIDL number.
  fw::String SpecialFolder(int Csidl) const;
  fw::String AppData() const { return SpecialFolder(26); }
  fw::String Fonts() const { return SpecialFolder(20); }

 private:
  fw::String ApplyTrailingDelimiter(const fw::String& Path) const;
  bool FTrailingPathDelimiter = false;
};

using TCkDriveChangeEvent = fw::TEvent<void(fw::TObject* Sender, char16_t Drive)>;
using TCkSettingChangeEvent = fw::TEvent<void(fw::TObject* Sender, int Flag, const fw::String& Section)>;
using TCkCompactingEvent = fw::TEvent<void(fw::TObject* Sender, int Ratio)>;
using TCkPowerBroadcastEvent = fw::TEvent<void(fw::TObject* Sender, int Event, int Data)>;
using TCkDeviceChangeEvent = fw::TEvent<void(fw::TObject* Sender, unsigned Event, void* Data)>;
using TCkDevModeChangeEvent = fw::TEvent<void(fw::TObject* Sender, const fw::String& Device)>;
using TCkDisplayChangeEvent = fw::TEvent<void(fw::TObject* Sender, int BitsPerPixel, int ScreenWidth, int ScreenHeight)>;
using TCkSpoolerChangeEvent = fw::TEvent<void(fw::TObject* Sender, int JobStatus, int JobsLeft)>;
using TCkPaletteChangeEvent = fw::TEvent<void(fw::TObject* Sender, HWND Wnd)>;

// The drive letter of the lowest set bit of a volume's unit mask ("A" for
// bit 0); "A" as well for an empty mask.
char16_t DriveLetterFromMask(DWORD UnitMask);

class TCkComputerInfoEx : public fw::TComponent {
  FW_CLASS(TCkComputerInfoEx, fw::TComponent)

 public:
  explicit TCkComputerInfoEx(fw::TComponent* AOwner);
  ~TCkComputerInfoEx() override;

  // Made at the first read; assignments are ignored.
  TCkSystemFolders* Folders();
  void SetFolders(TCkSystemFolders*) {}
  // The other info objects, made at their first read as well; the writable
  // ones take the component's ReadOnly then (Metrics never does).
  TCkOSVersionInfo* OS();
  TCkIdentification* Identification();
  TCkMemInfo* Memory();
  TCkKeyInfo* Keyboard();
  TCkBIOSInfo* BIOS();
  TCkAPMInfo* APM();
  TCkCPUInfo* CPU();
  TCkScreenInfo* Screen();
  TCkMetricsInfo* Metrics();
  TCkSystemColorsInfo* Colors();
  TCkSystemParametersInfo* System();
  TCkMiscInfo* Misc();
  TCkFileInfo* FileInfo();
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  HWND DeviceHandle() const { return FDeviceHandle; }

  // Reloads the system cursors.
  bool ResetSystemCursors();
  // Makes the shell rebuild its icons by changing the shell icon size and
  // putting it back; false (and nothing changes) when no size is stored.
  bool ResetSystemIcons();

  TCkDriveChangeEvent OnDeviceAdded;
  TCkDriveChangeEvent OnDeviceRemoved;
  TCkSettingChangeEvent OnSettingChange;
  TCkCompactingEvent OnCompacting;
  TCkPowerBroadcastEvent OnPowerBroadcast;
  fw::TNotifyEvent OnUserChanged;
  TCkDeviceChangeEvent OnDeviceChange;
  TCkDevModeChangeEvent OnDeviceModeChange;
  TCkDisplayChangeEvent OnDisplayChange;
  fw::TNotifyEvent OnTimeChange;
  fw::TNotifyEvent OnFontChange;
  fw::TNotifyEvent OnSysColorChange;
  TCkSpoolerChangeEvent OnSpoolerStatusChange;
  TCkPaletteChangeEvent OnPaletteChanging;
  TCkPaletteChangeEvent OnPaletteChanged;

 protected:
  virtual void FireSettingChange(int Flag, const fw::String& Section);
  virtual void FireDeviceAddedOrRemoved(char16_t Drive, bool Removed);
  virtual void FireCompacting(int Ratio);
  virtual void FirePowerBroadcast(int Event, int Data);
  virtual void FireUserChanged();
  virtual void FireDeviceChange(unsigned Event, void* Data);
  virtual void FireDeviceModeChange(const wchar_t* Device);
  virtual void FireTimeChange();
  virtual void FireFontChange();
  virtual void FireSysColorChange();
  virtual void FireSpoolerStatusChange(int JobStatus, int JobsLeft);
  virtual void FirePaletteChanging(HWND Wnd);
  virtual void FirePaletteChanged(HWND Wnd);
  void FireDisplayChange(int BitsPerPixel, int ScreenWidth, int ScreenHeight);

 private:
  void NotificationWndProc(fw::TMessage& Message);
  void HandleDeviceChange(WPARAM Event, LPARAM Data);

  // Makes an info object at its first read.
  template <class T>
  T* Made(T*& Field, bool TakesReadOnly);

  TCkSystemFolders* FSystemFolders = nullptr;
  TCkOSVersionInfo* FOS = nullptr;
  TCkIdentification* FIdentification = nullptr;
  TCkMemInfo* FMemory = nullptr;
  TCkKeyInfo* FKeyboard = nullptr;
  TCkBIOSInfo* FBIOS = nullptr;
  TCkAPMInfo* FAPM = nullptr;
  TCkCPUInfo* FCPU = nullptr;
  TCkScreenInfo* FScreen = nullptr;
  TCkMetricsInfo* FMetrics = nullptr;
  TCkSystemColorsInfo* FColors = nullptr;
  TCkSystemParametersInfo* FSystem = nullptr;
  TCkMiscInfo* FMisc = nullptr;
  TCkFileInfo* FFileInfo = nullptr;
  HWND FDeviceHandle = nullptr;
  bool FReadOnly = true;
};

}  // namespace services
