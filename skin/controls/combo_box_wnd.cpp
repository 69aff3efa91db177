#include "skin/controls/combo_box_wnd.h"

#include <algorithm>

#include "fw/stdctrls/combobox.h"
#include "skin/controls/adapter_paint.h"
#include "skin/controls/control_cache.h"
#include "skin/controls/core/combo_geometry.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/control_messages.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"

namespace skin {

bool ComboListDropped = false;

namespace {

// The list's own messages at the start and the end of its tracking.
constexpr UINT kListTrackStart = 0x1AE, kListTrackEnd = 0x1AF;
// DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE
constexpr UINT kItemFormat = 0x960;

fw::TPoint WindowSize(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  return fw::TPoint{r.right - r.left, r.bottom - r.top};
}

TkComboKind KindOf(HWND Wnd) { return ComboKindOf(uint32_t(GetWindowLongPtrW(Wnd, GWL_STYLE))); }

bool RightToLeftReading(HWND Wnd) { return (GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0; }

void CopyRectTo(HDC Dest, HDC Source, const fw::TRect& R) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  GdiFlush();
  BitBlt(Dest, R.Left, R.Top, R.Width(), R.Height(), Source, R.Left, R.Top, SRCCOPY);
}

}  // namespace

// ---- The combo box

TkcComboBoxWnd::TkcComboBoxWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint)
    : TkcEditWnd(AHandle, std::move(ASkin), Params, Repaint) {}

TkcComboBoxWnd::~TkcComboBoxWnd() {
  FreeListAdapter(false);
  Detach();
}

fw::TCustomComboBox* TkcComboBoxWnd::EasyComboBox() const { return dynamic_cast<fw::TCustomComboBox*>(Control()); }

HWND TkcComboBoxWnd::EditChild() const { return FindWindowExW(CtrlHandle, nullptr, L"Edit", nullptr); }

fw::TRect TkcComboBoxWnd::ButtonRect() const {
  TkLoadedSkin* skin = Skin();
  const int margin = skin ? skin->CommonSkinData.ComboBoxMargin : 2;
  return ComboButtonRect(WindowSize(CtrlHandle), KindOf(CtrlHandle), RightToLeftReading(CtrlHandle),
                         ManagerComboButtonWidth(DefaultSkinManager), margin);
}

int TkcComboBoxWnd::ButtonHeight() const {
  TkLoadedSkin* skin = Skin();
  if (!skin) return 16;
  const int glyph = skin->ConstData.ComboBtn.GlyphIndex;
  return skin->IsValidImgIndex(glyph) ? MaskFrameHeight(skin->ma[size_t(glyph)]) : 16;
}

int TkcComboBoxWnd::ButtonState() const {
  if (FListHandle && IsWindowVisible(FListHandle) && KindOf(CtrlHandle) != TkComboKind::Simple) return 2;
  if (ControlIsHotOrFocused() || (HasDefaultManager() && ManagerActiveControl() == CtrlHandle)) return 1;
  return 0;
}

