#include "fw/platform/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace fw {
namespace {

const String kTestKey = u"\\Software\\VestalineTest";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    TRegistry r;
    r.DeleteKey(kTestKey);
    r.SetRootKey(HKEY_LOCAL_MACHINE);
    r.DeleteKey(kTestKey);
    TRegistry r32(KEY_ALL_ACCESS | KEY_WOW64_32KEY);
    r32.SetRootKey(HKEY_LOCAL_MACHINE);
    r32.DeleteKey(kTestKey);
  }
};

TEST_F(RegistryTest, ValuesRoundTripThroughAReopenedKey) {
  {
    TRegistry r;
    // The program's own key form: leading and trailing backslash.
    ASSERT_TRUE(r.OpenKey(kTestKey + u"\\Vestaline6\\", true));
    EXPECT_EQ(r.CurrentPath(), u"Software\\VestalineTest\\Vestaline6");
    r.WriteString(u"Sampletext", u"SAMPLE \u00e4\u4e2d\U0001F600");
    r.WriteString(u"Empty", u"");
    r.WriteInteger(u"Negative", -123456);
    r.WriteBool(u"Flag", true);
    r.WriteBool(u"Off", false);
  }
  TRegistry r;
  ASSERT_TRUE(r.OpenKeyReadOnly(kTestKey + u"\\Vestaline6"));
  EXPECT_EQ(r.ReadString(u"Sampletext"), u"SAMPLE \u00e4\u4e2d\U0001F600");
  EXPECT_EQ(r.ReadString(u"Empty"), u"");
  EXPECT_TRUE(r.ValueExists(u"Empty"));
  EXPECT_EQ(r.ReadInteger(u"Negative"), -123456);
  EXPECT_TRUE(r.ReadBool(u"Flag"));
  EXPECT_FALSE(r.ReadBool(u"Off"));
  std::vector<String> names = r.GetValueNames();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<String>{u"Empty", u"Flag", u"Negative", u"Off", u"Sampletext"}));
  TStringList list;
  list.SetSorted(true);
  r.GetValueNames(list);
  EXPECT_EQ(list.CommaText(), u"Empty,Flag,Negative,Off,Sampletext");
}

TEST_F(RegistryTest, MissingValuesAndKeys) {
  TRegistry r;
  EXPECT_FALSE(r.KeyExists(kTestKey));
  EXPECT_FALSE(r.OpenKey(kTestKey, false));
  EXPECT_FALSE(r.OpenKeyReadOnly(kTestKey));
  ASSERT_TRUE(r.OpenKey(kTestKey, true));
  EXPECT_TRUE(r.KeyExists(kTestKey));
  // A missing string reads empty, the way a first start finds no sample text.
  EXPECT_EQ(r.ReadString(u"Sampletext"), u"");
  EXPECT_FALSE(r.ValueExists(u"Sampletext"));
  EXPECT_FALSE(r.DeleteValue(u"Sampletext"));
  try {
    r.ReadInteger(u"Count");
    FAIL() << "reading a missing integer must raise";
  } catch (const ERegistryException& e) {
    EXPECT_NE(e.Message().find(u"'Count'"), String::npos);
  }
}

TEST_F(RegistryTest, ValuesOfAnotherTypeRaise) {
  TRegistry r;
  ASSERT_TRUE(r.OpenKey(kTestKey, true));
  r.WriteString(u"Text", u"12");
  r.WriteInteger(u"Number", 12);
  struct Case {
    const char* what;
    std::function<void()> read;
  } cases[] = {
      {"integer of a string", [&] { r.ReadInteger(u"Text"); }},
      {"bool of a string", [&] { r.ReadBool(u"Text"); }},
      {"string of an integer", [&] { r.ReadString(u"Number"); }},
  };
  for (const Case& c : cases) {
    try {
      c.read();
      ADD_FAILURE() << c.what << " did not raise";
    } catch (const ERegistryException& e) {
      EXPECT_EQ(e.Message().rfind(u"Invalid data type for '", 0), 0u) << c.what;
    }
  }
}

TEST_F(RegistryTest, ReadOnlyKeyRefusesWrites) {
  {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(kTestKey, true));
  }
  TRegistry r;
  ASSERT_TRUE(r.OpenKeyReadOnly(kTestKey));
  EXPECT_THROW(r.WriteString(u"x", u"y"), ERegistryException);
  r.CloseKey();
  // No key open at all.
  EXPECT_THROW(r.WriteString(u"x", u"y"), ERegistryException);
  EXPECT_THROW(r.ReadString(u"x"), ERegistryException);
}

TEST_F(RegistryTest, RelativeKeysAndRecursiveDelete) {
  TRegistry r;
  ASSERT_TRUE(r.OpenKey(kTestKey, true));
  // Without a leading backslash the key is taken below the open one.
  ASSERT_TRUE(r.OpenKey(u"A\\B", true));
  EXPECT_EQ(r.CurrentPath(), u"Software\\VestalineTest\\A\\B");
  r.WriteInteger(u"Deep", 1);
  ASSERT_TRUE(r.OpenKey(kTestKey, false));
  EXPECT_TRUE(r.HasSubKeys());
  EXPECT_EQ(r.GetKeyNames(), std::vector<String>{u"A"});
  r.CloseKey();
  EXPECT_TRUE(r.KeyExists(kTestKey + u"\\A\\B"));
  EXPECT_TRUE(r.DeleteKey(kTestKey));
  EXPECT_FALSE(r.KeyExists(kTestKey + u"\\A\\B"));
  EXPECT_FALSE(r.KeyExists(kTestKey));
  EXPECT_FALSE(r.DeleteKey(kTestKey));
}

TEST_F(RegistryTest, ThirtyTwoBitViewIsSeparateFromTheSixtyFourBitView) {
  TRegistry r32(KEY_ALL_ACCESS | KEY_WOW64_32KEY);
  r32.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(r32.OpenKey(kTestKey, true));
  r32.WriteString(u"View", u"32");
  r32.CloseKey();
  EXPECT_TRUE(r32.KeyExists(kTestKey));

  TRegistry r64(KEY_ALL_ACCESS | KEY_WOW64_64KEY);
  r64.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(r64.KeyExists(kTestKey));
  EXPECT_TRUE(r64.KeyExists(u"\\Software\\WOW6432Node\\VestalineTest"));
  ASSERT_TRUE(r32.OpenKeyReadOnly(kTestKey));
  EXPECT_EQ(r32.ReadString(u"View"), u"32");
  r32.CloseKey();
  EXPECT_TRUE(r32.DeleteKey(kTestKey));
  EXPECT_FALSE(r64.KeyExists(u"\\Software\\WOW6432Node\\VestalineTest"));
}

}  // namespace
}  // namespace fw
