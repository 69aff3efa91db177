// Font files are named from what the system says of them (a description per
// file kind) or from the resource file made for them, and found by their
// paths: any text or bytes must end in a name, never a crash or a read
// outside the text.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/core/font_files.h"

namespace {

bool Exists(const fw::String&) { return true; }
bool Missing(const fw::String&) { return false; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the file kind; the rest is the description as
  // UTF-16 text, and also the bytes of a font resource file.
  static const char16_t* const kKinds[] = {u".TTC", u".TTF", u".OTF", u".FON", u".PFM", u""};
  const fw::String kind = kKinds[data[0] % 6];
  fw::String text;
  for (size_t i = 1; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  (void)app::FaceNameFromDescription(kind, text);
  (void)app::FaceNameFromFot(std::vector<uint8_t>(data + 1, data + size));
  std::vector<fw::String> pieces;
  app::SplitText(text, static_cast<char16_t>(data[0]), pieces, u"Regular");
  // The text as a path of that kind.
  const fw::String path = text + kind;
  (void)app::IsFontFileExt(app::UpperFileExt(path));
  (void)app::FontResourceName(path, data[0] & 0x80 ? Exists : Missing);
  (void)app::CharsetName(static_cast<int8_t>(data[0]));
  return 0;
}
