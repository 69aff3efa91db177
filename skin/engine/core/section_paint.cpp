#include "skin/engine/core/section_paint.h"

#include <algorithm>

#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/gradient.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/core/skin_images.h"
#include "skin/engine/core/texture_paint.h"

namespace skin {

namespace {

// What the state paints, after the custom colour and the texture choice.
struct TLayers {
  uint32_t Color = 0;
  int T = 0, IP = 0, GP = 0;
  int TextureMask = -1;  // a valid index of the mask array, or -1
  const TkPatternData* Pattern = nullptr;  // a large texture, when there is no texture mask
  const TkGradArray* Gradient = nullptr;
  bool GradientEmpty = true;
  // The lean painter: no one-pass texture and gradient, and a state without
  // texture or gradient (or above 100 percent) gets LeanFill.
  bool Lean = false;
  uint32_t LeanFill = 0;
};

void CopyFrom(const TPixelView32& dest, const fw::TRect& to, const TPixelView32& from, int fx, int fy) {
  for (int y = std::max(to.Top, 0); y < std::min(to.Bottom, dest.Height); ++y) {
    const int sy = fy + y - to.Top;
    if (sy < 0 || sy >= from.Height) continue;
    for (int x = std::max(to.Left, 0); x < std::min(to.Right, dest.Width); ++x) {
      const int sx = fx + x - to.Left;
      if (sx >= 0 && sx < from.Width) dest.Pixel(x, y) = from.Pixel(sx, sy);
    }
  }
}

void PaintLayers(const TPixelView32& target, const fw::TRect& r, TkLoadedSkin& skin, const TLayers& l) {
  const bool textureMask = l.TextureMask >= 0;
  if (!l.Lean && l.IP + l.GP == 100 && l.GP >= 1 && l.GP <= 99 && textureMask && skin.ma[l.TextureMask].DrawMode == 0 &&
      !l.Gradient->empty() && (*l.Gradient)[0].Mode1 < 2) {
    const TkMaskData& m = skin.ma[l.TextureMask];
    FillGradientTextured(target, r, *l.Gradient, MaskSourceView(skin, m), m.R, uint8_t(l.IP * 255 / 100), 255);
    return;
  }
  bool textured = false;
  if (l.IP > 0) {
    fw::TRect rest = r;
    if (l.Pattern) {
      // Kept as its JPEG file: decoded for the paint. A damaged one leaves
      // the colour.
      try {
        TPixelBuffer image = DecodeSkinJpeg(l.Pattern->Jpeg);
        TilePatternImage(target, r, View32(image));
        rest = kTextureCovered;
        textured = true;
      } catch (const fw::Exception&) {
      }
    } else if (textureMask) {
      const TkMaskData& m = skin.ma[l.TextureMask];
      if ((m.MaskType & 0xFF) != 0) {
        PaintMaskedTexture(target, r, {}, m.DrawMode, m, MaskSourceView(skin, m));
        rest = kTextureCovered;
      } else {
        rest = PaintTexture(target, r, {}, m.DrawMode, m, MaskSourceView(skin, m));
      }
      textured = true;
    }
    if (rest != kTextureCovered) FillRectAlpha(target, rest, l.Color, 255);
  }
  if (l.GP > 0) {
    if (textured) {
      TPixelBuffer layer(TPixelFormat::pf32bit, r.Width(), r.Height());
      const TPixelView32 lv = View32(layer);
      if (l.GradientEmpty) FillRectAlpha(lv, fw::Rect(0, 0, lv.Width, lv.Height), l.Color, 255);
      else FillGradient(lv, fw::Rect(0, 0, lv.Width, lv.Height), *l.Gradient);
      BlendBitmapAt(target, lv, uint8_t(std::clamp(l.IP * 255 / 100, 0, 255)), fw::Rect(0, 0, lv.Width, lv.Height),
                    fw::TPoint{r.Left, r.Top});
    } else if (l.GradientEmpty) {
      FillRectAlpha(target, r, l.Color, 255);
    } else {
      FillGradient(target, r, *l.Gradient);
    }
  }
  const int sum = l.IP + l.GP;
  if (sum >= 1 && sum <= 99) BlendRectToColor(target, fw::Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), uint8_t(sum), l.Color);
  // With nothing known of the background a partly transparent plain state
  // would mix with the key colour; it gets its own colour instead.
  else if (sum == 0 || (l.Lean && sum > 100)) FillRectAlpha(target, r, l.Lean ? l.LeanFill : l.Color, 255);
}

// Round(T * 2.55) with halves to even, in integers.
uint8_t TransparencyWeight(int t) {
  const int q = t * 255 / 100, rem = t * 255 % 100;
  return uint8_t(rem > 50 || (rem == 50 && (q & 1)) ? q + 1 : q);
}

// The parent's pixels under R: its image where there is one (only its
// border strips when the image is not ready), else its colour.
void PaintParent(const TPixelView32& dest, const fw::TRect& r, const TCacheInfo& ci, fw::TPoint off) {
  const uint32_t fill = ci.FillColor & 0xFFFFFFu;
  if (ci.Bmp.Empty()) {
    FillRectAlpha(dest, r, fill, 255);
    return;
  }
  if (ci.Ready) {
    if (ci.Bmp.Row0 != dest.Row0) CopyFrom(dest, r, ci.Bmp, ci.X + off.x, ci.Y + off.y);
    return;
  }
  const fw::TRect r0 = fw::Bounds(off.x, off.y, r.Width(), r.Height());
  const fw::TRect& f = ci.FillRect;
  const int bw = ci.Bmp.Width, bh = ci.Bmp.Height;
  int l = 0, t = 0, rr = 0, b = 0;
  if (f.Left - ci.X > 0 && r0.Left < f.Left) l = f.Left - r0.Left;
  if (f.Top - ci.Y > 0 && r0.Top < f.Top) t = f.Top - r0.Top;
  if (f.Right > 0 && bw - f.Right < r0.Right && r0.Right < bw) rr = r0.Right - (bw - f.Right);
  if (f.Bottom > 0 && bh - f.Bottom < r0.Bottom && r0.Bottom < bh) b = r0.Bottom + f.Bottom - bh;
  if (l > 0) CopyFrom(dest, fw::Rect(r.Left, r.Top, r.Left + l, r.Bottom), ci.Bmp, ci.X + off.x, ci.Y + off.y);
  if (t > 0) CopyFrom(dest, fw::Rect(r.Left, r.Top, r.Right, r.Top + t), ci.Bmp, ci.X + off.x, ci.Y + off.y);
  if (rr > 0)
    CopyFrom(dest, fw::Rect(r.Right - rr, r.Top, r.Right, r.Bottom), ci.Bmp, bw - f.Right + ci.X, ci.Y + off.y);
  if (b > 0) CopyFrom(dest, fw::Rect(r.Left, r.Bottom - b, r.Right, r.Bottom), ci.Bmp, ci.X + off.x, ci.Y + r0.Bottom - b);
  FillRectAlpha(dest, fw::Rect(r.Left + l, r.Top + t, r.Right - rr, r.Bottom - b), fill, 255);
}

}  // namespace

