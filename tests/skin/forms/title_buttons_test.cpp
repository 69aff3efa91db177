// Title buttons of a real skinned window: hover, press, release inside and
// outside, a release with Ctrl held, a lost capture, disabled buttons, and
// the window's style deciding which buttons show.
#include <gtest/gtest.h>

#include "skin/engine/bitmap_dc.h"
#include "skin/forms/skinned_form.h"
#include "tests/skin/engine/core/program_skins.h"

namespace skin {
namespace {

uint64_t ImageAt(TkSkinProvider* p, const fw::TRect& r) { return PixelChecksum(SubView(View32(p->FormImage()), r)); }

TEST(TitleButtons, HoverLightsAButtonAndLeavingCoolsIt) {
  SkinnedForm f(0);
  const fw::TRect min = f.Layout().Min.Rect;
  const uint64_t normal = ImageAt(f.provider, min);
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, HTMINBUTTON, f.ScreenPoint(min));
  EXPECT_EQ(f.provider->CurrentHT(), HTMINBUTTON);
  EXPECT_EQ(f.provider->ButtonState(HTMINBUTTON), 1);
  EXPECT_NE(ImageAt(f.provider, min), normal) << "the hot image is painted";
  // Over the caption the button is normal again.
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, HTCAPTION, f.ScreenPoint(150, 10));
  EXPECT_EQ(f.provider->ButtonState(HTMINBUTTON), 0);
  EXPECT_EQ(ImageAt(f.provider, min), normal);
  // Leaving the frame does the same.
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, HTCLOSE, f.ScreenPoint(f.Layout().Close.Rect));
  EXPECT_EQ(f.provider->ButtonState(HTCLOSE), 1);
  SendMessageW(f.wnd(), WM_NCMOUSELEAVE, 0, 0);
  EXPECT_EQ(f.provider->ButtonState(HTCLOSE), 0);
  EXPECT_EQ(f.provider->CurrentHT(), -1);
}

TEST(TitleButtons, PressAndReleaseInsideRunsTheCommandOutsideNothing) {
  SkinnedForm f(1);
  const fw::TRect max = f.Layout().Max.Rect;
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTMAXBUTTON, f.ScreenPoint(max));
  EXPECT_EQ(f.provider->ButtonState(HTMAXBUTTON), 2);
  EXPECT_TRUE(TitleButtonPressed);
  EXPECT_EQ(GetCapture(), f.wnd()) << "the release comes to the form wherever it is";
  // Another button does not light up while one is held.
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, HTMINBUTTON, f.ScreenPoint(f.Layout().Min.Rect));
  EXPECT_EQ(f.provider->ButtonState(HTMINBUTTON), 0);
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(max));
  EXPECT_TRUE(IsZoomed(f.wnd()));
  EXPECT_FALSE(TitleButtonPressed);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(f.provider->ButtonState(HTMAXBUTTON), 0);
  // Pressed and released over the caption: nothing.
  const fw::TRect restore = f.Layout().Max.Rect;
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTMAXBUTTON, f.ScreenPoint(restore));
  EXPECT_EQ(f.provider->ButtonState(HTMAXBUTTON), 2);
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(fw::Rect(150, 8, 152, 10)));
  EXPECT_TRUE(IsZoomed(f.wnd())) << "released outside the button";
  EXPECT_EQ(f.provider->ButtonState(HTMAXBUTTON), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  // And again inside: restored.
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTMAXBUTTON, f.ScreenPoint(restore));
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(restore));
  EXPECT_FALSE(IsZoomed(f.wnd()));
}

