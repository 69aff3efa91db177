// The hit test of a real skinned window over a table of points: each
// border and corner, the caption, the icon, each title button and the
// client area; help after minimise without maximise; a disabled close.
#include <gtest/gtest.h>

#include "skin/forms/skinned_form.h"

namespace skin {
namespace {

fw::TRect Centre(const fw::TRect& r) { return fw::Rect(r.Left + r.Width() / 2, r.Top + r.Height() / 2, 0, 0); }

TEST(FrameHitTest, PointsOfASizeableWindow) {
  for (int s = 0; s < 2; ++s) {
    SkinnedForm f(s);
    const int b = GetSystemMetrics(SM_CXFRAME);
    const TkCaptionLayout& l = f.Layout();
    ASSERT_GT(l.Close.Rect.Width(), 0);
    struct Case {
      const char* what;
      int x, y;
      LRESULT code;
    } cases[] = {
        {"left", 1, 150, HTLEFT},
        {"right", 398, 150, HTRIGHT},
        {"top", 200, 1, HTTOP},
        {"bottom", 200, 298, HTBOTTOM},
        {"top-left", 1, 1, HTTOPLEFT},
        {"top-right", 398, 1, HTTOPRIGHT},
        {"bottom-left", 1, 298, HTBOTTOMLEFT},
        {"bottom-right", 398, 298, HTBOTTOMRIGHT},
        {"caption", 150, b + 8, HTCAPTION},
        {"icon", Centre(l.IconRect).Left, Centre(l.IconRect).Top, HTSYSMENU},
        {"close", Centre(l.Close.Rect).Left, Centre(l.Close.Rect).Top, HTCLOSE},
        {"maximise", Centre(l.Max.Rect).Left, Centre(l.Max.Rect).Top, HTMAXBUTTON},
        {"minimise", Centre(l.Min.Rect).Left, Centre(l.Min.Rect).Top, HTMINBUTTON},
        {"client", 200, 150, HTCLIENT},
    };
    for (const Case& c : cases) EXPECT_EQ(f.HitAt(c.x, c.y), c.code) << c.what << " in skin " << s;
  }
}

TEST(FrameHitTest, HelpBesideMinimiseAndADisabledClose) {
  SkinnedForm f(0, fw::bsSizeable, 400, 300, false);
  f.form->SetBorderIcons(fw::TBorderIcons{fw::biSystemMenu, fw::biMinimize, fw::biHelp});
  f.Show();
  const TkCaptionLayout& l = f.Layout();
  ASSERT_EQ(l.Max.Rect.Width(), 0) << "no maximise button";
  ASSERT_GT(l.Help.Rect.Width(), 0);
  EXPECT_LT(l.Help.Rect.Right, l.Min.Rect.Left) << "help stands left of minimise";
  EXPECT_EQ(f.HitAt(Centre(l.Min.Rect).Left, Centre(l.Min.Rect).Top), HTMINBUTTON);
  EXPECT_EQ(f.HitAt(Centre(l.Help.Rect).Left, Centre(l.Help.Rect).Top), HTHELP);
  // Closing disabled in the system menu: the close button drags the form.
  EnableMenuItem(GetSystemMenu(f.wnd(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  EXPECT_EQ(f.HitAt(Centre(l.Close.Rect).Left, Centre(l.Close.Rect).Top), HTCAPTION);
}

}  // namespace
}  // namespace skin
