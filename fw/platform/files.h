// Files and folders on wide paths: searching, attributes, creating folder
// paths, deleting folder trees without following links, and the folders the
// system names (temporary, application data, fonts, system, Windows).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "fw/core/types.h"

namespace fw {

// File attributes as the search and attribute functions use them.
enum : uint32_t {
  faReadOnly = FILE_ATTRIBUTE_READONLY,
  faHidden = FILE_ATTRIBUTE_HIDDEN,
  faSysFile = FILE_ATTRIBUTE_SYSTEM,
  faDirectory = FILE_ATTRIBUTE_DIRECTORY,
  faArchive = FILE_ATTRIBUTE_ARCHIVE,
  faNormal = FILE_ATTRIBUTE_NORMAL,
  faTemporary = FILE_ATTRIBUTE_TEMPORARY,
  faSymLink = FILE_ATTRIBUTE_REPARSE_POINT,
  faCompressed = FILE_ATTRIBUTE_COMPRESSED,
  faEncrypted = FILE_ATTRIBUTE_ENCRYPTED,
  faAnyFile = 0x000001FF,
};

struct TSearchRec {
  String Name;          // file name without folder
  uint32_t Attr = 0;    // system attributes of the entry
  int64_t Size = 0;
  FILETIME LastWrite{};  // UTC
  TDateTime Time() const;  // last write, local time

  // Search state.
  HANDLE FindHandle = INVALID_HANDLE_VALUE;
  uint32_t ExcludeAttr = 0;
};

// Entries of `pattern` (folder + wildcard). Normal entries are always found;
// entries that are hidden, system files or folders only when `attr` names
// those attributes. FindFirst and FindNext return 0 on success or the system
// error code (ERROR_NO_MORE_FILES at the end); FindClose ends the search.
int FindFirst(const String& pattern, uint32_t attr, TSearchRec& rec);
int FindNext(TSearchRec& rec);
void FindClose(TSearchRec& rec);

// Walks `folder` for entries matching `mask` ("*.ttf"); the names "." and
// ".." are never reported. `onEntry` receives the entry's full path and its
// search record and returns false to stop the walk. With `recursive`, folders
// are entered depth first after being reported; `enterFolder` (when set) may
// refuse a folder. Folders that are links (reparse points) are never entered.
// Returns false when the walk was stopped.
struct TFindOptions {
  String mask = u"*";
  uint32_t attr = faAnyFile;
  bool recursive = false;
  std::function<bool(const String& path, const TSearchRec& rec)> enterFolder;
};
bool FindFiles(const String& folder, const TFindOptions& options,
               const std::function<bool(const String& path, const TSearchRec& rec)>& onEntry);

// Attributes of a file or folder, or -1 (INVALID_FILE_ATTRIBUTES) when it is
// missing; FileSetAttr returns 0 or the system error code.
int FileGetAttr(const String& path);
int FileSetAttr(const String& path, uint32_t attr);
// Exists and is a folder (a link to a folder counts).
bool DirectoryExists(const String& path);

// Creates the folder with all missing parents; true when it exists after.
bool ForceDirectories(const String& path);

// Deletes the folder with everything in it. Links inside the tree (symbolic
// links and junctions of folders or files) are removed as links; what they
// point to is never touched. Read-only entries are deleted too. A `path` that
// is itself a link is removed as a link only. A drive or share root is
// refused. True when the folder is gone.
bool DeleteFolderTree(const String& path);
// The same, stopping at the first entry that cannot be removed when
// abortOnFailure; confirmFile (when set) is asked before each file and a
// file it keeps keeps its folders too.
struct TDeleteTreeOptions {
  bool abortOnFailure = false;
  std::function<bool(const String& path, uint32_t attr)> confirmFile;
};
bool DeleteFolderTree(const String& path, const TDeleteTreeOptions& options);

// The system's temporary path, ending in a backslash.
String GetTempPathStr();
// A special folder (CSIDL_...) without trailing backslash; empty when the
// system has none. The named ones below use it.
String GetSpecialFolder(int csidl);
String AppDataFolder();    // CSIDL_APPDATA, the user's roaming application data
String FontsFolder();      // CSIDL_FONTS
// The temporary folder without trailing backslash: the variable TMP, else
// TEMP, else the current folder, in its long form.
String TempFolder();
String SystemFolder();     // CSIDL_SYSTEM
String WindowsFolder();    // CSIDL_WINDOWS

// The long form of a path (the path itself when the system has none).
String LongPathName(const String& path);
// The text of an environment variable; empty when it is missing.
String EnvironmentVariable(const String& name);
// The process's current folder as the system gives it.
String CurrentFolder();

// Full path of a module's file (the program's when module is null).
String ModuleFileName(HMODULE module = nullptr);
// The program's folder, ending in a backslash.
String ExeFolder();

}  // namespace fw
