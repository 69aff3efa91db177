// Balloon hints: line counting, the layout and size of the balloon, the
// position the stem takes by where the anchor lies, the shape and colours
// painted, the hide timer, cancelling, the close button, tracking of the
// anchor form, and the switch to the balloon as the application's hints.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/dialogs/ckballoonhint.h"
#include "fw/controls_test_util.h"
#include "fw/core/form_loader.h"
#include "fw/graphics/graphics.h"
#include "fw/stdctrls/panel.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "xp_test_util.h"

using namespace ck;
using fw::String;
using fw::TPoint;
using fw::TRect;

namespace {

TEST(BalloonText, LinesEndAtBreakCharactersButNotAtTheVeryEnd) {
  struct Case {
    const char16_t* text;
    bool multi;
  } const cases[] = {
      {u"", false},          {u"one line", false}, {u"one line\r\n", false}, {u"one\n", false},
      {u"one\ntwo", true},   {u"one\r\ntwo", true}, {u"one\rtwo", true},      {u"one\u2028two", true},
      {u"one\r\n\r\n", true},  // an empty second line
  };
  for (const Case& c : cases) EXPECT_EQ(IsMultiLineText(c.text), c.multi) << fw::StringToUtf8(c.text);
}

TEST(BalloonText, AnimationFlagsByStyleAndPosition) {
  EXPECT_EQ(BalloonAnimationFlags(atNone, bpLeftDown), 0u);
  EXPECT_EQ(BalloonAnimationFlags(atSlide, bpLeftDown), 0x40004u);
  EXPECT_EQ(BalloonAnimationFlags(atSlide, bpRightUp), 0x40008u);
  EXPECT_EQ(BalloonAnimationFlags(atRoll, bpRightDown), 0x4u);
  EXPECT_EQ(BalloonAnimationFlags(atRoll, bpLeftUp), 0x8u);
  EXPECT_EQ(BalloonAnimationFlags(atSlideHorNeg, bpAuto), 0x40002u);
  EXPECT_EQ(BalloonAnimationFlags(atCenter, bpAuto), 0x10u);
  EXPECT_EQ(BalloonAnimationFlags(atBlend, bpAuto), 0x80000u);
}

// Every balloon test runs on the classic look (no themes, no common
// controls 6), before and after Vista as a case asks.
class Balloon : public ::testing::Test {
 protected:
  void SetUp() override { UsePlatform(false); }
  void TearDown() override {
    hint.reset();
    SetBalloonPlatform(nullptr);
  }
  void UsePlatform(bool vista) {
    TBalloonPlatform p;
    p.XP = true;
    p.Vista = vista;
    p.ComCtl6 = false;
    p.Themes = false;
    SetBalloonPlatform(&p);
  }
  TRect WorkArea() {
    RECT wa{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
    return TRect{wa.left, wa.top, wa.right, wa.bottom};
  }
  int closes = 0;
  void Closed(fw::TObject*) { ++closes; }
  TCkBalloonHint* Make() {
    hint = std::make_unique<TCkBalloonHint>(nullptr);
    hint->FOnClose = fw::TNotifyEvent(this, &Balloon::Closed);
    return hint.get();
  }
  std::unique_ptr<TCkBalloonHint> hint;
};

struct TextSize {
  int w = 0, h = 0;
};

TEST_F(Balloon, LayoutAndSizeFollowTheParts) {
  struct Case {
    bool vista;
    const char16_t* header;
    const char16_t* msg;
    TCkIconKind icon;
    bool close;
    int tip;  // tip height and width
  } const cases[] = {
      {false, u"", u"Plain text", ikNone, false, 12},
      {false, u"Header", u"One line", ikNone, false, 19},
      {false, u"Header", u"Two\nlines", ikNone, false, 21},
      {false, u"Header", u"With icon and close", ikInformation, true, 19},
      {false, u"", u"Icon only\nand two lines", ikWarning, false, 12},
      {true, u"Header", u"Vista, icon", ikError, false, 19},
      {true, u"", u"Vista, icon, no header", ikError, true, 12},
  };
  for (const Case& c : cases) {
    UsePlatform(c.vista);
    TCkBalloonHint* b = Make();
    b->SetOptions({});
    TCkBalloonWindowEx* w = b->HintWindow();
    THintData data;
    data.RUTF8Header = fw::StringToUtf8(c.header);
    data.RIconKind = c.icon;
    data.RShowCloseBtn = c.close;
    TRect r = w->CalcHintRectUTF8(400, fw::StringToUtf8(c.msg), &data);
    const std::string what = fw::StringToUtf8(c.msg);

    TextSize hs, ms;
    if (*c.header) w->MeasureHeader(400, hs.w, hs.h);
    w->MeasureMessage(400, ms.w, ms.h);
    const bool icon = c.icon != ikNone;
    const int cb = c.close ? GetSystemMetrics(SM_CXSMICON) : 0;
    // The header beside the icon, the message below both.
    TRect header{}, msg{};
    if (*c.header) header = TRect{12 + (icon ? 24 : 0), 10, 12 + (icon ? 24 : 0) + hs.w + cb, 10 + hs.h};
    else header = TRect{icon ? 24 : 0, 0, (icon ? 24 : 0) + cb, 0};
    int y;
    if (c.vista) y = icon ? std::max(9 + 16 + 6, header.Bottom + 5) : std::max(9, header.Bottom + 5);
    else y = std::max(icon ? 9 + 16 + 5 : 9, header.Bottom + 4);
    msg = TRect{12, y, 12 + ms.w + cb, y + ms.h};
    EXPECT_EQ(w->HeaderRect(), header) << what;
    EXPECT_EQ(w->MsgRect(), msg) << what;
    const TRect round{0, 0, std::max(msg.Right, header.Right) + 14, std::max(msg.Bottom, header.Bottom) + 11};
    EXPECT_EQ(w->RoundRect(), round) << what;
    EXPECT_EQ(w->TipHeight(), c.tip) << what;
    EXPECT_EQ(w->TipWidth(), c.tip) << what;
    EXPECT_EQ(w->TipDelta(), 16) << what;
    EXPECT_EQ(w->StemRect(), (TRect{16, round.Bottom - 1, 16 + c.tip, round.Bottom - 1 + c.tip})) << what;
    // The anchor at (0, 0): below the stem tip near the right end.
    EXPECT_EQ(r, (TRect{16 - round.Right, 0, 16, round.Bottom - 1 + c.tip})) << what;
    if (icon) EXPECT_EQ(w->IconPos(), (TPoint{12, 9})) << what;
    if (c.close) EXPECT_EQ(w->CloseBtnRect(), (TRect{round.Right - cb - 6, 6, round.Right - 6, 6 + cb})) << what;
  }
}

TEST_F(Balloon, StemPointsAtTheAnchorFromTheSideTheScreenLeaves) {
  const TRect wa = WorkArea();
  const int cx = (wa.Left + wa.Right) / 2, cy = (wa.Top + wa.Bottom) / 2;
  struct Case {
    const char* what;
    TPoint anchor;  // bottom middle of a 40 x 20 rectangle
    TCkBalloonPosition position;
  } const cases[] = {
      {"lower half, left of the middle: below, body left", {cx - 40, cy + 100}, bpLeftDown},
      {"lower half, right of the middle: below, body right", {cx + 40, cy + 100}, bpRightDown},
      {"at the bottom: flips above", {cx - 40, wa.Bottom - 5}, bpLeftUp},
      {"upper half, right: above, body right", {cx + 40, cy - 20}, bpRightUp},
      {"top left corner: below, body right", {wa.Left + 25, wa.Top + 30}, bpRightDown},
      {"bottom right corner: above, body left", {wa.Right - 25, wa.Bottom - 5}, bpLeftUp},
  };
  for (const Case& c : cases) {
    TCkBalloonHint* b = Make();
    b->ActivateHintRect(TRect{c.anchor.x - 20, c.anchor.y - 20, c.anchor.x + 20, c.anchor.y}, u"Header",
                        u"A balloon message", 0);
    TCkBalloonWindowEx* w = b->HintWindow();
    ASSERT_TRUE(b->Active()) << c.what;
    EXPECT_EQ(w->CurrentPosition(), c.position) << c.what;
    const bool down = c.position == bpLeftDown || c.position == bpRightDown;
    // Below: the tip touches the anchor; above: the top of the rectangle.
    const TPoint tip = down ? c.anchor : TPoint{c.anchor.x, c.anchor.y - 20};
    EXPECT_EQ(w->StemPointPosition(), tip) << c.what;
    EXPECT_EQ(w->StemRect().Top, down ? 0 : w->RoundRect().Bottom - 1) << c.what;
    const bool left = c.position == bpLeftDown || c.position == bpLeftUp;
    EXPECT_EQ(w->StemRect().Right == w->RoundRect().Right - 16, left) << c.what;
    EXPECT_GE(w->Left(), wa.Left) << c.what;
    EXPECT_LE(w->Left() + w->Width(), wa.Right) << c.what;
    EXPECT_EQ(b->Data().RStemPointPosition, tip) << c.what;
    EXPECT_TRUE(IsWindowVisible(w->Handle())) << c.what;
  }
}

TEST_F(Balloon, PaintsTheBodyInTheHintColourInsideABlackOutline) {
  TCkBalloonHint* b = Make();
  b->SetOptions({});
  const TRect wa = WorkArea();
  const int cx = (wa.Left + wa.Right) / 2, cy = (wa.Top + wa.Bottom) / 2;
  b->ActivateHintRect(TRect{cx - 60, cy + 80, cx - 20, cy + 100}, u"", u"Pixels", 0, ikNone);
  TCkBalloonWindowEx* w = b->HintWindow();
  ASSERT_EQ(w->CurrentPosition(), bpLeftDown);
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf24bit);
  bmp.SetSize(w->Width(), w->Height());
  bmp.Canvas()->Brush()->SetColor(0x00FF00);
  bmp.Canvas()->FillRect(TRect{0, 0, w->Width(), w->Height()});
  w->PaintTo(bmp.Canvas()->Handle(), 0, 0);
  const TRect round = w->RoundRect(), stem = w->StemRect();
  const fw::TColor body = fw::ColorToRGB(fw::Application->HintColor());
  auto at = [&](int x, int y) { return fw::ColorToRGB(bmp.Canvas()->Pixel(x, y)); };
  const int midY = (round.Top + round.Bottom) / 2;
  EXPECT_EQ(at(round.Left, midY), 0);                     // outline, left edge
  EXPECT_EQ(at(round.Left + 2, midY), body);              // body
  EXPECT_EQ(at(round.Right - 3, midY), body);
  EXPECT_EQ(at(round.Left, round.Top), 0x00FF00);         // the rounded corner is outside
  EXPECT_EQ(at(stem.Left, stem.Top), 0x00FF00);           // beside the tip
  EXPECT_EQ(at(stem.Right - 2, stem.Bottom - 1), body);   // inside the stem, near the body
  EXPECT_EQ(at(stem.Right - 1, stem.Top + 1), 0);         // the stem's upright edge
  // The message is written in the message rectangle.
  bool ink = false;
  const TRect m = w->MsgRect();
  for (int y = m.Top; y < m.Bottom && !ink; ++y)
    for (int x = m.Left; x < m.Right && !ink; ++x) ink = at(x, y) != body;
  EXPECT_TRUE(ink);
  // The window has the same shape.
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(w->Handle(), rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, round.Left, round.Top));
  EXPECT_TRUE(PtInRegion(rgn, round.Left + 3, midY));
  EXPECT_TRUE(PtInRegion(rgn, stem.Right - 2, stem.Bottom - 1));
  DeleteObject(rgn);
}

