// The in-memory image, its scan-line layout and the byte-order helpers.
#include "skin/engine/core/pixel_buffer.h"
#include "skin/engine/core/pixel_view.h"

#include <gtest/gtest.h>

#include <cstring>

namespace skin {
namespace {

TEST(PixelBytes, SwapHelpers) {
  EXPECT_EQ(SwapBytes32(0x11223344u), 0x44332211u);
  EXPECT_EQ(SwapRedBlue(0x000000FFu), 0x00FF0000u);  // red colour -> red pixel
  EXPECT_EQ(SwapRedBlue(0xAA112233u), 0xAA332211u);
  EXPECT_EQ(SwapRedBlue(SwapRedBlue(0x12345678u)), 0x12345678u);
}

TEST(PixelBuffer, RowsArePaddedToFourBytesAndLaidOutTopDown) {
  struct Case {
    TPixelFormat format;
    int width, rowBytes;
  };
  const Case cases[] = {{TPixelFormat::pf1bit, 33, 8}, {TPixelFormat::pf4bit, 9, 8}, {TPixelFormat::pf8bit, 5, 8},
                        {TPixelFormat::pf24bit, 3, 12}, {TPixelFormat::pf32bit, 3, 12}};
  for (const Case& c : cases) {
    TPixelBuffer b(c.format, c.width, 3);
    EXPECT_EQ(b.RowBytes(), c.rowBytes);
    uint8_t* row0;
    ptrdiff_t distance;
    ASSERT_TRUE(GetScanLineLayout(b, row0, distance));
    EXPECT_EQ(row0, b.ScanLine(0));
    EXPECT_EQ(distance, c.rowBytes);
  }
  TPixelBuffer one(TPixelFormat::pf32bit, 4, 1);
  uint8_t* row0 = nullptr;
  ptrdiff_t distance = 99;
  ASSERT_TRUE(GetScanLineLayout(one, row0, distance));
  EXPECT_EQ(distance, 0);
  TPixelBuffer none(TPixelFormat::pf32bit, 4, 0);
  row0 = nullptr;
  EXPECT_FALSE(GetScanLineLayout(none, row0, distance));
  EXPECT_EQ(row0, nullptr);
}

TEST(PixelBuffer, ToBGRA32LooksIndexesUpAndMissingEntriesAreBlack) {
  TPixelBuffer b(TPixelFormat::pf4bit, 3, 1);
  b.Palette = {{10, 20, 30, 0}, {40, 50, 60, 0}};
  b.ScanLine(0)[0] = 0x01;  // pixels 0 and 1
  b.ScanLine(0)[1] = 0x70;  // pixel 2: index 7, past the palette
  TPixelBuffer out = b.ToBGRA32();
  const uint8_t* p = out.ScanLine(0);
  EXPECT_EQ(std::vector<uint8_t>(p, p + 12), (std::vector<uint8_t>{30, 20, 10, 255, 60, 50, 40, 255, 0, 0, 0, 255}));

  TPixelBuffer mono(TPixelFormat::pf1bit, 2, 1);
  mono.Palette = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  mono.ScanLine(0)[0] = 0x40;
  out = mono.ToBGRA32();
  EXPECT_EQ(out.ScanLine(0)[0], 0);
  EXPECT_EQ(out.ScanLine(0)[4], 255);
}

TEST(PixelBuffer, CopyChannelBothWaysClippedToTheSmallerImage) {
  TPixelBuffer b32(TPixelFormat::pf32bit, 3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) b32.ScanLine(y)[4 * x + 3] = static_cast<uint8_t>(10 * y + x);
  TPixelBuffer b8(TPixelFormat::pf8bit, 3, 2);
  CopyChannel(View32(b32), View8(b8), 3, true);
  EXPECT_EQ(b8.ScanLine(1)[2], 12);
  b8.ScanLine(0)[1] = 200;
  CopyChannel(View32(b32), View8(b8), 2, false);
  EXPECT_EQ(b32.ScanLine(0)[4 + 2], 200);
  EXPECT_EQ(b32.ScanLine(1)[8 + 2], 12);

  TPixelBuffer small(TPixelFormat::pf8bit, 1, 1);
  small.ScanLine(0)[0] = 77;
  CopyChannel(View32(b32), View8(small), 0, false);  // only pixel (0, 0)
  EXPECT_EQ(b32.ScanLine(0)[0], 77);
  EXPECT_EQ(b32.ScanLine(0)[4], 0);
  EXPECT_EQ(b32.ScanLine(1)[0], 0);
}

}  // namespace
}  // namespace skin
