// The image page of the main window: opening and capturing images, resizing
// and rotating the default image, the colour, effect and background edits
// of the modified image, their undo stack, and saving both images.
//
// The default image (Image1) is always recomputed from LoadedImage; the
// modified image (ImageModified) is computed by the colour sliders from
// ModifiedBase, which every edit of the modified image keeps equal to it.
#include "app/image_page.h"

#include "app/settings_form.h"

#include <algorithm>
#include <cmath>

#include "app/core/glyph_compare.h"
#include "app/font_loading.h"
#include "app/glyph_isolation.h"
#include "app/image_form.h"
#include "app/image_routines.h"
#include "app/matching_engine.h"
#include "capture/asg_capture.h"
#include "controls/base/ckimage.h"
#include "controls/base/ckrollout.h"
#include "controls/base/cktransparentbutton.h"
#include "controls/base/ckwizard.h"
#include "controls/base/xp_taskbar.h"
#include "controls/dialogs/ckballoonhint.h"
#include "controls/views/ckthumbviews.h"
#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/dialogs.h"
#include "fw/dialogs/msgdlg.h"
#include "fw/platform/files.h"
#include "fw/platform/locale.h"
#include "fw/stdctrls/image.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/scrolling.h"
#include "fw/stdctrls/shapes.h"
#include "fw/system/actions.h"
#include "skin/controls/scrollbar.h"

namespace app {

using fw::String;
using fw::TBitmap;
using fw::TObject;

namespace {

TRunFileDialogProc gRunFileDialog = nullptr;
TRunCaptureProc gRunCapture = nullptr;

// The command the explorer file list takes to show thumbnails.
constexpr WPARAM kThumbnailViewCommand = 28717;
// The steps of the background threshold.
constexpr int kWhitebackStep = 5;
// The colour sliders move brightness and contrast in these units.
constexpr double kBrightnessScale = 2.25;

std::unique_ptr<TBitmap> NewBitmap24(int Width, int Height) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  if (Width > 0 && Height > 0) b->SetSize(Width, Height);
  return b;
}

// A 24-bit copy of the bitmap, drawn so that any pixel format converts.
std::unique_ptr<TBitmap> Copy24(TBitmap* Source) {
  auto b = NewBitmap24(Source ? Source->Width() : 0, Source ? Source->Height() : 0);
  if (!b->Empty()) b->Canvas()->Draw(0, 0, Source);
  return b;
}

// The view's bitmap, or null when it shows nothing.
TBitmap* ViewBitmap(fw::TImage* Image) {
  if (!Image) return nullptr;
  auto* b = dynamic_cast<TBitmap*>(Image->Picture()->Graphic());
  return b && !b->Empty() ? b : nullptr;
}

bool ViewEmpty(fw::TImage* Image) { return ViewBitmap(Image) == nullptr; }

// A view smaller than its hatched pane (the scroll box it lies in) sits in
// the pane's centre.
void CentreInPane(fw::TImage* Image) {
  auto* pane = Image ? dynamic_cast<fw::TScrollBox*>(Image->Parent()) : nullptr;
  if (!pane) return;
  const int left = std::max(0, (pane->ClientWidth() - Image->Picture()->Width()) / 2);
  const int top = std::max(0, (pane->ClientHeight() - Image->Picture()->Height()) / 2);
  Image->SetBounds(left, top, Image->Width(), Image->Height());
}

void ShowBitmap(fw::TImage* Image, TBitmap* Bitmap) {
  if (!Image) return;
  Image->Picture()->SetGraphic(Bitmap);
  CentreInPane(Image);
}

void ClearView(fw::TImage* Image) {
  if (Image) Image->Picture()->SetGraphic(nullptr);
}

// A work bitmap takes a 24-bit copy (an empty one for nothing).
void CopyInto(TBitmap* Work, TBitmap* Source) {
  if (!Work) return;
  if (!Source || Source->Empty()) {
    Work->SetSize(0, 0);
    return;
  }
  Work->Assign(Copy24(Source).get());
}

void FreeImage(TBitmap* Work) {
  if (Work) Work->SetSize(0, 0);
}

bool HoldsImage(TBitmap* Work) { return Work && !Work->Empty(); }

String SizeText(TBitmap* Bitmap) {
  return fw::Format(u"%d x %d x %s", {Bitmap ? Bitmap->Width() : 0, Bitmap ? Bitmap->Height() : 0, u"24b"});
}

// Reads an image file for the page. The page keeps what it shows when the
// file cannot be read: the error is reported and null returned.
std::unique_ptr<TBitmap> ReadImageFile(const String& FileName) {
  String problem;
  try {
    if (!fw::FileExists(FileName)) {
      problem = u"The file does not exist.";
    } else {
      auto b = LoadPictureAsBitmap(FileName);
      if (b && !b->Empty()) return Copy24(b.get());
      problem = u"The file holds no picture.";
    }
  } catch (const fw::Exception& e) {
    problem = e.Message();
  } catch (const std::exception&) {
    problem = u"The file is damaged.";
  }
  fw::MessageDlg(u"The image \"" + FileName + u"\" cannot be opened:\r\n" + problem, fw::mtError,
                 fw::TMsgDlgButtons{fw::mbOK}, 0);
  return nullptr;
}

String PercentText(uint8_t Whiteback) { return fw::FormatFloat(u"0.00", Whiteback / 255.0 * 100.0); }

}  // namespace

