#include "controls/views/ckthumbnails.h"

#include <cmath>

#include "controls/views/ckthumbviews.h"
#include "fw/core/datetime.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/graphics/jpeg.h"
#include "fw/graphics/metafile.h"
#include "fw/platform/locale.h"

namespace ck {

using fw::TMouseButton;
using fw::TShiftState;

namespace {

// A file time as the user's local date and time text, or "Unknown".
String FileTimeText(const FILETIME& Time) {
  FILETIME local;
  WORD date = 0, time = 0;
  if (!FileTimeToLocalFileTime(&Time, &local) || !FileTimeToDosDateTime(&local, &date, &time)) return u"Unknown";
  try {
    fw::TDateTime value = fw::EncodeDate(1980 + (date >> 9), (date >> 5) & 15, date & 31) +
                          fw::EncodeTime(time >> 11, (time >> 5) & 63, (time & 31) * 2, 0);
    return fw::DateTimeToStr(value, fw::UserFormatSettings());
  } catch (const fw::Exception&) {
    return u"Unknown";
  }
}

}  // namespace

// ---- TFileName

void TFileName::SetFileName(const String& Value) {
  FFileName = Value;
  if (Value != FLongName && Value != FShortName) ReadDetails();
}

void TFileName::SetLength(int Value) { FFileName.resize(static_cast<size_t>(Value < 0 ? 0 : Value), u'\0'); }

void TFileName::ReadDetails() {
  WIN32_FIND_DATAW fd{};
  HANDLE h = FindFirstFileW(W(FFileName), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  FindClose(h);
  FLongName = FromW(fd.cFileName);
  FShortName = FromW(fd.cAlternateFileName);
  if (FLongName.empty()) FLongName = FShortName;
  if (FShortName.empty()) FShortName = FLongName;
}

// ---- TCkThumbnail

TCkThumbnail::TCkThumbnail(fw::TComponent* AOwner) : TCkBaseThumbnail(AOwner) {
  FPhotoName = new TFileName();
  FShadowObj = new fw::TShape(this);
  FShadowObj->SetParent(this);
  FShadowObj->SetVisible(FShowShadow);
  FShadowObj->Brush()->SetColor(FShadowColor);
  FShadowObj->Pen()->SetStyle(fw::psClear);

  FPhoto = new TCkThumbImage(this);
  FPhoto->SetAutoSize(false);
  FPhoto->SetAlign(fw::alNone);
  FPhoto->SetStretch(true);
  FPhoto->OnProgress = fw::TProgressEvent(this, &TCkThumbnail::PhotoProgress);
  FShadowObj->SetBounds(FPhoto->Left() + FHShadowOffset, FPhoto->Top() + FVShadowOffset, FPhoto->Width(),
                        FPhoto->Height());

  FTitlePanel = new TCkThumbTitle(this);
  FTitlePanel->SetAlign(fw::alTop);
  FTitlePanel->SetHeight(15);
  FTitlePanel->SetAlignment(fw::taCenter);
  FTitlePanel->SetColor(fw::clBtnFace);
  FTitlePanel->SetBevelOuter(fw::bvLowered);
  FTitlePanel->SetParentColor(true);

  FTitleFont = new fw::TFont();
  FTitleFont->OnChange = fw::TNotifyEvent(this, &TCkThumbnail::TitleFontChanged);
  FTitle.clear();
  FPhoto->SetParent(this);
  FTitlePanel->SetParent(this);

  SetAlign(fw::alNone);
  if (auto* view = dynamic_cast<TCkThumbView*>(AOwner)) SetBounds(10, 10, view->MaxWidth(), view->MaxHeight());
  else SetBounds(10, 10, 120, 120);
  FMinimizeMemory = true;
  FAsButton = false;
  SetVisible(true);
  SetBevelOuter(fw::bvRaised);
  FStreamFileKind = grBMP;
  FAutoLoad = true;
  FitPhoto();
}

void TCkThumbnail::BeforeDestruction() {
  // The children go with the window, before the destructor runs: nothing
  // may reach them from here on.
  FDestroying = true;
  if (FPhoto) FPhoto->OnProgress = fw::TProgressEvent();
  if (FTitleFont) FTitleFont->OnChange = fw::TNotifyEvent();
  TCkBaseThumbnail::BeforeDestruction();
}

TCkThumbnail::~TCkThumbnail() {
  FDestroying = true;
  if (FTitleFont) FTitleFont->OnChange = fw::TNotifyEvent();
  delete FPhotoName;
  FPhotoName = nullptr;
  delete FTitleFont;
  FTitleFont = nullptr;
}

void TCkThumbnail::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TCkBaseThumbnail::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  if (AComponent == FPhoto) FPhoto = nullptr;
  if (AComponent == FTitlePanel) FTitlePanel = nullptr;
  if (AComponent == FShadowObj) FShadowObj = nullptr;
}

// ---- File and picture

String TCkThumbnail::FileName() const { return FPhotoName ? FPhotoName->FileName() : String(); }

void TCkThumbnail::SetFileName(const String& Value) {
  String loaded;
  if (!Value.empty()) {
    ReadFileInfo(Value);
    if (FAutoLoad) loaded = LoadPhoto(Value);
  }
  if (!loaded.empty() && loaded == Value) {
    if (FTitle.empty() || FTitle == fw::ExtractFileName(FPhotoName->FileName())) SetTitle(fw::ExtractFileName(loaded));
  }
  FPhotoName->SetFileName(loaded);
}

TThumbSize TCkThumbnail::ReductionBox() const {
  if (auto* view = dynamic_cast<TCkThumbView*>(Owner())) return {view->MaxWidth(), view->MaxHeight()};
  return {Width(), Height()};
}

String TCkThumbnail::LoadPhoto(const String& AFile) {
  if (!FPhoto) return String();
  try {
    FPhoto->FLoadRefused = false;
    FPhoto->LoadFromFile(AFile);
    // A picture its formats could not read was handed to OnInvalidImage;
    // the thumbnail has no picture then, as after any failed load.
    if (FPhoto->FLoadRefused) throw fw::EInvalidGraphic(u"Invalid image: " + AFile);
    FImageWidth = FPhoto->Picture()->Width();
    FImageHeight = FPhoto->Picture()->Height();
    FUpdated = false;
    FitPhoto();
    FPhoto->SetVisible(true);
    if (FMinimizeMemory) {
      TThumbSize box = ReductionBox();
      FPhoto->ScaleDown(box.cx, box.cy);
    }
  } catch (...) {
    FPhoto->Picture()->SetGraphic(nullptr);
    FImageWidth = FImageHeight = 0;
    FitPhoto();
    return String();
  }
  return AFile;
}

void TCkThumbnail::ReadFileInfo(const String& AFile) {
  WIN32_FIND_DATAW fd{};
  HANDLE h = FindFirstFileW(W(AFile), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  FindClose(h);
  FDFileAccessed = FileTimeText(fd.ftLastAccessTime);
  FDFileChanged = FileTimeText(fd.ftLastWriteTime);
  FDFileCreated = FileTimeText(fd.ftCreationTime);
  FDFileSize = static_cast<int>(fd.nFileSizeLow);
}

void TCkThumbnail::SetStream(fw::TStream* AStream) {
  if (!AStream || !FPhoto) return;
  fw::TPicture* pic = FPhoto->Picture();
  switch (FStreamFileKind) {
    case grBMP: {
      fw::TBitmap bmp;
      bmp.LoadFromStream(*AStream);
      pic->SetGraphic(&bmp);
      break;
    }
    case grJPG: {
      fw::TJPEGImage jpeg;
      jpeg.LoadFromStream(*AStream);
      pic->SetGraphic(&jpeg);
      break;
    }
    case grWMF:
    case grEMF: {
      fw::TMetafile meta;
      meta.LoadFromStream(*AStream);
      pic->SetGraphic(&meta);
      break;
    }
    default: return;
  }
  if (FMinimizeMemory && pic->Graphic() && !pic->Graphic()->Empty()) {
    TThumbSize box{Width(), Height()};
    if (auto* view = dynamic_cast<TCkThumbView*>(Parent())) box = {view->MaxWidth(), view->MaxHeight()};
    TThumbSize f = ProportionalFit({pic->Width(), pic->Height()}, box);
    fw::TBitmap bmp;
    bmp.SetPixelFormat(fw::pf24bit);
    bmp.SetSize(f.cx, f.cy);
    bmp.Canvas()->StretchDraw(fw::Rect(0, 0, f.cx, f.cy), pic->Graphic());
    pic->SetGraphic(&bmp);
  }
}

void TCkThumbnail::SetMinimizeMemory(bool Value) {
  fw::TGraphic* g = FPhoto ? FPhoto->Picture()->Graphic() : nullptr;
  if (g && !g->Empty() && Value != FMinimizeMemory) {
    if (Value) {
      TThumbSize box = ReductionBox();
      FPhoto->ScaleDown(box.cx, box.cy);
    } else if (!FileName().empty()) {
      // A picture that did not come from a file has nothing to go back to.
      FPhoto->Picture()->LoadFromFile(FileName());
    }
  }
  FMinimizeMemory = Value;
}

void TCkThumbnail::PhotoProgress(TObject*, fw::TProgressStage Stage, uint8_t, bool, const fw::TRect&,
                                 const String&) {
  FImageReady = Stage == fw::psEnding;
}

// ---- Title

void TCkThumbnail::SetTitle(const String& Value) {
  if (Value == FTitle) return;
  FTitle = Value;
  if (FTitlePanel) FTitlePanel->SetCaption(Value);
}

void TCkThumbnail::SetTitleColor(TColor Value) {
  if (Value == FTitleColor) return;
  FTitleColor = Value;
  if (FTitlePanel) FTitlePanel->SetColor(Value);
}

void TCkThumbnail::SetTitleFont(fw::TFont* Value) {
  FTitleFont->Assign(Value);
  TitleFontChanged(FTitleFont);
}

void TCkThumbnail::TitleFontChanged(TObject*) {
  if (FTitlePanel && !FDestroying) FTitlePanel->Font()->Assign(FTitleFont);
}

void TCkThumbnail::SetTitlePanel(const String& ATitle, fw::TFont* AFont, TColor AColor) {
  SetTitleFont(AFont);
  SetTitleColor(AColor);
  SetTitle(ATitle);
  FUpdated = true;
}

void TCkThumbnail::SetTitlePlacement(TTitlePos Value) {
  if (Value != FTitlePlacement && FTitlePanel) {
    switch (Value) {
      case tpUp: FTitlePanel->SetAlign(fw::alTop); break;
      case tpDown: FTitlePanel->SetAlign(fw::alBottom); break;
      case tpNone: FTitlePanel->SetVisible(false); break;
    }
    if (FTitlePlacement == tpNone) FTitlePanel->SetVisible(true);
  }
  FTitlePlacement = Value;
  FitPhoto();
}

void TCkThumbnail::SetShowTitle(bool Value) {
  if (Value == FShowTitle) return;
  FShowTitle = Value;
  if (FTitlePanel) FTitlePanel->SetVisible(Value);
}

void TCkThumbnail::SetShowShadow(bool Value) {
  if (FShadowObj) FShadowObj->SetVisible(Value);
  FShowShadow = Value;
}

// ---- Layout

void TCkThumbnail::SetClientWidth(int) { FitPhoto(); }
void TCkThumbnail::SetClientHeight(int) { FitPhoto(); }

void TCkThumbnail::FitPhoto() {
  if (FDestroying || !FPhoto || !FTitlePanel) return;
  int titleHeight = FTitlePanel->Height();
  FClientHeight = static_cast<uint16_t>(Height() - (FTitlePanel->Visible() ? titleHeight + 8 : 8));
  FClientWidth = static_cast<uint16_t>(Width() - 2 * BorderWidth() - 8);
  int pw = FPhoto->Picture()->Width(), ph = FPhoto->Picture()->Height();
  float fw = 100, fh = 100;
  if (pw > FClientWidth || ph > FClientHeight) {
    fw = pw == 0 ? 0.0f : static_cast<float>(static_cast<double>(FClientWidth) / pw * 100);
    fh = ph == 0 ? 0.0f : static_cast<float>(static_cast<double>(FClientHeight) / ph * 100);
  }
  auto p = static_cast<uint8_t>(std::trunc(fh < fw ? fh : fw));
  int w = static_cast<int>(std::trunc(static_cast<long double>(pw) / 100 * p));
  int h = static_cast<int>(std::trunc(static_cast<long double>(ph) / 100 * p));
  int left = static_cast<int>(std::trunc(Width() / 2.0L - w / 2.0L));
  int top = Height() / 2 - h / 2;
  if (FTitlePlacement == tpUp) top += titleHeight / 2;
  else if (FTitlePlacement == tpDown) top -= titleHeight / 2;
  FPhoto->SetBounds(left, top, w, h);
  if (FShadowObj) FShadowObj->SetBounds(left + FHShadowOffset, top + FVShadowOffset, w, h);
}

void TCkThumbnail::Refresh() {
  FitPhoto();
  TCkBaseThumbnail::Refresh();
}

void TCkThumbnail::BoundsChanged() {
  FitPhoto();
  TCkBaseThumbnail::BoundsChanged();
}

// The framework tells of a new size also while the thumbnail has no window
// yet; the picture follows it then too.
void TCkThumbnail::Resize() {
  FitPhoto();
  TCkBaseThumbnail::Resize();
}

void TCkThumbnail::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == RefitThumbnailMessage) {
    FitPhoto();
    return;
  }
  TCkBaseThumbnail::Dispatch(Message);
}

