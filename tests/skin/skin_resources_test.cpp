// The program's stored skins and the engine's images come from its
// resources and load as the program loads them.
#include <gtest/gtest.h>

#include "skin/engine/core/pixel_view.h"
#include "skin/engine/skin_resources.h"

namespace skin {
namespace {

TEST(SkinResources, StoredSkinsLoadWithTheMainWindowsSaturation) {
  std::vector<TStoredSkinData> stored = LoadInternalSkins();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].Name, u"Topaz (internal)");
  EXPECT_EQ(stored[1].Name, u"Sapphire (internal)");
  for (const TStoredSkinData& s : stored) {
    TSkinLoadOptions o = SystemSkinLoadOptions();
    o.Saturation = -58;
    std::unique_ptr<TkLoadedSkin> skin = LoadPackedSkin(s.Name, s.Data, o);
    EXPECT_TRUE(skin->CommonSkinData.Active);
    EXPECT_GE(skin->ConstData.MaskCloseBtn, 0);
    EXPECT_GE(skin->GetSkinIndex(u"FORM"), 0);
    EXPECT_GT(skin->MasterBitmap.Width(), 0);
  }
}

TEST(SkinResources, StoredSkinCollectionFromTheResources) {
  TkStoredSkins skins;
  static_cast<TkStoredSkin*>(skins.Add())->FName = u"Old";
  int changes = 0;
  skins.OnSkinListChanged = [&] { ++changes; };
  LoadInternalSkins(skins);
  ASSERT_EQ(skins.Count(), 2);
  EXPECT_EQ(skins.IndexOf(u"Topaz (internal)"), 0);
  EXPECT_EQ(skins.IndexOf(u"Sapphire (internal)"), 1);
  EXPECT_EQ(skins.IndexOf(u"Old"), -1);
  EXPECT_EQ(skins.Items(1)->PackedData, LoadInternalSkins()[1].Data);
  EXPECT_EQ(skins.Items(0)->FShadow1Color, 0);
  EXPECT_EQ(changes, 1);  // one report for the whole exchange
}

TEST(SkinResources, Blur5AndTheDefaultShadows) {
  const TPixelBuffer& blur = Blur5Image();
  ASSERT_EQ(blur.Width(), 19);
  ASSERT_EQ(blur.Height(), 19);
  EXPECT_EQ(blur.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(blur.ScanLine(9)[9], 255);
  EXPECT_LT(blur.ScanLine(0)[0], 10);
  for (bool active : {true, false}) {
    TPixelBuffer shadow = DefaultShadowImage(active);
    EXPECT_EQ(shadow.Width(), 33);
    EXPECT_EQ(shadow.Height(), 33);
    EXPECT_GT(Alpha(View32(shadow).Pixel(16, 16)), 0);
  }
  // A description that generates its outer effects loads with BLUR5.
  TkcSkinConvertor none;
  TPackedSkinImages images(none);
  std::unique_ptr<TkLoadedSkin> skin = LoadSkin(u"Effects", u"[GLOBALINFO]\r\n", images, SystemSkinLoadOptions());
  EXPECT_GE(skin->oe[0].Mask, 0);
  EXPECT_GE(skin->oe[1].Mask, 0);
}

}  // namespace
}  // namespace skin
