// The image page: opening every supported format, sample images, capture and
// crop by capture, resizing and rotating, the colour pipeline, gray, invert,
// to black and the effects, background clearing, the undo stack, saving and
// the roll-out accordion. File dialogs and captures run through the page's
// replaceable functions; message boxes are answered by the dialog driver.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/glyph_isolation.h"
#include "app/image_page.h"
#include "app/image_routines.h"
#include "fw/controls_test_util.h"
#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs_driver.h"
#include "fw/graphics/icon.h"
#include "fw/graphics/jpeg.h"
#include "fw/platform/files.h"
#include "fw/platform/locale.h"
#include "fw/platform_test_folder.h"
#include "controls/xp_test_util.h"
#include "main_window_util.h"
#include "fw/stdctrls_test_util.h"
#include "scenarios/screenshot_png.h"
#include "skin/controls/attach_hook.h"
#include "skin/controls/scrollbar.h"
#include "skin/engine/skin_manager.h"
#include "tests/skin/engine/core/program_skins.h"

using namespace app;
using fw::String;
using fw::TBitmap;
using fw::testing::DialogDriver;

namespace {

using FormPtr = std::unique_ptr<TImageForm, apptest::FormDeleter>;

// What the page's file dialogs are answered with.
struct DialogAnswers {
  String file;  // empty: cancel
  std::vector<String> titles;
  std::vector<String> initialDirs;
};
DialogAnswers gDialogs;

bool AnswerFileDialog(fw::TOpenDialog* dialog) {
  gDialogs.titles.push_back(dialog->Title());
  gDialogs.initialDirs.push_back(dialog->InitialDir());
  if (gDialogs.file.empty()) return false;
  dialog->SetFileName(gDialogs.file);
  return true;
}

// What the page's captures return (null: the user cancelled).
std::function<std::unique_ptr<TBitmap>()> gCapture;
int gCaptureCalls = 0;

std::unique_ptr<TBitmap> AnswerCapture(capture::TASGScreenCapture*, int) {
  ++gCaptureCalls;
  return gCapture ? gCapture() : nullptr;
}

using PixelFn = std::function<fw::TColor(int x, int y)>;

std::unique_ptr<TBitmap> MakeBitmap(int w, int h, const PixelFn& pixel, fw::TPixelFormat format = fw::pf24bit) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(format);
  b->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->Canvas()->SetPixel(x, y, pixel(x, y));
  return b;
}

// Dark text-like strokes on a light, coloured background.
fw::TColor Sample(int x, int y) {
  if ((x / 3 + y / 4) % 4 == 0) return 0x202020;
  return x < 10 ? 0xE0F0F8 : 0xD8E8C0;
}

TBitmap* Shown(fw::TImage* image) { return dynamic_cast<TBitmap*>(image->Picture()->Graphic()); }

std::vector<fw::TColor> Pixels(TBitmap* b) {
  std::vector<fw::TColor> out;
  if (!b) return out;
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) out.push_back(b->Canvas()->Pixel(x, y));
  return out;
}

std::vector<fw::TColor> Pixels(fw::TImage* image) { return Pixels(Shown(image)); }

int Width(fw::TImage* image) { return Shown(image) ? Shown(image)->Width() : 0; }
int Height(fw::TImage* image) { return Shown(image) ? Shown(image)->Height() : 0; }

struct ImagePage : ::testing::Test {
  void SetUp() override {
    apptest::InitialiseProgramUnits();
    gDialogs = DialogAnswers{};
    gCapture = nullptr;
    gCaptureCalls = 0;
    SetRunFileDialogProc(AnswerFileDialog);
    SetRunCaptureProc(AnswerCapture);
    f.reset(fw::NewForm<TImageForm>(nullptr));
    f->SetPosition(fw::poDesigned);
    f->Show();
    fwtest::Pump();
  }
  void TearDown() override {
    f.reset();
    SetRunFileDialogProc(nullptr);
    SetRunCaptureProc(nullptr);
  }

  String WriteBmp(const char16_t* name, int w, int h, const PixelFn& pixel) {
    const String path = dir.Path() + u"\\" + name;
    MakeBitmap(w, h, pixel)->SaveToFile(path);
    return path;
  }
  // Opens the file through the page's "Open" item.
  void Open(const String& path) {
    gDialogs.file = path;
    f->xpLoadItems0Click(f.get());
    fwtest::Pump();
  }
  void OpenBitmap(int w, int h, const PixelFn& pixel) { Open(WriteBmp(u"opened.bmp", w, h, pixel)); }

  apptest::AppDataFolder appData{"image_page"};
  apptest::SampleTextKeeper keep;
  fw::testing::TestFolder dir{"image_page_files"};
  std::unique_ptr<TImageForm, apptest::FormDeleter> f;
};

}  // namespace

