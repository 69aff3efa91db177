// The skinned frame of a system dialog as numbers: its border kind read from
// the window styles, which title buttons it shows and allows, where the
// client area lies inside the dialog's image, where the icon, the buttons
// and the caption text go, and what a point of the title hits.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/forms/core/caption_layout.h"

namespace skin {

enum class TkcBorderStyle { acbsDialog, acbsSingle, acbsNone, acbsSizeable, acbsToolWindow, acbsSizeToolWin };

constexpr uint32_t kWsPopup = 0x80000000, kWsSysMenu = 0x80000, kWsMaximizeBox = 0x10000, kWsMinimizeBox = 0x20000,
                   kDsModalFrame = 0x80, kWsExContextHelp = 0x400;

// None for a popup without the whole caption, sizeable with a thick frame,
// dialog with a modal frame, else sizeable.
TkcBorderStyle DialogBorderStyle(uint32_t style);
TkFrameStyle FrameStyleOf(TkcBorderStyle s);

// The dialog as its title sees it: the styles read when it was skinned
// (the system-menu bit kept), the class's no-close bit and its state.
struct TkcDialogState {
  uint32_t Style = 0, ExStyle = 0;
  TkcBorderStyle BorderStyle = TkcBorderStyle::acbsSingle;
  bool NoCloseClass = false;
  bool Iconic = false, Zoomed = false;
};

bool VisibleClose(const TkcDialogState& d);
bool VisibleMax(const TkcDialogState& d);
bool VisibleMin(const TkcDialogState& d);
bool VisibleHelp(const TkcDialogState& d);
bool VisibleRestore(const TkcDialogState& d);
bool EnabledClose(const TkcDialogState& d);
bool EnabledMax(const TkcDialogState& d);
bool EnabledMin(const TkcDialogState& d);
bool EnabledRestore(const TkcDialogState& d);
// The system menu's own rules.
bool EnabledMove(const TkcDialogState& d);
bool VisibleSize(const TkcDialogState& d);
bool EnabledSize(const TkcDialogState& d);

// Frame and caption rows above the client area (no menu bar in dialogs).
int DialogHeaderHeight(const TkFormFrameFacts& f);
// Where the client area lies in the dialog's image.
int DialogOffsetX(const TkFormFrameFacts& f);
int DialogOffsetY(const TkFormFrameFacts& f);
// The title icon's place, small-icon sized.
fw::TRect DialogIconRect(const TkFormFrameFacts& f, int biLeftMargin, int iconWidth, int iconHeight);

// What the title buttons are made of.
struct TkcTitleButtonSizes {
  int CloseWidth = 21, MaxWidth = 21, MinWidth = 21, HelpWidth = 21;
  int ButtonHeight = 21;  // the close glyph's height
  bool CloseValid = true, HelpValid = true;  // their masks exist
  bool CloseIsBig = true;  // the close glyph is the big close mask
  int BISpacing = 0, BIRightMargin = 0, BIVAlign = 0;
};

// Places close, maximise, minimise and help from the right (those not shown
// get an empty rectangle); nothing without the system-menu style.
void PlaceDialogButtons(const TkFormFrameFacts& f, const TkcDialogState& d, const TkcTitleButtonSizes& s,
                        TkCaptionLayout& layout);
// The width the shown buttons take, without spacing; 0 without close.
int DialogButtonsWidth(const TkcDialogState& d, const TkcTitleButtonSizes& s);
// The caption text's room in an image of that width (before centring).
fw::TRect DialogCaptionRect(const TkFormFrameFacts& f, const TkcDialogState& d, const TkcTitleButtonSizes& s,
                            int imageWidth, int iconWidth, int biLeftMargin);

// What a size change must repaint of the section's corner images (sizes of
// one image each): when the client area got narrower or lower, or the last
// one had no width, each image's rectangle at the old client area's
// bottom-right corner; else nothing.
std::vector<fw::TRect> ShrunkCornerRects(const fw::TRect& lastClient, int newWidth, int newHeight,
                                         const std::vector<fw::TPoint>& imageSizes);

// The position (1 close, 2, 3, 4 in the order close, maximise, minimise,
// help, counting shown buttons only) of the button spanning x, 0 for none.
int DialogButtonIndexAt(const TkcDialogState& d, const TkCaptionLayout& layout, int x);

// What a point of the window (relative to its top-left corner) hits on the
// title: a button's or the icon's code, 2 for the rest of the button row,
// -1 outside a maximised dialog's inner rectangle, 0 elsewhere (the
// dialog's own answer counts there).
int DialogHitTest(const TkFormFrameFacts& f, const TkcDialogState& d, const TkCaptionLayout& layout,
                  int buttonHeight, int smallIconWidth, fw::TPoint p);

}  // namespace skin
