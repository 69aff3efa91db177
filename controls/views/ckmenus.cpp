#include "controls/views/ckmenus.h"

#include <algorithm>

#include "controls/views/ckmenupainters.h"
#include "fw/core/rtti.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/graphics/imagelist.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "services/ckutils.h"

namespace ck {

// ---- Margins and image size ------------------------------------------------

void TCkImageMargin::Set(int& field, int v) {
  if (field == v) return;
  field = v;
  OnChange(this);
}

void TCkImageMargin::Assign(fw::TPersistent* Source) {
  if (auto* m = dynamic_cast<TCkImageMargin*>(Source)) {
    SetLeft(m->Left()), SetRight(m->Right()), SetTop(m->Top()), SetBottom(m->Bottom());
    return;
  }
  fw::TPersistent::Assign(Source);
}

void TCkMenuImageSize::Set(int& field, int v) {
  if (field == v) return;
  field = v;
  OnChange(this);
}

void TCkMenuImageSize::Assign(fw::TPersistent* Source) {
  if (auto* s = dynamic_cast<TCkMenuImageSize*>(Source)) {
    SetHeight(s->Height()), SetWidth(s->Width());
    return;
  }
  fw::TPersistent::Assign(Source);
}

// ---- Unit routines ---------------------------------------------------------

std::unique_ptr<TCkCustomMenuItemPainter> CreateMenuItemPainter(TCkMenuStyle Style, TCkMenuSettings* Menu) {
  std::unique_ptr<TCkCustomMenuItemPainter> p;
  switch (Style) {
    case msOwnerDraw: p = std::make_unique<TCkOwnerDrawMenuItemPainter>(nullptr); break;
    case msBtnLowered: p = std::make_unique<TCkBtnMenuItemPainter>(nullptr, true); break;
    case msBtnRaised: p = std::make_unique<TCkBtnMenuItemPainter>(nullptr, false); break;
    case msOffice: p = std::make_unique<TCkOfficeMenuItemPainter>(nullptr); break;
    case msXP: p = std::make_unique<TCkXPMenuItemPainter>(nullptr); break;
    default: p = std::make_unique<TCkStandardMenuItemPainter>(nullptr); break;
  }
  p->SetMenu(Menu);
  return p;
}

fw::String StripMenuHotkey(const fw::String& Text) { return fw::StripHotkey(Text); }

void SetDefaultMenuFont(fw::TFont* Font) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    Font->SetHandle(CreateFontIndirectW(&metrics.lfMenuFont));
    return;
  }
  Font->SetName(u"MS Sans Serif");
  Font->SetSize(8);
  Font->SetColor(fw::clMenuText);
  Font->SetStyle({});
}

bool IsPopupItem(fw::TMenuItem* Item) {
  if (!Item || !Item->Parent()) return true;
  auto* main = dynamic_cast<fw::TMainMenu*>(Item->GetParentMenu());
  return !(main && Item->Parent() == main->Items());
}

// ---- Shared settings ---------------------------------------------------------

TCkMenuSettings::~TCkMenuSettings() = default;

void TCkMenuSettings::InitSettings() {
  FImageMargin = std::make_unique<TCkImageMargin>();
  FImageSize = std::make_unique<TCkMenuImageSize>();
  FImageMargin->OnChange = fw::TNotifyEvent(this, &TCkMenuSettings::MarginChanged);
  FImageSize->OnChange = fw::TNotifyEvent(this, &TCkMenuSettings::MarginChanged);
  MakeStylePainter();
}

void TCkMenuSettings::MakeStylePainter() { FStyleItemPainter = CreateMenuItemPainter(FStyle, this); }

TCkCustomMenuItemPainter* TCkMenuSettings::ActiveItemPainter() const {
  return FStyle == msItemPainter && FItemPainter ? FItemPainter : FStyleItemPainter.get();
}

void TCkMenuSettings::Rebuild(bool ForceIfLoading) {
  fw::TMenu* menu = AsMenu();
  if (menu->ComponentState().Contains(fw::csLoading) && !ForceIfLoading) return;
  auto* temporary = new fw::TMenuItem(menu);
  try {
    menu->Items()->Add(temporary);
    menu->Items()->Remove(temporary);
  } catch (...) {
    delete temporary;
    throw;
  }
  delete temporary;
}

void TCkMenuSettings::SwitchOwnerDraw(bool Value) {
  fw::TMenu* menu = AsMenu();
  menu->SetOwnerDraw(menu->ComponentState().Contains(fw::csDesigning) ? false : Value);
}

