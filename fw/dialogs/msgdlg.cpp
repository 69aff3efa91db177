#include "fw/dialogs/msgdlg.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/comctl6.h"
#include "fw/dialogs/dialogs.h"
#include "fw/platform/files.h"
#include "fw/system/application.h"

namespace fw {

namespace {


const char16_t* Caption(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return u"Warning";
    case mtError: return u"Error";
    case mtInformation: return u"Information";
    case mtConfirmation: return u"Confirm";
    default: return nullptr;
  }
}

// The button sets of the system's message box, in its button order.
struct SystemSet {
  TMsgDlgButtons set;
  UINT style;
  std::vector<TMsgDlgBtn> order;
};

const std::vector<SystemSet>& SystemSets() {
  static const std::vector<SystemSet> sets = {
      {{mbOK}, MB_OK, {mbOK}},
      {{mbOK, mbCancel}, MB_OKCANCEL, {mbOK, mbCancel}},
      {{mbYes, mbNo}, MB_YESNO, {mbYes, mbNo}},
      {{mbYes, mbNo, mbCancel}, MB_YESNOCANCEL, {mbYes, mbNo, mbCancel}},
      {{mbRetry, mbCancel}, MB_RETRYCANCEL, {mbRetry, mbCancel}},
      {{mbAbort, mbRetry, mbIgnore}, MB_ABORTRETRYIGNORE, {mbAbort, mbRetry, mbIgnore}},
  };
  return sets;
}

constexpr TModalResult kResults[] = {mrYes,   mrNo,    mrOk,      mrCancel,   mrAbort, mrRetry,
                                     mrIgnore, mrAll,  mrNoToAll, mrYesToAll, mrNone,  mrClose};
constexpr const char16_t* kCaptions[] = {u"&Yes",      u"&No",         u"OK",     u"Cancel",
                                         u"&Abort",    u"&Retry",      u"&Ignore", u"&All",
                                         u"N&o to All", u"Yes to &All", u"&Help",  u"&Close"};

UINT IconStyle(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return MB_ICONWARNING;
    case mtError: return MB_ICONERROR;
    case mtInformation: return MB_ICONINFORMATION;
    case mtConfirmation: return MB_ICONQUESTION;
    default: return 0;
  }
}

TModalResult ShowSystemBox(const String& msg, const String& caption, TMsgDlgType type,
                           const SystemSet& s, bool help, int helpCtx, TMsgDlgBtn def,
                           TModalResult onlyButtonResult) {
  UINT style = s.style | IconStyle(type) | (help ? MB_HELP : 0);
  for (size_t i = 0; i < s.order.size(); ++i)
    if (s.order[i] == def) style |= static_cast<UINT>(i) << 8;  // MB_DEFBUTTON1..3
  MSGBOXPARAMSW p{};
  p.cbSize = sizeof p;
  p.hwndOwner = DialogOwnerWindow();
  p.hInstance = GetModuleHandleW(nullptr);
  p.lpszText = W(msg);
  p.lpszCaption = W(caption);
  p.dwStyle = style;
  p.dwContextHelpId = static_cast<DWORD_PTR>(helpCtx);
  int r = MessageBoxIndirectW(&p);
  if (r == 0) throw EOutOfResources(u"The message box could not be shown");
  // A set shown through a smaller one answers with the button it stands for.
  if (onlyButtonResult != mrNone && r == IDOK) return onlyButtonResult;
  return r;
}

