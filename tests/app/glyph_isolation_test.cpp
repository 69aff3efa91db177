#include "app/glyph_isolation.h"

#include <gtest/gtest.h>

#include "app/core/temp_dir.h"
#include "app/font_folders.h"
#include "fw/core/streams.h"

namespace app {
namespace {

TEST(CropFiles, TheNextNumberFollowsTheFilesAlreadyThereAndSkipsTakenNames) {
  struct Case {
    std::vector<std::string> existing;
    const char* next;
  };
  const Case cases[] = {
      {{}, "imgmod_001.BMP"},
      {{"imgmod_001.BMP", "imgmod_003.BMP"}, "imgmod_004.BMP"},
      {{"imgmod_002.BMP"}, "imgmod_003.BMP"},
      {{"other.txt"}, "imgmod_002.BMP"},
  };
  for (const Case& c : cases) {
    TTempDir dir;
    for (const std::string& f : c.existing) fw::WriteFileBytes(dir.Path(f), {1, 2, 3});
    EXPECT_EQ(NextCropFile(dir.Path(""), u"imgmod"), dir.Path(c.next)) << c.next;
  }
}

TEST(CropFiles, ARunOfFilesCountsOnFromTheNumberLastUsed) {
  // The cropper counts the files once and then goes on from the number it
  // used last, so a free low number is taken before the higher ones.
  struct Case {
    std::vector<std::string> existing;
    std::vector<const char*> written;
  };
  const Case cases[] = {
      {{}, {"imgmod_001.BMP", "imgmod_002.BMP", "imgmod_003.BMP"}},
      {{"imgmod_005.BMP"}, {"imgmod_002.BMP", "imgmod_003.BMP", "imgmod_004.BMP", "imgmod_006.BMP"}},
      {{"imgmod_001.BMP", "imgmod_003.BMP"}, {"imgmod_004.BMP", "imgmod_005.BMP"}},
  };
  for (const Case& c : cases) {
    TTempDir dir;
    for (const std::string& f : c.existing) fw::WriteFileBytes(dir.Path(f), {1, 2, 3});
    int n = CountFilesInFolder(dir.Path(""));
    EXPECT_EQ(n, static_cast<int>(c.existing.size()));
    for (const char* want : c.written) {
      const fw::String name = NextFreeCropFile(dir.Path(""), u"imgmod", n);
      EXPECT_EQ(name, dir.Path(want));
      fw::WriteFileBytes(name, {1});
    }
  }
  EXPECT_EQ(CountFilesInFolder(u"Z:\\no\\such\\folder\\"), 0);
}

TEST(CropFiles, NamesHaveThreeDigitsAtLeastAndTheFolderIsInTheTemporaryFolder) {
  EXPECT_EQ(CropFileName(u"imgmod", 7), u"imgmod_007.BMP");
  EXPECT_EQ(CropFileName(u"imgmod", 1234), u"imgmod_1234.BMP");
  const fw::String folder = CropFolder();
  EXPECT_NE(folder.find(u"\\Tavo_Cropped_3\\"), fw::String::npos);
  EXPECT_EQ(folder.back(), u'\\');
}

}  // namespace
}  // namespace app

// ---- The main window's glyph tools

#include <windows.h>

#include <memory>

#include "app/core/pixel_ops.h"
#include "app/image_form.h"
#include "app/image_page.h"
#include "app/image_routines.h"
#include "fw/controls_test_util.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs_driver.h"
#include "fw/platform/files.h"
#include "fw/platform_test_folder.h"
#include "main_window_util.h"

