#include "services/ckinfo_parameters.h"

#include <cwctype>

#include "fw/core/sysutils.h"
#include "services/ckinfo_publish.h"
#include "services/shellutils.h"

namespace services {

namespace {

constexpr UINT kStoreAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

fw::String FromWide(const wchar_t* Text) {
  return Text ? fw::String(reinterpret_cast<const char16_t*>(Text)) : fw::String();
}

}  // namespace

void LogFontToFont(const LOGFONTW& LogFont, fw::TFont* Font) {
  wchar_t name[LF_FACESIZE + 1] = {};
  std::copy(LogFont.lfFaceName, LogFont.lfFaceName + LF_FACESIZE, name);
  Font->SetName(FromWide(name));
  Font->SetHeight(LogFont.lfHeight);
  Font->SetCharset(LogFont.lfCharSet);
  fw::TFontStyles style;
  if (LogFont.lfWeight > FW_NORMAL) style.Include(fw::fsBold);
  if (LogFont.lfItalic) style.Include(fw::fsItalic);
  if (LogFont.lfUnderline) style.Include(fw::fsUnderline);
  if (LogFont.lfStrikeOut) style.Include(fw::fsStrikeOut);
  Font->SetStyle(style);
}

LOGFONTW FontToLogFont(fw::TFont* Font) {
  LOGFONTW f{};
  const fw::String& name = Font->Name();
  for (size_t i = 0; i < name.size() && i < LF_FACESIZE - 1; ++i) f.lfFaceName[i] = static_cast<wchar_t>(name[i]);
  f.lfHeight = Font->Height();
  f.lfCharSet = Font->Charset();
  const fw::TFontStyles style = Font->Style();
  f.lfWeight = style.Contains(fw::fsBold) ? FW_BOLD : FW_NORMAL;
  f.lfItalic = style.Contains(fw::fsItalic) ? 1 : 0;
  f.lfUnderline = style.Contains(fw::fsUnderline) ? 1 : 0;
  f.lfStrikeOut = style.Contains(fw::fsStrikeOut) ? 1 : 0;
  return f;
}

// ---- Structured settings

fw::String TCkHighContrast::DefaultScheme() const { return FromWide(NativeType().lpszDefaultScheme); }

void TCkHighContrast::SetDefaultScheme(const fw::String& Value) {
  HIGHCONTRASTW current = NativeType();
  if (fw::SameText(FromWide(current.lpszDefaultScheme), Value)) return;
  fw::String text = Value;
  current.lpszDefaultScheme = const_cast<wchar_t*>(W(text));
  SetNativeType(current);
}

void TCkIconMetrics::SetTitleWrap(bool Value) { Change(&ICONMETRICSW::iTitleWrap, Value ? 1 : 0); }

fw::TFont* TCkIconMetrics::Font() {
  if (!FFont) FFont = std::make_unique<fw::TFont>();
  ICONMETRICSW m{};
  m.cbSize = sizeof m;
  if (SystemParametersInfoW(SPI_GETICONMETRICS, sizeof m, &m, 0)) LogFontToFont(m.lfFont, FFont.get());
  return FFont.get();
}

void TCkIconMetrics::SetFont(fw::TFont* Value) {
  ICONMETRICSW m = NativeType();
  m.lfFont = FontToLogFont(Value);
  SetNativeType(m);
}

bool TCkNonClientMetrics::Read(NONCLIENTMETRICSW& Value) const {
  Value = NONCLIENTMETRICSW{};
  Value.cbSize = WindowsVersionAtLeast(6, 0) ? sizeof(NONCLIENTMETRICSW) : 500;
  return SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, Value.cbSize, &Value, 0) != 0;
}

NONCLIENTMETRICSW TCkNonClientMetrics::NativeType() const {
  NONCLIENTMETRICSW value;
  if (!Read(value)) {
    const UINT size = value.cbSize;
    value = NONCLIENTMETRICSW{};
    value.cbSize = size;
  }
  return value;
}

void TCkNonClientMetrics::SetNativeType(NONCLIENTMETRICSW Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  Value.cbSize = WindowsVersionAtLeast(6, 0) ? sizeof(NONCLIENTMETRICSW) : 500;
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, Value.cbSize, &Value, kStoreAndBroadcast);
}

void TCkNonClientMetrics::Change(int NONCLIENTMETRICSW::*Field, int Value) {
  NONCLIENTMETRICSW current = NativeType();
  if (current.*Field == Value) return;
  current.*Field = Value;
  SetNativeType(current);
}

