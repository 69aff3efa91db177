#include "skin/controls/check_box_wnd.h"

#include <algorithm>
#include <functional>

#include "skin/controls/adapter_paint.h"
#include "skin/controls/control_cache.h"
#include "skin/controls/core/check_layout.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"
#include "skin/engine/window_utils.h"

namespace skin {

namespace {

uint32_t StyleOf(HWND Wnd) { return uint32_t(GetWindowLongPtrW(Wnd, GWL_STYLE)); }
uint32_t ExStyleOf(HWND Wnd) { return uint32_t(GetWindowLongPtrW(Wnd, GWL_EXSTYLE)); }

void EnsureCache(std::unique_ptr<fw::TBitmap>& Cache, int W, int H) {
  W = std::max(W, 1);
  H = std::max(H, 1);
  if (!Cache || Cache->Width() != W || Cache->Height() != H) Cache = NewBitmap32(W, H);
}

int GlyphWidth(const TkMaskData& m) { return m.Bmp ? m.Bmp->Width() / 3 : MaskFrameWidth(m); }
int GlyphHeight(const TkMaskData& m) { return m.Bmp ? m.Bmp->Height() / 2 : MaskFrameHeight(m); }

// The window paints itself with redrawing off, then is painted by the adapter.
void QuietlyThenPaint(HWND Wnd, const std::function<void()>& Pass) {
  SendMessageW(Wnd, WM_SETREDRAW, 0, 0);
  Pass();
  SendMessageW(Wnd, WM_SETREDRAW, 1, 0);
  SendMessageW(Wnd, WM_PAINT, 0, 0);
}

}  // namespace

// ---- Check box

void TkcCheckBoxWnd::Subclass() {
  OwnerDraw = ButtonKindOf(StyleOf(CtrlHandle)) == bkOwnerDraw;
  TkcMainWnd::Subclass();
  InvalidateRect(CtrlHandle, nullptr, TRUE);
}

int TkcCheckBoxWnd::SkinIndex() const {
  TkLoadedSkin* skin = Skin();
  return skin ? SectionIndexOr(*skin, SkinSection(), u"CHECKBOX") : -1;
}

int TkcCheckBoxWnd::State() const {
  const LRESULT s = SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0);
  if (s & BST_INDETERMINATE) return 2;
  return (s & BST_CHECKED) ? 1 : 0;
}

bool TkcCheckBoxWnd::HotOrFocused() const {
  if (GetFocus() == CtrlHandle) return true;
  return ManagerActiveControl() == CtrlHandle;
}

int TkcCheckBoxWnd::CtlState() const {
  const LRESULT s = SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0);
  if (s & BST_PUSHED) return 2;
  if (NoMouseHoverOption()) return 0;
  if (s & BST_FOCUS) return 1;
  return ManagerActiveControl() == CtrlHandle ? 1 : 0;
}

int TkcCheckBoxWnd::GlyphMaskIndex(int CheckState) const {
  TkLoadedSkin* skin = Skin();
  if (!skin) return -1;
  return skin->GetMaskIndex(skin->ConstData.IndexGLobalInfo, u"GLOBALINFO",
                            CheckGlyphMaskName(StyleOf(CtrlHandle), CheckState));
}

fw::TRect TkcCheckBoxWnd::SkinCheckRect(int MaskIndex) const {
  TkLoadedSkin* skin = Skin();
  if (!skin || !skin->IsValidImgIndex(MaskIndex)) return {};
  const TkMaskData& m = skin->ma[size_t(MaskIndex)];
  RECT r{};
  GetWindowRect(CtrlHandle, &r);
  return CheckGlyphRect(r.right - r.left, r.bottom - r.top, GlyphWidth(m), GlyphHeight(m), StyleOf(CtrlHandle));
}

fw::TRect TkcCheckBoxWnd::CheckRect() const {
  const int i = GlyphMaskIndex(1);
  TkLoadedSkin* skin = Skin();
  return skin && skin->IsValidImgIndex(i) ? SkinCheckRect(i) : fw::Rect(0, 0, 16, 16);
}

void TkcCheckBoxWnd::DrawCheckText() {
  if (Caption.empty()) return;
  TkLoadedSkin* skin = Skin();
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  const uint32_t style = StyleOf(CtrlHandle);
  const int cw = CheckRect().Width();
  fw::TCanvas& canvas = *Cache->Canvas();
  SelectControlFont(canvas, FParams.Control, CtrlHandle);
  const bool multi = (style & BS_MULTILINE) != 0;
  fw::TRect measure = fw::Rect(0, 0, g.WndSize.x - cw - 2, 0);
  DrawTextOnCanvas(canvas, Caption, DT_CALCRECT | (multi ? DT_WORDBREAK : DT_SINGLELINE), measure);
  const TkCheckText t = CheckTextPlace(g.WndSize.x, g.WndSize.y, cw, measure.Width(), measure.Height(), style, ExStyleOf(CtrlHandle));
  const int index = SkinIndex();
  const int state = HotOrFocused() ? 1 : 0;
  canvas.Font()->SetColor(StateFontColor(*skin, index, state, skin->GetGlobalFontColor()));
  DrawSectionText(canvas, Caption, true, t.R, t.Flags, index, state, skin);
  if (SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0) & BST_FOCUS) {
    const fw::TRect f = fw::Rect(t.R.Left - 2, t.R.Top, t.R.Right + 2, t.R.Bottom);
    DrawDottedFrame(canvas, f, StateFontColor(*skin, index, 1, skin->GetGlobalFontColor()), clSkinNone);
  }
}

