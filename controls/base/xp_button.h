// The XP-style push button: a rounded frame, gradient faces for the
// normal, hot, focused and pressed states, an optional glyph (or the image
// of its action) beside, above or below the caption, and an embossed
// caption with a lightened glyph when disabled.
#pragma once

#include "controls/base/xp_core.h"
#include "fw/graphics/imagelist.h"
#include "fw/graphics/picture.h"
#include "fw/stdctrls/speedbutton.h"

namespace ck {

// The glyph's place beside the caption: the framework's button layout
// (blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom).
using TCkXPLayout = fw::TButtonLayout;

class TCkXPCustomButton : public TCkXPCustomStyleControl {
  FW_CLASS(TCkXPCustomButton, TCkXPCustomStyleControl)
  explicit TCkXPCustomButton(fw::TComponent* AOwner);
  ~TCkXPCustomButton() override;

  bool AutoGray() const { return FAutoGray; }
  virtual void SetAutoGray(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  bool Default() const { return FDefault; }
  virtual void SetDefault(bool Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  fw::TPicture* Glyph() const { return FGlyph; }
  virtual void SetGlyph(fw::TPicture* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TCkXPLayout Layout() const { return FLayout; }
  virtual void SetLayout(TCkXPLayout Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  virtual void SetShowAccelChar(bool Value);
  bool ShowFocusRect() const { return FShowFocusRect; }
  virtual void SetShowFocusRect(bool Value);
  bool SmoothEdges() const { return FSmoothEdges; }
  virtual void SetSmoothEdges(bool Value);
  uint8_t Spacing() const { return FSpacing; }
  virtual void SetSpacing(uint8_t Value);
  bool WordWrap() const { return FWordWrap; }
  virtual void SetWordWrap(bool Value);

  // Sets the action; the button repaints when it goes.
  void SetButtonAction(fw::TBasicAction* Value);

  // Hot, focused or (without IgnoreDefault) the form's default button:
  // the button shows a rim.
  bool IsSpecialDrawState(bool IgnoreDefault) const;

  // The face bitmaps (tests look at them).
  fw::TBitmap* NormalFace() const { return FBgGradient; }
  fw::TBitmap* PressedFace() const { return FCkGradient; }
  fw::TBitmap* FocusedRim() const { return FFcGradient; }
  fw::TBitmap* HotRim() const { return FHlGradient; }

  void ReactResized() override;
  void ActionChange(fw::TObject* Sender, bool CheckDefaults) override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 protected:
  void Paint() override;
  void KeyDown(WORD& Key, fw::TShiftState Shift) override;
  void KeyUp(WORD& Key, fw::TShiftState Shift) override;
  void CMDialogKey(fw::TMessage& Message) override;
  // Rebuilds the four faces at the current size.
  void BuildFaces();
  // The picture to draw: the action's image, else the glyph; empty for none.
  bool TakePicture(fw::TBitmap* Picture);

  bool FAutoGray = true;
  fw::TBitmap* FBgGradient;
  bool FCancel = false;
  fw::TBitmap* FCkGradient;
  bool FDefault = false;
  fw::TBitmap* FFcGradient;
  fw::TPicture* FGlyph;
  fw::TBitmap* FHlGradient;
  fw::TChangeLink* FImageChangeLink;
  int FImageIndex = -1;
  TCkXPLayout FLayout = fw::blGlyphLeft;
  bool FShowAccelChar = true;
  bool FShowFocusRect = false;
  bool FSmoothEdges = true;
  uint8_t FSpacing = 3;
  bool FWordWrap = true;
  bool FDown = false;

 private:
  void GlyphChanged(fw::TObject* Sender);
  void ImageListChanged(fw::TObject* Sender);
  fw::TCustomImageList* ActionImages() const;
};

class TCkXPButton : public TCkXPCustomButton {
  FW_CLASS(TCkXPButton, TCkXPCustomButton)
  explicit TCkXPButton(fw::TComponent* AOwner) : TCkXPCustomButton(AOwner) {}
};

// The image list of the action list an action belongs to (its published
// "Images"), or null.
fw::TCustomImageList* ActionListImages(fw::TBasicAction* Action);

}  // namespace ck
