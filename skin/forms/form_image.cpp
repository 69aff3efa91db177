#include "skin/forms/form_image.h"

#include <algorithm>
#include <vector>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_image.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/core/section_paint.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"
#include "skin/forms/core/title_buttons.h"
#include "skin/forms/frame_shadow.h"

namespace skin {

namespace {

constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

// The frame: the form's whole skin item, or for a borderless form (and under
// a one-image extended frame) its background and corner images.
void PaintFrame(const TPixelView32& v, TkLoadedSkin& skin, const TkFormImageInput& in, bool oneImage) {
  const fw::TRect s = ShadowSize(in.Frame);
  TSectionPaint p;
  p.SkinIndex = in.FormSkinIndex;
  p.SectionName = skin.gd[in.FormSkinIndex].ClassName;
  p.State = FormSectionState(skin, in.FormSkinIndex, in.Active);
  p.R = fw::Rect(s.Left, s.Top, v.Width - s.Right, v.Height - s.Bottom);
  if (HasBorder(in.Frame) && !oneImage) {
    TControlItem item;
    item.SkinIndex = in.FormSkinIndex;
    item.BorderIndex = skin.gd[in.FormSkinIndex].BorderIndex;
    PaintControlItem(v, skin, item, TCacheInfo{}, false, {}, p.R, p.State);
    return;
  }
  p.CustomColor = clSkinKey;
  PaintSectionBackground(v, skin, p);
  const TkGeneralData& gd = skin.gd[in.FormSkinIndex];
  TCacheInfo self;
  self.Bmp = v;
  self.Ready = true;
  auto corner = [&](int index, bool right, bool bottom) {
    if (!skin.IsValidImgIndex(index)) return;
    const TkMaskData& m = skin.ma[index];
    const fw::TPoint at{right ? p.R.Right - MaskFrameWidth(m) : p.R.Left,
                        bottom ? p.R.Bottom - MaskFrameHeight(m) : p.R.Top};
    DrawMaskGlyph(v, at, p.State, gmNormal, m, self, MaskSourceView(skin, m));
  };
  corner(gd.ImgTL, false, false);
  corner(gd.ImgTR, true, false);
  corner(gd.ImgBL, false, true);
  corner(gd.ImgBR, true, true);
}

// The icon drawn by the system into the image; the pixels it changed become
// opaque.
void PaintTitleIcon(fw::TBitmap& image, const TkFormImageInput& in) {
  const fw::TRect r = in.Layout.IconRect;
  if (!in.LayoutInput.IconVisible || !in.Icon || r.Width() <= 0 || r.Height() <= 0) return;
  const TPixelView32 v = View32(image);
  const fw::TRect clip = fw::Rect(std::max(0, r.Left), std::max(0, r.Top), std::min(v.Width, r.Right),
                                  std::min(v.Height, r.Bottom));
  if (clip.Width() <= 0 || clip.Height() <= 0) return;
  std::vector<uint32_t> saved;
  for (int y = clip.Top; y < clip.Bottom; ++y)
    for (int x = clip.Left; x < clip.Right; ++x) saved.push_back(v.Pixel(x, y));
  DrawIconEx(image.Canvas()->Handle(), r.Left, r.Top, in.Icon, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
  GdiFlush();
  size_t i = 0;
  for (int y = clip.Top; y < clip.Bottom; ++y)
    for (int x = clip.Left; x < clip.Right; ++x, ++i)
      if (v.Pixel(x, y) != saved[i]) v.Row(y)[x] |= 0xFF000000u;
}

void PaintTitleArea(fw::TBitmap& image, TkLoadedSkin& skin, const TkFormImageInput& in, bool oneImage) {
  const TkFormFrameFacts& f = in.Frame;
  if (CaptionHeight(f, true) == 0) return;
  const TPixelView32 v = View32(image);
  const fw::TRect s = ShadowSize(f);
  // A one-image extended frame brings its own title.
  if (skin.IsValidSkinIndex(in.TitleSkinIndex) && !oneImage) {
    const int t = FrameHeightOf(f, false) + CaptionHeight(f, true) + s.Top;
    TSectionPaint p;
    p.SkinIndex = in.TitleSkinIndex;
    p.SectionName = skin.gd[in.TitleSkinIndex].ClassName;
    p.State = FormSectionState(skin, in.TitleSkinIndex, in.Active);
    p.CI.Bmp = v;
    p.CI.Ready = true;
    p.R = f.Iconic && !f.MainForm ? fw::Rect(s.Left, s.Top, v.Width - s.Right, v.Height - s.Bottom)
                                  : fw::Rect(s.Left, s.Top, v.Width - s.Right, std::min(t, v.Height));
    // Key pixels of the title's border show the frame beneath.
    TPixelBuffer beneath(TPixelFormat::pf32bit, p.R.Width(), p.R.Height());
    const TPixelView32 b = View32(beneath);
    for (int y = 0; y < b.Height; ++y) std::copy_n(v.Row(p.R.Top + y) + p.R.Left, b.Width, b.Row(y));
    PaintSectionRect(v, skin, p);
    for (int y = 0; y < b.Height; ++y) {
      uint32_t* row = v.Row(p.R.Top + y) + p.R.Left;
      for (int x = 0; x < b.Width; ++x)
        if (row[x] == clSkinKey) row[x] = b.Row(y)[x];
    }
  }
  PaintTitleIcon(image, in);
  // The strip behind the title buttons.
  if (SysButtonCount(in.LayoutInput) > 0 && skin.IsValidSkinIndex(in.FormSkinIndex)) {
    const int bar = skin.GetMaskIndex(in.FormSkinIndex, skin.gd[in.FormSkinIndex].ClassName, u"TITLEBAR");
    if (skin.IsValidImgIndex(bar)) {
      const TkMaskData& m = skin.ma[bar];
      const fw::TRect r = fw::Rect(CaptionWidth(f) - (TitleButtonsWidth(skin, in.LayoutInput) + MaskFrameWidth(m)),
                                   0, v.Width, CaptionHeight(f, true) + FrameHeightOf(f, false));
      TCacheInfo self;
      self.Bmp = v;
      self.Ready = true;
      DrawMaskRect(v, r, self, m, MaskSourceView(skin, m), FormSectionState(skin, in.FormSkinIndex, in.Active),
                   false);
    }
  }
}

// The text after the caption (or in its place), in its own font: the
// title's colour when the font has none, else the font's, mixed half and
// half with the title's inactive colour on an inactive form.
void PaintAddedTitle(fw::TBitmap& image, TkLoadedSkin& skin, const TkFormImageInput& in, fw::TRect r) {
  if (in.AddedText.empty() || !in.AddedFont || !skin.IsValidSkinIndex(in.TitleSkinIndex)) return;
  fw::TCanvas& canvas = *image.Canvas();
  canvas.Font()->Assign(in.AddedFont);
  fw::TRect measured = fw::Rect(0, 0, std::max(1, r.Width()), 1000);
  DrawTextOnCanvas(canvas, in.AddedText, kCaptionFormat | DT_CALCRECT, measured);
  r.Right = std::min(r.Right, r.Left + measured.Width() + 4);
  if (r.Width() <= 4) return;
  r.Top = in.Layout.VCenter - measured.Height() / 2;
  r.Bottom = r.Top + measured.Height();
  const TkGeneralData& gd = skin.gd[in.TitleSkinIndex];
  const int state = FormSectionState(skin, in.TitleSkinIndex, in.Active);
  fw::TColor color = in.AddedFont->Color();
  if (color == fw::TColor(0x1FFFFFFF) || color == fw::TColor(0xFF000008))
    color = gd.Props[size_t(state)].FontColor.Color;
  else if (!in.Active)
    color = fw::TColor(MixColors(uint32_t(gd.Props[size_t(state)].FontColor.Color), uint32_t(color), 0.5));
  canvas.Font()->SetColor(color);
  const HDC dc = canvas.Handle();
  SetTextColor(dc, COLORREF(fw::ColorToRGB(color)));
  SetBkMode(dc, TRANSPARENT);
  DrawTextOnCanvas(canvas, in.AddedText, kCaptionFormat, r);
  GdiFlush();
}

void PaintCaptionText(fw::TBitmap& image, TkLoadedSkin& skin, const TkFormImageInput& in) {
  const TkFormFrameFacts& f = in.Frame;
  if (CaptionHeight(f, true) == 0) return;
  fw::TRect r = CaptionTextBounds(skin, in, image.Width());
  if (r.Width() <= 0 || r.Height() <= 0) return;
  // Without the main caption the added title takes its place.
  if (!in.ShowMainCaption) {
    PaintAddedTitle(image, skin, in, r);
    return;
  }
  if (in.Caption.empty()) {
    PaintAddedTitle(image, skin, in, fw::Rect(r.Left + 4, r.Top, r.Right, r.Bottom));
    return;
  }
  fw::TCanvas& canvas = *image.Canvas();
  if (HFONT font = CreateCaptionFont()) {
    canvas.Font()->SetHandle(font);
    canvas.Font()->SetCharset(DEFAULT_CHARSET);
  }
  const UINT format = kCaptionFormat | (in.RightToLeft ? DT_RTLREADING : 0);
  fw::TRect measured = fw::Rect(0, 0, r.Width(), r.Height());
  DrawTextOnCanvas(canvas, in.Caption, format | DT_CALCRECT, measured);
  const int cw = measured.Width(), th = measured.Height();
  r.Top = in.Layout.VCenter - th / 2;
  r.Bottom = r.Top + th;
  TkCaptionAlign align = in.CaptionAlignment;
  if (in.RightToLeft && align != TkCaptionAlign::Center)
    align = align == TkCaptionAlign::Left ? TkCaptionAlign::Right : TkCaptionAlign::Left;
  if (align == TkCaptionAlign::Right) {
    if (cw + 4 < r.Width()) r.Left = r.Right - (cw + 4);
  } else if (align == TkCaptionAlign::Center) {
    r.Left = std::max(r.Left, r.Left + (r.Width() - (cw + 4)) / 2);
    r.Right = std::min(r.Left + cw, r.Right);
  }
  int textSection = in.TitleSkinIndex;
  const TPixelView32 v = View32(image);
  if (skin.IsValidSkinIndex(in.CaptionSkinIndex)) {
    TSectionPaint p;
    p.SkinIndex = in.CaptionSkinIndex;
    p.SectionName = skin.gd[in.CaptionSkinIndex].ClassName;
    p.State = FormSectionState(skin, in.CaptionSkinIndex, in.Active);
    p.CI.Bmp = v;
    p.CI.Ready = true;
    p.R = fw::Rect(r.Left - 2, r.Top - 1, std::min(v.Width, r.Left + cw + 2), r.Bottom + 1);
    PaintSectionRect(v, skin, p);
    textSection = in.CaptionSkinIndex;
  }
  if (!skin.IsValidSkinIndex(textSection)) return;
  const TkGeneralData& gd = skin.gd[textSection];
  const int state = FormSectionState(skin, textSection, in.Active);
  const int glow = in.Active ? gd.HotGlowSize : gd.GlowSize;
  if (glow > 0) {
    std::unique_ptr<fw::TBitmap> mask;
    DrawTextGlow(image, in.Caption, r, format, gcAll, glow, in.Active ? gd.HotGlowColor : gd.GlowColor, mask);
  }
  canvas.Brush()->SetStyle(fw::bsClear);
  DrawSectionText(canvas, in.Caption, in.Enabled, r, format, textSection, state, &skin);
  GdiFlush();
  PaintAddedTitle(image, skin, in, fw::Rect(r.Left + std::min(cw, r.Width()) + 4, r.Top, r.Right, r.Bottom));
}

void PaintTitleButtons(const TPixelView32& v, TkLoadedSkin& skin, const TkFormImageInput& in) {
  if (!HasBorder(in.Frame)) return;
  TCacheInfo self;
  self.Bmp = v;
  self.Ready = true;
  auto draw = [&](const TkCaptionButton& b, bool enabled) {
    if (b.State < 0 || !skin.IsValidImgIndex(b.ImageIndex) || b.Rect.Width() <= 0) return;
    // A fading button shows its normal image; the fade's window lies over it.
    const int state = b.Timer ? 0 : b.State;
    const bool faded = (state == 0 || b.Timer) && !(in.Active && enabled && in.Enabled);
    const TkMaskData& m = skin.ma[b.ImageIndex];
    DrawMaskGlyph(v, {b.Rect.Left, b.Rect.Top}, state, faded ? gmFaded : gmNormal, m, self, MaskSourceView(skin, m));
  };
  if (in.LayoutInput.SystemButtons) {
    draw(in.Layout.Close, in.EnabledClose);
    if (in.LayoutInput.VisibleMax) draw(in.Layout.Max, in.EnabledMax);
    if (in.LayoutInput.VisibleMin) draw(in.Layout.Min, in.EnabledMin);
    if (in.LayoutInput.HelpButton) draw(in.Layout.Help, true);
  }
  // The program's own buttons: the skin's background, the picture centred
  // (one pixel lower right while pressed).
  for (size_t i = 0; i < in.Layout.User.size() && i < in.UserLooks.size(); ++i) {
    const TkCaptionButton& b = in.Layout.User[i];
    if (!in.LayoutInput.UserButtons[i].Visible || b.Rect.Width() <= 0) continue;
    draw(b, in.UserLooks[i].Enabled);
    fw::TBitmap* glyph = in.UserLooks[i].Glyph;
    if (!glyph || glyph->Empty()) continue;
    const int shift = b.State == 2 ? 1 : 0;
    const int x = b.Rect.Left + (b.Rect.Width() - glyph->Width()) / 2 + shift;
    const int y = b.Rect.Top + (b.Rect.Height() - glyph->Height()) / 2 + shift;
    if (glyph->PixelFormat() == fw::pf32bit) {
      const TPixelView32 g = View32(*glyph);
      CopyAlphaImage(v, fw::Bounds(x, y, g.Width, g.Height), g, fw::Rect(0, 0, g.Width, g.Height), TCacheInfo{}, false);
    } else {
      std::unique_ptr<fw::TBitmap> copy = NewBitmap32(glyph->Width(), glyph->Height());
      BitBlt(copy->Canvas()->Handle(), 0, 0, glyph->Width(), glyph->Height(), glyph->Canvas()->Handle(), 0, 0, SRCCOPY);
      GdiFlush();
      const TPixelView32 g = View32(*copy);
      for (int row = 0; row < g.Height; ++row)
        for (int col = 0; col < g.Width; ++col) g.Row(row)[col] &= 0xFFFFFF;
      // The bottom-left pixel's colour is transparent.
      const uint32_t p = g.Row(g.Height - 1)[0];
      CopyBitmapSkipKey(v, g, x, y, ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
    }
  }
}

}  // namespace

int FormSectionState(const TkLoadedSkin& skin, int skinIndex, bool active) {
  if (!skin.IsValidSkinIndex(skinIndex)) return 0;
  return std::max(0, std::min(active ? 1 : 0, skin.gd[skinIndex].States - 1));
}

fw::TRect CaptionTextBounds(const TkLoadedSkin& skin, const TkFormImageInput& in, int imageWidth) {
  const TkFormFrameFacts& f = in.Frame;
  const fw::TRect s = ShadowSize(f);
  fw::TRect r;
  if (in.TitleBarBand) {
    r.Left = in.BandLeft;
    r.Right = in.BandRight;
  } else {
    r.Left = FrameWidthOf(f, true) + (in.LayoutInput.IconVisible ? in.Layout.IconRect.Width() : 0) +
             skin.CommonSkinData.BILeftMargin + s.Left + (in.CaptionSkinIndex >= 0 ? 2 : 0) + 4;
    r.Right = imageWidth - TitleButtonsWidth(skin, in.LayoutInput) - s.Right - 12;
  }
  r.Top = f.Zoomed ? (f.BorderForm ? s.Top + 1 : 3) : s.Top + 2;
  r.Bottom = FrameHeightOf(f, false) + CaptionHeight(f, true) + s.Top;
  return r;
}

void PaintFormImage(fw::TBitmap& image, TkLoadedSkin& skin, const TkFormImageInput& in) {
  const int w = CaptionWidth(in.Frame), h = FormImageHeight(in.Frame);
  if (image.PixelFormat() != fw::pf32bit) image.SetPixelFormat(fw::pf32bit);
  image.SetSize(w, h);
  if (w <= 0 || h <= 0 || !skin.IsValidSkinIndex(in.FormSkinIndex)) return;
  TPixelBuffer* shadow = in.Frame.BorderForm && in.ShadowTemplate && !in.ShadowTemplate->Empty()
                             ? in.ShadowTemplate : nullptr;
  const bool one = shadow && ExOneImage(skin, in.Frame);
  const TPixelView32 v = View32(image);
  PaintFrame(v, skin, in, one);
  if (!one) {
    PaintTitleArea(image, skin, in, false);
    PaintCaptionText(image, skin, in);
  }
  if (!shadow) {
    PaintTitleButtons(v, skin, in);
    return;
  }
  GdiFlush();
  MakeFrameOpaque(v, in.Frame);
  DrawFrameShadow(v, View32(*shadow), skin, in.Frame, one, in.StretchShadowEdges);
  if (!one) FillShadowCorners(v, View32(*shadow), skin, in.Frame, in.FormSkinIndex, in.TitleSkinIndex);
  TkAlphaKeeper keeper(v);
  if (one) {
    PaintTitleArea(image, skin, in, true);
    PaintCaptionText(image, skin, in);
  }
  PaintTitleButtons(v, skin, in);
  GdiFlush();
  keeper.Restore();
}

void PaintFrameToDC(HDC dc, fw::TBitmap& image, const TkFormImageInput& in) {
  const TkFormFrameFacts& f = in.Frame;
  const HDC src = image.Canvas()->Handle();
  const int bw = BorderWidth(f, true), bh = BorderHeight(f, true);
  const int iw = image.Width(), ih = image.Height();
  const int menuRows = f.HasMainMenu ? f.MenuRows * MenuHeight(f) + 1 : 0;
  int y = (f.Style & kWsCaption) == kWsCaption ? HeaderHeight(f) : bh;
  if (y == 0) y = menuRows;
  BitBlt(dc, 0, 0, CaptionWidth(f), y, src, 0, 0, SRCCOPY);
  const int sideRow =
      FrameHeightOf(f, true) + CaptionHeight(f, true) + menuRows + (f.Iconic ? 1 : 0) + f.FormBorderWidth;
  BitBlt(dc, 0, y, bw, ih - y, src, 0, sideRow, SRCCOPY);
  BitBlt(dc, iw - bw, y, bw, ih - y, src, iw - bw, sideRow, SRCCOPY);
  BitBlt(dc, bw, f.Height - bh, CaptionWidth(f) - bw, bh, src, bw, f.Height - bh, SRCCOPY);
}

}  // namespace skin
