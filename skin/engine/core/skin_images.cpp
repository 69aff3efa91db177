#include "skin/engine/core/skin_images.h"

#include <zlib.h>

#include <string>

#include "fw/codecs/bmp.h"
#include "fw/codecs/image_limits.h"
#include "fw/codecs/jpeg.h"
#include "fw/core/streams.h"
#include "skin/engine/core/png.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

namespace {

void CheckSkinSize(int64_t w, int64_t h, const char16_t* format) {
  if (w < 0) w = -w;
  if (h < 0) h = -h;
  if (w > kMaxSkinImageSide || h > kMaxSkinImageSide || w * h > kMaxSkinImagePixels)
    throw ESkinError(fw::String(format) + u" image is too large for a skin (" +
                     fw::AnsiToString(std::to_string(w) + "x" + std::to_string(h)) + u")");
}

uint32_t ReadBE32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

}  // namespace

void KeyAlpha(TPixelBuffer& image) {
  TPixelView32 v = View32(image);
  for (int y = 0; y < v.Height; ++y) {
    uint32_t* row = v.Row(y);
    for (int x = 0; x < v.Width; ++x) {
      uint32_t c = row[x] & 0xFFFFFFu;
      row[x] = c == clSkinKey ? c : c | 0xFF000000u;
    }
  }
}

TPixelBuffer DecodeSkinBitmap(const std::vector<uint8_t>& bytes) {
  if (bytes.size() >= 26) {
    const uint8_t* info = bytes.data() + 14;
    if (fw::codecs::ReadLE32(info) == 12)
      CheckSkinSize(fw::codecs::ReadLE16(info + 4), fw::codecs::ReadLE16(info + 6), u"Bitmap");
    else
      CheckSkinSize(static_cast<int32_t>(fw::codecs::ReadLE32(info + 4)),
                    static_cast<int32_t>(fw::codecs::ReadLE32(info + 8)), u"Bitmap");
  }
  fw::codecs::BmpImage bmp = fw::codecs::DecodeBmp(bytes.data(), bytes.size());
  CheckSkinSize(bmp.Width, bmp.Height, u"Bitmap");
  TPixelBuffer out(TPixelFormat::pf32bit, bmp.Width, bmp.Height);
  TPixelView32 v = View32(out);
  for (int y = 0; y < bmp.Height; ++y) {
    const uint8_t* src = bmp.Row(y);
    uint32_t* dst = v.Row(y);
    for (int x = 0; x < bmp.Width; ++x) {
      uint32_t p = 0;
      switch (bmp.BitCount) {
        case 1: case 4: case 8: {
          int bits = bmp.BitCount;
          int index = (src[(x * bits) / 8] >> (8 - bits - (x * bits) % 8)) & ((1 << bits) - 1);
          p = static_cast<size_t>(index) < bmp.Palette.size() ? bmp.Palette[index] : 0;
          break;
        }
        case 16: {
          uint16_t w = static_cast<uint16_t>(src[2 * x] | src[2 * x + 1] << 8);
          int r, g, b = (w & 31) * 255 / 31;
          if (bmp.Is565) {
            g = ((w >> 5) & 63) * 255 / 63;
            r = ((w >> 11) & 31) * 255 / 31;
          } else {
            g = ((w >> 5) & 31) * 255 / 31;
            r = ((w >> 10) & 31) * 255 / 31;
          }
          p = MakePixel(b, g, r, 0);
          break;
        }
        case 24: p = MakePixel(src[3 * x], src[3 * x + 1], src[3 * x + 2], 0); break;
        default: p = fw::codecs::ReadLE32(src + 4 * x); break;
      }
      dst[x] = p;
    }
  }
  if (!(bmp.BitCount == 32 && bmp.HasAlpha)) KeyAlpha(out);
  return out;
}

TPixelBuffer DecodeSkinPng(const std::vector<uint8_t>& bytes) {
  if (bytes.size() >= 24) CheckSkinSize(ReadBE32(bytes.data() + 16), ReadBE32(bytes.data() + 20), u"PNG");
  fw::TMemoryStream stream(bytes);
  TPNGReader reader;
  reader.LoadFromStream(stream);
  bool hasAlpha = reader.Image().PixelFormat() == TPixelFormat::pf32bit;
  TPixelBuffer out = reader.Image().ToBGRA32();
  CheckSkinSize(out.Width(), out.Height(), u"PNG");
  if (!hasAlpha) KeyAlpha(out);
  return out;
}

