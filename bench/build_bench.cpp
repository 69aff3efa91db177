// Measures a font database build over one folder of font files.
//
//   build_bench FOLDER
//     Builds a database of the font files in FOLDER as the builder dialog
//     does (the walk, with the default type settings), and prints the files
//     taken, the records written and the files per second; beside it a bare
//     loop over the same files that only adds each file to the font table,
//     enumerates the styles of its face and removes it again. The two take
//     turns for a few rounds and each shows its best round, so that a busy
//     machine weighs on both alike.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/database_builder.h"
#include "app/startup.h"
#include "fw/core/types.h"

namespace {

double Seconds() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

struct TFontFile {
  fw::String Path;
  fw::String Face;
};

int CALLBACK CountStyle(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM data) {
  ++*reinterpret_cast<int*>(data);
  return 1;
}

// The bare reference: add, enumerate the face's styles, remove. Answers
// files per second.
double BareRate(const std::vector<TFontFile>& files) {
  HDC dc = GetDC(nullptr);
  int styles = 0;
  const double t0 = Seconds();
  for (const TFontFile& f : files) {
    if (AddFontResourceW(W(f.Path)) <= 0) continue;
    LOGFONTW lf{};
    lstrcpynW(lf.lfFaceName, W(f.Face), LF_FACESIZE);
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &lf, CountStyle, reinterpret_cast<LPARAM>(&styles), 0);
    RemoveFontResourceW(W(f.Path));
  }
  const double t = Seconds() - t0;
  ReleaseDC(nullptr, dc);
  return static_cast<double>(files.size()) / t;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: build_bench FOLDER\n");
    return 2;
  }
  vestaline::RegisterProgramPictureFormats();
  const fw::String folder = FromW(argv[1]);
  wchar_t tempDir[MAX_PATH];
  GetTempPathW(MAX_PATH, tempDir);
  const fw::String dbFile =
      FromW(tempDir) + u"build_bench_" + fw::Utf8ToString(std::to_string(GetCurrentProcessId())) + u".DAT";

  app::TFontDatabase db;
  db.OpenCompDatabase(dbFile);
  app::TBuildView view;
  app::TDatabaseBuilder builder(db, view);
  builder.CrashMarkerFile = dbFile + u".log";

  // A first build untimed: the system's font cache then holds for both.
  builder.BeginBuild();
  builder.CreateCompdatabase(folder, false);
  std::vector<TFontFile> files;
  for (int64_t i = 0; i < db.CompFile.FileSize(); ++i) {
    db.CompFile.Seek(i);
    db.CompFile.Read(db.CompRec);
    files.push_back({fw::AnsiToString(db.CompRec.FileName.Get()), fw::AnsiToString(db.CompRec.Name.Get())});
  }
  const int skipped = static_cast<int>(builder.Skipped().size());

  constexpr int kRounds = 3;
  double bare = 0, seconds = 0;
  for (int round = 0; round < kRounds; ++round) {
    bare = std::max(bare, BareRate(files));
    db.deletecompareDatabase();
    builder.BeginBuild();
    const double t0 = Seconds();
    builder.CreateCompdatabase(folder, false);
    const double t = Seconds() - t0;
    seconds = round == 0 ? t : std::min(seconds, t);
  }

  const int taken = static_cast<int>(db.CompFile.FileSize()) + static_cast<int>(builder.Skipped().size());
  const double rate = taken / seconds;
  std::printf("folder %s\n", fw::StringToUtf8(folder).c_str());
  std::printf("build: %d files taken, %d records, %d not stored, best of %d rounds %.3f s, %.1f files/s\n", taken,
              static_cast<int>(db.CompFile.FileSize()), skipped, kRounds, seconds, rate);
  std::printf("bare:  %.1f files/s added, enumerated and removed; the build makes %.0f%% of it\n", bare,
              100 * rate / bare);
  db.CompFile.CloseFile();
  DeleteFileW(W(dbFile));
  return 0;
}
