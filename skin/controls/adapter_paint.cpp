#include "skin/controls/adapter_paint.h"

#include <algorithm>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/bitmap_blend.h"

namespace skin {

void FillFromBackground(const TPixelView32& Dest, const fw::TRect& R, const TCacheInfo& CI) {
  const int l = std::max(R.Left, 0), t = std::max(R.Top, 0);
  const int r = std::min(R.Right, Dest.Width), b = std::min(R.Bottom, Dest.Height);
  const uint32_t fill = ColorToPixel(CI.FillColor & 0xFFFFFF, 255);
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) {
      const int sx = CI.X + x, sy = CI.Y + y;
      if (CI.Ready && sx >= 0 && sy >= 0 && sx < CI.Bmp.Width && sy < CI.Bmp.Height)
        Dest.Pixel(x, y) = CI.Bmp.Pixel(sx, sy) | 0xFF000000u;
      else
        Dest.Pixel(x, y) = fill;
    }
}

int SectionIndexOr(const TkLoadedSkin& Skin, const fw::String& Name, const fw::String& Fallback) {
  const int i = Skin.GetSkinIndex(Name);
  return i >= 0 || Fallback.empty() ? i : Skin.GetSkinIndex(Fallback);
}

void PaintSection(const TPixelView32& Dest, TkLoadedSkin& Skin, int SkinIndex, int State, const fw::TRect& R,
                  const TCacheInfo& CI, fw::TPoint Offset) {
  if (!Skin.IsValidSkinIndex(SkinIndex) || R.Width() <= 0 || R.Height() <= 0) return;
  TSectionPaint p;
  p.SkinIndex = SkinIndex;
  p.SectionName = Skin.gd[size_t(SkinIndex)].ClassName;
  p.CI = CI;
  p.State = std::clamp(State, 0, std::max(Skin.gd[size_t(SkinIndex)].States - 1, 0));
  p.R = R;
  p.Offset = Offset;
  PaintSectionRect(Dest, Skin, p);
}

fw::TColor StateFontColor(const TkLoadedSkin& Skin, int SkinIndex, int State, fw::TColor Default) {
  if (!Skin.IsValidSkinIndex(SkinIndex)) return Default;
  const TkGeneralData& g = Skin.gd[size_t(SkinIndex)];
  // States beyond the section's own use its last one (the record keeps two).
  const int row = std::clamp(std::min(State, g.States - 1), 0, 1);
  return g.Props[size_t(row)].FontColor.Color;
}

HFONT WindowFont(HWND Wnd) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(Wnd, WM_GETFONT, 0, 0));
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void AssignWindowFont(fw::TCanvas& Canvas, HWND Wnd, int Escapement, const fw::String& Face) {
  LOGFONTW lf{};
  if (!GetObjectW(WindowFont(Wnd), sizeof lf, &lf)) return;
  if (Escapement) {
    lf.lfEscapement = lf.lfOrientation = Escapement;
    lf.lfWeight = FW_NORMAL;
  }
  if (!Face.empty()) lstrcpynW(lf.lfFaceName, W(Face), LF_FACESIZE);
  if (HFONT copy = CreateFontIndirectW(&lf)) Canvas.Font()->SetHandle(copy);
}

void FadeDisabled(fw::TBitmap& Image, const TCacheInfo& CI) {
  const TPixelView32 v = View32(Image);
  if (v.Width <= 0) return;
  if (CI.Ready)
    BlendBitmapRectKeyed(v, 0, 0, CI.Bmp, fw::Rect(CI.X, CI.Y, CI.X + v.Width - 1, CI.Y + v.Height - 1), 0.4,
                         clSkinKey);
  else
    BlendBitmapToColor(v, CI.FillColor & 0xFFFFFF, 0.4);
}

void CopyToDC(HDC DC, int X, int Y, fw::TBitmap& Image) {
  GdiFlush();
  BitBlt(DC, X, Y, Image.Width(), Image.Height(), Image.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void CopyExceptChildWindows(HDC DC, HWND Wnd, fw::TBitmap& Image) {
  const int saved = SaveDC(DC);
  RECT origin{};
  GetWindowRect(Wnd, &origin);
  for (HWND c = GetWindow(Wnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    RECT r{};
    GetWindowRect(c, &r);
    ExcludeClipRect(DC, r.left - origin.left, r.top - origin.top, r.right - origin.left, r.bottom - origin.top);
  }
  CopyToDC(DC, 0, 0, Image);
  RestoreDC(DC, saved);
}

}  // namespace skin