void TkcCheckBoxWnd::DrawSkinGlyph(int MaskIndex) {
  TkLoadedSkin* skin = Skin();
  if (!skin || !skin->IsValidImgIndex(MaskIndex) || !Cache) return;
  const TkMaskData& m = skin->ma[size_t(MaskIndex)];
  const fw::TRect r = SkinCheckRect(MaskIndex);
  GdiFlush();
  // Key pixels leave the cache as it is.
  DrawMaskGlyph(View32(*Cache), fw::TPoint{r.Left, r.Top}, CtlState(), gmNormal, m, MakeCacheInfo(View32(*Cache), 0, 0),
                MaskSourceView(*skin, m));
}

void TkcCheckBoxWnd::PrepareCache() {
  TkLoadedSkin* skin = Skin();
  if (!skin) return;
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  EnsureCache(Cache, g.WndSize.x, g.WndSize.y);
  if (OwnerDraw) return;
  const TCacheInfo ci = WndParentCacheInfo(CtrlHandle, g).CI;
  const TPixelView32 v = View32(*Cache);
  FillFromBackground(v, fw::Rect(0, 0, g.WndSize.x, g.WndSize.y), ci);
  PaintSection(v, *skin, SkinIndex(), HotOrFocused() ? 1 : 0, fw::Rect(0, 0, g.WndSize.x, g.WndSize.y), ci, fw::TPoint{0, 0});
  DrawCheckText();
  DrawSkinGlyph(GlyphMaskIndex(State()));
  if (!IsWindowEnabled(CtrlHandle)) {
    GdiFlush();
    FadeDisabled(*Cache, ci);
  }
  BGChanged = false;
}

void TkcCheckBoxWnd::KC_WMPaint(HDC Given) {
  PAINTSTRUCT ps{};
  BeginPaint(CtrlHandle, &ps);
  if (!Updating && !OwnerDraw && (IsWindowVisible(CtrlHandle) || Given)) {
    HDC dc = Given ? Given : GetDC(CtrlHandle);
    PrepareCache();
    if (Cache) CopyToDC(dc, 0, 0, *Cache);
    if (!Given) ReleaseDC(CtrlHandle, dc);
  }
  EndPaint(CtrlHandle, &ps);
}

void TkcCheckBoxWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcMainWnd::kcWndProc(Message);
  switch (Message.Msg) {
    case WM_ENABLE:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case fw::CM_TEXTCHANGED:
      if (IsWindowVisible(CtrlHandle)) {
        QuietlyThenPaint(CtrlHandle, [&] { TkcMainWnd::kcWndProc(Message); });
        return;
      }
      break;
    case WM_PAINT:
      KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 0;
      return;
    case WM_PRINTCLIENT:
      KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_ERASEBKGND:
      if (OwnerDraw) {
        TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
        auto bg = NewBitmap32(std::max(g.WndSize.x, 1), std::max(g.WndSize.y, 1));
        FillFromBackground(View32(*bg), fw::Rect(0, 0, g.WndSize.x, g.WndSize.y), WndParentCacheInfo(CtrlHandle, g).CI);
        HDC dc = Message.WParam ? reinterpret_cast<HDC>(Message.WParam) : GetDC(CtrlHandle);
        CopyToDC(dc, 0, 0, *bg);
        if (!Message.WParam) ReleaseDC(CtrlHandle, dc);
      }
      Message.Result = 1;
      return;
    case WM_NCPAINT: Message.Result = 0; return;
    case WM_SKINCOMMAND:
      if (SkinCommandCode(Message.WParam) == SKC_MOUSEENTER || SkinCommandCode(Message.WParam) == SKC_MOUSELEAVE) {
        Updating = false;
        SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
      }
      break;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
  if (!Skinned()) return;
  switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: SendMessageW(CtrlHandle, WM_PAINT, 0, 0); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (Message.WParam == VK_SPACE) SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
      break;
    case WM_NCHITTEST:
      if (HasDefaultManager() && IsWindowEnabled(CtrlHandle) && ManagerActiveControl() != CtrlHandle)
        SetManagerActiveControl(CtrlHandle);
      break;
    default: break;
  }
}

// ---- Group box

void TkcGroupBoxWnd::Subclass() {
  TkcMainWnd::Subclass();
  InvalidateRect(CtrlHandle, nullptr, TRUE);
}

fw::TRect TkcGroupBoxWnd::CaptionRect() {
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  int tw = 0, th = 0;
  if (!Caption.empty()) {
    const fw::TPoint s = MeasureTextWithFont(WindowFont(CtrlHandle), Caption, DT_CALCRECT | DT_CENTER, false, 0);
    tw = s.x;
    th = s.y;
  }
  return GroupCaptionRect(g.WndSize.x, tw, th, uint32_t(GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE)));
}

