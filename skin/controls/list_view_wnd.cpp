#include "skin/controls/list_view_wnd.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "fw/core/component.h"
#include "fw/system/application.h"
#include "skin/controls/adapter_paint.h"
#include "skin/controls/core/column_header_layout.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/control_messages.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/section_dc.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"

namespace skin {

namespace {

const wchar_t kHeaderAdapterProp[] = L"ACSBSC.header";
// The header's own procedure, kept for a procedure installed above ours
// that still calls the trampoline after the adapter let go.
const wchar_t kHeaderProcProp[] = L"ACSBSC.headerproc";

bool IsHeaderWindow(HWND Wnd) {
  wchar_t name[32] = {};
  GetClassNameW(Wnd, name, 32);
  return lstrcmpiW(name, WC_HEADERW) == 0;
}

int HeaderCount(HWND Header) { return int(SendMessageW(Header, HDM_GETITEMCOUNT, 0, 0)); }

// The width of a drawn up or down arrow mark.
constexpr int kArrowMarkWidth = 8;

fw::TRect ToRect(const RECT& r) { return fw::Rect(r.left, r.top, r.right, r.bottom); }

}  // namespace

LRESULT CALLBACK HeaderTrampoline(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (auto* a = static_cast<TkcListViewWnd*>(GetPropW(Wnd, kHeaderAdapterProp)); a && a->FhDefHeaderProc) {
    fw::TMessage m{Msg, WParam, LParam, 0};
    a->HeaderWndProc(m);
    return m.Result;
  }
  if (auto* own = reinterpret_cast<WNDPROC>(GetPropW(Wnd, kHeaderProcProp))) {
    if (Msg == WM_NCDESTROY) RemovePropW(Wnd, kHeaderProcProp);
    return CallWindowProcW(own, Wnd, Msg, WParam, LParam);
  }
  return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

TkcListViewWnd::TkcListViewWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint)
    : TkcEditWnd(AHandle, std::move(ASkin), Params, Repaint) {
  SaveListColors();
}

TkcListViewWnd::~TkcListViewWnd() { Detach(); }

void TkcListViewWnd::Subclass() {
  TkcEditWnd::Subclass();
  HoverColIndex = FPressedColumn = -1;
  if (HWND header = FindWindowExW(CtrlHandle, nullptr, WC_HEADERW, nullptr)) HookHeader(header);
  if (Skinned()) SetSkinParams();
}

fw::TCustomListView* TkcListViewWnd::OwnerList() const { return dynamic_cast<fw::TCustomListView*>(Control()); }

fw::TViewStyle TkcListViewWnd::ViewStyle() const {
  if (fw::TCustomListView* list = OwnerList()) return list->ViewStyle();
  switch (SendMessageW(CtrlHandle, LVM_GETVIEW, 0, 0)) {
    case LV_VIEW_ICON: return fw::vsIcon;
    case LV_VIEW_DETAILS: return fw::vsReport;
    case LV_VIEW_SMALLICON: return fw::vsSmallIcon;
    default: return fw::vsList;
  }
}

int TkcListViewWnd::AllColWidth() const {
  fw::TCustomListView* list = OwnerList();
  if (!list) return 0;
  int sum = 0;
  for (int i = 0; i < list->Columns()->Count(); ++i) {
    const int w = int(SendMessageW(CtrlHandle, LVM_GETCOLUMNWIDTH, WPARAM(i), 0));
    if (std::abs(w) > 999999) break;
    sum += w;
  }
  return sum;
}

// ---- Colours

void TkcListViewWnd::SaveListColors() {
  FSaved.Back = COLORREF(SendMessageW(CtrlHandle, LVM_GETBKCOLOR, 0, 0));
  FSaved.TextBack = COLORREF(SendMessageW(CtrlHandle, LVM_GETTEXTBKCOLOR, 0, 0));
  FSaved.Text = COLORREF(SendMessageW(CtrlHandle, LVM_GETTEXTCOLOR, 0, 0));
  FSaved.Saved = true;
}

void TkcListViewWnd::RestoreStdParams() {
  UnhookHeader();
  TkcEditWnd::RestoreStdParams();
  // The list's own colours exactly as they were (the control's colours
  // given back above may have written others into the window).
  if (!FSaved.Saved || !IsWindow(CtrlHandle)) return;
  FSaved.Saved = false;
  SendMessageW(CtrlHandle, LVM_SETBKCOLOR, 0, LPARAM(FSaved.Back));
  SendMessageW(CtrlHandle, LVM_SETTEXTBKCOLOR, 0, LPARAM(FSaved.TextBack));
  SendMessageW(CtrlHandle, LVM_SETTEXTCOLOR, 0, LPARAM(FSaved.Text));
  InvalidateRect(CtrlHandle, nullptr, TRUE);
}

void TkcListViewWnd::SetListColors(fw::TColor Back, fw::TColor Text) {
  const COLORREF back = COLORREF(fw::ColorToRGB(Back)), text = COLORREF(fw::ColorToRGB(Text));
  if (Params().UseSkinColor && COLORREF(SendMessageW(CtrlHandle, LVM_GETBKCOLOR, 0, 0)) != back) {
    SendMessageW(CtrlHandle, LVM_SETBKCOLOR, 0, LPARAM(back));
    InvalidateRect(CtrlHandle, nullptr, TRUE);
  }
  if (Params().UseSkinColor && COLORREF(SendMessageW(CtrlHandle, LVM_GETTEXTBKCOLOR, 0, 0)) != back)
    SendMessageW(CtrlHandle, LVM_SETTEXTBKCOLOR, 0, LPARAM(back));
  if (Params().UseSkinFontColor && COLORREF(SendMessageW(CtrlHandle, LVM_GETTEXTCOLOR, 0, 0)) != text) {
    SendMessageW(CtrlHandle, LVM_SETTEXTCOLOR, 0, LPARAM(text));
    InvalidateRect(CtrlHandle, nullptr, FALSE);
  }
}

void TkcListViewWnd::SetSkinParams() {
  // The framework list view writes the control's colours into every item it
  // draws itself: the edit adapter gives the control the skin's colours.
  TkcEditWnd::SetSkinParams();
  if (Destroyed || !Skinned() || !IsWindow(CtrlHandle) || bPreventStyleChange) return;
  if (DlgMode) {
    SetListColors(fw::clWindow, fw::clWindowText);
    return;
  }
  if (!AdapterSection(*this)) return;
  const int state = ControlIsHotOrFocused() && SectionStates(*this) > 1 ? 1 : 0;
  SetListColors(SectionColor(*this, state), SectionFontColor(*this, state));
}

// ---- The header

void TkcListViewWnd::HookHeader(HWND Header) {
  if (FhWndHeader || !Header) return;
  FhWndHeader = Header;
  if (!GetPropW(Header, kHeaderProcProp))
    SetPropW(Header, kHeaderProcProp, reinterpret_cast<HANDLE>(GetWindowLongPtrW(Header, GWLP_WNDPROC)));
  SetPropW(Header, kHeaderAdapterProp, this);
  FhDefHeaderProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Header, GWLP_WNDPROC));
  SetWindowLongPtrW(Header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HeaderTrampoline));
  InvalidateRect(Header, nullptr, TRUE);
}

