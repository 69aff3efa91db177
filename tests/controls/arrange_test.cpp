// The arrange panel: the row layout of its windowed children by settings
// (a table of cases), auto-size, re-arranging on setting changes, moving by
// the caption hit test, sizing by the corner grip within the constraints,
// hot-tracking, see-through painting, the size events, and freeing the
// settings by code.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "controls/base/ckpanel.h"
#include "fw/controls_test_util.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls_test_util.h"
#include "fw/system/application.h"

using namespace ck;
using namespace fw;
using fwtest::Pump;
using fwtest::TestForm;

namespace {

struct PanelForm {
  TestForm form;
  TCkPanel* panel;
  explicit PanelForm(int w = 200, int h = 150) : form(400, 400) {
    form->SetColor(clWhite);
    panel = new TCkPanel(form.form);
    panel->SetParent(form.form);
    panel->SetBevelOuter(bvNone);
    panel->SetBounds(20, 20, w, h);
    form->Show();
    Pump();
  }
  TPanel* Child(int w, int h) {
    auto* c = new TPanel(form.form);
    c->SetParent(panel);
    c->SetBounds(0, 0, w, h);
    return c;
  }
};

struct LayoutCase {
  const char* name;
  std::function<void(TCkArrangeSettings*)> settings;
  std::vector<TSize> children;
  std::vector<TRect> expected;
};

const LayoutCase kLayouts[] = {
    {"wrapping leaves two 60-pixel children per line of 200",
     [](TCkArrangeSettings* s) {
       s->SetBorderLeft(10);
       s->SetDistanceHorizontal(5);
     },
     {{60, 20}, {60, 20}, {60, 20}},
     {Rect(10, 0, 70, 20), Rect(75, 0, 135, 20), Rect(10, 20, 70, 40)}},
    {"without wrapping everything stays on one line",
     [](TCkArrangeSettings* s) {
       s->SetBorderLeft(10);
       s->SetDistanceHorizontal(5);
       s->SetWrapControls(false);
     },
     {{60, 20}, {60, 20}, {60, 20}},
     {Rect(10, 0, 70, 20), Rect(75, 0, 135, 20), Rect(140, 0, 200, 20)}},
    {"lines are as high as their highest child plus the vertical distance",
     [](TCkArrangeSettings* s) {
       s->SetBorderTop(4);
       s->SetDistanceVertical(3);
       s->SetMaxControlsPerLine(2);
     },
     {{50, 10}, {50, 30}, {50, 10}},
     {Rect(0, 4, 50, 14), Rect(50, 4, 100, 34), Rect(0, 37, 50, 47)}},
    {"a maximum width wraps earlier",
     [](TCkArrangeSettings* s) { s->SetMaxWidth(120); },
     {{50, 10}, {50, 10}, {50, 10}},
     {Rect(0, 0, 50, 10), Rect(50, 0, 100, 10), Rect(0, 10, 50, 20)}},
    {"right alignment moves everything to the right edge",
     [](TCkArrangeSettings* s) { s->SetHorizontalAlignment(asRight); },
     {{50, 10}, {50, 10}},
     {Rect(100, 0, 150, 10), Rect(150, 0, 200, 10)}},
    {"centring both ways",
     [](TCkArrangeSettings* s) {
       s->SetHorizontalAlignment(asCenter);
       s->SetVerticalAlignment(asVCenter);
     },
     {{50, 10}, {50, 10}},
     {Rect(50, 70, 100, 80), Rect(100, 70, 150, 80)}},
    {"bottom alignment",
     [](TCkArrangeSettings* s) { s->SetVerticalAlignment(asBottom); },
     {{50, 10}},
     {Rect(0, 140, 50, 150)}},
    {"aligned lines are centred each on its own",
     [](TCkArrangeSettings* s) {
       s->SetMaxControlsPerLine(2);
       s->SetHorizontalAlignLines(true);
     },
     {{50, 10}, {50, 10}, {40, 10}},
     {Rect(0, 0, 50, 10), Rect(50, 0, 100, 10), Rect(30, 10, 70, 20)}},
};

class Layout : public ::testing::TestWithParam<LayoutCase> {};

}  // namespace

