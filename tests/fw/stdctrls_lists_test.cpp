// List boxes (standard, owner-drawn, multi-column, check list), combo boxes
// and radio groups: items reach the windows, item rectangles follow the
// layout, and clicks, keys and checks raise the events.
#include <gtest/gtest.h>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/stdctrls/combobox.h"
#include "fw/stdctrls/groupbox.h"
#include "fw/stdctrls/listbox.h"
#include "stdctrls_test_util.h"

namespace fw {

class TStdListsForm : public TForm {
  FW_CLASS(TStdListsForm, TForm)
  explicit TStdListsForm(TComponent* AOwner) : TForm(AOwner) {}
  std::vector<std::string> log;
  std::vector<std::pair<int, TRect>> drawn;
  void Note(TObject* Sender, const std::string& what) {
    log.push_back(StringToUtf8(static_cast<TComponent*>(Sender)->Name()) + " " + what);
  }
  void AnyClick(TObject* Sender) { Note(Sender, "click"); }
  void AnyChange(TObject* Sender) { Note(Sender, "change"); }
  void AnySelect(TObject* Sender) { Note(Sender, "select"); }
  void AnyClickCheck(TObject* Sender) { Note(Sender, "check"); }
  // Selected items blue, the others yellow.
  void fontboxDrawItem(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State) {
    drawn.emplace_back(Index, Rect);
    auto* lb = static_cast<TListBox*>(Control);
    lb->Canvas()->Brush()->SetColor(State.Contains(odSelected) ? clBlue : clYellow);
    lb->Canvas()->FillRect(Rect);
  }
  void fontboxMeasureItem(TWinControl*, int Index, int& Height) { Height = 20 + 5 * Index; }
};

FW_REGISTER(TStdListsForm) {
  c.Method(u"AnyClick", &TStdListsForm::AnyClick);
  c.Method(u"AnyChange", &TStdListsForm::AnyChange);
  c.Method(u"AnySelect", &TStdListsForm::AnySelect);
  c.Method(u"AnyClickCheck", &TStdListsForm::AnyClickCheck);
  c.Method(u"fontboxDrawItem", &TStdListsForm::fontboxDrawItem);
  c.Method(u"fontboxMeasureItem", &TStdListsForm::fontboxMeasureItem);
}

}  // namespace fw

using namespace fw;

