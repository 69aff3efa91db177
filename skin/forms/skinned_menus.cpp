#include "skin/forms/skinned_menus.h"

#include <algorithm>

#include "fw/controls/forms.h"
#include "fw/graphics/imagelist.h"
#include "fw/system/actions.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_image.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/corner_runs.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/core/section_paint.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skinning_links.h"
#include "skin/engine/text_out.h"
#include "skin/engine/window_utils.h"

namespace skin {

bool SkinnedMenuOpen = false;

namespace {

constexpr UINT WM_DRAWMENUBORDER = 0xBCB3;
constexpr UINT WM_DRAWMENUBORDER2 = 0xBCB4;
// Skin commands of the popup-window adapter: "is your region changing?"
// and "your region changes now".
constexpr WORD kAskRegionChanging = 8, kRegionChanges = 14;

bool HasSection(const TkLoadedSkin* skin, const char16_t* name) { return skin && skin->GetSkinIndex(name) >= 0; }

fw::TRect ShiftRect(const fw::TRect& r, int dx, int dy) {
  return fw::Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
}

// Visible siblings of an item in order.
std::vector<fw::TMenuItem*> VisibleSiblings(fw::TMenuItem* item) {
  std::vector<fw::TMenuItem*> list;
  if (!item || !item->Parent()) return list;
  for (int i = 0; i < item->Parent()->Count(); ++i)
    if (item->Parent()->Items(i)->Visible()) list.push_back(item->Parent()->Items(i));
  return list;
}

bool ItemAfterBreak(fw::TMenuItem* item) {
  if (!item->Parent()) return false;
  for (int i = 0; i <= item->MenuIndex(); ++i)
    if (item->Parent()->Items(i)->Break() != fw::mbNone) return true;
  return false;
}

// The item's menu reads right to left (on a system whose locale does).
bool BiDiMenu(fw::TMenuItem* item) {
  fw::TMenu* menu = item ? item->GetParentMenu() : nullptr;
  return menu && menu->UseRightToLeftReading();
}

void PaintSection(const TPixelView32& dest, TkLoadedSkin& skin, int index, const fw::TRect& r, int state,
                  const TPixelView32& bg, fw::TPoint bgAt) {
  TSectionPaint p;
  p.SkinIndex = index;
  p.SectionName = skin.gd[size_t(index)].ClassName;
  p.State = state;
  p.R = r;
  if (bg.Width > 0) {
    p.CI.Bmp = bg;
    p.CI.X = bgAt.x;
    p.CI.Y = bgAt.y;
    p.CI.Ready = true;
  }
  PaintSectionRect(dest, skin, p);
}

// Bitmap copy between two bitmaps' canvases.
void CopyRect(fw::TBitmap& dest, int x, int y, int w, int h, fw::TBitmap& src, int sx, int sy) {
  if (w <= 0 || h <= 0) return;
  BitBlt(dest.Canvas()->Handle(), x, y, w, h, src.Canvas()->Handle(), sx, sy, SRCCOPY);
}

}  // namespace

TkSkinableMenus::TkSkinableMenus(TkSkinManager* Manager) : fw::TComponent(Manager), FManager(Manager) {
  FCaptionFont = new fw::TFont();
}

TkSkinableMenus::~TkSkinableMenus() {
  FreeMenuBgCache();
  if (FPostedItem) FPostedItem->RemoveFreeNotification(this);
  delete FCaptionFont;
}

void TkSkinableMenus::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TComponent::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  if (AComponent == FPostedItem) FPostedItem = nullptr;
  // A freed item may no longer key a cached background.
  FCache.erase(std::remove_if(FCache.begin(), FCache.end(),
                              [&](const TkcMenuInfo& i) { return i.FirstItem == AComponent; }),
               FCache.end());
}

TkLoadedSkin* TkSkinableMenus::ActiveSkin() const {
  if (!FManager || !FManager->Active() || !FManager->CommonSkinData().Active) return nullptr;
  return FManager->LoadedSkin();
}

int TkSkinableMenus::GetSkinBorderWidth() {
  if (SkinBorderWidth >= 0) return SkinBorderWidth;
  TkLoadedSkin* skin = FManager ? FManager->LoadedSkin() : nullptr;
  const int index = skin ? skin->GetSkinIndex(u"MAINMENU") : -1;
  const int mask = index >= 0 ? skin->GetMaskIndex(index, u"MAINMENU", u"BORDERSMASK") : -1;
  if (!skin || !skin->IsValidImgIndex(mask))
    SkinBorderWidth = 0;
  else
    SkinBorderWidth = skin->ma[size_t(mask)].BorderWidth > 0 ? skin->ma[size_t(mask)].BorderWidth : 3;
  return SkinBorderWidth;
}

bool TkSkinableMenus::IsCaptionItem(const fw::TMenuItem* Item) {
  const fw::String& c = Item->Caption();
  return c.size() > 1 && c.front() == u'-' && c.back() == u'-';
}

TkMenuItemType TkSkinableMenus::ItemKind(const fw::TMenuItem* Item) {
  if (Item->Caption() == u"-") return smDivider;
  return IsCaptionItem(Item) ? smCaption : smNormal;
}

fw::TSize TkSkinableMenus::GlyphSize(fw::TMenuItem* Item) const {
  if (Item->HasBitmap() && !Item->Bitmap()->Empty()) return fw::TSize{Item->Bitmap()->Width(), Item->Bitmap()->Height()};
  if (Item->Parent() && Item->Parent()->SubMenuImages())
    return fw::TSize{Item->Parent()->SubMenuImages()->Width(), Item->Parent()->SubMenuImages()->Height()};
  if (fw::TMenu* menu = Item->GetParentMenu(); menu && menu->Images())
    return fw::TSize{menu->Images()->Width(), menu->Images()->Height()};
  return fw::TSize{16, 16};
}