TEST_P(Layout, PlacesTheChildrenInTabOrder) {
  const LayoutCase& c = GetParam();
  PanelForm f;
  std::vector<TPanel*> children;
  for (TSize s : c.children) children.push_back(f.Child(s.cx, s.cy));
  c.settings(f.panel->ArrangeSettings());
  f.panel->ArrangeControls();
  for (size_t i = 0; i < children.size(); ++i)
    EXPECT_EQ(children[i]->BoundsRect(), c.expected[i]) << c.name << ", child " << i;
}

INSTANTIATE_TEST_SUITE_P(Cases, Layout, ::testing::ValuesIn(kLayouts));

TEST(ArrangePanel, FollowsTabOrderAndSkipsHiddenChildren) {
  PanelForm f;
  TPanel* a = f.Child(50, 10);
  TPanel* b = f.Child(50, 10);
  TPanel* c = f.Child(50, 10);
  c->SetTabOrder(0);
  b->Hide();
  f.panel->ArrangeControls();
  EXPECT_EQ(c->BoundsRect(), Rect(0, 0, 50, 10));
  EXPECT_EQ(a->BoundsRect(), Rect(50, 0, 100, 10));
  EXPECT_EQ(b->BoundsRect(), Rect(0, 0, 50, 10)) << "the hidden child keeps its place";
  EXPECT_EQ(f.panel->ArrangeWidth(), 100);
  EXPECT_EQ(f.panel->ArrangeHeight(), 10);
}

TEST(ArrangePanel, AutoArrangeFollowsSettingChangesAndAutoSizeFitsTheHeight) {
  PanelForm f;
  TPanel* a = f.Child(50, 10);
  TPanel* b = f.Child(50, 10);
  TCkArrangeSettings* s = f.panel->ArrangeSettings();
  s->SetDistanceHorizontal(7);
  EXPECT_EQ(b->Left(), 0) << "nothing happens without AutoArrange";
  s->SetAutoArrange(true);
  EXPECT_EQ(b->Left(), 57);
  s->SetBorderTop(5);
  EXPECT_EQ(a->Top(), 5);
  int heightChanges = 0;
  struct H {
    int* n;
    void Changed(TObject*, int) { ++*n; }
  } h{&heightChanges};
  f.panel->OnChangedHeight = TCkPanelChangedSizeEvent(&h, &H::Changed);
  // The height fits the rows with BorderTop above and below them.
  s->SetAutoSize(asHeight);
  EXPECT_EQ(f.panel->Height(), 5 + 10 + 5);
  EXPECT_EQ(heightChanges, 1);
  // A new child joins the arrangement at once.
  TPanel* c = f.Child(150, 10);
  EXPECT_EQ(c->BoundsRect(), Rect(0, 15, 150, 25));
  EXPECT_EQ(f.panel->Height(), 30);
}

TEST(ArrangePanel, SizeSettersTellTheirEventsAndTheParent) {
  PanelForm f;
  struct Log {
    std::vector<int> widths;
    std::vector<TRect> parents;
    void Width(TObject*, int w) { widths.push_back(w); }
    void Parent(TObject*, int l, int t, int w, int h) { parents.push_back(Bounds(l, t, w, h)); }
  } log;
  f.panel->OnChangedWidth = TCkPanelChangedSizeEvent(&log, &Log::Width);
  f.panel->OnResizeParent = TCkPanelResizeParentEvent(&log, &Log::Parent);
  f.panel->SetWidth(180);
  f.panel->SetWidth(180);
  ASSERT_EQ(log.widths.size(), 1u);
  EXPECT_EQ(log.widths[0], 180);
  ASSERT_EQ(log.parents.size(), 1u);
  EXPECT_EQ(log.parents[0], Bounds(20, 20, 180, 150));
}

