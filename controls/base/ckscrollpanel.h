// The scrolling window TCkScrollingWindow (logic in TCkCustomScrollPanel): a
// strip that holds more child controls than fit and scrolls them with two
// 16-pixel arrow buttons (TCkScrollButton) at its ends. The arrows can hide
// while nothing lies beyond them, repeat while held (after 360 ms, then
// every 100 ms), and the strip can turn from horizontal to vertical,
// transposing its children.
#pragma once

#include <windows.h>

#include "controls/base/ckexcontrols.h"
#include "fw/core/sets.h"
#include "fw/system/timers.h"

namespace ck {

FW_ENUM(TCkScrollKind, sbUp, sbDown, sbLeft, sbRight)
FW_ENUM(TCkScrollDirection, sdHorizontal, sdVertical)
// The edges drawn around the strip, outside its client area.
FW_ENUM(TEdgeBorder, ebLeft, ebTop, ebRight, ebBottom)
using TEdgeBorders = fw::TSet<TEdgeBorder>;
FW_ENUM(TEdgeStyle, esNone, esRaised, esLowered)

using TCkScrollingEvent = fw::TEvent<void(fw::TObject* Sender, bool& AllowChange, TCkScrollKind Kind)>;
using TCkScrolledEvent = fw::TEvent<void(fw::TObject* Sender, TCkScrollKind Kind)>;

class TCkCustomScrollPanel;

class TCkScrollButton : public TCkExCustomControl {
  FW_CLASS(TCkScrollButton, TCkExCustomControl)
  explicit TCkScrollButton(fw::TComponent* AOwner);
  ~TCkScrollButton() override;

  bool AutoRepeat() const { return FAutoRepeat; }
  void SetAutoRepeat(bool Value) { FAutoRepeat = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TCkScrollKind Kind() const { return FKind; }
  void SetKind(TCkScrollKind Value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = static_cast<uint16_t>(Value); }
  bool Down() const { return FDown; }
  // The repeat timer: exists only while the button is held with
  // auto-repeat.
  fw::TTimer* RepeatTimer() const { return FTimer; }

  // Scrolls the parent panel's children by Increment (the panel may veto).
  virtual void ScrollStep();
  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseEntered(fw::TControl* Control) override;
  void MouseLeft(fw::TControl* Control) override;
  void EnabledChanged() override;

 private:
  TCkCustomScrollPanel* Panel() const;
  void RepeatTick(fw::TObject* Sender);

  bool FDown = false;
  bool FRepeat = false;
  bool FFlat = false;
  bool FAutoRepeat = false;
  uint16_t FIncrement = 16;
  fw::TTimer* FTimer = nullptr;
  TCkScrollKind FKind = sbUp;
};

class TCkCustomScrollPanel : public TCkExCustomControl {
  FW_CLASS(TCkCustomScrollPanel, TCkExCustomControl)
  explicit TCkCustomScrollPanel(fw::TComponent* AOwner);

  bool AutoArrange() const { return FAutoArrange; }
  void SetAutoArrange(bool Value) { FAutoArrange = Value; }
  bool AutoHide() const { return FAutoHide; }
  void SetAutoHide(bool Value);
  bool AutoRepeat() const { return FAutoRepeat; }
  void SetAutoRepeat(bool Value) { FAutoRepeat = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TCkScrollDirection ScrollDirection() const { return FScrollDirection; }
  void SetScrollDirection(TCkScrollDirection Value);
  int ScrollAmount() const { return FScrollAmount; }
  void SetScrollAmount(int Value);
  TEdgeBorders EdgeBorders() const { return FEdgeBorders; }
  void SetEdgeBorders(TEdgeBorders Value);
  TEdgeStyle EdgeInner() const { return FEdgeInner; }
  void SetEdgeInner(TEdgeStyle Value);
  TEdgeStyle EdgeOuter() const { return FEdgeOuter; }
  void SetEdgeOuter(TEdgeStyle Value);

  // The up or left button, and the down or right one.
  TCkScrollButton* UpLeft() const { return FUpLeft; }
  TCkScrollButton* DownRight() const { return FDownRight; }
  // Moves every child but the two buttons.
  void ScrollChildren(int DeltaX, int DeltaY);
  // Shows each button when a child lies beyond its end (both without
  // AutoHide).
  void UpdateButtonVisibility();

  TCkScrollingEvent OnScrolling;
  TCkScrolledEvent OnScrolled;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(fw::TWinControl* AParent) override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 protected:
  void CreateParams(fw::TCreateParams& Params) override;
  void WndProc(fw::TMessage& Message) override;
  void Paint() override;
  void EnabledChanged() override;
  void VisibleChanged() override;

 private:
  friend class TCkScrollButton;
  void LayoutButtons();
  int EdgeWidth(TEdgeBorder Side) const;
  void EdgesChanged();

  TCkScrollDirection FScrollDirection = sdHorizontal;
  uint16_t FScrollAmount = 16;
  bool FAutoHide = false;
  bool FAutoRepeat = false;
  bool FAutoArrange = false;
  TCkScrollButton* FUpLeft = nullptr;
  TCkScrollButton* FDownRight = nullptr;
  bool FFlat = false;
  TEdgeBorders FEdgeBorders{ebLeft, ebTop, ebRight, ebBottom};
  TEdgeStyle FEdgeInner = esRaised;
  TEdgeStyle FEdgeOuter = esLowered;
  bool FCreating = true;
};

class TCkScrollingWindow : public TCkCustomScrollPanel {
  FW_CLASS(TCkScrollingWindow, TCkCustomScrollPanel)
  explicit TCkScrollingWindow(fw::TComponent* AOwner);
};

}  // namespace ck
