// The main window's shell: creation with the font database and the stored
// sample text, first show, the close question of the multi-font page, closing
// and destruction, the wizard's page flow and buttons, the status bar, the
// web pages of the help menu and the key filter of the spin edits.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/font_folders.h"
#include "app/glyph_isolation.h"
#include "app/image_form.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_utils.h"
#include "fw/controls_test_util.h"
#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs_driver.h"
#include "fw/platform/files.h"
#include "fw/system/application.h"
#include "fw/system/wndregistry.h"
#include "main_window_util.h"

using namespace app;
using fw::testing::DialogDriver;

namespace {

using FormPtr = std::unique_ptr<TImageForm, apptest::FormDeleter>;

// A main window read from its description, not the application's main form
// (closing it hides it instead of ending the test's message loop).
FormPtr NewImageForm(bool show = true) {
  apptest::InitialiseProgramUnits();
  FormPtr f(fw::NewForm<TImageForm>(nullptr));
  f->SetPosition(fw::poDesigned);
  if (show) {
    f->Show();
    fwtest::Pump();
  }
  return f;
}

struct MainWindow : ::testing::Test {
  apptest::AppDataFolder appData{"image_form"};
  apptest::SampleTextKeeper keep;
};

ck::TCkWizardButtonSet ShownButtons(TImageForm* f) {
  ck::TCkWizardButtonSet shown;
  for (int k = 0; k < ck::WizardButtonKindCount; ++k) {
    auto kind = static_cast<ck::TCkWizardButtonKind>(k);
    if (f->Wizard->ButtonControl(kind)->Visible()) shown.Include(kind);
  }
  return shown;
}

void Press(TImageForm* f, ck::TCkWizardButtonKind kind) {
  SendMessageW(f->Wizard->ButtonControl(kind)->Handle(), BM_CLICK, 0, 0);
  fwtest::Pump();
}

std::vector<fw::String> gOpenedPages;
void RecordPage(const fw::String& url) { gOpenedPages.push_back(url); }

}  // namespace

TEST(SampleText, RoundTripsThroughTheRegistryAndAnEmptyOrMissingValueReadsAsTheDefault) {
  apptest::SampleTextKeeper keep;
  struct Case {
    const char16_t* written;
    const char16_t* read;
  } cases[] = {
      {u"Hello w\u00f6rld 123", u"Hello w\u00f6rld 123"},
      {u" ", u" "},
      {u"", u"SAMPLE abcd"},
  };
  for (const Case& c : cases) {
    WriteSampleText(c.written);
    EXPECT_EQ(apptest::SampleTextKeeper::Stored(), c.written);
    EXPECT_EQ(ReadSampleText(), c.read) << fw::StringToUtf8(c.written);
  }
  fw::TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kSampleTextKey, true));
  reg.DeleteValue(kSampleTextValue);
  EXPECT_EQ(ReadSampleText(), u"SAMPLE abcd");
  reg.WriteInteger(kSampleTextValue, 7);  // not a string
  EXPECT_EQ(ReadSampleText(), u"SAMPLE abcd");
}

