#include "skin/controls/core/bar_axis.h"

#include <algorithm>

#include "skin/controls/core/scroll_geometry.h"

namespace skin {

int RoundRatio(int64_t Num, int64_t Den) {
  if (Den < 0) {
    Num = -Num;
    Den = -Den;
  }
  int64_t q = Num / Den, r = Num % Den;
  if (r < 0) {
    --q;
    r += Den;
  }
  if (2 * r > Den || (2 * r == Den && (q & 1) != 0)) ++q;
  return static_cast<int>(q);
}

int AxisArrow1End(const TkBarAxis& A) { return std::min(A.Arrow, A.Length / 2); }

int AxisArrow2Start(const TkBarAxis& A) { return std::max(A.Length - A.Arrow, A.Length / 2); }

int AxisTrackLength(const TkBarAxis& A) { return A.Length - 2 * A.Arrow; }

int AxisSliderSize(const TkBarAxis& A) {
  if (A.nPage <= 0) return DefaultMinThumbSize;
  const int divisor = A.nMax - A.nMin + A.nPage - std::max(A.nPage - 1, 0);
  if (divisor <= 0) return DefaultMinThumbSize;
  return std::max(RoundRatio(static_cast<int64_t>(AxisTrackLength(A)) * A.nPage, divisor), DefaultMinThumbSize);
}

int AxisSliderCenter(const TkBarAxis& A) {
  const int extra = std::max(A.nPage - 1, 0);
  const int span = A.nMax - A.nMin - extra;
  if (!A.Enabled || span <= 0) return A.Length / 2;
  const int size = AxisSliderSize(A);
  return A.Arrow + size / 2 +
         RoundRatio(static_cast<int64_t>(A.Length - 2 * A.Arrow - size) * (A.CurrPos - A.nMin), span);
}

int AxisPositionAt(const TkBarAxis& A, int Along) {
  const int size = AxisSliderSize(A);
  const int free = AxisTrackLength(A) - size;
  if (!A.Enabled || free == 0) return 0;
  const int span = A.nMax - A.nMin - std::max(A.nPage - 1, 0);
  // Half the slider length is not rounded: everything is doubled.
  const int64_t along2 = 2 * static_cast<int64_t>(Along - A.Arrow) - size;
  return RoundRatio(along2 * span, 2 * static_cast<int64_t>(free));
}

}  // namespace skin
