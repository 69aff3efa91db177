#include "skin/engine/common_data.h"

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/stdctrls/pagecontrol.h"
#include "fw/stdctrls/panel.h"
#include "fw/stdctrls/scrolling.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/glow_effect.h"
#include "skin/engine/window_utils.h"

namespace skin {

namespace {

bool Destroying(const fw::TComponent* c) { return c && c->ComponentState().Contains(fw::csDestroying); }
bool LoadingState(const fw::TComponent* c) { return c && c->ComponentState().Contains(fw::csLoading); }

bool ManagerHasSections(const TkSkinManager* m) { return m && !m->gd().empty(); }

fw::TColor AdjustedColor(fw::TColor c, int hue, int saturation) {
  if (hue != 0) c = static_cast<fw::TColor>(ShiftHueColor(static_cast<uint32_t>(c), hue));
  if (saturation != 0) c = static_cast<fw::TColor>(SaturateColor(static_cast<uint32_t>(c), SaturationPercentToScale(saturation)));
  return c;
}

}  // namespace

void TkcOuterEffects::WriteVisibility(TkcOuterVisibility Value) {
  if (Value == FVisibility) return;
  FVisibility = Value;
  if (FOwner && FOwner->FOwnerControl && !LoadingState(FOwner->FOwnerControl)) Invalidate();
}

void TkcOuterEffects::Invalidate() {
  fw::TControl* owner = FOwner ? FOwner->FOwnerControl : nullptr;
  fw::TWinControl* parent = owner ? owner->Parent() : nullptr;
  if (parent && parent->HandleAllocated() && !LoadingState(parent) && !Destroying(parent))
    SendSkinCommand(parent->WindowHandle(), SKC_INVALIDATE, 0);
}

TkCommonData::TkCommonData(fw::TObject* Owner, bool CreateCacheBmp)
    : FOwnerControl(dynamic_cast<fw::TControl*>(Owner)),
      FOwnerObject(Owner),
      FOuterEffects(std::make_unique<TkcOuterEffects>(this)) {
  InvalidRectH.Right = 0;
  InvalidRectV.Bottom = 0;
  if (CreateCacheBmp) {
    FCacheBmp = std::make_unique<fw::TBitmap>();
    FCacheBmp->SetPixelFormat(fw::pf32bit);
  }
}

TkCommonData::~TkCommonData() {
  SkinIndex = Texture = HotTexture = -1;
  FOwnerControl = nullptr;
  FOwnerObject = nullptr;
  FSkinManager = nullptr;
  HideGlow();
}

TkSkinManager* TkCommonData::ReadSkinManager() const { return FSkinManager ? FSkinManager : DefaultSkinManager; }

bool TkCommonData::OwnerBeingFreed() const {
  auto* c = dynamic_cast<fw::TComponent*>(FOwnerObject);
  return c && Destroying(c);
}

bool TkCommonData::OwnerLoading() const { return FOwnerControl && LoadingState(FOwnerControl); }

void TkCommonData::SendToOwner(WORD code, LPARAM lParam) {
  if (FOwnerControl) FOwnerControl->Perform(WM_SKINCOMMAND, SkinCommand(code), lParam);
}

void TkCommonData::HideGlow() {
  if (GlowID == -1) return;
  HideGlowEffect(GlowID);
}

const TkGeneralData* TkCommonData::Section() const {
  TkSkinManager* m = ReadSkinManager();
  if (!m || !m->IsValidSkinIndex(SkinIndex)) return nullptr;
  return &m->gd()[static_cast<size_t>(SkinIndex)];
}

void TkCommonData::WriteSkinManager(TkSkinManager* Value) {
  if (Value == FSkinManager) return;
  FSkinManager = Value == DefaultSkinManager ? nullptr : Value;
  if (OwnerLoading()) return;
  if (ManagerHasSections(Value)) UpdateIndexes();
  else SkinIndex = -1;
  if (FProviderForm || !FOwnerControl || !FOwnerControl->Parent() || Destroying(FOwnerControl)) return;
  const bool skinned = ManagerHasSections(Value) && Value->IsValidSkinIndex(SkinIndex);
  SendToOwner(skinned ? SKC_REFRESH : SKC_REMOVESKIN, reinterpret_cast<LPARAM>(Value));
}

void TkCommonData::WriteSkinSection(const fw::String& Value) {
  if (Value == FSkinSection) return;
  FSkinSection = Value.empty() ? fw::String(u"UNKNOWN") : fw::UpperCase(Value);
  TkSkinManager* m = ReadSkinManager();
  if (ManagerHasSections(m)) UpdateIndexes();
  else SkinIndex = -1;
  fw::TControl* c = FOwnerControl;
  if (c && !LoadingState(c) && !c->ComponentState().Contains(fw::csReading) && !Destroying(c) && c->Parent()) {
    if (auto* w = dynamic_cast<fw::TWinControl*>(c)) {
      if (FCacheBmp) FCacheBmp->SetWidth(0);
      fw::TMessage m17{WM_SKINCOMMAND, SkinCommand(SKC_BGCHANGED, 1), 0, 0};
      BroadcastToControls(w, m17);
    }
    if (!FUpdating && !Loading) {
      const bool skinned = ManagerHasSections(m) && m->IsValidSkinIndex(SkinIndex);
      SendToOwner(skinned ? SKC_REFRESH : SKC_REMOVESKIN, reinterpret_cast<LPARAM>(m));
    }
    HideGlow();
  } else if (FProviderForm) {
    BGChanged = true;
  }
}

void TkCommonData::UpdateIndexes() {
  BGChanged = true;
  TkSkinManager* m = ReadSkinManager();
  SkinIndex = m && m->Active() ? m->GetSkinIndex(FSkinSection) : -1;
  const TkGeneralData* s = Section();
  BGType = s ? SectionBgType(s->Props[0]) : 0;
  CtrlSkinState = cssUndecided;
  if (s) {
    BorderIndex = s->BorderIndex;
    Texture = m->GetTextureIndex(SkinIndex, FSkinSection, u"PATTERN");
    HotTexture = m->GetTextureIndex(SkinIndex, FSkinSection, u"HOTPATTERN");
    RefreshCtrlSkinState(false);
  } else {
    Texture = HotTexture = -1;
  }
}

bool TkCommonData::Skinned(bool CheckSkinActive) const {
  if (FSkinSection.empty()) return false;
  TkSkinManager* m = ReadSkinManager();
  if (!m || Destroying(m) || !m->IsValidSkinIndex(SkinIndex) || OwnerBeingFreed()) return false;
  return !CheckSkinActive || m->CommonSkinData().Active;
}

void TkCommonData::Loaded() {
  Loading = false;
  if (!FSkinSection.empty()) {
    UpdateIndexes();
  } else {
    fw::String name = FOwnerObject ? fw::String(FOwnerObject->ClassName()) : fw::String();
    WriteSkinSection(DefaultSectionOfKind(COC, name));
  }
  if (!Skinned()) return;
  if (!FOwnerControl || !FOwnerControl->Parent() || LoadingState(FOwnerControl)) return;
  if (dynamic_cast<fw::TWinControl*>(FOwnerControl)) RequestControlAdapters(FOwnerControl);
  ApplySkinColors(false);
}

void TkCommonData::ApplySkinColors(bool Repaint) {
  const TkGeneralData* s = Skinned() ? Section() : nullptr;
  auto* w = dynamic_cast<fw::TWinControl*>(FOwnerControl);
  if (s && IsColoredKind(COC) && FOwnerControl && (!w || w->HandleAllocated())) {
    if (!FCustomColor) {
      fw::TColor c = AdjustedColor(s->Props[0].Color, FHUEOffset, FSaturation);
      if (FOwnerControl->Color() != c) FOwnerControl->SetColor(c);
    }
    if (!FCustomFont && COC != 10) {
      fw::TColor c = AdjustedColor(s->Props[0].FontColor.Color, FHUEOffset, FSaturation);
      if (FOwnerControl->Font()->Color() != c) FOwnerControl->Font()->SetColor(c);
    }
  }
  if (Repaint) Invalidate(false);
}

void TkCommonData::BeginUpdate() {
  ++FUpdateCount;
  FUpdating = true;
  CtrlSkinState |= cssUpdating;
  if (FOwnerControl) SendToOwner(SKC_BEGINUPDATE, 0);
  else if (FProviderForm && FProviderForm->HandleAllocated())
    SendSkinCommand(FProviderForm->WindowHandle(), SKC_BEGINUPDATE, 0);
}

void TkCommonData::EndUpdate(bool Repaint) {
  --FUpdateCount;
  FUpdating = false;
  CtrlSkinState &= static_cast<uint16_t>(~cssUpdating);
  if (FOwnerControl) SendToOwner(SKC_ENDUPDATE, 0);
  else if (FProviderForm && FProviderForm->HandleAllocated())
    SendSkinCommand(FProviderForm->WindowHandle(), SKC_ENDUPDATE, 0);
  if (Repaint) Invalidate(true);
}

void TkCommonData::Invalidate(bool UpdateNow) {
  if (Loading) return;
  if (FOwnerControl) {
    if (Destroying(FOwnerControl) || LoadingState(FOwnerControl)) return;
    BGChanged = true;
    if (!ControlCanPaint(FOwnerControl)) return;
    if (auto* w = dynamic_cast<fw::TWinControl*>(FOwnerControl)) {
      if (w->HandleAllocated())
        RedrawWindow(w->WindowHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | (UpdateNow ? RDW_UPDATENOW : 0));
    } else {
      FOwnerControl->Repaint();
    }
  } else if (FProviderForm) {
    BGChanged = true;
    if (FProviderForm->HandleAllocated())
      RedrawWindow(FProviderForm->WindowHandle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | (UpdateNow ? RDW_UPDATENOW : 0));
  }
}

bool TkCommonData::ReadUpdating() const {
  if (!ReadSkinManager() || (FOwnerControl && Destroying(FOwnerControl))) return false;
  if (FUpdating) return true;
  fw::TWinControl* parent = nullptr;
  if (FOwnerControl) parent = FOwnerControl->Parent();
  else if (FProviderForm) parent = FProviderForm->Parent();
  return parent && QuerySkinCommand(parent, SKC_QUERYUPDATING) != 0;
}

bool TkCommonData::RecheckUpdating(bool ClearOwn) {
  if (ClearOwn) FUpdating = false;
  if (ReadUpdating()) {
    FUpdating = true;
    return true;
  }
  return false;
}

bool TkCommonData::RepaintIfMoved() const {
  if (!Skinned() || !FOwnerControl || !FOwnerControl->Enabled()) return true;
  const TkGeneralData* s = Section();
  fw::TWinControl* parent = FOwnerControl->Parent();
  return s->Props[0].Transparency > 0 && parent && parent->HandleAllocated() &&
         SendSkinCommand(parent->WindowHandle(), SKC_QUERYMOVEREPAINT, 0) != 0;
}

int TkCommonData::PlainBackgroundState() const {
  TkSkinManager* m = ReadSkinManager();
  const TkGeneralData* s = Section();
  if (!m || !s) return 1;
  if (OuterEffectsAllowed()) return 0;
  if (m->IsValidImgIndex(s->BorderIndex) && (m->ma()[static_cast<size_t>(s->BorderIndex)].DrawMode & dmPaintCenter))
    return 0;
  const TkGenState& st = s->Props[0];
  if (st.Transparency == 100) {
    if (m->IsValidImgIndex(s->TextureNormal) && m->ma()[static_cast<size_t>(s->TextureNormal)].DrawMode == 10) return 0;
    fw::TWinControl* parent = FOwnerControl ? FOwnerControl->Parent() : nullptr;
    if (!parent) return 0;
    if (!parent->HandleAllocated()) return 2;
    if (SkinCommandIsOne(parent->WindowHandle(), SKC_ISHANDLED))
      return static_cast<int>(SendSkinCommand(parent->WindowHandle(), SKC_SKINSTATE, 0)) & cssPlainBackground;
    return 1;
  }
  if (st.Transparency != 0 || st.ImagePercent != 0 || st.GradientPercent != 0) return 0;
  if (s->ImgTL >= 0 || s->ImgTR >= 0 || s->ImgBL >= 0 || s->ImgBR >= 0) return 0;
  if (FProviderForm && FProviderForm->OnPaint.Assigned()) return 0;
  return 1;
}

void TkCommonData::RefreshCtrlSkinState(bool WithChildren) {
  CtrlSkinState &= static_cast<uint16_t>(~cssPlainBackground);
  fw::TControl* c = FOwnerControl;
  if (dynamic_cast<fw::TPanel*>(c) || dynamic_cast<fw::TScrollBox*>(c) ||
      dynamic_cast<fw::TPageControl*>(c)) {
    int plain = PlainBackgroundState();
    if (plain == 2) return;
    if (plain & 1) CtrlSkinState |= cssPlainBackground;
    CtrlSkinState &= static_cast<uint16_t>(~cssUndecided);
  }
  if (WithChildren)
    if (auto* w = dynamic_cast<fw::TWinControl*>(c))
      for (int i = 0; i < w->ControlCount(); ++i)
        SendSkinCommandToControl(w->Controls(i), SKC_SKINSTATE, 1);
  if (FProviderForm) {
    int plain = PlainBackgroundState();
    if (plain == 2) return;
    if (plain == 1) {
      if (FProviderForm->FormStyle() != fw::fsMDIForm) CtrlSkinState |= cssPlainBackground;
      CtrlSkinState &= static_cast<uint16_t>(~cssUndecided);
    } else {
      CtrlSkinState = 0;
    }
  }
}

bool TkCommonData::BackgroundNeedsCache() const {
  if (!(CtrlSkinState & cssPlainBackground) || OuterEffectsAllowed()) return true;
  if (IsPlainBgKind(COC) || !ControlIsHotOrFocused()) return false;
  return true;
}

bool TkCommonData::ControlIsHotOrFocused() const {
  fw::TControl* c = FOwnerControl;
  if (!c || Destroying(c) || !c->Enabled()) return false;
  if (FFocused) return true;
  if (auto* w = dynamic_cast<fw::TWinControl*>(c); w && w->HandleAllocated() && GetFocus() == w->WindowHandle())
    return !dynamic_cast<fw::TCustomPanel*>(c);
  TkSkinManager* m = ReadSkinManager();
  return FMouseAbove && !(m && m->Options()->NoMouseHover()) && !IsNoHotKind(COC);
}

bool TkCommonData::OuterEffectsAllowed() const {
  TkSkinManager* m = ReadSkinManager();
  return m && m->Effects()->FAllowOuterEffects && (FProviderForm || dynamic_cast<fw::TWinControl*>(FOwnerControl));
}

void TkCommonData::EnsureCacheBitmap() {
  if (!FCacheBmp) FCacheBmp = std::make_unique<fw::TBitmap>();
  if (FCacheBmp->PixelFormat() != fw::pf32bit) FCacheBmp->SetPixelFormat(fw::pf32bit);
  if (FCacheBmp->HandleType() != fw::bmDIB) FCacheBmp->SetHandleType(fw::bmDIB);
  if (!FOwnerControl) return;
  const int w = std::max(0, FOwnerControl->Width()), h = std::max(0, FOwnerControl->Height());
  if (FCacheBmp->Width() != w || FCacheBmp->Height() != h) FCacheBmp->SetSize(w, h);
}

void TkCommonData::WriteCustomColor(bool Value) {
  FCustomColor = Value;
  if (FOwnerControl && !OwnerLoading() && !Loading) ApplySkinColors(true);
}

void TkCommonData::WriteCustomFont(bool Value) {
  FCustomFont = Value;
  if (FOwnerControl && !OwnerLoading() && !Loading) ApplySkinColors(true);
}

void TkCommonData::WriteHUEOffset(int Value) {
  if (Value == FHUEOffset) return;
  FHUEOffset = Value;
  Loaded();
  Invalidate();
}

void TkCommonData::WriteSaturation(int Value) {
  if (Value == FSaturation) return;
  FSaturation = Value;
  Loaded();
  Invalidate();
}

void TkCommonData::WriteColorTone(fw::TColor Value) {
  if (Value == FColorTone) return;
  FColorTone = Value;
  Loaded();
  Invalidate();
}

void TkcScrollData::WriteScrollWidth(int Value) {
  FScrollWidth = Value;
  auto* w = FOwner ? dynamic_cast<fw::TWinControl*>(FOwner->FOwnerControl) : nullptr;
  if (w && !LoadingState(w) && w->HandleAllocated())
    SetWindowPos(w->WindowHandle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOCOPYBITS |
                     SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

void TkcScrollData::WriteButtonsSize(int Value) {
  FButtonsSize = Value;
  auto* w = FOwner ? dynamic_cast<fw::TWinControl*>(FOwner->FOwnerControl) : nullptr;
  if (w && !LoadingState(w) && w->HandleAllocated()) SendMessageW(w->WindowHandle(), WM_NCPAINT, 0, 0);
}

TkScrollWndData::TkScrollWndData(fw::TObject* Owner, bool CreateCacheBmp)
    : TkCommonData(Owner, CreateCacheBmp),
      FVertScrollData(std::make_unique<TkcScrollData>(this)),
      FHorzScrollData(std::make_unique<TkcScrollData>(this)) {}

TkScrollWndData::~TkScrollWndData() {
  FVertScrollData.reset();
  FHorzScrollData.reset();
}

FW_REGISTER(TkcOuterEffects) {
  c.Property(u"Visibility", &TkcOuterEffects::Visibility, &TkcOuterEffects::WriteVisibility).Default(ovNone);
}

FW_REGISTER(TkCommonData) {
  using D = TkCommonData;
  c.Property(u"CustomColor", &D::CustomColor, &D::WriteCustomColor).Default(false);
  c.Property(u"CustomFont", &D::CustomFont, &D::WriteCustomFont).Default(false);
  c.Property(u"OuterEffects", &D::OuterEffects, [](D&, TkcOuterEffects*) {});
  c.Property(u"SkinManager", &D::ReadSkinManager, &D::WriteSkinManager).Stored(&D::ManagerStored);
  c.Property(u"SkinSection", &D::SkinSection, &D::WriteSkinSection);
}

FW_REGISTER(TkcScrollData) {
  c.Property(u"ScrollWidth", &TkcScrollData::ScrollWidth, &TkcScrollData::WriteScrollWidth).Default(-1);
  c.Property(u"ButtonsSize", &TkcScrollData::ButtonsSize, &TkcScrollData::WriteButtonsSize).Default(-1);
}

FW_REGISTER(TkScrollWndData) {
  c.Property(u"HorzScrollData", &TkScrollWndData::HorzScrollData, [](TkScrollWndData&, TkcScrollData*) {});
  c.Property(u"VertScrollData", &TkScrollWndData::VertScrollData, [](TkScrollWndData&, TkcScrollData*) {});
}

}  // namespace skin
