// GIF files come from the user: any input must end in an image or an
// EInvalidGraphic, never a crash, a hang or an over-read.
#include <cstddef>
#include <cstdint>

#include "fw/codecs/gif.h"
#include "fw/core/exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    fw::codecs::GifImage img = fw::codecs::DecodeGif(data, size);
    (void)img;
  } catch (const fw::EInvalidGraphic&) {
  }
  return 0;
}
