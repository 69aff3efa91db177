// Token replacement with the program's facts supplied by a test environment.
#include <gtest/gtest.h>

#include "fw/core/datetime.h"
#include "services/core/translatestring.h"

using namespace services;
using fw::String;

namespace {

class TFakeEnvironment : public TCkTranslateEnvironment {
 public:
  bool hasVersion = true;
  std::vector<String> messages;
  bool HasVersionResource() override { return hasVersion; }
  String VersionValue(fw::StringView key) override {
    if (key == u"FileVersion") return u"3.0.7.0";
    if (key == u"ProductVersion") return u"3.0.0.0";
    return String();
  }
  String ExeName() override { return u"C:\\Apps\\Vestaline3.exe"; }
  fw::TDateTime Now() override { return fw::EncodeDate(2026, 12, 11) + fw::EncodeTime(1, 2, 3, 0); }
  fw::TPoint ScreenSize() override { return {1024, 768}; }
  fw::TPoint DesktopSize() override { return {2048, 768}; }
  void ShowSubstituteMessage(const String& text) override { messages.push_back(text); }
};

class TranslateString : public ::testing::Test {
 protected:
  void SetUp() override { SetTranslateEnvironment(&env); }
  void TearDown() override { SetTranslateEnvironment(nullptr); }
  TFakeEnvironment env;
};

TEST_F(TranslateString, TokenTable) {
  const struct {
    const char16_t* in;
    const char16_t* out;
    bool changed;
  } cases[] = {
      {u"", u"", false},
      {u"abc", u"abc", false},
      {u"abc%", u"abc%", false},
      {u"%%", u"%%", false},
      {u"50% of %DATE%", u"50% of 11_12_2026", true},
      {u"%XYZ%DATE%", u"%XYZ11_12_2026", true},
      {u"% date %", u"11_12_2026", true},
      {u"%TIME%/%DATETIME%", u"01_02_03/11_12_2026 01_02_03", true},
      {u"%EXENAME%", u"C:\\Apps\\Vestaline3.exe", true},
      {u"%FILENAME%|%FULLDIREXE%", u"Vestaline3|C:\\Apps", true},
      {u"%SCREENSIZE% %DESKTOPSIZE%", u"1024x768 2048x768", true},
      {u"%APPL_NAME%-%COMPANY_NAME%-%FILEVERSION%-%PRODUCTVERSION%", u"Vestaline3--3.0.7.0-3.0.0.0", true},
      {u"%FORMNAME%", u"", true},
  };
  TCkTranslateString t(nullptr);
  for (const auto& c : cases) {
    bool changed = !c.changed;
    EXPECT_EQ(t.TranslateString(c.in, changed), c.out) << fw::StringToUtf8(c.in);
    EXPECT_EQ(changed, c.changed) << fw::StringToUtf8(c.in);
  }
  EXPECT_TRUE(env.messages.empty());
}

TEST_F(TranslateString, MissingVersionResourceGivesSubstitutesAndTellsOncePerToken) {
  env.hasVersion = false;
  TCkTranslateString t(nullptr);
  EXPECT_EQ(t.TranslateString(u"%FILEVERSION%;%COMPANY_NAME%;%FILEVERSION%"), u"0.0.0.0;MyCompany;0.0.0.0");
  ASSERT_EQ(env.messages.size(), 2u);
  EXPECT_NE(env.messages[0].find(u"\"FILEVERSION\" has been replaced with \"0.0.0.0\""), String::npos);
}

TEST_F(TranslateString, ProcessCommandEventCanRecogniseAndChangeValues) {
  struct THandler : fw::TObject {
    void On(fw::TObject*, const String& command, String& value, bool& changed) {
      if (command == u"USER") {
        value = u"me";
        changed = true;
      }
    }
  } handler;
  TCkTranslateString t(nullptr);
  t.FOnProcessCommand = TProcessCommandEvent(&handler, &THandler::On);
  EXPECT_EQ(t.TranslateString(u"a%user%b"), u"ameb");
}

TEST_F(TranslateString, FormatsSetTheirSeparatorOnce) {
  TCkTranslateString t(nullptr);
  EXPECT_EQ(t.DateSeparator(), 0xFF);
  t.SetDateFormat(u"yyyy-mm-dd");
  EXPECT_EQ(t.DateSeparator(), u'y');
  t.SetTimeFormat(u"0000");
  EXPECT_EQ(t.TimeSeparator(), 0xFF);
  EXPECT_EQ(t.TranslateString(u"%DATE%"), u"2026-12-11");
}

}  // namespace
