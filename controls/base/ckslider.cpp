#include "controls/base/ckslider.h"

#include <algorithm>

#include "controls/base/ckextcomponent.h"
#include "controls/base/ckthemes.h"
#include "controls/base/cktypes.h"
#include "fw/core/mathutils.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/system/screen.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

namespace {

// Space between the slider's client rectangle and its ruler.
constexpr int kMargin = 6;
// The screen cursor shown over the thumb; the program registers none under
// it, so the screen's default cursor shows.
constexpr int kThumbCursor = 372;

const char16_t* const kBuiltInImages[4] = {u"CkW95HTB", u"CkW95HRL", u"CkW95VTB", u"CkW95VRL"};

}  // namespace

TCkCustomSlider::TCkCustomSlider(TComponent* AOwner) : TCkExCustomControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks};
  AddThemeStyleFlags(this, TControlStyle{csParentBackground});
  FWidth = 150;
  FHeight = 40;
  FTabStop = true;
  FRuler = std::make_unique<TBitmap>();
  FRuler->SetPixelFormat(pf24bit);
  for (int i = 0; i < 4; ++i) {
    FImages[i] = new TBitmap();
    FImages[i]->OnChange = TNotifyEvent(this, &TCkCustomSlider::ImageChanged);
    LoadBuiltInImage(static_cast<TSliderImage>(i));
  }
  FCreating = false;
  UpdateLayout();
}

TCkCustomSlider::~TCkCustomSlider() {
  OnChange = TNotifyEvent();
  OnChanged = TNotifyEvent();
  OnDrawPoints = TNotifyEvent();
  for (TBitmap*& image : FImages) {
    image->OnChange = TNotifyEvent();
    delete image;
    image = nullptr;
  }
}

void TCkCustomSlider::LoadBuiltInImage(TSliderImage Index) {
  TBitmap* image = FImages[Index];
  try {
    image->LoadFromResourceName(GetModuleHandleW(nullptr), kBuiltInImages[Index]);
  } catch (const EInvalidGraphic&) {
    image->FreeImage();
  }
}

void TCkCustomSlider::ImageChanged(TObject*) {
  if (!FCreating) UpdateLayout();
}

void TCkCustomSlider::SetImage(TSliderImage Index, TBitmap* Value) {
  if (Value) {
    FImages[Index]->Assign(Value);
    FUserImages.Include(Index);
    return;
  }
  LoadBuiltInImage(Index);
  FUserImages.Exclude(Index);
  if (!Reading()) {
    FOptions.Exclude(Index == siHThumb || Index == siVThumb ? soThumbOpaque : soRulerOpaque);
    Invalidate();
  }
}

void TCkCustomSlider::Loaded() {
  TCkExCustomControl::Loaded();
  // A picture read from the form description runs the layout again.
  for (int i = 0; i < 4; ++i)
    if (FUserImages.Contains(static_cast<TSliderImage>(i))) FImages[i]->Assign(FImages[i]);
  UpdateLayout();
}

void TCkCustomSlider::AlignControls(TControl* AControl, TRect& Rect) {
  if (FBevelStyle != bvNone) Rect = fw::Rect(Rect.Left + FBevelWidth, Rect.Top + FBevelWidth,
                                             Rect.Right - FBevelWidth, Rect.Bottom - FBevelWidth);
  TCkExCustomControl::AlignControls(AControl, Rect);
}

// ---- Properties

void TCkCustomSlider::SetBevelStyle(TBevelCut Value) {
  if (Value == FBevelStyle) return;
  FBevelStyle = Value;
  UpdateLayout();
  Repaint();
}

void TCkCustomSlider::SetEdgeSize(int Value) {
  TBitmap* ruler = FImages[FOrientation == soHorizontal ? siHRuler : siVRuler];
  int length = FOrientation == soHorizontal ? ruler->Width() : ruler->Height();
  if (2 * Value >= length || Value == FEdgeSize) return;
  FEdgeSize = Value;
  UpdateLayout();
}

