#include "services/uclfileutils.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "fw/core/datetime.h"
#include "fw/core/sysutils.h"
#include "fw/platform/files.h"
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

// The folder part of a path: up to and including its last "\" or ":".
fw::String FolderPart(const fw::String& Path) {
  const size_t cut = Path.find_last_of(u"\\:");
  return cut == fw::String::npos ? fw::String() : Path.substr(0, cut + 1);
}

fw::String NamePart(const fw::String& Path) { return Path.substr(FolderPart(Path).size()); }

fw::String WithoutExtension(const fw::String& Path) {
  const size_t cut = Path.find_last_of(u"\\:.");
  return cut != fw::String::npos && Path[cut] == u'.' ? Path.substr(0, cut) : Path;
}

[[noreturn]] void RaiseFileError(const fw::String& Text) { throw fw::Exception(Text); }

void RotateBackups(const fw::String& Newest, int N, int MaxCount) {
  const fw::String stem = WithoutExtension(Newest);
  const fw::String older = stem + NumberedBackupExtension(N - 1);
  const fw::String next = stem + NumberedBackupExtension(N);
  if (FilePresent(next)) {
    if (N < MaxCount) RotateBackups(Newest, N + 1, MaxCount);
    else if (!DeleteFileW(W(next))) RaiseFileError(u"Unable to delete file \"" + next + u"\".");
  }
  if (FilePresent(older) && !MoveFileExW(W(older), W(next), MOVEFILE_REPLACE_EXISTING))
    RaiseFileError(u"Unable to rename file \"" + older + u"\" to \"" + next + u"\".");
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
  if (path.empty() || DirectoryPresent(path) || FolderPart(path) == path) return true;
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
  fw::String folder = FolderPart(PathAndMasks);
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
  const fw::String target = DirectoryPresent(Target) ? PathJoin(Target, NamePart(Source)) : Target;
  return CopyFileW(W(Source), W(target), !ReplaceExisting) != 0;
}

bool MoveFileTo(const fw::String& Source, const fw::String& Target, bool ReplaceExisting) {
  if (MoveFileExW(W(Source), W(Target), ReplaceExisting ? MOVEFILE_REPLACE_EXISTING : 0)) return true;
  if (!CopyFileTo(Source, Target, ReplaceExisting)) return false;
  DeleteFileW(W(Source));
  return true;
}

bool DeleteFileOrRecycle(const fw::String& FileName, bool MoveToRecycleBin) {
  if (MoveToRecycleBin) return ShellDeleteFiles(nullptr, FileName, sdoSilent | sdoAllowUndo | sdoFilesOnly);
  return DeleteFileW(W(FileName)) != 0;
}

fw::TDateTime FileDateTime(const fw::String& FileName) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(W(FileName), GetFileExInfoStandard, &data)) return 0;
  FILETIME local;
  SYSTEMTIME t;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &t)) return 0;
  return fw::EncodeDate(t.wYear, t.wMonth, t.wDay) + fw::EncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

void KeepFileHistory(const fw::String& FileName, const fw::String& Folder, int MaxCount, bool ReplaceExtension,
                     fw::TDateTime NotAfter) {
  if (!FilePresent(FileName) || MaxCount <= 0) return;
  const fw::String folder = Folder.empty() ? FolderPart(FileName) : Folder;
  const fw::String base = PathJoin(folder, NamePart(FileName));
  const fw::String newest =
      (ReplaceExtension ? WithoutExtension(base) : base) + NumberedBackupExtension(1);
  if (NotAfter != 0 && FileDateTime(newest) > NotAfter) return;
  RotateBackups(newest, 2, MaxCount);
  CopyFileW(W(FileName), W(newest), FALSE);
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

fw::String PathLongName(const fw::String& Path) { return fw::LongPathName(Path); }

fw::String TempFolderPath() { return fw::GetTempPathStr(); }

fw::String ModuleFileName(HMODULE Module) { return fw::ModuleFileName(Module); }

fw::String SpecialFolderPath(int Csidl) { return fw::GetSpecialFolder(Csidl); }

}  // namespace services
