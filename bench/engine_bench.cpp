// Measures the matching engine.
//
//   engine_bench
//     Runs the engine over every installed face for a fixed sample (the
//     letter A in DejaVu Sans, fitted into the 70 x 70 sample box) at
//     speeds 1, 3, 5 and 7, and prints candidates per second, the time per
//     candidate in each phase (draw, reduce, score) and the top results.
//     In the same run a bare render loop sets the engine's pace against
//     what the system's text drawing allows: per face one CreateFont at the
//     sample's height, one TextOut of the character into a DIB of the
//     engine's drawing size, one pass over its pixels. The engine's
//     drawings per second (two per candidate at speed 1, one otherwise) are
//     printed as a share of the bare loop's.
//     The same search done by a plain reference that reads every pixel
//     from the canvas is timed too, and both rankings must be identical
//     (exit code 1 otherwise).
//
//   engine_bench --write-sample FILE
//     Writes that fixed sample as a bitmap file.
//
//   engine_bench SAMPLE SOURCE CODEPOINT BOLD ITALIC SPEED THRESHOLD [WxH]
//     Fits the sample image into the sample box (70 x 70 unless given) as
//     the program does, searches SOURCE ("installed" for the installed
//     fonts, or a folder of font files) and prints the ranked list: name,
//     score and path, separated by tabs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/core/glyph_compare.h"
#include "app/core/ttf_info.h"
#include "app/image_routines.h"
#include "app/matching_engine.h"
#include "app/startup.h"
#include "bench/canvas_reference.h"
#include "fw/core/exceptions.h"
#include "fw/core/types.h"
#include "fw/graphics/gdi_handles.h"

namespace {

using fw::String;
using fw::TBitmap;

struct TResult {
  String face;
  String path;
  double score = 0;
  app::TMatchCounts counts;
};

struct TCollectSink : app::TMatchSink {
  std::vector<TResult>* out = nullptr;
  void AddMatch(const String& face, const String& path, double score) override {
    out->push_back({face, path, score, {}});
  }
};

std::string Utf8(const String& s) { return fw::StringToUtf8(s); }

double Seconds() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(freq.QuadPart);
}

int CALLBACK CollectFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM param) {
  auto* faces = reinterpret_cast<std::set<String>*>(param);
  String name = FromW(lf->lfFaceName);
  if (!name.empty() && name[0] != u'@') faces->insert(name);
  return 1;
}

