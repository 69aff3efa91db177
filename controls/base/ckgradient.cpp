#include "controls/base/ckgradient.h"

#include <algorithm>

#include "fw/controls/forms.h"
#include "fw/core/mathutils.h"
#include "fw/core/rtti.h"

namespace ck {

using namespace fw;

namespace {

struct Rgb {
  int R, G, B;
};

Rgb ToRgb(TColor c) {
  TColor v = ColorToRGB(c);
  return {v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF};
}

TColor FromRgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

int RoundInt(double x) { return static_cast<int>(Round(x)); }

bool IsMouseOrKeyMessage(UINT msg) {
  return (msg >= WM_MOUSEFIRST && msg < 0x020F) || (msg >= WM_KEYFIRST && msg <= 0x0109);
}

// Hands a mouse or key message of a child to its parent's dispatch, with
// mouse coordinates moved into the parent's client area.
void PassToParent(TControl* child, TMessage& Message) {
  TWinControl* parent = child->Parent();
  if (!parent) return;
  TMessage m = Message;
  if (m.Msg >= WM_MOUSEFIRST && m.Msg < 0x020F && m.Msg != WM_MOUSEWHEEL && m.Msg != WM_MOUSEHWHEEL)
    m.LParam = PointToLParam(m.XPos() + child->Left(), m.YPos() + child->Top());
  parent->Dispatch(m);
  Message.Result = m.Result;
}

}  // namespace

// ---- TCkGradient

TCkGradient::TCkGradient(TComponent* AOwner) : TCkExGraphicControl(AOwner), FBuffer(new TBitmap()) {
  FControlStyle.Include(csOpaque);
  FBuffer->SetPixelFormat(pf24bit);
  FAlign = alClient;
}

TCkGradient::~TCkGradient() { delete FBuffer; }

void TCkGradient::ForceRedraw() {
  FBufferWidth = 0;
  Invalidate();
}

void TCkGradient::SetStyle(TCkGradientStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  ForceRedraw();
}

void TCkGradient::SetStartColor(TColor Value) {
  if (FStartColor == Value) return;
  FStartColor = Value;
  ForceRedraw();
}

void TCkGradient::SetEndColor(TColor Value) {
  if (FEndColor == Value) return;
  FEndColor = Value;
  ForceRedraw();
}

void TCkGradient::SetSteps(uint16_t Value) {
  if (FSteps == Value) return;
  FSteps = Value;
  ForceRedraw();
}

void TCkGradient::SetLoadedLeft(int Value) {
  FLoadedLeft = Value;
  SetLeft(Value);
}

void TCkGradient::SetLoadedTop(int Value) {
  FLoadedTop = Value;
  SetTop(Value);
}

void TCkGradient::SetLoadedWidth(int Value) {
  FLoadedWidth = Value;
  SetWidth(Value);
}

void TCkGradient::SetLoadedHeight(int Value) {
  FLoadedHeight = Value;
  SetHeight(Value);
}

void TCkGradient::Loaded() {
  TCkExGraphicControl::Loaded();
  TAlign a = Align();
  if (a == alTop || a == alBottom || a == alLeft || a == alRight) return;
  auto loaded = [](int value, int current) { return value == INT_MIN ? current : value; };
  bool client = a == alClient;
  SetBounds(loaded(FLoadedLeft, Left()), loaded(FLoadedTop, Top()),
            client ? Width() : loaded(FLoadedWidth, Width()), client ? Height() : loaded(FLoadedHeight, Height()));
}

void TCkGradient::DrawBuffer() {
  int w = Width(), h = Height();
  FBuffer->SetSize(w, h);
  TCanvas* c = FBuffer->Canvas();
  Rgb s = ToRgb(FStartColor), e = ToRgb(FEndColor);
  int n = std::max<int>(1, FSteps);
  auto stepColor = [&](int i, int steps) {
    double dr = static_cast<double>(e.R - s.R) / steps;
    double dg = static_cast<double>(e.G - s.G) / steps;
    double db = static_cast<double>(e.B - s.B) / steps;
    return FromRgb(RoundInt(s.R + dr * i), RoundInt(s.G + dg * i), RoundInt(s.B + db * i));
  };
  TColor start = FromRgb(s.R, s.G, s.B);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetMode(pmCopy);
  c->Brush()->SetStyle(bsSolid);
  auto fillAll = [&](TColor color) {
    c->Brush()->SetColor(color);
    c->FillRect(Rect(0, 0, w, h));
  };

  switch (FStyle) {
    case grFilled:
      fillAll(start);
      break;
    case grHorizontal:
    case grVertical: {
      bool horizontal = FStyle == grHorizontal;
      int extent = horizontal ? w : h;
      n = std::min(n, extent);
      for (int i = 0; i <= n; ++i) {
        c->Brush()->SetColor(stepColor(i, n));
        int a = RoundInt(static_cast<double>(i) * extent / n);
        int b = RoundInt(static_cast<double>(i + 1) * extent / n);
        c->FillRect(horizontal ? Rect(a, 0, b, h) : Rect(0, a, w, b));
      }
      break;
    }
    case grEllipse:
    case grPyramid:
    case grMount: {
      n = std::min({n, w / 2, h / 2});
      fillAll(start);
      // A control less than two pixels wide or high has no room for a
      // step: the start colour alone fills it.
      if (n < 1) break;
      for (int i = 0; i <= n; ++i) {
        TColor color = stepColor(i, n);
        c->Brush()->SetColor(color);
        c->Pen()->SetColor(color);
        int x = RoundInt(static_cast<double>(i) * w / n / 2);
        int y = RoundInt(static_cast<double>(i) * h / n / 2);
        if (FStyle == grEllipse) c->Ellipse(x, y, w - x, h - y);
        else if (FStyle == grPyramid) c->FillRect(Rect(x, y, w - x, h - y));
        else c->RoundRect(x, y, w - x, h - y, (w - 2 * x) / 2, (h - 2 * y) / 2);
      }
      break;
    }
  }
  FBufferWidth = w;
  FBufferHeight = h;
}

void TCkGradient::Paint() {
  if (ComponentState().Contains(csDestroying)) return;
  if (Width() != FBufferWidth || Height() != FBufferHeight) {
    // Nothing to draw at no size; the buffer size stays unrecorded so that
    // the first real size redraws.
    if (Width() == 0 || Height() == 0) {
      FBufferWidth = 0;
      return;
    }
    DrawBuffer();
    OnPaint(this, FBuffer->Canvas());
  }
  if (FBufferWidth == 0) return;
  Canvas()->Draw(0, 0, FBuffer);
}

void TNoEventGradient::WndProc(TMessage& Message) {
  if (IsMouseOrKeyMessage(Message.Msg)) {
    PassToParent(this, Message);
    return;
  }
  TCkGradient::WndProc(Message);
}

// ---- TNoEventLabel

void TNoEventLabel::WndProc(TMessage& Message) {
  if (IsMouseOrKeyMessage(Message.Msg)) {
    PassToParent(this, Message);
    return;
  }
  TLabel::WndProc(Message);
}

// ---- TCkGradientHeaderPanel

TCkGradientHeaderPanel::TCkGradientHeaderPanel(TComponent* AOwner) : TCkExCustomControl(AOwner) {
  FControlStyle.Include(csAcceptsControls);
  FControlStyle.Include(csOpaque);
  FWidth = 285;
  FHeight = 30;
  FGradient = new TNoEventGradient(this);
  FGradient->SetParent(this);
  FGradient->SetBounds(0, 0, FWidth, FHeight);
  FGradient->SetStartColor(clBlack);
  FGradient->SetEndColor(clWhite);
  FGradient->SetSteps(100);
  FLabel = new TNoEventLabel(this);
  FLabel->SetParent(this);
  FLabel->SetAutoSize(false);
  FLabel->SetTop(8);
  FLabel->SetTransparent(true);
  FLabel->SetParentFont(false);
  FLabel->Font()->SetColor(clWhite);
  FOldLabelFontChange = FLabel->Font()->OnChange;
  FLabel->Font()->OnChange = TNotifyEvent(this, &TCkGradientHeaderPanel::LabelFontChanged);
  FLabel->SetCaption(u"Put your text here ...");
  FLabel->SetLeft(FLabelLeft);
  AdjustLabelWidth();
}

// The label and the gradient are children: they go with the panel.
TCkGradientHeaderPanel::~TCkGradientHeaderPanel() = default;

void TCkGradientHeaderPanel::LabelFontChanged(TObject* Sender) {
  FOldLabelFontChange(Sender);
  if (!ComponentState().Contains(csDestroying)) AdjustLabelWidth();
}

void TCkGradientHeaderPanel::AdjustLabelWidth() {
  int left = FLabel->Left();
  FLabel->SetAutoSize(true);
  FLabel->SetAutoSize(false);
  FLabel->SetLeft(left);
  int room = FGradient->Width() - 2 * FLabelLeft;
  if (FLabel->Width() < room) {
    FLabel->SetBounds(FLabelLeft, FLabel->Top(), room, FLabel->Height());
  } else {
    FLabel->SetLeft((Width() - FLabel->Width()) / 2);
  }
}

void TCkGradientHeaderPanel::Resize() {
  TCkExCustomControl::Resize();
  AdjustLabelWidth();
}

void TCkGradientHeaderPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCkExCustomControl::MouseDown(Button, Shift, X, Y);
  if (CanFocus() && GetParentForm(this) && GetParentForm(this)->Visible()) SetFocus();
}

