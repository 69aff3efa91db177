// The image control with state pictures: a default picture and optional
// pictures for mouse-over, two successive clicks, pressed and disabled. The
// control shows the picture of its state; without state pictures it is a
// plain image whose transparent bitmap pixels are not hits.
#pragma once

#include "controls/base/ckexcontrols.h"
#include "fw/graphics/picture.h"

namespace ck {

FW_ENUM(TPicState, stDefault, stEntered, stClicked1, stClicked2, stDown, stDisabled)

// The state pictures; each setter copies the picture and reports a change.
class TCkPictures : public fw::TPersistent {
  FW_CLASS(TCkPictures, fw::TPersistent)
  TCkPictures();
  ~TCkPictures() override;

  fw::TPicture* PicEnter() const { return FPicEnter; }
  void SetPicEnter(fw::TPicture* Value) { Copy(FPicEnter, Value); }
  fw::TPicture* PicClicked1() const { return FPicClicked1; }
  void SetPicClicked1(fw::TPicture* Value) { Copy(FPicClicked1, Value); }
  fw::TPicture* PicClicked2() const { return FPicClicked2; }
  void SetPicClicked2(fw::TPicture* Value) { Copy(FPicClicked2, Value); }
  fw::TPicture* PicDown() const { return FPicDown; }
  void SetPicDown(fw::TPicture* Value) { Copy(FPicDown, Value); }
  fw::TPicture* PicDisabled() const { return FPicDisabled; }
  void SetPicDisabled(fw::TPicture* Value) { Copy(FPicDisabled, Value); }

  // Set by the owning image.
  fw::TNotifyEvent FOnChanged;

 private:
  void Copy(fw::TPicture* Own, fw::TPicture* Value);
  fw::TPicture* FPicClicked1;
  fw::TPicture* FPicClicked2;
  fw::TPicture* FPicDown;
  fw::TPicture* FPicEnter;
  fw::TPicture* FPicDisabled;
};

class TCkImage : public TCkExImage {
  FW_CLASS(TCkImage, TCkExImage)
  explicit TCkImage(fw::TComponent* AOwner);
  ~TCkImage() override;

  TCkPictures* Pictures() const { return FPictures; }
  void SetPictures(TCkPictures* Value);
  // The default picture (the image control's own Picture is the one shown).
  fw::TPicture* Picture() const { return FPicture; }
  void SetPicture(fw::TPicture* Value) { FPicture->Assign(Value); }
  fw::TPicture* ShownPicture() const { return TCkExImage::Picture(); }
  TPicState State() const { return FState; }
  // Shows the state's picture when it has one (State stays otherwise);
  // OnStateChanged fires either way.
  void SetState(TPicState Value);
  // Any of the five state pictures holds a graphic.
  bool HasStatePictures() const;
  // Reads a picture of any registered format into the default picture.
  virtual void LoadFromStream(fw::TStream& AStream);

  fw::TNotifyEvent OnStateChanged;

  void Click() override;

 protected:
  void Paint() override;
  bool PointHitTest(int X, int Y) override;
  void EnabledChanged() override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseEntered(fw::TControl* Control) override;
  void MouseLeft(fw::TControl* Control) override;

  fw::TPicture* StatePicture(TPicState S) const;
  void ClickStep();
  void PicturesChanged(fw::TObject* Sender);
  void DefaultPictureChanged(fw::TObject* Sender);
  void ShownPictureChanged(fw::TObject* Sender);

  TCkPictures* FPictures;
  TPicState FState = stDefault;
  fw::TPicture* FPicture;
  int FClickCount = 0;
  fw::TNotifyEvent FPictureChange;
  bool FDrawing = false;
};

}  // namespace ck