TEST_F(ImagePage, OpenLoadsEveryViewAndWorkBitmapResetsTheControlsAndStartsTheUndoStack) {
  f->trresize->SetPosition(150);
  f->tbhue->SetPosition(30);
  f->SetStatusText(1, u"last search");
  OpenBitmap(20, 12, Sample);
  EXPECT_EQ(gDialogs.titles.back(), u"Open sample image");
  const auto expected = Pixels(MakeBitmap(20, 12, Sample).get());
  for (fw::TImage* view : {f->Image1, f->ImageModified, f->imgcompare}) EXPECT_EQ(Pixels(view), expected);
  for (TBitmap* work : {f->LoadedImage, f->RotatedImage, f->ResizedImage, f->ModifiedBase}) EXPECT_EQ(Pixels(work), expected);
  EXPECT_EQ(f->StatusText(0), u"20 x 12 x 24b");
  EXPECT_EQ(f->StatusText(1), u"");
  // Each view sits in the centre of its pane.
  for (fw::TImage* view : {f->Image1, f->ImageModified}) {
    EXPECT_EQ(view->Left(), (view->Parent()->ClientWidth() - 20) / 2);
    EXPECT_EQ(view->Top(), (view->Parent()->ClientHeight() - 12) / 2);
  }
  EXPECT_EQ(f->trresize->Position(), 100);
  EXPECT_EQ(f->tbhue->Position(), 0);
  EXPECT_EQ(f->trlight->Position(), 125);
  EXPECT_EQ(ImageFileName, dir.Path() + u"\\opened.bmp");
  EXPECT_EQ(f->imagedlg->InitialDir(), dir.Path() + u"\\");
  EXPECT_EQ(f->Wizard->ActivePageIndex(), kPageImageLoad);
  ASSERT_EQ(f->ModifiedUndoStack.size(), 1u);
  EXPECT_TRUE(fw::DirectoryExists(CropFolder()));

  // A cancelled dialog changes nothing.
  gDialogs.file.clear();
  f->xpLoadItems0Click(f.get());
  EXPECT_EQ(Pixels(f->Image1), expected);
}

TEST_F(ImagePage, EverySupportedFormatOpens) {
  auto picture = MakeBitmap(8, 6, [](int x, int) { return x < 4 ? 0x000000 : 0xFFFFFF; });
  // GIF: a 1 x 1 black image.
  const uint8_t gif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF,
                         0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B};
  struct Case {
    const char16_t* name;
    std::function<void(const String& path)> write;
    int width, height;
  } cases[] = {
      {u"a.bmp", [&](const String& p) { picture->SaveToFile(p); }, 8, 6},
      {u"a.jpg",
       [&](const String& p) {
         fw::TJPEGImage jpeg;
         jpeg.Assign(picture.get());
         jpeg.SaveToFile(p);
       },
       8, 6},
      {u"a.png",
       [&](const String& p) {
         const auto bytes = scenarios::EncodePng(picture.get());
         fw::TFileStream out(p, fw::fmCreate);
         out.WriteBuffer(bytes.data(), bytes.size());
       },
       8, 6},
      {u"a.gif",
       [&](const String& p) {
         fw::TFileStream out(p, fw::fmCreate);
         out.WriteBuffer(gif, sizeof gif);
       },
       1, 1},
      {u"a.ico",
       [&](const String& p) {
         auto color = MakeBitmap(16, 16, [](int, int) { return 0x0000FF; });
         auto mask = MakeBitmap(16, 16, [](int, int) { return 0x000000; }, fw::pf1bit);
         ICONINFO info{TRUE, 0, 0, mask->Handle(), color->Handle()};
         fw::TIcon icon;
         icon.SetHandle(CreateIconIndirect(&info));
         icon.SaveToFile(p);
       },
       16, 16},
  };
  for (const Case& c : cases) {
    const String path = dir.Path() + u"\\" + c.name;
    c.write(path);
    Open(path);
    SCOPED_TRACE(fw::StringToUtf8(c.name));
    EXPECT_EQ(ImageFileName, path);
    EXPECT_EQ(Width(f->Image1), c.width);
    EXPECT_EQ(Height(f->Image1), c.height);
    EXPECT_EQ(Shown(f->Image1)->PixelFormat(), fw::pf24bit);
    EXPECT_EQ(Pixels(f->ImageModified), Pixels(f->Image1));
    EXPECT_EQ(f->StatusText(0), fw::Format(u"%d x %d x 24b", {c.width, c.height}));
  }
}

TEST_F(ImagePage, AFileThatCannotBeReadIsReportedAndLeavesThePageAsItWas) {
  OpenBitmap(10, 10, Sample);
  f->btngrayClick(f.get());
  const auto image1 = Pixels(f->Image1);
  const auto modified = Pixels(f->ImageModified);
  const size_t undo = f->ModifiedUndoStack.size();
  const String damaged = dir.Path() + u"\\damaged.png";
  {
    fw::TFileStream out(damaged, fw::fmCreate);
    out.WriteBuffer("\x89PNG\r\n\x1a\nbroken", 14);
  }
  for (const String& path : {damaged, dir.Path() + u"\\missing.bmp"}) {
    String text;
    DialogDriver driver({[&](HWND d) {
      text = DialogDriver::ChildTexts(d);
      DialogDriver::Press(d, IDOK);
    }});
    Open(path);
    driver.Join();
    EXPECT_NE(text.find(u"cannot be opened"), String::npos) << fw::StringToUtf8(text);
    EXPECT_NE(text.find(path), String::npos) << fw::StringToUtf8(text);
    EXPECT_EQ(Pixels(f->Image1), image1);
    EXPECT_EQ(Pixels(f->ImageModified), modified);
    EXPECT_EQ(f->ModifiedUndoStack.size(), undo);
    EXPECT_EQ(ImageFileName, dir.Path() + u"\\opened.bmp");
  }
}

