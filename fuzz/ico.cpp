// Icon files come from the user: the directory and the entries it points at
// are checked before the system sees them, and a PNG entry is read by the
// PNG reader; any input must end in an icon or the readers' error.
#include <cstddef>
#include <cstdint>

#include "fuzz/picture_loads.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    vlfuzz::LoadIco(data, size, 32);
  } catch (const fw::Exception&) {
  }
  return 0;
}
