#include "fw/graphics/metafile.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "fw/codecs/image_limits.h"
#include "fw/codecs/metafile.h"
#include "fw/core/rtti.h"

namespace fw {

FW_REGISTER(TMetafile) {}

namespace {
const String kFormat = u"Metafile";
constexpr int kScreenDpi = 96;
constexpr int kHundredthMMPerInch = 2540;

void FrameSize(HENHMETAFILE emf, int& w, int& h) {
  ENHMETAHEADER hdr{};
  GetEnhMetaFileHeader(emf, sizeof hdr, &hdr);
  w = MulDiv(std::abs(hdr.rclFrame.right - hdr.rclFrame.left), kScreenDpi, kHundredthMMPerInch);
  h = MulDiv(std::abs(hdr.rclFrame.bottom - hdr.rclFrame.top), kScreenDpi, kHundredthMMPerInch);
}
}  // namespace

TMetafile::TMetafile() = default;

TMetafile::~TMetafile() { Clear(); }

void TMetafile::Clear() {
  if (FHandle) DeleteEnhMetaFile(FHandle);
  FHandle = nullptr;
  FWidth = FHeight = 0;
  FInch = 0;
}

void TMetafile::SetWidth(int v) {
  if (v == FWidth) return;
  FWidth = v;
  Changed();
}

void TMetafile::SetHeight(int v) {
  if (v == FHeight) return;
  FHeight = v;
  Changed();
}

void TMetafile::SetHandle(HENHMETAFILE emf) {
  if (emf == FHandle) return;
  Clear();
  FHandle = emf;
  if (emf) FrameSize(emf, FWidth, FHeight);
  Changed();
}

HENHMETAFILE TMetafile::ReleaseHandle() {
  HENHMETAFILE h = FHandle;
  FHandle = nullptr;
  FWidth = FHeight = 0;
  return h;
}

void TMetafile::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    Clear();
    Changed();
    return;
  }
  if (auto* src = dynamic_cast<TMetafile*>(Source)) {
    HENHMETAFILE copy = src->FHandle ? CopyEnhMetaFileW(src->FHandle, nullptr) : nullptr;
    Clear();
    FHandle = copy;
    FWidth = src->FWidth;
    FHeight = src->FHeight;
    FInch = src->FInch;
    FEnhanced = src->FEnhanced;
    Changed();
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    // Any other graphic is recorded by drawing it.
    Clear();
    int w = g->Width(), h = g->Height();
    FWidth = w;
    FHeight = h;
    {
      TMetafileCanvas canvas(this, nullptr);
      canvas.Draw(0, 0, g);
    }
    FWidth = w;
    FHeight = h;
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

void TMetafile::LoadFromStream(TStream& stream) {
  std::vector<uint8_t> data;
  try {
    // The header says how long the file is; read no further.
    int64_t left = stream.Size() - stream.Position();
    data.resize(static_cast<size_t>(std::min<int64_t>(std::max<int64_t>(left, 0), 52)));
    stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    codecs::MetafileInfo head = codecs::MetafileHeader(data.data(), data.size());
    if (head.Length == 0) codecs::ThrowTruncated(kFormat);
    if (head.Length > data.size()) {
      if (left < static_cast<int64_t>(head.Length)) codecs::ThrowTruncated(kFormat);
      size_t have = data.size();
      data.resize(head.Length);
      stream.ReadBuffer(data.data() + have, static_cast<int64_t>(head.Length - have));
    } else {
      // Read too far: step back to the end of the metafile.
      stream.Seek(static_cast<int64_t>(head.Length) - static_cast<int64_t>(data.size()), TSeekOrigin::soCurrent);
      data.resize(head.Length);
    }
  } catch (const EReadError&) {
    codecs::ThrowTruncated(kFormat);
  }
  codecs::MetafileInfo info = codecs::CheckMetafile(data.data(), data.size());
  HENHMETAFILE emf = nullptr;
  int w = 0, h = 0, inch = 0;
  bool enhanced = true;
  if (info.Kind == codecs::MetafileKind::Enhanced) {
    emf = SetEnhMetaFileBits(static_cast<UINT>(data.size()), data.data());
    if (emf) FrameSize(emf, w, h);
  } else {
    enhanced = false;
    const uint8_t* wmf = data.data() + info.WmfOffset;
    UINT n = static_cast<UINT>(data.size() - info.WmfOffset);
    METAFILEPICT mfp{MM_ANISOTROPIC, 0, 0, nullptr};
    if (info.Kind == codecs::MetafileKind::Placeable) {
      inch = info.Inch;
      w = MulDiv(std::abs(info.Right - info.Left), kScreenDpi, inch);
      h = MulDiv(std::abs(info.Bottom - info.Top), kScreenDpi, inch);
    } else if (info.HasExtent) {
      w = std::abs(info.Right);
      h = std::abs(info.Bottom);
    }
    mfp.xExt = MulDiv(w, kHundredthMMPerInch, kScreenDpi);
    mfp.yExt = MulDiv(h, kHundredthMMPerInch, kScreenDpi);
    TWindowDC screen;
    emf = SetWinMetaFileBits(n, wmf, screen.Get(), w && h ? &mfp : nullptr);
    if (emf && !(w && h)) FrameSize(emf, w, h);
  }
  if (!emf) throw EInvalidGraphic(u"Metafile image is not valid");
  Clear();
  FHandle = emf;
  FWidth = w;
  FHeight = h;
  FInch = inch;
  FEnhanced = enhanced;
  Changed();
}

void TMetafile::SaveToStream(TStream& stream) {
  if (!FHandle) throw EInvalidGraphic(u"Cannot save an empty metafile");
  if (FEnhanced) {
    UINT n = GetEnhMetaFileBits(FHandle, 0, nullptr);
    std::vector<uint8_t> bits(n);
    GetEnhMetaFileBits(FHandle, n, bits.data());
    stream.WriteBuffer(bits.data(), n);
    return;
  }
  TWindowDC screen;
  UINT n = GetWinMetaFileBits(FHandle, 0, nullptr, MM_ANISOTROPIC, screen.Get());
  std::vector<uint8_t> bits(n);
  GetWinMetaFileBits(FHandle, n, bits.data(), MM_ANISOTROPIC, screen.Get());
  // Placeable header: the box in units of 1/inch inch.
  const int inch = FInch ? FInch : kScreenDpi;
  uint16_t header[11] = {};
  uint32_t key = 0x9AC6CDD7;
  std::memcpy(header, &key, 4);
  header[5] = static_cast<uint16_t>(MulDiv(FWidth, inch, kScreenDpi));
  header[6] = static_cast<uint16_t>(MulDiv(FHeight, inch, kScreenDpi));
  header[7] = static_cast<uint16_t>(inch);
  uint16_t sum = 0;
  for (int i = 0; i < 10; ++i) sum ^= header[i];
  header[10] = sum;
  stream.WriteBuffer(header, sizeof header);
  stream.WriteBuffer(bits.data(), n);
}

void TMetafile::Draw(TCanvas* canvas, const TRect& r) {
  if (!FHandle) return;
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  PlayEnhMetaFile(canvas->Handle(), FHandle, &rc);
}

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, HDC referenceDevice) : FMetafile(metafile) {
  TWindowDC screen;
  HDC ref = referenceDevice ? referenceDevice : screen.Get();
  RECT frame{0, 0, MulDiv(metafile->Width(), kHundredthMMPerInch, kScreenDpi),
             MulDiv(metafile->Height(), kHundredthMMPerInch, kScreenDpi)};
  HDC dc = CreateEnhMetaFileW(ref, nullptr, frame.right > 0 && frame.bottom > 0 ? &frame : nullptr, nullptr);
  if (!dc) throw EOutOfResources(u"Out of system resources");
  SetHandle(dc);
}

TMetafileCanvas::~TMetafileCanvas() {
  HDC dc = Handle();
  SetHandle(nullptr);
  int w = FMetafile->Width(), h = FMetafile->Height();
  FMetafile->SetHandle(CloseEnhMetaFile(dc));
  if (w > 0 && h > 0) {
    FMetafile->SetWidth(w);
    FMetafile->SetHeight(h);
  }
}

}  // namespace fw
