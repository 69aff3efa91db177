// Clicks on a skinned frame beyond the title buttons: the size grip answers
// for the corner inside the client area, a double click on the caption
// maximises and restores, one on the title icon closes the form, a click on
// the icon and the right button on the caption open the skin's system menu
// (at the icon, or at the mouse), and the right button's press on the
// caption never reaches the form.
#include <gtest/gtest.h>

#include <vector>

#include "services/wndprochook.h"
#include "skin/forms/skinned_form.h"

namespace skin {
namespace {

fw::TPoint Centre(const fw::TRect& r) { return {r.Left + r.Width() / 2, r.Top + r.Height() / 2}; }

// The system menu's openings, without opening it.
struct MenuSpy {
  std::vector<POINT> at;
  explicit MenuSpy(TkSkinProvider& p) {
    p.Menus().ShowPopup = [this](fw::TPopupMenu*, int x, int y) { at.push_back({x, y}); };
    p.Menus().TrackStandardMenu = [this](HMENU, int x, int y, HWND) -> UINT {
      at.push_back({x, y});
      return 0;
    };
  }
};

TEST(FrameClicks, TheSizeGripAnswersForTheCornerInsideTheClientArea) {
  int skin = -1;
  for (int s = 0; s < 2 && skin < 0; ++s)
    if (StoredProgramSkin(s)->IsValidImgIndex(StoredProgramSkin(s)->ConstData.GripRightBottom)) skin = s;
  if (skin < 0) GTEST_SKIP() << "no skin of the program has a size grip";
  SkinnedForm f(skin);
  const TkMaskData& grip = f.skin->ma[f.skin->ConstData.GripRightBottom];
  RECT c{};
  GetClientRect(f.wnd(), &c);
  POINT corner{c.right - 2, c.bottom - 2};
  ClientToScreen(f.wnd(), &corner);
  POINT inside{c.right - MaskFrameWidth(grip) - 6, c.bottom - MaskFrameHeight(grip) - 6};
  ClientToScreen(f.wnd(), &inside);
  auto hit = [&](POINT p) { return SendMessageW(f.wnd(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)); };
  EXPECT_EQ(hit(corner), HTCLIENT) << "no grip";
  f.provider->GripMode = gmRightBottom;
  EXPECT_EQ(hit(corner), HTBOTTOMRIGHT) << "on the grip";
  EXPECT_EQ(hit(inside), HTCLIENT) << "beside the grip";
  ShowWindow(f.wnd(), SW_MAXIMIZE);
  GetClientRect(f.wnd(), &c);
  corner = {c.right - 2, c.bottom - 2};
  ClientToScreen(f.wnd(), &corner);
  EXPECT_EQ(hit(corner), HTCLIENT) << "a maximised window has no grip";
}

TEST(FrameClicks, DoubleClicksOnTheCaptionAndTheIcon) {
  SkinnedForm f(0);
  const LPARAM caption = f.ScreenPoint(f.Layout().IconRect.Right + 60, f.Layout().VCenter);
  ASSERT_EQ(SendMessageW(f.wnd(), WM_NCHITTEST, 0, caption), HTCAPTION);
  SendMessageW(f.wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, caption);
  EXPECT_TRUE(IsZoomed(f.wnd())) << "maximised";
  TkSystemMenu* menu = f.provider->Menus().SystemMenu();
  ASSERT_TRUE(menu && menu->ItemRestore);
  EXPECT_TRUE(menu->ItemRestore->Enabled()) << "the system menu follows the new state";
  SendMessageW(f.wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, f.ScreenPoint(f.Layout().IconRect.Right + 60, f.Layout().VCenter));
  EXPECT_FALSE(IsZoomed(f.wnd())) << "restored";
  // Without maximise in the window's icons a double click does nothing.
  f.form->SetBorderIcons(fw::TBorderIcons{fw::biSystemMenu, fw::biMinimize});
  SendMessageW(f.wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, caption);
  EXPECT_FALSE(IsZoomed(f.wnd()));
  // On the title icon it closes the form.
  bool closed = false;
  struct Events {
    bool* closed;
    void Close(fw::TObject*, fw::TCloseAction&) { *closed = true; }
  } events{&closed};
  f.form->OnClose = fw::TCloseEvent(&events, &Events::Close);
  SendMessageW(f.wnd(), WM_NCLBUTTONDBLCLK, HTSYSMENU, f.ScreenPoint(f.Layout().IconRect));
  EXPECT_TRUE(closed);
  EXPECT_FALSE(IsWindowVisible(f.wnd()));
  f.form->OnClose = {};
}

TEST(FrameClicks, TheIconAndTheRightButtonOpenTheSkinsSystemMenu) {
  SkinnedForm f(0);
  MenuSpy spy(*f.provider);
  const RECT w = f.WindowRect();
  const TkFormFrameFacts& frame = f.provider->ImageInput().Frame;
  // A click on the icon: below the icon (skinned popups open at once).
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTSYSMENU, f.ScreenPoint(f.Layout().IconRect));
  ASSERT_EQ(spy.at.size(), 1u);
  EXPECT_EQ(spy.at[0].x, w.left + FrameWidthOf(frame, false));
  EXPECT_EQ(spy.at[0].y,
            w.top + BorderHeight(frame, true) + f.Layout().IconRect.Height() + FrameHeightOf(frame, false));
  // The right button on the caption: its press is swallowed, its release
  // opens the menu at the mouse.
  struct Counter {
    int presses = 0;
    bool Hook(fw::TMessage& m) {
      if (m.Msg == WM_NCRBUTTONDOWN) ++presses;
      return false;
    }
  } seen;
  const services::TCkControlHook hook(&seen, &Counter::Hook);
  ASSERT_TRUE(services::AddWindowProcHook(f.form.form, hook, services::hoAfterMsg));
  const fw::TPoint c = Centre(fw::Rect(f.Layout().IconRect.Right + 40, 2, f.Layout().IconRect.Right + 80, 20));
  const LPARAM at = f.ScreenPoint(c.x, c.y);
  ASSERT_EQ(SendMessageW(f.wnd(), WM_NCHITTEST, 0, at), HTCAPTION);
  SendMessageW(f.wnd(), WM_NCRBUTTONDOWN, HTCAPTION, at);
  EXPECT_EQ(seen.presses, 0) << "the press on the caption never reaches the form";
  SendMessageW(f.wnd(), WM_NCRBUTTONDOWN, HTCLIENT, at);
  EXPECT_EQ(seen.presses, 1) << "other presses do";
  SendMessageW(f.wnd(), WM_NCRBUTTONUP, HTCAPTION, at);
  ASSERT_EQ(spy.at.size(), 2u);
  EXPECT_EQ(spy.at[1].x, short(LOWORD(at)));
  EXPECT_EQ(spy.at[1].y, short(HIWORD(at)));
  services::RemoveWindowProcHook(f.form.form, hook, services::hoAfterMsg);
}

}  // namespace
}  // namespace skin
