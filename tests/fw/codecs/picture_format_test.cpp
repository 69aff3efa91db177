// A picture's format is known by its first bytes, never by reading past
// the bytes given.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/codecs/picture_format.h"

using fw::codecs::DetectPictureFormat;

TEST(PictureFormat, FirstBytesNameTheFormat) {
  std::vector<uint8_t> emf(44, 0);
  emf[0] = 1;
  emf[40] = ' ';
  emf[41] = 'E';
  emf[42] = 'M';
  emf[43] = 'F';
  const struct {
    const char* name;
    std::vector<uint8_t> data;
    const char16_t* format;
  } cases[] = {
      {"bitmap", {'B', 'M', 0}, u"bmp"},
      {"GIF", {'G', 'I', 'F', '8', '9', 'a'}, u"gif"},
      {"JPEG", {0xFF, 0xD8, 0xFF, 0xE0}, u"jpg"},
      {"PNG", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, u"png"},
      {"icon", {0, 0, 1, 0, 1, 0}, u"ico"},
      {"enhanced metafile", emf, u"emf"},
      {"placeable metafile", {0xD7, 0xCD, 0xC6, 0x9A}, u"wmf"},
      {"metafile in memory", {1, 0, 9, 0}, u"wmf"},
      {"metafile on disk", {2, 0, 9, 0}, u"wmf"},
      {"enhanced metafile cut before its signature",
       std::vector<uint8_t>(emf.begin(), emf.end() - 1), nullptr},
      {"PNG cut short", {0x89, 'P', 'N', 'G'}, nullptr},
      {"cursor", {0, 0, 2, 0, 1, 0}, nullptr},
      {"nothing", {}, nullptr},
      {"text", {'h', 'e', 'l', 'l', 'o'}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // A copy of exactly the given size, so that an over-read shows.
    std::vector<uint8_t> exact(c.data);
    const char16_t* format = DetectPictureFormat(exact.data(), exact.size());
    EXPECT_EQ(format ? std::u16string(format) : u"(none)", c.format ? c.format : u"(none)");
  }
}
