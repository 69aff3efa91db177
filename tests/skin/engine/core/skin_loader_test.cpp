#include "skin/engine/core/skin_loader.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <random>
#include <map>

#include "fw/codecs/jpeg.h"
#include "fw/core/colors.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/skin_images.h"

namespace skin {
namespace {

class FakeImages : public TSkinImages {
 public:
  std::map<fw::String, std::vector<uint8_t>> files;
  bool Read(const fw::String& name, std::vector<uint8_t>& bytes) override {
    auto it = files.find(name);
    if (it == files.end()) return false;
    bytes = it->second;
    return true;
  }
};

// A 64 x 32 master: grey, with a magenta pixel at (0, 0).
std::vector<uint8_t> Master(int w = 64, int h = 32) {
  TPixelBuffer b(TPixelFormat::pf32bit, w, h);
  TPixelView32 v = View32(b);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) v.Pixel(x, y) = MakePixel(100, 120, 140, 255);
  v.Pixel(0, 0) = clSkinKey;
  return EncodeBitmap24(b);
}

fw::TColor SystemColor(fw::TColor c) {
  if (c == fw::clBtnFace) return 0x111111;
  if (c == fw::clWindow) return 0x222222;
  if (c == fw::clWindowText) return 0x333333;
  if (c == fw::clHighlight) return 0x444444;
  if (c == fw::clHighlightText) return 0x555555;
  return c < 0 ? 0x666666 : c;
}

std::unique_ptr<TkLoadedSkin> Load(const char16_t* text, TSkinLoadOptions o = {}, FakeImages images = {}) {
  if (!o.ColorToRGB) o.ColorToRGB = SystemColor;
  return LoadSkin(u"Test", text, images, o);
}

const TkGeneralData& Section(const TkLoadedSkin& s, const char16_t* name) {
  int i = s.GetSkinIndex(name);
  EXPECT_GE(i, 0) << fw::StringToUtf8(name);
  return s.gd[i >= 0 ? i : 0];
}

TEST(SkinLoader, InheritedValuesFollowParentsAndStopAtCycles) {
  auto s = Load(
      u"[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n"
      u"[BASE]\r\nCOLOR=255\r\nGLOW=7\r\nGIVEOWNFONT=TRUE\r\nGRADIENTDATA=abc\r\nFONTCOLOR=-16777201\r\n"
      u"[CHILD]\r\nPARENTCLASS=BASE\r\n"
      u"[MINUS]\r\nPARENTCLASS=BASE\r\nCOLOR=-1\r\n"
      u"[OWN]\r\nPARENTCLASS=BASE\r\nCOLOR=12\r\nGIVEOWNFONT=true\r\n"
      u"[SELF]\r\nPARENTCLASS=SELF\r\n"
      u"[A]\r\nPARENTCLASS=B\r\n[B]\r\nPARENTCLASS=A\r\n"
      u"[CHAIN]\r\nPARENTCLASS=CHILD\r\n");
  struct Case {
    const char16_t* section;
    fw::TColor color;
    int glow;
    bool ownFont;
    fw::TColor font;
  } cases[] = {
      {u"BASE", 255, 7, true, -16777201},    // own values are not converted
      {u"CHILD", 255, 7, true, 0x111111},    // a parent's system colour is
      {u"MINUS", 255, 7, true, 0x111111},    // -1 counts as absent
      {u"OWN", 12, 7, false, 0x111111},      // "true" is not "TRUE"
      {u"SELF", 0xFFFFFF, 0, false, 0},
      {u"A", 0xFFFFFF, 0, false, 0},
      {u"CHAIN", 255, 7, true, 0x111111},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(fw::StringToUtf8(c.section));
    const TkGeneralData& g = Section(*s, c.section);
    EXPECT_EQ(g.Props[0].Color, c.color);
    EXPECT_EQ(g.GlowCount, c.glow);
    EXPECT_EQ(g.GiveOwnFont, c.ownFont);
    EXPECT_EQ(g.Props[0].FontColor.Color, c.font);
  }
  EXPECT_EQ(Section(*s, u"CHILD").ParentClass, u"BASE");
}

TEST(SkinLoader, DefaultsBoundsAndStates) {
  auto s = Load(
      u"[GLOBALINFO]\r\nTITLEHEIGHT=0\r\nALIGNOFFSET=6\r\nALIGNOFFSETT=2\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n"
      u"[BIG]\r\nGLOW=300\r\nGRADIENTPERCENT=150\r\nSTATES=999\r\nTRANSPARENCY=101\r\n"
      u"[PLAIN]\r\n"
      u"[ONE]\r\nSTATES=1\r\nCOLOR=5\r\nGRADIENTPERCENT=50\r\nGRADIENTDATA=1;2;100;0;0\r\nHOTCOLOR=9\r\n"
      u"[SHORT]\r\nGRADIENTPERCENT=50\r\nGRADIENTDATA=x\r\nHOTGRADIENTPERCENT=50\r\nHOTGRADIENTDATA=1;2;3\r\n"
      u"[ONESHORT]\r\nSTATES=1\r\nGRADIENTPERCENT=50\r\nGRADIENTDATA=1;2;3\r\n");
  const TkSkinData& d = s->CommonSkinData;
  EXPECT_EQ(d.ExTitleHeight, 30);
  EXPECT_EQ(d.ExMaxHeight, 30);
  EXPECT_EQ(d.ExBorderWidth, 4);
  EXPECT_EQ(d.ExShadowOffsR, 6);
  EXPECT_EQ(d.ExShadowOffsT, 2);
  EXPECT_EQ(d.ExContentOffs, 4);
  EXPECT_EQ(d.ComboBoxMargin, 2);
  EXPECT_EQ(d.Shadow1Blur, -1);
  EXPECT_EQ(d.BrightMin, -50);
  const TkGeneralData& big = Section(*s, u"BIG");
  EXPECT_EQ(big.GlowCount, 255);
  EXPECT_EQ(big.States, 255);
  EXPECT_EQ(big.Props[0].Transparency, 100);
  EXPECT_EQ(big.Props[0].GradientPercent, 0);  // no gradient text
  const TkGeneralData& plain = Section(*s, u"PLAIN");
  EXPECT_EQ(plain.States, 3);
  EXPECT_EQ(plain.OuterMode, 2);
  EXPECT_EQ(plain.OuterOpacity, 200);
  EXPECT_EQ(plain.Props[0].Color, 0xFFFFFF);
  EXPECT_EQ(plain.Props[0].FontColor.Left, -1);
  EXPECT_EQ(plain.Props[0].GradientData, u" ");
  const TkGeneralData& one = Section(*s, u"ONE");
  EXPECT_EQ(one.Props[1].Color, 5);  // hot copies normal, HOTCOLOR ignored
  EXPECT_EQ(one.Props[1].GradientPercent, 50);
  ASSERT_EQ(one.Props[1].GradientArray.size(), 1u);
  EXPECT_EQ(one.HotColor, 5);
  const TkGeneralData& shortOnes = Section(*s, u"SHORT");
  EXPECT_EQ(shortOnes.Props[0].GradientPercent, 0);
  EXPECT_EQ(shortOnes.Props[1].GradientPercent, 0);
  // Five characters suffice for the normal state but not for the hot copy.
  const TkGeneralData& oneShort = Section(*s, u"ONESHORT");
  EXPECT_EQ(oneShort.Props[0].GradientPercent, 50);
  EXPECT_EQ(oneShort.Props[1].GradientPercent, 0);
}

TEST(SkinLoader, VersionIsReadWithAPointAndNoticedOncePerLoad) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  struct Case {
    const char16_t* version;
    bool test;
    int old, unsupported;
  } cases[] = {{u"8.5", false, 0, 0}, {u"7.3", false, 0, 0}, {u"7.3", true, 1, 0},
               {u"10", false, 0, 1},  {u"7.45", true, 0, 0}, {u"9.99", false, 0, 0}};
  for (const Case& c : cases) {
    int old = 0, unsupported = 0;
    TSkinLoadOptions o;
    o.TestSwitch = c.test;
    o.OnVersionNotice = [&](TVersionNotice n, const fw::String& name) {
      EXPECT_EQ(name, u"Test");
      (n == TVersionNotice::OldVersion ? old : unsupported)++;
    };
    auto s = Load((u"[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\nVERSION=" + fw::String(c.version)).c_str(), o);
    SCOPED_TRACE(fw::StringToUtf8(c.version));
    EXPECT_EQ(old, c.old);
    EXPECT_EQ(unsupported, c.unsupported);
  }
  EXPECT_NE(VersionNoticeText(TVersionNotice::OldVersion, u"Old").find(u"old version of the \"Old\" skin. "),
            fw::String::npos);
  EXPECT_NE(VersionNoticeText(TVersionNotice::Unsupported, u"New")
                .find(u"\r\nComponents must be updated up to latest version for using this skin."),
            fw::String::npos);
  auto s = Load(u"[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\nVERSION=8.5");
  EXPECT_DOUBLE_EQ(s->CommonSkinData.Version, 8.5) << (comma ? "comma locale" : "C locale");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(SkinLoader, PaletteFromGlobalsEditSelectionAndMenu) {
  const char16_t* g = u"[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\nEDITTEXT_ALERT=255\r\n";
  struct Case {
    fw::String sections;
    fw::TColor editText, editBG, selBG, selText, selBGFocused, selTextFocused;
  } cases[] = {
      {u"", 0x333333, 0x222222, 0x444444, 0x555555, 0x444444, 0x555555},
      {u"[EDIT]\r\nCOLOR=10\r\nFONTCOLOR=11\r\n[SELECTION]\r\nSTATES=2\r\nCOLOR=1\r\nFONTCOLOR=2\r\nHOTCOLOR=3\r\n"
       u"HOTFONTCOLOR=4\r\n",
       11, 10, 1, 2, 3, 4},
      {u"[SELECTION]\r\nSTATES=1\r\nCOLOR=1\r\nFONTCOLOR=2\r\n", 0x333333, 0x222222, 1, 2, 1, 2},
      // A selection without a text colour takes the menu's hot state.
      {u"[SELECTION]\r\nSTATES=2\r\nCOLOR=1\r\nFONTCOLOR=16711935\r\n[MENUITEM]\r\nSTATES=2\r\nHOTCOLOR=7\r\n"
       u"HOTFONTCOLOR=8\r\n",
       0x333333, 0x222222, 7, 8, 7, 8},
      {u"[MENUITEM]\r\nSTATES=2\r\nHOTCOLOR=7\r\nHOTFONTCOLOR=16711935\r\n", 0x333333, 0x222222, 7,
       fw::clHighlightText, 7, fw::clHighlightText},
  };
  for (const Case& c : cases) {
    auto s = Load((g + c.sections).c_str());
    const TkPalette& p = s->Palette;
    SCOPED_TRACE(fw::StringToUtf8(c.sections));
    EXPECT_EQ(p[pcMainColor], 0x111111);
    EXPECT_EQ(p[pcWebText], 0xFF0000);
    EXPECT_EQ(p[pcEditText], c.editText);
    EXPECT_EQ(p[pcEditBG], c.editBG);
    EXPECT_EQ(p[pcSelectionBG], c.selBG);
    EXPECT_EQ(p[pcSelectionText], c.selText);
    EXPECT_EQ(p[pcSelectionBG_Focused], c.selBGFocused);
    EXPECT_EQ(p[pcSelectionText_Focused], c.selTextFocused);
    EXPECT_EQ(p[pcEditText_Inverted], c.editBG);
    EXPECT_EQ(p[pcEditBG_Inverted], c.editText);
    EXPECT_EQ(p[pcEditBG_EvenRow], static_cast<fw::TColor>(MixColors(c.editText, c.editBG, 0.05)));
    EXPECT_EQ(p[pcEditText_Alert], 255);
    // Caution and bypassed have their own keys, not the alert key.
    EXPECT_EQ(p[pcEditText_Caution], 0x8597D9);
    EXPECT_EQ(p[pcEditText_Bypassed], 0x4AB28F);
  }
}

TEST(SkinLoader, TransparentSectionIsAddedOnlyWhenMissing) {
  auto added = Load(u"[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\nFONTCOLOR=77\r\n");
  const TkGeneralData& t = Section(*added, u"TRANSPARENT");
  EXPECT_EQ(t.States, 1);
  EXPECT_EQ(t.Props[1].Transparency, 100);
  EXPECT_EQ(t.Props[0].FontColor.Color, 77);
  EXPECT_EQ(added->ConstData.Sections[ssTransparent], added->GetSkinIndex(u"TRANSPARENT"));
  auto own = Load(u"[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n[TRANSPARENT]\r\nTRANSPARENCY=40\r\n");
  EXPECT_EQ(Section(*own, u"TRANSPARENT").Props[0].Transparency, 40);
  EXPECT_EQ(own->gd.size(), 2u);
  // An empty description gives only the added section (and the two
  // generated outer-effect masks).
  TPixelBuffer blur(TPixelFormat::pf8bit, 19, 19);
  auto empty = Load(u"", TSkinLoadOptions{.Blur5 = &blur});
  ASSERT_EQ(empty->gd.size(), 1u);
  EXPECT_EQ(empty->gd[0].ClassName, u"TRANSPARENT");
  EXPECT_EQ(empty->ma.size(), 2u);
}

TEST(SkinLoader, CommonSectionsComeAfterTheSkinsAndTakeTheirParentsValues) {
  TSkinLoadOptions o;
  o.CommonSections =
      u"[EDIT]\r\nCOLOR=1\r\n"  // the skin has it: skipped
      u"[MYPANEL]\r\nPARENTCLASS=edit\r\nFONTCOLOR=0x10\r\n"
      u"[LONE]\r\nstates=1\r\nGIVEOWNFONT=true\r\n";  // keys of common sections ignore case
  auto s = Load(u"[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n[EDIT]\r\nCOLOR=500\r\nSTATES=2\r\n", o);
  EXPECT_EQ(Section(*s, u"EDIT").Props[0].Color, 500);
  const TkGeneralData& panel = Section(*s, u"MYPANEL");
  EXPECT_EQ(panel.ParentClass, u"EDIT");
  EXPECT_EQ(panel.Props[0].Color, 500);
  EXPECT_EQ(panel.Props[0].FontColor.Color, 16);
  EXPECT_EQ(panel.States, 2);
  const TkGeneralData& lone = Section(*s, u"LONE");
  EXPECT_EQ(lone.States, 1);
  EXPECT_TRUE(lone.GiveOwnFont);
  EXPECT_EQ(lone.Props[0].FontColor.Color, -1);
  EXPECT_EQ(lone.Props[1].Color, 0xFFFFFF);
}

TEST(SkinLoader, OuterEffectMasksFromBlur5OrTheDescription) {
  TPixelBuffer blur(TPixelFormat::pf8bit, 19, 19);
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 19; ++x) blur.ScanLine(y)[x] = static_cast<uint8_t>(x * 10);
  TSkinLoadOptions o;
  o.Blur5 = &blur;
  FakeImages images;
  images.files[u"MASTER.BMP"] = Master();
  auto s = Load(
      u"[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\nSH_COLORT=255\r\nSH_COLORB=65280\r\nSH_COLORL=16711680\r\n"
      u"SH_WIDTHL=4\r\nLO_SOURCE=1\r\nLO_MASK=x0001^0002^0010^0012^0001^0001^0001^0001^1^0^1^0\r\n",
      o, images);
  const TkcOutEffData& sh = s->oe[1];
  ASSERT_GE(sh.Mask, 0);
  const TkMaskData& m = s->ma[sh.Mask];
  EXPECT_EQ(sh.WidthL, 4);
  EXPECT_EQ(sh.WidthT, 9);
  EXPECT_EQ(m.R, (fw::TRect{0, 0, 19, 38}));
  EXPECT_EQ(m.MaskType, 1);
  EXPECT_EQ(m.BorderWidth, 9);
  ASSERT_TRUE(m.Bmp);
  TPixelView32 v = View32(*m.Bmp);
  EXPECT_EQ(v.Pixel(9, 0) & 0xFFFFFF, 0xFF0000u);   // top: red (colour 255)
  EXPECT_EQ(v.Pixel(9, 17) & 0xFFFFFF, 0x00FF00u);  // bottom: green
  EXPECT_EQ(v.Pixel(0, 9) & 0xFFFFFF, 0x0000FFu);   // left triangle: blue
  EXPECT_EQ(v.Pixel(5, 19 + 3) & 0xFF, 50u);        // the lower square is BLUR5
  const TkcOutEffData& lo = s->oe[0];
  ASSERT_GE(lo.Mask, 0);
  EXPECT_EQ(s->ma[lo.Mask].R, (fw::TRect{1, 2, 10, 12}));
  EXPECT_FALSE(s->ma[lo.Mask].Bmp);
  // Without BLUR5 a generated effect cannot be made.
  EXPECT_THROW(Load(u"[GLOBALINFO]\r\n"), ESkinError);
}

