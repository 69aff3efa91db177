#include "skin/engine/core/pixel_colors.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace skin {

namespace {

inline int Clamp8(int v) { return std::clamp(v, 0, 255); }
inline int LimitChannel(double v) { return static_cast<int>(std::clamp(v, 0.0, 255.0)); }

}  // namespace

uint32_t PixelBrightness(uint32_t p, int change) {
  if (change == 0) return p;
  return MakePixel(Clamp8(Blue(p) + change), Clamp8(Green(p) + change), Clamp8(Red(p) + change), Alpha(p));
}

uint32_t PixelSaturation(uint32_t p, int v) {
  if (v == 0) return p;
  int m = (Red(p) + Green(p) + Blue(p)) / 3;
  auto sat = [v, m](int c) { return Clamp8(c - v * (m - c) / 255); };
  return MakePixel(sat(Blue(p)), sat(Green(p)), sat(Red(p)), Alpha(p));
}

uint32_t PixelHueShift(uint32_t p, int shift) {
  const double r = Red(p), g = Green(p), b = Blue(p);
  const double V = std::max({r, g, b});
  const double delta = V - std::min({r, g, b});
  const double S = V == 0 ? 0 : delta / V;
  if (S == 0) return p;
  const double k = 60.0 / delta;
  double H;
  if (V == r) H = (g - b) * k;
  else if (V == g) H = 120 + (b - r) * k;
  else H = 240 + (r - g) * k;
  if (H < 0) H += 360;
  // The shifted hue is brought into 0..359: left negative it would land in the
  // wrong sector (red turned by -30 would stay red).
  int shifted = static_cast<int>(H + shift) % 360;
  if (shifted < 0) shifted += 360;
  const double h = shifted / 60.0;
  const int i = static_cast<int>(h);
  const double f = h - i;
  const double P = std::clamp((1 - S) * V, 0.0, 255.0);
  const double Q = std::clamp((1 - S * f) * V, 0.0, 255.0);
  const double T = std::clamp((1 - (1 - f) * S) * V, 0.0, 255.0);
  double nr, ng, nb;
  switch (i) {
    case 0: nr = V, ng = T, nb = P; break;
    case 1: nr = Q, ng = V, nb = P; break;
    case 2: nr = P, ng = V, nb = T; break;
    case 3: nr = P, ng = Q, nb = V; break;
    case 4: nr = T, ng = P, nb = V; break;
    default: nr = V, ng = P, nb = Q; break;
  }
  return MakePixel(LimitChannel(nb), LimitChannel(ng), LimitChannel(nr), Alpha(p));
}

uint32_t PixelColorTone(uint32_t p, int toneColor) {
  const int m = std::max({Red(p), Green(p), Blue(p)});
  const uint32_t tone = static_cast<uint32_t>(toneColor);
  const int tr = tone & 0xFF, tg = (tone >> 8) & 0xFF, tb = (tone >> 16) & 0xFF;
  return MakePixel(tb * m >> 8, tg * m >> 8, tr * m >> 8, Alpha(p));
}

void ApplyToPixels(const TPixelView32& v, TPixelOperation operation, int value, uint32_t key) {
  if (v.Empty() || !operation) return;
  const bool keyed = key != clSkinNone;
  for (int y = 0; y < v.Height; ++y) {
    uint32_t* row = v.Row(y);
    for (int x = 0; x < v.Width; ++x)
      if (!keyed || row[x] != key) row[x] = operation(row[x], value);
  }
}

uint32_t ToneColor(uint32_t color, uint32_t tone) {
  return SwapRedBlue(PixelColorTone(SwapRedBlue(color), static_cast<int>(tone)));
}

uint32_t ShiftHueColor(uint32_t color, int shift) {
  if (shift == 0) return color;
  return SwapRedBlue(PixelHueShift(SwapRedBlue(color), shift));
}