namespace app {
namespace {

using fw::String;
using fw::testing::DialogDriver;

using FormPtr = std::unique_ptr<TImageForm, apptest::FormDeleter>;

FormPtr NewImageForm() {
  apptest::InitialiseProgramUnits();
  FormPtr f(fw::NewForm<TImageForm>(nullptr));
  f->SetPosition(fw::poDesigned);
  f->Show();
  f->Wizard->SetActivePageIndex(kPageImageLoad);
  fwtest::Pump();
  return f;
}

// '#' black, '.' white, '5' a mid gray, 'o' orange; each character is a
// block of Scale x Scale pixels.
std::unique_ptr<fw::TBitmap> Picture(const std::vector<std::string>& rows, int scale = 1) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  const int h = static_cast<int>(rows.size());
  const int w = h ? static_cast<int>(rows[0].size()) : 0;
  b->SetSize(w * scale, h * scale);
  if (b->Empty()) return b;
  const PixelView v = BitmapPixels(b.get());
  for (int y = 0; y < h * scale; ++y)
    for (int x = 0; x < w * scale; ++x) {
      const char ch = rows[y / scale][x / scale];
      v.SetColor(x, y, ch == '#' ? 0x000000 : ch == '5' ? 0x808080 : ch == 'o' ? 0x0080FF : 0xFFFFFF);
    }
  return b;
}

std::unique_ptr<fw::TBitmap> Solid(int w, int h, fw::TColor c) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(c);
  b->Canvas()->FillRect(fw::Rect(0, 0, w, h));
  return b;
}

void SetView(fw::TImage* view, fw::TBitmap* b) { view->Picture()->SetBitmap(b); }

// Reads the colours of a bitmap back as art: '#' black, '.' white, 'r' red,
// '?' anything else.
std::vector<std::string> Art(fw::TBitmap* b) {
  std::unique_ptr<fw::TBitmap> copy = std::make_unique<fw::TBitmap>();
  copy->Assign(b);
  MakeBitmap24(copy.get());
  std::vector<std::string> rows;
  if (copy->Empty()) return rows;
  const PixelView v = BitmapPixels(copy.get());
  for (int y = 0; y < v.Height; ++y) {
    std::string row;
    for (int x = 0; x < v.Width; ++x) {
      const fw::TColor c = v.ColorAt(x, y);
      row.push_back(c == 0 ? '#' : c == 0xFFFFFF ? '.' : c == 0x0000FF ? 'r' : '?');
    }
    rows.push_back(row);
  }
  return rows;
}

std::pair<int, int> FileSize(const String& file) {
  fw::TBitmap b;
  b.LoadFromFile(file);
  return {b.Width(), b.Height()};
}

struct GlyphTools : ::testing::Test {
  apptest::AppDataFolder appData{"glyph_tools"};
  apptest::SampleTextKeeper keep;
  fw::testing::TestFolder crops{"glyph_tools_crops"};
  String Folder() const { return crops.Path() + u"\\"; }
  String File(const char* name) const { return Folder() + fw::Utf8ToString(name); }
  GlyphTools() { SetCropFolderForTests(Folder()); }
  ~GlyphTools() override { SetCropFolderForTests(String()); }
  void Existing(const std::vector<std::string>& names) {
    if (!names.empty()) fw::ForceDirectories(crops.Path());
    for (const std::string& n : names) Solid(5, 5, 0x000000)->SaveToFile(File(n.c_str()));
  }
};

