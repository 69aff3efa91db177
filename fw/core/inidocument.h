// The in-memory INI document: ordered sections of ordered key=value entries,
// read from and written to text and file bytes. Names compare without regard
// to case. TMemIniFile and the settings storage's INI back end both keep
// their content in one of these.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "fw/core/types.h"

namespace fw {

// Text encoding of an INI file: taken from the byte-order mark when reading,
// the system ANSI code page when there is none.
enum class TIniEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// Conversions of BOM-less single-byte text (the system ANSI code page on
// Windows); the portable default is Windows-1252.
struct TIniAnsiCodec {
  String (*Decode)(std::string_view bytes) = &AnsiToString;
  std::string (*Encode)(StringView text) = &StringToAnsi;
};

class TIniDocument {
 public:
  struct Entry {
    String key;
    String value;
  };
  struct Section {
    String name;
    std::vector<Entry> entries;
  };
  using TSameName = bool (*)(StringView a, StringView b);

  // sameName compares section names and keys (null: the framework's
  // case-insensitive compare of Latin, Greek and Cyrillic letters).
  explicit TIniDocument(TSameName sameName = nullptr);

  // Parsing: every line trimmed; empty lines and lines starting with ";"
  // skipped; "[name]" opens a section (a repeated name continues the earlier
  // one); lines before the first section are dropped; key = text before the
  // first "=", value = text after it, both trimmed; a line without "=" is a
  // key without value. Replaces the whole content.
  void SetText(StringView text);
  // "[name]" CR LF, the entries as key=value CR LF, one empty line per section.
  String GetText() const;

  void Clear() { FSections.clear(); }
  const std::vector<Section>& Sections() const { return FSections; }

  const Section* FindSection(StringView name) const;
  const Entry* FindEntry(StringView section, StringView key) const;
  bool SectionExists(StringView name) const { return FindSection(name) != nullptr; }
  bool ValueExists(StringView section, StringView key) const { return FindEntry(section, key) != nullptr; }
  String ReadString(StringView section, StringView key, const String& def) const;
  // Replaces an existing entry in place, else appends it (and its section).
  void WriteString(StringView section, StringView key, const String& value);
  std::vector<String> SectionNames() const;
  std::vector<String> Keys(StringView section) const;
  void EraseSection(StringView name);
  void DeleteKey(StringView section, StringView key);
  // Erases every section for which erase(name) is true.
  template <class F>
  void EraseSectionsIf(F erase) {
    std::vector<Section> kept;
    for (Section& s : FSections)
      if (!erase(StringView(s.name))) kept.push_back(std::move(s));
    FSections = std::move(kept);
  }
  bool SameName(StringView a, StringView b) const { return FSameName(a, b); }

  // File bytes to text by the byte-order mark (the encoding found is
  // returned), and text to bytes with the mark of the encoding.
  static String DecodeBytes(const std::vector<uint8_t>& bytes, TIniEncoding& encoding,
                            const TIniAnsiCodec& ansi = TIniAnsiCodec());
  static std::vector<uint8_t> EncodeBytes(StringView text, TIniEncoding encoding,
                                          const TIniAnsiCodec& ansi = TIniAnsiCodec());

 private:
  Section* Find(StringView name);
  std::vector<Section> FSections;
  TSameName FSameName;
};

}  // namespace fw
