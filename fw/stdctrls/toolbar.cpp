#include "fw/stdctrls/toolbar.h"

#include <commctrl.h>

#include <algorithm>

#include "fw/core/rtti.h"

namespace fw {

// ---- TToolButton

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 23;
  FHeight = 22;
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

int TToolButton::Index() const {
  TToolBar* bar = ToolBar();
  if (!bar) return -1;
  const auto it = std::find(bar->FButtons.begin(), bar->FButtons.end(), this);
  return it == bar->FButtons.end() ? -1 : int(it - bar->FButtons.begin());
}

void TToolButton::Changed() {
  if (TToolBar* bar = ToolBar()) bar->UpdateButtons();
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed();
}

void TToolButton::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  if (TToolBar* bar = ToolBar()) bar->UpdateButtonState(this);
}

void TToolButton::SetMarked(bool Value) {
  if (FMarked == Value) return;
  FMarked = Value;
  if (TToolBar* bar = ToolBar()) bar->UpdateButtonState(this);
}

void TToolButton::SetIndeterminate(bool Value) {
  if (FIndeterminate == Value) return;
  FIndeterminate = Value;
  if (TToolBar* bar = ToolBar()) bar->UpdateButtonState(this);
}

void TToolButton::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed();
}

void TToolButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_HITTEST:
      // The system's bar takes the mouse over its buttons.
      Message.Result = 0;
      return;
    case CM_TEXTCHANGED:
    case CM_VISIBLECHANGED:
      TGraphicControl::Dispatch(Message);
      Changed();
      return;
    case CM_ENABLEDCHANGED:
      TGraphicControl::Dispatch(Message);
      if (TToolBar* bar = ToolBar()) bar->UpdateButtonState(this);
      return;
    default: TGraphicControl::Dispatch(Message);
  }
}

// ---- TToolBar

namespace {

BYTE NativeState(const TToolButton* b) {
  BYTE s = 0;
  if (b->Enabled()) s |= TBSTATE_ENABLED;
  if (b->Down()) s |= b->Style() == tbsCheck ? TBSTATE_CHECKED : TBSTATE_PRESSED;
  if (b->Indeterminate()) s |= TBSTATE_INDETERMINATE;
  if (b->Marked()) s |= TBSTATE_MARKED;
  if (!b->Visible()) s |= TBSTATE_HIDDEN;
  return s;
}

BYTE NativeStyle(TToolButtonStyle s) {
  switch (s) {
    case tbsCheck: return BTNS_CHECK;
    case tbsDropDown: return BTNS_DROPDOWN;
    case tbsSeparator:
    case tbsDivider: return BTNS_SEP;
    default: return BTNS_BUTTON;
  }
}

int EdgeWidth(TEdgeStyle Inner, TEdgeStyle Outer) { return (Inner != esNone ? 1 : 0) + (Outer != esNone ? 1 : 0); }

}  // namespace

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner), FCanvas(new TControlCanvas(this)) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
  FColor = clBtnFace;
  FParentColor = false;
  FWidth = 150;
  FHeight = 29;
  FAlign = alTop;
}

TToolBar::~TToolBar() {
  if (FHandle) DestroyHandle();
  delete FCanvas;
}

TToolButton* TToolBar::Buttons(int Index) const {
  if (Index < 0 || Index >= ButtonCount()) throw EListError(u"List index out of bounds");
  return FButtons[size_t(Index)];
}

void TToolBar::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses(ICC_BAR_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, TOOLBARCLASSNAMEW);
  // The framework places the bar and its buttons.
  Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | CCS_TOP;
  if (FFlat) Params.Style |= TBSTYLE_FLAT;
  if (FList) Params.Style |= TBSTYLE_LIST;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TToolBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(FHandle, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  UpdateButtons();
}

TRect TToolBar::NonClientInsets() const {
  const int e = FBorderWidth + EdgeWidth(FEdgeInner, FEdgeOuter);
  return TRect{FEdgeBorders.Contains(ebLeft) ? e : FBorderWidth, FEdgeBorders.Contains(ebTop) ? e : FBorderWidth,
               FEdgeBorders.Contains(ebRight) ? e : FBorderWidth, FEdgeBorders.Contains(ebBottom) ? e : FBorderWidth};
}

