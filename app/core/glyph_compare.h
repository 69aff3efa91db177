// The comparison core of the matching engine: the glyph box of a drawing,
// the white/non-white pixel metric with its width gate, the score and its
// acceptance, and the rules of the speed levels.
#pragma once

#include <optional>

#include "app/core/pixel_ops.h"
#include "fw/core/types.h"

namespace app {

// The box of the last (rightmost) run of ink columns: a column holds ink
// when one of its pixels is exactly black; the box spans the run's columns
// and the rows from the first to the last one with ink in them. No ink at
// all gives no box.
std::optional<fw::TRect> FindGlyphBox(const PixelView& v);

// The rows of the rectangle r of v, which must lie inside v; empty for an
// empty r.
PixelView PartOf(const PixelView& v, const fw::TRect& r);
// The glyph crop as a part of the drawing's own rows (empty without ink).
PixelView GlyphPart(const PixelView& v);

struct TMatchCounts {
  int Total = 0;
  int Matches = 0;
  int Misses = 0;
  friend bool operator==(const TMatchCounts&, const TMatchCounts&) = default;
};

// The widths pass when each is below round(1.2 x) the other, or when they
// are equal and not 0; heights are not compared.
bool WidthsComparable(int sampleWidth, int compareWidth);

// Compares every position of the sample S with the comparison image C: a
// position matches when both are white or both are not; a position outside
// C counts as not white. Widths failing the gate make every position a miss.
TMatchCounts CountMatchingPixels(const PixelView& s, const PixelView& c);

// matches / total x 100; 0 for an empty sample.
double MatchScore(const TMatchCounts& m);
// A candidate is listed when it matched anything and reaches the threshold.
bool MatchAccepted(const TMatchCounts& m, int thresholdPercent);

// How a speed level reduces a drawing to the comparison image.
enum class TCompareReduce {
  CalibratedGlyph,  // the glyph crop; a second drawing at the calibrated size
  StretchToSample,  // the glyph crop fitted into the sample's size
  GlyphAsIs,        // the glyph crop (or the whole drawing) at its own size
};

struct TSpeedRule {
  int Level = 1;        // the level it behaves as: 1, 3, 5 or 7
  int CanvasScale = 2;  // drawing canvas = scale x the sample's size
  bool CropToGlyph = true;
  TCompareReduce Reduce = TCompareReduce::CalibratedGlyph;
};

// Levels 2 and 4 behave as 1 and 3; below 1 as 1, above 7 as 7.
TSpeedRule SpeedRuleFor(int speed);

// The point size of the second drawing at level 1: Hs x Hs / Hg.
double CalibratedSizeFor(int sampleHeight, int glyphHeight, double previous);

// The part of a dstW x dstH area that a srcW x srcH picture fills when it
// is fitted keeping its aspect and centred (full width when the picture is
// at least as wide in proportion, else full height). Empty when either
// size is not positive.
fw::TRect KeepAspectRect(int srcW, int srcH, int dstW, int dstH);

}  // namespace app
