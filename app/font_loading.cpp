#include "app/font_loading.h"

#include <algorithm>

#include "app/core/font_files.h"
#include "app/core/ttf_info.h"
#include "app/system_folders.h"
#include "fw/core/exceptions.h"
#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/platform/files.h"
#include "fw/platform/system_function.h"

namespace app {

namespace {

constexpr size_t kMaxFaceChars = LF_FACESIZE - 1;

class TDeleteFileOnExit {
 public:
  explicit TDeleteFileOnExit(const fw::String& name) : name_(name) {}
  ~TDeleteFileOnExit() { DeleteFileW(W(name_)); }
  TDeleteFileOnExit(const TDeleteFileOnExit&) = delete;
  TDeleteFileOnExit& operator=(const TDeleteFileOnExit&) = delete;

 private:
  fw::String name_;
};

LOGFONTW FaceQuery(const fw::String& face) {
  LOGFONTW lf{};
  const size_t n = std::min(face.size(), kMaxFaceChars);
  std::copy_n(face.data(), n, reinterpret_cast<char16_t*>(lf.lfFaceName));
  lf.lfCharSet = DEFAULT_CHARSET;
  return lf;
}

// Enumerates the styles of a face over all charsets on dc (the desktop's
// when null); proc's return value decides whether the enumeration goes on.
void EnumFace(HDC dc, const fw::String& face, FONTENUMPROCW proc, LPARAM data) {
  LOGFONTW lf = FaceQuery(face);
  if (dc) {
    EnumFontFamiliesExW(dc, &lf, proc, data, 0);
    return;
  }
  const fw::TWindowDC desktop(GetDesktopWindow());
  if (desktop.Get()) EnumFontFamiliesExW(desktop.Get(), &lf, proc, data, 0);
}

const NEWTEXTMETRICW& MetricOf(const TEXTMETRICW* metric) {
  // The system passes the extended record for every kind of face.
  return reinterpret_cast<const NEWTEXTMETRICEXW*>(metric)->ntmTm;
}

int CALLBACK CountFaceProc(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM data) {
  ++*reinterpret_cast<int*>(data);
  return 0;
}

int CALLBACK CharsetNamesProc(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM data) {
  auto& names = *reinterpret_cast<std::vector<fw::String>*>(data);
  const fw::String name = CharsetName(lf->lfCharSet);
  if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  return 1;
}

int CALLBACK FaceNamesProc(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM data) {
  reinterpret_cast<std::vector<fw::String>*>(data)->push_back(FromW(lf->lfFaceName));
  return 1;
}

int CALLBACK FontTypeProc(const LOGFONTW*, const TEXTMETRICW* metric, DWORD fontType, LPARAM data) {
  *reinterpret_cast<int*>(data) = FontTypeCodeFromFlags(fontType, MetricOf(metric).ntmFlags);
  return 0;
}

int CALLBACK WeightProc(const LOGFONTW*, const TEXTMETRICW* metric, DWORD, LPARAM data) {
  *reinterpret_cast<fw::String*>(data) = WeightTextFromWeight(metric->tmWeight);
  return 0;
}

bool IgnoreCaseLess(const fw::String& a, const fw::String& b) {
  const int r = CompareStringOrdinal(W(a), static_cast<int>(a.size()), W(b), static_cast<int>(b.size()), TRUE);
  return r == CSTR_LESS_THAN || (r == CSTR_EQUAL && a < b);
}

bool IsTrueTypeOrOpenType(const fw::String& ext) { return ext == u".TTF" || ext == u".OTF"; }

// A resource file written in a single-byte code page turns characters it
// can't hold into "?": such a name selects no face.
bool UsableFotName(const fw::String& name) { return !name.empty() && name.find(u'?') == fw::String::npos; }

fw::String FotNameOrEmpty(const TFaceNameRoutes& routes, const fw::String& path) {
  try {
    const fw::String name = routes.ViaFot(path);
    return UsableFotName(name) ? name : fw::String();
  } catch (const fw::EStreamError&) {
    return fw::String();
  }
}

}  // namespace

TAddedFontResource::TAddedFontResource(const fw::String& resourceName, TScope scope)
    : resourceName_(resourceName), scope_(scope) {
  fontsAdded_ = scope_ == Private ? AddFontResourceExW(W(resourceName_), FR_PRIVATE, nullptr)
                                  : AddFontResourceW(W(resourceName_));
}

TAddedFontResource::~TAddedFontResource() {
  if (fontsAdded_ <= 0) return;
  if (scope_ == Private) {
    RemoveFontResourceExW(W(resourceName_), FR_PRIVATE, nullptr);
  } else {
    RemoveFontResourceW(W(resourceName_));
  }
}

namespace {
fw::String gAppDataFolderOverride;
}  // namespace

fw::String VestalineFolder() {
  const fw::String root = gAppDataFolderOverride.empty() ? ProgramSystemFolders()->AppData() : gAppDataFolderOverride;
  return root + u"\\Okrabel\\Vestaline";
}

void SetAppDataFolderForTests(const fw::String& Folder) { gAppDataFolderOverride = Folder; }

fw::String TempFotFileName() { return VestalineFolder() + u"\\TEMPFONTFile.FOT"; }

fw::String GetFontResourceDescription(const fw::String& resourceName) {
  using TGetFontResourceInfoW = BOOL(WINAPI*)(LPCWSTR, LPDWORD, LPVOID, DWORD);
  static const auto getInfo = fw::SystemFunction<TGetFontResourceInfoW>(L"gdi32.dll", "GetFontResourceInfoW");
  if (!getInfo) return fw::String();
  constexpr DWORD kDescription = 1;
  DWORD size = 0;
  if (!getInfo(W(resourceName), &size, nullptr, kDescription) || size == 0) return fw::String();
  std::vector<wchar_t> buf(size / sizeof(wchar_t) + 1, L'\0');
  DWORD got = size;
  if (!getInfo(W(resourceName), &got, buf.data(), kDescription)) return fw::String();
  buf.back() = L'\0';
  return FromW(buf.data());
}

fw::String GetFontResNameViaFot(const fw::String& path, const fw::String& fotFile) {
  // The call crashes on some damaged naming tables.
  if (!NamingTableIsSound(path)) return fw::String();
  return FotFaceNameOfSoundFile(path, fotFile);
}

fw::String FotFaceNameOfSoundFile(const fw::String& path, const fw::String& fotFile) {
  if (!CreateScalableFontResourceW(1, W(fotFile), W(path), nullptr)) return fw::String();
  TDeleteFileOnExit remove(fotFile);
  return FaceNameFromFot(fw::ReadFileBytes(fotFile));
}

fw::String GetFontResNameViaFot(const fw::String& path) { return GetFontResNameViaFot(path, TempFotFileName()); }

bool FaceIsInstalled(const fw::String& face) {
  if (face.empty()) return false;
  int count = 0;
  EnumFace(nullptr, face, CountFaceProc, reinterpret_cast<LPARAM>(&count));
  return count > 0;
}

fw::String FaceNameFromFontFile(const fw::String& path) { return FaceNameFromFontFile(path, FaceIsInstalled); }

fw::String FaceNameFromFontFile(const fw::String& path, const std::function<bool(const fw::String&)>& enumerated) {
  ThhTTFinfo reader;
  tTTFList list;
  int err = kTTFNoList;
  reader.GetTTFinfo(path, &list, err);
  if (err != kTTFOk) return fw::String();
  return FaceNameFromNames(list, enumerated);
}

fw::String FaceNameFromNames(const tTTFList& list, const std::function<bool(const fw::String&)>& enumerated) {
  for (const std::string* name : {&list.FontName, &list.Family}) {
    const fw::String face = fw::AnsiToString(*name).substr(0, kMaxFaceChars);
    if (!face.empty() && enumerated(face)) return face;
  }
  return fw::String();
}

fw::String GetFontFaceName(const fw::String& path, const TFaceNameRoutes& routes) {
  const fw::String ext = UpperFileExt(path);
  fw::String name;
  bool triedFot = false;
  if (routes.OsPlatformId != VER_PLATFORM_WIN32_WINDOWS) {
    name = FaceNameFromDescription(ext, routes.Description(FontResourceName(path)));
  } else if (IsTrueTypeOrOpenType(ext)) {
    name = FotNameOrEmpty(routes, path);
    triedFot = true;
  }
  const bool hasNamingTable = IsTrueTypeOrOpenType(ext) || ext == u".TTC";
  bool triedFile = false;
  if (name.empty() && routes.FileBeforeFot && hasNamingTable) {
    name = routes.FromFile(path);
    triedFile = true;
  }
  if (name.empty() && !triedFot && IsTrueTypeOrOpenType(ext)) name = FotNameOrEmpty(routes, path);
  if (name.empty() && !triedFile && hasNamingTable) name = routes.FromFile(path);
  return name.substr(0, kMaxFaceChars);
}

bool IsSymbolFont(const fw::String& face, std::vector<fw::String>& charsetNames) {
  const fw::TWindowDC desktop(GetDesktopWindow());
  if (!desktop.Get()) return false;
  EnumFace(desktop.Get(), face, CharsetNamesProc, reinterpret_cast<LPARAM>(&charsetNames));
  return std::find(charsetNames.begin(), charsetNames.end(), fw::String(u"SYMBOL_CHARSET")) != charsetNames.end();
}

std::vector<fw::String> InstalledFontNames() {
  std::vector<fw::String> names;
  EnumFace(nullptr, fw::String(), FaceNamesProc, reinterpret_cast<LPARAM>(&names));
  std::sort(names.begin(), names.end(), IgnoreCaseLess);
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

int GetFontTypeCode(HDC dc, const fw::String& face) {
  int code = kFontTypeUnknown;
  EnumFace(dc, face, FontTypeProc, reinterpret_cast<LPARAM>(&code));
  return code;
}

fw::String GetWeightForDatabase(const fw::String& face) {
  fw::String weight = u"0";
  EnumFace(nullptr, face, WeightProc, reinterpret_cast<LPARAM>(&weight));
  return weight;
}

int CALLBACK EnumFontStyleProc(const LOGFONTW* logFont, const TEXTMETRICW* metric, DWORD, LPARAM lParam) {
  auto& db = *reinterpret_cast<TFontDatabase*>(lParam);
  db.RecStyle = StyleFromFlags(MetricOf(metric).ntmFlags, logFont->lfItalic);
  db.RecFamily = FamilyFromPitchAndFamily(metric->tmPitchAndFamily, db.RecFamily);
  return 0;
}

void GetFontStyleForDatabase(TFontDatabase& database, HDC dc, const fw::String& face) {
  EnumFace(dc, face, EnumFontStyleProc, reinterpret_cast<LPARAM>(&database));
}

namespace {

int CALLBACK FaceFieldsProc(const LOGFONTW* logFont, const TEXTMETRICW* metric, DWORD fontType, LPARAM lParam) {
  auto& found = *reinterpret_cast<std::pair<TFontDatabase*, bool>*>(lParam);
  found.second = true;
  TFontDatabase& db = *found.first;
  db.RecFontType = fw::IntToStr(FontTypeCodeFromFlags(fontType, MetricOf(metric).ntmFlags));
  db.RecWeight = WeightTextFromWeight(metric->tmWeight);
  return EnumFontStyleProc(logFont, metric, fontType, reinterpret_cast<LPARAM>(&db));
}

}  // namespace

bool GetFaceFieldsForDatabase(TFontDatabase& database, const fw::String& face, HDC dc) {
  database.RecFontType = u"0";
  database.RecWeight = u"0";
  if (face.empty()) return false;
  std::pair<TFontDatabase*, bool> found{&database, false};
  EnumFace(dc, face, FaceFieldsProc, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

}  // namespace app
