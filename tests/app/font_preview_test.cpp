// The search page's preview of the selected entry and its font-file
// commands, on the main window built from its own form description: the
// preview holds exactly one font file, paints the sample text in the chosen
// colours, and the view and copy commands reach the shell, the folder
// question and the copy window through their replaceable functions.
#include <gtest/gtest.h>

#include "app/font_commands.h"
#include "app/font_loading.h"
#include "app/image_form.h"
#include "app/managedlg.h"
#include "app/result_list_view.h"
#include "font_fixtures.h"
#include "fw/core/sysutils.h"
#include "fw/platform/files.h"
#include "fw/stdctrls_test_util.h"
#include "main_window_util.h"

namespace app {
namespace {

struct TShellCall {
  fw::String File, Parameters;
};
std::vector<TShellCall> gShellCalls;
void RecordShellOpen(HWND, const fw::String& File, const fw::String& Parameters) {
  gShellCalls.push_back({File, Parameters});
}

fw::String gCopyFolder;  // the folder the question answers; empty: cancelled
std::vector<fw::String> gAskedFrom;
bool AnswerCopyFolder(TImageForm*, fw::String& Directory) {
  gAskedFrom.push_back(Directory);
  if (gCopyFolder.empty()) return false;
  Directory = gCopyFolder;
  return true;
}
bool Elevated() { return true; }

// Keys held in this thread's keyboard state while it lives.
class THeldKeys {
 public:
  explicit THeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    memcpy(state, saved_, sizeof state);
    for (int k : keys) state[k] |= 0x80;
    SetKeyboardState(state);
  }
  ~THeldKeys() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256];
};

class ResultPage : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::InitialiseProgramUnits();
    form = fw::NewForm<TImageForm>(nullptr);
    form->SetPosition(fw::poDesigned);
    ASSERT_NE(form->ListView, nullptr);
    managedlg = fw::NewForm<Tmanagedlg>(nullptr);
    form->Wizard->SetActivePageIndex(kPageRun);
    form->Show();
    fwtest::Pump();
    gShellCalls.clear();
    gAskedFrom.clear();
    gCopyFolder.clear();
    SetShellOpenProc(RecordShellOpen);
    SetBrowseCopyFolderProc(AnswerCopyFolder);
    SetIsElevatedProc(Elevated);
  }
  void TearDown() override {
    SetShellOpenProc(nullptr);
    SetBrowseCopyFolderProc(nullptr);
    SetIsElevatedProc(nullptr);
    if (form) form->Free();
    if (managedlg) managedlg->Free();
    managedlg = nullptr;
  }
  void UseFolders() {
    form->cbfolders->SetChecked(true);
    fwtest::Pump();
  }
  void AddItem(const fw::String& name, const char16_t* score, const fw::String& path) {
    fw::TListItem* item = form->ListView->Items()->Add();
    item->SetCaption(name);
    item->SubItems()->Add(score);
    item->SubItems()->Add(path);
  }
  void Select(std::initializer_list<int> indexes) {
    form->ListView->ClearSelection();
    for (int i : indexes) form->ListView->Items()->Item(i)->SetSelected(true);
    fwtest::Pump();
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (int i = 0; i < form->ListView->Items()->Count(); ++i)
      out.push_back(fw::StringToUtf8(form->ListView->Items()->Item(i)->Caption()));
    return out;
  }
  void PressIn(fw::TWinControl* control, WORD key, bool ctrl) {
    control->SetFocus();
    fwtest::Pump();
    if (ctrl) {
      THeldKeys keys{VK_CONTROL};
      PostMessageW(control->Handle(), WM_KEYDOWN, key, 1);
      fwtest::Pump(30);
    } else {
      PostMessageW(control->Handle(), WM_KEYDOWN, key, 1);
      fwtest::Pump(30);
    }
  }
  void PressInList(WORD key, bool ctrl) { PressIn(form->ListView, key, ctrl); }

  apptest::AppDataFolder appData{"result_page"};
  apptest::SampleTextKeeper keep;
  TTempDir fonts;
  TImageForm* form = nullptr;
};