namespace {

const char16_t* kListsForm =
    u"object StdLists: TStdListsForm\n"
    u"  Width = 700\n  Height = 500\n  Color = clBtnFace\n"
    u"  object names: TListBox\n"
    u"    Left = 8\n    Top = 8\n    Width = 150\n    Height = 100\n"
    u"    Items.Strings = (\n      'pear'\n      'apple'\n      'fig')\n"
    u"    MultiSelect = True\n    Sorted = True\n    OnClick = AnyClick\n"
    u"  end\n"
    u"  object fontbox: TListBox\n"
    u"    Left = 170\n    Top = 8\n    Width = 304\n    Height = 164\n    BorderStyle = bsNone\n"
    u"    Color = clWhite\n    Columns = 3\n    ItemHeight = 40\n    MultiSelect = True\n"
    u"    Style = lbOwnerDrawFixed\n"
    u"    OnClick = AnyClick\n    OnDrawItem = fontboxDrawItem\n    OnMeasureItem = fontboxMeasureItem\n"
    u"  end\n"
    u"  object Listbox: TCheckListBox\n"
    u"    Left = 8\n    Top = 200\n    Width = 150\n    Height = 100\n"
    u"    Items.Strings = (\n      'C: (System)'\n      'D: (Data)'\n      'E: (Disc)')\n"
    u"    OnClickCheck = AnyClickCheck\n"
    u"  end\n"
    u"  object cbstyle: TComboBox\n"
    u"    Left = 170\n    Top = 200\n    Style = csDropDownList\n    ItemIndex = 1\n"
    u"    Items.Strings = (\n      'Regular'\n      'Bold'\n      'Italic')\n"
    u"    OnChange = AnyChange\n    OnClick = AnyClick\n"
    u"  end\n"
    u"  object cbname: TComboBox\n"
    u"    Left = 170\n    Top = 240\n    Text = 'Arial'\n"
    u"    Items.Strings = (\n      'Arial'\n      'Courier')\n"
    u"    OnChange = AnyChange\n    OnSelect = AnySelect\n"
    u"  end\n"
    u"  object rgresize: TRadioGroup\n"
    u"    Left = 330\n    Top = 200\n    Width = 300\n    Height = 120\n"
    u"    Caption = 'Resize automatic'\n    Columns = 2\n    ItemIndex = 2\n"
    u"    Items.Strings = (\n      '70 x 70 pixels'\n      '80 x 80 pixels'\n      '90 x 80 pixels'\n"
    u"      '100 x 80 pixels')\n"
    u"    OnClick = AnyClick\n"
    u"  end\n"
    u"end\n";

struct ListsFixture : ::testing::Test {
  fwtest::DescribedForm<TStdListsForm> f{kListsForm};
  std::string LbText(HWND h, int i) {
    wchar_t buf[128] = {};
    SendMessageW(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    return StringToUtf8(FromW(buf));
  }
};

TEST_F(ListsFixture, SortedMultiSelectListShowsItsItemsInOrder) {
  auto* lb = f.Find<TListBox>(u"names");
  HWND h = lb->Handle();
  EXPECT_EQ(fwtest::ClassNameOf(h), "TListBox");
  ASSERT_EQ(SendMessageW(h, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(LbText(h, 0), "apple");
  EXPECT_EQ(LbText(h, 2), "pear");
  EXPECT_TRUE(fwtest::HasStyle(h, LBS_EXTENDEDSEL));
  int kiwi = 42;
  lb->Items()->AddObject(u"kiwi", reinterpret_cast<TObject*>(&kiwi));
  EXPECT_EQ(LbText(h, 2), "kiwi") << "a sorted list puts a new item in its place";
  EXPECT_EQ(lb->Items()->Objects(2), reinterpret_cast<TObject*>(&kiwi));
  lb->SetSelected(0, true);
  lb->SetSelected(3, true);
  EXPECT_EQ(lb->SelCount(), 2);
  // A new window keeps items, objects and selection.
  lb->SetExtendedSelect(false);
  EXPECT_EQ(SendMessageW(lb->Handle(), LB_GETCOUNT, 0, 0), 4);
  EXPECT_TRUE(lb->Selected(3));
  EXPECT_EQ(lb->Items()->Objects(2), reinterpret_cast<TObject*>(&kiwi));
  lb->DeleteSelected();
  EXPECT_EQ(lb->Items()->CommaText(), u"fig,kiwi");
}

TEST_F(ListsFixture, OwnerDrawnMultiColumnItemsLieInColumnsAndDrawTheirSelection) {
  auto* lb = f.Find<TListBox>(u"fontbox");
  for (int i = 0; i < 10; ++i) lb->Items()->Add(u"C:\\fonts\\font" + IntToStr(i) + u".ttf");
  HWND h = lb->Handle();
  EXPECT_TRUE(fwtest::HasStyle(h, LBS_MULTICOLUMN | LBS_OWNERDRAWFIXED));
  int columnWidth = lb->ClientWidth() / 3;
  int perColumn = lb->ClientHeight() / 40;
  ASSERT_GT(perColumn, 0);
  for (int i = 0; i < 10; ++i) {
    int col = i / perColumn, row = i % perColumn;
    EXPECT_EQ(lb->ItemRect(i), Bounds(col * columnWidth, row * 40, columnWidth, 40)) << i;
  }
  // A click selects the item under it; a Ctrl click adds another.
  TRect r4 = lb->ItemRect(4);
  fwtest::ClickAt(h, r4.Left + 5, r4.Top + 5);
  EXPECT_TRUE(lb->Selected(4));
  EXPECT_EQ(lb->SelCount(), 1);
  TRect r1 = lb->ItemRect(1);
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(r1.Left + 5, r1.Top + 5));
  SendMessageW(h, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(r1.Left + 5, r1.Top + 5));
  EXPECT_TRUE(lb->Selected(1));
  EXPECT_TRUE(lb->Selected(4));
  EXPECT_EQ(lb->ItemAtPos(TPoint{r1.Left + 5, r1.Top + 5}, true), 1);
  EXPECT_EQ(f->log, (std::vector<std::string>{"fontbox click", "fontbox click"}));
  // What OnDrawItem drew: the item rectangles, selected ones in blue.
  f->drawn.clear();
  auto bmp = fwtest::Capture(lb);
  ASSERT_FALSE(f->drawn.empty());
  for (auto& [index, rect] : f->drawn) EXPECT_EQ(rect, lb->ItemRect(index)) << index;
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), r4.Left + 10, r4.Top + 10), clBlue);
  TRect r0 = lb->ItemRect(0);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), r0.Left + 10, r0.Top + 10), clYellow);
}

