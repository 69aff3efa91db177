// Font files for the Windows tests, made from fonts of Debian packages.
// The system (Wine's fontconfig) already knows the originals, so each
// fixture gets a face name of its own: its name strings are overwritten in
// place by a name of the same length, which keeps every offset of the file.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/temp_dir.h"
#include "fw/core/streams.h"
#include "fw/core/types.h"

namespace fixtures {

using Bytes = std::vector<uint8_t>;

inline fw::String Wide(const std::string& s) { return fw::String(s.begin(), s.end()); }

// A Linux path as Wine sees it.
inline fw::String Unix(const std::string& path) {
  std::string p = "Z:" + path;
  std::replace(p.begin(), p.end(), '/', '\\');
  return Wide(p);
}

inline bool Exists(const fw::String& path) { return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES; }

inline Bytes ReadAll(const fw::String& path) { return fw::ReadFileBytes(path); }

inline void ReplaceAll(Bytes& data, const Bytes& from, const Bytes& to) {
  for (auto it = std::search(data.begin(), data.end(), from.begin(), from.end()); it != data.end();
       it = std::search(it + static_cast<long>(to.size()), data.end(), from.begin(), from.end())) {
    std::copy(to.begin(), to.end(), it);
  }
}

// Replaces a name by one of the same length, as single-byte and as UTF-16BE text.
inline void Rename(Bytes& data, const std::string& from, const std::string& to) {
  ReplaceAll(data, Bytes(from.begin(), from.end()), Bytes(to.begin(), to.end()));
  Bytes f16, t16;
  for (char c : from) f16.insert(f16.end(), {0, static_cast<uint8_t>(c)});
  for (char c : to) t16.insert(t16.end(), {0, static_cast<uint8_t>(c)});
  ReplaceAll(data, f16, t16);
}

inline uint32_t Be32(const Bytes& d, size_t at) {
  return uint32_t{d[at]} << 24 | uint32_t{d[at + 1]} << 16 | uint32_t{d[at + 2]} << 8 | d[at + 3];
}

// Marks a TrueType font as a symbol font: its OS/2 code pages become the
// symbol code page alone.
inline void MakeSymbolFont(Bytes& d) {
  const unsigned tables = d[4] << 8 | d[5];
  for (unsigned i = 0; i < tables; ++i) {
    const size_t rec = 12 + 16 * i;
    if (std::string(d.begin() + rec, d.begin() + rec + 4) != "OS/2") continue;
    const size_t codePages = Be32(d, rec + 8) + 78;
    const uint8_t symbolOnly[4] = {0x80, 0, 0, 0};
    std::copy(symbolOnly, symbolOnly + 4, d.begin() + static_cast<long>(codePages));
  }
}

// A TrueType collection holding the one font: the collection header, then
// the font with its table offsets moved past that header.
inline Bytes WrapAsCollection(Bytes font) {
  const uint32_t shift = 16;
  const unsigned tables = font[4] << 8 | font[5];
  for (unsigned i = 0; i < tables; ++i) {
    const size_t at = 12 + 16 * i + 8;
    const uint32_t v = Be32(font, at) + shift;
    for (int b = 0; b < 4; ++b) font[at + b] = static_cast<uint8_t>(v >> (24 - 8 * b));
  }
  Bytes out = {'t', 't', 'c', 'f', 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, static_cast<uint8_t>(shift)};
  out.insert(out.end(), font.begin(), font.end());
  return out;
}

struct TFixture {
  const char* Source;  // Linux path of the original
  const char* File;    // file name of the fixture
  const char* From;    // name in the original ...
  const char* To;      // ... and in the fixture (same length)
  const char* Face;    // the face name the system then knows
  bool Symbol = false;
  bool Collection = false;
};

// The fixtures the tests use; each exists only when its package is installed.
inline const std::vector<TFixture>& Fixtures() {
  static const std::vector<TFixture> k = {
      {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "vltest.ttf", "DejaVu", "Vltest", "Vltest Sans"},
      {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "vltestbd.ttf", "DejaVu", "Vltest",
       "Vltest Sans Bold"},
      {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "vlsymb.ttf", "DejaVu", "Vlsymb", "Vlsymb Sans", true},
      {"/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf", "vlotf.otf", "Nimbus", "Vlotfx",
       "Vlotfx Sans Regular"},
      {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "vlcoll.ttc", "DejaVu", "Vlcoll", "Vlcoll Sans", false,
       true},
      {"/usr/share/wine/fonts/coure.fon", "vlcour.fon", "Courier", "Vlcouri", "Vlcouri"},
  };
  return k;
}

inline const TFixture* FixtureFor(const std::string& file) {
  for (const TFixture& f : Fixtures()) {
    if (file == f.File) return &f;
  }
  return nullptr;
}

// Writes the fixture into dir; false when its original is not installed.
inline bool MakeFixture(const TTempDir& dir, const std::string& file, const std::string& as = "") {
  const TFixture* f = FixtureFor(file);
  if (!f || !Exists(Unix(f->Source))) return false;
  Bytes data = ReadAll(Unix(f->Source));
  // The short name also renames the PostScript name that holds it.
  Rename(data, f->From, f->To);
  if (f->Symbol) MakeSymbolFont(data);
  if (f->Collection) data = WrapAsCollection(std::move(data));
  fw::WriteFileBytes(dir.Path(as.empty() ? file : as), data);
  return true;
}

// A Type 1 outline file renamed "VT59" and a metrics file beside it (the
// metrics are not a real ".PFM": the pair only has to be passed as one).
inline bool MakePostScriptPair(const TTempDir& dir, const std::string& base) {
  const fw::String src = Unix("/usr/share/fonts/type1/urw-base35/C059-Roman.t1");
  if (!Exists(src)) return false;
  Bytes data = ReadAll(src);
  Rename(data, "C059", "VT59");
  fw::WriteFileBytes(dir.Path(base + ".pfb"), data);
  fw::WriteFileBytes(dir.Path(base + ".pfm"), Bytes(256, 0));
  return true;
}

inline void WriteGarbage(const TTempDir& dir, const std::string& file, size_t size = 300) {
  Bytes data(size);
  for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i * 37 + 11);
  fw::WriteFileBytes(dir.Path(file), data);
}

}  // namespace fixtures
