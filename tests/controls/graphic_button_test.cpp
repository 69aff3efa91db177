// Graphic buttons: the mouse states and click semantics, latching groups,
// one size for a form, the drop-down menu, the accelerator; the transparent
// button's frames per style and state, its pictures per state from image
// lists or a glyph strip, the picture routines and the action binding.
#include <gtest/gtest.h>

#include <memory>

#include "controls/base/cktransparentbutton.h"
#include "fw/controls_test_util.h"
#include "fw/graphics/imagelist.h"
#include "fw/stdctrls_test_util.h"
#include "fw/system/actions.h"

using namespace ck;
using namespace fw;
using fwtest::Pump;
using fwtest::TestForm;

namespace {

constexpr TColor kBack = 0x00F0E0D0;  // the host panel's colour

// A shown form with a panel holding transparent buttons.
struct ButtonForm {
  TestForm form;
  TPanel* host;
  ButtonForm() : form(300, 200) {
    host = new TPanel(form.form);
    host->SetParent(form.form);
    host->SetBevelOuter(bvNone);
    host->SetColor(kBack);
    host->SetBounds(0, 0, 300, 200);
    form->Show();
    Pump();
  }
  TCkTransparentButton* Add(int left = 10, int top = 10, int w = 40, int h = 30) {
    auto* b = new TCkTransparentButton(form.form);
    b->SetParent(host);
    b->SetBounds(left, top, w, h);
    return b;
  }
  // What the button paints, as the host paints it.
  std::unique_ptr<TBitmap> Shot() { return fwtest::Capture(host); }
};

struct Clicks {
  int n = 0;
  void Click(TObject*) { ++n; }
};

void Press(TControl* b, int x = 5, int y = 5) { b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(x, y)); }
void MoveTo(TControl* b, int x, int y) { b->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(x, y)); }
void Release(TControl* b, int x = 5, int y = 5) { b->Perform(WM_LBUTTONUP, 0, PointToLParam(x, y)); }

TBitmap* Solid(TBitmap* bmp, int w, int h, TColor c) {
  bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(w, h);
  bmp->Canvas()->Brush()->SetColor(c);
  bmp->Canvas()->FillRect(Rect(0, 0, w, h));
  return bmp;
}

// An image list of 8 x 8 pictures, one per colour, on a white mask colour.
std::unique_ptr<TImageList> ListOf(std::initializer_list<TColor> colors) {
  auto list = std::make_unique<TImageList>(nullptr);
  list->SetWidth(8);
  list->SetHeight(8);
  for (TColor c : colors) {
    TBitmap bmp;
    Solid(&bmp, 8, 8, c);
    list->Add(&bmp, nullptr);
  }
  return list;
}

}  // namespace

// ---- The graphic button base

TEST(GraphicButton, PressMoveAndReleaseFollowTheMouseAndClickOnlyInside) {
  ButtonForm f;
  auto* b = f.Add();
  Clicks clicks;
  b->OnClick = TNotifyEvent(&clicks, &Clicks::Click);
  Press(b);
  EXPECT_EQ(b->MouseStates(), (TCkButtonMouseStates{bsMouseInside, bsMouseDown}));
  EXPECT_TRUE(b->MouseCapture());
  MoveTo(b, 60, 5);
  EXPECT_EQ(b->MouseStates(), TCkButtonMouseStates{bsMouseDown}) << "dragged outside";
  MoveTo(b, 6, 6);
  EXPECT_TRUE(b->MouseStates().Contains(bsMouseInside));
  Release(b, 60, 5);
  EXPECT_FALSE(b->MouseStates().Contains(bsMouseDown));
  EXPECT_FALSE(b->MouseCapture());
  EXPECT_EQ(clicks.n, 0) << "released outside";
  Press(b);
  Release(b);
  EXPECT_EQ(clicks.n, 1);
}

TEST(GraphicButton, APressOutsideTheButtonCapturesButDoesNotPress) {
  ButtonForm f;
  auto* b = f.Add();
  Press(b, 50, 5);
  EXPECT_FALSE(b->MouseStates().Contains(bsMouseDown));
  EXPECT_TRUE(b->MouseCapture());
  Release(b, 50, 5);
}