TEST(ArrangePanel, MovableAnswersCaptionInsideAFivePixelMargin) {
  PanelForm f;
  f.panel->SetMovable(true);
  struct Veto {
    bool allow = true;
    void Before(TObject*, int, int, bool& a) { a = allow; }
  } veto;
  f.panel->OnBeforeMove = TCkPanelMoveEvent(&veto, &Veto::Before);
  auto hit = [&](int x, int y) {
    TPoint p = f.panel->ClientToScreen(TPoint{x, y});
    return f.panel->Perform(WM_NCHITTEST, 0, PointToLParam(p.x, p.y));
  };
  EXPECT_EQ(hit(100, 75), HTCAPTION);
  EXPECT_NE(hit(3, 75), HTCAPTION) << "3 pixels from the left edge";
  EXPECT_NE(hit(100, 147), HTCAPTION);
  veto.allow = false;
  EXPECT_NE(hit(100, 75), HTCAPTION);
  f.panel->SetMovable(false);
  veto.allow = true;
  EXPECT_NE(hit(100, 75), HTCAPTION);
}

TEST(ArrangePanel, TheCornerGripResizesWithinTheConstraints) {
  PanelForm f(200, 200);
  TCkPanel* p = f.panel;
  p->SetSizeable(true);
  p->SetMovable(true);
  p->Constraints()->SetMinWidth(100);
  p->Constraints()->SetMinHeight(150);
  auto send = [&](UINT msg, int x, int y) { p->Perform(msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, PointToLParam(x, y)); };
  // A press outside the corner zone does not start sizing.
  send(WM_LBUTTONDOWN, 150, 150);
  send(WM_MOUSEMOVE, 170, 170);
  send(WM_LBUTTONUP, 170, 170);
  EXPECT_EQ(p->Width(), 200);
  send(WM_LBUTTONDOWN, 197, 197);
  send(WM_MOUSEMOVE, 217, 207);
  EXPECT_EQ(p->Width(), 220);
  EXPECT_EQ(p->Height(), 210);
  // Far below the minimum: clamped, and the reference point stays, so the
  // size follows again only once the mouse is back past the limit.
  send(WM_MOUSEMOVE, 50, 50);
  EXPECT_EQ(p->Width(), 100);
  EXPECT_EQ(p->Height(), 150);
  send(WM_MOUSEMOVE, 30, 30);
  send(WM_MOUSEMOVE, 45, 45);
  EXPECT_EQ(p->Width(), 100);
  EXPECT_EQ(p->Height(), 150);
  send(WM_MOUSEMOVE, 60, 70);
  EXPECT_EQ(p->Width(), 110);
  EXPECT_EQ(p->Height(), 170);
  send(WM_LBUTTONUP, 60, 70);
  send(WM_MOUSEMOVE, 90, 90);
  EXPECT_EQ(p->Width(), 110) << "no sizing after the release";
}

TEST(ArrangePanel, HotTrackPaintsItsColourOnlyWhenOn) {
  for (bool hotTrack : {false, true}) {
    PanelForm f;
    f.panel->SetColor(clBtnFace);
    f.panel->HotTrackOptions()->SetEnabled(true);
    f.panel->HotTrackOptions()->SetColor(clYellow);
    f.panel->SetHotTrack(hotTrack);
    f.panel->Perform(CM_MOUSEENTER, 0, 0);
    auto bmp = fwtest::Capture(f.panel);
    TColor expected = hotTrack ? clYellow : ColorToRGB(clBtnFace);
    EXPECT_EQ(fwtest::PixelAt(bmp.get(), 100, 75), expected) << "HotTrack " << hotTrack;
    f.panel->Perform(CM_MOUSELEAVE, 0, 0);
    bmp = fwtest::Capture(f.panel);
    EXPECT_EQ(fwtest::PixelAt(bmp.get(), 100, 75), ColorToRGB(clBtnFace));
  }
}

