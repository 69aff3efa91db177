// Type descriptors of run-time type information: the kind of a published
// type and what belongs to it (ordinal width and range, enumeration names,
// a set's element type, a class, identifier converters). Descriptors live
// for the whole run; they are compared by address.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "fw/core/events.h"
#include "fw/core/sets.h"
#include "fw/core/types.h"

namespace fw {

class TObject;
class TClassInfo;
using TClass = const TClassInfo*;

// The framework's numbering of type kinds.
enum TTypeKind : uint8_t {
  tkUnknown = 0,
  tkInteger = 1,
  tkChar = 2,
  tkEnumeration = 3,
  tkFloat = 4,
  tkString = 5,
  tkSet = 6,
  tkClass = 7,
  tkMethod = 8,
  tkWChar = 9,
  tkLString = 10,
  tkWString = 11,
  tkVariant = 12,
  tkArray = 13,
  tkRecord = 14,
  tkInterface = 15,
  tkInt64 = 16,
  tkDynArray = 17,
  tkUString = 18,
};

enum TOrdType : uint8_t { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType : uint8_t { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

// Integer <-> identifier converters of a type (colour names, cursor names).
using TIntToIdent = bool (*)(int64_t value, String& ident);
using TIdentToInt = bool (*)(StringView ident, int64_t& value);

// A table of named integer constants, for writing IntToIdent/IdentToInt.
struct TIdentMapEntry {
  int64_t Value;
  const char16_t* Name;
};
bool IntToIdentIn(const TIdentMapEntry* map, size_t count, int64_t value, String& ident);
bool IdentToIntIn(const TIdentMapEntry* map, size_t count, StringView ident, int64_t& value);

class TTypeInfo {
 public:
  TTypeKind Kind() const { return FKind; }
  // A class type is named after its class.
  String Name() const;

  // Ordinal kinds (integer, char, enumeration) and Int64.
  bool IsOrdinal() const;
  TOrdType OrdType() const { return FOrdType; }
  int64_t MinValue() const { return FMin; }
  int64_t MaxValue() const { return FMax; }

  // Enumeration: the type it is a sub-range of (itself when none).
  // Set: the element type.
  const TTypeInfo* BaseType() const { return FBase ? FBase : this; }
  const TTypeInfo* ElementType() const { return FBase; }

  // Enumeration names; EnumName is empty outside the range. EnumValue
  // compares case-insensitively and returns -1 for an unknown name.
  String EnumName(int64_t value) const;
  int64_t EnumValue(StringView name) const;
  // Boolean and the enumerations whose base type has a negative minimum.
  bool IsBooleanLike() const;

  TFloatType FloatType() const { return FFloatType; }
  TClass ClassType() const;  // class kind

  TIntToIdent IntToIdent() const { return FIntToIdent; }
  TIdentToInt IdentToInt() const { return FIdentToInt; }

  // Constructors of descriptors; the result is never freed.
  static const TTypeInfo* MakeInteger(const char16_t* name, TOrdType ordType, int64_t min, int64_t max,
                                      TIntToIdent toIdent = nullptr, TIdentToInt fromIdent = nullptr);
  static const TTypeInfo* MakeChar(const char16_t* name, TTypeKind kind, TOrdType ordType, int64_t max);
  // names: identifiers separated by commas ("alNone, alTop"), ordinals 0..n-1.
  static const TTypeInfo* MakeEnum(const char16_t* name, const char16_t* names, size_t size);
  static const TTypeInfo* MakeEnumSubrange(const char16_t* name, const TTypeInfo* base, int64_t min, int64_t max);
  // Members occupy bits (v - element minimum rounded down to a multiple of
  // 8); the span must fit in 64 bits.
  static const TTypeInfo* MakeSet(const char16_t* name, const TTypeInfo* element);
  static const TTypeInfo* MakeFloat(const char16_t* name, TFloatType floatType);
  static const TTypeInfo* MakeString(const char16_t* name);
  static const TTypeInfo* MakeInt64(const char16_t* name, int64_t min, int64_t max);
  static const TTypeInfo* MakeClass(TClass (*classOf)());
  static const TTypeInfo* MakeMethod(const char16_t* name);

