#include "skin/forms/menu_line.h"

#include <algorithm>
#include <map>

#include "fw/graphics/imagelist.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "fw/system/wndregistry.h"
#include "skin/engine/alpha_text.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/common_data.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/section_paint.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/text_out.h"
#include "skin/forms/core/menu_line_layout.h"
#include "skin/forms/provider_mdi.h"
#include "skin/forms/skin_provider.h"
#include "skin/forms/skinned_menus.h"

namespace skin {

namespace {

std::map<fw::TCustomForm*, TkMenuLine*>& Lines() {
  static std::map<fw::TCustomForm*, TkMenuLine*> lines;
  return lines;
}

bool MenuUpdating = false;

// The small icon of a window: its own, its class's, the application's, or
// the system's.
HICON SmallIconOf(HWND wnd) {
  HICON icon = reinterpret_cast<HICON>(SendMessageW(wnd, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(wnd, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(wnd, WM_GETICON, ICON_BIG, 0));
  if (!icon && fw::Application && fw::Application->Handle())
    icon = reinterpret_cast<HICON>(SendMessageW(fw::Application->Handle(), WM_GETICON, ICON_SMALL2, 0));
  if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
  return icon;
}

// The bar position of a menu item: the system puts entries of its own in
// the bar too (a maximised MDI child's window menu first), so positions
// are found by the item each entry carries.
int BarPosition(HMENU bar, const fw::TMenuItem* item) {
  const int count = GetMenuItemCount(bar);
  for (int pos = 0; pos < count; ++pos) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (GetMenuItemInfoW(bar, UINT(pos), TRUE, &info) && info.dwItemData == reinterpret_cast<ULONG_PTR>(item))
      return pos;
  }
  return -1;
}

}  // namespace

HWND MDIIconChild() {
  if (!MDISkinProvider) return nullptr;
  fw::TCustomForm* frame = MDISkinProvider->Form();
  if (!frame || frame->FormStyle() != fw::fsMDIForm || !frame->HandleAllocated()) return nullptr;
  const HWND client = MDIClientOf(frame->Handle());
  if (!client) return nullptr;
  const HWND child = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
  if (!child || !IsZoomed(child)) return nullptr;
  // A skinned child form's window has lost its system-menu style to its
  // skin: its border icons tell.
  if (auto* form = dynamic_cast<fw::TCustomForm*>(fw::FindControl(child)))
    return form->BorderIcons().Contains(fw::biSystemMenu) ? child : nullptr;
  return GetWindowLongW(child, GWL_STYLE) & WS_SYSMENU ? child : nullptr;
}

TkMenuLine::TkMenuLine(fw::TCustomForm* Form) : FForm(Form) {
  if (FForm) Lines()[FForm] = this;
}

TkMenuLine::~TkMenuLine() {
  auto it = Lines().find(FForm);
  if (it != Lines().end() && it->second == this) Lines().erase(it);
}

TkMenuLine* TkMenuLine::Of(HWND Wnd) {
  for (auto& [form, line] : Lines())
    if (form->HandleAllocated() && form->Handle() == Wnd) return line;
  return nullptr;
}

TkSkinableMenus* TkMenuLine::Menus() const { return SkinableMenusOf(Manager); }

bool TkMenuLine::MenuPresent() const {
  if (!FForm || FForm->BorderStyle() == fw::bsDialog || FForm->FormStyle() == fw::fsMDIChild) return false;
  fw::TMainMenu* menu = FForm->Menu();
  if (!menu || menu->AutoMerge()) return false;
  auto anyVisible = [](const fw::TMainMenu* m) {
    for (int i = 0; i < m->Items()->Count(); ++i)
      if (m->Items()->Items(i)->Visible()) return true;
    return false;
  };
  if (anyVisible(menu)) return true;
  // An MDI frame shows its active child's menu.
  fw::TCustomForm* child = FForm->FormStyle() == fw::fsMDIForm ? FForm->ActiveMDIChild() : nullptr;
  return child && child->Menu() && anyVisible(child->Menu());
}

bool TkMenuLine::DrawsLine(const TkFormFrameFacts& Frame) const {
  return Frame.HasMainMenu && MenuPresent() && MenuHeight(Frame) > 0 && FDrawNonClientArea && Manager &&
         Manager->SkinnedPopups();
}

void TkMenuLine::InitMenus() {
  if (MenusInitialized || !FForm) return;
  if (FForm->Menu())
    if (TkSkinableMenus* menus = Menus()) menus->InitMenuLine(FForm->Menu(), FDrawNonClientArea);
  MenusInitialized = UpdateMenu();
}

bool TkMenuLine::UpdateMenu() {
  if (MenuUpdating) return false;
  fw::TMainMenu* menu = FForm ? FForm->Menu() : nullptr;
  if (!menu || menu->Items()->Count() == 0) return false;
  MenuUpdating = true;
  // The change the rebuild tells the form is held back until the update
  // ends.
  struct TGuard {
    TkCommonData* Data;
    explicit TGuard(TkCommonData* data) : Data(data) {
      if (Data) Data->BeginUpdate();
    }
    ~TGuard() {
      if (Data) Data->EndUpdate(false);
      MenuUpdating = false;
    }
    TGuard(const TGuard&) = delete;
    TGuard& operator=(const TGuard&) = delete;
  } guard(SkinData);
  menu->Items()->Items(0)->MenuChanged(true);
  menu->AdjustBiDiBehavior();
  return true;
}

void TkMenuLine::InitMenuItems(bool A) {
  TkSkinableMenus* menus = Menus();
  if (!menus || !FForm || !Manager || !Manager->IsDefault()) return;
  const bool popups = A && Manager->SkinnedPopups();
  std::function<void(fw::TComponent*)> walk = [&](fw::TComponent* owner) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
      fw::TComponent* c = owner->Components(i);
      if (auto* main = dynamic_cast<fw::TMainMenu*>(c)) {
        menus->InitMenuLine(main, A && FDrawNonClientArea);
        for (int j = 0; j < main->Items()->Count(); ++j) menus->HookItem(main->Items()->Items(j), popups);
      } else if (auto* popup = dynamic_cast<fw::TPopupMenu*>(c)) {
        menus->HookPopupMenu(popup, popups);
      } else if (auto* item = dynamic_cast<fw::TMenuItem*>(c)) {
        if (dynamic_cast<fw::TMainMenu*>(item->GetParentMenu()))
          walk(item);
        else
          menus->HookItem(item, popups);
      }
    }
  };
  walk(FForm);
}