TEST(GraphicButton, MouseEnterAndLeaveMarkTheButtonOnlyWhenEnabled) {
  ButtonForm f;
  auto* b = f.Add();
  struct Count {
    int enter = 0, leave = 0;
    void Enter(TObject*) { ++enter; }
    void Leave(TObject*) { ++leave; }
  } count;
  b->OnMouseEnter = TNotifyEvent(&count, &Count::Enter);
  b->OnMouseLeave = TNotifyEvent(&count, &Count::Leave);
  b->Perform(CM_MOUSEENTER, 0, 0);
  b->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(b->MouseStates(), TCkButtonMouseStates{bsMouseInside});
  EXPECT_EQ(count.enter, 1) << "already marked over";
  b->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(b->MouseStates().Empty());
  EXPECT_EQ(count.leave, 1);
  b->SetEnabled(false);
  b->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_TRUE(b->MouseStates().Empty());
  EXPECT_EQ(count.enter, 1);
}

TEST(GraphicButton, DisablingClearsTheStates) {
  ButtonForm f;
  auto* b = f.Add();
  Press(b);
  b->SetEnabled(false);
  EXPECT_TRUE(b->MouseStates().Empty());
  Release(b);
}

TEST(GraphicButton, GroupedButtonsLatchOneDownAtATime) {
  struct Case {
    const char* name;
    bool allowAllUp;
    bool clickSecond;
    bool firstDown, secondDown;
  };
  const Case cases[] = {
      {"clicking the down one without AllowAllUp leaves it down", false, false, true, false},
      {"clicking the other puts it down and the first up", false, true, false, true},
      {"with AllowAllUp the down one comes up", true, false, false, false},
      {"with AllowAllUp the other still takes over", true, true, false, true},
  };
  for (const Case& c : cases) {
    ButtonForm f;
    auto* a = f.Add(10);
    auto* b = f.Add(60);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    a->SetAllowAllUp(c.allowAllUp);
    a->SetDown(true);
    ASSERT_TRUE(a->Down()) << c.name;
    EXPECT_EQ(b->AllowAllUp(), c.allowAllUp) << "the group takes the sender's AllowAllUp";
    TCkTransparentButton* target = c.clickSecond ? b : a;
    Press(target);
    Release(target);
    EXPECT_EQ(a->Down(), c.firstDown) << c.name;
    EXPECT_EQ(b->Down(), c.secondDown) << c.name;
  }
}

TEST(GraphicButton, DownNeedsAGroup) {
  ButtonForm f;
  auto* b = f.Add();
  b->SetDown(true);
  EXPECT_FALSE(b->Down());
  Press(b);
  Release(b);
  EXPECT_FALSE(b->Down());
}

TEST(GraphicButton, ForceSameSizeResizesTheOtherButtonsOfTheForm) {
  ButtonForm f;
  auto* a = f.Add(10);
  auto* b = f.Add(60);
  auto* direct = new TCkTransparentButton(f.form.form);
  direct->SetParent(f.form.form);
  direct->SetBounds(100, 150, 40, 30);
  a->SetForceSameSize(true);
  a->SetBounds(10, 10, 50, 44);
  EXPECT_EQ(direct->BoundsRect(), Rect(100, 150, 150, 194)) << "a control of the form itself";
  EXPECT_EQ(b->Width(), 40) << "a button on a panel is not the form's own control";
  direct->SetBounds(100, 150, 20, 20);
  EXPECT_EQ(a->Width(), 50) << "only a forcing button broadcasts";
}

TEST(GraphicButton, AltAndTheAcceleratorClick) {
  ButtonForm f;
  auto* b = f.Add();
  b->SetCaption(u"&Gray");
  Clicks clicks;
  b->OnClick = TNotifyEvent(&clicks, &Clicks::Click);
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'g', 0x20000000), 1);
  EXPECT_EQ(clicks.n, 1);
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'g', 0), 0) << "without Alt";
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'x', 0x20000000), 0);
  EXPECT_EQ(clicks.n, 1);
}

TEST(GraphicButton, OnDropDownMenuCanTakeThePressInsteadOfTheMenu) {
  ButtonForm f;
  auto* b = f.Add(10, 10, 40, 30);
  TPopupMenu menu(f.form.form);
  menu.SetAlignment(paRight);
  b->SetDropDownMenu(&menu);
  struct Log {
    TPoint at{-1, -1};
    int closes = 0;
    void Drop(TObject*, const TPoint& p, bool& handled) {
      at = p;
      handled = true;
    }
    void Close(TObject*) { ++closes; }
  } log;
  b->OnDropDownMenu = TContextPopupEvent(&log, &Log::Drop);
  b->OnDropDownClose = TNotifyEvent(&log, &Log::Close);
  Press(b);
  TPoint corner = b->ClientToScreen(TPoint{0, 30});
  EXPECT_EQ(log.at.x, corner.x + 40) << "right alignment starts at the right edge";
  EXPECT_EQ(log.at.y, corner.y);
  EXPECT_EQ(log.closes, 0);
  EXPECT_EQ(menu.PopupComponent(), b);
  Release(b);
}

