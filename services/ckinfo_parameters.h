// The system-parameters info object: the user-interface and accessibility
// settings behind SystemParametersInfo, read afresh on every read. Writes
// change the setting for the whole desktop.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "fw/graphics/graphics.h"
#include "services/ckcomputerinfo.h"
#include "services/core/ckgeometry.h"
#include "services/core/spi_actions.h"
#include "services/core/sysinfo_decode.h"

namespace services {

// LOGFONTW and TFont: name, height, charset, bold above weight 400, italic,
// underline and strike-out; written back with weight 700 or 400.
void LogFontToFont(const LOGFONTW& LogFont, fw::TFont* Font);
LOGFONTW FontToLogFont(fw::TFont* Font);

// Flag sets of the structured settings hold the system's own flag bits;
// bits without a member are dropped on reading and never written.
constexpr DWORD kAccessTimeOutFlags = ATF_ONOFFFEEDBACK | ATF_TIMEOUTON;
constexpr DWORD kFilterKeyFlags =
    FKF_AVAILABLE | FKF_CLICKON | FKF_FILTERKEYSON | FKF_HOTKEYACTIVE | FKF_HOTKEYSOUND | FKF_CONFIRMHOTKEY | FKF_INDICATOR;
constexpr DWORD kHighContrastFlags = HCF_AVAILABLE | HCF_CONFIRMHOTKEY | HCF_HIGHCONTRASTON | HCF_HOTKEYACTIVE |
                                     HCF_HOTKEYAVAILABLE | HCF_HOTKEYSOUND | HCF_INDICATOR;
constexpr DWORD kMouseKeysFlags = MKF_AVAILABLE | MKF_CONFIRMHOTKEY | MKF_HOTKEYACTIVE | MKF_HOTKEYSOUND |
                                  MKF_INDICATOR | MKF_MOUSEKEYSON | MKF_MODIFIERS | MKF_REPLACENUMBERS;
constexpr DWORD kSerialKeysFlags = SERKF_AVAILABLE | SERKF_INDICATOR | SERKF_SERIALKEYSON;
constexpr DWORD kSoundSentryFlags = SSF_AVAILABLE | SSF_SOUNDSENTRYON | SSF_INDICATOR;
constexpr DWORD kStickyKeysFlags = SKF_AUDIBLEFEEDBACK | SKF_AVAILABLE | SKF_CONFIRMHOTKEY | SKF_HOTKEYACTIVE |
                                   SKF_HOTKEYSOUND | SKF_INDICATOR | SKF_STICKYKEYSON | SKF_TRISTATE | SKF_TWOKEYSOFF;
constexpr DWORD kToggleKeysFlags =
    TKF_AVAILABLE | TKF_CONFIRMHOTKEY | TKF_HOTKEYACTIVE | TKF_HOTKEYSOUND | TKF_TOGGLEKEYSON | TKF_INDICATOR;

// One structured setting, read with its get action and written whole with
// its set action (stored and broadcast). Made read-only; a write of the
// value already there returns before the read-only test.
template <class T, UINT GetAction, UINT SetAction>
class TCkSpiStructure : public TCkWriteableInfo {
 public:
  // The structure as just read; zeros (with cbSize) when the read fails.
  T NativeType() const {
    T value{};
    value.cbSize = sizeof(T);
    if (!SystemParametersInfoW(GetAction, sizeof(T), &value, 0)) {
      value = T{};
      value.cbSize = sizeof(T);
    }
    return value;
  }
  void SetNativeType(T Value) {
    if (!CanWrite()) return RaiseReadOnlyError();
    Value.cbSize = sizeof(T);
    SystemParametersInfoW(SetAction, sizeof(T), &Value, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
  }

 protected:
  template <class V, class U>
  void Change(V T::*Field, U NewValue) {
    const V Value = static_cast<V>(NewValue);
    T current = NativeType();
    if (current.*Field == Value) return;
    current.*Field = Value;
    SetNativeType(current);
  }
};

class TCkAccessTimeOut : public TCkSpiStructure<ACCESSTIMEOUT, SPI_GETACCESSTIMEOUT, SPI_SETACCESSTIMEOUT> {
  FW_CLASS(TCkAccessTimeOut, TCkWriteableInfo)
  DWORD Flags() const { return NativeType().dwFlags & kAccessTimeOutFlags; }
  void SetFlags(DWORD Value) { Change(&ACCESSTIMEOUT::dwFlags, Value & kAccessTimeOutFlags); }
  DWORD TimeOutMS() const { return NativeType().iTimeOutMSec; }
  void SetTimeOutMS(DWORD Value) { Change(&ACCESSTIMEOUT::iTimeOutMSec, Value); }
};

class TCkFilterKeys : public TCkSpiStructure<FILTERKEYS, SPI_GETFILTERKEYS, SPI_SETFILTERKEYS> {
  FW_CLASS(TCkFilterKeys, TCkWriteableInfo)
  DWORD Flags() const { return NativeType().dwFlags & kFilterKeyFlags; }
  void SetFlags(DWORD Value) { Change(&FILTERKEYS::dwFlags, Value & kFilterKeyFlags); }
  DWORD WaitMSec() const { return NativeType().iWaitMSec; }
  void SetWaitMSec(DWORD Value) { Change(&FILTERKEYS::iWaitMSec, Value); }
  DWORD DelayMSec() const { return NativeType().iDelayMSec; }
  void SetDelayMSec(DWORD Value) { Change(&FILTERKEYS::iDelayMSec, Value); }
  DWORD RepeatMSec() const { return NativeType().iRepeatMSec; }
  void SetRepeatMSec(DWORD Value) { Change(&FILTERKEYS::iRepeatMSec, Value); }
  DWORD BounceMSec() const { return NativeType().iBounceMSec; }
  void SetBounceMSec(DWORD Value) { Change(&FILTERKEYS::iBounceMSec, Value); }
};

class TCkHighContrast : public TCkSpiStructure<HIGHCONTRASTW, SPI_GETHIGHCONTRAST, SPI_SETHIGHCONTRAST> {
  FW_CLASS(TCkHighContrast, TCkWriteableInfo)
  DWORD Flags() const { return NativeType().dwFlags & kHighContrastFlags; }
  void SetFlags(DWORD Value) { Change(&HIGHCONTRASTW::dwFlags, Value & kHighContrastFlags); }
  fw::String DefaultScheme() const;
  void SetDefaultScheme(const fw::String& Value);
};

class TCkIconMetrics : public TCkSpiStructure<ICONMETRICSW, SPI_GETICONMETRICS, SPI_SETICONMETRICS> {
  FW_CLASS(TCkIconMetrics, TCkWriteableInfo)
  int HorzSpacing() const { return NativeType().iHorzSpacing; }
  void SetHorzSpacing(int Value) { Change(&ICONMETRICSW::iHorzSpacing, Value); }
  int VertSpacing() const { return NativeType().iVertSpacing; }
  void SetVertSpacing(int Value) { Change(&ICONMETRICSW::iVertSpacing, Value); }
  bool TitleWrap() const { return NativeType().iTitleWrap != 0; }
  void SetTitleWrap(bool Value);
  // The owned font, refreshed on every read (left as it was when the read
  // fails); writing always writes.
  fw::TFont* Font();
  void SetFont(fw::TFont* Value);

