// Data connectors against an in-memory data source: a connector without a
// source does nothing, a source that cannot register its connectors is not
// kept, and the check list box connector fills the box from the list
// source, mirrors the data field into the checks (only the unchecked text
// unchecks) and writes a check click back, also across two data sets
// joined by key fields, without reacting to its own write.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "check_list_box_util.h"
#include "controls/views/ckchecklistbox.h"
#include "fw/core/sysutils.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;

namespace {

// A table: named fields, records of texts, a current record.
struct Table : TObject {
  std::vector<String> fields;
  std::vector<std::vector<String>> records;
  int current = 0;
  int Column(TCkFieldHandle F) const { return static_cast<int>(static_cast<const String*>(F) - fields.data()); }
};

// A source over a table; it tells its connectors when a value changes.
class Source : public ICkDataSource, public ICkDataConnectorRegistry {
 public:
  explicit Source(Table* T, bool Registry = true) : table(T), registry(Registry) {}
  Table* table;
  bool registry;
  std::vector<TCkDataConnector*> connectors;
  int edits = 0;
  int recordCountCalls = 0;

  ICkDataConnectorRegistry* ConnectorRegistry() override { return registry ? this : nullptr; }
  void AddConnector(TCkDataConnector* C) override { connectors.push_back(C); }
  void RemoveConnector(TCkDataConnector* C) override { std::erase(connectors, C); }

  void Edit() override { ++edits; }
  TObject* DataLink() override { return nullptr; }
  TObject* DataSet() override { return table; }
  void First() override { table->current = 0; }
  void Next() override { ++table->current; }
  bool Eof() override { return table->current >= static_cast<int>(table->records.size()); }
  int RecordCount() override {
    ++recordCountCalls;
    return static_cast<int>(table->records.size());
  }
  TCkFieldHandle FieldByName(const String& Name) override { return FindField(Name); }
  TCkFieldHandle FindField(const String& Name) override {
    for (const String& f : table->fields)
      if (SameText(f, Name)) return &f;
    return nullptr;
  }
  int RecNo() override { return Eof() ? -1 : table->current + 1; }
  void SetRecNo(int Value) override { table->current = Value - 1; }
  bool Locate(const String& KeyFields, const String& KeyValue) override {
    int column = table->Column(FindField(KeyFields));
    for (size_t i = 0; i < table->records.size(); ++i)
      if (table->records[i][column] == KeyValue) {
        table->current = static_cast<int>(i);
        return true;
      }
    return false;
  }
  void BeginUpdate() override {}
  void EndUpdate() override {}
  int FieldCount() override { return static_cast<int>(table->fields.size()); }
  TCkFieldHandle Fields(int Index) override { return &table->fields[Index]; }
  String FieldName(TCkFieldHandle F) override { return *static_cast<const String*>(F); }
  int FieldDataType(TCkFieldHandle) override { return 1; }
  int FieldSize(TCkFieldHandle) override { return 20; }
  String FieldDisplayLabel(TCkFieldHandle F) override { return FieldName(F); }
  int FieldDisplayWidth(TCkFieldHandle) override { return 20; }
  void SetFieldDisplayWidth(TCkFieldHandle, int) override {}
  String FieldEditMask(TCkFieldHandle) override { return String(); }
  bool FieldReadOnly(TCkFieldHandle) override { return false; }
  bool FieldVisible(TCkFieldHandle) override { return true; }
  bool FieldRequired(TCkFieldHandle) override { return false; }
  void FieldClear(TCkFieldHandle F) override { SetFieldAsString(F, String()); }
  bool FieldIsNull(TCkFieldHandle F) override { return FieldAsString(F).empty(); }
  bool FieldIsBlob(TCkFieldHandle) override { return false; }
  bool FieldCanModify(TCkFieldHandle) override { return true; }
  String FieldAsString(TCkFieldHandle F) override {
    return Eof() ? String() : table->records[table->current][table->Column(F)];
  }
  void SetFieldAsString(TCkFieldHandle F, const String& Value) override {
    table->records[table->current][table->Column(F)] = Value;
    // A changed record is announced to every connector.
    for (TCkDataConnector* c : connectors) c->SendConnectorMessage(CkCurrentRecordChanged);
  }
  int FieldAsInteger(TCkFieldHandle F) override { return StrToIntDef(FieldAsString(F), 0); }
  void SetFieldAsInteger(TCkFieldHandle F, int V) override { SetFieldAsString(F, IntToStr(V)); }
  double FieldAsFloat(TCkFieldHandle F) override { return FieldAsInteger(F); }
  void SetFieldAsFloat(TCkFieldHandle F, double V) override { SetFieldAsInteger(F, static_cast<int>(V)); }
  bool FieldAsBoolean(TCkFieldHandle F) override { return FieldAsInteger(F) != 0; }
  void SetFieldAsBoolean(TCkFieldHandle F, bool V) override { SetFieldAsInteger(F, V ? 1 : 0); }
};

struct BoxForm : cktest::CheckListForm {
  TCkCheckListBoxDataConnector* c() const { return box->DataConnector(); }
  // Binds the box to one table: names from Name, checks from Check.
  void BindOneTable(Source* S) {
    c()->SetListSource(S);
    c()->SetListField(u"Name");
    c()->SetDataField(u"Check");
    c()->SetDataSource(S);
  }
};

}  // namespace