void TkcComboBoxWnd::PaintButton(HDC DC) {
  TkLoadedSkin* skin = Skin();
  if (!skin || !S.Cache || !DC) return;
  const fw::TRect b = ButtonRect();
  if (b.Width() <= 0 || b.Height() <= 0) return;
  const int state = ButtonState();
  auto bmp = NewBitmapLike(*S.Cache);
  GdiFlush();
  BitBlt(bmp->Canvas()->Handle(), 0, 0, bmp->Width(), bmp->Height(), S.Cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  const TPixelView32 v = View32(*bmp);
  const TkcConstElementData& btn = skin->ConstData.ComboBtn;
  if (skin->IsValidSkinIndex(btn.SkinIndex)) {
    GdiFlush();
    PaintSection(v, *skin, btn.SkinIndex, state, b, MakeCacheInfo(v, 0, 0), fw::TPoint{b.Left, b.Top});
  }
  if (skin->IsValidImgIndex(btn.GlyphIndex)) {
    const TkMaskData& m = skin->ma[size_t(btn.GlyphIndex)];
    const fw::TPoint p{b.Left + (b.Width() - MaskFrameWidth(m)) / 2, (S.Geo.WndSize.y - ButtonHeight()) / 2};
    GdiFlush();
    DrawMaskGlyph(v, p, state, gmNormal, m, MakeCacheInfo(v, 0, 0), MaskSourceView(*skin, m));
  } else {
    // No glyph: a drawn arrow in the button's text colour (the control's
    // section's when the skin has no button section).
    const int section = skin->IsValidSkinIndex(btn.SkinIndex) ? btn.SkinIndex : skin->GetSkinIndex(SkinSection());
    DrawArrowMark(*bmp->Canvas(), StateFontColor(*skin, section, std::min(state, 1), fw::clBtnText), b, asBottom);
  }
  CopyRectTo(DC, bmp->Canvas()->Handle(), b);
}

void TkcComboBoxWnd::RepaintButton() {
  if (!Skinned() || !IsWindowVisible(CtrlHandle)) return;
  HDC dc = GetWindowDC(CtrlHandle);
  PaintButton(dc);
  ReleaseDC(CtrlHandle, dc);
}

void TkcComboBoxWnd::PaintText() {
  if (!S.Cache) return;
  fw::TCanvas& canvas = *S.Cache->Canvas();
  SelectControlFont(canvas, Control(), CtrlHandle);
  const bool rtl = RightToLeftReading(CtrlHandle);
  const fw::TRect t = ComboTextRect(S.Geo.WndSize, ButtonRect(), rtl);
  const fw::String text = ComboShownText(CtrlHandle);
  const bool list = KindOf(CtrlHandle) == TkComboKind::DropDownList;
  const bool focused = list && (S.Focused || GetFocus() == CtrlHandle);
  TkLoadedSkin* skin = Skin();
  if (focused) {
    canvas.Brush()->SetStyle(fw::bsSolid);
    canvas.Brush()->SetColor(fw::clHighlight);
    canvas.FillRect(t);
    canvas.Font()->SetColor(fw::clHighlightText);
  } else {
    canvas.Font()->SetColor(DlgMode                               ? fw::TColor(fw::clWindowText)
                            : Params().UseSkinFontColor && skin ? SectionFontColor(*this, 0)
                            : Control()                         ? Control()->Font()->Color()
                                                                : fw::TColor(fw::clWindowText));
  }
  const int d = list ? 1 : 0;
  canvas.Brush()->SetStyle(fw::bsClear);
  CanvasTextRect(canvas, t, t.Left + d, t.Top + d, text);
  if (focused) {
    canvas.Brush()->SetStyle(fw::bsSolid);
    canvas.DrawFocusRect(t);
  }
}

void TkcComboBoxWnd::PrepareSimple() {
  TkLoadedSkin* skin = Skin();
  if (!skin) return;
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  const int h = int(SendMessageW(CtrlHandle, CB_GETITEMHEIGHT, 0, 0)) + 8;
  fw::TBitmap& cache = S.EnsureCache(S.Geo.WndSize.x, std::max(h, 1));
  const fw::TRect whole = fw::Rect(0, 0, cache.Width(), cache.Height());
  const fw::TColor border = skin->Palette[pcBorder];
  if (DlgMode && border != 0xFF00FF) {
    fw::TCanvas& c = *cache.Canvas();
    c.Brush()->SetStyle(fw::bsSolid);
    c.Brush()->SetColor(fw::clWindow);
    c.FillRect(whole);
    c.Brush()->SetColor(border);
    c.FrameRect(whole);
    c.Refresh();
  } else {
    const TkcBehind behind = WndParentCacheInfo(CtrlHandle, S.Geo);
    const TControlItem item = AdapterControlItem(*this);
    const TPixelView32 v = View32(cache);
    GdiFlush();
    if (skin->IsValidSkinIndex(item.SkinIndex))
      PaintControlItem(v, *skin, item, behind.CI, true, {}, whole, ControlIsHotOrFocused() ? 1 : 0);
    else
      FillFromBackground(v, whole, behind.CI);
  }
  BGChanged = false;
}

void TkcComboBoxWnd::DrawItem(int Index, const fw::TRect& Rect, fw::TOwnerDrawState State, HDC DC) {
  fw::TCustomComboBox* combo = EasyComboBox();
  TkLoadedSkin* skin = Skin();
  if (!combo || !skin || !DC || Rect.Right <= 0 || Rect.Bottom <= 0) return;
  UINT format = kItemFormat;
  if (BGChanged) PrepareControlCache(*this, S, false);
  auto bmp = NewBitmap32(Rect.Right, Rect.Bottom);
  fw::TCanvas& canvas = *bmp->Canvas();
  canvas.SetFont(combo->Font());
  const bool editPart = State.Contains(fw::odComboBoxEdit);
  const int states = SectionStates(*this);
  bool hot;
  if (editPart) {
    if (S.Cache) {
      GdiFlush();
      BitBlt(canvas.Handle(), Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), S.Cache->Canvas()->Handle(),
             Rect.Left, Rect.Top, SRCCOPY);
    }
    hot = states >= 2 && (ControlIsHotOrFocused() || (combo->Focused() && GetFocus()) || S.Focused);
  } else {
    canvas.Brush()->SetColor(Color);
    canvas.FillRect(Rect);
    hot = states > 1;
  }
  const int state = hot ? 1 : 0;
  const fw::String text =
      Index >= 0 && Index < combo->Items()->Count() ? combo->Items()->Strings(Index) : fw::String();
  const bool selected = State.Contains(fw::odSelected);
  const int selection = skin->GetSkinIndex(u"SELECTION");
  const bool hasSelection = skin->IsValidSkinIndex(selection);
  const fw::TColor highlight = skin->Palette[pcSelectionBG_Focused];
  const fw::TColor highlightText = skin->Palette[pcSelectionText_Focused];
  if (selected) {
    if (hasSelection) {
      const TPixelView32 v = View32(*bmp);
      GdiFlush();
      PaintSection(v, *skin, selection, 1, Rect, MakeCacheInfo(v, 0, 0), fw::TPoint{Rect.Left, Rect.Top});
    } else {
      canvas.Brush()->SetColor(highlight);
      canvas.FillRect(Rect);
    }
  } else if (!editPart) {
    canvas.Brush()->SetColor(SectionColor(*this, state));
    canvas.FillRect(Rect);
  }
  const fw::TColor fontColor = selected ? highlightText : SectionFontColor(*this, state);
  canvas.Font()->SetColor(fontColor);
  const LONG_PTR ex = GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE);
  if (ex & WS_EX_RIGHT) format |= DT_RIGHT;
  if (ex & WS_EX_RTLREADING) format |= DT_RTLREADING;
  canvas.Brush()->SetStyle(fw::bsClear);
  // The text is written straight onto the canvas's DC: transparent, in the
  // item's colour.
  SetBkMode(canvas.Handle(), TRANSPARENT);
  SetTextColor(canvas.Handle(), COLORREF(fw::ColorToRGB(fontColor)));
  fw::TRect r = Rect;
  if (editPart && combo->Style() == fw::csDropDown) {
    DrawTextOnCanvas(canvas, combo->Text(), format, r);
  } else {
    r = fw::Rect(Rect.Left + 2, Rect.Top, Rect.Right - 2, Rect.Bottom);
    if (!selected || !hasSelection)
      DrawTextOnCanvas(canvas, text, format, r);
    else
      DrawSectionText(canvas, text, true, r, format, selection, selected || hot ? 1 : 0, skin);
    if (State.Contains(fw::odFocused) && !hasSelection) {
      canvas.Brush()->SetStyle(fw::bsSolid);
      canvas.DrawFocusRect(Rect);
    }
  }
  CopyRectTo(DC, canvas.Handle(), Rect);
}

