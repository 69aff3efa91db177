#include "fw/platform/clipboard.h"

#include <cstring>

#include "fw/platform/oserror.h"

namespace fw {

namespace {

// Opens around one operation unless the caller has it open already.
class OpenScope {
 public:
  explicit OpenScope(TClipboard& c) : FClipboard(c) { FClipboard.Open(); }
  ~OpenScope() { FClipboard.Close(); }

 private:
  TClipboard& FClipboard;
};

class GlobalLock_ {
 public:
  explicit GlobalLock_(HGLOBAL h) : FHandle(h), FPointer(h ? GlobalLock(h) : nullptr) {}
  ~GlobalLock_() {
    if (FPointer) GlobalUnlock(FHandle);
  }
  void* get() const { return FPointer; }

 private:
  HGLOBAL FHandle;
  void* FPointer;
};

size_t Stride(int width, int bpp) { return ((static_cast<size_t>(width) * bpp + 31) / 32) * 4; }

// Size of the colour table and masks that follow a DIB's header.
size_t ColourTableSize(const BITMAPINFOHEADER& h) {
  size_t n = 0;
  if (h.biBitCount <= 8) n = h.biClrUsed ? h.biClrUsed : (1u << h.biBitCount);
  else n = h.biClrUsed;
  size_t masks = (h.biSize == sizeof(BITMAPINFOHEADER) && h.biCompression == BI_BITFIELDS) ? 12 : 0;
  return n * sizeof(RGBQUAD) + masks;
}

// The bytes of pixel data a DIB's header promises; 0 for a header that
// describes none or that the clipboard does not take.
size_t PixelBytes(const BITMAPINFOHEADER& h) {
  const uint64_t rows = h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight;
  switch (h.biCompression) {
    case BI_RGB:
    case BI_BITFIELDS:
      switch (h.biBitCount) {
        case 1: case 4: case 8: case 16: case 24: case 32:
          return Stride(h.biWidth, h.biBitCount) * rows;
        default:
          return 0;
      }
    case BI_RLE4:
    case BI_RLE8:
      return h.biSizeImage;
    default:
      return 0;
  }
}

}  // namespace

TClipboard::~TClipboard() {
  if (FOpenCount > 0) CloseClipboard();
  if (FWindow) DestroyWindow(FWindow);
}

void TClipboard::Open() {
  if (FOpenCount++ > 0) return;
  // A window of our own owns what we put there: with no owner the system
  // may refuse the data.
  if (!FWindow) {
    FWindow = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  }
  for (int attempt = 0;; ++attempt) {
    if (OpenClipboard(FWindow)) break;
    if (attempt >= 20) {
      FOpenCount = 0;
      throw EClipboardException(u"Cannot open clipboard: " + SysErrorMessage(GetLastError()));
    }
    Sleep(10);
  }
  FEmptied = false;
}

void TClipboard::Close() {
  if (FOpenCount == 0) return;
  if (--FOpenCount == 0) CloseClipboard();
}

void TClipboard::Clear() {
  OpenScope scope(*this);
  EmptyClipboard();
  FEmptied = true;
}

void TClipboard::Adding() {
  if (!FEmptied) {
    EmptyClipboard();
    FEmptied = true;
  }
}

bool TClipboard::HasFormat(UINT format) { return IsClipboardFormatAvailable(format) != 0; }

void TClipboard::SetHandle(UINT format, HGLOBAL h) {
  if (!SetClipboardData(format, h)) {
    DWORD err = GetLastError();
    GlobalFree(h);
    throw EClipboardException(u"Cannot put data on the clipboard: " + SysErrorMessage(err));
  }
}

void TClipboard::SetBuffer(UINT format, const void* data, size_t size) {
  OpenScope scope(*this);
  Adding();
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
  if (!h) throw EOutOfResources(u"Out of memory for the clipboard");
  {
    GlobalLock_ lock(h);
    if (size) std::memcpy(lock.get(), data, size);
  }
  SetHandle(format, h);
}

String TClipboard::AsText() {
  OpenScope scope(*this);
  HANDLE h = GetClipboardData(CF_UNICODETEXT);
  if (!h) return String();
  GlobalLock_ lock(h);
  if (!lock.get()) return String();
  size_t max = GlobalSize(h) / sizeof(wchar_t);
  const wchar_t* p = static_cast<const wchar_t*>(lock.get());
  size_t n = 0;
  while (n < max && p[n]) ++n;
  return FromW(p, n);
}

void TClipboard::SetAsText(const String& text) {
  SetBuffer(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(char16_t));
}

void TClipboard::SetBitmap(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) {
    throw EClipboardException(u"Cannot put an invalid bitmap on the clipboard");
  }
  BITMAPINFOHEADER hdr{};
  hdr.biSize = sizeof hdr;
  hdr.biWidth = bm.bmWidth;
  hdr.biHeight = bm.bmHeight;  // bottom-up, as every reader expects
  hdr.biPlanes = 1;
  hdr.biBitCount = bm.bmBitsPixel == 32 ? 32 : 24;
  hdr.biCompression = BI_RGB;
  const size_t imageSize = Stride(bm.bmWidth, hdr.biBitCount) * static_cast<size_t>(bm.bmHeight);
  hdr.biSizeImage = static_cast<DWORD>(imageSize);
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof hdr + imageSize);
  if (!h) throw EOutOfResources(u"Out of memory for the clipboard");
  bool ok;
  {
    GlobalLock_ lock(h);
    auto* info = static_cast<BITMAPINFO*>(lock.get());
    info->bmiHeader = hdr;
    HDC dc = GetDC(nullptr);
    ok = GetDIBits(dc, bitmap, 0, static_cast<UINT>(bm.bmHeight),
                   reinterpret_cast<uint8_t*>(info) + sizeof hdr, info, DIB_RGB_COLORS) != 0;
    ReleaseDC(nullptr, dc);
  }
  if (!ok) {
    GlobalFree(h);
    throw EClipboardException(u"Cannot read the bitmap for the clipboard");
  }
  OpenScope scope(*this);
  Adding();
  SetHandle(CF_DIB, h);
}

