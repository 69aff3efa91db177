// Single registry values read and written by root key, key path and value
// name, in the calling thread's choice of registry view. Key paths may start
// with the root's own name ("HKLM\Software\X"). Opening goes through the
// framework's TRegistry.
#pragma once

#include <windows.h>

#include "fw/core/types.h"

namespace services {

// The key opens for reading.
bool RegKeyPresent(HKEY RootKey, const fw::String& Key);
// False when the key cannot be opened or the value is missing.
bool RegValueType(HKEY RootKey, const fw::String& Key, const fw::String& Name, DWORD& DataType);

// The text of a REG_SZ, REG_EXPAND_SZ or REG_BINARY value (its trailing
// terminator dropped); raises EUclRegistryError on any failure.
fw::String RegReadText(HKEY RootKey, const fw::String& Key, const fw::String& Name);
// The same, answering false instead of raising unless RaiseOnError.
bool RegReadTextEx(HKEY RootKey, const fw::String& Key, const fw::String& Name, fw::String& Value,
                   bool RaiseOnError);
// Default when the value cannot be read.
fw::String RegReadTextDef(HKEY RootKey, const fw::String& Key, const fw::String& Name, const fw::String& Default);

// A number stored as text (REG_SZ, REG_EXPAND_SZ) or as REG_BINARY,
// REG_DWORD or REG_QWORD of at most 8 bytes; Value gets the low 32 bits.
bool RegReadNumberEx(HKEY RootKey, const fw::String& Key, const fw::String& Name, int& Value, bool RaiseOnError);
int RegReadNumberDef(HKEY RootKey, const fw::String& Key, const fw::String& Name, int Default);

// A REG_SZ value, terminator included; the key is created when missing.
// Raises EUclRegistryError.
void RegWriteText(HKEY RootKey, const fw::String& Key, const fw::String& Name, const fw::String& Value);

// The calling thread's registry view: 0 the process's own, 1 and 3 the
// 64-bit view, 2 the 32-bit view (on 64-bit Windows only). 0 at thread start.
int RegistryViewMode();
void SetRegistryViewMode(int Mode);
// The access flags the view mode adds to every open.
REGSAM RegistryViewFlags();

// The long name of a predefined root key, "$%.8x" of any other handle.
fw::String RootKeyName(HKEY RootKey);
// Key without a leading "\" and without a root name that starts it; raises
// EUclRegistryError "\"<Key>\" does not match RootKey" when that root is not
// RootKey.
fw::String KeyBelowRoot(HKEY RootKey, const fw::String& Key);

}  // namespace services
