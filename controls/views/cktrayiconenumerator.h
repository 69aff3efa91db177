// Reads the buttons of the shell's tray tool bar, which lives in the shell's
// process: each button's record and the window and icon number it stands
// for, from the last button to the first. It finds where an icon shows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "fw/core/types.h"

namespace ck {

class TTrayIconEnumerator {
 public:
  // A buffer of DataSize bytes (at least one button record) in the shell's
  // process; nothing to enumerate when the shell has no tray tool bar.
  explicit TTrayIconEnumerator(size_t DataSize = 0);
  ~TTrayIconEnumerator();
  TTrayIconEnumerator(const TTrayIconEnumerator&) = delete;
  TTrayIconEnumerator& operator=(const TTrayIconEnumerator&) = delete;

  // The next button down from the last; false when none is left.
  bool MoveNext();
  // True only when all Count bytes arrived.
  bool ReadProcessMemory(const void* Address, size_t Count, void* Buffer) const;

  const TBBUTTON& CurrentButton() const { return FButton; }
  HWND CurrentWnd() const { return FExtraData.Wnd; }
  UINT CurrentID() const { return FExtraData.ID; }
  HWND ToolbarHandle() const { return FToolbarHandle; }
  int Index() const { return FIndex; }
  // The buffer in the shell's process.
  void* Data() const { return FData; }

 private:
  // The first bytes of the data a tray button points to.
  struct TExtraData {
    HWND Wnd = nullptr;
    UINT ID = 0;
  };
  HWND FToolbarHandle = nullptr;
  HANDLE FProcess = nullptr;
  int FCount = 0;
  void* FData = nullptr;
  int FIndex = 0;
  TBBUTTON FButton{};
  TExtraData FExtraData;
};

// The tray tool bar of the shell's notification area, nullptr without one.
HWND TrayToolbarWindow();

}  // namespace ck
