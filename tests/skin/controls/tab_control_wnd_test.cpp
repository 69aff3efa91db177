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

// The program's skins: tab strips on each side and an up-down, each with
// its golden (tabs without captions, which depend on the system's fonts);
// with captions written for looking at.
TEST(TabControlWnd, GoldensOfTheProgramSkins) {
  const DWORD sides[] = {0, TCS_BOTTOM, TCS_VERTICAL, TCS_VERTICAL | TCS_RIGHT};
  const uint64_t golden[2][5] = {{10506708964843919241ull, 18395740663844455937ull, 14560113800822557619ull, 6002208812584677010ull, 13056695237705019027ull},
                                 {18169240553001353157ull, 668613066093261159ull, 8977389866351654118ull, 1158983554515635266ull, 13056695237705019027ull}};
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = ProgramSkin(s);
    ASSERT_TRUE(skin);
    Host host(460, 300);
    std::vector<TPixelBuffer> looks, shown;
    for (int i = 0; i < 4; ++i) {
      HWND tabs = host.Child(WC_TABCONTROLW, L"", sides[i] | (i >= 2 ? TCS_MULTILINE : 0), 10, 10, 200, 120);
      AddTabs(tabs, 3, L"");
      SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
      TkcSkinParams p;
      p.SkinSection = u"PAGECONTROL";
      std::unique_ptr<TkcTabControlWnd> a(AttachAdapter<TkcTabControlWnd>(tabs, [&] { return skin.get(); }, p));
      looks.push_back(Print(tabs));
      for (int t = 0; t < 3; ++t) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(t == 0 ? L"General" : t == 1 ? L"Capture" : L"Database");
        SendMessageW(tabs, TCM_SETITEMW, WPARAM(t), reinterpret_cast<LPARAM>(&item));
      }
      shown.push_back(Print(tabs));
      a.reset();
      DestroyWindow(tabs);
    }
    HWND spin = host.Child(UPDOWN_CLASSW, L"", 0, 300, 10, 17, 22);
    TkcSkinParams sp;
    sp.SkinSection = u"UPDOWNBTN";
    std::unique_ptr<TkcSpinWnd> b(AttachAdapter<TkcSpinWnd>(spin, [&] { return skin.get(); }, sp));
    const auto old = ScrollCursorPos;
    ScrollCursorPos = [] { return POINT{-1000, -1000}; };
    looks.push_back(Print(spin));
    ScrollCursorPos = old;
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(CountPixels(View32(looks[size_t(i)]), 0xFF00FF), 0) << ProgramSkinName(s) << " look " << i;
      EXPECT_EQ(PixelChecksum(View32(looks[size_t(i)])), golden[s][i]) << ProgramSkinName(s) << " look " << i;
    }
    shown.push_back(looks[4]);
    WriteRow(shown, std::string("tab_controls_") + ProgramSkinName(s) + ".png");
  }
}

// An up-down in each of its looks in the program's skins: vertical normal,
// its upper button hot, its lower button pressed, horizontal with its right
// button pressed; removal gives the control back, destruction while
// attached leaves the adapter detached.
TEST(SpinWnd, LooksInTheProgramSkinsRemovalAndDestruction) {
  const uint64_t golden[2][4] = {{13056695237705019027ull, 5987650539298386771ull, 6949695098415769953ull, 2219193524752312891ull},
                                 {13056695237705019027ull, 18186788862350146493ull, 12231936617528241827ull, 12222902008031458063ull}};
  const auto old = ScrollCursorPos;
  POINT cursor{-1000, -1000};
  ScrollCursorPos = [&] { return cursor; };
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = ProgramSkin(s);
    ASSERT_TRUE(skin);
    Host host;
    HWND up = host.Child(UPDOWN_CLASSW, L"", 0, 50, 50, 17, 22);
    HWND across = host.Child(UPDOWN_CLASSW, L"", UDS_HORZ, 100, 50, 32, 16);
    TkcSkinParams p;
    p.SkinSection = u"UPDOWNBTN";
    auto* a = AttachAdapter<TkcSpinWnd>(up, [&] { return skin.get(); }, p);
    auto* b = AttachAdapter<TkcSpinWnd>(across, [&] { return skin.get(); }, p);
    RECT ur{}, ar{};
    GetWindowRect(up, &ur);
    GetWindowRect(across, &ar);
    std::vector<TPixelBuffer> looks;
    cursor = POINT{-1000, -1000};
    looks.push_back(Print(up));
    cursor = POINT{ur.left + 8, ur.top + 3};
    looks.push_back(Print(up));
    cursor = POINT{ur.left + 8, ur.top + 18};
    a->bMousePressed = true;
    looks.push_back(Print(up));
    a->bMousePressed = false;
    cursor = POINT{ar.left + 25, ar.top + 8};
    b->bMousePressed = true;
    looks.push_back(Print(across));
    b->bMousePressed = false;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(CountPixels(View32(looks[size_t(i)]), 0xFF00FF), 0) << ProgramSkinName(s) << " look " << i;
      EXPECT_EQ(PixelChecksum(View32(looks[size_t(i)])), golden[s][i]) << ProgramSkinName(s) << " look " << i;
    }
    WriteRow(looks, std::string("up_downs_") + ProgramSkinName(s) + ".png", 3);
    delete a;
    EXPECT_EQ(GetWindowAdapter(up), nullptr);
    EXPECT_EQ(SendSkinCommand(up, SKC_ISHANDLED, 0), 0) << "removal gives the control back";
    DestroyWindow(across);
    EXPECT_TRUE(b->Destroyed);
    delete b;
  }
  ScrollCursorPos = old;
}

