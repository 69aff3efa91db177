#include "services/uclunitversioning.h"

#include <cstring>

#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"
#include "services/uclsysutils.h"

namespace services {

namespace {

constexpr DWORD kBlockAccess = 0xF001F;  // every access to the section

bool ModuleLoaded(TModuleInstance Instance) {
  wchar_t name[1024];
  return GetModuleFileNameW(static_cast<HMODULE>(const_cast<void*>(Instance)), name, 1024) != 0;
}

void* ReadAddress(void* Block) {
  void* address = nullptr;
  std::memcpy(&address, Block, sizeof address);
  return address;
}

void WriteAddress(void* Block, void* Address) { std::memcpy(Block, &Address, sizeof Address); }

}  // namespace

fw::String UnitVersioningMutexName() { return u"MutexNPA_UnitVersioning_" + fw::IntToStr(GetCurrentProcessId()); }
fw::String UnitVersioningBlockName() { return u"ShmNPA_UnitVersioning_" + fw::IntToStr(GetCurrentProcessId()); }

TUnitVersioning* TUnitVersioningAccess::Registry() {
  if (FFinalized) return nullptr;
  if (!FMutex) FMutex = std::make_unique<TUclMutex>(nullptr, false, UnitVersioningMutexName());
  if (FRegistry && !FBlock) return FRegistry;  // private
  FMutex->Acquire(INFINITE);
  try {
    if (!FBlockTried) {
      FBlockTried = true;
      try {
        // The block holds a whole pointer: a 4-byte block would cut a
        // 64-bit address.
        SharedOpenMemory(FBlock, UnitVersioningBlockName(), sizeof(void*), kBlockAccess);
      } catch (const fw::Exception&) {
        FBlock = nullptr;
      }
    }
    if (FBlock) FRegistry = static_cast<TUnitVersioning*>(ReadAddress(FBlock));
    if (!FRegistry) {
      FRegistry = new TUnitVersioning(ModuleLoaded);
      FCreated = true;
      if (FBlock) WriteAddress(FBlock, FRegistry);
    }
  } catch (...) {
    FMutex->Release();
    throw;
  }
  FMutex->Release();
  return FRegistry;
}

void TUnitVersioningAccess::Register(TModuleInstance Instance, const TUnitVersionInfo* Info) {
  if (TUnitVersioning* registry = Registry()) registry->AddUnitVersion(Instance, Info);
}

void TUnitVersioningAccess::Unregister(TModuleInstance Instance) {
  if (TUnitVersioning* registry = Registry()) registry->RemoveModule(Instance);
}

void TUnitVersioningAccess::Finalize() {
  if (FFinalized) return;
  FFinalized = true;
  if (FCreated && FMutex) {
    // The other modules must not find a freed registry in the block.
    FMutex->Acquire(INFINITE);
    if (FBlock && ReadAddress(FBlock) == FRegistry) WriteAddress(FBlock, nullptr);
    FMutex->Release();
  }
  try {
    SharedCloseMemory(FBlock);
  } catch (const fw::Exception&) {
  }
  FBlock = nullptr;
  if (FCreated) delete FRegistry;
  FRegistry = nullptr;
  FMutex.reset();
}

TUnitVersioningAccess& ModuleUnitVersioning() {
  static TUnitVersioningAccess access;
  return access;
}

TModuleInstance ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ModuleUnitVersioning), &module);
  return module;
}

void RegisterUnitVersion(TModuleInstance Instance, const TUnitVersionInfo& Info) {
  ModuleUnitVersioning().Register(Instance, &Info);
}

void UnregisterUnitVersion(TModuleInstance Instance) { ModuleUnitVersioning().Unregister(Instance); }

}  // namespace services
