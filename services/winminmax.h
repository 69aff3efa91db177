// Window size limits and the maximized position of a form: the limits a
// form placement imposes through its window hook, what PreventResize does
// to hit tests and the system menu, and where a maximized window of each
// border style goes.
#pragma once

#include <windows.h>

#include <functional>

#include "fw/controls/forms.h"
#include "fw/core/object.h"

namespace services {

class TCkWinMinMaxInfo : public fw::TPersistent {
  FW_CLASS(TCkWinMinMaxInfo, fw::TPersistent)
  // OnChange runs after every changed limit (the placement adjusts the
  // maximized position and its hook then).
  explicit TCkWinMinMaxInfo(std::function<void()> OnChange = {}) : FOnChange(std::move(OnChange)) {}

  int MaxPosLeft() const { return FMinMaxInfo.ptMaxPosition.x; }
  void SetMaxPosLeft(int Value) { Set(FMinMaxInfo.ptMaxPosition.x, Value); }
  int MaxPosTop() const { return FMinMaxInfo.ptMaxPosition.y; }
  void SetMaxPosTop(int Value) { Set(FMinMaxInfo.ptMaxPosition.y, Value); }
  int MaxSizeHeight() const { return FMinMaxInfo.ptMaxSize.y; }
  void SetMaxSizeHeight(int Value) { Set(FMinMaxInfo.ptMaxSize.y, Value); }
  int MaxSizeWidth() const { return FMinMaxInfo.ptMaxSize.x; }
  void SetMaxSizeWidth(int Value) { Set(FMinMaxInfo.ptMaxSize.x, Value); }
  int MaxTrackHeight() const { return FMinMaxInfo.ptMaxTrackSize.y; }
  void SetMaxTrackHeight(int Value) { Set(FMinMaxInfo.ptMaxTrackSize.y, Value); }
  int MaxTrackWidth() const { return FMinMaxInfo.ptMaxTrackSize.x; }
  void SetMaxTrackWidth(int Value) { Set(FMinMaxInfo.ptMaxTrackSize.x, Value); }
  int MinTrackHeight() const { return FMinMaxInfo.ptMinTrackSize.y; }
  void SetMinTrackHeight(int Value) { Set(FMinMaxInfo.ptMinTrackSize.y, Value); }
  int MinTrackWidth() const { return FMinMaxInfo.ptMinTrackSize.x; }
  void SetMinTrackWidth(int Value) { Set(FMinMaxInfo.ptMinTrackSize.x, Value); }

  // True when no limit is set.
  bool DefaultMinMaxInfo() const;
  // Every limit that is not 0 replaces its member of Info.
  void ApplyTo(MINMAXINFO& Info) const;
  void Assign(fw::TPersistent* Source) override;

 private:
  void Set(LONG& Field, int Value);
  std::function<void()> FOnChange;
  MINMAXINFO FMinMaxInfo{};
};

// Where a maximized window of the border style goes: minus its frame.
POINT MaximizedPositionFor(fw::TFormBorderStyle Style);
// Writes that position into the placement of Form's window (a hidden
// window keeps its show command hide). Nothing without a window.
void AdjustMaximizedPosition(fw::TCustomForm* Form);

// PreventResize: sizing borders (codes 10 to 17) answer nowhere.
LRESULT PreventResizeHitTest(LRESULT HitTest);
// PreventResize: Size and Maximize of a system menu greyed.
void DisableSizeAndMaximize(HMENU SystemMenu);

}  // namespace services