TEST_F(ImagePage, SampleImagesOpenFromTheSamplesFolderShowTheirInstructionsAndResetTheUndoStack) {
  OpenBitmap(6, 6, Sample);
  f->btninvertClick(f.get());
  f->btngrayClick(f.get());
  ASSERT_EQ(f->ModifiedUndoStack.size(), 3u);
  fw::ForceDirectories(SamplesFolder());
  const String sample = SamplesFolder() + u"\\sample_pink.bmp";
  MakeBitmap(12, 8, Sample)->SaveToFile(sample);
  const String before = f->imagedlg->InitialDir();
  gDialogs.file = sample;
  f->Sampleimages1Click(f.get());
  EXPECT_EQ(gDialogs.initialDirs.back(), appData.Path() + u"\\Okrabel\\Vestaline\\samples");
  EXPECT_EQ(gDialogs.titles.back(), u"Open sample image");
  EXPECT_EQ(Width(f->Image1), 12);
  EXPECT_EQ(f->ModifiedUndoStack.size(), 1u);
  EXPECT_EQ(f->sampleimagedlg->InitialDir(), SamplesFolder());
  EXPECT_EQ(f->imagedlg->InitialDir(), before);
  // The instructions point at the program-information icon for a minute.
  ASSERT_NE(f->Balloon, nullptr);
  EXPECT_TRUE(f->Balloon->Active());
  EXPECT_EQ(f->Balloon->Data().RUTF8Header, "Sample #3");
  EXPECT_NE(f->Balloon->Data().RUTF8Hint.find("Press \"To Black\" button."), std::string::npos);
  EXPECT_EQ(f->Balloon->Data().RVisibleTime, 60000);
  // Opening another file takes the instructions away.
  gDialogs.file = dir.Path() + u"\plain.bmp";
  MakeBitmap(5, 5, Sample)->SaveToFile(gDialogs.file);
  f->xpLoadItems0Click(f.get());
  EXPECT_FALSE(f->Balloon->Active());

  String header, text;
  EXPECT_TRUE(SampleImageInstructions(SamplesFolder() + u"\\sample_1.bmp", header, text));
  EXPECT_EQ(header, u"The best sample image");
  EXPECT_FALSE(SampleImageInstructions(dir.Path() + u"\\sample_1.bmp", header, text));
}

TEST_F(ImagePage, RotationAndResizeRecomputeTheDefaultImageFromTheLoadedOne) {
  struct Case {
    int size, angle;
    int width, height;
    const char16_t* status;
  } cases[] = {
      {100, 90, 100, 200, u"100 x 200 x 24b"},
      {50, 0, 100, 50, u"100 x 50 x 24b"},
      {200, 0, 400, 200, u"400 x 200 x 24b"},
      {100, 180, 200, 100, u"200 x 100 x 24b"},
      {50, -90, 50, 100, u"50 x 100 x 24b"},
      {100, 0, 200, 100, u"200 x 100 x 24b"},
  };
  OpenBitmap(200, 100, Sample);
  const auto modified = Pixels(f->ImageModified);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.size << "% " << c.angle);
    f->trrotate->SetPosition(c.angle);
    f->trresize->SetPosition(c.size);
    EXPECT_EQ(Width(f->Image1), c.width);
    EXPECT_EQ(Height(f->Image1), c.height);
    EXPECT_EQ(f->StatusText(0), c.status);
    EXPECT_EQ(f->ModifiedBase->Width(), c.width);
    EXPECT_EQ(f->ModifiedBase->Height(), c.height);
    EXPECT_EQ(f->LoadedImage->Width(), 200);
    EXPECT_EQ(Pixels(f->ImageModified), modified);  // follows only on Apply
    EXPECT_EQ(f->lbresize->Caption(), fw::IntToStr(c.size) + u"%");
    EXPECT_EQ(f->lbrot->Caption(), fw::IntToStr(c.angle) + u" \u00b0");
  }
  // Back at 100 % and 0 degrees the default image is the loaded one again.
  EXPECT_EQ(Pixels(f->Image1), Pixels(f->LoadedImage));
  f->trrotate->SetPosition(45);
  f->btnRestoreImage1Click(f.get());
  EXPECT_EQ(f->trrotate->Position(), 0);
  EXPECT_EQ(Pixels(f->Image1), Pixels(f->LoadedImage));
  f->trresize->SetPosition(50);
  f->btnapplyClick(f.get());
  EXPECT_EQ(Width(f->ImageModified), 100);
  EXPECT_EQ(Pixels(f->ModifiedBase), Pixels(f->Image1));
  f->btn100Click(f.get());
  EXPECT_EQ(Width(f->Image1), 200);
}

TEST_F(ImagePage, NothingHappensBeforeAnImageIsThere) {
  f->trresize->SetPosition(150);
  f->trrotate->SetPosition(90);
  f->tbhue->SetPosition(40);
  for (auto handler : {&TImageForm::btngrayClick, &TImageForm::btninvertClick, &TImageForm::CkTransparentButton3Click,
                       &TImageForm::CkTransparentButton4Click, &TImageForm::acminusExecute})
    (f.get()->*handler)(f.get());
  EXPECT_EQ(Shown(f->Image1), nullptr);
  EXPECT_EQ(Shown(f->ImageModified), nullptr);
  EXPECT_TRUE(f->ModifiedUndoStack.empty());
  EXPECT_EQ(f->FWhiteback, 255);
  // Crop by capture asks for an image first.
  String text;
  DialogDriver driver({[&](HWND d) {
    text = DialogDriver::ChildTexts(d);
    DialogDriver::Press(d, IDCANCEL);
  }});
  f->btncropdefaultClick(f.get());
  driver.Join();
  EXPECT_NE(text.find(u"Open or capture image first!"), String::npos) << fw::StringToUtf8(text);
  EXPECT_EQ(gCaptureCalls, 0);
}

