#include "controls/base/xp_taskbar.h"

#include <uxtheme.h>

#include "controls/base/ckthemes.h"
#include "controls/base/xp_button.h"
#include "controls/base/xp_drawing.h"
#include "fw/controls/forms.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/platform/system_function.h"
#include "fw/system/application.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

namespace {

// Explorer-bar header background (part 1) colour properties.
constexpr int kThemeFillColor = 3802;
constexpr int kThemeEdgeFillColor = 3808;
constexpr int kThemeGradientColor1 = 3810;
constexpr int kThemeGradientColor2 = 3811;

bool UxThemeExplorerBarColor(int PropId, TColor& Color) {
  using OpenThemeDataProc = HTHEME(WINAPI*)(HWND, LPCWSTR);
  using CloseThemeDataProc = HRESULT(WINAPI*)(HTHEME);
  using GetThemeColorProc = HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*);
  auto open = fw::SystemFunction<OpenThemeDataProc>(L"uxtheme.dll", "OpenThemeData");
  auto close = fw::SystemFunction<CloseThemeDataProc>(L"uxtheme.dll", "CloseThemeData");
  auto get = fw::SystemFunction<GetThemeColorProc>(L"uxtheme.dll", "GetThemeColor");
  if (!open || !close || !get) return false;
  HTHEME theme = open(nullptr, L"EXPLORERBAR");
  if (!theme) return false;
  COLORREF c = 0;
  bool ok = SUCCEEDED(get(theme, 1, 0, PropId, &c));
  close(theme);
  if (ok) Color = static_cast<TColor>(c);
  return ok;
}

TCkXPBarThemeColorQuery gThemeColorQuery = &UxThemeExplorerBarColor;

TCustomAction* StandardAction(TBasicAction* Action) { return dynamic_cast<TCustomAction*>(Action); }

// The pixels of a roll-button resource, or an empty bitmap.
void LoadRollResource(TBitmap* Bitmap, const String& Name) {
  try {
    Bitmap->LoadFromResourceName(GetModuleHandleW(nullptr), Name);
  } catch (const EInvalidGraphic&) {
    Bitmap->FreeImage();
  }
}

}  // namespace

TCkXPBarThemeColorQuery SetXPBarThemeColorQuery(TCkXPBarThemeColorQuery Query) {
  TCkXPBarThemeColorQuery old = gThemeColorQuery;
  gThemeColorQuery = Query ? Query : &UxThemeExplorerBarColor;
  return old;
}

// ---- TCkXPBarColors

TCkXPBarColors::TCkXPBarColors() {
  if (!ActiveStyleServices()->Enabled()) return;
  TColor c;
  if (gThemeColorQuery(kThemeFillColor, c)) FBodyColor = c;
  if (gThemeColorQuery(kThemeGradientColor1, c)) FGradientFrom = c;
  if (gThemeColorQuery(kThemeGradientColor2, c)) FGradientTo = c;
  if (gThemeColorQuery(kThemeEdgeFillColor, c)) FSeparatorColor = c;
}

void TCkXPBarColors::Put(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  OnChange(this);
}

void TCkXPBarColors::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCkXPBarColors*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  SetCheckedColor(s->FCheckedColor);
  SetFocusedColor(s->FFocusedColor);
  SetCheckedFrameColor(s->FCheckedFrameColor);
  SetFocusedFrameColor(s->FFocusedFrameColor);
  SetBodyColor(s->FBodyColor);
  SetGradientTo(s->FGradientTo);
  SetGradientFrom(s->FGradientFrom);
  SetSeparatorColor(s->FSeparatorColor);
}

// ---- TCkXPBarItemActionLink

TCkXPBarItemActionLink::TCkXPBarItemActionLink(TCkXPBarItem* AClient) : TBasicActionLink(AClient), FClient(AClient) {}

void TCkXPBarItemActionLink::Change() {
  if (FClient && FAction) FClient->ActionChanged(FAction, false);
}

String TCkXPBarItemActionLink::Hint() const {
  TCustomAction* action = StandardAction(FAction);
  if (!action) return String();
  String hint = action->Hint();
  bool shortCuts = Application && IsPublishedProp(Application, u"HintShortCuts") &&
                   GetPropValue(Application, u"HintShortCuts").AsOrdinal() != 0;
  if (shortCuts && action->ShortCut() != scNone)
    hint = Format(u"%0:s (%1:s)", {hint, ShortCutToText(action->ShortCut())});
  return hint;
}

// ---- TCkXPBarItem

TCkXPBarItem::~TCkXPBarItem() {
  TCkXPCustomWinXPBar* bar = FWinXPBar;
  bool live = bar && !bar->ComponentState().Contains(csDestroying);
  if (live) {
    FVisible = false;
    bar->NoteItemVisibility(this);
  }
  delete FActionLink;
  FActionLink = nullptr;
  if (Collection()) TCollectionItem::SetCollection(nullptr);
  if (live) bar->ResizeToFitItems();
}

void TCkXPBarItem::SetCollection(TCollection* Value) {
  if (FWinXPBar && Collection() && Collection() != Value) {
    bool visible = FVisible;
    FVisible = false;
    FWinXPBar->NoteItemVisibility(this);
    FVisible = visible;
  }
  TCollectionItem::SetCollection(Value);
  auto* items = dynamic_cast<TCkXPBarItems*>(Value);
  FWinXPBar = items ? items->WinXPBar() : nullptr;
  if (FWinXPBar) {
    FWinXPBar->NoteItemVisibility(this);
    FWinXPBar->ResizeToFitItems();
  }
}

void TCkXPBarItem::RedrawBar() {
  if (FWinXPBar) FWinXPBar->RedrawWhenUnlocked();
}

void TCkXPBarItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    delete FActionLink;
    FActionLink = nullptr;
    RedrawBar();
    return;
  }
  if (!FActionLink) FActionLink = new TCkXPBarItemActionLink(this);
  FActionLink->SetAction(Value);
  bool loading = FWinXPBar && FWinXPBar->ComponentState().Contains(csLoading);
  ActionChanged(Value, loading);
  if (FWinXPBar) Value->FreeNotification(FWinXPBar);
}

void TCkXPBarItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  RedrawBar();
}

void TCkXPBarItem::UncheckGroup() {
  if (!FChecked || FGroupIndex == 0 || !Collection()) return;
  for (int i = 0; i < Collection()->Count(); ++i) {
    auto* other = static_cast<TCkXPBarItem*>(Collection()->Items(i));
    if (other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
  }
}

void TCkXPBarItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  if (Value) UncheckGroup();
  RedrawBar();
}

void TCkXPBarItem::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  RedrawBar();
}

void TCkXPBarItem::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UncheckGroup();
}

void TCkXPBarItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  RedrawBar();
}

void TCkXPBarItem::SetImageList(TCustomImageList* Value) {
  if (FImageList == Value) return;
  FImageList = Value;
  if (Value && FWinXPBar) Value->FreeNotification(FWinXPBar);
  RedrawBar();
}

void TCkXPBarItem::SetName(const String& Value) {
  if (FName == Value) return;
  if (Collection()) {
    for (int i = 0; i < Collection()->Count(); ++i) {
      auto* other = static_cast<TCkXPBarItem*>(Collection()->Items(i));
      if (other != this && !Value.empty() && other->FName == Value) return;
    }
  }
  FName = Value;
}

void TCkXPBarItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (FWinXPBar) {
    FWinXPBar->NoteItemVisibility(this);
    FWinXPBar->ResizeToFitItems();
    FWinXPBar->RedrawWhenUnlocked();
  }
}

TCustomImageList* TCkXPBarItem::Images() const {
  if (FImageList) return FImageList;
  if (TCustomImageList* list = ActionListImages(Action())) return list;
  return FWinXPBar ? FWinXPBar->ImageList() : nullptr;
}

bool TCkXPBarItem::IsSuppliedByAction() const { return StandardAction(Action()) != nullptr; }

void TCkXPBarItem::ActionChanged(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!action->ComponentState().Contains(csLoading)) action->Update();
  if (!CheckDefaults || !FAutoCheck) SetAutoCheck(action->AutoCheck());
  if (!CheckDefaults || FCaption.empty() || FCaption == FName) SetCaption(action->Caption());
  if (!CheckDefaults || !FChecked) SetChecked(action->Checked());
  if (!CheckDefaults || FEnabled) SetEnabled(action->Enabled());
  if (!CheckDefaults || FHint.empty()) SetHint(action->Hint());
  if (!CheckDefaults || FImageIndex == -1) SetImageIndex(action->ImageIndex());
  if (!CheckDefaults || FVisible) SetVisible(action->Visible());
  if (!CheckDefaults || !OnClick) OnClick = action->OnExecute;
}

void TCkXPBarItem::ComponentRemoved(TComponent* AComponent) {
  if (AComponent && AComponent == Action()) SetAction(nullptr);
  if (AComponent && AComponent == FImageList) SetImageList(nullptr);
}

void TCkXPBarItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCkXPBarItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetAction(s->Action());
  SetAutoCheck(s->FAutoCheck);
  SetCaption(s->FCaption);
  SetChecked(s->FChecked);
  SetEnabled(s->FEnabled);
  SetGroupIndex(s->FGroupIndex);
  SetHint(s->FHint);
  SetImageIndex(s->FImageIndex);
  SetImageList(s->FImageList);
  SetName(s->FName);
  SetTag(s->FTag);
  SetVisible(s->FVisible);
  FData = s->FData;
  FDataObject = s->FDataObject;
  OnClick = s->OnClick;
  OnDblClick = s->OnDblClick;
}

String TCkXPBarItem::DisplayName() const {
  String text = FCaption.empty() ? String(u"untitled") : FCaption;
  if (!FName.empty()) text += u" [" + FName + u"]";
  if (!FVisible) text += u"*";
  return text;
}

void PaintRoundedItemFrame(TCanvas* ACanvas, const TRect& R, TColor AColor, int Radius) {
  ACanvas->Pen()->SetStyle(psSolid);
  ACanvas->Pen()->SetColor(AColor);
  const int l = R.Left, t = R.Top, r = R.Right - 1, b = R.Bottom - 1, k = Radius;
  ACanvas->Polygon({{l + k, t}, {r - k, t}, {r, t + k}, {r, b - k}, {r - k, b}, {l + k, b}, {l, b - k}, {l, t + k},
                    {l + k, t}});
}

void TCkXPBarItem::PaintItem(TCkXPCustomWinXPBar* AWinXPBar, TCanvas* ACanvas, const TRect& ARect,
                             TCkXPDrawState State, bool ShowItemFrame, TBitmap* Bitmap) {
  TCustomImageList* images = Images();
  TCkXPBarColors* colors = AWinXPBar->Colors();
  TRect r = ARect;
  ACanvas->SetFont(AWinXPBar->ItemFont());
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(colors->BodyColor());
  if (!ShowItemFrame) ACanvas->FillRect(r);
  auto frame = [&](TColor fill, TColor line) {
    ACanvas->Brush()->SetColor(fill);
    if (AWinXPBar->RoundedItemFrame() > 0) {
      PaintRoundedItemFrame(ACanvas, r, line, AWinXPBar->RoundedItemFrame());
    } else {
      ACanvas->FillRect(r);
      PaintFlatFrame(ACanvas, r, line, line, false);
    }
  };
  if (!FEnabled) {
    ACanvas->Font()->SetColor(0x808080);
  } else if (State.Contains(dsFocused)) {
    if (AWinXPBar->HotTrack()) {
      if (AWinXPBar->HotTrackColor() != clNone) ACanvas->Font()->SetColor(AWinXPBar->HotTrackColor());
      ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + TFontStyles{fsUnderline});
    }
    if (ShowItemFrame) frame(colors->FocusedColor(), colors->FocusedFrameColor());
  } else if (State.Contains(dsClicked) && ShowItemFrame) {
    frame(colors->CheckedColor(), colors->CheckedFrameColor());
  } else {
    ACanvas->FillRect(r);
  }
  if (images) {
    if (Bitmap && !Bitmap->Empty())
      ACanvas->Draw(r.Left + 1, r.Top + (AWinXPBar->ItemHeight() - Bitmap->Height()) / 2, Bitmap);
    r.Left += images->Width() + 4;
  } else {
    r.Left += 4;
  }
  String text = FCaption;
  if (text.empty() &&
      (AWinXPBar->ComponentState().Contains(csDesigning) || AWinXPBar->ControlCount() == 0))
    text = Format(u"(%0:s %1:d)", {String(u"untitled"), Index()});
  ACanvas->Brush()->SetStyle(bsClear);
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  if (AWinXPBar->IsRightToLeft()) {
    r.Right -= 4;
    flags |= DT_RIGHT | DT_RTLREADING;
  }
  services::DrawTextUnmodified(ACanvas, text, -1, r, flags);
}

