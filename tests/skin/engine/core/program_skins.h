// The program's own skins as the program loads them, read from the source
// tree (VL_SOURCE_DIR, set by the test runner), and a pixel checksum for
// painted goldens.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "skin/engine/core/skin_images.h"
#include "skin/engine/core/skin_loader.h"

namespace skin {

inline std::unique_ptr<TkLoadedSkin> LoadProgramSkin(const char* file, const char16_t* name) {
  const char* root = std::getenv("VL_SOURCE_DIR");
  if (!root) return nullptr;
  std::ifstream in(std::filesystem::path(root) / "resources" / "skins" / file, std::ios::binary);
  std::vector<uint8_t> packed{std::istreambuf_iterator<char>(in), {}};
  TSkinLoadOptions options;
  options.Saturation = -58;  // as the program shows its skins
  return LoadPackedSkin(name, packed, options);
}

inline uint64_t PixelChecksum(const TPixelView32& v) {
  uint64_t h = 1469598103934665603ull;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) h = (h ^ v.Pixel(x, y)) * 1099511628211ull;
  return h;
}

// Writes the image beside the build (VL_BINARY_DIR) for looking at.
inline void WriteSheet(TPixelBuffer& image, const std::string& name) {
  if (const char* out = std::getenv("VL_BINARY_DIR")) {
    const std::vector<uint8_t> png = EncodePngRGBA(image);
    std::ofstream(std::filesystem::path(out) / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
  }
}

}  // namespace skin
