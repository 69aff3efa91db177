#include "skin/engine/background_request.h"

#include "fw/graphics/gdi_handles.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"

namespace skin {

fw::TColor (*DefaultSkinMainColor)() = nullptr;

namespace {

void StartRequest(TkcBackgroundInfo& info, bool pleaseDraw) {
  info.BgType = btUnknown;
  info.PleaseDraw = pleaseDraw;
  info.FillRect = fw::TRect{};
}

// Runs paint(erase, paint messages) with the DC moved to the asker's place
// and clipped to the wanted area; the DC comes back as it was.
template <class Send>
void DrawInto(const TkcBackgroundInfo& info, const Send& send) {
  if (!info.DrawDC) return;
  fw::TSavedDC saved(info.DrawDC);
  const fw::TPoint o = info.Offset;
  OffsetViewportOrgEx(info.DrawDC, -o.x, -o.y, nullptr);
  IntersectClipRect(info.DrawDC, info.R.Left + o.x, info.R.Top + o.y, info.R.Right + o.x, info.R.Bottom + o.y);
  const WPARAM dc = reinterpret_cast<WPARAM>(info.DrawDC);
  send(WM_ERASEBKGND, dc, static_cast<LPARAM>(dc));
  send(WM_PAINT, dc, 0);
}

}  // namespace

bool RequestBackgroundWnd(TkcBackgroundInfo& info, HWND wnd, bool pleaseDraw) {
  StartRequest(info, pleaseDraw);
  SendMessageW(wnd, WM_SKINCOMMAND, SkinCommand(SKC_GETBGINFO), reinterpret_cast<LPARAM>(&info));
  if (info.BgType != btUnknown) return true;
  if (pleaseDraw) {
    DrawInto(info, [&](UINT msg, WPARAM w, LPARAM l) { SendMessageW(wnd, msg, w, l); });
    return false;
  }
  info.Color = DefaultSkinMainColor ? DefaultSkinMainColor() : fw::clBtnFace;
  info.BgType = btFill;
  return false;
}

bool RequestBackground(TkcBackgroundInfo& info, fw::TControl* control, bool pleaseDraw) {
  info.Bmp = nullptr;
  StartRequest(info, pleaseDraw);
  if (!control) return true;
  auto* win = dynamic_cast<fw::TWinControl*>(control);
  const HWND wnd = win && win->HandleAllocated() ? win->Handle() : nullptr;
  const auto send = [&](UINT msg, WPARAM w, LPARAM l) {
    return wnd ? SendMessageW(wnd, msg, w, l) : control->Perform(msg, w, l);
  };
  send(WM_SKINCOMMAND, SkinCommand(SKC_GETBGINFO), reinterpret_cast<LPARAM>(&info));
  if (info.BgType != btUnknown) return true;
  if (pleaseDraw) {
    DrawInto(info, send);
    return true;
  }
  info.BgType = btFill;
  const auto answer = static_cast<fw::TColor>(send(WM_SKINCOMMAND, SkinCommand(SKC_GETBGCOLOR), 0));
  info.Color = answer != 0 ? answer : fw::ColorToRGB(control->Color());
  return true;
}

TCacheInfo BgInfoToCacheInfo(const TkcBackgroundInfo& info) {
  const TPixelView32 bmp = info.Bmp ? View32(*info.Bmp) : TPixelView32{};
  if (info.BgType == btCache) return MakeCacheInfo(bmp, info.Offset.x, info.Offset.y);
  TCacheInfo ci;
  ci.Bmp = bmp;
  ci.X = info.Offset.x;
  ci.Y = info.Offset.y;
  ci.FillColor = static_cast<uint32_t>(fw::ColorToRGB(info.Color));
  ci.FillRect = info.FillRect;
  ci.Ready = false;
  return ci;
}

}  // namespace skin
