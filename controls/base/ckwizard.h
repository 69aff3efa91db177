// TCkWizard: a page container with a bar of seven navigate buttons at its
// bottom. One page is shown at a time; the buttons step through the pages in
// list order, skip pages that are disabled or refuse jumps, and show, hide,
// enable and disable themselves per page. Pages paint a header (band, title,
// subtitle, optional image, divider), a background image and a framed panel.
#pragma once

#include <array>
#include <vector>

#include "controls/base/ckexcontrols.h"
#include "controls/base/ckwizardcommon.h"
#include "fw/controls/button.h"
#include "fw/graphics/imagelist.h"
#include "fw/graphics/picture.h"

namespace ck {

class TCkWizard;
class TCkWizardCustomPage;
class TCkWizardPageHeader;
class TCkWizardRouteMapControl;

FW_ENUM(TCkWizardButtonKind, bkStart, bkLast, bkBack, bkNext, bkFinish, bkCancel, bkHelp)
using TCkWizardButtonSet = fw::TSet<TCkWizardButtonKind>;
inline constexpr TCkWizardButtonSet AllWizardButtons{bkStart, bkLast, bkBack, bkNext, bkFinish, bkCancel, bkHelp};
inline constexpr TCkWizardButtonSet DefaultVisibleWizardButtons{bkBack, bkNext, bkCancel};
constexpr int WizardButtonKindCount = 7;
constexpr int DefaultButtonBarHeight = 42;

// alLeft or alRight: the side of the button bar a button sits on.
using TCkWizardLeftRight = fw::TAlign;

// Glyph placement of a navigate button.
FW_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)

using TCkWizardSelectPageEvent =
    fw::TEvent<void(fw::TObject* Sender, TCkWizardCustomPage* FromPage, TCkWizardCustomPage*& ToPage)>;
using TCkWizardChangingPageEvent = fw::TEvent<void(fw::TObject* Sender, TCkWizardCustomPage*& ToPage)>;
using TCkWizardChangePageEvent = fw::TEvent<void(fw::TObject* Sender, TCkWizardCustomPage* const& FromPage)>;
using TCkWizardPageClickEvent = fw::TEvent<void(fw::TObject* Sender, bool& Stop)>;
using TCkWizardPaintPageEvent = fw::TEvent<void(fw::TObject* Sender, fw::TCanvas* ACanvas, TRect& ARect)>;
using TCkWizardRouteMapDisplayEvent =
    fw::TEvent<void(fw::TObject* Sender, TCkWizardCustomPage* const& Page, bool& AllowDisplay)>;

// ---- Drawing objects of a page

class TCkWizardGraphicObject : public fw::TPersistent {
  FW_CLASS(TCkWizardGraphicObject, fw::TPersistent)
  TCkWizardGraphicObject() = default;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  // Paints into ARect and moves ARect past what it took.
  virtual void PaintTo(fw::TCanvas* ACanvas, TRect& ARect) = 0;

 protected:
  virtual void VisibleChanged() { Changed(); }
  virtual void ColorChanged() { Changed(); }
  virtual void Changed() = 0;

  TColor FColor = fw::clBtnFace;
  bool FVisible = true;
};

// A line or block of text in a page header.
class TCkWizardPageTitle : public TCkWizardGraphicObject {
  FW_CLASS(TCkWizardPageTitle, TCkWizardGraphicObject)
  TCkWizardPageTitle();
  ~TCkWizardPageTitle() override;

  const String& Text() const { return FText; }
  void SetText(const String& Value);
  fw::TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(fw::TAnchors Value);
  int AnchorPlacement() const { return FAnchorPlacement; }
  void SetAnchorPlacement(int Value);
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  fw::TFont* Font() const { return FFont; }
  void SetFont(fw::TFont* Value);
  TCkWizardPageHeader* WizardPageHeader() const { return FWizardPageHeader; }
  // Attaches the title to its header (the header does this for its own).
  void SetWizardPageHeader(TCkWizardPageHeader* Value);

  void Assign(fw::TPersistent* Source) override;
  void PaintTo(fw::TCanvas* ACanvas, TRect& ARect) override;
  // The rectangle the text takes inside ARect (canvas font already set).
  virtual void GetTextRect(fw::TCanvas* ACanvas, const TRect& ARect, TRect& Result);

