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

  bool Empty() const override { return FBitmap->Empty(); }
  int Width() const override { return FBitmap->Width(); }
  int Height() const override { return FBitmap->Height(); }
  void SetWidth(int v) override;
  void SetHeight(int v) override;
  bool Transparent() const override { return FTransparentIndex >= 0; }
  HPALETTE Palette() override { return FBitmap->Palette(); }

  // The decoded pixels (8 bits per pixel); owned by the image.
  TBitmap* Bitmap() const { return FBitmap.get(); }
  // Palette index of the transparent colour, -1 when there is none.
  int TransparentIndex() const { return FTransparentIndex; }

  void Assign(TPersistent* Source) override;
  void LoadFromStream(TStream& stream) override;
  // Writes the file that was read (GIF images are not encoded here).
  void SaveToStream(TStream& stream) override;

 protected:
  void Draw(TCanvas* canvas, const TRect& r) override;

 private:
  void Decode(std::vector<uint8_t> data);
  std::unique_ptr<TBitmap> FBitmap;
  std::vector<uint8_t> FData;
  int FTransparentIndex = -1;
};

}  // namespace fw
