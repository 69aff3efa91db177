// The PNG reader takes any bytes: every input ends in an image or in the
// reader's error, never a crash, a hang or unbounded memory.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fw/core/exceptions.h"
#include "fw/core/streams.h"
#include "skin/engine/core/png.h"

namespace {

// Chunk CRCs would stop almost every mutation at the first chunk; unless
// the first input byte is odd, the input follows the signature and its chunk
// CRCs are made right, so the fuzzer reaches the decoder.
std::vector<uint8_t> PrepareInput(const uint8_t* data, size_t size) {
  if (size == 0 || (data[0] & 1)) return std::vector<uint8_t>(data, data + size);
  std::vector<uint8_t> png = {137, 80, 78, 71, 13, 10, 26, 10};
  png.insert(png.end(), data + 1, data + size);
  size_t pos = 8;
  while (pos + 8 <= png.size()) {
    uint32_t length = (uint32_t{png[pos]} << 24) | (png[pos + 1] << 16) | (png[pos + 2] << 8) | png[pos + 3];
    if (length > png.size() - pos - 8 || png.size() - pos - 8 - length < 4) break;
    uint32_t crc = static_cast<uint32_t>(crc32(0, png.data() + pos + 4, length + 4));
    uint8_t* p = png.data() + pos + 8 + length;
    p[0] = static_cast<uint8_t>(crc >> 24);
    p[1] = static_cast<uint8_t>(crc >> 16);
    p[2] = static_cast<uint8_t>(crc >> 8);
    p[3] = static_cast<uint8_t>(crc);
    pos += 12 + length;
  }
  return png;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fw::TMemoryStream stream(PrepareInput(data, size));
  skin::TPNGReader reader;
  try {
    skin::TPNGReader::CanLoad(stream);
    // Images within the reader's budget may still take 256 MB; the fuzzer
    // keeps to small ones so that each run stays quick.
    if (reader.ReadImageProperties(stream, 0) &&
        uint64_t{reader.ImageProperties().Width} * reader.Height() > (uint64_t{1} << 20))
      return 0;
    stream.SetPosition(0);
    reader.LoadFromStream(stream);
  } catch (const fw::Exception&) {
  }
  reader.Image().ToBGRA32();
  return 0;
}
