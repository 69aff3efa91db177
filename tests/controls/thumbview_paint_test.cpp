// What the view paints (through PaintTo): its colour in the gaps, raised
// thumbnails in the thumbnail colour, the selected title in the highlight
// colours, pictures at their fitted place, the drop shadow, the title band
// going with tpNone, and the scrolled picture.
#include <gtest/gtest.h>

#include "thumbview_test_util.h"

using namespace ck;
using cktest::CropFolder;
using cktest::ThumbForm;
using fwtest::Capture;
using fwtest::PixelAt;

namespace {

constexpr fw::TColor kViewColor = 15459540;
constexpr fw::TColor kThumbColor = 16244694;
constexpr fw::TColor kFirstPicture = 0x0000C0;  // imgmod_001.BMP, 30 x 40

fw::TColor Rgb(fw::TColor c) { return fw::ColorToRGB(c); }

struct PaintedView {
  CropFolder crop;
  ThumbForm f;
  explicit PaintedView(const char* name) : crop(name) { f.view->SetDirectory(crop.Dir()); }
  std::unique_ptr<fw::TBitmap> Paint() { return Capture(f.view); }
};

TEST(ThumbViewPaint, GapsThumbnailsTitlesAndPictures) {
  PaintedView p("thumb_paint");
  auto bmp = p.Paint();
  fw::TBitmap* b = bmp.get();
  // Thumbnail 0 at (4, 4) and thumbnail 1 at (4, 108), 100 x 100 each.
  EXPECT_EQ(PixelAt(b, 1, 1), kViewColor);
  EXPECT_EQ(PixelAt(b, 50, 106), kViewColor);
  // Raised: light top-left edge, dark bottom-right edge.
  EXPECT_EQ(PixelAt(b, 4, 50), Rgb(fw::clBtnHighlight));
  EXPECT_EQ(PixelAt(b, 50, 4), Rgb(fw::clBtnHighlight));
  EXPECT_EQ(PixelAt(b, 103, 50), Rgb(fw::clBtnShadow));
  EXPECT_EQ(PixelAt(b, 50, 103), Rgb(fw::clBtnShadow));
  // Body in the thumbnail colour.
  EXPECT_EQ(PixelAt(b, 14, 94), kThumbColor);
  // The selected first title in the highlight colour; the second title in
  // the thumbnail colour; the title band is lowered.
  EXPECT_EQ(PixelAt(b, 8, 12), Rgb(fw::clHighlight));
  EXPECT_EQ(PixelAt(b, 8, 12 + 104), kThumbColor);
  EXPECT_EQ(PixelAt(b, 5, 12 + 104), Rgb(fw::clBtnShadow));
  // The 30 x 40 picture at its own size, centred and moved down by 7:
  // (35, 37) in the thumbnail; a black square in its middle.
  EXPECT_EQ(PixelAt(b, 4 + 35, 4 + 37), kFirstPicture);
  EXPECT_EQ(PixelAt(b, 4 + 64, 4 + 76), kFirstPicture);
  EXPECT_EQ(PixelAt(b, 4 + 50, 4 + 57), 0x000000u);
  EXPECT_EQ(PixelAt(b, 4 + 34, 4 + 57), kThumbColor);
  EXPECT_EQ(PixelAt(b, 4 + 65, 4 + 57), kThumbColor);
  // The damaged file's thumbnail (at 4, 524: out of sight) has no picture.
  TCkThumbnail* bad = p.f.Thumb(5);
  auto badBmp = Capture(bad);
  EXPECT_EQ(PixelAt(badBmp.get(), 50, 57), kThumbColor);

  // The selection moves the highlight.
  p.f.view->SetSelected(1);
  bmp = p.Paint();
  EXPECT_EQ(PixelAt(bmp.get(), 8, 12), kThumbColor);
  EXPECT_EQ(PixelAt(bmp.get(), 8, 12 + 104), Rgb(fw::clHighlight));
}

TEST(ThumbViewPaint, ScrolledViewPaintsTheSelectionInSight) {
  PaintedView p("thumb_paint_scroll");
  p.f.view->SetSelected(4);  // at 420..520, scrolled to 420 + 100 + 50 - 300
  ASSERT_EQ(p.f.view->VertScrollBar()->Position(), 270);
  auto bmp = p.Paint();
  int top = 420 - 270;
  EXPECT_EQ(PixelAt(bmp.get(), 8, top + 8), Rgb(fw::clHighlight));
  EXPECT_EQ(PixelAt(bmp.get(), 50, top - 2), kViewColor);
  // The scroll bar takes the right edge of the view.
  EXPECT_EQ(p.f.view->ClientWidth(), 130 - GetSystemMetrics(SM_CXVSCROLL));
}

TEST(ThumbViewPaint, ShadowAndHiddenTitle) {
  PaintedView p("thumb_paint_shadow");
  p.f.view->SetShowShadow(true);
  p.f.view->SetDirectory(p.crop.Dir());
  auto bmp = p.Paint();
  // The shadow lies 3 pixels right of and below the picture (35..65 x
  // 37..77) in silver, the colour every shadow is made with.
  EXPECT_EQ(PixelAt(bmp.get(), 4 + 65, 4 + 60), Rgb(fw::clSilver));
  EXPECT_EQ(PixelAt(bmp.get(), 4 + 50, 4 + 77), Rgb(fw::clSilver));
  EXPECT_EQ(PixelAt(bmp.get(), 4 + 64, 4 + 76), kFirstPicture);
  EXPECT_EQ(PixelAt(bmp.get(), 4 + 69, 4 + 60), kThumbColor);

  // Without titles the band goes and the picture moves up to the middle.
  p.f.view->SetTitlePlacement(tpNone);
  bmp = p.Paint();
  EXPECT_EQ(PixelAt(bmp.get(), 8, 12), kThumbColor);
  EXPECT_EQ(PixelAt(bmp.get(), 4 + 35, 4 + 30), kFirstPicture);
  EXPECT_EQ(PixelAt(bmp.get(), 4 + 35, 4 + 70), kThumbColor);
  // Back to titles at the top.
  p.f.view->SetTitlePlacement(tpUp);
  bmp = p.Paint();
  EXPECT_EQ(PixelAt(bmp.get(), 8, 12), Rgb(fw::clHighlight));
  EXPECT_EQ(PixelAt(bmp.get(), 4 + 35, 4 + 37), kFirstPicture);
}

}  // namespace
