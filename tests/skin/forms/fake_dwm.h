// A desktop window manager of the tests' own: composition on or off as the
// test says, and the blur, iconic switch and invalidation calls recorded. Also fixes the Windows
// version the skinning sees. Both are put back at the end.
#pragma once

#include <windows.h>

#include <vector>

#include "skin/engine/kconst.h"
#include "skin/forms/dwm_link.h"

namespace skintest {

class TFakeDwm : public skin::TkDwmLink {
 public:
  explicit TFakeDwm(bool composition, int version = 10)
      : composition_(composition), oldVersion_(skin::WindowsMajorVersion), old_(skin::SetDwmLink(this)) {
    skin::WindowsMajorVersion = version;
  }
  ~TFakeDwm() override {
    skin::SetDwmLink(old_);
    skin::WindowsMajorVersion = oldVersion_;
  }
  bool CompositionEnabled() override { return composition_; }
  bool EnableBlurBehind(HWND wnd, bool enable, HRGN) override {
    blur.push_back({wnd, enable});
    return true;
  }
  bool SetIconicThumbnail(HWND, HBITMAP) override { return thumbnailResult; }
  bool SetIconicLivePreviewBitmap(HWND, HBITMAP) override { return thumbnailResult; }
  bool InvalidateIconicBitmaps(HWND wnd) override {
    invalidated.push_back(wnd);
    return true;
  }
  bool SetHasIconicBitmap(HWND wnd, bool flag) override {
    iconic.push_back({wnd, flag});
    return true;
  }

  struct TBlur {
    HWND wnd;
    bool enable;
  };
  std::vector<TBlur> blur;
  std::vector<TBlur> iconic;  // the windows' iconic bitmap switch
  std::vector<HWND> invalidated;
  bool thumbnailResult = true;

 private:
  bool composition_;
  int oldVersion_;
  skin::TkDwmLink* old_;
};

}  // namespace skintest
