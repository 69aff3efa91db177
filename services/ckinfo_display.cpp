#include "services/ckinfo_display.h"

#include "services/ckinfo_publish.h"

namespace services {

// ---- Modes

void TCkScreenMode::Assign(const DEVMODEW& Mode) {
  FHz = Mode.dmDisplayFrequency < 2 ? 60 : Mode.dmDisplayFrequency;
  FWidth = static_cast<int>(Mode.dmPelsWidth);
  FHeight = static_cast<int>(Mode.dmPelsHeight);
  FBitsPerPixel = Mode.dmBitsPerPel;
  FFlags = Mode.dmDisplayFlags & (dmGrayScale | dmInterlaced);
}

TCkScreenModes::TCkScreenModes() : FDefaultMode(std::make_unique<TCkScreenMode>()) { Refresh(); }

void TCkScreenModes::Refresh() {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  if (EnumDisplaySettingsW(nullptr, ENUM_REGISTRY_SETTINGS, &mode)) FDefaultMode->Assign(mode);
  // Objects from an earlier read are updated, never freed: a caller may
  // still hold them.
  FCount = 0;
  for (DWORD n = 0;; ++n) {
    DEVMODEW m{};
    m.dmSize = sizeof m;
    if (!EnumDisplaySettingsW(nullptr, n, &m)) break;
    if (FCount == FItems.size()) FItems.push_back(std::make_unique<TCkScreenMode>());
    FItems[FCount++]->Assign(m);
  }
}

TCkScreenMode* TCkScreenModes::GetItems(int Index) const {
  if (Index < 0) return FDefaultMode.get();
  if (static_cast<size_t>(Index) < FCount) return FItems[static_cast<size_t>(Index)].get();
  return nullptr;
}

// ---- Stored mode

DEVMODEW TCkScreenInfo::StoredMode() {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  // A failed query reads as zeros.
  EnumDisplaySettingsW(nullptr, ENUM_REGISTRY_SETTINGS, &mode);
  return mode;
}

TCkDisplayFlags TCkScreenInfo::Flags() const { return StoredMode().dmDisplayFlags & (dmGrayScale | dmInterlaced); }

DWORD TCkScreenInfo::Hz() const {
  const DWORD hz = StoredMode().dmDisplayFrequency;
  return hz < 2 ? 60 : hz;
}

fw::TPoint TCkScreenInfo::ScreenResolution() const {
  const DEVMODEW mode = StoredMode();
  return fw::TPoint{static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight)};
}

TCkScreenModes* TCkScreenInfo::ScreenModes() {
  if (!FScreenModes) FScreenModes = std::make_unique<TCkScreenModes>();
  else FScreenModes->Refresh();
  return FScreenModes.get();
}

void TCkScreenInfo::ChangeStoredMode(DWORD Field, void (*Store)(DEVMODEW&, DWORD), DWORD Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  DEVMODEW mode = StoredMode();
  Store(mode, Value);
  mode.dmFields = Field;
  if (ChangeDisplaySettingsW(&mode, CDS_TEST) == DISP_CHANGE_SUCCESSFUL)
    ChangeDisplaySettingsW(&mode, CDS_UPDATEREGISTRY);
}

void TCkScreenInfo::SetBitsPerPixel(DWORD Value) {
  ChangeStoredMode(DM_BITSPERPEL, [](DEVMODEW& m, DWORD v) { m.dmBitsPerPel = v; }, Value);
}
void TCkScreenInfo::SetFlags(TCkDisplayFlags Value) {
  ChangeStoredMode(DM_DISPLAYFLAGS, [](DEVMODEW& m, DWORD v) { m.dmDisplayFlags = v; }, Value);
}
void TCkScreenInfo::SetWidth(DWORD Value) {
  ChangeStoredMode(DM_PELSWIDTH, [](DEVMODEW& m, DWORD v) { m.dmPelsWidth = v; }, Value);
}
void TCkScreenInfo::SetHeight(DWORD Value) {
  ChangeStoredMode(DM_PELSHEIGHT, [](DEVMODEW& m, DWORD v) { m.dmPelsHeight = v; }, Value);
}
void TCkScreenInfo::SetHz(DWORD Value) {
  ChangeStoredMode(DM_DISPLAYFREQUENCY, [](DEVMODEW& m, DWORD v) { m.dmDisplayFrequency = v; }, Value);
}

// ---- Metrics