TEST_F(ListsFixture, SwitchingToOneVariableHeightColumnKeepsTheItemsAndMeasuresThem) {
  auto* lb = f.Find<TListBox>(u"fontbox");
  for (int i = 0; i < 4; ++i) lb->Items()->Add(u"f" + IntToStr(i));
  lb->SetColumns(0);
  lb->SetStyle(lbOwnerDrawVariable);
  lb->SetItemHeight(15);
  // The items are put back so that each is measured again.
  TStringList saved;
  saved.Assign(lb->Items());
  lb->Items()->Clear();
  lb->Items()->Assign(&saved);
  EXPECT_FALSE(fwtest::HasStyle(lb->Handle(), LBS_MULTICOLUMN));
  EXPECT_TRUE(fwtest::HasStyle(lb->Handle(), LBS_OWNERDRAWVARIABLE));
  int top = 0;
  for (int i = 0; i < 4; ++i) {
    TRect r = lb->ItemRect(i);
    EXPECT_EQ(r.Top, top) << i;
    EXPECT_EQ(r.Height(), 20 + 5 * i) << i;
    EXPECT_EQ(r.Width(), lb->ClientWidth());
    top += r.Height();
  }
}

TEST_F(ListsFixture, CheckListBoxTogglesOnTheBoxAndSpaceButNotOnTheText) {
  auto* cl = f.Find<TCheckListBox>(u"Listbox");
  cl->SetChecked(0, true);
  EXPECT_TRUE(f->log.empty()) << "the program's change is no click";
  HWND h = cl->Handle();
  EXPECT_EQ(fwtest::ClassNameOf(h), "TCheckListBox");
  TRect r1 = cl->ItemRect(1);
  fwtest::ClickAt(h, r1.Left + cl->CheckWidth() / 2, r1.Top + r1.Height() / 2);
  EXPECT_TRUE(cl->Checked(1));
  fwtest::ClickAt(h, r1.Left + cl->CheckWidth() + 20, r1.Top + r1.Height() / 2);
  EXPECT_TRUE(cl->Checked(1)) << "a click on the text only selects";
  EXPECT_EQ(cl->ItemIndex(), 1);
  SendMessageW(h, WM_CHAR, ' ', 1);
  EXPECT_FALSE(cl->Checked(1));
  cl->SetItemEnabled(2, false);
  TRect r2 = cl->ItemRect(2);
  fwtest::ClickAt(h, r2.Left + cl->CheckWidth() / 2, r2.Top + r2.Height() / 2);
  EXPECT_FALSE(cl->Checked(2)) << "a disabled item keeps its check";
  EXPECT_EQ(f->log, (std::vector<std::string>{"Listbox check", "Listbox check"}));
  EXPECT_TRUE(cl->Checked(0));
  // Checks travel with their items.
  cl->Items()->Insert(0, u"A: (Floppy)");
  EXPECT_TRUE(cl->Checked(1));
  EXPECT_FALSE(cl->Checked(0));
  // Drawn: a checked box shows its mark (dark pixels in the box area).
  auto bmp = fwtest::Capture(cl);
  TRect box = cl->ItemRect(1);
  int off = (cl->Width() - cl->ClientWidth()) / 2;
  EXPECT_GT(fwtest::CountColor(bmp.get(), 0, Rect(box.Left + off, box.Top + off, box.Left + off + cl->CheckWidth(),
                                                  box.Bottom + off)),
            3);
}

