#include "skin/engine/core/skin_data.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TkGeneralData Section(const char16_t* name, const char16_t* parent = u"", int states = 3) {
  TkGeneralData g;
  g.ClassName = name;
  g.ParentClass = parent;
  g.States = states;
  return g;
}

TkMaskData Mask(const char16_t* section, const char16_t* name, TkcImgType type = TkcImgType::itisaBorder) {
  TkMaskData m;
  m.ClassName = section;
  m.PropertyName = name;
  m.ImgType = type;
  m.ImageCount = 1;
  return m;
}

// Sections: BASE has the mask, CHILD inherits it, SELF names itself, ORPHAN a
// missing parent, A and B name each other.
TkLoadedSkin Family() {
  TkLoadedSkin s;
  s.gd = {Section(u"BASE"), Section(u"CHILD", u"BASE"), Section(u"SELF", u"SELF"), Section(u"ORPHAN", u"NOWHERE"),
          Section(u"A", u"B"), Section(u"B", u"A"), Section(u"GRANDCHILD", u"CHILD")};
  s.ma = {Mask(u"BASE", u"BORDERSMASK"), Mask(u"BASE", u"PATTERN", TkcImgType::itisaTexture),
          Mask(u"CHILD", u"GLYPHMASK"), Mask(u"BASE", u"HOTPATTERN", TkcImgType::itisaGlyph)};
  return s;
}