TEST_F(Balloon, HidesAfterItsTimeAndTellsOnce) {
  TCkBalloonHint* b = Make();
  const TRect wa = WorkArea();
  b->ActivateHintRect(TRect{wa.Left + 300, wa.Top + 300, wa.Left + 340, wa.Top + 320}, u"Soon", u"gone", 80);
  ASSERT_TRUE(b->Active());
  HWND wnd = b->HintWindow()->Handle();
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_TRUE(fwtest::PumpUntil([&] { return !b->Active(); }, 3000));
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(IsWindowVisible(wnd));
  fwtest::Pump(150);
  EXPECT_EQ(closes, 1);
}

TEST_F(Balloon, ZeroTimeStaysUntilCancelledWhichReleasesTheCapture) {
  TCkBalloonHint* b = Make();
  const TRect wa = WorkArea();
  b->ActivateHintRect(TRect{wa.Left + 300, wa.Top + 300, wa.Left + 340, wa.Top + 320}, u"", u"stays", 0);
  fwtest::Pump(200);
  ASSERT_TRUE(b->Active());
  TCkBalloonWindowEx* w = b->HintWindow();
  w->SetMouseCapture(true);
  ASSERT_EQ(GetCapture(), w->Handle());
  b->CancelHint();
  EXPECT_FALSE(b->Active());
  EXPECT_NE(GetCapture(), w->Handle());
  EXPECT_FALSE(w->MouseCapture());
  EXPECT_FALSE(IsWindowVisible(w->Handle()));
  EXPECT_EQ(closes, 1);
  b->CancelHint();  // nothing shown: nothing happens
  EXPECT_EQ(closes, 1);
}

