// Screenshots for a person to look at: a window's area read back from the
// screen into a 24-bit bitmap, and that bitmap written as a PNG file
// (8-bit RGB, no interlace, rows unfiltered, deflated with zlib).
#pragma once

#include <windows.h>
#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "fw/graphics/graphics.h"

namespace scenarios {

// What the screen shows of the window (its frame included); of a window
// reaching beyond the screen (maximised) the part on the screen.
inline std::unique_ptr<fw::TBitmap> ScreenshotOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  const int sx = GetSystemMetrics(SM_XVIRTUALSCREEN), sy = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const RECT visible{sx, sy, sx + GetSystemMetrics(SM_CXVIRTUALSCREEN), sy + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  IntersectRect(&r, &r, &visible);
  auto bmp = std::make_unique<fw::TBitmap>();
  bmp->SetPixelFormat(fw::pf24bit);
  bmp->SetSize(r.right - r.left, r.bottom - r.top);
  HDC screen = GetDC(nullptr);
  BitBlt(bmp->Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return bmp;
}

namespace detail {

inline void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

inline void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutBE32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
  PutBE32(out, static_cast<uint32_t>(crc));
}

}  // namespace detail

// The PNG file bytes of a 24-bit bitmap; empty when compression fails.
inline std::vector<uint8_t> EncodePng(fw::TBitmap* bmp) {
  const int w = bmp->Width(), h = bmp->Height();
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(h) * (static_cast<size_t>(w) * 3 + 1));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);  // filter: none
    auto* row = static_cast<const uint8_t*>(bmp->ScanLine(y));
    for (int x = 0; x < w; ++x) {
      raw.push_back(row[x * 3 + 2]);
      raw.push_back(row[x * 3 + 1]);
      raw.push_back(row[x * 3]);
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) return {};
  packed.resize(packedSize);
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  detail::PutBE32(header, static_cast<uint32_t>(w));
  detail::PutBE32(header, static_cast<uint32_t>(h));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter set, no interlace
  detail::PutChunk(out, "IHDR", header);
  detail::PutChunk(out, "IDAT", packed);
  detail::PutChunk(out, "IEND", {});
  return out;
}

// Where scenario screenshots go: the build tree's "screenshots" folder.
inline std::string ScreenshotPath(const std::string& name) {
  const char* dir = std::getenv("VL_BINARY_DIR");
  std::string folder = std::string(dir ? dir : ".") + "/screenshots";
  std::wstring wide;
  if (dir && dir[0] == '/') wide = L"Z:";
  for (char c : folder) wide.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  CreateDirectoryW(wide.c_str(), nullptr);
  std::string path;
  for (wchar_t c : wide) path.push_back(static_cast<char>(c));
  return path + "\\" + name;
}

inline bool SavePng(fw::TBitmap* bmp, const std::string& path) {
  std::vector<uint8_t> bytes = EncodePng(bmp);
  if (bytes.empty()) return false;
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace scenarios
