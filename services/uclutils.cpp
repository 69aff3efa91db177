#include "services/uclutils.h"

#include "fw/system/application.h"
#include "services/appstorage_win.h"

namespace services {

DWORD FileVersionMS(const fw::String& FileName) {
  VS_FIXEDFILEINFO info;
  return ReadFixedFileInfo(FileName, info) ? info.dwFileVersionMS : 0;
}

uint64_t MillisecondClock() {
  LARGE_INTEGER frequency, counter;
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart != 0 && QueryPerformanceCounter(&counter)) {
    // Whole seconds and the rest apart, so that the clock moves every
    // millisecond and the product never overflows.
    const uint64_t f = static_cast<uint64_t>(frequency.QuadPart), c = static_cast<uint64_t>(counter.QuadPart);
    return (c / f) * 1000 + (c % f) * 1000 / f;
  }
  return GetTickCount();
}

int AppMessageBox(const fw::String& Caption, const fw::String& Text, UINT Flags) {
  if (fw::Application) return fw::Application->MessageBox(Text, Caption, Flags);
  return MessageBoxW(nullptr, W(Text), W(Caption), Flags);
}

bool GuidsEqual(const GUID& A, const GUID& B) { return IsEqualGUID(A, B) != 0; }

}  // namespace services
