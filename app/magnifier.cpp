#include "app/magnifier.h"

#include <windows.h>

#include <algorithm>

#include "app/core/preview_geometry.h"
#include "app/image_form.h"
#include "controls/base/ckpanel.h"
#include "fw/core/mathutils.h"
#include "fw/core/sysutils.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/stdctrls/image.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/rangectrls.h"
#include "fw/stdctrls/shapes.h"
#include "fw/stdctrls/speedbutton.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "fw/system/timers.h"
#include "skin/controls/scrollbar.h"

namespace app {

using fw::String;
using fw::TObject;

namespace {

fw::TPoint CursorOnScreen() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

// Red is the colour's low byte.
String RgbText(fw::TColor c) {
  return u"RGB " + fw::IntToStr(c & 0xFF) + u"," + fw::IntToStr(c >> 8 & 0xFF) + u"," + fw::IntToStr(c >> 16 & 0xFF);
}

void StretchMemPix(TImageForm* F, fw::TPaintBox* Box, const fw::TRect& Area) {
  if (!Box || !F->MemPix) return;
  fw::TCanvas* c = Box->Canvas();
  StretchBlt(c->Handle(), Area.Left, Area.Top, Area.Width(), Area.Height(), F->MemPix->Canvas()->Handle(), 0, 0, 1, 1,
             SRCCOPY);
}

// A swatch: the picked colour over (0, 0, 41, 35), framed so that a colour
// like the page's own still shows where the swatch is.
void PaintSwatch(TImageForm* F, fw::TPaintBox* Box) {
  if (!Box) return;
  StretchMemPix(F, Box, fw::Rect(0, 0, 41, 35));
  Box->Canvas()->Brush()->SetColor(fw::clGray);
  Box->Canvas()->FrameRect(fw::Rect(0, 0, Box->Width(), Box->Height()));
}

void RepaintEditPanes(TImageForm* F) {
  if (F->Shape1) F->Shape1->Invalidate();
  if (F->Shape2) F->Shape2->Invalidate();
}

}  // namespace

fw::TColor TImageForm::PickScreenColor() {
  const fw::TPoint p = CursorOnScreen();
  const COLORREF c = ScreenDC ? GetPixel(ScreenDC->Get(), p.x, p.y) : CLR_INVALID;
  const fw::TColor color = c == CLR_INVALID ? 0 : static_cast<fw::TColor>(c);
  if (MemPix) MemPix->Canvas()->SetPixel(0, 0, color);
  return color;
}

// ---- Magnifier

void TImageForm::ShowMagnifier() {
  if (!pan1) return;
  // The cursor's screen point taken as a point of the window, kept inside it.
  const fw::TPoint p = CursorOnScreen();
  const int left = std::max(0, std::min(p.x, ClientWidth() - pan1->Width()));
  const int top = std::max(0, std::min(p.y, ClientHeight() - pan1->Height()));
  pan1->SetBounds(left, top, pan1->Width(), pan1->Height());
  if (!pan1->Visible()) {
    pan1->Show();
    pan1->BringToFront();
  }
  if (timerzoom) timerzoom->SetEnabled(true);
}

void TImageForm::HideMagnifier() {
  if (pan1 && pan1->Visible()) pan1->Hide();
  if (timerzoom) timerzoom->SetEnabled(false);
}

void TImageForm::Image1MouseMove(TObject* Sender, fw::TShiftState, int X, int Y) {
  auto* view = dynamic_cast<fw::TControl*>(Sender);
  if (!view) return;
  view->SetCursor(fw::crHandPoint);
  if (X < 1 || Y < 1 || X >= view->Width() - 1 || Y >= view->Height() - 1) {
    HideMagnifier();
    RepaintEditPanes(this);
    return;
  }
  if (pan1 && pan1->Visible()) {
    ShowMagnifier();
    RepaintEditPanes(this);
  }
}

void TImageForm::Shape1MouseMove(TObject*, fw::TShiftState, int, int) { HideMagnifier(); }

void TImageForm::Shape1MouseUp(TObject*, fw::TMouseButton, fw::TShiftState, int, int) { HideMagnifier(); }

void TImageForm::timerzoomTimer(TObject*) {
  if (!pan1 || !Image2 || !ScreenDC || IsIconic(Handle())) return;
  const fw::TPoint cursor = CursorOnScreen();
  const fw::TPoint panel = pan1->ClientToScreen(fw::TPoint{0, 0});
  if (cursor.x > panel.x + 5 && cursor.y > panel.y + 5 && cursor.x < panel.x + pan1->Width() &&
      cursor.y < panel.y + pan1->Height())
    return;
  const int z = MagnifierZoom(sbzoom ? sbzoom->Position() : 2);
  const int w = Image2->Width();
  const int h = Image2->Height();
  if (w <= 0 || h <= 0) return;
  const fw::TRect source = MagnifierSourceRect(cursor, z, w, h, fw::Screen->Width(), fw::Screen->Height());
  fw::TBitmap* view = Image2->Picture()->Bitmap();
  if (view->Width() != w || view->Height() != h) {
    view->SetPixelFormat(fw::pf24bit);
    view->SetSize(w, h);
  }
  fw::TCanvas* c = view->Canvas();
  SetStretchBltMode(c->Handle(), COLORONCOLOR);
  StretchBlt(c->Handle(), 0, 0, w, h, ScreenDC->Get(), source.Left, source.Top, source.Width(), source.Height(), SRCCOPY);
  const fw::TColor color = PickScreenColor();
  const fw::TColor pen = ContrastPenColor(color);
  if (pb) {
    pb->SetColor(color);
    pb->Font()->SetColor(pen);
    pb->Invalidate();
  }
  const fw::TPoint g = MagnifierCrosshair(cursor, source, z);
  c->Pen()->SetColor(pen);
  c->Pen()->SetWidth(1);
  c->MoveTo(g.x - w / 16, g.y);
  c->LineTo(g.x + w / 16, g.y);
  c->MoveTo(g.x, g.y - h / 16);
  c->LineTo(g.x, g.y + h / 16);
  Image2->Invalidate();
  if (fw::Application) fw::Application->ProcessMessages();
}

void TImageForm::pbPaint(TObject*) {
  if (!pb || !MemPix) return;
  StretchMemPix(this, pb, fw::Rect(0, 0, pb->Width(), pb->Height()));
  fw::TCanvas* c = pb->Canvas();
  c->Font()->SetColor(ContrastPenColor(MemPix->Canvas()->Pixel(0, 0)));
  c->Brush()->SetStyle(fw::bsClear);
  c->TextOut(pb->Width() / 3 - 10, 0, RgbText(MemPix->Canvas()->Pixel(0, 0)));
}

void TImageForm::sbzoomChange(TObject*) {
  if (lbzoom && sbzoom) lbzoom->SetCaption(u"X" + fw::IntToStr(sbzoom->Position()));
}

// ---- Colour pickers

void TImageForm::PickTmrTimer(TObject*) {
  const fw::TColor color = PickScreenColor();
  if (MagPnl) {
    MagPnl->SetColor(color);
    MagPnl->Invalidate();
  }
}

void TImageForm::picktmr2Timer(TObject*) {
  const fw::TColor color = PickScreenColor();
  if (Magpnl2) {
    Magpnl2->SetColor(color);
    Magpnl2->Invalidate();
  }
}

void TImageForm::MagPnlPaint(TObject*) { PaintSwatch(this, MagPnl); }

void TImageForm::MagPNl2Paint(TObject*) { PaintSwatch(this, Magpnl2); }

// ---- Zoom of the search page

void TImageForm::TrackBar1Change(TObject*) {
  if (!TrackBar1) return;
  const int percent = TrackBar1->Position();
  TrackBar1->SetHint(fw::IntToStr(percent) + u"%");
  if (PercentItem) {
    PercentItem->SetCaption(fw::IntToStr(percent) + u"%");
    PercentItem->Invalidate();
  }
  fw::TGraphic* g = imgcompare ? imgcompare->Picture()->Graphic() : nullptr;
  if (!g || g->Empty()) return;
  const fw::TPoint size = ZoomedSize(g->Width(), g->Height(), percent);
  imgcompare->SetBounds(imgcompare->Left(), imgcompare->Top(), size.x, size.y);
}

void TImageForm::PercentItemClick(TObject*) {
  if (TrackBar1) TrackBar1->SetPosition(100);
  if (PercentItem) PercentItem->SetCaption(u"100%");
  fw::TGraphic* g = imgcompare ? imgcompare->Picture()->Graphic() : nullptr;
  if (!g || g->Empty()) return;
  imgcompare->SetBounds(imgcompare->Left(), imgcompare->Top(), g->Width(), g->Height());
}

void DescribeMagnifier(fw::TClassBuilder<TImageForm>& c) {
  using F = TImageForm;
  c.Field(u"pan1", &F::pan1);
  c.Field(u"Image2", &F::Image2);
  c.Field(u"pb", &F::pb);
  c.Field(u"sbzoom", &F::sbzoom);
  c.Field(u"lbzoom", &F::lbzoom);
  c.Field(u"MagPnl", &F::MagPnl);
  c.Field(u"TrackBar1", &F::TrackBar1);
  c.Field(u"PercentItem", &F::PercentItem);
  c.Method(u"Image1MouseMove", &F::Image1MouseMove);
  c.Method(u"Shape1MouseMove", &F::Shape1MouseMove);
  c.Method(u"Shape1MouseUp", &F::Shape1MouseUp);
  c.Method(u"pbPaint", &F::pbPaint);
  c.Method(u"sbzoomChange", &F::sbzoomChange);
  c.Method(u"MagPnlPaint", &F::MagPnlPaint);
  c.Method(u"MagPNl2Paint", &F::MagPNl2Paint);
  c.Method(u"TrackBar1Change", &F::TrackBar1Change);
  c.Method(u"PercentItemClick", &F::PercentItemClick);
}

}  // namespace app