// ---- Seams

void SetRunFileDialogProc(TRunFileDialogProc Proc) { gRunFileDialog = Proc; }

bool RunFileDialog(fw::TOpenDialog* Dialog) {
  if (!Dialog) return false;
  return gRunFileDialog ? gRunFileDialog(Dialog) : Dialog->Execute();
}

int CaptureMode() { return CaptureModeSetting() == 1 ? kCaptureFreeHand : kCaptureRectangle; }

void SetRunCaptureProc(TRunCaptureProc Proc) { gRunCapture = Proc; }

std::unique_ptr<TBitmap> RunCapture(capture::TASGScreenCapture* Component, int Mode) {
  if (gRunCapture) return gRunCapture(Component, Mode);
  if (!Component) return nullptr;
  if (Mode == kCaptureRectangle) return Component->CaptureSelection();
  if (Mode == kCaptureFreeHand) return Component->CapturePolygon();
  return std::make_unique<TBitmap>();
}

String SamplesFolder() { return VestalineFolder() + u"\\samples"; }

bool SampleImageInstructions(const String& Path, String& Header, String& Text) {
  struct Sample {
    const char16_t* Name;
    const char16_t* Header;
    const char16_t* Text;
  };
  static const Sample kSamples[] = {
      {u"sample_1.bmp", u"The best sample image",
       u"Image with black characters on a white background.\r\n1. Press \"Crop Chars\" button and select character "
       u"to continue."},
      {u"sample_brown.bmp", u"Sample #2",
       u"Image with white characters on a dark background.\r\n1. Press \"Invert Colors\".\r\n2. Press "
       u"\"Background(- sign)\".\r\n3. Press \"Crop Chars\".\r\n4. Select character and continue."},
      {u"sample_pink.bmp", u"Sample #3",
       u"Image with dark characters on a lighter background.\r\n1. Press \"Background(- sign)\".\r\n2. Press \"To "
       u"Black\" button.\r\n3. Select character and continue."},
      {u"sample_green.bmp", u"Sample #4",
       u"Image with light characters on a lighter background.\r\n1. Press \"Grayscale\" button.\r\n2. Press "
       u"\"Background(- sign)\" several times.\r\n3. Press \"To Black\" button.\r\n4. Press \"Crop Chars\".\r\n4. "
       u"Select character and continue."},
  };
  const String folder = SamplesFolder() + u"\\";
  for (const Sample& s : kSamples) {
    if (Path == folder + s.Name) {
      Header = s.Header;
      Text = s.Text;
      return true;
    }
  }
  return false;
}

// ---- Loading

void TImageForm::ShowSampleHint(const String& Header, const String& Text) {
  if (Balloon) {
    Balloon->ActivateHint(CkImage2, Text, Header, 60000);
    return;
  }
  // Without the balloon the status bar's hint panel holds one line.
  String line = Header + u": " + Text;
  for (size_t at; (at = line.find(u"\r\n")) != String::npos;) line.replace(at, 2, u" ");
  SetStatusText(2, line);
}

void TImageForm::UpdateControls() {
  if (trresize) trresize->SetPosition(100);
  if (trrotate) trrotate->SetPosition(0);
  if (trlight) trlight->SetPosition(125);
  for (skin::TkScrollBar* s : {tbhue, tbsaturation, tbvalue, tbbrightness, tbcontrast})
    if (s) s->SetPosition(0);
}

