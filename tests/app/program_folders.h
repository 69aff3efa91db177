// The application-data folder of this test program: its own, so that test
// programs running side by side (and the program started by the scenarios)
// never share the temporary font resource file or the database folder.
#pragma once

#include "fw/platform/files.h"

namespace apptest {

// Lies in the program's own temporary folder.
inline fw::String ProgramAppDataFolder() { return fw::TempFolder() + u"\\AppData"; }

}  // namespace apptest
