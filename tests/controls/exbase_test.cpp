// The Ex bases: mouse-over order, hint colour inheritance, dialog codes,
// background erasing on a canvas, the subclassing query, and the themed
// background that takes the parent's image at the control's place.
#include <gtest/gtest.h>

#include "controls/base/ckexcontrols.h"
#include "controls/base/ckthemes.h"
#include "fw/system/application.h"
#include "wizard_test_util.h"

using namespace ck;
using namespace fw;
using fwtest::Log;

namespace {

class TPlainEx : public TCkExCustomControl {
 public:
  explicit TPlainEx(TComponent* owner) : TCkExCustomControl(owner) {}
  Log* log = nullptr;
  void HandleEnter(TObject*) { log->push_back(MouseOver ? "enter, over" : "enter, not over"); }
  void HandleLeave(TObject*) { log->push_back(MouseOver ? "leave, over" : "leave, not over"); }

 protected:
  void MouseEntered(TControl* c) override {
    TCkExCustomControl::MouseEntered(c);
    log->push_back("entered done");
  }
};

struct ExFixture : ::testing::Test {
  fwtest::TestForm form{300, 200};
  Log log;
  TPlainEx* control = nullptr;
  void SetUp() override {
    control = new TPlainEx(form.form);
    control->SetParent(form.form);
    control->SetBounds(10, 10, 100, 50);
    control->log = &log;
    control->OnMouseEnter = TNotifyEvent(control, &TPlainEx::HandleEnter);
    control->OnMouseLeave = TNotifyEvent(control, &TPlainEx::HandleLeave);
    form->Show();
  }
};

TEST_F(ExFixture, MouseEnterSetsMouseOverFirstAndMouseLeaveFiresLast) {
  control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
  EXPECT_TRUE(control->MouseOver);
  control->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control));
  EXPECT_FALSE(control->MouseOver);
  EXPECT_EQ(log, (Log{"enter, over", "entered done", "leave, not over"}));
}

TEST_F(ExFixture, AChildsMouseNoticeLeavesTheParentsMouseOverAlone) {
  auto* child = new TPlainEx(form.form);
  child->log = &log;
  child->SetParent(control);
  child->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(child));
  EXPECT_TRUE(child->MouseOver);
  EXPECT_FALSE(control->MouseOver);
  EXPECT_EQ(log, (Log{"entered done", "entered done"}));
}

TEST_F(ExFixture, HintColourIsInheritedFromTheParentUnlessSetOrNone) {
  auto* panel = new TPlainEx(form.form);
  panel->log = &log;
  panel->SetParent(form.form);
  panel->SetHintColor(clRed);
  auto* child = new TPlainEx(form.form);
  child->log = &log;
  child->SetParent(panel);
  auto hintColor = [&](TControl* c) {
    THintInfo info;
    info.HintColor = clInfoBk;
    c->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    return info.HintColor;
  };
  EXPECT_EQ(hintColor(child), clRed);
  child->SetHintColor(clNone);
  EXPECT_EQ(hintColor(child), Application->HintColor());
  child->SetHintColor(clLime);
  EXPECT_EQ(hintColor(child), clLime);
}

class TCodesEx : public TCkExCustomControl, public ICkDenySubClassing {
 public:
  explicit TCodesEx(TComponent* owner) : TCkExCustomControl(owner) {}
  TDialogKeyCodes add;
  bool dropNative = false;
  TColor erasedWith = clNone;
  COLORREF textColorSeen = 0;

 protected:
  void DialogCodes(TDialogKeyCodes& codes) override {
    codes += add;
    if (dropNative) codes.Exclude(dkNative);
  }
  bool EraseBackground(TCanvas* canvas, LPARAM) override {
    canvas->Font()->SetColor(clRed);
    canvas->TextExtent(u"x");  // selects the font: the DC's text colour changes
    textColorSeen = GetTextColor(canvas->Handle());
    return true;
  }
};

