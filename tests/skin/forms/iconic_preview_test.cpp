// The taskbar thumbnail and live preview answers with a desktop window
// manager of the test's own: the size handed over, failure reported as
// failure, and the request mark gone afterwards either way.
#include "skin/forms/iconic_preview.h"

#include <gtest/gtest.h>

#include <string>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_manager.h"
#include "skin/forms/fake_dwm.h"
#include "skin/forms/layered_recorder.h"
#include "skin/forms/skinned_form.h"

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
  SIZE last{0, 0}, preview{0, 0};
  int thumbnails = 0;
  static SIZE SizeOf(HBITMAP b) {
    BITMAP bm{};
    GetObjectW(b, sizeof bm, &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
  }
  bool SetIconicThumbnail(HWND, HBITMAP b) override {
    last = SizeOf(b);
    ++thumbnails;
    return thumbnailResult;
  }
  bool SetIconicLivePreviewBitmap(HWND, HBITMAP b) override {
    preview = SizeOf(b);
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
  EXPECT_EQ(dwm.thumbnails, 2) << "the frame's image, then the form rendered with its controls";
  EXPECT_EQ(h.FormState & 0x800, 0u);
  dwm.thumbnailResult = false;
  EXPECT_FALSE(SendIconicThumbnail(h.w.wnd, h, cache.get(), 200, 120));
  EXPECT_EQ(h.FormState & 0x800, 0u) << "cleared also when the manager refuses";
  EXPECT_FALSE(SendIconicThumbnail(h.w.wnd, h, cache.get(), 0, 120));
  EXPECT_FALSE(SendIconicThumbnail(h.w.wnd, h, nullptr, 200, 120));
  EXPECT_FALSE(SendLivePreviewBitmap(h.w.wnd, h, cache.get()));
  dwm.thumbnailResult = true;
  EXPECT_TRUE(SendLivePreviewBitmap(h.w.wnd, h, cache.get()));
  EXPECT_EQ(dwm.preview.cx, 260) << "a rendering of the form, not the frame's image";
  EXPECT_EQ(dwm.preview.cy, 180);
}

TEST(IconicPreview, NothingBelowVersionSix) {
  skintest::TFakeDwm dwm(true, 5);
  Host h;
  auto cache = NewBitmap32(400, 300);
  EXPECT_FALSE(SendIconicThumbnail(h.w.wnd, h, cache.get(), 200, 120));
  EXPECT_FALSE(SendLivePreviewBitmap(h.w.wnd, h, cache.get()));
}

// Notes the taskbar requests that reach the form's own procedure.
struct RequestLog {
  fw::TWndMethod old;
  int seen = 0;
  void Proc(fw::TMessage& m) {
    if (m.Msg == WM_DWMSENDICONICTHUMBNAIL || m.Msg == WM_DWMSENDICONICLIVEPREVIEWBITMAP) ++seen;
    old(m);
  }
};

TEST(IconicPreview, ASkinnedFormAnswersTheTaskbarOnlyWhileTheSwitchIsOn) {
  skintest::TFakeDwm dwm(true);
  std::unique_ptr<TkLoadedSkin> skin = StoredProgramSkin(0);
  RequestLog log;  // outlives the form, which sends through it to the end
  fwtest::TestForm form(300, 200);
  log.old = form->WindowProc();
  form->SetWindowProc(fw::TWndMethod(&log, &RequestLog::Proc));
  auto* provider = new TkSkinProvider(form.form);
  provider->SetSkin(skin.get());
  form->Show();
  ASSERT_TRUE(fwtest::PumpUntil([&] { return provider->BuildCount() > 0; }, 20000));
  const HWND wnd = form->Handle();
  // Off in this program: both requests end with 0.
  EXPECT_EQ(SendMessageW(wnd, WM_DWMSENDICONICTHUMBNAIL, 0, MAKELPARAM(120, 200)), 0);
  EXPECT_EQ(SendMessageW(wnd, WM_DWMSENDICONICLIVEPREVIEWBITMAP, 0, 0), 0);
  IconicPreviewsEnabled = true;
  EXPECT_EQ(SendMessageW(wnd, WM_DWMSENDICONICTHUMBNAIL, 0, MAKELPARAM(120, 200)), 1);
  EXPECT_EQ(SendMessageW(wnd, WM_DWMSENDICONICTHUMBNAIL, 0, MAKELPARAM(0, 200)), 0) << "no height asked";
  EXPECT_EQ(SendMessageW(wnd, WM_DWMSENDICONICLIVEPREVIEWBITMAP, 0, 0), 1);
  dwm.thumbnailResult = false;
  EXPECT_EQ(SendMessageW(wnd, WM_DWMSENDICONICTHUMBNAIL, 0, MAKELPARAM(120, 200)), 0) << "refused";
  IconicPreviewsEnabled = false;
  EXPECT_EQ(log.seen, 0) << "the form's own procedure never sees them";
}

// Minimizing hands the taskbar to the form's own images and restoring
// gives them back, only while the switch is on; the old images are dropped
// on every minimize, also when the manager's animation is off.
TEST(IconicPreview, MinimizeAndRestoreSwitchTheTaskbarImages) {
  std::unique_ptr<TkLoadedSkin> skin = StoredProgramSkin(0);
  struct Case {
    bool on, animation;
  };
  for (Case c : {Case{true, true}, Case{false, true}, Case{true, false}}) {
    SCOPED_TRACE(std::string(c.on ? "switch on" : "switch off") + (c.animation ? ", animated" : ", not animated"));
    skintest::TFakeDwm dwm(true);
    TkSkinManager manager{nullptr};
    manager.AnimEffects()->Minimizing.Active = c.animation;
    fwtest::TestForm form(300, 200);
    auto* provider = new TkSkinProvider(form.form);
    provider->SetManager(&manager);
    provider->SetSkin(skin.get());
    form->Show();
    ASSERT_TRUE(fwtest::PumpUntil([&] { return provider->BuildCount() > 0; }, 20000));
    const HWND bar = FormTaskbarWindow(form->Handle());
    ASSERT_NE(bar, nullptr);
    IconicPreviewsEnabled = c.on;
    provider->StartMinimizeAnimation();
    const auto iconic = dwm.iconic;
    const auto invalidated = dwm.invalidated;
    provider->StartRestoreAnimation();
    IconicPreviewsEnabled = false;
    if (!c.on) {
      EXPECT_TRUE(dwm.iconic.empty());
      EXPECT_EQ(dwm.invalidated, (std::vector<HWND>{bar})) << "only the old images dropped";
      continue;
    }
    ASSERT_EQ(iconic.size(), 1u);
    EXPECT_EQ(iconic[0].wnd, bar);
    EXPECT_TRUE(iconic[0].enable);
    EXPECT_EQ(invalidated, (std::vector<HWND>{bar, bar}));
    if (c.animation) {
      ASSERT_EQ(dwm.iconic.size(), 2u);
      EXPECT_EQ(dwm.iconic[1].wnd, bar);
      EXPECT_FALSE(dwm.iconic[1].enable) << "restoring gives the taskbar its own images back";
      EXPECT_EQ(dwm.invalidated.size(), 3u);
    } else {
      EXPECT_EQ(dwm.iconic.size(), 1u) << "no restore animation, nothing given back";
    }
  }
}

}  // namespace
}  // namespace skin
