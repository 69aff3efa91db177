#include "skin/forms/title_bar.h"

#include <algorithm>

#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/glow_effect.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_resources.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"

namespace skin {

namespace {

fw::TRect ScreenRectOf(HWND wnd) {
  RECT r{};
  if (wnd) GetWindowRect(wnd, &r);
  return fw::Rect(r.left, r.top, r.right, r.bottom);
}

std::unique_ptr<fw::TBitmap> LoadMenuButton() {
  try {
    TPixelBuffer image = MenuButtonImage();
    auto b = NewBitmap32(image.Width(), image.Height());
    const TPixelView32 v = View32(*b);
    for (int y = 0; y < v.Height; ++y) std::copy_n(reinterpret_cast<const uint32_t*>(image.ScanLine(y)), v.Width, v.Row(y));
    PrepareMenuBtnImage(v);
    return b;
  } catch (const std::exception&) {
    return nullptr;  // a program without the image draws menu buttons without it
  }
}

}  // namespace

TkcTitleBarItem::TkcTitleBarItem(TkTitleBar* B) : Bar(B) {}

TkcTitleBarItem::~TkcTitleBarItem() { Timer.reset(); }

int TkcTitleBarItem::Index() const {
  for (size_t i = 0; Bar && i < Bar->Items.size(); ++i)
    if (Bar->Items[i].get() == this) return static_cast<int>(i);
  return -1;
}

void TkcTitleBarItem::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  FState = Value ? 2 : 0;
  Invalidate(false);
}

void TkcTitleBarItem::SetState(int Value) {
  if (FState == Value) return;
  FState = FDroppedDown ? 2 : Value;
}

void TkcTitleBarItem::InitFont() {
  HFONT caption = CreateCaptionFont();
  if (caption) {
    FontData.UsedFont.SetHandle(caption);
  }
  if (!FontData.UseSysStyle) FontData.UsedFont.SetStyle(FontData.Font.Style());
  if (!FontData.UseSysFontName) FontData.UsedFont.SetName(FontData.Font.Name());
  FontData.UsedFont.SetHeight(FontData.UseSysSize ? CaptionFontHeight() : FontData.Font.Height());
}

void TkcTitleBarItem::UpdateSize(bool ContentOnly) {
  if (!Visible) return;
  TkTitleItemContent c;
  c.Style = Style;
  c.Spacing = Spacing;
  if (Bar && Bar->Images && ImageIndex >= 0 && ImageIndex < Bar->Images->Count()) {
    c.ImageWidth = Bar->Images->Width();
    c.ImageHeight = Bar->Images->Height();
  } else if (!Glyph.Empty()) {
    c.ImageWidth = Glyph.Width() / std::max(NumGlyphs, 1);
    c.ImageHeight = Glyph.Height();
  }
  if (!Caption.empty()) {
    InitFont();
    const fw::TPoint t = MeasureTextWithFont(FontData.UsedFont.Handle(), Caption, DT_SINGLELINE, false, 0);
    c.HasCaption = true;
    c.TextWidth = t.x;
    c.TextHeight = t.y;
  }
  if ((Style == bsButton || Style == bsMenu) && DropdownMenu && DropdownMenu->Items() &&
      DropdownMenu->Items()->Count() > 0) {
    c.HasDropdown = true;
    HFONT marlett = CreateFontW(-CaptionFontHeight(), 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0,
                                L"Marlett");
    c.ArrowWidth = MeasureTextWithFont(marlett, u"u", DT_SINGLELINE, false, 0).x;
    DeleteObject(marlett);
  }
  ContentSize = TitleItemContentSize(c);
  if (ContentOnly || Style == bsSpacing) return;
  const fw::TPoint size = TitleItemAutoSize(c, Bar ? Bar->ItemsMargin : 3);
  Width = size.x;
  Height = size.y;
}

void TkcTitleBarItem::Invalidate(bool RecalcSize) {
  if (!Bar || !Bar->Form) return;
  if (RecalcSize && AutoSize) UpdateSize(false);
  if (Timer) {
    Timer->AForm.reset();
    Timer->NewBmp.reset();
  }
  Bar->Invalidate();
}

