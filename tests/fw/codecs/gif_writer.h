// A small GIF writer for tests: builds files with chosen palettes, frames,
// transparency and interlacing, LZW-compressed the standard way.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace fw::testing {

struct GifFrame {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::vector<uint8_t> Indices;  // Width * Height, rows from the top
  std::vector<uint32_t> LocalPalette;  // 0x00RRGGBB; empty: none
  bool Interlaced = false;
  int Transparent = -1;
  int MinCodeSize = 0;  // 0: from the palette size
};

inline std::vector<uint8_t> LzwEncode(const std::vector<uint8_t>& indices, int minCodeSize) {
  std::vector<uint8_t> out;
  uint32_t acc = 0;
  int accBits = 0;
  const int clear = 1 << minCodeSize, end = clear + 1;
  int codeSize = minCodeSize + 1, next = clear + 2;
  std::map<std::pair<int, uint8_t>, int> dict;
  auto emit = [&](int code) {
    acc |= uint32_t(code) << accBits;
    accBits += codeSize;
    while (accBits >= 8) {
      out.push_back(uint8_t(acc));
      acc >>= 8;
      accBits -= 8;
    }
  };
  emit(clear);
  int cur = -1;
  for (uint8_t k : indices) {
    if (cur < 0) {
      cur = k;
      continue;
    }
    auto it = dict.find({cur, k});
    if (it != dict.end()) {
      cur = it->second;
      continue;
    }
    emit(cur);
    dict[{cur, k}] = next++;
    if (next - 1 == (1 << codeSize) && codeSize < 12) ++codeSize;
    if (next == 4096) {
      emit(clear);
      dict.clear();
      codeSize = minCodeSize + 1;
      next = clear + 2;
    }
    cur = k;
  }
  if (cur >= 0) emit(cur);
  emit(end);
  if (accBits > 0) out.push_back(uint8_t(acc));
  return out;
}

inline int TableBits(size_t entries) {
  int bits = 1;
  while ((size_t(1) << bits) < entries) ++bits;
  return bits;
}

inline void PutWord(std::vector<uint8_t>& f, int v) {
  f.push_back(uint8_t(v));
  f.push_back(uint8_t(v >> 8));
}

inline void PutTable(std::vector<uint8_t>& f, const std::vector<uint32_t>& pal) {
  size_t n = size_t(1) << TableBits(pal.size());
  for (size_t i = 0; i < n; ++i) {
    uint32_t c = i < pal.size() ? pal[i] : 0;
    f.push_back(uint8_t(c >> 16));
    f.push_back(uint8_t(c >> 8));
    f.push_back(uint8_t(c));
  }
}

// Interlaced frames take their rows in the file's pass order.
inline std::vector<uint8_t> InterlaceRows(const GifFrame& fr) {
  std::vector<uint8_t> out;
  const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
  for (int p = 0; p < 4; ++p)
    for (int y = start[p]; y < fr.Height; y += step[p])
      out.insert(out.end(), fr.Indices.begin() + y * fr.Width, fr.Indices.begin() + (y + 1) * fr.Width);
  return out;
}

inline std::vector<uint8_t> WriteGif(int screenW, int screenH, const std::vector<uint32_t>& global,
                                     const std::vector<GifFrame>& frames, int background = 0) {
  std::vector<uint8_t> f = {'G', 'I', 'F', '8', '9', 'a'};
  PutWord(f, screenW);
  PutWord(f, screenH);
  f.push_back(global.empty() ? 0 : uint8_t(0x80 | (TableBits(global.size()) - 1)));
  f.push_back(uint8_t(background));
  f.push_back(0);
  if (!global.empty()) PutTable(f, global);
  // An application extension to be skipped.
  const uint8_t app[] = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
  f.insert(f.end(), app, app + sizeof app);
  for (const GifFrame& fr : frames) {
    if (fr.Transparent >= 0) {
      const uint8_t gce[] = {0x21, 0xF9, 4, 1, 0, 0, uint8_t(fr.Transparent), 0};
      f.insert(f.end(), gce, gce + sizeof gce);
    }
    f.push_back(0x2C);
    PutWord(f, fr.Left);
    PutWord(f, fr.Top);
    PutWord(f, fr.Width);
    PutWord(f, fr.Height);
    uint8_t flags = fr.Interlaced ? 0x40 : 0;
    if (!fr.LocalPalette.empty()) flags |= uint8_t(0x80 | (TableBits(fr.LocalPalette.size()) - 1));
    f.push_back(flags);
    if (!fr.LocalPalette.empty()) PutTable(f, fr.LocalPalette);
    size_t entries = !fr.LocalPalette.empty() ? fr.LocalPalette.size() : global.size();
    int minCode = fr.MinCodeSize ? fr.MinCodeSize : std::max(2, TableBits(entries));
    f.push_back(uint8_t(minCode));
    std::vector<uint8_t> data = LzwEncode(fr.Interlaced ? InterlaceRows(fr) : fr.Indices, minCode);
    for (size_t i = 0; i < data.size(); i += 255) {
      size_t n = std::min<size_t>(255, data.size() - i);
      f.push_back(uint8_t(n));
      f.insert(f.end(), data.begin() + i, data.begin() + i + n);
    }
    f.push_back(0);
  }
  f.push_back(0x3B);
  return f;
}

}  // namespace fw::testing
