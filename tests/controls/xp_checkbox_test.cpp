// The XP-style check box and container: clicks, Space and the grayed
// cycle with their events, the box and mark per draw state and theme, and
// the container's fill, bound lines, child area and enabled mode.
#include <gtest/gtest.h>

#include "case_name.h"
#include "controls/base/xp_checkbox.h"
#include "controls/base/xp_container.h"
#include "fw/stdctrls/edit.h"
#include "fw/core/rtti.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;
using xptest::Snapshot;
using xptest::VirtualMouse;

namespace {

struct CheckForm {
  fwtest::TestForm form{300, 120};
  TCkXPCheckbox* box;
  xptest::Calls clicks;
  CheckForm() {
    form->SetColor(0xF0F0F0);
    box = new TCkXPCheckbox(form.form);
    box->SetParent(form.form);
    box->SetBounds(10, 10, 161, 17);
    box->SetCaption(u"Don't show this page next time");
    box->OnClick = clicks.Event();
    form->Show();
    fwtest::Pump();
  }
};

struct BoxCase {
  const char* name;
  TCkXPTheme theme;
  TCheckBoxState state;
  TCkXPDrawState draw;
  TColor frame;   // box frame at (2, 2)
  TColor inner;   // inner square at (3, 3)
  TColor rim2;    // (4, 4): inside a hot rim (kAny: not checked)
  TColor mark;    // (5, 8): a black pixel of the check mark
};

constexpr TColor kAny = -1;

const BoxCase kBoxCases[] = {
    {"xp unchecked", WindowsXP, cbUnchecked, {dsDefault}, 0x845118, 0xFFFFFF, kAny, kAny},
    {"xp checked", WindowsXP, cbChecked, {dsDefault}, 0x845118, 0xFFFFFF, kAny, 0x21A621},
    {"xp grayed", WindowsXP, cbGrayed, {dsDefault}, 0x845118, 0xFFFFFF, kAny, 0x71C671},
    {"xp hot", WindowsXP, cbChecked, {dsHighlight}, 0x845118, 0xCEF3FF, 0xFFFFFF, 0x21A621},
    {"xp hot pressed", WindowsXP, cbUnchecked, {dsHighlight, dsClicked}, 0x845118, 0xC6CFD6, kAny, kAny},
    {"office checked", OfficeXP, cbChecked, {dsDefault}, 0x845118, 0xF0F0F0, kAny, 0x000000},
    {"office hot", OfficeXP, cbChecked, {dsHighlight}, 0x663300, 0xD6BEB5, 0xD6BEB5, 0x000000},
    {"office hot pressed", OfficeXP, cbChecked, {dsHighlight, dsClicked}, 0x663300, 0xCC9999, 0xCC9999, 0xFFFFFF},
};

class CheckDrawStates : public ::testing::TestWithParam<BoxCase> {};

}  // namespace

TEST_P(CheckDrawStates, BoxMarkAndGradientsPerStateAndTheme) {
  const BoxCase& c = GetParam();
  CheckForm f;
  f.box->SetAllowGrayed(true);
  f.box->SetState(c.state);
  f.box->Style()->SetTheme(c.theme);
  f.box->SetDrawState(c.draw);
  Snapshot s(f.box);
  // The 13-pixel box of a 17-pixel control: x 2..14, y 2..14.
  EXPECT_EQ(s.At(2, 2), c.frame);
  EXPECT_EQ(s.At(14, 14), c.frame);
  EXPECT_EQ(s.At(1, 2), 0xF0F0F0);
  EXPECT_EQ(s.At(15, 8), 0xF0F0F0);
  EXPECT_EQ(s.At(3, 3), c.inner);
  if (c.rim2 != kAny) {
    EXPECT_EQ(s.At(4, 4), c.rim2);
  }
  if (c.mark != kAny) {
    EXPECT_EQ(s.At(5, 8), c.mark);
  } else {
    EXPECT_NE(s.At(5, 8), 0x21A621);
  }
}

INSTANTIATE_TEST_SUITE_P(XPCheckbox, CheckDrawStates, ::testing::ValuesIn(kBoxCases), cktest::CaseName());