TEST_F(MainWindow, CreationOpensTheDatabaseShowsTheStoredSampleTextAndSetsItsStartValues) {
  apptest::SampleTextKeeper::Store(u"Stored text");
  {
    FormPtr f = NewImageForm();
    EXPECT_EQ(f->edsample->Text(), u"Stored text");
    // "CBase.DAT" is created empty in a Data folder made for it.
    EXPECT_TRUE(f->DatabaseOpen());
    EXPECT_TRUE(fw::FileExists(appData.DatabaseFile()));
    EXPECT_EQ(f->Database().CompFile.FileSize(), 0);

    EXPECT_EQ(f->FWhiteback, 255);
    EXPECT_TRUE(f->DoubleBuffered());
    EXPECT_EQ(f->fsamplename, u"Arial");
    EXPECT_EQ(f->NameSortOrder, -1);
    EXPECT_EQ(f->SizeSortOrder, -1);
    EXPECT_EQ(f->Search().SearchRunning, 0);
    EXPECT_EQ(f->Engine().CalibratedSize(), 1.0);
    EXPECT_EQ(f->PreviewFontColor, 0x000000);
    EXPECT_EQ(f->PreviewBackColor, 0xFFFFFF);
    ASSERT_NE(f->SampleCopy, nullptr);
    EXPECT_EQ(f->SampleCopy->Width(), 70);
    EXPECT_EQ(f->SampleCopy->PixelFormat(), fw::pf24bit);
    EXPECT_EQ(f->Engine().CompareBitmap()->Width(), 70);
    EXPECT_EQ(f->Engine().CompareBitmap()->Height(), 70);
    EXPECT_EQ(f->sampleimage->Width(), 70);
    EXPECT_EQ(f->secodepoint->MinValue(), 33);
    EXPECT_EQ(f->secodepoint->MaxValue(), 100000);
    EXPECT_EQ(f->secodepoint->Value(), 65);
    EXPECT_EQ(OsPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(f->imagedlg->InitialDir(), appData.Path() + u"\\Okrabel\\Vestaline\\samples\\");
    EXPECT_EQ(f->Search().Options().Folder, SystemFontsFolder());
    EXPECT_EQ(f->Wizard->ActivePage(), f->MainPanel);

    // The status bar: three panels, the gauge hidden over the second.
    ASSERT_EQ(f->StatusBar1->Panels()->Count(), 3);
    EXPECT_EQ(f->StatusBar1->Panels()->Items(0)->Width(), 100);
    EXPECT_EQ(f->StatusBar1->Panels()->Items(1)->Width(), 150);
    EXPECT_EQ(f->StatusBar1->Panels()->Items(2)->Width(), 300);
    ASSERT_NE(f->Gauge1, nullptr);
    EXPECT_EQ(f->Gauge1->Parent(), f->StatusBar1);
    EXPECT_EQ(f->Gauge1->Owner(), f->StatusBar1);
    EXPECT_FALSE(f->Gauge1->Visible());
    EXPECT_EQ(f->Gauge1->Left(), 100);
    EXPECT_EQ(f->Gauge1->Top(), 4);
    EXPECT_EQ(f->Gauge1->Width(), 145);
    EXPECT_EQ(f->Gauge1->Height(), f->StatusBar1->Height() - 6);
  }
  // Destroyed: the database is closed (its work bitmaps and lists went with
  // the window).
  EXPECT_TRUE(DeleteFileW(W(appData.DatabaseFile())));
}

TEST_F(MainWindow, SettingsStorageReadsTheIniFileOfTheApplicationDataFolderAndWritesItWhenTheWindowGoes) {
  const fw::String folder = appData.Path() + u"\\Okrabel\\Vestaline";
  const fw::String ini = folder + u"\\vestaline.ini";
  ASSERT_TRUE(fw::ForceDirectories(folder));
  const std::string stored = "[Probe]\r\nk=stored\r\n";
  fw::WriteFileBytes(ini, std::vector<uint8_t>(stored.begin(), stored.end()));
  {
    FormPtr f = NewImageForm(false);
    services::TCkAppIniFileStorage* s = f->AppInistorage;
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->FullFileName(), ini);
    EXPECT_EQ(s->Location(), services::flCustom);
    EXPECT_EQ(s->DefaultSection(), u"MainForm");
    EXPECT_TRUE(s->FlushOnDestroy());
    EXPECT_FALSE(s->AutoFlush());
    EXPECT_EQ(s->StorageOptions()->BooleanStringTrueValues(), u"TRUE, YES, Y");
    EXPECT_EQ(s->StorageOptions()->BooleanStringFalseValues(), u"FALSE, NO, N");
    ASSERT_EQ(s->SubStorages()->Count(), 1);
    EXPECT_EQ(s->SubStorages()->Items(0)->RootPath(), u"");
    EXPECT_EQ(s->SubStorages()->Items(0)->AppStorage(), nullptr);
    EXPECT_EQ(s->ReadString(u"Probe\\k", u""), u"stored");
    s->WriteString(u"Probe\\k", u"changed");
    ASSERT_NE(f->CkAppStorage1, nullptr);
    EXPECT_EQ(f->CkAppStorage1->SubStorages()->Count(), 0);
    EXPECT_THROW(f->CkAppStorage1->ReadString(u"x", u""), services::ECKAppStorageError);
  }
  // A window that never showed leaves its stored values alone: it writes
  // only its form version.
  const std::vector<uint8_t> written = fw::ReadFileBytes(ini);
  EXPECT_EQ(std::string(written.begin(), written.end()),
            "[Probe]\r\nk=changed\r\n\r\n[ImageForm]\r\nFormVersion=0\r\n\r\n");
}

