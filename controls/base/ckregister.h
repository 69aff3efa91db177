// Names the component layer's controls for the form descriptions: the
// linker leaves out a class the code never names.
#pragma once

namespace ck {

// The slider, the switch, the label and the scrolling window.
void RegisterCkControlClasses();

}  // namespace ck
