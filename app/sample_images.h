// The sample images that come with the program: four small pictures of
// words, each in the colours one of the image page's recipes cleans up
// (black on white; white on a dark background; dark on a lighter
// background; light on a lighter background). The installer writes them
// into the samples folder; the program itself only reads them.
#pragma once

#include <vector>

#include "fw/core/types.h"

namespace app {

struct TSampleImageLook {
  const char16_t* FileName;  // "sample_1.bmp", ...
  const char16_t* Text;
  fw::TColor Ink;
  fw::TColor Background;
};

// The four samples, in the order the image page's instructions list them.
const std::vector<TSampleImageLook>& SampleImageLooks();

// Writes the four 24-bit bitmaps into Folder (created when missing); files
// already there are kept unless Overwrite. Raises when a file can't be
// written.
void WriteSampleImages(const fw::String& Folder, bool Overwrite);

}  // namespace app
