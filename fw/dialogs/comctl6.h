// Access to common controls version 6 for the task dialogs: the function is
// looked up at run time, under an activation context of our own when the
// program's manifest has not brought version 6 in (test programs, hosts
// without the manifest).
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace fw::detail {

// TaskDialogIndirect of version 6, or null when the system has none.
using TaskDialogIndirectProc = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);
TaskDialogIndirectProc TaskDialogIndirectFunction();

// Keeps the version 6 activation context active (when one was needed) for
// the lifetime of the object, so the dialog's controls are version 6 ones.
class ComCtl6Scope {
 public:
  ComCtl6Scope();
  ~ComCtl6Scope();
  ComCtl6Scope(const ComCtl6Scope&) = delete;
  ComCtl6Scope& operator=(const ComCtl6Scope&) = delete;

 private:
  ULONG_PTR FCookie = 0;
  bool FActive = false;
};

}  // namespace fw::detail
