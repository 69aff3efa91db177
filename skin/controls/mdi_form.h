// The MDI support of a skinned MDI main form: the adapter of its client
// window (the window its MDI children live in), so that the client area and
// its scroll bars are drawn from the skin, and the window commands for the
// active MDI child. The form's provider makes one, connects it to the
// client when the form is prepared and after skin changes, and has the
// frame repainted when a child is activated, maximised or restored.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "fw/controls/forms.h"
#include "fw/menus/menus.h"
#include "skin/controls/mdi_wnd.h"
#include "skin/forms/provider_mdi.h"

namespace skin {

class TkSkinProvider;

class TkMDIForm : public TkMDIFormLink {
 public:
  // ClientHandle: the form's MDI client window; Skin: the provider's skin.
  TkMDIForm(fw::TCustomForm* Form, TkSkinProvider* Provider, HWND ClientHandle, TkcSkinSource Skin);
  ~TkMDIForm() override;
  TkMDIForm(const TkMDIForm&) = delete;
  TkMDIForm& operator=(const TkMDIForm&) = delete;

  fw::TCustomForm* FForm;
  TkSkinProvider* SkinProvider;
  HWND ClientHandle;
  // The client window's adapter; null while there is none.
  TkcMDIWnd* ListSW() const { return FListSW; }
  // Draws the frame's menu line again (the maximised child's icon and
  // buttons live there); set by the provider.
  std::function<void()> RepaintMenu;

  // Makes the adapter when there is none.
  void ConnectToClient() override;
  // Makes the adapter anew; none while the skin is off.
  void RefreshMDIScrolls() override;
  void DestroyScrolls();
  void UpdateMDIIconItem() override;
  // Every MDI child that is not skinned yet is attached.
  void AttachChildren() override;
  // The frame has no item of its own for the child's icon.
  fw::TMenuItem* MakeChildIconItem() { return nullptr; }
  // Window commands to the active child; nothing without one.
  void CloseClick(fw::TObject* Sender);
  void MinClick(fw::TObject* Sender);
  void RestoreClick(fw::TObject* Sender);
  HWND ActiveChild() const;

 private:
  void SendToActiveChild(WPARAM Command);
  TkcSkinSource FSkin;
  TkcMDIWnd* FListSW = nullptr;
};

// Lets skinned MDI frames make their MDI support (the skin is the
// provider's while it is skinned; the menu line is its menu line).
void LinkMDISupport();

// The frame, its menu line and its client drawn again after a child
// changed (Full: at once, and the border window too through UpdateBorder).
void RepaintMDIMainFrame(TkMDIForm* MDI, HWND FrameWnd, bool Full, const std::function<void()>& UpdateBorder = {});

}  // namespace skin
