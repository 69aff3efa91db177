// The painting of one title-bar item into a skinned form's title image (or
// into the image of the item's hover fade): its skin section (or the
// built-in menu button, or a lowered tab), its image or glyph, its caption
// with the skin's glow, the drop-down arrow, and half strength while
// disabled.
#pragma once

#include "fw/graphics/graphics.h"
#include "skin/engine/core/skin_data.h"
#include "skin/forms/title_bar.h"

namespace skin {

struct TkTitlePaintContext {
  TkLoadedSkin* Skin = nullptr;
  int TitleSkinIndex = -1;  // the title's section
  bool FormEnabled = true, FormActive = true;
  // The provider's title image; any other bitmap is an animation image and
  // is cleared under the item first.
  fw::TBitmap* CacheBmp = nullptr;
};

// The item's skin data: its own section when the skin has it, else
// "TB_BTN", "TB_MENUBTN" or "TB_TAB" by style, else "TOOLBUTTON" for
// buttons and "TABTOP" for tabs.
void InitItemSkin(TkcTitleBarItem& Item, const TkLoadedSkin& Skin);

void DrawTitleBarItem(const TkTitlePaintContext& Ctx, TkcTitleBarItem& Item, fw::TRect R, fw::TBitmap& Bmp,
                      bool NoAlpha);

}  // namespace skin
