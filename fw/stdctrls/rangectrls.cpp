#include "fw/stdctrls/rangectrls.h"

#include <commctrl.h>

#include <algorithm>

#include "fw/core/rtti.h"

namespace fw {

// ---- TTrackBar

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  FWidth = 150;
  FHeight = 45;
  FTabStop = true;
}

void TTrackBar::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses(ICC_BAR_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, TRACKBAR_CLASSW);
  Params.Style |= FOrientation == trVertical ? TBS_VERT : TBS_HORZ;
  if (FTickStyle == tsNone) Params.Style |= TBS_NOTICKS;
  else if (FTickStyle == tsAuto) Params.Style |= TBS_AUTOTICKS;
  if (FTickMarks == tmBoth) Params.Style |= TBS_BOTH;
  else if (FTickMarks == tmTopLeft) Params.Style |= TBS_TOP;
}

void TTrackBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateRange();
  SendMessageW(FHandle, TBM_SETLINESIZE, 0, FLineSize);
  SendMessageW(FHandle, TBM_SETPAGESIZE, 0, FPageSize);
  SendMessageW(FHandle, TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
}

void TTrackBar::DestroyWnd() {
  if (FHandle) FPosition = Position();
  TWinControl::DestroyWnd();
}

void TTrackBar::UpdateRange() {
  if (!FHandle) return;
  SendMessageW(FHandle, TBM_SETRANGEMIN, 0, FMin);
  SendMessageW(FHandle, TBM_SETRANGEMAX, 0, FMax);
  SendMessageW(FHandle, TBM_SETPOS, 1, FPosition);
}

void TTrackBar::SetMin(int Value) {
  if (FMin == Value) return;
  FMin = Value;
  FPosition = std::clamp(Position(), FMin, std::max(FMin, FMax));
  UpdateRange();
}

void TTrackBar::SetMax(int Value) {
  if (FMax == Value) return;
  FMax = Value;
  FPosition = std::clamp(Position(), std::min(FMin, FMax), FMax);
  UpdateRange();
}

int TTrackBar::Position() const {
  return FHandle ? static_cast<int>(SendMessageW(FHandle, TBM_GETPOS, 0, 0)) : FPosition;
}

void TTrackBar::SetPosition(int Value) {
  // While loading the limits may come later.
  if (!ComponentState().Contains(csLoading)) Value = std::clamp(Value, FMin, std::max(FMin, FMax));
  FPosition = Value;
  if (FHandle) SendMessageW(FHandle, TBM_SETPOS, 1, Value);
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TTrackBar::SetFrequency(int Value) {
  FFrequency = Value;
  if (FHandle) SendMessageW(FHandle, TBM_SETTICFREQ, static_cast<WPARAM>(Value), 0);
}

void TTrackBar::SetLineSize(int Value) {
  FLineSize = Value;
  if (FHandle) SendMessageW(FHandle, TBM_SETLINESIZE, 0, Value);
}

void TTrackBar::SetPageSize(int Value) {
  FPageSize = Value;
  if (FHandle) SendMessageW(FHandle, TBM_SETPAGESIZE, 0, Value);
}

void TTrackBar::SetTickStyle(TTickStyle Value) {
  if (FTickStyle == Value) return;
  FTickStyle = Value;
  RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark Value) {
  if (FTickMarks == Value) return;
  FTickMarks = Value;
  RecreateWnd();
}

void TTrackBar::Changed() { OnChange(this); }

void TTrackBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
    FPosition = Position();
    Changed();
    Message.Result = 0;
    return;
  }
  TWinControl::Dispatch(Message);
}

// ---- TProgressBar

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 150;
  FHeight = 16;
}

void TProgressBar::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses(ICC_PROGRESS_CLASS);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, PROGRESS_CLASSW);
  if (FSmooth) Params.Style |= PBS_SMOOTH;
  if (FOrientation == pbVertical) Params.Style |= PBS_VERTICAL;
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
  SendMessageW(FHandle, PBM_SETSTEP, static_cast<WPARAM>(FStep), 0);
  SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::DestroyWnd() {
  if (FHandle) FPosition = Position();
  TWinControl::DestroyWnd();
}

void TProgressBar::SetMin(int Value) {
  FMin = Value;
  if (FHandle) SendMessageW(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TProgressBar::SetMax(int Value) {
  FMax = Value;
  if (FHandle) SendMessageW(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

int TProgressBar::Position() const {
  return FHandle ? static_cast<int>(SendMessageW(FHandle, PBM_GETPOS, 0, 0)) : FPosition;
}

void TProgressBar::SetPosition(int Value) {
  FPosition = Value;
  if (FHandle) SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(Value), 0);
}

void TProgressBar::SetStep(int Value) {
  FStep = Value;
  if (FHandle) SendMessageW(FHandle, PBM_SETSTEP, static_cast<WPARAM>(Value), 0);
}

void TProgressBar::SetSmooth(bool Value) {
  if (FSmooth == Value) return;
  FSmooth = Value;
  RecreateWnd();
}

void TProgressBar::SetOrientation(TProgressBarOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  RecreateWnd();
}

void TProgressBar::StepIt() {
  if (FHandle) {
    SendMessageW(FHandle, PBM_STEPIT, 0, 0);
    return;
  }
  FPosition += FStep;
  if (FPosition > FMax) FPosition = FMin + (FPosition - FMax);
}

void TProgressBar::StepBy(int Delta) {
  if (FHandle) {
    SendMessageW(FHandle, PBM_DELTAPOS, static_cast<WPARAM>(Delta), 0);
    return;
  }
  FPosition = std::clamp(FPosition + Delta, FMin, FMax);
}

FW_REGISTER(TTrackBar) {
  c.Property(u"Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency).Default(1);
  c.Property(u"LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize).Default(1);
  c.Property(u"Max", &TTrackBar::Max, &TTrackBar::SetMax).Default(10);
  c.Property(u"Min", &TTrackBar::Min, &TTrackBar::SetMin).Default(0);
  c.Property(u"Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation).Default(trHorizontal);
  c.Property(u"PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize).Default(2);
  c.Property(u"Position", &TTrackBar::Position, &TTrackBar::SetPosition).Default(0);
  c.Property(u"TickMarks", &TTrackBar::TickMarks, &TTrackBar::SetTickMarks).Default(tmBottomRight);
  c.Property(u"TickStyle", &TTrackBar::TickStyle, &TTrackBar::SetTickStyle).Default(tsAuto);
  c.Event(u"OnChange", &TTrackBar::OnChange);
}

FW_REGISTER(TProgressBar) {
  c.Property(u"Max", &TProgressBar::Max, &TProgressBar::SetMax).Default(100);
  c.Property(u"Min", &TProgressBar::Min, &TProgressBar::SetMin).Default(0);
  c.Property(u"Orientation", &TProgressBar::Orientation, &TProgressBar::SetOrientation).Default(pbHorizontal);
  c.Property(u"Position", &TProgressBar::Position, &TProgressBar::SetPosition).Default(0);
  c.Property(u"Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth).Default(false);
  c.Property(u"Step", &TProgressBar::Step, &TProgressBar::SetStep).Default(10);
}

}  // namespace fw