// ---- TCkXPBarItems

TCkXPBarItems::TCkXPBarItems(TCkXPCustomWinXPBar* AWinXPBar)
    : TCollection(TCkXPBarItem::StaticClass(), AWinXPBar), FWinXPBar(AWinXPBar) {}

TCkXPBarItem* TCkXPBarItems::Add(TBasicAction* Action) {
  TCkXPBarItem* item = Add();
  item->SetAction(Action);
  return item;
}

TCkXPBarItem* TCkXPBarItems::Add(TObject* DataObject) {
  TCkXPBarItem* item = Add();
  item->SetDataObject(DataObject);
  return item;
}

TCkXPBarItem* TCkXPBarItems::Insert(int Index, TBasicAction* Action) {
  TCkXPBarItem* item = Insert(Index);
  item->SetAction(Action);
  return item;
}

TCkXPBarItem* TCkXPBarItems::Insert(int Index, TObject* DataObject) {
  TCkXPBarItem* item = Insert(Index);
  item->SetDataObject(DataObject);
  return item;
}

TCkXPBarItem* TCkXPBarItems::Find(const String& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Name() == Name) return Items(i);
  return nullptr;
}

TCkXPBarItem* TCkXPBarItems::Find(TBasicAction* Action) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Action() == Action) return Items(i);
  return nullptr;
}

TCkXPBarItem* TCkXPBarItems::FindByDataObject(TObject* DataObject) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->DataObject() == DataObject) return Items(i);
  return nullptr;
}

void TCkXPBarItems::Update(TCollectionItem*) {
  if (FWinXPBar) FWinXPBar->ItemsChanged();
}

// ---- TCkXPBarVisibleItems

TCkXPBarItem* TCkXPBarVisibleItems::Items(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return FItems[static_cast<size_t>(Index)];
}

bool TCkXPBarVisibleItems::Contains(TCkXPBarItem* Item) const {
  return std::find(FItems.begin(), FItems.end(), Item) != FItems.end();
}

void TCkXPBarVisibleItems::Add(TCkXPBarItem* Item) {
  if (!Contains(Item)) FItems.push_back(Item);
}

void TCkXPBarVisibleItems::Remove(TCkXPBarItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it != FItems.end()) FItems.erase(it);
}

void TCkXPBarVisibleItems::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](TCkXPBarItem* a, TCkXPBarItem* b) { return a->Index() < b->Index(); });
}

// ---- TCkXPFadeThread

TCkXPFadeThread::TCkXPFadeThread(TCkXPCustomWinXPBar* AWinXPBar, TCkXPBarRollDirection ARollDirection)
    : TCkCustomThread(true), FWinXPBar(AWinXPBar), FRollDirection(ARollDirection) {
  SetThreadName(Format(u"%s: %s", {ClassName(), AWinXPBar->Name()}));
  Start();
}

void TCkXPFadeThread::Cancel() {
  FCancelled = true;
  Terminate();
}

void TCkXPFadeThread::Execute() {
  NameThread(FThreadName);
  const bool collapse = FRollDirection == rdCollapse;
  TCkXPCustomWinXPBar* bar = FWinXPBar;
  // Everything that touches the bar runs on the user-interface thread, and
  // only while the bar has not stopped this thread.
  while (!Terminated()) {
    bool done = false;
    int delay = 25;
    try {
      Synchronize([&] {
        if (FCancelled) return;
        bar->FRolling = true;
        int next = bar->FRollOffset + (collapse ? -bar->FRollStep : bar->FRollStep);
        next = std::clamp(next, 0, bar->FItemHeight);
        FWinXPBarNewOffSet = next;
        bar->WriteRollOffset(next);
        done = collapse ? next <= 0 : next >= bar->FItemHeight;
        delay = bar->FRollDelay;
      });
      if (FCancelled) return;
      if (done) Terminate();
      Sleep(static_cast<DWORD>(delay));
      Synchronize([&] {
        if (!FCancelled) bar->FRolling = false;
      });
    } catch (...) {
      Synchronize([&] {
        if (!FCancelled) bar->FRolling = false;
      });
      throw;
    }
  }
  Synchronize([&] {
    if (FCancelled) return;
    bar->FCollapsed = collapse;
    if (bar->FShowRollButton) bar->RedrawWhenUnlocked();
    if (!bar->ComponentState().Contains(csDesigning) && (bar->HandleAllocated() || bar->Parent()))
      PostMessageW(bar->Handle(), WM_XPBAR_ROLLED, collapse ? 1 : 0, 0);
  });
}

// ---- TCkXPCustomWinXPBar

