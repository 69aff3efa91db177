// The sample images the installer writes: each is a picture of a word in the
// two colours its instructions on the image page start from, and files that
// are already there are kept unless asked to be replaced.
#include "app/sample_images.h"

#include <gtest/gtest.h>

#include "app/image_page.h"
#include "app/image_routines.h"
#include "fw/core/streams.h"
#include "fw/platform/files.h"
#include "fw/stdctrls_test_util.h"
#include "main_window_util.h"

namespace app {
namespace {

int CountOf(fw::TBitmap* b, fw::TColor color) {
  return fwtest::CountColor(b, color, fw::Rect(0, 0, b->Width(), b->Height()));
}

TEST(SampleImages, EachIsAWordInTheColoursItsInstructionsExpect) {
  apptest::AppDataFolder appData("sample_images");
  WriteSampleImages(SamplesFolder(), false);
  ASSERT_EQ(SampleImageLooks().size(), 4u);
  for (const TSampleImageLook& look : SampleImageLooks()) {
    const fw::String path = SamplesFolder() + u"\\" + look.FileName;
    const std::string name = fw::StringToUtf8(look.FileName);
    ASSERT_TRUE(fw::FileExists(path)) << name;
    // The image page names its instructions by these very paths.
    fw::String header, text;
    EXPECT_TRUE(SampleImageInstructions(path, header, text)) << name;
    auto picture = LoadPictureAsBitmap(path);
    ASSERT_TRUE(picture) << name;
    auto rows = std::make_unique<fw::TBitmap>();
    rows->Assign(picture.get());
    rows->SetPixelFormat(fw::pf24bit);
    const int all = rows->Width() * rows->Height();
    const int ink = CountOf(rows.get(), look.Ink);
    const int background = CountOf(rows.get(), look.Background);
    // Two colours only: the letters and the ground.
    EXPECT_EQ(ink + background, all) << name;
    EXPECT_GT(ink, all / 30) << name;
    EXPECT_GT(background, all / 2) << name;
  }
}

TEST(SampleImages, FilesThatAreThereAreKeptUnlessReplaced) {
  apptest::AppDataFolder appData("sample_images_kept");
  const fw::String own = SamplesFolder() + u"\\sample_pink.bmp";
  fw::ForceDirectories(SamplesFolder());
  fw::WriteFileBytes(own, std::vector<uint8_t>{'m', 'i', 'n', 'e'});
  WriteSampleImages(SamplesFolder(), false);
  EXPECT_EQ(fw::ReadFileBytes(own).size(), 4u);
  EXPECT_TRUE(fw::FileExists(SamplesFolder() + u"\\sample_1.bmp"));
  WriteSampleImages(SamplesFolder(), true);
  EXPECT_GT(fw::ReadFileBytes(own).size(), 1000u);
}

}  // namespace
}  // namespace app
