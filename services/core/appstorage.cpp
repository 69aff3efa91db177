#include "services/core/appstorage.h"

#include <cmath>
#include <cstdlib>

#include "fw/core/datetime.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "services/core/mime.h"
#include "services/core/uclrtti.h"

namespace services {

namespace {

bool IsDotsOnly(StringView s) {
  for (char16_t c : s)
    if (c != u'.') return false;
  return !s.empty();
}

String JoinValuePath(const String& Path, const String& Name) {
  if (Path.empty()) return Name;
  if (Path.back() == u'\\') return Path + Name;
  return Path + u"\\" + Name;
}

[[noreturn]] void RaiseConvert(const String& text, const char16_t* what) {
  throw fw::EConvertError(u"'" + text + u"' is not a valid " + what);
}

double TextToFloat(const String& text) {
  const String t = fw::Trim(text);
  std::string narrow;
  for (char16_t c : t) {
    if (c > 0x7F) RaiseConvert(text, u"floating point value");
    narrow.push_back(static_cast<char>(c));
  }
  if (narrow.empty()) RaiseConvert(text, u"floating point value");
  char* end = nullptr;
  double v = std::strtod(narrow.c_str(), &end);
  if (end != narrow.c_str() + narrow.size()) RaiseConvert(text, u"floating point value");
  return v;
}

// Reads a date-time text by the picture it was written with: digit groups
// for y, m, d, h, n, s, z and every other character literally; the time
// part may be missing.
fw::TDateTime ParseDateTime(const String& picture, const String& text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
  size_t t = 0;
  auto fail = [&]() -> fw::TDateTime { RaiseConvert(text, u"date and time"); };
  const String s = fw::Trim(text);
  for (size_t p = 0; p < picture.size();) {
    char16_t c = static_cast<char16_t>(picture[p] | 0x20);
    if (c == u'y' || c == u'm' || c == u'd' || c == u'h' || c == u'n' || c == u's' || c == u'z') {
      size_t len = 0;
      while (p + len < picture.size() && static_cast<char16_t>(picture[p + len] | 0x20) == c) ++len;
      p += len;
      if (t >= s.size()) {
        if (c == u'h' || c == u'n' || c == u's' || c == u'z') break;  // no time part
        return fail();
      }
      size_t maxDigits = c == u'y' ? 4 : c == u'z' ? 3 : 2;
      int v = 0;
      size_t n = 0;
      while (t < s.size() && n < maxDigits && s[t] >= u'0' && s[t] <= u'9') v = v * 10 + (s[t++] - u'0'), ++n;
      if (n == 0) return fail();
      (c == u'y' ? year : c == u'm' ? month : c == u'd' ? day : c == u'h' ? hour : c == u'n' ? minute
                                                                : c == u's' ? second : msec) = v;
    } else {
      if (t >= s.size()) break;
      if (s[t] != picture[p]) return fail();
      ++t;
      ++p;
    }
  }
  if (t != s.size()) return fail();
  fw::TDateTime date = fw::EncodeDate(year, month, day);
  fw::TDateTime time = fw::EncodeTime(hour, minute, second, msec);
  return date >= 0 ? date + time : date - time;
}

}  // namespace

// ---- Options ----------------------------------------------------------------

TCkCustomAppStorageOptions::TCkCustomAppStorageOptions() {
  SetBooleanStringTrueValues(u"TRUE, YES, Y");
  SetBooleanStringFalseValues(u"FALSE, NO, N");
  SetBooleanAsString(true);
}

static String FirstWord(const String& list) {
  size_t comma = list.find(u',');
  return fw::Trim(comma == String::npos ? StringView(list) : StringView(list).substr(0, comma));
}

String TCkCustomAppStorageOptions::DefaultTrueString() const { return FirstWord(FBooleanStringTrueValues); }
String TCkCustomAppStorageOptions::DefaultFalseString() const { return FirstWord(FBooleanStringFalseValues); }

void TCkCustomAppStorageOptions::SetBooleanAsString(bool Value) {
  FBooleanAsString = Value && !DefaultTrueString().empty() && !DefaultFalseString().empty();
}

void TCkCustomAppStorageOptions::SetBooleanStringTrueValues(const String& Value) {
  FBooleanStringTrueValues = Value;
  FBooleanAsString = FBooleanAsString && !DefaultTrueString().empty();
}

void TCkCustomAppStorageOptions::SetBooleanStringFalseValues(const String& Value) {
  FBooleanStringFalseValues = Value;
  FBooleanAsString = FBooleanAsString && !DefaultFalseString().empty();
}

bool TCkCustomAppStorageOptions::IsValueListString(StringView Value, StringView List) const {
  fw::TStringList items;
  items.SetCommaText(TextUpper(List));
  return items.IndexOf(TextUpper(Value)) >= 0;
}

void TCkCustomAppStorageOptions::Assign(fw::TPersistent* Source) {
  auto* s = dynamic_cast<TCkCustomAppStorageOptions*>(Source);
  if (!s) {
    fw::TPersistent::Assign(Source);
    return;
  }
  SetBooleanStringTrueValues(s->BooleanStringTrueValues());
  SetBooleanStringFalseValues(s->BooleanStringFalseValues());
  SetBooleanAsString(s->BooleanAsString());
  SetEnumerationAsString(s->EnumerationAsString());
  SetTypedIntegerAsString(s->TypedIntegerAsString());
  SetSetAsString(s->SetAsString());
  SetDateTimeAsString(s->DateTimeAsString());
  SetFloatAsString(s->FloatAsString());
  SetDefaultIfReadConvertError(s->DefaultIfReadConvertError());
  SetDefaultIfValueNotExists(s->DefaultIfValueNotExists());
  SetStoreDefaultValues(s->StoreDefaultValues());
  SetStoreStringListAsSingleString(s->StoreStringListAsSingleString());
  SetUseOldItemNameFormat(s->UseOldItemNameFormat());
  SetUseTranslateStringEngineDateTimeFormats(s->UseTranslateStringEngineDateTimeFormats());
}

FW_REGISTER(TCkCustomAppStorageOptions) {
  using O = TCkCustomAppStorageOptions;
  c.Property(u"BooleanStringTrueValues", &O::BooleanStringTrueValues, &O::SetBooleanStringTrueValues);
  c.Property(u"BooleanStringFalseValues", &O::BooleanStringFalseValues, &O::SetBooleanStringFalseValues);
  c.Property(u"BooleanAsString", &O::BooleanAsString, &O::SetBooleanAsString).Default(true);
  c.Property(u"EnumerationAsString", &O::EnumerationAsString, &O::SetEnumerationAsString).Default(true);
  c.Property(u"TypedIntegerAsString", &O::TypedIntegerAsString, &O::SetTypedIntegerAsString).Default(true);
  c.Property(u"SetAsString", &O::SetAsString, &O::SetSetAsString).Default(false);
  c.Property(u"DateTimeAsString", &O::DateTimeAsString, &O::SetDateTimeAsString).Default(true);
  c.Property(u"FloatAsString", &O::FloatAsString, &O::SetFloatAsString).Default(false);
  c.Property(u"DefaultIfReadConvertError", &O::DefaultIfReadConvertError, &O::SetDefaultIfReadConvertError)
      .Default(false);
  c.Property(u"DefaultIfValueNotExists", &O::DefaultIfValueNotExists, &O::SetDefaultIfValueNotExists)
      .Default(true);
  c.Property(u"StoreDefaultValues", &O::StoreDefaultValues, &O::SetStoreDefaultValues).Default(true);
  c.Property(u"UseOldItemNameFormat", &O::UseOldItemNameFormat, &O::SetUseOldItemNameFormat).Default(true);
  c.Property(u"UseTranslateStringEngineDateTimeFormats", &O::UseTranslateStringEngineDateTimeFormats,
             &O::SetUseTranslateStringEngineDateTimeFormats)
      .Default(false);
}

FW_REGISTER(TCkAppStorageOptions) {}

// ---- Sub-storages -------------------------------------------------------------

TCkCustomAppStorage* TCkAppSubStorage::RootStorage() const {
  auto* list = dynamic_cast<TCkAppSubStorages*>(Collection());
  return list ? list->RootStorage() : nullptr;
}

void TCkAppSubStorage::SetRootPath(const String& Value) {
  const String root = TCkCustomAppStorage::ConcatPaths({Value});
  if (root == FRootPath) return;
  // A root is taken when another entry has the same one; a root above or
  // below another one may coexist with it.
  if (auto* list = dynamic_cast<TCkAppSubStorages*>(Collection())) {
    for (int i = 0; i < list->Count(); ++i) {
      TCkAppSubStorage* other = list->Items(i);
      if (other != this && !root.empty() && fw::AnsiCompareText(other->FRootPath, root) == 0)
        throw ECKAppStorageError(u"'" + root + u"' is not a unique root path");
    }
  }
  FRootPath = root;
}

static bool Reaches(TCkCustomAppStorage* from, TCkCustomAppStorage* target, int depth) {
  if (!from || depth > 64) return depth > 64;
  if (from == target) return true;
  TCkAppSubStorages* subs = from->SubStorages();
  for (int i = 0; i < subs->Count(); ++i)
    if (Reaches(subs->Items(i)->AppStorage(), target, depth + 1)) return true;
  return false;
}

void TCkAppSubStorage::SetAppStorage(TCkCustomAppStorage* Value) {
  if (Value == FAppStorage) return;
  TCkCustomAppStorage* root = RootStorage();
  if (Value && root && Reaches(Value, root, 0)) throw ECKAppStorageError(u"Circular reference of storages");
  FAppStorage = Value;
  if (Value && root) Value->FreeNotification(root);
}

String TCkAppSubStorage::DisplayName() const {
  if (!FRootPath.empty() && FAppStorage) return u"\\" + FRootPath + u"=" + FAppStorage->Name();
  return fw::TCollectionItem::DisplayName();
}

FW_REGISTER(TCkAppSubStorage) {
  c.Property(u"RootPath", &TCkAppSubStorage::RootPath, &TCkAppSubStorage::SetRootPath);
  c.Property(u"AppStorage", &TCkAppSubStorage::AppStorage, &TCkAppSubStorage::SetAppStorage);
}

TCkAppSubStorages::TCkAppSubStorages(TCkCustomAppStorage* AOwner)
    : fw::TCollection(TCkAppSubStorage::StaticClass(), AOwner), FStorage(AOwner) {}

TCkAppSubStorage* TCkAppSubStorages::Add(const String& RootPath, TCkCustomAppStorage* AppStorage) {
  auto* item = static_cast<TCkAppSubStorage*>(fw::TCollection::Add());
  try {
    item->SetRootPath(RootPath);
    item->SetAppStorage(AppStorage);
  } catch (...) {
    delete item;
    throw;
  }
  return item;
}

void TCkAppSubStorages::Delete(const String& RootPath, bool IncludeSubPaths) {
  const String root = TCkCustomAppStorage::ConcatPaths({RootPath});
  if (root.empty()) return;
  for (int i = Count() - 1; i >= 0; --i) {
    const String& r = Items(i)->RootPath();
    if (fw::AnsiCompareText(r, root) == 0 ||
        (IncludeSubPaths && r.size() > root.size() && r[root.size()] == u'\\' &&
         fw::AnsiCompareText(StringView(r).substr(0, root.size()), root) == 0))
      fw::TCollection::Delete(i);
  }
}

void TCkAppSubStorages::Delete(TCkCustomAppStorage* AppStorage) {
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->AppStorage() == AppStorage) fw::TCollection::Delete(i);
}

