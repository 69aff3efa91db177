// The bases of the thumbnail view and its thumbnails. A thumbnail's title
// and picture hand every mouse and keyboard event on to their thumbnail,
// and the thumbnail hands it on to the view (mouse positions moved into the
// receiver's client coordinates), so that the view alone decides the
// selection. Also the small routines the thumbnail units share.
#pragma once

#include "controls/base/ckexcontrols.h"
#include "fw/core/events.h"

namespace ck {

using fw::TObject;

FW_ENUM(TTitlePos, tpUp, tpDown, tpNone)
// The kind of picture held in a stream.
FW_ENUM(TGRFKind, grBMP, grJPG, grWMF, grEMF, grICO, grPNG)
// Clockwise quarter turns.
FW_ENUM(TAngle, AT0, AT90, AT180, AT270)
FW_ENUM(TMirror, mtHorizontal, mtVertical, mtBoth)

using TInvalidImageEvent = fw::TEvent<void(TObject* Sender, const String& AFileName)>;

struct TThumbSize {
  int cx = 0;
  int cy = 0;
  bool operator==(const TThumbSize&) const = default;
};

// The picture's size scaled by one percentage so that it fits into the
// box; the percentage is held in single precision as the layout needs it.
TThumbSize ProportionalFit(TThumbSize Picture, TThumbSize Box);
int BoundValue(int Min, int Max, int Value);
// Text inserted into S before the character at the 0-based Index.
String InsertTextAt(const String& S, const String& Text, int Index);

class TCkBaseThumbnail;

// The view: a scroll box that receives what its thumbnails pass on.
class TCkBaseThumbView : public TCkExScrollBox {
  FW_CLASS(TCkBaseThumbView, TCkExScrollBox)
  explicit TCkBaseThumbView(fw::TComponent* AOwner);

 private:
  friend class TCkBaseThumbnail;
};

// The title band of a thumbnail.
class TCkThumbTitle : public TCkExPanel {
  FW_CLASS(TCkThumbTitle, TCkExPanel)
  explicit TCkThumbTitle(fw::TComponent* AOwner);

 protected:
  bool EraseBackground(fw::TCanvas* Canvas, LPARAM Param) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseMove(fw::TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, fw::TShiftState Shift) override;
  void KeyUp(WORD& Key, fw::TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;

 public:
  void Click() override;
  void DblClick() override;

 private:
  TCkBaseThumbnail* Thumbnail() const;
};

// The picture control of a thumbnail.
class TCkBaseThumbImage : public TCkExImage {
  FW_CLASS(TCkBaseThumbImage, TCkExImage)
  explicit TCkBaseThumbImage(fw::TComponent* AOwner);

  // At run time, true lets the mouse through to the control underneath.
  bool IgnoreMouse() const { return FIgnoreMouse; }
  void SetIgnoreMouse(bool Value) { FIgnoreMouse = Value; }

  void Click() override;
  void DblClick() override;

 protected:
  bool PointHitTest(int X, int Y) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseMove(fw::TShiftState Shift, int X, int Y) override;

 private:
  TCkBaseThumbnail* Thumbnail() const;
  bool FIgnoreMouse = false;
};

// The panel of one thumbnail.
class TCkBaseThumbnail : public TCkExPanel {
  FW_CLASS(TCkBaseThumbnail, TCkExPanel)
  explicit TCkBaseThumbnail(fw::TComponent* AOwner);

  void Click() override;
  void DblClick() override;

 protected:
  friend class TCkThumbTitle;
  friend class TCkBaseThumbImage;
  bool EraseBackground(fw::TCanvas* Canvas, LPARAM Param) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseMove(fw::TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, fw::TShiftState Shift) override;
  void KeyUp(WORD& Key, fw::TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;

 private:
  TCkBaseThumbView* View() const;
};

}  // namespace ck
