// Modal results: what a modal form, a message box or a task dialog answers.
// The first values are the system's dialog-box command identifiers (IDOK ...
// IDNO), so a system dialog's answer is its modal result.
#pragma once

namespace fw {

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;
constexpr TModalResult mrClose = mrYesToAll + 1;

}  // namespace fw
