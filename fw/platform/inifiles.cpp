#include "fw/platform/inifiles.h"

#include <windows.h>

#include <algorithm>

#include "fw/core/sysutils.h"
#include "fw/platform/oserror.h"

namespace fw {

namespace {

// Reads a value of the profile functions, growing the buffer until it fits.
// They return size - 1 (or size - 2 for lists) when they had to cut.
String ProfileString(const wchar_t* section, const wchar_t* key, const wchar_t* def,
                     const String& file, bool list) {
  DWORD size = 1024;
  for (;;) {
    std::u16string buf(size, u'\0');
    DWORD n = GetPrivateProfileStringW(section, key, def, W(buf.data()), size, W(file));
    if (n < size - (list ? 2 : 1) || size >= (1u << 24)) {
      buf.resize(n);
      return buf;
    }
    size *= 4;
  }
}

std::vector<String> SplitZeroList(const String& s) {
  std::vector<String> out;
  size_t p = 0;
  while (p < s.size()) {
    size_t z = s.find(u'\0', p);
    if (z == String::npos) z = s.size();
    if (z > p) out.push_back(s.substr(p, z - p));
    p = z + 1;
  }
  return out;
}

}  // namespace

bool SameTextIni(StringView a, StringView b) {
  if (a.size() != b.size()) return false;
  if (a.empty()) return true;
  return CompareStringOrdinal(W(a.data()), static_cast<int>(a.size()), W(b.data()),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// ---- TCustomIniFile ---------------------------------------------------------

static void Fill(TStrings& list, const std::vector<String>& names) {
  list.Clear();
  for (const String& n : names) list.Add(n);
}

void TCustomIniFile::ReadSections(TStrings& list) { Fill(list, ReadSections()); }

void TCustomIniFile::ReadSection(const String& section, TStrings& list) {
  Fill(list, ReadSection(section));
}

bool TCustomIniFile::SectionExists(const String& section) {
  return !ReadSection(section).empty();
}

bool TCustomIniFile::ValueExists(const String& section, const String& ident) {
  for (const String& k : ReadSection(section))
    if (SameTextIni(k, ident)) return true;
  return false;
}

int TCustomIniFile::ReadInteger(const String& section, const String& ident, int def) {
  int v;
  return TryStrToInt(Trim(ReadString(section, ident, String())), v) ? v : def;
}

void TCustomIniFile::WriteInteger(const String& section, const String& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const String& section, const String& ident, bool def) {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& section, const String& ident, bool value) {
  WriteString(section, ident, value ? u"1" : u"0");
}

// ---- TIniFile ---------------------------------------------------------------

String TIniFile::ReadString(const String& section, const String& ident, const String& def) {
  return ProfileString(W(section), W(ident), W(def), fileName_, false);
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value) {
  if (!WritePrivateProfileStringW(W(section), W(ident), W(value), W(fileName_)))
    throw EIniFileException(u"Unable to write to " + fileName_);
}

std::vector<String> TIniFile::ReadSections() {
  DWORD size = 4096;
  for (;;) {
    std::u16string buf(size, u'\0');
    DWORD n = GetPrivateProfileSectionNamesW(W(buf.data()), size, W(fileName_));
    if (n < size - 2 || size >= (1u << 24)) {
      buf.resize(n);
      return SplitZeroList(buf);
    }
    size *= 4;
  }
}

std::vector<String> TIniFile::ReadSection(const String& section) {
  return SplitZeroList(ProfileString(W(section), nullptr, L"", fileName_, true));
}

void TIniFile::EraseSection(const String& section) {
  if (!WritePrivateProfileStringW(W(section), nullptr, nullptr, W(fileName_)))
    throw EIniFileException(u"Unable to write to " + fileName_);
}

void TIniFile::DeleteKey(const String& section, const String& ident) {
  WritePrivateProfileStringW(W(section), W(ident), nullptr, W(fileName_));
}

void TIniFile::UpdateFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, W(fileName_)); }

// ---- TMemIniFile ------------------------------------------------------------

TMemIniFile::TMemIniFile(String fileName) : TCustomIniFile(std::move(fileName)) { LoadFromFile(); }

TMemIniFile::TMemIniFile(String fileName, TIniEncoding encoding)
    : TCustomIniFile(std::move(fileName)), encoding_(encoding) {
  LoadFromFile();
}

void TMemIniFile::LoadFromFile() {
  sections_.clear();
  if (fileName_.empty()) return;
  HANDLE h = CreateFileW(W(fileName_), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;  // a missing file is an empty document
  std::vector<uint8_t> bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(h, &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 30)) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
    bytes.resize(got);
  }
  CloseHandle(h);
  SetText(DecodeFile(bytes, encoding_));
}

