// Named shared memory blocks counted per process, module loading, and GUIDs
// and buffers as the utility units need them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "fw/core/types.h"

namespace services {

// Opens the paging-file block Name of Size bytes, creating it when no
// process has it; a block this process holds already is shared and counted.
// Answers ERROR_ALREADY_EXISTS (183) when the block existed, else 0. Raises
// ESharedMemError when a block must be created with Size 0 or when a block of
// that name held here is smaller than Size, and fw::EOSError when the system
// refuses the mapping or the view.
DWORD SharedOpenMemory(void*& Memory, const fw::String& Name, SIZE_T Size, DWORD DesiredAccess = FILE_MAP_ALL_ACCESS);
// Drops one reference to the block at Memory; the last one unmaps it.
// Memory becomes null. True for null, false when no block is at Memory.
bool SharedCloseMemory(void*& Memory);

// Loads the module unless Module is set, without the system's error box;
// true when Module is set after.
bool LoadModuleOnce(HMODULE& Module, const fw::String& FileName);
// Frees a loaded module and clears Module.
void UnloadModuleHandle(HMODULE& Module);
// The exported function's address; null without module or function.
FARPROC ModuleSymbol(HMODULE Module, const char* Name);

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" in lower-case digits.
fw::String GuidText(const GUID& Guid);
// Count zero bytes into Buffer; nothing for Count <= 0.
void ZeroBytes(void* Buffer, intptr_t Count);

}  // namespace services
