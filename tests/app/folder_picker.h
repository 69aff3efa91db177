// Chooses a folder in the system's folder picker shown by the test thread,
// from a dialog driver's step: the picker is asked to select the folder
// until its tree shows that folder's name (Wine's tree takes a selection
// only once it has filled itself, which takes long on a busy machine), then
// its OK is pressed.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "fw/core/sysutils.h"
#include "fw/core/types.h"
#include "fw/dialogs_driver.h"

namespace apptest {

inline void PickFolder(HWND picker, const fw::String& folder) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 120000; Sleep(200)) {
    SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(W(folder)));
    Sleep(200);
    wchar_t text[MAX_PATH] = {};
    HWND tree = FindWindowExW(picker, nullptr, L"SysTreeView32", nullptr);
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = tree ? reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)) : nullptr;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (item.hItem && SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) &&
        fw::String(reinterpret_cast<const char16_t*>(text)) == fw::ExtractFileName(folder))
      break;
  }
  fw::testing::DialogDriver::Press(picker, IDOK);
}

}  // namespace apptest
