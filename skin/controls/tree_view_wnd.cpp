#include "skin/controls/tree_view_wnd.h"

#include <commctrl.h>

#include "skin/engine/bitmap_dc.h"

namespace skin {

bool TkcTreeViewWnd::HotOrFocused() const {
  if (!IsWindowEnabled(CtrlHandle)) return false;
  return S.Focused || GetFocus() == CtrlHandle || (S.MouseAbove && !NoMouseHoverOption());
}

fw::TColor TkcTreeViewWnd::BackColor() const {
  if (DlgMode) return fw::clWindow;
  fw::TControl* c = Control();
  if (!Params().UseSkinColor) return c ? c->Color() : fw::clWindow;
  return SectionColor(*this, SectionStates(*this) > 1 && HotOrFocused() ? 1 : 0);
}

void TkcTreeViewWnd::Subclass() {
  TkcEditWnd::Subclass();
  if (Skinned()) SetSkinParams();
}

void TkcTreeViewWnd::SetSkinParams() {
  ParamsChanged = true;
  if (!DlgMode && !AdapterSection(*this)) return;
  const fw::TColor back = BackColor();
  if (fw::TControl* c = Control(); c && !DlgMode) {
    const int state = SectionStates(*this) > 1 && HotOrFocused() ? 1 : 0;
    const fw::TColor text = Params().UseSkinFontColor ? SectionFontColor(*this, state) : c->Font()->Color();
    if (c->Font()->Color() != text) c->Font()->SetColor(text);
    if (back == c->Color()) return;
  }
  SendMessageW(CtrlHandle, TVM_SETBKCOLOR, 0, LPARAM(fw::ColorToRGB(back)));
}

void TkcTreeViewWnd::RestoreStdParams() {
  TkcEditWnd::RestoreStdParams();
  if (IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, TVM_SETBKCOLOR, 0, LPARAM(fw::ColorToRGB(fw::clWindow)));
}

void TkcTreeViewWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcEditWnd::kcWndProc(Message);
  if (Message.Msg == WM_ERASEBKGND) {
    if (!Updating) {
      PrepareControlCache(*this, S, DlgMode);
      HDC dc = Message.WParam ? reinterpret_cast<HDC>(Message.WParam) : GetDC(CtrlHandle);
      RECT r{};
      GetClientRect(CtrlHandle, &r);
      SolidFillDC(dc, fw::Rect(0, 0, r.right, r.bottom), BackColor());
      if (!Message.WParam) ReleaseDC(CtrlHandle, dc);
    }
    Message.Result = 1;
    return;
  }
  TkcEditWnd::kcWndProc(Message);
  if (Message.Msg == WM_LBUTTONUP) ReleaseCapture();
}

}  // namespace skin
