// The PNG reader against files written here by a small encoder (zlib's
// compress, CRCs from zlib) and a reference conversion of the samples
// written independently of the reader.
#include "skin/engine/core/png.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace skin {
namespace {

using Bytes = std::vector<uint8_t>;

struct Chunk {
  std::string type;
  Bytes data;
  bool badCrc = false;
};

void PutBE32(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}

Bytes BuildPng(const std::vector<Chunk>& chunks) {
  Bytes out = {137, 80, 78, 71, 13, 10, 26, 10};
  for (const Chunk& c : chunks) {
    PutBE32(out, static_cast<uint32_t>(c.data.size()));
    Bytes typed(c.type.begin(), c.type.end());
    typed.insert(typed.end(), c.data.begin(), c.data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    uint32_t crc = static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size())));
    PutBE32(out, c.badCrc ? crc ^ 1 : crc);
  }
  return out;
}

Chunk IHDR(uint32_t w, uint32_t h, int depth, int colorType, bool interlace = false, int compression = 0) {
  Bytes d;
  PutBE32(d, w);
  PutBE32(d, h);
  d.push_back(static_cast<uint8_t>(depth));
  d.push_back(static_cast<uint8_t>(colorType));
  d.push_back(static_cast<uint8_t>(compression));
  d.push_back(0);
  d.push_back(interlace ? 1 : 0);
  return {"IHDR", d};
}

Bytes Compress(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  EXPECT_EQ(compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9), Z_OK);
  out.resize(size);
  return out;
}

// The image data as IDAT chunks of at most pieceSize bytes.
std::vector<Chunk> IDATs(const Bytes& compressed, size_t pieceSize = 1 << 20) {
  std::vector<Chunk> out;
  for (size_t i = 0; i < compressed.size(); i += pieceSize)
    out.push_back({"IDAT", Bytes(compressed.begin() + i, compressed.begin() + std::min(compressed.size(), i + pieceSize))});
  return out;
}

