// The canvas: drawing calls over a device context with lazily selected tools.
#include <algorithm>

#include "fw/core/rtti.h"
#include "fw/graphics/graphics.h"

namespace fw {

namespace {
constexpr int kRop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,       R2_COPYPEN,    R2_NOTCOPYPEN,
                         R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,   R2_NOTMERGEPEN,
                         R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};

std::vector<POINT> ToPoints(const std::vector<TPoint>& points) {
  std::vector<POINT> out(points.size());
  for (size_t i = 0; i < points.size(); ++i) out[i] = POINT{points[i].x, points[i].y};
  return out;
}

RECT ToRect(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
}  // namespace

FW_REGISTER(TCanvas) {
  c.Property(u"Brush", &TCanvas::Brush, &TCanvas::SetBrush);
  c.Property(u"Font", &TCanvas::Font, &TCanvas::SetFont);
  c.Property(u"Pen", &TCanvas::Pen, &TCanvas::SetPen);
}

TCanvas::TCanvas() : FFont(new TFont), FPen(new TPen), FBrush(new TBrush) {
  FFont->OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
  FPen->OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
  FBrush->OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
}

void TCanvas::FontChanged(TObject*) {
  if (FState & csFontValid) {
    if (FHandle && FOldFont) SelectObject(FHandle, FOldFont);
    FOldFont = nullptr;
    FState &= ~csFontValid;
  }
}

void TCanvas::PenChanged(TObject*) {
  if (FState & csPenValid) {
    if (FHandle && FOldPen) SelectObject(FHandle, FOldPen);
    FOldPen = nullptr;
    FState &= ~csPenValid;
  }
}

void TCanvas::BrushChanged(TObject*) {
  if (FState & csBrushValid) {
    if (FHandle && FOldBrush) SelectObject(FHandle, FOldBrush);
    FOldBrush = nullptr;
    FState &= ~csBrushValid;
  }
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
  RequiredState(csHandleValid);
  return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == FHandle) return;
  if (FHandle) {
    DeselectHandles();
    FState &= ~csHandleValid;
  }
  FHandle = dc;
  if (FHandle) FState |= csHandleValid;
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::DeselectHandles() {
  if (FHandle) {
    if (FOldFont) SelectObject(FHandle, FOldFont);
    if (FOldPen) SelectObject(FHandle, FOldPen);
    if (FOldBrush) SelectObject(FHandle, FOldBrush);
  }
  FOldFont = FOldPen = FOldBrush = nullptr;
  FState &= ~(csFontValid | csPenValid | csBrushValid);
}

void TCanvas::RequiredState(unsigned req) {
  unsigned need = req & ~FState;
  if (!need) return;
  if (need & csHandleValid) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation(u"Canvas does not allow drawing");
    FState |= csHandleValid;
  }
  if (need & csFontValid) SelectFont();
  if (need & csPenValid) SelectPen();
  if (need & csBrushValid) SelectBrush();
}

void TCanvas::SelectFont() {
  HGDIOBJ old = SelectObject(FHandle, FFont->Handle());
  if (!FOldFont) FOldFont = old;
  SetTextColor(FHandle, ColorToRGB(FFont->Color()));
  FState |= csFontValid;
}

void TCanvas::SelectPen() {
  HGDIOBJ old = SelectObject(FHandle, FPen->Handle());
  if (!FOldPen) FOldPen = old;
  SetROP2(FHandle, kRop2[FPen->Mode()]);
  FState |= csPenValid;
}

void TCanvas::SelectBrush() {
  HBRUSH b = FBrush->Handle();
  UnrealizeObject(b);
  HGDIOBJ old = SelectObject(FHandle, b);
  if (!FOldBrush) FOldBrush = old;
  if (FBrush->Style() == bsSolid) {
    SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
    SetBkMode(FHandle, OPAQUE);
  } else {
    // Hatches vanish when the background colour equals the brush colour;
    // the background is transparent anyway.
    SetBkColor(FHandle, ~ColorToRGB(FBrush->Color()) & 0xFFFFFF);
    SetBkMode(FHandle, TRANSPARENT);
  }
  FState |= csBrushValid;
}

void TCanvas::Changing() { OnChanging(this); }

void TCanvas::Changed() { OnChange(this); }

