// The installer's step for the sample images: writes them into the user's
// samples folder ("<application data>\Okrabel\Vestaline\samples"), keeping
// any that are already there. Exit code 0 on success, 1 when a file could
// not be written.
#include <windows.h>

#include <cstdio>

#include "app/image_page.h"
#include "app/sample_images.h"
#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"

int wmain() {
  try {
    app::WriteSampleImages(app::SamplesFolder(), false);
  } catch (const fw::Exception& e) {
    std::fprintf(stderr, "sample images: %s\n", fw::StringToUtf8(e.Message()).c_str());
    return 1;
  }
  return 0;
}
