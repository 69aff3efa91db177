#include "skin/controls/edit_wnd.h"

#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/listbox.h"
#include "fw/system/application.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/control_messages.h"
#include "skin/engine/core/control_kinds.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/window_utils.h"

namespace skin {

namespace {

constexpr UINT kReflectedKeyDown = 0xBD00, kReflectedKeyUp = 0xBD01;

bool BeingDestroyed(fw::TControl* Control) {
  return Control && Control->ComponentState().Contains(fw::csDestroying);
}

bool EmptyClip(HDC DC) {
  RECT r{};
  return GetClipBox(DC, &r) == NULLREGION;
}

}  // namespace

TkcEditWnd::TkcEditWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint)
    : TkcBaseWnd(AHandle, std::move(ASkin), Params, Repaint) {
  SaveStdParams();
}

bool TkcEditWnd::ThemeOffOnAttach() const {
  // Edits lose their theme also in a dialog: the theme would draw its own
  // frame over the skinned one. A control that asks for its theme keeps it.
  return TkcBaseWnd::ThemeOffOnAttach() ||
         (SkinSection() != u"DIALOG" && !HasPublishedProp(Control(), u"UseXPThemes"));
}

void TkcEditWnd::Subclass() {
  TkcBaseWnd::Subclass();
  SingleLineEdit = dynamic_cast<fw::TCustomEdit*>(Control()) &&
                   !(GetWindowLongPtrW(CtrlHandle, GWL_STYLE) & ES_MULTILINE);
}

fw::TRect TkcEditWnd::ClientRect() {
  if (FClientRect.Top == -1) FClientRect = ClientRectInWindow(CtrlHandle);
  return FClientRect;
}

void TkcEditWnd::SaveStdParams() {
  fw::TControl* c = Control();
  if (!c) return;
  StdColor = c->Color();
  StdFontColor = c->Font()->Color();
  // Giving a colour takes the control off its parent's colour and font.
  StdParentColor = c->ParentColor();
  StdParentFont = c->ParentFont();
  HasFocusColor = HasPublishedProp(c, u"FocusColor");
  if (HasFocusColor) FocusColor = fw::TColor(ReadOrdPropByName(c, u"FocusColor"));
}

