#include "app/image_routines.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "fw/core/exceptions.h"
#include "fw/core/streams.h"
#include "fw/graphics/metafile.h"
#include "fw/graphics/picture.h"

using namespace app;
using fw::TBitmap;

namespace {

std::unique_ptr<TBitmap> MakeBitmap(int w, int h, fw::TPixelFormat pf = fw::pf24bit) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf);
  b->SetSize(w, h);
  return b;
}

}  // namespace

TEST(BitmapRows, ReadTheSamePixelsAsTheCanvas) {
  for (fw::TPixelFormat pf : {fw::pf24bit, fw::pf32bit}) {
    auto b = MakeBitmap(5, 3, pf);
    fw::TCanvas* c = b->Canvas();
    c->SetPixel(0, 0, 0x0000FF);
    c->SetPixel(4, 2, 0x00FF00);
    c->SetPixel(2, 1, 0x123456);
    const PixelView v = BitmapPixels(b.get());
    ASSERT_EQ(v.Width, 5);
    ASSERT_EQ(v.Height, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(v.ColorAt(x, y), c->Pixel(x, y)) << x << "," << y << " pf " << pf;
  }
  auto empty = MakeBitmap(0, 0);
  EXPECT_TRUE(BitmapPixels(empty.get()).Empty());
  auto paletted = MakeBitmap(4, 4, fw::pf8bit);
  EXPECT_THROW(BitmapPixels(paletted.get()), fw::EInvalidGraphic);
}

TEST(BitmapRoutines, InvertChecksTheFormatAndHandlesOneRow) {
  auto row = MakeBitmap(3, 1);
  row->Canvas()->SetPixel(1, 0, 0x000000);
  InvertImage(row.get());
  EXPECT_EQ(row->Canvas()->Pixel(0, 0), 0x000000);
  EXPECT_EQ(row->Canvas()->Pixel(1, 0), 0xFFFFFF);

  auto b32 = MakeBitmap(2, 2, fw::pf32bit);
  InvertImage(b32.get());
  EXPECT_EQ(BitmapPixels(b32.get()).ColorAt(1, 1), 0x000000);

  auto b8 = MakeBitmap(2, 2, fw::pf8bit);
  try {
    InvertImage(b8.get());
    FAIL() << "no error for an 8-bit bitmap";
  } catch (const fw::Exception& e) {
    EXPECT_EQ(e.Message(), u"Error, Format File not soported!");
  }
}

TEST(BitmapRoutines, CropGlyphInPlaceAndFilterSizes) {
  auto b = MakeBitmap(10, 8);
  b->Canvas()->SetPixel(2, 1, 0);  // left run
  b->Canvas()->SetPixel(6, 3, 0);  // right run: kept
  b->Canvas()->SetPixel(7, 5, 0);
  CropGlyphInPlace(b.get());
  EXPECT_EQ(b->Width(), 2);
  EXPECT_EQ(b->Height(), 3);
  EXPECT_EQ(b->Canvas()->Pixel(0, 0), 0x000000);
  EXPECT_EQ(b->Canvas()->Pixel(1, 2), 0x000000);
  EXPECT_EQ(b->Canvas()->Pixel(1, 0), 0xFFFFFF);

  auto blank = MakeBitmap(4, 4);
  CropGlyphInPlace(blank.get());
  EXPECT_TRUE(blank->Empty());

  const TKernel3x3 edge = {{{-1, -1, -1}, {-1, 8, -1}, {-1, -1, -1}}};
  auto three = MakeBitmap(3, 3);
  auto one = Convolve3x3(three.get(), edge, 0);
  EXPECT_EQ(one->Width(), 1);
  EXPECT_EQ(one->Height(), 1);
  EXPECT_EQ(one->PixelFormat(), fw::pf24bit);
  EXPECT_EQ(one->Canvas()->Pixel(0, 0), 0x000000);
  auto two = MakeBitmap(2, 7);
  EXPECT_TRUE(Convolve3x3(two.get(), edge, 0)->Empty());

  auto src = MakeBitmap(100, 50);
  auto [w, h] = RotatedSize(src.get(), 90, 100);
  EXPECT_EQ(w, 50);
  EXPECT_EQ(h, 100);

  // HSV adjustment makes a new bitmap of the source's size and format.
  auto hsv = AdjustHsv(src.get(), 0, 0, 255);
  EXPECT_EQ(hsv->Width(), 100);
  EXPECT_EQ(hsv->PixelFormat(), fw::pf24bit);
  EXPECT_EQ(hsv->Canvas()->Pixel(3, 3), 0x000000);  // white: value 255 - 255
}

namespace {

fw::String TempPath(const char16_t* name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return FromW(dir) + name;
}

void WriteBytes(const fw::String& path, const std::string& bytes) {
  fw::TFileStream f(path, fw::fmCreate);
  f.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

}  // namespace

TEST(LoadPicture, MissingFilesShowARedCrossAndUnknownEndingsAreRefused) {
  auto cross = LoadPictureAsBitmap(TempPath(u"no-such-picture.bmp"));
  ASSERT_EQ(cross->Width(), 32);
  ASSERT_EQ(cross->Height(), 32);
  EXPECT_EQ(cross->PixelFormat(), fw::pf24bit);
  fw::TCanvas* c = cross->Canvas();
  for (auto [x, y] : {std::pair{2, 2}, std::pair{15, 15}, std::pair{28, 28}, std::pair{2, 29}, std::pair{29, 2}})
    EXPECT_EQ(c->Pixel(x, y), 0x0000FF) << x << "," << y;
  EXPECT_EQ(c->Pixel(15, 2), 0xFFFFFF);
  EXPECT_EQ(c->Pixel(31, 15), 0xFFFFFF);

  // Only the last three characters name the kind: ".jpeg" is refused.
  const fw::String jpeg = TempPath(u"vestaline-picture.jpeg");
  WriteBytes(jpeg, "\xFF\xD8\xFF");
  EXPECT_THROW(LoadPictureAsBitmap(jpeg), fw::EInvalidGraphic);
  DeleteFileW(W(jpeg));
}

TEST(LoadPicture, ReadsBitmapsMetafilesAndForgivesOnlyBrokenIcons) {
  fw::RegisterPictureFormats();
  auto src = MakeBitmap(5, 4);
  src->Canvas()->SetPixel(1, 2, 0x123456);
  const fw::String bmp = TempPath(u"vestaline-picture.bmp");
  src->SaveToFile(bmp);
  auto loaded = LoadPictureAsBitmap(bmp);
  EXPECT_EQ(loaded->Width(), 5);
  EXPECT_EQ(loaded->Height(), 4);
  EXPECT_EQ(loaded->Canvas()->Pixel(1, 2), 0x123456);
  DeleteFileW(W(bmp));

  // A metafile is drawn onto a 24-bit bitmap of its size.
  fw::TMetafile meta;
  meta.SetSize(40, 30);
  {
    fw::TMetafileCanvas mc(&meta, nullptr);
    mc.Brush()->SetColor(fw::clBlack);
    mc.FillRect(fw::Rect(10, 10, 20, 20));
  }
  const fw::String emf = TempPath(u"vestaline-picture.emf");
  meta.SaveToFile(emf);
  auto drawn = LoadPictureAsBitmap(emf);
  EXPECT_EQ(drawn->PixelFormat(), fw::pf24bit);
  EXPECT_EQ(drawn->Width(), meta.Width());
  EXPECT_EQ(drawn->Height(), meta.Height());
  EXPECT_EQ(drawn->Canvas()->Pixel(15, 15), 0x000000);
  EXPECT_EQ(drawn->Canvas()->Pixel(2, 2), 0xFFFFFF);
  DeleteFileW(W(emf));

  const fw::String ico = TempPath(u"vestaline-broken.ico");
  WriteBytes(ico, "not an icon at all");
  auto empty = LoadPictureAsBitmap(ico);
  EXPECT_TRUE(empty->Empty());
  DeleteFileW(W(ico));

  const fw::String gif = TempPath(u"vestaline-broken.gif");
  WriteBytes(gif, "GIF89a broken");
  EXPECT_ANY_THROW(LoadPictureAsBitmap(gif));
  DeleteFileW(W(gif));
}

TEST(LoadPicture, ImageFileGoesIntoThePictureAsATwentyFourBitCopy) {
  auto src = MakeBitmap(6, 3, fw::pf32bit);
  src->Canvas()->SetPixel(5, 2, 0x00FF00);
  const fw::String bmp = TempPath(u"vestaline-control.bmp");
  src->SaveToFile(bmp);
  ImageFileName = bmp;
  fw::TPicture picture;
  LoadImageIntoControl(&picture);
  TBitmap* shown = picture.Bitmap();
  EXPECT_EQ(shown->Width(), 6);
  EXPECT_EQ(shown->Height(), 3);
  EXPECT_EQ(shown->PixelFormat(), fw::pf24bit);
  EXPECT_EQ(shown->Canvas()->Pixel(5, 2), 0x00FF00);
  DeleteFileW(W(bmp));

  // A missing file shows the red cross.
  ImageFileName = TempPath(u"vestaline-missing.bmp");
  LoadImageIntoControl(&picture);
  EXPECT_EQ(picture.Width(), 32);
  ImageFileName.clear();
}
