// A small program for the single-instance tests. What it does comes from
// the environment, so that its command line is only what it hands on:
//   VL_PROBE=count   ends with the number of registered instances as its
//                    exit code, without registering itself;
//   VL_PROBE=run     shows a window holding the single-instance component
//                    (VL_PROBE_MAX instances, default 1; VL_PROBE_ACTIVE=0
//                    makes it inactive) and writes every command line it
//                    receives to the file VL_PROBE_REPORT;
//   VL_PROBE=optex   counts itself ready in the second number of the shared
//                    block VL_PROBE_NAME + "_counter", and once the event
//                    VL_PROBE_NAME + "_start" is set, adds 1 5000 times to
//                    the first, each time under the named optex
//                    VL_PROBE_NAME.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "fw/controls/forms.h"
#include "fw/core/rtti.h"
#include "fw/core/strings_list.h"
#include "fw/core/types.h"
#include "fw/system/application.h"
#include "services/ckappinst.h"
#include "services/uclappinst.h"
#include "services/uclsynch.h"
#include "services/uclsysutils.h"

namespace {

std::wstring Env(const wchar_t* name, const wchar_t* fallback = L"") {
  wchar_t value[1024];
  const DWORD n = GetEnvironmentVariableW(name, value, 1024);
  return n > 0 && n < 1024 ? std::wstring(value, n) : std::wstring(fallback);
}

fw::String ToString(const std::wstring& s) { return fw::String(s.begin(), s.end()); }

// Writes what arrived to the report file in one step, so that the test
// never reads half of it.
class TReceiver : public fw::TObject {
 public:
  void CmdLineReceived(fw::TObject*, fw::TStrings* CmdLine) {
    fw::String text;
    for (int i = 0; i < CmdLine->Count(); ++i) text += (*CmdLine)[i] + u"\r\n";
    const std::wstring report = Env(L"VL_PROBE_REPORT");
    const std::wstring part = report + L".part";
    HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size() * 2), &written, nullptr);
    CloseHandle(file);
    MoveFileExW(part.c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
};

int CountUnderOptex() {
  const fw::String name = ToString(Env(L"VL_PROBE_NAME"));
  services::TUclOptex optex(name);
  void* memory = nullptr;
  services::SharedOpenMemory(memory, name + u"_counter", 2 * sizeof(LONG));
  HANDLE start = OpenEventW(SYNCHRONIZE, FALSE, W(name + u"_start"));
  InterlockedIncrement(static_cast<volatile LONG*>(memory) + 1);  // ready
  if (!start || WaitForSingleObject(start, 60000) != WAIT_OBJECT_0) return 2;
  volatile LONG* counter = static_cast<volatile LONG*>(memory);
  for (int i = 0; i < 5000; ++i) {
    services::TOptexLock lock(optex);
    const LONG value = *counter;
    // Give the other process a chance to meet the lock held.
    Sleep(0);
    *counter = value + 1;
  }
  return 0;
}

}  // namespace

int main() {
  if (Env(L"VL_PROBE") == L"optex") return CountUnderOptex();
  if (Env(L"VL_PROBE") == L"count") {
    const int count = services::GlobalAppInstances()->InstanceCount();
    services::FreeGlobalAppInstances();
    return count;
  }
  const std::wstring description = L"object ProbeForm: TForm\n"
                                   L"  Left = 100\n  Top = 100\n  Width = 320\n  Height = 160\n"
                                   L"  Caption = 'Instance probe'\n"
                                   L"  object instance: TCkAppInstances\n"
                                   L"    Active = " + std::wstring(Env(L"VL_PROBE_ACTIVE", L"1") == L"0" ? L"False" : L"True") + L"\n"
                                   L"    MaxInstances = " + Env(L"VL_PROBE_MAX", L"1") + L"\n"
                                   L"  end\n"
                                   L"end\n";
  fw::RegisterClasses<services::TCkAppInstances>();
  fw::RegisterFormDescription(u"TForm", ToString(description));
  fw::TForm* form = nullptr;
  fw::Application->CreateForm(form);
  TReceiver receiver;
  auto* instance = static_cast<services::TCkAppInstances*>(form->FindComponent(u"instance"));
  instance->OnCmdLineReceived = services::TCmdLineReceivedEvent(&receiver, &TReceiver::CmdLineReceived);
  fw::Application->Run();
  form->Free();
  services::FreeGlobalAppInstances();
  return 0;
}
