#include "services/wndprochook.h"

#include <algorithm>
#include <map>

#include "fw/controls/forms.h"
#include "fw/core/rtti.h"
#include "fw/system/application.h"
#include "fw/system/wndregistry.h"

namespace services {

namespace {

// The chains of bare windows by handle, for the one window procedure they
// all share; and the previous procedures of windows whose chain could not
// be taken out because someone subclassed them over it.
std::map<HWND, TCkHookInfos*>& BareChains() {
  static auto* chains = new std::map<HWND, TCkHookInfos*>();
  return *chains;
}
std::map<HWND, WNDPROC>& PassThroughs() {
  static auto* procs = new std::map<HWND, WNDPROC>();
  return *procs;
}

LRESULT CALLBACK BareWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto chain = BareChains().find(wnd);
  if (chain != BareChains().end()) {
    fw::TMessage m;
    m.Msg = msg, m.WParam = wParam, m.LParam = lParam;
    chain->second->HookWndProc(m);
    return m.Result;
  }
  auto pass = PassThroughs().find(wnd);
  if (pass == PassThroughs().end()) return DefWindowProcW(wnd, msg, wParam, lParam);
  WNDPROC previous = pass->second;
  if (msg == WM_NCDESTROY) PassThroughs().erase(pass);
  return CallWindowProcW(previous, wnd, msg, wParam, lParam);
}

bool HasCode(const TCkControlHook& hook) { return !(hook == nullptr); }

}  // namespace

// ---- Chain -------------------------------------------------------------------

TCkHookInfos::TCkHookInfos(fw::TControl* AControl) : FControl(AControl) {}
TCkHookInfos::TCkHookInfos(HWND AHandle) : FHandle(AHandle) {}

TCkHookInfos::~TCkHookInfos() {
  SetController(nullptr);
  DetachWindowProc();
  for (int order = 0; order < 2; ++order)
    for (TNode* n = FFirst[order]; n;) {
      TNode* next = n->Next;
      delete n;
      n = next;
    }
}

