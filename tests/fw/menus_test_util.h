// Helpers of the menu tests: a form class whose published handlers log what
// the menus call, a form read from a description and shown, what the window
// menu says about an entry, and a timer that acts while a menu is tracked.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "controls_test_util.h"
#include "fw/core/form_loader.h"
#include "fw/menus/menus.h"

namespace fwtest {

// One owner-draw call as a handler saw it.
struct DrawCall {
  std::string item;
  fw::TRect rect;
  fw::TOwnerDrawState state;
};

class TMenuTestForm : public fw::TForm {
  FW_CLASS(TMenuTestForm, fw::TForm)
  explicit TMenuTestForm(fw::TComponent* AOwner) : fw::TForm(AOwner) {}

  Log clicks;
  std::vector<std::string> measured;
  std::vector<DrawCall> drawn;
  int popups = 0;
  bool actionEnabled = true;
  int actionRuns = 0;
  // What the measure handler answers.
  int itemWidth = 120, itemHeight = 30;

  void ItemClick(fw::TObject* Sender);
  void ItemMeasure(fw::TObject* Sender, fw::TCanvas* ACanvas, int& Width, int& Height);
  void ItemDraw(fw::TObject* Sender, fw::TCanvas* ACanvas, const fw::TRect& ARect, fw::TOwnerDrawState State);
  void MenuPopup(fw::TObject* Sender);
  void ActionExecute(fw::TObject* Sender);
  void ActionUpdate(fw::TObject* Sender);
};

// A form of class TMenuTestForm read from a description and shown; freed at
// the end.
struct MenuForm {
  TMenuTestForm* form;
  explicit MenuForm(const char16_t* description, bool show = true);
  ~MenuForm() { form->Free(); }
  TMenuTestForm* operator->() const { return form; }
  template <class C>
  C* Find(const char16_t* name) const {
    auto* c = dynamic_cast<C*>(form->FindComponent(name));
    if (!c) throw std::runtime_error("component missing: " + fw::StringToUtf8(name));
    return c;
  }
  fw::TMenuItem* Item(const char16_t* name) const { return Find<fw::TMenuItem>(name); }
};

// What the window menu holds at one position.
struct MenuEntry {
  std::string text;
  UINT type = 0;
  UINT state = 0;
  UINT id = 0;
  HMENU subMenu = nullptr;
  ULONG_PTR data = 0;
};
MenuEntry EntryAt(HMENU menu, int pos);
// The texts of every entry of a window menu ("-" for a separator).
std::vector<std::string> EntryTexts(HMENU menu);

// Runs tick every few milliseconds while a menu is tracked (the menu's own
// loop dispatches the timer) until it returns true; stops after about
// three seconds and then ends the menu, so a test never hangs.
class MenuDriver {
 public:
  explicit MenuDriver(std::function<bool(HWND menuWindow)> tick);
  ~MenuDriver();
  int ticks = 0;
  bool timedOut = false;

 private:
  static void CALLBACK Proc(HWND, UINT, UINT_PTR, DWORD);
  std::function<bool(HWND)> tick_;
  UINT_PTR timer_;
};

// The visible popup-menu window of this thread, or null.
HWND VisibleMenuWindow();

// Holds the given keys down in this thread's keyboard state (so that the
// shift state of a key message sees them) until it goes.
struct HeldKeys {
  BYTE saved[256];
  explicit HeldKeys(std::initializer_list<int> keys) : HeldKeys(std::vector<int>(keys)) {}
  explicit HeldKeys(const std::vector<int>& keys);
  ~HeldKeys();
};

}  // namespace fwtest
