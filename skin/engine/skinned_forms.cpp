#include "skin/engine/skinned_forms.h"

#include <algorithm>

#include "fw/system/application.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/animations.h"
#include "skin/engine/common_data.h"
#include "skin/engine/window_utils.h"

namespace skin {

std::vector<fw::TCustomForm*> SkinnedFormList;
int LastMaxTitleHeight = 0;

namespace {

bool BeingFreed(const fw::TComponent* c) { return c->ComponentState().Contains(fw::csDestroying); }

bool StillOwnedByApplication(fw::TComponent* c) {
  for (int i = 0; i < fw::Application->ComponentCount(); ++i)
    if (fw::Application->Components(i) == c) return true;
  return false;
}

bool StillRegistered(fw::TCustomForm* f) {
  return std::find(SkinnedFormList.begin(), SkinnedFormList.end(), f) != SkinnedFormList.end();
}

void SendToForm(fw::TCustomForm* form, fw::TMessage& m) {
  SendMessageW(form->Handle(), m.Msg, m.WParam, m.LParam);
  // The form may have been freed by its own handler.
  if (!BeingFreed(form)) BroadcastToControls(form, m);
}

bool ApplicationMinimized() {
  HWND app = fw::Application ? fw::Application->Handle() : nullptr;
  return app && IsIconic(app);
}

bool UsesAnimation(TkSkinManager* manager) {
  return manager && manager->IsDefault() && manager->AnimEffects()->SkinChanging.Active;
}

}  // namespace

void AddSkinnedForm(fw::TCustomForm* Form) { SkinnedFormList.push_back(Form); }

void RemoveSkinnedForm(fw::TCustomForm* Form) {
  for (size_t i = 0; i < SkinnedFormList.size();) {
    if (SkinnedFormList[i] == Form) {
      SkinnedFormList[i] = SkinnedFormList.back();
      SkinnedFormList.pop_back();
    } else {
      ++i;
    }
  }
}

void BroadcastSkinMessage(fw::TMessage& Message) {
  if (fw::Application) {
    // Receivers may create or free forms: walk a copy and skip what went.
    std::vector<fw::TComponent*> components;
    for (int i = 0; i < fw::Application->ComponentCount(); ++i) components.push_back(fw::Application->Components(i));
    for (auto it = components.rbegin(); it != components.rend(); ++it) {
      if (!StillOwnedByApplication(*it)) continue;
      auto* form = dynamic_cast<fw::TCustomForm*>(*it);
      if (!form || form->FormStyle() == fw::fsMDIChild) continue;
      if (BeingFreed(form) || form->ComponentState().Contains(fw::csLoading)) continue;
      if (SkinCommandIsOne(form->Handle(), SKC_ISHANDLED)) continue;
      SendToForm(form, Message);
    }
  }
  BroadcastToSkinnedForms(Message);
}

void BroadcastToSkinnedForms(fw::TMessage& Message) {
  std::vector<fw::TCustomForm*> forms = SkinnedFormList;
  for (fw::TCustomForm* form : forms) {
    if (!form || !StillRegistered(form) || BeingFreed(form)) continue;
    SendToForm(form, Message);
  }
  if (SkinningLinks().VisibleDialogWindows)
    for (HWND dlg : SkinningLinks().VisibleDialogWindows()) SendMessageW(dlg, Message.Msg, Message.WParam, Message.LParam);
}

void ForEachSkinnedForm(TkSkinManager* Manager, const std::function<void(TkFormProviderLink&)>& Routine,
                        bool FrozenToo) {
  for (size_t i = 0; i < SkinnedFormList.size(); ++i) {
    fw::TCustomForm* form = SkinnedFormList[i];
    if (!form || BeingFreed(form) || form->FormStyle() == fw::fsMDIChild || form->Parent()) continue;
    if (!form->HandleAllocated() || IsIconic(form->WindowHandle())) continue;
    TkFormProviderLink* provider = ProviderOf(form);
    if (!provider || !provider->FCommonData || provider->FCommonData->ReadSkinManager() != Manager) continue;
    const bool frozen = FrozenToo && (provider->FormState & fsFrozen);
    if (!IsWindowVisible(form->WindowHandle()) && !frozen) continue;
    Routine(*provider);
  }
}

void PrepareSkinChangeForms(TkSkinManager* Manager) {
  if (ApplicationMinimized() || !Manager) return;
  if (Manager->ComponentState().Contains(fw::csLoading) || Manager->ComponentState().Contains(fw::csReading)) return;
  if (UsesAnimation(Manager)) AnimationInProgress = true;
  ForEachSkinnedForm(Manager, [](TkFormProviderLink& p) {
    if (p.HasBorderWindow()) {
      p.FormState |= fsSnapshotShown;
      p.TakeCoverSnapshot();
    }
    p.FInAnimation = true;
  });
}

void LockSkinnedForms(TkSkinManager* Manager) {
  if (ApplicationMinimized()) return;
  if (UsesAnimation(Manager)) AnimationInProgress = true;
  ForEachSkinnedForm(Manager, [](TkFormProviderLink& p) {
    p.FInAnimation = true;
    p.FormState |= fsFrozen;
    if (p.HasBorderWindow()) p.ShowCoverOnBorder(255);
    SendMessageW(p.Form->WindowHandle(), WM_SETREDRAW, 0, 0);
  });
}

void UnlockSkinnedForms(TkSkinManager* Manager, bool Animate) {
  if (ApplicationMinimized()) return;
  if (Manager && Manager->IsDefault()) AnimationInProgress = false;
  std::vector<TkFormProviderLink*> frozen;
  ForEachSkinnedForm(
      Manager,
      [&](TkFormProviderLink& p) {
        if (p.FormState & fsFrozen) {
          SendMessageW(p.Form->WindowHandle(), WM_SETREDRAW, 1, 0);
          frozen.push_back(&p);
        }
      },
      true);
  for (TkFormProviderLink* p : frozen) {
    HWND wnd = p->Form->WindowHandle();
    if (!wnd || IsIconic(wnd) || !(p->FormState & fsFrozen)) continue;
    if (Animate) {
      const TkcSkinChanging& changing = Manager->AnimEffects()->SkinChanging;
      if (changing.Active) {
        if (p->FDrawNonClientArea)
          SkinChangeTransition(p->Form, changing.Time, 255, changing.Mode == atAero);
        else
          SkinChangeTransition(p->Form, 0, 255, false);
      }
      p->FormState &= ~fsSnapshotShown;
      if (p->HasBorderWindow() && p->Form->WindowState() == fw::wsMaximized &&
          p->MaximizedTitleHeight() != LastMaxTitleHeight) {
        LastMaxTitleHeight = p->MaximizedTitleHeight();
        HWND active = GetActiveWindow();
        SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) & ~WS_VISIBLE);
        ShowWindow(wnd, SW_SHOWMAXIMIZED);
        SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) | WS_VISIBLE);
        if (active) SetActiveWindow(active);
      }
      p->FInAnimation = false;
      if (p->FDrawNonClientArea) {
        p->RebuildWindowRegion();
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (p->HasBorderWindow()) p->PlaceBorderWindow();
      } else {
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      }
    } else {
      p->FormState &= ~fsSnapshotShown;
      SendMessageW(wnd, WM_SETREDRAW, 1, 0);
    }
    p->FormState &= ~fsFrozen;
  }
}

bool IndexInArray(const int* Values, int Value, int Low, int High) {
  if (!Values || High < Low) return false;
  for (int i = Low; i <= High; ++i)
    if (Values[i] == Value) return true;
  return false;
}

}  // namespace skin
