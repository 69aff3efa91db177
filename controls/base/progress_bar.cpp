#include "controls/base/progress_bar.h"

#include <algorithm>

#include "fw/core/mathutils.h"
#include "fw/core/rtti.h"
#include "fw/system/application.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

namespace {

constexpr TColor kKeyColor = 0xFF00FF;
constexpr TColor kLight = 0xBEBEBE;
constexpr TColor kDark = 0x686868;
constexpr TColor kPale = 0xEFEFEF;

// Colours from a pixel bitmap: a 24-bit work image with bounds-checked
// access, so that tiny bars cannot write outside it.
struct Pixels {
  TBitmap* b;
  void Set(int x, int y, TColor c) {
    if (x < 0 || y < 0 || x >= b->Width() || y >= b->Height()) return;
    TColor v = ColorToRGB(c);
    auto* p = static_cast<uint8_t*>(b->ScanLine(y)) + 3 * x;
    p[0] = static_cast<uint8_t>((v >> 16) & 0xFF);
    p[1] = static_cast<uint8_t>((v >> 8) & 0xFF);
    p[2] = static_cast<uint8_t>(v & 0xFF);
  }
  void Column(int x, int y0, int y1, TColor c) {
    for (int y = y0; y <= y1; ++y) Set(x, y, c);
  }
  void Row(int y, int x0, int x1, TColor c) {
    for (int x = x0; x <= x1; ++x) Set(x, y, c);
  }
};

// One bar rectangle in two gradient halves: the far edges in To, the middle
// in From (a middle row or column of an odd extent belongs to the second
// half, which is painted last).
void PaintBarRect(TCanvas* c, const TRect& r, bool vertical, TColor from, TColor to) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  if (!vertical) {
    int half = r.Height() / 2;
    services::GradientFillBands(c, Rect(r.Left, r.Top, r.Right, r.Bottom - half), from, to, services::gdBottomToTop,
                                255);
    services::GradientFillBands(c, Rect(r.Left, r.Top + half, r.Right, r.Bottom), to, from, services::gdBottomToTop,
                                255);
  } else {
    int half = r.Width() / 2;
    services::GradientFillBands(c, Rect(r.Left, r.Top, r.Right - half, r.Bottom), from, to, services::gdRightToLeft,
                                255);
    services::GradientFillBands(c, Rect(r.Left + half, r.Top, r.Right, r.Bottom), to, from, services::gdRightToLeft,
                                255);
  }
}

}  // namespace

TBPFLAG TaskBarProgressFlag(TCkTaskBarProgressState State) {
  switch (State) {
    case tpsNormal: return TBPF_NORMAL;
    case tpsNoProgress: return TBPF_NOPROGRESS;
    case tpsIndeterminate: return TBPF_INDETERMINATE;
    case tpsError: return TBPF_ERROR;
    case tpsPaused: return TBPF_PAUSED;
  }
  return TBPF_NOPROGRESS;
}

// ---- TCkBaseProgressBar

TCkBaseProgressBar::TCkBaseProgressBar(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csOpaque);
  FWidth = 150;
  FHeight = GetSystemMetrics(SM_CYVSCROLL);
}

TCkBaseProgressBar::~TCkBaseProgressBar() {
  if (FTaskBar) FTaskBar->Release();
  FTaskBar = nullptr;
}

void TCkBaseProgressBar::SetBlockSize(int Value) {
  if (Value <= 0) Value = 1;
  if (FBlockSize == Value) return;
  FBlockSize = Value;
  Repaint();
}

void TCkBaseProgressBar::SetSmooth(bool Value) {
  if (FSmooth == Value) return;
  FSmooth = Value;
  Repaint();
}

void TCkBaseProgressBar::SetBarColor(TColor Value) {
  if (FBarColor == Value) return;
  FBarColor = Value;
  Repaint();
}

void TCkBaseProgressBar::SetSteps(int Value) { FSteps = Value <= 0 ? 1 : Value; }

void TCkBaseProgressBar::SetMax(int Value) {
  if (Value < FMin) Value = FMin;
  if (FPosition > Value) FPosition = Value;
  if (FMax == Value) return;
  FMax = Value;
  FireChange();
  Repaint();
}

void TCkBaseProgressBar::SetMin(int Value) {
  if (Value > FMax) Value = FMax;
  if (FPosition < Value) FPosition = Value;
  if (FMin == Value) return;
  FMin = Value;
  FireChange();
  Repaint();
}

void TCkBaseProgressBar::SetPosition(int Value) {
  Value = std::clamp(Value, FMin, FMax);
  if (FPosition == Value) return;
  FPosition = Value;
  FireChange();
  Repaint();
  if (FTaskbarState == tpsNoProgress || FTaskbarState == tpsIndeterminate) SetTaskbarState(tpsNormal);
  if (FDisplayOnTaskbar && FTaskBar) {
    if (HWND wnd = TaskbarWindow())
      FTaskBar->SetProgressValue(wnd, static_cast<ULONGLONG>(FPosition), static_cast<ULONGLONG>(FMax));
  }
}

void TCkBaseProgressBar::SetOrientation(TProgressBarOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  // A size read from a form already fits the orientation.
  if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  Repaint();
}

