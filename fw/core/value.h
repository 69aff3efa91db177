// The value of a published property, read or written by name: an ordinal
// (integers, characters, enumerations, Booleans, Int64), a float, a string,
// a set as bit mask, an object or a method.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "fw/core/events.h"
#include "fw/core/sets.h"
#include "fw/core/typeinfo.h"
#include "fw/core/types.h"

namespace fw {

class TObject;

enum class TValueKind : uint8_t { Empty, Ordinal, Float, String, Set, Object, Method };

class TValue {
 public:
  TValue() = default;
  template <std::integral I>
  TValue(I v) : FKind(TValueKind::Ordinal), FOrd(static_cast<int64_t>(v)) {}
  template <class E>
    requires std::is_enum_v<E>
  TValue(E v) : FKind(TValueKind::Ordinal), FOrd(static_cast<int64_t>(v)) {}
  TValue(double v) : FKind(TValueKind::Float), FFloat(v) {}
  TValue(String v) : FKind(TValueKind::String), FStr(std::move(v)) {}
  TValue(const char16_t* v) : FKind(TValueKind::String), FStr(v) {}
  TValue(TObject* v) : FKind(TValueKind::Object), FObj(v) {}
  TValue(std::nullptr_t) : FKind(TValueKind::Object) {}
  template <class E>
  TValue(TSet<E> v) : FKind(TValueKind::Set), FOrd(static_cast<int64_t>(v.Mask())) {}
  // methodType is the descriptor of the method's signature (MethodTypeInfo).
  TValue(const TMethod& m, const TTypeInfo* methodType)
      : FKind(TValueKind::Method), FMethod(m), FMethodType(methodType) {}
  template <class Sig>
  TValue(const TEvent<Sig>& e) : TValue(e.Method(), MethodTypeInfo<Sig>()) {}

  static TValue FromSet(uint64_t mask);

  TValueKind Kind() const { return FKind; }
  bool IsEmpty() const { return FKind == TValueKind::Empty; }

  // Each accessor raises EConvertError when the value is of another kind;
  // AsFloat also takes an ordinal.
  int64_t AsOrdinal() const;
  double AsFloat() const;
  const String& AsString() const;
  uint64_t AsSet() const;
  TObject* AsObject() const;
  const TMethod& AsMethod() const;
  const TTypeInfo* MethodType() const { return FMethodType; }

  friend bool operator==(const TValue& a, const TValue& b);

 private:
  TValueKind FKind = TValueKind::Empty;
  int64_t FOrd = 0;
  double FFloat = 0;
  String FStr;
  TObject* FObj = nullptr;
  TMethod FMethod;
  const TTypeInfo* FMethodType = nullptr;
};

}  // namespace fw
