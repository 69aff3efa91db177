// Title button masks and widths from a skin's constant elements.
#include "skin/forms/core/title_buttons.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TkLoadedSkin SkinWithMasks(bool small, bool closeAlone) {
  TkLoadedSkin s;
  s.gd.resize(1);
  s.ConstData.IndexGLobalInfo = 0;
  auto mask = [&](int w, int h, int images) {
    TkMaskData m;
    m.R = fw::Rect(0, 0, w * images, h);
    m.ImageCount = int16_t(images);
    s.ma.push_back(m);
    return int(s.ma.size()) - 1;
  };
  TConstantSkinData& c = s.ConstData;
  c.MaskCloseBtn = mask(25, 18, 3);
  c.MaskMaxBtn = mask(22, 18, 3);
  c.MaskMinBtn = mask(20, 18, 3);
  c.MaskNormBtn = mask(22, 18, 3);
  if (closeAlone) c.MaskCloseAloneBtn = mask(30, 18, 3);
  if (small) {
    c.MaskCloseSmall = mask(14, 12, 3);
    c.MaskMinSmall = mask(13, 12, 3);
    c.MaskMaxSmall = mask(13, 12, 3);
  }
  s.CommonSkinData.BISpacing = 2;
  s.CommonSkinData.BIRightMargin = 3;
  return s;
}

TEST(TitleButtons, MasksPerButtonSizeAndSkin) {
  struct Case {
    const char* what;
    bool big, small, closeAlone, visibleMax, visibleMin;
    int closeWidth, minWidth, height;
    bool aligned;
  } cases[] = {
      {"big", true, true, true, true, true, 25, 20, 18, true},
      {"big close alone", true, true, true, false, false, 30, 20, 18, true},
      {"close alone missing", true, true, false, false, false, 25, 20, 18, true},
      {"small", false, true, true, true, true, 14, 13, 12, false},
      {"small missing: big ones", false, false, true, true, true, 25, 20, 18, true},
  };
  for (const Case& c : cases) {
    TkLoadedSkin skin = SkinWithMasks(c.small, c.closeAlone);
    TkCaptionLayout l;
    InitTitleButtons(skin, {c.big, c.visibleMax, c.visibleMin}, l);
    EXPECT_EQ(TitleButtonWidth(skin, l.Close.ImageIndex), c.closeWidth) << c.what;
    EXPECT_EQ(TitleButtonWidth(skin, l.Min.ImageIndex), c.minWidth) << c.what;
    EXPECT_EQ(TitleButtonHeight(skin, l), c.height) << c.what;
    EXPECT_EQ(l.Close.HaveAlignment, c.aligned) << c.what;
    EXPECT_EQ(l.Close.HitCode, 20u);
    EXPECT_EQ(l.Max.HitCode, 9u);
    EXPECT_EQ(l.Min.HitCode, 8u);
  }
  TkLoadedSkin none;
  TkCaptionLayout l;
  InitTitleButtons(none, {}, l);
  EXPECT_EQ(l.Close.ImageIndex, -1) << "no GLOBALINFO: nothing chosen";
  EXPECT_EQ(TitleButtonWidth(none, -1), 21);
  EXPECT_EQ(TitleButtonHeight(none, l), 21);
}

