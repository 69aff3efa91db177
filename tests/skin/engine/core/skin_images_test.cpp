#include "skin/engine/core/skin_images.h"

#include <gtest/gtest.h>

#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/skin_data.h"

namespace skin {
namespace {

TEST(SkinImages, BitmapsGetAlphaFromTheKeyColourAndPngKeepsItsOwn) {
  TPixelBuffer rgb(TPixelFormat::pf32bit, 3, 2);
  TPixelView32 v = View32(rgb);
  v.Pixel(0, 0) = clSkinKey;
  v.Pixel(1, 0) = 0x00FF00FE;  // next to the key: opaque
  v.Pixel(2, 1) = 0x00102030;
  TPixelBuffer bmp = DecodeSkinBitmap(EncodeBitmap24(rgb));
  TPixelView32 b = View32(bmp);
  EXPECT_EQ(b.Pixel(0, 0), clSkinKey);
  EXPECT_EQ(b.Pixel(1, 0), 0xFFFF00FEu);
  EXPECT_EQ(b.Pixel(2, 1), 0xFF102030u);

  TPixelBuffer grey(TPixelFormat::pf8bit, 5, 3);
  grey.ScanLine(1)[3] = 200;
  TPixelBuffer fromGrey = DecodeSkinBitmap(EncodeBitmap8Grey(grey));
  EXPECT_EQ(View32(fromGrey).Pixel(3, 1), 0xFFC8C8C8u);
  EXPECT_EQ(View32(fromGrey).Pixel(0, 0), 0xFF000000u);

  v.Pixel(1, 1) = 0x80112233;
  TPixelBuffer png = DecodeSkinPng(EncodePngRGBA(rgb));
  EXPECT_EQ(View32(png).Pixel(1, 1), 0x80112233u);
  EXPECT_EQ(View32(png).Pixel(0, 0), clSkinKey);  // alpha as stored: 0
}

TEST(SkinImages, ImagesPastTheSkinLimitsAreRefusedBeforeDecoding) {
  TPixelBuffer small(TPixelFormat::pf32bit, 2, 2);
  std::vector<uint8_t> wide = EncodeBitmap24(small);
  wide[18] = 0x10;  // width 10000 in the info header
  wide[19] = 0x27;
  EXPECT_THROW(DecodeSkinBitmap(wide), ESkinError);
  std::vector<uint8_t> tall = EncodePngRGBA(small);
  tall[20] = 0x01;  // height 2 + 16M in the header
  EXPECT_THROW(DecodeSkinPng(tall), ESkinError);
  EXPECT_THROW(DecodeSkinBitmap({'B', 'M', 1, 2}), fw::Exception);
  EXPECT_THROW(DecodeSkinJpeg({0xFF, 0xD8, 0xFF}), fw::Exception);
}

}  // namespace
}  // namespace skin
