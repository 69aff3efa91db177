// The JPEG codec: what it compresses reads back at every scale, and damaged
// data ends in the reader's error with the decoder freed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "fw/codecs/jpeg.h"
#include "fw/core/exceptions.h"

using namespace fw;
using namespace fw::codecs;

namespace {

// Left half red, right half blue.
JpegImage Halves(int w, int h) {
  JpegImage img;
  img.Width = w;
  img.Height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.Pixels.insert(img.Pixels.end(), {uint8_t(x < w / 2 ? 0 : 255), 0, uint8_t(x < w / 2 ? 255 : 0)});
  return img;
}

// Blue-green-red within a tolerance.
bool Near(const uint8_t* p, int b, int g, int r) {
  return std::abs(p[0] - b) <= 16 && std::abs(p[1] - g) <= 16 && std::abs(p[2] - r) <= 16;
}

template <class F>
std::string ErrorText(F f) {
  try {
    f();
  } catch (const EInvalidGraphic& e) {
    return StringToUtf8(e.Message());
  }
  return "(no error)";
}

}  // namespace

TEST(JpegCodec, CompressedImagesReadBackAtEveryScaleAndInGrey) {
  const std::vector<uint8_t> file = EncodeJpeg(Halves(40, 24), 90, false);
  const JpegSize size = ReadJpegSize(file.data(), file.size());
  EXPECT_EQ(size.Width, 40);
  EXPECT_EQ(size.Height, 24);
  const struct {
    int denominator, width, height;
  } scales[] = {{1, 40, 24}, {2, 20, 12}, {4, 10, 6}, {8, 5, 3}};
  for (const auto& s : scales) {
    SCOPED_TRACE(s.denominator);
    const JpegImage img = DecodeJpeg(file.data(), file.size(), s.denominator, false);
    ASSERT_EQ(img.Width, s.width);
    ASSERT_EQ(img.Height, s.height);
    ASSERT_EQ(img.Pixels.size(), size_t(3) * s.width * s.height);
    EXPECT_TRUE(Near(img.Row(img.Height / 2), 0, 0, 255)) << "left: red";
    EXPECT_TRUE(Near(img.Row(img.Height / 2) + 3 * (img.Width - 1), 255, 0, 0)) << "right: blue";
  }
  // Grey output of a colour file, and a grey file.
  const JpegImage grey = DecodeJpeg(file.data(), file.size(), 1, true);
  const uint8_t* red = grey.Row(12);
  EXPECT_TRUE(red[0] == red[1] && red[1] == red[2] && red[0] > 40 && red[0] < 110) << int(red[0]);
  const std::vector<uint8_t> greyFile = EncodeJpeg(Halves(16, 16), 90, true);
  const JpegImage fromGrey = DecodeJpeg(greyFile.data(), greyFile.size(), 1, false);
  EXPECT_TRUE(Near(fromGrey.Row(8), red[0], red[0], red[0]));
}

TEST(JpegCodec, DamagedDataRaisesTheReadersError) {
  const std::vector<uint8_t> file = EncodeJpeg(Halves(64, 64), 90, false);
  const std::vector<uint8_t> cut(file.begin(), file.begin() + file.size() / 2);
  const std::vector<uint8_t> markersCut = {0xFF, 0xD8, 0xFF, 0x00, 1, 2, 3};
  const std::vector<uint8_t> scanFirst = {0xFF, 0xD8, 0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 0x3F, 0};
  std::vector<uint8_t> huge = file;
  for (size_t i = 2; i + 8 < huge.size(); ++i)
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 7] = 0x90;  // width 36864
      huge[i + 8] = 0x00;
      break;
    }
  const struct {
    const char* name;
    std::vector<uint8_t> data;
    const char* text;
  } cases[] = {
      // The library raises this one before it reads anything.
      {"empty", {}, "JPEG image is damaged: "},
      {"cut in half", cut, "JPEG image is truncated"},
      {"markers cut short", markersCut, "JPEG image is truncated"},
      {"scan before the frame", scanFirst, "JPEG image is damaged: Invalid JPEG file structure: SOS before SOF"},
      {"too wide", huge, "JPEG image is too large (36864x64)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string decoded = ErrorText([&] { DecodeJpeg(c.data.data(), c.data.size(), 1, false); });
    EXPECT_EQ(decoded.rfind(c.text, 0), 0u) << decoded;
  }
  EXPECT_EQ(ErrorText([&] { ReadJpegSize(huge.data(), huge.size()); }), "JPEG image is too large (36864x64)");
}
