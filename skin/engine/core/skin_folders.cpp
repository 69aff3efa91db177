#include "skin/engine/core/skin_folders.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "fw/core/sysutils.h"

namespace skin {

namespace fs = std::filesystem;

fw::String GetFullSkinDirectory(fw::StringView dir, fw::StringView appFolder) {
  fw::String r(dir);
  fw::String app(appFolder);
  if (r.rfind(u"..", 0) == 0) {
    fw::String p = app.empty() ? fw::String() : app.substr(0, app.size() - 1);
    while (!p.empty() && p.back() != u'/' && p.back() != u'\\') p.pop_back();
    return p + r.substr(std::min<size_t>(3, r.size()));
  }
  if (r.rfind(u".\\", 0) == 0 || r.rfind(u"./", 0) == 0) return app + r.substr(2);
  if (r == u".") return app;
  if (r.find(u':') == fw::String::npos && r.find(u"\\\\") == fw::String::npos) return app + r;
  return r;
}

fw::String ListSkinNames(const std::vector<fw::String>& storedNames, const fw::String& folder, TkcSkinTypes type,
                         std::vector<fw::String>& list) {
  list.clear();
  fw::String first;
  std::vector<fw::String> names = storedNames;
  if (!names.empty()) first = names[0];
  std::error_code ec;
  fs::path dir(folder);
  if (!folder.empty() && fs::is_directory(dir, ec)) {
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      fw::String name = it->path().filename().u16string();
      if (name.empty() || name[0] == u'.') continue;
      std::error_code e2;
      if (it->is_directory(e2)) {
        if (type != TkcSkinTypes::stPacked && fs::is_regular_file(it->path() / "Options.dat", e2)) {
          names.push_back(name);
          if (first.empty()) first = name;
        }
      } else if (type != TkcSkinTypes::stUnpacked && it->is_regular_file(e2) && name.size() > 4 &&
                 name.compare(name.size() - 4, 4, u".ksz") == 0) {
        fw::String skin = name.substr(0, name.size() - 4);
        names.push_back(skin);
        if (first.empty()) first = skin;
      }
    }
  }
  std::stable_sort(names.begin(), names.end(),
                   [](const fw::String& a, const fw::String& b) { return fw::LowerCase(a) < fw::LowerCase(b); });
  list = std::move(names);
  return first;
}

fw::String ExtractedSkinFileName(fw::StringView skinName) {
  fw::String name;
  for (char16_t ch : skinName)
    if (ch != u'\\' && ch != u'/' && ch != u':') name.push_back(ch);
  return name + u" extracted.ksz";
}

bool ExtractByIndex(const TkStoredSkins& skins, int index, const fw::String& destDir) {
  if (index < 0 || index >= skins.Count()) return false;
  std::error_code ec;
  fs::path dir(destDir);
  if (!fs::is_directory(dir, ec) && !fs::create_directory(dir, ec)) return false;
  const TkStoredSkin* skin = skins.Items(index);
  std::ofstream out(dir / fs::path(ExtractedSkinFileName(skin->FName)), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(skin->PackedData.data()), static_cast<std::streamsize>(skin->PackedData.size()));
  return static_cast<bool>(out);
}

TExtractResult ExtractInternalSkin(const TkStoredSkins& skins, fw::StringView name, const fw::String& destDir) {
  bool found = false;
  TExtractResult result = TExtractResult::NoSuchSkin;
  for (int i = 0; i < skins.Count(); ++i) {
    if (skins.Items(i)->FName != name) continue;
    found = true;
    std::error_code ec;
    if (fs::is_directory(fs::path(destDir), ec)) {
      ExtractByIndex(skins, i, destDir);
      result = TExtractResult::Extracted;
    } else {
      result = TExtractResult::NoSuchDirectory;
    }
  }
  return found ? result : TExtractResult::NoSuchSkin;
}

fw::String PickRandomSkin(const std::vector<fw::String>& names) {
  if (names.empty()) return u"";
  static std::mt19937 generator{std::random_device()()};
  return names[std::uniform_int_distribution<size_t>(0, names.size() - 1)(generator)];
}

void UnpackSkinToFolder(const TkcSkinConvertor& pack, const fw::String& folder) {
  std::vector<std::pair<fw::String, const std::vector<uint8_t>*>> files;
  if (pack.HasOptions) files.push_back({u"Options.dat", &pack.Options});
  for (const TkcImageItem& f : pack.Files) files.push_back({f.FileName, &f.Data});
  std::set<fw::String> seen;
  for (const auto& [name, data] : files) {
    if (!IsSafeEntryName(name)) throw ESkinError(u"The packed skin holds an entry named \"" + name + u"\" that is not a plain file name");
    if (!seen.insert(fw::LowerCase(name)).second) throw ESkinError(u"The packed skin holds two entries named \"" + name + u"\"");
  }
  for (const auto& [name, data] : files) {
    fs::path path = fs::path(folder) / fs::path(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data->data()), static_cast<std::streamsize>(data->size()));
    if (!out) throw ESkinError(u"Cannot write " + path.u16string());
  }
}

}  // namespace skin
