#include "skin/controls/dialog_wnd.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>
#include <optional>

#include "skin/controls/attach_hook.h"
#include "skin/controls/control_cache.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/nine_slice.h"
#include "skin/engine/core/section_paint.h"
#include "skin/engine/kconst.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/text_out.h"
#include "skin/engine/window_utils.h"
#include "skin/forms/core/region_cutouts.h"
#include "skin/forms/core/title_buttons.h"
#include "skin/forms/dwm_link.h"
#include "skin/forms/frame_facts.h"
#include "skin/forms/frame_shadow.h"
#include "skin/forms/min_animation.h"
#include "skin/forms/skinned_menus.h"
#include "skin/forms/window_region.h"

namespace skin {

namespace {

constexpr UINT kCaptionFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
// A window that keeps its own region answers this with its wParam.
constexpr UINT kOwnRegionQuery = 0xBC4D;
constexpr WPARAM kOwnRegionMark = 0x41A2;
constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

bool IsTitleButton(int code) { return code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE || code == HTHELP; }

fw::String WindowTextOf(HWND wnd) {
  const int n = GetWindowTextLengthW(wnd);
  std::wstring text(size_t(n) + 1, L'\0');
  GetWindowTextW(wnd, text.data(), n + 1);
  text.resize(wcslen(text.c_str()));
  return fw::String(text.begin(), text.end());
}

bool IsStaticClass(HWND wnd) {
  wchar_t cls[16] = {};
  GetClassNameW(wnd, cls, 16);
  return lstrcmpiW(cls, L"static") == 0;
}

}  // namespace

TkcDialogWnd::TkcDialogWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, TkcProvider* AProvider)
    : TkcMainWnd(AHandle, std::move(ASkin), Params), Provider(AProvider) {}

TkcDialogWnd::~TkcDialogWnd() {
  KillAnimations();
  BorderForm.reset();
  Detach();
  if (FBrush) DeleteObject(FBrush);
}

void TkcDialogWnd::Subclass() {
  TkcMainWnd::Subclass();
  AfterCreation();
}

void TkcDialogWnd::AfterCreation() {
  Initialized = false;
  RgnChanged = true;
  BorderStyle = TkcBorderStyle::acbsSingle;
  FFormActive = true;
  FWMPaintForbidden = WindowsMajorVersion > 5;
  SystemMenu = std::make_unique<TkcSystemMenu>(nullptr);
  SystemMenu->FOwner = this;
  // The class keeps no saved bits under a skinned dialog: the skinned frame
  // would come back from them unskinned.
  const ULONG_PTR cls = GetClassLongPtrW(CtrlHandle, GCL_STYLE);
  if (cls & CS_SAVEBITS) {
    SetClassLongPtrW(CtrlHandle, GCL_STYLE, cls & ~ULONG_PTR(CS_SAVEBITS));
    FSaveBitsRemoved = true;
  }
  InitParams();
  SystemMenu->UpdateItems();
  // The system's own window animations would show the unskinned frame.
  if (WindowsVersionNumber() >= 6) FTransitionsOff = DwmLink().DisableTransitions(CtrlHandle, true);
  // The window menu is drawn like the skin's other popups.
  if (TkSkinManager* m = DialogManager(); m && m->SkinnedPopups())
    SkinableMenusOf(m)->HookPopupMenu(SystemMenu.get(), true);
  InitBorderForm(DialogExtendedBorders());
}

void TkcDialogWnd::InitBorderForm(bool Active) {
  if (!Active) {
    if (!BorderForm) return;
    BorderForm.reset();
    MoveHost.BorderForm = nullptr;
    // The frame, title and outline are the dialog's own again.
    BGChanged = RgnChanged = true;
    return;
  }
  if (BorderForm) return;
  BorderForm = std::make_unique<TkcBorderForm>(&BorderOwner);
  MoveHost.BorderForm = BorderForm.get();
  BGChanged = RgnChanged = true;
  if (IsWindowVisible(CtrlHandle)) {
    BorderForm->UpdateExBordersPos(true, 255);
    UpdateWindowRegion(true);
  }
}

bool TkcDialogWnd::BlendedMove() {
  if (!MoveHost.Wanted()) return false;
  // The fading window shows the dialog active.
  BGChanged = true;
  FFormActive = true;
  PaintAll();
  return MoveWithBlending(MoveHost, true);
}

void TkcDialogWnd::InitParams() {
  const uint32_t now = uint32_t(GetWindowLongPtrW(CtrlHandle, GWL_STYLE));
  if (now & kWsSysMenu) FSysMenuRemoved = false;  // given (again) by the dialog
  dwStyle = now | (FSysMenuRemoved ? kWsSysMenu : 0);
  dwExStyle = uint32_t(GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE));
  BorderStyle = DialogBorderStyle(dwStyle);
  TitleIcon = reinterpret_cast<HICON>(SendMessageW(CtrlHandle, WM_GETICON, ICON_SMALL, 0));
  if (!TitleIcon) TitleIcon = reinterpret_cast<HICON>(SendMessageW(CtrlHandle, WM_GETICON, ICON_BIG, 0));
  UpdateIconsIndexes();
  // The system would draw and handle its own title buttons and menu.
  if ((dwStyle & kWsSysMenu) && !FSysMenuRemoved) {
    FSysMenuRemoved = true;
    SetWindowLongPtrW(CtrlHandle, GWL_STYLE, LONG_PTR(dwStyle & ~kWsSysMenu));
  }
}

