#include "fw/stdctrls/label.h"

#include "fw/core/rtti.h"

namespace fw {

namespace {

constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

// The caption as DrawTextW sees it: an empty text (or a lone "&") still
// measures one line high.
void DrawCaption(TCanvas* canvas, TFont* font, const String& caption, bool enabled, bool showAccel, TRect& r,
                 UINT flags) {
  String text = caption;
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccel && text == u"&"))) text += u' ';
  if (!showAccel) flags |= DT_NOPREFIX;
  canvas->SetFont(font);
  if (!enabled && !(flags & DT_CALCRECT)) {
    TRect shifted{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
    canvas->Font()->SetColor(clBtnHighlight);
    CanvasDrawText(canvas, text, shifted, flags);
    canvas->Font()->SetColor(clBtnShadow);
  }
  CanvasDrawText(canvas, text, r, flags);
}

}  // namespace

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csOpaque);
  FControlStyle.Include(csReplicatable);
  FWidth = 65;
  FHeight = 17;
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Transparent() == Value) return;
  if (Value) FControlStyle.Exclude(csOpaque);
  else FControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGCHAR) {
    if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<WORD>(Message.WParam), Caption()) &&
        FFocusControl->CanFocus()) {
      FFocusControl->SetFocus();
      Message.Result = 1;
    }
    return;
  }
  TGraphicControl::Dispatch(Message);
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  DrawCaption(Canvas(), Font(), Caption(), Enabled(), FShowAccelChar, Rect, Flags);
}

void TCustomLabel::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  if (!Transparent()) {
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
  }
  canvas->Brush()->SetStyle(bsClear);
  UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | kAlignments[FAlignment];
  if (FLayout != tlTop) {
    TRect calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    int offset = r.Height() - calc.Height();
    if (FLayout == tlCenter) offset /= 2;
    r.Top += offset;
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (ComponentState().Contains(csLoading) || !FAutoSize) return;
  HDC dc = GetDC(nullptr);
  TRect r = ClientRect();
  {
    TCanvas measure;
    measure.SetHandle(dc);
    DrawCaption(&measure, Font(), Caption(), true, FShowAccelChar, r,
                DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    measure.SetHandle(nullptr);
  }
  ReleaseDC(nullptr, dc);
  int x = Left();
  if (FAlignment == taRightJustify) x += Width() - r.Right;
  else if (FAlignment == taCenter) x += (Width() - r.Right) / 2;
  SetBounds(x, Top(), r.Right, r.Bottom);
}

void TCustomLabel::CMTextChanged(TMessage& Message) {
  TGraphicControl::CMTextChanged(Message);
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  TGraphicControl::CMFontChanged(Message);
  AdjustBounds();
}

FW_REGISTER(TCustomLabel) {}

FW_REGISTER(TLabel) {
  c.Property(u"Alignment", &TLabel::Alignment, &TLabel::SetAlignment).Default(taLeftJustify);
  c.Property(u"AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
  c.Property(u"FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
  c.Property(u"Layout", &TLabel::Layout, &TLabel::SetLayout).Default(tlTop);
  c.Property(u"ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
  c.Property(u"Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
  c.Property(u"WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
}

}  // namespace fw
