// The roll-out: a collapsible container panel. A caption button across its
// top (or down its left side) toggles it between an expanded size, in which
// its children show, and a collapsed size, in which only the button shows.
// Roll-outs of one parent sharing a non-zero GroupIndex act as an
// accordion; an expanded roll-out that does not fit its parent can collapse
// its siblings for the time it stays expanded (smart expand) or pop out
// into a borderless stay-on-top window (smart show).
#pragma once

#include <vector>

#include "controls/base/ckextcomponent.h"
#include "fw/controls/forms.h"
#include "fw/graphics/imagelist.h"

namespace ck {

// The roll-out's group notice: WParam the group, LParam the roll-out that
// expanded.
constexpr UINT CM_ROLLOUTGROUP = WM_USER + 155;

FW_ENUM(TCkPlacement, plTop, plLeft)

// The roll-out's colours; every change fires OnChange.
class TCkRollOutColors : public fw::TPersistent {
  FW_CLASS(TCkRollOutColors, fw::TPersistent)
  TCkRollOutColors() = default;

  fw::TColor ButtonBottom() const { return FButtonBottom; }
  void SetButtonBottom(fw::TColor Value) { Change(FButtonBottom, Value); }
  fw::TColor ButtonTop() const { return FButtonTop; }
  void SetButtonTop(fw::TColor Value) { Change(FButtonTop, Value); }
  fw::TColor ButtonColor() const { return FButtonColor; }
  void SetButtonColor(fw::TColor Value) { Change(FButtonColor, Value); }
  fw::TColor HotTrackText() const { return FHotTrackText; }
  void SetHotTrackText(fw::TColor Value) { Change(FHotTrackText, Value); }
  fw::TColor Color() const { return FColor; }
  void SetColor(fw::TColor Value) { Change(FColor, Value); }
  fw::TColor FrameBottom() const { return FFrameBottom; }
  void SetFrameBottom(fw::TColor Value) { Change(FFrameBottom, Value); }
  fw::TColor FrameTop() const { return FFrameTop; }
  void SetFrameTop(fw::TColor Value) { Change(FFrameTop, Value); }

  void Assign(fw::TPersistent* Source) override;

  fw::TNotifyEvent OnChange;

 private:
  void Change(fw::TColor& Field, fw::TColor Value) {
    if (Field == Value) return;
    Field = Value;
    OnChange(this);
  }
  fw::TColor FButtonBottom = fw::clBtnShadow;
  fw::TColor FButtonTop = fw::clBtnHighlight;
  fw::TColor FButtonColor = fw::clBtnFace;
  fw::TColor FHotTrackText = fw::clWindowText;
  fw::TColor FColor = fw::clBtnFace;
  fw::TColor FFrameBottom = fw::clBtnHighlight;
  fw::TColor FFrameTop = fw::clBtnShadow;
};

class TCkCustomRollOut;

// The caption button's pictures; a change (also of the image list itself)
// fires OnChange.
class TCkRollOutImageOptions : public fw::TPersistent {
  FW_CLASS(TCkRollOutImageOptions, fw::TPersistent)
  explicit TCkRollOutImageOptions(TCkCustomRollOut* AOwner = nullptr);
  ~TCkRollOutImageOptions() override;

  fw::TCustomImageList* Images() const { return FImages; }
  void SetImages(fw::TCustomImageList* Value);
  int IndexCollapsed() const { return FIndexCollapsed; }
  void SetIndexCollapsed(int Value);
  int IndexExpanded() const { return FIndexExpanded; }
  void SetIndexExpanded(int Value);
  int Offset() const { return FOffset; }
  void SetOffset(int Value);

  void Assign(fw::TPersistent* Source) override;
  fw::TPersistent* GetOwner() const override;

  fw::TNotifyEvent OnChange;

 private:
  friend class TCkCustomRollOut;
  void ImagesChanged(fw::TObject* Sender);
  void Changed() { OnChange(this); }
  TCkCustomRollOut* FOwner;
  fw::TCustomImageList* FImages = nullptr;
  fw::TChangeLink* FChangeLink;
  int FIndexCollapsed = 1;
  int FIndexExpanded = 0;
  int FOffset = 5;
};

class TCkCustomRollOut : public TCkCustomPanel {
  FW_CLASS(TCkCustomRollOut, TCkCustomPanel)
  explicit TCkCustomRollOut(fw::TComponent* AOwner);
  ~TCkCustomRollOut() override;

  virtual void Collapse() { SetCollapsed(true); }
  virtual void Expand() { SetCollapsed(false); }
  // The cursor (grown by one pixel) is over the caption button.
  bool MouseIsOnButton();

