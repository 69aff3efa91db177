// The arithmetic of the minimize and restore animations: where on the
// taskbar a form shrinks to, the rectangle and alpha of each 12 ms step in
// either direction, and where each frame is shown.
#pragma once

#include "fw/core/types.h"

namespace skin {

// Where the taskbar lies (TBPosition).
constexpr unsigned kTaskbarLeft = 1, kTaskbarTop = 2, kTaskbarRight = 4, kTaskbarBottom = 8;

struct TkTaskbarFacts {
  bool Exists = false;      // a taskbar window was found
  fw::TRect Rect;           // its screen rectangle
  fw::TRect ButtonRect;     // the application's button on it, empty when not found
};

// The target rectangle (an empty one at a point, or the taskbar button) of
// a form centred at (XFrom, YFrom); Position receives the taskbar's side
// when it was worked out.
fw::TRect MinimizeTarget(const TkTaskbarFacts& Taskbar, bool Composition, int XFrom, int YFrom, unsigned& Position);

// The start alpha: the form's own alpha (255 without AlphaBlend), a quarter
// of it when the animation is stepped (old systems or DWM composition).
int MinimizeAlphaFrom(bool AlphaBlend, int AlphaBlendValue, bool Stepped);

// One frame of the animation.
struct TkMinFrame {
  int StretchWidth = 0, StretchHeight = 0;  // the snapshot's size in the frame
  int OffsetX = 0, OffsetY = 0;             // its top-left in the frame bitmap
  fw::TPoint WindowPos;                     // the frame bitmap's screen position
  int Alpha = 0;
};

struct TkMinSteps {
  fw::TRect RectFrom, RectTo;
  double CurLeft = 0, CurTop = 0, CurRight = 0, CurBottom = 0;
  double DeltaX = 0, DeltaY = 0, DeltaW = 0, DeltaH = 0;
  int XFrom = 0, XTo = 0, YFrom = 0, YTo = 0;
  int AlphaOrigin = 0, AlphaTo = 0;
  double CurrentAlpha = 0, BlendStep = 0;
  int StepCount = 1;
  bool Minimized = false;  // the form has reached the taskbar

  // Sets the steps up from the form's rectangle (its border window's when
  // it has one) for an animation of TimeMs (0 when not stepped).
  void Init(const fw::TRect& From, int AlphaFrom, unsigned TimeMs, const TkTaskbarFacts& Taskbar, bool Composition);
  // The target and the per-step deltas again (the work area changed).
  void UpdateDst(const TkTaskbarFacts& Taskbar, bool Composition);
  // One step towards the taskbar; true when the form has vanished.
  bool StepMinimize();
  // One step back; true when the alpha is back at AlphaFrom.
  bool StepRestore(int AlphaFrom);
  // The frame to show for the current rectangle in a frame bitmap of the
  // given size.
  TkMinFrame Frame(int BmpWidth, int BmpHeight) const;

  unsigned TaskbarPosition = 0;
};

// The size of a taskbar thumbnail of a W x H image within MaxW x MaxH,
// keeping its aspect; 0 x 0 when any side is 0.
fw::TPoint FitThumbnail(int MaxW, int MaxH, int W, int H);

}  // namespace skin
