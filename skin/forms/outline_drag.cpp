#include "skin/forms/outline_drag.h"

#include "skin/engine/bitmap_dc.h"
#include "skin/forms/core/border_tracking.h"
#include "skin/forms/skin_provider.h"

namespace skin {

TkBorderTracking BorderTracking;

namespace {

void DrawOutline(const fw::TRect& r) {
  if (!BorderTracking.DesktopDC) return;
  const POINT p[5] = {{r.Left, r.Top}, {r.Left, r.Bottom}, {r.Right, r.Bottom}, {r.Right, r.Top}, {r.Left, r.Top}};
  Polyline(BorderTracking.DesktopDC, p, 5);
}

void ReleaseDesktop() {
  if (!BorderTracking.DesktopDC) return;
  RestoreDC(BorderTracking.DesktopDC, BorderTracking.SavedDC);
  ReleaseDC(BorderTracking.DesktopWnd, BorderTracking.DesktopDC);
  BorderTracking.DesktopDC = nullptr;
}

fw::TRect OutlineRect(TkSkinProvider& p, int X, int Y) {
  fw::TCustomForm* form = p.Form();
  if (BorderTracking.Moving) return fw::Rect(X, Y, X + form->Width(), Y + form->Height());
  return fw::Rect(BorderTracking.Left, BorderTracking.Top, BorderTracking.Right, BorderTracking.Bottom);
}

}  // namespace

void DrawTrackingFrame(TkSkinProvider& Provider, int X, int Y) {
  if (Provider.ResizeMode != rmBorder) return;
  DrawOutline(OutlineRect(Provider, X, Y));
}

void StartBorderTracking(TkSkinProvider& Provider, int X, int Y) {
  fw::TCustomForm* form = Provider.Form();
  if (Provider.ResizeMode != rmBorder || !form || !form->Enabled()) return;
  TkBorderTracking& t = BorderTracking;
  t.Active = true;
  t.Provider = &Provider;
  t.DesktopWnd = GetDesktopWindow();
  t.DesktopDC = GetWindowDC(t.DesktopWnd);
  t.SavedDC = SaveDC(t.DesktopDC);
  RECT w{};
  GetWindowRect(form->Handle(), &w);
  t.Top = w.top;
  t.Left = w.left;
  SetROP2(t.DesktopDC, R2_NOT);
  if (t.Moving) {
    t.OffsetX = X;
    t.OffsetY = Y;
    DrawTrackingFrame(Provider, t.Left, t.Top);
  } else {
    t.MinHeight = form->Constraints()->MinHeight();
    t.MinWidth = form->Constraints()->MinWidth();
    t.Bottom = w.bottom;
    t.Right = w.right;
    DrawTrackingFrame(Provider, 0, 0);
  }
}

void EndBorderTracking(TkSkinProvider& Provider) {
  if (Provider.ResizeMode != rmBorder) return;
  TkBorderTracking& t = BorderTracking;
  const bool wasActive = t.Active;
  t.Active = false;
  t.Provider = nullptr;
  // The capture goes after the drag is marked over, so its loss ends nothing.
  if (GetCapture()) ReleaseCapture();
  if (!wasActive) return;
  fw::TCustomForm* form = Provider.Form();
  DrawTrackingFrame(Provider, t.Left, t.Top);
  ReleaseDesktop();
  // The outline is tracked on the screen; a window inside another (an MDI
  // child) is placed in its parent's client coordinates.
  const HWND wnd = form->Handle();
  POINT at{t.Left, t.Top};
  if (const HWND parent = GetParent(wnd); parent && (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD))
    ScreenToClient(parent, &at);
  if (t.Moving) {
    MoveWindow(wnd, at.x, at.y, form->Width(), form->Height(), TRUE);
  } else {
    if (!t.Cancelled) MoveWindow(wnd, at.x, at.y, t.Right - t.Left, t.Bottom - t.Top, TRUE);
    t.Cancelled = false;
  }
}

void AbandonBorderTracking() {
  TkBorderTracking& t = BorderTracking;
  if (!t.Active) return;
  t.Active = false;
  if (t.Provider) DrawTrackingFrame(*t.Provider, t.Left, t.Top);
  t.Provider = nullptr;
  t.Cancelled = false;
  ReleaseDesktop();
}

bool SetWindowBlend(HWND Wnd, bool Blend, int Alpha) {
  const LONG_PTR ex = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
  if (Blend && LayeredWindowsAvailable()) {
    const bool made = !(ex & WS_EX_LAYERED);
    if (made) SetWindowLongPtrW(Wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(Wnd, 0, BYTE(Alpha), LWA_ALPHA);
    return made;
  }
  SetWindowLongPtrW(Wnd, GWL_STYLE, GetWindowLongPtrW(Wnd, GWL_STYLE) & ~LONG_PTR(WS_VISIBLE));
  SetWindowLongPtrW(Wnd, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
  return false;
}

fw::TWinControl* FindControlByDlgID(int ID, fw::TComponent* Root) {
  if (!Root) return nullptr;
  for (int i = 0; i < Root->ComponentCount(); ++i) {
    fw::TComponent* c = Root->Components(i);
    if (auto* w = dynamic_cast<fw::TWinControl*>(c); w && w->HandleAllocated() && GetDlgCtrlID(w->Handle()) == ID)
      return w;
    if (fw::TWinControl* found = FindControlByDlgID(ID, c)) return found;
  }
  return nullptr;
}

}  // namespace skin