uint32_t SaturateColor(uint32_t color, int change) {
  if (change == 0) return color;
  return SwapRedBlue(PixelSaturation(SwapRedBlue(color), change));
}

uint32_t AdjustColor(uint32_t rgbColor, uint32_t rgbTone, int hueOffset, int saturationPercent) {
  uint32_t c = rgbColor;
  if (rgbTone != clSkinNone) c = ToneColor(c, rgbTone);
  c = ShiftHueColor(c, hueOffset);
  return SaturateColor(c, SaturationPercentToScale(saturationPercent));
}

uint32_t MixColors(uint32_t a, uint32_t b, double x) {
  auto mix = [x](int av, int bv) { return static_cast<uint32_t>(static_cast<int>(bv * (1 - x) + x * av)) & 0xFF; };
  return (a & 0xFF000000u) | mix(a & 0xFF, b & 0xFF) | mix((a >> 8) & 0xFF, (b >> 8) & 0xFF) << 8 |
         mix((a >> 16) & 0xFF, (b >> 16) & 0xFF) << 16;
}

void GreyBitmapExceptKey(const TPixelView32& v, uint32_t keyColor) {
  if (v.Empty()) return;
  const uint32_t key = keyColor == clSkinNone ? clSkinNone : SwapRedBlue(keyColor);
  for (int y = 0; y < v.Height; ++y) {
    uint32_t* row = v.Row(y);
    for (int x = 0; x < v.Width; ++x) {
      uint32_t p = row[x];
      if (p == key) continue;
      int g = (Red(p) + Green(p) + Blue(p)) / 3;
      row[x] = MakePixel(g, g, g, Alpha(p));
    }
  }
}

void GreyBitmap(const TPixelView32& v) { GreyBitmapExceptKey(v, clSkinNone); }

int BlurBoxRadius(double sigma) {
  if (!(sigma > 0)) return 0;
  int outer = 0;  // the outermost tap that rounds to 1
  for (int i = 1; i <= 16; ++i) {
    double x = i / sigma;
    if (std::nearbyint(std::exp(-x * x / 2)) < 1) break;
    outer = i;
  }
  return outer == 0 ? 0 : std::max(1, outer - 1);
}

namespace {

// Box average of a row of n samples, edges repeated, through a work line;
// average[sum] is sum / taps.
void BoxRow(uint8_t* line, int n, int r, const std::vector<uint8_t>& average, std::vector<int>& work) {
  work.assign(line, line + n);
  auto at = [&](int i) { return work[std::clamp(i, 0, n - 1)]; };
  int sum = 0;
  for (int k = -r; k <= r; ++k) sum += at(k);
  for (int x = 0; x < n; ++x) {
    line[x] = average[sum];
    sum += at(x + r + 1) - at(x - r);
  }
}

}  // namespace

void BlurMask8(const TPixelView8& mask, double sigma) {
  if (mask.Empty()) return;
  const int r = BlurBoxRadius(sigma);
  if (r == 0) return;
  const int w = mask.Width, h = mask.Height, taps = 2 * r + 1;
  std::vector<uint8_t> average(size_t(255) * taps + 1);
  for (size_t sum = 0; sum < average.size(); ++sum) average[sum] = static_cast<uint8_t>(sum / taps);
  std::vector<int> work;
  for (int y = 0; y < h; ++y) BoxRow(mask.Row(y), w, r, average, work);
  // Columns as running sums over whole rows: every row is read in order, so
  // the cost per sample does not depend on the radius or the stride.
  std::vector<uint8_t> rows(size_t(w) * h);
  for (int y = 0; y < h; ++y) std::copy(mask.Row(y), mask.Row(y) + w, rows.begin() + ptrdiff_t(y) * w);
  auto row = [&](int y) { return rows.data() + ptrdiff_t(std::clamp(y, 0, h - 1)) * w; };
  std::vector<int> sums(w, 0);
  for (int k = -r; k <= r; ++k) {
    const uint8_t* src = row(k);
    for (int x = 0; x < w; ++x) sums[x] += src[x];
  }
  for (int y = 0; y < h; ++y) {
    uint8_t* out = mask.Row(y);
    for (int x = 0; x < w; ++x) out[x] = average[sums[x]];
    const uint8_t *in = row(y + r + 1), *gone = row(y - r);
    for (int x = 0; x < w; ++x) sums[x] += in[x] - gone[x];
  }
}

