// The settings storage: a component that keeps typed values (integers,
// floats, strings, binary blocks, date-times, booleans, enumerations, sets,
// lists and whole objects) under paths of names joined with "\". A back end
// supplies only the raw slots (existence, listing, deletion and the raw
// integer, float, string and binary forms); defaults, text forms, the
// encryption hook, read-only and path resolution are done here for all of
// them. Sub-storages take over the paths below their root.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "fw/core/collection.h"
#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/core/strings_list.h"
#include "fw/core/typeinfo.h"
#include "fw/core/types.h"
#include "services/core/ckexception.h"
#include "services/core/translatestring.h"

namespace services {

using fw::String;
using fw::StringView;

class ECKAppStorageError : public ECKException {
 public:
  using ECKException::ECKException;
};

class TCkCustomAppStorage;

// Date and time pictures of date-time texts (the framework's codes).
struct TCkDateTimeFormats {
  String ShortDateFormat = u"yyyy-mm-dd";
  String LongTimeFormat = u"hh:nn:ss";
};

class TCkCustomAppStorageOptions : public fw::TPersistent {
  FW_CLASS(TCkCustomAppStorageOptions, fw::TPersistent)
  TCkCustomAppStorageOptions();

  bool BooleanAsString() const { return FBooleanAsString; }
  virtual void SetBooleanAsString(bool Value);
  const String& BooleanStringTrueValues() const { return FBooleanStringTrueValues; }
  virtual void SetBooleanStringTrueValues(const String& Value);
  const String& BooleanStringFalseValues() const { return FBooleanStringFalseValues; }
  virtual void SetBooleanStringFalseValues(const String& Value);
  bool EnumerationAsString() const { return FEnumAsStr; }
  virtual void SetEnumerationAsString(bool Value) { FEnumAsStr = Value; }
  bool TypedIntegerAsString() const { return FIntAsStr; }
  virtual void SetTypedIntegerAsString(bool Value) { FIntAsStr = Value; }
  bool SetAsString() const { return FSetAsStr; }
  virtual void SetSetAsString(bool Value) { FSetAsStr = Value; }
  bool DateTimeAsString() const { return FDateTimeAsString; }
  virtual void SetDateTimeAsString(bool Value) { FDateTimeAsString = Value; }
  bool FloatAsString() const { return FFloatAsString; }
  virtual void SetFloatAsString(bool Value) { FFloatAsString = Value; }
  bool DefaultIfReadConvertError() const { return FDefaultIfReadConvertError; }
  virtual void SetDefaultIfReadConvertError(bool Value) { FDefaultIfReadConvertError = Value; }
  bool DefaultIfValueNotExists() const { return FDefaultIfValueNotExists; }
  virtual void SetDefaultIfValueNotExists(bool Value) { FDefaultIfValueNotExists = Value; }
  bool StoreStringListAsSingleString() const { return FStoreStringListAsSingleString; }
  virtual void SetStoreStringListAsSingleString(bool Value) { FStoreStringListAsSingleString = Value; }
  bool UseOldItemNameFormat() const { return FUseOldItemNameFormat; }
  virtual void SetUseOldItemNameFormat(bool Value) { FUseOldItemNameFormat = Value; }
  bool StoreDefaultValues() const { return FStoreDefaultValues; }
  virtual void SetStoreDefaultValues(bool Value) { FStoreDefaultValues = Value; }
  bool UseTranslateStringEngineDateTimeFormats() const { return FUseTranslateStringEngineDateTimeFormats; }
  void SetUseTranslateStringEngineDateTimeFormats(bool Value) { FUseTranslateStringEngineDateTimeFormats = Value; }

  // The first word of each list, trimmed ("TRUE" and "FALSE").
  String DefaultTrueString() const;
  String DefaultFalseString() const;
  bool IsValueTrueString(StringView Value) const { return IsValueListString(Value, FBooleanStringTrueValues); }
  bool IsValueFalseString(StringView Value) const { return IsValueListString(Value, FBooleanStringFalseValues); }

  void Assign(fw::TPersistent* Source) override;

 protected:
  // Value is one of the items of List (comma text, upper-cased).
  virtual bool IsValueListString(StringView Value, StringView List) const;