TEST_F(ListsFixture, ComboBoxesTakeTheirItemsIndexAndTextAndReportChoices) {
  auto* style = f.Find<TComboBox>(u"cbstyle");
  HWND h = style->Handle();
  EXPECT_EQ(fwtest::ClassNameOf(h), "TComboBox");
  EXPECT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), 1) << "the index named before the items";
  EXPECT_EQ(fwtest::WindowText(h), "Bold");
  EXPECT_TRUE(fwtest::HasStyle(h, CBS_DROPDOWNLIST));
  EXPECT_LT(style->Height(), 40) << "the closed height, not the height with the list open";
  SendMessageW(h, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(style->ItemIndex(), 2);
  EXPECT_EQ(style->Text(), u"Italic");
  auto* name = f.Find<TComboBox>(u"cbname");
  EXPECT_EQ(fwtest::WindowText(name->Handle()), "Arial");
  HWND edit = GetWindow(name->Handle(), GW_CHILD);
  ASSERT_NE(edit, nullptr);
  SendMessageW(edit, EM_SETSEL, 5, 5);
  SendMessageW(edit, WM_CHAR, 'X', 1);
  EXPECT_EQ(name->Text(), u"ArialX");
  SendMessageW(name->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(f->log, (std::vector<std::string>{"cbstyle click", "cbstyle change", "cbname change", "cbname select"}));
}

TEST_F(ListsFixture, RadioGroupMakesItsButtonsInColumnsAndReportsTheChosenOne) {
  auto* rg = f.Find<TRadioGroup>(u"rgresize");
  ASSERT_EQ(rg->ButtonCount(), 4);
  EXPECT_TRUE(rg->Buttons(2)->Checked());
  EXPECT_EQ(SendMessageW(rg->Buttons(2)->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(fwtest::WindowText(rg->Buttons(3)->Handle()), "100 x 80 pixels");
  EXPECT_EQ(rg->Buttons(0)->Left(), rg->Buttons(1)->Left()) << "two per column";
  EXPECT_GT(rg->Buttons(2)->Left(), rg->Buttons(0)->Left() + 100);
  EXPECT_EQ(rg->Buttons(2)->Top(), rg->Buttons(0)->Top());
  EXPECT_GT(rg->Buttons(0)->Top(), 5) << "below the caption";
  SendMessageW(rg->Buttons(0)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(rg->ItemIndex(), 0);
  EXPECT_FALSE(rg->Buttons(2)->Checked());
  rg->SetItemIndex(3);
  EXPECT_TRUE(rg->Buttons(3)->Checked());
  EXPECT_EQ(f->log, (std::vector<std::string>{"rgresize click", "rgresize click"}));
  rg->Items()->Delete(3);
  EXPECT_EQ(rg->ButtonCount(), 3);
  EXPECT_EQ(rg->ItemIndex(), 2) << "an index past the items moves back";
  rg->Items()->BeginUpdate();
  rg->Items()->Add(u"Rectangle");
  rg->Items()->Add(u"FreeHand");
  rg->Items()->EndUpdate();
  ASSERT_EQ(rg->ButtonCount(), 5) << "the buttons follow an update bracket's end";
  EXPECT_EQ(rg->Buttons(4)->Caption(), u"FreeHand");
}

}  // namespace