namespace {

void SmoothLine(uint32_t* first, ptrdiff_t step, int n, std::vector<uint32_t>& work) {
  work.resize(n);
  auto at = [&](int i) { return first[i * step]; };
  for (int i = 0; i < n; ++i) {
    int sum[4] = {0, 0, 0, 0};       // blue, green, red, alpha
    int fallback[4] = {0, 0, 0, 0};
    int missing = 0;
    bool seen = false;
    uint32_t last = 0;
    for (int t : {i + 1, i, i - 1}) {
      uint32_t p = (t >= 0 && t < n) ? at(t) : 0;
      bool opaque = t >= 0 && t < n && Alpha(p) > 0;
      if (opaque) {
        sum[0] += Blue(p) / 3, sum[1] += Green(p) / 3, sum[2] += Red(p) / 3;
        sum[3] += Alpha(p) / 3 + 1;
        last = p, seen = true;
      } else if (seen) {
        fallback[0] += Blue(last) / 3, fallback[1] += Green(last) / 3, fallback[2] += Red(last) / 3;
        fallback[3] += Alpha(last) / 3;
      } else {
        ++missing;
      }
    }
    if (missing > 0 && seen) {
      fallback[0] += Blue(last) / (3 * missing), fallback[1] += Green(last) / (3 * missing);
      fallback[2] += Red(last) / (3 * missing), fallback[3] += Alpha(last) / (3 * missing);
    }
    if (fallback[3] != 0)
      for (int c = 0; c < 3; ++c) sum[c] += fallback[c];
    work[i] = sum[3] > 0 ? MakePixel(std::min(255, sum[0]), std::min(255, sum[1]), std::min(255, sum[2]),
                                     std::min(255, sum[3]))
                         : 0;
  }
  for (int i = 0; i < n; ++i) first[i * step] = work[i];
}

}  // namespace

void SmoothAlphaBitmap(const TPixelView32& v) {
  if (v.Empty()) return;
  std::vector<uint32_t> work;
  for (int y = 0; y < v.Height; ++y) SmoothLine(v.Row(y), 1, v.Width, work);
  const ptrdiff_t step = v.Stride / 4;
  for (int x = 0; x < v.Width; ++x) SmoothLine(v.Row(0) + x, step, v.Height, work);
}

int FadeMaskLevel(int percent, int ring, int rings) {
  const int p = percent * 255 / 100;
  if (ring == 0) return 255;
  return p + static_cast<int>(static_cast<double>(rings - ring + 1) * (255 - p) / (rings + 1));
}

void CombineFadeMask(const TPixelView32& v, const TPixelView32& mask, uint32_t rgbColor) {
  if (v.Empty() || mask.Empty()) return;
  const uint32_t c = ColorToPixel(rgbColor, 0);
  const int w = std::min(v.Width, mask.Width), h = std::min(v.Height, mask.Height);
  auto mix = [](int p, int col, int m) { return col + (((p - col) * m) >> 8); };
  for (int y = 0; y < h; ++y) {
    uint32_t* row = v.Row(y);
    const uint32_t* m = mask.Row(y);
    for (int x = 0; x < w; ++x) {
      uint32_t p = row[x];
      row[x] = MakePixel(mix(Blue(p), Blue(c), Blue(m[x])), mix(Green(p), Green(c), Green(m[x])),
                         mix(Red(p), Red(c), Red(m[x])), Alpha(p));
    }
  }
}

}  // namespace skin