TCursor TCkGradientHeaderPanel::GradientCursor() const { return FGradient->Cursor(); }
void TCkGradientHeaderPanel::SetGradientCursor(TCursor Value) { FGradient->SetCursor(Value); }
String TCkGradientHeaderPanel::GradientHint() const { return FGradient->Hint(); }
void TCkGradientHeaderPanel::SetGradientHint(const String& Value) { FGradient->SetHint(Value); }
TColor TCkGradientHeaderPanel::GradientStartColor() const { return FGradient->StartColor(); }
void TCkGradientHeaderPanel::SetGradientStartColor(TColor Value) { FGradient->SetStartColor(Value); }
TColor TCkGradientHeaderPanel::GradientEndColor() const { return FGradient->EndColor(); }
void TCkGradientHeaderPanel::SetGradientEndColor(TColor Value) { FGradient->SetEndColor(Value); }
uint16_t TCkGradientHeaderPanel::GradientSteps() const { return FGradient->Steps(); }
void TCkGradientHeaderPanel::SetGradientSteps(uint16_t Value) { FGradient->SetSteps(Value); }
TCkGradientStyle TCkGradientHeaderPanel::GradientStyle() const { return FGradient->Style(); }
void TCkGradientHeaderPanel::SetGradientStyle(TCkGradientStyle Value) { FGradient->SetStyle(Value); }

