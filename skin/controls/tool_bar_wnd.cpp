#include "skin/controls/tool_bar_wnd.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "skin/controls/adapter_paint.h"
#include "skin/controls/control_cache.h"
#include "skin/controls/frame_only_wnd.h"
#include "skin/controls/panel_wnd.h"
#include "skin/controls/scroll_wnd.h"
#include "skin/engine/bitmap_dc.h"
#include "fw/core/sysutils.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/core/skin_text.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"

namespace skin {

namespace {

void CopyPixels(const TPixelView32& Dest, int Dx, int Dy, const TPixelView32& Source, const fw::TRect& From) {
  for (int y = From.Top; y < From.Bottom; ++y)
    for (int x = From.Left; x < From.Right; ++x) {
      const int tx = Dx + x - From.Left, ty = Dy + y - From.Top;
      if (x >= 0 && y >= 0 && x < Source.Width && y < Source.Height && tx >= 0 && ty >= 0 && tx < Dest.Width &&
          ty < Dest.Height)
        Dest.Pixel(tx, ty) = Source.Pixel(x, y);
    }
}

const TCharSet kSpace = CharSet(" ");

}  // namespace

std::pair<fw::String, fw::String> SplitToolCaption(const fw::String& Text, int Width,
                                                   const std::function<int(const fw::String&)>& Measure) {
  const int n = CountWordsW(Text, kSpace);
  if (n < 3) return {Text, fw::String()};
  // Before the first word that no longer fits, keeping the last two words
  // for the second line.
  int k = 1;
  while (k < n - 2) {
    const int next = FindWordPosW(k + 2, Text, kSpace);
    if (Measure(fw::TrimRight(Text.substr(0, size_t(next - 1)))) > Width) break;
    ++k;
  }
  const size_t split = size_t(FindWordPosW(k + 1, Text, kSpace) - 1);
  return {fw::TrimRight(Text.substr(0, split)), Text.substr(split)};
}

int TkcToolBarWnd::Count() const { return int(SendMessageW(CtrlHandle, TB_BUTTONCOUNT, 0, 0)); }

fw::TRect TkcToolBarWnd::GetButtonRect(int Index) const {
  RECT r{};
  if (!SendMessageW(CtrlHandle, TB_GETITEMRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&r))) return {};
  return fw::Rect(r.left, r.top, r.right, r.bottom);
}

void TkcToolBarWnd::PrepareCache() {
  if (!BGChanged && Cache) return;
  PaintWindowSection(*this, Cache);
  RECT w{}, c{};
  GetWindowRect(CtrlHandle, &w);
  GetClientRect(CtrlHandle, &c);
  BorderWidth = std::max(int(w.bottom - w.top - c.bottom) / 2, 0);
  BGChanged = false;
}

