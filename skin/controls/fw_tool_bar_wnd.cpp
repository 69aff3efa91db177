#include "skin/controls/fw_tool_bar_wnd.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/controls/adapter_paint.h"
#include "skin/controls/control_cache.h"
#include "skin/controls/panel_wnd.h"
#include "skin/engine/alpha_text.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/button_glyph.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/core/section_paint.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"
#include "skin/engine/window_utils.h"

namespace skin {

namespace {

constexpr UINT kStateSelected = 0x01, kStateDisabled = 0x04, kStateChecked = 0x08, kStateHot = 0x40;

bool Pushable(const fw::TToolButton* B) {
  const fw::TToolButtonStyle s = B->Style();
  return s == fw::tbsButton || s == fw::tbsCheck || s == fw::tbsDropDown;
}

}  // namespace

int ToolButtonStateIndex(UINT State, bool Marked, bool Indeterminate) {
  if (Marked || Indeterminate || (State & (kStateSelected | kStateChecked))) return 2;
  return State != 0 && State != kStateDisabled ? 1 : 0;
}

fw::TRect ToolCaptionRect(int BodyWidth, int Height, bool List, int ImageWidth, int ImageHeight, int TextWidth,
                          int TextHeight) {
  if (List) return fw::Rect(ImageWidth >= 0 ? ImageWidth + 6 : 1, 2, BodyWidth - 2, Height - 2);
  const int x0 = (BodyWidth - TextWidth) / 2;
  int b, top;
  if (ImageHeight >= 0) {
    b = (Height - ImageHeight - TextHeight - 3) / 2;
    top = ImageHeight + b + 3;
  } else {
    b = (Height - TextHeight) / 2;
    top = b;
  }
  return fw::Rect(x0 - 1, top, BodyWidth - x0 + 2, Height - b);
}

// ---- Attaching

void TkcToolBarFwWnd::Subclass() {
  HotButtonIndex = -1;
  ToolBar = dynamic_cast<fw::TToolBar*>(Control());
  if (ToolBar) {
    FSavedDraw = ToolBar->OnAdvancedCustomDraw;
    FSavedDrawButton = ToolBar->OnAdvancedCustomDrawButton;
    InstallEvents();
  }
  TkcMainWnd::Subclass();
  if (ToolBar) RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TkcToolBarFwWnd::InstallEvents() {
  if (!ToolBar) return;
  ToolBar->OnAdvancedCustomDraw = fw::TTBAdvancedCustomDrawEvent(this, &TkcToolBarFwWnd::OurAdvancedCustomDraw);
  ToolBar->OnAdvancedCustomDrawButton =
      fw::TTBAdvancedCustomDrawBtnEvent(this, &TkcToolBarFwWnd::OurAdvancedCustomDrawButton);
}

bool TkcToolBarFwWnd::EventsOurs() const {
  return ToolBar &&
         ToolBar->OnAdvancedCustomDraw.Method() ==
             fw::TTBAdvancedCustomDrawEvent(const_cast<TkcToolBarFwWnd*>(this), &TkcToolBarFwWnd::OurAdvancedCustomDraw)
                 .Method();
}

void TkcToolBarFwWnd::RestoreStdParams() {
  // The form's own drawing comes back (never a handler of a freed adapter).
  if (!ToolBar || ToolBar->ComponentState().Contains(fw::csDestroying)) return;
  if (EventsOurs()) {
    ToolBar->OnAdvancedCustomDraw = FSavedDraw;
    ToolBar->OnAdvancedCustomDrawButton = FSavedDrawButton;
  }
  DroppedButton = nullptr;
  InvalidateRect(CtrlHandle, nullptr, TRUE);
}

// ---- Geometry

fw::TRect TkcToolBarFwWnd::DisplayRect() const { return ClientRectInWindow(CtrlHandle); }

fw::TRect TkcToolBarFwWnd::GetButtonRect(int Index) const {
  RECT r{};
  SendMessageW(CtrlHandle, TB_GETITEMRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&r));
  return fw::Rect(r.left, r.top, r.right, r.bottom);
}

int TkcToolBarFwWnd::IndexByMouse(fw::TPoint P) const {
  if (!ToolBar) return -1;
  for (int i = 0; i < ToolBar->ButtonCount(); ++i) {
    const fw::TRect r = GetButtonRect(i);
    if (P.x >= r.Left && P.x < r.Right && P.y >= r.Top && P.y < r.Bottom)
      return Pushable(ToolBar->Buttons(i)) ? i : -1;
  }
  return -1;
}

void TkcToolBarFwWnd::RepaintButton(int Index) {
  if (!ToolBar || Index < 0 || Index >= ToolBar->ButtonCount() || !ToolBar->Buttons(Index)->Visible()) return;
  HDC dc = GetWindowDC(CtrlHandle);
  const int saved = SaveDC(dc);
  const fw::TRect c = DisplayRect();
  OffsetViewportOrgEx(dc, c.Left, c.Top, nullptr);
  {
    fw::TCanvasDCScope onDC(ToolBar->Canvas(), dc);
    ToolBar->Canvas()->SetFont(ToolBar->Font());
    fw::TTBCustomDrawFlags flags = fw::tbNoEdges | fw::tbNoEtchedEffect;
    bool defaultDraw = false;
    OurAdvancedCustomDrawButton(ToolBar, ToolBar->Buttons(Index), {}, fw::cdPrePaint, flags, defaultDraw);
  }
  RestoreDC(dc, saved);
  ReleaseDC(CtrlHandle, dc);
}

// ---- Painting

void TkcToolBarFwWnd::PrepareCache() {
  PaintWindowSection(*this, Cache);
  BGChanged = false;
}

void TkcToolBarFwWnd::CopyBorderStripsTo(HDC DC) {
  if (!Cache) return;
  const fw::TRect c = DisplayRect();
  const int w = Cache->Width(), h = Cache->Height();
  const fw::TRect strips[] = {fw::Rect(0, 0, w, c.Top), fw::Rect(0, c.Top, c.Left, c.Bottom),
                              fw::Rect(0, c.Bottom, w, h), fw::Rect(c.Right, c.Top, w, c.Bottom)};
  HDC source = Cache->Canvas()->Handle();
  GdiFlush();
  for (const fw::TRect& s : strips)
    if (s.Width() > 0 && s.Height() > 0) BitBlt(DC, s.Left, s.Top, s.Width(), s.Height(), source, s.Left, s.Top, SRCCOPY);
}

void TkcToolBarFwWnd::WMNCPaint(HDC DC) {
  if (Updating) return;
  RECT w{}, cr{};
  GetWindowRect(CtrlHandle, &w);
  GetClientRect(CtrlHandle, &cr);
  if (cr.right == w.right - w.left && cr.bottom == w.bottom - w.top) return;
  HDC dc = DC ? DC : GetWindowDC(CtrlHandle);
  const int saved = SaveDC(dc);
  if (BGChanged || !Cache) PrepareCache();
  const fw::TRect c = DisplayRect();
  ExcludeClipRect(dc, c.Left, c.Top, c.Right, c.Bottom);
  CopyBorderStripsTo(dc);
  RestoreDC(dc, saved);
  if (!DC) ReleaseDC(CtrlHandle, dc);
}

void TkcToolBarFwWnd::OurAdvancedCustomDraw(fw::TToolBar* Sender, const fw::TRect& ARect, fw::TCustomDrawStage Stage,
                                            bool& DefaultDraw) {
  if (!Skinned() || !Sender) {
    DefaultDraw = true;
    return;
  }
  if (Stage != fw::cdPrePaint) {
    DefaultDraw = false;
    return;
  }
  if (Updating) return;
  if (BGChanged || !Cache) PrepareCache();
  HDC dc = Sender->Canvas()->Handle();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
  // Children that paint themselves (opaque ones) and the buttons, drawn by
  // their own event, are left out.
  for (int i = 0; i < Sender->ControlCount(); ++i) {
    fw::TControl* c = Sender->Controls(i);
    if (!c->Visible()) continue;
    const bool graphic = !dynamic_cast<fw::TWinControl*>(c);
    if (!graphic && !c->ControlStyle().Contains(fw::csOpaque)) continue;
    ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
  }
  const fw::TRect client = DisplayRect();
  GdiFlush();
  BitBlt(dc, ARect.Left, ARect.Top, ARect.Width(), ARect.Height(), Cache->Canvas()->Handle(),
         client.Left + ARect.Left, client.Top + ARect.Top, SRCCOPY);
  RestoreDC(dc, saved);
  PaintGraphicControls(dc, Sender, true, {0, 0});
  RepaintChildControls(Sender);
  RECT w{}, cr{};
  GetWindowRect(CtrlHandle, &w);
  GetClientRect(CtrlHandle, &cr);
  if (cr.right != w.right - w.left || cr.bottom != w.bottom - w.top) SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0);
}

