#include "services/core/storedvalues.h"

#include "fw/core/datetime.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "services/core/textutils.h"

namespace services {

String TCkStoredVariant::AsString() const {
  switch (kind_) {
    case vkInteger:
    case vkInt64: return fw::IntToStr(int_);
    case vkFloat: return fw::FloatToStr(float_);
    case vkDate: return fw::DateTimeToStr(float_);
    case vkBoolean: return int_ ? u"True" : u"False";
    case vkString: return str_;
    default: return String();
  }
}

bool IsIntegerVariant(const TCkStoredVariant& Value) { return Value.Kind() == TCkStoredVariant::vkInteger; }

void TCkStoredValue::SetName(const String& Value) {
  if (!Value.empty() && !fw::SameText(Value, FName)) {
    if (auto* values = dynamic_cast<TCkStoredValues*>(Collection()); values && values->IndexOf(Value) >= 0)
      throw ECKException(u"String list does not allow duplicates");
  }
  FName = Value;
}

String TCkStoredValue::DisplayName() const { return FName.empty() ? fw::TCollectionItem::DisplayName() : FName; }

void TCkStoredValue::Assign(fw::TPersistent* Source) {
  if (auto* s = dynamic_cast<TCkStoredValue*>(Source)) {
    FValue = s->FValue;
    SetName(s->FName);
    FKeyString = s->FKeyString;
    return;
  }
  fw::TCollectionItem::Assign(Source);
}

static TCkStoredValues* ValuesOf(const TCkStoredValue* v) { return dynamic_cast<TCkStoredValues*>(v->Collection()); }

void TCkStoredValue::Save() {
  TCkStoredValues* values = ValuesOf(this);
  TCkCustomAppStorage* storage = values ? values->Storage() : nullptr;
  TCkStoredVariant v = FValue;
  if (FOnSave) FOnSave(this, v);
  if (!storage) return;
  const String path = TCkCustomAppStorage::ConcatPaths({values->Path(), FName});
  if (!FKeyString.empty()) {
    storage->WriteString(path, XorHexEncode(FKeyString, v.AsString()));
    return;
  }
  switch (v.Kind()) {
    case TCkStoredVariant::vkInteger: storage->WriteInteger(path, static_cast<int>(v.AsInteger())); break;
    case TCkStoredVariant::vkFloat: storage->WriteFloat(path, v.AsFloat()); break;
    case TCkStoredVariant::vkDate: storage->WriteDateTime(path, v.AsFloat()); break;
    case TCkStoredVariant::vkBoolean: storage->WriteBoolean(path, v.AsBoolean()); break;
    default: storage->WriteString(path, v.AsString()); break;
  }
}

void TCkStoredValue::Restore() {
  TCkStoredValues* values = ValuesOf(this);
  TCkCustomAppStorage* storage = values ? values->Storage() : nullptr;
  if (!storage) return;
  const String path = TCkCustomAppStorage::ConcatPaths({values->Path(), FName});
  TCkStoredVariant v;
  if (!FKeyString.empty()) {
    v = TCkStoredVariant::Text(
        XorHexDecode(FKeyString, storage->ReadString(path, XorHexEncode(FKeyString, FValue.AsString()))));
  } else {
    switch (FValue.Kind()) {
      case TCkStoredVariant::vkInteger:
        v = TCkStoredVariant::Integer(storage->ReadInteger(path, static_cast<int>(FValue.AsInteger())));
        break;
      case TCkStoredVariant::vkFloat: v = TCkStoredVariant::Float(storage->ReadFloat(path, FValue.AsFloat())); break;
      case TCkStoredVariant::vkDate: v = TCkStoredVariant::Date(storage->ReadDateTime(path, FValue.AsFloat())); break;
      case TCkStoredVariant::vkBoolean:
        v = TCkStoredVariant::Boolean(storage->ReadBoolean(path, FValue.AsBoolean()));
        break;
      default: v = TCkStoredVariant::Text(storage->ReadString(path, FValue.AsString())); break;
    }
  }
  if (FOnRestore) FOnRestore(this, v);
  FValue = v;
}

FW_REGISTER(TCkStoredValue) {
  c.Property(u"Name", &TCkStoredValue::Name, &TCkStoredValue::SetName);
  c.Property(u"KeyString", &TCkStoredValue::KeyString, &TCkStoredValue::SetKeyString);
  c.Event(u"OnSave", &TCkStoredValue::FOnSave);
  c.Event(u"OnRestore", &TCkStoredValue::FOnRestore);
}

TCkStoredValues::TCkStoredValues(fw::TPersistent* AOwner) : fw::TCollection(TCkStoredValue::StaticClass(), AOwner) {}

int TCkStoredValues::IndexOf(const String& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (fw::SameText(Items(i)->Name(), Name)) return i;
  return -1;
}

TCkStoredValue* TCkStoredValues::Values(const String& Name) const {
  int i = IndexOf(Name);
  return i < 0 ? nullptr : Items(i);
}

TCkStoredVariant TCkStoredValues::StoredValue(const String& Name) const {
  TCkStoredValue* v = Values(Name);
  return v ? v->Value() : TCkStoredVariant::Null();
}

void TCkStoredValues::SetStoredValue(const String& Name, const TCkStoredVariant& Value) {
  TCkStoredValue* v = Values(Name);
  if (!v) {
    v = static_cast<TCkStoredValue*>(Add());
    v->SetName(Name);
  }
  v->SetValue(Value);
}

void TCkStoredValues::SaveValues() {
  for (int i = 0; i < Count(); ++i) Items(i)->Save();
}

void TCkStoredValues::RestoreValues() {
  for (int i = 0; i < Count(); ++i) Items(i)->Restore();
}

FW_REGISTER(TCkStoredValues) {}

}  // namespace services
