// Numbered backups of a file, newest first (.~001~, .~002~, ...), kept
// through the file system the caller gives, so that the settings storage and
// the file routines keep the same names in the same way.
#pragma once

#include "fw/core/datetime.h"
#include "fw/core/types.h"
#include "services/core/storagefiles.h"

namespace services {

// Copies FileName to its newest numbered backup in Folder (the file's own
// folder when empty) after moving the older ones up by one, up to MaxCount.
// Nothing happens when the file is missing, MaxCount <= 0, or NotAfter is not
// 0 and the newest backup is later than NotAfter. Raises fw::Exception
// "Unable to delete file ...", "Unable to rename file ... to ..." or
// "Unable to copy file ..." when a step fails.
void KeepFileHistory(TCkStorageFileSystem& Files, const fw::String& FileName, const fw::String& Folder, int MaxCount,
                     bool ReplaceExtension, fw::TDateTime NotAfter);

}  // namespace services