 private:
  bool FBooleanAsString = true;
  String FBooleanStringTrueValues;
  String FBooleanStringFalseValues;
  bool FEnumAsStr = true;
  bool FIntAsStr = true;
  bool FSetAsStr = false;
  bool FDateTimeAsString = true;
  bool FFloatAsString = false;
  bool FDefaultIfReadConvertError = false;
  bool FDefaultIfValueNotExists = true;
  bool FStoreDefaultValues = true;
  bool FStoreStringListAsSingleString = false;
  bool FUseOldItemNameFormat = true;
  bool FUseTranslateStringEngineDateTimeFormats = false;
};

class TCkAppStorageOptions : public TCkCustomAppStorageOptions {
  FW_CLASS(TCkAppStorageOptions, TCkCustomAppStorageOptions)
  TCkAppStorageOptions() = default;
};

// One routing entry: paths below RootPath go to AppStorage.
class TCkAppSubStorage : public fw::TCollectionItem {
  FW_CLASS(TCkAppSubStorage, fw::TCollectionItem)
  TCkAppSubStorage() = default;

  const String& RootPath() const { return FRootPath; }
  // Normalised; "'%s' is not a unique root path" when another entry has it.
  void SetRootPath(const String& Value);
  TCkCustomAppStorage* AppStorage() const { return FAppStorage; }
  // "Circular reference of storages" when the chain leads back to the owner.
  void SetAppStorage(TCkCustomAppStorage* Value);
  String DisplayName() const override;

 private:
  TCkCustomAppStorage* RootStorage() const;
  String FRootPath;
  TCkCustomAppStorage* FAppStorage = nullptr;
};

class TCkAppSubStorages : public fw::TCollection {
  FW_CLASS(TCkAppSubStorages, fw::TCollection)
  explicit TCkAppSubStorages(TCkCustomAppStorage* AOwner);

  TCkCustomAppStorage* RootStorage() const { return FStorage; }
  TCkAppSubStorage* Items(int Index) const { return static_cast<TCkAppSubStorage*>(TCollection::Items(Index)); }
  // A new entry; when setting either value raises, the entry is removed.
  TCkAppSubStorage* Add(const String& RootPath, TCkCustomAppStorage* AppStorage);
  using TCollection::Add;
  using TCollection::Delete;
  void Delete(const String& RootPath, bool IncludeSubPaths);
  void Delete(TCkCustomAppStorage* AppStorage);
  // The entry with the longest root that Path lies below; null when none.
  TCkAppSubStorage* MatchFor(const String& Path, int ExcludeIndex = -1) const;

 private:
  TCkCustomAppStorage* FStorage;
};

FW_ENUM(TCkAppStorageEnumOption, aeoFolders, aeoValues, aeoReportListAsValue, aeoReportRelative, aeoRecursive)
using TCkAppStorageEnumOptions = fw::TSet<TCkAppStorageEnumOption>;

using TCkAppStorageListItemEvent =
    std::function<void(TCkCustomAppStorage* Sender, const String& Path, fw::TObject* List, int Index,
                       const String& ItemName)>;
using TCkAppStorageListDeleteEvent =
    std::function<void(TCkCustomAppStorage* Sender, const String& Path, fw::TObject* List, int First, int Last,
                       const String& ItemName)>;
using TCkAppStoragePropTranslateEvent =
    fw::TEvent<void(TCkCustomAppStorage* Sender, fw::TPersistent* Instance, String& Name, bool Reading)>;
using TCkAppStorageCryptEvent = fw::TEvent<void(String& Value)>;
using TCkAppStorageErrorEvent = fw::TEvent<void(fw::TObject* Sender, const String& Value)>;
// Creates the object of a list item (owned by the list's caller).
using TCkAppStorageObjectListItemCreateEvent =
    std::function<fw::TPersistent*(TCkCustomAppStorage* Sender, const String& Path, int Index)>;

// An object that stores itself (read and write at a path).
class ICkAppStorageClient {
 public:
  virtual ~ICkAppStorageClient() = default;
  virtual void ReadFromAppStorage(TCkCustomAppStorage* Storage, const String& Path) = 0;
  virtual void WriteToAppStorage(TCkCustomAppStorage* Storage, const String& Path) = 0;
};
// A storage client whose published properties are stored as well.
class ICkAppStoragePublishedProps {
 public:
  virtual ~ICkAppStoragePublishedProps() = default;
};

class TCkCustomAppStorage : public fw::TComponent {
  FW_CLASS(TCkCustomAppStorage, fw::TComponent)
  explicit TCkCustomAppStorage(fw::TComponent* AOwner);
  ~TCkCustomAppStorage() override;

