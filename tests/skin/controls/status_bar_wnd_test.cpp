// The skinned status bar: panels with the skin's panel mask or dividers
// between them, texts cut to their room in the bar's font, owner-drawn
// panels through the bar's own canvas, and the gauge on the bar painted over
// every new picture of the bar as it changes.
#include "skin/controls/status_bar_wnd.h"

#include <gtest/gtest.h>

#include <memory>

#include "fw/controls_test_util.h"
#include "skin/controls/adapter_factory.h"
#include "skin/controls/gauge.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_resources.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

class TDrawingBar : public fw::TStatusBar {
 public:
  using fw::TStatusBar::TStatusBar;
  int drawn = 0;
  bool fail = false;
  void DrawMagenta(fw::TStatusBar* bar, fw::TStatusPanel*, const fw::TRect& r) {
    ++drawn;
    bar->Canvas()->Brush()->SetColor(0xFF00FF);
    bar->Canvas()->FillRect(r);
    if (fail) throw std::runtime_error("drawing failed");
  }
};

struct Bar {
  std::unique_ptr<TkLoadedSkin> skin;
  fwtest::TestForm form{700, 120};
  TDrawingBar* bar;
  std::unique_ptr<TkcMainWnd> adapter;
  explicit Bar(bool panelMask) : skin(skintest::SyntheticStatusBarSkin(panelMask)) {
    bar = new TDrawingBar(form.form);
    bar->SetParent(form.form);
    bar->SetSizeGrip(false);
    bar->SetBounds(0, 60, 700, 24);
    for (int w : {100, 150, 300}) bar->Panels()->Add()->SetWidth(w);
    form->Show();
    fwtest::Pump();
    adapter.reset(MakeListAdapter(tlStatusBar, bar, [this] { return skin.get(); }, TkcSkinParams{}));
  }
  TkcStatusBarWnd& Adapter() { return *dynamic_cast<TkcStatusBarWnd*>(adapter.get()); }
  // The bar as it paints itself now.
  std::unique_ptr<fw::TBitmap> Print() {
    auto bmp = std::make_unique<fw::TBitmap>();
    bmp->SetPixelFormat(fw::pf32bit);
    bmp->SetSize(bar->Width(), bar->Height());
    SendMessageW(bar->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), PRF_CLIENT);
    GdiFlush();
    return bmp;
  }
  fw::TRect Part(int i) { return Adapter().PartRect(i); }
};

fw::TColor At(fw::TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y); }

bool AnyOf(fw::TBitmap& b, fw::TColor c, int x0, int x1, int y0, int y1) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (At(b, x, y) == c) return true;
  return false;
}

}  // namespace

TEST(StatusBarWnd, PanelsGetTheMaskOrDividersBetweenThem) {
  for (bool panelMask : {false, true}) {
    Bar b(panelMask);
    ASSERT_NE(b.adapter, nullptr);
    ASSERT_EQ(b.Adapter().PartsCount(), 3);
    auto shot = b.Print();
    const int mid = b.bar->Height() / 2;
    for (int i = 0; i < 3; ++i) {
      const fw::TRect r = b.Part(i);
      const fw::TColor inside = At(*shot, (r.Left + r.Right) / 2, mid);  // no text there
      const fw::TColor edge = At(*shot, r.Right - 3, mid);
      if (panelMask) {
        EXPECT_EQ(At(*shot, r.Left + 2, mid), skintest::kDivider) << "the panel mask's border in panel " << i;
        EXPECT_EQ(inside, skintest::kStatus) << "its inside shows the bar";
      } else {
        EXPECT_EQ(inside, skintest::kStatus) << "panel " << i;
        EXPECT_EQ(edge, i < 2 ? skintest::kDivider : skintest::kStatus) << "divider after panel " << i;
      }
    }
  }
}

TEST(StatusBarWnd, TextsAreCutToTheirRoomInTheBarsFont) {
  Bar b(false);
  b.bar->Font()->SetSize(12);
  b.bar->Panels()->Items(0)->SetText(u"Searching the database for the typeface");
  b.bar->Panels()->Items(2)->SetText(u"Ready");
  auto shot = b.Print();
  const fw::TRect r0 = b.Part(0), r2 = b.Part(2);
  const int h = b.bar->Height();
  EXPECT_TRUE(AnyOf(*shot, skintest::kStatusText, r0.Left, r0.Right, 0, h)) << "a text in panel 0";
  EXPECT_FALSE(AnyOf(*shot, skintest::kStatusText, r0.Right - 5, r0.Right + 1, 0, h)) << "nothing in its last pixels";
  EXPECT_TRUE(AnyOf(*shot, skintest::kStatusText, r2.Left, r2.Left + 40, 0, h)) << "left aligned";
}

