// Packed skins (".ksz"): split into entries, or refused with ESkinError.
#include <cstddef>
#include <cstdint>

#include "skin/engine/core/packed_skin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    skin::ReadPackedEntries(data, size);
  } catch (const skin::ESkinError&) {
  }
  return 0;
}
