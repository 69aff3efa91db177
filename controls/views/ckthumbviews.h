// TCkThumbView: a scrolling grid of thumbnails of the picture files of one
// folder. It keeps one thumbnail selected (title in the highlight colours),
// lets the keys and the mouse move the selection, and reports the
// selection, the scanning of the folder and the keyboard to its owner.
//
// Thumbnail n (1-based, entry n - 1 of the thumb list) lies in a grid of
// cells TW x TH with gap G; M cells make a line: a row when scrolling up
// and down, a column when scrolling sideways, and ceil(sqrt(Count)) for the
// square grid.
#pragma once

#include "controls/views/ckthumbnails.h"
#include "fw/core/strings_list.h"

namespace ck {

FW_ENUM(TScrollMode, smHorizontal, smVertical, smBoth)
FW_ENUM(TViewType, vtNormal, vtCenter, vtFitToScreen)
// A percentage, -100 to 100.
using TPercent = int8_t;

using TProgressStartNotify = fw::TEvent<void(TObject* Sender, int Max)>;
using TProgressNotify = fw::TEvent<void(TObject* Sender, int Position, bool& Stop)>;
using TTitleNotify = fw::TEvent<void(TObject* Sender, const String& FileName, String& ThumbnailTitle,
                                     fw::TFont*& ThumbnailFont, TColor& ThumbnailColor)>;

// The thumbnails under their titles (entries added from a file are listed
// under the file's full path).
class TCkThumbList : public fw::TStringList {
  FW_CLASS(TCkThumbList, fw::TStringList)
  TCkThumbList() = default;
  TCkThumbnail* GetThumbnail(int Index) const { return static_cast<TCkThumbnail*>(Objects(Index)); }
};

class TCkThumbView : public TCkBaseThumbView {
  FW_CLASS(TCkThumbView, TCkBaseThumbView)
  explicit TCkThumbView(fw::TComponent* AOwner);
  ~TCkThumbView() override;
  void BeforeDestruction() override;

  int MaxWidth() const { return FMaxSize.x; }
  void SetMaxWidth(int Value);
  int MaxHeight() const { return FMaxSize.y; }
  void SetMaxHeight(int Value);
  // Thumbnails in percent of MaxWidth x MaxHeight.
  int Size() const { return FPercent; }
  void SetSize(int Value);
  int ThumbGap() const { return FThumbGap; }
  void SetThumbGap(int Value);
  TScrollMode ScrollMode() const { return FScrollMode; }
  void SetScrollMode(TScrollMode Value);
  TViewType AlignView() const { return FAlignView; }
  void SetAlignView(TViewType Value);
  bool AutoScrolling() const { return FAutoScrolling; }
  void SetAutoScrolling(bool Value) { FAutoScrolling = Value; }
  bool AutoHandleKeyb() const { return FAutoHandleKeyb; }
  void SetAutoHandleKeyb(bool Value) { FAutoHandleKeyb = Value; }
  bool MinMemory() const { return FMinMemory; }
  void SetMinMemory(bool Value) { FMinMemory = Value; }
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  // Descriptions and mask lists alternating, separated by "|".
  const String& Filter() const { return FFilter; }
  void SetFilter(const String& Value) { FFilter = Value; }
  // clNone: thumbnails take the view's colour.
  TColor ThumbColor() const { return FThumbColor; }
  void SetThumbColor(TColor Value) { FThumbColor = Value; }
  bool AsButtons() const { return FAsButtons; }
  void SetAsButtons(bool Value);
  TTitlePos TitlePlacement() const { return FTitlePlacement; }
  void SetTitlePlacement(TTitlePos Value);
  bool ShowShadow() const { return FShowShadow; }
  void SetShowShadow(bool Value) { FShowShadow = Value; }
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value) { FShadowColor = Value; }
  // Writing scans the folder again.
  const String& Directory() const { return FDirectory; }
  void SetDirectory(const String& Value);
  int Selected() const { return FSelected; }
  void SetSelected(int Value);
  String SelectedFile() const;
  void SetSelectedFile(const String& Value);
  uint16_t Count() const { return static_cast<uint16_t>(FThumbList->Count()); }
  TCkThumbList* ThumbList() const { return FThumbList; }
  // The current thumbnail size and count per line.
  int ThumbWidth() const { return FThumbSize.x; }
  int ThumbHeight() const { return FThumbSize.y; }
  int MaxX() const { return FMaxX; }

  void AddThumb(const String& ATitle, bool Redraw);
  int AddFromFile(const String& AFile);
  int AddFromStream(fw::TStream& AStream, TGRFKind AType);
  int AddFromStream(fw::TStream& AStream, TGRFKind AType, const String& ATitle);
  void Delete(int No);
  void EmptyList();
  void SortList();
  void Refresh();
  void ScrollToThumb(int Index);
  // Grid position n (1-based) in client coordinates at scroll position 0.
  int ThumbLeft(int N) const;
  int ThumbTop(int N) const;

  static String DefaultFilter();

  TProgressStartNotify OnStartScanning;
  TProgressNotify OnScanProgress;
  fw::TNotifyEvent OnStopScanning;
  fw::TNotifyEvent OnChanging;
  fw::TNotifyEvent OnChange;
  TTitleNotify OnGetTitle;
  TInvalidImageEvent OnInvalidImage;
  // The view's own key events; they run before the view moves the
  // selection.
  fw::TKeyEvent OnKeyDown;
  fw::TKeyEvent OnKeyUp;
  fw::TKeyPressEvent OnKeyPress;

 protected:
  void DialogCodes(TDialogKeyCodes& Codes) override;
  void KeyDown(WORD& Key, fw::TShiftState Shift) override;
  void KeyUp(WORD& Key, fw::TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void Resize() override;
  void WMPaint(fw::TMessage& Message) override;

 private:
  void ComputeThumbSize();
  void CountPerLine();
  void PlaceThumbs(int From);
  void FindGraphicFiles(const String& Folder);
  void BuildMaskList();
  void ForwardInvalidImage(TObject* Sender, const String& AFileName);
  // Hands the view's click and double-click handlers to a new thumbnail.
  void HandOverClicks(TCkThumbnail* Thumb);
  void MoveBy(int Delta);
  int HorzPos() const;
  int VertPos() const;
  void SetHorzPos(int Value);
  void SetVertPos(int Value);

  fw::TPoint FMaxSize{200, 200};
  fw::TPoint FThumbSize;
  TPercent FPercent = 100;
  String FDirectory;
  TScrollMode FScrollMode = smHorizontal;
  bool FAutoScrolling = true;
  int FSelected = -1;
  TViewType FAlignView = vtNormal;
  uint8_t FThumbGap = 4;
  uint16_t FMaxX = 1;
  bool FMinMemory = true;
  bool FPainted = false;
  fw::TStringList* FFileList = nullptr;
  fw::TStringList* FFileListSorted = nullptr;
  bool FSorted = true;
  bool FFilling = false;
  String FFilter;
  TColor FThumbColor = fw::clNone;
  bool FAsButtons = false;
  TTitlePos FTitlePlacement = tpUp;
  bool FAutoHandleKeyb = true;
  fw::TStringList* FGraphicExtensions = nullptr;
  bool FShowShadow = false;
  TColor FShadowColor = fw::clBlack;
  TCkThumbList* FThumbList = nullptr;
};

}  // namespace ck

namespace ck {

// Makes the thumbnail classes known by name to form descriptions; the
// program calls it once at start-up.
void RegisterThumbViewClasses();

}  // namespace ck
