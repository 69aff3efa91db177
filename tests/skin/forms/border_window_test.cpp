// The extended border window on real windows: where it lies around its
// owner and what it uploads, its region with the owner's client area cut
// out, its hit answers, clicks falling through its shadow, clicks on its
// frame reaching the owner, and the edge double-click stretch.
#include "skin/forms/border_window.h"

#include <gtest/gtest.h>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/forms/layered_recorder.h"
#include "tests/fw/controls_test_util.h"

namespace skin {
namespace {

constexpr int kX = 20, kY = 30;  // the owner inside the border window
constexpr int kW = 300, kH = 200;

// A plain window owning a border window with a 10-pixel shadow.
struct Owner : TkcBorderOwner {
  skintest::TCountingWindow w{200, 150, kW, kH};
  std::unique_ptr<fw::TBitmap> image = NewBitmap32(kW + 2 * kX, kH + kY + 20);
  uint32_t state = 0;
  bool bg = true;
  bool modal = false;
  int paints = 0;
  Owner() {
    SetForegroundWindow(w.wnd);
    fwtest::Pump(0);
  }
  HWND OwnerHandle() const override { return w.wnd; }
  uint32_t& FormState() override { return state; }
  fw::TBitmap* CacheBitmap() override { return image.get(); }
  bool& BGChanged() override { return bg; }
  void PaintAll() override {
    ++paints;
    const TPixelView32 v = View32(*image);
    FillRectAlpha(v, fw::Rect(0, 0, v.Width, v.Height), 0x000000, 60);  // shadow
    FillRectAlpha(v, fw::Rect(10, 10, v.Width - 10, v.Height - 10), 0x806040, 255);
    bg = false;
  }
  int XOffset() const override { return kX; }
  int YOffset() const override { return kY; }
  TkBorderFacts HitFacts() const override {
    TkBorderFacts f;
    f.Shadow = fw::Rect(10, 10, 10, 10);
    f.FrameWidth = 4;
    f.FrameHeight = 4;
    f.CaptionHeight = 16;
    f.SystemMenuAllowed = false;
    return f;
  }
  TkBorderClientFacts ClientFacts() const override {
    RECT wr{}, cr{};
    GetWindowRect(w.wnd, &wr);
    GetClientRect(w.wnd, &cr);
    POINT o{0, 0};
    ClientToScreen(w.wnd, &o);
    TkBorderClientFacts c;
    c.OffsetX = kX + (o.x - wr.left);
    c.OffsetY = kY + (o.y - wr.top);
    c.ClientWidth = cr.right;
    c.ClientHeight = cr.bottom;
    return c;
  }
  bool Modal() const override { return modal; }
  int ExtFrameDelta() const override { return 3; }
  // The client area's centre in border-window coordinates.
  POINT ClientCentre() const {
    const TkBorderClientFacts c = ClientFacts();
    return POINT{c.OffsetX + c.ClientWidth / 2, c.OffsetY + c.ClientHeight / 2};
  }
};

RECT RectOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

bool InRegion(HWND w, int x, int y) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(w, rgn);
  const bool in = kind == ERROR ? true : PtInRegion(rgn, x, y) != 0;
  DeleteObject(rgn);
  return in;
}

LPARAM ScreenParam(HWND w, int x, int y) {
  const RECT r = RectOf(w);
  return MAKELPARAM(r.left + x, r.top + y);
}

TEST(BorderWindow, LiesAroundItsOwnerAndMovesWithoutUploading) {
  Owner o;
  skintest::TLayeredRecorder rec;
  TkcBorderForm b(&o);
  b.UpdateExBordersPos(true, 255);
  const HWND w = b.AForm();
  ASSERT_NE(w, nullptr);
  const RECT r = RectOf(w);
  EXPECT_EQ(r.left, 200 - kX);
  EXPECT_EQ(r.top, 150 - kY);
  EXPECT_EQ(r.right - r.left, o.image->Width());
  EXPECT_EQ(r.bottom - r.top, o.image->Height());
  EXPECT_EQ(GetWindow(w, GW_OWNER), o.w.wnd);
  const LONG_PTR ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
  EXPECT_EQ(ex & 0x08080080, 0x08080080);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(b.UploadCount(), 1);
  EXPECT_EQ(rec.AlphasOf(w), (std::vector<int>{255}));
  EXPECT_EQ(o.paints, 1);
  // A move of the owner is followed by one move of the window.
  SetWindowPos(o.w.wnd, nullptr, 230, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  b.UpdateExBordersPos(false, 255);
  EXPECT_EQ(RectOf(w).left, 230 - kX);
  EXPECT_EQ(RectOf(w).top, 160 - kY);
  EXPECT_EQ(b.UploadCount(), 1);
  // It never takes activation.
  EXPECT_EQ(SendMessageW(w, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTOBJECT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  // Nothing happens while it is already being updated.
  b.ExBorderShowing = true;
  o.bg = true;
  b.UpdateExBordersPos(true, 255);
  EXPECT_EQ(b.UploadCount(), 1);
}

TEST(BorderWindow, RegionLeavesTheClientToTheOwnerAndHitAnswers) {
  Owner o;
  TkcBorderForm b(&o);
  b.UpdateExBordersPos(true, 255);
  const HWND w = b.AForm();
  const POINT centre = o.ClientCentre();
  EXPECT_FALSE(InRegion(w, centre.x, centre.y));
  EXPECT_TRUE(InRegion(w, 12, 100)) << "frame";
  EXPECT_TRUE(InRegion(w, 3, 100)) << "shadow";
  EXPECT_EQ(SendMessageW(w, WM_NCHITTEST, 0, ScreenParam(w, 12, 100)), HTOBJECT);
  EXPECT_EQ(SendMessageW(w, WM_NCHITTEST, 0, ScreenParam(w, 3, 100)), HTCLIENT);
  EXPECT_EQ(b.Ex_WMNCHitTest({RectOf(w).left + 12, RectOf(w).top + 100}), HTLEFT);
  EXPECT_EQ(b.Ex_WMNCHitTest({RectOf(w).left + 100, RectOf(w).top + 15}), HTTOP);
}

TEST(BorderWindow, ShadowLetsClicksThroughToTheWindowBehind) {
  skintest::TCountingWindow behind{100, 50, 500, 400, WS_POPUP};
  Owner o;
  TkcBorderForm b(&o);
  b.UpdateExBordersPos(true, 255);
  const HWND w = b.AForm();
  fwtest::Pump(50);
  const RECT r = RectOf(w);
  const POINT shadow{r.left + 4, r.top + 100};
  ASSERT_EQ(WindowFromPoint(shadow), w);
  SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(4, 100));
  EXPECT_FALSE(InRegion(w, 4, 100));
  EXPECT_TRUE(InRegion(w, 4, 101));
  EXPECT_EQ(WindowFromPoint(shadow), behind.wnd);
  // The next shadow test closes the hole again.
  EXPECT_TRUE(b.MouseAboveTheShadow({4, 150}));
  EXPECT_TRUE(InRegion(w, 4, 100));
  // A modal form's shadow keeps catching the mouse.
  o.modal = true;
  SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(4, 100));
  EXPECT_TRUE(InRegion(w, 4, 100));
  o.modal = false;
  // So does the shadow during a blended move.
  o.state = kFsBlendedMove;
  EXPECT_FALSE(b.MouseAboveTheShadow({4, 100}));
  o.state = 0;
}

TEST(BorderWindow, ClicksOnTheFrameReachTheOwnerAndOnTheShadowDoNot) {
  Owner o;
  TkcBorderForm b(&o);
  b.UpdateExBordersPos(true, 255);
  const HWND w = b.AForm();
  SendMessageW(w, WM_NCLBUTTONDOWN, HTOBJECT, ScreenParam(w, 100, 14));
  SendMessageW(w, WM_NCLBUTTONUP, HTOBJECT, ScreenParam(w, 100, 14));
  EXPECT_EQ(o.w.Count(WM_NCLBUTTONDOWN), 1);
  EXPECT_EQ(o.w.Count(WM_NCLBUTTONUP), 1);
  SendMessageW(w, WM_NCLBUTTONDOWN, HTOBJECT, ScreenParam(w, 3, 100));
  EXPECT_EQ(o.w.Count(WM_NCLBUTTONDOWN), 1);
}

TEST(BorderWindow, HiddenOwnerFreesTheWindow) {
  Owner o;
  TkcBorderForm b(&o);
  b.UpdateExBordersPos(true, 255);
  const HWND w = b.AForm();
  ShowWindow(o.w.wnd, SW_HIDE);
  b.UpdateExBordersPos(true, 255);
  EXPECT_EQ(b.AForm(), nullptr);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_TRUE(o.bg);
  ShowWindow(o.w.wnd, SW_SHOWNA);
  b.UpdateExBordersPos(true, 255);
  EXPECT_NE(b.AForm(), nullptr) << "made again at the next update";
}

TEST(BorderWindow, EdgeDoubleClickStretchesOverTheWorkAreaAndBack) {
  Owner o;
  TkcBorderForm b(&o);
  b.UpdateExBordersPos(true, 255);
  const HWND w = b.AForm();
  const RECT before = RectOf(o.w.wnd);
  const fw::TRect work = o.WorkArea();
  SendMessageW(w, WM_NCLBUTTONDBLCLK, HTOBJECT, ScreenParam(w, 12, 100));
  RECT now = RectOf(o.w.wnd);
  EXPECT_EQ(now.left, work.Left + 3);
  EXPECT_EQ(now.right - now.left, work.Width() - 6);
  EXPECT_EQ(now.top, before.top);
  EXPECT_TRUE(o.state & kFsStretchedWidth);
  b.UpdateExBordersPos(true, 255);
  SendMessageW(w, WM_NCLBUTTONDBLCLK, HTOBJECT, ScreenParam(w, RectOf(w).right - RectOf(w).left - 12, 100));
  now = RectOf(o.w.wnd);
  EXPECT_EQ(now.left, before.left);
  EXPECT_EQ(now.right - now.left, before.right - before.left);
  EXPECT_FALSE(o.state & kFsStretchedWidth);
}

// Notes what a double-click and a move of the border window ask of its
// owner.
struct RecordingOwner : Owner {
  int dragsEnded = 0, commands = 0;
  bool stayOnTop = false, timer = false;
  void EndOutlineDrag() override { ++dragsEnded; }
  void WindowCommandSent() override { ++commands; }
  bool StayOnTop() const override { return stayOnTop; }
  bool AnimationTimer() const override { return timer; }
};

TEST(BorderWindow, CaptionDoubleClickEndsTheOutlineDragAndRefreshesTheSystemMenu) {
  RecordingOwner o;
  TkcBorderForm b(&o);
  b.UpdateExBordersPos(true, 255);
  const HWND w = b.AForm();
  // On the caption: the owner is maximised and its menu brought up to date.
  SendMessageW(w, WM_NCLBUTTONDBLCLK, HTOBJECT, ScreenParam(w, 150, 24));
  EXPECT_EQ(o.dragsEnded, 1);
  EXPECT_TRUE(IsZoomed(o.w.wnd));
  EXPECT_EQ(o.commands, 1);
  ShowWindow(o.w.wnd, SW_RESTORE);
  // On a side edge the form is stretched, with no window command.
  b.UpdateExBordersPos(true, 255);
  SendMessageW(w, WM_NCLBUTTONDBLCLK, HTOBJECT, ScreenParam(w, 12, 100));
  EXPECT_EQ(o.dragsEnded, 2);
  EXPECT_EQ(o.commands, 1);
}

TEST(BorderWindow, MovedWhileItsOwnerIsIconicItsImageIsMadeAnew) {
  RecordingOwner o;
  TkcBorderForm b(&o);
  b.UpdateExBordersPos(true, 255);
  const HWND w = b.AForm();
  // Its owner on the taskbar: the image is made anew when the border
  // window moves, though not while an animation timer holds it.
  ShowWindow(o.w.wnd, SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(o.w.wnd));
  o.timer = true;
  int paints = o.paints;
  SetWindowPos(w, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(o.paints, paints);
  o.timer = false;
  SetWindowPos(w, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_GT(o.paints, paints);
  ShowWindow(o.w.wnd, SW_RESTORE);
}

// The owner's windows hidden and shown together (the messages the
// window's default handling acts on) reach the border window only where
// the main form's rules let them through.
struct ShowingOwner : Owner {
  bool main = true;
  TkBorderShowFacts facts;
  int stored = 0;
  bool MainForm() const override { return main; }
  TkBorderShowFacts ShowFacts() const override { return facts; }
  void StoreHideImage() override {
    state |= 0x200;
    ++stored;
  }
};

TEST(BorderWindow, TheMainFormsShowingRules) {
  struct Case {
    const char* name;
    bool main, rules, hideAnimated, onTaskbar, terminating;
    uint32_t state;
    bool show, visibleAfter;
  };
  const Case cases[] = {
      {"main form hidden", true, true, false, true, false, 0, false, false},
      {"minimize animation runs", true, true, false, true, false, 0x100, false, true},
      {"hide snapshot exists", true, true, false, true, false, 0x200, false, true},
      {"hide animated: image kept", true, true, true, true, false, 0, false, true},
      {"animation elsewhere, on the taskbar", true, false, false, true, false, 0, false, true},
      {"not on the taskbar", true, false, false, false, false, 0, false, false},
      {"not on the taskbar, terminating", true, false, false, false, true, 0, false, true},
      {"other form", false, true, false, true, false, 0, false, true},
      {"main form shown", true, false, false, true, true, 0, true, true},
      {"other form shown", false, false, false, false, false, 0, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowingOwner o;
    TkcBorderForm b(&o);
    b.UpdateExBordersPos(true, 255);
    const HWND w = b.AForm();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(GetWindow(w, GW_OWNER), o.w.wnd);
    if (c.show) {
      // Hidden along with the owner first (the main form's plain hide).
      o.facts.MainFormRules = true;
      ShowOwnedPopups(o.w.wnd, FALSE);
      ASSERT_FALSE(IsWindowVisible(w));
    }
    o.main = c.main;
    o.facts = TkBorderShowFacts{c.rules, c.hideAnimated, c.onTaskbar, c.terminating};
    o.state = c.state;
    b.ExBorderShowing = false;
    ShowOwnedPopups(o.w.wnd, c.show);
    EXPECT_EQ(IsWindowVisible(w) != FALSE, c.visibleAfter);
    EXPECT_EQ(o.stored, c.hideAnimated ? 1 : 0);
    EXPECT_EQ(b.ExBorderShowing, c.hideAnimated);
  }
}

}  // namespace
}  // namespace skin
