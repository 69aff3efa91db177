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
  v.FKind = TValueKind::Set;
  v.FOrd = static_cast<int64_t>(mask);
  return v;
}

int64_t TValue::AsOrdinal() const {
  if (FKind != TValueKind::Ordinal) RaiseKind(u"an ordinal");
  return FOrd;
}

double TValue::AsFloat() const {
  if (FKind == TValueKind::Ordinal) return static_cast<double>(FOrd);
  if (FKind != TValueKind::Float) RaiseKind(u"a number");
  return FFloat;
}

const String& TValue::AsString() const {
  if (FKind != TValueKind::String) RaiseKind(u"a string");
  return FStr;
}

uint64_t TValue::AsSet() const {
  if (FKind != TValueKind::Set) RaiseKind(u"a set");
  return static_cast<uint64_t>(FOrd);
}

TObject* TValue::AsObject() const {
  if (FKind != TValueKind::Object) RaiseKind(u"an object");
  return FObj;
}

const TMethod& TValue::AsMethod() const {
  if (FKind != TValueKind::Method) RaiseKind(u"a method");
  return FMethod;
}

bool operator==(const TValue& a, const TValue& b) {
  if (a.FKind != b.FKind) return false;
  switch (a.FKind) {
    case TValueKind::Empty: return true;
    case TValueKind::Ordinal:
    case TValueKind::Set: return a.FOrd == b.FOrd;
    case TValueKind::Float: return a.FFloat == b.FFloat;
    case TValueKind::String: return a.FStr == b.FStr;
    case TValueKind::Object: return a.FObj == b.FObj;
    case TValueKind::Method: return a.FMethod == b.FMethod;
  }
  return false;
}

}  // namespace fw
