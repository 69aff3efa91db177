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
  explicit TGdiObject(H h) : h_(h) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  TGdiObject(TGdiObject&& o) noexcept : h_(o.Release()) {}
  TGdiObject& operator=(TGdiObject&& o) noexcept {
    if (this != &o) Reset(o.Release());
    return *this;
  }
  H Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  H Release() { return std::exchange(h_, nullptr); }
  void Reset(H h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  H h_ = nullptr;
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
  explicit TMemoryDC(HDC compatible = nullptr) : dc_(CreateCompatibleDC(compatible)) {}
  ~TMemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// The screen (or a window's) DC from GetDC, released at the end.
class TWindowDC {
 public:
  explicit TWindowDC(HWND wnd = nullptr) : TWindowDC(wnd, GetDC(wnd)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(wnd_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

 protected:
  TWindowDC(HWND wnd, HDC dc) : wnd_(wnd), dc_(dc) {}

 private:
  HWND wnd_;
  HDC dc_;
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
  TSelectObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  ~TSelectObject() {
    if (old_) SelectObject(dc_, old_);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Selects a palette into a DC (realised) and restores the previous one.
class TSelectPalette {
 public:
  TSelectPalette(HDC dc, HPALETTE pal, BOOL background = TRUE)
      : dc_(dc), old_(pal ? SelectPalette(dc, pal, background) : nullptr) {
    if (pal) RealizePalette(dc);
  }
  ~TSelectPalette() {
    if (old_) SelectPalette(dc_, old_, TRUE);
  }
  TSelectPalette(const TSelectPalette&) = delete;
  TSelectPalette& operator=(const TSelectPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE old_;
};

// SaveDC/RestoreDC pair: clipping, modes and origins come back at the end.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  ~TSavedDC() {
    if (id_) RestoreDC(dc_, id_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int id_;
};

// An icon handle destroyed with DestroyIcon.
class TIconHandle {
 public:
  TIconHandle() = default;
  explicit TIconHandle(HICON h) : h_(h) {}
  ~TIconHandle() { Reset(); }
  TIconHandle(const TIconHandle&) = delete;
  TIconHandle& operator=(const TIconHandle&) = delete;
  HICON Get() const { return h_; }
  HICON Release() { return std::exchange(h_, nullptr); }
  void Reset(HICON h = nullptr) {
    if (h_) DestroyIcon(h_);
    h_ = h;
  }

 private:
  HICON h_ = nullptr;
};

}  // namespace fw
