// Routines over windows and child controls: the skin command walks, the
// repaint of children, aligned extents, hint placement and window queries.
#include "skin/engine/window_utils.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "fw/controls_test_util.h"
#include "fw/system/screen.h"
#include "skin/engine/skin_messages.h"

namespace skin {
namespace {

// Counts the skin commands it receives by code; answers code 7 with 1 when
// it plays a skinned control.
template <class Base>
class TRecording : public Base {
 public:
  explicit TRecording(fw::TComponent* owner, bool skinned = false) : Base(owner), skinned(skinned) {}
  bool skinned;
  std::map<WORD, int> received;

 protected:
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND) {
      WORD code = SkinCommandCode(m.WParam);
      if (code == SKC_ISHANDLED) {
        m.Result = skinned ? 1 : 0;
        return;
      }
      ++received[code];
      return;
    }
    Base::WndProc(m);
  }
};

using TRecordingWindow = TRecording<fw::TCustomControl>;
using TRecordingGraphic = TRecording<fw::TGraphicControl>;

template <class T>
T* Child(fw::TWinControl* parent, bool skinned = false) {
  auto* c = new T(parent, skinned);
  c->SetParent(parent);
  return c;
}

TEST(BroadcastToControls, ReachesEachChildTheWayItsKindTakesMessages) {
  fwtest::TestForm form;
  auto* skinned = Child<TRecordingWindow>(form.form, true);
  auto* insideSkinned = Child<TRecordingGraphic>(skinned);
  auto* freed = Child<TRecordingGraphic>(form.form);
  auto* plain = Child<TRecordingWindow>(form.form);
  auto* insidePlain = Child<TRecordingGraphic>(plain);
  auto* graphic = Child<TRecordingGraphic>(form.form);
  skinned->Handle();
  plain->Handle();
  auto* windowless = Child<TRecordingWindow>(form.form);
  ASSERT_FALSE(windowless->HandleAllocated());
  // A child on its way out is passed over; the siblings after it are not.
  freed->Destroying();

  fw::TMessage m{WM_SKINCOMMAND, SkinCommand(SKC_NEWSKIN), 0, 0};
  BroadcastToControls(form.form, m);

  struct Expect {
    const char* name;
    std::map<WORD, int>& received;
    int count;
  } expected[] = {
      {"skinned window, which passes it on itself", skinned->received, 1},
      {"child of the skinned window", insideSkinned->received, 0},
      {"child being freed", freed->received, 0},
      {"unskinned window", plain->received, 0},
      {"child of the unskinned window", insidePlain->received, 1},
      {"graphic child", graphic->received, 1},
      {"window not made yet", windowless->received, 1},
  };
  for (const Expect& e : expected) EXPECT_EQ(e.received[SKC_NEWSKIN], e.count) << e.name;
  EXPECT_FALSE(windowless->HandleAllocated());
}

TEST(RepaintChildControls, TellsShowingChildrenUnlessAnAnimationRuns) {
  fwtest::TestForm form;
  auto* shown = Child<TRecordingWindow>(form.form);
  auto* hidden = Child<TRecordingWindow>(form.form);
  hidden->SetVisible(false);
  auto* graphic = Child<TRecordingGraphic>(form.form);
  form->SetVisible(true);

  AnimationInProgress = true;
  RepaintChildControls(form.form);
  AnimationInProgress = false;
  EXPECT_EQ(shown->received[SKC_UPDATEDONE], 0);
  EXPECT_EQ(graphic->received[SKC_UPDATEDONE], 0);

  RepaintChildControls(form.form);
  EXPECT_EQ(shown->received[SKC_UPDATEDONE], 1);
  EXPECT_EQ(hidden->received[SKC_UPDATEDONE], 0);
  EXPECT_EQ(graphic->received[SKC_UPDATEDONE], 1);

  // Only direct child windows of the handle.
  auto* inner = Child<TRecordingWindow>(shown);
  inner->Handle();
  RepaintChildWindows(form->Handle());
  EXPECT_EQ(shown->received[SKC_UPDATEDONE], 2);
  EXPECT_EQ(inner->received[SKC_UPDATEDONE], 0);
}

