// The bitmap slider: value and thumb offset mapping in both orientations,
// the stretched ruler, range and increment rules, dragging, click-and-hold
// jumps, keys, the "UserImages" stream value, and its pixels.
#include <gtest/gtest.h>

#include "case_name.h"
#include "controls/base/ckslider.h"
#include "golden_image.h"
#include "controls/base/cktypes.h"
#include "controls/base/ckregister.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "scenarios/screenshot_png.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;
using xptest::Snapshot;

namespace {

struct SliderForm {
  fwtest::TestForm form{320, 240};
  TCkxSlider* slider;
  int changes = 0;
  int changed = 0;
  SliderForm(TSliderOrientation Orientation = soHorizontal, int W = 150, int H = 40) {
    form->SetColor(0xE0E0E0);
    slider = new TCkxSlider(form.form);
    slider->SetParent(form.form);
    slider->SetOrientation(Orientation);
    slider->SetBounds(10, 10, W, H);
    slider->OnChange = TNotifyEvent(this, &SliderForm::Change);
    slider->OnChanged = TNotifyEvent(this, &SliderForm::Changed);
    form->Show();
    fwtest::Pump();
  }
  void Change(TObject*) { ++changes; }
  void Changed(TObject*) { ++changed; }
  // The filter dialog's weight slider: 50..1000 by 50, not smooth.
  void MakeStepped() {
    slider->SetMaxValue(1000);
    slider->SetMinValue(50);
    slider->SetIncrement(50);
    slider->SetOptions(TSliderOptions{soShowFocus, soShowPoints});
  }
  void Send(UINT Msg, WPARAM W, int X, int Y) { SendMessageW(slider->Handle(), Msg, W, PointToLParam(X, Y)); }
  TPoint ThumbCentre() const {
    TRect r = slider->ThumbRect();
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
};

struct MapCase {
  const char* name;
  TSliderOrientation orientation;
  int width, height;
  TBevelCut bevel;
  int value;
  int offset;  // left (horizontal) or top (vertical) of the thumb
};

// 150 long: ruler 138, thumb 9 along the axis, so 129 pixels of travel
// from 6; a bevel takes one pixel a side. Vertical sliders put the maximum
// at the top. Halves round to even (64.5 -> 64).
const MapCase kMapCases[] = {
    {"horizontal min", soHorizontal, 150, 40, bvNone, 0, 6},
    {"horizontal max", soHorizontal, 150, 40, bvNone, 100, 135},
    {"horizontal half rounds to even", soHorizontal, 150, 40, bvNone, 50, 70},
    {"horizontal quarter", soHorizontal, 150, 40, bvNone, 25, 38},
    {"horizontal wide", soHorizontal, 300, 40, bvNone, 50, 146},
    {"horizontal bevel min", soHorizontal, 150, 40, bvLowered, 0, 7},
    {"horizontal bevel max", soHorizontal, 150, 40, bvLowered, 100, 134},
    {"vertical min at the bottom", soVertical, 40, 150, bvNone, 0, 135},
    {"vertical max at the top", soVertical, 40, 150, bvNone, 100, 6},
    {"vertical half", soVertical, 40, 150, bvNone, 50, 71},
    {"vertical tall", soVertical, 40, 250, bvNone, 25, 178},
};

class SliderMapping : public ::testing::TestWithParam<MapCase> {};

}  // namespace

TEST_P(SliderMapping, ValueAndThumbOffsetMapEachOther) {
  const MapCase& c = GetParam();
  SliderForm f(c.orientation, c.width, c.height);
  f.slider->SetBevelStyle(c.bevel);
  EXPECT_EQ(f.slider->GetOffsetByValue(c.value), c.offset);
  EXPECT_EQ(f.slider->GetValueByOffset(c.offset), c.value);
  f.slider->SetValue(c.value);
  TRect thumb = f.slider->ThumbRect();
  EXPECT_EQ(c.orientation == soHorizontal ? thumb.Left : thumb.Top, c.offset);
}

INSTANTIATE_TEST_SUITE_P(Cases, SliderMapping, ::testing::ValuesIn(kMapCases), cktest::CaseName());

TEST(Slider, DefaultsPicturesAndStretchedRulerKeepTheirEnds) {
  SliderForm f;
  TCkxSlider* s = f.slider;
  EXPECT_EQ(s->MinValue(), 0);
  EXPECT_EQ(s->MaxValue(), 100);
  EXPECT_EQ(s->Increment(), 10);
  EXPECT_EQ(s->EdgeSize(), 2);
  EXPECT_EQ(s->NumThumbStates(), 2);
  EXPECT_TRUE(s->TabStop());
  EXPECT_EQ(s->Options(), (TSliderOptions{soShowFocus, soShowPoints, soSmooth}));
  EXPECT_TRUE(s->UserImages().Empty());
  EXPECT_EQ(s->ImageHThumb()->Width(), 18);
  EXPECT_EQ(s->ImageHThumb()->Height(), 17);
  EXPECT_EQ(s->ImageHRuler()->Width(), 10);
  EXPECT_EQ(s->ImageHRuler()->Height(), 8);
  EXPECT_EQ(s->ImageVThumb()->Width(), 38);
  EXPECT_EQ(s->ImageVThumb()->Height(), 9);
  EXPECT_EQ(s->ImageVRuler()->Width(), 8);
  EXPECT_EQ(s->ImageVRuler()->Height(), 10);
  EXPECT_EQ(s->RulerLength(), 129);

  // The ruler is the client length less 12; its first 8 and last 2 pixels
  // are the picture's own, the middle repeats the picture's middle 6.
  TBitmap* ruler = s->Ruler();
  TBitmap* source = s->ImageHRuler();
  ASSERT_EQ(ruler->Width(), 138);
  ASSERT_EQ(ruler->Height(), 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(ruler->Canvas()->Pixel(x, y), source->Canvas()->Pixel(x, y));
    for (int x = 0; x < 2; ++x)
      EXPECT_EQ(ruler->Canvas()->Pixel(136 + x, y), source->Canvas()->Pixel(8 + x, y));
    for (int x = 8; x < 126; ++x)
      EXPECT_EQ(ruler->Canvas()->Pixel(x, y), source->Canvas()->Pixel(2 + (x - 2) % 6, y)) << x << "," << y;
  }
}

TEST(Slider, RangeAndIncrementRules) {
  SliderForm f;
  TCkxSlider* s = f.slider;
  s->SetValue(40);
  s->SetMinValue(200);  // above the maximum: ignored
  EXPECT_EQ(s->MinValue(), 0);
  EXPECT_EQ(s->MaxValue(), 100);
  s->SetIncrement(0);  // ignored
  EXPECT_EQ(s->Increment(), 10);
  try {
    s->SetIncrement(101);
    FAIL() << "an increment wider than the range is refused";
  } catch (const ECKException& e) {
    EXPECT_EQ(e.Message(), u"Value must be between 1 and 100");
  }
  // A narrower range shrinks the increment and clamps the value.
  s->SetMaxValue(5);
  EXPECT_EQ(s->Increment(), 5);
  EXPECT_EQ(s->Value(), 5);
  s->SetValue(-3);
  EXPECT_EQ(s->Value(), 0);
}

TEST(Slider, ValueByCodeFiresOnlyOnChangeAndOnlyOnAChange) {
  SliderForm f;
  f.slider->SetValue(30);
  f.slider->SetValue(30);
  EXPECT_EQ(f.changes, 1);
  EXPECT_EQ(f.changed, 0);
}

TEST(Slider, OrientationChangeSwapsWidthAndHeight) {
  SliderForm f;
  f.slider->SetOrientation(soVertical);
  EXPECT_EQ(f.slider->Width(), 40);
  EXPECT_EQ(f.slider->Height(), 150);
  EXPECT_EQ(f.slider->GetOffsetByValue(100), 6);
}

TEST(Slider, DragFiresOnChangePerValueAndOnChangedOnceAtTheRelease) {
  SliderForm f;
  TPoint p = f.ThumbCentre();
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
  EXPECT_TRUE(f.slider->Sliding());
  f.Send(WM_MOUSEMOVE, MK_LBUTTON, p.x + 10, p.y);
  int first = f.slider->Value();
  f.Send(WM_MOUSEMOVE, MK_LBUTTON, p.x + 64, p.y);
  f.Send(WM_LBUTTONUP, 0, p.x + 64, p.y);
  EXPECT_FALSE(f.slider->Sliding());
  // Smooth: every value the pixels express; the thumb follows the mouse.
  EXPECT_EQ(first, f.slider->GetValueByOffset(6 + 10));
  EXPECT_EQ(f.slider->Value(), 50);
  EXPECT_EQ(f.slider->ThumbRect().Left, 70);
  EXPECT_EQ(f.changes, 2);
  EXPECT_EQ(f.changed, 1);
}

TEST(Slider, DragWithoutSmoothSnapsToIncrements) {
  SliderForm f;
  f.MakeStepped();
  f.slider->SetValue(50);
  f.changes = 0;
  TPoint p = f.ThumbCentre();
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
  for (int dx = 1; dx < 60; dx += 3) {
    f.Send(WM_MOUSEMOVE, MK_LBUTTON, p.x + dx, p.y);
    EXPECT_EQ((f.slider->Value() - 50) % 50, 0) << dx;
  }
  f.Send(WM_LBUTTONUP, 0, p.x + 60, p.y);
  EXPECT_GT(f.slider->Value(), 50);
  EXPECT_EQ(f.changed, 1);
}

TEST(Slider, ClickAndHoldOnTheRulerJumpsByIncrementsUntilTheThumbPassesTheMouse) {
  SliderForm f;
  f.MakeStepped();
  f.slider->SetValue(75);
  f.changes = 0;
  TPoint thumb = f.ThumbCentre();
  int target = f.slider->GetOffsetByValue(300) + 4;  // inside the 300 thumb
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, target, thumb.y);
  EXPECT_EQ(f.slider->Value(), 150) << "one jump at once: 50 * (Round(1.5) + 1)";
  EXPECT_TRUE(f.slider->TimerActive());
  SendMessageW(f.slider->Handle(), WM_TIMER, SliderJumpTimer, 0);
  EXPECT_EQ(f.slider->Value(), 200);
  for (int i = 0; i < 5; ++i) SendMessageW(f.slider->Handle(), WM_TIMER, SliderJumpTimer, 0);
  EXPECT_EQ(f.slider->Value(), 300) << "the steps stop under the mouse";
  EXPECT_TRUE(f.slider->TimerActive()) << "the timer runs until the release";
  f.Send(WM_LBUTTONUP, 0, target, thumb.y);
  EXPECT_FALSE(f.slider->TimerActive());
  EXPECT_EQ(f.changes, 4);
  EXPECT_EQ(f.changed, 1);

