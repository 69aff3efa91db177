#include "skin/forms/frame_facts.h"

namespace skin {

const TkSystemFrameMetrics& SystemFrameMetrics() {
  static const TkSystemFrameMetrics m{GetSystemMetrics(SM_CXFRAME),   GetSystemMetrics(SM_CXDLGFRAME),
                                      GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYSMCAPTION),
                                      GetSystemMetrics(SM_CYMENU),    GetSystemMetrics(SM_CYHSCROLL)};
  return m;
}

TkFormFrameFacts WindowFrameFacts(HWND wnd, TkFrameStyle style) {
  TkFormFrameFacts f;
  f.Metrics = SystemFrameMetrics();
  f.BorderStyle = style;
  f.Style = static_cast<uint32_t>(GetWindowLongW(wnd, GWL_STYLE));
  f.Iconic = IsIconic(wnd);
  f.Zoomed = IsZoomed(wnd);
  RECT w{}, c{};
  GetWindowRect(wnd, &w);
  GetClientRect(wnd, &c);
  f.Width = w.right - w.left;
  f.Height = w.bottom - w.top;
  f.ClientWidth = c.right - c.left;
  f.ClientHeight = c.bottom - c.top;
  return f;
}

}  // namespace skin