std::vector<String> InstalledFaces() {
  std::set<String> faces;
  HDC dc = GetDC(nullptr);
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(dc, &lf, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  ReleaseDC(nullptr, dc);
  return {faces.begin(), faces.end()};
}

std::unique_ptr<TBitmap> FixedSample() {
  TBitmap drawing;
  drawing.SetPixelFormat(fw::pf24bit);
  drawing.SetSize(270, 270);
  app::DrawCharCentred('A', drawing.Canvas(), fw::Rect(0, 0, 270, 270), 90, u"DejaVu Sans", false, false);
  TBitmap glyph;
  app::CropGlyph(&drawing, &glyph);
  return app::FitSampleToBox(&glyph, 70, 70);
}

volatile int64_t gInkSeen = 0;

// The bare render loop: per face one font, one character drawn into a
// w x h DIB, one pass over its pixels.
class TBareRenderer {
 public:
  TBareRenderer(int codePoint, int size, int w, int h) : text_(static_cast<wchar_t>(codePoint)) {
    dib_.SetPixelFormat(fw::pf24bit);
    dib_.SetSize(w, h);
    dc_ = dib_.Canvas()->Handle();
    pixels_ = app::BitmapPixels(&dib_);
    fw::TWindowDC screen;
    height_ = -MulDiv(size, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
  }
  ~TBareRenderer() { gInkSeen = ink_; }  // keeps the pass over the pixels from being left out

  // Draws the faces [begin, end) and answers the seconds it took.
  double Draw(const String* begin, const String* end) {
    const int w = pixels_.Width, h = pixels_.Height;
    const double t0 = Seconds();
    for (const String* face = begin; face != end; ++face) {
      fw::TFontHandle font(CreateFontW(height_, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                       W(*face)));
      fw::TSelectObject selectFont(dc_, font.Get());
      PatBlt(dc_, 0, 0, w, h, WHITENESS);
      TextOutW(dc_, w / 4, h / 4, &text_, 1);
      GdiFlush();
      for (int y = 0; y < h; ++y) {
        const uint8_t* row = pixels_.Row(y);
        for (int i = 0; i < w * 3; ++i) ink_ += row[i] == 0;
      }
    }
    return Seconds() - t0;
  }

 private:
  wchar_t text_;
  int height_ = 0;
  TBitmap dib_;
  HDC dc_ = nullptr;
  app::PixelView pixels_;
  int64_t ink_ = 0;
};

// Best first; equal scores keep the order in which they were found.
void Rank(std::vector<TResult>& r) {
  std::stable_sort(r.begin(), r.end(), [](const TResult& a, const TResult& b) { return a.score > b.score; });
}

void PrintTop(const std::vector<TResult>& r, size_t n) {
  for (size_t i = 0; i < r.size() && i < n; ++i)
    std::printf("      %zu. %-32s %6.2f\n", i + 1, Utf8(r[i].face).c_str(), r[i].score);
}

int Benchmark() {
  const std::vector<String> faces = InstalledFaces();
  auto sample = FixedSample();
  std::printf("installed faces: %zu\n", faces.size());
  std::printf("sample: 'A' in DejaVu Sans at 90 pt, fitted into 70 x 70: %d x %d\n\n", sample->Width(),
              sample->Height());
  // The first drawing in a face loads it; no loop below pays for that.
  TBareRenderer(0x41, sample->Height(), sample->Width(), sample->Height()).Draw(&faces.front(), &faces.back() + 1);
  bool identical = true;
  for (int speed : {1, 3, 5, 7}) {
    app::TMatchOptions o;
    o.CodePoint = 'A';
    o.Speed = speed;
    o.Threshold = 0;  // rank every candidate that matches anything
    const app::TSpeedRule rule = app::SpeedRuleFor(speed);
    const int canvasW = rule.CanvasScale * sample->Width();
    const int canvasH = rule.CanvasScale * sample->Height();

    std::vector<TResult> fast;
    TCollectSink sink;
    sink.out = &fast;
    app::TPhaseTimes times;
    app::TMatchingEngine engine;
    engine.SetSample(sample.get());
    engine.SetOptions(o);
    engine.SetSink(&sink);
    engine.SetTiming(&times);
    TBareRenderer bare(o.CodePoint, sample->Height(), canvasW, canvasH);
    // Turn about in small groups of faces, so that a machine busy with
    // other work slows both alike; a group is larger than the system's
    // cache of recently used fonts, so neither loop finds the other's.
    constexpr size_t kGroup = 24;
    double engineTime = 0, bareTime = 0;
    for (size_t i = 0; i < faces.size(); i += kGroup) {
      const String* begin = faces.data() + i;
      const String* end = faces.data() + std::min(faces.size(), i + kGroup);
      bareTime += bare.Draw(begin, end);
      const double t0 = Seconds();
      for (const String* f = begin; f != end; ++f) engine.comparefontandimage(*f, u"System font");
      engineTime += Seconds() - t0;
    }

    std::vector<TResult> slow;
    bench::TCanvasReferenceEngine reference;
    reference.Sample = sample.get();
    reference.Options = o;
    const double t0 = Seconds();
    for (const String& f : faces) {
      const app::TMatchCounts m = reference.Compare(f);
      if (app::MatchAccepted(m, o.Threshold)) slow.push_back({f, u"System font", app::MatchScore(m), m});
    }
    const double referenceTime = Seconds() - t0;

    Rank(fast);
    Rank(slow);
    bool same = fast.size() == slow.size();
    for (size_t i = 0; same && i < fast.size(); ++i)
      same = fast[i].face == slow[i].face && fast[i].score == slow[i].score;
    identical = identical && same;

    const double n = static_cast<double>(faces.size());
    const double drawings = rule.Level == 1 ? 2 : 1;
    std::printf("speed %d\n", speed);
    const double bareRate = n / bareTime;
    const double engineDrawings = drawings * n / engineTime;
    std::printf("  bare:      %5.0f drawings/s   (font, text into a %d x %d DIB, one pass over its pixels)\n", bareRate,
                canvasW, canvasH);
    std::printf("  engine:    %5.0f candidates/s = %5.0f drawings/s = %.0f%% of bare\n", n / engineTime,
                engineDrawings, 100 * engineDrawings / bareRate);
    std::printf("             (%.3f s; per candidate: draw %.1f us, reduce %.1f us, score %.1f us)\n", engineTime,
                times.Draw / n * 1e6, times.Reduce / n * 1e6, times.Score / n * 1e6);
    std::printf("  reference: %5.0f candidates/s  (%.3f s, every pixel read from the canvas)\n", n / referenceTime,
                referenceTime);
    std::printf("  rankings:  %s (%zu listed)\n", same ? "identical" : "DIFFERENT", fast.size());
    std::printf("  top:\n");
    PrintTop(fast, 5);
    std::printf("\n");
  }
  return identical ? 0 : 1;
}

std::vector<String> FontFilesIn(const String& folder) {
  std::vector<String> files;
  String dir = folder;
  if (!dir.empty() && dir.back() != u'\\' && dir.back() != u'/') dir += u'\\';
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(W(dir + u"*"), &fd);
  if (h == INVALID_HANDLE_VALUE) return files;
  do {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    String name = FromW(fd.cFileName);
    String ext = name.size() > 4 ? name.substr(name.size() - 4) : String();
    for (auto& c : ext) c = static_cast<char16_t>(towupper(c));
    if (ext == u".TTF" || ext == u".OTF" || ext == u".TTC") files.push_back(dir + name);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  std::sort(files.begin(), files.end());
  return files;
}

int Search(int argc, wchar_t** argv) {
  const String samplePath = FromW(argv[1]);
  const String source = FromW(argv[2]);
  app::TMatchOptions o;
  o.CodePoint = _wtoi(argv[3]);
  o.Bold = _wtoi(argv[4]) != 0;
  o.Italic = _wtoi(argv[5]) != 0;
  o.Speed = _wtoi(argv[6]);
  o.Threshold = _wtoi(argv[7]);
  int boxW = 70, boxH = 70;
  if (argc > 8 && swscanf(argv[8], L"%dx%d", &boxW, &boxH) != 2) {
    std::fprintf(stderr, "box size must read WxH\n");
    return 2;
  }
  auto picture = app::LoadPictureAsBitmap(samplePath);
  app::MakeBitmap24(picture.get());
  auto sample = app::FitSampleToBox(picture.get(), boxW, boxH);
  if (sample->Empty()) {
    std::fprintf(stderr, "Invalid sample image! Cannot be used for matching.\n");
    return 1;
  }

  std::vector<TResult> results;
  TCollectSink sink;
  sink.out = &results;
  app::TMatchingEngine engine;
  engine.SetSample(sample.get());
  engine.SetOptions(o);
  engine.SetSink(&sink);
  int candidates = 0;
  const double t0 = Seconds();
  if (source == u"installed") {
    for (const String& f : InstalledFaces()) {
      engine.comparefontandimage(f, u"System font");
      ++candidates;
    }
  } else {
    for (const String& file : FontFilesIn(source)) {
      app::ThhTTFinfo reader;
      app::tTTFList names;
      int err = 0;
      reader.GetTTFinfo(file, &names, err);
      if (err != app::kTTFOk || names.FontName.empty()) continue;
      const String face = fw::AnsiToString(names.FontName).substr(0, LF_FACESIZE - 1);
      if (AddFontResourceW(W(file)) == 0) continue;
      try {
        engine.comparefontandimage(face, file);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", Utf8(file).c_str(), e.what());
      }
      RemoveFontResourceW(W(file));
      ++candidates;
    }
  }
  const double elapsed = Seconds() - t0;
  Rank(results);
  std::printf("sample %d x %d, %d candidates in %.3f s\n", sample->Width(), sample->Height(), candidates, elapsed);
  std::printf("results: %zu\n", results.size());
  for (const TResult& r : results)
    std::printf("%s\t%.2f\t%s\n", Utf8(r.face).c_str(), r.score, Utf8(r.path).c_str());
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  vestaline::RegisterProgramPictureFormats();
  try {
    if (argc == 1) return Benchmark();
    if (argc == 3 && std::wcscmp(argv[1], L"--write-sample") == 0) {
      FixedSample()->SaveToFile(FromW(argv[2]));
      return 0;
    }
    if (argc == 8 || argc == 9) return Search(argc, argv);
    std::fprintf(stderr,
                 "usage: engine_bench\n"
                 "       engine_bench --write-sample FILE\n"
                 "       engine_bench SAMPLE SOURCE CODEPOINT BOLD ITALIC SPEED THRESHOLD [WxH]\n"
                 "       (SOURCE: \"installed\" or a folder of font files)\n");
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "error: %s\n", e.what());
    return 1;
  }
}