int Channels(int colorType) {
  switch (colorType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

// A picture given by its samples, and the PNG data that encodes it.
struct Picture {
  uint32_t width = 1, height = 1;
  int colorType = 0, depth = 8;
  bool interlace = false;
  std::vector<uint32_t> samples;  // row by row, pixel by pixel, channel by channel
  std::vector<std::array<uint8_t, 3>> palette;

  int channels() const { return Channels(colorType); }
  uint32_t sample(uint32_t x, uint32_t y, int c) const { return samples[(y * width + x) * channels() + c]; }

  void Fill(uint32_t seed) {
    samples.resize(static_cast<size_t>(width) * height * channels());
    uint32_t max = depth == 16 ? 65535 : (1u << depth) - 1;
    for (auto& s : samples) {
      seed = seed * 1103515245u + 12345u;
      s = (seed >> 8) % (max + 1);
    }
    if (colorType == 3) {
      palette.resize(std::size_t{1} << depth);
      for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = {static_cast<uint8_t>(i * 7 + 3), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 13)};
    }
  }

  // Packs the samples of the given pixels of row y.
  Bytes PackRow(uint32_t y, uint32_t x0, uint32_t step) const {
    Bytes out;
    uint32_t acc = 0, bits = 0;
    for (uint32_t x = x0; x < width; x += step)
      for (int c = 0; c < channels(); ++c) {
        uint32_t v = sample(x, y, c);
        if (depth == 16) {
          out.push_back(static_cast<uint8_t>(v >> 8));
          out.push_back(static_cast<uint8_t>(v));
        } else {
          acc = (acc << depth) | v;
          bits += depth;
          if (bits == 8) {
            out.push_back(static_cast<uint8_t>(acc));
            acc = bits = 0;
          }
        }
      }
    if (bits) out.push_back(static_cast<uint8_t>(acc << (8 - bits)));
    return out;
  }

  // Filters a line against the line above with the given filter type.
  Bytes Filter(int type, const Bytes& line, const Bytes& above) const {
    size_t bpp = std::max(1, channels() * depth / 8);
    Bytes out = {static_cast<uint8_t>(type)};
    for (size_t i = 0; i < line.size(); ++i) {
      int a = i >= bpp ? line[i - bpp] : 0, b = above[i], c = i >= bpp ? above[i - bpp] : 0;
      int predictor = 0;
      if (type == 1) predictor = a;
      if (type == 2) predictor = b;
      if (type == 3) predictor = (a + b) / 2;
      if (type == 4) {
        int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        predictor = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      out.push_back(static_cast<uint8_t>(line[i] - predictor));
    }
    return out;
  }

  // The filtered scan lines, in Adam7 pass order when interlaced; every
  // filter type is used, the first line of each pass included.
  Bytes RawData() const {
    Bytes raw;
    static const int rs[7] = {0, 0, 4, 0, 2, 0, 1}, ry[7] = {8, 8, 8, 4, 4, 2, 2};
    static const int cs[7] = {0, 4, 0, 2, 0, 1, 0}, cx[7] = {8, 8, 4, 4, 2, 2, 1};
    int passes = interlace ? 7 : 1;
    for (int p = 0; p < passes; ++p) {
      uint32_t r0 = interlace ? rs[p] : 0, rstep = interlace ? ry[p] : 1;
      uint32_t c0 = interlace ? cs[p] : 0, cstep = interlace ? cx[p] : 1;
      if (c0 >= width) continue;
      Bytes above;
      int n = 0;
      for (uint32_t y = r0; y < height; y += rstep, ++n) {
        Bytes line = PackRow(y, c0, cstep);
        if (above.empty()) above.assign(line.size(), 0);
        Bytes f = Filter((n + p) % 5, line, above);
        raw.insert(raw.end(), f.begin(), f.end());
        above = line;
      }
    }
    return raw;
  }

  std::vector<Chunk> Chunks(size_t idatPiece = 1 << 20) const {
    std::vector<Chunk> chunks = {IHDR(width, height, depth, colorType, interlace)};
    if (colorType == 3) {
      Bytes plte;
      for (auto& e : palette) plte.insert(plte.end(), e.begin(), e.end());
      chunks.push_back({"PLTE", plte});
    }
    for (Chunk& c : IDATs(Compress(RawData()), idatPiece)) chunks.push_back(c);
    chunks.push_back({"IEND", {}});
    return chunks;
  }

  Bytes Encode(size_t idatPiece = 1 << 20) const { return BuildPng(Chunks(idatPiece)); }

  // What the reader must produce, as blue, green, red, alpha of pixel (x, y).
  std::array<uint8_t, 4> Expected(uint32_t x, uint32_t y) const {
    auto to8 = [&](uint32_t v) -> uint8_t {
      return static_cast<uint8_t>(depth == 16 ? v * 255 / 65535 : v * 255 / ((1u << depth) - 1));
    };
    switch (colorType) {
      case 0:
      case 4: {
        uint8_t g = to8(sample(x, y, 0));
        return {g, g, g, 255};  // the alpha of grey + alpha is dropped
      }
      case 2: return {to8(sample(x, y, 2)), to8(sample(x, y, 1)), to8(sample(x, y, 0)), 255};
      case 3: {
        uint32_t i = sample(x, y, 0);
        if (i >= palette.size()) return {0, 0, 0, 255};
        return {palette[i][2], palette[i][1], palette[i][0], 255};
      }
      default:
        return {to8(sample(x, y, 2)), to8(sample(x, y, 1)), to8(sample(x, y, 0)), to8(sample(x, y, 3))};
    }
  }
};

TPixelBuffer Decode(const Bytes& png, TPNGReader& reader) {
  fw::TMemoryStream s(png);
  reader.LoadFromStream(s);
  return reader.Image().ToBGRA32();
}

void ExpectPixels(const Picture& pic, const TPixelBuffer& bgra) {
  ASSERT_EQ(bgra.Width(), static_cast<int>(pic.width));
  ASSERT_EQ(bgra.Height(), static_cast<int>(pic.height));
  int wrong = 0;
  for (uint32_t y = 0; y < pic.height; ++y)
    for (uint32_t x = 0; x < pic.width; ++x) {
      auto e = pic.Expected(x, y);
      const uint8_t* p = bgra.ScanLine(static_cast<int>(y)) + x * 4;
      if (std::equal(e.begin(), e.end(), p)) continue;
      if (++wrong <= 3)
        ADD_FAILURE() << "pixel " << x << "," << y << ": got " << int(p[0]) << " " << int(p[1]) << " " << int(p[2])
                      << " " << int(p[3]) << ", expected " << int(e[0]) << " " << int(e[1]) << " " << int(e[2])
                      << " " << int(e[3]);
    }
  EXPECT_EQ(wrong, 0);
}

// ------------------------------------------------------------ decode matrix

TEST(PNGReader, DecodesEveryColourTypeDepthSizeAndInterlaceLikeTheReference) {
  struct Format {
    int colorType, depth;
    TPixelFormat native;
  };
  const Format formats[] = {
      {0, 1, TPixelFormat::pf1bit}, {0, 2, TPixelFormat::pf4bit}, {0, 4, TPixelFormat::pf4bit},
      {0, 8, TPixelFormat::pf8bit}, {0, 16, TPixelFormat::pf8bit}, {2, 8, TPixelFormat::pf24bit},
      {2, 16, TPixelFormat::pf24bit}, {3, 1, TPixelFormat::pf1bit}, {3, 2, TPixelFormat::pf4bit},
      {3, 4, TPixelFormat::pf4bit}, {3, 8, TPixelFormat::pf8bit}, {4, 8, TPixelFormat::pf8bit},
      {4, 16, TPixelFormat::pf8bit}, {6, 8, TPixelFormat::pf32bit}, {6, 16, TPixelFormat::pf32bit},
  };
  const std::pair<uint32_t, uint32_t> sizes[] = {{1, 1}, {3, 5}, {17, 9}, {8, 8}, {33, 2}};
  uint32_t seed = 1;
  for (const Format& f : formats)
    for (auto [w, h] : sizes)
      for (bool interlace : {false, true}) {
        Picture pic;
        pic.width = w;
        pic.height = h;
        pic.colorType = f.colorType;
        pic.depth = f.depth;
        pic.interlace = interlace;
        pic.Fill(seed++);
        // Some files split the image data into many small chunks, so rows
        // straddle chunk boundaries.
        size_t piece = seed % 3 == 0 ? 3 : 1 << 20;
        SCOPED_TRACE(testing::Message() << "colour type " << f.colorType << ", depth " << f.depth << ", " << w << "x"
                                        << h << (interlace ? ", interlaced" : "") << ", piece " << piece);
        TPNGReader reader;
        TPixelBuffer bgra = Decode(pic.Encode(piece), reader);
        EXPECT_EQ(reader.Image().PixelFormat(), f.native);
        ExpectPixels(pic, bgra);
      }
}

TEST(PNGReader, TwoBitGreyBecomesFourBitIndexesUnderASixteenEntryRamp) {
  Picture pic;
  pic.width = 4;
  pic.colorType = 0;
  pic.depth = 2;
  pic.samples = {0, 1, 2, 3};
  TPNGReader reader;
  Decode(pic.Encode(), reader);
  const TPixelBuffer& img = reader.Image();
  ASSERT_EQ(img.PixelFormat(), TPixelFormat::pf4bit);
  EXPECT_EQ(img.ScanLine(0)[0], 0x05);  // pixels 0 and 5
  EXPECT_EQ(img.ScanLine(0)[1], 0xAF);  // pixels 10 and 15
  ASSERT_EQ(img.Palette.size(), 16u);
  EXPECT_EQ(img.Palette[5], (TPaletteEntry{85, 85, 85, 0}));
  EXPECT_EQ(img.Palette[10], (TPaletteEntry{170, 170, 170, 0}));
  EXPECT_EQ(img.Palette[15], (TPaletteEntry{255, 255, 255, 0}));
}

TEST(PNGReader, TwoBitPaletteIsSpreadSoThatEntriesZeroFiveTenFifteenHoldItsColours) {
  Picture pic;
  pic.width = 4;
  pic.colorType = 3;
  pic.depth = 2;
  pic.samples = {0, 1, 2, 3};
  pic.palette = {{{10, 20, 30}}, {{40, 50, 60}}, {{70, 80, 90}}, {{100, 110, 120}}};
  TPNGReader reader;
  Decode(pic.Encode(), reader);
  const TPalette& pal = reader.Image().Palette;
  ASSERT_EQ(pal.size(), 16u);
  EXPECT_EQ(pal[0], (TPaletteEntry{10, 20, 30, 0}));
  EXPECT_EQ(pal[5], (TPaletteEntry{40, 50, 60, 0}));
  EXPECT_EQ(pal[10], (TPaletteEntry{70, 80, 90, 0}));
  EXPECT_EQ(pal[15], (TPaletteEntry{100, 110, 120, 0}));
}

TEST(PNGReader, PaletteWithFewerEntriesThanThePixelsNeedGivesBlackForTheRest) {
  for (int depth : {2, 8}) {
    Picture pic;
    pic.width = 4;
    pic.colorType = 3;
    pic.depth = depth;
    pic.samples = {0, 1, 2, 3};
    pic.palette = {{{200, 100, 50}}, {{1, 2, 3}}};
    TPNGReader reader;
    TPixelBuffer bgra = Decode(pic.Encode(), reader);
    SCOPED_TRACE(depth);
    ExpectPixels(pic, bgra);
    EXPECT_EQ(reader.Image().Palette.size(), std::size_t{1} << (depth == 2 ? 4 : 8));
  }
}

TEST(PNGReader, RGBAKeepsStraightAlphaAndAReusedReaderDecodesTheSecondImageAlike) {
  Picture pic;
  pic.width = 3;
  pic.colorType = 6;
  pic.samples = {255, 0, 0, 128, 0, 255, 0, 0, 10, 20, 30, 255};
  TPNGReader reader;
  for (int round = 0; round < 2; ++round) {
    TPixelBuffer bgra = Decode(pic.Encode(), reader);
    SCOPED_TRACE(round);
    const uint8_t* p = bgra.ScanLine(0);
    EXPECT_EQ(Bytes(p, p + 12), (Bytes{0, 0, 255, 128, 0, 255, 0, 0, 30, 20, 10, 255}));
  }
}

TEST(PNGReader, SixteenBitSamplesScaleDownRoundingDown) {
  Picture pic;
  pic.width = 1;
  pic.colorType = 2;
  pic.depth = 16;
  pic.samples = {0xFFFF, 0x8000, 0x0101};
  TPNGReader reader;
  TPixelBuffer bgra = Decode(pic.Encode(), reader);
  const uint8_t* p = bgra.ScanLine(0);
  EXPECT_EQ(p[2], 255);
  EXPECT_EQ(p[1], 127);
  EXPECT_EQ(p[0], 1);
}

// ------------------------------------------------------------ ancillary data

Bytes Be16s(std::initializer_list<uint16_t> values) {
  Bytes b;
  for (uint16_t v : values) {
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
  }
  return b;
}

// Inserts a chunk right after IHDR (and PLTE, when there is one).
Bytes WithChunk(const Picture& pic, const Chunk& extra) {
  auto chunks = pic.Chunks();
  chunks.insert(chunks.begin() + (pic.colorType == 3 ? 2 : 1), extra);
  return BuildPng(chunks);
}

TEST(PNGReader, BackgroundAndTransparencyKeysAreColoursOnTheEightBitScale) {
  struct Case {
    const char* what;
    int colorType, depth;
    Chunk chunk;
    fw::TColor background, transparent;
  };
  const Case cases[] = {
      {"grey 2-bit background", 0, 2, {"bKGD", Be16s({2})}, 0xAAAAAA, kNoTransparentColor},
      {"grey 1-bit background", 0, 1, {"bKGD", Be16s({1})}, 0xFFFFFF, kNoTransparentColor},
      {"grey 16-bit background", 0, 16, {"bKGD", Be16s({0x8080})}, 0x808080, kNoTransparentColor},
      {"grey+alpha 8-bit background", 4, 8, {"bKGD", Be16s({0x40})}, 0x404040, kNoTransparentColor},
      {"RGB 8-bit background", 2, 8, {"bKGD", Be16s({0x11, 0x22, 0x33})}, 0x332211, kNoTransparentColor},
      {"RGBA 16-bit background", 6, 16, {"bKGD", Be16s({0xFFFF, 0, 0x8000})}, 0x7F00FF, kNoTransparentColor},
      {"palette 2-bit background index", 3, 2, {"bKGD", {3}}, 0x786E64, kNoTransparentColor},
      {"palette background index past the palette", 3, 8, {"bKGD", {200}}, 0x000000, kNoTransparentColor},
      {"grey 4-bit key", 0, 4, {"tRNS", Be16s({5})}, 0xFFFFFF, 0x555555},
      {"grey 16-bit key", 0, 16, {"tRNS", Be16s({0xFFFF})}, 0xFFFFFF, 0xFFFFFF},
      {"RGB 16-bit key", 2, 16, {"tRNS", Be16s({0, 0xFFFF, 0x0101})}, 0xFFFFFF, 0x01FF00},
      {"grey+alpha key is ignored", 4, 8, {"tRNS", Be16s({5})}, 0xFFFFFF, kNoTransparentColor},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Picture pic;
    pic.width = 2;
    pic.height = 2;
    pic.colorType = c.colorType;
    pic.depth = c.depth;
    pic.Fill(7);
    if (c.colorType == 3) pic.palette = {{{10, 20, 30}}, {{40, 50, 60}}, {{70, 80, 90}}, {{100, 110, 120}}};
    for (auto& s : pic.samples)
      if (c.colorType == 3) s %= 4;
    TPNGReader reader;
    Decode(WithChunk(pic, c.chunk), reader);
    EXPECT_EQ(reader.BackgroundColor(), c.background);
    EXPECT_EQ(reader.TransparentColor(), c.transparent);
  }
}

TEST(PNGReader, PaletteTransparencyCopiesTheAlphasAndFillsTheRestOpaque) {
  Picture pic;
  pic.colorType = 3;
  pic.depth = 8;
  pic.samples = {0};
  pic.palette = {{{1, 2, 3}}, {{4, 5, 6}}};
  TPNGReader reader;
  Decode(WithChunk(pic, {"tRNS", {0, 77}}), reader);
  ASSERT_EQ(reader.Transparency().size(), 256u);
  EXPECT_EQ(reader.Transparency()[0], 0);
  EXPECT_EQ(reader.Transparency()[1], 77);
  EXPECT_EQ(reader.Transparency()[2], 255);
  EXPECT_EQ(reader.Transparency()[255], 255);
  EXPECT_EQ(reader.TransparentColor(), kNoTransparentColor);
}

TEST(PNGReader, GammaChunkCorrectsColoursAndDoesNotCarryOverToTheNextImage) {
  Picture pic;
  pic.colorType = 2;
  pic.samples = {128, 0, 255};
  Bytes gama;
  PutBE32(gama, 100000);  // gamma 1.0 against display gamma 2.2
  TPNGReader reader;
  TPixelBuffer bgra = Decode(WithChunk(pic, {"gAMA", gama}), reader);
  EXPECT_EQ(bgra.ScanLine(0)[2], 186);
  EXPECT_EQ(bgra.ScanLine(0)[1], 0);
  EXPECT_EQ(bgra.ScanLine(0)[0], 255);
  EXPECT_TRUE(reader.ImageProperties().Options & ioUseGamma);

  bgra = Decode(pic.Encode(), reader);
  EXPECT_EQ(bgra.ScanLine(0)[2], 128);
  EXPECT_FALSE(reader.ImageProperties().Options & ioUseGamma);
}

TEST(PNGReader, ImagePropertiesDescribeTheHeader) {
  Picture pic;
  pic.width = 17;
  pic.height = 9;
  pic.colorType = 6;
  pic.depth = 16;
  pic.Fill(3);
  Bytes png = pic.Encode();
  fw::TMemoryStream s(png);
  TPNGReader reader;
  ASSERT_TRUE(reader.ReadImageProperties(s, 0));
  const TImageProperties& p = reader.ImageProperties();
  EXPECT_EQ(p.Width, 17u);
  EXPECT_EQ(reader.Height(), 9u);
  EXPECT_EQ(p.ColorScheme, TColorScheme::csRGBA);
  EXPECT_EQ(p.BitsPerSample, 16);
  EXPECT_EQ(p.SamplesPerPixel, 4);
  EXPECT_EQ(p.Compression, TCompressionType::ctLZ77);
  EXPECT_EQ(p.Options, ioBigEndian);
}

TEST(PNGReader, ImageDataInAnyLetterCaseAndUnknownAncillaryChunksAnywhere) {
  Picture pic;
  pic.width = 5;
  pic.height = 3;
  pic.colorType = 2;
  pic.Fill(9);
  auto chunks = pic.Chunks(8);
  for (Chunk& c : chunks)
    if (c.type == "IDAT") c.type = "iDAT";
  chunks.insert(chunks.begin() + 1, Chunk{"zzZz", {1, 2, 3}});
  chunks.insert(chunks.end() - 1, Chunk{"teXt", {4, 5}});
  TPNGReader reader;
  ExpectPixels(pic, Decode(BuildPng(chunks), reader));
}

TEST(PNGReader, ImageDataThatEndsEarlyKeepsTheRowsItHadAndTheBackground) {
  Picture pic;
  pic.width = 4;
  pic.height = 4;
  pic.colorType = 2;
  pic.Fill(5);
  Bytes raw = pic.RawData();
  // The first two rows, flushed but with the zlib stream left open.
  z_stream z{};
  ASSERT_EQ(deflateInit(&z, 9), Z_OK);
  Bytes out(256);
  z.next_in = raw.data();
  z.avail_in = 2 * (4 * 3 + 1);
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  ASSERT_EQ(deflate(&z, Z_SYNC_FLUSH), Z_OK);
  out.resize(out.size() - z.avail_out);
  deflateEnd(&z);
  TPNGReader reader;
  TPixelBuffer bgra =
      Decode(BuildPng({IHDR(4, 4, 8, 2), {"bKGD", Be16s({1, 2, 3})}, {"IDAT", out}, {"IEND", {}}}), reader);
  for (uint32_t x = 0; x < 4; ++x) {
    auto e = pic.Expected(x, 1);
    EXPECT_TRUE(std::equal(e.begin(), e.end(), bgra.ScanLine(1) + 4 * x)) << x;
    const uint8_t* p = bgra.ScanLine(3) + 4 * x;
    EXPECT_EQ(Bytes(p, p + 3), (Bytes{3, 2, 1})) << x;
  }
}

TEST(PNGReader, ReportsProgressStagesWhileLoading) {
  Picture pic;
  pic.Fill(1);
  TPNGReader reader;
  std::vector<std::pair<TProgressStage, fw::String>> seen;
  reader.OnProgress = [&](TPNGReader* sender, TProgressStage stage, uint8_t, bool, const fw::TRect&,
                          const fw::String& msg) {
    EXPECT_EQ(sender, &reader);
    seen.emplace_back(stage, msg);
  };
  Decode(pic.Encode(), reader);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0], std::make_pair(TProgressStage::psStarting, fw::String(u"Preparing...")));
  EXPECT_EQ(seen[1].first, TProgressStage::psEnding);
  EXPECT_EQ(seen[2], std::make_pair(TProgressStage::psStarting, fw::String(u"Transfering...")));
  EXPECT_EQ(seen[3].first, TProgressStage::psEnding);
}