void TkMenuLine::RepaintMenu() {
  MenuChanged = true;
  FLinesCount = -1;
  if (RequestRepaint) RequestRepaint();
}

void TkMenuLine::Paint(fw::TBitmap& Image, const TkFormFrameFacts& Frame, int State) {
  FImage = &Image;
  FState = State;
  TkSkinableMenus* menus = Menus();
  TkLoadedSkin* skin = menus ? menus->ActiveSkin() : nullptr;
  if (!skin || !DrawsLine(Frame) || !FForm->HandleAllocated()) return;
  const HWND wnd = FForm->Handle();
  const fw::TRect shadow = ShadowSize(Frame);
  const int rows = std::max(1, Frame.MenuRows);
  const int top = FrameHeightOf(Frame, false) + CaptionHeight(Frame, true) + shadow.Top;
  const int height = rows * MenuHeight(Frame) + 1;
  const int width = Image.Width() - shadow.Left - shadow.Right;
  if (width <= 0 || top + height > Image.Height()) return;
  const TPixelView32 v = View32(Image);
  // Background.
  int section = MenuLineSkin.empty() ? -1 : skin->GetSkinIndex(MenuLineSkin);
  if (section < 0) section = skin->GetSkinIndex(u"MENULINE");
  if (section >= 0) {
    TSectionPaint p;
    p.SkinIndex = section;
    p.SectionName = skin->gd[size_t(section)].ClassName;
    p.State = std::min(State, 1);
    p.R = fw::Rect(shadow.Left, top, shadow.Left + width, top + height);
    p.CI.Bmp = v;
    p.CI.Ready = true;
    PaintSectionRect(v, *skin, p);
    GdiFlush();
  }
  // The clean copy the items are painted over.
  FOrigin = fw::TPoint{shadow.Left, top};
  FMenuLineBmp.SetPixelFormat(fw::pf32bit);
  FMenuLineBmp.SetSize(width, height);
  BitBlt(FMenuLineBmp.Canvas()->Handle(), 0, 0, width, height, Image.Canvas()->Handle(), shadow.Left, top, SRCCOPY);
  // The maximised MDI child's icon where its window menu sits.
  if (const HWND child = MDIIconChild(); child && MDISkinProvider->Form() == FForm) {
    const int size = MenuHeight(Frame) - 2;
    DrawIconEx(Image.Canvas()->Handle(), FrameWidthOf(Frame, true) + shadow.Left + 1, top + 1, SmallIconOf(child),
               size, size, 0, nullptr, DI_NORMAL);
  }
  // Items.
  InitMenus();
  fw::TMainMenu* menu = FForm->Menu();
  const HMENU bar = GetMenu(wnd);
  if (!menu || !bar) return;
  RECT window{};
  GetWindowRect(wnd, &window);
  FWindowOffset = fw::TPoint{shadow.Left + ExtFrameDelta(Frame), shadow.Top + ExtTitleDelta(Frame)};
  FBordered = Frame.BorderForm != nullptr;
  // Items without the line painter's handlers (the program replaced them)
  // get them back.
  for (int i = 0; i < menu->Items()->Count(); ++i) {
    fw::TMenuItem* item = menu->Items()->Items(i);
    if (!item->Visible() || (item->OnAdvancedDrawItem && item->OnMeasureItem)) continue;
    if (menu->OwnerDraw()) {
      menus->InitMenuLine(menu, true);
    } else {
      MenusInitialized = false;
      InitMenus();
    }
  }
  // The system's rectangle of a bar position, in image coordinates (with a
  // border window the window lies inside the wider frame).
  const int dx = FWindowOffset.x - window.left, dy = FWindowOffset.y - window.top;
  auto barRect = [&](HMENU Bar, HWND Owner, int Position, fw::TRect& Rect) {
    RECT r{};
    if (Position < 0 || !GetMenuItemRect(Owner, Bar, UINT(Position), &r)) return false;
    Rect = fw::Rect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
    return true;
  };
  auto facts = [](const fw::TMenuItem* item, int Width) {
    return TkLineItemFacts{item->GroupIndex(), item->Visible(), item->OnAdvancedDrawItem && item->OnMeasureItem,
                           Width};
  };
  TkMenuLineInput in;
  in.StartX = FrameWidthOf(Frame, true) + shadow.Left;
  in.StartY = top;
  in.RowHeight = MenuHeight(Frame);
  in.Limit = Frame.Width - 2 * FrameWidthOf(Frame, true) - 2 * Frame.FormBorderWidth;
  for (int i = 0; i < menu->Items()->Count(); ++i) {
    fw::TMenuItem* item = menu->Items()->Items(i);
    fw::TRect r;
    in.Frame.push_back(facts(item, barRect(bar, wnd, BarPosition(bar, item), r) ? r.Width() : 0));
  }
  // The maximised child's window menu stands first in the bar.
  if (MDIIconChild() && MDISkinProvider->Form() == FForm) {
    fw::TRect r;
    if (barRect(bar, wnd, 0, r)) in.IconWidth = r.Width();
  }
  // The active MDI child's items, as wide as in the child's own bar; an MDI
  // child shows no bar of its own, and then they are as wide as in the
  // frame's bar, where its menu is merged.
  fw::TCustomForm* child = FForm->FormStyle() == fw::fsMDIForm ? FForm->ActiveMDIChild() : nullptr;
  fw::TMainMenu* childMenu = child ? child->Menu() : nullptr;
  if (childMenu) {
    const HWND childWnd = child->Handle();
    const bool ownBar = !(GetWindowLongW(childWnd, GWL_STYLE) & WS_CHILD) && IsMenu(GetMenu(childWnd));
    for (int i = 0; i < childMenu->Items()->Count(); ++i) {
      fw::TMenuItem* item = childMenu->Items()->Items(i);
      RECT r{};
      int width = 0;
      if (ownBar) {
        const HMENU childBar = GetMenu(childWnd);
        const int position = BarPosition(childBar, item);
        if (position >= 0 && GetMenuItemRect(childWnd, childBar, UINT(position), &r)) width = r.right - r.left;
      } else {
        fw::TRect inFrame;
        if (barRect(bar, wnd, BarPosition(bar, item), inFrame)) width = inFrame.Width();
      }
      in.Child.push_back(facts(item, width));
    }
  }
  for (const TkLinePlace& place : MenuLineLayout(in)) {
    if (place.Child) {
      fw::TMenuItem* item = childMenu->Items()->Items(place.Index);
      fw::TRect rect = fw::Rect(place.X, place.Y, place.X + place.Width, place.Y + in.RowHeight);
      // A bar laid out from the right puts the items where the line's own
      // count from the left cannot: there they stand where the bar has them.
      if (menu->UseRightToLeftAlignment()) barRect(bar, wnd, BarPosition(bar, item), rect);
      if (place.Width > 0 && item->OnAdvancedDrawItem)
        item->OnAdvancedDrawItem(item, Image.Canvas(), rect, fw::TOwnerDrawState());
      continue;
    }
    fw::TMenuItem* item = menu->Items()->Items(place.Index);
    fw::TRect rect;
    if (!barRect(bar, wnd, BarPosition(bar, item), rect)) continue;
    fw::TOwnerDrawState state = fw::TOwnerDrawState::FromMask(0x500);
    if (!item->Enabled()) state.Include(fw::odGrayed);
    if (item->OnAdvancedDrawItem) item->OnAdvancedDrawItem(item, Image.Canvas(), rect, state);
  }
  MenuChanged = false;
  GdiFlush();
}

