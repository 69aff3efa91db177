// Status bar and page control: panels and pages from a description reach
// the windows, owner-drawn panels are drawn by OnDrawPanel, and selecting a
// tab switches the page through OnChanging and OnChange.
#include <gtest/gtest.h>

#include "fw/core/rtti.h"
#include "fw/stdctrls/checkbox.h"
#include "fw/stdctrls/pagecontrol.h"
#include "fw/stdctrls/statusbar.h"
#include "stdctrls_test_util.h"

namespace fw {

class TStdBarsForm : public TForm {
  FW_CLASS(TStdBarsForm, TForm)
  explicit TStdBarsForm(TComponent* AOwner) : TForm(AOwner) {}
  TStatusBar* StatusBar1 = nullptr;
  TPageControl* Pages = nullptr;
  std::vector<std::string> log;
  bool allowChange = true;
  std::vector<TRect> drawn;
  std::vector<int> drawnPanels;

  void StatusBar1DrawPanel(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect) {
    drawn.push_back(Rect);
    drawnPanels.push_back(Panel->Index());
    StatusBar->Canvas()->Brush()->SetColor(clLime);
    StatusBar->Canvas()->FillRect(Rect);
  }
  void PagesChanging(TObject*, bool& AllowChange) {
    log.push_back("changing from " + StringToUtf8(Pages->ActivePage()->Name()));
    AllowChange = allowChange;
  }
  void PagesChange(TObject*) { log.push_back("change to " + StringToUtf8(Pages->ActivePage()->Name())); }
  std::vector<std::pair<int, bool>> drawnTabs;
  void PagesDrawTab(TPageControl* Control, int TabIndex, const TRect& Rect, bool Active) {
    drawnTabs.emplace_back(TabIndex, Active);
    Control->Canvas()->Brush()->SetColor(TabIndex == 2 ? clLime : clBtnFace);
    Control->Canvas()->FillRect(Rect);
  }
};

FW_REGISTER(TStdBarsForm) {
  c.Field(u"StatusBar1", &TStdBarsForm::StatusBar1);
  c.Field(u"Pages", &TStdBarsForm::Pages);
  c.Method(u"StatusBar1DrawPanel", &TStdBarsForm::StatusBar1DrawPanel);
  c.Method(u"PagesChanging", &TStdBarsForm::PagesChanging);
  c.Method(u"PagesChange", &TStdBarsForm::PagesChange);
  c.Method(u"PagesDrawTab", &TStdBarsForm::PagesDrawTab);
}

}  // namespace fw

using namespace fw;

