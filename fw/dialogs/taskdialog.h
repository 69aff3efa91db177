// Task dialogs of common controls version 6: a caption, a title (main
// instruction), a text, optional expanded and footer texts, common and custom
// buttons, and the modal result of the button that closed it.
#pragma once

#include <windows.h>

#include "fw/core/collection.h"
#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/dialogs/modal_result.h"

namespace fw {

FW_ENUM(TTaskDialogCommonButton, tcbOk, tcbYes, tcbNo, tcbCancel, tcbRetry, tcbClose)
using TTaskDialogCommonButtons = TSet<TTaskDialogCommonButton>;

FW_ENUM(TTaskDialogIcon, tdiNone, tdiWarning, tdiError, tdiInformation, tdiShield)

FW_ENUM(TTaskDialogFlag, tfEnableHyperlinks, tfUseHiconMain, tfUseHiconFooter,
        tfAllowDialogCancellation, tfUseCommandLinks, tfUseCommandLinksNoIcon,
        tfExpandFooterArea, tfExpandedByDefault, tfVerificationFlagChecked, tfShowProgressBar,
        tfShowMarqueeProgressBar, tfCallbackTimer, tfPositionRelativeToWindow, tfRtlLayout,
        tfNoDefaultRadioButton, tfCanBeMinimized)
using TTaskDialogFlags = TSet<TTaskDialogFlag>;

class TTaskDialogButtonItem : public TCollectionItem {
  FW_CLASS(TTaskDialogButtonItem, TCollectionItem)

  TTaskDialogButtonItem();

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  // The dialog's ModalResult when this button closes it; 100 + the item's
  // index until set.
  TModalResult ModalResult() const;
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool Default() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  const String& CommandLinkHint() const { return FCommandLinkHint; }
  void SetCommandLinkHint(const String& Value) { FCommandLinkHint = Value; }

  String DisplayName() const override { return FCaption; }

 private:
  String FCaption;
  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FEnabled = true;
  String FCommandLinkHint;
};

class TTaskDialogButtons : public TCollection {
  FW_CLASS(TTaskDialogButtons, TCollection)

  explicit TTaskDialogButtons(TPersistent* AOwner = nullptr);
  TTaskDialogButtonItem* Add() { return static_cast<TTaskDialogButtonItem*>(TCollection::Add()); }
  TTaskDialogButtonItem* Items(int Index) const {
    return static_cast<TTaskDialogButtonItem*>(TCollection::Items(Index));
  }
};

class TTaskDialog : public TComponent {
  FW_CLASS(TTaskDialog, TComponent)

  explicit TTaskDialog(TComponent* AOwner);
  ~TTaskDialog() override;

  // Shows the dialog modally for DialogOwnerWindow() (or for ParentWnd). True when it was shown and closed; ModalResult then names
  // the button. Raises EInvalidOperation when the system has no task
  // dialogs or refuses this one.
  bool Execute();
  bool Execute(HWND ParentWnd);

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  const String& Text() const { return FText; }
  void SetText(const String& Value) { FText = Value; }
  const String& ExpandedText() const { return FExpandedText; }
  void SetExpandedText(const String& Value) { FExpandedText = Value; }
  const String& FooterText() const { return FFooterText; }
  void SetFooterText(const String& Value) { FFooterText = Value; }
  TTaskDialogCommonButtons CommonButtons() const { return FCommonButtons; }
  void SetCommonButtons(TTaskDialogCommonButtons Value) { FCommonButtons = Value; }
  TTaskDialogButtons* Buttons() const { return FButtons; }
  TTaskDialogIcon MainIcon() const { return FMainIcon; }
  void SetMainIcon(TTaskDialogIcon Value) { FMainIcon = Value; }
  TTaskDialogIcon FooterIcon() const { return FFooterIcon; }
  void SetFooterIcon(TTaskDialogIcon Value) { FFooterIcon = Value; }
  TTaskDialogFlags Flags() const { return FFlags; }
  void SetFlags(TTaskDialogFlags Value) { FFlags = Value; }

  // After Execute: the button's modal result (common buttons: mrOk, mrYes,
  // mrNo, mrCancel, mrRetry, mrClose) and the custom button item that
  // closed the dialog (or null).
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  TTaskDialogButtonItem* Button() const { return FButton; }
  // The dialog's window while it is shown.
  HWND Handle() const { return FHandle; }

 private:
  static HRESULT CALLBACK Callback(HWND Wnd, UINT Notification, WPARAM WParam, LPARAM LParam,
                                   LONG_PTR RefData);

  String FCaption;
  String FTitle;
  String FText;
  String FExpandedText;
  String FFooterText;
  TTaskDialogCommonButtons FCommonButtons{tcbOk, tcbCancel};
  TTaskDialogButtons* FButtons;
  TTaskDialogIcon FMainIcon = tdiInformation;
  TTaskDialogIcon FFooterIcon = tdiNone;
  TTaskDialogFlags FFlags{tfAllowDialogCancellation};
  TModalResult FModalResult = mrNone;
  TTaskDialogButtonItem* FButton = nullptr;
  HWND FHandle = nullptr;
};

// True when task dialogs can be shown (comctl32 version 6 is at hand).
bool TaskDialogAvailable();

}  // namespace fw