void TkcDialogWnd::UpdateIconsIndexes() {
  TkLoadedSkin* s = Skin();
  if (!s) return;
  DialogIndex = s->GetSkinIndex(SkinSection());
  FCaptionSkinIndex = s->GetSkinIndex(u"CAPTION");
  if (!s->IsValidSkinIndex(s->ConstData.IndexGLobalInfo)) return;
  const TkcDialogState d = DialogState();
  TkTitleButtonSet set;
  set.BigButtons =
      d.BorderStyle == TkcBorderStyle::acbsSingle || d.BorderStyle == TkcBorderStyle::acbsSizeable;
  set.VisibleMax = skin::VisibleMax(d);
  set.VisibleMin = skin::VisibleMin(d);
  InitTitleButtons(*s, set, FLayout);
  TitleIndex = set.BigButtons ? -1 : s->GetSkinIndex(u"DIALOGTITLE");
  if (TitleIndex < 0) TitleIndex = s->GetSkinIndex(u"FORMTITLE");
  BGChanged = RgnChanged = true;
}

TkcDialogState TkcDialogWnd::DialogState() const {
  TkcDialogState d;
  d.Style = dwStyle;
  d.ExStyle = dwExStyle;
  d.BorderStyle = BorderStyle;
  d.NoCloseClass = (GetClassLongPtrW(CtrlHandle, GCL_STYLE) & CS_NOCLOSE) != 0;
  d.Iconic = IsIconic(CtrlHandle);
  d.Zoomed = IsZoomed(CtrlHandle);
  return d;
}

TkFormFrameFacts TkcDialogWnd::FrameFacts() const {
  TkFormFrameFacts f = WindowFrameFacts(CtrlHandle, FrameStyleOf(BorderStyle));
  f.MainForm = true;  // an iconic dialog keeps its own width
  if (BorderForm) {
    // The border window shows the skin's extended frame and title and the
    // manager's shadow; the window keeps its system frame.
    TkExtBorderFacts& e = FExtFacts;
    e = TkExtBorderFacts{};
    if (const TkLoadedSkin* s = Skin()) {
      const TkSkinData& c = s->CommonSkinData;
      e.ExBorderWidth = c.ExBorderWidth;
      e.ExTitleHeight = c.ExTitleHeight;
      e.ExMaxHeight = c.ExMaxHeight;
      e.ExCenterOffs = c.ExCenterOffs;
      e.ExDrawMode = c.ExDrawMode;
      e.BITopMargin = c.BITopMargin;
    }
    if (const TkSkinManager* m = DialogManager()) e.Shadow = m->FormShadowSize;
    f.BorderForm = &e;
    e.CaptionHeightSkin = skin::CaptionHeight(f, true);
    e.CaptionHeightSystem = skin::CaptionHeight(f, false);
  }
  return f;
}

int TkcDialogWnd::CaptionHeight() const { return skin::CaptionHeight(FrameFacts(), true); }
int TkcDialogWnd::HeaderHeight() const { return DialogHeaderHeight(FrameFacts()); }
int TkcDialogWnd::OffsetX() const { return DialogOffsetX(FrameFacts()); }
int TkcDialogWnd::OffsetY() const { return DialogOffsetY(FrameFacts()); }
int TkcDialogWnd::TitleBtnsWidth() const { return DialogButtonsWidth(DialogState(), ButtonSizes()); }

TkcTitleButtonSizes TkcDialogWnd::ButtonSizes() const {
  TkcTitleButtonSizes z;
  const TkLoadedSkin* s = Skin();
  if (!s) return z;
  z.CloseWidth = TitleButtonWidth(*s, FLayout.Close.ImageIndex);
  z.MaxWidth = TitleButtonWidth(*s, FLayout.Max.ImageIndex);
  z.MinWidth = TitleButtonWidth(*s, FLayout.Min.ImageIndex);
  z.HelpWidth = TitleButtonWidth(*s, FLayout.Help.ImageIndex);
  z.ButtonHeight = TitleButtonHeight(*s, FLayout);
  z.CloseValid = s->IsValidImgIndex(FLayout.Close.ImageIndex);
  z.HelpValid = s->IsValidImgIndex(FLayout.Help.ImageIndex);
  z.CloseIsBig = FLayout.Close.ImageIndex >= 0 && FLayout.Close.ImageIndex == s->ConstData.MaskCloseBtn;
  z.BISpacing = s->CommonSkinData.BISpacing;
  z.BIRightMargin = s->CommonSkinData.BIRightMargin;
  z.BIVAlign = s->CommonSkinData.BIVAlign;
  return z;
}

void TkcDialogWnd::PaintAll() {
  TkLoadedSkin* s = Skin();
  // The image stays as it is while the dialog is dragged half-transparent.
  if (!s || (FormState() & kFsBlendedMove)) return;
  TkFormImageInput in;
  in.Frame = FrameFacts();
  in.Active = FFormActive;
  in.Enabled = IsWindowEnabled(CtrlHandle) != 0;
  in.FormSkinIndex = DialogIndex;
  in.TitleSkinIndex = TitleIndex;
  const TkcDialogState d = DialogState();
  const TkcTitleButtonSizes sizes = ButtonSizes();
  PlaceDialogButtons(in.Frame, d, sizes, FLayout);
  in.Layout = FLayout;
  // A maximised dialog's maximise button and an iconic one's minimise
  // button show the restore glyph.
  if (d.Zoomed) in.Layout.Max.ImageIndex = s->ConstData.MaskNormBtn;
  if (d.Iconic) {
    in.Layout.Min.ImageIndex = s->ConstData.MaskNormBtn;
    in.Layout.Max.ImageIndex = s->ConstData.MaskMaxBtn;
  }
  SetTitleButtonSizes(*s, FLayout, in.LayoutInput);
  in.LayoutInput.SystemButtons = skin::VisibleClose(d);
  in.LayoutInput.VisibleMax = skin::VisibleMax(d);
  in.LayoutInput.VisibleMin = skin::VisibleMin(d);
  in.LayoutInput.HelpButton = skin::VisibleHelp(d) && sizes.HelpValid;
  in.EnabledClose = skin::EnabledClose(d);
  in.EnabledMax = d.Zoomed ? skin::EnabledRestore(d) : skin::EnabledMax(d);
  in.EnabledMin = d.Iconic ? skin::EnabledRestore(d) : skin::EnabledMin(d);
  in.LayoutInput.IconVisible = TitleIcon != nullptr && skin::CaptionHeight(in.Frame, true) > 0;
  if (in.LayoutInput.IconVisible) {
    in.Icon = TitleIcon;
    in.Layout.IconRect = DialogIconRect(in.Frame, s->CommonSkinData.BILeftMargin, GetSystemMetrics(SM_CXSMICON),
                                        GetSystemMetrics(SM_CYSMICON));
  }
  if (BorderForm) {
    // The border window shows the frame in the manager's shadow.
    if (TkSkinManager* m = DialogManager()) in.ShadowTemplate = FFormActive ? &m->ShdaTemplate : &m->ShdiTemplate;
    in.StretchShadowEdges = true;
  }
  FInput = in;
  PaintFormImage(FImage, *s, in);
  if (s->IsValidSkinIndex(DialogIndex)) {
    GdiFlush();
    std::optional<TkAlphaKeeper> keeper;
    if (BorderForm) keeper.emplace(View32(FImage));
    PaintCaptionText();
    GdiFlush();
    if (keeper) keeper->Restore();
  }
  GdiFlush();
  BGChanged = false;
  RgnChanged = true;
}

