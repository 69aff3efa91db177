#include "skin/engine/text_out.h"

#include <algorithm>

#include "fw/graphics/gdi_handles.h"
#include "skin/engine/alpha_text.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/bitmap_effects.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/core/text_layout.h"

namespace skin {

namespace {

RECT ToRECT(const fw::TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
fw::TRect Moved(const fw::TRect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

// The canvas's DC with its font selected while the holder lives.
class TCanvasText {
 public:
  explicit TCanvasText(fw::TCanvas& canvas)
      : dc_(canvas.Handle()), font_(dc_, canvas.Font()->Handle()) {}
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  fw::TSelectObject font_;
};

void WriteAt(HDC dc, const fw::String& text, const fw::TRect& r, UINT format, fw::TColor color) {
  SetTextColor(dc, static_cast<COLORREF>(fw::ColorToRGB(color)));
  RECT rc = ToRECT(r);
  DrawTextW(dc, W(text), static_cast<int>(text.size()), &rc, format);
}

// Contours (left, top, right, bottom, each skipped when -1) then the text.
void WriteWithContours(HDC dc, const fw::String& text, const fw::TRect& r, UINT format, const TkFontColor& c,
                       const std::function<fw::TColor(fw::TColor)>& adjust, UINT textFormat) {
  const struct {
    fw::TColor color;
    int dx, dy;
  } sides[] = {{c.Left, -1, 0}, {c.Top, 0, -1}, {c.Right, 1, 0}, {c.Bottom, 0, 1}};
  for (const auto& s : sides)
    if (s.color != -1) WriteAt(dc, text, Moved(r, s.dx, s.dy), format, adjust ? adjust(s.color) : s.color);
  WriteAt(dc, text, r, textFormat, adjust ? adjust(c.Color) : c.Color);
}

}  // namespace

int DrawTextOnDC(HDC dc, const fw::String& text, fw::TRect& r, UINT format) {
  RECT rc = ToRECT(r);
  const int h = DrawTextW(dc, W(text), static_cast<int>(text.size()), &rc, format);
  r = fw::Rect(rc.left, rc.top, rc.right, rc.bottom);
  return h;
}

int DrawTextOnCanvas(fw::TCanvas& canvas, const fw::String& text, UINT format, fw::TRect& r) {
  TCanvasText t(canvas);
  return DrawTextOnDC(t.dc(), text, r, format);
}

int CanvasTextWidth(fw::TCanvas& canvas, const fw::String& text) { return canvas.TextWidth(text); }

fw::TPoint CanvasTextSize(fw::TCanvas& canvas, const fw::String& text) {
  const fw::TSize s = canvas.TextExtent(text);
  return {s.cx, s.cy};
}

void CanvasTextRect(fw::TCanvas& canvas, const fw::TRect& r, int x, int y, const fw::String& text) {
  canvas.TextRect(r, x, y, text);
}

fw::TPoint DCTextSize(HDC dc, const fw::String& text) {
  SIZE s{};
  if (!GetTextExtentPoint32W(dc, W(text), static_cast<int>(text.size()), &s)) return {};
  return {s.cx, s.cy};
}

fw::String CutTextToWidth(fw::TCanvas& canvas, const fw::String& text, int width) {
  return CutTextToWidth(text, width, [&](fw::StringView s) { return canvas.TextWidth(fw::String(s)); });
}

void DrawTextGlow(fw::TBitmap& bitmap, const fw::String& text, const fw::TRect& r, UINT format, int contour,
                  int glowSize, fw::TColor glowColor, std::unique_ptr<fw::TBitmap>& mask) {
  const TPixelView32 dest = View32(bitmap);
  if (dest.Empty() || text.empty()) return;
  const fw::TRect r1 = Moved(r, 1, 1);
  const int d = glowSize + 4;
  const int mw = r1.Width() + 2 * d, mh = r1.Height() + 2 * d;
  if (mw <= 0 || mh <= 0) return;
  if (!mask || mask->Width() != mw || mask->Height() != mh || mask->PixelFormat() != fw::pf8bit) {
    if (!mask) mask = std::make_unique<fw::TBitmap>();
    mask->SetPixelFormat(fw::pf8bit);
    std::vector<RGBQUAD> grey(256);
    for (int i = 0; i < 256; ++i) grey[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
    mask->SetColorTable(grey);
    mask->SetSize(mw, mh);
    const HDC dc = mask->Canvas()->Handle();
    {
      fw::TSavedDC saved(dc);
      RECT all{0, 0, mw, mh};
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      fw::TSelectObject font(dc, bitmap.Canvas()->Font()->Handle());
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkMode(dc, TRANSPARENT);
      const fw::TRect place = fw::Rect(d, d, d + r1.Width(), d + r1.Height());
      const struct {
        int flag, dx, dy;
      } shifts[] = {{gcLeft, -1, 0}, {gcTop, 0, -1}, {gcRight, 1, 0}, {gcBottom, 0, 1}};
      for (const auto& s : shifts)
        if (contour & s.flag) {
          RECT rc = ToRECT(Moved(place, s.dx, s.dy));
          DrawTextW(dc, W(text), static_cast<int>(text.size()), &rc, format);
        }
      RECT rc = ToRECT(place);
      DrawTextW(dc, W(text), static_cast<int>(text.size()), &rc, format);
    }
    GdiFlush();
    BlurMask8(*mask, glowSize);
  }
  GdiFlush();
  ApplyGlowMask(dest, View8(*mask), {r1.Left - d, r1.Top - d}, static_cast<uint32_t>(fw::ColorToRGB(glowColor)));
}

void DrawSectionText(fw::TCanvas& canvas, const fw::String& text, bool enabled, const fw::TRect& r, UINT format,
                     int skinIndex, int stateIndex, const TkLoadedSkin* skin) {
  if (text.empty()) return;
  const bool skinned = skin && skin->IsValidSkinIndex(skinIndex);
  const TkGeneralData* section = skinned ? &skin->gd[static_cast<size_t>(skinIndex)] : nullptr;
  if (section && !enabled) {
    const TkGenState& normal = section->Props[0];
    canvas.Font()->SetColor(static_cast<fw::TColor>(
        MixColors(static_cast<uint32_t>(fw::ColorToRGB(normal.FontColor.Color)),
                  static_cast<uint32_t>(fw::ColorToRGB(normal.Color)), DisabledBlendRatio)));
  }
  TCanvasText t(canvas);
  const HDC dc = t.dc();
  SetBkMode(dc, TRANSPARENT);
  if (!section || !enabled) {
    WriteAt(dc, text, r, format, canvas.Font()->Color());
    return;
  }
  WriteWithContours(dc, text, r, format, section->Props[std::clamp(stateIndex, 0, 1)].FontColor, {}, format);
}

void DrawControlText(fw::TCanvas& canvas, const fw::String& text, bool enabled, const fw::TRect& r, UINT format,
                     const TControlTextSource& s, int stateIndex) {
  if (text.empty()) return;
  const TkLoadedSkin* skin = s.Skin;
  const int state = std::clamp(stateIndex, 0, 1);
  if (state == 1 && skin && s.Skinned && s.SkinIndex >= 0 && s.SkinIndex == skin->ConstData.Sections[ssWebBtn]) {
    fw::TFontStyles style = canvas.Font()->Style();
    style.Include(fw::fsUnderline);
    canvas.Font()->SetStyle(style);
  }
  TCanvasText t(canvas);
  const HDC dc = t.dc();
  fw::TSavedDC saved(dc);
  IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  SetBkMode(dc, TRANSPARENT);
  const int colorIndex = s.ColorSkinIndex >= 0 ? s.ColorSkinIndex : s.SkinIndex;
  if (!s.Skinned || s.CustomFont || !skin || !skin->IsValidSkinIndex(colorIndex)) {
    if (enabled || (s.Skinned && !s.CustomFont)) {
      WriteAt(dc, text, r, format, canvas.Font()->Color());
    } else {
      WriteAt(dc, text, Moved(r, 1, 1), format, fw::clBtnHighlight);
      WriteAt(dc, text, r, format, fw::clBtnShadow);
    }
    return;
  }
  const TkGenState& st = skin->gd[static_cast<size_t>(colorIndex)].Props[state];
  const auto adjust = [&](fw::TColor c) { return s.Adjust ? s.Adjust(c) : c; };
  if (s.Cache && st.GlowSize != 0) {
    std::unique_ptr<fw::TBitmap> mask;
    if (s.Cache->Canvas() != &canvas) s.Cache->Canvas()->Font()->Assign(canvas.Font());
    DrawTextGlow(*s.Cache, text, r, format, gcAll, st.GlowSize, adjust(st.GlowColor), mask);
  }
  if (!enabled) {
    WriteAt(dc, text, r, format, adjust(st.FontColor.Color));
    return;
  }
  WriteWithContours(dc, text, r, format, st.FontColor, adjust, format | DT_NOCLIP);
}

fw::TPoint MeasureTextWithFont(HFONT font, const fw::String& text, UINT format, bool wordWrap, int width) {
  fw::TWindowDC screen;
  fw::TSelectObject selected(screen.Get(), font);
  if (wordWrap) {
    RECT rc{0, 0, width, 0};
    DrawTextW(screen.Get(), W(text), static_cast<int>(text.size()), &rc, format | DT_CALCRECT);
    return {rc.right - rc.left, rc.bottom - rc.top};
  }
  return DCTextSize(screen.Get(), text);
}

}  // namespace skin
