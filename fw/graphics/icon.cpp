#include "fw/graphics/icon.h"

#include <cstring>

#include "fw/codecs/ico.h"
#include "fw/codecs/image_limits.h"
#include "fw/core/rtti.h"
#include "fw/graphics/picture.h"

namespace fw {

FW_REGISTER(TIcon) {}

namespace {

const String kFormat = u"Icon";

// A 32-bit bitmap (straight alpha in the fourth byte) as an icon.
HICON IconFromBitmap(TBitmap* bmp) {
  bmp->SetPixelFormat(pf32bit);
  const int w = bmp->Width(), h = bmp->Height();
  BITMAPV5HEADER bi{};
  bi.bV5Size = sizeof bi;
  bi.bV5Width = w;
  bi.bV5Height = -h;
  bi.bV5Planes = 1;
  bi.bV5BitCount = 32;
  bi.bV5Compression = BI_BITFIELDS;
  bi.bV5RedMask = 0x00FF0000;
  bi.bV5GreenMask = 0x0000FF00;
  bi.bV5BlueMask = 0x000000FF;
  bi.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  TWindowDC screen;
  TBitmapHandle color(CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!color) return nullptr;
  for (int y = 0; y < h; ++y) std::memcpy(static_cast<uint8_t*>(bits) + size_t(y) * w * 4, bmp->ScanLine(y), size_t(w) * 4);
  TBitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
  ICONINFO ii{};
  ii.fIcon = TRUE;
  ii.hbmColor = color.Get();
  ii.hbmMask = mask.Get();
  return CreateIconIndirect(&ii);
}

HICON LoadPngEntry(const uint8_t* p, size_t n) {
  if (TGraphicClass png = TPicture::FileFormatClass(u"png")) {
    std::unique_ptr<TGraphic> g(CreateGraphic(png));
    TMemoryStream m(std::vector<uint8_t>(p, p + n));
    g->LoadFromStream(m);
    TBitmap bmp;
    if (auto* asBitmap = dynamic_cast<TBitmap*>(g.get())) bmp.Assign(asBitmap);
    else bmp.Assign(g.get());
    return IconFromBitmap(&bmp);
  }
  // Without the PNG format the system's own reader may know PNG entries.
  return CreateIconFromResourceEx(const_cast<PBYTE>(p), static_cast<DWORD>(n), TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
}

}  // namespace

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

void TIcon::SetWidth(int v) {
  if (v != FWidth) throw EInvalidGraphic(u"Cannot change the size of an icon");
}

void TIcon::SetHeight(int v) {
  if (v != FHeight) throw EInvalidGraphic(u"Cannot change the size of an icon");
}

void TIcon::Adopt(HICON icon, std::vector<uint8_t> data) {
  ICONINFO ii{};
  int w = 0, h = 0;
  if (icon && GetIconInfo(icon, &ii)) {
    TBitmapHandle color(ii.hbmColor), mask(ii.hbmMask);
    BITMAP bm{};
    if (color) {
      GetObjectW(color.Get(), sizeof bm, &bm);
      w = bm.bmWidth;
      h = bm.bmHeight;
    } else if (mask) {
      GetObjectW(mask.Get(), sizeof bm, &bm);
      w = bm.bmWidth;
      h = bm.bmHeight / 2;
    }
  }
  FHandle.Reset(icon);
  FData = std::move(data);
  FWidth = w;
  FHeight = h;
  Changed();
}

void TIcon::SetHandle(HICON icon) {
  if (icon == FHandle.Get()) return;
  Adopt(icon, {});
}

HICON TIcon::ReleaseHandle() {
  HICON h = FHandle.Release();
  FData.clear();
  FWidth = FHeight = 0;
  return h;
}

void TIcon::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    Adopt(nullptr, {});
    return;
  }
  if (auto* src = dynamic_cast<TIcon*>(Source)) {
    if (!src->FData.empty()) {
      TMemoryStream m(src->FData);
      LoadFromStream(m);
    } else {
      Adopt(src->FHandle.Get() ? CopyIcon(src->FHandle.Get()) : nullptr, {});
    }
    return;
  }
  TGraphic::Assign(Source);
}

