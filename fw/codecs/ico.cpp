#include "fw/codecs/ico.h"

#include <algorithm>
#include <cstring>

#include "fw/codecs/image_limits.h"

namespace fw::codecs {

namespace {
const String kFormat = u"Icon";
const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

uint32_t ReadBE32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

size_t DirectoryCount(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  uint16_t type = ReadLE16(data + 2);
  if (ReadLE16(data) != 0 || (type != 1 && type != 2)) ThrowDamaged(kFormat, u"no icon signature");
  size_t count = ReadLE16(data + 4);
  if (count == 0) ThrowDamaged(kFormat, u"the file holds no image");
  return count;
}
}  // namespace

size_t IcoFileLength(const uint8_t* data, size_t size) {
  size_t count = DirectoryCount(data, size);
  if (count == 0 || size < 6 + 16 * count) return 0;
  size_t end = 6 + 16 * count;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = data + 6 + 16 * i;
    end = std::max<size_t>(end, size_t(ReadLE32(e + 12)) + ReadLE32(e + 8));
  }
  return end;
}

std::vector<IcoEntry> ReadIcoDirectory(const uint8_t* data, size_t size) {
  size_t count = DirectoryCount(data, size);
  if (count == 0 || size < 6 + 16 * count) ThrowTruncated(kFormat);
  std::vector<IcoEntry> out;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = data + 6 + 16 * i;
    IcoEntry entry;
    entry.Size = ReadLE32(e + 8);
    entry.Offset = ReadLE32(e + 12);
    if (entry.Offset < 6 + 16 * count || entry.Offset > size || entry.Size > size - entry.Offset)
      ThrowTruncated(kFormat);
    const uint8_t* p = data + entry.Offset;
    if (entry.Size >= 24 && std::memcmp(p, kPngSignature, 8) == 0) {
      entry.Png = true;
      entry.Width = static_cast<int>(std::min<uint32_t>(ReadBE32(p + 16), 1u << 30));
      entry.Height = static_cast<int>(std::min<uint32_t>(ReadBE32(p + 20), 1u << 30));
      entry.BitCount = 32;
      CheckImageSize(entry.Width, entry.Height, kFormat);
    } else {
      if (entry.Size < 40) ThrowTruncated(kFormat);
      uint32_t header = ReadLE32(p);
      if (header < 40 || header > entry.Size) ThrowDamaged(kFormat, u"unknown header size");
      int64_t w = static_cast<int32_t>(ReadLE32(p + 4));
      int64_t h2 = static_cast<int32_t>(ReadLE32(p + 8));
      int bits = ReadLE16(p + 14);
      uint32_t compression = ReadLE32(p + 16);
      uint32_t used = ReadLE32(p + 32);
      if (w <= 0 || h2 <= 0) ThrowDamaged(kFormat, u"invalid size");
      if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        ThrowDamaged(kFormat, u"unsupported bits per pixel");
      if (compression != 0 && compression != 3) ThrowDamaged(kFormat, u"unsupported compression");
      CheckImageSize(w, h2 / 2, kFormat);
      entry.Width = static_cast<int>(w);
      entry.Height = static_cast<int>(h2 / 2);
      entry.BitCount = bits;
      // Colour table, colour rows and mask rows must all be there.
      size_t colors = bits <= 8 ? (used && used < (1u << bits) ? used : (1u << bits)) : 0;
      size_t table = colors * 4 + (compression == 3 ? 12 : 0);
      size_t xorRow = static_cast<size_t>(((w * bits + 31) / 32) * 4);
      size_t andRow = static_cast<size_t>(((w + 31) / 32) * 4);
      size_t need = header + table + (xorRow + andRow) * static_cast<size_t>(entry.Height);
      if (need > entry.Size) ThrowTruncated(kFormat);
    }
    out.push_back(entry);
  }
  return out;
}

size_t ChooseIcoEntry(const std::vector<IcoEntry>& entries, int wanted) {
  size_t best = 0;
  bool exact = false;
  for (size_t i = 0; i < entries.size(); ++i) {
    const IcoEntry& e = entries[i];
    const IcoEntry& b = entries[best];
    bool isExact = e.Width == wanted && e.Height == wanted;
    if (isExact && (!exact || e.BitCount > b.BitCount)) {
      best = i;
      exact = true;
    } else if (!exact && (int64_t(e.Width) * e.Height > int64_t(b.Width) * b.Height ||
                          (e.Width == b.Width && e.Height == b.Height && e.BitCount > b.BitCount))) {
      best = i;
    }
  }
  return best;
}

}  // namespace fw::codecs
