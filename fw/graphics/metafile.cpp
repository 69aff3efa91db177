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
  if (handle_) DeleteEnhMetaFile(handle_);
  handle_ = nullptr;
  width_ = height_ = 0;
  inch_ = 0;
}

void TMetafile::SetWidth(int v) {
  if (v == width_) return;
  width_ = v;
  Changed();
}

void TMetafile::SetHeight(int v) {
  if (v == height_) return;
  height_ = v;
  Changed();
}

void TMetafile::SetHandle(HENHMETAFILE emf) {
  if (emf == handle_) return;
  Clear();
  handle_ = emf;
  if (emf) FrameSize(emf, width_, height_);
  Changed();
}

HENHMETAFILE TMetafile::ReleaseHandle() {
  HENHMETAFILE h = handle_;
  handle_ = nullptr;
  width_ = height_ = 0;
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
    HENHMETAFILE copy = src->handle_ ? CopyEnhMetaFileW(src->handle_, nullptr) : nullptr;
    Clear();
    handle_ = copy;
    width_ = src->width_;
    height_ = src->height_;
    inch_ = src->inch_;
    enhanced_ = src->enhanced_;
    Changed();
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    // Any other graphic is recorded by drawing it.
    Clear();
    int w = g->Width(), h = g->Height();
    width_ = w;
    height_ = h;
    {
      TMetafileCanvas canvas(this, nullptr);
      canvas.Draw(0, 0, g);
    }
    width_ = w;
    height_ = h;
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
  handle_ = emf;
  width_ = w;
  height_ = h;
  inch_ = inch;
  enhanced_ = enhanced;
  Changed();
}

void TMetafile::SaveToStream(TStream& stream) {
  if (!handle_) throw EInvalidGraphic(u"Cannot save an empty metafile");
  if (enhanced_) {
    UINT n = GetEnhMetaFileBits(handle_, 0, nullptr);
    std::vector<uint8_t> bits(n);
    GetEnhMetaFileBits(handle_, n, bits.data());
    stream.WriteBuffer(bits.data(), n);
    return;
  }
  TWindowDC screen;
  UINT n = GetWinMetaFileBits(handle_, 0, nullptr, MM_ANISOTROPIC, screen.Get());
  std::vector<uint8_t> bits(n);
  GetWinMetaFileBits(handle_, n, bits.data(), MM_ANISOTROPIC, screen.Get());
  // Placeable header: the box in units of 1/inch inch.
  const int inch = inch_ ? inch_ : kScreenDpi;
  uint16_t header[11] = {};
  uint32_t key = 0x9AC6CDD7;
  std::memcpy(header, &key, 4);
  header[5] = static_cast<uint16_t>(MulDiv(width_, inch, kScreenDpi));
  header[6] = static_cast<uint16_t>(MulDiv(height_, inch, kScreenDpi));
  header[7] = static_cast<uint16_t>(inch);
  uint16_t sum = 0;
  for (int i = 0; i < 10; ++i) sum ^= header[i];
  header[10] = sum;
  stream.WriteBuffer(header, sizeof header);
  stream.WriteBuffer(bits.data(), n);
}

void TMetafile::Draw(TCanvas* canvas, const TRect& r) {
  if (!handle_) return;
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  PlayEnhMetaFile(canvas->Handle(), handle_, &rc);
}

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, HDC referenceDevice) : metafile_(metafile) {
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
  int w = metafile_->Width(), h = metafile_->Height();
  metafile_->SetHandle(CloseEnhMetaFile(dc));
  if (w > 0 && h > 0) {
    metafile_->SetWidth(w);
    metafile_->SetHeight(h);
  }
}

}  // namespace fw
