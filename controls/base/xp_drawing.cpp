#include "controls/base/xp_drawing.h"

#include <chrono>
#include <cstring>
#include <random>
#include <vector>

#include "fw/core/mathutils.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

namespace {

struct Rgb {
  uint8_t R, G, B;
};

Rgb ToRgb(TColor c) {
  TColor v = ColorToRGB(c);
  return {static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF), static_cast<uint8_t>((v >> 16) & 0xFF)};
}

std::mt19937& DitherGenerator() {
  static std::mt19937 gen(static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  return gen;
}

// Pixel access of a 24-bit bitmap, row by row.
inline uint8_t* Pixel24(TBitmap* b, int x, int y) { return static_cast<uint8_t*>(b->ScanLine(y)) + 3 * x; }

inline void Put(uint8_t* p, const Rgb& c) {
  p[0] = c.B;
  p[1] = c.G;
  p[2] = c.R;
}

// The text flags mirrored for a control that reads right to left.
UINT BiDiFlags(TControl* Control, UINT Flags) {
  if (!Control || !Control->IsRightToLeft()) return Flags;
  Flags |= DT_RTLREADING;
  if (Flags & DT_RIGHT) Flags &= ~static_cast<UINT>(DT_RIGHT);
  else if (!(Flags & DT_CENTER)) Flags |= DT_RIGHT;
  return Flags;
}

}  // namespace

void SeedDitherRandom(uint32_t Seed) { DitherGenerator().seed(Seed); }

int DitherRandom(int Range) {
  if (Range < 1) return 0;
  return static_cast<int>(DitherGenerator()() % static_cast<uint32_t>(Range));
}

void BuildDitheredGradient(int AWidth, int AHeight, TColor StartColor, TColor EndColor, uint8_t Colors, int Style,
                           bool Dithered, TBitmap* Bitmap) {
  if (AWidth < 1 || AHeight < 1 || !Bitmap) return;
  Bitmap->SetPixelFormat(pf24bit);
  Bitmap->SetSize(AWidth, AHeight);
  const int n = Colors;
  Rgb from = ToRgb(Style > 1 ? EndColor : StartColor);
  Rgb to = ToRgb(Style > 1 ? StartColor : EndColor);
  std::vector<Rgb> table(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    // One colour has no step to take: it is the from-colour.
    auto step = [&](int f, int t) {
      if (n < 2) return static_cast<uint8_t>(f);
      return static_cast<uint8_t>(f + fw::Round(static_cast<double>(i) * (t - f) / (n - 1)));
    };
    table[static_cast<size_t>(i)] = {step(from.R, to.R), step(from.G, to.G), step(from.B, to.B)};
  }
  Rgb start = ToRgb(StartColor);
  for (int y = 0; y < AHeight; ++y)
    for (int x = 0; x < AWidth; ++x) Put(Pixel24(Bitmap, x, y), start);

  const bool horizontal = Style == gsLeftToRight || Style == gsLeftToRightSwapped;
  const int extent = horizontal ? AWidth : AHeight;
  for (int i = 0; i < n; ++i) {
    int a = fw::MulDiv(i, extent, n), b = fw::MulDiv(i + 1, extent, n);
    const Rgb& c = table[static_cast<size_t>(i)];
    for (int k = a; k < b && k < extent; ++k) {
      if (horizontal)
        for (int y = 0; y < AHeight; ++y) Put(Pixel24(Bitmap, k, y), c);
      else
        for (int x = 0; x < AWidth; ++x) Put(Pixel24(Bitmap, x, k), c);
    }
  }
  // With fewer than two bands there is no band edge to dither.
  if (!Dithered || n < 2) return;
  const int tries = extent / (n - 1);
  for (int i = 1; i < n; ++i) {
    int first = fw::MulDiv(i, extent, n);
    const Rgb& prev = table[static_cast<size_t>(i - 1)];
    if (horizontal) {
      // A 16-row pattern: in each row, a few columns at the band's start.
      for (int row = 0; row < 16 && row < AHeight; ++row) {
        for (int j = 0; j <= tries; ++j) {
          int x = first + DitherRandom(j);
          if (x < extent) Put(Pixel24(Bitmap, x, row), prev);
        }
      }
    } else {
      // A 16-column pattern: a few rows at the band's start.
      for (int j = 0; j <= tries; ++j) {
        int y = first + DitherRandom(j);
        if (y >= extent) continue;
        for (int x = 0; x < 16 && x < AWidth; ++x) Put(Pixel24(Bitmap, x, y), prev);
      }
    }
  }
  if (horizontal) {
    // Rows 0..15 repeat down the bitmap.
    const size_t bytes = 3 * static_cast<size_t>(AWidth);
    for (int y = 16; y < AHeight; ++y) std::memcpy(Pixel24(Bitmap, 0, y), Pixel24(Bitmap, 0, y % 16), bytes);
  } else {
    // Columns 0..15 repeat across the bitmap.
    for (int y = 0; y < AHeight; ++y)
      for (int x = 16; x < AWidth; ++x) std::memcpy(Pixel24(Bitmap, x, y), Pixel24(Bitmap, x % 16, y), 3);
  }
}

void StrokeLine(TCanvas* ACanvas, int X1, int Y1, int X2, int Y2) {
  ACanvas->MoveTo(X1, Y1);
  ACanvas->LineTo(X2, Y2);
}

void ShrinkForBoundLines(int BorderWidth, bool ShowBoundLines, TCkXPBoundLines BoundLines, TRect& ARect) {
  ARect.Left += BorderWidth;
  ARect.Top += BorderWidth;
  ARect.Right -= BorderWidth;
  ARect.Bottom -= BorderWidth;
  if (!ShowBoundLines) return;
  if (BoundLines.Contains(blLeft)) ++ARect.Left;
  if (BoundLines.Contains(blTop)) ++ARect.Top;
  if (BoundLines.Contains(blRight)) --ARect.Right;
  if (BoundLines.Contains(blBottom)) --ARect.Bottom;
}

