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

TEST(CropFiles, NamesHaveThreeDigitsAtLeastAndTheFolderIsInTheTemporaryFolder) {
  EXPECT_EQ(CropFileName(u"imgmod", 7), u"imgmod_007.BMP");
  EXPECT_EQ(CropFileName(u"imgmod", 1234), u"imgmod_1234.BMP");
  const fw::String folder = CropFolder();
  EXPECT_NE(folder.find(u"\\Tavo_Cropped_3\\"), fw::String::npos);
  EXPECT_EQ(folder.back(), u'\\');
}

}  // namespace
}  // namespace app
