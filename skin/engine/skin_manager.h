// The skin manager: the component that owns the active skin. It loads the
// skin named by SkinName from a packed file, a skin folder or its stored
// skins into a fresh skin object and swaps it in only when the load
// succeeded, tells every skinned window about a new or removed skin with
// the skin command message, keeps the options the form and control
// skinning read, and (the first, default manager) installs the thread's
// window-creation hook and hooks the application window.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "fw/controls/controls.h"
#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/core/strings_list.h"
#include "fw/stdctrls/stdctrls_common.h"
#include "fw/system/application.h"
#include "fw/system/messages.h"
#include "skin/engine/core/pixel_buffer.h"
#include "skin/engine/core/preview_record.h"
#include "skin/engine/core/skin_data.h"
#include "skin/engine/core/skin_folders.h"
#include "skin/engine/core/skin_loader.h"
#include "skin/engine/core/stored_skins.h"
#include "skin/engine/manager_options.h"

namespace fw {
class TMenuItem;
}

namespace skin {

// The font a popup item's text will use; the handler may change it.
struct TkcMenuItemData {
  fw::TFont* Font = nullptr;
};
using TkcGetPopupItemData =
    fw::TEvent<void(fw::TMenuItem* Item, fw::TOwnerDrawState State, TkcMenuItemData& ItemData)>;
using TkcGetExtraLineData = fw::TEvent<void(fw::TMenuItem* FirstItem, fw::String& SkinSection, fw::String& Caption,
                                            fw::TBitmap*& Glyph, bool& LineVisible)>;

class TkSkinManager;

// The system dialog OnSysDlgInit asks about.
struct TkcSysDlgData {
  HWND WindowHandle = nullptr;
};

enum TShowAction { saIgnore, saRestore, saMinimize, saMaximize };

// The first manager created; the manager of every control that names none.
extern TkSkinManager* DefaultSkinManager;
// Set while a skin is loaded and while SKC_NEWSKIN is broadcast: painting
// waits meanwhile.
extern bool SkinLoading;
extern bool SkinApplying;
// Set once a preview from a skin editor was loaded.
extern bool PreviewMode;
// The preview's description text during its load, null otherwise.
extern const fw::String* PreviewOptions;

constexpr const char16_t* kSkinEngineVersion = u"9.03";
constexpr const char16_t* kDefaultSkinDirectory = u"c:\\Skins";

class TkSkinManager : public fw::TComponent {
  FW_CLASS(TkSkinManager, fw::TComponent)

 public:
  explicit TkSkinManager(fw::TComponent* AOwner);
  ~TkSkinManager() override;
  void Loaded() override;

  // The loaded skin; an empty one while none is loaded.
  const TkLoadedSkin& Skin() const { return *FSkin; }
  // The same for the painters that take a skin to draw with.
  TkLoadedSkin* LoadedSkin() const { return FSkin.get(); }
  const std::vector<TkGeneralData>& gd() const { return FSkin->gd; }
  const std::vector<TkMaskData>& ma() const { return FSkin->ma; }
  const TkSkinData& CommonSkinData() const { return FSkin->CommonSkinData; }
  const TConstantSkinData& ConstData() const { return FSkin->ConstData; }
  const TkPalette& Palette() const { return FSkin->Palette; }
  int GetSkinIndex(fw::StringView section) const { return FSkin->GetSkinIndex(section); }
  int GetMaskIndex(int skinIndex, fw::StringView section, fw::StringView mask) const {
    return FSkin->GetMaskIndex(skinIndex, section, mask);
  }
  int GetTextureIndex(int skinIndex, fw::StringView section, fw::StringView name) const {
    return FSkin->GetTextureIndex(skinIndex, section, name);
  }
  bool IsValidSkinIndex(int i) const { return FSkin->IsValidSkinIndex(i); }
  bool IsValidImgIndex(int i) const { return FSkin->IsValidImgIndex(i); }

