// Writes the program's own skins and engine images into resources/skins and
// their contact sheets into docs/skins:
//   make_program_skins <source folder>
// Run it after a change to skin_art.cpp; the test program_skins_are_current
// fails until the files in the source tree match a fresh drawing.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "fw/core/exceptions.h"
#include "skin/engine/core/skin_images.h"
#include "skin/tools/skin_art.h"

namespace {

void Write(const std::filesystem::path& p, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + p.string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_program_skins <source folder>\n");
    return 2;
  }
  std::filesystem::path top(argv[1]);
  try {
    for (const skinart::TGeneratedFile& f : skinart::MakeGeneratedFiles()) Write(top / "resources/skins" / f.Name, f.Bytes);
    for (const skinart::TProgramSkin& s : skinart::MakeProgramSkins()) {
      std::string stem = std::filesystem::path(s.FileName).stem().string();
      Write(top / "docs/skins" / (stem + "_sections.png"), skin::EncodePngRGBA(skinart::MakeContactSheet(s, -58)));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_program_skins: %s\n", e.what());
    return 1;
  }
  return 0;
}
