#include "skin/forms/skin_provider.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "fw/core/rtti.h"
#include "fw/controls/hintwindow.h"
#include "fw/stdctrls/label.h"
#include "fw/system/application.h"
#include "fw/system/timers.h"
#include "skin/forms/core/region_cutouts.h"
#include "skin/forms/core/title_buttons.h"
#include "skin/forms/frame_facts.h"
#include "skin/forms/frame_shadow.h"
#include "skin/forms/preview_link.h"
#include "skin/forms/provider_effects.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/control_kinds.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skinned_forms.h"
#include "skin/engine/window_utils.h"
#include "skin/forms/ctrl_adapter.h"
#include "skin/forms/outline_drag.h"
#include "skin/forms/title_bar.h"
#include "skin/forms/title_bar_paint.h"
#include "skin/forms/title_glow.h"
#include "skin/forms/window_region.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

TkFrameStyle FrameStyleOf(fw::TFormBorderStyle s) { return static_cast<TkFrameStyle>(static_cast<int>(s)); }

TkTitleBar* LastTitleBarOf(fw::TCustomForm* form) {
  for (int i = form->ComponentCount() - 1; i >= 0; --i)
    if (auto* bar = dynamic_cast<TkTitleBar*>(form->Components(i))) return bar;
  return nullptr;
}

}  // namespace

bool TitleButtonPressed = false;

TkSkinProvider::TkSkinProvider(fw::TCustomForm* form)
    : fw::TComponent(form), FForm(form), FSkinData(std::make_unique<TkCommonData>(this, true)) {
  NotePreviewRequest();
  TkFormProviderLink::Form = form;
  FCommonData = FSkinData.get();
  // Its updates are told to the form.
  FSkinData->SetProviderForm(form);
  FDrawNonClientArea = true;
  Hook();
  FMenus = std::make_unique<TkFormMenus>(this, form);
  FMenus->InvalidateImage = [this] { FBGChanged = true; };
  FMenus->Line().RequestRepaint = [this] { RepaintFormFrame(); };
  FTitleOwner.Repaint = [this] { RepaintFormFrame(); };
  FTitleIcon = std::make_unique<TkTitleIcon>(&FTitleOwner);
  FTitleButtons = std::make_unique<TkTitleButtons>(&FTitleOwner);
  FAddedTitle = std::make_unique<TkcAddedTitle>(&FTitleOwner);
  if (FForm) {
    AddSkinnedForm(FForm);
    FTitleBar = LastTitleBarOf(FForm);
  }
}

TkSkinProvider::~TkSkinProvider() {
  FHintTimer.reset();
  FTitleHint.reset();
  StopTitleAnimations();
  ForgetMDI();
  if (BorderTracking.Provider == this) AbandonBorderTracking();
  FreeAdapter();
  SetSkin(nullptr);
  FMenus.reset();
  Unhook();
  if (FForm) RemoveSkinnedForm(FForm);
}

TkSkinManager* TkSkinProvider::Manager() const { return FManager ? FManager : DefaultSkinManager; }

void TkSkinProvider::LoadInit() {
  PrepareForm();
  if (!FAdapter) CreateAdapter();
}

void TkSkinProvider::CreateAdapter() {
  if (FAdapter || !FForm || FForm->ComponentState().Contains(fw::csDesigning)) return;
  FAdapter = std::make_unique<TkcCtrlAdapter>(this);
  FAdapter->AddAllItems(nullptr);
}

void TkSkinProvider::FreeAdapter() { FAdapter.reset(); }

void TkSkinProvider::PrepareForm() {
  if (RTInit || !FForm || !FForm->HandleAllocated() || !Skinned()) return;
  FBGChanged = FRgnChanged = true;
}


void TkSkinProvider::Hook() {
  if (FHooked || !FForm) return;
  FHooked = services::AddWindowProcHook(FForm, services::TCkControlHook(this, &TkSkinProvider::BeforeMessage), services::hoBeforeMsg);
}

void TkSkinProvider::Unhook() {
  if (!FHooked) return;
  services::RemoveWindowProcHook(FForm, services::TCkControlHook(this, &TkSkinProvider::BeforeMessage), services::hoBeforeMsg);
  FHooked = false;
}

void TkSkinProvider::SetTitleBar(TkTitleBar* Value) {
  if (FTitleBar == Value) return;
  FTitleBar = Value;
  UpdateTitleBar();
  RepaintFormFrame();
}

void TkSkinProvider::UpdateTitleBar() {
  if (!FTitleBar || !FSkin) return;
  for (auto& item : FTitleBar->Items) {
    InitItemSkin(*item, *FSkin);
    item->OnDrawItem = [this](TkcTitleBarItem& i, const fw::TRect& r, fw::TBitmap& bmp, bool noAlpha) {
      DrawItem(i, r, bmp, noAlpha);
    };
  }
}

