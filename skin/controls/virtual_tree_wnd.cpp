#include "skin/controls/virtual_tree_wnd.h"

#include <algorithm>

#include "fw/core/rtti.h"
#include "skin/controls/adapter_paint.h"
#include "skin/controls/control_cache.h"
#include "skin/controls/scroll_wnd.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"
#include "skin/engine/window_utils.h"

namespace skin {

namespace {

using TColorSlot = fw::TColor TkcVirtualTreeViewWnd::*;

struct TColorProp {
  const char16_t* Object;
  const char16_t* Name;
  TColorSlot Slot;
};

constexpr TColorProp kColorProps[] = {
    {u"VETColors", u"CompressedTextColor", &TkcVirtualTreeViewWnd::CompressedTextColor},
    {u"VETColors", u"FileTextColor", &TkcVirtualTreeViewWnd::FileTextColor},
    {u"VETColors", u"FolderTextColor", &TkcVirtualTreeViewWnd::FolderTextColor},
    {u"Colors", u"FocusedSelectionBorderColor", &TkcVirtualTreeViewWnd::FocusedSelectionBorderColor},
    {u"Colors", u"FocusedSelectionColor", &TkcVirtualTreeViewWnd::FocusedSelectionColor},
    {u"Colors", u"UnfocusedSelectionBorderColor", &TkcVirtualTreeViewWnd::UnfocusedSelectionBorderColor},
    {u"Colors", u"UnfocusedSelectionColor", &TkcVirtualTreeViewWnd::UnfocusedSelectionColor},
    {u"Colors", u"HotColor", &TkcVirtualTreeViewWnd::HotColor},
    {u"Colors", u"SelectionTextColor", &TkcVirtualTreeViewWnd::SelectionTextColor},
};

constexpr const char16_t* kAdvancedDraw = u"OnAdvancedHeaderDraw";
constexpr const char16_t* kQueryElements = u"OnHeaderDrawQueryElements";

// The published property's value when the object has it (null objects and
// missing properties skipped).
void WriteIfPresent(fw::TObject* Object, const char16_t* Name, int64_t Value) {
  if (Object && HasPublishedProp(Object, Name)) WriteOrdPropByName(Object, Name, Value);
}

fw::String ReadTextProp(fw::TObject* Object, const char16_t* Name) {
  if (!Object || !fw::IsPublishedProp(Object, Name)) return {};
  const fw::TValue v = fw::GetPropValue(Object, Name);
  return v.Kind() == fw::TValueKind::String ? v.AsString() : fw::String();
}

bool EventAssigned(fw::TObject* Object, const char16_t* Name) {
  if (!HasPublishedProp(Object, Name)) return false;
  const fw::TValue v = fw::GetPropValue(Object, Name);
  return v.Kind() == fw::TValueKind::Method && v.AsMethod().Assigned();
}

}  // namespace

void TkcVirtualTreeViewWnd::Subclass() {
  // The constructor saved only the edit's part.
  SaveStdParams();
  TkcEditWnd::Subclass();
  if (Skinned()) SetSkinParams();
}

void TkcVirtualTreeViewWnd::SaveStdParams() {
  TkcEditWnd::SaveStdParams();
  fw::TControl* c = Control();
  if (!c) return;
  for (const TColorProp& p : kColorProps)
    if (fw::TObject* o = ReadObjectPropByName(c, p.Object); o && HasPublishedProp(o, p.Name))
      this->*p.Slot = fw::TColor(ReadOrdPropByName(o, p.Name));
  OwnerDraw = SetPropHasElement(ReadObjectPropByName(c, u"Header"), u"Options", u"hoOwnerDraw");
  FSaved = true;
}

void TkcVirtualTreeViewWnd::SetSkinParams() {
  TkcEditWnd::SetSkinParams();
  fw::TControl* c = Control();
  TkLoadedSkin* skin = Skin();
  if (!c || !skin || Destroyed) return;
  fw::TObject* vet = ReadObjectPropByName(c, u"VETColors");
  const fw::TColor text = SectionFontColor(*this, 0);
  for (const char16_t* name : {u"CompressedTextColor", u"FileTextColor", u"FolderTextColor"})
    WriteIfPresent(vet, name, text);
  fw::TObject* colors = ReadObjectPropByName(c, u"Colors");
  const fw::TColor highlight = skin->GetHighLightColor(true);
  const fw::TColor unfocused = fw::TColor(MixColors(uint32_t(highlight), uint32_t(skin->GetActiveEditColor()), 0.5));
  WriteIfPresent(colors, u"FocusedSelectionBorderColor", highlight);
  WriteIfPresent(colors, u"FocusedSelectionColor", highlight);
  WriteIfPresent(colors, u"HotColor", skin->GetActiveEditFontColor());
  WriteIfPresent(colors, u"UnfocusedSelectionBorderColor", unfocused);
  WriteIfPresent(colors, u"UnfocusedSelectionColor", unfocused);
  WriteIfPresent(colors, u"SelectionTextColor", skin->GetHighLightFontColor(true));
  // The header is drawn through the control's events, unless the form
  // handles them itself.
  bool lastFound = false;
  if (HasPublishedProp(c, kAdvancedDraw)) {
    lastFound = true;
    if (!EventAssigned(c, kAdvancedDraw))
      fw::SetPropValue(c, kAdvancedDraw, fw::TValue(TVTAdvancedHeaderPaintEvent(this, &TkcVirtualTreeViewWnd::AdvancedHeaderDraw)));
  }
  if (HasPublishedProp(c, kQueryElements)) {
    lastFound = true;
    if (!EventAssigned(c, kQueryElements))
      fw::SetPropValue(c, kQueryElements,
                       fw::TValue(TVTHeaderPaintQueryElementsEvent(this, &TkcVirtualTreeViewWnd::HeaderDrawQueryElements)));
  }
  fw::TObject* header = ReadObjectPropByName(c, u"Header");
  if (lastFound && header) ChangeSetPropElement(header, u"Options", u"hoOwnerDraw", true);
  if (fw::TObject* column = ReadObjectPropByName(c, u"PaintInfoColumn")) {
    WriteIfPresent(column, u"Color", skin->GetGlobalColor());
    WriteIfPresent(column, u"Style", 1);
    WriteIfPresent(header, u"Color", skin->GetActiveEditColor());
    WriteIfPresent(header ? ReadObjectPropByName(header, u"Font") : nullptr, u"Color", skin->GetGlobalFontColor());
  }
  if (CtrlHandle && IsWindow(CtrlHandle))
    RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

void TkcVirtualTreeViewWnd::RestoreStdParams() {
  TkcEditWnd::RestoreStdParams();
  fw::TControl* c = Control();
  if (!c || !FSaved || c->ComponentState().Contains(fw::csDestroying)) return;
  for (const TColorProp& p : kColorProps) WriteIfPresent(ReadObjectPropByName(c, p.Object), p.Name, this->*p.Slot);
  // Both header events are cleared whoever set them.
  if (EventAssigned(c, kAdvancedDraw)) fw::SetPropValue(c, kAdvancedDraw, fw::TValue(TVTAdvancedHeaderPaintEvent()));
  if (EventAssigned(c, kQueryElements))
    fw::SetPropValue(c, kQueryElements, fw::TValue(TVTHeaderPaintQueryElementsEvent()));
  fw::TObject* header = ReadObjectPropByName(c, u"Header");
  if (header && HasPublishedProp(header, u"Options")) ChangeSetPropElement(header, u"Options", u"hoOwnerDraw", OwnerDraw);
  if (fw::TObject* column = ReadObjectPropByName(c, u"PaintInfoColumn")) {
    WriteIfPresent(c, u"Themed", 1);
    WriteIfPresent(column, u"Color", fw::clBtnFace);
    WriteIfPresent(header, u"Color", fw::clBtnFace);
    WriteIfPresent(header ? ReadObjectPropByName(header, u"Font") : nullptr, u"Color", fw::clBtnText);
  }
}

void TkcVirtualTreeViewWnd::HeaderDrawQueryElements(fw::TPersistent*, THeaderPaintInfo&, uint32_t& Elements) {
  Elements = hpeBackground | hpeDropMark | hpeSortGlyph | hpeText;
}

void TkcVirtualTreeViewWnd::AdvancedHeaderDraw(fw::TPersistent*, THeaderPaintInfo& PaintInfo, uint32_t Elements) {
  TkLoadedSkin* skin = Skin();
  if (DontRepaint || !Skinned() || !skin || !PaintInfo.TargetCanvas) return;
  fw::TCanvas& target = *PaintInfo.TargetCanvas;
  const fw::TRect pr = PaintInfo.PaintRectangle;
  if (!PaintInfo.Column) {
    // The area right of the columns.
    if (AdapterSection(*this)) SolidFillDC(target.Handle(), pr, SectionColor(*this, 0));
    return;
  }
  if (pr.Width() <= 0 || pr.Height() <= 0) return;
  const int section = SectionIndexOr(*skin, u"COLHEADER", u"BUTTON");
  const int state = PaintInfo.IsDownIndex ? 2 : PaintInfo.IsHoverIndex ? 1 : 0;
  auto bmp = NewBitmap32(pr.Width(), pr.Height());
  const TPixelView32 v = View32(*bmp);
  HDC bdc = bmp->Canvas()->Handle();
  if (Elements & hpeBackground) {
    // The control's picture behind see-through parts of the section.
    const TCacheInfo behind = S.Cache ? MakeCacheInfo(View32(*S.Cache), 0, 0) : MakeCacheInfo(v, 0, 0);
    const fw::TPoint at = S.Cache ? fw::TPoint{pr.Left, pr.Top} : fw::TPoint{0, 0};
    PaintSection(v, *skin, section, state, fw::Rect(0, 0, pr.Width(), pr.Height()), behind, at);
    GdiFlush();
    BitBlt(target.Handle(), pr.Left, pr.Top, pr.Width(), pr.Height(), bdc, 0, 0, SRCCOPY);
    return;
  }
  BitBlt(bdc, 0, 0, pr.Width(), pr.Height(), target.Handle(), pr.Left, pr.Top, SRCCOPY);
  GdiFlush();
  fw::TObject* header = ReadObjectPropByName(Control(), u"Header");
  fw::TCanvas& canvas = *bmp->Canvas();
  const fw::String text = ReadTextProp(PaintInfo.Column, u"Text");
  const fw::TRect tr = fw::Rect(PaintInfo.TextRectangle.Left - pr.Left, PaintInfo.TextRectangle.Top - pr.Top,
                                PaintInfo.TextRectangle.Right - pr.Left, PaintInfo.TextRectangle.Bottom - pr.Top);
  auto writeText = [&](UINT format) {
    if (text.empty()) return;
    if (auto* font = dynamic_cast<fw::TFont*>(header ? ReadObjectPropByName(header, u"Font") : nullptr))
      canvas.Font()->Assign(font);
    canvas.Brush()->SetStyle(fw::bsClear);
    canvas.Font()->SetColor(StateFontColor(*skin, section, state, skin->GetGlobalFontColor()));
    DrawSectionText(canvas, text, true, tr, format, section, state != 0 ? 1 : 0, skin);
  };
  if ((Elements & hpeText) && !(Elements & hpeDropMark)) writeText(0);
  if ((Elements & hpeSortGlyph) && PaintInfo.ShowSortGlyph && header) {
    const int side = ReadOrdPropByName(header, u"SortDirection") == 0 ? asTop : asBottom;
    const int glyph = skin->ConstData.ScrollBtns[size_t(side)].GlyphIndex;
    const int x = PaintInfo.SortGlyphPos.x - pr.Left;
    if (glyph >= 0 && skin->IsValidImgIndex(glyph)) {
      const TkMaskData& m = skin->ma[size_t(glyph)];
      GdiFlush();
      DrawMaskGlyph(v, {x, (pr.Height() - MaskFrameHeight(m)) / 2}, state, gmNormal, m, MakeCacheInfo(v, 0, 0),
                    MaskSourceView(*skin, m));
    } else {
      const int index = skin->ConstData.ScrollBtns[size_t(side)].SkinIndex;
      const fw::TColor color = StateFontColor(*skin, index, std::min(state, 1), fw::clBtnText);
      const int shift = state == 2 && ShiftContentOnClickOption() ? 1 : 0;
      const int y = (pr.Height() - 3) / 2 + shift;
      DrawArrowMark(canvas, color, fw::Rect(x + shift, y, x + shift + 6, y + 3), side);
    }
  }
  if (Elements & hpeDropMark) {
    const bool wrap = SetPropHasElement(PaintInfo.Column, u"Options", u"coWrapCaption");
    writeText(DT_END_ELLIPSIS | DT_VCENTER | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
  }
  GdiFlush();
  BitBlt(target.Handle(), pr.Left, pr.Top, pr.Width(), pr.Height(), bdc, 0, 0, SRCCOPY);
}

fw::TPoint TkcVirtualTreeViewWnd::GetBorderDimensions() const {
  fw::TPoint r{0, 0};
  const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
  if (style & WS_BORDER) r = fw::TPoint{r.x - 1, r.y - 1};
  if (style & WS_DLGFRAME) r = fw::TPoint{r.x - GetSystemMetrics(SM_CXDLGFRAME), r.y - GetSystemMetrics(SM_CYDLGFRAME)};
  if (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
    r = fw::TPoint{r.x - GetSystemMetrics(SM_CXEDGE), r.y - GetSystemMetrics(SM_CYEDGE)};
  return r;
}

void TkcVirtualTreeViewWnd::PaintTreeFrame(fw::TMessage& Message) {
  Message.Result = 0;
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  if (Updating) return;
  if (BGChanged) {
    if (!ParamsChanged) SetSkinParams();
    PrepareControlCache(*this, S, DlgMode);
  }
  FillBorderCorners(*this, S, 0);
  if (!S.Cache) return;
  HDC dc = GetWindowDC(CtrlHandle);
  const int saved = SaveDC(dc);
  GdiFlush();
  CopyBorderStrips(dc, 0, 0, S.Geo.WndSize.x, S.Geo.WndSize.y, S.Cache->Canvas()->Handle(), 0, 0, cxLeftEdge);
  CallPrevWndProc(WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
  PaintScrollBars(-1, dc);
  RestoreDC(dc, saved);
  ReleaseDC(CtrlHandle, dc);
}

void TkcVirtualTreeViewWnd::PrintTree(fw::TMessage& Message) {
  Updating = false;
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) return;
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  if (BGChanged) {
    if (!ParamsChanged) SetSkinParams();
    PrepareControlCache(*this, S, false);
  }
  // The client below the header when the header shows.
  int top = cxLeftEdge;
  fw::TObject* header = ReadObjectPropByName(Control(), u"Header");
  if (header && SetPropHasElement(header, u"Options", u"hoVisible"))
    top += int(ReadOrdPropByName(header, u"Height"));
  const int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, cxLeftEdge, top, nullptr);
  CallPrevWndProc(WM_PRINTCLIENT, Message.WParam, 0);
  RestoreDC(dc, saved);
  CallPrev(Message);
  FillBorderCorners(*this, S, 0);
  if (S.Cache) {
    GdiFlush();
    CopyBorderStrips(dc, 0, 0, S.Geo.WndSize.x, S.Geo.WndSize.y, S.Cache->Canvas()->Handle(), 0, 0, cxLeftEdge);
  }
  PaintScrollBars(-1, dc);
}

void TkcVirtualTreeViewWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcEditWnd::kcWndProc(Message);
  switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT:
      if (!IsWindowVisible(CtrlHandle)) break;
      PaintTreeFrame(Message);
      return;
    case WM_HSCROLL:
    case WM_VSCROLL: {
      if (LOWORD(Message.WParam) == SB_THUMBTRACK) {
        // The tree scrolls to where the skinned thumb is dragged.
        TkcScrollBar& bar = Message.Msg == WM_VSCROLL ? sBarVert : sBarHorz;
        bar.Info.nPos = bar.Info.nTrackPos;
        SCROLLINFO si{sizeof(si), SIF_ALL};
        si.nMin = bar.Info.nMin;
        si.nMax = bar.Info.nMax;
        si.nPage = bar.Info.nPage;
        si.nPos = bar.Info.nPos;
        si.nTrackPos = bar.Info.nTrackPos;
        SetScrollInfo(CtrlHandle, Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, &si, FALSE);
      }
      if (Message.Msg == WM_HSCROLL) break;
      SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
      TkcEditWnd::kcWndProc(Message);
      SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
      RedrawWindow(CtrlHandle, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      return;
    }
    case WM_PRINT: PrintTree(Message); return;
    default: break;
  }
  TkcEditWnd::kcWndProc(Message);
}

}  // namespace skin
