// Balloon hints: a speech-balloon window (rounded body, a stem pointing at an
// anchor) with an optional icon, bold header, message and close button.
//
// TCkBalloonWindow lays the balloon out and shapes its window; as the
// application's hint window it shows every control hint as a balloon.
// TCkBalloonWindowEx is the balloon of a TCkBalloonHint: close button,
// anchor tracking, animation. TCkBalloonHint shows it next to a control, a
// point of a form or a screen rectangle, for a time or until cancelled.
// TGlobalCtrl (one per process) holds the default icons, the sounds and the
// switch that makes the balloon the application's hint window.
#pragma once

#include <windows.h>
#include <mmsystem.h>
// TGlobalCtrl::PlaySound is the component's own operation, not the
// system's macro.
#undef PlaySound

#include <memory>
#include <string>

#include "controls/base/ckcommondialog.h"
#include "fw/controls/forms.h"
#include "fw/controls/hintwindow.h"
#include "services/wndprochook.h"
#include "fw/graphics/imagelist.h"

namespace ck {

using fw::String;
using fw::TPoint;
using fw::TRect;

FW_ENUM(TCkIconKind, ikCustom, ikNone, ikApplication, ikError, ikInformation, ikQuestion, ikWarning)
// Left/Right: the side of the anchor the body lies on; Down: the body below
// the anchor (stem on top); Up: above it (stem at the bottom).
FW_ENUM(TCkBalloonPosition, bpAuto, bpLeftDown, bpRightDown, bpLeftUp, bpRightUp)
FW_ENUM(TCkAnimationStyle, atNone, atSlide, atRoll, atRollHorNeg, atRollHorPos, atRollVerNeg, atRollVerPos,
        atSlideHorNeg, atSlideHorPos, atSlideVerNeg, atSlideVerPos, atCenter, atBlend)
FW_ENUM(TCkBalloonOption, boUseDefaultHeader, boUseDefaultIcon, boUseDefaultImageIndex, boShowCloseBtn,
        boCustomAnimation, boPlaySound)
using TCkBalloonOptions = fw::TSet<TCkBalloonOption>;
FW_ENUM(TCkApplicationHintOption, ahShowHeaderInHint, ahShowIconInHint, ahPlaySound)
using TCkApplicationHintOptions = fw::TSet<TCkApplicationHintOption>;

using TCkCloseQueryEvent = fw::TEvent<void(fw::TObject* Sender, bool& CanClose)>;

// The platform facts the balloon's look depends on. Detected once; tests
// may put their own in place (nullptr: detect again).
struct TBalloonPlatform {
  bool XP = true;       // NT 5.1 or later
  bool Vista = true;    // NT 6.0 or later
  bool ComCtl6 = false;  // common controls 6 or later
  bool Themes = false;  // the active style services are enabled
};
const TBalloonPlatform& BalloonPlatform();
void SetBalloonPlatform(const TBalloonPlatform* Value);

// The window animation procedure (AnimateWindow); null: no animation.
using TAnimateWindowProc = BOOL(WINAPI*)(HWND, DWORD, DWORD);
extern TAnimateWindowProc AnimateWindowProc;
// The flags of AnimateWindow for a style at a position.
DWORD BalloonAnimationFlags(TCkAnimationStyle Style, TCkBalloonPosition Position);
// Whether a message has two or more lines (a break at the very end starts
// none; CR LF is one break).
bool IsMultiLineText(const String& Text);

// The request of one activation.
struct THintData {
  fw::TCustomForm* RAnchorWindow = nullptr;
  TPoint RAnchorPosition;
  TPoint RStemPointPosition;
  std::string RUTF8Header;
  std::string RUTF8Hint;
  TCkIconKind RIconKind = ikNone;
  int32_t RImageIndex = -1;
  int32_t RVisibleTime = 0;
  bool RShowCloseBtn = false;
  TCkAnimationStyle RAnimationStyle = atNone;
  uint32_t RAnimationTime = 0;
  int32_t RSwitchHeight = 0;
};

class TCkBalloonHint;

class TCkBalloonWindow : public fw::THintWindow {
  FW_CLASS(TCkBalloonWindow, fw::THintWindow)
  explicit TCkBalloonWindow(fw::TComponent* AOwner);