TEST(DataConnector, WithoutASourceNothingHappens) {
  BoxForm f;
  TCkCheckListBoxDataConnector* c = f.c();
  EXPECT_EQ(c->ValueChecked(), u"1");
  EXPECT_EQ(c->ValueUnchecked(), u"0");
  EXPECT_FALSE(c->Active());
  EXPECT_FALSE(c->Modified());
  EXPECT_EQ(c->FieldCount(), 0);
  EXPECT_FALSE(c->DataSetConnected());
  EXPECT_EQ(c->FindField(u"Name"), nullptr);
  EXPECT_EQ(c->GetDataLink(), nullptr);
  f.box->Items()->Add(u"C:");
  f.ClickCheck(0);
  EXPECT_TRUE(f.box->Checked(0));
  EXPECT_FALSE(c->Modified());
  c->Modify();
  c->UpdateRecord();
  c->Reset();
  EXPECT_FALSE(c->Modified());
  EXPECT_EQ(f.Items(), std::vector<std::string>{"C:+"});

  // A source that cannot register its connectors is not kept.
  Table t;
  Source unregistered(&t, false);
  c->SetDataSource(&unregistered);
  EXPECT_EQ(c->DataSource(), nullptr);
  EXPECT_FALSE(c->Active());
}

TEST(DataConnector, SameDataSetFillsTheBoxAndOnlyTheUncheckedTextUnchecks) {
  BoxForm f;
  Table t;
  t.fields = {u"Name", u"Check"};
  t.records = {{u"a", u"o"}, {u"b", u""}, {u"c", u"1"}, {u"d", u"0"}};
  Source s(&t);
  TCkCheckListBoxDataConnector* c = f.c();
  c->SetValueUnchecked(u"O");
  f.BindOneTable(&s);
  EXPECT_TRUE(c->Active());
  EXPECT_TRUE(c->IsValid());
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"a-", "b+", "c+", "d+"}));
  EXPECT_EQ(c->RecordMap(), (std::vector<int>{1, 2, 3, 4}));

  // A check click writes the checked or unchecked text into its record.
  f.box->SetItemIndex(0);
  f.ClickCheck(0);
  EXPECT_EQ(t.records[0][1], u"1");
  EXPECT_GE(s.edits, 1);
  EXPECT_FALSE(c->Modified());
  f.box->SetItemIndex(2);
  f.ClickCheck(2);
  EXPECT_EQ(t.records[2][1], u"O");
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"a+", "b+", "c-", "d+"}));
}

TEST(DataConnector, OwnWriteBackIsNotAnsweredAndOtherChangesAre) {
  BoxForm f;
  Table t;
  t.fields = {u"Name", u"Check"};
  t.records = {{u"a", u"0"}, {u"b", u"1"}};
  Source s(&t);
  TCkCheckListBoxDataConnector* c = f.c();
  f.BindOneTable(&s);
  s.recordCountCalls = 0;
  f.box->SetItemIndex(0);
  f.ClickCheck(0);
  EXPECT_EQ(t.records[0][1], u"1");
  EXPECT_EQ(s.recordCountCalls, 0) << "the change notice of its own write finds the connector locked";
  // A change from elsewhere updates the current record's item.
  t.current = 1;
  t.records[1][0] = u"B";
  s.SetFieldAsString(s.FindField(u"Check"), u"0");
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"a+", "B-"}));
  EXPECT_EQ(f.box->ItemIndex(), 1);
  // A record more: the list is filled again.
  t.records.push_back({u"c", u"1"});
  c->SendConnectorMessage(CkCurrentRecordChanged);
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"a+", "B-", "c+"}));
}

TEST(DataConnector, TwoDataSetsAreJoinedByKeyFields) {
  BoxForm f;
  Table drives, choices;
  drives.fields = {u"ID", u"Name"};
  drives.records = {{u"7", u"C:"}, {u"8", u"D:"}, {u"9", u"E:"}};
  choices.fields = {u"DriveID", u"Scan"};
  choices.records = {{u"9", u"Y"}, {u"7", u"N"}};
  Source list(&drives), own(&choices);
  TCkCheckListBoxDataConnector* c = f.c();
  c->SetValueChecked(u"Y");
  c->SetValueUnchecked(u"N");
  c->SetListSource(&list);
  c->SetListField(u"Name");
  c->SetListKeyField(u"ID");
  c->SetKeyField(u"DriveID");
  c->SetDataField(u"Scan");
  c->SetDataSource(&own);
  EXPECT_TRUE(c->IsValid());
  // D: has no record of its own: unchecked.
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"C:-", "D:-", "E:+"}));
  f.box->SetItemIndex(0);
  f.ClickCheck(0);
  EXPECT_EQ(choices.records[1][1], u"Y");
  EXPECT_EQ(choices.records[0][1], u"Y");
  // Without key fields two data sets are no valid binding.
  c->SetKeyField(u"");
  c->List()->SetKeyField(u"");
  EXPECT_FALSE(c->IsValid());
}

TEST(DataConnector, WritingTheSameUncheckedTextDoesNotReset) {
  BoxForm f;
  Table t;
  t.fields = {u"Name", u"Check"};
  t.records = {{u"a", u"0"}};
  Source s(&t);
  TCkCheckListBoxDataConnector* c = f.c();
  f.BindOneTable(&s);
  c->Modify();
  EXPECT_TRUE(c->Modified());
  c->SetValueUnchecked(u"0");
  EXPECT_TRUE(c->Modified());
  c->SetValueUnchecked(u"N");
  EXPECT_FALSE(c->Modified()) << "a new text resets the connector";
  // Detaching the source drops it from the source's connectors.
  c->SetDataSource(nullptr);
  EXPECT_FALSE(c->Active());
  EXPECT_EQ(s.connectors.size(), 1u) << "only the list connector is left";
}
