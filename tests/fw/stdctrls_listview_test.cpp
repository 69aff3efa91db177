// The report list view: columns and items from the program reach the
// window, clicks on headers and rows raise the events, custom sorting is
// stable, and custom-drawn sub-item colours appear when it is painted.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/stdctrls/listview.h"
#include "stdctrls_test_util.h"

namespace fw {

class TStdListForm : public TForm {
  FW_CLASS(TStdListForm, TForm)
  explicit TStdListForm(TComponent* AOwner) : TForm(AOwner) {}
  TListView* ListView = nullptr;
  std::vector<std::string> log;
  double threshold = 90;

  void ListViewColumnClick(TObject*, TListColumn* Column) {
    log.push_back("column " + std::to_string(Column->Index()));
  }
  void ListViewClick(TObject*) { log.push_back("click"); }
  void ListViewSelectItem(TObject*, TListItem* Item, bool Selected) {
    log.push_back(std::string(Selected ? "select " : "unselect ") + StringToUtf8(Item ? Item->Caption() : u"-"));
  }
  // The score column in red and bold from the threshold on.
  void ListViewCustomDrawSubItem(TCustomListView* Sender, TListItem* Item, int SubItem, TCustomDrawState,
                                 bool& DefaultDraw) {
    DefaultDraw = true;
    if (SubItem != 1) return;
    double score = std::atof(StringToUtf8(Item->SubItems()->Strings(0)).c_str());
    if (score >= threshold) {
      Sender->Canvas()->Font()->SetColor(clRed);
      Sender->Canvas()->Font()->SetStyle(TFontStyles{fsBold});
    }
  }
};

FW_REGISTER(TStdListForm) {
  c.Field(u"ListView", &TStdListForm::ListView);
  c.Method(u"ListViewColumnClick", &TStdListForm::ListViewColumnClick);
  c.Method(u"ListViewClick", &TStdListForm::ListViewClick);
  c.Method(u"ListViewSelectItem", &TStdListForm::ListViewSelectItem);
  c.Method(u"ListViewCustomDrawSubItem", &TStdListForm::ListViewCustomDrawSubItem);
}

}  // namespace fw

using namespace fw;

