#include "skin/engine/control_messages.h"

#include "fw/controls/forms.h"
#include "fw/core/colors.h"
#include "fw/core/sysutils.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/panel.h"
#include "fw/system/application.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/glow_effect.h"
#include "skin/engine/window_utils.h"

namespace skin {

namespace {

bool Destroying(const fw::TComponent* c) { return c && c->ComponentState().Contains(fw::csDestroying); }

void ClearCache(TkCommonData& S) {
  if (S.FCacheBmp) S.FCacheBmp->SetSize(0, 0);
}

bool CacheEmpty(const TkCommonData& S) { return !S.FCacheBmp || S.FCacheBmp->Width() == 0 || S.FCacheBmp->Height() == 0; }

fw::TWinControl* OwnerWin(const TkCommonData& S) { return dynamic_cast<fw::TWinControl*>(S.FOwnerControl); }

HWND OwnerWindow(const TkCommonData& S) {
  if (fw::TWinControl* w = OwnerWin(S)) return w->HandleAllocated() ? w->WindowHandle() : nullptr;
  if (S.ProviderForm() && S.ProviderForm()->HandleAllocated()) return S.ProviderForm()->WindowHandle();
  return nullptr;
}

void SendPrepareCache(TkCommonData& S) {
  if (S.FOwnerControl) S.FOwnerControl->Perform(WM_SKINCOMMAND, SkinCommand(SKC_PREPARECACHE), 0);
  else if (HWND w = OwnerWindow(S)) SendSkinCommand(w, SKC_PREPARECACHE, 0);
}

fw::TColor OwnerColor(const TkCommonData& S) {
  if (S.FOwnerControl) return S.FOwnerControl->Color();
  if (S.ProviderForm()) return S.ProviderForm()->Color();
  return fw::clBtnFace;
}

fw::TColor StateColor(const TkGeneralData& s, int row) { return s.Props[static_cast<size_t>(row)].Color; }

int RowOf(const TkGeneralData& s, int state) { return state > 0 && s.States > 1 ? 1 : 0; }

// The background colour answer to skin command 21.
LRESULT BackgroundColorAnswer(TkCommonData& S) {
  fw::TControl* c = S.FOwnerControl;
  if (!c) return 0;
  const TkGeneralData* s = S.Skinned() ? S.Section() : nullptr;
  if (!s) return fw::ColorToRGB(c->Color());
  const int t = s->Props[0].Transparency;
  if (t == 0) return s->Props[0].Color;
  fw::TWinControl* parent = c->Parent();
  if (t == 100) {
    if (!parent) return fw::ColorToRGB(c->Color());
    if (parent->HandleAllocated() && SkinCommandIsOne(parent->WindowHandle(), SKC_ISHANDLED))
      return SendSkinCommand(parent->WindowHandle(), SKC_GETBGCOLOR, 0);
    return parent->Color();
  }
  fw::TColor p = parent ? static_cast<fw::TColor>(SendSkinCommand(parent->Handle(), SKC_GETBGCOLOR, 0))
                        : fw::ColorToRGB(c->Color());
  return BlendBgColor256(s->Props[0].Color, p, t);
}

void FocusColors(TkCommonData& S, bool on) {
  const TkGeneralData* s = S.Skinned() ? S.Section() : nullptr;
  fw::TControl* c = S.FOwnerControl;
  if (!s || !c || !IsColoredKind(S.COC)) return;
  int row;
  if (on) {
    if (s->States <= 1) return;
    row = 1;
  } else {
    if (S.ControlIsHotOrFocused()) return;
    row = 0;
  }
  S.BGChanged = true;
  bool changed = false;
  if (!S.FCustomColor && c->Color() != StateColor(*s, row)) {
    c->SetColor(StateColor(*s, row));
    changed = true;
  }
  if (!S.FCustomFont && c->Font()->Color() != s->Props[static_cast<size_t>(row)].FontColor.Color) {
    c->Font()->SetColor(s->Props[static_cast<size_t>(row)].FontColor.Color);
    changed = true;
  }
  if (!on && !c->Visible()) return;
  if (HWND w = OwnerWindow(S)) {
    if (changed) InvalidateRect(w, nullptr, TRUE);
    SendMessageW(w, WM_NCPAINT, 0, 0);
  }
}

void HideGlow(TkCommonData& S) {
  if (S.GlowID == -1) return;
  HideGlowEffect(S.GlowID);
}

void MovedToChildren(fw::TWinControl* w) {
  for (int i = 0; i < w->ControlCount(); ++i)
    if (!Destroying(w->Controls(i))) SendSkinCommandToControl(w->Controls(i), SKC_MOVED, 0);
}

void SendMovedToChildren(fw::TWinControl* w, WORD flag) {
  for (int i = 0; i < w->ControlCount(); ++i) {
    fw::TControl* child = w->Controls(i);
    if (Destroying(child)) continue;
    if (auto* cw = dynamic_cast<fw::TWinControl*>(child)) {
      if (cw->HandleAllocated()) SendMessageW(cw->WindowHandle(), WM_SKINCOMMAND, SkinCommand(SKC_MOVED, flag), 0);
    } else {
      child->Perform(WM_SKINCOMMAND, SkinCommand(SKC_MOVED, flag), 0);
    }
  }
}

}  // namespace

bool HandleSkinCommand(fw::TMessage& Message, TkCommonData* S) {
  if (!S || Message.Msg != WM_SKINCOMMAND) return false;
  TkSkinManager* manager = S->ReadSkinManager();
  const LPARAM lp = Message.LParam;
  fw::TWinControl* win = OwnerWin(*S);
  switch (SkinCommandCode(Message.WParam)) {
    case SKC_NEWSKIN:
      if (reinterpret_cast<LPARAM>(manager) == lp) {
        S->UpdateIndexes();
        ClearCache(*S);
        S->RefreshCtrlSkinState(false);
        SkinApplying = false;
      }
      return true;
    case SKC_REMOVESKIN:
      if (reinterpret_cast<LPARAM>(manager) == lp) {
        if (S->FSkinManager && Destroying(S->FSkinManager)) S->FSkinManager = nullptr;
        S->BorderIndex = S->SkinIndex = S->Texture = S->HotTexture = -1;
        S->FUpdating = true;
        ClearCache(*S);
        if (auto* edit = dynamic_cast<fw::TCustomEdit*>(S->FOwnerControl)) {
          if (!S->FCustomColor) edit->SetColor(fw::clWindow);
          if (!S->FCustomFont) edit->Font()->SetColor(fw::clWindowText);
          if (edit->HandleAllocated()) RedrawWindow(edit->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        } else if (win) {
          for (int i = 0; i < win->ControlCount(); ++i)
            if (auto* label = dynamic_cast<fw::TLabel*>(win->Controls(i))) label->Font()->SetColor(fw::clWindowText);
        }
      }
      return true;
    case SKC_REFRESH:
      if (reinterpret_cast<LPARAM>(manager) == lp) {
        S->BGChanged = true;
        S->FUpdating = false;
        S->ApplySkinColors(true);
        S->RefreshCtrlSkinState(false);
      }
      return true;
    case SKC_UPDATEDONE:
      if (S->FUpdating && win) {
        if (!S->RecheckUpdating(true) && win->HandleAllocated())
          RedrawWindow(win->WindowHandle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RepaintChildControls(win);
      }
      return true;
    case SKC_ISHANDLED:
      Message.Result = 1;
      return true;
    case SKC_SETUPDATING:
      S->FUpdating = SkinCommandFlag(Message.WParam) == 1;
      return true;
    case SKC_QUERYUPDATING:
      if (S->RecheckUpdating(false)) Message.Result = 1;
      else if (!S->BackgroundNeedsCache() || S->FCustomColor) Message.Result = 0;
      else if (win) {
        if (!CacheEmpty(*S)) {
          Message.Result = S->FCacheBmp->Width() != win->Width() || S->FCacheBmp->Height() != win->Height() ? 1 : 0;
        } else {
          if (win->HandleAllocated()) SendSkinCommand(win->WindowHandle(), SKC_PREPARECACHE, 0);
          Message.Result = CacheEmpty(*S) ? 1 : 0;
        }
      } else {
        Message.Result = 0;
      }
      return true;
    case SKC_QUERYHALFVISIBLE:
      Message.Result = S->HalfVisible ? 1 : 0;
      return true;
    case SKC_SECTIONCHANGED:
      if (lp && fw::UpperCase(S->SkinSection()) == *reinterpret_cast<const fw::String*>(lp)) {
        SkinApplying = false;
        S->Invalidate(false);
      }
      return true;
    case SKC_SETSECTION:
      if (lp) {
        S->WriteSkinSection(reinterpret_cast<const TkcSectionInfo*>(lp)->Name);
        Message.Result = 1;
      } else {
        Message.Result = 0;
      }
      return true;
    case SKC_BGCHANGED:
      S->BGChanged = true;
      return true;
    case SKC_INVALIDATE:
      S->Invalidate(false);
      return true;
    case SKC_QUERYMOVEREPAINT:
      Message.Result = 1;
      return true;
    case SKC_MOVED: {
      const bool a = S->RepaintIfMoved();
      S->BGChanged = S->BGChanged || a;
      if (win) {
        if (SkinCommandFlag(Message.WParam) == 1 && win->HandleAllocated())
          RedrawWindow(win->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_NOINTERNALPAINT | RDW_ALLCHILDREN);
        if (a) MovedToChildren(win);
      }
      return true;
    }
    case SKC_GETBGCOLOR:
      Message.Result = BackgroundColorAnswer(*S);
      return true;
    case SKC_SETHALFVISIBLE:
      S->HalfVisible = true;
      return true;
    case SKC_PREPARECACHE:
      S->BGChanged = false;
      return true;
    case SKC_GETSKININDEX:
      if (lp) reinterpret_cast<TkcSectionInfo*>(lp)->SkinIndex = S->SkinIndex;
      return true;
    case SKC_CLEARCACHE:
      if (S->FCacheBmp) {
        if (win)
          for (int i = 0; i < win->ControlCount(); ++i)
            if (auto* cw = dynamic_cast<fw::TWinControl*>(win->Controls(i)); cw && cw->HandleAllocated())
              SendSkinCommand(cw->WindowHandle(), SKC_CLEARCACHE, 0);
        ClearCache(*S);
        S->BGChanged = true;
      }
      return true;
    case SKC_GETBGINFO:
      if (lp)
        FillBackgroundInfo(*S, *reinterpret_cast<TkcBackgroundInfo*>(lp), S->FFocused || S->FMouseAbove ? 1 : 0, nullptr);
      return true;
    case SKC_SKINSTATE:
      if (lp == 1) {
        S->RefreshCtrlSkinState(true);
      } else {
        if (S->CtrlSkinState == cssUndecided) S->RefreshCtrlSkinState(false);
        Message.Result = S->CtrlSkinState;
      }
      return true;
    case SKC_GETSKINDATA:
      Message.Result = reinterpret_cast<LRESULT>(S);
      return true;
    case SKC_SETPRINTDC:
      if (lp) S->CtrlSkinState |= cssPrinting;
      else S->CtrlSkinState &= static_cast<uint16_t>(~cssPrinting);
      S->PrintDC = reinterpret_cast<HDC>(lp);
      return true;
    case SKC_PAINTOUTER:
      // The outer effect is painted by the engine's painters.
      return true;
    case SKC_FRAMECHANGED:
      if (win) {
        if (win->HandleAllocated())
          SetWindowPos(win->WindowHandle(), nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOCOPYBITS |
                           SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
        BroadcastToControls(win, Message);
      }
      return true;
    case SKC_GETAPPLICATION:
      Message.Result = reinterpret_cast<LRESULT>(fw::Application);
      return true;
    case SKC_GETBOUNDS:
      if (lp) *reinterpret_cast<fw::TRect*>(lp) = S->FOwnerControl ? S->FOwnerControl->BoundsRect() : fw::TRect{};
      return true;
    default:
      return false;
  }
}

bool HandleControlMessage(fw::TMessage& Message, TkCommonData* S) {
  if (!S) return false;
  fw::TControl* c = S->FOwnerControl;
  fw::TWinControl* win = OwnerWin(*S);
  TkSkinManager* manager = S->ReadSkinManager();
  switch (Message.Msg) {
    case WM_MOVE:
      if (S->OuterEffects()->Visibility() == ovAlways) NotifyParentOuterMoved(*S);
      if (S->RepaintIfMoved()) {
        S->BGChanged = true;
        if (c) c->Perform(WM_SKINCOMMAND, SkinCommand(SKC_MOVED, 1), 0);
      }
      HideGlow(*S);
      return false;
    case WM_SIZE:
      if (!S->Skinned()) return false;
      S->BGChanged = true;
      if (S->OuterEffects()->Visibility() == ovAlways) NotifyParentOuterMoved(*S);
      if (win && S->Section()->Props[0].GradientPercent >= 1) SendMovedToChildren(win, 1);
      HideGlow(*S);
      return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (win && win->CanFocus() && win->TabStop()) {
        S->BGChanged = true;
        S->FFocused = Message.Msg == WM_SETFOCUS;
        FocusColors(*S, S->FFocused);
      }
      return false;
    case WM_FONTCHANGE:
    case fw::CM_ENABLEDCHANGED:
      S->FMouseAbove = false;
      S->FFocused = false;
      if (c && !c->Enabled()) HideGlow(*S);
      return false;
    case WM_UPDATEUISTATE:
      if (S->Skinned()) return true;
      return false;
    case WM_PARENTNOTIFY:
      if (win && LOWORD(Message.WParam) == WM_CREATE) RequestControlAdapters(win);
      return false;
    case WM_SKINCOMMAND:
      return HandleSkinCommand(Message, S);
    case fw::CM_VISIBLECHANGED:
      if (manager && manager->Options()->ReadOptimizingPriority() == opMemory && c && !Destroying(c) && S->FCacheBmp) {
        if (Message.WParam != 0) {
          S->FUpdating = false;
        } else {
          ClearCache(*S);
          if (win)
            for (int i = 0; i < win->ControlCount(); ++i) SendSkinCommandToControl(win->Controls(i), SKC_CLEARCACHE, 0);
        }
        S->BGChanged = true;
      }
      return false;
    case fw::CM_MOUSEENTER:
      if (!S->Skinned() || (manager && manager->Options()->NoMouseHover())) return false;
      if (win && DefaultSkinManager) {
        for (int i = 0; i < win->ControlCount(); ++i) {
          fw::TControl* child = win->Controls(i);
          if (dynamic_cast<fw::TWinControl*>(child) || child == c ||
              reinterpret_cast<LPARAM>(child) == Message.LParam)
            continue;
          auto* state = reinterpret_cast<TkCommonData*>(child->Perform(WM_SKINCOMMAND, SkinCommand(SKC_GETSKINDATA), 0));
          if (state && state->FMouseAbove) child->Perform(fw::CM_MOUSELEAVE, 0, 0);
        }
        if (!IsNoHotKind(S->COC)) S->FMouseAbove = true;
        if (win->HandleAllocated()) DefaultSkinManager->WriteActiveControl(win->WindowHandle());
        if (!IsPlainBgKind(S->COC) && (S->COC < 92 || S->COC > 94)) UpdateControlGlow(*S, false);
        FocusColors(*S, true);
      } else if (!IsNoHotKind(S->COC)) {
        S->FMouseAbove = true;
      }
      return false;
    case fw::CM_MOUSELEAVE:
      if (!S->Skinned() || (manager && manager->Options()->NoMouseHover())) return false;
      if (!IsNoHotKind(S->COC)) S->FMouseAbove = false;
      if (!IsPlainBgKind(S->COC) && (S->COC < 92 || S->COC > 94)) HideGlow(*S);
      FocusColors(*S, false);
      return false;
    case fw::CM_SHOWINGCHANGED:
      if (c && c->Visible()) S->Loaded();
      return false;
    default:
      return false;
  }
}

fw::TColor ControlBGColor(TkCommonData& S, int State, HWND W) {
  const TkGeneralData* s = S.Skinned() ? S.Section() : nullptr;
  if (!s || S.FCustomColor) return OwnerColor(S);
  const int row = RowOf(*s, State);
  const fw::TColor own = StateColor(*s, row);
  const int t = s->Props[static_cast<size_t>(row)].Transparency;
  if (t == 0) return own;
  fw::TColor parent = fw::clBtnFace;
  if (S.FOwnerControl && S.FOwnerControl->Parent()) parent = ControlSkinBgColor(S.FOwnerControl->Parent());
  else if (W && GetParent(W)) parent = WindowBgColor(GetParent(W));
  if (t == 100) return parent;
  return BlendBgColorPercent(own, parent, t);
}

void FillBackgroundInfo(TkCommonData& S, TkcBackgroundInfo& I, int State, HWND W) {
  if (I.PleaseDraw) {
    S.RefreshCtrlSkinState(false);
    if (!S.BackgroundNeedsCache()) {
      SolidFillDC(I.DrawDC, I.R, ControlBGColor(S, State, nullptr));
      I.BgType = 1;
    } else {
      if (S.BGChanged && S.FOwnerControl) SendPrepareCache(S);
      if (!S.BGChanged && S.FCacheBmp)
        BitBlt(I.DrawDC, I.R.Left, I.R.Top, I.R.Width(), I.R.Height(), S.FCacheBmp->Canvas()->Handle(), I.Offset.x,
               I.Offset.y, SRCCOPY);
      I.BgType = 2;
    }
    return;
  }
  I.Bmp = nullptr;
  const TkGeneralData* s = S.Skinned() ? S.Section() : nullptr;
  if (!s || S.FCustomColor) {
    I.BgType = 1;
    I.Color = OwnerColor(S);
    return;
  }
  TkSkinManager* m = S.ReadSkinManager();
  const TkGenState& row = s->Props[static_cast<size_t>(RowOf(*s, State))];
  const int t = row.Transparency, g = row.GradientPercent, p = row.ImagePercent;
  if (t == 100) {
    if ((S.CtrlSkinState & cssPlainBackground) || !S.FCacheBmp) {
      fw::TWinControl* parent = S.FOwnerControl ? S.FOwnerControl->Parent()
                                                : (S.ProviderForm() ? S.ProviderForm()->Parent() : nullptr);
      if (parent) {
        RequestBackground(I, parent, false);
        if (I.Bmp && S.FOwnerControl) {
          I.Offset.x += S.FOwnerControl->Left();
          I.Offset.y += S.FOwnerControl->Top();
          I.FillRect.Left -= S.FOwnerControl->Left();
          I.FillRect.Top -= S.FOwnerControl->Top();
        }
      } else if (W && GetParent(W)) {
        RequestBackgroundWnd(I, GetParent(W), false);
        if (I.Bmp) {
          RECT wr, pr;
          GetWindowRect(W, &wr);
          POINT origin{0, 0};
          ClientToScreen(GetParent(W), &origin);
          (void)pr;
          I.Offset.x += wr.left - origin.x;
          I.Offset.y += wr.top - origin.y;
        }
      } else {
        I.BgType = 1;
        I.Color = DefaultSkinManager ? DefaultSkinManager->Skin().GetGlobalColor() : fw::clBtnFace;
      }
      return;
    }
    if (S.BGChanged) SendPrepareCache(S);
    I.BgType = 2;
  } else if (t > 0) {
    if (!S.FCacheBmp) {
      I.Color = 0xFF00FF;
      I.BgType = 1;
      return;
    }
    if (CacheEmpty(S)) {
      S.FUpdating = true;
      I.BgType = 3;
      return;
    }
    I.BgType = 2;
  } else {
    const bool corners = s->ImgTL >= 0 || s->ImgTR >= 0 || s->ImgBL >= 0 || s->ImgBR >= 0;
    if (g < 1 && p < 1 && !corners && !S.OuterEffectsAllowed()) {
      I.BgType = 1;
      I.Color = ControlBGColor(S, State, nullptr);
      if (m && m->IsValidImgIndex(S.BorderIndex) && !(m->ma()[static_cast<size_t>(S.BorderIndex)].DrawMode & dmHotOnly)) {
        const int b = S.BorderIndex;
        I.FillRect = fw::TRect{m->Skin().MaskWidthLeft(b), m->Skin().MaskWidthTop(b), m->Skin().MaskWidthRight(b),
                               m->Skin().MaskWidthBottom(b)};
        I.Bmp = S.FCacheBmp.get();
        I.Offset = fw::TPoint{0, 0};
      }
      return;
    }
    I.Color = m ? m->Skin().GetGlobalColor() : fw::clBtnFace;
    const bool otherSize = S.FOwnerControl && S.FCacheBmp &&
                           (S.FCacheBmp->Width() != S.FOwnerControl->Width() ||
                            S.FCacheBmp->Height() != S.FOwnerControl->Height());
    if (CacheEmpty(S) || otherSize) {
      S.BGChanged = true;
      if (S.FCacheBmp) S.FCacheBmp->SetWidth(0);
      SendPrepareCache(S);
      if (CacheEmpty(S)) {
        I.BgType = 3;
        return;
      }
    }
    I.BgType = 2;
  }
  I.Bmp = S.FCacheBmp.get();
  I.Offset = fw::TPoint{0, 0};
}

int FontSourceSkinIndex(fw::TControl* Control, int DefaultIndex, TkSkinManager* Manager, int State) {
  if (!Control || !Manager) return DefaultIndex;
  fw::TWinControl* parent = Control->Parent();
  if (!parent || !parent->HandleAllocated()) return DefaultIndex;
  const size_t depth = Manager->gd().size() + 1;
  for (size_t step = 0; step < depth && parent && parent->HandleAllocated(); ++step) {
    auto* state = reinterpret_cast<TkCommonData*>(SendSkinCommand(parent->WindowHandle(), SKC_GETSKINDATA, 0));
    int index = -1;
    bool borderCheck = false;
    if (state) {
      index = state->SkinIndex;
      borderCheck = true;
    } else {
      TkcSectionInfo info;
      SendSkinCommand(parent->WindowHandle(), SKC_GETSKININDEX, reinterpret_cast<LPARAM>(&info));
      index = info.SkinIndex;
    }
    if (!Manager->IsValidSkinIndex(index)) return DefaultIndex;
    const TkGeneralData& s = Manager->gd()[static_cast<size_t>(index)];
    const int row = std::min(State > 0 ? 1 : 0, std::max(0, s.States - 1));
    bool seeThrough = s.Props[static_cast<size_t>(row)].Transparency > 50;
    if (borderCheck && seeThrough && Manager->IsValidImgIndex(s.BorderIndex) &&
        (Manager->ma()[static_cast<size_t>(s.BorderIndex)].DrawMode & dmPaintCenter))
      seeThrough = false;
    if (seeThrough && parent->Parent()) {
      parent = parent->Parent();
      State = 0;
      continue;
    }
    return s.GiveOwnFont ? index : DefaultIndex;
  }
  return DefaultIndex;
}

void UpdateControlGlow(TkCommonData& S, bool Hide, HWND W) {
  TkSkinManager* m = S.ReadSkinManager();
  const TkGeneralData* s = S.Section();
  if (!m || !s || !m->Effects()->FAllowGlowing || m->Options()->NoMouseHover() || s->GlowCount < 1) return;
  fw::TRect r, clip;
  HWND parent = nullptr;
  if (fw::TControl* c = S.FOwnerControl) {
    const bool pressed = GetAsyncKeyState(VK_LBUTTON) < 0;
    if (!S.FMouseAbove || pressed || (Hide && S.GlowID != -1)) {
      HideGlow(S);
      return;
    }
    fw::TCustomForm* form = fw::GetParentForm(c);
    if (!form) return;
    parent = form->Parent() && form->Parent()->HandleAllocated() ? form->Parent()->WindowHandle() : form->Handle();
    if (S.GlowID != -1) return;
    if (auto* w = dynamic_cast<fw::TWinControl*>(c)) {
      if (!w->HandleAllocated()) return;
      RECT wr;
      GetWindowRect(w->WindowHandle(), &wr);
      r = fw::TRect{wr.left, wr.top, wr.right, wr.bottom};
      HDC dc = GetWindowDC(w->WindowHandle());
      RECT cb;
      GetClipBox(dc, &cb);
      ReleaseDC(w->WindowHandle(), dc);
      clip = fw::TRect{cb.left, cb.top, cb.right, cb.bottom};
    } else {
      fw::TWinControl* p = c->Parent();
      if (!p || !p->HandleAllocated()) return;
      fw::TPoint origin = p->ClientToScreen(fw::TPoint{c->Left(), c->Top()});
      r = fw::TRect{origin.x, origin.y, origin.x + c->Width(), origin.y + c->Height()};
      HDC dc = GetDC(p->WindowHandle());
      RECT cb;
      GetClipBox(dc, &cb);
      ReleaseDC(p->WindowHandle(), dc);
      clip.Left = c->Left() < 0 ? -c->Left() : 0;
      clip.Top = c->Top() < 0 ? -c->Top() : 0;
      clip.Right = std::min(c->Width(), static_cast<int>(cb.right) - c->Left());
      clip.Bottom = cb.bottom - c->Top() < c->Height() ? cb.bottom - c->Top() : c->Height();
    }
  } else if (W) {
    RECT wr;
    GetWindowRect(W, &wr);
    r = fw::TRect{wr.left, wr.top, wr.right, wr.bottom};
    HDC dc = GetWindowDC(W);
    RECT cb;
    GetClipBox(dc, &cb);
    ReleaseDC(W, dc);
    clip = fw::TRect{cb.left, cb.top, cb.right, cb.bottom};
    parent = TopLevelAncestor(W);
  } else {
    return;
  }
  S.GlowID = ShowGlowEffect(r, clip, m->LoadedSkin(), S.SkinSection(), u"GLOW", s->GlowMargin, 255, parent);
}

void NotifyParentOuterMoved(TkCommonData& S) {
  if (S.RecheckUpdating(false)) return;
  fw::TWinControl* parent = S.FOwnerControl ? S.FOwnerControl->Parent() : nullptr;
  if (!parent || !parent->HandleAllocated()) return;
  SendMessageW(parent->WindowHandle(), WM_SKINCOMMAND, SkinCommand(SKC_BGCHANGED, 1), 0);
  SendSkinCommand(parent->WindowHandle(), SKC_PREPARECACHE, 0);
}

}  // namespace skin
