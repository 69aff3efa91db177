// Track bars under the track bar adapter, painted from a small skin: the
// control's item, the channel, ticks where the geometry puts them on one
// side, the other or both, the thumb (turned toward top ticks, pressed
// while the button is held), the faded disabled look; a skin without the
// track bar's section leaves the control its own painting; detaching and
// destroying while attached.
#include "skin/controls/track_wnd.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "skin/controls/adapter_factory.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/pixel_colors.h"
#include "tests/controls/golden_image.h"
#include "tests/skin/engine/core/program_skins.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

HWND Host() {
  static ATOM atom = [] {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"VlTrackHost";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  HWND h = CreateWindowExW(0, L"VlTrackHost", L"", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(h);
  return h;
}

struct Track {
  std::unique_ptr<TkLoadedSkin> skin;
  HWND host = Host();
  HWND wnd;
  WNDPROC own;
  TkcTrackWnd* a = nullptr;
  explicit Track(DWORD style, std::unique_ptr<TkLoadedSkin> s = skintest::SyntheticTrackSkin()) : skin(std::move(s)) {
    wnd = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | style, 10, 10, 200, 40, host, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
    SendMessageW(wnd, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendMessageW(wnd, TBM_SETPOS, TRUE, 3);
    own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC));
    a = AttachAdapter<TkcTrackWnd>(wnd, [this] { return skin.get(); }, TkcSkinParams{});
  }
  ~Track() {
    delete a;
    DestroyWindow(host);
  }
  fw::TBitmap& Painted() {
    a->PrepareCache();
    GdiFlush();
    return *a->Cache();
  }
};

COLORREF At(fw::TBitmap& b, int x, int y) { return GetPixel(b.Canvas()->Handle(), x, y); }
COLORREF C(fw::TColor c) { return COLORREF(c); }

// The thumb is scaled to the control's thumb: its solid colours may move a
// little.
::testing::AssertionResult Near(COLORREF a, fw::TColor b) {
  const COLORREF e = C(b);
  if (std::abs(GetRValue(a) - GetRValue(e)) <= 3 && std::abs(GetGValue(a) - GetGValue(e)) <= 3 &&
      std::abs(GetBValue(a) - GetBValue(e)) <= 3)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hex << a << " is not near " << e;
}

bool Shows(fw::TBitmap& b, const fw::TRect& r, fw::TColor color) {
  for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, b.Height()); ++y)
    for (int x = std::max(r.Left, 0); x < std::min(r.Right, b.Width()); ++x)
      if (At(b, x, y) == C(color)) return true;
  return false;
}

}  // namespace

TEST(TrackWnd, ItemChannelThumbAndTicksArePaintedWhereTheControlPutsThem) {
  Track t(TBS_AUTOTICKS);
  fw::TBitmap& b = t.Painted();
  const fw::TRect channel = t.a->ChannelRect(), thumb = t.a->ThumbRect();
  EXPECT_EQ(At(b, 1, 1), C(skintest::kTrackBar)) << "the control's item";
  const fw::TRect narrow = NarrowChannel(channel, false, skintest::kChannelThickness);
  EXPECT_EQ(At(b, channel.Left + 2, narrow.Top), C(skintest::kChannel)) << "the channel";
  EXPECT_EQ(At(b, channel.Left + 2, narrow.Top + skintest::kChannelThickness), C(skintest::kTrackBar))
      << "as thick as its mask";
  const int cx = (thumb.Left + thumb.Right) / 2;
  EXPECT_TRUE(Near(At(b, cx, thumb.Bottom - 3), skintest::kThumbBody)) << "the thumb";
  EXPECT_TRUE(Near(At(b, cx, thumb.Top + 1), skintest::kThumbTip)) << "its tip up";
  // Ticks below the channel only, one per position the geometry gives.
  const int count = int(SendMessageW(t.wnd, TBM_GETNUMTICS, 0, 0));
  const std::vector<int> at = TickPositions(TkTickStyle::Auto, count, channel, thumb, false, {});
  const TkTickRows rows = TickRows(t.a->Style(), channel, thumb, 4);
  ASSERT_GE(at.size(), 2u);
  for (int p : at) {
    if (p >= thumb.Left - 1 && p <= thumb.Right) continue;  // under the thumb
    EXPECT_EQ(At(b, p - 1, rows.AfterAt + 1), C(skintest::kTick)) << "tick at " << p;
  }
  EXPECT_FALSE(Shows(b, fw::Rect(0, 0, b.Width(), channel.Top), skintest::kTick)) << "none above";
  EXPECT_DOUBLE_EQ(t.a->iStep, double((channel.Right - channel.Left) - thumb.Width()) / double(count - 1));
}

TEST(TrackWnd, TickSidesAndTheThumbsDirection) {
  struct Case {
    const char* what;
    DWORD style;
    bool above, below, tipDown;
  } cases[] = {
      {"both sides", TBS_AUTOTICKS | TBS_BOTH, true, true, false},
      {"top: the thumb points up to its ticks", TBS_AUTOTICKS | TBS_TOP, true, false, true},
      {"no ticks", TBS_AUTOTICKS | TBS_NOTICKS, false, false, false},
  };
  for (const Case& c : cases) {
    Track t(c.style);
    fw::TBitmap& b = t.Painted();
    const fw::TRect channel = t.a->ChannelRect(), thumb = t.a->ThumbRect();
    EXPECT_EQ(Shows(b, fw::Rect(0, 0, b.Width(), channel.Top), skintest::kTick), c.above) << c.what;
    EXPECT_EQ(Shows(b, fw::Rect(0, channel.Bottom, b.Width(), b.Height()), skintest::kTick), c.below) << c.what;
    // The turned thumb's tip is at its bottom.
    const bool tipAtBottom = Near(At(b, (thumb.Left + thumb.Right) / 2, thumb.Bottom - 2), skintest::kThumbTip);
    EXPECT_EQ(tipAtBottom, c.tipDown) << c.what;
  }
}

