// The effects a skinned form's provider runs on real windows: a hovered
// title button fades in on its own click-through window and out again, a
// secondary form minimised and restored animates and ends opaque with the
// system's animation setting as it was, a form destroyed mid-animation
// leaves no window behind, and with ExtendedBorders the form gets its
// border window around it, answering the frame's hits for it and showing
// the frame in the skin's shadow (or frame and title from one image).
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "fw/menus/menus.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/window_utils.h"
#include "skin/engine/skin_messages.h"
#include "skin/forms/border_window.h"
#include "skin/forms/fake_dwm.h"
#include "skin/forms/menu_line.h"
#include "skin/forms/min_animation.h"
#include "skin/forms/skinned_form.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/forms/title_glow.h"
#include "skin/forms/title_options.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/engine/core/program_skins.h"
#include "tests/skin/forms/skinned_manager.h"

namespace skin {
namespace {

bool Layered(HWND w) { return (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

fw::TRect RectOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return fw::Rect(r.left, r.top, r.right, r.bottom);
}

// The system's animation setting as the animations switch it.
struct FakeAnimationSetting {
  static inline bool on = true;
  static inline int writes = 0;
  bool (*read)() = TkcSysAnimationOff::Read;
  void (*write)(bool) = TkcSysAnimationOff::Write;
  FakeAnimationSetting() {
    on = true;
    writes = 0;
    TkcSysAnimationOff::Read = [] { return on; };
    TkcSysAnimationOff::Write = [](bool v) {
      ++writes;
      on = v;
    };
  }
  ~FakeAnimationSetting() {
    TkcSysAnimationOff::Read = read;
    TkcSysAnimationOff::Write = write;
  }
};

// A skinned form with a manager of its own, shown after the manager is set.
struct EffectsForm {
  TkSkinManager manager{nullptr};
  SkinnedForm f{0, fw::bsSizeable, 400, 300, false};
  explicit EffectsForm(bool extendedBorders = false) {
    manager.AnimEffects()->FormShow.Active = false;
    manager.AnimEffects()->FormHide.Active = false;
    manager.WriteExtendedBorders(extendedBorders);
    f.provider->SetManager(&manager);
    f.Show();
  }
  TkSkinProvider& p() { return *f.provider; }
};

// A form with a main menu, skinned with the skin of a manager that has
// extended borders on: the manager takes its shadow images from that skin.
struct ShadowedForm {
  skintest::SkinnedManager m{0};
  fwtest::TestForm form{400, 300};
  TkSkinProvider* provider = nullptr;
  // prepare: changes to the manager's skin and shadow before the form is skinned.
  explicit ShadowedForm(const std::function<void(TkSkinManager&)>& prepare = {}) {
    m.manager.AnimEffects()->FormShow.Active = false;
    m.manager.AnimEffects()->FormHide.Active = false;
    m.manager.WriteExtendedBorders(true);
    if (prepare) prepare(m.manager);
    form->SetBorderStyle(fw::bsSizeable);
    form->SetCaption(u"Skinned form");
    auto* menu = new fw::TMainMenu(form.form);
    for (const char16_t* caption : {u"&File", u"&Edit", u"&View"}) {
      auto* item = new fw::TMenuItem(form.form);
      item->SetCaption(caption);
      menu->Items()->Add(item);
      auto* sub = new fw::TMenuItem(form.form);
      sub->SetCaption(u"Open");
      item->Add(sub);
    }
    form->SetMenu(menu);
    provider = new TkSkinProvider(form.form);
    provider->SetManager(&m.manager);
    provider->SetSkin(m.manager.LoadedSkin());
    form->Show();
    SetForegroundWindow(form->Handle());
    fwtest::PumpUntil([&] { return provider->BuildCount() > 0 && IsWindowVisible(form->Handle()); }, 20000);
  }
  TkSkinProvider& p() { return *provider; }
};

TEST(ProviderEffects, AHotTitleButtonFadesOnItsOwnWindowAndGoesWithTheFade) {
  EffectsForm e;
  ASSERT_TRUE(e.manager.Effects()->FAllowGlowing);
  const TkCaptionButton& close = e.f.Layout().Close;
  e.p().SetHotHT(HTCLOSE, true);
  TkcSBAnimation* fade = close.Timer;
  ASSERT_NE(fade, nullptr) << "glowing allowed: the hot button fades";
  ASSERT_TRUE(fade->AForm && fade->AForm->Handle());
  const HWND glow = fade->AForm->Handle();
  const LONG_PTR ex = GetWindowLongPtrW(glow, GWL_EXSTYLE);
  EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE),
            LONG_PTR(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE));
  EXPECT_EQ(GetForegroundWindow(), e.f.wnd()) << "the fade never takes activation";
  // Over the button the mouse still finds the form.
  const fw::TRect r = RectOf(e.f.wnd());
  const POINT centre{r.Left + (close.Rect.Left + close.Rect.Right) / 2, r.Top + (close.Rect.Top + close.Rect.Bottom) / 2};
  EXPECT_EQ(WindowFromPoint(centre), e.f.wnd());
  for (int i = 0; i < 12; ++i) fade->OnAnimTimer();
  // The frame shows the normal button beneath the fade: a repaint keeps it.
  e.p().RepaintFormFrame();
  EXPECT_EQ(close.Timer, fade) << "the fade survives the frame being rebuilt";
  e.p().SetHotHT(0, true);
  for (int i = 0; i < 12 && fade->AForm; ++i) fade->OnAnimTimer();
  EXPECT_FALSE(fade->AForm) << "faded out: the window is gone";
  EXPECT_FALSE(IsWindow(glow));
  e.p().StopTitleAnimations();
  EXPECT_EQ(close.Timer, nullptr);
}

TEST(ProviderEffects, AProgramsOwnTitleButtonFadesWithItsPicture) {
  EffectsForm e;
  auto* button = static_cast<TkTitleButton*>(e.p().TitleButtons()->Add());
  fw::TBitmap& g = *button->Glyph();
  g.SetPixelFormat(fw::pf24bit);
  g.SetSize(10, 10);
  {
    HDC dc = g.Canvas()->Handle();
    HBRUSH key = CreateSolidBrush(RGB(0, 255, 0)), ink = CreateSolidBrush(RGB(255, 0, 0));
    RECT all{0, 0, 10, 10}, inner{2, 2, 8, 8};
    FillRect(dc, &all, key);
    FillRect(dc, &inner, ink);
    DeleteObject(key);
    DeleteObject(ink);
  }
  e.p().RepaintFormFrame();
  ASSERT_GT(button->Data.Rect.Width(), 0);
  e.p().SetHotHT(1000, true);
  TkcSBAnimation* fade = button->Data.Timer;
  ASSERT_NE(fade, nullptr) << "the program's own buttons fade like the standard ones";
  ASSERT_TRUE(fade->ABmp);
  const TPixelView32 v = View32(*fade->ABmp);
  int red = 0, key = 0;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) {
      // Premultiplied: full red may read one step darker.
      const uint32_t p = v.Row(y)[x] & 0xFFFFFF;
      red += p >= 0xFE0000 && (p & 0xFFFF) == 0;
      key += (p & 0xFF00) >= 0xFE00 && (p & 0xFF00FF) == 0;
    }
  EXPECT_EQ(red, 36) << "the picture's ink in the fade's image";
  EXPECT_EQ(key, 0) << "without its key colour";
  e.p().StopTitleAnimations();
  EXPECT_EQ(button->Data.Timer, nullptr);
}

