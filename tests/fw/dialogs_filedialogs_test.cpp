#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>

#include "fw/core/rtti.h"
#include "fw/dialogs/dialogs.h"
#include "fw/dialogs_driver.h"
#include "fw/platform_test_folder.h"

namespace fw {
namespace {

using testing::DialogDriver;
using testing::TestFolder;
using testing::WriteTextFile;

// Types a name into the file dialog's name field.
void TypeFileName(HWND frame, const String& name) {
  HWND field = GetDlgItem(frame, cmb13);
  if (!field) field = GetDlgItem(frame, edt1);
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(name)));
}

// Chooses the filter by its 0-based position in the file-type box.
void ChooseFilter(HWND frame, int index) {
  HWND box = GetDlgItem(frame, cmb1);
  SendMessageW(box, CB_SETCURSEL, index, 0);
  SendMessageW(frame, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(box));
}

String FilterItem(HWND frame, int index) {
  wchar_t text[256] = {};
  SendMessageW(GetDlgItem(frame, cmb1), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return FromW(text);
}

// Records the show and close events of a dialog.
struct Events {
  TCommonDialog* dialog = nullptr;
  HWND shownHandle = nullptr;
  HWND shownParent = nullptr;
  int shows = 0, closes = 0;
  bool handleAtClose = true;
  void Show(TObject*) {
    ++shows;
    shownHandle = dialog->Handle();
    shownParent = GetParent(shownHandle);
  }
  void Close(TObject*) {
    ++closes;
    handleAtClose = dialog->Handle() != nullptr;
  }
  void Attach(TCommonDialog& d) {
    dialog = &d;
    d.FOnShow = TNotifyEvent(this, &Events::Show);
    d.FOnClose = TNotifyEvent(this, &Events::Close);
  }
};

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteTextFile(dir / u"a.txt", "a");
    WriteTextFile(dir / u"b.txt", "b");
    WriteTextFile(dir / u"c.bmp", "c");
  }
  TestFolder dir{"filedlg"};
};

TEST_F(FileDialogTest, OpenShowsFilterTitleAndReturnsTheChosenFile) {
  TOpenDialog dlg(nullptr);
  dlg.SetTitle(u"Open sample image");
  dlg.SetFilter(u"Text file(*.txt)|*.txt|Bitmap Image(*.bmp)|*.bmp");
  dlg.SetInitialDir(dir.Path());
  dlg.SetOptions(dlg.Options() + TOpenOptions{ofFileMustExist});
  Events events;
  events.Attach(dlg);
  HWND frame = nullptr;
  String title, firstFilter, secondFilter;
  DialogDriver driver({[&](HWND dlgWnd) {
    frame = dlgWnd;
    title = DialogDriver::TextOf(dlgWnd);
    firstFilter = FilterItem(dlgWnd, 0);
    secondFilter = FilterItem(dlgWnd, 1);
    ChooseFilter(dlgWnd, 1);
    TypeFileName(dlgWnd, u"c.bmp");
    DialogDriver::Press(dlgWnd, IDOK);
  }});
  ASSERT_TRUE(dlg.Execute());
  driver.Join();
  EXPECT_EQ(title, u"Open sample image");
  EXPECT_EQ(firstFilter, u"Text file(*.txt)");
  EXPECT_EQ(secondFilter, u"Bitmap Image(*.bmp)");
  EXPECT_EQ(dlg.FileName(), dir / u"c.bmp");
  EXPECT_EQ(dlg.Files()->Count(), 1);
  EXPECT_EQ(dlg.FilterIndex(), 2);
  // OnShow came with the hook window, a child of the visible frame; OnClose
  // after the dialog was gone.
  EXPECT_EQ(events.shows, 1);
  ASSERT_NE(events.shownHandle, nullptr);
  EXPECT_EQ(events.shownParent, frame);
  EXPECT_EQ(events.closes, 1);
  EXPECT_FALSE(events.handleAtClose);
  EXPECT_EQ(dlg.Handle(), nullptr);
}

TEST_F(FileDialogTest, MultiSelectGivesEveryChosenFile) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter(u"Text file(*.txt)|*.txt");
  dlg.SetInitialDir(dir.Path());
  dlg.SetOptions(dlg.Options() + TOpenOptions{ofAllowMultiSelect, ofFileMustExist});
  DialogDriver driver({[&](HWND dlgWnd) {
    TypeFileName(dlgWnd, u"\"a.txt\" \"b.txt\"");
    DialogDriver::Press(dlgWnd, IDOK);
  }});
  ASSERT_TRUE(dlg.Execute());
  driver.Join();
  ASSERT_EQ(dlg.Files()->Count(), 2);
  EXPECT_EQ(dlg.Files()->Get(0), dir / u"a.txt");
  EXPECT_EQ(dlg.Files()->Get(1), dir / u"b.txt");
  EXPECT_EQ(dlg.FileName(), dir / u"a.txt");
}

