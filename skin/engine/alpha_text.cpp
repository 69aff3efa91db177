#include "skin/engine/alpha_text.h"

#include "fw/graphics/gdi_handles.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/skin_messages.h"

namespace skin {

double DisabledBlendRatio = 0.4;
int DisabledSaturation = -90;

void DrawTextAlpha(fw::TBitmap& bitmap, const fw::String& text, fw::TColor color, UINT flags, const fw::TRect& r) {
  const int w = std::max(0, r.Right - r.Left), h = std::max(0, r.Bottom - r.Top);
  TPixelView32 dest = View32(bitmap);
  if (dest.Empty() || w == 0 || h == 0) return;
  // The coverage: black text on white in the destination's font. GDI leaves
  // alpha 0, so untouched pixels read exactly 0x00FFFFFF.
  auto coverage = NewBitmap32(w, h);
  HDC dc = coverage->Canvas()->Handle();
  {
    fw::TSavedDC saved(dc);
    RECT rc{0, 0, w, h};
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    fw::TSelectObject font(dc, bitmap.Canvas()->Font()->Handle());
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, W(text), static_cast<int>(text.size()), &rc, flags);
  }
  GdiFlush();
  BlendTextCoverage(dest, r.Left, r.Top, View32(*coverage), static_cast<uint32_t>(color));
}

void DrawSectionTextAlpha(fw::TBitmap& bitmap, const fw::String& text, bool contour, const fw::TRect& r, UINT flags,
                          const TkFontColor* state) {
  if (text.empty() || r.Right <= r.Left || r.Bottom <= r.Top) return;
  if (!state) {
    DrawTextAlpha(bitmap, text, bitmap.Canvas()->Font()->Color(), flags, r);
    return;
  }
  if (contour) {
    const struct {
      fw::TColor color;
      int dx, dy;
    } sides[] = {{state->Left, -1, 0}, {state->Top, 0, -1}, {state->Right, 1, 0}, {state->Bottom, 0, 1}};
    for (const auto& s : sides)
      if (s.color != -1)
        DrawTextAlpha(bitmap, text, s.color, flags, {r.Left + s.dx, r.Top + s.dy, r.Right + s.dx, r.Bottom + s.dy});
  }
  DrawTextAlpha(bitmap, text, state->Color, flags, r);
}

void DrawSectionTextAlpha(fw::TBitmap& bitmap, const fw::String& text, bool contour, const fw::TRect& r, UINT flags,
                          int skinIndex, bool hot, const TkLoadedSkin* skin) {
  const TkFontColor* state = nullptr;
  if (skin && skin->IsValidSkinIndex(skinIndex)) {
    const TkGeneralData& section = skin->gd[static_cast<size_t>(skinIndex)];
    state = &section.Props[hot && section.States > 0 ? 1 : 0].FontColor;
  }
  DrawSectionTextAlpha(bitmap, text, contour, r, flags, state);
}

void PaintDisabledLook(fw::TBitmap& bitmap, TkDisabledKind kind, fw::TControl* control, fw::TPoint offset,
                       const TCacheInfo& ci) {
  TPixelView32 v = View32(bitmap);
  if (v.Empty()) return;
  if (kind.Contains(dkGrayed)) {
    if (DisabledSaturation == -100) GreyBitmap(v);
    else ApplyToPixels(v, PixelSaturation, DisabledSaturation, clSkinKey);
  }
  if (!kind.Contains(dkBlended)) return;
  if (ci.Ready && !ci.Bmp.Empty()) {
    const int sx = ci.X + offset.x, sy = ci.Y + offset.y;
    BlendBitmapRectKeyed(v, 0, 0, ci.Bmp, {sx, sy, sx + v.Width - 1, sy + v.Height - 1}, DisabledBlendRatio,
                         clSkinKey);
    return;
  }
  fw::TColor color = static_cast<fw::TColor>(ci.FillColor);
  if (ci.FillColor == clSkinKey) color = ControlSkinBgColor(control);
  // Percent is Trunc(ratio * 100); a setting outside 0..1 is held to 0..100.
  const int percent = std::clamp(static_cast<int>(DisabledBlendRatio * 100), 0, 100);
  BlendRectToColor(v, {0, 0, v.Width, v.Height}, static_cast<uint8_t>(percent),
                   static_cast<uint32_t>(fw::ColorToRGB(color)));
}

}  // namespace skin
