// JPEG files through libjpeg (library version 62): the size from the header,
// decoding (baseline and progressive; greyscale, RGB, CMYK and YCCK, Adobe's
// inverted CMYK too) at 1/1 to 1/8 of the size into 24-bit rows, and
// compressing 24-bit rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw::codecs {

struct JpegImage {
  int Width = 0;
  int Height = 0;
  // Rows from the top, 3 * Width bytes each, blue-green-red.
  std::vector<uint8_t> Pixels;

  uint8_t* Row(int y) { return Pixels.data() + static_cast<size_t>(y) * 3 * Width; }
  const uint8_t* Row(int y) const { return Pixels.data() + static_cast<size_t>(y) * 3 * Width; }
};

struct JpegSize {
  int Width = 0;
  int Height = 0;
};

// Every reader raises EInvalidGraphic "JPEG image is truncated" for data
// that ends early, "JPEG image is damaged: <libjpeg's reason>" for other
// faults and the size errors of image_limits.h.

// The full size the header gives.
JpegSize ReadJpegSize(const uint8_t* data, size_t size);

// The image at 1/denominator of its size (1, 2, 4 or 8; sizes round up),
// grey when asked or when the file is.
JpegImage DecodeJpeg(const uint8_t* data, size_t size, int denominator, bool grayscale);

// The file of an image (quality 1..100), in grey when asked.
std::vector<uint8_t> EncodeJpeg(const JpegImage& image, int quality, bool grayscale);

}  // namespace fw::codecs
