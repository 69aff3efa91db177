#include "app/glyph_isolation.h"

#include <windows.h>

#include <cstdio>

#include "fw/core/streams.h"
#include "fw/platform/files.h"

namespace app {

using fw::String;

String CropFolder() { return fw::TempFolder() + u"\\Tavo_Cropped_3\\"; }

String CropFileName(const String& Prefix, int Number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "_%.3d.BMP", Number);
  return Prefix + String(digits, digits + std::char_traits<char>::length(digits));
}

String NextCropFile(const String& Folder, const String& Prefix) {
  int n = 0;
  WIN32_FIND_DATAW data;
  const String pattern = Folder + u"*.*";
  HANDLE h = FindFirstFileW(reinterpret_cast<const wchar_t*>(pattern.c_str()), &data);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (FindNextFileW(h, &data));
    FindClose(h);
  }
  String name;
  do {
    ++n;
    name = Folder + CropFileName(Prefix, n);
  } while (fw::FileExists(name));
  return name;
}

}  // namespace app
