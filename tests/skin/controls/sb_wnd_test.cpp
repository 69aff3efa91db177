// The scroll-bar window adapter: a framework scroll bar named in the
// scroll-bar class list is painted whole from the skin, its slider where
// the control's position puts it (a vertical bar at its end right above
// its second arrow), no slider while disabled; an arrow pressed through the
// system's own tracking scrolls the control and leaves no pressed part and
// none of the system's look behind.
#include "skin/controls/sb_wnd.h"

#include <gtest/gtest.h>

#include "fw/controls_test_util.h"
#include "skin/controls/adapter_factory.h"
#include "skin/engine/skin_messages.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;
using namespace skintest;

namespace {

struct BarOnForm {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticScrollSkin();
  fwtest::TestForm form{300, 300};
  fw::TScrollBar* bar;
  TkcSBWnd* a = nullptr;
  explicit BarOnForm(fw::TScrollBarKind kind) {
    bar = new fw::TScrollBar(form.form);
    bar->SetKind(kind);
    bar->SetParent(form.form);
    if (kind == fw::sbHorizontal)
      bar->SetBounds(10, 10, 200, 17);
    else
      bar->SetBounds(10, 10, 17, 200);
    bar->SetParams(0, 0, 100);
    bar->SetPageSize(10);
    form->Show();
    fwtest::Pump();
    a = dynamic_cast<TkcSBWnd*>(MakeListAdapter(tlScrollBar, bar, [this] { return skin.get(); }, TkcSkinParams{}));
  }
  ~BarOnForm() { delete a; }
  // What the control shows, along its axis at the middle of its thickness.
  std::vector<fw::TColor> Along() {
    const bool v = bar->Kind() == fw::sbVertical;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, bar->Width(), bar->Height());
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    SendMessageW(bar->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    std::vector<fw::TColor> result;
    for (int i = 0; i < 200; ++i) result.push_back(fw::TColor(v ? GetPixel(dc, 8, i) : GetPixel(dc, i, 8)));
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return result;
  }
};

bool Is(fw::TColor c, fw::TColor part) { return c == part || c == Hot(part); }

// Where the slider's colour is along the bar: first and last pixel.
std::pair<int, int> SliderSpan(const std::vector<fw::TColor>& px) {
  int first = -1, last = -1;
  for (int i = 0; i < int(px.size()); ++i)
    if (Is(px[i], kThumb)) {
      if (first < 0) first = i;
      last = i;
    }
  return {first, last};
}

}  // namespace

TEST(SBWnd, PaintsTheWholeControlFromTheSkin) {
  BarOnForm f(fw::sbHorizontal);
  ASSERT_NE(f.a, nullptr);
  EXPECT_EQ(SendMessageW(f.bar->Handle(), WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0), 1);
  std::vector<fw::TColor> px = f.Along();
  EXPECT_TRUE(Is(px[2], kArrow1)) << std::hex << px[2];
  EXPECT_TRUE(Is(px[197], kArrow2)) << std::hex << px[197];
  const fw::TRect slider = f.a->SliderRect();
  EXPECT_EQ(slider.Left, f.a->Btn1Rect().Right) << "at the start";
  EXPECT_GE(slider.Width(), 16) << "about a tenth of the track";
  EXPECT_LE(slider.Width(), 18) << "about a tenth of the track";
  EXPECT_EQ(SliderSpan(px), (std::pair<int, int>{slider.Left, slider.Right - 1}));
  EXPECT_TRUE(Is(px[100], kTrack2)) << "the track after the slider";

  f.bar->SetPosition(50);
  px = f.Along();
  auto [first, last] = SliderSpan(px);
  EXPECT_EQ(f.a->FCurrPos, 50);
  EXPECT_GT(first, 90);
  EXPECT_LT(last, 120);
  EXPECT_TRUE(Is(px[40], kTrack1)) << "the track before the slider";

  f.bar->SetEnabled(false);
  px = f.Along();
  EXPECT_EQ(SliderSpan(px).first, -1) << "no slider while disabled";
}

TEST(SBWnd, AVerticalBarAtItsEndSitsRightAboveItsSecondArrow) {
  BarOnForm f(fw::sbVertical);
  ASSERT_NE(f.a, nullptr);
  f.bar->SetPosition(f.bar->Max() - f.bar->PageSize());
  const fw::TRect slider = f.a->SliderRect();
  EXPECT_EQ(slider.Bottom, f.a->Btn2Rect().Top);
  EXPECT_EQ(SliderSpan(f.Along()).second, slider.Bottom - 1);
}

TEST(SBWnd, AnArrowPressedThroughTheSystemsTrackingScrollsTheControl) {
  BarOnForm f(fw::sbHorizontal);
  ASSERT_NE(f.a, nullptr);
  const LPARAM at = MAKELPARAM(195, 8);
  // The release waits in the queue for the system's tracking loop.
  PostMessageW(f.bar->Handle(), WM_LBUTTONUP, 0, at);
  SendMessageW(f.bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  fwtest::Pump();
  EXPECT_EQ(f.bar->Position(), 1);
  EXPECT_EQ(f.a->FCurrPos, 1);
  for (int i = 0; i < 5; ++i) EXPECT_NE(f.a->PartState(i), 2) << "part " << i << " is not left pressed";
  const std::vector<fw::TColor> px = f.Along();
  EXPECT_TRUE(Is(px[197], kArrow2)) << "the skin's arrow, not the system's";
  EXPECT_EQ(f.a->ScrollCode, SB_ENDSCROLL);
}

TEST(SBWnd, PartStatesLeaveTheTrackHotAndTheRestNormal) {
  BarOnForm f(fw::sbHorizontal);
  ASSERT_NE(f.a, nullptr);
  f.a->SetByIndex(0, 2);
  EXPECT_EQ(f.a->PartState(0), 2);
  EXPECT_EQ(f.a->PartState(1), 0);
  EXPECT_EQ(f.a->PartState(2), 1);
  EXPECT_EQ(f.a->PartState(3), 1);
  EXPECT_EQ(f.a->PartState(4), 0);
  f.a->SetByIndex(4, 1);
  EXPECT_EQ(f.a->PartState(0), 0);
  EXPECT_EQ(f.a->PartState(4), 1);
}

// The program's own drawing locks outlast the adapter's: after a change
// made unseen the control is locked as often as before; a stray unlock
// never drives the count below none.
TEST(SBWnd, TheProgramsRedrawLocksSurviveAChange) {
  BarOnForm f(fw::sbHorizontal);
  ASSERT_NE(f.a, nullptr);
  HWND h = f.bar->Handle();
  SendMessageW(h, WM_SETREDRAW, FALSE, 0);
  SendMessageW(h, WM_SETREDRAW, FALSE, 0);
  f.bar->SetPosition(40);
  EXPECT_EQ(f.a->FLockCount, 2);
  EXPECT_FALSE(IsWindowVisible(h)) << "still locked";
  EXPECT_EQ(f.a->FCurrPos, 40);
  SendMessageW(h, WM_SETREDRAW, TRUE, 0);
  SendMessageW(h, WM_SETREDRAW, TRUE, 0);
  EXPECT_EQ(f.a->FLockCount, 0);
  EXPECT_TRUE(IsWindowVisible(h));

  SendMessageW(h, WM_SETREDRAW, TRUE, 0);
  EXPECT_EQ(f.a->FLockCount, 0) << "an unlock without a lock";
  f.bar->SetPosition(60);
  EXPECT_EQ(f.a->FLockCount, 0);
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_EQ(f.a->FCurrPos, 60);
}
