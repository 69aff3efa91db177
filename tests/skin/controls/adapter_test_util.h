// What the control-adapter tests share: a host window that answers what
// lies behind its children with a colour of its own, a window printed into
// a 32-bit image, the program's two skins, and contact sheets of painted
// states written beside the build.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/engine/background_request.h"
#include "skin/engine/core/pixel_buffer.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/skin_messages.h"
#include "tests/skin/engine/core/program_skins.h"
#include "tests/skin/synthetic_skin.h"

namespace skintest {

// What the host answers behind its children.
constexpr fw::TColor kHost = 0x305070;

inline LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == skin::WM_SKINCOMMAND && skin::SkinCommandCode(w) == skin::SKC_GETBGINFO) {
    auto* info = reinterpret_cast<skin::TkcBackgroundInfo*>(l);
    info->BgType = skin::btFill;
    info->Color = kHost;
    return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

// A visible popup answering kHost; destroyed with the object.
struct Host {
  HWND wnd = nullptr;
  explicit Host(int w = 300, int h = 200) {
    static ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = HostProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"VlAdapterHost";
      return RegisterClassW(&wc);
    }();
    (void)atom;
    wnd = CreateWindowExW(0, L"VlAdapterHost", L"", WS_POPUP | WS_VISIBLE, 30, 30, w, h, nullptr, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  }
  ~Host() { DestroyWindow(wnd); }
  HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, DWORD exStyle = 0) const {
    return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, wnd, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
};

// The window printed (WM_PRINT with its client and frame) into a 32-bit
// image of its size over a sentinel colour.
inline skin::TPixelBuffer Print(HWND wnd, uint32_t sentinel = 0xFF00FF) {
  RECT r{};
  GetWindowRect(wnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  auto* px = static_cast<uint32_t*>(bits);
  std::fill(px, px + size_t(w) * size_t(h), sentinel);
  SendMessageW(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
  GdiFlush();
  skin::TPixelBuffer out(skin::TPixelFormat::pf32bit, w, h);
  const skin::TPixelView32 v = skin::View32(out);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) v.Pixel(x, y) = px[size_t(y) * size_t(w) + size_t(x)] & 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return out;
}

// RGB of a COLORREF-ordered colour as a pixel (0x00RRGGBB).
constexpr uint32_t Px(fw::TColor c) {
  return ((uint32_t(c) & 0xFF) << 16) | (uint32_t(c) & 0xFF00) | ((uint32_t(c) >> 16) & 0xFF);
}

// A printed pixel as a colour (0x00BBGGRR).
inline fw::TColor ColorAt(const skin::TPixelBuffer& image, int x, int y) {
  const uint32_t p = skin::View32(const_cast<skin::TPixelBuffer&>(image)).Pixel(x, y);
  return fw::TColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

inline int CountPixels(const skin::TPixelView32& v, uint32_t px) {
  int n = 0;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) n += (v.Pixel(x, y) & 0xFFFFFF) == px;
  return n;
}

// The program's skins: 0 Topaz, 1 Sapphire.
inline std::unique_ptr<skin::TkLoadedSkin> ProgramSkin(int i) {
  return i == 0 ? skin::LoadProgramSkin("topaz.ksz", u"Topaz (internal)")
                : skin::LoadProgramSkin("sapphire.ksz", u"Sapphire (internal)");
}
inline const char* ProgramSkinName(int i) { return i == 0 ? "topaz" : "sapphire"; }

// Images side by side on white, enlarged by scale, written as a PNG beside
// the build.
inline void WriteRow(const std::vector<skin::TPixelBuffer>& images, const std::string& name, int scale = 2) {
  int w = 4, h = 0;
  for (const auto& i : images) {
    w += i.Width() * scale + 4;
    h = std::max(h, i.Height() * scale);
  }
  skin::TPixelBuffer sheet(skin::TPixelFormat::pf32bit, w, h + 8);
  skin::TPixelBuffer& s = sheet;
  const skin::TPixelView32 o = skin::View32(s);
  for (int y = 0; y < o.Height; ++y)
    for (int x = 0; x < o.Width; ++x) o.Pixel(x, y) = 0xFFFFFFFFu;
  int x0 = 4;
  for (const auto& i : images) {
    const skin::TPixelView32 v = skin::View32(const_cast<skin::TPixelBuffer&>(i));
    for (int y = 0; y < v.Height * scale; ++y)
      for (int x = 0; x < v.Width * scale; ++x) o.Pixel(x0 + x, 4 + y) = v.Pixel(x / scale, y / scale) | 0xFF000000u;
    x0 += i.Width() * scale + 4;
  }
  skin::WriteSheet(sheet, name);
}

inline constexpr fw::TColor kDropGlyph = 0x1080F0;
inline constexpr int kDropW = 7, kDropH = 4;

// The skin with the bottom scroll button's glyph, kDropW x kDropH of solid
// kDropGlyph (state s adds s to red).
inline std::unique_ptr<skin::TkLoadedSkin> WithDownArrowGlyph(std::unique_ptr<skin::TkLoadedSkin> s) {
  const int top = s->MasterBitmap.Height();
  skin::TPixelBuffer master(skin::TPixelFormat::pf32bit, std::max(s->MasterBitmap.Width(), 3 * kDropW), top + kDropH);
  const skin::TPixelView32 to = skin::View32(master), from = skin::View32(s->MasterBitmap);
  for (int y = 0; y < from.Height; ++y)
    for (int x = 0; x < from.Width; ++x) to.Pixel(x, y) = from.Pixel(x, y);
  for (int state = 0; state < 3; ++state)
    for (int y = 0; y < kDropH; ++y)
      for (int x = 0; x < kDropW; ++x)
        to.Pixel(state * kDropW + x, top + y) = skin::ColorToPixel(uint32_t(kDropGlyph) + uint32_t(state), 255);
  s->MasterBitmap = std::move(master);
  skin::TkMaskData m;
  m.ClassName = u"SCROLLBTNBOTTOM";
  m.PropertyName = u"GLYPHMASK";
  m.R = fw::Rect(0, top, 3 * kDropW, top + kDropH);
  m.ImageCount = 3;
  m.ImgType = skin::TkcImgType::itisaGlyph;
  s->ma.push_back(m);
  s->InitConstantIndexes();
  return s;
}

}  // namespace skintest