void TkcToolBarFwWnd::OurAdvancedCustomDrawButton(fw::TToolBar* Sender, fw::TToolButton* Button,
                                                  fw::TCustomDrawState DrawState, fw::TCustomDrawStage Stage,
                                                  fw::TTBCustomDrawFlags& Flags, bool& DefaultDraw) {
  UINT State = UINT(DrawState.Mask());
  TkLoadedSkin* skin = Skin();
  if (!Skinned() || !skin || !Sender || !Button) {
    DefaultDraw = true;
    return;
  }
  DefaultDraw = false;
  if (Stage != fw::cdPrePaint) return;
  if (!Sender->Flat() && HotButtonIndex >= 0 && HotButtonIndex == Button->Index()) State |= kStateHot;
  Flags |= fw::tbNoEdges | fw::tbNoEtchedEffect;
  const fw::TRect r = GetButtonRect(Button->Index());
  if (r.Width() <= 0 || r.Height() <= 0) return;
  if (BGChanged || !Cache) PrepareCache();
  auto b = NewBitmap32(r.Width(), r.Height());
  b->Canvas()->SetFont(Sender->Font());
  const TPixelView32 v = View32(*b);
  const int s = ToolButtonStateIndex(State, Button->Marked(), Button->Indeterminate());
  const int section = skin->GetSkinIndex(u"TOOLBUTTON");
  // What lies behind: the bar's picture at the button's place.
  const fw::TRect client = DisplayRect();
  const fw::TPoint at{client.Left + Button->Left(), client.Top + Button->Top()};
  const TCacheInfo behind = MakeCacheInfo(View32(*Cache), 0, 0);
  if (skin->IsValidSkinIndex(section)) {
    TSectionPaint p;
    p.SkinIndex = section;
    p.SectionName = skin->gd[size_t(section)].ClassName;
    p.CI = behind;
    p.State = std::clamp(s, 0, std::max(skin->gd[size_t(section)].States - 1, 0));
    p.R = fw::Rect(0, 0, r.Width(), r.Height());
    p.Offset = at;
    PaintSectionBackground(v, *skin, p);
  }
  const bool dropDown = Button->Style() == fw::tbsDropDown;
  const int a = dropDown ? GetSystemMetrics(SM_CXVSCROLL) - 2 : 0;
  const int bw = r.Width() - a;
  const int border = skin->IsValidSkinIndex(section) ? skin->GetMaskIndex(section, u"TOOLBUTTON", u"BORDERSMASK") : -1;
  if (skin->IsValidImgIndex(border)) {
    const TkMaskData& m = skin->ma[size_t(border)];
    DrawMaskRect(v, fw::Rect(0, 0, bw, r.Height()), behind, m, MaskSourceView(*skin, m), s, true);
  }
  fw::TCanvas& canvas = *b->Canvas();
  fw::TCustomImageList* images = Sender->Images();
  const bool hasImage = images && Button->ImageIndex() >= 0;
  if (Sender->ShowCaptions() && !Button->Caption().empty()) {
    const fw::String caption = Button->Caption();
    fw::TRect t = ToolCaptionRect(bw, r.Height(), Sender->List(), hasImage ? images->Width() : -1,
                                  images ? images->Height() : -1, CanvasTextWidth(canvas, caption),
                                  CanvasTextSize(canvas, u"A").y);
    if (s == 2 && ShiftContentOnClickOption()) t = fw::Rect(t.Left + 1, t.Top + 1, t.Right + 1, t.Bottom + 1);
    canvas.Brush()->SetStyle(fw::bsClear);
    canvas.Font()->SetColor(StateFontColor(*skin, section, s, skin->GetGlobalFontColor()));
    GdiFlush();
    DrawSectionText(canvas, caption, true, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE, section, s > 0 ? 1 : 0, skin);
  }
  if (images && Button->ImageIndex() >= 0 && Button->ImageIndex() < images->Count()) {
    TToolButtonGlyph g;
    g.Images = images;
    g.ImageIndex = Button->ImageIndex();
    g.ButtonSize = fw::TPoint{r.Width(), r.Height()};
    g.ListMode = Sender->List();
    g.ShowCaptions = Sender->ShowCaptions();
    g.DropDown = dropDown;
    g.BarEnabled = Sender->Enabled();
    g.Skin = skin;
    g.SkinIndex = section;
    g.DiscoloredGlyphs = DiscoloredGlyphsOption();
    g.ShiftContentOnClick = ShiftContentOnClickOption();
    GdiFlush();
    DrawToolButtonGlyph(g, State, *b);
  }
  const int glyph = skin->ConstData.ScrollBtns[size_t(asBottom)].GlyphIndex;
  if (dropDown && glyph >= 0) {
    const int zoneState = (Button == DroppedButton && Button->DropdownMenu()) || Button->Down() ? 2
                          : (State & kStateHot)                                                 ? 1
                                                                                                : 0;
    GdiFlush();
    if (skin->IsValidImgIndex(border)) {
      const TkMaskData& m = skin->ma[size_t(border)];
      DrawMaskRect(v, fw::Rect(bw, 0, r.Width(), r.Height()), behind, m, MaskSourceView(*skin, m), zoneState, true);
    }
    if (skin->IsValidImgIndex(glyph)) {
      const TkMaskData& m = skin->ma[size_t(glyph)];
      DrawMaskGlyph(v, {bw + 2 + (a - 3 - MaskFrameWidth(m)) / 2, (Sender->ButtonHeight() - MaskFrameHeight(m)) / 2},
                    zoneState, gmNormal, m, MakeCacheInfo(v, 0, 0), MaskSourceView(*skin, m));
    } else {
      const int bar = skin->GetSkinIndex(SkinSection());
      const fw::TColor color = StateFontColor(*skin, bar, zoneState == 0 ? 0 : 1, fw::clBtnText);
      DrawArrowMark(canvas, color, fw::Rect(bw, 0, r.Width(), r.Height()), asBottom);
    }
  }
  if (!Button->Enabled() || Button->Indeterminate()) {
    GdiFlush();
    PaintDisabledLook(*b, TkDisabledKind{dkBlended}, Sender->Parent() ? static_cast<fw::TControl*>(Sender->Parent()) : Sender,
                      at, behind);
  }
  GdiFlush();
  BitBlt(Sender->Canvas()->Handle(), Button->Left(), Button->Top(), r.Width(), r.Height(), b->Canvas()->Handle(), 0,
         0, SRCCOPY);
}

