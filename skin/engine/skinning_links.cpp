#include "skin/engine/skinning_links.h"

#include "skin/engine/skin_messages.h"

namespace skin {

namespace {

HHOOK CBTHookHandle = nullptr;

LRESULT CALLBACK CBTHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  // The next hook first: the skinning may create and destroy windows.
  const LRESULT result = CallNextHookEx(CBTHookHandle, Code, WParam, LParam);
  if (Code >= 0 && SkinningLinks().CBTHook) SkinningLinks().CBTHook(Code, WParam, LParam);
  return result;
}

}  // namespace

void InstallCBTHook() {
  if (!CBTHookHandle) CBTHookHandle = SetWindowsHookExW(WH_CBT, CBTHookProc, nullptr, GetCurrentThreadId());
}

void RemoveCBTHook() {
  if (CBTHookHandle) UnhookWindowsHookEx(CBTHookHandle);
  CBTHookHandle = nullptr;
}

bool CBTHookInstalled() { return CBTHookHandle != nullptr; }

TkSkinningLinks& SkinningLinks() {
  static TkSkinningLinks links;
  return links;
}

TkFormProviderLink* ProviderOf(HWND Wnd) {
  if (!Wnd) return nullptr;
  return reinterpret_cast<TkFormProviderLink*>(SendSkinCommand(Wnd, SKC_GETPROVIDER, 0));
}

TkFormProviderLink* ProviderOf(fw::TCustomForm* Form) {
  if (!Form || !Form->HandleAllocated()) return nullptr;
  return ProviderOf(Form->WindowHandle());
}

}  // namespace skin
