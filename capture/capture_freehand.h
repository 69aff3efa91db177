// The free-hand window: the user draws an outline over the frozen picture of
// the primary screen; the release captures what lies inside the outline.
// Outside the outline the captured bitmap is white, which the program reads
// as background (black would read as ink).
#pragma once

#include <memory>
#include <vector>

#include "capture/selection_form.h"
#include "fw/graphics/graphics.h"

namespace capture {

// The cursor the free-hand window puts in the screen's cursor table.
constexpr fw::TCursor crFreehandPen = -19;

class TCaptureFreehandForm : public TCaptureSelectionForm {
  FW_CLASS(TCaptureFreehandForm, TCaptureSelectionForm)
  explicit TCaptureFreehandForm(fw::TComponent* AOwner);
  ~TCaptureFreehandForm() override;

  // The frozen picture (with the trace while drawing) and the capture.
  fw::TBitmap* Picture() const { return fBMP.get(); }
  fw::TBitmap* Captured() const { return fCapBMP.get(); }
  bool Dragging() const { return fDragging; }
  // Points of the trace recorded so far.
  const std::vector<fw::TPoint>& TracePoints() const { return FPoints; }
  // Bounding box of the trace (fXMin, fYMin, fXMax, fYMax).
  fw::TRect TraceBounds() const { return fw::Rect(fXMin, fYMin, fXMax, fYMax); }

 protected:
  void FormCreate(fw::TObject* Sender);
  void FormPaint(fw::TObject* Sender);
  void FormMouseDown(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void FormMouseMove(fw::TObject* Sender, fw::TShiftState Shift, int X, int Y);
  void FormMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void FormDestroy(fw::TObject* Sender);

 private:
  void TraceLineOn(fw::TCanvas* Canvas, const fw::TPoint& From, const fw::TPoint& To, bool First);

  std::unique_ptr<fw::TBitmap> fBMP;
  std::unique_ptr<fw::TBitmap> fCapBMP;
  std::unique_ptr<fw::TBitmap> fOrigBmp;
  bool fDragging = false;
  fw::TRect fRect;
  int fXMin = 1000000, fYMin = 1000000, fXMax = 0, fYMax = 0;
  std::vector<fw::TPoint> FPoints;
  HCURSOR FOldCursor = nullptr;
  bool FCursorSet = false;
};

}  // namespace capture
