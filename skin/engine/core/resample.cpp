#include "skin/engine/core/resample.h"

#include <cmath>
#include <cstring>

namespace skin {

float FilterSupport(uint8_t kind) {
  switch (kind) {
    case rfBox: return 0.51f;
    case rfTriangle:
    case rfHermite: return 1.0f;
    case rfBell: return 1.5f;
    case rfSpline:
    case rfMitchell: return 2.0f;
    case rfLanczos: return 3.0f;
    default: return 0.0f;
  }
}

float FilterWeight(uint8_t kind, float signedDistance) {
  const float x = std::fabs(signedDistance);
  switch (kind) {
    case rfBox: return (x <= 0.5f && signedDistance != -0.5f) ? 1.0f : 0.0f;
    case rfTriangle: return x < 1.0f ? 1.0f - x : 0.0f;
    case rfHermite: return x < 1.0f ? (2.0f * x - 3.0f) * x * x + 1.0f : 0.0f;
    case rfBell:
      if (x < 0.5f) return 0.75f - x * x;
      if (x < 1.5f) return 0.5f * (x - 1.5f) * (x - 1.5f);
      return 0.0f;
    case rfSpline:
      if (x < 1.0f) return (0.5f * x - 1.0f) * x * x + 2.0f / 3.0f;
      if (x < 2.0f) return (2.0f - x) * (2.0f - x) * (2.0f - x) / 6.0f;
      return 0.0f;
    case rfLanczos: {
      if (x == 0.0f) return 1.0f;
      if (x >= 3.0f) return 0.0f;
      const float pi = 3.14159265358979f;
      return std::sin(pi * x) * std::sin(x) / (pi * x * x);
    }
    case rfMitchell:
      if (x < 1.0f) return (7.0f / 6.0f * x - 2.0f) * x * x + 8.0f / 9.0f;
      if (x < 2.0f) return (-7.0f / 18.0f * x + 2.0f) * x * x - 10.0f / 3.0f * x + 16.0f / 9.0f;
      return 0.0f;
    default: return 0.0f;
  }
}

namespace {

// Mirrors an index at the edges as the filter expects; an index that a
// single mirror would still leave outside (wide kernels on tiny lines) is
// clamped, so no sample outside the line is ever read.
int MirrorIndex(int j, int size) {
  if (j < 0) j = -j;
  else if (j >= size) j = 2 * size - j - 1;
  return std::clamp(j, 0, size - 1);
}

}  // namespace

std::vector<std::vector<TContributor>> BuildContributors(int sourceSize, int destSize, uint8_t kind) {
  std::vector<std::vector<TContributor>> list(destSize > 0 ? destSize : 0);
  if (sourceSize <= 0 || destSize <= 0) return list;
  const float support = FilterSupport(kind);
  const float scale = sourceSize > destSize ? float(destSize) / float(sourceSize) : 1.0f;
  const float width = support / scale;
  for (int i = destSize - 1; i >= 0; --i) {
    const float centre = float(i) * float(sourceSize) / float(destSize);
    const int right = static_cast<int>(std::ceil(centre + width));
    const int left = static_cast<int>(std::floor(centre - width));
    auto& out = list[i];
    for (int j = right; j >= left; --j) {
      const float signedX = (centre - float(j)) * scale;
      if (std::fabs(signedX) >= support) continue;
      const float u = FilterWeight(kind, signedX);
      if (u == 0.0f) continue;
      const int weight = static_cast<int>(std::nearbyint(u * scale * 65536.0f));
      out.push_back({MirrorIndex(j, sourceSize), weight});
    }
  }
  return list;
}

namespace {

inline uint8_t ChannelOf(int sum) {
  if (sum < 0) return 0;
  if (sum < 0xFF0001) return static_cast<uint8_t>(sum >> 16);
  return 255;
}

// Applies one contributor list along a line of pixels: src(k) reads source
// sample k, dst(i) the destination pixel i.
template <class Src, class Dst>
void ApplyContributors(const std::vector<std::vector<TContributor>>& list, Src src, Dst dst) {
  for (size_t i = 0; i < list.size(); ++i) {
    int b = 0, g = 0, r = 0, a = 0;
    for (const TContributor& c : list[i]) {
      const uint32_t p = src(c.Index);
      b += c.Weight * int(Blue(p));
      g += c.Weight * int(Green(p));
      r += c.Weight * int(Red(p));
      a += c.Weight * int(Alpha(p));
    }
    dst(int(i)) = MakePixel(ChannelOf(b), ChannelOf(g), ChannelOf(r), ChannelOf(a));
  }
}

}  // namespace

void ResamplePixels(const TPixelView32& source, TPixelBuffer& dest, int newWidth, int newHeight, uint8_t kind) {
  if (newWidth <= 0 || newHeight <= 0 || source.Width <= 1 || source.Height <= 1 || source.Empty()) return;
  if (newWidth == source.Width && newHeight == source.Height) {
    TPixelBuffer copy(TPixelFormat::pf32bit, newWidth, newHeight);
    for (int y = 0; y < newHeight; ++y) std::memcpy(copy.ScanLine(y), source.Row(y), size_t(newWidth) * 4);
    dest = std::move(copy);
    return;
  }
  TPixelBuffer work(TPixelFormat::pf32bit, newWidth, source.Height);
  TPixelView32 w = View32(work);
  const auto horizontal = BuildContributors(source.Width, newWidth, kind);
  for (int y = 0; y < source.Height; ++y) {
    const uint32_t* s = source.Row(y);
    uint32_t* d = w.Row(y);
    ApplyContributors(horizontal, [s](int k) { return s[k]; }, [d](int i) -> uint32_t& { return d[i]; });
  }
  // The vertical pass goes row by row: each destination row sums whole work
  // rows, so memory is read in order whatever the contributors.
  TPixelBuffer out(TPixelFormat::pf32bit, newWidth, newHeight);
  TPixelView32 o = View32(out);
  const auto vertical = BuildContributors(source.Height, newHeight, kind);
  std::vector<int> sums(size_t(newWidth) * 4);
  for (int i = 0; i < newHeight; ++i) {
    std::fill(sums.begin(), sums.end(), 0);
    for (const TContributor& c : vertical[i]) {
      const uint8_t* in = reinterpret_cast<const uint8_t*>(w.Row(c.Index));
      for (size_t k = 0; k < sums.size(); ++k) sums[k] += c.Weight * int(in[k]);
    }
    uint8_t* row = reinterpret_cast<uint8_t*>(o.Row(i));
    for (size_t k = 0; k < sums.size(); ++k) row[k] = ChannelOf(sums[k]);
  }
  dest = std::move(out);
}

}  // namespace skin
