#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"
#include "fw/core/streams.h"
#include "fw/core/strings_list.h"

using namespace fw;

namespace {

struct ChangeLog : TObject {
  TStrings* expected = nullptr;
  int changing = 0, changed = 0;
  void Changing(TObject* Sender) {
    EXPECT_EQ(Sender, expected);
    ++changing;
  }
  void Changed(TObject* Sender) {
    EXPECT_EQ(Sender, expected);
    ++changed;
  }
};

std::vector<String> Items(const TStrings& list) {
  std::vector<String> v;
  for (int i = 0; i < list.Count(); ++i) v.push_back(list[i]);
  return v;
}

}  // namespace

TEST(StringList, TextJoinsWithCrLfAndSplitsAtEveryLineBreakKind) {
  TStringList list;
  list.SetText(u"one\r\ntwo\nthree\rfour\r\n\r\nsix");
  EXPECT_EQ(Items(list), (std::vector<String>{u"one", u"two", u"three", u"four", u"", u"six"}));
  EXPECT_EQ(list.Text(), u"one\r\ntwo\r\nthree\r\nfour\r\n\r\nsix\r\n");
  list.SetText(list.Text());
  EXPECT_EQ(list.Count(), 6) << "a trailing line break adds no empty item";
  list.SetText(u"");
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, CommaTextQuotesWhatNeedsItAndReadsItBack) {
  TStringList list;
  for (const char16_t* s : {u"plain", u"two words", u"a,b", u"say \"hi\"", u"", u"tab\there"}) list.Add(s);
  const String comma = list.CommaText();
  EXPECT_EQ(comma, u"plain,\"two words\",\"a,b\",\"say \"\"hi\"\"\",\"\",\"tab\there\"");
  TStringList back;
  back.SetCommaText(comma);
  EXPECT_EQ(Items(back), Items(list));
}

TEST(StringList, CommaTextSeparatesAtCommasAndBlanks) {
  struct Case {
    const char16_t* text;
    std::vector<String> items;
  } cases[] = {
      {u"a b,c", {u"a", u"b", u"c"}},
      {u"  a ,  b  ", {u"a", u"b"}},
      {u"a,,b", {u"a", u"", u"b"}},
      {u"a,", {u"a", u""}},
      {u",a", {u"", u"a"}},
      {u"\"x y\"z", {u"x y", u"z"}},
      {u"\"unterminated", {u"unterminated"}},
      {u"\"\"", {u""}},
      {u"", {}},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetCommaText(c.text);
    EXPECT_EQ(Items(list), c.items) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
  }
}

TEST(StringList, DelimitedTextUsesItsDelimiterAndQuote) {
  TStringList list;
  list.SetDelimiter(u';');
  list.SetQuoteChar(u'\'');
  list.SetDelimitedText(u"a;'b;c';'it''s'");
  EXPECT_EQ(Items(list), (std::vector<String>{u"a", u"b;c", u"it's"}));
  EXPECT_EQ(list.DelimitedText(), u"a;'b;c';'it''s'");
  EXPECT_EQ(list.CommaText(), u"a,b;c,it's") << "CommaText keeps its own delimiter and quote";
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  list.SetText(u"Width=10\nCaption=a=b\nplain\nEmpty=");
  EXPECT_EQ(list.Names(0), u"Width");
  EXPECT_EQ(list.Names(2), u"");
  EXPECT_EQ(list.Values(u"caption"), u"a=b") << "names compare without case";
  EXPECT_EQ(list.ValueFromIndex(1), u"a=b");
  EXPECT_EQ(list.ValueFromIndex(2), u"");
  EXPECT_EQ(list.Values(u"missing"), u"");
  list.SetValues(u"Width", u"20");
  list.SetValues(u"Height", u"5");
  EXPECT_EQ(list[0], u"Width=20");
  EXPECT_EQ(list[4], u"Height=5");
  list.SetValues(u"Width", u"");
  EXPECT_EQ(list.IndexOfName(u"Width"), -1);
  EXPECT_EQ(list.Count(), 4);
}

TEST(StringList, IndexErrorsNameTheIndex) {
  TStringList list;
  list.Add(u"a");
  try {
    list.Get(3);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), u"List index out of bounds (3)");
  }
  EXPECT_THROW(list.Delete(-1), EStringListError);
  EXPECT_THROW(list.Insert(2, u"x"), EStringListError);
  EXPECT_THROW(list.SetObjects(1, nullptr), EStringListError);
  list.Insert(1, u"b");  // at Count is allowed
  EXPECT_EQ(list.Count(), 2);
}

TEST(StringList, SortedListKeepsCaseInsensitiveOrderAndHandlesDuplicates) {
  TStringList list;
  list.SetSorted(true);
  for (const char16_t* s : {u"delta", u"Bravo", u"alpha", u"Charlie", u"bravo"}) list.Add(s);
  EXPECT_EQ(Items(list), (std::vector<String>{u"alpha", u"Bravo", u"Charlie", u"delta"})) << "dupIgnore by default";
  EXPECT_EQ(list.Add(u"BRAVO"), 1) << "an ignored duplicate answers the index of the one there";
  int index = -1;
  EXPECT_TRUE(list.Find(u"CHARLIE", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find(u"beta", index));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(list.IndexOf(u"DELTA"), 3);
  EXPECT_THROW(list.Insert(0, u"x"), EStringListError);

  list.SetDuplicates(dupError);
  try {
    list.Add(u"ALPHA");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), u"String list does not allow duplicates");
  }
  list.SetDuplicates(dupAccept);
  TObject second;
  list.AddObject(u"alpha", &second);
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.Objects(1), &second) << "an accepted duplicate goes after the equal ones";

  list.SetCaseSensitive(true);
  list.SetDuplicates(dupIgnore);
  EXPECT_EQ(list.IndexOf(u"ALPHA"), -1);
  list.Add(u"Alpha");
  EXPECT_EQ(list.IndexOf(u"Alpha"), 2) << "lower case before capitals among equal letters";
}

