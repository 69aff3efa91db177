// The wizard: page list, navigation, page switching with its events, the
// navigate buttons and their bar, the pages, and the route map base.
#include "controls/base/ckwizard.h"

#include <algorithm>

#include "fw/controls/forms.h"
#include "fw/core/rtti.h"
#include "fw/system/application.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

namespace {

constexpr int kButtonHeight = 25;
// A bar this high or lower shows no buttons and no divider.
constexpr int kMinButtonBarHeight = 25;

// Whether the control can take the focus now: it and its parents are
// visible and enabled, up to a form that is visible and enabled itself.
bool CanTakeFocus(TWinControl* Control) {
  TCustomForm* form = GetParentForm(Control);
  if (!form || !form->Visible() || !form->Enabled()) return false;
  return Control->CanFocus();
}

bool ControlInside(TWinControl* Container, TWinControl* Control) {
  for (TControl* c = Control; c; c = c->Parent())
    if (c == Container) return true;
  return false;
}

}  // namespace

// ---- TCkWizardPageList

TCkWizardPageList::~TCkWizardPageList() {
  FWizard = nullptr;
  for (TCkWizardCustomPage* p : FItems) p->FWizard = nullptr;
}

int TCkWizardPageList::IndexOf(const TCkWizardCustomPage* Page) const {
  auto it = std::find(FItems.begin(), FItems.end(), Page);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TCkWizardPageList::Add(TCkWizardCustomPage* Page) {
  FItems.push_back(Page);
  Page->FWizard = FWizard;
}

void TCkWizardPageList::Remove(TCkWizardCustomPage* Page) {
  auto it = std::find(FItems.begin(), FItems.end(), Page);
  if (it == FItems.end()) return;
  FItems.erase(it);
  Page->FWizard = nullptr;
}

void TCkWizardPageList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  TCkWizardCustomPage* p = FItems[static_cast<size_t>(CurIndex)];
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, p);
}

// ---- Navigate buttons

TCkWizardButtonControl::TCkWizardButtonControl(TComponent* AOwner) : TButton(AOwner), FGlyph(new TBitmap()) {
  SetAnchors(TAnchors{akRight, akBottom});
}

TCkWizardButtonControl::~TCkWizardButtonControl() { delete FGlyph; }

void TCkWizardButtonControl::SetGlyph(TBitmap* Value) {
  if (Value) FGlyph->Assign(Value);
  else FGlyph->FreeImage();
}

void TCkWizardButtonControl::CMVisibleChanged(TMessage& Message) {
  TButton::CMVisibleChanged(Message);
  if (FWizard) FWizard->LayoutButtonBar();
}

void TCkWizardBaseButton::Click() {
  if (!FWizard) return;
  bool stop = false;
  if (TCkWizardCustomPage* page = FWizard->ActivePage()) FirePageButtonEvent(page, stop);
  if (stop) return;
  TButton::Click();
  Navigate();
}

namespace {

// The caption, width, visibility, enabled state and side of each kind.
struct ButtonFace {
  const char16_t* Caption;
  int Width;
  bool Visible;
  bool Enabled;
  TAlign Side;
};
constexpr ButtonFace kButtonFaces[WizardButtonKindCount] = {
    {u"To &Start Page", 85, false, true, alLeft}, {u"To &Last Page", 85, false, true, alLeft},
    {u"< &Back", 75, true, false, alRight},       {u"&Next >", 75, true, false, alRight},
    {u"&Finish", 75, false, true, alRight},       {u"Cancel", 75, true, true, alRight},
    {u"&Help", 75, false, true, alLeft},
};

void SetUpButton(TCkWizardButtonControl* b, TCkWizardButtonKind kind, TAlign& side) {
  const ButtonFace& f = kButtonFaces[kind];
  b->SetCaption(f.Caption);
  b->SetWidth(f.Width);
  b->SetVisible(f.Visible);
  b->SetEnabled(f.Enabled);
  side = f.Side;
  if (f.Side == alLeft) b->SetAnchors(TAnchors{akLeft, akBottom});
  if (kind == bkCancel) {
    // Escape clicks it, and it gives its form the modal result mrCancel.
    b->SetCancel(true);
    b->SetModalResult(mrCancel);
  }
}

}  // namespace

#define CK_BUTTON_BODY(Name, Kind, PageEvent, NavigateCall)                     \
  Name::Name(TComponent* AOwner) : TCkWizardBaseButton(AOwner) { SetUpButton(this, Kind, FAlignment); } \
  void Name::FirePageButtonEvent(TCkWizardCustomPage* Page, bool& Stop) {        \
    if (Page->PageEvent) Page->PageEvent(Page, Stop);                            \
  }                                                                              \
  void Name::Navigate() { NavigateCall; }

CK_BUTTON_BODY(TCkWizardStartButton, bkStart, OnStartButtonClick, FWizard->SelectFirstPage())
CK_BUTTON_BODY(TCkWizardLastButton, bkLast, OnLastButtonClick, FWizard->SelectLastPage())
CK_BUTTON_BODY(TCkWizardBackButton, bkBack, OnBackButtonClick, FWizard->SelectPriorPage())
CK_BUTTON_BODY(TCkWizardNextButton, bkNext, OnNextButtonClick, FWizard->SelectNextPage())
CK_BUTTON_BODY(TCkWizardFinishButton, bkFinish, OnFinishButtonClick, )
CK_BUTTON_BODY(TCkWizardCancelButton, bkCancel, OnCancelButtonClick, )
#undef CK_BUTTON_BODY

