#include "fw/core/value.h"

#include "fw/core/exceptions.h"

namespace fw {
namespace {

[[noreturn]] void RaiseKind(const char16_t* wanted) {
  throw EConvertError(String(u"Value is not ") + wanted);
}

}  // namespace

TValue TValue::FromSet(uint64_t mask) {
  TValue v;
  v.kind_ = TValueKind::Set;
  v.ord_ = static_cast<int64_t>(mask);
  return v;
}

int64_t TValue::AsOrdinal() const {
  if (kind_ != TValueKind::Ordinal) RaiseKind(u"an ordinal");
  return ord_;
}

double TValue::AsFloat() const {
  if (kind_ == TValueKind::Ordinal) return static_cast<double>(ord_);
  if (kind_ != TValueKind::Float) RaiseKind(u"a number");
  return float_;
}

const String& TValue::AsString() const {
  if (kind_ != TValueKind::String) RaiseKind(u"a string");
  return str_;
}

uint64_t TValue::AsSet() const {
  if (kind_ != TValueKind::Set) RaiseKind(u"a set");
  return static_cast<uint64_t>(ord_);
}

TObject* TValue::AsObject() const {
  if (kind_ != TValueKind::Object) RaiseKind(u"an object");
  return obj_;
}

const TMethod& TValue::AsMethod() const {
  if (kind_ != TValueKind::Method) RaiseKind(u"a method");
  return method_;
}

bool operator==(const TValue& a, const TValue& b) {
  if (a.kind_ != b.kind_) return false;
  switch (a.kind_) {
    case TValueKind::Empty: return true;
    case TValueKind::Ordinal:
    case TValueKind::Set: return a.ord_ == b.ord_;
    case TValueKind::Float: return a.float_ == b.float_;
    case TValueKind::String: return a.str_ == b.str_;
    case TValueKind::Object: return a.obj_ == b.obj_;
    case TValueKind::Method: return a.method_ == b.method_;
  }
  return false;
}

}  // namespace fw
