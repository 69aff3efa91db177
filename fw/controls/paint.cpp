// Painting of windowed controls: WM_PAINT with and without a device context,
// background erasing (own colour or the parent's background), double
// buffering, graphic children painted at their place, WM_PRINT and
// WM_PRINTCLIENT, and PaintTo.
#include "fw/controls/controlcanvas.h"
#include "fw/controls/controls.h"
#include "fw/core/rtti.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/graphics/graphics.h"

namespace fw {

namespace {

// Moves the logical origin of dc so that (0, 0) lands at (dx, dy) of the
// current coordinates.
void MoveWindowOrg(HDC dc, int dx, int dy) {
  POINT p;
  GetWindowOrgEx(dc, &p);
  SetWindowOrgEx(dc, p.x - dx, p.y - dy, nullptr);
}

// Marks a control as painting a copy of itself (csPaintCopy) while the
// holder lives, when mark is set; the mark is cleared at the end.
class TPaintCopyMark {
 public:
  explicit TPaintCopyMark(TControl* Control, bool mark = true) : FControl(Control) {
    if (mark) FControl->SetControlState(FControl->ControlState() + TControlState{csPaintCopy});
  }
  ~TPaintCopyMark() { FControl->SetControlState(FControl->ControlState() - TControlState{csPaintCopy}); }
  TPaintCopyMark(const TPaintCopyMark&) = delete;
  TPaintCopyMark& operator=(const TPaintCopyMark&) = delete;

 private:
  TControl* FControl;
};

// Offset of the client area inside the window rectangle.
POINT ClientOffset(HWND wnd) {
  RECT wr;
  GetWindowRect(wnd, &wr);
  POINT p{0, 0};
  ClientToScreen(wnd, &p);
  return {p.x - wr.left, p.y - wr.top};
}

}  // namespace

void TWinControl::Invalidate() {
  if (FHandle) ::InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::InvalidateRectOf(const TRect& R, bool Erase) {
  if (!FHandle) return;
  RECT r{R.Left, R.Top, R.Right, R.Bottom};
  ::InvalidateRect(FHandle, &r, Erase);
}

void TWinControl::WMPaint(TMessage& Message) {
  if (Message.WParam || !FDoubleBuffered) {
    bool native = FDefWndProc && FDefWndProc != DefWindowProcW;
    if (!FControlState.Contains(csCustomPaint) && FControls.empty() && (native || !Message.WParam)) {
      DefaultHandler(Message);
      return;
    }
    PaintHandler(Message);
    return;
  }
  // Double buffered: erase and paint into a bitmap, then copy it at once.
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHandle, &ps);
  TRect cr = ClientRect();
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, std::max(1, cr.Width()), std::max(1, cr.Height()));
  HGDIOBJ old = SelectObject(mem, bmp);
  try {
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(mem));
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
    BitBlt(dc, 0, 0, cr.Width(), cr.Height(), mem, 0, 0, SRCCOPY);
  } catch (...) {
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    EndPaint(FHandle, &ps);
    throw;
  }
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  EndPaint(FHandle, &ps);
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps;
  if (!dc) dc = BeginPaint(FHandle, &ps);
  try {
    if (FControls.empty()) {
      PaintWindow(dc);
    } else {
      int saved = SaveDC(dc);
      // Opaque graphic children paint every pixel of their rectangle.
      for (TControl* c : FControls)
        if (c->Visible() && c->ControlStyle().Contains(csOpaque))
          ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
      PaintWindow(dc);
      RestoreDC(dc, saved);
    }
    PaintControls(dc, nullptr);
  } catch (...) {
    if (!Message.WParam) EndPaint(FHandle, &ps);
    throw;
  }
  if (!Message.WParam) EndPaint(FHandle, &ps);
}

void TWinControl::PaintWindow(HDC DC) {
  // The framework's own classes have nothing to paint beyond the
  // background; a standard control paints itself into the given DC.
  if (!FDefWndProc || FDefWndProc == DefWindowProcW) return;
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  size_t start = 0;
  if (First) {
    auto it = std::find(FControls.begin(), FControls.end(), First);
    if (it != FControls.end()) start = static_cast<size_t>(it - FControls.begin());
  }
  for (size_t i = start; i < FControls.size(); ++i) {
    TControl* c = FControls[i];
    if (!c->Visible() && !c->ComponentState().Contains(csDesigning)) continue;
    RECT r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    if (!RectVisible(DC, &r)) continue;
    TSavedDC saved(DC);
    MoveWindowOrg(DC, c->Left(), c->Top());
    IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    TPaintCopyMark mark(c, FControlState.Contains(csPaintCopy));
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) {
    DefaultHandler(Message);
    return;
  }
  // While double buffered, the erase that BeginPaint asks for is skipped;
  // the buffer is erased with wParam == lParam.
  if (FDoubleBuffered && Message.WParam != static_cast<WPARAM>(Message.LParam)) {
    Message.Result = 1;
    return;
  }
  if (FControlStyle.Contains(csParentBackground) && FParent) PaintParentBackground(dc);
  else EraseBackground(dc);
  Message.Result = 1;
}