TEST(StatusBarWnd, AnOwnerDrawnPanelGetsItsHandlersDrawingOnly) {
  Bar b(false);
  b.bar->Panels()->Items(1)->SetText(u"never written");
  b.bar->Panels()->Items(1)->SetStyle(fw::psOwnerDraw);
  b.bar->OnDrawPanel = fw::TDrawPanelEvent(b.bar, &TDrawingBar::DrawMagenta);
  const bool hadHandle = b.bar->Canvas()->HandleAllocated();
  auto shot = b.Print();
  const fw::TRect r1 = b.Part(1);
  EXPECT_GE(b.bar->drawn, 1);
  EXPECT_EQ(At(*shot, (r1.Left + r1.Right) / 2, b.bar->Height() / 2), 0xFF00FFu);
  EXPECT_FALSE(AnyOf(*shot, skintest::kStatusText, r1.Left, r1.Right, 0, b.bar->Height()));
  EXPECT_EQ(b.bar->Canvas()->HandleAllocated(), hadHandle) << "the canvas given back";
  b.bar->fail = true;
  EXPECT_ANY_THROW(b.Adapter().PrepareCache());
  EXPECT_EQ(b.bar->Canvas()->HandleAllocated(), hadHandle) << "also when the handler fails";
}

TEST(StatusBarWnd, TheGaugeOnTheBarStaysAndFollowsItsProgress) {
  Bar b(false);
  const fw::TRect r1 = b.Part(1);
  auto* gauge = new TkGauge(b.bar);
  gauge->SetParent(b.bar);
  gauge->SetShowText(false);
  gauge->SetBounds(r1.Left + 2, 3, 140, b.bar->Height() - 6);
  gauge->SetProgress(0);
  const int y = b.bar->Height() / 2, x = gauge->Left() + 20;
  auto empty = b.Print();
  EXPECT_EQ(At(*empty, x, y), 0xFFFFFFu) << "the gauge's empty bar over the panel";
  gauge->SetProgress(50);
  b.bar->Panels()->Items(0)->SetText(u"12 of 24");  // the bar paints itself again
  fwtest::Pump();
  auto half = b.Print();
  EXPECT_EQ(At(*half, x, y), 0x000000u) << "filled";
  EXPECT_EQ(At(*half, gauge->Left() + 130, y), 0xFFFFFFu) << "the rest empty";
  // On screen too, after the bar's own repaint.
  RedrawWindow(b.bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  fwtest::Pump();
  POINT p{x, y};
  ClientToScreen(b.bar->Handle(), &p);
  HDC screen = GetDC(nullptr);
  const bool shown = fwtest::PumpUntil([&] { return GetPixel(screen, p.x, p.y) == 0; });
  ReleaseDC(nullptr, screen);
  EXPECT_TRUE(shown) << "the gauge is not painted over";
}

// The main window's status bar during a search in the program's skins:
// the skins' divider line after every panel but the last, and the gauge
// skinned as well, written as screenshots for looking at.
TEST(StatusBarWnd, DividersAndScreenshotsDuringASearchInBothSkins) {
  for (const char16_t* name : {u"Sapphire (internal)", u"Topaz (internal)"}) {
    TkSkinManager manager{nullptr};
    LoadInternalSkins(*manager.InternalSkins());
    manager.WriteSkinName(name);
    fwtest::TestForm form{600, 80};
    form->SetBorderStyle(fw::bsSizeable);
    auto* bar = new fw::TStatusBar(form.form);
    bar->SetParent(form.form);
    bar->SetAlign(fw::alBottom);
    for (int w : {100, 150, 300}) bar->Panels()->Add()->SetWidth(w);
    bar->Panels()->Items(0)->SetText(u"Searching...");
    bar->Panels()->Items(2)->SetText(u"1234 fonts in the database");
    form->Show();
    fwtest::Pump();
    std::unique_ptr<TkcMainWnd> adapter(
        MakeListAdapter(tlStatusBar, bar, [&] { return manager.LoadedSkin(); }, TkcSkinParams{}));
    // The skin's divider line shows after every panel but the last.
    {
      auto print = std::make_unique<fw::TBitmap>();
      print->SetPixelFormat(fw::pf32bit);
      print->SetSize(bar->Width(), bar->Height());
      SendMessageW(bar->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(print->Canvas()->Handle()), PRF_CLIENT);
      GdiFlush();
      auto* a = dynamic_cast<TkcStatusBarWnd*>(adapter.get());
      ASSERT_NE(a, nullptr);
      const int mid = bar->Height() / 2;
      for (int i = 0; i < 3; ++i) {
        const fw::TRect r = a->PartRect(i);
        const fw::TColor inside = At(*print, r.Right - 12, mid);
        bool line = false;
        for (int x = r.Right - 5; x < r.Right; ++x) line = line || At(*print, x, mid) != inside;
        EXPECT_EQ(line, i < 2) << fw::StringToUtf8(name) << ": divider after panel " << i;
      }
    }
    auto* gauge = new TkGauge(bar);
    gauge->SkinData()->WriteSkinManager(&manager);
    gauge->SetParent(bar);
    gauge->SetBounds(bar->Left() + 100, 4, 145, bar->Height() - 6);
    gauge->SetMaxValue(1234);
    gauge->SetProgress(777);
    EXPECT_TRUE(gauge->Skinned());
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    fwtest::Pump(100);
    auto shot = scenarios::ScreenshotOf(bar->Handle());
    const std::string file = std::string("status_bar_") + (name[0] == u'S' ? "sapphire" : "topaz") + ".png";
    scenarios::SavePng(shot.get(), scenarios::ScreenshotPath(file));
  }
}