fw::TFont* TCkNonClientMetrics::ReadFont(int Slot, LOGFONTW NONCLIENTMETRICSW::*Field) {
  if (!FFonts[Slot]) FFonts[Slot] = std::make_unique<fw::TFont>();
  NONCLIENTMETRICSW m;
  if (Read(m)) LogFontToFont(m.*Field, FFonts[Slot].get());
  return FFonts[Slot].get();
}

void TCkNonClientMetrics::WriteFont(LOGFONTW NONCLIENTMETRICSW::*Field, fw::TFont* Value) {
  NONCLIENTMETRICSW m = NativeType();
  m.*Field = FontToLogFont(Value);
  SetNativeType(m);
}

void TCkSerialKeys::SetActive(bool Value) { Change(&SERIALKEYSW::iActive, Value ? 1u : 0u); }

fw::String TCkSerialKeys::ActivePort() const { return FromWide(NativeType().lpszActivePort); }
fw::String TCkSerialKeys::Port() const { return FromWide(NativeType().lpszPort); }

void TCkSerialKeys::ChangeText(LPWSTR SERIALKEYSW::*Field, const fw::String& Value) {
  SERIALKEYSW current = NativeType();
  if (fw::SameText(FromWide(current.*Field), Value)) return;
  fw::String text = Value;
  current.*Field = const_cast<wchar_t*>(W(text));
  SetNativeType(current);
}

fw::String TCkSoundSentry::WindowsEffectDLL() const { return FromWide(NativeType().lpszWindowsEffectDLL); }

void TCkSoundSentry::SetWindowsEffectDLL(const fw::String& Value) {
  SOUNDSENTRYW current = NativeType();
  if (FromWide(current.lpszWindowsEffectDLL) == Value) return;
  fw::String text = Value;
  current.lpszWindowsEffectDLL = const_cast<wchar_t*>(W(text));
  SetNativeType(current);
}

// ---- The parameters object

TCkSystemParametersInfo::TCkSystemParametersInfo() : FWorkArea(new TCkRect()) {}

TCkSystemParametersInfo::~TCkSystemParametersInfo() {
  delete FAccessTimeOut;
  delete FFilterKeys;
  delete FHighContrast;
  delete FIconMetrics;
  delete FMinimizedMetrics;
  delete FMouseKeys;
  delete FNonClientMetrics;
  delete FSerialKeys;
  delete FSoundSentry;
  delete FWorkArea;
}

const std::vector<TCkSystemParametersInfo::TNamedSwitch>& TCkSystemParametersInfo::BooleanSwitches() {
  static const std::vector<TNamedSwitch> switches = {
      {u"Beep", 1}, {u"DragFullWindows", 38}, {u"FontSmoothing", 74}, {u"IconTitleWrap", 25},
      {u"KeyboardPreferred", 68}, {u"LowPowerActive", 83}, {u"MenuLeftAligned", 27}, {u"PowerOffActive", 84},
      {u"ScreenReader", 70}, {u"ScreenSaverActive", 16}, {u"ShowSounds", 56}, {u"SnapToDefaultButton", 95},
      {u"WindowsExtensions", 92}, {u"ScreenSaverRunning", 114}, {u"MouseClickLock", 4126}, {u"MouseSonar", 4124},
      {u"MouseVanish", 4128}, {u"DropShadow", 4132}, {u"FlatMenu", 4130}, {u"ShowIMEUI", 110},
      {u"ActiveWindowTracking", 4096}, {u"MenuAnimation", 4098}, {u"ComboboxAnimation", 4100},
      {u"ListboxSmoothScrolling", 4102}, {u"GradientCaptions", 4104}, {u"MenuUnderLines", 4106},
      {u"ActiveWindowTrackZOrder", 4108}, {u"HotTracking", 4110}, {u"MenuFade", 4114}, {u"SelectionFade", 4116},
      {u"ToolTipAnimation", 4118}, {u"ToolTipFade", 4120}, {u"CursorShadow", 4122}, {u"UIEffects", 4158},
  };
  return switches;
}

