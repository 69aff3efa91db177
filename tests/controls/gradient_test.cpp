// The gradient: band colours by the step formula, the step limit by size,
// shapes on controls too small for a step, redraws only on change; the
// header panel: its colours at the ends and the middle, label fitting, and
// mouse messages of its children reaching the panel.
#include <gtest/gtest.h>

#include "controls/base/ckgradient.h"
#include "fw/core/mathutils.h"
#include "wizard_test_util.h"

using namespace ck;
using namespace fw;
using cktest::Snapshot;

namespace {

TColor RGBc(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

struct GradientForm {
  fwtest::TestForm form{600, 200};
  TCkGradient* gradient;
  explicit GradientForm(int w, int h, TCkGradientStyle style = grHorizontal) {
    gradient = new TCkGradient(form.form);
    gradient->SetAlign(alNone);
    gradient->SetParent(form.form);
    gradient->SetBounds(0, 0, w, h);
    gradient->SetStyle(style);
    form->Show();
  }
  // Paints the form and hands back the gradient's buffer.
  TBitmap* Paint() {
    Snapshot s(form.form);
    return gradient->Buffer();
  }
};

TEST(Gradient, HorizontalBandsFollowTheStepFormulaAndAreLimitedToTheWidth) {
  // 100 steps over 50 pixels: 50 steps of one pixel each, colour i at x = i.
  GradientForm g(50, 10);
  g.gradient->SetStartColor(clBlack);
  g.gradient->SetEndColor(clWhite);
  TBitmap* b = g.Paint();
  ASSERT_EQ(b->Width(), 50);
  for (int x : {0, 1, 25, 49}) {
    int v = static_cast<int>(Round(255.0 / 50 * x));
    EXPECT_EQ(b->Canvas()->Pixel(x, 5), RGBc(v, v, v)) << x;
  }
}

TEST(Gradient, VerticalBandsRunFromTopToBottom) {
  GradientForm g(10, 40, grVertical);
  g.gradient->SetStartColor(clRed);
  g.gradient->SetEndColor(clBlue);
  g.gradient->SetSteps(4);
  TBitmap* b = g.Paint();
  // Four bands of ten rows; band i has Round(255 * i / 4) of blue.
  EXPECT_EQ(b->Canvas()->Pixel(5, 0), clRed);
  EXPECT_EQ(b->Canvas()->Pixel(5, 15), RGBc(191, 0, 64));
  EXPECT_EQ(b->Canvas()->Pixel(5, 39), RGBc(64, 0, 191));
}

TEST(Gradient, ShapesRunFromTheStartColourOutsideTowardsTheEndColourInside) {
  for (TCkGradientStyle style : {grEllipse, grPyramid, grMount}) {
    GradientForm g(40, 40, style);
    g.gradient->SetStartColor(clBlack);
    g.gradient->SetEndColor(clWhite);
    TBitmap* b = g.Paint();
    EXPECT_EQ(b->Canvas()->Pixel(0, 0), clBlack) << style;
    // 20 steps (half the size); the last one is empty, so the centre shows
    // step 19: Round(255 * 19 / 20) = 242.
    EXPECT_EQ(b->Canvas()->Pixel(20, 20), RGBc(242, 242, 242)) << style;
  }
}

TEST(Gradient, AShapeOnePixelWideIsAPlainFillInsteadOfADivisionByZero) {
  for (TCkGradientStyle style : {grEllipse, grPyramid, grMount}) {
    GradientForm g(1, 30, style);
    g.gradient->SetStartColor(clRed);
    TBitmap* b = g.Paint();
    ASSERT_EQ(b->Width(), 1) << style;
    EXPECT_EQ(b->Canvas()->Pixel(0, 0), clRed) << style;
    EXPECT_EQ(b->Canvas()->Pixel(0, 29), clRed) << style;
  }
}

TEST(Gradient, FilledIsTheStartColourOnly) {
  GradientForm g(20, 20, grFilled);
  g.gradient->SetStartColor(clLime);
  TBitmap* b = g.Paint();
  EXPECT_EQ(b->Canvas()->Pixel(19, 19), clLime);
}

struct PaintCounter {
  int count = 0;
  void OnPaint(TObject*, TCanvas*) { ++count; }
};

TEST(Gradient, RedrawsOnlyWhenSizeOrAPropertyChangesAndNotAtNoSize) {
  GradientForm g(0, 20);
  PaintCounter c;
  g.gradient->OnPaint = TCkGradientPaintEvent(&c, &PaintCounter::OnPaint);
  g.Paint();
  EXPECT_EQ(c.count, 0);
  g.gradient->SetWidth(30);
  g.Paint();
  EXPECT_EQ(c.count, 1);
  g.Paint();
  EXPECT_EQ(c.count, 1);
  g.gradient->SetStartColor(g.gradient->StartColor());
  g.Paint();
  EXPECT_EQ(c.count, 1);
  g.gradient->SetStartColor(clRed);
  g.Paint();
  EXPECT_EQ(c.count, 2);
}

// ---- Header panel

struct HeaderForm {
  fwtest::TestForm form{600, 200};
  TCkGradientHeaderPanel* panel;
  HeaderForm() {
    panel = new TCkGradientHeaderPanel(form.form);
    panel->SetParent(form.form);
    form->Show();
  }
};

TEST(GradientHeaderPanel, TheFilterDialogsHeaderRunsFromBlueGreyToWhite) {
  HeaderForm h;
  h.panel->SetBounds(0, 0, 523, 42);
  h.panel->SetGradientStartColor(RGBc(212, 228, 235));
  h.panel->SetGradientEndColor(clWhite);
  Snapshot s(h.panel);
  int y = 40;  // below the label
  EXPECT_EQ(s.At(0, y), RGBc(212, 228, 235));
  // x = 261 lies in band 49 of 100 (Round(49 * 5.23) = 256 up to 262).
  EXPECT_EQ(s.At(261, y), RGBc(233, 241, 245));
  EXPECT_EQ(s.At(522, y), clWhite);
}

TEST(GradientHeaderPanel, AShortCaptionFillsTheRoomAWideOneIsCentred) {
  HeaderForm h;
  h.panel->SetBounds(0, 0, 300, 30);
  h.panel->SetLabelLeft(40);
  h.panel->SetLabelCaption(u"Short");
  EXPECT_EQ(h.panel->Label()->Left(), 40);
  EXPECT_EQ(h.panel->Label()->Width(), 300 - 2 * 40);
  h.panel->SetLabelCaption(u"A caption that is much wider than the panel less its margins");
  int w = h.panel->Label()->Width();
  EXPECT_GT(w, 220);
  EXPECT_EQ(h.panel->Label()->Left(), (300 - w) / 2);
  h.panel->SetLabelLeft(-5);
  EXPECT_EQ(h.panel->LabelLeft(), 0);
}

struct MouseLog {
  std::vector<std::pair<TObject*, TPoint>> downs;
  void Down(TObject* s, TMouseButton, TShiftState, int x, int y) { downs.push_back({s, {x, y}}); }
};

TEST(GradientHeaderPanel, AClickOnTheLabelReachesThePanelInItsCoordinates) {
  HeaderForm h;
  h.panel->SetBounds(0, 0, 300, 30);
  MouseLog log;
  h.panel->OnMouseDown = TMouseEvent(&log, &MouseLog::Down);
  h.panel->Label()->OnMouseDown = TMouseEvent(&log, &MouseLog::Down);
  int x = h.panel->Label()->Left() + 5, y = h.panel->Label()->Top() + 3;
  SendMessageW(h.panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(h.panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  ASSERT_EQ(log.downs.size(), 1u);
  EXPECT_EQ(log.downs[0].first, h.panel);
  EXPECT_EQ(log.downs[0].second, (TPoint{x, y}));
}

}  // namespace
