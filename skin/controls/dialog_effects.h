// What a skinned system dialog lends the form skinning's effects: the
// blended move (the dialog fades while it is dragged by its caption), the
// extended border window around it, and the manager options they read.
// The dialog adapter owns one of each host; they only answer for it.
#pragma once

#include <windows.h>

#include "skin/forms/blended_move.h"
#include "skin/engine/manager_options.h"
#include "skin/forms/border_window.h"
#include "skin/forms/title_glow.h"

namespace skin {

class TkSkinManager;
class TkcDialogWnd;

// The manager whose options skinned system dialogs follow (the default one;
// none in tests that skin without a manager).
TkSkinManager* DialogManager();

// The dialog as a blended move sees it.
class TkcDialogMoveHost : public TkcBlendedMoveHost {
 public:
  explicit TkcDialogMoveHost(TkcDialogWnd& Dialog) : FDialog(Dialog) {}
  HWND MovedWindow() const override;
  bool IsDialog() const override { return true; }
  bool BlendOnMovingActive() const override;
  int BlendValue() const override;
  fw::TBitmap* CacheBitmap() override;
  // A press on the caption starts a blended move: the option is on, its
  // value not opaque, and the dialog not iconic.
  bool Wanted() const;

 private:
  TkcDialogWnd& FDialog;
};

// The dialog as its extended border window sees it: the window lies in the
// border window's image at the dialog's extended frame and title offsets.
class TkcDialogBorderOwner : public TkcBorderOwner {
 public:
  explicit TkcDialogBorderOwner(TkcDialogWnd& Dialog) : FDialog(Dialog) {}
  HWND OwnerHandle() const override;
  bool IsProvider() const override { return false; }
  uint32_t& FormState() override;
  fw::TBitmap* CacheBitmap() override;
  bool& BGChanged() override;
  void PaintAll() override;
  int XOffset() const override;
  int YOffset() const override;
  TkBorderFacts HitFacts() const override;
  TkBorderClientFacts ClientFacts() const override;
  void SetHotHT(int Code) override;
  bool StartBlendedMove() override;

 private:
  TkcDialogWnd& FDialog;
};

// The dialog as its title buttons' fades see it.
class TkcDialogGlowOwner : public TkcTitleGlowOwner {
 public:
  explicit TkcDialogGlowOwner(TkcDialogWnd& Dialog) : FDialog(Dialog) {}
  HWND GlowOwnerWindow() const override;
  HWND GlowBorderWindow() const override;
  TkLoadedSkin* GlowSkin() const override;
  // The manager's Effects.AllowGlowing (no fades without a manager).
  bool GlowAllowed() const override;

 private:
  TkcDialogWnd& FDialog;
};

// The manager's extended borders are on (and layered windows available).
bool DialogExtendedBorders();
// The manager's show and hide animations of dialogs, when they are active
// and take time; null otherwise.
const TkcFormAnimation* DialogShowAnimation();
const TkcFormAnimation* DialogHideAnimation();

}  // namespace skin