TCkAppSubStorage* TCkAppSubStorages::MatchFor(const String& Path, int ExcludeIndex) const {
  const String path = TCkCustomAppStorage::ConcatPaths({Path});
  TCkAppSubStorage* best = nullptr;
  for (int i = 0; i < Count(); ++i) {
    if (i == ExcludeIndex) continue;
    TCkAppSubStorage* e = Items(i);
    const String& r = e->RootPath();
    if (r.empty() || path.size() <= r.size() || path[r.size()] != u'\\') continue;
    if (fw::AnsiCompareText(StringView(path).substr(0, r.size()), r) != 0) continue;
    if (!best || r.size() > best->RootPath().size()) best = e;
  }
  return best;
}

FW_REGISTER(TCkAppSubStorages) {}

// ---- The storage --------------------------------------------------------------

TCkCustomAppStorage::TCkCustomAppStorage(fw::TComponent* AOwner)
    : fw::TComponent(AOwner),
      FStorageOptions(std::make_unique<TCkAppStorageOptions>()),
      FSubStorages(std::make_unique<TCkAppSubStorages>(this)) {
  FInternalTranslateStringEngine = new TCkTranslateString(nullptr);
}

TCkCustomAppStorage::~TCkCustomAppStorage() {
  delete FInternalTranslateStringEngine;
  FInternalTranslateStringEngine = nullptr;
}

