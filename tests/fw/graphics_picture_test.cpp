// Picture formats: GIF, JPEG, ICO, EMF and WMF files made by the tests load,
// draw the expected pixels and fail with clear errors when damaged; the
// picture picks its format by extension and by content.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

extern "C" {
#include <jpeglib.h>
}

#include "bitmap_test_util.h"
#include "fw/codecs/gif_writer.h"
#include "fw/core/rtti.h"
#include "fw/core/streams.h"
#include "fw/graphics/gifimage.h"
#include "fw/graphics/icon.h"
#include "fw/graphics/jpeg.h"
#include "fw/graphics/metafile.h"
#include "fw/graphics/picture.h"

using namespace fw;

namespace {

struct Formats {
  Formats() { RegisterPictureFormats(); }
} registerFormats;

using fwtest::Canvas24;

bool Near(TColor a, TColor b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

String TempFile(const char16_t* name) {
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  // Worktrees share one Wine prefix: the process id keeps runs apart.
  std::string pid = std::to_string(GetCurrentProcessId());
  return FromW(dir) + u"vl_graphics_" + String(pid.begin(), pid.end()) + u"_" + name;
}

template <class F>
String ErrorText(F f) {
  try {
    f();
  } catch (const EInvalidGraphic& e) {
    return e.Message();
  }
  return u"(no error)";
}

// ---- JPEG files made with libjpeg's encoder ----

struct JpegShape {
  int w = 16, h = 16;
  J_COLOR_SPACE space = JCS_RGB;
  int comps = 3;
  bool progressive = false;
  bool adobe = true;  // for CMYK: the Adobe marker (inverted samples)
};

std::vector<uint8_t> EncodeJpeg(const JpegShape& shape, const std::vector<uint8_t>& samples) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = shape.w;
  c.image_height = shape.h;
  c.input_components = shape.comps;
  c.in_color_space = shape.space;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  if (shape.space == JCS_CMYK) c.write_Adobe_marker = shape.adobe;
  if (shape.progressive) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  for (int y = 0; y < shape.h; ++y) {
    JSAMPROW row = const_cast<uint8_t*>(samples.data()) + size_t(y) * shape.w * shape.comps;
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  std::vector<uint8_t> file(out, out + size);
  jpeg_destroy_compress(&c);
  free(out);
  return file;
}

// Left half one sample tuple, right half another.
std::vector<uint8_t> Halves(const JpegShape& s, std::vector<uint8_t> left, std::vector<uint8_t> right) {
  std::vector<uint8_t> v;
  for (int y = 0; y < s.h; ++y)
    for (int x = 0; x < s.w; ++x) {
      const auto& t = x < s.w / 2 ? left : right;
      v.insert(v.end(), t.begin(), t.end());
    }
  return v;
}

TColor JpegPixel(const std::vector<uint8_t>& file, int x, int y, TJPEGScale scale = jsFullSize) {
  TJPEGImage j;
  TMemoryStream m(file);
  j.LoadFromStream(m);
  j.SetScale(scale);
  return j.Bitmap()->Canvas()->Pixel(x, y);
}

}  // namespace

TEST(JpegImage, DecodesEveryColourLayoutWithinTolerance) {
  struct Case {
    const char* name;
    JpegShape shape;
    std::vector<uint8_t> left, right;
    TColor wantLeft, wantRight;
  };
  JpegShape rgb;
  JpegShape progressive;
  progressive.progressive = true;
  JpegShape gray;
  gray.space = JCS_GRAYSCALE;
  gray.comps = 1;
  JpegShape cmykAdobe;
  cmykAdobe.space = JCS_CMYK;
  cmykAdobe.comps = 4;
  JpegShape cmykPlain = cmykAdobe;
  cmykPlain.adobe = false;
  const Case cases[] = {
      {"baseline RGB", rgb, {255, 0, 0}, {0, 0, 255}, clRed, clBlue},
      {"progressive RGB", progressive, {0, 255, 0}, {255, 255, 255}, clLime, clWhite},
      {"greyscale", gray, {40}, {200}, 0x282828, 0xC8C8C8},
      // Inverted (Adobe) samples: 255 means no ink.
      {"CMYK Adobe inverted", cmykAdobe, {0, 255, 255, 255}, {255, 255, 255, 255}, clAqua /*cyan ink*/, clWhite},
      {"CMYK plain", cmykPlain, {0, 255, 255, 0}, {0, 0, 0, 255}, clRed, clBlack},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> file = EncodeJpeg(c.shape, Halves(c.shape, c.left, c.right));
    EXPECT_TRUE(Near(JpegPixel(file, 2, 8), c.wantLeft, 12)) << std::hex << JpegPixel(file, 2, 8);
    EXPECT_TRUE(Near(JpegPixel(file, 13, 8), c.wantRight, 12)) << std::hex << JpegPixel(file, 13, 8);
  }
}

TEST(JpegImage, ScaleShrinksTheDecodedSizeAndCompressRoundTrips) {
  JpegShape s;
  s.w = 40;
  s.h = 24;
  std::vector<uint8_t> file = EncodeJpeg(s, Halves(s, {255, 0, 0}, {0, 255, 0}));
  TJPEGImage j;
  TMemoryStream m(file);
  j.LoadFromStream(m);
  EXPECT_EQ(j.Width(), 40);
  j.SetScale(jsQuarter);
  EXPECT_EQ(j.Width(), 10);
  EXPECT_EQ(j.Height(), 6);
  EXPECT_EQ(j.Bitmap()->Width(), 10);
  EXPECT_TRUE(Near(j.Bitmap()->Canvas()->Pixel(1, 1), clRed, 16));

  // A bitmap compressed and read back keeps its colours.
  auto bmp = Canvas24(16, 16, clBlue);
  TJPEGImage out;
  out.Assign(bmp.get());
  out.SetCompressionQuality(75);
  TMemoryStream saved;
  out.SaveToStream(saved);
  EXPECT_EQ(saved.Memory()[0], 0xFF);
  EXPECT_TRUE(Near(JpegPixel(saved.Bytes(), 8, 8), clBlue, 12));
}

TEST(JpegImage, DamagedDataRaisesInvalidGraphic) {
  JpegShape s;
  s.w = 64;
  s.h = 64;
  std::vector<uint8_t> file = EncodeJpeg(s, Halves(s, {1, 2, 3}, {200, 100, 50}));
  std::vector<uint8_t> cut(file.begin(), file.begin() + file.size() / 2);
  EXPECT_NE(ErrorText([&] { JpegPixel(cut, 0, 0); }).find(u"truncated"), String::npos);
  std::vector<uint8_t> headerOnly(file.begin(), file.begin() + 20);
  EXPECT_NE(ErrorText([&] { JpegPixel(headerOnly, 0, 0); }).find(u"JPEG image"), String::npos);
  std::vector<uint8_t> garbage = {0xFF, 0xD8, 0xFF, 0x00, 1, 2, 3};
  EXPECT_NE(ErrorText([&] { JpegPixel(garbage, 0, 0); }).find(u"JPEG image"), String::npos);
  // Corrupt the start-of-frame size: too large.
  std::vector<uint8_t> huge = file;
  for (size_t i = 2; i + 8 < huge.size(); ++i)
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 7] = 0x90;  // width 36864
      huge[i + 8] = 0x00;
      break;
    }
  EXPECT_NE(ErrorText([&] { JpegPixel(huge, 0, 0); }).find(u"too large"), String::npos)
      << StringToUtf8(ErrorText([&] { JpegPixel(huge, 0, 0); }));
}