HBITMAP TClipboard::GetBitmap() {
  OpenScope scope(*this);
  if (HANDLE h = GetClipboardData(CF_DIB)) {
    GlobalLock_ lock(h);
    auto* info = static_cast<const BITMAPINFO*>(lock.get());
    if (!info || GlobalSize(h) < sizeof(BITMAPINFOHEADER)) return nullptr;
    const BITMAPINFOHEADER& src = info->bmiHeader;
    const size_t offset = src.biSize + ColourTableSize(src);
    if (offset > GlobalSize(h) || src.biWidth <= 0 || src.biHeight == 0) return nullptr;
    // Another program wrote the block: its pixel rows must lie inside it
    // before the system reads them.
    if (PixelBytes(src) == 0 || PixelBytes(src) > GlobalSize(h) - offset) return nullptr;
    BITMAPINFO out{};
    out.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    out.bmiHeader.biWidth = src.biWidth;
    out.bmiHeader.biHeight = src.biHeight < 0 ? -src.biHeight : src.biHeight;
    out.bmiHeader.biPlanes = 1;
    out.bmiHeader.biBitCount = src.biBitCount == 32 ? 32 : 24;
    out.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP result = CreateDIBSection(nullptr, &out, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!result) return nullptr;
    // The system converts every DIB layout (palettes, masks, top-down).
    HDC dc = GetDC(nullptr);
    int lines = SetDIBits(dc, result, 0, static_cast<UINT>(out.bmiHeader.biHeight),
                          reinterpret_cast<const uint8_t*>(info) + offset, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (lines == 0) {
      DeleteObject(result);
      return nullptr;
    }
    return result;
  }
  if (HANDLE h = GetClipboardData(CF_BITMAP)) {
    return static_cast<HBITMAP>(CopyImage(h, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  }
  return nullptr;
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

}  // namespace fw