const std::vector<TCkSystemParametersInfo::TNamedSwitch>& TCkSystemParametersInfo::IntegerSwitches() {
  static const std::vector<TNamedSwitch> switches = {
      {u"BorderMultiplier", 5}, {u"DefaultInputLanguage", 89}, {u"GridGranularity", 18}, {u"KeyboardDelay", 22},
      {u"KeyboardSpeed", 10}, {u"LowPowerTimeOut", 79}, {u"MouseSpeed", 112}, {u"MouseHoverHeight", 100},
      {u"MouseHoverTime", 102}, {u"MouseHoverWidth", 98}, {u"MouseTrails", 94}, {u"PowerOffTimeout", 80},
      {u"ScreenSaveTimeOut", 14}, {u"WheelScrollLines", 104}, {u"FocusBorderHeight", 8208},
      {u"FocusBorderWidth", 8206}, {u"MouseClickLockTime", 8200}, {u"FontSmoothingContrast", 8204},
      {u"MenuShowDelay", 106}, {u"ForegroundLockTimeOut", 8192}, {u"ActiveWindowTrackTimeOut", 8194},
      {u"ForegroundFlashCount", 8196}, {u"CaretWidth", 8198},
  };
  return switches;
}

bool TCkSystemParametersInfo::BooleanSwitch(int GetAction) {
  // Some settings fill a pointer-sized cell on 64-bit Windows; the cell is
  // big enough for either.
  uint64_t cell = 0;
  return SystemParametersInfoW(static_cast<UINT>(GetAction), 0, &cell, 0) && static_cast<uint32_t>(cell) != 0;
}

int TCkSystemParametersInfo::IntegerSwitch(int GetAction) {
  uint64_t cell = 0;
  if (!SystemParametersInfoW(static_cast<UINT>(GetAction), 0, &cell, 0)) return 0;
  return static_cast<int>(static_cast<uint32_t>(cell));
}

void TCkSystemParametersInfo::SetSwitch(int GetAction, int Value) {
  const int setAction = SpiSetAction(GetAction);
  if (!CanWrite() || setAction < 0 || GetAction == SPI_GETSCREENSAVERRUNNING) return RaiseReadOnlyError();
  const UINT action = static_cast<UINT>(setAction);
  switch (SpiValueForm(setAction)) {
    case TSpiValueForm::UiParam:
      SystemParametersInfoW(action, static_cast<UINT>(Value), nullptr, kStoreAndBroadcast);
      break;
    case TSpiValueForm::PvValue:
      SystemParametersInfoW(action, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(static_cast<uint32_t>(Value))),
                            kStoreAndBroadcast);
      break;
    case TSpiValueForm::PvAddress: {
      uintptr_t cell = static_cast<uint32_t>(Value);
      SystemParametersInfoW(action, 0, &cell, kStoreAndBroadcast);
      break;
    }
  }
}

bool TCkSystemParametersInfo::Animation() const {
  ANIMATIONINFO info{sizeof(ANIMATIONINFO), 0};
  return SystemParametersInfoW(SPI_GETANIMATION, sizeof info, &info, 0) && info.iMinAnimate != 0;
}

void TCkSystemParametersInfo::SetAnimation(bool Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  ANIMATIONINFO info{sizeof(ANIMATIONINFO), Value ? 1 : 0};
  SystemParametersInfoW(SPI_SETANIMATION, sizeof info, &info, 0);
}

fw::TFont* TCkSystemParametersInfo::IconTitleFont() {
  if (!FIconTitleFont) FIconTitleFont = std::make_unique<fw::TFont>();
  LOGFONTW f{};
  if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof f, &f, 0)) LogFontToFont(f, FIconTitleFont.get());
  return FIconTitleFont.get();
}

void TCkSystemParametersInfo::SetIconTitleFont(fw::TFont* Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  LOGFONTW f = FontToLogFont(Value);
  SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof f, &f, 0);
}

int TCkSystemParametersInfo::IconSpacing(UINT Action) {
  int value = 0;
  return SystemParametersInfoW(Action, 0, &value, 0) ? value : 0;
}

void TCkSystemParametersInfo::SetIconSpacing(UINT Action, int Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  SystemParametersInfoW(Action, static_cast<UINT>(Value), nullptr, 0);
}

fw::String TCkSystemParametersInfo::KeyboardLayoutName() const {
  wchar_t name[KL_NAMELENGTH] = {};
  return GetKeyboardLayoutNameW(name) ? FromWide(name) : fw::String();
}

void TCkSystemParametersInfo::SetKeyboardLayoutName(const fw::String& Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  LoadKeyboardLayoutW(W(Value), KLF_ACTIVATE);
}

int TCkSystemParametersInfo::MouseValue(int Index) {
  int values[3] = {};
  return SystemParametersInfoW(SPI_GETMOUSE, 0, values, 0) ? values[Index] : 0;
}

void TCkSystemParametersInfo::SetMouseValue(int Index, int Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  int values[3] = {};
  SystemParametersInfoW(SPI_GETMOUSE, 0, values, 0);
  values[Index] = Value;
  SystemParametersInfoW(SPI_SETMOUSE, 0, values, kStoreAndBroadcast);
}