void TkcComboBoxWnd::Invalidate() {
  if (!Control()) return;
  InvalidateRect(CtrlHandle, nullptr, TRUE);
  UpdateWindow(CtrlHandle);
}

bool TkcComboBoxWnd::HotLookAllowed() const {
  auto* w = dynamic_cast<fw::TWinControl*>(Control());
  return SkinHasHotState(*this, false) && w && w->CanFocus() && w->TabStop();
}

void TkcComboBoxWnd::ClearEditSelection() {
  fw::TCustomComboBox* combo = EasyComboBox();
  if (!combo || combo->Style() != fw::csDropDown || combo->Focused()) return;
  if (HWND edit = EditChild()) SendMessageW(edit, EM_SETSEL, WPARAM(-1), 0);
}

// ---- The list adapter's life

TkcComboListWnd* TkcComboBoxWnd::AttachListAdapter(HWND List) {
  TkcSkinParams p;
  p.SkinSection = u"EDIT";
  p.UseSkinColor = p.UseSkinFontColor = true;
  const bool repaint = SendMessageW(CtrlHandle, CB_GETCOUNT, 0, 0) > 0;
  const bool simple = KindOf(CtrlHandle) == TkComboKind::Simple;
  // The list works in the combo box's mode.
  const bool adding = AddingDialogControls;
  if (!Control()) AddingDialogControls = DlgMode;
  auto* list = AttachAdapter<TkcComboListWnd>(List, FSkin, p, repaint, simple);
  if (!Control()) AddingDialogControls = adding;
  return list;
}