TEST(SkinLoader, MasksOfTheMasterAndOwnImages) {
  FakeImages images;
  images.files[u"MASTER.BMP"] = Master();
  TPixelBuffer own(TPixelFormat::pf32bit, 30, 12);
  images.files[u"OWN.PNG"] = EncodePngRGBA(own);
  images.files[u"OWN.BMP"] = EncodeBitmap24(own);
  auto s = Load(
      u"[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n"
      u"BOXCHECKED=@0000@0000@0039@0013@3@0\r\n"
      u"[BUTTON]\r\nBORDERSMASK=^0000^0000^0060^0020^0000^0000^0000^0000^3^0^1^0\r\nCOLOR=5\r\n"
      u"GLYPHMASK=!OWN.PNG!3!0!2\r\nPATTERN=~0000~0020~0010~0030~01~0\r\nMISSING=!GONE.PNG!1!0!0\r\n"
      u"OLD=own.bmp\r\n",
      {}, images);
  int border = s->GetMaskIndex(u"BUTTON", u"BORDERSMASK");
  ASSERT_GE(border, 0);
  EXPECT_EQ(s->ma[border].CornerType, 1);  // the magenta pixel at (0, 0)
  EXPECT_EQ(s->ma[border].WL, 6);
  EXPECT_EQ(s->ConstData.CheckBoxChecked, s->GetMaskIndex(u"GLOBALINFO", u"BOXCHECKED"));
  int glyph = s->GetMaskIndex(u"BUTTON", u"GLYPHMASK");
  ASSERT_GE(glyph, 0);
  EXPECT_EQ(s->ma[glyph].R, (fw::TRect{0, 0, 30, 12}));
  EXPECT_EQ(s->ma[glyph].WL, 3);
  EXPECT_EQ(s->gd[s->GetSkinIndex(u"BUTTON")].TextureNormal, s->GetMaskIndex(u"BUTTON", u"PATTERN"));
  EXPECT_EQ(s->GetMaskIndex(u"BUTTON", u"MISSING"), -1);
  int old = s->GetMaskIndex(u"BUTTON", u"OLD");
  ASSERT_GE(old, 0);
  EXPECT_EQ(s->ma[old].ImageCount, 3);
  EXPECT_EQ(s->ma[old].WL, 30 / 9);
  EXPECT_EQ(s->MasterBitmap.Width(), 64);
  EXPECT_EQ(View32(s->MasterBitmap).Pixel(0, 0), clSkinKey);  // alpha 0 on the key
  EXPECT_EQ(View32(s->MasterBitmap).Pixel(1, 0) >> 24, 255u);
}

