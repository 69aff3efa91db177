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

bool TJPEGImage::Empty() const { return data_.empty() && (!bitmap_ || bitmap_->Empty()); }

int TJPEGImage::Width() const {
  if (bitmap_) return bitmap_->Width();
  return ScaledSize(imageWidth_, scale_);
}

int TJPEGImage::Height() const {
  if (bitmap_) return bitmap_->Height();
  return ScaledSize(imageHeight_, scale_);
}

void TJPEGImage::SetWidth(int v) {
  if (v != Width()) throw EInvalidGraphic(u"Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(int v) {
  if (v != Height()) throw EInvalidGraphic(u"Cannot change the size of a JPEG image");
}

void TJPEGImage::FreeBitmap() {
  // Only a bitmap decoded from data can be made again.
  if (!data_.empty()) bitmap_.reset();
}

void TJPEGImage::SetScale(TJPEGScale v) {
  if (v == scale_) return;
  scale_ = v;
  FreeBitmap();
  Changed();
}

void TJPEGImage::SetGrayscale(bool v) {
  if (v == grayscale_) return;
  grayscale_ = v;
  FreeBitmap();
  Changed();
}

void TJPEGImage::SetCompressionQuality(int v) { quality_ = std::clamp(v, 1, 100); }

void TJPEGImage::ReadHeader() {
  codecs::JpegSize size = codecs::ReadJpegSize(data_.data(), data_.size());
  imageWidth_ = size.Width;
  imageHeight_ = size.Height;
}

void TJPEGImage::DIBNeeded() {
  if (bitmap_ || data_.empty()) return;
  Progress(psStarting, 0, false, TRect{}, String());
  codecs::JpegImage img = codecs::DecodeJpeg(data_.data(), data_.size(), Denominator(scale_), grayscale_);
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(img.Width, img.Height);
  for (int y = 0; y < img.Height; ++y) std::memcpy(bmp->ScanLine(y), img.Row(y), static_cast<size_t>(img.Width) * 3);
  bitmap_ = std::move(bmp);
  Progress(psEnding, 100, false, TRect{}, String());
}

TBitmap* TJPEGImage::Bitmap() {
  DIBNeeded();
  if (!bitmap_) {
    bitmap_ = std::make_unique<TBitmap>();
    bitmap_->SetPixelFormat(pf24bit);
  }
  return bitmap_.get();
}

void TJPEGImage::Compress() {
  if (!bitmap_ || bitmap_->Empty()) throw EInvalidGraphic(u"Cannot compress an empty JPEG image");
  TBitmap src;
  src.Assign(bitmap_.get());
  src.SetPixelFormat(pf24bit);
  codecs::JpegImage img;
  img.Width = src.Width();
  img.Height = src.Height();
  img.Pixels.resize(static_cast<size_t>(img.Width) * 3 * img.Height);
  for (int y = 0; y < img.Height; ++y) std::memcpy(img.Row(y), src.ScanLine(y), static_cast<size_t>(img.Width) * 3);
  data_ = codecs::EncodeJpeg(img, quality_, grayscale_);
  imageWidth_ = img.Width;
  imageHeight_ = img.Height;
  scale_ = jsFullSize;
}

void TJPEGImage::JPEGNeeded() {
  if (data_.empty() && bitmap_ && !bitmap_->Empty()) Compress();
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (auto* src = dynamic_cast<TJPEGImage*>(Source)) {
    data_ = src->data_;
    imageWidth_ = src->imageWidth_;
    imageHeight_ = src->imageHeight_;
    scale_ = src->scale_;
    grayscale_ = src->grayscale_;
    quality_ = src->quality_;
    bitmap_.reset();
    if (data_.empty() && src->bitmap_) {
      bitmap_ = std::make_unique<TBitmap>();
      bitmap_->Assign(src->bitmap_.get());
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
    data_.clear();
    bitmap_ = std::move(bmp);
    scale_ = jsFullSize;
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
  std::vector<uint8_t> old = std::move(data_);
  data_ = std::move(data);
  try {
    ReadHeader();
  } catch (...) {
    data_ = std::move(old);
    throw;
  }
  bitmap_.reset();
  Changed();
}

void TJPEGImage::SaveToStream(TStream& stream) {
  JPEGNeeded();
  if (data_.empty()) throw EInvalidGraphic(u"Cannot save an empty JPEG image");
  stream.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& r) {
  DIBNeeded();
  if (bitmap_) canvas->StretchDraw(r, bitmap_.get());
}

}  // namespace fw