void PaintSectionBackground(const TPixelView32& dest, TkLoadedSkin& skin, const TSectionPaint& p) {
  if (dest.Empty() || !skin.IsValidSkinIndex(p.SkinIndex) || p.R.Width() <= 0 || p.R.Height() <= 0) return;
  const TkGeneralData& gd = skin.gd[p.SkinIndex];
  int state = p.State >= gd.States ? gd.States - 1 : p.State;
  state = std::clamp(state, 0, 1);
  const TkGenState& s = gd.Props[state];
  TLayers l;
  l.Gradient = &s.GradientArray;
  const int textureIndex = p.TextureIndex < 0 ? s.TextureIndex : p.TextureIndex;
  if (p.CustomColor == clSkinKey) {
    l.Color = uint32_t(s.Color) & 0xFFFFFFu;
    l.T = s.Transparency;
    if (l.T != 100) {
      l.IP = s.ImagePercent;
      l.GP = s.GradientPercent;
      if (l.IP > 0) {
        int ti = textureIndex;
        if (ti < 0) {
          ti = skin.GetMaskIndex(p.SkinIndex, p.SectionName, u"PATTERN");
          if (!skin.IsValidImgIndex(ti) || skin.ma[ti].MaskType != 0) ti = -1;
        }
        l.TextureMask = skin.IsValidImgIndex(ti) ? ti : -1;
        if (l.TextureMask < 0) {
          const int pattern = skin.GetPatternIndex(p.SkinIndex, p.SectionName, u"PATTERN");
          if (pattern >= 0) l.Pattern = &skin.pa[pattern];
        }
      }
      if (l.GP != 0) l.GradientEmpty = s.GradientData.empty();
    }
  } else {
    l.Color = p.CustomColor & 0xFFFFFFu;
  }
  const TCacheInfo& ci = p.CI;
  const fw::TRect& r = p.R;
  if ((!ci.Ready && ci.FillColor == clSkinKey) || l.T == 0) {
    PaintLayers(dest, r, skin, l);
  } else if (l.T == 100) {
    PaintParent(dest, r, ci, p.Offset);
  } else if (ci.Ready || l.IP + l.GP != 0) {
    TPixelBuffer layer(TPixelFormat::pf32bit, r.Width(), r.Height());
    const TPixelView32 lv = View32(layer);
    PaintLayers(lv, fw::Rect(0, 0, lv.Width, lv.Height), skin, l);
    if (!ci.Ready) FillRectAlpha(dest, r, ci.FillColor & 0xFFFFFFu, 255);
    else if (!ci.Bmp.Empty() && ci.Bmp.Row0 != dest.Row0) CopyFrom(dest, r, ci.Bmp, ci.X + p.Offset.x, ci.Y + p.Offset.y);
    BlendBitmapAt(dest, lv, TransparencyWeight(l.T), fw::Rect(0, 0, lv.Width, lv.Height), fw::TPoint{r.Left, r.Top});
  } else {
    FillRectAlpha(dest, r, MixColors(ci.FillColor & 0xFFFFFFu, l.Color, l.T / 100.0), 255);
  }
  // A masked texture of mode 10 goes over everything, even a see-through state.
  const int masked = state != 0 ? p.HotTextureIndex : textureIndex;
  if (masked != -1 && skin.IsValidImgIndex(masked) && skin.ma[masked].MaskType > 0 && skin.ma[masked].DrawMode == 10) {
    TCacheInfo moved = ci;
    moved.X += p.Offset.x;
    moved.Y += p.Offset.y;
    PaintMaskedTexture(dest, r, moved, 10, skin.ma[masked], MaskSourceView(skin, skin.ma[masked]));
  }
}

