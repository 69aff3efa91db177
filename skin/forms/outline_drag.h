// The outline drag of a form whose ResizeMode is rmBorder: an inverted
// rectangle on the desktop follows the mouse and the window itself moves or
// sizes once, at the end. Also the fade switch of a window and the look-up
// of a child control by its dialog identifier.
#pragma once

#include <windows.h>

#include "fw/controls/forms.h"

namespace skin {

class TkSkinProvider;

// One drag at a time (the mouse capture sees to it).
struct TkBorderTracking {
  bool Active = false;
  bool Moving = false;  // false: sizing
  HWND DesktopWnd = nullptr;
  HDC DesktopDC = nullptr;
  int SavedDC = 0;
  int Top = 0, Left = 0, Bottom = 0, Right = 0;  // the tracked rectangle (screen)
  int OffsetX = 0, OffsetY = 0;  // where the mouse holds the window
  int EdgeHitCode = 0;           // the grabbed edge (sizing)
  int MinHeight = 0, MinWidth = 0;
  bool Cancelled = false;  // the sizing ends without changing the window
  TkSkinProvider* Provider = nullptr;
};
extern TkBorderTracking BorderTracking;

// Whether the system shows window contents while dragging (the outline
// drag runs only then); replaceable for tests.
extern bool (*DragFullWindowsQuery)();

// Only with ResizeMode rmBorder and an enabled form.
void StartBorderTracking(TkSkinProvider& Provider, int X, int Y);
// Draws the outline once; drawing it again at the same place erases it.
void DrawTrackingFrame(TkSkinProvider& Provider, int X, int Y);
// Ends the drag and moves or sizes the window.
void EndBorderTracking(TkSkinProvider& Provider);
// Ends a drag whose mouse capture was lost: the outline is erased and the
// desktop DC given back, the window stays.
void AbandonBorderTracking();

// Prepares a window for one fade step: with Blend it is made layered (true
// when it was not) at the alpha; without, it counts as hidden (WS_VISIBLE
// and WS_EX_LAYERED removed, nothing redrawn).
bool SetWindowBlend(HWND Wnd, bool Blend, int Alpha);

// The first windowed control with a window whose dialog identifier is ID,
// searching Root's owned components depth first.
fw::TWinControl* FindControlByDlgID(int ID, fw::TComponent* Root);

}  // namespace skin