void TCkCustomSlider::SetNumThumbStates(int Value) {
  Value = std::clamp(Value, 1, 2);
  if (Value == FNumThumbStates) return;
  FNumThumbStates = Value;
  UpdateLayout();
}

void TCkCustomSlider::SetOrientation(TSliderOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  UpdateLayout();
  if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csUpdating))
    SetBounds(Left(), Top(), Height(), Width());
}

void TCkCustomSlider::SetOptions(TSliderOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  Invalidate();
}

void TCkCustomSlider::SetMinValue(int Value) {
  if (Value != FMinValue) SetRange(Value, FMaxValue);
}

void TCkCustomSlider::SetMaxValue(int Value) {
  if (Value != FMaxValue) SetRange(FMinValue, Value);
}

void TCkCustomSlider::SetRange(int Min, int Max) {
  if (Min >= Max && !Reading()) return;
  FMinValue = Min;
  FMaxValue = Max;
  if (!Reading() && FMaxValue < FMinValue + FIncrement) FIncrement = FMaxValue - FMinValue;
  if (FOptions.Contains(soShowPoints)) Invalidate();
  SetValue(FValue);
  RangeChanged();
}

void TCkCustomSlider::SetIncrement(int Value) {
  // A non-positive increment is ignored, not refused.
  if (Value <= 0) return;
  if (Reading() || Value <= FMaxValue - FMinValue) {
    if (Value == FIncrement) return;
    FIncrement = Value;
    SetValue(FValue);
    Invalidate();
    return;
  }
  throw ECKException(Format(u"Value must be between %d and %d", {1, FMaxValue - FMinValue}));
}

void TCkCustomSlider::SetValue(int Value) {
  // A range read from the form description may still be upside down.
  int v = std::max(std::min(Value, FMaxValue), FMinValue);
  bool changed = v != FValue;
  FValue = v;
  MoveThumb(GetOffsetByValue(v), false);
  if (changed) FireChange();
}

// ---- Geometry

TRect TCkCustomSlider::SliderClientRect() const {
  TRect r = ClientRect();
  if (FBevelStyle != bvNone)
    r = Rect(r.Left + FBevelWidth, r.Top + FBevelWidth, r.Right - FBevelWidth, r.Bottom - FBevelWidth);
  return r;
}

int TCkCustomSlider::ThumbWidth() const {
  TBitmap* thumb = FImages[FOrientation == soHorizontal ? siHThumb : siVThumb];
  return thumb->Width() / FNumThumbStates;
}

int TCkCustomSlider::ThumbHeight() const {
  return FImages[FOrientation == soHorizontal ? siHThumb : siVThumb]->Height();
}

int TCkCustomSlider::OffsetStart() const {
  TRect r = SliderClientRect();
  return (FOrientation == soHorizontal ? r.Left : r.Top) + kMargin;
}

int TCkCustomSlider::RulerLength() const {
  return FOrientation == soHorizontal ? FRuler->Width() - ThumbWidth() : FRuler->Height() - ThumbHeight();
}

int TCkCustomSlider::GetOffsetByValue(int Value) const {
  TRect r = SliderClientRect();
  int start = OffsetStart();
  int range = FMaxValue - FMinValue;
  int o = start;
  if (range != 0) o = start + static_cast<int>(Round(static_cast<double>(RulerLength()) * (Value - FMinValue) / range));
  if (FOrientation == soVertical) o = r.Top + r.Bottom - o - ThumbHeight();
  return std::max(o, start);
}

int TCkCustomSlider::GetValueByOffset(int Offset) const {
  TRect r = SliderClientRect();
  if (FOrientation == soVertical) Offset = ClientHeight() - Offset - ThumbHeight();
  int length = RulerLength();
  int raw = 0;
  if (length > 0)
    raw = static_cast<int>(Round(static_cast<double>(FMaxValue - FMinValue) * (Offset - r.Left - kMargin) / length));
  if (!FOptions.Contains(soSmooth) && FIncrement > 0)
    raw = static_cast<int>(Round(static_cast<double>(raw) / FIncrement)) * FIncrement;
  return std::min(std::max(raw, 0) + FMinValue, FMaxValue);
}