// ---- Messages

void TkcToolBarFwWnd::SetHot(int Index) {
  const int previous = HotButtonIndex;
  HotButtonIndex = Index;
  for (const int i : {previous, Index})
    if (ToolBar && i >= 0 && i < ToolBar->ButtonCount() && !ToolBar->Buttons(i)->Down()) RepaintButton(i);
}

void TkcToolBarFwWnd::kcWndProc(fw::TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND) {
    switch (SkinCommandCode(Message.WParam)) {
      case SKC_NEWSKIN: InstallEvents(); break;
      case SKC_REMOVESKIN: RestoreStdParams(); break;
      case SKC_REFRESH: DroppedButton = nullptr; break;
      case SKC_GETBGINFO: {
        auto* info = reinterpret_cast<TkcBackgroundInfo*>(Message.LParam);
        if (!info || !Skinned()) break;
        if (BGChanged || !Cache) PrepareCache();
        const fw::TRect c = DisplayRect();
        info->Bmp = Cache.get();
        info->BgType = btCache;
        info->Offset = fw::TPoint{info->Offset.x + c.Left, info->Offset.y + c.Top};
        return;
      }
      default: break;
    }
  }
  if (Skinned()) {
    switch (Message.Msg) {
      case WM_PAINT:
        if (Updating && !Message.WParam) {
          PAINTSTRUCT ps{};
          BeginPaint(CtrlHandle, &ps);
          EndPaint(CtrlHandle, &ps);
          return;
        }
        break;
      case WM_ERASEBKGND: Message.Result = 1; return;
      case WM_NCPAINT:
        if (!AnimationInProgress) WMNCPaint(nullptr);
        Message.Result = 0;
        return;
      case WM_PRINTCLIENT: {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        Updating = false;
        if (BGChanged || !Cache) PrepareCache();
        CopyBorderStripsTo(dc);
        const fw::TRect c = DisplayRect();
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, c.Left, c.Top, nullptr);
        IntersectClipRect(dc, 0, 0, c.Width(), c.Height());
        SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, 0);
        RestoreDC(dc, saved);
        return;
      }
      case fw::CN_NOTIFY: {
        const auto* h = reinterpret_cast<const NMHDR*>(Message.LParam);
        if (!h || h->hwndFrom != CtrlHandle) break;
        if (h->code == UINT(TBN_DELETINGBUTTON)) {
          if (HotButtonIndex >= int(SendMessageW(CtrlHandle, TB_BUTTONCOUNT, 0, 0))) HotButtonIndex = -1;
        } else if (h->code == UINT(TBN_DROPDOWN)) {
          const int id = reinterpret_cast<const NMTOOLBARW*>(h)->iItem;
          const int index = int(SendMessageW(CtrlHandle, TB_COMMANDTOINDEX, WPARAM(id), 0));
          TBBUTTON b{};
          if (index >= 0 && SendMessageW(CtrlHandle, TB_GETBUTTON, WPARAM(index), reinterpret_cast<LPARAM>(&b))) {
            DroppedButton = reinterpret_cast<fw::TToolButton*>(b.dwData);
            RepaintButton(index);
          }
        }
        break;
      }
      default: break;
    }
  }
  TkcMainWnd::kcWndProc(Message);
  if (!Skinned() || Destroyed || !ToolBar) return;
  switch (Message.Msg) {
    case WM_SIZE:
      if (!Updating) RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE);
      break;
    case WM_MOUSEMOVE:
      if (!ToolBar->Flat() && !ToolBar->ComponentState().Contains(fw::csDesigning)) {
        const int i = IndexByMouse(fw::TPoint{Message.XPos(), Message.YPos()});
        if (i == HotButtonIndex || (i >= 0 && !ToolBar->Buttons(i)->Enabled())) break;
        SetHot(i);
      }
      break;
    case fw::CN_DROPDOWNCLOSED:
      if (fw::TToolButton* b = DroppedButton) {
        HotButtonIndex = -1;
        DroppedButton = nullptr;
        RepaintButton(b->Index());
      }
      break;
    case fw::CM_MOUSELEAVE:
      if (!ToolBar->Flat() && !ToolBar->ComponentState().Contains(fw::csDesigning)) SetHot(-1);
      break;
    default: break;
  }
}

}  // namespace skin
