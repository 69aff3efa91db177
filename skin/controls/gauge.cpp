#include "skin/controls/gauge.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "fw/core/exceptions.h"
#include "fw/core/mathutils.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/graphics/graphics.h"

namespace skin {

using fw::TRect;

int GaugeAnimCycle = 2222;

namespace {

constexpr unsigned kAnimInterval = 22;

// A new bitmap of the size, made black (copy mode BLACKNESS over its own
// rectangle): what the plain painting draws into and inverts over.
std::unique_ptr<fw::TBitmap> BlackBitmap(int Width, int Height, fw::TColor FillFirst = fw::clNone) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf32bit);
  b->SetSize(Width, Height);
  if (FillFirst != fw::clNone) {
    b->Canvas()->Brush()->SetColor(FillFirst);
    b->Canvas()->FillRect(TRect(0, 0, Width, Height));
  }
  PatBlt(b->Canvas()->Handle(), 0, 0, Width, Height, BLACKNESS);
  return b;
}

void SetPenAndBrush(fw::TCanvas* C, fw::TColor Pen, fw::TColor Brush) {
  C->Pen()->SetColor(Pen);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(fw::psSolid);
  C->Brush()->SetColor(Brush);
  C->Brush()->SetStyle(fw::bsSolid);
}

int RoundToInt(double V) { return static_cast<int>(fw::Round(V)); }

}  // namespace

int PercentOf(int Value, int Total) {
  if (Total == 0) return 0;
  return RoundToInt(100.0 / Total * Value);
}

int ShareOfPercent(int Percent, int Total) { return RoundToInt(Percent * 0.01 * Total); }

int AnimStep(int Length) { return std::max(15, RoundToInt(Length / (GaugeAnimCycle / 44.0))); }

TkGauge::TkGauge(fw::TComponent* AOwner) : fw::TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() + fw::TControlStyle{fw::csOpaque});
  SetBounds(Left(), Top(), 120, 30);
  FLongTime = GaugeAnimCycle + 1;
  Timer = new fw::TTimer(this);
  Timer->SetEnabled(false);
  Timer->SetInterval(kAnimInterval);
  Timer->SetOnTimer(fw::TNotifyEvent(this, &TkGauge::AnimTimerTick));
}

TkGauge::~TkGauge() = default;

void TkGauge::Loaded() {
  fw::TGraphicControl::Loaded();
  if (!ComponentState().Contains(fw::csDesigning) && FAnimated && !Timer->Enabled()) Timer->SetEnabled(true);
}

// ---- Properties

void TkGauge::SetKind(TkGaugeKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  Refresh();
}

void TkGauge::SetCalcPercents(bool Value) {
  if (FCalcPercents == Value) return;
  FCalcPercents = Value;
  Invalidate();
}

void TkGauge::SetBorderStyle(fw::TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  Refresh();
}

void TkGauge::SetAnimated(bool Value) {
  if (FAnimated == Value) return;
  FAnimated = Value;
  if (ComponentState().Contains(fw::csDesigning)) return;
  Timer->SetEnabled(Value);
  if (!Value) Invalidate();
}

void TkGauge::SetBackColor(fw::TColor Value) {
  if (FBackColor == Value) return;
  FBackColor = Value;
  Refresh();
}

void TkGauge::SetForeColor(fw::TColor Value) {
  if (FForeColor == Value) return;
  FForeColor = Value;
  Repaint();
}

void TkGauge::SetMinValue(int Value) {
  if (FMinValue == Value) return;
  if (Value > FMaxValue && !ComponentState().Contains(fw::csLoading))
    throw fw::EInvalidOperation(fw::Format(u"Value must be between %d and %d", {-2147483647, FMaxValue - 1}));
  FMinValue = Value;
  if (FCurValue < Value) FCurValue = Value;
  Refresh();
}

void TkGauge::SetMaxValue(int Value) {
  if (FMaxValue == Value) return;
  if (Value < FMinValue && !ComponentState().Contains(fw::csLoading))
    throw fw::EInvalidOperation(fw::Format(u"Value must be between %d and %d", {FMinValue + 1, 2147483647}));
  FMaxValue = Value;
  if (FCurValue > Value) FCurValue = Value;
  Refresh();
}

