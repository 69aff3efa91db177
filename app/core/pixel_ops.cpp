#include "app/core/pixel_ops.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <numbers>

namespace app {

PixelBuffer::PixelBuffer(int width, int height, int bytesPerPixel, TColor fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), bpp_(bytesPerPixel) {
  stride_ = (static_cast<ptrdiff_t>(width_) * bpp_ + 3) & ~ptrdiff_t{3};
  bytes_.assign(static_cast<size_t>(stride_) * height_, 0);
  Fill(fill);
}

void PixelBuffer::Fill(TColor c) {
  PixelView v = View();
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) v.SetColor(x, y, c);
}

// --- rounding -----------------------------------------------------------

int RoundHalfEven(double v) {
  // nearbyint rounds by the current mode, which is to nearest, halves to
  // even, unless someone changed it; do it by hand to be independent of it.
  double f = std::floor(v);
  double d = v - f;
  if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0)) f += 1.0;
  return static_cast<int>(f);
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t p = static_cast<int64_t>(a) * b;
  int64_t q = p / c;
  int64_t r = p % c;
  if (2 * std::llabs(r) >= std::llabs(static_cast<int64_t>(c))) q += ((p < 0) != (c < 0)) ? -1 : 1;
  if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(q);
}

int ClampByte(int v) { return v > 255 ? 255 : (v < 0 ? 0 : v); }

int ClampInt(int v, int low, int high) {
  if (v > high) return high;
  if (v < low) return low;
  return v;
}

// --- colour conversions ---------------------------------------------------

TRGBTriple ColorToRGBTriple(TColor c) {
  TRGBTriple t;
  t.rgbtRed = static_cast<uint8_t>(c);
  t.rgbtGreen = static_cast<uint8_t>(c >> 8);
  t.rgbtBlue = static_cast<uint8_t>(c >> 16);
  return t;
}

TRGBTriple MakeRGBTriple(int red, int green, int blue) {
  TRGBTriple t;
  t.rgbtRed = static_cast<uint8_t>(red);
  t.rgbtGreen = static_cast<uint8_t>(green);
  t.rgbtBlue = static_cast<uint8_t>(blue);
  return t;
}

TRGBTriple HSVToRGBTriple(int hue, int saturation, int value) {
  const int v = value;
  if (saturation == 0) return MakeRGBTriple(ClampByte(v), ClampByte(v), ClampByte(v));
  if (hue == 360) hue = 0;
  const int f = hue % 60;
  const int sector = hue / 60;
  const int64_t sv = static_cast<int64_t>(saturation) * v;
  const int p = v - static_cast<int>(sv / 255);
  const int q = v - static_cast<int>(sv * f / 15300);
  const int t = v - static_cast<int>(sv * (60 - f) / 15300);
  int r = 0, g = 0, b = 0;
  switch (sector) {
    case 0: r = v; g = t; b = p; break;
    case 1: r = q; g = v; b = p; break;
    case 2: r = p; g = v; b = t; break;
    case 3: r = p; g = q; b = v; break;
    case 4: r = t; g = p; b = v; break;
    case 5: r = v; g = p; b = q; break;
    default: break;
  }
  // Inside the sliders' ranges every channel is 0..255 already; outside
  // them a channel is limited instead of wrapping around.
  return MakeRGBTriple(ClampByte(r), ClampByte(g), ClampByte(b));
}

THsv RGBToHSV(int rgb) {
  const int r = (rgb >> 16) & 0xFF;
  const int g = (rgb >> 8) & 0xFF;
  const int b = rgb & 0xFF;
  THsv hsv;
  const int v = std::max({r, g, b});
  const int delta = v - std::min({r, g, b});
  hsv.Value = v;
  hsv.Saturation = v == 0 ? 0 : MulDiv(delta, 255, v);
  if (hsv.Saturation == 0) return hsv;
  int h;
  if (r == v)
    h = MulDiv(g - b, 60, delta);
  else if (g == v)
    h = MulDiv(b - r, 60, delta) + 120;
  else
    h = MulDiv(r - g, 60, delta) + 240;
  if (h < 0) h += 360;
  hsv.Hue = h;
  return hsv;
}