void TCkThumbnail::WMPaint(fw::TMessage& Message) {
  if (!FUpdated) {
    String name = FileName();
    if (OnGetTitle) {
      String title = FTitle;
      OnGetTitle(this, name, title);
      SetTitle(title);
    } else if (FTitle.empty()) {
      SetTitle(fw::ExtractFileName(name));
    }
    FUpdated = true;
  }
  TCkBaseThumbnail::WMPaint(Message);
}

// ---- The button look

void TCkThumbnail::ShowPressed(bool Pressed) {
  SetBevelOuter(Pressed ? fw::bvLowered : fw::bvRaised);
  if (FTitlePanel) FTitlePanel->SetBevelOuter(Pressed ? fw::bvRaised : fw::bvLowered);
}

void TCkThumbnail::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FAsButton && Button == fw::mbLeft) {
    FMousePressed = true;
    ShowPressed(true);
  }
  TCkBaseThumbnail::MouseDown(Button, Shift, X, Y);
}

void TCkThumbnail::MouseMove(TShiftState Shift, int X, int Y) {
  if (FAsButton && FMousePressed) ShowPressed(X >= 0 && X <= Width() && Y >= 0 && Y <= Height());
  TCkBaseThumbnail::MouseMove(Shift, X, Y);
}

void TCkThumbnail::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FAsButton && Button == fw::mbLeft) {
    FMousePressed = false;
    ShowPressed(false);
  }
  TCkBaseThumbnail::MouseUp(Button, Shift, X, Y);
}

