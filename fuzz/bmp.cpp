// Bitmap files come from the user: any input must end in an image or an
// EInvalidGraphic, never a crash or an over-read.
#include <cstddef>
#include <cstdint>

#include "fw/codecs/bmp.h"
#include "fw/core/exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    if (size > 0 && data[0] == 'B') {
      if (fw::codecs::BmpFileLength(data, size) <= size) fw::codecs::DecodeBmp(data, size);
    } else {
      fw::codecs::DecodeDib(data, size);
    }
  } catch (const fw::EInvalidGraphic&) {
  }
  return 0;
}