namespace {

// Shows the loaded bitmap in every view and work bitmap.
void ShowLoadedImage(TImageForm* F, TBitmap* Loaded) {
  ShowBitmap(F->Image1, Loaded);
  ClearView(F->imgcompare);
  ClearView(F->ImageModified);
  ShowBitmap(F->imgcompare, Loaded);
  F->PercentItemClick(F);
  // The multi-font page's floating copy, once that page has it.
  if (auto* immove = dynamic_cast<fw::TImage*>(F->FindComponent(u"immove"))) ShowBitmap(immove, Loaded);
  TBitmap* shown = ViewBitmap(F->Image1);
  for (TBitmap* work : {F->LoadedImage, F->RotatedImage, F->ResizedImage, F->ModifiedBase}) CopyInto(work, shown);
  ShowBitmap(F->ImageModified, F->ModifiedBase);
  F->SetStatusText(0, SizeText(shown));
}

void SetBackgroundButtonsVisible(TImageForm* F, bool Visible) {
  if (F->acminus) F->acminus->SetVisible(Visible);
  if (F->acplus) F->acplus->SetVisible(Visible);
  if (F->btnminus) F->btnminus->SetVisible(Visible);
  if (F->btnplus) F->btnplus->SetVisible(Visible);
  if (F->lbbackground) F->lbbackground->SetVisible(Visible);
}

}  // namespace

void TImageForm::UpdateImages() {
  auto loaded = LoadPictureAsBitmap(ImageFileName);
  ShowLoadedImage(this, Copy24(loaded.get()).get());
  engine_->SetMonochrome(false);
  SetBackgroundButtonsVisible(this, true);
}

void TImageForm::UpdateCroppedImages() {
  for (fw::TImage* v : {Image1, imgcompare, ImageModified}) ClearView(v);
  if (auto* immove = dynamic_cast<fw::TImage*>(FindComponent(u"immove"))) ClearView(immove);
  for (TBitmap* work : {LoadedImage, RotatedImage, ResizedImage, ModifiedBase}) FreeImage(work);
  engine_->SetMonochrome(false);
  SetBackgroundButtonsVisible(this, true);
}

void TImageForm::ResetCropFolder() {
  auto* thumb = dynamic_cast<ck::TCkThumbView*>(FindComponent(u"thumb"));
  if (thumb) thumb->EmptyList();
  const String folder = fw::ExcludeTrailingPathDelimiter(CropFolder());
  if (fw::DirectoryExists(folder)) fw::DeleteFolderTree(folder);
  fw::ForceDirectories(folder);
  if (thumb) thumb->SetDirectory(CropFolder());
}

namespace {

// Open and Sample images: the chosen file replaces the page's image.
void OpenImageFrom(TImageForm* F, fw::TOpenDialog* Dialog, bool KeepFolder) {
  if (F->Balloon) F->Balloon->CancelHint();
  if (!RunFileDialog(Dialog)) return;
  const String path = Dialog->FileName();
  // A file that cannot be read leaves the page as it was.
  auto loaded = ReadImageFile(path);
  if (!loaded) return;
  F->UpdateControls();
  F->SetStatusText(1, u"");
  String header, text;
  if (SampleImageInstructions(path, header, text)) F->ShowSampleHint(header, text);
  ImageFileName = path;
  F->Engine().SetMonochrome(false);
  if (KeepFolder) Dialog->SetInitialDir(fw::ExtractFilePath(path));
  ShowLoadedImage(F, loaded.get());
  SetBackgroundButtonsVisible(F, true);
  F->ModifiedUndoStack.clear();
  F->PushModifiedUndo();
  F->ResetCropFolder();
  if (F->Wizard) F->Wizard->SetActivePageIndex(kPageImageLoad);
}

}  // namespace

void TImageForm::xpLoadItems0Click(TObject*) { OpenImageFrom(this, imagedlg, true); }

void TImageForm::Sampleimages1Click(TObject*) {
  if (sampleimagedlg) sampleimagedlg->SetInitialDir(SamplesFolder());
  OpenImageFrom(this, sampleimagedlg, false);
}

void TImageForm::imagedlgShow(TObject* Sender) {
  auto* dialog = dynamic_cast<fw::TCommonDialog*>(Sender);
  if (!dialog || !dialog->Handle() || !HandleAllocated()) return;
  PostMessageW(Handle(), WM_USER, reinterpret_cast<WPARAM>(GetParent(dialog->Handle())), 0);
}

