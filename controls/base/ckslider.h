// The bitmap slider TCkxSlider (all logic in TCkCustomSlider): a ruler
// picture stretched to the control's length (its ends kept, its middle
// repeated), a thumb picture moved along it, optional scale points, the
// arrow keys and Home/End, dragging (OnChange per value, OnChanged at the
// release) and click-and-hold jumps that repeat every 400 ms. Vertical
// sliders have their maximum at the top.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "controls/base/ckexcontrols.h"
#include "fw/core/sets.h"
#include "fw/graphics/graphics.h"
#include "fw/stdctrls/panel.h"

namespace ck {

FW_ENUM(TSliderOrientation, soHorizontal, soVertical)
FW_ENUM(TSliderOption, soShowFocus, soShowPoints, soSmooth, soRulerOpaque, soThumbOpaque)
using TSliderOptions = fw::TSet<TSliderOption>;
FW_ENUM(TSliderImage, siHThumb, siHRuler, siVThumb, siVRuler)
using TSliderImages = fw::TSet<TSliderImage>;
FW_ENUM(TJumpMode, jmNone, jmHome, jmEnd, jmNext, jmPrior)

class TCkCustomSlider : public TCkExCustomControl {
  FW_CLASS(TCkCustomSlider, TCkExCustomControl)
  explicit TCkCustomSlider(fw::TComponent* AOwner);
  ~TCkCustomSlider() override;

  // The pictures: horizontal thumb, horizontal ruler, vertical thumb,
  // vertical ruler. Setting one copies it in (nullptr: the built-in one).
  fw::TBitmap* ImageHThumb() const { return FImages[siHThumb]; }
  fw::TBitmap* ImageHRuler() const { return FImages[siHRuler]; }
  fw::TBitmap* ImageVThumb() const { return FImages[siVThumb]; }
  fw::TBitmap* ImageVRuler() const { return FImages[siVRuler]; }
  void SetImageHThumb(fw::TBitmap* Value) { SetImage(siHThumb, Value); }
  void SetImageHRuler(fw::TBitmap* Value) { SetImage(siHRuler, Value); }
  void SetImageVThumb(fw::TBitmap* Value) { SetImage(siVThumb, Value); }
  void SetImageVRuler(fw::TBitmap* Value) { SetImage(siVRuler, Value); }
  void SetImage(TSliderImage Index, fw::TBitmap* Value);
  // Which pictures were set by the user (the others are built in); only
  // those are written to a form description.
  TSliderImages UserImages() const { return FUserImages; }
  bool HThumbStored() const { return FUserImages.Contains(siHThumb); }
  bool HRulerStored() const { return FUserImages.Contains(siHRuler); }
  bool VThumbStored() const { return FUserImages.Contains(siVThumb); }
  bool VRulerStored() const { return FUserImages.Contains(siVRuler); }

  fw::TBevelCut BevelStyle() const { return FBevelStyle; }
  void SetBevelStyle(fw::TBevelCut Value);
  int EdgeSize() const { return FEdgeSize; }
  void SetEdgeSize(int Value);
  int NumThumbStates() const { return FNumThumbStates; }
  void SetNumThumbStates(int Value);
  TSliderOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TSliderOrientation Value);
  TSliderOptions Options() const { return FOptions; }
  void SetOptions(TSliderOptions Value);

  int MinValue() const { return FMinValue; }
  void SetMinValue(int Value);
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value);
  int Increment() const { return FIncrement; }
  // 0 < Value <= MaxValue - MinValue, else ECKException "Value must be
  // between 1 and <range>" (outside form loading).
  void SetIncrement(int Value);
  int Value() const { return FValue; }
  void SetValue(int Value);

  // Free length of the thumb's travel along the ruler.
  int RulerLength() const;
  // Offset (left or top) of the thumb at a value, and the value at a thumb
  // offset (snapped to MinValue + k * Increment without soSmooth).
  int GetOffsetByValue(int Value) const;
  int GetValueByOffset(int Offset) const;
  virtual void DefaultDrawPoints(int PointsStep, int PointsHeight, int ExtremePointsHeight);

  fw::TRect ThumbRect() const { return FThumbRect; }
  fw::TPoint RulerOrg() const { return FRulerOrg; }
  fw::TBitmap* Ruler() const { return FRuler.get(); }
  bool Sliding() const { return FSliding; }
  bool Tracking() const { return FTracking; }
  bool TimerActive() const { return FTimerActive; }

  fw::TNotifyEvent OnChange;
  fw::TNotifyEvent OnChanged;
  fw::TNotifyEvent OnDrawPoints;

  void Loaded() override;
  void AlignControls(fw::TControl* AControl, fw::TRect& Rect) override;

 protected:
  virtual bool CanModify() { return true; }
  virtual fw::TRect SliderClientRect() const;
  virtual int CurrentValue() const { return FValue; }
  virtual void UpdateLayout();
  virtual void RangeChanged() {}
  virtual void ThumbPressed(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  virtual void ThumbDragged(fw::TShiftState Shift, int X, int Y);
  virtual void ThumbReleased(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  virtual void FireChange() { OnChange(this); }
  virtual void FireChanged() { OnChanged(this); }

  void WndProc(fw::TMessage& Message) override;
  void Paint() override;
  void BoundsChanged() override;
  void DialogCodes(TDialogKeyCodes& Codes) override;
  void KeyDown(WORD& Key, fw::TShiftState Shift) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseMove(fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void FocusChangedNotice(fw::TControl* Control) override;
  void EnabledChanged() override;

 private:
  friend struct TCkSliderStreaming;
  void LoadBuiltInImage(TSliderImage Index);
  void ImageChanged(fw::TObject* Sender);
  void SetRange(int Min, int Max);
  void StretchRuler();
  int ThumbWidth() const;
  int ThumbHeight() const;
  int OffsetStart() const;
  void MoveThumb(int Offset, bool Dragging);
  TJumpMode JumpModeAt(fw::TPoint P) const;
  void JumpStep();
  void ApplyJump(TJumpMode Mode);
  void StopJump();
  void PaintBuffered(HDC DC);
  void InvalidateThumb(const fw::TRect& R);
  bool Reading() const { return ComponentState().Contains(fw::csReading); }

  TSliderImages FUserImages;
  std::array<fw::TBitmap*, 4> FImages{};
  int FEdgeSize = 2;
  std::unique_ptr<fw::TBitmap> FRuler;
  fw::TPoint FRulerOrg;
  fw::TRect FThumbRect;
  bool FThumbDown = false;
  int FNumThumbStates = 2;
  fw::TRect FPointsRect;
  TSliderOrientation FOrientation = soHorizontal;
  TSliderOptions FOptions{soShowFocus, soShowPoints, soSmooth};
  fw::TBevelCut FBevelStyle = fw::bvNone;
  int FBevelWidth = 1;
  int FMinValue = 0;
  int FMaxValue = 100;
  int FIncrement = 10;
  int FValue = 0;
  int FHit = 0;
  bool FFocused = false;
  bool FSliding = false;
  bool FTracking = false;
  bool FTimerActive = false;
  fw::TPoint FMousePos;
  TJumpMode FStartJump = jmNone;
  bool FCreating = true;
};

class TCkxSlider : public TCkCustomSlider {
  FW_CLASS(TCkxSlider, TCkCustomSlider)
  explicit TCkxSlider(fw::TComponent* AOwner) : TCkCustomSlider(AOwner) {}
};

// The slider's timer id and the delay between two jump steps.
constexpr UINT_PTR SliderJumpTimer = 1;
constexpr UINT SliderJumpDelay = 400;

}  // namespace ck
