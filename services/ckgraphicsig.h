// Recognises the picture in a stream by its leading bytes and makes a
// graphic of the matching class, so that a control can load a picture
// without being told its format.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fw/core/events.h"
#include "fw/core/streams.h"
#include "fw/graphics/graphics.h"

namespace services {

class TGraphicSignature {
 public:
  TGraphicSignature(std::string Signature, int Offset, fw::TGraphicClass GraphicClass)
      : Signature(std::move(Signature)), Offset(Offset), GraphicClass(GraphicClass) {}
  // True when the bytes Offset bytes after Base are the signature; a short
  // stream or one that cannot seek answers false.
  bool CheckSignature(fw::TStream& Stream, int64_t Base = 0) const;

  std::string Signature;
  int Offset;
  fw::TGraphicClass GraphicClass;
};

// Adds a signature after the built-in ones (BMP, icon, placeable and
// enhanced metafile, JPEG with JFIF or Exif). An empty signature, a
// negative offset or no class raises ECKException "Bad Graphic Signature".
void AddGraphicSignature(const std::string& Signature, int Offset, fw::TGraphicClass GraphicClass);
void AddGraphicSignatureBytes(const std::vector<uint8_t>& Signature, int Offset, fw::TGraphicClass GraphicClass);

// The class of the first signature that matches the bytes from the
// stream's position on, or null; the position is kept.
fw::TGraphicClass FindGraphicClass(fw::TStream& Stream);

// A new graphic of the recognised class loaded from the stream's position,
// or null when no signature matches.
std::unique_ptr<fw::TGraphic> GraphicFromStream(fw::TStream& Stream);
// The same; Hook may replace the class when the stream is a memory stream.
using TGraphicClassHook = fw::TEvent<void(fw::TObject* Sender, fw::TStream& Stream, fw::TGraphicClass& GraphicClass)>;
std::unique_ptr<fw::TGraphic> GraphicFromStreamHooked(fw::TStream& Stream, fw::TObject* Sender,
                                                      const TGraphicClassHook& Hook);

}  // namespace services