TEST(AlignedControlsExtent, SumsTheVisibleChildrenOfThatAlignment) {
  fwtest::TestForm form(400, 400);
  auto add = [&](fw::TControl* c, fw::TAlign align, int size, bool visible = true) {
    c->SetParent(form.form);
    c->SetBounds(0, 0, size, size);
    c->SetAlign(align);
    c->SetVisible(visible);
  };
  add(new fw::TCustomControl(form.form), fw::alTop, 20);
  add(new fw::TGraphicControl(form.form), fw::alTop, 5);
  add(new fw::TCustomControl(form.form), fw::alTop, 100, false);
  add(new fw::TCustomControl(form.form), fw::alBottom, 7);
  add(new fw::TCustomControl(form.form), fw::alLeft, 30);
  add(new fw::TGraphicControl(form.form), fw::alRight, 11);
  add(new fw::TCustomControl(form.form), fw::alClient, 50);
  add(new fw::TCustomControl(form.form), fw::alNone, 60);
  struct Case {
    fw::TAlign align;
    bool graphic;
    int extent;
  } cases[] = {
      {fw::alTop, false, 20}, {fw::alTop, true, 25},    {fw::alBottom, true, 7},  {fw::alLeft, false, 30},
      {fw::alRight, false, 0}, {fw::alRight, true, 11}, {fw::alClient, true, 0}, {fw::alNone, true, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AlignedControlsExtent(form.form, c.align, c.graphic), c.extent) << int(c.align) << c.graphic;
}

TEST(HintRectAt, StaysInsideTheWorkArea) {
  const fw::TRect work = fw::Rect(0, 0, 1000, 800);
  const fw::TRect measured = fw::Rect(0, 0, 100, 40);
  struct Case {
    const char* name;
    fw::TPoint at;
    fw::TRect expected;
  } cases[] = {
      {"inside", {100, 100}, fw::Rect(108, 116, 208, 156)},
      {"right edge", {950, 100}, fw::Rect(900, 116, 1000, 156)},
      {"bottom edge", {100, 790}, fw::Rect(108, 760, 208, 800)},
      {"bottom-right corner", {999, 799}, fw::Rect(900, 760, 1000, 800)},
  };
  for (const Case& c : cases) EXPECT_EQ(HintRectAt(measured, c.at, work), c.expected) << c.name;
}

TEST(ShowHintAt, ShowsAHintInsideTheWorkAreaAndNothingForAnEmptyText) {
  EXPECT_EQ(ShowHintAt(u"", {10, 10}), nullptr);
  fw::TRect work = MonitorWorkAreaAt({10, 10});
  ASSERT_GT(work.Width(), 0);
  std::unique_ptr<fw::THintWindow> hint(ShowHintAt(u"Hint text", {work.Right - 1, work.Bottom - 1}));
  ASSERT_NE(hint, nullptr);
  RECT r;
  GetWindowRect(hint->Handle(), &r);
  EXPECT_TRUE(IsWindowVisible(hint->Handle()));
  EXPECT_GT(r.right - r.left, 0);
  EXPECT_LE(r.right, work.Right);
  EXPECT_LE(r.bottom, work.Bottom);
  EXPECT_TRUE(MonitorWorkAreaAt({-100000, -100000}).Width() == 0);
}

TEST(WindowQueries, AnswerForWindowsAndNeutralValuesWithout) {
  fwtest::TestForm form;
  form->SetBorderStyle(fw::bsSizeable);
  auto* graphic = new fw::TGraphicControl(form.form);
  auto* windowed = new fw::TCustomControl(form.form);
  windowed->SetParent(form.form);

  EXPECT_FALSE(ControlCanPaint(nullptr));
  EXPECT_FALSE(ControlCanPaint(graphic)) << "no parent";
  graphic->SetParent(form.form);
  EXPECT_TRUE(ControlCanPaint(graphic));
  EXPECT_FALSE(ControlCanPaint(windowed)) << "no window yet";
  windowed->Handle();
  EXPECT_TRUE(ControlCanPaint(windowed));

  EXPECT_EQ(GetOwnerForm(graphic), form.form);
  fw::TComponent loose(nullptr);
  EXPECT_EQ(GetOwnerForm(&loose), nullptr);

  HWND h = form->Handle();
  RECT wr, cr;
  GetWindowRect(h, &wr);
  GetClientRect(h, &cr);
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  fw::TRect inWindow = ClientRectInWindow(h);
  EXPECT_EQ(inWindow.Left, origin.x - wr.left);
  EXPECT_EQ(inWindow.Top, origin.y - wr.top);
  EXPECT_EQ(inWindow.Width(), cr.right);
  EXPECT_GT(inWindow.Top, 0) << "below the caption";

  HWND button = CreateWindowW(L"BUTTON", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(WindowClassName(button), u"Button");
  EXPECT_EQ(WindowBgColor(button), fw::TColor(0)) << "a plain window answers nothing";
  DestroyWindow(button);
  HWND top = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND middle = CreateWindowW(L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
  HWND inner = CreateWindowW(L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, middle, nullptr, nullptr, nullptr);
  EXPECT_EQ(TopLevelAncestor(inner), top);
  EXPECT_EQ(TopLevelAncestor(top), top);
  DestroyWindow(top);
  EXPECT_EQ(WindowClassName(nullptr), u"");
  EXPECT_EQ(WindowBgColor(nullptr), fw::TColor(0xFF00FF));
  EXPECT_EQ(TopLevelAncestor(nullptr), nullptr);
}

TEST(AlignmentDrawFlags, GivesTheDrawTextAlignment) {
  fwtest::TestForm form;
  struct Case {
    fw::TAlignment a;
    UINT flags;
  } cases[] = {{fw::taLeftJustify, DT_LEFT}, {fw::taRightJustify, DT_RIGHT}, {fw::taCenter, DT_CENTER}};
  for (const Case& c : cases)
    EXPECT_EQ(AlignmentDrawFlags(form.form, c.a), c.flags | DT_VCENTER | DT_EXPANDTABS) << int(c.a);
}

}  // namespace
}  // namespace skin
