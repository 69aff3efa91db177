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
  return ProfileString(W(section), W(ident), W(def), FFileName, false);
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value) {
  if (!WritePrivateProfileStringW(W(section), W(ident), W(value), W(FFileName)))
    throw EIniFileException(u"Unable to write to " + FFileName);
}

std::vector<String> TIniFile::ReadSections() {
  DWORD size = 4096;
  for (;;) {
    std::u16string buf(size, u'\0');
    DWORD n = GetPrivateProfileSectionNamesW(W(buf.data()), size, W(FFileName));
    if (n < size - 2 || size >= (1u << 24)) {
      buf.resize(n);
      return SplitZeroList(buf);
    }
    size *= 4;
  }
}

std::vector<String> TIniFile::ReadSection(const String& section) {
  return SplitZeroList(ProfileString(W(section), nullptr, L"", FFileName, true));
}

void TIniFile::EraseSection(const String& section) {
  if (!WritePrivateProfileStringW(W(section), nullptr, nullptr, W(FFileName)))
    throw EIniFileException(u"Unable to write to " + FFileName);
}

void TIniFile::DeleteKey(const String& section, const String& ident) {
  WritePrivateProfileStringW(W(section), W(ident), nullptr, W(FFileName));
}

void TIniFile::UpdateFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, W(FFileName)); }

// ---- TMemIniFile ------------------------------------------------------------

TMemIniFile::TMemIniFile(String fileName) : TCustomIniFile(std::move(fileName)) { LoadFromFile(); }

TMemIniFile::TMemIniFile(String fileName, TIniEncoding encoding)
    : TCustomIniFile(std::move(fileName)), FEncoding(encoding) {
  LoadFromFile();
}

void TMemIniFile::LoadFromFile() {
  FDoc.Clear();
  if (FFileName.empty()) return;
  HANDLE h = CreateFileW(W(FFileName), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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
  SetText(DecodeFile(bytes, FEncoding));
}

void TMemIniFile::Rename(const String& fileName, bool reload) {
  FFileName = fileName;
  if (reload) LoadFromFile();
}

namespace {

String AnsiDecodeAcp(std::string_view b) {
  if (b.empty()) return String();
  int n = MultiByteToWideChar(CP_ACP, 0, b.data(), static_cast<int>(b.size()), nullptr, 0);
  String s(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_ACP, 0, b.data(), static_cast<int>(b.size()), W(s.data()), n);
  return s;
}

std::string AnsiEncodeAcp(StringView text) {
  if (text.empty()) return std::string();
  const wchar_t* p = reinterpret_cast<const wchar_t*>(text.data());
  int n = WideCharToMultiByte(CP_ACP, 0, p, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, p, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

const TIniAnsiCodec& TMemIniFile::SystemAnsiCodec() {
  static const TIniAnsiCodec codec{&AnsiDecodeAcp, &AnsiEncodeAcp};
  return codec;
}

String TMemIniFile::DecodeFile(const std::vector<uint8_t>& b, TIniEncoding& encoding) {
  return TIniDocument::DecodeBytes(b, encoding, SystemAnsiCodec());
}

std::vector<uint8_t> TMemIniFile::EncodeFile(const String& text, TIniEncoding encoding) {
  return TIniDocument::EncodeBytes(text, encoding, SystemAnsiCodec());
}

void TMemIniFile::SetText(const String& text) { FDoc.SetText(text); }

String TMemIniFile::GetText() const { return FDoc.GetText(); }

void TMemIniFile::UpdateFile() {
  std::vector<uint8_t> bytes = EncodeFile(GetText(), FEncoding);
  HANDLE h = CreateFileW(W(FFileName), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    throw EFCreateError(u"Cannot create file \"" + FFileName + u"\". " +
                        SysErrorMessage(GetLastError()));
  }
  DWORD written = 0;
  BOOL ok = bytes.empty() ||
            WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  DWORD err = GetLastError();
  CloseHandle(h);
  if (!ok || written != bytes.size()) {
    throw EWriteError(u"Cannot write file \"" + FFileName + u"\". " + SysErrorMessage(err));
  }
}

String TMemIniFile::ReadString(const String& section, const String& ident, const String& def) {
  return FDoc.ReadString(section, ident, def);
}

void TMemIniFile::WriteString(const String& section, const String& ident, const String& value) {
  FDoc.WriteString(section, ident, value);
}

std::vector<String> TMemIniFile::ReadSections() { return FDoc.SectionNames(); }

std::vector<String> TMemIniFile::ReadSection(const String& section) { return FDoc.Keys(section); }

void TMemIniFile::EraseSection(const String& section) { FDoc.EraseSection(section); }

void TMemIniFile::DeleteKey(const String& section, const String& ident) { FDoc.DeleteKey(section, ident); }

bool TMemIniFile::SectionExists(const String& section) { return FDoc.SectionExists(section); }

bool TMemIniFile::ValueExists(const String& section, const String& ident) { return FDoc.ValueExists(section, ident); }

}  // namespace fw