void TCkBaseProgressBar::SetTaskbarState(TCkTaskBarProgressState Value) {
  FTaskbarState = Value;
  if (FDisplayOnTaskbar && FTaskBar) {
    if (HWND wnd = TaskbarWindow()) FTaskBar->SetProgressState(wnd, TaskBarProgressFlag(Value));
  }
}

void TCkBaseProgressBar::StepIt() { StepBy(FSteps); }

void TCkBaseProgressBar::StepBy(int Delta) {
  long long p = static_cast<long long>(FPosition) + Delta;
  SetPosition(static_cast<int>(std::clamp<long long>(p, FMin, FMax)));
}

void TCkBaseProgressBar::SetParent(TWinControl* AParent) {
  TGraphicControl::SetParent(AParent);
  FParentForm = nullptr;
  for (TWinControl* p = AParent; p; p = p->Parent()) {
    if (auto* form = dynamic_cast<TCustomForm*>(p)) {
      FParentForm = form;
      break;
    }
  }
}

ITaskbarList3* TCkBaseProgressBar::CreateTaskbarList() {
  ITaskbarList3* list = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_ITaskbarList3, reinterpret_cast<void**>(&list));
  if (FAILED(hr) || !list) return nullptr;
  // The list must be initialised before any other call; a list that cannot
  // be (or a system without the shell's taskbar) leaves the mirror off.
  if (FAILED(list->HrInit())) {
    list->Release();
    return nullptr;
  }
  return list;
}

void TCkBaseProgressBar::WndProc(TMessage& Message) {
  if (!FTaskBarTested && !FTaskBar) {
    FTaskBarTested = true;
    FTaskBar = CreateTaskbarList();
  }
  TGraphicControl::WndProc(Message);
}

HWND TCkBaseProgressBar::TaskbarWindow() const {
  bool mainFormOnTaskBar = false;
  if (Application && IsPublishedProp(Application, u"MainFormOnTaskBar"))
    mainFormOnTaskBar = GetPropValue(Application, u"MainFormOnTaskBar").AsOrdinal() != 0;
  if (mainFormOnTaskBar || !Application || !Application->Handle())
    return FParentForm && FParentForm->HandleAllocated() ? FParentForm->WindowHandle() : nullptr;
  return Application->Handle();
}

void TCkBaseProgressBar::FireChange() { OnChange(this); }

int TCkBaseProgressBar::BarSize() const { return FOrientation == pbVertical ? Height() : Width(); }

void TCkBaseProgressBar::Paint() {
  if (FMax - FMin < 1 || Width() < 1 || Height() < 1) return;
  int l = fw::MulDiv(BarSize(), FPosition - FMin, FMax - FMin);
  DrawBar(Canvas(), l);
}

