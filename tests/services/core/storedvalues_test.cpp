// Stored values: saved by their type or as keyed hexadecimal, restored by
// the type of their current value, names unique.
#include <gtest/gtest.h>

#include "services/core/appinistorage.h"
#include "services/core/storedvalues.h"

using namespace services;
using fw::String;

namespace {

struct StoredValues : ::testing::Test {
  void SetUp() override {
    SetStorageFileSystem(&fs);
    storage.SetDefaultSection(u"MainForm");
    storage.WriteFlushOnDestroy(false);
    values.SetStorage(&storage);
    values.SetPath(u"ImageForm");
  }
  void TearDown() override { SetStorageFileSystem(nullptr); }
  TCkMemoryFileSystem fs;
  TCkAppIniFileStorage storage{nullptr};
  TCkStoredValues values;
};

TEST_F(StoredValues, EachTypeIsWrittenByItsOwnOperationAndRestoredByTheCurrentType) {
  const struct {
    const char16_t* name;
    TCkStoredVariant value;
    const char16_t* text;
  } cases[] = {
      {u"i", TCkStoredVariant::Integer(-5), u"-5"},
      {u"f", TCkStoredVariant::Float(1.0), u"0000000000000080FF3F"},
      {u"d", TCkStoredVariant::Date(46000.5), u"2025-12-09 12:00:00"},
      {u"b", TCkStoredVariant::Boolean(true), u"TRUE"},
      {u"s", TCkStoredVariant::Text(u"text"), u"text"},
      {u"big", TCkStoredVariant::Int64(5000000000), u"5000000000"},
      {u"none", TCkStoredVariant(), u""},
  };
  for (const auto& c : cases) values.SetStoredValue(c.name, c.value);
  values.SaveValues();
  for (const auto& c : cases) EXPECT_EQ(storage.IniFile().ReadString(u"ImageForm", c.name, u"?"), c.text);
  for (int i = 0; i < values.Count(); ++i) values.Items(i)->SetValue(cases[i].value);
  values.RestoreValues();
  for (const auto& c : cases) {
    const TCkStoredVariant expected = c.value.Kind() == TCkStoredVariant::vkInt64 || c.value.IsUnassigned()
                                          ? TCkStoredVariant::Text(c.text)
                                          : c.value;
    EXPECT_EQ(values.StoredValue(c.name), expected) << fw::StringToUtf8(c.name);
  }
  EXPECT_TRUE(values.StoredValue(u"missing").IsNull());
}

TEST_F(StoredValues, KeyedValuesAreLowerCaseHexAndAWrongKeyGivesOtherText) {
  values.SetStoredValue(u"secret", TCkStoredVariant::Text(u"Gr\u00fc\u00df"));
  values.Values(u"secret")->SetKeyString(u"key");
  values.SaveValues();
  const String stored = storage.IniFile().ReadString(u"ImageForm", u"secret", u"");
  EXPECT_EQ(stored.size(), 12u);  // six UTF-8 bytes
  EXPECT_EQ(stored.find_first_not_of(u"0123456789abcdef"), String::npos);
  values.RestoreValues();
  EXPECT_EQ(values.StoredValue(u"secret"), TCkStoredVariant::Text(u"Gr\u00fc\u00df"));
  values.Values(u"secret")->SetKeyString(u"other");
  values.RestoreValues();
  EXPECT_NE(values.StoredValue(u"secret"), TCkStoredVariant::Text(u"Gr\u00fc\u00df"));
}

TEST_F(StoredValues, NamesAreUniqueWithoutRegardToCase) {
  values.SetStoredValue(u"Size", TCkStoredVariant::Integer(1));
  auto* other = static_cast<TCkStoredValue*>(values.Add());
  EXPECT_THROW(other->SetName(u"size"), ECKException);
  values.Values(u"Size")->SetName(u"SIZE");  // its own name in another case
  EXPECT_EQ(values.IndexOf(u"size"), 0);
  EXPECT_TRUE(IsIntegerVariant(TCkStoredVariant::Integer(1)));
  EXPECT_FALSE(IsIntegerVariant(TCkStoredVariant::Int64(1)));
  EXPECT_FALSE(IsIntegerVariant(TCkStoredVariant::Float(1)));
}

}  // namespace
