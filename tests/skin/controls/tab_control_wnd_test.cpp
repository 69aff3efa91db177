// Tab controls, their pages and up-down controls under their adapters: the
// page area from the section of the tabs' side, the strip over what lies
// behind the control, the spin adapter on the control's own scroll arrows,
// removal and destruction; the up-down's two buttons by the cursor, with
// the columns a dialog's up-down keeps; page adapters for the framework's
// page control and freed with their pages.
#include "skin/controls/tab_control_wnd.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "fw/controls_test_util.h"
#include "skin/controls/scroll_wnd.h"
#include "tests/skin/controls/adapter_test_util.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;
using namespace skintest;

namespace {

const bool kCommonControls = [] {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
  return InitCommonControlsEx(&icc) != FALSE;
}();

void AddTabs(HWND tabs, int n, const wchar_t* text = L"Tab") {
  for (int i = 0; i < n; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(text);
    SendMessageW(tabs, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
  }
}

struct Tabs {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Host host;
  HWND wnd;
  TkcTabControlWnd* a = nullptr;
  explicit Tabs(DWORD style = 0, int n = 3, int w = 300) {
    wnd = host.Child(WC_TABCONTROLW, L"", style, 10, 10, w, 200);
    AddTabs(wnd, n);
  }
  void Attach(const fw::String& section = u"PAGECONTROL") {
    TkcSkinParams p;
    p.SkinSection = section;
    a = AttachAdapter<TkcTabControlWnd>(wnd, [this] { return skin.get(); }, p);
  }
  ~Tabs() { delete a; }
};

}  // namespace

TEST(TabControlWnd, PageFromTheSideSectionStripFromBehind) {
  struct Case {
    DWORD style;
    int tabs;
    fw::String section;
    fw::TColor page;
  } cases[] = {
      {0, 3, u"PAGECONTROL", kPage},
      {TCS_BOTTOM, 3, u"PAGECONTROL", kPageBottom},
      {TCS_BOTTOM, 3, u"GROUPBOX", kGroupBox},  // an own section for every side
      {0, 0, u"PAGECONTROL", kCheckBox},        // no tabs: one area
  };
  for (const Case& c : cases) {
    Tabs t(c.style, c.tabs);
    t.Attach(c.section);
    auto image = Print(t.wnd);
    const fw::TRect page = t.a->PageRect();
    EXPECT_EQ(ColorAt(image, page.Left + 150, (page.Top + page.Bottom) / 2), c.page) << c.style << " " << c.tabs;
    if (c.tabs) {
      // Right of the last tab the strip shows what lies behind the control.
      const fw::TRect strip = t.a->TabsRect();
      EXPECT_EQ(ColorAt(image, strip.Right - 3, (strip.Top + strip.Bottom) / 2), kHost);
    } else {
      EXPECT_EQ(ColorAt(image, 2, 2), kCheckBox);
    }
  }
}

TEST(TabControlWnd, ActiveTabIsDrawnLastOverItsNeighbours) {
  Tabs t;
  SendMessageW(t.wnd, TCM_SETCURSEL, 1, 0);
  t.Attach();
  EXPECT_EQ(t.a->ActiveTabIndex(), 1);
  const fw::TRect item = t.a->TabRect(1);
  EXPECT_EQ(t.a->SkinTabRect(1, true), fw::Rect(item.Left - 2, item.Top - 2, item.Right + 2, item.Bottom + 2));
  EXPECT_EQ(t.a->SkinTabRect(-1, true), fw::TRect{}) << "no tab below 0";
  EXPECT_EQ(t.a->SkinTabRect(3, false), fw::TRect{}) << "nor past the last";
  auto image = Print(t.wnd);
  // The tab's text is written in the section's text colour somewhere in it.
  bool text = false;
  for (int y = item.Top; y < item.Bottom; ++y)
    for (int x = item.Left; x < item.Right; ++x) text = text || ColorAt(image, x, y) == Hot(kText);
  EXPECT_TRUE(text) << "the active tab's caption in the hot text colour";
}

TEST(TabControlWnd, ScrollArrowsGetASpinAdapterWhileShown) {
  Tabs t(0, 12, 120);
  t.Attach();
  HWND upDown = FindWindowExW(t.wnd, nullptr, L"msctls_updown32", nullptr);
  ASSERT_TRUE(upDown) << "twelve tabs do not fit in 120 pixels";
  ASSERT_TRUE(t.a->BtnSW);
  EXPECT_EQ(t.a->BtnSW->CtrlHandle, upDown);
  EXPECT_EQ(t.a->BtnSW->SkinSection(), u"UPDOWNBTN");
  EXPECT_EQ(GetWindowAdapter(upDown), t.a->BtnSW.get());
  // Gone when the adapter goes.
  delete t.a;
  t.a = nullptr;
  EXPECT_EQ(GetWindowAdapter(upDown), nullptr);
}

TEST(TabControlWnd, RemovalRestoresAndDestructionWhileAttached) {
  Tabs t;
  const auto own = GetWindowLongPtrW(t.wnd, GWLP_WNDPROC);
  t.Attach();
  EXPECT_NE(GetWindowLongPtrW(t.wnd, GWLP_WNDPROC), own);
  EXPECT_EQ(SendSkinCommand(t.wnd, SKC_ISHANDLED, 0), 1);
  delete t.a;
  t.a = nullptr;
  EXPECT_EQ(GetWindowLongPtrW(t.wnd, GWLP_WNDPROC), own);
  auto image = Print(t.wnd);
  EXPECT_NE(ColorAt(image, 150, 150), kPage) << "the control paints itself again";

  Tabs d;
  d.Attach();
  DestroyWindow(d.wnd);
  EXPECT_TRUE(d.a->Destroyed);
  EXPECT_FALSE(IsWindow(d.wnd));
}

TEST(SpinWnd, ButtonsFollowTheCursorAndKeepTheDialogColumns) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Host host;
  HWND spin = host.Child(UPDOWN_CLASSW, L"", 0, 50, 50, 16, 21);
  TkcSkinParams p;
  p.SkinSection = u"UPDOWNBTN";
  auto* a = AttachAdapter<TkcSpinWnd>(spin, [&] { return skin.get(); }, p);
  a->lOffset = 2;
  RECT wr{};
  GetWindowRect(spin, &wr);
  const auto old = ScrollCursorPos;
  POINT cursor{wr.left + 8, wr.top + 3};
  ScrollCursorPos = [&] { return cursor; };
  const fw::TColor sentinel = 0x123456;
  auto image = Print(spin, Px(sentinel));
  EXPECT_EQ(ColorAt(image, 0, 5), sentinel) << "the dialog's columns are the control's";
  EXPECT_EQ(ColorAt(image, 1, 15), sentinel);
  EXPECT_EQ(ColorAt(image, 3, 1), Hot(kUpDown)) << "upper button hot";
  EXPECT_EQ(ColorAt(image, 3, 19), kUpDown);
  // Pressing the lower button.
  cursor = POINT{wr.left + 8, wr.top + 17};
  a->bMousePressed = true;
  image = Print(spin, Px(sentinel));
  EXPECT_EQ(a->Btn1State, 0);
  EXPECT_EQ(a->Btn2State, 2);
  // Moved onto the upper half while pressed.
  cursor = POINT{wr.left + 8, wr.top + 2};
  image = Print(spin, Px(sentinel));
  EXPECT_EQ(a->Btn1State, 2);
  EXPECT_EQ(a->Btn2State, 0);
  // Without glyphs the arrows are marks in the section's text colour.
  a->bMousePressed = false;
  cursor = POINT{wr.left - 50, wr.top};
  image = Print(spin, Px(sentinel));
  int marks = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 2; x < 16; ++x) marks += ColorAt(image, x, y) == kText;
  EXPECT_GT(marks, 4);
  ScrollCursorPos = old;
  delete a;
}