void TImageForm::WndProc(fw::TMessage& Message) {
  if (Message.Msg == WM_USER) {
    // The open dialogs' file list switches to thumbnails.
    HWND frame = reinterpret_cast<HWND>(Message.WParam);
    if (frame && IsWindow(frame)) {
      if (HWND view = FindWindowExW(frame, nullptr, L"SHELLDLL_DefView", nullptr))
        SendMessageW(view, WM_COMMAND, kThumbnailViewCommand, 0);
    }
    return;
  }
  fw::TForm::WndProc(Message);
}

// ---- Capture

void TImageForm::xpLoadItems1Click(TObject*) {
  // The balloon must not cover the frozen screen.
  if (Balloon) {
    Balloon->SetUseBalloonAsApplicationHint(false);
    Balloon->CancelHint();
  }
  if (Capture) Capture->SetShowHint(CaptureMode() == kCaptureRectangle);
  auto captured = RunCapture(Capture, CaptureMode());
  if (Balloon) Balloon->SetUseBalloonAsApplicationHint(true);
  // A cancelled capture leaves the page as it was.
  if (!captured) return;
  UpdateCroppedImages();
  SetStatusText(1, u"");
  UpdateControls();
  ShowBitmap(Image1, Copy24(captured.get()).get());
  captured.reset();
  TBitmap* shown = ViewBitmap(Image1);
  ShowBitmap(imgcompare, shown);
  PercentItemClick(this);
  if (auto* immove = dynamic_cast<fw::TImage*>(FindComponent(u"immove"))) ShowBitmap(immove, shown);
  for (TBitmap* work : {LoadedImage, RotatedImage, ResizedImage, ModifiedBase}) CopyInto(work, shown);
  ShowBitmap(ImageModified, ModifiedBase);
  ModifiedUndoStack.clear();
  PushModifiedUndo();
  ResetCropFolder();
  SetStatusText(0, SizeText(shown));
  if (Wizard) Wizard->SetActivePageIndex(kPageImageLoad);
}

void TImageForm::acCaptureExecute(TObject* Sender) { xpLoadItems1Click(Sender); }

void TImageForm::acCaptureUpdate(TObject*) {
  // Disabled while the about box shows; there is none yet.
  if (acCapture) acCapture->SetEnabled(true);
}

void TImageForm::btncropdefaultClick(TObject*) {
  if (ViewEmpty(Image1)) {
    fw::MessageDlg(u"Open or capture image first!", fw::mtInformation, fw::TMsgDlgButtons{fw::mbCancel}, 0);
    return;
  }
  PushModifiedUndo();
  auto captured = RunCapture(crop, CaptureMode());
  if (captured && captured->Width() > 1) {
    auto base = NewBitmap24(captured->Width(), captured->Height());
    base->Canvas()->Draw(0, 0, captured.get());
    ModifiedBase->Assign(base.get());
    ShowBitmap(ImageModified, ModifiedBase);
  }
  engine_->SetMonochrome(false);
  SetBackgroundButtonsVisible(this, true);
}

// ---- Resize and rotate

namespace {

int SliderValue(skin::TkScrollBar* Slider, int Default) { return Slider ? Slider->Position() : Default; }

}  // namespace

void TImageForm::trresizeChange(TObject*) {
  if (!HoldsImage(RotatedImage) || !HoldsImage(LoadedImage) || !HoldsImage(ModifiedBase)) return;
  const int angle = SliderValue(trrotate, 0);
  if (angle != 0) {
    RotatedImage->SetSize(1, 1);
    const auto [w, h] = RotatedSize(LoadedImage, angle, 100);
    RotatedImage->SetSize(w, h);
    RotateBilinear(LoadedImage, RotatedImage, RotatedImage->Width() / 2, angle, RotatedImage->Height() / 2);
  }
  ApplyResize(Image1);
}

void TImageForm::ApplyResize(fw::TImage* Image) {
  const int angle = SliderValue(trrotate, 0);
  const int size = SliderValue(trresize, 100);
  const auto [w, h] = RotatedSize(LoadedImage, angle, size);
  auto resized = NewBitmap24(w, h);
  // Straight from the loaded image when not rotated: a size chosen earlier
  // must not blur a later one.
  if (!resized->Empty()) ResizeBilinear(angle != 0 ? RotatedImage : LoadedImage, resized.get());
  ClearView(Image);
  ShowBitmap(Image, resized.get());
  ModifiedBase->Assign(resized.get());
  if (lbresize) lbresize->SetCaption(fw::Format(u"%d", {size}) + u"%");
  SetStatusText(0, SizeText(ViewBitmap(Image)));
  if (Shape1) Shape1->Invalidate();
}

