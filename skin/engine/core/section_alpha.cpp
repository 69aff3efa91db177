#include "skin/engine/core/section_alpha.h"

#include <algorithm>

#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/gradient.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/core/texture_paint.h"

namespace skin {

namespace {

bool CoversWhole(const TPixelView32& v, const fw::TRect& r) {
  return r.Left <= 0 && r.Top <= 0 && r.Right >= v.Width && r.Bottom >= v.Height;
}

}  // namespace

void PaintSectionBackgroundAlpha(const TPixelView32& dest, TkLoadedSkin& skin, int skinIndex, int bgState,
                                 const fw::TRect& r, uint32_t colour) {
  if (dest.Empty() || !skin.IsValidSkinIndex(skinIndex) || r.Width() <= 0 || r.Height() <= 0) return;
  const TkGenState& s = skin.gd[skinIndex].Props[std::clamp(bgState, 0, 1)];
  const bool own = colour == clSkinKey;
  const uint32_t c = (own ? uint32_t(s.Color) : colour) & 0xFFFFFFu;
  const int t = own ? s.Transparency : 0, ip = own ? s.ImagePercent : 0, gp = own ? s.GradientPercent : 0;
  const int ti = ip > 0 ? s.TextureIndex : -1;
  const int opaqueness = (100 - t) * 255 / 100;
  if (t == 100) {
    if (CoversWhole(dest, r)) FillRectAlpha(dest, r, 0, 0);
    return;
  }
  const bool textureMask = skin.IsValidImgIndex(ti);
  if (ip + gp == 100 && gp >= 1 && gp <= 99 && textureMask && skin.ma[ti].DrawMode == 0 && !s.GradientArray.empty() &&
      s.GradientArray[0].Mode1 < 2) {
    // Gradient and texture in one pass. The alpha follows the transparency
    // the same way as the plain fill below does.
    const TkMaskData& m = skin.ma[ti];
    FillGradientTextured(dest, r, s.GradientArray, MaskSourceView(skin, m), m.R, uint8_t(ip * 255 / 100),
                         uint8_t(opaqueness));
    return;
  }
  bool textured = false;
  if (ip > 0) {
    if (textureMask) {
      const TkMaskData& m = skin.ma[ti];
      if ((m.MaskType & 0xFF) != 0) PaintMaskedTexture(dest, r, {}, m.DrawMode, m, MaskSourceView(skin, m));
      else PaintTexture(dest, r, {}, m.DrawMode, m, MaskSourceView(skin, m));
      textured = true;
    } else {
      FillRectAlpha(dest, r, c, 255);
    }
  }
  if (gp > 0) {
    if (textured) {
      TPixelBuffer layer(TPixelFormat::pf32bit, r.Width(), r.Height());
      const TPixelView32 lv = View32(layer);
      if (s.GradientData.empty()) FillRectAlpha(lv, fw::Rect(0, 0, lv.Width, lv.Height), c, 255);
      else FillGradient(lv, fw::Rect(0, 0, lv.Width, lv.Height), s.GradientArray);
      BlendBitmapAt(dest, lv, uint8_t(std::clamp(ip * 255 / 100, 0, 255)), fw::Rect(0, 0, lv.Width, lv.Height),
                    fw::TPoint{r.Left, r.Top});
    } else if (s.GradientData.empty()) {
      FillRectAlpha(dest, r, c, 255);
      return;
    } else {
      FillGradient(dest, r, s.GradientArray);
    }
  }
  if (ip + gp != 0) {
    if (ip + gp <= 99) BlendRectToColor(dest, fw::Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), uint8_t(ip + gp), c);
    return;
  }
  if (!dest.Contains(r.Left, r.Top)) return;
  const uint32_t p = dest.Pixel(r.Left, r.Top);
  if (p == 0) FillRectAlpha(dest, r, c, uint8_t(opaqueness));
  else if (t == 0) FillRectAlpha(dest, r, c, 255);
  else FadeRectAlpha(dest, r, c, uint8_t(std::max<int>(Alpha(p), opaqueness)), 100 - t);
}

void PaintSectionAlpha(const TPixelView32& dest, TkLoadedSkin& skin, int skinIndex, int state, const fw::TRect& r) {
  if (dest.Empty() || r.Width() <= 0 || r.Height() <= 0 || !skin.IsValidSkinIndex(skinIndex)) return;
  if (r.Left < 0 || r.Top < 0 || r.Right > dest.Width || r.Bottom > dest.Height) return;
  const TkGeneralData& gd = skin.gd[skinIndex];
  if (state >= gd.States) state = gd.States - 1;
  state = std::max(state, 0);
  // What r held before, for the border's key pixels.
  TPixelBuffer before(TPixelFormat::pf32bit, r.Width() + 1, r.Height() + 1);
  const TPixelView32 bv = View32(before);
  for (int y = 0; y < r.Height(); ++y) std::copy_n(dest.Row(r.Top + y) + r.Left, r.Width(), bv.Row(y));
  PaintSectionBackgroundAlpha(dest, skin, skinIndex, std::min(state, 1), r, clSkinKey);
  if (skin.IsValidImgIndex(gd.BorderIndex)) {
    const TkMaskData& m = skin.ma[gd.BorderIndex];
    TCacheInfo ci;
    ci.Bmp = bv;
    ci.X = -r.Left;
    ci.Y = -r.Top;
    ci.Ready = true;
    DrawMaskRectAlpha(dest, r, ci, m, MaskSourceView(skin, m), state);
  }
  if (CoversWhole(dest, r)) PremultiplyRect(dest, r);
}

}  // namespace skin