DWORD TCkSystemParametersInfo::StickyKeys() const {
  STICKYKEYS s{sizeof(STICKYKEYS), 0};
  return SystemParametersInfoW(SPI_GETSTICKYKEYS, sizeof s, &s, 0) ? s.dwFlags & kStickyKeysFlags : 0;
}

void TCkSystemParametersInfo::SetStickyKeys(DWORD Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  STICKYKEYS s{sizeof(STICKYKEYS), Value & kStickyKeysFlags};
  SystemParametersInfoW(SPI_SETSTICKYKEYS, sizeof s, &s, kStoreAndBroadcast);
}

DWORD TCkSystemParametersInfo::ToggleKeys() const {
  TOGGLEKEYS t{sizeof(TOGGLEKEYS), 0};
  return SystemParametersInfoW(SPI_GETTOGGLEKEYS, sizeof t, &t, 0) ? t.dwFlags & kToggleKeysFlags : 0;
}

void TCkSystemParametersInfo::SetToggleKeys(DWORD Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  TOGGLEKEYS t{sizeof(TOGGLEKEYS), Value & kToggleKeysFlags};
  SystemParametersInfoW(SPI_SETTOGGLEKEYS, sizeof t, &t, kStoreAndBroadcast);
}

TCkRect* TCkSystemParametersInfo::WorkArea() {
  RECT r{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) r = RECT{};
  FWorkArea->SetLeft(r.left);
  FWorkArea->SetTop(r.top);
  FWorkArea->SetRight(r.right);
  FWorkArea->SetBottom(r.bottom);
  return FWorkArea;
}

fw::String TCkSystemParametersInfo::DeskWallpaper() const {
  wchar_t path[MAX_PATH + 1] = {};
  return SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0) ? FromWide(path) : fw::String();
}

void TCkSystemParametersInfo::SetDeskWallpaper(const fw::String& Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  fw::String text = Value;
  SystemParametersInfoW(SPI_SETDESKWALLPAPER, static_cast<UINT>(text.size()), const_cast<wchar_t*>(W(text)), 0);
}

TCkFontSmoothingType TCkSystemParametersInfo::FontSmoothingType() const {
  UINT value = 0;
  const bool ok = SystemParametersInfoW(SPI_GETFONTSMOOTHINGTYPE, 0, &value, 0) != 0;
  return FontSmoothingTypeFrom(ok, value);
}

void TCkSystemParametersInfo::SetFontSmoothingType(TCkFontSmoothingType Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  // This one setting takes its value in pvParam as well.
  SystemParametersInfoW(SPI_SETFONTSMOOTHINGTYPE, 0,
                        reinterpret_cast<void*>(static_cast<uintptr_t>(FontSmoothingTypeValue(Value))),
                        kStoreAndBroadcast);
}

// ---- Published properties

FW_REGISTER(TCkAccessTimeOut) {
  using C = TCkAccessTimeOut;
  c.Property(u"Flags", &C::Flags, &C::SetFlags);
  c.Property(u"TimeOutMS", &C::TimeOutMS, &C::SetTimeOutMS);
}

FW_REGISTER(TCkFilterKeys) {
  using C = TCkFilterKeys;
  c.Property(u"Flags", &C::Flags, &C::SetFlags);
  c.Property(u"WaitMSec", &C::WaitMSec, &C::SetWaitMSec);
  c.Property(u"DelayMSec", &C::DelayMSec, &C::SetDelayMSec);
  c.Property(u"RepeatMSec", &C::RepeatMSec, &C::SetRepeatMSec);
  c.Property(u"BounceMSec", &C::BounceMSec, &C::SetBounceMSec);
}

FW_REGISTER(TCkHighContrast) {
  using C = TCkHighContrast;
  c.Property(u"Flags", &C::Flags, &C::SetFlags);
  c.Property(u"DefaultScheme", &C::DefaultScheme, &C::SetDefaultScheme);
}

FW_REGISTER(TCkIconMetrics) {
  using C = TCkIconMetrics;
  c.Property(u"HorzSpacing", &C::HorzSpacing, &C::SetHorzSpacing);
  c.Property(u"VertSpacing", &C::VertSpacing, &C::SetVertSpacing);
  c.Property(u"TitleWrap", &C::TitleWrap, &C::SetTitleWrap);
}

FW_REGISTER(TCkMinimizedMetrics) {
  using C = TCkMinimizedMetrics;
  c.Property(u"Width", &C::Width, &C::SetWidth);
  c.Property(u"HorzGap", &C::HorzGap, &C::SetHorzGap);
  c.Property(u"VertGap", &C::VertGap, &C::SetVertGap);
  c.Property(u"Arrange", &C::Arrange, &C::SetArrange);
}