void TCkGradientHeaderPanel::SetLabelLeft(int Value) {
  if (Value < 0) Value = 0;
  if (Value == FLabel->Left() && Value == FLabelLeft) return;
  FLabelLeft = Value;
  FLabel->SetLeft(Value);
  AdjustLabelWidth();
}

int TCkGradientHeaderPanel::LabelTop() const { return FLabel->Top(); }
void TCkGradientHeaderPanel::SetLabelTop(int Value) {
  FLabel->SetTop(std::max(0, Value));
  AdjustLabelWidth();
}
TCursor TCkGradientHeaderPanel::LabelCursor() const { return FLabel->Cursor(); }
void TCkGradientHeaderPanel::SetLabelCursor(TCursor Value) { FLabel->SetCursor(Value); }
String TCkGradientHeaderPanel::LabelHint() const { return FLabel->Hint(); }
void TCkGradientHeaderPanel::SetLabelHint(const String& Value) { FLabel->SetHint(Value); }
String TCkGradientHeaderPanel::LabelCaption() const { return FLabel->Caption(); }
void TCkGradientHeaderPanel::SetLabelCaption(const String& Value) {
  FLabel->SetCaption(Value);
  AdjustLabelWidth();
}
TColor TCkGradientHeaderPanel::LabelColor() const { return FLabel->Transparent() ? clNone : FLabel->Color(); }
void TCkGradientHeaderPanel::SetLabelColor(TColor Value) {
  FLabel->SetTransparent(Value == clNone);
  if (Value != clNone) FLabel->SetColor(Value);
}
TFont* TCkGradientHeaderPanel::LabelFont() const { return FLabel->Font(); }
void TCkGradientHeaderPanel::SetLabelFont(TFont* Value) {
  FLabel->SetFont(Value);
  AdjustLabelWidth();
}
TAlignment TCkGradientHeaderPanel::LabelAlignment() const { return FLabel->Alignment(); }
void TCkGradientHeaderPanel::SetLabelAlignment(TAlignment Value) {
  FLabel->SetAlignment(Value);
  AdjustLabelWidth();
}

