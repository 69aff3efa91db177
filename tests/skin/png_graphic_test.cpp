// TPNGGraphic: PNG files (written here with zlib) become bitmaps of the
// right format, the picture registry finds the format, and 32-bit images
// draw blended over the canvas.
#include "skin/engine/png_graphic.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fw/graphics/picture.h"

namespace skin {
namespace {

using Bytes = std::vector<uint8_t>;

void PutBE32(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}

void PutChunk(Bytes& png, const std::string& type, const Bytes& data) {
  PutBE32(png, static_cast<uint32_t>(data.size()));
  Bytes typed(type.begin(), type.end());
  typed.insert(typed.end(), data.begin(), data.end());
  png.insert(png.end(), typed.begin(), typed.end());
  PutBE32(png, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

// A PNG of unfiltered rows (each given without its filter byte).
Bytes MakePng(uint32_t w, uint32_t h, int depth, int colorType, const std::vector<Bytes>& rows,
              const std::vector<std::pair<std::string, Bytes>>& extra = {}) {
  Bytes png = {137, 80, 78, 71, 13, 10, 26, 10};
  Bytes ihdr;
  PutBE32(ihdr, w);
  PutBE32(ihdr, h);
  ihdr.insert(ihdr.end(), {static_cast<uint8_t>(depth), static_cast<uint8_t>(colorType), 0, 0, 0});
  PutChunk(png, "IHDR", ihdr);
  for (auto& [type, data] : extra) PutChunk(png, type, data);
  Bytes raw;
  for (const Bytes& r : rows) {
    raw.push_back(0);
    raw.insert(raw.end(), r.begin(), r.end());
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(size);
  compress(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
  packed.resize(size);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return png;
}

void Load(TPNGGraphic& g, const Bytes& png) {
  fw::TMemoryStream s(png);
  g.LoadFromStream(s);
}

TEST(PNGGraphic, RGBABecomesA32BitBitmapWithStraightAlpha) {
  TPNGGraphic g;
  Load(g, MakePng(2, 1, 8, 6, {{255, 0, 0, 128, 1, 2, 3, 255}}));
  ASSERT_EQ(g.PixelFormat(), fw::pf32bit);
  EXPECT_EQ(g.Width(), 2);
  EXPECT_EQ(g.Height(), 1);
  auto* p = static_cast<uint8_t*>(g.ScanLine(0));
  EXPECT_EQ(Bytes(p, p + 8), (Bytes{0, 0, 255, 128, 3, 2, 1, 255}));
  EXPECT_EQ(g.ImageProperties().ColorScheme, TColorScheme::csRGBA);
  EXPECT_FALSE(g.Transparent());
}

TEST(PNGGraphic, PaletteFormatsKeepTheirIndexesAndColourTable) {
  TPNGGraphic g;
  Load(g, MakePng(4, 1, 2, 0, {{0x1B}}));
  ASSERT_EQ(g.PixelFormat(), fw::pf4bit);
  auto* p = static_cast<uint8_t*>(g.ScanLine(0));
  EXPECT_EQ(p[0], 0x05);
  EXPECT_EQ(p[1], 0xAF);
  std::vector<RGBQUAD> table = g.ColorTable();
  ASSERT_EQ(table.size(), 16u);
  EXPECT_EQ(table[10].rgbRed, 170);
  EXPECT_EQ(table[10].rgbBlue, 170);
}

TEST(PNGGraphic, GreyKeyMakesTheBitmapTransparentWithThatColour) {
  TPNGGraphic g;
  Load(g, MakePng(2, 1, 4, 0, {{0x5F}}, {{"tRNS", {0, 5}}}));
  EXPECT_TRUE(g.Transparent());
  EXPECT_EQ(g.TransparentColor(), 0x555555);
  Load(g, MakePng(1, 1, 8, 2, {{1, 2, 3}}));  // the next image has no key
  EXPECT_FALSE(g.Transparent());
}

TEST(PNGGraphic, DamagedDataRaisesAndKeepsWhatWasDecoded) {
  TPNGGraphic g;
  Bytes png = MakePng(1, 2, 8, 2, {{1, 2, 3}, {4, 5, 6}});
  png.resize(png.size() - 12);  // an unknown critical chunk before IEND
  PutChunk(png, "ABCD", {});
  PutChunk(png, "IEND", {});
  EXPECT_THROW(Load(g, png), fw::EInvalidGraphic);
  EXPECT_EQ(g.Width(), 1);
  EXPECT_EQ(static_cast<uint8_t*>(g.ScanLine(1))[0], 6);
}

TEST(PNGGraphic, RegisteredAsThePictureFormatOfPng) {
  RegisterPngFormat();
  EXPECT_EQ(fw::TPicture::FileFormatClass(u".PNG"), TPNGGraphic::StaticClass());
  fw::TPicture picture;
  fw::TMemoryStream s(MakePng(3, 2, 8, 2, {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {9, 8, 7, 6, 5, 4, 3, 2, 1}}));
  picture.LoadFromStream(s);
  auto* png = dynamic_cast<TPNGGraphic*>(picture.Graphic());
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->Width(), 3);
  EXPECT_EQ(png->PixelFormat(), fw::pf24bit);
}

TEST(PNGGraphic, AssignCopiesPixelsAndImageProperties) {
  TPNGGraphic a, b;
  Load(a, MakePng(1, 1, 16, 2, {{0xFF, 0xFF, 0x80, 0x00, 0, 0}}));
  b.Assign(&a);
  EXPECT_EQ(b.ImageProperties().BitsPerSample, 16);
  EXPECT_EQ(static_cast<uint8_t*>(b.ScanLine(0))[2], 255);
  EXPECT_EQ(static_cast<uint8_t*>(b.ScanLine(0))[1], 127);
}

// Draws the graphic onto a white 32-bit canvas and reads a pixel (blue,
// green, red).
Bytes DrawnPixel(TPNGGraphic& g, const fw::TRect& r, int x, int y) {
  fw::TBitmap target;
  target.SetPixelFormat(fw::pf32bit);
  target.SetSize(8, 8);
  target.Canvas()->Brush()->SetColor(fw::clWhite);
  target.Canvas()->FillRect(fw::Rect(0, 0, 8, 8));
  target.Canvas()->StretchDraw(r, &g);
  auto* p = static_cast<uint8_t*>(target.ScanLine(y)) + 4 * x;
  return Bytes(p, p + 3);
}

TEST(PNGGraphic, ThirtyTwoBitImagesDrawBlendedAtTheirSizeAndStretched) {
  TPNGGraphic g;
  Load(g, MakePng(2, 1, 8, 6, {{255, 0, 0, 128, 0, 0, 255, 0}}));
  // Half-covering red over white: red stays, green and blue halve.
  EXPECT_EQ(DrawnPixel(g, fw::Rect(1, 1, 3, 2), 1, 1), (Bytes{127, 127, 255}));
  EXPECT_EQ(DrawnPixel(g, fw::Rect(1, 1, 3, 2), 2, 1), (Bytes{255, 255, 255}));  // alpha 0
  EXPECT_EQ(DrawnPixel(g, fw::Rect(0, 0, 4, 2), 1, 1), (Bytes{127, 127, 255}));  // stretched twice
  EXPECT_EQ(DrawnPixel(g, fw::Rect(0, 0, 4, 2), 3, 0), (Bytes{255, 255, 255}));
}

TEST(PNGGraphic, ZeroTransparentWhiteOnBitmaps) {
  fw::TBitmap b;
  b.SetPixelFormat(fw::pf32bit);
  b.SetSize(2, 1);
  const uint32_t px[2] = {0x00FFFFFF, 0x01FFFFFF};
  std::memcpy(b.ScanLine(0), px, 8);
  ZeroTransparentWhite(&b);
  uint32_t out[2];
  std::memcpy(out, b.ScanLine(0), 8);
  EXPECT_EQ(out[0], 0u);
  EXPECT_EQ(out[1], 0x01FFFFFFu);
}

}  // namespace
}  // namespace skin
