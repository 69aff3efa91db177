#include "fw/dialogs/comctl6.h"

#include <string>

#include "fw/platform/system_function.h"

namespace fw::detail {

namespace {

constexpr char kManifest[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
    "  <dependency>\r\n"
    "    <dependentAssembly>\r\n"
    "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\""
    " version=\"6.0.0.0\" processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\""
    " language=\"*\"/>\r\n"
    "    </dependentAssembly>\r\n"
    "  </dependency>\r\n"
    "</assembly>\r\n";

struct State {
  TaskDialogIndirectProc proc = nullptr;
  HANDLE context = INVALID_HANDLE_VALUE;
};

// An activation context from a manifest naming version 6: the system reads
// the manifest from a file, so one is written for the moment.
HANDLE CreateComCtl6Context() {
  wchar_t dir[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, dir);
  if (n == 0 || n > MAX_PATH) return INVALID_HANDLE_VALUE;
  std::wstring path = std::wstring(dir) + L"vl_comctl6_" + std::to_wstring(GetCurrentProcessId()) +
                      L".manifest";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (file == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
  DWORD written = 0;
  BOOL ok = WriteFile(file, kManifest, sizeof kManifest - 1, &written, nullptr);
  CloseHandle(file);
  HANDLE context = INVALID_HANDLE_VALUE;
  if (ok) {
    ACTCTXW actx{};
    actx.cbSize = sizeof actx;
    actx.lpSource = path.c_str();
    context = CreateActCtxW(&actx);
  }
  DeleteFileW(path.c_str());
  return context;
}

const State& GetState() {
  static const State state = [] {
    State s;
    // Version 6 already in effect (the program's manifest), or a system
    // whose one comctl32 has task dialogs.
    s.proc = SystemFunction<TaskDialogIndirectProc>(L"comctl32.dll", "TaskDialogIndirect");
    if (s.proc) return s;
    s.context = CreateComCtl6Context();
    if (s.context == INVALID_HANDLE_VALUE) return s;
    ULONG_PTR cookie = 0;
    if (ActivateActCtx(s.context, &cookie)) {
      // Found under the context: the version 6 library, kept for the run.
      s.proc = SystemFunction<TaskDialogIndirectProc>(L"comctl32.dll", "TaskDialogIndirect");
      DeactivateActCtx(0, cookie);
    }
    return s;
  }();
  return state;
}

}  // namespace

TaskDialogIndirectProc TaskDialogIndirectFunction() { return GetState().proc; }

ComCtl6Scope::ComCtl6Scope() {
  const State& s = GetState();
  if (s.context != INVALID_HANDLE_VALUE) FActive = ActivateActCtx(s.context, &FCookie) != 0;
}

ComCtl6Scope::~ComCtl6Scope() {
  if (FActive) DeactivateActCtx(0, FCookie);
}

}  // namespace fw::detail