TCkWizardHelpButton::TCkWizardHelpButton(TComponent* AOwner) : TCkWizardBaseButton(AOwner) {
  SetUpButton(this, bkHelp, FAlignment);
}

void TCkWizardHelpButton::FirePageButtonEvent(TCkWizardCustomPage* Page, bool& Stop) {
  if (Page->OnHelpButtonClick) Page->OnHelpButtonClick(Page, Stop);
}

void TCkWizardHelpButton::Click() {
  if (OnClick) {
    TCkWizardBaseButton::Click();
    return;
  }
  TCkWizardCustomPage* page = FWizard ? FWizard->ActivePage() : nullptr;
  if (page && page->OnHelpButtonClick) {
    TCkWizardBaseButton::Click();
    return;
  }
  // The page's help context would go to the application's help system; the
  // framework has none and the program uses none.
  (void)(page ? page->HelpContext() : 0);
}

// ---- TCkWizardNavigateButton

TBitmap* TCkWizardNavigateButton::Glyph() const { return FControl ? FControl->Glyph() : nullptr; }
void TCkWizardNavigateButton::SetGlyph(TBitmap* Value) {
  if (FControl) FControl->SetGlyph(Value);
}
String TCkWizardNavigateButton::Caption() const { return FControl ? FControl->Caption() : String(); }
void TCkWizardNavigateButton::SetCaption(const String& Value) {
  if (FControl) FControl->SetCaption(Value);
}
int TCkWizardNavigateButton::NumGlyphs() const { return FControl ? FControl->NumGlyphs() : 0; }
void TCkWizardNavigateButton::SetNumGlyphs(int Value) {
  if (FControl) FControl->SetNumGlyphs(Value);
}
TButtonLayout TCkWizardNavigateButton::Layout() const { return FControl ? FControl->Layout() : blGlyphLeft; }
void TCkWizardNavigateButton::SetLayout(TButtonLayout Value) {
  if (FControl) FControl->SetLayout(Value);
}
TModalResult TCkWizardNavigateButton::ModalResult() const { return FControl ? FControl->ModalResult() : mrNone; }
void TCkWizardNavigateButton::SetModalResult(TModalResult Value) {
  if (FControl) FControl->SetModalResult(Value);
}
int TCkWizardNavigateButton::Width() const { return FControl ? FControl->Width() : 0; }
void TCkWizardNavigateButton::SetWidth(int Value) {
  if (!FControl || FControl->Width() == Value) return;
  FControl->SetWidth(Value);
  if (FControl->Wizard()) FControl->Wizard()->LayoutButtonBar();
}

// ---- TCkWizardCustomPage

TCkWizardCustomPage::TCkWizardCustomPage(TComponent* AOwner)
    : TCustomControl(AOwner),
      FHeader(new TCkWizardPageHeader()),
      FPanel(new TCkWizardPagePanel()),
      FImage(new TCkWizardImage()) {
  FControlStyle.Include(csAcceptsControls);
  FAlign = alClient;
  FVisible = false;
  FColor = clBtnFace;
  FParentColor = false;
  FHeader->SetWizardPage(this);
  FImage->OnChange = TNotifyEvent(this, &TCkWizardCustomPage::ImageChanged);
  FPanel->SetWizardPage(this);
  FDoubleBuffered = true;
}

void TCkWizardCustomPage::BeforeDestruction() {
  if (FWizard) FWizard->DetachPage(this);
  TCustomControl::BeforeDestruction();
}

TCkWizardCustomPage::~TCkWizardCustomPage() {
  if (FWizard) FWizard->DetachPage(this);
  delete FPanel;
  delete FImage;
  delete FHeader;
}

void TCkWizardCustomPage::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCkWizardCustomPage::WriteWizard(TCkWizard* Value) {
  if (FWizard == Value) return;
  if (FWizard) FWizard->DetachPage(this);
  SetParent(Value);
  if (Value) Value->AttachPage(this);
}

void TCkWizardCustomPage::SetParentComponent(TComponent* Value) {
  if (auto* w = dynamic_cast<TCkWizard*>(Value)) WriteWizard(w);
  else TCustomControl::SetParentComponent(Value);
}

int TCkWizardCustomPage::PageIndex() const { return FWizard ? FWizard->FPages->IndexOf(this) : -1; }

void TCkWizardCustomPage::SetPageIndex(int Value) {
  if (!FWizard || Value < 0 || Value >= FWizard->PageCount()) return;
  int old = PageIndex();
  FWizard->FPages->Move(old, Value);
  if (FWizard->FRouteMap) FWizard->FRouteMap->NotePageMoved(this, old);
}

void TCkWizardCustomPage::SetHeader(TCkWizardPageHeader* Value) {
  if (Value && Value != FHeader) FHeader->Assign(Value);
}

TCkWizardPageTitle* TCkWizardCustomPage::Title() const { return FHeader->Title(); }
void TCkWizardCustomPage::SetTitle(TCkWizardPageTitle* Value) { FHeader->SetTitle(Value); }
TCkWizardPageTitle* TCkWizardCustomPage::Subtitle() const { return FHeader->Subtitle(); }
void TCkWizardCustomPage::SetSubtitle(TCkWizardPageTitle* Value) { FHeader->SetSubtitle(Value); }

