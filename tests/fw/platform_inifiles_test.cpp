#include "fw/platform/inifiles.h"

#include <gtest/gtest.h>

#include "fw/core/strings_list.h"
#include "fw/platform_test_folder.h"

namespace fw {
namespace {

using testing::ReadTextFile;
using testing::TestFolder;
using testing::WriteTextFile;

using Names = std::vector<String>;

TEST(MemIniFile, ReadsSectionsKeysAndValuesByTheFileRules) {
  TestFolder dir("ini_rules");
  WriteTextFile(dir / u"a.ini",
                "orphan=dropped\r\n"
                "  [ MainForm ]  \r\n"
                "; a comment\r\n"
                "\r\n"
                "  Width =  640 \r\n"
                "Path=C:\\a=b\n"
                "flagonly\r"
                "[ImageForm\\x]\r\n"
                "Count=2\r\n"
                "[mainform]\r\n"
                "Height=480\r\n");
  TMemIniFile ini(dir / u"a.ini");
  EXPECT_EQ(ini.ReadSections(), (Names{u"MainForm", u"ImageForm\\x"}));
  EXPECT_EQ(ini.ReadSection(u"MAINFORM"), (Names{u"Width", u"Path", u"flagonly", u"Height"}));
  EXPECT_EQ(ini.ReadString(u"mainform", u"WIDTH", u"?"), u"640");
  EXPECT_EQ(ini.ReadString(u"MainForm", u"Path", u"?"), u"C:\\a=b");  // split at the first "="
  EXPECT_TRUE(ini.ValueExists(u"MainForm", u"flagonly"));
  EXPECT_EQ(ini.ReadString(u"MainForm", u"flagonly", u"?"), u"");
  EXPECT_EQ(ini.ReadString(u"MainForm", u"orphan", u"?"), u"?");
  EXPECT_EQ(ini.ReadString(u"Nowhere", u"Width", u"def"), u"def");
  EXPECT_EQ(ini.ReadInteger(u"ImageForm\\x", u"count", 0), 2);
  EXPECT_FALSE(ini.SectionExists(u"orphan"));
  TStringList keys;
  keys.Add(u"stale");
  ini.ReadSection(u"ImageForm\\x", keys);
  EXPECT_EQ(keys.Text(), u"Count\r\n");
}

TEST(MemIniFile, WritesInPlaceAppendsAndSavesTheDocumentForm) {
  TestFolder dir("ini_write");
  WriteTextFile(dir / u"w.ini", "[B]\r\nx=1\r\ny=2\r\n[A]\r\nk=v\r\n");
  {
    TMemIniFile ini(dir / u"w.ini");
    ini.WriteString(u"b", u"X", u"10");       // replaces in place, keeps its spelling
    ini.WriteString(u"A", u"new", u"n");      // appended to its section
    ini.WriteInteger(u"C", u"count", -3);     // a new section goes last
    ini.WriteBool(u"C", u"on", true);
    ini.DeleteKey(u"B", u"Y");
    ini.UpdateFile();
  }
  EXPECT_EQ(ReadTextFile(dir / u"w.ini"),
            "[B]\r\nx=10\r\n\r\n[A]\r\nk=v\r\nnew=n\r\n\r\n[C]\r\ncount=-3\r\non=1\r\n\r\n");
  TMemIniFile again(dir / u"w.ini");
  EXPECT_EQ(again.ReadInteger(u"C", u"count", 0), -3);
  EXPECT_TRUE(again.ReadBool(u"C", u"on", false));
  again.EraseSection(u"a");
  EXPECT_EQ(again.ReadSections(), (Names{u"B", u"C"}));
}

TEST(MemIniFile, IntegersAndBoolsReadTheirTextForms) {
  TMemIniFile ini(u"");
  struct Case {
    const char16_t* text;
    int expected;
  } cases[] = {{u"12", 12},    {u"-5", -5},        {u"$1F", 31},   {u"0x10", 16},
               {u"abc", 77},   {u"", 77},            {u"1.5", 77},   {u"$FFFFFFFF", -1},
               {u"99999999999", 77}};
  for (const Case& c : cases) {
    ini.WriteString(u"S", u"k", c.text);
    EXPECT_EQ(ini.ReadInteger(u"S", u"k", 77), c.expected) << StringToUtf8(c.text);
  }
  ini.WriteString(u"S", u"b", u"0");
  EXPECT_FALSE(ini.ReadBool(u"S", u"b", true));
  EXPECT_TRUE(ini.ReadBool(u"S", u"missing", true));
}

TEST(MemIniFile, KeepsTheEncodingOfTheFileItRead) {
  TestFolder dir("ini_enc");
  struct Case {
    const char* name;
    std::string bytes;
    TIniEncoding encoding;
  } cases[] = {
      {"utf8", "\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\xE4\xB8\xAD\r\n", TIniEncoding::Utf8},
      {"utf16le", std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\x2D\x4E", 20),
       TIniEncoding::Utf16LE},
      {"utf16be", std::string("\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\0\xE9\x4E\x2D", 20),
       TIniEncoding::Utf16BE},
  };
  for (const Case& c : cases) {
    const String file = dir / (Utf8ToString(c.name) + u".ini");
    WriteTextFile(file, c.bytes);
    {
      TMemIniFile ini(file);
      EXPECT_EQ(ini.Encoding(), c.encoding) << c.name;
      EXPECT_EQ(ini.ReadString(u"S", u"k", u""), u"\u00e9\u4e2d") << c.name;
      ini.WriteString(u"S", u"more", u"\u4e2d");
      ini.UpdateFile();
    }
    const size_t bom = c.encoding == TIniEncoding::Utf8 ? 3 : 2;
    EXPECT_EQ(ReadTextFile(file).substr(0, bom), c.bytes.substr(0, bom))
        << c.name << ": byte-order mark kept";
    TMemIniFile again(file);
    EXPECT_EQ(again.ReadString(u"S", u"more", u""), u"\u4e2d") << c.name;
  }
  // Without a byte-order mark the file is in the ANSI code page, and a new
  // document is written in it too.
  WriteTextFile(dir / u"ansi.ini", "[S]\r\nk=caf\xE9\r\n");
  TMemIniFile ansi(dir / u"ansi.ini");
  EXPECT_EQ(ansi.Encoding(), TIniEncoding::Ansi);
  String expected = u"caf";
  expected += static_cast<char16_t>([] {
    wchar_t w = 0;
    MultiByteToWideChar(CP_ACP, 0, "\xE9", 1, &w, 1);
    return w;
  }());
  EXPECT_EQ(ansi.ReadString(u"S", u"k", u""), expected);
  TMemIniFile fresh(dir / u"new.ini");
  fresh.WriteString(u"S", u"k", u"v");
  fresh.UpdateFile();
  EXPECT_EQ(ReadTextFile(dir / u"new.ini"), "[S]\r\nk=v\r\n\r\n");
}

TEST(MemIniFile, TextFormAndRename) {
  TestFolder dir("ini_text");
  TMemIniFile ini(u"");
  ini.SetText(u"[S]\nk = v\n");
  EXPECT_EQ(ini.GetText(), u"[S]\r\nk=v\r\n\r\n");
  ini.Rename(dir / u"r.ini", false);
  ini.UpdateFile();
  ini.Clear();
  EXPECT_TRUE(ini.ReadSections().empty());
  ini.Rename(dir / u"r.ini", true);
  EXPECT_EQ(ini.ReadString(u"s", u"K", u""), u"v");
  ini.Rename(dir / u"missing.ini", true);
  EXPECT_TRUE(ini.ReadSections().empty());
  // A file that cannot be written raises.
  ini.Rename(dir / u"no\\such\\folder.ini", false);
  EXPECT_THROW(ini.UpdateFile(), EFCreateError);
}

TEST(IniFile, ProfileFileRoundTrip) {
  TestFolder dir("ini_profile");
  const String file = dir / u"p.ini";
  {
    TIniFile ini(file);
    ini.WriteString(u"First", u"Name", u"value one");
    ini.WriteInteger(u"First", u"Count", 42);
    ini.WriteBool(u"Second", u"On", true);
    ini.WriteString(u"Second", u"Gone", u"x");
    ini.UpdateFile();
  }
  TIniFile ini(file);
  EXPECT_EQ(ini.ReadString(u"first", u"NAME", u""), u"value one");
  EXPECT_EQ(ini.ReadInteger(u"First", u"Count", 0), 42);
  EXPECT_TRUE(ini.ReadBool(u"Second", u"On", false));
  EXPECT_EQ(ini.ReadString(u"First", u"Missing", u"def"), u"def");
  EXPECT_EQ(ini.ReadSections(), (Names{u"First", u"Second"}));
  EXPECT_EQ(ini.ReadSection(u"Second"), (Names{u"On", u"Gone"}));
  ini.DeleteKey(u"Second", u"Gone");
  EXPECT_FALSE(ini.ValueExists(u"Second", u"Gone"));
  ini.EraseSection(u"First");
  EXPECT_FALSE(ini.SectionExists(u"First"));
  ini.UpdateFile();
  // The memory form reads what the profile functions wrote.
  TMemIniFile mem(file);
  EXPECT_EQ(mem.ReadSections(), Names{u"Second"});
  EXPECT_EQ(mem.ReadString(u"Second", u"On", u""), u"1");
}

}  // namespace
}  // namespace fw
