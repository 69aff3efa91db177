// Registry access: one open key at a time below a root key, typed values,
// and the registry view (32-bit or 64-bit) carried in Access.
#pragma once

#include <windows.h>

#include <vector>

#include "fw/core/exceptions.h"
#include "fw/core/strings_list.h"
#include "fw/core/types.h"

namespace fw {

FW_EXCEPTION_CLASS(ERegistryException, Exception)

class TRegistry {
 public:
  // Access is the desired access of keys opened for writing; its view bits
  // (KEY_WOW64_64KEY / KEY_WOW64_32KEY) apply to every open, read-only or not.
  TRegistry();
  explicit TRegistry(REGSAM access);
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return FRoot; }
  // Changing the root closes the current key.
  void SetRootKey(HKEY root);
  REGSAM Access() const { return FAccess; }
  void SetAccess(REGSAM access) { FAccess = access; }
  HKEY CurrentKey() const { return FCurrent; }
  // Path of the current key below the root, without leading backslash.
  const String& CurrentPath() const { return FCurrentPath; }

  // A key beginning with "\" is taken from the root, any other key from the
  // current key when one is open. Returns false when the key does not exist
  // (and canCreate is false) or cannot be opened.
  bool OpenKey(const String& key, bool canCreate);
  bool OpenKeyReadOnly(const String& key);
  void CloseKey();
  bool KeyExists(const String& key);
  // Deletes the key with all its subkeys; true when it is gone.
  bool DeleteKey(const String& key);
  bool CreateKey(const String& key);
  bool HasSubKeys();

  bool ValueExists(const String& name);
  bool DeleteValue(const String& name);
  std::vector<String> GetValueNames();
  std::vector<String> GetKeyNames();
  // The same into a list, replacing its items.
  void GetValueNames(TStrings& list);
  void GetKeyNames(TStrings& list);

  // A missing value reads as an empty string; a value of another type than
  // a string raises ERegistryException.
  String ReadString(const String& name);
  void WriteString(const String& name, const String& value);
  void WriteExpandString(const String& name, const String& value);
  // Missing values and values of another type raise ERegistryException.
  int ReadInteger(const String& name);
  void WriteInteger(const String& name, int value);
  bool ReadBool(const String& name);
  void WriteBool(const String& name, bool value);

 private:
  HKEY BaseKey(bool relative) const;
  String FullPath(const String& rel, bool relative) const;
  void ChangeKey(HKEY key, const String& path);
  REGSAM View() const { return FAccess & (KEY_WOW64_64KEY | KEY_WOW64_32KEY); }
  void RequireKey(const String& name) const;

  HKEY FRoot = HKEY_CURRENT_USER;
  HKEY FCurrent = nullptr;
  String FCurrentPath;
  REGSAM FAccess = KEY_ALL_ACCESS;
};

}  // namespace fw
