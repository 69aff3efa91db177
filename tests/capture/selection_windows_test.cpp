// The selection windows on their own: created and shown without a modal
// loop, driven by mouse and key messages sent on the test thread, over the
// known pattern on the screen.
#include <gtest/gtest.h>

#include "capture/capture_desktop.h"
#include "capture/capture_freehand.h"
#include "capture/capture_icon.h"
#include "capture/capture_rect.h"
#include "capture/capture_specific_rect.h"
#include "capture_test_util.h"
#include "fw/system/screen.h"

using namespace fw;
using namespace capture;
using namespace capturetest;

namespace {

class SelectionWindows : public PatternTest {
 protected:
  void SetUp() override {
    PatternTest::SetUp();
    ASSERT_TRUE(WaitForPattern());
  }

  // A new window whose frozen picture holds the pattern (tried again while
  // another program's window disturbed the screen), shown, with what the
  // system sends a new window handled.
  template <class T>
  T* Open(bool timer = true, void (*prepare)(T*) = nullptr) {
    T* f = nullptr;
    for (int i = 0; i < 3; ++i) {
      WaitForPattern();
      f = NewForm<T>(nullptr);
      if (FrozenPatternIntact(f)) break;
      f->Free();
      f = nullptr;
    }
    if (!f) f = NewForm<T>(nullptr);
    if (auto* box = dynamic_cast<TCaptureBoxForm*>(f); box && !timer) box->Timer1->SetEnabled(false);
    if (prepare) prepare(f);
    f->Show();
    f->Update();
    fwtest::Pump(50);
    return f;
  }
  static bool FrozenPatternIntact(TForm* f) {
    TBitmap* picture = nullptr;
    if (auto* box = dynamic_cast<TCaptureBoxForm*>(f)) picture = box->Picture();
    if (auto* hand = dynamic_cast<TCaptureFreehandForm*>(f)) picture = hand->Picture();
    if (!picture) return true;
    TBitmap copy;
    copy.Assign(picture);
    copy.SetPixelFormat(pf32bit);
    return PatternMismatches(&copy, kPatternLeft, kPatternTop, kPatternWidth, kPatternHeight, kPatternLeft,
                             kPatternTop) == 0;
  }
  static void Send(TForm* f, const Step& s) { SendMessageW(f->Handle(), s.msg, s.wParam, s.lParam); }
};

// Frees a form at the end of a test.
struct Owned {
  TForm* f;
  ~Owned() { f->Free(); }
};

TEST_F(SelectionWindows, RectangleCoversMonitorWithFrozenPicture) {
  auto* f = Open<TCaptureRectForm>();
  Owned o{f};
  EXPECT_EQ(f->BoundsRect(), Screen->Monitors(0)->BoundsRect());
  EXPECT_EQ(f->Picture()->Width(), Screen->Width());
  EXPECT_EQ(f->Picture()->Height(), Screen->Height());
  EXPECT_EQ(f->Picture()->PixelFormat(), pf32bit);
  EXPECT_EQ(PatternMismatches(f->Picture(), kPatternLeft, kPatternTop, kPatternWidth, kPatternHeight, kPatternLeft,
                              kPatternTop),
            0);
  // The window shows the frozen picture.
  EXPECT_EQ(WindowPixel(f->Handle(), kPatternLeft + 33, kPatternTop + 44),
            ScreenPatternColor(kPatternLeft + 33, kPatternTop + 44));
}

TEST_F(SelectionWindows, RectangleDraggedUpAndLeftIsOrderedAndHintsHeightThenWidth) {
  auto* f = Open<TCaptureRectForm>();
  Owned o{f};
  const int x0 = kPatternLeft + 300, y0 = kPatternTop + 200;
  Send(f, Press(x0, y0));
  EXPECT_EQ(StringToUtf8(f->Hint()), std::to_string(x0) + " x " + std::to_string(y0) + " pixels");
  Send(f, Drag(kPatternLeft + 100, kPatternTop + 50));
  EXPECT_EQ(f->Hint(), u"150 x 200 pixels");
  EXPECT_EQ(f->ModalResult(), mrNone);
  Send(f, Release(kPatternLeft + 100, kPatternTop + 50));
  EXPECT_EQ(f->ModalResult(), mrOk);
  EXPECT_EQ(f->SelectionRect(), Rect(kPatternLeft + 100, kPatternTop + 50, x0, y0));
  TBitmap* sel = f->Selection();
  ASSERT_EQ(sel->Width(), 200);
  ASSERT_EQ(sel->Height(), 150);
  EXPECT_EQ(sel->PixelFormat(), pf32bit);
  EXPECT_EQ(PatternMismatches(sel, 0, 0, 200, 150, kPatternLeft + 100, kPatternTop + 50), 0);
  EXPECT_EQ(f->ScreenToBitmapX(kPatternLeft + 130), 30);
  EXPECT_EQ(f->ScreenToBitmapY(kPatternTop + 60), 10);
}

TEST_F(SelectionWindows, RectangleHintFollowsTheDragAndHidesAtTheScreenEdge) {
  auto* f = Open<TCaptureRectForm>();
  Owned o{f};
  Send(f, Press(kPatternLeft + 10, kPatternTop + 10));
  Send(f, Drag(kPatternLeft + 60, kPatternTop + 40));
  ASSERT_NE(f->HintWindow(), nullptr);
  // Dragging right and down: below the cursor, one text height and 2 pixels.
  const int th = f->Canvas()->TextHeight(f->Hint());
  EXPECT_EQ(f->HintWindow()->BoundsRect().Left, kPatternLeft + 60);
  EXPECT_EQ(f->HintWindow()->BoundsRect().Top, kPatternTop + 40 + th + 2);
  // Close to the right edge of the screen the hint goes.
  Send(f, Drag(Screen->Width() - 2, kPatternTop + 40));
  EXPECT_EQ(f->HintWindow(), nullptr);
  EXPECT_EQ(StringToUtf8(f->Hint()), "30 x " + std::to_string(Screen->Width() - 2 - kPatternLeft - 10) + " pixels");
}

TEST_F(SelectionWindows, RectangleWithHintsOffShowsNoHint) {
  auto* f = Open<TCaptureRectForm>();
  Owned o{f};
  f->SetShowHint(false);
  Send(f, Press(kPatternLeft + 10, kPatternTop + 10));
  Send(f, Drag(kPatternLeft + 60, kPatternTop + 40));
  EXPECT_EQ(f->HintWindow(), nullptr);
}

TEST_F(SelectionWindows, RectangleMovesWithoutButtonAndOtherReleasesAreIgnored) {
  auto* f = Open<TCaptureRectForm>();
  Owned o{f};
  Send(f, Press(kPatternLeft + 10, kPatternTop + 10));
  Send(f, Hover(kPatternLeft + 90, kPatternTop + 90));
  Send(f, RightRelease(kPatternLeft + 90, kPatternTop + 90));
  EXPECT_EQ(f->ModalResult(), mrNone);
  EXPECT_EQ(f->AntsRect(), Rect(kPatternLeft + 10, kPatternTop + 10, kPatternLeft + 10, kPatternTop + 10));
  // A click without a drag still ends the selection, with nothing selected.
  Send(f, Release(kPatternLeft + 90, kPatternTop + 90));
  EXPECT_EQ(f->ModalResult(), mrOk);
  EXPECT_TRUE(f->Selection()->Empty());
}

TEST_F(SelectionWindows, AntsRunFiveWhiteThreeRedAndMarchTwoPixelsPerTick) {
  auto* f = Open<TCaptureRectForm>(false);
  Owned o{f};
  const int x = kPatternLeft + 20, y = kPatternTop + 20;
  Send(f, Press(x, y));
  Send(f, Drag(x + 60, y + 30));
  const TColor W = clWhite, R = 0x0000FF;
  auto topEdge = [&](int n) {
    std::vector<TColor> v;
    for (int i = 0; i < n; ++i) v.push_back(WindowPixel(f->Handle(), x + i, y));
    return v;
  };
  EXPECT_EQ(topEdge(16), (std::vector<TColor>{W, W, W, W, W, R, R, R, W, W, W, W, W, R, R, R}));
  // The right edge goes on where the top edge ended (60 pixels: phase 4).
  EXPECT_EQ(WindowPixel(f->Handle(), x + 60, y), W);
  EXPECT_EQ(WindowPixel(f->Handle(), x + 60, y + 1), R);
  EXPECT_EQ(WindowPixel(f->Handle(), x + 60, y + 4), W);
  f->Timer1->OnTimer()(f->Timer1);
  EXPECT_EQ(f->StartPhase(), 32);
  EXPECT_EQ(topEdge(10), (std::vector<TColor>{R, R, W, W, W, W, W, R, R, R}));
  f->Timer1->OnTimer()(f->Timer1);
  f->Timer1->OnTimer()(f->Timer1);
  EXPECT_EQ(f->StartPhase(), 2);
  f->Timer1->OnTimer()(f->Timer1);
  EXPECT_EQ(f->StartPhase(), 128);
  // A new drag erases the old outline from the frozen picture.
  Send(f, Drag(x + 40, y + 20));
  EXPECT_EQ(WindowPixel(f->Handle(), x + 60, y + 25), ScreenPatternColor(x + 60, y + 25));
  EXPECT_EQ(WindowPixel(f->Handle(), x + 50, y + 30), ScreenPatternColor(x + 50, y + 30));
  EXPECT_EQ(WindowPixel(f->Handle(), x + 40, y + 10), W);
}

TEST_F(SelectionWindows, EscapeCancelsEverySelectionWindow) {
  std::vector<TForm*> forms{Open<TCaptureRectForm>(), Open<TCaptureFreehandForm>(), Open<TCaptureIconForm>(),
                            Open<TCaptureSpecificRectForm>()};
  for (TForm* f : forms) {
    Send(f, Escape());
    EXPECT_EQ(f->ModalResult(), mrCancel) << StringToUtf8(f->ClassName());
    f->Free();
  }
}

// A free-hand trace of the given points (screen coordinates).
void Trace(TForm* f, const std::vector<TPoint>& points) {
  SendMessageW(f->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(points[0].x, points[0].y));
  for (const TPoint& p : points) SendMessageW(f->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(p.x, p.y));
  SendMessageW(f->Handle(), WM_LBUTTONUP, 0, At(points.back().x, points.back().y));
}

TEST_F(SelectionWindows, FreehandTriangleKeepsInsideAndWhitensOutside) {
  auto* f = Open<TCaptureFreehandForm>();
  Owned o{f};
  EXPECT_EQ(f->BoundsRect(), Rect(0, 0, Screen->Width(), Screen->Height()));
  const int L = kPatternLeft + 40, T = kPatternTop + 30;
  // Right angle at the top-left; the closing edge runs back to the first point.
  Trace(f, {{L, T}, {L + 120, T}, {L, T + 90}});
  EXPECT_EQ(f->ModalResult(), mrOk);
  TBitmap* cap = f->Captured();
  ASSERT_EQ(cap->Width(), 120);
  ASSERT_EQ(cap->Height(), 90);
  EXPECT_EQ(cap->PixelFormat(), pf32bit);
  struct Probe {
    int x, y;
    bool inside;
  };
  for (Probe p : {Probe{2, 2, true}, Probe{60, 20, true}, Probe{10, 80, true}, Probe{100, 5, true},
                  Probe{118, 88, false}, Probe{70, 60, false}, Probe{30, 85, false}}) {
    TColor want = p.inside ? ScreenPatternColor(L + p.x, T + p.y) : clWhite;
    EXPECT_EQ(PixelOf(cap, p.x, p.y), want) << p.x << "," << p.y;
  }
  // The trace is gone from the picture.
  EXPECT_EQ(PixelOf(f->Picture(), L + 60, T), ScreenPatternColor(L + 60, T));
  EXPECT_TRUE(f->TracePoints().empty());
  EXPECT_FALSE(f->Dragging());
}

TEST_F(SelectionWindows, FreehandTraceInvertsAndHintsBoundingBox) {
  auto* f = Open<TCaptureFreehandForm>();
  Owned o{f};
  const int L = kPatternLeft + 10, T = kPatternTop + 10;
  Send(f, Press(L, T));
  EXPECT_TRUE(f->Dragging());
  Send(f, Drag(L, T));
  Send(f, Drag(L + 50, T + 20));
  EXPECT_EQ(f->Hint(), u"20 x 50 pixels");
  EXPECT_EQ(f->TraceBounds(), Rect(L, T, L + 50, T + 20));
  // The pen inverts what lies under it, in the picture and on the window.
  const TColor under = ScreenPatternColor(L + 25, T + 10);
  EXPECT_EQ(PixelOf(f->Picture(), L + 25, T + 10), under ^ 0xFFFFFF);
  EXPECT_EQ(WindowPixel(f->Handle(), L + 25, T + 10), under ^ 0xFFFFFF);
  // Only the left button ends the trace.
  Send(f, RightRelease(L + 50, T + 20));
  EXPECT_EQ(f->ModalResult(), mrNone);
}

TEST_F(SelectionWindows, FreehandClickWithoutMoveGivesEmptyCapture) {
  auto* f = Open<TCaptureFreehandForm>();
  Owned o{f};
  Send(f, Press(kPatternLeft + 5, kPatternTop + 5));
  Send(f, Release(kPatternLeft + 5, kPatternTop + 5));
  EXPECT_EQ(f->ModalResult(), mrOk);
  EXPECT_TRUE(f->Captured()->Empty());
}

TEST_F(SelectionWindows, FreehandCursorTableEntryComesBack) {
  HCURSOR before = Screen->Cursors(crFreehandPen);
  auto* f = Open<TCaptureFreehandForm>();
  EXPECT_EQ(f->Cursor(), crFreehandPen);
  f->Free();
  EXPECT_EQ(Screen->Cursors(crFreehandPen), before);
}

TEST_F(SelectionWindows, IconBoxStartsAtCursorFollowsMouseAndCapturesThirtyTwoSquare) {
  {
    auto* fresh = NewForm<TCaptureIconForm>(nullptr);
    EXPECT_EQ(fresh->AntsRect(), Bounds(kPatternLeft + 50, kPatternTop + 50, 32, 32));
    fresh->Free();
  }
  auto* f = Open<TCaptureIconForm>();
  Owned o{f};
  Send(f, Hover(kPatternLeft + 130, kPatternTop + 70));
  EXPECT_EQ(f->AntsRect(), Bounds(kPatternLeft + 130, kPatternTop + 70, 32, 32));
  Send(f, Release(kPatternLeft + 130, kPatternTop + 70));
  EXPECT_EQ(f->ModalResult(), mrOk);
  TBitmap* sel = f->Selection();
  ASSERT_EQ(sel->Width(), 32);
  ASSERT_EQ(sel->Height(), 32);
  TBitmap copy;
  copy.Assign(sel);
  copy.SetPixelFormat(pf32bit);
  EXPECT_EQ(PatternMismatches(&copy, 0, 0, 32, 32, kPatternLeft + 130, kPatternTop + 70), 0);
}

TEST_F(SelectionWindows, FixedSizeBoxCapturesItsSize) {
  {
    auto* fresh = NewForm<TCaptureSpecificRectForm>(nullptr);
    fresh->CaptureWidth = 70;
    fresh->CaptureHeight = 45;
    fresh->Show();
    EXPECT_EQ(fresh->AntsRect(), Bounds(kPatternLeft + 50, kPatternTop + 50, 70, 45));
    fresh->Free();
  }
  auto* f = Open<TCaptureSpecificRectForm>(true, [](TCaptureSpecificRectForm* box) {
    box->CaptureWidth = 70;
    box->CaptureHeight = 45;
  });
  Owned o{f};
  Send(f, Hover(kPatternLeft + 200, kPatternTop + 120));
  Send(f, Release(kPatternLeft + 200, kPatternTop + 120));
  EXPECT_EQ(f->ModalResult(), mrOk);
  TBitmap* sel = f->Selection();
  ASSERT_EQ(sel->Width(), 70);
  ASSERT_EQ(sel->Height(), 45);
  EXPECT_EQ(sel->PixelFormat(), pf32bit);
  EXPECT_EQ(PatternMismatches(sel, 0, 0, 70, 45, kPatternLeft + 200, kPatternTop + 120), 0);
}

TEST_F(SelectionWindows, DesktopClickWindowShowsThePromptAtTheMonitorsTopRightUntilTheClick) {
  CaptureDesktopSettleTime = 0;
  auto* f = Open<TCaptureDesktopForm>();
  Owned o{f};
  CaptureDesktopSettleTime = 500;
  const TRect monitor = Screen->Monitors(0)->BoundsRect();
  EXPECT_EQ(f->BoundsRect(), monitor);
  ASSERT_NE(f->Prompt(), nullptr);
  EXPECT_TRUE(IsWindowVisible(f->Prompt()->Handle()));
  EXPECT_EQ(f->Prompt()->BoundsRect().Right, monitor.Right);
  EXPECT_EQ(f->Prompt()->BoundsRect().Top, monitor.Top);
  EXPECT_EQ(StringToUtf8(f->Prompt()->Caption()), "Position Mouse");
  EXPECT_EQ(f->Picture()->Width(), monitor.Width());
  // Any button ends it, and the prompt goes.
  Send(f, RightRelease(kPatternLeft + 5, kPatternTop + 5));
  EXPECT_EQ(f->ModalResult(), mrOk);
  EXPECT_EQ(f->Prompt(), nullptr);
}

TEST_F(SelectionWindows, PositionPromptHidesOnEscapeOrAnyCharacter) {
  EXPECT_EQ(StringToUtf8(TfrmPosition::PromptText),
            "Position the mouse cursor then click the left mouse button to capture an image of the the desktop and "
            "the cursor.");
  for (Step key : {Escape(), Step{WM_CHAR, 'x', 0x00010001}}) {
    auto* prompt = NewForm<TfrmPosition>(nullptr);
    Owned o{prompt};
    prompt->Show();
    ASSERT_TRUE(IsWindowVisible(prompt->Handle()));
    Send(prompt, key);
    EXPECT_FALSE(IsWindowVisible(prompt->Handle())) << key.msg;
  }
}

}  // namespace
