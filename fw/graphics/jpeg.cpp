#include "fw/graphics/jpeg.h"

#include <cstring>

#include "fw/codecs/jpeg.h"
#include "fw/core/rtti.h"
#include "fw/graphics/picture.h"

namespace fw {

FW_REGISTER(TJPEGImage) {}

void RegisterJpegFormat() {
  TPicture::RegisterFileFormat(u"jpg", u"JPEG Image File", TJPEGImage::StaticClass());
  TPicture::RegisterFileFormat(u"jpeg", u"JPEG Image File", TJPEGImage::StaticClass());
}

namespace {

int Denominator(TJPEGScale s) { return 1 << static_cast<int>(s); }

// Scaled size as libjpeg computes it: rounded up.
int ScaledSize(int size, TJPEGScale s) {
  int d = Denominator(s);
  return (size + d - 1) / d;
}

}  // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

bool TJPEGImage::Empty() const { return FData.empty() && (!FBitmap || FBitmap->Empty()); }

int TJPEGImage::Width() const {
  if (FBitmap) return FBitmap->Width();
  return ScaledSize(FImageWidth, FScale);
}

int TJPEGImage::Height() const {
  if (FBitmap) return FBitmap->Height();
  return ScaledSize(FImageHeight, FScale);
}

void TJPEGImage::SetWidth(int v) {
  if (v != Width()) throw EInvalidGraphic(u"Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(int v) {
  if (v != Height()) throw EInvalidGraphic(u"Cannot change the size of a JPEG image");
}

void TJPEGImage::FreeBitmap() {
  // Only a bitmap decoded from data can be made again.
  if (!FData.empty()) FBitmap.reset();
}

void TJPEGImage::SetScale(TJPEGScale v) {
  if (v == FScale) return;
  FScale = v;
  FreeBitmap();
  Changed();
}

void TJPEGImage::SetGrayscale(bool v) {
  if (v == FGrayscale) return;
  FGrayscale = v;
  FreeBitmap();
  Changed();
}

void TJPEGImage::SetCompressionQuality(int v) { FQuality = std::clamp(v, 1, 100); }

void TJPEGImage::ReadHeader() {
  codecs::JpegSize size = codecs::ReadJpegSize(FData.data(), FData.size());
  FImageWidth = size.Width;
  FImageHeight = size.Height;
}

void TJPEGImage::DIBNeeded() {
  if (FBitmap || FData.empty()) return;
  Progress(psStarting, 0, false, TRect{}, String());
  codecs::JpegImage img = codecs::DecodeJpeg(FData.data(), FData.size(), Denominator(FScale), FGrayscale);
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(img.Width, img.Height);
  for (int y = 0; y < img.Height; ++y) std::memcpy(bmp->ScanLine(y), img.Row(y), static_cast<size_t>(img.Width) * 3);
  FBitmap = std::move(bmp);
  Progress(psEnding, 100, false, TRect{}, String());
}

TBitmap* TJPEGImage::Bitmap() {
  DIBNeeded();
  if (!FBitmap) {
    FBitmap = std::make_unique<TBitmap>();
    FBitmap->SetPixelFormat(pf24bit);
  }
  return FBitmap.get();
}

void TJPEGImage::Compress() {
  if (!FBitmap || FBitmap->Empty()) throw EInvalidGraphic(u"Cannot compress an empty JPEG image");
  TBitmap src;
  src.Assign(FBitmap.get());
  src.SetPixelFormat(pf24bit);
  codecs::JpegImage img;
  img.Width = src.Width();
  img.Height = src.Height();
  img.Pixels.resize(static_cast<size_t>(img.Width) * 3 * img.Height);
  for (int y = 0; y < img.Height; ++y) std::memcpy(img.Row(y), src.ScanLine(y), static_cast<size_t>(img.Width) * 3);
  FData = codecs::EncodeJpeg(img, FQuality, FGrayscale);
  FImageWidth = img.Width;
  FImageHeight = img.Height;
  FScale = jsFullSize;
}

void TJPEGImage::JPEGNeeded() {
  if (FData.empty() && FBitmap && !FBitmap->Empty()) Compress();
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (auto* src = dynamic_cast<TJPEGImage*>(Source)) {
    FData = src->FData;
    FImageWidth = src->FImageWidth;
    FImageHeight = src->FImageHeight;
    FScale = src->FScale;
    FGrayscale = src->FGrayscale;
    FQuality = src->FQuality;
    FBitmap.reset();
    if (FData.empty() && src->FBitmap) {
      FBitmap = std::make_unique<TBitmap>();
      FBitmap->Assign(src->FBitmap.get());
    }
    Changed();
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    // Any other graphic becomes the picture to compress.
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(pf24bit);
    bmp->Assign(g);
    bmp->SetPixelFormat(pf24bit);
    FData.clear();
    FBitmap = std::move(bmp);
    FScale = jsFullSize;
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* b = dynamic_cast<TBitmap*>(Dest)) {
    b->Assign(Bitmap());
    return;
  }
  TGraphic::AssignTo(Dest);
}

void TJPEGImage::LoadFromStream(TStream& stream) {
  int64_t left = stream.Size() - stream.Position();
  std::vector<uint8_t> data(static_cast<size_t>(std::max<int64_t>(left, 0)));
  if (!data.empty()) stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
  std::vector<uint8_t> old = std::move(FData);
  FData = std::move(data);
  try {
    ReadHeader();
  } catch (...) {
    FData = std::move(old);
    throw;
  }
  FBitmap.reset();
  Changed();
}

void TJPEGImage::SaveToStream(TStream& stream) {
  JPEGNeeded();
  if (FData.empty()) throw EInvalidGraphic(u"Cannot save an empty JPEG image");
  stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& r) {
  DIBNeeded();
  if (FBitmap) canvas->StretchDraw(r, FBitmap.get());
}

}  // namespace fw