TEST(TitleButtons, TheMaximisedMdiChildsButtons) {
  // An MDI frame's small-button masks for its child, the standard buttons'
  // when the skin has no small minimise mask or no small close mask.
  struct Case {
    const char* what;
    bool big, small;
    int width, height;
    bool aligned;
  } cases[] = {
      {"small masks", true, true, 14, 12, false},
      {"small ones of a tool window", false, true, 14, 12, false},
      {"no small masks: the big ones", true, false, 25, 18, true},
      {"no small close mask: the big ones", false, false, 25, 18, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TkLoadedSkin skin = SkinWithMasks(c.small, false);
    TkCaptionLayout l;
    TkMdiButtons mdi;
    InitTitleButtons(skin, {c.big, true, true}, l, &mdi);
    EXPECT_EQ(mdi.Close.HitCode, 101u);
    EXPECT_EQ(mdi.Max.HitCode, 102u);
    EXPECT_EQ(mdi.Min.HitCode, 103u);
    EXPECT_EQ(mdi.Close.HaveAlignment, c.aligned);
    EXPECT_EQ(MaskFrameWidth(skin.ma[size_t(mdi.Close.ImageIndex)]), c.width);
    EXPECT_EQ(MDIButtonHeight(skin, mdi), c.height);
    EXPECT_TRUE(skin.IsValidImgIndex(mdi.Min.ImageIndex));
  }
  TkLoadedSkin none;
  TkMdiButtons mdi;
  EXPECT_EQ(MDIButtonWidth(none, mdi), 16) << "no mask: 16 x 16";
  EXPECT_EQ(MDIButtonHeight(none, mdi), 16);
  // Placed at the end of the last menu row: minimise, restore, close, a
  // pixel apart; no minimise without its mask.
  TkLoadedSkin skin = SkinWithMasks(true, false);
  TkCaptionLayout l;
  InitTitleButtons(skin, {true, true, true}, l, &mdi);
  TkFormFrameFacts f;
  f.Width = 400;
  f.Height = 300;
  f.Style = kWsCaption | kWsThickFrame;
  f.HasMainMenu = true;
  f.MenuRows = 2;
  PlaceMdiButtons(skin, f, mdi);
  const int right = CaptionWidth(f) - FrameWidthOf(f, true);
  EXPECT_EQ(mdi.Close.Rect.Right, right - 1);
  EXPECT_EQ(mdi.Max.Rect.Right, right - 14 - 2);
  EXPECT_EQ(mdi.Min.Rect.Left, right - 3 * 14 - 3);
  EXPECT_EQ(mdi.Close.Rect.Top,
            FrameHeightOf(f, true) + CaptionHeight(f, true) + (MenuHeight(f) - 12) / 2 + MenuHeight(f));
  EXPECT_EQ(mdi.Close.Rect.Height(), 12);
  mdi.Min.ImageIndex = -1;
  PlaceMdiButtons(skin, f, mdi);
  EXPECT_EQ(mdi.Min.Rect.Width(), 0);
}

TEST(TitleButtons, WidthOfTheButtonsAndTheirCount) {
  TkLoadedSkin skin = SkinWithMasks(false, false);
  TkCaptionLayout l;
  InitTitleButtons(skin, {}, l);
  TkCaptionLayoutInput in;
  SetTitleButtonSizes(skin, l, in);
  in.SystemButtons = true;
  EXPECT_EQ(TitleButtonsWidth(skin, in), 3 + 25 + 22 + 2 + 20 + 2);
  EXPECT_EQ(SysButtonCount(in), 3);
  in.HelpButton = true;
  EXPECT_EQ(SysButtonCount(in), 4);
  in.VisibleMax = in.HelpButton = false;
  EXPECT_EQ(TitleButtonsWidth(skin, in), 3 + 25 + 20 + 2);
  EXPECT_EQ(SysButtonCount(in), 2);
  in.BigButtons = false;
  EXPECT_EQ(TitleButtonsWidth(skin, in), 3 + 25 + 20);
  in.SystemButtons = false;
  EXPECT_EQ(TitleButtonsWidth(skin, in), 0);
  EXPECT_EQ(SysButtonCount(in), 0);
  // User buttons, shown or not, after a gap of 6; with or without the
  // standard ones.
  in.UserButtons = {{true, 21, true}, {false, 30, true}};
  EXPECT_EQ(TitleButtonsWidth(skin, in), 6 + 21 + 30);
  in.BigButtons = in.SystemButtons = true;
  EXPECT_EQ(TitleButtonsWidth(skin, in), 3 + 25 + 20 + 2 + 6 + 21 + 2 + 30 + 2);
}

TEST(TitleButtons, UserButtonWidthFromTheGlyphOrTheMask) {
  TkLoadedSkin skin = SkinWithMasks(false, false);
  TkLoadedSkin none;
  const int mask = skin.ConstData.MaskMinBtn;  // 20 wide
  struct Case {
    const char* what;
    const TkLoadedSkin* skin;
    int mask, glyph, width;
  } cases[] = {
      {"mask wider", &skin, mask, 10, 20},
      {"glyph wider", &skin, mask, 25, 27},
      {"no glyph", &skin, mask, 0, 20},
      {"no mask", &none, -1, 0, 21},
      {"no mask, wide glyph", &none, -1, 30, 32},
  };
  for (const Case& c : cases) EXPECT_EQ(UserButtonWidth(*c.skin, c.mask, c.glyph), c.width) << c.what;
}

}  // namespace
}  // namespace skin
