// The computer information objects of the display: the display mode stored
// for the primary display and the modes it offers, the system metrics,
// caret, cursor and code pages, and the system colours.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "services/ckcomputerinfo.h"
#include "services/core/sysinfo_decode.h"

namespace services {

// Bits of TCkDisplayFlags.
constexpr unsigned dmGrayScale = 1, dmInterlaced = 2;
using TCkDisplayFlags = unsigned;

class TCkScreenMode : public TCkReadOnlyInfo {
  FW_CLASS(TCkScreenMode, TCkReadOnlyInfo)
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  DWORD BitsPerPixel() const { return FBitsPerPixel; }
  DWORD Hz() const { return FHz; }
  TCkDisplayFlags Flags() const { return FFlags; }
  // Takes a mode as the system describes it: a frequency below 2 (the
  // device's default) reads 60, and only the two known flags are kept.
  void Assign(const DEVMODEW& Mode);

 private:
  DWORD FHz = 0, FBitsPerPixel = 0;
  int FWidth = 0, FHeight = 0;
  TCkDisplayFlags FFlags = 0;
};

// The stored mode and the offered modes of the primary display. A mode
// object handed out stays valid until the list is destroyed: a refresh
// updates the objects in place.
class TCkScreenModes : public TCkReadOnlyInfo {
  FW_CLASS(TCkScreenModes, TCkReadOnlyInfo)

 public:
  TCkScreenModes();
  void Refresh();
  int Count() const { return static_cast<int>(FCount); }
  // Below 0 the stored mode, 0..Count-1 an offered mode, else nullptr.
  TCkScreenMode* GetItems(int Index) const;
  void SetItems(int, TCkScreenMode*) {}

 private:
  std::vector<std::unique_ptr<TCkScreenMode>> FItems;
  size_t FCount = 0;
  std::unique_ptr<TCkScreenMode> FDefaultMode;
};

// The mode stored in the registry for the primary display (it may differ
// from the one in use); writes test the new mode first and change nothing
// when the system rejects it.
class TCkScreenInfo : public TCkWriteableInfo {
  FW_CLASS(TCkScreenInfo, TCkWriteableInfo)

 public:
  DWORD BitsPerPixel() const { return StoredMode().dmBitsPerPel; }
  void SetBitsPerPixel(DWORD Value);
  TCkDisplayFlags Flags() const;
  void SetFlags(TCkDisplayFlags Value);
  DWORD Width() const { return StoredMode().dmPelsWidth; }
  void SetWidth(DWORD Value);
  DWORD Height() const { return StoredMode().dmPelsHeight; }
  void SetHeight(DWORD Value);
  DWORD Hz() const;
  void SetHz(DWORD Value);
  fw::TPoint ScreenResolution() const;
  // Made at the first read and refreshed on every read.
  TCkScreenModes* ScreenModes();

 private:
  static DEVMODEW StoredMode();
  void ChangeStoredMode(DWORD Field, void (*Store)(DEVMODEW&, DWORD), DWORD Value);
  std::unique_ptr<TCkScreenModes> FScreenModes;
};

enum class TCkCleanBoot { cbNormal, cbFailSafe, cbFailSafeNetwork };

// System metrics; its writable properties always raise at run time (it
// never follows the component's ReadOnly).
class TCkMetricsInfo : public TCkWriteableInfo {
  FW_CLASS(TCkMetricsInfo, TCkWriteableInfo)

 public:
  // A metric by its SM_ index, as every integer property reads it.
  static int Metric(int Index) { return GetSystemMetrics(Index); }
  struct TNamedMetric {
    const char16_t* Name;
    int Index;
  };
  // The published integer and Boolean metrics with their indexes.
  static const std::vector<TNamedMetric>& IntegerMetrics();
  static const std::vector<TNamedMetric>& BooleanMetrics();

  TCkWindowsArrange Arrange() const { return ArrangeFromValue(GetSystemMetrics(SM_ARRANGE)); }
  TCkCleanBoot CleanBoot() const { return static_cast<TCkCleanBoot>(GetSystemMetrics(SM_CLEANBOOT)); }
  DWORD CaretBlinkTime() const { return GetCaretBlinkTime(); }
  void SetCaretBlinkTime(DWORD Value);
  int CaretX() const { return CaretPosition().x; }
  void SetCaretX(int Value) { MoveCaret(Value, true); }
  int CaretY() const { return CaretPosition().y; }
  void SetCaretY(int Value) { MoveCaret(Value, false); }
  int CursorX() const { return CursorPosition().x; }
  void SetCursorX(int Value) { MoveCursor(Value, true); }
  int CursorY() const { return CursorPosition().y; }
  void SetCursorY(int Value) { MoveCursor(Value, false); }
  int CodePageANSI() const { return static_cast<int>(GetACP()); }
  int CodePageOEM() const { return static_cast<int>(GetOEMCP()); }
  int DialogBaseUnits() const { return static_cast<int>(GetDialogBaseUnits()); }
  int DoubleClickTime() const { return static_cast<int>(GetDoubleClickTime()); }
  // Ignored without an error.
  void SetDoubleClickTime(int) {}

 private:
  static POINT CaretPosition();
  static POINT CursorPosition();
  void MoveCaret(int Value, bool X);
  void MoveCursor(int Value, bool X);
};

// The system colours; a write changes the colour for every window of the
// desktop at once.
class TCkSystemColorsInfo : public TCkWriteableInfo {
  FW_CLASS(TCkSystemColorsInfo, TCkWriteableInfo)

 public:
  struct TNamedColor {
    const char16_t* Name;
    int Index;
  };
  static const std::vector<TNamedColor>& Colors();
  fw::TColor Color(int Index) const { return static_cast<fw::TColor>(GetSysColor(Index)); }
  void SetColor(int Index, fw::TColor Value);
};

}  // namespace services
