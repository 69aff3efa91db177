// Converts rows of image samples from a source layout (colour scheme, bits
// per sample, samples per pixel, options) to a target layout, builds palettes
// (grey ramps and palettes from raw colour tables) and applies gamma. The
// conversion routine is chosen on the first conversion after a setting changed.
#pragma once

#include <cstdint>
#include <span>

#include "fw/core/exceptions.h"
#include "skin/engine/core/pixel_buffer.h"

namespace skin {

enum class TColorScheme : uint8_t {
  csUnknown, csIndexed, csG, csGA, csRGB, csRGBA, csBGR, csBGRA, csCMY, csCMYK, csCIELab, csYCbCr, csPhotoYCC
};

// A set of these bits.
using TConvertOptions = uint8_t;
enum : TConvertOptions {
  coAlpha = 1 << 0,
  coApplyGamma = 1 << 1,
  coNeedByteSwap = 1 << 2,
  coLabByteRange = 1 << 3,
  coLabChromaOffset = 1 << 4,
};

enum class TRawPaletteFormat {
  pfInterlaced8Triple, pfInterlaced8Quad, pfPlane8Triple, pfPlane8Quad,
  pfInterlaced16Triple, pfInterlaced16Quad, pfPlane16Triple, pfPlane16Quad
};

class EColorConversionError : public fw::Exception {
 public:
  using Exception::Exception;
};

// Source rows: one pointer for interleaved samples, or one pointer per plane.
using TSourceRows = std::span<const uint8_t* const>;

class TColorManager {
 public:
  // Bit 7 of a mask stands for pixel 0, bit 6 for pixel 1 and so on,
  // repeating every 8 pixels. A pixel whose bit is clear is not written and
  // takes no source sample; 0xFF converts every pixel.
  using TConversionMethod = void (TColorManager::*)(TSourceRows Source, uint8_t* Target, uint32_t Count,
                                                   uint8_t Mask);

  TColorManager();

  // The target must hold Count pixels of the target layout.
  void ConvertRow(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void SetGamma(float MainGamma, float DisplayGamma);
  TPalette CreateGrayscalePalette(bool MinimumIsWhite) const;
  TPalette CreateColorPalette(TSourceRows Data, TRawPaletteFormat DataFormat, uint32_t ColorCount, bool RGB) const;
  [[noreturn]] void Error(const fw::String& Msg) const;

  uint8_t SourceBitsPerSample() const { return FSourceBPS; }
  void SetSourceBitsPerSample(uint8_t value);
  uint8_t TargetBitsPerSample() const { return FTargetBPS; }
  void SetTargetBitsPerSample(uint8_t value);
  uint8_t SourceSamplesPerPixel() const { return FSourceSPP; }
  void SetSourceSamplesPerPixel(uint8_t value);
  uint8_t TargetSamplesPerPixel() const { return FTargetSPP; }
  void SetTargetSamplesPerPixel(uint8_t value);
  TColorScheme SourceColorScheme() const { return FSourceScheme; }
  void SetSourceColorScheme(TColorScheme value);
  TColorScheme TargetColorScheme() const { return FTargetScheme; }
  void SetTargetColorScheme(TColorScheme value);
  TConvertOptions SourceOptions() const { return FSourceOptions; }
  void SetSourceOptions(TConvertOptions value);
  TConvertOptions TargetOptions() const { return FTargetOptions; }
  void SetTargetOptions(TConvertOptions value);
  TPixelFormat SourcePixelFormat() const { return PixelFormatOf(FSourceSPP, FSourceBPS); }
  TPixelFormat TargetPixelFormat() const { return PixelFormatOf(FTargetSPP, FTargetBPS); }

 private:
  static TPixelFormat PixelFormatOf(uint8_t samples, uint8_t bits);
  void CheckBitsPerSample(uint8_t value) const;
  void CheckSamplesPerPixel(uint8_t value) const;
  void SetConversionMethod();
  void BuildYCbCrTables();

  // Component converters: one sample in, one out.
  uint16_t ComponentAsIs(uint16_t value) const { return value; }
  uint8_t ComponentViaGamma(uint16_t value) const { return FGammaTable[value & 0xFF]; }
  static uint8_t Component16To8(uint16_t value) { return static_cast<uint8_t>(value * 255u / 65535u); }
  uint8_t Component16To8Gamma(uint16_t value) const { return FGammaTable[Component16To8(value)]; }
  static uint16_t ComponentSwapped16(uint16_t value) { return static_cast<uint16_t>((value >> 8) | (value << 8)); }
  static uint8_t ComponentSwapped16To8(uint16_t value) { return Component16To8(ComponentSwapped16(value)); }
  uint8_t ComponentSwapped16To8Gamma(uint16_t value) const { return FGammaTable[ComponentSwapped16To8(value)]; }

  // Colour sample of the source in the target's depth (8 or 16 bits), and
  // the same for an alpha sample (never through gamma).
  uint16_t ConvertColorSample(uint16_t value) const;
  uint16_t ConvertAlphaSample(uint16_t value) const;
  void ConvertThreeSamples(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask, bool reverse);

  void ConvertIndexed16To16(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertIndexed16ToPacked(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertPackedToIndexed16(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertPackedSamples(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertGrey(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertRGBToRGB(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertRGBToBGR(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertBGRToRGB(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertBGRToBGR(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertCMYKToRGB(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertCMYKToBGR(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertLabToRGB(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertLabToBGR(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertYCbCrToRGB(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertYCbCrToBGR(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertPhotoYCCToRGB(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertPhotoYCCToBGR(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask);
  void ConvertCMYK(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask, bool bgr);
  void ConvertLab(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask, bool bgr);
  void ConvertYCC(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask, bool bgr);

  bool FChanged = true;
  uint8_t FSourceBPS = 8;
  uint8_t FTargetBPS = 8;
  uint8_t FSourceSPP = 3;
  uint8_t FTargetSPP = 3;
  float FMainGamma = 1.0f;
  float FDisplayGamma = 2.2f;
  uint8_t FGammaTable[256] = {};
  float FYCbCrCoefficients[3] = {0.299f, 0.587f, 0.114f};
  int32_t FCrToRedTable[256] = {};
  int32_t FCbToBlueTable[256] = {};
  int32_t FCrToGreenTable[256] = {};
  int32_t FCbToGreenTable[256] = {};
  TColorScheme FSourceScheme = TColorScheme::csRGB;
  TColorScheme FTargetScheme = TColorScheme::csBGR;
  TConversionMethod FRowConversion = nullptr;
  TConvertOptions FSourceOptions = 0;
  TConvertOptions FTargetOptions = 0;
};

}  // namespace skin
