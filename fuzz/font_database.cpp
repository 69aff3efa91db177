// The font database file may be damaged or foreign: any record bytes must
// read and filter without a crash or a read outside the record.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "app/core/font_database.h"
#include "fw/core/exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const app::TFontFilter all;
  app::TFontFilter some;
  for (size_t i = 0; i < some.Boxes.size() && i < size; ++i) some.Boxes[i].Checked = data[i] & 1;
  for (size_t at = 0; at + sizeof(app::TCompRec) <= size; at += sizeof(app::TCompRec)) {
    app::TCompRec rec;
    std::memcpy(&rec, data + at, sizeof rec);
    (void)rec.Name.Get();
    (void)rec.FileName.Get();
    for (const app::TFontFilter* f : {&all, static_cast<const app::TFontFilter*>(&some)}) {
      try {
        (void)app::CompareFontFromDatabase(rec, *f);
      } catch (const fw::EConvertError&) {
      }
    }
  }
  return 0;
}
