#include "skin/controls/control_cache.h"

#include <algorithm>

#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/listbox.h"
#include "skin/controls/adapter_paint.h"
#include "skin/engine/alpha_text.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/border_corners.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/glow_effect.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"
#include "skin/engine/window_utils.h"

namespace skin {

void CaptureWindowGeometry(HWND Wnd, TkcWindowGeometry& G) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  G.WndRect = fw::Rect(r.left, r.top, r.right, r.bottom);
  G.WndSize = fw::TPoint{r.right - r.left, r.bottom - r.top};
  G.ParentWnd = GetParent(Wnd);
  RECT p{};
  if (G.ParentWnd) GetWindowRect(G.ParentWnd, &p);
  G.ParentRect = fw::Rect(p.left, p.top, p.right, p.bottom);
  POINT pos{r.left, r.top};
  if (G.ParentWnd) ScreenToClient(G.ParentWnd, &pos);
  G.WndPos = fw::TPoint{pos.x, pos.y};
}

TkcBehind WndParentCacheInfo(HWND Wnd, const TkcWindowGeometry& G) {
  TkcBehind b;
  HWND parent = GetParent(Wnd);
  if (!parent) {
    b.CI.X = b.CI.Y = -99;
    return b;
  }
  TkcBackgroundInfo info;
  info.Offset = G.WndPos;
  info.R = fw::Rect(0, 0, G.WndSize.x, G.WndSize.y);
  RequestBackgroundWnd(info, parent, false);
  b.NotReady = info.BgType == btNotReady;
  info.FillRect = fw::TRect{};
  b.CI = BgInfoToCacheInfo(info);
  return b;
}

fw::TBitmap& TkcPaintState::EnsureCache(int Width, int Height) {
  Width = std::max(Width, 0);
  Height = std::max(Height, 0);
  if (!Cache || Cache->Width() != Width || Cache->Height() != Height) Cache = NewBitmap32(Width, Height);
  return *Cache;
}

const TkGeneralData* AdapterSection(const TkcMainWnd& A, int* SkinIndex) {
  TkLoadedSkin* skin = A.Skinned() ? A.Skin() : nullptr;
  const int i = skin ? skin->GetSkinIndex(A.SkinSection()) : -1;
  if (SkinIndex) *SkinIndex = i;
  return skin && skin->IsValidSkinIndex(i) ? &skin->gd[size_t(i)] : nullptr;
}

int SectionStates(const TkcMainWnd& A) {
  const TkGeneralData* s = AdapterSection(A);
  return s ? s->States : 0;
}

fw::TColor SectionColor(const TkcMainWnd& A, int State) {
  const TkGeneralData* s = AdapterSection(A);
  return s ? s->Props[State > 0 && s->States > 1 ? 1 : 0].Color : fw::clWindow;
}

fw::TColor SectionFontColor(const TkcMainWnd& A, int State) {
  const TkGeneralData* s = AdapterSection(A);
  return s ? s->Props[State > 0 && s->States > 1 ? 1 : 0].FontColor.Color : fw::clWindowText;
}

bool SkinHasHotState(const TkcMainWnd& A, bool RespectNoHover) {
  const TkGeneralData* s = AdapterSection(A);
  if (!s) return false;
  if (RespectNoHover && NoMouseHoverOption()) return false;
  TkLoadedSkin* skin = A.Skin();
  if (skin->IsValidImgIndex(s->BorderIndex) && skin->ma[size_t(s->BorderIndex)].ImageCount > 1) return true;
  return s->States > 1;
}

TControlItem AdapterControlItem(const TkcMainWnd& A) {
  TControlItem c;
  int index = -1;
  const TkGeneralData* s = AdapterSection(A, &index);
  if (!s) return c;
  TkLoadedSkin* skin = A.Skin();
  const fw::String section = A.SkinSection();
  c.SkinIndex = index;
  c.BorderIndex = s->BorderIndex;
  c.Texture = skin->GetTextureIndex(index, section, u"PATTERN");
  c.HotTexture = skin->GetTextureIndex(index, section, u"HOTPATTERN");
  if (!A.Params().UseSkinColor && A.Control()) c.CustomColor = uint32_t(fw::ColorToRGB(A.Control()->Color()));
  return c;
}