void TkcGroupBoxWnd::WriteText(const fw::TRect& R) {
  TkLoadedSkin* skin = Skin();
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  const TCacheInfo ci = WndParentCacheInfo(CtrlHandle, g).CI;
  FillFromBackground(View32(*Cache), R, ci);
  fw::TCanvas& canvas = *Cache->Canvas();
  SelectControlFont(canvas, FParams.Control, CtrlHandle);
  canvas.Brush()->SetStyle(fw::bsClear);
  const int index = SectionIndexOr(*skin, SkinSection(), u"GROUPBOX");
  canvas.Font()->SetColor(StateFontColor(*skin, index, 0, skin->GetGlobalFontColor()));
  const bool rtl = (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  GdiFlush();
  DrawSectionText(canvas, Caption, true, R, DT_CENTER | DT_VCENTER | DT_SINGLELINE | (rtl ? DT_RTLREADING : 0),
                  index, 0, skin);
}

void TkcGroupBoxWnd::PrepareCache() {
  TkLoadedSkin* skin = Skin();
  if (!skin) return;
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  EnsureCache(Cache, g.WndSize.x, g.WndSize.y);
  const fw::TRect c = CaptionRect();
  const TCacheInfo ci = WndParentCacheInfo(CtrlHandle, g).CI;
  const TPixelView32 v = View32(*Cache);
  FillFromBackground(v, fw::Rect(0, 0, g.WndSize.x, g.WndSize.y), ci);
  const int top = c.Height() / 2;
  PaintSection(v, *skin, SectionIndexOr(*skin, SkinSection(), u"GROUPBOX"), 0, fw::Rect(0, top, g.WndSize.x, g.WndSize.y), ci,
               fw::TPoint{0, top});
  if (!Caption.empty()) WriteText(c);
  BGChanged = false;
}

void TkcGroupBoxWnd::KC_WMPaint(HDC Given) {
  PAINTSTRUCT ps{};
  const bool painting = !Given && !DlgMode;
  if (painting) BeginPaint(CtrlHandle, &ps);
  if (!Updating) {
    HDC dc = Given ? Given : GetWindowDC(CtrlHandle);
    PrepareCache();
    const int saved = SaveDC(dc);
    if (DlgMode) {
      // Only frame and caption: the inside is the dialog's.
      TkLoadedSkin* skin = Skin();
      const int index = SectionIndexOr(*skin, SkinSection(), u"GROUPBOX");
      const int border = skin->IsValidSkinIndex(index) ? skin->gd[size_t(index)].BorderIndex : -1;
      TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
      ExcludeClipRect(dc, skin->MaskWidthLeft(border), CaptionRect().Height(), g.WndSize.x - skin->MaskWidthRight(border),
                      g.WndSize.y - skin->MaskWidthBottom(border));
    }
    if (Cache) CopyExceptChildWindows(dc, CtrlHandle, *Cache);
    RestoreDC(dc, saved);
    if (auto* win = dynamic_cast<fw::TWinControl*>(FParams.Control)) PaintGraphicControls(dc, win, true, {0, 0});
    if (!Given) ReleaseDC(CtrlHandle, dc);
    RepaintChildWindows(CtrlHandle);
  }
  if (painting) EndPaint(CtrlHandle, &ps);
}

void TkcGroupBoxWnd::Repaint() {
  BGChanged = true;
  RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TkcGroupBoxWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcMainWnd::kcWndProc(Message);
  switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
      TkcMainWnd::kcWndProc(Message);
      SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
      Repaint();
      return;
    case WM_SETTEXT:
      TkcMainWnd::kcWndProc(Message);
      Repaint();
      return;
    case WM_PAINT:
      if (DlgMode) {
        // The dialog's group box paints itself; its frame and caption follow.
        TkcMainWnd::kcWndProc(Message);
        KC_WMPaint(nullptr);
        return;
      }
      KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 0;
      return;
    case WM_ERASEBKGND:
      if (DlgMode) break;
      // An erase that carries its DC twice wants the whole picture.
      if (Message.WParam && Message.WParam == WPARAM(Message.LParam)) {
        if (BGChanged || !Cache) PrepareCache();
        if (Cache) CopyToDC(reinterpret_cast<HDC>(Message.WParam), 0, 0, *Cache);
      }
      Message.Result = 1;
      return;
    case WM_NCPAINT:
      if (DlgMode) {
        KC_WMPaint(nullptr);
        Message.Result = 1;
        return;
      }
      break;
    case WM_PRINT:
    case WM_PRINTCLIENT:
      BGChanged = true;
      Updating = false;
      KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_SKINCOMMAND:
      if (SkinCommandCode(Message.WParam) == SKC_CTRLQUERY) {
        Message.Result = CaptionRect().Height();
        return;
      }
      break;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
  if (Skinned() && Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_CREATE && FParams.Control)
    RequestControlAdapters(FParams.Control);
}

}  // namespace skin
