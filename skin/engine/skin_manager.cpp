#include "skin/engine/skin_manager.h"

#include <filesystem>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/system/application.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/glow_effect.h"
#include "skin/engine/common_data.h"
#include "skin/engine/core/skin_text.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_resources.h"
#include "skin/engine/skin_switches.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/skinned_forms.h"
#include "skin/engine/skinning_links.h"
#include "skin/engine/window_utils.h"

namespace skin {

TkSkinManager* DefaultSkinManager = nullptr;
bool SkinLoading = false;
bool SkinApplying = false;
bool PreviewMode = false;
const fw::String* PreviewOptions = nullptr;

namespace {

// Sets a flag for a scope and clears it on every way out.
class TFlagScope {
 public:
  TFlagScope(bool& flag, bool value) : FFlag(flag), FValue(!value) { FFlag = value; }
  ~TFlagScope() { FFlag = FValue; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
  bool FValue;
};

bool FileExists(const fw::String& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::path(path), ec);
}

fw::String WithDelimiter(const fw::String& path) { return AddPathDelimiter(path); }

const TPixelBuffer& DefaultShadow(bool active) {
  static const TPixelBuffer a = DefaultShadowImage(true), i = DefaultShadowImage(false);
  return active ? a : i;
}

void Broadcast(WORD code, TkSkinManager* manager) {
  fw::TMessage m{WM_SKINCOMMAND, SkinCommand(code), reinterpret_cast<LPARAM>(manager), 0};
  BroadcastSkinMessage(m);
}

}  // namespace

TkSkinManager::TkSkinManager(fw::TComponent* AOwner)
    : fw::TComponent(AOwner),
      FSkin(std::make_unique<TkLoadedSkin>()),
      FBuiltInSkins(std::make_unique<TkStoredSkins>(this)),
      FCommonSections(std::make_unique<fw::TStringList>()),
      FEffects(std::make_unique<TkcSkinEffects>()),
      FAnimEffects(std::make_unique<TkcAnimEffects>()),
      FScrollsOptions(std::make_unique<TkcScrollBarsSupport>()),
      FButtonsSupport(std::make_unique<TkcButtonsSupport>()),
      FLabelsSupport(std::make_unique<TkcLabelsSupport>()),
      FOptions(std::make_unique<TkcOptions>()),
      FMenuSupport(std::make_unique<TkcMenuSupport>()),
      FThirdParty(std::make_unique<ThirdPartyList>()) {
  FEffects->Manager = this;
  FAnimEffects->Manager = this;
  FScrollsOptions->Manager = this;
  for (int i = 0; i < kThirdListCount; ++i) {
    ThirdLists.push_back(std::make_unique<fw::TStringList>());
    ThirdLists.back()->SetCaseSensitive(true);
  }
  FCommonSections->SetCaseSensitive(true);
  FBuiltInSkins->OnSkinListChanged = [this] { FireEvent(OnSkinListChanged); };
  ReportMessage = [](const fw::String& text) { ShowErrorMessage(text); };
  if (!DefaultSkinManager) {
    DefaultSkinManager = this;
    DefaultSkinMainColor = [] {
      return DefaultSkinManager && DefaultSkinManager->CommonSkinData().Active
                 ? DefaultSkinManager->Skin().GetGlobalColor()
                 : fw::TColor{fw::clBtnFace};
    };
    if (fw::Application) {
      FAppHook = fw::TWindowHook(this, &TkSkinManager::MainWndHook);
      fw::Application->HookMainWindow(FAppHook);
      FAppHooked = true;
    }
  }
  FActive = true;
  UpdateThirdNames(false);
  if (FSkinDirectory.empty()) FSkinDirectory = kDefaultSkinDirectory;
}

TkSkinManager::~TkSkinManager() {
  WriteActive(false);
  FExtendedBorders = false;
  if (DefaultSkinManager == this) {
    UnInstallHook();
    if (FAppHooked && fw::Application) fw::Application->UnhookMainWindow(FAppHook);
    DefaultSkinManager = nullptr;
    DefaultSkinMainColor = nullptr;
  }
  StoreThirdLists();
}

void TkSkinManager::Loaded() {
  inherited::Loaded();
  if (FSkinDirectory.empty()) FSkinDirectory = kDefaultSkinDirectory;
  if (FMenuSupport->FIcoLineSkin.empty()) FMenuSupport->FIcoLineSkin = u"ICOLINE";
  UpdateThirdNames(false);
  if (FActive && !FSkinName.empty()) SendNewSkin(false);
  UpdateCommonDlgs();
  if (FActive) FireEvent(OnActivate);
}

bool TkSkinManager::LoadingOrReading() const {
  return ComponentState().Contains(fw::csLoading) || ComponentState().Contains(fw::csReading);
}

fw::String TkSkinManager::GetFullSkinDirectory() const { return skin::GetFullSkinDirectory(FSkinDirectory, AppFolder()); }

fw::String TkSkinManager::PackedPath(const fw::String& name) const {
  // Resolved like the skin folders, so that a relative directory does not
  // depend on the current folder.
  return WithDelimiter(GetFullSkinDirectory()) + name + u".ksz";
}

TSkinLoadOptions TkSkinManager::LoadOptions() const {
  TSkinLoadOptions o = SystemSkinLoadOptions();
  o.HueOffset = FHueOffset;
  o.Saturation = FSaturation;
  o.Brightness = FBrightness;
  o.CommonSections = FCommonSections->Text();
  o.SkinPath = WithDelimiter(GetFullSkinDirectory());
  o.TestSwitch = CommandLineSkinSwitches().Test;
  auto report = ReportMessage;
  o.OnVersionNotice = [report](TVersionNotice notice, const fw::String& name) {
    if (report) report(VersionNoticeText(notice, name));
  };
  return o;
}

TkSkinManager::TLoadResult TkSkinManager::LoadNamedSkin(const fw::String& name) const {
  TLoadResult r;
  const fw::String dir = GetFullSkinDirectory();
  bool packed = FileExists(PackedPath(name));
  if (PreviewMode && FolderExists(WithDelimiter(dir) + name)) packed = false;
  if (packed) {
    r.Skin = ReloadPackedSkin(name, dir, LoadOptions());
    r.Name = name;
    r.Packed = true;
    return r;
  }
  std::vector<TStoredSkinRef> stored;
  for (int i = 0; i < FBuiltInSkins->Count(); ++i) {
    TkStoredSkin* item = FBuiltInSkins->Items(i);
    if (item->PackedData.empty() && !item->FDataResource.empty()) item->PackedData = StoredSkinResource(item->FDataResource);
  }
  for (int i = 0; i < FBuiltInSkins->Count(); ++i)
    stored.push_back({FBuiltInSkins->Items(i)->FName, &FBuiltInSkins->Items(i)->PackedData});
  TChosenSkin chosen = ReloadSkin(name, dir, stored, PreviewOptions, LoadOptions());
  r.Skin = std::move(chosen.Skin);
  r.Name = chosen.Name;
  r.Packed = chosen.Packed;
  return r;
}

void TkSkinManager::CheckShadows() {
  TShadowTemplates t = skin::CheckShadows(*FSkin, ReadExtendedBorders(), &DefaultShadow(true), &DefaultShadow(false));
  ShdaTemplate = std::move(t.Active);
  ShdiTemplate = std::move(t.Inactive);
  FormShadowSize = t.FormShadowSize;
}

void TkSkinManager::WriteSkinName(const fw::String& Value) {
  const fw::String oldName = FSkinName;
  FSkinName = Value;
  if (FActive) {
    FireEvent(OnBeforeChange);
    bool prepared = false;
    if (ReadExtendedBorders() && !NoAutoUpdate && FAnimEffects->SkinChanging.Active) {
      PrepareSkinChangeForms(this);
      prepared = true;
    }
    TFlagScope loading(SkinLoading, true);
    const bool wasActive = FSkin->CommonSkinData.Active;
    FSkin->CommonSkinData.Active = false;
    if (FSkinName.size() > 4 && fw::LowerCase(FSkinName.substr(FSkinName.size() - 4)) == u".ksz")
      FSkinName.resize(FSkinName.size() - 4);
    TLoadResult loaded;
    try {
      loaded = LoadNamedSkin(FSkinName);
    } catch (const fw::Exception& e) {
      // The skin in use stays, whole, under its name; nothing is broadcast.
      FSkinName = oldName;
      FSkin->CommonSkinData.Active = wasActive;
      if (prepared) {
        AnimationInProgress = false;
        ForEachSkinnedForm(this, [](TkFormProviderLink& p) {
          p.FInAnimation = false;
          p.FormState &= ~fsSnapshotShown;
        });
      }
      if (ReportMessage) ReportMessage(e.Message());
      UpdateCommonDlgs();
      return;
    }
    if (loaded.Skin) {
      TakeLoaded(loaded);
      FireEvent(OnSkinLoading);
    } else {
      // Neither a skin of that name nor a stored skin.
      FActive = false;
    }
    if (FActive) {
      if (!NoAutoUpdate) SendNewSkin(true);
      if (!ComponentState().Contains(fw::csLoading)) FireEvent(OnActivate);
    } else {
      SendRemoveSkin();
      FireEvent(OnDeactivate);
    }
    SkinLoading = false;
    FireEvent(OnAfterChange);
  }
  UpdateCommonDlgs();
}

void TkSkinManager::TakeLoaded(TLoadResult& loaded) {
  FSkin = std::move(loaded.Skin);
  FSkinName = loaded.Name;
  SkinIsPacked = loaded.Packed;
  FHasSkin = true;
  CheckShadows();
}

void TkSkinManager::WriteActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  if (Value) {
    WriteSkinName(FSkinName);
  } else if (!FSkinName.empty()) {
    if (!ComponentState().Contains(fw::csLoading)) SendRemoveSkin();
    FSkin->InitConstantIndexes();
    UpdateCommonDlgs();
    FireEvent(OnDeactivate);
  }
}