TEST_F(Balloon, WithoutAControlNothingHappens) {
  TCkBalloonHint* b = Make();
  const TRect wa = WorkArea();
  b->ActivateHintRect(TRect{wa.Left + 300, wa.Top + 300, wa.Left + 340, wa.Top + 320}, u"", u"first", 0);
  const THintData before = b->Data();
  b->ActivateHint(nullptr, u"second", u"Header", 4000);
  b->ActivateHint(nullptr, u"second", ikError, u"Header", 4000);
  b->ActivateHint(nullptr, u"second", 3, u"Header", 4000);
  EXPECT_TRUE(b->Active());
  EXPECT_EQ(closes, 0);
  EXPECT_EQ(b->Data().RUTF8Hint, before.RUTF8Hint);
  EXPECT_TRUE(IsWindowVisible(b->HintWindow()->Handle()));
}

struct AnchorForm {
  fwtest::TestForm form;
  fw::TPanel* panel;
  AnchorForm(int left, int top) : form(300, 200) {
    form->SetBounds(left, top, 300, 200);
    panel = new fw::TPanel(form.form);
    panel->SetParent(form.form);
    panel->SetBounds(50, 60, 100, 30);
    form->Show();
    fwtest::Pump();
  }
};

TEST_F(Balloon, AnchoredToAControlHangsBelowOrLiftsAboveIt) {
  const TRect wa = WorkArea();
  const int cx = (wa.Left + wa.Right) / 2, cy = (wa.Top + wa.Bottom) / 2;
  for (bool nearBottom : {false, true}) {
    AnchorForm f(cx - 150, nearBottom ? wa.Bottom - 120 : cy + 20);
    TCkBalloonHint* b = Make();
    b->SetOptions({boUseDefaultIcon, boShowCloseBtn});
    b->ActivateHint(f.panel, u"Pick the character", u"Vestaline", 4000);
    TCkBalloonWindowEx* w = b->HintWindow();
    ASSERT_TRUE(b->Active());
    EXPECT_EQ(b->Data().RAnchorWindow, f.form.form);
    const TPoint bottom = f.panel->ClientToScreen(TPoint{50, 30}), top = f.panel->ClientToScreen(TPoint{50, 0});
    if (nearBottom) {
      EXPECT_TRUE(w->CurrentPosition() == bpLeftUp || w->CurrentPosition() == bpRightUp);
      EXPECT_EQ(w->StemPointPosition(), top);
      EXPECT_EQ(w->Top() + w->Height(), top.y);
    } else {
      EXPECT_TRUE(w->CurrentPosition() == bpLeftDown || w->CurrentPosition() == bpRightDown);
      EXPECT_EQ(w->StemPointPosition(), bottom);
    }
    // Stored in the form's client coordinates.
    EXPECT_EQ(b->Data().RStemPointPosition, f.form->ScreenToClient(w->StemPointPosition()));
    // The default icon replaces the overload's ikNone.
    EXPECT_EQ(b->Data().RIconKind, ikInformation);
    EXPECT_TRUE(w->ShowIcon());
    EXPECT_TRUE(w->ShowHeader());
    b->CancelHint();
  }
}