TEST_F(MainWindow, ADatabaseThatCannotBeOpenedIsReportedAndTheWindowStillWorks) {
  // A folder where the file should be: it can be neither opened nor made.
  ASSERT_TRUE(fw::ForceDirectories(appData.DatabaseFile()));
  fw::String message;
  FormPtr f;
  {
    DialogDriver driver({[&](HWND dialog) {
      message = DialogDriver::ChildTexts(dialog);
      DialogDriver::Press(dialog, IDOK);
    }});
    f = NewImageForm();
    driver.Join();
    EXPECT_EQ(driver.StepsDone(), 1);
  }
  EXPECT_NE(message.find(u"cannot be opened"), fw::String::npos) << fw::StringToUtf8(message);
  EXPECT_NE(message.find(u"CBase.DAT"), fw::String::npos);
  EXPECT_FALSE(f->DatabaseOpen());
  EXPECT_TRUE(f->Visible());
  Press(f.get(), ck::bkNext);
  EXPECT_EQ(f->Wizard->ActivePage(), f->ImageLoad);
  f.reset();
  RemoveDirectoryW(W(appData.DatabaseFile()));
}

TEST_F(MainWindow, EachPageShowsItsButtonsAndTheButtonsMoveAsThePagesSay) {
  FormPtr f = NewImageForm();
  using ck::bkBack, ck::bkFinish, ck::bkNext;
  EXPECT_EQ(ShownButtons(f.get()), (ck::TCkWizardButtonSet{bkNext}));

  Press(f.get(), bkNext);
  EXPECT_EQ(f->Wizard->ActivePage(), f->ImageLoad);
  EXPECT_EQ(ShownButtons(f.get()), (ck::TCkWizardButtonSet{bkBack, bkNext}));

  // Next builds the sample from the modified image, saved in the crop
  // folder first.
  fw::testing::TestFolder crops("page_flow_crops");
  SetCropFolderForTests(crops.Path() + u"\\");
  fw::TBitmap glyph;
  glyph.SetPixelFormat(fw::pf24bit);
  glyph.SetSize(30, 20);
  glyph.Canvas()->Brush()->SetColor(fw::clBlack);
  glyph.Canvas()->FillRect(fw::Rect(0, 0, 30, 20));
  f->ImageModified->Picture()->SetBitmap(&glyph);
  Press(f.get(), bkNext);
  SetCropFolderForTests(fw::String());
  EXPECT_EQ(f->Wizard->ActivePage(), f->Run);
  EXPECT_EQ(ShownButtons(f.get()), (ck::TCkWizardButtonSet{bkBack}));
  // The search page names the sample's size in its frame.
  f->Run->Repaint();
  EXPECT_EQ(f->gbsamplechar->Caption(), u"Size: 30 x 20");

  // Back from the search page stops the colour picker.
  f->PickTmr->SetEnabled(true);
  Press(f.get(), bkBack);
  EXPECT_EQ(f->Wizard->ActivePage(), f->ImageLoad);
  EXPECT_FALSE(f->PickTmr->Enabled());

  // The multi-font page: Back and "Main page"; the latter leads to the
  // image page and clears the time of the last search.
  f->Wizard->SetActivePageIndex(kPageMultipreview);
  fwtest::Pump();
  EXPECT_EQ(ShownButtons(f.get()), (ck::TCkWizardButtonSet{bkBack, bkFinish}));
  EXPECT_EQ(f->Wizard->ButtonControl(bkFinish)->Caption(), u"Main page");
  f->SetStatusText(1, u"00:00:01.250");
  Press(f.get(), bkFinish);
  EXPECT_EQ(f->Wizard->ActivePage(), f->ImageLoad);
  EXPECT_EQ(f->StatusText(1), u"");

  f->Wizard->SetActivePageIndex(kPageMultipreview);
  Press(f.get(), bkBack);
  EXPECT_EQ(f->Wizard->ActivePage(), f->Run);
}

