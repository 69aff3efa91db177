// Scrolling: the scroll bar control (the system's SCROLLBAR class) and the
// scroll box, a container whose window scroll bars move its children when
// they reach beyond its client area.
#pragma once

#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom,
        scEndScroll)

using TScrollEvent = TEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
  FW_CLASS(TScrollBar, TWinControl)
  explicit TScrollBar(TComponent* AOwner);

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return FMin; }
  void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
  int Max() const { return FMax; }
  void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
  // Kept within Min..Max - PageSize + 1; a change reports OnChange.
  int Position() const { return FPosition; }
  void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int Value) { FSmallChange = Value; }
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int Value) { FLargeChange = Value; }
  void SetParams(int APosition, int AMin, int AMax);

  TNotifyEvent OnChange;
  // Before the position moves: ScrollPos may be changed.
  TScrollEvent OnScroll;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  virtual void Change();
  virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

 private:
  void UpdateWindow();
  int MaxPosition() const;
  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FPageSize = 0;
  int FSmallChange = 1;
  int FLargeChange = 1;
};

class TScrollBox;

// One scroll bar of a scroll box: the extent it scrolls over and the
// current offset.
class TControlScrollBar : public TPersistent {
  FW_CLASS(TControlScrollBar, TPersistent)
  TControlScrollBar(TScrollBox* Control, TScrollBarKind Kind) : FControl(Control), FKind(Kind) {}

  TScrollBarKind Kind() const { return FKind; }
  // The extent of the scrolled area (with AutoScroll: of the children).
  int Range() const { return FRange; }
  void SetRange(int Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Tracking() const { return FTracking; }
  void SetTracking(bool Value) { FTracking = Value; }
  // True while the bar is shown (the range is larger than the client).
  bool IsScrollBarVisible() const { return FShown; }
  void Assign(TPersistent* Source) override;

 private:
  friend class TScrollBox;
  TScrollBox* FControl;
  TScrollBarKind FKind;
  int FRange = 0;
  int FPosition = 0;
  int FIncrement = 8;
  bool FVisible = true;
  bool FTracking = false;
  bool FShown = false;
};

class TScrollBox : public TWinControl {
  FW_CLASS(TScrollBox, TWinControl)
  explicit TScrollBox(TComponent* AOwner);
  ~TScrollBox() override;

  TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar; }
  void SetHorzScrollBar(TControlScrollBar* Value) { FHorzScrollBar->Assign(Value); }
  TControlScrollBar* VertScrollBar() const { return FVertScrollBar; }
  void SetVertScrollBar(TControlScrollBar* Value) { FVertScrollBar->Assign(Value); }
  // The ranges follow the children.
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // Scrolls so that the control is in view.
  void ScrollInView(TControl* AControl);
  // Moves every child by DeltaX, DeltaY.
  void ScrollBy(int DeltaX, int DeltaY);

  void AlignControls(TControl* AControl, TRect& Rect) override;

 protected:
  friend class TControlScrollBar;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  void Resize() override;
  void UpdateScrollBars();
  void CalcAutoRange();

 private:
  void ScrollMessage(TControlScrollBar* Bar, WPARAM WParam);
  void ApplyBar(TControlScrollBar* Bar, int ClientExtent);
  TControlScrollBar* FHorzScrollBar;
  TControlScrollBar* FVertScrollBar;
  bool FAutoScroll = true;
  TBorderStyle FBorderStyle = bsSingle;
  bool FUpdating = false;
};

}  // namespace fw