 private:
  TTypeInfo(TTypeKind kind, const char16_t* name) : FKind(kind), FName(name) {}
  TTypeKind FKind = tkUnknown;
  String FName;
  TOrdType FOrdType = otSLong;
  TFloatType FFloatType = ftDouble;
  int64_t FMin = 0;
  int64_t FMax = 0;
  const TTypeInfo* FBase = nullptr;
  std::vector<String> FNames;
  TClass (*FClassOf)() = nullptr;
  TIntToIdent FIntToIdent = nullptr;
  TIdentToInt FIdentToInt = nullptr;
};

// Descriptors of the fundamental types.
const TTypeInfo* TypeInfoBoolean();
const TTypeInfo* TypeInfoShortInt();
const TTypeInfo* TypeInfoByte();
const TTypeInfo* TypeInfoSmallInt();
const TTypeInfo* TypeInfoWord();
const TTypeInfo* TypeInfoInteger();
const TTypeInfo* TypeInfoCardinal();
const TTypeInfo* TypeInfoInt64();
const TTypeInfo* TypeInfoUInt64();
const TTypeInfo* TypeInfoAnsiChar();
const TTypeInfo* TypeInfoWideChar();
const TTypeInfo* TypeInfoSingle();
const TTypeInfo* TypeInfoDouble();
const TTypeInfo* TypeInfoString();
// Types with their own identity over a shared C++ type: pass them to a
// property's Type() when it is registered.
const TTypeInfo* TypeInfoTColor();     // Integer with colour names
const TTypeInfo* TypeInfoTCursor();    // SmallInt with cursor names
const TTypeInfo* TypeInfoTDateTime();  // Double
const TTypeInfo* TypeInfoTFileName();  // string

// Enumeration and set text. StringToEnum and StringToSet raise EPropertyError
// "Invalid property element: X" for a name the type does not have.
String EnumToString(const TTypeInfo* enumType, int64_t value);
int64_t StringToEnum(const TTypeInfo* enumType, StringView name);
// "[fsBold, fsItalic]" (names of an enumeration element type, decimal
// numbers of an integer one); brackets optional when reading.
String SetToString(const TTypeInfo* setType, uint64_t mask, bool brackets = true);
uint64_t StringToSet(const TTypeInfo* setType, StringView text);
// Bit of a set member, and the mask of every member of the set type.
int SetElementBit(const TTypeInfo* setType, int64_t ordinal);
uint64_t SetFullMask(const TTypeInfo* setType);

template <class Sig>
const TTypeInfo* MethodTypeInfo() {
  static const TTypeInfo* info = TTypeInfo::MakeMethod(u"TMethod");
  return info;
}

template <class E>
const TTypeInfo* SetTypeInfo();

template <class T>
struct IsEvent : std::false_type {};
template <class Sig>
struct IsEvent<TEvent<Sig>> : std::true_type {};
template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {};

// The descriptor of a C++ type: fundamental types, String, enumerations
// declared with FW_ENUM, TSet of them, pointers to registered classes and
// events.
template <class T>
const TTypeInfo* TypeInfoOf() {
  if constexpr (std::is_same_v<T, bool>) return TypeInfoBoolean();
  else if constexpr (std::is_same_v<T, String>) return TypeInfoString();
  else if constexpr (std::is_same_v<T, char16_t>) return TypeInfoWideChar();
  else if constexpr (std::is_same_v<T, char>) return TypeInfoAnsiChar();
  else if constexpr (std::is_enum_v<T>) return FwTypeInfo(static_cast<T*>(nullptr));
  else if constexpr (std::is_integral_v<T>) {
    if constexpr (sizeof(T) == 1) return std::is_signed_v<T> ? TypeInfoShortInt() : TypeInfoByte();
    else if constexpr (sizeof(T) == 2) return std::is_signed_v<T> ? TypeInfoSmallInt() : TypeInfoWord();
    else if constexpr (sizeof(T) == 4) return std::is_signed_v<T> ? TypeInfoInteger() : TypeInfoCardinal();
    else return std::is_signed_v<T> ? TypeInfoInt64() : TypeInfoUInt64();
  } else if constexpr (std::is_same_v<T, float>) return TypeInfoSingle();
  else if constexpr (std::is_same_v<T, double>) return TypeInfoDouble();
  else if constexpr (IsSet<T>::value) return SetTypeInfo<typename T::Element>();
  else if constexpr (IsEvent<T>::value) return MethodTypeInfo<typename T::Signature>();
  else if constexpr (std::is_pointer_v<T> && std::is_base_of_v<TObject, std::remove_pointer_t<T>>) {
    static const TTypeInfo* info = TTypeInfo::MakeClass(&std::remove_pointer_t<T>::StaticClass);
    return info;
  } else static_assert(sizeof(T) == 0, "type without run-time type information");
}

template <class E>
const TTypeInfo* SetTypeInfo() {
  static const TTypeInfo* info = TTypeInfo::MakeSet(u"", TypeInfoOf<E>());
  return info;
}

}  // namespace fw

// Declares an enumeration (ordinals 0..n-1) with its type descriptor, at
// namespace scope: FW_ENUM(TAlign, alNone, alTop, alBottom).
#define FW_ENUM(Name, ...)                                                     \
  enum Name : uint8_t { __VA_ARGS__ };                                         \
  inline const ::fw::TTypeInfo* FwTypeInfo(Name*) {                            \
    static const ::fw::TTypeInfo* info =                                       \
        ::fw::TTypeInfo::MakeEnum(u"" #Name, u"" #__VA_ARGS__, sizeof(Name));  \
    return info;                                                               \
  }