void TCkWizardCustomPage::SetImage(TCkWizardImage* Value) {
  if (Value && Value != FImage) {
    FImage->SetAlignment(Value->Alignment());
    FImage->SetLayout(Value->Layout());
    FImage->SetPicture(Value->Picture());
  }
}

void TCkWizardCustomPage::SetPanel(TCkWizardPagePanel* Value) {
  if (!Value || Value == FPanel) return;
  FPanel->SetColor(Value->Color());
  FPanel->SetVisible(Value->Visible());
  FPanel->SetBorderWidth(Value->BorderWidth());
}

void TCkWizardCustomPage::SetEnabledButtons(TCkWizardButtonSet Value) {
  if (FEnabledButtons == Value) return;
  FEnabledButtons = Value;
  if (FWizard && FWizard->FActivePage == this) FWizard->RefreshButtonStates();
}

void TCkWizardCustomPage::SetVisibleButtons(TCkWizardButtonSet Value) {
  if (FVisibleButtons == Value) return;
  FVisibleButtons = Value;
  if (FWizard && FWizard->FActivePage == this) {
    if (FWizard->FAutoHideButtonBar) {
      FWizard->SetButtonBarHeight(Value.Empty() ? 0 : DefaultButtonBarHeight);
    } else {
      // Without the automatic bar the buttons still follow the page.
      FWizard->RefreshButtonStates();
      FWizard->LayoutButtonBar();
    }
    Invalidate();
  }
}

void TCkWizardCustomPage::EnableButton(TCkWizardButtonKind AButton, bool AEnabled) {
  if (FEnabledButtons.Contains(AButton) == AEnabled) return;
  TCkWizardButtonSet s = FEnabledButtons;
  if (AEnabled) s.Include(AButton);
  else s.Exclude(AButton);
  SetEnabledButtons(s);
}

void TCkWizardCustomPage::Show() {
  if (FWizard) FWizard->RevealChild(this);
  SetVisible(true);
}

void TCkWizardCustomPage::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  if (FHeader->Visible()) Rect.Top += FHeader->Height();
}

void TCkWizardCustomPage::FireEnterPage(TCkWizardCustomPage* FromPage) {
  if (Enabled()) OnEnterPage(this, FromPage);
}

void TCkWizardCustomPage::FirePage() {
  Repaint();
  if (Enabled()) OnPage(this);
}

void TCkWizardCustomPage::FireExitPage(TCkWizardCustomPage* ToPage) {
  if (Enabled()) OnExitPage(this, ToPage);
}

void TCkWizardCustomPage::ImageChanged(TObject*) { Invalidate(); }

void TCkWizardCustomPage::Paint() {
  if (FDrawing) return;
  FDrawing = true;
  try {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    canvas->Brush()->SetColor(FColor);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
    DrawPageHeader(canvas, r);
    if (OnPaintPage) {
      OnPaintPage(this, canvas, r);
    } else {
      FImage->PaintTo(canvas, r);
      FPanel->PaintTo(canvas, r);
    }
  } catch (...) {
    FDrawing = false;
    throw;
  }
  FDrawing = false;
}

void TCkWizardCustomPage::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    TCustomControl::Dispatch(Message);
    Message.Result = 0;
    return;
  }
  TCustomControl::Dispatch(Message);
}

void TCkWizardCustomPage::CMEnabledChanged(TMessage& Message) {
  TCustomControl::CMEnabledChanged(Message);
  if (!FWizard) return;
  if (FWizard->FRouteMap) FWizard->FRouteMap->NotePageUpdated(this);
  if (Enabled() || FWizard->FActivePage != this) return;
  int index = PageIndex();
  TCkWizardCustomPage* next = FWizard->FindNextPage(index, +1, true);
  if (!next) next = FWizard->FindNextPage(index, -1, true);
  FWizard->SetActivePage(next);
}

void TCkWizardCustomPage::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
  if (FWizard && FWizard->FRouteMap) FWizard->FRouteMap->NotePageUpdated(this);
}

void TCkWizardCustomPage::CMFontChanged(TMessage& Message) {
  if (FHeader->ParentFont()) FHeader->AdoptPageFont();
  TCustomControl::CMFontChanged(Message);
}

void TCkWizardInteriorPage::DrawPageHeader(TCanvas* ACanvas, TRect& ARect) { FHeader->PaintTo(ACanvas, ARect); }

// ---- TCkWizard

TCkWizard::TCkWizard(TComponent* AOwner)
    : TCkExCustomControl(AOwner), FPages(new TCkWizardPageList(this)), FImageChangeLink(new TChangeLink()) {
  FControlStyle.Include(csAcceptsControls);
  FAlign = alClient;
  FColor = clWindow;
  FParentColor = false;
  FImageChangeLink->OnChange = TNotifyEvent(this, &TCkWizard::ImageListChange);
  BuildNavigateButtons();
}