void TkSkinManager::WriteSkinDirectory(const fw::String& Value) {
  if (Value == FSkinDirectory) return;
  FSkinDirectory = Value;
  FSkin->CommonSkinData.SkinPath = GetFullSkinDirectory();
  FireEvent(OnSkinListChanged);
}

void TkSkinManager::ReloadWithColorChange() {
  if (!FActive || LoadingOrReading()) return;
  {
    TFlagScope loading(SkinLoading, true);
    try {
      TLoadResult loaded = LoadNamedSkin(FSkinName);
      if (loaded.Skin) {
        TakeLoaded(loaded);
      }
    } catch (const fw::Exception& e) {
      if (ReportMessage) ReportMessage(e.Message());
      return;
    }
    FireEvent(OnAfterChange);
  }
  if (!NoAutoUpdate) RepaintForms(true);
}

void TkSkinManager::WriteHueOffset(int Value) {
  if (Value == FHueOffset) return;
  FHueOffset = Value;
  ReloadWithColorChange();
}

void TkSkinManager::WriteSaturation(int Value) {
  if (Value == FSaturation) return;
  FSaturation = Value;
  ReloadWithColorChange();
}

void TkSkinManager::WriteBrightness(int Value) {
  Value = std::max(-100, std::min(100, Value));
  if (Value == FBrightness) return;
  FBrightness = Value;
  ReloadWithColorChange();
}

