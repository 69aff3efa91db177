#include "skin/engine/core/skin_colors.h"

#include <algorithm>
#include <vector>

#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/png.h"

namespace skin {

namespace {

constexpr TkcPaletteColors kAdjusted[] = {
    pcMainColor,    pcLabelText,         pcWebText,         pcEditText,          pcEditBG,
    pcSelectionBG,  pcSelectionText,     pcSelectionBG_Focused, pcSelectionText_Focused, pcEditBG_Inverted,
    pcEditText_Inverted, pcEditBG_OddRow, pcEditBG_EvenRow,  pcBorder};

using TColorOperation = uint32_t (*)(uint32_t color, int value);

void ChangeColor(fw::TColor& c, TColorOperation op, int value) {
  if (c != -1) c = static_cast<fw::TColor>(op(static_cast<uint32_t>(c), value));
}

void ChangeState(TkGenState& st, TColorOperation op, int value, bool stops) {
  if (stops)
    for (TkGradPie& pie : st.GradientArray) {
      pie.Color1 = op(pie.Color1, value);
      pie.Color2 = op(pie.Color2, value);
    }
  ChangeColor(st.Color, op, value);
  ChangeColor(st.GlowColor, op, value);
  ChangeColor(st.FontColor.Color, op, value);
  ChangeColor(st.FontColor.Left, op, value);
  ChangeColor(st.FontColor.Top, op, value);
  ChangeColor(st.FontColor.Right, op, value);
  ChangeColor(st.FontColor.Bottom, op, value);
}

// The gradient arrays of the flat copies share their stops with the states.
void ShareStops(TkGeneralData& g) {
  g.GradientArray = g.Props[0].GradientArray;
  g.HotGradientArray = g.Props[1].GradientArray;
}

void ChangeGlobals(TkLoadedSkin& skin, TColorOperation op, int value) {
  skin.CommonSkinData.Shadow1Color =
      static_cast<fw::TColor>(op(static_cast<uint32_t>(skin.CommonSkinData.Shadow1Color), value));
  for (TkcPaletteColors p : kAdjusted)
    skin.Palette[p] = static_cast<fw::TColor>(op(static_cast<uint32_t>(skin.Palette[p]), value));
}

uint32_t BrightnessColor(uint32_t color, int value) { return PixelBrightness(color, value); }

// Copies rows [top, top + rows) of r from one image to another of equal size.
void CopyRows(const TPixelView32& from, const TPixelView32& to, const fw::TRect& r, int top, int rows) {
  fw::TRect c = ClipToView(fw::TRect{r.Left, top, r.Right, top + rows}, to.Width, to.Height);
  for (int y = c.Top; y < c.Bottom; ++y)
    for (int x = c.Left; x < c.Right; ++x) to.Pixel(x, y) = from.Pixel(x, y);
}

}  // namespace

int SaturationScale(int value) {
  return std::clamp(SaturationPercentToScale(std::clamp(value, -1000000, 1000000)), -255, 255);
}

void PrepareAlpha(TPixelBuffer& image, bool premultiply) {
  if (!premultiply) {
    ZeroTransparentWhite(image);
  } else {
    TPixelView32 v = View32(image);
    PremultiplyRect(v, fw::TRect{0, 0, v.Width, v.Height});
  }
}

void ChangeSkinHue(TkLoadedSkin& skin, int value) {
  if (value == 0) return;
  TPixelView32 master = View32(skin.MasterBitmap);
  const int keep = skin.CommonSkinData.BIKeepHUE;
  std::vector<const TkMaskData*> spared;
  if (keep < 1) {
    ApplyToPixels(master, PixelHueShift, value, clSkinKey);
  } else {
    // The title-bar buttons keep their colours: shift a copy, then copy back
    // everything but their rectangles.
    TPixelBuffer copy = skin.MasterBitmap;
    ApplyToPixels(View32(copy), PixelHueShift, value, clSkinKey);
    std::vector<fw::TRect> kept;
    std::vector<const char16_t*> names = {u"BICONCLOSE", u"BICLOSEALONE", u"SICONCLOSE"};
    if (keep == 1)
      names.insert(names.end(), {u"BICONMAX", u"BICONMIN", u"BICONNORM", u"BICONHELP", u"SICONMAX", u"SICONMIN",
                                 u"SICONNORM"});
    for (const char16_t* name : names) {
      int i = skin.GetMaskIndex(u"GLOBALINFO", name);
      if (i < 0) continue;
      const TkMaskData& m = skin.ma[i];
      if (m.Bmp) spared.push_back(&m);
      else kept.push_back(m.R);
      int glow = skin.GetMaskIndex(u"GLOBALINFO", fw::String(name) + u"GLOW0");
      if (glow >= 0 && m.Bmp) spared.push_back(&skin.ma[glow]);
    }
    TPixelView32 shifted = View32(copy);
    for (int y = 0; y < master.Height; ++y)
      for (int x = 0; x < master.Width; ++x) {
        bool protectedPixel = false;
        for (const fw::TRect& r : kept)
          if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) protectedPixel = true;
        if (!protectedPixel) master.Pixel(x, y) = shifted.Pixel(x, y);
      }
  }
  for (TkMaskData& m : skin.ma) {
    if (!m.Bmp) continue;
    if (keep >= 1 && std::find(spared.begin(), spared.end(), &m) != spared.end()) continue;
    ApplyToPixels(View32(*m.Bmp), PixelHueShift, value, clSkinKey);
  }
  for (TkGeneralData& g : skin.gd) {
    for (TkGenState& st : g.Props) ChangeState(st, ShiftHueColor, value, st.GradientPercent > 0);
    ShareStops(g);
  }
  ChangeGlobals(skin, ShiftHueColor, value);
}

