// The measurements of a title bar's items: how large an auto-sized item is
// from its image, caption and drop-down arrow, where each visible item lies
// in the caption band by its alignment, and the premultiplied built-in
// menu-button image.
#pragma once

#include <vector>

#include "fw/core/types.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {

enum TkcBtnStyle { bsButton, bsMenu, bsTab, bsSpacing, bsInfo };
enum TkcItemAlign { tbaLeft, tbaRight, tbaCenter, tbaCenterInSpace };

// The parts of an item as measured.
struct TkTitleItemContent {
  TkcBtnStyle Style = bsButton;
  int ImageWidth = 0, ImageHeight = 0;  // list image or one glyph frame
  bool HasCaption = false;
  int TextWidth = 0, TextHeight = 0;    // the caption in the item's font
  int Spacing = 4;
  bool HasDropdown = false;             // a drop-down menu with items
  int ArrowWidth = 0;                   // "u" in Marlett
};

// The item's inner margin besides ItemsMargin: 4 for menu buttons.
int IntXMargin(TkcBtnStyle Style);
// Image, caption (with spacing, a tab's 4 extra pixels) and arrow.
fw::TPoint TitleItemContentSize(const TkTitleItemContent& c);
// The auto size: at least 16 x 16, the content with the margins.
fw::TPoint TitleItemAutoSize(const TkTitleItemContent& c, int ItemsMargin);

struct TkTitleItemBox {
  bool Visible = true;
  TkcBtnStyle Style = bsButton;
  TkcItemAlign Align = tbaLeft;
  int Width = 22, Height = 18;
  fw::TRect Rect;  // out
};
// Places the visible items in collection order: each alignment's items
// follow each other without gaps; buttons, spacers and information centred
// on VCenter, menu buttons hanging from the band's top, tabs standing on
// its bottom.
void PlaceTitleItems(std::vector<TkTitleItemBox>& Items, const fw::TRect& BarRect, int BarVCenter, int FullRight);

// Premultiplies the menu-button image by its straight alpha; key pixels
// (0xFF00FF) stay as they are.
void PrepareMenuBtnImage(const TPixelView32& v);

// Nine-piece drawing of SrcRect into DestRect: the corners (Borders: left,
// top, right, bottom widths) at their size, edges and centre stretched
// (nearest pixel); key pixels (0xFF00FF) of the source are skipped.
// Nothing is drawn outside DestRect or the destination.
void DrawImageSliced(const TPixelView32& Dest, const TPixelView32& Src, const fw::TRect& DestRect,
                     const fw::TRect& Borders, const fw::TRect& SrcRect);

}  // namespace skin