void TMemIniFile::Rename(const String& fileName, bool reload) {
  fileName_ = fileName;
  if (reload) LoadFromFile();
}

String TMemIniFile::DecodeFile(const std::vector<uint8_t>& b, TIniEncoding& encoding) {
  if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
    encoding = TIniEncoding::Utf8;
    return Utf8ToString(std::string_view(reinterpret_cast<const char*>(b.data()) + 3, b.size() - 3));
  }
  if (b.size() >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) {
    const bool le = b[0] == 0xFF;
    encoding = le ? TIniEncoding::Utf16LE : TIniEncoding::Utf16BE;
    String s;
    s.reserve(b.size() / 2);
    for (size_t i = 2; i + 1 < b.size(); i += 2)
      s.push_back(le ? char16_t(b[i] | (b[i + 1] << 8)) : char16_t((b[i] << 8) | b[i + 1]));
    return s;
  }
  encoding = TIniEncoding::Ansi;
  if (b.empty()) return String();
  const char* p = reinterpret_cast<const char*>(b.data());
  int n = MultiByteToWideChar(CP_ACP, 0, p, static_cast<int>(b.size()), nullptr, 0);
  String s(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_ACP, 0, p, static_cast<int>(b.size()), W(s.data()), n);
  return s;
}

std::vector<uint8_t> TMemIniFile::EncodeFile(const String& text, TIniEncoding encoding) {
  std::vector<uint8_t> out;
  switch (encoding) {
    case TIniEncoding::Utf8: {
      out = {0xEF, 0xBB, 0xBF};
      std::string u = StringToUtf8(text);
      out.insert(out.end(), u.begin(), u.end());
      break;
    }
    case TIniEncoding::Utf16LE:
    case TIniEncoding::Utf16BE: {
      const bool le = encoding == TIniEncoding::Utf16LE;
      out.reserve(2 + text.size() * 2);
      out.push_back(le ? 0xFF : 0xFE);
      out.push_back(le ? 0xFE : 0xFF);
      for (char16_t c : text) {
        uint8_t lo = static_cast<uint8_t>(c & 0xFF), hi = static_cast<uint8_t>(c >> 8);
        out.push_back(le ? lo : hi);
        out.push_back(le ? hi : lo);
      }
      break;
    }
    case TIniEncoding::Ansi: {
      if (text.empty()) break;
      int n = WideCharToMultiByte(CP_ACP, 0, W(text.c_str()), static_cast<int>(text.size()), nullptr,
                                  0, nullptr, nullptr);
      out.resize(static_cast<size_t>(n));
      WideCharToMultiByte(CP_ACP, 0, W(text.c_str()), static_cast<int>(text.size()),
                          reinterpret_cast<char*>(out.data()), n, nullptr, nullptr);
      break;
    }
  }
  return out;
}

