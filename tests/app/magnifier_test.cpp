// The screen tools of the main window on a real screen: the pickers give the
// colour under the cursor to their swatches, the magnifier shows the piece
// of the screen around the cursor enlarged with a readable crosshair and
// goes away as the mouse leaves the picture, and the search page's zoom
// scales its image copy.
#include <gtest/gtest.h>

#include "app/image_form.h"
#include "fw/core/sysutils.h"
#include "fw/system/application.h"
#include "fw/stdctrls_test_util.h"
#include "main_window_util.h"
#include "app/image_page.h"
#include "app/image_routines.h"
#include "app/sample_images.h"
#include "scenarios/screenshot_png.h"

namespace app {
namespace {

constexpr fw::TColor kLeft = 0x2040C0;   // dark enough for a white crosshair
constexpr fw::TColor kRight = 0xC0E0F0;  // light: a black one

std::unique_ptr<fw::TBitmap> TwoColourPicture(int w, int h) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(kLeft);
  b->Canvas()->FillRect(fw::Rect(0, 0, w / 2, h));
  b->Canvas()->Brush()->SetColor(kRight);
  b->Canvas()->FillRect(fw::Rect(w / 2, 0, w, h));
  return b;
}

class ScreenTools : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::InitialiseProgramUnits();
    form = fw::NewForm<TImageForm>(nullptr);
    form->SetPosition(fw::poDesigned);
    form->SetBounds(0, 0, 900, 700);
    ASSERT_NE(form->pan1, nullptr);
    form->Wizard->SetActivePageIndex(kPageImageLoad);
    // A hint popping up under the resting cursor would be what it reads.
    fw::Application->SetShowHint(false);
    form->Show();
    SetForegroundWindow(form->Handle());
    auto picture = TwoColourPicture(240, 160);
    form->Image1->Picture()->SetGraphic(picture.get());
    fwtest::Pump();
    UpdateWindow(form->Handle());
  }
  void TearDown() override {
    if (form) form->Free();
    fw::Application->SetShowHint(true);
  }
  // Puts the cursor on a point of the picture once the screen shows the
  // picture there (the display catches up with moves and repaints a little
  // later); its screen point.
  fw::TPoint PointAt(int x, int y) {
    const fw::TPoint p = form->Image1->ClientToScreen(fw::TPoint{x, y});
    const fw::TColor expected = x < form->Image1->Width() / 2 ? kLeft : kRight;
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < 200; ++i) {
      SetCursorPos(p.x, p.y);
      fwtest::Pump();
      POINT at{};
      GetCursorPos(&at);
      if (at.x == p.x && at.y == p.y && GetPixel(screen, p.x, p.y) == expected) break;
      Sleep(10);
    }
    ReleaseDC(nullptr, screen);
    return p;
  }
  fw::TColor MemPixColor() { return form->MemPix->Canvas()->Pixel(0, 0); }

  apptest::AppDataFolder appData{"screen_tools"};
  apptest::SampleTextKeeper keep;
  TImageForm* form = nullptr;
};

