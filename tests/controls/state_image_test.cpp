// The image control with state pictures: which picture it shows on
// entering, pressing, releasing, clicking, leaving and disabling, the state
// setter, a new default picture, and the hit test of a transparent bitmap.
#include <gtest/gtest.h>

#include <memory>

#include "controls/base/ckimage.h"
#include "fw/controls_test_util.h"
#include "fw/stdctrls_test_util.h"

using namespace ck;
using namespace fw;
using fwtest::Pump;
using fwtest::TestForm;

namespace {

// A picture of one colour.
void Fill(TPicture* p, TColor c, int w = 32, int h = 32) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(w, h);
  bmp.Canvas()->Brush()->SetColor(c);
  bmp.Canvas()->FillRect(Rect(0, 0, w, h));
  p->SetGraphic(&bmp);
}

struct ImageForm {
  TestForm form{200, 100};
  TPanel* host;
  TCkImage* image;
  int clicks = 0;
  int stateChanges = 0;
  void Click(TObject*) { ++clicks; }
  void StateChanged(TObject*) { ++stateChanges; }
  ImageForm() {
    host = new TPanel(form.form);
    host->SetParent(form.form);
    host->SetBevelOuter(bvNone);
    host->SetColor(clWhite);
    host->SetBounds(0, 0, 200, 100);
    image = new TCkImage(form.form);
    image->SetParent(host);
    image->SetBounds(10, 10, 32, 32);
    Fill(image->Picture(), clRed);
    image->OnClick = TNotifyEvent(this, &ImageForm::Click);
    image->OnStateChanged = TNotifyEvent(this, &ImageForm::StateChanged);
    form->Show();
    Pump();
  }
  // The colour the host shows in the middle of the image.
  TColor Shown() { return fwtest::PixelAt(fwtest::Capture(host).get(), 26, 26); }
  void Enter() { image->Perform(CM_MOUSEENTER, 0, 0); }
  void Leave() { image->Perform(CM_MOUSELEAVE, 0, 0); }
  void Press(int x = 10, int y = 10) { image->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(x, y)); }
  void Release(int x = 10, int y = 10) { image->Perform(WM_LBUTTONUP, 0, PointToLParam(x, y)); }
  void ClickAt(int x, int y) {
    Press(x, y);
    Release(x, y);
  }
};

}  // namespace

TEST(StateImage, WithOnlyADefaultPictureEveryInteractionKeepsIt) {
  ImageForm f;
  EXPECT_FALSE(f.image->HasStatePictures());
  EXPECT_EQ(f.Shown(), clRed);
  f.Enter();
  f.Press();
  EXPECT_EQ(f.Shown(), clRed);
  f.Release();
  EXPECT_EQ(f.clicks, 1);
  f.Leave();
  f.image->SetEnabled(false);
  EXPECT_EQ(f.Shown(), clRed);
  EXPECT_EQ(f.image->State(), stDefault);
}

TEST(StateImage, AMouseOverPictureShowsOnEnterAndAfterAClickInside) {
  ImageForm f;
  Fill(f.image->Pictures()->PicEnter(), clLime);
  f.Enter();
  EXPECT_EQ(f.image->State(), stEntered);
  EXPECT_EQ(f.Shown(), clLime);
  f.Leave();
  EXPECT_EQ(f.image->State(), stDefault);
  EXPECT_EQ(f.Shown(), clRed);
  f.Enter();
  f.Press();
  EXPECT_EQ(f.image->State(), stEntered) << "no pressed picture: the state stays";
  f.Release();
  EXPECT_EQ(f.clicks, 1);
  EXPECT_EQ(f.image->State(), stEntered) << "no click picture: default, then the mouse-up inside shows mouse-over";
  EXPECT_EQ(f.Shown(), clLime);
}

TEST(StateImage, ThreeClicksShowClickPictureOneTwoThenTheDefault) {
  ImageForm f;
  Fill(f.image->Pictures()->PicClicked1(), clBlue);
  Fill(f.image->Pictures()->PicClicked2(), clYellow);
  Fill(f.image->Pictures()->PicDown(), clGray);
  f.Press(5, 5);
  EXPECT_EQ(f.Shown(), ColorToRGB(clGray)) << "pressed";
  f.Release(5, 5);
  EXPECT_EQ(f.Shown(), clBlue);
  // Far apart, so that no two clicks make a double click.
  f.ClickAt(25, 25);
  EXPECT_EQ(f.Shown(), clYellow);
  f.ClickAt(5, 25);
  EXPECT_EQ(f.image->State(), stDefault);
  EXPECT_EQ(f.Shown(), clRed);
  EXPECT_EQ(f.clicks, 3);
}

TEST(StateImage, AStateWithoutAPictureChangesNothingButIsReported) {
  ImageForm f;
  Fill(f.image->Pictures()->PicEnter(), clLime);
  f.stateChanges = 0;
  f.image->SetState(stClicked2);
  EXPECT_EQ(f.image->State(), stDefault);
  EXPECT_EQ(f.Shown(), clRed);
  EXPECT_EQ(f.stateChanges, 1);
  f.image->SetState(stEntered);
  EXPECT_EQ(f.image->State(), stEntered);
  EXPECT_EQ(f.stateChanges, 2);
}

TEST(StateImage, ANewDefaultPictureReplacesTheShownOne) {
  ImageForm f;
  Fill(f.image->Pictures()->PicEnter(), clLime);
  f.Enter();
  ASSERT_EQ(f.Shown(), clLime);
  Fill(f.image->Picture(), clAqua);
  EXPECT_EQ(f.Shown(), clAqua);
  f.Leave();
  EXPECT_EQ(f.Shown(), clAqua);
}

TEST(StateImage, DisablingShowsTheDisabledPictureAndEnablingTheDefault) {
  ImageForm f;
  Fill(f.image->Pictures()->PicDisabled(), clGray);
  f.image->SetEnabled(false);
  EXPECT_EQ(f.image->State(), stDisabled);
  EXPECT_EQ(f.Shown(), ColorToRGB(clGray));
  f.Enter();
  EXPECT_EQ(f.image->State(), stDisabled) << "a disabled image does not hot-track";
  f.Leave();
  f.image->SetEnabled(true);
  EXPECT_EQ(f.image->State(), stDefault);
  EXPECT_EQ(f.Shown(), clRed);
}

TEST(StateImage, TransparentPixelsOfTheDefaultBitmapAreNoHit) {
  ImageForm f;
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(32, 32);
  bmp.Canvas()->Brush()->SetColor(clFuchsia);
  bmp.Canvas()->FillRect(Rect(0, 0, 32, 32));
  bmp.Canvas()->Brush()->SetColor(clBlack);
  bmp.Canvas()->FillRect(Rect(8, 8, 24, 24));
  f.image->Picture()->SetGraphic(&bmp);
  f.image->SetTransparent(true);
  EXPECT_FALSE(f.image->HitTest(2, 2));
  EXPECT_TRUE(f.image->HitTest(16, 16));
  f.image->SetTransparent(false);
  EXPECT_TRUE(f.image->HitTest(2, 2));
  // With state pictures every point is a hit.
  f.image->SetTransparent(true);
  Fill(f.image->Pictures()->PicEnter(), clLime);
  EXPECT_TRUE(f.image->HitTest(2, 2));
}
