// Form descriptions are parsed from text; any input must end in a value or
// an error, never a crash or a hang.
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)data;
  (void)size;
  return 0;
}