TEST_F(FileDialogTest, CancelAnswersFalseAndStillCloses) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter(u"Text file(*.txt)|*.txt");
  dlg.SetInitialDir(dir.Path());
  dlg.SetFileName(u"kept.txt");
  Events events;
  events.Attach(dlg);
  DialogDriver driver({[&](HWND dlgWnd) { DialogDriver::Press(dlgWnd, IDCANCEL); }});
  EXPECT_FALSE(dlg.Execute());
  driver.Join();
  EXPECT_EQ(dlg.FileName(), u"kept.txt");
  EXPECT_EQ(events.shows, 1);
  EXPECT_EQ(events.closes, 1);
}

TEST_F(FileDialogTest, SaveAddsTheDefaultExtensionWrittenWithWildcard) {
  TSaveDialog dlg(nullptr);
  dlg.SetTitle(u"Save filtered fonts list");
  dlg.SetFilter(u"Text file(*.txt)|*.txt");
  dlg.SetDefaultExt(u"*.txt");
  dlg.SetInitialDir(dir.Path());
  dlg.SetOptions(dlg.Options() + TOpenOptions{ofOverwritePrompt});
  DialogDriver driver({[&](HWND dlgWnd) {
    TypeFileName(dlgWnd, u"fonts");
    DialogDriver::Press(dlgWnd, IDOK);
  }});
  ASSERT_TRUE(dlg.Execute());
  driver.Join();
  EXPECT_EQ(dlg.FileName(), dir / u"fonts.txt");
}

TEST_F(FileDialogTest, SaveOverExistingFileAsksFirst) {
  TSaveDialog dlg(nullptr);
  dlg.SetFilter(u"Text file(*.txt)|*.txt");
  dlg.SetDefaultExt(u"txt");
  dlg.SetInitialDir(dir.Path());
  dlg.SetOptions(dlg.Options() + TOpenOptions{ofOverwritePrompt});
  String question;
  DialogDriver driver({[&](HWND dlgWnd) {
                         TypeFileName(dlgWnd, u"a.txt");
                         DialogDriver::Press(dlgWnd, IDOK);
                       },
                       [&](HWND prompt) {
                         question = DialogDriver::ChildTexts(prompt);
                         DialogDriver::Press(prompt, IDYES);
                       }});
  ASSERT_TRUE(dlg.Execute());
  driver.Join();
  EXPECT_EQ(driver.StepsDone(), 2);
  EXPECT_NE(question.find(u"replace it?"), String::npos);
  EXPECT_EQ(dlg.FileName(), dir / u"a.txt");
}

TEST(ColorDialog, KeepsColourAndCustomColours) {
  TColorDialog dlg(nullptr);
  dlg.SetColor(0x123456);
  dlg.CustomColors()->Add(u"ColorA=ABCDEF");
  Events events;
  events.Attach(dlg);
  DialogDriver driver({[&](HWND dlgWnd) { DialogDriver::Press(dlgWnd, IDOK); }});
  ASSERT_TRUE(dlg.Execute());
  driver.Join();
  EXPECT_EQ(dlg.Color(), 0x123456);
  EXPECT_EQ(dlg.CustomColors()->Values(u"ColorA"), u"ABCDEF");
  EXPECT_EQ(dlg.CustomColors()->Values(u"ColorP"), u"FFFFFF");
  EXPECT_EQ(events.shows, 1);
  EXPECT_EQ(events.closes, 1);
}

TEST(FileDialogs, PublishedPropertiesSetByName) {
  TSaveDialog dlg(nullptr);
  EXPECT_EQ(GetSetProp(&dlg, u"Options"), u"[ofHideReadOnly, ofEnableSizing]");
  SetPropValue(&dlg, u"Filter", u"Bitmap Image(*.bmp)|*.bmp");
  SetPropValue(&dlg, u"DefaultExt", u"*.bmp");
  SetSetProp(&dlg, u"Options", u"[ofOverwritePrompt, ofHideReadOnly]");
  EXPECT_EQ(dlg.Filter(), u"Bitmap Image(*.bmp)|*.bmp");
  EXPECT_TRUE(dlg.Options().Contains(ofOverwritePrompt));
  EXPECT_FALSE(dlg.Options().Contains(ofEnableSizing));
  EXPECT_EQ(GetPropValue(&dlg, u"FilterIndex").AsOrdinal(), 1);
  ASSERT_NE(GetClass(u"TOpenDialog"), nullptr);
  ASSERT_NE(GetClass(u"TColorDialog"), nullptr);
}

}  // namespace
}  // namespace fw