TEST(ProviderEffects, WithoutGlowingTheButtonIsPaintedDirectly) {
  EffectsForm e;
  e.manager.Effects()->FAllowGlowing = false;
  e.p().SetHotHT(HTMAXBUTTON, true);
  EXPECT_EQ(e.f.Layout().Max.Timer, nullptr);
  EXPECT_EQ(e.p().ButtonState(HTMAXBUTTON), 1);
}

TEST(ProviderEffects, ASecondaryFormMinimisesAndRestoresAnimatedAndEndsOpaque) {
  skintest::TFakeDwm dwm(true);
  FakeAnimationSetting setting;
  EffectsForm e;
  ASSERT_TRUE(e.manager.AnimEffects()->Minimizing.Active);
  SendMessageW(e.f.wnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(e.f.wnd()));
  ASSERT_TRUE(fwtest::PumpUntil([&] { return !(e.p().FormState & 0x100); }, 10000)) << "the minimize animation ends";
  EXPECT_FALSE(Layered(e.f.wnd())) << "opaque again after minimising";
  EXPECT_TRUE(e.p().MinimizedByTimer());
  EXPECT_FALSE(e.p().fAnimating);

  SendMessageW(e.f.wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return !(e.p().FormState & 0x400); }, 10000)) << "the restore animation ends";
  EXPECT_FALSE(IsIconic(e.f.wnd()));
  EXPECT_TRUE(IsWindowVisible(e.f.wnd()));
  EXPECT_FALSE(Layered(e.f.wnd())) << "opaque again after restoring";
  EXPECT_FALSE(e.p().MinimizedByTimer());
  EXPECT_TRUE(setting.on) << "the system's animation is on again";
  EXPECT_EQ(setting.writes % 2, 0) << "every switch off was matched";
}

