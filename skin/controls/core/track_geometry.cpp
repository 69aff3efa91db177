#include "skin/controls/core/track_geometry.h"

#include <cmath>

namespace skin {

namespace {

constexpr uint32_t kVert = 0x2, kTop = 0x4, kBoth = 0x8, kNoTicks = 0x10, kAutoTicks = 0x1;

int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

TkTrackStyle TrackStyleOf(uint32_t Style) {
  TkTrackStyle s;
  s.Vertical = (Style & kVert) != 0;
  s.Marks = Style & kBoth ? TkTickMarks::Both : Style & kTop ? TkTickMarks::TopLeft : TkTickMarks::BottomRight;
  s.Ticks = Style & kNoTicks ? TkTickStyle::None : Style & kAutoTicks ? TkTickStyle::Auto : TkTickStyle::Manual;
  return s;
}

fw::TRect TrackChannel(const fw::TRect& Reported, bool Vertical) {
  if (Vertical && Reported.Width() > Reported.Height())
    return fw::Rect(Reported.Top, Reported.Left, Reported.Bottom, Reported.Right);
  return Reported;
}

fw::TRect NarrowChannel(const fw::TRect& Channel, bool Vertical, int Thickness) {
  fw::TRect r = Channel;
  if (Vertical) {
    r.Left = Channel.Left + (Channel.Width() - Thickness + 1) / 2;
    r.Right = r.Left + Thickness - 1;
  } else {
    r.Top = Channel.Top + (Channel.Height() - Thickness + 1) / 2;
    r.Bottom = r.Top + Thickness - 1;
  }
  return r;
}

std::vector<int> TickPositions(TkTickStyle Style, int Count, const fw::TRect& Channel, const fw::TRect& Thumb,
                               bool Vertical, const std::vector<int>& Between, double* Step) {
  std::vector<int> out;
  if (Style == TkTickStyle::None || Count <= 0) return out;
  const int start = Vertical ? Channel.Top : Channel.Left;
  const int end = Vertical ? Channel.Bottom : Channel.Right;
  const int channel = end - start;
  const int thumb = Vertical ? Thumb.Height() : Thumb.Width();
  if (Count == 1) {
    out.push_back(start + thumb / 2);
    return out;
  }
  if (Style == TkTickStyle::Auto) {
    const double step = double(channel - thumb) / double(Count - 1);
    if (Step) *Step = step;
    for (int i = 0; i < Count; ++i) out.push_back(RoundHalfEven(start + i * step + thumb / 2));
    return out;
  }
  out.push_back(start + thumb / 2);
  for (int i = 0; i < Count - 2 && i < int(Between.size()); ++i) out.push_back(Between[size_t(i)]);
  out.push_back(end - thumb / 2);
  return out;
}

TkTickRows TickRows(const TkTrackStyle& Style, const fw::TRect& Channel, const fw::TRect& Thumb, int TickLength) {
  TkTickRows r;
  const int thumbAcross = Style.Vertical ? Thumb.Width() : Thumb.Height();
  const int channelAcross = Style.Vertical ? Channel.Width() : Channel.Height();
  const int gap = (thumbAcross - channelAcross) / 2 + 2;
  r.Before = Style.Marks != TkTickMarks::BottomRight;
  r.After = Style.Marks != TkTickMarks::TopLeft;
  r.BeforeAt = (Style.Vertical ? Channel.Left : Channel.Top) - gap - TickLength;
  r.AfterAt = (Style.Vertical ? Channel.Right : Channel.Bottom) + gap;
  return r;
}

bool ThumbDrawnDirect(TkTickMarks Marks, const fw::TRect& Thumb, bool Vertical, int MaskWidth, int MaskHeight) {
  if (Marks == TkTickMarks::TopLeft) return false;
  const int across = Vertical ? Thumb.Width() : Thumb.Height();
  return across == 23 || (Thumb.Width() == MaskWidth && Thumb.Height() == MaskHeight);
}

}  // namespace skin