namespace {

const char16_t* kListForm =
    u"object StdList: TStdListForm\n"
    u"  Width = 520\n  Height = 300\n  Color = clBtnFace\n"
    u"  object ListView: TListView\n"
    u"    Left = 0\n    Top = 0\n    Width = 500\n    Height = 250\n"
    u"    Columns = <\n"
    u"      item\n        Caption = 'Font name'\n        Width = 250\n      end\n"
    u"      item\n        Caption = 'Match (%)'\n        Width = 80\n      end\n"
    u"      item\n        AutoSize = True\n        Caption = 'File Path'\n      end>\n"
    u"    MultiSelect = True\n    ReadOnly = True\n    RowSelect = True\n    ViewStyle = vsReport\n"
    u"    OnClick = ListViewClick\n    OnColumnClick = ListViewColumnClick\n"
    u"    OnCustomDrawSubItem = ListViewCustomDrawSubItem\n    OnSelectItem = ListViewSelectItem\n"
    u"  end\n"
    u"end\n";

struct ListFixture : ::testing::Test {
  fwtest::DescribedForm<TStdListForm> f{kListForm};
  TListView* lv = nullptr;
  void SetUp() override { lv = f->ListView; }
  TListItem* AddFont(const char16_t* name, const char16_t* score, const char16_t* path) {
    TListItem* item = lv->Items()->Add();
    item->SetCaption(name);
    item->SubItems()->Add(score);
    item->SubItems()->Add(path);
    return item;
  }
  std::string WindowItemText(int item, int sub) {
    wchar_t buf[260] = {};
    LVITEMW it{};
    it.iSubItem = sub;
    it.pszText = buf;
    it.cchTextMax = 260;
    SendMessageW(lv->Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
    return StringToUtf8(FromW(buf));
  }
  std::vector<std::string> WindowCaptions() {
    std::vector<std::string> out;
    int n = static_cast<int>(SendMessageW(lv->Handle(), LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) out.push_back(WindowItemText(i, 0));
    return out;
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> out;
    for (int i = 0; i < lv->Items()->Count(); ++i) out.push_back(StringToUtf8(lv->Items()->Item(i)->Caption()));
    return out;
  }
  HWND Header() { return reinterpret_cast<HWND>(SendMessageW(lv->Handle(), LVM_GETHEADER, 0, 0)); }
};

// The score order of the result list: numbers compared, Data is the
// direction (-1 best first).
int CompareScores(TListItem* a, TListItem* b, LPARAM data) {
  double x = std::atof(StringToUtf8(a->SubItems()->Strings(0)).c_str());
  double y = std::atof(StringToUtf8(b->SubItems()->Strings(0)).c_str());
  if (x > y) return static_cast<int>(data);
  if (x < y) return -static_cast<int>(data);
  return 0;
}

TEST_F(ListFixture, DescriptionSetsReportViewOptionsAndColumns) {
  HWND h = lv->Handle();
  EXPECT_EQ(fwtest::ClassNameOf(h), "TListView");
  EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(fwtest::HasStyle(h, LVS_SINGLESEL)) << "multi-select";
  EXPECT_FALSE(fwtest::HasStyle(h, LVS_EDITLABELS)) << "read-only";
  EXPECT_TRUE(SendMessageW(h, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
  ASSERT_EQ(SendMessageW(Header(), HDM_GETITEMCOUNT, 0, 0), 3);
  const char* captions[] = {"Font name", "Match (%)", "File Path"};
  for (int i = 0; i < 3; ++i) {
    wchar_t buf[64] = {};
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT;
    col.pszText = buf;
    col.cchTextMax = 64;
    SendMessageW(h, LVM_GETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
    EXPECT_EQ(StringToUtf8(FromW(buf)), captions[i]);
  }
  EXPECT_EQ(SendMessageW(h, LVM_GETCOLUMNWIDTH, 0, 0), 250);
  EXPECT_EQ(SendMessageW(h, LVM_GETCOLUMNWIDTH, 1, 0), 80);
  EXPECT_EQ(SendMessageW(h, LVM_GETCOLUMNWIDTH, 2, 0), lv->ClientWidth() - 330) << "the path column fills the rest";
  lv->SetWidth(600);
  EXPECT_EQ(lv->Column(2)->Width(), lv->ClientWidth() - 330) << "and follows the width";
}

TEST_F(ListFixture, ItemsAndSubItemsAreWhatTheWindowShows) {
  int data = 7;
  TListItem* arial = AddFont(u"Arial", u"92.000000", u"System font");
  arial->SetData(&data);
  AddFont(u"Courier", u"40.5", u"C:\\fonts\\cour.ttf");
  EXPECT_EQ(SendMessageW(lv->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(WindowItemText(0, 0), "Arial");
  EXPECT_EQ(WindowItemText(0, 1), "92.000000");
  EXPECT_EQ(WindowItemText(1, 2), "C:\\fonts\\cour.ttf");
  arial->SubItems()->SetStrings(0, u"93");
  arial->SetCaption(u"Arial Bold");
  EXPECT_EQ(WindowItemText(0, 1), "93");
  EXPECT_EQ(WindowItemText(0, 0), "Arial Bold");
  EXPECT_EQ(lv->Items()->Item(0)->Data(), &data);
  // A new window (view style changed and back) shows the same items with
  // their selection.
  arial->SetSelected(true);
  lv->SetViewStyle(vsList);
  lv->SetViewStyle(vsReport);
  EXPECT_EQ(WindowItemText(1, 0), "Courier");
  EXPECT_EQ(WindowItemText(1, 2), "C:\\fonts\\cour.ttf");
  EXPECT_EQ(lv->Selected(), arial);
  EXPECT_EQ(lv->Column(0)->Width(), 250);
  lv->Items()->Delete(0);
  EXPECT_EQ(WindowCaptions(), (std::vector<std::string>{"Courier"}));
}

TEST_F(ListFixture, CustomSortByANumericKeyIsCorrectAndStable) {
  const char16_t* scores[][2] = {{u"A", u"87.5"}, {u"B", u"92"}, {u"C", u"87.5"}, {u"D", u"50"}, {u"E", u"92"}};
  int tags[5];
  for (int i = 0; i < 5; ++i) {
    tags[i] = i;
    AddFont(scores[i][0], scores[i][1], u"p")->SetData(&tags[i]);
  }
  lv->Items()->Item(2)->SetSelected(true);  // C
  ASSERT_TRUE(lv->CustomSort(CompareScores, -1));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"B", "E", "A", "C", "D"}));
  EXPECT_EQ(WindowCaptions(), Captions()) << "the window shows the same order";
  EXPECT_EQ(*static_cast<int*>(lv->Items()->Item(3)->Data()), 2) << "data travels with its item";
  EXPECT_EQ(lv->Selected()->Caption(), u"C") << "selection travels with its item";
  ASSERT_TRUE(lv->CustomSort(CompareScores, 1));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"D", "A", "C", "B", "E"}));
  EXPECT_EQ(WindowCaptions(), Captions());

  // Many equal keys: the same result as a stable sort of the same list.
  lv->Items()->Clear();
  std::vector<std::pair<int, std::string>> expected;
  // Inside an update bracket: a visible list under Wine repaints at every
  // insertion otherwise.
  lv->Items()->BeginUpdate();
  for (int i = 0; i < 300; ++i) {
    int key = (i * 37) % 11;
    String name = u"n" + IntToStr(i);
    AddFont(name.c_str(), IntToStr(key).c_str(), u"p");
    expected.emplace_back(key, StringToUtf8(name));
  }
  lv->Items()->EndUpdate();
  lv->CustomSort(CompareScores, -1);
  std::stable_sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.first > b.first; });
  std::vector<std::string> names;
  for (auto& e : expected) names.push_back(e.second);
  EXPECT_EQ(Captions(), names);
  EXPECT_EQ(WindowCaptions(), names);
}

