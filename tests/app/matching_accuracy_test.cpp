// End to end, without a window: samples drawn in installed fonts go through
// the sample box and are searched among a set of distinct typefaces; the
// source font must come out on top.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/image_routines.h"
#include "app/matching_engine.h"
#include "glyph_samples.h"

using namespace app;
using fw::String;
using fw::TBitmap;

namespace {

// Distinct designs from the fonts the set-up script installs. Metric clones
// that share their outlines with another member (Arimo, Tinos and Cousine
// are Liberation's) are left out: they would tie with it.
const char16_t* const kCandidates[] = {
    u"DejaVu Sans",      u"DejaVu Serif",      u"DejaVu Sans Mono",  u"DejaVu Sans Condensed",
    u"Liberation Sans",  u"Liberation Serif",  u"Liberation Mono",   u"Nimbus Roman",
    u"Nimbus Sans",      u"Nimbus Sans Narrow", u"Nimbus Mono PS",   u"C059",
    u"P052",             u"URW Bookman",       u"URW Gothic",        u"Z003",
    u"Noto Sans",        u"Noto Serif",        u"Noto Sans Display", u"Noto Serif Display",
    u"DejaVu Serif Condensed", u"DejaVu Sans Light",
};

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// A face that is not installed would silently be replaced by another one.
bool Installed(const String& face) {
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  face.copy(reinterpret_cast<char16_t*>(lf.lfFaceName), LF_FACESIZE - 1);
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &lf, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

struct TScoreSink : TMatchSink {
  std::vector<std::pair<String, double>> scores;
  void AddMatch(const String& face, const String&, double score) override { scores.push_back({face, score}); }
};

// 1-based rank of the source among the candidates at the speed; 0 when it
// is not listed at all.
int RankOf(const String& source, TBitmap* sample, int codePoint, int speed, bool monochrome, std::string* top) {
  TMatchingEngine engine;
  TScoreSink sink;
  engine.SetSample(sample);
  engine.SetSink(&sink);
  engine.SetMonochrome(monochrome);
  TMatchOptions o;
  o.CodePoint = codePoint;
  o.Speed = speed;
  o.Threshold = 0;
  engine.SetOptions(o);
  for (const char16_t* f : kCandidates) engine.comparefontandimage(f, u"System font");
  std::stable_sort(sink.scores.begin(), sink.scores.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  char line[128];
  for (size_t i = 0; i < sink.scores.size() && i < 3; ++i) {
    std::snprintf(line, sizeof line, "%s %.2f; ", fw::StringToUtf8(sink.scores[i].first).c_str(),
                  sink.scores[i].second);
    *top += line;
  }
  for (size_t i = 0; i < sink.scores.size(); ++i)
    if (sink.scores[i].first == source) return static_cast<int>(i) + 1;
  return 0;
}

// What the grab makes of a gray picture: dark pixels (gray up to 50) black,
// the rest white.
void GrabDark(TBitmap* b) {
  GrayscaleForGrab(b);
  const PixelView v = BitmapPixels(b);
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) v.SetColor(x, y, v.At(x, y)[0] <= 50 ? kInk : kWhite);
}

std::unique_ptr<TBitmap> Scaled(TBitmap* sample, int percent) {
  auto out = std::make_unique<TBitmap>();
  out->SetPixelFormat(fw::pf24bit);
  out->SetSize(sample->Width() * percent / 100, sample->Height() * percent / 100);
  ResizeBilinear(sample, out.get());
  GrabDark(out.get());
  return out;
}

// Flips about one pixel in fifty, the same ones on every run.
void AddNoise(TBitmap* b, unsigned seed) {
  std::mt19937 rng(seed);
  const PixelView v = BitmapPixels(b);
  std::uniform_int_distribution<int> px(0, v.Width - 1), py(0, v.Height - 1);
  for (int i = 0; i < v.Width * v.Height / 50; ++i) {
    const int x = px(rng), y = py(rng);
    v.SetColor(x, y, v.IsWhite(x, y) ? kInk : kWhite);
  }
}

struct TCase {
  const char16_t* font;
  int codePoint;
};

const TCase kSamples[] = {
    {u"DejaVu Sans", 'A'},     {u"Liberation Serif", 'g'}, {u"URW Bookman", 'R'}, {u"Nimbus Mono PS", 'a'},
    {u"C059", '&'},            {u"URW Gothic", 'G'},       {u"Noto Sans", 'e'},   {u"P052", 'Q'},
    {u"Liberation Sans", 'R'}, {u"Nimbus Roman", 'k'},
};

std::string Name(const TCase& c) {
  return fw::StringToUtf8(c.font) + " '" + std::string(1, static_cast<char>(c.codePoint)) + "'";
}

}  // namespace

TEST(Accuracy, CandidatesAreInstalledFaces) {
  EXPECT_GE(std::size(kCandidates), 20u);
  for (const char16_t* f : kCandidates) EXPECT_TRUE(Installed(f)) << fw::StringToUtf8(f);
  EXPECT_FALSE(Installed(u"No Such Face In Any Package"));
}

TEST(Accuracy, CleanSamplesFindTheirSourceFontFirstAtSpeedOne) {
  for (const TCase& c : kSamples) {
    auto sample = testing_glyphs::Sample(c.font, c.codePoint, 90);
    std::string top;
    const int rank = RankOf(c.font, sample.get(), c.codePoint, 1, false, &top);
    EXPECT_EQ(rank, 1) << Name(c) << ": " << top;
  }
}

TEST(Accuracy, ScaledAndNoisySamplesKeepTheSourceInTheFirstFive) {
  unsigned seed = 7;
  for (const TCase& c : kSamples) {
    auto sample = testing_glyphs::Sample(c.font, c.codePoint, 90);
    auto scaled = Scaled(sample.get(), 80);
    std::string top;
    int rank = RankOf(c.font, scaled.get(), c.codePoint, 1, true, &top);
    EXPECT_GE(rank, 1) << Name(c) << " scaled: " << top;
    EXPECT_LE(rank, 5) << Name(c) << " scaled: " << top;

    AddNoise(sample.get(), seed++);
    top.clear();
    rank = RankOf(c.font, sample.get(), c.codePoint, 1, false, &top);
    EXPECT_GE(rank, 1) << Name(c) << " noisy: " << top;
    EXPECT_LE(rank, 5) << Name(c) << " noisy: " << top;
  }
}
