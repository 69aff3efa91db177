// The skinned gauge TkGauge: a graphic control that shows a progress value
// as a text, a horizontal or vertical bar, a pie or a needle, with the
// number as a percentage (or the raw value) and a suffix.
//
// Without a skin it paints in flat colours, the text in the inverse of
// whatever lies under it, inside a one-pixel black frame with bsSingle.
// With a skin (its SkinData's manager, section "GAUGE") it paints the
// section as background and a progress section ("PROGRESSH", "PROGRESSV")
// as the filled part of a bar, over which a light strip (the program's
// resource "ACGL") runs every 2222 ms on a 22 ms timer while Animated; the
// timer switches itself off when the gauge is no longer skinned.
#pragma once

#include <windows.h>

#include "fw/controls/controls.h"
#include "fw/core/events.h"
#include "fw/stdctrls/stdctrls_common.h"
#include "fw/system/timers.h"
#include "skin/engine/common_data.h"

#include <memory>

namespace skin {

FW_ENUM(TkGaugeKind, gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle)

// The text a gauge is about to draw, which the handler may replace.
using TPrintTextEvent = fw::TEvent<void(fw::TObject* Sender, fw::String& TextToPrint)>;

// Milliseconds of one light-strip cycle.
extern int GaugeAnimCycle;
// The light strip's length in pixels.
constexpr int LightWidth = 300;

// round(100 / Total * Value), halves to even; 0 when Total is 0.
int PercentOf(int Value, int Total);
// round(Percent * 0.01 * Total), halves to even.
int ShareOfPercent(int Percent, int Total);
// Pixels the light strip moves per tick along a bar of that length.
int AnimStep(int Length);

class TkGauge : public fw::TGraphicControl {
  FW_CLASS(TkGauge, fw::TGraphicControl)

 public:
  explicit TkGauge(fw::TComponent* AOwner);
  ~TkGauge() override;
  void Loaded() override;

  TkGaugeKind Kind() const { return FKind; }
  void SetKind(TkGaugeKind Value);
  bool CalcPercents() const { return FCalcPercents; }
  void SetCalcPercents(bool Value);
  fw::TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(fw::TBorderStyle Value);
  bool Animated() const { return FAnimated; }
  void SetAnimated(bool Value);
  fw::TColor BackColor() const { return FBackColor; }
  void SetBackColor(fw::TColor Value);
  fw::TColor ForeColor() const { return FForeColor; }
  void SetForeColor(fw::TColor Value);
  int MinValue() const { return FMinValue; }
  // Above MaxValue (outside loading): EInvalidOperation "Value must be
  // between %d and %d"; Progress is raised to it when below.
  void SetMinValue(int Value);
  int MaxValue() const { return FMaxValue; }
  // Below MinValue (outside loading): EInvalidOperation; Progress is
  // lowered to it when above.
  void SetMaxValue(int Value);
  int Progress() const { return FCurValue; }
  // Clamped to MinValue..MaxValue; repaints when the shown percentage
  // changes and fires OnChange when the value does.
  void SetProgress(int Value);
  const fw::String& ProgressSkin() const { return FProgressSkin; }
  void SetProgressSkin(const fw::String& Value);
  bool ShowText() const { return FShowText; }
  void SetShowText(bool Value);
  const fw::String& Suffix() const { return FSuffix; }
  void SetSuffix(const fw::String& Value);

  // Progress + Value, then one more repaint.
  void AddProgress(int Value);
  int PercentDone() const;
  // The number shown (PercentDone, or Progress without CalcPercents)
  // followed by Suffix, as OnPaintText leaves it.
  fw::String DisplayText();

  // Whether a skin paints the gauge.
  bool Skinned() const;
  TkCommonData* SkinData() const { return FCommonData.get(); }
  fw::TTimer* AnimationTimer() const { return Timer; }
  // Renders the skinned picture into the skin data's cache bitmap.
  void PrepareCache();
  // One step of the light strip (what the timer does), and where the strip
  // stands: its left edge along the bar.
  void AnimationTick() { AnimTimerTick(nullptr); }
  int AnimPos() const { return FAnimPos; }
  void SetAnimPos(int Value) { FAnimPos = Value; }
  // The filled part of a skinned bar as last painted (without the light),
  // kept while its size stays.
  fw::TBitmap* ProgressImage() const { return FTmpProgressBmp.get(); }

  void WndProc(fw::TMessage& Message) override;

  fw::TNotifyEvent OnChange;
  TPrintTextEvent OnPaintText;

 protected:
  void Paint() override;

 private:
  void AnimTimerTick(fw::TObject* Sender);
  void PaintPlainEmpty(fw::TCanvas* C, const fw::TRect& P);
  void PaintPlainBar(fw::TCanvas* C, const fw::TRect& P);
  void PaintPlainPie(fw::TCanvas* C, const fw::TRect& P);
  void PaintPlainNeedle(fw::TCanvas* C, const fw::TRect& P);
  void PaintPlainPercent(fw::TBitmap* Image, const fw::TRect& P);
  void PaintSkinItems(const fw::TRect& R);
  void PaintSkinText(fw::TCanvas& C, const fw::TRect& R, int SkinIndex, bool Centred);
  void PaintSkinBar(const fw::TRect& R);
  void PaintSkinRound(const fw::TRect& R);
  void LoadLight(int Thickness);

  int FMinValue = 0;
  int FMaxValue = 100;
  int FCurValue = 47;
  TkGaugeKind FKind = gkHorizontalBar;
  bool FShowText = true;
  fw::String FSuffix = u"%";
  fw::TColor FForeColor = 0x000000;
  fw::TBorderStyle FBorderStyle = fw::bsSingle;
  fw::TColor FBackColor = 0xFFFFFF;
  fw::String FProgressSkin;
  bool FCalcPercents = true;
  bool FAnimated = true;
  int FLongTime = 0;
  int FAnimPos = 9999;
  fw::TTimer* Timer = nullptr;
  std::unique_ptr<TkCommonData> FCommonData;
  std::unique_ptr<fw::TBitmap> Light;
  std::unique_ptr<fw::TBitmap> FTmpProgressBmp;
};

}  // namespace skin