void TCkCustomSlider::StretchRuler() {
  TBitmap* source = FImages[FOrientation == soHorizontal ? siHRuler : siVRuler];
  bool horizontal = FOrientation == soHorizontal;
  TRect r = SliderClientRect();
  int S = horizontal ? source->Width() : source->Height();
  int thickness = horizontal ? source->Height() : source->Width();
  int E = FEdgeSize, mid = S - 2 * E;
  int length = std::max(0, (horizontal ? r.Width() : r.Height()) - 2 * kMargin);
  if (source->Empty() || length == 0) {
    FRuler->SetSize(horizontal ? length : thickness, horizontal ? thickness : length);
    return;
  }
  FRuler->SetSize(horizontal ? length : thickness, horizontal ? thickness : length);
  TCanvas* dst = FRuler->Canvas();
  dst->Brush()->SetColor(source->Canvas()->Pixel(0, source->Height() - 1));
  dst->FillRect(Rect(0, 0, FRuler->Width(), FRuler->Height()));
  // Copies Count source pixels from From to To along the axis.
  auto piece = [&](int From, int To, int Count) {
    if (Count <= 0) return;
    TRect d = horizontal ? Rect(To, 0, To + Count, thickness) : Rect(0, To, thickness, To + Count);
    TRect s = horizontal ? Rect(From, 0, From + Count, thickness) : Rect(0, From, thickness, From + Count);
    dst->CopyRect(d, source->Canvas(), s);
  };
  piece(0, 0, S - E);
  if (mid <= 0) return;
  int a = length - 2 * E;
  if (a < 0) return;
  int n = a / mid, rest = a % mid;
  for (int k = 1; k < n; ++k) piece(E, E + k * mid, mid);
  if (n >= 1) piece(S - E - rest, E + n * mid, E + rest);
}

void TCkCustomSlider::UpdateLayout() {
  if (FCreating) return;
  StretchRuler();
  TRect r = SliderClientRect();
  int tw = ThumbWidth(), th = ThumbHeight();
  if (FOrientation == soHorizontal) {
    int rh = FRuler->Height();
    int taller = std::max(th, rh);
    int rulerTop = r.Top + kMargin + (taller - rh) / 2;
    int thumbTop = r.Top + kMargin + (taller - th) / 2;
    FRulerOrg = TPoint{r.Left + kMargin, rulerTop};
    FThumbRect = Bounds(r.Left + kMargin, thumbTop, tw, th);
    FPointsRect = Rect(FRulerOrg.x, r.Top + kMargin + taller + 1, FRulerOrg.x + FRuler->Width(), r.Bottom - r.Top - 1);
  } else {
    int rw = FRuler->Width();
    int wider = std::max(tw, rw);
    int rulerLeft = r.Left + kMargin + (wider - rw) / 2;
    int thumbLeft = r.Left + kMargin + (wider - tw) / 2;
    FRulerOrg = TPoint{rulerLeft, r.Top + kMargin};
    FThumbRect = Bounds(thumbLeft, r.Top + kMargin, tw, th);
    FPointsRect = Rect(r.Left + kMargin + wider + 1, FRulerOrg.y, r.Right - r.Left - 1, FRulerOrg.y + FRuler->Height());
  }
  SetValue(FValue);
  Invalidate();
}

void TCkCustomSlider::BoundsChanged() {
  TCkExCustomControl::BoundsChanged();
  if (!Reading()) UpdateLayout();
}

void TCkCustomSlider::InvalidateThumb(const TRect& R) {
  if (!HandleAllocated()) return;
  RECT r{R.Left, R.Top, R.Right, R.Bottom};
  InvalidateRect(Handle(), &r, !FControlStyle.Contains(csOpaque));
}

