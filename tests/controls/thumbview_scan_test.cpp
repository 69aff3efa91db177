// The thumbnail view over a folder: what a scan lists and in which order,
// its events, damaged and missing files, the filter's masks, adding,
// deleting and emptying, and the view as a form description sets it up.
#include <gtest/gtest.h>

#include <algorithm>

#include "fw/core/sysutils.h"
#include "thumbview_test_util.h"

using namespace ck;
using cktest::CropFolder;
using cktest::ThumbForm;
using fw::String;
using fw::StringToUtf8;

namespace {

std::vector<std::string> Utf8Names(const std::vector<String>& names) {
  std::vector<std::string> r;
  for (const String& n : names) r.push_back(StringToUtf8(n));
  return r;
}

// Records the scan and selection events of a view in order.
struct ScanLog {
  std::vector<std::string> log;
  int stopAt = 0;
  void Start(fw::TObject*, int max) { log.push_back("start " + std::to_string(max)); }
  void Progress(fw::TObject*, int pos, bool& stop) {
    log.push_back("progress " + std::to_string(pos));
    stop = pos == stopAt;
  }
  void Stop(fw::TObject*) { log.push_back("stop"); }
  void Invalid(fw::TObject* sender, const String& file) {
    log.push_back(std::string(dynamic_cast<TCkThumbImage*>(sender) ? "image " : "other ") + "invalid " +
                  StringToUtf8(fw::ExtractFileName(file)));
  }
  void Attach(TCkThumbView* v) {
    v->OnStartScanning = TProgressStartNotify(this, &ScanLog::Start);
    v->OnScanProgress = TProgressNotify(this, &ScanLog::Progress);
    v->OnStopScanning = fw::TNotifyEvent(this, &ScanLog::Stop);
    v->OnInvalidImage = TInvalidImageEvent(this, &ScanLog::Invalid);
  }
};

TEST(ThumbViewScan, FormDescriptionSetsUpTheCropList) {
  ThumbForm f;
  TCkThumbView* v = f.view;
  EXPECT_EQ(v->Width(), 130);
  EXPECT_EQ(v->ThumbWidth(), 100);
  EXPECT_EQ(v->ThumbHeight(), 100);
  EXPECT_EQ(v->MaxX(), 1);
  EXPECT_EQ(v->ScrollMode(), smVertical);
  EXPECT_TRUE(v->AsButtons());
  EXPECT_EQ(v->ThumbColor(), 16244694);
  EXPECT_EQ(StringToUtf8(v->Filter()), "Bitmaps (*.bmp)|*.bmp");
  EXPECT_TRUE(v->VertScrollBar()->Tracking());
  EXPECT_TRUE(v->TabStop());
  EXPECT_TRUE(static_cast<bool>(v->OnDblClick));
  EXPECT_EQ(v->Count(), 0);
  EXPECT_EQ(v->Selected(), -1);
  // The view takes every key and the arrows.
  EXPECT_EQ(SendMessageW(v->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS | DLGC_WANTARROWS);
}

TEST(ThumbViewScan, ListsTheFolderInNameOrderAndSelectsTheFirst) {
  CropFolder crop("thumb_scan");
  ThumbForm f;
  ScanLog events;
  events.Attach(f.view);
  f.view->SetDirectory(crop.Dir());

  std::vector<String> expected = crop.names;
  expected.push_back(u"imgmod_zzz.BMP");
  ASSERT_EQ(f.view->Count(), expected.size());
  EXPECT_EQ(f.Titles(), Utf8Names(expected));
  for (int i = 0; i < 5; ++i) {
    TCkThumbnail* t = f.Thumb(i);
    EXPECT_EQ(StringToUtf8(t->FileName()), StringToUtf8(crop.Path(i + 1))) << i;
    EXPECT_EQ(t->ImageWidth(), 30 + 10 * i) << i;
    EXPECT_EQ(t->ImageHeight(), 40) << i;
    EXPECT_EQ(t->Parent(), f.view);
  }
  EXPECT_EQ(f.view->Selected(), 0);
  EXPECT_EQ(StringToUtf8(f.view->SelectedFile()), StringToUtf8(crop.Path(1)));
  EXPECT_EQ(StringToUtf8(f.view->Directory()), StringToUtf8(crop.Dir()));

  // The damaged file keeps its thumbnail and title but no picture and no
  // file name; the view heard of it from the thumbnail's picture.
  TCkThumbnail* bad = f.Thumb(5);
  EXPECT_EQ(StringToUtf8(bad->Title()), "imgmod_zzz.BMP");
  EXPECT_TRUE(bad->FileName().empty());
  EXPECT_EQ(bad->Photo()->Picture()->Graphic(), nullptr);
  EXPECT_EQ(bad->ImageWidth(), 0);

  std::vector<std::string> want{"start 5"};
  for (int i = 1; i <= 5; ++i) want.push_back("progress " + std::to_string(i));
  want.push_back("progress 6");
  want.push_back("image invalid imgmod_zzz.BMP");
  want.push_back("stop");
  EXPECT_EQ(events.log, want);
}

TEST(ThumbViewScan, ScanEventsForStopsMissingAndEmptyFolders) {
  CropFolder crop("thumb_events", 3);
  ThumbForm f;
  ScanLog events;
  events.Attach(f.view);

  events.stopAt = 1;
  f.view->SetDirectory(crop.Dir());
  EXPECT_EQ(events.log, (std::vector<std::string>{"start 3", "progress 1", "stop"}));
  EXPECT_EQ(f.view->Count(), 0);
  EXPECT_EQ(f.view->Selected(), -1);

  events.stopAt = 3;
  events.log.clear();
  f.view->SetDirectory(crop.Dir());
  EXPECT_EQ(f.view->Count(), 2);
  EXPECT_EQ(f.view->Selected(), 0);
  EXPECT_EQ(events.log.back(), "stop");

  events.stopAt = 0;
  events.log.clear();
  f.view->SetDirectory(crop.Dir() + u"\\missing");
  EXPECT_EQ(events.log, (std::vector<std::string>{"start -1", "stop"}));
  EXPECT_EQ(f.view->Count(), 0);
  EXPECT_EQ(f.view->Selected(), -1);

  f.view->SetDirectory(crop.Dir());
  events.log.clear();
  f.view->SetDirectory(String());
  EXPECT_TRUE(events.log.empty());
  EXPECT_EQ(f.view->Count(), 0);
  EXPECT_EQ(f.view->ControlCount(), 0);
  EXPECT_TRUE(f.view->Directory().empty());
}

struct FilterCase {
  const char16_t* filter;
  int count;
};

TEST(ThumbViewScan, FilterMasksListEachFileOnce) {
  CropFolder crop("thumb_filter", 2);
  const FilterCase cases[] = {
      {u"Bitmaps (*.bmp)|*.bmp", 3},
      {u"*.bmp", 3},
      {u"All|*.bmp;*.BMP|Bitmaps|*.bmp", 3},
      {u"Text|*.txt", 1},
      {u"Text|*.txt;*.bmp", 4},
      {u"Text|*.TXT|Pictures|*.jpg;;*.png", 1},
      {u"Nothing|*.xyz", 0},
  };
  ThumbForm f;
  for (const FilterCase& c : cases) {
    f.view->SetFilter(c.filter);
    f.view->SetDirectory(crop.Dir());
    EXPECT_EQ(f.view->Count(), c.count) << StringToUtf8(c.filter);
  }
}

TEST(ThumbViewScan, UnsortedViewScansAgainAndKeepsEveryFile) {
  CropFolder crop("thumb_unsorted", 4);
  ThumbForm f;
  f.view->SetDirectory(crop.Dir());
  f.view->SetSorted(false);
  EXPECT_FALSE(f.view->ThumbList()->Sorted());
  ASSERT_EQ(f.view->Count(), 5);
  std::vector<std::string> titles = f.Titles();
  std::sort(titles.begin(), titles.end());
  std::vector<String> expected = crop.names;
  expected.push_back(u"imgmod_zzz.BMP");
  EXPECT_EQ(titles, Utf8Names(expected));
  f.view->SetSorted(true);
  EXPECT_EQ(f.Titles(), Utf8Names(expected));
}

TEST(ThumbViewScan, SelectedFileScansItsFolderAndSelectsIt) {
  CropFolder first("thumb_selfile_a", 2);
  CropFolder second("thumb_selfile_b", 4);
  ThumbForm f;
  f.view->SetDirectory(first.Dir());
  f.view->SetSelectedFile(second.Path(3));
  EXPECT_EQ(StringToUtf8(f.view->Directory()), StringToUtf8(second.Dir()));
  EXPECT_EQ(f.view->Count(), 5);
  EXPECT_EQ(f.view->Selected(), 2);
  EXPECT_EQ(StringToUtf8(f.view->SelectedFile()), StringToUtf8(second.Path(3)));

  // A file that is not there: the folder is scanned, the first selected.
  f.view->SetSelectedFile(first.folder / u"imgmod_999.BMP");
  EXPECT_EQ(StringToUtf8(f.view->Directory()), StringToUtf8(first.Dir()));
  EXPECT_EQ(f.view->Count(), 3);
  EXPECT_EQ(f.view->Selected(), 0);
}

struct TitleHook {
  fw::TFont* font = nullptr;
  void GetTitle(fw::TObject*, const String& file, String& title, fw::TFont*& f, fw::TColor& color) {
    title = u"#" + fw::ExtractFileName(file);
    f->SetColor(0x0000FF);
    font = f;
    color = 0x00FFFF;
  }
};

TEST(ThumbViewScan, AddFromFileListsTheFileUnderItsPath) {
  CropFolder crop("thumb_addfile", 3);
  ThumbForm f;
  f.view->SetDirectory(crop.Dir());
  String extra = crop.folder / u"imgmod_004.BMP";
  cktest::WriteBitmapFile(extra, 30, 30, fw::clWhite);

  int index = f.view->AddFromFile(extra);
  ASSERT_GE(index, 0);
  EXPECT_EQ(f.view->Count(), 5);
  EXPECT_EQ(StringToUtf8(f.view->ThumbList()->Strings(index)), StringToUtf8(extra));
  TCkThumbnail* t = f.Thumb(index);
  EXPECT_EQ(StringToUtf8(t->FileName()), StringToUtf8(extra));
  EXPECT_EQ(StringToUtf8(t->Title()), "imgmod_004.BMP");
  EXPECT_EQ(t->Width(), 100);
  EXPECT_EQ(t->Left(), 4);
  EXPECT_EQ(t->Top(), f.view->ThumbTop(index + 1) - f.view->VertScrollBar()->Position());

  // With a title hook, its title, font and colour hold over the first paint.
  TitleHook hook;
  f.view->OnGetTitle = TTitleNotify(&hook, &TitleHook::GetTitle);
  String more = crop.folder / u"imgmod_005.BMP";
  cktest::WriteBitmapFile(more, 30, 30, fw::clWhite);
  index = f.view->AddFromFile(more);
  t = f.Thumb(index);
  fwtest::Capture(t);
  EXPECT_EQ(StringToUtf8(t->Title()), "#imgmod_005.BMP");
  EXPECT_EQ(t->TitleColor(), 0x00FFFF);
  EXPECT_EQ(t->TitleFont()->Color(), 0x0000FF);
  EXPECT_EQ(t->TitlePanel()->Font()->Color(), 0x0000FF);
}

TEST(ThumbViewScan, DeleteOneAndEmptyTheList) {
  CropFolder crop("thumb_delete", 4);
  ThumbForm f;
  f.view->SetDirectory(crop.Dir());
  ASSERT_EQ(f.view->Count(), 5);
  f.view->SetSelected(3);

  TCkThumbnail* third = f.Thumb(2);
  TCkThumbnail* fourth = f.Thumb(3);
  f.view->Delete(1);
  EXPECT_EQ(f.view->Count(), 4);
  EXPECT_EQ(f.Thumb(1), third);
  EXPECT_EQ(f.view->Selected(), -1);
  // The thumbnails after the deleted one move up a cell.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.Thumb(i)->Top() + f.view->VertScrollBar()->Position(), 4 + 104 * i);
  // No thumbnail keeps the highlight of the lost selection.
  EXPECT_EQ(fourth->TitleColor(), fourth->Color());

  f.view->Delete(4);
  f.view->Delete(40);
  EXPECT_EQ(f.view->Count(), 4);

  f.view->EmptyList();
  EXPECT_EQ(f.view->Count(), 0);
  EXPECT_EQ(f.view->ControlCount(), 0);
  EXPECT_EQ(f.view->Selected(), -1);
  EXPECT_TRUE(f.view->SelectedFile().empty());
}

}  // namespace