TEST(GifImage, DrawsItsPixelsAndLeavesTheTransparentColourOut) {
  fw::testing::GifFrame f;
  f.Width = 3;
  f.Height = 2;
  f.Indices = {0, 1, 2, 2, 1, 0};
  f.Transparent = 2;
  // Palette entry 2 has the same colour as entry 0: only index 2 is clear.
  std::vector<uint8_t> file = fw::testing::WriteGif(3, 2, {0xFF0000, 0x00FF00, 0xFF0000, 0}, {f});
  TGIFImage gif;
  TMemoryStream m(file);
  gif.LoadFromStream(m);
  EXPECT_EQ(gif.Width(), 3);
  EXPECT_TRUE(gif.Transparent());
  auto dst = Canvas24(3, 2, clBlue);
  dst->Canvas()->Draw(0, 0, &gif);
  TCanvas* c = dst->Canvas();
  EXPECT_EQ(c->Pixel(0, 0), clRed);
  EXPECT_EQ(c->Pixel(1, 0), clLime);
  EXPECT_EQ(c->Pixel(2, 0), clBlue);
  EXPECT_EQ(c->Pixel(0, 1), clBlue);
  EXPECT_EQ(c->Pixel(2, 1), clRed);
  // Stretched to twice the size, pixel for pixel.
  auto big = Canvas24(6, 4, clBlue);
  big->Canvas()->StretchDraw(Rect(0, 0, 6, 4), &gif);
  EXPECT_EQ(big->Canvas()->Pixel(3, 1), clLime);
  EXPECT_EQ(big->Canvas()->Pixel(5, 1), clBlue);

  std::vector<uint8_t> damaged(file.begin(), file.end() - 6);
  TMemoryStream dm(damaged);
  EXPECT_NE(ErrorText([&] { gif.LoadFromStream(dm); }).find(u"GIF image is truncated"), String::npos);
}

