#include "fw/codecs/gif.h"

#include <algorithm>
#include <cstring>

#include "fw/codecs/image_limits.h"

namespace fw::codecs {

namespace {

const String kFormat = u"GIF";

class TByteReader {
 public:
  TByteReader(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
  size_t Left() const { return FSize - FPos; }
  const uint8_t* Take(size_t n) {
    if (n > Left()) ThrowTruncated(kFormat);
    const uint8_t* p = FData + FPos;
    FPos += n;
    return p;
  }
  uint8_t Byte() { return *Take(1); }
  uint16_t Word() { return ReadLE16(Take(2)); }

  // Skips a chain of sub-blocks up to its empty terminator.
  void SkipSubBlocks() {
    for (;;) {
      uint8_t n = Byte();
      if (n == 0) return;
      Take(n);
    }
  }
  // Joins a chain of sub-blocks.
  std::vector<uint8_t> ReadSubBlocks() {
    std::vector<uint8_t> out;
    for (;;) {
      uint8_t n = Byte();
      if (n == 0) return out;
      const uint8_t* p = Take(n);
      out.insert(out.end(), p, p + n);
    }
  }

 private:
  const uint8_t* FData;
  size_t FSize;
  size_t FPos = 0;
};

void ReadColorTable(TByteReader& r, int entries, std::vector<uint32_t>& palette) {
  const uint8_t* p = r.Take(static_cast<size_t>(entries) * 3);
  palette.assign(256, 0);
  for (int i = 0; i < entries; ++i)
    palette[i] = (uint32_t(p[3 * i]) << 16) | (uint32_t(p[3 * i + 1]) << 8) | p[3 * i + 2];
}

// Receives decoded pixels of one frame and puts them on the screen,
// following the interlaced row order when asked to.
class TFrameWriter {
 public:
  TFrameWriter(GifImage& img, int left, int top, int w, int h, bool interlaced)
      : FImg(img), FLeft(left), FTop(top), FWidth(w), FHeight(h), FInterlaced(interlaced) {}
  bool Full() const { return FRow >= FHeight; }
  void Put(uint8_t index) {
    if (Full()) return;
    FImg.Indices[static_cast<size_t>(FTop + FrameRow()) * FImg.Width + FLeft + FX] = index;
    if (++FX == FWidth) {
      FX = 0;
      NextRow();
    }
  }

 private:
  int FrameRow() const { return FInterlaced ? FPassRow : FRow; }
  void NextRow() {
    ++FRow;
    if (!FInterlaced) return;
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    FPassRow += kStep[FPass];
    while (FPassRow >= FHeight && FPass < 3) {
      ++FPass;
      FPassRow = kStart[FPass];
    }
  }