 protected:
  void Changed() override;

 private:
  friend class TCkWizardPageHeader;
  void FontChanged(fw::TObject* Sender);

  TCkWizardPageHeader* FWizardPageHeader = nullptr;
  String FText;
  TAlignment FAlignment = taLeftJustify;
  int FAnchorPlacement = 4;
  fw::TAnchors FAnchors{fw::akLeft, fw::akTop};
  int FIndent = 0;
  fw::TFont* FFont;
};

// A drawing object that belongs to a page: its change repaints the page.
class TCkWizardPageObject : public TCkWizardGraphicObject {
  FW_CLASS(TCkWizardPageObject, TCkWizardGraphicObject)
  TCkWizardCustomPage* WizardPage() const { return FWizardPage; }
  void SetWizardPage(TCkWizardCustomPage* Value);

 protected:
  void Changed() override;
  virtual void PageAttached() {}

  TCkWizardCustomPage* FWizardPage = nullptr;
};

class TCkWizardPageHeader : public TCkWizardPageObject {
  FW_CLASS(TCkWizardPageHeader, TCkWizardPageObject)
  TCkWizardPageHeader();
  ~TCkWizardPageHeader() override;

  int Height() const { return FHeight; }
  void SetHeight(int Value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TCkWizardPageTitle* Title() const { return FTitle; }
  void SetTitle(TCkWizardPageTitle* Value) { FTitle->Assign(Value); }
  TCkWizardPageTitle* Subtitle() const { return FSubtitle; }
  void SetSubtitle(TCkWizardPageTitle* Value) { FSubtitle->Assign(Value); }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int ImageOffset() const { return FImageOffset; }
  void SetImageOffset(int Value);
  TCkWizardImageLeftRight ImageAlignment() const { return FImageAlignment; }
  void SetImageAlignment(TCkWizardImageLeftRight Value);
  bool ShowDivider() const { return FShowDivider; }
  void SetShowDivider(bool Value);

  void PaintTo(fw::TCanvas* ACanvas, TRect& ARect) override;
  // Places the header image in ARect and narrows ARect to the text beside it.
  virtual void GetImageRect(fw::TCustomImageList* AImages, TRect& ARect, TRect& Result);
  // The title and subtitle take the page font's name and character set.
  void AdoptPageFont();

 protected:
  void VisibleChanged() override;
  void PageAttached() override;

 private:
  friend class TCkWizardPageTitle;
  int FHeight = 70;
  bool FParentFont = true;
  TCkWizardPageTitle* FTitle;
  TCkWizardPageTitle* FSubtitle;
  int FImageIndex = -1;
  int FImageOffset = 0;
  TCkWizardImageLeftRight FImageAlignment = iaRight;
  bool FShowDivider = true;
};

// A framed panel inside a page.
class TCkWizardPagePanel : public TCkWizardPageObject {
  FW_CLASS(TCkWizardPagePanel, TCkWizardPageObject)
  TCkWizardPagePanel();

  uint16_t BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(uint16_t Value);

  void PaintTo(fw::TCanvas* ACanvas, TRect& ARect) override;

 private:
  uint16_t FBorderWidth = 7;
};

// A picture placed in a rectangle.
class TCkWizardImage : public fw::TPersistent {
  FW_CLASS(TCkWizardImage, fw::TPersistent)
  TCkWizardImage();
  ~TCkWizardImage() override;

  fw::TPicture* Picture() const { return FPicture; }
  void SetPicture(fw::TPicture* Value);
  TCkWizardImageAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TCkWizardImageAlignment Value);
  TCkWizardImageLayout Layout() const { return FLayout; }
  void SetLayout(TCkWizardImageLayout Value);
  // The graphic's transparency, or the stored flag without a graphic.
  bool Transparent() const;
  void SetTransparent(bool Value);

  void PaintTo(fw::TCanvas* ACanvas, const TRect& ARect);

  fw::TNotifyEvent OnChange;

 private:
  void PictureChanged(fw::TObject* Sender);
  void ApplyTransparent();