namespace {

// The header of an ICO entry's image: size x size pixels of the given bit
// depth, the AND mask below them (twice the height).
std::vector<uint8_t> IcoImageHeader(int size, int bits) {
  std::vector<uint8_t> img(40, 0);
  BITMAPINFOHEADER bi{};
  bi.biSize = 40;
  bi.biWidth = size;
  bi.biHeight = size * 2;
  bi.biPlanes = 1;
  bi.biBitCount = static_cast<WORD>(bits);
  std::memcpy(img.data(), &bi, 40);
  return img;
}

// An ICO file with a 16x16 and a 32x32 32-bit entry of one colour each;
// the 32x32 one has its top-left quarter masked out.
std::vector<uint8_t> MakeIco() {
  std::vector<uint8_t> f = {0, 0, 1, 0, 2, 0};
  std::vector<std::vector<uint8_t>> images;
  for (int size : {16, 32}) {
    std::vector<uint8_t> img = IcoImageHeader(size, 32);
    for (int y = 0; y < size; ++y)  // bottom-up rows
      for (int x = 0; x < size; ++x) {
        bool hidden = size == 32 && x < 16 && y >= 16;
        uint8_t a = hidden ? 0 : 255;
        if (size == 16) img.insert(img.end(), {0, 0, 255, a});  // red
        else img.insert(img.end(), {0, 255, 0, a});             // green
      }
    int andRow = ((size + 31) / 32) * 4;
    for (int y = 0; y < size; ++y)
      for (int i = 0; i < andRow; ++i) {
        bool hiddenRow = size == 32 && y >= 16;
        img.push_back(hiddenRow && i < 2 ? 0xFF : 0x00);
      }
    images.push_back(img);
  }
  uint32_t offset = 6 + 16 * 2;
  for (size_t i = 0; i < images.size(); ++i) {
    uint8_t e[16] = {uint8_t(i == 0 ? 16 : 32), uint8_t(i == 0 ? 16 : 32), 0, 0, 1, 0, 32, 0};
    uint32_t size = uint32_t(images[i].size());
    std::memcpy(e + 8, &size, 4);
    std::memcpy(e + 12, &offset, 4);
    f.insert(f.end(), e, e + 16);
    offset += size;
  }
  for (auto& img : images) f.insert(f.end(), img.begin(), img.end());
  return f;
}

}  // namespace

