#include "services/ckdrawutils.h"

#include <cstdlib>

#include "fw/core/cursors.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/graphics/graphics.h"
#include "fw/graphics/imagelist.h"
#include "fw/system/application.h"
#include "fw/system/wndregistry.h"
#include "fw/system/screen.h"

namespace services {

using namespace fw;

int AbsRectWidth(const TRect& R) { return std::abs(R.Right - R.Left); }
int AbsRectHeight(const TRect& R) { return std::abs(R.Bottom - R.Top); }

bool PointInClosedRect(const TRect& R, const TPoint& P) {
  return P.x >= R.Left && P.x <= R.Right && P.y >= R.Top && P.y <= R.Bottom;
}

HDC NewScreenMemoryDC() { return CreateCompatibleDC(nullptr); }

bool BlitDC(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int SourceX, int SourceY, DWORD Rop) {
  return BitBlt(Dest, X, Y, Width, Height, Source, SourceX, SourceY, Rop) != 0;
}

COLORREF PaletteColor(TColor Color) { return static_cast<COLORREF>(ColorToRGB(Color)) | 0x02000000; }

namespace {

// A memory DC with its own bitmap selected; both go, in order, at the end.
struct MemoryBitmapDC {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  MemoryBitmapDC(HDC compatible, HBITMAP b) : dc(CreateCompatibleDC(compatible)), bitmap(b) {
    old = SelectObject(dc, bitmap);
  }
  ~MemoryBitmapDC() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  MemoryBitmapDC(const MemoryBitmapDC&) = delete;
  MemoryBitmapDC& operator=(const MemoryBitmapDC&) = delete;
};

}  // namespace

void StretchBlitKeyed(HDC DestDC, const TRect& Dest, HDC SourceDC, const TRect& Source, COLORREF KeyColor,
                      HPALETTE Palette) {
  const int dw = Dest.Width(), dh = Dest.Height(), sw = Source.Width(), sh = Source.Height();
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  MemoryBitmapDC mask(DestDC, CreateBitmap(sw, sh, 1, 1, nullptr));
  MemoryBitmapDC inverse(DestDC, CreateBitmap(sw, sh, 1, 1, nullptr));
  MemoryBitmapDC work(DestDC, CreateCompatibleBitmap(DestDC, dw, dh));
  MemoryBitmapDC copy(DestDC, CreateCompatibleBitmap(DestDC, sw, sh));
  HPALETTE oldPalettes[4] = {};
  HDC paletteDCs[4] = {DestDC, copy.dc, mask.dc, work.dc};
  if (Palette) {
    for (int i = 0; i < 4; ++i) {
      oldPalettes[i] = SelectPalette(paletteDCs[i], Palette, i == 0 || i == 3);
      RealizePalette(paletteDCs[i]);
    }
  }
  const int mapMode = GetMapMode(DestDC);
  SetMapMode(SourceDC, mapMode);
  SetMapMode(copy.dc, mapMode);
  BitBlt(copy.dc, 0, 0, sw, sh, SourceDC, Source.Left, Source.Top, SRCCOPY);
  // Pixels of the key colour become white in the mask, all others black.
  const COLORREF oldBack = SetBkColor(copy.dc, (KeyColor & 0xFFFFFF) | 0x02000000);
  BitBlt(mask.dc, 0, 0, sw, sh, copy.dc, 0, 0, SRCCOPY);
  SetBkColor(copy.dc, oldBack);
  BitBlt(inverse.dc, 0, 0, sw, sh, mask.dc, 0, 0, NOTSRCCOPY);
  BitBlt(work.dc, 0, 0, dw, dh, DestDC, Dest.Left, Dest.Top, SRCCOPY);
  // Monochrome sources take the DC's text (black) and background (white)
  // colours; they are fixed so the mask means what it says.
  const COLORREF oldWorkText = SetTextColor(work.dc, RGB(0, 0, 0));
  const COLORREF oldWorkBack = SetBkColor(work.dc, RGB(255, 255, 255));
  const COLORREF oldCopyText = SetTextColor(copy.dc, RGB(0, 0, 0));
  const COLORREF oldCopyBack = SetBkColor(copy.dc, RGB(255, 255, 255));
  SetStretchBltMode(work.dc, COLORONCOLOR);
  StretchBlt(work.dc, 0, 0, dw, dh, mask.dc, 0, 0, sw, sh, SRCAND);
  BitBlt(copy.dc, 0, 0, sw, sh, inverse.dc, 0, 0, SRCAND);
  StretchBlt(work.dc, 0, 0, dw, dh, copy.dc, 0, 0, sw, sh, SRCPAINT);
  BitBlt(DestDC, Dest.Left, Dest.Top, dw, dh, work.dc, 0, 0, SRCCOPY);
  SetTextColor(work.dc, oldWorkText);
  SetBkColor(work.dc, oldWorkBack);
  SetTextColor(copy.dc, oldCopyText);
  SetBkColor(copy.dc, oldCopyBack);
  if (Palette)
    for (int i = 0; i < 4; ++i) SelectPalette(paletteDCs[i], oldPalettes[i], TRUE);
}

void DrawImageListItemDisabled(TCustomImageList* Images, TCanvas* Canvas, int X, int Y, int Index,
                               TColor ShadowColor, TColor HighlightColor, bool DrawHighlight) {
  if (!Images || !Canvas || Index < 0 || Index >= Images->Count()) return;
  const int w = Images->Width(), h = Images->Height();
  HDC dc = Canvas->Handle();
  // The image's shape: black where it is drawn, white elsewhere, in a
  // device bitmap, whose bits take the text and background colours of the
  // DC they are copied to (a DIB's bits would keep their own colours).
  MemoryBitmapDC shape(dc, CreateBitmap(w, h, 1, 1, nullptr));
  PatBlt(shape.dc, 0, 0, w, h, WHITENESS);
  ImageList_Draw(Images->Handle(), Index, shape.dc, 0, 0, ILD_MASK);
  HDC shapeDC = shape.dc;
  // 0x00E20746 paints the brush where the source is set and keeps the
  // destination elsewhere; the monochrome shape's 0 bits (the image) take
  // the text colour white, its 1 bits the background black. The canvas's
  // own brush is left alone.
  auto paint = [&](TColor color, int x, int y) {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color)));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    const COLORREF oldText = SetTextColor(dc, RGB(255, 255, 255));
    const COLORREF oldBack = SetBkColor(dc, RGB(0, 0, 0));
    BitBlt(dc, x, y, w, h, shapeDC, 0, 0, 0x00E20746);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
  };
  if (DrawHighlight) paint(HighlightColor, X + 1, Y + 1);
  paint(ShadowColor, X, Y);
}

