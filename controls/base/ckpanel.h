// The arrange panel: a panel that can lay out its windowed children in
// rows by their tab order, hot-track with its own font and colours, be
// see-through, be dragged around its parent like a window and be resized
// by a grip in its bottom-right corner.
#pragma once

#include "controls/base/ckextcomponent.h"
#include "controls/base/ckhottrackpersistent.h"
#include "controls/base/cktypes.h"

namespace ck {

FW_ENUM(TCkAutoSizePanel, asNone, asWidth, asHeight, asBoth)
FW_ENUM(TCkArrangeSettingsVAlignment, asTop, asVCenter, asBottom)
FW_ENUM(TCkArrangeSettingsHAlignment, asLeft, asCenter, asRight)

class TCkCustomArrangePanel;

// How an arrange panel lays out its children; owned by the panel.
class TCkArrangeSettings : public TCkPersistentProperty {
  FW_CLASS(TCkArrangeSettings, TCkPersistentProperty)
  explicit TCkArrangeSettings(fw::TPersistent* AOwner) : TCkPersistentProperty(AOwner) {}
  explicit TCkArrangeSettings(fw::TComponent* AOwner)
      : TCkArrangeSettings(static_cast<fw::TPersistent*>(AOwner)) {}
  // Freeing the settings of a panel that is not itself going raises
  // ECKException before anything is destroyed (and never from the
  // destructor); the panel stays whole.
  void BeforeDestruction() override;
  ~TCkArrangeSettings() override;

  bool WrapControls() const { return FWrapControls; }
  void SetWrapControls(bool Value);
  int BorderLeft() const { return FBorderLeft; }
  void SetBorderLeft(int Value);
  int BorderTop() const { return FBorderTop; }
  void SetBorderTop(int Value);
  int DistanceVertical() const { return FDistanceVertical; }
  void SetDistanceVertical(int Value);
  int DistanceHorizontal() const { return FDistanceHorizontal; }
  void SetDistanceHorizontal(int Value);
  bool ShowNotVisibleAtDesignTime = true;
  TCkAutoSizePanel AutoSize() const { return FAutoSize; }
  void SetAutoSize(TCkAutoSizePanel Value);
  bool AutoArrange() const { return FAutoArrange; }
  void SetAutoArrange(bool Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);
  int MaxControlsPerLine() const { return FMaxControlsPerLine; }
  void SetMaxControlsPerLine(int Value);
  TCkArrangeSettingsVAlignment VerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TCkArrangeSettingsVAlignment Value);
  TCkArrangeSettingsHAlignment HorizontalAlignment() const { return FHorizontalAlignment; }
  void SetHorizontalAlignment(TCkArrangeSettingsHAlignment Value);
  bool HorizontalAlignLines() const { return FHorizontalAlignLines; }
  void SetHorizontalAlignLines(bool Value);

  void Assign(fw::TPersistent* Source) override;

 private:
  TCkCustomArrangePanel* Panel() const;

  bool FWrapControls = true;
  int FBorderLeft = 0;
  int FBorderTop = 0;
  int FDistanceVertical = 0;
  int FDistanceHorizontal = 0;
  TCkAutoSizePanel FAutoSize = asNone;
  bool FAutoArrange = false;
  int FMaxWidth = 0;
  int FMaxControlsPerLine = 0;
  TCkArrangeSettingsVAlignment FVerticalAlignment = asTop;
  TCkArrangeSettingsHAlignment FHorizontalAlignment = asLeft;
  bool FHorizontalAlignLines = false;
};

// A control with a hot-track font and hot-track options that another such
// control can copy.
class ICkHotTrack {
 public:
  virtual ~ICkHotTrack() = default;
  virtual bool HotTrack() const = 0;
  virtual void SetHotTrack(bool Value) = 0;
  virtual fw::TFont* HotTrackFont() const = 0;
  virtual void SetHotTrackFont(fw::TFont* Value) = 0;
  virtual TCkTrackFontOptions HotTrackFontOptions() const = 0;
  virtual void SetHotTrackFontOptions(TCkTrackFontOptions Value) = 0;
  virtual TCkHotTrackOptions* HotTrackOptions() const = 0;
  virtual void SetHotTrackOptions(TCkHotTrackOptions* Value) = 0;
  // Copies the four from Source (nothing when Source is this control).
  void AssignHotTrack(ICkHotTrack* Source);
};

using TCkPanelResizeParentEvent =
    fw::TEvent<void(fw::TObject* Sender, int nLeft, int nTop, int nWidth, int nHeight)>;
using TCkPanelChangedSizeEvent = fw::TEvent<void(fw::TObject* Sender, int ChangedSize)>;
using TCkPanelMoveEvent = fw::TEvent<void(fw::TObject* Sender, int X, int Y, bool& Allow)>;

class TCkCustomArrangePanel : public TCkCustomPanel, public ICkHotTrack, public ICkDenySubClassing {
  FW_CLASS(TCkCustomArrangePanel, TCkCustomPanel)
  explicit TCkCustomArrangePanel(fw::TComponent* AOwner);
  ~TCkCustomArrangePanel() override;