TEST(ProviderEffects, WithABorderWindowTheWholeImageMinimisesAndComesBack) {
  skintest::TFakeDwm dwm(true);
  FakeAnimationSetting setting;
  EffectsForm e(true);
  TkcBorderForm* border = e.p().BorderForm();
  ASSERT_TRUE(border && border->AForm());
  SendMessageW(e.f.wnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(e.f.wnd()));
  ASSERT_TRUE(fwtest::PumpUntil([&] { return !(e.p().FormState & 0x100); }, 10000));
  EXPECT_EQ(border->AForm(), nullptr) << "the border window went with the form to the taskbar";
  EXPECT_FALSE(border->ExBorderShowing);
  EXPECT_FALSE(Layered(e.f.wnd()));

  SendMessageW(e.f.wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return !(e.p().FormState & 0x400); }, 10000));
  EXPECT_FALSE(IsIconic(e.f.wnd()));
  EXPECT_FALSE(Layered(e.f.wnd())) << "the form is opaque again";
  ASSERT_TRUE(e.p().HasBorderWindow()) << "the border window is back";
  EXPECT_TRUE(IsWindowVisible(border->AForm()));
  EXPECT_FALSE(border->ExBorderShowing);
  EXPECT_FALSE(GetWindowLongPtrW(border->AForm(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "back behind its form";
  const fw::TRect b = RectOf(border->AForm()), w = RectOf(e.f.wnd());
  const TkFormFrameFacts& facts = e.p().ImageInput().Frame;
  EXPECT_EQ(w.Left - b.Left, ExtFrameDelta(facts) + ShadowSize(facts).Left) << "around the form again";
  EXPECT_TRUE(setting.on);
}

TEST(ProviderEffects, WithoutTheAnimationTheBorderWindowGoesAndComesWithTheForm) {
  FakeAnimationSetting setting;
  EffectsForm e(true);
  e.manager.AnimEffects()->Minimizing.Active = false;
  TkcBorderForm* border = e.p().BorderForm();
  ASSERT_TRUE(border && border->AForm());
  SendMessageW(e.f.wnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(e.f.wnd()));
  EXPECT_EQ(border->AForm(), nullptr) << "no frame left on the screen";
  SendMessageW(e.f.wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(e.f.wnd()));
  ASSERT_NE(border->AForm(), nullptr);
  EXPECT_TRUE(IsWindowVisible(border->AForm())) << "the frame is back around the form";
}

TEST(ProviderEffects, AFormDestroyedWhileMinimisingLeavesNoCoverBehind) {
  skintest::TFakeDwm dwm(true);
  FakeAnimationSetting setting;
  HWND cover = nullptr;
  {
    EffectsForm e;
    SendMessageW(e.f.wnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(e.p().FormState & 0x100);
    // The cover of the animation is the only topmost layered window made.
    HWND top = GetTopWindow(nullptr);
    for (HWND w = top; w; w = GetWindow(w, GW_HWNDNEXT))
      if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && Layered(w) && IsWindowVisible(w) &&
          w != e.f.wnd()) {
        cover = w;
        break;
      }
  }
  fwtest::Pump(50);
  ASSERT_NE(cover, nullptr);
  EXPECT_FALSE(IsWindow(cover));
  EXPECT_TRUE(setting.on);
}

TEST(ProviderEffects, ExtendedBordersGiveTheFormABorderWindowAroundIt) {
  EffectsForm e(true);
  ASSERT_TRUE(e.manager.ReadExtendedBorders());
  ASSERT_TRUE(e.p().HasBorderWindow());
  const HWND border = e.p().BorderWindowHandle();
  ASSERT_TRUE(IsWindow(border));
  fwtest::PumpUntil([&] { return IsWindowVisible(border); }, 5000);
  EXPECT_TRUE(IsWindowVisible(border));
  EXPECT_EQ(GetWindow(border, GW_OWNER), e.f.wnd());
  const LONG_PTR ex = GetWindowLongPtrW(border, GWL_EXSTYLE);
  EXPECT_EQ(ex & (WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW),
            LONG_PTR(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW));
  ASSERT_NE(e.p().ImageInput().Frame.BorderForm, nullptr) << "the image is the wide one";
  // The border window shows the whole image, the form lying inside it.
  const fw::TRect b = RectOf(border), w = RectOf(e.f.wnd());
  EXPECT_EQ(b.Width(), e.p().FormImage().Width());
  EXPECT_EQ(b.Height(), e.p().FormImage().Height());
  const TkFormFrameFacts& facts = e.p().ImageInput().Frame;
  EXPECT_EQ(w.Left - b.Left, ExtFrameDelta(facts) + ShadowSize(facts).Left);
  EXPECT_EQ(w.Top - b.Top, ExtTitleDelta(facts) + ShadowSize(facts).Top);
  // The border window answers the title buttons for the form.
  TkcBorderForm* bf = e.p().BorderForm();
  const TkCaptionButton& close = e.f.Layout().Close;
  const fw::TPoint closeAt{b.Left + (close.Rect.Left + close.Rect.Right) / 2,
                           b.Top + (close.Rect.Top + close.Rect.Bottom) / 2};
  EXPECT_EQ(bf->Ex_WMNCHitTest(closeAt), HTCLOSE);
  SendMessageW(border, WM_NCMOUSEMOVE, HTOBJECT, MAKELPARAM(closeAt.x, closeAt.y));
  EXPECT_EQ(e.p().CurrentHT(), HTCLOSE) << "hovering the border window's close makes it hot";
  const fw::TPoint captionAt{b.Left + b.Width() / 3, b.Top + ShadowSize(facts).Top + 8};
  EXPECT_EQ(bf->Ex_WMNCHitTest(captionAt), HTCAPTION);
  // A press forwarded with the code left open is answered by the border's hit test.
  SendMessageW(border, WM_NCLBUTTONDOWN, HTOBJECT, MAKELPARAM(closeAt.x, closeAt.y));
  EXPECT_EQ(e.p().ButtonState(HTCLOSE), 2) << "the press reached the form as its close button";
  ReleaseCapture();
  TitleButtonPressed = false;
  e.p().SetHotHT(0, true);
  // Hidden, the form has no border window any more.
  e.f.form->Hide();
  fwtest::Pump(20);
  EXPECT_FALSE(e.p().HasBorderWindow());
  EXPECT_FALSE(IsWindow(border));
}

// Removing the skin takes the border window away with the skinned frame
// (it would go on showing the old skin's frame around the system's).
TEST(ProviderEffects, RemovingTheSkinFreesTheBorderWindow) {
  ShadowedForm e;
  ASSERT_TRUE(e.p().HasBorderWindow());
  const HWND border = e.p().BorderWindowHandle();
  SendMessageW(e.form->Handle(), WM_SKINCOMMAND, SkinCommand(SKC_REMOVESKIN), reinterpret_cast<LPARAM>(&e.m.manager));
  EXPECT_FALSE(e.p().Skinned());
  EXPECT_FALSE(e.p().HasBorderWindow());
  EXPECT_FALSE(IsWindow(border));
}

// Turning the manager's extended borders off and on refreshes the form:
// the border window goes and comes back.
TEST(ProviderEffects, TheBorderWindowFollowsTheManagersExtendedBorders) {
  ShadowedForm e;
  e.p().SetSkinSource([&] { return e.m.manager.LoadedSkin(); });
  ASSERT_TRUE(e.p().HasBorderWindow());
  e.m.manager.WriteExtendedBorders(false);
  EXPECT_TRUE(e.p().Skinned());
  EXPECT_FALSE(e.p().HasBorderWindow());
  e.m.manager.WriteExtendedBorders(true);
  EXPECT_TRUE(e.p().HasBorderWindow());
}

// The border window shows the frame in the skin's shadow: the margins
// around the frame are partly transparent, the frame, title and menu line
// (drawn with GDI after the shadow) opaque.
TEST(ProviderEffects, TheBorderWindowShowsTheFrameInTheSkinsShadow) {
  ShadowedForm e;
  ASSERT_TRUE(e.p().HasBorderWindow());
  const HWND border = e.p().BorderWindowHandle();
  fwtest::PumpUntil([&] { return IsWindowVisible(border); }, 5000);
  ASSERT_NE(e.p().ImageInput().ShadowTemplate, nullptr);
  const TkFormFrameFacts& facts = e.p().ImageInput().Frame;
  const fw::TRect s = ShadowSize(facts);
  ASSERT_GT(s.Left, 0);
  ASSERT_GT(s.Top, 0);
  const TPixelView32 v = View32(e.p().FormImage());
  auto alpha = [&](int x, int y) { return int(v.Pixel(x, y) >> 24); };
  // Each margin holds shadow: some pixels neither clear nor opaque.
  struct Band {
    const char* what;
    fw::TRect r;
  };
  for (const Band& b : {Band{"left", fw::Rect(0, v.Height / 4, s.Left, v.Height * 3 / 4)},
                        Band{"top", fw::Rect(v.Width / 4, 0, v.Width * 3 / 4, s.Top)},
                        Band{"right", fw::Rect(v.Width - s.Right, v.Height / 4, v.Width, v.Height * 3 / 4)},
                        Band{"bottom", fw::Rect(v.Width / 4, v.Height - s.Bottom, v.Width * 3 / 4, v.Height)}}) {
    int partial = 0;
    for (int y = b.r.Top; y < b.r.Bottom; ++y)
      for (int x = b.r.Left; x < b.r.Right; ++x)
        if (alpha(x, y) > 0 && alpha(x, y) < 255) ++partial;
    EXPECT_GT(partial, b.r.Width() * b.r.Height() / 4) << b.what << " margin";
  }
  // The frame inside the margins is opaque.
  for (auto [x, y] : {std::pair{s.Left, v.Height / 2}, {v.Width - s.Right - 1, v.Height / 2},
                      {v.Width / 2, s.Top}, {v.Width / 2, v.Height - s.Bottom - 1}})
    EXPECT_EQ(alpha(x, y), 255) << x << "," << y << ": the frame";
  // The title and its caption text.
  const int titleBottom = s.Top + FrameHeightOf(facts, false) + CaptionHeight(facts, true);
  int clear = 0;
  for (int y = s.Top; y < titleBottom; ++y)
    for (int x = s.Left + 8; x < v.Width - s.Right - 8; ++x) clear += alpha(x, y) != 255;
  EXPECT_EQ(clear, 0) << "pixels of the title not opaque (the rounded corners left out)";
  // The menu line with its items.
  TkMenuLine& line = e.p().Menus().Line();
  ASSERT_TRUE(line.DrawsLine(facts));
  const fw::TPoint o = line.Origin();
  fw::TBitmap& clean = line.MenuLineBmp();
  ASSERT_GT(clean.Width(), 0);
  clear = 0;
  for (int y = o.y; y < o.y + clean.Height(); ++y)
    for (int x = o.x; x < o.x + clean.Width(); ++x) clear += alpha(x, y) != 255;
  EXPECT_EQ(clear, 0) << "pixels of the menu line not opaque";
  // The items are painted in the line, where the border window shows the
  // form's menu bar: the title's bottom rows above them look as they do
  // beyond the items.
  RECT item{};
  ASSERT_TRUE(GetMenuItemRect(e.form->Handle(), GetMenu(e.form->Handle()), 0, &item));
  const fw::TRect b = RectOf(border);
  const fw::TRect first = fw::Rect(item.left - b.Left, item.top - b.Top, item.right - b.Left, item.bottom - b.Top);
  EXPECT_GE(first.Top, o.y);
  EXPECT_NE(PixelChecksum(SubView(v, first)),
            PixelChecksum(SubView(View32(clean), fw::Rect(first.Left - o.x, first.Top - o.y, first.Right - o.x,
                                                          first.Bottom - o.y))))
      << "the first item is painted over the line";
  const int beyond = v.Width / 2;
  for (int y = o.y - 4; y < o.y; ++y)
    for (int x = first.Left; x < first.Right; ++x)
      ASSERT_EQ(v.Pixel(x, y), v.Pixel(beyond, y)) << x << "," << y << ": the title above the first item";
  fwtest::Pump(50);
  scenarios::SavePng(scenarios::ScreenshotOf(border).get(), scenarios::ScreenshotPath("extended_borders_topaz.png"));
}

// A skin that draws frame and shadow from one image: the frame's edges and
// the whole title come from the shadow image, the title section is left
// out, and the caption and buttons are drawn over the image.
TEST(ProviderEffects, OneImageBorderDrawsTheFormsFrameAndTitleFromTheShadowImage) {
  constexpr uint32_t kFramePixel = 0xFF2040C0;  // the one-image frame, opaque
  std::optional<fw::TRect> closeBefore;
  for (int drawMode : {0, 1}) {
    ShadowedForm e([&](TkSkinManager& m) {
      m.LoadedSkin()->CommonSkinData.ExDrawMode = drawMode;
      for (TPixelBuffer* t : {&m.ShdaTemplate, &m.ShdiTemplate}) {
        t->SetSize(TPixelFormat::pf32bit, 121, 121);
        const TPixelView32 tv = View32(*t);
        for (int y = 0; y < tv.Height; ++y)
          for (int x = 0; x < tv.Width; ++x) tv.Pixel(x, y) = kFramePixel;
      }
    });
    ASSERT_TRUE(e.p().HasBorderWindow()) << drawMode;
    const TkFormFrameFacts& f = e.p().ImageInput().Frame;
    ASSERT_NE(f.BorderForm, nullptr);
    EXPECT_EQ(f.BorderForm->ExDrawMode, drawMode) << "the border window's facts take the skin's draw mode";
    const TPixelView32 v = View32(e.p().FormImage());
    const fw::TRect s = ShadowSize(f);
    const int deep = BorderWidth(f, true) + s.Left;  // frame and shadow
    const int titleRow = s.Top + CaptionHeight(f, true) - 2;
    const TkCaptionButton& close = e.p().ImageInput().Layout.Close;
    const uint32_t closeCentre = v.Pixel((close.Rect.Left + close.Rect.Right) / 2, (close.Rect.Top + close.Rect.Bottom) / 2);
    EXPECT_EQ(closeCentre >> 24, 0xFFu) << drawMode << ": the close button opaque";
    EXPECT_NE(closeCentre, kFramePixel) << drawMode << ": the close button drawn over the frame";
    if (drawMode == 0) {
      EXPECT_EQ(v.Pixel(2, v.Height / 2), kFramePixel) << "the shadow margin";
      EXPECT_NE(v.Pixel(deep - 1, v.Height / 2), kFramePixel) << "the skin's frame";
      EXPECT_NE(v.Pixel(v.Width / 3, titleRow), kFramePixel) << "the title section";
      closeBefore = close.Rect;
    } else {
      EXPECT_EQ(v.Pixel(deep - 1, v.Height / 2), kFramePixel) << "the left edge, frame and shadow deep";
      EXPECT_EQ(v.Pixel(v.Width - deep, v.Height / 2), kFramePixel) << "the right edge";
      EXPECT_EQ(v.Pixel(v.Width / 3, titleRow), kFramePixel) << "the title from the image, no title section";
      EXPECT_NE(v.Pixel(deep + 1, v.Height - deep - 4), kFramePixel) << "inside the frame: the section";
      EXPECT_EQ(v.Pixel(deep + 1, v.Height - deep - 4) >> 24, 0xFFu) << "and opaque";
      ASSERT_TRUE(closeBefore.has_value());
      EXPECT_EQ(close.Rect.Left, closeBefore->Left) << "the buttons stay in their place";
      fwtest::Pump(50);
      scenarios::SavePng(scenarios::ScreenshotOf(e.p().BorderWindowHandle()).get(),
                         scenarios::ScreenshotPath("extended_borders_one_image_topaz.png"));
    }
  }
}

TEST(ProviderEffects, TheBorderWindowBlursTheDesktopBehindItWhenTheSkinAsks) {
  skintest::TFakeDwm dwm(true);
  EffectsForm e(true);
  const HWND border = e.p().BorderWindowHandle();
  ASSERT_TRUE(border);
  e.f.skin->CommonSkinData.UseAeroBluring = true;
  e.p().UpdateExBordersPos(true, 255);
  ASSERT_FALSE(dwm.blur.empty());
  EXPECT_EQ(dwm.blur.back().wnd, border);
  EXPECT_TRUE(dwm.blur.back().enable);
  e.manager.Effects()->FAllowAeroBluring = false;
  e.p().UpdateExBordersPos(true, 255);
  EXPECT_FALSE(dwm.blur.back().enable) << "the manager forbids it";
  e.f.skin->CommonSkinData.UseAeroBluring = false;
}

TEST(ProviderEffects, ABlendedMoveFadesTheFormAndItsBorderWindowSnapsToTheEdges) {
  EffectsForm plain;
  EXPECT_FALSE(plain.p().StartBlendedMove(false)) << "off with the manager's option";
  plain.manager.AnimEffects()->BlendOnMoving.Active = true;
  ASSERT_TRUE(plain.p().StartBlendedMove(false));
  EXPECT_TRUE(plain.p().FormState & 0x80);
  EXPECT_TRUE(Layered(plain.f.wnd())) << "the form fades while it moves";
  plain.p().FinishBlendedMove();
  EXPECT_FALSE(plain.p().FormState & 0x80);
  EXPECT_FALSE(Layered(plain.f.wnd())) << "opaque when the move ends";

  EffectsForm e(true);
  e.p().ScreenSnap = true;
  const HWND border = e.p().BorderWindowHandle();
  ASSERT_TRUE(border);
  MONITORINFO mi{sizeof mi};
  GetMonitorInfoW(MonitorFromWindow(border, MONITOR_DEFAULTTONEAREST), &mi);
  const TkFormFrameFacts& facts = e.p().ImageInput().Frame;
  const TkSkinData& s = e.f.skin->CommonSkinData;
  const int frameLeft = ShadowSize(facts).Left - s.ExShadowOffs;
  WINDOWPOS pos{border, nullptr, int(mi.rcWork.left) - frameLeft + 6, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER};
  SendMessageW(border, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  EXPECT_EQ(pos.x, int(mi.rcWork.left) - frameLeft + 6) << "no snapping outside a blended move";
  e.p().FormState |= 0x80;
  SendMessageW(border, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  e.p().FormState &= ~0x80u;
  EXPECT_EQ(pos.x, int(mi.rcWork.left) - frameLeft) << "the visible frame meets the work area's left edge";
  EXPECT_EQ(pos.y, 200);

  // Dragged above the screen's top and pushed back down by the system at
  // the end of the move loop, the border window goes back where it was
  // dragged.
  skintest::TFakeDwm dwm(false);  // a system that pushes such windows back
  TkcBorderForm& b = *e.p().BorderForm();
  b.LastTopLeft = {-1, -1};
  e.p().ScreenSnap = false;
  const UINT keep = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  auto top = [&] {
    RECT r{};
    GetWindowRect(border, &r);
    return int(r.top);
  };
  e.p().FormState |= 0x80;
  SetWindowPos(border, nullptr, 300, -30, 0, 0, keep);
  SetWindowPos(border, nullptr, 300, 0, 0, 0, keep);
  e.p().FormState &= ~0x80u;
  EXPECT_EQ(b.LastTopLeft, (fw::TPoint{300, -30})) << "where it was before the last change";
  b.PutBackWhereDragged();
  EXPECT_EQ(top(), -30);
  // Dragged within the screen it stays.
  b.LastTopLeft = {300, 40};
  SetWindowPos(border, nullptr, 300, 60, 0, 0, keep);
  b.PutBackWhereDragged();
  EXPECT_EQ(top(), 60);
  SetWindowPos(border, nullptr, 320, 100, 0, 0, keep);
  EXPECT_EQ(b.LastTopLeft, (fw::TPoint{300, 40})) << "nothing recorded outside a blended move";
}

TEST(ProviderEffects, TheBorderWindowWaitsWhileTheFormIsUpdatingPrintedOrAnimated) {
  EffectsForm e(true);
  TkcBorderForm* b = e.p().BorderForm();
  ASSERT_TRUE(b && b->AForm());
  int uploads = b->UploadCount();
  e.p().UpdateExBordersPos(true, 255);
  ASSERT_GT(b->UploadCount(), uploads);
  uploads = b->UploadCount();
  TkCommonData& data = *e.p().FCommonData;
  data.BeginUpdate();
  e.p().UpdateExBordersPos(true, 255);
  data.EndUpdate(false);
  EXPECT_EQ(b->UploadCount(), uploads) << "inside the form's update";
  HDC dc = CreateCompatibleDC(nullptr);
  data.PrintDC = dc;
  e.p().UpdateExBordersPos(true, 255);
  data.PrintDC = nullptr;
  DeleteDC(dc);
  EXPECT_EQ(b->UploadCount(), uploads) << "while the form is printed";
  e.p().FInAnimation = true;
  e.p().UpdateExBordersPos(true, 255);
  e.p().FInAnimation = false;
  EXPECT_EQ(b->UploadCount(), uploads) << "while the form animates";
  e.p().UpdateExBordersPos(true, 255);
  EXPECT_GT(b->UploadCount(), uploads) << "after them it follows again";
}

TEST(ProviderEffects, TheHideSnapshotShowsOnTheBorderWindowAndTheCoverGoesWithTheWindow) {
  EffectsForm e(true);
  TkcBorderForm* border = e.p().BorderForm();
  ASSERT_TRUE(border && border->AForm());
  e.p().TakeCoverSnapshot();
  e.p().ShowCoverOnBorder(255);
  EXPECT_TRUE(border->ExBorderShowing) << "the border window holds the snapshot for the hide animation";
  EXPECT_TRUE(IsWindowVisible(border->AForm()));
  border->ExBorderShowing = false;

  EffectsForm plain;
  auto visibleLayered = [] {
    int n = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
      if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && Layered(w) && IsWindowVisible(w)) ++n;
    return n;
  };
  const int before = visibleLayered();
  plain.p().ShowCoverForm();
  EXPECT_EQ(visibleLayered(), before + 1) << "a cover lies over the form";
  SetWindowPos(plain.f.wnd(), nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(visibleLayered(), before) << "the cover goes once the window has changed";
}

TEST(ProviderEffects, WithoutExtendedBordersThereIsNoBorderWindow) {
  EffectsForm e(false);
  EXPECT_FALSE(e.p().HasBorderWindow());
  EXPECT_EQ(e.p().ImageInput().Frame.BorderForm, nullptr);
  // Allowed by the manager but not by the form.
  e.p().AllowExtBorders = false;
  e.p().UpdateBorderForm(true);
  EXPECT_FALSE(e.p().HasBorderWindow());
  e.p().AllowExtBorders = true;
  e.p().UpdateBorderForm(true);
  EXPECT_TRUE(e.p().HasBorderWindow());
  e.p().FreeBorderWindow();
  EXPECT_FALSE(e.p().HasBorderWindow());
}

// The border window's region holds the screen point.
bool InBorderRegion(HWND border, POINT screen) {
  const fw::TRect r = RectOf(border);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const bool in = GetWindowRgn(border, rgn) == ERROR || PtInRegion(rgn, screen.x - r.Left, screen.y - r.Top);
  DeleteObject(rgn);
  return in;
}

// Sized with a border window (grown, and moved and shrunk at once as the
// border window's own sizing does), the border window covers the form only
// while the form repaints: afterwards it lies around the form at the new
// size with the client area left to the form, and follows it again.
TEST(ProviderEffects, AfterSizingTheBorderWindowLiesAroundTheFormAgain) {
  EffectsForm e(true);
  ASSERT_TRUE(e.p().HasBorderWindow());
  const HWND form = e.f.wnd(), border = e.p().BorderWindowHandle();
  auto expectAround = [&](const char* what) {
    const fw::TRect b = RectOf(border), w = RectOf(form);
    const TkFormFrameFacts& facts = e.p().ImageInput().Frame;
    EXPECT_EQ(b.Width(), e.p().FormImage().Width()) << what;
    EXPECT_EQ(w.Left - b.Left, ExtFrameDelta(facts) + ShadowSize(facts).Left) << what;
    EXPECT_EQ(w.Top - b.Top, ExtTitleDelta(facts) + ShadowSize(facts).Top) << what;
    EXPECT_FALSE(e.p().BorderForm()->ExBorderShowing) << what;
    RECT c{};
    GetClientRect(form, &c);
    POINT centre{c.right / 2, c.bottom / 2};
    ClientToScreen(form, &centre);
    EXPECT_FALSE(InBorderRegion(border, centre)) << what << ": the client area is the form's";
  };
  const fw::TRect w = RectOf(form);
  SetWindowPos(form, nullptr, w.Left, w.Top, w.Width() + 40, w.Height() + 30, SWP_NOZORDER | SWP_NOACTIVATE);
  fwtest::Pump(0);
  expectAround("grown");
  const fw::TRect g = RectOf(form);
  SetWindowPos(form, nullptr, g.Left + 60, g.Top + 50, g.Width() - 200, g.Height() - 150,
               SWP_NOZORDER | SWP_NOACTIVATE);
  fwtest::Pump(0);
  expectAround("moved and shrunk");
  const fw::TRect s = RectOf(form);
  SetWindowPos(form, nullptr, s.Left + 30, s.Top + 20, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
  fwtest::Pump(0);
  expectAround("moved");
}

// Maximised with a border window whose maximised title is taller than the
// system caption, the title keeps its height; restored it is the normal
// one again.
TEST(ProviderEffects, AMaximisedFormKeepsTheBorderWindowsTallerTitle) {
  const int tall = GetSystemMetrics(SM_CYCAPTION) + 24;
  ShadowedForm e([&](TkSkinManager& m) { m.LoadedSkin()->CommonSkinData.ExMaxHeight = tall; });
  ASSERT_TRUE(e.p().HasBorderWindow());
  const HWND form = e.form->Handle();
  EXPECT_FALSE(e.p().FSysExHeight);
  ShowWindow(form, SW_MAXIMIZE);
  fwtest::PumpUntil([&] { return e.p().ImageInput().Frame.Zoomed; }, 5000);
  ASSERT_TRUE(IsZoomed(form));
  if (!e.p().HasBorderWindow()) GTEST_SKIP() << "the manager keeps native borders when maximised";
  EXPECT_TRUE(e.p().FSysExHeight);
  const TkFormFrameFacts& f = e.p().ImageInput().Frame;
  EXPECT_TRUE(f.SysExHeight) << "the form's picture is made with the taller title";
  EXPECT_GE(CaptionHeight(f, true), SystemCaptionHeight(f) + 4);
  ShowWindow(form, SW_RESTORE);
  fwtest::PumpUntil([&] { return !e.p().ImageInput().Frame.Zoomed; }, 5000);
  EXPECT_FALSE(e.p().FSysExHeight);
  EXPECT_FALSE(e.p().ImageInput().Frame.SysExHeight);
}

}  // namespace
}  // namespace skin
