#include "skin/controls/tab_control_wnd.h"

#include <commctrl.h>

#include <algorithm>

#include "fw/graphics/gdi_handles.h"
#include "skin/controls/adapter_paint.h"
#include "skin/controls/control_cache.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"
#include "skin/engine/window_utils.h"

namespace skin {

namespace {

fw::TRect FromRECT(const RECT& r) { return fw::Rect(r.left, r.top, r.right, r.bottom); }
fw::TRect Moved(fw::TRect r, fw::TPoint o) { return fw::Rect(r.Left + o.x, r.Top + o.y, r.Right + o.x, r.Bottom + o.y); }

struct TTabItem {
  fw::String Text;
  int Image = -1;
};

TTabItem ReadTab(HWND Wnd, int Index) {
  std::vector<wchar_t> buffer(4097, L'\0');
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
  item.pszText = buffer.data();
  item.cchTextMax = 4096;
  TTabItem t;
  if (SendMessageW(Wnd, TCM_GETITEMW, WPARAM(Index), reinterpret_cast<LPARAM>(&item))) {
    t.Text = FromW(item.pszText ? item.pszText : L"");
    t.Image = item.iImage;
  }
  return t;
}

void ResizeCache(std::unique_ptr<fw::TBitmap>& Cache, int W, int H) {
  W = std::max(W, 1);
  H = std::max(H, 1);
  if (!Cache || Cache->Width() != W || Cache->Height() != H) Cache = NewBitmap32(W, H);
}

// Copies a w x h piece of source at (sx, sy) into dest at (dx, dy), clipped.
void CopyPiece(const TPixelView32& Dest, int Dx, int Dy, const TPixelView32& Source, int Sx, int Sy, int W, int H) {
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const int tx = Dx + x, ty = Dy + y, fx = Sx + x, fy = Sy + y;
      if (tx >= 0 && ty >= 0 && tx < Dest.Width && ty < Dest.Height && fx >= 0 && fy >= 0 && fx < Source.Width &&
          fy < Source.Height)
        Dest.Pixel(tx, ty) = Source.Pixel(fx, fy);
    }
}

}  // namespace

// ---- Tab control

TkcTabControlWnd::TkcTabControlWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params)
    : TkcMainWnd(AHandle, std::move(ASkin), Params) {}

TkcTabControlWnd::~TkcTabControlWnd() {
  Detach();
  BtnSW.reset();
}

void TkcTabControlWnd::Subclass() {
  if (FParams.SkinSection.empty()) FParams.SkinSection = u"PAGECONTROL";
  TkcMainWnd::Subclass();
  CheckUpDown();
  InvalidateRect(CtrlHandle, nullptr, TRUE);
}

int TkcTabControlWnd::TabCount() const { return int(SendMessageW(CtrlHandle, TCM_GETITEMCOUNT, 0, 0)); }
int TkcTabControlWnd::ActiveTabIndex() const { return int(SendMessageW(CtrlHandle, TCM_GETCURSEL, 0, 0)); }
int TkcTabControlWnd::RowCount() const { return int(SendMessageW(CtrlHandle, TCM_GETROWCOUNT, 0, 0)); }

fw::TRect TkcTabControlWnd::TabRect(int Index) const {
  RECT r{};
  if (Index < 0 || Index >= TabCount() || !SendMessageW(CtrlHandle, TCM_GETITEMRECT, WPARAM(Index), LPARAM(&r)))
    return {};
  return FromRECT(r);
}

TkTabPosition TkcTabControlWnd::TabPosition() const {
  return TabPositionOf(uint32_t(GetWindowLongPtrW(CtrlHandle, GWL_STYLE)));
}

TkTabStyle TkcTabControlWnd::Style() const { return TabStyleOf(uint32_t(GetWindowLongPtrW(CtrlHandle, GWL_STYLE))); }

