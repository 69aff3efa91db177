// The track bar adapter: a "msctls_trackbar32" window painted whole from
// the skin into a cache image (the control's item of the section
// "TRACKBAR", the channel, the tick marks and the thumb, faded toward what
// lies behind while disabled) and copied to the window in one piece. The
// control keeps its own input; the adapter only asks it where channel,
// thumb and ticks are. A skin without "TRACKBAR" leaves the control its own
// painting.
#pragma once

#include "skin/controls/control_cache.h"
#include "skin/controls/core/track_geometry.h"
#include "skin/controls/window_adapter.h"

namespace skin {

class TkcTrackWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;
  ~TkcTrackWnd() override { Detach(); }

  fw::String DefaultSection() const override { return u"TRACKBAR"; }
  void kcWndProc(fw::TMessage& Message) override;

  TkTrackStyle Style() const;
  // 1 while the left button is held on the control: the masks' pressed frame.
  int Mode() const { return bMousePressed ? 1 : 0; }
  fw::TRect ChannelRect() const;
  fw::TRect ThumbRect() const;
  // Makes the cache image of the window's size and paints the control into it.
  void PrepareCache();
  fw::TBitmap* Cache() const { return S.Cache.get(); }

  bool bMousePressed = false;
  int TrackBarNdx = -1;
  int TickHeight = 4;
  double iStep = 0;

 private:
  void KC_WMPaint(fw::TMessage& Message);
  void PaintBody();
  void PaintBar(const TPixelView32& V);
  void PaintTicks(const TPixelView32& V, const fw::TRect& Channel, const fw::TRect& Thumb);
  void PaintTick(const TPixelView32& V, fw::TPoint P, bool Horz);
  void PaintThumb(const TPixelView32& V);
  bool HotOrFocused() const;

  TkcPaintState S;
};

}  // namespace skin
