#include "fw/system/wndregistry.h"

#include "fw/system/named_utility_window.h"

#include <mutex>
#include <set>
#include <shared_mutex>
#include <string>
#include <unordered_map>

namespace fw {

namespace {

struct Entry {
  TWinControl* control = nullptr;
  TWndMethod method;
};

// Windows of other threads (a worker's utility window) register here too,
// hence the lock; lookups far outnumber changes.
std::shared_mutex& RegistryLock() {
  static std::shared_mutex lock;
  return lock;
}

std::unordered_map<HWND, Entry>& Registry() {
  static auto* map = new std::unordered_map<HWND, Entry>();
  return *map;
}

const wchar_t kUtilityClass[] = L"TPUtilWindow";

LRESULT CALLBACK UtilityWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWndMethod method;
  {
    std::shared_lock lock(RegistryLock());
    auto it = Registry().find(wnd);
    if (it != Registry().end()) method = it->second.method;
  }
  if (!method) return DefWindowProcW(wnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  method(m);
  return m.Result;
}

// Registers a class of utility windows once per process. A class of that
// name registered with another procedure (by code that knew nothing of the
// registry) is replaced.
void RegisterUtilityClass(const wchar_t* className) {
  static std::mutex lock;
  static std::set<std::wstring> registered;
  std::lock_guard guard(lock);
  if (registered.count(className)) return;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, className, &existing)) {
    if (existing.lpfnWndProc == UtilityWndProc) {
      registered.insert(className);
      return;
    }
    UnregisterClassW(className, instance);
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = UtilityWndProc;
  wc.hInstance = instance;
  wc.lpszClassName = className;
  if (RegisterClassExW(&wc)) registered.insert(className);
}

}  // namespace

void RegisterControlWindow(HWND wnd, TWinControl* control) {
  std::unique_lock lock(RegistryLock());
  Registry()[wnd].control = control;
}

void UnregisterControlWindow(HWND wnd) {
  std::unique_lock lock(RegistryLock());
  auto it = Registry().find(wnd);
  if (it != Registry().end() && !it->second.method) Registry().erase(it);
  else if (it != Registry().end()) it->second.control = nullptr;
}

TWinControl* FindControl(HWND wnd) {
  if (!wnd) return nullptr;
  std::shared_lock lock(RegistryLock());
  auto it = Registry().find(wnd);
  return it == Registry().end() ? nullptr : it->second.control;
}

TWinControl* FindOwningControl(HWND wnd) {
  while (wnd) {
    if (TWinControl* c = FindControl(wnd)) return c;
    if (!(GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD)) break;
    wnd = GetParent(wnd);
  }
  return nullptr;
}

HWND AllocateHWnd(const TWndMethod& method) { return AllocateNamedHWnd(method, kUtilityClass); }

HWND AllocateNamedHWnd(const TWndMethod& method, const wchar_t* className) {
  if (!className || !*className) className = kUtilityClass;
  RegisterUtilityClass(className);
  HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", WS_POPUP, 0, 0, 0, 0,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (wnd && method) {
    std::unique_lock lock(RegistryLock());
    Registry()[wnd].method = method;
  }
  return wnd;
}

void DeallocateHWnd(HWND wnd) {
  if (!wnd) return;
  {
    std::unique_lock lock(RegistryLock());
    Registry().erase(wnd);
  }
  DestroyWindow(wnd);
}

void DefaultUtilityHandler(HWND wnd, TMessage& message) {
  if (IsFrameworkMessage(message.Msg)) return;
  message.Result = DefWindowProcW(wnd, message.Msg, message.WParam, message.LParam);
}

WNDPROC ReplaceWindowProc(HWND wnd, WNDPROC newProc) {
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(newProc)));
}

bool RestoreWindowProc(HWND wnd, WNDPROC ours, WNDPROC previous) {
  if (!IsWindow(wnd)) return false;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)) != ours) return false;
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  return true;
}

}  // namespace fw