TEST(SkinLoader, JpegTexturesBelow900000PixelsBecomeMasks) {
  FakeImages images;
  for (auto [name, h] : {std::pair{u"SMALL.JPG", 899}, std::pair{u"LARGE.JPG", 900}}) {
    fw::codecs::JpegImage img;
    img.Width = 1000;
    img.Height = h;
    img.Pixels.assign(size_t(3) * 1000 * h, 128);
    images.files[name] = fw::codecs::EncodeJpeg(img, 50, false);
  }
  auto s = Load(u"[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n[PANEL]\r\nPATTERN=small.jpg\r\nHOTPATTERN=LARGE.JPG\r\n",
                {}, images);
  int texture = s->GetTextureIndex(s->GetSkinIndex(u"PANEL"), u"PANEL", u"PATTERN");
  ASSERT_GE(texture, 0);
  EXPECT_EQ(s->ma[texture].R, (fw::TRect{0, 0, 1000, 899}));
  ASSERT_EQ(s->pa.size(), 1u);
  EXPECT_EQ(s->pa[0].PropertyName, u"HOTPATTERN");
  EXPECT_EQ(s->pa[0].Height, 900);
  EXPECT_EQ(s->GetPatternIndex(s->GetSkinIndex(u"PANEL"), u"PANEL", u"HOTPATTERN"), 0);
}

