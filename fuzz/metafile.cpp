// Metafiles come from the user: headers and record chains are checked before
// the system plays them; any input must end in a result or an
// EInvalidGraphic.
#include <cstddef>
#include <cstdint>

#include "fuzz/picture_loads.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    vlfuzz::LoadMetafile(data, size);
  } catch (const fw::EInvalidGraphic&) {
  }
  return 0;
}
