// The crop folder of the image page, where the character files that the
// sample is built from are kept, and the naming of its numbered files.
#pragma once

#include "fw/core/types.h"

namespace app {

// The temporary folder followed by "\Tavo_Cropped_3\".
fw::String CropFolder();

// The file name "<Prefix>_%.3d.BMP" of a number (three digits at least).
fw::String CropFileName(const fw::String& Prefix, int Number);

// The next free numbered file of the folder (with trailing backslash):
// counting starts after the number of files already there, and goes on
// while the name is taken.
fw::String NextCropFile(const fw::String& Folder, const fw::String& Prefix);

}  // namespace app