TEST(StringList, CustomSortIsStableAndKeepsObjects) {
  TStringList list;
  TObject objs[4];
  list.AddObject(u"bb", &objs[0]);
  list.AddObject(u"a", &objs[1]);
  list.AddObject(u"cc", &objs[2]);
  list.AddObject(u"d", &objs[3]);
  list.CustomSort([](TStringList& l, int i, int j) { return static_cast<int>(l[i].size()) - static_cast<int>(l[j].size()); });
  EXPECT_EQ(Items(list), (std::vector<String>{u"a", u"d", u"bb", u"cc"}));
  EXPECT_EQ(list.Objects(0), &objs[1]);
  EXPECT_EQ(list.Objects(3), &objs[2]);
  // A comparison that contradicts itself must not break the list.
  list.CustomSort([](TStringList&, int, int) { return -1; });
  EXPECT_EQ(list.Count(), 4);
}

TEST(StringList, UpdateBracketReportsOneChange) {
  TStringList list;
  ChangeLog log;
  log.expected = &list;
  int& changing = log.changing;
  int& changed = log.changed;
  list.OnChanging = TNotifyEvent(&log, &ChangeLog::Changing);
  list.OnChange = TNotifyEvent(&log, &ChangeLog::Changed);
  list.Add(u"a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add(u"b");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 1);
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  list.SetText(u"x\ny\nz");
  EXPECT_EQ(changed, 3) << "setting the text is one change";
}

TEST(StringList, AssignAndAddStringsCopyTextsAndObjects) {
  TStringList a, b;
  TObject o;
  a.AddObject(u"one", &o);
  a.Add(u"two");
  b.Add(u"old");
  b.Assign(&a);
  EXPECT_EQ(Items(b), Items(a));
  EXPECT_EQ(b.Objects(0), &o);
  b.AddStrings(a);
  EXPECT_EQ(b.Count(), 4);
  EXPECT_EQ(b.IndexOfObject(&o), 0);
}

TEST(StringList, SavesAndLoadsInEveryEncoding) {
  const String text = u"caf\u00e9 \u20ac\r\n\u4e00 line\r\n";
  struct Case {
    TEncoding encoding;
    std::vector<uint8_t> head;
  } cases[] = {
      {TEncoding::ANSI, {'c', 'a', 'f', 0xE9, ' ', 0x80}},
      {TEncoding::UTF8, {0xEF, 0xBB, 0xBF, 'c'}},
      {TEncoding::UTF8NoBOM, {'c', 'a', 'f', 0xC3, 0xA9}},
      {TEncoding::Unicode, {0xFF, 0xFE, 'c', 0}},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetText(text);
    TMemoryStream m;
    list.SaveToStream(m, c.encoding);
    ASSERT_GE(m.Bytes().size(), c.head.size());
    EXPECT_EQ(std::vector<uint8_t>(m.Bytes().begin(), m.Bytes().begin() + c.head.size()), c.head);
    TStringList back;
    m.SetPosition(0);
    // Without a byte-order mark the caller names the encoding.
    back.LoadFromStream(m, c.encoding == TEncoding::UTF8NoBOM ? TEncoding::UTF8NoBOM : TEncoding::ANSI);
    if (c.encoding == TEncoding::ANSI) {
      EXPECT_EQ(back.Text(), u"caf\u00e9 \u20ac\r\n? line\r\n");
    } else {
      EXPECT_EQ(back.Text(), text);
    }
  }
}

TEST(StringList, FilesRememberTheEncodingTheyWereLoadedIn) {
  const std::string path = (std::filesystem::temp_directory_path() / "fw_strings_list_test.txt").string();
  const String file(path.begin(), path.end());
  {
    TStringList list;
    list.SetText(u"\u0416 one\n\u0416 two");
    list.SaveToFile(file, TEncoding::Unicode);
  }
  TStringList list;
  list.LoadFromFile(file);
  EXPECT_EQ(list.Encoding(), TEncoding::Unicode);
  EXPECT_EQ(list[1], u"\u0416 two");
  list.Add(u"three");
  list.SaveToFile(file);
  std::vector<uint8_t> bytes = ReadFileBytes(file);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  std::remove(path.c_str());
  EXPECT_THROW(list.LoadFromFile(file), EFOpenError);
}

TEST(StringList, FormsSetTheItemsThroughTheStringsListProperty) {
  TStringList list;
  list.Add(u"old");
  const TDefinedProperty* strings = list.ClassType()->FindDefinedProperty(u"Strings");
  ASSERT_NE(strings, nullptr);
  ASSERT_EQ(strings->Kind(), TDefinedProperty::dpList);
  strings->ReadList(&list, {TValue(String(u"one")), TValue(String(u"two"))});
  EXPECT_EQ(Items(list), (std::vector<String>{u"one", u"two"}));
  EXPECT_EQ(strings->WriteList(&list).size(), 2u);
  EXPECT_EQ(GetClass(u"TStringList"), TStringList::StaticClass());
}
