// Lists, collections and whole objects on top of the typed values: a list
// at P is a folder P with "Count" and one value or folder per item.
#include <memory>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "services/core/appstorage.h"

namespace services {

namespace {

String Join(const String& a, const String& b) { return TCkCustomAppStorage::ConcatPaths({a, b}); }

bool IgnoreContains(const fw::TStrings* ignore, const String& name) {
  if (!ignore) return false;
  for (int i = 0; i < ignore->Count(); ++i)
    if (fw::SameText((*ignore)[i], name)) return true;
  return false;
}

// Runs f inside Begin/EndUpdate of the storage; EndUpdate also after an error.
template <class S, class F>
auto InUpdate(S* s, F f) {
  s->BeginUpdate();
  try {
    if constexpr (std::is_void_v<decltype(f())>) {
      f();
      s->EndUpdate();
    } else {
      auto r = f();
      s->EndUpdate();
      return r;
    }
  } catch (...) {
    s->EndUpdate();
    throw;
  }
}

}  // namespace

String TCkCustomAppStorage::ItemNameIndexPath(const String& ItemName, int Index) const {
  if (FStorageOptions->UseOldItemNameFormat()) return ItemName + fw::IntToStr(Index);
  return ItemName + u"[" + fw::IntToStr(Index) + u"]";
}

int TCkCustomAppStorage::ReadListCount(const String& Path) { return ReadInteger(Join(Path, u"Count"), 0); }

void TCkCustomAppStorage::WriteListCount(const String& Path, int Value) { WriteInteger(Join(Path, u"Count"), Value); }

String TCkCustomAppStorage::TranslatePropertyName(fw::TPersistent* Instance, const String& AName, bool Reading) {
  String name = AName;
  if (FOnTranslatePropertyName) FOnTranslatePropertyName(this, Instance, name, Reading);
  return name;
}

int TCkCustomAppStorage::ReadList(const String& Path, fw::TObject* List, const TCkAppStorageListItemEvent& OnReadItem,
                                  const String& ItemName) {
  return InUpdate(this, [&] {
    const int n = ReadListCount(Path);
    for (int i = 0; i < n; ++i) OnReadItem(this, Path, List, i, ItemName);
    return n;
  });
}

void TCkCustomAppStorage::WriteList(const String& Path, fw::TObject* List, int ItemCount,
                                    const TCkAppStorageListItemEvent& OnWriteItem,
                                    const TCkAppStorageListDeleteEvent& OnDeleteItems, const String& ItemName) {
  TCkCustomAppStorage* target;
  String targetPath;
  ResolvePath(Join(Path, u"*"), target, targetPath);
  if (target->ReadOnly()) return;
  InUpdate(target, [&] {
    const int old = ReadListCount(Path);
    for (int i = 0; i < ItemCount; ++i) OnWriteItem(this, Path, List, i, ItemName);
    if (ItemCount < old && OnDeleteItems) OnDeleteItems(this, Path, List, ItemCount, old - 1, ItemName);
    WriteListCount(Path, ItemCount);
  });
}

void TCkCustomAppStorage::DeleteSurplusItems(const String& Path, int First, int Last, const String& ItemName) {
  for (int i = First; i <= Last; ++i) DeleteValue(Join(Path, ItemNameIndexPath(ItemName, i)));
}

int TCkCustomAppStorage::ReadStringList(const String& Path, fw::TStrings* SL, bool ClearFirst,
                                        const String& ItemName) {
  if (!SL) return 0;
  return InUpdate(this, [&] {
    SL->BeginUpdate();
    try {
      if (ClearFirst) SL->Clear();
      int result = SL->Count();
      if (ListStored(Path, ItemName)) {
        ReadPersistent(Path, SL, true, false);
        result = ReadList(Path, SL, [&](TCkCustomAppStorage*, const String& P, fw::TObject*, int i, const String& N) {
          SL->Add(ReadString(Join(P, ItemNameIndexPath(N, i)), String()));
        }, ItemName);
      } else if (ValueStored(Path)) {
        SL->SetText(ReadString(Path, String()));
        result = SL->Count();
      }
      SL->EndUpdate();
      return result;
    } catch (...) {
      SL->EndUpdate();
      throw;
    }
  });
}

void TCkCustomAppStorage::WriteStringList(const String& Path, fw::TStrings* SL, const String& ItemName) {
  if (!SL) return;
  if (FStorageOptions->StoreStringListAsSingleString()) {
    InUpdate(this, [&] {
      if (ListStored(Path, ItemName)) DeleteSubTree(Path);
      WriteString(Path, SL->Text());
    });
    return;
  }
  InUpdate(this, [&] {
    WriteList(
        Path, SL, SL->Count(),
        [&](TCkCustomAppStorage*, const String& P, fw::TObject*, int i, const String& N) {
          WriteString(Join(P, ItemNameIndexPath(N, i)), (*SL)[i]);
        },
        [&](TCkCustomAppStorage*, const String& P, fw::TObject*, int First, int Last, const String& N) {
          DeleteSurplusItems(P, First, Last, N);
        },
        ItemName);
    WritePersistent(Path, SL, true);
  });
}

int TCkCustomAppStorage::ReadWideStringList(const String& Path, fw::TStrings* SL, bool ClearFirst,
                                            const String& ItemName) {
  if (!SL) return 0;
  if (!ListStored(Path, ItemName) && FStorageOptions->DefaultIfValueNotExists()) return SL->Count();
  return InUpdate(this, [&] {
    if (ClearFirst) SL->Clear();
    ReadPersistent(Path, SL, true, false);
    return ReadList(Path, SL, [&](TCkCustomAppStorage*, const String& P, fw::TObject*, int i, const String& N) {
      SL->Add(ReadWideString(Join(P, N + fw::IntToStr(i)), String()));
    }, ItemName);
  });
}

void TCkCustomAppStorage::WriteWideStringList(const String& Path, fw::TStrings* SL, const String& ItemName) {
  if (!SL) return;
  InUpdate(this, [&] {
    WriteList(
        Path, SL, SL->Count(),
        [&](TCkCustomAppStorage*, const String& P, fw::TObject*, int i, const String& N) {
          WriteWideString(Join(P, N + fw::IntToStr(i)), (*SL)[i]);
        },
        [&](TCkCustomAppStorage*, const String& P, fw::TObject*, int First, int Last, const String& N) {
          for (int i = First; i <= Last; ++i) DeleteValue(Join(P, N + fw::IntToStr(i)));
        },
        ItemName);
    WritePersistent(Path, SL, true);
  });
}

fw::TPersistent* TCkCustomAppStorage::DefaultItemCreator(const String& Path, int Index) {
  (void)Index;
  const String className = ReadString(Join(Path, u"Classname"), String());
  fw::TClass cls = fw::GetClass(className);
  if (!cls || !cls->InheritsFrom(fw::TPersistent::StaticClass()) || cls->IsAbstract())
    throw ECKAppStorageError(u"Class \"" + className + u"\" of the stored item " + Path + u" is not registered");
  return static_cast<fw::TPersistent*>(cls->Create(nullptr));
}

int TCkCustomAppStorage::ReadObjectList(const String& Path, std::vector<fw::TPersistent*>& List,
                                        const TCkAppStorageObjectListItemCreateEvent& ItemCreator, bool ClearFirst,
                                        const String& ItemName) {
  if (!ListStored(Path, ItemName) && FStorageOptions->DefaultIfValueNotExists()) return static_cast<int>(List.size());
  if (ClearFirst) {
    for (fw::TPersistent* o : List) delete o;
    List.clear();
  }
  TCkCustomAppStorage* target;
  String targetPath;
  ResolvePath(Join(Path, u"*"), target, targetPath);
  TCkAppStorageObjectListItemCreateEvent old = target->FCurrentInstanceCreateEvent;
  target->FCurrentInstanceCreateEvent = ItemCreator;
  try {
    int n = ReadList(Path, nullptr, [&](TCkCustomAppStorage*, const String& P, fw::TObject*, int i, const String& N) {
      const String itemPath = Join(P, ItemNameIndexPath(N, i));
      TCkCustomAppStorage* s;
      String sp;
      ResolvePath(itemPath, s, sp);
      std::unique_ptr<fw::TPersistent> obj(s->FCurrentInstanceCreateEvent(s, sp, i));
      if (!obj) return;
      ReadPersistent(itemPath, obj.get(), true, ClearFirst);
      List.push_back(obj.release());
    }, ItemName);
    target->FCurrentInstanceCreateEvent = old;
    return n;
  } catch (...) {
    target->FCurrentInstanceCreateEvent = old;
    throw;
  }
}

int TCkCustomAppStorage::ReadObjectList(const String& Path, std::vector<fw::TPersistent*>& List, bool ClearFirst,
                                        const String& ItemName) {
  return ReadObjectList(
      Path, List,
      [](TCkCustomAppStorage* s, const String& P, int i) { return s->DefaultItemCreator(P, i); }, ClearFirst,
      ItemName);
}

void TCkCustomAppStorage::WriteObjectList(const String& Path, const std::vector<fw::TPersistent*>& List,
                                          const String& ItemName) {
  WriteList(
      Path, nullptr, static_cast<int>(List.size()),
      [&](TCkCustomAppStorage*, const String& P, fw::TObject*, int i, const String& N) {
        if (List[i]) WritePersistent(Join(P, ItemNameIndexPath(N, i)), List[i], true);
      },
      [&](TCkCustomAppStorage*, const String& P, fw::TObject*, int First, int Last, const String& N) {
        DeleteSurplusItems(P, First, Last, N);
      },
      ItemName);
}

int TCkCustomAppStorage::ReadCollection(const String& Path, fw::TCollection* List, bool ClearFirst,
                                        const String& ItemName) {
  if (!List) return 0;
  if (!ListStored(Path, ItemName) && FStorageOptions->DefaultIfValueNotExists()) return List->Count();
  List->BeginUpdate();
  try {
    if (ClearFirst) List->Clear();
    ReadPersistent(Path, List, true, false);
    int n = ReadList(Path, List, [&](TCkCustomAppStorage*, const String& P, fw::TObject*, int i, const String& N) {
      ReadPersistent(Join(P, ItemNameIndexPath(N, i)), List->Add(), true, ClearFirst);
    }, ItemName);
    List->EndUpdate();
    return n;
  } catch (...) {
    List->EndUpdate();
    throw;
  }
}

void TCkCustomAppStorage::WriteCollection(const String& Path, fw::TCollection* List, const String& ItemName) {
  if (!List) return;
  InUpdate(this, [&] {
    WriteList(
        Path, List, List->Count(),
        [&](TCkCustomAppStorage*, const String& P, fw::TObject*, int i, const String& N) {
          if (fw::TCollectionItem* item = List->Items(i)) WritePersistent(Join(P, ItemNameIndexPath(N, i)), item, true);
        },
        [&](TCkCustomAppStorage*, const String& P, fw::TObject*, int First, int Last, const String& N) {
          DeleteSurplusItems(P, First, Last, N);
        },
        ItemName);
    WritePersistent(Path, List, true);
  });
}

// ---- Properties and objects --------------------------------------------------------

void TCkCustomAppStorage::WriteProperty(const String& Path, fw::TPersistent* PersObj, const String& PropName,
                                        bool Recursive, const fw::TStrings* IgnoreProperties) {
  if (!PersObj) return;
  const fw::TPropInfo* prop = PersObj->ClassType() ? PersObj->ClassType()->FindProperty(PropName) : nullptr;
  if (!prop) return;
  const fw::TTypeInfo* type = prop->PropType();
  const bool storeDefaults = FStorageOptions->StoreDefaultValues();
  if (!storeDefaults && type->Kind() != fw::tkClass && (!prop->CanWrite() || !prop->IsStored(PersObj))) return;
  const fw::TValue value = prop->GetValue(PersObj);
  switch (type->Kind()) {
    case fw::tkInteger:
    case fw::tkChar:
    case fw::tkWChar:
    case fw::tkEnumeration:
      if (!storeDefaults && prop->HasDefault() && value.AsOrdinal() == prop->Default()) return;
      if (type->Kind() == fw::tkEnumeration || FStorageOptions->TypedIntegerAsString())
        WriteEnumeration(Path, type, value.AsOrdinal());
      else
        WriteInteger(Path, static_cast<int>(value.AsOrdinal()));
      break;
    case fw::tkFloat:
      if (!storeDefaults && value.AsFloat() == 0) return;
      if (type == fw::TypeInfoTDateTime()) WriteDateTime(Path, value.AsFloat());
      else WriteFloat(Path, value.AsFloat());
      break;
    case fw::tkString:
    case fw::tkLString:
    case fw::tkUString:
    case fw::tkWString:
      if (!storeDefaults && value.AsString().empty()) return;
      WriteString(Path, value.AsString());
      break;
    case fw::tkSet:
      if (!storeDefaults && prop->HasDefault() && static_cast<int64_t>(value.AsSet()) == prop->Default()) return;
      WriteSet(Path, type, value.AsSet());
      break;
    case fw::tkInt64:
      if (!storeDefaults && value.AsOrdinal() == 0) return;
      WriteString(Path, fw::IntToStr(value.AsOrdinal()));
      break;
    case fw::tkClass: {
      fw::TObject* obj = value.AsObject();
      if (auto* sl = dynamic_cast<fw::TStrings*>(obj)) {
        if (storeDefaults || sl->Count() > 0) WriteStringList(Path, sl, u"Item");
      } else if (Recursive) {
        if (auto* coll = dynamic_cast<fw::TCollection*>(obj)) WriteCollection(Path, coll, u"Item");
        else if (auto* pers = dynamic_cast<fw::TPersistent*>(obj);
                 pers && !dynamic_cast<fw::TComponent*>(obj))
          WritePersistent(Path, pers, true, IgnoreProperties);
      }
      break;
    }
    default:
      break;
  }
}

void TCkCustomAppStorage::ReadProperty(const String& Path, fw::TPersistent* PersObj, const String& PropName,
                                       bool Recursive, bool ClearFirst, const fw::TStrings* IgnoreProperties) {
  if (!PersObj) return;
  const fw::TPropInfo* prop = PersObj->ClassType() ? PersObj->ClassType()->FindProperty(PropName) : nullptr;
  if (!prop) return;
  const fw::TTypeInfo* type = prop->PropType();
  if (type->Kind() != fw::tkClass && !prop->CanWrite()) return;
  const fw::TValue current = prop->GetValue(PersObj);
  switch (type->Kind()) {
    case fw::tkInteger:
    case fw::tkChar:
    case fw::tkWChar:
    case fw::tkEnumeration: {
      int64_t v = current.AsOrdinal();
      ReadEnumeration(Path, type, current.AsOrdinal(), v);
      prop->SetValue(PersObj, fw::TValue(v));
      break;
    }
    case fw::tkFloat:
      prop->SetValue(PersObj, fw::TValue(type == fw::TypeInfoTDateTime() ? ReadDateTime(Path, current.AsFloat())
                                                                          : ReadFloat(Path, current.AsFloat())));
      break;
    case fw::tkString:
    case fw::tkLString:
    case fw::tkUString:
    case fw::tkWString:
      prop->SetValue(PersObj, fw::TValue(ReadString(Path, current.AsString())));
      break;
    case fw::tkSet: {
      uint64_t v = current.AsSet();
      ReadSet(Path, type, current.AsSet(), v);
      prop->SetValue(PersObj, fw::TValue::FromSet(v));
      break;
    }
    case fw::tkInt64: {
      const String text = ReadString(Path, fw::IntToStr(current.AsOrdinal()));
      int64_t v;
      if (!fw::TryStrToInt64(fw::Trim(text), v)) throw fw::EConvertError(u"'" + text + u"' is not a valid integer value");
      prop->SetValue(PersObj, fw::TValue(v));
      break;
    }
    case fw::tkClass: {
      fw::TObject* obj = current.AsObject();
      if (auto* sl = dynamic_cast<fw::TStrings*>(obj)) {
        ReadStringList(Path, sl, ClearFirst, u"Item");
      } else if (Recursive) {
        if (auto* coll = dynamic_cast<fw::TCollection*>(obj)) ReadCollection(Path, coll, ClearFirst, u"Item");
        else if (auto* pers = dynamic_cast<fw::TPersistent*>(obj); pers && !dynamic_cast<fw::TComponent*>(obj))
          ReadPersistent(Path, pers, true, ClearFirst, IgnoreProperties);
      }
      break;
    }
    default:
      break;
  }
}

void TCkCustomAppStorage::WritePersistent(const String& Path, fw::TPersistent* PersObj, bool Recursive,
                                          const fw::TStrings* IgnoreProperties) {
  if (!PersObj) return;
  auto* client = dynamic_cast<ICkAppStorageClient*>(PersObj);
  if (client) client->WriteToAppStorage(this, Path);
  if (client && !dynamic_cast<ICkAppStoragePublishedProps*>(PersObj)) return;
  if (!PersObj->ClassType()) return;
  for (const fw::TPropInfo* prop : PersObj->ClassType()->Properties()) {
    if (IgnoreContains(IgnoreProperties, prop->Name())) continue;
    const String name = TranslatePropertyName(PersObj, prop->Name(), false);
    WriteProperty(Join(Path, name), PersObj, prop->Name(), Recursive, IgnoreProperties);
  }
}

void TCkCustomAppStorage::ReadPersistent(const String& Path, fw::TPersistent* PersObj, bool Recursive,
                                         bool ClearFirst, const fw::TStrings* IgnoreProperties) {
  if (!PersObj) return;
  auto* client = dynamic_cast<ICkAppStorageClient*>(PersObj);
  if (client) client->ReadFromAppStorage(this, Path);
  if (client && !dynamic_cast<ICkAppStoragePublishedProps*>(PersObj)) return;
  if (!PersObj->ClassType()) return;
  for (const fw::TPropInfo* prop : PersObj->ClassType()->Properties()) {
    if (IgnoreContains(IgnoreProperties, prop->Name())) continue;
    const String name = TranslatePropertyName(PersObj, prop->Name(), true);
    ReadProperty(Join(Path, name), PersObj, prop->Name(), Recursive, ClearFirst, IgnoreProperties);
  }
}

}  // namespace services