TEST_F(ScreenTools, PickersGiveTheColourUnderTheCursorToTheirSwatch) {
  struct Case {
    const char* name;
    void (TImageForm::*Tick)(fw::TObject*);
    fw::TPaintBox* TImageForm::*Swatch;
    int page;
  } cases[] = {
      {"search page", &TImageForm::PickTmrTimer, &TImageForm::MagPnl, kPageRun},
      {"multi-font page", &TImageForm::picktmr2Timer, &TImageForm::Magpnl2, kPageMultipreview},
  };
  for (const Case& c : cases) {
    fw::TPaintBox* swatch = form->*c.Swatch;
    ASSERT_NE(swatch, nullptr) << c.name;
    PointAt(40, 80);
    (form->*c.Tick)(form);
    EXPECT_EQ(swatch->Color(), kLeft) << c.name;
    EXPECT_EQ(MemPixColor(), kLeft) << c.name;
    PointAt(200, 80);
    (form->*c.Tick)(form);
    EXPECT_EQ(swatch->Color(), kRight) << c.name;
    EXPECT_EQ(MemPixColor(), kRight) << c.name;
    // The swatch shows it on its page.
    form->Wizard->SetActivePageIndex(c.page);
    if (form->pan) form->pan->Show();
    fwtest::Pump();
    UpdateWindow(form->Handle());
    fw::TWinControl* holder = swatch->Parent();
    const fw::TPoint centre = holder->ClientToScreen(
        fw::TPoint{swatch->Left() + swatch->Width() / 2, swatch->Top() + swatch->Height() / 2});
    HDC screen = GetDC(nullptr);
    const COLORREF shown = GetPixel(screen, centre.x, centre.y);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(static_cast<fw::TColor>(shown), kRight) << c.name;
    form->Wizard->SetActivePageIndex(kPageImageLoad);
    fwtest::Pump();
  }
}

TEST_F(ScreenTools, MagnifierEnlargesTheScreenAroundTheCursorWithAReadableCrosshair) {
  struct Case {
    int bar;
    int pictureX;
    fw::TColor under, crosshair;
    fw::TPoint onCrosshair;  // a point of the crosshair's vertical line
  } cases[] = {
      {2, 60, kLeft, 0xFFFFFF, {88, 92}},    // z 1: 88 x 88 pixels, centre (88, 89)
      {40, 60, kLeft, 0xFFFFFF, {80, 95}},   // z 20: 4 x 4 pixels, centre (80, 100)
      {2, 180, kRight, 0x000000, {88, 92}},
  };
  for (const Case& c : cases) {
    form->sbzoom->SetPosition(c.bar);
    form->sbzoomChange(form->sbzoom);
    EXPECT_EQ(form->lbzoom->Caption(), u"X" + fw::IntToStr(c.bar));
    PointAt(c.pictureX, 80);
    form->Image1MouseDown(form->Image1, fw::mbRight, {}, c.pictureX, 80);
    EXPECT_TRUE(form->pan1->Visible());
    EXPECT_TRUE(form->timerzoom->Enabled());
    ASSERT_EQ(form->Image2->Width(), 176);
    ASSERT_EQ(form->Image2->Height(), 176);
    PointAt(c.pictureX, 80);  // the panel has been drawn beside it
    form->timerzoomTimer(form);
    fw::TBitmap* view = form->Image2->Picture()->Bitmap();
    ASSERT_EQ(view->Width(), 176);
    // The view's top-left corner lies on the same half of the picture.
    EXPECT_EQ(view->Canvas()->Pixel(4, 4), c.under) << "bar " << c.bar;
    EXPECT_EQ(view->Canvas()->Pixel(c.onCrosshair.x, c.onCrosshair.y), c.crosshair) << "bar " << c.bar;
    EXPECT_EQ(form->pb->Color(), c.under);
    EXPECT_EQ(MemPixColor(), c.under);
    form->Image1MouseUp(form->Image1, fw::mbRight, {}, c.pictureX, 80);
    EXPECT_FALSE(form->pan1->Visible());
    EXPECT_FALSE(form->timerzoom->Enabled());
  }
}

