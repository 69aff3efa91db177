#include "services/core/storagefiles.h"

#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"

namespace services {

namespace {

TCkMemoryFileSystem& DefaultFileSystem() {
  static TCkMemoryFileSystem fs;
  return fs;
}
TCkStorageFileSystem* gFileSystem = nullptr;

class TMemoryLock : public TCkNamedLock {
 public:
  TMemoryLock(std::shared_ptr<std::mutex> m, bool fail) : m_(std::move(m)), fail_(fail) {}
  bool Acquire() override {
    if (fail_) return false;
    m_->lock();
    return true;
  }
  void Release() override { m_->unlock(); }

 private:
  std::shared_ptr<std::mutex> m_;
  bool fail_;
};

}  // namespace

TCkStorageFileSystem& StorageFileSystem() { return gFileSystem ? *gFileSystem : DefaultFileSystem(); }
void SetStorageFileSystem(TCkStorageFileSystem* FileSystem) { gFileSystem = FileSystem; }

bool TCkMemoryFileSystem::FolderFails(const fw::String& FileName) const {
  for (const fw::String& f : FailFolders)
    if (FileName.starts_with(f)) return true;
  return false;
}

bool TCkMemoryFileSystem::FileExists(const fw::String& FileName) { return Files.count(FileName) > 0; }

bool TCkMemoryFileSystem::IsReadOnly(const fw::String& FileName) {
  auto it = Files.find(FileName);
  return it != Files.end() && it->second.ReadOnly;
}

bool TCkMemoryFileSystem::FileAge(const fw::String& FileName, fw::TDateTime& Age) {
  auto it = Files.find(FileName);
  if (it == Files.end()) return false;
  Age = it->second.Age;
  return true;
}

std::vector<uint8_t> TCkMemoryFileSystem::ReadFile(const fw::String& FileName) {
  auto it = Files.find(FileName);
  if (it == Files.end()) throw fw::EFOpenError(u"Cannot open file \"" + FileName + u"\".");
  return it->second.Bytes;
}

void TCkMemoryFileSystem::WriteFile(const fw::String& FileName, const std::vector<uint8_t>& Bytes) {
  if (FolderFails(FileName)) throw fw::EFCreateError(u"Cannot create file \"" + FileName + u"\".");
  auto it = Files.find(FileName);
  if (it != Files.end() && it->second.ReadOnly) throw fw::EFCreateError(u"Cannot create file \"" + FileName + u"\".");
  Clock += Tick;
  Files[FileName] = TFile{Bytes, Clock, false};
}

bool TCkMemoryFileSystem::MoveReplace(const fw::String& From, const fw::String& To) {
  auto it = Files.find(From);
  if (it == Files.end() || FolderFails(To)) return false;
  TFile f = it->second;
  Files.erase(it);
  Files[To] = f;
  return true;
}

bool TCkMemoryFileSystem::CopyReplace(const fw::String& From, const fw::String& To) {
  auto it = Files.find(From);
  if (it == Files.end() || FolderFails(To)) return false;
  Files[To] = it->second;
  return true;
}

bool TCkMemoryFileSystem::RemoveFile(const fw::String& FileName) { return Files.erase(FileName) > 0; }

bool TCkMemoryFileSystem::ForceDirectories(const fw::String& Folder) {
  if (FolderFails(Folder)) return false;
  Folders.push_back(Folder);
  return true;
}

std::unique_ptr<TCkNamedLock> TCkMemoryFileSystem::OpenNamedLock(const fw::String& Name) {
  LockNames.push_back(Name);
  auto& m = locks_[Name];
  if (!m) m = std::make_shared<std::mutex>();
  return std::make_unique<TMemoryLock>(m, FailLocks);
}

}  // namespace services
