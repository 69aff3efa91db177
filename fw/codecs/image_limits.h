// Size limits that every image reader applies before it allocates pixels,
// and small byte readers shared by the decoders.
#pragma once

#include <cstddef>
#include <cstdint>

#include "fw/core/exceptions.h"
#include "fw/core/types.h"

namespace fw::codecs {

constexpr int kMaxImageSide = 32767;
// About 64 million pixels: a 256 MB 32-bit bitmap.
constexpr int64_t kMaxImagePixels = int64_t(1) << 26;

// Raises EInvalidGraphic "<format> image is too large (WxH)" for sizes past
// the limits and "<format> image has an invalid size" for negative sizes.
void CheckImageSize(int64_t width, int64_t height, const String& format);

// Raises EInvalidGraphic "<format> image is truncated" (or damaged with the
// given reason).
[[noreturn]] void ThrowTruncated(const String& format);
[[noreturn]] void ThrowDamaged(const String& format, const String& reason);

inline uint16_t ReadLE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t ReadLE32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace fw::codecs
