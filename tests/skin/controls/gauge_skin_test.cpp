// The gauge painted from the program's skin: bars lying and standing,
// pies and needles (goldens), an empty bar without filled part, the light
// strip only within its bounds and the filled part, the filled part's
// picture kept while its size stays, and the light strip's timer.
#include <gtest/gtest.h>

#include <cstdint>

#include "fw/controls_test_util.h"
#include "skin/controls/gauge.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_resources.h"
#include "tests/scenarios/screenshot_png.h"

using namespace skin;

namespace {

struct Skinned {
  TkSkinManager manager{nullptr};
  fwtest::TestForm form{400, 300};
  Skinned() {
    manager.ReportMessage = [](const fw::String& text) { ADD_FAILURE() << fw::StringToUtf8(text); };
    LoadInternalSkins(*manager.InternalSkins());
    manager.WriteSkinName(u"Sapphire (internal)");
    form->Show();
    fwtest::Pump();
  }
  TkGauge* Gauge(TkGaugeKind kind, int w, int h, int progress, bool animated) {
    auto* g = new TkGauge(form.form);
    g->SkinData()->WriteSkinManager(&manager);
    g->SetParent(form.form);
    g->SetBounds(10, 10, w, h);
    g->SetKind(kind);
    g->SetAnimated(animated);
    g->SetProgress(progress);
    return g;
  }
};

uint64_t Checksum(fw::TBitmap& b) {
  const TPixelView32 v = View32(b);
  uint64_t h = 1469598103934665603ull;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) h = (h ^ (v.Pixel(x, y) & 0xFFFFFF)) * 1099511628211ull;
  return h;
}

// Columns (or rows of a standing bar) where two pictures differ.
std::pair<int, int> DiffSpan(fw::TBitmap& a, fw::TBitmap& b, bool alongY) {
  const TPixelView32 va = View32(a), vb = View32(b);
  int lo = 1 << 30, hi = -1;
  for (int y = 0; y < va.Height; ++y)
    for (int x = 0; x < va.Width; ++x)
      if ((va.Pixel(x, y) & 0xFFFFFF) != (vb.Pixel(x, y) & 0xFFFFFF)) {
        const int at = alongY ? y : x;
        lo = std::min(lo, at);
        hi = std::max(hi, at);
      }
  return {lo, hi};
}

std::unique_ptr<fw::TBitmap> Picture(TkGauge* g) {
  g->PrepareCache();
  auto copy = NewBitmap32(g->Width(), g->Height());
  BitBlt(copy->Canvas()->Handle(), 0, 0, g->Width(), g->Height(), g->SkinData()->FCacheBmp->Canvas()->Handle(), 0, 0,
         SRCCOPY);
  GdiFlush();
  return copy;
}

}  // namespace

TEST(GaugeSkin, KindsAndOrientationsFromTheSkin) {
  Skinned s;
  struct Case {
    const char* what;
    TkGaugeKind kind;
    int w, h;
    bool animated;
    uint64_t golden;
  } cases[] = {
      {"lying bar", gkHorizontalBar, 145, 18, false, 13229671302640690465ull},
      {"standing bar, its own section", gkVerticalBar, 18, 145, false, 5419613923433944977ull},
      {"standing bar, turned", gkVerticalBar, 18, 145, true, 5419613923433944977ull},
      {"pie", gkPie, 60, 60, false, 2095381265063280450ull},
      {"needle", gkNeedle, 80, 50, false, 10515557961606773745ull},
  };
  for (const Case& c : cases) {
    TkGauge* g = s.Gauge(c.kind, c.w, c.h, 62, c.animated);
    ASSERT_TRUE(g->Skinned()) << c.what;
    auto picture = Picture(g);
    EXPECT_EQ(Checksum(*picture), c.golden) << c.what;
    // Written for looking at.
    picture->SetPixelFormat(fw::pf24bit);
    scenarios::SavePng(picture.get(), scenarios::ScreenshotPath(std::string("gauge_") + std::to_string(&c - cases) + ".png"));
  }
}

TEST(GaugeSkin, AnEmptyBarHasNoFilledPart) {
  Skinned s;
  TkGauge* g = s.Gauge(gkHorizontalBar, 145, 18, 0, true);
  g->SetAnimPos(20);
  auto empty = Picture(g);
  EXPECT_EQ(g->ProgressImage(), nullptr) << "no filled part, no light";
  g->SetShowText(false);
  g->SetAnimated(false);
  auto plain = Picture(g);
  g->SetShowText(true);
  auto text = Picture(g);
  EXPECT_EQ(Checksum(*empty), Checksum(*text)) << "only the gauge's own section and text";
}

TEST(GaugeSkin, TheLightStaysWithinItsStripAndTheFilledPart) {
  Skinned s;
  struct Case {
    const char* what;
    TkGaugeKind kind;
    int w, h, progress, pos;
    int lo, hi;  // where it may show along the bar (standing bars from the bottom)
  } cases[] = {
      {"inside", gkHorizontalBar, 145, 18, 100, 40, 40, 144},
      {"entering", gkHorizontalBar, 145, 18, 100, -250, 0, 49},
      {"over half a bar", gkHorizontalBar, 145, 18, 50, 10, 10, 71},
      {"standing", gkVerticalBar, 18, 145, 100, 40, 40, 144},
  };
  for (const Case& c : cases) {
    TkGauge* g = s.Gauge(c.kind, c.w, c.h, c.progress, true);
    g->SetShowText(false);
    g->SetAnimPos(9999);
    auto dark = Picture(g);
    g->SetAnimPos(c.pos);
    auto lit = Picture(g);
    const bool standing = c.kind == gkVerticalBar;
    auto [lo, hi] = DiffSpan(*dark, *lit, standing);
    if (standing) {
      const int length = c.h;
      std::tie(lo, hi) = std::make_pair(length - 1 - hi, length - 1 - lo);
    }
    ASSERT_GE(hi, 0) << c.what << ": the light shows";
    EXPECT_GE(lo, c.lo) << c.what;
    EXPECT_LE(hi, c.hi) << c.what;
  }
}

