#include "skin/forms/core/frame_geometry.h"

#include <algorithm>

namespace skin {

namespace {
bool IsToolStyle(TkFrameStyle s) { return s == TkFrameStyle::bsToolWindow || s == TkFrameStyle::bsSizeToolWin; }
bool HasFullCaption(const TkFormFrameFacts& f) { return (f.Style & kWsCaption) == kWsCaption; }
}  // namespace

int ExtBorderWidth(const TkFormFrameFacts& f) { return f.BorderForm ? f.BorderForm->ExBorderWidth : 0; }
int ExtTitleHeight(const TkFormFrameFacts& f) { return f.BorderForm ? f.BorderForm->ExTitleHeight : 0; }

int FrameWidthOf(const TkFormFrameFacts& f, bool checkSkin) {
  if (checkSkin && ExtBorderWidth(f) != 0) return ExtBorderWidth(f);
  if (f.Style & kWsThickFrame) return f.Metrics.CxFrame;
  if (f.Style & kWsBorder) return f.Metrics.CxDlgFrame;
  return 0;
}

int FrameHeightOf(const TkFormFrameFacts& f, bool checkSkin) {
  return f.BorderForm ? 0 : FrameWidthOf(f, checkSkin);
}

int SystemCaptionHeight(const TkFormFrameFacts& f) {
  return IsToolStyle(f.BorderStyle) && !f.Iconic ? f.Metrics.CySmCaption : f.Metrics.CyCaption;
}

int ExtTitleDelta(const TkFormFrameFacts& f) {
  if (!f.BorderForm) return 0;
  return f.BorderForm->CaptionHeightSkin - f.BorderForm->CaptionHeightSystem - FrameWidthOf(f, false);
}

int ExtFrameDelta(const TkFormFrameFacts& f) {
  return f.BorderForm ? FrameWidthOf(f, true) - FrameWidthOf(f, false) : 0;
}

bool HasBorder(const TkFormFrameFacts& f) {
  return f.BorderStyle != TkFrameStyle::bsNone || (f.Style & kWsChild) != 0;
}

int CaptionHeight(const TkFormFrameFacts& f, bool checkSkin) {
  if (!((HasBorder(f) && HasFullCaption(f)) || f.Iconic)) return 0;
  const int skinHeight = checkSkin ? ExtTitleHeight(f) : 0;
  const int system = SystemCaptionHeight(f);
  if (f.SysExHeight) return std::max(skinHeight, system + 4);
  return skinHeight != 0 ? skinHeight : system;
}

int BorderWidth(const TkFormFrameFacts& f, bool checkSkin) { return FrameWidthOf(f, checkSkin) + f.FormBorderWidth; }
int BorderHeight(const TkFormFrameFacts& f, bool checkSkin) { return FrameHeightOf(f, checkSkin) + f.FormBorderWidth; }

int HeaderHeight(const TkFormFrameFacts& f) {
  int h;
  if (f.BorderForm)
    h = FrameHeightOf(f, false) + CaptionHeight(f, true);
  else if (CaptionHeight(f, true) != 0)
    h = f.Height - f.ClientHeight - BorderHeight(f, true);
  else
    h = f.Height - f.ClientHeight - ((f.Style & kWsBorder) ? BorderHeight(f, true) : 0);
  h = std::max(h, 0);
  if (f.Iconic) h += FrameHeightOf(f, false);
  return h - f.HScrollHeight;
}

int MenuHeight(const TkFormFrameFacts& f) { return f.HasMainMenu ? f.Metrics.CyMenu - 1 : 0; }

int MenuRowsFor(const TkFormFrameFacts& f, int formTop, int firstItemBottom) {
  const int l = formTop + f.Height - f.ClientHeight - BorderHeight(f, false) -
                (f.HScrollHeight > 0 ? f.Metrics.CyHScroll : 0) - 2 * f.FormBorderWidth;
  const int step = std::max(1, f.Metrics.CyMenu - 2);
  return 1 + (firstItemBottom < l ? (l - firstItemBottom) / step : 0);
}

fw::TRect ShadowSize(const TkFormFrameFacts& f) { return f.BorderForm ? f.BorderForm->Shadow : fw::TRect{}; }

int OffsetX(const TkFormFrameFacts& f) {
  if (f.BorderForm) return BorderWidth(f, true) + ShadowSize(f).Left;
  return (f.Width - f.ClientWidth - f.VScrollWidth) / 2;
}

int OffsetY(const TkFormFrameFacts& f) {
  if (f.BorderForm)
    return CaptionHeight(f, true) + f.MenuRows * MenuHeight(f) + f.FormBorderWidth + ShadowSize(f).Top +
           (MenuHeight(f) != 0 ? 1 : 0);
  return f.Height - f.ClientHeight - ((f.Style & kWsBorder) ? BorderWidth(f, true) : 0) - f.HScrollHeight;
}

int CaptionWidth(const TkFormFrameFacts& f) {
  const fw::TRect s = ShadowSize(f);
  if (f.Iconic && !f.MainForm) return 160 + s.Left + s.Right;
  return f.Width + 2 * ExtFrameDelta(f) + s.Left + s.Right;
}

int FormImageHeight(const TkFormFrameFacts& f) {
  int h = f.Iconic && !f.MainForm ? FrameHeightOf(f, false) + CaptionHeight(f, true) + 2 : f.Height;
  if (f.BorderForm) {
    const fw::TRect s = ShadowSize(f);
    h += ExtFrameDelta(f) + ExtTitleDelta(f) + s.Top + s.Bottom + (MenuHeight(f) != 0 ? 1 : 0);
  }
  return h;
}

int MaximizedTitleHeight(const TkFormFrameFacts& f) {
  if (!f.BorderForm) return 0;
  return f.BorderForm->ExMaxHeight != 0 ? f.BorderForm->ExMaxHeight : f.BorderForm->ExTitleHeight;
}

int MaximizedTitleExtra(const TkFormFrameFacts& f) {
  return std::max(0, MaximizedTitleHeight(f) - SystemCaptionHeight(f) - 4);
}

int TitleBarTop(const TkFormFrameFacts& f) {
  if (!f.BorderForm) return f.Zoomed ? 6 : 0;
  const TkExtBorderFacts& b = *f.BorderForm;
  if (!f.Zoomed) return b.Shadow.Top + b.BITopMargin;
  int top = b.Shadow.Top + 4;
  if (b.ExMaxHeight != 0 && b.ExMaxHeight != b.ExTitleHeight) top += std::max(0, b.ExTitleHeight - b.ExMaxHeight);
  return top;
}

int TitleIconSizeFor(int captionHeight) {
  if (captionHeight >= -100 && captionHeight <= 8) return 1;
  if (captionHeight >= 9 && captionHeight <= 16) return 8;
  return 16;
}

TkMaxPlacement MaximizedPlacement(const TkFormFrameFacts& f, const fw::TRect& workArea) {
  TkFormFrameFacts plain = f;
  plain.BorderForm = nullptr;
  const int frame = FrameWidthOf(plain, false);
  TkMaxPlacement p;
  p.SysExHeight = f.SysExHeight;
  int extra = 0;
  if (f.BorderForm && HasFullCaption(f)) {
    p.SysExHeight = f.Zoomed && SystemCaptionHeight(f) + 4 < MaximizedTitleHeight(f);
    extra = MaximizedTitleExtra(f);
  }
  p.Position = fw::TPoint{-frame, extra - frame};
  p.Size = fw::TPoint{workArea.Width() + 2 * frame, workArea.Height() + 2 * frame - extra};
  return p;
}

}  // namespace skin