TEST(GraphicButton, TheDropDownMenuOpensBelowAndItsCloseEndsThePress) {
  ButtonForm f;
  auto* b = f.Add();
  TPopupMenu menu(f.form.form);
  auto* item = new TMenuItem(&menu);
  item->SetCaption(u"Item");
  menu.Items()->Add(item);
  b->SetDropDownMenu(&menu);
  struct Log {
    int closes = 0;
    void Close(TObject*) { ++closes; }
  } log;
  b->OnDropDownClose = TNotifyEvent(&log, &Log::Close);
  // The menu's own loop runs the timer, which closes it.
  UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  Press(b);
  KillTimer(nullptr, timer);
  EXPECT_EQ(log.closes, 1);
  EXPECT_FALSE(b->MouseStates().Contains(bsMouseDown));
  EXPECT_FALSE(b->MouseCapture());
}

TEST(GraphicButton, TheDropArrowIsDrawnInTheTextColourOrGreyedWhenDisabled) {
  ButtonForm f;
  auto* b = f.Add(10, 10, 40, 30);
  b->SetFrameStyle(fsNone);
  TPopupMenu menu(f.form.form);
  b->SetDropDownMenu(&menu);
  b->SetDropArrow(true);
  // The arrow rectangle is (24, 15, 31, 24) in the button: its top line
  // runs from x 24 to 30, its tip is at (27, 18).
  auto shot = f.Shot();
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 10 + 24, 10 + 15), ColorToRGB(clWindowText));
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 10 + 30, 10 + 15), ColorToRGB(clWindowText));
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 10 + 27, 10 + 18), ColorToRGB(clWindowText));
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 10 + 31, 10 + 15), kBack);
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 10 + 26, 10 + 18), kBack);
  b->SetEnabled(false);
  shot = f.Shot();
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 10 + 27, 10 + 18), ColorToRGB(clInactiveCaption));
}

// ---- Transparent button frames

namespace {

enum class State { Normal, Hot, Pressed, Disabled };

struct FrameCase {
  const char* name;
  TCkFrameStyle style;
  bool transparent;
  int borderWidth;
  State state;
  // Expected colours at the outer corner (0, 0), the outer bottom-right
  // corner and the next ring's top-left (1, 1); kBack means the host shows.
  TColor outer, outerEnd, inner;
};

const FrameCase kFrames[] = {
    {"regular, transparent, idle: only the black background ring", fsRegular, true, 1, State::Normal, kBack,
     clBlack, clBlack},
    {"regular, transparent, hot", fsRegular, true, 1, State::Hot, clBtnHighlight, clBlack, 0x00DFDFDF},
    {"regular, transparent, pressed", fsRegular, true, 1, State::Pressed, clBlack, clBtnHighlight, clBtnShadow},
    {"regular, width 0, hot: no frame lines", fsRegular, true, 0, State::Hot, kBack, kBack, kBack},
    {"regular, width 0, pressed: no frame lines", fsRegular, true, 0, State::Pressed, kBack, kBack, kBack},
    {"explorer, idle: the thin frame in every state", fsExplorer, true, 1, State::Normal, clBtnHighlight,
     clBtnShadow, kBack},
    {"explorer, pressed", fsExplorer, true, 1, State::Pressed, clBtnShadow, clBtnHighlight, kBack},
    {"explorer, disabled", fsExplorer, true, 1, State::Disabled, clBtnHighlight, clBtnShadow, kBack},
    {"indent, hot", fsIndent, true, 1, State::Hot, clBtnShadow, clBtnHighlight, clBtnHighlight},
    {"mono, idle: nothing", fsMono, true, 0, State::Normal, kBack, kBack, kBack},
    {"mono, hot", fsMono, true, 0, State::Hot, clBtnHighlight, cl3DDkShadow, kBack},
    {"mono, pressed", fsMono, true, 0, State::Pressed, cl3DDkShadow, clBtnHighlight, kBack},
    {"light, opaque, idle", fsLight, false, 1, State::Normal, clBtnHighlight, clBtnShadow, clWindow},
    {"dark, opaque, pressed", fsDark, false, 1, State::Pressed, cl3DDkShadow, clBtnFace, clWindow},
    {"none, opaque, pressed: nothing but the fill", fsNone, false, 1, State::Pressed, clWindow, clWindow, clWindow},
};

class Frames : public ::testing::TestWithParam<FrameCase> {};

}  // namespace

