// Named values a window fills in code and that are saved and restored with
// its placement, optionally under a key that turns their text into XOR-ed
// hexadecimal.
#pragma once

#include "fw/core/collection.h"
#include "fw/core/events.h"
#include "services/core/appstorage.h"

namespace services {

// The value of a stored value: unassigned, null or one typed value.
class TCkStoredVariant {
 public:
  enum TKind : uint8_t { vkUnassigned, vkNull, vkInteger, vkInt64, vkFloat, vkDate, vkBoolean, vkString };
  TCkStoredVariant() = default;
  static TCkStoredVariant Null() { return Make(vkNull); }
  static TCkStoredVariant Integer(int v) { auto r = Make(vkInteger); r.int_ = v; return r; }
  static TCkStoredVariant Int64(int64_t v) { auto r = Make(vkInt64); r.int_ = v; return r; }
  static TCkStoredVariant Float(double v) { auto r = Make(vkFloat); r.float_ = v; return r; }
  static TCkStoredVariant Date(fw::TDateTime v) { auto r = Make(vkDate); r.float_ = v; return r; }
  static TCkStoredVariant Boolean(bool v) { auto r = Make(vkBoolean); r.int_ = v; return r; }
  static TCkStoredVariant Text(const String& v) { auto r = Make(vkString); r.str_ = v; return r; }

  TKind Kind() const { return kind_; }
  bool IsUnassigned() const { return kind_ == vkUnassigned; }
  bool IsNull() const { return kind_ == vkNull; }
  int64_t AsInteger() const { return int_; }
  double AsFloat() const { return float_; }
  bool AsBoolean() const { return int_ != 0; }
  // The value as text ("" when unassigned or null).
  String AsString() const;
  friend bool operator==(const TCkStoredVariant&, const TCkStoredVariant&) = default;

 private:
  static TCkStoredVariant Make(TKind k) {
    TCkStoredVariant v;
    v.kind_ = k;
    return v;
  }
  TKind kind_ = vkUnassigned;
  int64_t int_ = 0;
  double float_ = 0;
  String str_;
};

// Integers of 32 bits and less: the stored values of integer type.
bool IsIntegerVariant(const TCkStoredVariant& Value);

class TCkStoredValue;
using TCkStoredValueEvent = fw::TEvent<void(TCkStoredValue* Sender, TCkStoredVariant& Value)>;

class TCkStoredValue : public fw::TCollectionItem {
  FW_CLASS(TCkStoredValue, fw::TCollectionItem)
  TCkStoredValue() = default;

  const String& Name() const { return FName; }
  // "String list does not allow duplicates" for a name another item has.
  void SetName(const String& Value);
  const TCkStoredVariant& Value() const { return FValue; }
  void SetValue(const TCkStoredVariant& Value) { FValue = Value; }
  const String& KeyString() const { return FKeyString; }
  void SetKeyString(const String& Value) { FKeyString = Value; }
  void Clear() { FValue = TCkStoredVariant(); }
  String DisplayName() const override;
  void Assign(fw::TPersistent* Source) override;

  virtual void Save();
  virtual void Restore();

  TCkStoredValueEvent FOnSave;
  TCkStoredValueEvent FOnRestore;

 private:
  String FName;
  TCkStoredVariant FValue;
  String FKeyString;
};

class TCkStoredValues : public fw::TCollection {
  FW_CLASS(TCkStoredValues, fw::TCollection)
  explicit TCkStoredValues(fw::TPersistent* AOwner = nullptr);

  TCkStoredValue* Items(int Index) const { return static_cast<TCkStoredValue*>(TCollection::Items(Index)); }
  // Where the values go: the storage and the folder below it (set by the
  // form storage that owns the collection; no storage: nothing is stored).
  TCkCustomAppStorage* Storage() const { return FStorage; }
  void SetStorage(TCkCustomAppStorage* Value) { FStorage = Value; }
  const String& Path() const { return FPath; }
  void SetPath(const String& Value) { FPath = Value; }

  int IndexOf(const String& Name) const;
  TCkStoredValue* Values(const String& Name) const;
  // Null when there is no such value.
  TCkStoredVariant StoredValue(const String& Name) const;
  // Sets the value of that name, adding it when there is none.
  void SetStoredValue(const String& Name, const TCkStoredVariant& Value);

  virtual void SaveValues();
  virtual void RestoreValues();

 private:
  TCkCustomAppStorage* FStorage = nullptr;
  String FPath;
};

}  // namespace services