bool TkSkinManager::ReadExtendedBorders() const { return FExtendedBorders && LayeredWindowsAvailable(); }

void TkSkinManager::WriteExtendedBorders(bool Value) {
  if (Value == FExtendedBorders) return;
  FExtendedBorders = Value;
  if (!FSkin->CommonSkinData.Active) return;
  {
    TFlagScope loading(SkinLoading, true);
    CheckShadows();
    try {
      TLoadResult loaded = LoadNamedSkin(FSkinName);
      if (loaded.Skin) {
        FSkin = std::move(loaded.Skin);
        SkinIsPacked = loaded.Packed;
        CheckShadows();
      }
    } catch (const fw::Exception& e) {
      if (ReportMessage) ReportMessage(e.Message());
      return;
    }
  }
  if (!LoadingOrReading()) RepaintForms(true);
}

void TkSkinManager::WriteSkinnedPopups(bool Value) {
  FSkinnedPopups = Value;
  if (Value && IsDefault() && SkinningLinks().UpdateMenus) SkinningLinks().UpdateMenus(this);
}

void TkSkinManager::WriteIsDefault(bool Value) {
  if (!Value && DefaultSkinManager) return;
  DefaultSkinManager = this;
  if (FActive) SendNewSkin(true);
  else SendRemoveSkin();
}