void TkGauge::SetProgress(int Value) {
  const int oldPercent = PercentDone();
  Value = std::min(std::max(Value, FMinValue), FMaxValue);
  if (Value == FCurValue) return;
  FCurValue = Value;
  // The gauge repaints only when what it shows changes.
  if (PercentDone() != oldPercent) Refresh();
  if (OnChange) OnChange(this);
}

void TkGauge::SetProgressSkin(const fw::String& Value) {
  if (FProgressSkin == Value) return;
  FProgressSkin = Value;
  Repaint();
}

void TkGauge::SetShowText(bool Value) {
  if (FShowText == Value) return;
  FShowText = Value;
  Refresh();
}

void TkGauge::SetSuffix(const fw::String& Value) {
  if (FSuffix == Value) return;
  FSuffix = Value;
  Invalidate();
}

void TkGauge::AddProgress(int Value) {
  SetProgress(FCurValue + Value);
  Refresh();
}

int TkGauge::PercentDone() const { return PercentOf(FCurValue - FMinValue, FMaxValue - FMinValue); }

fw::String TkGauge::DisplayText() {
  fw::String text = fw::IntToStr(FCalcPercents ? PercentDone() : FCurValue) + FSuffix;
  if (OnPaintText) OnPaintText(this, text);
  return text;
}

// ---- Animation

void TkGauge::AnimTimerTick(fw::TObject*) {
  // The light strip runs over a skinned bar only.
  if (!Skinned()) {
    Timer->SetEnabled(false);
    return;
  }
  if (FLongTime > GaugeAnimCycle) {
    FAnimPos = -LightWidth;
    FLongTime = 0;
  }
  FLongTime += static_cast<int>(kAnimInterval);
  const int length = FKind == gkVerticalBar ? Height() : Width();
  if (FAnimPos >= length) return;
  FAnimPos += AnimStep(length);
}

// ---- Unskinned painting