TEST(GaugeSkin, TheFilledPartIsKeptWhileItsSizeStays) {
  Skinned s;
  TkGauge* g = s.Gauge(gkHorizontalBar, 145, 18, 40, true);
  g->PrepareCache();
  fw::TBitmap* kept = g->ProgressImage();
  ASSERT_NE(kept, nullptr);
  g->SetAnimPos(30);
  g->PrepareCache();
  EXPECT_EQ(g->ProgressImage(), kept) << "a tick reuses it";
  fw::TMessage m{WM_SKINCOMMAND, SkinCommand(SKC_NEWSKIN), reinterpret_cast<LPARAM>(&s.manager), 0};
  g->WndProc(m);
  EXPECT_EQ(g->ProgressImage(), nullptr) << "a new skin drops it";
}

TEST(GaugeSkin, TheLightStripsTimer) {
  Skinned s;
  TkGauge* g = s.Gauge(gkHorizontalBar, 145, 18, 40, true);
  // Made in code: no timer until Animated is written or a refresh comes.
  TkGauge* fresh = new TkGauge(s.form.form);
  fresh->SkinData()->WriteSkinManager(&s.manager);
  fresh->SetParent(s.form.form);
  EXPECT_FALSE(fresh->AnimationTimer()->Enabled());
  fw::TMessage refresh{WM_SKINCOMMAND, SkinCommand(SKC_REFRESH), reinterpret_cast<LPARAM>(&s.manager), 0};
  fresh->WndProc(refresh);
  EXPECT_TRUE(fresh->AnimationTimer()->Enabled()) << "a refresh starts it";
  fw::TMessage removal{WM_SKINCOMMAND, SkinCommand(SKC_REMOVESKIN), reinterpret_cast<LPARAM>(&s.manager), 0};
  fresh->WndProc(removal);
  EXPECT_FALSE(fresh->AnimationTimer()->Enabled()) << "removing the skin stops it";
  // The first tick starts a cycle just left of the bar.
  g->AnimationTick();
  EXPECT_EQ(g->AnimPos(), -LightWidth + AnimStep(145));
  // A gauge without a skin switches its timer off at a tick.
  TkGauge* plain = new TkGauge(s.form.form);
  plain->SetParent(s.form.form);
  plain->SkinData()->WriteSkinManager(&s.manager);
  plain->SkinData()->WriteSkinSection(u"NO SUCH SECTION");
  plain->SetAnimated(false);
  plain->SetAnimated(true);
  ASSERT_TRUE(plain->AnimationTimer()->Enabled());
  plain->AnimationTick();
  EXPECT_FALSE(plain->AnimationTimer()->Enabled());
}

// A progress section with an "LRGN" mask lets the light through only where
// the mask is dark: here the top half of the bar.
TEST(GaugeSkin, TheLightShowsOnlyThroughTheDarkOfItsMask) {
  Skinned s;
  TkGauge* g = s.Gauge(gkHorizontalBar, 145, 18, 100, true);
  g->SetShowText(false);
  g->SetAnimPos(9999);
  auto dark = Picture(g);
  ASSERT_NE(g->ProgressImage(), nullptr);
  const int thickness = g->ProgressImage()->Height();
  ASSERT_GE(thickness, 4);
  g->SetAnimPos(40);
  auto [top, bottom] = DiffSpan(*dark, *Picture(g), true);
  ASSERT_GE(bottom, top + thickness / 2) << "without a mask the light covers the whole thickness";

  TkLoadedSkin& skin = *s.manager.LoadedSkin();
  ASSERT_LT(skin.GetMaskIndex(skin.GetSkinIndex(u"PROGRESSH"), u"PROGRESSH", u"LRGN"), 0);
  TkMaskData lrgn;
  lrgn.ClassName = u"PROGRESSH";
  lrgn.PropertyName = u"LRGN";
  lrgn.Bmp = std::make_shared<TPixelBuffer>(TPixelFormat::pf32bit, 4, thickness);
  for (int y = 0; y < thickness; ++y)
    for (int x = 0; x < 4; ++x) View32(*lrgn.Bmp).Pixel(x, y) = y < thickness / 2 ? 0xFF000000u : 0xFFFFFFFFu;
  lrgn.R = fw::Rect(0, 0, 4, thickness);
  lrgn.ImageCount = 1;
  lrgn.WT = int16_t(thickness / 2);
  lrgn.WB = int16_t(thickness - thickness / 2);
  skin.ma.push_back(lrgn);
  g->SetAnimPos(9999);
  auto darkMasked = Picture(g);
  EXPECT_EQ(Checksum(*darkMasked), Checksum(*dark)) << "the mask is no part of the picture";
  g->SetAnimPos(40);
  auto [maskedTop, maskedBottom] = DiffSpan(*darkMasked, *Picture(g), true);
  skin.ma.pop_back();
  ASSERT_GE(maskedBottom, 0) << "the light shows";
  EXPECT_EQ(maskedTop, top);
  EXPECT_LT(maskedBottom, top + thickness / 2) << "only over the dark half";
}
