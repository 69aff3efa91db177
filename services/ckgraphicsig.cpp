#include "services/ckgraphicsig.h"

#include "fw/graphics/icon.h"
#include "fw/graphics/jpeg.h"
#include "fw/graphics/metafile.h"
#include "services/core/ckexception.h"

namespace services {

namespace {

std::vector<TGraphicSignature>& Signatures() {
  static std::vector<TGraphicSignature> list = {
      {"BM", 0, fw::TBitmap::StaticClass()},
      {std::string("\x00\x00\x01\x00", 4), 0, fw::TIcon::StaticClass()},
      {"\xD7\xCD", 0, fw::TMetafile::StaticClass()},  // placeable Windows metafile
      {std::string("\x01\x00", 2), 0, fw::TMetafile::StaticClass()},  // enhanced metafile header record
      {"JFIF", 6, fw::TJPEGImage::StaticClass()},
      {"Exif", 6, fw::TJPEGImage::StaticClass()},
  };
  return list;
}

}  // namespace

bool TGraphicSignature::CheckSignature(fw::TStream& Stream, int64_t Base) const {
  try {
    const int64_t at = Base + Offset;
    if (Stream.Seek(at, fw::TSeekOrigin::soBeginning) != at) return false;
    std::string read(Signature.size(), '\0');
    return Stream.Read(read.data(), static_cast<int64_t>(read.size())) == static_cast<int64_t>(read.size()) &&
           read == Signature;
  } catch (...) {
    return false;
  }
}

void AddGraphicSignature(const std::string& Signature, int Offset, fw::TGraphicClass GraphicClass) {
  if (Signature.empty() || Offset < 0 || !GraphicClass) throw ECKException(u"Bad Graphic Signature");
  Signatures().emplace_back(Signature, Offset, GraphicClass);
}

void AddGraphicSignatureBytes(const std::vector<uint8_t>& Signature, int Offset, fw::TGraphicClass GraphicClass) {
  AddGraphicSignature(std::string(Signature.begin(), Signature.end()), Offset, GraphicClass);
}

fw::TGraphicClass FindGraphicClass(fw::TStream& Stream) {
  int64_t start = 0;
  try {
    start = Stream.Position();
  } catch (...) {
    return nullptr;
  }
  fw::TGraphicClass found = nullptr;
  // Offsets count from where the picture starts, which is where loading
  // starts too.
  for (const TGraphicSignature& s : Signatures())
    if (s.CheckSignature(Stream, start)) {
      found = s.GraphicClass;
      break;
    }
  try {
    Stream.SetPosition(start);
  } catch (...) {
  }
  return found;
}

std::unique_ptr<fw::TGraphic> GraphicFromStreamHooked(fw::TStream& Stream, fw::TObject* Sender,
                                                      const TGraphicClassHook& Hook) {
  fw::TGraphicClass graphicClass = FindGraphicClass(Stream);
  if (Hook && dynamic_cast<fw::TMemoryStream*>(&Stream)) Hook(Sender, Stream, graphicClass);
  if (!graphicClass) return nullptr;
  std::unique_ptr<fw::TGraphic> graphic(fw::CreateGraphic(graphicClass));
  if (graphic) graphic->LoadFromStream(Stream);
  return graphic;
}

std::unique_ptr<fw::TGraphic> GraphicFromStream(fw::TStream& Stream) {
  return GraphicFromStreamHooked(Stream, nullptr, TGraphicClassHook());
}

}  // namespace services