TEST(XPCheckbox, ClickTogglesWithItsEventAndSpaceTogglesWithout) {
  CheckForm f;
  VirtualMouse mouse;
  mouse.Click(f.box, 5, 8);
  EXPECT_TRUE(f.box->Checked());
  EXPECT_EQ(f.box->State(), cbChecked);
  EXPECT_EQ(f.clicks.n, 1);
  EXPECT_TRUE(f.box->Focused());
  xptest::PressKey(f.box, VK_SPACE);
  EXPECT_FALSE(f.box->Checked());
  EXPECT_EQ(f.box->State(), cbUnchecked);
  EXPECT_EQ(f.clicks.n, 1);
  // Space never reaches the grayed state.
  f.box->SetAllowGrayed(true);
  xptest::PressKey(f.box, VK_SPACE);
  xptest::PressKey(f.box, VK_SPACE);
  EXPECT_EQ(f.box->State(), cbUnchecked);
  EXPECT_EQ(f.clicks.n, 1);
}

TEST(XPCheckbox, GrayedStateCyclesOnlyWhenAllowed) {
  CheckForm f;
  f.box->SetState(cbGrayed);
  EXPECT_EQ(f.box->State(), cbUnchecked);
  f.box->SetAllowGrayed(true);
  const TCheckBoxState cycle[] = {cbChecked, cbGrayed, cbUnchecked, cbChecked};
  for (TCheckBoxState want : cycle) {
    f.box->Click();
    EXPECT_EQ(f.box->State(), want);
    EXPECT_EQ(f.box->Checked(), want == cbChecked);
  }
  EXPECT_EQ(f.clicks.n, 4);
  f.box->SetState(cbGrayed);
  f.box->SetAllowGrayed(false);
  EXPECT_EQ(f.box->State(), cbUnchecked);
  EXPECT_FALSE(f.box->Checked());
  f.box->SetChecked(true);
  EXPECT_EQ(f.box->State(), cbChecked);
}

TEST(XPCheckbox, StoredCheckedStateIsReadFromTheFormDescription) {
  CheckForm f;
  SetPropValue(f.box, u"Checked", TValue(static_cast<int64_t>(1)));
  EXPECT_EQ(f.box->State(), cbChecked);
  EXPECT_EQ(f.clicks.n, 0);
  EXPECT_TRUE(f.box->ParentColor());
  EXPECT_EQ(f.box->CheckSize(), 13);
}

TEST(XPContainer, PlainFillBoundLinesAndTheAreaForChildren) {
  fwtest::TestForm form(300, 200);
  auto* c = new TCkXPContainer(form.form);
  c->SetParent(form.form);
  c->SetBounds(0, 0, 185, 41);
  c->SetParentColor(false);
  c->SetColor(0xF7DFD6);
  form->Show();
  fwtest::Pump();
  {
    // Without bound lines, glyph or caption: a plain fill.
    Snapshot s(c);
    for (auto [x, y] : {std::pair{0, 0}, {184, 40}, {92, 0}, {92, 20}})
      EXPECT_EQ(s.At(x, y), 0xF7DFD6) << x << "," << y;
  }
  auto* child = new TEdit(form.form);
  child->SetParent(c);
  child->SetAlign(alClient);
  EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 185, 41));
  c->SetBoundLines(TCkXPBoundLines{blLeft, blBottom});
  c->SetBorderWidth(2);
  EXPECT_EQ(child->BoundsRect(), Rect(3, 2, 183, 38));
  c->SetShowBoundLines(false);
  EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 183, 39));
  c->SetShowBoundLines(true);
  child->SetVisible(false);
  Snapshot s(c);
  EXPECT_EQ(s.At(0, 20), 0x808080);
  EXPECT_EQ(s.At(50, 40), 0x808080);
  EXPECT_EQ(s.At(50, 0), 0xF7DFD6);
  EXPECT_EQ(s.At(184, 20), 0xF7DFD6);
}

TEST(XPContainer, EnabledModeAffectsTheChildrenAndFiresItsEvent) {
  fwtest::TestForm form(300, 200);
  auto* c = new TCkXPContainer(form.form);
  c->SetParent(form.form);
  auto* child = new TCkXPCheckbox(form.form);
  child->SetParent(c);
  xptest::Calls changed;
  c->OnEnabledChanged = changed.Event();
  c->SetEnabled(false);
  EXPECT_TRUE(child->Enabled());
  EXPECT_EQ(changed.n, 1);
  c->SetEnabledMode(emAffectChilds);
  EXPECT_FALSE(child->Enabled());
  EXPECT_EQ(changed.n, 2);
  c->SetEnabled(true);
  EXPECT_TRUE(child->Enabled());
}
