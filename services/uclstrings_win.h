// The system's side of the text routines: character classes and case tables
// of the user's locale, and the locale comparison, installed once.
#pragma once

namespace services {

// Builds the tables with one system call per block and installs them and
// the comparison; a second call does nothing. The tables live until the
// end of the run.
void InitializeStringTables();

}  // namespace services