void TToolBar::UpdateButtons() {
  if (!FHandle || FUpdating) return;
  FUpdating = true;
  SendMessageW(FHandle, WM_SETREDRAW, 0, 0);
  while (SendMessageW(FHandle, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(FHandle, TB_DELETEBUTTON, 0, 0);
  SendMessageW(FHandle, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
  SendMessageW(FHandle, TB_SETBUTTONSIZE, 0, MAKELPARAM(FButtonWidth, FButtonHeight));
  for (size_t i = 0; i < FButtons.size(); ++i) {
    TToolButton* b = FButtons[i];
    const String caption = b->Caption();
    TBBUTTON n{};
    const bool separator = b->Style() == tbsSeparator || b->Style() == tbsDivider;
    n.iBitmap = separator ? b->Width() : (FImages && b->ImageIndex() >= 0 ? b->ImageIndex() : I_IMAGENONE);
    n.idCommand = int(i) + 1;
    n.fsState = NativeState(b);
    n.fsStyle = NativeStyle(b->Style());
    n.dwData = reinterpret_cast<DWORD_PTR>(b);
    n.iString = FShowCaptions && !separator && !caption.empty() ? reinterpret_cast<INT_PTR>(caption.c_str()) : -1;
    SendMessageW(FHandle, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&n));
  }
  SendMessageW(FHandle, WM_SETREDRAW, 1, 0);
  FUpdating = false;
  PlaceButtons();
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TToolBar::UpdateButtonState(TToolButton* Button) {
  const int i = Button->Index();
  if (!FHandle || i < 0) return;
  SendMessageW(FHandle, TB_SETSTATE, WPARAM(i + 1), MAKELPARAM(NativeState(Button), 0));
}

void TToolBar::PlaceButtons() {
  if (!FHandle || FUpdating) return;
  FUpdating = true;
  for (size_t i = 0; i < FButtons.size(); ++i) {
    RECT r{};
    if (SendMessageW(FHandle, TB_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r)))
      FButtons[i]->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  FUpdating = false;
}

void TToolBar::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  RecreateWnd();
}

void TToolBar::SetList(bool Value) {
  if (FList == Value) return;
  FList = Value;
  RecreateWnd();
}

void TToolBar::SetShowCaptions(bool Value) {
  if (FShowCaptions == Value) return;
  FShowCaptions = Value;
  UpdateButtons();
}

void TToolBar::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  UpdateButtons();
}

void TToolBar::SetButtonWidth(int Value) {
  if (FButtonWidth == Value) return;
  FButtonWidth = Value;
  UpdateButtons();
}

void TToolBar::SetButtonHeight(int Value) {
  if (FButtonHeight == Value) return;
  FButtonHeight = Value;
  UpdateButtons();
}

void TToolBar::SetBorderWidth(int Value) {
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  RecreateWnd();
}

void TToolBar::SetEdgeBorders(TEdgeBorders Value) {
  if (FEdgeBorders == Value) return;
  FEdgeBorders = Value;
  RecreateWnd();
}

void TToolBar::SetEdgeInner(TEdgeStyle Value) {
  if (FEdgeInner == Value) return;
  FEdgeInner = Value;
  RecreateWnd();
}

void TToolBar::SetEdgeOuter(TEdgeStyle Value) {
  if (FEdgeOuter == Value) return;
  FEdgeOuter = Value;
  RecreateWnd();
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& Draw) {
  NMCUSTOMDRAW& d = Draw.nmcd;
  if (d.dwDrawStage == CDDS_PREPAINT) {
    bool defaultDraw = true;
    if (OnAdvancedCustomDraw) {
      TCanvasDCScope onDC(FCanvas, d.hdc);
      FCanvas->SetFont(Font());
      RECT c{};
      GetClientRect(FHandle, &c);
      OnAdvancedCustomDraw(this, TRect{c.left, c.top, c.right, c.bottom}, cdPrePaint, defaultDraw);
    }
    return defaultDraw ? CDRF_NOTIFYITEMDRAW : CDRF_SKIPDEFAULT;
  }
  if (d.dwDrawStage == CDDS_ITEMPREPAINT) {
    auto* button = reinterpret_cast<TToolButton*>(d.lItemlParam);
    if (!OnAdvancedCustomDrawButton || std::find(FButtons.begin(), FButtons.end(), button) == FButtons.end())
      return CDRF_DODEFAULT;
    bool defaultDraw = true;
    TTBCustomDrawFlags flags = 0;
    {
      TCanvasDCScope onDC(FCanvas, d.hdc);
      FCanvas->SetFont(Font());
      OnAdvancedCustomDrawButton(this, button, TCustomDrawState::FromMask(d.uItemState & 0x1FF), cdPrePaint, flags, defaultDraw);
    }
    if (!defaultDraw) return CDRF_SKIPDEFAULT;
    LRESULT r = CDRF_DODEFAULT;
    if (flags & tbNoEdges) r |= TBCDRF_NOEDGES;
    if (flags & tbHiliteHotTrack) r |= TBCDRF_HILITEHOTTRACK;
    if (flags & tbNoOffset) r |= TBCDRF_NOOFFSET;
    if (flags & tbNoMark) r |= TBCDRF_NOMARK;
    if (flags & tbNoEtchedEffect) r |= TBCDRF_NOETCHEDEFFECT;
    return r;
  }
  return CDRF_DODEFAULT;
}

void TToolBar::DropDown(TToolButton* Button) {
  if (!Button || !Button->DropdownMenu()) return;
  RECT r{};
  SendMessageW(FHandle, TB_GETITEMRECT, WPARAM(Button->Index()), reinterpret_cast<LPARAM>(&r));
  POINT p{r.left, r.bottom};
  ::ClientToScreen(FHandle, &p);
  Button->DropdownMenu()->Popup(p.x, p.y);
  Perform(CN_DROPDOWNCLOSED, 0, 0);
}

void TToolBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_CONTROLCHANGE:
      if (auto* b = dynamic_cast<TToolButton*>(reinterpret_cast<TControl*>(Message.WParam)); b && Message.LParam) {
        if (std::find(FButtons.begin(), FButtons.end(), b) == FButtons.end()) FButtons.push_back(b);
        UpdateButtons();
      }
      break;
    case CM_CONTROLLISTCHANGE:
      if (!Message.LParam) {
        auto* c = reinterpret_cast<TControl*>(Message.WParam);
        const auto it = std::find(FButtons.begin(), FButtons.end(), c);
        if (it != FButtons.end()) {
          FButtons.erase(it);
          if (!ComponentState().Contains(csDestroying)) UpdateButtons();
        }
      }
      break;
    case CN_NOTIFY: {
      auto* h = reinterpret_cast<NMHDR*>(Message.LParam);
      if (h->code == NM_CUSTOMDRAW) {
        Message.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(Message.LParam));
        return;
      }
      if (h->code == UINT(TBN_DROPDOWN)) {
        const int id = reinterpret_cast<NMTOOLBARW*>(Message.LParam)->iItem;
        if (id >= 1 && id <= ButtonCount()) DropDown(FButtons[size_t(id - 1)]);
        Message.Result = TBDDRET_DEFAULT;
        return;
      }
      break;
    }
    case WM_NCCALCSIZE: {
      TWinControl::Dispatch(Message);
      auto* r = reinterpret_cast<RECT*>(Message.LParam);
      const TRect i = NonClientInsets();
      r->left += i.Left;
      r->top += i.Top;
      r->right -= i.Right;
      r->bottom -= i.Bottom;
      return;
    }
    case WM_NCPAINT: {
      TWinControl::Dispatch(Message);
      if (EdgeWidth(FEdgeInner, FEdgeOuter) == 0 || FEdgeBorders.Mask() == 0) return;
      HDC dc = GetWindowDC(FHandle);
      RECT w{};
      GetWindowRect(FHandle, &w);
      RECT r{0, 0, w.right - w.left, w.bottom - w.top};
      UINT edge = (FEdgeOuter == esRaised ? BDR_RAISEDOUTER : FEdgeOuter == esLowered ? BDR_SUNKENOUTER : 0) |
                  (FEdgeInner == esRaised ? BDR_RAISEDINNER : FEdgeInner == esLowered ? BDR_SUNKENINNER : 0);
      UINT sides = (FEdgeBorders.Contains(ebLeft) ? BF_LEFT : 0) | (FEdgeBorders.Contains(ebTop) ? BF_TOP : 0) |
                   (FEdgeBorders.Contains(ebRight) ? BF_RIGHT : 0) | (FEdgeBorders.Contains(ebBottom) ? BF_BOTTOM : 0);
      DrawEdge(dc, &r, edge, sides);
      ReleaseDC(FHandle, dc);
      return;
    }
    case WM_SIZE:
      TWinControl::Dispatch(Message);
      PlaceButtons();
      return;
    default: break;
  }
  TWinControl::Dispatch(Message);
}