void TkcListViewWnd::UnhookHeader() {
  HWND header = FhWndHeader;
  WNDPROC own = FhDefHeaderProc;
  FhWndHeader = nullptr;
  FhDefHeaderProc = nullptr;
  if (!header || !IsWindow(header)) return;
  if (GetPropW(header, kHeaderAdapterProp) == this) RemovePropW(header, kHeaderAdapterProp);
  // Still ours on top: the header's procedure comes back at once; otherwise
  // the trampoline goes straight on to it from now on.
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC)) == &HeaderTrampoline) {
    SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    RemovePropW(header, kHeaderProcProp);
  }
  InvalidateRect(header, nullptr, TRUE);
}

LRESULT TkcListViewWnd::CallHeaderProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  return FhDefHeaderProc && FhWndHeader ? CallWindowProcW(FhDefHeaderProc, FhWndHeader, Msg, WParam, LParam) : 0;
}

fw::TRect TkcListViewWnd::GetHeaderColumnRect(int Index) const {
  if (!FhWndHeader) return {};
  if (GetWindowLongPtrW(FhWndHeader, GWL_STYLE) & HDS_FULLDRAG) {
    const int n = HeaderCount(FhWndHeader);
    if (n > 0 && Index >= 0 && Index < n) {
      std::vector<int> order(size_t(n), 0);
      if (SendMessageW(FhWndHeader, HDM_GETORDERARRAY, WPARAM(n), LPARAM(order.data()))) Index = order[size_t(Index)];
    }
  }
  RECT r{};
  if (!SendMessageW(FhWndHeader, HDM_GETITEMRECT, WPARAM(Index), LPARAM(&r))) return {};
  return ToRect(r);
}

