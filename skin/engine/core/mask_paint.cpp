#include "skin/engine/core/mask_paint.h"

#include <algorithm>

#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/resample.h"

namespace skin {

namespace {

// A piece clipped to the destination, the source and the source rows of its
// mask part: w x h pixels from (sx, sy) to (dx, dy).
struct TClippedPiece {
  int dx, dy, sx, sy, w, h;
  bool Empty() const { return w <= 0 || h <= 0; }
};

TClippedPiece ClipPiece(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                        const fw::TRect& sourceRect, int maskOffset) {
  TClippedPiece p{destRect.Left, destRect.Top, sourceRect.Left, sourceRect.Top,
                  std::min(destRect.Width(), sourceRect.Width()), std::min(destRect.Height(), sourceRect.Height())};
  if (dest.Empty() || source.Empty()) return {0, 0, 0, 0, 0, 0};
  // Negative left or top edges shift both rectangles.
  const int shiftX = std::max({0, -p.dx, -p.sx}), shiftY = std::max({0, -p.dy, -p.sy, -(p.sy + maskOffset)});
  p.dx += shiftX, p.sx += shiftX, p.w -= shiftX;
  p.dy += shiftY, p.sy += shiftY, p.h -= shiftY;
  p.w = std::min({p.w, dest.Width - p.dx, source.Width - p.sx});
  p.h = std::min({p.h, dest.Height - p.dy, source.Height - p.sy, source.Height - p.sy - maskOffset});
  return p;
}

constexpr uint32_t kKeyPixel = clSkinKey;  // the whole pixel, alpha 0

// ((D - I) * M + I * 256) >> 8 per colour byte, M per channel.
uint32_t ComposeThroughMask(uint32_t d, uint32_t i, uint32_t m, uint8_t alpha) {
  auto ch = [](int dv, int iv, int mv) { return ((dv - iv) * mv + iv * 256) >> 8; };
  return MakePixel(ch(Blue(d), Blue(i), Blue(m)), ch(Green(d), Green(i), Green(m)), ch(Red(d), Red(i), Red(m)),
                   alpha);
}

uint8_t RaisedAlpha(uint8_t a, int m) {
  if (a == 0) return uint8_t(255 - m);
  if (a == 255) return 255;
  return uint8_t(std::max<int>(a, 255 - m));
}

// D := (D * keep + I * take) >> 8 per colour byte.
uint32_t Mix(uint32_t d, uint32_t i, int keep, int take, uint8_t alpha) {
  return MakePixel((Blue(d) * keep + Blue(i) * take) >> 8, (Green(d) * keep + Green(i) * take) >> 8,
                   (Red(d) * keep + Red(i) * take) >> 8, alpha);
}

void MaskPieceWithShare(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                        const fw::TRect& sourceRect, int maskOffset, const TCacheInfo& ci, int opacity,
                        bool withOpacity) {
  const TClippedPiece p = ClipPiece(dest, destRect, source, sourceRect, maskOffset);
  if (p.Empty()) return;
  const bool ciImage = ci.Ready && !ci.Bmp.Empty();
  for (int y = 0; y < p.h; ++y) {
    const uint32_t* img = source.Row(p.sy + y) + p.sx;
    const uint32_t* msk = source.Row(p.sy + maskOffset + y) + p.sx;
    uint32_t* d = dest.Row(p.dy + y) + p.dx;
    for (int x = 0; x < p.w; ++x) {
      if (img[x] == kKeyPixel) {
        const int cx = p.dx + x + ci.X, cy = p.dy + y + ci.Y;
        if (ciImage) {
          if (ci.Bmp.Contains(cx, cy)) d[x] = ci.Bmp.Pixel(cx, cy);
        } else {
          d[x] &= 0x00FFFFFFu;
        }
        continue;
      }
      const int m = Red(msk[x]);
      const int take = withOpacity ? (opacity * (255 - m)) >> 8 : 255 - m;
      const int keep = withOpacity ? 255 - take : m;
      d[x] = Mix(d[x], img[x], keep, take, RaisedAlpha(Alpha(d[x]), m));
    }
  }
}

// The image and mask pieces at the destination size, in fresh buffers.
void StretchInto(const TPixelView32& source, const fw::TRect& sourceRect, int width, int height, bool resample,
                 uint8_t kind, TPixelBuffer& out) {
  const TPixelView32 piece = SubView(source, sourceRect);
  out.SetSize(TPixelFormat::pf32bit, width, height);
  const TPixelView32 o = View32(out);
  if (piece.Empty()) return;
  if (resample) {
    // The resampler needs two samples per side: a single column or row is
    // doubled first.
    TPixelBuffer wide(TPixelFormat::pf32bit, std::max(piece.Width, 2), std::max(piece.Height, 2));
    const TPixelView32 w = View32(wide);
    for (int y = 0; y < w.Height; ++y)
      for (int x = 0; x < w.Width; ++x) w.Pixel(x, y) = piece.Pixel(std::min(x, piece.Width - 1), std::min(y, piece.Height - 1));
    ResamplePixels(w, out, width, height, kind);
    return;
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      o.Pixel(x, y) = piece.Pixel(int(int64_t(x) * piece.Width / width), int(int64_t(y) * piece.Height / height));
}

void PaintPlan(const TMaskPlan& plan, auto&& corner, auto&& tile, auto&& stretched) {
  for (const TMaskPiece& piece : plan.Pieces) {
    if (piece.Kind == TMaskPieceKind::Corner) {
      corner(piece.Dest, piece.Source);
    } else if (plan.Stretch) {
      stretched(piece.Dest, piece.Source, piece.Kind == TMaskPieceKind::Centre);
    } else {
      for (const fw::TRect& t : PlanTiles(piece.Dest, piece.Source.Width(), piece.Source.Height()))
        tile(t, fw::Bounds(piece.Source.Left, piece.Source.Top, t.Width(), t.Height()));
    }
  }
}

// Keyed corners, plain tile copies and sampled stretches of a mask without
// a mask part.
void PaintKeyed(const TPixelView32& dest, const TMaskPlan& plan, const TCacheInfo& ci, const TPixelView32& source,
                bool cornerBackground) {
  PaintPlan(
      plan,
      [&](const fw::TRect& to, const fw::TRect& from) {
        CopyRectKeyed(dest, source, to.Left, to.Top, fw::Rect(from.Left, from.Top, from.Right - 1, from.Bottom - 1),
                      clSkinKey, ci, cornerBackground);
      },
      [&](const fw::TRect& to, const fw::TRect& from) {
        const TClippedPiece p = ClipPiece(dest, to, source, from, 0);
        for (int y = 0; y < p.h; ++y) std::copy_n(source.Row(p.sy + y) + p.sx, p.w, dest.Row(p.dy + y) + p.dx);
      },
      [&](const fw::TRect& to, const fw::TRect& from, bool) {
        TPixelBuffer stretched;
        StretchInto(source, from, to.Width(), to.Height(), false, 0, stretched);
        const TPixelView32 s = View32(stretched);
        const TClippedPiece p = ClipPiece(dest, to, s, fw::Bounds(0, 0, s.Width, s.Height), 0);
        for (int y = 0; y < p.h; ++y) std::copy_n(s.Row(p.sy + y) + p.sx, p.w, dest.Row(p.dy + y) + p.dx);
      });
}

}  // namespace

TPixelView32 MaskSourceView(TkLoadedSkin& skin, const TkMaskData& mask) {
  return mask.Bmp ? View32(*mask.Bmp) : View32(skin.MasterBitmap);
}

void CopyMaskedPiece(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                     const fw::TRect& sourceRect, const TCacheInfo& ci, bool background, const TkMaskData& mask) {
  const int maskOffset = mask.R.Height() / 2;
  const TClippedPiece p = ClipPiece(dest, destRect, source, sourceRect, maskOffset);
  for (int y = 0; y < p.h; ++y) {
    const uint32_t* img = source.Row(p.sy + y) + p.sx;
    const uint32_t* msk = source.Row(p.sy + maskOffset + y) + p.sx;
    uint32_t* d = dest.Row(p.dy + y) + p.dx;
    for (int x = 0; x < p.w; ++x) {
      if (background && img[x] == kKeyPixel) {
        if (!ci.Ready) {
          d[x] = ColorToPixel(ci.FillColor, 0);
          continue;
        }
        const int cx = ci.X + p.dx + x, cy = ci.Y + p.dy + y;
        if (!ci.Bmp.Contains(cx, cy)) break;  // the rest of the row lies outside the background
        d[x] = ci.Bmp.Pixel(cx, cy) | 0xFF000000u;
        continue;
      }
      if (!ci.Ready && img[x] == kKeyPixel) continue;
      d[x] = ComposeThroughMask(d[x], img[x], msk[x], ci.Ready ? 255 : Alpha(d[x]));
    }
  }
}

void DrawMaskPieceAlpha(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                        const fw::TRect& sourceRect, int maskOffset, const TCacheInfo& ci) {
  MaskPieceWithShare(dest, destRect, source, sourceRect, maskOffset, ci, 255, false);
}

void DrawMaskPieceOpacity(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                          const fw::TRect& sourceRect, int maskOffset, const TCacheInfo& ci, int opacity) {
  MaskPieceWithShare(dest, destRect, source, sourceRect, maskOffset, ci, opacity, true);
}

void DrawStretchedMaskPiece(const TPixelView32& dest, const fw::TRect& destRect, bool centre, int maskOffset,
                            const TPixelView32& source, const fw::TRect& sourceRect, TStretchVariant variant,
                            int opacity) {
  const int w = destRect.Width(), h = destRect.Height();
  if (destRect.Left < 0 || destRect.Top < 0 || w <= 0 || h <= 0 || dest.Width <= 1 || dest.Height <= 1) return;
  if (sourceRect.Left < 0 || sourceRect.Top < 0 || sourceRect.Width() <= 0 || sourceRect.Height() <= 0 ||
      sourceRect.Right > source.Width || sourceRect.Bottom + maskOffset > source.Height)
    return;
  fw::TRect maskRect = sourceRect;
  maskRect.Top += maskOffset, maskRect.Bottom += maskOffset;
  TPixelBuffer imageBuf, maskBuf;
  const bool single = centre && sourceRect.Width() == 1 && sourceRect.Height() == 1;
  if (single) {
    imageBuf.SetSize(TPixelFormat::pf32bit, 1, 1);
    maskBuf.SetSize(TPixelFormat::pf32bit, 1, 1);
    View32(imageBuf).Pixel(0, 0) = source.Pixel(sourceRect.Left, sourceRect.Top);
    View32(maskBuf).Pixel(0, 0) = source.Pixel(maskRect.Left, maskRect.Top);
  } else {
    const int sw = sourceRect.Width(), sh = sourceRect.Height();
    const bool resample = (centre || (w < sw && h == sh) || (h < sh && w == sw)) && (w > 1 || h > 1);
    StretchInto(source, sourceRect, w, h, resample, rfMitchell, imageBuf);
    StretchInto(source, maskRect, w, h, resample, variant == TStretchVariant::Opaque ? rfMitchell : rfHermite,
                maskBuf);
  }
  const TPixelView32 iv = View32(imageBuf), mv = View32(maskBuf);
  const int rows = std::min(h, dest.Height - destRect.Top), cols = std::min(w, dest.Width - destRect.Left);
  for (int y = 0; y < rows; ++y) {
    uint32_t* d = dest.Row(destRect.Top + y) + destRect.Left;
    for (int x = 0; x < cols; ++x) {
      const uint32_t i = single ? iv.Pixel(0, 0) : iv.Pixel(x, y), mp = single ? mv.Pixel(0, 0) : mv.Pixel(x, y);
      const int m = Red(mp);
      if (variant == TStretchVariant::Opaque) {
        if (single && m == 0) d[x] = i | 0xFF000000u;
        // A single masked pixel mixes by its red channel and keeps alpha.
        else if (single && m != 255) d[x] = ComposeThroughMask(d[x], i, MakePixel(m, m, m, 0), Alpha(d[x]));
        else if (!single) d[x] = ComposeThroughMask(d[x], i, mp, 255);
        continue;
      }
      if (m == 0) {
        d[x] = i | 0xFF000000u;
      } else if (m != 255) {
        const int a = Alpha(d[x]);
        if (variant == TStretchVariant::Alpha) {
          const int u = std::min(m, a);
          d[x] = Mix(d[x], i, u, 255 - u, uint8_t(std::max(a, 255 - m)));
        } else {
          const int u = ((255 - m) * opacity) >> 8, v = std::min(255 - u, a);
          d[x] = Mix(d[x], i, v, u, uint8_t(std::max(a, 255 - m)));
        }
      }
    }
  }
}

void DrawMaskRect(const TPixelView32& dest, const fw::TRect& r, const TCacheInfo& ci, const TkMaskData& mask,
                  const TPixelView32& source, int state, bool updateCorners) {
  if (source.Empty()) return;
  const TMaskPlan plan = PlanMaskPieces(mask, r, state);
  const bool cornerBackground = updateCorners && mask.CornerType > 0;
  if (mask.MaskType == 0) {
    PaintKeyed(dest, plan, ci, source, cornerBackground);
    return;
  }
  const TCacheInfo none;
  const int fh = MaskFrameHeight(mask);
  PaintPlan(
      plan,
      [&](const fw::TRect& to, const fw::TRect& from) { CopyMaskedPiece(dest, to, source, from, ci, cornerBackground, mask); },
      [&](const fw::TRect& to, const fw::TRect& from) { CopyMaskedPiece(dest, to, source, from, none, false, mask); },
      [&](const fw::TRect& to, const fw::TRect& from, bool centre) {
        DrawStretchedMaskPiece(dest, to, centre, fh, source, from);
      });
}

void DrawMaskRectAlpha(const TPixelView32& dest, const fw::TRect& r, const TCacheInfo& ci, const TkMaskData& mask,
                       const TPixelView32& source, int state) {
  if (source.Empty()) return;
  const TMaskPlan plan = PlanMaskPieces(mask, r, state);
  if (mask.MaskType == 0) {
    PaintKeyed(dest, plan, ci, source, true);
    return;
  }
  const TCacheInfo none;
  const int fh = MaskFrameHeight(mask), offset = mask.R.Height() / 2;
  PaintPlan(
      plan,
      [&](const fw::TRect& to, const fw::TRect& from) { DrawMaskPieceAlpha(dest, to, source, from, offset, ci); },
      [&](const fw::TRect& to, const fw::TRect& from) { DrawMaskPieceAlpha(dest, to, source, from, offset, none); },
      [&](const fw::TRect& to, const fw::TRect& from, bool centre) {
        DrawStretchedMaskPiece(dest, to, centre, fh, source, from, TStretchVariant::Alpha);
      });
}

void DrawOuterMaskRect(const TPixelView32& dest, const fw::TRect& r, const TCacheInfo& ci, const TkMaskData& mask,
                       const TPixelView32& source, int state, const fw::TRect& limits, int opacity) {
  if (source.Empty()) return;
  TMaskPlan plan = PlanMaskPieces(mask, r, state);
  if (mask.MaskType == 0) {
    PaintKeyed(dest, plan, ci, source, true);
    return;
  }
  // Edges keep only their outer part, as deep as the limits allow.
  const int lw = std::min(plan.L, limits.Left), th = std::min(plan.T, limits.Top);
  const int rw = std::min(plan.R, limits.Right), bh = std::min(plan.B, limits.Bottom);
  std::erase_if(plan.Pieces, [](const TMaskPiece& p) { return p.Kind == TMaskPieceKind::Centre; });
  for (TMaskPiece& p : plan.Pieces) {
    switch (p.Number) {
      case 2: p.Source.Right = p.Source.Left + lw, p.Dest.Right = p.Dest.Left + lw; break;
      case 3: p.Source.Bottom = p.Source.Top + th, p.Dest.Bottom = p.Dest.Top + th; break;
      case 5: p.Source.Top = p.Source.Bottom - bh, p.Dest.Top = p.Dest.Bottom - bh; break;
      case 8: p.Source.Left = p.Source.Right - rw, p.Dest.Left = p.Dest.Right - rw; break;
      default: break;
    }
  }
  std::erase_if(plan.Pieces, [](const TMaskPiece& p) { return p.Source.Width() <= 0 || p.Source.Height() <= 0; });
  const TCacheInfo none;
  const int fh = MaskFrameHeight(mask), offset = mask.R.Height() / 2;
  PaintPlan(
      plan,
      [&](const fw::TRect& to, const fw::TRect& from) { DrawMaskPieceOpacity(dest, to, source, from, offset, ci, opacity); },
      [&](const fw::TRect& to, const fw::TRect& from) { DrawMaskPieceOpacity(dest, to, source, from, offset, none, opacity); },
      [&](const fw::TRect& to, const fw::TRect& from, bool centre) {
        DrawStretchedMaskPiece(dest, to, centre, fh, source, from, TStretchVariant::Opacity, opacity);
      });
}

void DrawMaskTexturePiece(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& master,
                          const fw::TRect& sourceRect, const TkMaskData& mask, const TCacheInfo& ci) {
  const int maskOffset = mask.R.Height() / 2;
  const TClippedPiece p = ClipPiece(dest, destRect, master, sourceRect, maskOffset);
  for (int y = 0; y < p.h; ++y) {
    const uint32_t* img = master.Row(p.sy + y) + p.sx;
    const uint32_t* msk = master.Row(p.sy + maskOffset + y) + p.sx;
    uint32_t* d = dest.Row(p.dy + y) + p.dx;
    for (int x = 0; x < p.w; ++x) {
      if (img[x] != kKeyPixel) {
        d[x] = ComposeThroughMask(d[x], img[x], msk[x], Alpha(d[x]));
      } else if (ci.Ready && ci.FillColor == clSkinKey) {
        const int cx = ci.X + p.dx + x, cy = ci.Y + p.dy + y;
        if (cx >= ci.Bmp.Width) break;  // a column beyond the background ends the row
        if (ci.Bmp.Contains(cx, cy)) d[x] = ci.Bmp.Pixel(cx, cy);
      } else if (ci.FillColor != clSkinKey) {
        d[x] = ColorToPixel(ci.FillColor, Alpha(d[x]));
      }
    }
  }
}

}  // namespace skin
