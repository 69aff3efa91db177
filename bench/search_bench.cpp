// Measures whole searches over each source with the matching engine.
//
//   search_bench [FOLDER] [SOURCES]
//     Makes the sample (the letter R in DejaVu Sans, fitted into the 70 x 70
//     sample box), then runs the search over the installed fonts, over the
//     font files of FOLDER (Z:\usr\share\fonts\truetype\dejavu by default),
//     and over a font database made of that folder's files, as SOURCES
//     ("system,folder,database" by default) names them. Prints per source
//     the candidates, the candidates per second, the time spent adding font
//     files to the font table and naming them and removing them again, and
//     the best result; the folder search also beside a bare loop that adds
//     every font file of the folder to the font table and removes it again.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/font_folders.h"
#include "app/image_routines.h"
#include "app/matching_engine.h"
#include "app/search_run.h"
#include "app/startup.h"
#include "fw/core/types.h"

namespace {

std::string Utf8(const fw::String& s) { return fw::StringToUtf8(s); }

struct TSummaryView : app::TSearchView {
  void SearchFinished(const app::TSearchSummary& s) override { summary = s; }
  app::TSearchSummary summary;
};

// A database that lists every font file of the folder once.
void FillDatabase(app::TFontDatabase& db, const fw::String& folder) {
  std::vector<fw::String> files, folders;
  app::ScanDirectoryfolder(folder, files, false, folders);
  for (const fw::String& f : files) {
    db.RecName = u"any";
    db.RecFamily = u"Swiss";
    db.RecStyle = u"Regular";
    db.RecFontType = u"3";
    db.RecFileName = f;
    db.RecWeight = u"400";
    db.WriteNewCompRec();
  }
}

void Report(const char* source, const app::TSearchSummary& s, const app::TResultList& results) {
  const double seconds = static_cast<double>(s.ElapsedMs) / 1000;
  std::printf("%-8s candidates %5d  scored %5d  unusable %3d  %7.3f s  %8.1f candidates/s", source, s.Candidates,
              s.Scored, s.Unusable, seconds, seconds > 0 ? s.Candidates / seconds : 0.0);
  if (s.Candidates > 0 && s.LoadSeconds + s.ReleaseSeconds > 0) {
    std::printf("  load %.3f s (%.2f ms each)  release %.3f s (%.2f ms each)", s.LoadSeconds,
                1000 * s.LoadSeconds / s.Candidates, s.ReleaseSeconds, 1000 * s.ReleaseSeconds / s.Candidates);
  }
  std::printf("\n");
  if (!results.Empty()) {
    std::printf("%-8s best: %s\t%s\t%s\n", source, Utf8(results[0].Caption).c_str(), Utf8(results[0].ScoreText).c_str(),
                Utf8(results[0].Path).c_str());
  }
}

double Seconds() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// The bare reference of a folder search: every font file of the folder
// added to the font table and removed again, nothing else. Answers files
// per second.
double BareAddRemoveRate(const fw::String& folder) {
  std::vector<fw::String> files, folders;
  app::ScanDirectoryfolder(folder, files, false, folders);
  const double t0 = Seconds();
  for (const fw::String& f : files)
    if (AddFontResourceW(W(f)) > 0) RemoveFontResourceW(W(f));
  return static_cast<double>(files.size()) / (Seconds() - t0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  vestaline::RegisterProgramPictureFormats();
  const fw::String folder = argc > 1 ? FromW(argv[1]) : fw::String(u"Z:\\usr\\share\\fonts\\truetype\\dejavu");
  const std::wstring sources = argc > 2 ? argv[2] : L"system,folder,database";

  fw::TBitmap canvas;
  canvas.SetPixelFormat(fw::pf24bit);
  canvas.SetSize(120, 120);
  app::DrawCharCentred('R', canvas.Canvas(), fw::Rect(0, 0, 120, 120), 40, u"DejaVu Sans", false, false);
  fw::TBitmap glyph;
  app::CropGlyph(&canvas, &glyph);
  const std::unique_ptr<fw::TBitmap> sample = app::FitSampleToBox(&glyph, 70, 70);

  app::TMatchingEngine engine;
  app::TMatchOptions options;
  options.CodePoint = 'R';
  options.Threshold = 80;
  engine.SetOptions(options);
  engine.SetSample(sample.get());
  app::TResultList results;
  app::TEngineScorer scorer(engine, results);
  TSummaryView view;
  app::TSearchRun run(scorer, results, view);

  wchar_t tempDir[MAX_PATH];
  GetTempPathW(MAX_PATH, tempDir);
  const fw::String dbFile = FromW(tempDir) + u"search_bench_" + fw::Utf8ToString(std::to_string(GetCurrentProcessId())) +
                            u".DAT";
  app::TFontDatabase db;
  db.OpenCompDatabase(dbFile);
  FillDatabase(db, folder);
  run.SetDatabase(&db);
  run.Options().Folder = folder;

  std::printf("folder %s, %d font files\n", Utf8(folder).c_str(), app::GetNumberoffiles(folder, false));
  const struct {
    const wchar_t* Name;
    app::TSearchSource Source;
  } kSources[] = {{L"system", app::TSearchSource::System},
                  {L"folder", app::TSearchSource::Folders},
                  {L"database", app::TSearchSource::Database}};
  for (const auto& s : kSources) {
    if (sources.find(s.Name) == std::wstring::npos) continue;
    run.Options().Source = s.Source;
    // The folder search beside its bare reference, measured before and
    // after it, so that a machine busy with other work weighs on both.
    const bool bare = s.Source == app::TSearchSource::Folders;
    const double bareBefore = bare ? BareAddRemoveRate(folder) : 0;
    run.btnstartstopClick();
    Report(Utf8(FromW(s.Name)).c_str(), view.summary, results);
    if (bare && view.summary.ElapsedMs > 0) {
      const double bareRate = (bareBefore + BareAddRemoveRate(folder)) / 2;
      const double rate = view.summary.Candidates * 1000.0 / static_cast<double>(view.summary.ElapsedMs);
      std::printf("%-8s bare: %.1f files/s added and removed; the search makes %.0f%% of it\n", "folder", bareRate,
                  100 * rate / bareRate);
    }
  }
  db.CompFile.CloseFile();
  DeleteFileW(W(dbFile));
  return 0;
}