void TkcEditWnd::RestoreStdParams() {
  if (IsWindowVisible(CtrlHandle))
    SetWindowPos(CtrlHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
  fw::TControl* c = Control();
  if (!c || BeingDestroyed(c)) return;
  c->SetColor(StdColor);
  c->Font()->SetColor(StdFontColor);
  if (HasFocusColor) WriteOrdPropByName(c, u"FocusColor", FocusColor);
  if (StdParentColor) c->SetParentColor(true);
  if (StdParentFont) c->SetParentFont(true);
}

bool TkcEditWnd::ControlIsHotOrFocused() const {
  fw::TControl* c = Control();
  if (!c || !c->Enabled()) return false;
  if (S.Focused || GetFocus() == CtrlHandle) return true;
  return S.MouseAbove && !NoMouseHoverOption();
}

bool TkcEditWnd::DisabledSingleLine() const { return SingleLineEdit && !IsWindowEnabled(CtrlHandle); }

void TkcEditWnd::SetSkinParams() {
  if (bPreventStyleChange) return;
  bPreventStyleChange = true;
  Updating = true;
  ParamsChanged = true;
  const TkGeneralData* s = AdapterSection(*this);
  if (s) {
    if (fw::TControl* c = Control()) {
      const int state = ControlIsHotOrFocused() && s->States > 1 ? 1 : 0;
      if (Params().UseSkinColor) {
        const fw::TColor colour = SectionColor(*this, state);
        if (HasFocusColor) {
          if (c->Color() != colour) WriteOrdPropByName(c, u"Color", colour);
          WriteOrdPropByName(c, u"FocusColor", colour);
        } else if (c->Color() != colour) {
          c->SetColor(colour);
        }
        Color = colour;
      }
      if (Params().UseSkinFontColor) {
        const fw::TColor font = SectionFontColor(*this, state);
        if (c->Font()->Color() != font) c->Font()->SetColor(font);
        if (Destroyed) {
          bPreventStyleChange = false;
          return;
        }
      }
    } else {
      if (Params().UseSkinColor) Color = DlgMode ? fw::clWindow : SectionColor(*this, 0);
      FrameColor = Skin()->Palette[pcBorder];
    }
    BGChanged = true;
    Updating = false;
  } else {
    FrameColor = 0;
  }
  bPreventStyleChange = false;
}

void TkcEditWnd::PaintFrame(fw::TMessage& Message) {
  Message.Result = 0;
  if (AnimationInProgress) return;
  if (!ScrollsInitialized) RefreshWindowFrame(CtrlHandle, true);
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  if (Updating) return;
  HDC dc = GetWindowDC(CtrlHandle);
  if (dc == PrintDC || !EmptyClip(dc)) {
    if (BGChanged) {
      if (!ParamsChanged) SetSkinParams();
      PrepareControlCache(*this, S, DlgMode);
    }
    if (S.Cache) {
      const int saved = SaveDC(dc);
      PaintScrollBars(-1, dc);
      GdiFlush();
      CopyBorderStrips(dc, 0, 0, S.Geo.WndSize.x, S.Geo.WndSize.y, S.Cache->Canvas()->Handle(), 0, 0,
                       ClientRect().Top);
      RestoreDC(dc, saved);
    }
  }
  ReleaseDC(CtrlHandle, dc);
}

void TkcEditWnd::Print(fw::TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  {
    // The system's printing may leave the DC's origin moved.
    const int saved = dc ? SaveDC(dc) : 0;
    CallPrev(Message);
    if (saved) RestoreDC(dc, saved);
  }
  if (Message.Result == 2) return;
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  Updating = false;
  BGChanged = true;
  if (!ParamsChanged) SetSkinParams();
  PrepareControlCache(*this, S, DlgMode);
  if (!DlgMode) FillBorderCorners(*this, S, 0);
  if (!S.Cache || !dc) return;
  const int e = cxLeftEdge;
  const int w = S.Geo.WndSize.x, h = S.Geo.WndSize.y;
  const int outer = SaveDC(dc);
  HDC cacheDC = S.Cache->Canvas()->Handle();
  GdiFlush();
  if (Message.LParam & PRF_CLIENT && !(Message.LParam & PRF_NONCLIENT)) {
    OffsetViewportOrgEx(dc, -e, -e, nullptr);
    IntersectClipRect(dc, e, e, w - e, h - e);
  } else {
    CopyBorderStrips(dc, 0, 0, w, h, cacheDC, 0, 0, ClientRect().Top);
    PaintScrollBars(-1, dc);
  }
  SaveDC(dc);
  OffsetViewportOrgEx(dc, e, e, nullptr);
  const fw::TRect client = ClientRect();
  IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
  const TkGeneralData* s = AdapterSection(*this);
  if (DisabledSingleLine()) {
    // The cache holds the greyed text: printed as the window shows it.
    BitBlt(dc, 0, 0, client.Width(), client.Height(), cacheDC, client.Left, client.Top, SRCCOPY);
  } else {
    if (s && (SectionBgType(s->Props[0]) != 0 || s->Props[0].Transparency > 0))
      BitBlt(dc, 0, 0, client.Width(), client.Height(), cacheDC, client.Left, client.Top, SRCCOPY);
    else
      SolidFillDC(dc, fw::Rect(0, 0, w, h), Color);
    FInPrint = true;
    SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, 0);
    SendMessageW(CtrlHandle, WM_PRINTCLIENT, Message.WParam, PRF_CLIENT | PRF_OWNED);
    FInPrint = false;
  }
  RestoreDC(dc, outer);
  Message.Result = 0;
}