fw::TRect TkcTabControlWnd::ClientRect() const {
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  RECT r{0, 0, g.WndSize.x, g.WndSize.y};
  SendMessageW(CtrlHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return TabClientRect(FromRECT(r));
}

fw::TRect TkcTabControlWnd::PageRect() const {
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  return TabPageRect(g.WndSize.x, g.WndSize.y, TabCount() > 0, TabPosition(), ClientRect());
}

fw::TRect TkcTabControlWnd::TabsRect() const {
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  return TabStripRect(g.WndSize.x, g.WndSize.y, TabCount() > 0, TabPosition(), ClientRect());
}

int TkcTabControlWnd::TabRow(int Index) const {
  return skin::TabRow(TabRect(Index), TabsRect(), RowCount(), TabPosition());
}

fw::TRect TkcTabControlWnd::SkinTabRect(int Index, bool Active) const {
  if (Index < 0 || Index >= TabCount()) return {};
  return skin::SkinTabRect(TabRect(Index), Active, TabPosition(), Style());
}

void TkcTabControlWnd::CheckUpDown() {
  if (!Skinned()) return;
  HWND upDown = FindWindowExW(CtrlHandle, nullptr, L"msctls_updown32", nullptr);
  BtnSW.reset();
  if (!upDown) return;
  TkcSkinParams p;
  p.SkinSection = u"UPDOWNBTN";
  BtnSW.reset(AttachAdapter<TkcSpinWnd>(upDown, FSkin, p));
}

void TkcTabControlWnd::DrawTabContent(int Index, int State, fw::TRect R, int SkinIndex, fw::TBitmap& Bmp) {
  TkLoadedSkin* skin = Skin();
  const TTabItem item = ReadTab(CtrlHandle, Index);
  const TkTabPosition pos = TabPosition();
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(CtrlHandle, TCM_GETIMAGELIST, 0, 0));
  int cx = 0, cy = 0;
  if (images) ImageList_GetIconSize(images, &cx, &cy);
  const bool hasImage = images && item.Image >= 0;
  const bool active = State == 2;
  fw::TCanvas& canvas = *Bmp.Canvas();
  // The text colour: the tab section's, else the page's, else the skin's label colour.
  const int colorIndex = skin->IsValidSkinIndex(SkinIndex) ? SkinIndex : skin->GetSkinIndex(SkinSection());
  fw::TColor color = StateFontColor(*skin, colorIndex, State, skin->GetGlobalFontColor());
  // An owner-drawn page control draws the tab first; a font it changed
  // writes the text plainly.
  const bool plain = OwnerDrawTab(Index, State, R, SkinIndex, Bmp);
  if (plain) color = canvas.Font()->Color();
  if (pos == tpTop || pos == tpBottom) {
    if (!plain) SelectControlFont(canvas, FParams.Control, CtrlHandle);
    const int tw = CanvasTextWidth(canvas, item.Text);
    const TkTabContent c = PlaceTabContent(pos, R, active, hasImage, cx, cy, tw, 0);
    if (hasImage) ImageList_Draw(images, item.Image, canvas.Handle(), c.Image.x, c.Image.y, ILD_NORMAL);
    canvas.Font()->SetColor(color);
    fw::TRect t = c.Text;
    if (plain) {
      canvas.Brush()->SetStyle(fw::bsClear);
      DrawTextOnCanvas(canvas, item.Text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, t);
    } else {
      DrawSectionText(canvas, item.Text, true, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                      skin->IsValidSkinIndex(SkinIndex) ? SkinIndex : -1, State != 0 ? 1 : 0, skin);
    }
    return;
  }
  LOGFONTW lf{};
  GetObjectW(WindowFont(CtrlHandle), sizeof lf, &lf);
  AssignWindowFont(canvas, CtrlHandle, TabTextEscapement(pos), RotatedFaceName(FromW(lf.lfFaceName)));
  const fw::TPoint size = CanvasTextSize(canvas, item.Text);
  const TkTabContent c = PlaceTabContent(pos, R, active, hasImage, cx, cy, size.x, size.y);
  if (hasImage) ImageList_Draw(images, item.Image, canvas.Handle(), c.Image.x, c.Image.y, ILD_TRANSPARENT);
  canvas.Font()->SetColor(color);
  canvas.Brush()->SetStyle(fw::bsClear);
  CanvasTextRect(canvas, c.Clip, c.TextOrigin.x, c.TextOrigin.y, item.Text);
}

