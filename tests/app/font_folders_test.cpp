#include "app/font_folders.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "font_fixtures.h"
#include "fw/core/sysutils.h"

namespace app {
namespace {

using fixtures::Wide;

// root: a.ttf b.OTF c.pfm c.pfb d.fon e.ttc notes.txt sub/
// root\sub: f.ttf g.PFM deeper/      root\sub\deeper: h.otf
class FontFolderTree : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* d : {"sub", "sub\\deeper", "empty"}) CreateDirectoryW(W(tmp.Path(d)), nullptr);
    for (const char* f : {"a.ttf", "b.OTF", "c.pfm", "c.pfb", "d.fon", "e.ttc", "notes.txt", "sub\\f.ttf",
                          "sub\\g.PFM", "sub\\deeper\\h.otf"}) {
      fixtures::WriteGarbage(tmp, f, 16);
    }
    root = fw::ExcludeTrailingPathDelimiter(tmp.Path(""));
  }
  fw::String In(const char* rel) const { return root + u"\\" + Wide(rel); }

  TTempDir tmp;
  fw::String root;  // without a trailing "\"
};

TEST_F(FontFolderTree, CountsFontFilesButNotBitmapFontsWithAndWithoutSubfolders) {
  EXPECT_EQ(GetNumberoffiles(root, false), 4);
  EXPECT_EQ(GetNumberoffiles(root + u"\\", false), 4);
  EXPECT_EQ(GetNumberoffiles(root, true), 7);
  EXPECT_EQ(GetNumberoffiles(In("sub"), false), 2);
  EXPECT_EQ(GetNumberoffiles(In("empty"), true), 0);
  EXPECT_EQ(GetNumberoffiles(In("missing"), true), 0);
  EXPECT_EQ(CountFilesInFolder(root + u"\\"), 7);  // every file, fonts or not
  EXPECT_EQ(CountFilesInFolder(In("empty\\")), 0);
}

TEST_F(FontFolderTree, ListsFontFilesWithTheirFoldersDepthFirst) {
  std::vector<fw::String> files, folders;
  ScanDirectoryfolder(root, files, false, folders);
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<fw::String>{In("a.ttf"), In("b.OTF"), In("c.pfm"), In("e.ttc")}));
  EXPECT_EQ(folders, (std::vector<fw::String>{root + u"\\"}));

  files.clear();
  folders.clear();
  ScanDirectoryfolder(root + u"\\", files, true, folders);
  std::vector<fw::String> sorted = files;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<fw::String>{In("a.ttf"), In("b.OTF"), In("c.pfm"), In("e.ttc"), In("sub\\deeper\\h.otf"),
                                             In("sub\\f.ttf"), In("sub\\g.PFM")}));
  // Each folder is listed once; depth first, a subfolder's tree comes as one block.
  std::sort(folders.begin(), folders.end());
  EXPECT_EQ(folders, (std::vector<fw::String>{root + u"\\", In("sub\\"), In("sub\\deeper\\")}));
  std::vector<long> at;
  for (const char* f : {"sub\\f.ttf", "sub\\g.PFM", "sub\\deeper\\h.otf"}) {
    at.push_back(std::find(files.begin(), files.end(), In(f)) - files.begin());
  }
  EXPECT_EQ(*std::max_element(at.begin(), at.end()) - *std::min_element(at.begin(), at.end()), 2);
}

TEST_F(FontFolderTree, WalkStopsWhenAskedAndSkipsDotEntries) {
  int seen = 0;
  EXPECT_FALSE(fw::FindFiles(root, {}, [&](const fw::String&, const fw::TSearchRec& e) {
    EXPECT_NE(e.Name, u".");
    EXPECT_NE(e.Name, u"..");
    return ++seen < 3;
  }));
  EXPECT_EQ(seen, 3);
  EXPECT_TRUE(fw::FindFiles(In("missing"), {}, [](const fw::String&, const fw::TSearchRec&) { return false; }));
}

// Runs a program and waits for it; under Wine this also runs Linux programs.
bool RunAndWait(const fw::String& commandLine) {
  fw::String cmd = commandLine;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, W(cmd.data()), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

// Under Wine a folder link is a Linux symbolic link (its own
// CreateSymbolicLinkW makes nothing), made by the Linux ln.
class TFolderLink {
 public:
  TFolderLink(const fw::String& link, const fw::String& target) : link_(link) {
    if (CreateSymbolicLinkW(W(link), W(target), SYMBOLIC_LINK_FLAG_DIRECTORY) && fixtures::Exists(link)) {
      windows_ = true;
      return;
    }
    using TUnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<TUnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return;
    const fw::String parent = link.substr(0, link.rfind(u'\\'));
    char* p = unixName(W(parent));
    char* t = unixName(W(target));
    if (p && t) {
      unixLink_ = Wide(std::string(p) + "/" + fw::StringToUtf8(link.substr(link.rfind(u'\\') + 1)));
      RunAndWait(u"Z:\\bin\\ln -s " + Wide(t) + u" " + unixLink_);
      WaitFor(true);
    }
    if (p) HeapFree(GetProcessHeap(), 0, p);
    if (t) HeapFree(GetProcessHeap(), 0, t);
  }
  ~TFolderLink() {
    // Removes the link alone, never what it points at.
    if (windows_) RemoveDirectoryW(W(link_));
    if (!unixLink_.empty()) {
      RunAndWait(u"Z:\\bin\\rm -f " + unixLink_);
      WaitFor(false);
    }
  }
  bool Made() const { return fixtures::Exists(link_); }

 private:
  // Wine may report a Linux program as ended before its work is seen.
  void WaitFor(bool present) const {
    for (int i = 0; i < 100 && Made() != present; ++i) Sleep(50);
  }

  fw::String link_;
  fw::String unixLink_;
  bool windows_ = false;
};

TEST_F(FontFolderTree, NeverEntersALinkedFolder) {
  // A link back to the root would make the walk endless.
  TFolderLink loop(In("sub\\loop"), root);
  if (!loop.Made()) GTEST_SKIP() << "no folder link can be made here";
  bool reported = false;
  fw::FindFiles(In("sub"), {}, [&](const fw::String&, const fw::TSearchRec& e) {
    if (e.Name == u"loop") reported = (e.Attr & fw::faDirectory) && (e.Attr & fw::faSymLink);
    return true;
  });
  EXPECT_TRUE(reported);
  EXPECT_EQ(GetNumberoffiles(root, true), 7);
  std::vector<fw::String> files, folders;
  ScanDirectoryfolder(root, files, true, folders);
  EXPECT_EQ(files.size(), 7u);
  EXPECT_EQ(folders.size(), 3u);
}

TEST(FontFolders, TrailingBackslashIsAddedOnce) {
  EXPECT_EQ(fw::IncludeTrailingPathDelimiter(u"C:\\Fonts"), u"C:\\Fonts\\");
  EXPECT_EQ(fw::IncludeTrailingPathDelimiter(u"C:\\Fonts\\"), u"C:\\Fonts\\");
  EXPECT_EQ(fw::IncludeTrailingPathDelimiter(u""), u"\\");
  const fw::String fonts = SystemFontsFolder();
  EXPECT_FALSE(fonts.empty());
  EXPECT_NE(fonts.back(), u'\\');
}

}  // namespace
}  // namespace app
