// Where thumbnails go: the grid positions of each scroll mode and view
// alignment, the count per line, the picture fitted into its cell under
// each title placement, the title's rules, and the shared size routines.
#include <gtest/gtest.h>

#include "fw/core/sysutils.h"
#include "fw/graphics/jpeg.h"
#include "thumbview_test_util.h"

using namespace ck;
using cktest::CropFolder;
using fw::String;
using fw::StringToUtf8;

namespace {

// A bare view of the given size on a shown form.
struct BareView {
  fwtest::TestForm form{700, 700};
  TCkThumbView* view;
  BareView(int w, int h, TScrollMode mode, TViewType align = vtNormal, int size = 50) {
    view = new TCkThumbView(form.form);
    view->SetParent(form.form);
    view->SetBorderStyle(fw::bsNone);
    view->SetBounds(0, 0, w, h);
    view->SetScrollMode(mode);
    view->SetAlignView(align);
    view->SetSize(size);
    form->Show();
  }
};

struct GridCase {
  const char* name;
  TScrollMode mode;
  TViewType align;
  int w, h;
  int count;  // thumbnails in the view (the square grid counts them)
  int n;      // 1-based grid position
  int maxX, left, top;
};

TEST(ThumbViewLayout, GridPositionsOfEachModeAndAlignment) {
  const GridCase cases[] = {
      {"one column, first", smVertical, vtNormal, 130, 400, 3, 1, 1, 4, 4},
      {"one column, third", smVertical, vtNormal, 130, 400, 3, 3, 1, 4, 212},
      {"two columns, second", smVertical, vtNormal, 300, 400, 3, 2, 2, 108, 4},
      {"two columns, third", smVertical, vtNormal, 300, 400, 3, 3, 2, 4, 108},
      // (300 - 20) div 2 - (104 * 2) div 2 = 36 to the right.
      {"centred across", smVertical, vtCenter, 300, 400, 3, 1, 2, 40, 4},
      // The gap across becomes (300 - 20 - 2 * 100) div 3 = 26; down it stays 4.
      {"fitted across, first", smVertical, vtFitToScreen, 300, 400, 3, 1, 2, 26, 4},
      {"fitted across, fourth", smVertical, vtFitToScreen, 300, 400, 4, 4, 2, 152, 108},
      {"sideways, first", smHorizontal, vtNormal, 400, 230, 3, 1, 2, 4, 4},
      {"sideways, second", smHorizontal, vtNormal, 400, 230, 3, 2, 2, 4, 108},
      {"sideways, third", smHorizontal, vtNormal, 400, 230, 3, 3, 2, 108, 4},
      // (230 - 20) div 2 - (2 * 100) div 2 = 5 down: the gaps are not counted.
      {"sideways centred", smHorizontal, vtCenter, 400, 230, 3, 1, 2, 4, 9},
      // (230 - 20 - 104 * 2) div 3 = 0: the gaps are counted here.
      {"sideways fitted", smHorizontal, vtFitToScreen, 400, 230, 3, 2, 2, 4, 100},
      // ceil(sqrt(10)) = 4 a row.
      {"square grid of ten, fifth", smBoth, vtNormal, 400, 400, 10, 5, 4, 4, 108},
      {"square grid of ten, fourth", smBoth, vtNormal, 400, 400, 10, 4, 4, 316, 4},
      {"too small for one", smVertical, vtNormal, 60, 400, 2, 2, 1, 4, 108},
  };
  for (const GridCase& c : cases) {
    BareView b(c.w, c.h, c.mode, c.align);
    for (int i = 0; i < c.count; ++i) b.view->AddThumb(u"t" + fw::IntToStr(i), true);
    EXPECT_EQ(b.view->MaxX(), c.maxX) << c.name;
    EXPECT_EQ(b.view->ThumbLeft(c.n), c.left) << c.name;
    EXPECT_EQ(b.view->ThumbTop(c.n), c.top) << c.name;
    // The thumbnail there sits at that place (the view is scrolled to 0).
    TCkThumbnail* t = b.view->ThumbList()->GetThumbnail(c.n - 1);
    EXPECT_EQ(t->Left(), c.left) << c.name;
    EXPECT_EQ(t->Top(), c.top) << c.name;
    EXPECT_EQ(t->Width(), 100) << c.name;
    EXPECT_EQ(t->Height(), 100) << c.name;
  }
}

TEST(ThumbViewLayout, SizeGapAndResizeLayTheThumbnailsOutAgain) {
  BareView b(300, 400, smVertical);
  for (int i = 0; i < 5; ++i) b.view->AddThumb(u"t" + fw::IntToStr(i), true);
  EXPECT_EQ(b.view->MaxX(), 2);

  b.view->SetSize(25);  // cells of 50 x 50: (300 - 20) div 54 = 5 a row
  EXPECT_EQ(b.view->ThumbWidth(), 50);
  EXPECT_EQ(b.view->MaxX(), 5);
  TCkThumbnail* last = b.view->ThumbList()->GetThumbnail(4);
  EXPECT_EQ(last->Left(), 4 * 50 + 5 * 4);
  EXPECT_EQ(last->Width(), 50);

  b.view->SetThumbGap(10);
  EXPECT_EQ(b.view->MaxX(), 4);  // (300 - 20) div 60
  EXPECT_EQ(last->Left(), 10);
  EXPECT_EQ(last->Top(), 50 + 2 * 10);

  b.view->SetWidth(130);
  EXPECT_EQ(b.view->MaxX(), 1);
  EXPECT_EQ(last->Top(), 4 * 50 + 5 * 10);

  b.view->SetMaxWidth(400);  // 25 % of 400
  EXPECT_EQ(last->Width(), 100);
  EXPECT_EQ(last->Height(), 50);
}

// A thumbnail of 100 x 100 outside a view, with a picture of the given size.
struct LoneThumb {
  fwtest::TestForm form{300, 300};
  TCkThumbnail* thumb;
  LoneThumb(int pw, int ph, int borderWidth = 0) {
    thumb = new TCkThumbnail(form.form);
    thumb->SetParent(form.form);
    thumb->SetBorderWidth(borderWidth);
    thumb->SetBounds(10, 10, 100, 100);
    fw::TBitmap bmp;
    bmp.SetPixelFormat(fw::pf24bit);
    bmp.SetSize(pw, ph);
    thumb->Photo()->Picture()->SetGraphic(&bmp);
    thumb->FitPhoto();
    form->Show();
  }
  fw::TRect Photo() const { return thumb->Photo()->BoundsRect(); }
};

struct FitCase {
  const char* name;
  int pw, ph, border;
  TTitlePos placement;
  int clientW, clientH;
  int left, top, width, height;
};

TEST(ThumbViewLayout, PictureFitsIntoItsCell) {
  const FitCase cases[] = {
      // Smaller than the room: own size, centred, moved down by 15 div 2.
      {"small, title up", 50, 20, 0, tpUp, 92, 77, 25, 47, 50, 20},
      {"small, title down", 50, 20, 0, tpDown, 92, 77, 25, 33, 50, 20},
      {"small, no title", 50, 20, 0, tpNone, 92, 92, 25, 40, 50, 20},
      // pw = 90 / 400 * 100 = 22.5, p = 22.
      {"wide, border 1", 400, 100, 1, tpUp, 90, 77, 6, 46, 88, 22},
      // ph = 77 / 300 * 100 = 25.67, p = 25.
      {"tall", 60, 300, 0, tpUp, 92, 77, 42, 20, 15, 75},
      {"no picture", 0, 0, 0, tpUp, 92, 77, 50, 57, 0, 0},
  };
  for (const FitCase& c : cases) {
    LoneThumb t(c.pw, c.ph, c.border);
    t.thumb->SetTitlePlacement(c.placement);
    EXPECT_EQ(t.thumb->ClientWidth(), c.clientW) << c.name;
    EXPECT_EQ(t.thumb->ClientHeight(), c.clientH) << c.name;
    EXPECT_EQ(t.Photo(), fw::Bounds(c.left, c.top, c.width, c.height)) << c.name;
    // The shadow lies under the picture, 3 pixels to the right and down.
    EXPECT_EQ(t.thumb->Shadow()->BoundsRect(), fw::Bounds(c.left + 3, c.top + 3, c.width, c.height)) << c.name;
    EXPECT_FALSE(t.thumb->Shadow()->Visible());
  }
}

TEST(ThumbViewLayout, TitlePlacementAndShowTitle) {
  LoneThumb t(50, 20);
  TCkThumbTitle* title = t.thumb->TitlePanel();
  EXPECT_TRUE(title->Visible());
  EXPECT_EQ(title->Align(), fw::alTop);
  EXPECT_EQ(title->Height(), 15);

  t.thumb->SetTitlePlacement(tpNone);
  EXPECT_FALSE(title->Visible());
  t.thumb->SetTitlePlacement(tpNone);
  EXPECT_FALSE(title->Visible());
  t.thumb->SetTitlePlacement(tpDown);
  EXPECT_TRUE(title->Visible());
  EXPECT_EQ(title->Align(), fw::alBottom);
  EXPECT_EQ(title->Top() + title->Height(), t.thumb->ClientRect().Height() - 1);
  t.thumb->SetTitlePlacement(tpUp);
  EXPECT_EQ(title->Align(), fw::alTop);
  EXPECT_EQ(title->Top(), 1);

  // The band shows while ShowTitle reads False; only a change hides it.
  EXPECT_FALSE(t.thumb->ShowTitle());
  t.thumb->SetShowTitle(false);
  EXPECT_TRUE(title->Visible());
  t.thumb->SetShowTitle(true);
  t.thumb->SetShowTitle(false);
  EXPECT_FALSE(title->Visible());
}

TEST(ThumbViewLayout, TitleFollowsTheFileUnlessSetOtherwise) {
  CropFolder crop("thumb_titles", 2);
  LoneThumb t(10, 10);
  TCkThumbnail* th = t.thumb;

  th->SetFileName(crop.Path(1));
  EXPECT_EQ(StringToUtf8(th->Title()), "imgmod_001.BMP");
  EXPECT_EQ(StringToUtf8(th->TitlePanel()->Caption()), "imgmod_001.BMP");
  // A title equal to the old file name follows the new file.
  th->SetFileName(crop.Path(2));
  EXPECT_EQ(StringToUtf8(th->Title()), "imgmod_002.BMP");
  // A title set otherwise stays.
  th->SetTitle(u"mine");
  th->SetFileName(crop.Path(1));
  EXPECT_EQ(StringToUtf8(th->Title()), "mine");
  // A failed load keeps the title and empties the file name.
  th->SetFileName(crop.broken);
  EXPECT_EQ(StringToUtf8(th->Title()), "mine");
  EXPECT_TRUE(th->FileName().empty());

  // Resolved at the first paint after a load: an empty title takes the
  // file name, one set by SetTitlePanel survives.
  th->SetTitle(String());
  th->SetFileName(crop.Path(2));
  th->SetTitle(String());
  fwtest::Capture(th);
  EXPECT_EQ(StringToUtf8(th->Title()), "imgmod_002.BMP");
  fw::TFont font;
  th->SetFileName(crop.Path(1));
  th->SetTitlePanel(u"kept", &font, fw::clYellow);
  fwtest::Capture(th);
  EXPECT_EQ(StringToUtf8(th->Title()), "kept");
  EXPECT_EQ(th->TitleColor(), fw::clYellow);

  // File details of the loaded file.
  EXPECT_EQ(th->FileSize(), static_cast<int>(fw::ReadFileBytes(crop.Path(1)).size()));
  EXPECT_FALSE(th->FileChanged().empty());
  EXPECT_NE(StringToUtf8(th->FileChanged()), "Unknown");
}

TEST(ThumbViewLayout, LargeJpegFilesAreDecodedSmallerInsideAThumbnail) {
  fw::testing::TestFolder folder("thumb_jpeg");
  // Noise compresses badly: 900 x 900 at quality 100 passes 1,000,000 bytes.
  fw::TBitmap noise;
  noise.SetPixelFormat(fw::pf24bit);
  noise.SetSize(900, 900);
  uint32_t seed = 12345;
  for (int y = 0; y < 900; ++y) {
    auto* row = static_cast<uint8_t*>(noise.ScanLine(y));
    for (int x = 0; x < 900 * 3; ++x) {
      seed = seed * 1103515245u + 12345u;
      row[x] = static_cast<uint8_t>(seed >> 24);
    }
  }
  fw::TJPEGImage jpeg;
  jpeg.Assign(&noise);
  jpeg.SetCompressionQuality(100);
  jpeg.Compress();
  String big = folder / u"big.JPG";
  jpeg.SaveToFile(big);
  size_t size = fw::ReadFileBytes(big).size();
  ASSERT_GT(size, 1000000u);
  ASSERT_LE(size, 4000000u);

  LoneThumb t(1, 1);
  t.thumb->SetMinimizeMemory(false);
  t.thumb->SetFileName(big);
  EXPECT_EQ(t.thumb->ImageWidth(), 450);
  EXPECT_EQ(t.thumb->ImageHeight(), 450);

  // Outside a thumbnail the same file is read whole.
  auto* lone = new TCkThumbImage(t.form.form);
  lone->LoadFromFile(big);
  EXPECT_EQ(lone->Picture()->Width(), 900);
}

TEST(ThumbViewLayout, SizeRoutines) {
  struct Case {
    TThumbSize picture, box, fit;
  };
  const Case cases[] = {
      {{400, 100}, {200, 200}, {200, 50}},
      {{100, 400}, {200, 200}, {50, 200}},
      {{50, 20}, {200, 200}, {200, 80}},  // smaller pictures grow
      {{0, 0}, {200, 200}, {0, 0}},
      {{0, 10}, {200, 200}, {0, 0}},  // a side of 0 gives a percentage of 0
      // 100 / 300 * 100 held in single precision is a little under 33 1/3.
      {{300, 300}, {100, 200}, {99, 99}},
  };
  for (const Case& c : cases) {
    TThumbSize f = ProportionalFit(c.picture, c.box);
    EXPECT_EQ(f.cx, c.fit.cx) << c.picture.cx << "x" << c.picture.cy;
    EXPECT_EQ(f.cy, c.fit.cy) << c.picture.cx << "x" << c.picture.cy;
  }
  EXPECT_EQ(BoundValue(0, 255, -4), 0);
  EXPECT_EQ(BoundValue(0, 255, 300), 255);
  EXPECT_EQ(BoundValue(0, 255, 17), 17);
  EXPECT_EQ(StringToUtf8(InsertTextAt(u"All (*.bmp)", u"*.pcx;", 5)), "All (*.pcx;*.bmp)");
  EXPECT_EQ(StringToUtf8(InsertTextAt(u"ab", u"X", 9)), "abX");
}

}  // namespace
