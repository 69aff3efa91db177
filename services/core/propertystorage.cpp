#include "services/core/propertystorage.h"

#include <algorithm>
#include <map>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"

namespace services {

// ---- Property lists --------------------------------------------------------

TCkPropInfoList::TCkPropInfoList(fw::TObject* AObject, TTypeKinds Filter) {
  if (!AObject || !AObject->ClassType()) return;
  for (const fw::TPropInfo* p : AObject->ClassType()->Properties())
    if (Filter & TypeKindBit(p->Kind())) FList.push_back(p);
  std::stable_sort(FList.begin(), FList.end(), [](const fw::TPropInfo* a, const fw::TPropInfo* b) {
    return fw::CompareText(a->Name(), b->Name()) < 0;
  });
}

bool TCkPropInfoList::Contains(const fw::TPropInfo* P) const {
  return std::any_of(FList.begin(), FList.end(), [P](const fw::TPropInfo* q) {
    return q->PropType() == P->PropType() && fw::SameText(q->Name(), P->Name());
  });
}

const fw::TPropInfo* TCkPropInfoList::Find(StringView AName) const {
  for (const fw::TPropInfo* p : FList)
    if (fw::SameText(p->Name(), AName)) return p;
  return nullptr;
}

void TCkPropInfoList::Delete(int Index) { FList.erase(FList.begin() + Index); }

void TCkPropInfoList::Intersect(const TCkPropInfoList& List) {
  for (int i = Count() - 1; i >= 0; --i)
    if (!List.Contains(FList[static_cast<size_t>(i)])) Delete(i);
}

// ---- Lines -------------------------------------------------------------------

TStoredPropLine ParseStoredPropLine(StringView Line) {
  const size_t dot = Line.find(u'.');
  if (dot == StringView::npos) return {fw::Trim(Line), String()};
  return {fw::Trim(Line.substr(0, dot)), fw::Trim(Line.substr(dot + 1))};
}

String MakeStoredPropLine(StringView Component, StringView Property) {
  return String(Component) + u"." + String(Property);
}

void ResolveStoredProps(fw::TStrings& List, fw::TComponent* Owner) {
  for (int i = List.Count() - 1; i >= 0; --i) {
    const TStoredPropLine line = ParseStoredPropLine(List.Strings(i));
    fw::TComponent* c = line.Valid() && Owner ? Owner->FindComponent(line.Component) : nullptr;
    if (c) List.SetObjects(i, c);
    else List.Delete(i);
  }
}

void RefreshStoredProps(fw::TStrings& List) {
  for (int i = List.Count() - 1; i >= 0; --i) {
    const TStoredPropLine line = ParseStoredPropLine(List.Strings(i));
    auto* c = dynamic_cast<fw::TComponent*>(List.Objects(i));
    if (line.Valid() && c) {
      fw::TObject* object = c;
      List.SetStrings(i, MakeStoredPropLine(c->Name(), line.Property));
      List.SetObjects(i, object);
    } else {
      List.Delete(i);
    }
  }
}

// ---- Property storage ------------------------------------------------------

void TCkPropertyStorage::StoreObjectsProps(fw::TComponent* AComponent, fw::TStrings& StoredList) {
  RunObjectsProps(AComponent, StoredList, true);
}

void TCkPropertyStorage::LoadObjectsProps(fw::TComponent* AComponent, fw::TStrings& StoredList) {
  RunObjectsProps(AComponent, StoredList, false);
}

void TCkPropertyStorage::RunObjectsProps(fw::TComponent* AComponent, fw::TStrings& StoredList, bool Storing) {
  RefreshStoredProps(StoredList);
  // One property table per component, shared by all of its lines.
  std::map<String, TCkPropInfoList, bool (*)(const String&, const String&)> tables(
      [](const String& a, const String& b) { return fw::CompareText(a, b) < 0; });
  for (int i = 0; i < StoredList.Count(); ++i)
    if (auto* c = dynamic_cast<fw::TComponent*>(StoredList.Objects(i)))
      if (!tables.count(c->Name())) tables.emplace(c->Name(), TCkPropInfoList(c, StorablePropertyKinds));
  struct TRestore {
    TCkPropertyStorage* self;
    ~TRestore() { self->FOwner = nullptr; }
  } restore{this};
  FOwner = AComponent;
  for (int i = 0; i < StoredList.Count(); ++i) {
    const TStoredPropLine line = ParseStoredPropLine(StoredList.Strings(i));
    auto* c = dynamic_cast<fw::TComponent*>(StoredList.Objects(i));
    if (!line.Valid() || !c) continue;
    FObject = c;
    FPrefix = c->Name();
    auto table = tables.find(c->Name());
    if (table == tables.end()) continue;
    FPrefix += u"_";
    const fw::TPropInfo* info = table->second.Find(line.Property);
    if (!info) continue;
    if (Storing) StoreAnyProperty(info);
    else LoadAnyProperty(info);
  }
}

namespace {

const fw::TPropInfo* PropertyOf(fw::TPersistent* object, const String& name) {
  if (!object || !object->ClassType()) return nullptr;
  TCkPropInfoList list(object, StorablePropertyKinds);
  return list.Find(name);
}

// The component a class-typed property holds, or null.
fw::TComponent* ComponentValue(fw::TPersistent* object, const fw::TPropInfo* info) {
  if (info->Kind() != fw::tkClass) return nullptr;
  return dynamic_cast<fw::TComponent*>(info->GetValue(object).AsObject());
}

}  // namespace

void TCkPropertyStorage::StoreProperties(const fw::TStrings& PropList) {
  for (int i = 0; i < PropList.Count(); ++i)
    if (const fw::TPropInfo* info = PropertyOf(FObject, PropList.Strings(i))) StoreAnyProperty(info);
}

void TCkPropertyStorage::LoadProperties(const fw::TStrings& PropList) {
  for (int i = 0; i < PropList.Count(); ++i)
    if (const fw::TPropInfo* info = PropertyOf(FObject, PropList.Strings(i))) LoadAnyProperty(info);
}

String TCkPropertyStorage::PropertyPath(const fw::TPropInfo* PropInfo, bool Reading) {
  String name = GetItemName(PropInfo->Name());
  if (FAppStorage) name = FAppStorage->TranslatePropertyName(FObject, name, Reading);
  return TCkCustomAppStorage::ConcatPaths({FAppStoragePath, name});
}

void TCkPropertyStorage::StoreAnyProperty(const fw::TPropInfo* PropInfo) {
  if (!PropInfo || !PropInfo->CanWrite() || !FObject || !FAppStorage) return;
  const String path = PropertyPath(PropInfo, false);
  if (fw::TComponent* c = ComponentValue(FObject, PropInfo)) {
    FAppStorage->WriteString(path, c->Name());
    return;
  }
  FAppStorage->WriteProperty(path, FObject, PropInfo->Name(), true, nullptr);
}

void TCkPropertyStorage::LoadAnyProperty(const fw::TPropInfo* PropInfo) {
  if (!PropInfo || !PropInfo->CanWrite() || !FObject || !FAppStorage) return;
  try {
    const String path = PropertyPath(PropInfo, true);
    if (ComponentValue(FObject, PropInfo)) {
      const String name = FAppStorage->ReadString(path, String());
      // The nearest owner that has a component of exactly that name.
      for (fw::TComponent* owner = FOwner; owner; owner = owner->Owner())
        for (int i = 0; i < owner->ComponentCount(); ++i)
          if (owner->Components(i)->Name() == name) {
            PropInfo->SetValue(FObject, fw::TValue(static_cast<fw::TObject*>(owner->Components(i))));
            return;
          }
      return;
    }
    if (FAppStorage->ValueStored(path) || FAppStorage->IsFolder(path, false))
      FAppStorage->ReadProperty(path, FObject, PropInfo->Name(), true, true, nullptr);
  } catch (...) {
    // One bad value never stops the others; the property keeps its value.
  }
}

String TCkPropertyStorage::ReadItemString(const String& Path, const String& Item, const String& Default) {
  if (!FAppStorage) return Default;
  const String name = FAppStorage->TranslatePropertyName(nullptr, Item, true);
  return FAppStorage->ReadString(TCkCustomAppStorage::ConcatPaths({Path, name}), Default);
}

void TCkPropertyStorage::WriteItemString(const String& Path, const String& Item, const String& Value) {
  if (!FAppStorage) return;
  const String name = FAppStorage->TranslatePropertyName(nullptr, Item, false);
  FAppStorage->WriteString(TCkCustomAppStorage::ConcatPaths({Path, name}), Value);
}

void TCkPropertyStorage::EraseSection(const String& Path) {
  if (FAppStorage) FAppStorage->DeleteSubTree(Path);
}

TCkPropertyStorage* TCkPropertyStorage::CreateStorage() {
  auto* s = new TCkPropertyStorage();
  s->SetAppStorage(FAppStorage);
  return s;
}

}  // namespace services
