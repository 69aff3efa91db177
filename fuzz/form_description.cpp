// Form descriptions are parsed from text; any input must end in a value or
// an error, never a crash or a hang.
#include <cstddef>
#include <cstdint>

#include "fw/core/form_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    fw::TFormObject root = fw::ParseFormDescription(data, size, u"fuzz.form");
    (void)root;
  } catch (const fw::EFormDescriptionError&) {
  }
  return 0;
}