void TCkMenuSettings::PaintMenuItem(fw::TMenuItem* Item, const fw::TRect& Rect, TMenuOwnerDrawState State) {
  if (!FCanvas || !FCanvas->HandleAllocated()) return;
  TCkCustomMenuItemPainter* painter = ActiveItemPainter();
  painter->SetMenu(this);
  painter->Paint(Item, Rect, State);
}

void TCkMenuSettings::FireMeasureItem(fw::TMenuItem* Item, int& Width, int& Height) {
  OnMeasureItem(AsMenu(), Item, Width, Height);
}

void TCkMenuSettings::FireGetItemParams(fw::TMenuItem* Item, TMenuOwnerDrawState State, fw::TFont* AFont,
                                        fw::TColor& Color, fw::TGraphic*& Graphic, int& NumGlyphs) {
  OnGetItemParams(AsMenu(), Item, State, AFont, Color, Graphic, NumGlyphs);
  if (Item && Item->IsLine()) Graphic = nullptr;
}

void TCkMenuSettings::FireGetImageIndex(fw::TMenuItem* Item, TMenuOwnerDrawState State, int& ImageIndex) {
  if (AsMenu()->Images() && Item && !Item->IsLine()) OnGetImageIndex(AsMenu(), Item, State, ImageIndex);
}

void TCkMenuSettings::SetStyle(TCkMenuStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  if (Value != msItemPainter || (IsMainMenuKind() && !FItemPainter)) {
    SetItemPainter(nullptr);
    FStyle = Value;
    MakeStylePainter();
  }
  Refresh();
}

void TCkMenuSettings::SetItemPainter(TCkCustomMenuItemPainter* Value) {
  if (Value == FItemPainter) return;
  if (FItemPainter) FItemPainter->SetMenu(nullptr);
  services::SwapComponentReference(AsMenu(), Value, FItemPainter);
  if (Value) {
    FStyle = msItemPainter;
    Value->SetMenu(this);
  } else if (IsMainMenuKind()) {
    FStyle = msStandard;
    MakeStylePainter();
  }
  Refresh();
}

void TCkMenuSettings::SetImagesList(fw::TCustomImageList* Value) {
  const bool was = IsOwnerDrawMenu();
  AsMenu()->SetImages(Value);
  if (IsOwnerDrawMenu() != was) SwitchOwnerDraw(IsOwnerDrawMenu());
}

void TCkMenuSettings::SetDisabledImages(fw::TCustomImageList* Value) {
  services::SwapComponentReference(AsMenu(), Value, FDisabledImages);
}

void TCkMenuSettings::SetHotImages(fw::TCustomImageList* Value) {
  services::SwapComponentReference(AsMenu(), Value, FHotImages);
}

void TCkMenuSettings::ClearPainterReference(fw::TComponent* AComponent) {
  if (AComponent == FDisabledImages) FDisabledImages = nullptr;
  if (AComponent == FHotImages) FHotImages = nullptr;
  if (AComponent == FItemPainter) FItemPainter = nullptr;
}

bool TCkMenuSettings::MsgDrawItem(DRAWITEMSTRUCT& Draw) {
  if (Draw.CtlType != ODT_MENU) return false;
  auto* item = reinterpret_cast<fw::TMenuItem*>(Draw.itemData);
  if (!AsMenu()->ContainsItem(item)) return false;
  fw::TSavedDC saved(Draw.hDC);
  fw::TCanvas canvas;
  canvas.SetHandle(Draw.hDC);
  FCanvas = &canvas;
  try {
    TMenuOwnerDrawState state = TMenuOwnerDrawState::FromMask(Draw.itemState & 0xFF);
    // Not every system marks the default item of a popup menu in the state;
    // it is measured bold, so it is drawn bold.
    if (item->Default()) state.Include(mdDefault);
    SetDefaultMenuFont(canvas.Font());
    canvas.Font()->SetColor(fw::clMenuText);
    canvas.Brush()->SetColor(fw::clMenu);
    if (state.Contains(mdDefault)) canvas.Font()->SetStyle({fw::fsBold});
    if (state.Contains(mdSelected) && FStyle != msBtnLowered && FStyle != msBtnRaised) {
      canvas.Brush()->SetColor(fw::clHighlight);
      canvas.Font()->SetColor(fw::clHighlightText);
    }
    const fw::TRect r{Draw.rcItem.left, Draw.rcItem.top, Draw.rcItem.right, Draw.rcItem.bottom};
    IntersectClipRect(Draw.hDC, r.Left, r.Top, r.Right, r.Bottom);
    PaintMenuItem(item, r, state);
  } catch (...) {
    FCanvas = nullptr;
    canvas.SetHandle(nullptr);
    throw;
  }
  FCanvas = nullptr;
  canvas.SetHandle(nullptr);
  return true;
}