TEST_F(Balloon, DefaultIconServesEveryOverload) {
  AnchorForm f(200, 200);
  TCkBalloonHint* b = Make();
  b->SetOptions({boUseDefaultIcon, boShowCloseBtn});
  b->ActivateHint(f.panel, u"a", u"", 0);
  EXPECT_EQ(b->Data().RIconKind, ikInformation);
  b->ActivateHint(f.panel, u"b", ikError, u"", 0);
  EXPECT_EQ(b->Data().RIconKind, ikInformation);
  b->ActivateHint(f.panel, u"c", 5, u"", 0);
  EXPECT_EQ(b->Data().RIconKind, ikInformation);
  EXPECT_TRUE(b->HintWindow()->ShowIcon());
  EXPECT_TRUE(b->Data().RShowCloseBtn);
  // Each activation cancelled the one before.
  EXPECT_EQ(closes, 2);
}

TEST_F(Balloon, AnchorFormClosingOrShrinkingCancels) {
  TCkBalloonHint* b = Make();
  {
    AnchorForm f(200, 200);
    b->ActivateHint(f.panel, u"closing", u"", 0);
    ASSERT_TRUE(b->Active());
    SendMessageW(f.form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(b->Active());
    EXPECT_EQ(closes, 1);
  }
  AnchorForm f(200, 200);
  b->ActivateHint(f.panel, u"shrinking", u"", 0);
  ASSERT_TRUE(b->Active());
  // Above or below the panel, by where the form lies on the screen.
  const int stemY = b->Data().RStemPointPosition.y;
  f.form->SetBounds(200, 200, 300, stemY + 10);
  EXPECT_TRUE(b->Active());
  f.form->SetBounds(200, 200, 300, stemY - 5);
  EXPECT_FALSE(b->Active());
  EXPECT_EQ(closes, 2);
  // Moving the form moves the balloon with it.
  b->ActivateHint(f.panel, u"moving", u"", 0);
  TPoint before{b->HintWindow()->Left(), b->HintWindow()->Top()};
  f.form->SetBounds(230, 210, 300, f.form->Height());
  fwtest::Pump();
  EXPECT_EQ(b->HintWindow()->Left(), before.x + 30);
  EXPECT_EQ(b->HintWindow()->Top(), before.y + 10);
}

TEST_F(Balloon, CloseButtonAsksAndCancels) {
  TCkBalloonHint* b = Make();
  b->SetOptions({boShowCloseBtn});
  struct Ask {
    bool allow = false;
    int asked = 0, clicks = 0;
    void Query(fw::TObject*, bool& canClose) {
      ++asked;
      canClose = allow;
    }
    void Click(fw::TObject*) { ++clicks; }
  } ask;
  b->FOnCloseBtnClick = TCkCloseQueryEvent(&ask, &Ask::Query);
  b->FOnBalloonClick = fw::TNotifyEvent(&ask, &Ask::Click);
  const TRect wa = WorkArea();
  b->ActivateHintRect(TRect{wa.Left + 300, wa.Top + 300, wa.Left + 340, wa.Top + 320}, u"Close me", u"text", 0);
  TCkBalloonWindowEx* w = b->HintWindow();
  const TRect cb = w->CloseBtnRect();
  const LPARAM in = MAKELPARAM((cb.Left + cb.Right) / 2, (cb.Top + cb.Bottom) / 2);
  EXPECT_EQ(w->CloseState(), UINT(DFCS_FLAT));
  SendMessageW(w->Handle(), WM_MOUSEMOVE, 0, in);
  EXPECT_EQ(w->CloseState(), UINT(DFCS_FLAT | DFCS_HOT));
  SendMessageW(w->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, in);
  EXPECT_EQ(w->CloseState(), UINT(DFCS_FLAT | DFCS_HOT | DFCS_PUSHED));
  SendMessageW(w->Handle(), WM_LBUTTONUP, 0, in);
  EXPECT_EQ(ask.asked, 1);
  EXPECT_EQ(ask.clicks, 0);  // the close button is no balloon click
  EXPECT_TRUE(b->Active());
  ask.allow = true;
  SendMessageW(w->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, in);
  SendMessageW(w->Handle(), WM_LBUTTONUP, 0, in);
  EXPECT_EQ(ask.asked, 2);
  EXPECT_FALSE(b->Active());
  EXPECT_EQ(closes, 1);
  // A click on the body is a balloon click.
  b->ActivateHintRect(TRect{wa.Left + 300, wa.Top + 300, wa.Left + 340, wa.Top + 320}, u"", u"body", 0);
  const TRect m = w->MsgRect();
  const LPARAM body = MAKELPARAM(m.Left + 2, m.Top + 2);
  SendMessageW(w->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, body);
  SendMessageW(w->Handle(), WM_LBUTTONUP, 0, body);
  EXPECT_EQ(ask.clicks, 1);
  EXPECT_TRUE(b->Active());
}

TEST_F(Balloon, ServesAsTheApplicationsHintWindow) {
  fw::THintWindowClass original = fw::Application->HintWindowClass();
  TCkBalloonHint* b = Make();
  b->SetUseBalloonAsApplicationHint(true);
  EXPECT_EQ(fw::Application->HintWindowClass(), TCkBalloonWindow::StaticClass());
  b->SetUseBalloonAsApplicationHint(true);  // the saved class stays the original
  b->SetUseBalloonAsApplicationHint(false);
  EXPECT_EQ(fw::Application->HintWindowClass(), original);
  b->SetUseBalloonAsApplicationHint(true);
  // Destroying the main control gives the application its own hints back.
  hint.reset();
  EXPECT_EQ(fw::Application->HintWindowClass(), original);
  EXPECT_FALSE(GlobalCtrl()->UseBalloonAsApplicationHint());
}

TEST_F(Balloon, ApplicationHintIsABalloonWithTheMainControlsHeader) {
  TCkBalloonHint* b = Make();
  b->SetDefaultHeader(u"Vestaline");
  b->SetMaxWidth(120);
  b->SetUseBalloonAsApplicationHint(true);
  TCkBalloonWindow w(nullptr);
  const String text = u"A control hint long enough to be wrapped at the main control's width";
  TRect r = w.CalcHintRect(1000, text, nullptr);
  EXPECT_TRUE(w.ShowHeader());
  EXPECT_EQ(w.Header(), u"Vestaline");
  EXPECT_TRUE(w.ShowIcon());  // ahShowIconInHint with the information icon
  EXPECT_LE(w.MsgRect().Width(), 120);
  EXPECT_GT(w.MsgRect().Height(), w.HeaderRect().Height());  // wrapped
  // The application places the size at its hint position (the stem tip).
  const TRect wa = WorkArea();
  const TPoint pos{(wa.Left + wa.Right) / 2 - 30, (wa.Top + wa.Bottom) / 2 + 40};
  w.ActivateHint(TRect{pos.x, pos.y, pos.x + r.Width(), pos.y + r.Height()}, text);
  EXPECT_TRUE(IsWindowVisible(w.Handle()));
  EXPECT_EQ(w.CurrentPosition(), bpLeftDown);
  EXPECT_EQ(w.StemPointInRect(TRect{w.Left(), w.Top(), w.Left() + w.Width(), w.Top() + w.Height() - 4}), pos);
  w.ReleaseHandle();
  EXPECT_FALSE(IsWindowVisible(w.Handle()));
  b->SetUseBalloonAsApplicationHint(false);
}

TEST_F(Balloon, HoveringAControlShowsItsHintAsABalloon) {
  TCkBalloonHint* b = Make();
  b->SetDefaultHeader(u"Vestaline");
  b->SetUseBalloonAsApplicationHint(true);
  AnchorForm f(200, 200);
  xptest::OnTop(f.form.form);
  f.panel->SetHint(u"Crop the character");
  f.panel->SetShowHint(true);
  const int pause = fw::Application->HintPause();
  fw::Application->SetHintPause(20);
  xptest::VirtualMouse mouse;
  auto shown = [] { return fw::Application->HintWindow() != nullptr; };
  for (int i = 0; i < 12 && !shown(); ++i) {
    mouse.MoveTo(f.panel, 10 + i % 2, 10);
    fwtest::PumpUntil(shown, 250);
  }
  ASSERT_TRUE(shown());
  auto* w = dynamic_cast<TCkBalloonWindow*>(fw::Application->HintWindow());
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(IsWindowVisible(w->Handle()));
  EXPECT_EQ(w->Header(), u"Vestaline");
  EXPECT_EQ(w->Msg(), u"Crop the character");
  EXPECT_NE(w->CurrentPosition(), bpAuto);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(w->Handle(), rgn), ERROR);  // shaped as a balloon
  DeleteObject(rgn);
  // Switching off (as for a screen capture) takes the balloon away.
  b->SetUseBalloonAsApplicationHint(false);
  EXPECT_EQ(fw::Application->HintWindow(), nullptr);
  fw::Application->SetHintPause(pause);
}