void TCkCustomAppStorage::SetOptionsObject(std::unique_ptr<TCkCustomAppStorageOptions> Options) {
  FStorageOptions = std::move(Options);
}

String TCkCustomAppStorage::ConcatPaths(std::initializer_list<StringView> Paths) {
  std::vector<String> v;
  for (StringView p : Paths) v.emplace_back(p);
  return ConcatPaths(v);
}

String TCkCustomAppStorage::ConcatPaths(const std::vector<String>& Paths) {
  if (Paths.empty()) return String();
  size_t start = 0;
  for (size_t i = Paths.size() - 1; i >= 1; --i)
    if (!Paths[i].empty() && Paths[i][0] == u'\\') {
      start = i;
      break;
    }
  std::vector<String> parts;
  for (size_t i = start; i < Paths.size(); ++i) {
    const String& p = Paths[i];
    size_t pos = 0;
    while (pos <= p.size()) {
      size_t e = p.find(u'\\', pos);
      if (e == String::npos) e = p.size();
      StringView comp = StringView(p).substr(pos, e - pos);
      pos = e + 1;
      if (comp.empty()) continue;
      if (IsDotsOnly(comp)) {
        size_t drop = comp.size() - 1;
        parts.resize(parts.size() > drop ? parts.size() - drop : 0);
        continue;
      }
      parts.emplace_back(comp);
    }
  }
  String out;
  for (const String& s : parts) {
    if (!out.empty()) out += u'\\';
    out += s;
  }
  return out;
}

void TCkCustomAppStorage::SetPath(const String& Value) { FCurPath = ConcatPaths({Value}); }

String TCkCustomAppStorage::GetAbsPath(const String& Path) const { return ConcatPaths({FCurPath, Path}); }

void TCkCustomAppStorage::SplitValuePath(const String& Path, String& Key, String& ValueName) {
  String abs = GetAbsPath(Path);
  if (!FRoot.empty()) abs = ConcatPaths({FRoot, abs});
  size_t p = abs.rfind(u'\\');
  if (p == String::npos) {
    Key.clear();
    ValueName = abs;
  } else {
    Key = abs.substr(0, p);
    ValueName = abs.substr(p + 1);
  }
}

void TCkCustomAppStorage::ResolvePath(const String& InPath, TCkCustomAppStorage*& TargetStore, String& TargetPath) {
  const String path = ConcatPaths({FCurPath, InPath});
  TargetStore = this;
  TargetPath = u"\\" + path;
  if (TCkAppSubStorage* entry = FSubStorages->MatchFor(path)) {
    if (entry->AppStorage()) {
      TargetStore = entry->AppStorage();
      TargetPath = u"\\" + ConcatPaths({StringView(path).substr(entry->RootPath().size() + 1)});
    }
  }
}

bool TCkCustomAppStorage::IsFolder(const String& Path, bool ListIsValue) {
  TCkCustomAppStorage* s;
  String p;
  ResolvePath(Path, s, p);
  return s->CheckIsFolder(p, ListIsValue);
}