void TCkBaseProgressBar::DrawBar(TCanvas* ACanvas, int L) {
  const int w = Width(), h = Height();
  TRect r = ClientRect();
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(Color());
  ACanvas->FillRect(r);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  DrawEdge(ACanvas->Handle(), &rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  r = Rect(rc.left, rc.top, rc.right, rc.bottom);
  if (L == 0) return;
  ACanvas->Brush()->SetColor(FBarColor);
  auto shrink = [](TRect x) { return Rect(x.Left + 1, x.Top + 1, x.Right - 1, x.Bottom - 1); };
  if (FOrientation == pbHorizontal) {
    if (FSmooth) {
      r.Right = r.Left + L;
      r = shrink(r);
      r.Right = std::min(r.Right, w - 2);
      if (r.Left < r.Right) ACanvas->FillRect(r);
      return;
    }
    r.Right = r.Left + FSteps;
    r = shrink(r);
    while (L > 0) {
      r.Right = std::min(r.Right, w - 3);
      if (r.Left >= r.Right) break;
      ACanvas->FillRect(r);
      int step = r.Width() + 2;
      r = Rect(r.Left + step, r.Top, r.Right + step, r.Bottom);
      L -= step;
    }
    return;
  }
  if (FSmooth) {
    r.Top = std::max(r.Bottom - L, 2);
    r = shrink(r);
    ACanvas->FillRect(r);
    return;
  }
  int dy = h - FSteps - 2;
  r = Rect(r.Left, r.Top + dy, r.Right, r.Bottom + dy);
  r.Bottom = r.Top + FSteps;
  r = shrink(r);
  while (L > 0) {
    r.Top = std::max(r.Top, 3);
    ACanvas->FillRect(r);
    r = Rect(r.Left, r.Top - FSteps, r.Right, r.Bottom - FSteps);
    L -= FSteps;
  }
}

// ---- TCkBaseGradientProgressBar

void TCkBaseGradientProgressBar::SetBarColorFrom(TColor Value) {
  if (FBarColorFrom == Value) return;
  FBarColorFrom = Value;
  Repaint();
}

void TCkBaseGradientProgressBar::SetBarColorTo(TColor Value) {
  if (FBarColorTo == Value) return;
  FBarColorTo = Value;
  Repaint();
}

// ---- TCkCustomXPProgressBar

TCkCustomXPProgressBar::TCkCustomXPProgressBar(TComponent* AOwner) : TCkBaseGradientProgressBar(AOwner) {
  FSteps = 7;
  FParentColor = false;
  FColor = clWindow;
  FBarColorFrom = 0x31D329;
  FBarColorTo = 0xADEFAD;
}

void TCkCustomXPProgressBar::DrawBar(TCanvas* ACanvas, int L) {
  const int w = Width(), h = Height();
  TColor outside = clBtnFace;
  if (Parent()) outside = Parent()->Color();
  else if (FParentForm) outside = FParentForm->Color();

  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(w, h);
  TCanvas* bc = bmp.Canvas();
  bc->Brush()->SetStyle(bsSolid);
  bc->Brush()->SetColor(kKeyColor);
  bc->FillRect(Rect(0, 0, w, h));
  bc->Brush()->SetColor(Color());
  bc->FillRect(Rect(3, 2, w - 3, h - 2));

  Pixels px{&bmp};
  for (int x : {0, w - 1}) {
    px.Set(x, 1, kLight);
    px.Set(x, h - 2, kLight);
    px.Column(x, 2, h - 3, kDark);
  }
  for (int x : {1, w - 2}) {
    px.Column(x, 0, h - 1, kLight);
    px.Set(x, 1, kDark);
    px.Set(x, h - 2, kDark);
  }
  for (int x : {2, w - 3}) {
    px.Set(x, 0, kDark);
    px.Set(x, h - 1, kDark);
    px.Set(x, 1, kLight);
    px.Set(x, 2, kLight);
    px.Column(x, 3, h - 2, kPale);
  }
  px.Row(0, 3, w - 4, kDark);
  px.Row(1, 3, w - 4, kLight);
  px.Row(2, 3, w - 4, kPale);
  px.Row(h - 2, 3, w - 4, kPale);
  px.Row(h - 1, 3, w - 4, kDark);
  // The corners show what lies behind the control.
  for (int x : {0, w - 1})
    for (int y : {0, h - 1}) px.Set(x, y, kKeyColor);
  bmp.SetModified(true);

  const int pitch = FBlockSize - 2;
  // Blocks need room for a gap: with a block size below 3 the bar is
  // drawn smooth.
  const bool smooth = FSmooth || pitch < 1;
  if (FOrientation == pbHorizontal) {
    if (smooth) {
      TRect r = Rect(4, 3, std::min(2 + L, w - 3), h - 3);
      if (r.Right > 4) PaintBarRect(bc, r, false, FBarColorFrom, FBarColorTo);
    } else {
      TRect r = Rect(4, 3, FBlockSize, h - 3);
      while (L > 2) {
        r.Right = std::min(r.Right, w - 3);
        if (r.Width() > 0) PaintBarRect(bc, r, false, FBarColorFrom, FBarColorTo);
        r = Rect(r.Left + pitch, r.Top, r.Right + pitch, r.Bottom);
        L -= pitch;
      }
    }
  } else {
    if (smooth) {
      int t = std::max(3, h - 2 - L);
      PaintBarRect(bc, Rect(4, t + 1, w - 4, h - 3), true, FBarColorFrom, FBarColorTo);
    } else {
      TRect r = Rect(3, h - FBlockSize + 1, w - 3, h - 3);
      while (L > 2) {
        r.Top = std::max(r.Top, 3);
        if (r.Height() > 0) PaintBarRect(bc, r, true, FBarColorFrom, FBarColorTo);
        r = Rect(r.Left, r.Top - pitch, r.Right, r.Bottom - pitch);
        L -= pitch;
      }
    }
  }

  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(outside);
  ACanvas->BrushCopy(Rect(0, 0, w, h), &bmp, Rect(0, 0, w, h), kKeyColor);
}

// ---- Run-time type information

FW_REGISTER(TCkBaseProgressBar) {}
FW_REGISTER(TCkBaseGradientProgressBar) {}
FW_REGISTER(TCkCustomXPProgressBar) {}

FW_REGISTER(TCkXPProgressBar) {
  using P = TCkXPProgressBar;
  c.Property(u"BarColorFrom", &P::BarColorFrom, &P::SetBarColorFrom).Type(TypeInfoTColor()).Default(0x31D329);
  c.Property(u"BarColorTo", &P::BarColorTo, &P::SetBarColorTo).Type(TypeInfoTColor()).Default(0xADEFAD);
  c.Property(u"Max", &P::Max, &P::SetMax).Default(100);
  c.Property(u"Min", &P::Min, &P::SetMin).Default(0);
  c.Property(u"Orientation", &P::Orientation, &P::SetOrientation).Default(pbHorizontal);
  c.Property(u"Position", &P::Position, &P::SetPosition).Default(0);
  c.Property(u"Smooth", &P::Smooth, &P::SetSmooth).Default(false);
  c.Property(u"Color", &P::Color, &P::SetColor).Type(TypeInfoTColor()).Default(clWindow);
  c.Property(u"ParentColor", &P::ParentColor, &P::SetParentColor).Default(false);
  c.Property(u"Width", &P::Width, &P::SetWidth).Default(150);
}

}  // namespace ck