TEST_F(ResultPage, ThePreviewHoldsExactlyOneFontFileAndLetsItGoWithTheWindow) {
  // Regular and bold share their family name: they are never neighbours here.
  const char* files[] = {"vltest.ttf", "vlotf.otf", "vltestbd.ttf"};
  for (const char* f : files)
    if (!fixtures::MakeFixture(fonts, f)) GTEST_SKIP() << "font packages missing";
  UseFolders();
  for (const char* f : files) AddItem(fixtures::Wide(fixtures::FixtureFor(f)->Face), u"90.00", fonts.Path(f));

  fw::String lastFace;
  for (int i : {0, 1, 2, 0}) {
    Select({i});
    SCOPED_TRACE(files[i]);
    const fw::String face = form->fsamplename;
    ASSERT_NE(form->PreviewFont(), nullptr);
    EXPECT_EQ(form->PreviewFont()->ResourceName(), fonts.Path(files[i]));
    ASSERT_EQ(form->PreviewFontFiles->Count(), 1);
    EXPECT_EQ(form->PreviewFontFiles->Get(0), fonts.Path(files[i]));
    EXPECT_EQ(face, GetFontFaceName(fonts.Path(files[i])));
    EXPECT_TRUE(FaceIsInstalled(face)) << fw::StringToUtf8(face);
    if (!lastFace.empty()) EXPECT_FALSE(FaceIsInstalled(lastFace)) << "the previous file was let go";
    EXPECT_EQ(form->gbsampletext->Caption(),
              u"Font: " + fixtures::Wide(fixtures::FixtureFor(files[i])->Face) + u"  Size:40");
    lastFace = face;
  }
  form->Free();
  form = nullptr;
  EXPECT_FALSE(FaceIsInstalled(lastFace)) << "the window let its file go";
}

TEST_F(ResultPage, InstalledFontsAndUnloadableFilesLoadNoPreviewFile) {
  if (!fixtures::MakeFixture(fonts, "vltest.ttf")) GTEST_SKIP() << "font packages missing";
  fixtures::WriteGarbage(fonts, "broken.ttf");
  AddItem(u"Arial", u"95.00", kSystemFontPath);
  Select({0});  // source "System"
  EXPECT_EQ(form->fsamplename, u"Arial");
  EXPECT_EQ(form->PreviewFont(), nullptr);
  EXPECT_EQ(form->PreviewFontFiles->Count(), 0);

  UseFolders();  // empties the list
  AddItem(u"Vltest Sans", u"90.00", fonts.Path("vltest.ttf"));
  AddItem(u"Broken", u"80.00", fonts.Path("broken.ttf"));
  Select({0});
  ASSERT_NE(form->PreviewFont(), nullptr);
  Select({1});
  EXPECT_EQ(form->PreviewFont(), nullptr) << "the earlier file is let go before the new one is tried";
  EXPECT_EQ(form->PreviewFontFiles->Count(), 0);
  EXPECT_EQ(form->fsamplename, u"Vltest Sans") << "a file that loads nothing keeps the previous face";
}

