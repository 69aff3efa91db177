// Wizard navigation: the select operations over disabled pages and pages
// that refuse jumps, refusals by the events, the order of the page events,
// the button states and the button bar layout per page.
#include <gtest/gtest.h>

#include "case_name.h"
#include "fw/core/rtti.h"
#include "wizard_test_util.h"

using namespace ck;
using namespace fw;
using cktest::WizardForm;
using fwtest::Log;

namespace {

String PageName(TCkWizardCustomPage* p) { return p ? p->Name() : u"nil"; }
std::string Utf8(const String& s) { return StringToUtf8(s); }

// Records every event of a wizard and its pages in order.
struct Recorder {
  Log log;
  void Changing(TObject*, TCkWizardCustomPage*& to) { log.push_back("changing " + Utf8(PageName(to))); }
  void Changed(TObject* s) {
    log.push_back("changed " + Utf8(PageName(static_cast<TCkWizard*>(s)->ActivePage())));
  }
  void Enter(TObject* s, TCkWizardCustomPage* const& from) {
    log.push_back("enter " + Utf8(static_cast<TComponent*>(s)->Name()) + " from " + Utf8(PageName(from)));
  }
  void Exit(TObject* s, TCkWizardCustomPage* const& to) {
    log.push_back("exit " + Utf8(static_cast<TComponent*>(s)->Name()) + " to " + Utf8(PageName(to)));
  }
  void Page(TObject* s) { log.push_back("page " + Utf8(static_cast<TComponent*>(s)->Name())); }
  void SelectNext(TObject*, TCkWizardCustomPage*, TCkWizardCustomPage*& to) {
    log.push_back("select next " + Utf8(PageName(to)));
  }
  void WizardNextClick(TObject*) { log.push_back("wizard next click"); }

