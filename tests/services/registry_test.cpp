// Single registry values under a key of this test process only: text and
// number round trips, the defaults and errors of the readers, root names in
// key paths, and the per-thread registry view.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "fw/core/sysutils.h"
#include "fw/platform/registry.h"
#include "services/uclbase.h"
#include "services/uclregistry.h"

using fw::String;
using namespace services;

namespace {

std::string N(const String& s) { return fw::StringToUtf8(s); }

// Unique per process, so test programs running side by side never meet.
const String kKey = u"Software\\VestalineTest\\uclregistry_" + fw::IntToStr(GetCurrentProcessId());

class UclRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    fw::TRegistry user;
    user.DeleteKey(u"\\" + kKey);
    fw::TRegistry machine32(KEY_ALL_ACCESS | KEY_WOW64_32KEY);
    machine32.SetRootKey(HKEY_LOCAL_MACHINE);
    machine32.DeleteKey(u"\\" + kKey);
  }
  static void WriteRaw(const String& Name, DWORD Type, const void* Data, DWORD Size) {
    fw::TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(u"\\" + kKey, true));
    ASSERT_EQ(RegSetValueExW(registry.CurrentKey(), W(Name), 0, Type, static_cast<const BYTE*>(Data), Size),
              ERROR_SUCCESS);
  }
  static std::string MessageOf(const std::function<void()>& Call) {
    try {
      Call();
    } catch (const EUclRegistryError& e) {
      return N(e.Message());
    }
    return "no error";
  }
};

TEST_F(UclRegistryTest, TextRoundTripsAndReadersAnswerOrRaiseByChoice) {
  EXPECT_FALSE(RegKeyPresent(HKEY_CURRENT_USER, kKey));
  RegWriteText(HKEY_CURRENT_USER, kKey + u"\\Sub", u"Sample", u"\u00e4\u4e2d text");
  RegWriteText(HKEY_CURRENT_USER, kKey + u"\\Sub", u"Empty", u"");
  EXPECT_TRUE(RegKeyPresent(HKEY_CURRENT_USER, u"HKCU\\" + kKey + u"\\Sub"));
  EXPECT_EQ(N(RegReadText(HKEY_CURRENT_USER, kKey + u"\\Sub", u"Sample")), "\u00e4\u4e2d text");
  EXPECT_EQ(N(RegReadText(HKEY_CURRENT_USER, u"\\HKEY_CURRENT_USER\\" + kKey + u"\\Sub", u"Empty")), "");
  DWORD type = 0;
  EXPECT_TRUE(RegValueType(HKEY_CURRENT_USER, kKey + u"\\Sub", u"Sample", type));
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_FALSE(RegValueType(HKEY_CURRENT_USER, kKey + u"\\Sub", u"Missing", type));

  EXPECT_EQ(N(RegReadTextDef(HKEY_CURRENT_USER, kKey + u"\\None", u"Sample", u"fallback")), "fallback");
  EXPECT_EQ(N(RegReadTextDef(HKEY_CURRENT_USER, kKey + u"\\Sub", u"Missing", u"fallback")), "fallback");
  EXPECT_EQ(RegReadNumberDef(HKEY_CURRENT_USER, kKey + u"\\None", u"X", 42), 42);
  String value = u"kept";
  EXPECT_FALSE(RegReadTextEx(HKEY_CURRENT_USER, kKey + u"\\None", u"Sample", value, false));
  EXPECT_EQ(N(value), "kept");

  const std::string root = "HKEY_CURRENT_USER\\" + N(kKey);
  EXPECT_EQ(MessageOf([] { RegReadText(HKEY_CURRENT_USER, kKey + u"\\None", u"Sample"); }),
            "Unable to open key \"" + root + "\\None\" for read");
  EXPECT_EQ(MessageOf([] { RegReadText(HKEY_CURRENT_USER, kKey + u"\\Sub", u"Missing"); }),
            "Unable to open key \"" + root + "\\Sub\" and access value \"Missing\"");
}

TEST_F(UclRegistryTest, TextKeepsItsLastCharacterWhenStoredWithoutTerminator) {
  const char16_t bare[] = u"abc";
  WriteRaw(u"Bare", REG_SZ, bare, 6);  // no terminating NUL
  WriteRaw(u"Binary", REG_BINARY, "x\0y\0z", 5);  // an odd byte count
  WriteRaw(u"Terminated", REG_SZ, bare, 8);
  EXPECT_EQ(N(RegReadText(HKEY_CURRENT_USER, kKey, u"Bare")), "abc");
  EXPECT_EQ(N(RegReadText(HKEY_CURRENT_USER, kKey, u"Binary")), "xy");
  EXPECT_EQ(N(RegReadText(HKEY_CURRENT_USER, kKey, u"Terminated")), "abc");
  const uint32_t dword = 7;
  WriteRaw(u"Dword", REG_DWORD, &dword, sizeof dword);
  EXPECT_EQ(MessageOf([] { RegReadText(HKEY_CURRENT_USER, kKey, u"Dword"); }),
            "\"HKEY_CURRENT_USER\\" + N(kKey) + "\\Dword\" is of wrong kind or size");
}

