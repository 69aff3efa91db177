// Skin folders: the skin directory resolved against the program's folder,
// the list of skins a manager can offer (its stored skins, sub-folders with
// an "Options.dat", packed ".ksz" files), the file name a stored skin is
// extracted to, and unpacking a packed skin into a folder.
#pragma once

#include <vector>

#include "fw/core/types.h"
#include "skin/engine/core/packed_skin.h"

namespace skin {

// appFolder ends with its delimiter. "..\x" is x in the parent of the
// program's folder (one level only), ".\x" and "./x" and plain relative
// names are in the program's folder, "." is the program's folder; names
// with ":" or a leading "\\" stay as they are. No delimiter is added.
fw::String GetFullSkinDirectory(fw::StringView skinDirectory, fw::StringView appFolder);

enum class TkcSkinTypes { stUnpacked, stPacked, stAllSkins };

// Fills list with the stored names followed by the folder's skins, sorted
// ignoring case; answers the first name found (stored skins first). A
// packed file is listed by its name without the final ".ksz" (so the name
// listed is the name that loads it); the extension's letter case counts.
// Entries beginning with "." are skipped. A missing folder lists nothing.
fw::String ListSkinNames(const std::vector<fw::String>& storedNames, const fw::String& folder, TkcSkinTypes type,
                         std::vector<fw::String>& list);

// "<name> extracted.ksz" with every character that could name another
// folder or drive ("\", "/", ":") taken out of the name.
fw::String ExtractedSkinFileName(fw::StringView skinName);

// Writes every entry of a packed skin as a file into folder (which must
// exist). Raises ESkinError, before writing anything, when an entry's name
// would leave the folder (a path, a drive, "..") or names two files alike.
void UnpackSkinToFolder(const TkcSkinConvertor& pack, const fw::String& folder);

}  // namespace skin
