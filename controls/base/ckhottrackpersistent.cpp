#include "controls/base/ckhottrackpersistent.h"

#include "fw/core/rtti.h"

namespace ck {

using namespace fw;

TCkHotTrackOptions::TCkHotTrackOptions(TPersistent* AOwner)
    : TCkPersistentProperty(AOwner), FColor(0x00D2BDB6), FFrameColor(0x006A240A) {}

void TCkHotTrackOptions::SetEnabled(bool Value) { ChangeProperty(FEnabled, Value, u"Enabled"); }
void TCkHotTrackOptions::SetColor(TColor Value) { ChangeProperty(FColor, Value, u"Color"); }
void TCkHotTrackOptions::SetFrameVisible(bool Value) { ChangeProperty(FFrameVisible, Value, u"FrameVisible"); }
void TCkHotTrackOptions::SetFrameColor(TColor Value) { ChangeProperty(FFrameColor, Value, u"FrameColor"); }

void TCkHotTrackOptions::Assign(TPersistent* Source) {
  AssignOptions<TCkHotTrackOptions>(Source, [this](TCkHotTrackOptions& src) {
    SetEnabled(src.Enabled());
    SetColor(src.Color());
    SetFrameVisible(src.FrameVisible());
    SetFrameColor(src.FrameColor());
  });
}

TCkPanelHotTrackOptions::TCkPanelHotTrackOptions(TPersistent* AOwner) : TCkHotTrackOptions(AOwner) {
  FColor = clBtnFace;
}

FW_REGISTER(TCkHotTrackOptions) {
  c.Property(u"Enabled", &TCkHotTrackOptions::Enabled, &TCkHotTrackOptions::SetEnabled).Default(false);
  c.Property(u"Color", &TCkHotTrackOptions::Color, &TCkHotTrackOptions::SetColor)
      .Type(TypeInfoTColor())
      .Default(0x00D2BDB6);
  c.Property(u"FrameVisible", &TCkHotTrackOptions::FrameVisible, &TCkHotTrackOptions::SetFrameVisible)
      .Default(false);
  c.Property(u"FrameColor", &TCkHotTrackOptions::FrameColor, &TCkHotTrackOptions::SetFrameColor)
      .Type(TypeInfoTColor())
      .Default(0x006A240A);
}

FW_REGISTER(TCkPanelHotTrackOptions) {
  c.Property(u"Color", &TCkPanelHotTrackOptions::Color, &TCkPanelHotTrackOptions::SetColor)
      .Type(TypeInfoTColor())
      .Default(clBtnFace);
}

}  // namespace ck
