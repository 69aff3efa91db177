// Speed buttons, track and progress bars, scroll bars, the scroll box and
// the tree view: what a description sets reaches the window, and clicks,
// keys and scroll messages move them and raise the events.
#include <gtest/gtest.h>

#include "fw/core/rtti.h"
#include "fw/stdctrls/rangectrls.h"
#include "fw/stdctrls/scrolling.h"
#include "fw/stdctrls/speedbutton.h"
#include "fw/stdctrls/treeview.h"
#include "stdctrls_test_util.h"

namespace fw {

class TStdMiscForm : public TForm {
  FW_CLASS(TStdMiscForm, TForm)
  explicit TStdMiscForm(TComponent* AOwner) : TForm(AOwner) {}
  std::vector<std::string> log;
  void Note(TObject* Sender, const std::string& what) {
    log.push_back(StringToUtf8(static_cast<TComponent*>(Sender)->Name()) + " " + what);
  }
  void AnyClick(TObject* Sender) { Note(Sender, "click"); }
  void AnyChange(TObject* Sender) { Note(Sender, "change"); }
  void TreeChange(TObject* Sender, TTreeNode*) { Note(Sender, "change"); }
  void AnyScroll(TObject* Sender, TScrollCode Code, int& Pos) {
    Note(Sender, "scroll " + std::to_string(static_cast<int>(Code)) + " to " + std::to_string(Pos));
  }
};

FW_REGISTER(TStdMiscForm) {
  c.Method(u"AnyClick", &TStdMiscForm::AnyClick);
  c.Method(u"AnyChange", &TStdMiscForm::AnyChange);
  c.Method(u"AnyScroll", &TStdMiscForm::AnyScroll);
  c.Method(u"TreeChange", &TStdMiscForm::TreeChange);
}

}  // namespace fw

using namespace fw;

namespace {

const char16_t* kMiscForm =
    u"object StdMisc: TStdMiscForm\n"
    u"  Width = 600\n  Height = 400\n  Color = clBtnFace\n"
    u"  object col1: TSpeedButton\n    Left = 8\n    Top = 8\n    GroupIndex = 1\n    Down = True\n"
    u"    Caption = '1'\n    OnClick = AnyClick\n  end\n"
    u"  object col2: TSpeedButton\n    Left = 32\n    Top = 8\n    GroupIndex = 1\n    Caption = '2'\n"
    u"    OnClick = AnyClick\n  end\n"
    u"  object col3: TSpeedButton\n    Left = 56\n    Top = 8\n    GroupIndex = 1\n    Caption = '3'\n"
    u"    Flat = True\n  end\n"
    u"  object btnbold: TSpeedButton\n    Left = 90\n    Top = 8\n    AllowAllUp = True\n    GroupIndex = 2\n"
    u"    Caption = 'B'\n    OnClick = AnyClick\n  end\n"
    u"  object btnplain: TSpeedButton\n    Left = 120\n    Top = 8\n    Caption = 'P'\n    OnClick = AnyClick\n"
    u"  end\n"
    u"  object tracksample: TTrackBar\n    Left = 8\n    Top = 40\n    Max = 200\n    Min = 10\n"
    u"    Position = 40\n    TickStyle = tsNone\n    OnChange = AnyChange\n  end\n"
    u"  object progres: TProgressBar\n    Left = 8\n    Top = 100\n    Max = 50\n    Position = 10\n"
    u"    Smooth = True\n  end\n"
    u"  object trrotate: TScrollBar\n    Left = 8\n    Top = 130\n    Max = 180\n    Min = -180\n"
    u"    LargeChange = 10\n    OnChange = AnyChange\n    OnScroll = AnyScroll\n  end\n"
    u"  object ScrollBox1: TScrollBox\n    Left = 200\n    Top = 40\n    Width = 200\n    Height = 100\n"
    u"    object Shape1: TPanel\n      Left = 0\n      Top = 0\n      Width = 400\n      Height = 300\n"
    u"    end\n"
    u"  end\n"
    u"  object Tree: TTreeView\n    Left = 420\n    Top = 40\n    Width = 150\n    Height = 200\n"
    u"    ReadOnly = True\n    OnChange = TreeChange\n  end\n"
    u"end\n";

struct MiscFixture : ::testing::Test {
  fwtest::DescribedForm<TStdMiscForm> f{kMiscForm};
  void ClickControl(TControl* c) {
    TPoint p{c->Left() + c->Width() / 2, c->Top() + c->Height() / 2};
    fwtest::ClickAt(c->Parent()->Handle(), p.x, p.y);
  }
};

TEST_F(MiscFixture, SpeedButtonsOfAGroupStayDownOneAtATime) {
  auto* col1 = f.Find<TSpeedButton>(u"col1");
  auto* col2 = f.Find<TSpeedButton>(u"col2");
  auto* col3 = f.Find<TSpeedButton>(u"col3");
  EXPECT_TRUE(col1->Down());
  ClickControl(col2);
  EXPECT_TRUE(col2->Down());
  EXPECT_FALSE(col1->Down());
  ClickControl(col2);
  EXPECT_TRUE(col2->Down()) << "without AllowAllUp the pressed button stays down";
  col3->SetDown(true);
  EXPECT_FALSE(col2->Down());
  EXPECT_EQ(f->log, (std::vector<std::string>{"col2 click", "col2 click"}));
}

TEST_F(MiscFixture, ToggleAndPlainSpeedButtons) {
  auto* bold = f.Find<TSpeedButton>(u"btnbold");
  auto* plain = f.Find<TSpeedButton>(u"btnplain");
  ClickControl(bold);
  EXPECT_TRUE(bold->Down());
  ClickControl(bold);
  EXPECT_FALSE(bold->Down()) << "AllowAllUp lets it go up";
  ClickControl(plain);
  EXPECT_FALSE(plain->Down());
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down()) << "group 0 never stays down";
  // Pressed but released outside: no click.
  HWND parent = f->Handle();
  SendMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(plain->Left() + 5, plain->Top() + 5));
  EXPECT_EQ(plain->State(), bsDown);
  SendMessageW(parent, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(plain->Left() + 200, plain->Top() + 5));
  SendMessageW(parent, WM_LBUTTONUP, 0, MAKELPARAM(plain->Left() + 200, plain->Top() + 5));
  EXPECT_EQ(plain->State(), bsUp);
  EXPECT_EQ(f->log, (std::vector<std::string>{"btnbold click", "btnbold click", "btnplain click"}));
}