void TWinControl::EraseBackground(HDC DC) {
  TRect cr = ClientRect();
  RECT r{cr.Left, cr.Top, cr.Right, cr.Bottom};
  FillRect(DC, &r, BrushHandle());
}

void TWinControl::PaintParentBackground(HDC DC) {
  // The parent erases and paints its client area into our DC, moved so that
  // our place in it lands at our origin.
  TSavedDC saved(DC);
  MoveWindowOrg(DC, -FLeft, -FTop);
  TPaintCopyMark mark(FParent);
  FParent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  FParent->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT);
}

void TWinControl::WMPrintClient(TMessage& Message) {
  bool native = FDefWndProc && FDefWndProc != DefWindowProcW;
  if (native && FControls.empty() && !FControlState.Contains(csCustomPaint)) {
    DefaultHandler(Message);
    return;
  }
  FControlState.Include(csPrintClient);
  TMessage paint{WM_PAINT, Message.WParam, 0, 0};
  try {
    PaintHandler(paint);
  } catch (...) {
    FControlState.Exclude(csPrintClient);
    throw;
  }
  FControlState.Exclude(csPrintClient);
}

void TWinControl::WMPrint(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  LPARAM flags = Message.LParam;
  if (!dc || !FHandle) return;
  if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(FHandle)) return;
  if (flags & PRF_NONCLIENT) {
    TMessage nc{WM_PRINT, Message.WParam, PRF_NONCLIENT, 0};
    DefaultHandler(nc);
  }
  POINT off = ClientOffset(FHandle);
  TRect cr = ClientRect();
  int saved = SaveDC(dc);
  MoveWindowOrg(dc, off.x, off.y);
  IntersectClipRect(dc, 0, 0, cr.Width(), cr.Height());
  if (flags & PRF_ERASEBKGND)
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
  if (flags & PRF_CLIENT) Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
  if (flags & PRF_CHILDREN) {
    for (TWinControl* c : FWinControls) {
      if (!c->FHandle || !IsWindowVisible(c->FHandle)) continue;
      RECT wr;
      GetWindowRect(c->FHandle, &wr);
      MapWindowPoints(nullptr, FHandle, reinterpret_cast<POINT*>(&wr), 2);
      int s = SaveDC(dc);
      MoveWindowOrg(dc, wr.left, wr.top);
      IntersectClipRect(dc, 0, 0, wr.right - wr.left, wr.bottom - wr.top);
      c->Perform(WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | PRF_NONCLIENT);
      RestoreDC(dc, s);
    }
  }
  RestoreDC(dc, saved);
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
  HandleNeeded();
  TPaintCopyMark mark(this);
  TSavedDC saved(DC);
  MoveWindowOrg(DC, X, Y);
  IntersectClipRect(DC, 0, 0, FWidth, FHeight);
  POINT off = ClientOffset(FHandle);
  if (off.x || off.y) {
    TMessage nc{WM_PRINT, reinterpret_cast<WPARAM>(DC), PRF_NONCLIENT, 0};
    DefaultHandler(nc);
    MoveWindowOrg(DC, off.x, off.y);
  }
  TRect cr = ClientRect();
  IntersectClipRect(DC, 0, 0, cr.Width(), cr.Height());
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  for (size_t i = 0; i < FWinControls.size(); ++i) {
    TWinControl* c = FWinControls[i];
    if (c->FVisible) c->PaintTo(DC, c->FLeft, c->FTop);
  }
}

void TWinControl::PaintTo(TCanvas* Canvas, int X, int Y) {
  Canvas->Lock();
  try {
    PaintTo(Canvas->Handle(), X, Y);
  } catch (...) {
    Canvas->Unlock();
    throw;
  }
  Canvas->Unlock();
}

// ---- TGraphicControl and TCustomControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(new TControlCanvas(this)) {}

TGraphicControl::~TGraphicControl() { delete FCanvas; }

TCanvas* TGraphicControl::Canvas() const { return FCanvas; }

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    WMPaint(Message);
    return;
  }
  TControl::Dispatch(Message);
}

void TGraphicControl::WMPaint(TMessage& Message) {
  if (!Message.WParam || ComponentState().Contains(csDestroying)) return;
  TCanvasDCScope onDC(FCanvas, reinterpret_cast<HDC>(Message.WParam));
  Paint();
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(new TControlCanvas(this)) {
  FControlState.Include(csCustomPaint);
}

TCustomControl::~TCustomControl() { delete FCanvas; }

TCanvas* TCustomControl::Canvas() const { return FCanvas; }

void TCustomControl::PaintWindow(HDC DC) {
  TCanvasDCScope onDC(FCanvas, DC);
  Paint();
}

FW_REGISTER(TGraphicControl) {}

FW_REGISTER(TCustomControl) {}

}  // namespace fw
