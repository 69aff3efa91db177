// The window outline's cut-outs from a skin's border masks.
#include "skin/forms/core/region_cutouts.h"

#include <gtest/gtest.h>

#include "tests/skin/engine/core/program_skins.h"

namespace skin {
namespace {

// A skin with a FORM section whose 6 x 6 border mask (corners 2 wide and
// high) holds key pixels as drawn, and a FORMTITLE section with a title mask.
struct SmallSkin {
  TkLoadedSkin skin;
  int border = -1, title = -1;
  SmallSkin(const char* const formRows[6], const char* const titleRows[6]) {
    skin.gd.resize(2);
    skin.gd[0].ClassName = u"FORM";
    skin.gd[1].ClassName = u"FORMTITLE";
    auto mask = [&](const char16_t* section, const char* const rows[6]) {
      TkMaskData m;
      m.ClassName = section;
      m.PropertyName = u"BORDERSMASK";
      m.Bmp = std::make_shared<TPixelBuffer>(TPixelFormat::pf32bit, 6, 6);
      const TPixelView32 v = View32(*m.Bmp);
      for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) v.Row(y)[x] = rows[y][x] == 'K' ? clSkinKey : 0xFF808080u;
      m.R = fw::Rect(0, 0, 6, 6);
      m.ImageCount = 1;
      m.WL = m.WT = m.WR = m.WB = 2;
      skin.ma.push_back(m);
      return int(skin.ma.size()) - 1;
    };
    border = mask(u"FORM", formRows);
    if (titleRows) title = mask(u"FORMTITLE", titleRows);
    skin.gd[0].BorderIndex = border;
  }
};

TEST(MakeRegionCutouts, BorderCornersTopAndBottomThenTheTitle) {
  const char* const form[6] = {"KK..KK", "K....K", "......", "......", "K.....", "KK...."};
  const char* const title[6] = {".K..K.", "......", "......", "......", "......", "......"};
  SmallSkin s(form, title);
  const std::vector<fw::TRect> got = MakeRegionCutouts(s.skin, s.border, 1, 100, 50);
  const std::vector<fw::TRect> want = {
      fw::Rect(0, 0, 2, 1), fw::Rect(98, 0, 100, 1), fw::Rect(0, 1, 1, 2), fw::Rect(99, 1, 100, 2),
      fw::Rect(0, 48, 1, 49), fw::Rect(0, 49, 2, 50),
      fw::Rect(1, 0, 2, 1), fw::Rect(98, 0, 99, 1)};
  EXPECT_EQ(got, want);
}

TEST(MakeRegionCutouts, NoKeyNoIndexesNothing) {
  const char* const plain[6] = {"......", "......", "......", "......", "......", "......"};
  SmallSkin s(plain, nullptr);
  EXPECT_TRUE(MakeRegionCutouts(s.skin, s.border, 1, 100, 50).empty()) << "a plain rectangle";
  EXPECT_TRUE(MakeRegionCutouts(s.skin, -1, -1, 100, 50).empty());
  EXPECT_TRUE(MakeRegionCutouts(s.skin, 7, 9, 100, 50).empty());
}

TEST(MakeRegionCutouts, TheProgramSkinsRoundTheTopCorners) {
  for (auto [file, name] : {std::pair{"topaz.ksz", u"Topaz (internal)"}, {"sapphire.ksz", u"Sapphire (internal)"}}) {
    std::unique_ptr<TkLoadedSkin> skin = LoadProgramSkin(file, name);
    ASSERT_TRUE(skin);
    const int form = skin->GetSkinIndex(u"FORM");
    const int title = skin->GetSkinIndex(u"FORMTITLE");
    ASSERT_GE(form, 0);
    const std::vector<fw::TRect> cut = MakeRegionCutouts(*skin, skin->gd[form].BorderIndex, title, 300, 200);
    ASSERT_FALSE(cut.empty()) << file;
    for (const fw::TRect& r : cut) {
      EXPECT_LT(r.Top, 4) << file << ": only the top corners";
      EXPECT_TRUE(r.Right <= 4 || r.Left >= 296) << file;
    }
  }
}

}  // namespace
}  // namespace skin