int TkcListViewWnd::HeaderColumnAt(POINT Screen) const {
  POINT p = Screen;
  ScreenToClient(FhWndHeader, &p);
  const int n = HeaderCount(FhWndHeader);
  for (int i = 0; i < n; ++i) {
    const fw::TRect r = GetHeaderColumnRect(i);
    if (p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom) return i;
  }
  return -2;
}

void TkcListViewWnd::PaintHeader(HDC DC) {
  if (!FhWndHeader || !Skinned() || ViewStyle() != fw::vsReport) return;
  HDC dc = DC ? DC : GetDC(FhWndHeader);
  int right = 0;
  const int n = HeaderCount(FhWndHeader);
  for (int i = 0; i < n; ++i) {
    const fw::TRect r = GetHeaderColumnRect(i);
    if (r.Width() <= 0 || r.Height() <= 0) continue;
    ColumnSkinPaint(r, int(SendMessageW(FhWndHeader, HDM_ORDERTOINDEX, WPARAM(i), 0)), dc);
    right = std::max(right, r.Right);
  }
  RECT c{};
  GetClientRect(FhWndHeader, &c);
  const fw::TRect rest = fw::Rect(right, 0, c.right, c.bottom);
  if (rest.Width() > 0 && rest.Height() > 0) ColumnSkinPaint(rest, -2, dc);
  if (!DC) ReleaseDC(FhWndHeader, dc);
}

