#include "capture/screen_grab.h"

#include <algorithm>
#include <vector>

#include "capture/pixel_format_fix.h"
#include "fw/system/screen.h"

namespace capture {

using fw::TBitmap;
using fw::TPoint;
using fw::TRect;

int ChooseMonitor(int MonitorNum) {
  const int count = fw::Screen->MonitorCount();
  if (MonitorNum >= 0 && MonitorNum <= count - 1) return MonitorNum;
  fw::TMonitor* nearest = fw::Screen->MonitorFromPoint(fw::Mouse->CursorPos());
  return nearest ? nearest->MonitorNum() : 0;
}

TRect MonitorBounds(int Index) {
  if (Index < 0 || Index >= fw::Screen->MonitorCount()) return PrimaryScreenBounds();
  return fw::Screen->Monitors(Index)->BoundsRect();
}

TRect PrimaryScreenBounds() { return fw::Bounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)); }

TRect VirtualDesktopBounds() {
  return fw::Bounds(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

void GiveSystemPalette(TBitmap* Bitmap, HDC ScreenDC) {
  if ((GetDeviceCaps(ScreenDC, RASTERCAPS) & RC_PALETTE) == 0) return;
  std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
  auto* pal = reinterpret_cast<LOGPALETTE*>(buffer.data());
  pal->palVersion = 0x300;
  pal->palNumEntries = 256;
  if (GetSystemPaletteEntries(ScreenDC, 0, 256, pal->palPalEntry) == 0) return;
  if (HPALETTE h = CreatePalette(pal)) Bitmap->SetPalette(h);
}

void CopyScreenArea(TBitmap* Bitmap, const TRect& Area, fw::TPixelFormat Format) {
  Bitmap->FreeImage();
  Bitmap->SetPixelFormat(Format);
  Bitmap->SetSize(std::max(0, Area.Width()), std::max(0, Area.Height()));
  if (Bitmap->Empty()) return;
  fw::TWindowDC screen(nullptr);
  GiveSystemPalette(Bitmap, screen.Get());
  BitBlt(Bitmap->Canvas()->Handle(), 0, 0, Area.Width(), Area.Height(), screen.Get(), Area.Left, Area.Top,
         CaptureRasterOp());
}

void CopyBitmapArea(TBitmap* Dest, TBitmap* Source, const TRect& Area, fw::TPixelFormat Format) {
  Dest->FreeImage();
  Dest->SetPixelFormat(Format);
  Dest->SetSize(std::max(0, Area.Width()), std::max(0, Area.Height()));
  if (Dest->Empty()) return;
  HDC dc = Dest->Canvas()->Handle();
  RECT all{0, 0, Area.Width(), Area.Height()};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  // Only the part that lies on the source is copied.
  const int left = std::max(Area.Left, 0), top = std::max(Area.Top, 0);
  const int right = std::min(Area.Right, Source->Width()), bottom = std::min(Area.Bottom, Source->Height());
  if (right <= left || bottom <= top) return;
  BitBlt(dc, left - Area.Left, top - Area.Top, right - left, bottom - top, Source->Canvas()->Handle(), left, top,
         SRCCOPY);
}

TRect ForegroundWindowRect() {
  RECT r{};
  HWND fg = GetForegroundWindow();
  if (!fg || !GetWindowRect(fg, &r)) return TRect{};
  return fw::Rect(r.left, r.top, r.right, r.bottom);
}

// The cursor of the window under the mouse: the cursor is part of a
// thread's input state, so the input of the window's thread is attached for
// the time of reading it.
HCURSOR CurrentCursor() {
  const TPoint at = fw::Mouse->CursorPos();
  HWND under = WindowFromPoint(POINT{at.x, at.y});
  const DWORD self = GetCurrentThreadId();
  const DWORD other = under ? GetWindowThreadProcessId(under, nullptr) : 0;
  const bool attached = other && other != self && AttachThreadInput(self, other, TRUE);
  HCURSOR cursor = GetCursor();
  if (attached) AttachThreadInput(self, other, FALSE);
  return cursor;
}

void DrawMouseCursor(TBitmap* Bitmap, const TPoint& HotSpot, int Size, bool OnlyInside) {
  if (Bitmap->Empty()) return;
  if (OnlyInside && !(HotSpot.x > 0 && HotSpot.x < Bitmap->Width() - 16 && HotSpot.y > 0 &&
                      HotSpot.y < Bitmap->Height() - 16))
    return;
  HCURSOR cursor = CurrentCursor();
  if (!cursor) return;
  ICONINFO ii{};
  if (!GetIconInfo(cursor, &ii)) return;
  fw::TBitmapHandle mask(ii.hbmMask), color(ii.hbmColor);
  int hx = static_cast<int>(ii.xHotspot), hy = static_cast<int>(ii.yHotspot);
  DrawIconEx(Bitmap->Canvas()->Handle(), HotSpot.x - hx, HotSpot.y - hy, cursor, Size, Size, 0, nullptr, DI_NORMAL);
}

HCURSOR LoadCaptureCursor(const wchar_t* Name) {
  if (HCURSOR h = LoadCursorW(GetModuleHandleW(nullptr), Name)) return h;
  return LoadCursorW(nullptr, IDC_CROSS);
}

}  // namespace capture
