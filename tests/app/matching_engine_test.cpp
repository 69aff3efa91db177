#include "app/matching_engine.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "app/image_routines.h"
#include "bench/canvas_reference.h"
#include "glyph_samples.h"

using namespace app;
using fw::TBitmap;

namespace {

struct TRecordingSink : TMatchSink {
  struct Item {
    fw::String face, path;
    double score;
  };
  std::vector<Item> items;
  int done = 0;
  bool throwOnMatch = false;
  void AddMatch(const fw::String& face, const fw::String& path, double score) override {
    if (throwOnMatch) throw std::runtime_error("list is gone");
    items.push_back({face, path, score});
  }
  void CandidateDone() override { ++done; }
};

std::unique_ptr<TBitmap> MakeBitmap(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(w, h);
  return b;
}

bool SamePixels(TBitmap* a, TBitmap* b) {
  if (a->Width() != b->Width() || a->Height() != b->Height()) return false;
  if (a->Empty()) return true;
  const PixelView va = BitmapPixels(a), vb = BitmapPixels(b);
  for (int y = 0; y < va.Height; ++y)
    for (int x = 0; x < va.Width; ++x)
      if (va.ColorAt(x, y) != vb.ColorAt(x, y)) return false;
  return true;
}

// The cell metrics of the canvas font after a drawing.
TEXTMETRICW Metrics(TBitmap* b) {
  TEXTMETRICW tm{};
  GetTextMetricsW(b->Canvas()->Handle(), &tm);
  return tm;
}

// The height the canvas font asked the system for.
int RequestedHeight(TBitmap* b) {
  LOGFONTW lf{};
  GetObjectW(GetCurrentObject(b->Canvas()->Handle(), OBJ_FONT), sizeof lf, &lf);
  return lf.lfHeight;
}

}  // namespace

TEST(DrawChar, CentredCellAtTheCharacterHeightOfThePointSize) {
  auto b = MakeBitmap(220, 200);
  const fw::TRect r = fw::Rect(10, 20, 210, 180);
  DrawCharCentred('H', b->Canvas(), r, 40, u"DejaVu Sans", false, false);
  const TEXTMETRICW tm = Metrics(b.get());
  // 40 points at 96 pixels per inch: a character height of 53 pixels.
  EXPECT_EQ(RequestedHeight(b.get()), -53);
  const auto box = FindGlyphBox(BitmapPixels(b.get()));
  ASSERT_TRUE(box);
  // H is symmetric: equal margins left and right within the rectangle.
  EXPECT_NEAR(box->Left - r.Left, r.Right - box->Right, 2);
  // The cell is centred vertically; H stands on the baseline.
  const fw::TSize ext = b->Canvas()->TextExtent(u"H");
  const int baseline = r.Top + (r.Height() - ext.cy) / 2 + tm.tmAscent;
  EXPECT_NEAR(box->Bottom, baseline, 1);
  // Everything outside the rectangle stays as it was (white), inside is filled.
  EXPECT_EQ(b->Canvas()->Pixel(5, 5), 0xFFFFFF);
}

TEST(DrawChar, LeftDrawingRoundsItsSizeHalfToEven) {
  struct { double size; int height; } cases[] = {
      {30.5, 40},  // round(30.5) = 30 points: MulDiv(30, 96, 72) = 40
      {31.5, 43},  // 32 points: 42.67 -> 43
      {31.49, 41}, // 31 points: 41.33 -> 41
  };
  for (auto c : cases) {
    auto b = MakeBitmap(200, 120);
    DrawCharLeft('I', b->Canvas(), fw::Rect(0, 0, 200, 120), c.size, u"DejaVu Serif", false, false);
    EXPECT_EQ(RequestedHeight(b.get()), -c.height) << c.size;
    const auto box = FindGlyphBox(BitmapPixels(b.get()));
    ASSERT_TRUE(box);
    EXPECT_LT(box->Left, 8) << "drawn against the left edge";
  }
}

