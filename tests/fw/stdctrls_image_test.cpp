// The image control: a picture from a form description is drawn where
// stretch, proportional and centre put it, auto size follows the picture,
// and a transparent picture lets the parent show through.
#include <gtest/gtest.h>

#include "bitmap_test_util.h"
#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "fw/stdctrls/image.h"
#include "stdctrls_test_util.h"

using namespace fw;

namespace {

// A w x h 24-bit bitmap of one colour with a centred square of another.
std::unique_ptr<TBitmap> MakeBitmap(int w, int h, TColor back, TColor square, int side) {
  auto bmp = fwtest::Canvas24(w, h, back);
  bmp->Canvas()->Brush()->SetColor(square);
  bmp->Canvas()->FillRect(Bounds((w - side) / 2, (h - side) / 2, side, side));
  return bmp;
}

// The picture as the stored "Picture.Data" of a form description.
String PictureDataText(TGraphic* graphic) {
  TPicture picture;
  picture.SetGraphic(graphic);
  TMemoryStream stream;
  picture.WriteData(stream);
  String hex;
  auto* bytes = static_cast<const uint8_t*>(stream.Memory());
  for (int64_t i = 0; i < stream.Size(); ++i) hex += IntToHex(bytes[i], 2);
  return hex;
}

TEST(ImageControl, PictureFromADescriptionIsDrawnAndSizesTheControl) {
  auto bmp = MakeBitmap(30, 20, clRed, clBlue, 10);
  String text = u"object StdImage: TForm\n  Width = 200\n  Height = 100\n  Color = clWhite\n"
                u"  object Image1: TImage\n    Left = 10\n    Top = 10\n    AutoSize = True\n"
                u"    Picture.Data = {" + PictureDataText(bmp.get()) + u"}\n  end\nend\n";
  fwtest::DescribedForm<TForm> f(text.c_str());
  auto* image = f.Find<TImage>(u"Image1");
  EXPECT_EQ(image->Width(), 30);
  EXPECT_EQ(image->Height(), 20);
  auto shot = fwtest::Capture(f.form);
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 12, 12), clRed);
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 25, 20), clBlue);
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 45, 20), clWhite) << "nothing beyond the picture";
}

TEST(ImageControl, DestinationFollowsStretchProportionalAndCenter) {
  struct Case {
    int pw, ph, cw, ch;
    bool stretch, proportional, center;
    TRect expected;
  } cases[] = {
      {20, 10, 100, 100, false, false, false, Rect(0, 0, 20, 10)},
      {20, 10, 100, 100, false, false, true, Rect(40, 45, 60, 55)},
      {20, 10, 100, 50, true, false, false, Rect(0, 0, 100, 50)},
      {40, 20, 100, 100, true, true, true, Rect(0, 25, 100, 75)},
      {20, 40, 100, 100, true, true, false, Rect(0, 0, 50, 100)},
      {20, 10, 100, 100, false, true, false, Rect(0, 0, 20, 10)},  // smaller: not enlarged
      {400, 100, 100, 100, false, true, true, Rect(0, 37, 100, 62)},
  };
  fwtest::TestForm form;
  auto* image = new TImage(form.form);
  image->SetParent(form.form);
  for (const Case& c : cases) {
    image->Picture()->SetGraphic(MakeBitmap(c.pw, c.ph, clRed, clRed, 0).get());
    image->SetBounds(0, 0, c.cw, c.ch);
    image->SetStretch(c.stretch);
    image->SetProportional(c.proportional);
    image->SetCenter(c.center);
    EXPECT_EQ(image->DestRect(), c.expected) << c.pw << "x" << c.ph << " in " << c.cw << "x" << c.ch;
  }
}

TEST(ImageControl, StretchedPictureFillsTheControlAndCanvasDrawsOnItsBitmap) {
  fwtest::TestForm form(200, 100);
  form->SetColor(clWhite);
  auto* image = new TImage(form.form);
  image->SetParent(form.form);
  image->SetBounds(10, 10, 80, 40);
  image->Canvas()->Brush()->SetColor(clLime);
  image->Canvas()->FillRect(Rect(0, 0, 80, 40));
  ASSERT_NE(dynamic_cast<TBitmap*>(image->Picture()->Graphic()), nullptr);
  EXPECT_EQ(image->Picture()->Width(), 80) << "an empty picture gets a bitmap of the control's size";
  form->Show();
  auto shot = fwtest::Capture(form.form);
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 85, 45), clLime);
  image->Picture()->SetGraphic(MakeBitmap(8, 4, clBlue, clBlue, 0).get());
  image->SetStretch(true);
  shot = fwtest::Capture(form.form);
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 85, 45), clBlue);
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 95, 45), clWhite);
}

TEST(ImageControl, TransparentPictureShowsTheParentWhereItsBackgroundIs) {
  fwtest::TestForm form(100, 100);
  form->SetColor(clYellow);
  auto* image = new TImage(form.form);
  image->SetParent(form.form);
  image->SetBounds(0, 0, 40, 40);
  image->Picture()->SetGraphic(MakeBitmap(40, 40, clWhite, clRed, 10).get());
  image->SetTransparent(true);
  form->Show();
  auto shot = fwtest::Capture(form.form);
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 2, 2), clYellow) << "white, the bottom-left colour, is transparent";
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 20, 20), clRed);
  image->SetTransparent(false);
  shot = fwtest::Capture(form.form);
  EXPECT_EQ(fwtest::PixelAt(shot.get(), 2, 2), clWhite);
}

}  // namespace
