// The spin edit: the value stays within its limits, the arrows and keys
// step it, and typed or pasted text other than digits is refused.
#include <gtest/gtest.h>

#include <functional>

#include "fw/platform/clipboard.h"
#include "fw/stdctrls/spinedit.h"
#include "stdctrls_test_util.h"

using namespace fw;

namespace {

struct SpinFixture : ::testing::Test {
  fwtest::TestForm form;
  TSpinEdit* spin = nullptr;
  int changes = 0;
  void Changed(TObject*) { ++changes; }
  void SetUp() override {
    spin = new TSpinEdit(form.form);
    spin->SetParent(form.form);
    spin->SetBounds(10, 10, 100, 22);
    spin->SetMinValue(50);
    spin->SetMaxValue(100);
    spin->SetValue(90);
    spin->OnChange = TNotifyEvent(this, &SpinFixture::Changed);
    form->Show();
    fwtest::Pump();
  }
  void Type(const char16_t* keys) {
    for (const char16_t* k = keys; *k; ++k) SendMessageW(spin->Handle(), WM_CHAR, *k, 1);
  }
};

TEST_F(SpinFixture, ValueIsClampedToTheLimits) {
  struct Case {
    int set;
    int value;
    const char16_t* text;
  } cases[] = {{75, 75, u"75"}, {49, 50, u"50"}, {-7, 50, u"50"}, {101, 100, u"100"}, {100, 100, u"100"}};
  for (const Case& c : cases) {
    spin->SetValue(c.set);
    EXPECT_EQ(spin->Value(), c.value) << c.set;
    EXPECT_EQ(spin->Text(), c.text) << c.set;
  }
  // A typed number outside the limits reads as the nearest limit and is
  // written back when the focus leaves.
  spin->SetText(u"7");
  EXPECT_EQ(spin->Value(), 50);
  spin->SetText(u"");
  EXPECT_EQ(spin->Value(), 50) << "an empty text counts as the minimum";
  EXPECT_EQ(spin->Text(), u"") << "reading the value leaves the text alone";
  spin->SetFocus();
  spin->SetText(u"250");
  auto* other = new TSpinEdit(form.form);
  other->SetParent(form.form);
  other->SetTop(40);
  other->SetFocus();
  EXPECT_EQ(spin->Text(), u"100");
}

TEST_F(SpinFixture, NoLimitsWhileMinimumEqualsMaximum) {
  spin->SetMinValue(0);
  spin->SetMaxValue(0);
  spin->SetValue(-123456);
  EXPECT_EQ(spin->Value(), -123456);
}

TEST_F(SpinFixture, ArrowsAndKeysStepByTheIncrementWithinTheLimits) {
  spin->SetIncrement(7);
  changes = 0;
  spin->UpClick();
  EXPECT_EQ(spin->Value(), 97);
  spin->UpClick();
  EXPECT_EQ(spin->Value(), 100) << "stops at the maximum";
  SendMessageW(spin->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(spin->Value(), 93);
  SendMessageW(spin->Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(spin->Value(), 100);
  EXPECT_EQ(changes, 4) << "each step changes the text";
  // The buttons: a press on the lower half steps down.
  HWND buttons = spin->ButtonHandle();
  ASSERT_NE(buttons, nullptr);
  RECT r;
  GetClientRect(buttons, &r);
  SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom - 3));
  SendMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom - 3));
  EXPECT_EQ(spin->Value(), 93);
  SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, 2));
  SendMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, 2));
  EXPECT_EQ(spin->Value(), 100);
  // The buttons sit right of the text, inside the edit.
  RECT br, er;
  GetWindowRect(buttons, &br);
  GetWindowRect(spin->Handle(), &er);
  EXPECT_LE(br.right, er.right);
  EXPECT_GT(br.left, er.left + 50);
}

// Pixels of the arrows that the screen shows (not a repaint on request) in
// the button area at the edit's right edge. The window test lock keeps
// other test programs' windows off the screen.
int ShownArrowPixels(TSpinEdit* spin) {
  RECT r;
  GetClientRect(spin->Handle(), &r);
  POINT o{0, 0};
  ClientToScreen(spin->Handle(), &o);
  HDC dc = GetDC(nullptr);
  int drawn = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.right - 15; x < r.right; ++x) {
      const COLORREF c = GetPixel(dc, o.x + x, o.y + y);
      if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 500) ++drawn;
    }
  ReleaseDC(nullptr, dc);
  return drawn;
}

TEST_F(SpinFixture, TheArrowsStayShownThroughFocusAndTyping) {
  auto* other = new TSpinEdit(form.form);
  other->SetParent(form.form);
  other->SetTop(40);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return ShownArrowPixels(spin) > 4; }, 10000)) << "no arrows drawn at all";
  fwtest::Pump();
  const int arrows = ShownArrowPixels(spin);
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"with the focus", [&] { spin->SetFocus(); }},
      {"after typing", [&] { Type(u"7"); }},
      {"after an arrow click",
       [&] {
         RECT r;
         GetClientRect(spin->ButtonHandle(), &r);
         fwtest::ClickAt(spin->ButtonHandle(), r.right / 2, 2);
         // The pointer never was there: the button's hover look ends.
         SendMessageW(spin->ButtonHandle(), WM_MOUSELEAVE, 0, 0);
       }},
      {"after a new value", [&] { spin->SetValue(77); }},
      {"after the focus left", [&] { other->SetFocus(); }},
      {"after a click into the text", [&] { fwtest::ClickAt(spin->Handle(), 5, 5); }},
      {"after the up key", [&] { SendMessageW(spin->Handle(), WM_KEYDOWN, VK_UP, 0); }},
      {"after tabbing on", [&] { form->Perform(WM_NEXTDLGCTL, 0, 0); }},
  };
  for (const auto& [what, step] : steps) {
    step();
    EXPECT_TRUE(fwtest::PumpUntil([&] { return ShownArrowPixels(spin) == arrows; }, 5000)) << what;
  }
}

TEST_F(SpinFixture, TypedCharactersOtherThanDigitsAreRefused) {
  spin->SetText(u"");
  changes = 0;
  Type(u"7a-x.8 ");
  EXPECT_EQ(spin->Text(), u"78");
  SendMessageW(spin->Handle(), WM_CHAR, VK_BACK, 1);
  EXPECT_EQ(spin->Text(), u"7");
  EXPECT_EQ(changes, 3);
  // A minus sign only where negative values are allowed.
  spin->SetMinValue(-10);
  spin->SetText(u"");
  Type(u"-5");
  EXPECT_EQ(spin->Text(), u"-5");
  EXPECT_EQ(spin->Value(), -5);
}

TEST_F(SpinFixture, PastedTextWithOtherCharactersIsRefused) {
  spin->SetText(u"");
  Clipboard().SetAsText(u"12ab");
  SendMessageW(spin->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(spin->Text(), u"");
  Clipboard().SetAsText(u"64");
  SendMessageW(spin->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(spin->Text(), u"64");
}

}  // namespace