void TkGauge::Paint() {
  if (Width() < 1 || Height() < 1) return;
  const int w = Width(), h = Height();
  std::unique_ptr<fw::TBitmap> image = BlackBitmap(w, h);
  TRect p(0, 0, w, h);
  if (FBorderStyle == fw::bsSingle) p = TRect(1, 1, w - 1, h - 1);
  std::unique_ptr<fw::TBitmap> overlay = BlackBitmap(w, h, fw::clWindowFrame);
  fw::TCanvas* o = overlay->Canvas();
  switch (FKind) {
    case gkText: PaintPlainEmpty(o, p); break;
    case gkHorizontalBar:
    case gkVerticalBar: PaintPlainBar(o, p); break;
    case gkPie: PaintPlainPie(o, p); break;
    case gkNeedle: PaintPlainNeedle(o, p); break;
  }
  BitBlt(image->Canvas()->Handle(), 0, 0, w, h, o->Handle(), 0, 0, SRCINVERT);
  if (FShowText) PaintPlainPercent(image.get(), p);
  BitBlt(Canvas()->Handle(), 0, 0, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TkGauge::PaintPlainEmpty(fw::TCanvas* C, const TRect& P) {
  C->Brush()->SetColor(FBackColor);
  C->Brush()->SetStyle(fw::bsSolid);
  C->FillRect(P);
}

void TkGauge::PaintPlainBar(fw::TCanvas* C, const TRect& P) {
  PaintPlainEmpty(C, P);
  SetPenAndBrush(C, FForeColor, FForeColor);
  const int w = P.Right - P.Left + 1;
  const int h = P.Bottom - P.Top + 1;
  if (FKind == gkHorizontalBar) {
    const int f = std::min(ShareOfPercent(PercentDone(), w), w);
    if (f > 0) C->Rectangle(P.Left, P.Top, f, h);
  } else {
    int f = ShareOfPercent(PercentDone(), h);
    if (f >= h) f = h - 1;
    C->Rectangle(P.Left, h - f, w, h);
  }
}

void TkGauge::PaintPlainPie(fw::TCanvas* C, const TRect& P) {
  const int grow = FBorderStyle == fw::bsSingle ? 1 : 0;
  const int w = P.Right - P.Left + grow;
  const int h = P.Bottom - P.Top + grow;
  C->Brush()->SetColor(Color());
  C->Brush()->SetStyle(fw::bsSolid);
  C->FillRect(P);
  SetPenAndBrush(C, FForeColor, FBackColor);
  C->Ellipse(P.Left, P.Top, w, h);
  const int done = PercentDone();
  if (done <= 0) return;
  C->Brush()->SetColor(FForeColor);
  const int mx = w / 2, my = h / 2;
  const double a = std::numbers::pi * (done / 50.0 + 0.5);
  const int x = RoundToInt(mx * (1 - std::cos(a))), y = RoundToInt(my * (1 - std::sin(a)));
  // A pie whose two radials meet is the whole ellipse on Windows; Wine
  // draws nothing for it.
  if (x == mx && y == 0) {
    C->Ellipse(P.Left, P.Top, w, h);
  } else {
    Pie(C->Handle(), P.Left, P.Top, w, h, x, y, mx, 0);
  }
}

void TkGauge::PaintPlainNeedle(fw::TCanvas* C, const TRect& P) {
  const int grow = FBorderStyle == fw::bsSingle ? 1 : 0;
  const int w = P.Right - P.Left + grow;
  const int h = P.Bottom - P.Top + grow;
  C->Brush()->SetColor(Color());
  C->Brush()->SetStyle(fw::bsSolid);
  C->FillRect(P);
  SetPenAndBrush(C, FForeColor, FBackColor);
  // The upper half of an ellipse twice the height, on the base line.
  Pie(C->Handle(), P.Left, P.Top, w, 2 * h - 1, P.Left + w, P.Bottom - 1, P.Left, P.Bottom - 1);
  C->MoveTo(P.Left, P.Bottom);
  C->LineTo(P.Left + w, P.Bottom);
  const int done = PercentDone();
  if (done <= 0) return;
  const int mx = Width() / 2;
  const double a = std::numbers::pi * done / 100.0;
  C->MoveTo(mx, P.Bottom - 1);
  C->LineTo(RoundToInt(mx * (1 - std::cos(a))), RoundToInt((P.Bottom - 1) * (1 - std::sin(a))));
}

void TkGauge::PaintPlainPercent(fw::TBitmap* Image, const TRect& P) {
  const int w = Image->Width(), h = Image->Height();
  std::unique_ptr<fw::TBitmap> text = BlackBitmap(w, h, fw::clWindowFrame);
  fw::TCanvas* t = text->Canvas();
  t->Font()->Assign(Font());
  t->Font()->SetColor(0xFFFFFF);
  t->Brush()->SetStyle(fw::bsClear);
  const fw::String s = DisplayText();
  const int x = (P.Right - P.Left + 1 - t->TextWidth(s)) / 2;
  const int y = (P.Bottom - P.Top + 1 - t->TextHeight(s)) / 2;
  t->TextRect(P, x, y, s);
  // White text over black inverts what lies under it.
  BitBlt(Image->Canvas()->Handle(), 0, 0, w, h, t->Handle(), 0, 0, SRCINVERT);
}

FW_REGISTER(TkGauge) {
  using G = TkGauge;
  c.Property(u"Kind", &G::Kind, &G::SetKind).Default(gkHorizontalBar);
  c.Event(u"OnChange", &G::OnChange);
  c.Property(u"CalcPercents", &G::CalcPercents, &G::SetCalcPercents).Default(true);
  c.Property(u"BorderStyle", &G::BorderStyle, &G::SetBorderStyle).Default(fw::bsSingle).Type(fw::TypeInfoTBorderStyle());
  c.Property(u"Animated", &G::Animated, &G::SetAnimated).Default(true);
  c.Property(u"BackColor", &G::BackColor, &G::SetBackColor).Default(fw::TColor{0xFFFFFF});
  c.Property(u"ForeColor", &G::ForeColor, &G::SetForeColor);
  c.Property(u"MinValue", &G::MinValue, &G::SetMinValue).Default(0);
  c.Property(u"MaxValue", &G::MaxValue, &G::SetMaxValue).Default(100);
  c.Property(u"Progress", &G::Progress, &G::SetProgress).Default(47);
  c.Property(u"ProgressSkin", &G::ProgressSkin, &G::SetProgressSkin);
  c.Property(u"ShowText", &G::ShowText, &G::SetShowText).Default(true);
  c.Property(u"Suffix", &G::Suffix, &G::SetSuffix);
  c.Event(u"OnPaintText", &G::OnPaintText);
}

}  // namespace skin
