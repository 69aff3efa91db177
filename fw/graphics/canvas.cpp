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

TCanvas::TCanvas() : font_(new TFont), pen_(new TPen), brush_(new TBrush) {
  font_->OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
  pen_->OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
  brush_->OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
}

void TCanvas::FontChanged(TObject*) {
  if (state_ & csFontValid) {
    if (handle_ && oldFont_) SelectObject(handle_, oldFont_);
    oldFont_ = nullptr;
    state_ &= ~csFontValid;
  }
}

void TCanvas::PenChanged(TObject*) {
  if (state_ & csPenValid) {
    if (handle_ && oldPen_) SelectObject(handle_, oldPen_);
    oldPen_ = nullptr;
    state_ &= ~csPenValid;
  }
}

void TCanvas::BrushChanged(TObject*) {
  if (state_ & csBrushValid) {
    if (handle_ && oldBrush_) SelectObject(handle_, oldBrush_);
    oldBrush_ = nullptr;
    state_ &= ~csBrushValid;
  }
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
  RequiredState(csHandleValid);
  return handle_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == handle_) return;
  if (handle_) {
    DeselectHandles();
    state_ &= ~csHandleValid;
  }
  handle_ = dc;
  if (handle_) state_ |= csHandleValid;
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::DeselectHandles() {
  if (handle_) {
    if (oldFont_) SelectObject(handle_, oldFont_);
    if (oldPen_) SelectObject(handle_, oldPen_);
    if (oldBrush_) SelectObject(handle_, oldBrush_);
  }
  oldFont_ = oldPen_ = oldBrush_ = nullptr;
  state_ &= ~(csFontValid | csPenValid | csBrushValid);
}

void TCanvas::RequiredState(unsigned req) {
  unsigned need = req & ~state_;
  if (!need) return;
  if (need & csHandleValid) {
    CreateHandle();
    if (!handle_) throw EInvalidOperation(u"Canvas does not allow drawing");
    state_ |= csHandleValid;
  }
  if (need & csFontValid) SelectFont();
  if (need & csPenValid) SelectPen();
  if (need & csBrushValid) SelectBrush();
}

void TCanvas::SelectFont() {
  HGDIOBJ old = SelectObject(handle_, font_->Handle());
  if (!oldFont_) oldFont_ = old;
  SetTextColor(handle_, ColorToRGB(font_->Color()));
  state_ |= csFontValid;
}

void TCanvas::SelectPen() {
  HGDIOBJ old = SelectObject(handle_, pen_->Handle());
  if (!oldPen_) oldPen_ = old;
  SetROP2(handle_, kRop2[pen_->Mode()]);
  state_ |= csPenValid;
}

void TCanvas::SelectBrush() {
  HBRUSH b = brush_->Handle();
  UnrealizeObject(b);
  HGDIOBJ old = SelectObject(handle_, b);
  if (!oldBrush_) oldBrush_ = old;
  if (brush_->Style() == bsSolid) {
    SetBkColor(handle_, ColorToRGB(brush_->Color()));
    SetBkMode(handle_, OPAQUE);
  } else {
    // Hatches vanish when the background colour equals the brush colour;
    // the background is transparent anyway.
    SetBkColor(handle_, ~ColorToRGB(brush_->Color()) & 0xFFFFFF);
    SetBkMode(handle_, TRANSPARENT);
  }
  state_ |= csBrushValid;
}

void TCanvas::Changing() { OnChanging(this); }

void TCanvas::Changed() { OnChange(this); }