 private:
  std::unique_ptr<fw::TFont> FFont;
};

class TCkMinimizedMetrics : public TCkSpiStructure<MINIMIZEDMETRICS, SPI_GETMINIMIZEDMETRICS, SPI_SETMINIMIZEDMETRICS> {
  FW_CLASS(TCkMinimizedMetrics, TCkWriteableInfo)
  int Width() const { return NativeType().iWidth; }
  void SetWidth(int Value) { Change(&MINIMIZEDMETRICS::iWidth, Value); }
  int HorzGap() const { return NativeType().iHorzGap; }
  void SetHorzGap(int Value) { Change(&MINIMIZEDMETRICS::iHorzGap, Value); }
  int VertGap() const { return NativeType().iVertGap; }
  void SetVertGap(int Value) { Change(&MINIMIZEDMETRICS::iVertGap, Value); }
  TCkWindowsArrange Arrange() const { return ArrangeFromValue(NativeType().iArrange); }
  void SetArrange(TCkWindowsArrange Value) { Change(&MINIMIZEDMETRICS::iArrange, ArrangeToValue(Value)); }
};

class TCkMouseKeys : public TCkSpiStructure<MOUSEKEYS, SPI_GETMOUSEKEYS, SPI_SETMOUSEKEYS> {
  FW_CLASS(TCkMouseKeys, TCkWriteableInfo)
  DWORD Flags() const { return NativeType().dwFlags & kMouseKeysFlags; }
  void SetFlags(DWORD Value) { Change(&MOUSEKEYS::dwFlags, Value & kMouseKeysFlags); }
  DWORD MaxSpeed() const { return NativeType().iMaxSpeed; }
  void SetMaxSpeed(DWORD Value) { Change(&MOUSEKEYS::iMaxSpeed, Value); }
  DWORD TimeToMaxSpeed() const { return NativeType().iTimeToMaxSpeed; }
  void SetTimeToMaxSpeed(DWORD Value) { Change(&MOUSEKEYS::iTimeToMaxSpeed, Value); }
  DWORD CtrlSpeed() const { return NativeType().iCtrlSpeed; }
  void SetCtrlSpeed(DWORD Value) { Change(&MOUSEKEYS::iCtrlSpeed, Value); }
};

// The structure's size depends on the Windows version (504 bytes from
// Windows 6 on, 500 before).
class TCkNonClientMetrics : public TCkWriteableInfo {
  FW_CLASS(TCkNonClientMetrics, TCkWriteableInfo)

