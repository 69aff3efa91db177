// The in-memory INI document of a skin description: the framework's INI
// document with names compared exactly (letter case significant); sections
// and keys in the order of the text. Values are read as the platform
// reads INI values: integers in decimal or "$"/"0x" hexadecimal (else the
// default), the version as a number with "." as decimal separator whatever
// the locale.
#pragma once

#include <vector>

#include "fw/core/inidocument.h"
#include "fw/core/types.h"

namespace skin {

class TSkinIni {
 public:
  TSkinIni();
  // The text as the INI document reads it (lines trimmed, ";" comments).
  // The application's common sections compare names ignoring case, as the
  // framework's INI files do (exactNames false).
  explicit TSkinIni(fw::StringView text, bool exactNames = true);

  using Section = fw::TIniDocument::Section;
  using Entry = fw::TIniDocument::Entry;
  const std::vector<Section>& Sections() const { return doc_.Sections(); }
  bool SectionExists(fw::StringView name) const { return doc_.SectionExists(name); }
  bool ValueExists(fw::StringView section, fw::StringView key) const { return doc_.ValueExists(section, key); }

  fw::String ReadString(fw::StringView section, fw::StringView key, fw::StringView def) const;
  int ReadInteger(fw::StringView section, fw::StringView key, int def) const;
  double ReadFloat(fw::StringView section, fw::StringView key, double def) const;

 private:
  fw::TIniDocument doc_;
};

// The platform's integer syntax: optional sign, decimal digits or "$"/"0x"
// hexadecimal; false for anything else or a value out of 32-bit range
// (hexadecimal up to 0xFFFFFFFF, read as its 32-bit pattern).
bool ParseIniInteger(fw::StringView text, int& value);
bool ParseIniFloat(fw::StringView text, double& value);

// Bytes of a description file (single-byte characters) as text.
fw::String DescriptionText(const std::vector<uint8_t>& bytes);

}  // namespace skin