void PaintSectionRect(const TPixelView32& dest, TkLoadedSkin& skin, TSectionPaint p) {
  const fw::TRect& r = p.R;
  if (dest.Empty() || r.Width() <= 0 || r.Height() <= 0 || !skin.IsValidSkinIndex(p.SkinIndex)) return;
  if (r.Left < 0 || r.Top < 0 || r.Right > dest.Width || r.Bottom > dest.Height) return;
  const TkGeneralData& gd = skin.gd[p.SkinIndex];
  if (p.State >= gd.States) p.State = gd.States - 1;
  p.CustomColor = clSkinKey;
  PaintSectionBackground(dest, skin, p);
  TCacheInfo self;
  self.Bmp = dest;
  self.Ready = true;
  auto corner = [&](int index, bool right, bool bottom) {
    if (index < 0 || !skin.IsValidImgIndex(index)) return;
    const TkMaskData& m = skin.ma[index];
    const fw::TPoint at{right ? r.Right - MaskFrameWidth(m) : r.Left, bottom ? r.Bottom - MaskFrameHeight(m) : r.Top};
    DrawMaskGlyph(dest, at, p.State, gmNormal, m, self, MaskSourceView(skin, m));
  };
  corner(gd.ImgTL, false, false);
  corner(gd.ImgTR, true, false);
  corner(gd.ImgBL, false, true);
  corner(gd.ImgBR, true, true);
  if (skin.IsValidImgIndex(gd.BorderIndex)) {
    TCacheInfo moved = p.CI;
    moved.X += p.Offset.x;
    moved.Y += p.Offset.y;
    const TkMaskData& m = skin.ma[gd.BorderIndex];
    DrawMaskRect(dest, r, moved, m, MaskSourceView(skin, m), p.State, true);
  }
}

void PaintSectionBackgroundByTexture(const TPixelView32& dest, TkLoadedSkin& skin, int skinIndex, int textureIndex,
                                     const TCacheInfo& ci, int state, const fw::TRect& r, fw::TPoint offset) {
  if (dest.Empty() || !skin.IsValidSkinIndex(skinIndex) || r.Width() <= 0 || r.Height() <= 0) return;
  const TkGenState& s = skin.gd[skinIndex].Props[std::clamp(state, 0, 1)];
  TLayers l;
  l.Lean = true;
  l.Gradient = &s.GradientArray;
  l.Color = uint32_t(s.Color) & 0xFFFFFFu;
  l.T = s.Transparency;
  if (l.T != 100) {
    l.IP = s.ImagePercent;
    l.GP = s.GradientPercent;
    if (l.IP > 0 && skin.IsValidImgIndex(textureIndex)) l.TextureMask = textureIndex;
    if (l.GP != 0) l.GradientEmpty = s.GradientData.empty();
  }
  l.LeanFill = !ci.Ready && l.T == 100 ? ci.FillColor & 0xFFFFFFu : l.Color;
  const bool parentImage = !ci.Bmp.Empty() && ci.Bmp.Row0 != dest.Row0;
  if (l.T == 100 && ci.Ready) {
    if (parentImage) CopyFrom(dest, r, ci.Bmp, ci.X + offset.x, ci.Y + offset.y);
  } else if (l.T > 0 && l.T < 100 && ci.Ready) {
    TPixelBuffer layer(TPixelFormat::pf32bit, r.Width(), r.Height());
    const TPixelView32 lv = View32(layer);
    PaintLayers(lv, fw::Rect(0, 0, lv.Width, lv.Height), skin, l);
    if (parentImage) CopyFrom(dest, r, ci.Bmp, ci.X + offset.x, ci.Y + offset.y);
    BlendBitmapAt(dest, lv, uint8_t(l.T * 255 / 100), fw::Rect(0, 0, lv.Width, lv.Height), fw::TPoint{r.Left, r.Top});
  } else {
    PaintLayers(dest, r, skin, l);
  }
}

