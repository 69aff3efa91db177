// The inflating stream takes any bytes: reads, restarts and seeks end in data
// or in its error, never a crash or a hang.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fw/core/exceptions.h"
#include "fw/core/streams.h"
#include "skin/engine/core/zlib_stream.h"

namespace {

// Reads up to limit bytes in pieces of the given size.
void Drain(fw::TStream& s, size_t piece, size_t limit) {
  std::vector<uint8_t> buffer(piece);
  for (size_t total = 0; total < limit;) {
    int64_t n = s.Read(buffer.data(), static_cast<int64_t>(piece));
    if (n <= 0) break;
    total += static_cast<size_t>(n);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte picks the read size and where the data starts.
  size_t piece = 1 + data[0] % 64 * 97;
  size_t start = data[0] >> 6;
  fw::TMemoryStream source(std::vector<uint8_t>(data + 1, data + size));
  source.SetPosition(static_cast<int64_t>(std::min(start, size - 1)));
  try {
    skin::TZDecompressionStream z(source);
    Drain(z, piece, 1 << 22);
    z.Seek(0, fw::TSeekOrigin::soBeginning);
    z.Seek(static_cast<int64_t>(piece), fw::TSeekOrigin::soCurrent);
    Drain(z, piece * 3, 1 << 20);
    z.Seek(0, fw::TSeekOrigin::soCurrent);
  } catch (const fw::Exception&) {
  }
  // Whatever follows the first stream is read as the next entry.
  try {
    skin::TZDecompressionStream next(source);
    Drain(next, piece, 1 << 22);
  } catch (const fw::Exception&) {
  }
  return 0;
}
