#include "services/core/pathutils.h"

#include <string>

#include "services/core/uclstrings.h"

namespace services {

namespace {

bool EndsWithBackslash(const fw::String& s) { return !s.empty() && s.back() == u'\\'; }

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool SameAsciiText(const fw::String& a, const fw::String& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

// The extension of the last path component, with its dot; empty when none.
fw::String ExtensionOf(const fw::String& Path) {
  const size_t cut = Path.find_last_of(u"\\:.");
  return cut != fw::String::npos && Path[cut] == u'.' ? Path.substr(cut) : fw::String();
}

bool ValidShareName(const fw::String& Name) {
  return Name.find_first_of(u"\"'*+,/:;<=>?[]|") == fw::String::npos;
}

bool ValidServerChar(char16_t c) {
  return IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u'.' || c == u'_';
}

// The part of Path from Start up to the next "\" or the end.
fw::String PartFrom(const fw::String& Path, size_t Start) {
  if (Start >= Path.size()) return fw::String();
  const size_t end = Path.find(u'\\', Start);
  return Path.substr(Start, end == fw::String::npos ? fw::String::npos : end - Start);
}

}  // namespace

fw::String PathWithTrailingBackslash(const fw::String& Path) {
  return EndsWithBackslash(Path) ? Path : Path + u"\\";
}

fw::String PathWithoutTrailingBackslash(const fw::String& Path) {
  return EndsWithBackslash(Path) ? Path.substr(0, Path.size() - 1) : Path;
}

fw::String PathJoin(const fw::String& Path, const fw::String& Rest) {
  if (Path.empty()) return Rest;
  if (Rest.empty()) return Path;
  const bool pathHas = EndsWithBackslash(Path);
  const bool restHas = Rest.front() == u'\\';
  if (pathHas && restHas) return Path.substr(0, Path.size() - 1) + Rest;
  if (pathHas || restHas) return Path + Rest;
  return Path + u"\\" + Rest;
}

fw::String PathAppendExtension(const fw::String& Path, const fw::String& Extension) {
  if (Path.empty() || Extension.empty()) return Path;
  const fw::String dotted = Extension.front() == u'.' ? Extension : u"." + Extension;
  if (SameAsciiText(ExtensionOf(Path), dotted)) return Path;
  const fw::String base = Path.back() == u'.' ? Path.substr(0, Path.size() - 1) : Path;
  return base + dotted;
}

bool PathHasDevicePrefix(const fw::String& Path) { return Path.compare(0, 4, u"\\\\.\\") == 0 && Path.size() >= 4; }

bool PathIsRooted(const fw::String& Path) {
  if (Path.empty()) return false;
  if (PathIsUncShare(Path)) return true;
  const size_t skip = PathHasDevicePrefix(Path) ? 4 : 0;
  if (Path.size() <= 2 + skip) return false;
  return IsAsciiLetter(Path[skip]) && Path[skip + 1] == u':' && Path[skip + 2] == u'\\';
}

bool PathIsUncShare(const fw::String& Path) {
  if (Path.compare(0, 2, u"\\\\") != 0 || Path.size() < 2) return false;
  if (Path.compare(0, 7, u"\\\\?\\UNC") == 0 && Path.size() >= 7) {
    // "\\?\UNC\server\share": the server must be a server name and the
    // share a share name, as after "\\".
    if (Path.size() <= 7 || Path[7] != u'\\') return false;
    const fw::String server = PartFrom(Path, 8);
    if (server.empty()) return false;
    for (char16_t c : server)
      if (!ValidServerChar(c)) return false;
    const size_t after = 8 + server.size();
    if (after >= Path.size() || Path[after] != u'\\') return false;
    return ValidShareName(PartFrom(Path, after + 1));
  }
  const fw::String server = PartFrom(Path, 2);
  if (server.empty()) return false;
  for (char16_t c : server)
    if (!ValidServerChar(c)) return false;
  const size_t after = 2 + server.size();
  if (after >= Path.size() || Path[after] != u'\\') return false;
  return ValidShareName(PartFrom(Path, after + 1));
}

bool FileNameMatches(const fw::String& FileName, const fw::String& Mask, bool CaseSensitive) {
  if (Mask.empty() || Mask == u"*" || Mask == u"*.*") return true;
  const fw::String mask = CaseSensitive ? Mask : TextUpper(Mask);
  const fw::String name = CaseSensitive ? FileName : TextUpper(FileName);
  if (name.find(u'.') == fw::String::npos && TextMatchesMask(mask, name + u".")) return true;
  return TextMatchesMask(mask, name);
}

fw::String BackupFileName(const fw::String& FileName) {
  const fw::String extension = ExtensionOf(FileName);
  const fw::String base = FileName.substr(0, FileName.size() - extension.size());
  return base + u".~" + (extension.empty() ? fw::String() : extension.substr(1));
}

fw::String NumberedBackupExtension(int N) {
  std::string digits = std::to_string(N);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return u".~" + fw::String(digits.begin(), digits.end()) + u"~";
}

fw::String NumberedBackupName(const fw::String& FileName, int N, bool ReplaceExtension) {
  const fw::String base = ReplaceExtension ? FileName.substr(0, FileName.size() - ExtensionOf(FileName).size()) : FileName;
  return base + NumberedBackupExtension(N);
}

}  // namespace services
