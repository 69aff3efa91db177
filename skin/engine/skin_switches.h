// The skin engine's command-line switches of this process ("/kctest",
// "/kcver", "/kcpreview") and the version notice "/kcver" asks for.
#pragma once

#include "fw/core/types.h"
#include "skin/engine/core/preview_record.h"

namespace skin {

// Read once from the process's command line.
const TSkinSwitches& CommandLineSkinSwitches();
// The text of the version notice.
fw::String SkinEngineVersionText();
// With "/kcver": shows the version notice, once per process.
void ShowVersionNoticeOnce();

}  // namespace skin