bool TkcEditWnd::HandleAlphaCmd(fw::TMessage& Message) {
  switch (SkinCommandCode(Message.WParam)) {
    case SKC_REFRESH:
      if (!OwnManagerCommand(Message)) return false;
      TkcBaseWnd::kcWndProc(Message);
      SetSkinParams();
      return true;
    case SKC_UPDATEDONE:
      if (Updating) {
        Updating = false;
        RedrawWindow(CtrlHandle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      }
      return false;
    case SKC_ISHANDLED: Message.Result = 1; return true;
    case SKC_PREPARECACHE:
      CaptureWindowGeometry(CtrlHandle, S.Geo);
      PrepareControlCache(*this, S, DlgMode);
      FillBorderCorners(*this, S, 0);
      return true;
    case SKC_GETSKININDEX:
      if (auto* info = reinterpret_cast<TkcSectionInfo*>(Message.LParam)) AdapterSection(*this, &info->SkinIndex);
      return true;
    case SKC_GETBGINFO: {
      auto* info = reinterpret_cast<TkcBackgroundInfo*>(Message.LParam);
      if (!info) return false;
      CallPrev(Message);
      if (info->BgType != btUnknown) return true;
      fw::TControl* c = Control();
      info->BgType = btFill;
      info->Color = !Params().UseSkinColor && c ? c->Color() : Color;
      return true;
    }
    case SKC_BEFORESCROLL:
      if (fLeftScrollbar) SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
      else TkcBaseWnd::kcWndProc(Message);
      return true;
    case SKC_AFTERSCROLL:
      if (fLeftScrollbar) {
        SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
        InvalidateRect(CtrlHandle, nullptr, TRUE);
      } else {
        TkcBaseWnd::kcWndProc(Message);
      }
      return true;
    case SKC_GETAPPLICATION: Message.Result = reinterpret_cast<LRESULT>(fw::Application); return true;
    default: return false;
  }
}

void TkcEditWnd::FollowUp(fw::TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      if (IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
      break;
    case WM_SETFONT:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case kReflectedKeyDown:
    case kReflectedKeyUp:
      if (!DontRepaint) RefreshScrollBars();
      break;
    case EM_REPLACESEL:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_SETCURSEL:
    case LB_SETTOPINDEX: RefreshScrollBars(); break;
    case LB_GETTOPINDEX:
      // An empty list has no top item.
      if (auto* list = dynamic_cast<fw::TCustomListBox*>(Control()); list && Message.Result == 0 && list->Count() == 0)
        Message.Result = -1;
      break;
    case WM_MOUSEMOVE:
      if (HasDefaultManager() && IsWindowEnabled(CtrlHandle)) {
        SetManagerActiveControl(CtrlHandle);
        if (GetCapture() && !Updating) RefreshScrollBars();
      }
      break;
    case WM_PARENTNOTIFY:
      if (LOWORD(Message.WParam) == WM_CREATE) CtrlListChanged = true;
      break;
    case fw::CM_CONTROLLISTCHANGE: CtrlListChanged = true; break;
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE: {
      const bool above = Message.Msg == fw::CM_MOUSEENTER;
      if (above != S.MouseAbove) {
        S.MouseAbove = above;
        if (SkinHasHotState(*this, true)) {
          BGChanged = true;
          SetSkinParams();
          RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        }
      }
      break;
    }
    default: break;
  }
}

void TkcEditWnd::kcWndProc(fw::TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND && SkinCommandCode(Message.WParam) == SKC_ISHANDLED) {
    Message.Result = 1;
    return;
  }
  if (Destroyed || !Skinned()) {
    TkcBaseWnd::kcWndProc(Message);
    return;
  }
  const bool visible = IsWindowVisible(CtrlHandle) != 0;
  switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      auto* w = dynamic_cast<fw::TWinControl*>(Control());
      if (SkinHasHotState(*this, false) && w && w->CanFocus() && w->TabStop()) {
        BGChanged = true;
        S.Focused = Message.Msg == WM_SETFOCUS;
        TkcBaseWnd::kcWndProc(Message);
        if (Destroyed) return;
        SetSkinParams();
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        return;
      }
      break;
    }
    case WM_SETREDRAW:
      if (Message.WParam == 1 && CtrlListChanged) {
        RequestControlAdapters(Control());
        CtrlListChanged = false;
      }
      break;
    case WM_SETTEXT:
    case fw::CM_ENABLEDCHANGED:
    case fw::CM_FONTCHANGED:
      BGChanged = true;
      if (!Updating) RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      break;
    case WM_PAINT: {
      if (!visible || bPreventStyleChange) break;
      HDC given = reinterpret_cast<HDC>(Message.WParam);
      if (given && given != PrintDC && EmptyClip(given)) return;
      if (DisabledSingleLine() && S.Cache) {
        PAINTSTRUCT ps{};
        BeginPaint(CtrlHandle, &ps);
        HDC dc = GetWindowDC(CtrlHandle);
        GdiFlush();
        BitBlt(dc, 0, 0, S.Geo.WndSize.x, S.Geo.WndSize.y, S.Cache->Canvas()->Handle(), 0, 0, SRCCOPY);
        ReleaseDC(CtrlHandle, dc);
        EndPaint(CtrlHandle, &ps);
        Message.Result = 0;
        return;
      }
      if (Updating || (AnimationInProgress && !PrintDC)) {
        PAINTSTRUCT ps{};
        BeginPaint(CtrlHandle, &ps);
        EndPaint(CtrlHandle, &ps);
        Message.Result = 0;
        return;
      }
      if (!FInPrint) PaintScrollBars(-1, given);
      if (!ParamsChanged) SetSkinParams();
      break;
    }
    case WM_ERASEBKGND: {
      if (!visible || bPreventStyleChange) break;
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      if (dc == PrintDC || (dc && !EmptyClip(dc))) {
        if (Updating) return;
        if (!ParamsChanged) SetSkinParams();
        if (!DisabledSingleLine() && !(AnimationInProgress && !PrintDC)) break;
      }
      Message.Result = 1;
      return;
    }
    case WM_NCPAINT:
      if (!visible || bPreventStyleChange) break;
      PaintFrame(Message);
      return;
    case WM_PRINT: Print(Message); return;
    case WM_SKINCOMMAND:
      if (HandleAlphaCmd(Message)) return;
      break;
    default: break;
  }
  TkcBaseWnd::kcWndProc(Message);
  if (!Destroyed) FollowUp(Message);
}

void ReattachEditAdapter(fw::TWinControl* Control, TkcSkinSource Skin, TkcEditWnd*& Adapter) {
  if (Skin && Skin() && Control) {
    if (Adapter && Adapter->Destroyed) {
      delete Adapter;
      Adapter = nullptr;
    }
    if (!Adapter) {
      TkcSkinParams p;
      p.Control = Control;
      Adapter = AttachAdapter<TkcEditWnd>(Control->Handle(), std::move(Skin), p, true);
    }
  } else {
    delete Adapter;
    Adapter = nullptr;
  }
}

}  // namespace skin
