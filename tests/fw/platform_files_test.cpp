#include "fw/platform/files.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "fw/platform_test_folder.h"

namespace fw {
namespace {

using testing::ReadTextFile;
using testing::TestFolder;
using testing::WriteTextFile;

// The file's path relative to root, for comparing walks.
std::vector<String> Walk(const String& root, const TFindOptions& o, int stopAfter = -1) {
  std::vector<String> seen;
  FindFiles(root, o, [&](const String& path, const TSearchRec& rec) {
    EXPECT_EQ(path.substr(path.size() - rec.Name.size()), rec.Name);
    seen.push_back(path.substr(root.size() + 1));
    return stopAfter < 0 || static_cast<int>(seen.size()) < stopAfter;
  });
  return seen;
}

std::vector<String> Sorted(std::vector<String> v) {
  std::sort(v.begin(), v.end());
  return v;
}

class FindFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ForceDirectories(dir / u"a\\b"));
    WriteTextFile(dir / u"x.ttf", "1234");
    WriteTextFile(dir / u"hidden.ttf", "");
    SetFileAttributesW(W(dir / u"hidden.ttf"), FILE_ATTRIBUTE_HIDDEN);
    WriteTextFile(dir / u"a\\y.ttf", "");
    WriteTextFile(dir / u"a\\b\\z.ttf", "");
    WriteTextFile(dir / u"a\\b\\z.txt", "");
  }
  TestFolder dir{"find"};
};

TEST_F(FindFilesTest, MaskAttributesAndRecursion) {
  struct Case {
    const char* what;
    TFindOptions options;
    std::vector<String> expected;
  } cases[] = {
      {"top level, all kinds", {u"*", faAnyFile, false, nullptr}, {u"a", u"hidden.ttf", u"x.ttf"}},
      {"top level, normal files only", {u"*", 0, false, nullptr}, {u"x.ttf"}},
      {"recursive by mask",
       {u"*.ttf", faAnyFile, true, nullptr},
       {u"a\\b\\z.ttf", u"a\\y.ttf", u"hidden.ttf", u"x.ttf"}},
      {"recursive, folder b refused",
       {u"*.ttf", faAnyFile, true,
        [](const String&, const TSearchRec& r) { return r.Name != u"b"; }},
       {u"a\\y.ttf", u"hidden.ttf", u"x.ttf"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sorted(Walk(dir.Path(), c.options)), c.expected) << c.what;
  }
  // Stopping from the callback ends the walk at once.
  EXPECT_EQ(Walk(dir.Path(), {u"*.ttf", faAnyFile, true, nullptr}, 2).size(), 2u);
  EXPECT_FALSE(FindFiles(dir.Path(), {}, [](const String&, const TSearchRec&) { return false; }));
}

TEST_F(FindFilesTest, SearchRecordCarriesNameSizeAttributesAndTime) {
  TSearchRec rec;
  ASSERT_EQ(FindFirst(dir / u"x.*", faAnyFile, rec), 0);
  EXPECT_EQ(rec.Name, u"x.ttf");
  EXPECT_EQ(rec.Size, 4);
  EXPECT_FALSE(rec.Attr & faDirectory);
  // Written just now: the present local time, within an hour.
  SYSTEMTIME st;
  GetLocalTime(&st);
  double now = 0;
  ASSERT_TRUE(SystemTimeToVariantTime(&st, &now));
  EXPECT_NEAR(rec.Time(), now, 1.0 / 24);
  EXPECT_EQ(FindNext(rec), ERROR_NO_MORE_FILES);
  FindClose(rec);
  EXPECT_EQ(FindFirst(dir / u"nothing*", faAnyFile, rec), ERROR_FILE_NOT_FOUND);
}

TEST(Files, AttributesAndFolderCreation) {
  TestFolder dir("attrs");
  const String deep = dir / u"one\\two\\three\\";
  EXPECT_FALSE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep));  // existing is fine
  EXPECT_FALSE(ForceDirectories(u""));
  WriteTextFile(dir / u"f.txt", "x");
  EXPECT_FALSE(DirectoryExists(dir / u"f.txt"));
  // A file in the way of a folder path.
  EXPECT_FALSE(ForceDirectories(dir / u"f.txt\\sub"));
  EXPECT_EQ(FileSetAttr(dir / u"f.txt", faReadOnly | faHidden), 0);
  EXPECT_EQ(FileGetAttr(dir / u"f.txt") & (faReadOnly | faHidden), int(faReadOnly | faHidden));
  EXPECT_EQ(FileGetAttr(dir / u"missing"), -1);
  EXPECT_NE(FileSetAttr(dir / u"missing", faNormal), 0);
}

// The Unix path of a Windows path under Wine (empty elsewhere). Wine resolves
// links in the last component, so that one is appended as it is.
std::string UnixPath(const String& path) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixName>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
  size_t cut = path.find_last_of(u'\\');
  if (!unixName || cut == String::npos) return std::string();
  char* parent = unixName(W(path.substr(0, cut)));
  if (!parent) return std::string();
  std::string out = std::string(parent) + "/" + StringToUtf8(path.substr(cut + 1));
  HeapFree(GetProcessHeap(), 0, parent);
  return out;
}