void TMemIniFile::SetText(const String& text) {
  sections_.clear();
  Section* current = nullptr;
  size_t p = 0;
  while (p <= text.size()) {
    size_t e = text.find_first_of(u"\r\n", p);
    if (e == String::npos) e = text.size();
    String line = Trim(StringView(text).substr(p, e - p));
    // CR LF counts as one break.
    p = (e < text.size() && text[e] == u'\r' && e + 1 < text.size() && text[e + 1] == u'\n') ? e + 2
                                                                                          : e + 1;
    if (line.empty() || line[0] == u';') continue;
    if (line.front() == u'[' && line.back() == u']' && line.size() >= 2) {
      String name = Trim(StringView(line).substr(1, line.size() - 2));
      current = FindSection(name);
      if (!current) {
        sections_.push_back(Section{name, {}});
        current = &sections_.back();
      }
      continue;
    }
    if (!current) continue;  // lines before the first section are dropped
    size_t eq = line.find(u'=');
    Entry entry;
    if (eq == String::npos) {
      entry.key = line;
    } else {
      entry.key = Trim(StringView(line).substr(0, eq));
      entry.value = Trim(StringView(line).substr(eq + 1));
    }
    current->entries.push_back(std::move(entry));
  }
}

String TMemIniFile::GetText() const {
  String out;
  for (const Section& s : sections_) {
    out += u"[" + s.name + u"]\r\n";
    for (const Entry& e : s.entries) out += e.key + u"=" + e.value + u"\r\n";
    out += u"\r\n";
  }
  return out;
}

void TMemIniFile::UpdateFile() {
  std::vector<uint8_t> bytes = EncodeFile(GetText(), encoding_);
  HANDLE h = CreateFileW(W(fileName_), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    throw EFCreateError(u"Cannot create file \"" + fileName_ + u"\". " +
                        SysErrorMessage(GetLastError()));
  }
  DWORD written = 0;
  BOOL ok = bytes.empty() ||
            WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  DWORD err = GetLastError();
  CloseHandle(h);
  if (!ok || written != bytes.size()) {
    throw EWriteError(u"Cannot write file \"" + fileName_ + u"\". " + SysErrorMessage(err));
  }
}

TMemIniFile::Section* TMemIniFile::FindSection(const String& name) {
  for (Section& s : sections_)
    if (SameTextIni(s.name, name)) return &s;
  return nullptr;
}

TMemIniFile::Entry* TMemIniFile::FindEntry(Section& s, const String& key) {
  for (Entry& e : s.entries)
    if (SameTextIni(e.key, key)) return &e;
  return nullptr;
}

String TMemIniFile::ReadString(const String& section, const String& ident, const String& def) {
  Section* s = FindSection(section);
  if (!s) return def;
  Entry* e = FindEntry(*s, ident);
  return e ? e->value : def;
}

void TMemIniFile::WriteString(const String& section, const String& ident, const String& value) {
  Section* s = FindSection(section);
  if (!s) {
    sections_.push_back(Section{section, {}});
    s = &sections_.back();
  }
  if (Entry* e = FindEntry(*s, ident)) {
    e->value = value;
  } else {
    s->entries.push_back(Entry{ident, value});
  }
}

std::vector<String> TMemIniFile::ReadSections() {
  std::vector<String> out;
  for (const Section& s : sections_) out.push_back(s.name);
  return out;
}

std::vector<String> TMemIniFile::ReadSection(const String& section) {
  std::vector<String> out;
  if (Section* s = FindSection(section))
    for (const Entry& e : s->entries) out.push_back(e.key);
  return out;
}

void TMemIniFile::EraseSection(const String& section) {
  sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                 [&](const Section& s) { return SameTextIni(s.name, section); }),
                  sections_.end());
}

void TMemIniFile::DeleteKey(const String& section, const String& ident) {
  if (Section* s = FindSection(section)) {
    auto& v = s->entries;
    v.erase(std::remove_if(v.begin(), v.end(),
                           [&](const Entry& e) { return SameTextIni(e.key, ident); }),
            v.end());
  }
}

bool TMemIniFile::SectionExists(const String& section) { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(const String& section, const String& ident) {
  Section* s = FindSection(section);
  return s && FindEntry(*s, ident);
}

}  // namespace fw
