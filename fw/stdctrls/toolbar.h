// The tool bar: the system's ToolbarWindow32 with its buttons as graphic
// controls (TToolButton children in the order they were added): push,
// check and drop-down buttons, separators and dividers, captions, images
// from an image list, a border of BorderWidth pixels and edges on the sides
// EdgeBorders names. The bar's background and each button can be drawn by
// the form through the two custom-draw events; a drop-down button shows its
// DropdownMenu below itself. Clicks reach the system's bar: the buttons
// themselves take no mouse messages.
#pragma once

#include "fw/controls/controlcanvas.h"
#include "fw/graphics/imagelist.h"
#include "fw/menus/menus.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider)
FW_ENUM(TEdgeBorder, ebLeft, ebTop, ebRight, ebBottom)
using TEdgeBorders = TSet<TEdgeBorder>;
FW_ENUM(TEdgeStyle, esNone, esRaised, esLowered)
FW_ENUM(TCustomDrawStage, cdPrePaint, cdPostPaint, cdPreErase, cdPostErase)

// The drawing flags a button's handler may add (0x01 no edges, 0x02 hot
// highlight, 0x04 no offset, 0x08 no mark, 0x10 no etched effect).
using TTBCustomDrawFlags = UINT;
constexpr TTBCustomDrawFlags tbNoEdges = 0x01, tbHiliteHotTrack = 0x02, tbNoOffset = 0x04, tbNoMark = 0x08,
                             tbNoEtchedEffect = 0x10;

// Sent to the bar after a drop-down button's menu has closed.
constexpr UINT CN_DROPDOWNCLOSED = 0x1400;

class TToolBar;

class TToolButton : public TGraphicControl {
  FW_CLASS(TToolButton, TGraphicControl)
  explicit TToolButton(TComponent* AOwner);

  TToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TToolButtonStyle Value);
  // Pressed (a check button's checked state).
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool Marked() const { return FMarked; }
  void SetMarked(bool Value);
  bool Indeterminate() const { return FIndeterminate; }
  void SetIndeterminate(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* Value) { FDropdownMenu = Value; }
  // The button's place among the bar's buttons; -1 off a bar.
  int Index() const;
  TToolBar* ToolBar() const;

 protected:
  void Dispatch(TMessage& Message) override;

 private:
  friend class TToolBar;
  void Changed();
  TToolButtonStyle FStyle = tbsButton;
  bool FDown = false, FMarked = false, FIndeterminate = false;
  int FImageIndex = -1;
  TPopupMenu* FDropdownMenu = nullptr;
};

using TTBAdvancedCustomDrawEvent =
    TEvent<void(TToolBar* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TTBAdvancedCustomDrawBtnEvent = TEvent<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State,
                                                  TCustomDrawStage Stage, TTBCustomDrawFlags& Flags, bool& DefaultDraw)>;

class TToolBar : public TWinControl {
  FW_CLASS(TToolBar, TWinControl)
  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;

  int ButtonCount() const { return int(FButtons.size()); }
  TToolButton* Buttons(int Index) const;
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // Images left of the captions instead of above them.
  bool List() const { return FList; }
  void SetList(bool Value);
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  int ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TEdgeBorders EdgeBorders() const { return FEdgeBorders; }
  void SetEdgeBorders(TEdgeBorders Value);
  TEdgeStyle EdgeInner() const { return FEdgeInner; }
  void SetEdgeInner(TEdgeStyle Value);
  TEdgeStyle EdgeOuter() const { return FEdgeOuter; }
  void SetEdgeOuter(TEdgeStyle Value);
  TCanvas* Canvas() const { return FCanvas; }

  TTBAdvancedCustomDrawEvent OnAdvancedCustomDraw;
  TTBAdvancedCustomDrawBtnEvent OnAdvancedCustomDrawButton;

 protected:
  friend class TToolButton;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  // The system's buttons made again from the button controls, which then
  // take the places the bar gives them.
  void UpdateButtons();
  void UpdateButtonState(TToolButton* Button);
  void PlaceButtons();
  // The border and edges around the client area on each side.
  TRect NonClientInsets() const;

 private:
  LRESULT CustomDraw(NMTBCUSTOMDRAW& Draw);
  void DropDown(TToolButton* Button);
  std::vector<TToolButton*> FButtons;
  TControlCanvas* FCanvas;
  bool FFlat = true, FList = false, FShowCaptions = false;
  TCustomImageList* FImages = nullptr;
  int FButtonWidth = 23, FButtonHeight = 22, FBorderWidth = 0;
  TEdgeBorders FEdgeBorders{ebTop};
  TEdgeStyle FEdgeInner = esRaised, FEdgeOuter = esLowered;
  bool FUpdating = false;
};

}  // namespace fw