void TkcDialogWnd::PaintCaptionText() {
  TkLoadedSkin& s = *Skin();
  const TkFormFrameFacts& f = FInput.Frame;
  if (skin::CaptionHeight(f, true) == 0 || Caption.empty()) return;
  const int iconWidth = FInput.LayoutInput.IconVisible ? GetSystemMetrics(SM_CXSMICON) : 0;
  fw::TRect r = DialogCaptionRect(f, DialogState(), ButtonSizes(), FImage.Width(), iconWidth,
                                  s.CommonSkinData.BILeftMargin);
  if (r.Width() <= 0 || r.Height() <= 0) return;
  fw::TCanvas& canvas = *FImage.Canvas();
  if (HFONT font = CreateCaptionFont()) {
    canvas.Font()->SetHandle(font);
    canvas.Font()->SetCharset(DEFAULT_CHARSET);
  }
  const bool rtl = (dwExStyle & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)) != 0;
  const UINT format = kCaptionFormat | (rtl ? DT_RIGHT | DT_RTLREADING : 0);
  fw::TRect measured = fw::Rect(0, 0, r.Width(), r.Height());
  DrawTextOnCanvas(canvas, Caption, format | DT_CALCRECT, measured);
  const int th = measured.Height(), tw = std::min(measured.Width(), r.Width());
  r.Top += (r.Height() - th) / 2;
  r.Bottom = r.Top + th;
  int textSection = TitleIndex;
  const TPixelView32 v = View32(FImage);
  if (s.IsValidSkinIndex(FCaptionSkinIndex)) {
    const int left = rtl ? r.Right - tw : r.Left;
    TSectionPaint p;
    p.SkinIndex = FCaptionSkinIndex;
    p.SectionName = s.gd[FCaptionSkinIndex].ClassName;
    p.State = FormSectionState(s, FCaptionSkinIndex, FFormActive);
    p.CI.Bmp = v;
    p.CI.Ready = true;
    p.R = fw::Rect(left - 2, r.Top - 1, std::min(v.Width, left + tw + 2), r.Bottom + 1);
    PaintSectionRect(v, s, p);
    textSection = FCaptionSkinIndex;
  }
  if (!s.IsValidSkinIndex(textSection)) textSection = DialogIndex;
  const TkGeneralData& gd = s.gd[textSection];
  const int glow = FFormActive ? gd.HotGlowSize : gd.GlowSize;
  // A 32-bit program on a 64-bit system without composition draws no glow.
  if (glow > 0 && !Wow64WithoutComposition) {
    std::unique_ptr<fw::TBitmap> mask;
    DrawTextGlow(FImage, Caption, r, format, 15, glow, FFormActive ? gd.HotGlowColor : gd.GlowColor, mask);
  }
  canvas.Brush()->SetStyle(fw::bsClear);
  DrawSectionText(canvas, Caption, true, r, format, textSection, FormSectionState(s, textSection, FFormActive), &s);
}

void TkcDialogWnd::PaintCaption(HDC DC) {
  // The border window shows the frame.
  if (BorderForm) return;
  if (BGChanged || FImage.Width() == 0) PaintAll();
  // Everything but the client area: the frame strips come from the image.
  RECT c{}, w{};
  GetClientRect(CtrlHandle, &c);
  MapWindowPoints(CtrlHandle, nullptr, reinterpret_cast<POINT*>(&c), 2);
  GetWindowRect(CtrlHandle, &w);
  const int saved = SaveDC(DC);
  ExcludeClipRect(DC, c.left - w.left, c.top - w.top, c.right - w.left, c.bottom - w.top);
  BitBlt(DC, 0, 0, FImage.Width(), FImage.Height(), FImage.Canvas()->Handle(), 0, 0, SRCCOPY);
  RestoreDC(DC, saved);
}

void TkcDialogWnd::PaintClient(HDC DC) {
  if (BGChanged || FImage.Width() == 0) PaintAll();
  const int saved = SaveDC(DC);
  // The dialog's background goes around its child windows, but under
  // group boxes and statics that let it through. A child that has the
  // dialog paint into its own DC (a transparent tool bar) gets it whole.
  const bool ownDC = WindowFromDC(DC) == CtrlHandle;
  for (HWND c = ownDC ? GetWindow(CtrlHandle, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT)) {
    const LONG_PTR style = GetWindowLongPtrW(c, GWL_STYLE);
    if (!(style & WS_VISIBLE) || (style & 7) == 7 || ((style & 0x10000) && IsStaticClass(c))) continue;
    RECT r{};
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, CtrlHandle, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(DC, r.left, r.top, r.right, r.bottom);
  }
  RECT c{};
  GetClientRect(CtrlHandle, &c);
  BitBlt(DC, 0, 0, c.right, c.bottom, FImage.Canvas()->Handle(), OffsetX(), OffsetY(), SRCCOPY);
  RestoreDC(DC, saved);
  RepaintChildWindows(CtrlHandle);
}

