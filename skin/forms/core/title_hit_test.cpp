#include "skin/forms/core/title_hit_test.h"

namespace skin {

namespace {

constexpr int kHtClient = 1, kHtCaption = 2, kHtSysMenu = 3, kHtMenu = 5, kHtMinButton = 8, kHtMaxButton = 9,
              kHtLeft = 10, kHtRight = 11, kHtTop = 12, kHtTopLeft = 13, kHtTopRight = 14, kHtBottom = 15,
              kHtBottomLeft = 16, kHtBottomRight = 17, kHtClose = 20, kHtHelp = 21;

bool Inside(const fw::TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

enum class TkElement { None, Close, Max, Min, Help, User, Item };

struct TkFound {
  TkElement Kind = TkElement::None;
  int Index = 0;
  int Ordinal = 0;
};

// The ordinal counting of TitleButtonIndexAt, with what was found.
TkFound FindElement(const TkTitleHitInput& in, int x, int y) {
  TkFound f;
  if (in.BorderWindow || !in.HasSystemMenu) return f;
  int n = 0;
  auto at = [&](TkElement kind, const fw::TRect& r, int index) {
    ++n;
    if (!Inside(r, x, y)) return false;
    f = {kind, index, n};
    return true;
  };
  if (in.SystemMenuIcon) {
    if (at(TkElement::Close, in.Layout.Close.Rect, 0)) return f;
    if (in.Rules.VisibleMax && at(TkElement::Max, in.Layout.Max.Rect, 0)) return f;
    if (in.Rules.VisibleMin && at(TkElement::Min, in.Layout.Min.Rect, 0)) return f;
    if (in.HelpIcon && at(TkElement::Help, in.Layout.Help.Rect, 0)) return f;
  }
  // Invisible user buttons and items take their ordinal but are never hit.
  for (size_t i = 0; i < in.UserButtons.size(); ++i) {
    const TkTitleElement& b = in.UserButtons[i];
    if (at(TkElement::User, b.Visible ? b.Rect : fw::TRect{}, int(i))) return f;
  }
  for (size_t i = 0; i < in.Items.size(); ++i) {
    const TkTitleElement& b = in.Items[i];
    if (at(TkElement::Item, b.Visible ? b.Rect : fw::TRect{}, int(i))) {
      if (b.Inert) return {};
      return f;
    }
  }
  return {};
}

int ElementCode(const TkTitleHitInput& in, const TkFound& f) {
  const TkSysMenuRules& r = in.Rules;
  switch (f.Kind) {
    case TkElement::Close:
      return r.EnabledClose ? kHtClose : kHtCaption;
    case TkElement::Max:
      if (r.EnabledMax) return kHtMaxButton;
      return !r.EnabledRestore || in.Frame.Iconic ? kHtCaption : kHtMaxButton;
    case TkElement::Min:
      return r.EnabledMin || (r.VisibleMax && in.Frame.Iconic) ? kHtMinButton : kHtCaption;
    case TkElement::Help:
      return kHtHelp;
    case TkElement::User:
      return in.UserButtons[size_t(f.Index)].Enabled ? 1000 + f.Index : kHtClient;
    case TkElement::Item: {
      const TkTitleElement& item = in.Items[size_t(f.Index)];
      return item.Enabled && !item.PressedTab ? 2000 + f.Index : kHtClient;
    }
    case TkElement::None:
      break;
  }
  return kHtClient;
}

}  // namespace

int TitleButtonIndexAt(const TkTitleHitInput& in, int x, int y) { return FindElement(in, x, y).Ordinal; }

int TitleHitTest(const TkTitleHitInput& in, int x, int y) {
  const TkFormFrameFacts& f = in.Frame;
  const TkFound found = FindElement(in, x, y);
  if (found.Kind != TkElement::None) {
    const int code = ElementCode(in, found);
    // A disabled element lets the frame answer; a pressed tab is the client.
    if (code != kHtClient || (found.Kind == TkElement::Item && in.Items[size_t(found.Index)].PressedTab)) return code;
  }
  // Sizing edges.
  if (!f.Zoomed && (f.Style & kWsThickFrame) && !in.BorderWindow) {
    const int b = FrameWidthOf(f, true);
    int code = 0;
    if (y > f.Height - b)
      code = kHtBottom;
    else if (y < FrameHeightOf(f, false))
      code = kHtTop;
    if (x < b)
      code = code == kHtBottom ? kHtBottomLeft : code == kHtTop ? kHtTopLeft : kHtLeft;
    else if (x > f.Width - b)
      code = code == kHtBottom ? kHtBottomRight : code == kHtTop ? kHtTopRight : kHtRight;
    if (code != 0) return code;
  }
  // Caption and icon.
  const int c = SystemCaptionHeight(f) + FrameHeightOf(f, true);
  if (y >= 0 && y <= c) {
    const int menuTop = FrameHeightOf(f, false) + SystemCaptionHeight(f);
    if (y >= menuTop && y <= FrameHeightOf(f, false) + CaptionHeight(f, false) + MenuHeight(f)) return kHtMenu;
    if (Inside(in.Layout.IconRect, x, y)) return kHtSysMenu;
    return kHtCaption;
  }
  // Below the menu line: the grip or the client.
  if (y > c + f.MenuRows * MenuHeight(f)) {
    if (in.GripShown && y > in.GripPos.y && x > in.GripPos.x) return kHtBottomRight;
    return kHtClient;
  }
  // The menu line.
  if (!in.MdiButtonsVisible) return kHtMenu;
  const fw::TRect shadow = ShadowSize(f);
  const int ix = x + ExtFrameDelta(f) + shadow.Left, iy = y + ExtTitleDelta(f) + shadow.Top;
  if (Inside(in.MdiClose, ix, iy)) return 101;
  if (Inside(in.MdiMax, ix, iy)) return 102;
  if (Inside(in.MdiMin, ix, iy)) return 103;
  return kHtMenu;
}

}  // namespace skin
