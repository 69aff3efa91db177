#include "fw/stdctrls/panel.h"

#include "fw/core/rtti.h"

namespace fw {

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csReplicatable};
  FWidth = 185;
  FHeight = 41;
  FColor = clBtnFace;
  FParentColor = false;
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::Changed() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  if (FBevelInner == Value) return;
  FBevelInner = Value;
  Changed();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  if (FBevelOuter == Value) return;
  FBevelOuter = Value;
  Changed();
}

void TCustomPanel::SetBevelWidth(int Value) {
  if (Value < 1) Value = 1;
  if (FBevelWidth == Value) return;
  FBevelWidth = Value;
  Changed();
}

void TCustomPanel::SetBorderWidth(int Value) {
  if (Value < 0) Value = 0;
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

int TCustomPanel::BevelSize() const {
  int size = FBorderWidth;
  if (FBevelOuter != bvNone) size += FBevelWidth;
  if (FBevelInner != bvNone) size += FBevelWidth;
  return size;
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  int size = BevelSize();
  Rect.Left += size;
  Rect.Top += size;
  Rect.Right -= size;
  Rect.Bottom -= size;
}

void TCustomPanel::BevelColors(TBevelCut Cut, TColor& TopColor, TColor& BottomColor) {
  TopColor = clBtnHighlight;
  BottomColor = clBtnShadow;
  if (Cut == bvLowered) std::swap(TopColor, BottomColor);
}

void TCustomPanel::Paint() {
  static constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  TColor top, bottom;
  if (FBevelOuter != bvNone) {
    BevelColors(FBevelOuter, top, bottom);
    if (FBevelOuter == bvSpace) top = bottom = Color();
    Frame3D(canvas, r, top, bottom, FBevelWidth);
  }
  Frame3D(canvas, r, Color(), Color(), FBorderWidth);
  if (FBevelInner != bvNone) {
    BevelColors(FBevelInner, top, bottom);
    if (FBevelInner == bvSpace) top = bottom = Color();
    Frame3D(canvas, r, top, bottom, FBevelWidth);
  }
  canvas->Brush()->SetColor(Color());
  canvas->Brush()->SetStyle(bsSolid);
  canvas->FillRect(r);
  String caption = Caption();
  if (caption.empty()) return;
  canvas->Brush()->SetStyle(bsClear);
  canvas->SetFont(Font());
  int h = canvas->TextHeight(u"W");
  r.Top = (r.Bottom + r.Top - h) / 2;
  r.Bottom = r.Top + h;
  CanvasDrawText(canvas, caption, r, DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | kAlignments[FAlignment]);
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

FW_REGISTER(TCustomPanel) {}

FW_REGISTER(TPanel) {
  c.Property(u"Alignment", &TPanel::Alignment, &TPanel::SetAlignment).Default(taCenter);
  c.Property(u"BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone);
  c.Property(u"BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
  c.Property(u"BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1);
  c.Property(u"BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth).Default(0);
  c.Property(u"BorderStyle", &TPanel::BorderStyle, &TPanel::SetBorderStyle).Type(TypeInfoTBorderStyle()).Default(bsNone);
  c.Property(u"FullRepaint", &TPanel::FullRepaint, &TPanel::SetFullRepaint).Default(true);
}

}  // namespace fw