  // Published properties.
  const fw::String& SkinName() const { return FSkinName; }
  void WriteSkinName(const fw::String& Value);
  bool Active() const { return FActive; }
  void WriteActive(bool Value);
  const fw::String& SkinDirectory() const { return FSkinDirectory; }
  void WriteSkinDirectory(const fw::String& Value);
  int HueOffset() const { return FHueOffset; }
  void WriteHueOffset(int Value);
  int Saturation() const { return FSaturation; }
  void WriteSaturation(int Value);
  int Brightness() const { return FBrightness; }
  void WriteBrightness(int Value);
  // Reads True only while layered windows are available.
  bool ReadExtendedBorders() const;
  void WriteExtendedBorders(bool Value);
  bool SkinnedPopups() const { return FSkinnedPopups; }
  void WriteSkinnedPopups(bool Value);
  bool IsDefault() const { return DefaultSkinManager == this; }
  void WriteIsDefault(bool Value);
  fw::TStringList* CommonSections() const { return FCommonSections.get(); }
  void SetCommonSections(fw::TStrings* Value);
  TkStoredSkins* InternalSkins() const { return FBuiltInSkins.get(); }
  // The loaded skin's version, "N/A" while none is loaded.
  fw::String SkinInfo() const;
  fw::String Version() const { return kSkinEngineVersion; }
  const TkcSkinningRules& SkinningRules() const { return FSkinningRules; }
  void WriteSkinningRules(TkcSkinningRules Value);

  TkcSkinEffects* Effects() const { return FEffects.get(); }
  TkcAnimEffects* AnimEffects() const { return FAnimEffects.get(); }
  TkcScrollBarsSupport* ScrollsOptions() const { return FScrollsOptions.get(); }
  TkcButtonsSupport* ButtonsOptions() const { return FButtonsSupport.get(); }
  TkcLabelsSupport* LabelsOptions() const { return FLabelsSupport.get(); }
  TkcOptions* Options() const { return FOptions.get(); }
  TkcMenuSupport* MenuSupport() const { return FMenuSupport.get(); }
  ThirdPartyList* ThirdParty() const { return FThirdParty.get(); }

  fw::TNotifyEvent OnActivate, OnAfterChange, OnBeforeChange, OnDeactivate, OnSkinListChanged, OnSkinLoading;
  // A system dialog is about to be skinned; clearing AllowSkinning leaves
  // it as the system draws it.
  fw::TEvent<void(TkcSysDlgData& DlgData, bool& AllowSkinning)> OnSysDlgInit;
  // A popup is about to show the extra band down its left (menu support's
  // UseExtraLine): the handler may name its section, caption and picture
  // (the menus take the picture over) or hide the band.
  TkcGetExtraLineData OnGetMenuExtraLineData;
  // A popup item's text is about to be measured or drawn in this font.
  TkcGetPopupItemData OnGetPopupItemData;

  // The skinned window and graphic control under the mouse.
  HWND ActiveControl() const { return FActiveControl; }
  void WriteActiveControl(HWND Value);
  fw::TControl* ActiveGraphControl() const { return FActiveGraphControl; }
  void WriteActiveGraphControl(fw::TControl* Value);

  void UpdateSkin(bool Repaint);
  void UpdateSkinSection(const fw::String& SectionName);
  void RepaintForms(bool DoLockForms);
  void BeginUpdate() { NoAutoUpdate = true; }
  void EndUpdate(bool Repaint, bool AllowAnimation);
  void SendNewSkin(bool Repaint);
  void SendRemoveSkin();
  void InstallHook();
  void UnInstallHook();

  // Skin lists and folders.
  fw::String GetFullSkinDirectory() const;
  fw::String GetSkinNames(std::vector<fw::String>& list, TkcSkinTypes type = TkcSkinTypes::stAllSkins) const;
  fw::String GetExternalSkinNames(std::vector<fw::String>& list, TkcSkinTypes type = TkcSkinTypes::stAllSkins) const;
  fw::String GetRandomSkin() const;
  TExtractResult ExtractInternalSkin(fw::StringView name, const fw::String& destDir) const;
  bool ExtractByIndex(int index, const fw::String& destDir) const;