// --- per-pixel colour operations ----------------------------------------

void SmoothRect(const PixelView& v, int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  x1 = std::max(x1, 1);
  y1 = std::max(y1, 1);
  x2 = std::min(x2, v.Width - 2);
  y2 = std::min(y2, v.Height - 2);
  if (v.Empty()) return;
  const int bpp = v.BytesPerPixel;
  for (int y = y1; y <= y2; ++y) {
    uint8_t* above = v.Row(y - 1);
    uint8_t* row = v.Row(y);
    uint8_t* below = v.Row(y + 1);
    for (int x = x1; x <= x2; ++x) {
      const ptrdiff_t o = static_cast<ptrdiff_t>(x) * bpp;
      for (int c = 0; c < 3; ++c)
        row[o + c] = static_cast<uint8_t>(
            (above[o + c] + below[o + c] + row[o - bpp + c] + row[o + bpp + c]) >> 2);
    }
  }
}

void SmoothImage(const PixelView& v) { SmoothRect(v, 0, 0, v.Width, v.Height); }

void AdjustContrast(const PixelView& v, int amount) {
  if (v.Empty()) return;
  for (int y = 0; y < v.Height; ++y) {
    uint8_t* row = v.Row(y);
    for (int x = 0; x < v.Width; ++x) {
      uint8_t* p = row + static_cast<ptrdiff_t>(x) * v.BytesPerPixel;
      for (int c = 0; c < 3; ++c) {
        const int ch = p[c];
        const int f = std::abs(127 - ch) * amount / 255;
        p[c] = static_cast<uint8_t>(ClampByte(ch > 127 ? ch + f : ch - f));
      }
    }
  }
}

void AdjustBrightness(const PixelView& src, const PixelView& dst, int amount) {
  const int w = std::min(src.Width, dst.Width);
  const int h = std::min(src.Height, dst.Height);
  if (src.Empty() || dst.Empty()) return;
  for (int y = 0; y < h; ++y) {
    const uint8_t* s = src.Row(y);
    uint8_t* d = dst.Row(y);
    for (int x = 0; x < w; ++x) {
      const uint8_t* sp = s + static_cast<ptrdiff_t>(x) * src.BytesPerPixel;
      uint8_t* dp = d + static_cast<ptrdiff_t>(x) * dst.BytesPerPixel;
      for (int c = 0; c < 3; ++c) dp[c] = static_cast<uint8_t>(ClampByte(sp[c] + amount));
    }
  }
}

void AdjustHsv(const PixelView& src, const PixelView& dst, int hue, int saturation, int value) {
  const int w = std::min(src.Width, dst.Width);
  const int h = std::min(src.Height, dst.Height);
  if (src.Empty() || dst.Empty()) return;
  const bool shift = hue > 0 || saturation > 0 || value > 0;
  for (int y = h - 1; y >= 0; --y) {
    for (int x = w - 1; x >= 0; --x) {
      const uint8_t* sp = src.At(x, y);
      const THsv p = RGBToHSV(sp[2] * 65536 + sp[1] * 256 + sp[0]);
      const TRGBTriple t =
          shift ? HSVToRGBTriple(std::abs(hue), std::abs(saturation - p.Saturation),
                                 std::abs(value - p.Value))
                : HSVToRGBTriple(p.Hue, p.Saturation, p.Value);
      uint8_t* dp = dst.At(x, y);
      dp[0] = t.rgbtBlue;
      dp[1] = t.rgbtGreen;
      dp[2] = t.rgbtRed;
    }
  }
}

void MakeBlackAndWhite(const PixelView& v) {
  if (v.Empty()) return;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      if (!v.IsWhite(x, y)) {
        uint8_t* p = v.At(x, y);
        p[0] = p[1] = p[2] = 0;
      }
}

void InvertImage(const PixelView& v) {
  if (v.Empty()) return;
  // The padded row length: every byte of the row is inverted, padding too.
  const size_t rowBytes = static_cast<size_t>(std::llabs(v.Stride));
  for (int y = 0; y < v.Height; ++y) {
    uint8_t* row = v.Row(y);
    for (size_t i = 0; i < rowBytes; ++i) row[i] = static_cast<uint8_t>(255 - row[i]);
  }
}