TEST(Icon, LoadsTheSystemSizeEntryAndDrawsThroughItsMask) {
  TIcon icon;
  std::vector<uint8_t> file = MakeIco();
  TMemoryStream m(file);
  icon.LoadFromStream(m);
  EXPECT_EQ(m.Position(), m.Size());
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_EQ(icon.Height(), 32);
  auto dst = Canvas24(32, 32, clBlue);
  dst->Canvas()->Draw(0, 0, &icon);
  EXPECT_EQ(dst->Canvas()->Pixel(20, 20), clLime);
  EXPECT_EQ(dst->Canvas()->Pixel(2, 2), clBlue);
  EXPECT_THROW(icon.SetWidth(10), EInvalidGraphic);

  TMemoryStream saved;
  icon.SaveToStream(saved);
  EXPECT_EQ(saved.Bytes(), file);

  std::vector<uint8_t> cut(file.begin(), file.end() - 100);
  TMemoryStream cm(cut);
  EXPECT_NE(ErrorText([&] { TIcon().LoadFromStream(cm); }).find(u"Icon image is truncated"), String::npos);
  std::vector<uint8_t> badOffset = file;
  badOffset[6 + 12] = 0xF0;  // first entry far past the end
  badOffset[6 + 13] = 0xFF;
  TMemoryStream bm(badOffset);
  EXPECT_THROW(TIcon().LoadFromStream(bm), EInvalidGraphic);
}

TEST(Metafile, RecordsSavesAndReplaysAsEmfAndWmf) {
  TMetafile mf;
  mf.SetWidth(40);
  mf.SetHeight(20);
  {
    TMetafileCanvas c(&mf, nullptr);
    c.Brush()->SetColor(clRed);
    c.Pen()->SetColor(clRed);
    c.Rectangle(0, 0, 20, 20);
    c.Brush()->SetColor(clLime);
    c.Pen()->SetColor(clLime);
    c.Rectangle(20, 0, 40, 20);
  }
  ASSERT_FALSE(mf.Empty());
  EXPECT_EQ(mf.Width(), 40);

  auto check = [](TGraphic* g, const char* what) {
    SCOPED_TRACE(what);
    auto dst = Canvas24(40, 20, clBlue);
    dst->Canvas()->StretchDraw(Rect(0, 0, 40, 20), g);
    EXPECT_EQ(dst->Canvas()->Pixel(10, 10), clRed);
    EXPECT_EQ(dst->Canvas()->Pixel(30, 10), clLime);
  };
  check(&mf, "recorded");

  TMemoryStream emf;
  mf.SaveToStream(emf);
  emf.SetPosition(0);
  TMetafile fromEmf;
  fromEmf.LoadFromStream(emf);
  EXPECT_TRUE(fromEmf.Enhanced());
  EXPECT_NEAR(fromEmf.Width(), 40, 1);
  check(&fromEmf, "EMF");

  mf.SetEnhanced(false);
  TMemoryStream wmf;
  mf.SaveToStream(wmf);
  EXPECT_EQ(wmf.Memory()[0], 0xD7);  // placeable key
  wmf.SetPosition(0);
  TMetafile fromWmf;
  fromWmf.LoadFromStream(wmf);
  EXPECT_FALSE(fromWmf.Enhanced());
  EXPECT_NEAR(fromWmf.Width(), 40, 1);
  check(&fromWmf, "placeable WMF");

  // The same records without the placeable header.
  TMemoryStream plain(std::vector<uint8_t>(wmf.Bytes().begin() + 22, wmf.Bytes().end()));
  TMetafile fromPlain;
  fromPlain.LoadFromStream(plain);
  EXPECT_FALSE(fromPlain.Empty());

  // A WMF whose last record is cut off has no end record.
  std::vector<uint8_t> noEnd(wmf.Bytes().begin(), wmf.Bytes().end() - 6);
  uint32_t words = 0;
  std::memcpy(&words, noEnd.data() + 22 + 6, 4);
  words -= 3;
  std::memcpy(noEnd.data() + 22 + 6, &words, 4);
  TMemoryStream nm(noEnd);
  EXPECT_NE(ErrorText([&] { TMetafile().LoadFromStream(nm); }).find(u"missing end record"), String::npos);
  std::vector<uint8_t> shortEmf(emf.Bytes().begin(), emf.Bytes().begin() + 60);
  TMemoryStream sm(shortEmf);
  EXPECT_NE(ErrorText([&] { TMetafile().LoadFromStream(sm); }).find(u"truncated"), String::npos);
}

