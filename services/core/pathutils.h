// Path text: trailing backslashes, joining, extensions, rooted and UNC
// paths, backup names. Plain text work; nothing here touches the disk.
#pragma once

#include "fw/core/types.h"

namespace services {

// "\" appended unless Path ends with one; an empty path gives "\".
fw::String PathWithTrailingBackslash(const fw::String& Path);
// One trailing "\" removed.
fw::String PathWithoutTrailingBackslash(const fw::String& Path);
// Path and Rest with exactly one "\" between them; either alone when the
// other is empty.
fw::String PathJoin(const fw::String& Path, const fw::String& Rest);
// Extension appended (with its "." when it has none) unless the path is
// empty or already has that extension (ASCII case ignored); a trailing "."
// of Path is dropped first.
fw::String PathAppendExtension(const fw::String& Path, const fw::String& Extension);
// The path starts with the device prefix "\\.\".
bool PathHasDevicePrefix(const fw::String& Path);
// A UNC share ("\\server\share...", "\\?\UNC\...") or a drive path
// ("C:\..."), optionally after the device prefix.
bool PathIsRooted(const fw::String& Path);
bool PathIsUncShare(const fw::String& Path);
// "*" any run, "?" one character, the whole name; an empty mask, "*" and
// "*.*" match everything. A name without "." also matches as if it ended
// with one ("*." finds names without extension), and as it stands (so the
// mask README finds README). Case is ignored unless CaseSensitive.
bool FileNameMatches(const fw::String& FileName, const fw::String& Mask, bool CaseSensitive);
// a.ini -> a.~ini; a name without extension gets ".~".
fw::String BackupFileName(const fw::String& FileName);
// ".~" + N with at least three digits + "~": 1 -> .~001~.
fw::String NumberedBackupExtension(int N);
// The N-th numbered backup of FileName: its extension replaced by
// NumberedBackupExtension(N) (a.ini -> a.~001~) when ReplaceExtension, else
// that appended (a.ini -> a.ini.~001~).
fw::String NumberedBackupName(const fw::String& FileName, int N, bool ReplaceExtension);

}  // namespace services
