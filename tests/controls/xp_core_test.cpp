// The XP-style control core: the update lock, the hot state that follows
// the mouse, a press released over another control, accelerators, the
// style manager's theme, and the modal result a click hands to the form.
#include <gtest/gtest.h>

#include "controls/base/cktypes.h"
#include "controls/base/xp_button.h"
#include "controls/base/xp_checkbox.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;
using xptest::VirtualMouse;

namespace {

// A button that counts the invalidations it asks for.
class CountingButton : public TCkXPButton {
 public:
  using TCkXPButton::TCkXPButton;
  int invalidations = 0;
  void Invalidate() override {
    ++invalidations;
    TCkXPButton::Invalidate();
  }
};

struct TwoButtons {
  fwtest::TestForm form{300, 120};
  TCkXPButton* a;
  TCkXPButton* b;
  TwoButtons() {
    a = new TCkXPButton(form.form);
    a->SetParent(form.form);
    a->SetBounds(10, 10, 80, 24);
    a->SetCaption(u"&Go");
    b = new TCkXPButton(form.form);
    b->SetParent(form.form);
    b->SetBounds(150, 10, 80, 24);
    b->SetCaption(u"Other");
    form->Show();
    xptest::OnTop(form.form);
    fwtest::Pump();
  }
};

}  // namespace

TEST(XPCore, ChangesInsideAnUpdateBracketRepaintOnceAtTheOutermostEnd) {
  fwtest::TestForm form;
  auto* button = new CountingButton(form.form);
  button->SetParent(form.form);
  form->Show();
  button->invalidations = 0;
  button->BeginUpdate();
  button->BeginUpdate();
  EXPECT_TRUE(button->IsLocked());
  button->SetSpacing(9);
  button->SetWordWrap(false);
  button->SetCaption(u"Changed");
  button->SetDown(true);
  EXPECT_EQ(button->invalidations, 0);
  button->EndUpdate();
  EXPECT_EQ(button->invalidations, 0);
  button->EndUpdate();
  EXPECT_EQ(button->invalidations, 1);
  EXPECT_FALSE(button->IsLocked());
  EXPECT_THROW(button->EndUpdate(), ECKException);
}

TEST(XPCore, TheMouseMakesAControlHotAndMovingWithinItRepaintsNothing) {
  TwoButtons f;
  VirtualMouse mouse;
  xptest::Calls entered, left;
  f.a->OnMouseEnter = entered.Event();
  f.a->OnMouseLeave = left.Event();

  mouse.MoveTo(f.a, 5, 5);
  EXPECT_TRUE(f.a->DrawState().Contains(dsHighlight));
  EXPECT_EQ(entered.n, 1);
  EXPECT_TRUE(xptest::HasPendingPaint(f.a));
  xptest::FlushPaint(f.a);
  mouse.MoveTo(f.a, 20, 8);
  EXPECT_FALSE(xptest::HasPendingPaint(f.a));
  mouse.MoveTo(f.b, 5, 5);
  EXPECT_FALSE(f.a->DrawState().Contains(dsHighlight));
  EXPECT_TRUE(f.b->DrawState().Contains(dsHighlight));
  EXPECT_EQ(left.n, 1);
  EXPECT_TRUE(xptest::HasPendingPaint(f.a));
}

TEST(XPCore, APressReleasedOverAnotherControlMakesThatOneHot) {
  TwoButtons f;
  VirtualMouse mouse;
  xptest::Calls clicks;
  f.a->OnClick = clicks.Event();
  mouse.MoveTo(f.a, 5, 5);
  mouse.Down(f.a, 5, 5);
  EXPECT_TRUE(f.a->DrawState().Contains(dsClicked));
  EXPECT_TRUE(f.a->Focused());
  mouse.PlaceCursor(f.b, 5, 5);
  f.b->SetDrawState(TCkXPDrawState{dsDefault});
  // Released over b: a does not click, and b counts as hot at once.
  TPoint overB = f.a->ScreenToClient(f.b->ClientToScreen(TPoint{5, 5}));
  mouse.Up(f.a, overB.x, overB.y);
  EXPECT_EQ(clicks.n, 0);
  EXPECT_FALSE(f.a->DrawState().Contains(dsClicked));
  EXPECT_TRUE(f.b->DrawState().Contains(dsHighlight));
}

TEST(XPCore, AcceleratorsClickWithAltOrWhileFocused) {
  TwoButtons f;
  xptest::Calls clicks;
  f.a->OnClick = clicks.Event();
  f.b->SetFocus();
  // The letter alone does nothing while another control has the focus.
  EXPECT_EQ(f.form->Perform(CM_DIALOGCHAR, u'g', 0), 0);
  EXPECT_EQ(clicks.n, 0);
  EXPECT_EQ(f.form->Perform(CM_DIALOGCHAR, u'g', ShiftToKeyFlags(TShiftState{ssAlt})), 1);
  EXPECT_EQ(clicks.n, 1);
  f.a->SetFocus();
  EXPECT_EQ(f.form->Perform(CM_DIALOGCHAR, u'G', 0), 1);
  EXPECT_EQ(clicks.n, 2);
  // Another letter is not the accelerator.
  EXPECT_EQ(f.form->Perform(CM_DIALOGCHAR, u'x', ShiftToKeyFlags(TShiftState{ssAlt})), 0);
  EXPECT_EQ(clicks.n, 2);
  // A disabled control takes no accelerator.
  f.a->SetEnabled(false);
  EXPECT_EQ(f.form->Perform(CM_DIALOGCHAR, u'g', ShiftToKeyFlags(TShiftState{ssAlt})), 0);
}

TEST(XPCore, StyleManagerThemeReachesTheControlsThatFollowIt) {
  fwtest::TestForm form;
  auto* manager = new TCkXPStyleManager(form.form);
  auto* follows = new TCkXPCheckbox(form.form);
  follows->SetParent(form.form);
  auto* own = new TCkXPCheckbox(form.form);
  own->SetParent(form.form);
  own->SetTop(30);
  own->Style()->SetUseStyleManager(false);
  follows->SetStyleManager(manager);
  own->SetStyleManager(manager);
  EXPECT_EQ(manager->Controls().size(), 2u);
  form->Show();
  xptest::FlushPaint(follows);
  xptest::FlushPaint(own);
  xptest::Calls changes;
  manager->OnThemeChanged = changes.Event();
  manager->SetTheme(OfficeXP);
  EXPECT_EQ(changes.n, 1);
  EXPECT_TRUE(xptest::HasPendingPaint(follows));
  EXPECT_TRUE(xptest::HasPendingPaint(own));
  EXPECT_EQ(follows->Style()->GetTheme(), OfficeXP);
  EXPECT_EQ(own->Style()->GetTheme(), WindowsXP);
  manager->SetTheme(OfficeXP);
  EXPECT_EQ(changes.n, 1);
  // A control that goes leaves the manager; a manager that goes leaves the
  // controls without one.
  own->Free();
  EXPECT_EQ(manager->Controls().size(), 1u);
  manager->Free();
  EXPECT_EQ(follows->StyleManager(), nullptr);
  EXPECT_EQ(follows->Style()->GetTheme(), WindowsXP);
}

TEST(XPCore, ClickWritesTheModalResultIntoTheFormEvenWhenItIsNone) {
  TwoButtons f;
  f.a->SetModalResult(mrOk);
  f.a->Click();
  EXPECT_EQ(f.form->ModalResult(), mrOk);
  f.b->Click();
  EXPECT_EQ(f.form->ModalResult(), mrNone);
}