void TCkWizard::BeforeDestruction() {
  // The pages go with the wizard's children; they must not be switched to
  // and from on the way.
  for (TCkWizardCustomPage* p : FPages->Items()) p->FWizard = nullptr;
  FPages->ClearWizard();
  FActivePage = nullptr;
  if (FRouteMap) FRouteMap->FWizard = nullptr;
  FRouteMap = nullptr;
  TCkExCustomControl::BeforeDestruction();
}

TCkWizard::~TCkWizard() {
  for (TCkWizardNavigateButton*& b : FNavigateButtons) {
    if (b && b->Control()) b->Control()->SetWizard(nullptr);
    delete b;
    b = nullptr;
  }
  for (TCkWizardCustomPage* p : FPages->Items()) p->FWizard = nullptr;
  if (FRouteMap) FRouteMap->FWizard = nullptr;
  if (FHeaderImages) FHeaderImages->UnRegisterChanges(FImageChangeLink);
  delete FImageChangeLink;
  delete FPages;
  FPages = nullptr;
}

TClass TCkWizard::ButtonControlClass(TCkWizardButtonKind AKind) {
  switch (AKind) {
    case bkStart: return TCkWizardStartButton::StaticClass();
    case bkLast: return TCkWizardLastButton::StaticClass();
    case bkBack: return TCkWizardBackButton::StaticClass();
    case bkNext: return TCkWizardNextButton::StaticClass();
    case bkFinish: return TCkWizardFinishButton::StaticClass();
    case bkCancel: return TCkWizardCancelButton::StaticClass();
    case bkHelp: return TCkWizardHelpButton::StaticClass();
  }
  return TCkWizardButtonControl::StaticClass();
}

void TCkWizard::BuildNavigateButtons() {
  for (int k = 0; k < WizardButtonKindCount; ++k) {
    auto kind = static_cast<TCkWizardButtonKind>(k);
    TCkWizardButtonControl* control = nullptr;
    try {
      TObject* o = ButtonControlClass(kind)->Create(this);
      control = dynamic_cast<TCkWizardButtonControl*>(o);
      if (!control && o) o->Free();
      if (control) {
        control->SetParent(this);
        control->SetHeight(kButtonHeight);
        control->SetWizard(this);
      }
    } catch (const Exception&) {
    }
    auto* wrapper = new TCkWizardNavigateButton();
    wrapper->SetControl(control);
    FNavigateButtons[static_cast<size_t>(k)] = wrapper;
  }
}

TCkWizardButtonControl* TCkWizard::ButtonControl(TCkWizardButtonKind Kind) const {
  TCkWizardNavigateButton* b = FNavigateButtons[static_cast<size_t>(Kind)];
  return b ? b->Control() : nullptr;
}

void TCkWizard::Loaded() {
  TCkExCustomControl::Loaded();
  LayoutButtonBar();
  if (PageCount() > 0) SelectFirstPage();
}

void TCkWizard::Notification(TComponent* AComponent, TOperation Operation) {
  TCkExCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FHeaderImages) FHeaderImages = nullptr;
}

void TCkWizard::AdjustClientRect(TRect& Rect) {
  TCkExCustomControl::AdjustClientRect(Rect);
  if (FButtonBarHeight > kMinButtonBarHeight) Rect.Bottom -= FButtonBarHeight;
}

void TCkWizard::Resize() {
  LayoutButtonBar();
  TCkExCustomControl::Resize();
}

void TCkWizard::DialogCodes(TDialogKeyCodes& Codes) { Codes = TDialogKeyCodes{dkArrows, dkAllKeys}; }

bool TCkWizard::EraseBackground(TCanvas*, LPARAM) { return true; }

void TCkWizard::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  if (FColor != clNone) {
    canvas->Brush()->SetColor(FColor);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
  }
  if (FButtonBarHeight > kMinButtonBarHeight && FShowDivider) {
    TRect ignored;
    WizardPaintEdge(canvas, Rect(r.Left, r.Bottom - FButtonBarHeight, r.Right, r.Bottom), 3, WizardEdgeTop,
                    ignored);
  }
}

int TCkWizard::ActivePageIndex() const { return FActivePage ? FPages->IndexOf(FActivePage) : -1; }

void TCkWizard::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? WizardPages(Value) : nullptr);
}

void TCkWizard::SetAutoHideButtonBar(bool Value) {
  if (FAutoHideButtonBar == Value) return;
  FAutoHideButtonBar = Value;
  LayoutButtonBar();
  RefreshButtonStates();
}

void TCkWizard::SetButtonBarHeight(int Value) {
  if (FButtonBarHeight != Value) {
    FButtonBarHeight = Value;
    Realign();
    LayoutButtonBar();
    Invalidate();
  }
  RefreshButtonStates();
}

void TCkWizard::SetDefaultButtons(bool Value) {
  if (FDefaultButtons == Value) return;
  FDefaultButtons = Value;
  RefreshButtonStates();
}

void TCkWizard::SetShowDivider(bool Value) {
  if (FShowDivider == Value) return;
  FShowDivider = Value;
  Invalidate();
}

bool TCkWizard::ShowRouteMap() const { return FRouteMap && FRouteMap->Visible(); }

void TCkWizard::SetShowRouteMap(bool Value) {
  if (FRouteMap) FRouteMap->SetVisible(Value);
}

void TCkWizard::SetHeaderImages(TCustomImageList* Value) {
  services::SwapImageListReference(this, Value, FHeaderImages, FImageChangeLink);
  if (FActivePage) FActivePage->Invalidate();
}

