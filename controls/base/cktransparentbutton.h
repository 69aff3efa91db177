// The flat tool button: a graphic button with a frame painted in one of
// seven styles, a picture chosen by state from an internal image list
// (taken from a glyph strip or from up to five image lists), and a caption
// placed around the picture. Also the bitmap routines that make the
// missing state pictures (grey, embossed, disabled) and shadowed text.
#pragma once

#include "controls/base/ckbutton.h"
#include "fw/graphics/imagelist.h"

namespace ck {

FW_ENUM(TCkFrameStyle, fsRegular, fsIndent, fsExplorer, fsNone, fsLight, fsDark, fsMono)
// Where the caption stands relative to the picture.
FW_ENUM(TCkTextAlign, ttaTopLeft, ttaTop, ttaTopRight, ttaRight, ttaBottomRight, ttaBottom, ttaBottomLeft, ttaLeft,
        ttaCenter)

class TCkTransparentButton;

// The state pictures taken from image lists: a list and an index for each
// of the five states; any change rebuilds the button's pictures.
class TCkTransparentButtonImages : public fw::TPersistent {
  FW_CLASS(TCkTransparentButtonImages, fw::TPersistent)
  explicit TCkTransparentButtonImages(TCkTransparentButton* AOwner = nullptr);
  ~TCkTransparentButtonImages() override;

  fw::TCustomImageList* ActiveImage() const { return FLists[0]; }
  void SetActiveImage(fw::TCustomImageList* Value) { SetList(0, Value); }
  fw::TCustomImageList* DisabledImage() const { return FLists[1]; }
  void SetDisabledImage(fw::TCustomImageList* Value) { SetList(1, Value); }
  fw::TCustomImageList* DownImage() const { return FLists[2]; }
  void SetDownImage(fw::TCustomImageList* Value) { SetList(2, Value); }
  fw::TCustomImageList* GrayImage() const { return FLists[3]; }
  void SetGrayImage(fw::TCustomImageList* Value) { SetList(3, Value); }
  fw::TCustomImageList* HotImage() const { return FLists[4]; }
  void SetHotImage(fw::TCustomImageList* Value) { SetList(4, Value); }
  int ActiveIndex() const { return FIndices[0]; }
  void SetActiveIndex(int Value) { SetIndex(0, Value); }
  int DisabledIndex() const { return FIndices[1]; }
  void SetDisabledIndex(int Value) { SetIndex(1, Value); }
  int DownIndex() const { return FIndices[2]; }
  void SetDownIndex(int Value) { SetIndex(2, Value); }
  int GrayIndex() const { return FIndices[3]; }
  void SetGrayIndex(int Value) { SetIndex(3, Value); }
  int HotIndex() const { return FIndices[4]; }
  void SetHotIndex(int Value) { SetIndex(4, Value); }

  // The five lists, then the five indices.
  void Assign(fw::TPersistent* Source) override;
  fw::TPersistent* GetOwner() const override;

 private:
  friend class TCkTransparentButton;
  void SetList(int I, fw::TCustomImageList* Value);
  void SetIndex(int I, int Value);
  void ListChanged(fw::TObject* Sender);
  void Rebuild();
  // A list that is going away is dropped from every slot holding it.
  void ListRemoved(fw::TComponent* List);

  TCkTransparentButton* FOwner;
  fw::TCustomImageList* FLists[5] = {};
  fw::TChangeLink* FLinks[5] = {};
  int FIndices[5] = {-1, -1, -1, -1, -1};
};

class TCkTransparentButton : public TCkCustomGraphicButton {
  FW_CLASS(TCkTransparentButton, TCkCustomGraphicButton)
  explicit TCkTransparentButton(fw::TComponent* AOwner);
  ~TCkTransparentButton() override;

  bool AutoGray() const { return FAutoGray; }
  void SetAutoGray(bool Value);
  int BorderWidth() const { return static_cast<int>(FBorderSize); }
  void SetBorderWidth(int Value);
  TCkFrameStyle FrameStyle() const { return FOutline; }
  void SetFrameStyle(TCkFrameStyle Value);
  bool ShowPressed() const { return FShowPressed; }
  void SetShowPressed(bool Value) { FShowPressed = Value; }
  int PressOffset() const { return FPressOffset; }
  void SetPressOffset(int Value) { FPressOffset = Value; }
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  TCkTextAlign TextAlign() const { return FTextAlign; }
  void SetTextAlign(TCkTextAlign Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  fw::TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(fw::TBitmap* Value);
  bool GlyphStretched() const { return FGlyphStretched; }
  void SetGlyphStretched(bool Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  bool KeepMouseLeavePressed() const { return FKeepMouseLeavePressed; }
  void SetKeepMouseLeavePressed(bool Value) { FKeepMouseLeavePressed = Value; }
  TCkTransparentButtonImages* Images() const { return FImages; }
  void SetImages(TCkTransparentButtonImages* Value) { FImages->Assign(Value); }

  // The pictures come from Images when there is no glyph.
  bool UseImages() const { return !FGlyph || FGlyph->Empty(); }
  fw::TImageList* InternalList() const { return FImList; }
  // The picture DrawGlyph shows in the current state (-1: none).
  int PictureIndex() const;

  void Loaded() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  void ActionChange(fw::TObject* Sender, bool CheckDefaults) override;
  // Rebuilds the internal list from Images or the glyph, then repaints.
  void RebuildPictures();

 protected:
  virtual void DrawCaption(const fw::TRect& GlyphRect, fw::TCanvas* ACanvas);
  virtual void DrawGlyph(const fw::TRect& GlyphRect, fw::TCanvas* ACanvas);
  void PaintForeground(fw::TCanvas* ACanvas) override;
  void PaintFrame(fw::TCanvas* ACanvas) override;

  bool Pressed() const { return FStates.Contains(bsMouseDown) || FDown; }
  void GlyphChanged(fw::TObject* Sender);
  void RebuildFromGlyph();
  void RebuildFromImages();

  TCkTextAlign FTextAlign = ttaCenter;
  bool FAutoGray = true;
  bool FTransparent = true;
  bool FShowPressed = true;
  int FPressOffset = 1;
  int FSpacing = 2;
  uint32_t FBorderSize = 1;
  fw::TImageList* FImList;
  TCkFrameStyle FOutline = fsExplorer;
  bool FWordWrap = false;
  fw::TBitmap* FGlyph;
  int FNumGlyphs = 1;
  bool FKeepMouseLeavePressed = false;
  TCkTransparentButtonImages* FImages;
  bool FGlyphStretched = false;
  bool FRebuilding = false;
};

// Every pixel becomes (grey, grey, grey) with grey = (R·red + G·green +
// B·blue) div (R + G + B); the callers pass 11, 59, 30.
void GreyscaleBitmap(fw::TBitmap* Bitmap, int R, int G, int B);
// The embossed look: the shape of the bitmap's non-white pixels in
// clBtnHighlight one pixel right and down, under it in clBtnShadow, on
// clBtnFace.
void EmbossBitmap(fw::TBitmap* Bitmap);
// The top-left pixel is the background; white and background pixels stay
// background, every other pixel is part of the shape, which is embossed.
void DisabledLookBitmap(fw::TBitmap* Bitmap);
// Text in clBtnHighlight one pixel right and down, then in clBtnShadow in
// place; the text colour is put back. Answers the second DrawText.
int DrawEtchedText(HDC DC, const fw::String& Text, int Count, UINT Flags, const fw::TRect& R);

}  // namespace ck