void TkcComboBoxWnd::FreeListAdapter(bool GiveBorderBack) {
  HWND list = FListHandle;
  TkcComboListWnd* adapter = ListSW;
  ListSW = nullptr;
  FListHandle = nullptr;
  if (GiveBorderBack && list && IsWindow(list)) {
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    if (style & WS_THICKFRAME) SetWindowLongPtrW(list, GWL_STYLE, (style & ~LONG_PTR(WS_THICKFRAME)) | WS_BORDER);
  }
  if (adapter) {
    adapter->Detach();
    if (list && IsWindow(list)) RefreshWindowFrame(list, true);
    delete adapter;
  }
}

void TkcComboBoxWnd::ListColours(fw::TMessage& Message) {
  if (LBoxOpening) {
    CallPrev(Message);
    return;
  }
  LBoxOpening = true;
  TkcEditWnd::kcWndProc(Message);
  if (Destroyed) return;
  HWND list = reinterpret_cast<HWND>(Message.LParam);
  if (!FListHandle && list && IsWindow(list)) {
    FListHandle = list;
    // A list already skinned by someone else (a dialog's own list adapter)
    // keeps its adapter.
    if (!ListSW && !GetWindowAdapter(list)) ListSW = AttachListAdapter(list);
  }
  if (ListSW && !ListSW->Destroyed && !DlgMode) {
    TkcSectionInfo info;
    SendMessageW(ListSW->CtrlHandle, WM_SKINCOMMAND, SkinCommand(SKC_GETSKININDEX), reinterpret_cast<LPARAM>(&info));
    TkLoadedSkin* skin = Skin();
    if (skin && skin->IsValidSkinIndex(info.SkinIndex)) {
      const TkGeneralData& s = skin->gd[size_t(info.SkinIndex)];
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      if (s.Props[0].FontColor.Color >= 0) SetTextColor(dc, COLORREF(fw::ColorToRGB(s.Props[0].FontColor.Color)));
      const COLORREF back = COLORREF(fw::ColorToRGB(s.Props[0].Color));
      SetBkColor(dc, back);
      // One brush per colour, kept by the adapter: never one per question.
      Message.Result = reinterpret_cast<LRESULT>(FListBrush.For(back));
    }
  }
  LBoxOpening = false;
}

void TkcComboBoxWnd::NoteDropDown(WORD Code) {
  if (Code == CBN_DROPDOWN) {
    ComboListDropped = true;
    if (ListSW) ListSW->Showed = true;
  } else if (Code == CBN_CLOSEUP) {
    ComboListDropped = false;
    if (ListSW) ListSW->Showed = false;
    BGChanged = true;
    RepaintButton();
  }
}

// ---- Painting and printing

void TkcComboBoxWnd::Paint(fw::TMessage& Message) {
  if (!ParamsChanged) SetSkinParams();
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  CallPrev(Message);
  if (Destroyed || !IsWindowVisible(CtrlHandle)) return;
  HDC given = reinterpret_cast<HDC>(Message.WParam);
  HDC dc = given ? given : GetWindowDC(CtrlHandle);
  if (KindOf(CtrlHandle) == TkComboKind::Simple) {
    PrepareSimple();
    if (S.Cache) CopyBorderStrips(dc, 0, 0, S.Cache->Width(), S.Cache->Height(), S.Cache->Canvas()->Handle(), 0, 0, 3);
  } else {
    BGChanged = true;
    SendMessageW(CtrlHandle, WM_SKINCOMMAND, SkinCommand(SKC_PREPARECACHE), 0);
    if (S.Cache) {
      GdiFlush();
      CopyBorderStrips(dc, 0, 0, S.Geo.WndSize.x, S.Geo.WndSize.y, S.Cache->Canvas()->Handle(), 0, 0, 3);
      PaintButton(dc);
    }
  }
  if (!given) ReleaseDC(CtrlHandle, dc);
}

