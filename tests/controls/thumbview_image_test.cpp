// The thumbnail's picture control: colour curves and shifts per pixel,
// quarter turns and mirroring, reduction, saving by extension and by stream
// kind, the filter text; the file name record; pictures from streams.
#include <gtest/gtest.h>

#include "controls/base/cktypes.h"
#include "fw/graphics/icon.h"
#include "fw/graphics/metafile.h"
#include "thumbview_test_util.h"

using namespace ck;
using fw::String;
using fw::StringToUtf8;
using fw::TColor;

namespace {

// A picture control on a form (not in a thumbnail) holding a 24-bit bitmap
// whose pixels are given row by row.
struct ImageHost {
  fwtest::TestForm form{200, 200};
  TCkThumbImage* image;
  ImageHost() {
    image = new TCkThumbImage(form.form);
    image->SetParent(form.form);
  }
  void Set(int w, int h, const std::vector<TColor>& pixels) {
    fw::TBitmap bmp;
    bmp.SetPixelFormat(fw::pf24bit);
    bmp.SetSize(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        auto* p = static_cast<uint8_t*>(bmp.ScanLine(y)) + x * 3;
        TColor c = pixels[static_cast<size_t>(y * w + x)];
        p[0] = static_cast<uint8_t>(c >> 16);
        p[1] = static_cast<uint8_t>(c >> 8);
        p[2] = static_cast<uint8_t>(c);
      }
    image->Picture()->SetGraphic(&bmp);
  }
  std::vector<TColor> Pixels() {
    fw::TBitmap bmp;
    bmp.Assign(image->Picture()->Graphic());
    bmp.SetPixelFormat(fw::pf24bit);
    std::vector<TColor> r;
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x) r.push_back(fwtest::PixelAt(&bmp, x, y));
    return r;
  }
};

TColor Grey(int v) { return static_cast<TColor>(v | v << 8 | v << 16); }

struct CurveCase {
  const char* name;
  void (*apply)(TCkThumbImage*);
  std::vector<int> in, out;
};

TEST(ThumbViewImage, ColourCurvesPerPixel) {
  const CurveCase cases[] = {
      // a = 255: 0 goes to 255 * 255 div 256.
      {"lightness 100", [](TCkThumbImage* i) { i->Lightness(100); }, {0, 128, 255}, {254, 254, 255}},
      {"lightness 0", [](TCkThumbImage* i) { i->Lightness(0); }, {0, 128, 255}, {0, 128, 255}},
      // a = -128 (-127.5 goes to the even neighbour).
      {"lightness -50", [](TCkThumbImage* i) { i->Lightness(-50); }, {0, 128, 255}, {0, 64, 128}},
      {"contrast 0", [](TCkThumbImage* i) { i->Contrast(0); }, {0, 100, 255}, {0, 100, 255}},
      // a = 128: values move away from 128 by half their distance.
      {"contrast 50", [](TCkThumbImage* i) { i->Contrast(50); }, {0, 100, 128, 200}, {0, 86, 128, 236}},
      {"contrast -50", [](TCkThumbImage* i) { i->Contrast(-50); }, {0, 100, 200}, {64, 114, 164}},
      {"invert", [](TCkThumbImage* i) { i->Invert(); }, {0, 200, 255}, {255, 55, 0}},
  };
  for (const CurveCase& c : cases) {
    ImageHost h;
    std::vector<TColor> in, out;
    for (int v : c.in) in.push_back(Grey(v));
    for (int v : c.out) out.push_back(Grey(v));
    h.Set(static_cast<int>(in.size()), 1, in);
    c.apply(h.image);
    EXPECT_EQ(h.Pixels(), out) << c.name;
    EXPECT_NE(dynamic_cast<fw::TBitmap*>(h.image->Picture()->Graphic()), nullptr) << c.name;
  }

  ImageHost h;
  h.Set(2, 1, {0x5A3C1E, 0x0000FF});  // (R 30, G 60, B 90), red
  h.image->Grayscale();
  EXPECT_EQ(h.Pixels(), (std::vector<TColor>{Grey(60), Grey(85)}));
  EXPECT_FALSE(h.image->Modified());
  h.Set(1, 1, {0x64C80A});  // R 10, G 200, B 100
  h.image->ChangeRGB(10, 100, -120);
  EXPECT_EQ(h.Pixels(), (std::vector<TColor>{0x00FF14}));
  EXPECT_TRUE(h.image->Modified());
}

