// The image routines on bitmaps: loading a picture file as a bitmap, the
// two character-drawing routines of the matching engine, and the filters,
// colour operations and geometry of the image page. The pixel arithmetic
// itself lives in app/core/pixel_ops; these functions give it the rows of
// DIB-section bitmaps.
#pragma once

#include <memory>
#include <utility>

#include "app/core/pixel_ops.h"
#include "fw/graphics/graphics.h"
#include "fw/graphics/picture.h"

namespace app {

// The rows of a 24- or 32-bit bitmap (empty for an empty bitmap); other
// pixel formats raise EInvalidGraphic.
PixelView BitmapPixels(fw::TBitmap* bitmap);
// Makes the bitmap 24 bits per pixel unless it is already.
void MakeBitmap24(fw::TBitmap* bitmap);

// --- colour conversion unit -------------------------------------------------

// A new bitmap, owned by the caller. A missing file gives a 32 x 32 red cross;
// an ending other than BMP, EMF, GIF, ICO, JPG, PNG and WMF raises
// EInvalidGraphic; decoding errors reach the caller, except for icons, which
// leave the bitmap empty.
std::unique_ptr<fw::TBitmap> LoadPictureAsBitmap(const fw::String& fileName);

// --- image-function unit ------------------------------------------------------

// The path of the image file last opened (set by the image page's open
// commands).
extern fw::String ImageFileName;
// Loads ImageFileName and gives the image control's picture a 24-bit copy
// of it. Called with the control's picture.
void LoadImageIntoControl(fw::TPicture* picture);

// Draws the character of the code point in black, centred in r, after
// filling r with the canvas brush. size is in points.
void DrawCharCentred(int codePoint, fw::TCanvas* canvas, const fw::TRect& r, int size,
                     const fw::String& faceName, bool bold, bool italic);
// The same at a fractional size (rounded, halves to even), against the left
// edge of r, on a white brush.
void DrawCharLeft(int codePoint, fw::TCanvas* canvas, const fw::TRect& r, double size,
                  const fw::String& faceName, bool bold, bool italic);

// --- image routine unit ---------------------------------------------------------

void SmoothImage(fw::TBitmap* bitmap);
void SmoothRect(fw::TBitmap* bitmap, int x1, int y1, int x2, int y2);
void AdjustContrast(fw::TBitmap* bitmap, int amount);
void AdjustBrightness(fw::TBitmap* source, fw::TBitmap* destination, int amount);
// A new bitmap of the source's size and pixel format.
std::unique_ptr<fw::TBitmap> AdjustHsv(fw::TBitmap* bitmap, int hue, int saturation, int value);
// Makes the bitmap 24-bit; every pixel that is not white becomes black.
void MakeBlackAndWhite(fw::TBitmap* bitmap);
// Complements every byte of every row; only 24- and 32-bit bitmaps, else
// raises "Error, Format File not soported!".
void InvertImage(fw::TBitmap* bitmap);
void GrayscaleForGrab(fw::TBitmap* bitmap);
// Only 24-bit bitmaps; otherwise shows "not a truecolor bmp", changes
// nothing and answers false.
bool GrayscaleImage(fw::TBitmap* bitmap);
// A new 24-bit bitmap two pixels narrower and lower (empty when the source
// is smaller than the kernel).
std::unique_ptr<fw::TBitmap> Convolve3x3(fw::TBitmap* bitmap, const TKernel3x3& kernel, double bias);
std::pair<int, int> RotatedSize(fw::TBitmap* bitmap, double angle, int scalePercent);
void RotateBilinear(fw::TBitmap* source, fw::TBitmap* destination, int cx, double angle, int cy);
// Both bitmaps are made 24-bit; the destination keeps its size.
void ResizeBilinear(fw::TBitmap* source, fw::TBitmap* destination);
// Replaces the bitmap by the box of its last run of ink columns; without
// any exactly black pixel it becomes empty.
void CropGlyphInPlace(fw::TBitmap* bitmap);

}  // namespace app
