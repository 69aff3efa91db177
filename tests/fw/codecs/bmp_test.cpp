// The BMP reader: header kinds, colour tables, bit fields and RLE, checked
// against the bytes present.
#include <gtest/gtest.h>

#include "fw/codecs/bmp.h"
#include "fw/core/exceptions.h"

using namespace fw;
using namespace fw::codecs;

namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

struct Dib {
  int32_t width = 1, height = 1;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t sizeImage = 0;
  uint32_t colorsUsed = 0;
  std::vector<uint8_t> table;  // colour table or masks, as stored
  std::vector<uint8_t> pixels;
};

std::vector<uint8_t> InfoDib(const Dib& d) {
  std::vector<uint8_t> v;
  Put32(v, 40);
  Put32(v, uint32_t(d.width));
  Put32(v, uint32_t(d.height));
  Put16(v, 1);
  Put16(v, d.bits);
  Put32(v, d.compression);
  Put32(v, d.sizeImage);
  Put32(v, 0);
  Put32(v, 0);
  Put32(v, d.colorsUsed);
  Put32(v, 0);
  v.insert(v.end(), d.table.begin(), d.table.end());
  v.insert(v.end(), d.pixels.begin(), d.pixels.end());
  return v;
}

std::vector<uint8_t> File(const std::vector<uint8_t>& dib, size_t pixelsAt) {
  std::vector<uint8_t> v = {'B', 'M'};
  Put32(v, uint32_t(14 + dib.size()));
  Put32(v, 0);
  Put32(v, uint32_t(14 + pixelsAt));
  v.insert(v.end(), dib.begin(), dib.end());
  return v;
}

std::vector<uint8_t> Gray(int n) {
  std::vector<uint8_t> t;
  for (int i = 0; i < n; ++i) t.insert(t.end(), {uint8_t(i), uint8_t(i), uint8_t(i), 0});
  return t;
}

}  // namespace

TEST(BmpReader, RleRunsAbsoluteRunsAndDeltasLandOnTheirPixels) {
  Dib d;
  d.width = 4;
  d.height = 2;
  d.bits = 8;
  d.compression = 1;
  d.table = Gray(256);
  // Bottom row: run of 3 x 7, then 9; top row: delta (1,0)... written as
  // end of line then absolute run 5 6 7 at x=0 and a delta.
  d.pixels = {3, 7, 1, 9, 0, 0, 0, 3, 5, 6, 7, 0, 0, 2, 1, 0, 0, 1};
  d.sizeImage = uint32_t(d.pixels.size());
  BmpImage img = DecodeDib(InfoDib(d).data(), InfoDib(d).size());
  ASSERT_EQ(img.BitCount, 8);
  const uint8_t* top = img.Row(0);
  const uint8_t* bottom = img.Row(1);
  EXPECT_EQ(std::vector<uint8_t>(bottom, bottom + 4), (std::vector<uint8_t>{7, 7, 7, 9}));
  EXPECT_EQ(std::vector<uint8_t>(top, top + 3), (std::vector<uint8_t>{5, 6, 7}));

  Dib r4 = d;
  r4.bits = 4;
  r4.compression = 2;
  r4.table = Gray(16);
  r4.pixels = {4, 0x12, 0, 0, 0, 3, 0xAB, 0xC0, 0, 1};
  r4.sizeImage = uint32_t(r4.pixels.size());
  img = DecodeDib(InfoDib(r4).data(), InfoDib(r4).size());
  EXPECT_EQ(img.Row(1)[0], 0x12);
  EXPECT_EQ(img.Row(1)[1], 0x12);
  EXPECT_EQ(img.Row(0)[0], 0xAB);
  EXPECT_EQ(img.Row(0)[1] & 0xF0, 0xC0);

  // Without the end-of-bitmap code the data is truncated.
  r4.pixels = {4, 0x12, 0, 0, 0, 3, 0xAB};
  r4.sizeImage = uint32_t(r4.pixels.size());
  EXPECT_THROW(DecodeDib(InfoDib(r4).data(), InfoDib(r4).size()), EInvalidGraphic);
}

