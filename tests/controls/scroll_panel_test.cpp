// The scrolling window: arrow buttons that scroll the children, arrows that
// hide while nothing lies beyond them, the veto, auto-repeat timing (the
// repeat timer's ticks are given by the test), the direction swap, and the
// arrows' pixels.
#include <gtest/gtest.h>

#include <vector>

#include "controls/base/ckscrollpanel.h"
#include "golden_image.h"
#include "controls/base/ckregister.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "fw/stdctrls/panel.h"
#include "scenarios/screenshot_png.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;
using xptest::Snapshot;

namespace {

// The multi-font preview's strip: vertical, flat, 32 pixels a step, no
// edges, with eight 40 x 30 buttons one below the other.
struct StripForm {
  fwtest::TestForm form{300, 300};
  TCkScrollingWindow* strip;
  std::vector<TPanel*> children;
  std::vector<TCkScrollKind> scrolled;
  bool allow = true;
  StripForm() {
    form->SetColor(0xE0E0E0);
    strip = new TCkScrollingWindow(form.form);
    strip->SetParent(form.form);
    strip->SetAlign(alNone);
    strip->SetEdgeBorders(TEdgeBorders{});
    strip->SetFlat(true);
    strip->SetScrollAmount(32);
    strip->SetScrollDirection(sdVertical);
    strip->SetBounds(10, 10, 50, 150);
    for (int i = 0; i < 8; ++i) {
      auto* c = new TPanel(form.form);
      c->SetParent(strip);
      c->SetBounds(5, 16 + i * 30, 40, 30);
      c->SetColor(i % 2 ? 0x80C080 : 0xC08080);
      children.push_back(c);
    }
    strip->OnScrolling = TCkScrollingEvent(this, &StripForm::Scrolling);
    strip->OnScrolled = TCkScrolledEvent(this, &StripForm::Scrolled);
    strip->UpdateButtonVisibility();
    form->Show();
    fwtest::Pump();
  }
  void Scrolling(TObject*, bool& Allow, TCkScrollKind) { Allow = allow; }
  void Scrolled(TObject*, TCkScrollKind Kind) { scrolled.push_back(Kind); }
  void Press(TCkScrollButton* b) { SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(5, 5)); }
  void Release(TCkScrollButton* b, int X = 5, int Y = 5) {
    SendMessageW(b->Handle(), WM_LBUTTONUP, 0, PointToLParam(X, Y));
  }
  void Tick(TCkScrollButton* b) {
    TTimer* t = b->RepeatTimer();
    ASSERT_NE(t, nullptr);
    t->FOnTimer(t);
  }
  int FirstTop() const { return children[0]->Top(); }
};

}  // namespace

TEST(ScrollingWindow, DefaultsAndButtons) {
  fwtest::TestForm form;
  auto* w = new TCkScrollingWindow(form.form);
  EXPECT_EQ(w->Parent(), form.form) << "a windowed owner becomes the parent";
  EXPECT_TRUE(w->AutoHide());
  EXPECT_FALSE(w->AutoRepeat());
  EXPECT_EQ(w->ScrollDirection(), sdHorizontal);
  EXPECT_EQ(w->ScrollAmount(), 16);
  EXPECT_EQ(w->Align(), alTop);
  EXPECT_EQ(w->Height(), 35);
  EXPECT_EQ(w->UpLeft()->Kind(), sbLeft);
  EXPECT_EQ(w->DownRight()->Kind(), sbRight);
  EXPECT_EQ(w->UpLeft()->Width(), 16);
  EXPECT_EQ(w->UpLeft()->Increment(), 16);
  w->SetScrollAmount(24);
  EXPECT_EQ(w->DownRight()->Increment(), 24);
}

TEST(ScrollingWindow, ArrowsShowOnlyWhereChildrenLieBeyondTheEnds) {
  StripForm f;
  EXPECT_EQ(f.strip->UpLeft()->Kind(), sbUp);
  EXPECT_EQ(f.strip->DownRight()->Kind(), sbDown);
  EXPECT_FALSE(f.strip->UpLeft()->Visible());
  EXPECT_TRUE(f.strip->DownRight()->Visible());
  // All children fit: neither arrow.
  for (size_t i = 2; i < f.children.size(); ++i) f.children[i]->SetVisible(false);
  f.strip->UpdateButtonVisibility();
  EXPECT_FALSE(f.strip->UpLeft()->Visible());
  EXPECT_FALSE(f.strip->DownRight()->Visible());
  // Without AutoHide both arrows show.
  f.strip->SetAutoHide(false);
  EXPECT_TRUE(f.strip->UpLeft()->Visible());
  EXPECT_TRUE(f.strip->DownRight()->Visible());
}