  // Joins paths: the last one starting with "\" (P0 never tested) begins the
  // result; components split at runs of "\"; "." is dropped, a run of k dots
  // removes k-1 collected names; no leading or trailing "\".
  static String ConcatPaths(std::initializer_list<StringView> Paths);
  static String ConcatPaths(const std::vector<String>& Paths);

  const String& Path() const { return FCurPath; }
  void SetPath(const String& Value);
  void ResolvePath(const String& InPath, TCkCustomAppStorage*& TargetStore, String& TargetPath);

  bool IsFolder(const String& Path, bool ListIsValue = true);
  bool PathExists(const String& Path);
  bool ValueStored(const String& Path);
  bool ListStored(const String& Path, const String& ItemName = u"Item");
  void DeleteValue(const String& Path);
  void DeleteSubTree(const String& Path);

  int ReadInteger(const String& Path, int Default = 0);
  void WriteInteger(const String& Path, int Value);
  double ReadFloat(const String& Path, double Default = 0);
  void WriteFloat(const String& Path, double Value);
  String ReadString(const String& Path, const String& Default = String());
  void WriteString(const String& Path, const String& Value);
  String ReadWideString(const String& Path, const String& Default = String());
  void WriteWideString(const String& Path, const String& Value);
  int ReadBinary(const String& Path, void* Buf, int BufSize);
  void WriteBinary(const String& Path, const void* Buf, int BufSize);
  fw::TDateTime ReadDateTime(const String& Path, fw::TDateTime Default);
  void WriteDateTime(const String& Path, fw::TDateTime Value);
  bool ReadBoolean(const String& Path, bool Default);
  void WriteBoolean(const String& Path, bool Value);
  // Ordinal types: integers, characters, enumerations and booleans.
  // "Invalid type" for any other kind.
  void ReadEnumeration(const String& Path, const fw::TTypeInfo* TypeInfo, int64_t Default, int64_t& Value);
  void WriteEnumeration(const String& Path, const fw::TTypeInfo* TypeInfo, int64_t Value);
  // Set values as bit masks of their set type.
  void ReadSet(const String& Path, const fw::TTypeInfo* ATypeInfo, uint64_t Default, uint64_t& Value);
  void WriteSet(const String& Path, const fw::TTypeInfo* ATypeInfo, uint64_t Value);

  // Lists, collections and objects.
  int ReadList(const String& Path, fw::TObject* List, const TCkAppStorageListItemEvent& OnReadItem,
               const String& ItemName = u"Item");
  void WriteList(const String& Path, fw::TObject* List, int ItemCount, const TCkAppStorageListItemEvent& OnWriteItem,
                 const TCkAppStorageListDeleteEvent& OnDeleteItems = nullptr, const String& ItemName = u"Item");
  int ReadStringList(const String& Path, fw::TStrings* SL, bool ClearFirst = true, const String& ItemName = u"Item");
  void WriteStringList(const String& Path, fw::TStrings* SL, const String& ItemName = u"Item");
  int ReadWideStringList(const String& Path, fw::TStrings* SL, bool ClearFirst = true,
                         const String& ItemName = u"Item");
  void WriteWideStringList(const String& Path, fw::TStrings* SL, const String& ItemName = u"Item");
  // The default item factory creates the class named by the item's
  // "Classname" value; raises ECKAppStorageError for an unknown class.
  int ReadObjectList(const String& Path, std::vector<fw::TPersistent*>& List,
                     const TCkAppStorageObjectListItemCreateEvent& ItemCreator, bool ClearFirst = true,
                     const String& ItemName = u"Item");
  int ReadObjectList(const String& Path, std::vector<fw::TPersistent*>& List, bool ClearFirst = true,
                     const String& ItemName = u"Item");
  void WriteObjectList(const String& Path, const std::vector<fw::TPersistent*>& List,
                       const String& ItemName = u"Item");
  int ReadCollection(const String& Path, fw::TCollection* List, bool ClearFirst = true,
                     const String& ItemName = u"Item");
  void WriteCollection(const String& Path, fw::TCollection* List, const String& ItemName = u"Item");
  void ReadProperty(const String& Path, fw::TPersistent* PersObj, const String& PropName, bool Recursive,
                    bool ClearFirst, const fw::TStrings* IgnoreProperties = nullptr);
  void WriteProperty(const String& Path, fw::TPersistent* PersObj, const String& PropName, bool Recursive,
                     const fw::TStrings* IgnoreProperties = nullptr);
  void ReadPersistent(const String& Path, fw::TPersistent* PersObj, bool Recursive = true, bool ClearFirst = true,
                      const fw::TStrings* IgnoreProperties = nullptr);
  void WritePersistent(const String& Path, fw::TPersistent* PersObj, bool Recursive = true,
                       const fw::TStrings* IgnoreProperties = nullptr);
  String TranslatePropertyName(fw::TPersistent* Instance, const String& AName, bool Reading);

