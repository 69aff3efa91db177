// The standard title buttons of a skinned form: which skin masks they show
// and how wide they are.
#pragma once

#include "skin/engine/core/skin_data.h"
#include "skin/forms/core/caption_layout.h"

namespace skin {

// Which buttons the form's system menu shows.
struct TkTitleButtonSet {
  bool BigButtons = true;  // bsSingle and bsSizeable forms
  bool VisibleMax = true, VisibleMin = true;
};

// The close, restore and minimise buttons of an MDI frame's maximised
// child, drawn at the end of the frame's menu line (hit codes 101, 102, 103).
struct TkMdiButtons {
  TkCaptionButton Close, Max, Min;
};

// Masks, hit codes and alignment of close, maximise, minimise and help:
// big masks for big buttons (the close mask without neighbours when there
// are none and the skin has it), small ones otherwise, big ones again when
// the skin has no small close mask. Nothing without a "GLOBALINFO" section.
// An MDI frame (mdi given) also gets its child's buttons: the small masks,
// or the standard buttons' masks when the skin has no small minimise mask
// or fell back to the big masks.
void InitTitleButtons(const TkLoadedSkin& skin, const TkTitleButtonSet& set, TkCaptionLayout& layout,
                      TkMdiButtons* mdi = nullptr);
// The size of an MDI child's button from the close mask: its own image a
// third wide and half high, else its frame; 16 x 16 without a mask.
int MDIButtonWidth(const TkLoadedSkin& skin, const TkMdiButtons& mdi);
int MDIButtonHeight(const TkLoadedSkin& skin, const TkMdiButtons& mdi);
// Places the MDI buttons at the right end of the menu line's last row, in
// image coordinates: minimise (only with its mask), restore, close.
void PlaceMdiButtons(const TkLoadedSkin& skin, const TkFormFrameFacts& f, TkMdiButtons& mdi);
// 21 without a valid mask; the mask's own image width by its image count;
// else its frame width.
int TitleButtonWidth(const TkLoadedSkin& skin, int maskIndex);
// The close mask's frame height, 21 without one.
int TitleButtonHeight(const TkLoadedSkin& skin, const TkCaptionLayout& layout);
// The layout input's button part for this skin.
void SetTitleButtonSizes(const TkLoadedSkin& skin, const TkCaptionLayout& layout, TkCaptionLayoutInput& in);
// A user title button: the glyph's width + 2 (0 without glyph) or one image
// of the user-button mask (21 without it), whichever is wider.
int UserButtonWidth(const TkLoadedSkin& skin, int userMask, int glyphWidth);
// The right margin, close, and maximise, minimise and help when shown (only
// with system buttons), then 6 and every user button, shown or not, each
// with the spacing of big buttons.
int TitleButtonsWidth(const TkLoadedSkin& skin, const TkCaptionLayoutInput& in);
int SysButtonCount(const TkCaptionLayoutInput& in);

}  // namespace skin
