#include "skin/engine/core/pixel_view.h"

namespace skin {

TPixelView32 View32(TPixelBuffer& buffer) {
  if (buffer.Empty() || buffer.PixelFormat() != TPixelFormat::pf32bit) return {};
  return {buffer.ScanLine(0), buffer.RowBytes(), buffer.Width(), buffer.Height()};
}

TPixelView8 View8(TPixelBuffer& buffer) {
  if (buffer.Empty() || buffer.PixelFormat() != TPixelFormat::pf8bit) return {};
  return {buffer.ScanLine(0), buffer.RowBytes(), buffer.Width(), buffer.Height()};
}

void CopyChannel(const TPixelView32& v32, const TPixelView8& v8, int channel, bool toChannel8) {
  if (v32.Empty() || v8.Empty() || channel < 0 || channel > 3) return;
  const int w = std::min(v32.Width, v8.Width), h = std::min(v32.Height, v8.Height);
  for (int y = 0; y < h; ++y) {
    uint8_t* p = reinterpret_cast<uint8_t*>(v32.Row(y)) + channel;
    uint8_t* q = v8.Row(y);
    for (int x = 0; x < w; ++x, p += 4) {
      if (toChannel8) q[x] = *p;
      else *p = q[x];
    }
  }
}

}  // namespace skin
