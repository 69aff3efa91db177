// The gauge without a skin: its arithmetic, its value rules (clamping,
// change events, repaints only when the percentage changes, the range
// errors), its text, its animation timer, and its flat painting of every
// kind in both orientations.
#include <gtest/gtest.h>

#include <string>

#include "fw/controls_test_util.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "fw/stdctrls_test_util.h"
#include "skin/controls/gauge.h"

using namespace fw;
using namespace skin;
using fwtest::Pump;
using fwtest::TestForm;

namespace {

constexpr TColor kFore = 0xC00000;  // a blue that text inversion never makes
constexpr TColor kBack = 0xFFFFFF;

class CountingGauge : public TkGauge {
 public:
  using TkGauge::TkGauge;
  int paints = 0;
  int changes = 0;
  void Changed(TObject*) { ++changes; }

 protected:
  void Paint() override {
    ++paints;
    TkGauge::Paint();
  }
};

struct GaugeOnForm {
  TestForm form{320, 160};
  CountingGauge* gauge;
  explicit GaugeOnForm(int w = 102, int h = 22) {
    gauge = new CountingGauge(form.form);
    gauge->SetParent(form.form);
    gauge->SetBounds(10, 10, w, h);
    gauge->SetForeColor(kFore);
    gauge->SetBackColor(kBack);
    gauge->OnChange = TNotifyEvent(gauge, &CountingGauge::Changed);
    form->Show();
    Pump();
  }
  // The form painted off-screen; gauge pixels by the gauge's coordinates.
  TColor At(TBitmap* shot, int x, int y) const { return fwtest::PixelAt(shot, 10 + x, 10 + y); }
};

}  // namespace

TEST(GaugeArithmetic, PercentagesSharesAndStepsRoundHalvesToEven) {
  const struct {
    int value, total, percent;
  } kPercents[] = {{1, 8, 12}, {3, 8, 38}, {5, 0, 0}, {150, 200, 75}, {0, 100, 0}, {100, 100, 100}, {-1, 8, -12}};
  for (const auto& c : kPercents) EXPECT_EQ(PercentOf(c.value, c.total), c.percent) << c.value << "/" << c.total;
  const struct {
    int percent, total, share;
  } kShares[] = {{50, 145, 72}, {50, 143, 72}, {75, 200, 150}, {100, 101, 101}, {0, 50, 0}};
  for (const auto& c : kShares) EXPECT_EQ(ShareOfPercent(c.percent, c.total), c.share) << c.percent << "% of " << c.total;
  const struct {
    int length, step;
  } kSteps[] = {{145, 15}, {300, 15}, {1000, 20}, {2000, 40}};
  for (const auto& c : kSteps) EXPECT_EQ(AnimStep(c.length), c.step) << c.length;
}

TEST(GaugeValues, ProgressIsClampedFiresOnChangeAndRepaintsOnlyWhenThePercentageMoves) {
  GaugeOnForm f;
  CountingGauge* g = f.gauge;
  g->SetMaxValue(1000);
  g->SetProgress(10);
  Pump();
  const struct {
    int write, expected;
    bool change, repaint;
  } kCases[] = {
      {10, 10, false, false},     // the same value: nothing
      {11, 11, true, false},      // 1 % stays 1 %: the event, no repaint
      {500, 500, true, true},
      {5000, 1000, true, true},   // clamped to the maximum
      {5000, 1000, false, false}, // clamped to what it already is
      {-3, 0, true, true},
  };
  for (const auto& c : kCases) {
    const int paints = g->paints, changes = g->changes;
    g->SetProgress(c.write);
    Pump();
    EXPECT_EQ(g->Progress(), c.expected) << c.write;
    EXPECT_EQ(g->changes - changes, c.change ? 1 : 0) << c.write;
    EXPECT_EQ(g->paints > paints, c.repaint) << c.write;
  }
}

TEST(GaugeValues, RangeWritesRefuseCrossedBoundsAndCarryTheProgressAlong) {
  TkGauge g(nullptr);
  EXPECT_EQ(g.Progress(), 47);
  try {
    g.SetMaxValue(-5);
    FAIL() << "no error";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), u"Value must be between 1 and 2147483647");
  }
  try {
    g.SetMinValue(101);
    FAIL() << "no error";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), u"Value must be between -2147483647 and 99");
  }
  EXPECT_EQ(g.MinValue(), 0);
  EXPECT_EQ(g.MaxValue(), 100);
  g.SetMaxValue(40);
  EXPECT_EQ(g.Progress(), 40);
  g.SetMinValue(40);
  EXPECT_EQ(g.Progress(), 40);
  EXPECT_EQ(g.PercentDone(), 0) << "an empty range divides nothing";
}

TEST(GaugeText, ShowsThePercentageOrTheRawValueWithItsSuffixAsTheHandlerLeavesIt) {
  TkGauge g(nullptr);
  EXPECT_EQ(g.DisplayText(), u"47%");
  g.SetMaxValue(5);
  g.SetMinValue(5);
  g.SetProgress(5);
  EXPECT_EQ(g.DisplayText(), u"0%");
  TkGauge raw(nullptr);
  raw.SetMaxValue(200);
  raw.SetProgress(150);
  raw.SetCalcPercents(false);
  EXPECT_EQ(raw.DisplayText(), u"150%");
  raw.SetSuffix(u" files");
  struct Replace {
    void Text(TObject*, String& t) { t = u"[" + t + u"]"; }
  } replace;
  raw.OnPaintText = TPrintTextEvent(&replace, &Replace::Text);
  EXPECT_EQ(raw.DisplayText(), u"[150 files]");
}