void TkcToolBarWnd::DrawBtn(int Index, const fw::TRect& R, fw::TBitmap& Bmp) {
  TkLoadedSkin* skin = Skin();
  TBBUTTON btn{};
  if (!skin || R.Width() <= 0 || R.Height() <= 0 ||
      !SendMessageW(CtrlHandle, TB_GETBUTTON, WPARAM(Index), reinterpret_cast<LPARAM>(&btn)))
    return;
  auto b = NewBitmap32(R.Width(), R.Height());
  const TPixelView32 bv = View32(*b), cv = View32(*Cache), out = View32(Bmp);
  const TCacheInfo behind = MakeCacheInfo(cv, 0, 0);
  if (btn.fsStyle & BTNS_SEP) {
    const int divider = skin->GetSkinIndex(u"DIVIDER");
    if (!skin->IsValidImgIndex(skin->GetMaskIndex(divider, u"DIVIDER", u"BORDERSMASK"))) return;
    CopyPixels(bv, 0, 0, cv, R);
    const fw::TRect d = fw::Rect(R.Width() / 2 - 1, 2, R.Width() / 2 + 3, R.Height() - 2);
    // Key pixels of the divider's mask show the bar beneath.
    std::vector<uint32_t> beneath;
    for (int y = std::max(d.Top, 0); y < std::min(int(d.Bottom), bv.Height); ++y)
      for (int x = std::max(d.Left, 0); x < std::min(int(d.Right), bv.Width); ++x) beneath.push_back(bv.Pixel(x, y));
    PaintSection(bv, *skin, divider, 0, d, behind, fw::TPoint{R.Left + d.Left, R.Top + d.Top});
    size_t i = 0;
    for (int y = std::max(d.Top, 0); y < std::min(int(d.Bottom), bv.Height); ++y)
      for (int x = std::max(d.Left, 0); x < std::min(int(d.Right), bv.Width); ++x, ++i)
        if ((bv.Pixel(x, y) & 0xFFFFFF) == (clSkinKey & 0xFFFFFF)) bv.Pixel(x, y) = beneath[i];
    CopyPixels(out, R.Left, R.Top, bv, fw::Rect(0, 0, R.Width(), R.Height()));
    return;
  }
  // The look: disabled 0, pressed 2 (content one pixel right and down), under the cursor 1.
  int state = 0, p = 0;
  if (btn.fsState & TBSTATE_ENABLED) {
    if (btn.fsState & TBSTATE_PRESSED) {
      state = 2;
      p = 1;
    } else {
      POINT cursor = ScrollCursorPos();
      ScreenToClient(CtrlHandle, &cursor);
      const fw::TRect onBar = fw::Rect(R.Left - BorderWidth, R.Top - BorderWidth, R.Right - BorderWidth,
                                       R.Bottom - BorderWidth);
      if (cursor.x >= onBar.Left && cursor.x < onBar.Right && cursor.y >= onBar.Top && cursor.y < onBar.Bottom)
        state = 1;
    }
  }
  const int button = skin->GetSkinIndex(u"TOOLBUTTON");
  CopyPixels(bv, 0, 0, cv, R);
  PaintSection(bv, *skin, button, state, fw::Rect(0, 0, R.Width(), R.Height()), behind, fw::TPoint{R.Left, R.Top});
  GdiFlush();
  // The text, its length asked first.
  fw::String text;
  const LRESULT n = SendMessageW(CtrlHandle, TB_GETBUTTONTEXTW, WPARAM(btn.idCommand), 0);
  if (n > 0) {
    std::vector<wchar_t> buffer(size_t(n) + 1, L'\0');
    SendMessageW(CtrlHandle, TB_GETBUTTONTEXTW, WPARAM(btn.idCommand), reinterpret_cast<LPARAM>(buffer.data()));
    text = FromW(buffer.data());
  }
  fw::TCanvas& canvas = *b->Canvas();
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(CtrlHandle, TB_GETIMAGELIST, 0, 0));
  int iw = 0, ih = 0;
  const bool hasImage = images && btn.iBitmap >= 0;
  if (hasImage) {
    ImageList_GetIconSize(images, &iw, &ih);
    ImageList_SetBkColor(images, CLR_NONE);
  }
  int ix = (R.Width() - iw) / 2 + p;
  int iy = text.empty() ? (R.Height() - ih) / 2 + p : p + 4;
  if (btn.fsStyle & BTNS_WHOLEDROPDOWN) {
    // The whole button drops down: the skin's down arrow beside the image.
    iy = p + 4;
    const int glyph = skin->ConstData.ScrollBtns[size_t(asBottom)].GlyphIndex;
    if (skin->IsValidImgIndex(glyph)) {
      const TkMaskData& m = skin->ma[size_t(glyph)];
      const int gw = MaskFrameWidth(m), gh = MaskFrameHeight(m);
      const fw::TPoint at = text.empty() ? fw::TPoint{R.Width() - gw - p - 1, (R.Height() - gh) / 2 + p}
                                         : fw::TPoint{(R.Width() - gw) / 2 + p, (R.Height() - gh) / 2 + p};
      DrawMaskGlyph(bv, at, state, gmNormal, m, MakeCacheInfo(bv, 0, 0), MaskSourceView(*skin, m));
      ix = (R.Width() - iw - gw) / 2 + p;
    }
  }
  if (hasImage) ImageList_Draw(images, btn.iBitmap, canvas.Handle(), ix, iy, ILD_NORMAL);
  if (!text.empty()) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = SelectObject(canvas.Handle(), font ? font : WindowFont(CtrlHandle));
    TEXTMETRICW tm{};
    GetTextMetricsW(canvas.Handle(), &tm);
    SelectObject(canvas.Handle(), oldFont);
    SelectControlFont(canvas, nullptr, CtrlHandle);
    canvas.Brush()->SetStyle(fw::bsClear);
    const fw::TRect t = fw::Rect(p + 2, p + 2 + (hasImage ? ih + 2 : 0), R.Width() + p - 2, R.Height() + p - 2);
    const int colors = state == 0 && skin->IsValidSkinIndex(skin->GetSkinIndex(SkinSection())) &&
                               skin->gd[size_t(skin->GetSkinIndex(SkinSection()))].GiveOwnFont
                           ? skin->GetSkinIndex(SkinSection())
                           : button;
    canvas.Font()->SetColor(StateFontColor(*skin, colors, state, skin->GetGlobalFontColor()));
    const int hot = state != 0 ? 1 : 0;
    if (CountWordsW(text, kSpace) <= 2) {
      DrawSectionText(canvas, text, true, t, DT_END_ELLIPSIS | DT_WORDBREAK | DT_VCENTER | DT_CENTER, colors, hot,
                      skin);
    } else {
      const auto lines = SplitToolCaption(text, R.Width(), [&](const fw::String& s) { return CanvasTextWidth(canvas, s); });
      const fw::TRect first = fw::Rect(t.Left, t.Top, t.Right, t.Top + tm.tmHeight);
      DrawSectionText(canvas, lines.first, true, first, DT_CENTER, colors, hot, skin);
      DrawSectionText(canvas, lines.second, true, fw::Rect(t.Left, first.Bottom, t.Right, t.Bottom),
                      DT_CENTER | DT_END_ELLIPSIS, colors, hot, skin);
    }
  }
  GdiFlush();
  if (!(btn.fsState & TBSTATE_ENABLED))
    BlendBitmapRectKeyed(bv, 0, 0, cv, fw::Rect(R.Left, R.Top, R.Right - 1, R.Bottom - 1), 0.4, clSkinKey);
  CopyPixels(out, R.Left, R.Top, bv, fw::Rect(0, 0, R.Width(), R.Height()));
}

