#include "app/glyph_isolation.h"

#include "app/settings_form.h"

#include <windows.h>

#include <cstdio>
#include <memory>

#include "app/core/glyph_grab.h"
#include "app/font_folders.h"
#include "app/image_form.h"
#include "app/image_routines.h"
#include "app/matching_engine.h"
#include "app/system_folders.h"
#include "capture/asg_capture.h"
#include "controls/base/ckrollout.h"
#include "controls/base/ckwizard.h"
#include "controls/dialogs/ckbrowsefolder.h"
#include "controls/views/ckthumbviews.h"
#include "fw/core/datetime.h"
#include "fw/core/streams.h"
#include "fw/core/strings_list.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/msgdlg.h"
#include "fw/platform/files.h"
#include "fw/platform/oserror.h"
#include "fw/stdctrls/groupbox.h"
#include "fw/stdctrls/image.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/shapes.h"
#include "fw/stdctrls/statusbar.h"
#include "fw/system/actions.h"
#include "fw/system/screen.h"
#include "fw/system/timers.h"
#include "skin/controls/scrollbar.h"

namespace app {

using fw::String;
using fw::TBitmap;
using fw::TObject;

namespace {

String gCropFolderOverride;
TChooseFolderProc gChooseFolder = nullptr;

}  // namespace

// ---- Crop folder and its files

String CropFolder() {
  return gCropFolderOverride.empty() ? ProgramSystemFolders()->Temp() + u"\\Tavo_Cropped_3\\" : gCropFolderOverride;
}

void SetCropFolderForTests(const String& Folder) { gCropFolderOverride = Folder; }

String CropFileName(const String& Prefix, int Number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "_%.3d.BMP", Number);
  return Prefix + fw::Utf8ToString(digits);
}

String NextFreeCropFile(const String& Folder, const String& Prefix, int& Number) {
  String name;
  do {
    ++Number;
    name = Folder + CropFileName(Prefix, Number);
  } while (fw::FileExists(name));
  return name;
}

String NextCropFile(const String& Folder, const String& Prefix) {
  int n = CountFilesInFolder(Folder);
  return NextFreeCropFile(Folder, Prefix, n);
}

// ---- Choices of the settings dialog

fw::TPoint SampleBox() { return SampleBoxForItem(SampleBoxSetting()); }

bool ShowCropTitles() { return CropTitlesSetting(); }

void SetChooseFolderProc(TChooseFolderProc Proc) { gChooseFolder = Proc; }

namespace {

constexpr fw::TColor kGrabFillColor = 255;  // pure red
constexpr int kDefaultColorRange = 125;

// The window's folder dialog, or the replacement of the tests.
bool ChooseFolder(TImageForm* F, String& Folder) {
  ck::TCkBrowseForFolderDialog* dialog = F->browsecropped;
  if (gChooseFolder) return gChooseFolder(dialog ? dialog->Title() : String(), Folder);
  if (!dialog || !dialog->Execute()) return false;
  Folder = dialog->Directory();
  return true;
}

// The crop folder as the folder functions take it: without the trailing
// backslash.
String CropFolderPath() { return fw::ExcludeTrailingPathDelimiter(CropFolder()); }

TBitmap* ViewBitmap(fw::TImage* View) { return View ? View->Picture()->Bitmap() : nullptr; }

bool ViewEmpty(fw::TImage* View) {
  if (!View) return true;
  fw::TGraphic* g = View->Picture()->Graphic();
  return !g || g->Empty();
}

void RaiseFileError(const String& What, const String& FileName) {
  const DWORD code = GetLastError();
  throw fw::EOSError(What + u" \"" + FileName + u"\": " + fw::SysErrorMessage(code));
}

// The tick count read for the fill's progress.
uint32_t FillTick() { return GetTickCount(); }

}  // namespace

// ---- The grab