TEST(ArrangePanel, FlatBorderAndBevelsPaintTheirEdges) {
  PanelForm f;
  f.panel->SetColor(clWhite);
  f.panel->SetBevelOuter(bvLowered);
  auto bmp = fwtest::Capture(f.panel);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 0, 50), ColorToRGB(clBtnShadow));
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 199, 50), ColorToRGB(clBtnHighlight));
  f.panel->SetFlatBorder(true);
  f.panel->SetFlatBorderColor(clRed);
  f.panel->SetBorderWidth(2);
  bmp = fwtest::Capture(f.panel);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 0, 50), clRed);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 1, 50), clRed);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 198, 50), clRed);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 2, 50), clWhite);
}

TEST(ArrangePanel, ATransparentPanelShowsItsParent) {
  PanelForm f;
  f.form->SetColor(clLime);
  f.panel->SetColor(clRed);
  f.panel->SetTransparent(true);
  Pump();
  EXPECT_TRUE(fwtest::HasExStyle(f.panel->Handle(), WS_EX_TRANSPARENT));
  auto bmp = fwtest::Capture(f.panel);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 100, 75), clLime);
  f.panel->SetTransparent(false);
  Pump();
  EXPECT_FALSE(fwtest::HasExStyle(f.panel->Handle(), WS_EX_TRANSPARENT));
  bmp = fwtest::Capture(f.panel);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 100, 75), clRed);
}

TEST(ArrangePanel, FreeingTheSettingsByCodeRaisesAndLeavesThePanelWhole) {
  PanelForm f;
  TCkArrangeSettings* s = f.panel->ArrangeSettings();
  try {
    s->Free();
    FAIL() << "no exception";
  } catch (const ECKException& e) {
    EXPECT_NE(e.Message().find(u"Your code tried to destroy the TCkPanel.ArrangeSettings objects"), String::npos);
  }
  EXPECT_EQ(f.panel->ArrangeSettings(), s);
  s->SetBorderLeft(3);
  TPanel* c = f.Child(10, 10);
  f.panel->ArrangeControls();
  EXPECT_EQ(c->Left(), 3);
}

TEST(ArrangePanel, ReadsItsPropertiesFromAFormDescription) {
  fwtest::DescribedForm<TForm> f(
      u"object Form1: TForm\n"
      u"  Width = 400\n"
      u"  Height = 400\n"
      u"  object pan1: TCkPanel\n"
      u"    Left = 10\n"
      u"    Top = 10\n"
      u"    Width = 200\n"
      u"    Height = 200\n"
      u"    Cursor = crHandPoint\n"
      u"    Color = clWhite\n"
      u"    BorderStyle = bsSingle\n"
      u"    Movable = True\n"
      u"    Sizeable = True\n"
      u"    HotColor = clRed\n"
      u"    ArrangeSettings.BorderLeft = 4\n"
      u"    ArrangeSettings.AutoArrange = True\n"
      u"    Constraints.MinHeight = 150\n"
      u"    Constraints.MinWidth = 100\n"
      u"    object inner: TPanel\n"
      u"      Left = 50\n"
      u"      Top = 50\n"
      u"      Width = 20\n"
      u"      Height = 20\n"
      u"    end\n"
      u"  end\n"
      u"end\n");
  auto* p = f.Find<TCkPanel>(u"pan1");
  EXPECT_TRUE(p->Movable());
  EXPECT_TRUE(p->Sizeable());
  EXPECT_EQ(p->HotTrackOptions()->Color(), clRed);
  EXPECT_EQ(p->ArrangeSettings()->BorderLeft(), 4);
  EXPECT_EQ(f.Find<TPanel>(u"inner")->Left(), 4) << "arranged once loaded";
}
