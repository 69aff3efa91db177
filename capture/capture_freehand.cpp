#include "capture/capture_freehand.h"

#include <algorithm>

#include "capture/pixel_format_fix.h"
#include "capture/screen_grab.h"
#include "fw/controls/controlcanvas.h"
#include "fw/core/rtti.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"

namespace capture {

using namespace fw;

TCaptureFreehandForm::TCaptureFreehandForm(TComponent* AOwner)
    : TCaptureSelectionForm(AOwner),
      fBMP(std::make_unique<TBitmap>()),
      fCapBMP(std::make_unique<TBitmap>()),
      fOrigBmp(std::make_unique<TBitmap>()) {
  OnCreate = TNotifyEvent(this, &TCaptureFreehandForm::FormCreate);
  OnPaint = TNotifyEvent(this, &TCaptureFreehandForm::FormPaint);
  OnMouseDown = TMouseEvent(this, &TCaptureFreehandForm::FormMouseDown);
  OnMouseMove = TMouseMoveEvent(this, &TCaptureFreehandForm::FormMouseMove);
  OnMouseUp = TMouseEvent(this, &TCaptureFreehandForm::FormMouseUp);
  OnDestroy = TNotifyEvent(this, &TCaptureFreehandForm::FormDestroy);
}

TCaptureFreehandForm::~TCaptureFreehandForm() {
  // The cursor table gets its entry back even when OnDestroy did not run.
  if (FCursorSet && Screen) {
    Screen->SetCursors(crFreehandPen, FOldCursor);
    FCursorSet = false;
  }
}

void TCaptureFreehandForm::FormCreate(TObject*) {
  FOldCursor = Screen->Cursors(crFreehandPen);
  Screen->SetCursors(crFreehandPen, LoadCaptureCursor(L"CURSOR_2"));
  FCursorSet = true;
  SetCursor(crFreehandPen);
  MakePixelFormat32(fCapBMP.get());
  const TRect screen = PrimaryScreenBounds();
  CopyScreenArea(fBMP.get(), screen);
  fBMP->SetTransparentMode(tmAuto);
  fBMP->SetTransparent(true);
  SetBounds(0, 0, screen.Width(), screen.Height());
  fDragging = false;
  FPoints.clear();
  fOrigBmp->Assign(fBMP.get());
  fXMin = fYMin = 1000000;
  fXMax = fYMax = 0;
  FPoints.reserve(1);
}

void TCaptureFreehandForm::FormPaint(TObject*) {
  HDC dc = Canvas()->Handle();
  RECT clip{};
  if (GetClipBox(dc, &clip) == ERROR) return;
  BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, fBMP->Canvas()->Handle(),
         clip.left, clip.top, SRCCOPY);
}

void TCaptureFreehandForm::FormMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
  fDragging = true;
  fRect = Rect(X, Y, X, Y);
  if (ShowHint()) ShowSizeHint(SizeHintText(X, Y), ClientToScreen(TPoint{X, Y}));
}

void TCaptureFreehandForm::TraceLineOn(TCanvas* C, const TPoint& From, const TPoint& To, bool First) {
  // A white pen that inverts what lies under it, so the trace shows on any
  // picture.
  C->Pen()->SetColor(clWhite);
  C->Pen()->SetMode(pmNot);
  if (First) {
    C->MoveTo(To.x, To.y);
  } else {
    C->MoveTo(From.x, From.y);
    C->LineTo(To.x, To.y);
  }
}

void TCaptureFreehandForm::FormMouseMove(TObject*, TShiftState, int X, int Y) {
  if (!fDragging) return;
  const bool first = FPoints.empty();
  const TPoint from = first ? TPoint{X, Y} : FPoints.back();
  TraceLineOn(fBMP->Canvas(), from, TPoint{X, Y}, first);
  TraceLineOn(Canvas(), from, TPoint{X, Y}, first);
  static_cast<TControlCanvas*>(Canvas())->FreeHandle();
  fXMin = std::min(fXMin, X);
  fYMin = std::min(fYMin, Y);
  fXMax = std::max(fXMax, X);
  fYMax = std::max(fYMax, Y);
  FPoints.push_back(TPoint{X, Y});
  if (ShowHint()) {
    // Height first, then width.
    ShowSizeHint(SizeHintText(fYMax - fYMin, fXMax - fXMin), ClientToScreen(TPoint{X, Y}));
    Update();
  }
  fRect.Right = X;
  fRect.Bottom = Y;
  Application->ProcessMessages();
}

void TCaptureFreehandForm::FormMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
  if (Button != mbLeft) return;
  if (!FPoints.empty()) {
    fBMP->Assign(fOrigBmp.get());
    int xmin = FPoints[0].x, ymin = FPoints[0].y, xmax = xmin, ymax = ymin;
    for (const TPoint& p : FPoints) {
      xmin = std::min(xmin, p.x);
      ymin = std::min(ymin, p.y);
      xmax = std::max(xmax, p.x);
      ymax = std::max(ymax, p.y);
    }
    std::vector<POINT> shifted;
    shifted.reserve(FPoints.size());
    for (const TPoint& p : FPoints) shifted.push_back(POINT{p.x - xmin, p.y - ymin});
    TRegionHandle region(CreatePolygonRgn(shifted.data(), static_cast<int>(shifted.size()), WINDING));
    // Outside the outline stays white.
    fCapBMP->FreeImage();
    MakePixelFormat32(fCapBMP.get());
    fCapBMP->SetSize(xmax - xmin, ymax - ymin);
    if (!fCapBMP->Empty() && region) {
      HDC dc = fCapBMP->Canvas()->Handle();
      RECT all{0, 0, fCapBMP->Width(), fCapBMP->Height()};
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      SelectClipRgn(dc, region.Get());
      BitBlt(dc, 0, 0, fCapBMP->Width(), fCapBMP->Height(), fBMP->Canvas()->Handle(), xmin, ymin, SRCCOPY);
      SelectClipRgn(dc, nullptr);
    }
    FPoints.clear();
    FPoints.shrink_to_fit();
  }
  fDragging = false;
  SetModalResult(mrOk);
}

void TCaptureFreehandForm::FormDestroy(TObject*) {
  fBMP->FreeImage();
  fCapBMP->FreeImage();
  fOrigBmp->FreeImage();
  if (Screen) {
    Screen->SetCursor(crDefault);
    if (FCursorSet) Screen->SetCursors(crFreehandPen, FOldCursor);
  }
  FCursorSet = false;
}

FW_REGISTER(TCaptureFreehandForm) {}

}  // namespace capture
