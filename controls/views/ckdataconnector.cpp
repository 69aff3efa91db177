#include "controls/views/ckdataconnector.h"

#include <algorithm>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"

namespace ck {

using namespace fw;

// ---- TCkDataConnectorField

TCkDataConnectorField::TCkDataConnectorField(ICkDataSource* Source, const String& FieldName)
    : FFieldName(FieldName) {
  Rebind(Source);
}

void TCkDataConnectorField::Rebind(ICkDataSource* Source) {
  FDataSource = Source;
  FField = Source && Source->DataSet() ? Source->FindField(FFieldName) : nullptr;
}

void TCkDataConnectorField::SetDataSource(ICkDataSource* Value) {
  if (Value != FDataSource) Rebind(Value);
}

void TCkDataConnectorField::SetFieldName(const String& Value) {
  if (Value == FFieldName) return;
  FFieldName = Value;
  Rebind(FDataSource);
}

bool TCkDataConnectorField::IsValid() {
  if (FDataSource && !FField) Rebind(FDataSource);
  return FDataSource && FField;
}

bool TCkDataConnectorField::CanModify() { return IsValid() && FDataSource->FieldCanModify(FField); }

// Without a bound field the wrappers answer empty values rather than reach
// for a missing source.
int TCkDataConnectorField::DataType() { return Bound() ? FDataSource->FieldDataType(FField) : 0; }
int TCkDataConnectorField::Size() { return Bound() ? FDataSource->FieldSize(FField) : 0; }
String TCkDataConnectorField::DisplayLabel() { return Bound() ? FDataSource->FieldDisplayLabel(FField) : String(); }
int TCkDataConnectorField::DisplayWidth() { return Bound() ? FDataSource->FieldDisplayWidth(FField) : 0; }
void TCkDataConnectorField::SetDisplayWidth(int Value) {
  if (Bound()) FDataSource->SetFieldDisplayWidth(FField, Value);
}
String TCkDataConnectorField::EditMask() { return Bound() ? FDataSource->FieldEditMask(FField) : String(); }
bool TCkDataConnectorField::ReadOnly() { return Bound() && FDataSource->FieldReadOnly(FField); }
bool TCkDataConnectorField::Visible() { return Bound() && FDataSource->FieldVisible(FField); }
bool TCkDataConnectorField::Required() { return Bound() && FDataSource->FieldRequired(FField); }
bool TCkDataConnectorField::IsNull() { return !Bound() || FDataSource->FieldIsNull(FField); }
bool TCkDataConnectorField::IsBlob() { return Bound() && FDataSource->FieldIsBlob(FField); }
void TCkDataConnectorField::Clear() {
  if (Bound()) FDataSource->FieldClear(FField);
}
String TCkDataConnectorField::AsString() { return Bound() ? FDataSource->FieldAsString(FField) : String(); }
void TCkDataConnectorField::SetAsString(const String& Value) {
  if (Bound()) FDataSource->SetFieldAsString(FField, Value);
}
int TCkDataConnectorField::AsInteger() { return Bound() ? FDataSource->FieldAsInteger(FField) : 0; }
void TCkDataConnectorField::SetAsInteger(int Value) {
  if (Bound()) FDataSource->SetFieldAsInteger(FField, Value);
}
double TCkDataConnectorField::AsFloat() { return Bound() ? FDataSource->FieldAsFloat(FField) : 0; }
void TCkDataConnectorField::SetAsFloat(double Value) {
  if (Bound()) FDataSource->SetFieldAsFloat(FField, Value);
}
bool TCkDataConnectorField::AsBoolean() { return Bound() && FDataSource->FieldAsBoolean(FField); }
void TCkDataConnectorField::SetAsBoolean(bool Value) {
  if (Bound()) FDataSource->SetFieldAsBoolean(FField, Value);
}

int64_t TCkDataConnectorField::AsInt64() {
  int64_t value = 0;
  return TryStrToInt64(AsString(), value) ? value : 0;
}

void TCkDataConnectorField::SetAsInt64(int64_t Value) { SetAsString(IntToStr(Value)); }

// ---- TCkDataConnector

TCkDataConnector::TCkDataConnector() = default;

TCkDataConnector::~TCkDataConnector() {
  if (FDataSource)
    if (ICkDataConnectorRegistry* registry = FDataSource->ConnectorRegistry()) registry->RemoveConnector(this);
  FDataSource = nullptr;
}

void TCkDataConnector::WriteDataSource(ICkDataSource* Value) {
  if (Value == FDataSource) return;
  auto attach = [this, Value] {
    FDataSource = Value;
    ICkDataConnectorRegistry* registry = Value ? Value->ConnectorRegistry() : nullptr;
    if (!registry) {
      // A source that cannot learn of its connectors is not kept.
      FDataSource = nullptr;
      return;
    }
    registry->AddConnector(this);
    SourceAttached();
  };
  if (FDataSource) {
    if (ICkDataConnectorRegistry* registry = FDataSource->ConnectorRegistry()) registry->RemoveConnector(this);
    FDataSource = nullptr;
    try {
      SourceDetached();
    } catch (...) {
      attach();
      throw;
    }
  }
  attach();
}

void TCkDataConnector::SourceAttached() {
  FModified = false;
  FActive = true;
  SendConnectorMessage(CkActiveStateChanged);
}

void TCkDataConnector::SourceDetached() {
  SendConnectorMessage(CkActiveStateChanged);
  FActive = false;
  FModified = false;
  FFields.clear();
}

void TCkDataConnector::ActiveStateChanged() { SendConnectorMessage(CkCurrentRecordChanged); }

void TCkDataConnector::FieldLayoutChanged() { SendConnectorMessage(CkCurrentRecordChanged); }

void TCkDataConnector::SendConnectorMessage(int Msg) {
  switch (Msg) {
    case CkActiveStateChanged:
      if (!Locked()) {
        ActiveStateChanged();
        FModified = false;
      }
      break;
    case CkCurrentRecordChanged:
      if (!Locked()) {
        Locked([this] { CurrentRecordChanged(); });
        FModified = false;
      }
      break;
    case CkWriteRecord:
      if (FActive) {
        Locked([this] { WriteBackRecord(); });
        FModified = false;
      }
      break;
    case CkFieldLayoutChanged:
      FFields.clear();
      if (!Locked()) {
        FieldLayoutChanged();
        FModified = false;
      }
      break;
    default: return;
  }
  if (FMaster) FMaster->SendConnectorMessage(Msg);
}

bool TCkDataConnector::MayEdit() { return FActive && FDataSource; }

void TCkDataConnector::Edit() {
  if (MayEdit() && !Locked()) Locked([this] { FDataSource->Edit(); });
}

void TCkDataConnector::Modify() {
  if (!FActive || Locked()) return;
  Edit();
  FModified = true;
}

void TCkDataConnector::UpdateRecord() {
  if (!DataSetConnected() || !FModified || !FActive) return;
  Locked([this] { WriteBackRecord(); });
  FModified = false;
}

void TCkDataConnector::Reset() {
  if (!DataSetConnected() || !FActive) return;
  FActive = false;
  try {
    SendConnectorMessage(CkCurrentRecordChanged);
  } catch (...) {
    FActive = true;
    throw;
  }
  FActive = true;
  FModified = false;
}

void TCkDataConnector::Assign(TPersistent* Source) {
  if (auto* c = dynamic_cast<TCkDataConnector*>(Source)) {
    WriteDataSource(c->DataSource());
    return;
  }
  TPersistent::Assign(Source);
}

TObject* TCkDataConnector::GetDataLink() { return FDataSource ? FDataSource->DataLink() : nullptr; }

bool TCkDataConnector::DataSetConnected() { return FDataSource && FDataSource->DataSet(); }

int TCkDataConnector::FieldCount() { return FDataSource ? FDataSource->FieldCount() : 0; }

TCkDataConnectorField* TCkDataConnector::FieldWrapper(TCkFieldHandle Handle) {
  if (!Handle) return nullptr;
  for (auto& f : FFields)
    if (f->Field() == Handle) return f.get();
  FFields.push_back(std::make_unique<TCkDataConnectorField>(FDataSource, FDataSource->FieldName(Handle)));
  return FFields.back().get();
}

TCkDataConnectorField* TCkDataConnector::FieldByName(const String& FieldName) {
  return FDataSource ? FieldWrapper(FDataSource->FieldByName(FieldName)) : nullptr;
}

TCkDataConnectorField* TCkDataConnector::FindField(const String& FieldName) {
  return FDataSource ? FieldWrapper(FDataSource->FindField(FieldName)) : nullptr;
}

TCkDataConnectorField* TCkDataConnector::GetField(int Index) {
  return FDataSource ? FieldWrapper(FDataSource->Fields(Index)) : nullptr;
}

// ---- TCkFieldDataConnector

TCkFieldDataConnector::TCkFieldDataConnector() : FField(std::make_unique<TCkDataConnectorField>(nullptr, String())) {}

void TCkFieldDataConnector::SetDataField(const String& Value) {
  FField->SetFieldName(Value);
  SendConnectorMessage(CkCurrentRecordChanged);
}

void TCkFieldDataConnector::RebindFields() { FField->Rebind(DataSource()); }

void TCkFieldDataConnector::SourceAttached() {
  RebindFields();
  TCkDataConnector::SourceAttached();
}

void TCkFieldDataConnector::SourceDetached() {
  RebindFields();
  TCkDataConnector::SourceDetached();
}

void TCkFieldDataConnector::ActiveStateChanged() {
  RebindFields();
  TCkDataConnector::ActiveStateChanged();
}

void TCkFieldDataConnector::FieldLayoutChanged() {
  RebindFields();
  TCkDataConnector::FieldLayoutChanged();
}

bool TCkFieldDataConnector::MayEdit() { return TCkDataConnector::MayEdit() && FField->CanModify(); }

void TCkFieldDataConnector::Assign(TPersistent* Source) {
  TCkDataConnector::Assign(Source);
  if (auto* c = dynamic_cast<TCkFieldDataConnector*>(Source)) SetDataField(c->DataField());
}

// ---- TCkKeyFieldDataConnector

TCkKeyFieldDataConnector::TCkKeyFieldDataConnector()
    : FKey(std::make_unique<TCkDataConnectorField>(nullptr, String())) {}

void TCkKeyFieldDataConnector::RebindFields() {
  TCkFieldDataConnector::RebindFields();
  FKey->Rebind(DataSource());
}

void TCkKeyFieldDataConnector::Assign(TPersistent* Source) {
  TCkFieldDataConnector::Assign(Source);
  if (auto* c = dynamic_cast<TCkKeyFieldDataConnector*>(Source)) SetKeyField(c->KeyField());
}

// ---- TCkLookupDataConnector

TCkLookupDataConnector::TCkLookupDataConnector() : FList(std::make_unique<TCkKeyFieldDataConnector>()) {
  FList->SetMaster(this);
}

void TCkLookupDataConnector::Assign(TPersistent* Source) {
  TCkKeyFieldDataConnector::Assign(Source);
  if (auto* c = dynamic_cast<TCkLookupDataConnector*>(Source)) {
    SetListSource(c->ListSource());
    SetListField(c->ListField());
    SetListKeyField(c->ListKeyField());
  }
}

FW_REGISTER(TCkDataConnector) {}
FW_REGISTER(TCkFieldDataConnector) {}
FW_REGISTER(TCkKeyFieldDataConnector) {}
FW_REGISTER(TCkLookupDataConnector) {}

}  // namespace ck
