// The PNG reader takes any bytes: every input ends in an image or in the
// reader's error, never a crash, a hang or unbounded memory.
#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/picture_loads.h"

namespace {

using Bytes = std::vector<uint8_t>;

void PutBE32(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}

void PutChunk(Bytes& png, const char* type, const Bytes& data) {
  PutBE32(png, static_cast<uint32_t>(data.size()));
  Bytes typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  png.insert(png.end(), typed.begin(), typed.end());
  PutBE32(png, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

// Chunk CRCs would stop almost every mutation at the first chunk: the
// input follows the signature and its chunk CRCs are made right.
Bytes WithRightCRCs(const uint8_t* data, size_t size) {
  Bytes png = {137, 80, 78, 71, 13, 10, 26, 10};
  png.insert(png.end(), data, data + size);
  size_t pos = 8;
  while (pos + 8 <= png.size()) {
    uint32_t length = (uint32_t{png[pos]} << 24) | (png[pos + 1] << 16) | (png[pos + 2] << 8) | png[pos + 3];
    if (length > png.size() - pos - 8 || png.size() - pos - 8 - length < 4) break;
    uint32_t crc = static_cast<uint32_t>(crc32(0, png.data() + pos + 4, length + 4));
    uint8_t* p = png.data() + pos + 8 + length;
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    pos += 12 + length;
  }
  return png;
}

// A well-formed file around fuzzed content: a small header from the first
// bytes, then palette, key and background chunks, and the rest compressed as
// the image data, so that the fuzzer works on filters, interlacing and
// sample conversion rather than on zlib's framing.
Bytes Synthesized(const uint8_t* d, size_t n) {
  if (n < 8) return Bytes(d, d + n);
  Bytes png = {137, 80, 78, 71, 13, 10, 26, 10};
  Bytes ihdr;
  PutBE32(ihdr, 1 + d[0] % 40);
  PutBE32(ihdr, 1 + d[1] % 40);
  static const uint8_t kDepths[] = {1, 2, 4, 8, 16, 3};
  static const uint8_t kTypes[] = {0, 2, 3, 4, 6, 5};
  ihdr.insert(ihdr.end(), {kDepths[d[2] % 6], kTypes[d[3] % 6], 0, 0, static_cast<uint8_t>(d[4] & 1)});
  PutChunk(png, "IHDR", ihdr);
  size_t pos = 8;
  auto take = [&](size_t count) {
    count = std::min(count, n - pos);
    Bytes b(d + pos, d + pos + count);
    pos += count;
    return b;
  };
  if (d[5] & 1) PutChunk(png, "PLTE", take(3 * (d[6] % 20)));
  if (d[5] & 2) PutChunk(png, "tRNS", take(d[7] % 8));
  if (d[5] & 4) PutChunk(png, "bKGD", take(d[7] % 7));
  if (d[5] & 8) PutChunk(png, "gAMA", take(4));
  Bytes raw(d + pos, d + n);
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(size);
  compress(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
  packed.resize(size);
  size_t piece = d[5] & 16 ? 5 : packed.size() + 1;
  for (size_t i = 0; i < packed.size(); i += piece)
    PutChunk(png, "IDAT", Bytes(packed.begin() + i, packed.begin() + std::min(packed.size(), i + piece)));
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks how the rest becomes a file: as it is, with its
  // chunk CRCs made right, or synthesized around it.
  Bytes file;
  switch (data[0] % 3) {
    case 0: file.assign(data + 1, data + size); break;
    case 1: file = WithRightCRCs(data + 1, size - 1); break;
    default: file = Synthesized(data + 1, size - 1); break;
  }
  fw::TMemoryStream stream(std::move(file));
  try {
    vlfuzz::LoadPng(stream);
  } catch (const fw::Exception&) {
  }
  return 0;
}
