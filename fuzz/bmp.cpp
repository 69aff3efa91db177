// Bitmap files and packed DIBs come from the user: any input must end in an
// image or an EInvalidGraphic, never a crash or an over-read.
#include <cstddef>
#include <cstdint>

#include "fuzz/picture_loads.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    if (size > 0 && data[0] == 'B') vlfuzz::LoadBmp(data, size);
    else vlfuzz::LoadDib(data, size);
  } catch (const fw::EInvalidGraphic&) {
  }
  return 0;
}