TEST_F(ScreenTools, MagnifierGoesWhenTheMouseLeavesThePicture) {
  struct Case {
    const char* how;
    std::function<void(TImageForm*)> leave;
  } cases[] = {
      {"onto the picture's edge", [](TImageForm* f) { f->Image1MouseMove(f->Image1, {}, 0, 50); }},
      {"past its last column", [](TImageForm* f) { f->Image1MouseMove(f->Image1, {}, f->Image1->Width() - 1, 50); }},
      {"over the edit pane", [](TImageForm* f) { f->Shape1MouseMove(f->Shape1, {}, 400, 150); }},
      {"released on the pane", [](TImageForm* f) { f->Shape1MouseUp(f->Shape1, fw::mbRight, {}, 400, 150); }},
  };
  for (const Case& c : cases) {
    PointAt(60, 80);
    form->Image1MouseDown(form->Image1, fw::mbRight, {}, 60, 80);
    ASSERT_TRUE(form->pan1->Visible()) << c.how;
    // Moving inside keeps it and takes it along.
    const fw::TPoint before{form->pan1->Left(), form->pan1->Top()};
    PointAt(70, 90);
    form->Image1MouseMove(form->Image1, {}, 70, 90);
    EXPECT_TRUE(form->pan1->Visible()) << c.how;
    EXPECT_EQ(form->pan1->Left() - before.x, 10) << c.how;
    c.leave(form);
    EXPECT_FALSE(form->pan1->Visible()) << c.how;
    EXPECT_FALSE(form->timerzoom->Enabled()) << c.how;
  }
}

TEST_F(ScreenTools, ZoomOfTheSearchPageScalesTheImageCopy) {
  auto picture = TwoColourPicture(50, 30);
  form->imgcompare->Picture()->SetGraphic(picture.get());
  struct Case {
    int percent, width, height;
  } cases[] = {
      {100, 50, 30}, {200, 100, 60}, {10, 5, 3}, {800, 400, 240},
      {15, 8, 4},  // 7.5 and 4.5 go to the even neighbour
  };
  for (const Case& c : cases) {
    form->TrackBar1->SetPosition(c.percent);
    form->TrackBar1Change(form->TrackBar1);
    EXPECT_EQ(form->imgcompare->Width(), c.width) << c.percent;
    EXPECT_EQ(form->imgcompare->Height(), c.height) << c.percent;
    EXPECT_EQ(form->PercentItem->Caption(), fw::IntToStr(c.percent) + u"%");
    EXPECT_EQ(form->TrackBar1->Hint(), fw::IntToStr(c.percent) + u"%");
  }
  form->PercentItemClick(form->PercentItem);
  EXPECT_EQ(form->TrackBar1->Position(), 100);
  EXPECT_EQ(form->PercentItem->Caption(), u"100%");
  EXPECT_EQ(form->imgcompare->Width(), 50);
  EXPECT_EQ(form->imgcompare->Height(), 30);
  // A picture five pixels wide keeps one pixel at 10 %.
  auto narrow = TwoColourPicture(5, 5);
  form->imgcompare->Picture()->SetGraphic(narrow.get());
  form->TrackBar1->SetPosition(10);
  form->TrackBar1Change(form->TrackBar1);
  EXPECT_EQ(form->imgcompare->Width(), 1);
  EXPECT_EQ(form->imgcompare->Height(), 1);
}

// A screenshot of the magnifier over a sample image.
TEST_F(ScreenTools, MagnifierOverASampleImage) {
  WriteSampleImages(SamplesFolder(), false);
  ImageFileName = SamplesFolder() + u"\\sample_brown.bmp";
  form->UpdateImages();
  form->sbzoom->SetPosition(6);
  form->sbzoomChange(form->sbzoom);
  form->roZoom->Expand();
  fwtest::Pump();
  const fw::TPoint p = form->Image1->ClientToScreen(fw::TPoint{120, 40});
  SetCursorPos(p.x, p.y);
  fwtest::Pump();
  form->Image1MouseDown(form->Image1, fw::mbRight, {}, 120, 40);
  fwtest::Pump();
  form->timerzoomTimer(form);
  fwtest::Pump();
  EXPECT_TRUE(form->pan1->Visible());
  EXPECT_TRUE(scenarios::SavePng(scenarios::ScreenshotOf(form->Handle()).get(),
                                 scenarios::ScreenshotPath("magnifier_image_page.png")));
  form->Image1MouseUp(form->Image1, fw::mbRight, {}, 120, 40);
}

}  // namespace
}  // namespace app
