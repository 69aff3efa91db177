// The control adapter of a skinned form: decides which of the form's
// controls get a window adapter of the control skinning (by the exact class
// name in the skin manager's 22 class lists), which labels take the skin's
// font colour and which child forms get a provider of their own, and keeps
// the adapters it made.
#pragma once

#include <memory>
#include <vector>

#include "fw/controls/controls.h"
#include "skin/engine/common_data.h"
#include "skin/engine/skin_params.h"
#include "skin/engine/skinning_links.h"

namespace fw {
class TSpeedButton;
}

namespace skin {

class TkSkinProvider;
class TkcCtrlAdapter;

// One adapted windowed control and its window adapter (owned).
struct TkcAdapterItem {
  TkcAdapterItem(TkcCtrlAdapter* AAdapter, fw::TWinControl* ACtrl) : Adapter(AAdapter), WinCtrl(ACtrl) {}
  // Makes the window adapter of the list naming the control's class.
  void DoHook(fw::TWinControl* Control, TkcSkinParams SkinParams);
  bool Alive() const { return ScrollWnd && !ScrollWnd->IsDestroyed(); }

  int COC = 0;
  TkcCtrlAdapter* Adapter;
  fw::TWinControl* WinCtrl;
  std::unique_ptr<TkAdapterLink> ScrollWnd;
};

// One adapted speed button, with skin data of its own and its painter.
struct TkcGraphItem {
  explicit TkcGraphItem(TkcCtrlAdapter* AAdapter);
  void DoHook(fw::TControl* Control);
  bool Alive() const { return Handler && !Handler->IsDestroyed(); }

  fw::TControl* Ctrl = nullptr;
  std::unique_ptr<TkCommonData> SkinData;
  TkcCtrlAdapter* Adapter;
  std::unique_ptr<TkAdapterLink> Handler;
};

class TkcCtrlAdapter {
 public:
  explicit TkcCtrlAdapter(TkSkinProvider* AProvider);
  ~TkcCtrlAdapter();
  TkcCtrlAdapter(const TkcCtrlAdapter&) = delete;
  TkcCtrlAdapter& operator=(const TkcCtrlAdapter&) = delete;

  // Walks the control's components and child controls (null: the form),
  // adapting what qualifies; nothing without srThirdParty.
  void AddAllItems(fw::TWinControl* OwnerCtrl);
  void AddNewItem(fw::TWinControl* Ctrl);
  void AddNewItem(fw::TWinControl* Ctrl, const fw::String& SkinSection);
  void AddNewItem(fw::TSpeedButton* Ctrl);
  bool IsControlSupported(fw::TComponent* Control);

  int Count() const { return int(Items.size()); }
  TkcAdapterItem* GetItem(int Index) const;
  int IndexOf(fw::TWinControl* Ctrl) const;
  void RemoveItem(int Index);
  // Drops the entries whose adapter is missing or gone (order kept).
  void CleanItems();
  void RemoveAllItems();
  // Sends the message to every adapted control (the answers are dropped).
  void WndProc(fw::TMessage& Message);

  // The list of the skin manager naming the class exactly, -1 for none.
  int ListIndexOf(const fw::String& ClassName) const;

  fw::String DefaultSection;
  std::vector<std::unique_ptr<TkcAdapterItem>> Items;
  std::vector<std::unique_ptr<TkcGraphItem>> GraphItems;
  TkSkinProvider* Provider;

 private:
  // The item events of the provider; the record's UseSkinFontColor after
  // both.
  bool EventCheck(fw::TComponent* Control);
};

}  // namespace skin