TEST(ScrollingWindow, AClickScrollsOnceAtTheReleaseAndTheUpArrowAppears) {
  StripForm f;
  TCkScrollButton* down = f.strip->DownRight();
  f.Press(down);
  EXPECT_EQ(f.FirstTop(), 16) << "nothing moves before the release";
  f.Release(down);
  EXPECT_EQ(f.FirstTop(), 16 - 32);
  EXPECT_EQ(f.children[7]->Top(), 16 + 7 * 30 - 32);
  EXPECT_EQ(f.scrolled, std::vector<TCkScrollKind>{sbDown});
  EXPECT_TRUE(f.strip->UpLeft()->Visible());
  // Dragged off the arrow and released outside: still one step.
  f.Press(down);
  f.Release(down, 100, 100);
  EXPECT_EQ(f.FirstTop(), 16 - 64);
  // Up again.
  f.Press(f.strip->UpLeft());
  f.Release(f.strip->UpLeft());
  EXPECT_EQ(f.FirstTop(), 16 - 32);
  EXPECT_EQ(f.scrolled.back(), sbUp);
}

TEST(ScrollingWindow, OnScrollingVetoStopsTheStepAndOnScrolled) {
  StripForm f;
  f.allow = false;
  f.Press(f.strip->DownRight());
  f.Release(f.strip->DownRight());
  EXPECT_EQ(f.FirstTop(), 16);
  EXPECT_TRUE(f.scrolled.empty());
}

TEST(ScrollingWindow, AutoRepeatStepsAfter360msThenEvery100msAndNotAgainAtTheRelease) {
  StripForm f;
  f.strip->SetAutoRepeat(true);
  TCkScrollButton* down = f.strip->DownRight();
  f.Press(down);
  ASSERT_NE(down->RepeatTimer(), nullptr);
  EXPECT_EQ(down->RepeatTimer()->Interval(), 360u);
  EXPECT_TRUE(down->RepeatTimer()->Enabled());
  EXPECT_EQ(f.FirstTop(), 16);
  f.Tick(down);
  EXPECT_EQ(down->RepeatTimer()->Interval(), 100u);
  EXPECT_EQ(f.FirstTop(), 16 - 32);
  f.Tick(down);
  f.Tick(down);
  EXPECT_EQ(f.FirstTop(), 16 - 96);
  f.Release(down);
  EXPECT_EQ(f.FirstTop(), 16 - 96) << "no further step at the release";
  EXPECT_EQ(down->RepeatTimer(), nullptr);
  EXPECT_EQ(f.scrolled.size(), 3u);
  // A press released before the first tick scrolls once, at the release.
  f.Press(down);
  f.Release(down);
  EXPECT_EQ(f.FirstTop(), 16 - 128);
}

TEST(ScrollingWindow, DirectionSwapWithAutoArrangeTransposesChildrenAndThePanel) {
  StripForm f;
  f.strip->SetAutoArrange(true);
  f.strip->SetScrollDirection(sdHorizontal);
  EXPECT_EQ(f.strip->Left(), 0);
  EXPECT_EQ(f.strip->Top(), 0);
  EXPECT_EQ(f.strip->Width(), 150);
  EXPECT_EQ(f.strip->Height(), 50);
  EXPECT_EQ(f.children[1]->Left(), 46);
  EXPECT_EQ(f.children[1]->Top(), 5);
  EXPECT_EQ(f.children[1]->Width(), 30);
  EXPECT_EQ(f.children[1]->Height(), 40);
  EXPECT_EQ(f.strip->UpLeft()->Kind(), sbLeft);
  EXPECT_EQ(f.strip->DownRight()->Kind(), sbRight);
  EXPECT_EQ(f.strip->DownRight()->Left(), 150 - 16);
  EXPECT_TRUE(f.strip->DownRight()->Visible());
  f.Press(f.strip->DownRight());
  f.Release(f.strip->DownRight());
  EXPECT_EQ(f.children[1]->Left(), 46 - 32);
  // Without AutoArrange only the buttons turn.
  f.strip->SetAutoArrange(false);
  f.strip->SetScrollDirection(sdVertical);
  EXPECT_EQ(f.strip->Width(), 150);
  EXPECT_EQ(f.strip->UpLeft()->Kind(), sbUp);
}

