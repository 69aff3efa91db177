// The settings storage on Windows: the file system, named mutexes and ANSI
// code page behind the file storages, the program's facts behind the token
// translator, the system's case table of the text routines, and the storage
// classes the form descriptions create by name.
#pragma once

#include <windows.h>

#include <memory>

#include "services/core/storagefiles.h"
#include "services/core/translatestring.h"
#include "services/core/versioninfo.h"

namespace services {

class TCkWindowsFileSystem : public TCkStorageFileSystem {
 public:
  bool FileExists(const fw::String& FileName) override;
  bool IsReadOnly(const fw::String& FileName) override;
  bool FileAge(const fw::String& FileName, fw::TDateTime& Age) override;
  std::vector<uint8_t> ReadFile(const fw::String& FileName) override;
  // Written through to the disk before it returns.
  void WriteFile(const fw::String& FileName, const std::vector<uint8_t>& Bytes) override;
  bool MoveReplace(const fw::String& From, const fw::String& To) override;
  bool CopyReplace(const fw::String& From, const fw::String& To) override;
  bool RemoveFile(const fw::String& FileName) override;
  bool ForceDirectories(const fw::String& Folder) override;
  fw::String WindowsFolder() override;
  fw::String TempFolder() override;
  fw::String AppDataFolder() override;
  fw::String ExeFileName() override;
  fw::TDateTime Now() override;
  // A mutex of that name; an abandoned one counts as taken.
  std::unique_ptr<TCkNamedLock> OpenNamedLock(const fw::String& Name) override;
  fw::TIniAnsiCodec AnsiCodec() override;
};

class TCkWindowsTranslateEnvironment : public TCkTranslateEnvironment {
 public:
  bool HasVersionResource() override;
  fw::String VersionValue(fw::StringView Key) override;
  fw::String ExeName() override;
  bool OwnerForm(fw::TComponent* Component, fw::String& Name, fw::String& Caption) override;
  fw::TPoint ScreenSize() override;
  fw::TPoint DesktopSize() override;
  void ShowSubstituteMessage(const fw::String& Text) override;

 private:
  bool loaded_ = false;
  std::unique_ptr<TUclFileVersionInfo> info_;
};

// The version resource of a file. Raises EUclFileVersionInfoError "The file
// %s does not exist" or "File contains no version information".
std::unique_ptr<TUclFileVersionInfo> FileVersionInfoOf(const fw::String& FileName);
bool HasVersionResource(const fw::String& FileName);
bool ReadFixedFileInfo(const fw::String& FileName, VS_FIXEDFILEINFO& FixedInfo);
// The version resource of a loaded module and of the program that owns a
// window. EUclError "The Module with handle %d is not valid" for no module.
std::unique_ptr<TUclFileVersionInfo> FileVersionInfoOfModule(HMODULE Module);
std::unique_ptr<TUclFileVersionInfo> FileVersionInfoOfWindow(HWND Window);
// The image file of the process that owns Window. EUclError "The window
// with handle %d is not valid" / "The process with ID %d is not valid".
fw::String WindowProcessImageName(HWND Window);
// The system's name of a language (VerLanguageNameW).
fw::String VersionLanguageName(WORD LangId);

// Installs the Windows file system, translator facts and case table, and
// names the storage classes for the form descriptions; the finalisation
// takes them away again.
void RegisterAppStorageUnit();
void FinalizeAppStorageUnit();

}  // namespace services