FW_REGISTER(TToolButton) {
  c.Property(u"Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
  c.Property(u"Down", &TToolButton::Down, &TToolButton::SetDown).Default(false);
  c.Property(u"Marked", &TToolButton::Marked, &TToolButton::SetMarked).Default(false);
  c.Property(u"Indeterminate", &TToolButton::Indeterminate, &TToolButton::SetIndeterminate).Default(false);
  c.Property(u"ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1);
  c.Property(u"DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
}

FW_REGISTER(TToolBar) {
  c.Property(u"Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(true);
  c.Property(u"List", &TToolBar::List, &TToolBar::SetList).Default(false);
  c.Property(u"ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
  c.Property(u"Images", &TToolBar::Images, &TToolBar::SetImages);
  c.Property(u"ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
  c.Property(u"ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
  c.Property(u"BorderWidth", &TToolBar::BorderWidth, &TToolBar::SetBorderWidth).Default(0);
  c.Property(u"EdgeBorders", &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders);
  c.Property(u"EdgeInner", &TToolBar::EdgeInner, &TToolBar::SetEdgeInner).Default(esRaised);
  c.Property(u"EdgeOuter", &TToolBar::EdgeOuter, &TToolBar::SetEdgeOuter).Default(esLowered);
  c.Event(u"OnAdvancedCustomDraw", &TToolBar::OnAdvancedCustomDraw);
  c.Event(u"OnAdvancedCustomDrawButton", &TToolBar::OnAdvancedCustomDrawButton);
}

}  // namespace fw