void TkcTitleBarItem::DoMouseDown() {
  if (FPressed || !Enabled) return;
  FPressed = true;
  if (OnMouseDown) OnMouseDown(*this);
  switch (Style) {
    case bsTab:
      if (FDown) return;
      DoClick();
      for (auto& other : Bar->Items)
        if (other.get() != this && other->Visible && other->GroupIndex == GroupIndex && other->Down())
          other->SetDown(false);
      SetDown(true);
      return;
    case bsButton:
    case bsMenu: {
      if (!DropdownMenu || !DropdownMenu->Items() || DropdownMenu->Items()->Count() == 0) return;
      const fw::TRect base = ScreenRectOf(ExtForm ? ExtForm : (Bar->Form ? Bar->Form->Handle() : nullptr));
      FDroppedDown = true;
      // The menu's commands may free the form and its items: only an item
      // that is still there is touched afterwards.
      TkTitleBar* bar = Bar;
      const int index = Index();
      if (bar->DropMenu)
        bar->DropMenu(*this, fw::TPoint{base.Left + Rect.Left, base.Top + Rect.Bottom});
      else
        DropdownMenu->Popup(base.Left + Rect.Left, base.Top + Rect.Bottom);
      if (index < 0 || index >= static_cast<int>(bar->Items.size()) || bar->Items[size_t(index)].get() != this) return;
      FDroppedDown = false;
      FState = 0;
      Timer.reset();
      Invalidate(false);
      DoClick();
      return;
    }
    default:
      return;
  }
}

void TkcTitleBarItem::DoMouseUp() {
  if (!Enabled) return;
  if (OnMouseUp) OnMouseUp(*this);
  if (FPressed && Style != bsTab) DoClick();
  FPressed = false;
  FState = 1;
}

void TkcTitleBarItem::DoClick() {
  FPressed = false;
  if (OnClick.Assigned()) OnClick(nullptr);
}

TkTitleBar::TkTitleBar(fw::TComponent* AOwner) : fw::TComponent(AOwner) {
  Form = dynamic_cast<fw::TCustomForm*>(AOwner);
  if (!Form) throw fw::EAbort(u"TkTitleBar component may be used with forms only!");
  FDefaultMenuBtn = LoadMenuButton();
}

TkTitleBar::~TkTitleBar() { Items.clear(); }

TkcTitleBarItem& TkTitleBar::Add() {
  Items.push_back(std::make_unique<TkcTitleBarItem>(this));
  return *Items.back();
}

void TkTitleBar::CalcSizes() {
  std::vector<TkTitleItemBox> boxes;
  for (auto& i : Items) boxes.push_back({i->Visible, i->Style, i->Align, i->Width, i->Height});
  FLeftWidth = FRightWidth = FCenterWidth = FCenterWidthS = 0;
  for (const TkTitleItemBox& b : boxes) {
    if (!b.Visible) continue;
    (b.Align == tbaLeft ? FLeftWidth : b.Align == tbaRight ? FRightWidth : b.Align == tbaCenter ? FCenterWidth
                                                                                                : FCenterWidthS) +=
        b.Width;
  }
  PlaceTitleItems(boxes, FBarRect, FBarVCenter, FFullRight);
  for (size_t k = 0; k < Items.size(); ++k)
    if (boxes[k].Visible) Items[k]->Rect = boxes[k].Rect;
}

void TkTitleBar::Invalidate() {
  if (!Form || !Form->HandleAllocated()) return;
  SendMessageW(Form->WindowHandle(), WM_SKINCOMMAND, SkinCommand(SKC_UPDATETITLE), 1);
}

TkcItemAnimation::TkcItemAnimation(TkcTitleBarItem* I, HWND F) : fw::TTimer(nullptr), Item(I), FormHandle(F) {
  SetEnabled(false);
  SetInterval(TkcFadeLevels::kInterval);
}

TkcItemAnimation::~TkcItemAnimation() { SetEnabled(false); }

fw::TRect TkcItemAnimation::GetFormBounds() const {
  const fw::TRect base = ScreenRectOf(Item->ExtForm ? Item->ExtForm : FormHandle);
  return fw::Bounds(base.Left + Item->Rect.Left, base.Top + Item->Rect.Top, Item->Rect.Width(), Item->Rect.Height());
}

