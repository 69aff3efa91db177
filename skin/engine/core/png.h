// The skin engine's PNG reader: decodes a PNG stream into a device-independent
// image of the pixel format the colour type calls for (1, 4 or 8 bits with a
// palette, 24-bit, or 32-bit with straight alpha), and keeps what the file
// says beside the pixels: header properties, palette, transparency, gamma and
// background. The compressed image data is inflated by zlib; the samples are
// converted by the colour manager.
#pragma once

#include <zlib.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "fw/codecs/image_limits.h"
#include "fw/core/exceptions.h"
#include "fw/core/streams.h"
#include "fw/core/types.h"
#include "skin/engine/core/color_manager.h"
#include "skin/engine/core/pixel_buffer.h"

namespace skin {

// Failure to start or end the inflater.
class EGraphicCompression : public fw::Exception {
 public:
  using Exception::Exception;
};

using TImageOptions = uint8_t;
enum : TImageOptions { ioBigEndian = 1 << 0, ioUseGamma = 1 << 1 };

enum class TCompressionType { ctUnknown, ctNone, ctLZ77 };

struct TImageProperties {
  TImageOptions Options = 0;
  uint32_t Width = 0;
  TColorScheme ColorScheme = TColorScheme::csUnknown;
  uint8_t BitsPerSample = 0;
  uint8_t SamplesPerPixel = 0;
  TCompressionType Compression = TCompressionType::ctUnknown;
};

using TChunkType = std::array<uint8_t, 4>;

struct TPNGChunkHeader {
  uint32_t Length = 0;  // host order
  TChunkType ChunkType{};
};

// Inflates zlib data in pieces the caller hands it.
class TLZ77Decoder {
 public:
  TLZ77Decoder(int FlushMode, bool AutoReset);
  ~TLZ77Decoder();
  TLZ77Decoder(const TLZ77Decoder&) = delete;
  TLZ77Decoder& operator=(const TLZ77Decoder&) = delete;

  void DecodeInit();
  // One inflate call from Source into Dest; both come back advanced. Does
  // nothing once zlib has answered anything but "ok".
  void Decode(const uint8_t*& Source, uint8_t*& Dest, uint32_t PackedSize, uint32_t UnpackedSize);
  void DecodeEnd();

  uint32_t AvailableInput() const { return FStream.avail_in; }
  uint32_t AvailableOutput() const { return FStream.avail_out; }
  int ZLibResult() const { return FZLibResult; }

 private:
  z_stream FStream{};
  int FZLibResult = Z_OK;
  int FFlushMode;
  bool FAutoReset;
  bool FStarted = false;
};

enum class TProgressStage { psStarting, psRunning, psEnding };

class TPNGReader;
using TPNGProgressEvent = std::function<void(TPNGReader* Sender, TProgressStage Stage, uint8_t PercentDone,
                                             bool RedrawNow, const fw::TRect& R, const fw::String& Msg)>;

constexpr fw::TColor kNoTransparentColor = 0x1FFFFFFF;

class TPNGReader {
 public:
  // Images larger than this on a side, or with more pixels in all, are
  // refused as invalid (the limits of every image reader of the program).
  static constexpr uint32_t kMaxSide = fw::codecs::kMaxImageSide;
  static constexpr uint64_t kMaxPixels = fw::codecs::kMaxImagePixels;

  TPNGReader() = default;
  TPNGReader(const TPNGReader&) = delete;
  TPNGReader& operator=(const TPNGReader&) = delete;

  // True when more than 8 bytes remain and they are the PNG signature; the
  // position is restored.
  static bool CanLoad(fw::TStream& Stream);
  static bool CanLoad(const fw::String& FileName);

  // Reads the signature and header from the current position; false when they
  // do not describe a PNG image this reader accepts.
  bool ReadImageProperties(fw::TStream& Stream, unsigned ImageIndex);
  // Decodes the PNG that starts at the stream's current position. Raises
  // fw::EInvalidGraphic for format errors; the image keeps what was decoded.
  void LoadFromStream(fw::TStream& Stream);

  TPixelBuffer& Image() { return FImage; }
  const TPixelBuffer& Image() const { return FImage; }
  uint32_t Height() const { return FHeight; }
  const TImageProperties& ImageProperties() const { return FImageProperties; }
  TColorManager& ColorManager() { return FColorManager; }
  fw::TColor BackgroundColor() const { return FBackgroundColor; }
  // The colour key of grey and RGB images, kNoTransparentColor when none.
  fw::TColor TransparentColor() const { return FTransparentColor; }
  // Alpha of each palette entry of a palette image, empty when the file has none.
  const std::vector<uint8_t>& Transparency() const { return FTransparency; }

  TPNGProgressEvent OnProgress;

 private:
  struct TIHDRChunk {
    uint32_t Width = 0;
    uint32_t Height = 0;
    uint8_t BitDepth = 0;
    uint8_t ColorType = 0;
    uint8_t Compression = 0;
    uint8_t Filter = 0;
    uint8_t Interlace = 0;
  };

  bool TryReadChunkHeader();
  void CheckHeader(fw::TStream& Stream);
  [[noreturn]] void ChunkTooShort() const;
  void ReadChunkHeader();
  void ReadChunkData();
  void SkipChunkData();
  void ReadIHDR();
  void SetupColorDepth();
  void HandlePLTE();
  void HandleGAMA();
  void HandleBKGD();
  void HandleTRNS();
  void LoadIDAT();
  void FillBackground();
  size_t ReadRow(uint8_t* Row, size_t Count);
  void ApplyFilter(uint8_t Filter, uint8_t* Line, const uint8_t* PrevLine, size_t Count) const;
  fw::TColor ScaledColor(size_t offset) const;
  fw::TColor ScaledGrey() const;
  void Progress(TProgressStage Stage, const fw::String& Msg);
  void ReleaseLoadState();

  TColorManager FColorManager;
  fw::TRect FProgressRect;
  int64_t FBasePosition = 0;
  fw::TStream* FStream = nullptr;
  int64_t FStreamSize = 0;
  TImageProperties FImageProperties;
  uint32_t FHeight = 0;
  std::unique_ptr<TLZ77Decoder> FDecoder;
  uint32_t FIDATSize = 0;
  std::vector<uint8_t> FRawBuffer;
  const uint8_t* FCurrentSource = nullptr;
  TPNGChunkHeader FHeader;
  uint32_t FCurrentCRC = 0;
  uint32_t FSourceBPP = 1;
  TPalette FPalette;
  std::vector<uint8_t> FTransparency;
  fw::TColor FTransparentColor = kNoTransparentColor;
  fw::TColor FBackgroundColor = 0xFFFFFF;
  TIHDRChunk FIHDR;
  TPixelFormat FPixelFormat = TPixelFormat::pfDevice;  // pfDevice: not set up yet
  bool FHaveImageData = false;
  TPixelBuffer FImage;
};

// In a 32-bit image every pixel whose whole value is 0x00FFFFFF (white with
// alpha 0) becomes 0.
void ZeroTransparentWhite(TPixelBuffer& Bitmap);

}  // namespace skin
