#include "skin/controls/track_wnd.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/controls/adapter_paint.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/bitmap_effects.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"

namespace skin {

namespace {

fw::TRect Reported(HWND Wnd, UINT Msg) {
  RECT r{};
  SendMessageW(Wnd, Msg, 0, reinterpret_cast<LPARAM>(&r));
  return fw::Rect(r.left, r.top, r.right, r.bottom);
}

// Turns the image over: left to right (Horizontal) or top to bottom.
void Mirror(const TPixelView32& V, bool Horizontal) {
  if (Horizontal) {
    for (int y = 0; y < V.Height; ++y) std::reverse(V.Row(y), V.Row(y) + V.Width);
  } else {
    for (int y = 0; y < V.Height / 2; ++y) std::swap_ranges(V.Row(y), V.Row(y) + V.Width, V.Row(V.Height - 1 - y));
  }
}

}  // namespace

TkTrackStyle TkcTrackWnd::Style() const { return TrackStyleOf(uint32_t(GetWindowLongPtrW(CtrlHandle, GWL_STYLE))); }

fw::TRect TkcTrackWnd::ChannelRect() const {
  return TrackChannel(Reported(CtrlHandle, TBM_GETCHANNELRECT), Style().Vertical);
}

fw::TRect TkcTrackWnd::ThumbRect() const { return Reported(CtrlHandle, TBM_GETTHUMBRECT); }

bool TkcTrackWnd::HotOrFocused() const {
  if (!IsWindowEnabled(CtrlHandle)) return false;
  return GetFocus() == CtrlHandle || S.MouseAbove;
}

void TkcTrackWnd::kcWndProc(fw::TMessage& Message) {
  TkLoadedSkin* skin = Destroyed ? nullptr : Skin();
  if (!skin || !skin->IsValidSkinIndex(skin->GetSkinIndex(u"TRACKBAR"))) {
    TkcMainWnd::kcWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT: KC_WMPaint(Message); return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT: Message.Result = 0; return;
    case WM_LBUTTONDOWN: bMousePressed = true; break;
    case WM_LBUTTONUP: bMousePressed = false; break;
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE:
      S.MouseAbove = Message.Msg == fw::CM_MOUSEENTER;
      InvalidateRect(CtrlHandle, nullptr, FALSE);
      break;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
}

void TkcTrackWnd::KC_WMPaint(fw::TMessage& Message) {
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  HDC given = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps{};
  HDC dc = given ? given : BeginPaint(CtrlHandle, &ps);
  if (!Updating && GetParent(CtrlHandle))
    SendMessageW(GetParent(CtrlHandle), WM_SKINCOMMAND, SkinCommand(SKC_CHILDPAINTING), LPARAM(CtrlHandle));
  if (!Destroyed && (IsWindowVisible(CtrlHandle) || given)) {
    PrepareCache();
    if (S.Cache) CopyToDC(dc, 0, 0, *S.Cache);
  }
  if (!given) EndPaint(CtrlHandle, &ps);
  Message.Result = 0;
}

void TkcTrackWnd::PrepareCache() {
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  S.EnsureCache(S.Geo.WndSize.x, S.Geo.WndSize.y);
  PaintBody();
}

void TkcTrackWnd::PaintBody() {
  TkLoadedSkin* skin = Skin();
  if (!skin || !S.Cache) return;
  const TPixelView32 v = View32(*S.Cache);
  if (v.Empty()) return;
  const fw::TRect whole = fw::Rect(0, 0, v.Width, v.Height);
  const TkcBehind behind = WndParentCacheInfo(CtrlHandle, S.Geo);
  GdiFlush();
  FillFromBackground(v, whole, behind.CI);
  PaintControlItem(v, *skin, AdapterControlItem(*this), behind.CI, true, {}, whole, Mode());
  TrackBarNdx = skin->GetSkinIndex(u"TRACKBAR");
  if (!skin->IsValidSkinIndex(TrackBarNdx)) return;
  PaintBar(v);
  PaintThumb(v);
  if (!IsWindowEnabled(CtrlHandle)) FadeDisabled(*S.Cache, behind.CI);
}

void TkcTrackWnd::PaintBar(const TPixelView32& V) {
  TkLoadedSkin& skin = *Skin();
  const TkTrackStyle style = Style();
  const fw::TRect channel = ChannelRect();
  const int mask = skin.GetMaskIndex(TrackBarNdx, u"TRACKBAR", u"SLIDERCHANNEL");
  if (skin.IsValidImgIndex(mask)) {
    const TkMaskData& m = skin.ma[size_t(mask)];
    fw::TRect r = NarrowChannel(channel, style.Vertical, style.Vertical ? MaskFrameWidth(m) : MaskFrameHeight(m));
    // The painter takes Right and Bottom as outside the rectangle.
    if (style.Vertical) r.Right = r.Left + MaskFrameWidth(m);
    else r.Bottom = r.Top + MaskFrameHeight(m);
    DrawMaskRect(V, r, MakeCacheInfo(V, 0, 0), m, MaskSourceView(skin, m), HotOrFocused() ? 1 : 0, false);
  }
  PaintTicks(V, channel, ThumbRect());
}

void TkcTrackWnd::PaintTicks(const TPixelView32& V, const fw::TRect& Channel, const fw::TRect& Thumb) {
  const TkTrackStyle style = Style();
  if (style.Ticks == TkTickStyle::None) return;
  const int count = int(SendMessageW(CtrlHandle, TBM_GETNUMTICS, 0, 0));
  std::vector<int> between;
  for (int i = 0; i + 2 < count; ++i)
    between.push_back(int(SendMessageW(CtrlHandle, TBM_GETTICPOS, WPARAM(i), 0)));
  const std::vector<int> at = TickPositions(style.Ticks, count, Channel, Thumb, style.Vertical, between, &iStep);
  const TkTickRows rows = TickRows(style, Channel, Thumb, TickHeight);
  for (int p : at) {
    if (rows.Before) PaintTick(V, style.Vertical ? fw::TPoint{rows.BeforeAt, p} : fw::TPoint{p, rows.BeforeAt}, !style.Vertical);
    if (rows.After) PaintTick(V, style.Vertical ? fw::TPoint{rows.AfterAt, p} : fw::TPoint{p, rows.AfterAt}, !style.Vertical);
  }
}

void TkcTrackWnd::PaintTick(const TPixelView32& V, fw::TPoint P, bool Horz) {
  TkLoadedSkin& skin = *Skin();
  const int mask = skin.GetMaskIndex(TrackBarNdx, u"TRACKBAR", Horz ? u"TICKHORZ" : u"TICKVERT");
  if (skin.IsValidImgIndex(mask)) {
    const TkMaskData& m = skin.ma[size_t(mask)];
    if (Horz) P.x -= MaskFrameWidth(m);
    else P.y -= MaskFrameHeight(m);
    DrawMaskGlyph(V, P, Mode(), gmNormal, m, MakeCacheInfo(V, 0, 0), MaskSourceView(skin, m));
    return;
  }
  // A sunken line.
  GdiFlush();
  fw::TRect r = Horz ? fw::Rect(P.x, P.y, P.x + 2, P.y + TickHeight) : fw::Rect(P.x, P.y, P.x + TickHeight, P.y + 2);
  int width = 1;
  DrawFrame3DOnDC(S.Cache->Canvas()->Handle(), r, fw::clBtnShadow, 0xFFFFFF, width);
  GdiFlush();
}

void TkcTrackWnd::PaintThumb(const TPixelView32& V) {
  TkLoadedSkin& skin = *Skin();
  const TkTrackStyle style = Style();
  int mask = style.Vertical ? skin.GetMaskIndex(TrackBarNdx, u"TRACKBAR", u"SLIDERVMASK") : -1;
  if (!skin.IsValidImgIndex(mask)) mask = skin.GetMaskIndex(TrackBarNdx, u"TRACKBAR", u"SLIDERMASK");
  if (!skin.IsValidImgIndex(mask)) return;
  const TkMaskData& m = skin.ma[size_t(mask)];
  const int w = MaskFrameWidth(m), h = MaskFrameHeight(m);
  const fw::TRect t = ThumbRect();
  if (t.Width() <= 0 || t.Height() <= 0 || w <= 0 || h <= 0) return;
  if (ThumbDrawnDirect(style.Marks, t, style.Vertical, w, h)) {
    DrawMaskGlyph(V, {t.Left + (t.Width() - w) / 2, t.Top + (t.Height() - h) / 2}, Mode(), gmNormal, m,
                  MakeCacheInfo(V, 0, 0), MaskSourceView(skin, m));
    return;
  }
  // Through an image of the mask's size: what lies under the thumb scaled to
  // it, the mask over it (turned toward ticks on the top or left), scaled
  // back to the thumb.
  const bool turned = style.Marks == TkTickMarks::TopLeft;
  auto under = NewBitmap32(t.Width(), t.Height());
  GdiFlush();
  BitBlt(under->Canvas()->Handle(), 0, 0, t.Width(), t.Height(), S.Cache->Canvas()->Handle(), t.Left, t.Top, SRCCOPY);
  auto image = NewBitmap32(w, h);
  ResampleBitmap(*under, *image, w, h, 6);
  const TPixelView32 iv = View32(*image);
  if (turned) Mirror(iv, style.Vertical);
  DrawMaskGlyph(iv, {0, 0}, Mode(), gmNormal, m, MakeCacheInfo(iv, 0, 0), MaskSourceView(skin, m));
  if (turned) Mirror(iv, style.Vertical);
  auto scaled = NewBitmap32(t.Width(), t.Height());
  ResampleBitmap(*image, *scaled, t.Width(), t.Height(), 6);
  GdiFlush();
  BitBlt(S.Cache->Canvas()->Handle(), t.Left, t.Top, t.Width(), t.Height(), scaled->Canvas()->Handle(), 0, 0, SRCCOPY);
  GdiFlush();
}

}  // namespace skin