  fw::TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
  void ActivateHint(const TRect& Rect, const String& AHint) override;
  virtual void MeasureHeader(int MaxWidth, int& Width, int& Height);
  virtual void MeasureMessage(int MaxWidth, int& Width, int& Height);
  // AData: the THintData of a TCkBalloonHint, or the application's data.
  virtual void InitValues(void* AData);
  TRect CalcHintRectUTF8(int MaxWidth, const std::string& AUTF8Hint, void* AData);
  // The balloon's rectangle with the anchor at (0, 0).
  virtual TRect CalcHintRectW(int MaxWidth, const String& AHint, void* AData);

  // Chooses the final position for a rectangle in screen coordinates (the
  // anchor's place kept), moving it, and lays the inside out for it.
  void CheckPosition(TRect& R);
  // Where the anchor lies relative to a balloon rectangle's top-left.
  TPoint AnchorOffset(const TRect& R) const;
  TPoint StemPointInRect(const TRect& R) const;
  // The stem tip of the window's bounds, in screen coordinates.
  TPoint StemPointPosition() const;

  TCkBalloonPosition CurrentPosition() const { return FCurrentPosition; }
  const TRect& RoundRect() const { return FRoundRect; }
  const TRect& StemRect() const { return FStemRect; }
  const TRect& MsgRect() const { return FMsgRect; }
  const TRect& HeaderRect() const { return FHeaderRect; }
  const TRect& CloseBtnRect() const { return FCloseBtnRect; }
  TPoint IconPos() const { return FIconPos; }
  int TipHeight() const { return FTipHeight; }
  int TipWidth() const { return FTipWidth; }
  int TipDelta() const { return FTipDelta; }
  bool IsMultiLineMsg() const { return FIsMultiLineMsg; }
  bool ShowIcon() const { return FShowIcon; }
  bool ShowHeader() const { return FShowHeader; }
  const String& Header() const { return FHeader; }
  const String& Msg() const { return FMsg; }

 protected:
  void CreateParams(fw::TCreateParams& Params) override;
  void CreateWindowHandle(const fw::TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(fw::TMessage& Message) override;
  void UpdateRegion();
  void SetPosition(TCkBalloonPosition Value, TRect& R);
  // The fonts and colour of the texts.
  void SelectMessageFont(fw::TCanvas* Canvas);
  void SelectHeaderFont(fw::TCanvas* Canvas);
  void PaintIcon(fw::TCanvas* Canvas);
  void PaintTexts(fw::TCanvas* Canvas);
  void EraseBackground(HDC DC);
  virtual TCkIconKind IconKindShown() const;
  virtual int ImageIndexShown() const;

  TCkBalloonPosition FCurrentPosition = bpAuto;
  int FSwitchHeight = 0;
  bool FShowIcon = false;
  bool FShowHeader = false;
  String FMsg;
  String FHeader;
  int FTipHeight = 12;
  int FTipWidth = 12;
  int FTipDelta = 16;
  fw::TSize FImageSize{0, 0};
  TPoint FIconPos;
  TRect FRoundRect, FStemRect, FMsgRect, FHeaderRect, FCloseBtnRect;
  bool FShowCloseBtn = false;
  bool FIsMultiLineMsg = false;
  bool FUseRegion = false;
  // The rectangle CalcHintRect returned last (the application keeps only
  // its size).
  TRect FCalculated;
  // The window's owner: the application window, or none.
  HWND FOwnerWindow = nullptr;
};

class TCkBalloonWindowEx : public TCkBalloonWindow {
  FW_CLASS(TCkBalloonWindowEx, TCkBalloonWindow)
  explicit TCkBalloonWindowEx(fw::TComponent* AOwner);

  void InitValues(void* AData) override;
  // Positions, shapes and shows the balloon at R (screen coordinates).
  void ShowBalloon(TRect& R);
  // Places the window in the z-order for its anchor form.
  void UpdateZOrder();
  UINT CloseState() const { return FCloseState; }
  bool IsAnchored() const { return FIsAnchored; }
  TCkAnimationStyle AnimationStyle() const { return FAnimationStyle; }

