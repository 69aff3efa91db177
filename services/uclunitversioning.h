// The process-wide unit-version registry. The first module of the process
// to ask creates it and publishes its address in a small named shared block
// (guarded by a named mutex, both named after the process id), so that
// every module of the process finds the same registry.
#pragma once

#include <windows.h>

#include <memory>

#include "fw/core/types.h"
#include "services/core/unitversioning.h"
#include "services/uclsynch.h"

namespace services {

// One module's access to the process's registry.
class TUnitVersioningAccess {
 public:
  TUnitVersioningAccess() = default;
  ~TUnitVersioningAccess() { Finalize(); }
  TUnitVersioningAccess(const TUnitVersioningAccess&) = delete;
  TUnitVersioningAccess& operator=(const TUnitVersioningAccess&) = delete;

  // The registry: the published one, or a new one that this module then
  // publishes (a private one when the shared block cannot be had); null
  // after Finalize.
  TUnitVersioning* Registry();
  void Register(TModuleInstance Instance, const TUnitVersionInfo* Info);
  void Unregister(TModuleInstance Instance);
  // From here on nothing is registered; the registry is freed when this
  // module created it, and its address taken back from the block.
  void Finalize();
  bool CreatedRegistry() const { return FCreated; }

 private:
  TUnitVersioning* FRegistry = nullptr;
  std::unique_ptr<TUclMutex> FMutex;
  void* FBlock = nullptr;  // the shared block: one address
  bool FBlockTried = false;
  bool FCreated = false;
  bool FFinalized = false;
};

// The names of the process's mutex and shared block.
fw::String UnitVersioningMutexName();
fw::String UnitVersioningBlockName();

// This module's access, used by the program's units.
TUnitVersioningAccess& ModuleUnitVersioning();
// The module that holds this code (the executable, or a library with its
// own copy of the units).
TModuleInstance ThisModule();
void RegisterUnitVersion(TModuleInstance Instance, const TUnitVersionInfo& Info);
void UnregisterUnitVersion(TModuleInstance Instance);

}  // namespace services