void ExtractBitmapCell(TGraphic* Source, TBitmap* Dest, int Columns, int Rows, int Index) {
  if (!Source || !Dest) return;
  if (Columns < 1) Columns = 1;
  if (Rows < 1) Rows = 1;
  if (Index < 0) Index = 0;
  const int w = Source->Width() / Columns, h = Source->Height() / Rows;
  Dest->SetSize(w, h);
  const int left = (Index % Columns) * w, top = (Index / Columns) * h;
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    Dest->Canvas()->CopyRect(Rect(0, 0, w, h), bitmap->Canvas(), Rect(left, top, left + w, top + h));
    Dest->SetTransparentColor(bitmap->TransparentColor());
  } else {
    Dest->Canvas()->Brush()->SetColor(clSilver);
    Dest->Canvas()->FillRect(Rect(0, 0, w, h));
    Dest->Canvas()->Draw(-left, -top, Source);
  }
  Dest->SetTransparent(Source->Transparent());
}

void ShowWindowUnanimated(HWND Window, int Command) {
  ANIMATIONINFO info{};
  info.cbSize = sizeof info;
  if (SystemParametersInfoW(SPI_GETANIMATION, sizeof info, &info, 0) && info.iMinAnimate != 0) {
    info.iMinAnimate = 0;
    SystemParametersInfoW(SPI_SETANIMATION, sizeof info, &info, 0);
    ShowWindow(Window, Command);
    info.iMinAnimate = 1;
    SystemParametersInfoW(SPI_SETANIMATION, sizeof info, &info, 0);
  } else {
    ShowWindow(Window, Command);
  }
}

HWND ApplicationWindow() { return Application ? Application->Handle() : nullptr; }

bool ApplicationMinimized() {
  const HWND window = ApplicationWindow();
  return window && IsIconic(window);
}

bool KeyIsDown(int VirtualKey) { return GetKeyState(VirtualKey) < 0; }

void DestroyHiddenWindow(HWND Window) { fw::DeallocateHWnd(Window); }

void LoadScreenCursors() {
  try {
    if (!fw::Screen) return;
    const HCURSOR multiDrag = fw::Screen->Cursors(crMultiDrag);
    const HCURSOR drag = fw::Screen->Cursors(crDrag);
    fw::Screen->SetCursors(crCkMultiDrag1, multiDrag);
    fw::Screen->SetCursors(crCkDrag, drag);
    fw::Screen->SetCursors(crCkMultiDrag2, multiDrag);
    fw::Screen->SetCursors(crCkMultiDrag3, multiDrag);
  } catch (...) {
    // Extra cursors are a nicety; a screen without them still works.
  }
}

}  // namespace services
