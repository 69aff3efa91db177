#include "skin/forms/window_region.h"

namespace skin {

HRGN MakeSkinRegion(const std::vector<fw::TRect>& cutouts, int width, int height, int x, int y) {
  HRGN region = CreateRectRgn(x, y, x + width, y + height);
  for (const fw::TRect& r : cutouts) {
    HRGN cut = CreateRectRgn(r.Left + x, r.Top + y, r.Right + x, r.Bottom + y);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
  }
  return region;
}

HRGN FormWindowRegion(const TkFormFrameFacts& f, const std::vector<fw::TRect>& cutouts, bool maxSizeLimited) {
  if (f.BorderForm) {
    const int frame = FrameWidthOf(f, false);
    return CreateRectRgn(frame, frame + SystemCaptionHeight(f), f.Width - frame, f.Height - frame);
  }
  if (f.Zoomed && !maxSizeLimited && !f.MdiChild) {
    const int fw = FrameWidthOf(f, false), fh = FrameHeightOf(f, false);
    return CreateRectRgn(fw, fh, f.Width - fw, f.Height - fh);
  }
  return MakeSkinRegion(cutouts, CaptionWidth(f), f.Height, 0, 0);
}

}  // namespace skin
