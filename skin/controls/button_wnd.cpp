#include "skin/controls/button_wnd.h"

#include <algorithm>

#include "skin/engine/button_glyph.h"
#include "skin/engine/core/text_layout.h"
#include "skin/engine/skin_utils.h"

namespace skin {

namespace {

int OrdProp(fw::TObject* Object, const char16_t* Name, int Default) {
  return HasPublishedProp(Object, Name) ? int(ReadOrdPropByName(Object, Name)) : Default;
}

fw::TRect Shifted(fw::TRect R, bool Shift) {
  if (Shift) R = fw::Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
  return R;
}

}  // namespace

// ---- TkcButtonWnd

TkcButtonWnd::TkcButtonWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params)
    : TkcBtnWnd(AHandle, std::move(ASkin), Params), Btn(dynamic_cast<fw::TWinControl*>(Params.Control)) {}

fw::TCustomImageList* TkcButtonWnd::Images() const {
  return dynamic_cast<fw::TCustomImageList*>(ReadObjectPropByName(Btn, u"Images"));
}

bool TkcButtonWnd::HaveImage() const {
  fw::TCustomImageList* images = Images();
  const int index = OrdProp(Btn, u"ImageIndex", -1);
  return images && index >= 0 && index < images->Count();
}

fw::TPoint TkcButtonWnd::GlyphSize() {
  if (!HaveImage()) return {};
  return fw::TPoint{Images()->Width(), Images()->Height()};
}

int TkcButtonWnd::GlyphIndex() {
  TkcButtonImageIndexes i;
  i.Count = Images() ? Images()->Count() : 0;
  i.Normal = OrdProp(Btn, u"ImageIndex", -1);
  i.Hot = OrdProp(Btn, u"HotImageIndex", -1);
  i.Pressed = OrdProp(Btn, u"PressedImageIndex", -1);
  i.Selected = OrdProp(Btn, u"SelectedImageIndex", -1);
  i.Disabled = OrdProp(Btn, u"DisabledImageIndex", -1);
  return ButtonImageIndex(i, IsWindowEnabled(CtrlHandle) != 0, Down(), GetFocus() == CtrlHandle, CurrentState());
}

TkcImageButtonLayout TkcButtonWnd::Layout(const fw::TPoint& Text) {
  TkcImageButtonLayout l;
  l.W = S.Geo.WndSize.x;
  l.H = S.Geo.WndSize.y;
  const fw::TPoint g = GlyphSize();
  l.IW = g.x;
  l.IH = g.y;
  l.TW = Text.x;
  l.TH = Text.y;
  const int a = OrdProp(Btn, u"ImageAlignment", iaLeft);
  l.Alignment = a >= iaLeft && a <= iaCenter ? TkcImageAlignment(a) : iaLeft;
  if (fw::TObject* m = ReadObjectPropByName(Btn, u"ImageMargins"))
    l.Margins = fw::Rect(OrdProp(m, u"Left", 0), OrdProp(m, u"Top", 0), OrdProp(m, u"Right", 0), OrdProp(m, u"Bottom", 0));
  l.Shift = Shift();
  return l;
}

fw::TRect TkcButtonWnd::GlyphRect() { return ImageButtonGlyphRect(Layout({})); }

fw::TRect TkcButtonWnd::CaptionRect() {
  if (Btn) S.Cache->Canvas()->SetFont(Btn->Font());
  return ImageButtonCaptionRect(Layout(TextRectSize()));
}

void TkcButtonWnd::DrawGlyph() {
  if (!HaveImage()) return;
  int index = -1;
  AdapterSection(*this, &index);
  TkcGlyphPaintInfo info;
  info.DstBmp = S.Cache.get();
  info.Images = Images();
  info.ImageIndex = GlyphIndex();
  info.SkinIndex = index;
  info.Skin = Skin();
  info.ImgRect = GlyphRect();
  info.NumGlyphs = 1;
  info.Enabled = IsWindowEnabled(CtrlHandle) != 0;
  info.Down = Down();
  info.Grayed = index >= 0 && DiscoloredGlyphsOption();
  info.State = CurrentState();
  info.DisabledKind = TkDisabledKind{dkBlended};
  DrawButtonGlyph(info);
}

// ---- TkcBitBtnWnd

fw::TBitmap* TkcBitBtnWnd::Glyph() const {
  return dynamic_cast<fw::TBitmap*>(ReadObjectPropByName(Control(), u"Glyph"));
}

TkcBitBtnLayout TkcBitBtnWnd::GlyphLayout() const {
  const int l = OrdProp(Control(), u"Layout", blGlyphLeft);
  return l >= blGlyphLeft && l <= blGlyphBottom ? TkcBitBtnLayout(l) : blGlyphLeft;
}

