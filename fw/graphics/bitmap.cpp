// TBitmap: a DIB section (or a device bitmap for pfDevice) with a lazily made
// canvas, scan-line access and BMP reading and writing.
#include <algorithm>
#include <cstring>

#include "fw/codecs/bmp.h"
#include "fw/core/rtti.h"
#include "fw/codecs/image_limits.h"
#include "fw/graphics/graphics.h"

namespace fw {

// The bitmap's canvas: a memory DC that holds the bitmap (and its palette)
// while it exists.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }

  void FreeContext() {
    if (!FDc) return;
    SetHandle(nullptr);
    if (FOldBitmap) SelectObject(FDc, FOldBitmap);
    if (FOldPalette) SelectPalette(FDc, FOldPalette, TRUE);
    DeleteDC(FDc);
    FDc = nullptr;
    FOldBitmap = nullptr;
    FOldPalette = nullptr;
  }

 protected:
  void CreateHandle() override {
    FreeContext();
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) throw EOutOfResources(u"Out of system resources");
    if (FBitmap->FHandle) FOldBitmap = SelectObject(dc, FBitmap->FHandle.Get());
    if (HPALETTE pal = FBitmap->Palette()) {
      FOldPalette = SelectPalette(dc, pal, TRUE);
      RealizePalette(dc);
    }
    FDc = dc;
    SetHandle(dc);
  }

 private:
  TBitmap* FBitmap;
  HDC FDc = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  HPALETTE FOldPalette = nullptr;
};

namespace {

const String kFormat = u"Bitmap";

struct TDibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

int DeviceBits() {
  TWindowDC screen;
  return GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
}

TPixelFormat FormatOfBits(int bits, bool is565) {
  switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return is565 ? pf16bit : pf15bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: return pfCustom;
  }
}

std::vector<RGBQUAD> DefaultColors(TPixelFormat pf) {
  std::vector<RGBQUAD> c;
  if (pf == pf1bit) {
    c = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
  } else if (pf == pf4bit) {
    static constexpr COLORREF kVga[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clSilver,
                                          clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
    for (COLORREF v : kVga) c.push_back(RGBQUAD{GetBValue(v), GetGValue(v), GetRValue(v), 0});
  } else if (pf == pf8bit) {
    TWindowDC screen;
    TPaletteHandle pal(CreateHalftonePalette(screen.Get()));
    PALETTEENTRY e[256] = {};
    UINT n = pal ? GetPaletteEntries(pal.Get(), 0, 256, e) : 0;
    for (UINT i = 0; i < 256; ++i) {
      if (i < n) c.push_back(RGBQUAD{e[i].peBlue, e[i].peGreen, e[i].peRed, 0});
      else c.push_back(RGBQUAD{0, 0, 0, 0});
    }
  }
  return c;
}

// Makes a bottom-up DIB section (or, for pfDevice, a screen-compatible
// bitmap) of the size and format.
HBITMAP CreateImage(int w, int h, TPixelFormat pf, const std::vector<RGBQUAD>& colors, void** bits) {
  *bits = nullptr;
  if (pf == pfDevice) {
    TWindowDC screen;
    return CreateCompatibleBitmap(screen.Get(), w, h);
  }
  TDibInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = w;
  info.header.biHeight = h;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(PixelFormatBits(pf));
  info.header.biCompression = BI_RGB;
  if (pf == pf16bit) {
    info.header.biCompression = BI_BITFIELDS;
    DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(info.colors, masks, sizeof masks);
  } else if (info.header.biBitCount <= 8) {
    size_t n = size_t(1) << info.header.biBitCount;
    for (size_t i = 0; i < n && i < colors.size(); ++i) info.colors[i] = colors[i];
    info.header.biClrUsed = static_cast<DWORD>(n);
  }
  TWindowDC screen;
  return CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, bits, nullptr, 0);
}

void FillWhite(HDC dc, int w, int h) {
  RECT r{0, 0, w, h};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

}  // namespace

int PixelFormatBits(TPixelFormat pf) {
  switch (pf) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return 0;
  }
}

FW_REGISTER(TBitmap) {}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TBitmapCanvas>(this);
    FCanvas->OnChange = TNotifyEvent(this, &TBitmap::CanvasChanged);
  }
  return FCanvas.get();
}

void TBitmap::CanvasChanged(TObject*) { Changed(); }