void TImageForm::trrotateChange(TObject*) {
  if (!HoldsImage(RotatedImage) || !HoldsImage(LoadedImage) || !HoldsImage(ModifiedBase)) return;
  const int angle = SliderValue(trrotate, 0);
  const auto [w, h] = RotatedSize(LoadedImage, 0, SliderValue(trresize, 100));
  ResizedImage->SetPixelFormat(fw::pf24bit);
  ResizedImage->SetSize(w, h);
  if (!ResizedImage->Empty()) ResizeBilinear(LoadedImage, ResizedImage);
  ApplyRotation(Image1, angle);
  if (lbrot) lbrot->SetCaption(fw::IntToStr(angle) + u" \u00b0");
}

void TImageForm::ApplyRotation(fw::TImage* Image, int Angle) {
  const auto [w, h] = RotatedSize(LoadedImage, Angle, SliderValue(trresize, 100));
  auto rotated = NewBitmap24(w, h);
  if (!rotated->Empty() && HoldsImage(ResizedImage))
    RotateBilinear(ResizedImage, rotated.get(), rotated->Width() / 2, Angle, rotated->Height() / 2);
  ClearView(Image);
  ShowBitmap(Image, rotated.get());
  ModifiedBase->Assign(rotated.get());
  SetStatusText(0, SizeText(ViewBitmap(Image)));
  if (Shape1) Shape1->Invalidate();
}

void TImageForm::btn100Click(TObject*) {
  if (trresize) trresize->SetPosition(100);
}

void TImageForm::btn0Click(TObject*) {
  if (trrotate) trrotate->SetPosition(0);
}

void TImageForm::btnRestoreImage1Click(TObject*) {
  if (!Image1) return;
  ShowBitmap(Image1, LoadedImage);
  UpdateControls();
}

void TImageForm::btnapplyClick(TObject*) {
  TBitmap* shown = ViewBitmap(Image1);
  ShowBitmap(ImageModified, shown);
  CopyInto(ModifiedBase, shown);
  FWhiteback = 255;
  for (skin::TkScrollBar* s : {tbhue, tbsaturation, tbvalue, tbbrightness, tbcontrast})
    if (s) s->SetPosition(0);
  engine_->SetMonochrome(false);
  SetBackgroundButtonsVisible(this, true);
}

// ---- Colour

void TImageForm::tbhueChange(TObject*) {
  if (HoldsImage(ModifiedBase))
    ApplyColorAdjustments(ModifiedBase, ImageModified, SliderValue(tbhue, 0), SliderValue(tbsaturation, 0),
                          SliderValue(tbvalue, 0));
  const struct {
    fw::TLabel* Label;
    const char16_t* Name;
    skin::TkScrollBar* Slider;
  } labels[] = {{lbhue, u"Hue  ", tbhue},
                {lbsaturation, u"Saturation  ", tbsaturation},
                {lbvalue, u"Value  ", tbvalue},
                {lbbrightness, u"Brightness  ", tbbrightness},
                {lbcontrast, u"Contrast  ", tbcontrast}};
  for (const auto& l : labels)
    if (l.Label) l.Label->SetCaption(l.Name + fw::IntToStr(SliderValue(l.Slider, 0)));
}

void TImageForm::ApplyColorAdjustments(TBitmap* Base, fw::TImage* Image, int Hue, int Saturation, int Value) {
  MakeBitmap24(Base);
  auto adjusted = AdjustHsv(Base, Hue, Saturation, Value);
  auto result = NewBitmap24(Base->Width(), Base->Height());
  AdjustBrightness(adjusted.get(), result.get(), RoundHalfEven(SliderValue(tbbrightness, 0) * kBrightnessScale));
  AdjustContrast(result.get(), RoundHalfEven(SliderValue(tbcontrast, 0) * kBrightnessScale));
  ShowBitmap(Image, result.get());
}

// ---- Gray, invert, to black, effects

void TImageForm::btngrayClick(TObject*) {
  TBitmap* b = ViewBitmap(ImageModified);
  if (!b) return;
  PushModifiedUndo();
  GrayscaleImage(b);
  ImageModified->Invalidate();
  CopyInto(ModifiedBase, b);
}

void TImageForm::btninvertClick(TObject*) {
  TBitmap* b = ViewBitmap(ImageModified);
  if (!b) return;
  PushModifiedUndo();
  InvertImage(b);
  ImageModified->Invalidate();
  CopyInto(ModifiedBase, b);
}

