#include "skin/forms/core/caption_layout.h"

namespace skin {

void PlaceTitleButton(TkCaptionButton& b, int width, int& x, int titleTop, int vCenter,
                      const TkCaptionLayoutInput& in) {
  b.Rect.Right = x;
  b.Rect.Left = x - width;
  b.Rect.Top = b.HaveAlignment && in.BIVAlign == 1 ? titleTop : vCenter - in.ButtonHeight / 2;
  b.Rect.Bottom = b.Rect.Top + in.ButtonHeight;
  x = in.BigButtons ? b.Rect.Left - in.BISpacing : b.Rect.Left;
}

void CalcCaptionItems(const TkFormFrameFacts& f, const TkCaptionLayoutInput& in, TkCaptionLayout& layout) {
  const fw::TRect shadow = ShadowSize(f);
  int titleTop;
  if (f.BorderForm) {
    const TkExtBorderFacts& b = *f.BorderForm;
    titleTop = TitleBarTop(f);
    const int h = MaximizedTitleHeight(f);
    layout.VCenter = shadow.Top + CaptionHeight(f, true) - h + h / 2;
    layout.HeaderHeight = CaptionHeight(f, true) + shadow.Top;
    if (!f.Zoomed || b.ExTitleHeight == b.ExMaxHeight) layout.VCenter += b.ExCenterOffs;
  } else {
    layout.VCenter = CaptionHeight(f, true) / 2;
    titleTop = f.Zoomed ? f.Metrics.CxFrame - 1 : 0;
    layout.HeaderHeight = FrameHeightOf(f, false) + CaptionHeight(f, true) + shadow.Top;
    layout.VCenter += FrameWidthOf(f, false) / 2;
  }
  if (f.Zoomed) layout.VCenter += 2;

  // The icon, centred on the line.
  const int iconLeft = FrameWidthOf(f, true) + in.BILeftMargin + shadow.Left;
  if (in.IconVisible) {
    const int top = layout.VCenter - in.IconHeight / 2;
    layout.IconRect = fw::Rect(iconLeft, top, iconLeft + in.IconWidth, top + in.IconHeight);
  } else {
    layout.IconRect = fw::Rect(iconLeft, 0, iconLeft, 0);
  }
  // A maximised title shorter than the normal one moves the icon down.
  if (f.BorderForm && f.Zoomed && f.BorderForm->ExTitleHeight != f.BorderForm->ExMaxHeight) {
    const int d = (f.BorderForm->ExTitleHeight - f.BorderForm->ExMaxHeight) / 2 - 2;
    layout.IconRect.Top += d;
    layout.IconRect.Bottom += d;
  }

  int x = CaptionWidth(f) - in.BIRightMargin - shadow.Right - FrameWidthOf(f, true);
  layout.FullRight = x;
  auto place = [&](TkCaptionButton& b, int width) { PlaceTitleButton(b, width, x, titleTop, layout.VCenter, in); };
  const fw::TRect none{};
  if (in.SystemButtons) {
    place(layout.Close, in.CloseWidth);
    if (in.VisibleMax) {
      layout.Max.ImageIndex = f.Zoomed ? in.MaskNormBtn : in.MaskMaxBtn;
      place(layout.Max, in.MaxWidth);
    } else {
      layout.Max.Rect = none;
    }
    if (in.VisibleMin) {
      layout.Min.ImageIndex = f.Iconic && !f.MainForm ? in.MaskNormBtn : in.MaskMinBtn;
      place(layout.Min, in.MinWidth);
    } else {
      layout.Min.Rect = none;
    }
    if (in.HelpButton) {
      x -= 6;
      place(layout.Help, in.HelpWidth);
    } else {
      layout.Help.Rect = none;
    }
  } else {
    layout.Close.Rect = none;
    layout.Max.Rect = layout.Min.Rect = layout.Help.Rect = none;
  }
  // User buttons, 6 pixels apart from the standard ones.
  layout.User.resize(in.UserButtons.size());
  if (!in.UserButtons.empty()) x -= 6;
  for (size_t i = 0; i < in.UserButtons.size(); ++i) {
    TkCaptionButton& b = layout.User[i];
    b.HitCode = unsigned(1000 + i);
    if (!in.UserButtons[i].Visible) {
      b.Rect = none;
      continue;
    }
    b.ImageIndex = in.UserButtons[i].UseSkinData && in.UserButtonMask >= 0 ? in.UserButtonMask : -1;
    place(b, in.UserButtons[i].Width);
  }
  layout.ButtonsLeft = x;
  if (in.TitleBar) {
    layout.BarRect.Left = layout.IconRect.Right + (in.IconVisible && in.TitleBarLeftItems ? 6 : 0);
    layout.BarRect.Top = titleTop;
    layout.BarRect.Bottom = layout.HeaderHeight;
    layout.BarRect.Right = x - 6;
    layout.BarVCenter = layout.VCenter;
  }
}

}  // namespace skin
