// Files and folders: existence, creating and removing folder trees, file
// lists by masks, copying, moving, deleting (also to the recycle bin),
// numbered backups, and the system's folders and long names. Routines that
// the framework already has call it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "fw/core/strings_list.h"
#include "fw/core/types.h"
#include "services/core/pathutils.h"

namespace services {

bool FilePresent(const fw::String& FileName);
bool DirectoryPresent(const fw::String& Path);
bool PathIsFolder(const fw::String& Path);

// Creates the folder with its missing parents; true when it exists after.
// An empty path raises EUclFileUtilsError "Unable to create directory".
bool CreateFolderPath(const fw::String& Path);
// Asked before each file of a removed tree; false keeps the file.
using TFileProgress = std::function<bool(const fw::String& FileName, uint32_t Attributes)>;
// Removes the folder with everything in it (read-only files too); links in
// the tree are removed as links, never followed. Goes on after a failed
// entry unless AbortOnFailure; false when anything stayed.
bool RemoveFolderTree(const fw::String& Path, bool AbortOnFailure = false, const TFileProgress& Progress = {});
// RemoveFolderTree, or the shell's deletion into the recycle bin.
bool DeleteFolderTree(const fw::String& Path, bool MoveToRecycleBin);

// Adds the entries of Folder\Mask1;Mask2... whose attributes all lie in
// Attributes, with or without the folder; false when the search failed.
bool AddMatchingFiles(const fw::String& PathAndMasks, uint32_t Attributes, fw::TStrings& List,
                      bool IncludeDirectoryName);

// Into a folder when Target is one.
bool CopyFileTo(const fw::String& Source, const fw::String& Target, bool ReplaceExisting);
// Moves, or copies and deletes the source when a move is impossible; false
// when the source could not be deleted after the copy (both files stay).
bool MoveFileTo(const fw::String& Source, const fw::String& Target, bool ReplaceExisting);
bool DeleteFileOrRecycle(const fw::String& FileName, bool MoveToRecycleBin);
// Last write time as a date-time; 0 when it cannot be read.
fw::TDateTime FileDateTime(const fw::String& FileName);
// Numbered backups of FileName in Folder (its own when empty): the newest
// is .~001~, older ones move up to MaxCount; NotAfter (0: always) skips
// the backup when the newest is later than it. Raises when an old backup
// cannot be deleted or renamed.
void KeepFileHistory(const fw::String& FileName, const fw::String& Folder, int MaxCount, bool ReplaceExtension,
                     fw::TDateTime NotAfter);

enum TShellDeleteOption : unsigned { sdoSilent = 1, sdoAllowUndo = 2, sdoFilesOnly = 4 };
// SHFileOperation deletion of a name or pattern; true when it succeeded.
bool ShellDeleteFiles(HWND Parent, const fw::String& Names, unsigned Options);
// The folder's contents, then the folder.
bool ShellDeleteFolder(HWND Parent, const fw::String& Folder, unsigned Options);

// The long form of a path, of a shell name ("::{GUID}...") through the
// shell; the path itself when there is none.
fw::String PathLongName(const fw::String& Path);
// With its trailing backslash.
fw::String TempFolderPath();
fw::String ModuleFileName(HMODULE Module);
fw::String SpecialFolderPath(int Csidl);

}  // namespace services
