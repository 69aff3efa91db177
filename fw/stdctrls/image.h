// The image: a picture of any registered format drawn by the framework on
// the parent, at its own size, stretched (optionally keeping its aspect),
// centred, transparent, or with the control sized to the picture.
#pragma once

#include "fw/graphics/picture.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

class TImage : public TGraphicControl {
  FW_CLASS(TImage, TGraphicControl)
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  TPicture* Picture() const { return FPicture; }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  // The canvas of the picture's bitmap; an empty picture first gets a
  // bitmap of the control's size. EInvalidOperation when the picture holds
  // another kind of graphic.
  TCanvas* Canvas();
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  // Fits a larger picture into the control keeping its aspect (and, with
  // Stretch, a smaller one too).
  bool Proportional() const { return FProportional; }
  void SetProportional(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

  // Where the picture is drawn, in the control's coordinates.
  TRect DestRect() const;

  // The picture's progress while it is read or decoded.
  TProgressEvent OnProgress;

 protected:
  void Paint() override;
  virtual void PictureChanged(TObject* Sender);
  virtual void PictureProgress(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow,
                               const TRect& R, const String& Msg);

 private:
  TPicture* FPicture;
  bool FStretch = false;
  bool FProportional = false;
  bool FCenter = false;
  bool FTransparent = false;
  bool FAutoSize = false;
};

}  // namespace fw
