// The capture component end to end: each capture mode runs its modal
// selection window, which a driver thread plays mouse and key messages to,
// over the known pattern on the screen. Each capture runs in Attempt (see
// capture_test_util.h): the screen and the clipboard are shared with other
// test programs.
#include <gtest/gtest.h>

#include <functional>

#include "capture/asg_capture.h"
#include "capture/capture_desktop.h"
#include "capture_test_util.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "fw/platform/clipboard.h"
#include "fw/system/screen.h"

using namespace fw;
using namespace capture;
using namespace capturetest;

namespace {

constexpr int PL = kPatternLeft, PT = kPatternTop;

class ScreenCapture : public PatternTest {
 protected:
  void SetUp() override {
    PatternTest::SetUp();
    cap = std::make_unique<TASGScreenCapture>(nullptr);
    cap->SetDelay(0);
    cap->SetMinimize(false);
    cap->SetOnCapture(TNotifyEvent(this, &ScreenCapture::Captured));
  }
  void TearDown() override {
    cap.reset();
    PatternTest::TearDown();
    CaptureDesktopSettleTime = 500;
  }
  void Captured(TObject* Sender) {
    EXPECT_EQ(Sender, cap.get());
    ++captures;
  }
  // A capture driven by the steps played to its window.
  std::unique_ptr<TBitmap> Drive(const wchar_t* window, std::vector<Step> steps,
                                 const std::function<std::unique_ptr<TBitmap>()>& capture, bool* clean = nullptr) {
    // The real pointer waits where the selection begins, so that whatever
    // the system sends for it lands there.
    if (!steps.empty()) SetCursorPos(LOWORD(steps[0].lParam), HIWORD(steps[0].lParam));
    SelectionDriver drive(window, std::move(steps));
    auto shot = capture();
    drive.Join();
    if (clean) *clean = drive.Found() && !drive.ForcedClose();
    return shot;
  }
  static void MarkClipboard() { Clipboard().SetAsText(u"capture test marker"); }
  static bool ClipboardMarked() {
    return !Clipboard().HasFormat(CF_BITMAP) && Clipboard().AsText() == u"capture test marker";
  }
  // Size of the bitmap on the clipboard ((0, 0) when there is none).
  static TPoint ClipboardBitmapSize() {
    TBitmap b;
    if (HBITMAP h = Clipboard().GetBitmap()) b.SetHandle(h);
    return TPoint{b.Width(), b.Height()};
  }
  // Checks that shot is w x h, 32 bits per pixel, and shows the pattern from
  // the screen point (sx, sy) on.
  static void CheckShot(Checks& c, TBitmap* shot, int w, int h, int sx, int sy) {
    c.True(shot != nullptr, "a bitmap comes back");
    if (!shot) return;
    c.Eq(shot->Width(), w, "width");
    c.Eq(shot->Height(), h, "height");
    c.Eq(shot->PixelFormat(), pf32bit, "pixel format");
    if (shot->Width() == w && shot->Height() == h)
      c.Eq(PatternMismatches(shot, 0, 0, w, h, sx, sy), 0, "pixels that differ from the screen");
  }

