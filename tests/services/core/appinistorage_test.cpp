// The INI back end and its file: value texts, escapes and quotes, folders
// and listings, loading, reloading, flushing with backups, history and the
// named lock, and damaged files. Files live in a memory file system.
#include <gtest/gtest.h>

#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"
#include "services/core/appinistorage.h"
#include "services/core/pathutils.h"

using namespace services;
using fw::String;

namespace {

FW_ENUM(TRootFolder, fdDesktop, fdRootFolder)

std::vector<uint8_t> Bytes(const char* s) { return std::vector<uint8_t>(s, s + std::strlen(s)); }
String Utf8(const std::vector<uint8_t>& b) {
  return fw::Utf8ToString(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

class TErrors : public fw::TObject {
 public:
  std::vector<String> messages;
  void OnError(fw::TObject*, const String& text) { messages.push_back(text); }
};

class IniStorage : public ::testing::Test {
 protected:
  void SetUp() override { SetStorageFileSystem(&fs); }
  void TearDown() override { SetStorageFileSystem(nullptr); }
  std::unique_ptr<TCkAppIniFileStorage> Make(const String& file = u"C:\\cfg\\vestaline.ini") {
    auto s = std::make_unique<TCkAppIniFileStorage>(nullptr);
    s->FOnError = TCkAppStorageErrorEvent(&errors, &TErrors::OnError);
    s->SetLocation(flCustom);
    s->SetDefaultSection(u"MainForm");
    if (!file.empty()) s->SetFileName(file);
    return s;
  }
  String FileText(const String& name = u"C:\\cfg\\vestaline.ini") { return Utf8(fs.Files.at(name).Bytes); }
  TCkMemoryFileSystem fs;
  TErrors errors;
};

const char16_t kBom[] = u"\ufeff";

TEST_F(IniStorage, TypedValuesRoundTripThroughTheFileInTheirTextForms) {
  const uint8_t blob[] = {0x00, 0x7F, 0xAB};
  {
    auto s = Make();
    s->WriteInteger(u"ImageForm\\secodepoint_Value", -65);
    s->WriteFloat(u"ImageForm\\f", 1.0);
    s->WriteString(u"ImageForm\\s", u"C:\\Fonts");
    s->WriteWideString(u"ImageForm\\w", u"\u0416\u00e9");
    s->WriteBoolean(u"ImageForm\\b", true);
    s->StorageOptions()->SetBooleanAsString(false);
    s->WriteBoolean(u"ImageForm\\bn", true);
    s->StorageOptions()->SetBooleanAsString(true);
    s->WriteEnumeration(u"Database\\dlgsearchfolder_RootDirectory", fw::TypeInfoOf<TRootFolder>(), fdRootFolder);
    s->WriteDateTime(u"ImageForm\\d", 46000.25);
    s->WriteBinary(u"ImageForm\\bin", blob, 3);
  }  // written when the storage goes
  EXPECT_EQ(FileText(), String(kBom) +
                            u"[ImageForm]\r\nsecodepoint_Value=-65\r\nf=0000000000000080FF3F\r\ns=C:\\Fonts\r\n"
                            u"w=\u0416\u00e9\r\nb=TRUE\r\nbn=1\r\nd=2025-12-09 06:00:00\r\nbin=007FAB\r\n\r\n"
                            u"[Database]\r\ndlgsearchfolder_RootDirectory=fdRootFolder\r\n\r\n");
  auto s = Make();
  EXPECT_EQ(s->ReadInteger(u"ImageForm\\secodepoint_Value", 0), -65);
  EXPECT_EQ(s->ReadFloat(u"ImageForm\\f", 0), 1.0);
  EXPECT_EQ(s->ReadString(u"ImageForm\\s", u""), u"C:\\Fonts");
  EXPECT_EQ(s->ReadWideString(u"ImageForm\\w", u""), u"\u0416\u00e9");
  EXPECT_TRUE(s->ReadBoolean(u"ImageForm\\b", false));
  EXPECT_TRUE(s->ReadBoolean(u"ImageForm\\bn", false));
  int64_t e = 0;
  s->ReadEnumeration(u"Database\\dlgsearchfolder_RootDirectory", fw::TypeInfoOf<TRootFolder>(), 0, e);
  EXPECT_EQ(e, fdRootFolder);
  EXPECT_EQ(s->ReadDateTime(u"ImageForm\\d", 0), 46000.25);
  uint8_t back[8] = {};
  EXPECT_EQ(s->ReadBinary(u"ImageForm\\bin", back, 8), 3);
  EXPECT_EQ(std::vector<uint8_t>(back, back + 3), std::vector<uint8_t>(blob, blob + 3));
  s->WriteFlushOnDestroy(false);
}

TEST_F(IniStorage, RawFormsTable) {
  auto s = Make(u"");
  const struct {
    const char16_t* text;
    const char* kind;
    double expectFloat;  // for "float"
    int expectInt;       // for "int"; 99 marks a convert error
  } cases[] = {
      {u"", "int", 0, 0},
      {u"  42 ", "int", 0, 42},
      {u"12x", "int", 0, 99},
      {u"$10", "int", 0, 99},
      {u"0000000000000080FF3F", "float", 1.0, 0},
      {u"00000000000080FF3F", "float", -1, 0},      // 9 bytes: the default
      {u"0000000000000080FF3F00", "float", -1, 0},  // 11 bytes
      {u"000000000000008XFF3F", "float", 99, 0},
  };
  for (const auto& c : cases) {
    s->IniFile().WriteString(u"MainForm", u"v", c.text);
    if (std::string(c.kind) == "int") {
      if (c.expectInt == 99) EXPECT_THROW(s->ReadInteger(u"v", 5), fw::EConvertError);
      else EXPECT_EQ(s->ReadInteger(u"v", 5), c.expectInt) << fw::StringToUtf8(c.text);
    } else if (c.expectFloat == 99) {
      EXPECT_THROW(s->ReadFloat(u"v", -1), fw::EConvertError);
    } else {
      EXPECT_EQ(s->ReadFloat(u"v", -1), c.expectFloat) << fw::StringToUtf8(c.text);
    }
  }
  uint8_t buf[2];
  s->IniFile().WriteString(u"MainForm", u"bin", u"ABC");
  EXPECT_EQ(s->ReadBinary(u"bin", buf, 2), 2);
  EXPECT_EQ(buf[0], 0x0A);
  s->IniFile().WriteString(u"MainForm", u"bin", u"zz");
  EXPECT_THROW(s->ReadBinary(u"bin", buf, 2), fw::EConvertError);
}

TEST_F(IniStorage, EscapeAndQuoteTable) {
  const struct {
    bool replaceCRLF;
    bool preserve;
    const char16_t* value;
    const char16_t* stored;
    const char16_t* readBack;
  } cases[] = {
      {true, false, u"C:\\Fonts", u"C:\\Fonts", u"C:\\Fonts"},
      {true, false, u"C:\\new", u"C:\\\\new", u"C:\\new"},
      {true, false, u"a\\b\r\nc", u"a\\\\b\\nc", u"a\\b\r\nc"},
      {true, false, u"x\ny\rz", u"x\\ny\\nz", u"x\r\ny\r\nz"},
      {false, false, u"a\r\n[Evil]", u"a\\n[Evil]", u"a\\n[Evil]"},  // never a raw break
      {false, true, u" lead", u"\" lead\"", u" lead"},
      {false, true, u"\"q\"", u"\"\"q\"\"", u"\"q\""},
      {false, true, u"\"", u"\"", u"\""},
      {false, true, u"", u"", u""},
      {false, false, u" lead", u" lead", u"lead"},
  };
  for (const auto& c : cases) {
    auto s = Make();
    s->IniOptions()->SetReplaceCRLF(c.replaceCRLF);
    s->IniOptions()->SetPreserveLeadingTrailingBlanks(c.preserve);
    s->WriteString(u"v", c.value);
    EXPECT_EQ(s->IniFile().ReadString(u"MainForm", u"v", u"?"), c.stored) << fw::StringToUtf8(c.value);
    s->Flush();
    auto t = Make();
    t->StorageOptions()->Assign(s->StorageOptions());
    EXPECT_EQ(t->ReadString(u"v", u"?"), c.readBack) << fw::StringToUtf8(c.value);
    EXPECT_EQ(t->IniFile().Sections().size(), 1u);
    t->WriteFlushOnDestroy(false);
    s->WriteFlushOnDestroy(false);
  }
}

TEST_F(IniStorage, FoldersListingsAndRemoval) {
  auto s = Make(u"");
  s->SetAsString(u"[MainForm]\r\na=1\r\n[ImageForm]\r\nx=1\r\n[ImageForm\\sub]\r\ny=2\r\n"
                 u"[ImageForm\\list]\r\nCount=2\r\nItem0=a\r\nitem1=b\r\nother=3\r\n"
                 u"[Data]\r\nk=1\r\n[data\\x]\r\nk=2\r\n[Database]\r\nk=3\r\n[MainForm\\L]\r\ncount=1\r\nItem0=z\r\n");
  fw::TStringList l;
  s->ListFolders(u"\\", &l, true);
  EXPECT_EQ(l.CommaText(), u"ImageForm,Data,Database");  // MainForm holds only a list
  s->ListFolders(u"\\ImageForm", &l, true);
  EXPECT_EQ(l.CommaText(), u"sub");
  s->ListFolders(u"\\ImageForm", &l, false);
  EXPECT_EQ(l.CommaText(), u"sub,list");
  s->ListValues(u"\\ImageForm\\list", &l, true);
  EXPECT_EQ(l.CommaText(), u"other,\"\"");
  s->ListValues(u"\\", &l, true);
  EXPECT_EQ(l.CommaText(), u"a");
  EXPECT_TRUE(s->IsFolder(u"ImageForm\\list", false));
  EXPECT_TRUE(s->IsFolder(u"ImageForm\\list", true));   // it holds "other" besides the list
  EXPECT_FALSE(s->IsFolder(u"MainForm\\L", true));      // only the list
  EXPECT_TRUE(s->IsFolder(u"Image", false) == false);
  EXPECT_TRUE(s->PathExists(u"imageform\\SUB"));
  EXPECT_FALSE(s->PathExists(u"ImageForm\\none"));
  s->DeleteValue(u"ImageForm\\list");  // a list value erases its section
  EXPECT_FALSE(s->PathExists(u"ImageForm\\list"));
  s->DeleteSubTree(u"Data");  // any case, not Database
  s->ListFolders(u"\\", &l, false);
  EXPECT_EQ(l.CommaText(), u"ImageForm,Database,MainForm");
  s->DeleteSubTree(u"\\");
  EXPECT_EQ(s->AsString(), u"");
}

TEST_F(IniStorage, SectionsNeedADefaultSectionForTopLevelValues) {
  auto s = Make(u"");
  s->SetDefaultSection(u"");
  try {
    s->WriteString(u"x", u"1");
    FAIL();
  } catch (const ECKAppStorageError& e) {
    EXPECT_EQ(e.Message(), u"TCkAppIniFileStorage.ReadValue: Section undefined");
  }
  s->SetDefaultSection(u"Def");
  s->WriteString(u".hidden\\x", u"1");
  EXPECT_EQ(s->AsString(), u"[Def.hidden]\r\nx=1\r\n\r\n");
}

TEST_F(IniStorage, FileNameResolution) {
  fs.Files[u"C:\\cfg\\x.ini"].Bytes = Bytes("[A]\r\nk=1\r\n");
  auto s = Make(u"C:\\cfg\\x");
  EXPECT_EQ(s->FileName(), u"C:\\cfg\\x.ini");
  EXPECT_EQ(s->ReadString(u"A\\k", u""), u"1");
  s->SetFileName(u"C:\\cfg\\X.INI");
  EXPECT_EQ(s->FileName(), u"C:\\cfg\\X.INI");
  const struct {
    TFileLocation location;
    const char16_t* name;
    const char16_t* full;
  } cases[] = {
      {flWindows, u"D:\\a\\s.ini", u"C:\\Windows\\s.ini"},
      {flTemp, u"s", u"C:\\Temp\\s.ini"},
      {flExeFile, u"sub\\s.ini", u"C:\\Program\\s.ini"},
      {flUserFolder, u"Okrabel\\Vestaline\\vestaline.ini", u"C:\\Users\\me\\AppData\\Roaming\\Okrabel\\Vestaline\\vestaline.ini"},
      {flUserFolder, u"D:\\x\\s.ini", u"C:\\Users\\me\\AppData\\Roaming\\s.ini"},
      {flCustom, u"rel\\%FILENAME%.ini", u"rel\\.ini"},
  };
  for (const auto& c : cases) {
    auto t = Make(u"");
    t->SetLocation(c.location);
    t->SetFileName(c.name);
    EXPECT_EQ(t->FullFileName(), c.full) << fw::StringToUtf8(c.name);
    t->WriteFlushOnDestroy(false);
  }
  s->WriteFlushOnDestroy(false);
}

TEST_F(IniStorage, MissingFileGivesAnEmptyDocumentAndTheFirstFlushCreatesItsFolder) {
  auto s = Make();
  EXPECT_EQ(s->AsString(), u"");
  EXPECT_TRUE(errors.messages.empty());
  s->WriteString(u"k", u"v");
  s->Flush();
  EXPECT_EQ(fs.Folders, std::vector<String>{u"C:\\cfg"});
  EXPECT_EQ(FileText(), String(kBom) + u"[MainForm]\r\nk=v\r\n\r\n");
  EXPECT_FALSE(fs.FileExists(u"C:\\cfg\\vestaline.ini.tmp"));
  s->WriteFlushOnDestroy(false);
}

TEST_F(IniStorage, ReadOnlyFileMakesTheStorageReadOnly) {
  fs.Files[u"C:\\cfg\\vestaline.ini"] = {Bytes("[MainForm]\r\nk=1\r\n"), 1, true};
  auto s = Make();
  EXPECT_TRUE(s->ReadOnly());
  s->WriteString(u"k", u"2");
  s->Flush();
  EXPECT_EQ(s->ReadString(u"k", u""), u"1");
  EXPECT_EQ(FileText(), u"[MainForm]\r\nk=1\r\n");
}

TEST_F(IniStorage, AFailedFlushRaisesNothingAndReportsItsMessage) {
  fs.FailFolders.push_back(u"C:\\locked");
  auto s = Make(u"C:\\locked\\s.ini");
  s->WriteString(u"k", u"v");
  EXPECT_NO_THROW(s->Flush());
  ASSERT_EQ(errors.messages.size(), 1u);
  EXPECT_EQ(errors.messages[0], u"Cannot create the folder \"C:\\locked\".");
  s->FOnError = nullptr;
  EXPECT_NO_THROW(s->Flush());
  s->WriteFlushOnDestroy(false);
}

TEST_F(IniStorage, AFlushThatCannotWriteKeepsTheOldFile) {
  fs.Files[u"C:\\cfg\\vestaline.ini"].Bytes = Bytes("[MainForm]\r\nk=old\r\n");
  auto s = Make();
  s->WriteString(u"k", u"new");
  // The temporary file cannot be created: the target is left as it was.
  fs.Files[u"C:\\cfg\\vestaline.ini.tmp"] = {{}, 0, true};
  s->Flush();
  EXPECT_EQ(FileText(), u"[MainForm]\r\nk=old\r\n");
  EXPECT_EQ(errors.messages.size(), 1u);
  fs.Files.erase(u"C:\\cfg\\vestaline.ini.tmp");
  s->Flush();
  EXPECT_EQ(FileText(), String(kBom).substr(1) + u"[MainForm]\r\nk=new\r\n\r\n");
  s->WriteFlushOnDestroy(false);
}

TEST_F(IniStorage, ReloadsOnExternalChangeOnlyWithAutoReload) {
  fs.Files[u"C:\\cfg\\vestaline.ini"] = {Bytes("[MainForm]\r\nk=1\r\n"), 10, false};
  auto s = Make();
  fs.Files[u"C:\\cfg\\vestaline.ini"] = {Bytes("[MainForm]\r\nk=2\r\n"), 11, false};
  EXPECT_EQ(s->ReadString(u"k", u""), u"1");
  s->SetAutoReload(true);
  EXPECT_EQ(s->ReadString(u"k", u""), u"2");
  s->WriteString(u"unsaved", u"x");
  EXPECT_EQ(s->ReadString(u"unsaved", u""), u"x");  // the file did not change again
  s->WriteFlushOnDestroy(false);
}

TEST_F(IniStorage, AutoReloadKeepsUnsavedValuesWhileTheFileIsStillMissing) {
  auto s = Make();
  s->SetAutoReload(true);
  s->WriteString(u"k", u"1");
  s->WriteString(u"j", u"2");
  EXPECT_EQ(s->AsString(), u"[MainForm]\r\nk=1\r\nj=2\r\n\r\n");
  s->WriteFlushOnDestroy(false);
}

TEST_F(IniStorage, BackupNamesAndTypes) {
  EXPECT_EQ(BackupFileName(u"C:\\a\\vestaline.ini"), u"C:\\a\\vestaline.~ini");
  EXPECT_EQ(BackupFileName(u"C:\\a\\b"), u"C:\\a\\b.~");
  const struct {
    TCkAppFileStorageBackupType type;
    bool keep;
    bool backupLeft;
  } cases[] = {{afsbtCreateBefore, false, false},
               {afsbtCreateBefore, true, true},
               {afsbtRenameAfter, false, false},
               {afsbtRenameAfter, true, true},
               {afsbtNone, true, false}};
  for (const auto& c : cases) {
    fs.Files.clear();
    fs.Files[u"C:\\cfg\\vestaline.ini"].Bytes = Bytes("[MainForm]\r\nk=old\r\n");
    auto s = Make();
    s->FileOptions()->SetBackupType(c.type);
    s->FileOptions()->SetBackupKeepFileAfterFlush(c.keep);
    s->WriteString(u"k", u"new");
    s->Flush();
    EXPECT_EQ(s->FileName(), u"C:\\cfg\\vestaline.ini");
    EXPECT_NE(FileText().find(u"k=new"), String::npos);
    EXPECT_EQ(fs.FileExists(u"C:\\cfg\\vestaline.~ini"), c.backupLeft) << c.type << c.keep;
    if (c.backupLeft) {
      EXPECT_EQ(FileText(u"C:\\cfg\\vestaline.~ini"), u"[MainForm]\r\nk=old\r\n");
    }
    EXPECT_EQ(fs.Files.size(), c.backupLeft ? 2u : 1u);
    s->WriteFlushOnDestroy(false);
  }
}

TEST_F(IniStorage, RenameAfterRestoresTheFileNameWhenTheWriteFails) {
  fs.Files[u"C:\\cfg\\vestaline.ini"].Bytes = Bytes("[MainForm]\r\nk=old\r\n");
  auto s = Make();
  s->FileOptions()->SetBackupType(afsbtRenameAfter);
  fs.Files[u"C:\\cfg\\vestaline.ini.tmp.tmp"] = {{}, 0, true};
  s->Flush();
  EXPECT_EQ(s->FileName(), u"C:\\cfg\\vestaline.ini");
  EXPECT_EQ(s->FullFileName(), u"C:\\cfg\\vestaline.ini");
  EXPECT_EQ(FileText(), u"[MainForm]\r\nk=old\r\n");
  EXPECT_EQ(errors.messages.size(), 1u);
  s->WriteFlushOnDestroy(false);
}

TEST_F(IniStorage, HistoryKeepsNumberedCopiesAfterTheirAge) {
  auto s = Make();
  s->FileOptions()->SetBackupHistoryCount(3);
  s->FileOptions()->SetBackupHistoryType(afsbht1Hour);
  for (int i = 1; i <= 5; ++i) {
    if (i > 1) fs.Clock += 2.0 / 24;  // two hours on
    s->WriteInteger(u"n", i);
    s->Flush();
  }
  auto n = [&](const char16_t* name) { return FileText(String(u"C:\\cfg\\vestaline") + name); };
  EXPECT_NE(n(u".~001~").find(u"n=5"), String::npos);
  EXPECT_NE(n(u".~002~").find(u"n=4"), String::npos);
  EXPECT_NE(n(u".~003~").find(u"n=3"), String::npos);
  EXPECT_FALSE(fs.FileExists(u"C:\\cfg\\vestaline.~004~"));
  // Within the hour the newest copy stays.
  s->WriteInteger(u"n", 6);
  s->Flush();
  EXPECT_NE(n(u".~001~").find(u"n=5"), String::npos);
  s->WriteFlushOnDestroy(false);
}

TEST_F(IniStorage, FourHourHistoryWaitsFourHours) {
  auto s = Make();
  s->FileOptions()->SetBackupHistoryCount(2);
  s->FileOptions()->SetBackupHistoryType(afsbht4Hour);
  s->WriteInteger(u"n", 1);
  s->Flush();
  fs.Clock += 3.5 / 24;
  s->WriteInteger(u"n", 2);
  s->Flush();
  EXPECT_FALSE(fs.FileExists(u"C:\\cfg\\vestaline.~002~"));
  fs.Clock += 1.0 / 24;
  s->Flush();
  EXPECT_TRUE(fs.FileExists(u"C:\\cfg\\vestaline.~002~"));
  s->WriteFlushOnDestroy(false);
}

TEST_F(IniStorage, SynchronisedStoragesShareOneNamedLockPerFile) {
  auto a = Make(u"");
  auto b = Make(u"");
  for (auto* s : {a.get(), b.get()}) {
    s->SetSynchronizeFlushReload(true);
    s->SetFileName(u"C:\\cfg\\vestaline.ini");
  }
  a->WriteString(u"k", u"1");
  a->Flush();
  b->Reload();
  EXPECT_EQ(b->ReadString(u"k", u""), u"1");
  ASSERT_EQ(fs.LockNames.size(), 2u);
  for (const String& n : fs.LockNames) EXPECT_EQ(n, fs.LockNames[0]);
  EXPECT_EQ(fs.LockNames[0], TCkCustomAppMemoryFileStorage::SynchronizeLockName(u"C:\\cfg\\vestaline.ini"));
  // base64 of "TCkCustomAppStorage.Synchronize:" ...
  EXPECT_TRUE(fs.LockNames[0].starts_with(u"VENrQ3VzdG9tQXBwU3RvcmFnZS5TeW5jaHJvbml6ZTpD"));
  EXPECT_LE(TCkCustomAppMemoryFileStorage::SynchronizeLockName(String(400, u'x')).size(), 240u);
  fs.FailLocks = true;
  EXPECT_THROW(b->Reload(), ECKAppStorageError);
  a->Flush();
  ASSERT_FALSE(errors.messages.empty());
  EXPECT_EQ(errors.messages.back(), u"TCkCustomAppStorage.Synchronize:C:\\cfg\\vestaline.ini: Mutex Timeout");
  a->WriteFlushOnDestroy(false);
  b->WriteFlushOnDestroy(false);
}

TEST_F(IniStorage, DamagedFilesAreReportedKeptAndNeverOverwritten) {
  const struct {
    std::vector<uint8_t> bytes;
    const char16_t* reason;
  } cases[] = {
      {Bytes("[MainForm]\r\nk=1\r\n[Image"), u"a section name is not closed"},
      {{0xEF, 0xBB, 0xBF, '[', 'A', ']', '\r', '\n', 'k', '=', 0xC3}, u"it is not UTF-8 text"},
      {{0xFF, 0xFE, '[', 0, 'A', 0, ']'}, u"it ends in the middle of a character"},
      {{'[', 'A', ']', '\n', 'k', '=', 0x00, 0x01, 0x02}, u"it is not text"},
  };
  for (const auto& c : cases) {
    fs.Files.clear();
    errors.messages.clear();
    fs.Files[u"C:\\cfg\\vestaline.ini"].Bytes = c.bytes;
    auto s = Make();
    EXPECT_EQ(s->AsString(), u"");
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_NE(errors.messages[0].find(c.reason), String::npos) << fw::StringToUtf8(errors.messages[0]);
    EXPECT_EQ(fs.Files.at(u"C:\\cfg\\vestaline.~ini").Bytes, c.bytes);
    s->WriteString(u"k", u"2");
    s->Flush();
    EXPECT_EQ(FileText(), String(kBom) + u"[MainForm]\r\nk=2\r\n\r\n");
    EXPECT_EQ(fs.Files.at(u"C:\\cfg\\vestaline.~ini").Bytes, c.bytes);
    s->WriteFlushOnDestroy(false);
  }
}

TEST_F(IniStorage, EncodingOfAnExistingFileIsKept) {
  const struct {
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> prefix;
  } cases[] = {{Bytes("[A]\r\nk=1\r\n"), {'['}},
               {{0xEF, 0xBB, 0xBF, '[', 'A', ']'}, {0xEF, 0xBB, 0xBF}},
               {{0xFF, 0xFE, '[', 0, 'A', 0, ']', 0}, {0xFF, 0xFE, '[', 0}}};
  for (const auto& c : cases) {
    fs.Files.clear();
    fs.Files[u"C:\\cfg\\vestaline.ini"].Bytes = c.bytes;
    auto s = Make();
    s->WriteString(u"A\\x", u"y");
    s->Flush();
    const auto& out = fs.Files.at(u"C:\\cfg\\vestaline.ini").Bytes;
    EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), out.begin()));
    s->WriteFlushOnDestroy(false);
  }
  // An ANSI file given text its code page lacks turns UTF-8 instead of losing it.
  fs.Files[u"C:\\cfg\\vestaline.ini"].Bytes = Bytes("[A]\r\n");
  auto s = Make();
  s->WriteString(u"A\\name", u"\u0416");
  s->Flush();
  EXPECT_EQ(FileText(), String(kBom) + u"[A]\r\nname=\u0416\r\n\r\n");
  s->WriteFlushOnDestroy(false);
}

