#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "skin/engine/core/packed_skin.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/skin_images.h"
#include "skin/engine/core/skin_loader.h"
#include "skin/tools/skin_art.h"

namespace skinart {
namespace {

std::vector<uint8_t> SourceFile(const std::string& relative) {
  const char* top = std::getenv("VL_SOURCE_DIR");
  std::filesystem::path p = std::filesystem::path(top ? top : "../..") / relative;
  std::ifstream in(p, std::ios::binary);
  EXPECT_TRUE(in.good()) << p;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The files in resources/skins are what the drawing gives now (compared by
// content, so that another zlib's compressed bytes do not matter). After a
// change to skin_art.cpp: build/host/skin/tools/make_program_skins .
TEST(ProgramSkins, CheckedInFilesMatchAFreshDrawing) {
  for (const TGeneratedFile& f : MakeGeneratedFiles()) {
    SCOPED_TRACE(f.Name);
    std::vector<uint8_t> stored = SourceFile("resources/skins/" + f.Name);
    std::string ext = std::filesystem::path(f.Name).extension().string();
    if (ext == ".ksz") {
      skin::TkcSkinConvertor a = skin::ReadPackedEntries(stored.data(), stored.size());
      skin::TkcSkinConvertor b = skin::ReadPackedEntries(f.Bytes.data(), f.Bytes.size());
      EXPECT_EQ(a.Options, b.Options);
      ASSERT_EQ(a.Files.size(), b.Files.size());
      for (size_t i = 0; i < a.Files.size(); ++i) {
        EXPECT_EQ(a.Files[i].FileName, b.Files[i].FileName);
        EXPECT_TRUE(a.Files[i].Data == b.Files[i].Data);
      }
    } else if (ext == ".png") {
      EXPECT_EQ(skin::DecodeSkinPng(stored).Bits(), skin::DecodeSkinPng(f.Bytes).Bits());
    } else {
      EXPECT_TRUE(stored == f.Bytes);
    }
  }
}

struct Required {
  const char16_t* section;
  const char16_t* mask;  // null: the section alone
  int imageCount;
};

// What the program's windows, dialogs, menus and controls look up.
const Required kRequired[] = {
    {u"GLOBALINFO", u"BICONCLOSE", 3},    {u"GLOBALINFO", u"BICONMAX", 3},      {u"GLOBALINFO", u"BICONNORM", 3},
    {u"GLOBALINFO", u"BICONMIN", 3},      {u"GLOBALINFO", u"BICONHELP", 3},     {u"GLOBALINFO", u"BICLOSEALONE", 3},
    {u"GLOBALINFO", u"SICONCLOSE", 3},    {u"GLOBALINFO", u"SICONMAX", 3},      {u"GLOBALINFO", u"SICONNORM", 3},
    {u"GLOBALINFO", u"SICONMIN", 3},      {u"GLOBALINFO", u"SICONHELP", 3},     {u"GLOBALINFO", u"BOXCHECKED", 3},
    {u"GLOBALINFO", u"BOXUNCHECKED", 3},  {u"GLOBALINFO", u"BOXGRAYED", 3},     {u"GLOBALINFO", u"RADIOCHECKED", 3},
    {u"GLOBALINFO", u"RADIOUNCHECKED", 3}, {u"GLOBALINFO", u"RADIOGRAYED", 3},  {u"GLOBALINFO", u"GRIPIMAGE", 1},
    {u"FORM", u"BORDERSMASK", 2},         {u"FORMTITLE", u"BORDERSMASK", 2},    {u"DIALOG", u"BORDERSMASK", 2},
    {u"MAINMENU", u"BORDERSMASK", 1},     {u"MENUITEM", u"BORDERSMASK", 2},     {u"MENULINE", nullptr, 0},
    {u"ICOLINE", nullptr, 0},             {u"DIVIDERV", u"BORDERSMASK", 1},     {u"SELECTION", nullptr, 0},
    {u"EDIT", u"BORDERSMASK", 2},         {u"BUTTON", u"BORDERSMASK", 4},       {u"COLHEADER", u"BORDERSMASK", 3},
    {u"STATUSBAR", nullptr, 0},           {u"DIVIDER", u"BORDERSMASK", 1},      {u"GAUGE", u"BORDERSMASK", 1},
    {u"PROGRESSH", u"BORDERSMASK", 1},    {u"PROGRESSV", u"BORDERSMASK", 1},    {u"SCROLLBAR1H", u"BORDERSMASK", 3},
    {u"SCROLLBAR2H", u"BORDERSMASK", 3},  {u"SCROLLBAR1V", u"BORDERSMASK", 3},  {u"SCROLLBAR2V", u"BORDERSMASK", 3},
    {u"SCROLLBTNLEFT", u"BORDERSMASK", 3}, {u"SCROLLBTNRIGHT", u"BORDERSMASK", 3},
    {u"SCROLLBTNTOP", u"BORDERSMASK", 3}, {u"SCROLLBTNBOTTOM", u"BORDERSMASK", 3},
    {u"SCROLLBTNLEFT", u"GLYPHMASK", 3},  {u"SCROLLBTNRIGHT", u"GLYPHMASK", 3}, {u"SCROLLBTNTOP", u"GLYPHMASK", 3},
    {u"SCROLLBTNBOTTOM", u"GLYPHMASK", 3}, {u"SCROLLSLIDERH", u"BORDERSMASK", 3},
    {u"SCROLLSLIDERV", u"BORDERSMASK", 3}, {u"COMBOBOX", u"BORDERSMASK", 2},    {u"COMBOBOX", u"GLYPHMASK", 3},
    {u"COMBOBTN", u"BORDERSMASK", 3},     {u"CHECKBOX", nullptr, 0},            {u"GROUPBOX", u"BORDERSMASK", 1},
    {u"TOOLBAR", nullptr, 0},             {u"TOOLBUTTON", u"BORDERSMASK", 3},   {u"SPEEDBUTTON_SMALL", u"BORDERSMASK", 3},
    {u"TRANSPARENT", nullptr, 0},
};

TEST(ProgramSkins, EverySectionAndElementTheProgramUsesResolves) {
  std::vector<std::unique_ptr<skin::TkLoadedSkin>> loaded;
  for (const TProgramSkin& s : MakeProgramSkins()) {
    SCOPED_TRACE(s.Name);
    for (int saturation : {0, -58}) {
      skin::TSkinLoadOptions o;
      o.Saturation = saturation;
      std::unique_ptr<skin::TkLoadedSkin> k = skin::LoadPackedSkin(fw::AnsiToString(s.Name), s.Packed, o);
      for (const Required& r : kRequired) {
        SCOPED_TRACE(fw::StringToUtf8(r.section) + "/" + (r.mask ? fw::StringToUtf8(r.mask) : ""));
        int i = k->GetSkinIndex(r.section);
        ASSERT_GE(i, 0);
        if (!r.mask) continue;
        int m = k->GetMaskIndex(i, r.section, r.mask);
        ASSERT_GE(m, 0);
        EXPECT_EQ(k->ma[m].ImageCount, r.imageCount);
        const fw::TRect& rect = k->ma[m].R;
        EXPECT_TRUE(rect.Left >= 0 && rect.Top >= 0 && rect.Right <= k->MasterBitmap.Width() &&
                    rect.Bottom <= k->MasterBitmap.Height() && rect.Right > rect.Left && rect.Bottom > rect.Top);
      }
      const skin::TConstantSkinData& c = k->ConstData;
      EXPECT_GE(c.ComboBtn.GlyphIndex, 0);
      EXPECT_GE(c.Sliders[0].MaskIndex, 0);
      EXPECT_GE(c.Sliders[1].MaskIndex, 0);
      for (int side = 0; side < 4; ++side) {
        EXPECT_GE(c.ScrollBtns[side].GlyphIndex, 0);
        EXPECT_GE(c.Scrolls[side].MaskIndex, 0);
      }
      EXPECT_GE(c.MaskCloseSmall, 0);
      EXPECT_GE(c.Sections[skin::ssMenuItem], 0);
      EXPECT_GE(c.Sections[skin::ssToolButton], 0);
      EXPECT_GE(k->Palette[skin::pcSelectionBG_Focused], 0);
    }
    loaded.push_back(skin::LoadPackedSkin(fw::AnsiToString(s.Name), s.Packed, {}));
  }
  // One template, two palettes: the same sections and elements in the same places.
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[0]->GetSkinSections(), loaded[1]->GetSkinSections());
  ASSERT_EQ(loaded[0]->ma.size(), loaded[1]->ma.size());
  for (size_t i = 0; i < loaded[0]->ma.size(); ++i) {
    EXPECT_EQ(loaded[0]->ma[i].PropertyName, loaded[1]->ma[i].PropertyName);
    EXPECT_EQ(loaded[0]->ma[i].R, loaded[1]->ma[i].R);
  }
  EXPECT_NE(loaded[0]->MasterBitmap.Bits(), loaded[1]->MasterBitmap.Bits());
}

TEST(ProgramSkins, OrderNamesAndEngineImages) {
  std::vector<TProgramSkin> skins = MakeProgramSkins();
  ASSERT_EQ(skins.size(), 2u);
  EXPECT_EQ(skins[0].Name, "Topaz (internal)");
  EXPECT_EQ(skins[1].Name, "Sapphire (internal)");
  for (const TProgramSkin& s : skins) {
    EXPECT_LT(s.Options.size(), 30000u);  // fits a preview record too
    EXPECT_EQ(s.Options.find('#'), std::string::npos);
  }
  skin::TPixelBuffer blur = MakeBlur5();
  EXPECT_EQ(blur.Width(), 19);
  EXPECT_EQ(blur.PixelFormat(), skin::TPixelFormat::pf8bit);
  EXPECT_EQ(blur.ScanLine(9)[9], 255);
  EXPECT_LT(blur.ScanLine(0)[9], 10);
  for (bool active : {true, false}) {
    skin::TPixelBuffer shadow = MakeShadowTemplate(active);
    EXPECT_EQ(shadow.Width(), 33);
    EXPECT_EQ(shadow.ScanLine(0)[3], 0);  // the corners fade out
    EXPECT_GT(shadow.ScanLine(16)[4 * 16 + 3], 40);
  }
  // The gauge's light: white, dark at both ends, brightest in the middle
  // column at the top and bottom rows.
  skin::TPixelBuffer light = MakeGaugeLight();
  ASSERT_EQ(light.Width(), 60);
  ASSERT_EQ(light.Height(), 20);
  auto alpha = [&](int x, int y) { return int(light.ScanLine(y)[4 * x + 3]); };
  EXPECT_EQ(light.ScanLine(5)[4 * 30], 255);
  EXPECT_LT(alpha(0, 0), 5);
  EXPECT_LT(alpha(59, 19), 5);
  EXPECT_LE(alpha(30, 0), 134);
  EXPECT_GT(alpha(30, 0), 120);
  EXPECT_LT(alpha(30, 10), alpha(30, 0)) << "weaker in the middle rows";
}

}  // namespace
}  // namespace skinart