bool TCkCustomAppStorage::PathExists(const String& Path) {
  TCkCustomAppStorage* s;
  String p;
  ResolvePath(Path, s, p);
  return s->CheckPathExists(p);
}

bool TCkCustomAppStorage::ValueStored(const String& Path) {
  TCkCustomAppStorage* s;
  String p;
  ResolvePath(Path, s, p);
  return s->CheckValueStored(p);
}

bool TCkCustomAppStorage::ListStored(const String& Path, const String& ItemName) {
  TCkCustomAppStorage* s;
  String p;
  ResolvePath(Path, s, p);
  return s->CheckListStored(p, ItemName);
}

bool TCkCustomAppStorage::CheckListStored(const String& Path, const String& ItemName) {
  (void)ItemName;
  return CheckValueStored(JoinValuePath(Path, u"Count"));
}

void TCkCustomAppStorage::DeleteValue(const String& Path) {
  TCkCustomAppStorage* s;
  String p;
  ResolvePath(Path, s, p);
  if (!s->ReadOnly()) s->RemoveValue(p);
}

void TCkCustomAppStorage::DeleteSubTree(const String& Path) {
  TCkCustomAppStorage* s;
  String p;
  ResolvePath(Path, s, p);
  if (!s->ReadOnly()) s->RemoveSubTree(p);
}

#define VL_RESOLVE()        \
  TCkCustomAppStorage* s;   \
  String p;                 \
  ResolvePath(Path, s, p)

int TCkCustomAppStorage::ReadInteger(const String& Path, int Default) {
  VL_RESOLVE();
  return s->ReadIntegerValue(p, Default);
}
void TCkCustomAppStorage::WriteInteger(const String& Path, int Value) {
  VL_RESOLVE();
  if (!s->ReadOnly()) s->WriteIntegerValue(p, Value);
}
double TCkCustomAppStorage::ReadFloat(const String& Path, double Default) {
  VL_RESOLVE();
  return s->ReadFloatValue(p, Default);
}
void TCkCustomAppStorage::WriteFloat(const String& Path, double Value) {
  VL_RESOLVE();
  if (!s->ReadOnly()) s->WriteFloatValue(p, Value);
}
String TCkCustomAppStorage::ReadString(const String& Path, const String& Default) {
  VL_RESOLVE();
  return s->ReadStringValue(p, Default);
}
void TCkCustomAppStorage::WriteString(const String& Path, const String& Value) {
  VL_RESOLVE();
  if (!s->ReadOnly()) s->WriteStringValue(p, Value);
}
// Strings are UTF-16 already: a wide string is a string.
String TCkCustomAppStorage::ReadWideString(const String& Path, const String& Default) {
  return ReadString(Path, Default);
}
void TCkCustomAppStorage::WriteWideString(const String& Path, const String& Value) { WriteString(Path, Value); }
int TCkCustomAppStorage::ReadBinary(const String& Path, void* Buf, int BufSize) {
  VL_RESOLVE();
  return s->ReadBinaryValue(p, Buf, BufSize);
}
void TCkCustomAppStorage::WriteBinary(const String& Path, const void* Buf, int BufSize) {
  VL_RESOLVE();
  if (!s->ReadOnly()) s->WriteBinaryValue(p, Buf, BufSize);
}
fw::TDateTime TCkCustomAppStorage::ReadDateTime(const String& Path, fw::TDateTime Default) {
  VL_RESOLVE();
  return s->ReadDateTimeValue(p, Default);
}
void TCkCustomAppStorage::WriteDateTime(const String& Path, fw::TDateTime Value) {
  VL_RESOLVE();
  if (!s->ReadOnly()) s->WriteDateTimeValue(p, Value);
}
bool TCkCustomAppStorage::ReadBoolean(const String& Path, bool Default) {
  VL_RESOLVE();
  return s->ReadBooleanValue(p, Default);
}
void TCkCustomAppStorage::WriteBoolean(const String& Path, bool Value) {
  VL_RESOLVE();
  if (!s->ReadOnly()) s->WriteBooleanValue(p, Value);
}
void TCkCustomAppStorage::ReadEnumeration(const String& Path, const fw::TTypeInfo* TypeInfo, int64_t Default,
                                          int64_t& Value) {
  VL_RESOLVE();
  s->ReadEnumerationValue(p, TypeInfo, Default, Value);
}
void TCkCustomAppStorage::WriteEnumeration(const String& Path, const fw::TTypeInfo* TypeInfo, int64_t Value) {
  VL_RESOLVE();
  if (!s->ReadOnly()) s->WriteEnumerationValue(p, TypeInfo, Value);
}
void TCkCustomAppStorage::ReadSet(const String& Path, const fw::TTypeInfo* ATypeInfo, uint64_t Default,
                                  uint64_t& Value) {
  VL_RESOLVE();
  s->ReadSetValue(p, ATypeInfo, Default, Value);
}
void TCkCustomAppStorage::WriteSet(const String& Path, const fw::TTypeInfo* ATypeInfo, uint64_t Value) {
  VL_RESOLVE();
  if (!s->ReadOnly()) s->WriteSetValue(p, ATypeInfo, Value);
}
void TCkCustomAppStorage::SetXMLProperty(const String& Path, const String& Name, const String& Value) {
  VL_RESOLVE();
  if (!s->ReadOnly()) s->WriteAttributeValue(p, Name, Value);
}

