// Form descriptions are applied to components by name: any description must
// end in a built component tree or an EFormDescriptionError, with every
// component created so far freed again, never a crash or a leak.
#include <cstddef>
#include <cstdint>

#include "fw/core/form_loader.h"
#include "tests/fw/core/form_loader_classes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    fw::TFormObject description = fw::ParseFormDescription(data, size, u"fuzz.form");
    fw::TLdForm form(nullptr);
    fw::ReadRootComponent(&form, description, u"fuzz.form");
  } catch (const fw::EFormDescriptionError&) {
  }
  fw::Log().clear();
  return 0;
}
