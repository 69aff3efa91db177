// Numbered backups through the in-memory file system: generations move up
// and the oldest drops out, names with the extension kept or replaced, the
// age limit, and failures that must not pass silently.
#include "services/core/filehistory.h"

#include <gtest/gtest.h>

#include <string>

#include "fw/core/exceptions.h"

namespace services {
namespace {

std::string N(const fw::String& s) { return fw::StringToUtf8(s); }

std::string Content(TCkMemoryFileSystem& Files, const fw::String& Name) {
  auto it = Files.Files.find(Name);
  return it == Files.Files.end() ? "<none>" : std::string(it->second.Bytes.begin(), it->second.Bytes.end());
}

void Write(TCkMemoryFileSystem& Files, const fw::String& Name, const std::string& Text) {
  Files.WriteFile(Name, std::vector<uint8_t>(Text.begin(), Text.end()));
}

TEST(FileHistory, FourRunsKeepTheThreeNewestGenerations) {
  struct Case {
    bool replaceExtension;
    const char16_t* folder;
    const char16_t* stem;  // what the numbered extensions follow
  };
  const Case cases[] = {
      {true, u"", u"C:\\cfg\\vestaline"},
      {false, u"", u"C:\\cfg\\vestaline.ini"},
      {false, u"D:\\old\\", u"D:\\old\\vestaline.ini"},
  };
  for (const Case& c : cases) {
    TCkMemoryFileSystem files;
    for (const char* generation : {"one", "two", "three", "four"}) {
      Write(files, u"C:\\cfg\\vestaline.ini", generation);
      KeepFileHistory(files, u"C:\\cfg\\vestaline.ini", c.folder, 3, c.replaceExtension, 0);
    }
    const fw::String stem = c.stem;
    EXPECT_EQ(Content(files, stem + u".~001~"), "four") << N(stem);
    EXPECT_EQ(Content(files, stem + u".~002~"), "three") << N(stem);
    EXPECT_EQ(Content(files, stem + u".~003~"), "two") << N(stem);
    EXPECT_EQ(Content(files, stem + u".~004~"), "<none>") << N(stem);
    EXPECT_EQ(files.Files.size(), 4u) << N(stem);
  }
}

TEST(FileHistory, AgeLimitMissingFileAndFailedSteps) {
  TCkMemoryFileSystem files;
  const fw::String file = u"C:\\cfg\\a.ini";
  KeepFileHistory(files, file, u"", 3, true, 0);
  EXPECT_TRUE(files.Files.empty()) << "no file, no backup";

  Write(files, file, "one");
  KeepFileHistory(files, file, u"", 0, true, 0);
  EXPECT_TRUE(files.Files.size() == 1) << "a count of 0 keeps nothing";
  KeepFileHistory(files, file, u"", 3, true, 0);
  const fw::TDateTime newest = files.Files[u"C:\\cfg\\a.~001~"].Age;
  Write(files, file, "two");
  KeepFileHistory(files, file, u"", 3, true, newest - 1.0 / 24);  // the newest is later than the limit
  EXPECT_EQ(Content(files, u"C:\\cfg\\a.~001~"), "one");
  KeepFileHistory(files, file, u"", 3, true, newest);
  EXPECT_EQ(Content(files, u"C:\\cfg\\a.~001~"), "two");
  EXPECT_EQ(Content(files, u"C:\\cfg\\a.~002~"), "one");

  files.FailFolders.push_back(u"E:\\");
  try {
    KeepFileHistory(files, file, u"E:\\backups", 3, true, 0);
    ADD_FAILURE() << "a backup that could not be written passed as made";
  } catch (const fw::Exception& e) {
    EXPECT_EQ(N(e.Message()), "Unable to copy file \"C:\\cfg\\a.ini\".");
  }
  files.Files[u"E:\\backups\\a.~001~"] = {{'x'}, 1, false};  // cannot move up into the failing folder
  try {
    KeepFileHistory(files, file, u"E:\\backups", 3, true, 0);
    ADD_FAILURE() << "a backup that could not move up passed";
  } catch (const fw::Exception& e) {
    EXPECT_EQ(N(e.Message()), "Unable to rename file \"E:\\backups\\a.~001~\" to \"E:\\backups\\a.~002~\".");
  }
}

}  // namespace
}  // namespace services