void TCkHookInfos::SetController(TCkWndProcHook* Value) {
  if (FController == Value) return;
  if (FController) {
    auto& list = FController->FHookInfos;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  FController = Value;
  if (Value && std::find(Value->FHookInfos.begin(), Value->FHookInfos.end(), this) == Value->FHookInfos.end())
    Value->FHookInfos.push_back(this);
}

void TCkHookInfos::AttachWindowProc() {
  if (FHooked || FControlDestroyed) return;
  if (FControl) {
    FControlLink = std::make_unique<fw::TWindowProcHook>(FControl, fw::TWndMethod(this, &TCkHookInfos::HookWndProc));
  } else {
    BareChains()[FHandle] = this;
    auto pass = PassThroughs().find(FHandle);
    if (pass != PassThroughs().end()) {
      // Our procedure is still in the window's chain below someone else's:
      // it serves this chain again.
      FOldWndProcHandle = pass->second;
      PassThroughs().erase(pass);
    } else {
      FOldWndProcHandle = fw::ReplaceWindowProc(FHandle, BareWindowProc);
    }
  }
  FHooked = true;
}

void TCkHookInfos::DetachWindowProc() {
  if (!FHooked || FControlDestroyed) return;
  if (FControl) {
    // The framework's link gives the procedure back, or stays as a
    // pass-through when another procedure was put over it.
    FControlLink.reset();
  } else {
    BareChains().erase(FHandle);
    if (!fw::RestoreWindowProc(FHandle, BareWindowProc, FOldWndProcHandle)) PassThroughs()[FHandle] = FOldWndProcHandle;
    FOldWndProcHandle = nullptr;
  }
  FHooked = false;
}

void TCkHookInfos::Add(TCkHookOrder Order, const TCkControlHook& Hook) {
  auto* node = new TNode{Hook, nullptr};
  if (FLast[Order]) FLast[Order]->Next = node;
  else FFirst[Order] = node;
  FLast[Order] = node;
  // A level that has run to the end of this list still runs the new hook.
  for (size_t level = 0; level < FStackCount; ++level)
    if (!FStack[level][Order]) FStack[level][Order] = node;
  AttachWindowProc();
}

void TCkHookInfos::Delete(TCkHookOrder Order, const TCkControlHook& Hook) {
  TNode* prev = nullptr;
  TNode* n = FFirst[Order];
  while (n && !(n->Hook == Hook)) prev = n, n = n->Next;
  if (n) {
    if (prev) prev->Next = n->Next;
    else FFirst[Order] = n->Next;
    if (FLast[Order] == n) FLast[Order] = prev;
    for (size_t level = 0; level < FStackCount; ++level)
      if (FStack[level][Order] == n) FStack[level][Order] = n->Next;
    delete n;
  }
  if (!FFirst[hoBeforeMsg] && !FFirst[hoAfterMsg]) DetachWindowProc();
}

void TCkHookInfos::ControlDestroyed() {
  if (FControlDestroyed) return;
  if (FHooked && !FControl) BareChains().erase(FHandle);
  if (FControlLink) {
    // The control takes the link with it; nothing may reach it any more.
    (void)FControlLink.release();
  }
  FControlDestroyed = true;
  FOldWndProcHandle = nullptr;
  SetController(nullptr);
  TCkReleaser::Instance().Release(this);
}

void TCkHookInfos::RunList(TCkHookOrder Order, size_t level, bool& handled) {
  FStack[level][Order] = FFirst[Order];
  while (FStack[level][Order]) {
    TNode* node = FStack[level][Order];
    FStack[level][Order] = node->Next;
    TCkControlHook hook = node->Hook;  // the node may go while the hook runs
    if (hook(*msg_) || FControlDestroyed) {
      handled = true;
      return;
    }
  }
}

void TCkHookInfos::HookWndProc(fw::TMessage& Msg) {
  Msg.Result = 0;
  if (FStackCount == FStack.size()) FStack.resize((FStack.size() + 1) * 2);
  const size_t level = FStackCount++;
  FStack[level] = {nullptr, nullptr};
  const UINT message = Msg.Msg;
  fw::TMessage* saved = msg_;
  msg_ = &Msg;
  struct TLeave {
    TCkHookInfos* self;
    fw::TMessage* saved;
    UINT message;
    ~TLeave() {
      self->msg_ = saved;
      if (self->FStackCount > 0) --self->FStackCount;
      if (!self->FControl && message == WM_DESTROY) self->ControlDestroyed();
    }
  } leave{this, saved, message};
  bool stop = false;
  RunList(hoBeforeMsg, level, stop);
  if (stop) return;
  if (FControl) {
    if (FControlLink) FControlLink->CallPrevious(Msg);
  } else if (FOldWndProcHandle) {
    Msg.Result = CallWindowProcW(FOldWndProcHandle, FHandle, Msg.Msg, Msg.WParam, Msg.LParam);
  }
  if (FControlDestroyed) return;
  RunList(hoAfterMsg, level, stop);
}

// ---- Registry -------------------------------------------------------------------

TCkWndProcHook::~TCkWndProcHook() {
  while (!FHookInfos.empty()) delete FHookInfos.back();
}

TCkHookInfos* TCkWndProcHook::FindChain(fw::TControl* AControl) const {
  for (TCkHookInfos* c : FHookInfos)
    if (c->Control() == AControl) return c;
  return nullptr;
}

TCkHookInfos* TCkWndProcHook::FindChain(HWND AHandle) const {
  for (TCkHookInfos* c : FHookInfos)
    if (!c->Control() && c->Handle() == AHandle) return c;
  return nullptr;
}

bool TCkWndProcHook::RegisterWndProc(fw::TControl* AControl, const TCkControlHook& Hook, TCkHookOrder Order) {
  if (!AControl || AControl->ComponentState().Contains(fw::csDestroying) || !HasCode(Hook)) return false;
  TCkHookInfos* chain = FindChain(AControl);
  if (!chain) {
    chain = new TCkHookInfos(AControl);
    chain->SetController(this);
    AControl->FreeNotification(this);
  }
  chain->Add(Order, Hook);
  return true;
}

bool TCkWndProcHook::RegisterWndProc(HWND AHandle, const TCkControlHook& Hook, TCkHookOrder Order) {
  if (!HasCode(Hook)) return false;
  TCkHookInfos* chain = FindChain(AHandle);
  if (!chain) {
    chain = new TCkHookInfos(AHandle);
    chain->SetController(this);
  }
  chain->Add(Order, Hook);
  return true;
}

bool TCkWndProcHook::UnRegisterWndProc(fw::TControl* AControl, const TCkControlHook& Hook, TCkHookOrder Order) {
  if (!AControl || !HasCode(Hook)) return false;
  TCkHookInfos* chain = FindChain(AControl);
  if (!chain) return false;
  // A control on its way out takes its procedures with it.
  if (AControl->ComponentState().Contains(fw::csDestroying)) chain->ControlDestroyed();
  else chain->Delete(Order, Hook);
  return true;
}

bool TCkWndProcHook::UnRegisterWndProc(HWND AHandle, const TCkControlHook& Hook, TCkHookOrder Order) {
  if (!HasCode(Hook)) return false;
  TCkHookInfos* chain = FindChain(AHandle);
  if (!chain) return false;
  chain->Delete(Order, Hook);
  return true;
}

void TCkWndProcHook::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TComponent::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  // Compared as components: the control is past its own destructor here.
  for (TCkHookInfos* chain : FHookInfos)
    if (chain->Control() && static_cast<fw::TComponent*>(chain->Control()) == AComponent) {
      chain->ControlDestroyed();
      return;
    }
}

