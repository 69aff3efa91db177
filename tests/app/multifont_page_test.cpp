// The multi-font page on the main window built from its form description:
// every entry's sample is drawn in that entry's own face, damaged files are
// listed without a substitute face, the column buttons and the size slider
// lay the list out, and the fonts the list loaded leave the font table when
// the list changes or the window goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "app/font_loading.h"
#include "app/image_form.h"
#include "app/listed_fonts.h"
#include "app/multifont_page.h"
#include "font_fixtures.h"
#include "fw/core/sysutils.h"
#include "fw/stdctrls_test_util.h"
#include "main_window_util.h"
#include "app/sample_images.h"
#include "app/image_page.h"
#include "scenarios/screenshot_png.h"

namespace app {
namespace {

fw::String gBrowseAnswer;  // empty: cancelled
fw::String gBrowseTitle;
bool AnswerFontFolder(TImageForm*, const fw::String& Title, fw::String& Folder) {
  gBrowseTitle = Title;
  Folder = gBrowseAnswer;
  return !Folder.empty();
}

// A Debian font renamed so that only the copy in the test folder has its face.
struct TOwnFont {
  const char* Source;
  const char* File;
  const char* From;
  const char* To;
  const char16_t* Face;
};
const TOwnFont kThreeFonts[] = {
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "a_sans.ttf", "DejaVu", "Vlmfsa", u"Vlmfsa Sans"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", "b_serif.ttf", "DejaVu", "Vlmfse", u"Vlmfse Serif"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", "c_mono.ttf", "DejaVu", "Vlmfmo", u"Vlmfmo Sans Mono"},
};

bool WriteOwnFont(const TTempDir& dir, const TOwnFont& f) {
  if (!fixtures::Exists(fixtures::Unix(f.Source))) return false;
  fixtures::Bytes data = fixtures::ReadAll(fixtures::Unix(f.Source));
  fixtures::Rename(data, f.From, f.To);
  fw::WriteFileBytes(dir.Path(f.File), data);
  return true;
}

fw::String FolderOf(const TTempDir& dir) { return dir.Dir().u16string(); }

// Dark pixels of a bitmap part, as a mask cut to their bounding box.
struct TInk {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Mask;
  int Count() const { return static_cast<int>(std::count(Mask.begin(), Mask.end(), 1)); }
};

// Black-ish ink; the red of the error lines is not.
bool IsDark(fw::TColor c) { return (c & 0xFF) < 128 && (c >> 8 & 0xFF) < 128 && (c >> 16 & 0xFF) < 128; }

TInk InkOf(fw::TBitmap* b, const fw::TRect& r) {
  int left = r.Right, top = r.Bottom, right = r.Left, bottom = r.Top;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (IsDark(fwtest::PixelAt(b, x, y))) {
        left = std::min(left, x);
        right = std::max(right, x + 1);
        top = std::min(top, y);
        bottom = std::max(bottom, y + 1);
      }
  TInk ink;
  if (right <= left) return ink;
  ink.Width = right - left;
  ink.Height = bottom - top;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) ink.Mask.push_back(IsDark(fwtest::PixelAt(b, x, y)) ? 1 : 0);
  return ink;
}

// Share of mask positions on which two inks agree (0 when their sizes differ
// by more than a pixel).
double Agreement(const TInk& a, const TInk& b) {
  if (a.Count() == 0 || b.Count() == 0) return 0;
  if (std::abs(a.Width - b.Width) > 1 || std::abs(a.Height - b.Height) > 1) return 0;
  const int w = std::min(a.Width, b.Width), h = std::min(a.Height, b.Height);
  // A glyph reaching left of the list's edge loses a column: the wider ink
  // is also compared one pixel further right.
  double best = 0;
  for (int ax = 0; ax <= a.Width - w; ++ax)
    for (int bx = 0; bx <= b.Width - w; ++bx) {
      int same = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) same += a.Mask[y * a.Width + x + ax] == b.Mask[y * b.Width + x + bx];
      best = std::max(best, static_cast<double>(same) / (w * h));
    }
  return best;
}

