// A picture file is opened by the format its first bytes announce: any
// input must end in a picture or a reader's error.
#include <cstddef>
#include <cstdint>

#include "fuzz/picture_loads.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    vlfuzz::LoadPicture(data, size);
  } catch (const fw::Exception&) {
  }
  return 0;
}