void TkcDialogWnd::UpdateWindowRegion(bool Redraw) {
  TkLoadedSkin* s = Skin();
  if (!s || !s->IsValidSkinIndex(DialogIndex)) return;
  if (BorderStyle == TkcBorderStyle::acbsNone && !IsIconic(CtrlHandle)) return;
  if (SendMessageW(CtrlHandle, kOwnRegionQuery, kOwnRegionMark, 0) == LRESULT(kOwnRegionMark)) return;
  FSettingRegion = true;
  const TkFormFrameFacts f = FrameFacts();
  if (BorderForm) {
    // The border window draws frame and title around the client area.
    const int fw = FrameWidthOf(f, false), fh = FrameHeightOf(f, false);
    FArOR.clear();
    FRegionSet = true;
    SetWindowRgn(CtrlHandle, CreateRectRgn(fw, fh + skin::CaptionHeight(f, false) + fw, f.Width - fw, f.Height - fw),
                 Redraw);
    return;
  }
  FArOR = MakeRegionCutouts(*s, s->gd[DialogIndex].BorderIndex, TitleIndex, f.Width, f.Height);
  FRegionSet = true;
  SetWindowRgn(CtrlHandle, MakeSkinRegion(FArOR, f.Width, f.Height, 0, 0), Redraw);
}

TkCaptionButton* TkcDialogWnd::ButtonOf(int HitCode) {
  switch (HitCode) {
    case HTMINBUTTON: return &FLayout.Min;
    case HTMAXBUTTON: return &FLayout.Max;
    case HTCLOSE: return &FLayout.Close;
    case HTHELP: return &FLayout.Help;
    default: return nullptr;
  }
}

void TkcDialogWnd::KillAnimations() {
  for (TkCaptionButton* b : {&FLayout.Close, &FLayout.Max, &FLayout.Min, &FLayout.Help}) StopTitleButtonAnimation(*b);
}

void TkcDialogWnd::RepaintButton(int i) {
  TkCaptionButton* b = ButtonOf(i);
  if (!b) return;
  if (b->State < 0) {
    StopTitleButtonAnimation(*b);
    return;
  }
  if (!IsWindowVisible(CtrlHandle)) return;
  if (GlowOwner.GlowAllowed()) {
    // The fade over the button shows its new state.
    if (b->State == 2)
      AnimateTitleButton(*b, 2, 1, true, &GlowOwner, nullptr);
    else
      AnimateTitleButton(*b, b->State, 10, b->State == 1, &GlowOwner, nullptr);
    return;
  }
  if (BorderForm) {
    // The whole image goes to the border window again.
    BGChanged = true;
    BorderForm->UpdateExBordersPos(true, 255);
    return;
  }
  // Without glow animations the frame is drawn again with the button's new
  // state.
  BGChanged = true;
  HDC dc = GetWindowDC(CtrlHandle);
  PaintCaption(dc);
  ReleaseDC(CtrlHandle, dc);
}

void TkcDialogWnd::SetHotHT(int i, bool Repaint) {
  if (i == CurrentHT) return;
  if (TkCaptionButton* old = ButtonOf(CurrentHT)) old->State = 0;
  if (Repaint) RepaintButton(CurrentHT);
  CurrentHT = i;
  if (TkCaptionButton* b = ButtonOf(i)) {
    b->State = 1;
    // The leaving of the non-client area ends the hot state.
    TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE | TME_NONCLIENT, CtrlHandle, 0};
    TrackMouseEvent(&t);
  }
  TitleButtonPressed = false;
  if (Repaint) RepaintButton(i);
}

void TkcDialogWnd::SetPressedHT(int i) {
  if (i != CurrentHT) {
    if (TkCaptionButton* old = ButtonOf(CurrentHT)) old->State = 0;
    RepaintButton(CurrentHT);
  }
  CurrentHT = i;
  if (TkCaptionButton* b = ButtonOf(i)) {
    if (i != HTMAXBUTTON || EnabledMax() || (IsZoomed(CtrlHandle) && EnabledRestore())) b->State = 2;
  }
  TitleButtonPressed = true;
  RepaintButton(i);
}

void TkcDialogWnd::DropSysMenu(int x, int y) {
  if (OnDropSysMenu) {
    OnDropSysMenu(x, y);
    return;
  }
  SystemMenu->UpdateItems();
  SystemMenu->SetWindowHandle(CtrlHandle);
  SystemMenu->Popup(x, y);
}

void TkcDialogWnd::InitChildren() {
  if (Initialized) return;
  Initialized = true;
  if (Provider) Provider->InitSkin(CtrlHandle);
}

void TkcDialogWnd::HandleHitTest(fw::TMessage& Message) {
  RECT w{};
  GetWindowRect(CtrlHandle, &w);
  const fw::TPoint p{GET_X_LPARAM(Message.LParam) - w.left, GET_Y_LPARAM(Message.LParam) - w.top};
  const TkcTitleButtonSizes sizes = ButtonSizes();
  if (BGChanged) PaintAll();
  const int code = DialogHitTest(FrameFacts(), DialogState(), FLayout, sizes.ButtonHeight,
                                 GetSystemMetrics(SM_CXSMICON), p);
  if (code == 0 || code == HTCAPTION) {
    CallPrev(Message);
    SetHotHT(0, true);
    return;
  }
  Message.Result = code;
  SetHotHT(code == -1 ? 0 : code, true);
}

