// The title-button fade on real windows: the alpha of each upload while a
// button glows in and out, where the glow window lies, that the mouse goes
// through it, that leaving the button is noticed, and that stopping the
// fade leaves nothing behind.
#include "skin/forms/title_glow.h"

#include <gtest/gtest.h>

#include "skin/engine/bitmap_dc.h"
#include "skin/synthetic_skin.h"
#include "skin/forms/layered_recorder.h"
#include "tests/fw/controls_test_util.h"

namespace skin {
namespace {

using skintest::kGlowMargin;
using skintest::kGlowSize;
using skintest::kTitleBtnSize;

// An opaque pixel (0xAARRGGBB) as the layered window gets it: premultiplied.
uint32_t Pm(uint32_t p) {
  auto c = [&](int shift) { return (((p >> shift) & 0xFF) * 255 >> 8) << shift; };
  return (p & 0xFF000000u) | c(16) | c(8) | c(0);
}

struct GlowFixture : TkcTitleGlowOwner {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  skintest::TCountingWindow owner{100, 100, 300, 200};
  TkCaptionButton close, min, help;
  bool iconic = false;
  GlowFixture() {
    skintest::AddTitleButtonMasks(*skin);
    close.HitCode = HTCLOSE;
    close.ImageIndex = skin->ConstData.MaskCloseBtn;
    close.Rect = fw::Bounds(260, 4, kTitleBtnSize, kTitleBtnSize);
    min.HitCode = HTMINBUTTON;
    min.ImageIndex = skin->ConstData.MaskMinBtn;
    min.Rect = fw::Bounds(218, 4, kTitleBtnSize, kTitleBtnSize);
    help.HitCode = HTHELP;
    help.ImageIndex = skin->ConstData.MaskMaxBtn;
    help.Rect = fw::Bounds(180, 4, kTitleBtnSize, kTitleBtnSize);
    SetForegroundWindow(owner.wnd);
    fwtest::Pump(0);
  }
  ~GlowFixture() override {
    StopTitleButtonAnimation(close);
    StopTitleButtonAnimation(min);
    StopTitleButtonAnimation(help);
  }
  HWND GlowOwnerWindow() const override { return owner.wnd; }
  TkLoadedSkin* GlowSkin() const override { return skin.get(); }
  bool OwnerIconic() const override { return iconic; }
  RECT OwnerRect() const {
    RECT r{};
    GetWindowRect(owner.wnd, &r);
    return r;
  }
  // Runs the fade's ticks by hand.
  void Ticks(TkCaptionButton& b, int n) {
    for (int i = 0; i < n && b.Timer; ++i) b.Timer->OnAnimTimer();
  }
  void CursorOver(const TkCaptionButton& b) {
    const RECT r = OwnerRect();
    SetCursorPos(r.left + b.Rect.Left + 5, r.top + b.Rect.Top + 5);
  }
};

TEST(TitleGlow, HoverFadesTheGlowPictureInAndLeaveFadesItOut) {
  GlowFixture f;
  f.CursorOver(f.close);
  skintest::TLayeredRecorder rec;
  AnimateTitleButton(f.close, 1, 10, true, &f, nullptr);
  ASSERT_NE(f.close.Timer, nullptr);
  TkcSBAnimation* a = f.close.Timer;
  a->SetEnabled(false);  // the test ticks by hand
  f.Ticks(f.close, 12);
  ASSERT_TRUE(a->AForm);
  const HWND glow = a->AForm->Handle();
  EXPECT_EQ(rec.AlphasOf(glow), (std::vector<int>{25, 50, 75, 100, 125, 150, 175, 200, 225, 255}));
  // The glow picture reaches its margin beyond the button's corner.
  const RECT r = f.OwnerRect();
  ASSERT_FALSE(rec.uploads.empty());
  EXPECT_EQ(rec.uploads.back().Pos.x, r.left + f.close.Rect.Left - kGlowMargin);
  EXPECT_EQ(rec.uploads.back().Pos.y, r.top + f.close.Rect.Top - kGlowMargin);
  EXPECT_EQ(rec.uploads.back().Size.cx, kGlowSize);
  EXPECT_EQ(rec.uploads.back().Size.cy, kGlowSize);
  // Its pixels are the glow picture's.
  EXPECT_EQ(View32(*a->ABmp).Pixel(kGlowSize / 2, kGlowSize / 2), Pm(0xFFF0F030u));
  rec.uploads.clear();
  AnimateTitleButton(f.close, 0, 10, false, &f, nullptr);
  a->SetEnabled(false);
  f.Ticks(f.close, 11);
  EXPECT_EQ(rec.AlphasOf(glow), (std::vector<int>{250, 225, 200, 175, 150, 125, 100, 75, 50, 25}));
  EXPECT_FALSE(a->AForm) << "the window goes at the end of the fade-out";
  EXPECT_FALSE(IsWindow(glow));
  EXPECT_EQ(a->Fade.CurrentState, -1);
  EXPECT_FALSE(a->Enabled());
}

TEST(TitleGlow, PressShowsTheButtonsOwnPressedImageAtOnce) {
  GlowFixture f;
  f.CursorOver(f.close);
  skintest::TLayeredRecorder rec;
  f.close.State = 2;
  AnimateTitleButton(f.close, 2, 1, true, &f, nullptr);
  TkcSBAnimation* a = f.close.Timer;
  ASSERT_TRUE(a && a->AForm);
  EXPECT_FALSE(a->Enabled()) << "one step needs no timer";
  EXPECT_EQ(rec.AlphasOf(a->AForm->Handle()), (std::vector<int>{255}));
  EXPECT_EQ(rec.uploads.back().Size.cx, kTitleBtnSize);
  // Pressed state image (colour + 2, premultiplied at full alpha).
  EXPECT_EQ(View32(*a->ABmp).Pixel(10, 10), Pm(0xFFC22020u));
}

TEST(TitleGlow, ButtonsWithoutGlowPictureFadeTheirHotImage) {
  GlowFixture f;
  f.CursorOver(f.help);
  skintest::TLayeredRecorder rec;
  f.help.State = 1;
  AnimateTitleButton(f.help, 1, 10, true, &f, nullptr);
  TkcSBAnimation* a = f.help.Timer;
  ASSERT_TRUE(a && a->AForm);
  EXPECT_EQ(a->Offset(), 0);
  const RECT r = f.OwnerRect();
  EXPECT_EQ(rec.uploads.back().Pos.x, r.left + f.help.Rect.Left);
  EXPECT_EQ(rec.uploads.back().Size.cx, kTitleBtnSize);
  EXPECT_EQ(View32(*a->ABmp).Pixel(10, 10), Pm(0xFF21C020u)) << "the maximise mask's hot image";
}

TEST(TitleGlow, IconicMinimizeButtonShowsTheRestoreImage) {
  GlowFixture f;
  f.iconic = true;
  f.CursorOver(f.min);
  f.min.State = 2;
  AnimateTitleButton(f.min, 2, 1, true, &f, nullptr);
  ASSERT_TRUE(f.min.Timer && f.min.Timer->ABmp);
  EXPECT_EQ(View32(*f.min.Timer->ABmp).Pixel(10, 10), Pm(0xFFA2A020u));
}

TEST(TitleGlow, GlowWindowLetsTheMouseThroughAndTakesNoActivation) {
  GlowFixture f;
  f.CursorOver(f.close);
  f.close.State = 2;
  AnimateTitleButton(f.close, 2, 1, true, &f, nullptr);
  ASSERT_TRUE(f.close.Timer && f.close.Timer->AForm);
  const HWND glow = f.close.Timer->AForm->Handle();
  fwtest::Pump(50);
  const LONG_PTR ex = GetWindowLongPtrW(glow, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
  EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
  EXPECT_TRUE(IsWindowVisible(glow));
  const RECT r = f.OwnerRect();
  const POINT p{r.left + f.close.Rect.Left + 10, r.top + f.close.Rect.Top + 10};
  EXPECT_EQ(WindowFromPoint(p), f.owner.wnd);
  EXPECT_EQ(GetActiveWindow(), f.owner.wnd);
}

TEST(TitleGlow, LeavingAfterFullStrengthIsReportedOnce) {
  GlowFixture f;
  f.CursorOver(f.close);
  AnimateTitleButton(f.close, 1, 2, true, &f, nullptr);
  TkcSBAnimation* a = f.close.Timer;
  a->SetEnabled(false);
  f.Ticks(f.close, 1);
  EXPECT_EQ(f.owner.Count(WM_MOUSELEAVE), 0);
  const RECT r = f.OwnerRect();
  SetCursorPos(r.left + 20, r.top + 100);
  ASSERT_TRUE(fwtest::PumpUntil([&] {
    POINT p{};
    GetCursorPos(&p);
    return p.x == r.left + 20;
  }));
  a->Fade.Running = true;
  f.Ticks(f.close, 3);
  EXPECT_EQ(f.owner.Count(WM_MOUSELEAVE), 1);
  EXPECT_FALSE(a->Enabled());
  EXPECT_FALSE(a->Fade.Running);
}

TEST(TitleGlow, StoppingFreesWindowAndClearsTheButton) {
  GlowFixture f;
  f.CursorOver(f.close);
  AnimateTitleButton(f.close, 1, 10, true, &f, nullptr);
  ASSERT_TRUE(f.close.Timer && f.close.Timer->AForm);
  const HWND glow = f.close.Timer->AForm->Handle();
  StopTitleButtonAnimation(f.close);
  EXPECT_EQ(f.close.Timer, nullptr);
  EXPECT_FALSE(IsWindow(glow));
  // An owner freed with its fades leaves no dangling button either.
  auto* owner = new fw::TComponent(nullptr);
  AnimateTitleButton(f.close, 1, 10, true, &f, owner);
  ASSERT_NE(f.close.Timer, nullptr);
  delete owner;
  EXPECT_EQ(f.close.Timer, nullptr);
}

}  // namespace
}  // namespace skin
