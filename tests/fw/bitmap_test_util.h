// Bitmaps the picture and drawing tests start from.
#pragma once

#include <memory>

#include "fw/graphics/graphics.h"

namespace fwtest {

// A w x h 24-bit bitmap filled with one colour.
inline std::unique_ptr<fw::TBitmap> Canvas24(int w, int h, fw::TColor fill) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(fill);
  b->Canvas()->FillRect(fw::Rect(0, 0, w, h));
  return b;
}

}  // namespace fwtest
