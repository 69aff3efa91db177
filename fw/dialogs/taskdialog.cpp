#include "fw/dialogs/taskdialog.h"

#include <vector>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/comctl6.h"
#include "fw/dialogs/dialogs.h"

namespace fw {

FW_REGISTER(TTaskDialogButtonItem) {
  c.Property(u"Caption", &TTaskDialogButtonItem::Caption, &TTaskDialogButtonItem::SetCaption);
  c.Property(u"CommandLinkHint", &TTaskDialogButtonItem::CommandLinkHint,
             &TTaskDialogButtonItem::SetCommandLinkHint);
  c.Property(u"Default", &TTaskDialogButtonItem::Default, &TTaskDialogButtonItem::SetDefault)
      .Default(false);
  c.Property(u"Enabled", &TTaskDialogButtonItem::Enabled, &TTaskDialogButtonItem::SetEnabled)
      .Default(true);
  c.Property(u"ModalResult", &TTaskDialogButtonItem::ModalResult,
             &TTaskDialogButtonItem::SetModalResult);
}

FW_REGISTER(TTaskDialogButtons) {}

FW_REGISTER(TTaskDialog) {
  c.Property(u"Buttons", &TTaskDialog::Buttons);
  c.Property(u"Caption", &TTaskDialog::Caption, &TTaskDialog::SetCaption);
  c.Property(u"CommonButtons", &TTaskDialog::CommonButtons, &TTaskDialog::SetCommonButtons)
      .Default(TTaskDialogCommonButtons{tcbOk, tcbCancel});
  c.Property(u"ExpandedText", &TTaskDialog::ExpandedText, &TTaskDialog::SetExpandedText);
  c.Property(u"Flags", &TTaskDialog::Flags, &TTaskDialog::SetFlags)
      .Default(TTaskDialogFlags{tfAllowDialogCancellation});
  c.Property(u"FooterIcon", &TTaskDialog::FooterIcon, &TTaskDialog::SetFooterIcon).Default(tdiNone);
  c.Property(u"FooterText", &TTaskDialog::FooterText, &TTaskDialog::SetFooterText);
  c.Property(u"MainIcon", &TTaskDialog::MainIcon, &TTaskDialog::SetMainIcon)
      .Default(tdiInformation);
  c.Property(u"Text", &TTaskDialog::Text, &TTaskDialog::SetText);
  c.Property(u"Title", &TTaskDialog::Title, &TTaskDialog::SetTitle);
}

TTaskDialogButtonItem::TTaskDialogButtonItem() = default;

TModalResult TTaskDialogButtonItem::ModalResult() const {
  return FModalResult != mrNone ? FModalResult : 100 + Index();
}

TTaskDialogButtons::TTaskDialogButtons(TPersistent* AOwner)
    : TCollection(TTaskDialogButtonItem::StaticClass(), AOwner) {}

TTaskDialog::TTaskDialog(TComponent* AOwner)
    : TComponent(AOwner), FButtons(new TTaskDialogButtons(this)) {}

TTaskDialog::~TTaskDialog() { delete FButtons; }

bool TaskDialogAvailable() { return detail::TaskDialogIndirectFunction() != nullptr; }

namespace {

PCWSTR SystemIcon(TTaskDialogIcon icon) {
  switch (icon) {
    case tdiWarning: return TD_WARNING_ICON;
    case tdiError: return TD_ERROR_ICON;
    case tdiInformation: return TD_INFORMATION_ICON;
    case tdiShield: return TD_SHIELD_ICON;
    default: return nullptr;
  }
}

const wchar_t* OrNull(const String& s) { return s.empty() ? nullptr : W(s); }

}  // namespace

HRESULT CALLBACK TTaskDialog::Callback(HWND Wnd, UINT Notification, WPARAM WParam, LPARAM LParam,
                                       LONG_PTR RefData) {
  (void)WParam;
  (void)LParam;
  auto* self = reinterpret_cast<TTaskDialog*>(RefData);
  if (Notification == TDN_CREATED) {
    self->FHandle = Wnd;
    for (int i = 0; i < self->FButtons->Count(); ++i) {
      TTaskDialogButtonItem* item = self->FButtons->Items(i);
      if (!item->Enabled()) SendMessageW(Wnd, TDM_ENABLE_BUTTON, item->ModalResult(), FALSE);
    }
  } else if (Notification == TDN_DESTROYED) {
    self->FHandle = nullptr;
  }
  return S_OK;
}

bool TTaskDialog::Execute() { return Execute(DialogOwnerWindow()); }

bool TTaskDialog::Execute(HWND ParentWnd) {
  auto taskDialog = detail::TaskDialogIndirectFunction();
  if (!taskDialog) {
    throw EInvalidOperation(u"Task dialogs need common controls version 6, which is not available");
  }
  struct FlagMap {
    TTaskDialogFlag flag;
    TASKDIALOG_FLAGS system;
  } static const kFlags[] = {
      {tfEnableHyperlinks, TDF_ENABLE_HYPERLINKS},
      {tfAllowDialogCancellation, TDF_ALLOW_DIALOG_CANCELLATION},
      {tfUseCommandLinks, TDF_USE_COMMAND_LINKS},
      {tfUseCommandLinksNoIcon, TDF_USE_COMMAND_LINKS_NO_ICON},
      {tfExpandFooterArea, TDF_EXPAND_FOOTER_AREA},
      {tfExpandedByDefault, TDF_EXPANDED_BY_DEFAULT},
      {tfVerificationFlagChecked, TDF_VERIFICATION_FLAG_CHECKED},
      {tfShowProgressBar, TDF_SHOW_PROGRESS_BAR},
      {tfShowMarqueeProgressBar, TDF_SHOW_MARQUEE_PROGRESS_BAR},
      {tfCallbackTimer, TDF_CALLBACK_TIMER},
      {tfPositionRelativeToWindow, TDF_POSITION_RELATIVE_TO_WINDOW},
      {tfRtlLayout, TDF_RTL_LAYOUT},
      {tfNoDefaultRadioButton, TDF_NO_DEFAULT_RADIO_BUTTON},
      {tfCanBeMinimized, TDF_CAN_BE_MINIMIZED},
  };
  struct ButtonMap {
    TTaskDialogCommonButton button;
    TASKDIALOG_COMMON_BUTTON_FLAGS system;
  } static const kButtons[] = {
      {tcbOk, TDCBF_OK_BUTTON},         {tcbYes, TDCBF_YES_BUTTON},
      {tcbNo, TDCBF_NO_BUTTON},         {tcbCancel, TDCBF_CANCEL_BUTTON},
      {tcbRetry, TDCBF_RETRY_BUTTON},   {tcbClose, TDCBF_CLOSE_BUTTON},
  };

  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = ParentWnd;
  config.hInstance = GetModuleHandleW(nullptr);
  for (const FlagMap& f : kFlags)
    if (FFlags.Contains(f.flag)) config.dwFlags |= f.system;
  for (const ButtonMap& b : kButtons)
    if (FCommonButtons.Contains(b.button)) config.dwCommonButtons |= b.system;
  config.pszWindowTitle = OrNull(FCaption);
  config.pszMainInstruction = OrNull(FTitle);
  config.pszContent = OrNull(FText);
  config.pszExpandedInformation = OrNull(FExpandedText);
  config.pszFooter = OrNull(FFooterText);
  config.pszMainIcon = SystemIcon(FMainIcon);
  config.pszFooterIcon = SystemIcon(FFooterIcon);

  // Custom buttons carry their modal results as identifiers; with command
  // links the hint follows the caption on a second line.
  std::vector<String> texts;
  std::vector<TASKDIALOG_BUTTON> buttons;
  texts.reserve(FButtons->Count());
  const bool links = FFlags.Contains(tfUseCommandLinks) || FFlags.Contains(tfUseCommandLinksNoIcon);
  for (int i = 0; i < FButtons->Count(); ++i) {
    TTaskDialogButtonItem* item = FButtons->Items(i);
    texts.push_back(links && !item->CommandLinkHint().empty()
                        ? item->Caption() + u"\n" + item->CommandLinkHint()
                        : item->Caption());
    buttons.push_back(TASKDIALOG_BUTTON{item->ModalResult(), W(texts.back())});
    if (item->Default()) config.nDefaultButton = item->ModalResult();
  }
  config.cButtons = static_cast<UINT>(buttons.size());
  config.pButtons = buttons.empty() ? nullptr : buttons.data();
  config.pfCallback = &TTaskDialog::Callback;
  config.lpCallbackData = reinterpret_cast<LONG_PTR>(this);

  FModalResult = mrNone;
  FButton = nullptr;
  int pressed = 0;
  HRESULT hr;
  {
    detail::ComCtl6Scope scope;
    hr = taskDialog(&config, &pressed, nullptr, nullptr);
  }
  FHandle = nullptr;
  if (FAILED(hr)) {
    throw EInvalidOperation(u"The task dialog could not be shown (error " +
                            IntToHex(static_cast<uint32_t>(hr), 8) + u")");
  }
  for (int i = 0; i < FButtons->Count(); ++i) {
    if (FButtons->Items(i)->ModalResult() == pressed) {
      FButton = FButtons->Items(i);
      FModalResult = pressed;
      return true;
    }
  }
  FModalResult = pressed == IDCLOSE ? mrClose : pressed;
  return true;
}

}  // namespace fw
