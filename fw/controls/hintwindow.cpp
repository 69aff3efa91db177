#include "fw/controls/hintwindow.h"

#include "fw/core/rtti.h"
#include "fw/system/screen.h"

namespace fw {

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clInfoBk;
  FParentColor = false;
  FParentFont = false;
  FVisible = false;
  if (Screen) FFont->Assign(Screen->HintFont());
  FControlStyle.Exclude(csCaptureMouse);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  Params.WndParent = nullptr;
  Params.WindowClass.style |= CS_SAVEBITS;
}

void THintWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST:
      Message.Result = HTTRANSPARENT;
      return;
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      return;
    case CM_TEXTCHANGED:
      // A caption change never resizes the window.
      Invalidate();
      return;
    default:
      TCustomControl::Dispatch(Message);
  }
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FFont->Handle());
  RECT r{0, 0, MaxWidth, 0};
  DrawTextW(dc, W(AHint), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // Room for the border and a margin of two pixels each side.
  return Rect(0, 0, r.right + 6, r.bottom + 4);
}

void THintWindow::ActivateHint(const TRect& R, const String& AHint) {
  SetCaption(AHint);
  TRect r = R;
  TRect work = Screen ? Screen->WorkAreaRect() : R;
  if (r.Right > work.Right) { r.Left -= r.Right - work.Right; r.Right = work.Right; }
  if (r.Bottom > work.Bottom) { r.Top -= r.Bottom - work.Bottom; r.Bottom = work.Bottom; }
  if (r.Left < work.Left) { r.Right += work.Left - r.Left; r.Left = work.Left; }
  if (r.Top < work.Top) { r.Bottom += work.Top - r.Top; r.Top = work.Top; }
  SetBoundsRect(r);
  HWND h = Handle();
  SetWindowPos(h, HWND_TOPMOST, r.Left, r.Top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FVisible = true;
  FShowing = true;
  Invalidate();
  Update();
}

void THintWindow::ActivateHintData(const TRect& Rect, const String& AHint, void*) { ActivateHint(Rect, AHint); }

void THintWindow::ReleaseHandle() {
  if (FHandle) ShowWindow(FHandle, SW_HIDE);
  FVisible = false;
  FShowing = false;
}

void THintWindow::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(FColor);
  c->FillRect(r);
  c->Font()->Assign(FFont);
  RECT tr{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
  SetBkMode(c->Handle(), TRANSPARENT);
  SetTextColor(c->Handle(), static_cast<COLORREF>(ColorToRGB(FFont->Color())));
  DrawTextW(c->Handle(), W(Caption()), -1, &tr, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

FW_REGISTER(THintWindow) {}

}  // namespace fw
