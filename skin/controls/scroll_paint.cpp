#include "skin/controls/scroll_paint.h"

#include <algorithm>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/core/section_paint.h"

namespace skin {

namespace {

// A piece of Bitmap serving as what lies behind a part painted over it.
TCacheInfo BitmapBehind(fw::TBitmap& Bitmap) {
  TCacheInfo ci;
  ci.Bmp = View32(Bitmap);
  ci.Ready = true;
  return ci;
}

void PaintElement(fw::TBitmap& Target, const TkcConstElementData& e, int State, const TCacheInfo& ci,
                  fw::TPoint Offset, TkLoadedSkin& Skin) {
  PaintSectionRectWithBorder(View32(Target), Skin, e.SkinIndex, e.MaskIndex, e.BGIndex[State > 0 ? 1 : 0], ci,
                             State, fw::Rect(0, 0, Target.Width(), Target.Height()), Offset);
}

void CopyInto(fw::TBitmap& Bitmap, fw::TBitmap& Piece, int X, int Y) {
  const TPixelView32 d = View32(Bitmap), s = View32(Piece);
  for (int y = 0; y < s.Height; ++y) {
    if (Y + y < 0 || Y + y >= d.Height) continue;
    for (int x = 0; x < s.Width; ++x)
      if (X + x >= 0 && X + x < d.Width) d.Row(Y + y)[X + x] = s.Row(y)[x];
  }
}

}  // namespace

fw::TRect ArrowButtonRect(fw::TRect R, TkLoadedSkin& Skin, int Side) {
  if (Side < 0 || Side > 3) return R;
  const TkcConstElementData& e = Skin.ConstData.ScrollBtns[size_t(Side)];
  if (!Skin.IsValidSkinIndex(e.SkinIndex) || !Skin.gd[size_t(e.SkinIndex)].ReservedBoolean ||
      !Skin.IsValidImgIndex(e.MaskIndex))
    return R;
  const TkMaskData& m = Skin.ma[size_t(e.MaskIndex)];
  switch (Side) {
    case asLeft: R.Right += MaskFrameWidth(m) - 17; break;
    case asTop: R.Bottom += MaskFrameHeight(m) - 17; break;
    case asRight: R.Left += 17 - MaskFrameWidth(m); break;
    default: R.Top += 17 - MaskFrameHeight(m); break;
  }
  return R;
}

void DrawCenteredGlyph(fw::TBitmap& Bitmap, int GlyphIndex, int State, const fw::TRect& R, TkLoadedSkin& Skin) {
  if (!Skin.IsValidImgIndex(GlyphIndex)) return;
  const TkMaskData& m = Skin.ma[size_t(GlyphIndex)];
  const int w = MaskFrameWidth(m), h = MaskFrameHeight(m);
  if (w <= 0 || h <= 0) return;
  const fw::TPoint p{R.Left + (R.Width() - w) / 2, R.Top + (R.Height() - h) / 2};
  DrawMaskGlyph(View32(Bitmap), p, State, gmNormal, m, BitmapBehind(Bitmap), MaskSourceView(Skin, m));
}

void PaintScrollArrow(const fw::TRect& R, int State, fw::TBitmap& Bitmap, int Side, TkLoadedSkin& Skin,
                      bool ShiftContentOnClick) {
  if (R.Width() <= 0 || R.Height() <= 0 || Side < 0 || Side > 3) return;
  const TkcConstElementData& e = Skin.ConstData.ScrollBtns[size_t(Side)];
  const fw::TRect pr = ArrowButtonRect(R, Skin, Side);
  if (pr.Width() <= 0 || pr.Height() <= 0) return;
  auto piece = NewBitmap32(pr.Width(), pr.Height());
  PaintElement(*piece, e, State, BitmapBehind(Bitmap), {pr.Left, pr.Top}, Skin);
  const fw::TRect local = fw::Rect(0, 0, pr.Width(), pr.Height());
  if (Skin.IsValidImgIndex(e.GlyphIndex)) {
    DrawCenteredGlyph(*piece, e.GlyphIndex, State, local, Skin);
  } else if (Skin.IsValidSkinIndex(e.SkinIndex)) {
    const TkGeneralData& g = Skin.gd[size_t(e.SkinIndex)];
    const int s = std::max(0, std::min(State, g.States - 1));
    fw::TRect mark = local;
    if (State > 1 && ShiftContentOnClick) {
      mark.Left += 1;
      mark.Top += 1;
      mark.Right += 1;
      mark.Bottom += 1;
    }
    DrawArrowMark(*piece->Canvas(), g.Props[size_t(std::min(s, 1))].FontColor.Color, mark, Side);
  }
  GdiFlush();
  CopyInto(Bitmap, *piece, pr.Left, pr.Top);
}

void PaintScrollThumb(const fw::TRect& R, int State, fw::TBitmap& Bitmap, bool Vertical, TkLoadedSkin& Skin) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  const TkcConstElementData& e = Skin.ConstData.Sliders[Vertical ? 1 : 0];
  auto piece = NewBitmap32(R.Width(), R.Height());
  PaintElement(*piece, e, State, BitmapBehind(Bitmap), {R.Left, R.Top}, Skin);
  DrawCenteredGlyph(*piece, e.GlyphIndex, State, fw::Rect(0, 0, R.Width(), R.Height()), Skin);
  CopyInto(Bitmap, *piece, R.Left, R.Top);
}