void TkcComboBoxWnd::PrintCombo(fw::TMessage& Message) {
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  if (!ParamsChanged) SetSkinParams();
  if (Destroyed) return;
  BGChanged = true;
  const bool simple = KindOf(CtrlHandle) == TkComboKind::Simple;
  if (simple) PrepareSimple();
  else PrepareControlCache(*this, S, DlgMode);
  if (!S.Cache) return;
  fw::TCustomComboBox* combo = EasyComboBox();
  if (!simple) {
    if (combo && combo->ItemIndex() >= 0) {
      const int button = ButtonRect().Width();
      DrawItem(combo->ItemIndex(), fw::Rect(3, 3, S.Geo.WndSize.x - button, S.Geo.WndSize.y - 3),
               fw::TOwnerDrawState{fw::odComboBoxEdit}, S.Cache->Canvas()->Handle());
    } else {
      PaintText();
    }
  }
  FillBorderCorners(*this, S, 0);
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) return;
  GdiFlush();
  BitBlt(dc, 0, 0, S.Cache->Width(), S.Cache->Height(), S.Cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  PaintButton(dc);
  Message.Result = 0;
}

// ---- Messages

void TkcComboBoxWnd::kcWndProc(fw::TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND && SkinCommandCode(Message.WParam) == SKC_ISHANDLED) {
    Message.Result = 1;
    return;
  }
  if (Destroyed || !Skinned()) {
    const bool removal = Message.Msg == WM_SKINCOMMAND && SkinCommandCode(Message.WParam) == SKC_REMOVESKIN;
    TkcEditWnd::kcWndProc(Message);
    // The list's adapter goes with the skin, also when the skin is gone
    // before the command comes.
    if (removal && !Destroyed && OwnManagerCommand(Message)) FreeListAdapter(true);
    return;
  }
  switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_LBUTTONUP:
      S.Focused = true;
      if (HotLookAllowed()) {
        SetSkinParams();
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
      }
      CallPrev(Message);
      if (!Destroyed) RepaintButton();
      return;
    case WM_KILLFOCUS:
    case fw::CM_EXIT: {
      HWND edit = EditChild();
      S.Focused = Control() && edit && GetFocus() == edit;
      BGChanged = true;
      CallPrev(Message);
      if (Destroyed) return;
      if (HotLookAllowed()) {
        SetSkinParams();
        ClearEditSelection();
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
      }
      RepaintButton();
      return;
    }
    case WM_PAINT: Paint(Message); return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_DRAWITEM:
      CallPrev(Message);
      if (!Destroyed) Invalidate();
      return;
    case WM_NCCALCSIZE:
      TkcEditWnd::kcWndProc(Message);
      cxLeftEdge = 3;
      return;
    case WM_COMMAND:
      if (KindOf(CtrlHandle) == TkComboKind::DropDown) NoteDropDown(HIWORD(Message.WParam));
      break;
    case fw::CN_COMMAND: NoteDropDown(HIWORD(Message.WParam)); break;
    case WM_CTLCOLORLISTBOX: ListColours(Message); return;
    case CB_SETCURSEL:
    case fw::CM_TEXTCHANGED:
    case fw::CM_CHANGED:
      if (EasyComboBox()) {
        SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
        BGChanged = true;
        CallPrev(Message);
        SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      } else {
        CallPrev(Message);
      }
      return;
    case WM_PRINT: PrintCombo(Message); return;
    case WM_SKINCOMMAND: {
      const WORD code = SkinCommandCode(Message.WParam);
      TkcEditWnd::kcWndProc(Message);
      if (Destroyed) return;
      if (code == SKC_REMOVESKIN && OwnManagerCommand(Message)) FreeListAdapter(true);
      else if (code == SKC_MOUSEENTER || code == SKC_MOUSELEAVE) RepaintButton();
      return;
    }
    case fw::CM_MOUSEENTER:
      if (!S.MouseAbove) {
        S.MouseAbove = true;
        BGChanged = true;
        TkcEditWnd::kcWndProc(Message);
        if (Destroyed) return;
        ClearEditSelection();
        Invalidate();
        RepaintButton();
      }
      return;
    case fw::CM_MOUSELEAVE:
      if (S.MouseAbove) {
        HWND edit = EditChild();
        if (Control() && edit && GetFocus() == edit) S.Focused = true;
        RECT r{};
        GetWindowRect(CtrlHandle, &r);
        if (PtInRect(&r, ScrollCursorPos())) return;
        S.MouseAbove = false;
        BGChanged = true;
        TkcEditWnd::kcWndProc(Message);
        if (Destroyed) return;
        ClearEditSelection();
        Invalidate();
        RepaintButton();
      }
      return;
    case fw::CN_DRAWITEM:
      if (EasyComboBox()) {
        const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
        if (d)
          DrawItem(int(d->itemID), fw::Rect(d->rcItem.left, d->rcItem.top, d->rcItem.right, d->rcItem.bottom),
                   fw::OwnerDrawStateOf(LOWORD(d->itemState)), d->hDC);
        Message.Result = 1;
      } else {
        CallPrev(Message);
      }
      return;
    default: break;
  }
  TkcEditWnd::kcWndProc(Message);
}