bool TkcTabControlWnd::OwnerDrawTab(int Index, int State, const fw::TRect& R, int SkinIndex, fw::TBitmap& Bmp) {
  auto* pc = dynamic_cast<fw::TPageControl*>(FParams.Control);
  if (!pc || !pc->OwnerDraw() || !pc->OnDrawTab.Assigned()) return false;
  TkLoadedSkin* skin = Skin();
  fw::TCanvas& canvas = *Bmp.Canvas();
  fw::TCanvas* own = pc->Canvas();
  fw::TFont given;
  {
    fw::TCanvasDCScope onDC(own, canvas.Handle());
    own->SetFont(pc->Font());
    // The section's text colour of the tab's look (clamped to its states).
    if (skin && skin->IsValidSkinIndex(SkinIndex))
      own->Font()->SetColor(StateFontColor(*skin, SkinIndex, State, own->Font()->Color()));
    given.Assign(own->Font());
    pc->OnDrawTab(pc, Index, R, State == 2);
  }
  const fw::TFont* after = own->Font();
  const bool changed =
      after->Color() != given.Color() || after->Style() != given.Style() || after->Name() != given.Name();
  canvas.SetFont(changed ? const_cast<fw::TFont*>(after) : &given);
  return changed;
}

void TkcTabControlWnd::DrawSkinTab(int Index, int State, fw::TPoint Offset, fw::TBitmap& Bmp) {
  TkLoadedSkin* skin = Skin();
  if (!skin || Index < 0 || Index >= TabCount() || !Cache) return;
  const bool active = State == 2 && Index == ActiveTabIndex();
  const fw::TRect R = SkinTabRect(Index, active);
  if (R.Width() <= 0 || R.Height() <= 0) return;
  const TkTabPosition pos = TabPosition();
  const TkTabStyle style = Style();
  int index = -1, mask = -1;
  if (style == tsTabs) {
    const TkcConstElementData& e = skin->ConstData.Tabs[size_t(pos == tpTop ? asTop : pos == tpBottom ? asBottom
                                                              : pos == tpLeft ? asLeft : asRight)];
    index = e.SkinIndex;
    mask = e.MaskIndex;
  } else {
    const fw::String name = TabSectionName(style, pos);
    index = skin->GetSkinIndex(name);
    mask = skin->GetMaskIndex(index, name, u"BORDERSMASK");
  }
  // The body needs the skin's tabs (any valid index, the first section
  // included) and the section's border.
  if (skin->IsValidSkinIndex(skin->ConstData.Tabs[asTop].SkinIndex) && skin->IsValidSkinIndex(index) &&
      skin->IsValidImgIndex(mask)) {
    auto t = NewBitmap32(R.Width(), R.Height());
    const TPixelView32 tv = View32(*t), bv = View32(Bmp), cv = View32(*Cache);
    const fw::TRect target = Moved(R, Offset);
    if (active) {
      CopyPiece(tv, 0, 0, cv, R.Left, R.Top, R.Width(), R.Height());
      CopyPiece(bv, target.Left, target.Top, tv, 0, 0, R.Width(), R.Height());
      PaintSection(bv, *skin, index, 2, target, MakeCacheInfo(tv, 0, 0), fw::TPoint{0, 0});
    } else {
      PaintSection(tv, *skin, index, State, fw::Rect(0, 0, R.Width(), R.Height()), MakeCacheInfo(cv, 0, 0),
                   fw::TPoint{R.Left, R.Top});
      // Top and left tabs stay out of the page.
      const fw::TRect page = Moved(PageRect(), Offset);
      for (int y = 0; y < R.Height(); ++y)
        for (int x = 0; x < R.Width(); ++x) {
          const int dx = target.Left + x, dy = target.Top + y;
          if ((pos == tpTop || pos == tpLeft) && dx >= page.Left && dx < page.Right && dy >= page.Top &&
              dy < page.Bottom)
            continue;
          if (dx >= 0 && dy >= 0 && dx < bv.Width && dy < bv.Height) bv.Pixel(dx, dy) = tv.Pixel(x, y);
        }
    }
  }
  GdiFlush();
  DrawTabContent(Index, State, Moved(R, Offset), index, Bmp);
}

void TkcTabControlWnd::DrawSkinTab(int Index, int State, HDC DC) {
  if (Index < 0) return;
  const fw::TRect r = SkinTabRect(Index, State == 2);
  if (r.Width() <= 0 || r.Height() <= 0) return;
  auto bmp = NewBitmap32(r.Width(), r.Height());
  // What the cache shows there is the tab's ground where the skin has no body.
  if (Cache) CopyPiece(View32(*bmp), 0, 0, View32(*Cache), r.Left, r.Top, r.Width(), r.Height());
  DrawSkinTab(Index, State, fw::TPoint{-r.Left, -r.Top}, *bmp);
  CopyToDC(DC, r.Left, r.Top, *bmp);
}