void TkSkinManager::SetCommonSections(fw::TStrings* Value) {
  FCommonSections->Clear();
  if (Value)
    for (int i = 0; i < Value->Count(); ++i) {
      fw::String line = Value->Strings(i);
      if (!line.empty() && line[0] != u';') std::erase(line, u' ');
      FCommonSections->Add(line);
    }
  WriteSkinName(FSkinName);
}

fw::String TkSkinManager::SkinInfo() const {
  if (!FHasSkin) return u"N/A";
  return fw::FloatToStr(FSkin->CommonSkinData.Version);
}

void TkSkinManager::WriteSkinningRules(TkcSkinningRules Value) {
  FSkinningRules = Value;
  UpdateCommonDlgs();
}

void TkSkinManager::UpdateCommonDlgs() {
  // The framework's file and message dialogs have one style only; the
  // choice between classic and newer system dialogs has nothing to switch.
}

void TkSkinManager::UpdateSkin(bool Repaint) {
  if (FActive) SendNewSkin(Repaint);
}

void TkSkinManager::UpdateSkinSection(const fw::String& SectionName) {
  fw::String name = fw::UpperCase(SectionName);
  fw::TMessage m{WM_SKINCOMMAND, SkinCommand(SKC_SECTIONCHANGED), reinterpret_cast<LPARAM>(&name), 0};
  BroadcastSkinMessage(m);
}

void TkSkinManager::EndUpdate(bool Repaint, bool AllowAnimation) {
  NoAutoUpdate = false;
  bool& animate = FAnimEffects->SkinChanging.Active;
  const bool saved = animate;
  if (!AllowAnimation) animate = false;
  try {
    UpdateSkin(Repaint);
  } catch (...) {
    animate = saved;
    throw;
  }
  animate = saved;
}

void TkSkinManager::SendNewSkin(bool Repaint) {
  if (LoadingOrReading()) return;
  FreeGlowEffects(false);
  if (Repaint) LockSkinnedForms(this);
  if (SkinningLinks().ResetMenuBorderWidth) SkinningLinks().ResetMenuBorderWidth(this);
  FSkin->CommonSkinData.Active = false;
  {
    TFlagScope applying(SkinApplying, true);
    FSkin->InitConstantIndexes();
    try {
      Broadcast(SKC_NEWSKIN, this);
    } catch (...) {
      // Frozen forms must paint again.
      FSkin->CommonSkinData.Active = true;
      if (Repaint) UnlockSkinnedForms(this, false);
      throw;
    }
  }
  FSkin->CommonSkinData.Active = true;
  if (IsDefault() && !GlobalHookInstalled) InstallHook();
  if (Repaint) RepaintForms(false);
}

void TkSkinManager::SendRemoveSkin() {
  {
    TFlagScope removing(SkinRemoving, true);
    FreeGlowEffects(false);
    UnInstallHook();
    FSkin->CommonSkinData.Active = false;
    Broadcast(SKC_REMOVESKIN, this);
    FSkin = std::make_unique<TkLoadedSkin>();
    FHasSkin = false;
  }
}

