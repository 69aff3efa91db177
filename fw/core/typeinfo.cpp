#include "fw/core/typeinfo.h"

#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"

namespace fw {
namespace {

char16_t UpCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  return c;
}

bool SameIdent(StringView a, StringView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpCase(a[i]) != UpCase(b[i])) return false;
  return true;
}

StringView Trim(StringView s) {
  while (!s.empty() && s.front() <= u' ') s.remove_prefix(1);
  while (!s.empty() && s.back() <= u' ') s.remove_suffix(1);
  return s;
}

TOrdType OrdTypeOfSize(size_t size, bool isSigned) {
  switch (size) {
    case 1: return isSigned ? otSByte : otUByte;
    case 2: return isSigned ? otSWord : otUWord;
    default: return isSigned ? otSLong : otULong;
  }
}

[[noreturn]] void RaiseElement(StringView name) {
  throw EPropertyError(u"Invalid property element: " + String(name));
}

// Decimal integer, optionally signed; false on anything else.
bool ParseDecimal(StringView s, int64_t& value) {
  if (s.empty()) return false;
  bool negative = false;
  size_t i = 0;
  if (s[0] == u'-' || s[0] == u'+') {
    negative = s[0] == u'-';
    i = 1;
  }
  if (i == s.size()) return false;
  uint64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < u'0' || s[i] > u'9') return false;
    if (v > (uint64_t{1} << 62)) return false;
    v = v * 10 + static_cast<uint64_t>(s[i] - u'0');
  }
  value = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
  return true;
}

String DecimalText(int64_t v) {
  std::string s = std::to_string(v);
  return String(s.begin(), s.end());
}

}  // namespace

String TTypeInfo::Name() const {
  if (FKind == tkClass) {
    TClass c = ClassType();
    return c ? c->ClassName() : String();
  }
  return FName;
}

bool TTypeInfo::IsOrdinal() const {
  return FKind == tkInteger || FKind == tkChar || FKind == tkEnumeration || FKind == tkWChar;
}

String TTypeInfo::EnumName(int64_t value) const {
  const TTypeInfo* base = BaseType();
  if (FKind != tkEnumeration || value < FMin || value > FMax) return String();
  size_t i = static_cast<size_t>(value - base->FMin);
  return i < base->FNames.size() ? base->FNames[i] : String();
}

int64_t TTypeInfo::EnumValue(StringView name) const {
  if (FKind != tkEnumeration) return -1;
  const TTypeInfo* base = BaseType();
  for (int64_t v = FMax; v >= FMin; --v) {
    size_t i = static_cast<size_t>(v - base->FMin);
    if (i < base->FNames.size() && SameIdent(base->FNames[i], name)) return v;
  }
  return -1;
}

bool TTypeInfo::IsBooleanLike() const {
  return this == TypeInfoBoolean() || (FKind == tkEnumeration && BaseType()->FMin < 0);
}

TClass TTypeInfo::ClassType() const { return FClassOf ? FClassOf() : nullptr; }

const TTypeInfo* TTypeInfo::MakeInteger(const char16_t* name, TOrdType ordType, int64_t min, int64_t max,
                                        TIntToIdent toIdent, TIdentToInt fromIdent) {
  auto* t = new TTypeInfo(tkInteger, name);
  t->FOrdType = ordType;
  t->FMin = min;
  t->FMax = max;
  t->FIntToIdent = toIdent;
  t->FIdentToInt = fromIdent;
  return t;
}

const TTypeInfo* TTypeInfo::MakeChar(const char16_t* name, TTypeKind kind, TOrdType ordType, int64_t max) {
  auto* t = new TTypeInfo(kind, name);
  t->FOrdType = ordType;
  t->FMax = max;
  return t;
}

const TTypeInfo* TTypeInfo::MakeEnum(const char16_t* name, const char16_t* names, size_t size) {
  auto* t = new TTypeInfo(tkEnumeration, name);
  t->FOrdType = OrdTypeOfSize(size, false);
  StringView rest(names);
  while (!rest.empty()) {
    size_t comma = rest.find(u',');
    StringView item = Trim(rest.substr(0, comma));
    if (!item.empty()) t->FNames.emplace_back(item);
    rest = comma == StringView::npos ? StringView() : rest.substr(comma + 1);
  }
  t->FMax = static_cast<int64_t>(t->FNames.size()) - 1;
  return t;
}

const TTypeInfo* TTypeInfo::MakeEnumSubrange(const char16_t* name, const TTypeInfo* base, int64_t min,
                                             int64_t max) {
  auto* t = new TTypeInfo(tkEnumeration, name);
  t->FOrdType = base->FOrdType;
  t->FBase = base->BaseType();
  t->FMin = min;
  t->FMax = max;
  return t;
}

const TTypeInfo* TTypeInfo::MakeSet(const char16_t* name, const TTypeInfo* element) {
  int64_t span = element->FMax - (element->FMin - ((element->FMin % 8) + 8) % 8) + 1;
  if (span > 64) throw EPropertyError(u"Set type too large");
  auto* t = new TTypeInfo(tkSet, name);
  t->FBase = element;
  t->FOrdType = span <= 8 ? otUByte : span <= 16 ? otUWord : otULong;
  return t;
}

const TTypeInfo* TTypeInfo::MakeFloat(const char16_t* name, TFloatType floatType) {
  auto* t = new TTypeInfo(tkFloat, name);
  t->FFloatType = floatType;
  return t;
}

const TTypeInfo* TTypeInfo::MakeString(const char16_t* name) {
  return new TTypeInfo(tkUString, name);
}

const TTypeInfo* TTypeInfo::MakeInt64(const char16_t* name, int64_t min, int64_t max) {
  auto* t = new TTypeInfo(tkInt64, name);
  t->FMin = min;
  t->FMax = max;
  return t;
}

