// Packs files into a ".ksz" packed skin, unpacks one into a folder, or lists
// its entries:
//   skin_packer pack <skin.ksz> <file>...     (entries named after the files)
//   skin_packer unpack <skin.ksz> <folder>
//   skin_packer list <skin.ksz>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fw/core/exceptions.h"
#include "skin/engine/core/packed_skin.h"
#include "skin/engine/core/skin_folders.h"

namespace {

std::vector<uint8_t> ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + p.string());
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Usage() {
  std::fprintf(stderr, "usage: skin_packer pack <skin.ksz> <file>... | unpack <skin.ksz> <folder> | list <skin.ksz>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  std::string command = argv[1];
  try {
    if (command == "pack" && argc >= 4) {
      std::vector<skin::TPackEntry> entries;
      for (int i = 3; i < argc; ++i) {
        std::filesystem::path p(argv[i]);
        entries.push_back({p.filename().u16string(), ReadFile(p)});
      }
      std::vector<uint8_t> packed = skin::WritePackedSkin(entries);
      std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
      if (!out) throw std::runtime_error(std::string("cannot write ") + argv[2]);
      return 0;
    }
    skin::TkcSkinConvertor pack;
    if (!skin::LoadPackedFile(std::filesystem::path(argv[2]).u16string(), pack))
      throw std::runtime_error(std::string("cannot read ") + argv[2]);
    if (command == "unpack" && argc == 4) {
      std::filesystem::create_directories(argv[3]);
      skin::UnpackSkinToFolder(pack, std::filesystem::path(argv[3]).u16string());
      return 0;
    }
    if (command == "list" && argc == 3) {
      if (pack.HasOptions) std::printf("%10zu  Options.dat\n", pack.Options.size());
      for (const skin::TkcImageItem& f : pack.Files)
        std::printf("%10zu  %s%s\n", f.Data.size(), std::filesystem::path(f.FileName).string().c_str(),
                    f.IsBitmap ? "  (bitmap)" : "");
      return 0;
    }
    return Usage();
  } catch (const fw::Exception& e) {
    std::fprintf(stderr, "skin_packer: %s\n", e.what());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skin_packer: %s\n", e.what());
  }
  return 1;
}