TEST_P(Frames, PaintTheStyleOfTheState) {
  const FrameCase& c = GetParam();
  ButtonForm f;
  auto* b = f.Add(10, 10, 40, 30);
  b->SetColor(clWindow);
  b->SetFrameStyle(c.style);
  b->SetTransparent(c.transparent);
  b->SetBorderWidth(c.borderWidth);
  switch (c.state) {
    case State::Normal: break;
    case State::Hot: b->Perform(CM_MOUSEENTER, 0, 0); break;
    case State::Pressed: Press(b); break;
    case State::Disabled: b->SetEnabled(false); break;
  }
  auto shot = f.Shot();
  auto rgb = [](TColor x) { return x == kBack ? kBack : ColorToRGB(x); };
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 10, 10), rgb(c.outer)) << c.name;
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 49, 39), rgb(c.outerEnd)) << c.name;
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 11, 11), rgb(c.inner)) << c.name;
  if (c.state == State::Pressed) Release(b);
}

INSTANTIATE_TEST_SUITE_P(Styles, Frames, ::testing::ValuesIn(kFrames));

// ---- Transparent button pictures

TEST(TransparentButton, ShowsThePictureOfEachState) {
  ButtonForm f;
  auto* b = f.Add(10, 10, 40, 30);
  b->SetHotTrack(true);
  auto active = ListOf({clRed});
  auto disabled = ListOf({clBlue});
  auto down = ListOf({clLime});
  auto gray = ListOf({clGray});
  auto hot = ListOf({clYellow});
  TCkTransparentButtonImages* im = b->Images();
  im->SetActiveImage(active.get());
  im->SetDisabledImage(disabled.get());
  im->SetDownImage(down.get());
  im->SetGrayImage(gray.get());
  im->SetHotImage(hot.get());
  im->SetActiveIndex(0);
  im->SetDisabledIndex(0);
  im->SetDownIndex(0);
  im->SetGrayIndex(0);
  im->SetHotIndex(0);
  ASSERT_EQ(b->InternalList()->Count(), 5);
  // The 8 x 8 picture is centred: (16, 11) in the button; pressed it moves
  // by PressOffset.
  auto centre = [&](int d = 0) { return fwtest::PixelAt(f.Shot().get(), 10 + 16 + 4 + d, 10 + 11 + 4 + d); };
  EXPECT_EQ(centre(), ColorToRGB(clGray)) << "explorer style with AutoGray and no mouse: grey";
  b->SetAutoGray(false);
  EXPECT_EQ(centre(), clRed);
  b->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(centre(), clYellow);
  Press(b);
  EXPECT_EQ(centre(1), clLime);
  EXPECT_EQ(fwtest::PixelAt(f.Shot().get(), 10 + 16, 10 + 11), kBack) << "the picture moved by one";
  Release(b);
  b->Perform(CM_MOUSELEAVE, 0, 0);
  b->SetEnabled(false);
  EXPECT_EQ(centre(), clBlue);
}

TEST(TransparentButton, KeepMouseLeavePressedKeepsTheDownPictureOutside) {
  for (bool keep : {false, true}) {
    ButtonForm f;
    auto* b = f.Add(10, 10, 40, 30);
    b->SetAutoGray(false);
    auto active = ListOf({clRed});
    auto down = ListOf({clLime});
    b->Images()->SetActiveImage(active.get());
    b->Images()->SetActiveIndex(0);
    b->Images()->SetDownImage(down.get());
    b->Images()->SetDownIndex(0);
    b->SetKeepMouseLeavePressed(keep);
    Press(b);
    MoveTo(b, 80, 5);
    EXPECT_EQ(b->PictureIndex(), keep ? 2 : 0) << "keep " << keep;
    Release(b, 80, 5);
  }
}

