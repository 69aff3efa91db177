#include "fw/codecs/metafile.h"

#include <cstdlib>
#include <cstring>

#include "fw/codecs/image_limits.h"

namespace fw::codecs {

namespace {
const String kFormat = u"Metafile";
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr uint32_t kEmrHeader = 1, kEmrEof = 14;
constexpr uint16_t kMetaEof = 0x0000, kMetaSetWindowExt = 0x020C;
}  // namespace

MetafileInfo MetafileHeader(const uint8_t* data, size_t size) {
  MetafileInfo info;
  if (size < 4) return info;
  uint32_t first = ReadLE32(data);
  if (first == kPlaceableKey) {
    if (size < 22 + 18) return info;
    info.Kind = MetafileKind::Placeable;
    info.Left = static_cast<int16_t>(ReadLE16(data + 6));
    info.Top = static_cast<int16_t>(ReadLE16(data + 8));
    info.Right = static_cast<int16_t>(ReadLE16(data + 10));
    info.Bottom = static_cast<int16_t>(ReadLE16(data + 12));
    info.Inch = ReadLE16(data + 14);
    if (info.Inch == 0) ThrowDamaged(kFormat, u"zero units per inch");
    info.WmfOffset = 22;
  } else if (first == kEmrHeader) {
    if (size < 52) return info;
    if (std::memcmp(data + 40, " EMF", 4) != 0) ThrowDamaged(kFormat, u"no metafile signature");
    info.Kind = MetafileKind::Enhanced;
    info.Left = static_cast<int32_t>(ReadLE32(data + 24));
    info.Top = static_cast<int32_t>(ReadLE32(data + 28));
    info.Right = static_cast<int32_t>(ReadLE32(data + 32));
    info.Bottom = static_cast<int32_t>(ReadLE32(data + 36));
    info.Length = ReadLE32(data + 48);
    if (info.Length < 88) ThrowDamaged(kFormat, u"invalid size");
    return info;
  } else {
    if (size < 18) return info;
    info.Kind = MetafileKind::Windows;
  }
  const uint8_t* w = data + info.WmfOffset;
  uint16_t type = ReadLE16(w), headerWords = ReadLE16(w + 2);
  if ((type != 1 && type != 2) || headerWords != 9) ThrowDamaged(kFormat, u"no metafile signature");
  size_t words = ReadLE32(w + 6);
  if (words < 9 + 3) ThrowDamaged(kFormat, u"invalid size");
  info.Length = info.WmfOffset + words * 2;
  return info;
}

MetafileInfo CheckMetafile(const uint8_t* data, size_t size) {
  MetafileInfo info = MetafileHeader(data, size);
  if (info.Length == 0 || info.Length > size) ThrowTruncated(kFormat);
  if (info.Kind == MetafileKind::Enhanced) {
    size_t pos = 0;
    for (;;) {
      if (info.Length - pos < 8) ThrowDamaged(kFormat, u"missing end record");
      uint32_t type = ReadLE32(data + pos), n = ReadLE32(data + pos + 4);
      if (n < 8 || n % 4 != 0 || n > info.Length - pos) ThrowDamaged(kFormat, u"invalid record size");
      if (pos == 0 && type != kEmrHeader) ThrowDamaged(kFormat, u"no metafile signature");
      pos += n;
      if (type == kEmrEof) break;
    }
    CheckImageSize(std::abs(int64_t(info.Right) - info.Left) * 96 / 2540, std::abs(int64_t(info.Bottom) - info.Top) * 96 / 2540,
                   kFormat);
    return info;
  }
  size_t pos = info.WmfOffset + 18;
  for (;;) {
    if (info.Length - pos < 6) ThrowDamaged(kFormat, u"missing end record");
    size_t words = ReadLE32(data + pos);
    uint16_t function = ReadLE16(data + pos + 4);
    if (words < 3 || words > (info.Length - pos) / 2) ThrowDamaged(kFormat, u"invalid record size");
    if (function == kMetaSetWindowExt && words >= 5 && !info.HasExtent) {
      info.HasExtent = true;
      info.Bottom = static_cast<int16_t>(ReadLE16(data + pos + 6));  // y comes first
      info.Right = static_cast<int16_t>(ReadLE16(data + pos + 8));
    }
    pos += words * 2;
    if (function == kMetaEof) break;
  }
  if (info.Kind == MetafileKind::Placeable)
    CheckImageSize(std::abs(int64_t(info.Right) - info.Left) * 96 / info.Inch,
                   std::abs(int64_t(info.Bottom) - info.Top) * 96 / info.Inch, kFormat);
  return info;
}

}  // namespace fw::codecs
