// Gradient descriptions are skin text: any bytes parse into stops or raise a
// conversion error, and any stops paint inside the image, whatever the
// rectangle and texture.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fw/core/exceptions.h"
#include "skin/engine/core/gradient.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  // The first bytes pick the rectangle, the image and texture sizes.
  const fw::TRect r{int8_t(data[0]) / 4, int8_t(data[1]) / 4, int8_t(data[2]) / 2, int8_t(data[3]) / 2};
  const int w = 1 + data[4] % 40, h = 1 + data[5] % 40;
  const fw::String text = fw::AnsiToString(std::string_view(reinterpret_cast<const char*>(data) + 6, size - 6));
  skin::TkGradArray stops;
  try {
    skin::ParseGradientData(text, stops);
  } catch (const fw::EConvertError&) {
    return 0;
  }
  skin::TPixelBuffer image(skin::TPixelFormat::pf32bit, w, h);
  skin::TPixelBuffer texture(skin::TPixelFormat::pf32bit, 1 + data[4] % 5, 1 + data[5] % 5);
  skin::FillGradient(skin::View32(image), r, stops);
  skin::FillGradientTextured(skin::View32(image), r, stops, skin::View32(texture),
                             {data[0] % 4, data[1] % 4, data[2] % 7, data[3] % 7}, data[4], data[5]);
  return 0;
}
