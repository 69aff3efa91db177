// The buttons of a maximised MDI child at the end of its skinned frame's
// menu line: shown only while the child is maximised, painted into the
// frame's image, hit-tested, lit, pressed and clicked (restore, minimise,
// close of the active child), and refused by the child's own rules.
#include <gtest/gtest.h>

#include <vector>

#include "skin/forms/mdi_child_class.h"
#include "skin/forms/skinned_form.h"
#include "skin/forms/skinned_manager.h"
#include "tests/scenarios/screenshot_png.h"

namespace skin {
namespace {

using skintest::SkinnedManager;

// A skinned MDI frame with a menu line and one child window; the child's
// rules come from a form standing for it (the child provider).
struct MdiMenuFrame {
  SkinnedManager m{1};
  fwtest::TestForm form{480, 340};
  TkSkinProvider* provider = nullptr;
  SkinnedForm childForm{1, fw::bsSizeable, 200, 120, false};
  HWND client = nullptr, child = nullptr;
  MdiMenuFrame() {
    form->SetBorderStyle(fw::bsSizeable);
    form->SetCaption(u"MDI frame");
    form->SetFormStyle(fw::fsMDIForm);
    auto* menu = new fw::TMainMenu(form.form);
    for (const char16_t* caption : {u"&File", u"&Window"}) {
      auto* item = new fw::TMenuItem(form.form);
      item->SetCaption(caption);
      menu->Items()->Add(item);
      auto* sub = new fw::TMenuItem(form.form);
      sub->SetCaption(u"Item");
      item->Add(sub);
    }
    form->SetMenu(menu);
    provider = new TkSkinProvider(form.form);
    provider->Menus().SetManager(&m.manager);
    provider->SetSkin(m.manager.LoadedSkin());
    // The frame form's own client window.
    form->HandleNeeded();
    client = form->ClientHandle();
    MDICREATESTRUCTW mcs{skintest::MdiChildClass(), L"Child", GetModuleHandleW(nullptr), 10, 10, 200, 130, WS_SYSMENU, 0};
    child = reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    // The stand-in is maximised like the child (its rules allow restoring).
    childForm.form->SetFormStyle(fw::fsMDIChild);
    childForm.form->SetWindowState(fw::wsMaximized);
    form->Show();
    SetForegroundWindow(wnd());
    fwtest::PumpUntil([&] { return provider->BuildCount() > 0 && provider->FormActive(); }, 20000);
  }
  ~MdiMenuFrame() { ChildProvider = nullptr; }
  HWND wnd() { return form->Handle(); }
  void Maximise() {
    SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    ChildProvider = childForm.provider;
    provider->RepaintMDIMainFrame(true);
    fwtest::Pump(50);
    provider->RepaintFormFrame();
  }
  const fw::TRect& Rect(int code) {
    const TkMdiButtons& b = provider->MdiButtons();
    return code == 101 ? b.Close.Rect : code == 102 ? b.Max.Rect : b.Min.Rect;
  }
  LPARAM ScreenPoint(const fw::TRect& r) {
    RECT w{};
    GetWindowRect(wnd(), &w);
    return MAKELPARAM(w.left + (r.Left + r.Right) / 2, w.top + (r.Top + r.Bottom) / 2);
  }
  LPARAM ClientPoint(const fw::TRect& r) {
    const LPARAM s = ScreenPoint(r);
    POINT p{short(LOWORD(s)), short(HIWORD(s))};
    ScreenToClient(wnd(), &p);
    return MAKELPARAM(p.x, p.y);
  }
  void Click(int code) {
    SendMessageW(wnd(), WM_NCLBUTTONDOWN, WPARAM(code), ScreenPoint(Rect(code)));
    SendMessageW(wnd(), WM_LBUTTONUP, 0, ClientPoint(Rect(code)));
    fwtest::Pump(20);
  }
  std::vector<uint32_t> Pixels(const fw::TRect& r) {
    GdiFlush();
    std::vector<uint32_t> out;
    fw::TBitmap& image = provider->FormImage();
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) out.push_back(uint32_t(GetPixel(image.Canvas()->Handle(), x, y)));
    return out;
  }
};

TEST(MdiButtons, AMaximisedChildsButtonsStandInTheMenuLineAndAnswerTheHitTest) {
  MdiMenuFrame f;
  ASSERT_TRUE(f.client && f.child);
  ASSERT_TRUE(f.provider->ImageInput().Frame.HasMainMenu);
  EXPECT_FALSE(f.provider->MDIButtonsVisible()) << "the child is not maximised";
  f.Maximise();
  ASSERT_TRUE(IsZoomed(f.child));
  ASSERT_TRUE(f.provider->MDIButtonsVisible());
  const fw::TRect close = f.Rect(101), restore = f.Rect(102), min = f.Rect(103);
  // Right to left at the end of the line, one button wide each, the same row.
  ASSERT_GT(close.Width(), 0);
  EXPECT_LT(restore.Right, close.Left);
  EXPECT_LT(min.Right, restore.Left);
  EXPECT_EQ(restore.Width(), close.Width());
  EXPECT_EQ(restore.Top, close.Top);
  const TkFormFrameFacts& frame = f.provider->ImageInput().Frame;
  EXPECT_EQ(close.Right, CaptionWidth(frame) - FrameWidthOf(frame, true) - 1);
  EXPECT_GT(close.Top, FrameHeightOf(frame, true) + CaptionHeight(frame, true) - 1) << "below the title";
  struct Case {
    int code;
    const fw::TRect* at;
  } cases[] = {{101, &close}, {102, &restore}, {103, &min}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(SendMessageW(f.wnd(), WM_NCHITTEST, 0, f.ScreenPoint(*c.at)), c.code);
  }
  fwtest::Pump(50);
  scenarios::SavePng(scenarios::ScreenshotOf(f.wnd()).get(), scenarios::ScreenshotPath("mdi_child_buttons.png"));
  // Painted into the image: the close button's pixels differ from the line
  // without the buttons.
  const std::vector<uint32_t> shown = f.Pixels(close);
  ChildProvider = nullptr;
  f.provider->RepaintFormFrame();
  EXPECT_FALSE(f.provider->MDIButtonsVisible());
  EXPECT_NE(f.Pixels(close), shown);
  EXPECT_NE(SendMessageW(f.wnd(), WM_NCHITTEST, 0, f.ScreenPoint(close)), 101) << "gone with the child provider";
}

TEST(MdiButtons, HoverPressAndClickActOnTheActiveChild) {
  MdiMenuFrame f;
  f.Maximise();
  ASSERT_TRUE(f.provider->MDIButtonsVisible());
  // Hot under the mouse, pressed by the button, restored by the release.
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, 102, f.ScreenPoint(f.Rect(102)));
  EXPECT_EQ(f.provider->CurrentHT(), 102);
  EXPECT_EQ(f.provider->MdiButtons().Max.State, 1);
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, 102, f.ScreenPoint(f.Rect(102)));
  EXPECT_EQ(f.provider->MdiButtons().Max.State, 2);
  EXPECT_TRUE(TitleButtonPressed);
  // Moving over another button while pressed does not light it.
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, 101, f.ScreenPoint(f.Rect(101)));
  EXPECT_NE(f.provider->MdiButtons().Close.State, 1);
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(f.Rect(102)));
  EXPECT_FALSE(TitleButtonPressed);
  EXPECT_FALSE(IsZoomed(f.child)) << "restored";
  EXPECT_EQ(f.provider->MdiButtons().Max.State, 0);
  // Minimised by its minimise button.
  f.Maximise();
  f.Click(103);
  EXPECT_TRUE(IsIconic(f.child));
  // Pressed and released elsewhere: nothing happens.
  f.Maximise();
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, 101, f.ScreenPoint(f.Rect(101)));
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
  EXPECT_FALSE(TitleButtonPressed);
  EXPECT_TRUE(IsWindow(f.child));
  // Closed by its close button.
  f.Click(101);
  EXPECT_FALSE(IsWindow(f.child));
}

TEST(MdiButtons, TheChildsRulesRefuseItsButtons) {
  MdiMenuFrame f;
  // A child without minimise and maximise: neither button presses.
  f.childForm.form->SetBorderIcons(fw::TBorderIcons{fw::biSystemMenu});
  f.Maximise();
  ASSERT_TRUE(f.provider->MDIButtonsVisible());
  for (int code : {103, 102}) {
    SCOPED_TRACE(code);
    f.Click(code);
    EXPECT_FALSE(TitleButtonPressed);
    EXPECT_TRUE(IsZoomed(f.child));
  }
}

}  // namespace
}  // namespace skin
