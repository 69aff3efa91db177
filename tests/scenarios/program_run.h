// Starts the built program as its own process under the same Wine prefix.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

namespace scenarios {

// The program's path in the build tree the tests belong to.
inline std::wstring ProgramPath() {
  const char* dir = std::getenv("VL_BINARY_DIR");
  std::string unixPath = std::string(dir ? dir : ".") + "/app/Vestaline3.exe";
  std::wstring path = dir && dir[0] == '/' ? L"Z:" : L"";
  for (char c : unixPath) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  return path;
}

struct ProgramProcess {
  PROCESS_INFORMATION info{};
  bool started = false;

  explicit ProgramProcess(const std::wstring& arguments = L"") {
    std::wstring cmd = L"\"" + ProgramPath() + L"\" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    started = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info);
  }
  ~ProgramProcess() {
    if (!started) return;
    // Gone before the next start, which would otherwise find it running and
    // hand itself over to it as a second instance.
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info.hProcess, 99);
      WaitForSingleObject(info.hProcess, 60000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  // The exit code, or -1 when the program did not end within the time.
  long WaitForExit(DWORD milliseconds) {
    if (WaitForSingleObject(info.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return static_cast<long>(code);
  }
};

}  // namespace scenarios
