#include "skin/engine/core/stored_skins.h"

#include <gtest/gtest.h>

#include "fw/core/component.h"
#include "fw/core/form_loader.h"

namespace skin {

// A component holding stored skins, as the skin manager does.
class TSkinHolder : public fw::TComponent {
  FW_CLASS(TSkinHolder, fw::TComponent)
  explicit TSkinHolder(fw::TComponent* owner) : fw::TComponent(owner), FSkins(new TkStoredSkins(this)) {}
  ~TSkinHolder() override { delete FSkins; }
  TkStoredSkins* FSkins;
  TkStoredSkins* Skins() const { return FSkins; }
  void SetSkins(TkStoredSkins* v) { FSkins->Assign(v); }
};

FW_REGISTER(TSkinHolder) { c.Property(u"InternalSkins", &TSkinHolder::Skins, &TSkinHolder::SetSkins); }

namespace {

TEST(StoredSkins, ReadFromTheFormDescriptionInOrderWithTheirData) {
  fw::RegisterClasses<TSkinHolder, TkStoredSkin>();
  TSkinHolder holder(nullptr);
  int changes = 0;
  holder.FSkins->OnSkinListChanged = [&] { ++changes; };
  fw::ReadRootComponent(&holder,
                        u"object Holder: TSkinHolder\n"
                        u"  InternalSkins = <\n"
                        u"    item\n"
                        u"      Name = 'Topaz (internal)'\n"
                        u"      Shadow1Blur = 3\n"
                        u"      Data = {4B537A6600000000}\n"
                        u"    end\n"
                        u"    item\n"
                        u"      Name = 'Sapphire (internal)'\n"
                        u"      Data = {}\n"
                        u"    end>\n"
                        u"end\n",
                        u"Holder.form");
  TkStoredSkins& skins = *holder.FSkins;
  ASSERT_EQ(skins.Count(), 2);
  EXPECT_EQ(skins.Items(0)->FName, u"Topaz (internal)");
  EXPECT_EQ(skins.Items(0)->PackedData, (std::vector<uint8_t>{'K', 'S', 'z', 'f', 0, 0, 0, 0}));
  EXPECT_EQ(skins.Items(0)->FShadow1Blur, 3);
  EXPECT_TRUE(skins.Items(1)->PackedData.empty());
  EXPECT_EQ(skins.Items(1)->FShadow1Blur, -1);
  EXPECT_EQ(skins.Items(1)->FBorderColor, 0xFF00FF);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(skins.IndexOf(u"Sapphire (internal)"), 1);
  EXPECT_EQ(skins.IndexOf(u"sapphire (internal)"), -1);
  EXPECT_EQ(skins.IndexOf(u""), -1);
}

TEST(StoredSkins, AssignCopiesOneSkinButNotAWholeCollection) {
  TkStoredSkins a, b;
  auto* source = static_cast<TkStoredSkin*>(a.Add());
  source->FName = u"One";
  source->FAuthor = u"Me";
  source->FShadow1Color = 0x123456;
  source->PackedData = {1, 2, 3};
  auto* copy = static_cast<TkStoredSkin*>(b.Add());
  copy->Assign(source);
  EXPECT_EQ(copy->FName, u"One");
  EXPECT_EQ(copy->FAuthor, u"Me");
  EXPECT_EQ(copy->FShadow1Color, 0x123456);
  EXPECT_EQ(copy->PackedData, source->PackedData);
  source->PackedData[0] = 9;
  EXPECT_EQ(copy->PackedData[0], 1);  // a copy, not shared
  b.Assign(&a);
  EXPECT_EQ(b.Count(), 1);
  EXPECT_EQ(b.Items(0), copy);
  EXPECT_THROW(copy->Assign(nullptr), fw::Exception);
}

}  // namespace
}  // namespace skin
