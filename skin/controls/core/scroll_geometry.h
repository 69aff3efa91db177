// The geometry of skinned scroll bars drawn in a window's non-client area:
// bar sizes, the room they take, their rectangles, the thumb, the part
// under a point and the position a dragged thumb stands for. Everything is
// computed from plain numbers, so that painting, hit testing and dragging
// agree and can be checked without windows.
#pragma once

#include "fw/core/types.h"

namespace skin {

// The shortest thumb when nothing else is given.
constexpr int DefaultMinThumbSize = 16;

// A bar's scroll information (the system's SCROLLINFO without size and mask).
struct TkScrollState {
  int nMin = 0;
  int nMax = 0;
  unsigned nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

// Parts of a bar; they double as the scroll codes sent for them.
enum TkScrollPart : int {
  spNone = -1,
  spFirstArrow = 0,   // SB_LINEUP / SB_LINELEFT
  spSecondArrow = 1,  // SB_LINEDOWN / SB_LINERIGHT
  spTrackBefore = 2,  // SB_PAGEUP / SB_PAGELEFT
  spTrackAfter = 3,   // SB_PAGEDOWN / SB_PAGERIGHT
  spThumb = 5,        // SB_THUMBTRACK while dragged
};

// The sizes a bar may be given, most particular first; -1 = not given.
// A negative own size -n means n times the system's size.
struct TkScrollSizes {
  int ControlSize = -1;   // the control's own (per-control skin data)
  int ManagerSize = -1;   // the skin manager's option
  int OwnSize = -1;       // the bar's own value (nArrowWidth / nArrowLength)
};

// The bar's thickness: control, manager's scroll size (ManagerScrollSize,
// which falls back on the system's width), the bar's own value, else
// -OwnSize times SystemThickness.
int ScrollBarThickness(int ControlSize, int ManagerScrollSize, int OwnSize, int SystemThickness);
// The arrow length: control, manager's buttons size, the bar's own value,
// the manager's scroll size, else -OwnSize times the system arrow width.
int ScrollArrowLength(int ControlSize, int ManagerButtonsSize, int OwnSize, int ManagerScrollSize,
                      int SystemArrowWidth);

// The non-client room of the bars, decided from the client rectangle the
// window computed without its scroll bars.
struct TkScrollNcLayout {
  fw::TRect Client;  // what is left for the client area
  int LeftEdge = 0, RightEdge = 0, TopEdge = 0, BottomEdge = 0;
  bool HorzVisible = false;
  bool VertVisible = false;
};
TkScrollNcLayout CalcScrollNcLayout(const fw::TRect& Proposed, const fw::TRect& ClientWithoutBars, bool HasHorz,
                                    bool HasVert, int HorzThickness, int VertThickness, bool LeftScrollbar);

// Where the bars lie inside a window rectangle (any coordinates).
struct TkScrollFrame {
  fw::TRect Window;
  int LeftEdge = 0, RightEdge = 0, TopEdge = 0, BottomEdge = 0;
  bool LeftScrollbar = false;
  int HorzThickness = 0;  // 0 when the bar is not shown
  int VertThickness = 0;
};
fw::TRect HorzBarRect(const TkScrollFrame& F);
fw::TRect VertBarRect(const TkScrollFrame& F);
// The square between both bars (empty unless both are shown).
fw::TRect ScrollCornerRect(const TkScrollFrame& F);
// The square sits at the bottom corner of its parent's client area, where a
// size grip belongs (the parent must be a top-level window).
bool CornerAtParentCorner(const TkScrollFrame& F, const fw::TRect& Square, const fw::TRect& ParentClient,
                          bool ParentIsTopLevel);

// The thumb along a bar from Start over Length pixels with arrows of Arrow.
struct TkThumb {
  int Length = 0;
  int Pos = 0;  // absolute, like Start
};
TkThumb ThumbGeometry(const TkScrollState& S, int MinThumb, int Arrow, int Start, int Length);
// The thumb is there to be drawn and grabbed: the track holds it with room
// to move.
bool ThumbShown(const TkScrollState& S, int MinThumb, int Arrow, int Length);

// The part under a point of a bar rectangle R (extra button areas removed).
int HitTestScrollBar(const TkScrollState& S, int MinThumb, int Arrow, const fw::TRect& R, bool Vertical,
                     const fw::TPoint& P);

// The last position a scroll can reach, counted from nMin.
int LastScrollPos(const TkScrollState& S);
// A dragged thumb's place: the mouse less its offset, kept inside the track.
int DragThumbPlace(int Mouse, int MouseOffset, int TrackStart, int TrackEnd, int ThumbLength);
// The window's position a dragged thumb stands for (nMin at the track's
// start, whatever the range); the thumb at the track's end gives the last
// position, never one past it.
int DragTrackPos(const TkScrollState& S, int ThumbPos, int TrackStart, int TrackLength, int ThumbLength);

}  // namespace skin
