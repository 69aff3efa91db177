// The extended border window: a layered tool window around a skinned form
// or dialog that shows the owner's whole image (wide frame, extended title,
// title buttons and a soft shadow) while the owner keeps a narrow frame of
// its own. It never takes activation, hit-tests its frame and title itself,
// shows the sizing cursors, hands mouse clicks to the owner as non-client
// messages, lets clicks on the shadow fall through to the window below and
// follows its owner's moves. One class serves both owner kinds through
// TkcBorderOwner.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "fw/graphics/graphics.h"
#include "skin/forms/core/border_geometry.h"

namespace skin {

// What the border window asks of its owner (a form's provider or a
// skinned dialog).
// What decides whether the border window follows its owner's showing.
struct TkBorderShowFacts {
  // The main form's own rules: layered windows, no animation running
  // anywhere, the main form on the taskbar and its frame drawn by the skin.
  bool MainFormRules = false;
  // The form's hide is animated (the provider allows it, the manager's
  // FormHide is on and not everything is being minimised).
  bool HideAnimated = false;
  bool MainFormOnTaskBar = false;
  bool Terminating = false;
};

class TkcBorderOwner {
 public:
  virtual ~TkcBorderOwner() = default;
  virtual HWND OwnerHandle() const = 0;
  virtual bool IsProvider() const { return true; }
  virtual uint32_t& FormState() = 0;
  // The owner's whole image, the size of the border window; rebuilt by
  // PaintAll when BGChanged.
  virtual fw::TBitmap* CacheBitmap() = 0;
  virtual bool& BGChanged() = 0;
  virtual void PaintAll() = 0;
  // Where the owner window lies inside the border window.
  virtual int XOffset() const = 0;
  virtual int YOffset() const = 0;
  // Hit-test facts (size filled in by the border window) and the owner's
  // client area for the region.
  virtual TkBorderFacts HitFacts() const = 0;
  virtual TkBorderClientFacts ClientFacts() const = 0;
  // The provider's OnExtHitTest: a non-zero code wins.
  virtual int ExtHitTest(fw::TPoint Screen) {
    (void)Screen;
    return 0;
  }
  virtual void SetHotHT(int Code) { (void)Code; }
  virtual void KillAnimations() {}
  virtual bool Modal() const { return false; }
  virtual bool MainForm() const { return false; }
  // How the main form's window is shown and hidden (see ShowWindowMessage).
  virtual TkBorderShowFacts ShowFacts() const { return {}; }
  // Marks the hide snapshot (0x200) and keeps a full rendering of the form
  // as its image, which the hide animation then shows.
  virtual void StoreHideImage() {}
  virtual int AlphaValue() const { return 255; }  // the form's AlphaBlendValue when AlphaBlend
  virtual bool HasAlphaBlend() const { return false; }
  // Double-clicks: the caption maximises or restores when the system menu
  // allows it; a sizeable form's side edges stretch it over the work area.
  virtual bool CanMaximizeOrRestore() const { return true; }
  virtual bool Sizeable() const { return true; }
  virtual int ExtFrameDelta() const { return 0; }
  virtual int ExtTitleDelta() const { return 0; }
  virtual fw::TRect WorkArea() const;
  // The bounds before an edge stretch (left/top and width/height).
  fw::TRect NormalBounds;
  // A left press on the caption may start a blended move; true when it did.
  virtual bool StartBlendedMove() { return false; }
  // Title-bar item n was double-clicked.
  virtual void ItemClick(int Index) { (void)Index; }
  // A double-click on the window ends the owner's outline drag first; a
  // window command sent for one brings the system menu's items up to date.
  virtual void EndOutlineDrag() {}
  virtual void WindowCommandSent() {}
  // After the border window moved: the provider's animation timer exists;
  // a stay-on-top form keeps its border window in step.
  virtual bool AnimationTimer() const { return false; }
  // False while the owner takes no update of its border window: it is
  // being printed or updated, its frame is not drawn by the skin, or it has
  // not taken the place of its window rectangle R yet.
  virtual bool TakesUpdate(const RECT& R) const {
    (void)R;
    return true;
  }
  virtual bool StayOnTop() const { return false; }
  // The desktop is blurred behind the window (the manager's and the skin's
  // aero blurring); the skin's content offset bounds the corners whose
  // black pixels are left out of the blur.
  virtual bool BlurBehind() const { return false; }
  virtual int ContentOffset() const { return 0; }
  // A blended move snaps the window to the work area's edges.
  virtual bool ScreenSnap() const { return false; }
  virtual int SnapBuffer() const { return 10; }
};

// The blur region: the visible rectangle grown by one pixel, less the
// black pixels of the image's four corner squares of Offset pixels.
HRGN BlurBehindRegion(const TkBorderFacts& f, fw::TBitmap* Image, int Offset);

class TkcBorderForm {
 public:
  explicit TkcBorderForm(TkcBorderOwner* AOwner);
  ~TkcBorderForm();
  TkcBorderForm(const TkcBorderForm&) = delete;
  TkcBorderForm& operator=(const TkcBorderForm&) = delete;

  TkcBorderOwner* FOwner;
  // The window's top-left before its last position change while a blended
  // move runs; (-1, -1) while none was recorded.
  fw::TPoint LastTopLeft{-1, -1};
  // After the move loop: a window dragged above the screen's top, which
  // the system then pushed back down, goes back where it was dragged.
  void PutBackWhereDragged();
  bool kcInMouseMsg = false;
  bool ExBorderShowing = false;
  bool ResetRgn = false;

  // The layered window, null while it does not exist.
  HWND AForm() const { return FWnd; }
  void CreateNewForm();
  void FreeForm();
  // Places and, with Redraw or a new size, repaints the window.
  void UpdateExBordersPos(bool Redraw = true, int Blend = 255);
  // The window region for the owner's next size (0: its present one); null
  // when the whole window shows.
  HRGN MakeRgn(int NewWidth = 0, int NewHeight = 0);
  void UpdateRgn();
  // The hit code of a screen point.
  int Ex_WMNCHitTest(fw::TPoint Screen);
  // The point (window coordinates) lies on the shadow; the last hole in the
  // region is closed first.
  bool MouseAboveTheShadow(fw::TPoint Client);
  // The number of layered uploads (for the tests' and the curious' eyes).
  int UploadCount() const { return FUploads; }

 private:
  static LRESULT CALLBACK Proc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  LRESULT BorderProc(UINT Msg, WPARAM WParam, LPARAM LParam);
  TkBorderFacts Facts() const;
  bool SetCursorFor(fw::TPoint Screen);
  void ForwardToOwner(UINT Msg, WPARAM Code, LPARAM LParam);
  void SnapWhileMoving(WINDOWPOS& Pos);
  void PunchShadowHole(fw::TPoint Client);
  void DoubleClick(int Code);
  LRESULT ShowWindowMessage(WPARAM WParam, LPARAM LParam);

  HWND FWnd = nullptr;
  int FUploads = 0;
  bool FInWindowPosChanged = false;
};

}  // namespace skin