TEST(Picture, PicksTheFormatByExtensionAndByContentWhenTheExtensionLies) {
  std::vector<uint8_t> gif = fw::testing::WriteGif(2, 1, {0xFF0000, 0x0000FF}, {[] {
                                                     fw::testing::GifFrame f;
                                                     f.Width = 2;
                                                     f.Height = 1;
                                                     f.Indices = {0, 1};
                                                     return f;
                                                   }()});
  JpegShape s;
  std::vector<uint8_t> jpg = EncodeJpeg(s, Halves(s, {0, 0, 255}, {0, 0, 255}));
  auto bmp = Canvas24(3, 3, clRed);
  TMemoryStream bmpData;
  bmp->SaveToStream(bmpData);
  struct Case {
    const char16_t* name;
    std::vector<uint8_t> data;
    const char16_t* expectedClass;
  };
  const Case cases[] = {
      {u"a.gif", gif, u"TGIFImage"},          {u"b.JPG", jpg, u"TJPEGImage"},
      {u"c.bmp", bmpData.Bytes(), u"TBitmap"}, {u"d.bmp", gif, u"TGIFImage"},  // extension lies
      {u"e.gif", jpg, u"TJPEGImage"},         {u"f.dat", bmpData.Bytes(), u"TBitmap"},
      {u"g.ico", MakeIco(), u"TIcon"},
  };
  for (const Case& c : cases) {
    String path = TempFile(c.name);
    WriteFileBytes(path, c.data);
    TPicture p;
    p.LoadFromFile(path);
    ASSERT_NE(p.Graphic(), nullptr);
    EXPECT_EQ(p.Graphic()->ClassName(), c.expectedClass) << StringToUtf8(c.name);
    EXPECT_GT(p.Width(), 0);
    DeleteFileW(W(path));
  }
  String junk = TempFile(u"h.xyz");
  WriteFileBytes(junk, {1, 2, 3, 4, 5});
  TPicture p;
  EXPECT_EQ(ErrorText([&] { p.LoadFromFile(junk); }), u"Unknown picture file extension (.xyz)");
  DeleteFileW(W(junk));
}

// A picture at the start of a 3 GB file (the rest a hole that costs no
// disk): the file is read as the picture's header asks, not whole.
TEST(Picture, LoadFromFileReadsOnlyWhatThePictureNeeds) {
  auto bmp = Canvas24(3, 2, clRed);
  TMemoryStream data;
  bmp->SaveToStream(data);
  const String path = TempFile(u"tail.bmp");
  WriteFileBytes(path, data.Bytes());
  HANDLE f = CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  LARGE_INTEGER end;
  end.QuadPart = 3LL << 30;
  const bool grown = SetFilePointerEx(f, end, nullptr, FILE_BEGIN) && SetEndOfFile(f);
  CloseHandle(f);
  if (!grown) {
    DeleteFileW(W(path));
    GTEST_SKIP() << "no room for a 3 GB file";
  }
  TPicture p;
  p.LoadFromFile(path);
  ASSERT_NE(p.Graphic(), nullptr);
  EXPECT_EQ(p.Graphic()->ClassName(), u"TBitmap");
  EXPECT_EQ(p.Width(), 3);
  EXPECT_EQ(p.Height(), 2);
  DeleteFileW(W(path));
}