// A framework page control with its pages in the program's skins: the
// control (tabs without captions) and its shown page, each with its golden.
TEST(PageControlWnd, GoldensOfTheProgramSkins) {
  const uint64_t golden[2][2] = {{7522382931768696570ull, 11841452535228589811ull},
                                 {7330638237002747278ull, 11841452535228589811ull}};
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = ProgramSkin(s);
    ASSERT_TRUE(skin);
    fwtest::TestForm form(400, 300);
    auto* pc = new fw::TPageControl(form.form);
    pc->SetParent(form.form);
    pc->SetBounds(10, 10, 260, 160);
    for (int i = 0; i < 3; ++i) {
      auto* sheet = new fw::TTabSheet(form.form);
      sheet->SetPageControl(pc);
      sheet->SetCaption(u"");
    }
    form->Show();
    fwtest::Pump();
    TkcSkinParams p;
    p.Control = pc;
    p.SkinSection = u"PAGECONTROL";
    std::unique_ptr<TkcPageControlWnd> a(
        AttachAdapter<TkcPageControlWnd>(pc->WindowHandle(), [&] { return skin.get(); }, p));
    pc->SetActivePageIndex(1);
    fwtest::Pump();
    a->InitPages();
    fw::TTabSheet* shown = pc->ActivePage();
    ASSERT_TRUE(shown && shown->HandleAllocated());
    const TPixelBuffer looks[] = {Print(pc->WindowHandle()), Print(shown->WindowHandle())};
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(CountPixels(View32(const_cast<TPixelBuffer&>(looks[i])), 0xFF00FF), 0) << ProgramSkinName(s) << " " << i;
      EXPECT_EQ(PixelChecksum(View32(const_cast<TPixelBuffer&>(looks[i]))), golden[s][i]) << ProgramSkinName(s) << " " << i;
    }
    WriteRow({looks[0], looks[1]}, std::string("page_controls_") + ProgramSkinName(s) + ".png");
    // Destroyed while attached: the control's and its pages' adapters let go.
    pc->DestroyHandle();
    EXPECT_TRUE(a->Destroyed);
    for (auto& w : PageWndList())
      if (w->Owner == a.get()) EXPECT_TRUE(w->Destroyed);
    a.reset();
  }
}

namespace {

// A form's tab drawing that only colours the second tab's text.
struct TabPainter {
  int calls = 0;
  void DrawTab(fw::TPageControl* Control, int TabIndex, const fw::TRect&, bool) {
    ++calls;
    if (TabIndex == 1) Control->Canvas()->Font()->SetColor(0x00C000);
  }
};

}  // namespace

// An owner-drawn page control: its handler is asked for each tab, and a tab
// whose font colour it changed shows its text in that colour, written by
// the adapter; the other tabs keep the section's text colour.
TEST(PageControlWnd, ATabsOwnDrawingColoursItsText) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  fwtest::TestForm form(400, 300);
  auto* pc = new fw::TPageControl(form.form);
  pc->SetParent(form.form);
  pc->SetBounds(10, 10, 300, 200);
  pc->SetOwnerDraw(true);
  for (const char16_t* caption : {u"First", u"Second"}) {
    auto* sheet = new fw::TTabSheet(form.form);
    sheet->SetPageControl(pc);
    sheet->SetCaption(caption);
  }
  TabPainter painter;
  pc->OnDrawTab = fw::TDrawTabEvent(&painter, &TabPainter::DrawTab);
  form->Show();
  fwtest::Pump();
  EXPECT_TRUE(GetWindowLongPtrW(pc->Handle(), GWL_STYLE) & TCS_OWNERDRAWFIXED);
  TkcSkinParams p;
  p.Control = pc;
  p.SkinSection = u"PAGECONTROL";
  std::unique_ptr<TkcPageControlWnd> a(
      AttachAdapter<TkcPageControlWnd>(pc->WindowHandle(), [&] { return skin.get(); }, p));
  painter.calls = 0;
  const TPixelBuffer image = Print(pc->Handle());
  EXPECT_GE(painter.calls, 2);
  auto count = [&](int tab, fw::TColor color) {
    const fw::TRect r = a->SkinTabRect(tab, tab == a->ActiveTabIndex());
    int n = 0;
    for (int y = std::max(0, r.Top); y < r.Bottom; ++y)
      for (int x = std::max(0, r.Left); x < r.Right; ++x) n += ColorAt(image, x, y) == color;
    return n;
  };
  EXPECT_GT(count(1, 0x00C000), 5) << "the handler's colour";
  EXPECT_EQ(count(0, 0x00C000), 0);
  // Without the handler the first tab looks the same: written by the adapter.
  pc->OnDrawTab = nullptr;
  const TPixelBuffer plain = Print(pc->Handle());
  const fw::TRect first = a->SkinTabRect(0, false);
  int differ = 0, written = 0;
  for (int y = std::max(0, first.Top); y < first.Bottom; ++y)
    for (int x = std::max(0, first.Left); x < first.Right; ++x) {
      differ += ColorAt(image, x, y) != ColorAt(plain, x, y);
      written += ColorAt(image, x, y) != ColorAt(image, first.Left + 1, first.Top + 1);
    }
  EXPECT_EQ(differ, 0);
  EXPECT_GT(written, 5) << "the first tab's caption";
  WriteRow({image}, "owner_drawn_tabs.png", 2);
  a.reset();
}
