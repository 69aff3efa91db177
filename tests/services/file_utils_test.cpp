// Files and folders on the real file system under Wine: existence, folder
// creation and removal (read-only files, kept files, links never
// followed), masks, copy, move, delete and recycle, numbered backups, and
// file mappings with rounded offsets and bounded writes.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "fw/platform_test_folder.h"
#include "services/uclbase.h"
#include "services/uclfilemapping.h"
#include "services/uclfileutils.h"

using fw::String;
using fw::testing::ReadTextFile;
using fw::testing::TestFolder;
using fw::testing::WriteTextFile;
using namespace services;

namespace {

std::string N(const String& s) { return fw::StringToUtf8(s); }

std::vector<std::string> Sorted(const fw::TStrings& list) {
  std::vector<std::string> r;
  for (int i = 0; i < list.Count(); ++i) r.push_back(N(list[i]));
  std::sort(r.begin(), r.end());
  return r;
}

TEST(FileUtils, ExistenceAndFolderCreation) {
  TestFolder folder("file_utils_create");
  WriteTextFile(folder / u"file.txt", "x");
  EXPECT_TRUE(FilePresent(folder / u"file.txt"));
  EXPECT_FALSE(FilePresent(folder.Path()));
  EXPECT_FALSE(DirectoryPresent(folder / u"file.txt"));
  EXPECT_TRUE(DirectoryPresent(folder.Path()));
  for (const String& missing : {folder / u"none", String()}) {
    EXPECT_FALSE(FilePresent(missing));
    EXPECT_FALSE(DirectoryPresent(missing));
  }

  struct Case {
    String path;
    bool created;
  };
  const Case cases[] = {
      {u"C:", true},                              // a bare drive: nothing to create
      {folder.Path() + u"\\", true},              // exists, with a trailing backslash
      {folder / u"a\\b\\c", true},                // parents made too
      {folder / u"file.txt\\sub\\deeper", false}, // a file stands where a folder must be
  };
  for (const Case& c : cases) EXPECT_EQ(CreateFolderPath(c.path), c.created) << N(c.path);
  EXPECT_TRUE(DirectoryPresent(folder / u"a\\b\\c"));
  EXPECT_FALSE(DirectoryPresent(folder / u"file.txt\\sub"));
  try {
    CreateFolderPath(String());
    ADD_FAILURE() << "an empty path was accepted";
  } catch (const EUclFileUtilsError& e) {
    EXPECT_EQ(N(e.Message()), "Unable to create directory");
  }
}

TEST(FileUtils, RemovingATreeTakesReadOnlyFilesAndKeepsWhatTheProgressKeeps) {
  TestFolder folder("file_utils_remove");
  const String tree = folder / u"tree";
  CreateFolderPath(tree + u"\\sub\\deep");
  WriteTextFile(tree + u"\\a.txt", "a");
  WriteTextFile(tree + u"\\sub\\deep\\b.txt", "b");
  SetFileAttributesW(W(tree + u"\\a.txt"), FILE_ATTRIBUTE_READONLY);
  // A file the progress keeps: the tree stays (with it), the rest goes.
  const String kept = tree + u"\\sub\\deep\\b.txt";
  EXPECT_FALSE(RemoveFolderTree(tree, false, [&](const String& name, uint32_t) { return name != kept; }));
  EXPECT_TRUE(FilePresent(kept));
  EXPECT_FALSE(FilePresent(tree + u"\\a.txt")) << "read-only files are removed";
  EXPECT_TRUE(RemoveFolderTree(tree + u"\\")) << "a trailing backslash works the same";
  EXPECT_FALSE(DirectoryPresent(tree));
  EXPECT_FALSE(RemoveFolderTree(String()));

  // A file held open without shared deletion stays, and so does its
  // folder; everything else goes and the answer is false.
  CreateFolderPath(tree + u"\\sub");
  WriteTextFile(tree + u"\\held.txt", "h");
  WriteTextFile(tree + u"\\sub\\free.txt", "f");
  HANDLE held = CreateFileW(W(tree + u"\\held.txt"), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(RemoveFolderTree(tree));
  CloseHandle(held);
  EXPECT_TRUE(FilePresent(tree + u"\\held.txt"));
  EXPECT_FALSE(DirectoryPresent(tree + u"\\sub"));
  EXPECT_TRUE(RemoveFolderTree(tree));

  // Recycling: the folder leaves its place.
  CreateFolderPath(folder / u"bin\\x");
  WriteTextFile(folder / u"bin\\x\\c.txt", "c");
  EXPECT_TRUE(services::DeleteFolderTree(folder / u"bin", true));
  EXPECT_FALSE(DirectoryPresent(folder / u"bin"));
}

TEST(FileUtils, MatchingFilesByMasksAndAttributes) {
  TestFolder folder("file_utils_masks");
  for (const char16_t* name : {u"a.ttf", u"b.TTF", u"c.otf", u"README", u"d.txt"}) WriteTextFile(folder / name, "x");
  CreateFolderPath(folder / u"sub.ttf");
  struct Case {
    const char16_t* masks;
    uint32_t attributes;
    bool withFolder;
    std::vector<std::string> found;
  };
  const std::string dir = N(folder.Path()) + "\\";
  const Case cases[] = {
      {u"*.ttf;*.otf", 0x1FF, false, {"a.ttf", "b.TTF", "c.otf", "sub.ttf"}},
      {u"*.ttf", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL, false, {"a.ttf", "b.TTF"}},  // no folders
      {u"*.", 0x1FF, false, {"README"}},
      {u"README", 0x1FF, true, {dir + "README"}},
      {u"*.otf;", 0x1FF, false, {"c.otf"}},  // a trailing separator adds no mask
  };
  for (const Case& c : cases) {
    fw::TStringList list;
    EXPECT_TRUE(AddMatchingFiles(folder.Path() + u"\\" + c.masks, c.attributes, list, c.withFolder)) << N(c.masks);
    EXPECT_EQ(Sorted(list), c.found) << N(c.masks);
  }
  fw::TStringList none;
  EXPECT_FALSE(AddMatchingFiles(folder / u"missing\\*.ttf", 0x1FF, none, false));
}

TEST(FileUtils, CopyMoveDeleteAndRecycle) {
  TestFolder folder("file_utils_copy");
  const String source = folder / u"s.txt";
  WriteTextFile(source, "one");
  CreateFolderPath(folder / u"into");
  EXPECT_TRUE(CopyFileTo(source, folder / u"into", false)) << "into a folder";
  EXPECT_EQ(ReadTextFile(folder / u"into\\s.txt"), "one");
  WriteTextFile(source, "two");
  EXPECT_FALSE(CopyFileTo(source, folder / u"into\\s.txt", false)) << "no replacing unless asked";
  EXPECT_TRUE(CopyFileTo(source, folder / u"into\\s.txt", true));
  EXPECT_EQ(ReadTextFile(folder / u"into\\s.txt"), "two");

  EXPECT_TRUE(MoveFileTo(source, folder / u"moved.txt", false));
  EXPECT_FALSE(FilePresent(source));
  EXPECT_EQ(ReadTextFile(folder / u"moved.txt"), "two");
  WriteTextFile(source, "three");
  EXPECT_FALSE(MoveFileTo(source, folder / u"moved.txt", false));
  EXPECT_TRUE(MoveFileTo(source, folder / u"moved.txt", true));
  EXPECT_EQ(ReadTextFile(folder / u"moved.txt"), "three");

  EXPECT_TRUE(DeleteFileOrRecycle(folder / u"moved.txt", false));
  EXPECT_FALSE(FilePresent(folder / u"moved.txt"));
  EXPECT_TRUE(DeleteFileOrRecycle(folder / u"into\\s.txt", true));
  EXPECT_FALSE(FilePresent(folder / u"into\\s.txt")) << "recycled";
  EXPECT_FALSE(DeleteFileOrRecycle(folder / u"none.txt", false));
  EXPECT_EQ(FileDateTime(folder / u"none.txt"), 0);
}

TEST(FileUtils, AMoveThatLeavesTheSourceBehindIsNoMove) {
  TestFolder folder("file_utils_move_held");
  const String source = folder / u"held.txt";
  WriteTextFile(source, "data");
  // Open without sharing deletion: the file can be read and copied, not
  // renamed or deleted.
  HANDLE held = CreateFileW(W(source), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(MoveFileTo(source, folder / u"target.txt", false));
  CloseHandle(held);
  EXPECT_EQ(ReadTextFile(source), "data") << "the source is where it was";
  EXPECT_EQ(ReadTextFile(folder / u"target.txt"), "data") << "the copy stays: nothing is lost";
}

TEST(FileUtils, LongNamesOfShortAndShellPaths) {
  TestFolder folder("file_utils_long_names");
  const String file = folder / u"a rather long file name.text";
  WriteTextFile(file, "x");
  wchar_t shortName[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameW(W(file), shortName, MAX_PATH), 0u);
  EXPECT_EQ(N(PathLongName(FromW(shortName))), N(file));
  EXPECT_EQ(N(PathLongName(folder / u"missing.txt")), N(folder / u"missing.txt")) << "no long form: the path itself";
  // A shell name without a file system path stays as it is.
  const String computer = u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
  EXPECT_EQ(N(PathLongName(computer)), N(computer));
  // The documents folder's shell name gives its path (Wine adds a backslash).
  EXPECT_EQ(N(PathWithoutTrailingBackslash(PathLongName(u"::{450D8FBA-AD25-11D0-98A8-0800361B1103}"))),
            N(SpecialFolderPath(CSIDL_PERSONAL)));
}

TEST(FileUtils, HistoryKeepsNumberedBackupsNewestFirst) {
  TestFolder folder("file_utils_history");
  const String file = folder / u"vestaline.ini";
  for (const char* content : {"first", "second", "third"}) {
    WriteTextFile(file, content);
    KeepFileHistory(file, String(), 2, false, 0);
  }
  EXPECT_EQ(ReadTextFile(folder / u"vestaline.ini.~001~"), "third");
  EXPECT_EQ(ReadTextFile(folder / u"vestaline.ini.~002~"), "second");
  EXPECT_FALSE(FilePresent(folder / u"vestaline.ini.~003~"));

  // Replacing the extension, into another folder; a limit before the newest
  // backup's time keeps it as it is.
  CreateFolderPath(folder / u"old");
  KeepFileHistory(file, folder / u"old", 3, true, 0);
  EXPECT_EQ(ReadTextFile(folder / u"old\\vestaline.~001~"), "third");
  WriteTextFile(file, "fourth");
  KeepFileHistory(file, folder / u"old", 3, true, 1.0);  // 1899: the backup is later
  EXPECT_EQ(ReadTextFile(folder / u"old\\vestaline.~001~"), "third");
  KeepFileHistory(folder / u"missing.ini", String(), 3, false, 0);
  EXPECT_FALSE(FilePresent(folder / u"missing.ini.~001~"));
}

TEST(FileMappings, ViewsRoundTheirOffsetsAndNeverGrow) {
  const String name = u"vl_mapping_test_" + fw::IntToStr(GetCurrentProcessId());
  TUclSwapFileMapping mapping(name, PAGE_READWRITE, 0x30000, nullptr);
  EXPECT_FALSE(mapping.Existed());
  TUclSwapFileMapping again(name, PAGE_READWRITE, 0x30000, nullptr);
  EXPECT_TRUE(again.Existed());

  struct Case {
    int64_t offset;
    TUclFileMappingRoundOffset round;
    int64_t rounded;
  };
  const Case cases[] = {{0, rvDown, 0}, {0x10000, rvUp, 0x10000}, {0x10001, rvDown, 0x10000}, {0x10001, rvUp, 0x20000}};
  for (const Case& c : cases) EXPECT_EQ(RoundViewOffsetTo(c.offset, 0x10000, c.round), c.rounded) << c.offset;

  mapping.SetRoundViewOffset(rvUp);
  TUclFileMappingView* view = mapping.Views(mapping.Add(FILE_MAP_ALL_ACCESS, 16, 1));
  EXPECT_EQ(view->Offset() % 0x10000, 0);
  EXPECT_GT(view->Offset(), 0);
  EXPECT_EQ(view->Size(), 16);
  EXPECT_EQ(view->Write("0123456789", 10), 10);
  EXPECT_EQ(view->Write("0123456789", 10), 0) << "six bytes left: nothing written";
  EXPECT_EQ(view->Position(), 10);
  EXPECT_EQ(view->Write("abcdef", 6), 6);

  // The other handle sees the bytes at the same offset.
  TUclFileMappingView* other = again.Views(again.Add(FILE_MAP_READ, 16, view->Offset()));
  char seen[17] = {};
  EXPECT_EQ(other->Read(seen, 16), 16);
  EXPECT_EQ(std::string(seen), "0123456789abcdef");
  EXPECT_EQ(other->Read(seen, 1), 0) << "at the end";
  other->Seek(-4, fw::TSeekOrigin::soBeginning);
  EXPECT_EQ(other->Read(seen, 8), 0) << "before the start";
  EXPECT_EQ(view->Write("x", 1), 0) << "a full view takes nothing more";

  fw::TMemoryStream big(std::vector<uint8_t>(17, 1));
  EXPECT_THROW(view->LoadFromStream(big), EUclFileMappingViewError);
  EXPECT_EQ(mapping.Count(), 1);
  mapping.Delete(0);
  EXPECT_EQ(mapping.Count(), 0);
  EXPECT_THROW(TUclFileMappingView(nullptr, FILE_MAP_READ, 16, 0), EUclFileMappingViewError);
}

}  // namespace
