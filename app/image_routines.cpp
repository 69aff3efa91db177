#include "app/image_routines.h"

#include <windows.h>

#include "app/core/glyph_compare.h"
#include "fw/core/exceptions.h"
#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/msgdlg.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/graphics/picture.h"

namespace app {

using fw::TBitmap;

PixelView BitmapPixels(TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty()) return PixelView{};
  const fw::TPixelFormat pf = bitmap->PixelFormat();
  if (pf != fw::pf24bit && pf != fw::pf32bit)
    throw fw::EInvalidGraphic(u"Bitmap pixels need 24 or 32 bits per pixel");
  PixelView v;
  v.Width = bitmap->Width();
  v.Height = bitmap->Height();
  v.BytesPerPixel = pf == fw::pf24bit ? 3 : 4;
  v.Bits = static_cast<uint8_t*>(bitmap->ScanLine(0));
  v.Stride = v.Height > 1 ? static_cast<uint8_t*>(bitmap->ScanLine(1)) - v.Bits : bitmap->RowBytes();
  return v;
}

void MakeBitmap24(TBitmap* bitmap) {
  if (bitmap->PixelFormat() != fw::pf24bit) bitmap->SetPixelFormat(fw::pf24bit);
}

namespace {

// A new, empty 24-bit bitmap of the given size (white).
std::unique_ptr<TBitmap> NewBitmap24(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(w, h);
  return b;
}

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    const fw::TWindowDC screen;
    const int v = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return v > 0 ? v : 96;
  }();
  return ppi;
}

// The character of a code point as text. Code points beyond the 16-bit
// range are written as their surrogate pair, so the character itself is
// drawn rather than an unrelated one of the same low 16 bits.
fw::String CharText(int codePoint) {
  if (codePoint > 0xFFFF && codePoint <= 0x10FFFF) {
    const int v = codePoint - 0x10000;
    return fw::String{static_cast<char16_t>(0xD800 + (v >> 10)), static_cast<char16_t>(0xDC00 + (v & 0x3FF))};
  }
  return fw::String(1, static_cast<char16_t>(codePoint));
}

void SelectCharFont(fw::TCanvas* canvas, int size, const fw::String& faceName, bool bold, bool italic) {
  fw::TFont* font = canvas->Font();
  font->SetName(faceName);
  font->SetColor(fw::clBlack);
  // A character height in pixels: size points at the screen's resolution.
  font->SetHeight(-MulDiv(size, ScreenPixelsPerInch(), 72));
  fw::TFontStyles style;
  if (bold) style.Include(fw::fsBold);
  if (italic) style.Include(fw::fsItalic);
  font->SetStyle(style);
  // The system's own text rendering: with font smoothing pinned in the
  // environment the drawings are the same on every machine.
  font->SetQuality(fw::fqDefault);
}

void DrawChar(int codePoint, fw::TCanvas* canvas, const fw::TRect& r, int size, const fw::String& faceName,
              bool bold, bool italic, bool centred) {
  SelectCharFont(canvas, size, faceName, bold, italic);
  canvas->FillRect(r);
  const fw::String text = CharText(codePoint);
  const fw::TSize extent = canvas->TextExtent(text);
  const int x = centred ? r.Left + (r.Width() - extent.cx) / 2 : r.Left;
  const int y = r.Top + (r.Height() - extent.cy) / 2;
  canvas->TextOut(x, y, text);
}

}  // namespace

// --- colour conversion unit -------------------------------------------------

namespace {

// What a missing file shows: a red cross on white.
std::unique_ptr<TBitmap> MissingPictureCross() {
  auto b = NewBitmap24(32, 32);
  fw::TCanvas* c = b->Canvas();
  c->Pen()->SetColor(0x0000FF);
  c->Pen()->SetWidth(3);
  c->MoveTo(2, 2);
  c->LineTo(29, 29);
  c->MoveTo(2, 29);
  c->LineTo(29, 2);
  return b;
}

}  // namespace

std::unique_ptr<TBitmap> LoadPictureAsBitmap(const fw::String& fileName) {
  if (!fw::FileExists(fileName)) return MissingPictureCross();
  // The kind is the name's last three characters, so ".jpeg" is no JPEG here.
  const fw::String kind = fw::UpperCase(fileName.size() >= 3 ? fw::StringView(fileName).substr(fileName.size() - 3)
                                                               : fw::StringView(fileName));
  static const char16_t* const kKinds[] = {u"BMP", u"EMF", u"GIF", u"ICO", u"JPG", u"PNG", u"WMF"};
  bool known = false;
  for (const char16_t* k : kKinds) known = known || kind == k;
  if (!known) throw fw::EInvalidGraphic(u"Unknown picture file extension (." + kind + u")");
  auto bitmap = std::make_unique<TBitmap>();
  if (kind == u"BMP") {
    bitmap->LoadFromFile(fileName);
    return bitmap;
  }
  // Both metafile kinds load as a metafile; the others by their registered format.
  const fw::TGraphicClass cls = fw::TPicture::FileFormatClass(kind == u"WMF" || kind == u"EMF" ? u"emf" : kind);
  if (!cls) throw fw::EInvalidGraphic(u"Unknown picture file extension (." + kind + u")");
  std::unique_ptr<fw::TGraphic> picture(fw::CreateGraphic(cls));
  try {
    picture->LoadFromFile(fileName);
  } catch (const fw::Exception&) {
    if (kind == u"ICO") return bitmap;  // an unreadable icon leaves the bitmap empty
    throw;
  }
  bitmap->SetPixelFormat(fw::pf24bit);
  bitmap->SetSize(picture->Width(), picture->Height());
  if (!bitmap->Empty()) bitmap->Canvas()->Draw(0, 0, picture.get());
  return bitmap;
}

