// The label TCkLabel (all logic in TCkCustomLabel): a windowless label with
// a hot-track font, fill and frame, a text shadow, rotation by any angle,
// an image of an image list beside the text, margins, a plain or octagonal
// frame, text ellipsis, a focus control reached by its accelerator, and an
// address (URL) the shell opens after a click. It can show the selected
// item of a data provider instead of its caption (Provider).
#pragma once

#include <windows.h>

#include <memory>

#include "controls/base/ckdataprovider.h"
#include "controls/base/ckexcontrols.h"
#include "controls/base/ckhottrackpersistent.h"
#include "controls/base/ckpanel.h"
#include "fw/graphics/imagelist.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace ck {

FW_ENUM(TShadowPosition, spLeftTop, spLeftBottom, spRightBottom, spRightTop)
FW_ENUM(TCkTextEllipsis, teNone, teWordEllipsis, tePathEllipsis, teEndEllipsis)
// Degrees, 0..360.
using TCkLabelRotateAngle = int;

// The box a text of Width x Height takes when drawn at Angle degrees, and
// where its drawing starts: (A + C) x (B + D) with A = w sin a, B = w cos a,
// C = h cos a, D = h sin a for the angle a folded into 0..90 degrees.
struct TCkRotatedBox {
  int A = 0, B = 0, C = 0, D = 0;
  int Width() const { return A + C; }
  int Height() const { return B + D; }
};
TCkRotatedBox RotatedTextBox(int Width, int Height, int Angle);
// The start point of the rotated text: with AutoSize the corner of the box
// the text starts from; without it placed by Alignment in a client area
// of ClientWidth x ClientHeight.
fw::TPoint RotatedTextOrigin(const TCkRotatedBox& Box, int Angle, bool AutoSize, fw::TAlignment Alignment,
                             int ClientWidth, int ClientHeight);

class TCkCustomLabel : public TCkExGraphicControl, public ICkHotTrack {
  FW_CLASS(TCkCustomLabel, TCkExGraphicControl)
  explicit TCkCustomLabel(fw::TComponent* AOwner);
  ~TCkCustomLabel() override;

