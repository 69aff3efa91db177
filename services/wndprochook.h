// One process-wide registry of hooks on the messages of controls (and bare
// windows) that the hooking component does not own: per hooked window one
// chain replaces the window procedure once and runs two ordered lists of
// hooks, before and after the window's own procedure. Hooks may be added or
// removed, and the window destroyed, while a message is being dispatched.
// TCkWindowHook puts the registry behind two events; TCkReleaser frees
// objects later, from the message loop.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "fw/controls/controls.h"
#include "fw/controls/wndprochook.h"

namespace services {

// True: the message is handled and nothing further runs for it.
using TCkControlHook = fw::TEvent<bool(fw::TMessage& Msg)>;
FW_ENUM(TCkHookOrder, hoBeforeMsg, hoAfterMsg)

class TCkWndProcHook;

// The chain of one hooked window.
class TCkHookInfos : public fw::TObject {
  FW_CLASS(TCkHookInfos, fw::TObject)
  explicit TCkHookInfos(fw::TControl* AControl);
  explicit TCkHookInfos(HWND AHandle);
  ~TCkHookInfos() override;

  fw::TControl* Control() const { return FControl; }
  HWND Handle() const { return FHandle; }
  TCkWndProcHook* Controller() const { return FController; }
  void SetController(TCkWndProcHook* Value);

  void Add(TCkHookOrder Order, const TCkControlHook& Hook);
  void Delete(TCkHookOrder Order, const TCkControlHook& Hook);
  // The window is gone: nothing more is forwarded, the registry forgets the
  // chain and it is freed from the message loop.
  void ControlDestroyed();
  bool Hooked() const { return FHooked; }
  void HookWndProc(fw::TMessage& Msg);

 private:
  struct TNode {
    TCkControlHook Hook;
    TNode* Next = nullptr;
  };
  void AttachWindowProc();
  void DetachWindowProc();
  void RunList(TCkHookOrder Order, size_t level, bool& handled);

  TNode* FFirst[2] = {nullptr, nullptr};
  TNode* FLast[2] = {nullptr, nullptr};
  // Per dispatch level the next before- and after-hook to run.
  std::vector<std::array<TNode*, 2>> FStack;
  size_t FStackCount = 0;
  HWND FHandle = nullptr;
  fw::TControl* FControl = nullptr;
  bool FControlDestroyed = false;
  std::unique_ptr<fw::TWindowProcHook> FControlLink;
  WNDPROC FOldWndProcHandle = nullptr;
  bool FHooked = false;
  TCkWndProcHook* FController = nullptr;
  fw::TMessage* msg_ = nullptr;  // the message the innermost level runs
};

class TCkWndProcHook : public fw::TComponent {
  FW_CLASS(TCkWndProcHook, fw::TComponent)
  explicit TCkWndProcHook(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}
  ~TCkWndProcHook() override;

  // Refused (false) for a null or dying control or a hook without code.
  bool RegisterWndProc(fw::TControl* AControl, const TCkControlHook& Hook, TCkHookOrder Order);
  bool RegisterWndProc(HWND AHandle, const TCkControlHook& Hook, TCkHookOrder Order);
  bool UnRegisterWndProc(fw::TControl* AControl, const TCkControlHook& Hook, TCkHookOrder Order);
  bool UnRegisterWndProc(HWND AHandle, const TCkControlHook& Hook, TCkHookOrder Order);
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

  TCkHookInfos* FindChain(fw::TControl* AControl) const;
  TCkHookInfos* FindChain(HWND AHandle) const;

 private:
  friend class TCkHookInfos;
  std::vector<TCkHookInfos*> FHookInfos;
};

TCkWndProcHook* WndProcHookRegistry();
bool AddWindowProcHook(fw::TControl* AControl, const TCkControlHook& Hook, TCkHookOrder Order);
bool RemoveWindowProcHook(fw::TControl* AControl, const TCkControlHook& Hook, TCkHookOrder Order);

// Frees objects later, from the message loop (CM_RELEASE to its window).
class TCkReleaser {
 public:
  static TCkReleaser& Instance();
  void Release(fw::TObject* AObject);
  bool Waiting(fw::TObject* AObject) const;
  ~TCkReleaser();

 private:
  void WndProc(fw::TMessage& Msg);
  HWND FHandle = nullptr;
  std::vector<fw::TObject*> FReleasing;
};

constexpr UINT CM_RELEASE = fw::CM_BASE + 33;

using TCkHookMessageEvent = fw::TEvent<void(fw::TObject* Sender, fw::TMessage& Msg, bool& Handled)>;

// A component with two message events of another control (its form, by
// default through "IsForm"), registered in the hook registry while active.
class TCkWindowHook : public fw::TComponent {
  FW_CLASS(TCkWindowHook, fw::TComponent)
  explicit TCkWindowHook(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}
  ~TCkWindowHook() override;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  fw::TControl* Control() const { return FControl; }
  void SetControl(fw::TControl* Value);
  const TCkHookMessageEvent& BeforeMessage() const { return FBeforeMessage; }
  void SetBeforeMessage(const TCkHookMessageEvent& Value);
  const TCkHookMessageEvent& AfterMessage() const { return FAfterMessage; }
  void SetAfterMessage(const TCkHookMessageEvent& Value);
  void HookControl() { SetActive(true); }
  void UnHookControl() { SetActive(false); }
  // Hooked to its own form: streamed instead of a Control reference.
  bool IsForm() const;
  void SetIsForm(bool Value);
  // A control other than the own form is streamed by reference.
  bool ControlStored() const { return FControl && !IsForm(); }

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 protected:
  virtual bool FireAfterMessage(fw::TMessage& Msg);
  virtual bool FireBeforeMessage(fw::TMessage& Msg);

 private:
  bool Designing() const { return ComponentState().Contains(fw::csDesigning); }
  TCkControlHook BeforeHook() { return TCkControlHook(this, &TCkWindowHook::FireBeforeMessage); }
  TCkControlHook AfterHook() { return TCkControlHook(this, &TCkWindowHook::FireAfterMessage); }

  bool FActive = true;
  fw::TControl* FControl = nullptr;
  TCkHookMessageEvent FBeforeMessage, FAfterMessage;
};

}  // namespace services
