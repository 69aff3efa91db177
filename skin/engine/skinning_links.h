// The form and control skinning stand above the engine. What the engine
// must reach of them it reaches through these links: a form's provider as
// the engine sees it (the answer to skin command 4), and the routines the
// skinning registers when it starts. Until then every link does nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "fw/controls/forms.h"
#include "fw/core/events.h"
#include "skin/engine/skin_params.h"

namespace skin {

class TkSkinManager;
class TkCommonData;

// Provider FormState bits the engine uses.
constexpr uint32_t fsCachePrepared = 0x200;
constexpr uint32_t fsSnapshotShown = 0x1000;
constexpr uint32_t fsFrozen = 0x10000;

enum TkcAnimEvent { aeShowing, aeHiding, aeSkinChanging };

// The skinning provider of one form. The form skinning derives its
// provider from this and answers skin command 4 with a pointer to this
// base.
class TkFormProviderLink {
 public:
  virtual ~TkFormProviderLink() = default;

  fw::TCustomForm* Form = nullptr;
  TkCommonData* FCommonData = nullptr;
  uint32_t FormState = 0;
  bool FInAnimation = false;
  bool FDrawNonClientArea = false;
  bool SkipAnimation = false;
  bool FAllowAnimation = true;
  fw::TEvent<void(TkcAnimEvent)> OnAfterAnimation;

  // The layered window of the extended borders exists.
  virtual bool HasBorderWindow() const { return false; }
  // CoverBmp := a new image of the form (the form's cache kept).
  virtual void TakeCoverSnapshot() {}
  // Shows CoverBmp on the border window with the alpha and its region.
  virtual void ShowCoverOnBorder(int Alpha) { (void)Alpha; }
  // The skin's extended maximised title height.
  virtual int MaximizedTitleHeight() const { return 0; }
  // Rebuilds the region cut-outs and the window region.
  virtual void RebuildWindowRegion() {}
  // Gives the border window its region and places and repaints it.
  virtual void PlaceBorderWindow() {}
  // Builds the form's non-client image in its cache when it changed.
  virtual void PrepareFormCache() {}
  // The extended-border window: made or freed as the skin and the form
  // allow, placed and repainted, its window alone freed.
  virtual void UpdateBorderForm(bool Allowed) { (void)Allowed; }
  virtual void UpdateExBordersPos(bool Redraw, int Blend) {
    (void)Redraw;
    (void)Blend;
  }
  virtual void FreeBorderWindow() {}
  // The minimize and restore animations; a minimize timer that holds the
  // form minimised.
  virtual void StartMinimizeAnimation() {}
  virtual void StartRestoreAnimation() {}
  virtual bool MinimizedByTimer() const { return false; }
  // Covers the form with a window showing its image (for a hide animation).
  virtual void ShowCoverForm() {}
};

// A window adapter of the control skinning as the form skinning holds it:
// the holder owns it and frees it; it detaches itself when its window goes.
class TkAdapterLink {
 public:
  virtual ~TkAdapterLink() = default;
  virtual bool IsDestroyed() const { return false; }
};

// Routines of the form and control skinning the engine calls.
struct TkSkinningLinks {
  // The window-creation hook's work (the result is ignored: the engine
  // always passes the call on).
  std::function<void(int Code, WPARAM WParam, LPARAM LParam)> CBTHook;
  // Frees the popup-menu window adapters the hook attached.
  std::function<void()> FreeMenuWindowAdapters;
  // Frees the providers of skinned dialogs (the hook's removal).
  std::function<void()> FreeDialogProviders;
  // The windows of skinned dialogs that are visible.
  std::function<std::vector<HWND>()> VisibleDialogWindows;
  // The manager's popup menus: measure the border again, skin the menus
  // again.
  std::function<void(TkSkinManager*)> ResetMenuBorderWidth;
  std::function<void(TkSkinManager*)> UpdateMenus;
  // Draws a popup menu window's border (item or null, menu window).
  std::function<void(TkSkinManager*, void* Item, HWND MenuWindow)> DrawMenuBorder;
  // A new adapter for a framework control named in the class list ListIndex
  // (the skin manager's 22 lists), attached to the control's window; the
  // caller owns it. Null when that list has no adapter.
  std::function<TkAdapterLink*(int ListIndex, fw::TWinControl* Control, const TkcSkinParams& Params)> MakeListAdapter;
  // The painter of a graphic speed button named in the speed-button list,
  // with the skin data the form skinning keeps for it; the caller owns it.
  std::function<TkAdapterLink*(fw::TControl* Button, TkCommonData* SkinData)> MakeSpeedButtonHandler;
  // The attachment hook's decision on one top-level window (skins it when
  // its rules allow).
  std::function<bool(HWND Handle)> AttachSkinToWindow;
};
TkSkinningLinks& SkinningLinks();

// The one window-creation hook of the user-interface thread, whose work is
// the CBTHook link: the skin manager installs it while its skin is active.
void InstallCBTHook();
void RemoveCBTHook();
bool CBTHookInstalled();

// The provider of a form (skin command 4), or null.
TkFormProviderLink* ProviderOf(fw::TCustomForm* Form);
TkFormProviderLink* ProviderOf(HWND Wnd);

}  // namespace skin
