#include "skin/controls/scroll_wnd.h"

#include <algorithm>

#include "skin/controls/scroll_paint.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/bitmap_effects.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/window_utils.h"

namespace skin {

TkScrollTrackState ScrollTrackState;

std::function<POINT()> ScrollCursorPos = [] {
  POINT p{};
  GetCursorPos(&p);
  return p;
};

namespace {

constexpr LONG_PTR kBarStyles = WS_HSCROLL | WS_VSCROLL;


bool Inside(const fw::TRect& R, POINT P) { return P.x >= R.Left && P.x < R.Right && P.y >= R.Top && P.y < R.Bottom; }

fw::TRect Moved(fw::TRect R, int dx, int dy) { return fw::Rect(R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy); }

// Where the client area begins inside the window.
POINT ClientOriginInWindow(HWND Wnd) {
  const fw::TRect c = ClientRectInWindow(Wnd);
  return POINT{c.Left, c.Top};
}

bool ReadInfo(HWND Wnd, int Bar, TkScrollState& S) {
  SCROLLINFO si{sizeof(si), SIF_ALL};
  if (!GetScrollInfo(Wnd, Bar, &si)) si = SCROLLINFO{sizeof(si), SIF_ALL};
  TkScrollState n{si.nMin, si.nMax, si.nPage, si.nPos, si.nTrackPos};
  const bool changed = n.nMin != S.nMin || n.nMax != S.nMax || n.nPage != S.nPage || n.nPos != S.nPos;
  if (changed || S.nTrackPos != n.nTrackPos) S = n;
  return changed;
}

}  // namespace

TkcScrollBar* GetScrollBarOf(HWND Wnd, int Bar) {
  auto* a = dynamic_cast<TkcScrollWnd*>(GetWindowAdapter(Wnd));
  if (!a || (Bar != SB_HORZ && Bar != SB_VERT)) return nullptr;
  return Bar == SB_HORZ ? &a->sBarHorz : &a->sBarVert;
}

bool SetScrollMinThumb(HWND Wnd, int Which, int Size) {
  auto* a = dynamic_cast<TkcScrollWnd*>(GetWindowAdapter(Wnd));
  if (!a) return false;
  if (Which == 0 || Which == 3) a->sBarHorz.MinThumb = Size;
  if (Which == 1 || Which == 3) a->sBarVert.MinThumb = Size;
  return true;
}

TkcScrollWnd::TkcScrollWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint)
    : TkcMainWnd(AHandle, std::move(ASkin), Params), FRepaint(Repaint) {
  sBarVert.Vertical = true;
}