// ---- Typed values -------------------------------------------------------------

template <class T, class F>
T TCkCustomAppStorage::ReadWithRules(const String& Path, const T& Default, F read) {
  if (FStorageOptions->DefaultIfValueNotExists() && !CheckValueStored(Path)) return Default;
  try {
    return read();
  } catch (const fw::EConvertError&) {
    if (FStorageOptions->DefaultIfReadConvertError()) return Default;
    throw;
  }
}

// Encrypted values are the UTF-8 bytes of the hook's text in base64 on one
// line: a line break would end the value in a file.
String TCkCustomAppStorage::EncryptValue(const String& Value) {
  if (!FOnEncryptPropertyValue || !IsPropertyValueCryptEnabled()) return Value;
  String v = Value;
  FOnEncryptPropertyValue(v);
  const std::string utf8 = fw::StringToUtf8(v);
  return MimeEncodeStringNoCRLF(TBytes(utf8.begin(), utf8.end()));
}

String TCkCustomAppStorage::DecryptValue(const String& Value) {
  if (!FOnDecryptPropertyValue || !IsPropertyValueCryptEnabled()) return Value;
  const TBytes bytes = MimeDecodeString(Value);
  String v = fw::Utf8ToString(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  FOnDecryptPropertyValue(v);
  return v;
}

int TCkCustomAppStorage::ReadIntegerValue(const String& Path, int Default) {
  return ReadWithRules(Path, Default, [&] { return RawReadInteger(Path, Default); });
}
void TCkCustomAppStorage::WriteIntegerValue(const String& Path, int Value) { RawWriteInteger(Path, Value); }

String TCkCustomAppStorage::ReadStringValue(const String& Path, const String& Default) {
  return ReadWithRules(Path, Default, [&] { return DecryptValue(RawReadString(Path, EncryptValue(Default))); });
}
void TCkCustomAppStorage::WriteStringValue(const String& Path, const String& Value) {
  RawWriteString(Path, EncryptValue(Value));
}

double TCkCustomAppStorage::ReadFloatValue(const String& Path, double Default) {
  return ReadWithRules(Path, Default, [&]() -> double {
    auto textRoute = [&] {
      return TextToFloat(DecryptValue(RawReadString(Path, EncryptValue(fw::FloatToStr(Default)))));
    };
    if (FStorageOptions->FloatAsString()) {
      try {
        return textRoute();
      } catch (const fw::EConvertError&) {
        return RawReadFloat(Path, Default);
      }
    }
    try {
      return RawReadFloat(Path, Default);
    } catch (const fw::EConvertError&) {
      return textRoute();
    }
  });
}
void TCkCustomAppStorage::WriteFloatValue(const String& Path, double Value) {
  if (FStorageOptions->FloatAsString()) RawWriteString(Path, EncryptValue(fw::FloatToStr(Value)));
  else RawWriteFloat(Path, Value);
}

fw::TDateTime TCkCustomAppStorage::ReadDateTimeValue(const String& Path, fw::TDateTime Default) {
  return ReadWithRules(Path, Default, [&]() -> fw::TDateTime {
    auto textRoute = [&] {
      return TextToDateTime(DecryptValue(RawReadString(Path, EncryptValue(DateTimeToText(Default)))));
    };
    if (FStorageOptions->DateTimeAsString()) {
      try {
        return textRoute();
      } catch (const fw::EConvertError&) {
        return RawReadDateTime(Path, Default);
      }
    }
    try {
      return RawReadDateTime(Path, Default);
    } catch (const fw::EConvertError&) {
      return textRoute();
    }
  });
}
void TCkCustomAppStorage::WriteDateTimeValue(const String& Path, fw::TDateTime Value) {
  if (FStorageOptions->DateTimeAsString()) RawWriteString(Path, EncryptValue(DateTimeToText(Value)));
  else RawWriteFloat(Path, Value);
}

int TCkCustomAppStorage::ReadBinaryValue(const String& Path, void* Buf, int BufSize) {
  return RawReadBinary(Path, Buf, BufSize);
}
void TCkCustomAppStorage::WriteBinaryValue(const String& Path, const void* Buf, int BufSize) {
  RawWriteBinary(Path, Buf, BufSize);
}

bool TCkCustomAppStorage::ReadBooleanValue(const String& Path, bool Default) {
  return ReadWithRules(Path, Default, [&]() -> bool {
    TCkCustomAppStorageOptions& o = *FStorageOptions;
    if (!o.BooleanAsString()) return RawReadBoolean(Path, Default);
    const String t = DecryptValue(
        RawReadString(Path, EncryptValue(Default ? o.DefaultTrueString() : o.DefaultFalseString())));
    if (o.IsValueTrueString(t)) return true;
    if (o.IsValueFalseString(t)) return false;
    int v;
    if (!fw::TryStrToInt(t, v)) RaiseConvert(t, u"boolean value");
    return v != 0;
  });
}
void TCkCustomAppStorage::WriteBooleanValue(const String& Path, bool Value) {
  TCkCustomAppStorageOptions& o = *FStorageOptions;
  if (o.BooleanAsString()) RawWriteString(Path, EncryptValue(Value ? o.DefaultTrueString() : o.DefaultFalseString()));
  else RawWriteBoolean(Path, Value);
}

void TCkCustomAppStorage::WriteEnumerationValue(const String& Path, const fw::TTypeInfo* TypeInfo, int64_t Value) {
  if (!TypeInfo || !TypeInfo->IsOrdinal() || TypeInfo->Kind() == fw::tkInt64)
    throw ECKAppStorageError(u"Invalid type");
  if (TypeInfo->IsBooleanLike()) {
    WriteBooleanValue(Path, Value != 0);
    return;
  }
  switch (TypeInfo->Kind()) {
    case fw::tkInteger: {
      String ident;
      if (FStorageOptions->TypedIntegerAsString() && TypeInfo->IntToIdent() && TypeInfo->IntToIdent()(Value, ident))
        WriteStringValue(Path, ident);
      else
        WriteIntegerValue(Path, static_cast<int>(Value));
      break;
    }
    case fw::tkChar:
    case fw::tkWChar:
      WriteIntegerValue(Path, static_cast<int>(Value));
      break;
    default:
      if (FStorageOptions->EnumerationAsString()) WriteStringValue(Path, TypeInfo->EnumName(Value));
      else WriteIntegerValue(Path, static_cast<int>(Value));
  }
}

void TCkCustomAppStorage::ReadEnumerationValue(const String& Path, const fw::TTypeInfo* TypeInfo, int64_t Default,
                                               int64_t& Value) {
  if (!TypeInfo || !TypeInfo->IsOrdinal() || TypeInfo->Kind() == fw::tkInt64)
    throw ECKAppStorageError(u"Invalid type");
  if (TypeInfo->IsBooleanLike()) {
    Value = ReadBooleanValue(Path, Default != 0) ? 1 : 0;
    return;
  }
  Value = ReadWithRules(Path, Default, [&]() -> int64_t {
    try {
      switch (TypeInfo->Kind()) {
        case fw::tkInteger: {
          if (TypeInfo->IdentToInt()) {
            String text;
            TCkCustomAppStorageOptions& o = *FStorageOptions;
            const bool old = o.DefaultIfReadConvertError();
            o.SetDefaultIfReadConvertError(true);
            try {
              text = ReadStringValue(Path, String());
            } catch (...) {
              o.SetDefaultIfReadConvertError(old);
              throw;
            }
            o.SetDefaultIfReadConvertError(old);
            int64_t v;
            if (!text.empty() && TypeInfo->IdentToInt()(text, v)) return v;
          }
          return ReadIntegerValue(Path, static_cast<int>(Default));
        }
        case fw::tkChar:
        case fw::tkWChar:
          return ReadIntegerValue(Path, static_cast<int>(Default));
        default: {
          const String text = ReadStringValue(Path, u" #!@not known@!# ");
          const int64_t byName = TypeInfo->BaseType()->EnumValue(fw::Trim(text));
          if (byName >= TypeInfo->MinValue() && byName <= TypeInfo->MaxValue()) return byName;
          int v = -1;
          if (!fw::TryStrToInt(fw::Trim(text), v)) v = -1;
          if (v == -1 || v < TypeInfo->MinValue() || v > TypeInfo->MaxValue()) return Default;
          return v;
        }
      }
    } catch (const fw::EConvertError&) {
      return Default;
    }
  });
}

String TCkCustomAppStorage::GetCharName(char16_t Ch) const {
  if (Ch >= u'!' && Ch <= u'z') return u"Char_" + String(1, Ch);
  return u"Char#" + fw::IntToStr(Ch);
}

String TCkCustomAppStorage::GetIntName(int64_t Value) const { return u"Int_" + fw::IntToStr(Value); }


void TCkCustomAppStorage::WriteSetValue(const String& Path, const fw::TTypeInfo* ATypeInfo, uint64_t Value) {
  const fw::TTypeInfo* base = ATypeInfo ? ATypeInfo->ElementType() : nullptr;
  if (!base || !(base->Kind() == fw::tkEnumeration || base->Kind() == fw::tkInteger || base->Kind() == fw::tkChar ||
                 base->Kind() == fw::tkWChar))
    throw ECKAppStorageError(u"Unknown base type for given set");
  if (FStorageOptions->SetAsString()) {
    WriteStringValue(Path, SetToText(ATypeInfo, Value, true, false));
    return;
  }
  for (int64_t v = base->MinValue(); v <= base->MaxValue(); ++v) {
    const String name = base->Kind() == fw::tkEnumeration ? base->EnumName(v)
                        : base->Kind() == fw::tkInteger   ? GetIntName(v)
                                                          : GetCharName(static_cast<char16_t>(v));
    WriteBooleanValue(JoinValuePath(Path, name), (Value >> fw::SetElementBit(ATypeInfo, v)) & 1);
  }
}

void TCkCustomAppStorage::ReadSetValue(const String& Path, const fw::TTypeInfo* ATypeInfo, uint64_t Default,
                                       uint64_t& Value) {
  const fw::TTypeInfo* base = ATypeInfo ? ATypeInfo->ElementType() : nullptr;
  if (!base || !(base->Kind() == fw::tkEnumeration || base->Kind() == fw::tkInteger || base->Kind() == fw::tkChar ||
                 base->Kind() == fw::tkWChar))
    throw ECKAppStorageError(u"Unknown base type for given set");
  if (CheckIsFolder(Path, true)) {
    uint64_t mask = 0;
    for (int64_t v = base->MinValue(); v <= base->MaxValue(); ++v) {
      const String name = base->Kind() == fw::tkEnumeration ? base->EnumName(v)
                          : base->Kind() == fw::tkInteger   ? GetIntName(v)
                                                            : GetCharName(static_cast<char16_t>(v));
      if (ReadBooleanValue(JoinValuePath(Path, name), false)) mask |= uint64_t{1} << fw::SetElementBit(ATypeInfo, v);
    }
    Value = mask;
    return;
  }
  Value = ReadWithRules(Path, Default, [&]() -> uint64_t {
    const String text = ReadStringValue(Path, SetToText(ATypeInfo, Default, true, false));
    try {
      return TextToSet(ATypeInfo, text);
    } catch (const EUclRTTIError& e) {
      throw fw::EConvertError(e.Message());
    }
  });
}

void TCkCustomAppStorage::RefreshFormatCache() {
  FCachedFormats = FDefaultFormats;
  if (TCkTranslateString* t = ActiveTranslateStringEngine()) {
    if (!t->DateFormat().empty()) FCachedFormats.ShortDateFormat = t->DateFormat();
    if (!t->TimeFormat().empty()) FCachedFormats.LongTimeFormat = t->TimeFormat();
  }
}

String TCkCustomAppStorage::DateTimeToText(fw::TDateTime Value) {
  if (FStorageOptions->UseTranslateStringEngineDateTimeFormats()) {
    if (!IsUpdating()) RefreshFormatCache();
    return fw::FormatDateTime(FCachedFormats.ShortDateFormat + u" " + FCachedFormats.LongTimeFormat, Value);
  }
  return fw::FormatDateTime(FDefaultFormats.ShortDateFormat + u" " + FDefaultFormats.LongTimeFormat, Value);
}

fw::TDateTime TCkCustomAppStorage::TextToDateTime(const String& Value) {
  const String plain = FDefaultFormats.ShortDateFormat + u" " + FDefaultFormats.LongTimeFormat;
  if (FStorageOptions->UseTranslateStringEngineDateTimeFormats()) {
    if (!IsUpdating()) RefreshFormatCache();
    try {
      return ParseDateTime(FCachedFormats.ShortDateFormat + u" " + FCachedFormats.LongTimeFormat, Value);
    } catch (const fw::EConvertError&) {
      return ParseDateTime(plain, Value);
    }
  }
  return ParseDateTime(plain, Value);
}

// ---- Update bracket -------------------------------------------------------------

void TCkCustomAppStorage::BeginUpdate() {
  if (!IsUpdating()) RefreshFormatCache();
  ReloadIfNeeded();
  ++FUpdateCount;
  for (int i = 0; i < FSubStorages->Count(); ++i)
    if (TCkCustomAppStorage* s = FSubStorages->Items(i)->AppStorage()) s->BeginUpdate();
}

void TCkCustomAppStorage::EndUpdate() {
  for (int i = 0; i < FSubStorages->Count(); ++i)
    if (TCkCustomAppStorage* s = FSubStorages->Items(i)->AppStorage()) s->EndUpdate();
  --FUpdateCount;
  FlushIfNeeded();
  if (FUpdateCount < 0) FUpdateCount = 0;
}

void TCkCustomAppStorage::FlushIfNeeded() {
  if (FlushNeeded()) Flush();
}

void TCkCustomAppStorage::ReloadIfNeeded() {
  if (ReloadNeeded()) Reload();
}

void TCkCustomAppStorage::DoError(const String& Message) {
  if (FOnError) FOnError(this, Message);
}

void TCkCustomAppStorage::SetTranslateStringEngine(TCkTranslateString* Value) {
  if (Value == FTranslateStringEngine) return;
  if (FTranslateStringEngine) FTranslateStringEngine->RemoveFreeNotification(this);
  FTranslateStringEngine = Value;
  if (Value) Value->FreeNotification(this);
}

TCkTranslateString* TCkCustomAppStorage::ActiveTranslateStringEngine() const {
  return FTranslateStringEngine ? FTranslateStringEngine : FInternalTranslateStringEngine;
}

void TCkCustomAppStorage::Loaded() {
  fw::TComponent::Loaded();
  if (!IsUpdating()) Reload();
}

void TCkCustomAppStorage::FlushOnceOnDestroy() {
  if (FDestroyFlushed) return;
  FDestroyFlushed = true;
  if (FFlushOnDestroy) Flush();
}

void TCkCustomAppStorage::BeforeDestruction() {
  FlushOnceOnDestroy();
  fw::TComponent::BeforeDestruction();
}

void TCkCustomAppStorage::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TComponent::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  // A component that goes is already a plain component here: compare addresses.
  for (int i = FSubStorages->Count() - 1; i >= 0; --i)
    if (static_cast<fw::TComponent*>(FSubStorages->Items(i)->AppStorage()) == AComponent)
      FSubStorages->TCollection::Delete(i);
  if (AComponent == FTranslateStringEngine) FTranslateStringEngine = nullptr;
}

