#include "skin/engine/core/png.h"

#include <algorithm>
#include <cstring>
#include <cstdlib>

namespace skin {

namespace {

const uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

constexpr TChunkType kIHDR = {'I', 'H', 'D', 'R'};
constexpr TChunkType kIDAT = {'I', 'D', 'A', 'T'};
constexpr TChunkType kIEND = {'I', 'E', 'N', 'D'};
constexpr TChunkType kPLTE = {'P', 'L', 'T', 'E'};
constexpr TChunkType kGAMA = {'g', 'A', 'M', 'A'};
constexpr TChunkType kBKGD = {'b', 'K', 'G', 'D'};
constexpr TChunkType kTRNS = {'t', 'R', 'N', 'S'};

const char16_t kCRCError[] = u"Cannot load image. CRC error found in PNG file.";
const char16_t kCompressionNotSupported[] =
    u"Cannot load image. The compression scheme is not supported for PNG files.";
const char16_t kInvalidPalette[] = u"Cannot load image. Palette in PNG file is invalid.";
const char16_t kInvalidColorFormat[] = u"Invalid color format in PNG file.";
const char16_t kExtraData[] = u"Cannot load image. Extra compressed data found in PNG file.";
const char16_t kCompressionError[] = u"Cannot load image. Compression error found in PNG file.";
const char16_t kCriticalChunk[] = u"Cannot load PNG image. Unexpected but critical chunk detected.";
const char16_t kLZ77Error[] = u"LZ77 decompression error.";

const char16_t kFormat[] = u"PNG";

[[noreturn]] void Truncated() { fw::codecs::ThrowTruncated(kFormat); }
[[noreturn]] void Damaged(const fw::String& reason) { fw::codecs::ThrowDamaged(kFormat, reason); }

// Chunk types compare without regard to letter case (bit 5 of each byte).
bool IsChunk(const TChunkType& a, const TChunkType& b) {
  for (int i = 0; i < 4; ++i)
    if ((a[i] & ~0x20) != (b[i] & ~0x20)) return false;
  return true;
}

uint32_t ReadBE32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return SwapBytes32(v);
}

uint16_t ReadBE16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

// The CRC-32 of the PNG format, its table built on first use from the
// exponents of the generator polynomial.
const uint32_t* CRCTable() {
  static const auto table = [] {
    std::array<uint32_t, 256> t{};
    static const int kExponents[] = {0, 1, 2, 4, 5, 7, 8, 10, 11, 12, 16, 22, 23, 26};
    uint32_t poly = 0;
    for (int e : kExponents) poly |= 1u << (31 - e);
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? poly ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table.data();
}

uint32_t UpdateCRC(uint32_t crc, const uint8_t* data, size_t count) {
  const uint32_t* table = CRCTable();
  for (size_t i = 0; i < count; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc;
}

fw::TColor RGBColor(unsigned r, unsigned g, unsigned b) {
  return static_cast<fw::TColor>(r | (g << 8) | (b << 16));
}

int NearestPaletteIndex(const TPalette& palette, fw::TColor color) {
  int r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  int best = 0, bestDistance = 1 << 30;
  for (size_t i = 0; i < palette.size(); ++i) {
    const TPaletteEntry& e = palette[i];
    int d = std::abs(e.peRed - r) + std::abs(e.peGreen - g) + std::abs(e.peBlue - b);
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

// Adam7: seven passes over the image.
const int kRowStart[7] = {0, 0, 4, 0, 2, 0, 1};
const int kRowStep[7] = {8, 8, 8, 4, 4, 2, 2};
const int kColumnStart[7] = {0, 4, 0, 2, 0, 1, 0};
const int kColumnStep[7] = {8, 8, 4, 4, 2, 2, 1};
const uint8_t kPassMask[7] = {0x80, 0x08, 0x88, 0x22, 0xAA, 0x55, 0xFF};

}  // namespace

// ---------------------------------------------------------------- decoder

TLZ77Decoder::TLZ77Decoder(int FlushMode, bool AutoReset) : FFlushMode(FlushMode), FAutoReset(AutoReset) {}

TLZ77Decoder::~TLZ77Decoder() {
  if (FStarted) inflateEnd(&FStream);
}

void TLZ77Decoder::DecodeInit() {
  if (inflateInit_(&FStream, ZLIB_VERSION, static_cast<int>(sizeof(z_stream))) < 0)
    throw EGraphicCompression(kLZ77Error);
  FStarted = true;
}

void TLZ77Decoder::Decode(const uint8_t*& Source, uint8_t*& Dest, uint32_t PackedSize, uint32_t UnpackedSize) {
  if (FAutoReset) FZLibResult = inflateReset(&FStream);
  if (FZLibResult != Z_OK) return;
  FStream.next_in = const_cast<Bytef*>(Source);
  FStream.avail_in = PackedSize;
  FStream.next_out = Dest;
  FStream.avail_out = UnpackedSize;
  FZLibResult = inflate(&FStream, FFlushMode);
  Source = FStream.next_in;
  Dest = FStream.next_out;
}

void TLZ77Decoder::DecodeEnd() {
  if (!FStarted) return;
  FStarted = false;
  if (inflateEnd(&FStream) < 0) throw EGraphicCompression(kLZ77Error);
}

// ---------------------------------------------------------------- chunks

bool TPNGReader::CanLoad(fw::TStream& Stream) {
  int64_t pos = Stream.Position();
  bool result = false;
  if (Stream.Size() - pos > 8) {
    uint8_t sig[8];
    result = Stream.Read(sig, 8) == 8 && std::memcmp(sig, kSignature, 8) == 0;
  }
  Stream.SetPosition(pos);
  return result;
}

bool TPNGReader::CanLoad(const fw::String& FileName) {
  fw::TFileStream stream(FileName, fw::fmOpenRead);
  return CanLoad(stream);
}

// Reads the 8 header bytes and starts the running CRC; false when the header
// or the data and CRC it announces do not fit into what is left of the stream.
bool TPNGReader::TryReadChunkHeader() {
  uint8_t raw[8];
  int64_t left = FStreamSize - FStream->Position();
  if (left < 8 || FStream->Read(raw, 8) != 8) return false;
  FHeader.Length = ReadBE32(raw);
  std::memcpy(FHeader.ChunkType.data(), raw + 4, 4);
  FCurrentCRC = UpdateCRC(0xFFFFFFFFu, raw + 4, 4);
  return static_cast<int64_t>(FHeader.Length) + 4 <= left - 8;
}

void TPNGReader::ReadChunkHeader() {
  if (!TryReadChunkHeader()) Truncated();
}

void TPNGReader::ReadChunkData() {
  FRawBuffer.resize(FHeader.Length);
  uint8_t stored[4];
  if (FStream->Read(FRawBuffer.data(), FHeader.Length) != FHeader.Length || FStream->Read(stored, 4) != 4)
    Truncated();
  FCurrentCRC = UpdateCRC(FCurrentCRC, FRawBuffer.data(), FRawBuffer.size());
  if ((FCurrentCRC ^ 0xFFFFFFFFu) != ReadBE32(stored)) throw fw::EInvalidGraphic(kCRCError);
}

void TPNGReader::SkipChunkData() {
  FStream->Seek(static_cast<int64_t>(FHeader.Length) + 4, fw::TSeekOrigin::soCurrent);
}

void TPNGReader::ReadIHDR() {
  ReadChunkData();
  const uint8_t* d = FRawBuffer.data();
  FIHDR.Width = ReadBE32(d);
  FIHDR.Height = ReadBE32(d + 4);
  FIHDR.BitDepth = d[8];
  FIHDR.ColorType = d[9];
  FIHDR.Compression = d[10];
  FIHDR.Filter = d[11];
  FIHDR.Interlace = d[12];
}

// ---------------------------------------------------------------- properties

bool TPNGReader::ReadImageProperties(fw::TStream& Stream, unsigned) {
  FImageProperties = TImageProperties{};
  FHeight = 0;
  FStream = &Stream;
  FStreamSize = Stream.Size();
  uint8_t sig[8];
  if (Stream.Read(sig, 8) != 8 || std::memcmp(sig, kSignature, 8) != 0) return false;
  if (!TryReadChunkHeader() || !IsChunk(FHeader.ChunkType, kIHDR) || FHeader.Length < 13) return false;
  FImageProperties.Options |= ioBigEndian;
  ReadIHDR();
  if (FIHDR.Width == 0 || FIHDR.Height == 0 || FIHDR.Width > kMaxSide || FIHDR.Height > kMaxSide ||
      uint64_t{FIHDR.Width} * FIHDR.Height > kMaxPixels)
    return false;
  FImageProperties.Width = FIHDR.Width;
  FHeight = FIHDR.Height;
  FImageProperties.Compression = FIHDR.Compression == 0 ? TCompressionType::ctLZ77 : TCompressionType::ctUnknown;
  FImageProperties.BitsPerSample = FIHDR.BitDepth;
  FImageProperties.SamplesPerPixel = 1;
  switch (FIHDR.ColorType) {
    case 0: FImageProperties.ColorScheme = TColorScheme::csG; break;
    case 2:
      FImageProperties.ColorScheme = TColorScheme::csRGB;
      FImageProperties.SamplesPerPixel = 3;
      break;
    case 3: FImageProperties.ColorScheme = TColorScheme::csIndexed; break;
    case 4: FImageProperties.ColorScheme = TColorScheme::csGA; break;
    case 6:
      FImageProperties.ColorScheme = TColorScheme::csRGBA;
      FImageProperties.SamplesPerPixel = 4;
      break;
    default: FImageProperties.ColorScheme = TColorScheme::csUnknown; break;
  }
  while (TryReadChunkHeader()) {
    if (IsChunk(FHeader.ChunkType, kGAMA)) {
      ReadChunkData();
      break;
    }
    SkipChunkData();
    if (IsChunk(FHeader.ChunkType, kIEND)) break;
  }
  FRawBuffer = {};
  return true;
}

// ---------------------------------------------------------------- loading

void TPNGReader::Progress(TProgressStage Stage, const fw::String& Msg) {
  if (OnProgress) OnProgress(this, Stage, 0, false, FProgressRect, Msg);
}

void TPNGReader::ReleaseLoadState() {
  FDecoder.reset();
  FRawBuffer = {};
  FCurrentSource = nullptr;
  FIDATSize = 0;
}

// Says what is wrong with a stream that ReadImageProperties refuses: the
// signature, the header chunk or the image's size.
void TPNGReader::CheckHeader(fw::TStream& Stream) {
  FStream = &Stream;
  FStreamSize = Stream.Size();
  uint8_t sig[8];
  const int64_t got = Stream.Read(sig, 8);
  if (std::memcmp(sig, kSignature, static_cast<size_t>(std::max<int64_t>(got, 0))) != 0) Damaged(u"bad signature");
  if (got != 8 || FStreamSize - Stream.Position() < 8) Truncated();
  const bool fits = TryReadChunkHeader();
  if (!IsChunk(FHeader.ChunkType, kIHDR)) Damaged(u"the first chunk is not IHDR");
  if (FHeader.Length < 13) Damaged(u"the IHDR chunk is too short");
  if (!fits) Truncated();
  ReadIHDR();
  if (FIHDR.Width == 0 || FIHDR.Height == 0) Damaged(u"the image has no pixels");
  fw::codecs::CheckImageSize(FIHDR.Width, FIHDR.Height, kFormat);
}

void TPNGReader::LoadFromStream(fw::TStream& Stream) {
  FImage.Clear();
  FBasePosition = Stream.Position();
  FDecoder.reset();
  CheckHeader(Stream);
  Stream.SetPosition(FBasePosition);
  if (!ReadImageProperties(Stream, 0)) Damaged(u"bad header");
  Stream.SetPosition(FBasePosition + 8);
  FProgressRect = fw::Rect(0, 0, static_cast<int>(FImageProperties.Width), 1);
  Progress(TProgressStage::psStarting, u"Preparing...");

  FPalette.clear();
  FTransparency.clear();
  FBackgroundColor = 0xFFFFFF;
  FTransparentColor = kNoTransparentColor;
  FPixelFormat = TPixelFormat::pfDevice;
  FHaveImageData = false;
  // Gamma of an earlier image must not carry over to this one.
  FColorManager.SetTargetOptions(0);
  FColorManager.SetGamma(1.0f, 2.2f);
  ReadChunkHeader();
  ReadIHDR();
  FColorManager.SetSourceOptions(coNeedByteSwap);
  if (FImageProperties.Compression != TCompressionType::ctLZ77) {
    Progress(TProgressStage::psEnding, u"");
    throw fw::EInvalidGraphic(kCompressionNotSupported);
  }

  try {
    FDecoder = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH, false);
    FDecoder->DecodeInit();
    for (;;) {
      ReadChunkHeader();
      const TChunkType& type = FHeader.ChunkType;
      if (IsChunk(type, kIDAT)) {
        Progress(TProgressStage::psEnding, u"");
        LoadIDAT();
        // FHeader now names the first chunk after the image data.
      } else if (IsChunk(type, kPLTE)) {
        HandlePLTE();
        continue;
      } else if (IsChunk(type, kGAMA)) {
        HandleGAMA();
        continue;
      } else if (IsChunk(type, kBKGD)) {
        HandleBKGD();
        continue;
      } else if (IsChunk(type, kTRNS)) {
        HandleTRNS();
        continue;
      }
      SkipChunkData();
      if (IsChunk(FHeader.ChunkType, kIEND)) break;
      if (!(FHeader.ChunkType[0] & 0x20)) throw fw::EInvalidGraphic(kCriticalChunk);
    }
    // A file without image data describes no picture.
    if (!FHaveImageData) Damaged(u"no image data");
  } catch (...) {
    ReleaseLoadState();
    Progress(TProgressStage::psEnding, u"");
    throw;
  }
  std::unique_ptr<TLZ77Decoder> decoder = std::move(FDecoder);
  ReleaseLoadState();
  Progress(TProgressStage::psEnding, u"");
  decoder->DecodeEnd();
}

void TPNGReader::SetupColorDepth() {
  uint8_t depth = FIHDR.BitDepth;
  TColorManager& cm = FColorManager;
  auto isDepth = [depth](std::initializer_list<int> depths) {
    return std::find(depths.begin(), depths.end(), depth) != depths.end();
  };
  switch (FIHDR.ColorType) {
    case 0:
      if (!isDepth({1, 2, 4, 8, 16})) break;
      cm.SetSourceColorScheme(TColorScheme::csG);
      cm.SetTargetColorScheme(TColorScheme::csG);
      cm.SetSourceSamplesPerPixel(1);
      cm.SetTargetSamplesPerPixel(1);
      cm.SetSourceBitsPerSample(depth);
      cm.SetTargetBitsPerSample(depth == 2 ? 4 : depth == 16 ? 8 : depth);
      FSourceBPP = (depth + 7) / 8;
      FPalette = cm.CreateGrayscalePalette(false);
      FPixelFormat = cm.TargetPixelFormat();
      return;
    case 2:
      if (!isDepth({8, 16})) break;
      cm.SetSourceColorScheme(TColorScheme::csRGB);
      cm.SetTargetColorScheme(TColorScheme::csBGR);
      cm.SetSourceSamplesPerPixel(3);
      cm.SetTargetSamplesPerPixel(3);
      cm.SetSourceBitsPerSample(depth);
      cm.SetTargetBitsPerSample(8);
      FSourceBPP = depth * 3 / 8;
      FPalette.clear();
      FPixelFormat = TPixelFormat::pf24bit;
      return;
    case 3:
      if (!isDepth({1, 2, 4, 8})) break;
      cm.SetSourceColorScheme(TColorScheme::csIndexed);
      cm.SetTargetColorScheme(TColorScheme::csIndexed);
      cm.SetSourceSamplesPerPixel(1);
      cm.SetTargetSamplesPerPixel(1);
      cm.SetSourceBitsPerSample(depth);
      cm.SetTargetBitsPerSample(depth == 2 ? 4 : depth);
      FSourceBPP = 1;
      FPixelFormat = cm.TargetPixelFormat();
      return;
    case 4:
      if (!isDepth({8, 16})) break;
      cm.SetSourceColorScheme(TColorScheme::csGA);
      cm.SetTargetColorScheme(TColorScheme::csIndexed);
      cm.SetSourceSamplesPerPixel(1);
      cm.SetTargetSamplesPerPixel(1);
      cm.SetSourceBitsPerSample(depth);
      cm.SetTargetBitsPerSample(8);
      FSourceBPP = depth * 2 / 8;
      FPalette = cm.CreateGrayscalePalette(false);
      FPixelFormat = TPixelFormat::pf8bit;
      return;
    case 6:
      if (!isDepth({8, 16})) break;
      cm.SetSourceColorScheme(TColorScheme::csRGBA);
      cm.SetTargetColorScheme(TColorScheme::csBGRA);
      cm.SetSourceSamplesPerPixel(4);
      cm.SetTargetSamplesPerPixel(4);
      cm.SetSourceBitsPerSample(depth);
      cm.SetTargetBitsPerSample(8);
      FSourceBPP = depth * 4 / 8;
      FPalette.clear();
      FPixelFormat = TPixelFormat::pf32bit;
      return;
    default:
      break;
  }
  throw fw::EInvalidGraphic(kInvalidColorFormat);
}

void TPNGReader::HandlePLTE() {
  if (FHeader.Length % 3 != 0) throw fw::EInvalidGraphic(kInvalidPalette);
  ReadChunkData();
  if (FIHDR.ColorType != 3) return;
  SetupColorDepth();
  const uint8_t* data[] = {FRawBuffer.data()};
  FPalette = FColorManager.CreateColorPalette(data, TRawPaletteFormat::pfInterlaced8Triple, FHeader.Length / 3, false);
}

void TPNGReader::ChunkTooShort() const {
  const TChunkType& t = FHeader.ChunkType;
  Damaged(u"the " + fw::String(t.begin(), t.end()) + u" chunk is too short");
}

void TPNGReader::HandleGAMA() {
  if (FHeader.Length < 4) ChunkTooShort();
  ReadChunkData();
  float gamma = static_cast<float>(ReadBE32(FRawBuffer.data()) / 100000.0);
  FColorManager.SetGamma(gamma, 2.2f);
  FColorManager.SetTargetOptions(FColorManager.TargetOptions() | coApplyGamma);
  FImageProperties.Options |= ioUseGamma;
}

// A grey sample of the chunk data on the 8-bit scale, as the colour (v, v, v).
fw::TColor TPNGReader::ScaledGrey() const {
  unsigned v = ReadBE16(FRawBuffer.data());
  uint8_t depth = FIHDR.BitDepth;
  // A depth the image cannot have (the load fails later) counts as 8 bits.
  unsigned max = depth == 16 ? 65535u : (depth == 1 || depth == 2 || depth == 4) ? (1u << depth) - 1 : 255u;
  v = std::min(v, max) * 255u / max;
  return RGBColor(v, v, v);
}

// Three 16-bit samples of the chunk data from offset as a colour: 16-bit
// samples scaled to 8 bits, others taken from their low byte.
fw::TColor TPNGReader::ScaledColor(size_t offset) const {
  unsigned c[3];
  for (int i = 0; i < 3; ++i) {
    unsigned v = ReadBE16(FRawBuffer.data() + offset + 2 * i);
    c[i] = FIHDR.BitDepth == 16 ? v * 255u / 65535u : (v & 0xFF);
  }
  return RGBColor(c[0], c[1], c[2]);
}

void TPNGReader::HandleBKGD() {
  uint8_t type = FIHDR.ColorType;
  uint32_t need = (type == 0 || type == 4) ? 2 : (type == 2 || type == 6) ? 6 : 1;
  if (FHeader.Length < need) ChunkTooShort();
  ReadChunkData();
  if (type == 0 || type == 4) {
    FBackgroundColor = ScaledGrey();
  } else if (type == 2 || type == 6) {
    FBackgroundColor = ScaledColor(0);
  } else if (type == 3) {
    // The index names a colour of the file's palette, which the palette
    // built for the image may have spread over more entries.
    unsigned index = FRawBuffer[0];
    unsigned smax = (1u << std::min<unsigned>(FIHDR.BitDepth, 8)) - 1;
    unsigned tmax = (1u << std::min<unsigned>(FColorManager.TargetBitsPerSample(), 8)) - 1;
    if (smax != 0 && smax != tmax && index <= smax) index = index * tmax / smax;
    TPaletteEntry e = index < FPalette.size() ? FPalette[index] : TPaletteEntry{};
    FBackgroundColor = RGBColor(e.peRed, e.peGreen, e.peBlue);
  }
}

void TPNGReader::HandleTRNS() {
  uint8_t type = FIHDR.ColorType;
  uint32_t need = type == 0 ? 2 : type == 2 ? 6 : 0;
  if (FHeader.Length < need) ChunkTooShort();
  ReadChunkData();
  if (type == 0) {
    FTransparentColor = ScaledGrey();
  } else if (type == 2) {
    FTransparentColor = ScaledColor(0);
  } else if (type == 3) {
    FTransparency.assign(256, 255);
    std::copy_n(FRawBuffer.begin(), std::min<size_t>(FRawBuffer.size(), 256), FTransparency.begin());
  }
}

// ---------------------------------------------------------------- image data

void TPNGReader::FillBackground() {
  uint8_t* row0;
  ptrdiff_t distance;
  if (!GetScanLineLayout(FImage, row0, distance)) return;
  int width = FImage.Width();
  uint8_t b = (FBackgroundColor >> 16) & 0xFF, g = (FBackgroundColor >> 8) & 0xFF, r = FBackgroundColor & 0xFF;
  std::vector<uint8_t> line(static_cast<size_t>(FImage.RowBytes()), 0);
  switch (FPixelFormat) {
    case TPixelFormat::pf32bit:
      for (int x = 0; x < width; ++x) {
        line[x * 4] = b;
        line[x * 4 + 1] = g;
        line[x * 4 + 2] = r;
      }
      break;
    case TPixelFormat::pf24bit:
      for (int x = 0; x < width; ++x) {
        line[x * 3] = b;
        line[x * 3 + 1] = g;
        line[x * 3 + 2] = r;
      }
      break;
    default: {
      int bits = PixelFormatBits(FPixelFormat);
      unsigned index = static_cast<unsigned>(NearestPaletteIndex(FPalette, FBackgroundColor));
      uint8_t pattern = bits == 8 ? index : bits == 4 ? (index << 4) | index : (index ? 0xFF : 0);
      std::fill(line.begin(), line.end(), pattern);
      break;
    }
  }
  for (int y = 0; y < FImage.Height(); ++y) std::memcpy(row0 + y * distance, line.data(), line.size());
}

// Fills Row with Count inflated bytes, taking IDAT chunks as the decoder
// needs them. Returns the number of bytes placed: fewer than Count when the
// image data ends early.
size_t TPNGReader::ReadRow(uint8_t* Row, size_t Count) {
  uint8_t* dest = Row;
  uint8_t* end = Row + Count;
  for (;;) {
    while (FIDATSize == 0) {
      if (!IsChunk(FHeader.ChunkType, kIDAT)) return static_cast<size_t>(dest - Row);
      ReadChunkData();
      FCurrentSource = FRawBuffer.data();
      FIDATSize = FHeader.Length;
      ReadChunkHeader();
    }
    FDecoder->Decode(FCurrentSource, dest, FIDATSize, static_cast<uint32_t>(end - dest));
    FIDATSize = FDecoder->AvailableInput();
    int result = FDecoder->ZLibResult();
    if (result == Z_STREAM_END) {
      if (dest != end || FIDATSize > 0) throw fw::EInvalidGraphic(kExtraData);
      return Count;
    }
    if (result != Z_OK) throw fw::EInvalidGraphic(kCompressionError);
    if (dest == end) return Count;
  }
}

void TPNGReader::ApplyFilter(uint8_t Filter, uint8_t* Line, const uint8_t* PrevLine, size_t Count) const {
  size_t bpp = FSourceBPP;
  switch (Filter) {
    case 1:  // Sub
      for (size_t i = bpp; i < Count; ++i) Line[i] = static_cast<uint8_t>(Line[i] + Line[i - bpp]);
      break;
    case 2:  // Up
      for (size_t i = 0; i < Count; ++i) Line[i] = static_cast<uint8_t>(Line[i] + PrevLine[i]);
      break;
    case 3:  // Average
      for (size_t i = 0; i < Count; ++i) {
        unsigned left = i >= bpp ? Line[i - bpp] : 0;
        Line[i] = static_cast<uint8_t>(Line[i] + (left + PrevLine[i]) / 2);
      }
      break;
    case 4:  // Paeth
      for (size_t i = 0; i < Count; ++i) {
        int a = i >= bpp ? Line[i - bpp] : 0, b = PrevLine[i], c = i >= bpp ? PrevLine[i - bpp] : 0;
        int p = a + b - c;
        int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        int predictor = (pa <= pb && pa <= pc) ? a : pb <= pc ? b : c;
        Line[i] = static_cast<uint8_t>(Line[i] + predictor);
      }
      break;
    default:  // 0 none; unknown filters leave the row as it came
      break;
  }
}

void TPNGReader::LoadIDAT() {
  FHaveImageData = true;
  Progress(TProgressStage::psStarting, u"Transfering...");
  if (FPixelFormat == TPixelFormat::pfDevice) SetupColorDepth();
  uint32_t depth = FIHDR.BitDepth;
  uint32_t samples = depth == 16 ? FSourceBPP / 2 : FSourceBPP;
  uint32_t width = FImageProperties.Width;
  FImage.SetSize(FPixelFormat, static_cast<int>(width), static_cast<int>(FHeight));
  int bits = PixelFormatBits(FPixelFormat);
  // Every index the pixels can hold gets a colour; missing ones are black.
  if (bits <= 8) FPalette.resize(std::max(FPalette.size(), size_t{1} << bits));
  FImage.Palette = FPalette;
  FillBackground();

  size_t rowBytes = (static_cast<size_t>(width) * depth + 7) / 8 * samples;
  std::vector<uint8_t> bufferA(rowBytes + 1, 0), bufferB(rowBytes + 1, 0);
  uint8_t* current = bufferA.data();
  uint8_t* previous = bufferB.data();
  uint8_t* row0;
  ptrdiff_t distance;
  if (GetScanLineLayout(FImage, row0, distance)) {
    // Converts one row read into current; false once the data has run out,
    // after which the rows left keep the background.
    auto decodeRow = [&](size_t length, uint32_t y, uint8_t mask) {
      size_t got = ReadRow(current, length);
      if (got < length) std::memset(current + got, 0, length - got);
      ApplyFilter(current[0], current + 1, previous + 1, length - 1);
      const uint8_t* source[] = {current + 1};
      FColorManager.ConvertRow(source, row0 + static_cast<ptrdiff_t>(y) * distance, width, mask);
      std::swap(current, previous);
      return got == length;
    };
    if (FIHDR.Interlace == 1) {
      bool more = true;
      for (int pass = 0; pass < 7 && more; ++pass) {
        if (static_cast<uint32_t>(kColumnStart[pass]) >= width) continue;
        size_t pixels = (width + kColumnStep[pass] - kColumnStart[pass] - 1) / kColumnStep[pass];
        size_t length = (pixels * depth + 7) / 8 * samples + 1;
        std::fill(bufferA.begin(), bufferA.end(), 0);
        std::fill(bufferB.begin(), bufferB.end(), 0);
        for (uint32_t y = kRowStart[pass]; y < FHeight && more; y += kRowStep[pass]) {
          more = decodeRow(length, y, kPassMask[pass]);
          if (pass == 6) {
            FProgressRect.Top = static_cast<int>(y);
            FProgressRect.Bottom = static_cast<int>(y) + 1;
          }
        }
      }
    } else {
      for (uint32_t y = 0; y < FHeight; ++y) {
        FProgressRect.Top = static_cast<int>(y);
        FProgressRect.Bottom = static_cast<int>(y) + 1;
        if (!decodeRow(rowBytes + 1, y, 0xFF)) break;
      }
    }
  }
  // Image data beyond the last row is read (its CRC tested) and dropped.
  while (IsChunk(FHeader.ChunkType, kIDAT)) {
    ReadChunkData();
    ReadChunkHeader();
  }
}

void ZeroTransparentWhite(TPixelBuffer& Bitmap) {
  if (Bitmap.PixelFormat() != TPixelFormat::pf32bit) return;
  uint8_t* row0;
  ptrdiff_t distance;
  if (!GetScanLineLayout(Bitmap, row0, distance)) return;
  for (int y = 0; y < Bitmap.Height(); ++y) {
    uint8_t* p = row0 + y * distance;
    for (int x = 0; x < Bitmap.Width(); ++x, p += 4) {
      uint32_t v;
      std::memcpy(&v, p, 4);
      if (v == 0x00FFFFFFu) std::memset(p, 0, 4);
    }
  }
}

}  // namespace skin
