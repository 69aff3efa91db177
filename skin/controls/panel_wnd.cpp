#include "skin/controls/panel_wnd.h"

#include <algorithm>

#include "fw/stdctrls/panel.h"
#include "fw/system/application.h"
#include "skin/controls/adapter_paint.h"
#include "skin/controls/control_cache.h"
#include "skin/controls/core/panel_layout.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/manager_options.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"
#include "skin/engine/window_utils.h"

namespace skin {

namespace {

constexpr uint32_t kNotPainted = 0xFF00FF;  // the fill colour of a parent that has not painted yet

int ClientWidth(HWND Wnd) {
  RECT r{};
  GetClientRect(Wnd, &r);
  return r.right;
}

int ClientHeight(HWND Wnd) {
  RECT r{};
  GetClientRect(Wnd, &r);
  return r.bottom;
}

// The four border strips of width b from the cache onto the window's DC.
void CopyFrame(HWND Wnd, HDC Given, fw::TBitmap& Cache, int B) {
  if (B <= 0) return;
  HDC dc = Given ? Given : GetWindowDC(Wnd);
  const int saved = SaveDC(dc);
  GdiFlush();
  CopyBorderStrips(dc, 0, 0, Cache.Width(), Cache.Height(), Cache.Canvas()->Handle(), 0, 0, B);
  RestoreDC(dc, saved);
  if (!Given) ReleaseDC(Wnd, dc);
}

}  // namespace

TCacheInfo PaintWindowSection(TkcMainWnd& A, std::unique_ptr<fw::TBitmap>& Cache, int State) {
  TkcWindowGeometry g;
  CaptureWindowGeometry(A.CtrlHandle, g);
  const int w = std::max(g.WndSize.x, 1), h = std::max(g.WndSize.y, 1);
  if (!Cache || Cache->Width() != w || Cache->Height() != h) Cache = NewBitmap32(w, h);
  const TCacheInfo ci = WndParentCacheInfo(A.CtrlHandle, g).CI;
  TkLoadedSkin* skin = A.Skin();
  const TPixelView32 v = View32(*Cache);
  FillFromBackground(v, fw::Rect(0, 0, w, h), ci);
  if (skin) PaintSection(v, *skin, skin->GetSkinIndex(A.SkinSection()), State, fw::Rect(0, 0, w, h), ci, {0, 0});
  return ci;
}

void CopyClientPart(HDC DC, HWND Wnd, fw::TBitmap& Cache, int B) {
  const int saved = SaveDC(DC);
  RECT origin{};
  GetClientRect(Wnd, &origin);
  MapWindowPoints(Wnd, nullptr, reinterpret_cast<POINT*>(&origin), 2);
  for (HWND c = GetWindow(Wnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    RECT r{};
    GetWindowRect(c, &r);
    ExcludeClipRect(DC, r.left - origin.left, r.top - origin.top, r.right - origin.left, r.bottom - origin.top);
  }
  GdiFlush();
  BitBlt(DC, 0, 0, Cache.Width() - 2 * B, Cache.Height() - 2 * B, Cache.Canvas()->Handle(), B, B, SRCCOPY);
  RestoreDC(DC, saved);
}

// ---- Panel

fw::String TkcPanelWnd::ChosenSection() const {
  auto* p = dynamic_cast<fw::TCustomPanel*>(Control());
  if (!p) return DefaultSection();
  return PanelSectionName(int(p->BevelOuter()), int(p->BevelInner()), p->BorderStyle() == fw::bsSingle);
}

bool TkcPanelWnd::Handles() const {
  fw::TControl* c = Control();
  return c && c->ControlStyle().Contains(fw::csAcceptsControls);
}

int TkcPanelWnd::BorderOffset() const {
  RECT r{};
  GetWindowRect(CtrlHandle, &r);
  return std::max(int(r.right - r.left - ClientWidth(CtrlHandle)) / 2, 0);
}

void TkcPanelWnd::Subclass() {
  if (FParams.SkinSection.empty() && Control()) FParams.SkinSection = ChosenSection();
  TkcMainWnd::Subclass();
  if (Handles()) RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TkcPanelWnd::WriteText(fw::TCanvas& Canvas) {
  auto* p = dynamic_cast<fw::TCustomPanel*>(Control());
  TkLoadedSkin* skin = Skin();
  if (Caption.empty() || !skin) return;
  SelectControlFont(Canvas, Control(), CtrlHandle);
  Canvas.Brush()->SetStyle(fw::bsClear);
  const int th = CanvasTextSize(Canvas, u"Wg").y;
  const int b = BorderOffset();
  const fw::TRect client = fw::Rect(b, b, b + ClientWidth(CtrlHandle), b + ClientHeight(CtrlHandle));
  fw::TRect r;
  UINT flags = DT_CENTER | DT_VCENTER | (p ? 0 : DT_SINGLELINE);
  if (p) {
    r = PanelTextRect(client, int(p->BevelOuter()), int(p->BevelInner()), p->BevelWidth(), p->BorderWidth(), th);
    flags = AlignmentDrawFlags(p, p->Alignment()) | DT_WORDBREAK | DT_VCENTER;
  } else {
    r = client;
    flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  }
  const int index = skin->GetSkinIndex(SkinSection());
  Canvas.Font()->SetColor(StateFontColor(*skin, index, 0, skin->GetGlobalFontColor()));
  DrawSectionText(Canvas, Caption, !Control() || Control()->Enabled(), r, flags, index, 0, skin);
}

bool TkcPanelWnd::PrepareCache() {
  const TCacheInfo ci = PaintWindowSection(*this, Cache);
  if (!ci.Ready && (ci.FillColor & 0xFFFFFF) == kNotPainted) {
    // The parent has not painted yet: wait for its update-done command.
    Updating = true;
    return false;
  }
  PaintOwnColor();
  GdiFlush();
  WriteText(*Cache->Canvas());
  BGChanged = false;
  return true;
}

bool TkcPanelWnd::SectionTransparent() const {
  const TkGeneralData* s = AdapterSection(*this);
  return s && s->Props[0].Transparency > 0;
}

bool TkcPanelWnd::RepaintIfMoved() const {
  fw::TControl* c = Control();
  if (!Skinned() || !c || !c->Enabled() || !AdapterSection(*this)) return true;
  HWND parent = GetParent(CtrlHandle);
  return SectionTransparent() && parent && SendSkinCommand(parent, SKC_QUERYMOVEREPAINT, 0) != 0;
}

void TkcPanelWnd::KC_WMPaint(HDC DC) {
  fw::TWinControl* owner = Owner();
  if (Updating || (owner && owner->ComponentState().Contains(fw::csDestroying))) return;
  if (owner && owner->Parent() && owner->Parent()->ControlState().Contains(fw::csCreating)) return;
  HDC dc = DC ? DC : GetDC(CtrlHandle);
  const int saved = SaveDC(dc);
  const bool ready = (HalfVisible || BGChanged || !Cache) ? PrepareCache() : true;
  // Painted only in part: the hidden part's picture may be stale next time.
  RECT clip{}, client{};
  GetClipBox(dc, &clip);
  GetClientRect(CtrlHandle, &client);
  HalfVisible = RepaintIfMoved() && !EqualRect(&clip, &client);
  if (ready && Cache) {
    CopyClientPart(dc, CtrlHandle, *Cache, BorderOffset());
    if (owner) {
      PaintGraphicControls(dc, owner, true, {0, 0});
      RepaintChildControls(owner);
    }
  }
  RestoreDC(dc, saved);
  if (!DC) ReleaseDC(CtrlHandle, dc);
}

void TkcPanelWnd::KC_WMNCPaint(HDC DC) {
  const int b = BorderOffset();
  if (Updating || b <= 0) return;
  if (!PrepareCache() || !Cache) return;
  CopyFrame(CtrlHandle, DC, *Cache, b);
}

void TkcPanelWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned() || !Handles()) return TkcMainWnd::kcWndProc(Message);
  switch (Message.Msg) {
    case WM_SKINCOMMAND:
      switch (SkinCommandCode(Message.WParam)) {
        case SKC_UPDATEDONE:
          if (Updating) {
            Updating = false;
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
          }
          if (Owner()) RepaintChildControls(Owner());
          return;
        case SKC_PREPARECACHE: PrepareCache(); break;
        case SKC_SETHALFVISIBLE: HalfVisible = true; return;
        case SKC_QUERYHALFVISIBLE: Message.Result = HalfVisible ? 1 : 0; return;
        case SKC_GETAPPLICATION: Message.Result = reinterpret_cast<LRESULT>(fw::Application); return;
        case SKC_GETBGINFO: {
          // What lies behind a child is this panel's picture.
          auto* info = reinterpret_cast<TkcBackgroundInfo*>(Message.LParam);
          if (!info || !PrepareCache() || !Cache) break;
          const int b = BorderOffset();
          info->Offset = fw::TPoint{info->Offset.x + b, info->Offset.y + b};
          info->Bmp = Cache.get();
          info->BgType = btCache;
          return;
        }
        default: break;
      }
      break;
    case WM_SETTEXT:
      if (IsWindowVisible(CtrlHandle)) {
        SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
        TkcMainWnd::kcWndProc(Message);
        SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
        BGChanged = true;
        InvalidateRect(CtrlHandle, nullptr, TRUE);
        return;
      }
      break;
    case WM_PAINT: {
      if (Message.WParam) {
        KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
        return;
      }
      PaintThroughErase(Message);
      return;
    }
    case WM_ERASEBKGND:
      KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_UPDATEUISTATE: Message.Result = 1; return;
    case WM_NCPAINT:
      KC_WMNCPaint(nullptr);
      Message.Result = 0;
      return;
    case WM_PRINTCLIENT:
      KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
      if (SectionTransparent()) BGChanged = true;
      break;
    case fw::CM_TEXTCHANGED: BGChanged = true; break;
    case fw::CM_VISIBLECHANGED:
      if (!FollowsShowing()) break;
      BGChanged = true;
      Updating = false;
      if (Message.WParam == 1) {
        PrepareCache();
        TkcMainWnd::kcWndProc(Message);
        if (Owner()) RepaintChildControls(Owner());
        return;
      }
      break;
    case fw::CM_SHOWINGCHANGED:
      if (fw::TWinControl* owner = Owner(); owner && owner->Visible()) {
        // Saving memory, pictures are dropped while hidden: build them anew.
        if (FollowsShowing() && DefaultSkinManager &&
            DefaultSkinManager->Options()->ReadOptimizingPriority() == opMemory)
          Updating = false;
        RequestControlAdapters(owner);
        for (const WORD code : {SKC_NEWSKIN, SKC_REFRESH}) {
          fw::TMessage m{WM_SKINCOMMAND, SkinCommand(code), reinterpret_cast<LPARAM>(DefaultSkinManager), 0};
          BroadcastToControls(owner, m);
        }
      }
      break;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
  if (!Skinned()) return;
  if (Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_CREATE && Owner()) RequestControlAdapters(Owner());
  if (Message.Msg == WM_WINDOWPOSCHANGING) SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0);
}

// ---- Static text

fw::String TkcStaticTextWnd::ChosenSection() const {
  fw::TControl* c = Control();
  if (!c) return DefaultSection();
  // Published properties the control may lack count as none.
  const int64_t kind = ReadOrdPropByName(c, u"BevelKind");
  const int64_t outer = ReadOrdPropByName(c, u"BevelOuter"), inner = ReadOrdPropByName(c, u"BevelInner");
  return StaticTextSectionName(kind > 0, int(outer), int(inner));
}

void TkcStaticTextWnd::WriteText(fw::TCanvas& Canvas) {
  TkLoadedSkin* skin = Skin();
  fw::TControl* c = Control();
  if (Caption.empty() || !skin) return;
  SelectControlFont(Canvas, c, CtrlHandle);
  Canvas.Brush()->SetStyle(fw::bsClear);
  const int b = BorderOffset();
  const fw::TRect r = fw::Rect(b, b, b + ClientWidth(CtrlHandle), b + ClientHeight(CtrlHandle));
  UINT flags = DT_CENTER | DT_VCENTER;
  if (c) {
    const int64_t a = ReadOrdPropByName(c, u"Alignment");
    flags = AlignmentDrawFlags(c, a >= 0 ? fw::TAlignment(a) : fw::taLeftJustify) | DT_WORDBREAK;
    flags &= ~UINT(DT_VCENTER | DT_SINGLELINE);
  }
  const int index = skin->GetSkinIndex(SkinSection());
  Canvas.Font()->SetColor(StateFontColor(*skin, index, 0, skin->GetGlobalFontColor()));
  DrawSectionText(Canvas, Caption, !c || c->Enabled(), r, flags, index, 0, skin);
}

void TkcStaticTextWnd::PaintOwnColor() {
  // A control that keeps its own colour shows it instead of the section.
  fw::TControl* c = Control();
  if (!c || Params().UseSkinColor || !Cache) return;
  GdiFlush();
  SolidFillDC(Cache->Canvas()->Handle(), fw::Rect(0, 0, Cache->Width(), Cache->Height()), c->Color());
}

void TkcStaticTextWnd::kcWndProc(fw::TMessage& Message) {
  if (Skinned() && Handles() && Message.Msg == fw::CM_ENABLEDCHANGED) {
    SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
    TkcMainWnd::kcWndProc(Message);
    SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
    BGChanged = true;
    InvalidateRect(CtrlHandle, nullptr, TRUE);
    return;
  }
  TkcPanelWnd::kcWndProc(Message);
}

// ---- Container

void TkcContainerWnd::PrepareCache() {
  PaintWindowSection(*this, Cache);
  RECT w{};
  GetWindowRect(CtrlHandle, &w);
  BorderWidth = std::max(int(w.bottom - w.top - ClientHeight(CtrlHandle)) / 2, 0);
  BGChanged = false;
}

void TkcContainerWnd::KC_WMPrint(HDC DC) {
  if (!IsWindowVisible(CtrlHandle) && !DC) return;
  BGChanged = true;
  PrepareCache();
  if (!Cache) return;
  HDC dc = DC ? DC : GetDC(CtrlHandle);
  CopyClientPart(dc, CtrlHandle, *Cache, BorderWidth);
  if (!DC) ReleaseDC(CtrlHandle, dc);
}

void TkcContainerWnd::KC_WMNCPaint() {
  if (Updating || !(GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
  PrepareCache();
  RECT w{};
  GetWindowRect(CtrlHandle, &w);
  if (Cache) CopyFrame(CtrlHandle, nullptr, *Cache, (w.right - w.left - ClientWidth(CtrlHandle)) / 2);
}

void TkcContainerWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcMainWnd::kcWndProc(Message);
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: BGChanged = true; break;
    case WM_PAINT:
      if (PaintWithPrint(Message, [this](HDC DC) { KC_WMPrint(DC); })) return;
      break;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT:
      KC_WMNCPaint();
      Message.Result = 0;
      return;
    case WM_PRINTCLIENT: KC_WMPrint(reinterpret_cast<HDC>(Message.WParam)); return;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
  if (!Skinned()) return;
  switch (Message.Msg) {
    case WM_SIZE:
      BGChanged = true;
      RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      break;
    case WM_WINDOWPOSCHANGED: SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0); break;
    case WM_MOUSEMOVE:
      if (HasDefaultManager() && IsWindowEnabled(CtrlHandle)) SetManagerActiveControl(CtrlHandle);
      break;
    default: break;
  }
}

}  // namespace skin
