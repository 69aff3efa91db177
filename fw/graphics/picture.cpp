#include "fw/graphics/picture.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "fw/codecs/picture_format.h"
#include "fw/core/rtti.h"
#include "fw/graphics/icon.h"
#include "fw/graphics/metafile.h"

namespace fw {

namespace {

struct TFileFormat {
  String Extension;  // lower case, no dot
  String Description;
  TGraphicClass GraphicClass;
};

String Lower(StringView s) {
  String r(s);
  for (char16_t& c : r)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return r;
}

String NormalExtension(const String& ext) { return Lower(!ext.empty() && ext[0] == u'.' ? ext.substr(1) : ext); }

std::recursive_mutex& FormatsLock() {
  static std::recursive_mutex m;
  return m;
}

std::vector<TFileFormat>& Formats() {
  // The graphics core's own formats are there from the first use.
  static std::vector<TFileFormat> list = {
      {u"bmp", u"Bitmaps", TBitmap::StaticClass()},
      {u"ico", u"Icons", TIcon::StaticClass()},
      {u"emf", u"Enhanced Metafiles", TMetafile::StaticClass()},
      {u"wmf", u"Metafiles", TMetafile::StaticClass()},
  };
  return list;
}

String ExtensionOf(const String& fileName) {
  size_t dot = fileName.find_last_of(u'.');
  size_t slash = fileName.find_last_of(u"\\/:");
  if (dot == String::npos || (slash != String::npos && dot < slash)) return String();
  return Lower(StringView(fileName).substr(dot + 1));
}

}  // namespace

FW_REGISTER(TPicture) {
  TDefinedProperty& data = c.DefineBinaryProperty(u"Data");
  data.ReadData = [](TObject* o, TStream& s) { detail::InstanceOf<TPicture>(o).ReadData(s); };
  data.WriteData = [](TObject* o, TStream& s) { detail::InstanceOf<TPicture>(o).WriteData(s); };
  data.HasData = [](TObject* o) {
    TGraphic* g = detail::InstanceOf<TPicture>(o).Graphic();
    return g != nullptr && !g->Empty();
  };
}

TPicture::TPicture() = default;

TPicture::~TPicture() { delete FGraphic; }

void TPicture::Changed(TObject*) { OnChange(this); }

void TPicture::Progress(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow, const TRect& R,
                        const String& Msg) {
  OnProgress(Sender, Stage, PercentDone, RedrawNow, R, Msg);
}

void TPicture::SetOwnedGraphic(TGraphic* g) {
  TGraphic* old = FGraphic;
  FGraphic = g;
  delete old;
  if (FGraphic) {
    FGraphic->OnChange = TNotifyEvent(this, &TPicture::Changed);
    FGraphic->OnProgress = TProgressEvent(this, &TPicture::Progress);
  }
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* value) {
  if (value == FGraphic) return;
  if (!value) {
    SetOwnedGraphic(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy(CreateGraphic(value->ClassType()));
  copy->Assign(value);
  SetOwnedGraphic(copy.release());
}

template <class T>
T* TPicture::ForceType() {
  if (auto* g = dynamic_cast<T*>(FGraphic)) return g;
  SetOwnedGraphic(new T());
  return static_cast<T*>(FGraphic);
}

TBitmap* TPicture::Bitmap() { return ForceType<TBitmap>(); }
TIcon* TPicture::Icon() { return ForceType<TIcon>(); }
TMetafile* TPicture::Metafile() { return ForceType<TMetafile>(); }

void TPicture::LoadFromFile(const String& fileName) {
  String ext = ExtensionOf(fileName);
  TGraphicClass byName = FileFormatClass(ext);
  // The file is read as its format asks, never whole before that: a
  // picture may be followed by anything.
  TFileStream data(fileName, fmOpenRead | fmShareDenyNone);
  uint8_t head[64] = {};
  const int64_t got = data.Read(head, sizeof head);
  TGraphicClass byContent = DetectFormat(head, static_cast<size_t>(std::max<int64_t>(got, 0)));
  if (!byName && !byContent) throw EInvalidGraphic(u"Unknown picture file extension (." + ext + u")");
  auto load = [&](TGraphicClass cls) {
    std::unique_ptr<TGraphic> g(CreateGraphic(cls));
    g->OnProgress = TProgressEvent(this, &TPicture::Progress);
    data.SetPosition(0);
    g->LoadFromStream(data);
    SetOwnedGraphic(g.release());
  };
  if (!byName || (byContent && byContent != byName)) {
    // The extension lies (or is unknown): the content decides, and the
    // extension's own format gets a try only when that fails; the error
    // of the format the content looked like is the one reported.
    try {
      load(byContent);
      return;
    } catch (const EInvalidGraphic&) {
      if (!byName) throw;
      try {
        load(byName);
        return;
      } catch (const EInvalidGraphic&) {
      }
      throw;
    }
  }
  load(byName);
}

void TPicture::SaveToFile(const String& fileName) {
  if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::LoadFromStream(TStream& stream) {
  int64_t start = stream.Position();
  uint8_t head[64] = {};
  int64_t n = stream.Read(head, sizeof head);
  stream.SetPosition(start);
  TGraphicClass cls = DetectFormat(head, static_cast<size_t>(std::max<int64_t>(n, 0)));
  if (!cls) throw EInvalidGraphic(u"Unknown picture format");
  std::unique_ptr<TGraphic> g(CreateGraphic(cls));
  g->LoadFromStream(stream);
  SetOwnedGraphic(g.release());
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
  } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
    SetGraphic(p->Graphic());
  } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(g);
  } else {
    TPersistent::Assign(Source);
  }
}

namespace {
// Bitmaps, metafiles and JPEG images store a 4-byte length before their
// data; the other formats store their file as it is.
bool LengthPrefixed(TGraphic* g) {
  String name = g->ClassName();
  return dynamic_cast<TBitmap*>(g) || dynamic_cast<TMetafile*>(g) || name == u"TJPEGImage";
}
}  // namespace

void TPicture::ReadData(TStream& stream) {
  uint8_t len = 0;
  stream.ReadBuffer(&len, 1);
  std::string name(len, '\0');
  stream.ReadBuffer(name.data(), len);
  String className = AnsiToString(name);
  if (className.empty()) {
    SetOwnedGraphic(nullptr);
    return;
  }
  TClass cls = GetClass(className);
  if (!cls || !cls->InheritsFrom(TGraphic::StaticClass())) throw EInvalidGraphic(u"Unknown picture class " + className);
  std::unique_ptr<TGraphic> g(CreateGraphic(cls));
  if (LengthPrefixed(g.get())) {
    uint32_t size = 0;
    stream.ReadBuffer(&size, 4);
    if (stream.Size() - stream.Position() < static_cast<int64_t>(size)) throw EInvalidGraphic(u"Picture data is truncated");
    TMemoryStream part;
    if (size) part.CopyFrom(stream, size);
    part.SetPosition(0);
    if (size) g->LoadFromStream(part);
  } else {
    g->LoadFromStream(stream);
  }
  SetOwnedGraphic(g.release());
}

void TPicture::WriteData(TStream& stream) {
  std::string name = FGraphic ? StringToAnsi(FGraphic->ClassName()) : std::string();
  uint8_t len = static_cast<uint8_t>(std::min<size_t>(name.size(), 255));
  stream.WriteBuffer(&len, 1);
  stream.WriteBuffer(name.data(), len);
  if (!FGraphic) return;
  if (LengthPrefixed(FGraphic)) {
    TMemoryStream part;
    if (!FGraphic->Empty()) FGraphic->SaveToStream(part);
    uint32_t size = static_cast<uint32_t>(part.Size());
    stream.WriteBuffer(&size, 4);
    stream.WriteBuffer(part.Memory(), size);
  } else {
    FGraphic->SaveToStream(stream);
  }
}

void TPicture::RegisterFileFormat(const String& extension, const String& description, TGraphicClass graphicClass) {
  std::lock_guard<std::recursive_mutex> lock(FormatsLock());
  String ext = NormalExtension(extension);
  auto& list = Formats();
  auto it = std::find_if(list.begin(), list.end(), [&](const TFileFormat& f) { return f.Extension == ext; });
  if (it != list.end()) *it = TFileFormat{ext, description, graphicClass};
  else list.push_back(TFileFormat{ext, description, graphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass) {
  std::lock_guard<std::recursive_mutex> lock(FormatsLock());
  auto& list = Formats();
  list.erase(std::remove_if(list.begin(), list.end(), [&](const TFileFormat& f) { return f.GraphicClass == graphicClass; }),
             list.end());
}

TGraphicClass TPicture::FileFormatClass(const String& extension) {
  std::lock_guard<std::recursive_mutex> lock(FormatsLock());
  String ext = NormalExtension(extension);
  for (const TFileFormat& f : Formats())
    if (f.Extension == ext) return f.GraphicClass;
  return nullptr;
}

TGraphicClass TPicture::DetectFormat(const uint8_t* d, size_t n) {
  const char16_t* ext = codecs::DetectPictureFormat(d, n);
  return ext ? FileFormatClass(ext) : nullptr;
}

String GraphicFilter(TGraphicClass graphicClass) {
  std::lock_guard<std::recursive_mutex> lock(FormatsLock());
  String all, each;
  for (const TFileFormat& f : Formats()) {
    if (graphicClass && !f.GraphicClass->InheritsFrom(graphicClass)) continue;
    String mask = u"*." + f.Extension;
    if (!all.empty()) all += u";";
    all += mask;
    each += u"|" + f.Description + u" (" + mask + u")|" + mask;
  }
  return u"All (" + all + u")|" + all + each;
}

String GraphicExtension(TGraphicClass graphicClass) {
  std::lock_guard<std::recursive_mutex> lock(FormatsLock());
  for (const TFileFormat& f : Formats())
    if (f.GraphicClass == graphicClass) return f.Extension;
  return String();
}

String GraphicFileMask(TGraphicClass graphicClass) {
  std::lock_guard<std::recursive_mutex> lock(FormatsLock());
  String mask;
  for (const TFileFormat& f : Formats()) {
    if (graphicClass && !f.GraphicClass->InheritsFrom(graphicClass)) continue;
    if (!mask.empty()) mask += u";";
    mask += u"*." + f.Extension;
  }
  return mask;
}

void RegisterPictureFormats() {
  RegisterGifFormat();
  RegisterJpegFormat();
}

}  // namespace fw
