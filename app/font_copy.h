// Copying the font files of the result list into a folder: the target
// folder's form, a ".PFM" file's outline file taken along, and the progress
// and "Abort" of the copy dialog.
#pragma once

#include <functional>
#include <vector>

#include "fw/core/types.h"

namespace app {

class Tmanagedlg;

// The folder the copied files go into, ready to be joined with "\" and a
// file name: a drive's root folder becomes the drive alone ("D:"), any
// other folder loses a trailing backslash.
fw::String CopyTargetFolder(const fw::String& Directory);

// Copies the font files to the folder without overwriting (failures are
// ignored; "System font" entries copy nothing); a ".PFM" file takes its
// outline file along as "<name>.PFB". With a dialog, its bar follows the
// files and its "Abort" ends the copy after the current file; the dialog
// is captioned "Finished!" and hidden at the end. Returns the files copied.
int CopyResultFontFiles(const std::vector<fw::String>& Paths, const fw::String& Directory, Tmanagedlg* Dialog);

// How a copy of font files goes.
struct TFontCopyOptions {
  bool Overwrite = false;
  // The bar's maximum is the number of files, less this.
  int BarMaxLess = 0;
  // Told of a font file that could not be copied (file name, target folder);
  // false ends the copy. Empty: failures are ignored.
  std::function<bool(const fw::String& FileName, const fw::String& Target)> OnFailure;
};
// The copy the two commands share (see CopyResultFontFiles).
int CopyFontFiles(const std::vector<fw::String>& Paths, const fw::String& Directory, Tmanagedlg* Dialog,
                  const TFontCopyOptions& Options);

}  // namespace app
