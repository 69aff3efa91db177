// One cell of the thumbnail view: a raised panel holding the picture
// control, a title band and an optional drop shadow. The picture is fitted
// into the cell keeping its aspect; the title shows the file name unless
// it was set otherwise; as a button the cell looks pressed while the mouse
// is held on it.
#pragma once

#include "controls/views/ckthumbimage.h"
#include "fw/stdctrls/shapes.h"

namespace ck {

// The file name of a thumbnail with the long and short names the file
// system gives it.
class TFileName : public fw::TPersistent {
  FW_CLASS(TFileName, fw::TPersistent)
  TFileName() = default;

  const String& FileName() const { return FFileName; }
  virtual void SetFileName(const String& Value);
  // The length of FileName; writing it cuts or extends the text.
  int Length() const { return static_cast<int>(FFileName.size()); }
  void SetLength(int Value);
  const String& LongName() const { return FLongName; }
  const String& ShortName() const { return FShortName; }

  void LoadFromStream(fw::TStream&) {}
  void SaveToStream(fw::TStream&) {}

 protected:
  // The long and short names of the file, when it is found.
  void ReadDetails();

 private:
  String FLongName;
  String FShortName;
  String FFileName;
};

// The title hook of a thumbnail: the title to show for a file.
using TThumbTitleNotify = fw::TEvent<void(TObject* Sender, const String& FileName, String& ThumbnailTitle)>;

class TCkThumbnail : public TCkBaseThumbnail {
  FW_CLASS(TCkThumbnail, TCkBaseThumbnail)
  explicit TCkThumbnail(fw::TComponent* AOwner);
  ~TCkThumbnail() override;

  // Loads the picture (with AutoLoad); reads back empty when it failed.
  String FileName() const;
  void SetFileName(const String& Value);
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value);
  TColor TitleColor() const { return FTitleColor; }
  void SetTitleColor(TColor Value);
  fw::TFont* TitleFont() const { return FTitleFont; }
  void SetTitleFont(fw::TFont* Value);
  TTitlePos TitlePlacement() const { return FTitlePlacement; }
  void SetTitlePlacement(TTitlePos Value);
  bool ShowTitle() const { return FShowTitle; }
  void SetShowTitle(bool Value);
  bool ImageReady() const { return FImageReady; }
  int ImageWidth() const { return FImageWidth; }
  int ImageHeight() const { return FImageHeight; }
  // The room for the picture; writing recomputes it from the geometry.
  int ClientWidth() const { return FClientWidth; }
  void SetClientWidth(int Value);
  int ClientHeight() const { return FClientHeight; }
  void SetClientHeight(int Value);
  int FileSize() const { return FDFileSize; }
  void SetFileSize(int) {}
  const String& FileAccessed() const { return FDFileAccessed; }
  void SetFileAccessed(const String&) {}
  const String& FileCreated() const { return FDFileCreated; }
  void SetFileCreated(const String&) {}
  const String& FileChanged() const { return FDFileChanged; }
  void SetFileChanged(const String&) {}
  bool AsButton() const { return FAsButton; }
  void SetAsButton(bool Value) { FAsButton = Value; }
  bool MinimizeMemory() const { return FMinimizeMemory; }
  void SetMinimizeMemory(bool Value);
  TGRFKind StreamFileType() const { return FStreamFileKind; }
  void SetStreamFileType(TGRFKind Value) { FStreamFileKind = Value; }
  bool AutoLoad() const { return FAutoLoad; }
  void SetAutoLoad(bool Value) { FAutoLoad = Value; }
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value) { FShadowColor = Value; }
  bool ShowShadow() const { return FShowShadow; }
  void SetShowShadow(bool Value);
  // Reads back nothing; writing loads the picture from the stream.
  fw::TStream* Stream() const { return nullptr; }
  void SetStream(fw::TStream* AStream);
  TCkThumbImage* Photo() const { return FPhoto; }
  TCkThumbTitle* TitlePanel() const { return FTitlePanel; }
  fw::TShape* Shadow() const { return FShadowObj; }

  // Title, its font and colour at once; the first paint keeps them.
  void SetTitlePanel(const String& ATitle, fw::TFont* AFont, TColor AColor);
  void BeforeDestruction() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  // Fits the picture into the cell again.
  virtual void FitPhoto();
  void Refresh();

  TThumbTitleNotify OnGetTitle;

 protected:
  void BoundsChanged() override;
  void Resize() override;
  void WMPaint(fw::TMessage& Message) override;

 public:
  void Dispatch(fw::TMessage& Message) override;

 protected:
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseMove(fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;

 private:
  String LoadPhoto(const String& AFile);
  void ReadFileInfo(const String& AFile);
  void TitleFontChanged(TObject* Sender);
  void PhotoProgress(TObject* Sender, fw::TProgressStage Stage, uint8_t PercentDone, bool RedrawNow,
                     const fw::TRect& R, const String& Msg);
  // The reduction box: the owner view's largest thumbnail, else the cell.
  TThumbSize ReductionBox() const;
  void ShowPressed(bool Pressed);

  String FTitle;
  TCkThumbTitle* FTitlePanel = nullptr;
  TColor FTitleColor = fw::clBtnFace;
  fw::TFont* FTitleFont = nullptr;
  TGRFKind FStreamFileKind = grBMP;
  String FDFileCreated, FDFileChanged, FDFileAccessed;
  bool FShowTitle = false;
  int FDFileSize = 0;
  int FImageWidth = 0, FImageHeight = 0;
  uint16_t FClientHeight = 0, FClientWidth = 0;
  fw::TShape* FShadowObj = nullptr;
  bool FUpdated = false;
  bool FImageReady = false;
  TTitlePos FTitlePlacement = tpUp;
  TFileName* FPhotoName = nullptr;
  TCkThumbImage* FPhoto = nullptr;
  bool FMousePressed = false;
  bool FDestroying = false;
  bool FAsButton = false;
  bool FMinimizeMemory = true;
  bool FAutoLoad = true;
  TColor FShadowColor = fw::clSilver;
  bool FShowShadow = false;
  uint16_t FHShadowOffset = 3, FVShadowOffset = 3;
};

}  // namespace ck