 public:
  NONCLIENTMETRICSW NativeType() const;
  void SetNativeType(NONCLIENTMETRICSW Value);
  int BorderWidth() const { return NativeType().iBorderWidth; }
  void SetBorderWidth(int Value) { Change(&NONCLIENTMETRICSW::iBorderWidth, Value); }
  int ScrollWidth() const { return NativeType().iScrollWidth; }
  void SetScrollWidth(int Value) { Change(&NONCLIENTMETRICSW::iScrollWidth, Value); }
  int ScrollHeight() const { return NativeType().iScrollHeight; }
  void SetScrollHeight(int Value) { Change(&NONCLIENTMETRICSW::iScrollHeight, Value); }
  int CaptionWidth() const { return NativeType().iCaptionWidth; }
  void SetCaptionWidth(int Value) { Change(&NONCLIENTMETRICSW::iCaptionWidth, Value); }
  int CaptionHeight() const { return NativeType().iCaptionHeight; }
  void SetCaptionHeight(int Value) { Change(&NONCLIENTMETRICSW::iCaptionHeight, Value); }
  int SmallCaptionWidth() const { return NativeType().iSmCaptionWidth; }
  void SetSmallCaptionWidth(int Value) { Change(&NONCLIENTMETRICSW::iSmCaptionWidth, Value); }
  int SmallCaptionHeight() const { return NativeType().iSmCaptionHeight; }
  void SetSmallCaptionHeight(int Value) { Change(&NONCLIENTMETRICSW::iSmCaptionHeight, Value); }
  int MenuWidth() const { return NativeType().iMenuWidth; }
  void SetMenuWidth(int Value) { Change(&NONCLIENTMETRICSW::iMenuWidth, Value); }
  int MenuHeight() const { return NativeType().iMenuHeight; }
  void SetMenuHeight(int Value) { Change(&NONCLIENTMETRICSW::iMenuHeight, Value); }
  fw::TFont* CaptionFont() { return ReadFont(0, &NONCLIENTMETRICSW::lfCaptionFont); }
  void SetCaptionFont(fw::TFont* Value) { WriteFont(&NONCLIENTMETRICSW::lfCaptionFont, Value); }
  fw::TFont* SmallCaptionFont() { return ReadFont(1, &NONCLIENTMETRICSW::lfSmCaptionFont); }
  void SetSmallCaptionFont(fw::TFont* Value) { WriteFont(&NONCLIENTMETRICSW::lfSmCaptionFont, Value); }
  fw::TFont* MenuFont() { return ReadFont(2, &NONCLIENTMETRICSW::lfMenuFont); }
  void SetMenuFont(fw::TFont* Value) { WriteFont(&NONCLIENTMETRICSW::lfMenuFont, Value); }
  fw::TFont* StatusFont() { return ReadFont(3, &NONCLIENTMETRICSW::lfStatusFont); }
  void SetStatusFont(fw::TFont* Value) { WriteFont(&NONCLIENTMETRICSW::lfStatusFont, Value); }
  fw::TFont* MessageFont() { return ReadFont(4, &NONCLIENTMETRICSW::lfMessageFont); }
  void SetMessageFont(fw::TFont* Value) { WriteFont(&NONCLIENTMETRICSW::lfMessageFont, Value); }

