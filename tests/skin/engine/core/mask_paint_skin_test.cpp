// The border masks of the program's own skins painted in every state: each
// state selects its own frame, and the pixels stay as they were checked by
// eye (the sheet is written beside the build for looking at).
#include <gtest/gtest.h>

#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/mask_paint.h"
#include "tests/skin/engine/core/program_skins.h"

namespace skin {
namespace {

constexpr const char16_t* kSections[] = {u"BUTTON", u"EDIT", u"CHECKBOX", u"PANEL", u"GROUPBOX", u"TOOLBUTTON"};
constexpr int kCellW = 96, kCellH = 32, kStates = 4;

// One row per section, one column per state: the section's colour, then its
// border mask over a 88 x 24 rectangle.
TPixelBuffer PaintSheet(TkLoadedSkin& skin) {
  TPixelBuffer sheet(TPixelFormat::pf32bit, kCellW * kStates, kCellH * int(std::size(kSections)));
  const TPixelView32 v = View32(sheet);
  for (int row = 0; row < int(std::size(kSections)); ++row) {
    const int section = skin.GetSkinIndex(kSections[row]);
    for (int state = 0; state < kStates; ++state) {
      const fw::TRect cell = fw::Bounds(state * kCellW, row * kCellH, kCellW, kCellH);
      const fw::TRect r = fw::Rect(cell.Left + 4, cell.Top + 4, cell.Right - 4, cell.Bottom - 4);
      FillRectAlpha(v, cell, 0xF0F0F0, 255);
      if (section < 0) continue;
      const TkGeneralData& gd = skin.gd[section];
      FillRectAlpha(v, r, uint32_t(gd.Props[std::min(state, 1)].Color) & 0xFFFFFF, 255);
      if (!skin.IsValidImgIndex(gd.BorderIndex)) continue;
      const TkMaskData& mask = skin.ma[gd.BorderIndex];
      TCacheInfo ci;
      ci.Bmp = v;
      ci.Ready = true;
      DrawMaskRect(v, r, ci, mask, MaskSourceView(skin, mask), state, true);
    }
  }
  return sheet;
}

TEST(DrawMaskRect, ProgramSkinBordersInEveryState) {
  struct Case {
    const char* file;
    const char16_t* name;
    uint64_t golden;
  } cases[] = {
      {"topaz.ksz", u"Topaz (internal)", 9634480476893834267ull},
      {"sapphire.ksz", u"Sapphire (internal)", 3119719150721474533ull},
  };
  for (const Case& c : cases) {
    std::unique_ptr<TkLoadedSkin> skin = LoadProgramSkin(c.file, c.name);
    ASSERT_TRUE(skin) << "VL_SOURCE_DIR not set";
    TPixelBuffer sheet = PaintSheet(*skin);
    const TPixelView32 v = View32(sheet);
    // A button's states look different from each other.
    const int button = skin->GetSkinIndex(u"BUTTON");
    ASSERT_GE(button, 0);
    ASSERT_TRUE(skin->IsValidImgIndex(skin->gd[button].BorderIndex));
    const int frames = std::min<int>(skin->ma[skin->gd[button].BorderIndex].ImageCount, kStates);
    for (int a = 0; a < frames; ++a)
      for (int b = a + 1; b < frames; ++b)
        EXPECT_NE(PixelChecksum(SubView(v, fw::Bounds(a * kCellW, 0, kCellW, kCellH))),
                  PixelChecksum(SubView(v, fw::Bounds(b * kCellW, 0, kCellW, kCellH))))
            << c.file << " button states " << a << " and " << b;
    WriteSheet(sheet, std::string(c.file) + "_borders.png");
    EXPECT_EQ(PixelChecksum(v), c.golden) << c.file;
  }
}

}  // namespace
}  // namespace skin