void TCkGradientHeaderPanel::SetPanelShowHint(bool Value) {
  FHint = Value;
  FGradient->SetShowHint(Value);
  FLabel->SetShowHint(Value);
  SetShowHint(Value);
}

// ---- Run-time type information

FW_REGISTER(TCkGradient) {
  using G = TCkGradient;
  c.Property(u"Align", &G::Align, &G::SetAlign).Default(alClient);
  c.Property(u"Left", &G::Left, &G::SetLoadedLeft);
  c.Property(u"Top", &G::Top, &G::SetLoadedTop);
  c.Property(u"Width", &G::Width, &G::SetLoadedWidth);
  c.Property(u"Height", &G::Height, &G::SetLoadedHeight);
  c.Property(u"Style", &G::Style, &G::SetStyle).Default(grHorizontal);
  c.Property(u"StartColor", &G::StartColor, &G::SetStartColor).Type(TypeInfoTColor()).Default(clBlue);
  c.Property(u"EndColor", &G::EndColor, &G::SetEndColor).Type(TypeInfoTColor()).Default(clBlack);
  c.Property(u"Steps", &G::Steps, &G::SetSteps).Default(100);
  c.Event(u"OnPaint", &G::OnPaint);
}

FW_REGISTER(TNoEventGradient) {}

FW_REGISTER(TNoEventLabel) {}

FW_REGISTER(TCkGradientHeaderPanel) {
  using H = TCkGradientHeaderPanel;
  c.Property(u"GradientCursor", &H::GradientCursor, &H::SetGradientCursor).Type(TypeInfoTCursor()).Default(crDefault);
  c.Property(u"GradientHint", &H::GradientHint, &H::SetGradientHint);
  c.Property(u"GradientStartColor", &H::GradientStartColor, &H::SetGradientStartColor)
      .Type(TypeInfoTColor())
      .Default(clBlack);
  c.Property(u"GradientEndColor", &H::GradientEndColor, &H::SetGradientEndColor)
      .Type(TypeInfoTColor())
      .Default(clWhite);
  c.Property(u"GradientSteps", &H::GradientSteps, &H::SetGradientSteps).Default(100);
  c.Property(u"GradientStyle", &H::GradientStyle, &H::SetGradientStyle).Default(grHorizontal);
  c.Property(u"LabelLeft", &H::LabelLeft, &H::SetLabelLeft).Default(10);
  c.Property(u"LabelTop", &H::LabelTop, &H::SetLabelTop).Default(8);
  c.Property(u"LabelCursor", &H::LabelCursor, &H::SetLabelCursor).Type(TypeInfoTCursor()).Default(crDefault);
  c.Property(u"LabelHint", &H::LabelHint, &H::SetLabelHint);
  c.Property(u"LabelCaption", &H::LabelCaption, &H::SetLabelCaption);
  c.Property(u"LabelColor", &H::LabelColor, &H::SetLabelColor).Type(TypeInfoTColor()).Default(clNone);
  c.Property(u"LabelFont", &H::LabelFont, &H::SetLabelFont);
  c.Property(u"LabelAlignment", &H::LabelAlignment, &H::SetLabelAlignment).Default(taLeftJustify);
  c.Property(u"ShowHint", &H::PanelShowHint, &H::SetPanelShowHint).Default(false);
  c.Property(u"Align", &H::Align, &H::SetAlign).Default(alNone);
  c.Property(u"BevelInner", &H::BevelInner, &H::SetBevelInner).Default(bvNone);
  c.Property(u"BevelOuter", &H::BevelOuter, &H::SetBevelOuter).Default(bvRaised);
  c.Property(u"BevelKind", &H::BevelKind, &H::SetBevelKind).Default(bkNone);
  c.Property(u"BevelWidth", &H::BevelWidth, &H::SetBevelWidth).Default(1);
}

}  // namespace ck