bool TCkMenuSettings::MsgMeasureItem(MEASUREITEMSTRUCT& Measure) {
  if (Measure.CtlType != ODT_MENU) return false;
  auto* item = reinterpret_cast<fw::TMenuItem*>(Measure.itemData);
  if (!AsMenu()->ContainsItem(item)) return false;
  fw::TWindowDC screen;
  fw::TSavedDC saved(screen.Get());
  fw::TCanvas canvas;
  canvas.SetHandle(screen.Get());
  FCanvas = &canvas;
  int w = static_cast<int>(Measure.itemWidth), h = static_cast<int>(Measure.itemHeight);
  try {
    SetDefaultMenuFont(canvas.Font());
    if (item->Default()) canvas.Font()->SetStyle({fw::fsBold});
    TCkCustomMenuItemPainter* painter = ActiveItemPainter();
    painter->SetMenu(this);
    painter->Measure(item, w, h);
  } catch (...) {
    FCanvas = nullptr;
    canvas.SetHandle(nullptr);
    throw;
  }
  FCanvas = nullptr;
  canvas.SetHandle(nullptr);
  Measure.itemWidth = static_cast<UINT>(std::max(0, w));
  Measure.itemHeight = static_cast<UINT>(std::max(0, h));
  return true;
}

namespace {

// The menu messages both owner-drawn menus answer alike: owner drawing goes
// to the painter, a highlighted item may change the cursor.
bool HandleOwnerDrawnMessage(TCkMenuSettings& menu, fw::TMessage& Message) {
  switch (Message.Msg) {
    case WM_DRAWITEM:
      if (!menu.IsOwnerDrawMenu() || !menu.MsgDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam)))
        return false;
      Message.Result = 1;
      return true;
    case WM_MEASUREITEM:
      if (!menu.IsOwnerDrawMenu() || !menu.MsgMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)))
        return false;
      Message.Result = 1;
      return true;
    case WM_MENUSELECT: {
      if (menu.Cursor() == fw::crDefault || !fw::Screen) return false;
      const UINT flags = HIWORD(Message.WParam);
      HMENU handle = reinterpret_cast<HMENU>(Message.LParam);
      fw::TMenuItem* item = nullptr;
      if (handle && flags != 0xFFFF)
        item = (flags & MF_POPUP) ? menu.AsMenu()->FindItem(
                                        reinterpret_cast<UINT_PTR>(GetSubMenu(handle, LOWORD(Message.WParam))),
                                        fw::fkHandle)
                                  : menu.AsMenu()->FindItem(LOWORD(Message.WParam), fw::fkCommand);
      const bool bar = item && !IsPopupItem(item) && item->Count() > 0;
      fw::Screen->SetCursor(item && (flags & MF_HILITE) && !bar ? menu.Cursor() : fw::crDefault);
      return false;
    }
    default: return false;
  }
}

}  // namespace

// ---- Popup menu ----------------------------------------------------------------

TCkPopupMenu::TCkPopupMenu(fw::TComponent* AOwner) : fw::TPopupMenu(AOwner) { InitSettings(); }

TCkPopupMenu::~TCkPopupMenu() = default;

bool TCkPopupMenu::IsOwnerDrawMenu() const {
  return FStyle != msStandard || (FImages && const_cast<fw::TCustomImageList*>(FImages)->Count() > 0);
}

void TCkPopupMenu::Loaded() {
  fw::TPopupMenu::Loaded();
  if (IsOwnerDrawMenu()) SwitchOwnerDraw(true);
}

void TCkPopupMenu::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TPopupMenu::Notification(AComponent, Operation);
  if (Operation == fw::opRemove) ClearPainterReference(AComponent);
}

void TCkPopupMenu::Popup(int X, int Y) {
  if (IsOwnerDrawMenu()) SwitchOwnerDraw(true);
  fw::TPopupMenu::Popup(X, Y);
}

void TCkPopupMenu::Assign(fw::TPersistent* Source) {
  auto copy = [this](auto* s) {
    SetAutoHotkeys(s->AutoHotkeys());
    SetAutoLineReduction(s->AutoLineReduction());
    SetCursor(s->Cursor());
    SetDisabledImages(s->DisabledImages());
    SetHotImages(s->HotImages());
    FImageMargin->Assign(s->ImageMargin());
    SetImagesList(s->AsMenu()->Images());
    FImageSize->Assign(s->ImageSize());
    SetShowCheckMarks(s->ShowCheckMarks());
    SetStyle(s->Style());
    SetTag(s->Tag());
    SetTextMargin(s->TextMargin());
    SetTextVAlignment(s->TextVAlignment());
  };
  if (auto* p = dynamic_cast<TCkPopupMenu*>(Source)) copy(p);
  else if (auto* m = dynamic_cast<TCkMainMenu*>(Source)) copy(m);
  else fw::TPopupMenu::Assign(Source);
}