void TkSkinProvider::DrawItem(TkcTitleBarItem& item, const fw::TRect& r, fw::TBitmap& bmp, bool noAlpha) {
  if (!Skinned() || !FForm) return;
  TkTitlePaintContext ctx;
  ctx.Skin = FSkin;
  ctx.TitleSkinIndex = FTitleSkinIndex;
  ctx.FormEnabled = FForm->Enabled();
  ctx.FormActive = FFormActive;
  ctx.CacheBmp = &FormImage();
  DrawTitleBarItem(ctx, item, r, bmp, noAlpha);
}

void TkSkinProvider::PaintTitleItems(fw::TBitmap& image) {
  if (!FTitleBar || !HasBorder(FInput.Frame)) return;
  // The pressed tabs last, so that they lie over their neighbours.
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t k = FTitleBar->Items.size(); k-- > 0;) {
      TkcTitleBarItem& item = *FTitleBar->Items[k];
      const bool pressedTab = item.Style == bsTab && item.Down();
      if (pressedTab != (pass == 1) || !item.Visible || item.Rect.Left <= 0 || item.Rect.Right >= image.Width())
        continue;
      if (!item.OnDrawItem) UpdateTitleBar();
      item.OnDrawItem(item, item.Rect, image, false);
    }
  }
}

void TkSkinProvider::PlaceTitleElements() {
  TkCaptionLayout& l = FInput.Layout;
  for (int i = 0; i < FTitleButtons->Count() && size_t(i) < l.User.size(); ++i) {
    TkCaptionButton& d = FTitleButtons->Items(i)->Data;
    d.Rect = l.User[size_t(i)].Rect;
    d.ImageIndex = l.User[size_t(i)].ImageIndex;
    d.HitCode = l.User[size_t(i)].HitCode;
  }
  if (!FTitleBar) return;
  FTitleBar->FFullRight = l.FullRight;
  FTitleBar->FBarRect = l.BarRect;
  FTitleBar->FBarVCenter = l.BarVCenter;
  FTitleBar->CalcSizes();
  FInput.TitleBarBand = true;
  FInput.BandLeft = l.BarRect.Left + FTitleBar->FLeftWidth + 8;
  FInput.BandRight = l.BarRect.Right - FTitleBar->FRightWidth - 8;
}

void TkSkinProvider::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TComponent::Notification(AComponent, Operation);
  // A title bar is told apart by its address: while it is being made or
  // freed it is not yet (or no longer) a title bar.
  if (Operation == fw::opRemove && FTitleBar && AComponent == static_cast<fw::TComponent*>(FTitleBar)) {
    FTitleBar = nullptr;
    return;
  }
  if (Operation == fw::opRemove && AComponent == FForm) {
    Unhook();
    RemoveSkinnedForm(FForm);
    FForm = nullptr;
    TkFormProviderLink::Form = nullptr;
    return;
  }
  // A control put on the form gets its adapter.
  if (Operation == fw::opInsert && FAdapter && FAdapter->IsControlSupported(AComponent))
    if (auto* w = dynamic_cast<fw::TWinControl*>(AComponent)) FAdapter->AddNewItem(w);
}

fw::TColor TkSkinProvider::FormColor() const {
  if (!Skinned()) return FForm ? fw::ColorToRGB(FColorSaved ? FSavedColor : FForm->Color()) : 0;
  return FSkin->gd[FFormSkinIndex].Props[FormSectionState(*FSkin, FFormSkinIndex, FFormActive)].Color;
}

void TkSkinProvider::InitLabel(fw::TControl* control, bool skinned) {
  auto* label = dynamic_cast<fw::TCustomLabel*>(control);
  if (!label) return;
  auto saved = std::find_if(FSavedLabelColors.begin(), FSavedLabelColors.end(),
                            [&](const TkcLabelColor& c) { return c.Control == control; });
  if (skinned) {
    if (label->Tag() & 0x100) return;
    if (saved == FSavedLabelColors.end())
      FSavedLabelColors.push_back({control, label->Font()->Color(), label->ParentFont(),
                                   label->ControlStyle().Contains(fw::csOpaque)});
    label->Font()->SetColor(FSkin ? FSkin->GetGlobalFontColor() : label->Font()->Color());
    return;
  }
  if (saved == FSavedLabelColors.end()) return;
  if (!saved->ParentFont) {
    label->Font()->SetColor(saved->Color);
  } else if (label->ParentFont() && label->Parent()) {
    label->Font()->SetColor(label->Parent()->Font()->Color());
  } else {
    label->SetParentFont(true);
  }
  // A transparent label stays transparent: its own opaqueness comes back.
  fw::TControlStyle style = label->ControlStyle();
  if (saved->Opaque)
    style.Include(fw::csOpaque);
  else
    style.Exclude(fw::csOpaque);
  label->SetControlStyle(style);
  *saved = FSavedLabelColors.back();
  FSavedLabelColors.pop_back();
}

