// The speed button: a button drawn by the framework on its parent, flat or
// raised, with a glyph and a caption. Buttons of one GroupIndex on one
// parent work like radio buttons (pressing one releases the others), and
// with AllowAllUp the pressed one can be released too; GroupIndex 0 is a
// plain push button.
#pragma once

#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)
FW_ENUM(TButtonState, bsUp, bsDisabled, bsDown, bsExclusive)

class TSpeedButton : public TGraphicControl {
  FW_CLASS(TSpeedButton, TGraphicControl)
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  // Only a button of a group stays down; the others of the group go up.
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  // Images side by side in the glyph: up, disabled, down, held down.
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  // Distance of the glyph from the edge; -1 centres glyph and caption.
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TButtonState State() const { return FState; }

  void Click() override;

 protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoMouseEnter() override;
  void DoMouseLeave() override;
  void CMEnabledChanged(TMessage& Message) override;
  void UpdateExclusive();

 private:
  void GlyphChanged(TObject* Sender);
  void DrawGlyphAndCaption(TCanvas* Canvas, TRect Rect, int Offset);
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FDown = false;
  bool FFlat = false;
  TBitmap* FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FTransparent = true;
  TButtonState FState = bsUp;
  bool FDragging = false;
  bool FMouseIn = false;
};

}  // namespace fw