const TTypeInfo* TTypeInfo::MakeClass(TClass (*classOf)()) {
  auto* t = new TTypeInfo(tkClass, u"");
  t->FClassOf = classOf;
  return t;
}

const TTypeInfo* TTypeInfo::MakeMethod(const char16_t* name) {
  return new TTypeInfo(tkMethod, name);
}

#define FW_BUILTIN(Function, Make) \
  const TTypeInfo* Function() {    \
    static const TTypeInfo* t = Make; \
    return t;                      \
  }

FW_BUILTIN(TypeInfoBoolean, TTypeInfo::MakeEnum(u"Boolean", u"False, True", 1))
FW_BUILTIN(TypeInfoShortInt, TTypeInfo::MakeInteger(u"ShortInt", otSByte, -128, 127))
FW_BUILTIN(TypeInfoByte, TTypeInfo::MakeInteger(u"Byte", otUByte, 0, 255))
FW_BUILTIN(TypeInfoSmallInt, TTypeInfo::MakeInteger(u"SmallInt", otSWord, -32768, 32767))
FW_BUILTIN(TypeInfoWord, TTypeInfo::MakeInteger(u"Word", otUWord, 0, 65535))
FW_BUILTIN(TypeInfoInteger, TTypeInfo::MakeInteger(u"Integer", otSLong, INT32_MIN, INT32_MAX))
FW_BUILTIN(TypeInfoCardinal, TTypeInfo::MakeInteger(u"Cardinal", otULong, 0, UINT32_MAX))
FW_BUILTIN(TypeInfoInt64, TTypeInfo::MakeInt64(u"Int64", INT64_MIN, INT64_MAX))
FW_BUILTIN(TypeInfoUInt64, TTypeInfo::MakeInt64(u"UInt64", 0, INT64_MAX))
FW_BUILTIN(TypeInfoAnsiChar, TTypeInfo::MakeChar(u"AnsiChar", tkChar, otUByte, 255))
FW_BUILTIN(TypeInfoWideChar, TTypeInfo::MakeChar(u"WideChar", tkWChar, otUWord, 65535))
FW_BUILTIN(TypeInfoSingle, TTypeInfo::MakeFloat(u"Single", ftSingle))
FW_BUILTIN(TypeInfoDouble, TTypeInfo::MakeFloat(u"Double", ftDouble))
FW_BUILTIN(TypeInfoString, TTypeInfo::MakeString(u"string"))
FW_BUILTIN(TypeInfoTDateTime, TTypeInfo::MakeFloat(u"TDateTime", ftDouble))
FW_BUILTIN(TypeInfoTFileName, TTypeInfo::MakeString(u"TFileName"))

#undef FW_BUILTIN

bool IntToIdentIn(const TIdentMapEntry* map, size_t count, int64_t value, String& ident) {
  for (size_t i = 0; i < count; ++i)
    if (map[i].Value == value) {
      ident = map[i].Name;
      return true;
    }
  return false;
}

bool IdentToIntIn(const TIdentMapEntry* map, size_t count, StringView ident, int64_t& value) {
  for (size_t i = 0; i < count; ++i)
    if (SameIdent(map[i].Name, ident)) {
      value = map[i].Value;
      return true;
    }
  return false;
}

String EnumToString(const TTypeInfo* enumType, int64_t value) { return enumType->EnumName(value); }

int64_t StringToEnum(const TTypeInfo* enumType, StringView name) {
  int64_t v = enumType->EnumValue(Trim(name));
  if (v < 0) RaiseElement(name);
  return v;
}

int SetElementBit(const TTypeInfo* setType, int64_t ordinal) {
  const TTypeInfo* e = setType->ElementType();
  int64_t first = e->MinValue() - ((e->MinValue() % 8) + 8) % 8;
  return static_cast<int>(ordinal - first);
}

uint64_t SetFullMask(const TTypeInfo* setType) {
  const TTypeInfo* e = setType->ElementType();
  uint64_t mask = 0;
  for (int64_t v = e->MinValue(); v <= e->MaxValue(); ++v) mask |= uint64_t{1} << SetElementBit(setType, v);
  return mask;
}

String SetToString(const TTypeInfo* setType, uint64_t mask, bool brackets) {
  const TTypeInfo* e = setType->ElementType();
  String result;
  for (int64_t v = e->MinValue(); v <= e->MaxValue(); ++v) {
    if (!(mask & (uint64_t{1} << SetElementBit(setType, v)))) continue;
    if (!result.empty()) result += u", ";
    result += e->Kind() == tkEnumeration ? e->EnumName(v) : DecimalText(v);
  }
  return brackets ? u"[" + result + u"]" : result;
}

uint64_t StringToSet(const TTypeInfo* setType, StringView text) {
  const TTypeInfo* e = setType->ElementType();
  StringView rest = Trim(text);
  if (!rest.empty() && rest.front() == u'[') {
    if (rest.back() != u']') RaiseElement(text);
    rest = rest.substr(1, rest.size() - 2);
  }
  uint64_t mask = 0;
  while (!rest.empty()) {
    size_t comma = rest.find(u',');
    StringView item = Trim(rest.substr(0, comma));
    rest = comma == StringView::npos ? StringView() : rest.substr(comma + 1);
    if (item.empty()) continue;
    int64_t v = -1;
    if (e->Kind() == tkEnumeration) {
      v = e->EnumValue(item);
      if (v < 0) RaiseElement(item);
    } else if (!ParseDecimal(item, v) || v < e->MinValue() || v > e->MaxValue()) {
      RaiseElement(item);
    }
    mask |= uint64_t{1} << SetElementBit(setType, v);
  }
  return mask;
}

}  // namespace fw
