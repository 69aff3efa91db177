// The skinned form's answers to the skin commands its children and the
// engine send: what lies behind a child (the form's section colour, or its
// image read at the child's place in the client area), the background
// colour, the client offset, whether the background is one colour, the
// cache, updating and hot-title commands; and what a form without a skin
// still answers.
#include <gtest/gtest.h>

#include "skin/controls/control_cache.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/gradient.h"
#include "skin/engine/skin_messages.h"
#include "skin/forms/skin_provider.h"
#include "tests/fw/controls_test_util.h"
#include "tests/skin/synthetic_skin.h"

namespace skin {
namespace {

constexpr const char16_t* kBlackToWhite = u"0;16777215;100;0;0";

// The synthetic skin, its form section plain or with a vertical gradient
// from black to white.
std::unique_ptr<TkLoadedSkin> FormSkin(bool gradient) {
  auto s = skintest::SyntheticScrollSkin();
  TkGeneralData& form = s->gd[size_t(s->GetSkinIndex(u"FORM"))];
  if (gradient)
    for (TkGenState& row : form.Props) {
      row.GradientPercent = 100;
      row.GradientData = kBlackToWhite;
      ParseGradientData(kBlackToWhite, row.GradientArray);
    }
  return s;
}

struct CommandForm {
  std::unique_ptr<TkLoadedSkin> skin;
  fwtest::TestForm form{400, 300};
  TkSkinProvider* provider = nullptr;
  HWND child = nullptr;
  explicit CommandForm(bool gradient) : skin(FormSkin(gradient)) {
    form->SetBorderStyle(fw::bsSizeable);
    form->SetCaption(u"Commands");
    provider = new TkSkinProvider(form.form);
    provider->SetSkin(skin.get());
    form->Show();
    fwtest::PumpUntil([&] { return provider->BuildCount() > 0 && IsWindowVisible(wnd()); }, 20000);
  }
  ~CommandForm() {
    if (child) DestroyWindow(child);
  }
  HWND wnd() const { return form->Handle(); }
  LRESULT Command(WORD code, LPARAM lParam = 0, WORD flag = 0) {
    return SendMessageW(wnd(), WM_SKINCOMMAND, SkinCommand(code, flag), lParam);
  }
  // A child window in the client area at (x, y).
  HWND AddChild(int x, int y, int w, int h) {
    child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, x, y, w, h, wnd(), nullptr, nullptr, nullptr);
    return child;
  }
  // The client area as the form erases it.
  std::unique_ptr<fw::TBitmap> ErasedClient() {
    RECT c{};
    GetClientRect(wnd(), &c);
    auto bmp = NewBitmap32(c.right, c.bottom);
    const HDC dc = bmp->Canvas()->Handle();
    SendMessageW(wnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    GdiFlush();
    return bmp;
  }
  // The client origin in the window (what the frame takes).
  POINT ClientOrigin() const {
    RECT w{};
    GetWindowRect(wnd(), &w);
    POINT p{0, 0};
    ClientToScreen(wnd(), &p);
    return POINT{p.x - w.left, p.y - w.top};
  }
};

uint32_t Rgb(uint32_t pixel) { return pixel & 0xFFFFFF; }

TEST(FormSkinCommands, AChildReadsTheFormImageAtItsPlaceInTheClientArea) {
  CommandForm f(true);
  const int x = 30, y = 40, w = 60, h = 120;
  const HWND child = f.AddChild(x, y, w, h);
  TkcWindowGeometry g;
  CaptureWindowGeometry(child, g);
  const TkcBehind behind = WndParentCacheInfo(child, g);
  ASSERT_FALSE(behind.NotReady);
  ASSERT_TRUE(behind.CI.Ready) << "the gradient form answers with its image";
  const POINT origin = f.ClientOrigin();
  EXPECT_EQ(behind.CI.X, origin.x + x);
  EXPECT_EQ(behind.CI.Y, origin.y + y);
  // What the child sees behind it is what the form shows there.
  auto erased = f.ErasedClient();
  const TPixelView32 shown = View32(*erased);
  for (const POINT p : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w / 2, h / 2}, POINT{w - 1, h - 1}})
    EXPECT_EQ(Rgb(behind.CI.Bmp.Pixel(behind.CI.X + p.x, behind.CI.Y + p.y)), Rgb(shown.Pixel(x + p.x, y + p.y)))
        << p.x << "," << p.y;
  // The gradient runs down the form: the child's top is darker than its bottom.
  EXPECT_LT(Rgb(shown.Pixel(x, y)) & 0xFF, Rgb(shown.Pixel(x, y + h - 1)) & 0xFF);