// Runs a Unix program under Wine and waits until `done` holds: the handle of
// a Unix process does not say reliably when it has ended.
bool RunUnix(const wchar_t* program, const std::string& commandLine,
             const std::function<bool()>& done) {
  String cmd = Utf8ToString(commandLine);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(program, W(cmd.data()), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (int i = 0; i < 500 && !done(); ++i) Sleep(10);
  return done();
}

bool IsLink(const String& path) {
  DWORD a = GetFileAttributesW(W(path));
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Makes a link to a folder: a Windows symbolic link where the system can
// make one; under Wine, which cannot, a Unix symbolic link, which Wine
// presents as a reparse point.
bool MakeFolderLink(const String& link, const String& target) {
  if (CreateSymbolicLinkW(W(link), W(target), SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2 /* unprivileged */) &&
      IsLink(link))
    return true;
  const std::string l = UnixPath(link), t = UnixPath(target);
  if (l.empty() || t.empty()) return false;
  return RunUnix(L"Z:\\bin\\ln", "/bin/ln -s \"" + t + "\" \"" + l + "\"",
                 [&] { return IsLink(link); });
}

// Removes what Wine cannot remove through the system: a Unix link.
void RemoveUnixLink(const String& link) {
  const std::string l = UnixPath(link);
  if (!l.empty()) RunUnix(L"Z:\\bin\\rm", "/bin/rm -f \"" + l + "\"", [&] { return !IsLink(link); });
}

TEST(Files, DeleteFolderTreeRemovesReadOnlyEntriesAndNestedFolders) {
  TestFolder dir("deltree");
  const String root = dir / u"tree";
  ASSERT_TRUE(ForceDirectories(root + u"\\sub\\deeper"));
  WriteTextFile(root + u"\\a.txt", "a");
  WriteTextFile(root + u"\\sub\\deeper\\ro.txt", "r");
  SetFileAttributesW(W(root + u"\\sub\\deeper\\ro.txt"), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW(W(root + u"\\sub"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(DeleteFolderTree(root + u"\\"));
  EXPECT_EQ(GetFileAttributesW(W(root)), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(DeleteFolderTree(root));  // nothing left to delete
  WriteTextFile(dir / u"file.txt", "f");
  EXPECT_FALSE(DeleteFolderTree(dir / u"file.txt"));  // not a folder: left alone
  EXPECT_EQ(ReadTextFile(dir / u"file.txt"), "f");
}

TEST(Files, DeleteFolderTreeNeverFollowsALinkOutOfTheTree) {
  TestFolder dir("deltree_link");
  const String outside = dir / u"outside";
  const String root = dir / u"tree";
  ASSERT_TRUE(ForceDirectories(outside + u"\\inner"));
  WriteTextFile(outside + u"\\keep.txt", "keep");
  WriteTextFile(outside + u"\\inner\\keep2.txt", "keep");
  ASSERT_TRUE(ForceDirectories(root + u"\\sub"));
  WriteTextFile(root + u"\\sub\\gone.txt", "x");
  const String link = root + u"\\sub\\link";
  if (!MakeFolderLink(link, outside)) GTEST_SKIP() << "this system can make no folder link";

  // The walk does not enter the link either.
  std::vector<String> seen = Walk(root, {u"*", faAnyFile, true, nullptr});
  EXPECT_EQ(Sorted(seen), (std::vector<String>{u"sub", u"sub\\gone.txt", u"sub\\link"}));

  const bool deleted = DeleteFolderTree(root);
  EXPECT_EQ(ReadTextFile(outside + u"\\keep.txt"), "keep");
  EXPECT_EQ(ReadTextFile(outside + u"\\inner\\keep2.txt"), "keep");
  EXPECT_EQ(GetFileAttributesW(W(root + u"\\sub\\gone.txt")), INVALID_FILE_ATTRIBUTES);
  if (!deleted) {
    // Wine cannot remove a Unix link through the system: the link and its
    // folders stay, and the call says the tree is not gone.
    EXPECT_NE(GetFileAttributesW(W(link)), INVALID_FILE_ATTRIBUTES);
    RemoveUnixLink(link);
    EXPECT_TRUE(DeleteFolderTree(root));
  }
  EXPECT_EQ(GetFileAttributesW(W(root)), INVALID_FILE_ATTRIBUTES);

  // A root that is itself a link is removed as a link, if at all.
  if (MakeFolderLink(root, outside)) {
    if (!DeleteFolderTree(root)) RemoveUnixLink(root);
    EXPECT_FALSE(IsLink(root));
    EXPECT_EQ(ReadTextFile(outside + u"\\keep.txt"), "keep");
  }
}

TEST(Files, SystemFolders) {
  struct Case {
    const char* what;
    String path;
  } cases[] = {{"application data", AppDataFolder()}, {"fonts", FontsFolder()},
               {"temporary", TempFolder()},           {"system", SystemFolder()},
               {"windows", WindowsFolder()},          {"program", ExeFolder()}};
  for (const Case& c : cases) {
    EXPECT_FALSE(c.path.empty()) << c.what;
    EXPECT_TRUE(DirectoryExists(c.path)) << c.what;
  }
  EXPECT_NE(AppDataFolder().back(), u'\\');
  EXPECT_EQ(GetSpecialFolder(CSIDL_APPDATA), AppDataFolder());
  EXPECT_EQ(TempFolder() + u"\\", GetTempPathStr());
  EXPECT_EQ(ExeFolder().back(), u'\\');
  const String exe = ModuleFileName();
  EXPECT_EQ(exe.rfind(ExeFolder(), 0), 0u);
  EXPECT_EQ(exe.substr(exe.size() - 4), u".exe");
}

}  // namespace
}  // namespace fw
