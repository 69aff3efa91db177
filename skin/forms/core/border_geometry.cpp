#include "skin/forms/core/border_geometry.h"

namespace skin {

namespace {

// Both bounds inclusive, as the border window's bands are.
bool Within(fw::TPoint p, const fw::TRect& r) {
  return p.x >= r.Left && p.x <= r.Right && p.y >= r.Top && p.y <= r.Bottom;
}

// A title element's own rectangle (right and bottom exclusive).
bool InElement(fw::TPoint p, const fw::TRect& r) {
  return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom;
}

enum class TkTitleElement { Close, Max, Min, Help };

int SystemButtonCode(const TkBorderFacts& f, TkTitleElement e) {
  switch (e) {
    case TkTitleElement::Close:
      if (f.Provider && !f.VisibleClose) return 0;
      if (f.EnabledClose) return 20;
      return f.Provider ? 2 : 0;
    case TkTitleElement::Max:
      if (f.EnabledMax) return 9;
      return (!f.EnabledRestore || f.Iconic) ? 2 : 9;
    case TkTitleElement::Min:
      return (f.Iconic || f.EnabledMin) ? 8 : 2;
    case TkTitleElement::Help:
      return 21;
  }
  return 0;
}

// The code of the title element under the point, 0 for none. Every
// element is matched by its own rectangle, so that a hidden maximise
// button cannot make help answer as minimise.
int TitleElementCode(const TkBorderFacts& f, fw::TPoint p) {
  if (f.Provider && !f.HasSystemMenu) return 0;
  if (f.SystemMenuAllowed) {
    struct Element {
      TkTitleElement kind;
      bool shown;
      const fw::TRect* rect;
    };
    const Element elements[] = {
        {TkTitleElement::Close, true, &f.Close},
        {TkTitleElement::Max, f.VisibleMax, &f.Max},
        {TkTitleElement::Min, f.VisibleMin || f.Iconic, &f.Min},
        {TkTitleElement::Help, f.HelpShown, &f.Help},
    };
    for (const Element& e : elements)
      if (e.shown && InElement(p, *e.rect)) return SystemButtonCode(f, e.kind);
  }
  if (!f.Provider) return 0;
  for (size_t i = 0; i < f.UserButtons.size(); ++i) {
    const TkBorderTitleButton& b = f.UserButtons[i];
    if (b.Visible && InElement(p, b.Rect)) return b.Enabled ? kHitUserButton + static_cast<int>(i) : 0;
  }
  for (size_t i = 0; i < f.Items.size(); ++i) {
    const TkBorderTitleItem& item = f.Items[i];
    if (!item.Visible || !InElement(p, item.Rect) || item.Style == 3 || item.Style == 4) continue;
    return item.Enabled && !(item.Style == 2 && item.Down) ? kHitTitleItem + static_cast<int>(i) : 0;
  }
  return 0;
}

int SizingCode(const TkBorderFacts& f, fw::TPoint p) {
  const fw::TRect v = BorderVisibleRect(f);
  if (!Within(p, v)) return 0;
  const int band = f.FrameWidth + 1;
  const bool top = p.y <= v.Top + 5;
  const bool bottom = p.y >= v.Bottom - band;
  const bool left = p.x <= v.Left + band;
  const bool right = p.x >= v.Right - band;
  if (top) return left ? 13 : right ? 14 : 12;
  if (bottom) return left ? 16 : right ? 17 : 15;
  if (left) return 10;
  if (right) return 11;
  return 0;
}

}  // namespace

fw::TRect BorderVisibleRect(const TkBorderFacts& f) {
  return fw::Rect(f.Shadow.Left - f.ExShadowOffs, f.Shadow.Top - f.ExShadowOffsT,
                  f.Width + f.ExShadowOffsR - f.Shadow.Right, f.Height + f.ExShadowOffsB - f.Shadow.Bottom);
}

int BorderHitTest(const TkBorderFacts& f, fw::TPoint p) {
  if (f.OwnerDisabled) return -1;
  if (const int code = TitleElementCode(f, p)) return code;
  if (!f.Maximized && f.ThickFrame)
    if (const int code = SizingCode(f, p)) return code;
  if (p.y >= 0 && p.y <= f.FrameHeight + f.CaptionHeight + f.Shadow.Top) return InElement(p, f.IconRect) ? 3 : 2;
  if (p.y <= f.FrameHeight + f.CaptionHeight + f.MenuHeight) return 5;
  const fw::TRect inner = fw::Rect(f.Shadow.Left, f.Shadow.Top, f.Width - f.Shadow.Right, f.Height - f.Shadow.Bottom);
  if (!InElement(p, inner)) return -1;
  if (f.Provider && (f.GripVisible || (f.ScrollCorner && InElement(p, f.ScrollCornerBox))) && f.GripMask &&
      p.x > f.GripPosition.x && p.y > f.GripPosition.y)
    return 17;
  return -1;
}

bool PointOnShadow(const TkBorderFacts& f, fw::TPoint p) { return !f.Maximized && !Within(p, BorderVisibleRect(f)); }

TkBorderCursor BorderCursorFor(int hitCode) {
  switch (hitCode) {
    case 2:
    case 5:
      return TkBorderCursor::Arrow;
    case 10:
    case 11:
      return TkBorderCursor::SizeWE;
    case 12:
    case 15:
      return TkBorderCursor::SizeNS;
    case 13:
    case 17:
      return TkBorderCursor::SizeNWSE;
    case 14:
    case 16:
      return TkBorderCursor::SizeNESW;
    default:
      return TkBorderCursor::None;
  }
}

namespace {

// The right (or bottom) edge of the client area during a size change.
int SizingEdge(int start, int last, int client, int newSize, int minSize, int formSize) {
  if (last < client) return start + last;
  if (newSize != 0 && newSize > minSize) return start + client + newSize - formSize;
  return start + client;
}

}  // namespace

TkBorderRegion BorderRegion(const TkBorderFacts& f, const TkBorderClientFacts& c, int NewWidth, int NewHeight) {
  TkBorderRegion r;
  if (c.Maximized) {
    const int F = c.InnerFrame;
    r.Outer = fw::Rect(F + f.Shadow.Left, f.Shadow.Top + 4, f.Width - F - f.Shadow.Right, f.Height - F - f.Shadow.Bottom);
  }
  if (c.FormState & (kFsSkinChange | kFsMinimizing | kFsBlendedMove | kFsSnapshot)) {
    r.None = !c.Maximized;
    return r;
  }
  if (!c.Maximized) r.Outer = fw::Rect(0, 0, f.Width, f.Height);
  fw::TRect hole;
  const bool sizing = (c.FormState & kFsSizeChange) != 0;
  if (c.Provider) {
    hole.Left = c.OffsetX;
    hole.Top = c.OffsetY;
    if (!sizing || c.Showing) {
      hole.Right = hole.Left + c.ClientWidth + c.VScrollWidth;
      hole.Bottom = hole.Top + c.ClientHeight + c.HScrollHeight;
    } else {
      hole.Right = SizingEdge(hole.Left, c.LastClientRect.Right, c.ClientWidth, NewWidth, c.MinWidth, c.FormWidth);
      hole.Bottom = SizingEdge(hole.Top, c.LastClientRect.Bottom, c.ClientHeight, NewHeight, c.MinHeight, c.FormHeight);
    }
    // The owner's live menu line shows through.
    if (c.LinesCount > 0 && !(c.FormState & kFsInNcActivate)) hole.Top -= c.LinesCount * c.MenuHeight;
  } else if (sizing) {
    hole.Left = c.OffsetX;
    hole.Top = c.OffsetY;
    hole.Right = SizingEdge(hole.Left, c.LastClientRect.Right, c.ClientWidth, NewWidth, 0, c.FormWidth);
    hole.Bottom = SizingEdge(hole.Top, c.LastClientRect.Bottom, c.ClientHeight, NewHeight, 0, c.FormHeight);
  } else {
    hole.Left = f.Shadow.Left + c.ExtBorderWidth;
    hole.Top = c.OffsetY;
    hole.Right = hole.Left + c.ClientWidth;
    hole.Bottom = c.CacheHeight - c.ExtBorderWidth - f.Shadow.Bottom;
  }
  r.HasHole = true;
  r.Hole = hole;
  return r;
}

TkEdgeStretch StretchWidthTo(int WorkLeft, int WorkWidth, int FrameDelta, bool Stretched) {
  if (Stretched) return TkEdgeStretch{true, 0, 0};
  return TkEdgeStretch{false, WorkLeft + FrameDelta, WorkWidth - 2 * FrameDelta};
}

TkEdgeStretch StretchHeightTo(int WorkTop, int WorkHeight, int TitleDelta, int FrameDelta, bool Stretched) {
  if (Stretched) return TkEdgeStretch{true, 0, 0};
  return TkEdgeStretch{false, WorkTop + TitleDelta, WorkHeight - TitleDelta - FrameDelta};
}

}  // namespace skin