TCkWndProcHook* WndProcHookRegistry() {
  static TCkWndProcHook* registry = new TCkWndProcHook(nullptr);
  return registry;
}

bool AddWindowProcHook(fw::TControl* AControl, const TCkControlHook& Hook, TCkHookOrder Order) {
  return WndProcHookRegistry()->RegisterWndProc(AControl, Hook, Order);
}

bool RemoveWindowProcHook(fw::TControl* AControl, const TCkControlHook& Hook, TCkHookOrder Order) {
  return WndProcHookRegistry()->UnRegisterWndProc(AControl, Hook, Order);
}

// ---- Releaser ---------------------------------------------------------------------

TCkReleaser& TCkReleaser::Instance() {
  static auto* releaser = new TCkReleaser();
  return *releaser;
}

TCkReleaser::~TCkReleaser() {
  for (fw::TObject* o : FReleasing) delete o;
  if (FHandle) fw::DeallocateHWnd(FHandle);
}

bool TCkReleaser::Waiting(fw::TObject* AObject) const {
  return std::find(FReleasing.begin(), FReleasing.end(), AObject) != FReleasing.end();
}

void TCkReleaser::Release(fw::TObject* AObject) {
  if (!AObject || Waiting(AObject)) return;
  FReleasing.push_back(AObject);
  if (!FHandle) FHandle = fw::AllocateHWnd(fw::TWndMethod(this, &TCkReleaser::WndProc));
  PostMessageW(FHandle, CM_RELEASE, reinterpret_cast<WPARAM>(AObject), 0);
}

void TCkReleaser::WndProc(fw::TMessage& Msg) {
  try {
    if (Msg.Msg != CM_RELEASE) {
      fw::DefaultUtilityHandler(FHandle, Msg);
      return;
    }
    auto* object = reinterpret_cast<fw::TObject*>(Msg.WParam);
    auto it = std::find(FReleasing.begin(), FReleasing.end(), object);
    if (it == FReleasing.end()) return;
    FReleasing.erase(it);
    delete object;
  } catch (...) {
    if (fw::Application) fw::Application->HandleException(nullptr);
  }
}

// ---- Window hook component -----------------------------------------------------------