bool TkSkinableMenus::UseExtraLine() const {
  return FManager && FManager->MenuSupport() && FManager->MenuSupport()->FUseExtraLine;
}

int TkSkinableMenus::ExtraWidth(const TkcMenuInfo* Info) const {
  return UseExtraLine() && Info && Info->HaveExtraLine ? std::max(0, FManager->MenuSupport()->FExtraLineWidth) : 0;
}

bool TkSkinableMenus::FetchExtraLineData(fw::TMenuItem* FirstItem) {
  FExtraLineGlyph.reset();
  // The skin list has no band.
  if (!FirstItem || FirstItem->Name() == u"SkinSelectItem") return false;
  FExtraLineSection = u"EXTRALINE";
  FExtraLineCaption = u"Use OnGetExtraLineData event";
  bool visible = true;
  if (FManager && FManager->OnGetMenuExtraLineData && !FFetchingExtraLine) {
    FFetchingExtraLine = true;
    fw::TBitmap* glyph = nullptr;
    try {
      FManager->OnGetMenuExtraLineData(FirstItem, FExtraLineSection, FExtraLineCaption, glyph, visible);
    } catch (...) {
    }
    FFetchingExtraLine = false;
    FExtraLineGlyph.reset(glyph);
  }
  FExtraLineCaption.erase(std::remove(FExtraLineCaption.begin(), FExtraLineCaption.end(), u'&'),
                          FExtraLineCaption.end());
  if (!visible) FExtraLineGlyph.reset();
  return visible;
}

void TkSkinableMenus::PaintExtraLine(TkLoadedSkin& Skin, fw::TBitmap& Bmp, int SkinBorder) {
  const int index = FExtraLineSection.empty() ? -1 : Skin.GetSkinIndex(FExtraLineSection);
  const int w = FManager->MenuSupport()->FExtraLineWidth, h = Bmp.Height() - 2 * SkinBorder;
  if (index < 0 || w <= 0 || h <= 0) return;
  auto band = NewBitmap32(w, h);
  PaintSection(View32(*band), Skin, index, fw::Rect(0, 0, w, h), 0, View32(Bmp), fw::TPoint{SkinBorder, SkinBorder});
  GdiFlush();
  fw::TCanvas& c = *band->Canvas();
  int above = 12;
  if (FExtraLineGlyph && !FExtraLineGlyph->Empty()) {
    const int gw = FExtraLineGlyph->Width(), gh = FExtraLineGlyph->Height();
    c.Draw((w - gw) / 2, h - 12 - gh, FExtraLineGlyph.get());
    above = gh + 20;
  }
  if (!FExtraLineCaption.empty()) {
    // Written from the bottom up.
    c.Font()->Assign(FManager->MenuSupport()->ExtraLineFont());
    c.Font()->SetOrientation(-2700);
    const int th = CanvasTextSize(c, FExtraLineCaption).y;
    const HDC dc = c.Handle();
    fw::TSelectObject font(dc, c.Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, COLORREF(fw::ColorToRGB(Skin.gd[size_t(index)].Props[0].FontColor.Color)));
    TextOutW(dc, (w - th) / 2, h - above, reinterpret_cast<const wchar_t*>(FExtraLineCaption.c_str()),
             int(FExtraLineCaption.size()));
  }
  GdiFlush();
  CopyRect(Bmp, SkinBorder, SkinBorder, w, h, *band, 0, 0);
  FExtraLineGlyph.reset();
}

bool TkSkinableMenus::AskItemData(fw::TMenuItem* Item, fw::TOwnerDrawState State, fw::TCanvas& Canvas) {
  if (!FManager || !FManager->OnGetPopupItemData) return false;
  const fw::TColor before = Canvas.Font()->Color();
  TkcMenuItemData data;
  data.Font = Canvas.Font();
  FManager->OnGetPopupItemData(Item, State, data);
  if (data.Font != Canvas.Font() && data.Font) Canvas.Font()->Assign(data.Font);
  return Canvas.Font()->Color() != before;
}

void TkSkinableMenus::SetMenuFont(fw::TCanvas& Canvas, fw::TMenuItem* Item, bool Bold) {
  if (fw::Screen) Canvas.Font()->Assign(fw::Screen->MenuFont());
  // In the character set of the form the menu belongs to.
  fw::TComponent* owner = Item ? static_cast<fw::TComponent*>(Item->GetParentMenu()) : nullptr;
  if (!owner) owner = Item;
  for (; owner; owner = owner->Owner())
    if (auto* form = dynamic_cast<fw::TCustomForm*>(owner)) {
      if (form->Font()) Canvas.Font()->SetCharset(form->Font()->Charset());
      break;
    }
  Canvas.Font()->SetStyle(Bold ? fw::TFontStyles{fw::fsBold} : fw::TFontStyles{});
}

// ---- Measuring

int TkSkinableMenus::ItemHeight(fw::TCanvas* Canvas, fw::TMenuItem* Item) {
  if (Item->Caption() == u"-") return 2;
  const bool caption = IsCaptionItem(Item);
  fw::String text = Item->Caption();
  if (!caption && Item->ShortCut() != 0) text += fw::ShortCutToText(Item->ShortCut());
  fw::TRect r = fw::Rect(0, 0, 800, 0);
  DrawTextOnCanvas(*Canvas, text, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK, r);
  if (caption) return r.Height() + 2 * Margin + 3;
  return std::max<int>(r.Height(), GlyphSize(Item).cy) + 2 * Margin + 2;
}

