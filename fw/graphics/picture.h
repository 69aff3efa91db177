// TPicture: holds one graphic of any registered picture format, and the
// process-wide list of formats by file extension.
#pragma once

#include <vector>

#include "fw/graphics/graphics.h"

namespace fw {

class TIcon;
class TMetafile;

class TPicture : public TPersistent {
  FW_CLASS(TPicture, TPersistent)
  TPicture();
  ~TPicture() override;

  TGraphic* Graphic() const { return FGraphic; }
  // Keeps a copy of the graphic (nullptr clears the picture).
  void SetGraphic(TGraphic* value);
  // The graphic as a bitmap, icon or metafile; a graphic of another kind is
  // replaced by an empty one of the asked kind.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* value) { SetGraphic(value); }
  TIcon* Icon();
  TMetafile* Metafile();
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }

  // Picks the format by the file's extension; when that format cannot read
  // the file, or the extension is not registered, the format is taken
  // from the file's first bytes. EInvalidGraphic when neither works.
  void LoadFromFile(const String& fileName);
  void SaveToFile(const String& fileName);
  // Loads a stream of a format recognised by its first bytes.
  void LoadFromStream(TStream& stream);

  void Assign(TPersistent* Source) override;

  // The stored form of a picture (the "Data" property): the class name as
  // a length-prefixed single-byte string, then the graphic's own data.
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);

  TNotifyEvent OnChange;
  TProgressEvent OnProgress;

  // ---- Registered picture formats ----
  // Extensions are compared without the dot and case. A later
  // registration of the same extension replaces the earlier one.
  static void RegisterFileFormat(const String& extension, const String& description, TGraphicClass graphicClass);
  static void UnregisterGraphicClass(TGraphicClass graphicClass);
  // The class registered for an extension ("bmp" or ".bmp"), or null.
  static TGraphicClass FileFormatClass(const String& extension);
  // The class whose format the data starts with, or null.
  static TGraphicClass DetectFormat(const uint8_t* data, size_t size);

 protected:
  virtual void Changed(TObject* Sender);
  void Progress(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow, const TRect& R,
                const String& Msg);

 private:
  void SetOwnedGraphic(TGraphic* g);
  template <class T>
  T* ForceType();
  TGraphic* FGraphic = nullptr;
};

// Open-dialog filter of every registered format descending from
// graphicClass: "All (*.bmp;*.ico)|*.bmp;*.ico|Bitmaps (*.bmp)|*.bmp|...".
String GraphicFilter(TGraphicClass graphicClass);
// "bmp": the first extension registered for the class.
String GraphicExtension(TGraphicClass graphicClass);
// "*.emf;*.wmf": every extension registered for the class.
String GraphicFileMask(TGraphicClass graphicClass);

// Registers the formats implemented outside the graphics core (GIF, JPEG);
// called once at start-up. BMP, ICO, EMF and WMF are always there.
void RegisterGifFormat();
void RegisterJpegFormat();
void RegisterPictureFormats();

}  // namespace fw
