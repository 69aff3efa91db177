// Speed buttons under the speed button handler: painted from the section in
// their state (normal, hot under the mouse, pressed while down) with the
// caption in the section's text colour and faded when disabled, on the
// parent's device context; removing the skin gives the button its own
// painting at once, and the handler lets go once; goldens of the states in
// both program skins.
#include "skin/controls/speed_button_handler.h"

#include <gtest/gtest.h>

#include "fw/controls_test_util.h"
#include "fw/stdctrls/speedbutton.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_messages.h"
#include "tests/controls/golden_image.h"
#include "tests/skin/engine/core/program_skins.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

struct Button {
  std::unique_ptr<TkLoadedSkin> skin;
  fwtest::TestForm form;
  fw::TSpeedButton* b;
  std::unique_ptr<TkcSpeedButtonHandler> h;
  explicit Button(std::unique_ptr<TkLoadedSkin> s = skintest::SyntheticControlSkin(), const char16_t* caption = u"Go")
      : skin(std::move(s)) {
    b = new fw::TSpeedButton(form.form);
    b->SetParent(form.form);
    b->SetBounds(20, 20, 100, 30);
    b->SetCaption(caption);
    form->Show();
    h = std::make_unique<TkcSpeedButtonHandler>(b, [this] { return skin.get(); });
  }
  fw::TBitmap& Painted() {
    EXPECT_TRUE(h->PrepareCache());
    GdiFlush();
    return *h->Cache();
  }
  // What the form shows at a point of the button.
  COLORREF Shown(int x, int y) {
    form->Repaint();
    HDC dc = GetDC(form->Handle());
    const COLORREF c = GetPixel(dc, 20 + x, 20 + y);
    ReleaseDC(form->Handle(), dc);
    return c;
  }
};

COLORREF At(fw::TBitmap& b, int x, int y) { return GetPixel(b.Canvas()->Handle(), x, y); }

bool Shows(fw::TBitmap& b, const fw::TRect& r, fw::TColor color) {
  for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, b.Height()); ++y)
    for (int x = std::max(r.Left, 0); x < std::min(r.Right, b.Width()); ++x)
      if (At(b, x, y) == COLORREF(color)) return true;
  return false;
}

}  // namespace

TEST(SpeedButtonHandler, PaintsTheSectionInEachStateWithItsCaption) {
  Button t;
  EXPECT_EQ(t.h->CurrentState(), 0);
  fw::TBitmap& normal = t.Painted();
  EXPECT_EQ(At(normal, 2, 2), COLORREF(skintest::kButton));
  EXPECT_TRUE(Shows(normal, t.h->CaptionRect(), skintest::kButtonText)) << "the caption in the text colour";
  EXPECT_EQ(t.Shown(2, 2), COLORREF(skintest::kButton)) << "on the form";

  t.b->Perform(fw::CM_MOUSEENTER);
  EXPECT_EQ(t.h->CurrentState(), 1);
  EXPECT_EQ(At(t.Painted(), 2, 2), COLORREF(skintest::Hot(skintest::kButton))) << "hot";
  t.b->Perform(fw::CM_MOUSELEAVE);
  EXPECT_EQ(t.h->CurrentState(), 0);

  t.b->SetGroupIndex(1);
  t.b->SetDown(true);
  EXPECT_EQ(t.h->CurrentState(), 2) << "down";
  EXPECT_EQ(At(t.Painted(), 2, 2), COLORREF(skintest::Hot(skintest::kButton)))
      << "the pressed state (painted as hot without masks)";
}

TEST(SpeedButtonHandler, ADisabledButtonFadesTowardWhatLiesBehind) {
  Button t;
  const COLORREF enabled = At(t.Painted(), 2, 2);
  t.b->SetEnabled(false);
  const COLORREF disabled = At(t.Painted(), 2, 2);
  EXPECT_NE(disabled, enabled);
  const COLORREF behind = GetSysColor(COLOR_BTNFACE);
  auto mix = [](int own, int back) { return (own * 4 + back * 6) / 10; };
  EXPECT_NEAR(GetRValue(disabled), mix(GetRValue(enabled), GetRValue(behind)), 3);
  EXPECT_NEAR(GetGValue(disabled), mix(GetGValue(enabled), GetGValue(behind)), 3);
  EXPECT_NEAR(GetBValue(disabled), mix(GetBValue(enabled), GetBValue(behind)), 3);
}

