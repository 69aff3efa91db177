// A track bar as numbers: its kind from the window style, the channel as
// painted, where the tick marks go (along the track and in the rows beside
// the channel) and whether the thumb's mask is drawn as it is or scaled.
#pragma once

#include <cstdint>
#include <vector>

#include "fw/core/types.h"

namespace skin {

enum class TkTickMarks { BottomRight, TopLeft, Both };
enum class TkTickStyle { None, Auto, Manual };

struct TkTrackStyle {
  bool Vertical = false;
  TkTickMarks Marks = TkTickMarks::BottomRight;
  TkTickStyle Ticks = TkTickStyle::Manual;
};
// From the window style bits (TBS_VERT, TBS_TOP, TBS_BOTH, TBS_NOTICKS,
// TBS_AUTOTICKS).
TkTrackStyle TrackStyleOf(uint32_t Style);

// The channel rectangle a control reported. Some systems report a vertical
// bar's channel with x and y exchanged: such a rectangle (wider than tall)
// is turned back; one reported as it lies is kept.
fw::TRect TrackChannel(const fw::TRect& Reported, bool Vertical);

// The channel narrowed, across the track, to the thickness of its mask,
// centred (rounding up), Right or Bottom included.
fw::TRect NarrowChannel(const fw::TRect& Channel, bool Vertical, int Thickness);

// The positions of the tick marks along the track (x for a horizontal bar,
// y for a vertical one) for Count ticks: evenly spread between the thumb's
// centre at either end (Auto; the spacing comes back in Step), or the ends
// and the control's own positions of the ticks between them (Manual,
// Between holding Count - 2 of them). A single tick sits at the start.
std::vector<int> TickPositions(TkTickStyle Style, int Count, const fw::TRect& Channel, const fw::TRect& Thumb,
                               bool Vertical, const std::vector<int>& Between, double* Step = nullptr);

// Where the rows of ticks start across the track: before the channel
// (top or left; the ticks' own start) and after it, each at the gap of
// half the thumb's overhang plus 2; a row is absent when the marks leave
// that side out.
struct TkTickRows {
  bool Before = false, After = false;
  int BeforeAt = 0, AfterAt = 0;
};
TkTickRows TickRows(const TkTrackStyle& Style, const fw::TRect& Channel, const fw::TRect& Thumb, int TickLength);

// True when the thumb's mask frame (MaskWidth x MaskHeight) is drawn
// unscaled: the thumb is 23 pixels across the track or exactly the frame's
// size, and its ticks are not on the top or left side only.
bool ThumbDrawnDirect(TkTickMarks Marks, const fw::TRect& Thumb, bool Vertical, int MaskWidth, int MaskHeight);

}  // namespace skin
