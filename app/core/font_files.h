// Rules for font files that need no system font API: file kinds by
// extension, the PostScript metrics/outline pair, face names cut from font
// resource descriptions and from font resource files, charset names.
//
// Loading a file into the system's font table, reading its description and
// enumerating faces and folders are done by the Windows layer.
#pragma once

#include <cstdint>
#include <vector>

#include "fw/core/streams.h"
#include "fw/core/types.h"

namespace app {

// The extension of the file name part, dot included, in upper case
// (".TTF"); empty when there is none.
fw::String UpperFileExt(const fw::String& path);

// ".TTF", ".OTF", ".TTC" and ".PFM": the files a search and a folder count
// take (".FON" is not among them).
bool IsFontFileExt(const fw::String& upperExt);

// ".TTF", ".OTF" and ".TTC": the files that carry a naming table.
bool HasNamingTable(const fw::String& upperExt);

using TFileExistsFunc = bool (*)(const fw::String&);

// For a ".PFM" path: "|" + outline folder + "\" + base + "PFB", where base is
// the file name without its last three characters and the outline folder is
// the file's own folder when the outline file is there, else its parent.
// Appended to the metrics path it makes the one name that loads the pair.
fw::String PfbPartnerSuffix(const fw::String& pfmPath, TFileExistsFunc exists = fw::FileExists);
// The outline file's path: the suffix without its bar.
fw::String findPFBfilename(const fw::String& pfmPath, TFileExistsFunc exists = fw::FileExists);
// The name to add to the font table: the path, with the outline suffix for
// a ".PFM".
fw::String FontResourceName(const fw::String& path, TFileExistsFunc exists = fw::FileExists);

// Clears the list, then adds each piece of text before a separator (an
// empty piece as emptyText) and a non-empty remainder last.
void SplitText(const fw::String& text, char16_t separator, std::vector<fw::String>& list,
               const fw::String& emptyText);

// A collection's description joins its faces with " & ": the first face.
fw::String FirstTtcName(const fw::String& description);

// A ".FON" description such as "MS Sans Serif 8,10,12" without its sizes:
// cut before the first "(" or digit, dropping the character before it too.
fw::String CutFonDescription(const fw::String& description);

// The face name of a font file from its resource description, by kind:
// the first face of a ".TTC", the first 31 characters of a ".TTF" or
// ".OTF", a ".FON" without its sizes; others unchanged.
fw::String FaceNameFromDescription(const fw::String& upperExt, const fw::String& description);

// The face name in a font resource file made for a font file: the text after
// the first "FONTRES:" up to the next NUL byte or the end; empty without one.
fw::String FaceNameFromFot(const std::vector<uint8_t>& fot);

// "ANSI_CHARSET", "SYMBOL_CHARSET", ... or "Unknown charset %d".
fw::String CharsetName(int charset);

}  // namespace app
