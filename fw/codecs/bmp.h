// Windows bitmap files and packed DIBs: headers (core, info, V4, V5), colour
// tables, bit fields and RLE4/RLE8, checked against the bytes present and
// unpacked into top-down rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw::codecs {

struct BmpImage {
  int Width = 0;
  int Height = 0;
  // 1, 4, 8, 16, 24 or 32. 16-bit pixels are 5-5-5 unless Is565; bit-field
  // layouts other than 5-5-5, 5-6-5 and 8-8-8 are unpacked to 32 bits with
  // the alpha field (if any) in the fourth byte.
  int BitCount = 0;
  bool Is565 = false;
  // The image came with an alpha field (32-bit results only).
  bool HasAlpha = false;
  // 1 << BitCount entries for palette images, as RGBQUAD values
  // (blue | green << 8 | red << 16); entries the file lacks are black.
  std::vector<uint32_t> Palette;
  // Rows from the top down, RowBytes() each.
  std::vector<uint8_t> Pixels;

  int RowBytes() const { return ((Width * BitCount + 31) / 32) * 4; }
  uint8_t* Row(int y) { return Pixels.data() + static_cast<size_t>(y) * RowBytes(); }
};

// The number of bytes a BMP file occupies, from its first bytes; 0 when
// fewer than the file header and the info header are given. Raises
// EInvalidGraphic when the headers are not a bitmap's.
size_t BmpFileLength(const uint8_t* data, size_t size);
// Bytes the file header and info header take (after the first 18 bytes
// that name the info header's size).
size_t BmpHeadersLength(const uint8_t* data, size_t size);

// A whole BMP file (starting with "BM").
BmpImage DecodeBmp(const uint8_t* data, size_t size);
// A packed DIB (info header, colour table, pixels), as in resources.
BmpImage DecodeDib(const uint8_t* data, size_t size);

}  // namespace fw::codecs
