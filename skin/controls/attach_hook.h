// Skinning reaches the program's windows through one computer-based-training
// hook of the user-interface thread, installed by the skin manager while its
// skin is active: a form of the program gets a form skinning provider when
// it is activated, a system dialog ("#32770") of this process gets a
// provider that gives its child windows their adapters when it is created,
// owned or not (every dialog the program shows has an owner), and a
// popup-menu window gets its menu-window adapter.
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

// From this many visible skinned dialogs on, a further dialog is skinned
// only when it holds a tool bar (a file dialog).
constexpr int MaxSkinnedDialogs = 2;

// Forms of these classes are never skinned.
bool IsExcludedFormClass(const fw::String& ClassName);

// The skinning of one window: a form's provider, or a dialog and the
// adapters of its child windows.
class TkcProvider {
 public:
  ~TkcProvider();
  // Skins a system dialog: its dialog adapter, then every child window,
  // depth first, gets the adapter its class calls for (the choice is kept
  // for each, also where no adapter applies). False when a child could not
  // be skinned.
  bool InitSkin(HWND Dialog);
  bool InitHwndControls(HWND Parent);
  // Making: the window is being made with these parameters (its frame
  // comes with it; it sits where it is made). The adapter records where
  // the child sits. A framework panel's labels
  // take the skin's label colour, its windowed controls are added too, and
  // it takes the skin's main colour.
  bool AddControl(HWND Child, const CREATESTRUCTW* Making = nullptr);
  // Prints every visible child window of Parent, at any depth, into DC at
  // its place (the origins of hidden parents count too). Always false.
  static bool PrintHwndControls(HWND Parent, HDC DC);

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

 private:
  void AddPanelControls(fw::TWinControl& Panel);
};

// Gives the engine's window-creation hook its work, the release of dialog
// providers and menu-window adapters, the list adapter factory, and scroll
// bars the default skin manager's skin. The program calls it once; the skin
// manager then installs and removes the hook with its skin.
void LinkControlSkinning();
// The default manager's skin while it is active, else none.
TkLoadedSkin* ManagerSkin();
// Installs the hook for the calling thread with a skin and rules of its own
// instead of the manager's; removing it frees every provider and adapter
// and unlinks.
void InstallSkinHook(TkcSkinSource Skin, TkSkinningRules Rules = TkSkinningRules{srStdForms, srStdDialogs});
void RemoveSkinHook();
bool SkinHookInstalled();

// Decides on one top-level window; true when it is (or is being) skinned,
// or was left alone on purpose (a form still loading, a dialog the program
// refused in the manager's OnSysDlgInit).
bool AttachSkinToWindow(HWND Handle);
TkcProvider* FindProviderByHandle(HWND Handle);
// The form of the program whose window it is (an MDI frame's child too).
fw::TCustomForm* FindFormByHandle(HWND Handle);
// Skinned dialogs on the screen.
int CountVisibleSkinnedDialogs();
// A descendant of Handle has the window class Name (lower case).
bool HasChildWindowOfClass(HWND Handle, const fw::String& Name);
// Frees the providers of dialogs that are gone.
void FreeClosedDialogProviders();
// The popup-menu window adapters the hook made; freed all at once.
const std::vector<std::unique_ptr<TkcMainWnd>>& MenuWindowAdapters();
void FreeMenuWindowAdapters();

}  // namespace skin