TEST_F(ListFixture, SortWithoutAWindowAndByOnCompare) {
  TListView* hidden = new TListView(f.form);  // never gets a window
  struct Cmp {
    void Compare(TObject*, TListItem* a, TListItem* b, int data, int& result) {
      result = data * AnsiCompareStr(a->Caption(), b->Caption());
    }
  } cmp;
  hidden->OnCompare = TLVCompareEvent(&cmp, &Cmp::Compare);
  for (const char16_t* s : {u"b", u"c", u"a"}) hidden->Items()->Add()->SetCaption(s);
  ASSERT_TRUE(hidden->CustomSort(nullptr, -1));
  EXPECT_EQ(hidden->Items()->Item(0)->Caption(), u"c");
  EXPECT_EQ(hidden->Items()->Item(2)->Caption(), u"a");
  EXPECT_FALSE(hidden->HandleAllocated());
  // An error in the comparison reaches the caller, and the list stays whole.
  auto failing = [](TListItem*, TListItem*, LPARAM) -> int { throw EConvertError(u"bad score"); };
  AddFont(u"x", u"1", u"p");
  AddFont(u"y", u"2", u"p");
  EXPECT_THROW(lv->CustomSort(failing, 0), EConvertError);
  EXPECT_EQ(lv->Items()->Count(), 2);
  EXPECT_EQ(SendMessageW(lv->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(ListFixture, HeaderClickRaisesOnColumnClickWithTheColumn) {
  AddFont(u"Arial", u"90", u"p");
  HWND header = Header();
  RECT r{};
  SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  fwtest::ClickAt(header, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  fwtest::ClickAt(header, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  EXPECT_EQ(f->log, (std::vector<std::string>{"column 1", "column 2"}));
}

TEST_F(ListFixture, RowClickSelectsTheItemAndRaisesTheEvents) {
  AddFont(u"Arial", u"90", u"p");
  AddFont(u"Times", u"80", u"p");
  TRect r = lv->Items()->Item(1)->DisplayRect();
  ASSERT_GT(r.Height(), 0);
  fwtest::ClickAt(lv->Handle(), r.Left + 20, (r.Top + r.Bottom) / 2);
  EXPECT_EQ(lv->Selected(), lv->Items()->Item(1));
  EXPECT_EQ(lv->ItemIndex(), 1);
  EXPECT_EQ(lv->GetItemAt(r.Left + 20, r.Top + 1), lv->Items()->Item(1));
  ASSERT_FALSE(f->log.empty());
  EXPECT_EQ(f->log.front(), "select Times");
  EXPECT_EQ(f->log.back(), "click");
}

TEST_F(ListFixture, MultiSelectionSelectAllAndDeleteSelected) {
  for (const char16_t* s : {u"a", u"b", u"c", u"d"}) AddFont(s, u"1", u"p");
  lv->SelectAll();
  EXPECT_EQ(lv->SelCount(), 4);
  lv->Items()->Item(1)->SetSelected(false);
  lv->DeleteSelected();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"b"}));
  EXPECT_EQ(WindowCaptions(), Captions());
  lv->ClearSelection();
  EXPECT_EQ(lv->Selected(), nullptr);
}

TEST_F(ListFixture, CustomDrawnSubItemColoursAppearInAPaintToCapture) {
  AddFont(u"High", u"95", u"path one");
  AddFont(u"Low", u"60", u"path two");
  AddFont(u"Edge", u"90", u"path three");
  auto bmp = fwtest::Capture(lv);
  auto rowRect = [&](int i, int left, int right) {
    TRect r = lv->Items()->Item(i)->DisplayRect();
    // DisplayRect is in client coordinates; the capture has the border.
    int off = (lv->Width() - lv->ClientWidth()) / 2;
    return Rect(left + off, r.Top + off, right + off, r.Bottom + off);
  };
  TRect score0 = rowRect(0, 250, 330), score1 = rowRect(1, 250, 330), score2 = rowRect(2, 250, 330);
  EXPECT_GT(fwtest::CountColor(bmp.get(), clRed, score0), 5) << "95 is drawn in red";
  EXPECT_EQ(fwtest::CountColor(bmp.get(), clRed, score1), 0) << "60 is not";
  EXPECT_GT(fwtest::CountColor(bmp.get(), clRed, score2), 5) << "the threshold itself is";
  EXPECT_EQ(fwtest::CountColor(bmp.get(), clRed, rowRect(0, 0, 250)), 0) << "the name column keeps its colour";
  EXPECT_EQ(fwtest::CountColor(bmp.get(), clRed, rowRect(0, 332, 480)), 0) << "and so does the path column";
  EXPECT_GT(fwtest::CountColor(bmp.get(), ColorToRGB(clWindowText), rowRect(0, 332, 480)), 5);
  // The font the handler chose is used: the same score in bold covers
  // more pixels than in the list's own font.
  TColor back = ColorToRGB(clWindow);
  auto ink = [&](TBitmap* b) {
    return score0.Width() * score0.Height() - fwtest::CountColor(b, back, score0);
  };
  f->threshold = 1000;
  auto plain = fwtest::Capture(lv);
  f->threshold = 0;
  auto bold = fwtest::Capture(lv);
  EXPECT_GT(ink(bold.get()), ink(plain.get()) + ink(plain.get()) / 5);
}

}  // namespace
