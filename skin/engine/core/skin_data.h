// A loaded skin as one object: its sections (gd), image elements (ma), large
// textures (pa), outer effects (oe), palette, global values, the indexes of
// often used elements and the master image, with the lookups every painter
// goes through. A loader builds a whole TkLoadedSkin and the manager swaps it
// in only when the load succeeded, so indexes never point into a half-loaded
// skin.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "fw/core/exceptions.h"
#include "fw/core/types.h"
#include "skin/engine/core/gradient.h"
#include "skin/engine/core/pixel_buffer.h"

namespace skin {

// A skin that cannot be loaded; the message names the skin and the fault.
class ESkinError : public fw::Exception {
 public:
  using Exception::Exception;
};

struct TkFontColor {
  fw::TColor Color = 0;
  fw::TColor Left = -1, Top = -1, Right = -1, Bottom = -1;
};

struct TkGenState {
  fw::TColor Color = 0xFFFFFF;
  TkFontColor FontColor;
  int GradientPercent = 0;
  fw::String GradientData;
  TkGradArray GradientArray;
  int ImagePercent = 0;
  int TextureIndex = -1;
  fw::TColor GlowColor = 0xFFFFFF;
  int GlowSize = 0;
  int Transparency = 0;
};

struct TkGeneralData {
  fw::String ParentClass;
  fw::String ClassName;
  int States = 3;
  std::array<TkGenState, 2> Props;
  bool GiveOwnFont = false, ReservedBoolean = false;
  int GlowCount = 0, GlowMargin = 0;
  int BorderIndex = -1;
  int ImgTL = -1, ImgTR = -1, ImgBL = -1, ImgBR = -1;
  int TextureNormal = -1;
  // Flat copies of the two states as read, before the colour adjustment.
  fw::TColor Color = 0xFFFFFF, HotColor = 0xFFFFFF;
  int Transparency = 0, HotTransparency = 0;
  int GradientPercent = 0, HotGradientPercent = 0;
  fw::String GradientData, HotGradientData;
  TkGradArray GradientArray, HotGradientArray;
  int ImagePercent = 0, HotImagePercent = 0;
  TkFontColor FontColor, HotFontColor;
  bool FadingEnabled = false;
  int FadingIterations = 0;
  fw::TColor GlowColor = 0xFFFFFF, HotGlowColor = 0xFFFFFF;
  int GlowSize = 0, HotGlowSize = 0;
  int OuterMode = 2;
  fw::TRect OuterOffset;
  int OuterMask = -1;
  int OuterOpacity = 200;
};

enum class TkcImgType { itisaBorder = 0, itisaTexture = 1, itisaGlyph = 2, itisaGlow = 3, itisaPngGlyph = 4 };

// DrawMode bits.
constexpr int dmStretch = 1, dmHotOnly = 2, dmPaintCenter = 4;

struct TkMaskData {
  // The element's own 32-bit image; null when it is a rectangle of the master.
  std::shared_ptr<TPixelBuffer> Bmp;
  fw::String ClassName;
  fw::String PropertyName;
  fw::TRect R;
  int16_t ImageCount = 0;
  int16_t MaskType = 0;
  int16_t BorderWidth = 0;
  int16_t DrawMode = 0;
  TkcImgType ImgType = TkcImgType::itisaBorder;
  int16_t WL = 0, WT = 0, WR = 0, WB = 0;
  int CornerType = 0;
};

// A large texture kept as its JPEG file, decoded when painted.
struct TkPatternData {
  std::vector<uint8_t> Jpeg;
  int Width = 0, Height = 0;
  fw::String ClassName;
  fw::String PropertyName;
};

struct TkcOutEffData {
  fw::TColor ColorL = 0, ColorT = 0, ColorR = 0, ColorB = 0;
  int OffsetL = 0, OffsetT = 0, OffsetR = 0, OffsetB = 0;
  int WidthL = -1, WidthT = -1, WidthR = -1, WidthB = -1;
  int Opacity = 0;
  int Source = 2;  // 0 none, 1 a mask of the skin, 2 generated from the colours
  int Mask = -1;
};

struct TkSkinData {
  bool Active = false;
  fw::String SkinPath;
  double Version = 0;
  fw::String Author, Description;
  fw::TColor Shadow1Color = 0;
  int Shadow1Offset = 0, Shadow1Blur = -1, Shadow1Transparency = 0;
  int ExBorderWidth = 4, ExTitleHeight = 30, ExMaxHeight = 0, ExContentOffs = 0, ExCenterOffs = 0, ExDrawMode = 0;
  int ExShadowOffs = 0, ExShadowOffsR = 0, ExShadowOffsT = 0, ExShadowOffsB = 0;
  fw::TColor FXColor = 0;
  int BISpacing = 0, BIVAlign = 0, BIRightMargin = 0, BILeftMargin = 0, BITopMargin = 0;
  int BIKeepHUE = 0;
  int BICloseGlow = 0, BICloseGlowMargin = 0, BIMaxGlow = 0, BIMaxGlowMargin = 0, BIMinGlow = 0,
      BIMinGlowMargin = 0;
  bool UseAeroBluring = false;
  int ComboBoxMargin = 2;
  int BrightMin = -50, BrightMax = 50;
};

enum TkcPaletteColors {
  pcMainColor, pcLabelText, pcWebText, pcWebTextHot, pcEditText, pcEditBG, pcSelectionBG, pcSelectionText,
  pcSelectionBG_Focused, pcSelectionText_Focused, pcEditBG_Inverted, pcEditText_Inverted, pcEditBG_OddRow,
  pcEditBG_EvenRow, pcEditText_Ok, pcEditText_Warning, pcEditText_Alert, pcEditText_Caution,
  pcEditText_Bypassed, pcEditBG_Ok, pcEditBG_Warning, pcEditBG_Alert, pcEditBG_Caution, pcEditBG_Bypassed,
  pcEditText_Highlight1, pcEditText_Highlight2, pcEditText_Highlight3, pcBorder, kPaletteSize
};
using TkPalette = std::array<fw::TColor, kPaletteSize>;

enum TkcSide { asLeft, asTop, asRight, asBottom };
enum TkcSection { ssMenuItem, ssToolButton, ssCheckBox, ssTransparent, ssGroupBox, ssWebBtn };

struct TkcConstElementData {
  int SkinIndex = -1;
  int MaskIndex = -1;
  int GlyphIndex = -1;
  std::array<int, 2> BGIndex{-1, -1};
  fw::String SkinSection;
};

struct TConstantSkinData {
  int IndexGLobalInfo = -1;
  int ExBorder = -1;
  std::array<TkcConstElementData, 4> Tabs, ScrollBtns, Scrolls;
  std::array<TkcConstElementData, 2> Sliders;
  TkcConstElementData ComboBtn;
  int MaskCloseBtn = -1, MaskCloseAloneBtn = -1, MaskMaxBtn = -1, MaskNormBtn = -1, MaskMinBtn = -1,
      MaskHelpBtn = -1;
  int MaskCloseSmall = -1, MaskMaxSmall = -1, MaskNormSmall = -1, MaskMinSmall = -1, MaskHelpSmall = -1;
  int CheckBoxChecked = -1, CheckBoxUnChecked = -1, CheckBoxGrayed = -1;
  int RadioButtonChecked = -1, RadioButtonUnChecked = -1, RadioButtonGrayed = -1;
  int SmallCheckBoxChecked = -1, SmallCheckBoxUnChecked = -1, SmallCheckBoxGrayed = -1;
  int GripRightBottom = -1, GripHorizontal = -1, GripVertical = -1;
  std::array<int, 6> Sections{-1, -1, -1, -1, -1, -1};
};

// Width and height of one state image of a mask.
int MaskFrameWidth(const TkMaskData& m);
int MaskFrameHeight(const TkMaskData& m);

class TkLoadedSkin {
 public:
  std::vector<TkGeneralData> gd;
  std::vector<TkMaskData> ma;
  std::vector<TkPatternData> pa;
  std::array<TkcOutEffData, 2> oe;
  TkPalette Palette{};
  TkSkinData CommonSkinData;
  TConstantSkinData ConstData;
  // 32-bit, key colour 0xFF00FF.
  TPixelBuffer MasterBitmap;