// ---- Stored-name enumeration and version check ---------------------------------

void TCkCustomAppStorage::WalkStoredValues(const String& Prefix, const String& Path, fw::TStrings* Strings,
                                           TCkAppStorageEnumOptions Options) {
  auto addFlag = [&](const String& name, intptr_t flag) {
    int i = Strings->IndexOf(name);
    if (i < 0) {
      Strings->AddObject(name, reinterpret_cast<fw::TObject*>(flag));
    } else {
      intptr_t old = reinterpret_cast<intptr_t>(Strings->Objects(i));
      Strings->SetObjects(i, reinterpret_cast<fw::TObject*>(old | flag));
    }
  };
  if (Options.Contains(aeoValues)) {
    fw::TStringList values;
    ListValues(Path, &values, Options.Contains(aeoReportListAsValue));
    for (int i = 0; i < values.Count(); ++i) {
      String name = values[i].empty() ? Prefix.substr(0, Prefix.empty() ? 0 : Prefix.size() - 1) : Prefix + values[i];
      if (!name.empty()) addFlag(name, 2);
    }
  }
  if (Options.Contains(aeoFolders) || Options.Contains(aeoRecursive)) {
    fw::TStringList folders;
    ListFolders(Path, &folders, false);
    for (int i = 0; i < folders.Count(); ++i) {
      const String& f = folders[i];
      const String sub = JoinValuePath(Path, f);
      if (Options.Contains(aeoFolders) && CheckIsFolder(sub, Options.Contains(aeoReportListAsValue)))
        addFlag(Prefix + f, 1);
      if (Options.Contains(aeoRecursive)) WalkStoredValues(ConcatPaths({Prefix, f}) + u"\\", sub, Strings, Options);
    }
  }
}