void ChangeSkinSaturation(TkLoadedSkin& skin, int value) {
  if (value == 0) return;
  const int s = SaturationScale(value);
  ApplyToPixels(View32(skin.MasterBitmap), PixelSaturation, s, clSkinKey);
  for (TkMaskData& m : skin.ma)
    if (m.Bmp) ApplyToPixels(View32(*m.Bmp), PixelSaturation, s, clSkinKey);
  for (TkGeneralData& g : skin.gd) {
    for (TkGenState& st : g.Props) ChangeState(st, SaturateColor, s, true);
    ShareStops(g);
  }
  ChangeGlobals(skin, SaturateColor, s);
}

void ChangeSkinBrightness(TkLoadedSkin& skin, int value) {
  if (value == 0) return;
  TPixelBuffer before = skin.MasterBitmap;
  TPixelView32 master = View32(skin.MasterBitmap);
  ApplyToPixels(master, PixelBrightness, value, clSkinKey);
  // The mask halves of image-over-mask elements keep their values.
  for (const TkMaskData& m : skin.ma)
    if (!m.Bmp && m.MaskType == 1) {
      int h = m.R.Height();
      CopyRows(View32(before), master, m.R, m.R.Top + h / 2, h / 2);
    }
  for (TkMaskData& m : skin.ma) {
    if (!m.Bmp) continue;
    TPixelView32 v = View32(*m.Bmp);
    if (m.MaskType == 0) {
      ApplyToPixels(v, PixelBrightness, value, clSkinKey);
      if (value > 0) PrepareAlpha(*m.Bmp, skin.CommonSkinData.Version >= 7.45);
    } else {
      TPixelBuffer saved = *m.Bmp;
      ApplyToPixels(v, PixelBrightness, value, clSkinKey);
      int h = v.Height;
      CopyRows(View32(saved), v, fw::TRect{0, 0, v.Width, h}, h / 2, h / 2);
    }
  }
  for (TkGeneralData& g : skin.gd) {
    for (TkGenState& st : g.Props) ChangeState(st, BrightnessColor, value, true);
    ShareStops(g);
  }
}

void AdjustSkinColors(TkLoadedSkin& skin, int hueOffset, int saturation, int brightness) {
  ChangeSkinHue(skin, hueOffset);
  ChangeSkinSaturation(skin, saturation);
  ChangeSkinBrightness(skin, brightness);
}

}  // namespace skin
