#include "fw/stdctrls/shapes.h"

#include <algorithm>

#include "fw/core/rtti.h"

namespace fw {

// ---- TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csReplicatable);
  FWidth = 50;
  FHeight = 50;
}

void TBevel::SetShape(TBevelShape Value) {
  if (FShape == Value) return;
  FShape = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* canvas = Canvas();
  TColor color1 = clBtnShadow, color2 = clBtnHighlight;
  if (FStyle == bsRaised) std::swap(color1, color2);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetStyle(psSolid);
  auto rect = [&](int l, int t, int r, int b) {
    canvas->Pen()->SetColor(color1);
    canvas->Polyline({{l, b}, {l, t}, {r, t}});
    canvas->Pen()->SetColor(color2);
    canvas->Polyline({{r, t}, {r, b}, {l, b}});
  };
  auto line = [&](TColor c, int x1, int y1, int x2, int y2) {
    canvas->Pen()->SetColor(c);
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
  };
  int w = Width(), h = Height();
  switch (FShape) {
    case bsBox: rect(0, 0, w - 1, h - 1); break;
    case bsFrame: {
      TColor c1 = color1, c2 = color2;
      color1 = c2;
      rect(1, 1, w - 1, h - 1);
      color1 = c1;
      color2 = c1;
      rect(0, 0, w - 2, h - 2);
      color2 = c2;
      break;
    }
    case bsTopLine:
      line(color1, 0, 0, w, 0);
      line(color2, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(color1, 0, h - 2, w, h - 2);
      line(color2, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(color1, 0, 0, 0, h);
      line(color2, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(color1, w - 2, 0, w - 2, h);
      line(color2, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}

// ---- TShape

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner), FPen(new TPen()), FBrush(new TBrush()) {
  FControlStyle.Include(csReplicatable);
  FWidth = 65;
  FHeight = 65;
  FPen->OnChange = TNotifyEvent(this, &TShape::StyleChanged);
  FBrush->OnChange = TNotifyEvent(this, &TShape::StyleChanged);
}

TShape::~TShape() {
  delete FPen;
  delete FBrush;
}

void TShape::StyleChanged(TObject*) { Invalidate(); }

void TShape::SetShape(TShapeType Value) {
  if (FShape == Value) return;
  FShape = Value;
  Invalidate();
}

void TShape::Paint() {
  TCanvas* canvas = Canvas();
  canvas->SetPen(FPen);
  canvas->SetBrush(FBrush);
  int penWidth = FPen->Width();
  int x = penWidth / 2, y = x;
  int w = Width() - penWidth + 1, h = Height() - penWidth + 1;
  if (penWidth == 0) {
    --w;
    --h;
  }
  int s = std::min(w, h);
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = h = s;
  }
  switch (FShape) {
    case stRectangle:
    case stSquare: canvas->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: canvas->RoundRect(x, y, x + w, y + h, s / 4, s / 4); break;
    case stEllipse:
    case stCircle: canvas->Ellipse(x, y, x + w, y + h); break;
  }
}

// ---- TPaintBox

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csReplicatable);
  FWidth = 105;
  FHeight = 105;
}

void TPaintBox::Paint() {
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  canvas->Brush()->SetColor(Color());
  OnPaint(this);
}

FW_REGISTER(TBevel) {
  c.Property(u"Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
  c.Property(u"Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
}

FW_REGISTER(TShape) {
  c.Property(u"Brush", &TShape::Brush, &TShape::SetBrush);
  c.Property(u"Pen", &TShape::Pen, &TShape::SetPen);
  c.Property(u"Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
}

FW_REGISTER(TPaintBox) {
  c.Event(u"OnPaint", &TPaintBox::OnPaint);
}

}  // namespace fw
