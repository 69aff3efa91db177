#include "controls/views/cktrayiconenumerator.h"

#include <algorithm>

namespace ck {

HWND TrayToolbarWindow() {
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  HWND area = tray ? FindWindowExW(tray, nullptr, L"TrayNotifyWnd", nullptr) : nullptr;
  return area ? FindWindowExW(area, nullptr, L"ToolbarWindow32", nullptr) : nullptr;
}

TTrayIconEnumerator::TTrayIconEnumerator(size_t DataSize) {
  FToolbarHandle = TrayToolbarWindow();
  if (!FToolbarHandle) return;
  FCount = static_cast<int>(SendMessageW(FToolbarHandle, TB_BUTTONCOUNT, 0, 0));
  FIndex = FCount;
  DWORD pid = 0;
  GetWindowThreadProcessId(FToolbarHandle, &pid);
  FProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
  if (!FProcess) return;
  FData = VirtualAllocEx(FProcess, nullptr, std::max(DataSize, sizeof(TBBUTTON)), MEM_COMMIT, PAGE_READWRITE);
}

TTrayIconEnumerator::~TTrayIconEnumerator() {
  if (FData) VirtualFreeEx(FProcess, FData, 0, MEM_RELEASE);
  if (FProcess) CloseHandle(FProcess);
}

bool TTrayIconEnumerator::ReadProcessMemory(const void* Address, size_t Count, void* Buffer) const {
  SIZE_T read = 0;
  return FProcess && ::ReadProcessMemory(FProcess, Address, Buffer, Count, &read) && read == Count;
}

bool TTrayIconEnumerator::MoveNext() {
  if (!FData) return false;
  while (FIndex > 0) {
    --FIndex;
    SendMessageW(FToolbarHandle, TB_GETBUTTON, static_cast<WPARAM>(FIndex), reinterpret_cast<LPARAM>(FData));
    if (!ReadProcessMemory(FData, sizeof(FButton), &FButton)) continue;
    if (ReadProcessMemory(reinterpret_cast<const void*>(FButton.dwData), sizeof(FExtraData), &FExtraData))
      return true;
  }
  return false;
}

}  // namespace ck