TEST_F(MainWindow, ClosingAsksOnlyOnTheMultiFontPageAndNoReturnsToTheImagePage) {
  // Pages that close without a question.
  {
    DialogDriver unexpected({[](HWND dialog) { DialogDriver::Press(dialog, IDYES); }});
    for (int page : {kPageMain, kPageImageLoad, kPageRun}) {
      FormPtr f = NewImageForm();
      f->Wizard->SetActivePageIndex(page);
      f->edsample->SetText(u"closed from page " + fw::IntToStr(page));
      f->Close();
      EXPECT_FALSE(f->Visible()) << page;
      EXPECT_EQ(apptest::SampleTextKeeper::Stored(), f->edsample->Text());
    }
    unexpected.Join();
    EXPECT_EQ(unexpected.StepsDone(), 0) << "a question was asked";
  }
  // The multi-font page: No keeps the window, Yes closes it.
  struct Case {
    int answer;
    bool closes;
  } cases[] = {{IDNO, false}, {IDYES, true}};
  for (const Case& c : cases) {
    apptest::SampleTextKeeper::Store(u"before");
    FormPtr f = NewImageForm();
    f->Wizard->SetActivePageIndex(kPageMultipreview);
    f->SetStatusText(1, u"12 font file(s)");
    f->edsample->SetText(u"typed");
    fw::String question;
    DialogDriver driver({[&](HWND dialog) {
      question = DialogDriver::ChildTexts(dialog);
      DialogDriver::Press(dialog, c.answer);
    }});
    f->Close();
    driver.Join();
    EXPECT_EQ(driver.StepsDone(), 1);
    EXPECT_NE(question.find(u"Would you like to close the program?"), fw::String::npos);
    EXPECT_EQ(f->Visible(), !c.closes);
    if (c.closes) {
      EXPECT_EQ(apptest::SampleTextKeeper::Stored(), u"typed");
    } else {
      EXPECT_EQ(f->Wizard->ActivePage(), f->ImageLoad);
      EXPECT_EQ(f->StatusText(1), u"");
      EXPECT_EQ(apptest::SampleTextKeeper::Stored(), u"before");
    }
  }
}

TEST_F(MainWindow, ClosingStopsARunningSearch) {
  FormPtr f = NewImageForm();
  f->Search().SearchRunning = 1;
  f->Close();
  EXPECT_EQ(f->Search().SearchRunning, 0);
}

TEST_F(MainWindow, FirstShowSkipsTheIntroductionWhenAskedAndWatchesForABrokenDatabaseBuild) {
  const fw::String marker = CrashMarkerFileName();
  DeleteFileW(W(marker));
  {
    FormPtr f = NewImageForm(false);
    f->cbcheckshow->SetChecked(true);
    f->Show();
    fwtest::Pump();
    EXPECT_EQ(f->Wizard->ActivePage(), f->ImageLoad);
    EXPECT_FALSE(f->timerdatabaseerror->Enabled());
  }
  {
    fw::testing::WriteTextFile(marker, "C:\\fonts\\broken.ttf\r\n");
    FormPtr f = NewImageForm();
    // The check mark was kept in the settings file when the first window went.
    EXPECT_TRUE(f->cbcheckshow->Checked());
    EXPECT_EQ(f->Wizard->ActivePage(), f->ImageLoad);
    EXPECT_TRUE(f->timerdatabaseerror->Enabled());
    EXPECT_EQ(f->timerdatabaseerror->Interval(), 2000u);
    DeleteFileW(W(marker));
  }
}

