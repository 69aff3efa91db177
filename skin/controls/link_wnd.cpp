#include "skin/controls/link_wnd.h"

#include <algorithm>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_image.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"

namespace skin {

fw::String LinkText(const fw::String& Caption) {
  fw::String s = Caption;
  for (const char16_t* tag : {u"<A>", u"</A>"}) {
    const fw::String t = tag;
    for (size_t at = s.find(t); at != fw::String::npos; at = s.find(t, at)) s.erase(at, t.size());
  }
  return s;
}

void TkcLinkWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned() || (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_STATICEDGE)) {
    TkcStaticWnd::kcWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_MOVE:
    case WM_SETTEXT:
      if (Message.Msg == WM_SETTEXT) TkcMainWnd::kcWndProc(Message);  // the text and Caption
      else CallPrev(Message);
      BGChanged = true;
      RedrawNow();
      return;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      BeginPaint(CtrlHandle, &ps);
      EndPaint(CtrlHandle, &ps);
      Message.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      if (IsWindowVisible(CtrlHandle)) {
        KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
      }
      break;
    case WM_NCPAINT: Message.Result = 0; return;
    default: break;
  }
  TkcStaticWnd::kcWndProc(Message);
}

bool TkcLinkWnd::PaintText() {
  fw::TCanvas& canvas = *S.Cache->Canvas();
  SelectControlFont(canvas, Control(), CtrlHandle);
  fw::TFontStyles style = canvas.Font()->Style();
  style.Include(fw::fsUnderline);
  canvas.Font()->SetStyle(style);
  canvas.Brush()->SetStyle(fw::bsClear);
  const TControlTextSource src = AdapterTextSource(*this, S.Cache.get());
  DrawControlText(canvas, LinkText(Caption), true, fw::Rect(0, 0, S.Geo.WndSize.x + 4, S.Geo.WndSize.y),
                  DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP, src, 0);
  return true;
}

TkcIconWnd::TkcIconWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params)
    : TkcStaticWnd(AHandle, std::move(ASkin), Params),
      IsBmp((GetWindowLongPtrW(AHandle, GWL_STYLE) & 3) != SS_ICON) {}

bool TkcIconWnd::PaintText() {
  fw::TBitmap& cache = *S.Cache;
  if (!IsBmp) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(CtrlHandle, STM_GETICON, 0, 0));
    if (!icon) return false;
    DrawIconEx(cache.Canvas()->Handle(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    return true;
  }
  auto bmp = reinterpret_cast<HBITMAP>(SendMessageW(CtrlHandle, STM_GETIMAGE, IMAGE_BITMAP, 0));
  if (bmp != FBmpSource) {
    // Copied, not wrapped: the static keeps using (and owns) its bitmap.
    FBmpSource = bmp;
    FBmp = TPixelBuffer();
    FBmpBits = 0;
    BITMAP b{};
    if (bmp && GetObjectW(bmp, sizeof(b), &b) && b.bmWidth > 0 && b.bmHeight > 0) {
      FBmp.SetSize(TPixelFormat::pf32bit, b.bmWidth, b.bmHeight);
      FBmpBits = b.bmBitsPixel;
      BITMAPINFO bi{};
      bi.bmiHeader = {sizeof(BITMAPINFOHEADER), b.bmWidth, -b.bmHeight, 1, 32, BI_RGB};
      std::vector<uint32_t> px(size_t(b.bmWidth) * size_t(b.bmHeight));
      HDC screen = GetDC(nullptr);
      GetDIBits(screen, bmp, 0, UINT(b.bmHeight), px.data(), &bi, DIB_RGB_COLORS);
      ReleaseDC(nullptr, screen);
      const TPixelView32 v = View32(FBmp);
      for (int y = 0; y < b.bmHeight; ++y)
        std::copy_n(px.begin() + ptrdiff_t(y) * b.bmWidth, b.bmWidth, v.Row(y));
    }
  }
  if (FBmp.Width() == 0) return false;
  const TPixelView32 dest = View32(cache);
  const TPixelView32 src = View32(FBmp);
  const int w = std::min(src.Width, dest.Width), h = std::min(src.Height, dest.Height);
  GdiFlush();
  bool alpha = FBmpBits == 32;
  if (alpha) {
    // A 32-bit image without any alpha is an opaque one.
    alpha = false;
    for (int y = 0; y < src.Height && !alpha; ++y)
      for (int x = 0; x < src.Width && !alpha; ++x) alpha = (src.Pixel(x, y) >> 24) != 0;
  }
  if (alpha) {
    TCacheInfo ci = MakeCacheInfo(dest, 0, 0);
    DrawAlphaImage(dest, fw::Rect(0, 0, w, h), src, fw::Rect(0, 0, w, h), ci, true, clSkinNone, 0, false);
  } else {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) dest.Pixel(x, y) = src.Pixel(x, y) | 0xFF000000u;
  }
  return true;
}

}  // namespace skin
