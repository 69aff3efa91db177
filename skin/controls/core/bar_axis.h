// The parts of a scroll bar control along its axis as numbers: two arrow
// buttons at the ends, the slider between them sized by the page and placed
// by the drawn position, and the position a point on the track stands for.
// Ratios round exactly, halves to even.
#pragma once

#include <cstdint>

namespace skin {

struct TkBarAxis {
  int Length = 0;  // of the control along its axis
  int Arrow = 0;   // length of one arrow button
  int nMin = 0, nMax = 0;
  int nPage = 0;
  int CurrPos = 0;  // the position the slider is drawn at
  bool Enabled = true;
};

// Num / Den to the nearest integer, halves to even.
int RoundRatio(int64_t Num, int64_t Den);

// The first arrow ends and the second begins here; each takes at most half
// of a short control.
int AxisArrow1End(const TkBarAxis& A);
int AxisArrow2Start(const TkBarAxis& A);
int AxisTrackLength(const TkBarAxis& A);
// The slider's length: the page's share of the track, never below 16.
int AxisSliderSize(const TkBarAxis& A);
// The slider's centre; the middle of the control when the page covers the
// whole range or the control is disabled.
int AxisSliderCenter(const TkBarAxis& A);
// The position, counted from nMin, whose slider centre is at Along; 0 when
// disabled or when the slider fills the track.
int AxisPositionAt(const TkBarAxis& A, int Along);

}  // namespace skin