TEST(SkinLoader, DamagedSkinsAreRefusedNamingSkinAndFault) {
  FakeImages images;
  images.files[u"MASTER.BMP"] = Master();
  images.files[u"BAD.PNG"] = {1, 2, 3};
  const fw::String head = u"[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n[X]\r\n";
  struct Case {
    const char16_t* body;
    const char* message;
  } cases[] = {
      {u"BORDERSMASK=^0000^0000^0065^0020^0000^0000^0000^0000^1^0^1^0", "lies outside MASTER.BMP"},
      {u"GLYPHMASK=@0060@0000@0050@0010@1@0", "lies outside"},
      {u"GLYPHMASK=@-001@0000@0050@0010@1@0", "lies outside"},
      {u"GLYPHMASK=@00a0@0000@0050@0010@1@0", "[X] GLYPHMASK"},
      {u"GLYPHMASK=!BAD.PNG!1!0!0", "BAD.PNG cannot be read"},
      {u"GRADIENTDATA=1;x;3;4;5", "bad gradient"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(fw::StringToUtf8(c.body));
    try {
      Load((head + c.body).c_str(), {}, images);
      ADD_FAILURE() << "loaded";
    } catch (const ESkinError& e) {
      std::string m = e.what();
      EXPECT_NE(m.find("Skin \"Test\""), std::string::npos) << m;
      EXPECT_NE(m.find(c.message), std::string::npos) << m;
    }
  }
  FakeImages broken;
  broken.files[u"MASTER.BMP"] = {'B', 'M', 0, 0};
  EXPECT_THROW(Load(head.c_str(), {}, broken), ESkinError);
  try {
    Load((head + u"GLYPHMASK=@0000@0000@0010@0010@1@0").c_str(), {}, FakeImages());
    ADD_FAILURE() << "loaded without its master image";
  } catch (const ESkinError& e) {
    EXPECT_NE(std::string(e.what()).find("outside MASTER.BMP (the skin has no such image)"), std::string::npos)
        << e.what();
  }
}

TEST(SkinLoader, PackedSkinsWithoutDescriptionOrDataAreRefused) {
  std::vector<uint8_t> noOptions = WritePackedSkin({{u"MASTER.BMP", Master()}});
  try {
    LoadPackedSkin(u"Old", noOptions, {});
    ADD_FAILURE();
  } catch (const ESkinError& e) {
    EXPECT_STREQ(e.what(), "\"Old\" skin have internal format error. Please update this skin to latest version.");
  }
  EXPECT_THROW(LoadPackedSkin(u"Empty", {}, {}), ESkinError);
  std::vector<uint8_t> junk = {'K', 'S', 'z', 'f', 9, 0, 0, 0};
  try {
    LoadPackedSkin(u"Junk", junk, {});
    ADD_FAILURE();
  } catch (const ESkinError& e) {
    EXPECT_NE(std::string(e.what()).find("Skin \"Junk\": The packed skin is damaged"), std::string::npos) << e.what();
  }
  std::string text = "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n";
  std::vector<uint8_t> good =
      WritePackedSkin({{u"Options.dat", std::vector<uint8_t>(text.begin(), text.end())}, {u"master.bmp", Master()}});
  auto s = LoadPackedSkin(u"Good", good, {});
  EXPECT_EQ(s->MasterBitmap.Width(), 64);  // "master.bmp" answers "MASTER.BMP"
  EXPECT_TRUE(s->CommonSkinData.Active);
}

TEST(SkinLoader, ShadowTemplatesFromExBorderOrTheDefaults) {
  TPixelBuffer active(TPixelFormat::pf32bit, 33, 33), inactive(TPixelFormat::pf32bit, 33, 33);
  View32(active).Pixel(0, 0) = 0xFF010203;
  auto plain = Load(u"[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\nVERSION=8\r\n");
  EXPECT_EQ(CheckShadows(*plain, false, &active, &inactive).FormShadowSize, fw::TRect{});
  TShadowTemplates t = CheckShadows(*plain, true, &active, &inactive);
  EXPECT_EQ(t.FormShadowSize, (fw::TRect{9, 9, 9, 9}));
  EXPECT_EQ(View32(t.Active).Pixel(0, 0), 0xFF010203u);

  FakeImages images;
  TPixelBuffer ex(TPixelFormat::pf32bit, 40, 20);
  View32(ex).Pixel(25, 1) = 0xFF0A0B0C;
  images.files[u"EX.PNG"] = EncodePngRGBA(ex);
  struct Case {
    const char16_t* extra;
    fw::TRect size;
    bool secondFrame;
  } cases[] = {{u"EXBORDER=!EX.PNG!2!0!3!0008!0009!0010!0011\r\nFORMOFFSET=3", {5, 6, 7, 8}, true},
               {u"EXBORDER=!EX.PNG!1!0!3!0008!0009!0010!0011\r\nFORMOFFSET=3", {5, 6, 7, 8}, false},
               {u"EXBORDER=!EX.PNG!2!0!3!0008!0009!0010!0011\r\nFORMOFFSET=3\r\nBORDERMODE=1", {3, 3, 3, 3}, true}};
  for (const Case& c : cases) {
    auto s = Load((u"[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\nVERSION=8\r\n" + fw::String(c.extra)).c_str(), {},
                  images);
    TShadowTemplates e = CheckShadows(*s, true, &active, &inactive);
    EXPECT_EQ(e.FormShadowSize, c.size);
    EXPECT_EQ(e.Inactive.Width(), c.secondFrame ? 20 : 40);
    // Own PNG images of skins above version 7.45 are premultiplied.
    if (c.secondFrame) {
      EXPECT_EQ(View32(e.Active).Pixel(5, 1), 0xFF090A0Bu);
    }
  }
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(SkinChoice, PreviewFolderStoredSkinOrTheFirstStoredOne) {
  namespace fs = std::filesystem;
  fs::path root = fs::temp_directory_path() / ("skin_choice_test_" + std::to_string(std::random_device()()));
  fs::create_directories(root / "Folder");
  const char* folderText = "[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n[FOLDERSKIN]\r\n";
  std::ofstream(root / "Folder" / "Options.dat", std::ios::binary) << folderText;
  auto pack = [](const char* section) {
    std::string text = std::string("[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n[") + section + "]\r\n";
    return WritePackedSkin({{u"Options.dat", std::vector<uint8_t>(text.begin(), text.end())}});
  };
  const std::vector<uint8_t> topaz = pack("TOPAZ"), sapphire = pack("SAPPHIRE"), empty;
  const std::vector<TStoredSkinRef> stored = {{u"Topaz (internal)", &topaz}, {u"Sapphire (internal)", &sapphire}};
  const fw::String dir = root.u16string();
  const fw::String preview = u"[GLOBALINFO]\r\nSH_SOURCE=0\r\nLO_SOURCE=0\r\n[PREVIEW]\r\n";
  struct Case {
    const char16_t* name;
    const fw::String* preview;
    const char16_t* section;
    const char16_t* finalName;
    bool packed;
  } cases[] = {
      {u"Folder", nullptr, u"FOLDERSKIN", u"Folder", false},
      {u"Sapphire (internal)", nullptr, u"SAPPHIRE", u"Sapphire (internal)", true},
      {u"sapphire (internal)", nullptr, u"TOPAZ", u"Topaz (internal)", true},
      {u"Unknown", nullptr, u"TOPAZ", u"Topaz (internal)", true},
      {u"Sapphire (internal)", &preview, u"PREVIEW", u"Sapphire (internal)", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(fw::StringToUtf8(c.name));
    TChosenSkin chosen = ReloadSkin(c.name, dir, stored, c.preview, {});
    ASSERT_TRUE(chosen.Skin);
    EXPECT_GE(chosen.Skin->GetSkinIndex(c.section), 0);
    EXPECT_EQ(chosen.Name, c.finalName);
    EXPECT_EQ(chosen.Packed, c.packed);
  }
  EXPECT_FALSE(ReloadSkin(u"Unknown", dir, {}, nullptr, {}).Skin);
  EXPECT_THROW(ReloadSkin(u"Empty", dir, {{u"Empty", &empty}}, nullptr, {}), ESkinError);

  const std::vector<uint8_t> packedFile = pack("PACKEDFILE");
  std::ofstream(root / "Packed.ksz", std::ios::binary)
      .write(reinterpret_cast<const char*>(packedFile.data()), static_cast<std::streamsize>(packedFile.size()));
  EXPECT_GE(ReloadPackedSkin(u"Packed", dir, {})->GetSkinIndex(u"PACKEDFILE"), 0);
  EXPECT_THROW(ReloadPackedSkin(u"Missing", dir, {}), ESkinError);
  std::ofstream(root / "Broken.ksz", std::ios::binary) << "KSzf\x05";
  try {
    ReloadPackedSkin(u"Broken", dir, {});
    ADD_FAILURE();
  } catch (const ESkinError& e) {
    EXPECT_NE(std::string(e.what()).find("Skin \"Broken\": The packed skin is damaged"), std::string::npos) << e.what();
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace skin