 private:
  bool Read(NONCLIENTMETRICSW& Value) const;
  void Change(int NONCLIENTMETRICSW::*Field, int Value);
  fw::TFont* ReadFont(int Slot, LOGFONTW NONCLIENTMETRICSW::*Field);
  void WriteFont(LOGFONTW NONCLIENTMETRICSW::*Field, fw::TFont* Value);
  std::unique_ptr<fw::TFont> FFonts[5];
};

enum class TCkSerialKeysPortState { psSerialKeysIgnored, psSerialKeysAware, psSerialKeysAlways };

class TCkSerialKeys : public TCkSpiStructure<SERIALKEYSW, SPI_GETSERIALKEYS, SPI_SETSERIALKEYS> {
  FW_CLASS(TCkSerialKeys, TCkWriteableInfo)
  bool Active() const { return NativeType().iActive != 0; }
  void SetActive(bool Value);
  DWORD Flags() const { return NativeType().dwFlags & kSerialKeysFlags; }
  void SetFlags(DWORD Value) { Change(&SERIALKEYSW::dwFlags, Value & kSerialKeysFlags); }
  fw::String ActivePort() const;
  void SetActivePort(const fw::String& Value) { ChangeText(&SERIALKEYSW::lpszActivePort, Value); }
  fw::String Port() const;
  void SetPort(const fw::String& Value) { ChangeText(&SERIALKEYSW::lpszPort, Value); }
  DWORD BaudRate() const { return NativeType().iBaudRate; }
  void SetBaudRate(DWORD Value) { Change(&SERIALKEYSW::iBaudRate, Value); }
  TCkSerialKeysPortState PortState() const { return static_cast<TCkSerialKeysPortState>(NativeType().iPortState); }
  void SetPortState(TCkSerialKeysPortState Value) {
    Change(&SERIALKEYSW::iPortState, static_cast<DWORD>(Value));
  }

 private:
  void ChangeText(LPWSTR SERIALKEYSW::*Field, const fw::String& Value);
};

enum class TCkSoundSentryTextEffect { sstfNone, sstfChars, sstfBorder, sstfDisplay };
enum class TCkSoundSentryWindowsEffect { sswfNone, sswfTitle, sswfWindow, sswfDisplay, sswfCustom };

class TCkSoundSentry : public TCkSpiStructure<SOUNDSENTRYW, SPI_GETSOUNDSENTRY, SPI_SETSOUNDSENTRY> {
  FW_CLASS(TCkSoundSentry, TCkWriteableInfo)
  DWORD Flags() const { return NativeType().dwFlags & kSoundSentryFlags; }
  void SetFlags(DWORD Value) { Change(&SOUNDSENTRYW::dwFlags, Value & kSoundSentryFlags); }
  TCkSoundSentryTextEffect TextEffect() const {
    return static_cast<TCkSoundSentryTextEffect>(NativeType().iFSTextEffect);
  }
  void SetTextEffect(TCkSoundSentryTextEffect Value) {
    Change(&SOUNDSENTRYW::iFSTextEffect, static_cast<DWORD>(Value));
  }
  DWORD TextEffectMSec() const { return NativeType().iFSTextEffectMSec; }
  void SetTextEffectMSec(DWORD Value) { Change(&SOUNDSENTRYW::iFSTextEffectMSec, Value); }
  fw::TColor TextEffectColor() const { return static_cast<fw::TColor>(NativeType().iFSTextEffectColorBits); }
  void SetTextEffectColor(fw::TColor Value) {
    Change(&SOUNDSENTRYW::iFSTextEffectColorBits, static_cast<DWORD>(Value));
  }
  TCkSoundSentryGrafEffect GrafEffect() const { return GrafEffectFrom(NativeType().iFSGrafEffect); }
  void SetGrafEffect(TCkSoundSentryGrafEffect Value) {
    Change(&SOUNDSENTRYW::iFSGrafEffect, static_cast<DWORD>(GrafEffectValue(Value)));
  }
  DWORD GrafEffectMSec() const { return NativeType().iFSGrafEffectMSec; }
  void SetGrafEffectMSec(DWORD Value) { Change(&SOUNDSENTRYW::iFSGrafEffectMSec, Value); }
  fw::TColor GrafEffectColor() const { return static_cast<fw::TColor>(NativeType().iFSGrafEffectColor); }
  void SetGrafEffectColor(fw::TColor Value) {
    Change(&SOUNDSENTRYW::iFSGrafEffectColor, static_cast<DWORD>(Value));
  }
  TCkSoundSentryWindowsEffect WindowsEffect() const {
    return static_cast<TCkSoundSentryWindowsEffect>(NativeType().iWindowsEffect);
  }
  void SetWindowsEffect(TCkSoundSentryWindowsEffect Value) {
    Change(&SOUNDSENTRYW::iWindowsEffect, static_cast<DWORD>(Value));
  }
  DWORD WindowsEffectMSec() const { return NativeType().iWindowsEffectMSec; }
  void SetWindowsEffectMSec(DWORD Value) { Change(&SOUNDSENTRYW::iWindowsEffectMSec, Value); }
  fw::String WindowsEffectDLL() const;
  void SetWindowsEffectDLL(const fw::String& Value);
};

class TCkSystemParametersInfo : public TCkWriteableInfo {
  FW_CLASS(TCkSystemParametersInfo, TCkWriteableInfo)