TEST(Picture, FilterListsRegisteredFormatsAndStoredDataRoundTrips) {
  String filter = GraphicFilter(TGraphic::StaticClass());
  EXPECT_EQ(filter.rfind(u"All (*.bmp;*.ico;*.emf;*.wmf;*.gif;*.jpg;*.jpeg", 0), 0u) << StringToUtf8(filter);
  EXPECT_NE(filter.find(u"|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"), String::npos);
  EXPECT_NE(filter.find(u"|GIF Image (*.gif)|*.gif"), String::npos);
  EXPECT_EQ(GraphicFileMask(TMetafile::StaticClass()), u"*.emf;*.wmf");
  EXPECT_EQ(GraphicExtension(TBitmap::StaticClass()), u"bmp");

  TPicture p;
  p.Bitmap()->SetPixelFormat(pf24bit);
  p.Bitmap()->SetSize(5, 4);
  p.Bitmap()->Canvas()->SetPixel(1, 1, clRed);
  TMemoryStream stored;
  p.WriteData(stored);
  EXPECT_EQ(stored.Memory()[0], 7);  // "TBitmap"
  stored.SetPosition(0);
  TPicture q;
  q.ReadData(stored);
  ASSERT_NE(dynamic_cast<TBitmap*>(q.Graphic()), nullptr);
  EXPECT_EQ(q.Bitmap()->Canvas()->Pixel(1, 1), clRed);
  EXPECT_EQ(q.Width(), 5);
  // Asking for an icon replaces the bitmap with an empty icon.
  q.Icon();
  EXPECT_EQ(q.Graphic()->ClassName(), u"TIcon");
  EXPECT_EQ(q.Width(), 0);
}

TEST(Bitmap, AssignFromOtherGraphicsDrawsThemOnWhite) {
  TIcon icon;
  std::vector<uint8_t> file = MakeIco();
  TMemoryStream m(file);
  icon.LoadFromStream(m);
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.Assign(&icon);
  EXPECT_EQ(b.Width(), 32);
  EXPECT_EQ(b.Canvas()->Pixel(2, 2), clWhite);
  EXPECT_EQ(b.Canvas()->Pixel(20, 20), clLime);
}

namespace {

// Stands in for the PNG format in icon tests: the PNG signature, an IHDR-like
// header with width and height, then straight BGRA rows from the top.
class TFakePng : public TBitmap {
  FW_CLASS(TFakePng, TBitmap)
  void LoadFromStream(TStream& stream) override {
    uint8_t head[24];
    stream.ReadBuffer(head, 24);
    int w = head[19], h = head[23];
    SetPixelFormat(pf32bit);
    SetSize(w, h);
    for (int y = 0; y < h; ++y) stream.ReadBuffer(ScanLine(y), w * 4);
  }
};

FW_REGISTER(TFakePng) {}

}  // namespace

TEST(Icon, PngEntriesGoThroughTheRegisteredPngFormat) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                              0,    0,   0,   32,  0,    0,    0,    32};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) png.insert(png.end(), {0, 0, 255, uint8_t(x < 16 ? 255 : 0)});  // red, right half clear
  std::vector<uint8_t> ico = {0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0};
  uint32_t size = uint32_t(png.size()), offset = 22;
  ico.insert(ico.end(), reinterpret_cast<uint8_t*>(&size), reinterpret_cast<uint8_t*>(&size) + 4);
  ico.insert(ico.end(), reinterpret_cast<uint8_t*>(&offset), reinterpret_cast<uint8_t*>(&offset) + 4);
  ico.insert(ico.end(), png.begin(), png.end());

  TGraphicClass before = TPicture::FileFormatClass(u"png");
  TPicture::RegisterFileFormat(u"png", u"Test PNG", TFakePng::StaticClass());
  TIcon icon;
  TMemoryStream m(ico);
  icon.LoadFromStream(m);
  // A PNG named like a bitmap is read by the PNG format, although that
  // format's class descends from the bitmap's.
  String path = TempFile(u"png_named.bmp");
  WriteFileBytes(path, png);
  TPicture picture;
  picture.LoadFromFile(path);
  DeleteFileW(W(path));
  if (before) TPicture::RegisterFileFormat(u"png", u"Portable Network Graphics", before);
  else TPicture::UnregisterGraphicClass(TFakePng::StaticClass());
  EXPECT_EQ(picture.Graphic()->ClassName(), u"TFakePng");
  EXPECT_EQ(icon.Width(), 32);
  auto dst = Canvas24(32, 32, clBlue);
  dst->Canvas()->Draw(0, 0, &icon);
  EXPECT_EQ(dst->Canvas()->Pixel(4, 4), clRed);
  EXPECT_EQ(dst->Canvas()->Pixel(28, 4), clBlue);
}

