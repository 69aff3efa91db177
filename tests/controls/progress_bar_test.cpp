// Progress bars: the value model and its events, the orientation swap, the
// XP bar's frame, blocks and gradient at 0, a middle value and the maximum,
// and the mirror of the value on the taskbar button.
#include <gtest/gtest.h>

#include "case_name.h"
#include "controls/base/progress_bar.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;
using xptest::Snapshot;

namespace {

constexpr TColor kFrom = 0x31D329, kTo = 0xADEFAD;
constexpr TColor kBack = 0x00FF00;  // the form behind the bar

struct BarForm {
  fwtest::TestForm form{300, 200};
  TCkXPProgressBar* bar;
  int changes = 0;
  void Changed(TObject*) { ++changes; }
  BarForm() {
    form->SetColor(kBack);
    bar = new TCkXPProgressBar(form.form);
    bar->SetParent(form.form);
    bar->SetBounds(10, 10, 150, 17);
    bar->OnChange = TNotifyEvent(this, &BarForm::Changed);
    form->Show();
    fwtest::Pump();
  }
  Snapshot Paint() const { return Snapshot(bar, 0x123456); }
};

// A taskbar list that records what it is told.
class FakeTaskbar : public ITaskbarList3 {
 public:
  int values = 0, states = 0;
  ULONGLONG lastValue = 0, lastTotal = 0;
  TBPFLAG lastState = TBPF_NOPROGRESS;
  LONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** p) override {
    *p = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE HrInit() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE AddTab(HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeleteTab(HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ActivateTab(HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetActiveAlt(HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE MarkFullscreenWindow(HWND, WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetProgressValue(HWND, ULONGLONG v, ULONGLONG t) override {
    ++values;
    lastValue = v;
    lastTotal = t;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetProgressState(HWND, TBPFLAG f) override {
    ++states;
    lastState = f;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RegisterTab(HWND, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE UnregisterTab(HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetTabOrder(HWND, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetTabActive(HWND, HWND, DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ThumbBarAddButtons(HWND, UINT, LPTHUMBBUTTON) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ThumbBarUpdateButtons(HWND, UINT, LPTHUMBBUTTON) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ThumbBarSetImageList(HWND, HIMAGELIST) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetOverlayIcon(HWND, HICON, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetThumbnailTooltip(HWND, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetThumbnailClip(HWND, RECT*) override { return S_OK; }
};

class TaskbarBar : public TCkXPProgressBar {
 public:
  FakeTaskbar* fake;
  TaskbarBar(TComponent* owner, FakeTaskbar* f) : TCkXPProgressBar(owner), fake(f) {}

 protected:
  ITaskbarList3* CreateTaskbarList() override {
    fake->AddRef();
    return fake;
  }
};

}  // namespace

TEST(ProgressBar, ValueModelKeepsMinPositionMaxInOrder) {
  BarForm f;
  TCkXPProgressBar* b = f.bar;
  EXPECT_EQ(b->Steps(), 7);
  EXPECT_EQ(b->Color(), clWindow);
  EXPECT_FALSE(b->ParentColor());
  b->SetPosition(50);
  EXPECT_EQ(f.changes, 1);
  b->SetPosition(50);
  EXPECT_EQ(f.changes, 1);
  b->SetPosition(500);
  EXPECT_EQ(b->Position(), 100);
  b->SetPosition(-5);
  EXPECT_EQ(b->Position(), 0);
  EXPECT_EQ(f.changes, 3);
  b->SetPosition(60);
  // Lowering Max below Position pulls Position down, with one event.
  f.changes = 0;
  b->SetMax(40);
  EXPECT_EQ(b->Position(), 40);
  EXPECT_EQ(f.changes, 1);
  b->SetMin(45);
  EXPECT_EQ(b->Min(), 40);
  EXPECT_EQ(b->Position(), 40);
  b->SetMin(10);
  b->SetMax(5);
  EXPECT_EQ(b->Max(), 10);
  b->SetMax(100);
  b->SetMin(0);
  b->SetPosition(20);
  b->SetMin(30);
  EXPECT_EQ(b->Position(), 30);
  // StepIt adds Steps and stops at Max.
  b->SetMin(0);
  b->SetSteps(40);
  b->StepIt();
  EXPECT_EQ(b->Position(), 70);
  b->StepIt();
  EXPECT_EQ(b->Position(), 100);
  f.changes = 0;
  b->StepIt();
  EXPECT_EQ(f.changes, 0);
  b->SetSteps(0);
  EXPECT_EQ(b->Steps(), 1);
  b->SetSteps(-4);
  EXPECT_EQ(b->Steps(), 1);
  b->SetBlockSize(-1);
  EXPECT_EQ(b->BlockSize(), 1);
}

TEST(ProgressBar, OrientationSwapsTheSizeUnlessLoading) {
  BarForm f;
  f.bar->SetOrientation(pbVertical);
  EXPECT_EQ(f.bar->Width(), 17);
  EXPECT_EQ(f.bar->Height(), 150);
  TCkXPProgressBar loaded(nullptr);
  loaded.SetBounds(0, 0, 20, 120);
  loaded.SetLoading(true);
  loaded.SetOrientation(pbVertical);
  loaded.SetLoading(false);
  EXPECT_EQ(loaded.Width(), 20);
  EXPECT_EQ(loaded.Height(), 120);
}

TEST(ProgressBar, NothingIsPaintedWhenMaxEqualsMin) {
  BarForm f;
  f.bar->SetMax(0);
  Snapshot s = f.Paint();
  for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {75, 8}, {149, 16}}) EXPECT_EQ(s.At(x, y), 0x123456);
}

TEST(ProgressBar, XPFrameHasCutCornersThatShowTheParent) {
  BarForm f;
  Snapshot s = f.Paint();
  const int w = 150, h = 17;
  struct P {
    int x, y;
    TColor c;
  } pixels[] = {
      {0, 0, kBack},       {w - 1, 0, kBack},   {0, h - 1, kBack},   {w - 1, h - 1, kBack},
      {0, 1, 0xBEBEBE},    {0, 8, 0x686868},    {1, 1, 0x686868},    {1, 8, 0xBEBEBE},
      {2, 0, 0x686868},    {2, 1, 0xBEBEBE},    {2, 8, 0xEFEFEF},    {40, 0, 0x686868},
      {40, 1, 0xBEBEBE},   {40, 2, 0xEFEFEF},   {40, h - 2, 0xEFEFEF}, {40, h - 1, 0x686868},
      {w - 3, 8, 0xEFEFEF}, {w - 2, 8, 0xBEBEBE}, {w - 1, 8, 0x686868},
  };
  for (const P& p : pixels) EXPECT_EQ(s.At(p.x, p.y), p.c) << p.x << "," << p.y;
  // Position 0: the inside is the bar's colour.
  EXPECT_EQ(s.At(4, 8), xptest::Rgb(clWindow));
  EXPECT_EQ(s.At(75, 3), xptest::Rgb(clWindow));
}

namespace {

struct BarCase {
  const char* name;
  bool smooth;
  int position;
  int blockSize;
  std::vector<int> barColumns;    // columns that show the bar (middle row in From)
  std::vector<int> emptyColumns;  // columns that show the bar's colour
};

const BarCase kBarCases[] = {
    {"smooth at 0", true, 0, 10, {}, {4, 75, 146}},
    {"smooth in the middle", true, 50, 10, {4, 76}, {77, 146}},
    {"smooth at max", true, 100, 10, {4, 76, 146}, {}},
    {"blocks at 0", false, 0, 10, {}, {4, 75}},
    {"blocks in the middle", false, 50, 10, {4, 9, 12, 76, 81}, {10, 11, 84}},
    {"blocks at max", false, 100, 10, {4, 9, 12, 140}, {10, 11, 146}},
    // Block sizes without room for a gap are painted as one smooth bar.
    {"block size 1", false, 100, 1, {4, 10, 11, 146}, {}},
    {"block size 2", false, 50, 2, {4, 10, 11, 76}, {77}},
};

class XPBarModes : public ::testing::TestWithParam<BarCase> {};

}  // namespace

TEST_P(XPBarModes, BarColumnsAndTheGradientAcrossTheHeight) {
  const BarCase& c = GetParam();
  BarForm f;
  f.bar->SetSmooth(c.smooth);
  f.bar->SetBlockSize(c.blockSize);
  f.bar->SetPosition(c.position);
  Snapshot s = f.Paint();
  for (int x : c.barColumns) {
    // Rows 3..13: To at the outer rows, From in the middle.
    EXPECT_EQ(s.At(x, 3), kTo) << "column " << x;
    EXPECT_EQ(s.At(x, 8), kFrom) << "column " << x;
    EXPECT_EQ(s.At(x, 13), kTo) << "column " << x;
    EXPECT_EQ(s.At(x, 2), 0xEFEFEF) << "column " << x;
  }
  for (int x : c.emptyColumns) EXPECT_EQ(s.At(x, 8), xptest::Rgb(clWindow)) << "column " << x;
}

INSTANTIATE_TEST_SUITE_P(ProgressBar, XPBarModes, ::testing::ValuesIn(kBarCases), cktest::CaseName());

TEST(ProgressBar, VerticalBarGrowsFromTheBottom) {
  BarForm f;
  f.bar->SetOrientation(pbVertical);
  f.bar->SetSmooth(true);
  f.bar->SetPosition(50);
  Snapshot s = f.Paint();
  // Columns 4..12 carry the bar: To at the sides, From in the middle.
  EXPECT_EQ(s.At(4, 140), kTo);
  EXPECT_EQ(s.At(8, 140), kFrom);
  EXPECT_EQ(s.At(8, 20), xptest::Rgb(clWindow));
}

TEST(ProgressBar, TaskbarMirrorFollowsPositionAndStateOnlyWhenAsked) {
  fwtest::TestForm form(300, 100);
  FakeTaskbar fake;
  auto* bar = new TaskbarBar(form.form, &fake);
  bar->SetParent(form.form);
  form->Show();
  fwtest::Pump();
  ASSERT_EQ(bar->TaskBar(), &fake);
  EXPECT_EQ(bar->ParentForm(), form.form);
  bar->SetPosition(10);
  bar->SetTaskbarState(tpsError);
  EXPECT_EQ(fake.values + fake.states, 0);

  bar->SetDisplayOnTaskbar(true);
  EXPECT_EQ(fake.values + fake.states, 0);
  bar->SetPosition(30);
  EXPECT_EQ(fake.values, 1);
  EXPECT_EQ(fake.lastValue, 30u);
  EXPECT_EQ(fake.lastTotal, 100u);
  bar->SetPosition(30);
  EXPECT_EQ(fake.values, 1);

  // A position ends the indeterminate state; error and paused stay.
  bar->SetTaskbarState(tpsIndeterminate);
  EXPECT_EQ(fake.lastState, TBPF_INDETERMINATE);
  bar->SetPosition(40);
  EXPECT_EQ(bar->TaskbarState(), tpsNormal);
  EXPECT_EQ(fake.lastState, TBPF_NORMAL);
  bar->SetTaskbarState(tpsPaused);
  bar->SetPosition(50);
  EXPECT_EQ(bar->TaskbarState(), tpsPaused);
  EXPECT_EQ(fake.lastState, TBPF_PAUSED);
  bar->Free();
  EXPECT_EQ(fake.refs, 1);
}

TEST(ProgressBar, MissingTaskbarListLeavesTheMirrorOff) {
  BarForm f;
  // Whatever the system offers, the bar keeps working without a list.
  f.bar->SetDisplayOnTaskbar(true);
  f.bar->SetTaskbarState(tpsIndeterminate);
  f.bar->SetPosition(70);
  EXPECT_EQ(f.bar->Position(), 70);
  EXPECT_EQ(f.bar->TaskbarState(), tpsNormal);
}
