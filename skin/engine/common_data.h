// The skin state of one skinned control, form provider or window adapter:
// the section it is painted with, the indexes resolved from it in the skin
// manager's data, its cache bitmap (the finished background children copy
// from) and the flags that coordinate repainting.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "fw/controls/controls.h"
#include "fw/core/object.h"
#include "fw/graphics/graphics.h"
#include "skin/engine/core/control_kinds.h"

namespace skin {

class TkSkinManager;
class TkCommonData;

FW_ENUM(TkcOuterVisibility, ovNone, ovAlways);

// Switches the control's outer shadow.
class TkcOuterEffects : public fw::TPersistent {
  FW_CLASS(TkcOuterEffects, fw::TPersistent)
 public:
  explicit TkcOuterEffects(TkCommonData* Owner = nullptr) : FOwner(Owner) {}
  TkcOuterVisibility Visibility() const { return FVisibility; }
  void WriteVisibility(TkcOuterVisibility Value);
  // Skin command 18 to the owner's parent window.
  void Invalidate();

 private:
  TkCommonData* FOwner;
  TkcOuterVisibility FVisibility = ovNone;
};

class TkCommonData : public fw::TPersistent {
  FW_CLASS(TkCommonData, fw::TPersistent)
 public:
  // Owner: the control, or the object of a form provider or adapter.
  TkCommonData(fw::TObject* Owner, bool CreateCacheBmp);
  ~TkCommonData() override;

  // The assigned manager, else the default manager.
  TkSkinManager* ReadSkinManager() const;
  void WriteSkinManager(TkSkinManager* Value);
  bool ManagerStored() const { return FSkinManager != nullptr; }
  const fw::String& SkinSection() const { return FSkinSection; }
  void WriteSkinSection(const fw::String& Value);
  bool CustomColor() const { return FCustomColor; }
  void WriteCustomColor(bool Value);
  bool CustomFont() const { return FCustomFont; }
  void WriteCustomFont(bool Value);
  int HUEOffset() const { return FHUEOffset; }
  void WriteHUEOffset(int Value);
  int Saturation() const { return FSaturation; }
  void WriteSaturation(int Value);
  fw::TColor ColorTone() const { return FColorTone; }
  void WriteColorTone(fw::TColor Value);
  TkcOuterEffects* OuterEffects() const { return FOuterEffects.get(); }

  void UpdateIndexes();
  // True when the section resolves in a living manager for a living owner;
  // with CheckSkinActive the manager's skin must also be applied.
  bool Skinned(bool CheckSkinActive = false) const;
  void Loaded();
  void BeginUpdate();
  void EndUpdate(bool Repaint);
  void Invalidate(bool UpdateNow = false);
  bool ReadUpdating() const;
  bool RecheckUpdating(bool ClearOwn);
  bool RepaintIfMoved() const;
  void ApplySkinColors(bool Repaint);
  void RefreshCtrlSkinState(bool WithChildren);
  // 1 plain, 0 not plain, 2 not decided yet.
  int PlainBackgroundState() const;
  bool BackgroundNeedsCache() const;
  bool ControlIsHotOrFocused() const;
  bool OuterEffectsAllowed() const;
  void EnsureCacheBitmap();
  // The section of the manager, or null while SkinIndex is not valid.
  const TkGeneralData* Section() const;

  // The owner when it is a form provider (its form is the form).
  fw::TCustomForm* ProviderForm() const { return FProviderForm; }
  void SetProviderForm(fw::TCustomForm* Form) { FProviderForm = Form; }

  std::unique_ptr<fw::TBitmap> FOuterCache;
  fw::String FSkinSection;
  bool FCustomFont = false, FCustomColor = false;
  int FUpdateCount = 0;
  fw::TColor FColorTone = 0x1FFFFFFF;
  int FHUEOffset = 0, FSaturation = 0;
  int GlowID = -1;
  bool FUpdating = false;
  bool Loading = true;
  TkSkinManager* FSkinManager = nullptr;
  int BorderIndex = -1, SkinIndex = -1, Texture = -1, HotTexture = -1;
  bool HalfVisible = true;
  fw::TControl* FOwnerControl = nullptr;
  fw::TObject* FOwnerObject = nullptr;
  std::unique_ptr<fw::TBitmap> FCacheBmp;
  int COC = 0;
  bool FFocused = false, FMouseAbove = false;
  uint16_t CtrlSkinState = cssUndecided;
  uint16_t BGType = 0;
  HDC PrintDC = nullptr;
  fw::TRect InvalidRectH, InvalidRectV;
  bool BGChanged = true;

 private:
  bool OwnerBeingFreed() const;
  bool OwnerLoading() const;
  void SendToOwner(WORD code, LPARAM lParam);
  void HideGlow();

  std::unique_ptr<TkcOuterEffects> FOuterEffects;
  fw::TCustomForm* FProviderForm = nullptr;
};

// A skinned window with skinned scroll bars.
class TkcScrollData : public fw::TPersistent {
  FW_CLASS(TkcScrollData, fw::TPersistent)
 public:
  explicit TkcScrollData(TkCommonData* Owner = nullptr) : FOwner(Owner) {}
  int ScrollWidth() const { return FScrollWidth; }
  void WriteScrollWidth(int Value);
  int ButtonsSize() const { return FButtonsSize; }
  void WriteButtonsSize(int Value);
  void Invalidate() {}

 private:
  TkCommonData* FOwner;
  int FScrollWidth = -1, FButtonsSize = -1;
};

class TkScrollWndData : public TkCommonData {
  FW_CLASS(TkScrollWndData, TkCommonData)
 public:
  TkScrollWndData(fw::TObject* Owner, bool CreateCacheBmp);
  ~TkScrollWndData() override;
  TkcScrollData* VertScrollData() const { return FVertScrollData.get(); }
  TkcScrollData* HorzScrollData() const { return FHorzScrollData.get(); }

 private:
  std::unique_ptr<TkcScrollData> FVertScrollData, FHorzScrollData;
};

}  // namespace skin