void TIcon::LoadFromStream(TStream& stream) {
  std::vector<uint8_t> data(6);
  try {
    stream.ReadBuffer(data.data(), 6);
    size_t total = codecs::IcoFileLength(data.data(), data.size());
    if (total == 0) {
      size_t count = codecs::ReadLE16(data.data() + 4);
      data.resize(6 + 16 * count);
      stream.ReadBuffer(data.data() + 6, static_cast<int64_t>(data.size() - 6));
      total = codecs::IcoFileLength(data.data(), data.size());
    }
    if (total > data.size()) {
      if (stream.Size() - stream.Position() < static_cast<int64_t>(total - data.size())) codecs::ThrowTruncated(kFormat);
      size_t have = data.size();
      data.resize(total);
      stream.ReadBuffer(data.data() + have, static_cast<int64_t>(total - have));
    }
  } catch (const EReadError&) {
    codecs::ThrowTruncated(kFormat);
  }
  std::vector<codecs::IcoEntry> entries = codecs::ReadIcoDirectory(data.data(), data.size());
  const codecs::IcoEntry& e = entries[codecs::ChooseIcoEntry(entries, GetSystemMetrics(SM_CXICON))];
  const uint8_t* p = data.data() + e.Offset;
  HICON icon = e.Png ? LoadPngEntry(p, e.Size)
                     : CreateIconFromResourceEx(const_cast<PBYTE>(p), static_cast<DWORD>(e.Size), TRUE, 0x00030000,
                                                e.Width, e.Height, LR_DEFAULTCOLOR);
  if (!icon) throw EInvalidGraphic(u"Icon image is not valid");
  Adopt(icon, std::move(data));
}

void TIcon::SaveToStream(TStream& stream) {
  if (!FData.empty()) {
    stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
    return;
  }
  if (Empty()) throw EInvalidGraphic(u"Cannot save an empty icon");
  // One 32-bit image with its AND mask.
  TBitmap color;
  color.SetPixelFormat(pf32bit);
  color.SetSize(FWidth, FHeight);
  TBitmap mask;
  mask.SetPixelFormat(pf1bit);
  mask.SetSize(FWidth, FHeight);
  {
    HDC dc = color.Canvas()->Handle();
    RECT r{0, 0, FWidth, FHeight};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawIconEx(dc, 0, 0, FHandle.Get(), FWidth, FHeight, 0, nullptr, DI_IMAGE);
    DrawIconEx(mask.Canvas()->Handle(), 0, 0, FHandle.Get(), FWidth, FHeight, 0, nullptr, DI_MASK);
  }
  const uint32_t xorBytes = static_cast<uint32_t>(color.RowBytes() * FHeight);
  const uint32_t andBytes = static_cast<uint32_t>(mask.RowBytes() * FHeight);
  const uint32_t imageBytes = 40 + xorBytes + andBytes;
  uint8_t dir[6 + 16] = {0, 0, 1, 0, 1, 0};
  dir[6] = static_cast<uint8_t>(FWidth >= 256 ? 0 : FWidth);
  dir[7] = static_cast<uint8_t>(FHeight >= 256 ? 0 : FHeight);
  dir[10] = 1;
  dir[12] = 32;
  std::memcpy(dir + 14, &imageBytes, 4);
  uint32_t offset = sizeof dir;
  std::memcpy(dir + 18, &offset, 4);
  stream.WriteBuffer(dir, sizeof dir);
  BITMAPINFOHEADER bi{};
  bi.biSize = 40;
  bi.biWidth = FWidth;
  bi.biHeight = FHeight * 2;
  bi.biPlanes = 1;
  bi.biBitCount = 32;
  bi.biSizeImage = xorBytes + andBytes;
  stream.WriteBuffer(&bi, sizeof bi);
  for (int y = FHeight - 1; y >= 0; --y) stream.WriteBuffer(color.ScanLine(y), color.RowBytes());
  for (int y = FHeight - 1; y >= 0; --y) stream.WriteBuffer(mask.ScanLine(y), mask.RowBytes());
}

void TIcon::Draw(TCanvas* canvas, const TRect& r) {
  if (Empty()) return;
  DrawIconEx(canvas->Handle(), r.Left, r.Top, FHandle.Get(), r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
}

}  // namespace fw