TEST_F(Balloon, MinimisingTheAnchorFormHidesTheBalloonUntilRestored) {
  AnchorForm f(200, 200);
  TCkBalloonHint* b = Make();
  b->ActivateHint(f.panel, u"follows the form", u"", 0);
  HWND w = b->HintWindow()->Handle();
  ASSERT_TRUE(IsWindowVisible(w));
  ShowWindow(f.form->Handle(), SW_MINIMIZE);
  fwtest::Pump(50);
  EXPECT_FALSE(IsWindowVisible(w));
  EXPECT_TRUE(b->Active());
  ShowWindow(f.form->Handle(), SW_RESTORE);
  fwtest::Pump(50);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(closes, 0);
}

TEST_F(Balloon, FormDescriptionsCreateTheComponent) {
  RegisterBalloonHintClasses();
  fw::TComponent root(nullptr);
  fw::ReadRootComponent(&root,
                        u"object Root: TComponent\n"
                        u"  object Balloon: TCkBalloonHint\n"
                        u"    DefaultHeader = 'Vestaline'\n"
                        u"    Options = [boUseDefaultIcon, boShowCloseBtn]\n"
                        u"    MaxWidth = 252\n"
                        u"    CustomAnimationStyle = atNone\n"
                        u"  end\n"
                        u"end\n",
                        u"Root.form");
  auto* b = dynamic_cast<TCkBalloonHint*>(root.FindComponent(u"Balloon"));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->DefaultHeader(), u"Vestaline");
  EXPECT_EQ(b->Options(), (TCkBalloonOptions{boUseDefaultIcon, boShowCloseBtn}));
  EXPECT_EQ(b->MaxWidth(), 252);
  EXPECT_EQ(b->CustomAnimationStyle(), atNone);
  EXPECT_EQ(GlobalCtrl()->MainCtrl(), b);
}

}  // namespace
