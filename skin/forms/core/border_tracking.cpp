#include "skin/forms/core/border_tracking.h"

#include <cstdlib>

namespace skin {

void SnapCoordinate(int& Pos, int Edge, int Buffer, int Offset) {
  if (std::abs(Pos + Offset - Edge) < Buffer) Pos = Edge - Offset;
}

fw::TRect SizedTrackRect(const fw::TRect& Form, fw::TPoint Start, fw::TPoint Cursor, int EdgeHitCode, int MinWidth,
                         int MinHeight) {
  const int dx = Cursor.x - Start.x, dy = Cursor.y - Start.y;
  bool left = false, right = false, top = false, bottom = false;
  switch (EdgeHitCode) {
    case 10: left = true; break;
    case 11: right = true; break;
    case 12: top = true; break;
    case 13: top = left = true; break;
    case 14: top = right = true; break;
    case 15: bottom = true; break;
    case 16: bottom = left = true; break;
    default: bottom = right = true; break;
  }
  fw::TRect r = Form;
  if (left) r.Left = Form.Left + dx;
  if (right) r.Right = Form.Right + dx;
  if (top) r.Top = Form.Top + dy;
  if (bottom) r.Bottom = Form.Bottom + dy;
  if (r.Right - r.Left < MinWidth) {
    if (left)
      r.Left = r.Right - MinWidth;
    else
      r.Right = r.Left + MinWidth;
  }
  if (r.Bottom - r.Top < MinHeight) {
    if (top)
      r.Top = r.Bottom - MinHeight;
    else
      r.Bottom = r.Top + MinHeight;
  }
  return r;
}

}  // namespace skin