void TBitmap::Release() {
  if (FCanvas) FCanvas->FreeContext();
  FHandle.Reset();
  FPalette.Reset();
  FColors.clear();
  FBits = nullptr;
  FWidth = FHeight = 0;
  FTopDown = false;
}

void TBitmap::ReplaceImage(HBITMAP bitmap, void* bits, int w, int h, TPixelFormat pf, bool topDown,
                           TBitmapHandleType type, std::vector<RGBQUAD> colors) {
  Release();
  FHandle.Reset(bitmap);
  int n = PixelFormatBits(pf);
  if (type == bmDIB && n > 0 && n <= 8) {
    colors.resize(size_t(1) << n, RGBQUAD{0, 0, 0, 0});
    FColors = std::move(colors);
  }
  FBits = bits;
  FWidth = w;
  FHeight = h;
  FTopDown = topDown;
  FPixelFormat = pf;
  FHandleType = type;
}

// Makes a new image of the size and format, white, with the old image (or
// copyFrom) copied into its top-left corner.
void TBitmap::MakeImage(int w, int h, TPixelFormat pf, const std::vector<RGBQUAD>* colors, HBITMAP copyFrom,
                        int copyW, int copyH) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  codecs::CheckImageSize(w, h, kFormat);
  if (w == 0 || h == 0) {
    Release();
    FPixelFormat = pf;
    FHandleType = pf == pfDevice ? bmDDB : bmDIB;
    Changed();
    return;
  }
  std::vector<RGBQUAD> table = colors ? *colors : DefaultColors(pf);
  void* bits = nullptr;
  TBitmapHandle image(CreateImage(w, h, pf, table, &bits));
  if (!image) throw EOutOfResources(u"Out of system resources");
  {
    TMemoryDC dst;
    TSelectObject selDst(dst.Get(), image.Get());
    FillWhite(dst.Get(), w, h);
    if (copyFrom) {
      if (FCanvas) FCanvas->FreeContext();
      TMemoryDC src;
      TSelectObject selSrc(src.Get(), copyFrom);
      BitBlt(dst.Get(), 0, 0, std::min(w, copyW), std::min(h, copyH), src.Get(), 0, 0, SRCCOPY);
    }
  }
  GdiFlush();
  ReplaceImage(image.Release(), bits, w, h, pf, false, pf == pfDevice ? bmDDB : bmDIB, table);
  Changed();
}

void TBitmap::SetSize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == FWidth && h == FHeight) return;
  std::vector<RGBQUAD> colors = ColorTable();
  TBitmapHandle old(FHandle.Release());
  int oldW = FWidth, oldH = FHeight;
  Release();
  MakeImage(w, h, FPixelFormat, colors.empty() ? nullptr : &colors, old.Get(), oldW, oldH);
}

void TBitmap::SetPixelFormat(TPixelFormat v) {
  if (v == pfCustom) throw EInvalidGraphic(u"Invalid pixel format");
  if (v == FPixelFormat) return;
  if (Empty()) {
    FPixelFormat = v;
    FHandleType = v == pfDevice ? bmDDB : bmDIB;
    FPalette.Reset();
    Changed();
    return;
  }
  TBitmapHandle old(FHandle.Release());
  int w = FWidth, h = FHeight;
  Release();
  MakeImage(w, h, v, nullptr, old.Get(), w, h);
}

void TBitmap::SetMonochrome(bool v) {
  if (v == Monochrome()) return;
  SetPixelFormat(v ? pf1bit : pfDevice);
}

void TBitmap::SetHandleType(TBitmapHandleType v) {
  if (v == FHandleType) return;
  if (Empty()) {
    FHandleType = v;
    return;
  }
  if (v == bmDDB) {
    SetPixelFormat(pfDevice);
    return;
  }
  int bits = DeviceBits();
  TPixelFormat pf = FormatOfBits(bits == 16 ? 16 : bits, true);
  if (pf == pfCustom) pf = pf32bit;
  TBitmapHandle old(FHandle.Release());
  int w = FWidth, h = FHeight;
  Release();
  MakeImage(w, h, pf, nullptr, old.Get(), w, h);
}

int TBitmap::RowBytes() const { return ((FWidth * PixelFormatBits(FPixelFormat) + 31) / 32) * 4; }