  // Names below Path: object 1 = folder, 2 = value, 3 = both.
  void GetStoredValues(const String& Path, fw::TStrings* Strings,
                       TCkAppStorageEnumOptions Options = {aeoFolders, aeoValues, aeoReportListAsValue,
                                                           aeoRecursive});
  void CheckDeletePathByVersion(const String& Path, int VersionNumber, bool DeleteIfNotEqual = false,
                                bool WriteVersionNumber = true, const String& VersionName = u"Version");

  void SetXMLProperty(const String& Path, const String& Name, const String& Value);

  void BeginUpdate();
  void EndUpdate();
  bool IsUpdating() const { return FUpdateCount != 0; }
  virtual void Flush() {}
  virtual void Reload() {}
  void FlushIfNeeded();
  void ReloadIfNeeded();
  virtual bool FlushNeeded() const { return FAutoFlush && !IsUpdating(); }
  virtual bool ReloadNeeded() const { return FAutoReload && !IsUpdating(); }

  void EnablePropertyValueCrypt() { ++FCryptEnabledStatus; }
  void DisablePropertyValueCrypt() { --FCryptEnabledStatus; }
  bool IsPropertyValueCryptEnabled() const { return FCryptEnabledStatus > 0; }

  TCkCustomAppStorageOptions* StorageOptions() const { return FStorageOptions.get(); }
  void SetStorageOptions(TCkCustomAppStorageOptions* Value) { FStorageOptions->Assign(Value); }
  TCkAppSubStorages* SubStorages() const { return FSubStorages.get(); }
  void SetSubStorages(TCkAppSubStorages* Value) { FSubStorages->Assign(Value); }
  TCkTranslateString* TranslateStringEngine() const { return FTranslateStringEngine; }
  void SetTranslateStringEngine(TCkTranslateString* Value);
  TCkTranslateString* ActiveTranslateStringEngine() const;
  bool AutoFlush() const { return FAutoFlush; }
  void SetAutoFlush(bool Value) { FAutoFlush = Value; }
  bool AutoReload() const { return FAutoReload; }
  void SetAutoReload(bool Value) { FAutoReload = Value; }
  bool ReadOnly() const { return FReadOnly || IsPhysicallyReadOnly(); }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool FlushOnDestroy() const { return FFlushOnDestroy; }
  virtual void WriteFlushOnDestroy(bool Value) { FFlushOnDestroy = Value; }
  bool SynchronizeFlushReload() const { return FSynchronizeFlushReload; }
  void SetSynchronizeFlushReload(bool Value) { FSynchronizeFlushReload = Value; }
  // Date-time text pictures used outside the translator's formats.
  TCkDateTimeFormats& DateTimeFormats() { return FDefaultFormats; }

  TCkAppStoragePropTranslateEvent FOnTranslatePropertyName;
  TCkAppStorageCryptEvent FOnEncryptPropertyValue;
  TCkAppStorageCryptEvent FOnDecryptPropertyValue;
  TCkAppStorageErrorEvent FOnError;

  void Loaded() override;
  // Flushes when FlushOnDestroy (once; the file storages' destructors do it
  // for a storage deleted without Free).
  void BeforeDestruction() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

