#include "skin/controls/mdi_form.h"

#include "skin/controls/attach_hook.h"
#include "skin/engine/skin_messages.h"
#include "skin/forms/skin_provider.h"

namespace skin {

TkMDIForm::TkMDIForm(fw::TCustomForm* Form, TkSkinProvider* Provider, HWND Client, TkcSkinSource Skin)
    : FForm(Form), SkinProvider(Provider), ClientHandle(Client), FSkin(std::move(Skin)) {
  if (FForm) FForm->Handle();
}

TkMDIForm::~TkMDIForm() { DestroyScrolls(); }

void TkMDIForm::ConnectToClient() {
  if (!FListSW) RefreshMDIScrolls();
}

void TkMDIForm::RefreshMDIScrolls() {
  DestroyScrolls();
  if (!FSkin || !FSkin() || !ClientHandle || !IsWindow(ClientHandle)) return;
  TkcSkinParams p;
  p.SkinSection = u"CHECKBOX";
  p.Control = nullptr;
  p.VertScrollSize = p.VertScrollBtnSize = p.HorzScrollSize = p.HorzScrollBtnSize = -1;
  FListSW = AttachAdapter<TkcMDIWnd>(ClientHandle, FSkin, p);
  FListSW->FForm = FForm;
  FListSW->SkinProvider = SkinProvider;
  FListSW->MDIForm = this;
}

void TkMDIForm::DestroyScrolls() {
  delete FListSW;
  FListSW = nullptr;
}

void TkMDIForm::UpdateMDIIconItem() {
  if (RepaintMenu) RepaintMenu();
}

HWND TkMDIForm::ActiveChild() const {
  return ClientHandle ? reinterpret_cast<HWND>(SendMessageW(ClientHandle, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

void TkMDIForm::SendToActiveChild(WPARAM Command) {
  if (HWND child = ActiveChild()) SendMessageW(child, WM_SYSCOMMAND, Command, 0);
}

void TkMDIForm::AttachChildren() {
  if (!ClientHandle) return;
  for (HWND c = GetWindow(ClientHandle, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (SendMessageW(c, WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0) != 1) AttachSkinToWindow(c);
}

void LinkMDISupport() {
  MDIFormMaker() = [](TkSkinProvider* Provider, HWND Client) -> std::unique_ptr<TkMDIFormLink> {
    auto mdi = std::make_unique<TkMDIForm>(Provider->Form(), Provider, Client, [Provider]() -> TkLoadedSkin* {
      return Provider->Skinned() ? Provider->Skin() : nullptr;
    });
    mdi->RepaintMenu = [Provider] { Provider->Menus().Line().RepaintMenu(); };
    return mdi;
  };
}

void TkMDIForm::CloseClick(fw::TObject*) { SendToActiveChild(SC_CLOSE); }
void TkMDIForm::MinClick(fw::TObject*) { SendToActiveChild(SC_MINIMIZE); }
void TkMDIForm::RestoreClick(fw::TObject*) { SendToActiveChild(SC_RESTORE); }

void RepaintMDIMainFrame(TkMDIForm* MDI, HWND FrameWnd, bool Full, const std::function<void()>& UpdateBorder) {
  if (!MDI) return;
  MDI->UpdateMDIIconItem();
  if (MDI->ClientHandle)
    RedrawWindow(MDI->ClientHandle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_FRAME | (Full ? RDW_UPDATENOW : 0));
  if (FrameWnd) RedrawWindow(FrameWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  if (Full && UpdateBorder) UpdateBorder();
}

}  // namespace skin
