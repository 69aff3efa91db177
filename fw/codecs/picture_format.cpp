#include "fw/codecs/picture_format.h"

#include <algorithm>
#include <initializer_list>

namespace fw::codecs {

const char16_t* DetectPictureFormat(const uint8_t* d, size_t n) {
  auto starts = [&](std::initializer_list<uint8_t> sig, size_t at = 0) {
    if (n < at + sig.size()) return false;
    return std::equal(sig.begin(), sig.end(), d + at);
  };
  if (starts({'B', 'M'})) return u"bmp";
  if (starts({'G', 'I', 'F', '8'})) return u"gif";
  if (starts({0xFF, 0xD8, 0xFF})) return u"jpg";
  if (starts({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return u"png";
  if (starts({0, 0, 1, 0})) return u"ico";
  if (starts({1, 0, 0, 0}) && starts({' ', 'E', 'M', 'F'}, 40)) return u"emf";
  if (starts({0xD7, 0xCD, 0xC6, 0x9A}) || starts({1, 0, 9, 0}) || starts({2, 0, 9, 0})) return u"wmf";
  return nullptr;
}

}  // namespace fw::codecs
