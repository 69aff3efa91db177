// Measures the skin engine's heaviest pixel routines on a 1920 x 1080 image:
// the coverage blur at small and large radii (its cost must not grow with
// the radius) and the resampler enlarging and shrinking, each in megapixels
// per second beside a bare reference measured in the same run: for the blur
// one pass that reads and writes every sample, for the resampler a
// nearest-neighbour resize to the same size.
//
//   skin_pixel_bench [REPEATS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/core/resample.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWidth = 1920, kHeight = 1080;

template <class Fn>
double MegapixelsPerSecond(double megapixels, int repeats, Fn fn) {
  const auto start = Clock::now();
  for (int i = 0; i < repeats; ++i) fn();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return megapixels * repeats / seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const double mp = kWidth * double(kHeight) / 1e6;

  std::vector<uint8_t> mask(size_t(kWidth) * kHeight);
  for (size_t i = 0; i < mask.size(); ++i) mask[i] = uint8_t((i * 2654435761u) >> 24);
  skin::TPixelView8 view{mask.data(), kWidth, kWidth, kHeight};
  const double bare8 = MegapixelsPerSecond(mp, repeats, [&] {
    for (uint8_t& b : mask) b = uint8_t(255 - b);
  });
  std::printf("bare pass over 8-bit samples: %8.1f MP/s\n", bare8);
  for (double sigma : {1.0, 5.0, 15.0}) {
    const double rate = MegapixelsPerSecond(mp, repeats, [&] { skin::BlurMask8(view, sigma); });
    std::printf("blur sigma %4.1f (box radius %2d): %8.1f MP/s  (%.1f x the bare pass's time)\n", sigma,
                skin::BlurBoxRadius(sigma), rate, bare8 / rate);
  }

  skin::TPixelBuffer image(skin::TPixelFormat::pf32bit, kWidth, kHeight);
  skin::TPixelView32 v = skin::View32(image);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) v.Pixel(x, y) = uint32_t(x * 7 + y * 13) * 0x01010101u;
  struct Size {
    const char* what;
    int w, h;
  } sizes[] = {{"shrink to 960 x 540", 960, 540}, {"enlarge to 2880 x 1620", 2880, 1620}};
  for (auto s : sizes) {
    skin::TPixelBuffer nearest(skin::TPixelFormat::pf32bit, s.w, s.h);
    skin::TPixelView32 n = skin::View32(nearest);
    const double bare = MegapixelsPerSecond(mp, repeats, [&] {
      for (int y = 0; y < s.h; ++y) {
        const uint32_t* src = v.Row(int(int64_t(y) * kHeight / s.h));
        uint32_t* out = n.Row(y);
        for (int x = 0; x < s.w; ++x) out[x] = src[int64_t(x) * kWidth / s.w];
      }
    });
    std::printf("nearest-neighbour %-22s: %8.1f source MP/s\n", s.what, bare);
    for (uint8_t kind : {skin::rfHermite, skin::rfMitchell}) {
      skin::TPixelBuffer out;
      const double rate = MegapixelsPerSecond(mp, repeats, [&] { skin::ResamplePixels(v, out, s.w, s.h, kind); });
      std::printf("resample %-22s kind %d: %8.1f source MP/s  (%.1f x the nearest-neighbour time)\n", s.what, kind,
                  rate, bare / rate);
    }
  }
  return 0;
}
