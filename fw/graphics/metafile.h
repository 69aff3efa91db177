// Metafiles: enhanced metafiles and Windows metafiles (plain and
// placeable), held as an enhanced metafile handle and played by GDI.
#pragma once

#include "fw/graphics/graphics.h"

namespace fw {

class TMetafile : public TGraphic {
  FW_CLASS(TMetafile, TGraphic)
  TMetafile();
  ~TMetafile() override;

  bool Empty() const override { return !FHandle; }
  // Size in screen pixels.
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int v) override;
  void SetHeight(int v) override;
  // Size in 0.01 mm.
  int MMWidth() const { return MulDiv(FWidth, 2540, 96); }
  int MMHeight() const { return MulDiv(FHeight, 2540, 96); }
  // Saved as EMF (true) or placeable WMF (false).
  bool Enhanced() const { return FEnhanced; }
  void SetEnhanced(bool v) { FEnhanced = v; }
  // Units per inch of a placeable WMF.
  int Inch() const { return FInch; }

  HENHMETAFILE Handle() const { return FHandle; }
  // Takes ownership of the metafile; its size comes from its frame.
  void SetHandle(HENHMETAFILE emf);
  HENHMETAFILE ReleaseHandle();
  void Clear();

  void Assign(TPersistent* Source) override;
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

 protected:
  void Draw(TCanvas* canvas, const TRect& r) override;

 private:
  HENHMETAFILE FHandle = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  int FInch = 0;
  bool FEnhanced = true;
};

// A canvas that records into a new enhanced metafile; the metafile takes
// the recording when the canvas is destroyed.
class TMetafileCanvas : public TCanvas {
 public:
  // referenceDevice: the DC whose resolution the recording uses (the
  // screen when null).
  TMetafileCanvas(TMetafile* metafile, HDC referenceDevice);
  ~TMetafileCanvas() override;

 private:
  TMetafile* FMetafile;
};

}  // namespace fw
