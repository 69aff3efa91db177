// The caption layout of a skinned form: the vertical centre line of the
// title, the title icon's rectangle and the standard title buttons placed
// from the right.
#pragma once

#include "skin/forms/core/frame_geometry.h"

namespace skin {

// One title button: state 0 normal, 1 hot, 2 pressed, -1 not painted.
struct TkCaptionButton {
  int State = 0;
  int ImageIndex = -1;
  fw::TRect Rect;
  bool HaveAlignment = false;
  int GlowID = -1;
  unsigned HitCode = 0;
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
};

struct TkCaptionLayout {
  int VCenter = 0;
  int HeaderHeight = 0;
  fw::TRect IconRect;
  // Close, maximise, minimise, help; their ImageIndex, HaveAlignment and
  // HitCode come in set (InitTitleButtons) and go out with the placed masks.
  TkCaptionButton Close, Max, Min, Help;
  int FullRight = 0;  // the right edge of the title content
  int ButtonsLeft = 0;  // the cursor after the last placed button
};

// Lays out the title of f; the buttons' masks and alignment are taken from
// layout on entry.
void CalcCaptionItems(const TkFormFrameFacts& f, const TkCaptionLayoutInput& in, TkCaptionLayout& layout);

}  // namespace skin
