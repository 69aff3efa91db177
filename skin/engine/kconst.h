// The skin engine's shared constants: caption texts from the program's string
// table (so a translated table changes them), the Windows major version and
// the width of a scroll-bar arrow.
#pragma once

#include "fw/core/types.h"

namespace skin {

// The reported major version, except that 6.2 counts as 8.
extern int WindowsMajorVersion;
// SM_CXHSCROLL, read at start; 16 before.
extern int ScrollArrowWidth;

extern fw::String CaptionRestore, CaptionMove, CaptionSize, CaptionMinimize, CaptionMaximize, CaptionClose,
    CaptionAvailableSkins, CaptionInternal;

// Resource identifiers of the texts the engine reads.
constexpr int sidRestore = 58981, sidMove = 58980, sidSize = 58979, sidMinimize = 58978, sidMaximize = 58977,
              sidClose = 58976, sidAvailableSkins = 58964, sidInternal = 58963, sidInvalidDate = 58923;

// Any caption text by its string-table identifier (the engine's dialog texts
// included); empty for an identifier that has none.
const fw::String& SkinCaption(int id);

int MajorVersionOf(unsigned major, unsigned minor);

// Loads the texts and reads the two system facts once; later calls only
// count. Each start is matched by one finish, the last of which releases the
// texts.
void StartSkinConstants();
void FinishSkinConstants();

}  // namespace skin
