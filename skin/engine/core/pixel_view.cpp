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

}  // namespace skin
