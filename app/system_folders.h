// The system folders the program works in (application data, fonts, the
// temporary folder), read through the main window's "directories"
// component; one of the same kind stands in while there is no main window.
#pragma once

#include "services/ckcomputerinfo.h"

namespace app {

services::TCkSystemFolders* ProgramSystemFolders();

}  // namespace app