// A task dialog with exactly the requested buttons, or -1 when there are no
// task dialogs.
TModalResult ShowTaskBox(const String& msg, const String& caption, TMsgDlgType type,
                         TMsgDlgButtons buttons, TMsgDlgBtn def) {
  auto taskDialog = detail::TaskDialogIndirectFunction();
  if (!taskDialog) return -1;
  std::vector<TASKDIALOG_BUTTON> list;
  for (int b = mbYes; b <= mbClose; ++b) {
    // Help needs a help system the task dialog cannot call: left out.
    if (b == mbHelp || !buttons.Contains(static_cast<TMsgDlgBtn>(b))) continue;
    list.push_back(TASKDIALOG_BUTTON{kResults[b], W(kCaptions[b])});
  }
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = DialogOwnerWindow();
  config.hInstance = GetModuleHandleW(nullptr);
  config.pszWindowTitle = W(caption);
  config.pszContent = W(msg);
  config.cButtons = static_cast<UINT>(list.size());
  config.pButtons = list.data();
  if (buttons.Contains(def)) config.nDefaultButton = kResults[def];
  if (buttons.Contains(mbCancel)) config.dwFlags |= TDF_ALLOW_DIALOG_CANCELLATION;
  switch (type) {
    case mtWarning: config.pszMainIcon = TD_WARNING_ICON; break;
    case mtError: config.pszMainIcon = TD_ERROR_ICON; break;
    case mtInformation: config.pszMainIcon = TD_INFORMATION_ICON; break;
    case mtConfirmation:
      config.dwFlags |= TDF_USE_HICON_MAIN;
      config.hMainIcon = LoadIconW(nullptr, IDI_QUESTION);
      break;
    default: break;
  }
  int pressed = 0;
  HRESULT hr;
  {
    detail::ComCtl6Scope scope;
    hr = taskDialog(&config, &pressed, nullptr, nullptr);
  }
  if (FAILED(hr)) return -1;
  return pressed;
}

}  // namespace

String DialogApplicationTitle() {
  if (Application) return Application->Title();
  String exe = ExtractFileName(ModuleFileName());
  size_t dot = exe.rfind(u'.');
  return dot == String::npos ? exe : exe.substr(0, dot);
}

TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx) {
  // The first button in the set's order is the default.
  TMsgDlgBtn def = mbOK;
  for (int b = mbYes; b <= mbClose; ++b) {
    if (b != mbHelp && Buttons.Contains(static_cast<TMsgDlgBtn>(b))) {
      def = static_cast<TMsgDlgBtn>(b);
      break;
    }
  }
  return MessageDlg(Msg, DlgType, Buttons, HelpCtx, def);
}

TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx, TMsgDlgBtn DefaultButton) {
  const char16_t* fixed = Caption(DlgType);
  const String caption = fixed ? String(fixed) : DialogApplicationTitle();
  const bool help = Buttons.Contains(mbHelp);
  TMsgDlgButtons plain = Buttons;
  plain.Exclude(mbHelp);
  if (plain.Empty()) plain = TMsgDlgButtons{mbOK};
  for (const SystemSet& s : SystemSets()) {
    if (s.set == plain) return ShowSystemBox(Msg, caption, DlgType, s, help, HelpCtx, DefaultButton, mrNone);
  }
  TModalResult r = ShowTaskBox(Msg, caption, DlgType, plain, DefaultButton);
  if (r >= 0) return r;
  // No task dialogs: the largest system set within the request, or an OK
  // box standing for the first requested button.
  const SystemSet* best = nullptr;
  for (const SystemSet& s : SystemSets())
    if ((s.set - plain).Empty() && (!best || s.order.size() > best->order.size())) best = &s;
  if (best) return ShowSystemBox(Msg, caption, DlgType, *best, help, HelpCtx, DefaultButton, mrNone);
  TModalResult first = mrOk;
  for (int b = mbYes; b <= mbClose; ++b) {
    if (plain.Contains(static_cast<TMsgDlgBtn>(b))) {
      first = kResults[b];
      break;
    }
  }
  return ShowSystemBox(Msg, caption, DlgType, SystemSets()[0], help, HelpCtx, mbOK, first);
}

void ShowMessage(const String& Msg) {
  if (MessageBoxW(DialogOwnerWindow(), W(Msg), W(DialogApplicationTitle()), MB_OK) == 0)
    throw EOutOfResources(u"The message box could not be shown");
}

}  // namespace fw