  // Exact, case-sensitive; -1 for an empty name or no sections.
  int GetSkinIndex(fw::StringView section) const;
  // In the section, else along its PARENTCLASS chain (which ends at a
  // missing or self-naming parent, or after as many steps as there are
  // sections, so a cycle answers -1).
  int GetMaskIndex(int skinIndex, fw::StringView section, fw::StringView mask) const;
  // In the section only.
  int GetMaskIndex(fw::StringView section, fw::StringView mask) const;
  // Only texture masks; parents as above.
  int GetTextureIndex(int skinIndex, fw::StringView section, fw::StringView name) const;
  int GetPatternIndex(int skinIndex, fw::StringView section, fw::StringView name) const;
  bool IsValidSkinIndex(int i) const { return i >= 0 && i < static_cast<int>(gd.size()); }
  bool IsValidImgIndex(int i) const { return i >= 0 && i < static_cast<int>(ma.size()); }

  // Border widths of one side: the mask's own, else its BorderWidth, else
  // the frame size (an ImageCount of 0 counts as 1 on the left and gives 0
  // on the right). 0 for an invalid index.
  int MaskWidthLeft(int maskIndex) const;
  int MaskWidthTop(int maskIndex) const;
  int MaskWidthRight(int maskIndex) const;
  int MaskWidthBottom(int maskIndex) const;

  // Section names in order while the skin is active.
  std::vector<fw::String> GetSkinSections() const;
  fw::TColor GetGlobalColor() const { return Palette[pcMainColor]; }
  fw::TColor GetGlobalFontColor() const { return Palette[pcLabelText]; }
  fw::TColor GetActiveEditColor() const { return Palette[pcEditBG]; }
  fw::TColor GetActiveEditFontColor() const { return Palette[pcEditText]; }
  fw::TColor GetHighLightColor(bool focused) const {
    return Palette[focused ? pcSelectionBG_Focused : pcSelectionBG];
  }
  fw::TColor GetHighLightFontColor(bool focused) const {
    return Palette[focused ? pcSelectionText_Focused : pcSelectionText];
  }

  // ConstData, then the per-section indexes.
  void InitConstantIndexes();
  void InitMaskIndexes();

 private:
  template <class Match>
  int FindWithParents(int skinIndex, fw::StringView section, const Match& match) const;
};

}  // namespace skin