// The text as the face draws it at the size, black on white.
TInk Rendering(const fw::String& face, int size, const fw::String& text) {
  fw::TBitmap b;
  b.SetPixelFormat(fw::pf24bit);
  b.SetSize(900, 200);
  b.Canvas()->Brush()->SetColor(fw::clWhite);
  b.Canvas()->FillRect(fw::Rect(0, 0, 900, 200));
  b.Canvas()->Font()->SetName(face);
  b.Canvas()->Font()->SetSize(size);
  b.Canvas()->Font()->SetColor(fw::clBlack);
  b.Canvas()->Brush()->SetStyle(fw::bsClear);
  b.Canvas()->TextOut(4, 4, text);
  return InkOf(&b, fw::Rect(0, 0, 900, 200));
}

// What the list window shows, read from its own surface.
std::unique_ptr<fw::TBitmap> Shot(fw::TWinControl* control) {
  UpdateWindow(control->Handle());
  fwtest::Pump();
  UpdateWindow(control->Handle());
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(control->Width(), control->Height());
  HDC dc = GetDC(control->Handle());
  BitBlt(b->Canvas()->Handle(), 0, 0, control->Width(), control->Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(control->Handle(), dc);
  return b;
}

class MultiFontPage : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::InitialiseProgramUnits();
    form = fw::NewForm<TImageForm>(nullptr);
    form->SetPosition(fw::poDesigned);
    form->SetBounds(0, 0, 900, 700);
    ASSERT_NE(form->fontbox, nullptr);
    ASSERT_NE(form->SliderFont, nullptr);
    form->Show();
    if (form->pan) form->pan->Hide();  // it would cover entries
    fwtest::Pump();
    SetBrowseFontFolderProc(AnswerFontFolder);
    gBrowseAnswer.clear();
  }
  void TearDown() override {
    SetBrowseFontFolderProc(nullptr);
    if (form) form->Free();
    form = nullptr;
  }
  void Browse(const TTempDir& dir) {
    gBrowseAnswer = FolderOf(dir);
    form->mnbrowseClick(form);
    fwtest::Pump();
  }
  std::vector<fw::String> Entries() const {
    std::vector<fw::String> out;
    for (int i = 0; i < form->fontbox->Items()->Count(); ++i) out.push_back(form->fontbox->Items()->Get(i));
    return out;
  }
  // Below the caption line, inside the focus frame.
  fw::TRect SampleLine(int index) const {
    const fw::TRect r = form->fontbox->ItemRect(index);
    return fw::Rect(r.Left + 1, r.Top + 15, r.Right - 1, r.Bottom - 1);
  }

  apptest::AppDataFolder appData{"multifont_page"};
  apptest::SampleTextKeeper keep;
  TImageForm* form = nullptr;
};

TEST_F(MultiFontPage, EachSampleIsDrawnInItsOwnFace) {
  TTempDir dir;
  for (const TOwnFont& f : kThreeFonts)
    if (!WriteOwnFont(dir, f)) GTEST_SKIP() << f.Source << " is not installed";
  form->edsample->SetText(u"Rag Quiz");
  Browse(dir);
  ASSERT_EQ(form->fontbox->Items()->Count(), 3);
  EXPECT_EQ(form->StatusText(1), u"3 font file(s)");
  const int v = form->SliderFont->Value();
  auto shot = Shot(form->fontbox);
  std::vector<TInk> rows;
  for (int i = 0; i < 3; ++i) {
    // Entries come in the folder's order: the names sort them.
    rows.push_back(InkOf(shot.get(), SampleLine(i)));
    const TInk own = Rendering(kThreeFonts[i].Face, v, u"Rag Quiz");
    const TInk substitute = Rendering(form->fontbox->Font()->Name(), v, u"Rag Quiz");
    EXPECT_GT(Agreement(rows[i], own), 0.97) << "entry " << i;
    EXPECT_LT(Agreement(rows[i], substitute), 0.9) << "entry " << i;
  }
  EXPECT_LT(Agreement(rows[0], rows[1]), 0.9);
  EXPECT_LT(Agreement(rows[1], rows[2]), 0.9);
  EXPECT_LT(Agreement(rows[0], rows[2]), 0.9);
}

