#include "skin/engine/core/stored_skins.h"

#include "fw/core/streams.h"

namespace skin {

void TkStoredSkin::Assign(fw::TPersistent* Source) {
  auto* s = dynamic_cast<TkStoredSkin*>(Source);
  if (!s) {
    inherited::Assign(Source);
    return;
  }
  PackedData = s->PackedData;
  FDataResource = s->FDataResource;
  FName = s->FName;
  FShadow1Color = s->FShadow1Color;
  FShadow1Offset = s->FShadow1Offset;
  FShadow1Blur = s->FShadow1Blur;
  FShadow1Transparency = s->FShadow1Transparency;
  FBorderColor = s->FBorderColor;
  FVersion = s->FVersion;
  FAuthor = s->FAuthor;
  FDescription = s->FDescription;
}

int TkStoredSkins::IndexOf(fw::StringView SkinName) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->FName == SkinName) return i;
  return -1;
}

void TkStoredSkins::Update(fw::TCollectionItem* Item) {
  inherited::Update(Item);
  if (OnSkinListChanged) OnSkinListChanged();
}

FW_REGISTER(TkStoredSkin) {
  c.Property(u"Name", &TkStoredSkin::FName, &TkStoredSkin::FName);
  c.Property(u"Shadow1Color", &TkStoredSkin::FShadow1Color, &TkStoredSkin::FShadow1Color);
  c.Property(u"Shadow1Offset", &TkStoredSkin::FShadow1Offset, &TkStoredSkin::FShadow1Offset);
  c.Property(u"Shadow1Blur", &TkStoredSkin::FShadow1Blur, &TkStoredSkin::FShadow1Blur).Default(-1);
  c.Property(u"Shadow1Transparency", &TkStoredSkin::FShadow1Transparency, &TkStoredSkin::FShadow1Transparency);
  c.Property(u"BorderColor", &TkStoredSkin::FBorderColor, &TkStoredSkin::FBorderColor).Default(0xFF00FF);
  c.Property(u"Version", &TkStoredSkin::FVersion, &TkStoredSkin::FVersion);
  c.Property(u"Author", &TkStoredSkin::FAuthor, &TkStoredSkin::FAuthor);
  c.Property(u"Description", &TkStoredSkin::FDescription, &TkStoredSkin::FDescription);
  c.Property(u"DataResource", &TkStoredSkin::FDataResource, &TkStoredSkin::FDataResource);
  fw::TDefinedProperty& data = c.DefineBinaryProperty(u"Data");
  data.ReadData = [](fw::TObject* o, fw::TStream& s) {
    auto& skin = fw::detail::InstanceOf<TkStoredSkin>(o);
    skin.PackedData.resize(static_cast<size_t>(s.Size()));
    s.SetPosition(0);
    if (!skin.PackedData.empty()) s.ReadBuffer(skin.PackedData.data(), static_cast<int64_t>(skin.PackedData.size()));
  };
  data.WriteData = [](fw::TObject* o, fw::TStream& s) {
    const auto& skin = fw::detail::InstanceOf<TkStoredSkin>(o);
    if (!skin.PackedData.empty()) s.WriteBuffer(skin.PackedData.data(), static_cast<int64_t>(skin.PackedData.size()));
  };
  // Always written, also when empty.
  data.HasData = [](fw::TObject*) { return true; };
}

FW_REGISTER(TkStoredSkins) {}

}  // namespace skin
