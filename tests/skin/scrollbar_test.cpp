// The skinned scroll bar: as the system scroll bar (no skin engine yet)
// with its range, position and page from a form description, its events on
// scroll messages and the keyboard; and, with the skin forced on, its own
// window, scroll information, part geometry, auto-repeat, slider drag and
// the notifications it sends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/controls_test_util.h"
#include "fw/stdctrls_test_util.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "skin/controls/scrollbar.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_messages.h"
#include "tests/controls/golden_image.h"
#include "tests/skin/engine/core/program_skins.h"

using namespace fw;
using namespace skin;
using fwtest::Pump;
using fwtest::TestForm;

namespace {

struct Log {
  std::vector<std::string> events;
  void Change(TObject* s) { events.push_back("change " + std::to_string(static_cast<TkScrollBar*>(s)->Position())); }
  void Scroll(TObject*, TScrollCode code, int& pos) {
    events.push_back("scroll " + StringToUtf8(EnumToString(TypeInfoOf<TScrollCode>(), code)) + " " +
                     std::to_string(pos));
  }
  void Attach(TkScrollBar* b) {
    b->OnChange = TNotifyEvent(this, &Log::Change);
    b->OnScroll = TScrollEvent(this, &Log::Scroll);
  }
};

struct BarForm {
  TestForm form;
  TkScrollBar* bar;
  template <class T = TkScrollBar>
  static T* Make(TestForm& f, int w) {
    auto* b = new T(f.form);
    b->SetParent(f.form);
    b->SetBounds(10, 10, w, 12);
    return b;
  }
};

}  // namespace

TEST(ScrollBarSystem, ReadsItsRangeFromTheFormAndTellsTheWindow) {
  fwtest::DescribedForm<TForm> f(
      u"object Form1: TForm\n"
      u"  Width = 300\n"
      u"  Height = 100\n"
      u"  object trresize: TkScrollBar\n"
      u"    Left = 8\n"
      u"    Top = 8\n"
      u"    Width = 113\n"
      u"    Height = 12\n"
      u"    Max = 300\n"
      u"    Min = 30\n"
      u"    PageSize = 0\n"
      u"    Position = 100\n"
      u"    DisabledKind = [dkGrayed]\n"
      u"  end\n"
      u"end\n");
  auto* b = f.Find<TkScrollBar>(u"trresize");
  EXPECT_EQ(b->Min(), 30);
  EXPECT_EQ(b->Max(), 300);
  EXPECT_EQ(b->Position(), 100);
  EXPECT_EQ(b->DisabledKind(), TkDisabledKind{dkGrayed});
  EXPECT_FALSE(b->SkinActive());
  SCROLLINFO si{sizeof(si), SIF_ALL};
  ASSERT_TRUE(GetScrollInfo(b->Handle(), SB_CTL, &si));
  EXPECT_EQ(si.nMin, 30);
  EXPECT_EQ(si.nMax, 300);
  EXPECT_EQ(si.nPos, 100);
}

TEST(ScrollBarSystem, SettingThePositionFiresOnChangeOnlyWhenItMoves) {
  TestForm f;
  auto* b = BarForm::Make(f, 113);
  b->SetParams(0, -180, 180);
  Log log;
  log.Attach(b);
  f->Show();
  b->SetPosition(90);
  b->SetPosition(90);
  b->SetPosition(500);
  ASSERT_EQ(log.events, (std::vector<std::string>{"change 90", "change 180"}));
}

TEST(ScrollBarSystem, ScrollMessagesMoveThePositionAndReportScrollThenChange) {
  struct Case {
    WPARAM code;
    int expected;
    const char* scroll;
  };
  const Case cases[] = {
      {SB_LINEDOWN, 127, "scLineDown"}, {SB_LINEUP, 123, "scLineUp"},       {SB_PAGEDOWN, 135, "scPageDown"},
      {SB_PAGEUP, 115, "scPageUp"},     {SB_TOP, 100, "scTop"},             {SB_BOTTOM, 140, "scBottom"},
  };
  for (const Case& c : cases) {
    TestForm f;
    auto* b = BarForm::Make(f, 113);
    b->SetParams(125, 100, 140);
    b->SetSmallChange(2);
    b->SetLargeChange(10);
    f->Show();
    Log log;
    log.Attach(b);
    SendMessageW(f->Handle(), WM_HSCROLL, c.code, reinterpret_cast<LPARAM>(b->Handle()));
    EXPECT_EQ(b->Position(), c.expected) << c.scroll;
    ASSERT_EQ(log.events.size(), 2u) << c.scroll;
    EXPECT_EQ(log.events[0], std::string("scroll ") + c.scroll + " " + std::to_string(c.expected));
    EXPECT_EQ(log.events[1], "change " + std::to_string(c.expected));
  }
}

