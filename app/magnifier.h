// The screen tools of the main window: the magnifier over the image page's
// views, the colour pickers of the search page and of the multi-font page's
// floating picture, and the search page's zoom of its image copy.
#pragma once

#include "fw/core/rtti.h"

namespace app {

class TImageForm;
// The tools' components and handlers, by their names in the form description.
void DescribeMagnifier(fw::TClassBuilder<TImageForm>& c);

}  // namespace app
