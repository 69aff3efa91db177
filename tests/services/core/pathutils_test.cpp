// Path text routines: tables of inputs and the texts they give.
#include "services/core/pathutils.h"

#include <gtest/gtest.h>

#include <string>

namespace services {
namespace {

std::string N(const fw::String& s) { return fw::StringToUtf8(s); }

TEST(PathUtils, TrailingBackslashesAndJoining) {
  struct Case {
    const char16_t* path;
    const char16_t* with;
    const char16_t* without;
  };
  const Case cases[] = {
      {u"C:\\Temp\\", u"C:\\Temp\\", u"C:\\Temp"},
      {u"C:\\Temp", u"C:\\Temp\\", u"C:\\Temp"},
      {u"", u"\\", u""},
      {u"a\\\\", u"a\\\\", u"a\\"},  // only one is removed
  };
  for (const Case& c : cases) {
    EXPECT_EQ(N(PathWithTrailingBackslash(c.path)), N(c.with)) << N(c.path);
    EXPECT_EQ(N(PathWithoutTrailingBackslash(c.path)), N(c.without)) << N(c.path);
  }
  struct Join {
    const char16_t* path;
    const char16_t* rest;
    const char16_t* joined;
  };
  const Join joins[] = {
      {u"C:\\a\\", u"\\b", u"C:\\a\\b"}, {u"C:\\a", u"b", u"C:\\a\\b"}, {u"C:\\a\\", u"b", u"C:\\a\\b"},
      {u"C:\\a", u"\\b", u"C:\\a\\b"},   {u"", u"b", u"b"},             {u"C:\\a", u"", u"C:\\a"},
  };
  for (const Join& j : joins) EXPECT_EQ(N(PathJoin(j.path, j.rest)), N(j.joined)) << N(j.path) << " + " << N(j.rest);
}

TEST(PathUtils, ExtensionsAndBackupNames) {
  struct Case {
    const char16_t* path;
    const char16_t* extension;
    const char16_t* result;
  };
  const Case cases[] = {
      {u"a", u"ini", u"a.ini"},         {u"a", u".ini", u"a.ini"},        {u"a.INI", u"ini", u"a.INI"},
      {u"a.", u"ini", u"a.ini"},        {u"a.txt", u"ini", u"a.txt.ini"}, {u"", u"ini", u""},
      {u"a", u"", u"a"},                {u"d.x\\a", u"ini", u"d.x\\a.ini"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(N(PathAppendExtension(c.path, c.extension)), N(c.result)) << N(c.path) << " " << N(c.extension);

  EXPECT_EQ(N(BackupFileName(u"a.ini")), "a.~ini");
  EXPECT_EQ(N(BackupFileName(u"a")), "a.~");
  EXPECT_EQ(N(BackupFileName(u"C:\\d.x\\a")), "C:\\d.x\\a.~");
  for (auto [n, text] : {std::pair{1, ".~001~"}, {12, ".~012~"}, {1234, ".~1234~"}})
    EXPECT_EQ(N(NumberedBackupExtension(n)), text);
  struct Numbered {
    const char16_t* name;
    int n;
    bool replace;
    const char* backup;
  };
  const Numbered numbered[] = {
      {u"C:\\cfg\\vestaline.ini", 1, true, "C:\\cfg\\vestaline.~001~"},  // the settings file's history
      {u"C:\\cfg\\vestaline.ini", 2, false, "C:\\cfg\\vestaline.ini.~002~"},
      {u"C:\\d.x\\a", 12, true, "C:\\d.x\\a.~012~"},
  };
  for (const Numbered& b : numbered)
    EXPECT_EQ(N(NumberedBackupName(b.name, b.n, b.replace)), b.backup) << N(b.name);
}

TEST(PathUtils, RootedAndUncPaths) {
  struct Case {
    const char16_t* path;
    bool rooted;
    bool unc;
  };
  const Case cases[] = {
      {u"C:\\x", true, false},
      {u"c:\\", true, false},
      {u"C:", false, false},
      {u"C:x", false, false},
      {u"\\\\.\\C:\\x", true, false},
      {u"\\\\.\\C:", false, false},
      {u"\\\\server\\share", true, true},
      {u"\\\\server\\share\\dir", true, true},
      {u"\\\\my-srv.x_1\\s", true, true},
      {u"\\\\server", false, false},
      {u"\\\\ser ver\\share", false, false},
      {u"\\\\server\\sha*re", false, false},
      {u"\\\\server\\", true, true},
      {u"\\\\?\\UNC\\server\\share", true, true},
      {u"\\\\?\\UNC\\server\\bad|share", false, false},  // the share is tested, not only the server
      {u"\\\\?\\UNC\\bad*server\\share", false, false},
      {u"\\\\?\\UNC", false, false},
      {u"", false, false},
      {u"relative\\x", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PathIsRooted(c.path), c.rooted) << N(c.path);
    EXPECT_EQ(PathIsUncShare(c.path), c.unc) << N(c.path);
  }
  EXPECT_TRUE(PathHasDevicePrefix(u"\\\\.\\C:"));
  EXPECT_FALSE(PathHasDevicePrefix(u"\\\\.C:"));
}

}  // namespace
}  // namespace services

namespace services {
namespace {

TEST(PathUtils, FileNamesMatchMasksLikeTheFileSystem) {
  struct Case {
    const char16_t* name;
    const char16_t* mask;
    bool caseSensitive;
    bool matches;
  };
  const Case cases[] = {
      {u"README", u"*.", false, true},  // a dotless name counts as ending with "."
      {u"README", u"README", false, true},
      {u"readme", u"README", false, true},
      {u"readme", u"README", true, false},
      {u"a.txt", u"*.", false, false},
      {u"a.txt", u"*.*", false, true},
      {u"README", u"*.*", false, true},
      {u"a.txt", u"", false, true},
      {u"a.txt", u"*", false, true},
      {u"font.TTF", u"*.ttf", false, true},
      {u"font.ttf", u"*.TTF", true, false},
      {u"font1.ttf", u"font?.ttf", false, true},
      {u"font12.ttf", u"font?.ttf", false, false},
      {u"a.ttf.bak", u"*.ttf", false, false},
      {u"", u"*.ttf", false, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FileNameMatches(c.name, c.mask, c.caseSensitive), c.matches)
        << N(c.name) << " " << N(c.mask) << (c.caseSensitive ? " case" : "");
}

}  // namespace
}  // namespace services
