// The XP-style container: a coloured area that holds other controls, with
// optional one-pixel bound lines, a glyph at its left and a caption.
#pragma once

#include "controls/base/xp_core.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace ck {

FW_ENUM(TCkXPEnabledMode, emAffectChilds, emNormal)

using TCkXPPaintEvent =
    fw::TEvent<void(fw::TObject* Sender, fw::TRect Rect, fw::TCanvas* ACanvas, fw::TFont* AFont)>;

class TCkXPCustomContainer : public TCkXPCustomControl {
  FW_CLASS(TCkXPCustomContainer, TCkXPCustomControl)
  explicit TCkXPCustomContainer(fw::TComponent* AOwner);
  ~TCkXPCustomContainer() override;

  fw::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(fw::TAlignment Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TColor BoundColor() const { return FBoundColor; }
  void SetBoundColor(TColor Value);
  TCkXPBoundLines BoundLines() const { return FBoundLines; }
  void SetBoundLines(TCkXPBoundLines Value);
  TCkXPEnabledMode EnabledMode() const { return FEnabledMode; }
  void SetEnabledMode(TCkXPEnabledMode Value);
  bool Focusable() const { return FFocusable; }
  void SetFocusable(bool Value) { FFocusable = Value; }
  fw::TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(fw::TBitmap* Value);
  TCkXPGlyphLayout GlyphLayout() const { return FGlyphLayout; }
  void SetGlyphLayout(TCkXPGlyphLayout Value);
  fw::TTextLayout Layout() const { return FLayout; }
  void SetLayout(fw::TTextLayout Value);
  bool ShowBoundLines() const { return FShowBoundLines; }
  void SetShowBoundLines(bool Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  uint8_t Spacing() const { return FSpacing; }
  void SetSpacing(uint8_t Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // Kept for the form; the container does not size itself.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }

  // The client area less the border, the bound lines and the glyph: the
  // children are aligned inside it.
  void AdjustClientRect(fw::TRect& Rect) override;

  void ReactEnabledChanged() override;
  void ReactMouseDown() override;
  void ReactPosChanged() override;

  fw::TNotifyEvent OnEnabledChanged;
  TCkXPPaintEvent OnPaint;

 protected:
  void CreateParams(fw::TCreateParams& Params) override;
  void Paint() override;

 private:
  void GlyphChanged(fw::TObject* Sender);
  void RealignAndRedraw();

  fw::TAlignment FAlignment = fw::taCenter;
  int FBorderWidth = 0;
  TColor FBoundColor = 0x808080;
  TCkXPBoundLines FBoundLines;
  TCkXPEnabledMode FEnabledMode = emNormal;
  bool FFocusable = false;
  fw::TBitmap* FGlyph;
  TCkXPGlyphLayout FGlyphLayout = glCenter;
  fw::TTextLayout FLayout = fw::tlCenter;
  bool FShowBoundLines = true;
  bool FShowCaption = false;
  uint8_t FSpacing = 5;
  bool FWordWrap = false;
  bool FAutoSize = false;
};

class TCkXPContainer : public TCkXPCustomContainer {
  FW_CLASS(TCkXPContainer, TCkXPCustomContainer)
  explicit TCkXPContainer(fw::TComponent* AOwner) : TCkXPCustomContainer(AOwner) {}
};

}  // namespace ck