FW_REGISTER(TCkMouseKeys) {
  using C = TCkMouseKeys;
  c.Property(u"Flags", &C::Flags, &C::SetFlags);
  c.Property(u"MaxSpeed", &C::MaxSpeed, &C::SetMaxSpeed);
  c.Property(u"TimeToMaxSpeed", &C::TimeToMaxSpeed, &C::SetTimeToMaxSpeed);
  c.Property(u"CtrlSpeed", &C::CtrlSpeed, &C::SetCtrlSpeed);
}

FW_REGISTER(TCkNonClientMetrics) {
  using C = TCkNonClientMetrics;
  c.Property(u"BorderWidth", &C::BorderWidth, &C::SetBorderWidth);
  c.Property(u"ScrollWidth", &C::ScrollWidth, &C::SetScrollWidth);
  c.Property(u"ScrollHeight", &C::ScrollHeight, &C::SetScrollHeight);
  c.Property(u"CaptionWidth", &C::CaptionWidth, &C::SetCaptionWidth);
  c.Property(u"CaptionHeight", &C::CaptionHeight, &C::SetCaptionHeight);
  c.Property(u"SmallCaptionWidth", &C::SmallCaptionWidth, &C::SetSmallCaptionWidth);
  c.Property(u"SmallCaptionHeight", &C::SmallCaptionHeight, &C::SetSmallCaptionHeight);
  c.Property(u"MenuWidth", &C::MenuWidth, &C::SetMenuWidth);
  c.Property(u"MenuHeight", &C::MenuHeight, &C::SetMenuHeight);
}

FW_REGISTER(TCkSerialKeys) {
  using C = TCkSerialKeys;
  c.Property(u"Active", &C::Active, &C::SetActive);
  c.Property(u"Flags", &C::Flags, &C::SetFlags);
  c.Property(u"ActivePort", &C::ActivePort, &C::SetActivePort);
  c.Property(u"Port", &C::Port, &C::SetPort);
  c.Property(u"BaudRate", &C::BaudRate, &C::SetBaudRate);
}

FW_REGISTER(TCkSoundSentry) {
  using C = TCkSoundSentry;
  c.Property(u"Flags", &C::Flags, &C::SetFlags);
  c.Property(u"TextEffectMSec", &C::TextEffectMSec, &C::SetTextEffectMSec);
  c.Property(u"GrafEffectMSec", &C::GrafEffectMSec, &C::SetGrafEffectMSec);
  c.Property(u"WindowsEffectMSec", &C::WindowsEffectMSec, &C::SetWindowsEffectMSec);
  c.Property(u"WindowsEffectDLL", &C::WindowsEffectDLL, &C::SetWindowsEffectDLL);
}

FW_REGISTER(TCkSystemParametersInfo) {
  using C = TCkSystemParametersInfo;
  for (const C::TNamedSwitch& s : C::BooleanSwitches()) {
    const int action = s.GetAction;
    c.Property(s.Name, [action](C&) { return C::BooleanSwitch(action); },
               [action](C& o, bool v) { o.SetSwitch(action, v ? 1 : 0); });
  }
  for (const C::TNamedSwitch& s : C::IntegerSwitches()) {
    const int action = s.GetAction;
    c.Property(s.Name, [action](C&) { return C::IntegerSwitch(action); },
               [action](C& o, int v) { o.SetSwitch(action, v); });
  }
  c.Property(u"Animation", &C::Animation, &C::SetAnimation);
  c.Property(u"IconHorizontalSpacing", &C::IconHorizontalSpacing, &C::SetIconHorizontalSpacing);
  c.Property(u"IconVerticalSpacing", &C::IconVerticalSpacing, &C::SetIconVerticalSpacing);
  c.Property(u"KeyboardLayoutName", &C::KeyboardLayoutName, &C::SetKeyboardLayoutName);
  c.Property(u"MouseThreshold1", &C::MouseThreshold1, &C::SetMouseThreshold1);
  c.Property(u"MouseThreshold2", &C::MouseThreshold2, &C::SetMouseThreshold2);
  c.Property(u"StickyKeys", &C::StickyKeys, &C::SetStickyKeys);
  c.Property(u"ToggleKeys", &C::ToggleKeys, &C::SetToggleKeys);
  c.Property(u"DeskWallpaper", &C::DeskWallpaper, &C::SetDeskWallpaper);
}

}  // namespace services