void TkSkinableMenus::sMeasureItem(fw::TObject* Sender, fw::TCanvas* ACanvas, int& Width, int& Height) {
  auto* item = dynamic_cast<fw::TMenuItem*>(Sender);
  if (!item || item->ComponentState().Contains(fw::csDestroying)) return;
  SkinnedMenuOpen = true;
  // Measuring the first item means the popup opens anew: its old
  // background no longer fits.
  if (std::vector<fw::TMenuItem*> shown = VisibleSiblings(item); !shown.empty() && shown.front() == item)
    FCache.erase(std::remove_if(FCache.begin(), FCache.end(),
                                [&](const TkcMenuInfo& i) { return i.FirstItem == item->Parent()->Items(0); }),
                 FCache.end());
  it = ItemKind(item);
  bool band = false;
  if (UseExtraLine()) {
    fw::TMenuItem* first = item->Parent() && item->Parent()->Count() > 0 ? item->Parent()->Items(0) : item;
    if (TkcMenuInfo* cached = GetMenuInfo(item, nullptr, nullptr))
      band = cached->HaveExtraLine;
    else
      band = FetchExtraLineData(first);
  }
  SetMenuFont(*ACanvas, item, item->Default());
  AskItemData(item, fw::TOwnerDrawState{}, *ACanvas);
  fw::String text;
  if (it == smCaption)
    text = u"-" + item->Caption() + u"-";
  else if (it == smNormal)
    text = item->Caption() + (item->ShortCut() != 0 ? fw::ShortCutToText(item->ShortCut()) : fw::String());
  const fw::TSize glyph = GlyphSize(item);
  Width = 2 * glyph.cx + 3 * Margin + Spacing;
  if (!text.empty()) {
    fw::TRect r = fw::Rect(0, 0, it == smCaption ? 1 : 800, 0);
    DrawTextOnCanvas(*ACanvas, text, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK, r);
    Width += r.Width();
  }
  if (band && !ItemAfterBreak(item)) Width += std::max(0, FManager->MenuSupport()->FExtraLineWidth);
  Height = ItemHeight(ACanvas, item);
}

int TkSkinableMenus::MenuWidth(fw::TCanvas* Canvas, fw::TMenuItem* Item) {
  int total = 0, column = 0;
  for (fw::TMenuItem* i : VisibleSiblings(Item)) {
    if (i->Break() != fw::mbNone && column > 0) {
      total += column + 4;
      column = 0;
    }
    int w = 0, h = 0;
    sMeasureItem(i, Canvas, w, h);
    column = std::max(column, w + 12);
  }
  return total + column;
}

int TkSkinableMenus::MenuHeight(fw::TCanvas* Canvas, fw::TMenuItem* Item) {
  int tallest = 0, column = 0;
  for (fw::TMenuItem* i : VisibleSiblings(Item)) {
    if (i->Break() != fw::mbNone) column = 0;
    column += ItemHeight(Canvas, i);
    tallest = std::max(tallest, column);
  }
  return tallest;
}

// ---- Backgrounds

TkcMenuInfo* TkSkinableMenus::GetMenuInfo(fw::TMenuItem* Item, fw::TCanvas* Canvas, HWND Wnd) {
  if (!Item) {
    if (!Wnd) return nullptr;
    for (TkcMenuInfo& i : FCache)
      if (i.Wnd == Wnd) return &i;
    return nullptr;
  }
  fw::TMenuItem* first = Item->Parent() && Item->Parent()->Count() > 0 ? Item->Parent()->Items(0) : Item;
  for (TkcMenuInfo& i : FCache)
    if (i.FirstItem == first) return &i;
  if (!Canvas) return nullptr;
  int w = 0, h = 0;
  if (Wnd) {
    RECT r{};
    if (GetWindowRect(Wnd, &r)) w = r.right - r.left, h = r.bottom - r.top;
  } else {
    w = MenuWidth(Canvas, Item) + 2 * BorderWidth;
    h = MenuHeight(Canvas, Item) + 2 * BorderWidth;
  }
  PrepareMenuBG(first, w, h, Wnd);
  return GetMenuInfo(Item, nullptr, Wnd);
}

void TkSkinableMenus::PrepareMenuBG(fw::TMenuItem* FirstItem, int Width, int Height, HWND Wnd) {
  TkcMenuInfo info;
  info.FirstItem = FirstItem;
  info.Wnd = Wnd;
  info.HaveExtraLine = FetchExtraLineData(FirstItem);
  info.Bmp = std::shared_ptr<fw::TBitmap>(NewBitmap32(std::max(0, Width), std::max(0, Height)).release());
  fw::TBitmap& bmp = *info.Bmp;
  FIcoLineWidth = Margin + (FirstItem ? GlyphSize(FirstItem).cx : 16) + Spacing;
  TkLoadedSkin* skin = ActiveSkin();
  FArOR.clear();
  const int index = skin ? skin->GetSkinIndex(u"MAINMENU") : -1;
  if (index >= 0 && Width > 0 && Height > 0) {
    const TPixelView32 v = View32(bmp);
    TSectionPaint p;
    p.SkinIndex = index;
    p.SectionName = u"MAINMENU";
    p.R = fw::Rect(0, 0, Width, Height);
    PaintSectionBackground(v, *skin, p);
    const int sbw = GetSkinBorderWidth();
    // The icon column, unless the menu reads from the right.
    fw::TMenu* menu = FirstItem ? FirstItem->GetParentMenu() : nullptr;
    const HWND menuWnd = menu ? menu->WindowHandle() : nullptr;
    const bool right = menuWnd && (GetWindowLongW(menuWnd, GWL_EXSTYLE) & WS_EX_RIGHT);
    const fw::String icoLine = FManager->MenuSupport() ? FManager->MenuSupport()->FIcoLineSkin : fw::String();
    const int ico = icoLine.empty() ? -1 : skin->GetSkinIndex(icoLine);
    if (!right && ico >= 0 && Height - 2 * sbw > 0) {
      auto column = NewBitmap32(FIcoLineWidth, Height - 2 * sbw);
      PaintSection(View32(*column), *skin, ico, fw::Rect(0, 0, column->Width(), column->Height()), 0, v,
                   fw::TPoint{ExtraWidth(&info) + sbw, sbw});
      CopyRect(bmp, ExtraWidth(&info) + sbw, sbw, column->Width(), column->Height(), *column, 0, 0);
    }
    const int border = skin->GetMaskIndex(index, u"MAINMENU", u"BORDERSMASK");
    if (skin->IsValidImgIndex(border)) {
      const TkMaskData& m = skin->ma[size_t(border)];
      TCacheInfo self;
      self.Bmp = v;
      self.Ready = true;
      DrawMaskRect(v, fw::Rect(0, 0, Width, Height), self, m, MaskSourceView(*skin, m), 0, false);
      AddCornerTransparencyRects(FArOR, Width, m, MaskSourceView(*skin, m), false, 0);
      AddCornerTransparencyRects(FArOR, Width, m, MaskSourceView(*skin, m), true, Height - m.WB);
    }
    GdiFlush();
    if (ExtraWidth(&info) > 0) PaintExtraLine(*skin, bmp, sbw);
    // A popup read right to left has its background the other way round.
    if (BiDiMenu(FirstItem))
      for (int y = 0; y < v.Height; ++y) std::reverse(v.Row(y), v.Row(y) + v.Width);
    if (Wnd) DrawWndBorder(Wnd, &bmp);
  }
  if (FirstItem) FirstItem->FreeNotification(this);
  FCache.push_back(std::move(info));
}

