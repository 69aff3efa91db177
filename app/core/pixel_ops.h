// Pixel arithmetic of the image routines: colour conversions, HSV, the
// per-pixel colour operations, filters and the rotation and resizing
// geometry. Everything works on rows of 24- or 32-bit pixels (blue, green,
// red[, alpha]) given as a PixelView, so the same code serves the Windows
// bitmaps (DIB rows) and plain memory buffers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "fw/core/types.h"

namespace app {

using fw::TColor;

// Colour values the routines test for: exactly these, nothing near them.
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kInk = 0x000000;

// Rows of pixels, row 0 at the top. Stride is the distance in bytes from a
// row to the one below it; it is negative for bottom-up storage.
struct PixelView {
  uint8_t* Bits = nullptr;  // first byte of row 0
  ptrdiff_t Stride = 0;
  int Width = 0;
  int Height = 0;
  int BytesPerPixel = 3;  // 3 or 4

  bool Empty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
  uint8_t* Row(int y) const { return Bits + static_cast<ptrdiff_t>(y) * Stride; }
  uint8_t* At(int x, int y) const { return Row(y) + static_cast<ptrdiff_t>(x) * BytesPerPixel; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
  // 0x00BBGGRR; the alpha byte of a 32-bit pixel is not part of the colour.
  TColor ColorAt(int x, int y) const {
    const uint8_t* p = At(x, y);
    return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
  }
  void SetColor(int x, int y, TColor c) const {
    uint8_t* p = At(x, y);
    p[0] = static_cast<uint8_t>(c >> 16);
    p[1] = static_cast<uint8_t>(c >> 8);
    p[2] = static_cast<uint8_t>(c);
  }
  bool IsWhite(int x, int y) const {
    const uint8_t* p = At(x, y);
    return p[0] == 255 && p[1] == 255 && p[2] == 255;
  }
  bool IsInk(int x, int y) const {
    const uint8_t* p = At(x, y);
    return (p[0] | p[1] | p[2]) == 0;
  }
};

// An image in memory with rows padded to 4 bytes, as a DIB stores them.
class PixelBuffer {
 public:
  PixelBuffer() = default;
  PixelBuffer(int width, int height, int bytesPerPixel = 3, TColor fill = kWhite);
  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelView View() { return PixelView{bytes_.data(), stride_, width_, height_, bpp_}; }
  PixelView View() const {
    return PixelView{const_cast<uint8_t*>(bytes_.data()), stride_, width_, height_, bpp_};
  }
  void Fill(TColor c);

 private:
  std::vector<uint8_t> bytes_;
  ptrdiff_t stride_ = 0;
  int width_ = 0;
  int height_ = 0;
  int bpp_ = 3;
};

// --- rounding -----------------------------------------------------------

// "round": nearest integer, halves to even (2.5 -> 2, 3.5 -> 4).
int RoundHalfEven(double v);
// a * b / c in 64 bits, rounded to nearest with halves away from zero;
// -1 when c is 0 or the result does not fit, as the system's MulDiv answers.
int MulDiv(int a, int b, int c);
// Values above 255 give 255, below 0 give 0.
int ClampByte(int v);
// high when v > high, else low when v < low, else v.
int ClampInt(int v, int low, int high);

// --- colour conversions ---------------------------------------------------

// The layout of one 24-bit pixel.
struct TRGBTriple {
  uint8_t rgbtBlue = 0;
  uint8_t rgbtGreen = 0;
  uint8_t rgbtRed = 0;
  friend bool operator==(const TRGBTriple&, const TRGBTriple&) = default;
};

struct THsv {
  int Hue = 0;         // 0..359 degrees
  int Saturation = 0;  // 0..255
  int Value = 0;       // 0..255
  friend bool operator==(const THsv&, const THsv&) = default;
};

TRGBTriple ColorToRGBTriple(TColor c);
TRGBTriple MakeRGBTriple(int red, int green, int blue);
TRGBTriple HSVToRGBTriple(int hue, int saturation, int value);
// rgb is 0x00RRGGBB (red in bits 16 to 23).
THsv RGBToHSV(int rgb);

// --- per-pixel colour operations ----------------------------------------

// In-place 4-neighbour average over the rectangle, the one-pixel border
// excluded; left and upper neighbours are already smoothed values.
void SmoothRect(const PixelView& v, int x1, int y1, int x2, int y2);
void SmoothImage(const PixelView& v);
void AdjustContrast(const PixelView& v, int amount);
// dst and src have the same size.
void AdjustBrightness(const PixelView& src, const PixelView& dst, int amount);
// dst has src's size.
void AdjustHsv(const PixelView& src, const PixelView& dst, int hue, int saturation, int value);
// Every pixel that is not exactly white becomes black.
void MakeBlackAndWhite(const PixelView& v);
// Every byte of every row, padding included, becomes its complement.
void InvertImage(const PixelView& v);
// gray = round(0.3 R + 0.6 G + 0.1 B) in all three channels.
void GrayscaleForGrab(const PixelView& v);
// gray = (77 R + 151 G + 28 B) shr 8 in all three channels.
void GrayscaleImage(const PixelView& v);

// --- filters and geometry -------------------------------------------------

// K[dx][dy]: the first index runs along the row.
using TKernel3x3 = std::array<std::array<double, 3>, 3>;
// Size of the result of Convolve3x3: two pixels narrower and lower, never
// negative (an image smaller than the kernel gives an empty result).
std::pair<int, int> ConvolvedSize(int width, int height);
// dst has ConvolvedSize(src).
void Convolve3x3(const PixelView& src, const PixelView& dst, const TKernel3x3& kernel, double bias);

// Size of an image of width x height turned by angle degrees at scale
// percent.
std::pair<int, int> RotatedSize(int width, int height, double angle, int scalePercent);
// Pixels of dst that map outside src are left as they are.
void RotateBilinear(const PixelView& src, const PixelView& dst, int cx, double angle, int cy);
void ResizeBilinear(const PixelView& src, const PixelView& dst);

// Copies the rectangle (left, top) .. (left + dst.Width, top + dst.Height)
// of src into dst, both of the same pixel size.
void CopyPixels(const PixelView& src, int left, int top, const PixelView& dst);

}  // namespace app