namespace {

// Left button on a view: the clicked character becomes the modified image.
void StartGrab(TImageForm* F, fw::TImage* View, int X, int Y) {
  F->FStartTime = fw::Now();
  fw::Screen->SetCursor(fw::crHourGlass);
  F->FloodColors->Clear();
  View->SetEnabled(false);
  if (View == F->Image1) F->PushDefaultUndo();
  F->PushModifiedUndo();
  F->SetStatusText(1, u"Processing image..");
  if (F->StatusBar1) F->StatusBar1->Repaint();
  TBitmap* bitmap = ViewBitmap(View);
  try {
    GrayscaleForGrab(bitmap);
    F->FTFloodFill(bitmap, fw::TPoint{X, Y}, kGrabFillColor);
  } catch (...) {
    fw::Screen->SetCursor(fw::crDefault);
    throw;
  }
  View->Invalidate();
  F->SetStatusText(1, u"Finishing image....");
  View->SetCursor(fw::crHandPoint);
  fw::Screen->SetCursor(fw::crDefault);
}

}  // namespace

void TImageForm::Image1MouseDown(TObject*, fw::TMouseButton Button, fw::TShiftState, int X, int Y) {
  if (Button == fw::mbLeft && Image1) StartGrab(this, Image1, X, Y);
  if (Button == fw::mbRight) ShowMagnifier();
}

void TImageForm::ImageModifiedMouseDown(TObject*, fw::TMouseButton Button, fw::TShiftState, int X, int Y) {
  if (Button == fw::mbLeft && ImageModified) StartGrab(this, ImageModified, X, Y);
  if (Button == fw::mbRight) ShowMagnifier();
}

void TImageForm::ImageModifiedMouseUp(TObject*, fw::TMouseButton Button, fw::TShiftState, int, int) {
  HideMagnifier();
  if (Button != fw::mbLeft || !ImageModified || ImageModified->Enabled()) return;
  if (Shape1) Shape1->Invalidate();
  if (Shape2) Shape2->Invalidate();
  ImageModified->SetEnabled(true);
  SetStatusText(1, u"");
}

void TImageForm::Image1MouseUp(TObject*, fw::TMouseButton Button, fw::TShiftState, int, int) {
  HideMagnifier();
  if (Button != fw::mbLeft || !Image1 || Image1->Enabled()) return;
  if (Shape1) Shape1->Invalidate();
  if (Shape2) Shape2->Invalidate();
  // The gray picture with the red region stays for a moment.
  if (Timerunoimage1) Timerunoimage1->SetEnabled(true);
}

void TImageForm::Timerunoimage1Timer(TObject*) {
  if (Timerunoimage1) Timerunoimage1->SetEnabled(false);
  PopDefaultUndo();
  if (Image1) Image1->SetEnabled(true);
  SetStatusText(1, u"");
}