void TkcListViewWnd::ColumnSkinPaint(const fw::TRect& ControlRect, int cIndex, HDC DC) {
  TkLoadedSkin* skin = Skin();
  if (!skin || ControlRect.Width() <= 0 || ControlRect.Height() <= 0) return;
  auto bmp = NewBitmap32(ControlRect.Width(), ControlRect.Height());
  const int state = FPressedColumn >= 0 ? (cIndex == FPressedColumn ? 2 : 0) : (cIndex == HoverColIndex ? 1 : 0);
  const fw::TColor back = Control() ? Control()->Color() : fw::clWindow;
  const fw::TRect whole = fw::Rect(0, 0, bmp->Width(), bmp->Height());
  const int section = PaintSectionByName(*bmp, u"COLHEADER", u"BUTTON", state, *skin, whole, back, nullptr);
  if (!skin->IsValidSkinIndex(section)) {
    // Neither section: a flat face in the window's colours.
    bmp->Canvas()->Brush()->SetColor(fw::clBtnFace);
    bmp->Canvas()->FillRect(whole);
  }
  fw::TCanvas& canvas = *bmp->Canvas();
  AssignWindowFont(canvas, CtrlHandle);
  canvas.Brush()->SetStyle(fw::bsClear);
  fw::TRect t = fw::Rect(4, 1, whole.Right - 4, whole.Bottom - 1);

  wchar_t text[1024] = {};
  HDITEMW item{};
  bool read = false;
  if (cIndex >= 0 && FhWndHeader) {
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE | HDI_BITMAP | HDI_ORDER;
    item.pszText = text;
    item.cchTextMax = 1023;
    read = SendMessageW(FhWndHeader, HDM_GETITEMW, WPARAM(cIndex), LPARAM(&item)) != 0;
    text[1023] = 0;
  }
  if (read) {
    HIMAGELIST images = Control() ? reinterpret_cast<HIMAGELIST>(SendMessageW(CtrlHandle, LVM_GETIMAGELIST,
                                                                                    LVSIL_SMALL, 0))
                                        : nullptr;
    int offset = 0, image = -1, imageW = 0, imageH = 0;
    if (images && (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) && ImageList_GetIconSize(images, &imageW, &imageH)) {
      offset = imageW + 4;
      image = item.iImage;
    }
    const int side = item.fmt & HDF_SORTDOWN ? asBottom : item.fmt & HDF_SORTUP ? asTop : -1;
    const int glyph = side >= 0 ? skin->ConstData.ScrollBtns[size_t(side)].GlyphIndex : -1;
    const bool hasGlyph = skin->IsValidImgIndex(glyph);
    // The arrow's room: the 6-pixel gap and the glyph, or the gap and the
    // drawn mark (8 pixels across), so that either stays inside the column.
    fw::TPoint arrow{0, 0};
    if (side >= 0)
      arrow = hasGlyph ? fw::TPoint{MaskFrameWidth(skin->ma[size_t(glyph)]) + 6, MaskFrameHeight(skin->ma[size_t(glyph)])}
                       : fw::TPoint{6 + kArrowMarkWidth, 3};
    const fw::String caption(text, text + lstrlenW(text));
    const int tw = CanvasTextWidth(canvas, caption) + 5;
    const int align = item.fmt & 0xFF & HDF_JUSTIFYMASK;
    t = ColumnTextRect(t, align == HDF_RIGHT    ? TkColumnAlign::Right
                          : align == HDF_CENTER ? TkColumnAlign::Center
                                                : TkColumnAlign::Left,
                       tw, arrow.x, offset);
    const int colorState = std::min(state, 1);
    if (side >= 0) {
      if (hasGlyph) {
        const TkMaskData& m = skin->ma[size_t(glyph)];
        const TPixelView32 v = View32(*bmp);
        // Keyed over the face painted here.
        DrawMaskGlyph(v, {ColumnArrowLeft(t), (t.Height() - MaskFrameHeight(m)) / 2}, state, gmNormal, m,
                      MakeCacheInfo(v, 0, 0), MaskSourceView(*skin, m));
      } else {
        const fw::TColor color = skin->IsValidSkinIndex(section)
                                     ? skin->gd[size_t(section)].Props[size_t(colorState)].FontColor.Color
                                     : fw::TColor(fw::clBtnText);
        // The mark spreads one pixel left of the rectangle it is given.
        const int y = (t.Height() - 3) / 2, x = ColumnArrowLeft(t) + 1;
        DrawArrowMark(canvas, color, fw::Rect(x, y, x + 6, y + 3), side);
      }
    }
    if (state == 2) t = fw::Rect(t.Left + 1, t.Top + 1, t.Right + 1, t.Bottom + 1);
    if (!skin->IsValidSkinIndex(section)) canvas.Font()->SetColor(fw::clBtnText);
    DrawSectionText(canvas, caption, true, t, DT_END_ELLIPSIS | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER,
                    section, state != 0 ? 1 : 0, skin);
    if (image >= 0) {
      const bool enabled = !Control() || Control()->Enabled();
      GdiFlush();
      ImageList_DrawEx(images, image, canvas.Handle(), t.Left - offset,
                       (t.Height() - imageH) / 2 + (state == 2 ? 1 : 0), 0, 0, CLR_NONE, CLR_NONE,
                       enabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50);
    }
  }
  GdiFlush();
  HDC dc = DC ? DC : GetDC(FhWndHeader);
  BitBlt(dc, ControlRect.Left, ControlRect.Top, ControlRect.Width(), ControlRect.Height(), canvas.Handle(), 0, 0,
         SRCCOPY);
  if (!DC) ReleaseDC(FhWndHeader, dc);
}