TEST(DrawChar, BoldItalicAndCodePointsBeyondSixteenBits) {
  auto regular = MakeBitmap(120, 120);
  auto bold = MakeBitmap(120, 120);
  DrawCharCentred('l', regular->Canvas(), fw::Rect(0, 0, 120, 120), 50, u"DejaVu Sans", false, false);
  DrawCharCentred('l', bold->Canvas(), fw::Rect(0, 0, 120, 120), 50, u"DejaVu Sans", true, false);
  const auto rb = FindGlyphBox(BitmapPixels(regular.get()));
  const auto bb = FindGlyphBox(BitmapPixels(bold.get()));
  ASSERT_TRUE(rb && bb);
  EXPECT_GT(bb->Width(), rb->Width());

  // U+1D400 (mathematical bold capital A) is drawn from its surrogate pair;
  // its low 16 bits alone would be a private-use character.
  auto wide = MakeBitmap(120, 120);
  DrawCharCentred(0x1D400, wide->Canvas(), fw::Rect(0, 0, 120, 120), 40, u"DejaVu Serif", false, false);
  EXPECT_EQ(wide->Canvas()->TextExtent(fw::String{char16_t(0xD835), char16_t(0xDC00)}).cx,
            wide->Canvas()->TextExtent(u"\U0001D400").cx);
}

TEST(StretchAndFit, KeepAspectCentredOnWhiteAndCropToTheGlyph) {
  auto wide = MakeBitmap(120, 60);
  wide->Canvas()->Brush()->SetColor(fw::clBlack);
  wide->Canvas()->FillRect(fw::Rect(0, 0, 120, 60));
  auto box = MakeBitmap(70, 70);
  StretchKeepAspect(wide.get(), box.get());
  const auto inked = FindGlyphBox(BitmapPixels(box.get()));
  ASSERT_TRUE(inked);
  EXPECT_EQ(*inked, fw::Rect(0, 17, 70, 52));

  auto fitted = FitSampleToBox(wide.get(), 70, 70);
  EXPECT_EQ(fitted->Width(), 70);
  EXPECT_EQ(fitted->Height(), 35);
  // A picture that fits the box is used as it is, without a crop.
  auto small = MakeBitmap(60, 60);
  small->Canvas()->SetPixel(10, 10, 0);
  auto kept = FitSampleToBox(small.get(), 70, 70);
  EXPECT_EQ(kept->Width(), 60);
  EXPECT_EQ(kept->Height(), 60);
}

TEST(Engine, CalibratedSecondDrawingHasAboutTheSampleHeight) {
  auto sample = testing_glyphs::Sample(u"DejaVu Serif", 'A', 90);
  ASSERT_FALSE(sample->Empty());
  const int hs = sample->Height();
  TMatchingEngine engine;
  engine.SetSample(sample.get());
  TMatchOptions o;
  o.CodePoint = 'A';
  o.Speed = 1;
  o.Threshold = 50;
  engine.SetOptions(o);
  engine.comparefontandimage(u"DejaVu Serif", u"System font");
  EXPECT_NEAR(engine.GlyphBitmap()->Height(), hs, 2);
  EXPECT_EQ(engine.CompareBitmap()->Height(), engine.GlyphBitmap()->Height());
  // The second drawing recalibrates: about Hs again.
  EXPECT_NEAR(engine.CalibratedSize(), hs, hs * 0.05);
  EXPECT_GT(MatchScore(engine.LastCounts()), 90.0);
}

TEST(Engine, ResultsEqualReadingTheCanvasPixelByPixel) {
  auto sample = testing_glyphs::Sample(u"DejaVu Sans", 'A', 90);
  struct { const char16_t* face; int cp; } glyphs[] = {
      {u"DejaVu Sans", 'A'},    {u"DejaVu Serif", 'g'}, {u"Liberation Mono", '"'},
      {u"Nimbus Roman", 'W'},   {u"URW Gothic", '%'},   {u"Liberation Serif", 0x00A0 /* blank */},
  };
  for (int speed : {1, 3, 5, 7}) {
    for (bool mono : {false, true}) {
      if (mono && speed != 1) continue;
      TMatchingEngine engine;
      bench::TCanvasReferenceEngine reference;
      engine.SetSample(sample.get());
      reference.Sample = sample.get();
      engine.SetMonochrome(mono);
      reference.Monochrome = mono;
      for (auto g : glyphs) {
        TMatchOptions o;
        o.CodePoint = g.cp;
        o.Speed = speed;
        engine.SetOptions(o);
        reference.Options = o;
        engine.comparefontandimage(g.face, u"System font");
        const TMatchCounts want = reference.Compare(g.face);
        const std::string what = fw::StringToUtf8(g.face) + " " + std::to_string(g.cp) + " speed " +
                                 std::to_string(speed) + (mono ? " mono" : "");
        EXPECT_EQ(engine.LastCounts(), want) << what;
        EXPECT_TRUE(SamePixels(engine.CompareBitmap(), reference.CompareBitmap())) << what;
        EXPECT_DOUBLE_EQ(engine.CalibratedSize(), reference.CalibratedSize) << what;
      }
    }
  }
}

