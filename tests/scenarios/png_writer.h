// A small PNG encoder for screenshots: 8-bit RGB, no interlacing, every row
// with filter 0, the image data compressed by zlib.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace scenarios {

namespace png_detail {

inline void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

inline void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  PutBE32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
  PutBE32(out, static_cast<uint32_t>(crc));
}

}  // namespace png_detail

// The PNG file of an image given as rows of red, green, blue bytes, top row
// first. Empty when the sizes don't match or compression fails.
inline std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb) {
  if (width <= 0 || height <= 0 || rgb.size() != static_cast<size_t>(width) * height * 3) return {};
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(width * 3 + 1) * height);
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    const uint8_t* row = rgb.data() + static_cast<size_t>(y) * width * 3;
    raw.insert(raw.end(), row, row + width * 3);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) return {};
  packed.resize(packedSize);

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  png_detail::PutBE32(header, static_cast<uint32_t>(width));
  png_detail::PutBE32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, filter 0, no interlace
  png_detail::PutChunk(out, "IHDR", header);
  png_detail::PutChunk(out, "IDAT", packed);
  png_detail::PutChunk(out, "IEND", {});
  return out;
}

inline bool WritePngFile(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
  const std::vector<uint8_t> png = EncodePng(width, height, rgb);
  if (png.empty()) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace scenarios