void TCkCustomSlider::MoveThumb(int Offset, bool Dragging) {
  int start = OffsetStart(), length = std::max(RulerLength(), 0);
  Offset = std::clamp(Offset, start, start + length);
  int v = GetValueByOffset(Offset);
  Offset = std::clamp(GetOffsetByValue(v), start, start + length);
  TRect old = FThumbRect;
  if (FOrientation == soHorizontal) FThumbRect = Bounds(Offset, old.Top, old.Width(), old.Height());
  else FThumbRect = Bounds(old.Left, Offset, old.Width(), old.Height());
  if (old != FThumbRect) {
    InvalidateThumb(old);
    InvalidateThumb(FThumbRect);
  }
  if (Dragging && v != FValue) {
    FValue = v;
    FireChange();
  }
}

// ---- Painting

void TCkCustomSlider::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (Message.WParam) {
        PaintBuffered(reinterpret_cast<HDC>(Message.WParam));
      } else {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        PaintBuffered(dc);
        EndPaint(Handle(), &ps);
      }
      Message.Result = 0;
      return;
    case WM_ERASEBKGND:
      // The buffered paint fills every pixel.
      Message.Result = 1;
      return;
    case WM_SETCURSOR:
      if (!ComponentState().Contains(csDesigning) && Screen) {
        POINT p;
        GetCursorPos(&p);
        TPoint c = ScreenToClient(TPoint{p.x, p.y});
        if (PointInRect(FThumbRect, c)) {
          ::SetCursor(Screen->Cursors(kThumbCursor));
          Message.Result = 1;
          return;
        }
      }
      break;
    case WM_TIMER:
      if (Message.WParam == SliderJumpTimer) {
        JumpStep();
        return;
      }
      break;
    default: break;
  }
  TCkExCustomControl::WndProc(Message);
}

void TCkCustomSlider::PaintBuffered(HDC DC) {
  int w = std::max(Width(), 1), h = std::max(Height(), 1);
  TMemoryDC memory(DC);
  TBitmapHandle bitmap(CreateCompatibleBitmap(DC, w, h));
  TSelectObject selected(memory.Get(), bitmap.Get());
  {
    TCanvas back;
    back.SetHandle(memory.Get());
    back.Brush()->SetColor(Color());
    back.FillRect(Rect(0, 0, w, h));
  }
  PaintWindow(memory.Get());
  BitBlt(DC, 0, 0, w, h, memory.Get(), 0, 0, SRCCOPY);
}

void TCkCustomSlider::Paint() {
  TCanvas* canvas = Canvas();
  TRect client = ClientRect();
  TRect r = SliderClientRect();
  TPoint thumb{FThumbRect.Left, FThumbRect.Top};
  if (ControlState().Contains(csPaintCopy)) {
    int o = GetOffsetByValue(CurrentValue());
    if (FOrientation == soHorizontal) thumb.x = o;
    else thumb.y = o;
  }
  if (FBevelStyle != bvNone) {
    TRect frame = client;
    if (FBevelStyle == bvLowered) FrameRect3D(canvas, frame, clBtnShadow, clBtnHighlight, FBevelWidth);
    else FrameRect3D(canvas, frame, clBtnHighlight, clBtnShadow, FBevelWidth);
  }
  if (FControlStyle.Contains(csOpaque)) PaintThemedBackground(this, canvas, r, Color(), true);
  if (!FRuler->Empty())
    services::DrawBitmapKeyed(canvas, FRulerOrg.x, FRulerOrg.y, FRuler.get(),
                              FOptions.Contains(soRulerOpaque) ? clNone : FRuler->TransparentColor());
  if (FOptions.Contains(soShowFocus) && FFocused && !ComponentState().Contains(csDesigning)) {
    canvas->Brush()->SetColor(Color());
    canvas->DrawFocusRect(Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2));
  }
  if (FOptions.Contains(soShowPoints)) {
    if (OnDrawPoints) OnDrawPoints(this);
    else DefaultDrawPoints(FIncrement, 3, 5);
  }
  TBitmap* image = FImages[FOrientation == soHorizontal ? siHThumb : siVThumb];
  if (image->Empty()) return;
  int tw = ThumbWidth(), th = ThumbHeight();
  bool second = FNumThumbStates == 2 &&
                (ControlState().Contains(csPaintCopy) ? !Enabled() : (FThumbDown || !Enabled()));
  TRect part = Bounds(second ? tw : 0, 0, tw, th);
  services::DrawBitmapPartKeyed(canvas, thumb.x, thumb.y, part, image,
                                FOptions.Contains(soThumbOpaque) ? clNone : image->TransparentColor());
}