  // Left of the thumb: 50 * Round(6) - 50.
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, 8, thumb.y);
  f.Send(WM_LBUTTONUP, 0, 8, thumb.y);
  EXPECT_EQ(f.slider->Value(), 250);
  // From 75 set by code the steps go to 150 and to 50.
  f.slider->SetValue(75);
  SendMessageW(f.slider->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
  EXPECT_EQ(f.slider->Value(), 150);
  f.slider->SetValue(75);
  SendMessageW(f.slider->Handle(), WM_KEYDOWN, VK_LEFT, 1);
  EXPECT_EQ(f.slider->Value(), 50);

  // At the maximum there is no ruler right of the thumb.
  f.slider->SetValue(1000);
  f.changes = 0;
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, f.slider->ThumbRect().Right + 1, thumb.y);
  f.Send(WM_LBUTTONUP, 0, f.slider->ThumbRect().Right + 1, thumb.y);
  EXPECT_EQ(f.slider->Value(), 1000);
  EXPECT_EQ(f.changes, 0);
}

TEST(Slider, KeysJumpAndFireOnChangedEvenWithoutAChange) {
  SliderForm f;
  f.slider->SetFocus();
  f.slider->SetValue(40);
  f.changes = 0;
  struct KeyCase {
    WORD key;
    int value;
  };
  const KeyCase horizontal[] = {{VK_RIGHT, 50}, {VK_LEFT, 40}, {VK_END, 100}, {VK_RIGHT, 100}, {VK_HOME, 0},
                                {VK_UP, 0}};
  for (const KeyCase& k : horizontal) {
    SendMessageW(f.slider->Handle(), WM_KEYDOWN, k.key, 1);
    EXPECT_EQ(f.slider->Value(), k.value) << k.key;
  }
  EXPECT_EQ(f.changes, 4);
  EXPECT_EQ(f.changed, 5) << "the up arrow does nothing on a horizontal slider";
  EXPECT_EQ(SendMessageW(f.slider->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);

  f.slider->SetOrientation(soVertical);
  SendMessageW(f.slider->Handle(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(f.slider->Value(), 10);
  SendMessageW(f.slider->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(f.slider->Value(), 0);
}

TEST(Slider, UserImagesStreamValue) {
  RegisterCkControlClasses();
  TComponent root(nullptr);
  ReadRootComponent(&root,
                    u"object Root: TComponent\n"
                    u"  object Plain: TCkxSlider\n  end\n"
                    u"  object Marked: TCkxSlider\n    UserImages = {05}\n  end\n"
                    u"end\n",
                    u"Root.form");
  auto* plain = dynamic_cast<TCkxSlider*>(root.FindComponent(u"Plain"));
  auto* marked = dynamic_cast<TCkxSlider*>(root.FindComponent(u"Marked"));
  ASSERT_TRUE(plain && marked);
  EXPECT_TRUE(plain->UserImages().Empty());
  EXPECT_EQ(plain->ImageHThumb()->Width(), 18);
  EXPECT_EQ(marked->UserImages(), (TSliderImages{siHThumb, siVThumb}));
  // Only the user's pictures belong in a description.
  for (const char16_t* name : {u"ImageHThumb", u"ImageHRuler", u"ImageVThumb", u"ImageVRuler"}) {
    const TPropInfo* p = GetPropInfo(marked, name);
    ASSERT_NE(p, nullptr);
    const bool thumb = name[6] == u'T';
    EXPECT_EQ(p->IsStored(marked), thumb) << StringToUtf8(name);
    EXPECT_FALSE(p->IsStored(plain)) << StringToUtf8(name);
  }

  // A picture set by code is the user's until nullptr brings the built-in
  // one back (and drops the matching opaque option).
  TBitmap thumb;
  thumb.SetPixelFormat(pf24bit);
  thumb.SetSize(20, 12);
  plain->SetOptions(TSliderOptions{soThumbOpaque, soRulerOpaque});
  plain->SetImageHThumb(&thumb);
  EXPECT_EQ(plain->UserImages(), TSliderImages{siHThumb});
  EXPECT_EQ(plain->ImageHThumb()->Width(), 20);
  plain->SetImageHThumb(nullptr);
  EXPECT_TRUE(plain->UserImages().Empty());
  EXPECT_EQ(plain->ImageHThumb()->Width(), 18);
  EXPECT_EQ(plain->Options(), TSliderOptions{soRulerOpaque});
}

TEST(Slider, PaintsRulerThumbPointsAndFocus) {
  SliderForm f;
  f.slider->SetValue(50);
  Snapshot idle(f.slider);
  TColor face = xptest::Rgb(0xE0E0E0);
  // Background where nothing is drawn; the ruler's dark groove line
  // (row 3 of the picture) left of the thumb; the thumb's face.
  EXPECT_EQ(idle.At(2, 2), face);
  TPoint org = f.slider->RulerOrg();
  EXPECT_EQ(idle.At(org.x + 20, org.y + 3), 0x000000);
  EXPECT_EQ(idle.At(org.x + 20, org.y + 0), face) << "the ruler's magenta rows are transparent";
  TRect thumb = f.slider->ThumbRect();
  EXPECT_EQ(idle.At(thumb.Left + 3, thumb.Top + 4), 0xC0C0C0);
  EXPECT_EQ(idle.At(thumb.Left, thumb.Bottom - 1), face) << "the thumb's point leaves its corner transparent";
  // Scale points: 11 of them, 5 pixels at the ends, 3 between.
  int top = thumb.Bottom + 1;
  int x0 = f.slider->GetOffsetByValue(0) + 4, x1 = f.slider->GetOffsetByValue(10) + 4;
  EXPECT_EQ(idle.At(x0, top + 4), 0x000000);
  EXPECT_EQ(idle.At(x1, top + 2), 0x000000);
  EXPECT_EQ(idle.At(x1, top + 3), face);
  // Disabled: the thumb's right half (the white dotted face).
  f.slider->SetEnabled(false);
  Snapshot disabled(f.slider);
  EXPECT_EQ(disabled.At(thumb.Left + 3, thumb.Top + 2), 0xFFFFFF);
  f.slider->SetEnabled(true);
  // Focused: a dotted focus rectangle 2 pixels inside, only with
  // soShowFocus.
  f.slider->SetFocus();
  fwtest::Pump();
  auto dots = [&](const Snapshot& s) {
    int n = 0;
    for (int y = 2; y < 38; ++y) n += s.At(2, y) != face;
    return n;
  };
  Snapshot focused(f.slider);
  EXPECT_GE(dots(focused), 10);
  f.slider->SetOptions(TSliderOptions{soShowPoints, soSmooth});
  EXPECT_EQ(dots(Snapshot(f.slider)), 0);
  f.slider->SetOptions(TSliderOptions{soShowFocus, soShowPoints, soSmooth});

  auto shot = std::make_unique<TBitmap>();
  shot->SetPixelFormat(pf24bit);
  shot->SetSize(200, 220);
  shot->Canvas()->Brush()->SetColor(0xE0E0E0);
  shot->Canvas()->FillRect(Rect(0, 0, 200, 220));
  shot->Canvas()->Draw(0, 0, focused.bmp.get());
  f.slider->SetOrientation(soVertical);
  f.slider->SetBevelStyle(bvLowered);
  f.slider->SetValue(75);
  Snapshot vertical(f.slider);
  shot->Canvas()->Draw(160, 10, vertical.bmp.get());
  f.slider->SetOrientation(soHorizontal);
  f.slider->SetBevelStyle(bvNone);
  f.MakeStepped();
  f.slider->SetValue(300);
  f.slider->SetEnabled(false);
  Snapshot stepped(f.slider);
  shot->Canvas()->Draw(0, 60, stepped.bmp.get());
  EXPECT_TRUE(scenarios::SavePng(shot.get(), scenarios::ScreenshotPath("slider.png")));
}

TEST(Slider, StatesMatchTheirGoldenPictures) {
  // Idle, focused, thumb held, disabled; then the filter dialog's stepped
  // slider with a lowered bevel, and a vertical one at three quarters.
  SliderForm f;
  xptest::OnTop(f.form.form);
  f.slider->SetValue(50);
  ::SetFocus(f.form->Handle());
  fwtest::Pump();
  Snapshot idle(f.slider);
  f.slider->SetFocus();
  fwtest::Pump();
  Snapshot focused(f.slider);
  // A copy of the control shows no held thumb: the held one is taken from
  // the screen.
  TPoint c = f.ThumbCentre();
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, c.x, c.y);
  UpdateWindow(f.slider->Handle());
  Snapshot held(f.slider);
  {
    HDC dc = GetDC(f.slider->Handle());
    BitBlt(held.bmp->Canvas()->Handle(), 0, 0, held.Width(), held.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(f.slider->Handle(), dc);
  }
  f.Send(WM_LBUTTONUP, 0, c.x, c.y);
  f.slider->SetEnabled(false);
  Snapshot disabled(f.slider);
  f.slider->SetEnabled(true);
  f.MakeStepped();
  f.slider->SetBevelStyle(bvLowered);
  f.slider->SetValue(300);
  Snapshot stepped(f.slider);
  SliderForm v(soVertical, 40, 150);
  v.slider->SetValue(75);
  Snapshot vertical(v.slider);
  auto all = cktest::Stack({idle.bmp.get(), focused.bmp.get(), held.bmp.get(), disabled.bmp.get(),
                            stepped.bmp.get(), vertical.bmp.get()});
  EXPECT_TRUE(cktest::MatchesGolden(all.get(), "slider_states"));
}