void ReadSkinJpegSize(const std::vector<uint8_t>& bytes, int& width, int& height) {
  fw::codecs::JpegSize size = fw::codecs::ReadJpegSize(bytes.data(), bytes.size());
  CheckSkinSize(size.Width, size.Height, u"JPEG");
  width = size.Width;
  height = size.Height;
}

TPixelBuffer DecodeSkinJpeg(const std::vector<uint8_t>& bytes) {
  int w, h;
  ReadSkinJpegSize(bytes, w, h);
  fw::codecs::JpegImage jpeg = fw::codecs::DecodeJpeg(bytes.data(), bytes.size(), 1, false);
  TPixelBuffer out(TPixelFormat::pf32bit, jpeg.Width, jpeg.Height);
  TPixelView32 v = View32(out);
  for (int y = 0; y < jpeg.Height; ++y) {
    const uint8_t* src = jpeg.Row(y);
    for (int x = 0; x < jpeg.Width; ++x) v.Row(y)[x] = MakePixel(src[3 * x], src[3 * x + 1], src[3 * x + 2], 0);
  }
  KeyAlpha(out);
  return out;
}

namespace {

void PutLE(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

std::vector<uint8_t> BitmapHeaders(int w, int h, int bits, int paletteEntries, uint32_t imageSize) {
  std::vector<uint8_t> out = {'B', 'M'};
  uint32_t offset = 14 + 40 + 4 * paletteEntries;
  PutLE(out, offset + imageSize, 4);
  PutLE(out, 0, 4);
  PutLE(out, offset, 4);
  PutLE(out, 40, 4);
  PutLE(out, static_cast<uint32_t>(w), 4);
  PutLE(out, static_cast<uint32_t>(h), 4);
  PutLE(out, 1, 2);
  PutLE(out, bits, 2);
  PutLE(out, 0, 4);
  PutLE(out, imageSize, 4);
  PutLE(out, 3780, 4);  // 96 DPI
  PutLE(out, 3780, 4);
  PutLE(out, paletteEntries, 4);
  PutLE(out, 0, 4);
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeBitmap24(const TPixelBuffer& image32) {
  const int w = image32.Width(), h = image32.Height();
  const uint32_t rowBytes = (w * 3 + 3) & ~3u;
  std::vector<uint8_t> out = BitmapHeaders(w, h, 24, 0, rowBytes * h);
  for (int y = h - 1; y >= 0; --y) {
    const uint8_t* row = image32.ScanLine(y);
    for (int x = 0; x < w; ++x) out.insert(out.end(), row + 4 * x, row + 4 * x + 3);
    out.insert(out.end(), rowBytes - 3 * w, 0);
  }
  return out;
}

std::vector<uint8_t> EncodeBitmap8Grey(const TPixelBuffer& image8) {
  const int w = image8.Width(), h = image8.Height();
  const uint32_t rowBytes = (w + 3) & ~3u;
  std::vector<uint8_t> out = BitmapHeaders(w, h, 8, 256, rowBytes * h);
  for (int i = 0; i < 256; ++i) PutLE(out, uint32_t(i) | uint32_t(i) << 8 | uint32_t(i) << 16, 4);
  for (int y = h - 1; y >= 0; --y) {
    const uint8_t* row = image8.ScanLine(y);
    out.insert(out.end(), row, row + w);
    out.insert(out.end(), rowBytes - w, 0);
  }
  return out;
}

std::vector<uint8_t> EncodePngRGBA(const TPixelBuffer& image32) {
  const int w = image32.Width(), h = image32.Height();
  auto be32 = [](std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
  };
  auto chunk = [&](std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    be32(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    be32(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
  };
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(h) * (4 * w + 1));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    const uint8_t* row = image32.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      raw.push_back(row[4 * x + 2]);
      raw.push_back(row[4 * x + 1]);
      raw.push_back(row[4 * x]);
      raw.push_back(row[4 * x + 3]);
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9);
  packed.resize(packedSize);
  std::vector<uint8_t> out = {137, 80, 78, 71, 13, 10, 26, 10};
  std::vector<uint8_t> ihdr;
  be32(ihdr, static_cast<uint32_t>(w));
  be32(ihdr, static_cast<uint32_t>(h));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
  chunk(out, "IHDR", ihdr);
  chunk(out, "IDAT", packed);
  chunk(out, "IEND", {});
  return out;
}

}  // namespace skin
