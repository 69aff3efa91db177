// The page control: the system's SysTabControl32 holding tab sheets, one
// tab per sheet whose TabVisible is on; the sheet of the selected tab is
// shown in the display area, the others are hidden.
#pragma once

#include <vector>

#include "fw/controls/controlcanvas.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

class TPageControl;

class TTabSheet : public TWinControl {
  FW_CLASS(TTabSheet, TWinControl)
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* Value);
  // The place among the pages of the page control.
  int PageIndex() const;
  void SetPageIndex(int Value);
  // The index of the sheet's tab, -1 while its tab is not shown.
  int TabIndex() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);

 protected:
  friend class TPageControl;
  void CMTextChanged(TMessage& Message) override;

 private:
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
};

using TTabChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;
// Draws one tab of an owner-drawn page control on its Canvas: the tab's
// index among the shown tabs, its rectangle, whether it is the selected one.
using TDrawTabEvent = TEvent<void(TPageControl* Control, int TabIndex, const TRect& Rect, bool Active)>;

class TPageControl : public TWinControl {
  FW_CLASS(TPageControl, TWinControl)
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(FPages.size()); }
  // EListError outside the range.
  TTabSheet* Pages(int Index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* Value);
  int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
  void SetActivePageIndex(int Value);
  // Moves to the next (or previous) page with a visible tab, wrapping.
  void SelectNextPage(bool GoForward);
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward) const;

  // The tabs are drawn by OnDrawTab on Canvas (the control's own drawing
  // fills the tab and writes the sheet's caption when no handler is set).
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  TCanvas* Canvas() const { return FCanvas; }
  TDrawTabEvent OnDrawTab;

  void AdjustClientRect(TRect& Rect) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;

  // After the user selected another tab (not after SetActivePage).
  TNotifyEvent OnChange;
  // Before the user's selection takes effect; AllowChange false keeps the
  // current page.
  TTabChangingEvent OnChanging;

  void Loaded() override;

 protected:
  friend class TTabSheet;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CreateHandleChildren() override;
  void Dispatch(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  virtual bool CanChange();
  virtual void Change();
  void InsertPage(TTabSheet* Page);
  // The page is found by address: it may be half destroyed.
  void RemovePage(TControl* Page);
  void MovePage(TTabSheet* Page, int Index);
  void UpdateTabs();
  void UpdateTab(TTabSheet* Page);
  void ShowActivePage();
  virtual void DrawTab(int TabIndex, const TRect& Rect, bool Active);

 private:
  bool FOwnerDraw = false;
  TControlCanvas* FCanvas;
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
};

}  // namespace fw