TEST(ScrollingWindow, ArrowsPaintTheirStatesAndScreenshot) {
  StripForm f;
  TCkScrollButton* down = f.strip->DownRight();
  Snapshot idle(down);
  // A flat arrow: a dark triangle in the middle on the button face.
  int dark = 0;
  for (int y = 0; y < idle.Height(); ++y)
    for (int x = 0; x < idle.Width(); ++x) dark += idle.At(x, y) == 0x000000;
  EXPECT_GT(dark, 3);
  EXPECT_EQ(idle.At(0, 0), xptest::Rgb(clBtnFace)) << "the face-coloured frame over the edge";
  f.Press(down);
  Snapshot pressed(down);
  EXPECT_EQ(pressed.At(1, 1), xptest::Rgb(clBtnShadow)) << "the pressed inner frame";
  f.Release(down);
  f.strip->SetEnabled(false);
  EXPECT_FALSE(down->Enabled());
  Snapshot disabled(down);
  int darkDisabled = 0;
  for (int y = 0; y < disabled.Height(); ++y)
    for (int x = 0; x < disabled.Width(); ++x) darkDisabled += disabled.At(x, y) == 0x000000;
  EXPECT_EQ(darkDisabled, 0) << "an inactive arrow is greyed";
  f.strip->SetEnabled(true);

  Snapshot whole(f.strip);
  EXPECT_EQ(whole.At(5, 8), xptest::Rgb(clBtnFace)) << "the arrows lie above the scrolled children";
  EXPECT_EQ(whole.At(5, 150 - 8), xptest::Rgb(clBtnFace));
  EXPECT_TRUE(scenarios::SavePng(whole.bmp.get(), scenarios::ScreenshotPath("scrolling_window.png")));
}

TEST(ScrollingWindow, FormDescription) {
  RegisterCkControlClasses();
  fwtest::TestForm form;
  ReadRootComponent(form.form,
                    u"object ScrollTest: TForm\n"
                    u"  object ScrollPanel1: TCkScrollingWindow\n    Left = 0\n    Top = 100\n    Width = 40\n"
                    u"    Height = 90\n    Align = alBottom\n    AutoRepeat = True\n    Flat = True\n"
                    u"    ScrollDirection = sdVertical\n    ScrollAmount = 32\n    EdgeBorders = []\n"
                    u"    Hint = 'Number of columns (1-4)'\n  end\n"
                    u"end\n",
                    u"ScrollTest.form");
  auto* w = dynamic_cast<TCkScrollingWindow*>(form->FindComponent(u"ScrollPanel1"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->ScrollDirection(), sdVertical);
  EXPECT_EQ(w->ScrollAmount(), 32);
  EXPECT_TRUE(w->AutoRepeat());
  EXPECT_TRUE(w->Flat());
  EXPECT_TRUE(w->EdgeBorders().Empty());
  EXPECT_EQ(w->UpLeft()->Kind(), sbUp);
  EXPECT_TRUE(w->DownRight()->Flat());
}

TEST(ScrollingWindow, ArrowStatesMatchTheirGoldenPictures) {
  // The strip's down arrow idle (flat), pressed and disabled; then a raised
  // horizontal pair.
  StripForm f;
  TCkScrollButton* down = f.strip->DownRight();
  Snapshot idle(down);
  f.Press(down);
  Snapshot pressed(down);
  f.Release(down);
  f.strip->SetEnabled(false);
  Snapshot disabled(down);
  f.strip->SetEnabled(true);
  f.strip->SetFlat(false);
  f.strip->SetAutoHide(false);
  f.strip->SetScrollDirection(sdHorizontal);
  Snapshot left(f.strip->UpLeft());
  Snapshot right(f.strip->DownRight());
  auto all = cktest::Stack({idle.bmp.get(), pressed.bmp.get(), disabled.bmp.get(), left.bmp.get(), right.bmp.get()});
  EXPECT_TRUE(cktest::MatchesGolden(all.get(), "scroll_arrows"));
}