TEST(Engine, SpeedLevelsOnBlankAndSplitGlyphs) {
  auto sample = testing_glyphs::Sample(u"DejaVu Sans", 'B', 90);
  const PixelView sv = BitmapPixels(sample.get());
  int white = 0;
  for (int y = 0; y < sv.Height; ++y)
    for (int x = 0; x < sv.Width; ++x) white += sv.IsWhite(x, y);
  const double whiteShare = 100.0 * white / (sv.Width * sv.Height);

  TMatchingEngine engine;
  engine.SetSample(sample.get());
  struct { int speed; int compareWidth; double score; } blank[] = {
      {1, 0, 0.0}, {5, 0, 0.0}, {3, sv.Width, whiteShare}, {7, sv.Width, whiteShare},
  };
  for (auto c : blank) {
    TMatchOptions o;
    o.CodePoint = 0x00A0;  // no-break space: nothing drawn
    o.Speed = c.speed;
    engine.SetOptions(o);
    engine.comparefontandimage(u"DejaVu Sans", u"System font");
    EXPECT_EQ(engine.CompareBitmap()->Width(), c.compareWidth) << "speed " << c.speed;
    EXPECT_DOUBLE_EQ(MatchScore(engine.LastCounts()), c.score) << "speed " << c.speed;
  }
  // Speed 7 compares the whole drawing of the sample's size.
  EXPECT_EQ(engine.CompareBitmap()->Height(), sv.Height);

  // A double quote is two runs of ink columns: only the right one is kept.
  TMatchOptions o;
  o.CodePoint = '"';
  o.Speed = 5;
  engine.SetOptions(o);
  engine.comparefontandimage(u"DejaVu Sans", u"System font");
  PixelView rv = BitmapPixels(engine.RenderBitmap());
  int first = rv.Width, last = -1;
  for (int y = 0; y < rv.Height; ++y)
    for (int x = 0; x < rv.Width; ++x)
      if (rv.IsInk(x, y)) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
  ASSERT_GE(last, first);
  EXPECT_LT(engine.GlyphBitmap()->Width(), (last - first + 1) / 2);
}

TEST(Engine, SpeedsTwoAndFourBehaveAsOneAndThree) {
  auto sample = testing_glyphs::Sample(u"DejaVu Sans", 'R', 90);
  auto other = testing_glyphs::Sample(u"URW Gothic", 'Q', 90);
  for (auto [speed, as] : {std::pair{2, 1}, std::pair{4, 3}}) {
    TMatchingEngine a, b;
    a.SetSample(sample.get());
    b.SetSample(sample.get());
    TMatchOptions o;
    o.CodePoint = 'R';
    // A previous candidate leaves its pixels behind; they must not count.
    o.Speed = speed;
    a.SetOptions(o);
    a.comparefontandimage(u"Nimbus Sans", u"System font");
    a.comparefontandimage(u"DejaVu Serif", u"System font");
    o.Speed = as;
    b.SetOptions(o);
    b.comparefontandimage(u"Nimbus Sans", u"System font");
    b.comparefontandimage(u"DejaVu Serif", u"System font");
    EXPECT_EQ(a.LastCounts(), b.LastCounts()) << speed;
    EXPECT_TRUE(SamePixels(a.CompareBitmap(), b.CompareBitmap())) << speed;
  }
}

TEST(Engine, BoldedReductionTurnsGrayEdgesIntoInkWithoutCalibrating) {
  auto sample = MakeBitmap(10, 10);
  TMatchingEngine engine;
  engine.SetSample(sample.get());
  engine.SetCalibratedSize(12.5);
  auto drawing = MakeBitmap(20, 20);
  drawing->Canvas()->SetPixel(5, 5, 0x000000);
  drawing->Canvas()->SetPixel(6, 5, 0x808080);
  drawing->Canvas()->SetPixel(6, 8, 0xFEFFFF);
  engine.BmpfromPainBoxBolded(drawing.get());
  TBitmap* c = engine.CompareBitmap();
  ASSERT_EQ(c->Width(), 2);
  ASSERT_EQ(c->Height(), 4);
  EXPECT_EQ(c->Canvas()->Pixel(1, 0), 0x000000);
  EXPECT_EQ(c->Canvas()->Pixel(1, 3), 0x000000);
  EXPECT_EQ(c->Canvas()->Pixel(0, 3), 0xFFFFFF);
  EXPECT_DOUBLE_EQ(engine.CalibratedSize(), 12.5);
}