TEST_F(ResultPage, PickedColoursSizeAndTextReachThePaintedPreview) {
  form->edsample->SetText(u"HHHH");
  form->fsamplename = u"Arial";
  // The picker's swatch colour is what the image click takes.
  form->MemPix->Canvas()->SetPixel(0, 0, 0xFF0000);
  form->imgcompareMouseDown(form->imgcompare, fw::mbLeft, {}, 1, 1);
  form->MemPix->Canvas()->SetPixel(0, 0, 0x00FFFF);
  form->imgcompareMouseDown(form->imgcompare, fw::mbRight, {}, 1, 1);
  EXPECT_EQ(form->PreviewFontColor, 0xFF0000);
  EXPECT_EQ(form->PreviewBackColor, 0x00FFFF);

  auto textPixels = [&] {
    fwtest::Pump();
    auto bmp = fwtest::Capture(form->gbsampletext);
    fw::TPaintBox* box = form->PaintBox2;
    const fw::TRect area = fw::Rect(box->Left(), box->Top(), box->Left() + box->Width(), box->Top() + box->Height());
    EXPECT_GT(fwtest::CountColor(bmp.get(), 0x00FFFF, area), box->Width() * box->Height() / 2);
    return fwtest::CountColor(bmp.get(), 0xFF0000, area);
  };
  form->tracksample->SetPosition(20);
  form->tracksampleChange(form->tracksample);
  const int small = textPixels();
  form->tracksample->SetPosition(60);
  form->tracksampleChange(form->tracksample);
  const int large = textPixels();
  EXPECT_GT(small, 20);
  EXPECT_GT(large, small * 4) << "three times the size, about nine times the ink";
  form->btnbold->SetDown(true);
  form->btnboldClick(form->btnbold);
  EXPECT_GT(textPixels(), large) << "bold draws more ink";
  EXPECT_EQ(form->PreviewTextW, u"HHHH");
}

TEST_F(ResultPage, TheSizeSliderReselectsTheEntryAndCaptionsItsSize) {
  if (!fixtures::MakeFixture(fonts, "vltest.ttf")) GTEST_SKIP() << "font packages missing";
  UseFolders();
  AddItem(u"Vltest Sans", u"90.00", fonts.Path("vltest.ttf"));
  Select({0});
  form->tracksample->SetPosition(120);
  form->tracksampleChange(form->tracksample);
  EXPECT_EQ(form->gbsampletext->Caption(), u"Font: Vltest Sans  Size:120");
  EXPECT_EQ(form->Search().fname, u"Vltest Sans");
  EXPECT_EQ(form->PreviewFontFiles->Count(), 1);
}

TEST_F(ResultPage, KeysOfTheListSelectAllCopyAndDelete) {
  fw::WriteFileBytes(fonts.Path("a.ttf"), {1});
  fw::WriteFileBytes(fonts.Path("b.ttf"), {2});
  TTempDir target;
  gCopyFolder = target.Path("");
  UseFolders();
  AddItem(u"A", u"95.00", fonts.Path("a.ttf"));
  AddItem(u"B", u"90.00", fonts.Path("b.ttf"));
  AddItem(u"C", u"85.00", fonts.Path("c.ttf"));

  PressInList('A', true);
  EXPECT_EQ(form->ListView->SelCount(), 3);

  Select({0, 1});
  PressInList('C', true);
  ASSERT_EQ(gAskedFrom.size(), 1u) << "Ctrl+C in the list copies the selected files";
  EXPECT_TRUE(fixtures::Exists(target.Path("a.ttf")));
  EXPECT_TRUE(fixtures::Exists(target.Path("b.ttf")));

  Select({1});
  PressInList(VK_DELETE, false);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(form->lbcount->Caption(), u"2");
  EXPECT_TRUE(form->Run->EnabledButtons().Contains(ck::bkNext));
  Select({0, 1});
  PressInList(VK_DELETE, false);
  EXPECT_EQ(form->ListView->Items()->Count(), 0);
  EXPECT_FALSE(form->Run->EnabledButtons().Contains(ck::bkNext)) << "Next only with entries";
}

