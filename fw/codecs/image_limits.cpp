#include "fw/codecs/image_limits.h"

#include <string>

namespace fw::codecs {

namespace {
String Num(int64_t v) {
  std::string s = std::to_string(v);
  return String(s.begin(), s.end());
}
}  // namespace

void CheckImageSize(int64_t width, int64_t height, const String& format) {
  if (width < 0 || height < 0) throw EInvalidGraphic(format + u" image has an invalid size");
  if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
    throw EInvalidGraphic(format + u" image is too large (" + Num(width) + u"x" + Num(height) + u")");
}

void ThrowTruncated(const String& format) { throw EInvalidGraphic(format + u" image is truncated"); }

void ThrowDamaged(const String& format, const String& reason) {
  throw EInvalidGraphic(format + u" image is damaged: " + reason);
}

}  // namespace fw::codecs
