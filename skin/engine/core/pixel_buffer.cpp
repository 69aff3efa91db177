#include "skin/engine/core/pixel_buffer.h"

#include <algorithm>
#include <cstring>

namespace skin {

int PixelFormatBits(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit: return 16;
    case TPixelFormat::pf24bit: return 24;
    case TPixelFormat::pf32bit: return 32;
    default: return 0;
  }
}

void TPixelBuffer::SetSize(TPixelFormat format, int width, int height) {
  FPixelFormat = format;
  FWidth = std::max(0, width);
  FHeight = std::max(0, height);
  int bits = PixelFormatBits(format);
  FRowBytes = bits ? static_cast<int>((static_cast<int64_t>(FWidth) * bits + 31) / 32 * 4) : 0;
  FBits.assign(static_cast<size_t>(FRowBytes) * FHeight, 0);
}

void TPixelBuffer::Clear() {
  FPixelFormat = TPixelFormat::pfDevice;
  FWidth = FHeight = FRowBytes = 0;
  FBits.clear();
  Palette.clear();
}

TPixelBuffer TPixelBuffer::ToBGRA32() const {
  TPixelBuffer out(TPixelFormat::pf32bit, FWidth, FHeight);
  if (Empty()) return out;
  int bits = PixelFormatBits(FPixelFormat);
  for (int y = 0; y < FHeight; ++y) {
    const uint8_t* s = ScanLine(y);
    uint8_t* d = out.ScanLine(y);
    if (FPixelFormat == TPixelFormat::pf32bit) {
      std::memcpy(d, s, static_cast<size_t>(FWidth) * 4);
      continue;
    }
    for (int x = 0; x < FWidth; ++x, d += 4) {
      if (bits == 24) {
        d[0] = s[x * 3];
        d[1] = s[x * 3 + 1];
        d[2] = s[x * 3 + 2];
      } else if (bits == 16) {
        // 5 bits per colour, red highest (pf16bit is taken as 5-5-5 too).
        unsigned v = s[x * 2] | (s[x * 2 + 1] << 8);
        d[0] = static_cast<uint8_t>((v & 31) * 255 / 31);
        d[1] = static_cast<uint8_t>(((v >> 5) & 31) * 255 / 31);
        d[2] = static_cast<uint8_t>(((v >> 10) & 31) * 255 / 31);
      } else {
        unsigned index;
        if (bits == 8) index = s[x];
        else if (bits == 4) index = (s[x / 2] >> (x % 2 ? 0 : 4)) & 15;
        else index = (s[x / 8] >> (7 - x % 8)) & 1;
        TPaletteEntry e = index < Palette.size() ? Palette[index] : TPaletteEntry{};
        d[0] = e.peBlue;
        d[1] = e.peGreen;
        d[2] = e.peRed;
      }
      d[3] = 255;
    }
  }
  return out;
}

bool GetScanLineLayout(TPixelBuffer& bitmap, uint8_t*& row0, ptrdiff_t& distance) {
  if (bitmap.Empty()) return false;
  row0 = bitmap.ScanLine(0);
  distance = bitmap.Height() > 1 ? bitmap.ScanLine(1) - bitmap.ScanLine(0) : 0;
  return true;
}

}  // namespace skin
