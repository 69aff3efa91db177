// Each picture format loaded the way the program's graphic classes load it,
// through the portable readers: how much of the input a loader takes, which
// header it reads first, and the decoding the picture's first drawing does.
// What the system makes of a checked icon image or metafile is left out.
// Every input ends in a result or in a reader's error (fw::Exception).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstdint>
#include <vector>

#include "fw/codecs/bmp.h"
#include "fw/codecs/gif.h"
#include "fw/codecs/ico.h"
#include "fw/codecs/image_limits.h"
#include "fw/codecs/jpeg.h"
#include "fw/codecs/metafile.h"
#include "fw/codecs/picture_format.h"
#include "fw/core/exceptions.h"
#include "fw/core/streams.h"
#include "skin/engine/core/png.h"

namespace vlfuzz {

// Larger pictures are valid but slow to decode; the fuzzer keeps to small
// ones so that each run stays quick.
constexpr int64_t kMaxDecodedPixels = int64_t{1} << 20;

// The pixels a DIB's info header gives; 0 when it is not there.
inline int64_t DibPixels(const uint8_t* d, size_t n) {
  if (n < 12) return 0;
  if (fw::codecs::ReadLE32(d) == 12) return int64_t{fw::codecs::ReadLE16(d + 4)} * fw::codecs::ReadLE16(d + 6);
  if (n < 16) return 0;
  const int64_t w = static_cast<int32_t>(fw::codecs::ReadLE32(d + 4));
  const int64_t h = static_cast<int32_t>(fw::codecs::ReadLE32(d + 8));
  return std::abs(w) * std::abs(h);
}

inline void LoadDib(const uint8_t* d, size_t n) {
  if (DibPixels(d, n) > kMaxDecodedPixels) return;
  fw::codecs::DecodeDib(d, n);
}

// The headers, then the length they give.
inline void LoadBmp(const uint8_t* d, size_t n) {
  if (n < 18) fw::codecs::ThrowTruncated(u"Bitmap");
  size_t headers = fw::codecs::BmpHeadersLength(d, 18);
  if (n < headers) fw::codecs::ThrowTruncated(u"Bitmap");
  size_t total = std::max(fw::codecs::BmpFileLength(d, headers), headers);
  if (n < total) fw::codecs::ThrowTruncated(u"Bitmap");
  if (DibPixels(d + 14, total - 14) > kMaxDecodedPixels) return;
  fw::codecs::DecodeBmp(d, total);
}

// The pixels of the screen as it grows to hold the first frame, from the
// header and the first image descriptor; 0 when they are not there.
inline int64_t GifPixels(const uint8_t* d, size_t n) {
  if (n < 13) return 0;
  int64_t w = fw::codecs::ReadLE16(d + 6), h = fw::codecs::ReadLE16(d + 8);
  size_t at = 13 + (d[10] & 0x80 ? size_t{3} << ((d[10] & 7) + 1) : 0);
  while (at + 10 <= n && d[at] == 0x21) {
    for (at += 2; at < n && d[at] != 0; at += d[at] + size_t{1}) {
    }
    ++at;
  }
  if (at + 10 > n || d[at] != 0x2C) return 0;
  w = std::max<int64_t>(w, fw::codecs::ReadLE16(d + at + 1) + int64_t{fw::codecs::ReadLE16(d + at + 5)});
  h = std::max<int64_t>(h, fw::codecs::ReadLE16(d + at + 3) + int64_t{fw::codecs::ReadLE16(d + at + 7)});
  return w * h;
}

inline void LoadGif(const uint8_t* d, size_t n) {
  if (GifPixels(d, n) > kMaxDecodedPixels) return;
  fw::codecs::DecodeGif(d, n);
}

// The header when loaded, the pixels when first drawn.
inline void LoadJpeg(const uint8_t* d, size_t n, int denominator, bool grayscale) {
  fw::codecs::JpegSize size = fw::codecs::ReadJpegSize(d, n);
  if (int64_t{size.Width} * size.Height > kMaxDecodedPixels) return;
  fw::codecs::DecodeJpeg(d, n, denominator, grayscale);
}

inline void LoadPng(fw::TStream& stream) {
  skin::TPNGReader reader;
  try {
    skin::TPNGReader::CanLoad(stream);
    int64_t start = stream.Position();
    if (reader.ReadImageProperties(stream, 0) &&
        int64_t{reader.ImageProperties().Width} * reader.Height() > kMaxDecodedPixels)
      return;
    stream.SetPosition(start);
    reader.LoadFromStream(stream);
  } catch (const fw::Exception&) {
    // The image keeps what was decoded, and is shown so.
    reader.Image().ToBGRA32();
    throw;
  }
  reader.Image().ToBGRA32();
}

inline void LoadPng(const uint8_t* d, size_t n) {
  fw::TMemoryStream stream(std::vector<uint8_t>(d, d + n));
  LoadPng(stream);
}

// The directory, then the images it points at; the entry of the wanted size
// is shown, a PNG one through the PNG reader.
inline void LoadIco(const uint8_t* d, size_t n, int wanted) {
  if (n < 6) fw::codecs::ThrowTruncated(u"Icon");
  fw::codecs::IcoFileLength(d, 6);
  size_t directory = 6 + 16 * size_t{fw::codecs::ReadLE16(d + 4)};
  if (n < directory) fw::codecs::ThrowTruncated(u"Icon");
  size_t total = std::max(fw::codecs::IcoFileLength(d, directory), directory);
  if (n < total) fw::codecs::ThrowTruncated(u"Icon");
  std::vector<fw::codecs::IcoEntry> entries = fw::codecs::ReadIcoDirectory(d, total);
  const fw::codecs::IcoEntry& e = entries[fw::codecs::ChooseIcoEntry(entries, wanted)];
  if (e.Png) LoadPng(d + e.Offset, e.Size);
}

// At most 52 bytes for the header, then the length it gives.
inline void LoadMetafile(const uint8_t* d, size_t n) {
  fw::codecs::MetafileInfo head = fw::codecs::MetafileHeader(d, std::min<size_t>(n, 52));
  if (head.Length == 0 || head.Length > n) fw::codecs::ThrowTruncated(u"Metafile");
  fw::codecs::CheckMetafile(d, head.Length);
}

// The format the first bytes announce.
inline void LoadPicture(const uint8_t* d, size_t n) {
  const char16_t* format = fw::codecs::DetectPictureFormat(d, n);
  if (!format) return;
  const std::u16string_view f = format;
  if (f == u"bmp") LoadBmp(d, n);
  else if (f == u"gif") LoadGif(d, n);
  else if (f == u"jpg") LoadJpeg(d, n, 1, false);
  else if (f == u"png") LoadPng(d, n);
  else if (f == u"ico") LoadIco(d, n, 32);
  else LoadMetafile(d, n);
}

}  // namespace vlfuzz
