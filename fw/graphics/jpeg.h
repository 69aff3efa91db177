// JPEG images through libjpeg (library version 62): baseline and
// progressive, greyscale, RGB, CMYK and YCCK (Adobe inverted CMYK too),
// decoded when first drawn at the chosen scale; compressed from a bitmap.
#pragma once

#include <memory>
#include <vector>

#include "fw/graphics/graphics.h"

namespace fw {

FW_ENUM(TJPEGScale, jsFullSize, jsHalf, jsQuarter, jsEighth)

class TJPEGImage : public TGraphic {
  FW_CLASS(TJPEGImage, TGraphic)
  TJPEGImage();
  ~TJPEGImage() override;

  bool Empty() const override;
  // The size at the current scale.
  int Width() const override;
  int Height() const override;
  void SetWidth(int v) override;
  void SetHeight(int v) override;

  TJPEGScale Scale() const { return FScale; }
  void SetScale(TJPEGScale v);
  bool Grayscale() const { return FGrayscale; }
  void SetGrayscale(bool v);
  // 1..100, used by Compress.
  int CompressionQuality() const { return FQuality; }
  void SetCompressionQuality(int v);

  // Decodes the compressed data into the bitmap, if not done yet. Raises
  // EInvalidGraphic for damaged or truncated data.
  void DIBNeeded();
  // Compresses the bitmap, if there is no compressed data yet.
  void JPEGNeeded();
  void Compress();
  // The decoded image (24 bits per pixel).
  TBitmap* Bitmap();

  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;
  // Reads the rest of the stream; the header is checked at once.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

 protected:
  void Draw(TCanvas* canvas, const TRect& r) override;

 private:
  void ReadHeader();
  void FreeBitmap();
  std::vector<uint8_t> FData;
  std::unique_ptr<TBitmap> FBitmap;
  int FImageWidth = 0;   // full size, from the header
  int FImageHeight = 0;
  TJPEGScale FScale = jsFullSize;
  bool FGrayscale = false;
  int FQuality = 90;
};

}  // namespace fw
