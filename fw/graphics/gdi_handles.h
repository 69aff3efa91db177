// Small scoped holders for GDI objects and device contexts: whatever is
// created, selected or borrowed is given back when the holder goes out of
// scope.
#pragma once

#include <windows.h>

#include <utility>

namespace fw {

// Owns one GDI object (pen, brush, font, bitmap, region, palette) and
// deletes it. The object must not be selected into a DC at that moment.
template <typename H>
class TGdiObject {
 public:
  TGdiObject() = default;
  explicit TGdiObject(H h) : FHandle(h) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  TGdiObject(TGdiObject&& o) noexcept : FHandle(o.Release()) {}
  TGdiObject& operator=(TGdiObject&& o) noexcept {
    if (this != &o) Reset(o.Release());
    return *this;
  }
  H Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  H Release() { return std::exchange(FHandle, nullptr); }
  void Reset(H h = nullptr) {
    if (FHandle) DeleteObject(FHandle);
    FHandle = h;
  }

 private:
  H FHandle = nullptr;
};

using TPenHandle = TGdiObject<HPEN>;
using TBrushHandle = TGdiObject<HBRUSH>;
using TFontHandle = TGdiObject<HFONT>;
using TBitmapHandle = TGdiObject<HBITMAP>;
using TRegionHandle = TGdiObject<HRGN>;
using TPaletteHandle = TGdiObject<HPALETTE>;

// A memory DC made by CreateCompatibleDC, deleted at the end.
class TMemoryDC {
 public:
  explicit TMemoryDC(HDC compatible = nullptr) : FDc(CreateCompatibleDC(compatible)) {}
  ~TMemoryDC() {
    if (FDc) DeleteDC(FDc);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return FDc; }
  explicit operator bool() const { return FDc != nullptr; }

 private:
  HDC FDc;
};

// The screen (or a window's) DC from GetDC, released at the end.
class TWindowDC {
 public:
  explicit TWindowDC(HWND wnd = nullptr) : TWindowDC(wnd, GetDC(wnd)) {}
  ~TWindowDC() {
    if (FDc) ReleaseDC(FWnd, FDc);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDc; }

 protected:
  TWindowDC(HWND wnd, HDC dc) : FWnd(wnd), FDc(dc) {}

 private:
  HWND FWnd;
  HDC FDc;
};

// The DC of a whole window, frame included (GetWindowDC), released at the
// end.
class TWindowFrameDC : public TWindowDC {
 public:
  explicit TWindowFrameDC(HWND wnd) : TWindowDC(wnd, GetWindowDC(wnd)) {}
};

// Selects an object into a DC and selects the previous one back at the end.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ obj) : FDc(dc), FOld(obj ? SelectObject(dc, obj) : nullptr) {}
  ~TSelectObject() {
    if (FOld) SelectObject(FDc, FOld);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC FDc;
  HGDIOBJ FOld;
};

// Selects a palette into a DC (realised) and restores the previous one.
class TSelectPalette {
 public:
  TSelectPalette(HDC dc, HPALETTE pal, BOOL background = TRUE)
      : FDc(dc), FOld(pal ? SelectPalette(dc, pal, background) : nullptr) {
    if (pal) RealizePalette(dc);
  }
  ~TSelectPalette() {
    if (FOld) SelectPalette(FDc, FOld, TRUE);
  }
  TSelectPalette(const TSelectPalette&) = delete;
  TSelectPalette& operator=(const TSelectPalette&) = delete;

 private:
  HDC FDc;
  HPALETTE FOld;
};

// SaveDC/RestoreDC pair: clipping, modes and origins come back at the end.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : FDc(dc), FId(SaveDC(dc)) {}
  ~TSavedDC() {
    if (FId) RestoreDC(FDc, FId);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC FDc;
  int FId;
};

// An icon handle destroyed with DestroyIcon.
class TIconHandle {
 public:
  TIconHandle() = default;
  explicit TIconHandle(HICON h) : FHandle(h) {}
  ~TIconHandle() { Reset(); }
  TIconHandle(const TIconHandle&) = delete;
  TIconHandle& operator=(const TIconHandle&) = delete;
  HICON Get() const { return FHandle; }
  HICON Release() { return std::exchange(FHandle, nullptr); }
  void Reset(HICON h = nullptr) {
    if (FHandle) DestroyIcon(FHandle);
    FHandle = h;
  }

 private:
  HICON FHandle = nullptr;
};

}  // namespace fw