void TkSkinableMenus::DrawWndBorder(HWND Wnd, fw::TBitmap* MenuBmp) {
  if (BorderDrawing || !MenuBmp || !Wnd || MenuBmp->Width() == 0) return;
  if (SendSkinCommand(Wnd, kAskRegionChanging, 0) != 0) return;
  SendSkinCommand(Wnd, kRegionChanges, 0);
  BorderDrawing = true;
  HRGN region = CreateRectRgn(0, 0, MenuBmp->Width(), MenuBmp->Height());
  auto cut = [&](const fw::TRect& r) {
    HRGN piece = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    CombineRgn(region, region, piece, RGN_DIFF);
    DeleteObject(piece);
  };
  if (FArOR.empty())
    cut(fw::Rect(0, 0, 1, 1));
  else
    for (const fw::TRect& r : FArOR) cut(r);
  SetWindowRgn(Wnd, region, TRUE);
  HDC dc = GetWindowDC(Wnd);
  CopyBorderStrips(dc, 0, 0, MenuBmp->Width(), MenuBmp->Height(), MenuBmp->Canvas()->Handle(), 0, 0, 3);
  ReleaseDC(Wnd, dc);
  BorderDrawing = false;
}

void TkSkinableMenus::FreeMenuBgCache() {
  for (TkcMenuInfo& i : FCache)
    if (i.FirstItem) i.FirstItem->RemoveFreeNotification(this);
  FCache.clear();
}

void TkSkinableMenus::PostBorderRequest(fw::TMenuItem* Item) {
  const HWND app = fw::Application ? fw::Application->Handle() : nullptr;
  if (!app) return;
  MSG m;
  if (PeekMessageW(&m, app, WM_DRAWMENUBORDER, WM_DRAWMENUBORDER2, PM_NOREMOVE)) return;
  if (FPostedItem) FPostedItem->RemoveFreeNotification(this);
  FPostedItem = Item;
  Item->FreeNotification(this);
  PostMessageW(app, WM_DRAWMENUBORDER, 0, reinterpret_cast<LPARAM>(Item));
}

void TkSkinableMenus::DrawPostedBorder(void* Item, HWND Wnd) {
  if (!Wnd) {
    // Only the item of the pending request is known to be alive.
    if (!Item || Item != FPostedItem) return;
    fw::TMenuItem* item = FPostedItem;
    FPostedItem->RemoveFreeNotification(this);
    FPostedItem = nullptr;
    // The popup window: the visible menu window of this thread on top.
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (!IsWindowVisible(w) || GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId()) continue;
      if (WindowClassName(w) == u"#32768") {
        Wnd = w;
        break;
      }
    }
    if (!Wnd) return;
    if (TkcMenuInfo* info = GetMenuInfo(item, nullptr, nullptr); info && info->Bmp) {
      info->Wnd = Wnd;
      DrawWndBorder(Wnd, info->Bmp.get());
    }
    return;
  }
  if (TkcMenuInfo* info = GetMenuInfo(nullptr, nullptr, Wnd); info && info->Bmp) DrawWndBorder(Wnd, info->Bmp.get());
}

// ---- Drawing

void TkSkinableMenus::CopyFrameStrips(HWND Wnd, fw::TBitmap& Bmp, fw::TMenuItem* Item, const fw::TRect& ARect,
                                      int E) {
  std::vector<fw::TMenuItem*> shown = VisibleSiblings(Item);
  HDC dc = GetWindowDC(Wnd);
  HDC src = Bmp.Canvas()->Handle();
  const int w = Bmp.Width(), h = Bmp.Height(), b = BorderWidth;
  if (!shown.empty() && shown.front() == Item) {
    BitBlt(dc, 0, 0, w, b, src, 0, 0, SRCCOPY);
    const int left = E + std::max(GetSkinBorderWidth(), b);
    BitBlt(dc, 0, 0, left, h, src, 0, 0, SRCCOPY);
  }
  if (!shown.empty() && shown.back() == Item) BitBlt(dc, 0, h - b, w, b, src, 0, h - b, SRCCOPY);
  BitBlt(dc, w - b, b + ARect.Top, b, ARect.Height(), src, w - b, b + ARect.Top, SRCCOPY);
  ReleaseDC(Wnd, dc);
}