void TkcDialogWnd::HandleNCLButtonDown(fw::TMessage& Message) {
  const int code = int(Message.WParam);
  if (code == HTSYSMENU) {
    SetHotHT(0, true);
    RECT w{};
    GetWindowRect(CtrlHandle, &w);
    DropSysMenu(w.left + FrameWidthOf(FrameFacts(), true),
                w.top + FrameHeightOf(FrameFacts(), true) + GetSystemMetrics(SM_CYSMICON));
    return;
  }
  if (IsTitleButton(code)) {
    SetPressedHT(code);
    return;
  }
  if (IsIconic(CtrlHandle)) {
    SendMessageW(CtrlHandle, WM_SYSCOMMAND, 0xF012, 0);
    return;
  }
  SetHotHT(0, true);
  if (IsZoomed(CtrlHandle)) {
    RECT w{};
    GetWindowRect(CtrlHandle, &w);
    const TkFormFrameFacts f = FrameFacts();
    if (GET_Y_LPARAM(Message.LParam) - w.top <= FrameHeightOf(f, true) + skin::CaptionHeight(f, true)) {
      if (GetActiveWindow() != CtrlHandle) SetFocus(CtrlHandle);
      return;
    }
  }
  if (code == HTCAPTION && BlendedMove()) {
    Message.Result = 0;
    return;
  }
  CallPrev(Message);
}

void TkcDialogWnd::HandleButtonUp(fw::TMessage& Message) {
  const bool pressed = TitleButtonPressed;
  switch (Message.WParam) {
    case HTMINBUTTON:
      SetHotHT(0, true);
      if (pressed) SendCommand(IsIconic(CtrlHandle) ? SC_RESTORE : SC_MINIMIZE);
      break;
    case HTMAXBUTTON:
      if (IsIconic(CtrlHandle) && !EnabledMax()) break;
      SetHotHT(0, true);
      if (pressed) {
        SendCommand(IsZoomed(CtrlHandle) ? SC_RESTORE : SC_MAXIMIZE);
        if (SystemMenu) SystemMenu->UpdateItems();
      }
      break;
    case HTCLOSE:
      if (!pressed) break;
      FLayout.Close.State = 0;
      SetHotHT(0, true);
      SendCommand(SC_CLOSE);
      if (Destroyed || !IsWindow(CtrlHandle)) break;
      KillAnimations();
      if (IsWindowVisible(CtrlHandle)) SetHotHT(0, true);
      break;
    case HTHELP:
      if (pressed) SendCommand(SC_CONTEXTHELP);
      SetHotHT(0, true);
      if (pressed) {
        if (SystemMenu) SystemMenu->UpdateItems();
        SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0);
      }
      break;
    default: CallPrev(Message); return;
  }
  Message.Result = 0;
}

void TkcDialogWnd::HandleActivate() {
  BGChanged = true;
  InvalidateRect(CtrlHandle, nullptr, FALSE);
  RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
  if (BorderForm && IsWindowVisible(CtrlHandle)) BorderForm->UpdateExBordersPos(true, 255);
}

int TkcDialogWnd::BorderHitCode(LPARAM Screen) {
  if (!BorderForm || !BorderForm->AForm()) return 0;
  return BorderForm->Ex_WMNCHitTest(fw::TPoint{GET_X_LPARAM(Screen), GET_Y_LPARAM(Screen)});
}

void TkcDialogWnd::ShowBorderWhenHidden() {
  if (!BorderForm || (FormState() & kFsBlendedMove) || AnimationInProgress) return;
  if (BorderForm->AForm() && IsWindowVisible(BorderForm->AForm())) return;
  if (DwmCompositionActive()) {
    if (BGChanged) PaintAll();
    UpdateWindowRegion(false);
    BorderForm->UpdateExBordersPos(true, 255);
    SetFocus(CtrlHandle);
  } else {
    BorderForm->UpdateExBordersPos(false, 255);
  }
}

fw::TPoint TkcDialogWnd::ImageTopLeft() const {
  RECT r{};
  GetWindowRect(CtrlHandle, &r);
  if (!BorderForm) return fw::TPoint{r.left, r.top};
  return fw::TPoint{r.left - BorderOwner.XOffset(), r.top - BorderOwner.YOffset()};
}

std::unique_ptr<fw::TBitmap> TkcDialogWnd::DialogPicture() {
  if (BGChanged || FImage.Width() == 0) PaintAll();
  auto b = NewBitmap32(FImage.Width(), FImage.Height());
  HDC dc = b->Canvas()->Handle();
  BitBlt(dc, 0, 0, FImage.Width(), FImage.Height(), FImage.Canvas()->Handle(), 0, 0, SRCCOPY);
  RECT c{};
  GetClientRect(CtrlHandle, &c);
  const int x = OffsetX(), y = OffsetY();
  const int saved = SaveDC(dc);
  SetViewportOrgEx(dc, x, y, nullptr);
  IntersectClipRect(dc, 0, 0, c.right, c.bottom);
  if (Provider) Provider->PrintHwndControls(CtrlHandle, dc);
  RestoreDC(dc, saved);
  GdiFlush();
  const TPixelView32 v = View32(*b);
  if (BorderForm) {
    // The shadow keeps its own alpha; what was printed is opaque.
    SetRectAlpha(v, fw::Rect(x, y, x + c.right, y + c.bottom), 255, clSkinNone);
    return b;
  }
  for (int row = 0; row < v.Height; ++row) {
    uint32_t* p = v.Row(row);
    for (int col = 0; col < v.Width; ++col)
      p[col] = (p[col] & 0xFFFFFFu) == clSkinKey ? 0 : (p[col] | 0xFF000000u);
  }
  return b;
}