void TkcToolBarWnd::DrawButtons(fw::TBitmap& Bmp) {
  CopyPixels(View32(Bmp), 0, 0, View32(*Cache), fw::Rect(0, 0, Cache->Width(), Cache->Height()));
  for (int i = 0; i < Count(); ++i) {
    fw::TRect r = GetButtonRect(i);
    r = fw::Rect(r.Left + BorderWidth, r.Top + BorderWidth, r.Right + BorderWidth, r.Bottom + BorderWidth);
    DrawBtn(i, r, Bmp);
  }
}

void TkcToolBarWnd::KC_WMPrint(HDC DC) {
  PrepareCache();
  if (!Cache) return;
  auto bmp = NewBitmap32(Cache->Width(), Cache->Height());
  DrawButtons(*bmp);
  HDC dc = DC ? DC : GetDC(CtrlHandle);
  GdiFlush();
  BitBlt(dc, 0, 0, Cache->Width() - 2 * BorderWidth, Cache->Height() - 2 * BorderWidth, bmp->Canvas()->Handle(),
         BorderWidth, BorderWidth, SRCCOPY);
  if (!DC) ReleaseDC(CtrlHandle, dc);
}

void TkcToolBarWnd::KC_WMNCPaint() {
  if (Updating || !(GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
  PrepareCache();
  RECT w{}, c{};
  GetWindowRect(CtrlHandle, &w);
  GetClientRect(CtrlHandle, &c);
  if (Cache) CopyWindowFrame(CtrlHandle, nullptr, *Cache, int(w.right - w.left - c.right) / 2);
}

void TkcToolBarWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcMainWnd::kcWndProc(Message);
  switch (Message.Msg) {
    case WM_PAINT:
      if (PaintWithPrint(Message, [this](HDC DC) { KC_WMPrint(DC); })) return;
      break;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT:
      KC_WMNCPaint();
      Message.Result = 0;
      return;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
  if (!Skinned()) return;
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      BGChanged = true;
      RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      break;
    case WM_MOUSEMOVE:
      if (HasDefaultManager() && IsWindowEnabled(CtrlHandle)) SetManagerActiveControl(CtrlHandle);
      break;
    default: break;
  }
}

}  // namespace skin
