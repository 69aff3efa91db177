#include "skin/controls/core/button_layout.h"

#include <algorithm>

namespace skin {

namespace {

fw::TRect Shifted(fw::TRect r, bool shift) {
  if (shift) r = fw::Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  return r;
}

}  // namespace

int ButtonCurrentState(const TkcButtonFacts& f) {
  if (f.Down) return bstPressed;
  if (!f.Enabled) return bstNormal;
  if (f.HasFocus) return bstHot;
  if (f.HasOwnerControl) return f.DefPushStyle ? bstHot : bstNormal;
  return f.DefPushStyle ? bstDefault : bstNormal;
}

int ButtonPaintedState(int currentState, int sectionStates) {
  if (currentState == bstDefault && sectionStates < 4) return bstHot;
  return std::max(0, std::min(currentState, sectionStates - 1));
}

int ButtonMaxCaptionWidth(bool hasCaption, int width, int glyphWidth) {
  if (!hasCaption) return 0;
  if (glyphWidth == 0) return width + 1;
  return std::max(0, width - glyphWidth);
}

bool ShiftContent(bool down, bool skinned, bool shiftOnClick) { return down && (!skinned || shiftOnClick); }

fw::TRect ButtonCaptionRect(int W, int H, int tw, int th, bool shift) {
  const int l = (W - tw) / 2;
  const int t = (H - th) / 2;
  return Shifted(fw::Rect(l - 1, t, W - l + 2, H - t), shift);
}

fw::TRect ImageButtonGlyphRect(const TkcImageButtonLayout& l) {
  if (l.IW <= 0 || l.IH <= 0) return fw::TRect{};
  int x = 0, y = 0;
  switch (l.Alignment) {
    case iaLeft: x = l.Margins.Left + 3; y = (l.H - l.IH) / 2; break;
    case iaRight: x = l.W - l.Margins.Right - 3 - l.IW; y = (l.H - l.IH) / 2; break;
    case iaTop: x = (l.W - l.IW) / 2; y = l.Margins.Top + 3; break;
    case iaBottom: x = (l.W - l.IW) / 2; y = l.H - l.Margins.Bottom - 3 - l.IH; break;
    case iaCenter: x = (l.W - l.IW) / 2; y = (l.H - l.IH) / 2; break;
  }
  return Shifted(fw::Rect(x, y, x + l.IW, y + l.IH), l.Shift);
}

fw::TRect ImageButtonCaptionRect(const TkcImageButtonLayout& l) {
  const bool image = l.IW > 0 && l.IH > 0 && l.Alignment != iaCenter;
  int left = (l.W - l.TW) / 2, top = (l.H - l.TH) / 2;
  int right = l.W - left, bottom = l.H - top;
  if (image) {
    switch (l.Alignment) {
      case iaLeft: {
        const int l0 = l.Margins.Left + l.IW + 3;
        left = l0 + (l.W - l0 - l.TW) / 2;
        right = left + l.TW;
        break;
      }
      case iaRight:
        left = (l.W - l.Margins.Right - l.IW - l.TW - 3) / 2;
        right = left + l.TW;
        break;
      case iaTop: {
        const int t0 = l.Margins.Top + l.IH + 3;
        top = t0 + (l.H - t0 - l.TH) / 2;
        bottom = top + l.TH;
        break;
      }
      case iaBottom:
        top = (l.H - l.Margins.Bottom - l.IH - l.TH - 3) / 2;
        bottom = top + l.TH;
        break;
      case iaCenter: break;
    }
  }
  return Shifted(fw::Rect(left - 1, top, right + 2, bottom), l.Shift);
}

int ButtonImageIndex(const TkcButtonImageIndexes& i, bool enabled, bool down, bool focused, int currentState) {
  const int which = !enabled ? 4 : down ? 2 : focused ? 3 : currentState;
  const int alternatives[] = {i.Normal, i.Hot, i.Pressed, i.Selected, i.Disabled};
  if (which <= 0 || which > 4) return i.Normal;
  const int index = alternatives[which];
  return index >= 0 && index < i.Count ? index : i.Normal;
}

fw::TRect BitBtnGlyphRect(const TkcBitBtnGeometry& g) {
  const int s = g.GW > 0 && g.HasCaption ? g.Spacing : 0;
  const int x0 = (g.W - g.GW - g.TW - s) / 2;
  const int y0 = (g.H - g.GH - g.TH - s) / 2;
  int x = 0, y = 0;
  switch (g.Layout) {
    case blGlyphLeft: x = x0; y = (g.H - g.GH) / 2; break;
    case blGlyphRight: x = (g.W + s + g.TW - g.GW) / 2; y = (g.H - g.GH) / 2; break;
    case blGlyphTop: x = (g.W - g.GW) / 2 + 1; y = y0; break;
    case blGlyphBottom: x = (g.W - g.GW) / 2 + 1; y = g.H - y0 - g.GH; break;
  }
  return Shifted(fw::Rect(x, y, x + g.GW, y + g.GH), g.Shift);
}

int BitBtnMaxCaptionWidth(bool hasCaption, int width, int margin, int glyphWidth, int glyphHeight, int spacing,
                          TkcBitBtnLayout layout) {
  if (!hasCaption) return 0;
  int w = width - 2 * margin;
  if ((layout == blGlyphLeft || layout == blGlyphRight) && glyphHeight > 0) w -= glyphWidth + spacing;
  return w;
}

fw::TRect RawBitBtnGlyphRect(int captionLeft, int H, int GW, int GH, bool pressed) {
  if (GW <= 0) return fw::TRect{};
  const int right = captionLeft - 2;
  const int top = (H - GH) / 2 + (pressed ? 1 : 0);
  return fw::Rect(right - GW, top, right, top + GH);
}

}  // namespace skin
