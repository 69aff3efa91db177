// Controls that show a position in a range: the track bar
// (msctls_trackbar32, moved by the user) and the progress bar
// (msctls_progress32, moved by the program).
#pragma once

#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_ENUM(TTrackBarOrientation, trHorizontal, trVertical)
FW_ENUM(TTickStyle, tsNone, tsAuto, tsManual)
FW_ENUM(TTickMark, tmBottomRight, tmTopLeft, tmBoth)
FW_ENUM(TProgressBarOrientation, pbHorizontal, pbVertical)

class TTrackBar : public TWinControl {
  FW_CLASS(TTrackBar, TWinControl)
  explicit TTrackBar(TComponent* AOwner);

  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  // Kept within Min..Max. Setting it reports no change.
  int Position() const;
  void SetPosition(int Value);
  TTrackBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation Value);
  int Frequency() const { return FFrequency; }
  void SetFrequency(int Value);
  int LineSize() const { return FLineSize; }
  void SetLineSize(int Value);
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  TTickStyle TickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle Value);
  TTickMark TickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMark Value);

  // The user moved the thumb.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  virtual void Changed();

 private:
  void UpdateRange();
  int FMin = 0;
  int FMax = 10;
  int FPosition = 0;
  TTrackBarOrientation FOrientation = trHorizontal;
  int FFrequency = 1;
  int FLineSize = 1;
  int FPageSize = 2;
  TTickStyle FTickStyle = tsAuto;
  TTickMark FTickMarks = tmBottomRight;
};

class TProgressBar : public TWinControl {
  FW_CLASS(TProgressBar, TWinControl)
  explicit TProgressBar(TComponent* AOwner);

  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  int Position() const;
  void SetPosition(int Value);
  int Step() const { return FStep; }
  void SetStep(int Value);
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  TProgressBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TProgressBarOrientation Value);
  // Moves by Step (by Delta), wrapping to Min past Max as the window does.
  void StepIt();
  void StepBy(int Delta);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FStep = 10;
  bool FSmooth = false;
  TProgressBarOrientation FOrientation = pbHorizontal;
};

}  // namespace fw
