// Linked into every test program of the Windows tree: the program works in a
// temporary folder of its own, so that test programs running side by side
// never meet in the shared one (the crop folder, files named alike), and the
// programs it starts inherit the folder.
#include <windows.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace {

class OwnTempFolder {
 public:
  OwnTempFolder() {
    std::error_code error;
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring name = std::filesystem::path(exe).stem().wstring() + L"_" + std::to_wstring(GetCurrentProcessId());
    path_ = std::filesystem::temp_directory_path(error) / (L"vl_run_" + name);
    if (error || !std::filesystem::create_directories(path_, error)) return;
    SetEnvironmentVariableW(L"TMP", path_.c_str());
    SetEnvironmentVariableW(L"TEMP", path_.c_str());
  }
  ~OwnTempFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }

 private:
  std::filesystem::path path_;
};

const OwnTempFolder gOwnTempFolder;

}  // namespace