TEST(Engine, ListsCandidatesReachingTheThresholdAndAlwaysReportsTheCount) {
  auto sample = testing_glyphs::Sample(u"Liberation Serif", 'k', 90);
  TMatchingEngine engine;
  TRecordingSink sink;
  engine.SetSample(sample.get());
  engine.SetSink(&sink);
  TMatchOptions o;
  o.CodePoint = 'k';
  o.Speed = 3;
  o.Threshold = 50;
  engine.SetOptions(o);
  engine.comparefontandimage(u"DejaVu Sans", u"System font");
  const double score = MatchScore(engine.LastCounts());
  ASSERT_GT(score, 50.0);
  ASSERT_LT(score, 99.0);
  ASSERT_EQ(sink.items.size(), 1u);
  EXPECT_EQ(sink.items[0].face, u"DejaVu Sans");
  EXPECT_EQ(sink.items[0].path, u"System font");
  EXPECT_DOUBLE_EQ(sink.items[0].score, score);
  EXPECT_EQ(engine.MatchCount(), 1);

  o.Threshold = static_cast<int>(score) + 1;
  engine.SetOptions(o);
  engine.comparefontandimage(u"DejaVu Sans", u"System font");
  EXPECT_EQ(sink.items.size(), 1u);
  EXPECT_EQ(engine.MatchCount(), 1);
  EXPECT_EQ(sink.done, 2);

  // A failure leaves the candidate after the count was reported.
  o.Threshold = 50;
  engine.SetOptions(o);
  sink.throwOnMatch = true;
  EXPECT_THROW(engine.comparefontandimage(u"DejaVu Sans", u"C:\\x.ttf"), std::runtime_error);
  EXPECT_EQ(sink.done, 3);
  EXPECT_EQ(engine.MatchCount(), 1);
}

TEST(Engine, RanksAFixedSetOfFacesAsReadingTheCanvasDoes) {
  // The whole ranking a search shows, not only single scores: the engine
  // works on parts of its drawing, the reference on copies read pixel by
  // pixel, and both must list the same faces in the same order.
  auto sample = testing_glyphs::Sample(u"Liberation Serif", 'R', 90);
  const char16_t* const faces[] = {u"DejaVu Sans",     u"DejaVu Serif",  u"Liberation Sans", u"Liberation Serif",
                                   u"Liberation Mono", u"Nimbus Roman",  u"Nimbus Sans",     u"URW Bookman",
                                   u"URW Gothic",      u"C059",          u"P052",            u"Noto Serif"};
  using TRanking = std::vector<std::pair<fw::String, double>>;
  auto ranked = [](TRanking r) {
    std::stable_sort(r.begin(), r.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    return r;
  };
  for (int speed : {1, 3, 5, 7}) {
    for (bool mono : {false, true}) {
      if (mono && speed != 1) continue;
      TMatchingEngine engine;
      TRecordingSink sink;
      bench::TCanvasReferenceEngine reference;
      engine.SetSample(sample.get());
      engine.SetSink(&sink);
      engine.SetMonochrome(mono);
      reference.Sample = sample.get();
      reference.Monochrome = mono;
      TMatchOptions o;
      o.CodePoint = 'R';
      o.Speed = speed;
      o.Threshold = 50;
      engine.SetOptions(o);
      reference.Options = o;
      TRanking want;
      for (const char16_t* f : faces) {
        engine.comparefontandimage(f, u"System font");
        const TMatchCounts m = reference.Compare(f);
        if (MatchAccepted(m, o.Threshold)) want.push_back({f, MatchScore(m)});
      }
      TRanking got;
      for (const auto& item : sink.items) got.push_back({item.face, item.score});
      ASSERT_FALSE(want.empty()) << speed;
      EXPECT_EQ(ranked(got), ranked(want)) << "speed " << speed << (mono ? " mono" : "");
    }
  }
}