TEST(GaugeTimer, RunsAfterLoadingWhenAnimatedAndStopsItselfWithoutASkin) {
  TkGauge made(nullptr);
  EXPECT_FALSE(made.AnimationTimer()->Enabled()) << "a gauge made in code waits";
  EXPECT_EQ(made.AnimationTimer()->Interval(), 22u);
  made.SetAnimated(false);
  made.SetAnimated(true);
  EXPECT_TRUE(made.AnimationTimer()->Enabled());

  RegisterClasses<TkGauge>();
  fwtest::DescribedForm<TForm> f(
      u"object Form1: TForm\n"
      u"  object Gauge: TkGauge\n"
      u"    Left = 4\n"
      u"    Top = 4\n"
      u"    Width = 145\n"
      u"    Height = 16\n"
      u"    Progress = 30\n"
      u"  end\n"
      u"end\n",
      false);
  auto* loaded = f.Find<TkGauge>(u"Gauge");
  EXPECT_EQ(loaded->Progress(), 30);
  EXPECT_TRUE(loaded->AnimationTimer()->Enabled());
  // Without a skin there is no light strip to run: the first tick ends it.
  const DWORD start = GetTickCount();
  while (loaded->AnimationTimer()->Enabled() && GetTickCount() - start < 10000) Pump();
  EXPECT_FALSE(loaded->AnimationTimer()->Enabled());
}

TEST(GaugePainting, BarsFillTheirShareInsideTheFrameInBothOrientations) {
  GaugeOnForm f(102, 22);
  TkGauge* g = f.gauge;
  g->SetShowText(false);
  g->SetProgress(50);
  auto shot = fwtest::Capture(f.form.form);
  // Frame black; inside P = (1,1)-(101,21): W = 101, F = round(50.5) = 50.
  EXPECT_EQ(f.At(shot.get(), 0, 10), 0x000000u);
  EXPECT_EQ(f.At(shot.get(), 101, 10), 0x000000u);
  EXPECT_EQ(f.At(shot.get(), 1, 10), kFore);
  EXPECT_EQ(f.At(shot.get(), 49, 10), kFore);
  EXPECT_EQ(f.At(shot.get(), 50, 10), kBack);
  EXPECT_EQ(f.At(shot.get(), 100, 10), kBack);

  g->SetKind(gkVerticalBar);
  g->SetBounds(10, 10, 22, 102);
  g->SetProgress(100);
  shot = fwtest::Capture(f.form.form);
  // At 100 % F is H - 1: the fill starts at the first row inside the frame.
  EXPECT_EQ(f.At(shot.get(), 10, 0), 0x000000u);
  EXPECT_EQ(f.At(shot.get(), 10, 1), kFore);
  EXPECT_EQ(f.At(shot.get(), 10, 100), kFore);
  g->SetProgress(25);
  shot = fwtest::Capture(f.form.form);
  EXPECT_EQ(f.At(shot.get(), 10, 50), kBack);
  EXPECT_EQ(f.At(shot.get(), 10, 90), kFore);

  g->SetBorderStyle(bsNone);
  shot = fwtest::Capture(f.form.form);
  EXPECT_EQ(f.At(shot.get(), 10, 0), kBack) << "no frame";
}

TEST(GaugePainting, TheTextShowsInTheInverseOfWhatLiesUnderIt) {
  GaugeOnForm f(120, 24);
  TkGauge* g = f.gauge;
  g->SetProgress(50);
  auto shot = fwtest::Capture(f.form.form);
  int inverseOfBack = 0, inverseOfFore = 0;
  for (int y = 1; y < 23; ++y) {
    for (int x = 1; x < 119; ++x) {
      const TColor c = f.At(shot.get(), x, y);
      if (c == (kBack ^ 0xFFFFFF)) ++inverseOfBack;
      if (c == (kFore ^ 0xFFFFFF)) ++inverseOfFore;
    }
  }
  // "50%" straddles the fill's edge.
  EXPECT_GT(inverseOfBack, 5);
  EXPECT_GT(inverseOfFore, 5);
  g->SetKind(gkText);
  shot = fwtest::Capture(f.form.form);
  EXPECT_EQ(f.At(shot.get(), 2, 2), kBack) << "text only: the background and the text";
}

TEST(GaugePainting, PieAndNeedleDrawTheirShare) {
  GaugeOnForm f(61, 61);
  TkGauge* g = f.gauge;
  g->SetShowText(false);
  g->SetKind(gkPie);
  g->SetProgress(0);
  auto shot = fwtest::Capture(f.form.form);
  EXPECT_EQ(f.At(shot.get(), 30, 30), kBack) << "an empty pie";
  g->SetProgress(100);
  shot = fwtest::Capture(f.form.form);
  EXPECT_EQ(f.At(shot.get(), 30, 30), kFore) << "a full pie";
  EXPECT_EQ(f.At(shot.get(), 40, 20), kFore);

  g->SetKind(gkNeedle);
  g->SetProgress(0);
  shot = fwtest::Capture(f.form.form);
  EXPECT_NE(f.At(shot.get(), 30, 30), kFore) << "no needle at 0";
  g->SetProgress(50);
  shot = fwtest::Capture(f.form.form);
  // Half way the needle stands upright in the middle.
  EXPECT_EQ(f.At(shot.get(), 30, 30), kFore);
  EXPECT_EQ(f.At(shot.get(), 30, 50), kFore);
}
