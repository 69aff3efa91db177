// The caption layout of a skinned form: the vertical centre line of the
// title, the title icon's rectangle, the standard and the user title
// buttons placed from the right, and the band left for a title bar.
#pragma once

#include <vector>

#include "skin/forms/core/frame_geometry.h"

namespace skin {

class TkcSBAnimation;

// One title button: state 0 normal, 1 hot, 2 pressed, -1 not painted.
struct TkCaptionButton {
  int State = 0;
  int ImageIndex = -1;
  fw::TRect Rect;
  bool HaveAlignment = false;
  int GlowID = -1;
  unsigned HitCode = 0;
  // The button's fade while it runs (owned by whoever stops the title's
  // animations).
  TkcSBAnimation* Timer = nullptr;
};

// What the layout reads beyond the frame facts.
struct TkCaptionLayoutInput {
  // The skin's title values.
  int BISpacing = 0, BIVAlign = 0, BIRightMargin = 0, BILeftMargin = 0;
  int ExCenterOffs = 0;
  int MaskMaxBtn = -1, MaskNormBtn = -1, MaskMinBtn = -1;
  // The title icon: shown or not, and its size.
  bool IconVisible = false;
  int IconWidth = 0, IconHeight = 0;
  // Standard buttons: only with a system menu and biSystemMenu.
  bool SystemButtons = false;
  bool VisibleMax = true, VisibleMin = true, HelpButton = false;
  bool BigButtons = true;
  // Widths of the buttons (TitleButtonWidth) and their common height.
  int CloseWidth = 21, MaxWidth = 21, MinWidth = 21, HelpWidth = 21;
  int ButtonHeight = 21;
  // User title buttons in collection order: shown or not, their width
  // (UserButtonWidth) and whether they take the skin's user-button mask.
  struct TkUserButton {
    bool Visible = true;
    int Width = 21;
    bool UseSkinData = true;
  };
  std::vector<TkUserButton> UserButtons;
  int UserButtonMask = -1;  // "TITLEBUTTON" of "GLOBALINFO"
  // A title bar takes the band left of the buttons; LeftItems: one of its
  // visible items is left-aligned.
  bool TitleBar = false;
  bool TitleBarLeftItems = false;
};

struct TkCaptionLayout {
  int VCenter = 0;
  int HeaderHeight = 0;
  fw::TRect IconRect;
  // Close, maximise, minimise, help; their ImageIndex, HaveAlignment and
  // HitCode come in set (InitTitleButtons) and go out with the placed masks.
  TkCaptionButton Close, Max, Min, Help;
  // The user title buttons (hit code 1000 + index; an invisible one keeps
  // an empty rectangle).
  std::vector<TkCaptionButton> User;
  int FullRight = 0;  // the right edge of the title content
  int ButtonsLeft = 0;  // the cursor after the last placed button
  // The title bar's band and centre line (with a title bar).
  fw::TRect BarRect;
  int BarVCenter = 0;
};

// Lays out the title of f; the buttons' masks and alignment are taken from
// layout on entry.
void CalcCaptionItems(const TkFormFrameFacts& f, const TkCaptionLayoutInput& in, TkCaptionLayout& layout);

// Places one button of the given width with its right edge at x and moves
// x to the next button's right edge.
void PlaceTitleButton(TkCaptionButton& b, int width, int& x, int titleTop, int vCenter,
                      const TkCaptionLayoutInput& in);

}  // namespace skin
