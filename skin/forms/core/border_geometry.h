// The geometry of the extended border window: the layered window around a
// skinned form or dialog that shows its wide frame, extended title and
// shadow. What part of the window a point hits, which cursor that shows,
// whether a point lies on the shadow, and which part of the window the
// window region keeps (the owner paints its client area itself).
#pragma once

#include <cstdint>
#include <vector>

#include "fw/core/types.h"

namespace skin {

// Hit codes beyond the system's: user title button n and title-bar item n.
constexpr int kHitUserButton = 1000, kHitTitleItem = 2000;

// Owner FormState bits the border window reads.
constexpr uint32_t kFsSizeChange = 0x1, kFsBlendedMove = 0x80, kFsMinimizing = 0x100, kFsSnapshot = 0x200,
                   kFsRestoring = 0x400, kFsIconicImage = 0x800, kFsSkinChange = 0x1000,
                   kFsStretchedHeight = 0x2000, kFsStretchedWidth = 0x4000, kFsInNcActivate = 0x8000;

struct TkBorderTitleButton {
  fw::TRect Rect;  // in the border window
  bool Visible = true, Enabled = true;
};

struct TkBorderTitleItem {
  fw::TRect Rect;
  bool Visible = true, Enabled = true, Down = false;
  int Style = 0;  // 2 a tab, 3 spacing, 4 information
};

// Everything the hit test reads of the window and its owner; rectangles
// and points are in the border window's coordinates.
struct TkBorderFacts {
  int Width = 0, Height = 0;  // the border window's size
  fw::TRect Shadow;           // shadow margins: left, top, right, bottom
  int ExShadowOffs = 0, ExShadowOffsT = 0, ExShadowOffsR = 0, ExShadowOffsB = 0;
  bool Provider = true;       // a form's provider, else a dialog
  bool OwnerDisabled = false, Maximized = false, Iconic = false, ThickFrame = true;
  bool HasSystemMenu = true;  // the provider's system-menu object exists
  bool SystemMenuAllowed = true;
  bool VisibleClose = true, EnabledClose = true, VisibleMax = true, EnabledMax = true, EnabledRestore = false;
  bool VisibleMin = true, EnabledMin = true, HelpShown = false;
  fw::TRect Close, Max, Min, Help;
  std::vector<TkBorderTitleButton> UserButtons;
  std::vector<TkBorderTitleItem> Items;
  int FrameWidth = 0;     // FrameWidthOf the owner
  int FrameHeight = 0;    // FrameHeightOf the owner, with the skin
  int CaptionHeight = 0;  // with the skin
  int MenuHeight = 0;
  fw::TRect IconRect;
  // The size grip (provider): shown, or the corner box between the form's
  // own scroll bars when both are shown.
  bool GripVisible = false;
  bool ScrollCorner = false;
  fw::TRect ScrollCornerBox;
  bool GripMask = false;
  fw::TPoint GripPosition;
};

// The part of the window that shows the frame; the rest is shadow.
fw::TRect BorderVisibleRect(const TkBorderFacts& f);
// The hit code of a point: a system code, 1000 + n, 2000 + n, or -1.
int BorderHitTest(const TkBorderFacts& f, fw::TPoint p);
// The point lies on the shadow (never for a maximised owner).
bool PointOnShadow(const TkBorderFacts& f, fw::TPoint p);

enum class TkBorderCursor { None, Arrow, SizeWE, SizeNS, SizeNWSE, SizeNESW };
TkBorderCursor BorderCursorFor(int hitCode);

// What the owner paints itself inside the border window, for the region.
struct TkBorderClientFacts {
  bool Provider = true;
  uint32_t FormState = 0;
  bool Showing = false;      // the form is being shown
  int OffsetX = 0, OffsetY = 0;
  int ClientWidth = 0, ClientHeight = 0;
  int VScrollWidth = 0, HScrollHeight = 0;  // the form's own bars when shown
  fw::TRect LastClientRect;
  int MinWidth = 0, MinHeight = 0;  // size constraints (provider)
  int FormWidth = 0, FormHeight = 0;
  int LinesCount = 0, MenuHeight = 0;
  // Dialog without a size change.
  int ExtBorderWidth = 0, CacheHeight = 0;
  // Maximised: the inner frame F = FrameWidthOf + ExtFrameDelta.
  bool Maximized = false;
  int InnerFrame = 0;
};

// The window region: no region at all (the whole window shows), or Outer,
// with Hole cut out when it has one.
struct TkBorderRegion {
  bool None = false;
  fw::TRect Outer;
  bool HasHole = false;
  fw::TRect Hole;
};
// NewWidth, NewHeight: the size the owner is about to take, or 0.
TkBorderRegion BorderRegion(const TkBorderFacts& f, const TkBorderClientFacts& c, int NewWidth, int NewHeight);

// The rectangle a double-click on a side edge stretches the form to, and
// whether it restores instead (the same edge was stretched before).
struct TkEdgeStretch {
  bool Restore = false;
  int Pos = 0, Size = 0;  // new left and width (or top and height)
};
// Horizontal: Pos/Size the work area's left and width; Delta ExtFrameDelta.
TkEdgeStretch StretchWidthTo(int WorkLeft, int WorkWidth, int FrameDelta, bool Stretched);
// Vertical: the work area's top and height; ExtTitleDelta and ExtFrameDelta.
TkEdgeStretch StretchHeightTo(int WorkTop, int WorkHeight, int TitleDelta, int FrameDelta, bool Stretched);

}  // namespace skin