void PaintSectionRectWithBorder(const TPixelView32& dest, TkLoadedSkin& skin, int skinIndex, int borderIndex,
                                int textureIndex, const TCacheInfo& ci, int state, const fw::TRect& r,
                                fw::TPoint offset) {
  if (dest.Empty() || r.Width() <= 0 || r.Height() <= 0 || !skin.IsValidSkinIndex(skinIndex)) return;
  if (r.Left < 0 || r.Top < 0 || r.Right > dest.Width || r.Bottom > dest.Height) return;
  state = std::min(state, skin.gd[skinIndex].States - 1);
  PaintSectionBackgroundByTexture(dest, skin, skinIndex, textureIndex, ci, state, r, offset);
  if (!skin.IsValidImgIndex(borderIndex)) return;
  TCacheInfo moved = ci;
  moved.X += offset.x;
  moved.Y += offset.y;
  const TkMaskData& m = skin.ma[borderIndex];
  DrawMaskRect(dest, r, moved, m, MaskSourceView(skin, m), state, true);
}

void PaintControlBackground(const TPixelView32& dest, TkLoadedSkin& skin, const TControlItem& c, const TCacheInfo& ci,
                            int state, fw::TPoint offset, const fw::TRect& r) {
  if (!skin.IsValidSkinIndex(c.SkinIndex)) return;
  TSectionPaint p;
  p.SkinIndex = c.SkinIndex;
  p.SectionName = skin.gd[c.SkinIndex].ClassName;
  p.CI = ci;
  p.State = std::min(state, skin.gd[c.SkinIndex].States - 1);
  p.R = r;
  p.Offset = offset;
  p.TextureIndex = c.Texture;
  p.HotTextureIndex = c.HotTexture;
  p.CustomColor = c.CustomColor;
  PaintSectionBackground(dest, skin, p);
}

void PaintControlItem(const TPixelView32& dest, TkLoadedSkin& skin, const TControlItem& c, const TCacheInfo& ci,
                      bool updateCorners, fw::TPoint offset, const fw::TRect& r, int state) {
  if (dest.Empty() || r.Width() <= 0 || r.Height() <= 0 || !skin.IsValidSkinIndex(c.SkinIndex)) return;
  if (r.Left < 0 || r.Top < 0 || r.Right > dest.Width || r.Bottom > dest.Height) return;
  const TkGeneralData& gd = skin.gd[c.SkinIndex];
  state = std::max(std::min(state, gd.States - 1), 0);
  PaintControlBackground(dest, skin, c, ci, state, offset, r);
  TCacheInfo self;
  self.Bmp = dest;
  self.Ready = true;
  auto corner = [&](int index, bool right, bool bottom) {
    if (!skin.IsValidImgIndex(index)) return;
    const TkMaskData& m = skin.ma[index];
    const fw::TPoint at{right ? r.Right - MaskFrameWidth(m) : r.Left, bottom ? r.Bottom - MaskFrameHeight(m) : r.Top};
    DrawMaskGlyph(dest, at, state, gmNormal, m, self, MaskSourceView(skin, m));
  };
  corner(gd.ImgTL, false, false);
  corner(gd.ImgTR, true, false);
  corner(gd.ImgBL, false, true);
  corner(gd.ImgBR, true, true);
  const bool border = skin.IsValidImgIndex(c.BorderIndex) && !(state == 0 && (skin.ma[c.BorderIndex].DrawMode & dmHotOnly));
  if (border) {
    TCacheInfo moved = ci;
    moved.X += offset.x;
    moved.Y += offset.y;
    const TkMaskData& m = skin.ma[c.BorderIndex];
    DrawMaskRect(dest, r, moved, m, MaskSourceView(skin, m), state, updateCorners);
  } else if (gd.Props[std::min(state, 1)].Transparency != 0) {
    return;
  }
  if (c.ColorTone != clSkinNone) ApplyToPixels(dest, PixelColorTone, int(c.ColorTone), clSkinKey);
  if (c.HueOffset != 0) ApplyToPixels(dest, PixelHueShift, c.HueOffset, clSkinKey);
  if (c.Saturation != 0)
    ApplyToPixels(dest, PixelSaturation, std::clamp(SaturationPercentToScale(c.Saturation), -255, 255), clSkinKey);
}

}  // namespace skin
