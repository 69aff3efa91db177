// The crop folder of the image page, where the character files that the
// sample is built from are kept, the naming of its numbered files, and the
// choices the settings dialog makes for the glyph tools. The grab, the
// character cropper and the sample building themselves are methods of the
// main window (glyph_isolation.cpp).
#pragma once

#include "fw/core/rtti.h"
#include "fw/core/types.h"

namespace app {

class TImageForm;
// The glyph tools' components and handlers, by their names in the form
// description.
void DescribeGlyphIsolation(fw::TClassBuilder<TImageForm>& c);

// The temporary folder followed by "\Tavo_Cropped_3\". Tests may point it
// elsewhere (with trailing backslash; empty: the real one).
fw::String CropFolder();
void SetCropFolderForTests(const fw::String& Folder);

// The file name "<Prefix>_%.3d.BMP" of a number (three digits at least).
fw::String CropFileName(const fw::String& Prefix, int Number);

// Counts on from Number until the numbered name is free in the folder
// (with trailing backslash); Number ends on the number used. Answers the
// full path.
fw::String NextFreeCropFile(const fw::String& Folder, const fw::String& Prefix, int& Number);

// The next free numbered file of the folder (with trailing backslash):
// counting starts after the number of files already there, and goes on
// while the name is taken.
fw::String NextCropFile(const fw::String& Folder, const fw::String& Prefix);

// The sample box (width and height) chosen in the settings; 70 x 70 until
// the settings dialog keeps a choice.
fw::TPoint SampleBox();

// Whether the crop list shows the file names above the characters ("Show
// cropped character title" of the settings; on until the dialog keeps it).
bool ShowCropTitles();

// Asks for the folder the crop files are saved to; false when cancelled.
// Tests replace it.
using TChooseFolderProc = bool (*)(const fw::String& Title, fw::String& Folder);
void SetChooseFolderProc(TChooseFolderProc Proc);  // nullptr: the window's browsecropped

}  // namespace app