TEST(ScrollBarSystem, ArrowKeysStepThePosition) {
  TestForm f;
  auto* b = BarForm::Make(f, 113);
  b->SetParams(0, 0, 255);
  f->Show();
  Pump();
  b->SetFocus();
  Log log;
  log.Attach(b);
  SendMessageW(b->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(b->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(b->Position(), 2);
  SendMessageW(b->Handle(), WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(b->Position(), 1);
  SendMessageW(b->Handle(), WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(b->Position(), 255);
  EXPECT_FALSE(log.events.empty());
  EXPECT_EQ(log.events.back(), "change 255");
}

// ---- With the skin forced on

namespace {

// A scroll bar whose skin is on, with 17-pixel arrows.
class SkinnedBar : public TkScrollBar {
 public:
  explicit SkinnedBar(TComponent* AOwner) : TkScrollBar(AOwner) {}
  bool SkinActive() override { return true; }
  TkLoadedSkin* ActiveSkin() override { return Skin; }
  int ArrowSize() override { return 17; }
  TkLoadedSkin* Skin = nullptr;
  using TkScrollBar::RecreateIfNeeded;
};

struct Skinned {
  TestForm form{400, 100};
  SkinnedBar* bar;
  Log log;
  Skinned(int min, int max, int pos, int page = 0, int width = 113) {
    bar = BarForm::Make<SkinnedBar>(form, width);
    bar->SetParams(pos, min, max);
    bar->SetPageSize(page);
    form->Show();
    Pump();
    bar->RecreateIfNeeded();
    log.Attach(bar);
  }
  void Down(int x) { bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(x, 6)); }
  void Up(int x) { bar->Perform(WM_LBUTTONUP, 0, PointToLParam(x, 6)); }
  void HitAt(int x) {
    TPoint p = bar->ClientToScreen(TPoint{x, 6});
    bar->Perform(WM_NCHITTEST, 0, PointToLParam(p.x, p.y));
  }
};

}  // namespace

TEST(ScrollBarSkinned, BecomesAPlainWindowThatKeepsItsOwnScrollInformation) {
  Skinned s(100, 140, 125);
  HWND h = s.bar->Handle();
  EXPECT_EQ(fwtest::ClassNameOf(h), "TkScrollBar");
  EXPECT_EQ(s.bar->Position(), 125);
  EXPECT_EQ(s.bar->ScrollInfo().nMin, 100);
  EXPECT_EQ(s.bar->ScrollInfo().nMax, 140);
  EXPECT_EQ(s.bar->CurrPos(), 125);
  s.bar->SetPosition(130);
  EXPECT_EQ(s.bar->ScrollInfo().nPos, 130);
  SCROLLINFO si{sizeof(si), SIF_ALL};
  ASSERT_TRUE(GetScrollInfo(h, SB_CTL, &si));
  EXPECT_EQ(si.nPos, 130);
  // Information with the maximum below the minimum is stored as 0 .. 0.
  SCROLLINFO bad{sizeof(bad), SIF_RANGE, 50, 10};
  SendMessageW(h, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&bad));
  EXPECT_EQ(s.bar->ScrollInfo().nMin, 0);
  EXPECT_EQ(s.bar->ScrollInfo().nMax, 0);
}

TEST(ScrollBarSkinned, TheSkinGoingAndComingKeepsThePositionAndRecreationsEnd) {
  Skinned s(-180, 180, -90);
  ASSERT_EQ(fwtest::ClassNameOf(s.bar->Handle()), "TkScrollBar");
  SendMessageW(s.bar->Handle(), WM_SKINCOMMAND, SkinCommand(SKC_REMOVESKIN), 0);
  EXPECT_EQ(fwtest::ClassNameOf(s.bar->Handle()), "TkSystemScrollBar") << "the system's bar without the skin";
  EXPECT_EQ(s.bar->Position(), -90);
  SCROLLINFO si{sizeof(si), SIF_POS};
  ASSERT_TRUE(GetScrollInfo(s.bar->Handle(), SB_CTL, &si));
  EXPECT_EQ(si.nPos, -90);
  SendMessageW(s.bar->Handle(), WM_SKINCOMMAND, SkinCommand(SKC_REFRESH), 0);
  EXPECT_EQ(fwtest::ClassNameOf(s.bar->Handle()), "TkScrollBar") << "the skin's window again";
  EXPECT_EQ(s.bar->Position(), -90);
  EXPECT_EQ(s.bar->CurrPos(), -90);

  // The framework making the window again gets the skin's window again,
  // five times in all; after that the control stays the system's bar.
  Skinned t(0, 100, 30);
  std::vector<std::string> classes;
  for (int i = 0; i < 5; ++i) {
    t.bar->RecreateWnd();
    t.bar->HandleNeeded();
    t.bar->RecreateIfNeeded();
    classes.push_back(fwtest::ClassNameOf(t.bar->Handle()));
  }
  EXPECT_EQ(classes, (std::vector<std::string>{"TkScrollBar", "TkScrollBar", "TkScrollBar", "TkScrollBar",
                                               "TkSystemScrollBar"}));
  EXPECT_EQ(t.bar->Position(), 30);
}

TEST(ScrollBarSkinned, PartGeometry) {
  struct Case {
    const char* name;
    int min, max, pos, page;
    int track, slider, centre;
  };
  const Case cases[] = {
      {"PageSize 0: a 16-pixel slider at the start", 30, 300, 30, 0, 79, 16, 17 + 8},
      {"at the end", 30, 300, 300, 0, 79, 16, 17 + 8 + 63},
      {"in the middle of -180 .. 180", -180, 180, 0, 0, 79, 16, 17 + 8 + 32},
      {"a page of half the range", 0, 99, 0, 50, 79, 40, 17 + 20},
      {"a page too small for the minimum", 0, 99, 0, 10, 79, 16, 17 + 8},
  };
  for (const Case& c : cases) {
    Skinned s(c.min, c.max, c.pos, c.page);
    EXPECT_EQ(s.bar->TrackLength(), c.track) << c.name;
    EXPECT_EQ(s.bar->SliderSize(), c.slider) << c.name;
    EXPECT_EQ(s.bar->SliderCenter(), c.centre) << c.name;
    EXPECT_EQ(s.bar->Btn1Rect(), Rect(0, 0, 17, 12)) << c.name;
    EXPECT_EQ(s.bar->Btn2Rect(), Rect(96, 0, 113, 12)) << c.name;
    EXPECT_EQ(s.bar->SliderRect(), Rect(c.centre - c.slider / 2, 0, c.centre - c.slider / 2 + c.slider, 12))
        << c.name;
    EXPECT_EQ(s.bar->Bar1Rect().Right, c.centre) << c.name;
  }
}

TEST(ScrollBarSkinned, PartStatesLeaveTheTrackHot) {
  Skinned s(0, 100, 50);
  s.bar->SetPartState(0, 2);
  EXPECT_EQ(s.bar->PartState(0), 2);
  EXPECT_EQ(s.bar->PartState(1), 0);
  EXPECT_EQ(s.bar->PartState(2), 1);
  EXPECT_EQ(s.bar->PartState(3), 1);
  EXPECT_EQ(s.bar->PartState(4), 0);
  s.bar->SetPartState(4, 1);
  EXPECT_EQ(s.bar->PartState(0), 0);
  EXPECT_EQ(s.bar->PartState(4), 1);
  s.bar->SetPartState(4, 0);
  EXPECT_EQ(s.bar->PartState(2), 1) << "a normal state resets nothing";
}

// The repeat's steps are taken by the test (TimerTick) and nothing is
// pumped while a button is held: the system's clock never decides.
TEST(ScrollBarSkinned, HoldingAnArrowRepeatsUntilRelease) {
  Skinned s(0, 255, 100);
  bool hints = Application->ShowHint();
  s.Down(5);
  EXPECT_EQ(s.bar->Position(), 99) << "one step at once";
  EXPECT_FALSE(Application->ShowHint()) << "hints are off while a button is held";
  EXPECT_EQ(s.bar->TimerInterval(), 500u) << "the second step waits 500 ms";
  s.bar->TimerTick();
  EXPECT_EQ(s.bar->Position(), 98);
  EXPECT_EQ(s.bar->TimerInterval(), 50u) << "then every 50 ms";
  s.bar->TimerTick();
  s.bar->TimerTick();
  EXPECT_EQ(s.bar->Position(), 96);
  s.Up(5);
  EXPECT_FALSE(s.bar->TimerRunning());
  EXPECT_EQ(Application->ShowHint(), hints);
  EXPECT_EQ(s.bar->Position(), 96);
  EXPECT_EQ(s.bar->PartState(0), 1) << "released over the arrow: hot";
  EXPECT_EQ(s.log.events.back(), "scroll scEndScroll 96") << "release ends the scroll";
}

TEST(ScrollBarSkinned, LeavingTheControlStopsTheArrowRepeat) {
  Skinned s(0, 255, 100);
  s.Down(100);
  EXPECT_EQ(s.bar->Position(), 101);
  s.bar->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(s.bar->PartState(1), 0);
  s.bar->TimerTick();
  EXPECT_FALSE(s.bar->TimerRunning()) << "the next step finds no arrow held";
  EXPECT_EQ(s.bar->Position(), 101);
  s.Up(100);
}

TEST(ScrollBarSkinned, HoldingTheTrackPagesUntilTheSliderReachesTheCursor) {
  // A range that does not start at 0, PageSize 0: steps of 1.
  Skinned s(100, 140, 100);
  s.bar->SetLargeChange(1);
  Mouse->SetVirtualCursor(true);
  Mouse->SetCursorPos(s.bar->ClientToScreen(TPoint{70, 6}));
  int target = 100 + s.bar->PositionAt(TPoint{70, 6});
  s.Down(70);
  EXPECT_EQ(s.bar->Position(), 101);
  EXPECT_EQ(s.bar->TimerInterval(), 500u);
  for (int i = 0; i < 100 && s.bar->TimerRunning(); ++i) s.bar->TimerTick();
  EXPECT_FALSE(s.bar->TimerRunning());
  EXPECT_EQ(s.bar->Position(), target);
  s.Up(70);
  Mouse->SetVirtualCursor(false);
}

TEST(ScrollBarSkinned, DraggingTheSliderSendsTrackOnChangeThenPositionAndEnd) {
  Skinned s(0, 79 - 16, 0);  // one position per pixel of free track
  s.Down(25);                // the slider centre
  ASSERT_EQ(s.bar->PartState(4), 2);
  ASSERT_EQ(s.log.events.size(), 1u);
  EXPECT_EQ(s.log.events[0], "scroll scTrack 0") << "the first track notification always";
  s.HitAt(25);
  EXPECT_EQ(s.log.events.size(), 1u) << "no move, no notification";
  s.HitAt(35);
  s.HitAt(35);
  s.HitAt(45);
  s.Up(45);
  std::vector<std::string> expected{"scroll scTrack 0",   "scroll scTrack 10", "change 10",
                                    "scroll scTrack 20",  "change 20",         "scroll scPosition 20",
                                    "scroll scEndScroll 20"};
  EXPECT_EQ(s.log.events, expected);
  EXPECT_EQ(s.bar->PartState(4), 1) << "released over the slider: hot";
}

TEST(ScrollBarSkinned, HotTrackingFollowsTheParts) {
  Skinned s(0, 100, 50);
  s.bar->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(s.bar->PartState(2), 1);
  EXPECT_EQ(s.bar->PartState(3), 1);
  s.HitAt(5);
  EXPECT_EQ(s.bar->PartState(0), 1);
  s.HitAt(s.bar->SliderCenter());
  EXPECT_EQ(s.bar->PartState(4), 1);
  EXPECT_EQ(s.bar->PartState(0), 0);
  s.HitAt(30);
  EXPECT_EQ(s.bar->PartState(4), 0);
  s.bar->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(s.bar->PartState(2), 0);
}

TEST(ScrollBarSkinned, TheHeldSliderFollowsMouseMovesUpToTheLastPosition) {
  // The window holding the capture gets no hit tests under every system:
  // the moves alone must carry the drag.
  Skinned s(0, 79 - 16, 0);
  s.Down(25);
  ASSERT_EQ(s.bar->PartState(4), 2);
  s.bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(35, 6));
  s.bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(400, 6));
  s.Up(400);
  std::vector<std::string> expected{"scroll scTrack 0",  "scroll scTrack 10",    "change 10",
                                    "scroll scTrack 63", "change 63",            "scroll scPosition 63",
                                    "scroll scEndScroll 63"};
  EXPECT_EQ(s.log.events, expected);
  EXPECT_EQ(s.bar->PartState(4), 0) << "released away from the slider";
}