void TkcDialogWnd::HandleShowWindow(fw::TMessage& Message) {
  const HWND wnd = CtrlHandle;
  // Under composition the window appears layered, so that the system does
  // not show it before its skinned frame is there.
  const bool composed = DwmCompositionActive();
  const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
  if (composed && !(ex & WS_EX_LAYERED)) SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  CallPrev(Message);
  if (composed && !(ex & WS_EX_LAYERED))
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
  if (WindowsVersionNumber() >= 6) FTransitionsOff = DwmLink().DisableTransitions(wnd, true) || FTransitionsOff;
  const TkcFormAnimation* show = DialogShowAnimation();
  if (!Message.WParam || !show || !LayeredWindowsAvailable()) return;
  Caption = WindowTextOf(wnd);
  InitChildren();
  Updating = false;
  std::unique_ptr<fw::TBitmap> picture = DialogPicture();
  AnimShowWindow(wnd, *picture, ImageTopLeft(), unsigned(show->Time), 255, show->Mode);
}

void TkcDialogWnd::TakeClosingSnapshot() {
  if (!DialogHideAnimation() || !IsWindowVisible(CtrlHandle)) return;
  FClosingPicture = DialogPicture();
  if (BorderForm && BorderForm->AForm()) {
    // The border window shows the whole dialog while it closes.
    SetWindowRgn(BorderForm->AForm(), nullptr, FALSE);
    SetLayeredBitmap(BorderForm->AForm(), FClosingPicture.get(), 255, nullptr);
    BorderForm->ExBorderShowing = true;
  } else {
    CoverForm = MakeCoverForm(CtrlHandle);
  }
}