  // The absolute form of Path split at its last "\".
  virtual void SplitValuePath(const String& Path, String& Key, String& ValueName);
  // Back-end slots.
  virtual void ListFolders(const String& Path, fw::TStrings* Strings, bool ReportListAsValue = true) = 0;
  virtual void ListValues(const String& Path, fw::TStrings* Strings, bool ReportListAsValue = true) = 0;
  virtual bool CheckIsFolder(const String& Path, bool ListIsValue = true) = 0;
  virtual bool CheckPathExists(const String& Path) = 0;
  virtual bool CheckValueStored(const String& Path) = 0;
  virtual bool CheckListStored(const String& Path, const String& ItemName = u"Item");
  virtual void RemoveValue(const String& Path) = 0;
  virtual void RemoveSubTree(const String& Path) = 0;

 protected:
  // Replaces the options object (file and INI storages have their own).
  void SetOptionsObject(std::unique_ptr<TCkCustomAppStorageOptions> Options);
  String GetAbsPath(const String& Path) const;

  virtual int RawReadInteger(const String& Path, int Default) = 0;
  virtual void RawWriteInteger(const String& Path, int Value) = 0;
  virtual double RawReadFloat(const String& Path, double Default) = 0;
  virtual void RawWriteFloat(const String& Path, double Value) = 0;
  virtual String RawReadString(const String& Path, const String& Default) = 0;
  virtual void RawWriteString(const String& Path, const String& Value) = 0;
  virtual String RawReadWideString(const String& Path, const String& Default) { return RawReadString(Path, Default); }
  virtual void RawWriteWideString(const String& Path, const String& Value) { RawWriteString(Path, Value); }
  virtual int RawReadBinary(const String& Path, void* Buf, int BufSize) = 0;
  virtual void RawWriteBinary(const String& Path, const void* Buf, int BufSize) = 0;
  virtual fw::TDateTime RawReadDateTime(const String& Path, fw::TDateTime Default) { return RawReadFloat(Path, Default); }
  virtual void RawWriteDateTime(const String& Path, fw::TDateTime Value) { RawWriteFloat(Path, Value); }
  virtual bool RawReadBoolean(const String& Path, bool Default) { return RawReadInteger(Path, Default ? 1 : 0) != 0; }
  virtual void RawWriteBoolean(const String& Path, bool Value) { RawWriteInteger(Path, Value ? 1 : 0); }

  virtual int ReadIntegerValue(const String& Path, int Default);
  virtual void WriteIntegerValue(const String& Path, int Value);
  virtual double ReadFloatValue(const String& Path, double Default);
  virtual void WriteFloatValue(const String& Path, double Value);
  virtual String ReadStringValue(const String& Path, const String& Default);
  virtual void WriteStringValue(const String& Path, const String& Value);
  virtual int ReadBinaryValue(const String& Path, void* Buf, int BufSize);
  virtual void WriteBinaryValue(const String& Path, const void* Buf, int BufSize);
  virtual fw::TDateTime ReadDateTimeValue(const String& Path, fw::TDateTime Default);
  virtual void WriteDateTimeValue(const String& Path, fw::TDateTime Value);
  virtual bool ReadBooleanValue(const String& Path, bool Default);
  virtual void WriteBooleanValue(const String& Path, bool Value);
  virtual void ReadEnumerationValue(const String& Path, const fw::TTypeInfo* TypeInfo, int64_t Default,
                                    int64_t& Value);
  virtual void WriteEnumerationValue(const String& Path, const fw::TTypeInfo* TypeInfo, int64_t Value);
  virtual void ReadSetValue(const String& Path, const fw::TTypeInfo* ATypeInfo, uint64_t Default, uint64_t& Value);
  virtual void WriteSetValue(const String& Path, const fw::TTypeInfo* ATypeInfo, uint64_t Value);

  virtual bool IsPhysicallyReadOnly() const { return false; }
  virtual fw::TDateTime TextToDateTime(const String& Value);
  virtual String DateTimeToText(fw::TDateTime Value);
  virtual void WriteAttributeValue(const String& Path, const String& Name, const String& Value) {
    (void)Path;
    (void)Name;
    (void)Value;
  }
  int ReadListCount(const String& Path);
  void WriteListCount(const String& Path, int Value);
  String GetCharName(char16_t Ch) const;
  String GetIntName(int64_t Value) const;
  String ItemNameIndexPath(const String& ItemName, int Index) const;

  String EncryptValue(const String& Value);
  String DecryptValue(const String& Value);
  // Sends a message to OnError (when assigned).
  void DoError(const String& Message);
  void FlushOnceOnDestroy();

