// Painted progress bars without a window of their own: the value model
// (Min, Max, Position, StepIt), horizontal or vertical, smooth or in
// blocks, a change event and an optional mirror of the value on the
// taskbar button; and the XP-style bar with a grey frame of cut corners
// and a two-colour gradient running from the edges to the middle.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include "fw/controls/controls.h"
#include "fw/controls/forms.h"

namespace ck {

using fw::TColor;

FW_ENUM(TProgressBarOrientation, pbHorizontal, pbVertical)
FW_ENUM(TCkTaskBarProgressState, tpsNormal, tpsNoProgress, tpsIndeterminate, tpsError, tpsPaused)

// The taskbar's flag (TBPF_*) for a state.
TBPFLAG TaskBarProgressFlag(TCkTaskBarProgressState State);

class TCkBaseProgressBar : public fw::TGraphicControl {
  FW_CLASS(TCkBaseProgressBar, fw::TGraphicControl)
  explicit TCkBaseProgressBar(fw::TComponent* AOwner);
  ~TCkBaseProgressBar() override;

  int BlockSize() const { return FBlockSize; }
  void SetBlockSize(int Value);
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  TProgressBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TProgressBarOrientation Value);
  TColor BarColor() const { return FBarColor; }
  void SetBarColor(TColor Value);
  int Steps() const { return FSteps; }
  void SetSteps(int Value);
  bool DisplayOnTaskbar() const { return FDisplayOnTaskbar; }
  void SetDisplayOnTaskbar(bool Value) { FDisplayOnTaskbar = Value; }
  TCkTaskBarProgressState TaskbarState() const { return FTaskbarState; }
  void SetTaskbarState(TCkTaskBarProgressState Value);
  // The nearest form among the parents, or null.
  fw::TCustomForm* ParentForm() const { return FParentForm; }
  // The shell's taskbar list once asked for (null when there is none).
  ITaskbarList3* TaskBar() const { return FTaskBar; }

  virtual void StepIt();
  virtual void StepBy(int Delta);

  void SetParent(fw::TWinControl* AParent) override;
  void WndProc(fw::TMessage& Message) override;

  fw::TNotifyEvent OnChange;

 protected:
  // Draws the bar with its length L in pixels.
  virtual void DrawBar(fw::TCanvas* ACanvas, int L);
  virtual int BarSize() const;
  virtual void FireChange();
  void Paint() override;
  // Creates the shell's taskbar list and initialises it; null when it is
  // not offered or cannot be initialised.
  virtual ITaskbarList3* CreateTaskbarList();
  // The window whose taskbar button shows the value, or null.
  HWND TaskbarWindow() const;

  int FBlockSize = 10;
  bool FSmooth = false;
  int FPosition = 0;
  int FMin = 0;
  int FMax = 100;
  TProgressBarOrientation FOrientation = pbHorizontal;
  TColor FBarColor = fw::clHighlight;
  int FSteps = 10;
  ITaskbarList3* FTaskBar = nullptr;
  bool FTaskBarTested = false;
  bool FDisplayOnTaskbar = false;
  TCkTaskBarProgressState FTaskbarState = tpsNormal;
  fw::TCustomForm* FParentForm = nullptr;
};

class TCkBaseGradientProgressBar : public TCkBaseProgressBar {
  FW_CLASS(TCkBaseGradientProgressBar, TCkBaseProgressBar)
  explicit TCkBaseGradientProgressBar(fw::TComponent* AOwner) : TCkBaseProgressBar(AOwner) {}

  TColor BarColorFrom() const { return FBarColorFrom; }
  void SetBarColorFrom(TColor Value);
  TColor BarColorTo() const { return FBarColorTo; }
  void SetBarColorTo(TColor Value);

 protected:
  TColor FBarColorFrom = fw::clWhite;
  TColor FBarColorTo = fw::clBlack;
};

class TCkCustomXPProgressBar : public TCkBaseGradientProgressBar {
  FW_CLASS(TCkCustomXPProgressBar, TCkBaseGradientProgressBar)
  explicit TCkCustomXPProgressBar(fw::TComponent* AOwner);

 protected:
  void DrawBar(fw::TCanvas* ACanvas, int L) override;
};

class TCkXPProgressBar : public TCkCustomXPProgressBar {
  FW_CLASS(TCkXPProgressBar, TCkCustomXPProgressBar)
  explicit TCkXPProgressBar(fw::TComponent* AOwner) : TCkCustomXPProgressBar(AOwner) {}
};

}  // namespace ck