TEST_F(MainWindow, HelpMenuAndTheLinkOpenTheirWebPages) {
  FormPtr f = NewImageForm();
  gOpenedPages.clear();
  SetOpenWebPageProc(RecordPage);
  for (const char16_t* item : {u"WhatTheFont1", u"Identifont1", u"Searchbysight1", u"Demo1Grabcharacterfromimage1",
                               u"Demo2Adjustcolorrange1"}) {
    auto* mi = dynamic_cast<fw::TMenuItem*>(f->FindComponent(item));
    ASSERT_NE(mi, nullptr) << fw::StringToUtf8(item);
    mi->Click();
  }
  f->Label8->Click();
  SetOpenWebPageProc(nullptr);
  EXPECT_EQ(gOpenedPages, (std::vector<fw::String>{kWhatTheFontUrl, kIdentifontUrl, kSearchBySightUrl, kDemo1Url,
                                                   kDemo2Url, kHomeUrl}));

  // The link underlines itself and changes colour under the mouse.
  f->Label8->OnMouseEnter(f->Label8);
  EXPECT_EQ(f->Label8->Font()->Color(), 0xFF0000);
  EXPECT_TRUE(f->Label8->Font()->Style().Contains(fw::fsUnderline));
  f->Label8->OnMouseLeave(f->Label8);
  EXPECT_EQ(f->Label8->Font()->Color(), 0x6B675D);
  EXPECT_FALSE(f->Label8->Font()->Style().Contains(fw::fsUnderline));
  f->label24->OnMouseEnter(f->label24);
  EXPECT_EQ(f->label24->Font()->Color(), 0xFF7C35);
}

TEST_F(MainWindow, CodePointAndPercentageTakeOnlyDigitsAndBackspace) {
  FormPtr f = NewImageForm();
  struct Case {
    char16_t key;
    bool kept;
  } cases[] = {{u'0', true}, {u'7', true}, {u'9', true}, {u'\b', true}, {u'a', false},
               {u'-', false}, {u' ', false}, {u'.', false}, {u'\r', false}};
  for (fw::TSpinEdit* edit : {f->secodepoint, f->sepercentage}) {
    for (const Case& c : cases) {
      char16_t key = c.key;
      edit->OnKeyPress(edit, key);
      EXPECT_EQ(key, c.kept ? c.key : u'\0') << fw::StringToUtf8(edit->Name()) << " " << static_cast<int>(c.key);
    }
  }
}

TEST_F(MainWindow, HintsGoToTheLastStatusPanel) {
  FormPtr f = NewImageForm();
  fw::Application->SetHint(u"Open|Open an image file");
  EXPECT_EQ(f->StatusText(2), u"Open an image file");
  fw::Application->SetHint(u"");
  EXPECT_EQ(f->StatusText(2), u"");
}

TEST_F(MainWindow, WindowsFontsListsTheFontsFolderOnTheMultiFontPage) {
  FormPtr f = NewImageForm();
  f->Wizard->SetActivePageIndex(kPageRun);
  auto* item = dynamic_cast<fw::TMenuItem*>(f->FindComponent(u"Windowsfonts1"));
  ASSERT_NE(item, nullptr);
  item->Click();
  fwtest::Pump();
  EXPECT_EQ(f->Wizard->ActivePage(), f->Multipreview);
  EXPECT_TRUE(f->cbfolders->Checked());
  EXPECT_FALSE(f->cbsysytem->Checked());
  EXPECT_FALSE(f->Multipreview->EnabledButtons().Contains(ck::bkBack));
  std::vector<fw::String> files, folders;
  ScanDirectoryfolder(fw::FontsFolder(), files, false, folders);
  ASSERT_EQ(f->fontbox->Items()->Count(), static_cast<int>(files.size()));
  EXPECT_EQ(f->StatusText(1), fw::IntToStr(static_cast<int64_t>(files.size())) + u" font file(s)");
  EXPECT_TRUE(f->picktmr2->Enabled());
}

