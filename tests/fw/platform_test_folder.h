// A fresh folder under the temporary path for one test, deleted afterwards.
#pragma once

#include <windows.h>

#include <string>

#include "fw/platform/files.h"

namespace fw::testing {

class TestFolder {
 public:
  explicit TestFolder(const char* name) {
    // The process id keeps test runs that share a Wine prefix (and a Unix
    // link that Wine could not remove after an earlier run) apart.
    const std::string n = std::string(name) + "_" + std::to_string(GetCurrentProcessId());
    path_ = GetTempPathStr() + u"vl_" + String(n.begin(), n.end());
    DeleteFolderTree(path_);
    CreateDirectoryW(W(path_), nullptr);
  }
  ~TestFolder() { DeleteFolderTree(path_); }
  const String& Path() const { return path_; }
  String operator/(const String& name) const { return path_ + u"\\" + name; }

 private:
  String path_;
};

inline void WriteTextFile(const String& path, const std::string& bytes) {
  HANDLE h = CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  if (h != INVALID_HANDLE_VALUE) {
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
  }
}

inline std::string ReadTextFile(const String& path) {
  std::string out;
  HANDLE h = CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return out;
  char buf[4096];
  DWORD n = 0;
  while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n) out.append(buf, n);
  CloseHandle(h);
  return out;
}

}  // namespace fw::testing
