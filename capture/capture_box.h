// The base of the selection windows that show a box with marching ants over
// the frozen picture of the screen: the rubber-band rectangle, the 32 x 32
// icon box and the fixed-size box.
//
// The ants run along the outline (X1, Y1) - (X2, Y2) in runs of five white
// and three red pixels and march two pixels on every tick of Timer1. Erasing
// them repaints only the outline strip from the frozen picture.
#pragma once

#include <cstdint>
#include <memory>

#include "capture/selection_form.h"
#include "fw/graphics/graphics.h"
#include "fw/system/timers.h"

namespace capture {

class TCaptureBoxForm : public TCaptureSelectionForm {
  FW_CLASS(TCaptureBoxForm, TCaptureSelectionForm)
  explicit TCaptureBoxForm(fw::TComponent* AOwner);
  ~TCaptureBoxForm() override;

  // The frozen picture and the selected part (filled when the selection ends).
  fw::TBitmap* Picture() const { return fBmp.get(); }
  fw::TBitmap* Selection() const { return RectBitmap.get(); }
  // The selection in window coordinates.
  const fw::TRect& SelectionRect() const { return fRect; }
  // The covered area of the screen (screen coordinates).
  const fw::TRect& MonitorRect() const { return FMonitorRect; }
  // The outline the ants run along.
  fw::TRect AntsRect() const { return fw::Rect(X1, Y1, X2, Y2); }
  // Phase the next outline starts with (128, 32, 8, 2, then 128 again).
  uint8_t StartPhase() const { return FStartPhase; }

  // Orders a rectangle: left <= right, top <= bottom.
  static fw::TRect OrderRect(const fw::TRect& R);

  fw::TTimer* Timer1 = nullptr;

 protected:
  void FormPaint(fw::TObject* Sender);
  void Timer1Timer(fw::TObject* Sender);
  void EraseAnts();
  void DrawAnts();
  // Copies the screen area into the frozen picture (the selection will have
  // the same pixel format), marks it as the covered area and sizes the
  // window to it (placed at (0, 0); it moves to the area's top-left when
  // shown).
  void FreezeArea(const fw::TRect& ScreenArea, fw::TPixelFormat Format = fw::pf32bit);
  // Ants in red and white that march every 100 ms.
  void StartAnts();
  void FormShow(fw::TObject* Sender);
  // The box windows: the box (W x H) moves to (X, Y) with its ants, and its
  // area of the frozen picture becomes the selection.
  void MoveBox(int X, int Y, int W, int H);
  void SelectBox(fw::TPixelFormat Format);

  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  fw::TRect fRect;
  std::unique_ptr<fw::TBitmap> fBmp;
  std::unique_ptr<fw::TBitmap> RectBitmap;
  fw::TRect FMonitorRect;

 private:
  static void CALLBACK AntPixel(int X, int Y, LPARAM Data);
  uint8_t FStartPhase = 128;
  uint8_t FPhase = 0;
};

}  // namespace capture