void TkcDialogWnd::HandleHide(fw::TMessage& Message) {
  const HWND wnd = CtrlHandle;
  RgnChanged = true;
  const fw::TPoint at = ImageTopLeft();
  CallPrev(Message);
  const TkcFormAnimation* hide = DialogHideAnimation();
  if (hide && LayeredWindowsAvailable()) {
    std::unique_ptr<fw::TBitmap> picture = FClosingPicture ? std::move(FClosingPicture) : DialogPicture();
    auto window = std::make_unique<TkcAnimWindow>(nullptr, true);
    SetWindowPos(window->Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RunHideAnimation(std::move(window), std::move(picture), unsigned(hide->Time), wnd, hide->Mode, 255);
    const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    if (ex & WS_EX_LAYERED) SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
  }
  FClosingPicture.reset();
  CoverForm.reset();
  InitBorderForm(false);
}

void TkcDialogWnd::SizeWithBorder(fw::TMessage& Message) {
  const HWND wnd = CtrlHandle;
  if (Updating) {
    CallPrev(Message);
    return;
  }
  // The right-hand corner images drawn at the old client corner must go.
  if (const TkLoadedSkin* s = Skin(); s && s->IsValidSkinIndex(DialogIndex)) {
    const TkGeneralData& gd = s->gd[size_t(DialogIndex)];
    std::vector<fw::TPoint> sizes;
    for (int index : {gd.ImgTR, gd.ImgBR})
      if (s->IsValidImgIndex(index))
        sizes.push_back({MaskFrameWidth(s->ma[size_t(index)]), MaskFrameHeight(s->ma[size_t(index)])});
    for (const fw::TRect& r :
         ShrunkCornerRects(LastClientRect, LOWORD(Message.LParam), HIWORD(Message.LParam), sizes)) {
      const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
      InvalidateRect(wnd, &rc, TRUE);
    }
  }
  Updating = true;
  const bool composed = DwmCompositionActive();
  if (composed) SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
  CallPrev(Message);
  if (composed) SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
  Updating = false;
  RECT c{};
  GetClientRect(wnd, &c);
  if (!AnimationInProgress) {
    if (!IsWindowVisible(wnd)) {
      BGChanged = true;
    } else {
      const TkFormFrameFacts f = FrameFacts();
      if (FImage.Width() != CaptionWidth(f) || FImage.Height() != FormImageHeight(f)) {
        RgnChanged = BGChanged = true;
        const bool noBars = !(GetWindowLongPtrW(wnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
        if (noBars) FormState() |= kFsSizeChange;
        BorderForm->UpdateExBordersPos(true, 255);
        FormState() &= ~kFsSizeChange;
        UpdateWindowRegion(false);
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
        if (HWND b = BorderForm->AForm()) {
          SetWindowPos(b, wnd, 0, 0, 0, 0, 0x61B);
          SetWindowRgn(b, BorderForm->MakeRgn(), TRUE);
        }
      }
    }
  }
  LastClientRect = fw::Rect(0, 0, c.right, c.bottom);
}

bool TkcDialogWnd::HandleDialogSkinCommand(fw::TMessage& Message) {
  switch (SkinCommandCode(Message.WParam)) {
    case SKC_NEWSKIN:
    case SKC_REFRESH:
      // The skin may come back after its removal: the system menu goes again.
      if (!FSysMenuRemoved) InitParams();
      UpdateIconsIndexes();
      if (SystemMenu) SystemMenu->UpdateItems();
      InitBorderForm(DialogExtendedBorders());
      if (BorderShown()) {
        BGChanged = true;
        BorderForm->UpdateExBordersPos(true, 255);
      }
      return false;  // the common handling repaints and tells the children
    case SKC_SETUPDATING:
      // The picture made while the skin changes is made again afterwards.
      if (SkinCommandFlag(Message.WParam) == 1) BGChanged = true;
      return false;
    case SKC_INVALIDATE:
      if (BorderForm) BorderForm->UpdateExBordersPos(false, 255);
      return false;
    case SKC_GETBGCOLOR: {
      TkLoadedSkin* s = Skin();
      Message.Result = s && s->IsValidSkinIndex(DialogIndex) ? s->gd[DialogIndex].Props[0].Color : 0;
      return true;
    }
    case SKC_GETCLIENTOFFSET:
      Message.Result = MAKELONG(OffsetX(), OffsetY());
      return true;
    case SKC_QUERYMOVEREPAINT: {
      // Moving shows another part of a gradient or texture only.
      TkLoadedSkin* s = Skin();
      const bool patterned = s && s->IsValidSkinIndex(DialogIndex) &&
                             s->gd[DialogIndex].Props[0].GradientPercent + s->gd[DialogIndex].Props[0].ImagePercent > 0;
      Message.Result = patterned ? 1 : 0;
      return true;
    }
    case SKC_GETBGINFO:
      if (auto* info = reinterpret_cast<TkcBackgroundInfo*>(Message.LParam)) {
        if (BGChanged || FImage.Width() == 0) PaintAll();
        info->Bmp = &FImage;
        info->BgType = btCache;
        info->Offset = fw::TPoint{info->Offset.x + OffsetX(), info->Offset.y + OffsetY()};
      }
      Message.Result = 1;
      return true;
    case SKC_INITCONTROLS:
      if (Provider) Provider->InitSkin(CtrlHandle);
      return false;
    default: return false;
  }
}

void TkcDialogWnd::RestoreStdParams() {
  KillAnimations();
  CoverForm.reset();
  InitBorderForm(false);
  if (!IsWindow(CtrlHandle)) return;
  if (FTransitionsOff) {
    FTransitionsOff = false;
    DwmLink().DisableTransitions(CtrlHandle, false);
  }
  bool changed = false;
  if (FSysMenuRemoved) {
    FSysMenuRemoved = false;
    SetWindowLongPtrW(CtrlHandle, GWL_STYLE, GetWindowLongPtrW(CtrlHandle, GWL_STYLE) | WS_SYSMENU);
    changed = true;
  }
  if (FRegionSet) {
    FRegionSet = false;
    SetWindowRgn(CtrlHandle, nullptr, FALSE);
    changed = true;
  }
  if (FSaveBitsRemoved) {
    FSaveBitsRemoved = false;
    SetClassLongPtrW(CtrlHandle, GCL_STYLE, GetClassLongPtrW(CtrlHandle, GCL_STYLE) | CS_SAVEBITS);
  }
  RgnChanged = BGChanged = true;
  if (changed && IsWindowVisible(CtrlHandle)) {
    // The system's frame and title come back at once.
    SetWindowPos(CtrlHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void TkcDialogWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned() || Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
    // The border window goes first: the system would destroy it with its
    // owner behind its object's back.
    if (Message.Msg == WM_DESTROY) {
      KillAnimations();
      InitBorderForm(false);
      CoverForm.reset();
    }
    TkcMainWnd::kcWndProc(Message);
    return;
  }
  const HWND wnd = CtrlHandle;
  switch (Message.Msg) {
    case WM_SIZE:
      if (BorderForm) {
        SizeWithBorder(Message);
        return;
      }
      // The children wait while the dialog lays them out again.
      BGChanged = RgnChanged = Updating = true;
      CallPrev(Message);
      Updating = false;
      if (IsWindowVisible(wnd)) RedrawWindow(wnd, nullptr, nullptr, kRedrawAll);
      return;
    case WM_SETFOCUS:
      CallPrev(Message);
      RedrawWindow(wnd, nullptr, nullptr, kRedrawAll);
      return;
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETICON:
      if (!IsWindowVisible(wnd)) break;
      CallPrev(Message);
      if (Message.Msg == WM_SETICON) InitParams();
      Caption = WindowTextOf(wnd);
      BGChanged = true;
      if (BorderForm)
        BorderForm->UpdateExBordersPos(false, 255);
      else
        SendMessageW(wnd, WM_NCPAINT, 1, 0);
      return;
    case WM_PAINT:
      if (!FWMPaintForbidden) break;
      {
        PAINTSTRUCT ps;
        BeginPaint(wnd, &ps);
        EndPaint(wnd, &ps);
      }
      Message.Result = 0;
      return;
    case WM_ERASEBKGND: {
      InitChildren();
      Caption = WindowTextOf(wnd);
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      const bool own = dc == nullptr;
      if (own) dc = GetDC(wnd);
      PaintClient(dc);
      if (own) ReleaseDC(wnd, dc);
      Message.Result = 1;
      return;
    }
    case WM_SHOWWINDOW: HandleShowWindow(Message); return;
    case WM_COMMAND:
      // Closing: a snapshot stays on the screen for the hide animation.
      if (Message.WParam == IDCANCEL || Message.WParam == IDYES) {
        TakeClosingSnapshot();
        if (BorderForm && FClosingPicture) {
          CallPrev(Message);
          return;
        }
      }
      break;
    case WM_WINDOWPOSCHANGED:
      if (reinterpret_cast<WINDOWPOS*>(Message.LParam)->flags & SWP_HIDEWINDOW) {
        HandleHide(Message);
        return;
      }
      CallPrev(Message);
      // The border window follows the dialog.
      if (BorderForm && !Updating && IsWindowVisible(wnd) && !(FormState() & kFsBlendedMove))
        BorderForm->UpdateExBordersPos(false, 255);
      return;
    case WM_STYLECHANGED:
      // Dialogs set their final styles while they start (the open dialog
      // becomes sizeable); the system-menu bit is taken away again.
      CallPrev(Message);
      if (Message.WParam == WPARAM(GWL_STYLE) || Message.WParam == WPARAM(GWL_EXSTYLE)) {
        InitParams();
        if (SystemMenu) SystemMenu->UpdateItems();
      }
      return;
    case WM_NCHITTEST: HandleHitTest(Message); return;
    case WM_NCPAINT: {
      if (!IsWindowVisible(wnd)) break;
      InitChildren();
      Caption = WindowTextOf(wnd);
      if (LastClientRect.Width() <= 0) {
        RECT c{};
        GetClientRect(wnd, &c);
        LastClientRect = fw::Rect(0, 0, c.right, c.bottom);
      }
      ShowBorderWhenHidden();
      if (!FSettingRegion && RgnChanged &&
          (BorderStyle != TkcBorderStyle::acbsNone || (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_THICKFRAME))) {
        if (BGChanged) PaintAll();
        RgnChanged = false;
        UpdateWindowRegion(false);
      }
      HDC dc = GetWindowDC(wnd);
      PaintCaption(dc);
      ReleaseDC(wnd, dc);
      FSettingRegion = false;
      Message.Result = 0;
      return;
    }
    case WM_NCACTIVATE:
      if (!IsWindowVisible(wnd)) break;
      SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
      CallPrev(Message);
      FFormActive = LOWORD(Message.WParam) != 0;
      SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
      HandleActivate();
      return;
    case WM_GETDLGCODE: return;
    case WM_NCLBUTTONDOWN:
      if (BorderForm && Message.WParam == 19) {
        CallPrev(Message);
        return;
      }
      if (BorderForm && int(Message.WParam) == -1) {
        // A press the border window handed over: its own answer for the
        // sizing edges and the title buttons, the dialog's for the rest.
        const int code = BorderHitCode(Message.LParam);
        const bool kept = (code >= HTLEFT && code <= HTBOTTOMRIGHT) || IsTitleButton(code) || code == HTSYSMENU;
        Message.WParam = WPARAM(kept ? code : HTCAPTION);
      }
      HandleNCLButtonDown(Message);
      return;
    case WM_NCLBUTTONUP:
      if (BorderForm && int(Message.WParam) == -1) Message.WParam = WPARAM(BorderHitCode(Message.LParam));
      HandleButtonUp(Message);
      return;
    case WM_LBUTTONUP:
      // A release in the client area is no title button's, unless one is
      // held pressed (the mouse was captured meanwhile).
      if (TitleButtonPressed && IsTitleButton(CurrentHT)) {
        fw::TMessage up{WM_NCLBUTTONUP, WPARAM(CurrentHT), Message.LParam, 0};
        HandleButtonUp(up);
        return;
      }
      break;
    case WM_NCLBUTTONDBLCLK:
      if (Message.WParam == HTCAPTION) {
        if (EnabledMax() || EnabledRestore()) {
          SendCommand(IsZoomed(wnd) || IsIconic(wnd) ? SC_RESTORE : SC_MAXIMIZE);
          SystemMenu->UpdateItems();
        }
      } else if (Message.WParam == HTSYSMENU) {
        SendCommand(SC_CLOSE);
      }
      Message.Result = 0;
      return;
    case WM_NCRBUTTONDOWN:
      if (Message.WParam == HTCAPTION || Message.WParam == HTSYSMENU) return;
      break;
    case WM_NCRBUTTONUP:
      if (BorderForm && int(Message.WParam) == -1) Message.WParam = WPARAM(BorderHitCode(Message.LParam));
      if (Message.WParam == HTCAPTION || Message.WParam == HTSYSMENU) {
        SetHotHT(0, true);
        DropSysMenu(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        return;
      }
      break;
    case WM_CTLCOLORDLG: {
      // One brush for the dialog's lifetime (made again when the colour
      // changes): the system does not free what it is given.
      TkLoadedSkin* s = Skin();
      const fw::TColor color = fw::ColorToRGB(s->GetGlobalColor());
      if (!FBrush || color != FBrushColor) {
        if (FBrush) DeleteObject(FBrush);
        FBrush = CreateSolidBrush(color);
        FBrushColor = color;
      }
      Message.Result = reinterpret_cast<LRESULT>(FBrush);
      return;
    }
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE: SetHotHT(0, true); break;
    case WM_MOUSEMOVE:
      // Over the dialog itself no skinned control is under the mouse.
      // (The dialog is no control: it does not become the active one.)
      if (IsWindowEnabled(wnd) && HasDefaultManager()) SetManagerActiveControl(nullptr);
      CallPrev(Message);
      return;
    case WM_DRAWITEM:
      // An owner-drawn static writes over the dialog's skinned background.
      if (auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam); item && item->CtlType == ODT_STATIC)
        SetBkMode(item->hDC, TRANSPARENT);
      break;
    case WM_PRINT: CallPrev(Message); return;
    case 0x401:
      TkcMainWnd::kcWndProc(Message);
      if (Provider) Provider->InitSkin(wnd);
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      return;
    case 0x52C:
    case 0x52E:
      CallPrev(Message);
      if (Provider) Provider->InitSkin(wnd);
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      return;
    case WM_SYSCOMMAND: {
      TkcMainWnd::kcWndProc(Message);
      if (Destroyed || !IsWindow(wnd)) return;
      const WPARAM command = Message.WParam & 0xFFF0;
      if (Message.WParam == 0xF012) {
        UpdateWindow(wnd);
        if (BorderShown()) BorderForm->UpdateExBordersPos(false, 255);
      } else if (command == SC_MAXIMIZE || command == SC_RESTORE) {
        if (VisibleMax()) CurrentHT = HTMAXBUTTON;
        SetHotHT(0, true);
        BGChanged = RgnChanged = true;
      }
      return;
    }
    case WM_SKINCOMMAND:
      if (HandleDialogSkinCommand(Message)) return;
      break;
    case fw::CM_VISIBLECHANGED:
      TkcMainWnd::kcWndProc(Message);
      if (!Message.WParam) KillAnimations();
      return;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
}

TkcDialogWnd* AttachDialogAdapter(HWND Dialog, TkcSkinSource Skin, TkcProvider* Provider) {
  TkcSkinParams p;
  p.SkinSection = u"DIALOG";
  return AttachAdapter<TkcDialogWnd>(Dialog, std::move(Skin), p, Provider);
}

}  // namespace skin