void TCkCustomAppStorage::GetStoredValues(const String& Path, fw::TStrings* Strings,
                                          TCkAppStorageEnumOptions Options) {
  if (!Strings) return;
  Strings->BeginUpdate();
  Strings->Clear();
  const String n = ConcatPaths({Path});
  const String a = ConcatPaths({FCurPath, n});
  try {
    WalkStoredValues(Options.Contains(aeoReportRelative) ? String() : a + u"\\", u"\\" + a, Strings, Options);
    if (!Options.Contains(aeoReportRelative)) {
      int i = Strings->IndexOf(a);
      if (i >= 0) Strings->Delete(i);
    }
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TCkCustomAppStorage::CheckDeletePathByVersion(const String& Path, int VersionNumber, bool DeleteIfNotEqual,
                                                   bool WriteVersionNumber, const String& VersionName) {
  TCkCustomAppStorage* s;
  String p;
  ResolvePath(Path, s, p);
  if (s->ReadOnly() || VersionName.empty()) return;
  s->BeginUpdate();
  try {
    const String valuePath = JoinValuePath(p, VersionName);
    const int v = s->ReadIntegerValue(valuePath, 0);
    if ((DeleteIfNotEqual && v != VersionNumber) || v < VersionNumber) s->RemoveSubTree(p);
    if (v != VersionNumber && WriteVersionNumber) s->WriteIntegerValue(valuePath, VersionNumber);
  } catch (...) {
    s->EndUpdate();
    throw;
  }
  s->EndUpdate();
}

// ---- Root storage ---------------------------------------------------------------

TCkAppStorage::TCkAppStorage(fw::TComponent* AOwner) : TCkCustomAppStorage(AOwner) {}

void TCkAppStorage::InvalidPath() { throw ECKAppStorageError(u"Invalid path"); }
void TCkAppStorage::ListFolders(const String&, fw::TStrings*, bool) {}
void TCkAppStorage::ListValues(const String&, fw::TStrings*, bool) {}
bool TCkAppStorage::CheckIsFolder(const String&, bool) { InvalidPath(); }
bool TCkAppStorage::CheckPathExists(const String&) { InvalidPath(); }
bool TCkAppStorage::CheckValueStored(const String&) { InvalidPath(); }
void TCkAppStorage::RemoveValue(const String&) { InvalidPath(); }
void TCkAppStorage::RemoveSubTree(const String&) { InvalidPath(); }

FW_REGISTER(TCkCustomAppStorage) {
  using S = TCkCustomAppStorage;
  c.Property(u"StorageOptions", &S::StorageOptions, &S::SetStorageOptions);
  c.Property(u"SubStorages", &S::SubStorages, &S::SetSubStorages);
  c.Property(u"TranslateStringEngine", &S::TranslateStringEngine, &S::SetTranslateStringEngine);
  c.Property(u"AutoFlush", &S::AutoFlush, &S::SetAutoFlush).Default(false);
  c.Property(u"AutoReload", &S::AutoReload, &S::SetAutoReload).Default(false);
  c.Property(u"ReadOnly", &S::ReadOnly, &S::SetReadOnly).Default(false);
  c.Property(u"FlushOnDestroy", &S::FlushOnDestroy, &S::WriteFlushOnDestroy).Default(true);
  c.Property(u"SynchronizeFlushReload", &S::SynchronizeFlushReload, &S::SetSynchronizeFlushReload).Default(false);
  c.Event(u"OnTranslatePropertyName", &S::FOnTranslatePropertyName);
  c.Event(u"OnEncryptPropertyValue", &S::FOnEncryptPropertyValue);
  c.Event(u"OnDecryptPropertyValue", &S::FOnDecryptPropertyValue);
  c.Event(u"OnError", &S::FOnError);
}

FW_REGISTER(TCkAppStorage) {}

}  // namespace services
