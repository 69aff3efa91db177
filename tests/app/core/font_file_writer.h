// A small font file writer for tests: fonts and collections of tables,
// with a format 0 naming table of chosen records.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace app::test_fonts {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v >> 8));
  b.push_back(static_cast<uint8_t>(v));
}
inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, static_cast<uint16_t>(v >> 16));
  Put16(b, static_cast<uint16_t>(v));
}
inline void Set16(Bytes& b, size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v >> 8);
  b[at + 1] = static_cast<uint8_t>(v);
}
inline void Set32(Bytes& b, size_t at, uint32_t v) {
  Set16(b, at, static_cast<uint16_t>(v >> 16));
  Set16(b, at + 2, static_cast<uint16_t>(v));
}
inline uint32_t Get32(const Bytes& b, size_t at) {
  return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

inline Bytes Utf16Be(std::u16string_view s) {
  Bytes b;
  for (char16_t c : s) Put16(b, c);
  return b;
}
inline Bytes Latin(std::string_view s) { return Bytes(s.begin(), s.end()); }

struct NameRecord {
  uint16_t Platform, Encoding, Language, NameId;
  Bytes Text;
};

// A format 0 naming table: header, records, then the strings in order.
inline Bytes NameTable(const std::vector<NameRecord>& records) {
  Bytes t, strings;
  Put16(t, 0);
  Put16(t, static_cast<uint16_t>(records.size()));
  Put16(t, static_cast<uint16_t>(6 + 12 * records.size()));
  for (const NameRecord& r : records) {
    for (uint16_t v : {r.Platform, r.Encoding, r.Language, r.NameId}) Put16(t, v);
    Put16(t, static_cast<uint16_t>(r.Text.size()));
    Put16(t, static_cast<uint16_t>(strings.size()));
    strings.insert(strings.end(), r.Text.begin(), r.Text.end());
  }
  t.insert(t.end(), strings.begin(), strings.end());
  return t;
}

struct Table {
  std::string Tag;
  Bytes Data;
};

// Appends one font (offset table, directory, table data) to file; table
// offsets count from the file's start, as in a collection.
inline void AppendFont(Bytes& file, uint32_t version, const std::vector<Table>& tables) {
  Put32(file, version);
  Put16(file, static_cast<uint16_t>(tables.size()));
  Put16(file, 0);
  Put16(file, 0);
  Put16(file, 0);
  const size_t dir = file.size();
  file.resize(dir + 16 * tables.size());
  for (size_t i = 0; i < tables.size(); ++i) {
    while (file.size() % 4) file.push_back(0);
    const size_t at = dir + 16 * i;
    std::copy(tables[i].Tag.begin(), tables[i].Tag.end(), file.begin() + static_cast<ptrdiff_t>(at));
    Set32(file, at + 8, static_cast<uint32_t>(file.size()));
    Set32(file, at + 12, static_cast<uint32_t>(tables[i].Data.size()));
    file.insert(file.end(), tables[i].Data.begin(), tables[i].Data.end());
  }
}

inline constexpr uint32_t kTrueType = 0x00010000;
inline constexpr uint32_t kOpenTypeCff = 0x4F54544F;  // "OTTO"

inline Bytes Font(uint32_t version, const std::vector<Table>& tables) {
  Bytes f;
  AppendFont(f, version, tables);
  return f;
}

inline Bytes Collection(const std::vector<std::vector<Table>>& fonts) {
  Bytes f = Latin("ttcf");
  Put32(f, 0x00010000);
  Put32(f, static_cast<uint32_t>(fonts.size()));
  f.resize(f.size() + 4 * fonts.size());
  for (size_t i = 0; i < fonts.size(); ++i) {
    Set32(f, 12 + 4 * i, static_cast<uint32_t>(f.size()));
    AppendFont(f, kTrueType, fonts[i]);
  }
  return f;
}

inline std::vector<NameRecord> StandardNames() {
  return {
      {1, 0, 0, 1, Latin("Mac Family")},
      {3, 1, 0x409, 0, Utf16Be(u"(c) Somebody")},
      {3, 1, 0x409, 1, Utf16Be(u"Test Family")},
      {3, 1, 0x409, 2, Utf16Be(u"Bold")},
      {3, 1, 0x409, 4, Utf16Be(u"Test Family Bold")},
      {3, 1, 0x407, 4, Utf16Be(u"Testfamilie Fett")},
      {3, 1, 0x409, 6, Utf16Be(u"TestFamily-Bold")},
  };
}

inline std::vector<Table> StandardTables(const std::vector<NameRecord>& names = StandardNames()) {
  return {{"head", Bytes(54, 0)}, {"name", NameTable(names)}, {"post", Bytes(32, 0)}};
}

}  // namespace app::test_fonts