TEST_F(ImagePage, NeutralColourSettingsReproduceTheBaseAndTheLabelsFollowTheSliders) {
  const fw::TColor colours[] = {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x808080};
  OpenBitmap(6, 3, [&](int x, int) { return colours[x]; });
  const auto base = Pixels(f->ModifiedBase);
  f->tbhue->SetPosition(90);
  f->tbbrightness->SetPosition(40);
  EXPECT_NE(Pixels(f->ImageModified), base);
  EXPECT_EQ(f->lbhue->Caption(), u"Hue  90");
  EXPECT_EQ(f->lbbrightness->Caption(), u"Brightness  40");
  f->tbhue->SetPosition(0);
  f->tbbrightness->SetPosition(0);
  EXPECT_EQ(Pixels(f->ImageModified), base);
  EXPECT_EQ(Pixels(f->ModifiedBase), base);  // the sliders never change their base
  EXPECT_EQ(f->lbhue->Caption(), u"Hue  0");
  EXPECT_EQ(f->lbcontrast->Caption(), u"Contrast  0");
}

TEST_F(ImagePage, ToBlackLeavesOnlyBlackAndWhiteEvenAfterAHueChangeAndHidesTheBackgroundButtons) {
  OpenBitmap(16, 16, [](int x, int y) { return Sample(x, y) == 0x202020 ? 0x3040C0 : 0xFFFFFF; });
  f->btntoblackClick(f.get());
  EXPECT_TRUE(f->Engine().Monochrome());
  f->acminusUpdate(f.get());
  f->acplusUpdate(f.get());
  EXPECT_FALSE(f->acminus->Visible());
  EXPECT_FALSE(f->acplus->Visible());
  EXPECT_FALSE(f->lbbackground->Visible());
  f->tbhue->SetPosition(120);
  const auto pixels = Pixels(f->ImageModified);
  int black = 0;
  for (fw::TColor c : pixels) {
    EXPECT_TRUE(c == 0x000000 || c == 0xFFFFFF) << std::hex << c;
    black += c == 0x000000;
  }
  EXPECT_GT(black, 0);
  EXPECT_LT(black, static_cast<int>(pixels.size()));
  // Undo brings the colours and the background buttons back.
  f->acUndoModifiedExecute(f.get());
  EXPECT_FALSE(f->Engine().Monochrome());
  f->acminusUpdate(f.get());
  EXPECT_TRUE(f->acminus->Visible());
  EXPECT_TRUE(f->lbbackground->Visible());
}

TEST_F(ImagePage, EachEditPushesOneUndoEntryAndUndoRestoresThePreviousImageExactly) {
  struct Case {
    const char* name;
    std::function<void()> edit;
  } cases[] = {
      {"gray", [&] { f->btngrayClick(f.get()); }},
      {"invert", [&] { f->btninvertClick(f.get()); }},
      {"to black", [&] { f->btntoblackClick(f.get()); }},
      {"enter -", [&] { f->btnminus->OnMouseEnter(f->btnminus); }},
      {"enter +", [&] { f->btnplus->OnMouseEnter(f->btnplus); }},
      {"crop by capture", [&] {
         gCapture = [] { return MakeBitmap(5, 4, [](int, int) { return 0x00FFFF; }, fw::pf32bit); };
         f->btncropdefaultClick(f.get());
       }},
  };
  OpenBitmap(12, 9, Sample);
  f->tbhue->SetPosition(200);  // the modified image differs from the default one
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto before = Pixels(f->ImageModified);
    const size_t entries = f->ModifiedUndoStack.size();
    c.edit();
    EXPECT_EQ(f->ModifiedUndoStack.size(), entries + 1);
    f->acUndoModifiedExecute(f.get());
    EXPECT_EQ(f->ModifiedUndoStack.size(), entries);
    EXPECT_EQ(Pixels(f->ImageModified), before);
    EXPECT_EQ(Pixels(f->ModifiedBase), before);
  }
  // The captured crop became the modified image before it was undone.
  f->btncropdefaultClick(f.get());
  EXPECT_EQ(Width(f->ImageModified), 5);
  EXPECT_EQ(Shown(f->ImageModified)->Canvas()->Pixel(0, 0), 0x00FFFF);
  EXPECT_EQ(f->ModifiedBase->PixelFormat(), fw::pf24bit);
  // Effects push nothing.
  const size_t entries = f->ModifiedUndoStack.size();
  f->CkTransparentButton4Click(f.get());
  EXPECT_EQ(f->ModifiedUndoStack.size(), entries);
}

TEST_F(ImagePage, CtrlZRightAfterOpenEmptiesTheStackAndChangesNothing) {
  OpenBitmap(8, 8, Sample);
  const auto shown = Pixels(f->ImageModified);
  ASSERT_EQ(f->ModifiedUndoStack.size(), 1u);
  f->acUndoModifiedUpdate(f.get());
  EXPECT_TRUE(f->acUndoModified->Enabled());
  WORD key = 'Z';
  f->FormKeyDown(f.get(), key, fw::TShiftState{fw::ssCtrl});
  EXPECT_TRUE(f->ModifiedUndoStack.empty());
  EXPECT_EQ(Pixels(f->ImageModified), shown);
  f->acUndoModifiedUpdate(f.get());
  EXPECT_FALSE(f->acUndoModified->Enabled());
  f->FormKeyDown(f.get(), key, fw::TShiftState{fw::ssCtrl});  // an empty stack: nothing
  EXPECT_EQ(Pixels(f->ImageModified), shown);
}