TEST(BmpReader, BitFieldsKeepCommonLayoutsAndUnpackOthers) {
  Dib d;
  d.width = 1;
  d.bits = 16;
  d.compression = 3;
  for (uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) Put32(d.table, m);
  d.pixels = {0x1F, 0xF8, 0, 0};  // pure red in 5-6-5
  BmpImage img = DecodeDib(InfoDib(d).data(), InfoDib(d).size());
  EXPECT_EQ(img.BitCount, 16);
  EXPECT_TRUE(img.Is565);

  d.table.clear();
  for (uint32_t m : {0x0F00u, 0x00F0u, 0x000Fu}) Put32(d.table, m);  // 4-4-4
  d.pixels = {0x0F, 0x08, 0, 0};  // red 8 of 15, blue 15
  img = DecodeDib(InfoDib(d).data(), InfoDib(d).size());
  ASSERT_EQ(img.BitCount, 32);
  EXPECT_EQ(img.Row(0)[0], 255);  // blue
  EXPECT_EQ(img.Row(0)[1], 0);    // green
  EXPECT_EQ(img.Row(0)[2], 136);  // red: 8 * 255 / 15
}

TEST(BmpReader, TopDownRowsCoreHeadersAndShortPalettes) {
  Dib d;
  d.width = 1;
  d.height = -2;  // top-down
  d.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
  std::vector<uint8_t> dib = InfoDib(d);
  BmpImage img = DecodeBmp(File(dib, 40).data(), File(dib, 40).size());
  EXPECT_EQ(img.Height, 2);
  EXPECT_EQ(img.Row(0)[0], 1);
  EXPECT_EQ(img.Row(1)[0], 4);

  // OS/2 core header: 3-byte palette entries.
  std::vector<uint8_t> core;
  Put32(core, 12);
  Put16(core, 8);
  Put16(core, 1);
  Put16(core, 1);
  Put16(core, 1);
  core.insert(core.end(), {10, 20, 30, 40, 50, 60});
  core.insert(core.end(), {0x80, 0, 0, 0});
  img = DecodeDib(core.data(), core.size());
  EXPECT_EQ(img.Palette[0], 0x1E140Au);
  EXPECT_EQ(img.Palette[1], 0x3C3228u);
  EXPECT_EQ(img.Row(0)[0], 0x80);

  // Two colours used of 256: the rest is black.
  Dib p;
  p.bits = 8;
  p.colorsUsed = 2;
  p.table = {1, 2, 3, 0, 4, 5, 6, 0};
  p.pixels = {1, 0, 0, 0};
  img = DecodeDib(InfoDib(p).data(), InfoDib(p).size());
  ASSERT_EQ(img.Palette.size(), 256u);
  EXPECT_EQ(img.Palette[1], 0x060504u);
  EXPECT_EQ(img.Palette[2], 0u);
}

TEST(BmpReader, DamagedHeadersAndShortDataRaiseErrors) {
  struct Case {
    const char* name;
    Dib dib;
    const char16_t* text;
  };
  Dib big;
  big.width = 40000;
  Dib many;
  many.width = 30000;
  many.height = 30000;
  Dib jpeg;
  jpeg.compression = 4;
  Dib bits7;
  bits7.bits = 7;
  Dib shortPixels;
  shortPixels.width = 2;
  shortPixels.height = 2;
  shortPixels.pixels = {1, 2, 3, 4, 5, 6, 0, 0};
  Dib rleTopDown;
  rleTopDown.bits = 8;
  rleTopDown.compression = 1;
  rleTopDown.height = -1;
  const Case cases[] = {
      {"too wide", big, u"too large"},
      {"too many pixels", many, u"too large"},
      {"jpeg inside", jpeg, u"not supported"},
      {"bit count", bits7, u"bits per pixel"},
      {"short pixels", shortPixels, u"truncated"},
      {"top-down rle", rleTopDown, u"RLE8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> dib = InfoDib(c.dib);
    try {
      DecodeDib(dib.data(), dib.size());
      ADD_FAILURE() << "no error";
    } catch (const EInvalidGraphic& e) {
      EXPECT_NE(e.Message().find(c.text), String::npos) << e.what();
    }
  }
  std::vector<uint8_t> notBmp = {'B', 'X', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0};
  EXPECT_THROW(BmpFileLength(notBmp.data(), notBmp.size()), EInvalidGraphic);
  EXPECT_EQ(BmpFileLength(notBmp.data(), 10), 0u);
}