TEST(ThumbViewImage, OnlyBitmapsAndPhotosCanBeModified) {
  ImageHost h;
  EXPECT_FALSE(h.image->CanModify());
  h.image->Invert();  // nothing to do
  EXPECT_EQ(h.image->Picture()->Graphic(), nullptr);

  fw::TMetafile meta;
  meta.SetWidth(10);
  meta.SetHeight(10);
  {
    fw::TMetafileCanvas canvas(&meta, nullptr);
    canvas.Brush()->SetColor(fw::clRed);
    canvas.FillRect(fw::Rect(0, 0, 10, 10));
  }
  h.image->Picture()->SetGraphic(&meta);
  EXPECT_FALSE(h.image->CanModify());
  h.image->Rotate(AT90);
  h.image->ChangeRGB(1, 1, 1);
  EXPECT_NE(dynamic_cast<fw::TMetafile*>(h.image->Picture()->Graphic()), nullptr);

  h.Set(2, 2, {1, 2, 3, 4});
  EXPECT_TRUE(h.image->CanModify());
}

TEST(ThumbViewImage, TurnsAndMirrors) {
  // a b c
  // d e f
  const std::vector<TColor> src{0xA, 0xB, 0xC, 0xD, 0xE, 0xF};
  struct Case {
    const char* name;
    void (*apply)(TCkThumbImage*);
    int w, h;
    std::vector<TColor> out;
  };
  const Case cases[] = {
      {"clockwise", [](TCkThumbImage* i) { i->TurnClockwise(); }, 2, 3, {0xD, 0xA, 0xE, 0xB, 0xF, 0xC}},
      {"counter-clockwise", [](TCkThumbImage* i) { i->TurnCounterClockwise(); }, 2, 3,
       {0xC, 0xF, 0xB, 0xE, 0xA, 0xD}},
      {"mirror left-right", [](TCkThumbImage* i) { i->Mirror(mtHorizontal); }, 3, 2,
       {0xC, 0xB, 0xA, 0xF, 0xE, 0xD}},
      {"mirror top-bottom", [](TCkThumbImage* i) { i->Mirror(mtVertical); }, 3, 2, {0xD, 0xE, 0xF, 0xA, 0xB, 0xC}},
      {"half turn", [](TCkThumbImage* i) { i->Rotate(AT180); }, 3, 2, {0xF, 0xE, 0xD, 0xC, 0xB, 0xA}},
      {"angle 270", [](TCkThumbImage* i) { i->SetAngle(AT270); }, 2, 3, {0xC, 0xF, 0xB, 0xE, 0xA, 0xD}},
  };
  for (const Case& c : cases) {
    ImageHost h;
    h.Set(3, 2, src);
    c.apply(h.image);
    EXPECT_EQ(h.image->Picture()->Width(), c.w) << c.name;
    EXPECT_EQ(h.image->Picture()->Height(), c.h) << c.name;
    EXPECT_EQ(h.Pixels(), c.out) << c.name;
  }

  // Angle turns by the difference and says whether the picture differs
  // from how it was loaded.
  ImageHost h;
  h.Set(3, 2, src);
  h.image->SetAngle(AT90);
  EXPECT_EQ(h.image->Angle(), AT90);
  EXPECT_TRUE(h.image->Modified());
  h.image->SetAngle(AT180);
  EXPECT_EQ(h.Pixels(), (std::vector<TColor>{0xF, 0xE, 0xD, 0xC, 0xB, 0xA}));
  h.image->SetAngle(AT0);
  EXPECT_EQ(h.Pixels(), src);
  EXPECT_FALSE(h.image->Modified());
}