void TCkWizard::ImageListChange(TObject* Sender) {
  if (FActivePage && HandleAllocated() && Sender == FHeaderImages) FActivePage->Invalidate();
}

TCkWizardCustomPage* TCkWizard::FindNextPage(int PageIndex, int Step, bool CheckDisable) const {
  // Every caller steps by one; a step of 0 would never end.
  if (Step == 0) return nullptr;
  int count = PageCount();
  for (;;) {
    PageIndex += Step;
    if (PageIndex < 0 || PageIndex >= count) return nullptr;
    TCkWizardCustomPage* p = WizardPages(PageIndex);
    if (!CheckDisable || p->Enabled()) return p;
  }
}

TCkWizardCustomPage* TCkWizard::FindNextJumpPage(int PageIndex, int Step, bool CheckDisable) const {
  TCkWizardCustomPage* p = FindNextPage(PageIndex, Step, CheckDisable);
  while (p && !p->EnableJumpToPage()) p = FindNextPage(p->PageIndex(), Step, CheckDisable);
  return p;
}

bool TCkWizard::IsFirstPage(TCkWizardCustomPage* APage, bool CheckDisable) const {
  TCkWizardCustomPage* f = FindNextPage(-1, +1, CheckDisable);
  return !f || f == APage;
}

bool TCkWizard::IsLastPage(TCkWizardCustomPage* APage, bool CheckDisable) const {
  TCkWizardCustomPage* f = FindNextPage(PageCount(), -1, CheckDisable);
  return !f || f == APage;
}

bool TCkWizard::IsForward(TCkWizardCustomPage* FromPage, TCkWizardCustomPage* ToPage) const {
  if (FromPage && ToPage && FromPage->Wizard() != ToPage->Wizard())
    throw ECkWizardError(u"The pages belong to another wizard");
  if (!FromPage) return true;
  if (!ToPage) return false;
  return FromPage->PageIndex() < ToPage->PageIndex();
}

void TCkWizard::SelectJumpPage(int PageIndex, int Step, const TCkWizardSelectPageEvent& Event) {
  TCkWizardCustomPage* p = FindNextJumpPage(PageIndex, Step, true);
  if (!p) return;
  Event(this, FActivePage, p);
  if (p) SetActivePage(p);
}

void TCkWizard::SelectFirstPage() { SelectJumpPage(-1, +1, OnSelectFirstPage); }
void TCkWizard::SelectLastPage() { SelectJumpPage(PageCount(), -1, OnSelectLastPage); }
void TCkWizard::SelectNextPage() { SelectJumpPage(ActivePageIndex(), +1, OnSelectNextPage); }
void TCkWizard::SelectPriorPage() { SelectJumpPage(ActivePageIndex(), -1, OnSelectPriorPage); }

void TCkWizard::WriteActivePage(TCkWizardCustomPage* Value) {
  if (ComponentState().Contains(csLoading)) return;
  if (Value && (Value->FWizard != this || !Value->Enabled())) return;
  SwitchToPage(Value);
}

void TCkWizard::FireActivePageChanging(TCkWizardCustomPage*& ToPage) { OnActivePageChanging(this, ToPage); }

void TCkWizard::FireActivePageChanged() { OnActivePageChanged(this); }

void TCkWizard::SwitchToPage(TCkWizardCustomPage* ToPage) {
  TCkWizardCustomPage* old = FActivePage;
  if (ToPage == old) return;
  FireActivePageChanging(ToPage);
  if (ToPage == old) return;

  // Focus leaves the controls that are about to be hidden.
  TCustomForm* form = GetParentForm(this);
  if (form && old && form->ActiveControl() && form->ActiveControl() != old &&
      ControlInside(old, form->ActiveControl()) && CanTakeFocus(old))
    form->SetActiveControl(old);

  if (old) {
    old->FireExitPage(ToPage);
    old->SetVisible(false);
  }
  // Only a page the changing event put in can be disabled here.
  if (ToPage && !ToPage->Enabled())
    ToPage = FindNextPage(ActivePageIndex(), IsForward(old, ToPage) ? +1 : -1, true);

  if (ToPage) {
    ToPage->FireEnterPage(old);
    ToPage->SetZOrder(true);
    ToPage->SetVisible(true);
    if (form) {
      if (CanTakeFocus(ToPage)) form->SetActiveControl(ToPage);
      else if (CanTakeFocus(this)) form->SetActiveControl(this);
    }
  }
  FActivePage = ToPage;
  if (FRouteMap) FRouteMap->NotePageActivated(ToPage);

  if (FAutoHideButtonBar) {
    SetButtonBarHeight(FActivePage && FActivePage->VisibleButtons().Empty() ? 0 : DefaultButtonBarHeight);
  } else {
    // Without the automatic bar the buttons still follow the page.
    RefreshButtonStates();
    LayoutButtonBar();
  }

  if (form && FActivePage && form->ActiveControl() == FActivePage && CanTakeFocus(FActivePage)) {
    if (TWinControl* first = FActivePage->FindNextControl(nullptr, true, true, false)) first->SetFocus();
    FActivePage->FirePage();
  }
  FireActivePageChanged();
}