TEST(ScrollBarSkinned, PaintsFromBothSkinsInEachState) {
  const char* skins[][2] = {{"sapphire.ksz", "scroll_bar_control_sapphire"}, {"topaz.ksz", "scroll_bar_control_topaz"}};
  const char16_t* names[] = {u"Sapphire (internal)", u"Topaz (internal)"};
  for (int which = 0; which < 2; ++which) {
    std::unique_ptr<TkLoadedSkin> skin = LoadProgramSkin(skins[which][0], names[which]);
    ASSERT_TRUE(skin);
    Skinned s(-180, 180, 40);
    s.bar->Skin = skin.get();
    std::vector<std::unique_ptr<TBitmap>> shots;
    auto shoot = [&] {
      shots.push_back(NewBitmap32(113, 12));
      s.bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shots.back()->Canvas()->Handle()), 0);
      GdiFlush();
    };
    shoot();                   // normal
    s.bar->Perform(CM_MOUSEENTER, 0, 0);
    s.HitAt(s.bar->SliderCenter());
    shoot();                   // hot: track and slider
    s.bar->SetPartState(0, 2);
    shoot();                   // first arrow pressed
    s.bar->SetPartState(4, 2);
    shoot();                   // slider pressed
    s.bar->SetPartState(4, 0);
    s.bar->Perform(CM_MOUSELEAVE, 0, 0);
    s.bar->SetEnabled(false);
    shoot();                   // disabled: no slider
    std::vector<TBitmap*> parts;
    auto gap = NewBitmap32(113, 2);
    for (auto& b : shots) {
      parts.push_back(b.get());
      parts.push_back(gap.get());
    }
    auto sheet = cktest::Stack(parts);
    EXPECT_TRUE(cktest::MatchesGolden(sheet.get(), skins[which][1]));
  }
}

TEST(ScrollBarSkinned, TheWindowMadeForTheSkinIsPaintedOnScreen) {
  std::unique_ptr<TkLoadedSkin> skin = LoadProgramSkin("sapphire.ksz", u"Sapphire (internal)");
  ASSERT_TRUE(skin);
  TestForm form{300, 100};
  auto* bar = BarForm::Make<SkinnedBar>(form, 113);
  bar->Skin = skin.get();
  bar->SetParams(20, 0, 100);
  form->Show();
  // The recreation waits for the first paint of the system window.
  ASSERT_TRUE(fwtest::PumpUntil([&] { return fwtest::ClassNameOf(bar->Handle()) == "TkScrollBar"; }, 5000));
  fwtest::Pump();
  auto want = NewBitmap32(113, 12);
  bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(want->Canvas()->Handle()), 0);
  GdiFlush();
  HDC dc = GetDC(bar->Handle());
  for (int x : {3, 30, 56, 100}) {
    const uint32_t p = View32(*want).Pixel(x, 6);
    EXPECT_EQ(GetPixel(dc, x, 6), COLORREF(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF))) << x;
  }
  ReleaseDC(bar->Handle(), dc);
}