TCkWindowHook::~TCkWindowHook() {
  SetActive(false);
  SetControl(nullptr);
}

bool TCkWindowHook::FireAfterMessage(fw::TMessage& Msg) {
  bool handled = false;
  FAfterMessage(this, Msg, handled);
  return handled;
}

bool TCkWindowHook::FireBeforeMessage(fw::TMessage& Msg) {
  bool handled = false;
  FBeforeMessage(this, Msg, handled);
  return handled;
}

void TCkWindowHook::SetActive(bool Value) {
  if (FActive == Value) return;
  if (!Designing()) {
    if (Value) {
      if (FAfterMessage.Assigned()) AddWindowProcHook(FControl, AfterHook(), hoAfterMsg);
      if (FBeforeMessage.Assigned()) AddWindowProcHook(FControl, BeforeHook(), hoBeforeMsg);
    } else {
      if (FAfterMessage.Assigned()) RemoveWindowProcHook(FControl, AfterHook(), hoAfterMsg);
      if (FBeforeMessage.Assigned()) RemoveWindowProcHook(FControl, BeforeHook(), hoBeforeMsg);
    }
  }
  FActive = Value;
}

namespace {

// Registers or unregisters one event's hook as the event becomes assigned or
// unassigned while the component is active.
void FollowEvent(bool active, bool designing, bool was, bool now, fw::TControl* control, const TCkControlHook& hook,
                 TCkHookOrder order) {
  if (!active || designing || was == now) return;
  if (now) AddWindowProcHook(control, hook, order);
  else RemoveWindowProcHook(control, hook, order);
}

}  // namespace

void TCkWindowHook::SetBeforeMessage(const TCkHookMessageEvent& Value) {
  FollowEvent(FActive, Designing(), FBeforeMessage.Assigned(), Value.Assigned(), FControl, BeforeHook(), hoBeforeMsg);
  FBeforeMessage = Value;
}

void TCkWindowHook::SetAfterMessage(const TCkHookMessageEvent& Value) {
  FollowEvent(FActive, Designing(), FAfterMessage.Assigned(), Value.Assigned(), FControl, AfterHook(), hoAfterMsg);
  FAfterMessage = Value;
}

void TCkWindowHook::SetControl(fw::TControl* Value) {
  if (FControl == Value) return;
  const bool active = FActive;
  SetActive(false);
  if (FControl) FControl->RemoveFreeNotification(this);
  if (Value && Value->ComponentState().Contains(fw::csDestroying)) {
    FControl = nullptr;
    return;
  }
  FControl = Value;
  if (Value) Value->FreeNotification(this);
  SetActive(active);
}

bool TCkWindowHook::IsForm() const {
  return FControl && FControl == Owner() && dynamic_cast<fw::TCustomForm*>(FControl);
}

void TCkWindowHook::SetIsForm(bool Value) {
  if (Value)
    if (auto* form = dynamic_cast<fw::TCustomForm*>(Owner())) SetControl(form);
}

void TCkWindowHook::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TComponent::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && (AComponent == FControl || AComponent == Owner() || !AComponent->Owner()))
    SetControl(nullptr);
}

FW_REGISTER(TCkHookInfos) {}
FW_REGISTER(TCkWndProcHook) {}

FW_REGISTER(TCkWindowHook) {
  c.Property(u"Active", &TCkWindowHook::Active, &TCkWindowHook::SetActive).Default(true);
  c.Property(u"Control", &TCkWindowHook::Control, &TCkWindowHook::SetControl).Stored(&TCkWindowHook::ControlStored);
  c.Property(u"IsForm", &TCkWindowHook::IsForm, &TCkWindowHook::SetIsForm).Default(false);
  c.Property(u"BeforeMessage", &TCkWindowHook::BeforeMessage, &TCkWindowHook::SetBeforeMessage);
  c.Property(u"AfterMessage", &TCkWindowHook::AfterMessage, &TCkWindowHook::SetAfterMessage);
}

}  // namespace services
