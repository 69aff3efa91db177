// Font files are read straight from disk before any system font code sees
// them: any bytes must end in an error number, never a crash, a hang or a
// read outside the file.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/core/ttf_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fw::TMemoryStream font(std::vector<uint8_t>(data, data + size));
  app::tTTFList list;
  app::ThhTTFinfo::ReadNamingTable(font, list);
  return 0;
}
