#include "fw/platform/registry.h"

#include <cstdint>

#include "fw/platform/oserror.h"

namespace fw {

namespace {

// Key paths are stored without leading or trailing backslashes: the system
// accepts neither consistently.
String TrimBackslashes(const String& key) {
  size_t b = 0, e = key.size();
  while (b < e && key[b] == u'\\') ++b;
  while (e > b && key[e - 1] == u'\\') --e;
  return key.substr(b, e - b);
}

String Quoted(const String& name) { return u"'" + name + u"'"; }

// Deletes key `name` below `parent` with all its subkeys, within one view.
LSTATUS DeleteTree(HKEY parent, const String& name, REGSAM view) {
  HKEY key = nullptr;
  LSTATUS rc = RegOpenKeyExW(parent, W(name), 0, KEY_READ | KEY_WRITE | DELETE | view, &key);
  if (rc != ERROR_SUCCESS) return rc;
  for (;;) {
    // Always take the first subkey: deleting shifts the enumeration.
    wchar_t sub[256];
    DWORD len = 256;
    rc = RegEnumKeyExW(key, 0, sub, &len, nullptr, nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) break;
    rc = DeleteTree(key, FromW(sub, len), view);
    if (rc != ERROR_SUCCESS) {
      RegCloseKey(key);
      return rc;
    }
  }
  RegCloseKey(key);
  return RegDeleteKeyExW(parent, W(name), view, 0);
}

}  // namespace

TRegistry::TRegistry() = default;

TRegistry::TRegistry(REGSAM access) : FAccess(access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY root) {
  if (root == FRoot) return;
  CloseKey();
  FRoot = root;
}

HKEY TRegistry::BaseKey(bool relative) const {
  return relative && FCurrent ? FCurrent : FRoot;
}

String TRegistry::FullPath(const String& rel, bool relative) const {
  if (relative && FCurrent && !FCurrentPath.empty()) {
    return rel.empty() ? FCurrentPath : FCurrentPath + u"\\" + rel;
  }
  return rel;
}

void TRegistry::ChangeKey(HKEY key, const String& path) {
  CloseKey();
  FCurrent = key;
  FCurrentPath = path;
}

void TRegistry::CloseKey() {
  if (FCurrent) {
    RegCloseKey(FCurrent);
    FCurrent = nullptr;
  }
  FCurrentPath.clear();
}

bool TRegistry::OpenKey(const String& key, bool canCreate) {
  const bool relative = key.empty() || key[0] != u'\\';
  const String rel = TrimBackslashes(key);
  HKEY result = nullptr;
  LSTATUS rc;
  if (canCreate) {
    rc = RegCreateKeyExW(BaseKey(relative), W(rel), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess,
                         nullptr, &result, nullptr);
  } else {
    rc = RegOpenKeyExW(BaseKey(relative), W(rel), 0, FAccess, &result);
  }
  if (rc != ERROR_SUCCESS) return false;
  ChangeKey(result, FullPath(rel, relative));
  return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
  const bool relative = key.empty() || key[0] != u'\\';
  const String rel = TrimBackslashes(key);
  HKEY result = nullptr;
  // Keys that refuse KEY_READ (some system keys) can still be queried.
  for (REGSAM a : {REGSAM(KEY_READ), REGSAM(STANDARD_RIGHTS_READ | KEY_QUERY_VALUE)}) {
    if (RegOpenKeyExW(BaseKey(relative), W(rel), 0, a | View(), &result) == ERROR_SUCCESS) {
      ChangeKey(result, FullPath(rel, relative));
      return true;
    }
  }
  return false;
}

bool TRegistry::KeyExists(const String& key) {
  const bool relative = key.empty() || key[0] != u'\\';
  HKEY result = nullptr;
  LSTATUS rc = RegOpenKeyExW(BaseKey(relative), W(TrimBackslashes(key)), 0,
                             STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | View(), &result);
  if (rc == ERROR_SUCCESS) {
    RegCloseKey(result);
    return true;
  }
  // A key we may not read still exists.
  return rc == ERROR_ACCESS_DENIED;
}

bool TRegistry::CreateKey(const String& key) {
  const bool relative = key.empty() || key[0] != u'\\';
  HKEY result = nullptr;
  LSTATUS rc = RegCreateKeyExW(BaseKey(relative), W(TrimBackslashes(key)), 0, nullptr,
                               REG_OPTION_NON_VOLATILE, FAccess, nullptr, &result, nullptr);
  if (rc != ERROR_SUCCESS) {
    throw ERegistryException(u"Failed to create key " + Quoted(key) + u": " + SysErrorMessage(rc));
  }
  RegCloseKey(result);
  return true;
}

bool TRegistry::DeleteKey(const String& key) {
  const bool relative = key.empty() || key[0] != u'\\';
  const String rel = TrimBackslashes(key);
  if (rel.empty()) return false;  // never the base key itself
  return DeleteTree(BaseKey(relative), rel, View()) == ERROR_SUCCESS;
}

bool TRegistry::HasSubKeys() {
  if (!FCurrent) return false;
  DWORD n = 0;
  if (RegQueryInfoKeyW(FCurrent, nullptr, nullptr, nullptr, &n, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  return n > 0;
}

void TRegistry::RequireKey(const String& name) const {
  if (!FCurrent) throw ERegistryException(u"No registry key is open to access " + Quoted(name));
}

bool TRegistry::ValueExists(const String& name) {
  if (!FCurrent) return false;
  return RegQueryValueExW(FCurrent, W(name), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const String& name) {
  if (!FCurrent) return false;
  return RegDeleteValueW(FCurrent, W(name)) == ERROR_SUCCESS;
}

// The names of a key's values, or of its sub-keys; empty when the key
// cannot be asked.
static std::vector<String> EnumNames(HKEY key, bool subKeys) {
  std::vector<String> names;
  if (!key) return names;
  DWORD count = 0, maxLen = 0;
  LONG info = subKeys ? RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &maxLen, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr)
                      : RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                                         &maxLen, nullptr, nullptr, nullptr);
  if (info != ERROR_SUCCESS) return names;
  std::u16string buf(maxLen + 1, u'\0');
  for (DWORD i = 0; i < count; ++i) {
    DWORD len = maxLen + 1;
    LONG got = subKeys ? RegEnumKeyExW(key, i, W(buf.data()), &len, nullptr, nullptr, nullptr, nullptr)
                       : RegEnumValueW(key, i, W(buf.data()), &len, nullptr, nullptr, nullptr, nullptr);
    if (got == ERROR_SUCCESS) names.push_back(buf.substr(0, len));
  }
  return names;
}

std::vector<String> TRegistry::GetValueNames() { return EnumNames(FCurrent, false); }

std::vector<String> TRegistry::GetKeyNames() { return EnumNames(FCurrent, true); }

static void Fill(TStrings& list, const std::vector<String>& names) {
  list.Clear();
  for (const String& n : names) list.Add(n);
}

void TRegistry::GetValueNames(TStrings& list) { Fill(list, GetValueNames()); }

void TRegistry::GetKeyNames(TStrings& list) { Fill(list, GetKeyNames()); }

String TRegistry::ReadString(const String& name) {
  RequireKey(name);
  DWORD type = 0, size = 0;
  LSTATUS rc = RegQueryValueExW(FCurrent, W(name), nullptr, &type, nullptr, &size);
  if (rc == ERROR_FILE_NOT_FOUND) return String();
  if (rc != ERROR_SUCCESS) {
    throw ERegistryException(u"Failed to get data for " + Quoted(name) + u": " + SysErrorMessage(rc));
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    throw ERegistryException(u"Invalid data type for " + Quoted(name));
  }
  // The value may grow between the two calls: retry with the new size.
  for (;;) {
    std::u16string buf(size / 2 + 1, u'\0');
    DWORD got = static_cast<DWORD>(buf.size() * 2);
    rc = RegQueryValueExW(FCurrent, W(name), nullptr, &type,
                          reinterpret_cast<BYTE*>(buf.data()), &got);
    if (rc == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (rc != ERROR_SUCCESS) {
      throw ERegistryException(u"Failed to get data for " + Quoted(name) + u": " +
                               SysErrorMessage(rc));
    }
    // Stored strings need not be terminated; cut at the first zero.
    buf.resize(got / 2);
    size_t z = buf.find(u'\0');
    if (z != String::npos) buf.resize(z);
    return buf;
  }
}

static void SetValue(HKEY key, const String& name, DWORD type, const void* data, DWORD size) {
  LSTATUS rc = RegSetValueExW(key, W(name), 0, type, static_cast<const BYTE*>(data), size);
  if (rc != ERROR_SUCCESS) {
    throw ERegistryException(u"Failed to set data for " + Quoted(name) + u": " + SysErrorMessage(rc));
  }
}

void TRegistry::WriteString(const String& name, const String& value) {
  RequireKey(name);
  SetValue(FCurrent, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * 2));
}

void TRegistry::WriteExpandString(const String& name, const String& value) {
  RequireKey(name);
  SetValue(FCurrent, name, REG_EXPAND_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * 2));
}

int TRegistry::ReadInteger(const String& name) {
  RequireKey(name);
  DWORD type = 0;
  uint32_t value = 0;
  DWORD size = sizeof value;
  LSTATUS rc = RegQueryValueExW(FCurrent, W(name), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                &size);
  if (rc == ERROR_MORE_DATA) throw ERegistryException(u"Invalid data type for " + Quoted(name));
  if (rc != ERROR_SUCCESS) {
    throw ERegistryException(u"Failed to get data for " + Quoted(name) + u": " + SysErrorMessage(rc));
  }
  if (type != REG_DWORD || size != sizeof value) {
    throw ERegistryException(u"Invalid data type for " + Quoted(name));
  }
  return static_cast<int>(value);
}

void TRegistry::WriteInteger(const String& name, int value) {
  RequireKey(name);
  uint32_t v = static_cast<uint32_t>(value);
  SetValue(FCurrent, name, REG_DWORD, &v, sizeof v);
}

bool TRegistry::ReadBool(const String& name) { return ReadInteger(name) != 0; }

void TRegistry::WriteBool(const String& name, bool value) { WriteInteger(name, value ? 1 : 0); }

}  // namespace fw