TEST_F(UclRegistryTest, NumbersFromTextDwordQwordAndShortBinary) {
  const uint32_t dword = 0xFFFFFFFE;
  const uint64_t qword = 0x0000000500000007ull;
  const uint8_t binary2[] = {0x34, 0x12};
  const uint8_t binary9[9] = {1};
  WriteRaw(u"Dword", REG_DWORD, &dword, sizeof dword);
  WriteRaw(u"Qword", REG_QWORD, &qword, sizeof qword);
  WriteRaw(u"Binary2", REG_BINARY, binary2, sizeof binary2);
  WriteRaw(u"Binary9", REG_BINARY, binary9, sizeof binary9);
  RegWriteText(HKEY_CURRENT_USER, kKey, u"Text", u"-15");
  RegWriteText(HKEY_CURRENT_USER, kKey, u"Hex", u"$10");
  RegWriteText(HKEY_CURRENT_USER, kKey, u"Bad", u"12a");
  struct Case {
    const char16_t* name;
    bool read;
    int value;
  };
  const Case cases[] = {
      {u"Dword", true, -2},  {u"Qword", true, 7},   {u"Binary2", true, 0x1234}, {u"Text", true, -15},
      {u"Hex", true, 16},    {u"Bad", false, 0},    {u"Binary9", false, 0},     {u"Missing", false, 0},
  };
  for (const Case& c : cases) {
    int value = 0;
    EXPECT_EQ(RegReadNumberEx(HKEY_CURRENT_USER, kKey, c.name, value, false), c.read) << N(c.name);
    if (c.read) EXPECT_EQ(value, c.value) << N(c.name);
    EXPECT_EQ(RegReadNumberDef(HKEY_CURRENT_USER, kKey, c.name, 99), c.read ? c.value : 99) << N(c.name);
  }
  int value = 0;
  EXPECT_THROW(RegReadNumberEx(HKEY_CURRENT_USER, kKey, u"Bad", value, true), fw::EConvertError);
  EXPECT_EQ(MessageOf([&] { RegReadNumberEx(HKEY_CURRENT_USER, kKey, u"Binary9", value, true); }),
            "\"HKEY_CURRENT_USER\\" + N(kKey) + "\\Binary9\" is of wrong kind or size");
}

TEST_F(UclRegistryTest, RootNamesInKeyPathsMustMatchTheRootKey) {
  struct Case {
    HKEY root;
    const char16_t* key;
    const char16_t* below;  // null: the path names another root
  };
  const Case cases[] = {
      {HKEY_LOCAL_MACHINE, u"HKLM\\Software\\X", u"Software\\X"},
      {HKEY_LOCAL_MACHINE, u"\\hkey_local_machine\\Software", u"Software"},
      {HKEY_LOCAL_MACHINE, u"\\Software\\X", u"Software\\X"},
      {HKEY_LOCAL_MACHINE, u"HKLMSoftware", u"HKLMSoftware"},
      {HKEY_CLASSES_ROOT, u"HKCR\\.txt", u".txt"},
      {HKEY_CURRENT_USER, u"HKLM\\Software\\X", nullptr},
      {HKEY_USERS, u"HKEY_CURRENT_CONFIG\\System", nullptr},
  };
  for (const Case& c : cases) {
    if (c.below) {
      EXPECT_EQ(N(KeyBelowRoot(c.root, c.key)), N(c.below)) << N(c.key);
    } else {
      EXPECT_EQ(MessageOf([&] { KeyBelowRoot(c.root, c.key); }), "\"" + N(c.key) + "\" does not match RootKey");
    }
  }
  EXPECT_TRUE(RegKeyPresent(HKEY_LOCAL_MACHINE, u"HKLM\\Software"));
  EXPECT_FALSE(RegKeyPresent(HKEY_CURRENT_USER, u"HKLM\\Software"));
  EXPECT_EQ(N(RegReadTextDef(HKEY_CURRENT_USER, u"HKLM\\Software", u"X", u"d")), "d");
  EXPECT_EQ(N(RootKeyName(HKEY_DYN_DATA)), "HKEY_DYN_DATA");
  EXPECT_EQ(N(RootKeyName(reinterpret_cast<HKEY>(uintptr_t(0x1a2b)))), "$00001A2B");
}

TEST_F(UclRegistryTest, TheRegistryViewBelongsToTheThread) {
  std::thread([] {
    SetRegistryViewMode(2);
    EXPECT_EQ(RegistryViewFlags(), REGSAM(KEY_WOW64_32KEY));
    RegWriteText(HKEY_LOCAL_MACHINE, kKey, u"View", u"32");
    EXPECT_EQ(N(RegReadText(HKEY_LOCAL_MACHINE, kKey, u"View")), "32");
    std::thread([] { EXPECT_EQ(RegistryViewMode(), 0) << "a new thread starts in the process's view"; }).join();
  }).join();
  EXPECT_EQ(RegistryViewMode(), 0);
  // The 64-bit process sees the 32-bit view's keys under Wow6432Node.
  EXPECT_FALSE(RegKeyPresent(HKEY_LOCAL_MACHINE, kKey));
  EXPECT_EQ(N(RegReadTextDef(HKEY_LOCAL_MACHINE, u"Software\\Wow6432Node\\" + kKey.substr(9), u"View", u"")), "32");
}

}  // namespace