void TImageForm::FTFloodFill(TBitmap* Bitmap, const fw::TPoint& Pos, fw::TColor FillColor) {
  TBitmap mask;
  mask.SetPixelFormat(fw::pf24bit);
  mask.SetSize(Bitmap->Width(), Bitmap->Height());
  // Whatever the fill did, the mask becomes the modified image.
  auto finish = [&] {
    CropGlyphInPlace(&mask);
    ModifiedBase->SetPixelFormat(fw::pf24bit);
    ModifiedBase->SetSize(0, 0);
    ModifiedBase->SetSize(mask.Width(), mask.Height());
    if (!mask.Empty()) ModifiedBase->Canvas()->Draw(0, 0, &mask);
    if (ImageModified) ImageModified->Picture()->SetBitmap(ModifiedBase);
    for (skin::TkScrollBar* slider : {tbhue, tbsaturation, tbvalue, tbbrightness, tbcontrast})
      if (slider) slider->SetPosition(0);
    FWhiteback = 255;
    roBrightnessExpand(nullptr);
  };
  try {
    if (Pos.x >= 0 && Pos.y >= 0 && Pos.x < Bitmap->Width() && Pos.y < Bitmap->Height()) {
      const PixelView pixels = BitmapPixels(Bitmap);
      const int gray = pixels.ColorAt(Pos.x, Pos.y) & 0xFF;
      const int position = trlight ? trlight->Position() : kDefaultColorRange;
      for (TColor c : GrayRangeColors(GrabGrayRange(gray, position))) FloodColors->Add(fw::IntToStr(c));
      // The set is what the list holds, read once for the whole fill.
      TColorSet colors;
      for (int i = 0; i < FloodColors->Count(); ++i) colors.insert(fw::StrToIntDef(FloodColors->Get(i), -1));
      TFloodProgress progress{FillTick, [this] {
                                SetStatusText(1, u"Processing image " +
                                                     fw::FormatDateTime(u"nn:ss", fw::Now() - FStartTime));
                                if (StatusBar1) StatusBar1->Repaint();
                              }};
      FloodFillSpans(pixels, BitmapPixels(&mask), Pos.x, Pos.y, FillColor, colors, &progress);
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TImageForm::trlightChange(TObject*) {
  if (!trlight || !roColorRange) return;
  roColorRange->SetCaption(u"Color range \u00B1" + fw::FloatToStr(trlight->Position() - 100) + u"%");
}

// ---- The character cropper and the crop list

void TImageForm::SetThumbTitlePlacement() {
  if (thumb) thumb->SetTitlePlacement(ShowCropTitles() ? ck::tpUp : ck::tpNone);
}

void TImageForm::ShowThumbCount() {
  if (lbthumbcount) lbthumbcount->SetCaption(fw::IntToStr(thumb ? thumb->Count() : 0));
}

void TImageForm::CropCharactersToFiles(fw::TImage* Image, const String& Prefix) {
  const String folder = CropFolder();
  int n = CountFilesInFolder(folder);
  if (!fw::DirectoryExists(CropFolderPath())) fw::ForceDirectories(CropFolderPath());
  TBitmap* source = ViewBitmap(Image);
  if (source && !source->Empty()) {
    if (source->PixelFormat() != fw::pf24bit && source->PixelFormat() != fw::pf32bit) MakeBitmap24(source);
    for (const fw::TRect& box : InkColumnRunBoxes(BitmapPixels(source))) {
      TBitmap character;  // the display's format, as a new bitmap has it
      character.SetSize(box.Width(), box.Height());
      character.Canvas()->CopyRect(fw::Rect(0, 0, box.Width(), box.Height()), source->Canvas(), box);
      const String name = NextFreeCropFile(folder, Prefix, n);
      character.SaveToFile(name);
    }
  }
  SetThumbTitlePlacement();
  if (thumb) {
    thumb->SetDirectory(folder);
    thumb->SetSelected(thumb->Count() - 1);
  }
  ShowThumbCount();
}

namespace {

// SampleCopy takes the modified image, which is drawn again from it as a
// 24-bit bitmap of the same size.
void TakeSampleCopy(TImageForm* F) {
  F->SampleCopy->Assign(ViewBitmap(F->ImageModified));
  F->DisplayAspectBitmap(F->SampleCopy, F->ImageModified);
}

}  // namespace

void TImageForm::btnCropcharsClick(TObject*) {
  if (ViewEmpty(ImageModified)) return;
  TakeSampleCopy(this);
  CropCharactersToFiles(ImageModified, u"imgmod");
}

void TImageForm::btnaddmodifiedClick(TObject*) {
  if (ViewEmpty(ImageModified)) return;
  const String folder = CropFolder();
  if (!fw::DirectoryExists(CropFolderPath())) fw::ForceDirectories(CropFolderPath());
  TakeSampleCopy(this);
  SetThumbTitlePlacement();
  const String name = NextCropFile(folder, u"imgmod");
  ViewBitmap(ImageModified)->SaveToFile(name);
  if (thumb) {
    thumb->AddFromFile(name);
    thumb->SetDirectory(folder);
  }
  ShowThumbCount();
}

void TImageForm::AddModifiedToCropped() { btnaddmodifiedClick(this); }

void TImageForm::btndeletecharClick(TObject*) {
  const String folder = CropFolder();
  if (!fw::DirectoryExists(CropFolderPath())) return;
  if (thumb && thumb->Selected() >= 0) {
    const String file = thumb->SelectedFile();
    if (!DeleteFileW(W(file))) RaiseFileError(u"Cannot delete the character file", file);
  }
  SetThumbTitlePlacement();
  if (thumb) thumb->SetDirectory(folder);
  ShowThumbCount();
}

void TImageForm::btndeleteallClick(TObject*) {
  if (!thumb || thumb->Count() == 0) return;
  if (fw::MessageDlg(u"Would you like to delete all images?", fw::mtConfirmation, fw::mbYesNo, 0) == fw::mrYes) {
    SetThumbTitlePlacement();
    thumb->EmptyList();
    const String folder = CropFolderPath();
    if (fw::DirectoryExists(folder) && !fw::DeleteFolderTree(folder))
      RaiseFileError(u"Cannot delete the folder", folder);
    fw::ForceDirectories(folder);
  }
  ShowThumbCount();
}

void TImageForm::acSaveCrpped(TObject*) {
  if (!thumb || thumb->Count() == 0) return;
  String target;
  if (!ChooseFolder(this, target) || target.empty()) return;
  target = fw::IncludeTrailingPathDelimiter(target);
  for (int i = 0; i < thumb->Count(); ++i) {
    const String file = thumb->ThumbList()->GetThumbnail(i)->FileName();
    if (file.empty()) continue;
    const String copy = target + fw::ExtractFileName(file);
    if (!CopyFileW(W(file), W(copy), FALSE)) RaiseFileError(u"Cannot copy the character file to", copy);
  }
}

void TImageForm::acSaveCroppedUpdate(TObject* Sender) {
  if (auto* action = dynamic_cast<fw::TCustomAction*>(Sender)) action->SetEnabled(thumb && thumb->Count() > 0);
}

// ---- The sample

void TImageForm::ImageLoadNextButtonClick(TObject*, bool& Stop) {
  if (Multipreview) Multipreview->EnableButton(ck::bkBack, true);
  if (ViewEmpty(ImageModified)) {
    Stop = true;
    xpLoadItems0Click(this);
    return;
  }
  Stop = false;
  if (PickTmr) PickTmr->SetEnabled(true);
  if (thumb && thumb->Count() == 0) btnaddmodifiedClick(this);
  if (thumb && thumb->Count() > 0 && sampleimage) {
    sampleimage->Picture()->SetGraphic(nullptr);
    const fw::TPoint box = SampleBox();
    sampleimage->SetBounds(sampleimage->Left(), sampleimage->Top(), box.x, box.y);
    const int index = thumb->Selected() >= 0 ? thumb->Selected() : 0;
    sample_.Build(thumb->ThumbList()->GetThumbnail(index)->FileName(), box.x, box.y, SampleCopy);
    search_->fname = u"Arial";
    sampleimage->Picture()->SetBitmap(sample_.Bitmap());
    engine_->SetSample(sample_.Bitmap());
  }
  const int w = sampleimage ? sampleimage->Picture()->Width() : 0;
  const int h = sampleimage ? sampleimage->Picture()->Height() : 0;
  if (gbsamplechar) gbsamplechar->SetCaption(fw::Format(u"Size: %d x %d", {w, h}));
  if (w == 0 || h == 0) {
    Stop = true;
    MessageBeep(0);
    fw::MessageDlg(u"Invalid sample image! Cannot be used for matching.", fw::mtError, fw::TMsgDlgButtons{fw::mbCancel}, 0);
  }
  Updateinfo();
}

void TImageForm::thumbDblClick(TObject*) {
  if (!thumb || thumb->Count() == 0) return;
  bool stop = false;
  ImageLoadNextButtonClick(this, stop);
  if (!stop && Wizard) Wizard->SetActivePageIndex(kPageRun);
}

// ---- Names for the form description

void DescribeGlyphIsolation(fw::TClassBuilder<TImageForm>& c) {
  using F = TImageForm;
  c.Field(u"thumb", &F::thumb);
  c.Field(u"lbthumbcount", &F::lbthumbcount);
  c.Field(u"acSaveCropped", &F::acSaveCropped);
  c.Field(u"browsecropped", &F::browsecropped);
  c.Method(u"Image1MouseDown", &F::Image1MouseDown);
  c.Method(u"ImageModifiedMouseDown", &F::ImageModifiedMouseDown);
  c.Method(u"Image1MouseUp", &F::Image1MouseUp);
  c.Method(u"ImageModifiedMouseUp", &F::ImageModifiedMouseUp);
  c.Method(u"trlightChange", &F::trlightChange);
  c.Method(u"btnCropcharsClick", &F::btnCropcharsClick);
  c.Method(u"btnaddmodifiedClick", &F::btnaddmodifiedClick);
  c.Method(u"btndeletecharClick", &F::btndeletecharClick);
  c.Method(u"btndeleteallClick", &F::btndeleteallClick);
  c.Method(u"acSaveCrpped", &F::acSaveCrpped);
  c.Method(u"acSaveCroppedUpdate", &F::acSaveCroppedUpdate);
  c.Method(u"thumbDblClick", &F::thumbDblClick);
}

}  // namespace app
