#include "services/uclregistry.h"

#include <cstring>
#include <vector>

#include "fw/core/sysutils.h"
#include "fw/platform/registry.h"
#include "services/uclbase.h"

namespace services {

using fw::String;

namespace {

struct TRootName {
  HKEY Key;
  const char16_t* Name;
};

// Long names first: messages show the first match.
const TRootName kRootNames[] = {
    {HKEY_CLASSES_ROOT, u"HKEY_CLASSES_ROOT"},
    {HKEY_CURRENT_USER, u"HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, u"HKEY_LOCAL_MACHINE"},
    {HKEY_USERS, u"HKEY_USERS"},
    {HKEY_PERFORMANCE_DATA, u"HKEY_PERFORMANCE_DATA"},
    {HKEY_CURRENT_CONFIG, u"HKEY_CURRENT_CONFIG"},
    {HKEY_DYN_DATA, u"HKEY_DYN_DATA"},
    {HKEY_CLASSES_ROOT, u"HKCR"},
    {HKEY_CURRENT_USER, u"HKCU"},
    {HKEY_LOCAL_MACHINE, u"HKLM"},
    {HKEY_USERS, u"HKUS"},
    {HKEY_PERFORMANCE_DATA, u"HKPD"},
    {HKEY_CURRENT_CONFIG, u"HKCC"},
    {HKEY_DYN_DATA, u"HKDD"},
};

thread_local int tViewMode = 0;

bool WindowsIs64Bit() {
#ifdef _WIN64
  return true;
#else
  static const bool is64 = [] {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
  }();
  return is64;
#endif
}

// One value's type and bytes. Each failing step raises its message when
// Raise, else answers false; the key is closed in every case.
class TValueReader {
 public:
  TValueReader(HKEY RootKey, const String& Key, const String& Name, bool Raise)
      : FRoot(RootKey), FKey(Key), FName(Name), FRaise(Raise) {}

  bool Read(DWORD& Type, std::vector<uint8_t>& Data) {
    String below;
    try {
      below = KeyBelowRoot(FRoot, FKey);
    } catch (const EUclRegistryError&) {
      if (FRaise) throw;
      return false;
    }
    FKey = below;
    fw::TRegistry registry(KEY_READ | RegistryViewFlags());
    registry.SetRootKey(FRoot);
    if (!registry.OpenKeyReadOnly(u"\\" + FKey))
      return Fail(u"Unable to open key \"" + RootKeyName(FRoot) + u"\\" + FKey + u"\" for read");
    DWORD size = 0;
    LSTATUS rc = RegQueryValueExW(registry.CurrentKey(), W(FName), nullptr, &Type, nullptr, &size);
    // The value may grow between the two calls: ask again with its new size.
    for (;;) {
      if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return FailValue();
      Data.assign(size, 0);
      DWORD got = size;
      rc = RegQueryValueExW(registry.CurrentKey(), W(FName), nullptr, &Type, Data.empty() ? nullptr : Data.data(),
                            &got);
      if (rc == ERROR_SUCCESS) {
        Data.resize(got);
        return true;
      }
      if (rc != ERROR_MORE_DATA) return FailValue();
      size = got;
    }
  }

  bool Fail(const String& Message) const {
    if (FRaise) throw EUclRegistryError(Message);
    return false;
  }
  bool FailValue() const {
    return Fail(u"Unable to open key \"" + RootKeyName(FRoot) + u"\\" + FKey + u"\" and access value \"" + FName +
                u"\"");
  }
  bool FailKind() const {
    return Fail(u"\"" + RootKeyName(FRoot) + u"\\" + FKey + u"\\" + FName + u"\" is of wrong kind or size");
  }

 private:
  HKEY FRoot;
  String FKey;
  String FName;
  bool FRaise;
};

// UTF-16 units of the data; a trailing odd byte and the terminating NULs
// are not part of the text.
String TextOf(const std::vector<uint8_t>& Data) {
  String text(Data.size() / 2, u'\0');
  if (!text.empty()) std::memcpy(text.data(), Data.data(), text.size() * 2);
  while (!text.empty() && text.back() == u'\0') text.pop_back();
  return text;
}

bool ReadText(TValueReader& Reader, String& Value) {
  DWORD type = 0;
  std::vector<uint8_t> data;
  if (!Reader.Read(type, data)) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_BINARY) return Reader.FailKind();
  Value = TextOf(data);
  return true;
}

}  // namespace

int RegistryViewMode() { return tViewMode; }

void SetRegistryViewMode(int Mode) { tViewMode = Mode & 3; }

REGSAM RegistryViewFlags() {
  if (!WindowsIs64Bit()) return 0;
  static const REGSAM kFlags[] = {0, KEY_WOW64_64KEY, KEY_WOW64_32KEY, KEY_WOW64_64KEY};
  return kFlags[tViewMode & 3];
}

String RootKeyName(HKEY RootKey) {
  for (const TRootName& root : kRootNames)
    if (root.Key == RootKey) return root.Name;
  return fw::Format(u"$%.8x", {static_cast<int64_t>(reinterpret_cast<uintptr_t>(RootKey) & 0xFFFFFFFFu)});
}

String KeyBelowRoot(HKEY RootKey, const String& Key) {
  const String key = !Key.empty() && Key[0] == u'\\' ? Key.substr(1) : Key;
  for (const TRootName& root : kRootNames) {
    const size_t n = std::char_traits<char16_t>::length(root.Name);
    if (key.size() <= n || key[n] != u'\\' || !fw::SameText(fw::StringView(key).substr(0, n), root.Name)) continue;
    if (root.Key != RootKey) throw EUclRegistryError(u"\"" + Key + u"\" does not match RootKey");
    return key.substr(n + 1);
  }
  return key;
}

bool RegKeyPresent(HKEY RootKey, const String& Key) {
  try {
    fw::TRegistry registry(KEY_READ | RegistryViewFlags());
    registry.SetRootKey(RootKey);
    return registry.OpenKeyReadOnly(u"\\" + KeyBelowRoot(RootKey, Key));
  } catch (const EUclRegistryError&) {
    return false;
  }
}

bool RegValueType(HKEY RootKey, const String& Key, const String& Name, DWORD& DataType) {
  try {
    fw::TRegistry registry(KEY_READ | RegistryViewFlags());
    registry.SetRootKey(RootKey);
    if (!registry.OpenKeyReadOnly(u"\\" + KeyBelowRoot(RootKey, Key))) return false;
    DWORD type = 0;
    if (RegQueryValueExW(registry.CurrentKey(), W(Name), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
      return false;
    DataType = type;
    return true;
  } catch (const EUclRegistryError&) {
    return false;
  }
}

String RegReadText(HKEY RootKey, const String& Key, const String& Name) {
  String value;
  RegReadTextEx(RootKey, Key, Name, value, true);
  return value;
}

bool RegReadTextEx(HKEY RootKey, const String& Key, const String& Name, String& Value, bool RaiseOnError) {
  TValueReader reader(RootKey, Key, Name, RaiseOnError);
  return ReadText(reader, Value);
}

String RegReadTextDef(HKEY RootKey, const String& Key, const String& Name, const String& Default) {
  try {
    String value;
    return RegReadTextEx(RootKey, Key, Name, value, false) ? value : Default;
  } catch (const fw::Exception&) {
    return Default;
  }
}

bool RegReadNumberEx(HKEY RootKey, const String& Key, const String& Name, int& Value, bool RaiseOnError) {
  TValueReader reader(RootKey, Key, Name, RaiseOnError);
  DWORD type = 0;
  std::vector<uint8_t> data;
  if (!reader.Read(type, data)) return false;
  int64_t number = 0;
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    const String text = TextOf(data);
    if (!fw::TryStrToInt64(text, number)) {
      if (RaiseOnError) throw fw::EConvertError(u"'" + text + u"' is not a valid integer value");
      return false;
    }
  } else if (type == REG_BINARY || type == REG_DWORD || type == REG_QWORD) {
    if (data.size() > sizeof number) return reader.FailKind();
    uint64_t bits = 0;
    std::memcpy(&bits, data.data(), data.size());
    number = static_cast<int64_t>(bits);
  } else {
    return reader.FailKind();
  }
  Value = static_cast<int>(static_cast<uint32_t>(number));
  return true;
}

int RegReadNumberDef(HKEY RootKey, const String& Key, const String& Name, int Default) {
  try {
    int value = 0;
    return RegReadNumberEx(RootKey, Key, Name, value, false) ? value : Default;
  } catch (const fw::Exception&) {
    return Default;
  }
}

void RegWriteText(HKEY RootKey, const String& Key, const String& Name, const String& Value) {
  const String key = KeyBelowRoot(RootKey, Key);
  const String failed = u"Unable to open key \"" + RootKeyName(RootKey) + u"\\" + key + u"\" for write";
  fw::TRegistry registry(KEY_WRITE | RegistryViewFlags());
  registry.SetRootKey(RootKey);
  if (!registry.OpenKey(u"\\" + key, false)) {
    registry.SetAccess(KEY_ALL_ACCESS | RegistryViewFlags());
    if (!registry.OpenKey(u"\\" + key, true)) throw EUclRegistryError(failed);
  }
  try {
    registry.WriteString(Name, Value);
  } catch (const fw::ERegistryException&) {
    throw EUclRegistryError(failed);
  }
}

}  // namespace services
