#include "services/core/versioninfo.h"

#include <cstring>

#include "fw/core/sysutils.h"

namespace services {

const char16_t* const TUclFileVersionInfo::VersionKeyNames[12] = {
    u"Comments",        u"CompanyName",     u"FileDescription",  u"FileVersion",
    u"InternalName",    u"LegalCopyright",  u"LegalTradeMarks",  u"OriginalFilename",
    u"ProductName",     u"ProductVersion",  u"SpecialBuild",     u"PrivateBuild"};

namespace {

[[noreturn]] void NoVersionInfo() { throw EUclFileVersionInfoError(u"File contains no version information"); }

// Reads the blocks of the resource; every read is checked against End.
class TBlockReader {
 public:
  TBlockReader(const uint8_t* data, size_t size, bool wide) : d_(data), size_(size), wide_(wide) {}

  struct THeader {
    size_t Start = 0, Length = 0, ValueLength = 0, Type = 1, HeaderLength = 0;
    fw::String Key;
    bool Empty = false;
  };

  uint16_t Word(size_t p, size_t end) const {
    if (p + 2 > end) NoVersionInfo();
    return static_cast<uint16_t>(d_[p] | (d_[p + 1] << 8));
  }
  uint32_t Long(size_t p, size_t end) const { return Word(p, end) | (uint32_t(Word(p + 2, end)) << 16); }
  static size_t Align(size_t p) { return (p + 3) & ~size_t(3); }

  // A header at P; a zero length means padding up to End, which must be zero.
  THeader Header(size_t& p, size_t end) const {
    THeader h;
    h.Start = p;
    h.Length = Word(p, end);
    if (h.Length == 0) {
      for (size_t i = p; i < end; ++i)
        if (d_[i]) NoVersionInfo();
      h.Empty = true;
      p = end;
      return h;
    }
    if (h.Start + h.Length > end) NoVersionInfo();
    h.ValueLength = Word(p + 2, end);
    p += 4;
    if (wide_) {
      h.Type = Word(p, end);
      p += 2;
      for (;;) {
        char16_t c = static_cast<char16_t>(Word(p, end));
        p += 2;
        if (!c) break;
        h.Key.push_back(c);
      }
    } else {
      for (;;) {
        if (p >= end) NoVersionInfo();
        char c = static_cast<char>(d_[p++]);
        if (!c) break;
        h.Key.push_back(static_cast<unsigned char>(c));
      }
    }
    p = Align(p);
    h.HeaderLength = p - h.Start;
    return h;
  }

  fw::String WideText(size_t p, size_t units, size_t end) const {
    fw::String s;
    for (size_t i = 0; i < units; ++i) {
      char16_t c = static_cast<char16_t>(Word(p + 2 * i, end));
      if (!c) break;
      s.push_back(c);
    }
    return s;
  }
  fw::String AnsiText(size_t p, size_t end) const {
    std::string s;
    while (p < end && d_[p]) s.push_back(static_cast<char>(d_[p++]));
    return fw::AnsiToString(s);
  }
  bool Wide() const { return wide_; }
  size_t Size() const { return size_; }