void TkcTabControlWnd::DrawSkinTabs(const TCacheInfo& CI) {
  FillFromBackground(View32(*Cache), TabsRect(), CI);
  const int rows = RowCount();
  const int active = ActiveTabIndex();
  for (int row = 1; row <= rows; ++row)
    for (int i = 0; i < TabCount(); ++i)
      if (i != active && TabRow(i) == row) DrawSkinTab(i, 0, fw::TPoint{0, 0}, *Cache);
}

void TkcTabControlWnd::KC_WMPaint(HDC DC) {
  TkLoadedSkin* skin = Skin();
  if (!skin || Updating) return;
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  BGChanged = true;
  const bool hasTabs = TabCount() > 0;
  const int pageIndex = skin->GetSkinIndex(PageSectionName(SkinSection(), hasTabs, TabPosition()));
  const TCacheInfo ci = WndParentCacheInfo(CtrlHandle, g).CI;
  ResizeCache(Cache, g.WndSize.x, g.WndSize.y);
  const TPixelView32 v = View32(*Cache);
  if (hasTabs) DrawSkinTabs(ci);
  const fw::TRect page = PageRect();
  if (skin->IsValidSkinIndex(pageIndex))
    PaintSection(v, *skin, pageIndex, 0, page, ci, fw::TPoint{page.Left, page.Top});
  else
    FillFromBackground(v, page, ci);
  BGChanged = false;
  if (!DC) return;
  const int active = ActiveTabIndex();
  const fw::TRect a = SkinTabRect(active, true);
  {
    fw::TSavedDC saved(DC);
    if (a.Width() > 0) ExcludeClipRect(DC, a.Left, a.Top, a.Right, a.Bottom);
    CopyToDC(DC, 0, 0, *Cache);
  }
  DrawSkinTab(active, 2, DC);
  if (auto* win = dynamic_cast<fw::TWinControl*>(FParams.Control)) PaintGraphicControls(DC, win, true, {0, 0});
}

void TkcTabControlWnd::RedrawSpin() {
  if (BtnSW && !BGChanged) RedrawWindow(BtnSW->CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
}

void TkcTabControlWnd::AnswerBackground(fw::TMessage& Message) {
  auto* info = reinterpret_cast<TkcBackgroundInfo*>(Message.LParam);
  if (!info) return;
  if (!Cache || BGChanged) KC_WMPaint(nullptr);
  if (!Cache) return;
  if (info->PleaseDraw && info->DrawDC) {
    BitBlt(info->DrawDC, info->R.Left, info->R.Top, info->R.Width(), info->R.Height(), Cache->Canvas()->Handle(),
           info->Offset.x + info->R.Left, info->Offset.y + info->R.Top, SRCCOPY);
    info->BgType = btCache;
    return;
  }
  info->Bmp = Cache.get();
  info->BgType = btCache;
}

void TkcTabControlWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcMainWnd::kcWndProc(Message);
  const bool visible = IsWindowVisible(CtrlHandle) != 0;
  switch (Message.Msg) {
    case WM_SKINCOMMAND:
      switch (SkinCommandCode(Message.WParam)) {
        case SKC_NEWSKIN:
          BGChanged = true;
          BroadcastToChildWindows(CtrlHandle, Message);
          InvalidateRect(CtrlHandle, nullptr, TRUE);
          return;
        case SKC_REMOVESKIN:
          BroadcastToChildWindows(CtrlHandle, Message);
          BtnSW.reset();
          InvalidateRect(CtrlHandle, nullptr, TRUE);
          RedrawWindow(CtrlHandle, nullptr, nullptr, 0x787);
          return;
        case SKC_REFRESH:
          BGChanged = true;
          InvalidateRect(CtrlHandle, nullptr, TRUE);
          CheckUpDown();
          BroadcastToChildWindows(CtrlHandle, Message);
          return;
        case SKC_UPDATEDONE:
          Updating = false;
          InvalidateRect(CtrlHandle, nullptr, TRUE);
          return;
        case SKC_CTRLQUERY: Message.Result = 1; return;
        case SKC_GETBGINFO: AnswerBackground(Message); return;
        default: break;
      }
      break;
    case WM_PAINT: {
      if (Message.WParam) {
        // Printing: the picture onto the given DC.
        KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
        RedrawSpin();
        return;
      }
      PaintThroughErase(Message);
      RedrawSpin();
      return;
    }
    case WM_ERASEBKGND:
      if (visible && !AnimationInProgress) {
        KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
        CheckUpDown();
      }
      Message.Result = 1;
      return;
    case WM_NCPAINT: Message.Result = 0; return;
    case WM_PRINTCLIENT:
      CheckUpDown();
      KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      RedrawSpin();
      return;
    case TCM_SETCURSEL:
      SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
      TkcMainWnd::kcWndProc(Message);
      SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
      RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
      return;
    default: break;
  }
  TkcWindowGeometry before;
  CaptureWindowGeometry(CtrlHandle, before);
  TkcMainWnd::kcWndProc(Message);
  if (!Skinned()) return;
  switch (Message.Msg) {
    case WM_SIZE: {
      CheckUpDown();
      TkcWindowGeometry now;
  CaptureWindowGeometry(CtrlHandle, now);
      if (now.WndSize.x < before.WndSize.x || now.WndSize.y < before.WndSize.y) RedrawWindow(CtrlHandle, nullptr, nullptr, 0x471);
      break;
    }
    case fw::CM_CONTROLLISTCHANGE: CheckUpDown(); break;
    default: break;
  }
}