 protected:
  void Paint() override;
  void Dispatch(fw::TMessage& Message) override;
  void WMLButtonDown(fw::TMessage& Message) override;
  void WMLButtonUp(fw::TMessage& Message) override;
  void WMMouseMove(fw::TMessage& Message) override;
  TCkIconKind IconKindShown() const override { return FIconKind; }
  int ImageIndexShown() const override { return FImageIndex; }

 private:
  void SetCloseState(UINT Value);
  bool InCloseButton(int X, int Y) const;

  TCkBalloonHint* FCtrl;
  UINT FCloseState = DFCS_FLAT;
  int FImageIndex = -1;
  TCkIconKind FIconKind = ikNone;
  uint32_t FAnimationTime = 0;
  TCkAnimationStyle FAnimationStyle = atNone;
  bool FIsAnchored = false;
};

class TCkBalloonHint : public TCkComponent {
  FW_CLASS(TCkBalloonHint, TCkComponent)
  explicit TCkBalloonHint(fw::TComponent* AOwner);
  ~TCkBalloonHint() override;

  // Icon kind ikNone / ikCustom with AImageIndex / AIconKind. Nothing
  // without a control; a shown balloon is cancelled first.
  void ActivateHint(fw::TControl* ACtrl, const String& AHint, const String& AHeader = String(),
                    int VisibleTime = 5000);
  void ActivateHint(fw::TControl* ACtrl, const String& AHint, int AImageIndex, const String& AHeader = String(),
                    int VisibleTime = 5000);
  void ActivateHint(fw::TControl* ACtrl, const String& AHint, TCkIconKind AIconKind,
                    const String& AHeader = String(), int VisibleTime = 5000);
  // Anchored at a point of a form's client area.
  void ActivateHintPos(fw::TCustomForm* AAnchorWindow, const TPoint& AAnchorPosition, const String& AHeader,
                       const String& AHint, int VisibleTime = 5000, TCkIconKind AIconKind = ikInformation,
                       int AImageIndex = -1);
  // Pointing at the middle of a screen rectangle's bottom edge.
  void ActivateHintRect(const TRect& ARect, const String& AHeader, const String& AHint, int VisibleTime = 5000,
                        TCkIconKind AIconKind = ikInformation, int AImageIndex = -1);
  void CancelHint();
  bool Active() const { return FActive; }

  TCkAnimationStyle CustomAnimationStyle() const { return FCustomAnimationStyle; }
  void SetCustomAnimationStyle(TCkAnimationStyle Value) { FCustomAnimationStyle = Value; }
  uint32_t CustomAnimationTime() const { return FCustomAnimationTime; }
  void SetCustomAnimationTime(uint32_t Value) { FCustomAnimationTime = Value; }
  TCkBalloonPosition DefaultBalloonPosition() const { return FDefaultBalloonPosition; }
  void SetDefaultBalloonPosition(TCkBalloonPosition Value) { FDefaultBalloonPosition = Value; }
  int DefaultImageIndex() const { return FDefaultImageIndex; }
  void SetDefaultImageIndex(int Value) { FDefaultImageIndex = Value; }
  const String& DefaultHeader() const { return FDefaultHeader; }
  void SetDefaultHeader(const String& Value) { FDefaultHeader = Value; }
  TCkIconKind DefaultIcon() const { return FDefaultIcon; }
  void SetDefaultIcon(TCkIconKind Value) { FDefaultIcon = Value; }
  fw::TCustomImageList* Images() const { return FImages; }
  void SetImages(fw::TCustomImageList* Value);
  TCkBalloonOptions Options() const { return FOptions; }
  void SetOptions(TCkBalloonOptions Value) { FOptions = Value; }
  TCkApplicationHintOptions ApplicationHintOptions() const { return FApplicationHintOptions; }
  void SetApplicationHintOptions(TCkApplicationHintOptions Value) { FApplicationHintOptions = Value; }
  bool UseBalloonAsApplicationHint() const;
  void SetUseBalloonAsApplicationHint(bool Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value) { FMaxWidth = Value; }

