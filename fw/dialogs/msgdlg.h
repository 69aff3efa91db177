// Message boxes: MessageDlg with a kind (its caption and icon) and a set of
// buttons, answering the modal result of the pressed button; ShowMessage.
// The sets the system's message box knows are shown by it; other sets (a
// lone Cancel, the "to all" buttons) by a task dialog with those buttons.
#pragma once

#include "fw/core/sets.h"
#include "fw/core/typeinfo.h"
#include "fw/core/types.h"
#include "fw/dialogs/modal_result.h"

namespace fw {

FW_ENUM(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom)
FW_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
        mbYesToAll, mbHelp, mbClose)
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

inline constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline constexpr TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// Captions by kind: "Warning", "Error", "Information", "Confirm"; mtCustom
// takes the application's title. The box is modal for DialogOwnerWindow().
// HelpCtx goes with the help button's request only.
TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx);
// The same with the button that is the default (the first one otherwise).
TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx, TMsgDlgBtn DefaultButton);

// An OK box with the application's title as caption.
void ShowMessage(const String& Msg);

// The application's title for dialog captions (the program file's name
// without extension when there is no application object).
String DialogApplicationTitle();

}  // namespace fw
