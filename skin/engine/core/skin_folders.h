// Skin folders: the skin directory resolved against the program's folder,
// the list of skins a manager can offer (its stored skins, sub-folders with
// an "Options.dat", packed ".ksz" files), the file name a stored skin is
// extracted to, and unpacking a packed skin into a folder.
#pragma once

#include <vector>

#include "fw/core/types.h"
#include "skin/engine/core/packed_skin.h"
#include "skin/engine/core/stored_skins.h"

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

// Writes a stored skin's data whole to <destDir>\<ExtractedSkinFileName>,
// replacing a file of that name; a missing folder is made (one level).
// False, writing nothing, when the folder neither exists nor can be made.
bool ExtractByIndex(const TkStoredSkins& skins, int index, const fw::String& destDir);

// Every stored skin of exactly that name into an existing folder. The
// texts are the messages the user sees.
constexpr const char16_t* kSkinDoesNotExist = u"Skin does not exists.";
constexpr const char16_t* kDirectoryDoesNotExist = u"Directory does not exists.";
enum class TExtractResult { Extracted, NoSuchSkin, NoSuchDirectory };
TExtractResult ExtractInternalSkin(const TkStoredSkins& skins, fw::StringView name, const fw::String& destDir);

// A name picked with equal chances (a generator of its own, seeded once);
// empty when there is none.
fw::String PickRandomSkin(const std::vector<fw::String>& names);

// Writes every entry of a packed skin as a file into folder (which must
// exist). Raises ESkinError, before writing anything, when an entry's name
// would leave the folder (a path, a drive, "..") or names two files alike.
void UnpackSkinToFolder(const TkcSkinConvertor& pack, const fw::String& folder);

}  // namespace skin