TEST_F(MainWindow, EveryWindowOfTheFormBelongsToAControl) {
  FormPtr f = NewImageForm();
  for (int page = 0; page < f->Wizard->PageCount(); ++page) {
    f->Wizard->SetActivePageIndex(page);
    fwtest::Pump();
  }
  // A window of one of the framework's classes that is not its control's
  // window would be a second window made for one control.
  struct Walk {
    static BOOL CALLBACK Visit(HWND wnd, LPARAM p) {
      wchar_t cls[128] = {};
      GetClassNameW(wnd, cls, 128);
      fw::TWinControl* control = fw::FindControl(wnd);
      if (cls[0] == L'T' && (!control || control->Handle() != wnd))
        reinterpret_cast<std::vector<std::wstring>*>(p)->push_back(cls);
      return TRUE;
    }
  };
  std::vector<std::wstring> orphans;
  EnumChildWindows(f->Handle(), &Walk::Visit, reinterpret_cast<LPARAM>(&orphans));
  EXPECT_TRUE(orphans.empty()) << orphans.size() << " windows that are not their control's window";
}

TEST_F(MainWindow, EveryControlOfAPageLiesInsideThePageBelowItsHeader) {
  FormPtr f = NewImageForm();
  for (int index = 0; index < f->Wizard->PageCount(); ++index) {
    ck::TCkWizardCustomPage* page = f->Wizard->WizardPages(index);
    const int top = page->Header()->Visible() ? page->Header()->Height() : 0;
    for (int i = 0; i < page->ControlCount(); ++i) {
      fw::TControl* c = page->Controls(i);
      if (!c->Visible()) continue;
      EXPECT_TRUE(c->Left() >= 0 && c->Top() >= top && c->Left() + c->Width() <= page->Width() &&
                  c->Top() + c->Height() <= page->Height())
          << fw::StringToUtf8(page->Name()) << "." << fw::StringToUtf8(c->Name()) << " at " << c->Left() << ","
          << c->Top() << " " << c->Width() << "x" << c->Height() << " in " << page->Width() << "x" << page->Height();
    }
  }
}

TEST_F(MainWindow, StartsWithTheStoredSapphireSkinDesaturated) {
  FormPtr f = NewImageForm(false);
  skin::TkSkinManager* m = f->kSkinManager1;
  ASSERT_NE(m, nullptr);
  EXPECT_TRUE(m->IsDefault());
  EXPECT_TRUE(m->Active());
  EXPECT_EQ(m->SkinName(), u"Sapphire (internal)");
  EXPECT_EQ(m->SkinInfo(), u"8");
  EXPECT_TRUE(m->CommonSkinData().Active);
  EXPECT_TRUE(m->SkinIsPacked);
  EXPECT_EQ(m->Saturation(), -58);
  ASSERT_EQ(m->InternalSkins()->Count(), 2);
  EXPECT_EQ(m->InternalSkins()->Items(0)->FName, u"Topaz (internal)");
  EXPECT_EQ(m->InternalSkins()->Items(1)->FName, u"Sapphire (internal)");
  std::vector<fw::String> names;
  EXPECT_EQ(m->GetSkinNames(names), u"Topaz (internal)");
  EXPECT_EQ(m->Options()->ReadOptimizingPriority(), skin::opMemory);
  EXPECT_EQ(m->MenuSupport()->FIcoLineSkin, u"ICOLINE");
  EXPECT_EQ(m->MenuSupport()->ExtraLineFont()->Height(), -11);
  EXPECT_EQ(m->ThirdLists[0]->Count(), 11);
  EXPECT_EQ(m->ThirdLists[0]->Strings(1), u"TEdit");
  EXPECT_EQ(m->ThirdLists[16]->Strings(1), u"TStatusBar");
  EXPECT_EQ(m->ThirdLists[1]->Text(), u"TButton\r\n");
  // The skin folder is the program's own.
  EXPECT_EQ(m->GetFullSkinDirectory(), skin::AppFolder() + u"Skins");
  m->Options()->WriteOptimizingPriority(skin::opSpeed);
}
