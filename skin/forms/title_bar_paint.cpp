#include "skin/forms/title_bar_paint.h"

#include <algorithm>
#include <cstdlib>

#include "skin/engine/alpha_text.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/section_alpha.h"
#include "skin/engine/text_out.h"
#include "skin/forms/core/title_bar_layout.h"

namespace skin {

namespace {

constexpr UINT kTextFlags = DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;

struct TTextLook {
  fw::TColor Color = 0;
  int GlowSize = 0;
  fw::TColor GlowColor = 0;
};

// The state's text look of a section (its normal state without one).
TTextLook SectionLook(const TkLoadedSkin& skin, int index, int s) {
  TTextLook look;
  if (!skin.IsValidSkinIndex(index)) return look;
  const TkGeneralData& g = skin.gd[size_t(index)];
  look.Color = s > 0 ? g.HotFontColor.Color : g.FontColor.Color;
  look.GlowSize = s > 0 ? g.HotGlowSize : g.GlowSize;
  look.GlowColor = s > 0 ? g.HotGlowColor : g.GlowColor;
  return look;
}

// A one-state section never asks for a second image.
int SectionState(const TkLoadedSkin& skin, int index, int state) {
  if (!skin.IsValidSkinIndex(index)) return 0;
  return std::max(0, std::min({state, skin.gd[size_t(index)].States - 1, 1}));
}

void PaintItemSection(TkLoadedSkin& skin, int index, fw::TBitmap& bmp, const fw::TRect& r, int state) {
  if (!skin.IsValidSkinIndex(index)) return;
  PaintSectionAlpha(View32(bmp), skin, index, SectionState(skin, index, state), r);
}

void DrawText(fw::TBitmap& bmp, const fw::String& text, const fw::TRect& r, const TTextLook& look, UINT flags) {
  if (text.empty() || r.Width() <= 0) return;
  if (look.GlowSize > 0) {
    std::unique_ptr<fw::TBitmap> mask;
    DrawTextGlow(bmp, text, r, flags, 0, look.GlowSize, look.GlowColor, mask);
  }
  DrawTextAlpha(bmp, text, look.Color, flags, r);
}

}  // namespace

void InitItemSkin(TkcTitleBarItem& Item, const TkLoadedSkin& Skin) {
  fw::String name = Item.SkinSection;
  if (name.empty() || Skin.GetSkinIndex(name) < 0) {
    switch (Item.Style) {
      case bsMenu: name = u"TB_MENUBTN"; break;
      case bsTab: name = u"TB_TAB"; break;
      default: name = u"TB_BTN"; break;
    }
    if (Skin.GetSkinIndex(name) < 0) {
      if (Item.Style == bsButton) name = u"TOOLBUTTON";
      else if (Item.Style == bsTab) name = u"TABTOP";
    }
  }
  Item.Data.SkinSection = name;
  Item.Data.SkinIndex = Skin.GetSkinIndex(name);
}

void DrawTitleBarItem(const TkTitlePaintContext& Ctx, TkcTitleBarItem& Item, fw::TRect R, fw::TBitmap& Bmp,
                      bool NoAlpha) {
  (void)NoAlpha;
  if (!Ctx.Skin) return;
  TkLoadedSkin& skin = *Ctx.Skin;
  if (Item.Data.SkinIndex >= static_cast<int>(skin.gd.size())) return;
  const bool enabled = Item.Enabled && Ctx.FormEnabled;
  std::unique_ptr<fw::TBitmap> copy;
  if (!enabled) {
    copy = NewBitmap32(Bmp.Width(), Bmp.Height());
    BitBlt(copy->Canvas()->Handle(), 0, 0, Bmp.Width(), Bmp.Height(), Bmp.Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  fw::TBitmap& target = copy ? *copy : Bmp;
  if (Item.ContentSize.x == 0 && Item.ContentSize.y == 0) Item.UpdateSize(!Item.AutoSize);
  if (Item.FontData.UsedFont.Handle() == nullptr || Item.Caption.empty()) Item.InitFont();
  const int index = Item.Data.SkinIndex;
  const int state = Item.ItemState();
  int s = SectionState(skin, index, state);
  TTextLook look;
  auto applyFontData = [&](const TTextLook& fromSkin) {
    look.Color = Item.FontData.UseSysColor ? fromSkin.Color : Item.FontData.Font.Color();
    look.GlowSize = Item.FontData.UseSysGlowing ? fromSkin.GlowSize : Item.FontData.GlowSize;
    look.GlowColor = Item.FontData.UseSysGlowing ? fromSkin.GlowColor : Item.FontData.GlowColor;
  };
  applyFontData(SectionLook(skin, index, s));
  GdiFlush();
  if (&Bmp != Ctx.CacheBmp) FillRectAlpha(View32(target), R, 0, 0);
  const int barHeight = Item.Bar ? Item.Bar->FBarRect.Height() : R.Height();
  switch (Item.Style) {
    case bsButton:
    case bsInfo:
      PaintItemSection(skin, index, target, R, state);
      if (Item.SkinSection.empty() && state == 0) {
        // The text takes the title's look.
        TTextLook title = SectionLook(skin, Ctx.TitleSkinIndex, Ctx.FormActive ? 1 : 0);
        if (!Item.FontData.UseSysColor) title.Color = Item.FontData.Font.Color();
        look = title;
      }
      break;
    case bsMenu:
      if (index < 0) {
        R.Bottom = std::min(R.Bottom, R.Top + barHeight - 2);
        if (Item.Bar && Item.Bar->FDefaultMenuBtn) {
          const fw::TBitmap& art = *Item.Bar->FDefaultMenuBtn;
          const int fw = art.Width() / 3;
          DrawImageSliced(View32(target), View32(const_cast<fw::TBitmap&>(art)), R, fw::Rect(8, 2, 8, 4),
                          fw::Bounds(std::min(state, 2) * fw, 0, fw, art.Height()));
        }
        if (Item.FontData.UseSysColor) look.Color = 0xFFFFFF;
        if (Item.FontData.UseSysGlowing) {
          look.GlowSize = 2;
          look.GlowColor = 940685;
        }
      } else {
        PaintItemSection(skin, index, target, R, state);
      }
      break;
    case bsTab:
      s = std::min(state, 1);
      R.Top = std::max(R.Top, R.Bottom - (barHeight - 2));
      if (index >= 0) {
        if (!Item.Down()) R.Top += 2;
        PaintItemSection(skin, index, target, R, state);
        if (Item.FontData.UseSysGlowing) {
          const TTextLook sec = SectionLook(skin, index, s);
          look.GlowSize = sec.GlowSize;
          look.GlowColor = sec.GlowColor;
        }
      }
      R.Left += (R.Width() - Item.ContentSize.x - 1) / 2;
      R.Right = R.Left + Item.ContentSize.x + 1;
      break;
    case bsSpacing:
      break;
  }
  // Content.
  target.Canvas()->Font()->Assign(&Item.FontData.UsedFont);
  const int margin = Item.Bar ? Item.Bar->ItemsMargin : 3;
  int x = (Item.Style == bsTab ? R.Left : R.Left + IntXMargin(Item.Style) + margin);
  int image = Item.ImageIndex;
  if (!enabled && Item.DisabledImageIndex >= 0) image = Item.DisabledImageIndex;
  else if (enabled && state == 1 && Item.HotImageIndex >= 0) image = Item.HotImageIndex;
  else if (enabled && state == 2 && Item.PressedImageIndex >= 0) image = Item.PressedImageIndex;
  fw::TCustomImageList* list = Item.Bar ? Item.Bar->Images : nullptr;
  if (list && image >= 0 && image < list->Count()) {
    list->Draw(target.Canvas(), x, R.Top + (Item.Height - list->Height()) / 2, image, enabled);
    x += list->Width() + (Item.Caption.empty() ? 0 : Item.Spacing);
  } else if (!Item.Glyph.Empty()) {
    const int gw = Item.Glyph.Width() / std::max(Item.NumGlyphs, 1), gh = Item.Glyph.Height();
    auto g = NewBitmap32(gw, gh);
    BitBlt(g->Canvas()->Handle(), 0, 0, gw, gh, Item.Glyph.Canvas()->Handle(), 0, 0, SRCCOPY);
    GdiFlush();
    const TPixelView32 gv = View32(*g);
    CopyBitmapSkipKey(View32(target), gv, x, R.Top + (Item.Height - gh) / 2, gv.Pixel(0, 0) & 0xFFFFFF);
    x += gw + (Item.Caption.empty() ? 0 : Item.Spacing);
  }
  const fw::TPoint text = MeasureTextWithFont(Item.FontData.UsedFont.Handle(), Item.Caption, DT_SINGLELINE, false, 0);
  const int textTop = R.Top + (Item.Height - text.y) / 2;
  DrawText(target, Item.Caption, fw::Rect(x, textTop, R.Right, textTop + text.y), look, kTextFlags);
  const bool arrow = (Item.Style == bsButton || Item.Style == bsMenu) && Item.DropdownMenu &&
                     Item.DropdownMenu->Items() && Item.DropdownMenu->Items()->Count() > 0;
  if (arrow) {
    x += text.x + (Item.Style == bsMenu ? 3 : 0) + 1;
    fw::TFont marlett;
    marlett.SetName(u"Marlett");
    marlett.SetHeight(-std::abs(Item.FontData.UsedFont.Height()));
    target.Canvas()->Font()->Assign(&marlett);
    DrawText(target, u"u", fw::Rect(x, textTop, R.Right, textTop + text.y), look, kTextFlags);
  }
  GdiFlush();
  if (copy) {
    // Half strength over what lies beneath.
    BlendBitmapAt(View32(Bmp), View32(*copy), 128, R, fw::TPoint{R.Left, R.Top});
  }
}

}  // namespace skin