int TkcBitBtnWnd::CurrentState() {
  if (Down()) return bstPressed;
  if (!IsWindowEnabled(CtrlHandle)) return bstNormal;
  if (GetFocus() == CtrlHandle || ManagerActiveControl() == CtrlHandle || S.Focused) return bstHot;
  if (OrdProp(Control(), u"Default", 0) != 0) {
    HWND focused = GetFocus();
    return focused && (GetWindowLongPtrW(focused, GWL_STYLE) & 0x8) ? bstNormal : bstDefault;
  }
  return bstNormal;
}

fw::TPoint TkcBitBtnWnd::GlyphSize() {
  if (Control()) {
    fw::TBitmap* glyph = Glyph();
    if (!glyph || glyph->Width() == 0) return {};
    const int n = std::max(1, OrdProp(Control(), u"NumGlyphs", 1));
    return fw::TPoint{glyph->Width() / n, glyph->Height()};
  }
  // The bitmap's size in pixels (its "dimension" is a physical size that is
  // normally never set).
  auto bmp = reinterpret_cast<HBITMAP>(SendMessageW(CtrlHandle, BM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP b{};
  if (!bmp || !GetObjectW(bmp, sizeof(b), &b)) return {};
  return fw::TPoint{b.bmWidth, b.bmHeight};
}

int TkcBitBtnWnd::MaxCaptionWidth() {
  if (!Control()) return TkcBtnWnd::MaxCaptionWidth();
  const fw::TPoint g = GlyphSize();
  return BitBtnMaxCaptionWidth(!Caption.empty(), S.Geo.WndSize.x, OrdProp(Control(), u"Margin", -1), g.x, g.y,
                               OrdProp(Control(), u"Spacing", 4), GlyphLayout());
}

fw::TRect TkcBitBtnWnd::CaptionRect() {
  const fw::TPoint g = GlyphSize();
  if (!Control()) {
    fw::TRect r = TkcBtnWnd::CaptionRect();
    if (g.x > 0) {
      const int dx = g.x / 2 + 1;
      r = fw::Rect(r.Left + dx, r.Top, r.Right + dx, r.Bottom);
    }
    return r;
  }
  const fw::TPoint t = TextRectSize();
  const TGlyphTextPlace place = CalcGlyphTextLayout(fw::Rect(0, 0, S.Geo.WndSize.x, S.Geo.WndSize.y), g, t,
                                                    int(GlyphLayout()), txCenter, 0, 0, 0);
  return Shifted(place.Caption, Shift());
}

fw::TRect TkcBitBtnWnd::GlyphRect() {
  const fw::TPoint g = GlyphSize();
  if (!Control()) return RawBitBtnGlyphRect(CaptionRect().Left, S.Geo.WndSize.y, g.x, g.y, Down());
  TkcBitBtnGeometry geo;
  geo.W = S.Geo.WndSize.x;
  geo.H = S.Geo.WndSize.y;
  geo.GW = g.x;
  geo.GH = g.y;
  const fw::TPoint t = TextRectSize();
  geo.TW = t.x;
  geo.TH = t.y;
  geo.Spacing = OrdProp(Control(), u"Spacing", 4);
  geo.HasCaption = !Caption.empty();
  geo.Layout = GlyphLayout();
  geo.Shift = Shift();
  return BitBtnGlyphRect(geo);
}

void TkcBitBtnWnd::DrawGlyph() {
  if (!Control()) {
    DrawRawBitmap();
    return;
  }
  fw::TBitmap* glyph = Glyph();
  if (!glyph || glyph->Width() == 0) return;
  int index = -1;
  AdapterSection(*this, &index);
  TkcGlyphPaintInfo info;
  info.DstBmp = S.Cache.get();
  info.Glyph = glyph;
  info.NumGlyphs = std::max(1, OrdProp(Control(), u"NumGlyphs", 1));
  info.SkinIndex = index;
  info.Skin = Skin();
  info.ImgRect = GlyphRect();
  info.Enabled = IsWindowEnabled(CtrlHandle) != 0;
  info.Down = Down();
  info.Grayed = index >= 0 && DiscoloredGlyphsOption();
  info.State = CurrentState();
  info.DisabledKind = TkDisabledKind{dkBlended};
  DrawButtonGlyph(info);
}

// A raw button's bitmap where its layout left room for it (the caption
// already moved right of it): without it the face would show a gap.
void TkcBitBtnWnd::DrawRawBitmap() {
  auto bmp = reinterpret_cast<HBITMAP>(SendMessageW(CtrlHandle, BM_GETIMAGE, IMAGE_BITMAP, 0));
  const fw::TRect r = GlyphRect();
  if (!bmp || !S.Cache || r.Width() <= 0 || r.Height() <= 0) return;
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(src, bmp);
  GdiFlush();
  BitBlt(S.Cache->Canvas()->Handle(), r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, SRCCOPY);
  SelectObject(src, old);
  DeleteDC(src);
}

}  // namespace skin