TEST_F(MultiFontPage, DamagedFilesAreListedWithoutASubstituteFace) {
  TTempDir dir;
  if (!WriteOwnFont(dir, kThreeFonts[0])) GTEST_SKIP() << "no DejaVu";
  fixtures::WriteGarbage(dir, "b_garbage.ttf");
  fw::WriteFileBytes(dir.Path("c_empty.otf"), fixtures::Bytes{});
  Browse(dir);
  ASSERT_EQ(form->fontbox->Items()->Count(), 3);
  auto shot = Shot(form->fontbox);
  const auto count = [&](int index, fw::TColor color) { return fwtest::CountColor(shot.get(), color, SampleLine(index)); };
  const auto dark = [&](int index) { return InkOf(shot.get(), SampleLine(index)).Count(); };
  EXPECT_GT(dark(0), 50) << "the sound font is drawn";
  for (int bad : {1, 2}) {
    EXPECT_GT(count(bad, 0x0000FF), 20) << "entry " << bad << " says it is bad";
    EXPECT_EQ(dark(bad), 0) << "entry " << bad << " has no sample in another face";
  }
  EXPECT_EQ(form->ListedFonts().AddedCount(), 1);
}

TEST_F(MultiFontPage, ColumnButtonsAndSliderLayTheListOut) {
  TTempDir dir;
  for (const TOwnFont& f : kThreeFonts) WriteOwnFont(dir, f);
  fixtures::WriteGarbage(dir, "d_garbage.ttf");
  Browse(dir);
  const std::vector<fw::String> before = Entries();
  ASSERT_FALSE(before.empty());
  struct Case {
    fw::TSpeedButton* TImageForm::*Button;
    int v;
    fw::TListBoxStyle style;
    int columns, itemHeight;
  } cases[] = {
      {&TImageForm::col3, 25, fw::lbOwnerDrawFixed, 3, 63},
      {&TImageForm::col8, 100, fw::lbOwnerDrawFixed, 8, 155},
      {&TImageForm::col2, 2, fw::lbOwnerDrawFixed, 2, 19},
      {&TImageForm::col1, 25, fw::lbOwnerDrawVariable, 0, 15},
  };
  for (const Case& c : cases) {
    form->SliderFont->SetValue(c.v);
    form->SliderFontChanged(form->SliderFont);
    fw::TSpeedButton* button = form->*c.Button;
    button->SetDown(true);
    form->col1Click(button);
    fwtest::Pump();
    const std::string at = fw::StringToUtf8(button->Caption()) + " at " + std::to_string(c.v);
    EXPECT_EQ(form->fontbox->Style(), c.style) << at;
    EXPECT_EQ(form->fontbox->Columns(), c.columns) << at;
    EXPECT_EQ(form->fontbox->ItemHeight(), c.itemHeight) << at;
    EXPECT_EQ(form->lbFontSize->Caption(), fw::IntToStr(c.v)) << at;
    EXPECT_EQ(Entries(), before) << at;
  }
  // In several columns the slider alone changes the height.
  form->col4->SetDown(true);
  form->col1Click(form->col4);
  form->SliderFont->SetValue(100);
  form->SliderFontChanged(form->SliderFont);
  EXPECT_EQ(form->fontbox->ItemHeight(), 155);
  // One column: each entry is measured for the size before it is drawn.
  form->col1->SetDown(true);
  form->col1Click(form->col1);
  int height = 0;
  form->fontboxMeasureItem(form->fontbox, 0, height);
  EXPECT_EQ(height, 230);
}

int FamilyCount() { return static_cast<int>(InstalledFontNames().size()); }

