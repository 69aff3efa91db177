// Sample images for the matching tests: a character drawn in an installed
// font, cropped to its glyph as the character cropper cuts it, and fitted
// into the sample box.
#pragma once

#include <memory>

#include "app/image_routines.h"
#include "app/matching_engine.h"
#include "fw/graphics/graphics.h"

namespace testing_glyphs {

// The glyph of one character at the given point size, cropped.
inline std::unique_ptr<fw::TBitmap> GlyphPicture(const fw::String& face, int codePoint, int points,
                                                 bool bold = false, bool italic = false) {
  fw::TBitmap canvas;
  canvas.SetPixelFormat(fw::pf24bit);
  canvas.SetSize(points * 3, points * 3);
  app::DrawCharCentred(codePoint, canvas.Canvas(), fw::Rect(0, 0, canvas.Width(), canvas.Height()), points,
                       face, bold, italic);
  auto glyph = std::make_unique<fw::TBitmap>();
  app::CropGlyph(&canvas, glyph.get());
  return glyph;
}

// The sample as the sample box makes it from the glyph picture.
inline std::unique_ptr<fw::TBitmap> Sample(const fw::String& face, int codePoint, int points, int boxW = 70,
                                           int boxH = 70, bool bold = false, bool italic = false) {
  auto glyph = GlyphPicture(face, codePoint, points, bold, italic);
  return app::FitSampleToBox(glyph.get(), boxW, boxH);
}

}  // namespace testing_glyphs
