// The skinned frame of a system dialog (message boxes, open, save and
// folder dialogs): the adapter paints the dialog's frame, title, icon,
// caption and title buttons from the skin's "DIALOG" section, cuts the
// window to the skin's outline, fills the client background, and takes over
// hit testing and the title buttons. The dialog's own system menu is
// switched off while skinned (the system would draw its own buttons); the
// adapter shows its own window menu instead. With the manager's extended
// borders a border window around the dialog shows the frame, title and
// shadow, and the dialog keeps only its client part; dragged by its caption
// the dialog may fade while it moves. Detaching gives the dialog its
// system-menu style, its region, its class's save-bits style and the
// system's frame back.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "fw/graphics/graphics.h"
#include "skin/controls/core/dialog_frame.h"
#include "skin/controls/dialog_effects.h"
#include "skin/controls/dialog_system_menu.h"
#include "skin/controls/window_adapter.h"
#include "skin/engine/animations.h"
#include "skin/forms/form_image.h"

namespace skin {

class TkcProvider;

// Set while a title button is pressed; cleared when another one turns hot,
// so that a release over another button does nothing (one flag for skinned
// forms and dialogs, kept by the form skinning).
extern bool TitleButtonPressed;

class TkcDialogWnd : public TkcMainWnd {
 public:
  TkcDialogWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, TkcProvider* AProvider = nullptr);
  ~TkcDialogWnd() override;
  void Subclass() override;
  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"DIALOG"; }

  // Reads the styles, the icon and the skin's title masks, and switches the
  // system menu off.
  void InitParams();
  void UpdateIconsIndexes();

  // The dialog as the title sees it, and its frame measurements now.
  TkcDialogState DialogState() const;
  TkFormFrameFacts FrameFacts() const;
  int CaptionHeight() const;
  int HeaderHeight() const;
  int OffsetX() const;
  int OffsetY() const;
  int TitleBtnsWidth() const;

  bool VisibleClose() const { return skin::VisibleClose(DialogState()); }
  bool VisibleMax() const { return skin::VisibleMax(DialogState()); }
  bool VisibleMin() const { return skin::VisibleMin(DialogState()); }
  bool VisibleHelp() const { return skin::VisibleHelp(DialogState()); }
  bool VisibleRestore() const { return skin::VisibleRestore(DialogState()); }
  bool EnabledClose() const { return skin::EnabledClose(DialogState()); }
  bool EnabledMax() const { return skin::EnabledMax(DialogState()); }
  bool EnabledMin() const { return skin::EnabledMin(DialogState()); }
  bool EnabledRestore() const { return skin::EnabledRestore(DialogState()); }
  bool FormActive() const { return FFormActive; }

  // Builds the image of the whole window when it changed.
  void PaintAll();
  // The frame strips onto a window DC (the client area untouched).
  void PaintCaption(HDC DC);
  // The client background around the child windows.
  void PaintClient(HDC DC);
  void UpdateWindowRegion(bool Redraw);

  // Title buttons by hit code (8, 9, 20, 21).
  void SetHotHT(int i, bool Repaint);
  void SetPressedHT(int i);
  // Ends the title buttons' fades.
  void KillAnimations();
  TkCaptionButton* ButtonOf(int HitCode);
  // Shows the window menu at a screen point (the seam tests replace).
  void DropSysMenu(int x, int y);
  std::function<void(int x, int y)> OnDropSysMenu;

  fw::TBitmap& Image() { return FImage; }
  const TkCaptionLayout& Layout() const { return FLayout; }
  const std::vector<fw::TRect>& ArOR() const { return FArOR; }
  HBRUSH DialogBrush() const { return FBrush; }

  // The dialog's transient states (0x80 while a blended move runs) live
  // with its blended-move host.
  uint32_t& FormState() { return MoveHost.FormState; }

  // Fades the dialog while the system's move loop drags it by its caption
  // (when the manager asks for it); false when it did not.
  bool BlendedMove();

  // Makes the extended border window (Active) or frees it; the image, the
  // region and the hit test follow.
  void InitBorderForm(bool Active);

  // The whole dialog with its child windows as the screen would show it,
  // the size of its image (key-coloured corners transparent).
  std::unique_ptr<fw::TBitmap> DialogPicture();
  // Where the image's top-left lies on the screen.
  fw::TPoint ImageTopLeft() const;
  // The snapshot over a closing dialog until its hide animation starts.
  std::unique_ptr<TkcAnimWindow> CoverForm;

  TkcProvider* Provider = nullptr;
  std::unique_ptr<TkcSystemMenu> SystemMenu;
  TkcDialogMoveHost MoveHost{*this};
  TkcDialogBorderOwner BorderOwner{*this};
  TkcDialogGlowOwner GlowOwner{*this};
  std::unique_ptr<TkcBorderForm> BorderForm;
  // The client rectangle after the last size change.
  fw::TRect LastClientRect;
  TkcBorderStyle BorderStyle = TkcBorderStyle::acbsSingle;
  uint32_t dwStyle = 0, dwExStyle = 0;
  int CurrentHT = 0;
  bool Initialized = false;
  bool RgnChanged = true;
  HICON TitleIcon = nullptr;
  int TitleIndex = -1;
  int DialogIndex = -1;
  int FCaptionSkinIndex = -1;
  bool FWMPaintForbidden = false;

 protected:
  void RestoreStdParams() override;

 private:
  void AfterCreation();
  TkcTitleButtonSizes ButtonSizes() const;
  void PaintCaptionText();
  void RepaintButton(int i);
  void InitChildren();
  void HandleHitTest(fw::TMessage& Message);
  void HandleNCLButtonDown(fw::TMessage& Message);
  void HandleButtonUp(fw::TMessage& Message);
  void HandleActivate();
  bool HandleDialogSkinCommand(fw::TMessage& Message);
  void SendCommand(WPARAM Command) { SendMessageW(CtrlHandle, WM_SYSCOMMAND, Command, 0); }
  // What the border window answers at a screen point.
  int BorderHitCode(LPARAM Screen);
  bool BorderShown() const { return BorderForm && BorderForm->AForm() && IsWindowVisible(BorderForm->AForm()); }
  void SizeWithBorder(fw::TMessage& Message);
  void ShowBorderWhenHidden();
  void HandleShowWindow(fw::TMessage& Message);
  void HandleHide(fw::TMessage& Message);
  void TakeClosingSnapshot();
  std::unique_ptr<fw::TBitmap> FClosingPicture;

  bool FFormActive = true;
  bool FSettingRegion = false;
  bool FSysMenuRemoved = false;
  bool FSaveBitsRemoved = false;
  bool FRegionSet = false;
  bool FTransitionsOff = false;
  fw::TBitmap FImage;
  mutable TkExtBorderFacts FExtFacts;
  TkFormImageInput FInput;
  TkCaptionLayout FLayout;
  std::vector<fw::TRect> FArOR;
  HBRUSH FBrush = nullptr;
  fw::TColor FBrushColor = 0;
};

// Skins a system dialog's frame (the provider gives its children their
// adapters).
TkcDialogWnd* AttachDialogAdapter(HWND Dialog, TkcSkinSource Skin, TkcProvider* Provider);

}  // namespace skin