// ---- Page control

std::vector<std::unique_ptr<TkcPageWnd>>& PageWndList() {
  static std::vector<std::unique_ptr<TkcPageWnd>> list;
  return list;
}

TkcPageControlWnd::~TkcPageControlWnd() {
  Detach();
  // The pages go back to their own painting with the control's.
  auto& list = PageWndList();
  std::erase_if(list, [this](const std::unique_ptr<TkcPageWnd>& p) { return p->Owner == this; });
}

fw::TPageControl* TkcPageControlWnd::PageControl() const { return dynamic_cast<fw::TPageControl*>(FParams.Control); }

void TkcPageControlWnd::Subclass() {
  InitPages();
  TkcTabControlWnd::Subclass();
}

void TkcPageControlWnd::InitPages() {
  auto& list = PageWndList();
  // Adapters of pages that are gone are freed.
  std::erase_if(list, [](const std::unique_ptr<TkcPageWnd>& p) { return p->Destroyed; });
  if (!Skinned()) return;
  auto add = [&](HWND page, fw::TTabSheet* sheet) {
    if (SkinCommandIsOne(page, SKC_ISHANDLED)) return;
    TkcSkinParams p;
    p.SkinSection = u"CHECKBOX";
    auto* a = AttachAdapter<TkcPageWnd>(page, FSkin, p);
    a->Page = sheet;
    a->Owner = this;
    list.emplace_back(a);
  };
  if (fw::TPageControl* pc = PageControl()) {
    for (int i = 0; i < pc->PageCount(); ++i)
      if (fw::TTabSheet* sheet = pc->Pages(i); sheet->HandleAllocated()) add(sheet->WindowHandle(), sheet);
    return;
  }
  if (SendSkinCommand(CtrlHandle, SKC_CTRLQUERY, 0) == 0) return;
  for (HWND c = GetWindow(CtrlHandle, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (GetParent(c) == CtrlHandle && !(BtnSW && BtnSW->CtrlHandle == c) &&
        WindowClassName(c) != u"msctls_updown32")
      add(c, nullptr);
}

void TkcPageControlWnd::kcWndProc(fw::TMessage& Message) {
  if (Skinned()) {
    switch (Message.Msg) {
      case WM_ERASEBKGND:
        if (IsWindowVisible(CtrlHandle) && !AnimationInProgress) KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
      case WM_NCPAINT:
        InitPages();
        Message.Result = 0;
        return;
      case WM_PARENTNOTIFY:
        if (LOWORD(Message.WParam) == WM_CREATE || LOWORD(Message.WParam) == WM_DESTROY) InitPages();
        break;
      case WM_PRINTCLIENT:
        CheckUpDown();
        InitPages();
        Updating = false;
        KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
        return;
      case TCM_SETCURSEL:
        if (FParams.Control) {
          InitPages();
          RequestControlAdapters(FParams.Control);
        }
        break;
      default: break;
    }
  }
  TkcTabControlWnd::kcWndProc(Message);
  // A page shown for the first time has its window now.
  if (Skinned() && Message.Msg == WM_NOTIFY) InitPages();
}

// ---- Page

TkTabPosition TkcPageWnd::TabPosition() const {
  return TabPositionOf(uint32_t(GetWindowLongPtrW(GetParent(CtrlHandle), GWL_STYLE)));
}

bool TkcPageWnd::KC_WMEraseBKGnd(HDC DC) {
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  HWND parent = GetParent(CtrlHandle);
  TkcBackgroundInfo info;
  info.R = fw::Rect(0, 0, g.WndSize.x, g.WndSize.y);
  RequestBackgroundWnd(info, parent, false);
  if (info.BgType == btCache) {
    if (!info.Bmp || info.Bmp->Width() <= 0) return false;
    BitBlt(DC, 0, 0, g.WndSize.x, g.WndSize.y, info.Bmp->Canvas()->Handle(), g.WndPos.x + info.Offset.x, g.WndPos.y + info.Offset.y,
           SRCCOPY);
  } else {
    SolidFillDC(DC, fw::Rect(0, 0, g.WndSize.x, g.WndSize.y), info.Color);
    // The edge next to the tabs shows the tab control's picture.
    if (info.Bmp && SendMessageW(parent, TCM_GETITEMCOUNT, 0, 0) > 0) {
      HDC src = info.Bmp->Canvas()->Handle();
      const int x = g.WndPos.x + info.Offset.x, y = g.WndPos.y + info.Offset.y;
      switch (TabPosition()) {
        case tpTop: BitBlt(DC, 0, 0, g.WndSize.x, 3, src, x, y, SRCCOPY); break;
        case tpBottom: BitBlt(DC, 0, g.WndSize.y - 3, g.WndSize.x, 3, src, x, y + g.WndSize.y - 3, SRCCOPY); break;
        case tpLeft: BitBlt(DC, 0, 0, 3, g.WndSize.y, src, x, y, SRCCOPY); break;
        case tpRight: BitBlt(DC, g.WndSize.x - 3, 0, 3, g.WndSize.y, src, x + g.WndSize.x - 3, y, SRCCOPY); break;
      }
    }
  }
  if (Page) {
    PaintGraphicControls(DC, Page, true, {0, 0});
    RepaintChildControls(Page);
  }
  return true;
}

void TkcPageWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcMainWnd::kcWndProc(Message);
  const bool visible = IsWindowVisible(CtrlHandle) != 0;
  switch (Message.Msg) {
    case WM_PAINT:
      if (Message.WParam) {
        KC_WMEraseBKGnd(reinterpret_cast<HDC>(Message.WParam));
        return;
      }
      if (visible) {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(CtrlHandle, &ps);
        KC_WMEraseBKGnd(dc);
        EndPaint(CtrlHandle, &ps);
        Message.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (visible) {
        KC_WMEraseBKGnd(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
      }
      break;
    case WM_NCPAINT: Message.Result = 0; return;
    case WM_PRINTCLIENT:
      KC_WMEraseBKGnd(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, Message.LParam);
      return;
    case WM_SKINCOMMAND:
      switch (SkinCommandCode(Message.WParam)) {
        case SKC_UPDATEDONE:
          if (Updating) {
            Updating = false;
            InvalidateRect(CtrlHandle, nullptr, TRUE);
          }
          return;
        case SKC_REFRESH:
          BGChanged = true;
          InvalidateRect(CtrlHandle, nullptr, TRUE);
          BroadcastToChildWindows(CtrlHandle, Message);
          return;
        case SKC_GETBGINFO: {
          // What lies behind a page's control is the tab control's picture.
          auto* info = reinterpret_cast<TkcBackgroundInfo*>(Message.LParam);
          if (!info) return;
          TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
          const fw::TPoint asked = info->Offset;
          const bool draw = info->PleaseDraw;
          info->Offset = fw::TPoint{asked.x + g.WndPos.x, asked.y + g.WndPos.y};
          RequestBackgroundWnd(*info, GetParent(CtrlHandle), draw);
          if (info->BgType == btUnknown) info->Offset = asked;
          return;
        }
        default: break;
      }
      break;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
  if (Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_CREATE) NotifyTopWindow(CtrlHandle);
}

}  // namespace skin
