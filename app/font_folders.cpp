#include "app/font_folders.h"

#include <algorithm>

#include "app/core/font_files.h"
#include "app/system_folders.h"
#include "fw/core/sysutils.h"

namespace app {

namespace {

fw::TFindOptions Walk(bool withSubfolders) {
  fw::TFindOptions options;
  options.recursive = withSubfolders;
  return options;
}

}  // namespace

fw::String SystemFontsFolder() { return ProgramSystemFolders()->Fonts(); }

bool IsFontFileEntry(const fw::TSearchRec& entry) {
  return !(entry.Attr & fw::faDirectory) && IsFontFileExt(UpperFileExt(entry.Name));
}

int GetNumberoffiles(const fw::String& folder, bool withSubfolders) {
  int count = 0;
  fw::FindFiles(folder, Walk(withSubfolders), [&](const fw::String&, const fw::TSearchRec& e) {
    if (IsFontFileEntry(e)) ++count;
    return true;
  });
  return count;
}

void ScanDirectoryfolder(const fw::String& folder, std::vector<fw::String>& files, bool withSubfolders,
                         std::vector<fw::String>& folders) {
  fw::FindFiles(folder, Walk(withSubfolders), [&](const fw::String& path, const fw::TSearchRec& e) {
    if (!IsFontFileEntry(e)) return true;
    files.push_back(path);
    const fw::String dir = fw::ExtractFilePath(path);
    if (std::find(folders.begin(), folders.end(), dir) == folders.end()) folders.push_back(dir);
    return true;
  });
}

int CountFilesInFolder(const fw::String& folder) {
  int count = 0;
  fw::FindFiles(folder, Walk(false), [&](const fw::String&, const fw::TSearchRec& e) {
    if (!(e.Attr & fw::faDirectory)) ++count;
    return true;
  });
  return count;
}

}  // namespace app