namespace {

TkSkinManager* Manager() { return DefaultSkinManager; }

// The text a disabled edit shows, drawn into its cache: the window draws
// nothing itself then.
void DrawDisabledEditText(TkcMainWnd& A, TkcPaintState& S, fw::TCustomEdit& Edit, int State) {
  fw::TBitmap& cache = *S.Cache;
  fw::TCanvas& canvas = *cache.Canvas();
  canvas.SetFont(Edit.Font());
  const int m = Edit.BorderStyle() == fw::bsNone ? 0 : 2;
  const int f = Edit.BorderStyle() == fw::bsSingle ? 1 : 0;
  const fw::TRect r = fw::Rect(m + f, m + f, S.Geo.WndSize.x - m - f, S.Geo.WndSize.y - m);
  const UINT flags = (AlignmentDrawFlags(&Edit, Edit.Alignment()) & ~UINT(DT_VCENTER)) | DT_SINGLELINE | DT_NOPREFIX;
  fw::String text = Edit.Text();
  if (text.empty()) return;
  if (Edit.PasswordChar() != 0)
    text = fw::String(text.size(), Edit.PasswordChar() == u'*' ? u'\u25CF' : Edit.PasswordChar());
  TControlTextSource src = AdapterTextSource(A, &cache);
  src.Skinned = true;
  DrawControlText(canvas, text, false, r, flags, src, State);
}

}  // namespace

bool ShowFocusRectOption() { return !Manager() || Manager()->ButtonsOptions()->FShowFocusRect; }
bool ShiftContentOnClickOption() { return !Manager() || Manager()->ButtonsOptions()->FShiftContentOnClick; }
bool NoMouseHoverOption() { return Manager() && Manager()->Options()->NoMouseHover(); }
bool DiscoloredGlyphsOption() { return Manager() && Manager()->Effects()->FDiscoloredGlyphs; }
bool HasDefaultManager() { return Manager() != nullptr; }
HWND ManagerActiveControl() { return Manager() ? Manager()->ActiveControl() : nullptr; }
void SetManagerActiveControl(HWND Wnd) {
  if (Manager()) Manager()->WriteActiveControl(Wnd);
}

void PrepareControlCache(TkcMainWnd& A, TkcPaintState& S, bool Plain) {
  if (!A.BGChanged || !A.Skinned() || !A.CtrlHandle) return;
  TkLoadedSkin& skin = *A.Skin();
  CaptureWindowGeometry(A.CtrlHandle, S.Geo);
  fw::TBitmap& cache = S.EnsureCache(S.Geo.WndSize.x, S.Geo.WndSize.y);
  const TkcBehind behind = WndParentCacheInfo(A.CtrlHandle, S.Geo);
  if (behind.NotReady) {
    A.Updating = true;
    return;
  }
  const TPixelView32 v = View32(cache);
  const fw::TRect whole = fw::Rect(0, 0, v.Width, v.Height);
  const fw::TColor border = skin.Palette[pcBorder];
  if (Plain && border != 0xFF00FF) {
    fw::TCanvas& c = *cache.Canvas();
    c.Brush()->SetColor(fw::clWindow);
    c.FillRect(whole);
    c.Brush()->SetColor(border);
    c.FrameRect(whole);
    c.Refresh();
  } else {
    if (!S.Geo.ParentWnd) return;
    const TControlItem item = AdapterControlItem(A);
    if (!skin.IsValidSkinIndex(item.SkinIndex)) {
      // A skin without the section: what lies behind, never an empty image.
      FillFromBackground(v, whole, behind.CI);
    } else {
      const int state = S.Focused || (S.MouseAbove && SkinHasHotState(A, true)) ? 1 : 0;
      auto* list = dynamic_cast<fw::TCustomListBox*>(A.Control());
      GdiFlush();
      if (list && list->BorderStyle() == fw::bsNone)
        PaintControlBackground(v, skin, item, behind.CI, state, {}, whole);
      else
        PaintControlItem(v, skin, item, behind.CI, true, {}, whole, state);
    }
  }
  fw::TControl* control = A.Control();
  if (auto* edit = dynamic_cast<fw::TCustomEdit*>(control); edit && !IsWindowEnabled(A.CtrlHandle))
    DrawDisabledEditText(A, S, *edit, S.Focused || S.MouseAbove ? 1 : 0);
  if (control && !control->Enabled()) {
    TkDisabledKind kind{dkBlended};
    SendMessageW(A.CtrlHandle, WM_SKINCOMMAND, SkinCommand(SKC_GETDISABLEDKIND), reinterpret_cast<LPARAM>(&kind));
    GdiFlush();
    PaintDisabledLook(cache, kind, control->Parent(), {}, behind.CI);
  }
  A.BGChanged = false;
}

