#include "services/core/argb_blend.h"

namespace services {

namespace {

TColor32 AlphaOf(TColor32 C) { return C >> 24; }

}  // namespace

TColor32 Combine(TColor32 X, TColor32 Y, TColor32 W) {
  if (W == 0) return Y;
  if (W >= 255) return X;
  // Two lanes per multiplication: the even bytes, then the odd ones.
  const TColor32 v = 255 - W;
  const TColor32 xEven = (((X & 0x00FF00FF) * W + 0x00800080) >> 8) & 0x00FF00FF;
  const TColor32 xOdd = ((((X & 0xFF00FF00) >> 8) * W + 0x00800080)) & 0xFF00FF00;
  const TColor32 yEven = (((Y & 0x00FF00FF) * v + 0x00800080) >> 8) & 0x00FF00FF;
  const TColor32 yOdd = ((((Y & 0xFF00FF00) >> 8) * v + 0x00800080)) & 0xFF00FF00;
  return (xEven + yEven) | (xOdd + yOdd);
}

void CombineInPlace(TColor32 F, TColor32& B, TColor32 W) { B = Combine(F, B, W); }

TColor32 Blend(TColor32 F, TColor32 B) { return Combine(F, B, AlphaOf(F)); }

void BlendInPlace(TColor32 F, TColor32& B) { B = Blend(F, B); }

TColor32 BlendMasked(TColor32 F, TColor32 B, TColor32 M) { return Combine(F, B, (AlphaOf(F) * (M & 0xFF)) >> 8); }

void BlendMaskedInPlace(TColor32 F, TColor32& B, TColor32 M) { B = BlendMasked(F, B, M); }

void BlendLine(const TColor32* Src, TColor32* Dst, int Count) {
  for (int i = 0; i < Count; ++i) {
    const TColor32 a = AlphaOf(Src[i]);
    if (a == 0) continue;
    Dst[i] = a == 255 ? Src[i] : Combine(Src[i], Dst[i], a);
  }
}

void BlendLineMasked(const TColor32* Src, TColor32* Dst, int Count, TColor32 M) {
  for (int i = 0; i < Count; ++i) BlendMaskedInPlace(Src[i], Dst[i], M);
}

bool BlendUsesMMX() { return false; }

bool RectWithinRect(const fw::TRect& R1, const fw::TRect& R2) {
  return R1.Left >= R2.Left && R1.Top >= R2.Top && R1.Right <= R2.Right && R1.Bottom <= R2.Bottom;
}

}  // namespace services