void TkcListViewWnd::HeaderWndProc(fw::TMessage& Message) {
  try {
    if (!Skinned() || ViewStyle() != fw::vsReport) {
      HWND header = FhWndHeader;
      Message.Result = CallHeaderProc(Message.Msg, Message.WParam, Message.LParam);
      if (Message.Msg == WM_NCDESTROY && header == FhWndHeader) UnhookHeader();
      return;
    }
    switch (Message.Msg) {
      case WM_PAINT: {
        if (Message.WParam) {
          PaintHeader(reinterpret_cast<HDC>(Message.WParam));
        } else {
          PAINTSTRUCT ps{};
          HDC dc = BeginPaint(FhWndHeader, &ps);
          PaintHeader(dc);
          EndPaint(FhWndHeader, &ps);
        }
        Message.Result = 0;
        return;
      }
      case WM_PRINTCLIENT:
        PaintHeader(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 0;
        return;
      case WM_ERASEBKGND: Message.Result = 1; return;
      case WM_WINDOWPOSCHANGING: {
        // The list's frame is redrawn around a header that moves (only: the
        // list lays its header out on every paint of its own).
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
        RECT now{};
        GetWindowRect(FhWndHeader, &now);
        MapWindowPoints(nullptr, CtrlHandle, reinterpret_cast<POINT*>(&now), 2);
        const bool moves = !(pos->flags & SWP_NOMOVE) && (pos->x != now.left || pos->y != now.top);
        const bool sizes =
            !(pos->flags & SWP_NOSIZE) && (pos->cx != now.right - now.left || pos->cy != now.bottom - now.top);
        if ((moves || sizes) && IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0);
        break;
      }
      case WM_NCDESTROY:
        Message.Result = CallHeaderProc(Message.Msg, Message.WParam, Message.LParam);
        UnhookHeader();
        return;
      case WM_NCHITTEST: {
        Message.Result = CallHeaderProc(Message.Msg, Message.WParam, Message.LParam);
        const int pos = HeaderColumnAt(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
        const int index = pos >= 0 ? int(SendMessageW(FhWndHeader, HDM_ORDERTOINDEX, WPARAM(pos), 0)) : -1;
        if (index != HoverColIndex) {
          HoverColIndex = index;
          PaintHeader(nullptr);
        }
        return;
      }
      case WM_LBUTTONUP:
        FPressedColumn = -1;
        break;
      case WM_LBUTTONDOWN: {
        Message.Result = CallHeaderProc(Message.Msg, Message.WParam, Message.LParam);
        if (!FhWndHeader) return;
        HDHITTESTINFO hit{};
        hit.pt = POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        const int item = int(SendMessageW(FhWndHeader, HDM_HITTEST, 0, LPARAM(&hit)));
        FPressedColumn = hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN) ? -1 : item;
        RedrawWindow(FhWndHeader, nullptr, nullptr, RDW_INVALIDATE);
        return;
      }
      default: break;
    }
    Message.Result = CallHeaderProc(Message.Msg, Message.WParam, Message.LParam);
  } catch (...) {
    fw::Application->HandleException(nullptr);
  }
}

// ---- The list

void TkcListViewWnd::ThumbTrack(fw::TMessage& Message, bool Vertical) {
  int pos = Message.LParam ? int(Message.LParam) : int(HIWORD(Message.WParam));
  const int last = ScrollTrackState.LastTrackPos;
  if (Vertical && pos == last) return;
  int delta = pos - last;
  RECT item{LVIR_BOUNDS};
  const fw::TViewStyle view = ViewStyle();
  if (Vertical && view == fw::vsReport && !SendMessageW(CtrlHandle, LVM_ISGROUPVIEWENABLED, 0, 0)) {
    if (SendMessageW(CtrlHandle, LVM_GETITEMRECT, 0, LPARAM(&item))) delta *= item.bottom - item.top;
  } else if (!Vertical && view == fw::vsList) {
    if (SendMessageW(CtrlHandle, LVM_GETITEMRECT, 0, LPARAM(&item))) delta *= item.right - item.left;
  }
  SendMessageW(CtrlHandle, LVM_SCROLL, Vertical ? 0 : WPARAM(delta), Vertical ? LPARAM(delta) : 0);
}

void TkcListViewWnd::PrintHeader(HDC DC) {
  if (!FhWndHeader || ViewStyle() != fw::vsReport || !IsWindowVisible(FhWndHeader)) return;
  RECT w{}, h{};
  GetWindowRect(CtrlHandle, &w);
  GetWindowRect(FhWndHeader, &h);
  POINT client{0, 0};
  ClientToScreen(CtrlHandle, &client);
  RECT c{};
  GetClientRect(CtrlHandle, &c);
  const int saved = SaveDC(DC);
  // The header's place in the window, cut to the list's client area.
  IntersectClipRect(DC, client.x - w.left, client.y - w.top, client.x - w.left + c.right, client.y - w.top + c.bottom);
  SetViewportOrgEx(DC, h.left - w.left, h.top - w.top, nullptr);
  PaintHeader(DC);
  RestoreDC(DC, saved);
}

void TkcListViewWnd::kcWndProc(fw::TMessage& Message) {
  if (Destroyed || !Skinned()) {
    TkcEditWnd::kcWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_PAINT: SetSkinParams(); break;
    case WM_NCHITTEST:
      if (HoverColIndex >= 0 || FPressedColumn >= 0) {
        HoverColIndex = FPressedColumn = -1;
        PaintHeader(nullptr);
      }
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      // The list keeps its own scroll position: a dragged thumb becomes the
      // list's scrolling by the distance moved.
      if (LOWORD(Message.WParam) == SB_THUMBTRACK) {
        ThumbTrack(Message, Message.Msg == WM_VSCROLL);
      } else {
        if (Message.Msg == WM_VSCROLL) Message.LParam = 0;
        CallPrev(Message);
        if (!DontRepaint && !fThumbTracking) RefreshScrollBars();
      }
      return;
    case WM_PRINT:
      // The edit adapter prints frame, bars and items; the header is a
      // window of its own.
      TkcEditWnd::kcWndProc(Message);
      if (!Destroyed && Message.WParam) PrintHeader(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_SKINCOMMAND:
      switch (SkinCommandCode(Message.WParam)) {
        case SKC_BEFORESCROLL: Message.Result = 1; return;
        case SKC_REFRESH:
          TkcEditWnd::kcWndProc(Message);
          if (!Destroyed && FhWndHeader) InvalidateRect(FhWndHeader, nullptr, TRUE);
          return;
        default: break;
      }
      break;
    default: break;
  }
  const UINT msg = Message.Msg;
  const WPARAM wParam = Message.WParam;
  const LPARAM lParam = Message.LParam;
  TkcEditWnd::kcWndProc(Message);
  if (Destroyed) return;
  switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: SetSkinParams(); break;
    case WM_STYLECHANGED:
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW:
    case LVM_ARRANGE:
      if (!Updating) RefreshScrollBars();
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == CtrlHandle) ReleaseCapture();
      break;
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_CREATE && IsHeaderWindow(reinterpret_cast<HWND>(lParam))) {
        if (FhWndHeader)
          UnhookHeader();
        else
          HookHeader(reinterpret_cast<HWND>(lParam));
      }
      break;
    default: break;
  }
}

}  // namespace skin
