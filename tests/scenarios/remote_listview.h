// Reads the rows of a list view that belongs to another process. The list
// view's messages carry pointers, so the item record and the text buffer are
// placed in the other process's memory and read back from there.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace scenarios {

class RemoteListView {
 public:
  explicit RemoteListView(HWND list) : list_(list) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_)
      remote_ = VirtualAllocEx(process_, nullptr, kBlockSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteListView() {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteListView(const RemoteListView&) = delete;
  RemoteListView& operator=(const RemoteListView&) = delete;

  bool Ready() const { return remote_ != nullptr; }
  int Count() const { return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); }

  // The text of one cell; empty when it can't be read.
  std::wstring Text(int item, int column) const {
    if (!remote_) return L"";
    auto* base = static_cast<char*>(remote_);
    LVITEMW record{};
    record.iSubItem = column;
    record.cchTextMax = kTextChars;
    record.pszText = reinterpret_cast<LPWSTR>(base + sizeof(LVITEMW));
    if (!WriteProcessMemory(process_, base, &record, sizeof record, nullptr)) return L"";
    const LRESULT length = SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(base));
    std::wstring text(kTextChars, L'\0');
    if (!ReadProcessMemory(process_, record.pszText, text.data(), kTextChars * sizeof(wchar_t), nullptr)) return L"";
    text.resize(static_cast<size_t>(length > 0 && length < kTextChars ? length : 0));
    return text;
  }

  // The first column of every row, top to bottom.
  std::vector<std::wstring> Captions() const {
    std::vector<std::wstring> rows;
    for (int i = 0, n = Count(); i < n; ++i) rows.push_back(Text(i, 0));
    return rows;
  }

 private:
  static constexpr int kTextChars = 512;
  static constexpr SIZE_T kBlockSize = sizeof(LVITEMW) + kTextChars * sizeof(wchar_t);

  HWND list_;
  HANDLE process_ = nullptr;
  void* remote_ = nullptr;
};

}  // namespace scenarios
