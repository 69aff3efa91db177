// The panel: a container window the framework paints itself, with an outer
// and an inner bevel, a border between them and its caption centred
// vertically, aligned left, right or centre.
#pragma once

#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)

class TCustomPanel : public TCustomControl {
  FW_CLASS(TCustomPanel, TCustomControl)
  explicit TCustomPanel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }

  // The client area without the bevels and the border.
  void AdjustClientRect(TRect& Rect) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;
  // The colours of a bevel cut.
  static void BevelColors(TBevelCut Cut, TColor& TopColor, TColor& BottomColor);
  int BevelSize() const;

 private:
  void Changed();
  TAlignment FAlignment = taCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
  FW_CLASS(TPanel, TCustomPanel)
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

}  // namespace fw