  // ---- Arranging
  void ArrangeControls();
  void EnableArrange();
  void DisableArrange();
  bool ArrangeEnabled() const { return FEnableArrangeCount < 1; }
  int ArrangeWidth() const { return FArrangeWidth; }
  int ArrangeHeight() const { return FArrangeHeight; }
  TCkArrangeSettings* ArrangeSettings() const { return FArrangeSettings; }
  void SetArrangeSettings(TCkArrangeSettings* Value);

  // Width and Height tell OnChangedWidth/OnChangedHeight and then the
  // parent (OnResizeParent, or a parent arrange panel re-arranges).
  void SetWidth(int Value);
  void SetHeight(int Value);
  int Width() const { return TCkCustomPanel::Width(); }
  int Height() const { return TCkCustomPanel::Height(); }

  // ---- Look
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool FlatBorder() const { return FFlatBorder; }
  void SetFlatBorder(bool Value);
  fw::TColor FlatBorderColor() const { return FFlatBorderColor; }
  void SetFlatBorderColor(fw::TColor Value);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  bool Sizeable() const { return FSizeable; }
  void SetSizeable(bool Value);
  bool Movable() const { return FMovable; }
  void SetMovable(bool Value) { FMovable = Value; }

  // ---- Hot tracking (ICkHotTrack)
  bool HotTrack() const override { return FHotTrack; }
  void SetHotTrack(bool Value) override { FHotTrack = Value; }
  fw::TFont* HotTrackFont() const override { return FHotTrackFont; }
  void SetHotTrackFont(fw::TFont* Value) override;
  TCkTrackFontOptions HotTrackFontOptions() const override { return FHotTrackFontOptions; }
  void SetHotTrackFontOptions(TCkTrackFontOptions Value) override;
  TCkHotTrackOptions* HotTrackOptions() const override { return FHotTrackOptions; }
  void SetHotTrackOptions(TCkHotTrackOptions* Value) override;
  bool HotTrackFontStored() const;
  // The obsolete "HotColor" of older descriptions: the hot-track colour.
  void SetHotColor(fw::TColor Value) { FHotTrackOptions->SetColor(Value); }
  fw::TColor HotColor() const { return FHotTrackOptions->Color(); }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Loaded() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

  TCkPanelResizeParentEvent OnResizeParent;
  TCkPanelChangedSizeEvent OnChangedWidth;
  TCkPanelChangedSizeEvent OnChangedHeight;
  fw::TNotifyEvent OnPaint;
  fw::TNotifyEvent OnAfterMove;
  TCkPanelMoveEvent OnBeforeMove;

 protected:
  friend class TCkArrangeSettings;

  virtual void ArrangeSettingChanged(const fw::String& PropName);
  virtual void DrawCaption();
  virtual void DrawCaptionTo(fw::TCanvas* ACanvas);
  virtual void PaintBorders();
  virtual bool FireBeforeMove(int X, int Y);
  virtual void FireAfterMove();

  void AlignControls(fw::TControl* AControl, fw::TRect& Rect) override;
  void CreateParams(fw::TCreateParams& Params) override;
  void Paint() override;
  void TextChanged() override;
  bool EraseBackground(fw::TCanvas* Canvas, LPARAM Param) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseMove(fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void Resize() override;
  void MouseEntered(fw::TControl* Control) override;
  void MouseLeft(fw::TControl* Control) override;
  void ParentColorChanged() override;
  void FontChanged() override;
  void WndProc(fw::TMessage& Message) override;

  bool InSizingCorner(int X, int Y) const { return Width() - X <= 11 && Height() - Y <= 11; }
  void ShowSizingCursor();
  void RestoreSizingCursor();
  void SettingsChanged(fw::TObject* Sender, const fw::String& PropName);
  // The settings or hot-track objects were freed by code: fresh ones
  // take their place so that the panel keeps working.
  void ReplaceLostOptions(fw::TComponent* AComponent);

  bool FTransparent = false;
  bool FFlatBorder = false;
  fw::TColor FFlatBorderColor = fw::clBtnShadow;
  bool FMultiLine = false;
  bool FSizeable = false;
  bool FDragging = false;
  fw::TPoint FLastPos;
  int FEnableArrangeCount = 0;
  bool FArrangeControlActive = false;
  int FArrangeWidth = 0;
  int FArrangeHeight = 0;
  TCkArrangeSettings* FArrangeSettings = nullptr;
  bool FMovable = false;
  bool FWasMoved = false;
  bool FHotTrack = false;
  fw::TFont* FHotTrackFont = nullptr;
  TCkTrackFontOptions FHotTrackFontOptions = services::DefaultTrackFontOptions;
  TCkPanelHotTrackOptions* FHotTrackOptions = nullptr;
  fw::TCursor FLastScreenCursor = fw::crDefault;
  bool FSizingCursorShown = false;
  int FPainting = 0;
};

class TCkPanel : public TCkCustomArrangePanel {
  FW_CLASS(TCkPanel, TCkCustomArrangePanel)
  explicit TCkPanel(fw::TComponent* AOwner) : TCkCustomArrangePanel(AOwner) {}
};

}  // namespace ck
