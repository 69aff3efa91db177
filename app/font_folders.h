// Font files of a folder: the directory search behind the folder source of a
// search, the count shown beside it and the file list of the multi-font
// preview. Entries come in the order the file system returns them.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "fw/core/types.h"

namespace app {

struct TFolderEntry {
  fw::String Name;  // without the folder
  bool IsFolder = false;
  // A symbolic link or junction: it may lead out of the tree or round in a
  // circle, so a walk never enters it.
  bool IsReparsePoint = false;
  uint32_t Attributes = 0;  // the system's file attributes
};

// The system's Fonts folder, without a trailing "\".
fw::String SystemFontsFolder();

// The folder with a trailing "\".
fw::String IncludeTrailingBackslash(const fw::String& folder);

// Calls visit for every entry of folder + "*.*" except "." and ".."; visit
// returns false to stop. Returns false when visit stopped the walk. A folder
// that cannot be read has no entries.
bool ForEachFolderEntry(const fw::String& folder, const std::function<bool(const TFolderEntry&)>& visit);

// A subfolder that a walk with subfolders enters.
bool IsWalkedSubfolder(const TFolderEntry& entry);

// Number of font files (".TTF", ".OTF", ".TTC", ".PFM"; not ".FON") in the
// folder, and in its subfolders when asked.
int GetNumberoffiles(const fw::String& folder, bool withSubfolders);

// Adds folder + name of every font file to files and each folder that holds
// one to folders (once), depth first when asked for subfolders.
void ScanDirectoryfolder(const fw::String& folder, std::vector<fw::String>& files, bool withSubfolders,
                         std::vector<fw::String>& folders);

// Number of entries of a folder that are not folders.
int CountFilesInFolder(const fw::String& folder);

}  // namespace app
