// Frame and caption measurements of a skinned form: frame widths, caption
// and header heights, menu rows, where the client area lies inside the form
// image and how large that image is, and the maximised placement. Everything
// is computed from facts the caller reads from the system and the form, so
// the same numbers come out in every painter and in tests without windows.
#pragma once

#include <cstdint>

#include "fw/core/types.h"

namespace skin {

// The form's border style, in the framework's order.
enum class TkFrameStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// Window style bits the measurements look at.
constexpr uint32_t kWsChild = 0x40000000, kWsCaption = 0x00C00000, kWsBorder = 0x00800000,
                   kWsThickFrame = 0x00040000;

// System metrics (GetSystemMetrics), read once by the caller.
struct TkSystemFrameMetrics {
  int CxFrame = 4;      // SM_CXFRAME
  int CxDlgFrame = 3;   // SM_CXDLGFRAME
  int CyCaption = 19;   // SM_CYCAPTION
  int CySmCaption = 16; // SM_CYSMCAPTION
  int CyMenu = 19;      // SM_CYMENU
  int CyHScroll = 17;   // SM_CYHSCROLL
};

// The extended-border window's values: the skin's extended frame and title,
// the shadow margins and the border window's caption heights.
struct TkExtBorderFacts {
  int ExBorderWidth = 0, ExTitleHeight = 0, ExMaxHeight = 0, ExCenterOffs = 0;
  int ExDrawMode = 0;  // 1: the skin draws frame and shadow as one image
  int BITopMargin = 0;
  fw::TRect Shadow;                      // left, top, right, bottom margins
  int CaptionHeightSkin = 0;             // the border window's caption height with the skin
  int CaptionHeightSystem = 0;           // and without
};

// One form as it stands now.
struct TkFormFrameFacts {
  TkSystemFrameMetrics Metrics;
  TkFrameStyle BorderStyle = TkFrameStyle::bsSizeable;
  uint32_t Style = kWsCaption | kWsThickFrame;  // GWL_STYLE
  bool Iconic = false, Zoomed = false;
  bool MainForm = true;       // the application's main form
  bool MdiChild = false;
  bool HasParent = false;
  int Width = 0, Height = 0;  // the window rectangle's size (kept equal to the form's)
  int ClientWidth = 0, ClientHeight = 0;
  int FormBorderWidth = 0;    // the form's BorderWidth property
  bool HasMainMenu = false;   // an own menu bar with items (not bsDialog, not an MDI child)
  int MenuRows = 0;           // rows of the menu bar, from LinesCount
  int VScrollWidth = 0, HScrollHeight = 0;  // the form's own scroll bars when shown
  bool SysExHeight = false;   // maximised with a title taller than the system's
  const TkExtBorderFacts* BorderForm = nullptr;  // null: no extended-border window
};

int FrameWidthOf(const TkFormFrameFacts& f, bool checkSkin);
int FrameHeightOf(const TkFormFrameFacts& f, bool checkSkin);
// SM_CYSMCAPTION for tool windows that are not iconic, else SM_CYCAPTION.
int SystemCaptionHeight(const TkFormFrameFacts& f);
int ExtTitleHeight(const TkFormFrameFacts& f);
int ExtBorderWidth(const TkFormFrameFacts& f);
int ExtTitleDelta(const TkFormFrameFacts& f);
int ExtFrameDelta(const TkFormFrameFacts& f);

bool HasBorder(const TkFormFrameFacts& f);
int CaptionHeight(const TkFormFrameFacts& f, bool checkSkin);
int BorderWidth(const TkFormFrameFacts& f, bool checkSkin);
int BorderHeight(const TkFormFrameFacts& f, bool checkSkin);
// Frame, caption and menu rows above the client area.
int HeaderHeight(const TkFormFrameFacts& f);
// One menu-bar row: SM_CYMENU - 1 with a main menu, else 0.
int MenuHeight(const TkFormFrameFacts& f);
// Rows of the menu bar from item 0's bottom and the form's top (screen), 0
// without a menu item rectangle.
int MenuRowsFor(const TkFormFrameFacts& f, int formTop, int firstItemBottom);
int OffsetX(const TkFormFrameFacts& f);
int OffsetY(const TkFormFrameFacts& f);
fw::TRect ShadowSize(const TkFormFrameFacts& f);
// Width and height of the form image.
int CaptionWidth(const TkFormFrameFacts& f);
int FormImageHeight(const TkFormFrameFacts& f);
int MaximizedTitleHeight(const TkFormFrameFacts& f);
int MaximizedTitleExtra(const TkFormFrameFacts& f);
int TitleBarTop(const TkFormFrameFacts& f);
int TitleIconSizeFor(int captionHeight);

// WM_GETMINMAXINFO's maximised position and size on a work area.
struct TkMaxPlacement {
  fw::TPoint Position, Size;
  bool SysExHeight = false;
};
TkMaxPlacement MaximizedPlacement(const TkFormFrameFacts& f, const fw::TRect& workArea);

}  // namespace skin
