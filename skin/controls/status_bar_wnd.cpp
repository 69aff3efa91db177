#include "skin/controls/status_bar_wnd.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/text_out.h"
#include "skin/engine/window_utils.h"

namespace skin {

TkcStatusBarWnd::TkcStatusBarWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params)
    : TkcMainWnd(AHandle, std::move(ASkin), Params), StatusBar(dynamic_cast<fw::TStatusBar*>(Params.Control)) {}

bool TkcStatusBarWnd::SimplePanel() const { return SendMessageW(CtrlHandle, SB_ISSIMPLE, 0, 0) == 1; }

int TkcStatusBarWnd::PartsCount() const { return int(SendMessageW(CtrlHandle, SB_GETPARTS, 0, 0)); }

fw::TRect TkcStatusBarWnd::PartRect(int Index) const {
  RECT r{};
  SendMessageW(CtrlHandle, SB_GETRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&r));
  return fw::Rect(r.left, r.top, r.right, r.bottom);
}

fw::String TkcStatusBarWnd::PartText(int Index) const {
  if (PartsCount() == 0) return fw::String();
  if (SimplePanel()) {
    const int n = int(SendMessageW(CtrlHandle, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(size_t(n) + 1, L'\0');
    SendMessageW(CtrlHandle, WM_GETTEXT, WPARAM(n + 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return fw::String(text.begin(), text.end());
  }
  if (!StatusBar) return fw::String();
  if (StatusBar->Panels()->Count() == 0) return StatusBar->SimpleText();
  if (Index >= 0 && Index < StatusBar->Panels()->Count()) return StatusBar->Panels()->Items(Index)->Text();
  return fw::String();
}

void TkcStatusBarWnd::InternalDrawPanel(int Index, const fw::TRect& Rect) {
  TkLoadedSkin& skin = *Skin();
  int skinIndex = -1;
  AdapterSection(*this, &skinIndex);
  const TPixelView32 v = View32(*S.Cache);
  TCacheInfo self;
  self.Bmp = v;
  self.Ready = true;
  const bool simple = SimplePanel();
  if (skin.IsValidSkinIndex(skinIndex)) {
    const int mask = skin.GetMaskIndex(skinIndex, skin.gd[skinIndex].ClassName, u"STATUSPANELMASK");
    if (skin.IsValidImgIndex(mask)) {
      const TkMaskData& m = skin.ma[mask];
      const fw::TRect r = simple ? fw::Rect(0, 0, v.Width, v.Height) : Rect;
      DrawMaskRect(v, r, TCacheInfo{}, m, MaskSourceView(skin, m), 0, true);
    } else if (!simple && Index + 1 != PartsCount()) {
      // A divider at the right edge of every part but the last.
      const int divider = skin.GetSkinIndex(u"DIVIDER");
      const int border = skin.IsValidSkinIndex(divider) ? skin.GetMaskIndex(divider, u"DIVIDER", u"BORDERSMASK") : -1;
      if (skin.IsValidImgIndex(border)) {
        const TkMaskData& m = skin.ma[border];
        const int w = std::max(2, m.WL + m.WR), h = v.Height - 2;
        TSectionPaint p;
        p.SkinIndex = divider;
        p.SectionName = u"DIVIDER";
        p.State = 0;
        p.CI = self;
        p.R = fw::Rect(std::max(0, Rect.Right - w), 1, std::min(v.Width, Rect.Right), std::min(v.Height, 1 + h));
        // Key pixels of the divider's mask show the bar beneath.
        std::vector<uint32_t> beneath;
        for (int y = p.R.Top; y < p.R.Bottom; ++y) beneath.insert(beneath.end(), v.Row(y) + p.R.Left, v.Row(y) + p.R.Right);
        PaintSectionRect(v, skin, p);
        size_t i = 0;
        for (int y = p.R.Top; y < p.R.Bottom; ++y)
          for (int x = p.R.Left; x < p.R.Right; ++x, ++i)
            if (v.Row(y)[x] == clSkinKey) v.Row(y)[x] = beneath[i];
      }
    }
  }
  GdiFlush();
  // An owner-drawn panel gets exactly its handler's drawing, made through
  // the bar's own canvas on the cache.
  if (StatusBar && Index >= 0 && Index < StatusBar->Panels()->Count() &&
      StatusBar->Panels()->Items(Index)->Style() == fw::psOwnerDraw && StatusBar->OnDrawPanel) {
    fw::TCanvas* canvas = StatusBar->Canvas();
    const HDC saved = canvas->HandleAllocated() ? canvas->Handle() : nullptr;
    canvas->SetHandle(S.Cache->Canvas()->Handle());
    try {
      StatusBar->OnDrawPanel(StatusBar, StatusBar->Panels()->Items(Index), Rect);
    } catch (...) {
      canvas->SetHandle(saved);
      throw;
    }
    canvas->SetHandle(saved);
    return;
  }
  if (!StatusBar) return;
  fw::TRect r = fw::Rect(Rect.Left + 1 + 2, Rect.Top + 1, Rect.Right - 1 - 4, Rect.Bottom - 1 - 1);
  if (r.Width() <= 0) return;
  fw::TCanvas& canvas = *S.Cache->Canvas();
  // The bar's font measures the text it is written in.
  canvas.SetFont(StatusBar->Font());
  canvas.Brush()->SetStyle(fw::bsClear);
  const fw::String text = CutTextToWidth(canvas, PartText(Index), r.Width());
  if (text.empty()) return;
  const fw::TAlignment align = !StatusBar->SimplePanel() && Index >= 0 && Index < StatusBar->Panels()->Count()
                                   ? StatusBar->Panels()->Items(Index)->Alignment()
                                   : fw::taLeftJustify;
  const UINT flags = AlignmentDrawFlags(StatusBar, align) | DT_VCENTER | DT_SINGLELINE;
  DrawSectionText(canvas, text, StatusBar->Enabled(), r, flags, skinIndex, 0, &skin);
}

void TkcStatusBarWnd::PaintPanels() {
  if (SimplePanel()) {
    InternalDrawPanel(-1, fw::Rect(0, 1, S.Geo.WndSize.x - 1, S.Geo.WndSize.y - 1));
    return;
  }
  for (int i = 0, n = PartsCount(); i < n; ++i) {
    const fw::TRect r = PartRect(i);
    InternalDrawPanel(i, fw::Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
  }
}

void TkcStatusBarWnd::PaintGrip() {
  if (!StatusBar || !StatusBar->SizeGrip()) return;
  TkLoadedSkin& skin = *Skin();
  const int grip = skin.ConstData.GripRightBottom;
  if (!skin.IsValidImgIndex(grip)) return;
  const TkMaskData& m = skin.ma[grip];
  const TPixelView32 v = View32(*S.Cache);
  TCacheInfo self;
  self.Bmp = v;
  self.Ready = true;
  DrawMaskGlyph(v, {v.Width - MaskFrameWidth(m), v.Height - MaskFrameHeight(m)}, 0, gmNormal, m, self,
                MaskSourceView(skin, m));
}

void TkcStatusBarWnd::PrepareCache() {
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  fw::TBitmap& cache = S.EnsureCache(S.Geo.WndSize.x, S.Geo.WndSize.y);
  TkLoadedSkin& skin = *Skin();
  int skinIndex = -1;
  AdapterSection(*this, &skinIndex);
  if (skin.IsValidSkinIndex(skinIndex)) {
    const TkcBehind behind = WndParentCacheInfo(CtrlHandle, S.Geo);
    const TPixelView32 v = View32(cache);
    PaintControlItem(v, skin, AdapterControlItem(*this), behind.CI, true, {}, fw::Rect(0, 0, v.Width, v.Height), 0);
  }
  PaintPanels();
  PaintGrip();
  GdiFlush();
  BGChanged = false;
}

void TkcStatusBarWnd::WMPaint(HDC DC) {
  HDC dc = DC ? DC : GetWindowDC(CtrlHandle);
  PrepareCache();
  BitBlt(dc, 0, 0, S.Geo.WndSize.x, S.Geo.WndSize.y, S.Cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  // The graphic controls on the bar over the new picture.
  if (auto* bar = dynamic_cast<fw::TWinControl*>(Control())) PaintGraphicControls(dc, bar, false, {});
  if (!DC) ReleaseDC(CtrlHandle, dc);
}

void TkcStatusBarWnd::kcWndProc(fw::TMessage& Message) {
  if (Skinned()) {
    switch (Message.Msg) {
      case WM_PAINT: {
        // The picture is made in the erase BeginPaint asks for.
        PaintThroughErase(Message);
        return;
      }
      case WM_ERASEBKGND:
        WMPaint(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
      case WM_PRINTCLIENT:
        WMPaint(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 0;
        return;
      case WM_NCPAINT:
        // A status bar has no border of its own to paint.
        Message.Result = 0;
        return;
      case WM_SKINCOMMAND:
        // What lies behind the bar's graphic controls: the bar's picture.
        if (SkinCommandCode(Message.WParam) == SKC_GETBGINFO && Message.LParam) {
          if (!S.Cache || BGChanged) PrepareCache();
          auto* info = reinterpret_cast<TkcBackgroundInfo*>(Message.LParam);
          info->Bmp = S.Cache.get();
          info->BgType = btCache;
          Message.Result = 1;
          return;
        }
        break;
      default: break;
    }
  }
  TkcMainWnd::kcWndProc(Message);
  if (Message.Msg == WM_SIZE && Skinned()) RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
}

}  // namespace skin
