#include "app/database_builder.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "app/core/font_files.h"
#include "app/core/ttf_info.h"
#include "app/font_loading.h"
#include "app/image_form.h"
#include "app/settings_form.h"
#include "fw/core/exceptions.h"
#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/platform/files.h"

namespace app {

namespace {

constexpr uint32_t kArchiveOnly = FILE_ATTRIBUTE_ARCHIVE;  // 32
constexpr size_t kFileNameBytes = 200;
constexpr int kSummaryLines = 15;

bool SamePathIgnoringCase(const fw::String& a, const fw::String& b) {
  return CompareStringOrdinal(W(a), static_cast<int>(a.size()), W(b), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// The folder's identity, when the system gives one.
std::optional<std::pair<uint32_t, uint64_t>> FolderId(const fw::String& folder) {
  HANDLE h = CreateFileW(W(folder), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const BOOL ok = GetFileInformationByHandle(h, &info);
  CloseHandle(h);
  if (!ok) return std::nullopt;
  return std::make_pair(static_cast<uint32_t>(info.dwVolumeSerialNumber),
                        uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow);
}

// The desktop's device context in the builder's slot for one walk or
// addition.
class TWalkDc {
 public:
  explicit TWalkDc(HDC& slot) : slot_(slot) { slot_ = desktop_.Get(); }
  ~TWalkDc() { slot_ = nullptr; }
  TWalkDc(const TWalkDc&) = delete;
  TWalkDc& operator=(const TWalkDc&) = delete;

 private:
  fw::TWindowDC desktop_{GetDesktopWindow()};
  HDC& slot_;
};

}  // namespace

TBuildSettings CurrentBuildSettings() {
  const TDatabaseTypeSettings d = DatabaseTypeSettings();
  TBuildSettings s;
  s.Ttc = d.Collections;
  s.Pfm = d.Type1;
  s.Otf = d.OpenType;
  s.Fon = d.Raster;
  s.CrashLog = d.CrashMarker;
  return s;
}

bool IsAcceptedForBuild(const fw::String& upperExt, uint32_t attributes, const TBuildSettings& settings) {
  if (upperExt == u".TTF") return true;
  if (upperExt == u".TTC") return settings.Ttc;
  if (upperExt == u".PFM") return settings.Pfm;
  if (upperExt == u".FON") return settings.Fon && attributes == kArchiveOnly;
  if (upperExt == u".OTF") return settings.Otf;
  return false;
}

bool IsTakenForAddition(const fw::String& upperExt, uint32_t attributes) {
  if (upperExt == u".FON") return attributes == kArchiveOnly;
  return upperExt == u".TTF" || upperExt == u".TTC" || upperExt == u".PFM" || upperExt == u".OTF";
}

bool FitsRecordFileName(const fw::String& path) {
  const std::string text = fw::StringToAnsi(path);
  return text.size() <= kFileNameBytes && fw::AnsiToString(text) == path;
}

void WriteCrashMarker(const fw::String& markerFile, const fw::String& fontPath) {
  const std::string line = fw::StringToAnsi(fontPath) + "\r\n";
  fw::WriteFileBytes(markerFile, std::vector<uint8_t>(line.begin(), line.end()));
}

fw::String SkippedFilesSummary(const std::vector<TSkippedFile>& skipped) {
  if (skipped.empty()) return fw::String();
  fw::String text = fw::IntToStr(static_cast<int>(skipped.size())) +
                    (skipped.size() == 1 ? u" font file was not stored:" : u" font files were not stored:");
  int shown = 0;
  for (const TSkippedFile& f : skipped) {
    if (shown++ == kSummaryLines) break;
    text += u"\r\n" + f.Path +
            (f.Reason == TSkipReason::NameDoesNotFit ? u" (the path does not fit the database)"
                                                      : u" (the font file cannot be read)");
  }
  const int more = static_cast<int>(skipped.size()) - kSummaryLines;
  if (more > 0) text += u"\r\n... and " + fw::IntToStr(more) + u" more.";
  return text;
}

fw::String FolderAdditionMessage(const TFolderAddition& addition) {
  fw::String text;
  if (addition.Found == 0) {
    text = u"No font files found in selected folder!";
  } else if (addition.New == 0) {
    text = u"All font files from selected folder are already included in database!";
  } else {
    text = fw::IntToStr(addition.Stored) + u" new fonts add in database!";
  }
  const fw::String skipped = SkippedFilesSummary(addition.Skipped);
  return skipped.empty() ? text : text + u"\r\n\r\n" + skipped;
}

TDatabaseBuilder::TDatabaseBuilder(TFontDatabase& database, TBuildView& view)
    : CrashMarkerFile(CrashMarkerFileName()), database_(database), view_(view) {}

void TDatabaseBuilder::BeginBuild() {
  Settings = CurrentBuildSettings();
  RecordsWritten = -1;
  FilesVisited = 0;
  skipped_.clear();
}

void TDatabaseBuilder::EndBuild() {
  if (fw::FileExists(CrashMarkerFile)) DeleteFileW(W(CrashMarkerFile));
}

void TDatabaseBuilder::CreateCompdatabase(const fw::String& folder, bool withSubfolders) {
  // Under Wine the application-data folder is a registry read: once per walk.
  fotFile_ = TempFotFileName();
  const fw::String drive = fw::UpperCase(fw::IncludeTrailingPathDelimiter(folder).substr(0, 3));
  const TWalkDc dc(dc_);
  TFolderIds visited;
  if (withSubfolders) {
    if (const auto id = FolderId(folder)) visited.insert(*id);
  }
  // Folders whose entry the user skipped after a stop are not entered.
  std::set<fw::String> skippedFolders;
  fw::TFindOptions options;
  options.recursive = withSubfolders;
  options.enterFolder = [&](const fw::String& path, const fw::TSearchRec&) {
    if (skippedFolders.count(path)) return false;
    const auto id = FolderId(path);
    return !id || visited.insert(*id).second;
  };
  fw::FindFiles(folder, options, [&](const fw::String& path, const fw::TSearchRec& e) {
    const bool isFolder = (e.Attr & fw::faDirectory) != 0;
    try {
      view_.ProcessMessages();
      if (view_.StopSwitchOn()) {
        if (!view_.ContinueAfterStop()) fw::Abort();
        if (isFolder) skippedFolders.insert(path);
        return true;  // the entry under the question is skipped
      }
      view_.ShowCounters(u"Scanning drive: " + drive + u"  " + fw::IntToStr(FilesVisited),
                         u"Records count: " + fw::IntToStr(RecordsWritten));
      if (isFolder) return true;
      if (!IsAcceptedForBuild(UpperFileExt(e.Name), e.Attr, Settings)) {
        ++FilesVisited;
        return true;
      }
      // Before anything else touches the file: a file that brings the
      // program down is named at the next start.
      if (Settings.CrashLog) WriteCrashMarker(CrashMarkerFile, path);
      view_.ShowFile(fw::ExtractFilePath(path), e.Name);
      if (StoreFontFile(path, skipped_)) {
        ++RecordsWritten;
        ++FilesVisited;
      }
    } catch (const fw::EAbort&) {
      throw;
    } catch (const std::exception&) {
      // A file the walk can't handle is skipped; only the stop ends it.
    }
    return true;
  });
}

bool TDatabaseBuilder::StoreFontFile(const fw::String& path, std::vector<TSkippedFile>& skipped) {
  if (!FitsRecordFileName(path)) {
    skipped.push_back({path, TSkipReason::NameDoesNotFit});
    return false;
  }
  // The system's naming trusts a file's naming table and can crash on a
  // damaged one: such a file never reaches the font table. The names read
  // in the same pass name the face below without opening the file again.
  const fw::String ext = UpperFileExt(path);
  tTTFList names;
  if (HasNamingTable(ext) && !ReadSoundNamingTable(path, names)) {
    skipped.push_back({path, TSkipReason::Unreadable});
    return false;
  }
  TFontDatabase& db = database_;
  {
    const TAddedFontResource font(FontResourceName(path));
    fw::String face;
    // The face whose fields the naming already read (one enumeration less).
    fw::String enumeratedFace;
    if (font.Loaded()) {
      TFaceNameRoutes routes;
      const fw::String fot = fotFile_.empty() ? TempFotFileName() : fotFile_;
      routes.ViaFot = [fot](const fw::String& p) { return FotFaceNameOfSoundFile(p, fot); };
      routes.FileBeforeFot = true;
      routes.FromFile = [&](const fw::String&) {
        return FaceNameFromNames(names, [&](const fw::String& candidate) {
          if (!GetFaceFieldsForDatabase(db, candidate, dc_)) return false;
          enumeratedFace = candidate;
          return true;
        });
      };
      face = GetFontFaceName(path, routes);
    }
    // A file the system can't load or name would get the fields of the
    // record before it.
    if (face.empty()) {
      skipped.push_back({path, TSkipReason::Unreadable});
      return false;
    }
    db.RecFileName = path;
    db.RecName = face;
    if (face != enumeratedFace) GetFaceFieldsForDatabase(db, face, dc_);
    if (ext == u".TTC") db.RecFontType = fw::IntToStr(kFontTypeCollection);
  }  // the file leaves the font table here, before the record is written
  db.WriteNewCompRec();
  return true;
}

TFolderAddition TDatabaseBuilder::AddFontscompdatabase(const fw::String& folder) {
  TFolderAddition result;
  const fw::String dir = fw::IncludeTrailingPathDelimiter(folder);
  fotFile_ = TempFotFileName();
  const TWalkDc dc(dc_);
  try {
    std::vector<fw::String> known;
    TFontDatabase& db = database_;
    const int64_t count = db.CompFile.FileSize();
    for (int64_t i = 0; i < count; ++i) {
      db.CompFile.Seek(i);
      db.CompFile.Read(db.CompRec);
      const fw::String path = fw::AnsiToString(db.CompRec.FileName.Get());
      if (SamePathIgnoringCase(fw::ExtractFilePath(path), dir)) known.push_back(path);
    }
    fw::FindFiles(dir, {}, [&](const fw::String& path, const fw::TSearchRec& e) {
      view_.ProcessMessages();
      if ((e.Attr & fw::faDirectory) || !IsTakenForAddition(UpperFileExt(e.Name), e.Attr)) return true;
      ++result.Found;
      const bool isKnown = std::any_of(known.begin(), known.end(),
                                       [&](const fw::String& k) { return SamePathIgnoringCase(k, path); });
      if (isKnown) return true;
      ++result.New;
      view_.ShowFile(dir, e.Name);
      if (StoreFontFile(path, result.Skipped)) ++result.Stored;
      return true;
    });
  } catch (const std::exception&) {
    // A database error ends the addition; its message says what was done.
  }
  return result;
}

}  // namespace app