TEST_F(ImagePage, BackgroundThresholdMovesInStepsOfFiveWithinItsRange) {
  OpenBitmap(4, 4, Sample);
  struct Case {
    int start;
    int minus, plus;
    int expected;
  } cases[] = {
      {255, 1, 0, 250}, {255, 51, 0, 0}, {255, 52, 0, 0}, {3, 1, 0, 0},
      {250, 0, 1, 255}, {250, 0, 2, 255}, {0, 0, 3, 15}, {255, 3, 1, 245},
  };
  for (const Case& c : cases) {
    f->FWhiteback = static_cast<uint8_t>(c.start);
    for (int i = 0; i < c.minus; ++i) f->acminusExecute(f.get());
    for (int i = 0; i < c.plus; ++i) f->acplusExecute(f.get());
    EXPECT_EQ(f->FWhiteback, c.expected) << c.start << " -" << c.minus << " +" << c.plus;
  }
  f->FWhiteback = 255;
  f->acminusExecute(f.get());
  EXPECT_EQ(f->btnminus->Hint(), fw::FormatFloat(u"0.00", 250 / 255.0 * 100) + u"%");
  f->btnminus->OnMouseMove(f->btnminus, fw::TShiftState{}, 1, 1);
  EXPECT_EQ(f->btnminus->Hint(), u"Clear image modified background: " + fw::FormatFloat(u"0.00", 250 / 255.0 * 100) + u"%");
}

TEST_F(ImagePage, BackgroundClearingKeepsThePixelsDarkerThanTheThresholdFromTheSameBase) {
  // Pixels by their largest channel: 0, 100, 244, 245, 249, 250, 254, 255.
  const fw::TColor colours[] = {0x000000, 0x106410, 0x0000F4, 0xF50000, 0x00F900, 0xFAFAFA, 0x0000FE, 0xFFFFFF};
  OpenBitmap(8, 1, [&](int x, int) { return colours[x]; });
  f->btnminus->OnMouseEnter(f->btnminus);
  struct Case {
    int presses;  // "-" pressed in all
    int kept;     // the first pixels kept, the rest white
  } cases[] = {{1, 5}, {2, 3}, {3, 2}};
  int pressed = 0;
  for (const Case& c : cases) {
    for (; pressed < c.presses; ++pressed) f->acminusExecute(f.get());
    const auto pixels = Pixels(f->ImageModified);
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(pixels[x], x < c.kept ? colours[x] : 0xFFFFFF) << c.presses << " presses, pixel " << x;
  }
  // "+" clears from the same base again: the pixels come back.
  f->acplusExecute(f.get());
  f->acplusExecute(f.get());
  EXPECT_EQ(Pixels(f->ImageModified)[4], colours[4]);
}

TEST_F(ImagePage, EnteringTheMinusButtonThreeTimesAddsThreeUndoEntries) {
  OpenBitmap(4, 4, Sample);
  for (int i = 0; i < 3; ++i) {
    f->btnminus->OnMouseEnter(f->btnminus);
    f->btnminus->OnMouseLeave(f->btnminus);
  }
  EXPECT_EQ(f->ModifiedUndoStack.size(), 4u);
}

TEST_F(ImagePage, EffectsMakeTheModifiedImageTheBaseOfLaterEdits) {
  OpenBitmap(10, 8, Sample);
  f->CkTransparentButton3Click(f.get());
  EXPECT_EQ(Width(f->ImageModified), 8);
  EXPECT_EQ(Height(f->ImageModified), 6);
  EXPECT_EQ(Pixels(f->ModifiedBase), Pixels(f->ImageModified));
  // A colour change after the effect starts from the edge image, not from
  // the default image.
  f->tbhue->SetPosition(10);
  f->tbhue->SetPosition(0);
  EXPECT_EQ(Width(f->ImageModified), 8);
  f->CkTransparentButton4Click(f.get());
  EXPECT_EQ(Pixels(f->ModifiedBase), Pixels(f->ImageModified));
  EXPECT_EQ(f->ModifiedBase->Width(), 8);

  // On an image two pixels high the edge image has no rows.
  OpenBitmap(10, 2, Sample);
  f->CkTransparentButton3Click(f.get());
  EXPECT_EQ(Height(f->ImageModified), 0);
  f->CkTransparentButton3Click(f.get());  // and another press does nothing
  f->CkTransparentButton4Click(f.get());
}

