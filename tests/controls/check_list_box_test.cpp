// The check list box: the horizontal extent that follows the widest item,
// bulk check and selection operations, DeleteSelected, GetChecked, the
// searches, the saved item list (round trip, bytes, damaged lists) and its
// pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"
#include "check_list_box_util.h"
#include "controls/views/ckchecklistbox.h"
#include "controls/views/ckitemssearchs.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "scenarios/screenshot_png.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;

namespace {

struct BoxForm : cktest::CheckListForm {
  void Fill(std::initializer_list<const char16_t*> Texts) {
    for (const char16_t* t : Texts) box->Items()->Add(t);
  }
  int Extent() const { return static_cast<int>(SendMessageW(box->Handle(), LB_GETHORIZONTALEXTENT, 0, 0)); }
  int WidthOf(const String& Text) {
    TCanvas* c = box->Canvas();
    c->SetFont(box->Font());
    return c->TextWidth(Text + u" ") + box->CheckWidth();
  }
};

std::vector<uint8_t> BytesOf(TMemoryStream& S) {
  auto* p = static_cast<const uint8_t*>(S.Memory());
  return std::vector<uint8_t>(p, p + S.Size());
}

}  // namespace

TEST(CheckListBox, HorizontalExtentFollowsTheWidestItem) {
  BoxForm f;
  f.box->Items()->Add(u"C:");
  EXPECT_EQ(f.Extent(), f.WidthOf(u"C:"));
  f.Fill({u"D: a much wider drive name", u"E:"});
  int wide = f.WidthOf(u"D: a much wider drive name");
  EXPECT_EQ(f.box->MaxWidth(), wide);
  EXPECT_EQ(f.Extent(), wide);
  f.box->Items()->Delete(2);  // not the widest
  EXPECT_EQ(f.Extent(), wide);
  f.box->Items()->Insert(0, u"F: wider still than the one before it");
  EXPECT_EQ(f.Extent(), f.WidthOf(u"F: wider still than the one before it"));
  f.box->Items()->Delete(0);  // the widest: computed again
  EXPECT_EQ(f.Extent(), wide);
  f.box->Items()->Delete(1);
  EXPECT_EQ(f.Extent(), f.WidthOf(u"C:"));
  f.box->Items()->Clear();
  EXPECT_EQ(f.Extent(), 0);
  // A new font measures every item again.
  f.Fill({u"Arial bold"});
  f.box->Font()->SetName(u"Arial");
  f.box->Font()->SetHeight(-13);
  f.box->Font()->SetStyle(TFontStyles{fsBold});
  fwtest::Pump();
  EXPECT_EQ(f.Extent(), f.WidthOf(u"Arial bold"));
}

TEST(CheckListBox, CheckAndSelectionOperations) {
  BoxForm f;
  f.Fill({u"a", u"b", u"c"});
  f.box->SetChecked(1, true);
  f.box->InvertCheck();
  EXPECT_TRUE(f.box->Checked(0));
  EXPECT_FALSE(f.box->Checked(1));
  f.box->CheckAll();
  EXPECT_EQ(f.box->GetUnChecked()->Count(), 0);
  f.box->UnCheckAll();
  EXPECT_EQ(f.box->GetChecked()->Count(), 0);
  // Without MultiSelect the selection operations do nothing.
  f.box->SetItemIndex(1);
  f.box->SelectAll();
  EXPECT_EQ(f.box->SelCount(), 1);
  f.box->SetMultiSelect(true);
  f.box->SelectAll();
  EXPECT_EQ(f.box->SelCount(), 3);
  f.box->SetSelected(0, false);
  f.box->InvertSelection();
  EXPECT_TRUE(f.box->Selected(0));
  EXPECT_FALSE(f.box->Selected(2));
  f.box->UnselectAll();
  EXPECT_EQ(f.box->SelCount(), 0);
}

TEST(CheckListBox, GetCheckedKeepsTextsAndObjectsInOrder) {
  BoxForm f;
  TObject one, three;
  f.box->Items()->AddObject(u"one", &one);
  f.box->Items()->Add(u"two");
  f.box->Items()->AddObject(u"three", &three);
  f.box->SetChecked(0, true);
  f.box->SetChecked(2, true);
  auto checked = f.box->GetChecked();
  ASSERT_EQ(checked->Count(), 2);
  EXPECT_EQ(checked->Get(0), u"one");
  EXPECT_EQ(checked->GetObject(0), &one);
  EXPECT_EQ(checked->Get(1), u"three");
  EXPECT_EQ(checked->GetObject(1), &three);
  auto unchecked = f.box->GetUnChecked();
  ASSERT_EQ(unchecked->Count(), 1);
  EXPECT_EQ(unchecked->Get(0), u"two");
}