void TImageForm::btntoblackClick(TObject*) {
  engine_->SetMonochrome(true);
  SetBackgroundButtonsVisible(this, false);
  TBitmap* b = ViewBitmap(ImageModified);
  if (!b) return;
  PushModifiedUndo();
  MakeBlackAndWhite(b);
  ImageModified->Invalidate();
  CopyInto(ModifiedBase, b);
}

// After an effect the colour and background edits go on from the image the
// effect made, not from the default image.
void TImageForm::CkTransparentButton3Click(TObject*) {
  TBitmap* b = ViewBitmap(ImageModified);
  if (!b) return;
  const TKernel3x3 edges{{{-1, -1, -1}, {-1, 8, -1}, {-1, -1, -1}}};
  auto result = Convolve3x3(b, edges, 0);
  ShowBitmap(ImageModified, result.get());
  CopyInto(ModifiedBase, result.get());
}

void TImageForm::CkTransparentButton4Click(TObject*) {
  TBitmap* b = ViewBitmap(ImageModified);
  if (!b) return;
  SmoothImage(b);
  ImageModified->Invalidate();
  CopyInto(ModifiedBase, b);
}

void TImageForm::CkTransparentButton5Click(TObject*) {
  // "Exclude" is hidden and only checks for an image.
}

// ---- Background

void TImageForm::ClearBackground(TBitmap* Base, TBitmap* Destination) {
  auto result = std::make_unique<TBitmap>();
  result->SetPixelFormat(Base->PixelFormat());
  result->SetSize(Base->Width(), Base->Height());
  if (!result->Empty()) {
    const PixelView src = BitmapPixels(Base);
    const PixelView dst = BitmapPixels(result.get());
    for (int y = 0; y < src.Height; ++y) {
      const uint8_t* s = src.Bits + y * src.Stride;
      uint8_t* d = dst.Bits + y * dst.Stride;
      for (int x = 0; x < src.Width; ++x, s += src.BytesPerPixel, d += dst.BytesPerPixel) {
        const int v = std::max({s[0], s[1], s[2]});
        for (int k = 0; k < src.BytesPerPixel; ++k) d[k] = v < FWhiteback ? s[k] : 0xFF;
      }
    }
  }
  Destination->Assign(result.get());
}

namespace {

void ClearAndHint(TImageForm* F, fw::TControl* Button) {
  if (HoldsImage(F->ModifiedBase) && F->ImageModified) {
    F->ClearBackground(F->ModifiedBase, F->ImageModified->Picture()->Bitmap());
    F->ImageModified->Invalidate();
  }
  if (Button) Button->SetHint(PercentText(F->FWhiteback) + u"%");
}

void MoveOverBackgroundButton(TImageForm* F, fw::TControl* Button) {
  if (Button)
    Button->SetHint(u"Clear image modified background: " + PercentText(F->FWhiteback) + u"%");
}

}  // namespace

void TImageForm::acminusExecute(TObject*) {
  if (ViewEmpty(ImageModified)) return;
  FWhiteback = static_cast<uint8_t>(std::max(0, FWhiteback - kWhitebackStep));
  ClearAndHint(this, btnminus);
}

void TImageForm::acplusExecute(TObject*) {
  FWhiteback = static_cast<uint8_t>(std::min(255, FWhiteback + kWhitebackStep));
  ClearAndHint(this, btnplus);
}

void TImageForm::acminusUpdate(TObject*) {
  if (!acminus) return;
  acminus->SetVisible(!engine_->Monochrome());
  if (lbbackground) lbbackground->SetVisible(acminus->Visible());
}

void TImageForm::acplusUpdate(TObject*) {
  if (acplus) acplus->SetVisible(!engine_->Monochrome());
}

void TImageForm::btnminusMouseEnter(TObject*) {
  PushModifiedUndo();
  CopyInto(ModifiedBase, ViewBitmap(ImageModified));
}

void TImageForm::btnplusMouseEnter(TObject* Sender) { btnminusMouseEnter(Sender); }

void TImageForm::btnminusMouseMove(TObject*, fw::TShiftState, int, int) { MoveOverBackgroundButton(this, btnminus); }

void TImageForm::btnplusMouseMove(TObject*, fw::TShiftState, int, int) { MoveOverBackgroundButton(this, btnplus); }

// ---- Undo