void FillBorderCorners(TkcMainWnd& A, TkcPaintState& S, int State) {
  if (A.DlgMode || !S.Cache || S.Geo.WndSize.x <= 1 || S.Geo.WndSize.y <= 1) return;
  const TkGeneralData* s = AdapterSection(A);
  TkLoadedSkin* skin = A.Skin();
  if (!s || !skin->IsValidImgIndex(s->BorderIndex)) return;
  const TkMaskData& m = skin->ma[size_t(s->BorderIndex)];
  const TkcBehind behind = WndParentCacheInfo(A.CtrlHandle, S.Geo);
  GdiFlush();
  RepaintBorderCorners(View32(*S.Cache), m, MaskSourceView(*skin, m), State, bcAll, behind.CI);
}

void ShowAdapterGlow(TkcMainWnd& A, TkcPaintState& S) {
  const TkGeneralData* s = AdapterSection(A);
  if (!s || s->GlowCount < 1 || S.GlowID != -1 || NoMouseHoverOption()) return;
  if (Manager() && !Manager()->Effects()->FAllowGlowing) return;
  RECT wr{}, cb{};
  GetWindowRect(A.CtrlHandle, &wr);
  HDC dc = GetWindowDC(A.CtrlHandle);
  GetClipBox(dc, &cb);
  ReleaseDC(A.CtrlHandle, dc);
  S.GlowID = ShowGlowEffect(fw::Rect(wr.left, wr.top, wr.right, wr.bottom), fw::Rect(cb.left, cb.top, cb.right, cb.bottom),
                            A.Skin(), A.SkinSection(), u"GLOW", s->GlowMargin, 255, TopLevelAncestor(A.CtrlHandle));
}

void HideAdapterGlow(TkcPaintState& S) {
  if (S.GlowID != -1) HideGlowEffect(S.GlowID);
}

fw::String WindowText(HWND Wnd) {
  const int n = GetWindowTextLengthW(Wnd);
  std::wstring text(size_t(n) + 1, L'\0');
  GetWindowTextW(Wnd, text.data(), n + 1);
  text.resize(wcslen(text.c_str()));
  return fw::String(text.begin(), text.end());
}

void SelectControlFont(fw::TCanvas& Canvas, fw::TControl* Control, HWND Wnd) {
  if (Control) {
    Canvas.SetFont(Control->Font());
    return;
  }
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(Wnd, WM_GETFONT, 0, 0))) {
    LOGFONTW lf{};
    if (GetObjectW(font, sizeof(lf), &lf)) {
      Canvas.Font()->SetHandle(CreateFontIndirectW(&lf));
      return;
    }
  }
  AssignNonClientFont(Canvas, ncfMessage);
}

TControlTextSource AdapterTextSource(const TkcMainWnd& A, fw::TBitmap* Cache) {
  int index = -1;
  AdapterSection(A, &index);
  TControlTextSource src;
  src.Skin = A.Skin();
  src.SkinIndex = index;
  src.Skinned = index >= 0;
  src.CustomFont = !A.Params().UseSkinFontColor;
  src.Cache = Cache;
  return src;
}

}  // namespace skin