  fw::TPicture* FPicture;
  TCkWizardImageAlignment FAlignment = iaStretch;
  TCkWizardImageLayout FLayout = ilStretch;
  bool FTransparent = false;
};

// ---- Navigate buttons

// A native push button on the wizard's button bar.
class TCkWizardButtonControl : public fw::TButton {
  FW_CLASS(TCkWizardButtonControl, fw::TButton)
  explicit TCkWizardButtonControl(fw::TComponent* AOwner);
  ~TCkWizardButtonControl() override;

  TCkWizard* Wizard() const { return FWizard; }
  void SetWizard(TCkWizard* Value) { FWizard = Value; }
  TCkWizardLeftRight Alignment() const { return FAlignment; }

  // The glyph is kept for the form's sake; the native button shows text.
  fw::TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(fw::TBitmap* Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value) { FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value); }
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value) { FLayout = Value; }

 protected:
  void CMVisibleChanged(fw::TMessage& Message) override;

  TCkWizard* FWizard = nullptr;
  TCkWizardLeftRight FAlignment = fw::alRight;
  fw::TBitmap* FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
};

class TCkWizardBaseButton : public TCkWizardButtonControl {
  FW_CLASS(TCkWizardBaseButton, TCkWizardButtonControl)
  explicit TCkWizardBaseButton(fw::TComponent* AOwner) : TCkWizardButtonControl(AOwner) {}

  // The page's event, then the wizard's OnClick, then the move.
  void Click() override;

 protected:
  virtual void FirePageButtonEvent(TCkWizardCustomPage* Page, bool& Stop) = 0;
  virtual void Navigate() {}
};

#define CK_WIZARD_BUTTON(Name)                                    \
  class Name : public TCkWizardBaseButton {                       \
    FW_CLASS(Name, TCkWizardBaseButton)                           \
    explicit Name(fw::TComponent* AOwner);                        \
                                                                  \
   protected:                                                     \
    void FirePageButtonEvent(TCkWizardCustomPage* Page, bool& Stop) override; \
    void Navigate() override;                                     \
  };
CK_WIZARD_BUTTON(TCkWizardStartButton)
CK_WIZARD_BUTTON(TCkWizardLastButton)
CK_WIZARD_BUTTON(TCkWizardBackButton)
CK_WIZARD_BUTTON(TCkWizardNextButton)
CK_WIZARD_BUTTON(TCkWizardFinishButton)
CK_WIZARD_BUTTON(TCkWizardCancelButton)
#undef CK_WIZARD_BUTTON

class TCkWizardHelpButton : public TCkWizardBaseButton {
  FW_CLASS(TCkWizardHelpButton, TCkWizardBaseButton)
  explicit TCkWizardHelpButton(fw::TComponent* AOwner);
  void Click() override;

 protected:
  void FirePageButtonEvent(TCkWizardCustomPage* Page, bool& Stop) override;
};

// The stored face of one navigate button: each property is the button
// control's own.
class TCkWizardNavigateButton : public fw::TPersistent {
  FW_CLASS(TCkWizardNavigateButton, fw::TPersistent)
  TCkWizardNavigateButton() = default;

  TCkWizardButtonControl* Control() const { return FControl; }
  void SetControl(TCkWizardButtonControl* Value) { FControl = Value; }

  fw::TBitmap* Glyph() const;
  void SetGlyph(fw::TBitmap* Value);
  String Caption() const;
  void SetCaption(const String& Value);
  int NumGlyphs() const;
  void SetNumGlyphs(int Value);
  TButtonLayout Layout() const;
  void SetLayout(TButtonLayout Value);
  fw::TModalResult ModalResult() const;
  void SetModalResult(fw::TModalResult Value);
  int Width() const;
  void SetWidth(int Value);

 private:
  TCkWizardButtonControl* FControl = nullptr;
};

// ---- Pages

// The wizard's pages in navigation order; it keeps each page's Wizard.
class TCkWizardPageList {
 public:
  explicit TCkWizardPageList(TCkWizard* Wizard) : FWizard(Wizard) {}
  ~TCkWizardPageList();

