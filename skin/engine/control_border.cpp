#include "skin/engine/control_border.h"

#include <algorithm>

#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/mask_paint.h"

namespace skin {

namespace {

// The parent's answer for the whole owner, the image offset relative to the
// parent (the owner's place not yet added). False when there is no parent.
bool AskParent(fw::TControl* owner, TkcBackgroundInfo& info) {
  info.R = fw::Rect(0, 0, owner->Width(), owner->Height());
  if (owner->Parent()) return RequestBackground(info, owner->Parent(), false), true;
  auto* win = dynamic_cast<fw::TWinControl*>(owner);
  if (!win || !win->HandleAllocated()) return false;
  const HWND parent = GetParent(win->Handle());
  if (!parent) return false;
  RequestBackgroundWnd(info, parent, false);
  return true;
}

}  // namespace

void RepaintBorderCorners(const TControlBorderSource& s, int state, int corners) {
  if (!s.Skin || !s.Skin->IsValidImgIndex(s.BorderIndex) || !s.Cache || !s.Owner) return;
  const TkMaskData& mask = s.Skin->ma[s.BorderIndex];
  if (mask.CornerType == 0) return;
  TkcBackgroundInfo info;
  if (!AskParent(s.Owner, info)) return;
  TCacheInfo ci = BgInfoToCacheInfo(info);
  if (info.BgType == btCache) {
    ci.X += s.Owner->Left();
    ci.Y += s.Owner->Top();
  }
  GdiFlush();
  RepaintBorderCorners(View32(*s.Cache), mask, MaskSourceView(*s.Skin, mask), state, corners, ci);
}

void PaintControlBorder(HDC dc, const fw::TRect& r, int extraWidth, fw::TRect& clientRect, int state,
                        const TControlBorderSource& s) {
  if (!s.Skin || !s.Owner) return;
  const fw::TColor colour = fw::ColorToRGB(s.BgColor);
  TkcBackgroundInfo info;
  const bool asked = s.Owner->Parent() && AskParent(s.Owner, info);
  if (!s.Skin->IsValidImgIndex(s.BorderIndex)) {
    if (extraWidth != 0) SolidFillFrameDC(dc, r, extraWidth, extraWidth, extraWidth, extraWidth, colour);
    return;
  }
  if (!s.Cache) return;
  TkLoadedSkin& skin = *s.Skin;
  const TkMaskData& mask = skin.ma[s.BorderIndex];
  if (skin.IsValidSkinIndex(s.SkinIndex)) state = std::min(state, skin.gd[s.SkinIndex].States - 1);
  state = std::max(state, 0);
  const int wl = skin.MaskWidthLeft(s.BorderIndex), wt = skin.MaskWidthTop(s.BorderIndex);
  const int wr = skin.MaskWidthRight(s.BorderIndex), wb = skin.MaskWidthBottom(s.BorderIndex);
  const HDC cacheDC = s.Cache->Canvas()->Handle();
  if (mask.MaskType == 1) {
    if (asked && info.BgType == btCache && info.Bmp) {
      CopyBorderStrips(cacheDC, r.Left, r.Top, r.Width(), r.Height(), info.Bmp->Canvas()->Handle(),
                       s.Owner->Left() + info.Offset.x + r.Left, s.Owner->Top() + info.Offset.y + r.Top,
                       std::max({wl, wt, wr, wb}));
    } else {
      SolidFillFrameDC(cacheDC, r, wl, wt, wr, wb, colour);
    }
  }
  GdiFlush();
  TCacheInfo ci = asked ? BgInfoToCacheInfo(info) : TCacheInfo{};
  if (!asked) ci.FillColor = static_cast<uint32_t>(colour);
  ci.X += s.Owner->Left();
  ci.Y += s.Owner->Top();
  const TPixelView32 cache = View32(*s.Cache);
  DrawMaskRect(cache, r, ci, mask, MaskSourceView(skin, mask), state, true);
  clientRect = fw::Rect(r.Left + wl, r.Top + wt, r.Right - wr, r.Bottom - wb);
  if (extraWidth == 0) return;
  const int w = r.Width(), h = r.Height();
  FillFrameAlpha(cache, clientRect, std::max(std::min(extraWidth, w - wr) - wl, 0),
                 std::max(std::min(extraWidth, h - wb) - wt, 0), std::max(std::min(extraWidth, w - wl) - wr, 0),
                 std::max(std::min(extraWidth, h - wt) - wb, 0), static_cast<uint32_t>(colour));
  clientRect = fw::Rect(r.Left + extraWidth, r.Top + extraWidth, r.Right - extraWidth, r.Bottom - extraWidth);
  clientRect.Right = std::max(clientRect.Right, clientRect.Left);
  clientRect.Bottom = std::max(clientRect.Bottom, clientRect.Top);
  if (dc != cacheDC) CopyBorderStrips(dc, r.Left, r.Top, w, h, cacheDC, r.Left, r.Top, extraWidth);
}

}  // namespace skin