void TkcItemAnimation::MakeImg() {
  const int w = std::max(Item->Rect.Width(), 1), h = std::max(Item->Rect.Height(), 1);
  NewBmp = NewBitmap32(w, h);
  if (Item->OnDrawItem)
    Item->OnDrawItem(*Item, fw::Rect(0, 0, w, h), *NewBmp, true);
  else
    FillRectAlpha(View32(*NewBmp), fw::Rect(0, 0, w, h), 0x00FFFF, 255);
}

void TkcItemAnimation::UpdateForm(int Blend) {
  if (!NewBmp) MakeImg();
  if (!AForm) {
    const bool topMost = GetWindowLongPtrW(Item->ExtForm ? Item->ExtForm : FormHandle, GWL_EXSTYLE) & WS_EX_TOPMOST;
    AForm = std::make_unique<TkcAnimWindow>(nullptr, topMost, GlowWindowClass());
  }
  if (!AForm->Handle()) return;
  fw::TRect r = GetFormBounds();
  const int dx = (NewBmp->Width() - r.Width()) / 2, dy = (NewBmp->Height() - r.Height()) / 2;
  r = fw::Rect(r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy);
  const HWND prev = GetWindow(FormHandle, GW_HWNDPREV);
  SetWindowPos(AForm->Handle(),
               (GetWindowLongPtrW(FormHandle, GWL_EXSTYLE) & WS_EX_TOPMOST) ? HWND_TOPMOST : (prev ? prev : HWND_TOP),
               0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  SetWindowLongPtrW(AForm->Handle(), GWL_EXSTYLE,
                    GetWindowLongPtrW(AForm->Handle(), GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_LAYERED |
                        WS_EX_TRANSPARENT);
  AForm->ShowImage(*NewBmp, std::clamp(Blend, 0, 255), fw::TPoint{r.Left, r.Top});
}

void TkcItemAnimation::DropImage() {
  AForm.reset();
  OldForm.reset();
  NewBmp.reset();
}

bool TkcItemAnimation::MouseOutside() {
  POINT p{};
  GetCursorPos(&p);
  const fw::TRect base = ScreenRectOf(Item->ExtForm ? Item->ExtForm : FormHandle);
  const fw::TRect& r = Item->Rect;
  const int x = p.x - base.Left, y = p.y - base.Top;
  return !(x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom);
}

void TkcItemAnimation::MouseLeft() {
  SetEnabled(false);
  SendMessageW(FormHandle, WM_MOUSELEAVE, 0, 0);
}

void TkcItemAnimation::SyncTimer() { SetEnabled(Fade.Running); }

void TkcItemAnimation::StartAnimation(int NewState, bool Show) {
  Fade.StartAnimation(NewState, Show, *this);
  SyncTimer();
}

void TkcItemAnimation::Tick() {
  Fade.Tick(*this);
  SyncTimer();
}

void StartItemAnimation(TkcTitleBarItem& Item, int Iterations, bool Show, HWND ExtForm) {
  Item.ExtForm = ExtForm;
  const int state = Item.ItemState();
  if (!Item.Timer) {
    if (!Item.Bar || !Item.Bar->Form || !Item.Bar->Form->HandleAllocated()) return;
    Item.Timer = std::make_unique<TkcItemAnimation>(&Item, Item.Bar->Form->WindowHandle());
    Item.Timer->Fade.SetIterations(Iterations);
    Item.Timer->StartAnimation(state, true);
    return;
  }
  TkcItemAnimation& a = *Item.Timer;
  if ((state == 1 && a.Fade.CurrentState == 2) || state == 2) {
    // The shown window stays until the new one has faded in.
    a.OldForm = std::move(a.AForm);
    a.NewBmp.reset();
  }
  if (Show) a.Fade.CurrentState = state;
  a.Fade.SetIterations(Iterations);
  a.Fade.Up = Show;
  a.Fade.Running = true;
  a.StartAnimation(state, true);
  if (state == 2) a.Fade.CurrentLevel = a.Fade.MaxIterations;
  a.SetEnabled(a.Fade.Running);
}

FW_REGISTER(TkTitleBar) {}
FW_REGISTER(TkcItemAnimation) {}

}  // namespace skin