TEST_F(MultiFontPage, LoadedFontsLeaveTheFontTableWhenTheListChanges) {
  TTempDir dir, empty;
  for (const TOwnFont& f : kThreeFonts)
    if (!WriteOwnFont(dir, f)) GTEST_SKIP() << f.Source << " is not installed";
  const std::vector<fw::String> families = InstalledFontNames();
  Browse(dir);
  Shot(form->fontbox);
  EXPECT_EQ(form->ListedFonts().AddedCount(), 3);
  EXPECT_TRUE(FaceIsInstalled(kThreeFonts[1].Face));
  EXPECT_EQ(FamilyCount(), static_cast<int>(families.size()) + 3);
  // Drawing again adds nothing more.
  form->fontbox->Invalidate();
  Shot(form->fontbox);
  EXPECT_EQ(FamilyCount(), static_cast<int>(families.size()) + 3);

  Browse(empty);
  EXPECT_EQ(form->fontbox->Items()->Count(), 0);
  EXPECT_EQ(form->ListedFonts().AddedCount(), 0);
  EXPECT_EQ(InstalledFontNames(), families);

  // The window going takes them too.
  Browse(dir);
  Shot(form->fontbox);
  EXPECT_TRUE(FaceIsInstalled(kThreeFonts[0].Face));
  form->Free();
  form = nullptr;
  EXPECT_EQ(InstalledFontNames(), families);
}

TEST_F(MultiFontPage, BrowsingAsksWithTheSubfolderTitleAndCancelKeepsTheList) {
  TTempDir dir;
  WriteOwnFont(dir, kThreeFonts[0]);
  std::filesystem::create_directories(dir.Dir() / "sub");
  fixtures::WriteGarbage(dir, "sub/z_inner.ttf");
  form->mnsubdirs->SetChecked(false);
  Browse(dir);
  EXPECT_EQ(gBrowseTitle, u"Select folder folder with fonts");
  EXPECT_EQ(form->fontbox->Items()->Count(), 1);
  form->mnsubdirs->SetChecked(true);
  Browse(dir);
  EXPECT_EQ(gBrowseTitle, u"Select folder folder with fonts - INCLUDING subdirectories.");
  EXPECT_EQ(form->fontbox->Items()->Count(), 2);
  EXPECT_TRUE(form->cbfolders->Checked());
  gBrowseAnswer.clear();
  form->mnbrowseClick(form);
  EXPECT_EQ(form->fontbox->Items()->Count(), 2);
}

TEST_F(MultiFontPage, ResultsOfAnInstalledFontsSearchListFaceNamesWithScores) {
  std::vector<fw::String> faces = InstalledFontNames();
  faces.erase(std::remove_if(faces.begin(), faces.end(), [](const fw::String& f) { return f.starts_with(u"@"); }),
              faces.end());
  ASSERT_GE(faces.size(), 5u);
  form->cbsysytem->SetChecked(true);
  for (int i = 0; i < 5; ++i) {
    fw::TListItem* item = form->ListView->Items()->Add();
    item->SetCaption(faces[i]);
    item->SubItems()->Add(fw::IntToStr(90 - i) + u".50");
    item->SubItems()->Add(u"System font");
  }
  form->lbviewallClick(form);
  fwtest::Pump();
  EXPECT_EQ(form->Wizard->ActivePageIndex(), kPageMultipreview);
  EXPECT_EQ(Entries(), std::vector<fw::String>(faces.begin(), faces.begin() + 5));
  EXPECT_EQ(form->StatusText(1), u"5 font(s)");
  // The caption line is drawn: the score's digits are ink next to the name.
  auto shot = Shot(form->fontbox);
  const fw::TRect first = form->fontbox->ItemRect(0);
  EXPECT_GT(InkOf(shot.get(), fw::Rect(first.Left + 22, first.Top, first.Right, first.Top + 15)).Count(), 20);

  form->fontbox->ClearSelection();
  form->fontbox->SetSelected(2, true);
  form->fontbox->SetItemIndex(2);
  form->fontboxClick(form->fontbox);
  EXPECT_EQ(form->StatusText(1), u"3 of 5");
  WORD key = 'A';
  form->fontboxKeyDown(form->fontbox, key, fw::TShiftState{fw::ssCtrl});
  EXPECT_EQ(form->StatusText(1), u"Selected 5 of 5");
}