// ------------------------------------------------------------ damaged files

std::string LoadError(const Bytes& png) {
  fw::TMemoryStream s(png);
  TPNGReader reader;
  try {
    reader.LoadFromStream(s);
  } catch (const fw::EInvalidGraphic& e) {
    return fw::StringToUtf8(e.Message());
  } catch (const fw::Exception& e) {
    return "other: " + fw::StringToUtf8(e.Message());
  }
  return "";
}

const char kTruncated[] = "PNG image is truncated";
const char kCRC[] = "Cannot load image. CRC error found in PNG file.";
const char kCritical[] = "Cannot load PNG image. Unexpected but critical chunk detected.";
const char kCompression[] = "Cannot load image. Compression error found in PNG file.";
const char kExtra[] = "Cannot load image. Extra compressed data found in PNG file.";

TEST(PNGReader, DamagedFilesRaiseTheirFormatError) {
  Picture rgb;
  rgb.width = 4;
  rgb.height = 3;
  rgb.colorType = 2;
  rgb.Fill(11);
  Bytes idat = Compress(rgb.RawData());
  const Chunk ihdr = IHDR(4, 3, 8, 2), iend = {"IEND", {}}, data = {"IDAT", idat};
  Picture pal = rgb;
  pal.colorType = 3;
  pal.Fill(12);
  const Chunk palIhdr = IHDR(4, 3, 8, 3), palData = {"IDAT", Compress(pal.RawData())};
  Bytes plte(pal.palette.size() * 3, 9);

  Bytes bigOverBudget = BuildPng({IHDR(32767, 32767, 8, 2), data, iend});
  Bytes badSignature = BuildPng({ihdr, data, iend});
  badSignature[1] = 'Q';
  Bytes full = BuildPng({ihdr, data, iend});
  Bytes truncated(full.begin(), full.begin() + 8 + 25 + 8 + static_cast<long>(idat.size()) / 2);
  Bytes noEnd(full.begin(), full.end() - 12);
  Bytes hugeLength = BuildPng({ihdr, {"tEXt", {1, 2}}, data, iend});
  hugeLength[33] = 0x7F;  // length of the tEXt chunk
  Bytes badAdler = idat;
  badAdler.back() ^= 0x55;
  Bytes badDeflate = idat;
  badDeflate[2] = 0xFF;
  badDeflate[3] = 0xFF;
  Bytes trailing = idat;
  trailing.push_back(0);
  Bytes firstRowOnly = rgb.RawData();
  firstRowOnly.resize(13);
  Bytes rowAndAHalf = rgb.RawData();
  rowAndAHalf.resize(13 + 6);
  Bytes shortIhdr = ihdr.data;
  shortIhdr.pop_back();

  struct Case {
    const char* what;
    Bytes file;
    std::string error;
  };
  const Case cases[] = {
      {"cut inside the signature", Bytes(full.begin(), full.begin() + 5), kTruncated},
      {"signature alone", Bytes(full.begin(), full.begin() + 8), kTruncated},
      {"cut inside the IHDR chunk", Bytes(full.begin(), full.begin() + 20), kTruncated},
      {"wrong signature", badSignature, "PNG image is damaged: bad signature"},
      {"first chunk is not IHDR", BuildPng({{"gAMA", {0, 1, 0x86, 0xA0}}, ihdr, data, iend}), "PNG image is damaged: the first chunk is not IHDR"},
      {"width 0", BuildPng({IHDR(0, 3, 8, 2), data, iend}), "PNG image is damaged: the image has no pixels"},
      {"height 0", BuildPng({IHDR(4, 0, 8, 2), data, iend}), "PNG image is damaged: the image has no pixels"},
      {"wider than 32767", BuildPng({IHDR(32768, 1, 8, 2), data, iend}), "PNG image is too large (32768x1)"},
      {"more pixels than the budget", bigOverBudget, "PNG image is too large (32767x32767)"},
      {"IHDR shorter than 13 bytes", BuildPng({{"IHDR", shortIhdr}, data, iend}),
       "PNG image is damaged: the IHDR chunk is too short"},
      {"IHDR CRC", BuildPng({{"IHDR", ihdr.data, true}, data, iend}), kCRC},
      {"IDAT CRC", BuildPng({ihdr, {"IDAT", idat, true}, iend}), kCRC},
      {"PLTE CRC", BuildPng({palIhdr, {"PLTE", plte, true}, palData, iend}), kCRC},
      {"gAMA CRC", BuildPng({ihdr, {"gAMA", {0, 1, 0x86, 0xA0}, true}, data, iend}), kCRC},
      {"bKGD CRC", BuildPng({ihdr, {"bKGD", Be16s({1, 2, 3}), true}, data, iend}), kCRC},
      {"tRNS CRC", BuildPng({ihdr, {"tRNS", Be16s({1, 2, 3}), true}, data, iend}), kCRC},
      {"CRC of a skipped chunk is not tested", BuildPng({ihdr, {"tEXt", {1}, true}, data, iend}), ""},
      {"CRC of the chunk after the image data is not tested", BuildPng({ihdr, data, {"IEND", {}, true}}), ""},
      {"palette length not a multiple of 3", BuildPng({palIhdr, {"PLTE", {1, 2, 3, 4, 5, 6, 7}}, palData, iend}),
       "Cannot load image. Palette in PNG file is invalid."},
      {"RGB of 4 bits", BuildPng({IHDR(4, 3, 4, 2), data, iend}), "Invalid color format in PNG file."},
      {"colour type 5", BuildPng({IHDR(4, 3, 8, 5), data, iend}), "Invalid color format in PNG file."},
      {"palette of 16 bits", BuildPng({IHDR(4, 3, 16, 3), {"PLTE", plte}, data, iend}),
       "Invalid color format in PNG file."},
      {"compression method 1", BuildPng({IHDR(4, 3, 8, 2, false, 1), data, iend}),
       "Cannot load image. The compression scheme is not supported for PNG files."},
      {"unknown critical chunk", BuildPng({ihdr, {"ABCD", {}}, data, iend}), kCritical},
      {"second IHDR", BuildPng({ihdr, ihdr, data, iend}), kCritical},
      {"critical chunk right after the image data", BuildPng({ihdr, data, {"ABCD", {}}, iend}), kCritical},
      {"unknown critical chunk after it", BuildPng({ihdr, data, {"tEXt", {}}, {"ABCD", {}}, iend}), kCritical},
      {"file cut inside the image data", truncated, kTruncated},
      {"no IEND", noEnd, kTruncated},
      {"chunk longer than the file", hugeLength, kTruncated},
      {"no image data", BuildPng({ihdr, iend}), "PNG image is damaged: no image data"},
      {"gAMA shorter than 4 bytes", BuildPng({ihdr, {"gAMA", {0, 1, 2}}, data, iend}),
       "PNG image is damaged: the gAMA chunk is too short"},
      {"RGB bKGD shorter than 6 bytes", BuildPng({ihdr, {"bKGD", {0, 1}}, data, iend}),
       "PNG image is damaged: the bKGD chunk is too short"},
      {"RGB tRNS shorter than 6 bytes", BuildPng({ihdr, {"tRNS", {0, 1}}, data, iend}),
       "PNG image is damaged: the tRNS chunk is too short"},
      {"damaged Adler-32", BuildPng({ihdr, {"IDAT", badAdler}, iend}), kCompression},
      {"damaged deflate data", BuildPng({ihdr, {"IDAT", badDeflate}, iend}), kCompression},
      {"bytes after the zlib data", BuildPng({ihdr, {"IDAT", trailing}, iend}), kExtra},
      {"zlib data ends inside a row", BuildPng({ihdr, {"IDAT", Compress(rowAndAHalf)}, iend}), kExtra},
      {"zlib data ends after a whole row", BuildPng({ihdr, {"IDAT", Compress(firstRowOnly)}, iend}), ""},
      {"empty IDAT chunks around the data", BuildPng({ihdr, {"IDAT", {}}, data, {"IDAT", {}}, iend}), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadError(c.file), c.error) << c.what;
}

TEST(PNGReader, CanLoadNeedsMoreThanTheEightSignatureBytesAndKeepsThePosition) {
  Bytes sig = {137, 80, 78, 71, 13, 10, 26, 10};
  struct Case {
    Bytes data;
    bool expected;
  };
  Bytes nine = sig;
  nine.push_back(0);
  Bytes wrong = nine;
  wrong[0] = 0;
  const Case cases[] = {{Bytes(sig.begin(), sig.end() - 1), false}, {sig, false}, {nine, true}, {wrong, false}};
  for (const Case& c : cases) {
    Bytes prefixed = {1, 2};
    prefixed.insert(prefixed.end(), c.data.begin(), c.data.end());
    fw::TMemoryStream s(prefixed);
    s.SetPosition(2);
    EXPECT_EQ(TPNGReader::CanLoad(s), c.expected) << c.data.size();
    EXPECT_EQ(s.Position(), 2);
  }
}

TEST(PNGReader, ZeroTransparentWhiteClearsOnlyWhiteWithAlphaZero) {
  TPixelBuffer b(TPixelFormat::pf32bit, 3, 1);
  const uint32_t px[3] = {0x00FFFFFF, 0xFFFFFFFF, 0x00FFFFFE};
  std::memcpy(b.ScanLine(0), px, 12);
  ZeroTransparentWhite(b);
  uint32_t out[3];
  std::memcpy(out, b.ScanLine(0), 12);
  EXPECT_EQ(out[0], 0u);
  EXPECT_EQ(out[1], 0xFFFFFFFFu);
  EXPECT_EQ(out[2], 0x00FFFFFEu);
}

}  // namespace
}  // namespace skin
