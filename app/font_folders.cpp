#include "app/font_folders.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "app/core/font_files.h"
#include "app/system_folders.h"

namespace app {

namespace {

class TFindHandle {
 public:
  explicit TFindHandle(HANDLE h) : h_(h) {}
  ~TFindHandle() {
    if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
  }
  TFindHandle(const TFindHandle&) = delete;
  TFindHandle& operator=(const TFindHandle&) = delete;
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

bool IsDotEntry(const wchar_t* name) {
  return (name[0] == L'.' && name[1] == 0) || (name[0] == L'.' && name[1] == L'.' && name[2] == 0);
}

bool IsFontFile(const TFolderEntry& e) { return !e.IsFolder && IsFontFileExt(UpperFileExt(e.Name)); }

void CountFontFiles(const fw::String& folder, bool withSubfolders, int& count) {
  const fw::String dir = IncludeTrailingBackslash(folder);
  ForEachFolderEntry(dir, [&](const TFolderEntry& e) {
    if (IsFontFile(e)) {
      ++count;
    } else if (withSubfolders && IsWalkedSubfolder(e)) {
      CountFontFiles(dir + e.Name, true, count);
    }
    return true;
  });
}

}  // namespace

fw::String SystemFontsFolder() { return ProgramSystemFolders()->Fonts(); }

fw::String IncludeTrailingBackslash(const fw::String& folder) {
  if (!folder.empty() && folder.back() == u'\\') return folder;
  return folder + u"\\";
}

bool ForEachFolderEntry(const fw::String& folder, const std::function<bool(const TFolderEntry&)>& visit) {
  const fw::String pattern = IncludeTrailingBackslash(folder) + u"*.*";
  WIN32_FIND_DATAW fd;
  TFindHandle find(FindFirstFileW(W(pattern), &fd));
  if (find.Get() == INVALID_HANDLE_VALUE) return true;
  do {
    if (IsDotEntry(fd.cFileName)) continue;
    TFolderEntry e;
    e.Name = FromW(fd.cFileName);
    e.IsFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.IsReparsePoint = (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    e.Attributes = fd.dwFileAttributes;
    if (!visit(e)) return false;
  } while (FindNextFileW(find.Get(), &fd));
  return true;
}

bool IsWalkedSubfolder(const TFolderEntry& entry) { return entry.IsFolder && !entry.IsReparsePoint; }

int GetNumberoffiles(const fw::String& folder, bool withSubfolders) {
  int count = 0;
  CountFontFiles(folder, withSubfolders, count);
  return count;
}

void ScanDirectoryfolder(const fw::String& folder, std::vector<fw::String>& files, bool withSubfolders,
                         std::vector<fw::String>& folders) {
  const fw::String dir = IncludeTrailingBackslash(folder);
  ForEachFolderEntry(dir, [&](const TFolderEntry& e) {
    if (IsFontFile(e)) {
      files.push_back(dir + e.Name);
      if (std::find(folders.begin(), folders.end(), dir) == folders.end()) folders.push_back(dir);
    } else if (withSubfolders && IsWalkedSubfolder(e)) {
      ScanDirectoryfolder(dir + e.Name, files, true, folders);
    }
    return true;
  });
}

int CountFilesInFolder(const fw::String& folder) {
  int count = 0;
  ForEachFolderEntry(folder, [&](const TFolderEntry& e) {
    if (!e.IsFolder) ++count;
    return true;
  });
  return count;
}

}  // namespace app