  GifImage& FImg;
  int FLeft, FTop, FWidth, FHeight;
  bool FInterlaced;
  int FX = 0;
  int FRow = 0;      // rows written
  int FPass = 0;     // interlace pass
  int FPassRow = 0;  // frame row of the current interlaced row
};

void DecodeLzw(const std::vector<uint8_t>& data, int minCodeSize, TFrameWriter& out) {
  if (minCodeSize < 1 || minCodeSize > 8) ThrowDamaged(kFormat, u"invalid LZW code size");
  constexpr int kMaxCodes = 4096;
  uint16_t prefix[kMaxCodes];
  uint8_t suffix[kMaxCodes];
  uint8_t stack[kMaxCodes + 1];
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  int codeSize = minCodeSize + 1;
  int next = clear + 2;
  int prev = -1;
  uint8_t first = 0;
  uint32_t bits = 0;
  int bitCount = 0;
  size_t pos = 0;
  while (!out.Full()) {
    while (bitCount < codeSize) {
      if (pos >= data.size()) return;  // data ends without an end code
      bits |= uint32_t(data[pos++]) << bitCount;
      bitCount += 8;
    }
    int code = static_cast<int>(bits & ((1u << codeSize) - 1));
    bits >>= codeSize;
    bitCount -= codeSize;

    if (code == clear) {
      codeSize = minCodeSize + 1;
      next = clear + 2;
      prev = -1;
      continue;
    }
    if (code == end) return;
    if (prev < 0) {
      if (code > clear) ThrowDamaged(kFormat, u"invalid LZW code");
      first = static_cast<uint8_t>(code);
      out.Put(first);
      prev = code;
      continue;
    }
    if (code > next || (code == next && next >= kMaxCodes)) ThrowDamaged(kFormat, u"invalid LZW code");
    int in = code;
    int sp = 0;
    if (code == next) {
      stack[sp++] = first;
      code = prev;
    }
    while (code > end) {
      stack[sp++] = suffix[code];
      code = prefix[code];
    }
    first = static_cast<uint8_t>(code);
    stack[sp++] = first;
    while (sp > 0) out.Put(stack[--sp]);
    if (next < kMaxCodes) {
      prefix[next] = static_cast<uint16_t>(prev);
      suffix[next] = first;
      ++next;
      if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
    }
    prev = in;
  }
}

}  // namespace

bool IsGif(const uint8_t* data, size_t size) {
  return size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0);
}

GifImage DecodeGif(const uint8_t* data, size_t size) {
  if (size < 6) ThrowTruncated(kFormat);
  if (!IsGif(data, size)) ThrowDamaged(kFormat, u"no GIF signature");
  TByteReader r(data + 6, size - 6);
  GifImage img;
  int screenW = r.Word();
  int screenH = r.Word();
  uint8_t flags = r.Byte();
  uint8_t background = r.Byte();
  r.Byte();  // aspect ratio
  std::vector<uint32_t> global;
  int globalSize = 0;
  if (flags & 0x80) {
    globalSize = 2 << (flags & 7);
    ReadColorTable(r, globalSize, global);
  }

  int transparent = -1;
  for (;;) {
    uint8_t block = r.Byte();
    if (block == 0x3B) ThrowDamaged(kFormat, u"the file holds no image");
    if (block == 0x21) {
      uint8_t label = r.Byte();
      if (label == 0xF9) {  // graphic control: transparency of the next image
        uint8_t n = r.Byte();
        if (n < 4) ThrowDamaged(kFormat, u"short graphic control block");
        const uint8_t* p = r.Take(n);
        transparent = (p[0] & 1) ? p[3] : -1;
        r.SkipSubBlocks();
      } else {
        r.SkipSubBlocks();
      }
      continue;
    }
    if (block != 0x2C) ThrowDamaged(kFormat, u"unknown block");

    int left = r.Word(), top = r.Word(), w = r.Word(), h = r.Word();
    uint8_t imageFlags = r.Byte();
    std::vector<uint32_t> palette = global;
    int paletteSize = globalSize;
    if (imageFlags & 0x80) {
      paletteSize = 2 << (imageFlags & 7);
      ReadColorTable(r, paletteSize, palette);
    }
    if (palette.empty()) palette.assign(256, 0);
    int minCodeSize = r.Byte();
    std::vector<uint8_t> lzw = r.ReadSubBlocks();

    // The screen grows to hold a frame that reaches past it.
    int64_t width = std::max<int64_t>(screenW, int64_t(left) + w);
    int64_t height = std::max<int64_t>(screenH, int64_t(top) + h);
    CheckImageSize(width, height, kFormat);
    img.Width = static_cast<int>(width);
    img.Height = static_cast<int>(height);
    img.Palette = std::move(palette);
    img.PaletteSize = paletteSize;
    img.TransparentIndex = transparent;
    uint8_t fill = transparent >= 0 ? static_cast<uint8_t>(transparent) : background;
    img.Indices.assign(static_cast<size_t>(img.Width) * img.Height, fill);
    if (w > 0 && h > 0) {
      TFrameWriter out(img, left, top, w, h, (imageFlags & 0x40) != 0);
      DecodeLzw(lzw, minCodeSize, out);
    } else if (minCodeSize < 1 || minCodeSize > 8) {
      ThrowDamaged(kFormat, u"invalid LZW code size");
    }
    return img;
  }
}

}  // namespace fw::codecs
