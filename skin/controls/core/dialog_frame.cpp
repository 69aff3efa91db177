#include "skin/controls/core/dialog_frame.h"

#include <utility>

namespace skin {

namespace {

bool Has(uint32_t style, uint32_t bits) { return (style & bits) == bits; }
bool Normal(const TkcDialogState& d) {
  return d.BorderStyle == TkcBorderStyle::acbsSingle || d.BorderStyle == TkcBorderStyle::acbsSizeable;
}
// The minimise button counts while the dialog is iconic, shown or not.
bool MinCounted(const TkcDialogState& d) { return VisibleMin(d) || d.Iconic; }

}  // namespace

TkcBorderStyle DialogBorderStyle(uint32_t style) {
  if ((style & kWsPopup) && !Has(style, kWsCaption)) return TkcBorderStyle::acbsNone;
  if (style & kWsThickFrame) return TkcBorderStyle::acbsSizeable;
  if (style & kDsModalFrame) return TkcBorderStyle::acbsDialog;
  return TkcBorderStyle::acbsSizeable;
}

TkFrameStyle FrameStyleOf(TkcBorderStyle s) {
  switch (s) {
    case TkcBorderStyle::acbsDialog: return TkFrameStyle::bsDialog;
    case TkcBorderStyle::acbsSingle: return TkFrameStyle::bsSingle;
    case TkcBorderStyle::acbsNone: return TkFrameStyle::bsNone;
    case TkcBorderStyle::acbsToolWindow: return TkFrameStyle::bsToolWindow;
    case TkcBorderStyle::acbsSizeToolWin: return TkFrameStyle::bsSizeToolWin;
    default: return TkFrameStyle::bsSizeable;
  }
}

bool VisibleClose(const TkcDialogState& d) { return (d.Style & kWsSysMenu) != 0; }
bool VisibleMax(const TkcDialogState& d) { return (d.Style & kWsMaximizeBox) != 0; }
bool VisibleMin(const TkcDialogState& d) { return (d.Style & kWsMinimizeBox) != 0; }
bool VisibleHelp(const TkcDialogState& d) { return (d.ExStyle & kWsExContextHelp) != 0; }
bool VisibleRestore(const TkcDialogState& d) { return Normal(d) && VisibleClose(d); }
bool EnabledClose(const TkcDialogState& d) { return VisibleClose(d) && !d.NoCloseClass; }
bool EnabledMax(const TkcDialogState& d) {
  return VisibleMax(d) && !d.Zoomed && (Normal(d) || d.BorderStyle == TkcBorderStyle::acbsSizeToolWin);
}
bool EnabledMin(const TkcDialogState& d) { return VisibleMin(d) && !d.Iconic; }
bool EnabledRestore(const TkcDialogState& d) { return VisibleMax(d) && (d.Iconic || d.Zoomed); }
bool EnabledMove(const TkcDialogState& d) { return !d.Zoomed; }
bool VisibleSize(const TkcDialogState& d) {
  return d.BorderStyle != TkcBorderStyle::acbsDialog && d.BorderStyle != TkcBorderStyle::acbsNone &&
         d.BorderStyle != TkcBorderStyle::acbsToolWindow;
}
bool EnabledSize(const TkcDialogState& d) { return d.BorderStyle != TkcBorderStyle::acbsSingle && !d.Iconic; }

int DialogHeaderHeight(const TkFormFrameFacts& f) { return CaptionHeight(f, true) + FrameHeightOf(f, false); }

int DialogOffsetX(const TkFormFrameFacts& f) {
  return (f.Width - f.ClientWidth) / 2 + ExtFrameDelta(f) + ShadowSize(f).Left;
}

int DialogOffsetY(const TkFormFrameFacts& f) {
  int y = f.Height - f.ClientHeight - (CaptionHeight(f, true) != 0 ? FrameWidthOf(f, false) : 0);
  if (f.BorderForm) y += ShadowSize(f).Top + ExtTitleDelta(f);
  return y;
}

// A one-image extended frame centres the title's contents lower.
static int CenterShift(const TkFormFrameFacts& f) {
  return f.BorderForm && f.BorderForm->ExDrawMode == 1 ? f.BorderForm->ExCenterOffs : 0;
}

fw::TRect DialogIconRect(const TkFormFrameFacts& f, int biLeftMargin, int iconWidth, int iconHeight) {
  const fw::TRect s = ShadowSize(f);
  const int left = FrameWidthOf(f, true) + biLeftMargin + s.Left;
  const int top = (FrameHeightOf(f, true) + CaptionHeight(f, true) - iconHeight) / 2 + s.Top + CenterShift(f);
  return fw::Rect(left, top, left + iconWidth, top + iconHeight);
}

void PlaceDialogButtons(const TkFormFrameFacts& f, const TkcDialogState& d, const TkcTitleButtonSizes& s,
                        TkCaptionLayout& layout) {
  layout.Close.Rect = layout.Max.Rect = layout.Min.Rect = layout.Help.Rect = fw::TRect{};
  if (!VisibleClose(d)) return;
  const fw::TRect shadow = ShadowSize(f);
  const int spacing = Normal(d) || s.CloseIsBig ? s.BISpacing : 0;
  int x = CaptionWidth(f) - s.BIRightMargin - shadow.Right - FrameWidthOf(f, true);
  // A maximised dialog's border window keeps its frame partly off the
  // screen: its buttons come down a little.
  const bool zoomedBorder = f.BorderForm && d.Zoomed;
  const int topAligned = shadow.Top + (f.BorderForm ? f.BorderForm->BITopMargin : 0) + (zoomedBorder ? 3 : 0);
  const int centred = (FrameHeightOf(f, true) + CaptionHeight(f, true) - s.ButtonHeight) / 2 + shadow.Top +
                      (zoomedBorder ? FrameWidthOf(f, false) / 2 : 0) + CenterShift(f);
  auto place = [&](TkCaptionButton& b, int width) {
    b.Rect.Right = x;
    b.Rect.Left = x - width;
    b.Rect.Top = b.HaveAlignment && s.BIVAlign == 1 ? topAligned : centred;
    b.Rect.Bottom = b.Rect.Top + s.ButtonHeight;
    x = b.Rect.Left - spacing;
  };
  if (s.CloseValid) place(layout.Close, s.CloseWidth);
  if (VisibleMax(d)) place(layout.Max, s.MaxWidth);
  if (VisibleMin(d)) place(layout.Min, s.MinWidth);
  if (VisibleHelp(d) && s.HelpValid) place(layout.Help, s.HelpWidth);
}

int DialogButtonsWidth(const TkcDialogState& d, const TkcTitleButtonSizes& s) {
  if (!VisibleClose(d)) return 0;
  int w = s.CloseWidth;
  if (VisibleMax(d)) w += s.MaxWidth;
  if (VisibleMin(d)) w += s.MinWidth;
  if (VisibleHelp(d)) w += s.HelpWidth;
  return w;
}

fw::TRect DialogCaptionRect(const TkFormFrameFacts& f, const TkcDialogState& d, const TkcTitleButtonSizes& s,
                            int imageWidth, int iconWidth, int biLeftMargin) {
  const fw::TRect shadow = ShadowSize(f);
  fw::TRect r;
  r.Left = FrameWidthOf(f, true) + iconWidth + biLeftMargin + shadow.Left + 4;
  r.Top = shadow.Top + 2;
  r.Right = imageWidth - DialogButtonsWidth(d, s) - shadow.Right - 6;
  r.Bottom = FrameHeightOf(f, false) + CaptionHeight(f, true) + shadow.Top;
  r.Top += CenterShift(f);
  r.Bottom += CenterShift(f);
  return r;
}

std::vector<fw::TRect> ShrunkCornerRects(const fw::TRect& lastClient, int newWidth, int newHeight,
                                         const std::vector<fw::TPoint>& imageSizes) {
  std::vector<fw::TRect> rects;
  const bool shrunk = newWidth < lastClient.Width() || newHeight < lastClient.Height() || lastClient.Width() <= 0;
  if (!shrunk) return rects;
  for (const fw::TPoint& z : imageSizes)
    rects.push_back(fw::Rect(lastClient.Right - z.x, lastClient.Bottom - z.y, lastClient.Right, lastClient.Bottom));
  return rects;
}

int DialogButtonIndexAt(const TkcDialogState& d, const TkCaptionLayout& layout, int x) {
  if (!VisibleClose(d)) return 0;
  const std::pair<bool, const TkCaptionButton*> buttons[] = {
      {true, &layout.Close}, {VisibleMax(d), &layout.Max}, {MinCounted(d), &layout.Min}, {VisibleHelp(d), &layout.Help}};
  int k = 0;
  for (const auto& [shown, b] : buttons) {
    if (!shown) continue;
    ++k;
    if (x >= b->Rect.Left && x <= b->Rect.Right && b->Rect.Width() > 0) return k;
  }
  return 0;
}

int DialogHitTest(const TkFormFrameFacts& f, const TkcDialogState& d, const TkCaptionLayout& layout,
                  int buttonHeight, int smallIconWidth, fw::TPoint p) {
  constexpr int kCaption = 2, kSysMenu = 3, kMin = 8, kMax = 9, kClose = 20, kHelp = 21;
  const int top = (FrameHeightOf(f, true) + CaptionHeight(f, true) - buttonHeight) / 2;
  if (CaptionHeight(f, true) > 0 && p.y >= top && p.y <= top + buttonHeight) {
    const int fw = FrameWidthOf(f, true);
    if (p.x >= fw && p.x <= fw + smallIconWidth) return kSysMenu;
    const int n = (VisibleClose(d) ? 1 : 0) + (VisibleMax(d) ? 1 : 0) + (MinCounted(d) ? 1 : 0) + (VisibleHelp(d) ? 1 : 0);
    const int k = DialogButtonIndexAt(d, layout, p.x);
    if (k < 1 || k > n) return kCaption;
    int code = 0;
    switch (k) {
      case 1:
        return EnabledClose(d) ? kClose : 0;
      case 2:
        if (VisibleMax(d))
          code = EnabledMax(d) || EnabledRestore(d) ? kMax : kCaption;
        else if (MinCounted(d))
          code = EnabledMin(d) ? kMin : kCaption;
        else if (VisibleHelp(d))
          code = kHelp;
        break;
      case 3:
        if (MinCounted(d))
          code = d.Iconic || EnabledMin(d) ? kMin : kCaption;
        else if (VisibleHelp(d))
          code = kHelp;
        break;
      case 4:
        if (VisibleHelp(d) && VisibleMax(d)) code = kHelp;
        break;
      default: break;
    }
    if (code != 0) return code;
  }
  if (d.Zoomed && !(p.x >= 2 && p.x < f.Width - 4 && p.y >= 2 && p.y < f.Height - 4)) return -1;
  return 0;
}

}  // namespace skin