void TCkWizard::AttachPage(TCkWizardCustomPage* Page) {
  FPages->Add(Page);
  if (FRouteMap) FRouteMap->NotePageAdded(Page);
}

void TCkWizard::DetachPage(TCkWizardCustomPage* Page) {
  TCkWizardCustomPage* next = FActivePage;
  if (Page == FActivePage) next = FindNextPage(Page->PageIndex(), +1, true);
  if (FRouteMap) FRouteMap->NotePageRemoved(Page);
  FPages->Remove(Page);
  if (Page == FActivePage && ComponentState().Contains(csLoading)) {
    // No switch while loading; the wizard must not keep a page it lost.
    FActivePage = nullptr;
    return;
  }
  WriteActivePage(next);
}

void TCkWizard::RevealChild(TControl* Child) {
  auto* page = dynamic_cast<TCkWizardCustomPage*>(Child);
  if (page && page->FWizard == this) SetActivePage(page);
}

void TCkWizard::RefreshButtonStates() {
  if (!Parent()) return;
  TCkWizardButtonSet enabled{bkCancel};
  TCkWizardButtonSet visible = DefaultVisibleWizardButtons;
  if (FActivePage) {
    // Back stays out of the first page's buttons for good.
    if (IsFirstPage(FActivePage, true)) FActivePage->FEnabledButtons.Exclude(bkBack);
    enabled = FActivePage->FEnabledButtons;
    visible = FActivePage->FVisibleButtons;
  }
  for (int k = 0; k < WizardButtonKindCount; ++k) {
    auto kind = static_cast<TCkWizardButtonKind>(k);
    if (TCkWizardButtonControl* b = ButtonControl(kind)) {
      b->SetVisible(visible.Contains(kind));
      b->SetEnabled(enabled.Contains(kind));
    }
  }
  TCkWizardButtonSet shown = visible * enabled;
  if (shown.Contains(bkNext)) {
    if (TCkWizardButtonControl* b = ButtonControl(bkNext)) b->SetDefault(FDefaultButtons);
  } else if (shown.Contains(bkFinish)) {
    if (TCkWizardButtonControl* b = ButtonControl(bkFinish)) b->SetDefault(FDefaultButtons);
  }
}

void TCkWizard::LayoutButtonBar() {
  if (!Parent()) return;
  if (FButtonBarHeight <= kMinButtonBarHeight) {
    for (int k = 0; k < WizardButtonKindCount; ++k)
      if (TCkWizardButtonControl* b = ButtonControl(static_cast<TCkWizardButtonKind>(k)))
        b->SetBounds(0, 0, b->Width(), 0);
    return;
  }
  TCkWizardButtonSet visible = FActivePage ? FActivePage->FVisibleButtons : DefaultVisibleWizardButtons;
  TRect cr = ClientRect();
  int top = cr.Bottom - FButtonBarHeight + 10;
  int x = 0;
  auto place = [&](TCkWizardButtonKind kind, int gap) {
    if (!visible.Contains(kind)) return;
    TCkWizardButtonControl* b = ButtonControl(kind);
    if (!b) return;
    int w = b->Width();
    if (b->Alignment() == alRight) x -= w;
    b->SetBounds(x, top, w, kButtonHeight);
    if (b->Alignment() == alLeft) x += w;
    x += gap;
  };
  x = cr.Left + 8;
  place(bkHelp, 10);
  place(bkStart, 1);
  place(bkLast, 0);
  x = cr.Right - 8;
  if (visible.Contains(bkNext) && visible.Contains(bkFinish)) {
    place(bkCancel, -1);
    place(bkFinish, -10);
  } else {
    place(bkCancel, -10);
    place(bkFinish, -1);
  }
  place(bkNext, -2);
  place(bkBack, 0);
}

// ---- TCkWizardRouteMapControl

TCkWizardRouteMapControl::TCkWizardRouteMapControl(TComponent* AOwner)
    : TCustomControl(AOwner), FImage(new TCkWizardImage()) {
  FAlign = alLeft;
  FWidth = 145;
  FTabStop = false;
  FDoubleBuffered = true;
  FImage->OnChange = TNotifyEvent(this, &TCkWizardRouteMapControl::ImageChanged);
}

TCkWizardRouteMapControl::~TCkWizardRouteMapControl() {
  Detach();
  delete FImage;
}

void TCkWizardRouteMapControl::Detach() {
  if (FWizard && FWizard->FRouteMap == this) FWizard->FRouteMap = nullptr;
  FWizard = nullptr;
  FPages.clear();
  FPageIndex = -1;
}

void TCkWizardRouteMapControl::SetParent(TWinControl* AParent) {
  if (auto* page = dynamic_cast<TCkWizardCustomPage*>(AParent)) AParent = page->Wizard();
  else if (AParent && !dynamic_cast<TCkWizard*>(AParent))
    throw ECkWizardError(u"The Parent should be TCkWizard or a descendant");
  Detach();
  TCustomControl::SetParent(AParent);
  if (auto* w = dynamic_cast<TCkWizard*>(AParent)) {
    FWizard = w;
    w->FRouteMap = this;
    FPages = w->Pages().Items();
    FPageIndex = w->ActivePageIndex();
  }
}