TEST(TransparentButton, DerivesTheMissingPicturesFromTheActiveOne) {
  ButtonForm f;
  auto* b = f.Add();
  auto active = std::make_unique<TImageList>(nullptr);
  active->SetWidth(8);
  active->SetHeight(8);
  TBitmap pic;
  Solid(&pic, 8, 8, clWhite);
  pic.Canvas()->Brush()->SetColor(static_cast<TColor>(0x00326496));  // R 150, G 100, B 50
  pic.Canvas()->FillRect(Rect(2, 2, 6, 6));
  active->AddMasked(&pic, clWhite);
  b->Images()->SetActiveImage(active.get());
  b->Images()->SetActiveIndex(0);
  ASSERT_EQ(b->InternalList()->Count(), 5);
  TBitmap got;
  got.SetPixelFormat(pf24bit);
  b->InternalList()->GetBitmap(0, &got);
  EXPECT_EQ(fwtest::PixelAt(&got, 3, 3), 0x00326496);
  EXPECT_EQ(fwtest::PixelAt(&got, 0, 0), clWhite) << "transparent around the shape";
  // Grey with the weights 11 (red), 59 (green), 30 (blue).
  b->InternalList()->GetBitmap(3, &got);
  int grey = (11 * 150 + 59 * 100 + 30 * 50) / 100;
  EXPECT_EQ(fwtest::PixelAt(&got, 3, 3), static_cast<TColor>(grey | grey << 8 | grey << 16));
  EXPECT_EQ(fwtest::PixelAt(&got, 0, 0), clWhite);
  // Embossed: the shape in shadow, highlight one pixel below-right of it.
  b->InternalList()->GetBitmap(1, &got);
  EXPECT_EQ(fwtest::PixelAt(&got, 2, 2), ColorToRGB(clBtnShadow));
  EXPECT_EQ(fwtest::PixelAt(&got, 6, 6), ColorToRGB(clBtnHighlight));
  b->InternalList()->GetBitmap(2, &got);
  EXPECT_EQ(fwtest::PixelAt(&got, 3, 3), 0x00326496) << "down: the active picture";
}

TEST(TransparentButton, NoActiveIndexMeansNoPicture) {
  ButtonForm f;
  auto* b = f.Add();
  auto active = ListOf({clRed});
  b->Images()->SetActiveImage(active.get());
  EXPECT_EQ(b->InternalList()->Count(), 0);
  EXPECT_EQ(b->PictureIndex(), -1);
}

TEST(TransparentButton, AGlyphStripGivesNumGlyphsAndTheGreyAndDisabledCopies) {
  struct Case {
    int width;
    int expected;
  };
  for (Case c : {Case{64, 4}, Case{80, 1}, Case{50, 3}, Case{32, 2}}) {
    ButtonForm f;
    auto* b = f.Add();
    b->SetNumGlyphs(3);
    TBitmap glyph;
    Solid(&glyph, c.width, 16, clRed);
    b->SetGlyph(&glyph);
    EXPECT_FALSE(b->UseImages());
    EXPECT_EQ(b->NumGlyphs(), c.expected) << c.width << " x 16";
    EXPECT_EQ(b->InternalList()->Count(), c.expected + 2);
    EXPECT_EQ(b->InternalList()->Width(), c.width / c.expected);
  }
}

TEST(TransparentButton, GlyphPicturesFollowTheState) {
  ButtonForm f;
  auto* b = f.Add();
  b->SetAutoGray(false);
  TBitmap glyph;
  Solid(&glyph, 48, 16, clRed);
  b->SetGlyph(&glyph);
  ASSERT_EQ(b->NumGlyphs(), 3);
  EXPECT_EQ(b->PictureIndex(), 0);
  Press(b);
  EXPECT_EQ(b->PictureIndex(), 2);
  Release(b);
  b->Perform(CM_MOUSELEAVE, 0, 0);
  b->SetAutoGray(true);
  EXPECT_EQ(b->PictureIndex(), 3) << "the grey copy after the slices";
  b->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(b->PictureIndex(), 0);
  b->Perform(CM_MOUSELEAVE, 0, 0);
  b->SetEnabled(false);
  EXPECT_EQ(b->PictureIndex(), 3);
  Solid(&glyph, 16, 16, clRed);
  b->SetGlyph(&glyph);
  ASSERT_EQ(b->NumGlyphs(), 1);
  EXPECT_EQ(b->PictureIndex(), 2) << "one glyph, disabled: the disabled copy";
}