  int Count() const { return static_cast<int>(FItems.size()); }
  TCkWizardCustomPage* operator[](int Index) const { return FItems[static_cast<size_t>(Index)]; }
  int IndexOf(const TCkWizardCustomPage* Page) const;
  void Add(TCkWizardCustomPage* Page);
  void Remove(TCkWizardCustomPage* Page);
  void Move(int CurIndex, int NewIndex);
  // Forgets the wizard: pages removed from now on are not told.
  void ClearWizard() { FWizard = nullptr; }
  const std::vector<TCkWizardCustomPage*>& Items() const { return FItems; }

 private:
  TCkWizard* FWizard;
  std::vector<TCkWizardCustomPage*> FItems;
};

class TCkWizardCustomPage : public fw::TCustomControl {
  FW_CLASS(TCkWizardCustomPage, fw::TCustomControl)
  explicit TCkWizardCustomPage(fw::TComponent* AOwner);
  ~TCkWizardCustomPage() override;
  void BeforeDestruction() override;

  TCkWizard* Wizard() const { return FWizard; }
  void SetWizard(TCkWizard* Value) { WriteWizard(Value); }
  // Index in the wizard's list (-1 without wizard); writing moves the page.
  int PageIndex() const;
  void SetPageIndex(int Value);

  TCkWizardPageHeader* Header() const { return FHeader; }
  void SetHeader(TCkWizardPageHeader* Value);
  TCkWizardPageTitle* Title() const;
  void SetTitle(TCkWizardPageTitle* Value);
  TCkWizardPageTitle* Subtitle() const;
  void SetSubtitle(TCkWizardPageTitle* Value);
  TCkWizardImage* Image() const { return FImage; }
  void SetImage(TCkWizardImage* Value);
  TCkWizardPagePanel* Panel() const { return FPanel; }
  void SetPanel(TCkWizardPagePanel* Value);
  TCkWizardButtonSet EnabledButtons() const { return FEnabledButtons; }
  void SetEnabledButtons(TCkWizardButtonSet Value);
  TCkWizardButtonSet VisibleButtons() const { return FVisibleButtons; }
  void SetVisibleButtons(TCkWizardButtonSet Value);
  bool EnableJumpToPage() const { return FEnableJumpToPage; }
  void SetEnableJumpToPage(bool Value) { FEnableJumpToPage = Value; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }

  // Adds or removes one button of EnabledButtons.
  virtual void EnableButton(TCkWizardButtonKind AButton, bool AEnabled);
  // Shows the page through its wizard (it becomes the active page).
  void Show();

  // A reader parent that is a wizard becomes the page's wizard.
  void SetParentComponent(fw::TComponent* Value) override;
  void AdjustClientRect(TRect& Rect) override;

  TCkWizardPaintPageEvent OnPaintPage;
  TCkWizardChangePageEvent OnEnterPage;
  fw::TNotifyEvent OnPage;
  TCkWizardChangePageEvent OnExitPage;
  TCkWizardPageClickEvent OnStartButtonClick;
  TCkWizardPageClickEvent OnLastButtonClick;
  TCkWizardPageClickEvent OnNextButtonClick;
  TCkWizardPageClickEvent OnBackButtonClick;
  TCkWizardPageClickEvent OnCancelButtonClick;
  TCkWizardPageClickEvent OnFinishButtonClick;
  TCkWizardPageClickEvent OnHelpButtonClick;

  virtual void FireEnterPage(TCkWizardCustomPage* FromPage);
  virtual void FirePage();
  virtual void FireExitPage(TCkWizardCustomPage* ToPage);

 protected:
  friend class TCkWizard;
  friend class TCkWizardPageList;
  friend class TCkWizardPageObject;

  virtual void DrawPageHeader(fw::TCanvas* ACanvas, TRect& ARect) {
    (void)ACanvas;
    (void)ARect;
  }
  void WriteWizard(TCkWizard* Value);
  void CreateParams(fw::TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(fw::TMessage& Message) override;
  void CMEnabledChanged(fw::TMessage& Message) override;
  void CMTextChanged(fw::TMessage& Message) override;
  void CMFontChanged(fw::TMessage& Message) override;
  void ImageChanged(fw::TObject* Sender);

  TCkWizard* FWizard = nullptr;
  TCkWizardPageHeader* FHeader;
  TCkWizardPagePanel* FPanel;
  TCkWizardImage* FImage;
  TCkWizardButtonSet FEnabledButtons = AllWizardButtons;
  TCkWizardButtonSet FVisibleButtons = DefaultVisibleWizardButtons;
  bool FDrawing = false;
  bool FEnableJumpToPage = true;
  int FHelpContext = 0;
};

// The page class of the program's forms: it paints its header.
class TCkWizardInteriorPage : public TCkWizardCustomPage {
  FW_CLASS(TCkWizardInteriorPage, TCkWizardCustomPage)
  explicit TCkWizardInteriorPage(fw::TComponent* AOwner) : TCkWizardCustomPage(AOwner) {}