 private:
  const uint8_t* d_;
  size_t size_;
  bool wide_;
};

int HexValue(fw::StringView s) {
  int v = 0;
  for (char16_t c : s) {
    int d = (c >= u'0' && c <= u'9') ? c - u'0' : (c >= u'a' && c <= u'f') ? c - u'a' + 10 : (c >= u'A' && c <= u'F') ? c - u'A' + 10 : -1;
    if (d < 0) return 0;
    v = v * 16 + d;
  }
  return v;
}

}  // namespace

void TUclFileVersionInfo::Attach(const void* VersionInfoData, size_t Size) {
  const uint8_t* p = static_cast<const uint8_t*>(VersionInfoData);
  FBuffer.assign(p, p + Size);
  Parse();
}

void TUclFileVersionInfo::Parse() {
  FItemList.clear();
  FLanguages.clear();
  FTranslations.clear();
  FItems.clear();
  FLanguageIndex = 0;
  const size_t size = FBuffer.size();
  if (size < 6) NoVersionInfo();
  const bool wide = (FBuffer[4] | (FBuffer[5] << 8)) < 2;
  TBlockReader r(FBuffer.data(), size, wide);
  size_t p = 0;
  TBlockReader::THeader root = r.Header(p, size);
  if (root.Empty || fw::UpperCase(root.Key) != u"VS_VERSION_INFO" || root.ValueLength != 52) NoVersionInfo();
  if (p + 52 > root.Start + root.Length) NoVersionInfo();
  if (r.Long(p, size) != 0xFEEF04BD) NoVersionInfo();
  uint32_t words[13];
  for (int i = 0; i < 13; ++i) words[i] = r.Long(p + 4 * i, size);
  std::memcpy(&FFixedInfo, words, sizeof(words));
  const size_t end = root.Start + root.Length;
  p = TBlockReader::Align(p + 52);
  while (p < end) {
    TBlockReader::THeader child = r.Header(p, end);
    if (child.Empty) break;
    const size_t childEnd = child.Start + child.Length;
    if (child.Key == u"StringFileInfo") {
      p = TBlockReader::Align(p + child.ValueLength * (wide && child.Type == 1 ? 2 : 1));
      while (p < childEnd) {
        TBlockReader::THeader table = r.Header(p, childEnd);
        if (table.Empty) break;
        fw::String key = table.Key;
        if (key.size() >= 2 && key[0] == u'0' && (key[1] == u'x' || key[1] == u'X')) key.erase(0, 2);
        fw::String hex;
        for (char16_t c : key)
          if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')) hex.push_back(c);
        if (hex.size() != 8 || table.ValueLength != 0) NoVersionInfo();
        const int tableIndex = static_cast<int>(FLanguages.size());
        FLanguages.push_back(TLangIdRec{static_cast<uint16_t>(HexValue(fw::StringView(hex).substr(0, 4))),
                                        static_cast<uint16_t>(HexValue(fw::StringView(hex).substr(4, 4)))});
        const size_t tableEnd = table.Start + table.Length;
        while (p < tableEnd) {
          TBlockReader::THeader s = r.Header(p, tableEnd);
          if (s.Empty) break;
          const size_t sEnd = s.Start + s.Length;
          fw::String value;
          if (s.Type == 1) {
            if (s.ValueLength) value = wide ? r.WideText(p, s.ValueLength, sEnd) : r.AnsiText(p, sEnd);
          } else if (s.Type == 0) {
            if (s.ValueLength >= 1 && s.ValueLength <= 4) {
              uint32_t v = 0;
              for (size_t i = 0; i < 4; ++i)
                if (p + i < sEnd) v |= uint32_t(FBuffer[p + i]) << (8 * i);
              fw::String digits = fw::IntToHex(v, static_cast<int>(2 * s.ValueLength));
              value = u"$" + fw::LowerCase(digits);
            } else if (wide && s.ValueLength) {
              value = r.WideText(p, s.ValueLength, sEnd);
            }
          } else {
            NoVersionInfo();
          }
          FItemList.push_back(TItem{s.Key, value, tableIndex});
          p = TBlockReader::Align(sEnd);
        }
        p = TBlockReader::Align(tableEnd);
      }
      p = TBlockReader::Align(childEnd);
    } else if (child.Key == u"VarFileInfo") {
      p = TBlockReader::Align(p + child.ValueLength * (wide && child.Type == 1 ? 2 : 1));
      if (p < childEnd) {
        TBlockReader::THeader var = r.Header(p, childEnd);
        if (!var.Empty && var.Key == u"Translation") {
          const size_t count = var.ValueLength / 4;
          for (size_t i = 0; i < count; ++i) {
            uint32_t v = r.Long(p + 4 * i, var.Start + var.Length);
            FTranslations.push_back(TLangIdRec{static_cast<uint16_t>(v), static_cast<uint16_t>(v >> 16)});
          }
        }
      }
      p = TBlockReader::Align(childEnd);
    } else {
      break;
    }
  }
  const uint32_t flags = FFixedInfo.dwFileFlags & FFixedInfo.dwFileFlagsMask;
  FFileFlags = TFileFlags();
  if (flags & 0x01) FFileFlags.Include(ffDebug);
  if (flags & 0x02) FFileFlags.Include(ffPreRelease);
  if (flags & 0x04) FFileFlags.Include(ffPatched);
  if (flags & 0x08) FFileFlags.Include(ffPrivateBuild);
  if (flags & 0x10) FFileFlags.Include(ffInfoInferred);
  if (flags & 0x20) FFileFlags.Include(ffSpecialBuild);
  FillItems();
}

void TUclFileVersionInfo::FillItems() {
  FItems.clear();
  for (const TItem& i : FItemList)
    if (i.Table == FLanguageIndex) FItems.emplace_back(i.Key, i.Value);
}

fw::String TUclFileVersionInfo::Key(int Index) const {
  if (Index < 1 || Index > 12) return fw::String();
  for (const auto& [k, v] : FItems)
    if (fw::SameText(k, VersionKeyNames[Index - 1])) return v;
  return fw::String();
}

static fw::String VersionText(uint32_t ms, uint32_t ls) {
  return fw::Format(u"%u.%u.%u.%u", {ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF});
}

fw::String TUclFileVersionInfo::BinFileVersion() const {
  return VersionText(FFixedInfo.dwFileVersionMS, FFixedInfo.dwFileVersionLS);
}

fw::String TUclFileVersionInfo::BinProductVersion() const {
  return VersionText(FFixedInfo.dwProductVersionMS, FFixedInfo.dwProductVersionLS);
}

fw::String TUclFileVersionInfo::VersionPart(fw::StringView Version, int Part) {
  fw::String v(Version);
  ReplaceCharInPlace(v, u',', u'.');
  const size_t d1 = v.find(u'.');
  const size_t d2 = d1 == fw::String::npos ? fw::String::npos : v.find(u'.', d1 + 1);
  const size_t d3 = d2 == fw::String::npos ? fw::String::npos : v.find(u'.', d2 + 1);
  const size_t last = v.rfind(u'.');
  fw::String part;
  switch (Part) {
    case 0: part = d1 == fw::String::npos ? v : v.substr(0, d1); break;
    case 1: part = d2 == fw::String::npos ? fw::String() : v.substr(d1 + 1, d2 - d1 - 1); break;
    case 2:
      part = d2 == fw::String::npos ? fw::String()
                                    : v.substr(d2 + 1, d3 == fw::String::npos ? fw::String::npos : d3 - d2 - 1);
      break;
    default: part = last == fw::String::npos ? v : v.substr(last + 1); break;
  }
  return fw::Trim(part);
}

void TUclFileVersionInfo::CheckLanguageIndex(int Index) const {
  if (Index < 0 || Index >= LanguageCount()) throw EUclFileVersionInfoError(u"Illegal language index");
}

void TUclFileVersionInfo::SetLanguageIndex(int Value) {
  CheckLanguageIndex(Value);
  if (Value != FLanguageIndex) {
    FLanguageIndex = Value;
    FillItems();
  }
}

fw::String TUclFileVersionInfo::LanguageIds(int Index) const {
  CheckLanguageIndex(Index);
  fw::String id = fw::LowerCase(fw::IntToHex(FLanguages[Index].LangId, 4) + fw::IntToHex(FLanguages[Index].CodePage, 4));
  return id;
}

TLangIdRec TUclFileVersionInfo::Languages(int Index) const {
  CheckLanguageIndex(Index);
  return FLanguages[Index];
}

TLangIdRec TUclFileVersionInfo::Translations(int Index) const {
  if (Index < 0 || Index >= TranslationCount()) throw EUclFileVersionInfoError(u"Illegal translation index");
  return FTranslations[Index];
}

bool TUclFileVersionInfo::TranslationMatchesLanguages(bool Exact) const {
  bool ok = Exact ? FTranslations.size() == FLanguages.size() : !FTranslations.empty();
  for (size_t i = 0; ok && i < FTranslations.size(); ++i) {
    bool found = false;
    for (const TLangIdRec& l : FLanguages) found = found || l == FTranslations[i];
    ok = found;
  }
  return ok;
}

fw::String TUclFileVersionInfo::GetCustomFieldValue(fw::StringView FieldName) const {
  if (FieldName.empty()) throw EUclFileVersionInfoError(u"No value was supplied");
  for (const auto& [k, v] : FItems)
    if (fw::SameText(k, FieldName)) return v;
  throw EUclFileVersionInfoError(u"The value " + fw::String(FieldName) + u" was not found.");
}

}  // namespace services