void TkSkinableMenus::DrawDivider(fw::TCanvas* ACanvas, const fw::TRect& ARect, TkcMenuInfo* Info,
                                  fw::TMenuItem* Item) {
  (void)Item;
  TkLoadedSkin* skin = ActiveSkin();
  fw::TBitmap& bmp = *Info->Bmp;
  const int divider = skin->GetSkinIndex(u"DIVIDERV");
  const int mask = divider >= 0 ? skin->GetMaskIndex(divider, u"DIVIDERV", u"BORDERSMASK") : -1;
  const fw::String icoName = FManager->MenuSupport() ? FManager->MenuSupport()->FIcoLineSkin : fw::String();
  const int ico = icoName.empty() ? -1 : skin->GetSkinIndex(icoName);
  bool icoVisible = false;
  if (ico >= 0) {
    const bool transparent = skin->gd[size_t(ico)].Props[0].Transparency >= 100;
    icoVisible = !(transparent && skin->gd[size_t(ico)].BorderIndex < 0);
  }
  const int extra = ExtraWidth(Info);
  fw::TRect line = fw::Rect(0, 0, ARect.Width() - Margin, ARect.Height());
  if (icoVisible)
    line.Left = std::max(extra + Margin + Spacing, extra + FIcoLineWidth + 2);
  else
    line.Left = std::max(extra + Margin, extra + 2);
  if (skin->IsValidImgIndex(mask)) {
    auto temp = NewBitmap32(ARect.Width(), ARect.Height());
    CopyRect(*temp, 0, 0, ARect.Width(), ARect.Height(), bmp, ARect.Left + 3, ARect.Top + 3);
    const TPixelView32 v = View32(*temp);
    TCacheInfo self;
    self.Bmp = v;
    self.Ready = true;
    const TkMaskData& m = skin->ma[size_t(mask)];
    std::vector<uint32_t> beneath;
    for (int y = 0; y < v.Height; ++y) beneath.insert(beneath.end(), v.Row(y), v.Row(y) + v.Width);
    DrawMaskRect(v, line, self, m, MaskSourceView(*skin, m), 0, false);
    // The mask's key pixels show the popup's background.
    for (int y = 0; y < v.Height; ++y)
      for (int x = 0; x < v.Width; ++x)
        if ((v.Row(y)[x] & 0xFFFFFF) == (clSkinKey & 0xFFFFFF)) v.Row(y)[x] = beneath[size_t(y * v.Width + x)];
    GdiFlush();
    BitBlt(ACanvas->Handle(), ARect.Left, ARect.Top, ARect.Width(), ARect.Height(), temp->Canvas()->Handle(), 0, 0,
           SRCCOPY);
    return;
  }
  BitBlt(ACanvas->Handle(), ARect.Left, ARect.Top, ARect.Width(), ARect.Height(), bmp.Canvas()->Handle(),
         ARect.Left + 3, ARect.Top + 3, SRCCOPY);
  fw::TColor color = skin->Palette[pcBorder];
  if (color == fw::TColor(0xFF00FF)) color = fw::ColorToRGB(fw::clBtnShadow);
  HPEN pen = CreatePen(PS_SOLID, 1, COLORREF(color));
  HDC dc = ACanvas->Handle();
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, ARect.Left + line.Left, ARect.Top, nullptr);
  LineTo(dc, ARect.Left + line.Right, ARect.Top);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void TkSkinableMenus::DrawCaptionItem(fw::TCanvas* ACanvas, const fw::TRect& ARect, TkcMenuInfo* Info,
                                      fw::TMenuItem* Item) {
  TkLoadedSkin* skin = ActiveSkin();
  fw::TBitmap& bmp = *Info->Bmp;
  const int w = ARect.Width(), h = ARect.Height();
  auto temp = NewBitmap32(w, h);
  int index = skin->GetSkinIndex(u"MENUCAPTION");
  if (index < 0) index = skin->GetSkinIndex(u"TOOLBAR");
  const int extra = ExtraWidth(Info);
  if (extra > 0) CopyRect(*temp, 0, 0, extra + 1, h, bmp, ARect.Left + 3, ARect.Top + 3);
  CopyBorderStrips(temp->Canvas()->Handle(), 0, 0, w, h, bmp.Canvas()->Handle(), ARect.Left + 3, ARect.Top + 3, 1);
  GdiFlush();
  if (index >= 0 && w - 1 > extra + 1 && h > 2)
    PaintSection(View32(*temp), *skin, index, fw::Rect(extra + 1, 1, w - 1, h - 1), 0, View32(bmp),
                 fw::TPoint{ARect.Left + extra + 4, ARect.Top + 4});
  // The first word between the dashes.
  fw::String text = Item->Caption();
  size_t start = text.find_first_not_of(u'-');
  fw::String word;
  if (start != fw::String::npos) word = text.substr(start, text.find(u'-', start) - start);
  fw::TCanvas& c = *temp->Canvas();
  c.Font()->Assign(FCaptionFont);
  fw::TRect r = fw::Rect(extra, Margin + 2, w, h - Margin - 2);
  DrawSectionText(c, word, true, r, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_HIDEPREFIX, index, 0, skin);
  GdiFlush();
  BitBlt(ACanvas->Handle(), ARect.Left, ARect.Top, w, h, temp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TkSkinableMenus::sAdvancedDrawItem(fw::TObject* Sender, fw::TCanvas* ACanvas, const fw::TRect& ARect,
                                        fw::TOwnerDrawState State) {
  auto* item = dynamic_cast<fw::TMenuItem*>(Sender);
  TkLoadedSkin* skin = ActiveSkin();
  if (!item || !skin || !ACanvas) return;
  // The canvas is held for the whole item; on every way out the item's own
  // painter comes last, over the skin's picture.
  struct TItemScope {
    fw::TMenuItem* Item;
    fw::TCanvas* Canvas;
    const fw::TRect& R;
    bool Selected;
    TItemScope(fw::TMenuItem* i, fw::TCanvas* c, const fw::TRect& r, bool s) : Item(i), Canvas(c), R(r), Selected(s) {
      Canvas->Lock();
    }
    ~TItemScope() {
      try {
        if (Item->OnDrawItem) Item->OnDrawItem(Item, Canvas, R, Selected);
      } catch (...) {
      }
      Canvas->Unlock();
    }
  } scope(item, ACanvas, ARect, State.Contains(fw::odSelected));
  // The painter runs inside the menu's modal loop: nothing may escape it.
  try {
    const HWND wnd = WindowFromDC(ACanvas->Handle());
    TkcMenuInfo* info = GetMenuInfo(item, ACanvas, wnd);
    if (!info) return;
    const int E = ItemAfterBreak(item) ? 0 : ExtraWidth(info);
    if (wnd && info->Bmp && info->Bmp->Width() > 0)
      CopyFrameStrips(wnd, *info->Bmp, item, ARect, E);
    else if (!wnd)
      PostBorderRequest(item);
    if (item->IsLine()) {
      it = smDivider;
      DrawDivider(ACanvas, ARect, info, item);
      return;
    }
    if (IsCaptionItem(item)) {
      it = smCaption;
      DrawCaptionItem(ACanvas, ARect, info, item);
      return;
    }
    it = smNormal;
    if (!info->Bmp || info->Bmp->Width() == 0) return;
    fw::TBitmap& bg = *info->Bmp;
    const int bgBottom = bg.Height() - 6;
    // Column filling below the last item of a column and in the break gap.
    std::vector<fw::TMenuItem*> shown = VisibleSiblings(item);
    const auto at = std::find(shown.begin(), shown.end(), item);
    const bool endsColumn = at != shown.end() && at + 1 != shown.end() && (*(at + 1))->Break() != fw::mbNone;
    const bool last = at != shown.end() && at + 1 == shown.end();
    if ((endsColumn || last) && bgBottom > ARect.Bottom)
      BitBlt(ACanvas->Handle(), ARect.Left, ARect.Bottom, ARect.Width(), bgBottom - ARect.Bottom,
             bg.Canvas()->Handle(), ARect.Left + 3, ARect.Bottom + 3, SRCCOPY);
    if (item->Break() != fw::mbNone)
      BitBlt(ACanvas->Handle(), ARect.Left - 4, ARect.Top, 4, bgBottom, bg.Canvas()->Handle(), ARect.Left - 1,
             ARect.Top + 3, SRCCOPY);

    const int W = std::max(ARect.Width() - E, 0), H = ARect.Height();
    if (W == 0 || H == 0) return;
    auto itemBmp = NewBitmap32(W, H);
    const TPixelView32 v = View32(*itemBmp);
    const TPixelView32 bgView = View32(bg);
    const bool enabled = item->Enabled() && !State.Contains(fw::odDisabled) && !State.Contains(fw::odGrayed);
    const bool selected = State.Contains(fw::odSelected);
    const bool hot = enabled && (selected || State.Contains(fw::odHotLight));
    const bool bidi = BiDiMenu(item);
    // Background: the item's place in the popup's background.
    const int section = skin->GetSkinIndex(u"MENUITEM");
    const fw::TPoint bgAt{ARect.Left + E + 3, ARect.Top + 3};
    CopyRect(*itemBmp, 0, 0, W, H, bg, bgAt.x, bgAt.y);
    GdiFlush();
    if (section >= 0)
      PaintSection(v, *skin, section, fw::Rect(0, 0, W, H), enabled && selected ? 1 : 0, bgView, bgAt);
    TCacheInfo self;
    self.Bmp = v;
    self.Ready = true;
    // Check mark of items without a picture.
    fw::TCustomImageList* images = item->GetImageList();
    const bool hasImage = images && item->ImageIndex() >= 0;
    const fw::TSize glyph = GlyphSize(item);
    if (State.Contains(fw::odChecked) && !item->HasBitmap() && !hasImage) {
      const int global = skin->GetSkinIndex(u"GLOBALINFO");
      int mask = skin->GetMaskIndex(global, u"GLOBALINFO", item->RadioItem() ? u"RADIOCHECKED" : u"CHECK");
      if (!skin->IsValidImgIndex(mask)) mask = skin->GetMaskIndex(global, u"GLOBALINFO", u"BOXCHECKED");
      if (skin->IsValidImgIndex(mask)) {
        const TkMaskData& m = skin->ma[size_t(mask)];
        const int fw_ = MaskFrameWidth(m), fh = MaskFrameHeight(m);
        const int left = bidi ? W - 2 - fw_ : 2;
        DrawMaskGlyph(v, fw::TPoint{left + Margin, (H - fh) / 2}, hot ? 1 : 0, gmNormal, m, self,
                      MaskSourceView(*skin, m));
      }
    }
    GdiFlush();
    fw::TCanvas& c = *itemBmp->Canvas();
    auto pressedFrame = [&](const fw::TRect& r) {
      const int speed = skin->GetSkinIndex(u"SPEEDBUTTON_SMALL");
      if (speed >= 0 && State.Contains(fw::odChecked))
        PaintSection(v, *skin, speed, fw::Rect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1), 2, v, {0, 0});
    };
    if (item->HasBitmap() && !item->Bitmap()->Empty()) {
      fw::TBitmap* b = item->Bitmap();
      const int top = (H - b->Height()) / 2;
      const int left = bidi ? W - top - b->Width() : std::min(3, top);
      pressedFrame(fw::Rect(left, top, left + b->Width(), top + b->Height()));
      if (b->PixelFormat() == fw::pf32bit)
        CopyAlphaImage(v, fw::Rect(left, top, left + b->Width() - 1, top + b->Height() - 1), View32(*b),
                       fw::Rect(0, 0, b->Width() - 1, b->Height() - 1), self, false);
      else
        c.Draw(left, top, b);
    } else if (hasImage) {
      const int top = (H - images->Height()) / 2;
      const int left = bidi ? W - top - images->Width() : std::min(3, top);
      pressedFrame(fw::Rect(left, top, left + images->Width(), top + images->Height()));
      images->Draw(&c, left, top, item->ImageIndex(), true);
    } else if (fw::TMenu* menu = item->GetParentMenu(); menu && menu->Name().rfind(u"kcSysMenu", 0) == 0) {
      const char16_t* ch = item->Tag() == 0xF020   ? u"0"
                           : item->Tag() == 0xF030 ? u"1"
                           : item->Tag() == 0xF060 ? u"r"
                           : item->Tag() == 0xF120 ? u"2"
                                                   : nullptr;
      if (ch) {
        c.Font()->SetName(u"Webdings");
        c.Font()->SetStyle({});
        c.Font()->SetSize(10);
        const int th = CanvasTextSize(c, ch).y;
        fw::TRect r = bidi ? fw::Rect(W - 4 - th, (H - th) / 2, W - 4, (H - th) / 2 + th)
                           : fw::Rect(4, (H - th) / 2, th + 14, (H - th) / 2 + th);
        DrawSectionText(c, ch, true, r, (bidi ? DT_RIGHT : DT_LEFT) | DT_SINGLELINE, section, hot ? 1 : 0, skin);
      }
    }
    // Texts.
    SetMenuFont(c, item, State.Contains(fw::odDefault) || item->Default());
    // A colour of the program's own writes the texts without the skin's.
    const int textSection = AskItemData(item, State, c) ? -1 : section;
    const int textLeft = glyph.cx + 2 * Margin + Spacing;
    fw::TRect r = bidi ? fw::Rect(0, 1, ARect.Width() - textLeft - E, H) : fw::Rect(textLeft, 1, ARect.Width(), H);
    r.Top += Margin;
    r.Bottom -= Margin;
    fw::String caption = item->Caption();
    fw::String rightText;
    UINT format;
    if (const size_t tab = caption.find(u'\t'); tab != fw::String::npos) {
      rightText = caption.substr(tab + 1);
      caption.resize(tab);
      format = DT_LEFT;
    } else if (!caption.empty() && caption.front() == u'\x08') {
      caption = caption.substr(1) + u"      ";
      format = DT_RIGHT;
    } else {
      format = Alignment == fw::taRightJustify ? DT_RIGHT : Alignment == fw::taCenter ? DT_CENTER : DT_LEFT;
    }
    format |= DT_EXPANDTABS | DT_VCENTER | DT_NOCLIP;
    format |= caption.find(u'\r') != fw::String::npos ? DT_WORDBREAK : DT_SINGLELINE;
    if (bidi) format |= DT_RIGHT | DT_RTLREADING;
    if (State.Contains(fw::odNoAccel)) format |= DT_HIDEPREFIX;
    DrawSectionText(c, caption, true, r, format, textSection, hot ? 1 : 0, skin);
    const fw::String shortcut = item->ShortCut() != 0 ? fw::ShortCutToText(item->ShortCut()) : fw::String();
    if (!shortcut.empty()) {
      fw::TRect m = fw::Rect(0, 0, 0, 0);
      DrawTextOnCanvas(c, shortcut, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE, m);
      r = fw::Rect(bidi ? 6 : ARect.Width() - m.Width() - 8, 0, ARect.Width() - 8, H);
      r = ShiftRect(r, -E, 0);
      DrawSectionText(c, shortcut, true, r, DT_LEFT | DT_SINGLELINE | DT_VCENTER, textSection, hot ? 1 : 0, skin);
    }
    if (!rightText.empty()) {
      r.Right -= 8;
      r = ShiftRect(r, -E, 0);
      DrawSectionText(c, rightText, true, r, DT_RIGHT | DT_SINGLELINE | DT_VCENTER, textSection, hot ? 1 : 0,
                      skin);
    }
    GdiFlush();
    OnDrawItem(item, &c, fw::Rect(0, 0, W, H), State, smNormal);
    if (!enabled) {
      const fw::TRect src = ShiftRect(ARect, E + BorderWidth, BorderWidth);
      BlendBitmapRectKeyed(v, 0, 0, bgView, fw::Rect(src.Left, src.Top, src.Right - 1, src.Bottom - 1), 0.4,
                           clSkinKey);
    }
    BitBlt(ACanvas->Handle(), ARect.Left + E, ARect.Top, W, H, c.Handle(), 0, 0, SRCCOPY);
    // The band, beside the first item, down the whole popup.
    if (E > 0 && !shown.empty() && shown.front() == item)
      BitBlt(ACanvas->Handle(), 0, 0, E, bg.Height(), bg.Canvas()->Handle(), 3, 3, SRCCOPY);
  } catch (...) {
  }
}

// ---- Hooking

bool TkSkinableMenus::IsTopLine(const fw::TMenuItem* Item) {
  fw::TMenu* menu = Item ? Item->GetParentMenu() : nullptr;
  return menu && dynamic_cast<fw::TMainMenu*>(menu) && Item->Parent() == menu->Items();
}

void TkSkinableMenus::PopupHandlers(fw::TMenuItem* Item, bool A, bool SkipTopLine) {
  const fw::TAdvancedMenuDrawItemEvent draw(this, &TkSkinableMenus::sAdvancedDrawItem);
  const fw::TMenuMeasureItemEvent measure(this, &TkSkinableMenus::sMeasureItem);
  if (A) {
    if (!(SkipTopLine && IsTopLine(Item))) {
      if (!Item->OnAdvancedDrawItem) Item->OnAdvancedDrawItem = draw;
      if (!Item->OnMeasureItem) Item->OnMeasureItem = measure;
    }
  } else {
    if (Item->OnAdvancedDrawItem == draw) Item->OnAdvancedDrawItem = nullptr;
    if (Item->OnMeasureItem == measure) Item->OnMeasureItem = nullptr;
  }
  for (int i = 0; i < Item->Count(); ++i) PopupHandlers(Item->Items(i), A, SkipTopLine);
}

void TkSkinableMenus::HookItem(fw::TMenuItem* MenuItem, bool A) {
  if (!MenuItem) return;
  for (int i = 0; i < MenuItem->Count(); ++i) PopupHandlers(MenuItem->Items(i), A, true);
}

void TkSkinableMenus::HookPopupMenu(fw::TMenu* Menu, bool A) {
  if (!Menu) return;
  const bool skinned = A && FManager && FManager->SkinnedPopups();
  Menu->SetOwnerDraw(skinned);
  if (auto* popup = dynamic_cast<fw::TPopupMenu*>(Menu)) {
    fw::TMenuAnimation anim = popup->MenuAnimation();
    if (A)
      anim.Include(fw::maNone);
    else
      anim.Exclude(fw::maNone);
    popup->SetMenuAnimation(anim);
  }
  for (int i = 0; i < Menu->Items()->Count(); ++i) PopupHandlers(Menu->Items()->Items(i), A, false);
}

void TkSkinableMenus::InitMenuLine(fw::TMainMenu* Menu, bool A) {
  if (!Menu) return;
  const fw::TAdvancedMenuDrawItemEvent draw(this, &TkSkinableMenus::sAdvancedDrawLineItem);
  const fw::TMenuMeasureItemEvent measure(this, &TkSkinableMenus::sMeasureLineItem);
  fw::TMenuItem* root = Menu->Items();
  if (A) {
    if (FManager && FManager->Active()) {
      if (!FManager->SkinnedPopups()) return;
      for (int i = 0; i < root->Count(); ++i) {
        root->Items(i)->OnAdvancedDrawItem = draw;
        root->Items(i)->OnMeasureItem = measure;
      }
    }
  } else {
    for (int i = 0; i < root->Count(); ++i) {
      if (root->Items(i)->OnAdvancedDrawItem == draw) root->Items(i)->OnAdvancedDrawItem = nullptr;
      if (root->Items(i)->OnMeasureItem == measure) root->Items(i)->OnMeasureItem = nullptr;
    }
  }
  if (!Menu->ComponentState().Contains(fw::csDestroying) && root->Count() > 0) Menu->SetOwnerDraw(A);
}

void TkSkinableMenus::InitItem(fw::TMenuItem* Item, bool A) {
  if (!Item) return;
  if (!A) {
    PopupHandlers(Item, false, false);
    return;
  }
  if (IsTopLine(Item)) {
    Item->OnAdvancedDrawItem = fw::TAdvancedMenuDrawItemEvent(this, &TkSkinableMenus::sAdvancedDrawLineItem);
    Item->OnMeasureItem = fw::TMenuMeasureItemEvent(this, &TkSkinableMenus::sMeasureLineItem);
    return;
  }
  if (!FManager || !FManager->SkinnedPopups()) return;
  if (!Item->OnAdvancedDrawItem) Item->OnAdvancedDrawItem = fw::TAdvancedMenuDrawItemEvent(this, &TkSkinableMenus::sAdvancedDrawItem);
  if (!Item->OnMeasureItem) Item->OnMeasureItem = fw::TMenuMeasureItemEvent(this, &TkSkinableMenus::sMeasureItem);
}

void TkSkinableMenus::InitComponentMenus(fw::TComponent* Owner, bool A) {
  const bool popups = A && FManager && FManager->SkinnedPopups();
  for (int i = 0; i < Owner->ComponentCount(); ++i) {
    fw::TComponent* c = Owner->Components(i);
    if (auto* main = dynamic_cast<fw::TMainMenu*>(c)) {
      InitMenuLine(main, A);
      for (int j = 0; j < main->Items()->Count(); ++j) HookItem(main->Items()->Items(j), popups);
    } else if (auto* popup = dynamic_cast<fw::TPopupMenu*>(c)) {
      HookPopupMenu(popup, popups);
    } else if (auto* item = dynamic_cast<fw::TMenuItem*>(c)) {
      fw::TMenu* menu = item->GetParentMenu();
      if (!dynamic_cast<fw::TMainMenu*>(menu)) HookItem(item, popups);
    }
    InitComponentMenus(c, A);
  }
}

void TkSkinableMenus::InitItems(bool A) {
  FActive = A;
  if (fw::Application) InitComponentMenus(fw::Application, A);
}

void TkSkinableMenus::SetActive(bool Value) {
  if (Value == FActive) return;
  InitItems(Value);
}

void TkSkinableMenus::UpdateMenus() { SetActive(FManager && FManager->CommonSkinData().Active); }

TkSkinableMenus* SkinableMenusOf(TkSkinManager* Manager) {
  if (!Manager) return nullptr;
  for (int i = 0; i < Manager->ComponentCount(); ++i)
    if (auto* menus = dynamic_cast<TkSkinableMenus*>(Manager->Components(i))) return menus;
  return new TkSkinableMenus(Manager);
}

TkSkinableMenus* DefaultSkinableMenus() { return SkinableMenusOf(DefaultSkinManager); }

void RegisterMenuLinks() {
  TkSkinningLinks& links = SkinningLinks();
  links.UpdateMenus = [](TkSkinManager* m) {
    if (TkSkinableMenus* menus = SkinableMenusOf(m)) menus->UpdateMenus();
  };
  links.ResetMenuBorderWidth = [](TkSkinManager* m) {
    if (TkSkinableMenus* menus = SkinableMenusOf(m)) menus->SkinBorderWidth = -1;
  };
  links.DrawMenuBorder = [](TkSkinManager* m, void* item, HWND wnd) {
    if (TkSkinableMenus* menus = SkinableMenusOf(m)) menus->DrawPostedBorder(item, wnd);
  };
}

FW_REGISTER(TkSkinableMenus) {}

}  // namespace skin
