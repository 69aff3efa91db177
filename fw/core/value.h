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
  TValue(I v) : kind_(TValueKind::Ordinal), ord_(static_cast<int64_t>(v)) {}
  template <class E>
    requires std::is_enum_v<E>
  TValue(E v) : kind_(TValueKind::Ordinal), ord_(static_cast<int64_t>(v)) {}
  TValue(double v) : kind_(TValueKind::Float), float_(v) {}
  TValue(String v) : kind_(TValueKind::String), str_(std::move(v)) {}
  TValue(const char16_t* v) : kind_(TValueKind::String), str_(v) {}
  TValue(TObject* v) : kind_(TValueKind::Object), obj_(v) {}
  TValue(std::nullptr_t) : kind_(TValueKind::Object) {}
  template <class E>
  TValue(TSet<E> v) : kind_(TValueKind::Set), ord_(static_cast<int64_t>(v.Mask())) {}
  // methodType is the descriptor of the method's signature (MethodTypeInfo).
  TValue(const TMethod& m, const TTypeInfo* methodType)
      : kind_(TValueKind::Method), method_(m), methodType_(methodType) {}
  template <class Sig>
  TValue(const TEvent<Sig>& e) : TValue(e.Method(), MethodTypeInfo<Sig>()) {}

  static TValue FromSet(uint64_t mask);

  TValueKind Kind() const { return kind_; }
  bool IsEmpty() const { return kind_ == TValueKind::Empty; }

  // Each accessor raises EConvertError when the value is of another kind;
  // AsFloat also takes an ordinal.
  int64_t AsOrdinal() const;
  double AsFloat() const;
  const String& AsString() const;
  uint64_t AsSet() const;
  TObject* AsObject() const;
  const TMethod& AsMethod() const;
  const TTypeInfo* MethodType() const { return methodType_; }

  friend bool operator==(const TValue& a, const TValue& b);

 private:
  TValueKind kind_ = TValueKind::Empty;
  int64_t ord_ = 0;
  double float_ = 0;
  String str_;
  TObject* obj_ = nullptr;
  TMethod method_;
  const TTypeInfo* methodType_ = nullptr;
};

}  // namespace fw
