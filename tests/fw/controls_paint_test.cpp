// Painting off-screen: a custom control with graphic and windowed children
// rendered with PaintTo and WM_PRINT; pixels at known places prove the
// order, the clipping and the origins.
#include <gtest/gtest.h>

#include <functional>

#include "controls_test_util.h"

using namespace fw;
using fwtest::TTestPanel;

namespace {

// Fills a rectangle a few pixels larger than itself (the framework must clip
// it to its bounds) and marks its own (0, 0) with a black dot.
class TFillGraphic : public TGraphicControl {
 public:
  explicit TFillGraphic(TComponent* owner) : TGraphicControl(owner) {}
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(Rect(-5, -5, Width() + 5, Height() + 5));
    Canvas()->SetPixel(0, 0, clBlack);
  }
};

// Paints nothing itself: with ParentBackground what lies behind it shows.
class TClearControl : public TCustomControl {
 public:
  explicit TClearControl(TComponent* owner) : TCustomControl(owner) {}
};

struct Scene {
  fwtest::TestForm form{300, 200};
  TTestPanel* panel;
  TFillGraphic *under, *over, *edge, *spill;
  TTestPanel* child;
  TClearControl* glass;

  TFillGraphic* AddGraphic(TColor color, TRect r) {
    auto* g = new TFillGraphic(form.form);
    g->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    g->SetColor(color);
    g->SetParent(panel);
    return g;
  }

  Scene() {
    panel = new TTestPanel(form.form);
    panel->SetParent(form.form);
    panel->SetBounds(0, 0, 100, 80);
    panel->SetColor(clBlue);
    under = AddGraphic(clRed, Bounds(10, 10, 30, 20));
    over = AddGraphic(clLime, Bounds(30, 20, 30, 20));
    edge = AddGraphic(clYellow, Bounds(90, 70, 30, 30));
    spill = AddGraphic(clAqua, Bounds(40, 50, 10, 10));
    child = new TTestPanel(form.form);
    child->SetParent(panel);
    child->SetBounds(65, 10, 20, 20);
    child->SetColor(clFuchsia);
    glass = new TClearControl(form.form);
    glass->SetParent(panel);
    glass->SetBounds(5, 60, 30, 15);
    glass->SetParentBackground(true);
    // Behind the glass, a graphic of the panel.
    AddGraphic(clMaroon, Bounds(5, 65, 10, 5));
  }
};

struct Probe {
  const char* what;
  int x, y;  // panel coordinates
  TColor expected;
};

const Probe kProbes[] = {
    {"panel background", 5, 5, clBlue},
    {"lower graphic alone", 12, 12, clRed},
    {"upper graphic over the lower one", 35, 25, clLime},
    {"lower graphic beside the upper one", 25, 15, clRed},
    {"graphic's own origin", 30, 20, clBlack},
    {"graphic inside the panel's edge", 95, 75, clYellow},
    {"graphic overpaint clipped left of it", 38, 55, clBlue},
    {"graphic overpaint clipped below it", 45, 62, clBlue},
    {"graphic itself", 45, 55, clAqua},
    {"windowed child", 70, 15, clFuchsia},
    {"parent background through a clear child", 20, 70, clBlue},
    {"parent's graphic through a clear child", 7, 67, clMaroon},
};

struct Method {
  const char* name;
  std::function<void(Scene&, TBitmap&)> render;
  int dx, dy;  // where the panel's (0, 0) lands in the bitmap
  bool withForm = false;  // the form's background lies around the panel
};

class PaintMethods : public ::testing::TestWithParam<Method> {};

TEST_P(PaintMethods, ChildrenArePaintedInOrderClippedAtTheirPlace) {
  Scene s;
  s.form->Show();
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(200, 120);
  bmp.Canvas()->Brush()->SetColor(clWhite);
  bmp.Canvas()->FillRect(Rect(0, 0, 200, 120));
  GetParam().render(s, bmp);
  const Method& m = GetParam();
  for (const Probe& p : kProbes)
    EXPECT_EQ(bmp.Canvas()->Pixel(p.x + m.dx, p.y + m.dy), p.expected) << p.what;
  // Outside the panel: untouched, or the form's own background.
  TColor outside = m.withForm ? ColorToRGB(clBtnFace) : clWhite;
  EXPECT_EQ(bmp.Canvas()->Pixel(100 + m.dx + 2, 75 + m.dy), outside);
  EXPECT_EQ(bmp.Canvas()->Pixel(m.dx + 50, 80 + m.dy + 1), outside);
}

INSTANTIATE_TEST_SUITE_P(
    Renderers, PaintMethods,
    ::testing::Values(
        Method{"PaintToCanvas", [](Scene& s, TBitmap& b) { s.panel->PaintTo(b.Canvas(), 10, 5); }, 10, 5},
        Method{"PaintToDC", [](Scene& s, TBitmap& b) { s.panel->PaintTo(b.Canvas()->Handle(), 0, 0); }, 0, 0},
        Method{"DoubleBuffered",
               [](Scene& s, TBitmap& b) {
                 s.panel->SetDoubleBuffered(true);
                 s.panel->PaintTo(b.Canvas(), 20, 30);
               },
               20, 30},
        Method{"PaintToHiddenPanel",
               [](Scene& s, TBitmap& b) {
                 s.form->Hide();
                 s.panel->PaintTo(b.Canvas(), 3, 4);
               },
               3, 4},
        Method{"WmPrint",
               [](Scene& s, TBitmap& b) {
                 SendMessageW(s.panel->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(b.Canvas()->Handle()),
                              PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
               },
               0, 0},
        Method{"FormPaintTo", [](Scene& s, TBitmap& b) { s.form->PaintTo(b.Canvas(), 7, 2); }, 7, 2, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Paint, WmPaintWithAndWithoutADeviceContext) {
  Scene s;
  s.form->Show();
  fwtest::Pump();
  int before = s.under->paints;
  // With a DC: painted into it at once.
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(100, 80);
  SendMessageW(s.panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(bmp.Canvas()->Handle()), 0);
  EXPECT_EQ(s.under->paints, before + 1);
  EXPECT_EQ(bmp.Canvas()->Pixel(12, 12), clRed);
  // Without: the invalid region of the window is painted and validated.
  s.under->Invalidate();
  RECT r;
  EXPECT_TRUE(GetUpdateRect(s.panel->Handle(), &r, FALSE));
  UpdateWindow(s.panel->Handle());
  EXPECT_EQ(s.under->paints, before + 2);
  EXPECT_FALSE(GetUpdateRect(s.panel->Handle(), &r, FALSE));
  // A graphic control whose area is not to be painted is skipped.
  HDC dc = bmp.Canvas()->Handle();
  int saved = SaveDC(dc);
  IntersectClipRect(dc, 60, 60, 70, 70);
  SendMessageW(s.panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
  EXPECT_EQ(s.under->paints, before + 2);
}

TEST(Paint, EraseBackgroundFillsTheGivenDeviceContextWithTheControlsColour) {
  Scene s;
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(100, 80);
  bmp.Canvas()->Brush()->SetColor(clWhite);
  bmp.Canvas()->FillRect(Rect(0, 0, 100, 80));
  LRESULT r = SendMessageW(s.child->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(bmp.Canvas()->Handle()), 0);
  EXPECT_NE(r, 0);
  EXPECT_EQ(bmp.Canvas()->Pixel(5, 5), clFuchsia);
  EXPECT_EQ(bmp.Canvas()->Pixel(25, 5), clWhite);  // only the client area
}

}  // namespace
