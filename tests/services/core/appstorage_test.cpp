// The typed value layer of the settings storage: paths, options, missing
// values and convert errors, enumerations and sets, the update bracket,
// read-only, encryption and sub-storage routing. The INI back end over a
// memory file system serves as the store.
#include <gtest/gtest.h>

#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"
#include "services/core/appinistorage.h"

using namespace services;
using fw::String;

namespace {

FW_ENUM(TRootFolder, fdDesktop, fdRootFolder, fdMyDocuments)
FW_ENUM(TPlacementOption, fpState, fpSize, fpLocation, fpActiveControl)

// Counts the raw reads and flushes that reach the back end.
class TCountingStorage : public TCkAppIniFileStorage {
 public:
  using TCkAppIniFileStorage::TCkAppIniFileStorage;
  int rawReads = 0;
  int flushes = 0;
  void Flush() override {
    ++flushes;
    TCkAppIniFileStorage::Flush();
  }

 protected:
  String RawReadString(const String& p, const String& d) override {
    ++rawReads;
    return TCkAppIniFileStorage::RawReadString(p, d);
  }
  int RawReadInteger(const String& p, int d) override {
    ++rawReads;
    return TCkAppIniFileStorage::RawReadInteger(p, d);
  }
};

class AppStorage : public ::testing::Test {
 protected:
  void SetUp() override {
    SetStorageFileSystem(&fs);
    s = std::make_unique<TCountingStorage>(nullptr);
    s->SetLocation(flCustom);
    s->SetDefaultSection(u"MainForm");
  }
  void TearDown() override {
    s->WriteFlushOnDestroy(false);
    s.reset();
    SetStorageFileSystem(nullptr);
  }
  String Text() { return s->AsString(); }
  TCkMemoryFileSystem fs;
  std::unique_ptr<TCountingStorage> s;
};

TEST(ConcatPaths, Table) {
  const struct {
    std::vector<String> parts;
    const char16_t* result;
  } cases[] = {
      {{u"ImageForm\\", u"secodepoint_Value"}, u"ImageForm\\secodepoint_Value"},
      {{u"a\\b", u"..\\c"}, u"a\\c"},
      {{u"a\\b", u"\\x"}, u"x"},
      {{u"a\\b\\", u"..\\..\\c"}, u"c"},
      {{u"a", u"..."}, u""},
      {{u"\\\\x\\\\\\y\\\\"}, u"x\\y"},
      {{u"a\\.\\b", u"."}, u"a\\b"},
      {{u"..\\a"}, u"a"},
      {{u".x\\a.b\\x."}, u".x\\a.b\\x."},
      {{u"\\a", u"b"}, u"a\\b"},
      {{u"a", u"\\b", u"c", u"\\d\\e"}, u"d\\e"},
      {{}, u""},
  };
  for (const auto& c : cases) EXPECT_EQ(TCkCustomAppStorage::ConcatPaths(c.parts), c.result);
}

TEST_F(AppStorage, PathIsTheCurrentFolderOfRelativePaths) {
  s->SetPath(u"Forms\\.\\");
  EXPECT_EQ(s->Path(), u"Forms");
  s->WriteString(u"x", u"1");
  s->WriteString(u"\\y", u"2");
  s->WriteString(u"..\\z", u"3");
  EXPECT_EQ(Text(), u"[Forms]\r\nx=1\r\n\r\n[MainForm]\r\ny=2\r\nz=3\r\n\r\n");
  EXPECT_EQ(s->ReadString(u"x", u"none"), u"1");
  EXPECT_EQ(s->ReadString(u"\\Forms\\x", u"none"), u"1");
}

TEST_F(AppStorage, BooleanTextTable) {
  const struct {
    const char16_t* stored;
    int result;  // 1 true, 0 false, -1 convert error
  } cases[] = {{u"TRUE", 1},  {u"true", 1}, {u"Yes", 1}, {u"y", 1},  {u"FALSE", 0}, {u"no", 0},
               {u"N", 0},     {u"1", 1},    {u"0", 0},   {u"-7", 1}, {u"maybe", -1}, {u"", -1}};
  for (bool defaultOnError : {false, true}) {
    s->StorageOptions()->SetDefaultIfReadConvertError(defaultOnError);
    for (const auto& c : cases) {
      s->IniFile().WriteString(u"MainForm", u"b", c.stored);
      if (c.result >= 0) {
        EXPECT_EQ(s->ReadBoolean(u"b", c.result == 0), c.result == 1) << fw::StringToUtf8(c.stored);
      } else if (defaultOnError) {
        EXPECT_TRUE(s->ReadBoolean(u"b", true)) << fw::StringToUtf8(c.stored);
        EXPECT_FALSE(s->ReadBoolean(u"b", false)) << fw::StringToUtf8(c.stored);
      } else {
        EXPECT_THROW(s->ReadBoolean(u"b", true), fw::EConvertError) << fw::StringToUtf8(c.stored);
      }
    }
  }
  s->WriteBoolean(u"w", true);
  EXPECT_EQ(s->IniFile().ReadString(u"MainForm", u"w", u""), u"TRUE");
  s->StorageOptions()->SetBooleanAsString(false);
  s->WriteBoolean(u"w", true);
  EXPECT_EQ(s->IniFile().ReadString(u"MainForm", u"w", u""), u"1");
}

TEST_F(AppStorage, MissingValuesGiveTheDefaultWithoutAskingTheBackEnd) {
  EXPECT_EQ(s->ReadInteger(u"none", 7), 7);
  EXPECT_EQ(s->ReadString(u"none", u"d"), u"d");
  EXPECT_TRUE(s->ReadBoolean(u"none", true));
  int64_t e = -5;
  s->ReadEnumeration(u"none", fw::TypeInfoOf<TRootFolder>(), fdMyDocuments, e);
  EXPECT_EQ(e, fdMyDocuments);
  EXPECT_EQ(s->rawReads, 0);
  // Without the rule the back end answers: the INI back end gives the default too.
  s->StorageOptions()->SetDefaultIfValueNotExists(false);
  EXPECT_EQ(s->ReadInteger(u"none", 7), 7);
  EXPECT_EQ(s->rawReads, 1);
}

TEST_F(AppStorage, ConvertErrorsPropagateUnlessDefaultsAreAskedFor) {
  s->IniFile().WriteString(u"MainForm", u"i", u"12x");
  s->IniFile().WriteString(u"MainForm", u"d", u"not a date, not hex!");  // 20 characters
  EXPECT_THROW(s->ReadInteger(u"i", 1), fw::EConvertError);
  EXPECT_THROW(s->ReadDateTime(u"d", 1.5), fw::EConvertError);
  s->StorageOptions()->SetDefaultIfReadConvertError(true);
  EXPECT_EQ(s->ReadInteger(u"i", 1), 1);
  EXPECT_EQ(s->ReadDateTime(u"d", 1.5), 1.5);
}

TEST_F(AppStorage, EnumerationAndOrdinalTable) {
  // Written forms.
  s->WriteEnumeration(u"root", fw::TypeInfoOf<TRootFolder>(), fdRootFolder);
  s->WriteEnumeration(u"flag", fw::TypeInfoBoolean(), 1);
  s->WriteEnumeration(u"color", fw::TypeInfoTColor(), 0x0000FF);
  s->WriteEnumeration(u"number", fw::TypeInfoInteger(), 65);
  s->WriteEnumeration(u"char", fw::TypeInfoWideChar(), u'A');
  EXPECT_EQ(Text(),
            u"[MainForm]\r\nroot=fdRootFolder\r\nflag=TRUE\r\ncolor=clRed\r\nnumber=65\r\nchar=65\r\n\r\n");
  s->StorageOptions()->SetEnumerationAsString(false);
  s->WriteEnumeration(u"rootnum", fw::TypeInfoOf<TRootFolder>(), fdRootFolder);
  EXPECT_EQ(s->IniFile().ReadString(u"MainForm", u"rootnum", u""), u"1");

  // Reading ignores the option and falls back to numbers.
  const struct {
    const char16_t* stored;
    int64_t def;
    int64_t result;
  } cases[] = {{u"fdRootFolder", 0, 1}, {u"FDMYDOCUMENTS", 0, 2}, {u"2", 0, 2},
               {u"fdGone", 2, 2},        {u"9", 0, 0},             {u"-1", 1, 1}};
  for (const auto& c : cases) {
    s->IniFile().WriteString(u"MainForm", u"e", c.stored);
    int64_t v = -9;
    s->ReadEnumeration(u"e", fw::TypeInfoOf<TRootFolder>(), c.def, v);
    EXPECT_EQ(v, c.result) << fw::StringToUtf8(c.stored);
  }
  int64_t v = 0;
  s->ReadEnumeration(u"color", fw::TypeInfoTColor(), 5, v);
  EXPECT_EQ(v, 0x0000FF);
  s->IniFile().WriteString(u"MainForm", u"color", u"12x");
  s->ReadEnumeration(u"color", fw::TypeInfoTColor(), 5, v);  // identifier read forced lenient, number read not
  EXPECT_EQ(v, 5);
  EXPECT_FALSE(s->StorageOptions()->DefaultIfReadConvertError());
  EXPECT_THROW(s->WriteEnumeration(u"x", fw::TypeInfoString(), 0), ECKAppStorageError);
}

TEST_F(AppStorage, SetsArePerMemberFoldersOrTextAndReadByTheStoredShape) {
  const fw::TTypeInfo* set = fw::SetTypeInfo<TPlacementOption>();
  const uint64_t value = fw::TSet<TPlacementOption>{fpState, fpLocation}.Mask();
  s->WriteSet(u"Opts", set, value);
  EXPECT_EQ(Text(),
            u"[Opts]\r\nfpState=TRUE\r\nfpSize=FALSE\r\nfpLocation=TRUE\r\nfpActiveControl=FALSE\r\n\r\n");
  s->StorageOptions()->SetSetAsString(true);
  uint64_t read = 0;
  s->ReadSet(u"Opts", set, 0, read);
  EXPECT_EQ(read, value);
  s->WriteSet(u"Text", set, value);
  EXPECT_EQ(s->IniFile().ReadString(u"MainForm", u"Text", u""), u"[fpState, fpLocation]");
  s->StorageOptions()->SetSetAsString(false);
  read = 0;
  s->ReadSet(u"Text", set, 0, read);
  EXPECT_EQ(read, value);
  // Member names of integer and character sets.
  static const fw::TTypeInfo* chars = fw::TTypeInfo::MakeSet(
      u"TCharSet", fw::TTypeInfo::MakeChar(u"TSmallChar", fw::tkChar, fw::otUByte, 0x22));
  s->WriteSet(u"Chars", chars, (1ull << 0x20) | (1ull << 0x21));
  EXPECT_EQ(s->IniFile().ReadString(u"Chars", u"Char#32", u""), u"TRUE");
  EXPECT_EQ(s->IniFile().ReadString(u"Chars", u"Char_!", u""), u"TRUE");
  EXPECT_EQ(s->IniFile().ReadString(u"Chars", u"Char_\"", u""), u"FALSE");
  EXPECT_THROW(s->WriteSet(u"Bad", fw::TypeInfoInteger(), 0), ECKAppStorageError);
}

TEST_F(AppStorage, ReadOnlyStorageSkipsEveryWriteSilently) {
  s->WriteString(u"kept", u"1");
  s->SetReadOnly(true);
  s->WriteString(u"new", u"2");
  s->WriteInteger(u"kept", 5);
  s->DeleteValue(u"kept");
  s->DeleteSubTree(u"MainForm");
  s->WriteEnumeration(u"e", fw::TypeInfoBoolean(), 1);
  EXPECT_EQ(Text(), u"[MainForm]\r\nkept=1\r\n\r\n");
}

TEST_F(AppStorage, NestedUpdateBracketsFlushOnceAtTheOutermostEnd) {
  s->SetAutoFlush(true);
  s->SetFileName(u"C:\\cfg\\a.ini");
  s->flushes = 0;
  s->BeginUpdate();
  s->BeginUpdate();
  s->WriteString(u"a", u"1");
  s->EndUpdate();
  EXPECT_EQ(s->flushes, 0);
  s->EndUpdate();
  EXPECT_EQ(s->flushes, 1);
  s->EndUpdate();  // one too many
  EXPECT_FALSE(s->IsUpdating());
  s->BeginUpdate();
  EXPECT_TRUE(s->IsUpdating());
  s->EndUpdate();
  // Outside a bracket every write flushes.
  s->flushes = 0;
  s->WriteString(u"b", u"2");
  EXPECT_EQ(s->flushes, 1);
}

TEST_F(AppStorage, BooleanWordListsDecideTheTextForm) {
  TCkCustomAppStorageOptions* o = s->StorageOptions();
  EXPECT_EQ(o->DefaultTrueString(), u"TRUE");
  o->SetBooleanStringTrueValues(u" Ja , Yes");
  EXPECT_EQ(o->DefaultTrueString(), u"Ja");
  s->WriteBoolean(u"b", true);
  EXPECT_EQ(s->IniFile().ReadString(u"MainForm", u"b", u""), u"Ja");
  o->SetBooleanStringTrueValues(u"");
  EXPECT_FALSE(o->BooleanAsString());
  o->SetBooleanStringTrueValues(u"TRUE");
  o->SetBooleanAsString(true);
  EXPECT_TRUE(o->BooleanAsString());
}

TEST_F(AppStorage, EncryptedValuesStayOnOneLineAndReadBack) {
  struct TCrypt : fw::TObject {
    void Encrypt(String& v) { v = u"[" + v + u"]"; }
    void Decrypt(String& v) { v = v.substr(1, v.size() - 2); }
  } crypt;
  s->FOnEncryptPropertyValue = TCkAppStorageCryptEvent(&crypt, &TCrypt::Encrypt);
  s->FOnDecryptPropertyValue = TCkAppStorageCryptEvent(&crypt, &TCrypt::Decrypt);
  const String long_text(100, u'\u00e9');
  s->WriteString(u"plain", long_text);
  s->EnablePropertyValueCrypt();
  s->WriteString(u"secret", long_text);
  const String stored = s->IniFile().ReadString(u"MainForm", u"secret", u"");
  EXPECT_EQ(stored.find_first_of(u"\r\n\u00e9"), String::npos);
  EXPECT_EQ(s->ReadString(u"secret", u""), long_text);
  s->DisablePropertyValueCrypt();
  EXPECT_EQ(s->ReadString(u"plain", u""), long_text);
}

TEST_F(AppStorage, FloatsAndDatesKeepTheirValues) {
  s->WriteFloat(u"f", 1.0 / 3);
  EXPECT_EQ(s->ReadFloat(u"f", 0), 1.0 / 3);
  s->StorageOptions()->SetFloatAsString(true);
  s->WriteFloat(u"t", 2.5);
  EXPECT_EQ(s->IniFile().ReadString(u"MainForm", u"t", u""), u"2.5");
  EXPECT_EQ(s->ReadFloat(u"t", 0), 2.5);
  EXPECT_EQ(s->ReadFloat(u"f", 0), 1.0 / 3);  // the text route fails, the raw form answers
  const fw::TDateTime when = 46000.5;  // 2025-12-09 12:00
  s->WriteDateTime(u"d", when);
  EXPECT_EQ(s->IniFile().ReadString(u"MainForm", u"d", u""), u"2025-12-09 12:00:00");
  EXPECT_EQ(s->ReadDateTime(u"d", 0), when);
  s->StorageOptions()->SetDateTimeAsString(false);
  s->WriteDateTime(u"d2", when);
  EXPECT_EQ(s->ReadDateTime(u"d2", 0), when);
}

class TOtherStorage : public TCkAppIniFileStorage {
 public:
  using TCkAppIniFileStorage::TCkAppIniFileStorage;
};

TEST_F(AppStorage, SubStoragesTakeThePathsBelowTheirRoot) {
  TOtherStorage ab(nullptr), a(nullptr);
  ab.SetName(u"AB");
  a.SetName(u"A");
  for (TCkAppIniFileStorage* x : {&ab, &a}) {
    x->SetDefaultSection(u"Top");
    x->WriteFlushOnDestroy(false);
  }
  s->SubStorages()->Add(u"A", &a);
  s->SubStorages()->Add(u"A\\B", &ab);
  s->SubStorages()->Add(u"", nullptr);  // never matches
  s->WriteString(u"A\\B\\x", u"1");
  s->WriteString(u"A\\C\\y", u"2");
  s->WriteString(u"A", u"3");
  EXPECT_EQ(ab.AsString(), u"[Top]\r\nx=1\r\n\r\n");
  EXPECT_EQ(a.AsString(), u"[C]\r\ny=2\r\n\r\n");
  EXPECT_EQ(Text(), u"[MainForm]\r\nA=3\r\n\r\n");
  EXPECT_EQ(s->SubStorages()->Items(1)->DisplayName(), u"\\A\\B=AB");

  EXPECT_THROW(s->SubStorages()->Add(u"a", &ab), ECKAppStorageError);
  EXPECT_EQ(s->SubStorages()->Count(), 3);
  EXPECT_THROW(a.SubStorages()->Add(u"Back", s.get()), ECKAppStorageError);  // a is reached from s
  EXPECT_EQ(a.SubStorages()->Count(), 0);
  EXPECT_THROW(s->SubStorages()->Add(u"Self", s.get()), ECKAppStorageError);

  s->BeginUpdate();
  EXPECT_TRUE(ab.IsUpdating());
  s->EndUpdate();
  EXPECT_FALSE(ab.IsUpdating());
}

TEST_F(AppStorage, ADestroyedSubStorageLeavesTheTable) {
  auto* other = new TOtherStorage(nullptr);
  other->WriteFlushOnDestroy(false);
  s->SubStorages()->Add(u"X", other);
  other->Free();
  EXPECT_EQ(s->SubStorages()->Count(), 0);
}

TEST(RootStorage, EveryValueOperationIsAnInvalidPath) {
  TCkAppStorage root(nullptr);
  try {
    root.ReadString(u"x", u"");
    FAIL();
  } catch (const ECKAppStorageError& e) {
    EXPECT_EQ(e.Message(), u"Invalid path");
  }
  EXPECT_THROW(root.WriteInteger(u"x", 1), ECKAppStorageError);
  EXPECT_THROW(root.ValueStored(u"x"), ECKAppStorageError);
  EXPECT_THROW(root.DeleteSubTree(u"x"), ECKAppStorageError);
}

TEST_F(AppStorage, StoredValueEnumerationReportsFoldersAndValues) {
  s->SetAsString(u"[X]\r\na=1\r\nb=2\r\n[X\\Y]\r\nc=3\r\n[X\\L]\r\nCount=1\r\nItem0=q\r\n");
  fw::TStringList names;
  s->GetStoredValues(u"X", &names, {aeoFolders, aeoValues, aeoReportRelative});
  ASSERT_EQ(names.CommaText(), u"a,b,Y,L");  // without lists as values a list is a folder
  EXPECT_EQ(reinterpret_cast<intptr_t>(names.Objects(0)), 2);
  EXPECT_EQ(reinterpret_cast<intptr_t>(names.Objects(2)), 1);
  EXPECT_EQ(reinterpret_cast<intptr_t>(names.Objects(3)), 1);
  s->GetStoredValues(u"X", &names, {aeoValues, aeoReportListAsValue, aeoRecursive});
  EXPECT_EQ(names.CommaText(), u"X\\a,X\\b,X\\Y\\c,X\\L");
}

TEST_F(AppStorage, VersionCheckDeletesOutdatedFolders) {
  const struct {
    int stored;
    bool deleteIfNotEqual;
    bool writeVersion;
    bool deleted;
    int afterVersion;
  } cases[] = {{1, false, true, true, 2},  {2, false, true, false, 2}, {3, false, true, false, 2},
               {3, true, true, true, 2},   {1, false, false, true, 0}, {2, true, false, false, 2}};
  for (const auto& c : cases) {
    s->SetAsString(u"[F]\r\nVersion=" + fw::IntToStr(c.stored) + u"\r\nv=1\r\n");
    s->CheckDeletePathByVersion(u"F", 2, c.deleteIfNotEqual, c.writeVersion);
    EXPECT_EQ(s->ValueStored(u"F\\v"), !c.deleted) << c.stored;
    EXPECT_EQ(s->ReadInteger(u"F\\Version", 0), c.afterVersion) << c.stored;
  }
}

}  // namespace
