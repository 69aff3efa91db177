#include "skin/controls/spin_wnd.h"

#include "skin/controls/adapter_paint.h"
#include "skin/controls/control_cache.h"
#include "skin/controls/core/spin_geometry.h"
#include "skin/controls/scroll_wnd.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"

namespace skin {

namespace {

constexpr LONG_PTR kHorz = 0x40;  // UDS_HORZ

}  // namespace

bool TkcSpinWnd::IsVertical() const { return (GetWindowLongPtrW(CtrlHandle, GWL_STYLE) & kHorz) == 0; }

void TkcSpinWnd::PaintButton(TkLoadedSkin& Skin, int SkinIndex, const fw::TRect& R, int State, bool First) {
  const TPixelView32 v = View32(*Cache);
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  const TCacheInfo ci = WndParentCacheInfo(CtrlHandle, g).CI;
  PaintSection(v, Skin, SkinIndex, State, R, ci, fw::TPoint{R.Left, R.Top});
  const bool vertical = IsVertical();
  const int side = vertical ? (First ? asTop : asBottom) : (First ? asLeft : asRight);
  const int glyph = Skin.ConstData.ScrollBtns[size_t(side)].GlyphIndex;
  if (Skin.IsValidImgIndex(glyph)) {
    const TkMaskData& m = Skin.ma[size_t(glyph)];
    const fw::TPoint p{R.Left + (R.Width() - MaskFrameWidth(m)) / 2, R.Top + (R.Height() - MaskFrameHeight(m)) / 2};
    DrawMaskGlyph(v, p, State, gmNormal, m, MakeCacheInfo(v, 0, 0), MaskSourceView(Skin, m));
    return;
  }
  fw::TRect mark = R;
  if (State == 2 && ShiftContentOnClickOption()) mark = fw::Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
  const fw::TColor color = StateFontColor(Skin, SkinIndex, State, fw::clBtnText);
  DrawArrowMark(*Cache->Canvas(), color, mark, side);
}

void TkcSpinWnd::PrepareCache() {
  TkLoadedSkin* skin = Skin();
  if (!skin) return;
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  const bool vertical = IsVertical();
  // The looks follow the cursor at every paint.
  const POINT cursor = ScrollCursorPos();
  RECT wr{};
  GetWindowRect(CtrlHandle, &wr);
  std::tie(Btn1State, Btn2State) =
      SpinButtonStates(g.WndSize.x, g.WndSize.y, vertical, cursor.x - wr.left, cursor.y - wr.top, bMousePressed);
  int index = skin->GetSkinIndex(SkinSection());
  if (index < 0) {
    FParams.SkinSection = u"BUTTON";
    index = skin->GetSkinIndex(u"BUTTON");
  }
  if (!Cache || Cache->Width() != g.WndSize.x || Cache->Height() != g.WndSize.y) Cache = NewBitmap32(std::max(g.WndSize.x, 1), std::max(g.WndSize.y, 1));
  const auto [first, second] = SpinButtonRects(g.WndSize.x, g.WndSize.y, vertical, vertical ? lOffset : 0);
  PaintButton(*skin, index, first, Btn1State, true);
  PaintButton(*skin, index, second, Btn2State, false);
  BGChanged = false;
}

void TkcSpinWnd::KC_WMPaint(fw::TMessage& Message) {
  PAINTSTRUCT ps{};
  HDC given = reinterpret_cast<HDC>(Message.WParam);
  HDC paintDC = given ? nullptr : BeginPaint(CtrlHandle, &ps);
  if (!Updating) {
    HDC dc = given ? given : paintDC;
    PrepareCache();
    if (Cache) {
      // A vertical control's left columns stay the control's own.
      const int from = IsVertical() ? std::min(lOffset, Cache->Width()) : 0;
      GdiFlush();
      BitBlt(dc, from, 0, Cache->Width() - from, Cache->Height(), Cache->Canvas()->Handle(), from, 0, SRCCOPY);
    }
  }
  if (!given) EndPaint(CtrlHandle, &ps);
}

void TkcSpinWnd::Redraw() { RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME); }

void TkcSpinWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcMainWnd::kcWndProc(Message);
  switch (Message.Msg) {
    case WM_PAINT:
      KC_WMPaint(Message);
      Message.Result = 0;
      return;
    case WM_PRINTCLIENT: {
      fw::TMessage m{WM_PAINT, Message.WParam, 0, 0};
      KC_WMPaint(m);
      return;
    }
    case WM_ERASEBKGND:
    case WM_NCPAINT: Message.Result = 1; return;
    case WM_LBUTTONDOWN: bMousePressed = true; break;
    case WM_LBUTTONUP: bMousePressed = false; break;
    case WM_MOUSELEAVE: InvalidateRect(CtrlHandle, nullptr, FALSE); break;
    case WM_SKINCOMMAND:
      if (SkinCommandCode(Message.WParam) == SKC_MOUSELEAVE) Redraw();
      break;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
  if (Destroyed) return;
  switch (Message.Msg) {
    case WM_MOUSEMOVE:
      if (HasDefaultManager() && IsWindowEnabled(CtrlHandle)) {
        RECT wr{};
        GetWindowRect(CtrlHandle, &wr);
        const POINT p = ScrollCursorPos();
        if (PtInRect(&wr, p)) {
          if (ManagerActiveControl() == CtrlHandle) Redraw();
          else SetManagerActiveControl(CtrlHandle);
        } else if (ManagerActiveControl() == CtrlHandle) {
          SetManagerActiveControl(nullptr);
        }
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: Redraw(); break;
    case WM_LBUTTONDBLCLK:
      bMousePressed = true;
      Redraw();
      bMousePressed = false;
      break;
    default: break;
  }
}

}  // namespace skin