const std::vector<TCkMetricsInfo::TNamedMetric>& TCkMetricsInfo::IntegerMetrics() {
  static const std::vector<TNamedMetric> metrics = {
      {u"MouseButtons", 43}, {u"BorderWidth", 5}, {u"BorderHeight", 6}, {u"CursorWidth", 13},
      {u"CursorHeight", 14}, {u"DialogFrameWidth", 7}, {u"DialogFrameHeight", 8}, {u"DoubleClickWidth", 36},
      {u"DoubleClickHeight", 37}, {u"DragWidth", 68}, {u"DragHeight", 69}, {u"EdgeWidth", 45},
      {u"EdgeHeight", 46}, {u"FixedFrameWidth", 7}, {u"FixedFrameHeight", 8}, {u"FrameWidth", 32},
      {u"FrameHeight", 33}, {u"ScreenClientWidth", 16}, {u"ScreenClientHeight", 17}, {u"ScreenWidth", 0},
      {u"ScreenHeight", 1}, {u"ScrollArrowWidth", 21}, {u"ScrollArrowHeight", 3}, {u"ScrollThumbWidth", 10},
      {u"ScrollThumbHeight", 9}, {u"ScrollWidth", 2}, {u"ScrollHeight", 20}, {u"IconWidth", 11},
      {u"IconHeight", 12}, {u"SmallIconWidth", 49}, {u"SmallIconHeight", 50}, {u"IconSpacingWidth", 38},
      {u"IconSpacingHeight", 39}, {u"MaximizedWindowWidth", 61}, {u"MaximizedWindowHeight", 62},
      {u"MinimizedWindowWidth", 57}, {u"MinimizedWindowHeight", 58}, {u"MaxDragWindowWidth", 59},
      {u"MaxDragWindowHeight", 60}, {u"MinDragWindowWidth", 34}, {u"MinDragWindowHeight", 35},
      {u"MinWindowWidth", 28}, {u"MinWindowHeight", 29}, {u"MenuCheckWidth", 71}, {u"MenuCheckHeight", 72},
      {u"MenuButtonWidth", 54}, {u"MenuButtonHeight", 55}, {u"MinimizedWindowSpacingWidth", 47},
      {u"MinimizedWindowSpacingHeight", 48}, {u"CaptionButtonWidth", 30}, {u"CaptionButtonheight", 31},
      {u"ResizeBorderWidth", 32}, {u"ResizeBorderHeight", 33}, {u"SmallCaptionButtonWidth", 52},
      {u"SmallCaptionButtonHeight", 53}, {u"WindowCaptionHeight", 4}, {u"SmallWindowCaptionHeight", 51},
      {u"KanjiWindowHeight", 18}, {u"MenuItemHeight", 15},
  };
  return metrics;
}

const std::vector<TCkMetricsInfo::TNamedMetric>& TCkMetricsInfo::BooleanMetrics() {
  static const std::vector<TNamedMetric> metrics = {
      {u"DBCSEnabled", 42}, {u"Debug", 22}, {u"MenuRightAligned", 40}, {u"MidEastEnabled", 74},
      {u"MousePresent", 19}, {u"MouseWheelPresent", 75}, {u"Networked", 63}, {u"PenWindows", 41},
      {u"Secure", 44}, {u"ShowSounds", 70}, {u"SlowMachine", 73}, {u"MouseButtonsSwapped", 23},
  };
  return metrics;
}

void TCkMetricsInfo::SetCaretBlinkTime(DWORD Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  ::SetCaretBlinkTime(Value);
}

POINT TCkMetricsInfo::CaretPosition() {
  POINT p{};
  if (!GetCaretPos(&p)) p = POINT{-1, -1};
  return p;
}

POINT TCkMetricsInfo::CursorPosition() {
  POINT p{};
  if (!GetCursorPos(&p)) p = POINT{-1, -1};
  return p;
}

void TCkMetricsInfo::MoveCaret(int Value, bool X) {
  if (!CanWrite()) return RaiseReadOnlyError();
  POINT p{};
  GetCaretPos(&p);
  (X ? p.x : p.y) = Value;
  SetCaretPos(p.x, p.y);
}

void TCkMetricsInfo::MoveCursor(int Value, bool X) {
  if (!CanWrite()) return RaiseReadOnlyError();
  POINT p{};
  GetCursorPos(&p);
  (X ? p.x : p.y) = Value;
  SetCursorPos(p.x, p.y);
}

// ---- Colours