TEST_F(MultiFontPage, ColoursPickedOnTheFloatingPictureColourTheSamples) {
  TTempDir dir;
  if (!WriteOwnFont(dir, kThreeFonts[0])) GTEST_SKIP() << "no DejaVu";
  Browse(dir);
  struct Case {
    fw::TMouseButton button;
    fw::TColor picked;
    fw::TColor* target;
  } cases[] = {
      {fw::mbLeft, 0x008000, &form->PreviewFontColor},
      {fw::mbRight, 0xE0F0FF, &form->PreviewBackColor},
  };
  for (const Case& c : cases) {
    form->Magpnl2->SetColor(c.picked);
    form->immoveMouseDown(form->immove, c.button, {}, 5, 5);
    EXPECT_EQ(*c.target, c.picked);
  }
  form->fontbox->ClearSelection();
  auto shot = Shot(form->fontbox);
  const fw::TRect line = SampleLine(0);
  const int area = line.Width() * line.Height();
  EXPECT_GT(fwtest::CountColor(shot.get(), 0xE0F0FF, line), area / 2) << "background";
  EXPECT_GT(fwtest::CountColor(shot.get(), 0x008000, line), 50) << "ink";
  form->PreviewFontColor = 0x000000;
  form->PreviewBackColor = 0xFFFFFF;
}

TEST_F(MultiFontPage, PaneAndMenuCommandsWorkOnThisPageOnly) {
  struct Case {
    int page;
    bool enabled;
  } cases[] = {{kPageImageLoad, false}, {kPageRun, false}, {kPageMultipreview, true}};
  for (const Case& c : cases) {
    form->Wizard->SetActivePageIndex(c.page);
    for (fw::TAction* a : {form->acnames, form->acpane, form->accustom}) {
      a->Update();
      EXPECT_EQ(a->Enabled(), c.enabled) << fw::StringToUtf8(a->Name()) << " on page " << c.page;
    }
  }
  form->pan->Show();
  form->acpaneUpdate(form->acpane);
  EXPECT_TRUE(form->acpane->Checked());
  form->acpaneExecute(form->acpane);
  EXPECT_FALSE(form->pan->Visible());
  form->acpaneExecute(form->acpane);
  EXPECT_TRUE(form->pan->Visible());
  form->Panel10Click(form->Panel10);
  EXPECT_FALSE(form->pan->Visible());
  form->acpaneUpdate(form->acpane);
  EXPECT_FALSE(form->acpane->Checked());
  // The pictures the panel can take.
  auto picture = std::make_unique<fw::TBitmap>();
  picture->SetPixelFormat(fw::pf24bit);
  picture->SetSize(31, 17);
  form->Image1->Picture()->SetGraphic(picture.get());
  form->CroppedLoadedImage1Click(form);
  EXPECT_EQ(form->immove->Picture()->Width(), 31);
  picture->SetSize(12, 19);
  form->sampleimage->Picture()->SetGraphic(picture.get());
  form->CroppedCharacter1Click(form);
  EXPECT_EQ(form->immove->Picture()->Height(), 19);
}

TEST_F(MultiFontPage, FontNamesShowsEachFontsNameInItsOwnFace) {
  TTempDir dir;
  if (!WriteOwnFont(dir, kThreeFonts[1])) GTEST_SKIP() << "no DejaVu";
  form->edsample->SetText(u"Rag Quiz");
  Browse(dir);
  struct Case {
    bool names;
    fw::String text;
  } cases[] = {{true, kThreeFonts[1].Face}, {false, u"Rag Quiz"}};
  for (const Case& c : cases) {
    form->acnames->SetChecked(c.names);
    form->acnamesExecute(form->acnames);
    auto shot = Shot(form->fontbox);
    const TInk row = InkOf(shot.get(), SampleLine(0));
    const TInk own = Rendering(kThreeFonts[1].Face, form->SliderFont->Value(), c.text);
    EXPECT_GT(Agreement(row, own), 0.97) << fw::StringToUtf8(c.text);
  }
}

