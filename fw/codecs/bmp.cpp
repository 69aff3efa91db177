#include "fw/codecs/bmp.h"

#include <algorithm>
#include <cstring>

#include "fw/codecs/image_limits.h"

namespace fw::codecs {

namespace {

const String kFormat = u"Bitmap";

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kJpeg = 4, kPng = 5, kAlphaBitFields = 6;

struct DibHeader {
  uint32_t size = 0;  // header bytes
  int64_t width = 0;
  int64_t height = 0;  // absolute
  bool topDown = false;
  int bitCount = 0;
  uint32_t compression = kRgb;
  uint32_t sizeImage = 0;
  uint32_t colorsUsed = 0;
  bool core = false;  // 12-byte OS/2 header: 3-byte palette entries
  uint32_t masks[4] = {};
  size_t masksAfterHeader = 0;  // bytes of masks that follow a 40-byte header
  size_t paletteEntries = 0;
  size_t paletteEntryBytes = 4;

  size_t TableBytes() const { return masksAfterHeader + paletteEntries * paletteEntryBytes; }
  size_t Stride() const { return static_cast<size_t>(((width * bitCount + 31) / 32) * 4); }
  bool Compressed() const { return compression == kRle8 || compression == kRle4; }
};

DibHeader ParseDibHeader(const uint8_t* p, size_t avail) {
  DibHeader h;
  if (avail < 4) ThrowTruncated(kFormat);
  h.size = ReadLE32(p);
  if (h.size != 12 && (h.size < 16 || h.size > 124)) ThrowDamaged(kFormat, u"unknown header size");
  if (avail < h.size) ThrowTruncated(kFormat);
  if (h.size == 12) {
    h.core = true;
    h.width = ReadLE16(p + 4);
    h.height = ReadLE16(p + 6);
    h.bitCount = ReadLE16(p + 10);
    h.paletteEntryBytes = 3;
  } else {
    // Fields past the header's size read as zero (short OS/2 2.x headers).
    uint8_t b[124] = {};
    std::memcpy(b, p, h.size);
    h.width = static_cast<int32_t>(ReadLE32(b + 4));
    int64_t height = static_cast<int32_t>(ReadLE32(b + 8));
    h.topDown = height < 0;
    h.height = height < 0 ? -height : height;
    h.bitCount = ReadLE16(b + 14);
    h.compression = ReadLE32(b + 16);
    h.sizeImage = ReadLE32(b + 20);
    h.colorsUsed = ReadLE32(b + 32);
    if (h.size == 64 && (h.compression == 3 || h.compression == 4) && h.bitCount != 16 && h.bitCount != 32)
      ThrowDamaged(kFormat, u"OS/2 compression is not supported");
    if (h.size >= 52) {
      for (int i = 0; i < 3; ++i) h.masks[i] = ReadLE32(b + 40 + 4 * i);
      if (h.size >= 56) h.masks[3] = ReadLE32(b + 52);
    } else if (h.compression == kBitFields) {
      h.masksAfterHeader = 12;
    } else if (h.compression == kAlphaBitFields) {
      h.masksAfterHeader = 16;
    }
  }
  if (h.width < 0) ThrowDamaged(kFormat, u"negative width");
  CheckImageSize(h.width, h.height, kFormat);
  switch (h.compression) {
    case kRgb: break;
    case kRle8:
      if (h.bitCount != 8 || h.topDown) ThrowDamaged(kFormat, u"invalid RLE8 layout");
      break;
    case kRle4:
      if (h.bitCount != 4 || h.topDown) ThrowDamaged(kFormat, u"invalid RLE4 layout");
      break;
    case kBitFields:
    case kAlphaBitFields:
      if (h.bitCount != 16 && h.bitCount != 32) ThrowDamaged(kFormat, u"bit fields need 16 or 32 bits");
      break;
    case kJpeg:
    case kPng: ThrowDamaged(kFormat, u"embedded JPEG or PNG data is not supported");
    default: ThrowDamaged(kFormat, u"unknown compression");
  }
  switch (h.bitCount) {
    case 1: case 4: case 8:
      h.paletteEntries = size_t(1) << h.bitCount;
      if (!h.core && h.colorsUsed != 0 && h.colorsUsed < h.paletteEntries) h.paletteEntries = h.colorsUsed;
      break;
    case 16: case 24: case 32:
      // A colour table may still be there (a display hint); it is skipped.
      if (!h.core && h.colorsUsed <= 256) h.paletteEntries = h.colorsUsed;
      break;
    default: ThrowDamaged(kFormat, u"unsupported bits per pixel");
  }
  return h;
}

// Bytes of pixel data the header promises.
size_t ImageBytes(const DibHeader& h, size_t fileImageBytes) {
  if (!h.Compressed()) return h.Stride() * static_cast<size_t>(h.height);
  if (h.sizeImage != 0) return h.sizeImage;
  if (fileImageBytes != 0) return fileImageBytes;
  ThrowDamaged(kFormat, u"compressed data has no size");
}

int CountBits(uint32_t v) {
  int n = 0;
  for (; v; v &= v - 1) ++n;
  return n;
}

int LowBit(uint32_t v) {
  int n = 0;
  while (v && !(v & 1)) {
    v >>= 1;
    ++n;
  }
  return n;
}

uint8_t Field(uint32_t px, uint32_t mask) {
  if (!mask) return 0;
  uint64_t v = (px & mask) >> LowBit(mask);
  uint64_t max = (uint64_t(1) << CountBits(mask)) - 1;
  return static_cast<uint8_t>(max ? (v * 255 + max / 2) / max : 0);
}

void DecodeRle(const DibHeader& h, const uint8_t* src, size_t n, BmpImage& img) {
  const bool four = h.compression == kRle4;
  const int w = img.Width, height = img.Height;
  // The file's first row is the bottom one.
  int x = 0, y = height - 1;
  size_t i = 0;
  auto put = [&](int value) {
    if (x < w && y >= 0) {
      uint8_t* row = img.Row(y);
      if (four) {
        uint8_t& b = row[x / 2];
        b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (value & 0x0F))
                    : static_cast<uint8_t>((b & 0x0F) | ((value & 0x0F) << 4));
      } else {
        row[x] = static_cast<uint8_t>(value);
      }
    }
    ++x;
  };
  for (;;) {
    if (i + 2 > n) ThrowTruncated(kFormat);
    uint8_t count = src[i], value = src[i + 1];
    i += 2;
    if (count > 0) {
      for (int k = 0; k < count; ++k) put(four ? ((k & 1) ? value & 0x0F : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      --y;
    } else if (value == 1) {  // end of bitmap
      return;
    } else if (value == 2) {  // delta
      if (i + 2 > n) ThrowTruncated(kFormat);
      x += src[i];
      y -= src[i + 1];
      i += 2;
    } else {  // absolute run, padded to a 16-bit boundary
      size_t bytes = four ? (value + 1u) / 2 : value;
      size_t padded = (bytes + 1) & ~size_t(1);
      if (i + padded > n) ThrowTruncated(kFormat);
      for (int k = 0; k < value; ++k) put(four ? ((k & 1) ? src[i + k / 2] & 0x0F : src[i + k / 2] >> 4) : src[i + k]);
      i += padded;
    }
    // Past the last row nothing more can be drawn.
    if (y < 0) return;
  }
}

// Unpacks uncommon bit-field layouts to 8-8-8-8.
void UnpackBitFields(const DibHeader& h, const uint8_t* src, BmpImage& img, uint32_t masks[4]) {
  img.BitCount = 32;
  img.HasAlpha = masks[3] != 0;
  img.Pixels.assign(static_cast<size_t>(img.RowBytes()) * img.Height, 0);
  const size_t stride = h.Stride();
  for (int y = 0; y < img.Height; ++y) {
    const uint8_t* s = src + stride * static_cast<size_t>(h.topDown ? y : img.Height - 1 - y);
    uint8_t* d = img.Row(y);
    for (int x = 0; x < img.Width; ++x) {
      uint32_t px = h.bitCount == 16 ? ReadLE16(s + 2 * x) : ReadLE32(s + 4 * x);
      d[4 * x] = Field(px, masks[2]);
      d[4 * x + 1] = Field(px, masks[1]);
      d[4 * x + 2] = Field(px, masks[0]);
      d[4 * x + 3] = Field(px, masks[3]);
    }
  }
}

// Decodes the DIB at dib; bitsOffset is where its pixels start (relative to
// dib), available the bytes from dib to the end of the data.
BmpImage DecodeFrom(DibHeader h, const uint8_t* dib, size_t available, size_t bitsOffset) {
  BmpImage img;
  img.Width = static_cast<int>(h.width);
  img.Height = static_cast<int>(h.height);
  img.BitCount = h.bitCount;

  // Colour table: as many entries as fit before the pixels, the rest black.
  const uint8_t* table = dib + h.size + h.masksAfterHeader;
  size_t tableRoom = bitsOffset > h.size + h.masksAfterHeader ? bitsOffset - h.size - h.masksAfterHeader : 0;
  tableRoom = std::min(tableRoom, available - std::min(available, h.size + h.masksAfterHeader));
  if (h.bitCount <= 8) {
    img.Palette.assign(size_t(1) << h.bitCount, 0);
    size_t n = std::min(h.paletteEntries, tableRoom / h.paletteEntryBytes);
    for (size_t k = 0; k < n; ++k) {
      const uint8_t* e = table + k * h.paletteEntryBytes;
      img.Palette[k] = e[0] | (e[1] << 8) | (e[2] << 16);
    }
  }

  if (h.masksAfterHeader) {
    if (available < h.size + h.masksAfterHeader) ThrowTruncated(kFormat);
    const uint8_t* m = dib + h.size;
    uint32_t masks[4] = {ReadLE32(m), ReadLE32(m + 4), ReadLE32(m + 8), h.masksAfterHeader == 16 ? ReadLE32(m + 12) : 0};
    std::memcpy(h.masks, masks, sizeof masks);
  }

  if (bitsOffset > available) ThrowTruncated(kFormat);
  if (img.Width == 0 || img.Height == 0) return img;
  const uint8_t* bits = dib + bitsOffset;
  const size_t bitsAvail = available - bitsOffset;
  const size_t rowBytes = static_cast<size_t>(img.RowBytes());

  if (h.Compressed()) {
    img.Pixels.assign(rowBytes * img.Height, 0);
    size_t n = std::min(bitsAvail, ImageBytes(h, bitsAvail));
    DecodeRle(h, bits, n, img);
    return img;
  }

  if (bitsAvail < h.Stride() * static_cast<size_t>(img.Height)) ThrowTruncated(kFormat);

  bool bitFields = h.compression == kBitFields || h.compression == kAlphaBitFields;
  uint32_t masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.compression == kAlphaBitFields || h.size >= 56 ? h.masks[3] : 0};
  if (bitFields && h.bitCount == 16) {
    if (masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F && !masks[3]) bitFields = false;
    else if (masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F && !masks[3]) {
      bitFields = false;
      img.Is565 = true;
    }
  } else if (bitFields && h.bitCount == 32) {
    if (masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF && !masks[3]) bitFields = false;
  }
  if (bitFields) {
    UnpackBitFields(h, bits, img, masks);
    return img;
  }
  img.Pixels.resize(rowBytes * img.Height);
  for (int y = 0; y < img.Height; ++y)
    std::memcpy(img.Row(y), bits + rowBytes * static_cast<size_t>(h.topDown ? y : img.Height - 1 - y), rowBytes);
  return img;
}

constexpr size_t kFileHeader = 14;

}  // namespace

size_t BmpHeadersLength(const uint8_t* data, size_t size) {
  if (size < kFileHeader + 4) return 0;
  if (data[0] != 'B' || data[1] != 'M') ThrowDamaged(kFormat, u"no bitmap signature");
  uint32_t hs = ReadLE32(data + kFileHeader);
  if (hs != 12 && (hs < 16 || hs > 124)) ThrowDamaged(kFormat, u"unknown header size");
  return kFileHeader + hs;
}

size_t BmpFileLength(const uint8_t* data, size_t size) {
  size_t headers = BmpHeadersLength(data, size);
  if (headers == 0 || size < headers) return 0;
  DibHeader h = ParseDibHeader(data + kFileHeader, size - kFileHeader);
  size_t offBits = ReadLE32(data + 10);
  size_t minOff = kFileHeader + h.size + h.TableBytes();
  if (offBits < kFileHeader + h.size + h.masksAfterHeader) offBits = minOff;
  size_t fileSize = ReadLE32(data + 2);
  size_t fromFile = fileSize > offBits ? fileSize - offBits : 0;
  return offBits + ImageBytes(h, fromFile);
}

BmpImage DecodeBmp(const uint8_t* data, size_t size) {
  size_t headers = BmpHeadersLength(data, size);
  if (headers == 0 || size < headers) ThrowTruncated(kFormat);
  DibHeader h = ParseDibHeader(data + kFileHeader, size - kFileHeader);
  size_t offBits = ReadLE32(data + 10);
  // A bits offset inside the headers is wrong: the pixels follow the table.
  if (offBits < kFileHeader + h.size + h.masksAfterHeader) offBits = kFileHeader + h.size + h.TableBytes();
  return DecodeFrom(h, data + kFileHeader, size - kFileHeader, offBits - kFileHeader);
}

BmpImage DecodeDib(const uint8_t* data, size_t size) {
  DibHeader h = ParseDibHeader(data, size);
  return DecodeFrom(h, data, size, h.size + h.TableBytes());
}

}  // namespace fw::codecs