void TCkWizardRouteMapControl::SetImage(TCkWizardImage* Value) {
  if (!Value || Value == FImage) return;
  FImage->SetAlignment(Value->Alignment());
  FImage->SetLayout(Value->Layout());
  FImage->SetPicture(Value->Picture());
}

void TCkWizardRouteMapControl::SetPageIndex(int Value) {
  if (!FWizard || Value == FPageIndex || Value < 0 || Value >= PageCount()) return;
  FWizard->SetActivePage(Pages(Value));
  FPageIndex = FWizard->ActivePageIndex();
}

bool TCkWizardRouteMapControl::CanShowPage(TCkWizardCustomPage* Page) {
  bool allow = Page->Enabled();
  OnDisplaying(this, Page, allow);
  return allow;
}

void TCkWizardRouteMapControl::NotePageAdded(TCkWizardCustomPage* Page) {
  if (std::find(FPages.begin(), FPages.end(), Page) == FPages.end()) FPages.push_back(Page);
  AfterPageAdded(Page);
}

void TCkWizardRouteMapControl::NotePageRemoved(TCkWizardCustomPage* Page) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it != FPages.end()) {
    int index = static_cast<int>(it - FPages.begin());
    FPages.erase(it);
    if (index == FPageIndex) FPageIndex = -1;
    else if (index < FPageIndex) --FPageIndex;  // keep pointing at the same page
  }
  AfterPageRemoved(Page);
}

void TCkWizardRouteMapControl::NotePageActivated(TCkWizardCustomPage* Page) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  FPageIndex = it == FPages.end() ? -1 : static_cast<int>(it - FPages.begin());
  AfterPageActivated(Page);
}

void TCkWizardRouteMapControl::NotePageMoved(TCkWizardCustomPage* Page, int OldIndex) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it != FPages.end()) {
    bool current = static_cast<int>(it - FPages.begin()) == FPageIndex;
    FPages.erase(it);
    int newIndex = Page->PageIndex();
    if (newIndex < 0 || newIndex > static_cast<int>(FPages.size())) newIndex = static_cast<int>(FPages.size());
    FPages.insert(FPages.begin() + newIndex, Page);
    if (current) FPageIndex = newIndex;
  }
  (void)OldIndex;
  AfterPageMoved(Page);
}

void TCkWizardRouteMapControl::NotePageUpdated(TCkWizardCustomPage* Page) { AfterPageUpdated(Page); }

void TCkWizardRouteMapControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !FWizard) return;
  TCkWizardCustomPage* page = PageAtPoint(X, Y);
  if (!page || !page->Enabled() || !page->EnableJumpToPage()) return;
  auto it = std::find(FPages.begin(), FPages.end(), page);
  int index = it == FPages.end() ? -1 : static_cast<int>(it - FPages.begin());
  if (index == FPageIndex + 1) FWizard->SelectNextPage();
  else if (index == FPageIndex - 1) FWizard->SelectPriorPage();
  else FWizard->SetActivePage(page);
}

// ---- Run-time type information

FW_REGISTER(TCkWizardButtonControl) {}
FW_REGISTER(TCkWizardBaseButton) {}
FW_REGISTER(TCkWizardStartButton) {}
FW_REGISTER(TCkWizardLastButton) {}
FW_REGISTER(TCkWizardBackButton) {}
FW_REGISTER(TCkWizardNextButton) {}
FW_REGISTER(TCkWizardFinishButton) {}
FW_REGISTER(TCkWizardCancelButton) {}
FW_REGISTER(TCkWizardHelpButton) {}

FW_REGISTER(TCkWizardNavigateButton) {
  c.Property(u"Glyph", &TCkWizardNavigateButton::Glyph, &TCkWizardNavigateButton::SetGlyph);
  c.Property(u"Caption", &TCkWizardNavigateButton::Caption, &TCkWizardNavigateButton::SetCaption);
  c.Property(u"NumGlyphs", &TCkWizardNavigateButton::NumGlyphs, &TCkWizardNavigateButton::SetNumGlyphs);
  c.Property(u"Layout", &TCkWizardNavigateButton::Layout, &TCkWizardNavigateButton::SetLayout).Default(blGlyphLeft);
  c.Property(u"ModalResult", &TCkWizardNavigateButton::ModalResult, &TCkWizardNavigateButton::SetModalResult)
      .Default(0);
  c.Property(u"Width", &TCkWizardNavigateButton::Width, &TCkWizardNavigateButton::SetWidth);
}