TEST_F(MultiFontPage, FloatingPanelFollowsTheCursorWhileItsButtonIsDown) {
  form->pan->Show();
  form->pan->SetBounds(600, 130, 200, 150);
  // The list lies at (44, 110) of the page, which is 900 x 598.
  struct Case {
    bool down;
    fw::TShiftState shift;
    int x, y;
    int left, top;
  } cases[] = {
      {true, {}, 100, 50, 151, 195},             // right of and below the cursor
      {true, {}, 700, 50, 534, 195},             // near the right edge: to its left
      {true, {}, 100, 400, 151, 435},            // near the bottom: half a panel up
      {true, {fw::ssCtrl}, 300, 300, 151, 435},  // Ctrl holds it where it is
      {false, {}, 300, 300, 151, 435},           // the button up: it stays
  };
  for (const Case& c : cases) {
    form->btnmove->SetDown(c.down);
    form->fontboxMouseMove(form->fontbox, c.shift, c.x, c.y);
    EXPECT_EQ(form->pan->Left(), c.left) << c.x << "," << c.y;
    EXPECT_EQ(form->pan->Top(), c.top) << c.x << "," << c.y;
  }
}

// Screenshots of the page with a folder of fonts, in one and in three
// columns, with the floating picture showing a sample image.
TEST_F(MultiFontPage, ShowsAFolderOfFontsBesideItsFloatingPicture) {
  TTempDir dir;
  for (const TOwnFont& f : kThreeFonts) WriteOwnFont(dir, f);
  const struct {
    const char* Source;
    const char* File;
  } kMore[] = {
      {"/usr/share/fonts/truetype/liberation2/LiberationSerif-Italic.ttf", "d_serif_italic.ttf"},
      {"/usr/share/fonts/truetype/croscore/Cousine-Bold.ttf", "e_cousine.ttf"},
      {"/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf", "f_nimbus.otf"},
      {"/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-BoldOblique.ttf", "g_condensed.ttf"},
  };
  for (const auto& m : kMore)
    if (fixtures::Exists(fixtures::Unix(m.Source)))
      fw::WriteFileBytes(dir.Path(m.File), fixtures::ReadAll(fixtures::Unix(m.Source)));
  fixtures::WriteGarbage(dir, "h_damaged.ttf");
  WriteSampleImages(SamplesFolder(), false);
  form->edsample->SetText(u"Sphinx of black quartz");
  Browse(dir);
  form->immove->Picture()->LoadFromFile(SamplesFolder() + u"\\sample_pink.bmp");
  form->pan->SetBounds(form->pan->Left(), form->pan->Top(), form->pan->Width(), 150);
  form->pan->Show();
  form->pan->BringToFront();
  form->fontbox->SetSelected(1, true);
  form->fontbox->SetItemIndex(1);
  form->SetStatusText(1, u"2 of " + fw::IntToStr(form->fontbox->Items()->Count()));
  Shot(form->fontbox);
  fwtest::Pump();
  EXPECT_TRUE(scenarios::SavePng(scenarios::ScreenshotOf(form->Handle()).get(),
                                 scenarios::ScreenshotPath("multifont_page.png")));
  form->SliderFont->SetValue(18);
  form->SliderFontChanged(form->SliderFont);
  form->col3->SetDown(true);
  form->col1Click(form->col3);
  Shot(form->fontbox);
  fwtest::Pump();
  EXPECT_TRUE(scenarios::SavePng(scenarios::ScreenshotOf(form->Handle()).get(),
                                 scenarios::ScreenshotPath("multifont_page_columns.png")));
  EXPECT_EQ(form->fontbox->Columns(), 3);
}

}  // namespace
}  // namespace app
