// A small 32-bit image for pixel tests, with a guard band around it: any
// routine that writes outside the view it was given spoils the band.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "skin/engine/core/pixel_view.h"

namespace skin {

class TestImage {
 public:
  static constexpr uint32_t kGuard = 0xDEADBEEF;
  TestImage(int width, int height, uint32_t fill = 0)
      : width_(width), height_(height), stride_(width + 2), pixels_((width + 2) * (height + 2), kGuard) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) At(x, y) = fill;
  }
  TPixelView32 View() {
    return {reinterpret_cast<uint8_t*>(&pixels_[stride_ + 1]), ptrdiff_t(stride_) * 4, width_, height_};
  }
  uint32_t& At(int x, int y) { return pixels_[(y + 1) * stride_ + x + 1]; }
  bool GuardIntact() const {
    for (int y = 0; y < height_ + 2; ++y)
      for (int x = 0; x < stride_; ++x)
        if ((y == 0 || y == height_ + 1 || x == 0 || x == stride_ - 1) && pixels_[y * stride_ + x] != kGuard)
          return false;
    return true;
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_, height_, stride_;
  std::vector<uint32_t> pixels_;
};

}  // namespace skin