void* TBitmap::ScanLine(int row) {
  if (row < 0 || row >= FHeight || FWidth == 0) throw EInvalidGraphic(u"Scan line index out of range");
  if (FHandleType == bmDDB || !FBits) SetHandleType(bmDIB);
  GdiFlush();
  size_t stride = static_cast<size_t>(RowBytes());
  size_t index = static_cast<size_t>(FTopDown ? row : FHeight - 1 - row);
  return static_cast<uint8_t*>(FBits) + stride * index;
}

HBITMAP TBitmap::Handle() { return FHandle.Get(); }

void TBitmap::AdoptHandle(HBITMAP bitmap) {
  DIBSECTION ds{};
  if (GetObjectW(bitmap, sizeof ds, &ds) == sizeof ds && ds.dsBm.bmBits) {
    bool is565 = ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBitfields[1] == 0x07E0;
    std::vector<RGBQUAD> colors;
    if (ds.dsBmih.biBitCount <= 8) {
      colors.resize(size_t(1) << ds.dsBmih.biBitCount);
      TMemoryDC dc;
      TSelectObject sel(dc.Get(), bitmap);
      colors.resize(GetDIBColorTable(dc.Get(), 0, static_cast<UINT>(colors.size()), colors.data()));
    }
    ReplaceImage(bitmap, ds.dsBm.bmBits, ds.dsBm.bmWidth, ds.dsBm.bmHeight, FormatOfBits(ds.dsBmih.biBitCount, is565),
                 ds.dsBmih.biHeight < 0, bmDIB, colors);
    return;
  }
  BITMAP bm{};
  if (GetObjectW(bitmap, sizeof bm, &bm) == 0) throw EInvalidGraphic(u"Invalid bitmap handle");
  ReplaceImage(bitmap, nullptr, bm.bmWidth, bm.bmHeight, bm.bmBitsPixel == 1 ? pf1bit : pfDevice, false, bmDDB);
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  if (bitmap == FHandle.Get()) return;
  if (!bitmap) {
    Release();
  } else {
    AdoptHandle(bitmap);
  }
  Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
  if (FCanvas) FCanvas->FreeContext();
  HBITMAP h = FHandle.Release();
  Release();
  return h;
}

void TBitmap::FreeImage() {
  if (Empty() && !FHandle) return;
  Release();
  Changed();
}

std::vector<RGBQUAD> TBitmap::ColorTable() const { return FColors; }

void TBitmap::SetColorTable(const std::vector<RGBQUAD>& colors) {
  int bits = PixelFormatBits(FPixelFormat);
  if (!FHandle || FHandleType != bmDIB || bits == 0 || bits > 8) return;
  std::vector<RGBQUAD> table(size_t(1) << bits, RGBQUAD{0, 0, 0, 0});
  std::copy_n(colors.begin(), std::min(colors.size(), table.size()), table.begin());
  // The canvas DC lets go of the palette before it is deleted.
  if (FCanvas) FCanvas->FreeContext();
  FPalette.Reset();
  {
    TMemoryDC dc;
    TSelectObject sel(dc.Get(), FHandle.Get());
    SetDIBColorTable(dc.Get(), 0, static_cast<UINT>(table.size()), table.data());
  }
  FColors = table;
  Changed();
}