void GrayscaleForGrab(const PixelView& v) {
  if (v.Empty()) return;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) {
      uint8_t* p = v.At(x, y);
      // round((3 R + 6 G + B) / 10) exactly, halves to even.
      const int n = 3 * p[2] + 6 * p[1] + p[0];
      int gray = n / 10;
      const int rem = n % 10;
      if (rem > 5 || (rem == 5 && (gray & 1))) ++gray;
      p[0] = p[1] = p[2] = static_cast<uint8_t>(gray);
    }
}

void GrayscaleImage(const PixelView& v) {
  if (v.Empty()) return;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) {
      uint8_t* p = v.At(x, y);
      const int gray = (77 * p[2] + 151 * p[1] + 28 * p[0]) >> 8;
      p[0] = p[1] = p[2] = static_cast<uint8_t>(gray);
    }
}

// --- filters and geometry -------------------------------------------------

std::pair<int, int> ConvolvedSize(int width, int height) {
  return {std::max(width - 2, 0), std::max(height - 2, 0)};
}

void Convolve3x3(const PixelView& src, const PixelView& dst, const TKernel3x3& kernel, double bias) {
  const auto [w, h] = ConvolvedSize(src.Width, src.Height);
  if (src.Empty() || dst.Empty() || w == 0 || h == 0) return;
  double divisor = 0;
  for (const auto& col : kernel)
    for (double k : col) divisor += k;
  if (divisor == 0) divisor = 1;
  for (int y = 1; y <= std::min(h, dst.Height); ++y) {
    for (int x = 1; x <= std::min(w, dst.Width); ++x) {
      uint8_t* d = dst.At(x - 1, y - 1);
      for (int c = 0; c < 3; ++c) {
        double s = 0;
        for (int i = 0; i < 3; ++i)
          for (int j = 0; j < 3; ++j) s += kernel[i][j] * src.At(x - 1 + i, y - 1 + j)[c];
        double v = s / divisor + bias;
        if (v > 255) v = 255;
        if (!(v >= 0)) v = 0;
        d[c] = static_cast<uint8_t>(static_cast<int>(v));
      }
    }
  }
}

std::pair<int, int> RotatedSize(int width, int height, double angle, int scalePercent) {
  double turns = angle / 360.0;
  const double a = (turns - std::trunc(turns)) * 360.0;
  const double theta = -a * std::numbers::pi / 180.0;
  const int64_t s = std::llabs(static_cast<int64_t>(std::trunc(std::sin(theta) * 65536.0)));
  const int64_t c = std::llabs(static_cast<int64_t>(std::trunc(std::cos(theta) * 65536.0)));
  const int64_t w = std::max(RoundHalfEven(static_cast<double>(width) * scalePercent / 100.0), 1);
  const int64_t h = std::max(RoundHalfEven(static_cast<double>(height) * scalePercent / 100.0), 1);
  // Worked out in 64 bits so that large images do not wrap to negative sizes.
  return {static_cast<int>((c * w + s * h) >> 16), static_cast<int>((s * w + c * h) >> 16)};
}

void RotateBilinear(const PixelView& src, const PixelView& dst, int cx, double angle, int cy) {
  if (src.Empty() || dst.Empty()) return;
  const double theta = -angle * std::numbers::pi / 180.0;
  const double s = std::sin(theta);
  const double c = std::cos(theta);
  const int dx = (dst.Width - src.Width) / 2;
  const int dy = (dst.Height - src.Height) / 2;
  for (int j = 0; j < dst.Height; ++j) {
    const double n = 2.0 * (j - cy) + 1;
    for (int i = 0; i < dst.Width; ++i) {
      const double m = 2.0 * (i - cx) + 1;
      const double xs = (m * c - n * s - 1) / 2 + cx - dx;
      const double ys = (m * s + n * c - 1) / 2 + cy - dy;
      const int x0 = RoundHalfEven(xs);
      const int y0 = RoundHalfEven(ys);
      if (!src.Contains(x0, y0)) continue;
      const int x1 = ClampInt(x0 + 1, 0, src.Width - 1);
      const int y1 = ClampInt(y0 + 1, 0, src.Height - 1);
      const double fx = xs - x0;
      const double fy = ys - y0;
      const uint8_t* p00 = src.At(x0, y0);
      const uint8_t* p10 = src.At(x1, y0);
      const uint8_t* p01 = src.At(x0, y1);
      const uint8_t* p11 = src.At(x1, y1);
      uint8_t* d = dst.At(i, j);
      for (int ch = 0; ch < 3; ++ch) {
        const double top = p00[ch] + fx * (p10[ch] - p00[ch]);
        const double bottom = p01[ch] + fx * (p11[ch] - p01[ch]);
        d[ch] = static_cast<uint8_t>(ClampByte(RoundHalfEven(top + fy * (bottom - top))));
      }
    }
  }
}

