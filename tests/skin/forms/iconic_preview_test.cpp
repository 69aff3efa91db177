// The taskbar thumbnail and live preview answers with a desktop window
// manager of the test's own: the size handed over, failure reported as
// failure, and the request mark gone afterwards either way.
#include "skin/forms/iconic_preview.h"

#include <gtest/gtest.h>

#include "skin/engine/bitmap_dc.h"
#include "skin/forms/fake_dwm.h"
#include "skin/forms/layered_recorder.h"

namespace skin {
namespace {

struct Host : TkcMinAnimHost {
  skintest::TCountingWindow w{150, 120, 260, 180};
  ~Host() override { FormTimer.reset(); }
  HWND FormWindow() const override { return w.wnd; }
  std::unique_ptr<fw::TBitmap> MakeFormImage() override { return NewBitmap32(260, 180); }
};

struct SizeRecordingDwm : skintest::TFakeDwm {
  using skintest::TFakeDwm::TFakeDwm;
  SIZE last{0, 0};
  bool SetIconicThumbnail(HWND, HBITMAP b) override {
    BITMAP bm{};
    GetObjectW(b, sizeof bm, &bm);
    last = SIZE{bm.bmWidth, bm.bmHeight};
    return thumbnailResult;
  }
};

TEST(IconicPreview, ThumbnailFittedAndFailureClearsTheMark) {
  SizeRecordingDwm dwm(true);
  Host h;
  auto cache = NewBitmap32(400, 300);
  EXPECT_TRUE(SendIconicThumbnail(h.w.wnd, h, cache.get(), 200, 120));
  EXPECT_EQ(dwm.last.cx, 160);
  EXPECT_EQ(dwm.last.cy, 120);
  EXPECT_EQ(h.FormState & 0x800, 0u);
  dwm.thumbnailResult = false;
  EXPECT_FALSE(SendIconicThumbnail(h.w.wnd, h, cache.get(), 200, 120));
  EXPECT_EQ(h.FormState & 0x800, 0u) << "cleared also when the manager refuses";
  EXPECT_FALSE(SendIconicThumbnail(h.w.wnd, h, cache.get(), 0, 120));
  EXPECT_FALSE(SendIconicThumbnail(h.w.wnd, h, nullptr, 200, 120));
  EXPECT_FALSE(SendLivePreviewBitmap(h.w.wnd, h, cache.get()));
  dwm.thumbnailResult = true;
  EXPECT_TRUE(SendLivePreviewBitmap(h.w.wnd, h, cache.get()));
}

TEST(IconicPreview, NothingBelowVersionSix) {
  skintest::TFakeDwm dwm(true, 5);
  Host h;
  auto cache = NewBitmap32(400, 300);
  EXPECT_FALSE(SendIconicThumbnail(h.w.wnd, h, cache.get(), 200, 120));
  EXPECT_FALSE(SendLivePreviewBitmap(h.w.wnd, h, cache.get()));
}

}  // namespace
}  // namespace skin