void TCkCustomSlider::DefaultDrawPoints(int PointsStep, int PointsHeight, int ExtremePointsHeight) {
  TCanvas* canvas = Canvas();
  canvas->Pen()->SetColor(clWindowText);
  int L = RulerLength();
  int range = FMaxValue - FMinValue;
  if (PointsStep <= 0 || range <= 0) return;
  // The first multiple of the step whose points lie at least 4 pixels
  // apart.
  int count = 0, d = 1;
  for (;; ++d) {
    count = static_cast<int>(Round(static_cast<double>(range) / (PointsStep * d)));
    int spacing = count <= 0 ? L : L / count;
    if (spacing >= 4 || spacing >= L) break;
  }
  int tw = ThumbWidth(), th = ThumbHeight();
  int v = FMinValue;
  for (int i = 0; i <= count; ++i) {
    if (i == count) v = FMaxValue;
    int height = (v == FMinValue || v == FMaxValue) ? ExtremePointsHeight : PointsHeight;
    int o = GetOffsetByValue(v);
    if (FOrientation == soHorizontal) {
      canvas->MoveTo(o + tw / 2, FPointsRect.Top);
      canvas->LineTo(o + tw / 2, FPointsRect.Top + height);
    } else {
      canvas->MoveTo(FPointsRect.Left, o + th / 2);
      canvas->LineTo(FPointsRect.Left + height, o + th / 2);
    }
    v += PointsStep * d;
  }
}

// ---- Mouse

TJumpMode TCkCustomSlider::JumpModeAt(TPoint P) const {
  if (FOrientation == soHorizontal) {
    if (P.x < FThumbRect.Left) return jmPrior;
    if (P.x >= FThumbRect.Right) return jmNext;
  } else {
    if (P.y < FThumbRect.Top) return jmNext;
    if (P.y >= FThumbRect.Bottom) return jmPrior;
  }
  return jmNone;
}

void TCkCustomSlider::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCkExCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || Shift.Contains(ssDouble)) return;
  if (CanFocus()) SetFocus();
  TPoint p{X, Y};
  if (PointInRect(FThumbRect, p)) {
    ThumbPressed(Button, Shift, X, Y);
    return;
  }
  TRect ruler = Bounds(FRulerOrg.x, FRulerOrg.y, FRuler->Width(), FRuler->Height());
  if (FOrientation == soHorizontal) ruler = Rect(ruler.Left, ruler.Top - 3, ruler.Right, ruler.Bottom + 3);
  else ruler = Rect(ruler.Left - 3, ruler.Top, ruler.Right + 3, ruler.Bottom);
  if (!PointInRect(ruler, p) || !CanModify()) return;
  SetMouseCapture(true);
  FTracking = true;
  FMousePos = p;
  FStartJump = JumpModeAt(p);
  JumpStep();
}

void TCkCustomSlider::JumpStep() {
  if (!FTracking) return;
  if (JumpModeAt(FMousePos) != FStartJump) return;
  ApplyJump(FStartJump);
  if (!FTimerActive && HandleAllocated()) {
    SetTimer(Handle(), SliderJumpTimer, SliderJumpDelay, nullptr);
    FTimerActive = true;
  }
}

