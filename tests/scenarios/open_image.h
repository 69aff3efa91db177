// Bringing a picture onto the image page of the running program: a bitmap of
// black blocks on white, opened through the open dialog that Next offers
// while the page has no image.
#pragma once

#include <windows.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "fw/graphics/graphics.h"
#include "fw/platform/files.h"
#include "scenarios/program_windows.h"

namespace scenarios {

// The character files the running program has cropped into its crop folder.
inline int CropFiles() {
  int n = 0;
  fw::TSearchRec rec;
  const fw::String pattern = fw::TempFolder() + u"\\Tavo_Cropped_3\\imgmod_*.BMP";
  for (int found = fw::FindFirst(pattern, 0, rec); found == 0; found = fw::FindNext(rec)) ++n;
  fw::FindClose(rec);
  return n;
}

// A 120 x 80 white bitmap with the blocks in black, written to Path.
inline std::wstring WriteCharacterImage(const fw::String& Path, const std::vector<fw::TRect>& Blocks) {
  fw::TBitmap b;
  b.SetPixelFormat(fw::pf24bit);
  b.SetSize(120, 80);
  b.Canvas()->Brush()->SetColor(fw::clWhite);
  b.Canvas()->FillRect(fw::TRect(0, 0, 120, 80));
  b.Canvas()->Brush()->SetColor(fw::clBlack);
  for (const fw::TRect& r : Blocks) b.Canvas()->FillRect(r);
  b.SaveToFile(Path);
  return std::wstring(Path.begin(), Path.end());
}

// Next on the image page without an image offers the open dialog and stays;
// the chosen file is opened. Answers whether the dialog came and went.
inline bool OpenImageThroughNext(HWND main, DWORD pid, const std::wstring& file) {
  HWND next = FindVisibleDescendant(main, L"&Next >");
  if (!next) return false;
  PostMessageW(next, BM_CLICK, 0, 0);  // the dialog it opens is modal
  HWND dialog = WaitForDialog(pid, 20000);
  if (!dialog) return false;
  SettleWindow(dialog, 300);
  HWND name = GetDlgItem(dialog, cmb13);
  if (!name) name = GetDlgItem(dialog, edt1);
  if (!name) return false;
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  for (int i = 0; i < 200 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(50);
  return !IsWindow(dialog) || !IsWindowVisible(dialog);
}

}  // namespace scenarios
