#include "services/appstorage_win.h"

#include <vector>

#include "fw/controls/forms.h"
#include "fw/core/datetime.h"
#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"
#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "fw/platform/files.h"
#include "fw/platform/inifiles.h"
#include "fw/system/application.h"
#include "services/core/appinistorage.h"
#include "services/core/uclstrings.h"
#include "services/uclbase.h"
#include "services/uclsynch.h"
#include "services/uclstrings_win.h"

namespace services {

using fw::String;

namespace {

fw::TDateTime FileTimeToDateTime(const FILETIME& ft) {
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &st)) return -1;
  return fw::EncodeDate(st.wYear, st.wMonth, st.wDay) +
         fw::EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

class TMutexLock : public TCkNamedLock {
 public:
  explicit TMutexLock(const String& Name) {
    try {
      FMutex = std::make_unique<TUclMutex>(nullptr, false, Name);
    } catch (const EUclMutexError&) {
      // Acquire answers false, and the storage reports the lock as failed.
    }
  }
  // An owner that ended without releasing leaves it abandoned: ours now.
  bool Acquire() override { return FMutex && FMutex->Acquire(INFINITE); }
  void Release() override {
    if (FMutex) FMutex->Release();
  }

 private:
  std::unique_ptr<TUclMutex> FMutex;
};

TCkWindowsFileSystem gFileSystem;
TCkWindowsTranslateEnvironment gEnvironment;

}  // namespace

bool TCkWindowsFileSystem::FileExists(const String& FileName) {
  DWORD a = GetFileAttributesW(W(FileName));
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool TCkWindowsFileSystem::IsReadOnly(const String& FileName) {
  DWORD a = GetFileAttributesW(W(FileName));
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
}

bool TCkWindowsFileSystem::FileAge(const String& FileName, fw::TDateTime& Age) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(W(FileName), GetFileExInfoStandard, &data)) return false;
  Age = FileTimeToDateTime(data.ftLastWriteTime);
  return Age != -1;
}

std::vector<uint8_t> TCkWindowsFileSystem::ReadFile(const String& FileName) {
  return fw::ReadFileBytes(FileName);
}

void TCkWindowsFileSystem::WriteFile(const String& FileName, const std::vector<uint8_t>& Bytes) {
  HANDLE h = CreateFileW(W(FileName), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw fw::EFCreateError(u"Cannot create file \"" + FileName + u"\".");
  DWORD written = 0;
  BOOL ok = Bytes.empty() || ::WriteFile(h, Bytes.data(), static_cast<DWORD>(Bytes.size()), &written, nullptr);
  ok = ok && (Bytes.empty() || written == Bytes.size()) && FlushFileBuffers(h);
  CloseHandle(h);
  if (!ok) throw fw::EWriteError(u"Cannot write file \"" + FileName + u"\".");
}

bool TCkWindowsFileSystem::MoveReplace(const String& From, const String& To) {
  return MoveFileExW(W(From), W(To), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool TCkWindowsFileSystem::CopyReplace(const String& From, const String& To) {
  return CopyFileW(W(From), W(To), FALSE);
}

bool TCkWindowsFileSystem::RemoveFile(const String& FileName) { return DeleteFileW(W(FileName)); }

bool TCkWindowsFileSystem::ForceDirectories(const String& Folder) { return fw::ForceDirectories(Folder); }
String TCkWindowsFileSystem::WindowsFolder() { return fw::WindowsFolder(); }
String TCkWindowsFileSystem::TempFolder() { return fw::TempFolder(); }
String TCkWindowsFileSystem::AppDataFolder() { return fw::AppDataFolder(); }
String TCkWindowsFileSystem::ExeFileName() { return fw::ModuleFileName(nullptr); }
fw::TDateTime TCkWindowsFileSystem::Now() { return fw::Now(); }

std::unique_ptr<TCkNamedLock> TCkWindowsFileSystem::OpenNamedLock(const String& Name) {
  return std::make_unique<TMutexLock>(Name);
}

fw::TIniAnsiCodec TCkWindowsFileSystem::AnsiCodec() { return fw::TMemIniFile::SystemAnsiCodec(); }

// ---- Version resources ----------------------------------------------------------

std::unique_ptr<TUclFileVersionInfo> FileVersionInfoOf(const String& FileName) {
  if (!gFileSystem.FileExists(FileName))
    throw EUclFileVersionInfoError(u"The file " + FileName + u" does not exist");
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(W(FileName), &handle);
  if (size == 0) throw EUclFileVersionInfoError(u"File contains no version information");
  std::vector<uint8_t> data(size);
  if (!GetFileVersionInfoW(W(FileName), 0, size, data.data()))
    throw EUclFileVersionInfoError(u"File contains no version information");
  auto info = std::make_unique<TUclFileVersionInfo>();
  info->Attach(data.data(), data.size());
  return info;
}

bool HasVersionResource(const String& FileName) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(W(FileName), &handle);
  if (size == 0) return false;
  std::vector<uint8_t> data(size);
  return GetFileVersionInfoW(W(FileName), 0, size, data.data());
}

bool ReadFixedFileInfo(const String& FileName, VS_FIXEDFILEINFO& FixedInfo) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(W(FileName), &handle);
  if (size == 0) return false;
  std::vector<uint8_t> data(size);
  if (!GetFileVersionInfoW(W(FileName), 0, size, data.data())) return false;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info ||
      len != sizeof(VS_FIXEDFILEINFO))
    return false;
  FixedInfo = *info;
  return true;
}