void TCkCustomSlider::ApplyJump(TJumpMode Mode) {
  int v = FValue;
  int inc = std::max(FIncrement, 1);
  switch (Mode) {
    case jmHome: v = FMinValue; break;
    case jmEnd: v = FMaxValue; break;
    case jmNext: v = inc * (static_cast<int>(Round(static_cast<double>(FValue) / inc)) + 1); break;
    case jmPrior: v = inc * static_cast<int>(Round(static_cast<double>(FValue) / inc)) - inc; break;
    case jmNone: return;
  }
  v = std::clamp(v, FMinValue, FMaxValue);
  if (v != FValue) SetValue(v);
}

void TCkCustomSlider::StopJump() {
  if (FTimerActive && HandleAllocated()) KillTimer(Handle(), SliderJumpTimer);
  FTimerActive = false;
  FTracking = false;
  SetMouseCapture(false);
}

void TCkCustomSlider::MouseMove(TShiftState Shift, int X, int Y) {
  if (Shift.Contains(ssLeft) && FSliding) ThumbDragged(Shift, X, Y);
  else if (FTracking) FMousePos = TPoint{X, Y};
  TCkExCustomControl::MouseMove(Shift, X, Y);
}

void TCkCustomSlider::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FTracking) {
    StopJump();
    FireChanged();
  } else if (FSliding) {
    ThumbReleased(Button, Shift, X, Y);
  }
  TCkExCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCkCustomSlider::ThumbPressed(TMouseButton Button, TShiftState, int X, int Y) {
  if (CanFocus()) SetFocus();
  if (Button != mbLeft || !CanModify()) return;
  FSliding = true;
  FThumbDown = true;
  FHit = FOrientation == soHorizontal ? X - FThumbRect.Left : Y - FThumbRect.Top;
  InvalidateThumb(FThumbRect);
  if (HandleAllocated()) UpdateWindow(Handle());
}

void TCkCustomSlider::ThumbDragged(TShiftState Shift, int X, int Y) {
  if (!Shift.Contains(ssLeft) || !CanModify()) return;
  MoveThumb((FOrientation == soHorizontal ? X : Y) - FHit, true);
}

void TCkCustomSlider::ThumbReleased(TMouseButton Button, TShiftState, int, int) {
  if (Button != mbLeft) return;
  FSliding = false;
  FThumbDown = false;
  InvalidateThumb(FThumbRect);
  if (HandleAllocated()) UpdateWindow(Handle());
  FireChanged();
}

// ---- Keyboard and focus

void TCkCustomSlider::DialogCodes(TDialogKeyCodes& Codes) { Codes = TDialogKeyCodes{dkArrows}; }

void TCkCustomSlider::KeyDown(WORD& Key, TShiftState Shift) {
  if (!Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
    TJumpMode mode = jmNone;
    switch (Key) {
      case VK_HOME: mode = jmHome; break;
      case VK_END: mode = jmEnd; break;
      case VK_LEFT: if (FOrientation == soHorizontal) mode = jmPrior; break;
      case VK_RIGHT: if (FOrientation == soHorizontal) mode = jmNext; break;
      case VK_UP: if (FOrientation == soVertical) mode = jmNext; break;
      case VK_DOWN: if (FOrientation == soVertical) mode = jmPrior; break;
      default: break;
    }
    if (mode != jmNone && CanModify()) {
      Key = 0;
      ApplyJump(mode);
      FireChanged();
    }
  }
  TCkExCustomControl::KeyDown(Key, Shift);
}

void TCkCustomSlider::FocusChangedNotice(TControl* Control) {
  bool focused = Control == this;
  if (focused != FFocused) {
    FFocused = focused;
    if (FOptions.Contains(soShowFocus)) Invalidate();
  }
  TCkExCustomControl::FocusChangedNotice(Control);
}

