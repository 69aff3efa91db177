// Registers every standard control class with run-time type information,
// so that form descriptions can create them by name. The program calls it
// once at start-up (the classes are otherwise only named in descriptions,
// and the linker would leave them out).
#pragma once

namespace fw {

void RegisterStdControls();

}  // namespace fw
