#include "app/listed_fonts.h"

#include "app/core/font_files.h"
#include "fw/platform/files.h"

namespace app {

namespace {

int KindOfFace(const fw::String& face) {
  HDC dc = GetDC(nullptr);
  const int code = GetFontTypeCode(dc, face);
  ReleaseDC(nullptr, dc);
  return code;
}

int CALLBACK DescentProc(const LOGFONTW*, const TEXTMETRICW* metric, DWORD, LPARAM data) {
  *reinterpret_cast<int*>(data) = static_cast<int>(metric->tmDescent);
  return 0;
}

// The descent the enumeration reports for the face's first style.
int DescentOfFace(const fw::String& face) {
  LOGFONTW query{};
  face.copy(reinterpret_cast<char16_t*>(query.lfFaceName), LF_FACESIZE - 1);
  query.lfCharSet = DEFAULT_CHARSET;
  int descent = 0;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &query, DescentProc, reinterpret_cast<LPARAM>(&descent), 0);
  ReleaseDC(nullptr, dc);
  return descent;
}

}  // namespace

const TListedFont& TListedFonts::File(const fw::String& path) {
  auto found = files_.find(path);
  if (found != files_.end()) return found->second.Info;
  TEntry entry;
  TListedFont& info = entry.Info;
  info.Path = path;
  info.Ext = UpperFileExt(path);
  if (fw::FileExists(path)) {
    const fw::String resource = FontResourceName(path);
    entry.Resource = std::make_unique<TAddedFontResource>(resource, TAddedFontResource::Private);
    info.Added = entry.Resource->Loaded();
    if (!info.Added) entry.Resource.reset();
  }
  if (info.Added) {
    const fw::String description = GetFontResourceDescription(FontResourceName(path));
    fw::String face = GetFontFaceName(path);
    // A name the system does not enumerate would be drawn in a substitute.
    if (!FaceIsInstalled(face)) face.clear();
    info.Face = face;
    info.Title = description.empty() ? face : description.substr(0, LF_FACESIZE - 1);
    if (face.empty() && info.Ext != u".FON") {
      info.KindIcon = kKindIconNoFamily;
    } else {
      info.KindIcon = KindOfFace(face);
    }
    info.Descent = face.empty() ? 0 : DescentOfFace(face);
  }
  return files_.emplace(path, std::move(entry)).first->second.Info;
}

const TListedFont& TListedFonts::Installed(const fw::String& face) {
  auto found = faces_.find(face);
  if (found != faces_.end()) return found->second;
  TListedFont info;
  info.Path = face;
  info.Added = true;
  info.Title = face;
  info.Face = FaceIsInstalled(face) ? face : fw::String();
  info.KindIcon = KindOfFace(face);
  info.Descent = info.Face.empty() ? 0 : DescentOfFace(face);
  return faces_.emplace(face, std::move(info)).first->second;
}

void TListedFonts::Release() {
  files_.clear();
  faces_.clear();
}

int TListedFonts::AddedCount() const {
  int n = 0;
  for (const auto& [path, entry] : files_) n += entry.Resource ? 1 : 0;
  return n;
}

}  // namespace app