  // The application-window hook and the preview link.
  bool MainWndHook(fw::TMessage& Message);
  void LoadFromPreviewBuffer();

  // The 22 class lists, one class name a line.
  std::vector<std::unique_ptr<fw::TStringList>> ThirdLists;
  void UpdateThirdNames(bool Replace);
  void StoreThirdLists();

  TShowAction ShowState = saIgnore;
  TkcSkinData PreviewBuffer;
  bool NoAutoUpdate = false;
  bool SkinRemoving = false;
  bool SkinIsPacked = false;
  bool GlobalHookInstalled = false;
  TPixelBuffer ShdaTemplate, ShdiTemplate;
  fw::TRect FormShadowSize;

  // Where load errors and skin-version notices go (a modal box by default).
  std::function<void(const fw::String&)> ReportMessage;

 private:
  // Loads the named skin into a fresh object; raises on a damaged skin.
  // previewText names the preview description.
  struct TLoadResult {
    std::unique_ptr<TkLoadedSkin> Skin;
    fw::String Name;
    bool Packed = false;
  };
  TLoadResult LoadNamedSkin(const fw::String& name) const;
  // Makes a skin that loaded the one in use.
  void TakeLoaded(TLoadResult& loaded);
  // The packed file that would hold the named skin.
  fw::String PackedPath(const fw::String& name) const;
  TSkinLoadOptions LoadOptions() const;
  void ReloadWithColorChange();
  void CheckShadows();
  void UpdateCommonDlgs();
  bool LoadingOrReading() const;
  void FireEvent(const fw::TNotifyEvent& e) {
    if (e.Assigned()) e(this);
  }

  std::unique_ptr<TkLoadedSkin> FSkin;
  fw::String FSkinName, FSkinDirectory;
  bool FActive = false;
  bool FHasSkin = false;  // FSkin came from a load
  int FHueOffset = 0, FSaturation = 0, FBrightness = 0;
  bool FExtendedBorders = false;
  bool FSkinnedPopups = true;
  TkcSkinningRules FSkinningRules{srStdForms, srStdDialogs, srThirdParty};
  std::unique_ptr<TkStoredSkins> FBuiltInSkins;
  std::unique_ptr<fw::TStringList> FCommonSections;
  std::unique_ptr<TkcSkinEffects> FEffects;
  std::unique_ptr<TkcAnimEffects> FAnimEffects;
  std::unique_ptr<TkcScrollBarsSupport> FScrollsOptions;
  std::unique_ptr<TkcButtonsSupport> FButtonsSupport;
  std::unique_ptr<TkcLabelsSupport> FLabelsSupport;
  std::unique_ptr<TkcOptions> FOptions;
  std::unique_ptr<TkcMenuSupport> FMenuSupport;
  std::unique_ptr<ThirdPartyList> FThirdParty;
  HWND FActiveControl = nullptr;
  fw::TControl* FActiveGraphControl = nullptr;
  fw::TWindowHook FAppHook;
  bool FAppHooked = false;
};

// A skin preview sent by WM_COPYDATA is taken only by a program started
// with "/kcpreview", only with the record's kind (7), the whole record and
// its magic number.
bool AcceptPreviewCopyData(const TSkinSwitches& Switches, WPARAM WParam, const COPYDATASTRUCT* Data,
                           TkcSkinData& Record);

// The manager's scroll-bar thickness, else (and without manager) the
// system's vertical scroll-bar width.
int ManagerScrollSize(const TkSkinManager* Manager);
// The wider of that and the system's scroll-bar width.
int ManagerComboButtonWidth(const TkSkinManager* Manager);

}  // namespace skin