// ---- The list

TkcComboListWnd::TkcComboListWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint,
                                 bool Simply)
    : TkcEditWnd(AHandle, std::move(ASkin), Params, Repaint), SimplyBox(Simply) {}

void TkcComboListWnd::Subclass() {
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  TkcEditWnd::Subclass();
  if (!SimplyBox)
    // One pixel wider: the frame is calculated again with the skinned bars.
    SetWindowPos(CtrlHandle, nullptr, 0, 0, S.Geo.WndSize.x + 1, S.Geo.WndSize.y,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOOWNERZORDER |
                     SWP_NOSENDCHANGING);
}

void TkcComboListWnd::SetSkinParams() {
  if (bPreventStyleChange) return;
  bPreventStyleChange = true;
  Updating = true;
  if (const TkGeneralData* s = AdapterSection(*this)) {
    if (Params().UseSkinColor) Color = DlgMode ? fw::TColor(fw::clWindow) : s->Props[s->States > 1 ? 1 : 0].Color;
    FrameColor = Skin()->Palette[pcBorder];
    BGChanged = true;
  } else {
    FrameColor = 0;
  }
  Updating = false;
  bPreventStyleChange = false;
}

void TkcComboListWnd::PrepareListCache() {
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  if (SimplyBox) {
    SendMessageW(CtrlHandle, WM_SKINCOMMAND, SkinCommand(SKC_PREPARECACHE), 0);
    return;
  }
  SetSkinParams();
  fw::TBitmap& cache = S.EnsureCache(std::max(S.Geo.WndSize.x, 1), std::max(S.Geo.WndSize.y, 1));
  fw::TCanvas& c = *cache.Canvas();
  c.Brush()->SetStyle(fw::bsSolid);
  c.Brush()->SetColor(Color);
  c.Pen()->SetColor(FrameColor);
  c.Rectangle(fw::Rect(0, 0, cache.Width(), cache.Height()));
  c.Refresh();
  BGChanged = false;
}

void TkcComboListWnd::PaintBelowList(HDC) {
  // A simple box's list may end above the combo box's bottom: the rest
  // shows what lies behind the combo box.
  HWND combo = GetParent(CtrlHandle);
  if (!combo) return;
  RECT cr{}, lr{};
  GetWindowRect(combo, &cr);
  GetWindowRect(CtrlHandle, &lr);
  const int top = lr.bottom - cr.top, h = cr.bottom - lr.bottom, w = cr.right - cr.left;
  if (h <= 0 || w <= 0) return;
  TkcWindowGeometry g;
  CaptureWindowGeometry(combo, g);
  const TkcBehind behind = WndParentCacheInfo(combo, g);
  auto bmp = NewBitmap32(w, cr.bottom - cr.top);
  FillFromBackground(View32(*bmp), fw::Rect(0, top, w, top + h), behind.CI);
  HDC dc = GetWindowDC(combo);
  CopyRectTo(dc, bmp->Canvas()->Handle(), fw::Rect(0, top, w, top + h));
  ReleaseDC(combo, dc);
}