  TCkBalloonWindowEx* HintWindow() const { return FHint; }
  const THintData& Data() const { return FData; }

  fw::TNotifyEvent FOnBalloonClick;
  fw::TNotifyEvent FOnClose;
  TCkCloseQueryEvent FOnCloseBtnClick;
  fw::TNotifyEvent FOnDblClick;
  fw::TMouseEvent FOnMouseDown;
  fw::TMouseMoveEvent FOnMouseMove;
  fw::TMouseEvent FOnMouseUp;

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  friend class TCkBalloonWindowEx;
  void AnchorToControl(fw::TControl* ACtrl);
  void InternalActivateHint();
  void StartHideTimer();
  void StopHideTimer();
  void TimerWndProc(fw::TMessage& Message);
  void HookAnchor();
  void UnhookAnchor();
  bool AnchorMessage(fw::TMessage& Message);
  bool CloseBtnClick();
  void HintClick(fw::TObject* Sender);
  void HintDblClick(fw::TObject* Sender);
  void HintMouseDown(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void HintMouseMove(fw::TObject* Sender, fw::TShiftState Shift, int X, int Y);
  void HintMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);

  TCkBalloonWindowEx* FHint;
  bool FActive = false;
  TCkBalloonOptions FOptions{boShowCloseBtn};
  fw::TCustomImageList* FImages = nullptr;
  String FDefaultHeader;
  TCkIconKind FDefaultIcon = ikInformation;
  int FDefaultImageIndex = -1;
  THintData FData;
  TCkApplicationHintOptions FApplicationHintOptions{ahShowHeaderInHint, ahShowIconInHint};
  TCkBalloonPosition FDefaultBalloonPosition = bpAuto;
  uint32_t FCustomAnimationTime = 100;
  TCkAnimationStyle FCustomAnimationStyle = atBlend;
  HWND FHandle = nullptr;
  bool FTimerActive = false;
  int FMaxWidth = 0;
  bool FAnchorHooked = false;
  fw::TControl* FAnchorHookedWindow = nullptr;
};

class TGlobalCtrl : public fw::TComponent {
  FW_CLASS(TGlobalCtrl, fw::TComponent)
  explicit TGlobalCtrl(fw::TComponent* AOwner);
  ~TGlobalCtrl() override;

  fw::TSize HintImageSize();
  fw::TSize HintImageSize(TCkIconKind AIconKind, int AImageIndex);
  void DrawHintImage(fw::TCanvas* Canvas, int X, int Y, fw::TColor ABkColor);
  void DrawHintImage(fw::TCanvas* Canvas, int X, int Y, TCkIconKind AIconKind, int AImageIndex,
                     fw::TColor ABkColor);
  void PlaySound(TCkIconKind AIconKind);
  const String& SoundPath(TCkIconKind AIconKind) const { return FSounds[AIconKind]; }

  // The component whose settings serve the application hints; made (once)
  // when none is set.
  TCkBalloonHint* MainCtrl();
  TCkBalloonHint* MainCtrlOrNull() const { return FMainCtrl; }
  void SetMainCtrl(TCkBalloonHint* Value);
  bool UseBalloonAsApplicationHint() const { return FUseBalloonAsApplicationHint; }
  void SetUseBalloonAsApplicationHint(bool Value);
  fw::TCustomImageList* DefaultImages() const { return FDefaultImages; }

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  void LoadDefaultImages();
  void WriteBkColor(fw::TColor Value);
  void ReadSounds();

  fw::TColor FBkColor;
  TCkBalloonHint* FMainCtrl = nullptr;
  fw::TImageList* FDefaultImages;
  bool FNeedUpdateBkColor = false;
  fw::THintWindowClass FOldHintWindowClass = nullptr;
  String FSounds[ikWarning + 1];
  bool FUseBalloonAsApplicationHint = false;
  bool FDesigning = false;
  TCkBalloonHint* FDefaultMainCtrl = nullptr;
};

// The process's global control, made on first use.
TGlobalCtrl* GlobalCtrl();
// Frees the global control (and a default main control it made).
void FreeGlobalCtrl();

// Lets form descriptions create the balloon hint by name.
void RegisterBalloonHintClasses();

}  // namespace ck
