// The program's start-up and shut-down: unit initialisations in link order,
// the application object, the windows in their order, the message loop.
#pragma once

#include <vector>

#include "fw/controls/forms.h"

namespace vestaline {

// Registers the picture formats the program reads (PNG, GIF, JPEG besides
// the framework's own); part of the units below, and what the benchmarks
// call to read pictures as the program does.
void RegisterProgramPictureFormats();

// Lists the program's units in link order in the unit registry (once).
void RegisterProgramUnits();

// Reads a form's description from the program's resources: the RCDATA
// resource named after the form's class without its "T", upper-cased
// (TImageForm -> IMAGEFORM). False when the program holds none.
bool ReadFormFromResource(fw::TCustomForm* Form);

// Creates the program's windows in their order, each reachable through its
// global reference; the first is the main window.
void CreateProgramWindows();
// The windows created by CreateProgramWindows and still alive, in order.
std::vector<fw::TCustomForm*> ProgramWindows();
// Frees them in reverse order of creation (their references are cleared).
void DestroyProgramWindows();

// Runs the whole program and returns its exit code.
int RunProgram();

}  // namespace vestaline