TEST_F(MiscFixture, SpeedButtonDrawsItsGlyphWithoutItsBackground) {
  auto* col3 = f.Find<TSpeedButton>(u"col3");
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetPixelFormat(pf24bit);
  glyph->SetSize(8, 8);
  glyph->Canvas()->Brush()->SetColor(clFuchsia);
  glyph->Canvas()->FillRect(Rect(0, 0, 8, 8));
  glyph->Canvas()->Brush()->SetColor(clBlue);
  glyph->Canvas()->FillRect(Rect(2, 2, 6, 6));
  col3->SetCaption(u"");
  col3->SetGlyph(glyph.get());
  auto bmp = fwtest::Capture(f.form);
  TRect r = col3->BoundsRect();
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), r.Left + r.Width() / 2, r.Top + r.Height() / 2), clBlue);
  EXPECT_EQ(fwtest::CountColor(bmp.get(), clFuchsia, r), 0) << "the glyph's bottom-left colour is transparent";
}

TEST_F(MiscFixture, TrackBarTakesItsRangeAndReportsTheUsersMoves) {
  auto* tb = f.Find<TTrackBar>(u"tracksample");
  HWND h = tb->Handle();
  EXPECT_EQ(fwtest::ClassNameOf(h), "TTrackBar");
  EXPECT_EQ(SendMessageW(h, TBM_GETRANGEMIN, 0, 0), 10);
  EXPECT_EQ(SendMessageW(h, TBM_GETRANGEMAX, 0, 0), 200);
  EXPECT_EQ(SendMessageW(h, TBM_GETPOS, 0, 0), 40);
  EXPECT_TRUE(fwtest::HasStyle(h, TBS_NOTICKS));
  SendMessageW(h, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(tb->Position(), 41);
  tb->SetPosition(500);
  EXPECT_EQ(tb->Position(), 200);
  EXPECT_EQ(f->log, (std::vector<std::string>{"tracksample change"})) << "the program's move reports nothing";
}

TEST_F(MiscFixture, ProgressBarRangeStepAndPosition) {
  auto* pb = f.Find<TProgressBar>(u"progres");
  HWND h = pb->Handle();
  EXPECT_EQ(SendMessageW(h, PBM_GETPOS, 0, 0), 10);
  EXPECT_EQ(SendMessageW(h, PBM_GETRANGE, FALSE, 0), 50);
  EXPECT_TRUE(fwtest::HasStyle(h, PBS_SMOOTH));
  pb->SetStep(15);
  pb->StepIt();
  EXPECT_EQ(pb->Position(), 25);
  pb->StepBy(-5);
  EXPECT_EQ(pb->Position(), 20);
}

TEST_F(MiscFixture, ScrollBarMovesByItsChangesWithinItsLimits) {
  auto* sb = f.Find<TScrollBar>(u"trrotate");
  HWND h = sb->Handle();
  SCROLLINFO si{sizeof(si), SIF_ALL};
  GetScrollInfo(h, SB_CTL, &si);
  EXPECT_EQ(si.nMin, -180);
  EXPECT_EQ(si.nMax, 180);
  EXPECT_EQ(si.nPos, 0);
  HWND form = f->Handle();
  SendMessageW(form, WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(h));
  EXPECT_EQ(sb->Position(), 1);
  SendMessageW(form, WM_HSCROLL, SB_PAGEUP, reinterpret_cast<LPARAM>(h));
  EXPECT_EQ(sb->Position(), -9);
  SendMessageW(form, WM_HSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(h));
  EXPECT_EQ(sb->Position(), 180);
  GetScrollInfo(h, SB_CTL, &si);
  EXPECT_EQ(si.nPos, 180);
  sb->SetPosition(1000);
  EXPECT_EQ(sb->Position(), 180) << "clamped";
  EXPECT_EQ(f->log, (std::vector<std::string>{"trrotate scroll 1 to 1", "trrotate change", "trrotate scroll 2 to -9",
                                              "trrotate change", "trrotate scroll 7 to 180", "trrotate change"}));
  EXPECT_THROW(sb->SetMax(-200), EInvalidOperation);
}

TEST_F(MiscFixture, ScrollBoxShowsBarsForLargeChildrenAndMovesThem) {
  auto* box = f.Find<TScrollBox>(u"ScrollBox1");
  auto* child = f.Find<TWinControl>(u"Shape1");
  HWND h = box->Handle();
  SCROLLINFO si{sizeof(si), SIF_ALL};
  GetScrollInfo(h, SB_VERT, &si);
  EXPECT_EQ(si.nMax, 299);
  EXPECT_EQ(static_cast<int>(si.nPage), box->ClientHeight());
  EXPECT_TRUE(box->HorzScrollBar()->IsScrollBarVisible());
  EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
  SendMessageW(h, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(box->VertScrollBar()->Position(), box->ClientHeight());
  EXPECT_EQ(child->Top(), -box->ClientHeight());
  SendMessageW(h, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(child->Top() + child->Height(), box->ClientHeight()) << "no further than the end";
  SendMessageW(h, WM_HSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(child->Left(), -8);
  // A child that fits: the bars go and the child comes back.
  child->SetBounds(child->Left(), child->Top(), 50, 50);
  EXPECT_FALSE(box->VertScrollBar()->IsScrollBarVisible());
  EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(child->Left(), 0);
  EXPECT_EQ(child->Top(), 0);
}

TEST_F(MiscFixture, TreeViewNodesReachTheWindowAndSelectionReportsTheNode) {
  auto* tv = f.Find<TTreeView>(u"Tree");
  HWND h = tv->Handle();
  EXPECT_EQ(fwtest::ClassNameOf(h), "TTreeView");
  EXPECT_FALSE(fwtest::HasStyle(h, TVS_EDITLABELS));
  int data = 5;
  TTreeNode* fonts = tv->Items()->Add(nullptr, u"Fonts");
  TTreeNode* arial = tv->Items()->AddChildObject(fonts, u"Arial", &data);
  tv->Items()->AddChild(fonts, u"Times");
  tv->Items()->Add(fonts, u"Samples");
  EXPECT_EQ(SendMessageW(h, TVM_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(tv->Items()->Count(), 4);
  EXPECT_EQ(tv->Items()->Item(3)->Text(), u"Samples");
  EXPECT_EQ(arial->Level(), 1);
  EXPECT_EQ(arial->Index(), 0);
  fonts->SetExpanded(true);
  SendMessageW(h, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(arial->ItemId()));
  EXPECT_EQ(tv->Selected(), arial);
  EXPECT_EQ(f->log, (std::vector<std::string>{"Tree change"}));
  // A new window keeps nodes, data, expansion and selection.
  tv->SetBorderStyle(bsNone);
  EXPECT_EQ(SendMessageW(tv->Handle(), TVM_GETCOUNT, 0, 0), 4);
  EXPECT_TRUE(fonts->Expanded());
  EXPECT_EQ(tv->Selected(), arial);
  EXPECT_EQ(tv->Selected()->Data(), &data);
  wchar_t buf[32] = {};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = arial->ItemId();
  item.pszText = buf;
  item.cchTextMax = 32;
  SendMessageW(tv->Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(StringToUtf8(FromW(buf)), "Arial");
  fonts->Delete();
  EXPECT_EQ(SendMessageW(tv->Handle(), TVM_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(tv->Items()->Count(), 1);
}

}  // namespace