  void Attach(WizardForm& f) {
    f.wizard->OnActivePageChanging = TCkWizardChangingPageEvent(this, &Recorder::Changing);
    f.wizard->OnActivePageChanged = TNotifyEvent(this, &Recorder::Changed);
    f.wizard->OnSelectNextPage = TCkWizardSelectPageEvent(this, &Recorder::SelectNext);
    f.Button(bkNext)->OnClick = TNotifyEvent(this, &Recorder::WizardNextClick);
    for (auto* p : f.pages) {
      p->OnEnterPage = TCkWizardChangePageEvent(this, &Recorder::Enter);
      p->OnExitPage = TCkWizardChangePageEvent(this, &Recorder::Exit);
      p->OnPage = TNotifyEvent(this, &Recorder::Page);
    }
  }
};

enum class Action { First, Last, Next, Prior, NextButton, BackButton, FinishButton };

// Pages are described by one letter each: 'o' plain, 'd' disabled, 'j'
// refusing jumps.
struct NavCase {
  const char* name;
  const char* pages;
  int start;
  Action action;
  int expected;
};

const NavCase kNavCases[] = {
    {"next goes to the following page", "ooo", 0, Action::Next, 1},
    {"prior goes to the page before", "ooo", 1, Action::Prior, 0},
    {"next on the last page stays", "ooo", 2, Action::Next, 2},
    {"prior on the first page stays", "ooo", 0, Action::Prior, 0},
    {"next steps over a disabled page", "odo", 0, Action::Next, 2},
    {"next steps over a page refusing jumps", "ojo", 0, Action::Next, 2},
    {"prior steps over disabled and refusing pages", "odjo", 3, Action::Prior, 0},
    {"first skips a disabled first page", "doo", 2, Action::First, 1},
    {"last skips a last page refusing jumps", "ooj", 0, Action::Last, 1},
    {"next with only disabled pages after stays", "odd", 0, Action::Next, 0},
    {"the Next button moves forward", "ooo", 0, Action::NextButton, 1},
    {"the Back button moves back", "ooo", 2, Action::BackButton, 1},
    {"the Back button steps over a disabled page", "odo", 2, Action::BackButton, 0},
    {"the Finish button does not move", "ooo", 1, Action::FinishButton, 1},
};

class Navigation : public ::testing::TestWithParam<NavCase> {};

TEST_P(Navigation, MovesToTheExpectedPage) {
  const NavCase& c = GetParam();
  int n = static_cast<int>(std::string(c.pages).size());
  WizardForm f(n);
  for (int i = 0; i < n; ++i) {
    f.pages[i]->SetVisibleButtons(TCkWizardButtonSet{bkBack, bkNext, bkFinish, bkCancel});
    f.pages[i]->SetEnabledButtons(AllWizardButtons);
    if (c.pages[i] == 'j') f.pages[i]->SetEnableJumpToPage(false);
  }
  f.wizard->SetActivePageIndex(c.start);
  ASSERT_EQ(f.wizard->ActivePageIndex(), c.start);
  for (int i = 0; i < n; ++i)
    if (c.pages[i] == 'd' && i != c.start) f.pages[i]->SetEnabled(false);
  // The buttons are pressed as a user would: the native button sends its
  // notification to the wizard, which hands it back to the button.
  auto press = [&](TCkWizardButtonKind k) {
    TCkWizardButtonControl* b = f.Button(k);
    b->SetEnabled(true);
    SendMessageW(b->Handle(), BM_CLICK, 0, 0);
  };
  switch (c.action) {
    case Action::First: f.wizard->SelectFirstPage(); break;
    case Action::Last: f.wizard->SelectLastPage(); break;
    case Action::Next: f.wizard->SelectNextPage(); break;
    case Action::Prior: f.wizard->SelectPriorPage(); break;
    case Action::NextButton: press(bkNext); break;
    case Action::BackButton: press(bkBack); break;
    case Action::FinishButton: press(bkFinish); break;
  }
  EXPECT_EQ(f.wizard->ActivePageIndex(), c.expected);
  for (int i = 0; i < n; ++i) EXPECT_EQ(f.pages[i]->Visible(), i == c.expected) << "page " << i;
}

INSTANTIATE_TEST_SUITE_P(Wizard, Navigation, ::testing::ValuesIn(kNavCases), cktest::CaseName());

TEST(WizardEvents, ASwitchFiresChangingExitEnterPageChangedInOrder) {
  WizardForm f(3);
  Recorder r;
  r.Attach(f);
  ASSERT_EQ(f.wizard->ActivePageIndex(), -1);
  f.wizard->SetActivePageIndex(0);
  r.log.clear();
  f.wizard->SelectNextPage();
  EXPECT_EQ(r.log, (Log{"select next Page1", "changing Page1", "exit Page0 to Page1", "enter Page1 from Page0",
                        "page Page1", "changed Page1"}));
}

TEST(WizardEvents, NextOnTheLastPageFiresNothing) {
  WizardForm f(2);
  f.wizard->SetActivePageIndex(1);
  Recorder r;
  r.Attach(f);
  f.wizard->SelectNextPage();
  EXPECT_TRUE(r.log.empty());
}

struct Refusals {
  TCkWizardCustomPage* keep = nullptr;
  void KeepPage(TObject*, TCkWizardCustomPage*& to) { to = keep; }
  void CancelSelect(TObject*, TCkWizardCustomPage*, TCkWizardCustomPage*& to) { to = nullptr; }
  void Stop(TObject*, bool& stop) { stop = true; }
};

TEST(WizardEvents, AChangingHandlerKeepingTheActivePageRefusesWithoutExitOrEnter) {
  WizardForm f(2);
  f.wizard->SetActivePageIndex(0);
  Recorder r;
  r.Attach(f);
  Refusals refuse;
  refuse.keep = f.pages[0];
  f.wizard->OnActivePageChanging = TCkWizardChangingPageEvent(&refuse, &Refusals::KeepPage);
  f.wizard->SelectNextPage();
  EXPECT_EQ(f.wizard->ActivePageIndex(), 0);
  EXPECT_EQ(r.log, (Log{"select next Page1"}));
}

TEST(WizardEvents, ASelectHandlerClearingTheTargetCancelsTheMove) {
  WizardForm f(2);
  f.wizard->SetActivePageIndex(0);
  Refusals refuse;
  f.wizard->OnSelectNextPage = TCkWizardSelectPageEvent(&refuse, &Refusals::CancelSelect);
  f.wizard->SelectNextPage();
  EXPECT_EQ(f.wizard->ActivePageIndex(), 0);
}

TEST(WizardEvents, APageStoppingItsNextClickKeepsThePageAndSkipsTheWizardClick) {
  WizardForm f(2);
  f.pages[0]->SetEnabledButtons(AllWizardButtons);
  f.wizard->SetActivePageIndex(0);
  Recorder r;
  r.Attach(f);
  Refusals refuse;
  f.pages[0]->OnNextButtonClick = TCkWizardPageClickEvent(&refuse, &Refusals::Stop);
  SendMessageW(f.Button(bkNext)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(f.wizard->ActivePageIndex(), 0);
  EXPECT_TRUE(r.log.empty());
  // Without the stop, the wizard's click runs before the move.
  f.pages[0]->OnNextButtonClick = nullptr;
  SendMessageW(f.Button(bkNext)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(f.wizard->ActivePageIndex(), 1);
  ASSERT_FALSE(r.log.empty());
  EXPECT_EQ(r.log.front(), "wizard next click");
}

TEST(WizardPages, DisablingTheActivePageMovesOnThenBackThenToNone) {
  WizardForm f(3);
  f.wizard->SetActivePageIndex(1);
  f.pages[1]->SetEnabled(false);
  EXPECT_EQ(f.wizard->ActivePage(), f.pages[2]);
  f.pages[2]->SetEnabled(false);
  EXPECT_EQ(f.wizard->ActivePage(), f.pages[0]);
  f.pages[0]->SetEnabled(false);
  EXPECT_EQ(f.wizard->ActivePage(), nullptr);
  EXPECT_EQ(f.wizard->ActivePageIndex(), -1);
}

TEST(WizardPages, DestroyingTheActivePageActivatesTheNextEnabledOneOrNone) {
  WizardForm f(3);
  f.pages[2]->SetEnabled(false);
  f.wizard->SetActivePageIndex(0);
  f.pages[0]->Free();
  f.pages.erase(f.pages.begin());
  EXPECT_EQ(f.wizard->ActivePage(), f.pages[0]);
  EXPECT_EQ(f.wizard->PageCount(), 2);
  // Only pages after it count: the disabled one does not, so none is left.
  f.pages[0]->Free();
  f.pages.erase(f.pages.begin());
  EXPECT_EQ(f.wizard->ActivePage(), nullptr);
  EXPECT_EQ(f.wizard->PageCount(), 1);
}

TEST(WizardPages, ADisabledPageOrAPageOfAnotherWizardCannotBeActivated) {
  WizardForm f(2);
  WizardForm other(1);
  f.wizard->SetActivePageIndex(0);
  f.pages[1]->SetEnabled(false);
  f.wizard->SetActivePage(f.pages[1]);
  EXPECT_EQ(f.wizard->ActivePageIndex(), 0);
  f.wizard->SetActivePage(other.pages[0]);
  EXPECT_EQ(f.wizard->ActivePageIndex(), 0);
  f.wizard->SetActivePageIndex(7);
  EXPECT_EQ(f.wizard->ActivePage(), nullptr);
  EXPECT_THROW(f.wizard->IsForward(f.pages[0], other.pages[0]), ECkWizardError);
}

TEST(WizardPages, PageIndexMovesThePageWithinTheList) {
  WizardForm f(3);
  f.pages[2]->SetPageIndex(0);
  EXPECT_EQ(f.wizard->WizardPages(0), f.pages[2]);
  EXPECT_EQ(f.pages[0]->PageIndex(), 1);
  f.pages[2]->SetPageIndex(9);  // out of range: ignored
  EXPECT_EQ(f.pages[2]->PageIndex(), 0);
}

// ---- Buttons

void ExpectButtons(WizardForm& f, TCkWizardButtonSet visible, TCkWizardButtonSet enabled, const char* where) {
  for (int k = 0; k < WizardButtonKindCount; ++k) {
    auto kind = static_cast<TCkWizardButtonKind>(k);
    EXPECT_EQ(f.Button(kind)->Visible(), visible.Contains(kind)) << where << " button " << k;
    EXPECT_EQ(f.Button(kind)->Enabled(), enabled.Contains(kind)) << where << " button " << k;
  }
}

TEST(WizardButtons, AWizardWithoutPagesShowsBackNextCancelWithOnlyCancelEnabled) {
  WizardForm f(0);
  EXPECT_EQ(f.wizard->ActivePageIndex(), -1);
  f.wizard->RefreshButtonStates();
  ExpectButtons(f, TCkWizardButtonSet{bkBack, bkNext, bkCancel}, TCkWizardButtonSet{bkCancel}, "empty");
}

// The main window's four pages, as its form sets them.
TEST(WizardButtons, TheMainWindowPagesShowTheirButtonsAndLayThemOut) {
  WizardForm f(4);
  f.pages[0]->SetVisibleButtons(TCkWizardButtonSet{bkNext});
  f.pages[1]->SetVisibleButtons(TCkWizardButtonSet{bkBack, bkNext});
  f.pages[2]->SetVisibleButtons(TCkWizardButtonSet{bkBack});
  f.pages[2]->EnableButton(bkNext, false);
  f.pages[3]->SetVisibleButtons(TCkWizardButtonSet{bkBack, bkFinish});
  f.wizard->SelectFirstPage();
  ASSERT_EQ(f.wizard->ActivePageIndex(), 0);
  ASSERT_EQ(f.wizard->ClientHeight(), 704);

  ExpectButtons(f, TCkWizardButtonSet{bkNext}, AllWizardButtons - TCkWizardButtonSet{bkBack}, "page 0");
  EXPECT_TRUE(f.Button(bkNext)->Default());
  EXPECT_EQ(f.Button(bkNext)->BoundsRect(), Bounds(897, 672, 75, 25));

  f.wizard->SelectNextPage();
  ExpectButtons(f, TCkWizardButtonSet{bkBack, bkNext}, AllWizardButtons, "page 1");
  EXPECT_EQ(f.Button(bkNext)->BoundsRect(), Bounds(897, 672, 75, 25));
  EXPECT_EQ(f.Button(bkBack)->BoundsRect(), Bounds(820, 672, 75, 25));

  f.wizard->SelectNextPage();
  ExpectButtons(f, TCkWizardButtonSet{bkBack}, AllWizardButtons - TCkWizardButtonSet{bkNext}, "page 2");
  EXPECT_EQ(f.Button(bkBack)->BoundsRect(), Bounds(897, 672, 75, 25));
  // Page 2 has no Next: the wizard's own Next does not reach page 3 either.
  f.wizard->SetActivePageIndex(3);
  ExpectButtons(f, TCkWizardButtonSet{bkBack, bkFinish}, AllWizardButtons, "page 3");
  EXPECT_TRUE(f.Button(bkFinish)->Default());
  // Finish, then Back one pixel to its left (Finish's gap when Next is not
  // shown).
  EXPECT_EQ(f.Button(bkFinish)->BoundsRect(), Bounds(897, 672, 75, 25));
  EXPECT_EQ(f.Button(bkBack)->BoundsRect(), Bounds(821, 672, 75, 25));

  // The first page keeps Back out of its buttons once it has been first.
  f.wizard->SetActivePageIndex(0);
  EXPECT_FALSE(f.pages[0]->EnabledButtons().Contains(bkBack));
}

TEST(WizardButtons, CancelFinishNextBackAreSpacedFromTheRightEdge) {
  WizardForm f(1);
  f.pages[0]->SetVisibleButtons(TCkWizardButtonSet{bkBack, bkNext, bkFinish, bkCancel, bkHelp, bkStart});
  f.wizard->SetActivePageIndex(0);
  // Next and Finish both shown: 1 pixel between Cancel and Finish, 10
  // between Finish and Next, 2 between Next and Back.
  EXPECT_EQ(f.Button(bkCancel)->Left(), 972 - 75);
  EXPECT_EQ(f.Button(bkFinish)->Left(), 972 - 75 - 1 - 75);
  EXPECT_EQ(f.Button(bkNext)->Left(), 972 - 75 - 1 - 75 - 10 - 75);
  EXPECT_EQ(f.Button(bkBack)->Left(), 972 - 75 - 1 - 75 - 10 - 75 - 2 - 75);
  // Left group: Help, 10 pixels, Start.
  EXPECT_EQ(f.Button(bkHelp)->Left(), 8);
  EXPECT_EQ(f.Button(bkStart)->Left(), 8 + 75 + 10);
  f.pages[0]->SetVisibleButtons(TCkWizardButtonSet{bkNext, bkCancel});
  EXPECT_EQ(f.Button(bkCancel)->Left(), 972 - 75);
  EXPECT_EQ(f.Button(bkNext)->Left(), 972 - 75 - 10 - 75);
}

TEST(WizardButtons, APageWithoutButtonsHidesTheBar) {
  WizardForm f(2);
  f.pages[1]->SetVisibleButtons(TCkWizardButtonSet{});
  f.wizard->SetActivePageIndex(1);
  EXPECT_EQ(f.wizard->ButtonBarHeight(), 0);
  for (int k = 0; k < WizardButtonKindCount; ++k)
    EXPECT_EQ(f.Button(static_cast<TCkWizardButtonKind>(k))->Height(), 0) << k;
  // The page takes the whole wizard.
  EXPECT_EQ(f.pages[1]->Height(), f.wizard->ClientHeight());
  f.wizard->SetActivePageIndex(0);
  EXPECT_EQ(f.wizard->ButtonBarHeight(), 42);
  EXPECT_EQ(f.pages[0]->Height(), f.wizard->ClientHeight() - 42);
}

TEST(WizardButtons, TheWizardsButtonClickEventsAreTheButtonsOnClick) {
  WizardForm f(1);
  Recorder r;
  SetPropValue(f.wizard, u"OnNextButtonClick", TValue(TNotifyEvent(&r, &Recorder::WizardNextClick)));
  EXPECT_TRUE(f.Button(bkNext)->OnClick == TNotifyEvent(&r, &Recorder::WizardNextClick));
  SetPropValue(f.wizard, u"ButtonNext.Caption", TValue(String(u"Weiter")));
  EXPECT_EQ(f.Button(bkNext)->Caption(), u"Weiter");
  EXPECT_EQ(GetPropValue(f.wizard, u"ButtonCancel.ModalResult").AsOrdinal(), mrCancel);
}

TEST(WizardButtons, TheWizardAsksForArrowsAndAllKeys) {
  WizardForm f(1);
  EXPECT_EQ(SendMessageW(f.wizard->Handle(), WM_GETDLGCODE, 0, 0), 5);
}

}  // namespace
