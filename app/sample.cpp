#include "app/sample.h"

#include "app/matching_engine.h"

namespace app {

void TSample::Build(const fw::String& fileName, int boxWidth, int boxHeight, fw::TBitmap* picture) {
  bitmap_.Assign(nullptr);
  picture->LoadFromFile(fileName);
  bitmap_.Assign(FitSampleToBox(picture, boxWidth, boxHeight).get());
}

}  // namespace app