bool TCkPopupMenu::HandleMenuMessage(fw::TMessage& Message) {
  return HandleOwnerDrawnMessage(*this, Message) || fw::TPopupMenu::HandleMenuMessage(Message);
}

// ---- Main menu -------------------------------------------------------------------

TCkMainMenu::TCkMainMenu(fw::TComponent* AOwner) : fw::TMainMenu(AOwner) {
  InitSettings();
  SwitchOwnerDraw(true);
}

TCkMainMenu::~TCkMainMenu() = default;

void TCkMainMenu::Loaded() {
  fw::TMainMenu::Loaded();
  SwitchOwnerDraw(true);
}

void TCkMainMenu::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TMainMenu::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  const bool painter = AComponent == FItemPainter;
  ClearPainterReference(AComponent);
  if (painter) {
    FStyle = msStandard;
    MakeStylePainter();
  }
}

void TCkMainMenu::MenuChanged(fw::TObject* Sender, fw::TMenuItem* Source, bool Rebuild) {
  if (ComponentState().Contains(fw::csLoading)) return;
  fw::TMainMenu::MenuChanged(Sender, Source, Rebuild);
}

bool TCkMainMenu::HandleMenuMessage(fw::TMessage& Message) {
  return HandleOwnerDrawnMessage(*this, Message) || fw::TMainMenu::HandleMenuMessage(Message);
}

// ---- Registration ------------------------------------------------------------------

FW_REGISTER(TCkImageMargin) {
  c.Property(u"Left", &TCkImageMargin::Left, &TCkImageMargin::SetLeft).Default(0);
  c.Property(u"Top", &TCkImageMargin::Top, &TCkImageMargin::SetTop).Default(0);
  c.Property(u"Right", &TCkImageMargin::Right, &TCkImageMargin::SetRight).Default(0);
  c.Property(u"Bottom", &TCkImageMargin::Bottom, &TCkImageMargin::SetBottom).Default(0);
}

FW_REGISTER(TCkMenuImageSize) {
  c.Property(u"Height", &TCkMenuImageSize::Height, &TCkMenuImageSize::SetHeight).Default(0);
  c.Property(u"Width", &TCkMenuImageSize::Width, &TCkMenuImageSize::SetWidth).Default(0);
}

namespace {

template <class M, class B>
void DescribeOwnerDrawnMenu(B& c) {
  c.Property(u"Style", &M::Style, &M::SetStyle).Default(msStandard);
  c.Property(u"Cursor", &M::Cursor, &M::SetCursor).Default(fw::crDefault);
  c.Property(u"Images", &fw::TMenu::Images, &M::SetImagesList);
  c.Property(u"DisabledImages", &M::DisabledImages, &M::SetDisabledImages);
  c.Property(u"HotImages", &M::HotImages, &M::SetHotImages);
  c.Property(u"ImageMargin", &M::ImageMargin, &M::SetImageMargin);
  c.Property(u"ImageSize", &M::ImageSize, &M::SetImageSize);
  c.Property(u"ItemPainter", &M::ItemPainter, &M::SetItemPainter);
  c.Property(u"ShowCheckMarks", &M::ShowCheckMarks, &M::SetShowCheckMarks).Default(false);
  c.Property(u"TextMargin", &M::TextMargin, &M::SetTextMargin).Default(0);
  c.Property(u"TextVAlignment", &M::TextVAlignment, &M::SetTextVAlignment).Default(vaMiddle);
  c.Event(u"OnDrawItem", static_cast<TDrawMenuItemEvent M::*>(&M::OnDrawItem));
  c.Event(u"OnMeasureItem", static_cast<TMeasureMenuItemEvent M::*>(&M::OnMeasureItem));
  c.Event(u"OnGetItemParams", static_cast<TItemParamsEvent M::*>(&M::OnGetItemParams));
  c.Event(u"OnGetImageIndex", static_cast<TItemImageEvent M::*>(&M::OnGetImageIndex));
  c.Event(u"OnGetDisabledImageIndex", static_cast<TItemImageEvent M::*>(&M::OnGetDisabledImageIndex));
  c.Event(u"OnGetHotImageIndex", static_cast<TItemImageEvent M::*>(&M::OnGetHotImageIndex));
}

}  // namespace

FW_REGISTER(TCkPopupMenu) { DescribeOwnerDrawnMenu<TCkPopupMenu>(c); }
FW_REGISTER(TCkMainMenu) { DescribeOwnerDrawnMenu<TCkMainMenu>(c); }

}  // namespace ck