namespace {

// A copy of the view's picture onto the stack.
void PushUndo(std::vector<std::unique_ptr<fw::TPicture>>& Stack, fw::TImage* View) {
  if (!View) return;
  auto entry = std::make_unique<fw::TPicture>();
  entry->Assign(View->Picture());
  Stack.push_back(std::move(entry));
}

// The last picture of the stack back into the view, centred in its pane.
void PopUndo(std::vector<std::unique_ptr<fw::TPicture>>& Stack, fw::TImage* View) {
  if (Stack.empty() || !View) return;
  View->Picture()->Assign(Stack.back().get());
  Stack.pop_back();
  CentreInPane(View);
}

}  // namespace

void TImageForm::PushModifiedUndo() { PushUndo(ModifiedUndoStack, ImageModified); }
void TImageForm::PopModifiedUndo() { PopUndo(ModifiedUndoStack, ImageModified); }
void TImageForm::PushDefaultUndo() { PushUndo(DefaultUndoStack, Image1); }
void TImageForm::PopDefaultUndo() { PopUndo(DefaultUndoStack, Image1); }

void TImageForm::acUndoModifiedExecute(TObject*) {
  if (!ModifiedUndoStack.empty()) {
    PopModifiedUndo();
    engine_->SetMonochrome(false);
    SetBackgroundButtonsVisible(this, true);
  }
  CopyInto(ModifiedBase, ViewBitmap(ImageModified));
}

void TImageForm::acUndoModifiedUpdate(TObject*) {
  if (acUndoModified) acUndoModified->SetEnabled(!ModifiedUndoStack.empty());
}

// ---- Saving

namespace {

void SaveView(fw::TImage* Image, fw::TSaveDialog* Dialog) {
  TBitmap* b = ViewBitmap(Image);
  if (!b || !RunFileDialog(Dialog)) return;
  b->SaveToFile(Dialog->FileName());
  Dialog->SetInitialDir(fw::ExtractFilePath(Dialog->FileName()));
}

}  // namespace

void TImageForm::acSavemdefaultExecute(TObject*) { SaveView(Image1, dlgSavedefault); }

void TImageForm::acSavemdefaultUpdate(TObject*) {
  if (acSavemdefault) acSavemdefault->SetEnabled(!ViewEmpty(Image1));
}

void TImageForm::acSaveModifiedExecute(TObject*) { SaveView(ImageModified, dlgsavemodified); }

void TImageForm::acSaveModifiedUpdate(TObject*) {
  if (acSaveModified) acSaveModified->SetEnabled(!ViewEmpty(ImageModified));
}

// ---- Roll-outs, about, aspect display

void TImageForm::roBrightnessExpand(TObject* Sender) {
  for (ck::TCkRollOut* r : {roResize, roRotate, roZoom, roColorRange, roHSV, roBrightness, roEffects})
    if (r && r != Sender && !r->Collapsed()) r->SetCollapsed(true);
}

void TImageForm::CkImage2Click(TObject*) { ShowAboutBox(); }

void TImageForm::DisplayAspectBitmap(TBitmap* Bitmap, fw::TImage* Image) {
  if (!Bitmap || !Image) return;
  auto shown = NewBitmap24(Image->Width(), Image->Height());
  if (shown->Empty()) return;
  fw::TCanvas* c = shown->Canvas();
  c->Brush()->SetStyle(fw::bsSolid);
  c->Brush()->SetColor(fw::clWhite);
  c->FillRect(fw::TRect(0, 0, shown->Width(), shown->Height()));
  if (!Bitmap->Empty())
    c->StretchDraw(KeepAspectRect(Bitmap->Width(), Bitmap->Height(), shown->Width(), shown->Height()), Bitmap);
  ShowBitmap(Image, shown.get());
}

// ---- Names for the form description

