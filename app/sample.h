// The sample: the character image every candidate font is compared with.
// Next builds it once from the chosen character file; the search page shows
// a copy of it and the matching engine compares with this one, which stays
// the same object for the window's life.
#pragma once

#include "fw/graphics/graphics.h"

namespace app {

class TSample {
 public:
  TSample() = default;
  TSample(const TSample&) = delete;
  TSample& operator=(const TSample&) = delete;

  // Reads the character file once, into picture (the window's working
  // copy), and builds the sample from it by the sample box rule
  // (FitSampleToBox). A file that can't be read raises and leaves the
  // sample empty.
  void Build(const fw::String& fileName, int boxWidth, int boxHeight, fw::TBitmap* picture);

  // The sample image; empty until built.
  fw::TBitmap* Bitmap() { return &bitmap_; }
  bool Empty() const { return bitmap_.Empty(); }

 private:
  fw::TBitmap bitmap_;
};

}  // namespace app
