// GIF reader: the first image of a GIF87a/GIF89a file on its logical
// screen, with its palette (local before global) and transparency.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw::codecs {

struct GifImage {
  // The logical screen, grown to hold the first frame when it is smaller.
  int Width = 0;
  int Height = 0;
  // One palette index per pixel, rows from the top, Width bytes each.
  // Pixels outside the first frame hold the transparent index when there
  // is one, else the background index.
  std::vector<uint8_t> Indices;
  // 256 entries 0x00RRGGBB; entries the file does not give are black.
  std::vector<uint32_t> Palette;
  // Number of entries the file gave (the colour table's size).
  int PaletteSize = 0;
  // -1 when the image has no transparent colour.
  int TransparentIndex = -1;
};

// Whether the data starts with a GIF signature.
bool IsGif(const uint8_t* data, size_t size);

// Raises EInvalidGraphic on a damaged or truncated file.
GifImage DecodeGif(const uint8_t* data, size_t size);

}  // namespace fw::codecs