FW_REGISTER(TFileName) {
  c.Property(u"FileName", &TFileName::FileName, &TFileName::SetFileName);
  c.Property(u"Length", &TFileName::Length, &TFileName::SetLength).Stored(false);
}

FW_REGISTER(TCkThumbnail) {
  c.Property(u"FileName", &TCkThumbnail::FileName, &TCkThumbnail::SetFileName);
  c.Property(u"Title", &TCkThumbnail::Title, &TCkThumbnail::SetTitle);
  c.Property(u"TitleColor", &TCkThumbnail::TitleColor, &TCkThumbnail::SetTitleColor)
      .Type(fw::TypeInfoTColor())
      .Default(fw::clBtnFace);
  c.Property(u"TitleFont", &TCkThumbnail::TitleFont, &TCkThumbnail::SetTitleFont);
  c.Property(u"TitlePlacement", &TCkThumbnail::TitlePlacement, &TCkThumbnail::SetTitlePlacement).Default(tpUp);
  c.Property(u"ShowTitle", &TCkThumbnail::ShowTitle, &TCkThumbnail::SetShowTitle).Default(false);
  c.Property(u"ImageReady", &TCkThumbnail::ImageReady);
  c.Property(u"ImageWidth", &TCkThumbnail::ImageWidth);
  c.Property(u"ImageHeight", &TCkThumbnail::ImageHeight);
  c.Property(u"ClientWidth", &TCkThumbnail::ClientWidth, &TCkThumbnail::SetClientWidth).Stored(false);
  c.Property(u"ClientHeight", &TCkThumbnail::ClientHeight, &TCkThumbnail::SetClientHeight).Stored(false);
  c.Property(u"FileSize", &TCkThumbnail::FileSize, &TCkThumbnail::SetFileSize).Stored(false);
  c.Property(u"FileAccessed", &TCkThumbnail::FileAccessed, &TCkThumbnail::SetFileAccessed).Stored(false);
  c.Property(u"FileCreated", &TCkThumbnail::FileCreated, &TCkThumbnail::SetFileCreated).Stored(false);
  c.Property(u"FileChanged", &TCkThumbnail::FileChanged, &TCkThumbnail::SetFileChanged).Stored(false);
  c.Property(u"AsButton", &TCkThumbnail::AsButton, &TCkThumbnail::SetAsButton).Default(false);
  c.Property(u"MinimizeMemory", &TCkThumbnail::MinimizeMemory, &TCkThumbnail::SetMinimizeMemory).Default(true);
  c.Property(u"StreamFileType", &TCkThumbnail::StreamFileType, &TCkThumbnail::SetStreamFileType).Default(grBMP);
  c.Property(u"AutoLoad", &TCkThumbnail::AutoLoad, &TCkThumbnail::SetAutoLoad).Default(true);
  c.Property(u"ShadowColor", &TCkThumbnail::ShadowColor, &TCkThumbnail::SetShadowColor)
      .Type(fw::TypeInfoTColor())
      .Default(fw::clSilver);
  c.Property(u"ShowShadow", &TCkThumbnail::ShowShadow, &TCkThumbnail::SetShowShadow).Default(false);
  c.Event(u"OnGetTitle", &TCkThumbnail::OnGetTitle);
}

}  // namespace ck
