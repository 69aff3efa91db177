// What the file storages need of the system: reading and replacing files,
// their age and read-only state, folders, the named lock of synchronised
// flushes and the ANSI code page. The Windows side installs the real one at
// start-up; TCkMemoryFileSystem keeps files in memory for tests and fuzzing.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "fw/core/inidocument.h"
#include "fw/core/types.h"

namespace services {

// A lock shared by every process that opens the same name.
class TCkNamedLock {
 public:
  virtual ~TCkNamedLock() = default;
  // Waits without time limit; false when the lock could not be taken.
  virtual bool Acquire() = 0;
  virtual void Release() = 0;
};

class TCkStorageFileSystem {
 public:
  virtual ~TCkStorageFileSystem() = default;
  virtual bool FileExists(const fw::String& FileName) = 0;
  virtual bool IsReadOnly(const fw::String& FileName) = 0;
  // Last write time; false when it cannot be read.
  virtual bool FileAge(const fw::String& FileName, fw::TDateTime& Age) = 0;
  // Raise EFOpenError / EFCreateError / EWriteError naming the file.
  virtual std::vector<uint8_t> ReadFile(const fw::String& FileName) = 0;
  virtual void WriteFile(const fw::String& FileName, const std::vector<uint8_t>& Bytes) = 0;
  // Moves From onto To, replacing it; false on failure.
  virtual bool MoveReplace(const fw::String& From, const fw::String& To) = 0;
  virtual bool CopyReplace(const fw::String& From, const fw::String& To) = 0;
  virtual bool RemoveFile(const fw::String& FileName) = 0;
  // Creates the folder with every missing parent; true when it exists.
  virtual bool ForceDirectories(const fw::String& Folder) = 0;
  // Folders without trailing backslash; the program file's full name.
  virtual fw::String WindowsFolder() = 0;
  virtual fw::String TempFolder() = 0;
  virtual fw::String AppDataFolder() = 0;
  virtual fw::String ExeFileName() = 0;
  virtual fw::TDateTime Now() = 0;
  virtual std::unique_ptr<TCkNamedLock> OpenNamedLock(const fw::String& Name) = 0;
  virtual fw::TIniAnsiCodec AnsiCodec() { return fw::TIniAnsiCodec(); }
};

// The file system in force (never null): the memory one until another is set.
TCkStorageFileSystem& StorageFileSystem();
void SetStorageFileSystem(TCkStorageFileSystem* FileSystem);

// Files in memory with names compared exactly; folders are implied by file
// names and by ForceDirectories. A folder named in FailFolders cannot be
// created (and files in it cannot be written).
class TCkMemoryFileSystem : public TCkStorageFileSystem {
 public:
  struct TFile {
    std::vector<uint8_t> Bytes;
    fw::TDateTime Age = 0;
    bool ReadOnly = false;
  };
  std::map<fw::String, TFile> Files;
  std::vector<fw::String> Folders;
  std::vector<fw::String> FailFolders;
  fw::TDateTime Clock = 46000.5;
  // Every write and move moves the clock on by this much.
  fw::TDateTime Tick = 1.0 / 86400;

  bool FileExists(const fw::String& FileName) override;
  bool IsReadOnly(const fw::String& FileName) override;
  bool FileAge(const fw::String& FileName, fw::TDateTime& Age) override;
  std::vector<uint8_t> ReadFile(const fw::String& FileName) override;
  void WriteFile(const fw::String& FileName, const std::vector<uint8_t>& Bytes) override;
  bool MoveReplace(const fw::String& From, const fw::String& To) override;
  bool CopyReplace(const fw::String& From, const fw::String& To) override;
  bool RemoveFile(const fw::String& FileName) override;
  bool ForceDirectories(const fw::String& Folder) override;
  fw::String WindowsFolder() override { return u"C:\\Windows"; }
  fw::String TempFolder() override { return u"C:\\Temp"; }
  fw::String AppDataFolder() override { return u"C:\\Users\\me\\AppData\\Roaming"; }
  fw::String ExeFileName() override { return u"C:\\Program\\Vestaline3.exe"; }
  fw::TDateTime Now() override { return Clock; }
  std::unique_ptr<TCkNamedLock> OpenNamedLock(const fw::String& Name) override;

  // Names of the locks opened so far, in order.
  std::vector<fw::String> LockNames;
  // Makes Acquire fail (as an abandoned or broken lock would).
  bool FailLocks = false;

 private:
  bool FolderFails(const fw::String& FileName) const;
  std::map<fw::String, std::shared_ptr<std::mutex>> locks_;
};

}  // namespace services
