#include "fw/graphics/gifimage.h"

#include <cstring>

#include "fw/codecs/gif.h"
#include "fw/core/rtti.h"
#include "fw/graphics/picture.h"

namespace fw {

FW_REGISTER(TGIFImage) {}

void RegisterGifFormat() { TPicture::RegisterFileFormat(u"gif", u"GIF Image", TGIFImage::StaticClass()); }

TGIFImage::TGIFImage() : FBitmap(new TBitmap) { FBitmap->SetPixelFormat(pf8bit); }

TGIFImage::~TGIFImage() = default;

void TGIFImage::SetWidth(int v) {
  if (v != Width()) throw EInvalidGraphic(u"Cannot change the size of a GIF image");
}

void TGIFImage::SetHeight(int v) {
  if (v != Height()) throw EInvalidGraphic(u"Cannot change the size of a GIF image");
}

void TGIFImage::Decode(std::vector<uint8_t> data) {
  codecs::GifImage img = codecs::DecodeGif(data.data(), data.size());
  std::vector<RGBQUAD> colors(256);
  for (int i = 0; i < 256; ++i) {
    uint32_t c = img.Palette[i];
    colors[i] = RGBQUAD{uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), 0};
  }
  TColor key = clNone;
  if (img.TransparentIndex >= 0) {
    // The transparent entry gets a colour no other entry has, so that
    // drawing by colour key leaves out exactly its pixels.
    uint32_t candidate = 0x010203;
    auto used = [&](uint32_t c) {
      for (int i = 0; i < 256; ++i)
        if (i != img.TransparentIndex && img.Palette[i] == c) return true;
      return false;
    };
    while (used(candidate)) candidate = (candidate * 7 + 0x0F1E2D) & 0xFFFFFF;
    colors[img.TransparentIndex] = RGBQUAD{uint8_t(candidate), uint8_t(candidate >> 8), uint8_t(candidate >> 16), 0};
    key = static_cast<TColor>(((candidate & 0xFF) << 16) | (candidate & 0xFF00) | ((candidate >> 16) & 0xFF));
  }
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf8bit);
  bmp->SetSize(img.Width, img.Height);
  if (!bmp->Empty()) {
    bmp->SetColorTable(colors);
    for (int y = 0; y < img.Height; ++y)
      std::memcpy(bmp->ScanLine(y), img.Indices.data() + static_cast<size_t>(y) * img.Width, img.Width);
  }
  if (img.TransparentIndex >= 0) {
    bmp->SetTransparentColor(key);
    bmp->SetTransparent(true);
  }
  FBitmap = std::move(bmp);
  FData = std::move(data);
  FTransparentIndex = img.TransparentIndex;
  Changed();
}

void TGIFImage::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (auto* src = dynamic_cast<TGIFImage*>(Source)) {
    if (src->FData.empty()) {
      FBitmap = std::make_unique<TBitmap>();
      FData.clear();
      FTransparentIndex = -1;
      Changed();
    } else {
      Decode(src->FData);
    }
    return;
  }
  TGraphic::Assign(Source);
}

void TGIFImage::LoadFromStream(TStream& stream) {
  // A GIF has no length field: it runs to the end of the stream.
  int64_t left = stream.Size() - stream.Position();
  std::vector<uint8_t> data(static_cast<size_t>(std::max<int64_t>(left, 0)));
  if (!data.empty()) stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
  Decode(std::move(data));
}

void TGIFImage::SaveToStream(TStream& stream) {
  if (FData.empty()) throw EInvalidGraphic(u"Cannot save an empty GIF image");
  stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TGIFImage::Draw(TCanvas* canvas, const TRect& r) { canvas->StretchDraw(r, FBitmap.get()); }

}  // namespace fw