TEST_F(ExFixture, DialogCodesApplyOnlyWhenTheNativeMarkIsRemoved) {
  auto* c = new TCodesEx(form.form);
  c->SetParent(form.form);
  c->add = TDialogKeyCodes{dkArrows};
  EXPECT_EQ(SendMessageW(c->Handle(), WM_GETDLGCODE, 0, 0), 0);
  c->dropNative = true;
  EXPECT_EQ(SendMessageW(c->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
  EXPECT_EQ(CodeSetToDlgc(DlgcToCodeSet(DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_STATIC)),
            DLGC_WANTALLKEYS | DLGC_WANTCHARS);
}

TEST_F(ExFixture, AnEraseOverrideWorksOnACanvasWhoseDcIsRestoredAfterwards) {
  auto* c = new TCodesEx(form.form);
  c->SetParent(form.form);
  HDC dc = GetDC(c->Handle());
  SetTextColor(dc, RGB(1, 2, 3));
  EXPECT_EQ(SendMessageW(c->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  EXPECT_EQ(c->textColorSeen, static_cast<COLORREF>(clRed));
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  ReleaseDC(c->Handle(), dc);
}

TEST_F(ExFixture, TheSubclassingQueryNamesControlsThatDenyIt) {
  auto* c = new TCodesEx(form.form);
  c->SetParent(form.form);
  EXPECT_EQ(c->Perform(CkDenySubClassingQuery, 0, 0), 1);
  EXPECT_EQ(control->Perform(CkDenySubClassingQuery, 0, 0), 0);
}

TEST(DotNetFrame, TwoRingsInTheHighlightColourOrGreyAroundTheControlsColour) {
  for (bool highlighted : {true, false}) {
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(20, 20);
    FrameDotNetRect(bmp.Canvas()->Handle(), Rect(0, 0, 20, 20), clYellow, highlighted);
    TCanvas* c = bmp.Canvas();
    EXPECT_EQ(c->Pixel(0, 10), highlighted ? DotNetHighlightColor : clGray);
    EXPECT_EQ(c->Pixel(19, 10), highlighted ? DotNetHighlightColor : clGray);
    EXPECT_EQ(c->Pixel(1, 10), highlighted ? DotNetHighlightColor : clYellow);
    EXPECT_EQ(c->Pixel(10, 18), highlighted ? DotNetHighlightColor : clYellow);
    EXPECT_EQ(c->Pixel(2, 10), clWhite);
  }
}

// ---- Themed background

struct FakeStyles : TCkStyleServices {
  bool enabled = true;
  bool Enabled() override { return enabled; }
};

struct StylesOn {
  FakeStyles styles;
  StylesOn() { SetActiveStyleServices(&styles); }
  ~StylesOn() { SetActiveStyleServices(nullptr); }
};

// A parent whose background is red above row 15 and blue below, green
// right of column 15 in the red part.
class TStripedParent : public TCkExCustomControl {
 public:
  explicit TStripedParent(TComponent* owner) : TCkExCustomControl(owner) {}

 protected:
  bool EraseBackground(TCanvas* canvas, LPARAM) override {
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(Rect(0, 0, 15, 15));
    canvas->Brush()->SetColor(clLime);
    canvas->FillRect(Rect(15, 0, 200, 15));
    canvas->Brush()->SetColor(clBlue);
    canvas->FillRect(Rect(0, 15, 200, 200));
    return true;
  }
};

class TSeeThrough : public TCkExGraphicControl {
 public:
  explicit TSeeThrough(TComponent* owner) : TCkExGraphicControl(owner) {}
};

// Styles on and a see-through control on the striped parent; a test places
// the control and shows the form.
struct ThemedBackground : ::testing::Test {
  StylesOn styles;
  fwtest::TestForm form{200, 200};
  TStripedParent* parent = new TStripedParent(form.form);
  TSeeThrough* control = new TSeeThrough(form.form);
  ThemedBackground() {
    parent->SetParent(form.form);
    parent->SetBounds(0, 0, 100, 100);
    control->SetParent(parent);
  }
};

struct ThemeCase {
  int left, top;
  TPoint probe;     // a pixel of the control
  TColor expected;  // the parent's colour at probe + (left, top)
};

TEST_F(ThemedBackground, TheParentsImageIsMovedByThePlaceOnEachAxisOnItsOwn) {
  const ThemeCase cases[] = {
      {0, 10, {2, 2}, clRed},     // (2, 12): red
      {0, 10, {2, 6}, clBlue},    // (2, 16): blue
      {10, 0, {2, 2}, clRed},     // (12, 2): red
      {10, 0, {6, 2}, clLime},    // (16, 2): green
      {10, 10, {6, 2}, clLime},   // (16, 12): green
      {10, 10, {2, 6}, clBlue},   // (12, 16): blue
  };
  control->SetColor(parent->Color());
  form->Show();
  for (const ThemeCase& c : cases) {
    control->SetBounds(c.left, c.top, 20, 20);
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(20, 20);
    TCanvas* canvas = bmp.Canvas();
    canvas->Brush()->SetColor(clYellow);
    HDC dc = canvas->Handle();
    PaintThemedBackground(control, canvas, Rect(0, 0, 20, 20), parent->Color(), false);
    EXPECT_EQ(canvas->Pixel(c.probe.x, c.probe.y), c.expected) << c.left << "," << c.top;
    EXPECT_EQ(canvas->Brush()->Color(), clYellow);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, rgn), 0) << "the clip region is put back";
    DeleteObject(rgn);
    POINT org;
    GetWindowOrgEx(dc, &org);
    EXPECT_EQ(org.x, 0);
    EXPECT_EQ(org.y, 0);
  }
}

TEST_F(ThemedBackground, AnotherColourNoStylesOrAMissingParentBackgroundFillsPlainly) {
  control->SetBounds(0, 0, 20, 20);
  form->Show();
  auto paint = [&](TColor color, bool needsParentBackground) {
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(20, 20);
    PaintThemedBackground(control, bmp.Canvas(), Rect(0, 0, 20, 20), color, needsParentBackground);
    return bmp.Canvas()->Pixel(5, 5);
  };
  EXPECT_EQ(paint(parent->Color(), false), clRed);
  EXPECT_EQ(paint(clYellow, false), clYellow);
  // The same colour by RGB counts as the parent's colour.
  parent->SetColor(clWindow);
  EXPECT_EQ(paint(ColorToRGB(clWindow), false), clRed);
  EXPECT_EQ(paint(clWindow, true), ColorToRGB(clWindow));
  AddThemeStyleFlags(control, TControlStyle{csParentBackground, csOpaque});
  EXPECT_TRUE(control->ControlStyle().Contains(csParentBackground));
  EXPECT_FALSE(control->ControlStyle().Contains(csOpaque));
  EXPECT_EQ(ThemeStyleFlags(control), TControlStyle{csParentBackground});
  EXPECT_EQ(paint(clWindow, true), clRed);
  styles.styles.enabled = false;
  EXPECT_EQ(paint(clWindow, false), ColorToRGB(clWindow));
}

TEST_F(ThemedBackground, AClipRegionOfTheCallerSurvives) {
  control->SetBounds(5, 5, 20, 20);
  form->Show();
  TBitmap bmp;
  bmp.SetSize(20, 20);
  HDC dc = bmp.Canvas()->Handle();
  HRGN clip = CreateRectRgn(0, 0, 10, 10);
  SelectClipRgn(dc, clip);
  EraseWithParentBackground(control, dc, Rect(0, 0, 20, 20));
  HRGN now = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetClipRgn(dc, now), 1);
  EXPECT_TRUE(EqualRgn(now, clip));
  DeleteObject(now);
  DeleteObject(clip);
}

}  // namespace