void ResizeBilinear(const PixelView& src, const PixelView& dst) {
  if (src.Empty() || dst.Empty()) return;
  if (src.Width == dst.Width && src.Height == dst.Height) {
    CopyPixels(src, 0, 0, dst);
    return;
  }
  const int xstep = MulDiv(src.Width - 1, 65536, dst.Width);
  const int ystep = MulDiv(src.Height - 1, 65536, dst.Height);
  const int lastCol = src.Width - 1;
  const int lastRow = src.Height - 1;
  for (int j = 0; j < dst.Height; ++j) {
    const int64_t y = static_cast<int64_t>(j) * ystep;
    // The steps are rounded, so on large enlargements (and on sources one
    // pixel wide or high) the next row or column can lie past the edge:
    // the edge pixel stands in for it.
    const int r = std::min(static_cast<int>(y >> 16), lastRow);
    const int r2 = std::min(r + 1, lastRow);
    const int fy = static_cast<int>(y & 65535);
    const int wt = 65536 - fy;
    const int wb = fy + 1;
    const uint8_t* top = src.Row(r);
    const uint8_t* bottom = src.Row(r2);
    uint8_t* d = dst.Row(j);
    for (int i = 0; i < dst.Width; ++i) {
      const int64_t x = static_cast<int64_t>(i) * xstep;
      const int k = std::min(static_cast<int>(x >> 16), lastCol);
      const int k2 = std::min(k + 1, lastCol);
      const int fx = static_cast<int>(x & 65535);
      const int e = MulDiv(fx, wt, 65536);
      const int f = MulDiv(fx, wb, 65536);
      const uint8_t* a = top + static_cast<ptrdiff_t>(k) * src.BytesPerPixel;
      const uint8_t* b = top + static_cast<ptrdiff_t>(k2) * src.BytesPerPixel;
      const uint8_t* cc = bottom + static_cast<ptrdiff_t>(k) * src.BytesPerPixel;
      const uint8_t* dd = bottom + static_cast<ptrdiff_t>(k2) * src.BytesPerPixel;
      uint8_t* out = d + static_cast<ptrdiff_t>(i) * dst.BytesPerPixel;
      for (int ch = 0; ch < 3; ++ch) {
        const int64_t v = static_cast<int64_t>(wt - e) * a[ch] + static_cast<int64_t>(e) * b[ch] +
                          static_cast<int64_t>(wb - f) * cc[ch] + static_cast<int64_t>(f) * dd[ch];
        out[ch] = static_cast<uint8_t>(ClampByte(static_cast<int>(v >> 16)));
      }
    }
  }
}

void CopyPixels(const PixelView& src, int left, int top, const PixelView& dst) {
  if (src.Empty() || dst.Empty()) return;
  for (int y = 0; y < dst.Height; ++y) {
    const int sy = top + y;
    if (sy < 0 || sy >= src.Height) continue;
    const int x0 = std::max(0, -left);
    const int x1 = std::min(dst.Width, src.Width - left);
    if (x1 <= x0) continue;
    if (src.BytesPerPixel == dst.BytesPerPixel) {
      std::memcpy(dst.At(x0, y), src.At(left + x0, sy),
                  static_cast<size_t>(x1 - x0) * src.BytesPerPixel);
    } else {
      for (int x = x0; x < x1; ++x) {
        const uint8_t* s = src.At(left + x, sy);
        uint8_t* d = dst.At(x, y);
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
      }
    }
  }
}

}  // namespace app