TEST(ThumbViewImage, ScaleDownInStepsAndNeverToNothing) {
  struct Case {
    int w, h, maxW, maxH, outW, outH;
    bool modified;
  };
  const Case cases[] = {
      {400, 100, 200, 200, 200, 50, true},
      {50, 20, 200, 200, 50, 20, false},  // already smaller
      {4000, 100, 100, 100, 100, 2, true},  // by 400, then 200, then 100
      // The fitted height truncates to 0; the picture keeps one row.
      {1000, 1, 200, 200, 200, 1, true},
      {0, 0, 200, 200, 0, 0, false},  // an empty picture stays as it is
      // A box of no size fits one pixel on that side.
      {400, 100, 0, 0, 1, 1, true},
      {400, 100, -5, 200, 1, 1, true},
      {400, 100, 200, 0, 4, 1, true},
  };
  for (const Case& c : cases) {
    ImageHost h;
    h.Set(c.w, c.h, std::vector<TColor>(static_cast<size_t>(c.w * c.h), 0x808080));
    h.image->ScaleDown(c.maxW, c.maxH);
    EXPECT_EQ(h.image->Picture()->Width(), c.outW) << c.w << "x" << c.h;
    EXPECT_EQ(h.image->Picture()->Height(), c.outH) << c.w << "x" << c.h;
    EXPECT_EQ(h.image->Modified(), c.modified) << c.w << "x" << c.h;
  }
}

TEST(ThumbViewImage, SavesByExtensionAndRefusesOthers) {
  fw::testing::TestFolder folder("thumb_save");
  ImageHost h;
  h.Set(2, 2, {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF});

  try {
    h.image->SaveToFile(folder / u"x.png");
    FAIL() << "no error";
  } catch (const ECKException& e) {
    EXPECT_EQ(StringToUtf8(e.Message()), "Unknown file extension .PNG");
  }

  struct Case {
    const char16_t* name;
    std::vector<uint8_t> magic;
    size_t at;
  };
  const Case cases[] = {
      {u"x.bmp", {'B', 'M'}, 0},
      {u"x.JPG", {0xFF, 0xD8}, 0},
      {u"x.jpeg", {0xFF, 0xD8}, 0},
      {u"x.emf", {' ', 'E', 'M', 'F'}, 40},
      {u"x.WMF", {0xD7, 0xCD, 0xC6, 0x9A}, 0},
  };
  for (const Case& c : cases) {
    String path = folder / c.name;
    h.image->SaveToFile(path);
    std::vector<uint8_t> bytes = fw::ReadFileBytes(path);
    ASSERT_GE(bytes.size(), c.at + c.magic.size()) << StringToUtf8(c.name);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + c.at, bytes.begin() + c.at + c.magic.size()), c.magic)
        << StringToUtf8(c.name);
  }

  // Loaded from a bitmap file, changed and saved back in the same format.
  String path = folder / u"x.bmp";
  ImageHost loaded;
  loaded.image->LoadFromFile(path);
  EXPECT_EQ(StringToUtf8(loaded.image->FileName()), StringToUtf8(path));
  EXPECT_EQ(loaded.Pixels(), (std::vector<TColor>{0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF}));
  loaded.image->Invert();
  loaded.image->Save();
  ImageHost again;
  again.image->LoadFromFile(path);
  EXPECT_EQ(again.Pixels(), (std::vector<TColor>{0xFFFF00, 0xFF00FF, 0x00FFFF, 0x000000}));
}

