// GIF files come from the user: any input must end in an image or an
// EInvalidGraphic, never a crash, a hang or an over-read.
#include <cstddef>
#include <cstdint>

#include "fuzz/picture_loads.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    vlfuzz::LoadGif(data, size);
  } catch (const fw::EInvalidGraphic&) {
  }
  return 0;
}