// ---- The line painter of the skinned menus

void TkSkinableMenus::sMeasureLineItem(fw::TObject* Sender, fw::TCanvas* ACanvas, int& Width, int& Height) {
  auto* item = dynamic_cast<fw::TMenuItem*>(Sender);
  if (!item || !ACanvas) return;
  Height = GetSystemMetrics(SM_CYMENU) - 1;
  if (fw::Screen) ACanvas->Font()->Assign(fw::Screen->MenuFont());
  Width = CanvasTextWidth(*ACanvas, fw::StripHotkey(item->Caption()));
  fw::TMenu* menu = item->GetParentMenu();
  if (menu && menu->Images() && item->ImageIndex() >= 0)
    Width += menu->Images()->Width() + 6;
  else if (item->HasBitmap() && !item->Bitmap()->Empty())
    Width += item->Bitmap()->Width() + 6;
}

void TkSkinableMenus::sAdvancedDrawLineItem(fw::TObject* Sender, fw::TCanvas* ACanvas, const fw::TRect& ARect,
                                            fw::TOwnerDrawState State) {
  auto* item = dynamic_cast<fw::TMenuItem*>(Sender);
  TkLoadedSkin* skin = ActiveSkin();
  fw::TMenu* menu = item ? item->GetParentMenu() : nullptr;
  TkMenuLine* line = menu ? TkMenuLine::Of(menu->WindowHandle()) : nullptr;
  // An MDI child's items are shown in its frame's line.
  if ((!line || line->MenuLineBmp().Width() == 0) && MDISkinProvider) line = &MDISkinProvider->Menus().Line();
  if (!skin || !ACanvas || !line || !line->Image() || line->MenuLineBmp().Width() == 0) return;
  const int W = ARect.Width(), H = ARect.Height();
  if (W <= 0 || H <= 0) return;
  try {
    auto bmp = NewBitmap32(W, H);
    const TPixelView32 v = View32(*bmp);
    fw::TBitmap& lineBmp = line->MenuLineBmp();
    const TPixelView32 lineView = View32(lineBmp);
    // The system draws a tracked item onto the window, whose corner lies
    // inside the image when a border window widens it.
    const fw::TPoint into = ACanvas == line->Image()->Canvas() ? fw::TPoint{0, 0} : line->WindowOffset();
    const int X = ARect.Left + into.x - line->Origin().x, Y = ARect.Top + into.y - line->Origin().y;
    BitBlt(bmp->Canvas()->Handle(), 0, 0, W, H, lineBmp.Canvas()->Handle(), X, Y, SRCCOPY);
    GdiFlush();
    const bool enabled = item->Enabled() && !State.Contains(fw::odGrayed) && !State.Contains(fw::odDisabled);
    const bool hot = enabled && (State.Contains(fw::odSelected) || State.Contains(fw::odHotLight));
    const int section = skin->GetSkinIndex(u"MENUITEM");
    if (section >= 0) {
      TSectionPaint p;
      p.SkinIndex = section;
      p.SectionName = u"MENUITEM";
      p.State = hot ? 1 : 0;
      p.R = fw::Rect(0, 0, W, H);
      p.CI.Bmp = lineView;
      p.CI.X = X;
      p.CI.Y = Y;
      p.CI.Ready = true;
      PaintSectionRect(v, *skin, p);
      GdiFlush();
    }
    fw::TCanvas& c = *bmp->Canvas();
    // A bar read right to left has the picture at the item's right end.
    const bool bidi = menu->UseRightToLeftAlignment();
    int glyphWidth = 0;
    if (item->HasBitmap() && !item->Bitmap()->Empty()) {
      fw::TBitmap* b = item->Bitmap();
      if (enabled)
        c.Draw(bidi ? W - b->Width() - 3 : 3, (H - b->Height()) / 2, b);
      else
        c.Draw(3, 1, b);
      glyphWidth = b->Width() + 3;
    } else if (menu->Images() && item->ImageIndex() >= 0) {
      fw::TCustomImageList* images = menu->Images();
      images->Draw(&c, bidi ? W - images->Width() - 3 : 3, (H - images->Height()) / 2, item->ImageIndex(), true);
      glyphWidth = images->Width() + 3;
    }
    SetMenuFont(c, item, State.Contains(fw::odDefault));
    fw::TRect r = fw::Rect(bidi ? 2 - glyphWidth : 2 + glyphWidth, 0, W - 2 * Margin + 2, H);
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
    if (line->Form() && line->Form()->HandleAllocated() &&
        (GetWindowLongW(line->Form()->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING))
      format |= DT_RTLREADING;
    if (State.Contains(fw::odNoAccel)) format |= DT_HIDEPREFIX;
    if (Alignment == fw::taRightJustify) format |= DT_RIGHT;
    const int lineSection = skin->GetSkinIndex(u"MENULINE");
    // The image of a border window is shown by its alpha: the text must
    // be opaque in it.
    if (line->Bordered())
      DrawSectionTextAlpha(*bmp, item->Caption(), true, r, format, lineSection, hot, skin);
    else
      DrawSectionText(c, item->Caption(), true, r, format, lineSection, hot ? 1 : 0, skin);
    GdiFlush();
    OnDrawItem(item, &c, bidi ? fw::Rect(W - glyphWidth, 0, W, H) : fw::Rect(0, 0, glyphWidth, H), State, smTopLine);
    if (!enabled)
      BlendBitmapRectKeyed(v, 0, 0, lineView, fw::Rect(X, Y, X + W - 1, Y + H - 1), 102.0 / 255.0, clSkinKey);
    BitBlt(ACanvas->Handle(), ARect.Left, ARect.Top, W, H, c.Handle(), 0, 0, SRCCOPY);
  } catch (...) {
  }
}

}  // namespace skin
