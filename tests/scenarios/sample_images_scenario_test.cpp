// The installer's step puts the four sample images into the user's samples
// folder, and the started program's open dialog starts in that folder: a
// sample's bare name is enough to open it there.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>
#include <shlobj.h>

#include <string>

#include "scenarios/program_run.h"
#include "scenarios/program_windows.h"

using namespace scenarios;

namespace {

std::wstring InstallerPath() {
  std::wstring program = ProgramPath();
  return program.substr(0, program.find_last_of(L'\\') + 1) + L"VestalineSamples.exe";
}

std::wstring SamplesFolder() {
  wchar_t appData[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
  return std::wstring(appData) + L"\\Okrabel\\Vestaline\\samples";
}

long RunAndWait(const std::wstring& path) {
  std::wstring cmd = L"\"" + path + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  DWORD code = 99;
  if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<long>(code);
}

int BlackPixels(HWND wnd) {
  auto shot = ScreenshotOf(wnd);
  int n = 0;
  for (int y = 0; y < shot->Height(); ++y) {
    auto* row = static_cast<const uint8_t*>(shot->ScanLine(y));
    for (int x = 0; x < shot->Width(); ++x, row += 3) n += (row[0] | row[1] | row[2]) == 0;
  }
  return n;
}

}  // namespace

TEST(SampleImagesScenario, TheInstallerWritesThemAndTheOpenDialogStartsAmongThem) {
  ASSERT_EQ(RunAndWait(InstallerPath()), 0);
  for (const wchar_t* name : {L"sample_1.bmp", L"sample_brown.bmp", L"sample_pink.bmp", L"sample_green.bmp"})
    EXPECT_NE(GetFileAttributesW((SamplesFolder() + L"\\" + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;

  ProgramProcess program;
  ASSERT_TRUE(program.started);
  HWND main = WaitForMainWindow(program.info.dwProcessId);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  SettleWindow(main);
  const int before = BlackPixels(main);
  // "Open" in the task bar: its dialog starts in the samples folder too
  // (another process's menu can't be driven from here).
  HWND bar = FindVisibleDescendant(main, L"Image", L"TCkXPBar");
  ASSERT_NE(bar, nullptr) << DescribeWindowTree(main);
  PostClickAt(bar, 50, 35);
  HWND dialog = WaitForDialog(program.info.dwProcessId, 20000);
  ASSERT_NE(dialog, nullptr) << "\"Open\" showed no dialog";
  SettleWindow(dialog, 300);
  HWND name = GetDlgItem(dialog, cmb13);
  if (!name) name = GetDlgItem(dialog, edt1);
  ASSERT_NE(name, nullptr) << DescribeWindowTree(dialog);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"sample_1.bmp"));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  for (int i = 0; i < 200 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(50);
  SettleWindow(main);
  // Black letters on white now show in both views.
  EXPECT_GT(BlackPixels(main), before + 2000);
  SaveScreenshot(main, "sample_image_opened");
  // The sample's instructions balloon takes a close for itself first.
  long exitCode = -1;
  for (int i = 0; i < 4 && exitCode == -1; ++i) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    exitCode = program.WaitForExit(8000);
  }
  EXPECT_EQ(exitCode, 0);
}