void TCkCustomSlider::EnabledChanged() {
  TCkExCustomControl::EnabledChanged();
  InvalidateThumb(FThumbRect);
}

// ---- Streaming and registration

// "UserImages": one byte, bit i set when picture i is the user's.
struct TCkSliderStreaming {
  static void Read(TObject* o, TStream& s) {
    uint8_t bits = 0;
    s.ReadBuffer(&bits, 1);
    fw::detail::InstanceOf<TCkCustomSlider>(o).FUserImages = TSliderImages::FromMask(bits & 0x0F);
  }
  static void Write(TObject* o, TStream& s) {
    auto bits = static_cast<uint8_t>(fw::detail::InstanceOf<TCkCustomSlider>(o).FUserImages.Mask());
    s.WriteBuffer(&bits, 1);
  }
  static bool Has(TObject* o) { return !fw::detail::InstanceOf<TCkCustomSlider>(o).FUserImages.Empty(); }
};

FW_REGISTER(TCkCustomSlider) {}

FW_REGISTER(TCkxSlider) {
  TDefinedProperty& images = c.DefineBinaryProperty(u"UserImages");
  images.ReadData = &TCkSliderStreaming::Read;
  images.WriteData = &TCkSliderStreaming::Write;
  images.HasData = &TCkSliderStreaming::Has;
  c.Property(u"BevelStyle", &TCkxSlider::BevelStyle, &TCkxSlider::SetBevelStyle).Default(bvNone);
  c.Property(u"ImageHThumb", &TCkxSlider::ImageHThumb, &TCkxSlider::SetImageHThumb)
      .Stored(&TCkxSlider::HThumbStored);
  c.Property(u"ImageHRuler", &TCkxSlider::ImageHRuler, &TCkxSlider::SetImageHRuler)
      .Stored(&TCkxSlider::HRulerStored);
  c.Property(u"ImageVThumb", &TCkxSlider::ImageVThumb, &TCkxSlider::SetImageVThumb)
      .Stored(&TCkxSlider::VThumbStored);
  c.Property(u"ImageVRuler", &TCkxSlider::ImageVRuler, &TCkxSlider::SetImageVRuler)
      .Stored(&TCkxSlider::VRulerStored);
  c.Property(u"MinValue", &TCkxSlider::MinValue, &TCkxSlider::SetMinValue).Default(0);
  c.Property(u"MaxValue", &TCkxSlider::MaxValue, &TCkxSlider::SetMaxValue).Default(100);
  c.Property(u"Increment", &TCkxSlider::Increment, &TCkxSlider::SetIncrement).Default(10);
  c.Property(u"NumThumbStates", &TCkxSlider::NumThumbStates, &TCkxSlider::SetNumThumbStates).Default(2);
  c.Property(u"Orientation", &TCkxSlider::Orientation, &TCkxSlider::SetOrientation).Default(soHorizontal);
  c.Property(u"EdgeSize", &TCkxSlider::EdgeSize, &TCkxSlider::SetEdgeSize).Default(2);
  c.Property(u"Options", &TCkxSlider::Options, &TCkxSlider::SetOptions)
      .Default(TSliderOptions{soShowFocus, soShowPoints, soSmooth});
  c.Property(u"Value", &TCkxSlider::Value, &TCkxSlider::SetValue).Default(0);
  c.Property(u"TabStop", &TCkxSlider::TabStop, &TCkxSlider::SetTabStop).Default(true);
  c.Event(u"OnChange", static_cast<TNotifyEvent TCkxSlider::*>(&TCkxSlider::OnChange));
  c.Event(u"OnChanged", static_cast<TNotifyEvent TCkxSlider::*>(&TCkxSlider::OnChanged));
  c.Event(u"OnDrawPoints", static_cast<TNotifyEvent TCkxSlider::*>(&TCkxSlider::OnDrawPoints));
}

}  // namespace ck
