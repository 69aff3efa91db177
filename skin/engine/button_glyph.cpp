#include "skin/engine/button_glyph.h"

#include <algorithm>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/alpha_image.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/glyph_frame.h"
#include "skin/engine/core/pixel_colors.h"

namespace skin {

const TkGlyphOptions* DefaultGlyphOptions = nullptr;

namespace {

// The list's image on its background colour (the key when it has none).
std::unique_ptr<fw::TBitmap> ListImage(fw::TCustomImageList& images, int index, uint32_t& keyColor) {
  const fw::TColor bk = images.BkColor();
  keyColor = bk == fw::clNone ? clSkinKey : static_cast<uint32_t>(fw::ColorToRGB(bk));
  auto image = NewBitmap32(images.Width(), images.Height());
  const TPixelView32 v = View32(*image);
  for (int y = 0; y < v.Height; ++y) std::fill_n(v.Row(y), v.Width, SwapRedBlue(keyColor));
  images.Draw(image->Canvas(), 0, 0, index, true);
  GdiFlush();
  return image;
}

uint32_t TintOf(const TkcGlyphPaintInfo& info) {
  if (!((info.State == 0 && info.Grayed) || (!info.Enabled && info.DisabledKind.Contains(dkGrayed))))
    return clSkinNone;
  if (info.SkinIndex < 0 || !info.Skin || !info.Skin->IsValidSkinIndex(info.SkinIndex)) return 0xFFFFFF;
  return static_cast<uint32_t>(fw::ColorToRGB(info.Skin->gd[static_cast<size_t>(info.SkinIndex)].Props[0].Color));
}

void DrawListImage(const TkcGlyphPaintInfo& info) {
  const fw::TRect& r = info.ImgRect;
  if (!info.DstBmp) {
    if (info.DstCanvas) info.Images->Draw(info.DstCanvas, r.Left, r.Top, info.ImageIndex, true);
    return;
  }
  uint32_t key = 0;
  auto image = ListImage(*info.Images, info.ImageIndex, key);
  const TPixelView32 src = View32(*image), dest = View32(*info.DstBmp);
  const fw::TRect whole = fw::Rect(0, 0, src.Width - 1, src.Height - 1);
  const auto grey = [&] { GreyBitmapExceptKey(src, SwapRedBlue(src.Pixel(0, 0) & 0xFFFFFFu)); };
  if (info.Enabled) {
    if (info.State == 0 && info.Grayed) grey();
    if (info.State != 0 || info.BlendPercent < 1) CopyBitmapSkipKey(dest, src, r.Left, r.Top, key);
    else BlendBitmapRectKeyed(dest, r.Left, r.Top, src, whole, info.BlendPercent / 100.0, clSkinKey);
    return;
  }
  if (info.DisabledKind.Contains(dkGrayed)) grey();
  if (info.DisabledKind.Contains(dkBlended)) BlendBitmapRectKeyed(dest, r.Left, r.Top, src, whole, 0.5, clSkinKey);
  else CopyBitmapSkipKey(dest, src, r.Left, r.Top, key);
}

bool AllAlphaZero(const TPixelView32& v) {
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      if (Alpha(v.Pixel(x, y)) != 0) return false;
  return true;
}

// A DIB copy of the caller's glyph, 32-bit for device-format glyphs; 24-bit
// when the empty-alpha check runs and the glyph has no alpha at all.
std::unique_ptr<fw::TBitmap> GlyphCopy(const TkcGlyphPaintInfo& info) {
  fw::TBitmap& glyph = *info.Glyph;
  const bool device = glyph.PixelFormat() == fw::pfDevice;
  const bool is32 = glyph.PixelFormat() == fw::pf32bit;
  const bool check = device || !info.Enabled || (is32 && (!DefaultGlyphOptions || DefaultGlyphOptions->CheckEmptyAlpha));
  auto copy = std::make_unique<fw::TBitmap>();
  copy->SetPixelFormat(device ? fw::pf32bit : glyph.PixelFormat());
  copy->SetHandleType(fw::bmDIB);
  copy->SetSize(glyph.Width(), glyph.Height());
  BitBlt(copy->Canvas()->Handle(), 0, 0, glyph.Width(), glyph.Height(), glyph.Canvas()->Handle(), 0, 0, SRCCOPY);
  GdiFlush();
  if (check && copy->PixelFormat() == fw::pf32bit && AllAlphaZero(View32(*copy))) copy->SetPixelFormat(fw::pf24bit);
  return copy;
}

void DrawAlphaGlyph(const TkcGlyphPaintInfo& info, fw::TBitmap& glyph) {
  const fw::TRect& r = info.ImgRect;
  const int numGlyphs = std::max(info.NumGlyphs, 1);
  const int w = r.Width();
  const TPixelView32 src = View32(glyph);
  const int frame = std::min(info.State, numGlyphs - 1);
  const fw::TRect from = fw::Bounds(w * std::max(frame, 0), 0, w, src.Height);
  const uint32_t tint = TintOf(info);
  if (info.DstBmp) {
    DrawAlphaImage(View32(*info.DstBmp), r, src, from, TCacheInfo{}, false, tint,
                   info.State == 0 ? info.BlendPercent : 0, info.Reflected);
    return;
  }
  if (!info.DstCanvas || w <= 0 || r.Height() <= 0) return;
  auto image = NewBitmap32(w, r.Height());
  const TPixelView32 iv = View32(*image);
  CopyRectSkipKey(iv, src, 0, 0, fw::Rect(from.Left, from.Top, from.Right - 1, from.Bottom - 1), clSkinNone);
  int h = info.BlendPercent;
  if (!info.Enabled && info.DisabledKind.Contains(dkBlended)) h = std::max(h, 50);
  if (info.State == 0 && h != 0)
    for (int y = 0; y < iv.Height; ++y)
      for (int x = 0; x < iv.Width; ++x) {
        uint32_t& p = iv.Pixel(x, y);
        p = (p & 0xFFFFFFu) | (uint32_t(Alpha(p) * h / 100) << 24);
      }
  if ((!info.Enabled && info.DisabledKind.Contains(dkGrayed)) || (info.State == 0 && info.Grayed)) GreyBitmap(iv);
  auto under = NewBitmap32(w, r.Height());
  const HDC canvas = info.DstCanvas->Handle();
  BitBlt(under->Canvas()->Handle(), 0, 0, w, r.Height(), canvas, r.Left, r.Top, SRCCOPY);
  GdiFlush();
  DrawAlphaImage(View32(*under), fw::Rect(0, 0, w, r.Height()), iv, fw::Rect(0, 0, w, r.Height()), TCacheInfo{},
                 false, clSkinNone, 0, info.Reflected);
  BitBlt(canvas, r.Left, r.Top, w, r.Height(), under->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void DrawFrameGlyph(const TkcGlyphPaintInfo& info, fw::TBitmap& glyph) {
  glyph.SetPixelFormat(fw::pf32bit);
  const int numGlyphs = std::max(info.NumGlyphs, 1);
  const int state = !info.Enabled ? gbDisabled : (info.Down || info.State == 2 ? gbDown : gbUp);
  const bool firstForDisabled = info.Glyph->PixelFormat() == fw::pf4bit || !DefaultGlyphOptions ||
                                DefaultGlyphOptions->StdGlyphsOrder;
  const auto draw = [&](fw::TBitmap& dest, const fw::TRect& r) {
    DrawGlyphFrame(View32(glyph), View32(dest), r, numGlyphs, numGlyphs > 1, state,
                   info.State == 0 ? info.BlendPercent : 0, 0, info.Reflected, firstForDisabled);
  };
  if (info.DstBmp) {
    draw(*info.DstBmp, info.ImgRect);
    return;
  }
  const fw::TRect& r = info.ImgRect;
  if (!info.DstCanvas || r.Width() <= 0 || r.Height() <= 0) return;
  auto under = NewBitmap32(r.Width(), r.Height());
  const HDC canvas = info.DstCanvas->Handle();
  BitBlt(under->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), canvas, r.Left, r.Top, SRCCOPY);
  GdiFlush();
  draw(*under, fw::Rect(0, 0, r.Width(), r.Height()));
  BitBlt(canvas, r.Left, r.Top, r.Width(), r.Height(), under->Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace

void DrawButtonGlyph(const TkcGlyphPaintInfo& info) {
  if (info.Images && info.ImageIndex >= 0 && info.ImageIndex < info.Images->Count()) {
    DrawListImage(info);
    return;
  }
  if (!info.Glyph || info.Glyph->Width() <= 0 || info.Glyph->Height() <= 0) return;
  if (info.DstBmp && View32(*info.DstBmp).Empty()) return;
  std::unique_ptr<fw::TBitmap> glyph = GlyphCopy(info);
  if (glyph->PixelFormat() == fw::pf32bit) DrawAlphaGlyph(info, *glyph);
  else DrawFrameGlyph(info, *glyph);
}

fw::TPoint DrawImageListFrame(fw::TCustomImageList* images, fw::TBitmap& dest, int x, int y, int state,
                              int numGlyphs, int imageIndex, bool reflected, uint32_t tint, int transparency) {
  if (!images) return {};
  numGlyphs = std::max(numGlyphs, 1);
  const fw::TPoint size{images->Width() / numGlyphs, images->Height()};
  if (!images->HandleAllocated() || imageIndex < 0 || imageIndex >= images->Count()) return size;
  uint32_t key = 0;
  auto image = ListImage(*images, imageIndex, key);
  const TPixelView32 src = View32(*image);
  // Drawn pixels are opaque where the list leaves no alpha; the background
  // stays transparent.
  if (AllAlphaZero(src)) SetRectAlpha(src, fw::Rect(0, 0, src.Width, src.Height), 255, SwapRedBlue(key));
  const int frame = std::clamp(state, 0, numGlyphs - 1);
  DrawAlphaImage(View32(dest), fw::Bounds(x, y, size.x, size.y), src, fw::Bounds(frame * size.x, 0, size.x, size.y),
                 TCacheInfo{}, false, tint, transparency, reflected);
  return size;
}

void DrawToolButtonGlyph(const TToolButtonGlyph& button, UINT itemState, fw::TBitmap& dest) {
  TkcGlyphPaintInfo info;
  info.State = (itemState & kToolItemHot) ? 1 : (itemState & kToolItemChecked) ? 2 : 0;
  info.Skin = button.Skin;
  info.Grayed = button.Skin && button.DiscoloredGlyphs;
  info.SkinIndex = button.Skin ? button.SkinIndex : -1;
  info.Images = (itemState & kToolItemDisabled) && button.DisabledImages ? button.DisabledImages : button.Images;
  info.ImageIndex = button.ImageIndex;
  if (!info.Images) return;
  const int iw = info.Images->Width(), ih = info.Images->Height();
  int x = 0, y = 0;
  if (button.ListMode) {
    x = 5;
    y = (button.ButtonSize.y - ih) / 2;
  } else {
    x = (button.ButtonSize.x - iw) / 2 + 1 - (button.DropDown ? 8 : 0);
    const int caption = button.ShowCaptions ? dest.Canvas()->TextHeight(u"A") + 3 : 0;
    y = (button.ButtonSize.y - ih - caption) / 2;
  }
  info.ImgRect = fw::Bounds(x, y, iw, ih);
  info.NumGlyphs = 1;
  info.Enabled = button.BarEnabled;
  info.BlendPercent = 0;
  info.Down = info.State == 2;
  info.DisabledKind = TkDisabledKind{dkBlended};
  info.DstBmp = &dest;
  if (info.Down && (!button.Skin || button.ShiftContentOnClick)) {
    info.ImgRect.Left += 1, info.ImgRect.Right += 1;
    info.ImgRect.Top += 1, info.ImgRect.Bottom += 1;
  }
  DrawButtonGlyph(info);
}

}  // namespace skin