// --- image-function unit ------------------------------------------------------

fw::String ImageFileName;

void LoadImageIntoControl(fw::TPicture* picture) {
  auto loaded = LoadPictureAsBitmap(ImageFileName);
  MakeBitmap24(loaded.get());
  auto shown = NewBitmap24(loaded->Width(), loaded->Height());
  if (!shown->Empty()) shown->Canvas()->Draw(0, 0, loaded.get());
  picture->SetGraphic(shown.get());
}

void DrawCharCentred(int codePoint, fw::TCanvas* canvas, const fw::TRect& r, int size,
                     const fw::String& faceName, bool bold, bool italic) {
  DrawChar(codePoint, canvas, r, size, faceName, bold, italic, true);
}

void DrawCharLeft(int codePoint, fw::TCanvas* canvas, const fw::TRect& r, double size,
                  const fw::String& faceName, bool bold, bool italic) {
  canvas->Brush()->SetStyle(fw::bsSolid);
  canvas->Brush()->SetColor(fw::clWhite);
  DrawChar(codePoint, canvas, r, RoundHalfEven(size), faceName, bold, italic, false);
}

// --- image routine unit ---------------------------------------------------------

void SmoothImage(TBitmap* bitmap) { SmoothRect(bitmap, 0, 0, bitmap->Width(), bitmap->Height()); }

void SmoothRect(TBitmap* bitmap, int x1, int y1, int x2, int y2) {
  MakeBitmap24(bitmap);
  SmoothRect(BitmapPixels(bitmap), x1, y1, x2, y2);
}

void AdjustContrast(TBitmap* bitmap, int amount) { AdjustContrast(BitmapPixels(bitmap), amount); }

void AdjustBrightness(TBitmap* source, TBitmap* destination, int amount) {
  AdjustBrightness(BitmapPixels(source), BitmapPixels(destination), amount);
}

std::unique_ptr<TBitmap> AdjustHsv(TBitmap* bitmap, int hue, int saturation, int value) {
  auto result = std::make_unique<TBitmap>();
  result->SetPixelFormat(bitmap->PixelFormat());
  result->SetSize(bitmap->Width(), bitmap->Height());
  AdjustHsv(BitmapPixels(bitmap), BitmapPixels(result.get()), hue, saturation, value);
  return result;
}

void MakeBlackAndWhite(TBitmap* bitmap) {
  MakeBitmap24(bitmap);
  MakeBlackAndWhite(BitmapPixels(bitmap));
}

void InvertImage(TBitmap* bitmap) {
  const fw::TPixelFormat pf = bitmap->PixelFormat();
  if (pf != fw::pf24bit && pf != fw::pf32bit) throw fw::Exception(u"Error, Format File not soported!");
  // Every stored byte of a row, padding included; a bitmap of one row is
  // inverted like any other.
  InvertImage(BitmapPixels(bitmap));
}

void GrayscaleForGrab(TBitmap* bitmap) {
  if (bitmap->PixelFormat() != fw::pf32bit) MakeBitmap24(bitmap);
  GrayscaleForGrab(BitmapPixels(bitmap));
}

bool GrayscaleImage(TBitmap* bitmap) {
  if (bitmap->PixelFormat() != fw::pf24bit) {
    fw::ShowMessage(u"not a truecolor bmp");
    return false;
  }
  GrayscaleImage(BitmapPixels(bitmap));
  return true;
}

std::unique_ptr<TBitmap> Convolve3x3(TBitmap* bitmap, const TKernel3x3& kernel, double bias) {
  const auto [w, h] = ConvolvedSize(bitmap->Width(), bitmap->Height());
  auto result = NewBitmap24(w, h);
  if (!result->Empty()) Convolve3x3(BitmapPixels(bitmap), BitmapPixels(result.get()), kernel, bias);
  return result;
}

std::pair<int, int> RotatedSize(TBitmap* bitmap, double angle, int scalePercent) {
  return RotatedSize(bitmap->Width(), bitmap->Height(), angle, scalePercent);
}

void RotateBilinear(TBitmap* source, TBitmap* destination, int cx, double angle, int cy) {
  RotateBilinear(BitmapPixels(source), BitmapPixels(destination), cx, angle, cy);
}

void ResizeBilinear(TBitmap* source, TBitmap* destination) {
  MakeBitmap24(source);
  MakeBitmap24(destination);
  ResizeBilinear(BitmapPixels(source), BitmapPixels(destination));
}

void CropGlyphInPlace(TBitmap* bitmap) {
  if (bitmap->PixelFormat() != fw::pf32bit) MakeBitmap24(bitmap);
  const auto box = FindGlyphBox(BitmapPixels(bitmap));
  if (!box) {
    bitmap->SetSize(0, 0);
    return;
  }
  TBitmap work;
  work.SetPixelFormat(bitmap->PixelFormat());
  work.SetSize(box->Width(), box->Height());
  CopyPixels(BitmapPixels(bitmap), box->Left, box->Top, BitmapPixels(&work));
  bitmap->Assign(&work);
}

}  // namespace app