FW_REGISTER(TCkWizardCustomPage) {
  using P = TCkWizardCustomPage;
  c.Property(u"Header", &P::Header, &P::SetHeader);
  c.Property(u"Subtitle", &P::Subtitle, &P::SetSubtitle).Stored(false);
  c.Property(u"Title", &P::Title, &P::SetTitle).Stored(false);
  c.Property(u"Image", &P::Image, &P::SetImage);
  c.Property(u"Panel", &P::Panel, &P::SetPanel);
  c.Property(u"EnabledButtons", &P::EnabledButtons, &P::SetEnabledButtons).Default(AllWizardButtons);
  c.Property(u"VisibleButtons", &P::VisibleButtons, &P::SetVisibleButtons).Default(DefaultVisibleWizardButtons);
  c.Property(u"EnableJumpToPage", &P::EnableJumpToPage, &P::SetEnableJumpToPage).Default(true);
  c.Property(u"Color", &P::Color, &P::SetColor).Type(TypeInfoTColor()).Default(clBtnFace);
  c.Property(u"HelpContext", &P::HelpContext, &P::SetHelpContext).Default(0);
  c.Event(u"OnEnterPage", &P::OnEnterPage);
  c.Event(u"OnPage", &P::OnPage);
  c.Event(u"OnExitPage", &P::OnExitPage);
  c.Event(u"OnPaintPage", &P::OnPaintPage);
  c.Event(u"OnStartButtonClick", &P::OnStartButtonClick);
  c.Event(u"OnLastButtonClick", &P::OnLastButtonClick);
  c.Event(u"OnNextButtonClick", &P::OnNextButtonClick);
  c.Event(u"OnBackButtonClick", &P::OnBackButtonClick);
  c.Event(u"OnCancelButtonClick", &P::OnCancelButtonClick);
  c.Event(u"OnFinishButtonClick", &P::OnFinishButtonClick);
  c.Event(u"OnHelpButtonClick", &P::OnHelpButtonClick);
}

FW_REGISTER(TCkWizardInteriorPage) {}

namespace {

// The wizard's On...ButtonClick properties are the OnClick events of its
// button controls.
template <TCkWizardButtonKind Kind>
TNotifyEvent GetButtonClick(TCkWizard& w) {
  TCkWizardButtonControl* b = w.ButtonControl(Kind);
  return b ? b->OnClick : TNotifyEvent();
}

template <TCkWizardButtonKind Kind>
void SetButtonClick(TCkWizard& w, TNotifyEvent e) {
  if (TCkWizardButtonControl* b = w.ButtonControl(Kind)) b->OnClick = e;
}

template <TCkWizardButtonKind Kind>
TCkWizardNavigateButton* GetNavigateButton(TCkWizard& w) {
  return w.NavigateButton(Kind);
}

}  // namespace

FW_REGISTER(TCkWizard) {
  using Wz = TCkWizard;
  c.Property(u"ActivePage", &Wz::ActivePage, &Wz::SetActivePage);
  c.Property(u"AutoHideButtonBar", &Wz::AutoHideButtonBar, &Wz::SetAutoHideButtonBar).Default(true);
  c.Property(u"ButtonBarHeight", &Wz::ButtonBarHeight, &Wz::SetButtonBarHeight).Default(DefaultButtonBarHeight);
  c.Property(u"ButtonStart", &GetNavigateButton<bkStart>);
  c.Property(u"ButtonLast", &GetNavigateButton<bkLast>);
  c.Property(u"ButtonBack", &GetNavigateButton<bkBack>);
  c.Property(u"ButtonNext", &GetNavigateButton<bkNext>);
  c.Property(u"ButtonFinish", &GetNavigateButton<bkFinish>);
  c.Property(u"ButtonCancel", &GetNavigateButton<bkCancel>);
  c.Property(u"ButtonHelp", &GetNavigateButton<bkHelp>);
  c.Property(u"DefaultButtons", &Wz::DefaultButtons, &Wz::SetDefaultButtons).Default(true);
  c.Property(u"ShowDivider", &Wz::ShowDivider, &Wz::SetShowDivider).Default(true);
  c.Property(u"ShowRouteMap", &Wz::ShowRouteMap, &Wz::SetShowRouteMap).Stored(false);
  c.Property(u"HeaderImages", &Wz::HeaderImages, &Wz::SetHeaderImages);
  c.Event(u"OnSelectFirstPage", &Wz::OnSelectFirstPage);
  c.Event(u"OnSelectLastPage", &Wz::OnSelectLastPage);
  c.Event(u"OnSelectNextPage", &Wz::OnSelectNextPage);
  c.Event(u"OnSelectPriorPage", &Wz::OnSelectPriorPage);
  c.Property(u"OnStartButtonClick", &GetButtonClick<bkStart>, &SetButtonClick<bkStart>);
  c.Property(u"OnLastButtonClick", &GetButtonClick<bkLast>, &SetButtonClick<bkLast>);
  c.Property(u"OnBackButtonClick", &GetButtonClick<bkBack>, &SetButtonClick<bkBack>);
  c.Property(u"OnNextButtonClick", &GetButtonClick<bkNext>, &SetButtonClick<bkNext>);
  c.Property(u"OnFinishButtonClick", &GetButtonClick<bkFinish>, &SetButtonClick<bkFinish>);
  c.Property(u"OnCancelButtonClick", &GetButtonClick<bkCancel>, &SetButtonClick<bkCancel>);
  c.Property(u"OnHelpButtonClick", &GetButtonClick<bkHelp>, &SetButtonClick<bkHelp>);
  c.Event(u"OnActivePageChanged", &Wz::OnActivePageChanged);
  c.Event(u"OnActivePageChanging", &Wz::OnActivePageChanging);
  c.Property(u"Color", &Wz::Color, &Wz::SetColor).Type(TypeInfoTColor()).Default(clWindow);
}

FW_REGISTER(TCkWizardRouteMapControl) {
  c.Property(u"Image", &TCkWizardRouteMapControl::Image, &TCkWizardRouteMapControl::SetImage);
  c.Event(u"OnDisplaying", &TCkWizardRouteMapControl::OnDisplaying);
}

}  // namespace ck