TEST(TitleButtons, CtrlReleaseAndLostCaptureDoNothing) {
  SkinnedForm f(0);
  // Ctrl is 8 in the key flags, the minimise button's hit code.
  SendMessageW(f.wnd(), WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(100, 100));
  fwtest::Pump(50);
  EXPECT_FALSE(IsIconic(f.wnd()));
  // A press whose capture is lost is over.
  const fw::TRect close = f.Layout().Close.Rect;
  struct Watch {
    bool closed = false;
    void OnClose(fw::TObject*, fw::TCloseAction&) { closed = true; }
  } watch;
  f.form->OnClose = fw::TCloseEvent(&watch, &Watch::OnClose);
  const bool& closed = watch.closed;
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTCLOSE, f.ScreenPoint(close));
  EXPECT_EQ(f.provider->ButtonState(HTCLOSE), 2);
  ReleaseCapture();
  EXPECT_FALSE(TitleButtonPressed);
  EXPECT_EQ(f.provider->ButtonState(HTCLOSE), 0);
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(close));
  EXPECT_FALSE(closed);
  // A real click closes.
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTCLOSE, f.ScreenPoint(close));
  SendMessageW(f.wnd(), WM_LBUTTONUP, MK_CONTROL, f.ClientPoint(close));
  EXPECT_TRUE(closed);
}

TEST(TitleButtons, DisabledButtonsAreNotPressed) {
  SkinnedForm f(0);
  EnableMenuItem(GetSystemMenu(f.wnd(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  const fw::TRect close = f.Layout().Close.Rect;
  EXPECT_EQ(f.HitAt((close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2), HTCAPTION);
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTCLOSE, f.ScreenPoint(f.Layout().Close.Rect));
  EXPECT_EQ(f.provider->ButtonState(HTCLOSE), 0);
  EXPECT_EQ(f.provider->CurrentHT(), 0);
  EXPECT_FALSE(TitleButtonPressed);
  EXPECT_FALSE(f.provider->ImageInput().EnabledClose) << "painted faded";
  ReleaseCapture();
}

TEST(TitleButtons, TheWindowsStyleDecidesWhichButtonsShow) {
  using I = fw::TBorderIcons;
  struct Case {
    const char* what;
    fw::TFormBorderStyle style;
    I icons;
    bool close, max, min, help;
  } cases[] = {
      {"sizeable", fw::bsSizeable, I{fw::biSystemMenu, fw::biMinimize, fw::biMaximize}, true, true, true, false},
      {"no maximise", fw::bsSizeable, I{fw::biSystemMenu, fw::biMinimize}, true, false, true, false},
      {"single, close alone", fw::bsSingle, I{fw::biSystemMenu}, true, false, false, false},
      {"dialog", fw::bsDialog, I{fw::biSystemMenu, fw::biMinimize, fw::biMaximize}, true, false, false, false},
      {"tool window", fw::bsToolWindow, I{fw::biSystemMenu}, true, false, false, false},
      {"help", fw::bsSizeable, I{fw::biSystemMenu, fw::biHelp}, true, false, false, true},
      {"no system menu", fw::bsSizeable, I{fw::biMinimize, fw::biMaximize}, false, false, false, false},
  };
  for (const Case& c : cases) {
    SkinnedForm f(0, c.style, 400, 300, false);
    f.form->SetBorderIcons(c.icons);
    f.Show();
    const TkCaptionLayout& l = f.Layout();
    EXPECT_EQ(l.Close.Rect.Width() > 0, c.close) << c.what;
    EXPECT_EQ(l.Max.Rect.Width() > 0, c.max) << c.what;
    EXPECT_EQ(l.Min.Rect.Width() > 0, c.min) << c.what;
    EXPECT_EQ(l.Help.Rect.Width() > 0, c.help) << c.what;
    if (c.style == fw::bsSingle && f.skin->ConstData.MaskCloseAloneBtn >= 0)
      EXPECT_EQ(l.Close.ImageIndex, f.skin->ConstData.MaskCloseAloneBtn) << "the lone close mask";
    if (c.style == fw::bsToolWindow && f.skin->ConstData.MaskCloseSmall >= 0)
      EXPECT_EQ(l.Close.ImageIndex, f.skin->ConstData.MaskCloseSmall) << "small buttons";
  }
}

}  // namespace
}  // namespace skin
