#include "skin/forms/core/title_bar_layout.h"

#include <algorithm>

namespace skin {

int IntXMargin(TkcBtnStyle Style) { return Style == bsMenu ? 4 : 0; }

fw::TPoint TitleItemContentSize(const TkTitleItemContent& c) {
  int w = c.ImageWidth, h = c.ImageHeight;
  if (c.HasCaption) {
    if (w > 0) w += c.Spacing;
    w += c.TextWidth + (c.Style == bsTab ? 4 : 0);
    h = std::max(h, c.TextHeight);
  }
  if ((c.Style == bsButton || c.Style == bsMenu) && c.HasDropdown) w += (c.Style == bsMenu ? 4 : 1) + c.ArrowWidth;
  if (c.Style == bsMenu || c.Style == bsTab) h += 1;
  return fw::TPoint{w, h};
}

fw::TPoint TitleItemAutoSize(const TkTitleItemContent& c, int ItemsMargin) {
  const fw::TPoint content = TitleItemContentSize(c);
  return fw::TPoint{std::max(16, 2 * (IntXMargin(c.Style) + ItemsMargin) + content.x),
                    std::max(16, 2 * ItemsMargin + content.y)};
}

void PlaceTitleItems(std::vector<TkTitleItemBox>& Items, const fw::TRect& BarRect, int BarVCenter, int FullRight) {
  int left = 0, right = 0, center = 0, centerS = 0;
  for (const TkTitleItemBox& i : Items) {
    if (!i.Visible) continue;
    switch (i.Align) {
      case tbaLeft: left += i.Width; break;
      case tbaRight: right += i.Width; break;
      case tbaCenter: center += i.Width; break;
      case tbaCenterInSpace: centerS += i.Width; break;
    }
  }
  int cursor[4] = {BarRect.Left, BarRect.Right - right, BarRect.Left + (FullRight - BarRect.Left - center) / 2,
                   BarRect.Left + left + (BarRect.Right - BarRect.Left - right - left - centerS) / 2};
  for (TkTitleItemBox& i : Items) {
    if (!i.Visible) continue;
    int top;
    if (i.Style == bsMenu)
      top = BarRect.Top;
    else if (i.Style == bsTab)
      top = BarRect.Bottom - i.Height;
    else
      top = BarVCenter - i.Height / 2;
    int& x = cursor[i.Align];
    i.Rect = fw::Rect(x, top, x + i.Width, top + i.Height);
    x += i.Width;
  }
}

void PrepareMenuBtnImage(const TPixelView32& v) {
  for (int y = 0; y < v.Height; ++y)
    for (uint32_t* p = v.Row(y); p != v.Row(y) + v.Width; ++p) {
      if ((*p & 0xFFFFFF) == 0xFF00FF) continue;
      const uint32_t a = *p >> 24;
      auto c = [&](int shift) { return ((((*p >> shift) & 0xFF) * a) / 255) << shift; };
      *p = (a << 24) | c(16) | c(8) | c(0);
    }
}

void DrawImageSliced(const TPixelView32& Dest, const TPixelView32& Src, const fw::TRect& DestRect,
                     const fw::TRect& Borders, const fw::TRect& SrcRect) {
  const int l = Borders.Left, t = Borders.Top, r = Borders.Right, b = Borders.Bottom;
  const int sx[4] = {SrcRect.Left, SrcRect.Left + l, SrcRect.Right - r, SrcRect.Right};
  const int sy[4] = {SrcRect.Top, SrcRect.Top + t, SrcRect.Bottom - b, SrcRect.Bottom};
  const int dx[4] = {DestRect.Left, DestRect.Left + l, DestRect.Right - r, DestRect.Right};
  const int dy[4] = {DestRect.Top, DestRect.Top + t, DestRect.Bottom - b, DestRect.Bottom};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) {
      const int sw = sx[col + 1] - sx[col], sh = sy[row + 1] - sy[row];
      const int dw = dx[col + 1] - dx[col], dh = dy[row + 1] - dy[row];
      if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) continue;
      for (int y = 0; y < dh; ++y) {
        const int py = dy[row] + y, qy = sy[row] + y * sh / dh;
        if (py < DestRect.Top || py >= DestRect.Bottom || !Src.Contains(0, qy)) continue;
        for (int x = 0; x < dw; ++x) {
          const int px = dx[col] + x, qx = sx[col] + x * sw / dw;
          if (px < DestRect.Left || px >= DestRect.Right || !Dest.Contains(px, py) || !Src.Contains(qx, qy)) continue;
          const uint32_t p = Src.Pixel(qx, qy);
          if ((p & 0xFFFFFF) != 0xFF00FF) Dest.Pixel(px, py) = p;
        }
      }
    }
}

}  // namespace skin