namespace {

const char16_t* kBarsForm =
    u"object StdBars: TStdBarsForm\n"
    u"  Width = 640\n  Height = 400\n  Color = clBtnFace\n"
    u"  object StatusBar1: TStatusBar\n"
    u"    Panels = <\n"
    u"      item\n        Text = '200 x 100 x 24b'\n        Width = 100\n      end\n"
    u"      item\n        Style = psOwnerDraw\n        Width = 150\n      end\n"
    u"      item\n        Alignment = taRightJustify\n        Text = 'hint'\n        Width = 300\n      end>\n"
    u"    OnDrawPanel = StatusBar1DrawPanel\n"
    u"  end\n"
    u"  object Pages: TPageControl\n"
    u"    Left = 8\n    Top = 8\n    Width = 400\n    Height = 300\n"
    u"    ActivePage = Capture\n"
    u"    OnChange = PagesChange\n    OnChanging = PagesChanging\n"
    u"    object General: TTabSheet\n      Caption = 'General'\n"
    u"      object cbminimize: TCheckBox\n        Left = 8\n        Top = 8\n        Caption = 'Minimize to systray'\n"
    u"      end\n"
    u"    end\n"
    u"    object Capture: TTabSheet\n      Caption = 'Capture'\n    end\n"
    u"    object Database: TTabSheet\n      Caption = 'Database'\n    end\n"
    u"  end\n"
    u"end\n";

struct BarsFixture : ::testing::Test {
  fwtest::DescribedForm<TStdBarsForm> f{kBarsForm};
  std::string TabText(int i) {
    wchar_t buf[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = 64;
    SendMessageW(f->Pages->Handle(), TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    return StringToUtf8(FromW(buf));
  }
  void ClickTab(int i) {
    RECT r{};
    HWND h = f->Pages->Handle();
    SendMessageW(h, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    fwtest::ClickAt(h, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
};

TEST_F(BarsFixture, StatusBarPanelsReachTheWindowAndTheBarSitsAtTheBottom) {
  TStatusBar* bar = f->StatusBar1;
  HWND h = bar->Handle();
  EXPECT_EQ(fwtest::ClassNameOf(h), "TStatusBar");
  EXPECT_EQ(bar->Top() + bar->Height(), f->ClientHeight());
  EXPECT_EQ(bar->Width(), f->ClientWidth());
  int edges[4] = {};
  ASSERT_EQ(SendMessageW(h, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
  EXPECT_EQ(edges[0], 100);
  EXPECT_EQ(edges[1], 250);
  EXPECT_EQ(edges[2], -1) << "the last panel reaches the end";
  wchar_t buf[64] = {};
  SendMessageW(h, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(buf));
  EXPECT_EQ(StringToUtf8(FromW(buf)), "200 x 100 x 24b");
  EXPECT_TRUE(fwtest::HasStyle(h, SBARS_SIZEGRIP));
  bar->Panels()->Items(0)->SetText(u"10 x 10 x 24b");
  SendMessageW(h, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(buf));
  EXPECT_EQ(StringToUtf8(FromW(buf)), "10 x 10 x 24b");
  bar->Panels()->Items(0)->SetWidth(120);
  SendMessageW(h, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[1], 270);
}

TEST_F(BarsFixture, OwnerDrawnPanelIsDrawnByOnDrawPanelInItsRectangle) {
  TStatusBar* bar = f->StatusBar1;
  auto bmp = fwtest::Capture(bar);
  ASSERT_FALSE(f->drawn.empty());
  EXPECT_EQ(f->drawnPanels.back(), 1);
  TRect panel1 = bar->PanelRect(1);
  EXPECT_EQ(f->drawn.back(), panel1);
  EXPECT_GT(fwtest::CountColor(bmp.get(), clLime, panel1), panel1.Width() * panel1.Height() / 2);
  EXPECT_EQ(fwtest::CountColor(bmp.get(), clLime, bar->PanelRect(0)), 0);
}

TEST_F(BarsFixture, OwnerDrawnTabsAreDrawnByOnDrawTab) {
  TPageControl* pages = f->Pages;
  pages->OnDrawTab = TDrawTabEvent(f.operator->(), &TStdBarsForm::PagesDrawTab);
  pages->SetOwnerDraw(true);
  EXPECT_TRUE(GetWindowLongPtrW(pages->Handle(), GWL_STYLE) & TCS_OWNERDRAWFIXED);
  EXPECT_EQ(pages->PageCount(), 3) << "the pages are kept when the window is made again";
  auto bmp = fwtest::Capture(pages);
  ASSERT_FALSE(f->drawnTabs.empty());
  bool activeSeen = false;
  for (const auto& [tab, active] : f->drawnTabs) {
    EXPECT_EQ(active, tab == 1) << tab;
    activeSeen |= active;
  }
  EXPECT_TRUE(activeSeen);
  RECT r{};
  SendMessageW(pages->Handle(), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  EXPECT_GT(fwtest::CountColor(bmp.get(), clLime, Rect(r.left, r.top, r.right, r.bottom)), 10);
}

TEST_F(BarsFixture, SimpleModeShowsTheSimpleText) {
  TStatusBar* bar = f->StatusBar1;
  bar->SetSimpleText(u"Scanning");
  bar->SetSimplePanel(true);
  EXPECT_TRUE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
  f->drawn.clear();
  auto bmp = fwtest::Capture(bar);
  EXPECT_TRUE(f->drawn.empty()) << "no panels in simple mode";
  EXPECT_GT(fwtest::CountColor(bmp.get(), ColorToRGB(clBtnText), Rect(0, 0, 80, bar->Height())), 5);
  bar->SetSimplePanel(false);
  EXPECT_FALSE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
}

TEST_F(BarsFixture, PagesBecomeTabsAndOnlyTheActivePageIsShown) {
  TPageControl* pc = f->Pages;
  HWND h = pc->Handle();
  EXPECT_EQ(fwtest::ClassNameOf(h), "TPageControl");
  ASSERT_EQ(SendMessageW(h, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(TabText(0), "General");
  EXPECT_EQ(TabText(2), "Database");
  EXPECT_EQ(SendMessageW(h, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(pc->ActivePageIndex(), 1);
  auto* capture = f.Find<TTabSheet>(u"Capture");
  EXPECT_TRUE(IsWindowVisible(capture->Handle()));
  EXPECT_FALSE(f.Find<TTabSheet>(u"General")->Visible());
  RECT display{0, 0, pc->ClientWidth(), pc->ClientHeight()};
  SendMessageW(h, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  EXPECT_EQ(capture->BoundsRect(), Rect(display.left, display.top, display.right, display.bottom));
  EXPECT_TRUE(f->log.empty()) << "loading changes no page";
}

TEST_F(BarsFixture, ClickingATabChangesThePageUnlessOnChangingRefuses) {
  TPageControl* pc = f->Pages;
  ClickTab(2);
  EXPECT_EQ(pc->ActivePage()->Name(), u"Database");
  EXPECT_TRUE(IsWindowVisible(pc->ActivePage()->Handle()));
  EXPECT_FALSE(f.Find<TTabSheet>(u"Capture")->Visible());
  EXPECT_EQ(f->log, (std::vector<std::string>{"changing from Capture", "change to Database"}));
  f->log.clear();
  f->allowChange = false;
  ClickTab(0);
  EXPECT_EQ(pc->ActivePage()->Name(), u"Database");
  EXPECT_EQ(SendMessageW(pc->Handle(), TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(f->log, (std::vector<std::string>{"changing from Database"}));
  // The program's change raises no event.
  f->log.clear();
  pc->SetActivePageIndex(0);
  EXPECT_TRUE(f.Find<TCheckBox>(u"cbminimize")->Showing());
  EXPECT_EQ(SendMessageW(pc->Handle(), TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(f->log.empty());
}

TEST_F(BarsFixture, HiddenAndFreedPagesLoseTheirTabs) {
  TPageControl* pc = f->Pages;
  f.Find<TTabSheet>(u"Capture")->SetTabVisible(false);
  ASSERT_EQ(SendMessageW(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(TabText(1), "Database");
  EXPECT_EQ(pc->ActivePage()->Name(), u"Database") << "the next page takes over";
  f.Find<TTabSheet>(u"Database")->Free();
  EXPECT_EQ(pc->PageCount(), 2);
  EXPECT_EQ(SendMessageW(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(pc->ActivePage()->Name(), u"General");
  auto* extra = new TTabSheet(f.form);
  extra->SetCaption(u"Extra");
  extra->SetPageControl(pc);
  EXPECT_EQ(SendMessageW(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(TabText(1), "Extra");
  EXPECT_EQ(extra->PageIndex(), 2);
  EXPECT_EQ(extra->TabIndex(), 1);
}

}  // namespace
