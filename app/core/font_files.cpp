#include "app/core/font_files.h"

#include <algorithm>
#include <string>

namespace app {

namespace {

size_t LastSeparator(const fw::String& path) { return path.find_last_of(u"\\/:"); }

fw::String FileNamePart(const fw::String& path) {
  const size_t p = LastSeparator(path);
  return p == fw::String::npos ? path : path.substr(p + 1);
}

// The folder without its trailing separator; empty for a bare name.
fw::String FolderPart(const fw::String& path) {
  const size_t p = path.find_last_of(u"\\/");
  return p == fw::String::npos ? fw::String() : path.substr(0, p);
}

fw::String OutlinePath(const fw::String& pfmPath, TFileExistsFunc exists) {
  const fw::String name = FileNamePart(pfmPath);
  const fw::String base = name.substr(0, name.size() >= 3 ? name.size() - 3 : 0);
  const fw::String folder = FolderPart(pfmPath);
  const fw::String outline = base + u"PFB";
  if (exists(folder + u"\\" + outline)) return folder + u"\\" + outline;
  // Not tested for existence: the search just fails to load the pair.
  return FolderPart(folder) + u"\\" + outline;
}

}  // namespace

fw::String UpperFileExt(const fw::String& path) {
  const fw::String name = FileNamePart(path);
  const size_t dot = name.rfind(u'.');
  if (dot == fw::String::npos) return fw::String();
  fw::String ext = name.substr(dot);
  for (char16_t& c : ext) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return ext;
}

bool HasNamingTable(const fw::String& upperExt) {
  return upperExt == u".TTF" || upperExt == u".OTF" || upperExt == u".TTC";
}

bool IsFontFileExt(const fw::String& upperExt) { return HasNamingTable(upperExt) || upperExt == u".PFM"; }

fw::String PfbPartnerSuffix(const fw::String& pfmPath, TFileExistsFunc exists) {
  return u"|" + OutlinePath(pfmPath, exists);
}

fw::String findPFBfilename(const fw::String& pfmPath, TFileExistsFunc exists) {
  return OutlinePath(pfmPath, exists);
}

fw::String FontResourceName(const fw::String& path, TFileExistsFunc exists) {
  return UpperFileExt(path) == u".PFM" ? path + PfbPartnerSuffix(path, exists) : path;
}

void SplitText(const fw::String& text, char16_t separator, std::vector<fw::String>& list,
               const fw::String& emptyText) {
  list.clear();
  size_t start = 0;
  for (size_t p = text.find(separator); p != fw::String::npos; p = text.find(separator, start)) {
    fw::String piece = text.substr(start, p - start);
    list.push_back(piece.empty() ? emptyText : piece);
    start = p + 1;
  }
  if (start < text.size()) list.push_back(text.substr(start));
}

fw::String FirstTtcName(const fw::String& description) {
  // Split as UTF-16: a trip through the single-byte code page would turn
  // the names of non-Latin collections into question marks.
  if (description.find(u'&') == fw::String::npos) return description;
  std::vector<fw::String> pieces;
  SplitText(description, u'&', pieces, fw::String());
  const fw::String& first = pieces.front();
  return first.empty() ? first : first.substr(0, first.size() - 1);
}

fw::String CutFonDescription(const fw::String& description) {
  if (description.size() <= 2) return description;
  const size_t p = description.find_first_of(u"(0123456789");
  if (p == fw::String::npos) return description;
  return description.substr(0, p >= 1 ? p - 1 : 0);
}

fw::String FaceNameFromDescription(const fw::String& upperExt, const fw::String& description) {
  if (upperExt == u".TTC") return FirstTtcName(description);
  if (upperExt == u".TTF" || upperExt == u".OTF") return description.substr(0, 31);
  if (upperExt == u".FON") return CutFonDescription(description);
  return description;
}

fw::String FaceNameFromFot(const std::vector<uint8_t>& fot) {
  static constexpr char kMark[] = "FONTRES:";
  const auto mark = std::search(fot.begin(), fot.end(), kMark, kMark + 8);
  if (mark == fot.end()) return fw::String();
  const auto end = std::find(mark + 8, fot.end(), uint8_t{0});
  return fw::AnsiToString(std::string(mark + 8, end));
}

fw::String CharsetName(int charset) {
  static const struct {
    int Value;
    const char16_t* Name;
  } kNames[] = {
      {0, u"ANSI_CHARSET"},        {1, u"DEFAULT_CHARSET"},     {2, u"SYMBOL_CHARSET"},
      {128, u"SHIFTJIS_CHARSET"},  {129, u"HANGEUL_CHARSET"},   {134, u"GB2312_CHARSET"},
      {136, u"CHINESEBIG5_CHARSET"}, {255, u"OEM_CHARSET"},     {130, u"JOHAB_CHARSET"},
      {177, u"HEBREW_CHARSET"},    {178, u"ARABIC_CHARSET"},    {161, u"GREEK_CHARSET"},
      {162, u"TURKISH_CHARSET"},   {163, u"VIETNAMESE_CHARSET"}, {222, u"THAI_CHARSET"},
      {238, u"EASTEUROPE_CHARSET"}, {204, u"RUSSIAN_CHARSET"},  {77, u"MAC_CHARSET"},
      {186, u"BALTIC_CHARSET"},
  };
  for (const auto& n : kNames) {
    if (n.Value == charset) return n.Name;
  }
  return fw::Utf8ToString("Unknown charset " + std::to_string(charset));
}

}  // namespace app