TEST(SpeedButtonHandler, RemovingTheSkinGivesTheButtonItsOwnPaintingOnce) {
  Button t;
  const fw::TWndMethod own = [&] {
    // The button's own method, seen through a handler-free button.
    auto* other = new fw::TSpeedButton(t.form.form);
    return other->WindowProc();
  }();
  EXPECT_EQ(t.Shown(2, 2), COLORREF(skintest::kButton));
  t.b->Perform(WM_SKINCOMMAND, SkinCommand(SKC_REMOVESKIN), 0);
  EXPECT_TRUE(t.h->Destroyed);
  EXPECT_FALSE(t.b->WindowProc() == fw::TWndMethod(t.h.get(), &TkcSpeedButtonHandler::kcWndProc));
  (void)own;
  EXPECT_NE(t.Shown(2, 2), COLORREF(skintest::kButton)) << "the button paints itself";
  t.h.reset();  // nothing more to give back
  EXPECT_NE(t.Shown(2, 2), COLORREF(skintest::kButton));
}

TEST(SpeedButtonHandler, FreeingTheHandlerGivesTheWindowProcBack) {
  Button t;
  t.h.reset();
  EXPECT_NE(t.Shown(2, 2), COLORREF(skintest::kButton));
  EXPECT_EQ(t.b->Perform(WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0), 0) << "no handler answers";
}

// A graphic control is freed without WM_DESTROY: the handler (and the link a
// form keeps it by) learns it from its hook and never touches the button.
TEST(SpeedButtonHandler, AButtonFreedUnderItsHandlerIsLetGo) {
  Button t;
  EXPECT_FALSE(t.h->ControlGone());
  delete t.b;
  EXPECT_TRUE(t.h->ControlGone());
  t.h.reset();

  Button l;
  std::unique_ptr<TkAdapterLink> link(MakeSpeedButtonLink(l.b, nullptr, [&] { return l.skin.get(); }));
  l.h.reset();
  ASSERT_TRUE(link);
  EXPECT_FALSE(link->IsDestroyed());
  EXPECT_EQ(l.Shown(2, 2), COLORREF(skintest::kButton)) << "the link's handler paints";
  delete l.b;
  EXPECT_TRUE(link->IsDestroyed()) << "a form's adapter drops it";
  link.reset();
}

TEST(SpeedButtonHandler, StatesInBothProgramSkinsMatchTheirGoldens) {
  const struct {
    const char* file;
    const char16_t* name;
    const char* golden;
  } skins[] = {{"sapphire.ksz", u"Sapphire (internal)", "speed_button_sapphire"},
               {"topaz.ksz", u"Topaz (internal)", "speed_button_topaz"}};
  for (const auto& s : skins) {
    std::unique_ptr<TkLoadedSkin> skin = LoadProgramSkin(s.file, s.name);
    ASSERT_TRUE(skin);
    // A glyph and no caption (text is checked above).
    Button t(std::move(skin), u"");
    fw::TBitmap glyph;
    glyph.SetPixelFormat(fw::pf24bit);
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(0x2060C0);
    glyph.Canvas()->FillRect(fw::Rect(0, 0, 16, 16));
    glyph.Canvas()->Brush()->SetColor(0xFFFFFF);
    glyph.Canvas()->FillRect(fw::Rect(4, 4, 12, 12));
    t.b->SetGlyph(&glyph);
    std::vector<std::unique_ptr<fw::TBitmap>> rows;
    std::vector<fw::TBitmap*> parts;
    auto add = [&] {
      fw::TBitmap& b = t.Painted();
      auto copy = NewBitmap32(b.Width(), b.Height());
      BitBlt(copy->Canvas()->Handle(), 0, 0, b.Width(), b.Height(), b.Canvas()->Handle(), 0, 0, SRCCOPY);
      rows.push_back(std::move(copy));
      parts.push_back(rows.back().get());
    };
    add();
    t.b->Perform(fw::CM_MOUSEENTER);
    add();
    t.b->Perform(fw::CM_MOUSELEAVE);
    t.b->SetGroupIndex(1);
    t.b->SetDown(true);
    add();
    t.b->SetDown(false);
    t.b->SetEnabled(false);
    add();
    auto sheet = cktest::Stack(parts);
    EXPECT_TRUE(cktest::MatchesGolden(sheet.get(), s.golden)) << s.golden;
  }
}
