#include "fw/platform/files.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <utility>
#include <vector>

namespace fw {

namespace {

String WithBackslash(const String& p) {
  return !p.empty() && p.back() != u'\\' && p.back() != u'/' ? p + u"\\" : p;
}

String WithoutBackslash(const String& p) {
  String r = p;
  // Keep the backslash of a drive root ("C:\") and of a bare "\".
  while (r.size() > 1 && (r.back() == u'\\' || r.back() == u'/') &&
         !(r.size() == 3 && r[1] == u':'))
    r.pop_back();
  return r;
}

bool IsDots(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

void FillRec(TSearchRec& rec, const WIN32_FIND_DATAW& d) {
  rec.Name = FromW(d.cFileName);
  rec.Attr = d.dwFileAttributes;
  rec.Size = (static_cast<int64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
  rec.LastWrite = d.ftLastWriteTime;
}

// Skips entries that carry an excluded attribute; returns 0 or an error code.
int NextMatching(TSearchRec& rec, WIN32_FIND_DATAW& d, bool haveCurrent) {
  for (;;) {
    if (!haveCurrent) {
      if (!FindNextFileW(rec.FindHandle, &d)) return static_cast<int>(GetLastError());
    }
    haveCurrent = false;
    if ((d.dwFileAttributes & rec.ExcludeAttr) == 0) {
      FillRec(rec, d);
      return 0;
    }
  }
}

// Clears the read-only attribute of a link itself, never of its target.
void ClearReadOnlyOfLink(const String& path, bool directory) {
  HANDLE h = CreateFileW(W(path), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT | (directory ? FILE_FLAG_BACKUP_SEMANTICS : 0),
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  FILE_BASIC_INFO info{};
  if (GetFileInformationByHandleEx(h, FileBasicInfo, &info, sizeof info)) {
    info.FileAttributes &= ~FILE_ATTRIBUTE_READONLY;
    if (info.FileAttributes == 0) info.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    SetFileInformationByHandle(h, FileBasicInfo, &info, sizeof info);
  }
  CloseHandle(h);
}

// Removes one link entry (folder or file link) without touching its target.
bool RemoveLink(const String& path, DWORD attr) {
  const bool dir = (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
  auto remove = [&] { return dir ? RemoveDirectoryW(W(path)) : DeleteFileW(W(path)); };
  if (remove()) return true;
  if (attr & FILE_ATTRIBUTE_READONLY) {
    ClearReadOnlyOfLink(path, dir);
    return remove() != 0;
  }
  return false;
}

bool DeleteContents(const String& dir, const TDeleteTreeOptions& options) {
  WIN32_FIND_DATAW d;
  HANDLE h = FindFirstFileW(W(dir + u"\\*"), &d);
  if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  bool ok = true;
  do {
    if (IsDots(d.cFileName)) continue;
    const String full = dir + u"\\" + FromW(d.cFileName);
    const DWORD attr = d.dwFileAttributes;
    if (attr & FILE_ATTRIBUTE_REPARSE_POINT) {
      // Symbolic links and junctions: the link goes, the target stays.
      ok = RemoveLink(full, attr) && ok;
    } else if (attr & FILE_ATTRIBUTE_DIRECTORY) {
      ok = DeleteContents(full, options) && ok;
      if (attr & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(W(full), attr & ~FILE_ATTRIBUTE_READONLY);
      ok = RemoveDirectoryW(W(full)) && ok;
    } else if (!options.confirmFile || options.confirmFile(full, attr)) {
      ok = SetFileAttributesW(W(full), FILE_ATTRIBUTE_NORMAL) && DeleteFileW(W(full)) && ok;
    }
    if (!ok && options.abortOnFailure) break;
  } while (FindNextFileW(h, &d));
  ::FindClose(h);
  return ok;
}

bool Walk(const String& folder, const TFindOptions& o,
          const std::function<bool(const String&, const TSearchRec&)>& onEntry) {
  const String base = WithBackslash(folder);
  TSearchRec rec;
  // An exception out of onEntry still ends the search.
  struct TCloser {
    TSearchRec& rec;
    ~TCloser() { FindClose(rec); }
  } closer{rec};
  std::vector<std::pair<String, TSearchRec>> subfolders;
  if (FindFirst(base + o.mask, o.attr, rec) == 0) {
    do {
      if (rec.Name == u"." || rec.Name == u"..") continue;
      if (!onEntry(base + rec.Name, rec)) {
        FindClose(rec);
        return false;
      }
    } while (FindNext(rec) == 0);
    FindClose(rec);
  }
  if (!o.recursive) return true;
  // Subfolders are found by their own search: the mask names files, not the
  // folders that hold them.
  if (FindFirst(base + u"*", faDirectory | faHidden | faSysFile | faReadOnly | faArchive, rec) == 0) {
    do {
      if (!(rec.Attr & faDirectory) || (rec.Attr & faSymLink)) continue;
      if (rec.Name == u"." || rec.Name == u"..") continue;
      subfolders.emplace_back(base + rec.Name, rec);
    } while (FindNext(rec) == 0);
    FindClose(rec);
  }
  for (auto& [path, r] : subfolders) {
    if (o.enterFolder && !o.enterFolder(path, r)) continue;
    if (!Walk(path, o, onEntry)) return false;
  }
  return true;
}

}  // namespace

TDateTime TSearchRec::Time() const {
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&LastWrite, &local) || !FileTimeToSystemTime(&local, &st)) return 0;
  // Whole days since 1899-12-30 plus the fraction of the day.
  FILETIME dayStart;
  SYSTEMTIME base{1899, 12, 0, 30, 0, 0, 0, 0};
  SystemTimeToFileTime(&base, &dayStart);
  ULARGE_INTEGER a{}, b{};
  a.LowPart = local.dwLowDateTime;
  a.HighPart = local.dwHighDateTime;
  b.LowPart = dayStart.dwLowDateTime;
  b.HighPart = dayStart.dwHighDateTime;
  // 100-ns units per day; the file time is after 1899 for every real file.
  return static_cast<double>(static_cast<long double>(a.QuadPart - b.QuadPart) / 864000000000.0L);
}

int FindFirst(const String& pattern, uint32_t attr, TSearchRec& rec) {
  FindClose(rec);
  // Normal entries always match; special ones only when asked for.
  rec.ExcludeAttr = ~attr & (faHidden | faSysFile | faDirectory);
  WIN32_FIND_DATAW d;
  rec.FindHandle = FindFirstFileW(W(pattern), &d);
  if (rec.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  int rc = NextMatching(rec, d, true);
  if (rc != 0) FindClose(rec);
  return rc;
}

int FindNext(TSearchRec& rec) {
  if (rec.FindHandle == INVALID_HANDLE_VALUE) return ERROR_NO_MORE_FILES;
  WIN32_FIND_DATAW d;
  return NextMatching(rec, d, false);
}

void FindClose(TSearchRec& rec) {
  if (rec.FindHandle != INVALID_HANDLE_VALUE) {
    ::FindClose(rec.FindHandle);
    rec.FindHandle = INVALID_HANDLE_VALUE;
  }
}

bool FindFiles(const String& folder, const TFindOptions& options,
               const std::function<bool(const String&, const TSearchRec&)>& onEntry) {
  return Walk(WithoutBackslash(folder), options, onEntry);
}

int FileGetAttr(const String& path) { return static_cast<int>(GetFileAttributesW(W(path))); }

int FileSetAttr(const String& path, uint32_t attr) {
  return SetFileAttributesW(W(path), attr) ? 0 : static_cast<int>(GetLastError());
}

bool DirectoryExists(const String& path) {
  DWORD a = GetFileAttributesW(W(path));
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const String& path) {
  String p = WithoutBackslash(path);
  if (p.empty()) return false;
  if (DirectoryExists(p)) return true;
  size_t cut = p.find_last_of(u"\\/");
  // Stop at a drive ("C:") or at the root of a UNC share.
  if (cut != String::npos && cut > 0) {
    String parent = p.substr(0, cut);
    bool isDrive = parent.size() == 2 && parent[1] == u':';
    if (!isDrive && !(parent.size() > 2 && parent[0] == u'\\' && parent[1] == u'\\' &&
                      parent.find(u'\\', 2) == String::npos)) {
      if (!ForceDirectories(parent)) return false;
    }
  }
  return CreateDirectoryW(W(p), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool DeleteFolderTree(const String& path) { return DeleteFolderTree(path, TDeleteTreeOptions()); }

bool DeleteFolderTree(const String& path, const TDeleteTreeOptions& options) {
  const String p = WithoutBackslash(path);
  // Never a whole drive or share, whatever the caller computed.
  if (p.empty() || PathIsRootW(W(p))) return false;
  DWORD attr = GetFileAttributesW(W(p));
  if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_DIRECTORY)) return false;
  if (attr & FILE_ATTRIBUTE_REPARSE_POINT) return RemoveLink(p, attr);
  if (!DeleteContents(p, options)) return false;
  if (attr & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(W(p), attr & ~FILE_ATTRIBUTE_READONLY);
  return RemoveDirectoryW(W(p)) != 0;
}

String GetTempPathStr() {
  wchar_t buf[MAX_PATH + 2];
  DWORD n = GetTempPathW(MAX_PATH + 2, buf);
  if (n == 0 || n > MAX_PATH + 1) return String();
  return WithBackslash(FromW(buf, n));
}

String GetSpecialFolder(int csidl) {
  wchar_t buf[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buf))) return String();
  return WithoutBackslash(FromW(buf));
}

String AppDataFolder() { return GetSpecialFolder(CSIDL_APPDATA); }
String FontsFolder() { return GetSpecialFolder(CSIDL_FONTS); }
String LongPathName(const String& path) {
  DWORD n = GetLongPathNameW(W(path), nullptr, 0);
  if (n == 0) return path;
  std::u16string buf(n, u'\0');
  n = GetLongPathNameW(W(path), W(buf.data()), n);
  if (n == 0 || n >= buf.size()) return path;
  buf.resize(n);
  return buf;
}

String EnvironmentVariable(const String& name) {
  DWORD n = GetEnvironmentVariableW(W(name), nullptr, 0);
  if (n == 0) return String();
  std::u16string buf(n, u'\0');
  n = GetEnvironmentVariableW(W(name), W(buf.data()), n);
  if (n >= buf.size()) return String();
  buf.resize(n);
  return buf;
}

String CurrentFolder() {
  DWORD n = GetCurrentDirectoryW(0, nullptr);
  if (n == 0) return String();
  std::u16string buf(n, u'\0');
  n = GetCurrentDirectoryW(n, W(buf.data()));
  if (n == 0 || n >= buf.size()) return String();
  buf.resize(n);
  return buf;
}

String TempFolder() {
  // An empty variable counts as missing; its text is taken as it stands.
  String folder = EnvironmentVariable(u"TMP");
  if (folder.empty()) folder = EnvironmentVariable(u"TEMP");
  if (folder.empty()) folder = CurrentFolder();
  if (folder.empty()) return folder;
  return WithoutBackslash(LongPathName(folder));
}
String SystemFolder() { return GetSpecialFolder(CSIDL_SYSTEM); }
String WindowsFolder() { return GetSpecialFolder(CSIDL_WINDOWS); }

String ModuleFileName(HMODULE module) {
  std::u16string buf(MAX_PATH, u'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(module, W(buf.data()), static_cast<DWORD>(buf.size()));
    if (n == 0) return String();
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(buf.size() * 2);
  }
}

String ExeFolder() {
  String exe = ModuleFileName(nullptr);
  size_t cut = exe.find_last_of(u"\\/");
  return cut == String::npos ? String() : exe.substr(0, cut + 1);
}

}  // namespace fw