TEST(CheckListBox, DeleteSelected) {
  BoxForm f;
  f.Fill({u"a", u"b", u"c"});
  f.box->SetItemIndex(0);
  f.box->DeleteSelected();
  EXPECT_EQ(f.Texts(), (std::vector<std::string>{"b", "c"}));
  EXPECT_EQ(f.box->ItemIndex(), 0);
  f.box->SetItemIndex(1);
  f.box->DeleteSelected();
  EXPECT_EQ(f.Texts(), std::vector<std::string>{"b"});
  EXPECT_EQ(f.box->ItemIndex(), 0);
  f.box->Items()->Clear();
  f.Fill({u"a", u"b", u"c", u"d"});
  f.box->SetMultiSelect(true);
  f.box->SetSelected(1, true);
  f.box->SetSelected(3, true);
  f.box->DeleteSelected();
  EXPECT_EQ(f.Texts(), (std::vector<std::string>{"a", "c"}));
}

struct SearchCase {
  const char* name;
  int (*search)(TStrings*, const String&, bool, int);
  const char16_t* value;
  bool caseSensitive;
  int start;
  int expected;
};

const SearchCase kSearchCases[] = {
    {"exact ignoring case", &TCkItemsSearchs::SearchExactString, u"drive c:", false, -1, 1},
    {"exact with case", &TCkItemsSearchs::SearchExactString, u"drive c:", true, -1, -1},
    {"exact wraps around", &TCkItemsSearchs::SearchExactString, u"Drive C:", true, 3, 1},
    {"exact after the start", &TCkItemsSearchs::SearchExactString, u"Fonts", true, 0, 3},
    {"exact before the start after wrapping", &TCkItemsSearchs::SearchExactString, u"Fonts", true, 3, 0},
    {"exact start beyond the list", &TCkItemsSearchs::SearchExactString, u"Fonts", true, 9, 0},
    {"exact accented ignoring case", &TCkItemsSearchs::SearchExactString, u"ÉCRAN", false, -1, 4},
    {"prefix", &TCkItemsSearchs::SearchPrefix, u"dri", false, -1, 1},
    {"prefix with case", &TCkItemsSearchs::SearchPrefix, u"dri", true, -1, -1},
    {"prefix empty", &TCkItemsSearchs::SearchPrefix, u"", false, -1, -1},
    {"substring", &TCkItemsSearchs::SearchSubString, u"VE D", false, -1, 2},
    {"substring empty", &TCkItemsSearchs::SearchSubString, u"", false, -1, -1},
    {"substring none", &TCkItemsSearchs::SearchSubString, u"xyz", false, -1, -1},
};

class CheckListSearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(CheckListSearch, FindsTheFirstMatchInSearchOrder) {
  const SearchCase& c = GetParam();
  TStringList items;
  for (const char16_t* s : {u"Fonts", u"Drive C:", u"Drive D:", u"Fonts", u"écran"}) items.Add(s);
  EXPECT_EQ(c.search(&items, c.value, c.caseSensitive, c.start), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckListSearch, ::testing::ValuesIn(kSearchCases), cktest::CaseName());

TEST(CheckListBox, SearchesOverItemsAndDeleteExactString) {
  BoxForm f;
  f.Fill({u"Fonts", u"fonts", u"Drive", u"FONTS"});
  EXPECT_EQ(f.box->SearchExactString(u"FONTS", true), 3);
  EXPECT_EQ(f.box->SearchPrefix(u"dr", false), 2);
  EXPECT_EQ(f.box->SearchSubString(u"ONT", true), 3);
  EXPECT_EQ(f.box->DeleteExactString(u"fonts", false, true), 1);
  EXPECT_EQ(f.Texts(), (std::vector<std::string>{"Fonts", "Drive", "FONTS"}));
  EXPECT_EQ(f.box->DeleteExactString(u"fonts", true, false), 2);
  EXPECT_EQ(f.Texts(), std::vector<std::string>{"Drive"});
}

TEST(CheckListBox, SavedItemListBytesAndRoundTrip) {
  BoxForm f;
  f.Fill({u"C:", u"", u"Шрифты"});
  f.box->SetChecked(0, true);
  f.box->SetChecked(2, true);
  TMemoryStream stream;
  f.box->SaveToStream(stream);
  std::vector<uint8_t> bytes = BytesOf(stream);
  const std::vector<uint8_t> head = {1, 0, 0, 0, 2, 0, 0, 0, 'C', ':', 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 12, 0, 0, 0};
  ASSERT_EQ(bytes.size(), head.size() + 12);
  EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin())) << "an empty text is an 8-byte record";

  BoxForm g;
  g.Fill({u"old"});
  stream.SetPosition(0);
  g.box->LoadFromStream(stream);
  EXPECT_EQ(g.Texts(), (std::vector<std::string>{"C:", "", StringToUtf8(u"Шрифты")}));
  EXPECT_TRUE(g.box->Checked(0));
  EXPECT_FALSE(g.box->Checked(1));
  EXPECT_TRUE(g.box->Checked(2));

  // Any non-zero check byte is checked.
  TMemoryStream odd;
  const uint8_t record[] = {7, 9, 9, 9, 1, 0, 0, 0, 'x'};
  odd.WriteBuffer(record, sizeof(record));
  odd.SetPosition(0);
  g.box->LoadFromStream(odd);
  EXPECT_EQ(g.Texts(), std::vector<std::string>{"x"});
  EXPECT_TRUE(g.box->Checked(0));
}