TEST(TransparentButton, AnOpaquePressedButtonShowsTheCheckerboard) {
  ButtonForm f;
  auto* b = f.Add(10, 10, 40, 30);
  b->SetTransparent(false);
  b->SetFrameStyle(fsNone);
  TBitmap glyph;
  b->SetGlyph(Solid(&glyph, 8, 8, clRed));
  Press(b);
  auto shot = f.Shot();
  // Inside BorderWidth + 1: the pattern, white where x and y share parity.
  TColor a = fwtest::PixelAt(shot.get(), 10 + 4, 10 + 4);
  TColor c = fwtest::PixelAt(shot.get(), 10 + 5, 10 + 4);
  EXPECT_EQ(a == clWhite ? c : a, ColorToRGB(clBtnFace));
  EXPECT_NE(a, c);
  Release(b);
}

TEST(TransparentButton, CaptionsStandAroundThePicture) {
  ButtonForm f;
  auto* b = f.Add(10, 10, 80, 40);
  b->SetFrameStyle(fsNone);
  b->Font()->SetColor(clBlack);
  b->Font()->SetName(u"Arial");
  b->SetCaption(u"MM");
  auto inkRows = [&](int x0, int x1) {
    auto shot = f.Shot();
    int top = -1, bottom = -1;
    for (int y = 10; y < 50; ++y)
      for (int x = 10 + x0; x < 10 + x1; ++x)
        if (fwtest::PixelAt(shot.get(), x, y) == clBlack) {
          if (top < 0) top = y - 10;
          bottom = y - 10;
        }
    return std::pair<int, int>(top, bottom);
  };
  auto centred = inkRows(0, 80);
  ASSERT_GE(centred.first, 0);
  EXPECT_NEAR(centred.first + centred.second, 40, 4) << "centred vertically";
  b->SetTextAlign(ttaBottom);
  auto bottom = inkRows(0, 80);
  EXPECT_GT(bottom.first, centred.first);
  b->SetTextAlign(ttaTop);
  auto top = inkRows(0, 80);
  EXPECT_LT(top.first, centred.first);
  b->SetEnabled(false);
  auto shot = f.Shot();
  bool black = false;
  for (int y = 10; y < 50; ++y)
    for (int x = 10; x < 90; ++x) black |= fwtest::PixelAt(shot.get(), x, y) == clBlack;
  EXPECT_FALSE(black) << "disabled text is etched, not black";
}

TEST(TransparentButton, AnActionGivesItsPictureAndCheckedState) {
  ButtonForm f;
  auto* b = f.Add();
  b->SetGroupIndex(5);
  b->SetAllowAllUp(true);
  auto images = ListOf({clRed, clBlue});
  TActionList list(f.form.form);
  list.SetImages(images.get());
  TAction action(f.form.form);
  action.SetActionList(&list);
  action.SetImageIndex(1);
  b->SetAction(&action);
  EXPECT_EQ(b->Images()->ActiveImage(), images.get());
  EXPECT_EQ(b->Images()->ActiveIndex(), 1);
  action.SetChecked(true);
  EXPECT_TRUE(b->Down());
  action.SetChecked(false);
  EXPECT_FALSE(b->Down());
  b->SetAction(nullptr);
}

TEST(PictureRoutines, GreyEmbossAndDisabledLook) {
  TBitmap bmp;
  Solid(&bmp, 4, 4, static_cast<TColor>(0x003264C8));  // R 200, G 100, B 50
  GreyscaleBitmap(&bmp, 11, 59, 30);
  EXPECT_EQ(fwtest::PixelAt(&bmp, 1, 1), static_cast<TColor>(0x00606060)) << "(2200 + 5900 + 1500) / 100 = 96";

  // A magenta background with a black dot: the dot is the shape.
  Solid(&bmp, 5, 5, clFuchsia);
  bmp.Canvas()->SetPixel(2, 2, clBlack);
  bmp.Canvas()->SetPixel(3, 1, clWhite);
  DisabledLookBitmap(&bmp);
  EXPECT_EQ(fwtest::PixelAt(&bmp, 2, 2), ColorToRGB(clBtnShadow));
  EXPECT_EQ(fwtest::PixelAt(&bmp, 3, 3), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(fwtest::PixelAt(&bmp, 3, 1), ColorToRGB(clBtnFace)) << "white counts as background";
  EXPECT_EQ(fwtest::PixelAt(&bmp, 0, 0), ColorToRGB(clBtnFace));

  TBitmap empty;
  GreyscaleBitmap(&empty, 11, 59, 30);
  EmbossBitmap(&empty);
  DisabledLookBitmap(&empty);
  EXPECT_TRUE(empty.Empty());
}