void TkcScrollWnd::Subclass() {
  ReadInfo(CtrlHandle, SB_HORZ, sBarHorz.Info);
  ReadInfo(CtrlHandle, SB_VERT, sBarVert.Info);
  fLeftScrollbar = (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
  sBarHorz.HasStyle = (style & WS_HSCROLL) != 0;
  sBarVert.HasStyle = (style & WS_VSCROLL) != 0;
  TkcMainWnd::Subclass();
  if (FRepaint) RefreshWindowFrame(CtrlHandle, true);
}

int TkcScrollWnd::ScrollBarMetric(const TkcScrollBar& Bar, bool Thickness) const {
  // The manager's scroll size is the system's bar width unless it sets one.
  const TkSkinManager* m = DefaultSkinManager;
  const int managerSize = ManagerScrollSize(m);
  if (Thickness)
    return ScrollBarThickness(Bar.Vertical ? FParams.VertScrollSize : FParams.HorzScrollSize, managerSize,
                              Bar.ArrowWidth, GetSystemMetrics(Bar.Vertical ? SM_CXVSCROLL : SM_CYHSCROLL));
  return ScrollArrowLength(Bar.Vertical ? FParams.VertScrollBtnSize : FParams.HorzScrollBtnSize,
                           m ? m->ScrollsOptions()->FButtonsSize : -1, Bar.ArrowLength, managerSize,
                           GetSystemMetrics(SM_CXHSCROLL));
}

TkScrollFrame TkcScrollWnd::Frame(const fw::TRect& Window) const {
  TkScrollFrame f;
  f.Window = Window;
  f.LeftEdge = cxLeftEdge;
  f.RightEdge = cxRightEdge;
  f.TopEdge = cyTopEdge;
  f.BottomEdge = cyBottomEdge;
  f.LeftScrollbar = fLeftScrollbar;
  f.HorzThickness = sBarHorz.Visible ? ScrollBarMetric(sBarHorz, true) : 0;
  f.VertThickness = sBarVert.Visible ? ScrollBarMetric(sBarVert, true) : 0;
  return f;
}

fw::TRect TkcScrollWnd::HorzBarRect() const { return skin::HorzBarRect(Frame(WindowRectOf(CtrlHandle))); }
fw::TRect TkcScrollWnd::VertBarRect() const { return skin::VertBarRect(Frame(WindowRectOf(CtrlHandle))); }

bool TkcScrollWnd::ScrollBarActive(const TkcScrollBar& Bar) const {
  SCROLLBARINFO info{sizeof(info)};
  if (GetScrollBarInfo(CtrlHandle, Bar.Vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info))
    return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
  return (GetWindowLongPtrW(CtrlHandle, GWL_STYLE) & (Bar.Vertical ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

bool TkcScrollWnd::UpdateScrollInfo() {
  const bool h = ReadInfo(CtrlHandle, SB_HORZ, sBarHorz.Info);
  const bool v = ReadInfo(CtrlHandle, SB_VERT, sBarVert.Info);
  return h || v;
}

// ---- Painting

void TkcScrollWnd::PaintBar(TkcScrollBar& Bar, HDC DC, const fw::TRect& R, int ThumbPos, int PressedPart,
                            int ThumbState) {
  TkLoadedSkin* skin = Skin();
  const int L = Bar.Vertical ? R.Height() : R.Width();
  if (!skin || !Bar.Visible || L < 2 || R.Width() <= 0 || R.Height() <= 0) return;
  const int a = ScrollBarMetric(Bar, false);
  const bool active = ScrollBarActive(Bar) && (!FParams.Control || FParams.Control->Enabled());
  TkScrollTrackState& t = ScrollTrackState;
  const int type = Bar.Vertical ? 1 : 0;
  const bool hotHere = t.HotBar == type && t.HotWindow == CtrlHandle && active;
  if (t.HotWindow != CtrlHandle) PressedPart = -1;
  auto arrowState = [&](int part) { return PressedPart == part ? 2 : hotHere && t.HotPart == part ? 1 : 0; };

  const TkThumb thumb = ThumbGeometry(Bar.Info, Bar.MinThumb, a, 0, L);
  TkBarPicture p;
  p.Vertical = Bar.Vertical;
  p.Arrow = a;
  if (2 * a < L) {
    p.ThumbPos = ThumbPos >= 0 ? ThumbPos : thumb.Pos;
    p.ThumbLength = thumb.Length;
    p.Split = p.ThumbPos + p.ThumbLength / 2;
    p.Track1State = PressedPart == spTrackBefore ? 2 : 0;
    p.Track2State = PressedPart == spTrackAfter ? 2 : 0;
    p.Arrow1State = arrowState(spFirstArrow);
    p.Arrow2State = arrowState(spSecondArrow);
    p.ShowThumb = active && ThumbShown(Bar.Info, Bar.MinThumb, a, L);
    p.ThumbState = ThumbState >= 0 ? ThumbState : hotHere && t.HotPart == spThumb ? 1 : 0;
  } else {
    p.Split = L / 2;
    p.Arrow1State = arrowState(spFirstArrow);
    p.Arrow2State = arrowState(spSecondArrow);
  }
  auto image = NewBitmap32(R.Width(), R.Height());
  TkcBackgroundInfo info;
  info.R = fw::Rect(0, 0, R.Width(), R.Height());
  RequestBackgroundWnd(info, CtrlHandle, false);
  TCacheInfo ci = BgInfoToCacheInfo(info);
  // A picture answered is read as for a child at the client's origin: the
  // bar lies at its place from there.
  if (ci.Ready) {
    const POINT c = ClientOriginInWindow(CtrlHandle);
    ci.X += R.Left - c.x;
    ci.Y += R.Top - c.y;
  }
  if (!PaintScrollBarImage(*image, *skin, p, ci, {})) return;
  if (!active) {
    // An unusable bar fades into what lies behind it: 40 % of a picture
    // behind, else 60 % toward its colour.
    if (ci.Ready) {
      auto mixed = NewBitmap32(R.Width(), R.Height());
      const TPixelView32 m = View32(*mixed), bar = View32(*image);
      for (int y = 0; y < m.Height; ++y)
        for (int x = 0; x < m.Width; ++x) {
          const int bx = x + ci.X, by = y + ci.Y;
          const bool behind = bx >= 0 && by >= 0 && bx < ci.Bmp.Width && by < ci.Bmp.Height;
          m.Row(y)[x] = behind ? ci.Bmp.Pixel(bx, by) : bar.Pixel(x, y);
        }
      BlendBitmapRectKeyed(m, 0, 0, bar, fw::Rect(0, 0, m.Width - 1, m.Height - 1), 0.4, clSkinKey);
      image = std::move(mixed);
    } else {
      const fw::TColor behind = ci.FillColor == clSkinKey ? skin->GetGlobalColor() : fw::TColor(ci.FillColor);
      FadeRectToColor(*image, fw::Rect(0, 0, R.Width(), R.Height()), 60, behind, 0, 0);
    }
  }
  GdiFlush();
  BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TkcScrollWnd::PaintCorner(HDC DC, const fw::TRect& Square, const fw::TRect& ScreenSquare) {
  TkLoadedSkin* skin = Skin();
  if (!skin || Square.Width() <= 0 || Square.Height() <= 0) return;
  auto image = NewBitmap32(Square.Width(), Square.Height());
  const TPixelView32 v = View32(*image);
  // What lies behind the window there: its picture, else its colour where
  // the skin's track is see-through, else the skin's main colour.
  TkcBackgroundInfo info;
  info.R = fw::Rect(0, 0, Square.Width(), Square.Height());
  RequestBackgroundWnd(info, CtrlHandle, false);
  const int track = skin->ConstData.Scrolls[0].SkinIndex;
  fw::TColor colour = skin->GetGlobalColor();
  if (info.BgType != btCache && skin->IsValidSkinIndex(track) && skin->gd[size_t(track)].Transparency == 100)
    colour = info.Color;
  const uint32_t fill = ColorToPixel(uint32_t(fw::ColorToRGB(colour)) & 0xFFFFFF, 255);
  for (int y = 0; y < v.Height; ++y) std::fill_n(v.Row(y), v.Width, fill);
  if (info.BgType == btCache && info.Bmp) {
    const TPixelView32 b = View32(*info.Bmp);
    const POINT c = ClientOriginInWindow(CtrlHandle);
    for (int y = 0; y < v.Height; ++y)
      for (int x = 0; x < v.Width; ++x) {
        const int bx = x + Square.Left - c.x + info.Offset.x, by = y + Square.Top - c.y + info.Offset.y;
        if (bx >= 0 && by >= 0 && bx < b.Width && by < b.Height) v.Row(y)[x] = b.Pixel(bx, by);
      }
  }
  HWND parent = GetParent(CtrlHandle);
  RECT pc{};
  if (parent && GetClientRect(parent, &pc)) {
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&pc), 2);
    const bool topLevel = !(GetWindowLongPtrW(parent, GWL_STYLE) & WS_CHILD);
    if (CornerAtParentCorner(Frame(WindowRectOf(CtrlHandle)), ScreenSquare,
                             fw::Rect(pc.left, pc.top, pc.right, pc.bottom), topLevel) &&
        skin->IsValidImgIndex(skin->ConstData.GripRightBottom)) {
      const TkMaskData& m = skin->ma[size_t(skin->ConstData.GripRightBottom)];
      // The grip's see-through pixels keep the corner's colour.
      DrawMaskGlyph(v, {v.Width - MaskFrameWidth(m), v.Height - MaskFrameHeight(m)}, 0, gmNormal, m,
                    MakeCacheInfo(v, 0, 0), MaskSourceView(*skin, m));
    }
  }
  GdiFlush();
  BitBlt(DC, Square.Left, Square.Top, Square.Width(), Square.Height(), image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TkcScrollWnd::PaintScrollBars(int ThumbPos, HDC DC) {
  if (!Skinned() || Updating) return;
  if (!IsWindowVisible(CtrlHandle) && !(FParams.Control && FParams.Control->Showing())) return;
  // The bars are drawn over the window's picture: have it made first.
  if (BGChanged) SendMessageW(CtrlHandle, WM_SKINCOMMAND, SkinCommand(SKC_PREPARECACHE), 0);
  UpdateScrollInfo();
  const fw::TRect w = WindowRectOf(CtrlHandle);
  HDC dc = DC ? DC : GetWindowDC(CtrlHandle);
  const TkScrollFrame f = Frame(w);
  const TkScrollTrackState& t = ScrollTrackState;
  if (!fThumbTracking) {
    if (sBarHorz.Visible)
      PaintBar(sBarHorz, dc, Moved(skin::HorzBarRect(f), -w.Left, -w.Top), ThumbPos,
               t.PressedBar == 0 ? t.ShownPart : -1, -1);
    if (sBarVert.Visible && !DontRepaint)
      PaintBar(sBarVert, dc, Moved(skin::VertBarRect(f), -w.Left, -w.Top), ThumbPos,
               t.PressedBar == 1 ? t.ShownPart : -1, -1);
  }
  if (sBarHorz.Visible && sBarVert.Visible) {
    const fw::TRect square = ScrollCornerRect(f);
    PaintCorner(dc, Moved(square, -w.Left, -w.Top), square);
  }
  if (!DC) ReleaseDC(CtrlHandle, dc);
}

// ---- Layout

void TkcScrollWnd::CallPrevWithoutBars(fw::TMessage& Message) {
  const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
  if (!(style & kBarStyles)) {
    CallPrev(Message);
    return;
  }
  bPreventStyleChange = true;
  SetWindowLongPtrW(CtrlHandle, GWL_STYLE, style & ~kBarStyles);
  CallPrev(Message);
  SetWindowLongPtrW(CtrlHandle, GWL_STYLE, GetWindowLongPtrW(CtrlHandle, GWL_STYLE) | (style & kBarStyles));
  bPreventStyleChange = false;
}

void TkcScrollWnd::HandleNcCalcSize(fw::TMessage& Message) {
  auto* r = reinterpret_cast<RECT*>(Message.LParam);
  const fw::TRect proposed = fw::Rect(r->left, r->top, r->right, r->bottom);
  CallPrevWithoutBars(Message);
  const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
  sBarHorz.HasStyle = (style & WS_HSCROLL) != 0;
  sBarVert.HasStyle = (style & WS_VSCROLL) != 0;
  const TkScrollNcLayout l = CalcScrollNcLayout(proposed, fw::Rect(r->left, r->top, r->right, r->bottom),
                                                sBarHorz.HasStyle, sBarVert.HasStyle, ScrollBarMetric(sBarHorz, true),
                                                ScrollBarMetric(sBarVert, true), fLeftScrollbar);
  cxLeftEdge = l.LeftEdge;
  cxRightEdge = l.RightEdge;
  cyTopEdge = l.TopEdge;
  cyBottomEdge = l.BottomEdge;
  sBarHorz.Visible = l.HorzVisible;
  sBarVert.Visible = l.VertVisible;
  *r = RECT{l.Client.Left, l.Client.Top, l.Client.Right, l.Client.Bottom};
  ScrollsInitialized = true;
}

// ---- Mouse

void TkcScrollWnd::HandleNcHitTest(fw::TMessage& Message) {
  const POINT p{Message.XPos(), Message.YPos()};
  const fw::TRect w = WindowRectOf(CtrlHandle);
  const TkScrollFrame f = Frame(w);
  if (sBarHorz.Visible && Inside(skin::HorzBarRect(f), p)) {
    Message.Result = ScrollBarActive(sBarHorz) ? HTHSCROLL : HTNOWHERE;
    return;
  }
  if (sBarVert.Visible && Inside(skin::VertBarRect(f), p)) {
    Message.Result = ScrollBarActive(sBarVert) ? HTVSCROLL : HTNOWHERE;
    return;
  }
  if (sBarHorz.Visible && sBarVert.Visible) {
    const fw::TRect square = ScrollCornerRect(f);
    HWND parent = GetParent(CtrlHandle);
    RECT pc{};
    if (Inside(square, p) && parent && GetClientRect(parent, &pc)) {
      MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&pc), 2);
      if (CornerAtParentCorner(f, square, fw::Rect(pc.left, pc.top, pc.right, pc.bottom),
                               !(GetWindowLongPtrW(parent, GWL_STYLE) & WS_CHILD))) {
        Message.Result = HTBOTTOMRIGHT;
        return;
      }
    }
  }
  CallPrev(Message);
}

void TkcScrollWnd::HandleNcMouseMove(fw::TMessage& Message) {
  TkScrollTrackState& t = ScrollTrackState;
  t.HotWindow = CtrlHandle;
  const int type = Message.WParam == HTHSCROLL ? 0 : Message.WParam == HTVSCROLL ? 1 : -1;
  if (type >= 0) {
    if (type != t.HotBar) {
      t.PrevHotPart = t.HotPart = -1;
      t.HotBarRect = BarRectOf(type);
      t.HotBar = type;
      t.HotTimer = SetTimer(CtrlHandle, HotTimerId, 20, nullptr);
      PaintScrollBars();
    }
    // Passed on, the move over a bar would have the system track its own.
    Message.Result = 0;
    return;
  }
  CallPrev(Message);
}

void TkcScrollWnd::HandleNcLButtonDown(fw::TMessage& Message) {
  TkScrollTrackState& t = ScrollTrackState;
  t.HotWindow = CtrlHandle;
  const int type = Message.WParam == HTHSCROLL ? 0 : 1;
  TkcScrollBar& bar = BarOf(type);
  t.PressedScrollMsg = type == 0 ? WM_HSCROLL : WM_VSCROLL;
  t.PressedBar = type;
  const fw::TRect r = BarRectOf(type);
  const POINT p{Message.XPos(), Message.YPos()};
  const int a = ScrollBarMetric(bar, false);
  UpdateScrollInfo();
  t.PressedPart = HitTestScrollBar(bar.Info, bar.MinThumb, a, r, bar.Vertical, {p.x, p.y});
  Message.Result = 0;
  if (t.PressedPart != spNone && !ScrollBarActive(bar)) {
    // An unusable bar takes no press at all: nothing scrolls, nothing ends.
    t.PressedPart = spNone;
    t.PressedBar = -1;
    t.PressedScrollMsg = 0;
    return;
  }
  switch (t.PressedPart) {
    case spFirstArrow:
    case spSecondArrow:
    case spTrackBefore:
    case spTrackAfter:
      if (!ScrollBarActive(bar)) break;
      t.ShownPart = t.PressedPart;
      PaintScrollBars();
      SendScrollMessage(t.PressedScrollMsg, t.PressedPart, 0);
      t.RepeatTimer = SetTimer(CtrlHandle, RepeatDelayTimerId, 300, nullptr);
      break;
    case spThumb: {
      if (!ScrollBarActive(bar)) break;
      const TkThumb th = ThumbGeometry(bar.Info, bar.MinThumb, a, bar.Vertical ? r.Top : r.Left,
                                       bar.Vertical ? r.Height() : r.Width());
      t.DragThumbLength = th.Length;
      t.DragThumbPos = th.Pos;
      t.DragBarRect = r;
      bar.Info.nTrackPos = bar.Info.nPos;
      t.DragMouseOffset = (bar.Vertical ? p.y : p.x) - th.Pos;
      t.LastTrackPos = bar.Info.nPos;
      const fw::TRect w = WindowRectOf(CtrlHandle);
      HDC dc = GetWindowDC(CtrlHandle);
      PaintBar(bar, dc, Moved(r, -w.Left, -w.Top), th.Pos - (bar.Vertical ? r.Top : r.Left), -1, 2);
      ReleaseDC(CtrlHandle, dc);
      fThumbTracking = true;
      break;
    }
    default: CallPrev(Message); return;
  }
  if (t.PressedPart != spNone) SetCapture(CtrlHandle);
}

void TkcScrollWnd::DragThumb(const POINT& Screen) {
  TkScrollTrackState& t = ScrollTrackState;
  TkcScrollBar& bar = BarOf(t.PressedBar);
  const int a = ScrollBarMetric(bar, false);
  const fw::TRect& r = t.DragBarRect;
  const int start = (bar.Vertical ? r.Top : r.Left) + a;
  const int end = (bar.Vertical ? r.Bottom : r.Right) - a;
  const int pos = DragThumbPlace(bar.Vertical ? Screen.y : Screen.x, t.DragMouseOffset, start, end, t.DragThumbLength);
  const fw::TRect w = WindowRectOf(CtrlHandle);
  HDC dc = GetWindowDC(CtrlHandle);
  PaintBar(bar, dc, Moved(r, -w.Left, -w.Top), pos - (bar.Vertical ? r.Top : r.Left), -1, 2);
  ReleaseDC(CtrlHandle, dc);
  const int p = DragTrackPos(bar.Info, pos, start, end - start, t.DragThumbLength);
  if (p != t.LastTrackPos) {
    bar.Info.nTrackPos = p;
    DontRepaint = true;
    SendScrollMessage(t.PressedScrollMsg, SB_THUMBTRACK, p);
    DontRepaint = false;
  }
  t.LastTrackPos = p;
}

void TkcScrollWnd::HandleMouseMove(const POINT& Screen) {
  TkScrollTrackState& t = ScrollTrackState;
  if (fThumbTracking) {
    DragThumb(Screen);
    return;
  }
  TkcScrollBar& bar = BarOf(t.PressedBar);
  const int part = HitTestScrollBar(bar.Info, bar.MinThumb, ScrollBarMetric(bar, false), BarRectOf(t.PressedBar),
                                    bar.Vertical, {Screen.x, Screen.y});
  if (t.PressedPart < spFirstArrow || t.PressedPart > spTrackAfter) return;
  const int shown = part == t.PressedPart ? t.PressedPart : -1;
  if (shown != t.ShownPart) {
    t.ShownPart = shown;
    PaintScrollBars();
  }
}

void TkcScrollWnd::HandleLButtonUp(fw::TMessage& Message) {
  TkScrollTrackState& t = ScrollTrackState;
  if (t.PressedPart == spNone) {
    CallPrev(Message);
    return;
  }
  if (GetCapture() == CtrlHandle) ReleaseCapture();
  DontRepaint = true;
  if (t.PressedPart == spThumb) {
    if (fThumbTracking) {
      SendScrollMessage(t.PressedScrollMsg, SB_THUMBPOSITION, t.LastTrackPos);
      fThumbTracking = false;
    }
    SendScrollMessage(t.PressedScrollMsg, SB_ENDSCROLL, t.LastTrackPos);
  } else {
    KillTimer(CtrlHandle, RepeatDelayTimerId);
    KillTimer(CtrlHandle, RepeatTimerId);
    SendScrollMessage(t.PressedScrollMsg, SB_ENDSCROLL, 0);
  }
  DontRepaint = false;
  t.PressedPart = t.ShownPart = t.PressedBar = -1;
  t.RepeatTimer = 0;
  t.PressedScrollMsg = 0;
  PaintScrollBars();
  // Two image views of another maker take the release that ended a scroll
  // for a click of their own.
  if (Message.WParam == WPARAM(-1)) return;
  if (Control() && (Control()->ClassName() == u"TImageEnView" || Control()->ClassName() == u"TImageEnVect")) return;
  CallPrev(Message);
}

void TkcScrollWnd::HandleTimer(fw::TMessage& Message) {
  TkScrollTrackState& t = ScrollTrackState;
  switch (Message.WParam) {
    case HotTimerId: {
      if (fThumbTracking) return;
      const POINT p = ScrollCursorPos();
      if (Inside(t.HotBarRect, p) && t.HotBar >= 0) {
        TkcScrollBar& bar = BarOf(t.HotBar);
        t.HotPart = HitTestScrollBar(bar.Info, bar.MinThumb, ScrollBarMetric(bar, false), t.HotBarRect, bar.Vertical,
                                     {p.x, p.y});
        if (t.HotPart != t.PrevHotPart) PaintScrollBars();
        t.PrevHotPart = t.HotPart;
      } else {
        KillTimer(CtrlHandle, HotTimerId);
        t.HotTimer = 0;
        t.HotBar = t.PrevHotPart = t.HotPart = -1;
        PaintScrollBars();
      }
      return;
    }
    case RepeatDelayTimerId:
      KillTimer(CtrlHandle, RepeatDelayTimerId);
      t.RepeatTimer = SetTimer(CtrlHandle, RepeatTimerId, 55, nullptr);
      return;
    case RepeatTimerId: {
      if (t.PressedPart == spNone) return;
      HandleMouseMove(ScrollCursorPos());
      if (t.ShownPart != -1) {
        DontRepaint = true;
        SendScrollMessage(t.PressedScrollMsg, t.ShownPart, 0);
        DontRepaint = false;
      }
      return;
    }
    default: CallPrev(Message);
  }
}

void TkcScrollWnd::SendScrollMessage(UINT Msg, int Code, int Pos) {
  const LPARAM note = MAKELPARAM(Code, Msg);
  LPARAM lParam = 0;
  if (SendMessageW(CtrlHandle, WM_SKINCOMMAND, SkinCommand(SKC_BEFORESCROLL), note) == 1) {
    lParam = Pos;
  } else if (Code == SB_THUMBTRACK) {
    SCROLLINFO si{sizeof(si), SIF_POS};
    si.nPos = Pos;
    SetScrollInfo(CtrlHandle, Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, &si, FALSE);
  }
  const WPARAM high = WPARAM(std::min<unsigned>(unsigned(std::max(Pos, 0)), 0xFFFFu));
  SendMessageW(CtrlHandle, Msg, MAKEWPARAM(Code, high), lParam);
  SendMessageW(CtrlHandle, WM_SKINCOMMAND, SkinCommand(SKC_AFTERSCROLL), note);
}

// ---- Routing

void TkcScrollWnd::kcWndProc(fw::TMessage& Message) {
  if (Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
    if (GetCapture() == CtrlHandle && ScrollTrackState.PressedPart != spNone) {
      ScrollTrackState = TkScrollTrackState{};
      fThumbTracking = false;
    }
    if (ScrollTrackState.HotWindow == CtrlHandle) ScrollTrackState.HotWindow = nullptr;
    TkcMainWnd::kcWndProc(Message);
    return;
  }
  if (Destroyed || !Skinned()) {
    TkcMainWnd::kcWndProc(Message);
    return;
  }
  TkScrollTrackState& t = ScrollTrackState;
  switch (Message.Msg) {
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
      if (bPreventStyleChange) {
        Message.Result = 0;
        return;
      }
      if (Message.Msg == WM_STYLECHANGED && Message.WParam == WPARAM(GWL_EXSTYLE))
        fLeftScrollbar = (reinterpret_cast<const STYLESTRUCT*>(Message.LParam)->styleNew & WS_EX_LEFTSCROLLBAR) != 0;
      break;
    case WM_NCCALCSIZE: HandleNcCalcSize(Message); return;
    case WM_NCHITTEST: HandleNcHitTest(Message); return;
    case WM_NCPAINT:
      if (!ScrollsInitialized) RefreshWindowFrame(CtrlHandle, true);
      CallPrevWithoutBars(Message);
      if (IsWindowVisible(CtrlHandle) && !DontRepaint) PaintScrollBars();
      return;
    case WM_NCMOUSEMOVE: HandleNcMouseMove(Message); return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (Message.WParam == HTHSCROLL || Message.WParam == HTVSCROLL) {
        HandleNcLButtonDown(Message);
        return;
      }
      break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
      if (Message.WParam == HTHSCROLL || Message.WParam == HTVSCROLL) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_TIMER:
      HandleTimer(Message);
      if (!DontRepaint && !fThumbTracking && UpdateScrollInfo()) PaintScrollBars();
      return;
    case WM_MOUSEMOVE:
      if (fThumbTracking || (t.PressedPart != spNone && GetCapture() == CtrlHandle)) {
        POINT p{Message.XPos(), Message.YPos()};
        ClientToScreen(CtrlHandle, &p);
        HandleMouseMove(p);
        Message.Result = 0;
        return;
      }
      break;
    case WM_LBUTTONUP: HandleLButtonUp(Message); return;
    case WM_SYSCOMMAND:
      // The system's own scroll-bar tracking (SC_VSCROLL | HTVSCROLL).
      if (Message.WParam == 0xF077) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_SKINCOMMAND:
      // What is painted over a scrolling window repaints when moved.
      if (SkinCommandCode(Message.WParam) == SKC_QUERYMOVEREPAINT) {
        Message.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
  // Whatever moved the scroll information (scrolling, keys, the wheel, new
  // items) may have had the system paint its own bar: the skinned one goes
  // back on top.
  if (!Destroyed && !DontRepaint && !fThumbTracking && Message.Msg != WM_NCHITTEST && Message.Msg != WM_SETCURSOR &&
      UpdateScrollInfo())
    PaintScrollBars();
}

}  // namespace skin