  std::unique_ptr<TASGScreenCapture> cap;
  int captures = 0;
};

TEST_F(ScreenCapture, SelectionReturnsTheExactRectangleAndAnnouncesIt) {
  Checks c = Attempt([&](Checks& c) {
    SetForegroundWindow(pattern_->Handle());
    MarkClipboard();
    captures = 0;
    bool clean = false;
    auto shot = Drive(L"TCaptureRectForm",
                      {Press(PL + 300, PT + 200), Drag(PL + 200, PT + 120), Drag(PL + 100, PT + 50),
                       Release(PL + 100, PT + 50)},
                      [&] { return cap->CaptureSelection(); }, &clean);
    c.True(clean, "the window ended by the release");
    CheckShot(c, shot.get(), 200, 150, PL + 100, PT + 50);
    // The component keeps a copy of its own.
    c.True(shot.get() != cap->Bitmap(), "a new bitmap");
    c.Eq(cap->Bitmap()->Width(), 200, "Bitmap width");
    c.Eq(cap->Bitmap()->PixelFormat(), pf32bit, "Bitmap pixel format");
    c.Eq(captures, 1, "OnCapture calls");
    c.Eq(ClipboardBitmapSize(), (TPoint{200, 150}), "clipboard bitmap");
    // The foreground window's place relative to the selection.
    c.Eq(cap->ObjectLeft(), -100, "ObjectLeft");
    c.Eq(cap->ObjectTop(), -50, "ObjectTop");
    c.Eq(cap->ObjectWidth(), kPatternWidth, "ObjectWidth");
    c.Eq(cap->ObjectHeight(), kPatternHeight, "ObjectHeight");
  });
  EXPECT_TRUE(c.Ok()) << c.Failures();
}

TEST_F(ScreenCapture, ZeroWidthSelectionReturnsAnEmptyBitmapNotNothing) {
  cap->SetAuto(false);
  auto shot = Drive(L"TCaptureRectForm", {Press(PL + 40, PT + 40), Release(PL + 40, PT + 40)},
                    [&] { return cap->CaptureSelection(); });
  ASSERT_TRUE(shot);
  EXPECT_TRUE(shot->Empty());
  EXPECT_EQ(captures, 1);
}

TEST_F(ScreenCapture, PolygonIsWhiteOutsideTheOutlineAndLeavesClipboardAndEventAlone) {
  const int L = PL + 60, T = PT + 40;
  Checks c = Attempt([&](Checks& c) {
    MarkClipboard();
    // A diamond: the corners of its bounding box lie outside it.
    auto shot = Drive(L"TCaptureFreehandForm",
                      {Press(L + 50, T), Drag(L + 50, T), Drag(L + 100, T + 40), Drag(L + 50, T + 80),
                       Drag(L, T + 40), Release(L, T + 40)},
                      [&] { return cap->CapturePolygon(); });
    c.True(shot != nullptr, "a bitmap comes back");
    if (!shot) return;
    c.Eq(shot->Width(), 100, "width");
    c.Eq(shot->Height(), 80, "height");
    c.Eq(shot->PixelFormat(), pf32bit, "pixel format");
    if (shot->Width() != 100 || shot->Height() != 80) return;
    struct Probe {
      int x, y;
      bool inside;
    };
    for (Probe p : {Probe{50, 40, true}, Probe{50, 3, true}, Probe{10, 40, true}, Probe{85, 40, true},
                    Probe{2, 2, false}, Probe{97, 2, false}, Probe{2, 77, false}, Probe{97, 77, false}}) {
      TColor want = p.inside ? ScreenPatternColor(L + p.x, T + p.y) : clWhite;
      c.Eq(PixelOf(shot.get(), p.x, p.y), want, p.inside ? "pixel inside" : "pixel outside");
    }
    c.True(ClipboardMarked(), "the clipboard is left alone");
    c.Eq(cap->Bitmap()->Width(), 100, "Bitmap width");
  });
  EXPECT_TRUE(c.Ok()) << c.Failures();
  EXPECT_EQ(captures, 0);
}

// Every selection the user gives up with Escape returns nothing and leaves
// the component as it was: its bitmap, its Object values and box size, the
// clipboard and the event.
TEST_F(ScreenCapture, EscapeReturnsNothingAndChangesNothing) {
  ASSERT_TRUE(Drive(L"TCaptureRectForm", {Press(PL + 10, PT + 10), Drag(PL + 30, PT + 25), Release(PL + 30, PT + 25)},
                    [&] { return cap->CaptureSelection(); }));
  const TColor kept = PixelOf(cap->Bitmap(), 5, 5);
  const int objectLeft = cap->ObjectLeft(), objectTop = cap->ObjectTop();
  CaptureDesktopSettleTime = 0;
  struct Mode {
    const wchar_t* window;
    std::function<std::unique_ptr<TBitmap>()> capture;
  };
  const Mode modes[] = {
      {L"TCaptureRectForm", [&] { return cap->CaptureSelection(); }},
      {L"TCaptureFreehandForm", [&] { return cap->CapturePolygon(); }},
      {L"TCaptureObjectForm", [&] { return cap->CaptureObject(); }},
      {L"TCaptureIconForm", [&] { return cap->CaptureIcon(); }},
      {L"TCaptureSpecificRectForm", [&] { return cap->CaptureSpecificSizeSelection(50, 40); }},
      {L"TCaptureDesktopForm",
       [&] {
         cap->SetShowCursor(true);
         return cap->CaptureDesktop();
       }},
  };
  for (const Mode& m : modes) {
    const std::string name = StringToUtf8(FromW(m.window));
    Checks c = Attempt([&](Checks& c) {
      MarkClipboard();
      captures = 0;
      bool clean = false;
      // Half a selection first: Escape ends it midway.
      auto shot = Drive(m.window, {Press(PL + 100, PT + 100), Drag(PL + 150, PT + 130), Escape()}, m.capture, &clean);
      c.True(clean, "the window ended by Escape");
      c.True(!shot, "nothing comes back");
      c.True(ClipboardMarked(), "the clipboard is left alone");
    });
    EXPECT_TRUE(c.Ok()) << name << "\n" << c.Failures();
    EXPECT_EQ(captures, 0) << name;
  }
  EXPECT_EQ(cap->Bitmap()->Width(), 20);
  EXPECT_EQ(cap->Bitmap()->Height(), 15);
  EXPECT_EQ(PixelOf(cap->Bitmap(), 5, 5), kept);
  EXPECT_EQ(cap->ObjectLeft(), objectLeft);
  EXPECT_EQ(cap->ObjectTop(), objectTop);
  EXPECT_EQ(cap->BoxWidth(), 32u);
  EXPECT_EQ(cap->BoxHeight(), 32u);
}

TEST_F(ScreenCapture, WholeDesktopHasTheVirtualScreenSize) {
  cap->SetAuto(false);
  const int ox = GetSystemMetrics(SM_XVIRTUALSCREEN), oy = GetSystemMetrics(SM_YVIRTUALSCREEN);
  Checks c = Attempt([&](Checks& c) {
    auto shot = cap->CaptureWholeDesktop();
    c.True(shot != nullptr, "a bitmap comes back");
    if (!shot) return;
    c.Eq(shot->Width(), GetSystemMetrics(SM_CXVIRTUALSCREEN), "width");
    c.Eq(shot->Height(), GetSystemMetrics(SM_CYVIRTUALSCREEN), "height");
    c.Eq(shot->PixelFormat(), pf32bit, "pixel format");
    c.Eq(PatternMismatches(shot.get(), PL - ox, PT - oy, kPatternWidth, kPatternHeight, PL, PT), 0,
         "pixels that differ from the screen");
  });
  EXPECT_TRUE(c.Ok()) << c.Failures();
  EXPECT_GE(captures, 1);
}

TEST_F(ScreenCapture, MonitorCapturesTakeTheMonitorNearestTheCursorForAnUnknownNumber) {
  cap->SetAuto(false);
  cap->SetMonitorNum(5);
  const TRect monitor = Screen->MonitorFromPoint(Mouse->CursorPos())->BoundsRect();
  for (bool speed : {true, false}) {
    Checks c = Attempt([&](Checks& c) {
      auto shot = speed ? cap->SpeedCaptureDesktop() : cap->CaptureDesktop();
      c.True(shot != nullptr, "a bitmap comes back");
      if (!shot) return;
      c.Eq(shot->Width(), monitor.Width(), "width");
      c.Eq(shot->Height(), monitor.Height(), "height");
      c.Eq(PatternMismatches(shot.get(), PL - monitor.Left, PT - monitor.Top, kPatternWidth, kPatternHeight, PL, PT),
           0, "pixels that differ from the screen");
    });
    EXPECT_TRUE(c.Ok()) << (speed ? "SpeedCaptureDesktop\n" : "CaptureDesktop\n") << c.Failures();
  }
}

TEST_F(ScreenCapture, DesktopWithCursorWaitsForTheClick) {
  cap->SetAuto(false);
  cap->SetShowCursor(true);
  CaptureDesktopSettleTime = 0;
  Checks c = Attempt([&](Checks& c) {
    captures = 0;
    bool clean = false;
    auto shot = Drive(L"TCaptureDesktopForm", {Release(PL + 50, PT + 50)}, [&] { return cap->CaptureDesktop(); },
                      &clean);
    c.True(clean, "the window ended by the click");
    c.True(shot != nullptr, "a bitmap comes back");
    if (!shot) return;
    c.Eq(shot->Width(), Screen->Width(), "width");
    c.Eq(shot->Height(), Screen->Height(), "height");
    // Away from the cursor the picture is the pattern.
    c.Eq(PatternMismatches(shot.get(), PL + 100, PT + 100, 200, 150, PL + 100, PT + 100), 0,
         "pixels that differ from the screen");
    c.Eq(captures, 1, "OnCapture calls");
  });
  EXPECT_TRUE(c.Ok()) << c.Failures();
}

// The cursor is drawn into a desktop capture at its hot spot, but not when
// the hot spot lies within 16 pixels of the right or bottom edge.
TEST_F(ScreenCapture, DesktopCursorIsDrawnOnlyAwayFromTheRightAndBottomEdges) {
  cap->SetAuto(false);
  cap->SetShowCursor(true);
  struct Case {
    TPoint at;
    bool drawn;
  };
  const int right = Screen->Width();
  for (Case k : {Case{{PL + 100, PT + 100}, true}, Case{{right - 12, PT + 100}, false}}) {
    Mouse->SetCursorPos(k.at);
    Checks c = Attempt([&](Checks& c) {
      // The pattern's window shows the arrow.
      SetCursor(LoadCursorW(nullptr, IDC_ARROW));
      auto shot = cap->SpeedCaptureDesktop();
      c.True(shot != nullptr, "a bitmap comes back");
      if (!shot) return;
      // Inside a 64 x 64 square around the hot spot the cursor may show;
      // outside it the picture is the pattern.
      const TRect around = Rect(k.at.x - 32, k.at.y - 32, k.at.x + 32, k.at.y + 32);
      int inside = 0, outside = 0;
      for (int y = PT; y < PT + kPatternHeight; ++y)
        for (int x = PL; x < PL + kPatternWidth; ++x)
          if (PixelOf(shot.get(), x, y) != ScreenPatternColor(x, y)) {
            const bool in = x >= around.Left && x < around.Right && y >= around.Top && y < around.Bottom;
            ++(in ? inside : outside);
          }
      c.Eq(outside, 0, "changed pixels away from the cursor");
      c.Eq(inside > 0, k.drawn, "cursor drawn");
    });
    EXPECT_TRUE(c.Ok()) << k.at.x << "," << k.at.y << "\n" << c.Failures();
  }
}

TEST_F(ScreenCapture, ObjectTakesTheWindowClickedOn) {
  cap->SetAuto(false);
  Checks c = Attempt([&](Checks& c) {
    auto shot = Drive(L"TCaptureObjectForm", {Release(PL + 120, PT + 80)}, [&] { return cap->CaptureObject(); });
    CheckShot(c, shot.get(), kPatternWidth, kPatternHeight, PL, PT);
  });
  EXPECT_TRUE(c.Ok()) << c.Failures();
  EXPECT_GE(captures, 1);
}

TEST_F(ScreenCapture, WindowCapturesByHandleControlAndForeground) {
  cap->SetAuto(false);
  const std::function<std::unique_ptr<TBitmap>()> modes[] = {
      [&] { return cap->CaptureObjectByHWND(pattern_->Handle()); },
      [&] { return cap->CaptureObjectByTControlp(pattern_); },
      [&] {
        SetForegroundWindow(pattern_->Handle());
        return cap->CaptureActiveWindow();
      },
  };
  for (const auto& mode : modes) {
    Checks c = Attempt([&](Checks& c) {
      auto shot = mode();
      CheckShot(c, shot.get(), kPatternWidth, kPatternHeight, PL, PT);
    });
    EXPECT_TRUE(c.Ok()) << c.Failures();
  }
}

TEST_F(ScreenCapture, BoxesArePlacedByTheMouse) {
  cap->SetAuto(false);
  Checks icon = Attempt([&](Checks& c) {
    auto shot = Drive(L"TCaptureIconForm", {Hover(PL + 70, PT + 90), Release(PL + 70, PT + 90)},
                      [&] { return cap->CaptureIcon(); });
    CheckShot(c, shot.get(), 32, 32, PL + 70, PT + 90);
  });
  EXPECT_TRUE(icon.Ok()) << icon.Failures();
  Checks box = Attempt([&](Checks& c) {
    auto shot = Drive(L"TCaptureSpecificRectForm", {Hover(PL + 150, PT + 60), Release(PL + 150, PT + 60)},
                      [&] { return cap->CaptureSpecificSizeSelection(90, 55); });
    CheckShot(c, shot.get(), 90, 55, PL + 150, PT + 60);
  });
  EXPECT_TRUE(box.Ok()) << box.Failures();
  EXPECT_EQ(cap->BoxWidth(), 90u);
  EXPECT_EQ(cap->BoxHeight(), 55u);
}

TEST_F(ScreenCapture, MinimizeHidesTheApplicationDuringTheCaptureAndRestoresIt) {
  cap->SetAuto(false);
  cap->SetMinimize(true);
  cap->SetDelay(300);
  ASSERT_TRUE(WaitForPattern());
  auto shot = cap->CaptureObjectByHWND(GetDesktopWindow());
  ASSERT_TRUE(shot);
  // The pattern window belongs to the application, so it was gone.
  EXPECT_GT(PatternMismatches(shot.get(), PL, PT, kPatternWidth, kPatternHeight, PL, PT), 0);
  EXPECT_FALSE(IsIconic(Application->Handle()));
  EXPECT_TRUE(IsWindowVisible(pattern_->Handle()));
  EXPECT_TRUE(WaitForPattern());
}

// The main window's two capture components, as its form description holds
// them.
TEST(ScreenCaptureComponent, FormDescriptionHoldsTheComponent) {
  TForm* host = new TForm(nullptr);
  ReadRootComponent(host,
                    u"object TForm\n"
                    u"  object Capture: TASGScreenCapture\n"
                    u"    Auto = False\n"
                    u"    ShowCursor = False\n"
                    u"    Version = '4.2'\n"
                    u"  end\n"
                    u"  object crop: TASGScreenCapture\n"
                    u"    Auto = False\n"
                    u"    Delay = 100\n"
                    u"    Minimize = False\n"
                    u"    ShowCursor = False\n"
                    u"    ShowHint = False\n"
                    u"  end\n"
                    u"end\n",
                    u"capture.txt");
  auto* capture = dynamic_cast<TASGScreenCapture*>(host->FindComponent(u"Capture"));
  auto* crop = dynamic_cast<TASGScreenCapture*>(host->FindComponent(u"crop"));
  ASSERT_TRUE(capture && crop);
  EXPECT_FALSE(capture->Auto());
  EXPECT_EQ(capture->Delay(), 500u);
  EXPECT_TRUE(capture->Minimize());
  EXPECT_TRUE(capture->ShowHint());
  EXPECT_EQ(capture->MonitorNum(), -1);
  EXPECT_EQ(capture->Bitmap()->PixelFormat(), pf32bit);
  EXPECT_TRUE(capture->Bitmap()->Empty());
  EXPECT_FALSE(crop->Auto());
  EXPECT_EQ(crop->Delay(), 100u);
  EXPECT_FALSE(crop->Minimize());
  EXPECT_FALSE(crop->ShowHint());
  EXPECT_FALSE(crop->ShowCursor());
  SetPropValue(crop, u"Version", TValue(String(u"9.9")));
  EXPECT_EQ(GetPropValue(crop, u"Version").AsString(), u"4.2");
  host->Free();
}

}  // namespace