TEST(TrackWnd, HeldButtonShowsThePressedThumb) {
  Track t(TBS_AUTOTICKS);
  const fw::TRect thumb = t.a->ThumbRect();
  const int cx = (thumb.Left + thumb.Right) / 2, y = thumb.Bottom - 3;
  EXPECT_TRUE(Near(At(t.Painted(), cx, y), skintest::kThumbBody));
  SendMessageW(t.wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cx, (thumb.Top + thumb.Bottom) / 2));
  EXPECT_TRUE(t.a->bMousePressed);
  EXPECT_TRUE(Near(At(t.Painted(), cx, y), skintest::kThumbBody + 0x20)) << "the pressed frame";
  SendMessageW(t.wnd, WM_LBUTTONUP, 0, MAKELPARAM(cx, (thumb.Top + thumb.Bottom) / 2));
  EXPECT_FALSE(t.a->bMousePressed);
  EXPECT_TRUE(Near(At(t.Painted(), cx, y), skintest::kThumbBody));
}

TEST(TrackWnd, ADisabledBarFadesTowardWhatLiesBehind) {
  Track t(TBS_AUTOTICKS);
  const COLORREF enabled = At(t.Painted(), 1, 1);
  EnableWindow(t.wnd, FALSE);
  const COLORREF disabled = At(t.Painted(), 1, 1);
  // What lies behind: the colour the host answers with (none: the button face).
  const COLORREF behind = GetSysColor(COLOR_BTNFACE);
  auto mix = [](int own, int back) { return (own * 4 + back * 6) / 10; };
  EXPECT_NEAR(GetRValue(disabled), mix(GetRValue(enabled), GetRValue(behind)), 2);
  EXPECT_NEAR(GetGValue(disabled), mix(GetGValue(enabled), GetGValue(behind)), 2);
  EXPECT_NEAR(GetBValue(disabled), mix(GetBValue(enabled), GetBValue(behind)), 2);
}

TEST(TrackWnd, ThePaintingReachesTheWindowAndComesBackToTheControl) {
  Track t(TBS_AUTOTICKS);
  RedrawWindow(t.wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  auto shot = NewBitmap32(200, 40);
  SendMessageW(t.wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot->Canvas()->Handle()), PRF_CLIENT);
  GdiFlush();
  EXPECT_EQ(At(*shot, 1, 1), C(skintest::kTrackBar)) << "printed from the cache";
  delete t.a;
  t.a = nullptr;
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(t.wnd, GWLP_WNDPROC)), t.own) << "its own procedure";
  SendMessageW(t.wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot->Canvas()->Handle()), PRF_CLIENT);
  GdiFlush();
  EXPECT_NE(At(*shot, 1, 1), C(skintest::kTrackBar)) << "the control paints itself";
}

TEST(TrackWnd, ASkinWithoutTheTrackBarSectionLeavesTheControlItsOwnPainting) {
  for (const char* file : {"sapphire.ksz", "topaz.ksz"}) {
    std::unique_ptr<TkLoadedSkin> skin =
        LoadProgramSkin(file, file[0] == 's' ? u"Sapphire (internal)" : u"Topaz (internal)");
    ASSERT_TRUE(skin);
    ASSERT_LT(skin->GetSkinIndex(u"TRACKBAR"), 0);
    Track t(TBS_AUTOTICKS, std::move(skin));
    RedrawWindow(t.wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(t.a->Cache(), nullptr) << file;
    EXPECT_EQ(SendMessageW(t.wnd, TBM_GETPOS, 0, 0), 3);
  }
}

TEST(TrackWnd, ABarDestroyedWhileAdaptedLetsGo) {
  Track t(TBS_AUTOTICKS);
  DestroyWindow(t.wnd);
  EXPECT_TRUE(t.a->Destroyed);
  EXPECT_EQ(GetWindowAdapter(t.wnd), nullptr);
}

TEST(TrackWnd, EveryLookMatchesItsGolden) {
  std::vector<std::unique_ptr<fw::TBitmap>> rows;
  std::vector<fw::TBitmap*> parts;
  auto add = [&](DWORD style, bool pressed, bool enabled) {
    Track t(style);
    t.a->bMousePressed = pressed;
    EnableWindow(t.wnd, enabled);
    fw::TBitmap& b = t.Painted();
    auto copy = NewBitmap32(b.Width(), b.Height());
    BitBlt(copy->Canvas()->Handle(), 0, 0, b.Width(), b.Height(), b.Canvas()->Handle(), 0, 0, SRCCOPY);
    rows.push_back(std::move(copy));
    parts.push_back(rows.back().get());
  };
  add(TBS_AUTOTICKS, false, true);
  add(TBS_AUTOTICKS, true, true);
  add(TBS_AUTOTICKS | TBS_BOTH, false, true);
  add(TBS_AUTOTICKS | TBS_TOP, false, true);
  add(TBS_AUTOTICKS, false, false);
  auto sheet = cktest::Stack(parts);
  EXPECT_TRUE(cktest::MatchesGolden(sheet.get(), "track_bar_synthetic"));
}

TEST(TrackWnd, TheFactoryGivesADialogsTrackBarThisAdapter) {
  Track t(TBS_AUTOTICKS);
  delete t.a;
  t.a = nullptr;
  TkcMainWnd* a = MakeKindAdapter(TkcAdapterKind::Track, t.wnd, [&] { return t.skin.get(); }, TkcSkinParams{});
  EXPECT_NE(dynamic_cast<TkcTrackWnd*>(a), nullptr);
  delete a;
}
