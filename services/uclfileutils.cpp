#include "services/uclfileutils.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "fw/core/datetime.h"
#include "fw/core/sysutils.h"
#include "fw/platform/files.h"
#include "services/appstorage_win.h"
#include "services/core/filehistory.h"
#include "services/uclbase.h"

namespace services {

namespace {

UINT ShellFlags(unsigned Options) {
  UINT flags = 0;
  if (Options & sdoSilent) flags |= FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
  if (Options & sdoAllowUndo) flags |= FOF_ALLOWUNDO;
  if (Options & sdoFilesOnly) flags |= FOF_FILESONLY;
  return flags;
}

}  // namespace

bool FilePresent(const fw::String& FileName) {
  if (FileName.empty()) return false;
  const int attr = fw::FileGetAttr(FileName);
  return attr != -1 && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryPresent(const fw::String& Path) { return !Path.empty() && fw::DirectoryExists(Path); }

bool PathIsFolder(const fw::String& Path) { return DirectoryPresent(Path); }

bool CreateFolderPath(const fw::String& Path) {
  if (Path.empty()) {
    SetLastError(ERROR_INVALID_NAME);
    throw EUclFileUtilsError(u"Unable to create directory");
  }
  const fw::String path = PathWithoutTrailingBackslash(Path);
  if (path.size() == 2 && path[1] == u':') return true;
  if (path.empty() || DirectoryPresent(path) || fw::ExtractFilePath(path) == path) return true;
  return fw::ForceDirectories(path);
}

bool RemoveFolderTree(const fw::String& Path, bool AbortOnFailure, const TFileProgress& Progress) {
  if (Path.empty()) return false;
  fw::TDeleteTreeOptions options;
  options.abortOnFailure = AbortOnFailure;
  options.confirmFile = Progress;
  return fw::DeleteFolderTree(PathWithoutTrailingBackslash(Path), options);
}

bool DeleteFolderTree(const fw::String& Path, bool MoveToRecycleBin) {
  if (MoveToRecycleBin) return ShellDeleteFolder(nullptr, Path, sdoSilent | sdoAllowUndo);
  return RemoveFolderTree(Path);
}

bool AddMatchingFiles(const fw::String& PathAndMasks, uint32_t Attributes, fw::TStrings& List,
                      bool IncludeDirectoryName) {
  fw::String folder = fw::ExtractFilePath(PathAndMasks);
  const fw::String masksText = PathAndMasks.substr(folder.size());
  if (!folder.empty()) folder = PathWithTrailingBackslash(folder);
  std::vector<fw::String> masks;
  size_t start = 0;
  for (;;) {
    const size_t cut = masksText.find(u';', start);
    if (cut == fw::String::npos) {
      if (start < masksText.size() || masks.empty()) masks.push_back(masksText.substr(start));
      break;
    }
    masks.push_back(masksText.substr(start, cut - start));
    start = cut + 1;
  }
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(W(folder + u"*"), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  List.BeginUpdate();
  do {
    const fw::String name(reinterpret_cast<const char16_t*>(data.cFileName));
    if (name == u"." || name == u"..") continue;
    if ((data.dwFileAttributes & 0x1FF & ~Attributes) != 0) continue;
    for (const fw::String& mask : masks)
      if (FileNameMatches(name, mask, false)) {
        List.Add(IncludeDirectoryName ? folder + name : name);
        break;
      }
  } while (FindNextFileW(find, &data));
  const DWORD end = GetLastError();
  FindClose(find);
  List.EndUpdate();
  return end == ERROR_NO_MORE_FILES;
}

bool CopyFileTo(const fw::String& Source, const fw::String& Target, bool ReplaceExisting) {
  const fw::String target = DirectoryPresent(Target) ? PathJoin(Target, fw::ExtractFileName(Source)) : Target;
  return CopyFileW(W(Source), W(target), !ReplaceExisting) != 0;
}

bool MoveFileTo(const fw::String& Source, const fw::String& Target, bool ReplaceExisting) {
  if (MoveFileExW(W(Source), W(Target), ReplaceExisting ? MOVEFILE_REPLACE_EXISTING : 0)) return true;
  if (!CopyFileTo(Source, Target, ReplaceExisting)) return false;
  // A source that stays behind means the file was copied, not moved.
  return DeleteFileW(W(Source)) != 0;
}

bool DeleteFileOrRecycle(const fw::String& FileName, bool MoveToRecycleBin) {
  if (MoveToRecycleBin) return ShellDeleteFiles(nullptr, FileName, sdoSilent | sdoAllowUndo | sdoFilesOnly);
  return DeleteFileW(W(FileName)) != 0;
}

fw::TDateTime FileDateTime(const fw::String& FileName) {
  fw::TDateTime age = 0;
  return TCkWindowsFileSystem().FileAge(FileName, age) ? age : 0;
}

void KeepFileHistory(const fw::String& FileName, const fw::String& Folder, int MaxCount, bool ReplaceExtension,
                     fw::TDateTime NotAfter) {
  TCkWindowsFileSystem files;
  KeepFileHistory(files, FileName, Folder, MaxCount, ReplaceExtension, NotAfter);
}

bool ShellDeleteFiles(HWND Parent, const fw::String& Names, unsigned Options) {
  fw::String from = Names;
  from.push_back(u'\0');  // the list ends with a second NUL
  SHFILEOPSTRUCTW op{};
  op.hwnd = Parent;
  op.wFunc = FO_DELETE;
  op.pFrom = W(from);
  op.fFlags = static_cast<FILEOP_FLAGS>(ShellFlags(Options));
  return SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

bool ShellDeleteFolder(HWND Parent, const fw::String& Folder, unsigned Options) {
  const fw::String folder = PathWithoutTrailingBackslash(Folder);
  if (!ShellDeleteFiles(Parent, folder + u"\\*.*", Options & ~sdoFilesOnly)) return false;
  return ShellDeleteFiles(Parent, folder, Options);
}

fw::String PathLongName(const fw::String& Path) {
  if (Path.find(u"::") == fw::String::npos) return fw::LongPathName(Path);
  // Shell names ("::{GUID}\...") only the desktop folder can parse.
  IShellFolder* desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop))) return Path;
  fw::String name = Path;
  PIDLIST_RELATIVE items = nullptr;
  const HRESULT parsed = desktop->ParseDisplayName(nullptr, nullptr, W(name.data()), nullptr, &items, nullptr);
  desktop->Release();
  if (FAILED(parsed) || !items) return Path;
  wchar_t buffer[MAX_PATH + 1] = {};
  const bool converted = SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(items), buffer) && buffer[0];
  CoTaskMemFree(items);
  return converted ? FromW(buffer) : Path;
}

fw::String TempFolderPath() { return fw::GetTempPathStr(); }

fw::String ModuleFileName(HMODULE Module) { return fw::ModuleFileName(Module); }

fw::String SpecialFolderPath(int Csidl) { return fw::GetSpecialFolder(Csidl); }

}  // namespace services