TCkXPCustomWinXPBar::TCkXPCustomWinXPBar(TComponent* AOwner)
    : TCkXPCustomControl(AOwner),
      FFont(new TFont()),
      FGradient(new TBitmap()),
      FHeaderFont(new TFont()),
      FIcon(new TIcon()),
      FVisibleItems(new TCkXPBarVisibleItems(this)),
      FColors(new TCkXPBarColors()),
      FImageChangeLink(new TChangeLink()),
      FRollChangeLink(new TChangeLink()) {
  FItems = new TCkXPBarItems(this);
  FControlStyle.Include(csAcceptsControls);
  FControlStyle.Include(csActionClient);
  ExControlStyle = TCkXPControlStyle{csRedrawCaptionChanged, csRedrawMouseEnter, csRedrawMouseLeave};
  FWidth = 153;
  FHeight = 46;
  FRollOffset = FItemHeight;
  FFont->SetColor(0x840000);
  FFont->SetSize(8);
  FHeaderFont->SetColor(0x840000);
  FHeaderFont->SetSize(8);
  FHeaderFont->SetStyle(TFontStyles{fsBold});
  FFont->OnChange = TNotifyEvent(this, &TCkXPCustomWinXPBar::ItemFontChanged);
  FHeaderFont->OnChange = TNotifyEvent(this, &TCkXPCustomWinXPBar::ItemFontChanged);
  FColors->OnChange = TNotifyEvent(this, &TCkXPCustomWinXPBar::ColorsChanged);
  FImageChangeLink->OnChange = TNotifyEvent(this, &TCkXPCustomWinXPBar::ImagesChanged);
  FRollChangeLink->OnChange = TNotifyEvent(this, &TCkXPCustomWinXPBar::ImagesChanged);
  FGradient->SetPixelFormat(pf24bit);
}

TCkXPCustomWinXPBar::~TCkXPCustomWinXPBar() {
  Destroying();
  StopFadeThread();
  delete FItems;
  FItems = nullptr;
  delete FVisibleItems;
  delete FImageChangeLink;
  delete FRollChangeLink;
  delete FColors;
  delete FIcon;
  delete FHeaderFont;
  delete FGradient;
  delete FFont;
}

void TCkXPCustomWinXPBar::BeforeDestruction() {
  // The roll thread ends before any part of the bar goes.
  StopFadeThread();
  TCkXPCustomControl::BeforeDestruction();
}

void TCkXPCustomWinXPBar::StopFadeThread() {
  if (!FFadeThread) return;
  TCkXPFadeThread* t = FFadeThread;
  FFadeThread = nullptr;
  t->Cancel();
  if (!t->Finished() && FInFadeStep) {
    // Called from inside one of the thread's own steps: it cannot be waited
    // for here; cancelled, it ends by itself without touching the bar.
    t->SetFreeOnTerminate(true);
  } else {
    t->WaitFor();
    delete t;
  }
  FRolling = false;
}

void TCkXPCustomWinXPBar::WriteRollOffset(int Value) {
  if (FRollOffset == Value) return;
  FRollOffset = Value;
  FInFadeStep = true;
  try {
    ResizeToFitItems();
  } catch (...) {
    FInFadeStep = false;
    throw;
  }
  FInFadeStep = false;
}

void TCkXPCustomWinXPBar::SetCollapsed(bool Value) {
  if (FCollapsed == Value) return;
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning)) {
    FCollapsed = Value;
    FRolling = true;
    FRollOffset = Value ? 0 : FItemHeight;
    ResizeToFitItems();
    FRolling = false;
    if (!Value && FGrouped) CollapseGroupSiblings();
    return;
  }
  BeforeCollapsedChange(this, Value);
  // One roll at a time: a running one stops where it is and the new one
  // goes on from there.
  StopFadeThread();
  FFadeThread = new TCkXPFadeThread(this, Value ? rdCollapse : rdExpand);
  OnCollapsedChange(this, Value);
}

void TCkXPCustomWinXPBar::CollapseGroupSiblings() {
  if (!Parent()) return;
  TMessage m{WM_XPBAR_GROUPEXPANDED, reinterpret_cast<WPARAM>(static_cast<TControl*>(this)), 0, 0};
  Parent()->Broadcast(m);
}

void TCkXPCustomWinXPBar::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_XPBAR_ROLLED:
      if (FFadeThread) {
        TCkXPFadeThread* t = FFadeThread;
        FFadeThread = nullptr;
        t->WaitFor();
        delete t;
      }
      AfterCollapsedChange(this, Message.WParam != 0);
      if (FGrouped && !FCollapsed) CollapseGroupSiblings();
      return;
    case WM_XPBAR_GROUPEXPANDED:
      if (FGrouped && reinterpret_cast<TControl*>(Message.WParam) != this) SetCollapsed(true);
      return;
    case WM_WINDOWPOSCHANGING: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(Message.LParam);
      if (wp && !(wp->flags & SWP_NOSIZE) && FForcedHeight >= 0) wp->cy = FForcedHeight;
      break;
    }
    default: break;
  }
  TCkXPCustomControl::WndProc(Message);
}

int TCkXPCustomWinXPBar::FittedHeight() const {
  const int v = FVisibleItems->Count();
  int h = v * FRollOffset + FHeaderHeight + 15;
  if ((FRolling && !FCollapsed) || (!FRolling && FCollapsed) || v == 0) h -= 8;
  return h + FTopSpace - 5;
}

void TCkXPCustomWinXPBar::ResizeToFitItems() {
  if (IsLocked() || ComponentState().Contains(csLoading)) return;
  FForcedHeight = FittedHeight();
  if (FForcedHeight != Height()) SetBounds(Left(), Top(), Width(), FForcedHeight);
}

void TCkXPCustomWinXPBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FForcedHeight >= 0 && !ComponentState().Contains(csLoading)) AHeight = FForcedHeight;
  TCkXPCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCkXPCustomWinXPBar::ItemsChanged() { ReorderVisibleItems(true); }