  // Asked to draw, the form paints the same into the asker's DC.
  auto drawn = NewBitmap32(w, h);
  TkcBackgroundInfo info;
  info.Offset = fw::TPoint{x, y};
  info.R = fw::Rect(0, 0, w, h);
  info.DrawDC = drawn->Canvas()->Handle();
  ASSERT_TRUE(RequestBackgroundWnd(info, f.wnd(), true));
  EXPECT_EQ(info.BgType, btCache);
  GdiFlush();
  const TPixelView32 d = View32(*drawn);
  for (const POINT p : {POINT{0, 0}, POINT{w / 2, h / 2}, POINT{w - 1, h - 1}})
    EXPECT_EQ(Rgb(d.Pixel(p.x, p.y)), Rgb(shown.Pixel(x + p.x, y + p.y))) << p.x << "," << p.y;
}

TEST(FormSkinCommands, PlainAndPatternedSectionsAnswerTheirBackground) {
  for (const bool gradient : {false, true}) {
    SCOPED_TRACE(gradient ? "gradient" : "plain");
    CommandForm f(gradient);
    TkcBackgroundInfo info;
    info.Offset = fw::TPoint{5, 7};
    ASSERT_TRUE(RequestBackgroundWnd(info, f.wnd(), false)) << "the skinned form answers";
    const POINT origin = f.ClientOrigin();
    if (gradient) {
      EXPECT_EQ(info.BgType, btCache);
      EXPECT_EQ(info.Bmp, &f.provider->FormImage());
      EXPECT_EQ(info.Offset, (fw::TPoint{origin.x + 5, origin.y + 7}));
    } else {
      EXPECT_EQ(info.BgType, btFill);
      // The colour of the form's state; the background colour is the normal state's.
      EXPECT_EQ(info.Color, f.provider->FormActive() ? skintest::Hot(skintest::kMain) : skintest::kMain);
      EXPECT_EQ(info.Bmp, nullptr);
    }
    EXPECT_EQ(fw::TColor(f.Command(SKC_GETBGCOLOR)), skintest::kMain);
    EXPECT_EQ(f.Command(SKC_SKINSTATE) & cssPlainBackground, gradient ? 0 : cssPlainBackground);
    EXPECT_EQ(f.Command(SKC_QUERYMOVEREPAINT), gradient ? 1 : 0);
    EXPECT_EQ(f.Command(SKC_GETCLIENTOFFSET), MAKELONG(origin.x, origin.y));
    EXPECT_EQ(f.Command(SKC_ISHANDLED), 1);
    EXPECT_EQ(f.Command(SKC_GETAPPLICATION), reinterpret_cast<LRESULT>(fw::Application));
  }
}

TEST(FormSkinCommands, CacheUpdatingAndHotTitleCommands) {
  CommandForm f(true);
  // A changed background is rebuilt once when the cache is asked for.
  f.Command(SKC_PREPARECACHE);
  const int built = f.provider->BuildCount();
  f.Command(SKC_BGCHANGED);
  f.Command(SKC_PREPARECACHE);
  EXPECT_EQ(f.provider->BuildCount(), built + 1);
  f.Command(SKC_PREPARECACHE);
  EXPECT_EQ(f.provider->BuildCount(), built + 1);

  EXPECT_EQ(f.Command(SKC_QUERYUPDATING), 0);
  f.Command(SKC_SETUPDATING, 0, 1);
  EXPECT_EQ(f.Command(SKC_QUERYUPDATING), 1);
  f.Command(SKC_UPDATEDONE);
  EXPECT_EQ(f.Command(SKC_QUERYUPDATING), 0);

  // The mouse left the form: no title button stays hot.
  f.provider->SetHotHT(HTCLOSE, false);
  ASSERT_EQ(f.provider->ButtonState(HTCLOSE), 1);
  f.Command(SKC_MOUSELEAVE);
  EXPECT_EQ(f.provider->ButtonState(HTCLOSE), 0);
}

TEST(FormSkinCommands, AFormWithoutASkinNamesItsProviderAndLeavesTheBackgroundToOthers) {
  CommandForm f(true);
  f.provider->SetSkin(nullptr);
  EXPECT_EQ(f.Command(SKC_GETPROVIDER), reinterpret_cast<LRESULT>(static_cast<TkFormProviderLink*>(f.provider)));
  EXPECT_EQ(f.Command(SKC_ISHANDLED), 1);
  TkcBackgroundInfo info;
  EXPECT_FALSE(RequestBackgroundWnd(info, f.wnd(), false)) << "the form without a skin does not answer";
  EXPECT_EQ(f.Command(SKC_SKINSTATE) & cssPlainBackground, cssPlainBackground);
  const POINT origin = f.ClientOrigin();
  EXPECT_EQ(f.Command(SKC_GETCLIENTOFFSET), MAKELONG(origin.x, origin.y));
}

}  // namespace
}  // namespace skin