TEST_F(GlyphTools, CropCharsWritesOneFilePerRunOfInkColumnsNumberedAfterTheFilesThere) {
  struct Case {
    const char* name;
    std::vector<std::string> existing;
    std::vector<std::string> art;
    std::vector<std::pair<const char*, std::pair<int, int>>> written;
  } cases[] = {
      {"two characters, one of them two marks above each other",
       {},
       {"..........",
        ".##...#...",
        ".#........",
        "......##..",
        ".........."},
       {{"imgmod_001.BMP", {2, 2}}, {"imgmod_002.BMP", {2, 3}}}},
      {"after imgmod_001 and imgmod_003",
       {"imgmod_001.BMP", "imgmod_003.BMP"},
       {"#.5.#", "#.5.#"},
       {{"imgmod_004.BMP", {1, 2}}, {"imgmod_005.BMP", {1, 2}}}},
      {"after imgmod_002 alone", {"imgmod_002.BMP"}, {"..#", "..#"}, {{"imgmod_003.BMP", {1, 2}}}},
      {"no black pixel: no file", {"imgmod_001.BMP"}, {"5o.", "..5"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fw::DeleteFolderTree(crops.Path());
    fw::ForceDirectories(crops.Path());
    Existing(c.existing);
    FormPtr f = NewImageForm();
    auto picture = Picture(c.art, 3);
    SetView(f->ImageModified, picture.get());
    f->btnCropcharsClick(f.get());

    for (const auto& [name, size] : c.written) {
      ASSERT_TRUE(fw::FileExists(File(name))) << name;
      EXPECT_EQ(FileSize(File(name)), std::make_pair(size.first * 3, size.second * 3)) << name;
    }
    const int total = static_cast<int>(c.existing.size() + c.written.size());
    EXPECT_EQ(CountFilesInFolder(Folder()), total);
    EXPECT_EQ(f->thumb->Count(), total);
    EXPECT_EQ(f->thumb->Selected(), total - 1);
    EXPECT_EQ(f->lbthumbcount->Caption(), fw::IntToStr(total));
    // The modified image was kept as the working copy and drawn again.
    EXPECT_EQ(f->SampleCopy->Width(), picture->Width());
    EXPECT_EQ(f->ImageModified->Picture()->Width(), picture->Width());
    EXPECT_EQ(f->ImageModified->Picture()->Bitmap()->PixelFormat(), fw::pf24bit);
  }
}

TEST_F(GlyphTools, TheCharacterFileHoldsTheGlyphAsCutFromTheImage) {
  FormPtr f = NewImageForm();
  auto picture = Picture({"#.....",
                          "##..#.",
                          "....##"});
  SetView(f->ImageModified, picture.get());
  f->btnCropcharsClick(f.get());
  fw::TBitmap first, second;
  first.LoadFromFile(File("imgmod_001.BMP"));
  second.LoadFromFile(File("imgmod_002.BMP"));
  EXPECT_EQ(Art(&first), (std::vector<std::string>{"#.", "##"}));
  EXPECT_EQ(Art(&second), (std::vector<std::string>{"#.", "##"}));
}

TEST_F(GlyphTools, F9SavesTheModifiedImageAsTheNextNumberedFile) {
  struct Case {
    std::vector<std::string> existing;
    const char* next;
  } cases[] = {
      {{}, "imgmod_001.BMP"},
      {{"imgmod_001.BMP", "imgmod_003.BMP"}, "imgmod_004.BMP"},
      {{"imgmod_002.BMP"}, "imgmod_003.BMP"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.next);
    fw::DeleteFolderTree(crops.Path());
    Existing(c.existing);  // a missing folder is made by F9 itself
    FormPtr f = NewImageForm();
    f->thumb->SetDirectory(Folder());
    auto picture = Picture({".#.", "###"}, 2);
    SetView(f->ImageModified, picture.get());
    WORD key = VK_F9;
    f->FormKeyDown(f.get(), key, {});
    ASSERT_TRUE(fw::FileExists(File(c.next)));
    fw::TBitmap saved;
    saved.LoadFromFile(File(c.next));
    EXPECT_EQ(saved.PixelFormat(), fw::pf24bit);
    EXPECT_EQ(Art(&saved), Art(picture.get()));
    EXPECT_EQ(f->thumb->Count(), static_cast<int>(c.existing.size()) + 1);
    EXPECT_EQ(f->lbthumbcount->Caption(), fw::IntToStr(f->thumb->Count()));
  }
  // Without a modified image F9 does nothing.
  fw::DeleteFolderTree(crops.Path());
  FormPtr f = NewImageForm();
  f->btnaddmodifiedClick(f.get());
  EXPECT_FALSE(fw::DirectoryExists(crops.Path()));
}

TEST_F(GlyphTools, DeletingOneOrAllCharacters) {
  Existing({"imgmod_001.BMP", "imgmod_002.BMP", "imgmod_003.BMP"});
  FormPtr f = NewImageForm();
  f->thumb->SetDirectory(Folder());
  f->thumb->SetSelected(1);
  f->btndeletecharClick(f.get());
  EXPECT_FALSE(fw::FileExists(File("imgmod_002.BMP")));
  EXPECT_EQ(f->thumb->Count(), 2);
  EXPECT_EQ(f->lbthumbcount->Caption(), u"2");

  // "Delete all images" asks first; No keeps everything.
  for (int answer : {IDNO, IDYES}) {
    String question;
    DialogDriver driver({[&](HWND dialog) {
      question = DialogDriver::ChildTexts(dialog);
      DialogDriver::Press(dialog, answer);
    }});
    f->btndeleteallClick(f.get());
    driver.Join();
    EXPECT_NE(question.find(u"Would you like to delete all images?"), String::npos);
    const int left = answer == IDYES ? 0 : 2;
    EXPECT_EQ(f->thumb->Count(), left);
    EXPECT_EQ(CountFilesInFolder(Folder()), left);
    EXPECT_EQ(f->lbthumbcount->Caption(), fw::IntToStr(left));
  }
  EXPECT_TRUE(fw::DirectoryExists(crops.Path()));

  // With nothing listed there is no question.
  DialogDriver unexpected({[](HWND dialog) { DialogDriver::Press(dialog, IDYES); }});
  f->btndeleteallClick(f.get());
  unexpected.Join();
  EXPECT_EQ(unexpected.StepsDone(), 0);
}

bool gChoseFolder = false;
String gChosenFolder;
bool ChooseTestFolder(const String& Title, String& Folder) {
  EXPECT_EQ(Title, u"Select folder for cropped images");
  Folder = gChosenFolder;
  return gChoseFolder;
}

TEST_F(GlyphTools, SavingTheCropsCopiesEveryListedFileIntoTheChosenFolder) {
  FormPtr f = NewImageForm();
  // The menu's command is there while characters are listed.
  f->thumb->SetDirectory(Folder());
  f->acSaveCropped->Update();
  EXPECT_FALSE(f->acSaveCropped->Enabled());
  EXPECT_EQ(f->acSaveCropped->Caption(), u"Cropped characters");

  Existing({"imgmod_001.BMP", "imgmod_002.BMP"});
  fw::testing::TestFolder target("glyph_tools_target");
  Solid(3, 3, 0xFFFFFF)->SaveToFile(target / u"imgmod_002.BMP");  // replaced
  f->thumb->SetDirectory(Folder());
  f->acSaveCropped->Update();
  EXPECT_TRUE(f->acSaveCropped->Enabled());
  SetChooseFolderProc(ChooseTestFolder);
  gChosenFolder = target.Path();
  gChoseFolder = false;
  f->acSaveCropped->Execute();
  EXPECT_FALSE(fw::FileExists(target / u"imgmod_001.BMP"));
  gChoseFolder = true;
  f->acSaveCropped->Execute();
  SetChooseFolderProc(nullptr);
  EXPECT_EQ(FileSize(target / u"imgmod_001.BMP"), std::make_pair(5, 5));
  EXPECT_EQ(FileSize(target / u"imgmod_002.BMP"), std::make_pair(5, 5));
}

TEST_F(GlyphTools, NextBuildsTheSampleFromTheSelectedCharacterFittedIntoTheBox) {
  struct Case {
    const char* name;
    int w, h;
    bool blackFrame;     // a 2-pixel black frame on white, else all black
    int wantW, wantH;
  } cases[] = {
      {"fits the 70 x 70 box: used as it is, margins and all", 60, 60, true, 60, 60},
      {"wider than the box: fitted to 70 x 35 and cropped", 120, 60, false, 70, 35},
      {"higher than the box", 50, 100, false, 35, 70},
      {"exactly the box", 70, 70, true, 70, 70},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fw::DeleteFolderTree(crops.Path());
    fw::ForceDirectories(crops.Path());
    auto file = Solid(c.w, c.h, c.blackFrame ? 0xFFFFFF : 0x000000);
    if (c.blackFrame) {
      file->Canvas()->Brush()->SetColor(0x000000);
      file->Canvas()->FrameRect(fw::Rect(2, 2, c.w - 2, c.h - 2));
    }
    file->SaveToFile(File("imgmod_001.BMP"));
    Solid(10, 10, 0x000000)->SaveToFile(File("imgmod_000.BMP"));  // listed first
    FormPtr f = NewImageForm();
    SetView(f->ImageModified, Solid(20, 20, 0).get());
    f->thumb->SetDirectory(Folder());
    f->thumb->SetSelected(1);
    bool stop = true;
    f->ImageLoadNextButtonClick(f.get(), stop);
    EXPECT_FALSE(stop);
    EXPECT_EQ(f->sampleimage->Picture()->Width(), c.wantW);
    EXPECT_EQ(f->sampleimage->Picture()->Height(), c.wantH);
    EXPECT_EQ(f->gbsamplechar->Caption(), fw::Format(u"Size: %d x %d", {c.wantW, c.wantH}));
    EXPECT_EQ(f->SampleCopy->Width(), c.w);
    EXPECT_EQ(f->sampleimage->Width(), 70);
    EXPECT_EQ(f->Search().fname, u"Arial");
    EXPECT_TRUE(f->PickTmr->Enabled());
    // The engine compares with the sample itself, not with the picture
    // the page shows, which may be cleared or replaced.
    fw::TBitmap* compared = f->Engine().Sample();
    ASSERT_NE(compared, nullptr);
    EXPECT_NE(compared, f->sampleimage->Picture()->Bitmap());
    EXPECT_EQ(Art(compared), Art(f->sampleimage->Picture()->Bitmap()));
    f->sampleimage->Picture()->SetGraphic(nullptr);
    EXPECT_EQ(f->Engine().Sample(), compared);
    EXPECT_EQ(compared->Width(), c.wantW);
    EXPECT_EQ(compared->Height(), c.wantH);
  }
}

TEST_F(GlyphTools, AnEmptySampleIsRefusedAndKeepsTheWizardOnThePage) {
  struct Case {
    const char* name;
    int w, h;
  } cases[] = {
      {"white picture larger than the box: nothing left after cropping", 120, 60},
      {"zero-sized picture", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fw::DeleteFolderTree(crops.Path());
    fw::ForceDirectories(crops.Path());
    Solid(c.w, c.h, 0xFFFFFF)->SaveToFile(File("imgmod_001.BMP"));
    FormPtr f = NewImageForm();
    SetView(f->ImageModified, Solid(20, 20, 0).get());
    f->thumb->SetDirectory(Folder());
    String text;
    DialogDriver driver({[&](HWND dialog) {
      text = DialogDriver::ChildTexts(dialog);
      DialogDriver::Press(dialog, IDCANCEL);
    }});
    f->thumbDblClick(f.get());
    driver.Join();
    EXPECT_NE(text.find(u"Invalid sample image! Cannot be used for matching."), String::npos);
    EXPECT_EQ(f->Wizard->ActivePageIndex(), kPageImageLoad);
    EXPECT_EQ(f->gbsamplechar->Caption(), u"Size: 0 x 0");
  }
}

TEST_F(GlyphTools, NextWithoutCharacterFilesUsesTheModifiedImageAndADoubleClickGoesOn) {
  FormPtr f = NewImageForm();
  f->thumb->SetDirectory(Folder());
  auto picture = Picture({"..#..", ".###."}, 4);
  SetView(f->ImageModified, picture.get());
  f->thumbDblClick(f.get());  // nothing listed: nothing happens
  EXPECT_EQ(f->Wizard->ActivePageIndex(), kPageImageLoad);

  bool stop = true;
  f->ImageLoadNextButtonClick(f.get(), stop);
  EXPECT_FALSE(stop);
  EXPECT_TRUE(fw::FileExists(File("imgmod_001.BMP")));
  EXPECT_EQ(f->thumb->Count(), 1);
  EXPECT_EQ(Art(f->sampleimage->Picture()->Bitmap()), Art(picture.get()));

  f->thumbDblClick(f.get());
  EXPECT_EQ(f->Wizard->ActivePageIndex(), kPageRun);
}

int gOpenDialogs = 0;
bool CancelFileDialog(fw::TOpenDialog*) {
  ++gOpenDialogs;
  return false;
}

TEST_F(GlyphTools, NextWithoutAModifiedImageStaysOnThePageAndOffersToOpenOne) {
  FormPtr f = NewImageForm();
  SetRunFileDialogProc(CancelFileDialog);
  gOpenDialogs = 0;
  bool stop = false;
  f->ImageLoadNextButtonClick(f.get(), stop);
  SetRunFileDialogProc(nullptr);
  EXPECT_TRUE(stop);
  EXPECT_EQ(gOpenDialogs, 1);
  EXPECT_FALSE(f->PickTmr->Enabled());
}

// The client position of a view's pixel in the view's parent window.
LPARAM At(fw::TImage* view, int x, int y) { return MAKELPARAM(view->Left() + x, view->Top() + y); }

TEST_F(GlyphTools, ALeftClickOnTheDefaultImageGrabsTheCharacterUnderIt) {
  FormPtr f = NewImageForm();
  auto picture = Picture({"..........",
                          ".###..#...",
                          ".#.#..##..",
                          ".###......",
                          ".........."},
                         4);
  SetView(f->Image1, picture.get());
  auto before = Picture({"5"}, 3);
  SetView(f->ImageModified, before.get());
  fwtest::Pump();
  const size_t modifiedEntries = f->ModifiedUndoStack.size();
  HWND pane = f->Image1->Parent()->Handle();

  // Right button: no grab.
  SendMessageW(pane, WM_RBUTTONDOWN, MK_RBUTTON, At(f->Image1, 5, 5));
  SendMessageW(pane, WM_RBUTTONUP, 0, At(f->Image1, 5, 5));
  EXPECT_TRUE(f->Image1->Enabled());
  EXPECT_EQ(f->ModifiedUndoStack.size(), modifiedEntries);

  SendMessageW(pane, WM_LBUTTONDOWN, MK_LBUTTON, At(f->Image1, 5, 5));
  // The left character, black on white and cropped to it, is the modified
  // image; the default image shows the gray picture with the region red.
  EXPECT_EQ(Art(f->ImageModified->Picture()->Bitmap()),
            (std::vector<std::string>{"############", "############", "############", "############",
                                      "####....####", "####....####", "####....####", "####....####",
                                      "############", "############", "############", "############"}));
  EXPECT_EQ(Art(f->ModifiedBase), Art(f->ImageModified->Picture()->Bitmap()));
  const std::vector<std::string> shown = Art(f->Image1->Picture()->Bitmap());
  EXPECT_EQ(shown[5][5], 'r');
  EXPECT_EQ(shown[5][25], '#');  // the other character is not taken
  EXPECT_FALSE(f->Image1->Enabled());
  EXPECT_EQ(f->ModifiedUndoStack.size(), modifiedEntries + 1);
  EXPECT_EQ(Art(f->ModifiedUndoStack.back()->Bitmap()), Art(before.get()));
  EXPECT_EQ(f->DefaultUndoStack.size(), 1u);
  EXPECT_EQ(f->StatusText(1), u"Finishing image....");

  // Half a second after the release the default image is back.
  SendMessageW(pane, WM_LBUTTONUP, 0, At(f->Image1, 5, 5));
  EXPECT_TRUE(f->Timerunoimage1->Enabled());
  EXPECT_FALSE(f->Image1->Enabled());
  EXPECT_TRUE(fwtest::PumpUntil([&] { return f->Image1->Enabled(); }, 3000));
  EXPECT_EQ(Art(f->Image1->Picture()->Bitmap()), Art(picture.get()));
  EXPECT_TRUE(f->DefaultUndoStack.empty());
  EXPECT_FALSE(f->Timerunoimage1->Enabled());
  EXPECT_EQ(f->StatusText(1), u"");
}

TEST_F(GlyphTools, AGrabOnTheModifiedImageEndsWithTheRelease) {
  FormPtr f = NewImageForm();
  auto picture = Picture({"oo...", "oo.o.", "....."}, 2);
  SetView(f->ImageModified, picture.get());
  fwtest::Pump();
  HWND pane = f->ImageModified->Parent()->Handle();
  SendMessageW(pane, WM_LBUTTONDOWN, MK_LBUTTON, At(f->ImageModified, 1, 1));
  EXPECT_FALSE(f->ImageModified->Enabled());
  // The orange block (gray 123 for the grab) without the separate dot.
  EXPECT_EQ(Art(f->ImageModified->Picture()->Bitmap()),
            (std::vector<std::string>{"####", "####", "####", "####"}));
  SendMessageW(pane, WM_LBUTTONUP, 0, At(f->ImageModified, 1, 1));
  EXPECT_TRUE(f->ImageModified->Enabled());
  EXPECT_EQ(f->StatusText(1), u"");
  EXPECT_TRUE(f->DefaultUndoStack.empty());
}

TEST_F(GlyphTools, AClickOutsideAnyInkLeavesAnEmptyModifiedImage) {
  FormPtr f = NewImageForm();
  auto picture = Picture({"..", ".."}, 4);
  SetView(f->ImageModified, picture.get());
  f->FloodColors->Add(u"stale");
  f->FTFloodFill(f->ImageModified->Picture()->Bitmap(), fw::TPoint{8, 0}, 255);  // outside
  EXPECT_TRUE(f->ImageModified->Picture()->Bitmap()->Empty());
  EXPECT_TRUE(f->ModifiedBase->Empty());
}

TEST_F(GlyphTools, TheColourRangeRollOutNamesTheRangeOfTheSlider) {
  FormPtr f = NewImageForm();
  for (int position : {100, 125, 140}) {
    f->trlight->SetPosition(position);
    EXPECT_EQ(f->roColorRange->Caption(), u"Color range \u00B1" + fw::IntToStr(position - 100) + u"%");
  }
}

TEST_F(GlyphTools, TheCropListHasItsDesignValuesAndLiesRightOfTheImages) {
  FormPtr f = NewImageForm();
  ck::TCkThumbView* t = f->thumb;
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->Filter(), u"Bitmaps (*.bmp)|*.bmp");
  EXPECT_TRUE(t->Sorted());
  EXPECT_EQ(t->Size(), 50);
  EXPECT_EQ(t->ThumbGap(), 4);
  EXPECT_TRUE(t->AsButtons());
  EXPECT_TRUE(t->AutoScrolling());
  EXPECT_TRUE(t->MinMemory());
  EXPECT_EQ(t->ScrollMode(), ck::smVertical);
  EXPECT_EQ(t->Parent(), f->ImageLoad);
  EXPECT_GE(t->Left(), f->Image1->Parent()->Left() + f->Image1->Parent()->Width());
  EXPECT_GE(t->Left(), f->ImageModified->Parent()->Left() + f->ImageModified->Parent()->Width());
}

}  // namespace
}  // namespace app