TEST(ThumbViewImage, StreamsByKind) {
  ImageHost h;
  h.Set(3, 1, {0x0000FF, 0x00FF00, 0xFF0000});
  fw::TMemoryStream stream;
  h.image->SaveToStream(stream, grBMP);
  ASSERT_GT(stream.Size(), 0);
  fw::TMemoryStream none;
  h.image->SaveToStream(none, grPNG);
  EXPECT_EQ(none.Size(), 0);

  ImageHost back;
  stream.SetPosition(0);
  back.image->LoadFromStream(stream, grBMP);
  EXPECT_EQ(back.Pixels(), (std::vector<TColor>{0x0000FF, 0x00FF00, 0xFF0000}));
  stream.SetPosition(0);
  back.image->LoadFromStream(stream, grPNG);
  EXPECT_EQ(stream.Position(), 0);
  EXPECT_EQ(back.image->Picture()->Width(), 3);
}

TEST(ThumbViewImage, FilterNamesPcxAndTarga) {
  String f = TCkThumbImage::GetFilter();
  String plain = fw::GraphicFilter(fw::TGraphic::StaticClass());
  size_t paren = plain.find(u'(');
  ASSERT_NE(paren, String::npos);
  String expected = plain;
  expected.insert(paren + 1, u"*.pcx;*.tga;");
  expected.insert(expected.find(u'|') + 1, u"*.pcx;*.tga;");
  expected += u"|PCX Files(*.pcx)|*.pcx|Targa Files(*.tga)|*.tga";
  EXPECT_EQ(StringToUtf8(f), StringToUtf8(expected));
  EXPECT_EQ(StringToUtf8(f.substr(0, 17)), "All (*.pcx;*.tga;");
}

TEST(ThumbViewImage, FileNameRecordReadsTheNamesOfTheFile) {
  fw::testing::TestFolder folder("thumb_filename");
  String path = folder / u"a long picture name.bmp";
  cktest::WriteBitmapFile(path, 4, 4, fw::clRed);
  TFileName name;
  name.SetFileName(path);
  EXPECT_EQ(StringToUtf8(name.LongName()), "a long picture name.bmp");
  EXPECT_FALSE(name.ShortName().empty());
  EXPECT_EQ(name.Length(), static_cast<int>(path.size()));
  name.SetLength(3);
  EXPECT_EQ(StringToUtf8(name.FileName()), StringToUtf8(path.substr(0, 3)));
  TFileName missing;
  missing.SetFileName(folder / u"nothing.bmp");
  EXPECT_TRUE(missing.LongName().empty());
}

TEST(ThumbViewImage, PicturesFromStreams) {
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf24bit);
  bmp.SetSize(50, 20);
  fw::TMemoryStream stream;
  bmp.SaveToStream(stream);

  // Into the view, under a title.
  cktest::ThumbForm f;
  stream.SetPosition(0);
  int index = f.view->AddFromStream(stream, grBMP, u"from a stream");
  EXPECT_EQ(index, 0);
  EXPECT_EQ(f.view->Count(), 1);
  TCkThumbnail* t = f.Thumb(0);
  EXPECT_EQ(StringToUtf8(t->Title()), "from a stream");
  EXPECT_EQ(t->StreamFileType(), grBMP);
  EXPECT_EQ(t->Photo()->BoundsRect(), fw::Bounds(25, 47, 50, 20));
  EXPECT_EQ(t->BoundsRect(), fw::Bounds(4, 4, 100, 100));

  // Written to a thumbnail's Stream, a smaller picture grows to the box of
  // the thumbnail (120 x 120 outside a view).
  fwtest::TestForm form;
  auto* lone = new TCkThumbnail(form.form);
  lone->SetParent(form.form);
  stream.SetPosition(0);
  lone->SetStream(&stream);
  EXPECT_EQ(lone->Photo()->Picture()->Width(), 120);
  EXPECT_EQ(lone->Photo()->Picture()->Height(), 48);
}

}  // namespace
