#include "controls/base/ckwizardcommon.h"

#include <memory>

namespace ck {

using namespace fw;

namespace {

struct EdgeColors {
  TColor Outer;
  TColor Inner;
};

// Outer and inner colour of each edge kind.
constexpr EdgeColors kEdgeColors[] = {
    {clNone, clNone},                 // 0: nothing
    {clWindow, clBtnFace},            // 1: nothing drawn
    {clWindowFrame, clWindowFrame},   // 2: one line per side
    {clBtnShadow, clBtnHighlight},    // 3: etched
    {clBtnHighlight, clBtnShadow},    // 4
    {clBtnShadow, clBtnHighlight},    // 5
    {clBlack, clBtnFace},             // 6
};

void Line(TCanvas* c, int x1, int y1, int x2, int y2) {
  c->MoveTo(x1, y1);
  c->LineTo(x2, y2);
}

TRect Shrink(const TRect& r, unsigned sides, int by) {
  TRect out = r;
  if (sides & WizardEdgeLeft) out.Left += by;
  if (sides & WizardEdgeTop) out.Top += by;
  if (sides & WizardEdgeRight) out.Right -= by;
  if (sides & WizardEdgeBottom) out.Bottom -= by;
  return out;
}

}  // namespace

void WizardPaintEdgeLines(TCanvas* ACanvas, const TRect& ARect, TColor OuterColor, TColor InnerColor,
                          unsigned Sides, TRect& Result) {
  TPen* pen = ACanvas->Pen();
  pen->SetStyle(psSolid);
  pen->SetMode(pmCopy);
  pen->SetWidth(1);
  const TRect& r = ARect;
  if (Sides & (WizardEdgeLeft | WizardEdgeTop)) {
    pen->SetColor(OuterColor);
    if (Sides & WizardEdgeLeft) Line(ACanvas, r.Left, r.Top, r.Left, r.Bottom);
    if (Sides & WizardEdgeTop) Line(ACanvas, r.Left, r.Top, r.Right, r.Top);
  }
  if (Sides & (WizardEdgeRight | WizardEdgeBottom)) {
    pen->SetColor(InnerColor);
    if (Sides & WizardEdgeRight) Line(ACanvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
    if (Sides & WizardEdgeBottom) Line(ACanvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
  }
  Result = Shrink(ARect, Sides, 1);
}

void WizardPaintEdge(TCanvas* ACanvas, const TRect& ARect, TCkWizardEdgeKind Kind, unsigned Sides, TRect& Result) {
  if (Kind < 2 || Kind > 6) {
    Result = ARect;
    return;
  }
  const EdgeColors& colors = kEdgeColors[Kind];
  TRect ignored;
  if (Kind == 2) {
    WizardPaintEdgeLines(ACanvas, ARect, colors.Outer, colors.Inner, Sides, Result);
    return;
  }
  TRect inner = Rect(ARect.Left + 1, ARect.Top + 1, ARect.Right, ARect.Bottom);
  WizardPaintEdgeLines(ACanvas, inner, colors.Inner, colors.Inner, Sides, ignored);
  TRect outer = Rect(ARect.Left, ARect.Top, ARect.Right - 1, ARect.Bottom - 1);
  WizardPaintEdgeLines(ACanvas, outer, colors.Outer, colors.Outer, Sides, ignored);
  Result = Shrink(ARect, Sides, 2);
}

void WizardPaintGraphic(TCanvas* ACanvas, TGraphic* AGraphic, TRect ARect, TCkWizardImageAlignment Alignment,
                        TCkWizardImageLayout Layout) {
  if (!AGraphic) return;
  if (Layout == ilTile) {
    WizardPaintTiled(ACanvas, AGraphic, ARect);
    return;
  }
  int w = ARect.Width(), h = ARect.Height();
  int gw = AGraphic->Width(), gh = AGraphic->Height();
  int dx = 0, dy = 0;
  if ((Alignment == iaRight || Alignment == iaCenter) && gw < w) {
    dx = w - gw;
    if (Alignment == iaCenter) {
      dx /= 2;
      ARect.Right -= dx;
    }
  }
  if ((Layout == ilBottom || Layout == ilCenter) && gh < h) {
    dy = h - gh;
    if (Layout == ilCenter) {
      dy /= 2;
      ARect.Bottom -= dy;
    }
  }
  if (Layout == ilTop && gh < h) ARect.Bottom = ARect.Top + gh;
  if (Alignment == iaLeft && gw < w) ARect.Right = ARect.Left + gw;
  ARect.Left += dx;
  ARect.Top += dy;
  if (Alignment == iaStretch || Layout == ilStretch) ACanvas->StretchDraw(ARect, AGraphic);
  else ACanvas->Draw(ARect.Left, ARect.Top, AGraphic);
}

void WizardPaintTiled(TCanvas* ACanvas, TGraphic* AGraphic, const TRect& ARect) {
  int gw = AGraphic->Width(), gh = AGraphic->Height();
  if (gw <= 0 || gh <= 0) throw ECkWizardError(u"Tiling only works on images with dimensions > 0");
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetSize(std::max(0, ARect.Width()), std::max(0, ARect.Height()));
  TCanvas* bc = bmp->Canvas();
  bc->Brush()->SetColor(ACanvas->Brush()->Color());
  bc->Brush()->SetStyle(bsSolid);
  bc->FillRect(Rect(0, 0, bmp->Width(), bmp->Height()));
  for (int x = 0; x <= bmp->Width(); x += gw)
    for (int y = 0; y <= bmp->Height(); y += gh) bc->Draw(x, y, AGraphic);
  TCopyMode old = ACanvas->CopyMode();
  ACanvas->SetCopyMode(cmSrcCopy);
  ACanvas->Draw(ARect.Left, ARect.Top, bmp.get());
  ACanvas->SetCopyMode(old);
}

}  // namespace ck