void PaintBoundLines(TCanvas* ACanvas, TCkXPBoundLines BoundLines, TColor AColor, const TRect& ARect) {
  ACanvas->Pen()->SetStyle(psSolid);
  ACanvas->Pen()->SetColor(AColor);
  const TRect& r = ARect;
  if (BoundLines.Contains(blLeft)) StrokeLine(ACanvas, r.Left, r.Top, r.Left, r.Bottom - 1);
  if (BoundLines.Contains(blTop)) StrokeLine(ACanvas, r.Left, r.Top, r.Right, r.Top);
  if (BoundLines.Contains(blRight)) StrokeLine(ACanvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
  if (BoundLines.Contains(blBottom)) StrokeLine(ACanvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
}

void LightenToGray(TBitmap* ABitmap) {
  if (!ABitmap || ABitmap->Empty()) return;
  ABitmap->SetPixelFormat(pf24bit);
  for (int y = 0; y < ABitmap->Height(); ++y) {
    for (int x = 0; x < ABitmap->Width(); ++x) {
      uint8_t* p = Pixel24(ABitmap, x, y);
      int g = (p[0] + p[1] + p[2]) / 3;
      g = g < 156 ? g + 100 : 255;
      p[0] = p[1] = p[2] = static_cast<uint8_t>(g);
    }
  }
  ABitmap->SetModified(true);
}

void TintBlackPixels(TBitmap* ABitmap, TColor AColor) {
  if (!ABitmap || ABitmap->Empty()) return;
  ABitmap->SetPixelFormat(pf24bit);
  Rgb c = ToRgb(AColor);
  for (int y = 0; y < ABitmap->Height(); ++y) {
    for (int x = 0; x < ABitmap->Width(); ++x) {
      uint8_t* p = Pixel24(ABitmap, x, y);
      if (p[0] == 0 && p[1] == 0 && p[2] == 0) Put(p, c);
    }
  }
  ABitmap->SetModified(true);
}

void PaintFlatFrame(TCanvas* ACanvas, const TRect& ARect, TColor TopColor, TColor BottomColor, bool Swapped) {
  if (Swapped) std::swap(TopColor, BottomColor);
  const TRect& r = ARect;
  ACanvas->Pen()->SetStyle(psSolid);
  ACanvas->Pen()->SetColor(TopColor);
  ACanvas->Polyline({{r.Left, r.Bottom - 1}, {r.Left, r.Top}, {r.Right - 1, r.Top}});
  ACanvas->Pen()->SetColor(BottomColor);
  ACanvas->Polyline({{r.Right - 1, r.Top + 1}, {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1}});
}

UINT CaptionTextFlags(fw::TAlignment Alignment, bool WordWrap) {
  UINT flags = DT_END_ELLIPSIS;
  if (Alignment == fw::taRightJustify) flags |= DT_RIGHT;
  else if (Alignment == fw::taCenter) flags |= DT_CENTER;
  flags |= WordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  return flags;
}

void PaintCaptionText(TControl* AControl, TCanvas* ACanvas, const String& ACaption, TFont* AFont, bool AEnabled,
                      bool AShowAccelChar, TRect& ARect, UINT AFlags) {
  String text = ACaption;
  // A lone "&" shows nothing; a blank keeps the measured rectangle one line
  // high.
  if (((AFlags & DT_CALCRECT) && text.empty()) || (AShowAccelChar && text == u"&")) text += u" ";
  if (!AShowAccelChar) AFlags |= DT_NOPREFIX;
  AFlags = BiDiFlags(AControl, AFlags);
  ACanvas->SetFont(AFont);
  if (AEnabled) {
    services::DrawTextUnmodified(ACanvas, text, -1, ARect, AFlags);
    return;
  }
  ARect = Rect(ARect.Left + 1, ARect.Top + 1, ARect.Right + 1, ARect.Bottom + 1);
  ACanvas->Font()->SetColor(clBtnHighlight);
  services::DrawTextUnmodified(ACanvas, text, -1, ARect, AFlags);
  ARect = Rect(ARect.Left - 1, ARect.Top - 1, ARect.Right - 1, ARect.Bottom - 1);
  ACanvas->Font()->SetColor(clBtnShadow);
  services::DrawTextUnmodified(ACanvas, text, -1, ARect, AFlags);
}

void PlaceCaptionText(TControl* AControl, TCanvas* ACanvas, const String& AText, TFont* AFont, bool AEnabled,
                      bool AShowAccelChar, fw::TAlignment AAlignment, bool AWordWrap, TRect& ARect) {
  const int w0 = ARect.Width(), h0 = ARect.Height();
  UINT flags = CaptionTextFlags(AAlignment, AWordWrap);
  PaintCaptionText(AControl, ACanvas, AText, AFont, AEnabled, AShowAccelChar, ARect, flags | DT_CALCRECT);
  int dx = 0;
  if (AAlignment == fw::taRightJustify) dx = w0 - ARect.Width();
  else if (AAlignment == fw::taCenter) dx = (w0 - ARect.Width()) / 2;
  int dy = (h0 - ARect.Height()) / 2;
  ARect = Rect(ARect.Left + dx, ARect.Top + dy, ARect.Right + dx, ARect.Bottom + dy);
  PaintCaptionText(AControl, ACanvas, AText, AFont, AEnabled, AShowAccelChar, ARect, flags);
}

}  // namespace ck