  fw::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(fw::TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool Value);
  fw::TTextLayout Layout() const { return FLayout; }
  void SetLayout(fw::TTextLayout Value);
  fw::TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(fw::TColor Value);
  int ShadowSize() const { return FShadowSize; }
  void SetShadowSize(int Value);
  TShadowPosition ShadowPos() const { return FShadowPos; }
  void SetShadowPos(TShadowPosition Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value);
  fw::TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(fw::TWinControl* Value);
  fw::TCustomImageList* Images() const { return FImages; }
  void SetImages(fw::TCustomImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool AutoOpenURL() const { return FAutoOpenURL; }
  void SetAutoOpenURL(bool Value) { FAutoOpenURL = Value; }
  const fw::String& URL() const { return FURL; }
  void SetURL(const fw::String& Value) { FURL = Value; }
  // A negative angle counts from 360.
  int Angle() const { return FAngle; }
  void SetAngle(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  TCkTextEllipsis TextEllipsis() const { return FTextEllipsis; }
  void SetTextEllipsis(TCkTextEllipsis Value);
  fw::TColor FrameColor() const { return FFrameColor; }
  void SetFrameColor(fw::TColor Value);
  // The corner cut of the frame; only 0 <= Value < Height / 2 is taken.
  int RoundedFrame() const { return FRoundedFrame; }
  void SetRoundedFrame(int Value);
  // Reads the left margin, writes all four.
  int Margin() const { return FMarginLeft; }
  void SetMargin(int Value);
  void SetMargins(int Left, int Top, int Right, int Bottom);
  bool Transparent() const;
  void SetTransparent(bool Value);
  // The consumer through which the label shows a provider's selected item
  // (its text, its drawing, its click action). It is edited in place.
  TCkDataConsumer* Provider() const { return FConsumerSvc.get(); }

  // ---- Hot tracking (ICkHotTrack)
  bool HotTrack() const override { return FHotTrack; }
  void SetHotTrack(bool Value) override;
  fw::TFont* HotTrackFont() const override { return FHotTrackFont.get(); }
  void SetHotTrackFont(fw::TFont* Value) override;
  TCkTrackFontOptions HotTrackFontOptions() const override { return FHotTrackFontOptions; }
  void SetHotTrackFontOptions(TCkTrackFontOptions Value) override;
  TCkHotTrackOptions* HotTrackOptions() const override { return FHotTrackOptions.get(); }
  void SetHotTrackOptions(TCkHotTrackOptions* Value) override;
  bool HotTrackFontStored() const;

  // The text the label shows.
  virtual fw::String DisplayText();
  void Click() override;
  void Loaded() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 protected:
  virtual void PaintLabelText(fw::TRect& R, UINT Flags);
  virtual void PaintProviderItem(fw::TRect& R, UINT Flags);
  virtual void PaintContentText(fw::TRect& R, UINT Flags);
  virtual void FitToText();
  virtual fw::TColor NormalTextColor() { return Font()->Color(); }
  virtual int ImageSpanWidth();
  virtual int ImageSpanHeight();

  void Paint() override;
  void TextChanged() override;
  bool WantsDialogChar(int Key, fw::TShiftState Shift) override;
  void FocusChangedNotice(fw::TControl* Control) override;
  void FontChanged() override;
  void EnabledChanged() override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseEntered(fw::TControl* Control) override;
  void MouseLeft(fw::TControl* Control) override;

 private:
  bool Hot() const { return Enabled() && MouseOver && FHotTrack; }
  bool Reading() const { return ComponentState().Contains(fw::csReading); }
  bool StylesActive() const;
  void RequestResize();
  void UpdateTracking();
  void ImagesChanged(fw::TObject* Sender);
  void HotFontChanged(fw::TObject* Sender);
  void PaintOctagon(fw::TCanvas* Canvas, const fw::TRect& R);
  int DrawTextWithShadow(fw::TCanvas* Canvas, const fw::String& Text, fw::TRect& R, UINT Flags,
                         fw::TColor ShadowColor, int ShadowSize, TShadowPosition ShadowPos);
  void PaintRotatedText(fw::TCanvas* Canvas, const fw::String& Text, fw::TRect& R, UINT Flags);
  void PaintImage(fw::TCanvas* Canvas);
  void ProviderChanged(TCkDataConsumer* Sender, TCkDataConsumerChangeReason Reason);
  void DetachProvider();
  bool HasProvider() const { return FConsumerSvc && FConsumerSvc->ProviderIntf(); }
  // The canvas the text goes to: the screen's while measuring for the
  // automatic size, else the label's.
  fw::TCanvas* DrawCanvas();
  fw::TCanvas* FDrawCanvas = nullptr;

  fw::TWinControl* FFocusControl = nullptr;
  fw::TAlignment FAlignment = fw::taLeftJustify;
  bool FAutoSize = true;
  fw::TTextLayout FLayout = fw::tlTop;
  fw::TColor FShadowColor = fw::clBtnHighlight;
  int FShadowSize = 0;
  TShadowPosition FShadowPos = spRightBottom;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  bool FShowFocus = false;
  bool FFocused = false;
  bool FDragging = false;
  int FImageIndex = -1;
  fw::TCustomImageList* FImages = nullptr;
  std::unique_ptr<fw::TChangeLink> FChangeLink;
  bool FHotTrack = false;
  std::unique_ptr<fw::TFont> FHotTrackFont;
  TCkTrackFontOptions FHotTrackFontOptions = services::DefaultTrackFontOptions;
  std::unique_ptr<TCkHotTrackOptions> FHotTrackOptions;
  bool FAutoOpenURL = true;
  fw::String FURL;
  int FAngle = 0;
  int FSpacing = 4;
  bool FNeedsResize = false;
  TCkTextEllipsis FTextEllipsis = teNone;
  fw::TColor FFrameColor = fw::clNone;
  int FRoundedFrame = 0;
  int FMarginLeft = 0, FMarginTop = 0, FMarginRight = 0, FMarginBottom = 0;
  std::unique_ptr<TCkDataConsumer> FConsumerSvc;
};

class TCkLabel : public TCkCustomLabel {
  FW_CLASS(TCkLabel, TCkCustomLabel)
  explicit TCkLabel(fw::TComponent* AOwner) : TCkCustomLabel(AOwner) {}
};

}  // namespace ck
