// The GIF reader: pixels, palettes, transparency and interlacing of files
// written by the test's own encoder, and clear errors for damaged files.
#include <gtest/gtest.h>

#include <random>

#include "fw/codecs/gif.h"
#include "fw/codecs/gif_writer.h"
#include "fw/core/exceptions.h"

using namespace fw;
using namespace fw::codecs;
using fw::testing::GifFrame;
using fw::testing::WriteGif;

namespace {

const std::vector<uint32_t> kFour = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

GifFrame Frame(int w, int h, std::vector<uint8_t> indices) {
  GifFrame f;
  f.Width = w;
  f.Height = h;
  f.Indices = std::move(indices);
  return f;
}

std::vector<uint8_t> Pattern(int w, int h, int colours, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> v(size_t(w) * h);
  // Runs of equal pixels mixed with noise exercise both long codes and resets.
  for (size_t i = 0; i < v.size(); ++i) v[i] = (i / 7 % 3 == 0) ? uint8_t(rng() % colours) : uint8_t(i / 13 % colours);
  return v;
}

}  // namespace

TEST(GifReader, DecodesFramesToTheirIndicesAndPalette) {
  struct Case {
    const char* name;
    int w, h, colours;
    bool interlaced;
  };
  const Case cases[] = {
      {"tiny", 4, 3, 4, false},         {"two colours", 9, 5, 2, false},
      {"interlaced", 5, 19, 4, true},   {"interlaced one row", 3, 1, 4, true},
      {"full table resets", 120, 90, 256, false}, {"wide", 700, 2, 16, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint32_t> pal(c.colours);
    for (int i = 0; i < c.colours; ++i) pal[i] = uint32_t(i * 0x010203) & 0xFFFFFF;
    GifFrame f = Frame(c.w, c.h, Pattern(c.w, c.h, c.colours, c.w * 31 + c.h));
    f.Interlaced = c.interlaced;
    std::vector<uint8_t> file = WriteGif(c.w, c.h, pal, {f});
    GifImage img = DecodeGif(file.data(), file.size());
    ASSERT_EQ(img.Width, c.w);
    ASSERT_EQ(img.Height, c.h);
    EXPECT_EQ(img.Indices, f.Indices);
    EXPECT_EQ(img.TransparentIndex, -1);
    ASSERT_EQ(img.Palette.size(), 256u);
    for (int i = 0; i < c.colours; ++i) EXPECT_EQ(img.Palette[i], pal[i]);
  }
}

TEST(GifReader, LocalPaletteAndTransparencyOfTheFirstFrameWin) {
  GifFrame f = Frame(2, 2, {0, 1, 1, 0});
  f.Left = 1;
  f.Top = 1;
  f.LocalPalette = {0x112233, 0x445566};
  f.Transparent = 1;
  GifFrame second = Frame(1, 1, {3});
  std::vector<uint8_t> file = WriteGif(4, 4, kFour, {f, second}, 2);
  GifImage img = DecodeGif(file.data(), file.size());
  EXPECT_EQ(img.Palette[0], 0x112233u);
  EXPECT_EQ(img.Palette[1], 0x445566u);
  // A two-entry table leaves the rest of the palette black.
  EXPECT_EQ(img.Palette[2], 0u);
  EXPECT_EQ(img.PaletteSize, 2);
  EXPECT_EQ(img.TransparentIndex, 1);
  // Outside the frame: the transparent index; inside: the frame's pixels.
  const std::vector<uint8_t> expected = {1, 1, 1, 1,  //
                                         1, 0, 1, 1,  //
                                         1, 1, 0, 1,  //
                                         1, 1, 1, 1};
  EXPECT_EQ(img.Indices, expected);
}

TEST(GifReader, OpaqueScreenOutsideTheFrameTakesTheBackgroundAndFramesGrowTheScreen) {
  GifFrame f = Frame(2, 1, {3, 3});
  f.Left = 1;
  std::vector<uint8_t> file = WriteGif(2, 2, kFour, {f}, 2);
  GifImage img = DecodeGif(file.data(), file.size());
  EXPECT_EQ(img.Width, 3);  // the frame reaches past the screen
  EXPECT_EQ(img.Height, 2);
  const std::vector<uint8_t> expected = {2, 3, 3, 2, 2, 2};
  EXPECT_EQ(img.Indices, expected);
}

TEST(GifReader, DamagedFilesRaiseInvalidGraphicWithAClearText) {
  const std::vector<uint8_t> good = WriteGif(6, 4, kFour, {Frame(6, 4, Pattern(6, 4, 4, 1))});
  auto expectError = [](std::vector<uint8_t> file, const char16_t* text) {
    try {
      DecodeGif(file.data(), file.size());
      ADD_FAILURE() << "no error";
    } catch (const EInvalidGraphic& e) {
      EXPECT_NE(e.Message().find(text), String::npos) << e.what();
    }
  };
  expectError({'G', 'I', 'F', '8', '7', 'b', 0, 0, 0, 0, 0, 0, 0}, u"no GIF signature");
  std::vector<uint8_t> trailerOnly = WriteGif(2, 2, kFour, {});
  expectError(trailerOnly, u"no image");
  std::vector<uint8_t> tooWide = WriteGif(32768, 1, kFour, {Frame(1, 1, {0})});
  expectError(tooWide, u"too large");
  std::vector<uint8_t> tooMany = WriteGif(20000, 20000, kFour, {Frame(1, 1, {0})});
  expectError(tooMany, u"too large");
  // The byte after the image descriptor is the LZW code size.
  for (int bad : {0, 9, 12}) {
    GifFrame f = Frame(2, 1, {0, 1});
    f.MinCodeSize = 2;
    std::vector<uint8_t> file = WriteGif(2, 1, kFour, {f});
    size_t at = file.size() - 1 /*trailer*/ - 1 /*terminator*/;
    while (file[at] != 0x2C) --at;  // image descriptor
    file[at + 10] = uint8_t(bad);
    expectError(file, u"LZW code size");
  }
  // A code beyond the table: clear, then code 7 with 3-bit codes.
  {
    std::vector<uint8_t> file = WriteGif(2, 1, kFour, {Frame(2, 1, {0, 1})});
    size_t at = file.size() - 2;
    while (file[at] != 0x2C) --at;
    size_t data = at + 11;  // first sub-block's length
    file[data + 1] = uint8_t(4 | (7 << 3));
    expectError(file, u"invalid LZW code");
  }
  std::vector<uint8_t> unknownBlock = good;
  unknownBlock[6 + 7 + 12] = 0x99;  // where the application extension starts
  expectError(unknownBlock, u"unknown block");
  // Every cut before the end of the image data is reported as truncated.
  size_t imageEnd = good.size() - 1;  // the trailer is not needed
  for (size_t n = 0; n < imageEnd; ++n) {
    std::vector<uint8_t> cut(good.begin(), good.begin() + n);
    EXPECT_THROW(DecodeGif(cut.data(), cut.size()), EInvalidGraphic) << n;
  }
  std::vector<uint8_t> noTrailer(good.begin(), good.end() - 1);
  EXPECT_NO_THROW(DecodeGif(noTrailer.data(), noTrailer.size()));
}
