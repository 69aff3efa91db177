#include "controls/base/ckhottrackpersistent.h"

#include "fw/core/rtti.h"

namespace ck {

using namespace fw;

namespace {

// The announcement every setter makes around storing a changed value.
template <class T>
void ChangeValue(TCkPersistentProperty* Options, T& Field, T Value, const char16_t* Name) {
  if (Field == Value) return;
  Options->FireChanging();
  Options->FireChangingProperty(Name);
  Field = Value;
  Options->FireChangedProperty(Name);
  Options->FireChanged();
}

}  // namespace

TCkHotTrackOptions::TCkHotTrackOptions(TPersistent* AOwner)
    : TCkPersistentProperty(AOwner), FColor(0x00D2BDB6), FFrameColor(0x006A240A) {}

void TCkHotTrackOptions::SetEnabled(bool Value) { ChangeValue(this, FEnabled, Value, u"Enabled"); }
void TCkHotTrackOptions::SetColor(TColor Value) { ChangeValue(this, FColor, Value, u"Color"); }
void TCkHotTrackOptions::SetFrameVisible(bool Value) { ChangeValue(this, FFrameVisible, Value, u"FrameVisible"); }
void TCkHotTrackOptions::SetFrameColor(TColor Value) { ChangeValue(this, FFrameColor, Value, u"FrameColor"); }

void TCkHotTrackOptions::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TCkHotTrackOptions*>(Source);
  if (!src) {
    TCkPersistentProperty::Assign(Source);
    return;
  }
  if (src == this) return;
  BeginUpdate();
  try {
    SetEnabled(src->Enabled());
    SetColor(src->Color());
    SetFrameVisible(src->FrameVisible());
    SetFrameColor(src->FrameColor());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
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
