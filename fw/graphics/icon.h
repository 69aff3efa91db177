// Icons: ICO files (every entry kind GDI reads, PNG entries through the
// registered PNG format) drawn with DrawIconEx.
#pragma once

#include <vector>

#include "fw/graphics/graphics.h"

namespace fw {

class TIcon : public TGraphic {
  FW_CLASS(TIcon, TGraphic)
  TIcon();
  ~TIcon() override;

  bool Empty() const override { return !FHandle.Get(); }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // An icon keeps the size of its image: EInvalidGraphic.
  void SetWidth(int v) override;
  void SetHeight(int v) override;
  bool Transparent() const override { return true; }

  HICON Handle() const { return FHandle.Get(); }
  // Takes ownership of the icon.
  void SetHandle(HICON icon);
  HICON ReleaseHandle();

  void Assign(TPersistent* Source) override;
  // Reads an ICO file; the entry of the system's icon size is shown.
  void LoadFromStream(TStream& stream) override;
  // Writes the file that was read, or a one-image 32-bit ICO made from the
  // handle.
  void SaveToStream(TStream& stream) override;

 protected:
  void Draw(TCanvas* canvas, const TRect& r) override;

 private:
  void Adopt(HICON icon, std::vector<uint8_t> data);
  TIconHandle FHandle;
  std::vector<uint8_t> FData;
  int FWidth = 0;
  int FHeight = 0;
};

}  // namespace fw
