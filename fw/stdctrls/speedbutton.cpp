#include "fw/stdctrls/speedbutton.h"

#include <algorithm>

#include "fw/core/rtti.h"

namespace fw {

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(new TBitmap()) {
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  FWidth = 23;
  FHeight = 22;
  FParentFont = true;
  FGlyph->OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
}

TSpeedButton::~TSpeedButton() {
  FGlyph->OnChange.Clear();
  delete FGlyph;
}

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TSpeedButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  if (Value) {
    FState = bsExclusive;
  } else {
    FState = bsUp;
  }
  Invalidate();
  if (Value) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, 4);
  if (FNumGlyphs == Value) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  if (Value < -1) Value = -1;
  if (FMargin == Value) return;
  FMargin = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  if (Value) FControlStyle.Exclude(csOpaque);
  else FControlStyle.Include(csOpaque);
  Invalidate();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !FParent) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  FParent->Broadcast(m);
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_BUTTONPRESSED: {
      auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
      if (static_cast<int>(Message.WParam) == FGroupIndex && sender != this) {
        if (sender->FDown && FDown) {
          FDown = false;
          FState = bsUp;
          Invalidate();
        }
        FAllowAllUp = sender->FAllowAllUp;
      }
      return;
    }
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && Enabled() && Visible() && FParent &&
          FParent->Showing()) {
        Click();
        Message.Result = 1;
      }
      return;
    case CM_TEXTCHANGED:
      TGraphicControl::Dispatch(Message);
      Invalidate();
      return;
    default:
      TGraphicControl::Dispatch(Message);
  }
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
  TGraphicControl::CMEnabledChanged(Message);
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  TButtonState state = FDown ? bsExclusive : bsUp;
  if (X >= 0 && X < Width() && Y >= 0 && Y <= Height()) state = FDown ? bsExclusive : bsDown;
  if (state != FState) {
    FState = state;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  bool doClick = X >= 0 && X < Width() && Y >= 0 && Y <= Height();
  if (FGroupIndex == 0) {
    FState = bsUp;
    Invalidate();
  } else if (doClick) {
    SetDown(!FDown);
    if (FDown) FState = bsExclusive;
    else FState = bsUp;
    Invalidate();
  } else {
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  }
  if (doClick) Click();
}

void TSpeedButton::DoMouseEnter() {
  TGraphicControl::DoMouseEnter();
  FMouseIn = true;
  if (FFlat && Enabled()) Invalidate();
}

void TSpeedButton::DoMouseLeave() {
  TGraphicControl::DoMouseLeave();
  FMouseIn = false;
  if (FFlat && Enabled()) Invalidate();
}

void TSpeedButton::Paint() {
  TCanvas* canvas = Canvas();
  if (!Enabled()) {
    FState = bsDisabled;
    FDragging = false;
  } else if (FState == bsDisabled) {
    FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
  }
  bool pressed = FState == bsDown || FState == bsExclusive;
  RECT r{0, 0, Width(), Height()};
  HDC dc = canvas->Handle();
  if (!FFlat) {
    UINT flags = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (pressed) flags |= DFCS_PUSHED;
    if (!Enabled()) flags |= DFCS_INACTIVE;
    DrawFrameControl(dc, &r, DFC_BUTTON, flags);
    if (FState == bsExclusive) {
      // Held down: a lighter face, as the system draws a checked button.
      canvas->Brush()->SetStyle(bsSolid);
      canvas->Brush()->SetColor(clBtnHighlight);
      canvas->FillRect(TRect{r.left, r.top, r.right, r.bottom});
    }
  } else {
    if (!FTransparent || pressed) {
      canvas->Brush()->SetStyle(bsSolid);
      canvas->Brush()->SetColor(FState == bsExclusive ? clBtnHighlight : Color());
      canvas->FillRect(TRect{0, 0, Width(), Height()});
    }
    if (pressed || (FMouseIn && Enabled())) DrawEdge(dc, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    InflateRect(&r, -1, -1);
  }
  DrawGlyphAndCaption(canvas, TRect{r.left, r.top, r.right, r.bottom}, pressed ? 1 : 0);
}

void TSpeedButton::DrawGlyphAndCaption(TCanvas* Canvas, TRect Rect, int Offset) {
  int glyphW = 0, glyphH = 0;
  if (!FGlyph->Empty()) {
    glyphW = FGlyph->Width() / FNumGlyphs;
    glyphH = FGlyph->Height();
  }
  String caption = Caption();
  Canvas->SetFont(Font());
  Canvas->Brush()->SetStyle(bsClear);
  TRect text{0, 0, Rect.Width(), 0};
  if (!caption.empty()) CanvasDrawText(Canvas, caption, text, DT_CALCRECT | DT_SINGLELINE);
  int textW = caption.empty() ? 0 : text.Width(), textH = caption.empty() ? 0 : text.Height();
  bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  int spacing = (glyphW > 0 && textW > 0) ? FSpacing : 0;
  int total = horizontal ? glyphW + spacing + textW : glyphH + spacing + textH;
  int extent = horizontal ? Rect.Width() : Rect.Height();
  int margin = FMargin < 0 ? (extent - total) / 2 : FMargin;
  TPoint glyphPos, textPos;
  int cx = Rect.Left + Offset, cy = Rect.Top + Offset;
  switch (FLayout) {
    case blGlyphLeft:
      glyphPos = {cx + margin, cy + (Rect.Height() - glyphH) / 2};
      textPos = {glyphPos.x + glyphW + spacing, cy + (Rect.Height() - textH) / 2};
      break;
    case blGlyphRight:
      textPos = {cx + margin, cy + (Rect.Height() - textH) / 2};
      glyphPos = {textPos.x + textW + spacing, cy + (Rect.Height() - glyphH) / 2};
      break;
    case blGlyphTop:
      glyphPos = {cx + (Rect.Width() - glyphW) / 2, cy + margin};
      textPos = {cx + (Rect.Width() - textW) / 2, glyphPos.y + glyphH + spacing};
      break;
    case blGlyphBottom:
      textPos = {cx + (Rect.Width() - textW) / 2, cy + margin};
      glyphPos = {cx + (Rect.Width() - glyphW) / 2, textPos.y + textH + spacing};
      break;
  }
  if (glyphW > 0) {
    static constexpr int kImage[] = {0, 1, 2, 3};
    int image = kImage[FState];
    if (image >= FNumGlyphs) image = 0;
    // The glyph's bottom-left colour is its background.
    TColor transparent = FGlyph->Canvas()->Pixel(0, glyphH - 1);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FState == bsExclusive ? clBtnHighlight : Color());
    Canvas->BrushCopy(Bounds(glyphPos.x, glyphPos.y, glyphW, glyphH), FGlyph,
                      Bounds(image * glyphW, 0, glyphW, glyphH), transparent);
  }
  if (textW > 0) {
    Canvas->Brush()->SetStyle(bsClear);
    TRect r = Bounds(textPos.x, textPos.y, textW, textH);
    if (!Enabled()) {
      TRect shadow{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
      Canvas->Font()->SetColor(clBtnHighlight);
      CanvasDrawText(Canvas, caption, shadow, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
      Canvas->Font()->SetColor(clBtnShadow);
    }
    CanvasDrawText(Canvas, caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
}

FW_REGISTER(TSpeedButton) {
  c.Property(u"AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
  c.Property(u"GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
  c.Property(u"Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
  c.Property(u"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
  c.Property(u"Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
  c.Property(u"Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
  c.Property(u"Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1);
  c.Property(u"NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
  c.Property(u"Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4);
  c.Property(u"Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent).Default(true);
}

}  // namespace fw
