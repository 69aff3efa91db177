// One mask value ("@", "^", "~", "!", "#" and plain forms): parsed, its
// own-image geometry set and its corners searched in a small image, or
// refused with ESkinError.
#include <cstddef>
#include <cstdint>

#include "skin/engine/core/mask_values.h"
#include "skin/engine/core/skin_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static skin::TPixelBuffer image(skin::TPixelFormat::pf32bit, 40, 30);
  try {
    skin::TMaskValue v = skin::ParseMaskValue(skin::DescriptionText(std::vector<uint8_t>(data, data + size)));
    if (v.Kind == skin::TMaskValueKind::OwnImage || v.Kind == skin::TMaskValueKind::PlainBitmap)
      skin::SetOwnImageGeometry(v, 40, 30);
    skin::MaskCornerType(v.Mask, skin::View32(image));
    skin::MaskFrameWidth(v.Mask);
    skin::MaskFrameHeight(v.Mask);
  } catch (const skin::ESkinError&) {
  }
  return 0;
}