 protected:
  void DrawPageHeader(fw::TCanvas* ACanvas, TRect& ARect) override;
};

// ---- The wizard

class TCkWizard : public TCkExCustomControl {
  FW_CLASS(TCkWizard, TCkExCustomControl)
  explicit TCkWizard(fw::TComponent* AOwner);
  ~TCkWizard() override;
  void BeforeDestruction() override;

  const TCkWizardPageList& Pages() const { return *FPages; }
  int PageCount() const { return FPages->Count(); }
  // The page at a list index (unchecked).
  TCkWizardCustomPage* WizardPages(int Index) const { return (*FPages)[Index]; }

  TCkWizardCustomPage* ActivePage() const { return FActivePage; }
  void SetActivePage(TCkWizardCustomPage* Value) { WriteActivePage(Value); }
  int ActivePageIndex() const;
  // An index outside the list means no page.
  void SetActivePageIndex(int Value);

  bool AutoHideButtonBar() const { return FAutoHideButtonBar; }
  void SetAutoHideButtonBar(bool Value);
  int ButtonBarHeight() const { return FButtonBarHeight; }
  void SetButtonBarHeight(int Value);
  bool DefaultButtons() const { return FDefaultButtons; }
  void SetDefaultButtons(bool Value);
  bool ShowDivider() const { return FShowDivider; }
  void SetShowDivider(bool Value);
  bool ShowRouteMap() const;
  void SetShowRouteMap(bool Value);
  fw::TCustomImageList* HeaderImages() const { return FHeaderImages; }
  void SetHeaderImages(fw::TCustomImageList* Value);
  TCkWizardRouteMapControl* RouteMap() const { return FRouteMap; }

  TCkWizardNavigateButton* NavigateButton(TCkWizardButtonKind Kind) const {
    return FNavigateButtons[static_cast<size_t>(Kind)];
  }
  TCkWizardButtonControl* ButtonControl(TCkWizardButtonKind Kind) const;

  virtual void SelectFirstPage();
  virtual void SelectLastPage();
  virtual void SelectNextPage();
  virtual void SelectPriorPage();
  // The next page from PageIndex in Step (+1 or -1): the first enabled one,
  // or simply the next one when CheckDisable is false; nullptr when none.
  TCkWizardCustomPage* FindNextPage(int PageIndex, int Step, bool CheckDisable) const;
  // As FindNextPage, stepping over pages that refuse jumps.
  TCkWizardCustomPage* FindNextJumpPage(int PageIndex, int Step, bool CheckDisable) const;
  bool IsFirstPage(TCkWizardCustomPage* APage, bool CheckDisable) const;
  bool IsLastPage(TCkWizardCustomPage* APage, bool CheckDisable) const;
  // Whether going from FromPage to ToPage goes forward in the list.
  bool IsForward(TCkWizardCustomPage* FromPage, TCkWizardCustomPage* ToPage) const;

  // Derives the buttons' visibility, enabled state and default flag from
  // the active page.
  void RefreshButtonStates();
  // Places the buttons on the bar.
  void LayoutButtonBar();

  // Showing a page of this wizard makes it the active page.
  void RevealChild(fw::TControl* Child);

  void Loaded() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  void AdjustClientRect(TRect& Rect) override;

  TCkWizardSelectPageEvent OnSelectFirstPage;
  TCkWizardSelectPageEvent OnSelectLastPage;
  TCkWizardSelectPageEvent OnSelectNextPage;
  TCkWizardSelectPageEvent OnSelectPriorPage;
  fw::TNotifyEvent OnActivePageChanged;
  TCkWizardChangingPageEvent OnActivePageChanging;

