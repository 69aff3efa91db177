#include "capture/pixel_format_fix.h"

namespace capture {

void MakePixelFormat32(fw::TBitmap* Bitmap) {
  if (Bitmap) Bitmap->SetPixelFormat(fw::pf32bit);
}

DWORD CaptureRasterOp() {
  // The high bit of GetVersion is clear on the NT family.
  const bool nt = (GetVersion() & 0x80000000u) == 0;
  return nt ? (SRCCOPY | CAPTUREBLT) : SRCCOPY;
}

}  // namespace capture
