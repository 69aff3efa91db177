#include "skin/engine/core/color_manager.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace skin {

namespace {

uint16_t ReadWord(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

void WriteWord(uint8_t* p, uint16_t v) { std::memcpy(p, &v, 2); }

bool MaskHas(uint8_t mask, uint32_t x) { return (mask & (0x80u >> (x & 7))) != 0; }

// Samples of 1, 2, 4 or 8 bits, packed from the most significant bit.
unsigned ReadPacked(const uint8_t* row, uint64_t index, unsigned bits) {
  uint64_t bit = index * bits;
  unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
  return (row[bit / 8] >> shift) & ((1u << bits) - 1);
}

void WritePacked(uint8_t* row, uint64_t index, unsigned bits, unsigned value) {
  uint64_t bit = index * bits;
  unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
  unsigned field = ((1u << bits) - 1) << shift;
  row[bit / 8] = static_cast<uint8_t>((row[bit / 8] & ~field) | ((value << shift) & field));
}

bool IsSampleDepth(uint8_t bits) { return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16; }

bool IsRGBOrder(TColorScheme s) { return s == TColorScheme::csRGB || s == TColorScheme::csRGBA; }
bool IsBGROrder(TColorScheme s) { return s == TColorScheme::csBGR || s == TColorScheme::csBGRA; }
bool HasAlpha(TColorScheme s) {
  return s == TColorScheme::csGA || s == TColorScheme::csRGBA || s == TColorScheme::csBGRA;
}

// Rounds halves to even (the current rounding mode is never changed here).
double RoundHalfEven(double v) { return std::nearbyint(v); }

uint8_t ClampByte(double v) { return static_cast<uint8_t>(RoundHalfEven(std::clamp(v, 0.0, 255.0))); }
uint8_t ClampByte(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

// Source samples of one pixel: one interleaved row or one row per plane.
struct TSampleReader {
  const uint8_t* planes[4] = {};
  int step = 0;  // bytes to the next pixel in each plane
  int sampleBytes = 1;
  bool valid = false;

  TSampleReader(TSourceRows source, int samples, int interleavedStep, int bytes) : sampleBytes(bytes) {
    if (source.size() == 1) {
      for (int i = 0; i < samples; ++i) planes[i] = source[0] + i * bytes;
      step = interleavedStep * bytes;
      valid = source[0] != nullptr;
    } else if (static_cast<int>(source.size()) >= samples) {
      for (int i = 0; i < samples; ++i) planes[i] = source[i];
      step = bytes;
      valid = true;
    }
  }
  uint16_t Sample(int i) const { return sampleBytes == 2 ? ReadWord(planes[i]) : planes[i][0]; }
  void Next() {
    for (auto& p : planes)
      if (p) p += step;
  }
};

}  // namespace

TColorManager::TColorManager() { SetGamma(1.0f, 2.2f); }

void TColorManager::Error(const fw::String& Msg) const { throw EColorConversionError(Msg); }

void TColorManager::CheckBitsPerSample(uint8_t value) const {
  if (value == 0 || value > 16) Error(u"Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
}

void TColorManager::CheckSamplesPerPixel(uint8_t value) const {
  if (value == 0 || value > 4) Error(u"Sample count per pixel does not correspond to the given color scheme.");
}

void TColorManager::SetSourceBitsPerSample(uint8_t value) {
  CheckBitsPerSample(value);
  if (value != FSourceBPS) FChanged = true;
  FSourceBPS = value;
}

void TColorManager::SetTargetBitsPerSample(uint8_t value) {
  CheckBitsPerSample(value);
  if (value != FTargetBPS) FChanged = true;
  FTargetBPS = value;
}

void TColorManager::SetSourceSamplesPerPixel(uint8_t value) {
  CheckSamplesPerPixel(value);
  if (value != FSourceSPP) FChanged = true;
  FSourceSPP = value;
}

void TColorManager::SetTargetSamplesPerPixel(uint8_t value) {
  CheckSamplesPerPixel(value);
  if (value != FTargetSPP) FChanged = true;
  FTargetSPP = value;
}

void TColorManager::SetSourceColorScheme(TColorScheme value) {
  if (value != FSourceScheme) FChanged = true;
  FSourceScheme = value;
}

void TColorManager::SetTargetColorScheme(TColorScheme value) {
  if (value != FTargetScheme) FChanged = true;
  FTargetScheme = value;
}

// The routine choice also decides coAlpha, so changed options make it run
// again; otherwise options set anew for a second image of the same layout
// would lose the alpha flag the routine relies on.
void TColorManager::SetSourceOptions(TConvertOptions value) {
  if (value != FSourceOptions) FChanged = true;
  FSourceOptions = value;
}

void TColorManager::SetTargetOptions(TConvertOptions value) {
  if (value != FTargetOptions) FChanged = true;
  FTargetOptions = value;
}

TPixelFormat TColorManager::PixelFormatOf(uint8_t samples, uint8_t bits) {
  if (samples == 1) {
    if (bits == 1) return TPixelFormat::pf1bit;
    if (bits >= 2 && bits <= 4) return TPixelFormat::pf4bit;
    if (bits >= 8 && bits <= 16) return TPixelFormat::pf8bit;
  } else if (samples == 3) {
    if (bits >= 1 && bits <= 5) return TPixelFormat::pf15bit;
    if (bits > 5) return TPixelFormat::pf24bit;
  } else if (samples == 4 && bits >= 8) {
    return TPixelFormat::pf32bit;
  }
  return TPixelFormat::pfCustom;
}

void TColorManager::ConvertRow(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask) {
  if (FChanged) SetConversionMethod();
  if (!FRowConversion) Error(u"Color conversion failed. Could not find a proper method.");
  (this->*FRowConversion)(Source, Target, Count, Mask);
}

void TColorManager::SetConversionMethod() {
  FChanged = false;
  FRowConversion = nullptr;
  auto indexedSource = FSourceScheme == TColorScheme::csIndexed || FSourceScheme == TColorScheme::csG ||
                       FSourceScheme == TColorScheme::csGA;
  auto indexedTarget = FTargetScheme == TColorScheme::csIndexed || FTargetScheme == TColorScheme::csG;
  if (indexedSource != indexedTarget)
    Error(u"Conversion between indexed and non-indexed pixel formats is not supported.");
  FSourceOptions = HasAlpha(FSourceScheme) ? (FSourceOptions | coAlpha) : (FSourceOptions & ~coAlpha);
  FTargetOptions = HasAlpha(FTargetScheme) ? (FTargetOptions | coAlpha) : (FTargetOptions & ~coAlpha);

  // The routines lay samples out as bytes, words or packed fields of 1, 2 or
  // 4 bits; any other depth would be misread, so no routine takes it.
  if (!IsSampleDepth(FSourceBPS) || !IsSampleDepth(FTargetBPS)) return;
  bool src16 = FSourceBPS == 16, dst16 = FTargetBPS == 16;
  bool bytesOrWords = FSourceBPS >= 8 && FTargetBPS >= 8;
  bool bytes = FSourceBPS == 8 && FTargetBPS == 8;
  bool toRGB = IsRGBOrder(FTargetScheme), toBGR = IsBGROrder(FTargetScheme);
  switch (FSourceScheme) {
    case TColorScheme::csIndexed:
      if (src16 && dst16) FRowConversion = &TColorManager::ConvertIndexed16To16;
      else if (src16) FRowConversion = &TColorManager::ConvertIndexed16ToPacked;
      else if (dst16) FRowConversion = &TColorManager::ConvertPackedToIndexed16;
      else FRowConversion = &TColorManager::ConvertPackedSamples;
      break;
    case TColorScheme::csG:
      if (src16 || dst16) {
        if (bytesOrWords) FRowConversion = &TColorManager::ConvertGrey;
      } else {
        FRowConversion = &TColorManager::ConvertPackedSamples;
      }
      break;
    case TColorScheme::csGA:
      if (bytesOrWords) FRowConversion = &TColorManager::ConvertGrey;
      break;
    case TColorScheme::csRGB:
    case TColorScheme::csRGBA:
      if (!bytesOrWords) break;
      if (toRGB) FRowConversion = &TColorManager::ConvertRGBToRGB;
      else if (toBGR) FRowConversion = &TColorManager::ConvertRGBToBGR;
      break;
    case TColorScheme::csBGR:
    case TColorScheme::csBGRA:
      if (!bytesOrWords) break;
      if (toRGB) FRowConversion = &TColorManager::ConvertBGRToRGB;
      else if (toBGR) FRowConversion = &TColorManager::ConvertBGRToBGR;
      break;
    case TColorScheme::csCMYK:
      if (!bytes) break;
      if (toRGB) FRowConversion = &TColorManager::ConvertCMYKToRGB;
      else if (toBGR) FRowConversion = &TColorManager::ConvertCMYKToBGR;
      break;
    case TColorScheme::csCIELab:
      if (!bytes) break;
      if (toRGB) FRowConversion = &TColorManager::ConvertLabToRGB;
      else if (toBGR) FRowConversion = &TColorManager::ConvertLabToBGR;
      break;
    case TColorScheme::csYCbCr:
    case TColorScheme::csPhotoYCC:
      if (!bytes || !(toRGB || toBGR)) break;
      BuildYCbCrTables();
      if (FSourceScheme == TColorScheme::csYCbCr)
        FRowConversion = toRGB ? &TColorManager::ConvertYCbCrToRGB : &TColorManager::ConvertYCbCrToBGR;
      else
        FRowConversion = toRGB ? &TColorManager::ConvertPhotoYCCToRGB : &TColorManager::ConvertPhotoYCCToBGR;
      break;
    default:
      break;
  }
}

void TColorManager::SetGamma(float MainGamma, float DisplayGamma) {
  FMainGamma = MainGamma > 0 ? MainGamma : 1.0f;
  FDisplayGamma = DisplayGamma > 0 ? DisplayGamma : 2.2f;
  double exponent = 1.0 / (static_cast<double>(FMainGamma) * FDisplayGamma);
  // The table always yields 8-bit values: every user of it (colour samples
  // of 8-bit targets, palette entries) produces 8-bit colours, also when the
  // pixels themselves are packed in fewer bits.
  for (int i = 0; i < 256; ++i) FGammaTable[i] = ClampByte(std::pow(i / 255.0, exponent) * 255.0);
}

void TColorManager::BuildYCbCrTables() {
  float kr = FYCbCrCoefficients[0], kg = FYCbCrCoefficients[1], kb = FYCbCrCoefficients[2];
  float cr = 2 - 2 * kr, cb = 2 - 2 * kb;
  float crg = kr * cr / kg, cbg = kb * cb / kg;
  bool photo = FSourceScheme == TColorScheme::csPhotoYCC;
  int crOffset = photo ? 137 : 128, cbOffset = photo ? 156 : 128;
  for (int i = 0; i < 256; ++i) {
    float ecr = static_cast<float>(i - crOffset), ecb = static_cast<float>(i - cbOffset);
    FCrToRedTable[i] = static_cast<int32_t>(std::nearbyint(cr * ecr));
    FCbToBlueTable[i] = static_cast<int32_t>(std::nearbyint(cb * ecb));
    FCrToGreenTable[i] = -static_cast<int32_t>(std::nearbyint(crg * ecr));
    FCbToGreenTable[i] = -static_cast<int32_t>(std::nearbyint(cbg * ecb));
  }
}

uint16_t TColorManager::ConvertColorSample(uint16_t value) const {
  bool gamma = FTargetOptions & coApplyGamma;
  bool swap = FSourceOptions & coNeedByteSwap;
  if (FSourceBPS == 16) {
    if (FTargetBPS == 16) return swap ? ComponentSwapped16(value) : value;
    if (swap) return gamma ? ComponentSwapped16To8Gamma(value) : ComponentSwapped16To8(value);
    return gamma ? Component16To8Gamma(value) : Component16To8(value);
  }
  if (FTargetBPS == 16) {
    auto wide = static_cast<uint16_t>((gamma ? ComponentViaGamma(value) : value) * 65535u / 255u);
    return swap ? ComponentSwapped16(wide) : wide;
  }
  return gamma ? ComponentViaGamma(value) : ComponentAsIs(value);
}

uint16_t TColorManager::ConvertAlphaSample(uint16_t value) const {
  bool swap = FSourceOptions & coNeedByteSwap;
  if (FSourceBPS == 16) {
    if (FTargetBPS == 16) return swap ? ComponentSwapped16(value) : value;
    return swap ? ComponentSwapped16To8(value) : Component16To8(value);
  }
  if (FTargetBPS == 16) {
    auto wide = static_cast<uint16_t>(value * 65535u / 255u);
    return swap ? ComponentSwapped16(wide) : wide;
  }
  return value;
}

// Three colour samples and an optional alpha; reverse exchanges the first
// and third colour sample (RGB <-> BGR).
void TColorManager::ConvertThreeSamples(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask,
                                        bool reverse) {
  bool srcAlpha = FSourceOptions & coAlpha, dstAlpha = FTargetOptions & coAlpha;
  int sBytes = FSourceBPS == 16 ? 2 : 1, tBytes = FTargetBPS == 16 ? 2 : 1;
  TSampleReader src(Source, srcAlpha ? 4 : 3, srcAlpha ? 4 : 3, sBytes);
  if (!src.valid) return;
  int tStep = (dstAlpha ? 4 : 3) * tBytes;
  auto put = [&](uint8_t* t, int i, uint16_t v) {
    if (tBytes == 2) WriteWord(t + 2 * i, v);
    else t[i] = static_cast<uint8_t>(v);
  };
  for (uint32_t x = 0; x < Count; ++x, Target += tStep) {
    if (!MaskHas(Mask, x)) continue;
    for (int i = 0; i < 3; ++i) put(Target, reverse ? 2 - i : i, ConvertColorSample(src.Sample(i)));
    if (srcAlpha && dstAlpha) put(Target, 3, ConvertAlphaSample(src.Sample(3)));
    src.Next();
  }
}

void TColorManager::ConvertRGBToRGB(TSourceRows S, uint8_t* T, uint32_t C, uint8_t M) { ConvertThreeSamples(S, T, C, M, false); }
void TColorManager::ConvertRGBToBGR(TSourceRows S, uint8_t* T, uint32_t C, uint8_t M) { ConvertThreeSamples(S, T, C, M, true); }
void TColorManager::ConvertBGRToRGB(TSourceRows S, uint8_t* T, uint32_t C, uint8_t M) { ConvertThreeSamples(S, T, C, M, true); }
void TColorManager::ConvertBGRToBGR(TSourceRows S, uint8_t* T, uint32_t C, uint8_t M) { ConvertThreeSamples(S, T, C, M, false); }

void TColorManager::ConvertPackedSamples(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask) {
  if (Source.empty() || !Source[0]) return;
  unsigned sb = FSourceBPS, tb = FTargetBPS;
  if (sb == tb && Mask == 0xFF) {
    std::memcpy(Target, Source[0], (static_cast<size_t>(Count) * sb + 7) / 8);
    return;
  }
  unsigned smax = (1u << sb) - 1, tmax = (1u << tb) - 1;
  uint64_t taken = 0;
  for (uint32_t x = 0; x < Count; ++x) {
    if (!MaskHas(Mask, x)) continue;
    unsigned v = ReadPacked(Source[0], taken++, sb);
    WritePacked(Target, x, tb, v * tmax / smax);
  }
}

void TColorManager::ConvertIndexed16To16(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask) {
  if (Source.empty() || !Source[0]) return;
  bool swap = FSourceOptions & coNeedByteSwap;
  if (Mask == 0xFF && !swap) {
    std::memcpy(Target, Source[0], static_cast<size_t>(Count) * 2);
    return;
  }
  const uint8_t* s = Source[0];
  for (uint32_t x = 0; x < Count; ++x) {
    if (!MaskHas(Mask, x)) continue;
    uint16_t v = ReadWord(s);
    s += 2;
    WriteWord(Target + 2 * static_cast<size_t>(x), swap ? ComponentSwapped16(v) : v);
  }
}

void TColorManager::ConvertIndexed16ToPacked(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask) {
  if (Source.empty() || !Source[0]) return;
  bool swap = FSourceOptions & coNeedByteSwap;
  unsigned tb = FTargetBPS, tmax = (1u << tb) - 1;
  const uint8_t* s = Source[0];
  for (uint32_t x = 0; x < Count; ++x) {
    if (!MaskHas(Mask, x)) continue;
    uint16_t v = ReadWord(s);
    s += 2;
    if (swap) v = ComponentSwapped16(v);
    WritePacked(Target, x, tb, v * tmax / 65535u);
  }
}

void TColorManager::ConvertPackedToIndexed16(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask) {
  if (Source.empty() || !Source[0]) return;
  bool swap = FSourceOptions & coNeedByteSwap;
  unsigned sb = FSourceBPS, smax = (1u << sb) - 1;
  uint64_t taken = 0;
  for (uint32_t x = 0; x < Count; ++x) {
    if (!MaskHas(Mask, x)) continue;
    auto v = static_cast<uint16_t>(ReadPacked(Source[0], taken++, sb) * 65535u / smax);
    WriteWord(Target + 2 * static_cast<size_t>(x), swap ? ComponentSwapped16(v) : v);
  }
}

void TColorManager::ConvertGrey(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask) {
  if (Source.empty() || !Source[0]) return;
  bool swap = FSourceOptions & coNeedByteSwap;
  int sBytes = FSourceBPS == 16 ? 2 : 1, tBytes = FTargetBPS == 16 ? 2 : 1;
  // Grey + alpha: the alpha sample is skipped (a separate alpha plane is not read).
  int step = (Source.size() == 1 && (FSourceOptions & coAlpha)) ? 2 * sBytes : sBytes;
  const uint8_t* s = Source[0];
  for (uint32_t x = 0; x < Count; ++x) {
    if (!MaskHas(Mask, x)) continue;
    uint16_t v = sBytes == 2 ? ReadWord(s) : s[0];
    s += step;
    uint8_t* t = Target + static_cast<size_t>(x) * tBytes;
    if (sBytes == 1 && tBytes == 1) t[0] = static_cast<uint8_t>(v);
    else if (sBytes == 1) WriteWord(t, static_cast<uint16_t>(v * 65535u / 255u));
    else if (tBytes == 1) t[0] = swap ? ComponentSwapped16To8(v) : Component16To8(v);
    else WriteWord(t, swap ? ComponentSwapped16(v) : v);
  }
}

void TColorManager::ConvertCMYK(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask, bool bgr) {
  TSampleReader src(Source, 4, 4, 1);
  if (!src.valid) return;
  int tStep = (FTargetOptions & coAlpha) ? 4 : 3;
  for (uint32_t x = 0; x < Count; ++x, Target += tStep) {
    if (!MaskHas(Mask, x)) continue;
    int k = src.Sample(3);
    uint8_t rgb[3];
    for (int i = 0; i < 3; ++i) {
      int c = src.Sample(i);
      rgb[i] = ClampByte(255 - c - k + c * k / 255);
    }
    src.Next();
    for (int i = 0; i < 3; ++i) Target[bgr ? 2 - i : i] = rgb[i];
  }
}

void TColorManager::ConvertCMYKToRGB(TSourceRows S, uint8_t* T, uint32_t C, uint8_t M) { ConvertCMYK(S, T, C, M, false); }
void TColorManager::ConvertCMYKToBGR(TSourceRows S, uint8_t* T, uint32_t C, uint8_t M) { ConvertCMYK(S, T, C, M, true); }

void TColorManager::ConvertLab(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask, bool bgr) {
  TSampleReader src(Source, 3, 3, 1);
  if (!src.valid) return;
  int tStep = (FTargetOptions & coAlpha) ? 4 : 3;
  bool byteRange = FSourceOptions & coLabByteRange, chromaOffset = FSourceOptions & coLabChromaOffset;
  for (uint32_t x = 0; x < Count; ++x, Target += tStep) {
    if (!MaskHas(Mask, x)) continue;
    double L = src.Sample(0);
    if (byteRange) L /= 2.55;
    auto chroma = [&](int i) {
      int v = src.Sample(i);
      return chromaOffset ? static_cast<double>(v - 128) : static_cast<double>(static_cast<int8_t>(v));
    };
    double a = chroma(1), b = chroma(2);
    src.Next();
    double X, Y, Z;
    if (L < 7.9996) {
      Y = L / 903.3;
      X = Y + a / 3893.5;
      Z = Y - b / 1557.4;
    } else {
      double fy = (L + 16) / 116;
      X = std::pow(fy + a / 500, 3);
      Y = fy * fy * fy;
      Z = std::pow(fy - b / 200, 3);
    }
    uint8_t blue = ClampByte(255 * (0.099 * X - 0.198 * Y + 1.099 * Z));
    uint8_t green = ClampByte(255 * (-0.952 * X + 1.893 * Y + 0.059 * Z));
    uint8_t red = ClampByte(255 * (2.998 * X - 1.458 * Y - 0.541 * Z));
    Target[0] = bgr ? blue : red;
    Target[1] = green;
    Target[2] = bgr ? red : blue;
  }
}

void TColorManager::ConvertLabToRGB(TSourceRows S, uint8_t* T, uint32_t C, uint8_t M) { ConvertLab(S, T, C, M, false); }
void TColorManager::ConvertLabToBGR(TSourceRows S, uint8_t* T, uint32_t C, uint8_t M) { ConvertLab(S, T, C, M, true); }

void TColorManager::ConvertYCC(TSourceRows Source, uint8_t* Target, uint32_t Count, uint8_t Mask, bool bgr) {
  TSampleReader src(Source, 3, 3, 1);
  if (!src.valid) return;
  int tStep = (FTargetOptions & coAlpha) ? 4 : 3;
  for (uint32_t x = 0; x < Count; ++x, Target += tStep) {
    if (!MaskHas(Mask, x)) continue;
    int y = src.Sample(0), cb = src.Sample(1), cr = src.Sample(2);
    src.Next();
    uint8_t red = ClampByte(y + FCrToRedTable[cr]);
    uint8_t green = ClampByte(y + FCbToGreenTable[cb] + FCrToGreenTable[cr]);
    uint8_t blue = ClampByte(y + FCbToBlueTable[cb]);
    Target[0] = bgr ? blue : red;
    Target[1] = green;
    Target[2] = bgr ? red : blue;
  }
}

void TColorManager::ConvertYCbCrToRGB(TSourceRows S, uint8_t* T, uint32_t C, uint8_t M) { ConvertYCC(S, T, C, M, false); }
void TColorManager::ConvertYCbCrToBGR(TSourceRows S, uint8_t* T, uint32_t C, uint8_t M) { ConvertYCC(S, T, C, M, true); }
void TColorManager::ConvertPhotoYCCToRGB(TSourceRows S, uint8_t* T, uint32_t C, uint8_t M) { ConvertYCC(S, T, C, M, false); }
void TColorManager::ConvertPhotoYCCToBGR(TSourceRows S, uint8_t* T, uint32_t C, uint8_t M) { ConvertYCC(S, T, C, M, true); }

TPalette TColorManager::CreateGrayscalePalette(bool MinimumIsWhite) const {
  int bits = std::min(FTargetBPS * FTargetSPP, 8);
  int entries = 1 << bits;
  int step = 255 / (entries - 1);
  bool gamma = FTargetOptions & coApplyGamma;
  TPalette palette(entries);
  for (int i = 0; i < entries; ++i) {
    int grey = i * step;
    auto v = static_cast<uint8_t>(gamma ? FGammaTable[grey] : grey);
    palette[MinimumIsWhite ? entries - 1 - i : i] = TPaletteEntry{v, v, v, 0};
  }
  return palette;
}

TPalette TColorManager::CreateColorPalette(TSourceRows Data, TRawPaletteFormat DataFormat, uint32_t ColorCount,
                                           bool RGB) const {
  using F = TRawPaletteFormat;
  bool wide = DataFormat >= F::pfInterlaced16Triple;
  bool planar = DataFormat == F::pfPlane8Triple || DataFormat == F::pfPlane8Quad ||
                DataFormat == F::pfPlane16Triple || DataFormat == F::pfPlane16Quad;
  bool quad = DataFormat == F::pfInterlaced8Quad || DataFormat == F::pfPlane8Quad ||
              DataFormat == F::pfInterlaced16Quad || DataFormat == F::pfPlane16Quad;
  bool gamma = FTargetOptions & coApplyGamma, swap = FSourceOptions & coNeedByteSwap;
  size_t entries = std::min<uint32_t>(ColorCount, 256);
  int bytes = wide ? 2 : 1;
  TPalette source;
  if (Data.size() >= (planar ? 3u : 1u) && Data[0]) {
    source.resize(entries);
    auto value = [&](int channel, size_t n) -> uint8_t {
      const uint8_t* p = planar ? Data[channel] + n * bytes : Data[0] + (n * (quad ? 4 : 3) + channel) * bytes;
      if (!wide) return gamma ? ComponentViaGamma(*p) : *p;
      uint16_t v = ReadWord(p);
      if (swap) v = ComponentSwapped16(v);
      return gamma ? Component16To8Gamma(v) : Component16To8(v);
    };
    for (size_t n = 0; n < entries; ++n) {
      // Interleaved data hold red, green, blue unless RGB says blue, green, red.
      bool bgr = !planar && RGB;
      uint8_t first = value(0, n), second = value(1, n), third = value(2, n);
      source[n] = TPaletteEntry{bgr ? third : first, second, bgr ? first : third, 0};
    }
  }
  if (FTargetBPS > 8) return source;
  // Pixels of the target depth index 2^bits entries; missing ones are black.
  size_t targetEntries = size_t{1} << FTargetBPS;
  if (FSourceBPS != FTargetBPS) {
    uint64_t smax = (uint64_t{1} << FSourceBPS) - 1, tmax = targetEntries - 1;
    TPalette spread(targetEntries);
    for (size_t n = 0; n < targetEntries; ++n) {
      uint64_t from = n * smax / tmax;
      if (from < source.size()) spread[n] = source[from];
    }
    return spread;
  }
  source.resize(std::max(source.size(), targetEntries));
  return source;
}

}  // namespace skin