void TCanvas::FillRect(const TRect& r) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  RECT rc = ToRect(r);
  ::FillRect(FHandle, &rc, FBrush->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  RECT rc = ToRect(r);
  ::FrameRect(FHandle, &rc, FBrush->Handle());
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Rectangle(FHandle, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::RoundRect(FHandle, x1, y1, x2, y2, x3, y3);
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Ellipse(FHandle, x1, y1, x2, y2);
  Changed();
}

void TCanvas::DrawPoints(const std::vector<TPoint>& points, BOOL(WINAPI* draw)(HDC, const POINT*, int)) {
  if (points.empty()) return;
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  std::vector<POINT> p = ToPoints(points);
  draw(FHandle, p.data(), static_cast<int>(p.size()));
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) { DrawPoints(points, ::Polygon); }

void TCanvas::Polyline(const std::vector<TPoint>& points) { DrawPoints(points, ::Polyline); }

void TCanvas::MoveTo(int x, int y) {
  RequiredState(csHandleValid);
  MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::LineTo(FHandle, x, y);
  Changed();
}

TPoint TCanvas::PenPos() {
  RequiredState(csHandleValid);
  POINT p{};
  GetCurrentPositionEx(FHandle, &p);
  return TPoint{p.x, p.y};
}

void TCanvas::TextOut(int x, int y, const String& text) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  ExtTextOutW(FHandle, x, y, 0, nullptr, W(text), static_cast<UINT>(text.size()), nullptr);
  SIZE sz{};
  GetTextExtentPoint32W(FHandle, W(text), static_cast<int>(text.size()), &sz);
  MoveToEx(FHandle, x + sz.cx, y, nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  UINT options = ETO_CLIPPED;
  if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
  RECT rc = ToRect(r);
  ExtTextOutW(FHandle, x, y, options, &rc, W(text), static_cast<UINT>(text.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const String& text) {
  RequiredState(csHandleValid | csFontValid);
  SIZE sz{};
  GetTextExtentPoint32W(FHandle, W(text), static_cast<int>(text.size()), &sz);
  return sz;
}

void TCanvas::DrawFocusRect(const TRect& r) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  RECT rc = ToRect(r);
  ::DrawFocusRect(FHandle, &rc);
  Changed();
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  ExtFloodFill(FHandle, x, y, ColorToRGB(color), style == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
  Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  RequiredState(csHandleValid);
  graphic->Draw(this, Rect(x, y, x + graphic->Width(), y + graphic->Height()));
  Changed();
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  RequiredState(csHandleValid);
  graphic->Draw(this, r);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  HDC src = canvas->Handle();
  canvas->RequiredState(csHandleValid | csBrushValid);
  StretchBlt(FHandle, dest.Left, dest.Top, dest.Width(), dest.Height(), src, source.Left, source.Top,
             source.Width(), source.Height(), FCopyMode);
  Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
  if (!bitmap || bitmap->Empty()) return;
  const int w = dest.Width(), h = dest.Height();
  if (w <= 0 || h <= 0) return;
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  // The source part, at the destination's size.
  TMemoryDC workDC(FHandle);
  TBitmapHandle work(CreateCompatibleBitmap(FHandle, w, h));
  TSelectObject selWork(workDC.Get(), work.Get());
  HDC src = bitmap->Canvas()->Handle();
  SetStretchBltMode(workDC.Get(), COLORONCOLOR);
  StretchBlt(workDC.Get(), 0, 0, w, h, src, source.Left, source.Top, source.Width(), source.Height(), SRCCOPY);
  // Mask: white where the work image has the colour.
  TMemoryDC maskDC(FHandle);
  TBitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
  TSelectObject selMask(maskDC.Get(), mask.Get());
  SetBkColor(workDC.Get(), ColorToRGB(color));
  BitBlt(maskDC.Get(), 0, 0, w, h, workDC.Get(), 0, 0, SRCCOPY);
  BitBlt(FHandle, dest.Left, dest.Top, w, h, workDC.Get(), 0, 0, SRCCOPY);
  // Brush where the mask is white, destination elsewhere (ROP DSPDxax).
  COLORREF oldText = SetTextColor(FHandle, RGB(0, 0, 0));
  COLORREF oldBk = SetBkColor(FHandle, RGB(255, 255, 255));
  BitBlt(FHandle, dest.Left, dest.Top, w, h, maskDC.Get(), 0, 0, 0x00E20746);
  SetTextColor(FHandle, oldText);
  SetBkColor(FHandle, oldBk);
  Changed();
}

TColor TCanvas::Pixel(int x, int y) {
  RequiredState(csHandleValid);
  return static_cast<TColor>(GetPixel(FHandle, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  Changing();
  RequiredState(csHandleValid | csPenValid);
  ::SetPixel(FHandle, x, y, ColorToRGB(color));
  Changed();
}

TRect TCanvas::ClipRect() {
  RequiredState(csHandleValid);
  RECT rc{};
  GetClipBox(FHandle, &rc);
  return Rect(rc.left, rc.top, rc.right, rc.bottom);
}

void TCanvas::Lock() {
  FLock.lock();
  ++FLockCount;
}

bool TCanvas::TryLock() {
  if (!FLock.try_lock()) return false;
  ++FLockCount;
  return true;
}

void TCanvas::Unlock() {
  --FLockCount;
  FLock.unlock();
}

}  // namespace fw
