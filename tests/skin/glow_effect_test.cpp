// Glow windows: their place and size around the control's visible part,
// mouse input falling through, ids that never reach another glow, and no
// GDI objects left behind.
#include "skin/engine/glow_effect.h"

#include <gtest/gtest.h>
#include <intrin.h>

#include "skin/engine/bitmap_dc.h"

namespace skin {
namespace {

// A skin with one section whose "GLOW0" is a 12 x 12 mask with 4-pixel
// borders in the master image.
TkLoadedSkin GlowSkin() {
  TkLoadedSkin skin;
  skin.MasterBitmap.SetSize(TPixelFormat::pf32bit, 12, 12);
  const TPixelView32 m = View32(skin.MasterBitmap);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) m.Pixel(x, y) = 0x80FFC000;
  TkMaskData glow;
  glow.ClassName = u"BUTTON";
  glow.PropertyName = u"GLOW0";
  glow.R = fw::Rect(0, 0, 12, 12);
  glow.ImageCount = 1;
  glow.WL = glow.WT = glow.WR = glow.WB = 4;
  glow.ImgType = TkcImgType::itisaGlow;
  skin.ma.push_back(glow);
  TkGeneralData gd;
  gd.ClassName = u"BUTTON";
  skin.gd.push_back(gd);
  return skin;
}

fw::TRect WindowRectOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return fw::Rect(r.left, r.top, r.right, r.bottom);
}

// The process's GDI objects. Wine does not count them for GetGuiResources;
// there the entries of the GDI handle table (64-bit PEB + 0xF8, 0x10000
// entries of 24 bytes: object, owner process, unique, type) are counted.
DWORD GdiObjects() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
  const auto* peb = reinterpret_cast<const uint8_t*>(__readgsqword(0x60));
  const uint8_t* table = *reinterpret_cast<const uint8_t* const*>(peb + 0xF8);
  if (!table) return 0;
  const auto pid = static_cast<uint16_t>(GetCurrentProcessId());
  DWORD n = 0;
  for (size_t i = 0; i < 0x10000; ++i) {
    const uint8_t* e = table + i * 24;
    const uint16_t owner = *reinterpret_cast<const uint16_t*>(e + 8);
    if (e[14] != 0 && (owner == 0 || owner == pid)) ++n;
  }
  return n;
}

TEST(GlowEffect, SizeAndPlaceAroundTheVisiblePart) {
  TkLoadedSkin skin = GlowSkin();
  const fw::TRect r = fw::Rect(100, 100, 160, 130);  // 60 x 30
  // Whole glow: 60 + 4 + 4 - 2 x margin 1 = 66 wide, 36 high, at r's corner
  // + margin - border.
  struct Case {
    const char* what;
    fw::TRect real, want;
  } cases[] = {
      {"fully visible", fw::Rect(0, 0, 60, 30), fw::Rect(97, 97, 163, 133)},
      // Left cut 4 + 10 - 1 = 13.
      {"cut on the left", fw::Rect(10, 0, 60, 30), fw::Rect(110, 97, 163, 133)},
      // Right cut 60 + 4 - 40 - 1 = 23.
      {"cut on the right", fw::Rect(0, 0, 40, 30), fw::Rect(97, 97, 140, 133)},
      // Right cut with a left cut: 66 - 13 - 30 = 23.
      {"cut on both sides", fw::Rect(10, 0, 40, 30), fw::Rect(110, 97, 140, 133)},
      {"cut at the top", fw::Rect(0, 5, 60, 30), fw::Rect(97, 105, 163, 133)},
      {"cut at the bottom", fw::Rect(0, 0, 60, 20), fw::Rect(97, 97, 163, 120)},
  };
  for (const Case& c : cases) {
    int id = ShowGlowEffect(r, c.real, &skin, u"BUTTON", u"GLOW", 1, 255, nullptr);
    ASSERT_GE(id, 0) << c.what;
    HWND wnd = GlowEffectWindow(id);
    ASSERT_TRUE(wnd) << c.what;
    EXPECT_EQ(WindowRectOf(wnd), c.want) << c.what;
    EXPECT_TRUE(IsWindowVisible(wnd)) << c.what;
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & 0x080800A0, 0x080800A0) << c.what;
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(120, 110)), HTTRANSPARENT) << c.what;
    HideGlowEffect(id, true);
    EXPECT_EQ(id, -1);
    EXPECT_FALSE(IsWindow(wnd)) << c.what;
  }
}

TEST(GlowEffect, LiesJustAboveTheControlAndLetsTheMouseThrough) {
  TkLoadedSkin skin = GlowSkin();
  HWND below = CreateWindowExW(0, L"BUTTON", L"", WS_POPUP | WS_VISIBLE, 300, 300, 80, 40, nullptr, nullptr, nullptr,
                               nullptr);
  ASSERT_TRUE(below);
  const fw::TRect r = fw::Rect(300, 300, 380, 340);
  int id = ShowGlowEffect(r, fw::Rect(0, 0, 80, 40), &skin, u"BUTTON", u"GLOW", 0, 255, below);
  ASSERT_GE(id, 0);
  HWND glow = GlowEffectWindow(id);
  EXPECT_EQ(GetWindow(below, GW_HWNDPREV), glow) << "directly above the control's window";
  EXPECT_EQ(WindowFromPoint(POINT{340, 320}), below) << "the point over both finds the window beneath";
  HideGlowEffect(id, true);
  DestroyWindow(below);
}

