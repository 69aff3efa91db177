// The switch TCkSwitch: a focusable two-state picture button. It shows its
// off or on picture, flips on a left click or its toggle key and fires
// OnOn or OnOff for each new state; a caption may stand beside, above or
// below the picture. Disabled, it shows the embossed look of a picture that
// was set after creation (the built-in pictures keep their normal look).
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "controls/base/ckexcontrols.h"
#include "fw/core/sets.h"
#include "fw/graphics/graphics.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace ck {

FW_ENUM(TTextPos, tpNone, tpLeft, tpRight, tpAbove, tpBelow)
// Bit 0: the off picture is the user's; bit 1: the on picture.
FW_ENUM(TSwitchBitmap, sbOff, sbOn)
using TSwitchBitmaps = fw::TSet<TSwitchBitmap>;

class TCkSwitch : public TCkExCustomControl {
  FW_CLASS(TCkSwitch, TCkExCustomControl)
  explicit TCkSwitch(fw::TComponent* AOwner);
  ~TCkSwitch() override;

  bool StateOn() const { return FStateOn; }
  // Repaints and fires OnOn or OnOff, only when the state changes.
  void WriteStateOn(bool Value);
  void SetStateOn(bool Value) { WriteStateOn(Value); }
  void ToggleSwitch() { WriteStateOn(!FStateOn); }

  // The pictures (index 0 off, 1 on). While the control is read from a
  // form description, asking for a picture marks it as the user's.
  fw::TBitmap* Glyph(int Index);
  // A bitmap is copied in and marked as the user's; nullptr brings the
  // built-in picture back.
  void SetGlyph(int Index, fw::TBitmap* Value);
  fw::TBitmap* GlyphOff() { return Glyph(0); }
  fw::TBitmap* GlyphOn() { return Glyph(1); }
  void SetGlyphOff(fw::TBitmap* Value) { SetGlyph(0, Value); }
  void SetGlyphOn(fw::TBitmap* Value) { SetGlyph(1, Value); }
  TSwitchBitmaps UserBitmaps() const { return FUserBitmaps; }
  // Only the user's pictures are written to a form description.
  bool GlyphOffStored() const { return FUserBitmaps.Contains(sbOff); }
  bool GlyphOnStored() const { return FUserBitmaps.Contains(sbOn); }
  // The disabled look of a picture, nullptr until that picture changed.
  fw::TBitmap* DisabledGlyph(int Index) const { return FDisableBitmaps[Index].get(); }

  fw::TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(fw::TBorderStyle Value);
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value);
  TTextPos TextPosition() const { return FTextPosition; }
  void SetTextPosition(TTextPos Value);
  fw::TShortCut ToggleKey() const { return FToggleKey; }
  void SetToggleKey(fw::TShortCut Value) { FToggleKey = Value; }

  fw::TNotifyEvent OnOn;
  fw::TNotifyEvent OnOff;

 protected:
  virtual void FireOn() { OnOn(this); }
  virtual void FireOff() { OnOff(this); }

  void CreateParams(fw::TCreateParams& Params) override;
  void Paint() override;
  void TextChanged() override;
  bool WantsDialogChar(int Key, fw::TShiftState Shift) override;
  bool EraseBackground(fw::TCanvas* Canvas, LPARAM Param) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, fw::TShiftState Shift) override;
  void FocusChangedNotice(fw::TControl* Control) override;
  void EnabledChanged() override;

 private:
  friend struct TCkSwitchStreaming;
  void LoadBuiltIn(int Index);
  void GlyphChanged(fw::TObject* Sender);

  bool FActive = false;
  std::array<fw::TBitmap*, 2> FBitmaps{};
  std::array<std::unique_ptr<fw::TBitmap>, 2> FDisableBitmaps;
  bool FStateOn = false;
  TTextPos FTextPosition = tpNone;
  fw::TBorderStyle FBorderStyle = fw::bsNone;
  fw::TShortCut FToggleKey = 32;
  bool FShowFocus = true;
  TSwitchBitmaps FUserBitmaps;
};

}  // namespace ck