struct DamageCase {
  const char* name;
  std::vector<uint8_t> bytes;
};

const DamageCase kDamageCases[] = {
    {"text past the end", {1, 0, 0, 0, 2, 0, 0, 0, 'C', ':', 0, 0, 0, 0, 50, 0, 0, 0, 'x'}},
    {"negative length", {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'}},
    {"a partial header left", {1, 0, 0, 0, 1, 0, 0, 0, 'A', 0, 0, 0}},
};

class CheckListDamaged : public ::testing::TestWithParam<DamageCase> {};

TEST_P(CheckListDamaged, IsRefusedAndTheItemsStay) {
  BoxForm f;
  f.Fill({u"keep", u"me"});
  f.box->SetChecked(1, true);
  TMemoryStream stream;
  const DamageCase& c = GetParam();
  stream.WriteBuffer(c.bytes.data(), static_cast<int64_t>(c.bytes.size()));
  stream.SetPosition(0);
  EXPECT_THROW(f.box->LoadFromStream(stream), EReadError);
  EXPECT_EQ(f.Texts(), (std::vector<std::string>{"keep", "me"}));
  EXPECT_TRUE(f.box->Checked(1));
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckListDamaged, ::testing::ValuesIn(kDamageCases), cktest::CaseName());

TEST(CheckListBox, FilesRoundTrip) {
  BoxForm f;
  f.Fill({u"C:", u"D:"});
  f.box->SetChecked(1, true);
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  String path = FromW(dir) + u"ck_checklist_" + IntToStr(static_cast<int>(GetCurrentProcessId())) + u".dat";
  f.box->SaveToFile(path);
  BoxForm g;
  g.box->LoadFromFile(path);
  DeleteFileW(W(path));
  EXPECT_EQ(g.Texts(), (std::vector<std::string>{"C:", "D:"}));
  EXPECT_TRUE(g.box->Checked(1));
  EXPECT_THROW(g.box->LoadFromFile(path), EFOpenError);
}

TEST(CheckListBox, HotTrackIsFlatAtRestAndEventsAndScreenshot) {
  BoxForm f;
  EXPECT_TRUE(f.box->Ctl3D());
  f.box->SetHotTrack(true);
  EXPECT_FALSE(f.box->Ctl3D());
  EXPECT_EQ(GetWindowLongW(f.box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  f.box->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_TRUE(f.box->Ctl3D());
  f.box->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(f.box->Ctl3D());

  xptest::Calls moved, vscroll;
  f.box->OnSelectCancel = moved.Event();
  f.box->OnVerticalScroll = vscroll.Event();
  f.box->SetLeft(12);
  EXPECT_EQ(moved.n, 1);
  SendMessageW(f.box->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(vscroll.n, 1);

  int drawn = 0;
  struct Drawing {
    int* n;
    void Draw(TWinControl*, int, const TRect&, TOwnerDrawState) { ++*n; }
  } drawing{&drawn};
  f.box->OnItemDrawing = TDrawItemEvent(&drawing, &Drawing::Draw);
  f.box->SetHotTrack(false);
  f.box->SetCtl3D(true);
  f.Fill({u"C: (system)", u"D: (fonts)", u"E: (removable disk with a long name)"});
  f.box->SetChecked(1, true);
  f.box->SetItemIndex(1);
  xptest::Snapshot shot(f.box);
  EXPECT_GE(drawn, 3);
  // The window with its frame and scroll bar, as the system prints it.
  TBitmap whole;
  whole.SetPixelFormat(pf24bit);
  whole.SetSize(f.box->Width(), f.box->Height());
  PrintWindow(f.box->Handle(), whole.Canvas()->Handle(), 0);
  EXPECT_TRUE(scenarios::SavePng(&whole, scenarios::ScreenshotPath("check_list_box.png")));
}

TEST(CheckListBox, FormDescription) {
  RegisterCheckListBoxClasses();
  fwtest::TestForm form;
  ReadRootComponent(form.form,
                    u"object Builder: TForm\n"
                    u"  object Listbox: TCkCheckListBox\n    Left = 8\n    Top = 8\n    Width = 120\n"
                    u"    Height = 80\n    Ctl3D = False\n    HorScrollbar = False\n    HotTrack = True\n  end\n"
                    u"end\n",
                    u"Builder.form");
  auto* box = dynamic_cast<TCkCheckListBox*>(form->FindComponent(u"Listbox"));
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(box->Ctl3D());
  EXPECT_FALSE(box->HorScrollbar());
  EXPECT_TRUE(box->HotTrack());
  EXPECT_EQ(GetWindowLongW(box->Handle(), GWL_STYLE) & WS_HSCROLL, 0);
}