TEST_F(ResultPage, CopyingTheSelectedEntriesAsksForAFolderAndShowsTheCopyWindow) {
  fw::WriteFileBytes(fonts.Path("a.ttf"), {1});
  fw::WriteFileBytes(fonts.Path("b.otf"), {2});
  fw::WriteFileBytes(fonts.Path("c.ttf"), {3});
  TTempDir target;
  fw::WriteFileBytes(target.Path("c.ttf"), {9});
  UseFolders();
  AddItem(u"A", u"95.00", fonts.Path("a.ttf"));
  AddItem(u"B", u"90.00", fonts.Path("b.otf"));
  AddItem(u"Arial", u"85.00", kSystemFontPath);
  AddItem(u"C", u"80.00", fonts.Path("c.ttf"));
  Select({0, 2, 3});

  form->CkXPBar1Items0Click(form->xppreview);  // cancelled
  EXPECT_FALSE(fixtures::Exists(target.Path("a.ttf")));
  EXPECT_FALSE(managedlg->Visible());

  gCopyFolder = target.Path("");
  managedlg->Button1Click(managedlg->Button1);  // an abort of an earlier copy
  form->CkXPBar1Items0Click(form->xppreview);
  EXPECT_EQ(fixtures::ReadAll(target.Path("a.ttf")), fixtures::Bytes{1});
  EXPECT_FALSE(fixtures::Exists(target.Path("b.otf"))) << "not selected";
  EXPECT_EQ(fixtures::ReadAll(target.Path("c.ttf")), fixtures::Bytes{9}) << "an existing file is kept";
  EXPECT_EQ(managedlg->Caption(), u"Finished!");
  EXPECT_FALSE(managedlg->Visible());
  EXPECT_EQ(managedlg->progres->Max(), 3);
  EXPECT_EQ(managedlg->progres->Position(), 2);

  form->CkXPBar1Items0Click(form->xppreview);
  ASSERT_EQ(gAskedFrom.size(), 3u);
  EXPECT_EQ(gAskedFrom[2], target.Path("")) << "the next question starts at the last folder";
  ASSERT_NE(form->dlgbrowsecopy, nullptr);
  EXPECT_EQ(form->dlgbrowsecopy->Directory(), target.Path("")) << "kept by the folder dialog";
  EXPECT_EQ(form->dlgbrowsecopy->Title(), u"Select folder to copy selected fonts");
}

TEST_F(ResultPage, CopyingFromTheMultiFontListOverwritesAndNeedsAFileSource) {
  fw::WriteFileBytes(fonts.Path("a.ttf"), {1});
  fw::WriteFileBytes(fonts.Path("b.ttf"), {2});
  TTempDir target;
  fw::WriteFileBytes(target.Path("b.ttf"), {9});
  gCopyFolder = target.Path("");
  UseFolders();
  form->Wizard->SetActivePageIndex(kPageMultipreview);
  for (const char* f : {"a.ttf", "b.ttf"}) form->fontbox->Items()->Add(fonts.Path(f));
  form->accopyUpdate(form->accopy);
  EXPECT_FALSE(form->accopy->Enabled()) << "nothing selected";

  PressIn(form->fontbox, 'A', true);
  EXPECT_EQ(form->fontbox->SelCount(), 2) << "Ctrl+A of the list's menu";
  form->accopyUpdate(form->accopy);
  EXPECT_TRUE(form->accopy->Enabled());
  PressIn(form->fontbox, 'C', true);
  ASSERT_EQ(gAskedFrom.size(), 1u) << "Ctrl+C runs the copy action";
  EXPECT_EQ(fixtures::ReadAll(target.Path("a.ttf")), fixtures::Bytes{1});
  EXPECT_EQ(fixtures::ReadAll(target.Path("b.ttf")), fixtures::Bytes{2}) << "overwritten";
  EXPECT_EQ(managedlg->progres->Max(), 1) << "the number of files less one";
  EXPECT_EQ(managedlg->Caption(), u"Finished!");

  form->Wizard->SetActivePageIndex(kPageRun);
  form->accopyUpdate(form->accopy);
  EXPECT_FALSE(form->accopy->Enabled()) << "only on the multi-font page";
}

