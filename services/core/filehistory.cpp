#include "services/core/filehistory.h"

#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"
#include "services/core/pathutils.h"

namespace services {

namespace {

void MoveUp(TCkStorageFileSystem& Files, const fw::String& Base, bool ReplaceExtension, int N, int MaxCount) {
  const fw::String older = NumberedBackupName(Base, N - 1, ReplaceExtension);
  const fw::String next = NumberedBackupName(Base, N, ReplaceExtension);
  if (Files.FileExists(next)) {
    if (N < MaxCount) MoveUp(Files, Base, ReplaceExtension, N + 1, MaxCount);
    else if (!Files.RemoveFile(next)) throw fw::Exception(u"Unable to delete file \"" + next + u"\".");
  }
  if (Files.FileExists(older) && !Files.MoveReplace(older, next))
    throw fw::Exception(u"Unable to rename file \"" + older + u"\" to \"" + next + u"\".");
}

}  // namespace

void KeepFileHistory(TCkStorageFileSystem& Files, const fw::String& FileName, const fw::String& Folder, int MaxCount,
                     bool ReplaceExtension, fw::TDateTime NotAfter) {
  if (MaxCount <= 0 || !Files.FileExists(FileName)) return;
  const fw::String folder = Folder.empty() ? fw::ExtractFilePath(FileName) : Folder;
  const fw::String base = PathJoin(folder, fw::ExtractFileName(FileName));
  const fw::String newest = NumberedBackupName(base, 1, ReplaceExtension);
  fw::TDateTime age;
  if (NotAfter != 0 && Files.FileAge(newest, age) && age > NotAfter) return;
  MoveUp(Files, base, ReplaceExtension, 2, MaxCount);
  // A backup that silently failed would leave the history one file short.
  if (!Files.CopyReplace(FileName, newest)) throw fw::Exception(u"Unable to copy file \"" + FileName + u"\".");
}

}  // namespace services