bool PaintScrollBarImage(fw::TBitmap& Bitmap, TkLoadedSkin& Skin, const TkBarPicture& P, const TCacheInfo& Background,
                         fw::TPoint Offset, bool ShiftContentOnClick) {
  const TConstantSkinData& c = Skin.ConstData;
  const TkcConstElementData& first = c.Scrolls[P.Vertical ? asTop : asLeft];
  const TkcConstElementData& second = c.Scrolls[P.Vertical ? asBottom : asRight];
  if (!Skin.IsValidSkinIndex(first.SkinIndex)) return false;
  const int W = Bitmap.Width(), H = Bitmap.Height();
  const int L = P.Vertical ? H : W;
  auto along = [&](int from, int to) {
    return P.Vertical ? fw::Rect(0, from, W, to) : fw::Rect(from, 0, to, H);
  };
  const int split = std::max(0, std::min(P.Split, L));
  // Each piece is a whole section with its own border, painted on its own
  // and moved in place.
  if (split < L) {
    const fw::TRect r = along(split, L);
    auto piece = NewBitmap32(r.Width(), r.Height());
    const int idx = Skin.IsValidSkinIndex(second.SkinIndex) ? second.SkinIndex : first.SkinIndex;
    const TkcConstElementData& e = idx == second.SkinIndex ? second : first;
    PaintSectionRectWithBorder(View32(*piece), Skin, idx, e.MaskIndex, e.BGIndex[P.Track2State > 0 ? 1 : 0],
                               Background, P.Track2State, fw::Rect(0, 0, r.Width(), r.Height()),
                               {Offset.x + r.Left, Offset.y + r.Top});
    CopyInto(Bitmap, *piece, r.Left, r.Top);
  }
  if (split > 0) {
    const fw::TRect r = along(0, split);
    auto piece = NewBitmap32(r.Width(), r.Height());
    PaintSectionRectWithBorder(View32(*piece), Skin, first.SkinIndex, first.MaskIndex,
                               first.BGIndex[P.Track1State > 0 ? 1 : 0], Background, P.Track1State,
                               fw::Rect(0, 0, r.Width(), r.Height()), Offset);
    CopyInto(Bitmap, *piece, 0, 0);
  }
  if (P.Arrow > 0) {
    // A bar shorter than two arrows is shared by them half and half.
    const bool room = 2 * P.Arrow < L;
    PaintScrollArrow(along(0, room ? P.Arrow : L / 2), P.Arrow1State, Bitmap, P.Vertical ? asTop : asLeft, Skin,
                     ShiftContentOnClick);
    PaintScrollArrow(along(room ? L - P.Arrow : L / 2, L), P.Arrow2State, Bitmap, P.Vertical ? asBottom : asRight,
                     Skin, ShiftContentOnClick);
  }
  if (P.ShowThumb && P.ThumbLength > 0)
    PaintScrollThumb(along(P.ThumbPos, P.ThumbPos + P.ThumbLength), P.ThumbState, Bitmap, P.Vertical, Skin);
  return true;
}

}  // namespace skin