TEST(SpinWnd, AMissingSectionFallsBackToButton) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Host host;
  HWND spin = host.Child(UPDOWN_CLASSW, L"", UDS_HORZ, 50, 50, 30, 14);
  TkcSkinParams p;
  p.SkinSection = u"SPEEDBUTTON_SMALL";
  auto* a = AttachAdapter<TkcSpinWnd>(spin, [&] { return skin.get(); }, p);
  const auto old = ScrollCursorPos;
  ScrollCursorPos = [] { return POINT{-1000, -1000}; };
  auto image = Print(spin);
  EXPECT_EQ(ColorAt(image, 1, 1), kDlgButton);
  EXPECT_EQ(ColorAt(image, 28, 12), kDlgButton);
  EXPECT_EQ(a->SkinSection(), u"BUTTON");
  ScrollCursorPos = old;
  delete a;
}

TEST(PageControlWnd, PagesGetAdaptersAndAreFreedWithTheirPages) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  fwtest::TestForm form(400, 300);
  auto* pc = new fw::TPageControl(form.form);
  pc->SetParent(form.form);
  pc->SetBounds(10, 10, 300, 200);
  fw::TTabSheet* sheets[3];
  for (auto*& s : sheets) {
    s = new fw::TTabSheet(form.form);
    s->SetPageControl(pc);
    s->SetCaption(u"Page");
  }
  form->Show();
  fwtest::Pump();
  TkcSkinParams p;
  p.Control = pc;
  p.SkinSection = u"PAGECONTROL";
  auto* a = AttachAdapter<TkcPageControlWnd>(pc->WindowHandle(), [&] { return skin.get(); }, p);
  auto countPages = [&] {
    int n = 0;
    for (auto& w : PageWndList()) n += w->Owner == a && !w->Destroyed;
    return n;
  };
  const int first = countPages();
  EXPECT_GE(first, 1) << "the shown page has its adapter";
  fw::TTabSheet* shown = pc->ActivePage();
  ASSERT_TRUE(shown && shown->HandleAllocated());
  EXPECT_EQ(SendSkinCommand(shown->WindowHandle(), SKC_ISHANDLED, 0), 1);
  // The page shows the page section, asked of the tab control.
  auto image = Print(shown->WindowHandle());
  EXPECT_EQ(ColorAt(image, 20, 20), kPage);
  // Every page that has a window gets one, never two.
  pc->SetActivePageIndex(2);
  fwtest::Pump();
  a->InitPages();
  a->InitPages();
  int withWindow = 0;
  for (auto* s : sheets) withWindow += s->HandleAllocated();
  EXPECT_EQ(countPages(), withWindow);
  // A removed page's adapter is freed.
  const size_t before = PageWndList().size();
  delete sheets[2];
  a->InitPages();
  EXPECT_LT(PageWndList().size(), before);
  delete a;
  EXPECT_EQ(countPages(), 0);
}