void TkSkinProvider::SetSkin(TkLoadedSkin* skin) {
  FSkin = skin;
  FFormSkinIndex = skin ? skin->GetSkinIndex(u"FORM") : -1;
  FTitleSkinIndex = skin ? skin->GetSkinIndex(u"FORMTITLE") : -1;
  FBGChanged = FRgnChanged = true;
  // Whether the client background is one colour is found again when asked.
  FSkinData->CtrlSkinState |= cssUndecided;
  if (!FForm) return;
  for (int i = 0; i < FForm->ControlCount(); ++i) InitLabel(FForm->Controls(i), Skinned());
  // The client background takes the skin's colour, and gets its own back.
  if (Skinned()) {
    if (!FColorSaved) FSavedColor = FForm->Color();
    FColorSaved = true;
    FForm->SetColor(FormColor());
  } else if (FColorSaved) {
    FForm->SetColor(FSavedColor);
    FColorSaved = false;
  }
  if (Skinned()) {
    UpdateTitleBar();
    if (FAdapter)
      FAdapter->AddAllItems(nullptr);
    else if (FForm->HandleAllocated() && !RTInit)
      CreateAdapter();
  } else {
    StopTitleAnimations();
    FreeAdapter();
    // The border window would go on showing the old skin's frame.
    FreeBorderWindow();
  }
  if (!FForm->HandleAllocated()) return;
  const HWND wnd = FForm->Handle();
  if (FMenus) FMenus->SkinChanged(Skinned());
  HookMDI(Skinned());
  if (!Skinned()) SetWindowRgn(wnd, nullptr, FALSE);
  FFormActive = GetActiveWindow() == wnd;
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TkSkinProvider::CallOld(fw::TMessage& m) {
  // The rest of the chain: the form's own procedure.
  const bool was = FInOld;
  FInOld = true;
  m.Result = FForm->Perform(m.Msg, m.WParam, m.LParam);
  FInOld = was;
}

LRESULT TkSkinProvider::Send(UINT msg, WPARAM wParam, LPARAM lParam) {
  return FForm && FForm->HandleAllocated() ? SendMessageW(FForm->Handle(), msg, wParam, lParam) : 0;
}

HICON TkSkinProvider::FormIcon() {
  const HWND wnd = FForm->Handle();
  HICON icon = reinterpret_cast<HICON>(SendMessageW(wnd, WM_GETICON, ICON_SMALL2, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(wnd, GCLP_HICONSM));
  if (!icon && fw::Application && fw::Application->Handle())
    icon = reinterpret_cast<HICON>(SendMessageW(fw::Application->Handle(), WM_GETICON, ICON_SMALL2, 0));
  if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
  return icon;
}

void TkSkinProvider::PrepareFormCache() {
  const HWND wnd = FForm->Handle();
  // A skin set before the window existed: the menus take it now.
  if (!FMenus->DrawNonClientArea()) FMenus->SkinChanged(true);
  // A title bar put on the form after the provider was made.
  if (!FTitleBar) FTitleBar = LastTitleBarOf(FForm);
  TkFormImageInput in;
  in.Frame = WindowFrameFacts(wnd, FrameStyleOf(FForm->BorderStyle()));
  in.Frame.BorderForm = ExtBorderFacts();
  in.Frame.SysExHeight = FSysExHeight && in.Frame.BorderForm && in.Frame.Zoomed;
  in.Frame.MainForm = !fw::Application || fw::Application->MainForm() == FForm;
  const HMENU menu = GetMenu(wnd);
  in.Frame.HasMainMenu = menu && GetMenuItemCount(menu) > 0 && FForm->BorderStyle() != fw::bsDialog;
  if (in.Frame.HasMainMenu) {
    RECT item{}, window{};
    GetWindowRect(wnd, &window);
    in.Frame.MenuRows = GetMenuItemRect(wnd, menu, 0, &item) ? MenuRowsFor(in.Frame, window.top, item.bottom) : 0;
    if (in.Frame.MenuRows == 0) in.Frame.HasMainMenu = false;
  }
  in.Active = FFormActive;
  in.Enabled = IsWindowEnabled(wnd);
  const int length = GetWindowTextLengthW(wnd);
  std::wstring text(size_t(length) + 1, L'\0');
  GetWindowTextW(wnd, text.data(), length + 1);
  in.Caption.assign(reinterpret_cast<const char16_t*>(text.c_str()), size_t(length));
  in.RightToLeft = (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  in.FormSkinIndex = FFormSkinIndex;
  in.TitleSkinIndex = FTitleSkinIndex;
  // The buttons the system menu shows.
  const fw::TBorderIcons icons = FForm->BorderIcons();
  const fw::TFormBorderStyle bs = FForm->BorderStyle();
  const TkSysMenuRules rules = Rules();
  TkTitleButtonSet set;
  set.BigButtons = bs == fw::bsSingle || bs == fw::bsSizeable;
  set.VisibleMax = rules.VisibleMax;
  set.VisibleMin = rules.VisibleMin;
  // An MDI frame's maximised child shows its buttons in the frame's menu
  // line; they keep their states.
  TkMdiButtons mdi = FMdi;
  InitTitleButtons(*FSkin, set, in.Layout, FForm->FormStyle() == fw::fsMDIForm ? &mdi : nullptr);
  SetTitleButtonSizes(*FSkin, in.Layout, in.LayoutInput);
  in.LayoutInput.BigButtons = set.BigButtons;
  in.LayoutInput.VisibleMax = set.VisibleMax;
  in.LayoutInput.VisibleMin = set.VisibleMin;
  in.LayoutInput.SystemButtons = icons.Contains(fw::biSystemMenu) && GetSystemMenu(wnd, FALSE) != nullptr;
  in.LayoutInput.HelpButton = icons.Contains(fw::biHelp);
  in.LayoutInput.IconVisible = FTitleIcon->Visible() && set.BigButtons && GetSystemMenu(wnd, FALSE) != nullptr;
  const int iconSize = TitleIconSizeFor(CaptionHeight(in.Frame, true));
  in.LayoutInput.IconWidth = FTitleIcon->Width > 0 ? FTitleIcon->Width : iconSize;
  in.LayoutInput.IconHeight = FTitleIcon->Height > 0 ? FTitleIcon->Height : iconSize;
  if (in.LayoutInput.IconVisible) in.Icon = FormIcon();
  // The program's own title buttons beside the standard ones.
  const int info = FSkin->ConstData.IndexGLobalInfo;
  in.LayoutInput.UserButtonMask =
      FSkin->IsValidSkinIndex(info) ? FSkin->GetMaskIndex(info, u"GLOBALINFO", u"TITLEBUTTON") : -1;
  in.Layout.User.resize(size_t(FTitleButtons->Count()));
  for (int i = 0; i < FTitleButtons->Count(); ++i) {
    TkTitleButton* b = FTitleButtons->Items(i);
    const int glyph = b->Glyph()->Empty() ? 0 : b->Glyph()->Width();
    in.LayoutInput.UserButtons.push_back(
        {b->Visible(), UserButtonWidth(*FSkin, in.LayoutInput.UserButtonMask, glyph), b->UseSkinData});
    in.UserLooks.push_back({b->Glyph(), b->Enabled});
    in.Layout.User[size_t(i)].State = b->Data.State;
  }
  in.ShowMainCaption = FTitleBar ? FTitleBar->ShowCaption : FAddedTitle->ShowMainCaption();
  in.AddedText = FAddedTitle->Text();
  in.AddedFont = FAddedTitle->Font();
  if (FTitleBar) {
    in.LayoutInput.TitleBar = true;
    for (auto& item : FTitleBar->Items)
      if (item->Visible && item->Align == tbaLeft) in.LayoutInput.TitleBarLeftItems = true;
  }
  in.EnabledClose = rules.VisibleClose && rules.EnabledClose;
  in.EnabledMax = rules.EnabledMax;
  in.EnabledMin = rules.EnabledMin;
  // The border window shows the frame in the manager's shadow.
  if (in.Frame.BorderForm)
    if (TkSkinManager* m = Manager()) in.ShadowTemplate = FFormActive ? &m->ShdaTemplate : &m->ShdiTemplate;
  // The buttons keep their states and glows.
  const TkCaptionLayout& old = FInput.Layout;
  for (auto [b, o] : {std::pair{&in.Layout.Close, &old.Close}, std::pair{&in.Layout.Max, &old.Max},
                      std::pair{&in.Layout.Min, &old.Min}, std::pair{&in.Layout.Help, &old.Help}}) {
    b->State = o->State;
    b->GlowID = o->GlowID;
    b->Timer = o->Timer;
  }
  CalcCaptionItems(in.Frame, in.LayoutInput, in.Layout);

  fw::TBitmap& image = FormImage();
  const bool titleChanged = in.LayoutInput.UserButtons.size() != FInput.LayoutInput.UserButtons.size() ||
                            in.LayoutInput.TitleBar != FInput.LayoutInput.TitleBar;
  const bool sizeChanged = image.Width() != CaptionWidth(in.Frame) || image.Height() != FormImageHeight(in.Frame);
  const bool changed = FBGChanged || sizeChanged || in.Caption != FInput.Caption || in.Active != FInput.Active ||
                       in.Frame.Zoomed != FInput.Frame.Zoomed || in.Frame.Iconic != FInput.Frame.Iconic ||
                       in.Enabled != FInput.Enabled || in.EnabledClose != FInput.EnabledClose ||
                       in.EnabledMax != FInput.EnabledMax || in.EnabledMin != FInput.EnabledMin ||
                       in.LayoutInput.VisibleMax != FInput.LayoutInput.VisibleMax ||
                       in.LayoutInput.VisibleMin != FInput.LayoutInput.VisibleMin || FMenus->Line().MenuChanged ||
                       titleChanged;
  FInput = in;
  FMdi = mdi;
  if (FForm->FormStyle() == fw::fsMDIForm && FInput.Frame.HasMainMenu) PlaceMdiButtons(*FSkin, FInput.Frame, FMdi);
  PlaceTitleElements();
  if (!changed) return;
  PaintFormImage(image, *FSkin, FInput);
  // The title-bar items and the menu line are drawn with GDI, which would
  // clear the alpha the border window shows.
  GdiFlush();
  std::optional<TkAlphaKeeper> keeper;
  if (FInput.ShadowTemplate) keeper.emplace(View32(image));
  PaintTitleItems(image);
  FMenus->Line().Paint(image, FInput.Frame, FormSectionState(*FSkin, FFormSkinIndex, FFormActive));
  PaintMdiButtons(image);
  GdiFlush();
  if (keeper) keeper->Restore();
  ++FBuildCount;
  FBGChanged = false;
  FormState |= fsCachePrepared;
  if (sizeChanged) FRgnChanged = true;
}

void TkSkinProvider::UpdateWindowRegion() {
  const HWND wnd = FForm->Handle();
  if (!HasBorder(FInput.Frame) && !FInput.Frame.Iconic && !(FInput.Frame.Style & kWsThickFrame)) {
    SetWindowRgn(wnd, nullptr, FALSE);
    FRgnChanged = false;
    return;
  }
  const int border = FSkin->gd[FFormSkinIndex].BorderIndex;
  FCutouts = MakeRegionCutouts(*FSkin, border, FTitleSkinIndex, CaptionWidth(FInput.Frame), FInput.Frame.Height);
  const bool limited = FForm->Constraints()->MaxWidth() != 0 || FForm->Constraints()->MaxHeight() != 0;
  FRgnChanged = false;
  SetWindowRgn(wnd, FormWindowRegion(FInput.Frame, FCutouts, limited), TRUE);
}

void TkSkinProvider::PaintMenuFreeFrame(HDC dc) {
  const TkFormFrameFacts& f = FInput.Frame;
  if (!f.HasMainMenu || FMenus->Line().DrawsLine(f)) {
    PaintFrameToDC(dc, FormImage(), FInput);
    return;
  }
  // The system draws the menu bar; the frame around it comes from the image.
  const HDC src = FormImage().Canvas()->Handle();
  const int title = FrameHeightOf(f, true) + CaptionHeight(f, true);
  const int bw = BorderWidth(f, true), bh = BorderHeight(f, true);
  BitBlt(dc, 0, 0, f.Width, title, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, title, bw, f.Height - title, src, 0, title, SRCCOPY);
  BitBlt(dc, f.Width - bw, title, bw, f.Height - title, src, f.Width - bw, title, SRCCOPY);
  BitBlt(dc, bw, f.Height - bh, f.Width - bw, bh, src, bw, f.Height - bh, SRCCOPY);
}

void TkSkinProvider::PaintNonClient(HDC dc) {
  PrepareFormCache();
  if (FRgnChanged) UpdateWindowRegion();
  PaintMenuFreeFrame(dc);
}

void TkSkinProvider::RepaintFormFrame() {
  if (!Skinned() || FLockCount > 0 || !FForm || !FForm->HandleAllocated() || !IsWindowVisible(FForm->Handle())) return;
  FBGChanged = true;
  const HWND wnd = FForm->Handle();
  HDC dc = GetWindowDC(wnd);
  PaintNonClient(dc);
  ReleaseDC(wnd, dc);
}

void TkSkinProvider::EraseClient(HDC dc) {
  PrepareFormCache();
  RECT c{};
  GetClientRect(FForm->Handle(), &c);
  BitBlt(dc, 0, 0, c.right, c.bottom, FormImage().Canvas()->Handle(), OffsetX(FInput.Frame), OffsetY(FInput.Frame),
         SRCCOPY);
}

void TkSkinProvider::PrintTo(HDC dc, bool nonClient, bool client) {
  if (!Skinned()) return;
  PrepareFormCache();
  if (nonClient) PaintFrameToDC(dc, FormImage(), FInput);
  if (client) {
    const int saved = SaveDC(dc);
    POINT org{};
    GetWindowOrgEx(dc, &org);
    if (nonClient) SetWindowOrgEx(dc, org.x - OffsetX(FInput.Frame), org.y - OffsetY(FInput.Frame), nullptr);
    RECT c{};
    GetClientRect(FForm->Handle(), &c);
    IntersectClipRect(dc, 0, 0, c.right, c.bottom);
    FForm->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    FForm->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_CHILDREN);
    RestoreDC(dc, saved);
  }
}

bool TkSkinProvider::BeforeMessage(fw::TMessage& m) {
  // The message passed on comes through here first and goes on to the
  // form; what the form sends meanwhile is handled again.
  if (FInOld) {
    FInOld = false;
    return false;
  }
  if (m.Msg == WM_SKINCOMMAND && FForm) {
    // The form's children get the skin changes through the form's own
    // procedure.
    switch (SkinCommandCode(m.WParam)) {
      case SKC_NEWSKIN:
      case SKC_REFRESH:
        SetSkin(FSkinSource ? FSkinSource() : FSkin);
        // A refresh follows the manager's extended borders being turned on
        // or off.
        if (SkinCommandCode(m.WParam) == SKC_REFRESH && Skinned() && FForm->HandleAllocated() && FForm->Visible()) {
          TkSkinManager* manager = Manager();
          UpdateBorderForm(manager && manager->ReadExtendedBorders());
        }
        return false;
      case SKC_REMOVESKIN:
        SetSkin(nullptr);
        return false;
      default:
        break;
    }
    if (EarlySkinCommand(m)) return true;
    if (!Skinned() || FForm->ComponentState().Contains(fw::csDestroying)) return UnskinnedSkinCommand(m);
    return MsgSkinCommand(m);
  }
  if (!FForm) return false;
  if (PreviewLinkBeforeMessage(FForm, m, [this](fw::TMessage& old) { CallOld(old); })) return true;
  // The first showing comes before the window is made.
  if (!FForm->HandleAllocated() && m.Msg != fw::CM_VISIBLECHANGED) return false;
  if (m.Msg == WM_DWMSENDICONICTHUMBNAIL || m.Msg == WM_DWMSENDICONICLIVEPREVIEWBITMAP) {
    MsgIconicRequest(m);
    return true;
  }
  if (Skinned() && !FForm->ComponentState().Contains(fw::csDestroying)) return SkinnedMessage(m);
  // Unskinned: the hide animation still plays.
  if (m.Msg == fw::CM_VISIBLECHANGED) {
    UnskinnedVisibleChanged(m);
    return true;
  }
  if (m.Msg == WM_NCDESTROY) {
    CallOld(m);
    UnskinnedNcDestroy(m);
    return true;
  }
  if (m.Msg == WM_WINDOWPOSCHANGED) {
    CallOld(m);
    UnskinnedWindowPosChanged(m);
    FreeCoverForm();
    return true;
  }
  return false;
}

bool TkSkinProvider::EarlySkinCommand(fw::TMessage& m) {
  switch (SkinCommandCode(m.WParam)) {
    case SKC_ISHANDLED:
      m.Result = 1;
      return true;
    case SKC_GETPROVIDER:
      m.Result = reinterpret_cast<LRESULT>(static_cast<TkFormProviderLink*>(this));
      return true;
    case SKC_ENDUPDATE:
      // A menu change held back while updating is told now.
      if (FSkinData->CtrlSkinState & cssMenuChangeHeld) {
        FSkinData->CtrlSkinState &= uint16_t(~cssMenuChangeHeld);
        Send(fw::CM_MENUCHANGED, 0, 0);
      }
      return false;
    case SKC_GETBGINFO:
      // Without a skin the form's own procedure answers (or nobody does).
      if (!m.LParam || !Skinned() || !FForm->HandleAllocated()) return false;
      AnswerBackground(*reinterpret_cast<TkcBackgroundInfo*>(m.LParam));
      m.Result = 1;
      return true;
    case SKC_SKINSTATE: {
      uint16_t& state = FSkinData->CtrlSkinState;
      if (state & cssUndecided) {
        const bool plain = PlainBackground() && FForm->FormStyle() != fw::fsMDIForm;
        state = uint16_t((state & (cssPrinting | cssMenuChangeHeld | cssUpdating)) | (plain ? cssPlainBackground : 0));
      }
      m.Result = state;
      return true;
    }
    case SKC_GETAPPLICATION:
      m.Result = reinterpret_cast<LRESULT>(fw::Application);
      return true;
    case SKC_GETCLIENTOFFSET: {
      // Where the client area lies in the form's window (and image).
      int x = 0, y = 0;
      if (Skinned() && FForm->HandleAllocated()) {
        PrepareFormCache();
        x = OffsetX(FInput.Frame);
        y = OffsetY(FInput.Frame);
      } else if (FForm->HandleAllocated()) {
        const fw::TRect client = ClientRectInWindow(FForm->Handle());
        x = client.Left;
        y = client.Top;
      }
      m.Result = MAKELONG(x, y);
      return true;
    }
    default:
      return false;
  }
}

bool TkSkinProvider::UnskinnedSkinCommand(fw::TMessage& m) {
  if (SkinCommandCode(m.WParam) != SKC_PREPARECACHE) return false;
  FBGChanged = false;
  return true;
}

bool TkSkinProvider::MsgSkinCommand(fw::TMessage& m) {
  const HWND wnd = FForm->Handle();
  switch (SkinCommandCode(m.WParam)) {
    case SKC_UPDATEDONE:
      if (FSkinData->FUpdating) {
        FSkinData->FUpdating = false;
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
      }
      return true;
    case SKC_SETUPDATING:
      FSkinData->FUpdating = SkinCommandFlag(m.WParam) == 1;
      if (FSkinData->ReadUpdating()) FBGChanged = true;
      return true;
    case SKC_QUERYUPDATING:
      m.Result = FSkinData->FUpdating && !AnimationInProgress ? 1 : 0;
      return true;
    case SKC_BGCHANGED:
      FBGChanged = true;
      return true;
    case SKC_QUERYMOVEREPAINT: {
      // Moving a see-through child shows another part of a gradient, an
      // image or a painted border centre.
      const TkGeneralData& s = FSkin->gd[size_t(FFormSkinIndex)];
      const bool patterned = s.Props[0].GradientPercent + s.Props[0].ImagePercent > 0;
      const bool paintedBorder =
          FSkin->IsValidImgIndex(s.BorderIndex) && (FSkin->ma[size_t(s.BorderIndex)].DrawMode & dmPaintCenter);
      m.Result = patterned || paintedBorder ? 1 : 0;
      return true;
    }
    case SKC_GETBGCOLOR: {
      const TkGenState& row = FSkin->gd[size_t(FFormSkinIndex)].Props[0];
      const fw::TColor behind = fw::ColorToRGB(fw::clBtnFace);
      m.Result = row.Transparency == 0     ? row.Color
                 : row.Transparency >= 100 ? behind
                                           : BlendBgColorPercent(row.Color, behind, row.Transparency);
      return true;
    }
    case SKC_PREPARECACHE:
      if (!AnimationInProgress && FBGChanged && FForm->HandleAllocated()) PrepareFormCache();
      return true;
    case SKC_CONTROLLOADED:
      if (FAdapter && FForm->HandleAllocated() && !FForm->ComponentState().Contains(fw::csLoading)) {
        auto* control = reinterpret_cast<fw::TControl*>(m.LParam);
        FAdapter->AddAllItems(control ? dynamic_cast<fw::TWinControl*>(control) : nullptr);
      }
      return true;
    case SKC_MOUSELEAVE:
      SetHotHT(-1, true);
      TitleButtonPressed = false;
      return true;
    case SKC_BEFORESCROLL:
      if (FSkinData->RepaintIfMoved()) Send(WM_SETREDRAW, 0, 0);
      return true;
    case SKC_AFTERSCROLL:
      if (FSkinData->RepaintIfMoved()) {
        Send(WM_SETREDRAW, 1, 0);
        RedrawWindow(wnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (HWND client = MDIClientWindow())
          RedrawWindow(client, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      }
      return true;
    case SKC_UPDATETITLE:
      // The title bar changed.
      if (m.LParam == 1) FBGChanged = true;
      RepaintFormFrame();
      return true;
    default:
      return false;
  }
}

bool TkSkinProvider::PlainBackground() const {
  if (!Skinned()) return true;
  const TkGeneralData& s = FSkin->gd[size_t(FFormSkinIndex)];
  const TkGenState& row = s.Props[0];
  if (row.Transparency != 0 || row.GradientPercent > 0 || row.ImagePercent > 0) return false;
  if (s.ImgTL >= 0 || s.ImgTR >= 0 || s.ImgBL >= 0 || s.ImgBR >= 0) return false;
  if (FSkin->IsValidImgIndex(s.BorderIndex) && (FSkin->ma[size_t(s.BorderIndex)].DrawMode & dmPaintCenter))
    return false;
  return !(FForm && FForm->OnPaint.Assigned());
}

void TkSkinProvider::AnswerBackground(TkcBackgroundInfo& info) {
  // The asker gives its place in the client area; the form's image holds
  // the whole window, the client area at the client offset.
  const TkGeneralData& s = FSkin->gd[size_t(FFormSkinIndex)];
  const TkGenState& row = s.Props[size_t(FormSectionState(*FSkin, FFormSkinIndex, FFormActive))];
  const bool plain = PlainBackground() && row.GradientPercent < 1 && row.ImagePercent < 1 && row.Transparency == 0;
  info.FillRect = fw::TRect{};
  if (plain) {
    info.Bmp = nullptr;
    info.Color = row.Color;
    info.BgType = btFill;
    if (info.PleaseDraw) SolidFillDC(info.DrawDC, info.R, info.Color);
    return;
  }
  if (FBGChanged || FormImage().Width() == 0) PrepareFormCache();
  info.Bmp = &FormImage();
  info.Offset = fw::TPoint{info.Offset.x + OffsetX(FInput.Frame), info.Offset.y + OffsetY(FInput.Frame)};
  info.BgType = btCache;
  if (info.PleaseDraw && info.DrawDC)
    BitBlt(info.DrawDC, info.R.Left, info.R.Top, info.R.Width(), info.R.Height(), info.Bmp->Canvas()->Handle(),
           info.Offset.x + info.R.Left, info.Offset.y + info.R.Top, SRCCOPY);
}

bool TkSkinProvider::SkinnedMessage(fw::TMessage& m) {
  if (m.Msg == fw::CM_VISIBLECHANGED) {
    MsgVisibleChanged(m);
    return true;
  }
  const HWND wnd = FForm->Handle();
  ReplaceBorderHitCode(m);
  switch (m.Msg) {
    case WM_NCPAINT: {
      // With a menu bar the system draws the bar (and its frame first).
      if ((FInput.Frame.HasMainMenu || GetMenu(wnd)) && !FMenus->Line().DrawsLine(FInput.Frame)) CallOld(m);
      HDC dc = GetWindowDC(wnd);
      PaintNonClient(dc);
      ReleaseDC(wnd, dc);
      m.Result = 0;
      return true;
    }
    case WM_NCACTIVATE:
      // The system would paint its own caption; the skin's is painted instead.
      FFormActive = m.WParam != 0;
      if (GetMenu(wnd)) {
        // The menu bar follows the state; the frame is painted over the rest.
        CallOld(m);
      }
      m.Result = TRUE;
      RepaintFormFrame();
      return true;
    case WM_SETTEXT:
    case WM_SETICON:
      CallOld(m);
      RepaintFormFrame();
      return true;
    case WM_NCHITTEST: MsgNcHitTest(m); return true;
    case WM_NCMOUSEMOVE: MsgNcMouseMove(m); return true;
    case WM_NCLBUTTONDOWN: MsgNcLButtonDown(m); return true;
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP: MsgNcLButtonUp(m); return true;
    case WM_NCLBUTTONDBLCLK: MsgNcLButtonDblClk(m); return true;
    case WM_NCRBUTTONDOWN: MsgNcRButtonDown(m); return true;
    case WM_NCRBUTTONUP: MsgNcRButtonUp(m); return true;
    case WM_MOUSEMOVE: MsgMouseMove(m); return true;
    case WM_CONTEXTMENU: MsgContextMenu(m); return true;
    case fw::CM_MOUSEENTER: MsgMouseEnter(m); return true;
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
    case fw::CM_MOUSELEAVE: MsgMouseLeave(m); return true;
    case WM_CAPTURECHANGED: MsgCaptureChanged(m); return true;
    case WM_MOVE: MsgMove(m); return true;
    case WM_SIZE: MsgSize(m); return true;
    case WM_WINDOWPOSCHANGING: MsgWindowPosChanging(m); return true;
    case WM_WINDOWPOSCHANGED: MsgWindowPosChanged(m); FreeCoverForm(); return true;
    case WM_SYSCOMMAND: MsgSysCommand(m); return true;
    case WM_SIZING: MsgSizing(m); return true;
    case WM_EXITSIZEMOVE: MsgExitSizeMove(m); return true;
    case WM_NCCREATE: MsgNcCreate(m); return true;
    case WM_CREATE: MsgCreate(m); return true;
    case fw::CM_RECREATEWND: MsgRecreateWnd(m); return true;
    case WM_SHOWWINDOW: MsgShowWindow(m); return true;
    case WM_CLOSE: MsgClose(m); return true;
    case fw::CM_SHOWINGCHANGED: MsgShowingChanged(m); return true;
    case fw::CM_ENABLEDCHANGED: MsgEnabledChanged(m); return true;
    case fw::CM_FLOAT: MsgFloat(m); return true;
    case WM_PARENTNOTIFY: MsgParentNotify(m); return true;
    case fw::CM_CONTROLLISTCHANGE: MsgControlListChange(m); return true;
    case WM_NOTIFY: MsgNotify(m); return true;
    case WM_MDIACTIVATE:
    case WM_MDIDESTROY: MsgMDIActivate(m); return true;
    case WM_CHILDACTIVATE: MsgChildActivate(m); return true;
    case WM_ENTERMENULOOP:
      MdiEnterMenuLoop();
      return false;
    case WM_INITMENUPOPUP:
      // The menu then reaches the form as well.
      UpdateWindowMenu(m);
      return false;
    case WM_EXITMENULOOP:
      MdiExitMenuLoop();
      return false;
    case WM_ERASEBKGND: {
      MDIChildCreatingMaximized = false;
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      if (!dc) return false;
      EraseClient(dc);
      m.Result = 1;
      return true;
    }
    case WM_PRINT: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      PrintTo(dc, (m.LParam & PRF_NONCLIENT) != 0, (m.LParam & PRF_CLIENT) != 0);
      m.Result = 0;
      return true;
    }
    case WM_STYLECHANGED:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      FBGChanged = FRgnChanged = true;
      return false;
    case WM_SETREDRAW:
      FLockCount = m.WParam == 1 ? std::max(0, FLockCount - 1) : FLockCount + 1;
      return false;
    case WM_GETMINMAXINFO:
      // Maximised, the skinned frame lies just off the work area.
      if (FForm->BorderStyle() != fw::bsNone && !FForm->Parent() && m.LParam) {
        TkFormFrameFacts f = WindowFrameFacts(wnd, FrameStyleOf(FForm->BorderStyle()));
        const fw::TRect area = FormWorkArea(FForm);
        const TkMaxPlacement p = MaximizedPlacement(f, area);
        auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
        info->ptMaxPosition = POINT{p.Position.x, p.Position.y};
        info->ptMaxSize = POINT{p.Size.x, p.Size.y};
      }
      return false;
    case WM_ENABLE:
      CallOld(m);
      RepaintFormFrame();
      return true;
    default:
      return false;
  }
}

FW_REGISTER(TkSkinProvider) {}

}  // namespace skin