TEST(SkinLookups, SectionsMasksAndTexturesFollowParentsAndEndOnCycles) {
  TkLoadedSkin s = Family();
  struct Case {
    const char16_t* section;
    const char16_t* mask;
    int withParents, withoutParents, texture;
  } cases[] = {
      {u"BASE", u"BORDERSMASK", 0, 0, -1},
      {u"CHILD", u"BORDERSMASK", 0, -1, -1},
      {u"GRANDCHILD", u"BORDERSMASK", 0, -1, -1},
      {u"CHILD", u"GLYPHMASK", 2, 2, -1},
      {u"BASE", u"GLYPHMASK", -1, -1, -1},
      {u"SELF", u"BORDERSMASK", -1, -1, -1},
      {u"ORPHAN", u"BORDERSMASK", -1, -1, -1},
      {u"A", u"BORDERSMASK", -1, -1, -1},
      {u"CHILD", u"PATTERN", 1, -1, 1},
      {u"GRANDCHILD", u"PATTERN", 1, -1, 1},
      // Only texture elements count as textures.
      {u"CHILD", u"HOTPATTERN", 3, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(fw::StringToUtf8(c.section) + "/" + fw::StringToUtf8(c.mask));
    int i = s.GetSkinIndex(c.section);
    EXPECT_EQ(s.GetMaskIndex(i, c.section, c.mask), c.withParents);
    EXPECT_EQ(s.GetMaskIndex(c.section, c.mask), c.withoutParents);
    EXPECT_EQ(s.GetTextureIndex(i, c.section, c.mask), c.texture);
  }
  EXPECT_EQ(s.GetSkinIndex(u""), -1);
  EXPECT_EQ(s.GetSkinIndex(u"base"), -1);
  EXPECT_EQ(s.GetMaskIndex(-1, u"BASE", u"BORDERSMASK"), -1);
  EXPECT_EQ(s.GetMaskIndex(0, u"", u"BORDERSMASK"), -1);
  EXPECT_EQ(TkLoadedSkin().GetSkinIndex(u"BASE"), -1);
}

TEST(SkinLookups, FrameSizesAndBorderWidths) {
  struct Case {
    int width, height, count, type, border, wl, wr;
    int frameWidth, frameHeight, left, right, top;
  } cases[] = {
      {90, 60, 3, 0, 0, 0, 0, 30, 60, 30, 30, 60},
      {90, 61, 0, 0, 0, 0, 0, 0, 61, 90, 0, 61},  // no count: left takes the whole width, right 0
      {90, 61, 1, 1, 0, 0, 0, 90, 30, 90, 90, 30},
      {90, 61, 1, 2, 0, 0, 0, 90, 20, 90, 90, 20},
      {90, 60, 3, 0, 5, 0, 0, 30, 60, 5, 5, 5},
      {90, 60, 3, 0, 5, 7, 8, 30, 60, 7, 8, 5},
      {90, 60, 1, -1, 0, 0, 0, 90, 0, 90, 90, 0},
  };
  for (const Case& c : cases) {
    TkLoadedSkin s;
    TkMaskData m;
    m.R = fw::TRect{10, 10, 10 + c.width, 10 + c.height};
    m.ImageCount = static_cast<int16_t>(c.count);
    m.MaskType = static_cast<int16_t>(c.type);
    m.BorderWidth = static_cast<int16_t>(c.border);
    m.WL = static_cast<int16_t>(c.wl);
    m.WR = static_cast<int16_t>(c.wr);
    s.ma.push_back(m);
    SCOPED_TRACE(c.width * 1000 + c.count * 10 + c.type);
    EXPECT_EQ(MaskFrameWidth(m), c.frameWidth);
    EXPECT_EQ(MaskFrameHeight(m), c.frameHeight);
    EXPECT_EQ(s.MaskWidthLeft(0), c.left);
    EXPECT_EQ(s.MaskWidthRight(0), c.right);
    EXPECT_EQ(s.MaskWidthTop(0), c.top);
    EXPECT_EQ(s.ma[0].ImageCount, c.count);  // reading a width changes nothing
  }
  EXPECT_EQ(TkLoadedSkin().MaskWidthLeft(0), 0);
}

TEST(SkinLookups, ConstantIndexesOfASkinWithoutGlobalInfoAreAllMissing) {
  TkLoadedSkin s = Family();
  s.ma.push_back(Mask(u"GLOBALINFO", u"BOXCHECKED"));  // a mask without its section
  s.InitConstantIndexes();
  const TConstantSkinData& c = s.ConstData;
  for (int i : {c.IndexGLobalInfo, c.CheckBoxChecked, c.CheckBoxUnChecked, c.CheckBoxGrayed, c.RadioButtonChecked,
                c.RadioButtonUnChecked, c.RadioButtonGrayed, c.SmallCheckBoxChecked, c.SmallCheckBoxUnChecked,
                c.SmallCheckBoxGrayed, c.ExBorder, c.GripRightBottom, c.GripHorizontal, c.GripVertical,
                c.MaskCloseBtn, c.MaskHelpSmall})
    EXPECT_EQ(i, -1);
}

TEST(SkinLookups, ConstantAndSectionIndexesOfAFullSkin) {
  TkLoadedSkin s;
  s.gd = {Section(u"GLOBALINFO"), Section(u"COMBOBTN"), Section(u"COMBOBOX"), Section(u"SCROLLSLIDERV", u"", 3),
          Section(u"MENUITEM", u"", 1), Section(u"TRANSPARENT")};
  s.ma = {Mask(u"GLOBALINFO", u"BOXCHECKED"), Mask(u"GLOBALINFO", u"BICONCLOSE"), Mask(u"COMBOBTN", u"BORDERSMASK"),
          Mask(u"COMBOBOX", u"GLYPHMASK"), Mask(u"COMBOBTN", u"GLYPHMASK"),
          Mask(u"SCROLLSLIDERV", u"PATTERN", TkcImgType::itisaTexture),
          Mask(u"SCROLLSLIDERV", u"HOTPATTERN", TkcImgType::itisaTexture),
          Mask(u"MENUITEM", u"PATTERN", TkcImgType::itisaTexture), Mask(u"GLOBALINFO", u"GRIPIMAGE")};
  s.InitConstantIndexes();
  const TConstantSkinData& c = s.ConstData;
  EXPECT_EQ(c.IndexGLobalInfo, 0);
  EXPECT_EQ(c.CheckBoxChecked, 0);
  EXPECT_EQ(c.MaskCloseBtn, 1);
  EXPECT_EQ(c.GripRightBottom, 8);
  EXPECT_EQ(c.ComboBtn.SkinIndex, 1);
  EXPECT_EQ(c.ComboBtn.MaskIndex, 2);
  EXPECT_EQ(c.ComboBtn.GlyphIndex, 3);  // from COMBOBOX, not COMBOBTN's own
  EXPECT_EQ(c.Sliders[1].SkinIndex, 3);
  EXPECT_EQ(c.Sliders[1].BGIndex[0], 5);
  EXPECT_EQ(c.Sliders[1].BGIndex[1], 6);
  EXPECT_EQ(c.Sliders[0].SkinIndex, -1);
  EXPECT_EQ(c.Sections[ssMenuItem], 4);
  EXPECT_EQ(c.Sections[ssTransparent], 5);
  EXPECT_EQ(c.Sections[ssToolButton], -1);
  EXPECT_EQ(s.gd[1].BorderIndex, 2);
  EXPECT_EQ(s.gd[3].Props[0].TextureIndex, 5);
  EXPECT_EQ(s.gd[3].Props[1].TextureIndex, 6);
  EXPECT_EQ(s.gd[4].TextureNormal, 7);
  // A one-state section has no hot texture (never the valid index 0).
  EXPECT_EQ(s.gd[4].Props[1].TextureIndex, -1);
  EXPECT_EQ(s.gd[0].BorderIndex, -1);  // GLOBALINFO itself is skipped
}

}  // namespace
}  // namespace skin
