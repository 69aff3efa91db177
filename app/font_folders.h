// Font files of a folder: the count shown beside the folder source of a
// search and the file list of the multi-font preview, over the framework's
// directory walk. Entries come in the order the file system returns them.
#pragma once

#include <vector>

#include "fw/core/types.h"
#include "fw/platform/files.h"

namespace app {

// The system's Fonts folder, as the main window's system-folders component
// names it.
fw::String SystemFontsFolder();

// A font file by its extension (".TTF", ".OTF", ".TTC", ".PFM"; not ".FON").
bool IsFontFileEntry(const fw::TSearchRec& entry);

// Number of font files in the folder, and in its subfolders when asked.
// Linked folders are never entered.
int GetNumberoffiles(const fw::String& folder, bool withSubfolders);

// Adds folder + name of every font file to files and each folder that holds
// one to folders (once, with a trailing "\"), depth first when asked for
// subfolders.
void ScanDirectoryfolder(const fw::String& folder, std::vector<fw::String>& files, bool withSubfolders,
                         std::vector<fw::String>& folders);

// Number of entries of a folder that are not folders.
int CountFilesInFolder(const fw::String& folder);

}  // namespace app
