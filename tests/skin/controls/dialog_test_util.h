// What the skinned-dialog tests share: a dialog made from a template
// whose window commands are recorded (and swallowed unless asked), and the
// dialog adapter of a dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "fw/controls_test_util.h"
#include "skin/controls/attach_hook.h"
#include "skin/controls/dialog_wnd.h"

namespace skintest {

inline std::vector<WPARAM> gCommands;
inline bool gSwallowCommands = true;
// Runs when the dialog receives a window command, before it is recorded.
inline std::function<void(HWND, WPARAM)> gOnCommand;

// Runs for every message the dialog's own procedure receives.
inline std::function<void(HWND, UINT, WPARAM)> gOnMessage;

inline INT_PTR CALLBACK RecordingDialogProc(HWND d, UINT msg, WPARAM wParam, LPARAM) {
  if (gOnMessage) gOnMessage(d, msg, wParam);
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg == WM_SYSCOMMAND) {
    if (gOnCommand) gOnCommand(d, wParam);
    gCommands.push_back(wParam & 0xFFF0);
    return gSwallowCommands ? TRUE : FALSE;
  }
  return FALSE;
}

// A shown dialog of the styles, 200 x 120 dialog units, without children.
inline HWND TemplateDialog(DWORD style, DWORD exStyle = 0, HWND owner = nullptr) {
  alignas(4) WORD buffer[64] = {};
  auto* t = reinterpret_cast<DLGTEMPLATE*>(buffer);
  t->style = style;
  t->dwExtendedStyle = exStyle;
  t->cdit = 0;
  t->x = 20;
  t->y = 20;
  t->cx = 200;
  t->cy = 120;
  WORD* p = reinterpret_cast<WORD*>(t + 1);
  *p++ = 0;  // no menu
  *p++ = 0;  // the dialog class
  for (const wchar_t* s = L"Template dialog"; *s; ++s) *p++ = WORD(*s);
  *p++ = 0;
  HWND d = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t, owner, RecordingDialogProc, 0);
  ShowWindow(d, SW_SHOW);
  fwtest::Pump();
  return d;
}

constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kSizeableStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

inline skin::TkcDialogWnd* DialogAdapterOf(HWND d) {
  skin::TkcProvider* p = skin::FindProviderByHandle(d);
  return p ? dynamic_cast<skin::TkcDialogWnd*>(p->DialogAdapter) : nullptr;
}

}  // namespace skintest
