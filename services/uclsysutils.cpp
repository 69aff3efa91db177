#include "services/uclsysutils.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "fw/core/sysutils.h"
#include "fw/platform/oserror.h"
#include "services/uclbase.h"

namespace services {

using fw::String;

namespace {

struct TSharedBlock {
  String Name;
  HANDLE Handle;
  void* Memory;
  SIZE_T Size;
  int References;
};

// The blocks this process holds, newest first.
std::vector<TSharedBlock>& SharedBlocks() {
  static std::vector<TSharedBlock> blocks;
  return blocks;
}

std::mutex& SharedBlocksLock() {
  static std::mutex lock;
  return lock;
}

SIZE_T RegionSize(void* View) {
  MEMORY_BASIC_INFORMATION info{};
  return VirtualQuery(View, &info, sizeof info) ? info.RegionSize : 0;
}

}  // namespace

DWORD SharedOpenMemory(void*& Memory, const String& Name, SIZE_T Size, DWORD DesiredAccess) {
  std::lock_guard<std::mutex> guard(SharedBlocksLock());
  std::vector<TSharedBlock>& blocks = SharedBlocks();
  // Names as exact as the system's: "A" and "a" are two blocks.
  for (TSharedBlock& block : blocks) {
    if (block.Name != Name) continue;
    // A larger size than the block has would let the caller write past it.
    if (Size > block.Size) throw ESharedMemError(u"The MMF named \"" + Name + u"\" is smaller than requested");
    ++block.References;
    Memory = block.Memory;
    return ERROR_ALREADY_EXISTS;
  }
  DWORD result = 0;
  HANDLE handle = OpenFileMappingW(DesiredAccess, FALSE, W(Name));
  if (handle) {
    result = ERROR_ALREADY_EXISTS;
  } else {
    if (Size == 0) throw ESharedMemError(u"The MMF named \"" + Name + u"\" cannot be created empty");
    handle = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(uint64_t(Size) >> 32),
                                static_cast<DWORD>(Size), W(Name));
    if (!handle) fw::RaiseLastOSError();
    if (GetLastError() == ERROR_ALREADY_EXISTS) result = ERROR_ALREADY_EXISTS;
  }
  void* view = MapViewOfFile(handle, DesiredAccess, 0, 0, Size);
  if (!view) {
    const DWORD error = GetLastError();
    CloseHandle(handle);
    fw::RaiseLastOSError(error);
  }
  blocks.insert(blocks.begin(), TSharedBlock{Name, handle, view, Size ? Size : RegionSize(view), 1});
  Memory = view;
  return result;
}

bool SharedCloseMemory(void*& Memory) {
  if (!Memory) return true;
  std::lock_guard<std::mutex> guard(SharedBlocksLock());
  std::vector<TSharedBlock>& blocks = SharedBlocks();
  for (auto it = blocks.begin(); it != blocks.end(); ++it) {
    if (it->Memory != Memory) continue;
    if (--it->References == 0) {
      UnmapViewOfFile(it->Memory);
      CloseHandle(it->Handle);
      blocks.erase(it);
    }
    Memory = nullptr;
    return true;
  }
  return false;
}

bool LoadModuleOnce(HMODULE& Module, const String& FileName) {
  if (!Module) {
    const UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    Module = LoadLibraryW(W(FileName));
    SetErrorMode(previous);
  }
  return Module != nullptr;
}

void UnloadModuleHandle(HMODULE& Module) {
  if (Module) FreeLibrary(Module);
  Module = nullptr;
}

FARPROC ModuleSymbol(HMODULE Module, const char* Name) { return Module ? GetProcAddress(Module, Name) : nullptr; }

String GuidText(const GUID& Guid) {
  const unsigned char* d = Guid.Data4;
  // The framework's %x writes upper-case digits.
  return fw::LowerCase(fw::Format(u"{%.8x-%.4x-%.4x-%.2x%.2x-%.2x%.2x%.2x%.2x%.2x%.2x}",
                    {int64_t(Guid.Data1), int64_t(Guid.Data2), int64_t(Guid.Data3), int64_t(d[0]), int64_t(d[1]),
                     int64_t(d[2]), int64_t(d[3]), int64_t(d[4]), int64_t(d[5]), int64_t(d[6]), int64_t(d[7])}));
}

void ZeroBytes(void* Buffer, intptr_t Count) {
  if (Count > 0) std::memset(Buffer, 0, static_cast<size_t>(Count));
}

}  // namespace services
