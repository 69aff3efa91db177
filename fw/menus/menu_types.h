// The menu error; the owner-draw state menus hand to painters is the one
// of the standard controls (bit for bit DRAWITEMSTRUCT's itemState); the
// reading order of a menu.
#pragma once

#include "fw/core/exceptions.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_EXCEPTION_CLASS(EMenuError, Exception)

// Left to right, or right to left in order, alignment and reading
// (bdRightToLeft), without the alignment (bdRightToLeftNoAlign) or in the
// reading of the text only (bdRightToLeftReadingOnly). Right to left takes
// effect only on a system whose locale reads so (SysLocale.MiddleEast).
FW_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)

}  // namespace fw