 protected:
  friend class TCkWizardCustomPage;
  friend class TCkWizardRouteMapControl;
  friend class TCkWizardPageList;

  virtual fw::TClass ButtonControlClass(TCkWizardButtonKind AKind);
  virtual void FireActivePageChanging(TCkWizardCustomPage*& ToPage);
  virtual void FireActivePageChanged();
  void Paint() override;
  void Resize() override;
  void DialogCodes(TDialogKeyCodes& Codes) override;
  bool EraseBackground(fw::TCanvas* Canvas, LPARAM Param) override;

  void WriteActivePage(TCkWizardCustomPage* Value);
  // The jump page from PageIndex in Step, offered to Event (which may
  // change it), becomes the active page; nothing happens when there is none.
  void SelectJumpPage(int PageIndex, int Step, const TCkWizardSelectPageEvent& Event);
  void SwitchToPage(TCkWizardCustomPage* ToPage);
  void AttachPage(TCkWizardCustomPage* Page);
  void DetachPage(TCkWizardCustomPage* Page);
  void BuildNavigateButtons();
  void ImageListChange(fw::TObject* Sender);

  TCkWizardPageList* FPages;
  TCkWizardCustomPage* FActivePage = nullptr;
  TCkWizardRouteMapControl* FRouteMap = nullptr;
  std::array<TCkWizardNavigateButton*, WizardButtonKindCount> FNavigateButtons{};
  int FButtonBarHeight = DefaultButtonBarHeight;
  bool FShowDivider = true;
  fw::TCustomImageList* FHeaderImages = nullptr;
  fw::TChangeLink* FImageChangeLink;
  bool FAutoHideButtonBar = true;
  bool FDefaultButtons = true;
};

// ---- Route map

// Base of an optional side control that lists a wizard's pages; it keeps its
// own copy of the page list in step with the wizard. The base draws nothing.
class TCkWizardRouteMapControl : public fw::TCustomControl {
  FW_CLASS(TCkWizardRouteMapControl, fw::TCustomControl)
  explicit TCkWizardRouteMapControl(fw::TComponent* AOwner);
  ~TCkWizardRouteMapControl() override;

  TCkWizard* Wizard() const { return FWizard; }
  // Only a wizard, or a page (then its wizard), can be the parent.
  void SetParent(fw::TWinControl* AParent) override;
  int PageIndex() const { return FPageIndex; }
  void SetPageIndex(int Value);
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TCkWizardCustomPage* Pages(int Index) const { return FPages[static_cast<size_t>(Index)]; }
  TCkWizardImage* Image() const { return FImage; }
  void SetImage(TCkWizardImage* Value);

  TCkWizardRouteMapDisplayEvent OnDisplaying;

  // Told by the wizard.
  void NotePageAdded(TCkWizardCustomPage* Page);
  void NotePageRemoved(TCkWizardCustomPage* Page);
  void NotePageActivated(TCkWizardCustomPage* Page);
  void NotePageMoved(TCkWizardCustomPage* Page, int OldIndex);
  void NotePageUpdated(TCkWizardCustomPage* Page);

 protected:
  virtual TCkWizardCustomPage* PageAtPoint(int X, int Y) {
    (void)X;
    (void)Y;
    return nullptr;
  }
  virtual void AfterPageAdded(TCkWizardCustomPage*) { Invalidate(); }
  virtual void AfterPageRemoved(TCkWizardCustomPage*) { Invalidate(); }
  virtual void AfterPageUpdated(TCkWizardCustomPage*) { Invalidate(); }
  virtual void AfterPageActivated(TCkWizardCustomPage*) { Invalidate(); }
  virtual void AfterPageMoved(TCkWizardCustomPage*) { Invalidate(); }
  virtual bool CanShowPage(TCkWizardCustomPage* Page);
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;

 private:
  friend class TCkWizard;
  void ImageChanged(fw::TObject*) { Invalidate(); }
  void Detach();

  TCkWizard* FWizard = nullptr;
  std::vector<TCkWizardCustomPage*> FPages;
  int FPageIndex = -1;
  TCkWizardImage* FImage;
};

}  // namespace ck
