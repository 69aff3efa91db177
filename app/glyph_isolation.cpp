#include "app/glyph_isolation.h"

#include <windows.h>

#include <cstdio>

#include "app/core/glyph_grab.h"
#include "fw/core/streams.h"
#include "fw/platform/files.h"

namespace app {

using fw::String;

namespace {

String gCropFolderOverride;
TChooseFolderProc gChooseFolder = nullptr;

}  // namespace

// ---- Crop folder and its files

String CropFolder() {
  return gCropFolderOverride.empty() ? fw::TempFolder() + u"\\Tavo_Cropped_3\\" : gCropFolderOverride;
}

void SetCropFolderForTests(const String& Folder) { gCropFolderOverride = Folder; }

String CropFileName(const String& Prefix, int Number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "_%.3d.BMP", Number);
  return Prefix + String(digits, digits + std::char_traits<char>::length(digits));
}

int CountFolderFiles(const String& Folder) {
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
  return n;
}

String NextFreeCropFile(const String& Folder, const String& Prefix, int& Number) {
  String name;
  do {
    ++Number;
    name = Folder + CropFileName(Prefix, Number);
  } while (fw::FileExists(name));
  return name;
}

String NextCropFile(const String& Folder, const String& Prefix) {
  int n = CountFolderFiles(Folder);
  return NextFreeCropFile(Folder, Prefix, n);
}

// ---- Choices of the settings dialog

fw::TPoint SampleBox() { return SampleBoxForItem(0); }

bool ShowCropTitles() { return true; }

void SetChooseFolderProc(TChooseFolderProc Proc) { gChooseFolder = Proc; }

}  // namespace app