 public:
  TCkSystemParametersInfo();
  ~TCkSystemParametersInfo() override;

  struct TNamedSwitch {
    const char16_t* Name;
    int GetAction;
  };
  static const std::vector<TNamedSwitch>& BooleanSwitches();
  static const std::vector<TNamedSwitch>& IntegerSwitches();
  // A switch read through a 32-bit cell: false or 0 when the call fails.
  static bool BooleanSwitch(int GetAction);
  static int IntegerSwitch(int GetAction);
  // Writes a switch, stored and broadcast, with its set action taking the
  // value the way the system reads it. Raises the read-only error when not
  // writable or the setting has no set action of its own.
  void SetSwitch(int GetAction, int Value);

  TCkAccessTimeOut* AccessTimeOut() { return Made(FAccessTimeOut); }
  TCkFilterKeys* FilterKeys() { return Made(FFilterKeys); }
  TCkHighContrast* HighContrast() { return Made(FHighContrast); }
  TCkIconMetrics* IconMetrics() { return Made(FIconMetrics); }
  TCkMinimizedMetrics* MinimizedMetrics() { return Made(FMinimizedMetrics); }
  TCkMouseKeys* MouseKeys() { return Made(FMouseKeys); }
  TCkNonClientMetrics* NonClientMetrics() { return Made(FNonClientMetrics); }
  TCkSerialKeys* SerialKeys() { return Made(FSerialKeys); }
  TCkSoundSentry* SoundSentry() { return Made(FSoundSentry); }

  bool Animation() const;
  // Not stored in the user's profile.
  void SetAnimation(bool Value);
  fw::TFont* IconTitleFont();
  void SetIconTitleFont(fw::TFont* Value);
  int IconHorizontalSpacing() const { return IconSpacing(SPI_ICONHORIZONTALSPACING); }
  void SetIconHorizontalSpacing(int Value) { SetIconSpacing(SPI_ICONHORIZONTALSPACING, Value); }
  int IconVerticalSpacing() const { return IconSpacing(SPI_ICONVERTICALSPACING); }
  void SetIconVerticalSpacing(int Value) { SetIconSpacing(SPI_ICONVERTICALSPACING, Value); }
  fw::String KeyboardLayoutName() const;
  void SetKeyboardLayoutName(const fw::String& Value);
  int MouseThreshold1() const { return MouseValue(0); }
  void SetMouseThreshold1(int Value) { SetMouseValue(0, Value); }
  int MouseThreshold2() const { return MouseValue(1); }
  void SetMouseThreshold2(int Value) { SetMouseValue(1, Value); }
  DWORD StickyKeys() const;
  void SetStickyKeys(DWORD Value);
  DWORD ToggleKeys() const;
  void SetToggleKeys(DWORD Value);
  // The same rectangle object on every read, refreshed each time.
  TCkRect* WorkArea();
  // The current wallpaper's file; setting it is not stored.
  fw::String DeskWallpaper() const;
  void SetDeskWallpaper(const fw::String& Value);
  TCkFontSmoothingType FontSmoothingType() const;
  void SetFontSmoothingType(TCkFontSmoothingType Value);

 private:
  template <class T>
  T* Made(T*& Field) {
    if (!Field) Field = new T();
    return Field;
  }
  static int IconSpacing(UINT Action);
  void SetIconSpacing(UINT Action, int Value);
  static int MouseValue(int Index);
  void SetMouseValue(int Index, int Value);

  TCkAccessTimeOut* FAccessTimeOut = nullptr;
  TCkFilterKeys* FFilterKeys = nullptr;
  TCkHighContrast* FHighContrast = nullptr;
  TCkIconMetrics* FIconMetrics = nullptr;
  TCkMinimizedMetrics* FMinimizedMetrics = nullptr;
  TCkMouseKeys* FMouseKeys = nullptr;
  TCkNonClientMetrics* FNonClientMetrics = nullptr;
  TCkSerialKeys* FSerialKeys = nullptr;
  TCkSoundSentry* FSoundSentry = nullptr;
  std::unique_ptr<fw::TFont> FIconTitleFont;
  TCkRect* FWorkArea = nullptr;
};

}  // namespace services
