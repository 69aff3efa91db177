#include "skin/controls/core/scroll_geometry.h"

#include <algorithm>

#include "fw/core/mathutils.h"

namespace skin {

int ScrollBarThickness(int ControlSize, int ManagerScrollSize, int OwnSize, int SystemThickness) {
  if (ControlSize >= 0) return ControlSize;
  if (ManagerScrollSize >= 0) return ManagerScrollSize;
  if (OwnSize >= 0) return OwnSize;
  return -OwnSize * SystemThickness;
}

int ScrollArrowLength(int ControlSize, int ManagerButtonsSize, int OwnSize, int ManagerScrollSize,
                      int SystemArrowWidth) {
  if (ControlSize >= 0) return ControlSize;
  if (ManagerButtonsSize >= 0) return ManagerButtonsSize;
  if (OwnSize >= 0) return OwnSize;
  if (ManagerScrollSize >= 0) return ManagerScrollSize;
  return -OwnSize * SystemArrowWidth;
}

TkScrollNcLayout CalcScrollNcLayout(const fw::TRect& Proposed, const fw::TRect& ClientWithoutBars, bool HasHorz,
                                    bool HasVert, int HorzThickness, int VertThickness, bool LeftScrollbar) {
  TkScrollNcLayout L;
  L.Client = ClientWithoutBars;
  L.LeftEdge = ClientWithoutBars.Left - Proposed.Left;
  L.RightEdge = Proposed.Right - ClientWithoutBars.Right;
  L.TopEdge = ClientWithoutBars.Top - Proposed.Top;
  L.BottomEdge = Proposed.Bottom - ClientWithoutBars.Bottom;
  if (HasHorz && L.Client.Bottom - L.Client.Top >= HorzThickness) {
    L.Client.Bottom -= HorzThickness;
    L.HorzVisible = true;
  }
  if (HasVert && L.Client.Right - L.Client.Left >= VertThickness) {
    if (LeftScrollbar)
      L.Client.Left += VertThickness;
    else
      L.Client.Right -= VertThickness;
    L.VertVisible = true;
  }
  return L;
}

fw::TRect HorzBarRect(const TkScrollFrame& F) {
  fw::TRect R = F.Window;
  R.Left += F.LeftEdge + (F.LeftScrollbar ? F.VertThickness : 0);
  R.Right -= F.RightEdge + (F.LeftScrollbar ? 0 : F.VertThickness);
  R.Bottom -= F.BottomEdge;
  R.Top = R.Bottom - F.HorzThickness;
  return R;
}

fw::TRect VertBarRect(const TkScrollFrame& F) {
  fw::TRect R;
  R.Top = F.Window.Top + F.TopEdge;
  R.Bottom = F.Window.Bottom - F.BottomEdge - F.HorzThickness;
  if (F.LeftScrollbar) {
    R.Left = F.Window.Left + F.LeftEdge;
    R.Right = R.Left + F.VertThickness;
  } else {
    R.Right = F.Window.Right - F.RightEdge;
    R.Left = R.Right - F.VertThickness;
  }
  return R;
}

fw::TRect ScrollCornerRect(const TkScrollFrame& F) {
  if (F.HorzThickness <= 0 || F.VertThickness <= 0) return fw::TRect{};
  fw::TRect V = VertBarRect(F);
  return fw::TRect{V.Left, V.Bottom, V.Right, V.Bottom + F.HorzThickness};
}

bool CornerAtParentCorner(const TkScrollFrame& F, const fw::TRect& Square, const fw::TRect& ParentClient,
                          bool ParentIsTopLevel) {
  if (!ParentIsTopLevel) return false;
  if (Square.Bottom + F.BottomEdge != ParentClient.Bottom) return false;
  if (F.LeftScrollbar) return Square.Left - F.LeftEdge == ParentClient.Left;
  return Square.Right + F.RightEdge == ParentClient.Right;
}

TkThumb ThumbGeometry(const TkScrollState& S, int MinThumb, int Arrow, int Start, int Length) {
  const int track = Length - 2 * Arrow;
  const int range = S.nMax - S.nMin;
  const int page = static_cast<int>(S.nPage);
  int len;
  if (page == 0)
    len = std::max(Arrow, MinThumb);
  else if (range + 1 <= 0)
    len = 0;
  else
    len = fw::MulDiv(page, track, range + 1);
  if (Arrow == 0 && len < 19)
    len = 19;
  else if (len < MinThumb)
    len = MinThumb;
  int o = 0;
  if (range + 1 > 0) {
    o = fw::MulDiv(S.nTrackPos - S.nMin, track - len, range + 1 - std::max(1, page));
    o = std::max(0, std::min(o, track - len));
  }
  return TkThumb{len, Start + Arrow + o};
}

bool ThumbShown(const TkScrollState& S, int MinThumb, int Arrow, int Length) {
  const int len = ThumbGeometry(S, MinThumb, Arrow, 0, Length).Length;
  return len > 0 && len < Length - 2 * Arrow;
}

int HitTestScrollBar(const TkScrollState& S, int MinThumb, int Arrow, const fw::TRect& R, bool Vertical,
                     const fw::TPoint& P) {
  const int along = Vertical ? P.y : P.x;
  const int cross = Vertical ? P.x : P.y;
  const int crossStart = Vertical ? R.Left : R.Top;
  const int crossEnd = Vertical ? R.Right : R.Bottom;
  const int start = Vertical ? R.Top : R.Left;
  const int end = Vertical ? R.Bottom : R.Right;
  if (cross < crossStart || cross >= crossEnd) return spNone;
  const int L = end - start;
  const int d = 2 * Arrow < L ? Arrow : L / 2;
  if (along >= start && along < start + d) return spFirstArrow;
  if (along >= end - d && along < end) return spSecondArrow;
  const TkThumb t = ThumbGeometry(S, MinThumb, Arrow, start, L);
  if (t.Length >= L - 2 * Arrow) return spNone;
  if (along >= t.Pos && along < t.Pos + t.Length) return spThumb;
  if (along >= start + d && along < t.Pos) return spTrackBefore;
  if (along >= t.Pos + t.Length && along < end - d) return spTrackAfter;
  return spNone;
}

int LastScrollPos(const TkScrollState& S) {
  return std::max(0, S.nMax - S.nMin - std::max(static_cast<int>(S.nPage) - 1, 0));
}

int DragThumbPlace(int Mouse, int MouseOffset, int TrackStart, int TrackEnd, int ThumbLength) {
  return std::max(TrackStart, std::min(Mouse - MouseOffset, TrackEnd - ThumbLength));
}

int DragTrackPos(const TkScrollState& S, int ThumbPos, int TrackStart, int TrackLength, int ThumbLength) {
  const int range = S.nMax - S.nMin;
  int p;
  if (range < 1 || TrackLength - ThumbLength <= 0)
    p = ThumbPos - TrackStart;
  else
    p = fw::MulDiv(ThumbPos - TrackStart, range - static_cast<int>(S.nPage) + 1, TrackLength - ThumbLength);
  // Counted from nMin along the track; the window's own position to send.
  return S.nMin + std::max(0, std::min(p, LastScrollPos(S)));
}

}  // namespace skin
