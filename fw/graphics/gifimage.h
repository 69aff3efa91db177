// GIF images: the first frame, decoded by the portable reader into an
// 8-bit bitmap whose transparent colour (if any) is left out when drawn.
#pragma once

#include <memory>
#include <vector>

#include "fw/graphics/graphics.h"

namespace fw {

class TGIFImage : public TGraphic {
  FW_CLASS(TGIFImage, TGraphic)
  TGIFImage();
  ~TGIFImage() override;

  bool Empty() const override { return bitmap_->Empty(); }
  int Width() const override { return bitmap_->Width(); }
  int Height() const override { return bitmap_->Height(); }
  void SetWidth(int v) override;
  void SetHeight(int v) override;
  bool Transparent() const override { return transparentIndex_ >= 0; }
  HPALETTE Palette() override { return bitmap_->Palette(); }

  // The decoded pixels (8 bits per pixel); owned by the image.
  TBitmap* Bitmap() const { return bitmap_.get(); }
  // Palette index of the transparent colour, -1 when there is none.
  int TransparentIndex() const { return transparentIndex_; }

  void Assign(TPersistent* Source) override;
  void LoadFromStream(TStream& stream) override;
  // Writes the file that was read (GIF images are not encoded here).
  void SaveToStream(TStream& stream) override;

 protected:
  void Draw(TCanvas* canvas, const TRect& r) override;

 private:
  void Decode(std::vector<uint8_t> data);
  std::unique_ptr<TBitmap> bitmap_;
  std::vector<uint8_t> data_;
  int transparentIndex_ = -1;
};

}  // namespace fw
