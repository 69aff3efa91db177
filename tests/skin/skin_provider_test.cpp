// A real form with the skinning provider: the frame image carries the
// caption and icon, WM_NCACTIVATE switches the title's state, WM_PRINT gives
// what the provider paints, the title buttons answer the hit test, and
// without a skin the form gets its own frame back.
#include "skin/forms/skin_provider.h"

#include <gtest/gtest.h>

#include "fw/stdctrls/label.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_resources.h"
#include "skin/engine/window_utils.h"
#include "tests/fw/controls_test_util.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/engine/core/program_skins.h"

namespace skin {
namespace {

std::unique_ptr<TkLoadedSkin> StoredSkin(int index) {
  std::vector<TStoredSkinData> stored = LoadInternalSkins();
  TSkinLoadOptions o = SystemSkinLoadOptions();
  o.Saturation = -58;
  return LoadPackedSkin(stored.at(size_t(index)).Name, stored.at(size_t(index)).Data, o);
}

// The skin outlives the form whose provider paints from it.
struct SkinnedForm {
  std::unique_ptr<TkLoadedSkin> skin;
  fwtest::TestForm form{320, 200};
  TkSkinProvider* provider = nullptr;
  explicit SkinnedForm(int skinIndex) : skin(StoredSkin(skinIndex)) {
    form->SetBorderStyle(fw::bsSizeable);
    form->SetCaption(u"Skinned form");
    provider = new TkSkinProvider(form.form);
    provider->SetSkin(skin.get());
    form->Show();
    SetForegroundWindow(form->Handle());
    EXPECT_TRUE(fwtest::PumpUntil([&] { return provider->BuildCount() > 0; }, 20000));
  }
  HWND wnd() { return form->Handle(); }
  // The frame image built anew from the provider's input, changed.
  std::unique_ptr<fw::TBitmap> ImageWith(bool active, const fw::String& caption, bool icon) {
    TkFormImageInput in = provider->ImageInput();
    in.Active = active;
    in.Caption = caption;
    if (!icon) in.Icon = nullptr;
    auto b = NewBitmap32(1, 1);
    PaintFormImage(*b, *skin, in);
    GdiFlush();
    return b;
  }
};

uint64_t Band(fw::TBitmap& b, const fw::TRect& r) { return PixelChecksum(SubView(View32(b), r)); }

TEST(SkinProvider, FrameShowsCaptionAndIconAndFollowsActivation) {
  for (int s = 0; s < 2; ++s) {
    SkinnedForm f(s);
    const TkFormImageInput& in = f.provider->ImageInput();
    ASSERT_EQ(in.Frame.Width, 320);
    EXPECT_EQ(in.Caption, u"Skinned form");
    ASSERT_TRUE(in.LayoutInput.IconVisible);
    ASSERT_NE(in.Icon, nullptr);
    const fw::TRect title = fw::Rect(0, 0, 320, HeaderHeight(in.Frame));
    const fw::TRect icon = in.Layout.IconRect;
    const fw::TRect caption = fw::Rect(icon.Right + 2, 0, in.Layout.Min.Rect.Left, HeaderHeight(in.Frame));
    // Caption and icon are in the image.
    auto noCaption = f.ImageWith(in.Active, u"", true);
    auto noIcon = f.ImageWith(in.Active, in.Caption, false);
    EXPECT_NE(Band(f.provider->FormImage(), caption), Band(*noCaption, caption));
    EXPECT_NE(Band(f.provider->FormImage(), icon), Band(*noIcon, icon));
    EXPECT_EQ(Band(f.provider->FormImage(), caption), Band(*noIcon, caption));
    // Deactivation and activation switch the title's state.
    SendMessageW(f.wnd(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(f.provider->FormActive());
    EXPECT_EQ(Band(f.provider->FormImage(), title), Band(*f.ImageWith(false, in.Caption, true), title));
    SendMessageW(f.wnd(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(f.provider->FormActive());
    EXPECT_EQ(Band(f.provider->FormImage(), title), Band(*f.ImageWith(true, in.Caption, true), title));
    EXPECT_NE(Band(*f.ImageWith(true, in.Caption, true), title), Band(*f.ImageWith(false, in.Caption, true), title));
    // A new caption is painted at once.
    const int builds = f.provider->BuildCount();
    f.form->SetCaption(u"Another caption");
    EXPECT_GT(f.provider->BuildCount(), builds);
    EXPECT_EQ(f.provider->ImageInput().Caption, u"Another caption");
    // What the screen shows, for looking at.
    fwtest::Pump(200);
    std::unique_ptr<fw::TBitmap> shot = scenarios::ScreenshotOf(f.wnd());
    scenarios::SavePng(shot.get(), scenarios::ScreenshotPath(s == 0 ? "skinned_form_topaz.png" : "skinned_form_sapphire.png"));
  }
}

TEST(SkinProvider, PrintGivesTheProvidersImage) {
  SkinnedForm f(1);
  auto printed = NewBitmap32(320, 200);
  const TPixelView32 p = View32(*printed);
  for (int y = 0; y < 200; ++y) std::fill_n(p.Row(y), 320, 0xFF123456u);
  SendMessageW(f.wnd(), WM_PRINT, reinterpret_cast<WPARAM>(printed->Canvas()->Handle()),
               PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  const TPixelView32 image = View32(f.provider->FormImage());
  ASSERT_EQ(image.Width, 320);
  ASSERT_EQ(image.Height, 200);
  int differ = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 320; ++x)
      if ((p.Pixel(x, y) & 0xFFFFFF) != (image.Pixel(x, y) & 0xFFFFFF)) ++differ;
  EXPECT_EQ(differ, 0) << "frame and client background come from the same image";
}

TEST(SkinProvider, TitleButtonsAnswerTheHitTest) {
  SkinnedForm f(0);
  const TkCaptionLayout& l = f.provider->ImageInput().Layout;
  RECT w{};
  GetWindowRect(f.wnd(), &w);
  auto hit = [&](const fw::TRect& r) {
    return SendMessageW(f.wnd(), WM_NCHITTEST, 0,
                        MAKELPARAM(w.left + (r.Left + r.Right) / 2, w.top + (r.Top + r.Bottom) / 2));
  };
  EXPECT_EQ(hit(l.Close.Rect), HTCLOSE);
  EXPECT_EQ(hit(l.Max.Rect), HTMAXBUTTON);
  EXPECT_EQ(hit(l.Min.Rect), HTMINBUTTON);
  EXPECT_EQ(hit(fw::Rect(120, 5, 122, 7)), HTCAPTION);
  EXPECT_EQ(hit(l.IconRect), HTSYSMENU);
}

TEST(SkinProvider, RedrawLocksAndTheMaximisedPlacement) {
  SkinnedForm f(1);
  struct Case {
    std::vector<int> redraw;
    int locks;
  } cases[] = {{{0}, 1}, {{0, 0}, 2}, {{0, 1}, 0}, {{1}, 0}, {{1, 1, 0}, 1}, {{0, 0, 1}, 1}};
  for (const Case& c : cases) {
    while (f.provider->LockCount() > 0) SendMessageW(f.wnd(), WM_SETREDRAW, TRUE, 0);
    for (int v : c.redraw) SendMessageW(f.wnd(), WM_SETREDRAW, WPARAM(v), 0);
    EXPECT_EQ(f.provider->LockCount(), c.locks);
    if (f.provider->LockCount() > 0) {
      const int builds = f.provider->BuildCount();
      f.provider->RepaintFormFrame();
      EXPECT_EQ(f.provider->BuildCount(), builds) << "no frame painting while locked";
    }
  }
  while (f.provider->LockCount() > 0) SendMessageW(f.wnd(), WM_SETREDRAW, TRUE, 0);
  MINMAXINFO info{};
  SendMessageW(f.wnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  const fw::TRect area = FormWorkArea(f.form.form);
  const int frame = GetSystemMetrics(SM_CXFRAME);
  EXPECT_EQ(info.ptMaxPosition.x, -frame);
  EXPECT_EQ(info.ptMaxPosition.y, -frame);
  EXPECT_EQ(info.ptMaxSize.x, area.Width() + 2 * frame);
  EXPECT_EQ(info.ptMaxSize.y, area.Height() + 2 * frame);
}

TEST(SkinProvider, LabelsTakeTheSkinsColourAndGetTheirOwnBack) {
  fwtest::TestForm form;
  form->Font()->SetColor(0x00AA00);
  auto label = [&](fw::TColor color, bool parentFont, bool transparent) {
    auto* l = new fw::TLabel(form.form);
    l->SetParent(form.form);
    l->SetTransparent(transparent);
    if (parentFont) {
      l->SetParentFont(true);
    } else {
      l->Font()->SetColor(color);
    }
    return l;
  };
  fw::TLabel* own = label(0x0000FF, false, false);
  fw::TLabel* parented = label(0, true, false);
  fw::TLabel* clear = label(0xFF0000, false, true);
  fw::TLabel* tagged = label(0x123456, false, false);
  tagged->SetTag(0x100);
  std::unique_ptr<TkLoadedSkin> skin = StoredSkin(0);
  auto* provider = new TkSkinProvider(form.form);
  provider->SetSkin(skin.get());
  const fw::TColor text = skin->GetGlobalFontColor();
  EXPECT_EQ(provider->SavedLabelColors().size(), 3u);
  for (fw::TLabel* l : {own, parented, clear}) EXPECT_EQ(l->Font()->Color(), text);
  EXPECT_EQ(tagged->Font()->Color(), 0x123456) << "Tag bit 0x100 keeps a label unskinned";
  EXPECT_TRUE(clear->Transparent());
  // One label back: the others keep their saved entries.
  provider->InitLabel(own, false);
  EXPECT_EQ(own->Font()->Color(), 0x0000FF);
  ASSERT_EQ(provider->SavedLabelColors().size(), 2u);
  provider->SetSkin(nullptr);
  EXPECT_TRUE(provider->SavedLabelColors().empty());
  EXPECT_EQ(clear->Font()->Color(), 0xFF0000);
  EXPECT_EQ(parented->Font()->Color(), 0x00AA00) << "ParentFont: the parent's colour";
  EXPECT_TRUE(clear->Transparent()) << "a transparent label stays transparent";
  EXPECT_FALSE(own->Transparent());
}

TEST(SkinProvider, TheRegionFollowsTheSkinAndGoesWithIt) {
  SkinnedForm f(0);
  const fw::TColor skinColor = f.form->Color();
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(f.wnd(), rgn), ERROR);
  ASSERT_FALSE(f.provider->RegionCutouts().empty());
  EXPECT_FALSE(PtInRegion(rgn, 0, 0)) << "a keyed corner";
  EXPECT_TRUE(PtInRegion(rgn, 10, 10));
  // The skin commands take the skin away and bring one from the source.
  std::unique_ptr<TkLoadedSkin> other = StoredSkin(1);
  f.provider->SetSkinSource([&] { return other.get(); });
  SendMessageW(f.wnd(), WM_SKINCOMMAND, SkinCommand(SKC_REMOVESKIN), 0);
  EXPECT_FALSE(f.provider->Skinned());
  EXPECT_EQ(GetWindowRgn(f.wnd(), rgn), ERROR) << "no region without a skin";
  EXPECT_NE(f.form->Color(), skinColor);
  SendMessageW(f.wnd(), WM_SKINCOMMAND, SkinCommand(SKC_NEWSKIN), 0);
  EXPECT_EQ(f.provider->Skin(), other.get());
  EXPECT_TRUE(fwtest::PumpUntil([&] { return GetWindowRgn(f.wnd(), rgn) != ERROR; }, 20000));
  f.provider->SetSkin(nullptr);
  EXPECT_EQ(GetWindowRgn(f.wnd(), rgn), ERROR);
  DeleteObject(rgn);
}

}  // namespace
}  // namespace skin
