// Icon files: the directory and the entries it points at, checked against
// the bytes present (entries are DIBs with an AND mask, or PNG images).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw::codecs {

struct IcoEntry {
  int Width = 0;   // from the entry's own data (the directory says 0 for 256)
  int Height = 0;
  int BitCount = 0;
  bool Png = false;
  size_t Offset = 0;
  size_t Size = 0;
};

// Bytes the file occupies, from its first 6 + 16 * count bytes; 0 when
// more of the directory is needed.
size_t IcoFileLength(const uint8_t* data, size_t size);

// The entries of an icon (type 1) or cursor (type 2) file; raises
// EInvalidGraphic for a damaged directory or entry.
std::vector<IcoEntry> ReadIcoDirectory(const uint8_t* data, size_t size);

// The entry to show at the wanted size: the one of that size with the most
// colours, else the largest.
size_t ChooseIcoEntry(const std::vector<IcoEntry>& entries, int wanted);

}  // namespace fw::codecs
