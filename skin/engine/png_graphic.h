// TPNGGraphic: a bitmap that reads PNG streams through the engine's PNG
// reader, and the program's picture format for ".png". RGBA images become
// 32-bit bitmaps with straight alpha and are drawn blended over what lies
// under them.
#pragma once

#include <vector>

#include "fw/graphics/graphics.h"
#include "skin/engine/core/png.h"

namespace skin {

class TPNGGraphic : public fw::TBitmap {
  FW_CLASS(TPNGGraphic, fw::TBitmap)
  TPNGGraphic();

  static bool CanLoad(const fw::String& FileName) { return TPNGReader::CanLoad(FileName); }
  static bool CanLoad(fw::TStream& Stream) { return TPNGReader::CanLoad(Stream); }

  bool ReadImageProperties(fw::TStream& Stream, unsigned ImageIndex);
  // Raises fw::EInvalidGraphic on damaged data; the bitmap keeps what was
  // decoded before the damage.
  void LoadFromStream(fw::TStream& Stream) override;
  // From another PNG graphic its image properties too, then as a bitmap.
  void Assign(fw::TPersistent* Source) override;

  fw::TColor BackgroundColor() const { return FReader.BackgroundColor(); }
  const std::vector<uint8_t>& Transparency() const { return FReader.Transparency(); }
  TColorManager& ColorManager() { return FReader.ColorManager(); }
  const TImageProperties& ImageProperties() const { return FImageProperties; }

  // Draws a mirrored reflection below the image (drawn by the engine's
  // alpha image painter).
  bool Reflected = false;

 protected:
  void Draw(fw::TCanvas* canvas, const fw::TRect& r) override;

 private:
  void TakeImage();
  TPNGReader FReader;
  TImageProperties FImageProperties;
};

// Registers TPNGGraphic as the picture format of ".png"; called once at start-up.
void RegisterPngFormat();

// In a 32-bit bitmap every pixel whose whole value is 0x00FFFFFF (white
// with alpha 0) becomes 0.
void ZeroTransparentWhite(fw::TBitmap* Bitmap);

}  // namespace skin
