// The program's skins painted onto device contexts: sections as the pixel
// painters paint them, sections found by name, and a sheet of captions with
// their glow and glyphs for looking at.
#include "skin/engine/section_dc.h"

#include <gtest/gtest.h>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/skin_resources.h"
#include "skin/engine/text_out.h"
#include "tests/skin/engine/core/program_skins.h"

namespace skin {
namespace {

constexpr uint32_t kBack = 0xFFE0E0E0;
const char16_t* const kSections[] = {u"BUTTON", u"EDIT", u"FORM", u"TOOLBUTTON", u"GROUPBOX"};

std::unique_ptr<TkLoadedSkin> StoredSkin(int index) {
  std::vector<TStoredSkinData> stored = LoadInternalSkins();
  TSkinLoadOptions o = SystemSkinLoadOptions();
  o.Saturation = -58;
  return LoadPackedSkin(stored.at(size_t(index)).Name, stored.at(size_t(index)).Data, o);
}

std::unique_ptr<fw::TBitmap> Filled(int w, int h, uint32_t pixel) {
  auto b = NewBitmap32(w, h);
  const TPixelView32 v = View32(*b);
  for (int y = 0; y < h; ++y) std::fill_n(v.Row(y), w, pixel);
  return b;
}

TEST(PaintSectionToDC, PaintsWhatThePixelPainterPaints) {
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = StoredSkin(s);
    for (const char16_t* name : kSections)
      for (int state = 0; state < 4; ++state) {
        const int index = skin->GetSkinIndex(name);
        ASSERT_GE(index, 0);
        auto dc = Filled(60, 30, kBack);
        TCacheInfo ci;
        ci.FillColor = 0xE0E0E0;
        const fw::TRect r = fw::Rect(5, 3, 55, 27);
        PaintSectionToDC(dc->Canvas()->Handle(), *skin, index, name, ci, state, r, {});
        GdiFlush();
        TPixelBuffer want(TPixelFormat::pf32bit, r.Width(), r.Height());
        TSectionPaint p;
        p.SkinIndex = index;
        p.SectionName = name;
        p.CI = ci;
        p.State = state;
        p.R = fw::Rect(0, 0, r.Width(), r.Height());
        PaintSectionRect(View32(want), *skin, p);
        const TPixelView32 v = View32(*dc);
        EXPECT_EQ(PixelChecksum(SubView(v, r)), PixelChecksum(View32(want))) << s << " state " << state;
        EXPECT_EQ(v.Pixel(4, 3), kBack) << "outside r";
        EXPECT_EQ(v.Pixel(55, 26), kBack);
      }
    auto dc = Filled(10, 10, kBack);
    PaintSectionToDC(dc->Canvas()->Handle(), *skin, skin->GetSkinIndex(u"BUTTON"), u"BUTTON", {}, 0,
                     fw::Rect(-1, 0, 5, 5), {});
    GdiFlush();
    EXPECT_EQ(View32(*dc).Pixel(0, 0), kBack) << "an r left of the DC's origin paints nothing";
  }
}

TEST(PaintSectionByName, NameFallbackAndTheDCsBackground) {
  std::unique_ptr<TkLoadedSkin> skin = StoredSkin(1);
  auto b = Filled(40, 20, 0xFF000000);
  EXPECT_EQ(PaintSectionByName(*b, u"NO SUCH", u"NOR THIS", 0, *skin, {}, 0, nullptr), -1);
  EXPECT_EQ(View32(*b).Pixel(20, 10), 0xFF000000u) << "nothing painted";
  EXPECT_EQ(PaintSectionByName(*b, u"NO SUCH", u"EDIT", 0, *skin, {}, 0xFFFFFF, nullptr),
            skin->GetSkinIndex(u"EDIT"));
  EXPECT_NE(View32(*b).Pixel(20, 10), 0xFF000000u);
  // A see-through section over a DC shows what the DC shows there.
  const int index = skin->GetSkinIndex(u"BUTTON");
  ASSERT_GE(index, 0);
  TkGenState& normal = skin->gd[index].Props[0];
  normal.Transparency = 100;
  skin->gd[index].BorderIndex = -1;
  auto dc = Filled(60, 40, 0xFF00FF00);
  View32(*dc).Pixel(15, 12) = 0xFF0000FF;
  auto item = Filled(20, 10, 0);
  PaintSectionByName(*item, u"BUTTON", u"", 0, *skin, fw::Rect(10, 10, 30, 20), 0xFFFFFF, dc->Canvas()->Handle());
  EXPECT_EQ(View32(*item).Pixel(5, 2) & 0xFFFFFF, 0x0000FFu) << "the DC's pixel at source + (5, 2)";
  EXPECT_EQ(View32(*item).Pixel(6, 2) & 0xFFFFFF, 0x00FF00u);
}

// Buttons in states 0-3 with their captions (glow where the state has one),
// disabled, with a glow of 1-4 pixels, and the check box glyphs: for
// looking at.
TEST(SkinSheets, CaptionsAndGlyphsOfTheProgramSkins) {
  const char* files[] = {"topaz", "sapphire"};
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = StoredSkin(s);
    constexpr int kW = 100, kH = 34;
    auto sheet = Filled(kW * 4, kH * 4, kBack);
    fw::TCanvas& canvas = *sheet->Canvas();
    canvas.Font()->SetName(u"Tahoma");
    canvas.Font()->SetHeight(-12);
    const HDC dc = canvas.Handle();
    const int button = skin->GetSkinIndex(u"BUTTON");
    ASSERT_GE(button, 0);
    for (int row = 0; row < 3; ++row)
      for (int state = 0; state < 4; ++state) {
        const fw::TRect r = fw::Bounds(state * kW + 6, row * kH + 4, kW - 12, kH - 8);
        TCacheInfo ci;
        ci.FillColor = 0xE0E0E0;
        PaintSectionToDC(dc, *skin, button, u"BUTTON", ci, state, r, {});
        GdiFlush();
        const bool enabled = row != 1;
        const TkGenState& st = skin->gd[button].Props[std::min(state, 1)];
        const int glow = row == 2 ? state + 1 : st.GlowSize;
        if (enabled && glow > 0) {
          std::unique_ptr<fw::TBitmap> mask;
          canvas.Font()->SetStyle(row == 2 ? fw::TFontStyles{fw::fsBold} : fw::TFontStyles{});
          DrawTextGlow(*sheet, u"Glyph 12", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, gcAll, glow,
                       row == 2 ? 0x00C0FF : st.GlowColor, mask);
        }
        DrawSectionText(canvas, u"Glyph 12", enabled, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, button, state,
                        skin.get());
      }
    GdiFlush();
    const TPixelView32 v = View32(*sheet);
    const int boxes[] = {skin->ConstData.CheckBoxChecked, skin->ConstData.CheckBoxUnChecked,
                         skin->ConstData.RadioButtonChecked, skin->ConstData.RadioButtonUnChecked};
    for (int i = 0; i < 4; ++i) {
      if (!skin->IsValidImgIndex(boxes[i])) continue;
      const TkMaskData& m = skin->ma[boxes[i]];
      for (int state = 0; state < 4; ++state) {
        TCacheInfo self;
        self.Bmp = v;
        self.Ready = true;
        DrawMaskGlyph(v, {state * kW + 10 + i * 20, 3 * kH + 8}, state, state == 3 ? gmFaded : gmNormal, m, self,
                      MaskSourceView(*skin, m));
      }
    }
    TPixelBuffer out(TPixelFormat::pf32bit, v.Width, v.Height);
    const TPixelView32 o = View32(out);
    for (int y = 0; y < v.Height; ++y)
      for (int x = 0; x < v.Width; ++x) o.Pixel(x, y) = v.Pixel(x, y) | 0xFF000000u;
    WriteSheet(out, std::string(files[s]) + "_captions.png");
    EXPECT_NE(PixelChecksum(SubView(v, fw::Bounds(0, 0, kW, kH))), PixelChecksum(SubView(v, fw::Bounds(kW, 0, kW, kH))))
        << "normal and hot differ";
  }
}

}  // namespace
}  // namespace skin