void TkcComboListWnd::PaintNonClient(fw::TMessage& Message) {
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  BGChanged = true;
  PrepareListCache();
  if (!DlgMode) FillBorderCorners(*this, S, 0);
  HDC dc = GetWindowDC(CtrlHandle);
  const int saved = SaveDC(dc);
  if (S.Cache) {
    GdiFlush();
    CopyBorderStrips(dc, 0, 0, S.Geo.WndSize.x, S.Geo.WndSize.y, S.Cache->Canvas()->Handle(), 0, 0, 2);
  }
  PaintScrollBars(-1, dc);
  RestoreDC(dc, saved);
  ReleaseDC(CtrlHandle, dc);
  if (SimplyBox) PaintBelowList(nullptr);
  Message.Result = 0;
}

void TkcComboListWnd::ButtonUp(fw::TMessage& Message) {
  // The list holds the mouse while it is open: a press on its skinned bars
  // is ended here, and never reaches the list as a choice of an item.
  if (ScrollTrackState.PressedPart != spNone && ScrollTrackState.HotWindow == CtrlHandle) {
    fw::TMessage up{WM_LBUTTONUP, WPARAM(-1), Message.LParam, 0};
    HandleLButtonUp(up);
    if (SimplyBox && GetCapture() == CtrlHandle) ReleaseCapture();
    Message.Result = 0;
    return;
  }
  POINT p{Message.XPos(), Message.YPos()};
  ClientToScreen(CtrlHandle, &p);
  fw::TMessage hit{WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y), 0};
  HandleNcHitTest(hit);
  if (hit.Result == HTHSCROLL || hit.Result == HTVSCROLL) {
    Message.Result = 0;
    return;
  }
  CallPrev(Message);
}

void TkcComboListWnd::PrintList(fw::TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc || !IsWindowVisible(CtrlHandle)) {
    CallPrev(Message);
    return;
  }
  BGChanged = true;
  PrepareListCache();
  {
    // The list leaves its last column and row to the background.
    RECT c{};
    GetClientRect(CtrlHandle, &c);
    const fw::TRect client = ClientRect();
    const int x = Message.Msg == WM_PRINT ? client.Left : 0, y = Message.Msg == WM_PRINT ? client.Top : 0;
    SolidFillDC(dc, fw::Rect(x, y, x + c.right, y + c.bottom), Color);
  }
  CallPrev(Message);
  if (Message.Msg == WM_PRINT && SendMessageW(CtrlHandle, LB_GETCOUNT, 0, 0) >= 1) {
    if (ScrollTrackState.PressedPart == spNone && !Showed && S.Cache) {
      GdiFlush();
      CopyBorderStrips(dc, 0, 0, S.Geo.WndSize.x, S.Geo.WndSize.y, S.Cache->Canvas()->Handle(), 0, 0, 1);
    }
    PaintScrollBars(-1, dc);
  }
}

void TkcComboListWnd::kcWndProc(fw::TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND && SkinCommandCode(Message.WParam) == SKC_ISHANDLED) {
    Message.Result = 1;
    return;
  }
  if (Destroyed || !Skinned()) {
    TkcEditWnd::kcWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      if (HDC dc = reinterpret_cast<HDC>(Message.WParam)) {
        RECT r{};
        GetClientRect(CtrlHandle, &r);
        SolidFillDC(dc, fw::Rect(0, 0, r.right, r.bottom), Color);
        Message.Result = 1;
      } else {
        CallPrev(Message);
      }
      return;
    case WM_NCCALCSIZE: HandleNcCalcSize(Message); return;
    case WM_NCPAINT:
      if (DontRepaint || !IsWindowVisible(CtrlHandle)) break;
      PaintNonClient(Message);
      return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      fw::TMessage hit{WM_NCHITTEST, 0, Message.LParam, 0};
      HandleNcHitTest(hit);
      Message.WParam = WPARAM(hit.Result);
      if (hit.Result == HTHSCROLL || hit.Result == HTVSCROLL) HandleNcLButtonDown(Message);
      else Message.Result = 0;
      return;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: CallPrev(Message); return;
    case kListTrackStart: Showed = true; break;
    case kListTrackEnd:
      Showed = false;
      BGChanged = true;
      break;
    case WM_LBUTTONUP: ButtonUp(Message); return;
    case WM_PRINT:
    case WM_PRINTCLIENT: PrintList(Message); return;
    default: break;
  }
  const UINT msg = Message.Msg;
  TkcEditWnd::kcWndProc(Message);
  if (!Destroyed && msg == WM_WINDOWPOSCHANGED) RefreshScrollBars();
}

}  // namespace skin