HPALETTE TBitmap::Palette() {
  if (!FPalette) {
    std::vector<RGBQUAD> table = ColorTable();
    if (table.empty()) return nullptr;
    std::vector<uint8_t> buf(sizeof(LOGPALETTE) + table.size() * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = static_cast<WORD>(table.size());
    for (size_t i = 0; i < table.size(); ++i)
      lp->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    FPalette.Reset(CreatePalette(lp));
  }
  return FPalette.Get();
}

void TBitmap::SetPalette(HPALETTE palette) {
  if (!palette) return;
  TPaletteHandle owned(palette);
  PALETTEENTRY e[256] = {};
  UINT n = GetPaletteEntries(palette, 0, 256, e);
  std::vector<RGBQUAD> colors(n);
  for (UINT i = 0; i < n; ++i) colors[i] = RGBQUAD{e[i].peBlue, e[i].peGreen, e[i].peRed, 0};
  SetColorTable(colors);
  if (FCanvas) FCanvas->FreeContext();
  FPalette = std::move(owned);
}

TColor TBitmap::TransparentColor() {
  if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
  if (Empty()) return clDefault;
  return Canvas()->Pixel(0, FHeight - 1) & 0xFFFFFF;
}

void TBitmap::SetTransparentColor(TColor v) {
  if (v == FTransparentColor && FTransparentMode == (v == clDefault ? tmAuto : tmFixed)) return;
  FTransparentColor = v;
  FTransparentMode = v == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode v) {
  if (v == FTransparentMode) return;
  if (v == tmAuto) FTransparentColor = clDefault;
  else if (FTransparentColor == clDefault) FTransparentColor = TransparentColor();
  FTransparentMode = v;
  Changed();
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
  if (Empty()) return;
  HDC dst = canvas->Handle();
  HDC src = Canvas()->Handle();
  TSelectPalette pal(dst, FPixelFormat != pfDevice && PixelFormatBits(FPixelFormat) <= 8 ? Palette() : nullptr);
  int oldMode = SetStretchBltMode(dst, COLORONCOLOR);
  COLORREF oldText = 0, oldBk = 0;
  if (Monochrome()) {
    oldText = SetTextColor(dst, RGB(0, 0, 0));
    oldBk = SetBkColor(dst, RGB(255, 255, 255));
  }
  if (Transparent()) {
    TransparentBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, FWidth, FHeight,
                   ColorToRGB(TransparentColor()) & 0xFFFFFF);
  } else {
    StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, FWidth, FHeight, canvas->CopyMode());
  }
  if (Monochrome()) {
    SetTextColor(dst, oldText);
    SetBkColor(dst, oldBk);
  }
  SetStretchBltMode(dst, oldMode);
}

void TBitmap::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    FreeImage();
    return;
  }
  if (auto* src = dynamic_cast<TBitmap*>(Source)) {
    TPixelFormat pf = src->FPixelFormat;
    if (src->Empty()) {
      Release();
      FPixelFormat = pf;
      FHandleType = src->FHandleType;
    } else if (src->FHandleType == bmDIB && src->FBits && pf != pfCustom) {
      std::vector<RGBQUAD> colors = src->ColorTable();
      Release();
      void* bits = nullptr;
      TBitmapHandle image(CreateImage(src->FWidth, src->FHeight, pf, colors, &bits));
      if (!image) throw EOutOfResources(u"Out of system resources");
      GdiFlush();
      ReplaceImage(image.Release(), bits, src->FWidth, src->FHeight, pf, false, bmDIB, colors);
      for (int y = 0; y < FHeight; ++y) std::memcpy(ScanLine(y), src->ScanLine(y), static_cast<size_t>(RowBytes()));
    } else {
      if (src->FCanvas) src->FCanvas->FreeContext();
      HBITMAP copy = static_cast<HBITMAP>(CopyImage(src->FHandle.Get(), IMAGE_BITMAP, 0, 0, 0));
      if (!copy) throw EOutOfResources(u"Out of system resources");
      Release();
      AdoptHandle(copy);
    }
    FTransparentColor = src->FTransparentColor;
    FTransparentMode = src->FTransparentMode;
    TGraphic::SetTransparent(src->Transparent());
    Changed();
    return;
  }
  // Any other graphic is drawn onto a white bitmap of its size.
  auto* g = dynamic_cast<TGraphic*>(Source);
  if (!g) return TGraphic::Assign(Source);
  Release();
  MakeImage(g->Width(), g->Height(), FPixelFormat, nullptr, nullptr, 0, 0);
  if (!Empty()) Canvas()->Draw(0, 0, g);
  Changed();
}

// ---- Reading and writing BMP ---------------------------------------------------

void TBitmap::TakeDecoded(const codecs::BmpImage& img) {
  std::vector<RGBQUAD> colors;
  for (uint32_t c : img.Palette) colors.push_back(RGBQUAD{uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), 0});
  TPixelFormat pf = FormatOfBits(img.BitCount, img.Is565);
  Release();
  FPixelFormat = pf;
  FHandleType = bmDIB;
  if (img.Width > 0 && img.Height > 0) {
    void* bits = nullptr;
    TBitmapHandle image(CreateImage(img.Width, img.Height, pf, colors, &bits));
    if (!image) throw EOutOfResources(u"Out of system resources");
    ReplaceImage(image.Release(), bits, img.Width, img.Height, pf, false, bmDIB, colors);
    const size_t stride = static_cast<size_t>(img.RowBytes());
    for (int y = 0; y < img.Height; ++y) std::memcpy(ScanLine(y), img.Pixels.data() + stride * y, stride);
  }
  Changed();
}