namespace {

// A one-entry 16x16 icon of the given depth: left half red, right half
// green (red too in 1 bit), top half masked out (black under the mask).
std::vector<uint8_t> MakeDepthIco(int bits) {
  const int size = 16;
  std::vector<uint8_t> img = IcoImageHeader(size, bits);
  if (bits <= 8) {
    int colors = 1 << bits;
    for (int i = 0; i < colors; ++i) {
      if (i == 1) img.insert(img.end(), {0, 0, 255, 0});       // red
      else if (i == 2) img.insert(img.end(), {0, 255, 0, 0});  // green
      else img.insert(img.end(), {0, 0, 0, 0});
    }
  }
  const int xorRow = ((size * bits + 31) / 32) * 4;
  for (int y = 0; y < size; ++y) {
    std::vector<uint8_t> row(xorRow, 0);
    for (int x = 0; x < size; ++x) {
      int index = y >= 8 ? 0 : x < 8 || bits == 1 ? 1 : 2;
      if (bits == 24) {
        uint8_t* p = &row[3 * x];
        p[0] = 0;
        p[1] = index == 2 ? 255 : 0;
        p[2] = index == 1 ? 255 : 0;
      } else {
        int bitPos = x * bits;
        row[bitPos / 8] |= uint8_t(index << (8 - bits - bitPos % 8));
      }
    }
    img.insert(img.end(), row.begin(), row.end());
  }
  const int andRow = 4;
  for (int y = 0; y < size; ++y)  // bottom-up: rows 8..15 are the top half
    for (int i = 0; i < andRow; ++i) img.push_back(y >= 8 && i < 2 ? 0xFF : 0x00);
  std::vector<uint8_t> f = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, uint8_t(bits), 0};
  uint32_t n = uint32_t(img.size()), offset = 22;
  f.insert(f.end(), reinterpret_cast<uint8_t*>(&n), reinterpret_cast<uint8_t*>(&n) + 4);
  f.insert(f.end(), reinterpret_cast<uint8_t*>(&offset), reinterpret_cast<uint8_t*>(&offset) + 4);
  f.insert(f.end(), img.begin(), img.end());
  return f;
}

}  // namespace

TEST(Icon, EveryPaletteAndTrueColourDepthDrawsThroughItsMask) {
  for (int bits : {1, 4, 8, 24}) {
    SCOPED_TRACE(bits);
    TIcon icon;
    TMemoryStream m(MakeDepthIco(bits));
    icon.LoadFromStream(m);
    ASSERT_EQ(icon.Width(), 16);
    auto dst = Canvas24(16, 16, clBlue);
    dst->Canvas()->Draw(0, 0, &icon);
    EXPECT_EQ(dst->Canvas()->Pixel(2, 12), clRed);
    EXPECT_EQ(dst->Canvas()->Pixel(12, 12), bits == 1 ? clRed : clLime);
    EXPECT_EQ(dst->Canvas()->Pixel(2, 2), clBlue);
  }
}
