// The program's start-up and shut-down: unit initialisations in link order,
// the application object, the windows in their order, the message loop.
#pragma once

namespace vestaline {

// Lists the program's units in link order in the unit registry (once).
void RegisterProgramUnits();

// Runs the whole program and returns its exit code.
int RunProgram();

}  // namespace vestaline