const std::vector<TCkSystemColorsInfo::TNamedColor>& TCkSystemColorsInfo::Colors() {
  static const std::vector<TNamedColor> colors = {
      {u"Color3DHighlight", 20}, {u"Color3DLight", 22}, {u"Color3DShadow", 16}, {u"Color3DDarkShadow", 21},
      {u"Color3DFace", 15}, {u"ColorActiveBorder", 10}, {u"ColorActiveCaption", 2}, {u"ColorAppWorkspace", 12},
      {u"ColorBackground", 1}, {u"ColorBtnFace", 15}, {u"ColorBtnText", 18}, {u"ColorCaptionText", 9},
      {u"ColorGrayText", 17}, {u"ColorHighlight", 13}, {u"ColorHighlightText", 14},
      {u"ColorInactiveBorder", 11}, {u"ColorInactiveCaption", 3}, {u"ColorInactiveCaptionText", 19},
      {u"ColorInfoBk", 24}, {u"ColorInfoText", 23}, {u"ColorMenu", 4}, {u"ColorMenuText", 7},
      {u"ColorScrollBar", 0}, {u"ColorWindow", 5}, {u"ColorWindowFrame", 6}, {u"ColorWindowText", 8},
      {u"ColorHotLight", 26}, {u"ColorGradientActiveCaption", 27}, {u"ColorGradientInactiveCaption", 28},
      {u"ColorMenuHighlight", 29}, {u"ColorMenuBar", 30},
  };
  return colors;
}

void TCkSystemColorsInfo::SetColor(int Index, fw::TColor Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  const INT element = Index;
  const COLORREF color = static_cast<COLORREF>(Value);
  SetSysColors(1, &element, &color);
}

// ---- Published properties

FW_REGISTER(TCkScreenMode) {
  using C = TCkScreenMode;
  PublishReadOnly(c, u"Width", &C::Width);
  PublishReadOnly(c, u"Height", &C::Height);
  PublishReadOnly(c, u"BitsPerPixel", &C::BitsPerPixel);
  PublishReadOnly(c, u"Hz", &C::Hz);
  PublishReadOnly(c, u"Flags", &C::Flags);
}

FW_REGISTER(TCkScreenModes) {}

FW_REGISTER(TCkScreenInfo) {
  using C = TCkScreenInfo;
  c.Property(u"BitsPerPixel", &C::BitsPerPixel, &C::SetBitsPerPixel);
  c.Property(u"Flags", &C::Flags, &C::SetFlags);
  c.Property(u"Width", &C::Width, &C::SetWidth);
  c.Property(u"Height", &C::Height, &C::SetHeight);
  c.Property(u"Hz", &C::Hz, &C::SetHz);
}

FW_REGISTER(TCkMetricsInfo) {
  using C = TCkMetricsInfo;
  for (const C::TNamedMetric& m : C::IntegerMetrics()) {
    const int index = m.Index;
    c.Property(m.Name, [index](C&) { return C::Metric(index); }, [](C&, int) { RaiseReadOnlyError(); });
  }
  for (const C::TNamedMetric& m : C::BooleanMetrics()) {
    const int index = m.Index;
    c.Property(m.Name, [index](C&) { return C::Metric(index) != 0; }, [](C&, bool) { RaiseReadOnlyError(); });
  }
  PublishReadOnly(c, u"Arrange", &C::Arrange);
  PublishReadOnly(c, u"CleanBoot", &C::CleanBoot);
  c.Property(u"CaretBlinkTime", &C::CaretBlinkTime, &C::SetCaretBlinkTime);
  c.Property(u"CaretX", &C::CaretX, &C::SetCaretX);
  c.Property(u"CaretY", &C::CaretY, &C::SetCaretY);
  c.Property(u"CursorX", &C::CursorX, &C::SetCursorX);
  c.Property(u"CursorY", &C::CursorY, &C::SetCursorY);
  PublishReadOnly(c, u"CodePageANSI", &C::CodePageANSI);
  PublishReadOnly(c, u"CodePageOEM", &C::CodePageOEM);
  PublishReadOnly(c, u"DialogBaseUnits", &C::DialogBaseUnits);
  c.Property(u"DoubleClickTime", &C::DoubleClickTime, &C::SetDoubleClickTime);
}

FW_REGISTER(TCkSystemColorsInfo) {
  using C = TCkSystemColorsInfo;
  for (const C::TNamedColor& n : C::Colors()) {
    const int index = n.Index;
    c.Property(n.Name, [index](C& o) { return o.Color(index); }, [index](C& o, fw::TColor v) { o.SetColor(index, v); })
        .Type(fw::TypeInfoTColor());
  }
}

}  // namespace services