TEST_F(ResultPage, ViewFontOpensTheSelectedFileInTheFontViewerWhenThereIsOne) {
  TTempDir withViewer, withoutViewer;
  fw::WriteFileBytes(withViewer.Path("FONTVIEW.EXE"), {0});
  const fw::String path = u"C:\\My Fonts\\a.ttf";
  ViewFontFile(nullptr, path, withViewer.Path(""));
  ViewFontFile(nullptr, path, withoutViewer.Path(""));
  ASSERT_EQ(gShellCalls.size(), 2u);
  EXPECT_EQ(gShellCalls[0].File, u"FONTVIEW.EXE");
  EXPECT_EQ(gShellCalls[0].Parameters, u"\"C:\\My Fonts\\a.ttf\"");
  EXPECT_EQ(gShellCalls[1].File, path);
  EXPECT_EQ(gShellCalls[1].Parameters, u"");

  // The window's commands view the selected entry's file.
  gShellCalls.clear();
  AddItem(u"A", u"95.00", path);
  Select({0});
  form->ListViewDblClick(form->ListView);
  EXPECT_TRUE(gShellCalls.empty()) << "a double click views only file entries";
  UseFolders();
  AddItem(u"A", u"95.00", path);
  form->CkXPBar1Items1Click(form->xppreview);
  EXPECT_TRUE(gShellCalls.empty()) << "nothing selected";
  Select({0});
  form->ListViewDblClick(form->ListView);
  form->acviewfont->Execute();
  ASSERT_EQ(gShellCalls.size(), 2u);
  const bool viewer = fw::FileExists(fw::SystemFolder() + u"\\FONTVIEW.EXE");
  EXPECT_EQ(gShellCalls[1].File, viewer ? fw::String(kFontViewer) : path);
}

struct PreviewCommandCase {
  const char* name;
  bool system;
  bool selected;
  bool viewEnabled;
};

class ResultPageCommands : public ResultPage, public ::testing::WithParamInterface<PreviewCommandCase> {};

TEST_P(ResultPageCommands, ViewAndPreviewBarAreOfferedForFileSourcesOnly) {
  const PreviewCommandCase& c = GetParam();
  if (c.system) {
    form->cbsysytem->SetChecked(true);
  } else {
    form->cbfolders->SetChecked(true);
  }
  fwtest::Pump();
  AddItem(u"A", u"95.00", u"C:\\a.ttf");
  if (c.selected) Select({0});
  form->acviewfontUpdate(form->acviewfont);
  EXPECT_EQ(form->label24->Enabled(), c.viewEnabled);
  EXPECT_EQ(form->xppreview->Enabled(), !c.system);
}

INSTANTIATE_TEST_SUITE_P(Cases, ResultPageCommands,
                         ::testing::Values(PreviewCommandCase{"SystemSelected", true, true, false},
                                           PreviewCommandCase{"FileSelected", false, true, true},
                                           PreviewCommandCase{"FileNothingSelected", false, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultPage, ThePreviewBarHoldsItsTwoHiddenItems) {
  ck::TCkXPBar* bar = form->xppreview;
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Caption(), u"Preview");
  EXPECT_EQ(bar->Hint(), u"View font in default font viewer and Copy filtered fonts to selected folder");
  ASSERT_EQ(bar->Items()->Count(), 2);
  EXPECT_EQ(bar->Items()->Items(0)->Caption(), u"Copy selected font(s)");
  EXPECT_EQ(bar->Items()->Items(0)->Hint(), u"Copy selected font(s) to specified folder");
  EXPECT_EQ(bar->Items()->Items(1)->Caption(), u"View font");
  EXPECT_EQ(bar->Items()->Items(1)->Hint(), u"View font in default font viewer");
  EXPECT_FALSE(bar->Items()->Items(0)->Visible());
  EXPECT_FALSE(bar->Items()->Items(1)->Visible());
  EXPECT_FALSE(bar->Enabled()) << "the page starts with the System source";
}

}  // namespace
}  // namespace app