TEST_F(IniStorage, StringListsReplaceSurplusItems) {
  auto s = Make(u"");
  fw::TStringList five, three, back;
  five.SetCommaText(u"a,b,c,d,e");
  three.SetCommaText(u"x,y,z");
  s->WriteStringList(u"L", &five);
  s->WriteStringList(u"L", &three);
  EXPECT_EQ(s->AsString(), u"[L]\r\nItem0=x\r\nItem1=y\r\nItem2=z\r\nCount=3\r\n\r\n");
  EXPECT_EQ(s->ReadStringList(u"L", &back), 3);
  EXPECT_EQ(back.CommaText(), u"x,y,z");
  s->StorageOptions()->SetUseOldItemNameFormat(false);
  s->WriteStringList(u"M", &three);
  EXPECT_TRUE(s->ValueStored(u"M\\Item[2]"));
  s->StorageOptions()->SetStoreStringListAsSingleString(true);
  s->WriteStringList(u"L", &three);
  EXPECT_FALSE(s->PathExists(u"L"));
  EXPECT_EQ(s->ReadString(u"L", u""), u"x\\ny\\nz\\n");  // breaks never reach the file raw
  s->IniFile().WriteString(u"MainForm", u"P", u"one");
  EXPECT_EQ(s->ReadStringList(u"P", &back), 1);
  EXPECT_EQ(back.CommaText(), u"one");
}

}  // namespace