void TBitmap::LoadFromDib(const uint8_t* data, size_t size) { TakeDecoded(codecs::DecodeDib(data, size)); }

void TBitmap::LoadFromStream(TStream& stream) {
  std::vector<uint8_t> data(18);
  try {
    stream.ReadBuffer(data.data(), 18);
    size_t headers = codecs::BmpHeadersLength(data.data(), data.size());
    data.resize(headers);
    stream.ReadBuffer(data.data() + 18, static_cast<int64_t>(headers - 18));
    size_t total = codecs::BmpFileLength(data.data(), data.size());
    if (total > headers) {
      // Checked before the buffer grows: a header may promise gigabytes.
      int64_t left = stream.Size() - stream.Position();
      if (left < static_cast<int64_t>(total - headers)) codecs::ThrowTruncated(kFormat);
      data.resize(total);
      stream.ReadBuffer(data.data() + headers, static_cast<int64_t>(total - headers));
    }
  } catch (const EReadError&) {
    codecs::ThrowTruncated(kFormat);
  }
  TakeDecoded(codecs::DecodeBmp(data.data(), data.size()));
}

void TBitmap::SaveToStream(TStream& stream) {
  if (!Empty() && (FHandleType == bmDDB || !FBits || FPixelFormat == pfCustom)) {
    TBitmap copy;
    copy.Assign(this);
    copy.SetHandleType(bmDIB);
    if (copy.FPixelFormat == pfCustom) copy.SetPixelFormat(pf32bit);
    copy.SaveToStream(stream);
    return;
  }
  TPixelFormat pf = FPixelFormat == pfDevice || FPixelFormat == pfCustom ? pf24bit : FPixelFormat;
  const int bitCount = PixelFormatBits(pf);
  const uint32_t stride = static_cast<uint32_t>(((FWidth * bitCount + 31) / 32) * 4);
  std::vector<RGBQUAD> table;
  if (bitCount <= 8) {
    table = ColorTable();
    if (table.empty()) table = DefaultColors(pf);
    table.resize(size_t(1) << bitCount, RGBQUAD{0, 0, 0, 0});
  }
  const uint32_t tableBytes = pf == pf16bit ? 12 : static_cast<uint32_t>(table.size() * sizeof(RGBQUAD));
  BITMAPINFOHEADER bi{};
  bi.biSize = sizeof bi;
  bi.biWidth = FWidth;
  bi.biHeight = FHeight;
  bi.biPlanes = 1;
  bi.biBitCount = static_cast<WORD>(bitCount);
  bi.biCompression = pf == pf16bit ? BI_BITFIELDS : BI_RGB;
  bi.biSizeImage = stride * static_cast<uint32_t>(FHeight);
  bi.biClrUsed = static_cast<DWORD>(table.size());
  BITMAPFILEHEADER bf{};
  bf.bfType = 0x4D42;
  bf.bfOffBits = static_cast<DWORD>(sizeof bf + sizeof bi + tableBytes);
  bf.bfSize = bf.bfOffBits + bi.biSizeImage;
  stream.WriteBuffer(&bf, sizeof bf);
  stream.WriteBuffer(&bi, sizeof bi);
  if (pf == pf16bit) {
    DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    stream.WriteBuffer(masks, sizeof masks);
  } else if (!table.empty()) {
    stream.WriteBuffer(table.data(), tableBytes);
  }
  for (int y = FHeight - 1; y >= 0; --y) stream.WriteBuffer(ScanLine(y), stride);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const String& name) {
  HRSRC res = FindResourceW(instance, W(name), MAKEINTRESOURCEW(2));
  if (!res) throw EInvalidGraphic(u"Resource " + name + u" not found");
  HGLOBAL mem = LoadResource(instance, res);
  const void* data = mem ? LockResource(mem) : nullptr;
  if (!data) throw EInvalidGraphic(u"Resource " + name + u" not found");
  LoadFromDib(static_cast<const uint8_t*>(data), SizeofResource(instance, res));
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
  HRSRC res = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));
  if (!res) throw EInvalidGraphic(u"Resource not found");
  HGLOBAL mem = LoadResource(instance, res);
  const void* data = mem ? LockResource(mem) : nullptr;
  if (!data) throw EInvalidGraphic(u"Resource not found");
  LoadFromDib(static_cast<const uint8_t*>(data), SizeofResource(instance, res));
}

}  // namespace fw
