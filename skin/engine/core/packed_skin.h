// Packed skins (".ksz", magic "KSzf"): the description "Options.dat" and the
// skin's images, each entry a name, its inflated size and one zlib stream,
// all integers 32-bit little-endian. The reader trusts nothing it reads:
// counts, name lengths and sizes are checked against the bytes present and
// against fixed limits, and every stream must inflate to exactly its size.
#pragma once

#include <cstdint>
#include <vector>

#include "fw/core/types.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// Largest inflated entry and longest entry name a packed skin may hold.
constexpr int64_t kMaxPackedEntrySize = 64 * 1024 * 1024;
constexpr int kMaxPackedNameLength = 255;

struct TkcImageItem {
  fw::String FileName;  // as stored
  bool IsBitmap = false;  // extension ".BMP" in any letter case
  std::vector<uint8_t> Data;
};

// The unpacked content of one packed skin.
struct TkcSkinConvertor {
  int ImageCount = 0;  // entries - 1
  std::vector<TkcImageItem> Files;
  bool HasOptions = false;
  std::vector<uint8_t> Options;

  void Clear();
  // The first image entry whose upper-cased name equals name; null when none.
  const TkcImageItem* FindImage(fw::StringView name) const;
};

// Splits packed bytes into a convertor. Raises ESkinError naming the fault
// (not a packed skin, truncated, a count, name or size out of range, a
// damaged stream, a stream longer or shorter than its size, bytes after the
// last entry, a second description).
TkcSkinConvertor ReadPackedEntries(const uint8_t* data, size_t size);

// Reads a packed skin file into pack (replacing what it held). False, with
// pack untouched, when there is no such file; damaged content raises.
bool LoadPackedFile(const fw::String& fileName, TkcSkinConvertor& pack);

// One entry to pack; level 0 stores the content uncompressed.
struct TPackEntry {
  fw::String Name;
  std::vector<uint8_t> Data;
};
std::vector<uint8_t> WritePackedSkin(const std::vector<TPackEntry>& entries, int level = 9);

// An entry name usable as a file name inside an unpack folder: not empty, no
// folder part, no drive, no "." or "..", no character that names a path.
bool IsSafeEntryName(fw::StringView name);

}  // namespace skin