  bool Collapsed() const { return FCollapsed; }
  void SetCollapsed(bool Value) { WriteCollapsed(Value); }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  TCkPlacement Placement() const { return FPlacement; }
  void SetPlacement(TCkPlacement Value);
  int ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int Value);
  int ChildOffset() const { return FChildOffset; }
  void SetChildOffset(int Value);
  bool SmartExpand() const { return FSmartExpand; }
  void SetSmartExpand(bool Value);
  bool SmartShow() const { return FSmartShow; }
  void SetSmartShow(bool Value) { FSmartShow = Value; }
  bool ToggleAnywhere() const { return FToggleAnywhere; }
  void SetToggleAnywhere(bool Value) { FToggleAnywhere = Value; }
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value);
  fw::TFont* ButtonFont() const { return FButtonFont; }
  void SetButtonFont(fw::TFont* Value) { FButtonFont->Assign(Value); }
  bool ButtonFontStored() const;
  TCkRollOutColors* Colors() const { return FColors; }
  void SetColors(TCkRollOutColors* Value) { FColors->Assign(Value); }
  TCkRollOutImageOptions* ImageOptions() const { return FImageOptions; }
  void SetImageOptions(TCkRollOutImageOptions* Value) { FImageOptions->Assign(Value); }
  // Sets the expanded size along the placement axis.
  void SetExpandedSize(int Value);

  // The four remembered sizes, stored with the form.
  int FAWidthValue() const { return FAWidth; }
  void ReadFAWidth(int Value);
  int FAHeightValue() const { return FAHeight; }
  void ReadFAHeight(int Value);
  int FCWidthValue() const { return FCWidth; }
  void ReadFCWidth(int Value);
  int FCHeightValue() const { return FCHeight; }
  void ReadFCHeight(int Value);

  fw::TRect ButtonRect() const { return FButtonRect; }
  // Popped out into the stay-on-top window.
  bool PoppedOut() const { return FOldParent != nullptr; }
  fw::TForm* TopForm() const { return FTopForm; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Click() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

  fw::TNotifyEvent OnExpand;
  fw::TNotifyEvent OnCollapse;

 protected:
  virtual void FireExpand();
  virtual void FireCollapse();
  void WriteCollapsed(bool Value);
  // Draws the caption button straight onto the window (no invalidation).
  void PaintButton();

  void AlignControls(fw::TControl* AControl, fw::TRect& Rect) override;
  void CreateWnd() override;
  void Paint() override;
  bool WantsDialogChar(int Key, fw::TShiftState Shift) override;
  void FocusSet(HWND PreviousWindow) override;
  void FocusKilled(HWND NextWindow) override;
  bool EraseBackground(fw::TCanvas* Canvas, LPARAM Param) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseMove(fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void ParentColorChanged() override;
  void MouseEntered(fw::TControl* Control) override;
  void MouseLeft(fw::TControl* Control) override;
  void WndProc(fw::TMessage& Message) override;

  void PaintButtonOn(fw::TCanvas* ACanvas);
  void ResizePanel(int Size);
  void NotifyGroup();
  void UpdateChildVisibility();
  void PopOut();
  void PopIn();
  void TopFormDeactivate(fw::TObject* Sender);
  void ButtonFontChanged(fw::TObject* Sender);
  void OptionsChanged(fw::TObject* Sender);

  int FGroupIndex = 0;
  fw::TRect FButtonRect;
  TCkPlacement FPlacement = plTop;
  bool FCollapsed = false;
  bool FMouseDown = false;
  bool FInsideButton = false;
  int FCWidth = 22;
  int FCHeight = 22;
  int FAWidth = 145;
  int FAHeight = 170;
  int FButtonHeight = 20;
  int FChildOffset = 0;
  TCkRollOutColors* FColors;
  TCkRollOutImageOptions* FImageOptions;
  bool FToggleAnywhere = true;
  bool FShowFocus = true;
  // Windowed children hidden by collapsing, shown again on expanding.
  struct HiddenChild {
    fw::String Name;
    fw::TControl* Control;
  };
  std::vector<HiddenChild>* FChildControlVisibility = nullptr;
  fw::TFont* FButtonFont;
  std::vector<bool> FCollapsedList;
  bool FSmartExpand = true;
  bool FSmartShow = true;
  fw::TForm* FTopForm = nullptr;
  fw::TWinControl* FOldParent = nullptr;
  fw::TPoint FOldPos;
  fw::TPoint FOldWidthHeight;
  fw::TAlign FOldAlign = fw::alNone;
};

class TCkRollOut : public TCkCustomRollOut {
  FW_CLASS(TCkRollOut, TCkCustomRollOut)
  explicit TCkRollOut(fw::TComponent* AOwner) : TCkCustomRollOut(AOwner) {}
};

}  // namespace ck
