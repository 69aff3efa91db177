// Skinning reaches the program's windows through one computer-based-training
// hook of the user-interface thread, installed while a skin is active: a
// form of the program gets a form skinning provider when it is activated, a
// system dialog ("#32770") of this process gets a provider that gives its
// child windows their adapters when it is created, owned or not (every
// dialog the program shows has an owner).
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "fw/controls/forms.h"
#include "skin/controls/core/dialog_children.h"
#include "skin/controls/window_adapter.h"
#include "skin/engine/manager_options.h"

namespace skin {

class TkSkinProvider;

// Which windows the hook skins: the skin manager's rules.
using TkSkinningRule = TkcSkinningRule;
using TkSkinningRules = TkcSkinningRules;

// The skinning of one window: a form's provider, or a dialog and the
// adapters of its child windows.
class TkcProvider {
 public:
  ~TkcProvider();
  // Skins a system dialog: every child window, depth first, gets the adapter
  // its class calls for (those built so far are attached; the choice is kept
  // for each).
  bool InitSkin(HWND Dialog);
  // Repaint false: the window is being made (its frame comes with it).
  bool AddControl(HWND Child, bool Repaint = true);

  HWND CtrlHandle = nullptr;        // the dialog (none for a form)
  HWND FormHandle = nullptr;        // the form's window
  TkSkinProvider* sp = nullptr;     // the form's provider (owned by the form)
  struct Child {
    HWND Wnd = nullptr;
    TkcChildAdapter Choice;
    TkcMainWnd* Adapter = nullptr;  // owned
  };
  std::vector<Child> kcSkinnedCtrls;
  TkcMainWnd* DialogAdapter = nullptr;  // the dialog's own frame (owned)
};

// Installs the hook for the calling thread with the skin to use (and the
// rules); removing it frees every provider.
void InstallSkinHook(TkcSkinSource Skin, TkSkinningRules Rules = TkSkinningRules{srStdForms, srStdDialogs});
void RemoveSkinHook();
bool SkinHookInstalled();

// Decides on one top-level window; true when it is (or is being) skinned.
bool AttachSkinToWindow(HWND Handle);
TkcProvider* FindProviderByHandle(HWND Handle);
fw::TCustomForm* FindFormByHandle(HWND Handle);
// Frees the providers of dialogs that are gone.
void FreeClosedDialogProviders();

}  // namespace skin