TEST_F(ImagePage, CaptureReplacesTheImageOnlyWhenABitmapComesBack) {
  OpenBitmap(10, 10, Sample);
  f->btninvertClick(f.get());
  const auto modified = Pixels(f->ImageModified);
  f->trresize->SetPosition(150);
  // Cancelled: everything stays.
  gCapture = nullptr;
  f->xpLoadItems1Click(f.get());
  EXPECT_EQ(gCaptureCalls, 1);
  EXPECT_EQ(Width(f->Image1), 15);
  EXPECT_EQ(Pixels(f->ImageModified), modified);
  EXPECT_EQ(f->ModifiedUndoStack.size(), 2u);
  EXPECT_EQ(f->LoadedImage->Width(), 10);
  // A captured bitmap replaces every view.
  gCapture = [] { return MakeBitmap(7, 5, [](int x, int) { return x < 3 ? 0x000000 : 0xFFFFFF; }, fw::pf32bit); };
  f->acCaptureExecute(f.get());
  EXPECT_EQ(Width(f->Image1), 7);
  EXPECT_EQ(Shown(f->Image1)->PixelFormat(), fw::pf24bit);
  EXPECT_EQ(Pixels(f->ImageModified), Pixels(f->Image1));
  EXPECT_EQ(Pixels(f->imgcompare), Pixels(f->Image1));
  EXPECT_EQ(Pixels(f->LoadedImage), Pixels(f->Image1));
  EXPECT_EQ(f->trresize->Position(), 100);
  EXPECT_EQ(f->StatusText(0), u"7 x 5 x 24b");
  EXPECT_EQ(f->ModifiedUndoStack.size(), 1u);
}

TEST_F(ImagePage, SavingWritesTheChosenImageAndRemembersItsFolder) {
  f->acSavemdefaultUpdate(f.get());
  f->acSaveModifiedUpdate(f.get());
  EXPECT_FALSE(f->acSavemdefault->Enabled());
  EXPECT_FALSE(f->acSaveModified->Enabled());
  OpenBitmap(6, 4, Sample);
  f->btninvertClick(f.get());
  f->acSavemdefaultUpdate(f.get());
  EXPECT_TRUE(f->acSavemdefault->Enabled());
  struct Case {
    fw::TAction* action;
    fw::TImage* view;
    const char16_t* title;
  } cases[] = {{f->acSavemdefault, f->Image1, u"Save Default image as.."},
               {f->acSaveModified, f->ImageModified, u"Save modified image as.."}};
  int n = 0;
  for (const Case& c : cases) {
    const String sub = dir.Path() + u"\\out" + fw::IntToStr(++n);
    fw::ForceDirectories(sub);
    gDialogs.file = sub + u"\\saved.bmp";
    c.action->Execute();
    EXPECT_EQ(gDialogs.titles.back(), c.title);
    TBitmap saved;
    saved.LoadFromFile(gDialogs.file);
    EXPECT_EQ(Pixels(&saved), Pixels(c.view));
  }
  EXPECT_EQ(f->dlgSavedefault->InitialDir(), dir.Path() + u"\\out1\\");
  EXPECT_EQ(f->dlgsavemodified->InitialDir(), dir.Path() + u"\\out2\\");
}

TEST_F(ImagePage, ExpandingARollOutCollapsesTheOthers) {
  std::vector<ck::TCkRollOut*> rollOuts = {f->roResize, f->roRotate, f->roZoom, f->roColorRange,
                                           f->roHSV, f->roBrightness, f->roEffects};
  for (ck::TCkRollOut* r : rollOuts) ASSERT_NE(r, nullptr);
  for (ck::TCkRollOut* expanded : rollOuts) {
    expanded->SetCollapsed(false);
    fwtest::Pump();
    for (ck::TCkRollOut* r : rollOuts)
      EXPECT_EQ(r->Collapsed(), r != expanded) << fw::StringToUtf8(expanded->Name()) << " " << fw::StringToUtf8(r->Name());
  }
  f->roBrightnessExpand(nullptr);
  for (ck::TCkRollOut* r : rollOuts) EXPECT_TRUE(r->Collapsed());
}

TEST_F(ImagePage, DisplayAspectBitmapCentresTheBitmapOnWhite) {
  auto black = MakeBitmap(20, 10, [](int, int) { return 0x000000; });
  fw::TImage* view = f->imgcompare;
  view->SetAutoSize(false);
  struct Case {
    int w, h;
    int blackX, blackY, whiteX, whiteY;
  } cases[] = {{40, 10, 20, 5, 5, 5}, {20, 30, 10, 15, 10, 3}};
  for (const Case& c : cases) {
    view->SetBounds(view->Left(), view->Top(), c.w, c.h);
    f->DisplayAspectBitmap(black.get(), view);
    EXPECT_EQ(Width(view), c.w);
    EXPECT_EQ(Height(view), c.h);
    EXPECT_EQ(Shown(view)->Canvas()->Pixel(c.blackX, c.blackY), 0x000000);
    EXPECT_EQ(Shown(view)->Canvas()->Pixel(c.whiteX, c.whiteY), 0xFFFFFF);
  }
}

