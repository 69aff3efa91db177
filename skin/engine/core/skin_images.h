// The images of a skin as 32-bit pixels: bitmaps through the framework's BMP
// reader, PNG through the engine's reader, JPEG through libjpeg. Images that
// come without alpha get alpha 255 everywhere except on pixels of exactly
// 0xFF00FF, which stay transparent (alpha 0). Sizes past the skin limits are
// refused before any pixels are allocated.
#pragma once

#include <cstdint>
#include <vector>

#include "fw/core/types.h"
#include "skin/engine/core/pixel_buffer.h"

namespace skin {

// Mask coordinates have four digits, so no skin image needs a side above
// 9999; 16M pixels keep one image at 64 MB.
constexpr int kMaxSkinImageSide = 9999;
constexpr int64_t kMaxSkinImagePixels = int64_t(1) << 24;

// Each raises fw::EInvalidGraphic (or ESkinError for the skin limits).
TPixelBuffer DecodeSkinBitmap(const std::vector<uint8_t>& bytes);
// PNG pixels keep the alpha they carry.
TPixelBuffer DecodeSkinPng(const std::vector<uint8_t>& bytes);
TPixelBuffer DecodeSkinJpeg(const std::vector<uint8_t>& bytes);
void ReadSkinJpegSize(const std::vector<uint8_t>& bytes, int& width, int& height);

// Alpha 255 for every pixel but the key colour, which gets alpha 0.
void KeyAlpha(TPixelBuffer& image);

// Writers for the program's own skins and for tests: a 24-bit bottom-up BMP
// (or 8-bit grey with a grey palette), and an 8-bit RGBA PNG.
std::vector<uint8_t> EncodeBitmap24(const TPixelBuffer& image32);
std::vector<uint8_t> EncodeBitmap8Grey(const TPixelBuffer& image8);
std::vector<uint8_t> EncodePngRGBA(const TPixelBuffer& image32);

}  // namespace skin