void TCanvas::FillRect(const TRect& r) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  RECT rc = ToRect(r);
  ::FillRect(handle_, &rc, brush_->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  RECT rc = ToRect(r);
  ::FrameRect(handle_, &rc, brush_->Handle());
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Rectangle(handle_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::RoundRect(handle_, x1, y1, x2, y2, x3, y3);
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Ellipse(handle_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::DrawPoints(const std::vector<TPoint>& points, BOOL(WINAPI* draw)(HDC, const POINT*, int)) {
  if (points.empty()) return;
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  std::vector<POINT> p = ToPoints(points);
  draw(handle_, p.data(), static_cast<int>(p.size()));
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) { DrawPoints(points, ::Polygon); }

void TCanvas::Polyline(const std::vector<TPoint>& points) { DrawPoints(points, ::Polyline); }

void TCanvas::MoveTo(int x, int y) {
  RequiredState(csHandleValid);
  MoveToEx(handle_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::LineTo(handle_, x, y);
  Changed();
}

TPoint TCanvas::PenPos() {
  RequiredState(csHandleValid);
  POINT p{};
  GetCurrentPositionEx(handle_, &p);
  return TPoint{p.x, p.y};
}

void TCanvas::TextOut(int x, int y, const String& text) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  ExtTextOutW(handle_, x, y, 0, nullptr, W(text), static_cast<UINT>(text.size()), nullptr);
  SIZE sz{};
  GetTextExtentPoint32W(handle_, W(text), static_cast<int>(text.size()), &sz);
  MoveToEx(handle_, x + sz.cx, y, nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  UINT options = ETO_CLIPPED;
  if (brush_->Style() != bsClear) options |= ETO_OPAQUE;
  RECT rc = ToRect(r);
  ExtTextOutW(handle_, x, y, options, &rc, W(text), static_cast<UINT>(text.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const String& text) {
  RequiredState(csHandleValid | csFontValid);
  SIZE sz{};
  GetTextExtentPoint32W(handle_, W(text), static_cast<int>(text.size()), &sz);
  return sz;
}

void TCanvas::DrawFocusRect(const TRect& r) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  RECT rc = ToRect(r);
  ::DrawFocusRect(handle_, &rc);
  Changed();
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  ExtFloodFill(handle_, x, y, ColorToRGB(color), style == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
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
  StretchBlt(handle_, dest.Left, dest.Top, dest.Width(), dest.Height(), src, source.Left, source.Top,
             source.Width(), source.Height(), copyMode_);
  Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
  if (!bitmap || bitmap->Empty()) return;
  const int w = dest.Width(), h = dest.Height();
  if (w <= 0 || h <= 0) return;
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  // The source part, at the destination's size.
  TMemoryDC workDC(handle_);
  TBitmapHandle work(CreateCompatibleBitmap(handle_, w, h));
  TSelectObject selWork(workDC.Get(), work.Get());
  HDC src = bitmap->Canvas()->Handle();
  SetStretchBltMode(workDC.Get(), COLORONCOLOR);
  StretchBlt(workDC.Get(), 0, 0, w, h, src, source.Left, source.Top, source.Width(), source.Height(), SRCCOPY);
  // Mask: white where the work image has the colour.
  TMemoryDC maskDC(handle_);
  TBitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
  TSelectObject selMask(maskDC.Get(), mask.Get());
  SetBkColor(workDC.Get(), ColorToRGB(color));
  BitBlt(maskDC.Get(), 0, 0, w, h, workDC.Get(), 0, 0, SRCCOPY);
  BitBlt(handle_, dest.Left, dest.Top, w, h, workDC.Get(), 0, 0, SRCCOPY);
  // Brush where the mask is white, destination elsewhere (ROP DSPDxax).
  COLORREF oldText = SetTextColor(handle_, RGB(0, 0, 0));
  COLORREF oldBk = SetBkColor(handle_, RGB(255, 255, 255));
  BitBlt(handle_, dest.Left, dest.Top, w, h, maskDC.Get(), 0, 0, 0x00E20746);
  SetTextColor(handle_, oldText);
  SetBkColor(handle_, oldBk);
  Changed();
}

TColor TCanvas::Pixel(int x, int y) {
  RequiredState(csHandleValid);
  return static_cast<TColor>(GetPixel(handle_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  Changing();
  RequiredState(csHandleValid | csPenValid);
  ::SetPixel(handle_, x, y, ColorToRGB(color));
  Changed();
}

TRect TCanvas::ClipRect() {
  RequiredState(csHandleValid);
  RECT rc{};
  GetClipBox(handle_, &rc);
  return Rect(rc.left, rc.top, rc.right, rc.bottom);
}

void TCanvas::Lock() {
  lock_.lock();
  ++lockCount_;
}

bool TCanvas::TryLock() {
  if (!lock_.try_lock()) return false;
  ++lockCount_;
  return true;
}

void TCanvas::Unlock() {
  --lockCount_;
  lock_.unlock();
}

}  // namespace fw