void TCkXPCustomWinXPBar::ReorderVisibleItems(bool Redraw) {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  FVisibleItems->Sort();
  if (Redraw) RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::NoteItemVisibility(TCkXPBarItem* Item) {
  if (Item->Visible() && Item->Collection()) {
    if (!FVisibleItems->Contains(Item)) {
      FVisibleItems->Add(Item);
      FVisibleItems->Sort();
    }
  } else {
    FVisibleItems->Remove(Item);
  }
  if (FHoverIndex >= FVisibleItems->Count()) FHoverIndex = -1;
}

void TCkXPCustomWinXPBar::InitiateAction() {
  TCkXPCustomControl::InitiateAction();
  for (int i = 0; i < FItems->Count(); ++i)
    if (TCkXPBarItemActionLink* link = FItems->Items(i)->ActionLink()) link->Update();
}

void TCkXPCustomWinXPBar::ColorsChanged(TObject*) { Invalidate(); }

void TCkXPCustomWinXPBar::ImagesChanged(TObject*) { RedrawWhenUnlocked(); }

void TCkXPCustomWinXPBar::ItemFontChanged(TObject*) {
  if (!FFontChanging && !ComponentState().Contains(csLoading)) SetParentFont(false);
  RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetItemFont(TFont* Value) {
  if (Value) FFont->Assign(Value);
}

void TCkXPCustomWinXPBar::SetHeaderFont(TFont* Value) {
  if (Value) FHeaderFont->Assign(Value);
}

void TCkXPCustomWinXPBar::SetRollImages(TCustomImageList* Value) {
  if (services::SwapImageListReference(this, Value, FRollImages, FRollChangeLink)) RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetImageList(TCustomImageList* Value) {
  if (services::SwapImageListReference(this, Value, FImageList, FImageChangeLink)) RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetGrouped(bool Value) {
  if (FGrouped == Value) return;
  FGrouped = Value;
  if (Value && !FCollapsed) SetCollapsed(true);
}

void TCkXPCustomWinXPBar::SetHeaderHeight(int Value) {
  if (FHeaderHeight == Value) return;
  FHeaderHeight = Value;
  ResizeToFitItems();
  RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetHeaderRounded(bool Value) {
  if (FHeaderRounded == Value) return;
  FHeaderRounded = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetHotTrack(bool Value) {
  if (FHotTrack == Value) return;
  FHotTrack = Value;
  if (!ComponentState().Contains(csLoading)) RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetHotTrackColor(TColor Value) {
  if (FHotTrackColor == Value) return;
  FHotTrackColor = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetOwnerDraw(bool Value) {
  if (FOwnerDraw == Value) return;
  FOwnerDraw = Value;
  Invalidate();
}

void TCkXPCustomWinXPBar::SetIcon(TIcon* Value) {
  if (Value == FIcon) return;
  FIcon->Assign(Value);
  RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetItemHeight(int Value) {
  if (FItemHeight == Value) return;
  FItemHeight = Value;
  if (FCollapsed) ResizeToFitItems();
  else WriteRollOffset(Value);
  RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetRollMode(TCkXPBarRollMode Value) {
  if (FRollMode == Value) return;
  FRollMode = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetShowRollButton(bool Value) {
  if (FShowRollButton == Value) return;
  FShowRollButton = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetShowItemFrame(bool Value) {
  if (FShowItemFrame == Value) return;
  FShowItemFrame = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetRoundedItemFrame(int Value) {
  if (FRoundedItemFrame == Value) return;
  FRoundedItemFrame = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomWinXPBar::SetTopSpace(int Value) {
  if (Value < 0) Value = 0;
  if (FTopSpace == Value) return;
  FTopSpace = Value;
  ResizeToFitItems();
  RedrawWhenUnlocked();
}

TRect TCkXPCustomWinXPBar::HeaderRect() const { return Rect(0, FTopSpace, Width(), FTopSpace + FHeaderHeight); }

TRect TCkXPCustomWinXPBar::RollButtonRect() const {
  int h = 18, w = 18;
  if (FRollImages) {
    h = FRollImages->Height();
    w = FRollImages->Width();
  }
  int top = FTopSpace + (FHeaderHeight - h) / 2;
  return Rect(Width() - 24, top, Width() - 24 + h, top + w);
}

TCkXPBarHitTest TCkXPCustomWinXPBar::GetHitTestAt(int X, int Y) const {
  auto inside = [&](const TRect& r) { return X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom; };
  if (inside(RollButtonRect())) return htRollButton;
  if (inside(HeaderRect())) return htHeader;
  return htNone;
}

int TCkXPCustomWinXPBar::GetItemAt(int, int Y) const {
  const int a = FHeaderHeight + FTopSpace + 7;
  if (Y < a || Y > Height() - 4 || FItemHeight <= 0) return -1;
  return (Y - a) / FItemHeight;
}

void TCkXPCustomWinXPBar::VisibleItemRect(int Index, TRect& Rect) const {
  const int row = FRollMode == rmShrink ? FRollOffset : FItemHeight;
  const int top = FHeaderHeight + Index * row + FTopSpace + 6;
  Rect = fw::Rect(3, top, Width() - 3, top + FItemHeight);
}

void TCkXPCustomWinXPBar::InvalidateVisibleItem(int Index) {
  if (Index < 0 || Index >= FVisibleItems->Count()) return;
  TRect r;
  VisibleItemRect(Index, r);
  InvalidateRectOf(r, false);
}

TCkXPDrawState TCkXPCustomWinXPBar::ItemState(int Index) const {
  TCkXPBarItem* item = FVisibleItems->Items(Index);
  if (!item) return {};
  if (Index == FHoverIndex && item->Enabled()) return {dsFocused};
  return item->Checked() ? TCkXPDrawState{dsClicked} : TCkXPDrawState{};
}

void TCkXPCustomWinXPBar::PaintVisibleItem(int Index, TCkXPDrawState State) {
  TCkXPBarItem* item = FVisibleItems->Items(Index);
  if (!item) return;
  TRect r;
  VisibleItemRect(Index, r);
  TBitmap bitmap;
  TCustomImageList* images = item->Images();
  if (images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count()) {
    images->GetBitmap(item->ImageIndex(), &bitmap);
    bitmap.SetTransparent(true);
  }
  if (!FOwnerDraw) item->PaintItem(this, Canvas(), r, State, FShowItemFrame, &bitmap);
  else OnDrawItem(this, Canvas(), r, State, item, &bitmap);
}

void TCkXPCustomWinXPBar::GetRollBitmap(TBitmap* Bitmap) const {
  const bool overButton = FHitTest == htRollButton;
  const bool hot = FDrawState.Contains(dsHighlight);
  const bool pressed = FDrawState.Contains(dsClicked);
  if (FRollImages) {
    int index = 0;
    if (overButton && hot) index = pressed ? 4 : 2;
    if (!FCollapsed) ++index;
    if (index >= FRollImages->Count()) index = FCollapsed ? 0 : 1;
    if (index < FRollImages->Count()) FRollImages->GetBitmap(index, Bitmap);
    return;
  }
  int state = 0;
  if (overButton && hot) state = pressed ? 2 : 1;
  String name = FCollapsed ? u"CkXPCustomWinXPBarEXPAND" : u"CkXPCustomWinXPBarCOLLAPSE";
  name += static_cast<char16_t>(u'0' + state);
  LoadRollResource(Bitmap, name);
}

void TCkXPCustomWinXPBar::Paint() {
  TCanvas* c = Canvas();
  const int w = Width();
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(FColors->BodyColor());
  c->Pen()->SetStyle(psSolid);
  r.Top += FTopSpace + FHeaderHeight;
  if (FOwnerDraw) {
    OnDrawBackground(this, c, r);
  } else if (!FCollapsed && FColors->BodyColor() != FColors->BodyBorderColor()) {
    c->Pen()->SetColor(FColors->BodyBorderColor());
    c->Rectangle(r.Left, r.Top, r.Right, r.Bottom - 1);
  } else {
    c->FillRect(r);
  }

  r = Rect(r.Left, FTopSpace, r.Right, FTopSpace + FHeaderHeight);
  if (FOwnerDraw) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColors->BorderColor());
    OnDrawHeader(this, c, r);
  } else {
    BuildDitheredGradient(w, FHeaderHeight, FColors->GradientFrom(), FColors->GradientTo(), 32, gsLeftToRight, true,
                          FGradient);
    c->Draw(0, r.Top, FGradient);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColors->BorderColor());
    c->FrameRect(r);
    if (FHeaderRounded) {
      const TColor back = Parent() ? Parent()->Color() : Color();
      const int t = r.Top;
      for (auto [x, y] : {std::pair{0, t}, {0, t + 1}, {1, t}, {w - 1, t}, {w - 2, t}, {w - 1, t + 1}})
        c->SetPixel(x, y, back);
      c->SetPixel(1, t + 1, FColors->BorderColor());
      c->SetPixel(w - 2, t + 1, FColors->BorderColor());
    }
    if (FShowRollButton && w >= 115) {
      TBitmap roll;
      GetRollBitmap(&roll);
      if (!roll.Empty()) {
        roll.SetTransparent(true);
        const int y = r.Top + (FHeaderHeight - roll.Height()) / 2;
        if (IsRightToLeft()) {
          c->Draw(r.Left + 5, y, &roll);
          r.Left += roll.Width() + 7;
        } else {
          c->Draw(r.Right - roll.Width() - 7, y, &roll);
          r.Right -= roll.Width() + 7;
        }
      }
    }
  }
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetColor(FColors->SeparatorColor());
  StrokeLine(c, 1, r.Top + FHeaderHeight, w - 1, r.Top + FHeaderHeight);
  if (!FIcon->Empty()) {
    if (IsRightToLeft()) {
      c->Draw(r.Right - FIcon->Width() - 2, 0, FIcon);
      r.Right -= FIcon->Width() + 6;
    } else {
      c->Draw(2, 1, FIcon);
      r.Left += FIcon->Width() + 6;
    }
  }
  c->Brush()->SetStyle(bsClear);
  c->SetFont(FHeaderFont);
  if (FHotTrack && FDrawState.Contains(dsHighlight) && FHitTest != htNone && FHotTrackColor != clNone)
    c->Font()->SetColor(FHotTrackColor);
  r.Bottom = r.Top + FHeaderHeight;
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  if (IsRightToLeft()) flags |= DT_RIGHT | DT_RTLREADING;
  services::DrawTextUnmodified(c, Caption(), -1, r, flags);

  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(FColors->BodyColor());
  if (FCollapsed && !FRolling) return;
  for (int i = 0; i < FVisibleItems->Count(); ++i) PaintVisibleItem(i, ItemState(i));
}

void TCkXPCustomWinXPBar::ReactMouseMove(int X, int Y) {
  TCkXPBarHitTest hit = GetHitTestAt(X, Y);
  if (hit != FHitTest) {
    FHitTest = hit;
    InvalidateRectOf(HeaderRect(), false);
    if (FShowLinkCursor) SetCursor(hit != htNone ? crHandPoint : crDefault);
  }
  int index = GetItemAt(X, Y);
  TCkXPBarItem* item = FVisibleItems->Items(index);
  if (!item) {
    if (FStoredHint != u"|") SetHint(FStoredHint);
    FStoredHint = u"|";
    index = -1;
  } else {
    if (FStoredHint == u"|") FStoredHint = Hint();
    TCustomAction* action = StandardAction(item->Action());
    SetHint(action ? item->ActionLink()->Hint() : item->Hint());
  }
  if (index != FHoverIndex) {
    InvalidateVisibleItem(FHoverIndex);
    FHoverIndex = index;
    if (item && item->Enabled()) {
      InvalidateVisibleItem(index);
      if (FShowLinkCursor) SetCursor(crHandPoint);
    } else if (FShowLinkCursor) {
      // Over the header the link cursor stays.
      SetCursor(FHitTest != htNone ? crHandPoint : crDefault);
    }
  }
  TCkXPCustomControl::ReactMouseMove(X, Y);
}

void TCkXPCustomWinXPBar::ReactMouseEnter() {
  TCkXPCustomControl::ReactMouseEnter();
  InvalidateVisibleItem(FHoverIndex);
}

void TCkXPCustomWinXPBar::ReactMouseLeave() {
  TCkXPCustomControl::ReactMouseLeave();
  InvalidateVisibleItem(FHoverIndex);
  FHoverIndex = -1;
}

void TCkXPCustomWinXPBar::ReactMouseDown() {
  TCkXPCustomControl::ReactMouseDown();
  if (FHitTest == htRollButton) InvalidateRectOf(RollButtonRect(), false);
}

void TCkXPCustomWinXPBar::ReactParentFontChanged() {
  if (ParentFont()) {
    FFontChanging = true;
    try {
      FFont->SetColor(0xE75100);
      FFont->SetName(Font()->Name());
      FFont->SetStyle(Font()->Style());
      FFont->SetSize(8);
      FHeaderFont->SetColor(0xE75100);
      FHeaderFont->SetName(FFont->Name());
      FHeaderFont->SetSize(8);
      FHeaderFont->SetStyle(TFontStyles{fsBold});
    } catch (...) {
      FFontChanging = false;
      throw;
    }
    FFontChanging = false;
  }
  TCkXPCustomControl::ReactParentFontChanged();
}

void TCkXPCustomWinXPBar::ReactResized() {
  if (FGradientWidth != Width()) FGradientWidth = Width();
  TCkXPCustomControl::ReactResized();
}

void TCkXPCustomWinXPBar::Click() {
  bool callThrough = true;
  if (FShowRollButton && FHitTest != htNone) SetCollapsed(!FCollapsed);
  TCkXPBarItem* item = FVisibleItems->Items(FHoverIndex);
  if (item && item->Enabled()) {
    bool allow = true;
    OnCanChange(this, item, allow);
    if (!allow) return;
    // An action that has AutoCheck of its own toggles the check itself.
    if (item->AutoCheck() && !StandardAction(item->Action())) item->SetChecked(!item->Checked());
    if (item->Checked()) FDrawState.Include(dsClicked);
    else FDrawState.Exclude(dsClicked);
    OnItemClick(this, item);
    callThrough = false;
    if (item->OnClick) {
      TBasicAction* action = item->Action();
      if (action && !(action->OnExecute == item->OnClick))
        item->OnClick(item);
      else if (!ComponentState().Contains(csDesigning) && item->ActionLink())
        item->ActionLink()->Execute(this);
      else
        item->OnClick(item);
    }
    SetCollapsed(false);
    RedrawWhenUnlocked();
  }
  if (callThrough) TCkXPCustomControl::Click();
}

void TCkXPCustomWinXPBar::DblClick() {
  TCkXPBarItem* item = FVisibleItems->Items(FHoverIndex);
  if (item && item->Enabled()) item->OnDblClick(item);
  TCkXPCustomControl::DblClick();
}

bool TCkXPCustomWinXPBar::WantsDialogChar(int Key, TShiftState Shift) {
  if (CanFocus()) {
    if (IsAccel(static_cast<WORD>(Key), Caption())) {
      SetCollapsed(!FCollapsed);
      return true;
    }
    if (!FCollapsed) {
      for (int i = 0; i < FVisibleItems->Count(); ++i) {
        TCkXPBarItem* item = FVisibleItems->Items(i);
        if (item->Enabled() && IsAccel(static_cast<WORD>(Key), item->Caption())) {
          FHitTest = htNone;
          FHoverIndex = i;
          Click();
          return true;
        }
      }
    }
  }
  return TCkXPCustomControl::WantsDialogChar(Key, Shift);
}

bool TCkXPCustomWinXPBar::HintShow(THintInfo& HintInfo) {
  bool result = TCkXPCustomControl::HintShow(HintInfo);
  int index = GetItemAt(HintInfo.CursorPos.x, HintInfo.CursorPos.y);
  if (TCkXPBarItem* item = FVisibleItems->Items(index)) {
    VisibleItemRect(index, HintInfo.CursorRect);
    HintInfo.HintStr = StandardAction(item->Action()) ? item->ActionLink()->Hint() : item->Hint();
  } else if (FVisibleItems->Count() > 0 && !FCollapsed) {
    HintInfo.CursorRect = HeaderRect();
  }
  if (HintInfo.HintStr.empty()) HintInfo.HintStr = Hint();
  return result;
}

void TCkXPCustomWinXPBar::EndUpdate() {
  TCkXPCustomControl::EndUpdate();
  ResizeToFitItems();
}

void TCkXPCustomWinXPBar::Loaded() {
  TCkXPCustomControl::Loaded();
  ReorderVisibleItems(false);
  ResizeToFitItems();
}

void TCkXPCustomWinXPBar::CreateWnd() {
  TCkXPCustomControl::CreateWnd();
  ResizeToFitItems();
}

void TCkXPCustomWinXPBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCkXPCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove || ComponentState().Contains(csDestroying)) return;
  if (AComponent == FImageList) SetImageList(nullptr);
  if (AComponent == FRollImages) SetRollImages(nullptr);
  for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->ComponentRemoved(AComponent);
}

void TCkXPCustomWinXPBar::AdjustClientRect(TRect& Rect) {
  TCkXPCustomControl::AdjustClientRect(Rect);
  if (ControlCount() == 0) return;
  Rect.Top += FHeaderHeight + 4;
  Rect = fw::Rect(Rect.Left + 4, Rect.Top + 4, Rect.Right - 4, Rect.Bottom - 4);
}

// ---- Run-time type information

FW_REGISTER(TCkXPBarColors) {
  using K = TCkXPBarColors;
  auto color = [&](const char16_t* name, TColor (K::*get)() const, void (K::*set)(TColor), TColor def) {
    c.Property(name, get, set).Type(TypeInfoTColor()).Default(def);
  };
  color(u"BorderColor", &K::BorderColor, &K::SetBorderColor, 0xFFFFFF);
  color(u"CheckedColor", &K::CheckedColor, &K::SetCheckedColor, 0xD9C1BB);
  color(u"FocusedColor", &K::FocusedColor, &K::SetFocusedColor, 0xD8ACB0);
  color(u"CheckedFrameColor", &K::CheckedFrameColor, &K::SetCheckedFrameColor, clHighlight);
  color(u"FocusedFrameColor", &K::FocusedFrameColor, &K::SetFocusedFrameColor, clHotLight);
  color(u"BodyColor", &K::BodyColor, &K::SetBodyColor, 0xF7DFD6);
  color(u"BodyBorderColor", &K::BodyBorderColor, &K::SetBodyBorderColor, 0xF7DFD6);
  color(u"GradientFrom", &K::GradientFrom, &K::SetGradientFrom, 0xFFFFFF);
  color(u"GradientTo", &K::GradientTo, &K::SetGradientTo, 0xF7D7C6);
  color(u"SeparatorColor", &K::SeparatorColor, &K::SetSeparatorColor, 0xF7D7C6);
  c.Event(u"OnChange", &K::OnChange);
}

FW_REGISTER(TCkXPBarItem) {
  using I = TCkXPBarItem;
  c.Property(u"Action", &I::Action, &I::SetAction);
  c.Property(u"AutoCheck", &I::AutoCheck, &I::SetAutoCheck).Default(false).Stored(&I::IsNotSuppliedByAction);
  c.Property(u"Caption", &I::Caption, &I::SetCaption).Stored(&I::IsNotSuppliedByAction);
  c.Property(u"Checked", &I::Checked, &I::SetChecked).Default(false).Stored(&I::IsNotSuppliedByAction);
  c.Property(u"Enabled", &I::Enabled, &I::SetEnabled).Default(true).Stored(&I::IsNotSuppliedByAction);
  c.Property(u"GroupIndex", &I::GroupIndex, &I::SetGroupIndex).Default(0);
  c.Property(u"Hint", &I::Hint, &I::SetHint).Stored(&I::IsNotSuppliedByAction);
  c.Property(u"ImageIndex", &I::ImageIndex, &I::SetImageIndex).Default(-1).Stored(&I::IsNotSuppliedByAction);
  c.Property(u"ImageList", &I::ImageList, &I::SetImageList);
  c.Property(u"Name", &I::Name, &I::SetName);
  c.Property(u"Tag", &I::Tag, &I::SetTag).Default(0);
  c.Property(u"Visible", &I::Visible, &I::SetVisible).Default(true).Stored(&I::IsNotSuppliedByAction);
  c.Event(u"OnClick", &I::OnClick).Stored(&I::IsNotSuppliedByAction);
  c.Event(u"OnDblClick", &I::OnDblClick);
}

FW_REGISTER(TCkXPBarItems) {}
FW_REGISTER(TCkXPBarVisibleItems) {}
FW_REGISTER(TCkXPFadeThread) {}
FW_REGISTER(TCkXPCustomWinXPBar) {}

FW_REGISTER(TCkXPBar) {
  using B = TCkXPBar;
  c.Property(u"Collapsed", &B::Collapsed, &B::SetCollapsed).Default(false);
  c.Property(u"Colors", &B::Colors, &B::SetColors);
  c.Property(u"Items", &B::Items, &B::SetItems);
  c.Property(u"RollImages", &B::RollImages, &B::SetRollImages);
  c.Property(u"Font", &B::ItemFont, &B::SetItemFont);
  c.Property(u"Grouped", &B::Grouped, &B::SetGrouped).Default(false);
  c.Property(u"HeaderFont", &B::HeaderFont, &B::SetHeaderFont);
  c.Property(u"HeaderHeight", &B::HeaderHeight, &B::SetHeaderHeight).Default(28);
  c.Property(u"HeaderRounded", &B::HeaderRounded, &B::SetHeaderRounded).Default(true);
  c.Property(u"HotTrack", &B::HotTrack, &B::SetHotTrack).Default(true);
  c.Property(u"HotTrackColor", &B::HotTrackColor, &B::SetHotTrackColor).Type(TypeInfoTColor()).Default(0xFF7C35);
  c.Property(u"OwnerDraw", &B::OwnerDraw, &B::SetOwnerDraw).Default(false);
  c.Property(u"Icon", &B::Icon, &B::SetIcon);
  c.Property(u"ImageList", &B::ImageList, &B::SetImageList);
  c.Property(u"ItemHeight", &B::ItemHeight, &B::SetItemHeight).Default(20);
  c.Property(u"RollDelay", &B::RollDelay, &B::SetRollDelay).Default(25);
  c.Property(u"RollMode", &B::RollMode, &B::SetRollMode).Default(rmShrink);
  c.Property(u"RollStep", &B::RollStep, &B::SetRollStep).Default(3);
  c.Property(u"ShowLinkCursor", &B::ShowLinkCursor, &B::SetShowLinkCursor).Default(true);
  c.Property(u"ShowRollButton", &B::ShowRollButton, &B::SetShowRollButton).Default(true);
  c.Property(u"ShowItemFrame", &B::ShowItemFrame, &B::SetShowItemFrame).Default(false);
  c.Property(u"RoundedItemFrame", &B::RoundedItemFrame, &B::SetRoundedItemFrame).Default(1);
  c.Property(u"TopSpace", &B::TopSpace, &B::SetTopSpace).Default(5);
  c.Event(u"AfterCollapsedChange", static_cast<TCkXPBarOnCollapsedChangeEvent B::*>(&B::AfterCollapsedChange));
  c.Event(u"BeforeCollapsedChange", static_cast<TCkXPBarOnCollapsedChangeEvent B::*>(&B::BeforeCollapsedChange));
  c.Event(u"OnCollapsedChange", static_cast<TCkXPBarOnCollapsedChangeEvent B::*>(&B::OnCollapsedChange));
  c.Event(u"OnCanChange", static_cast<TCkXPBarOnCanChangeEvent B::*>(&B::OnCanChange));
  c.Event(u"OnDrawItem", static_cast<TCkXPBarOnDrawItemEvent B::*>(&B::OnDrawItem));
  c.Event(u"OnDrawBackground", static_cast<TCkXPBarOwnerDrawEvent B::*>(&B::OnDrawBackground));
  c.Event(u"OnDrawHeader", static_cast<TCkXPBarOwnerDrawEvent B::*>(&B::OnDrawHeader));
  c.Event(u"OnItemClick", static_cast<TCkXPBarOnItemClickEvent B::*>(&B::OnItemClick));
}

}  // namespace ck
