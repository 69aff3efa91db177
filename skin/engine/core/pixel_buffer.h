// A device-independent image in memory (the portable stand-in for a DIB
// section: pixel format, palette, rows laid out as a DIB lays them out), the
// scan-line access every pixel routine of the engine goes through, and the
// byte-order helpers of 32-bit pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skin {

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// Bits of one pixel of a format with a fixed layout; 0 for pfDevice and pfCustom.
int PixelFormatBits(TPixelFormat format);

// One colour of a logical palette, in the order the platform keeps them.
struct TPaletteEntry {
  uint8_t peRed = 0;
  uint8_t peGreen = 0;
  uint8_t peBlue = 0;
  uint8_t peFlags = 0;
  friend bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};
using TPalette = std::vector<TPaletteEntry>;

// Rows are stored top-down, each padded to a multiple of 4 bytes. A 32-bit
// pixel is the bytes blue, green, red, alpha.
class TPixelBuffer {
 public:
  TPixelBuffer() = default;
  TPixelBuffer(TPixelFormat format, int width, int height) { SetSize(format, width, height); }

  // Resizes to the format and size given, every byte 0. A format without a
  // fixed layout or a size of 0 leaves an image without rows.
  void SetSize(TPixelFormat format, int width, int height);
  void Clear();

  TPixelFormat PixelFormat() const { return FPixelFormat; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int RowBytes() const { return FRowBytes; }
  bool Empty() const { return FBits.empty(); }
  uint8_t* ScanLine(int y) { return FBits.data() + static_cast<size_t>(y) * FRowBytes; }
  const uint8_t* ScanLine(int y) const { return FBits.data() + static_cast<size_t>(y) * FRowBytes; }
  const std::vector<uint8_t>& Bits() const { return FBits; }

  // The colours of an indexed format; indexes beyond its end read as black.
  TPalette Palette;

  // The same picture as 32-bit blue, green, red, alpha pixels. Formats without
  // alpha come out opaque; a 32-bit image keeps its alpha bytes as they are.
  TPixelBuffer ToBGRA32() const;

 private:
  TPixelFormat FPixelFormat = TPixelFormat::pfDevice;
  int FWidth = 0;
  int FHeight = 0;
  int FRowBytes = 0;
  std::vector<uint8_t> FBits;
};

// The four bytes in reverse order (big-endian fields of file formats).
constexpr uint32_t SwapBytes32(uint32_t value) {
  return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}

// Bytes 0 and 2 exchanged, bytes 1 and 3 kept: turns a colour value
// (0x00BBGGRR) into a pixel value (0x00RRGGBB) and back.
constexpr uint32_t SwapRedBlue(uint32_t value) {
  return (value & 0xFF00FF00u) | ((value >> 16) & 0xFFu) | ((value & 0xFFu) << 16);
}

// Address of row 0 and the signed distance in bytes to row 1 (0 for an image
// of one row); false, with the outputs untouched, for an image without rows.
bool GetScanLineLayout(TPixelBuffer& bitmap, uint8_t*& row0, ptrdiff_t& distance);

}  // namespace skin
