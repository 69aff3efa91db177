// Data connectors: bind a control to a data source reached only through
// ICkDataSource. A connector follows the source's active state, current
// record and field layout through four connector messages, wraps the
// source's fields in TCkDataConnectorField objects and writes the
// control's value back into the current record. A lock counter keeps a
// connector from reacting to the messages its own edits cause.
//
// The program attaches no source; a connector without one does nothing.
#pragma once

#include <memory>
#include <vector>

#include "fw/core/object.h"
#include "fw/core/types.h"

namespace ck {

// A field of a source: an opaque handle, nullptr for none.
using TCkFieldHandle = const void*;

class TCkDataConnector;

// The interface a source offers to learn of its connectors.
struct ICkDataConnectorRegistry {
  virtual ~ICkDataConnectorRegistry() = default;
  virtual void AddConnector(TCkDataConnector* Connector) = 0;
  virtual void RemoveConnector(TCkDataConnector* Connector) = 0;
};

// What a connector asks of a data source.
struct ICkDataSource {
  virtual ~ICkDataSource() = default;
  // The registry interface, when the source offers it.
  virtual ICkDataConnectorRegistry* ConnectorRegistry() { return nullptr; }
  virtual void Edit() = 0;
  virtual fw::TObject* DataLink() = 0;
  // None when the source has no data set.
  virtual fw::TObject* DataSet() = 0;
  virtual void First() = 0;
  virtual void Next() = 0;
  virtual bool Eof() = 0;
  virtual int RecordCount() = 0;
  virtual TCkFieldHandle FieldByName(const fw::String& Name) = 0;
  virtual TCkFieldHandle FindField(const fw::String& Name) = 0;
  virtual int RecNo() = 0;
  virtual void SetRecNo(int Value) = 0;
  // True when a record with that key value exists; it is then current.
  virtual bool Locate(const fw::String& KeyFields, const fw::String& KeyValue) = 0;
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
  virtual int FieldCount() = 0;
  virtual TCkFieldHandle Fields(int Index) = 0;
  virtual fw::String FieldName(TCkFieldHandle Field) = 0;
  virtual int FieldDataType(TCkFieldHandle Field) = 0;
  virtual int FieldSize(TCkFieldHandle Field) = 0;
  virtual fw::String FieldDisplayLabel(TCkFieldHandle Field) = 0;
  virtual int FieldDisplayWidth(TCkFieldHandle Field) = 0;
  virtual void SetFieldDisplayWidth(TCkFieldHandle Field, int Value) = 0;
  virtual fw::String FieldEditMask(TCkFieldHandle Field) = 0;
  virtual bool FieldReadOnly(TCkFieldHandle Field) = 0;
  virtual bool FieldVisible(TCkFieldHandle Field) = 0;
  virtual bool FieldRequired(TCkFieldHandle Field) = 0;
  virtual void FieldClear(TCkFieldHandle Field) = 0;
  virtual bool FieldIsNull(TCkFieldHandle Field) = 0;
  virtual bool FieldIsBlob(TCkFieldHandle Field) = 0;
  virtual bool FieldCanModify(TCkFieldHandle Field) = 0;
  virtual fw::String FieldAsString(TCkFieldHandle Field) = 0;
  virtual void SetFieldAsString(TCkFieldHandle Field, const fw::String& Value) = 0;
  virtual int FieldAsInteger(TCkFieldHandle Field) = 0;
  virtual void SetFieldAsInteger(TCkFieldHandle Field, int Value) = 0;
  virtual double FieldAsFloat(TCkFieldHandle Field) = 0;
  virtual void SetFieldAsFloat(TCkFieldHandle Field, double Value) = 0;
  virtual bool FieldAsBoolean(TCkFieldHandle Field) = 0;
  virtual void SetFieldAsBoolean(TCkFieldHandle Field, bool Value) = 0;
};

// The connector messages.
constexpr int CkActiveStateChanged = 100;
constexpr int CkCurrentRecordChanged = 101;
constexpr int CkWriteRecord = 102;
constexpr int CkFieldLayoutChanged = 103;

// A source's field by name. Without a source every property answers an
// empty value.
class TCkDataConnectorField {
 public:
  TCkDataConnectorField(ICkDataSource* Source, const fw::String& FieldName);

  // Finds the field by name in Source (none without a data set).
  void Rebind(ICkDataSource* Source);
  ICkDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(ICkDataSource* Value);
  const fw::String& FieldName() const { return FFieldName; }
  void SetFieldName(const fw::String& Value);
  TCkFieldHandle Field() const { return FField; }
  bool IsValid();
  bool CanModify();

