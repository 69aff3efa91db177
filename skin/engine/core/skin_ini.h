// The in-memory INI document of a skin description: sections and keys in the
// order of the text, names compared exactly (letter case significant), the
// first of duplicate sections and keys wins. Values are read as the platform
// reads INI values: integers in decimal or "$"/"0x" hexadecimal (else the
// default), the version as a number with "." as decimal separator whatever
// the locale.
#pragma once

#include <vector>

#include "fw/core/types.h"

namespace skin {

class TSkinIni {
 public:
  TSkinIni() = default;
  // Lines split at CR, LF or CRLF; ";" starts a comment line; blanks around
  // names and values are trimmed.
  explicit TSkinIni(fw::StringView text);

  struct Entry {
    fw::String Key;
    fw::String Value;
  };
  struct Section {
    fw::String Name;
    std::vector<Entry> Entries;
  };

  const std::vector<Section>& Sections() const { return sections_; }
  const Section* FindSection(fw::StringView name) const;
  bool SectionExists(fw::StringView name) const { return FindSection(name) != nullptr; }
  bool ValueExists(fw::StringView section, fw::StringView key) const;

  fw::String ReadString(fw::StringView section, fw::StringView key, fw::StringView def) const;
  int ReadInteger(fw::StringView section, fw::StringView key, int def) const;
  double ReadFloat(fw::StringView section, fw::StringView key, double def) const;

 private:
  std::vector<Section> sections_;
};

// The platform's integer syntax: optional sign, decimal digits or "$"/"0x"
// hexadecimal; false for anything else or a value out of 32-bit range
// (hexadecimal up to 0xFFFFFFFF, read as its 32-bit pattern).
bool ParseIniInteger(fw::StringView text, int& value);
bool ParseIniFloat(fw::StringView text, double& value);

// Bytes of a description file (single-byte characters) as text.
fw::String DescriptionText(const std::vector<uint8_t>& bytes);

}  // namespace skin