std::unique_ptr<TUclFileVersionInfo> FileVersionInfoOfModule(HMODULE Module) {
  if (!Module)
    throw EUclError(u"The Module with handle " + fw::IntToStr(reinterpret_cast<intptr_t>(Module)) + u" is not valid");
  return FileVersionInfoOf(fw::ModuleFileName(Module));
}

String WindowProcessImageName(HWND Window) {
  if (!Window || !IsWindow(Window))
    throw EUclError(u"The window with handle " + fw::IntToStr(reinterpret_cast<intptr_t>(Window)) + u" is not valid");
  DWORD pid = 0;
  GetWindowThreadProcessId(Window, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) throw EUclError(u"The process with ID " + fw::IntToStr(pid) + u" is not valid");
  wchar_t name[300] = {};
  DWORD size = 300;
  const BOOL ok = QueryFullProcessImageNameW(process, 0, name, &size);
  CloseHandle(process);
  return ok ? FromW(name, size) : String();
}

std::unique_ptr<TUclFileVersionInfo> FileVersionInfoOfWindow(HWND Window) {
  return FileVersionInfoOf(WindowProcessImageName(Window));
}

String VersionLanguageName(WORD LangId) {
  wchar_t name[260] = {};
  DWORD n = VerLanguageNameW(LangId, name, 260);
  return FromW(name, n);
}

// ---- The translator's facts ------------------------------------------------------

bool TCkWindowsTranslateEnvironment::HasVersionResource() {
  if (!loaded_) {
    loaded_ = true;
    try {
      info_ = FileVersionInfoOf(ExeName());
    } catch (const EUclFileVersionInfoError&) {
      info_.reset();
    }
  }
  return info_ != nullptr;
}

String TCkWindowsTranslateEnvironment::VersionValue(fw::StringView Key) {
  if (!HasVersionResource()) return String();
  for (const auto& [k, v] : info_->Items())
    if (k == Key) return v;
  return String();
}

String TCkWindowsTranslateEnvironment::ExeName() { return fw::ModuleFileName(nullptr); }

bool TCkWindowsTranslateEnvironment::OwnerForm(fw::TComponent* Component, String& Name, String& Caption) {
  for (fw::TComponent* c = Component; c; c = c->Owner())
    if (auto* form = dynamic_cast<fw::TCustomForm*>(c)) {
      Name = form->Name();
      Caption = form->Caption();
      return true;
    }
  return false;
}

fw::TPoint TCkWindowsTranslateEnvironment::ScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

fw::TPoint TCkWindowsTranslateEnvironment::DesktopSize() {
  return {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void TCkWindowsTranslateEnvironment::ShowSubstituteMessage(const String& Text) {
  if (fw::Application) fw::Application->MessageBox(Text, fw::Application->Title(), MB_OK | MB_ICONINFORMATION);
  else MessageBoxW(nullptr, W(Text), L"", MB_OK | MB_ICONINFORMATION);
}

// ---- Unit --------------------------------------------------------------------------

void RegisterAppStorageUnit() {
  SetStorageFileSystem(&gFileSystem);
  SetTranslateEnvironment(&gEnvironment);
  InitializeStringTables();
  fw::RegisterClasses<TCkAppIniFileStorage, TCkAppStorage, TCkTranslateString>();
}

void FinalizeAppStorageUnit() {
  SetTranslateEnvironment(nullptr);
  SetStorageFileSystem(nullptr);
}

}  // namespace services