TEST(GlowEffect, RefusedWithoutWhatItNeedsOrBeyondTheScreen) {
  TkLoadedSkin skin = GlowSkin();
  const fw::TRect r = fw::Rect(0, 0, 60, 30);
  const int before = GlowEffectCount();
  EXPECT_EQ(ShowGlowEffect(r, r, nullptr, u"BUTTON", u"GLOW", 0, 255, nullptr), -1) << "no skin";
  EXPECT_EQ(ShowGlowEffect(r, r, &skin, u"BUTTON", u"SHINE", 0, 255, nullptr), -1) << "no such mask";
  EXPECT_EQ(ShowGlowEffect(r, r, &skin, u"EDIT", u"GLOW", 0, 255, nullptr), -1) << "no such section";
  const int sw = GetSystemMetrics(SM_CXVIRTUALSCREEN), sh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const fw::TRect huge = fw::Rect(0, 0, sw + 10, 30);
  EXPECT_EQ(ShowGlowEffect(huge, huge, &skin, u"BUTTON", u"GLOW", 0, 255, nullptr), -1) << "wider than the screen";
  const fw::TRect tall = fw::Rect(0, 0, 30, sh * 4);
  EXPECT_EQ(ShowGlowEffect(tall, tall, &skin, u"BUTTON", u"GLOW", 0, 255, nullptr), -1) << "taller than the screen";
  // A margin larger than the control and its borders leaves nothing.
  EXPECT_EQ(ShowGlowEffect(r, r, &skin, u"BUTTON", u"GLOW", 40, 255, nullptr), -1) << "empty";
  const TUpdateLayeredWindow saved = UpdateLayeredWindowProc;
  UpdateLayeredWindowProc = nullptr;
  EXPECT_EQ(ShowGlowEffect(r, r, &skin, u"BUTTON", u"GLOW", 0, 255, nullptr), -1) << "no layered windows";
  UpdateLayeredWindowProc = saved;
  EXPECT_EQ(GlowEffectCount(), before) << "no glow was kept";
}

TEST(GlowEffect, IdsOfGoneGlowsReachNothing) {
  TkLoadedSkin skin = GlowSkin();
  const fw::TRect r = fw::Rect(10, 10, 50, 30);
  int none = -1, beyond = 1 << 30;
  HideGlowEffect(none);
  HideGlowEffect(beyond);
  EXPECT_EQ(none, -1);
  EXPECT_EQ(beyond, 1 << 30) << "an id that names no glow is left as it is";
  int first = ShowGlowEffect(r, r, &skin, u"BUTTON", u"GLOW", 0, 255, nullptr);
  ASSERT_GE(first, 0);
  const int kept = first;
  FreeGlowEffects(true);
  EXPECT_EQ(GlowEffectCount(), 0);
  int second = ShowGlowEffect(r, r, &skin, u"BUTTON", u"GLOW", 0, 255, nullptr);
  ASSERT_GE(second, 0);
  int stale = kept;
  HideGlowEffect(stale);
  EXPECT_TRUE(IsWindow(GlowEffectWindow(second))) << "a stale id leaves the new glow alone";
  HideGlowEffect(second);
  EXPECT_EQ(second, -1);
  HideGlowEffect(second);  // twice: nothing
  // A glow hidden through the message queue goes when the queue is read.
  int later = ShowGlowEffect(r, r, &skin, u"BUTTON", u"GLOW", 0, 255, nullptr);
  HWND wnd = GlowEffectWindow(later);
  HideGlowEffect(later);
  EXPECT_FALSE(IsWindowVisible(wnd));
  MSG msg;
  for (int i = 0; i < 1000 && IsWindow(wnd); ++i)
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_FALSE(IsWindow(wnd));
}

TEST(GlowEffect, HundredGlowsLeaveNoGdiObjects) {
  TkLoadedSkin skin = GlowSkin();
  const fw::TRect r = fw::Rect(20, 20, 80, 44);
  const fw::TRect clipped = fw::Rect(5, 0, 40, 24);
  // One glow first, so that whatever the system keeps for the first one is
  // there before counting.
  int warm = ShowGlowEffect(r, r, &skin, u"BUTTON", u"GLOW", 1, 255, nullptr);
  HideGlowEffect(warm, true);
  const DWORD before = GdiObjects();
  ASSERT_GT(before, 0u) << "the system counts GDI objects";
  HBRUSH probe = CreateSolidBrush(0x123456);
  EXPECT_EQ(GdiObjects(), before + 1) << "the count sees one more object";
  DeleteObject(probe);
  for (int i = 0; i < 100; ++i) {
    int id = ShowGlowEffect(r, i % 2 ? clipped : r, &skin, u"BUTTON", u"GLOW", 1, 255, nullptr);
    ASSERT_GE(id, 0);
    ShowGlowEffect(r, r, nullptr, u"BUTTON", u"GLOW", 1, 255, nullptr);   // refused paths too
    ShowGlowEffect(r, r, &skin, u"BUTTON", u"GLOW", 99, 255, nullptr);
    if (i % 3) HideGlowEffect(id, true);
  }
  FreeGlowEffects(true);
  EXPECT_EQ(GdiObjects(), before);
}

}  // namespace
}  // namespace skin
