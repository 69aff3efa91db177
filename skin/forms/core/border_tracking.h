// The arithmetic of a form dragged by its outline: the sized rectangle as
// the mouse moves the grabbed edges, and the snapping of one coordinate to
// a screen edge.
#pragma once

#include "fw/core/types.h"

namespace skin {

// When Pos + Offset lies closer than Buffer to Edge, Pos := Edge - Offset.
void SnapCoordinate(int& Pos, int Edge, int Buffer, int Offset);

// The rectangle of a sizing drag: the form's bounds (screen), where the
// drag started, where the cursor is, the grabbed edge (10 left, 11 right,
// 12 top, 13 top-left, 14 top-right, 15 bottom, 16 bottom-left, anything
// else bottom-right) and the smallest size; a moving edge stops at that
// distance from the opposite one.
fw::TRect SizedTrackRect(const fw::TRect& Form, fw::TPoint Start, fw::TPoint Cursor, int EdgeHitCode, int MinWidth,
                         int MinHeight);

}  // namespace skin