void DescribeImagePage(fw::TClassBuilder<TImageForm>& c) {
  using F = TImageForm;
  c.Field(u"xpLoad", &F::xpLoad);
  c.Field(u"trresize", &F::trresize);
  c.Field(u"trrotate", &F::trrotate);
  c.Field(u"trlight", &F::trlight);
  c.Field(u"tbhue", &F::tbhue);
  c.Field(u"tbsaturation", &F::tbsaturation);
  c.Field(u"tbvalue", &F::tbvalue);
  c.Field(u"tbbrightness", &F::tbbrightness);
  c.Field(u"tbcontrast", &F::tbcontrast);
  c.Field(u"lbresize", &F::lbresize);
  c.Field(u"lbrot", &F::lbrot);
  c.Field(u"lbhue", &F::lbhue);
  c.Field(u"lbsaturation", &F::lbsaturation);
  c.Field(u"lbvalue", &F::lbvalue);
  c.Field(u"lbbrightness", &F::lbbrightness);
  c.Field(u"lbcontrast", &F::lbcontrast);
  c.Field(u"lbbackground", &F::lbbackground);
  c.Field(u"roResize", &F::roResize);
  c.Field(u"roRotate", &F::roRotate);
  c.Field(u"roZoom", &F::roZoom);
  c.Field(u"roColorRange", &F::roColorRange);
  c.Field(u"roHSV", &F::roHSV);
  c.Field(u"roBrightness", &F::roBrightness);
  c.Field(u"roEffects", &F::roEffects);
  c.Field(u"btnminus", &F::btnminus);
  c.Field(u"btnplus", &F::btnplus);
  c.Field(u"CkImage2", &F::CkImage2);
  c.Field(u"sampleimagedlg", &F::sampleimagedlg);
  c.Field(u"dlgSavedefault", &F::dlgSavedefault);
  c.Field(u"Capture", &F::Capture);
  c.Field(u"crop", &F::crop);
  c.Field(u"acminus", &F::acminus);
  c.Field(u"acplus", &F::acplus);
  c.Field(u"acUndoModified", &F::acUndoModified);
  c.Field(u"acCapture", &F::acCapture);
  c.Field(u"acSavemdefault", &F::acSavemdefault);
  c.Field(u"acSaveModified", &F::acSaveModified);
  c.Method(u"xpLoadItems0Click", &F::xpLoadItems0Click);
  c.Method(u"Sampleimages1Click", &F::Sampleimages1Click);
  c.Method(u"xpLoadItems1Click", &F::xpLoadItems1Click);
  c.Method(u"imagedlgShow", &F::imagedlgShow);
  c.Method(u"acCaptureExecute", &F::acCaptureExecute);
  c.Method(u"acCaptureUpdate", &F::acCaptureUpdate);
  c.Method(u"btncropdefaultClick", &F::btncropdefaultClick);
  c.Method(u"trresizeChange", &F::trresizeChange);
  c.Method(u"trrotateChange", &F::trrotateChange);
  c.Method(u"btn100Click", &F::btn100Click);
  c.Method(u"btn0Click", &F::btn0Click);
  c.Method(u"btnRestoreImage1Click", &F::btnRestoreImage1Click);
  c.Method(u"btnapplyClick", &F::btnapplyClick);
  c.Method(u"tbhueChange", &F::tbhueChange);
  c.Method(u"btngrayClick", &F::btngrayClick);
  c.Method(u"btninvertClick", &F::btninvertClick);
  c.Method(u"btntoblackClick", &F::btntoblackClick);
  c.Method(u"CkTransparentButton3Click", &F::CkTransparentButton3Click);
  c.Method(u"CkTransparentButton4Click", &F::CkTransparentButton4Click);
  c.Method(u"CkTransparentButton5Click", &F::CkTransparentButton5Click);
  c.Method(u"acminusExecute", &F::acminusExecute);
  c.Method(u"acplusExecute", &F::acplusExecute);
  c.Method(u"acminusUpdate", &F::acminusUpdate);
  c.Method(u"acplusUpdate", &F::acplusUpdate);
  c.Method(u"btnminusMouseEnter", &F::btnminusMouseEnter);
  c.Method(u"btnplusMouseEnter", &F::btnplusMouseEnter);
  c.Method(u"btnminusMouseMove", &F::btnminusMouseMove);
  c.Method(u"btnplusMouseMove", &F::btnplusMouseMove);
  c.Method(u"acUndoModifiedExecute", &F::acUndoModifiedExecute);
  c.Method(u"acUndoModifiedUpdate", &F::acUndoModifiedUpdate);
  c.Method(u"acSavemdefaultExecute", &F::acSavemdefaultExecute);
  c.Method(u"acSavemdefaultUpdate", &F::acSavemdefaultUpdate);
  c.Method(u"acSaveModifiedExecute", &F::acSaveModifiedExecute);
  c.Method(u"acSaveModifiedUpdate", &F::acSaveModifiedUpdate);
  c.Method(u"roBrightnessExpand", &F::roBrightnessExpand);
  c.Method(u"CkImage2Click", &F::CkImage2Click);
}

}  // namespace app