  int DataType();
  int Size();
  fw::String DisplayLabel();
  int DisplayWidth();
  void SetDisplayWidth(int Value);
  fw::String EditMask();
  bool ReadOnly();
  bool Visible();
  bool Required();
  bool IsNull();
  bool IsBlob();
  void Clear();
  fw::String AsString();
  void SetAsString(const fw::String& Value);
  fw::String AsWideString() { return AsString(); }
  void SetAsWideString(const fw::String& Value) { SetAsString(Value); }
  int AsInteger();
  void SetAsInteger(int Value);
  double AsFloat();
  void SetAsFloat(double Value);
  double AsDateTime() { return AsFloat(); }
  void SetAsDateTime(double Value) { SetAsFloat(Value); }
  bool AsBoolean();
  void SetAsBoolean(bool Value);
  // Through the text: 0 when it is no number.
  int64_t AsInt64();
  void SetAsInt64(int64_t Value);

 private:
  bool Bound() const { return FDataSource && FField; }
  ICkDataSource* FDataSource = nullptr;
  TCkFieldHandle FField = nullptr;
  fw::String FFieldName;
};

class TCkDataConnector : public fw::TPersistent {
  FW_CLASS(TCkDataConnector, fw::TPersistent)
  TCkDataConnector();
  ~TCkDataConnector() override;

  ICkDataSource* DataSource() const { return FDataSource; }
  void WriteDataSource(ICkDataSource* Value);
  void SetDataSource(ICkDataSource* Value) { WriteDataSource(Value); }
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  bool Modified() const { return FModified; }
  bool Locked() const { return FLockRecordChange != 0; }
  // The connector that also receives this one's messages.
  TCkDataConnector* Master() const { return FMaster; }
  void SetMaster(TCkDataConnector* Value) { FMaster = Value; }

  int FieldCount();
  bool DataSetConnected();
  fw::TObject* GetDataLink();
  TCkDataConnectorField* FieldByName(const fw::String& FieldName);
  TCkDataConnectorField* FindField(const fw::String& FieldName);
  TCkDataConnectorField* GetField(int Index);

  void Edit();
  void Modify();
  void UpdateRecord();
  void Reset();
  // Dispatches a connector message to this connector's handlers, then to
  // its master.
  virtual void SendConnectorMessage(int Msg);
  void Assign(fw::TPersistent* Source) override;

 protected:
  virtual void SourceAttached();
  virtual void SourceDetached();
  virtual void ActiveStateChanged();
  virtual void CurrentRecordChanged() {}
  virtual void WriteBackRecord() {}
  virtual void FieldLayoutChanged();
  virtual bool MayEdit();

  // Runs F with the lock counter raised.
  template <class F>
  void Locked(F f) {
    ++FLockRecordChange;
    try {
      f();
    } catch (...) {
      --FLockRecordChange;
      throw;
    }
    --FLockRecordChange;
  }

 private:
  TCkDataConnectorField* FieldWrapper(TCkFieldHandle Handle);

  ICkDataSource* FDataSource = nullptr;
  int FLockRecordChange = 0;
  bool FModified = false;
  bool FActive = false;
  TCkDataConnector* FMaster = nullptr;
  std::vector<std::unique_ptr<TCkDataConnectorField>> FFields;
};

class TCkFieldDataConnector : public TCkDataConnector {
  FW_CLASS(TCkFieldDataConnector, TCkDataConnector)
  TCkFieldDataConnector();

  fw::String DataField() const { return FField->FieldName(); }
  void SetDataField(const fw::String& Value);
  TCkDataConnectorField* Field() const { return FField.get(); }
  void Assign(fw::TPersistent* Source) override;

 protected:
  virtual void RebindFields();
  void SourceAttached() override;
  void SourceDetached() override;
  void ActiveStateChanged() override;
  void FieldLayoutChanged() override;
  bool MayEdit() override;

 private:
  std::unique_ptr<TCkDataConnectorField> FField;
};

class TCkKeyFieldDataConnector : public TCkFieldDataConnector {
  FW_CLASS(TCkKeyFieldDataConnector, TCkFieldDataConnector)
  TCkKeyFieldDataConnector();

  fw::String KeyField() const { return FKey->FieldName(); }
  void SetKeyField(const fw::String& Value) { FKey->SetFieldName(Value); }
  TCkDataConnectorField* Key() const { return FKey.get(); }
  void Assign(fw::TPersistent* Source) override;

 protected:
  void RebindFields() override;

 private:
  std::unique_ptr<TCkDataConnectorField> FKey;
};

class TCkLookupDataConnector : public TCkKeyFieldDataConnector {
  FW_CLASS(TCkLookupDataConnector, TCkKeyFieldDataConnector)
  TCkLookupDataConnector();

  ICkDataSource* ListSource() const { return FList->DataSource(); }
  void SetListSource(ICkDataSource* Value) { FList->WriteDataSource(Value); }
  fw::String ListField() const { return FList->DataField(); }
  void SetListField(const fw::String& Value) { FList->SetDataField(Value); }
  fw::String ListKeyField() const { return FList->KeyField(); }
  void SetListKeyField(const fw::String& Value) { FList->SetKeyField(Value); }
  TCkKeyFieldDataConnector* List() const { return FList.get(); }
  void Assign(fw::TPersistent* Source) override;

 private:
  std::unique_ptr<TCkKeyFieldDataConnector> FList;
};

}  // namespace ck
