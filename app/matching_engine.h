// The matching engine: draws the chosen character in one candidate font,
// reduces the drawing to a comparison image by the speed level, compares it
// pixel by pixel with the sample and reports the candidate to a result sink
// when its score reaches the threshold.
//
// The engine holds the work bitmaps and the state that lives across
// candidates (the calibrated size, the match count); the options come in as
// values, so the main window, the tests and the benchmarks drive it alike.
// A candidate costs two font selections and two text drawings at speed 1
// and little else: the drawing canvas keeps its bitmap and device context
// while the sample's size stays, the glyph crop and the comparison image
// are parts of the drawing itself, and only the stretched comparison image
// of speed 3 has a bitmap of its own, of the sample's size.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "app/core/glyph_compare.h"
#include "fw/graphics/graphics.h"

namespace app {

struct TMatchOptions {
  int CodePoint = 65;
  bool Bold = false;
  bool Italic = false;
  int Speed = 1;       // 1 .. 7
  int Threshold = 80;  // per cent
};

// Where listed candidates go.
class TMatchSink {
 public:
  virtual ~TMatchSink() = default;
  // A candidate reached the threshold; path is the font file or "System font".
  virtual void AddMatch(const fw::String& faceName, const fw::String& path, double score) = 0;
  // After every candidate, also one that failed: the listed count may have
  // changed.
  virtual void CandidateDone() {}
};

// Time spent in each phase, summed over candidates (seconds).
struct TPhaseTimes {
  double Draw = 0;
  double Reduce = 0;
  double Score = 0;
  int64_t Candidates = 0;
};

// Crops a drawing to its glyph: dst becomes the box of the last run of ink
// columns of src (24 bits), or empty when src holds no black pixel.
void CropGlyph(fw::TBitmap* src, fw::TBitmap* dst);
// Fits src into dst's size keeping its aspect, centred on white (24 bits).
void StretchKeepAspect(fw::TBitmap* src, fw::TBitmap* dst);
// The sample box rule: a picture larger than the box (in either direction)
// is fitted into the box keeping its aspect, centred on white, and cropped
// to its glyph; a picture that fits is returned as a plain copy.
std::unique_ptr<fw::TBitmap> FitSampleToBox(fw::TBitmap* picture, int boxWidth, int boxHeight);

class TMatchingEngine {
 public:
  TMatchingEngine();
  ~TMatchingEngine();
  TMatchingEngine(const TMatchingEngine&) = delete;
  TMatchingEngine& operator=(const TMatchingEngine&) = delete;

  const TMatchOptions& Options() const { return options_; }
  void SetOptions(const TMatchOptions& o) { options_ = o; }
  // The sample image S (not owned); made 24 bits before each comparison.
  fw::TBitmap* Sample() const { return sample_; }
  void SetSample(fw::TBitmap* s) { sample_ = s; }
  TMatchSink* Sink() const { return sink_; }
  void SetSink(TMatchSink* s) { sink_ = s; }
  // Optional: phase times are added here while set.
  void SetTiming(TPhaseTimes* t) { timing_ = t; }

  fw::TBitmap* RenderBitmap() const { return renderBitmap_.get(); }
  // The glyph and comparison images of the last reduction, copied out of
  // the drawing when asked for (a search never asks).
  fw::TBitmap* GlyphBitmap();
  fw::TBitmap* CompareBitmap();
  double CalibratedSize() const { return calibratedSize_; }
  void SetCalibratedSize(double v) { calibratedSize_ = v; }
  bool Monochrome() const { return monochrome_; }
  void SetMonochrome(bool v) { monochrome_ = v; }
  int MatchCount() const { return matchCount_; }
  void SetMatchCount(int v) { matchCount_ = v; }
  // The counts of the last candidate scored.
  const TMatchCounts& LastCounts() const { return lastCounts_; }

  // Draws, reduces and scores one candidate and lists it when it reaches
  // the threshold. Errors propagate after the sink heard CandidateDone.
  void comparefontandimage(const fw::String& faceName, const fw::String& path);
  // Turns a drawing into GlyphBitmap and CompareBitmap by the speed level.
  void BmpfromPainBox(fw::TBitmap* drawing);
  // The same for a black-and-white sample: every coloured pixel of the
  // drawing is made black first; no calibration.
  void BmpfromPainBoxBolded(fw::TBitmap* drawing);
  // The metric on two bitmaps; S is made 24 bits.
  TMatchCounts CountMatchingPixels(fw::TBitmap* s, fw::TBitmap* c);

 private:
  int SampleHeight() const;
  // The reductions on the drawing's own pixels: the glyph and comparison
  // images become parts of them (or the speed-3 bitmap).
  void Reduce(fw::TBitmap* drawing);
  void ReduceBolded(fw::TBitmap* drawing);
  // Moves the glyph image out of the drawing into engine memory.
  void HoldGlyph();
  // Copies both images into their bitmaps.
  void KeepImages();
  void Score(const fw::String& faceName, const fw::String& path);

  TMatchOptions options_;
  fw::TBitmap* sample_ = nullptr;
  TMatchSink* sink_ = nullptr;
  TPhaseTimes* timing_ = nullptr;
  std::unique_ptr<fw::TBitmap> renderBitmap_;
  std::unique_ptr<fw::TBitmap> glyphBitmap_;
  std::unique_ptr<fw::TBitmap> compareBitmap_;
  // Where the last reduction left the images; the bitmaps above hold a copy
  // only while the matching flag is clear.
  PixelView glyph_;
  PixelView compare_;
  bool glyphPending_ = false;
  bool comparePending_ = false;
  std::vector<uint8_t> heldGlyph_;
  double calibratedSize_ = 1.0;
  bool monochrome_ = false;
  int matchCount_ = 0;
  TMatchCounts lastCounts_;
};

}  // namespace app