TEST_F(ImagePage, TheFormBindsEveryControlOfThePageToItsHandler) {
  using F = TImageForm;
  auto method = [&](void (F::*handler)(fw::TObject*)) { return fw::TNotifyEvent(f.get(), handler).Method(); };
  struct Case {
    const char* control;
    fw::TMethod bound;
    void (F::*handler)(fw::TObject*);
  } cases[] = {
      {"btn100", static_cast<fw::TControl*>(f->FindComponent(u"btn100"))->OnClick.Method(), &F::btn100Click},
      {"btn0", static_cast<fw::TControl*>(f->FindComponent(u"btn0"))->OnClick.Method(), &F::btn0Click},
      {"btnRestoreImage1", static_cast<fw::TControl*>(f->FindComponent(u"btnRestoreImage1"))->OnClick.Method(), &F::btnRestoreImage1Click},
      {"btnapply", static_cast<fw::TControl*>(f->FindComponent(u"btnapply"))->OnClick.Method(), &F::btnapplyClick},
      {"btncropdefault", static_cast<fw::TControl*>(f->FindComponent(u"btncropdefault"))->OnClick.Method(), &F::btncropdefaultClick},
      {"btncropmodified", static_cast<fw::TControl*>(f->FindComponent(u"btncropmodified"))->OnClick.Method(), &F::btncropdefaultClick},
      {"btntoblack", static_cast<fw::TControl*>(f->FindComponent(u"btntoblack"))->OnClick.Method(), &F::btntoblackClick},
      {"btninvert", static_cast<fw::TControl*>(f->FindComponent(u"btninvert"))->OnClick.Method(), &F::btninvertClick},
      {"btngray", static_cast<fw::TControl*>(f->FindComponent(u"btngray"))->OnClick.Method(), &F::btngrayClick},
      {"Edge detect", static_cast<fw::TControl*>(f->FindComponent(u"CkTransparentButton3"))->OnClick.Method(), &F::CkTransparentButton3Click},
      {"AntiAlias", static_cast<fw::TControl*>(f->FindComponent(u"CkTransparentButton4"))->OnClick.Method(), &F::CkTransparentButton4Click},
      {"CkImage2", f->CkImage2->OnClick.Method(), &F::CkImage2Click},
      {"btnminus enter", f->btnminus->OnMouseEnter.Method(), &F::btnminusMouseEnter},
      {"btnplus enter", f->btnplus->OnMouseEnter.Method(), &F::btnplusMouseEnter},
      {"imagedlg show", f->imagedlg->FOnShow.Method(), &F::imagedlgShow},
      {"sampleimagedlg show", f->sampleimagedlg->FOnShow.Method(), &F::imagedlgShow},
      {"acminus", f->acminus->OnExecute.Method(), &F::acminusExecute},
      {"acplus", f->acplus->OnExecute.Method(), &F::acplusExecute},
      {"acUndoModified", f->acUndoModified->OnExecute.Method(), &F::acUndoModifiedExecute},
      {"acCapture", f->acCapture->OnExecute.Method(), &F::acCaptureExecute},
      {"acSavemdefault", f->acSavemdefault->OnExecute.Method(), &F::acSavemdefaultExecute},
      {"acSaveModified", f->acSaveModified->OnExecute.Method(), &F::acSaveModifiedExecute},
  };
  for (const Case& c : cases) EXPECT_TRUE(c.bound == method(c.handler)) << c.control;
  EXPECT_EQ(f->btnminus->Action(), f->acminus);
  EXPECT_EQ(f->btnplus->Action(), f->acplus);
  EXPECT_EQ(static_cast<fw::TControl*>(f->FindComponent(u"btnundomodified"))->Action(), f->acUndoModified);
  EXPECT_EQ(f->sampleimagedlg->Title(), u"Open sample image");
  EXPECT_EQ(f->sampleimagedlg->Filter(), f->imagedlg->Filter());
  EXPECT_EQ(f->dlgSavedefault->Filter(), u"Bitmap Image(*.bmp)|*.bmp");
  EXPECT_TRUE(f->dlgSavedefault->Options().Contains(fw::ofOverwritePrompt));
  ASSERT_NE(f->Capture, nullptr);
  ASSERT_NE(f->crop, nullptr);
  EXPECT_EQ(f->crop->Delay(), 100u);
  EXPECT_FALSE(f->crop->ShowHint());
}

