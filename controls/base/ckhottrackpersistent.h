// The hot-track colours of a panel: whether hot-tracking paints a
// background of its own, its colour, and an optional frame.
#pragma once

#include "controls/base/cktypes.h"
#include "fw/core/colors.h"

namespace ck {

class TCkHotTrackOptions : public TCkPersistentProperty {
  FW_CLASS(TCkHotTrackOptions, TCkPersistentProperty)
  explicit TCkHotTrackOptions(fw::TPersistent* AOwner);
  explicit TCkHotTrackOptions(fw::TComponent* AOwner) : TCkHotTrackOptions(static_cast<fw::TPersistent*>(AOwner)) {}

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  fw::TColor Color() const { return FColor; }
  void SetColor(fw::TColor Value);
  bool FrameVisible() const { return FFrameVisible; }
  void SetFrameVisible(bool Value);
  fw::TColor FrameColor() const { return FFrameColor; }
  void SetFrameColor(fw::TColor Value);

  // From another hot-track options object: all four values in one update.
  void Assign(fw::TPersistent* Source) override;

 protected:
  bool FEnabled = false;
  fw::TColor FColor;
  bool FFrameVisible = false;
  fw::TColor FFrameColor;
};

// The panels' hot-track options: the colour starts as clBtnFace.
class TCkPanelHotTrackOptions : public TCkHotTrackOptions {
  FW_CLASS(TCkPanelHotTrackOptions, TCkHotTrackOptions)
  explicit TCkPanelHotTrackOptions(fw::TPersistent* AOwner);
  explicit TCkPanelHotTrackOptions(fw::TComponent* AOwner)
      : TCkPanelHotTrackOptions(static_cast<fw::TPersistent*>(AOwner)) {}
};

}  // namespace ck
