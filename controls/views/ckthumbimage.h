// The picture control of a thumbnail: loads and saves pictures by file
// extension or by stream kind, reduces large pictures, and offers simple
// picture operations (quarter turns, mirroring, grey scale, inversion,
// lightness, contrast, colour curves and shifts).
#pragma once

#include <array>
#include <cstdint>

#include "controls/views/ckbasethumbnail.h"
#include "fw/core/streams.h"

namespace ck {

using TRotateNotify = fw::TEvent<void(TObject* Sender, uint8_t Percent, bool& Cancel)>;
// One colour channel's mapping of the values 0..255.
using TColorCurve = std::array<uint8_t, 256>;

// A thumbnail posts itself this message to fit its picture again.
constexpr UINT RefitThumbnailMessage = WM_USER + 0x0C7;

class TCkThumbImage : public TCkBaseThumbImage {
  FW_CLASS(TCkThumbImage, TCkBaseThumbImage)
  explicit TCkThumbImage(fw::TComponent* AOwner);

  TAngle Angle() const { return FAngle; }
  // Turns the picture by the difference to the current angle.
  void SetAngle(TAngle Value);
  bool Modified() const { return FModified; }
  // A picture that is not empty, not a metafile and not an icon.
  bool CanModify() const;
  int Zoom() const { return FZoom; }
  void SetZoom(int Value) { FZoom = static_cast<uint16_t>(Value); }
  // The file the last successful LoadFromFile read.
  const String& FileName() const { return FFileName; }

  // ".JPG" files are decoded at a reduced scale by file size when the
  // control sits in a thumbnail; any other file is read by its registered
  // picture format. A file the formats cannot read goes to OnInvalidImage
  // when it is assigned (the load then ends without an error).
  void LoadFromFile(const String& AFile);
  void LoadFromStream(fw::TStream& AStream, TGRFKind AType);
  void SaveToStream(fw::TStream& AStream, TGRFKind AType);
  // By the upper-cased extension: .JPG/.JPEG, .BMP, .WMF, .EMF; any other
  // raises ECKException.
  void SaveToFile(const String& AFile);
  // Saves to the loaded file in the format it was loaded from.
  void Save();
  // The picture becomes a device-independent bitmap of itself.
  void BitmapNeeded();

  void ScaleDown(int MaxW, int MaxH);
  void Grayscale();
  void Invert();
  void Lightness(int Percent);
  void Contrast(int Percent);
  void ChangeRGBCurves(const TColorCurve& R, const TColorCurve& G, const TColorCurve& B);
  void ChangeRGB(int R, int G, int B);
  void Mirror(TMirror MirrorType);
  void Rotate(TAngle AAngle);
  void TurnClockwise();
  void TurnCounterClockwise();

  // The filter text of the registered picture formats, with PCX and Targa
  // files named as well.
  static String GetFilter();

  TRotateNotify OnRotate;
  fw::TNotifyEvent OnLoaded;
  TInvalidImageEvent OnInvalidImage;

 private:
  void LoadJpegFile(const String& AFile);
  // The picture drawn into a new 24-bit bitmap of its size.
  std::unique_ptr<fw::TBitmap> Bitmap24() const;
  bool IsInThumbnail() const;

  friend class TCkThumbnail;
  TAngle FAngle = AT0;
  bool FModified = false;
  uint16_t FZoom = 0;
  String FFileName;
  fw::TGraphicClass FClass = nullptr;
  // The last LoadFromFile handed the file to OnInvalidImage.
  bool FLoadRefused = false;
};

}  // namespace ck
