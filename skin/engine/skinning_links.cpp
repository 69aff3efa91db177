#include "skin/engine/skinning_links.h"

#include "skin/engine/skin_messages.h"

namespace skin {

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
