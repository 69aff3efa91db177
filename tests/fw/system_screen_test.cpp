// The screen and the mouse: forms and the active form, cursors, fonts,
// pixels per inch, monitors and the virtual cursor.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls_test_util.h"
#include "fw/system/screen.h"

using namespace fw;

namespace {

TEST(Screen, KnowsItsFormsAndTheActiveOne) {
  int before = Screen->CustomFormCount();
  {
    fwtest::TestForm a, b;
    EXPECT_EQ(Screen->CustomFormCount(), before + 2);
    EXPECT_EQ(Screen->FormCount(), before + 2);
    auto* field = new fwtest::TTestPanel(b.form);
    field->SetParent(b.form);
    field->SetTabStop(true);
    b->Show();
    field->SetFocus();
    fwtest::Pump();
    EXPECT_EQ(Screen->ActiveCustomForm(), b.form);
    EXPECT_EQ(Screen->ActiveControl(), field);
    // The most recently active form comes first.
    EXPECT_EQ(Screen->CustomForms(0), b.form);
  }
  EXPECT_EQ(Screen->CustomFormCount(), before);
}

TEST(Screen, CursorsAreLoadedAndCanBeAdded) {
  for (TCursor c : {crArrow, crIBeam, crHourGlass, crHandPoint, crSizeAll, crDefault})
    EXPECT_NE(Screen->Cursors(c), nullptr) << c;
  HCURSOR own = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_CROSS));
  Screen->SetCursors(5, own);
  EXPECT_EQ(Screen->Cursors(5), own);
  EXPECT_EQ(Screen->Cursors(1234), Screen->Cursors(crDefault));  // unknown: the default one
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHourGlass));
  Screen->SetCursor(crDefault);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(Screen, FontsPixelsAndMonitors) {
  const auto& fonts = Screen->Fonts();
  ASSERT_FALSE(fonts.empty());
  EXPECT_TRUE(std::none_of(fonts.begin(), fonts.end(), [](const String& f) { return !f.empty() && f[0] == u'@'; }));
  EXPECT_TRUE(std::adjacent_find(fonts.begin(), fonts.end()) == fonts.end());
  EXPECT_EQ(Screen->PixelsPerInch(), 96);
  ASSERT_GE(Screen->MonitorCount(), 1);
  TMonitor* m = Screen->MonitorFromPoint(TPoint{10, 10});
  ASSERT_NE(m, nullptr);
  EXPECT_TRUE(m->Primary());
  EXPECT_EQ(m->Width(), Screen->Width());
  TRect work = Screen->WorkAreaRect(), desk = Screen->DesktopRect();
  EXPECT_TRUE(work.Left >= desk.Left && work.Right <= desk.Right && work.Width() > 0);
}

TEST(Mouse, VirtualCursorKeepsItsPositionWithoutMovingThePointer) {
  POINT real;
  GetCursorPos(&real);
  Mouse->SetVirtualCursor(true);
  Mouse->SetCursorPos(TPoint{3, 4});
  EXPECT_EQ(Mouse->CursorPos(), (TPoint{3, 4}));
  POINT after;
  GetCursorPos(&after);
  EXPECT_EQ(after.x, real.x);
  Mouse->SetVirtualCursor(false);
  EXPECT_FALSE(Mouse->VirtualCursor());
}

}  // namespace
