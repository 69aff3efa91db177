#include "fw/platform/clipboard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace fw {
namespace {

// A 3 x 2 top-down DIB section of the given depth with distinct pixels.
HBITMAP MakeBitmap(int bpp, void** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = 3;
  bi.bmiHeader.biHeight = -2;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(bpp);
  return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

COLORREF PixelOf(HBITMAP bmp, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

TEST(Clipboard, TextRoundTripAndClear) {
  const String text = u"Vestaline \u00e4\u4e2d\r\nline two";
  Clipboard().SetAsText(text);
  EXPECT_TRUE(Clipboard().HasFormat(CF_UNICODETEXT));
  EXPECT_EQ(Clipboard().AsText(), text);
  Clipboard().Clear();
  EXPECT_FALSE(Clipboard().HasFormat(CF_UNICODETEXT));
  EXPECT_EQ(Clipboard().AsText(), u"");
}

TEST(Clipboard, FormatsSetWhileOpenStayTogether) {
  const UINT custom = RegisterClipboardFormatW(L"Vestaline test format");
  const char data[] = "raw";
  Clipboard().Open();
  Clipboard().SetAsText(u"both");
  Clipboard().SetBuffer(custom, data, sizeof data);
  Clipboard().Close();
  EXPECT_TRUE(Clipboard().HasFormat(custom));
  EXPECT_EQ(Clipboard().AsText(), u"both");
  // A later single change replaces everything.
  Clipboard().SetAsText(u"alone");
  EXPECT_FALSE(Clipboard().HasFormat(custom));
}

TEST(Clipboard, BitmapRoundTripKeepsPixels) {
  const COLORREF colours[6] = {RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                               RGB(10, 20, 30), RGB(255, 255, 255), RGB(0, 0, 0)};
  for (int bpp : {24, 32}) {
    void* bits = nullptr;
    HBITMAP src = MakeBitmap(bpp, &bits);
    ASSERT_TRUE(src);
    const int stride = ((3 * bpp + 31) / 32) * 4;
    for (int i = 0; i < 6; ++i) {
      uint8_t* p = static_cast<uint8_t*>(bits) + (i / 3) * stride + (i % 3) * (bpp / 8);
      p[0] = GetBValue(colours[i]);
      p[1] = GetGValue(colours[i]);
      p[2] = GetRValue(colours[i]);
    }
    Clipboard().SetBitmap(src);
    EXPECT_TRUE(Clipboard().HasFormat(CF_DIB)) << bpp;
    EXPECT_TRUE(Clipboard().HasFormat(CF_BITMAP)) << bpp;
    HBITMAP got = Clipboard().GetBitmap();
    ASSERT_TRUE(got) << bpp;
    BITMAP bm{};
    GetObjectW(got, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(bm.bmBitsPixel, bpp);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(PixelOf(got, i % 3, i / 3), colours[i]) << bpp << " " << i;
    DeleteObject(got);
    DeleteObject(src);
  }
  Clipboard().SetAsText(u"no bitmap");
  EXPECT_EQ(Clipboard().GetBitmap(), nullptr);
  EXPECT_THROW(Clipboard().SetBitmap(nullptr), EClipboardException);
}

// A DIB block as another program may write it: a header, then the bytes.
void PutDibBlock(int width, int height, int bpp, DWORD compression, size_t pixelBytes) {
  std::vector<uint8_t> block(sizeof(BITMAPINFOHEADER) + pixelBytes, 0x7F);
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bpp);
  h.biCompression = compression;
  std::memcpy(block.data(), &h, sizeof h);
  Clipboard().SetBuffer(CF_DIB, block.data(), block.size());
}

TEST(Clipboard, ABitmapBlockWhosePixelRowsDoNotFitIsRefused) {
  const struct {
    const char* What;
    int Width, Height, Bpp;
    DWORD Compression;
    size_t PixelBytes;
    bool Taken;
  } kCases[] = {
      {"4000 x 4000 in a header alone", 4000, 4000, 24, BI_RGB, 0, false},
      {"one row short", 3, 2, 24, BI_RGB, 12, false},
      {"top-down one row short", 3, -2, 32, BI_RGB, 12, false},
      {"exact rows", 3, 2, 24, BI_RGB, 24, true},
      {"exact rows top-down", 3, -2, 32, BI_RGB, 24, true},
      {"depth the format has not", 3, 2, 7, BI_RGB, 64, false},
      {"a compression the clipboard does not take", 3, 2, 24, BI_JPEG, 64, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.What);
    PutDibBlock(c.Width, c.Height, c.Bpp, c.Compression, c.PixelBytes);
    HBITMAP got = Clipboard().GetBitmap();
    EXPECT_EQ(got != nullptr, c.Taken);
    if (got) DeleteObject(got);
  }
  Clipboard().Clear();
}

}  // namespace
}  // namespace fw
