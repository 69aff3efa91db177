#include "controls/views/ckmenupainters.h"

#include <algorithm>
#include <map>

#include "fw/core/rtti.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/graphics/imagelist.h"
#include "fw/system/actions.h"
#include "fw/system/wndregistry.h"
#include "services/ckutils.h"

namespace ck {

namespace {

RECT Win(const fw::TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

void FillCanvasRect(fw::TCanvas* c, const fw::TRect& r, fw::TColor color) {
  c->Brush()->SetColor(color);
  c->Brush()->SetStyle(fw::bsSolid);
  c->FillRect(r);
}

void Line(fw::TCanvas* c, fw::TColor color, int x1, int y1, int x2, int y2) {
  c->Pen()->SetColor(color);
  c->MoveTo(x1, y1);
  c->LineTo(x2, y2);
}

}  // namespace

TCkCustomMenuItemPainter::TCkCustomMenuItemPainter(fw::TComponent* AOwner)
    : fw::TComponent(AOwner),
      FImageMargin(std::make_unique<TCkImageMargin>()),
      FImageSize(std::make_unique<TCkMenuImageSize>()),
      FGlyph(std::make_unique<fw::TBitmap>()) {}

TCkCustomMenuItemPainter::~TCkCustomMenuItemPainter() = default;

void TCkCustomMenuItemPainter::SetLeftMargin(unsigned Value) {
  if (FLeftMargin == Value) return;
  FLeftMargin = Value;
  if (FMenu && !ComponentState().Contains(fw::csLoading)) FMenu->Rebuild(false);
}

bool TCkCustomMenuItemPainter::RightToLeft() const { return false; }

fw::TCustomImageList* TCkCustomMenuItemPainter::ImagesInUse() const {
  for (fw::TMenuItem* p = FItem ? FItem->Parent() : nullptr; p; p = p->Parent())
    if (p->SubMenuImages()) return p->SubMenuImages();
  return FMenu ? FMenu->AsMenu()->Images() : nullptr;
}

bool TCkCustomMenuItemPainter::Usable(fw::TCustomImageList* list) const {
  return list && FImageIndex >= 0 && FImageIndex < list->Count() && list->Handle();
}

int TCkCustomMenuItemPainter::TextWidth(const fw::String& text, UINT flags) {
  fw::TRect r{0, 0, 0, 0};
  if (Canvas()) services::DrawTextUnmodified(Canvas(), text, -1, r, flags);
  return r.Right - r.Left;
}

int TCkCustomMenuItemPainter::TextHeight(const fw::String& text) {
  fw::TRect r{0, 0, 0, 0};
  if (Canvas()) services::DrawTextUnmodified(Canvas(), text.empty() ? fw::String(u" ") : text, -1, r,
                                             DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
  return r.Bottom - r.Top;
}

int TCkCustomMenuItemPainter::CheckMarkHeight() {
  return FMenu && FMenu->ShowCheckMarks() ? GetSystemMetrics(SM_CYMENUCHECK) : 0;
}
int TCkCustomMenuItemPainter::CheckMarkWidth() {
  return FMenu && FMenu->ShowCheckMarks() ? GetSystemMetrics(SM_CXMENUCHECK) : 0;
}

bool TCkCustomMenuItemPainter::UseDisabledHighlight() {
  if (!Selected()) return true;
  HDC dc = Canvas() ? Canvas()->Handle() : nullptr;
  return dc && GetNearestColor(dc, fw::ColorToRGB(fw::clGrayText)) == GetNearestColor(dc, fw::ColorToRGB(fw::clHighlight));
}

fw::TColor TCkCustomMenuItemPainter::GrayColor() { return Selected() ? fw::clGrayText : fw::clBtnShadow; }

int TCkCustomMenuItemPainter::ImageHeight() {
  if (fw::TCustomImageList* list = ImagesInUse()) return list->Height();
  if (FImageSize->Height() != 0) return FImageSize->Height();
  if (!FGlyph->Empty()) return 16;
  return FOneItemChecked ? GetSystemMetrics(SM_CYMENUCHECK) : 0;
}

int TCkCustomMenuItemPainter::ImageWidth() {
  if (fw::TCustomImageList* list = ImagesInUse()) return list->Width();
  if (FImageSize->Width() != 0) return FImageSize->Width();
  if (!FGlyph->Empty()) return 16;
  return FOneItemChecked ? GetSystemMetrics(SM_CXMENUCHECK) : 0;
}

int TCkCustomMenuItemPainter::TextMargin() { return FMenu ? FMenu->TextMargin() : 0; }

void TCkCustomMenuItemPainter::UpdateFieldsFromMenu() {
  if (!FMenu) return;
  FImageMargin->Assign(FMenu->ImageMargin());
  FImageSize->Assign(FMenu->ImageSize());
}

void TCkCustomMenuItemPainter::DrawCheckedImageFrame(const fw::TRect& Rect) {
  fw::TCanvas* c = Canvas();
  const fw::TColor saved = c->Brush()->Color();
  const fw::TRect inner{Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
  if (Selected()) {
    FillCanvasRect(c, inner, fw::clMenu);
  } else {
    // The two-colour dither of the menu and highlight colours.
    for (int y = inner.Top; y < inner.Bottom; ++y)
      for (int x = inner.Left; x < inner.Right; ++x)
        c->SetPixel(x, y, (x + y) % 2 ? fw::clMenu : fw::clBtnHighlight);
  }
  Line(c, GrayColor(), Rect.Left, Rect.Bottom - 1, Rect.Left, Rect.Top);
  Line(c, GrayColor(), Rect.Left, Rect.Top, Rect.Right - 1, Rect.Top);
  Line(c, fw::clBtnHighlight, Rect.Right - 1, Rect.Top, Rect.Right - 1, Rect.Bottom - 1);
  Line(c, fw::clBtnHighlight, Rect.Right - 1, Rect.Bottom - 1, Rect.Left - 1, Rect.Bottom - 1);
  c->Brush()->SetColor(saved);
}

void TCkCustomMenuItemPainter::PreparePaint(fw::TMenuItem* Item, const fw::TRect& Rect, bool IsMeasuring,
                                            TMenuOwnerDrawState State) {
  UpdateFieldsFromMenu();
  FItem = Item;
  FState = State;
  FImageIndex = Item->ImageIndex();
  FGlyph = std::make_unique<fw::TBitmap>();
  if (Item->HasBitmap()) FGlyph->Assign(Item->Bitmap());
  fw::TCanvas* c = Canvas();
  fw::TColor color = c ? c->Brush()->Color() : fw::clMenu;
  FNumGlyphs = 1;
  fw::TGraphic* graphic = nullptr;
  if (FMenu) FMenu->FireGetItemParams(Item, State, c ? c->Font() : nullptr, color, graphic, FNumGlyphs);
  if (graphic) FGlyph->Assign(graphic);
  const int w = ImageWidth() * std::max(1, FNumGlyphs), h = ImageHeight();
  if (!FGlyph->Empty() && (FGlyph->Width() != w || FGlyph->Height() != h) && w > 0 && h > 0) {
    auto scaled = std::make_unique<fw::TBitmap>();
    scaled->SetSize(w, h);
    scaled->Canvas()->StretchDraw(fw::TRect{0, 0, w, h}, FGlyph.get());
    FGlyph = std::move(scaled);
  }
  if (!IsMeasuring && c && color != fw::clNone) FillCanvasRect(c, Rect, color);
  if (FMenu) FMenu->FireGetImageIndex(Item, State, FImageIndex);
}

void TCkCustomMenuItemPainter::DrawDisabledBitmap(int X, int Y, fw::TBitmap* Bitmap) {
  fw::TCanvas* c = Canvas();
  const fw::TColor fill = Selected() ? fw::clGrayText : fw::clBtnShadow;
  HDC dc = c->Handle();
  const bool highlight =
      !Selected() || GetNearestColor(dc, fw::ColorToRGB(fw::clGrayText)) == GetNearestColor(dc, fw::ColorToRGB(fw::clHighlight));
  if (Bitmap->Monochrome()) {
    const fw::TColor saved = c->Brush()->Color();
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    auto blit = [&](int x, int y, fw::TColor color) {
      fw::TBrushHandle brush(CreateSolidBrush(fw::ColorToRGB(color)));
      fw::TSelectObject selected(dc, brush.Get());
      BitBlt(dc, x, y, Bitmap->Width(), Bitmap->Height(), Bitmap->Canvas()->Handle(), 0, 0, 0xE20746);
    };
    if (highlight) blit(X + 1, Y + 1, fw::clBtnHighlight);
    blit(X, Y, fill);
    c->Brush()->SetColor(saved);
    return;
  }
  std::unique_ptr<fw::TBitmap> disabled = services::BuildDisabledBitmapColored(
      Bitmap, fw::clBlack, fw::clMenu, fw::clBtnHighlight, fill, highlight);
  if (disabled) services::DrawBitmapKeyed(c, X, Y, disabled.get(), fw::clMenu);
}

void TCkCustomMenuItemPainter::DrawMenuBitmap(int X, int Y, fw::TBitmap* Bitmap) {
  if (FState.Contains(mdDisabled) && FNumGlyphs < 2) {
    DrawDisabledBitmap(X, Y, Bitmap);
    return;
  }
  fw::TCanvas* c = Canvas();
  if (Bitmap->Monochrome() && (!FItem->Checked() || (FMenu && FMenu->ShowCheckMarks()))) {
    BitBlt(c->Handle(), X, Y, Bitmap->Width(), Bitmap->Height(), Bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
    return;
  }
  services::DrawBitmapKeyed(c, X, Y, Bitmap, Bitmap->TransparentColor() & ~0x02000000);
}

void TCkCustomMenuItemPainter::DrawDisabledImage(int X, int Y) {
  if (FMenu && Usable(FMenu->DisabledImages())) {
    FMenu->DisabledImages()->Draw(Canvas(), X, Y, FImageIndex, true);
    return;
  }
  if (fw::TCustomImageList* list = ImagesInUse()) list->Draw(Canvas(), X, Y, FImageIndex, false);
}

void TCkCustomMenuItemPainter::DrawEnabledImage(int X, int Y) {
  if (Selected() && FMenu && Usable(FMenu->HotImages())) {
    FMenu->HotImages()->Draw(Canvas(), X, Y, FImageIndex, true);
    return;
  }
  if (fw::TCustomImageList* list = ImagesInUse()) list->Draw(Canvas(), X, Y, FImageIndex, true);
}

namespace {

// The top of something h high placed in Rect by the vertical alignment.
int AlignedTop(const fw::TRect& r, int h, TCkVerticalAlignment a) {
  switch (a) {
    case vaMiddle: return r.Top + (r.Bottom - r.Top - h + 1) / 2;
    case vaBottom: return r.Bottom - h;
    default: return r.Top;
  }
}

}  // namespace

void TCkCustomMenuItemPainter::DrawCheckMark(const fw::TRect& Rect) {
  const int w = GetSystemMetrics(SM_CXMENUCHECK), h = GetSystemMetrics(SM_CYMENUCHECK);
  fw::TBitmap glyph;
  glyph.SetMonochrome(true);
  glyph.SetSize(w, h);
  RECT r{0, 0, w, h};
  const bool radio = FItem && FItem->RadioItem();
  DrawFrameControl(glyph.Canvas()->Handle(), &r, DFC_MENU, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
  const int y = AlignedTop(Rect, h, FMenu ? FMenu->TextVAlignment() : vaMiddle) + (radio ? 1 : 0);
  const int x = Rect.Left + (Rect.Right - Rect.Left - w + 1) / 2;
  DrawMenuBitmap(x, y, &glyph);
}

void TCkCustomMenuItemPainter::DrawSeparator(const fw::TRect& Rect) {
  fw::TCanvas* c = Canvas();
  const int y = (Rect.Top + Rect.Bottom) / 2;
  Line(c, fw::clBtnShadow, Rect.Left - 1, y - 1, Rect.Right, y - 1);
  Line(c, fw::clBtnHighlight, Rect.Left, y, Rect.Right, y);
}

void TCkCustomMenuItemPainter::DrawItemText(const fw::TRect& Rect, const fw::String& Text, UINT Flags) {
  if (Text.empty()) return;
  fw::TCanvas* c = Canvas();
  if (RightToLeft()) Flags |= DT_RIGHT | DT_RTLREADING;
  fw::TRect r = Rect;
  const int h = TextHeight(StripMenuHotkey(Text));
  r.Top = AlignedTop(Rect, h, FMenu ? FMenu->TextVAlignment() : vaMiddle);
  if (IsMenuBarItem()) r.Left += (r.Right - r.Left - TextWidth(StripMenuHotkey(Text))) / 2;
  HDC dc = c->Handle();
  SetBkMode(dc, TRANSPARENT);
  if (FState.Contains(mdDisabled)) {
    if (UseDisabledHighlight()) {
      c->Font()->SetColor(fw::clBtnHighlight);
      fw::TRect shifted{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
      services::DrawTextUnmodified(c, Text, -1, shifted, Flags);
    }
    c->Font()->SetColor(GrayColor());
  }
  services::DrawTextUnmodified(c, Text, -1, r, Flags);
}

void TCkCustomMenuItemPainter::DrawLeftMargin(const fw::TRect& Rect) {
  if (OnDrawLeftMargin.Assigned()) {
    OnDrawLeftMargin(FParentMenu, Rect);
    return;
  }
  fw::TCanvas* c = Canvas();
  fw::TRect strip = Rect;
  strip.Right -= 3;
  services::GradientFillBands(c, strip, 0xFF0000, 0x3F0000, services::gdTopToBottom, 32);
  const fw::TColor lines[] = {fw::clBtnFace, fw::clBtnShadow, fw::clBtnHighlight};
  for (int i = 0; i < 3; ++i) Line(c, lines[i], strip.Right + i, Rect.Top, strip.Right + i, Rect.Bottom);
}

void TCkCustomMenuItemPainter::Measure(fw::TMenuItem* Item, int& Width, int& Height) {
  PreparePaint(Item, fw::TRect{}, true, {});
  if (!IsPopupItem(Item)) {
    Width = TextMargin() + TextWidth(StripMenuHotkey(Item->Caption()));
    Height = std::max(GetSystemMetrics(SM_CYMENU), TextHeight(Item->Caption()));
    return;
  }
  const bool saved = FOneItemChecked;
  FOneItemChecked = Item->Checked();
  // The caption column: the widest caption among the siblings, plus room for
  // their shortcuts or sub-menu arrows.
  int column = 0, shortcut = 0;
  bool anyShortcut = false, anySub = false;
  fw::TMenuItem* parent = Item->Parent();
  const int count = parent ? parent->Count() : 1;
  for (int i = 0; i < count; ++i) {
    fw::TMenuItem* s = parent ? parent->Items(i) : Item;
    column = std::max(column, TextWidth(s->Caption()));
    if (s->ShortCut()) anyShortcut = true, shortcut = std::max(shortcut, TextWidth(fw::ShortCutToText(s->ShortCut())));
    if (s->Count() > 0) anySub = true;
  }
  if (anyShortcut) column += shortcut + TextWidth(u"        ");
  else if (anySub) column += TextWidth(u"  ");
  Width = CheckMarkWidth() + FImageMargin->Left() + ImageWidth() + FImageMargin->Right() + TextMargin() + column +
          static_cast<int>(FLeftMargin);
  if (!Item->IsLine())
    Height = std::max({GetSystemMetrics(SM_CYMENU), TextHeight(Item->Caption()), CheckMarkHeight(),
                       ImageHeight() + FImageMargin->Top() + FImageMargin->Bottom()});
  else
    Height = std::max(TextHeight(u"-") / 2, 9);
  FOneItemChecked = saved;
}

void TCkCustomMenuItemPainter::Paint(fw::TMenuItem* Item, const fw::TRect& ItemRect, TMenuOwnerDrawState State) {
  if (!Item) {
    MessageBoxW(nullptr,
                L"!!! asked to draw nil item !!!\r\nPlease report the exact circumstances of this message to the "
                L"makers of the menu components. Thank you.",
                L"error in menu painter", MB_OK | MB_ICONERROR);
    return;
  }
  Item->OnDrawItem = nullptr;
  fw::TRect checkCol, imageCol, textCol, selRect, imageRect, textRect, marginRect;
  const int L = ItemRect.Left, T = ItemRect.Top, R = ItemRect.Right, B = ItemRect.Bottom;
  const bool popup = IsPopupItem(Item);
  if (popup) {
    fw::TMenuItem* parent = Item->Parent();
    if (parent && parent->IndexOf(Item) == 0) {
      FMenuHeight = 0;
      FOneItemChecked = false;
      for (int i = 0; i < parent->Count(); ++i) {
        int w = 0, h = 0;
        Measure(parent->Items(i), w, h);
        FMenuHeight += h;
        FOneItemChecked = FOneItemChecked || parent->Items(i)->Checked();
      }
    }
    PreparePaint(Item, ItemRect, false, State);
    const int CW = CheckMarkWidth(), IW = ImageWidth(), LM = static_cast<int>(FLeftMargin);
    const TCkImageMargin& M = *FImageMargin;
    if (!RightToLeft()) {
      checkCol = {L, T, L + CW - 1, B};
      imageCol = {checkCol.Right + 1, T, checkCol.Right + IW + M.Left() + M.Right(), B};
      textCol = {imageCol.Right + 1, T, R, B};
      selRect = {L + LM, T, R, B};
      for (fw::TRect* r : {&checkCol, &imageCol, &textCol}) r->Left += LM, r->Right += LM;
      marginRect = {L, 0, L + LM, FMenuHeight};
    } else {
      checkCol = {R - CW + 1, T, R, B};
      imageCol = {checkCol.Left - M.Left() - IW - M.Right() - 1, T, checkCol.Left - 1, B};
      textCol = {L, T, imageCol.Left - 1, B};
      selRect = {L, T, R - LM, B};
      for (fw::TRect* r : {&checkCol, &imageCol, &textCol}) r->Left -= LM, r->Right -= LM;
      marginRect = {R - LM, 0, R, FMenuHeight};
    }
    imageRect = {imageCol.Left + M.Left(), imageCol.Top + M.Top(), imageCol.Right - M.Right(),
                 imageCol.Bottom - M.Bottom()};
    textRect = textCol;
    textRect.Left += TextMargin();
  } else {
    PreparePaint(Item, ItemRect, false, State);
    textCol = selRect = textRect = ItemRect;
  }
  FParentMenu = Item->GetParentMenu();

  DrawItemBackground(ItemRect);
  if (popup && FLeftMargin != 0) DrawLeftMargin(marginRect);
  if (popup) {
    if (FMenu && FMenu->ShowCheckMarks()) DrawCheckMarkBackground(checkCol);
    DrawImageBackground(imageCol);
  }
  DrawTextBackground(textCol);
  if (State.Contains(mdSelected)) DrawSelectedFrame(selRect);
  const bool showChecks = FMenu && FMenu->ShowCheckMarks();
  if (popup && Item->Checked() && showChecks) DrawCheckMark(checkCol);

  if (popup) {
    auto imageBack = [&] {
      if (!Item->Checked() || showChecks) DrawNotCheckedImageBack(imageCol);
      else DrawCheckedImageBack(imageCol);
    };
    if (Usable(ImagesInUse())) {
      imageBack();
      if (State.Contains(mdDisabled)) DrawDisabledImage(imageRect.Left, imageRect.Top);
      else DrawEnabledImage(imageRect.Left, imageRect.Top);
    } else if (!FGlyph->Empty() && !Item->IsLine()) {
      imageBack();
      if (FNumGlyphs >= 2 && FNumGlyphs <= 5) {
        int cell = State.Contains(mdDisabled) ? 1 : Item->Checked() ? 3 : Selected() ? 2 : 0;
        if (cell >= FNumGlyphs) cell = 0;
        const int w = FGlyph->Width() / FNumGlyphs;
        fw::TBitmap part;
        part.SetSize(w, FGlyph->Height());
        BitBlt(part.Canvas()->Handle(), 0, 0, w, FGlyph->Height(), FGlyph->Canvas()->Handle(), cell * w, 0, SRCCOPY);
        part.SetTransparentColor(FGlyph->TransparentColor());
        DrawMenuBitmap(imageRect.Left, imageRect.Top, &part);
      } else {
        DrawMenuBitmap(imageRect.Left, imageRect.Top, FGlyph.get());
      }
    } else if (Item->Checked() && !showChecks) {
      DrawCheckedImageBack(imageCol);
      DrawCheckMark(imageRect);
    }
  }

  if (Item->IsLine()) {
    DrawSeparator(selRect);
    return;
  }
  int shortcutOffset = TextWidth(Item->Caption());
  if (Item->Parent() && Item->ShortCut()) {
    shortcutOffset = 0;
    for (int i = 0; i < Item->Parent()->Count(); ++i)
      shortcutOffset = std::max(shortcutOffset, TextWidth(Item->Parent()->Items(i)->Caption() + u"        "));
  }
  Canvas()->Brush()->SetStyle(fw::bsClear);
  DrawItemText(textRect, Item->Caption(), DT_EXPANDTABS | DT_SINGLELINE);
  if (Item->ShortCut() && Item->Count() == 0 && popup)
    DrawItemText(fw::TRect{textRect.Left + shortcutOffset, T, textRect.Right, B}, fw::ShortCutToText(Item->ShortCut()),
                 DT_EXPANDTABS | DT_SINGLELINE);
}

// ---- Standard ---------------------------------------------------------------

int TCkStandardMenuItemPainter::ImageWidth() {
  const int w = TCkCustomMenuItemPainter::ImageWidth();
  return FOneItemChecked ? std::max(w, GetSystemMetrics(SM_CXMENUCHECK)) : w;
}

// ---- Button ---------------------------------------------------------------

void TCkBtnMenuItemPainter::UpdateFieldsFromMenu() {
  TCkCustomMenuItemPainter::UpdateFieldsFromMenu();
  FImageMargin->SetTop(FImageMargin->Top() + 1);
  FImageMargin->SetBottom(FImageMargin->Bottom() + 1);
}

void TCkBtnMenuItemPainter::DrawSelectedFrame(const fw::TRect& Rect) {
  fw::TCanvas* c = Canvas();
  const fw::TColor topLeft = FLowered ? fw::clBtnShadow : fw::clBtnHighlight;
  const fw::TColor bottomRight = FLowered ? fw::clBtnHighlight : fw::clBtnShadow;
  Line(c, topLeft, Rect.Left, Rect.Bottom - 1, Rect.Left, Rect.Top);
  Line(c, topLeft, Rect.Left, Rect.Top, Rect.Right - 1, Rect.Top);
  Line(c, bottomRight, Rect.Right - 1, Rect.Top, Rect.Right - 1, Rect.Bottom - 1);
  Line(c, bottomRight, Rect.Right - 1, Rect.Bottom - 1, Rect.Left - 1, Rect.Bottom - 1);
}

// ---- Office ---------------------------------------------------------------

bool TCkOfficeMenuItemPainter::UseDisabledHighlight() {
  return IsMenuBarItem() || TCkCustomMenuItemPainter::UseDisabledHighlight();
}

void TCkOfficeMenuItemPainter::UpdateFieldsFromMenu() {
  TCkCustomMenuItemPainter::UpdateFieldsFromMenu();
  FImageMargin->SetLeft(FImageMargin->Left() + 2);
  FImageMargin->SetTop(FImageMargin->Top() + 2);
  FImageMargin->SetRight(FImageMargin->Right() + 3);
  FImageMargin->SetBottom(FImageMargin->Bottom() + 2);
}

void TCkOfficeMenuItemPainter::ImageBackgroundBox(const fw::TRect& Rect, int frame) {
  fw::TCanvas* c = Canvas();
  const fw::TRect r{Rect.Left - 1, Rect.Top, Rect.Right + 1, Rect.Bottom};
  FillCanvasRect(c, r, FImageBackgroundColor);
  if (frame == 0) return;
  const fw::TColor a = frame > 0 ? fw::clBtnHighlight : fw::clBtnShadow;
  const fw::TColor b = frame > 0 ? fw::clBtnShadow : fw::clBtnHighlight;
  Line(c, a, r.Left, r.Bottom - 1, r.Left, r.Top);
  Line(c, a, r.Left, r.Top, r.Right - 1, r.Top);
  Line(c, b, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
  Line(c, b, r.Right - 1, r.Bottom - 1, r.Left - 1, r.Bottom - 1);
}

void TCkOfficeMenuItemPainter::DrawItemBackground(const fw::TRect& Rect) {
  if (IsMenuBarItem() && FState.Contains(mdHotlight)) ImageBackgroundBox(Rect, 1);
}

void TCkOfficeMenuItemPainter::DrawSelectedFrame(const fw::TRect& Rect) {
  if (IsMenuBarItem()) ImageBackgroundBox(Rect, -1);
}

void TCkOfficeMenuItemPainter::DrawCheckMark(const fw::TRect& Rect) {
  TCkCustomMenuItemPainter::DrawCheckMark(fw::TRect{Rect.Left + 2, Rect.Top, Rect.Right, Rect.Bottom - 1});
}

void TCkOfficeMenuItemPainter::DrawCheckedImageBack(const fw::TRect& Rect) {
  ImageBackgroundBox(Rect, 0);
  DrawCheckedImageFrame(Rect);
}

void TCkOfficeMenuItemPainter::DrawNotCheckedImageBack(const fw::TRect& Rect) {
  if (Selected() && !IsMenuBarItem()) ImageBackgroundBox(Rect, 1);
}

void TCkOfficeMenuItemPainter::DrawItemText(const fw::TRect& Rect, const fw::String& Text, UINT Flags) {
  if (IsMenuBarItem()) {
    Canvas()->Font()->SetColor(fw::clMenuText);
    if (!Selected() && !FState.Contains(mdFocused) && !FState.Contains(mdHotlight)) {
      FillCanvasRect(Canvas(), Rect, fw::clBtnFace);
      Canvas()->Brush()->SetStyle(fw::bsClear);
    }
  }
  TCkCustomMenuItemPainter::DrawItemText(fw::TRect{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom - 1}, Text, Flags);
}

// ---- XP ---------------------------------------------------------------------

TCkXPMenuItemPainter::TCkXPMenuItemPainter(fw::TComponent* AOwner) : TCkCustomMenuItemPainter(AOwner) {
  FImageBackgroundColor = 0xD1D8D8;
}

bool TCkXPMenuItemPainter::UseDisabledHighlight() {
  return IsMenuBarItem() || TCkCustomMenuItemPainter::UseDisabledHighlight();
}

void TCkXPMenuItemPainter::UpdateFieldsFromMenu() {
  TCkCustomMenuItemPainter::UpdateFieldsFromMenu();
  FImageMargin->SetLeft(FImageMargin->Left() + 6);
  FImageMargin->SetTop(FImageMargin->Top() + 4);
  FImageMargin->SetRight(FImageMargin->Right() + 4);
  FImageMargin->SetBottom(FImageMargin->Bottom() + 4);
}

void TCkXPMenuItemPainter::PreparePaint(fw::TMenuItem* Item, const fw::TRect& Rect, bool IsMeasuring,
                                        TMenuOwnerDrawState State) {
  // No background fill unless the item's parameters ask for a colour.
  if (Canvas()) Canvas()->Brush()->SetColor(fw::clNone);
  TCkCustomMenuItemPainter::PreparePaint(Item, Rect, IsMeasuring, State);
}

void TCkXPMenuItemPainter::DrawItemBackground(const fw::TRect& Rect) {
  fw::TCanvas* c = Canvas();
  if (!IsMenuBarItem()) {
    FillCanvasRect(c, Rect, fw::clWhite);
    return;
  }
  if (FState.Contains(mdHotlight)) {
    c->Brush()->SetColor(SelectionFrameBrushColor);
    c->Pen()->SetColor(SelectionFramePenColor);
    c->Rectangle(Rect);
  } else {
    FillCanvasRect(c, Rect, fw::clBtnFace);
  }
}

void TCkXPMenuItemPainter::DrawImageBackground(const fw::TRect& Rect) {
  FillCanvasRect(Canvas(), fw::TRect{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom + 1}, FImageBackgroundColor);
}

void TCkXPMenuItemPainter::DrawSelectedFrame(const fw::TRect& Rect) {
  fw::TCanvas* c = Canvas();
  c->Font()->SetColor(fw::clMenuText);
  if (!IsMenuBarItem()) {
    FillCanvasRect(c, fw::TRect{0, Rect.Top, Rect.Right + 4, Rect.Bottom - 1}, SelectionFrameBrushColor);
    Line(c, SelectionFramePenColor, 0, Rect.Top, Rect.Right, Rect.Top);
    Line(c, SelectionFramePenColor, 0, Rect.Bottom - 2, Rect.Right, Rect.Bottom - 2);
    return;
  }
  c->Brush()->SetColor(0xC0C0C0);
  c->Pen()->SetColor(0x808080);
  c->Rectangle(Rect);
}

void TCkXPMenuItemPainter::DrawShadow(int X, int Y, fw::TBitmap* Bitmap) {
  if (Bitmap->Empty()) return;
  const fw::TColor key = Bitmap->Canvas()->Pixel(0, Bitmap->Height() - 1);
  for (int y = 0; y < Bitmap->Height(); ++y)
    for (int x = 0; x < Bitmap->Width(); ++x)
      if (Bitmap->Canvas()->Pixel(x, y) != key) Canvas()->SetPixel(X + x, Y + y, ShadowColor);
}

void TCkXPMenuItemPainter::DrawMenuBitmap(int X, int Y, fw::TBitmap* Bitmap) {
  X = ShiftX(X);
  if (FState.Contains(mdDisabled)) {
    DrawDisabledBitmap(X, Y, Bitmap);
    return;
  }
  if (Selected() && !Bitmap->Empty()) {
    DrawShadow(X + 1, Y + 1, Bitmap);
    TCkCustomMenuItemPainter::DrawMenuBitmap(X - 1, Y - 1, Bitmap);
    return;
  }
  TCkCustomMenuItemPainter::DrawMenuBitmap(X, Y, Bitmap);
}

void TCkXPMenuItemPainter::DrawEnabledImage(int X, int Y) {
  X = ShiftX(X);
  if (Selected()) {
    fw::TCustomImageList* list = FMenu && Usable(FMenu->HotImages()) ? FMenu->HotImages() : ImagesInUse();
    if (list) {
      fw::TBitmap image;
      image.SetSize(list->Width(), list->Height());
      image.Canvas()->Brush()->SetColor(fw::clFuchsia);
      image.Canvas()->FillRect(fw::TRect{0, 0, list->Width(), list->Height()});
      list->Draw(image.Canvas(), 0, 0, FImageIndex, true);
      DrawShadow(X + 1, Y + 1, &image);
    }
    TCkCustomMenuItemPainter::DrawEnabledImage(X - 1, Y - 1);
    return;
  }
  TCkCustomMenuItemPainter::DrawEnabledImage(X, Y);
}

void TCkXPMenuItemPainter::DrawDisabledImage(int X, int Y) { TCkCustomMenuItemPainter::DrawDisabledImage(ShiftX(X), Y); }

void TCkXPMenuItemPainter::DrawCheckMark(const fw::TRect& Rect) {
  TCkCustomMenuItemPainter::DrawCheckMark(fw::TRect{Rect.Left - 2, Rect.Top, Rect.Right - 2, Rect.Bottom - 1});
}

void TCkXPMenuItemPainter::DrawCheckedImageBack(const fw::TRect& Rect) {
  fw::TCanvas* c = Canvas();
  c->Pen()->SetColor(SelectionFramePenColor);
  c->Brush()->SetStyle(fw::bsSolid);
  c->Brush()->SetColor(Selected() ? CheckedImageBackColorSelected : CheckedImageBackColor);
  c->Rectangle(fw::TRect{Rect.Left, Rect.Top + 1, Rect.Right - 3, Rect.Bottom - 2});
}

void TCkXPMenuItemPainter::DrawSeparator(const fw::TRect& Rect) {
  const int start = Rect.Left + CheckMarkWidth() + FImageMargin->Left() + FImageMargin->Right() + ImageWidth() +
                    TextMargin();
  if (RightToLeft()) Line(Canvas(), SeparatorColor, Rect.Left, Rect.Top + 1, Rect.Right - (start - Rect.Left), Rect.Top + 1);
  else Line(Canvas(), SeparatorColor, start, Rect.Top + 1, Rect.Right, Rect.Top + 1);
}

void TCkXPMenuItemPainter::DrawItemText(const fw::TRect& Rect, const fw::String& Text, UINT Flags) {
  TCkCustomMenuItemPainter::DrawItemText(fw::TRect{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom - 1}, Text, Flags);
}

void TCkXPMenuItemPainter::Measure(fw::TMenuItem* Item, int& Width, int& Height) {
  TCkCustomMenuItemPainter::Measure(Item, Width, Height);
  if (Item->IsLine()) Height = 3;
  else Height += 2;
}

namespace {

// The XP painter whose menu window is subclassed at the moment, and the
// procedures the subclassed windows had.
TCkXPMenuItemPainter* currentXPPainter = nullptr;
std::map<HWND, WNDPROC>& XPSubclassed() {
  static auto* windows = new std::map<HWND, WNDPROC>();
  return *windows;
}

LRESULT CALLBACK XPMenuWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = XPSubclassed().find(wnd);
  if (it == XPSubclassed().end()) return DefWindowProcW(wnd, msg, wParam, lParam);
  const WNDPROC previous = it->second;
  const LRESULT result = CallWindowProcW(previous, wnd, msg, wParam, lParam);
  if ((msg == WM_SHOWWINDOW && !wParam) || msg == WM_NCDESTROY) {
    if (fw::RestoreWindowProc(wnd, XPMenuWindowProc, previous)) XPSubclassed().erase(wnd);
    currentXPPainter = nullptr;
  } else if (msg == WM_NCPAINT && currentXPPainter) {
    RECT r{};
    GetWindowRect(wnd, &r);
    HRGN region = wParam > 1 ? reinterpret_cast<HRGN>(wParam) : nullptr;
    HDC dc = GetDCEx(wnd, region, DCX_WINDOW | DCX_CACHE | (region ? DCX_INTERSECTRGN : 0));
    if (dc) {
      currentXPPainter->DrawMenuBorder(dc, fw::TRect{0, 0, r.right - r.left, r.bottom - r.top});
      ReleaseDC(wnd, dc);
    }
  }
  return result;
}

}  // namespace

void TCkXPMenuItemPainter::DrawMenuBorder(HDC dc, const fw::TRect& r) {
  fw::TCanvas c;
  c.SetHandle(dc);
  c.Brush()->SetStyle(fw::bsClear);
  c.Pen()->SetColor(BorderColor);
  c.Rectangle(r);
  for (int y : {r.Top + 1, r.Top + 2, r.Bottom - 3, r.Bottom - 2}) Line(&c, fw::clWhite, r.Left + 1, y, r.Right - 1, y);
  const fw::TColor rightColor = RightToLeft() ? FImageBackgroundColor : fw::clWhite;
  const fw::TColor leftColor = RightToLeft() ? fw::clWhite : FImageBackgroundColor;
  for (int x : {r.Right - 2, r.Right - 3}) Line(&c, rightColor, x, r.Top + 3, x, r.Bottom - 2);
  for (int x : {r.Left + 1, r.Left + 2}) Line(&c, leftColor, x, r.Top + 3, x, r.Bottom - 2);
  c.SetHandle(nullptr);
}

void TCkXPMenuItemPainter::Paint(fw::TMenuItem* Item, const fw::TRect& ItemRect, TMenuOwnerDrawState State) {
  HWND wnd = Canvas() && Item && IsPopupItem(Item) && !ComponentState().Contains(fw::csDesigning)
                 ? WindowFromDC(Canvas()->Handle())
                 : nullptr;
  // A main menu's bar lives on its form: the form keeps its own frame.
  if (wnd && FMenu) {
    auto* owner = dynamic_cast<fw::TWinControl*>(FMenu->AsMenu()->Owner());
    if (owner && owner->HandleAllocated() && owner->Handle() == wnd) wnd = nullptr;
  }
  if (wnd) {
    if (XPSubclassed().find(wnd) == XPSubclassed().end())
      XPSubclassed()[wnd] = fw::ReplaceWindowProc(wnd, XPMenuWindowProc);
    currentXPPainter = this;
    RECT r{};
    GetWindowRect(wnd, &r);
    if (HDC dc = GetWindowDC(wnd)) {
      DrawMenuBorder(dc, fw::TRect{0, 0, r.right - r.left, r.bottom - r.top});
      ReleaseDC(wnd, dc);
    }
  }
  TCkCustomMenuItemPainter::Paint(Item, ItemRect, State);
}

// ---- Owner draw ---------------------------------------------------------------

void TCkOwnerDrawMenuItemPainter::Measure(fw::TMenuItem* Item, int& Width, int& Height) {
  if (FMenu) FMenu->FireMeasureItem(Item, Width, Height);
}

void TCkOwnerDrawMenuItemPainter::Paint(fw::TMenuItem* Item, const fw::TRect& ItemRect, TMenuOwnerDrawState State) {
  if (FMenu) FMenu->OnDrawItem(FMenu->AsMenu(), Item, ItemRect, State);
}

FW_REGISTER(TCkCustomMenuItemPainter) {}
FW_REGISTER(TCkStandardMenuItemPainter) {
  c.Property(u"LeftMargin", &TCkStandardMenuItemPainter::LeftMargin, &TCkStandardMenuItemPainter::SetLeftMargin)
      .Default(0u);
  c.Event(u"OnDrawLeftMargin", static_cast<TDrawLeftMarginEvent TCkStandardMenuItemPainter::*>(
                                     &TCkStandardMenuItemPainter::OnDrawLeftMargin));
}
FW_REGISTER(TCkBtnMenuItemPainter) {
  c.Property(u"Lowered", &TCkBtnMenuItemPainter::Lowered, &TCkBtnMenuItemPainter::SetLowered).Default(true);
}
FW_REGISTER(TCkOfficeMenuItemPainter) {}
FW_REGISTER(TCkXPMenuItemPainter) {}
FW_REGISTER(TCkOwnerDrawMenuItemPainter) {}

}  // namespace ck