  String FRoot;
  int FUpdateCount = 0;

 private:
  template <class T, class F>
  T ReadWithRules(const String& Path, const T& Default, F read);
  void RefreshFormatCache();
  void DeleteSurplusItems(const String& Path, int First, int Last, const String& ItemName);
  fw::TPersistent* DefaultItemCreator(const String& Path, int Index);
  void WalkStoredValues(const String& Prefix, const String& Path, fw::TStrings* Strings,
                        TCkAppStorageEnumOptions Options);

  TCkDateTimeFormats FCachedFormats;
  TCkDateTimeFormats FDefaultFormats;
  String FCurPath;
  std::unique_ptr<TCkCustomAppStorageOptions> FStorageOptions;
  std::unique_ptr<TCkAppSubStorages> FSubStorages;
  int FCryptEnabledStatus = 0;
  bool FAutoFlush = false;
  bool FAutoReload = false;
  TCkAppStorageObjectListItemCreateEvent FCurrentInstanceCreateEvent;
  TCkTranslateString* FInternalTranslateStringEngine = nullptr;
  bool FReadOnly = false;
  TCkTranslateString* FTranslateStringEngine = nullptr;
  bool FSynchronizeFlushReload = false;
  bool FFlushOnDestroy = true;
  bool FDestroyFlushed = false;
};

// A storage that only routes: every value operation reaching it raises
// "Invalid path".
class TCkAppStorage : public TCkCustomAppStorage {
  FW_CLASS(TCkAppStorage, TCkCustomAppStorage)
  explicit TCkAppStorage(fw::TComponent* AOwner);

  void ListFolders(const String& Path, fw::TStrings* Strings, bool ReportListAsValue) override;
  void ListValues(const String& Path, fw::TStrings* Strings, bool ReportListAsValue) override;
  bool CheckIsFolder(const String& Path, bool ListIsValue) override;
  bool CheckPathExists(const String& Path) override;
  bool CheckValueStored(const String& Path) override;
  void RemoveValue(const String& Path) override;
  void RemoveSubTree(const String& Path) override;

 protected:
  int RawReadInteger(const String&, int) override { InvalidPath(); }
  void RawWriteInteger(const String&, int) override { InvalidPath(); }
  double RawReadFloat(const String&, double) override { InvalidPath(); }
  void RawWriteFloat(const String&, double) override { InvalidPath(); }
  String RawReadString(const String&, const String&) override { InvalidPath(); }
  void RawWriteString(const String&, const String&) override { InvalidPath(); }
  int RawReadBinary(const String&, void*, int) override { InvalidPath(); }
  void RawWriteBinary(const String&, const void*, int) override { InvalidPath(); }
  int ReadIntegerValue(const String&, int) override { InvalidPath(); }
  void WriteIntegerValue(const String&, int) override { InvalidPath(); }
  double ReadFloatValue(const String&, double) override { InvalidPath(); }
  void WriteFloatValue(const String&, double) override { InvalidPath(); }
  String ReadStringValue(const String&, const String&) override { InvalidPath(); }
  void WriteStringValue(const String&, const String&) override { InvalidPath(); }
  int ReadBinaryValue(const String&, void*, int) override { InvalidPath(); }
  void WriteBinaryValue(const String&, const void*, int) override { InvalidPath(); }
  fw::TDateTime ReadDateTimeValue(const String&, fw::TDateTime) override { InvalidPath(); }
  void WriteDateTimeValue(const String&, fw::TDateTime) override { InvalidPath(); }
  bool ReadBooleanValue(const String&, bool) override { InvalidPath(); }
  void WriteBooleanValue(const String&, bool) override { InvalidPath(); }
  void ReadEnumerationValue(const String&, const fw::TTypeInfo*, int64_t, int64_t&) override { InvalidPath(); }
  void WriteEnumerationValue(const String&, const fw::TTypeInfo*, int64_t) override { InvalidPath(); }
  void ReadSetValue(const String&, const fw::TTypeInfo*, uint64_t, uint64_t&) override { InvalidPath(); }
  void WriteSetValue(const String&, const fw::TTypeInfo*, uint64_t) override { InvalidPath(); }

 private:
  [[noreturn]] static void InvalidPath();
};

}  // namespace services
