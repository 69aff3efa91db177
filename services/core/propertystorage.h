// Stores and loads the published properties a form storage lists as
// "Component.Property" lines: each line is bound to the live component of
// that name on the form, each value is stored under "Component_Property"
// below the storage path, and the conversion is the settings storage's
// property operation.
#pragma once

#include <cstdint>
#include <vector>

#include "fw/core/component.h"
#include "fw/core/rtti.h"
#include "fw/core/strings_list.h"
#include "services/core/appstorage.h"

namespace services {

// A set of type kinds as bits (bit n for kind n).
using TTypeKinds = uint32_t;
constexpr TTypeKinds TypeKindBit(fw::TTypeKind Kind) { return TTypeKinds(1) << Kind; }
// Every kind except methods (events) and unknown ones.
constexpr TTypeKinds StorablePropertyKinds = ~(TypeKindBit(fw::tkMethod) | TypeKindBit(fw::tkUnknown));

// The published properties of an object whose kind is in a filter, sorted
// by name.
class TCkPropInfoList {
 public:
  TCkPropInfoList(fw::TObject* AObject, TTypeKinds Filter);

  int Count() const { return static_cast<int>(FList.size()); }
  const fw::TPropInfo* Items(int Index) const { return FList.at(static_cast<size_t>(Index)); }
  // Same type and the same name, ignoring case.
  bool Contains(const fw::TPropInfo* P) const;
  // By name, ignoring case; null when there is none.
  const fw::TPropInfo* Find(StringView AName) const;
  void Delete(int Index);
  // Keeps only the entries List contains.
  void Intersect(const TCkPropInfoList& List);

 private:
  std::vector<const fw::TPropInfo*> FList;
};

// One "Component.Property" line.
struct TStoredPropLine {
  String Component, Property;
  // Both parts present.
  bool Valid() const { return !Component.empty() && !Property.empty(); }
};
// Splits at the first "." and trims both parts.
TStoredPropLine ParseStoredPropLine(StringView Line);
String MakeStoredPropLine(StringView Component, StringView Property);

// Binding the lines of a list to the components of Owner (run last to first).
// Resolve: a valid line naming one of Owner's components gets it as its
// object; any other line goes.
void ResolveStoredProps(fw::TStrings& List, fw::TComponent* Owner);
// Refresh: a valid line with an object is rewritten with the object's
// current name; any other line goes.
void RefreshStoredProps(fw::TStrings& List);

class TCkPropertyStorage {
 public:
  TCkPropertyStorage() = default;
  virtual ~TCkPropertyStorage() = default;

  fw::TPersistent* AObject() const { return FObject; }
  void SetAObject(fw::TPersistent* Value) { FObject = Value; }
  const String& Prefix() const { return FPrefix; }
  void SetPrefix(const String& Value) { FPrefix = Value; }
  TCkCustomAppStorage* AppStorage() const { return FAppStorage; }
  void SetAppStorage(TCkCustomAppStorage* Value) { FAppStorage = Value; }
  const String& AppStoragePath() const { return FAppStoragePath; }
  void SetAppStoragePath(const String& Value) { FAppStoragePath = Value; }

  // The list operations of a form storage: the lines are refreshed first.
  // Loading ignores every error of one property; storing lets them through.
  void StoreObjectsProps(fw::TComponent* AComponent, fw::TStrings& StoredList);
  void LoadObjectsProps(fw::TComponent* AComponent, fw::TStrings& StoredList);
  // The properties of AObject named in PropList.
  void StoreProperties(const fw::TStrings& PropList);
  void LoadProperties(const fw::TStrings& PropList);
  void StoreAnyProperty(const fw::TPropInfo* PropInfo);
  void LoadAnyProperty(const fw::TPropInfo* PropInfo);

  virtual String ReadItemString(const String& Path, const String& Item, const String& Default);
  virtual void WriteItemString(const String& Path, const String& Item, const String& Value);
  virtual void EraseSection(const String& Path);
  virtual String GetItemName(const String& AName) { return FPrefix + AName; }
  virtual TCkPropertyStorage* CreateStorage();

 private:
  void RunObjectsProps(fw::TComponent* AComponent, fw::TStrings& StoredList, bool Storing);
  String PropertyPath(const fw::TPropInfo* PropInfo, bool Reading);

  fw::TPersistent* FObject = nullptr;
  fw::TComponent* FOwner = nullptr;
  String FPrefix;
  TCkCustomAppStorage* FAppStorage = nullptr;
  String FAppStoragePath;
};

}  // namespace services
