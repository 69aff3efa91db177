// Icon and metafile files come from the user: their directories, headers
// and record chains are checked before the system sees them; any input
// must end in a result or an EInvalidGraphic.
#include <cstddef>
#include <cstdint>

#include "fw/codecs/ico.h"
#include "fw/codecs/metafile.h"
#include "fw/core/exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    if (fw::codecs::IcoFileLength(data, size) <= size) {
      auto entries = fw::codecs::ReadIcoDirectory(data, size);
      (void)fw::codecs::ChooseIcoEntry(entries, 32);
    }
  } catch (const fw::EInvalidGraphic&) {
  }
  try {
    fw::codecs::CheckMetafile(data, size);
  } catch (const fw::EInvalidGraphic&) {
  }
  return 0;
}