TEST_F(ImagePage, TaskBarAndMenuItemsRunOpenSampleImagesAndCapture) {
  // The task bar sits in the tool column above the two groups.
  auto* container = static_cast<fw::TControl*>(f->xpLoad->Parent());
  fw::TControl* gbdefault = static_cast<fw::TControl*>(f->FindComponent(u"gbdefault"));
  fw::TControl* gbmodified = static_cast<fw::TControl*>(f->FindComponent(u"gbmodified"));
  EXPECT_EQ(container->Parent(), f->ImageLoad);
  EXPECT_EQ(f->xpLoad->Caption(), u"Image");
  ASSERT_EQ(f->xpLoad->Items()->Count(), 2);
  EXPECT_EQ(f->xpLoad->Items()->Items(0)->Caption(), u"Open");
  EXPECT_EQ(f->xpLoad->Items()->Items(1)->Caption(), u"Capture");
  EXPECT_LE(container->Top() + container->Height(), gbdefault->Top());
  EXPECT_LE(gbdefault->Top() + gbdefault->Height(), gbmodified->Top());
  EXPECT_LE(gbmodified->Top() + gbmodified->Height(), f->CkImage2->Top());
  EXPECT_LE(f->xpLoad->Top() + f->xpLoad->Height(), container->Height());

  // Items clicked with the mouse.
  f->ImageLoad->BringToFront();
  f->Wizard->SetActivePageIndex(kPageImageLoad);
  fwtest::Pump();
  xptest::VirtualMouse mouse;
  for (int i = 0; i < 2; ++i) {
    fw::TRect r;
    f->xpLoad->VisibleItemRect(i, r);
    mouse.Click(f->xpLoad, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    fwtest::Pump();
  }
  ASSERT_EQ(gDialogs.titles.size(), 1u);
  EXPECT_EQ(gCaptureCalls, 1);

  // The menu items of "Image", by their commands.
  for (const char16_t* name : {u"Open1", u"Sampleimages1", u"Capture1"}) {
    auto* item = dynamic_cast<fw::TMenuItem*>(f->FindComponent(name));
    ASSERT_NE(item, nullptr);
    SendMessageW(f->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    fwtest::Pump();
  }
  EXPECT_EQ(gDialogs.titles.size(), 3u);
  EXPECT_EQ(gDialogs.initialDirs.back(), SamplesFolder());
  EXPECT_EQ(gCaptureCalls, 2);
  EXPECT_EQ(static_cast<fw::TMenuItem*>(f->FindComponent(u"Open1"))->ShortCut(), fw::TextToShortCut(u"Ctrl+O"));
  EXPECT_EQ(static_cast<fw::TMenuItem*>(f->FindComponent(u"Sampleimages1"))->ShortCut(),
            fw::TextToShortCut(u"Ctrl+Alt+S"));
  EXPECT_EQ(static_cast<fw::TMenuItem*>(f->FindComponent(u"Capture1"))->ShortCut(), fw::TextToShortCut(u"Ctrl+Alt+C"));
}

namespace {

std::vector<WPARAM> gViewCommands;

LRESULT CALLBACK FakeShellView(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND) gViewCommands.push_back(wp);
  return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace

TEST_F(ImagePage, TheOpenDialogsFileListIsAskedForThumbnails) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = FakeShellView;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SHELLDLL_DefView";
  RegisterClassW(&wc);
  HWND frame = CreateWindowExW(0, L"STATIC", L"frame", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND view = CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD, 0, 0, 5, 5, frame, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(frame && view);
  gViewCommands.clear();
  PostMessageW(f->Handle(), WM_USER, reinterpret_cast<WPARAM>(frame), 0);
  fwtest::Pump();
  ASSERT_EQ(gViewCommands.size(), 1u);
  EXPECT_EQ(gViewCommands[0], 28717u);
  // A frame without that view, or one already gone, is left alone.
  DestroyWindow(view);
  PostMessageW(f->Handle(), WM_USER, reinterpret_cast<WPARAM>(frame), 0);
  DestroyWindow(frame);
  PostMessageW(f->Handle(), WM_USER, reinterpret_cast<WPARAM>(frame), 0);
  fwtest::Pump();
  EXPECT_EQ(gViewCommands.size(), 1u);
  UnregisterClassW(L"SHELLDLL_DefView", wc.hInstance);
}

TEST(ImagePageRollOut, InvalidSettingsAreReportedAsAnErrorAndTheFormStillGoesAway) {
  apptest::InitialiseProgramUnits();
  const char16_t* settings[] = {u"Placement = plNowhere", u"FAHeight = 'tall'", u"Colors.ButtonColor = clNoSuchColour"};
  for (const char16_t* setting : settings) {
    auto* form = new fw::TForm(nullptr);
    const String text = String(u"object TForm\n  object roBad: TCkRollOut\n    ") + setting + u"\n  end\nend\n";
    String message;
    try {
      fw::ReadRootComponent(form, text, u"rollout.form");
    } catch (const fw::Exception& e) {
      message = e.Message();
    }
    EXPECT_FALSE(message.empty()) << fw::StringToUtf8(setting);
    EXPECT_EQ(message.find(u"TCkRollOut"), String::npos) << fw::StringToUtf8(message);
    form->Free();
  }
}

// The image page with its sliders skinned by each program skin through the
// window's skin manager (one of them disabled), written as screenshots for
// looking at; without the skin they are system scroll bars again.
TEST(ImagePageSkinned, SlidersPaintFromTheSkin) {
  apptest::InitialiseProgramUnits();
  apptest::AppDataFolder appData{"image_page_skinned"};
  apptest::SampleTextKeeper keep;
  FormPtr f(fw::NewForm<TImageForm>(nullptr));
  f->SetPosition(fw::poDesigned);
  f->Show();
  f->Wizard->SetActivePageIndex(kPageImageLoad);
  fwtest::Pump();
  f->roResize->Expand();
  f->roHSV->Expand();
  fwtest::Pump();
  f->tbsaturation->SetEnabled(false);
  SetForegroundWindow(f->WindowHandle());
  EXPECT_TRUE(fwtest::PumpUntil([&] { return skin::FindProviderByHandle(f->WindowHandle()) != nullptr; }, 20000))
      << "the window wears the skin as well";
  const std::pair<const char*, const char16_t*> skins[] = {{"sapphire.ksz", u"Sapphire (internal)"},
                                                           {"topaz.ksz", u"Topaz (internal)"}};
  for (const auto& [file, name] : skins) {
    f->kSkinManager1->WriteSkinName(name);
    EXPECT_TRUE(fwtest::PumpUntil([&] {
      return fwtest::ClassNameOf(f->tbvalue->Handle()) == "TkScrollBar" &&
             fwtest::ClassNameOf(f->tbhue->Handle()) == "TkScrollBar";
    }, 20000)) << file;
    RedrawWindow(f->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    fwtest::Pump(200);
    auto shot = scenarios::ScreenshotOf(f->WindowHandle());
    scenarios::SavePng(shot.get(), scenarios::ScreenshotPath(std::string("image_page_sliders_") + file + ".png"));
  }
  f->kSkinManager1->WriteActive(false);
  EXPECT_EQ(fwtest::ClassNameOf(f->tbvalue->Handle()), "TkSystemScrollBar");
}
