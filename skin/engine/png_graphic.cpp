#include "skin/engine/png_graphic.h"

#include <algorithm>
#include <cstring>

#include "fw/core/rtti.h"
#include "fw/graphics/picture.h"
#include "skin/engine/bitmap_dc.h"

namespace skin {

FW_REGISTER(TPNGGraphic) {}

void RegisterPngFormat() {
  fw::TPicture::RegisterFileFormat(u"png", u"Portable Network Graphics", TPNGGraphic::StaticClass());
}

namespace {

fw::TPixelFormat FrameworkFormat(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pf1bit: return fw::pf1bit;
    case TPixelFormat::pf4bit: return fw::pf4bit;
    case TPixelFormat::pf8bit: return fw::pf8bit;
    case TPixelFormat::pf15bit: return fw::pf15bit;
    case TPixelFormat::pf16bit: return fw::pf16bit;
    case TPixelFormat::pf24bit: return fw::pf24bit;
    case TPixelFormat::pf32bit: return fw::pf32bit;
    default: return fw::pfDevice;
  }
}

fw::TProgressStage FrameworkStage(TProgressStage stage) {
  switch (stage) {
    case TProgressStage::psStarting: return fw::psStarting;
    case TProgressStage::psRunning: return fw::psRunning;
    default: return fw::psEnding;
  }
}

// Blends a 32-bit image with straight alpha onto the top-left of the
// destination: each colour byte D := ((S - D) * a + D * 256) shr 8, and the
// destination alpha becomes the larger of both.
void BlendAlphaImage(fw::TBitmap& dest, fw::TBitmap& source) {
  int w = std::min(dest.Width(), source.Width()), h = std::min(dest.Height(), source.Height());
  for (int y = 0; y < h; ++y) {
    auto* d = static_cast<uint8_t*>(dest.ScanLine(y));
    auto* s = static_cast<const uint8_t*>(source.ScanLine(y));
    for (int x = 0; x < w; ++x, d += 4, s += 4) {
      int a = s[3];
      for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>(((s[c] - d[c]) * a + d[c] * 256) >> 8);
      d[3] = std::max(d[3], s[3]);
    }
  }
}

std::vector<RGBQUAD> GreyTable() {
  std::vector<RGBQUAD> table(256);
  for (int i = 0; i < 256; ++i) table[i] = RGBQUAD{uint8_t(i), uint8_t(i), uint8_t(i), 0};
  return table;
}

}  // namespace

TPNGGraphic::TPNGGraphic() {
  FReader.OnProgress = [this](TPNGReader*, TProgressStage stage, uint8_t percent, bool redraw, const fw::TRect& r,
                              const fw::String& msg) { Progress(FrameworkStage(stage), percent, redraw, r, msg); };
}

bool TPNGGraphic::ReadImageProperties(fw::TStream& Stream, unsigned ImageIndex) {
  bool result = FReader.ReadImageProperties(Stream, ImageIndex);
  FImageProperties = FReader.ImageProperties();
  return result;
}

void TPNGGraphic::LoadFromStream(fw::TStream& Stream) {
  try {
    FReader.LoadFromStream(Stream);
  } catch (...) {
    TakeImage();
    throw;
  }
  TakeImage();
}

// Puts the reader's image, palette and colour key into the bitmap.
void TPNGGraphic::TakeImage() {
  FImageProperties = FReader.ImageProperties();
  const TPixelBuffer& img = FReader.Image();
  SetTransparent(false);
  SetTransparentColor(fw::clDefault);
  FreeImage();
  if (img.Empty()) {
    Changed();
    return;
  }
  SetPixelFormat(FrameworkFormat(img.PixelFormat()));
  SetSize(img.Width(), img.Height());
  if (!img.Palette.empty()) {
    std::vector<RGBQUAD> colors;
    for (const TPaletteEntry& e : img.Palette) colors.push_back(RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0});
    SetColorTable(colors);
  }
  size_t bytes = static_cast<size_t>(std::min(RowBytes(), img.RowBytes()));
  for (int y = 0; y < img.Height(); ++y) std::memcpy(ScanLine(y), img.ScanLine(y), bytes);
  if (FReader.TransparentColor() != kNoTransparentColor) {
    SetTransparentColor(FReader.TransparentColor());
    SetTransparent(true);
  }
  FReader.Image().Clear();  // the bitmap holds the pixels now
  Changed();
}

void TPNGGraphic::Assign(fw::TPersistent* Source) {
  if (auto* png = dynamic_cast<TPNGGraphic*>(Source)) FImageProperties = png->FImageProperties;
  fw::TBitmap::Assign(Source);
}

void TPNGGraphic::Draw(fw::TCanvas* canvas, const fw::TRect& r) {
  if (PixelFormat() != fw::pf32bit || Empty()) {
    fw::TBitmap::Draw(canvas, r);
    return;
  }
  int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0) return;
  // The work bitmap holds what lies under the image (and under its
  // reflection), so that the blend shows it through.
  int workHeight = Reflected ? h + h / 2 : h;
  fw::TBitmap work;
  work.SetPixelFormat(fw::pf32bit);
  work.SetSize(w, workHeight);
  BitBlt(work.Canvas()->Handle(), 0, 0, w, workHeight, canvas->Handle(), r.Left, r.Top, SRCCOPY);
  if (w == Width() && h == Height()) {
    BlendAlphaImage(work, *this);
  } else {
    // Colour and alpha are stretched alike: the alpha through an 8-bit
    // grey bitmap, since a stretch of 32-bit pixels loses the alpha byte.
    fw::TBitmap stretched;
    stretched.SetPixelFormat(fw::pf32bit);
    stretched.SetSize(w, h);
    HDC sdc = stretched.Canvas()->Handle();
    SetStretchBltMode(sdc, COLORONCOLOR);
    StretchBlt(sdc, 0, 0, w, h, Canvas()->Handle(), 0, 0, Width(), Height(), SRCCOPY);
    fw::TBitmap alpha, alphaStretched;
    for (fw::TBitmap* b : {&alpha, &alphaStretched}) b->SetPixelFormat(fw::pf8bit);
    alpha.SetSize(Width(), Height());
    alphaStretched.SetSize(w, h);
    alpha.SetColorTable(GreyTable());
    alphaStretched.SetColorTable(GreyTable());
    CopyChannel(*this, alpha, 3, true);
    HDC adc = alphaStretched.Canvas()->Handle();
    SetStretchBltMode(adc, COLORONCOLOR);
    StretchBlt(adc, 0, 0, w, h, alpha.Canvas()->Handle(), 0, 0, Width(), Height(), SRCCOPY);
    CopyChannel(stretched, alphaStretched, 3, false);
    BlendAlphaImage(work, stretched);
  }
  BitBlt(canvas->Handle(), r.Left, r.Top, w, workHeight, work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void ZeroTransparentWhite(fw::TBitmap* Bitmap) {
  if (!Bitmap || Bitmap->PixelFormat() != fw::pf32bit || Bitmap->Empty()) return;
  for (int y = 0; y < Bitmap->Height(); ++y) {
    auto* p = static_cast<uint8_t*>(Bitmap->ScanLine(y));
    for (int x = 0; x < Bitmap->Width(); ++x, p += 4) {
      uint32_t v;
      std::memcpy(&v, p, 4);
      if (v == 0x00FFFFFFu) std::memset(p, 0, 4);
    }
  }
}

}  // namespace skin