void TkSkinManager::RepaintForms(bool DoLockForms) {
  fw::TMessage before{WM_SKINCOMMAND, SkinCommand(SKC_BEFOREREFRESH), reinterpret_cast<LPARAM>(this), 0};
  BroadcastSkinMessage(before);
  if (ComponentState().Contains(fw::csLoading)) {
    Broadcast(SKC_REFRESH, this);
  } else {
    if (DoLockForms) LockSkinnedForms(this);
    try {
      Broadcast(SKC_REFRESH, this);
    } catch (...) {
      UnlockSkinnedForms(this, false);
      throw;
    }
    UnlockSkinnedForms(this, !NoAutoUpdate);
  }
  if (SkinningLinks().VisibleDialogWindows)
    for (HWND dlg : SkinningLinks().VisibleDialogWindows())
      RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void TkSkinManager::InstallHook() {
  if (!IsDefault() || GlobalHookInstalled) return;
  GlobalHookInstalled = true;
  InstallCBTHook();
}

void TkSkinManager::UnInstallHook() {
  if (!IsDefault() || !GlobalHookInstalled) return;
  if (SkinningLinks().FreeMenuWindowAdapters) SkinningLinks().FreeMenuWindowAdapters();
  RemoveCBTHook();
  if (SkinningLinks().FreeDialogProviders) SkinningLinks().FreeDialogProviders();
  GlobalHookInstalled = false;
}

void TkSkinManager::WriteActiveControl(HWND Value) {
  if (Value == FActiveControl) return;
  if (FActiveControl && FActiveGraphControl) {
    WriteActiveGraphControl(nullptr);
    if (FActiveGraphControl) return;
  }
  HWND old = FActiveControl;
  FActiveControl = Value;
  if (old) SendSkinCommand(old, SKC_MOUSELEAVE, reinterpret_cast<LPARAM>(this));
  if (Value) SendSkinCommand(Value, SKC_MOUSEENTER, reinterpret_cast<LPARAM>(this));
}

void TkSkinManager::WriteActiveGraphControl(fw::TControl* Value) {
  if (Value == FActiveGraphControl) return;
  if (!Value && FActiveGraphControl) {
    auto* state = reinterpret_cast<TkCommonData*>(
        FActiveGraphControl->Perform(WM_SKINCOMMAND, SkinCommand(SKC_GETSKINDATA), 0));
    if (state && state->FMouseAbove) return;
  }
  fw::TControl* old = FActiveGraphControl;
  FActiveGraphControl = Value;
  if (Value) FActiveControl = nullptr;
  if (old) old->Perform(WM_SKINCOMMAND, SkinCommand(SKC_MOUSELEAVE), reinterpret_cast<LPARAM>(this));
}

fw::String TkSkinManager::GetSkinNames(std::vector<fw::String>& list, TkcSkinTypes type) const {
  std::vector<fw::String> stored;
  for (int i = 0; i < FBuiltInSkins->Count(); ++i) stored.push_back(FBuiltInSkins->Items(i)->FName);
  return ListSkinNames(stored, GetFullSkinDirectory(), type, list);
}

fw::String TkSkinManager::GetExternalSkinNames(std::vector<fw::String>& list, TkcSkinTypes type) const {
  return ListSkinNames({}, GetFullSkinDirectory(), type, list);
}

fw::String TkSkinManager::GetRandomSkin() const {
  std::vector<fw::String> names;
  GetSkinNames(names);
  return PickRandomSkin(names);
}

TExtractResult TkSkinManager::ExtractInternalSkin(fw::StringView name, const fw::String& destDir) const {
  return skin::ExtractInternalSkin(*FBuiltInSkins, name, destDir);
}

bool TkSkinManager::ExtractByIndex(int index, const fw::String& destDir) const {
  return skin::ExtractByIndex(*FBuiltInSkins, index, destDir);
}

void TkSkinManager::UpdateThirdNames(bool Replace) {
  for (int i = 0; i < kThirdListCount; ++i) {
    fw::String& text = FThirdParty->Texts[static_cast<size_t>(i)];
    if (Replace || text.empty()) text = ThirdPartyList::DefaultText(i);
    ThirdLists[static_cast<size_t>(i)]->SetText(text);
  }
}

void TkSkinManager::StoreThirdLists() {
  for (int i = 0; i < kThirdListCount; ++i)
    FThirdParty->Texts[static_cast<size_t>(i)] = ThirdLists[static_cast<size_t>(i)]->Text();
}

int ManagerScrollSize(const TkSkinManager* Manager) {
  if (Manager && Manager->ScrollsOptions()->FScrollSize >= 0) return Manager->ScrollsOptions()->FScrollSize;
  return GetSystemMetrics(SM_CXVSCROLL);
}

int ManagerComboButtonWidth(const TkSkinManager* Manager) {
  return std::max(ManagerScrollSize(Manager), GetSystemMetrics(SM_CXVSCROLL));
}

FW_REGISTER(TkSkinManager) {
  using M = TkSkinManager;
  c.Property(u"Effects", &M::Effects, [](M& m, TkcSkinEffects* v) { (void)m, (void)v; });
  c.Property(u"ExtendedBorders", &M::ReadExtendedBorders, &M::WriteExtendedBorders).Default(false);
  c.Property(u"SkinnedPopups", &M::SkinnedPopups, &M::WriteSkinnedPopups).Default(true);
  c.Property(u"AnimEffects", &M::AnimEffects, [](M&, TkcAnimEffects*) {});
  c.Property(u"ButtonsOptions", &M::ButtonsOptions, [](M&, TkcButtonsSupport*) {});
  c.Property(u"IsDefault", &M::IsDefault, &M::WriteIsDefault).Default(true);
  c.Property(u"InternalSkins", &M::InternalSkins, [](M& m, TkStoredSkins* v) { m.InternalSkins()->Assign(v); });
  c.Property(u"Active", &M::Active, &M::WriteActive).Default(true);
  c.Property(u"CommonSections", &M::CommonSections, [](M& m, fw::TStringList* v) { m.SetCommonSections(v); });
  c.Property(u"Brightness", &M::Brightness, &M::WriteBrightness).Default(0);
  c.Property(u"Saturation", &M::Saturation, &M::WriteSaturation).Default(0);
  c.Property(u"HueOffset", &M::HueOffset, &M::WriteHueOffset).Default(0);
  c.Property(u"LabelsOptions", &M::LabelsOptions, [](M&, TkcLabelsSupport*) {});
  c.Property(u"MenuSupport", &M::MenuSupport, [](M&, TkcMenuSupport*) {});
  c.Property(u"Options", &M::Options, [](M&, TkcOptions*) {});
  c.Property(u"ScrollsOptions", &M::ScrollsOptions, [](M&, TkcScrollBarsSupport*) {});
  c.Property(u"SkinDirectory", &M::SkinDirectory, &M::WriteSkinDirectory);
  c.Property(u"SkinName", &M::SkinName, &M::WriteSkinName);
  // Read-only texts: writing does nothing.
  c.Property(u"SkinInfo", &M::SkinInfo, [](M&, const fw::String&) {}).Stored(false);
  c.Property(u"SkinningRules", &M::SkinningRules, &M::WriteSkinningRules);
  c.Property(u"ThirdParty", &M::ThirdParty, [](M&, ThirdPartyList*) {});
  c.Property(u"Version", &M::Version, [](M&, const fw::String&) {}).Stored(false);
  c.Event(u"OnActivate", &M::OnActivate);
  c.Event(u"OnAfterChange", &M::OnAfterChange);
  c.Event(u"OnBeforeChange", &M::OnBeforeChange);
  c.Event(u"OnDeactivate", &M::OnDeactivate);
  c.Event(u"OnSkinListChanged", &M::OnSkinListChanged);
  c.Event(u"OnSkinLoading", &M::OnSkinLoading);
}

}  // namespace skin
