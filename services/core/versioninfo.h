// The version resource of an executable (VS_VERSIONINFO): its fixed part,
// its string tables per language and its translation list. The parser
// checks every length against the data; anything that does not fit raises
// EUclFileVersionInfoError "File contains no version information".
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "fw/core/sets.h"
#include "fw/core/types.h"
#include "services/core/uclstrings.h"

namespace services {

FW_EXCEPTION_CLASS(EUclFileVersionInfoError, EUclError)

enum TFileFlag : uint8_t { ffDebug, ffInfoInferred, ffPatched, ffPreRelease, ffPrivateBuild, ffSpecialBuild };
using TFileFlags = fw::TSet<TFileFlag>;

// Low word language id, high word code page.
struct TLangIdRec {
  uint16_t LangId = 0;
  uint16_t CodePage = 0;
  friend bool operator==(const TLangIdRec&, const TLangIdRec&) = default;
};

// The 52-byte fixed part, little-endian 32-bit words in resource order.
struct TVSFixedFileInfo {
  uint32_t dwSignature, dwStrucVersion, dwFileVersionMS, dwFileVersionLS, dwProductVersionMS,
      dwProductVersionLS, dwFileFlagsMask, dwFileFlags, dwFileOS, dwFileType, dwFileSubtype, dwFileDateMS,
      dwFileDateLS;
};

class TUclFileVersionInfo {
 public:
  // Keys 1..12 of the indexed properties.
  static const char16_t* const VersionKeyNames[12];

  // Copies and parses an already loaded resource.
  void Attach(const void* VersionInfoData, size_t Size);

  fw::String Comments() const { return Key(1); }
  fw::String CompanyName() const { return Key(2); }
  fw::String FileDescription() const { return Key(3); }
  fw::String FileVersion() const { return Key(4); }
  fw::String InternalName() const { return Key(5); }
  fw::String LegalCopyright() const { return Key(6); }
  fw::String LegalTradeMarks() const { return Key(7); }
  fw::String OriginalFilename() const { return Key(8); }
  fw::String ProductName() const { return Key(9); }
  fw::String ProductVersion() const { return Key(10); }
  fw::String SpecialBuild() const { return Key(11); }
  fw::String PrivateBuild() const { return Key(12); }
  // The value of key Index (1..12) in the selected table, empty when absent.
  fw::String Key(int Index) const;

  const TVSFixedFileInfo& FixedInfo() const { return FFixedInfo; }
  TFileFlags FileFlags() const { return FFileFlags; }
  fw::String BinFileVersion() const;
  fw::String BinProductVersion() const;
  fw::String FileVersionMajor() const { return VersionPart(FileVersion(), 0); }
  fw::String FileVersionMinor() const { return VersionPart(FileVersion(), 1); }
  fw::String FileVersionRelease() const { return VersionPart(FileVersion(), 2); }
  fw::String FileVersionBuild() const { return VersionPart(FileVersion(), 3); }
  fw::String ProductVersionMajor() const { return VersionPart(ProductVersion(), 0); }
  fw::String ProductVersionMinor() const { return VersionPart(ProductVersion(), 1); }
  fw::String ProductVersionRelease() const { return VersionPart(ProductVersion(), 2); }
  fw::String ProductVersionBuild() const { return VersionPart(ProductVersion(), 3); }
  // Part 0..3 (major, minor, release, build) of a version text; commas
  // count as full stops and every part is trimmed.
  static fw::String VersionPart(fw::StringView Version, int Part);

  int LanguageCount() const { return static_cast<int>(FLanguages.size()); }
  int LanguageIndex() const { return FLanguageIndex; }
  // EUclFileVersionInfoError "Illegal language index" outside the range.
  void SetLanguageIndex(int Value);
  fw::String LanguageIds(int Index) const;
  TLangIdRec Languages(int Index) const;
  int TranslationCount() const { return static_cast<int>(FTranslations.size()); }
  // Raises "Illegal translation index" outside the range.
  TLangIdRec Translations(int Index) const;
  bool TranslationMatchesLanguages(bool Exact) const;
  // "No value was supplied" for an empty name, "The value %s was not found."
  // for one the selected table does not hold.
  fw::String GetCustomFieldValue(fw::StringView FieldName) const;
  // key=value pairs of the selected table.
  const std::vector<std::pair<fw::String, fw::String>>& Items() const { return FItems; }

 private:
  struct TItem {
    fw::String Key, Value;
    int Table;
  };
  void Parse();
  void CheckLanguageIndex(int Index) const;
  void FillItems();

  std::vector<uint8_t> FBuffer;
  TVSFixedFileInfo FFixedInfo{};
  TFileFlags FFileFlags;
  std::vector<TItem> FItemList;
  std::vector<std::pair<fw::String, fw::String>> FItems;
  std::vector<TLangIdRec> FLanguages;
  int FLanguageIndex = 0;
  std::vector<TLangIdRec> FTranslations;
};

}  // namespace services
