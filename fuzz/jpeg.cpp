// JPEG files come from the user: any input must end in an image or an
// EInvalidGraphic, at every scale and in grey too, never a crash or an
// over-read.
#include <cstddef>
#include <cstdint>

#include "fuzz/picture_loads.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the scale and the grey output; the rest is the file.
  const int denominator = 1 << (data[0] & 3);
  const bool grayscale = data[0] & 4;
  try {
    vlfuzz::LoadJpeg(data + 1, size - 1, denominator, grayscale);
  } catch (const fw::EInvalidGraphic&) {
  }
  return 0;
}
