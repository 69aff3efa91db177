// Skins stored inside the program: a collection whose items carry a packed
// skin in their binary "Data" property, read from the form description. Only
// Name and Data take part in loading; the other values describe the skin.
#pragma once

#include <functional>
#include <vector>

#include "fw/core/collection.h"
#include "fw/core/rtti.h"

namespace skin {

class TkStoredSkin : public fw::TCollectionItem {
  FW_CLASS(TkStoredSkin, fw::TCollectionItem)

  TkStoredSkin() = default;

  fw::String FName;
  double FVersion = 0;
  fw::String FDescription, FAuthor;
  int FShadow1Offset = 0;
  fw::TColor FShadow1Color = 0;
  int FShadow1Blur = -1;
  int FShadow1Transparency = 0;
  fw::TColor FBorderColor = 0xFF00FF;
  // The packed skin.
  std::vector<uint8_t> PackedData;
  // The program resource that holds the packed skin when Data is not
  // written in the description itself.
  fw::String FDataResource;

  // A stored skin: its data and every descriptive value; anything else
  // goes to the inherited assignment.
  void Assign(fw::TPersistent* Source) override;
  fw::String DisplayName() const override { return FName; }
};

class TkStoredSkins : public fw::TCollection {
  FW_CLASS(TkStoredSkins, fw::TCollection)

  explicit TkStoredSkins(fw::TPersistent* AOwner = nullptr) : TCollection(TkStoredSkin::StaticClass(), AOwner) {}

  TkStoredSkin* Items(int Index) const { return static_cast<TkStoredSkin*>(TCollection::Items(Index)); }
  // The first skin of exactly that name (letter case significant), or -1.
  int IndexOf(fw::StringView SkinName) const;
  // Assigning another collection copies nothing.
  void Assign(fw::TPersistent* Source) override { (void)Source; }

  // Told after every change of the list (the manager's skin list changed).
  std::function<void()> OnSkinListChanged;

 protected:
  void Update(fw::TCollectionItem* Item) override;
};

}  // namespace skin
