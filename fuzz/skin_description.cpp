// Skin descriptions with their images: the input is a packed skin when it
// starts with "KSzf" (description and images from its entries), otherwise a
// description whose images all come from one small master bitmap. Every
// input ends in a loaded skin or in ESkinError.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/skin_images.h"
#include "skin/engine/core/skin_ini.h"
#include "skin/engine/core/skin_loader.h"

namespace {

class OneMaster : public skin::TSkinImages {
 public:
  OneMaster() {
    skin::TPixelBuffer b(skin::TPixelFormat::pf32bit, 64, 48);
    skin::View32(b).Pixel(0, 0) = skin::clSkinKey;
    bmp_ = skin::EncodeBitmap24(b);
    png_ = skin::EncodePngRGBA(b);
  }
  bool Read(const fw::String& name, std::vector<uint8_t>& bytes) override {
    bytes = name.find(u".PNG") != fw::String::npos ? png_ : bmp_;
    return true;
  }

 private:
  std::vector<uint8_t> bmp_, png_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static OneMaster images;
  static skin::TPixelBuffer blur(skin::TPixelFormat::pf8bit, 19, 19);
  skin::TSkinLoadOptions o;
  o.Blur5 = &blur;
  o.Saturation = -58;
  o.HueOffset = size % 2 ? 30 : 0;
  o.Brightness = size % 3 ? 0 : 20;
  try {
    std::vector<uint8_t> bytes(data, data + size);
    if (size >= 4 && bytes[0] == 'K' && bytes[1] == 'S' && bytes[2] == 'z' && bytes[3] == 'f')
      skin::LoadPackedSkin(u"fuzz", bytes, o);
    else
      skin::LoadSkin(u"fuzz", skin::DescriptionText(bytes), images, o);
  } catch (const skin::ESkinError&) {
  }
  return 0;
}
