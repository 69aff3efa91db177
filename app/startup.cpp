#include "app/startup.h"

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it and the lean headers leave it out
#include <gdiplus.h>

#include "fw/core/units.h"
#include "fw/graphics/picture.h"
#include "fw/system/application.h"
#include "skin/engine/png_graphic.h"

namespace vestaline {

namespace {

ULONG_PTR gGdiplusToken = 0;

// GDI+ is started at load with its own background thread and shut down at
// exit; the program calls nothing else of it.
void StartGdiplus() {
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.SuppressBackgroundThread = FALSE;
  if (Gdiplus::GdiplusStartup(&gGdiplusToken, &input, nullptr) != Gdiplus::Ok) gGdiplusToken = 0;
}

void StopGdiplus() {
  if (gGdiplusToken) Gdiplus::GdiplusShutdown(gGdiplusToken);
  gGdiplusToken = 0;
}

}  // namespace

void RegisterProgramUnits() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  auto& units = fw::Units();
  // Picture formats: PNG through the skin engine's reader, then GIF and
  // JPEG (with BMP, icons and metafiles) from the framework.
  units.Add(u"PngImage", [] { skin::RegisterPngFormat(); });
  units.Add(u"Graphics", [] { fw::RegisterPictureFormats(); });
  // GDI+ comes last, so that its finalisation runs first.
  units.Add(u"GdiPlus", StartGdiplus, StopGdiplus);
}

int RunProgram() {
  RegisterProgramUnits();
  fw::Units().Initialize();
  int exitCode = 0;
  try {
    fw::Application->SetTitle(u"Vestaline3");
    if (fw::Application->MainForm()) fw::Application->Run();
  } catch (...) {
    fw::Application->HandleException(nullptr);
    exitCode = 1;
  }
  fw::Units().Finalize();
  return exitCode;
}

}  // namespace vestaline
