// A framework scroll box under its adapter: the box's section inside a
// 2-pixel frame from the skin, the skinned scroll bars, its picture behind
// its children, the frame measured anew after a refresh and after the
// skin's removal; destruction while attached.
#include "skin/controls/scroll_box_wnd.h"

#include <gtest/gtest.h>

#include "fw/stdctrls/scrolling.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

namespace {

struct Box {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  bool active = true;
  Host host{300, 200};
  fw::TScrollBox* box;
  TkcScrollBoxWnd* a = nullptr;
  Box() {
    box = new fw::TScrollBox(nullptr);
    box->SetParentWindow(host.wnd);
    box->SetBounds(10, 10, 200, 100);
    box->SetAutoScroll(false);
    box->VertScrollBar()->SetRange(500);
    box->HandleNeeded();
    ShowWindow(box->Handle(), SW_SHOW);
    TkcSkinParams p;
    p.Control = box;
    a = AttachAdapter<TkcScrollBoxWnd>(box->Handle(), [this] { return active ? skin.get() : nullptr; }, p);
  }
  ~Box() {
    delete a;
    delete box;
  }
  int ClientWidth() const {
    RECT r{};
    GetClientRect(box->Handle(), &r);
    return r.right;
  }
  // The client area erased into an image of its size.
  TPixelBuffer Client() const {
    RECT r{};
    GetClientRect(box->Handle(), &r);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    SendMessageW(box->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    TPixelBuffer out(TPixelFormat::pf32bit, r.right, r.bottom);
    const TPixelView32 v = View32(out);
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x) {
        const COLORREF c = GetPixel(dc, x, y);
        v.Pixel(x, y) = Px(fw::TColor(c));
      }
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return out;
  }
};

}  // namespace

TEST(ScrollBoxWnd, FrameBarsAndClientFromTheSkin) {
  Box b;
  EXPECT_EQ(b.a->SkinSection(), u"PANEL_LOW");
  RedrawWindow(b.box->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(b.a->sBarVert.Visible);
  EXPECT_FALSE(b.a->sBarHorz.Visible);
  HDC dc = GetWindowDC(b.box->Handle());
  SendMessageW(b.box->Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(fw::TColor(GetPixel(dc, 0, 0)), kPanelLow) << "the frame";
  EXPECT_EQ(fw::TColor(GetPixel(dc, 100, 99)), kPanelLow);
  // The vertical bar between the frame's strips: the skin's arrows, track
  // or thumb.
  const fw::TRect bar = b.a->VertBarRect();
  RECT w{};
  GetWindowRect(b.box->Handle(), &w);
  EXPECT_EQ(bar.Right, w.right - 2);
  const fw::TColor mid = fw::TColor(GetPixel(dc, bar.Left - w.left + bar.Width() / 2, 50));
  EXPECT_TRUE(mid == kTrack1 || mid == kTrack2 || mid == kThumb) << std::hex << mid;
  EXPECT_EQ(fw::TColor(GetPixel(dc, bar.Left - w.left + bar.Width() / 2, 4)), kArrow1) << "the top arrow";
  ReleaseDC(b.box->Handle(), dc);
  EXPECT_EQ(ColorAt(b.Client(), 5, 5), kPanelLow);
  // A child asking what lies behind it gets the box's picture.
  TkcBackgroundInfo info;
  info.R = fw::Rect(0, 0, 20, 20);
  ASSERT_TRUE(RequestBackgroundWnd(info, b.box->Handle(), false));
  ASSERT_EQ(info.BgType, btCache);
  const TCacheInfo ci = BgInfoToCacheInfo(info);
  EXPECT_EQ(ci.Bmp.Pixel(ci.X + 5, ci.Y + 5) & 0xFFFFFF, Px(kPanelLow));
}

TEST(ScrollBoxWnd, RefreshAndRemovalMeasureTheFrameAgain) {
  Box b;
  RedrawWindow(b.box->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  b.a->ScrollsInitialized = false;
  SendSkinCommand(b.box->Handle(), SKC_REFRESH, 0);
  EXPECT_TRUE(b.a->ScrollsInitialized) << "the bars measured anew at once";
  b.active = false;
  SendSkinCommand(b.box->Handle(), SKC_REMOVESKIN, 0);
  EXPECT_EQ(b.ClientWidth(), 200 - 4 - GetSystemMetrics(SM_CXVSCROLL)) << "the system's bar again";
  EXPECT_NE(ColorAt(b.Client(), 5, 5), kPanelLow) << "the box paints itself";
}

TEST(ScrollBoxWnd, DestroyedWhileAttached) {
  Box b;
  b.box->DestroyHandle();
  EXPECT_TRUE(b.a->Destroyed);
}

// A scroll box with its bars in the program's skins (checksums, and a sheet
// for looking at).
TEST(ScrollBoxWnd, ProgramSkins) {
  // The program's skins share their scroll-bar and panel sections.
  const uint64_t golden[2] = {13455139843151425084ull, 13455139843151425084ull};
  std::vector<TPixelBuffer> faces;
  for (int s = 0; s < 2; ++s) {
    Box b;
    b.skin = ProgramSkin(s);
    ASSERT_TRUE(b.skin);
    b.box->HorzScrollBar()->SetRange(600);
    SendSkinCommand(b.box->Handle(), SKC_REFRESH, 0);
    faces.push_back(Print(b.box->Handle()));
    EXPECT_EQ(PixelChecksum(View32(faces.back())), golden[s]) << ProgramSkinName(s);
  }
  WriteRow(faces, "program_skins_scroll_box.png");
}
