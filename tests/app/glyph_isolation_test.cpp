#include "app/glyph_isolation.h"

#include <gtest/gtest.h>

#include "app/core/temp_dir.h"
#include "fw/core/streams.h"

namespace app {
namespace {

TEST(CropFiles, TheNextNumberFollowsTheFilesAlreadyThereAndSkipsTakenNames) {
  struct Case {
    std::vector<std::string> existing;
    const char* next;
  };
  const Case cases[] = {
      {{}, "imgmod_001.BMP"},
      {{"imgmod_001.BMP", "imgmod_003.BMP"}, "imgmod_004.BMP"},
      {{"imgmod_002.BMP"}, "imgmod_003.BMP"},
      {{"other.txt"}, "imgmod_002.BMP"},
  };
  for (const Case& c : cases) {
    TTempDir dir;
    for (const std::string& f : c.existing) fw::WriteFileBytes(dir.Path(f), {1, 2, 3});
    EXPECT_EQ(NextCropFile(dir.Path(""), u"imgmod"), dir.Path(c.next)) << c.next;
  }
}

TEST(CropFiles, ARunOfFilesCountsOnFromTheNumberLastUsed) {
  // The cropper counts the files once and then goes on from the number it
  // used last, so a free low number is taken before the higher ones.
  struct Case {
    std::vector<std::string> existing;
    std::vector<const char*> written;
  };
  const Case cases[] = {
      {{}, {"imgmod_001.BMP", "imgmod_002.BMP", "imgmod_003.BMP"}},
      {{"imgmod_005.BMP"}, {"imgmod_002.BMP", "imgmod_003.BMP", "imgmod_004.BMP", "imgmod_006.BMP"}},
      {{"imgmod_001.BMP", "imgmod_003.BMP"}, {"imgmod_004.BMP", "imgmod_005.BMP"}},
  };
  for (const Case& c : cases) {
    TTempDir dir;
    for (const std::string& f : c.existing) fw::WriteFileBytes(dir.Path(f), {1, 2, 3});
    int n = CountFolderFiles(dir.Path(""));
    EXPECT_EQ(n, static_cast<int>(c.existing.size()));
    for (const char* want : c.written) {
      const fw::String name = NextFreeCropFile(dir.Path(""), u"imgmod", n);
      EXPECT_EQ(name, dir.Path(want));
      fw::WriteFileBytes(name, {1});
    }
  }
  EXPECT_EQ(CountFolderFiles(u"Z:\\no\\such\\folder\\"), 0);
}

TEST(CropFiles, NamesHaveThreeDigitsAtLeastAndTheFolderIsInTheTemporaryFolder) {
  EXPECT_EQ(CropFileName(u"imgmod", 7), u"imgmod_007.BMP");
  EXPECT_EQ(CropFileName(u"imgmod", 1234), u"imgmod_1234.BMP");
  const fw::String folder = CropFolder();
  EXPECT_NE(folder.find(u"\\Tavo_Cropped_3\\"), fw::String::npos);
  EXPECT_EQ(folder.back(), u'\\');
}

}  // namespace
}  // namespace app
