#include "skin/controls/core/check_layout.h"

#include <algorithm>

namespace skin {

namespace {

constexpr uint32_t kLeftText = 0x20;      // BS_LEFTTEXT
constexpr uint32_t kMultiLine = 0x2000;   // BS_MULTILINE
constexpr uint32_t kRtlReading = 0x2000;  // WS_EX_RTLREADING
constexpr uint32_t kWordBreak = 0x10, kSingleLine = 0x20, kRight = 0x2, kDtRtlReading = 0x20000;

}  // namespace

TkButtonKind ButtonKindOf(uint32_t Style) {
  switch (Style & 0xF) {
    case 2: case 3: case 5: case 6: return bkCheck;
    case 4: case 9: return bkRadio;
    case 7: return bkGroup;
    case 0xB: return bkOwnerDraw;
    default: return bkPush;
  }
}

const char16_t* CheckGlyphMaskName(uint32_t Style, int CheckState) {
  if (CheckState == 2) return u"BOXGRAYED";
  if (ButtonKindOf(Style) == bkRadio) return CheckState == 1 ? u"RADIOCHECKED" : u"RADIOUNCHECKED";
  return CheckState == 1 ? u"BOXCHECKED" : u"BOXUNCHECKED";
}

fw::TRect CheckGlyphRect(int W, int H, int Gw, int Gh, uint32_t Style) {
  const int y = (H - Gh) / 2;
  const int x = (Style & kLeftText) ? W - Gw : 0;
  return fw::Rect(x, y, x + Gw, y + Gh);
}

TkCheckText CheckTextPlace(int W, int H, int Cw, int Tw, int Th, uint32_t Style, uint32_t ExStyle) {
  const bool multi = (Style & kMultiLine) != 0;
  const int y = std::max((H - Th) / 2, 0);
  TkCheckText t;
  t.Flags = multi ? kWordBreak : kSingleLine;
  if (!(Style & kLeftText)) {
    t.R = fw::Rect(Cw + 4, y - 1, Cw + 4 + Tw, H - y - 1);
    if (multi) {
      --t.R.Left;
      --t.R.Right;
    }
  } else if (ExStyle & kRtlReading) {
    const int right = W - Cw - 6;
    t.R = fw::Rect(right - Tw, y, right, H - y);
    t.Flags |= kDtRtlReading | (multi ? 0 : kRight);
  } else {
    t.R = fw::Rect(2, y, Tw + 2, H - y);
  }
  return t;
}

fw::TRect GroupCaptionRect(int W, int Tw, int Th, uint32_t ExStyle) {
  fw::TRect r;
  r.Left = (ExStyle & kRtlReading) ? W - Tw - 14 : 6;
  r.Top = 0;
  r.Bottom = std::max(4, Th) + 2;
  r.Right = r.Left + Tw + 8;
  if (r.Right > W) r.Right = W - 1;
  return r;
}

}  // namespace skin
