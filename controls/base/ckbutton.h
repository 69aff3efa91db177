// The windowless button base of the component layer: the mouse state of
// the button, painting in two overridable stages, a drop-down menu below
// the button, latching groups (one button down at a time, optionally all
// up), one size for all buttons of a form, and a hot-track font while the
// mouse is over it.
#pragma once

#include "controls/base/ckexcontrols.h"
#include "controls/base/cktypes.h"
#include "fw/menus/menus.h"

namespace ck {

FW_ENUM(TCkButtonMouseState, bsMouseInside, bsMouseDown)
using TCkButtonMouseStates = fw::TSet<TCkButtonMouseState>;

// Broadcast to the parent's controls when a grouped button goes down:
// WParam the group, LParam the button.
constexpr UINT CM_BUTTONGROUPDOWN = 0xB201;
// Broadcast to the controls of the parent form when a button that forces
// one size is resized: WParam width (low word) and height (high word),
// LParam the button.
constexpr UINT CM_BUTTONFORCESIZE = 0xB208;

// A context-popup event: the mouse position; Handled suppresses the menu.
using TContextPopupEvent = fw::TEvent<void(fw::TObject* Sender, const fw::TPoint& MousePos, bool& Handled)>;

// The 8 x 8 checkerboard (clBtnFace and white) pressed opaque buttons
// are filled with; made on first use.
fw::TBitmap* CkButtonPattern();

class TCkCustomGraphicButton : public TCkExGraphicControl {
  FW_CLASS(TCkCustomGraphicButton, TCkExGraphicControl)
  explicit TCkCustomGraphicButton(fw::TComponent* AOwner);
  ~TCkCustomGraphicButton() override;

  TCkButtonMouseStates MouseStates() const { return FStates; }

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  fw::TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(fw::TPopupMenu* Value);
  bool DropArrow() const { return FDropArrow; }
  void SetDropArrow(bool Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value) { FHotTrack = Value; }
  fw::TFont* HotTrackFont() const { return FHotFont; }
  void SetHotTrackFont(fw::TFont* Value) { FHotFont->Assign(Value); }
  TCkTrackFontOptions HotTrackFontOptions() const { return FHotTrackFontOptions; }
  void SetHotTrackFontOptions(TCkTrackFontOptions Value);
  bool HotTrackFontStored() const;
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool ForceSameSize() const { return FForceSameSize; }
  void SetForceSameSize(bool Value) { FForceSameSize = Value; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Click() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

  // Invalidates the parent under the button (so that a see-through
  // button shows the parent's current background) and repaints at once.
  virtual void RefreshWithParent();

  TContextPopupEvent OnDropDownMenu;
  fw::TNotifyEvent OnDropDownClose;

 protected:
  virtual void GroupButtonDown(int Group, TCkCustomGraphicButton* Sender);
  // Opens the drop-down menu at the screen point for a left press; true
  // when the menu (or OnDropDownMenu) took the press.
  virtual bool ShowDropDownMenu(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  virtual void PaintForeground(fw::TCanvas* ACanvas);
  virtual void PaintFrame(fw::TCanvas* ACanvas);
  virtual bool PointOnButton(int X, int Y);
  virtual void DrawDropArrow(fw::TCanvas* ACanvas, const fw::TRect& ArrowRect);

  void Paint() override;
  void TextChanged() override;
  bool WantsDialogChar(int Key, fw::TShiftState Shift) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseMove(fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void EnabledChanged() override;
  void FontChanged() override;
  void MouseEntered(fw::TControl* Control) override;
  void MouseLeft(fw::TControl* Control) override;
  void WndProc(fw::TMessage& Message) override;

  void NotifyGroup();

  TCkButtonMouseStates FStates;
  bool FFlat = false;
  fw::TPopupMenu* FDropDownMenu = nullptr;
  bool FDown = false;
  bool FForceSameSize = false;
  bool FAllowAllUp = false;
  int FGroupIndex = 0;
  bool FHotTrack = false;
  fw::TFont* FHotFont;
  TCkTrackFontOptions FHotTrackFontOptions = services::DefaultTrackFontOptions;
  bool FDropArrow = false;
};

}  // namespace ck
